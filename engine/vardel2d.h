#pragma once

#include <fstream>
#include <string>
#include <vector>

#include <Eigen/Core>

#include "objBarra2d.h"
#include "objNudo2d.h"

// Program-wide state, shared by the phases and the viewer's callbacks, grouped
// by the phase that writes it, and the phases that run on it. estadoDeArranque
// writes the start-up value of everything vardel2d.cpp defines; the window's
// opening state is written by estadoDeApertura (funcionPlot.h).

extern const double PI;  // read by the viewer for angles; never written

// Start-up (funcionInicio).
extern std::string nombreArchivo;  // path of the input file

// Builder (funcionLeerArchivo); the solver stores results in the nodes and
// bars, and the restart (releerModelo) empties both before the builder runs again.
extern int noNudos;                    // number of nodes
extern int noBarras;                   // number of bars
extern int noCombos;                   // number of load combinations
extern std::vector<objNudo2d> nudo;    // the nodes, by internal number
extern std::vector<objBarra2d> barra;  // the bars, by internal number
// Display settings: the builder's defaults and the file's values; the
// console's '+' and '-' change the scales of the layers and of the text.
extern double escalaDef;    // magnification of the deflected shape
extern double escalaM;      // ordinate scale of the moment diagram
extern double escalaV;      // ordinate scale of the shear diagram
extern double escalaN;      // ordinate scale of the axial-force diagram
extern double escalaTexto;  // height of text drawn in the model
extern double escalaCarga;  // drawn length per unit load
extern double escalaApoyo;  // size of support and spring symbols
extern int precision;       // decimals of numbers drawn in the window

// Solver (funcionSolucionU); the degrees of freedom of node n are 3n, 3n+1, 3n+2.
extern int noLibres;                 // number of free degrees of freedom
extern Eigen::MatrixXd kEstructura;  // stiffness of the structure: kEstructura·u = pCombo + reacciones
extern Eigen::MatrixXd pCombo;       // loads of the structure, one column per combination
extern std::vector<int> gdlLibres;   // free degrees of freedom, ascending
extern Eigen::MatrixXd kLL;          // free block: kLL·uLibres = pL
extern Eigen::MatrixXd pL;           // loads at the free degrees of freedom
extern Eigen::MatrixXd uLibres;      // displacements of the free degrees of freedom
extern Eigen::MatrixXd u;            // displacements of every degree of freedom, one column per combination
extern Eigen::MatrixXd reacciones;   // kEstructura·u − pCombo: the supports' forces

// Viewer (funcionPlot and its callbacks).
extern double xMin;        // model bounds, fitted when the window opens
extern double xMax;
extern double yMin;
extern double yMax;
extern double xCam;        // camera eye
extern double yCam;
extern double zCam;        // camera distance
extern double xCentroObj;  // camera target
extern double yCentroObj;
extern int clickIzq;       // 1 while the left button pans, -1 once released
extern int xLast;          // pointer at the last step of a pan
extern int yLast;
extern std::string dialogo;         // message line of the console
extern std::string comando;         // text being typed in the console
// The keys that scale the diagrams and the text: typed in the window, they
// never reach the console, so no name that holds one can be typed there.
const char teclaAumentar = '+';
const char teclaReducir = '-';
// What Enter does with the typed text: run it as a command, or, after the
// command "combo", look it up as the name of a combination.
enum class ModoConsola { esperaComando, esperaNombreDeCombo };
extern ModoConsola modoConsola;
extern std::vector<int> flags;      // display switches (IndiceFlag), each on while odd
extern int numeroComboCoincidente;  // combination found by the last lookup, -1 none
// Defined by the viewer (funcionPlot.cpp), which needs freeglut for them:
extern double aspectoVentana;                 // width / height of the last reshape, 0 until the window opens
extern int (*leerModificadores)();            // modifier query, glutGetModifiers; tests replace it
extern void (*terminarPrograma)(int estado);  // process exit, std::exit; tests replace it
// File scope in elementosPlot.cpp, seccionSinNombreAvisada: whether the
// sections layer has let through the line of a bar without a section name
// since the file was last read; olvidarAvisosDeCapas clears it, at F5 and
// when the window opens.

// The entries of flags: the layer switches, then one per combination.
enum IndiceFlag : int {
    flagTagNudos = 0,  // node numbers
    flagTagBarras,     // bar numbers
    flagSecciones,     // section names
    flagDeformada,     // deflected shape
    flagAxial,         // axial force
    flagCortante,      // shear force
    flagMomento,       // bending moment
    flagCargas,        // loads
    flagReacciones,    // reactions
    flagApoyos,        // supports and springs
    flagPrimerCombo = 100,  // flags[flagPrimerCombo + c]: combination c
};
// Only the first 100 combinations have a switch.
const int combosConInterruptor = 100;
// Whether the switch of combination c is on; the combinations without a
// switch are never on.
bool comboActivo(int c);

// Report (funcionImprimirResultados).
extern std::ofstream resultados;  // stream of "resultados.txt"

// Every variable that vardel2d.cpp defines back to its value at start-up,
// which it also holds before main runs.
void estadoDeArranque();

// The solver's tables and noLibres as before any solve: empty.
void vaciarTablasDelSolver();

// What the builder guarantees and the solver, the report and the viewer rely
// on: noNudos, noBarras and noCombos are not negative; nudo holds noNudos nodes
// and barra noBarras bars; every node's internal number lies in 0..noNudos-1;
// every node holds noCombos combination names and noCombos rows of combined
// loads, and every bar noCombos rows of combined distributed loads. On failure
// it writes the part that fails to standard error, for the assertion's reader.
bool modeloComoLoDejaElConstructor();

// Start-up (funcionInicio.cpp): input path from argv[1] (default
// "ingresoDatos.txt"), console cleared, model read, and solved when nodes,
// bars and combinations exist. main then hands the same arguments to the viewer.
void funcionInicio(int argc, char** argv);

// Clears the terminal; on a redirected output it writes nothing.
void limpiarConsola();

// The model part of the restart (F5 in the viewer, funcionInicio.cpp): the
// nodes and bars emptied and the file nombreArchivo names read again. What
// else the restart does is the viewer's.
void releerModelo();

void funcionLeerArchivo();
// The display settings' defaults, which every run of the builder writes first.
void ajustesPorDefecto();
void funcionSolucionU();
void funcionImprimirResultados();
