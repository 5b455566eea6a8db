#pragma once

#include <fstream>
#include <string>
#include <vector>

#include <Eigen/Core>

#include "objBarra2d.h"
#include "objNudo2d.h"

// Program-wide state, shared by the phases and the viewer's callbacks.
extern const double PI;
extern std::string nombreArchivo;
extern int noNudos;
extern int noBarras;
extern int noCombos;
extern int noLibres;
extern std::vector<objNudo2d> nudo;
extern std::vector<objBarra2d> barra;
extern double escalaDef;
extern double escalaM;
extern double escalaV;
extern double escalaN;
extern double escalaTexto;
extern double escalaCarga;
extern double escalaApoyo;
extern int precision;
extern Eigen::MatrixXd kEstructura;
extern Eigen::MatrixXd kLL;
extern Eigen::MatrixXd pL;
extern Eigen::MatrixXd pCombo;
extern std::vector<int> gdlLibres;
extern Eigen::MatrixXd uLibres;
extern Eigen::MatrixXd u;
extern Eigen::MatrixXd reacciones;
extern double xMin;
extern double xMax;
extern double yMin;
extern double yMax;
extern double xCam;
extern double yCam;
extern double zCam;
extern double xCentroObj;
extern double yCentroObj;
extern int clickIzq;
extern int xLast;
extern int yLast;
extern std::string dialogo;
extern std::string comando;
extern std::vector<int> flags;
extern std::ofstream resultados;
extern int numeroComboCoincidente;

// Start-up: input path from argv[1] (default "ingresoDatos.txt"), console
// cleared, model read, and solved when nodes, bars and combinations exist.
// main then hands the same arguments to the viewer.
void funcionInicio(int argc, char** argv);

// Clears the terminal; on a redirected output it writes nothing.
void limpiarConsola();

void funcionLeerArchivo();
// The display settings' defaults, which every run of the builder writes first.
void ajustesPorDefecto();
void funcionSolucionU();
void funcionImprimirResultados();
