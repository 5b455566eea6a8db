#include "objNudo2d.h"

#include <algorithm>
#include <iostream>

namespace {

// Element (fila, col) of a table, or 0 when the table has no such element.
double elementoOCero(const Eigen::MatrixXd& m, Eigen::Index fila, Eigen::Index col)
{
    if (fila < 0 || col < 0 || fila >= m.rows() || col >= m.cols()) return 0.0;
    return m(fila, col);
}

}  // namespace

objNudo2d::objNudo2d()
{
    apoyo.setZero();
    gdl.setZero();
    resorte.setZero();
}

void objNudo2d::setNumeroDeNudo(int n) { numeroDeNudo = n; }
int objNudo2d::getNoNudo() const { return numeroDeNudo; }
void objNudo2d::setNumeroNudoUsuario(int n) { numeroNudoUsuario = n; }
int objNudo2d::getNoNudoUsuario() const { return numeroNudoUsuario; }

void objNudo2d::setCoordenadas(double xNudo, double yNudo)
{
    x = xNudo;
    y = yNudo;
}

double objNudo2d::getX() const { return x; }
double objNudo2d::getY() const { return y; }

void objNudo2d::setApoyo(int ax, int ay, int ag) { apoyo << ax, ay, ag; }
Eigen::Vector3i objNudo2d::getApoyo() const { return apoyo; }
void objNudo2d::setResorte(double kx, double ky, double kg) { resorte << kx, ky, kg; }
double objNudo2d::getResorteX() const { return resorte(0); }
double objNudo2d::getResorteY() const { return resorte(1); }
double objNudo2d::getResorteGiro() const { return resorte(2); }

void objNudo2d::setCargaPuntual(std::string caso, double px, double py, double mz)
{
    casosCargasPuntuales.push_back(caso);
    const Eigen::Index k = cargasPuntuales.rows();
    cargasPuntuales.conservativeResize(k + 1, 3);
    cargasPuntuales.row(k) << px, py, mz;
}

void objNudo2d::setCombo(std::string combo, double factor, std::string caso)
{
    Eigen::RowVector3d suma = Eigen::RowVector3d::Zero();
    for (std::size_t k = 0; k < casosCargasPuntuales.size(); ++k) {
        if (casosCargasPuntuales[k] == caso) suma += factor * cargasPuntuales.row(k);
    }

    bool encontrado = false;
    for (std::size_t c = 0; c < nombresCombos.size(); ++c) {
        if (nombresCombos[c] == combo) {
            cargasCombo.row(c) += suma;
            encontrado = true;
        }
    }
    if (encontrado) return;

    // A new name gets its row even when the case has no entry here.
    nombresCombos.push_back(combo);
    const Eigen::Index c = cargasCombo.rows();
    cargasCombo.conservativeResize(c + 1, 3);
    cargasCombo.row(c) = suma;
}

int objNudo2d::getCantidadDeCombos() const { return static_cast<int>(nombresCombos.size()); }

std::string objNudo2d::getNombreCombo(int i) const
{
    if (i < 0 || i >= getCantidadDeCombos()) return "";
    return nombresCombos[i];
}

int objNudo2d::getNumeroDeCombo(std::string nombre) const
{
    int numero = -1;
    for (std::size_t c = 0; c < nombresCombos.size(); ++c) {
        if (nombresCombos[c] == nombre) numero = static_cast<int>(c);
    }
    return numero;
}

Eigen::MatrixXd objNudo2d::getCargasGlobales() const { return cargasCombo; }
double objNudo2d::getPxCombo(int c) const { return elementoOCero(cargasCombo, c, 0); }
double objNudo2d::getPyCombo(int c) const { return elementoOCero(cargasCombo, c, 1); }
double objNudo2d::getMzCombo(int c) const { return elementoOCero(cargasCombo, c, 2); }

Eigen::Vector3i objNudo2d::getGdl()
{
    const int n = numeroDeNudo;
    gdl << 3 * n, 3 * n + 1, 3 * n + 2;
    return gdl;
}

void objNudo2d::setDesplazamientos(Eigen::MatrixXd d)
{
    desplazamientos = d;
    if (desplazamientos.cols() != static_cast<Eigen::Index>(nombresCombos.size())) {
        std::cout << "La cantidad de combos de desplazamientos no es igual a la cantidad de combos en Ingreso "
                     "de Datos"
                  << std::endl;
    }
}

double objNudo2d::getDesplazamientoX(int c) const { return elementoOCero(desplazamientos, 0, c); }
double objNudo2d::getDesplazamientoY(int c) const { return elementoOCero(desplazamientos, 1, c); }
double objNudo2d::getGiroZ(int c) const { return elementoOCero(desplazamientos, 2, c); }

void objNudo2d::setReacciones(Eigen::MatrixXd r)
{
    reaccionesNudo = r;

    // A free sprung direction reports the spring force -k*d; a restrained one keeps
    // the support reaction the solver handed over, which carries the load.
    const Eigen::Index columnas = std::min(reaccionesNudo.cols(), desplazamientos.cols());
    for (Eigen::Index d = 0; d < 3; ++d) {
        if (resorte(d) == 0.0 || apoyo(d) != 0) continue;
        if (d >= reaccionesNudo.rows() || d >= desplazamientos.rows()) continue;
        for (Eigen::Index c = 0; c < columnas; ++c) {
            reaccionesNudo(d, c) = -resorte(d) * desplazamientos(d, c);
        }
    }
}

double objNudo2d::getReaccionX(int c) const { return elementoOCero(reaccionesNudo, 0, c); }
double objNudo2d::getReaccionY(int c) const { return elementoOCero(reaccionesNudo, 1, c); }
double objNudo2d::getReaccionM(int c) const { return elementoOCero(reaccionesNudo, 2, c); }

bool objNudo2d::tieneResultados(int c) const
{
    return c >= 0 && c < desplazamientos.cols() && c < reaccionesNudo.cols();
}

const ApoyoDibujado* apoyoDibujado(const Eigen::Vector3i& codigos)
{
    for (const ApoyoDibujado& a : apoyosDibujados) {
        if (codigos(0) == a.x && codigos(1) == a.y && codigos(2) == a.giro) return &a;
    }
    return nullptr;
}
