// Definitions of the program-wide state (meanings in vardel2d.h) and the
// start-up phase: funcionInicio writes nombreArchivo and runs the builder, then
// the solver once there are nodes, bars and combinations.
#include "vardel2d.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#ifndef _WIN32
#include <unistd.h>
#endif

const double PI = 3.141592653589793;
std::string nombreArchivo;
int noNudos = 0;
int noBarras = 0;
int noCombos = 0;
int noLibres = 0;
std::vector<objNudo2d> nudo;
std::vector<objBarra2d> barra;
double escalaDef = 0;
double escalaM = 0;
double escalaV = 0;
double escalaN = 0;
double escalaTexto = 0;
double escalaCarga = 0;
double escalaApoyo = 0;
int precision = 0;
Eigen::MatrixXd kEstructura;
Eigen::MatrixXd kLL;
Eigen::MatrixXd pL;
Eigen::MatrixXd pCombo;
std::vector<int> gdlLibres;
Eigen::MatrixXd uLibres;
Eigen::MatrixXd u;
Eigen::MatrixXd reacciones;
double xMin = 0;
double xMax = 0;
double yMin = 0;
double yMax = 0;
double xCam = 0;
double yCam = 0;
double zCam = 0;
double xCentroObj = 0;
double yCentroObj = 0;
int clickIzq = 0;
int xLast = 0;
int yLast = 0;
std::string dialogo = "Comando:";
std::string comando;
std::vector<int> flags(200, 0);
std::ofstream resultados;
int numeroComboCoincidente = -1;

void limpiarConsola()
{
#ifdef _WIN32
    std::system("cls");
#else
    // Only a terminal is cleared, so a trace redirected to a file stays clean.
    if (isatty(STDOUT_FILENO)) {
        std::cout << "\033[H\033[2J" << std::flush;
    }
#endif
}

void funcionInicio(int argc, char** argv)
{
    nombreArchivo = argc > 1 ? argv[1] : "ingresoDatos.txt";
    limpiarConsola();
    funcionLeerArchivo();
    if (noNudos != 0 && noBarras != 0 && noCombos != 0) funcionSolucionU();
}
