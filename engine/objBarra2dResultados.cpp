// Result side of objBarra2d: end displacements handed over by the solver, the
// elastic curve of each combination and what is sampled from it.
//
// Elastic curve of one combination, q(x) = -(a·x + b):
//   E·I·v(x) = -a·x^5/120 - b·x^4/24 + C1·x^3/6 + C2·x^2/2 + C3·x + C4
//   M(x)     = -a·x^3/6   - b·x^2/2  + C1·x     + C2
//   V(x)     = -a·x^2/2   - b·x      + C1
// constantesIntegracion holds (a, b, C1, C2, C3, C4) per column.
//
// Every query checks the combination index against the stored tables, so a
// bar without results, an index out of range or fewer than two stations give
// an empty 2 x 0 matrix (or -1 / 0) instead of reading outside a table.

#include <algorithm>
#include <cmath>

#include <Eigen/LU>

#include "objBarra2d.h"

// V(x) and M(x) of combination c, from column c of constantesIntegracion.
double objBarra2d::cortanteEn(int c, double x) const
{
    const double a = constantesIntegracion(0, c);
    const double b = constantesIntegracion(1, c);
    const double C1 = constantesIntegracion(2, c);
    return -a * std::pow(x, 2) / 2.0 - b * x + C1;
}

double objBarra2d::momentoEn(int c, double x) const
{
    const double a = constantesIntegracion(0, c);
    const double b = constantesIntegracion(1, c);
    const double C1 = constantesIntegracion(2, c);
    const double C2 = constantesIntegracion(3, c);
    return -a * std::pow(x, 3) / 6.0 - b * std::pow(x, 2) / 2.0 + C1 * x + C2;
}

namespace {

// True when every table holds the six rows of combination c.
bool hayResultados(const Eigen::MatrixXd& globales, const Eigen::MatrixXd& locales,
                   const Eigen::MatrixXd& constantes, int c)
{
    return c >= 0 && globales.rows() == 6 && locales.rows() == 6 && constantes.rows() == 6 &&
           c < globales.cols() && c < locales.cols() && c < constantes.cols();
}

// Station i of n along a bar of length L, the spacing formed first.
double estacion(double L, int n, int i)
{
    return (L / (n - 1)) * i;
}

// Row 0 the n stations along a bar of length L, row 1 valor(x) at each.
template <class Valor>
Eigen::MatrixXd muestrear(double L, int n, Valor valor)
{
    Eigen::MatrixXd r(2, n);
    for (int i = 0; i < n; ++i) {
        const double x = estacion(L, n, i);
        r(0, i) = x;
        r(1, i) = valor(x);
    }
    return r;
}

// A shear within this fraction of the bar's forces (escalaDeFuerzas) is
// rounding. The shear is formed from those forces and carries their rounding,
// a few units of 1e-16 of them, so the margin leaves a factor of a million for
// what an ill-conditioned solve adds; and that fraction of a bar's forces is
// far below any shear a designer reads.
const double margenCortanteNulo = 1e-10;

// Size of the forces a bar's shear is formed from in combination c: each term
// of its local end forces k·u - P before they cancel (moments over L) and its
// distributed loads over its length. The shear carries rounding of a few ulps
// of this size, whatever the shear itself.
double escalaDeFuerzas(const Eigen::MatrixXd& kLocal, const Eigen::MatrixXd& locales,
                       const Eigen::MatrixXd& equivalentes, const Eigen::MatrixXd& cargas, int c, double L)
{
    double escala = 0.0;
    if (kLocal.rows() == 6 && kLocal.cols() == 6) {
        Eigen::VectorXd terminos = kLocal.cwiseAbs() * locales.col(c).cwiseAbs();
        if (equivalentes.rows() == 6 && c < equivalentes.cols()) terminos += equivalentes.col(c).cwiseAbs();
        terminos(2) /= L;
        terminos(5) /= L;
        escala = terminos.maxCoeff();
    }
    if (cargas.cols() >= 4 && c < cargas.rows())
        escala = std::max(escala, cargas.row(c).head(4).cwiseAbs().maxCoeff() * L);
    return escala;
}

// Drops the root nearest the end e, the zero of the shear that is at e; a root
// that is not a number is no root.
void descartarLaMasCercana(double e, double& r1, double& r2)
{
    if (std::isnan(r1) || std::abs(r2 - e) < std::abs(r1 - e))
        r2 = std::nan("");
    else
        r1 = std::nan("");
}

}  // namespace

void objBarra2d::setDesplazamientos(Eigen::MatrixXd d)
{
    desplazamientosGlobales = d;
    const int nc = static_cast<int>(d.cols());

    // Without six rows or a transformation there is nothing to turn into local
    // axes; the bar then holds no results.
    if (d.rows() != 6 || T.rows() != 6 || T.cols() != 6) {
        desplazamientosLocales.resize(0, 0);
        constantesIntegracion.resize(0, 0);
        return;
    }

    desplazamientosLocales = T * desplazamientosGlobales;
    constantesIntegracion.resize(6, nc);

    // A bar of zero length has no span: its curve is left at zero rather than
    // dividing by L in the load terms and solving a singular system.
    const double L = longitud;
    if (!(L > 0.0)) {
        constantesIntegracion.setZero();
        return;
    }

    const double EI = moduloE * inercia;

    // The end conditions v(0), v'(0), v(L), v'(L) on (C1, C2, C3, C4) depend on L only.
    Eigen::MatrixXd A(4, 4);
    A << 0.0, 0.0, 0.0, 1.0,
         0.0, 0.0, 1.0, 0.0,
         std::pow(L, 3) / 6.0, std::pow(L, 2) / 2.0, L, 1.0,
         std::pow(L, 2) / 2.0, L, 1.0, 0.0;
    const Eigen::FullPivLU<Eigen::MatrixXd> lu = A.fullPivLu();

    const bool hayCargas = matrizCargasCombo.cols() >= 4;
    for (int i = 0; i < nc; ++i) {
        const double v1 = desplazamientosLocales(1, i);
        const double t1 = desplazamientosLocales(2, i);
        const double v2 = desplazamientosLocales(4, i);
        const double t2 = desplazamientosLocales(5, i);

        // A combination without a load row carries no span load.
        double qI = 0.0;
        double qF = 0.0;
        if (hayCargas && i < matrizCargasCombo.rows()) {
            qI = matrizCargasCombo(i, 2);
            qF = matrizCargasCombo(i, 3);
        }

        // q(x) = qI + (qF - qI)·x/L = -(a·x + b)
        const double a = -(qF - qI) / L;
        const double b = -qI;

        Eigen::VectorXd rhs(4);
        rhs << EI * v1,
               EI * t1,
               EI * v2 + a * std::pow(L, 5) / 120.0 + b * std::pow(L, 4) / 24.0,
               EI * t2 + a * std::pow(L, 4) / 24.0 + b * std::pow(L, 3) / 6.0;
        const Eigen::VectorXd C = lu.solve(rhs);

        constantesIntegracion.col(i) << a, b, C(0), C(1), C(2), C(3);
    }
}

bool objBarra2d::tieneResultados(int c) const
{
    return hayResultados(desplazamientosGlobales, desplazamientosLocales, constantesIntegracion, c);
}

Eigen::MatrixXd objBarra2d::getSolicitacionAxial(int c, int n) const
{
    if (n < 2 || !tieneResultados(c) ||
        kLocal.rows() != 6 || kLocal.cols() != 6)
        return Eigen::MatrixXd(2, 0);

    // Local end forces the nodes exert on the bar, F = k·u - P, for combination c;
    // a missing equivalent-load column counts as no load.
    Eigen::VectorXd F = kLocal * desplazamientosLocales.col(c);
    if (cargasEquivalentesLocales.rows() == 6 && c < cargasEquivalentesLocales.cols())
        F -= cargasEquivalentesLocales.col(c);

    const double Ni = -F(0);
    const double Nf = F(3);
    const double L = longitud;

    // A bar of zero length has every station at its start and no force line.
    return muestrear(L, n, [&](double x) { return L > 0.0 ? x * (Nf - Ni) / L + Ni : 0.0; });
}

Eigen::MatrixXd objBarra2d::getSolicitacionCortante(int c, int n) const
{
    if (n < 2 || !tieneResultados(c))
        return Eigen::MatrixXd(2, 0);

    return muestrear(longitud, n, [&](double x) { return cortanteEn(c, x); });
}

Eigen::MatrixXd objBarra2d::getSolicitacionMomento(int c, int n) const
{
    if (n < 2 || !tieneResultados(c))
        return Eigen::MatrixXd(2, 0);

    return muestrear(longitud, n, [&](double x) { return momentoEn(c, x); });
}

double objBarra2d::getXvcero(int c)
{
    xVcero = -1.0;
    if (!tieneResultados(c))
        return xVcero;

    // V(x) = alfa·x^2 + beta·x + gama
    const double alfa = -constantesIntegracion(0, c) / 2.0;
    const double beta = -constantesIntegracion(1, c);
    const double gama = constantesIntegracion(2, c);
    const double L = longitud;

    const double ruido =
        margenCortanteNulo * escalaDeFuerzas(kLocal, desplazamientosLocales, cargasEquivalentesLocales, matrizCargasCombo, c, L);

    // Roots without cancellation: with q = -(beta + sign(beta)·sqrt(D))/2 they are
    // q/alfa and gama/q. r2 stays (-beta - sqrt(D))/(2·alfa) and r1 the other,
    // so that r2 still wins when both lie inside. A root that is not a number
    // (D < 0, or no load at all) is never inside.
    double r1;
    double r2;
    if (alfa != 0.0) {
        const double raiz = std::sqrt(std::pow(beta, 2) - 4.0 * alfa * gama);
        if (beta >= 0.0) {
            const double q = -(beta + raiz) / 2.0;
            r2 = q / alfa;
            r1 = gama / q;
        } else {
            const double q = (raiz - beta) / 2.0;
            r1 = q / alfa;
            r2 = gama / q;
        }
    } else {
        r1 = -gama / beta;
        r2 = std::nan("");
    }

    // An end where the shear is rounding holds a zero of its own, which
    // rounding may move inside, by up to sqrt(1e-16)·L when the slope there is
    // rounding too. That zero is the root nearest the end, or both roots when
    // it is double. A true zero at a distance d from an end leaves there a
    // shear of about d·q, so it is kept unless d·q is below the margin of the
    // bar's forces. A shear that is rounding along the whole bar is rounding
    // at both ends, so both its roots go.
    const double extremos[2] = {0.0, L};
    const double cortantes[2] = {cortanteEn(c, 0.0), cortanteEn(c, L)};
    const double pendientes[2] = {beta, 2.0 * alfa * L + beta};
    for (int k = 0; k < 2; ++k) {
        if (!(std::abs(cortantes[k]) <= ruido)) continue;
        if (std::abs(pendientes[k]) * L <= ruido) return xVcero;
        descartarLaMasCercana(extremos[k], r1, r2);
    }

    if (r1 > 0.0 && r1 < L) xVcero = r1;
    if (r2 > 0.0 && r2 < L) xVcero = r2;
    return xVcero;
}

double objBarra2d::getMmax(int c) const
{
    if (!(xVcero > 0.0 && xVcero < longitud) ||
        !tieneResultados(c))
        return 0.0;

    return momentoEn(c, xVcero);
}

Eigen::MatrixXd objBarra2d::getBarraDeformada(int c, int n, double s) const
{
    if (n < 2 || !tieneResultados(c))
        return Eigen::MatrixXd(2, 0);

    const double UX1 = desplazamientosGlobales(0, c);
    const double UY1 = desplazamientosGlobales(1, c);
    const double L = longitud;
    Eigen::MatrixXd r(2, n);

    // Two coincident nodes give no axis to bend along: the shape is the straight
    // line between the two displaced ends.
    if (!(L > 0.0)) {
        const double UX2 = desplazamientosGlobales(3, c);
        const double UY2 = desplazamientosGlobales(4, c);
        for (int i = 0; i < n; ++i) {
            const double t = static_cast<double>(i) / (n - 1);
            r(0, i) = xi + UX1 * s + t * ((xf + UX2 * s) - (xi + UX1 * s));
            r(1, i) = yi + UY1 * s + t * ((yf + UY2 * s) - (yi + UY1 * s));
        }
        return r;
    }

    const double u1 = desplazamientosLocales(0, c);
    const double u2 = desplazamientosLocales(3, c);
    const double a = constantesIntegracion(0, c);
    const double b = constantesIntegracion(1, c);
    const double C1 = constantesIntegracion(2, c);
    const double C2 = constantesIntegracion(3, c);
    const double C3 = constantesIntegracion(4, c);
    const double C4 = constantesIntegracion(5, c);

    // Transverse displacement at each station, v = (1/(E·I))·(E·I·v). Without
    // bending stiffness that quotient is not finite; the offsets are then taken
    // as the straight line between the two local end displacements.
    const double EI = moduloE * inercia;
    const double inversaEI = EI != 0.0 ? 1.0 / EI : 0.0;
    const bool sinRigidez = EI == 0.0 || !std::isfinite(inversaEI);
    const double v1 = desplazamientosLocales(1, c);
    const double v2 = desplazamientosLocales(4, c);
    Eigen::VectorXd v(n);
    for (int i = 0; i < n; ++i) {
        const double x = estacion(L, n, i);
        if (sinRigidez)
            v(i) = v1 + (v2 - v1) * i / (n - 1);
        else
            v(i) = inversaEI * (-a * std::pow(x, 5) / 120.0 - b * std::pow(x, 4) / 24.0 +
                                C1 * std::pow(x, 3) / 6.0 + C2 * std::pow(x, 2) / 2.0 + C3 * x + C4);
    }

    // Local offsets from the start node (axial stretch spread linearly,
    // transverse relative to v(0)), magnified, turned into global axes and
    // moved to the start node's displaced position.
    const double cosA = std::cos(angulo);
    const double senA = std::sin(angulo);
    for (int i = 0; i < n; ++i) {
        const double p = estacion(L, n, i) + i * (((u2 - u1) * s) / (n - 1));
        const double w = (v(i) - v(0)) * s;
        r(0, i) = p * cosA - w * senA + xi + UX1 * s;
        r(1, i) = p * senA + w * cosA + yi + UY1 * s;
    }
    return r;
}

Eigen::MatrixXd objBarra2d::getConstantesIntegracion() const
{
    return constantesIntegracion;
}

Eigen::MatrixXd objBarra2d::getDesplazamientosLocales() const
{
    return desplazamientosLocales;
}

Eigen::MatrixXd objBarra2d::getDesplazamientosGlobales() const
{
    return desplazamientosGlobales;
}
