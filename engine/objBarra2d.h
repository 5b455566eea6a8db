#pragma once

#include <string>
#include <vector>

#include <Eigen/Core>

// One bar of the plane frame: a two-node Euler-Bernoulli element with axial
// stiffness. Length, angle and global equivalent loads are derived on first
// request and held (see the flags). getT, getKLocal and
// getCargasEquivalentesLocales form their matrix again on every call;
// getKGlobal and the global loads call them only while it is not yet held.
// Results arrive through setDesplazamientos. objBarra2dResultados.cpp holds
// setDesplazamientos and every method declared after it, the private
// cortanteEn and momentoEn included; objBarra2d.cpp holds the rest.
class objBarra2d {
public:
    objBarra2d();

    void resetFlags();
    void setNumeroDeBarra(int n);
    void setNumeroBarraUsuario(int n);
    int getNoBarraUsuario() const;

    void setNudoInicio(int n, double x, double y);
    void setNudoFinal(int n, double x, double y);
    void setNudoInicioUsuario(int n);
    void setNudoFinalUsuario(int n);
    int getNudoInicioUsuario() const;
    int getNudoFinalUsuario() const;
    double getXi() const;
    double getYi() const;
    double getXf() const;
    double getYf() const;

    void setSeccionRectangular(double b, double h);
    void setSeccionGenerica(double a, double i);
    void setModuloE(double e);
    void setNombreDeSeccion(std::string name);
    double getArea() const;
    double getInercia() const;
    double getModE() const;
    std::string getNombreDeSeccion() const;
    // Whether a section name was set; unlike getNombreDeSeccion, prints nothing.
    bool tieneNombreDeSeccion() const;

    double getLongitud();
    double getAngulo();
    Eigen::MatrixXd getT();
    Eigen::MatrixXd getKLocal();
    Eigen::MatrixXd getKGlobal();
    Eigen::VectorXi getGdl();

    void setCargaLocal(std::string caso, double fI, double fF, double qI, double qF);
    void setCargaGlobal(std::string caso, double wI, double wF, double dX, double dY);
    void setCombo(std::string combo, double factor, std::string caso);
    double getFInicioCombo(int c) const;
    double getFFinCombo(int c) const;
    double getQInicioCombo(int c) const;
    double getQFinCombo(int c) const;
    Eigen::MatrixXd getMatrizCargasCombo() const;
    Eigen::MatrixXd getCargasEquivalentesLocales();
    Eigen::MatrixXd getCargasEquivalentesGlobales();

    void setDesplazamientos(Eigen::MatrixXd d);
    // Whether the solver handed this bar the results of combination c: its
    // global and local end displacements and its integration constants.
    bool tieneResultados(int c) const;
    Eigen::MatrixXd getSolicitacionAxial(int c, int n) const;
    Eigen::MatrixXd getSolicitacionCortante(int c, int n) const;
    Eigen::MatrixXd getSolicitacionMomento(int c, int n) const;
    double getXvcero(int c);
    double getMmax(int c) const;
    Eigen::MatrixXd getBarraDeformada(int c, int n, double s) const;
    Eigen::MatrixXd getConstantesIntegracion() const;
    Eigen::MatrixXd getDesplazamientosLocales() const;
    Eigen::MatrixXd getDesplazamientosGlobales() const;

private:
    double cortanteEn(int c, double x) const;
    double momentoEn(int c, double x) const;

    int flag[20] = {};
    int numeroDeBarra = 0;
    int numeroBarraUsuario = 0;
    int nudoInicio = 0;
    int nudoFinal = 0;
    int nudoInicioUsuario = 0;
    int nudoFinalUsuario = 0;
    double xi = 0.0;
    double yi = 0.0;
    double xf = 0.0;
    double yf = 0.0;
    std::string nombreDeSeccion;
    double area = 0.0;
    double inercia = 0.0;
    double moduloE = 0.0;
    double xVcero = -1.0;
    std::vector<std::string> casosCargasLocales;
    Eigen::MatrixXd cargasLocales;
    std::vector<std::string> casosCargasGlobales;
    Eigen::MatrixXd cargasGlobales;
    std::vector<std::string> nombresCombos;
    Eigen::MatrixXd matrizCargasCombo;
    Eigen::MatrixXd cargasEquivalentesLocales;
    Eigen::MatrixXd cargasEquivalentesGlobales;
    Eigen::MatrixXd desplazamientosGlobales;
    Eigen::MatrixXd desplazamientosLocales;
    Eigen::MatrixXd constantesIntegracion;
    double longitud = 0.0;
    double angulo = 0.0;
    Eigen::VectorXi gdl;
    Eigen::MatrixXd T;
    Eigen::MatrixXd kLocal;
    Eigen::MatrixXd kGlobal;
};
