// Definitions of the program-wide state (meanings in vardel2d.h) with its
// start-up values, and what is asked of the state: the builder's guarantee and
// whether a combination's switch is on.
#include "vardel2d.h"

#include <iostream>

const double PI = 3.141592653589793;
std::string nombreArchivo;
int noNudos;
int noBarras;
int noCombos;
int noLibres;
std::vector<objNudo2d> nudo;
std::vector<objBarra2d> barra;
double escalaDef;
double escalaM;
double escalaV;
double escalaN;
double escalaTexto;
double escalaCarga;
double escalaApoyo;
int precision;
Eigen::MatrixXd kEstructura;
Eigen::MatrixXd kLL;
Eigen::MatrixXd pL;
Eigen::MatrixXd pCombo;
std::vector<int> gdlLibres;
Eigen::MatrixXd uLibres;
Eigen::MatrixXd u;
Eigen::MatrixXd reacciones;
double xMin;
double xMax;
double yMin;
double yMax;
double xCam;
double yCam;
double zCam;
double xCentroObj;
double yCentroObj;
int clickIzq;
int xLast;
int yLast;
std::string dialogo;
std::string comando;
ModoConsola modoConsola;
std::vector<int> flags;
std::ofstream resultados;
int numeroComboCoincidente;

void vaciarTablasDelSolver()
{
    gdlLibres.clear();
    noLibres = 0;
    kEstructura.resize(0, 0);
    pCombo.resize(0, 0);
    kLL.resize(0, 0);
    pL.resize(0, 0);
    uLibres.resize(0, 0);
    u.resize(0, 0);
    reacciones.resize(0, 0);
}

void estadoDeArranque()
{
    nombreArchivo.clear();
    noNudos = noBarras = noCombos = 0;
    nudo.clear();
    barra.clear();
    // The builder writes the display settings before anything reads them.
    escalaDef = escalaM = escalaV = escalaN = escalaTexto = escalaCarga = escalaApoyo = 0;
    precision = 0;
    vaciarTablasDelSolver();
    xMin = xMax = yMin = yMax = 0;
    xCam = yCam = zCam = xCentroObj = yCentroObj = 0;
    clickIzq = xLast = yLast = 0;
    dialogo = "Comando:";
    comando.clear();
    modoConsola = ModoConsola::esperaComando;
    flags.assign(flagPrimerCombo + combosConInterruptor, 0);
    if (resultados.is_open()) resultados.close();
    resultados.clear();
    numeroComboCoincidente = -1;
}

namespace {

// Defined after every variable it writes, so they are constructed first: the
// process starts in the state estadoDeArranque writes.
[[maybe_unused]] const bool arrancado = (estadoDeArranque(), true);

bool fallaElConstructor(const char* parte)
{
    std::cerr << "El modelo no es el que deja el constructor: " << parte << std::endl;
    return false;
}

}  // namespace

bool modeloComoLoDejaElConstructor()
{
    if (noNudos < 0 || noBarras < 0 || noCombos < 0) return fallaElConstructor("una cuenta es negativa");
    if (nudo.size() != static_cast<std::size_t>(noNudos)) return fallaElConstructor("nudo no tiene noNudos nudos");
    if (barra.size() != static_cast<std::size_t>(noBarras))
        return fallaElConstructor("barra no tiene noBarras barras");
    for (const objNudo2d& n : nudo) {
        if (n.getNoNudo() < 0 || n.getNoNudo() >= noNudos)
            return fallaElConstructor("un nudo tiene un número interno fuera de 0..noNudos-1");
        if (n.getCantidadDeCombos() != noCombos || n.getCargasGlobales().rows() != noCombos)
            return fallaElConstructor("un nudo no tiene noCombos combinaciones");
    }
    for (const objBarra2d& b : barra) {
        if (b.getMatrizCargasCombo().rows() != noCombos)
            return fallaElConstructor("una barra no tiene noCombos combinaciones");
    }
    return true;
}

bool comboActivo(int c)
{
    return c >= 0 && c < combosConInterruptor && (flags[flagPrimerCombo + c] & 1) != 0;
}
