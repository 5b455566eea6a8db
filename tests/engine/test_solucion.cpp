#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <Eigen/LU>

#include "util.h"
#include "vardel2d.h"

namespace {

class Solucion : public EstadoLimpio {};

// Nodal values of the cubic element with consistent loads are exact, so only
// rounding separates the results from the closed forms.
constexpr double kRel = 1e-11;

constexpr double E = 2e8;
constexpr double A = 1e-2;
constexpr double I = 1e-4;
constexpr double EI = E * I;

::testing::AssertionResult cerca(double valor, double esperado, double escala = 0.0)
{
    const double tol = kRel * std::max(std::abs(esperado), escala);
    if (std::abs(valor - esperado) <= tol) return ::testing::AssertionSuccess();
    std::ostringstream m;
    m.precision(17);
    m << valor << " vs " << esperado << " (diferencia relativa " << std::abs(valor - esperado) / std::abs(esperado)
      << ")";
    return ::testing::AssertionFailure() << m.str();
}

// Builds the model of the text through the builder and solves it; returns what the solver printed.
std::string resolver(const std::string& texto)
{
    vaciarModelo();
    ArchivoTemporal f(texto);
    return leerYResolver(f.ruta());
}

std::string seccion(double a, double i)
{
    std::ostringstream s;
    s.precision(17);
    s << "seccionGenerica: S " << a << " " << i << " " << E << " ";
    return s.str();
}

// Value of a distribution at station k of n.
double en(const Eigen::MatrixXd& d, int k)
{
    return d(1, k);
}

double momento(int b, int c, int k, int n = 3)
{
    return en(barra[b].getSolicitacionMomento(c, n), k);
}

// Every combination: applied node and bar loads plus reactions give no resultant
// force and no resultant moment about the origin.
void comprobarEquilibrio()
{
    for (int c = 0; c < noCombos; ++c) {
        double fx = 0, fy = 0, mz = 0, escalaF = 0, escalaM = 0;
        for (auto& n : nudo) {
            const double px = n.getPxCombo(c) + n.getReaccionX(c);
            const double py = n.getPyCombo(c) + n.getReaccionY(c);
            const double m = n.getMzCombo(c) + n.getReaccionM(c) + n.getX() * py - n.getY() * px;
            fx += px;
            fy += py;
            mz += m;
            escalaF += std::abs(n.getReaccionX(c)) + std::abs(n.getReaccionY(c)) + std::abs(n.getPxCombo(c)) +
                       std::abs(n.getPyCombo(c));
            escalaM += std::abs(m) + std::abs(n.getReaccionM(c)) + std::abs(n.getMzCombo(c));
        }
        for (auto& b : barra) {
            const Eigen::MatrixXd q = b.getMatrizCargasCombo();
            const double L = b.getLongitud();
            const double ex = std::cos(b.getAngulo()), ey = std::sin(b.getAngulo());
            // Resultants of the linear intensities: ∫p = L(pI+pF)/2, ∫x·q = L²(qI+2qF)/6.
            const double axial = L * (q(c, 0) + q(c, 1)) / 2;
            const double transversal = L * (q(c, 2) + q(c, 3)) / 2;
            const double gx = axial * ex - transversal * ey;
            const double gy = axial * ey + transversal * ex;
            const double m = b.getXi() * gy - b.getYi() * gx + L * L * (q(c, 2) + 2 * q(c, 3)) / 6;
            fx += gx;
            fy += gy;
            mz += m;
            escalaF += std::abs(gx) + std::abs(gy);
            escalaM += std::abs(m);
        }
        EXPECT_NEAR(fx, 0.0, 1e-10 * escalaF) << "combinación " << c;
        EXPECT_NEAR(fy, 0.0, 1e-10 * escalaF) << "combinación " << c;
        EXPECT_NEAR(mz, 0.0, 1e-10 * escalaM) << "combinación " << c;
    }
}

// Combination `combo` against the factored sum of single-case combinations:
// displacements, node reactions and bar moments.
void comprobarLinealidad(int combo, const std::vector<std::pair<int, double>>& partes)
{
    Eigen::VectorXd suma = Eigen::VectorXd::Zero(u.rows());
    for (const auto& [k, f] : partes) suma += f * u.col(k);
    EXPECT_LE((u.col(combo) - suma).norm(), 1e-12 * suma.norm()) << "desplazamientos";

    for (auto& n : nudo) {
        double r[3] = {n.getReaccionX(combo), n.getReaccionY(combo), n.getReaccionM(combo)};
        for (const auto& [k, f] : partes) {
            r[0] -= f * n.getReaccionX(k);
            r[1] -= f * n.getReaccionY(k);
            r[2] -= f * n.getReaccionM(k);
        }
        double escala = 1;
        for (const auto& [k, f] : partes) {
            escala += std::abs(f) * (std::abs(n.getReaccionX(k)) + std::abs(n.getReaccionY(k)) +
                                     std::abs(n.getReaccionM(k)));
        }
        for (double x : r) EXPECT_NEAR(x, 0.0, 1e-10 * escala) << "reacciones del nudo " << n.getNoNudoUsuario();
    }
    for (auto& b : barra) {
        Eigen::MatrixXd m = b.getSolicitacionMomento(combo, 5);
        double escala = 1;
        for (const auto& [k, f] : partes) {
            const Eigen::MatrixXd mk = b.getSolicitacionMomento(k, 5);
            m.row(1) -= f * mk.row(1);
            escala += std::abs(f) * mk.row(1).cwiseAbs().maxCoeff();
        }
        EXPECT_NEAR(m.row(1).cwiseAbs().maxCoeff(), 0.0, 1e-10 * escala) << "momentos de la barra "
                                                                          << b.getNoBarraUsuario();
    }
}

// Displacement of the node with internal number i along (dx, dy).
double desplazamiento(int i, int c, double dx, double dy)
{
    return nudo[i].getDesplazamientoX(c) * dx + nudo[i].getDesplazamientoY(c) * dy;
}

TEST_F(Solucion, VoladizoEnCualquierDireccion)
{
    // Tip load P and uniform load w, both normal to the bar; combination 2 adds them factored.
    const double P = 7, w = 3;
    const struct {
        const char* nombre;
        double x, y;  // free end; the base is the origin
        const char* apoyo;
    } casos[] = {{"a lo largo de +X", 4, 0, "1 1 1"},
                 {"hacia arriba", 0, 4, "1 1 1"},
                 {"a lo largo de -X", -4, 0, "1 1 1"},
                 {"hacia abajo", 0, -4, "1 1 1"},
                 {"inclinada 3-4-5, códigos 2", 3, 4, "2 2 2"},
                 {"inclinada, códigos 1 2 9", -2.4, -3.2, "1 2 9"}};
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        const double L = std::hypot(k.x, k.y);
        const double ex = k.x / L, ey = k.y / L, nx = -ey, ny = ex;
        std::ostringstream t;
        t.precision(17);
        t << "nudos: 1 0 0 2 " << k.x << " " << k.y << " barras: 1 1 2 apoyo: " << k.apoyo << " 1 "
          << seccion(A, I) << "1 puntual: P " << P * nx << " " << P * ny << " 0 2 distribuidaLocal: w 0 0 " << w
          << " " << w << " 1 combo: soloP 1 P combo: soloW 1 w combo: ambos 1.2 P -0.7 w";
        ASSERT_EQ(resolver(t.str()), "");

        EXPECT_TRUE(cerca(desplazamiento(1, 0, nx, ny), P * std::pow(L, 3) / (3 * EI)));
        EXPECT_TRUE(cerca(nudo[1].getGiroZ(0), P * L * L / (2 * EI)));
        EXPECT_TRUE(cerca(desplazamiento(1, 0, ex, ey), 0.0, P * L * L / (2 * EI)));
        EXPECT_TRUE(cerca(nudo[0].getReaccionX(0), -P * nx, P));
        EXPECT_TRUE(cerca(nudo[0].getReaccionY(0), -P * ny, P));
        EXPECT_TRUE(cerca(nudo[0].getReaccionM(0), -P * L));

        EXPECT_TRUE(cerca(desplazamiento(1, 1, nx, ny), w * std::pow(L, 4) / (8 * EI)));
        EXPECT_TRUE(cerca(nudo[1].getGiroZ(1), w * std::pow(L, 3) / (6 * EI)));
        EXPECT_TRUE(cerca(nudo[0].getReaccionM(1), -w * L * L / 2));
        EXPECT_TRUE(cerca(momento(0, 1, 0), w * L * L / 2));
        EXPECT_TRUE(cerca(momento(0, 1, 2), 0.0, w * L * L));

        // Held degrees of freedom stay exactly at zero, whatever their code.
        for (int r = 0; r < 3; ++r) EXPECT_EQ(u(r, 0), 0.0);
        comprobarEquilibrio();
        comprobarLinealidad(2, {{0, 1.2}, {1, -0.7}});
    }
}

TEST_F(Solucion, VigaEmpotradaEnAmbosExtremos)
{
    // Span L in two bars, so the midspan node gives the deflection; uniform load w
    // and a trapezoid w1 -> w2 over the whole span, both downwards.
    const double L = 6, w = 12, w1 = 10, w2 = 30, wm = (w1 + w2) / 2;
    std::ostringstream t;
    t << "nudos: 1 0 0 2 3 0 3 6 0 barras: 1 1 2 2 2 3 apoyo: 1 1 1 1 3 " << seccion(A, I) << "1 2 "
      << "distribuidaGlobal: u " << w << " " << w << " 0 -1 1 2 "
      << "distribuidaGlobal: t " << w1 << " " << wm << " 0 -1 1 distribuidaGlobal: t " << wm << " " << w2
      << " 0 -1 2 combo: U 1 u combo: T 1 t combo: UT 1.5 u -0.5 t";
    ASSERT_EQ(resolver(t.str()), "");

    EXPECT_TRUE(cerca(nudo[0].getReaccionY(0), w * L / 2));
    EXPECT_TRUE(cerca(nudo[2].getReaccionY(0), w * L / 2));
    EXPECT_TRUE(cerca(nudo[0].getReaccionM(0), w * L * L / 12));
    EXPECT_TRUE(cerca(nudo[2].getReaccionM(0), -w * L * L / 12));
    EXPECT_TRUE(cerca(momento(0, 0, 0), -w * L * L / 12));
    EXPECT_TRUE(cerca(momento(0, 0, 2), w * L * L / 24));
    EXPECT_TRUE(cerca(momento(1, 0, 2), -w * L * L / 12));
    EXPECT_TRUE(cerca(nudo[1].getDesplazamientoY(0), -w * std::pow(L, 4) / (384 * EI)));
    EXPECT_TRUE(cerca(nudo[1].getGiroZ(0), 0.0, w * std::pow(L, 3) / EI));

    const double y1 = L * (7 * w1 + 3 * w2) / 20, y2 = L * (3 * w1 + 7 * w2) / 20;
    const double m1 = L * L * (3 * w1 + 2 * w2) / 60, m2 = L * L * (2 * w1 + 3 * w2) / 60;
    EXPECT_TRUE(cerca(nudo[0].getReaccionY(1), y1));
    EXPECT_TRUE(cerca(nudo[2].getReaccionY(1), y2));
    EXPECT_TRUE(cerca(nudo[0].getReaccionM(1), m1));
    EXPECT_TRUE(cerca(nudo[2].getReaccionM(1), -m2));
    EXPECT_TRUE(cerca(en(barra[0].getSolicitacionCortante(1, 2), 0), y1));
    EXPECT_TRUE(cerca(en(barra[1].getSolicitacionCortante(1, 2), 1), -y2));
    EXPECT_TRUE(cerca(momento(0, 1, 0), -m1));
    EXPECT_TRUE(cerca(momento(1, 1, 2), -m2));

    comprobarEquilibrio();
    comprobarLinealidad(2, {{0, 1.5}, {1, -0.5}});
}

TEST_F(Solucion, VoladizoApuntalado)
{
    // Fixed end and roller under a downward uniform load w; the bar runs left to
    // right, so with the fixed end on the right the zero shear is 3L/8 from its start.
    const double L = 5, w = 8;
    const struct {
        const char* nombre;
        const char* apoyos;
        int empotrado, rodillo;
        double xvcero, signo;
    } casos[] = {{"empotrado al inicio", "apoyo: 1 1 1 1 apoyo: 0 1 0 2", 0, 1, 5 * L / 8, 1},
                 {"empotrado al final", "apoyo: 0 1 0 1 apoyo: 1 1 1 2", 1, 0, 3 * L / 8, -1}};
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        std::ostringstream t;
        t << "nudos: 1 0 0 2 " << L << " 0 barras: 1 1 2 " << k.apoyos << " " << seccion(A, I)
          << "1 distribuidaGlobal: g " << w << " " << w << " 0 -1 1 combo: G 1 g combo: G2 2.5 g";
        ASSERT_EQ(resolver(t.str()), "");

        EXPECT_TRUE(cerca(nudo[k.empotrado].getReaccionY(0), 5 * w * L / 8));
        EXPECT_TRUE(cerca(nudo[k.rodillo].getReaccionY(0), 3 * w * L / 8));
        EXPECT_TRUE(cerca(nudo[k.empotrado].getReaccionM(0), k.signo * w * L * L / 8));
        EXPECT_TRUE(cerca(momento(0, 0, k.empotrado * 2), -w * L * L / 8));
        EXPECT_TRUE(cerca(barra[0].getXvcero(0), k.xvcero));
        EXPECT_TRUE(cerca(barra[0].getMmax(0), 9 * w * L * L / 128));

        comprobarEquilibrio();
        comprobarLinealidad(1, {{0, 2.5}});
    }
}

TEST_F(Solucion, PorticoEmpotradoDesplazamientoLateral)
{
    // H at the left beam end; columns of huge area so that only bending counts.
    // The mean sway of the two beam ends is that of the antisymmetric part, in which
    // the beam carries no axial force.
    const double h = 4, L = 6, Ic = 1e-4, Ib = 2e-4, H = 10;
    const double k = (Ib / L) / (Ic / h);
    std::ostringstream t;
    t.precision(17);
    t << "nudos: 1 0 0 2 0 " << h << " 3 " << L << " " << h << " 4 " << L << " 0 barras: 1 1 2 2 2 3 3 3 4 "
      << "apoyo: 1 1 1 1 4 seccionGenerica: C 1e8 " << Ic << " " << E << " 1 3 seccionGenerica: V " << A << " "
      << Ib << " " << E << " 2 puntual: H " << H << " 0 0 2 combo: H 1 H combo: H3 -3 H";
    ASSERT_EQ(resolver(t.str()), "");

    const double sway = H * std::pow(h, 3) * (2 + 3 * k) / (12 * E * Ic * (1 + 6 * k));
    EXPECT_TRUE(cerca((nudo[1].getDesplazamientoX(0) + nudo[2].getDesplazamientoX(0)) / 2, sway));
    EXPECT_TRUE(cerca(nudo[0].getReaccionX(0) + nudo[3].getReaccionX(0), -H));
    comprobarEquilibrio();
    comprobarLinealidad(1, {{0, -3}});
}

TEST_F(Solucion, ApoyosElasticos)
{
    // A cantilever on a rotational base spring, and a node that no bar reaches held
    // by springs alone in X, Y and rotation.
    const double L = 3, P = 5, kg = 4e3, kx = 2e3, ky = 5e3, kgNudo = 7e2;
    const double px = 3, py = -4, mz = 2;
    std::ostringstream t;
    t << "nudos: 1 0 0 2 " << L << " 0 3 10 10 barras: 1 1 2 apoyo: 1 1 0 1 resorte: 0 0 " << kg << " 1 "
      << "resorte: " << kx << " " << ky << " " << kgNudo << " 3 " << seccion(A, I) << "1 puntual: P 0 " << P
      << " 0 2 puntual: Q " << px << " " << py << " " << mz << " 3 combo: P 1 P combo: Q 1 Q combo: PQ 2 P 3 Q";
    ASSERT_EQ(resolver(t.str()), "");

    EXPECT_TRUE(cerca(nudo[1].getDesplazamientoY(0), P * std::pow(L, 3) / (3 * EI) + P * L * L / kg));
    EXPECT_TRUE(cerca(nudo[0].getGiroZ(0), P * L / kg));
    EXPECT_TRUE(cerca(nudo[0].getReaccionM(0), -P * L));

    EXPECT_TRUE(cerca(nudo[2].getDesplazamientoX(1), px / kx));
    EXPECT_TRUE(cerca(nudo[2].getDesplazamientoY(1), py / ky));
    EXPECT_TRUE(cerca(nudo[2].getGiroZ(1), mz / kgNudo));
    EXPECT_TRUE(cerca(nudo[2].getReaccionX(1), -px));
    EXPECT_TRUE(cerca(nudo[2].getReaccionY(1), -py));
    EXPECT_TRUE(cerca(nudo[2].getReaccionM(1), -mz));

    comprobarEquilibrio();
    comprobarLinealidad(2, {{0, 2}, {1, 3}});
}

TEST_F(Solucion, BarraInclinadaBajoCargaVertical)
{
    // Bar from (0,0) to (a,b) with w per unit bar length downwards: the horizontal
    // beam of span a under W = w·L/a per unit length gives the answer by statics.
    const double a = 4, b = 3, L = 5, w = 10, W = w * L / a, sena = b / L;
    const struct {
        const char* nombre;
        const char* apoyos;
        double m0, mMedio, mL, reaccionM0, reaccionML;
    } casos[] = {{"empotrada", "apoyo: 1 1 1 1 2", -W * a * a / 12, W * a * a / 24, -W * a * a / 12,
                  W * a * a / 12, -W * a * a / 12},
                 {"articulada y con rodillo", "apoyo: 1 1 0 1 apoyo: 0 1 0 2", 0, W * a * a / 8, 0, 0, 0}};
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        std::ostringstream t;
        t << "nudos: 1 0 0 2 " << a << " " << b << " barras: 1 1 2 " << k.apoyos << " " << seccion(A, I)
          << "1 distribuidaGlobal: g " << w << " " << w << " 0 -1 1 combo: G 1 g combo: G2 -0.5 g";
        ASSERT_EQ(resolver(t.str()), "");

        const double escala = W * a * a;
        for (int i : {0, 1}) {
            EXPECT_TRUE(cerca(nudo[i].getReaccionY(0), w * L / 2));
            EXPECT_TRUE(cerca(nudo[i].getReaccionX(0), 0.0, w * L));
        }
        EXPECT_TRUE(cerca(nudo[0].getReaccionM(0), k.reaccionM0, escala));
        EXPECT_TRUE(cerca(nudo[1].getReaccionM(0), k.reaccionML, escala));
        EXPECT_TRUE(cerca(momento(0, 0, 0), k.m0, escala));
        EXPECT_TRUE(cerca(momento(0, 0, 1), k.mMedio, escala));
        EXPECT_TRUE(cerca(momento(0, 0, 2), k.mL, escala));
        const Eigen::MatrixXd N = barra[0].getSolicitacionAxial(0, 2);
        EXPECT_TRUE(cerca(en(N, 0), -w * L / 2 * sena));
        EXPECT_TRUE(cerca(en(N, 1), w * L / 2 * sena));

        comprobarEquilibrio();
        comprobarLinealidad(1, {{0, -0.5}});
    }
}

TEST_F(Solucion, VoladizoInclinadoBajoCargaGlobalTrapecial)
{
    // Cantilever from (0,0) to (3,4) under w from 6 to 2 per unit bar length
    // along the oblique direction (1,-2): the load's components along the bar
    // (e·d) and across it (e×d) give the local trapezoids.
    const double L = 5, wI = 6, wF = 2, ex = 0.6, ey = 0.8;
    const double dx = 1 / std::sqrt(5.0), dy = -2 / std::sqrt(5.0);
    const double ca = ex * dx + ey * dy, cq = ex * dy - ey * dx;
    const double fI = wI * ca, fF = wF * ca, qI = wI * cq, qF = wF * cq;
    std::ostringstream t;
    t << "nudos: 1 0 0 2 3 4 barras: 1 1 2 apoyo: 1 1 1 1 " << seccion(A, I) << "1 distribuidaGlobal: g " << wI << " "
      << wF << " 1 -2 1 combo: G 1 g combo: G2 -0.5 g";
    ASSERT_EQ(resolver(t.str()), "");

    // Consistent loads in local axes, turned to global ones by e = (ex, ey) and n = (-ey, ex).
    const double N1 = L * (2 * fI + fF) / 6, R1 = L * (7 * qI + 3 * qF) / 20, M1 = L * L * (3 * qI + 2 * qF) / 60;
    const double N2 = L * (fI + 2 * fF) / 6, R2 = L * (3 * qI + 7 * qF) / 20, M2 = -L * L * (2 * qI + 3 * qF) / 60;
    const double equivalentes[6] = {N1 * ex - R1 * ey, N1 * ey + R1 * ex, M1, N2 * ex - R2 * ey, N2 * ey + R2 * ex, M2};
    const Eigen::MatrixXd g = barra[0].getCargasEquivalentesGlobales();
    ASSERT_EQ(g.rows(), 6);
    ASSERT_EQ(g.cols(), 2);
    for (int r = 0; r < 6; ++r) {
        EXPECT_TRUE(cerca(g(r, 0), equivalentes[r])) << "fila " << r;
        EXPECT_TRUE(cerca(g(r, 1), -0.5 * equivalentes[r])) << "fila " << r;
    }

    // Reactions by statics: the resultant L·(wI + wF)/2 along d, and its moment
    // about the base, (e×d)·L²·(wI + 2·wF)/6.
    const double W = L * (wI + wF) / 2;
    EXPECT_TRUE(cerca(nudo[0].getReaccionX(0), -W * dx));
    EXPECT_TRUE(cerca(nudo[0].getReaccionY(0), -W * dy));
    EXPECT_TRUE(cerca(nudo[0].getReaccionM(0), -cq * L * L * (wI + 2 * wF) / 6));

    // Tip: stretch L²·(fI + 2fF)/(6EA); deflection and rotation of the
    // cantilever under a trapezoid.
    const double u2 = L * L * (fI + 2 * fF) / (6 * E * A);
    const double v2 = (qI / 8 + 11 * (qF - qI) / 120) * std::pow(L, 4) / EI;
    const double t2 = (qI / 6 + (qF - qI) / 8) * std::pow(L, 3) / EI;
    EXPECT_TRUE(cerca(nudo[1].getDesplazamientoX(0), u2 * ex - v2 * ey));
    EXPECT_TRUE(cerca(nudo[1].getDesplazamientoY(0), u2 * ey + v2 * ex));
    EXPECT_TRUE(cerca(nudo[1].getGiroZ(0), t2));

    comprobarEquilibrio();
    comprobarLinealidad(1, {{0, -0.5}});
}

TEST_F(Solucion, SinGradosLibresNoDescomponeYReaccionaContraLasCargas)
{
    const double L = 4, w = 6;
    std::ostringstream t;
    t << "nudos: 1 0 0 2 " << L << " 0 barras: 1 1 2 apoyo: 1 1 1 1 2 " << seccion(A, I)
      << "1 distribuidaGlobal: g " << w << " " << w << " 0 -1 1 puntual: g 1 2 3 2 combo: G 1 g";
    ASSERT_EQ(resolver(t.str()), "");

    EXPECT_EQ(noLibres, 0);
    EXPECT_EQ(u.rows(), 6);
    EXPECT_EQ(u.cols(), 1);
    EXPECT_TRUE(u.isZero(0.0));
    EXPECT_EQ(reacciones, -pCombo);
    EXPECT_TRUE(cerca(nudo[0].getReaccionY(0), w * L / 2));
    EXPECT_TRUE(cerca(nudo[1].getReaccionX(0), -1));
    EXPECT_TRUE(cerca(nudo[1].getReaccionY(0), w * L / 2 - 2));
    EXPECT_TRUE(cerca(nudo[1].getReaccionM(0), -w * L * L / 12 - 3));
    EXPECT_TRUE(cerca(momento(0, 0, 0), -w * L * L / 12));
}

TEST_F(Solucion, ModeloVacioOSinBarras)
{
    vaciarModelo();
    noCombos = 2;
    EXPECT_EQ(salidaDe(funcionSolucionU), "");
    EXPECT_EQ(kEstructura.size(), 0);
    EXPECT_EQ(u.rows(), 0);

    // The restart solves a model without bars: the structure is its springs.
    ASSERT_EQ(resolver("nudos: 1 0 0 2 1 0 resorte: 2 3 4 1 2 apoyo: 0 1 0 2 puntual: p 4 6 8 1 2 combo: c 1 p"),
              "");
    EXPECT_EQ(noBarras, 0);
    Eigen::VectorXd diagonal(6);
    diagonal << 2, 3, 4, 2, 3, 4;
    EXPECT_EQ(kEstructura, Eigen::MatrixXd(diagonal.asDiagonal()));
    EXPECT_EQ(nudo[0].getDesplazamientoX(0), 2.0);
    EXPECT_EQ(nudo[0].getDesplazamientoY(0), 2.0);
    EXPECT_EQ(nudo[0].getGiroZ(0), 2.0);
    EXPECT_EQ(nudo[1].getDesplazamientoY(0), 0.0);
    EXPECT_EQ(nudo[1].getReaccionY(0), -6.0);
}

TEST_F(Solucion, SinCombinacionesTablasSinColumnas)
{
    ASSERT_EQ(resolver("nudos: 1 0 0 2 2 0 barras: 1 1 2 apoyo: 1 1 1 1 " + seccion(A, I) + "1"), "");
    EXPECT_EQ(noCombos, 0);
    EXPECT_EQ(u.rows(), 6);
    EXPECT_EQ(u.cols(), 0);
    EXPECT_EQ(reacciones.cols(), 0);
    EXPECT_EQ(barra[0].getDesplazamientosGlobales().cols(), 0);
    EXPECT_EQ(barra[0].getConstantesIntegracion().cols(), 0);
}

TEST_F(Solucion, CombinacionRepetidaOSinParesDaUnaColumnaPorNombre)
{
    const std::string modelo = "nudos: 1 0 0 2 3 0 barras: 1 1 2 apoyo: 1 1 1 1 " + seccion(A, I) +
                               "1 puntual: p 0 5 0 2 distribuidaLocal: p 0 0 1 2 1 ";
    ASSERT_EQ(resolver(modelo + "combo: a 1 p combo: b 2 p"), "");
    const Eigen::MatrixXd uSolo = u;

    // The blocks of "a" add up to 3·p and "vacia" has no pairs: every object
    // holds the two combinations the count says, and so do the tables.
    EXPECT_EQ(resolver(modelo + "combo: a 1 p combo: vacia combo: b 2 p combo: a 2 p"), "");
    ASSERT_EQ(noCombos, 2);
    ASSERT_EQ(u.cols(), 2);
    EXPECT_EQ(u.col(1), uSolo.col(1));
    EXPECT_LE((u.col(0) - 3 * uSolo.col(0)).norm(), 1e-12 * uSolo.col(0).norm());
    EXPECT_EQ(nudo[1].getDesplazamientoY(1), uSolo(4, 1));
    EXPECT_EQ(nudo[1].getCantidadDeCombos(), 2);
    EXPECT_EQ(barra[0].getDesplazamientosGlobales().cols(), 2);
}

// Nodes only, numbered as the builder numbers them, in place of the model: no
// bars and no combinations, as the builder leaves a file of nodes alone.
void soloNudos(int cuantos)
{
    barra.clear();
    noBarras = noCombos = 0;
    nudo.assign(cuantos, objNudo2d());
    for (int i = 0; i < cuantos; ++i) nudo[i].setNumeroDeNudo(i);
    noNudos = cuantos;
}

TEST_F(Solucion, ModeloDemasiadoGrandeParaLaMemoria)
{
    const struct {
        const char* nombre;
        std::function<void()> agrandar;
    } casos[] = {
        // No memory holds that many nodes, so only the count is set: the guard
        // reads nothing else, before any step relies on the nodes.
        {"3·noNudos no cabe en un int", [] { noNudos = INT_MAX / 3 + 1; }},
        // (3·2e6)² doubles are 2.9e14 bytes, twice the 2^47 bytes a process can
        // map on x86-64: the allocation fails whatever the kernel's overcommit policy.
        {"la matriz no cabe en la memoria direccionable", [] { soloNudos(2000000); }},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        ASSERT_EQ(resolver("nudos: 1 0 0 2 2 0 barras: 1 1 2 apoyo: 1 1 1 1 " + seccion(A, I) +
                           "1 puntual: p 0 1 0 2 combo: c 1 p"),
                  "");
        k.agrandar();
        EXPECT_EQ(salidaDe(funcionSolucionU), "Advertencia: el modelo es demasiado grande para resolverlo en memoria\n");
        EXPECT_EQ(kEstructura.size() + pCombo.size() + u.size() + reacciones.size(), 0);
        EXPECT_EQ(noLibres, 0);
    }
}

TEST_F(Solucion, SingularSoloAvisaCuandoLasCargasQuedanSinEquilibrio)
{
    const auto rango = [](int r, int n) {
        return "la matriz de rigidez de los grados de libertad libres es singular (rango " + std::to_string(r) +
               " de " + std::to_string(n) + ")";
    };
    const auto nota = [&](int r, int n) {
        return "Nota: " + rango(r, n) +
               "; las cargas no mueven los grados de libertad inestables o sin rigidez, que se tomaron como cero, y "
               "los resultados equilibran las cargas\n";
    };
    const auto aviso = [&](int r, int n, const std::string& combos) {
        return "Advertencia: la estructura es inestable: " + rango(r, n) + "; los resultados de " + combos +
               " no equilibran sus cargas\n";
    };
    const std::string voladizo = "barras: 1 1 2 apoyo: 1 1 1 1 " + seccion(A, I) + "1 puntual: p 0 7 0 2 ";
    const std::string viga = "nudos: 1 0 0 2 5 0 barras: 1 1 2 apoyo: 0 1 0 1 2 " + seccion(A, I) +
                             "1 distribuidaLocal: w 0 0 -1 -1 1 ";
    // Two bars of length 5 pinned at (0, 0) and (6, 0), meeting at (3, 4); E·I = 1e-14.
    const std::string celosia = "nudos: 1 0 0 2 6 0 3 3 4 barras: 1 1 3 2 2 3 apoyo: 1 1 0 1 2 " +
                                seccion(A, 1e-14 / E) + "1 2 puntual: p 0 -8 0 3 combo: P 1 p";
    const double L = 5, w = 1, P = 8, EA = E * A;

    const struct {
        const char* nombre;
        std::string modelo;
        std::string salida;
        std::function<void()> comprobar;
    } casos[] = {
        {"nudo suelto sin cargas junto a un voladizo", "nudos: 1 0 0 2 4 0 3 9 9 " + voladizo + "combo: c 1 p",
         nota(3, 6),
         [] {
             EXPECT_TRUE(cerca(nudo[1].getDesplazamientoY(0), 7 * std::pow(4, 3) / (3 * EI)));
             EXPECT_TRUE(cerca(nudo[1].getGiroZ(0), 7 * std::pow(4, 2) / (2 * EI)));
             EXPECT_TRUE(cerca(nudo[0].getReaccionM(0), -7 * 4));
             EXPECT_TRUE(u.middleRows(6, 3).isZero(0.0));
         }},
        {"viga 0 1 0 bajo carga vertical, libre a lo largo", viga + "combo: c 1 w", nota(3, 4),
         [&] {
             EXPECT_EQ(nudo[0].getDesplazamientoX(0), 0.0);
             EXPECT_EQ(nudo[1].getDesplazamientoX(0), 0.0);
             EXPECT_TRUE(cerca(nudo[0].getGiroZ(0), -w * std::pow(L, 3) / (24 * EI)));
             EXPECT_TRUE(cerca(nudo[1].getGiroZ(0), w * std::pow(L, 3) / (24 * EI)));
             EXPECT_TRUE(cerca(nudo[0].getReaccionY(0), w * L / 2));
             EXPECT_TRUE(cerca(nudo[1].getReaccionY(0), w * L / 2));
             EXPECT_TRUE(cerca(barra[0].getXvcero(0), L / 2));
             EXPECT_TRUE(cerca(barra[0].getMmax(0), w * L * L / 8));
         }},
        {"celosía modelada como pórtico con E·I = 1e-14", celosia, nota(2, 5),
         [&] {
             // Both bars carry N = -P/(2·sen θ) = -5P/8; the crown drops P·L/(2·EA·sen²θ).
             EXPECT_TRUE(cerca(nudo[2].getDesplazamientoY(0), -125 * P / (32 * EA)));
             EXPECT_TRUE(cerca(nudo[2].getDesplazamientoX(0), 0.0, 125 * P / (32 * EA)));
             EXPECT_TRUE(cerca(nudo[0].getReaccionX(0), 3 * P / 8));
             EXPECT_TRUE(cerca(nudo[0].getReaccionY(0), P / 2));
             EXPECT_TRUE(cerca(nudo[1].getReaccionX(0), -3 * P / 8));
             EXPECT_TRUE(cerca(nudo[1].getReaccionY(0), P / 2));
             for (int j = 0; j < 2; ++j) EXPECT_TRUE(cerca(barra[j].getSolicitacionAxial(0, 2)(1, 0), -5 * P / 8));
         }},
        {"mecanismo movido por una sola de las combinaciones",
         viga + "puntual: h 1 0 0 2 combo: V 1 w combo: H 1 h combo: VH 1 w 0 h", aviso(3, 4, "la combinación H"),
         [&] {
             EXPECT_TRUE(cerca(barra[0].getXvcero(0), L / 2));
             EXPECT_TRUE(cerca(barra[0].getMmax(0), w * L * L / 8));
         }},
        {"barra inclinada articulada en un extremo y libre en el otro",
         "nudos: 1 0 0 2 3 4 barras: 1 1 2 apoyo: 1 1 0 1 " + seccion(A, I) +
             "1 puntual: p 0 -1 0 2 combo: A 1 p combo: B 2 p",
         aviso(3, 4, "las combinaciones A y B"), [] {}},
        {"nudo suelto cargado", "nudos: 1 0 0 2 4 0 3 9 9 " + voladizo + "puntual: q 1 0 0 3 combo: c 1 p combo: Q 1 q",
         aviso(3, 6, "la combinación Q"),
         [] { EXPECT_TRUE(cerca(nudo[1].getDesplazamientoY(0), 7 * std::pow(4, 3) / (3 * EI))); }},
        {"barra sin sección", "nudos: 1 0 0 2 3 0 barras: 1 1 2 apoyo: 1 1 1 1 puntual: p 0 1 0 2 combo: c 1 p",
         "No están definidas E, I o L de Elemento: 0\n" + aviso(0, 3, "la combinación c"), [] {}},
        {"voladizo estable", "nudos: 1 0 0 2 4 0 " + voladizo + "combo: c 1 p", "",
         [] { EXPECT_TRUE(cerca(nudo[1].getDesplazamientoY(0), 7 * std::pow(4, 3) / (3 * EI))); }},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        EXPECT_EQ(resolver(k.modelo), k.salida);
        // The numbers are those of the decomposition's own solve, whatever is said about them.
        const Eigen::MatrixXd solucion = kLL.fullPivLu().solve(pL);
        EXPECT_EQ(uLibres, solucion);
        for (int p = 0; p < noLibres; ++p) EXPECT_EQ(u.row(gdlLibres[p]), solucion.row(p));
        EXPECT_EQ(reacciones, kEstructura * u - pCombo);
        for (auto& n : nudo) {
            for (int c = 0; c < noCombos; ++c) EXPECT_EQ(n.getDesplazamientoY(c), u(n.getGdl()(1), c));
        }
        k.comprobar();
    }
}

TEST_F(Solucion, ResultadosQueNoSonNumerosSeNombran)
{
    const auto aviso = [](const std::string& combos) {
        return "Advertencia: los resultados de " + combos +
               " no son números: los datos desbordan el rango de los reales\n";
    };
    const std::string voladizo = "barras: 1 1 2 apoyo: 1 1 1 1 ";
    const std::string desborde = "puntual: p 0 -1e300 0 2 puntual: p 0 -1e300 0 2 combo: A 1e10 p combo: B 1 p";
    const struct {
        const char* nombre;
        std::string modelo;
        std::string salida;
        int finita;  // a combination whose results stay numbers, or -1
    } casos[] = {
        {"E·I desborda: rango corto", "nudos: 1 0 0 2 4 0 " + voladizo +
                                          "seccionGenerica: S 1e308 1e308 1e308 1 puntual: p 0 -1 0 2 "
                                          "combo: A 1 p combo: B 2 p",
         aviso("las combinaciones A y B"), -1},
        {"longitud infinita: rango corto", "nudos: 1 0 0 2 4e155 0 " + voladizo + seccion(A, I) +
                                               "1 puntual: p 0 -1 0 2 combo: A 1 p",
         aviso("la combinación A"), -1},
        {"cargas que desbordan bajo su factor: rango completo",
         "nudos: 1 0 0 2 4 0 " + voladizo + seccion(A, I) + "1 " + desborde, aviso("la combinación A"), 1},
        {"cargas que desbordan junto a un nudo suelto: rango corto, sin nota de equilibrio",
         "nudos: 1 0 0 2 4 0 3 9 9 " + voladizo + seccion(A, I) + "1 " + desborde, aviso("la combinación A"), 1},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        EXPECT_EQ(resolver(k.modelo), k.salida);
        if (k.finita == -1) continue;
        // The other combination is solved as usual: the cantilever's tip under 2e300.
        EXPECT_TRUE(u.col(k.finita).allFinite());
        EXPECT_TRUE(reacciones.col(k.finita).allFinite());
        EXPECT_TRUE(cerca(nudo[1].getDesplazamientoY(k.finita), -2e300 * 64 / (3 * EI)));
        EXPECT_TRUE(cerca(nudo[0].getReaccionY(k.finita), 2e300));
    }
}

// The lines that name combinations quote each name short and cut a long list,
// so that hundreds of combinations or a runaway name still make one short line.
TEST_F(Solucion, LasCombinacionesSeNombranCortoEnUnaLinea)
{
    const std::string inestable = "Advertencia: la estructura es inestable: la matriz de rigidez de los grados de "
                                  "libertad libres es singular (rango 3 de 5); los resultados de ";
    const std::string noNumeros = "Advertencia: los resultados de ";
    // A bar free to slide along X under a load with an X part, and a cantilever whose E·I overflows.
    const std::string mecanismo = "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 0 1 0 1 seccionGenerica: S 1 1 1 1 "
                                  "puntual: P 1 1 0 2 ";
    const std::string desborde = "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 "
                                 "seccionGenerica: S 1e308 1e308 1e308 1 puntual: P 0 -1 0 2 ";
    // Combinations named antes + c + despues, each the load P once.
    const auto combos = [](int cuantas, const std::string& antes, const std::string& despues = "") {
        std::string texto;
        for (int c = 1; c <= cuantas; ++c) texto += "combo: " + antes + std::to_string(c) + despues + " 1 P ";
        return texto;
    };
    const std::string largo(200, 'L');
    const std::string citado = std::string(60, 'L') + "…";
    const std::string diez = "C1, C2, C3, C4, C5, C6, C7, C8, C9, C10";
    std::string diezLargos;
    for (int c = 1; c <= 10; ++c) {
        const std::string numero = std::to_string(c);
        diezLargos += (c == 1 ? "" : ", ") + numero + std::string(60 - numero.size(), 'L') + "…";
    }
    const struct {
        const char* nombre;
        std::string modelo;
        std::string salida;
    } casos[] = {
        {"tres combinaciones", mecanismo + combos(3, "C"),
         inestable + "las combinaciones C1, C2 y C3 no equilibran sus cargas\n"},
        {"trescientas combinaciones", mecanismo + combos(300, "C"),
         inestable + "las combinaciones " + diez + " y otras 290 no equilibran sus cargas\n"},
        {"un nombre de 200 letras", mecanismo + "combo: " + largo + " 1 P",
         inestable + "la combinación " + citado + " no equilibran sus cargas\n"},
        {"cuarenta nombres de 200 letras", mecanismo + combos(40, "", largo),
         inestable + "las combinaciones " + diezLargos + " y otras 30 no equilibran sus cargas\n"},
        {"once resultados que no son números", desborde + combos(11, "C"),
         noNumeros + "las combinaciones " + diez +
             " y otras 1 no son números: los datos desbordan el rango de los reales\n"},
        {"un nombre de 200 letras que no da números", desborde + "combo: " + largo + " 1 P",
         noNumeros + "la combinación " + citado + " no son números: los datos desbordan el rango de los reales\n"},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        EXPECT_EQ(resolver(k.modelo), k.salida);
    }
}

TEST_F(Solucion, EstructurasEstablesNoAvisan)
{
    // A storeyed frame with realistic sections, and with columns far stiffer axially than in bending.
    for (double areaColumnas : {1e-2, 1e6, 1e8}) {
        SCOPED_TRACE(areaColumnas);
        std::ostringstream t;
        t.precision(17);
        const int vanos = 4, pisos = 5;
        t << "nudos: ";
        for (int p = 0; p <= pisos; ++p) {
            for (int v = 0; v <= vanos; ++v) t << p * 10 + v << " " << v * 6.5 << " " << p * 3.2 << " ";
        }
        t << "barras: ";
        int nb = 0;
        std::ostringstream columnas, vigas;
        for (int p = 0; p < pisos; ++p) {
            for (int v = 0; v <= vanos; ++v) {
                t << ++nb << " " << p * 10 + v << " " << (p + 1) * 10 + v << " ";
                columnas << nb << " ";
            }
            for (int v = 0; v < vanos; ++v) {
                t << ++nb << " " << (p + 1) * 10 + v << " " << (p + 1) * 10 + v + 1 << " ";
                vigas << nb << " ";
            }
        }
        t << "apoyo: 1 1 1 0 1 2 3 4 seccionGenerica: C " << areaColumnas << " 2e-4 " << E << " " << columnas.str()
          << "seccionGenerica: V 1.2e-2 3e-4 " << E << " " << vigas.str()
          << "puntual: viento 15 0 0 10 20 30 40 50 distribuidaGlobal: muerta 25 25 0 -1 " << vigas.str()
          << "combo: U 1.2 muerta 1.6 viento";
        EXPECT_EQ(resolver(t.str()), "");
        comprobarEquilibrio();
    }
}

TEST_F(Solucion, LosEjemplosSeResuelvenSinAvisos)
{
    int resueltos = 0;
    for (const auto& f : std::filesystem::directory_iterator(std::string(VARDEL2D_SOURCE_DIR) + "/examples")) {
        if (f.path().extension() != ".txt") continue;
        SCOPED_TRACE(f.path().string());
        std::ifstream in(f.path());
        std::stringstream texto;
        texto << in.rdbuf();
        EXPECT_EQ(resolver(texto.str()), "");
        EXPECT_GT(noLibres, 0);
        comprobarEquilibrio();
        ++resueltos;
    }
    EXPECT_GT(resueltos, 0);
}

TEST_F(Solucion, VoladizoConCeroDelCortanteEnElExtremoLibre)
{
    // Load from -10 at the support to -4 at the tip of a 3 m cantilever: the
    // resultant 21 acts 1 + 2/7 from the support and the shear vanishes at the tip.
    std::ifstream in(std::string(VARDEL2D_SOURCE_DIR) + "/examples/voladizo.txt");
    std::stringstream texto;
    texto << in.rdbuf();
    ASSERT_EQ(resolver(texto.str()), "");
    const double factores[] = {1, 1.35};
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c);
        const Eigen::MatrixXd V = barra[0].getSolicitacionCortante(c, 2);
        EXPECT_TRUE(cerca(V(1, 0), 21 * factores[c]));
        EXPECT_TRUE(cerca(V(1, 1), 0.0, 21));
        EXPECT_TRUE(cerca(momento(0, c, 0), -27 * factores[c]));
        EXPECT_EQ(barra[0].getXvcero(c), -1.0);
        EXPECT_EQ(barra[0].getMmax(c), 0.0);
    }
}

TEST_F(Solucion, RepetirLaLecturaYLaSolucionDaLoMismo)
{
    const std::string modelo = "nudos: 1 0 0 2 0 3 3 4 3 4 4 0 barras: 1 1 2 2 2 3 3 3 4 apoyo: 1 1 1 1 4 "
                               "seccionRectangular: C30x30 0.3 0.3 2.1e7 1 3 seccionRectangular: V30x50 0.3 0.5 "
                               "2.1e7 2 puntual: viento 10 0 0 2 distribuidaGlobal: muerta 20 20 0 -1 2 "
                               "combo: U1 1.2 muerta 1.6 viento combo: S1 1 muerta 1 viento";
    ASSERT_EQ(resolver(modelo), "");
    const Eigen::MatrixXd u1 = u, r1 = reacciones;
    ASSERT_EQ(resolver(modelo), "");
    EXPECT_EQ(u, u1);
    EXPECT_EQ(reacciones, r1);
    comprobarEquilibrio();
}

TEST_F(Solucion, ElArranqueResuelveSoloConNudosBarrasYCombinaciones)
{
    const std::string base = "nudos: 1 0 0 2 2 0 apoyo: 1 1 1 1 " + seccion(A, I) + "1 puntual: p 0 1 0 2 ";
    const struct {
        const char* nombre;
        std::string modelo;
        bool resuelto;
    } casos[] = {{"completo", base + "barras: 1 1 2 combo: c 1 p", true},
                 {"sin combinaciones", base + "barras: 1 1 2", false},
                 {"sin barras", base + "combo: c 1 p", false},
                 {"sin nudos", "barras: 1 1 2 combo: c 1 p", false}};
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        vaciarModelo();
        ArchivoTemporal f(k.modelo);
        char programa[] = "vardel2d";
        std::string ruta = f.ruta();
        char* argumentos[] = {programa, ruta.data(), nullptr};
        salidaDe([&] { funcionInicio(2, argumentos); });
        EXPECT_EQ(u.size() != 0, k.resuelto);
        if (k.resuelto) {
            EXPECT_TRUE(cerca(nudo[1].getDesplazamientoY(0), 8 / (3 * EI)));
        }
    }
}

}  // namespace
