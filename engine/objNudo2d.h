#pragma once

#include <string>
#include <vector>

#include <Eigen/Core>

// One node of the plane frame: numbers, coordinates, supports, springs, point
// loads by load case, combined loads per combination and, after the solve,
// displacements and reactions (3 rows, one column per combination).
class objNudo2d {
public:
    objNudo2d();

    void setNumeroDeNudo(int n);
    int getNoNudo() const;
    void setNumeroNudoUsuario(int n);
    int getNoNudoUsuario() const;
    void setCoordenadas(double x, double y);
    double getX() const;
    double getY() const;

    void setApoyo(int ax, int ay, int ag);
    Eigen::Vector3i getApoyo() const;
    void setResorte(double kx, double ky, double kg);
    double getResorteX() const;
    double getResorteY() const;
    double getResorteGiro() const;

    void setCargaPuntual(std::string caso, double px, double py, double mz);
    void setCombo(std::string combo, double factor, std::string caso);
    int getCantidadDeCombos() const;
    std::string getNombreCombo(int i) const;
    int getNumeroDeCombo(std::string nombre) const;
    Eigen::MatrixXd getCargasGlobales() const;
    double getPxCombo(int c) const;
    double getPyCombo(int c) const;
    double getMzCombo(int c) const;

    Eigen::Vector3i getGdl();
    void setDesplazamientos(Eigen::MatrixXd d);
    double getDesplazamientoX(int c) const;
    double getDesplazamientoY(int c) const;
    double getGiroZ(int c) const;
    void setReacciones(Eigen::MatrixXd r);
    double getReaccionX(int c) const;
    double getReaccionY(int c) const;
    double getReaccionM(int c) const;
    // Whether the solver handed this node displacements and reactions for combination c.
    bool tieneResultados(int c) const;

private:
    int numeroDeNudo = 0;
    int numeroNudoUsuario = 0;
    double x = 0.0;
    double y = 0.0;
    std::vector<std::string> casosCargasPuntuales;
    Eigen::MatrixXd cargasPuntuales;
    Eigen::Vector3i apoyo;
    Eigen::Vector3i gdl;
    Eigen::Vector3d resorte;
    std::vector<std::string> nombresCombos;
    Eigen::MatrixXd cargasCombo;
    Eigen::MatrixXd desplazamientos;
    Eigen::MatrixXd reaccionesNudo;
};

// The support codes (X, Y, rotation) the window draws a symbol for, each with
// its symbol. Codes in no row are held in the solve as they say, and drawn as
// a free node: the window's layer and the builder's check both read this.
enum class SimboloDeApoyo { empotrado, articulado, rodilloEnY, rodilloEnX };
struct ApoyoDibujado {
    int x;
    int y;
    int giro;
    SimboloDeApoyo simbolo;
};
inline const ApoyoDibujado apoyosDibujados[] = {
    {1, 1, 1, SimboloDeApoyo::empotrado},
    {1, 1, 0, SimboloDeApoyo::articulado},
    {0, 1, 0, SimboloDeApoyo::rodilloEnY},
    {1, 0, 0, SimboloDeApoyo::rodilloEnX},
};

// The row of the codes, or null when the window draws no symbol for them.
const ApoyoDibujado* apoyoDibujado(const Eigen::Vector3i& codigos);
