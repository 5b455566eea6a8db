#include "objBarra2d.h"

#include <algorithm>
#include <cmath>
#include <iostream>

// Flag entries: inputs present (0-5) and derived values held (6-12).
namespace {
enum {
    kNumero = 0,
    kNudoInicio = 1,
    kNudoFinal = 2,
    kNombreSeccion = 3,
    kSeccion = 4,
    kModulo = 5,
    kLongitud = 6,
    kAngulo = 7,
    kGdl = 8,
    kT = 9,
    kKLocal = 10,
    kEquivLocales = 11,
    kEquivGlobales = 12,
};

double elementoOCero(const Eigen::MatrixXd& m, Eigen::Index fila, Eigen::Index col)
{
    if (fila < 0 || col < 0 || fila >= m.rows() || col >= m.cols()) return 0.0;
    return m(fila, col);
}

void agregarFila(Eigen::MatrixXd& m, double a, double b, double c, double d)
{
    const Eigen::Index k = m.rows();
    m.conservativeResize(k + 1, 4);
    m.row(k) << a, b, c, d;
}
}  // namespace

objBarra2d::objBarra2d() = default;

void objBarra2d::resetFlags() { std::fill(std::begin(flag), std::end(flag), 0); }

void objBarra2d::setNumeroDeBarra(int n)
{
    numeroDeBarra = n;
    flag[kNumero] = 1;
}

void objBarra2d::setNumeroBarraUsuario(int n) { numeroBarraUsuario = n; }
int objBarra2d::getNoBarraUsuario() const { return numeroBarraUsuario; }

void objBarra2d::setNudoInicio(int n, double x, double y)
{
    nudoInicio = n;
    xi = x;
    yi = y;
    flag[kNudoInicio] = 1;
}

void objBarra2d::setNudoFinal(int n, double x, double y)
{
    nudoFinal = n;
    xf = x;
    yf = y;
    flag[kNudoFinal] = 1;
}

void objBarra2d::setNudoInicioUsuario(int n) { nudoInicioUsuario = n; }
void objBarra2d::setNudoFinalUsuario(int n) { nudoFinalUsuario = n; }
int objBarra2d::getNudoInicioUsuario() const { return nudoInicioUsuario; }
int objBarra2d::getNudoFinalUsuario() const { return nudoFinalUsuario; }
double objBarra2d::getXi() const { return xi; }
double objBarra2d::getYi() const { return yi; }
double objBarra2d::getXf() const { return xf; }
double objBarra2d::getYf() const { return yf; }

void objBarra2d::setSeccionRectangular(double b, double h)
{
    area = b * h;
    inercia = std::pow(h, 3) * b / 12.0;
    flag[kSeccion] = 1;
}

void objBarra2d::setSeccionGenerica(double a, double i)
{
    area = a;
    inercia = i;
    flag[kSeccion] = 1;
}

void objBarra2d::setModuloE(double e)
{
    moduloE = e;
    flag[kModulo] = 1;
}

void objBarra2d::setNombreDeSeccion(std::string name)
{
    nombreDeSeccion = name;
    flag[kNombreSeccion] = 1;
}

double objBarra2d::getArea() const { return area; }
double objBarra2d::getInercia() const { return inercia; }
double objBarra2d::getModE() const { return moduloE; }

std::string objBarra2d::getNombreDeSeccion() const
{
    if (flag[kNombreSeccion] != 1) {
        std::cout << "Definir el nombre de sección" << std::endl;
        return "";
    }
    return nombreDeSeccion;
}

bool objBarra2d::tieneNombreDeSeccion() const { return flag[kNombreSeccion] == 1; }

double objBarra2d::getLongitud()
{
    if (flag[kLongitud] != 0) return longitud;
    if (flag[kNudoInicio] != 1 || flag[kNudoFinal] != 1) {
        std::cout << "Definir nudos del elemento" << std::endl;
        return 0.0;
    }
    flag[kLongitud] = 1;
    longitud = std::pow(std::pow(xf - xi, 2) + std::pow(yf - yi, 2), 0.5);
    // Coinciding nodes: held as 0, and every term that divides by L is then left at zero.
    if (longitud == 0.0) {
        std::cout << "Advertencia: la barra " << numeroBarraUsuario << " tiene longitud cero: sus nudos coinciden"
                  << std::endl;
    }
    return longitud;
}

double objBarra2d::getAngulo()
{
    if (flag[kAngulo] != 0) return angulo;
    if (flag[kLongitud] == 0) getLongitud();
    if (flag[kLongitud] != 1) {
        std::cout << "no se puede calcular el angulo. Faltan datos" << std::endl;
        return 0.0;
    }
    flag[kAngulo] = 1;
    if (longitud == 0.0) {
        angulo = 0.0;
        return angulo;
    }
    // The clamp keeps a rounded cosine of ±(1 + ulp) from giving NaN.
    angulo = std::acos(std::clamp((xf - xi) / longitud, -1.0, 1.0));
    if (yf - yi < 0) angulo = -angulo;
    return angulo;
}

Eigen::MatrixXd objBarra2d::getT()
{
    T.setZero(6, 6);
    if (flag[kAngulo] != 1) {
        std::cout << "Calcular primero el ángulo de la barra" << std::endl;
        return T;
    }
    flag[kT] = 1;
    const double c = std::cos(angulo);
    const double s = std::sin(angulo);
    T.block<2, 2>(0, 0) << c, s, -s, c;
    T.block<2, 2>(3, 3) << c, s, -s, c;
    T(2, 2) = 1.0;
    T(5, 5) = 1.0;
    return T;
}

Eigen::MatrixXd objBarra2d::getKLocal()
{
    if (flag[kLongitud] == 0) getLongitud();
    kLocal.setZero(6, 6);
    if (flag[kSeccion] != 1 || flag[kModulo] != 1 || flag[kLongitud] != 1) {
        std::cout << "No están definidas E, I o L de Elemento: " << numeroDeBarra << std::endl;
        return kLocal;
    }
    flag[kKLocal] = 1;
    // A bar of zero length contributes no stiffness; its length message was already written.
    if (longitud == 0.0) return kLocal;

    const double L = longitud;
    const double E = moduloE;
    const double ea = E * area / L;
    const double k12 = 12.0 * E * inercia / std::pow(L, 3);
    const double k6 = 6.0 * E * inercia / std::pow(L, 2);
    const double k4 = 4.0 * E * inercia / L;
    const double k2 = 2.0 * E * inercia / L;
    kLocal <<  ea,    0,    0, -ea,    0,    0,
                0,  k12,   k6,   0, -k12,   k6,
                0,   k6,   k4,   0,  -k6,   k2,
              -ea,    0,    0,  ea,    0,    0,
                0, -k12,  -k6,   0,  k12,  -k6,
                0,   k6,   k2,   0,  -k6,   k4;
    return kLocal;
}

Eigen::MatrixXd objBarra2d::getKGlobal()
{
    if (flag[kAngulo] == 0) angulo = getAngulo();
    if (flag[kT] == 0) T = getT();
    if (flag[kKLocal] == 0) kLocal = getKLocal();
    kGlobal = (T.transpose() * kLocal) * T;
    return kGlobal;
}

Eigen::VectorXi objBarra2d::getGdl()
{
    gdl.setZero(6);
    if (flag[kNudoInicio] != 1 || flag[kNudoFinal] != 1) {
        std::cout << "Definir primero los nudos de la barra" << std::endl;
        return gdl;
    }
    flag[kGdl] = 1;
    const int i = nudoInicio;
    const int j = nudoFinal;
    gdl << 3 * i, 3 * i + 1, 3 * i + 2, 3 * j, 3 * j + 1, 3 * j + 2;
    return gdl;
}

void objBarra2d::setCargaLocal(std::string caso, double fI, double fF, double qI, double qF)
{
    casosCargasLocales.push_back(caso);
    agregarFila(cargasLocales, fI, fF, qI, qF);
}

void objBarra2d::setCargaGlobal(std::string caso, double wI, double wF, double dX, double dY)
{
    if (flag[kAngulo] == 0) angulo = getAngulo();
    if (flag[kAngulo] != 1) {
        std::cout << "el ángulo no está definido para calcular cargas globales de barra" << std::endl;
        return;
    }
    // Only the direction counts; a zero or non-finite one has none.
    const double n = std::hypot(dX, dY);
    if (!(n > 0.0) || !std::isfinite(n)) {
        std::cout << "Advertencia: la dirección de la carga distribuida global de la barra " << numeroBarraUsuario
                  << " es nula o no finita; la carga no se considera" << std::endl;
        return;
    }
    const double ux = dX / n;
    const double uy = dY / n;
    const double c = std::cos(angulo);
    const double s = std::sin(angulo);
    const double alongX = ux * c + uy * s;  // e·u, e = (cos α, sin α)
    const double alongY = uy * c - ux * s;  // e×u
    casosCargasGlobales.push_back(caso);
    agregarFila(cargasGlobales, wI * alongX, wF * alongX, wI * alongY, wF * alongY);
}

void objBarra2d::setCombo(std::string combo, double factor, std::string caso)
{
    Eigen::RowVector4d suma = Eigen::RowVector4d::Zero();
    for (std::size_t i = 0; i < casosCargasLocales.size(); ++i) {
        if (casosCargasLocales[i] == caso) suma += cargasLocales.row(i) * factor;
    }
    for (std::size_t i = 0; i < casosCargasGlobales.size(); ++i) {
        if (casosCargasGlobales[i] == caso) suma += cargasGlobales.row(i) * factor;
    }

    for (std::size_t c = 0; c < nombresCombos.size(); ++c) {
        if (nombresCombos[c] == combo) {
            matrizCargasCombo.row(c) += suma;
            return;
        }
    }
    nombresCombos.push_back(combo);
    agregarFila(matrizCargasCombo, suma(0), suma(1), suma(2), suma(3));
}

double objBarra2d::getFInicioCombo(int c) const { return elementoOCero(matrizCargasCombo, c, 0); }
double objBarra2d::getFFinCombo(int c) const { return elementoOCero(matrizCargasCombo, c, 1); }
double objBarra2d::getQInicioCombo(int c) const { return elementoOCero(matrizCargasCombo, c, 2); }
double objBarra2d::getQFinCombo(int c) const { return elementoOCero(matrizCargasCombo, c, 3); }
Eigen::MatrixXd objBarra2d::getMatrizCargasCombo() const { return matrizCargasCombo; }

Eigen::MatrixXd objBarra2d::getCargasEquivalentesLocales()
{
    if (flag[kLongitud] == 0) getLongitud();
    // Without a length (nodes missing) the loads have no lever: L = 0 gives zeros.
    const double L = flag[kLongitud] == 1 ? longitud : 0.0;
    const double L2 = std::pow(L, 2);
    const Eigen::Index nc = static_cast<Eigen::Index>(nombresCombos.size());
    cargasEquivalentesLocales.setZero(6, nc);

    for (Eigen::Index c = 0; c < nc; ++c) {
        const double fI = matrizCargasCombo(c, 0);
        const double fF = matrizCargasCombo(c, 1);
        const double qI = matrizCargasCombo(c, 2);
        const double qF = matrizCargasCombo(c, 3);

        // Transverse: uniform part h plus a triangle o peaking at the larger end.
        // Fixed-end forces, M counter-clockwise:
        //   uniform h:               R1 = R2 = h·L/2,           M1 = h·L²/12,  M2 = -h·L²/12
        //   triangle o, peak at 1:   R1 = 7·o·L/20, R2 = 3·o·L/20, M1 = o·L²/20,  M2 = -o·L²/30
        //   triangle o, peak at 2:   R1 = 3·o·L/20, R2 = 7·o·L/20, M1 = o·L²/30,  M2 = -o·L²/20
        double R1, M1, R2, M2;
        if (qI > qF) {
            const double h = qF, o = qI - qF;
            R1 = L * (7 * o / 20) + L * h / 2;
            M1 = L2 * h / 12 + L2 * o / 20;
            R2 = L * (3 * o / 20) + L * h / 2;
            M2 = -L2 * h / 12 - L2 * o / 30;
        } else if (qF > qI) {
            const double h = qI, o = qF - qI;
            R1 = L * (3 * o / 20) + L * h / 2;
            M1 = L2 * h / 12 + L2 * o / 30;
            R2 = L * (7 * o / 20) + L * h / 2;
            M2 = -L2 * h / 12 - L2 * o / 20;
        } else {
            const double h = qI;
            R1 = L * h / 2;
            M1 = L2 * h / 12;
            R2 = L * h / 2;
            M2 = -L2 * h / 12;
        }

        // Axial: uniform part a plus a triangle d, the same way:
        //   uniform a: N1 = N2 = a·L/2;  triangle d, peak at 1: N1 = d·L/3, N2 = d·L/6
        double N1, N2;
        if (fI > fF) {
            const double a = fF, d = fI - fF;
            N1 = L * d / 3 + L * a / 2;
            N2 = L * d / 6 + L * a / 2;
        } else if (fF > fI) {
            const double a = fI, d = fF - fI;
            N1 = L * d / 6 + L * a / 2;
            N2 = L * d / 3 + L * a / 2;
        } else {
            const double a = fI;
            N1 = L * a / 2;
            N2 = L * a / 2;
        }

        cargasEquivalentesLocales.col(c) << N1, R1, M1, N2, R2, M2;
    }
    flag[kEquivLocales] = 1;
    return cargasEquivalentesLocales;
}

Eigen::MatrixXd objBarra2d::getCargasEquivalentesGlobales()
{
    const Eigen::Index nc = static_cast<Eigen::Index>(nombresCombos.size());
    // Held once formed; formed again only when the number of combinations changed since.
    if (flag[kEquivGlobales] != 0 && cargasEquivalentesGlobales.cols() == nc) return cargasEquivalentesGlobales;

    if (flag[kEquivLocales] == 0 || cargasEquivalentesLocales.cols() != nc) getCargasEquivalentesLocales();
    // The transformation is derived as getKGlobal would; without an angle getT leaves zeros.
    if (flag[kAngulo] == 0) angulo = getAngulo();
    if (flag[kT] == 0) T = getT();
    cargasEquivalentesGlobales = T.transpose() * cargasEquivalentesLocales;
    flag[kEquivGlobales] = 1;
    return cargasEquivalentesGlobales;
}
