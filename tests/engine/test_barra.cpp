#include <cmath>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "objBarra2d.h"
#include "util.h"

namespace {

class BarraGeometria : public EstadoLimpio {};
class BarraSeccion : public EstadoLimpio {};
class BarraRigidez : public EstadoLimpio {};
class BarraEstado : public EstadoLimpio {};
class BarraMensajes : public EstadoLimpio {};
class BarraLongitudCero : public EstadoLimpio {};
class BarraCargas : public EstadoLimpio {};
class BarraCombos : public EstadoLimpio {};
class BarraCargasEquivalentes : public EstadoLimpio {};
class BarraCargasEquivalentesSinNudos : public EstadoLimpio {};

const double kPi = 3.141592653589793;

static_assert(std::is_nothrow_move_constructible<objBarra2d>::value, "barra relocates its bars by moving");
static_assert(!std::is_polymorphic<objBarra2d>::value, "a bar is a plain value class");

// A bar set up as the model builder does, from internal node ni to nf.
objBarra2d barraEntre(double x1, double y1, double x2, double y2, int ni = 0, int nf = 1)
{
    objBarra2d b;
    b.resetFlags();
    b.setNumeroBarraUsuario(7);
    b.setNumeroDeBarra(3);
    b.setNudoInicio(ni, x1, y1);
    b.setNudoFinal(nf, x2, y2);
    b.setNudoInicioUsuario(ni + 1);
    b.setNudoFinalUsuario(nf + 1);
    return b;
}

// The bar (0,0)-(3,4) of length 5 with E = 2e8 and a 0.3 x 0.5 section.
objBarra2d barraConSeccion()
{
    objBarra2d b = barraEntre(0, 0, 3, 4);
    b.setSeccionRectangular(0.3, 0.5);
    b.setModuloE(2e8);
    b.setNombreDeSeccion("V30x50");
    return b;
}

bool todoFinito(const Eigen::MatrixXd& m) { return m.allFinite(); }

TEST_F(BarraGeometria, LongitudYAngulo)
{
    const struct {
        double x1, y1, x2, y2;
        double longitud, angulo;
    } casos[] = {
        {0, 0, 3, 4, 5, std::acos(0.6)},
        {1, 1, 4, 1, 3, 0},
        {2, 0, 0, 0, 2, kPi},  // +π, never -π
        {0, 0, 0, -2, 2, -kPi / 2},
        {0, 0, 0, 3, 3, kPi / 2},
        {0, 0, -3, -4, 5, -std::acos(-0.6)},
        {0.1, 0.2, 0.3, 0.2, 0.2, 0},  // rounded cosine must not leave [-1, 1]
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x1 << "," << c.y1 << ")-(" << c.x2 << "," << c.y2 << ")");
        objBarra2d b = barraEntre(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(salidaDe([&] {
                      EXPECT_NEAR(b.getLongitud(), c.longitud, 1e-12);
                      EXPECT_NEAR(b.getAngulo(), c.angulo, 1e-12);
                  }),
                  "");
    }
}

TEST_F(BarraGeometria, TransformacionDesdeElAnguloGuardado)
{
    objBarra2d b = barraEntre(0, 0, 3, 4);
    b.getAngulo();
    const Eigen::MatrixXd T = b.getT();
    Eigen::MatrixXd esperado(6, 6);
    esperado << 0.6, 0.8, 0, 0, 0, 0,
               -0.8, 0.6, 0, 0, 0, 0,
                  0,   0, 1, 0, 0, 0,
                  0,   0, 0, 0.6, 0.8, 0,
                  0,   0, 0, -0.8, 0.6, 0,
                  0,   0, 0, 0, 0, 1;
    EXPECT_TRUE(T.isApprox(esperado, 1e-14)) << T;

    objBarra2d horizontal = barraEntre(0, 0, 4, 0);
    horizontal.getAngulo();
    EXPECT_EQ(horizontal.getT(), Eigen::MatrixXd::Identity(6, 6));
}

TEST_F(BarraGeometria, GradosDeLibertadDeSusNudos)
{
    objBarra2d b = barraEntre(0, 0, 1, 0, 2, 0);
    Eigen::VectorXi esperado(6);
    esperado << 6, 7, 8, 0, 1, 2;
    EXPECT_EQ(b.getGdl(), esperado);
}

TEST_F(BarraSeccion, RectangularYGenerica)
{
    objBarra2d b;
    b.setSeccionRectangular(0.3, 0.5);
    EXPECT_NEAR(b.getArea(), 0.15, 1e-15);
    EXPECT_NEAR(b.getInercia(), 3.125e-3, 1e-17);  // h is the side cubed
    b.setSeccionGenerica(0.02, 1e-4);
    EXPECT_EQ(b.getArea(), 0.02);
    EXPECT_EQ(b.getInercia(), 1e-4);
    b.setSeccionRectangular(0.2, 0.4);
    EXPECT_NEAR(b.getArea(), 0.08, 1e-15);
    b.setModuloE(3e7);
    EXPECT_EQ(b.getModE(), 3e7);
    b.setNombreDeSeccion("C20x40");
    EXPECT_EQ(b.getNombreDeSeccion(), "C20x40");
}

TEST_F(BarraRigidez, TerminosDelEjemplo)
{
    objBarra2d b = barraConSeccion();
    const Eigen::MatrixXd k = b.getKLocal();
    const struct {
        int fila, col;
        double valor;
    } terminos[] = {
        {0, 0, 6e6},   {0, 3, -6e6},   {3, 3, 6e6},   {1, 1, 6e4},  {1, 4, -6e4},  {4, 4, 6e4},
        {1, 2, 1.5e5}, {1, 5, 1.5e5},  {2, 4, -1.5e5}, {4, 5, -1.5e5}, {2, 2, 5e5}, {5, 5, 5e5},
        {2, 5, 2.5e5}, {0, 1, 0},      {0, 2, 0},     {3, 4, 0},
    };
    for (const auto& t : terminos) {
        EXPECT_NEAR(k(t.fila, t.col), t.valor, 1e-9 * 6e6) << t.fila << "," << t.col;
        EXPECT_EQ(k(t.fila, t.col), k(t.col, t.fila)) << t.fila << "," << t.col;
    }

    // Global terms of the start node, c = 0.6, s = 0.8.
    const Eigen::MatrixXd kg = b.getKGlobal();
    const double ea = 6e6, k12 = 6e4, k6 = 1.5e5;
    EXPECT_NEAR(kg(0, 0), ea * 0.36 + k12 * 0.64, 1e-3);
    EXPECT_NEAR(kg(0, 1), (ea - k12) * 0.48, 1e-3);
    EXPECT_NEAR(kg(1, 1), ea * 0.64 + k12 * 0.36, 1e-3);
    EXPECT_NEAR(kg(0, 2), -k6 * 0.8, 1e-6);
    EXPECT_NEAR(kg(1, 2), k6 * 0.6, 1e-6);
    EXPECT_NEAR(kg(2, 2), 5e5, 1e-6);
    EXPECT_NEAR(kg(0, 3), -kg(0, 0), 1e-3);
    EXPECT_TRUE(kg.isApprox(kg.transpose(), 1e-14));
}

TEST_F(BarraRigidez, SobreElEjeXLaGlobalEsLaLocal)
{
    objBarra2d b = barraEntre(1, 2, 6, 2);
    b.setSeccionGenerica(0.01, 2e-5);
    b.setModuloE(2.1e8);
    const Eigen::MatrixXd kg = b.getKGlobal();
    EXPECT_EQ(kg, b.getKLocal());
}

TEST_F(BarraEstado, ValoresGuardadosNoSeRefrescanHastaResetFlags)
{
    objBarra2d b = barraConSeccion();
    const Eigen::MatrixXd kg = b.getKGlobal();

    // New inputs after the first getKGlobal do not reach later ones.
    b.setSeccionGenerica(1.0, 1.0);
    b.setModuloE(1.0);
    b.setNudoFinal(1, 6, 8);
    EXPECT_EQ(b.getKGlobal(), kg);
    EXPECT_EQ(b.getLongitud(), 5.0);
    EXPECT_NEAR(b.getAngulo(), std::acos(0.6), 1e-15);
    EXPECT_EQ(b.getXf(), 6.0);
    EXPECT_EQ(b.getYf(), 8.0);

    // A direct getKLocal recomputes from the new section (length still held) and getKGlobal uses it.
    const Eigen::MatrixXd kNueva = b.getKLocal();
    EXPECT_NEAR(kNueva(0, 0), 1.0 / 5.0, 1e-15);
    EXPECT_NEAR(b.getKGlobal()(2, 2), 4.0 / 5.0, 1e-15);

    // After resetFlags and the inputs set again everything is derived anew.
    b.resetFlags();
    b.setNudoInicio(0, 0, 0);
    b.setNudoFinal(1, 0, 10);
    b.setSeccionGenerica(2.0, 3.0);
    b.setModuloE(10.0);
    const Eigen::MatrixXd k = b.getKGlobal();
    EXPECT_EQ(b.getLongitud(), 10.0);
    EXPECT_NEAR(b.getAngulo(), kPi / 2, 1e-15);
    EXPECT_NEAR(k(1, 1), 2.0, 1e-12);  // EA/L along global Y
    EXPECT_NEAR(k(0, 0), 12.0 * 30.0 / 1000.0, 1e-12);
}

TEST_F(BarraEstado, ResetFlagsExigeLosDatosDeNuevo)
{
    objBarra2d b = barraConSeccion();
    b.getKGlobal();
    b.resetFlags();
    EXPECT_EQ(salidaDe([&] { EXPECT_EQ(b.getLongitud(), 0.0); }), "Definir nudos del elemento\n");
    EXPECT_EQ(salidaDe([&] { EXPECT_EQ(b.getNombreDeSeccion(), ""); }), "Definir el nombre de sección\n");
}

TEST_F(BarraMensajes, DatosQueFaltan)
{
    const std::string sinNudos = "Definir nudos del elemento\n";
    const std::string sinAngulo = "no se puede calcular el angulo. Faltan datos\n";
    const std::string tSinAngulo = "Calcular primero el ángulo de la barra\n";
    const std::string sinEIL = "No están definidas E, I o L de Elemento: 3\n";
    const struct {
        const char* nombre;
        objBarra2d barra;
        std::function<Eigen::MatrixXd(objBarra2d&)> llamada;
        std::string salida;
    } casos[] = {
        {"longitud sin nudos", objBarra2d(), [](objBarra2d& b) { return Eigen::MatrixXd::Constant(1, 1, b.getLongitud()); },
         sinNudos},
        {"ángulo sin nudos", objBarra2d(), [](objBarra2d& b) { return Eigen::MatrixXd::Constant(1, 1, b.getAngulo()); },
         sinNudos + sinAngulo},
        {"gdl sin nudos", objBarra2d(), [](objBarra2d& b) { return Eigen::MatrixXd(b.getGdl().cast<double>()); },
         "Definir primero los nudos de la barra\n"},
        {"T con nudos pero sin ángulo pedido", barraEntre(0, 0, 3, 4), [](objBarra2d& b) { return b.getT(); },
         tSinAngulo},
        {"kLocal sin sección", barraEntre(0, 0, 3, 4), [](objBarra2d& b) { return b.getKLocal(); }, sinEIL},
        {"kGlobal sin sección, en cada llamada", barraEntre(0, 0, 3, 4),
         [](objBarra2d& b) {
             b.getKGlobal();
             return b.getKGlobal();
         },
         sinEIL + sinEIL},
        {"kGlobal sin nudos", [] { objBarra2d b; b.setNumeroDeBarra(3); b.setSeccionGenerica(1, 1); b.setModuloE(1); return b; }(),
         [](objBarra2d& b) { return b.getKGlobal(); }, sinNudos + sinAngulo + tSinAngulo + sinNudos + sinEIL},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        objBarra2d b = c.barra;
        Eigen::MatrixXd r;
        EXPECT_EQ(salidaDe([&] { r = c.llamada(b); }), c.salida);
        EXPECT_TRUE(r.isZero()) << r;
        // Nothing was held for the failed value: the next request tries and reports again.
        EXPECT_EQ(salidaDe([&] { c.llamada(b); }).size(), c.salida.size());
    }
}

TEST_F(BarraMensajes, NombreDeSeccionAusente)
{
    objBarra2d b = barraEntre(0, 0, 1, 0);
    std::string nombre = "x";
    EXPECT_EQ(salidaDe([&] { nombre = b.getNombreDeSeccion(); }), "Definir el nombre de sección\n");
    EXPECT_EQ(nombre, "");
}

TEST_F(BarraLongitudCero, AvisaUnaVezYNoAportaNada)
{
    objBarra2d b = barraEntre(2, 2, 2, 2);
    b.setSeccionGenerica(0.01, 1e-4);
    b.setModuloE(2e8);
    b.setCargaLocal("D", 1, 2, 3, 4);
    b.setCombo("C1", 1.0, "D");

    Eigen::MatrixXd kg, eq;
    const std::string salida = salidaDe([&] {
        b.getGdl();
        kg = b.getKGlobal();
        eq = b.getCargasEquivalentesGlobales();
        b.setCargaGlobal("L", 5, 5, 0, -1);
    });
    EXPECT_EQ(salida, "Advertencia: la barra 7 tiene longitud cero: sus nudos coinciden\n");
    EXPECT_EQ(b.getLongitud(), 0.0);
    EXPECT_EQ(b.getAngulo(), 0.0);
    EXPECT_EQ(b.getT(), Eigen::MatrixXd::Identity(6, 6));
    EXPECT_TRUE(kg.isZero()) << kg;
    EXPECT_TRUE(b.getKLocal().isZero());
    ASSERT_EQ(eq.cols(), 1);
    EXPECT_TRUE(eq.isZero()) << eq;
    EXPECT_TRUE(b.getCargasEquivalentesLocales().isZero());
    b.setCombo("C2", 1.0, "L");
    EXPECT_TRUE(todoFinito(b.getMatrizCargasCombo()));
}

// Loads are checked through a combination of factor 1 holding just the entry.
Eigen::RowVector4d filaDeUnaCarga(objBarra2d b, const std::string& caso)
{
    b.setCombo("unica", 1.0, caso);
    return b.getMatrizCargasCombo().row(0);
}

TEST_F(BarraCargas, LocalSeGuardaTalCual)
{
    objBarra2d b = barraEntre(0, 0, 3, 4);
    b.setCargaLocal("D", 1, 2, 3, 4);
    EXPECT_EQ(filaDeUnaCarga(b, "D"), Eigen::RowVector4d(1, 2, 3, 4));
}

TEST_F(BarraCargas, GlobalSeResuelveEnEjesLocales)
{
    const struct {
        const char* nombre;
        double x2, y2, wI, wF, dX, dY;
        Eigen::RowVector4d fila;
    } casos[] = {
        {"horizontal, dirección (3,4)", 4, 0, 10, 5, 3, 4, {6, 3, 8, 4}},
        {"solo cuenta la dirección", 4, 0, 10, 5, 0.3, 0.4, {6, 3, 8, 4}},
        {"inclinada, gravedad", 3, 4, 5, 5, 0, -1, {-4, -4, -3, -3}},
        {"inclinada, dirección larga", 3, 4, 5, 5, 0, -5, {-4, -4, -3, -3}},
        {"intensidad negativa invierte", 4, 0, -2, 1, 0, 1, {0, 0, -2, 1}},
        {"dirección enorme pero finita", 4, 0, 10, 5, 3e300, 4e300, {6, 3, 8, 4}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        objBarra2d b = barraEntre(0, 0, c.x2, c.y2);
        EXPECT_EQ(salidaDe([&] { b.setCargaGlobal("W", c.wI, c.wF, c.dX, c.dY); }), "");
        EXPECT_TRUE(filaDeUnaCarga(b, "W").isApprox(c.fila, 1e-14)) << filaDeUnaCarga(b, "W");
    }
}

TEST_F(BarraCargas, GlobalQueNoSePuedeResolverNoGuardaNada)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::string direccionNula =
        "Advertencia: la dirección de la carga distribuida global de la barra 7 es nula o no finita; la carga no se considera\n";
    const struct {
        const char* nombre;
        bool conNudos;
        double dX, dY;
        std::string salida;
    } casos[] = {
        {"sin ángulo", false, 0, -1,
         "Definir nudos del elemento\nno se puede calcular el angulo. Faltan datos\n"
         "el ángulo no está definido para calcular cargas globales de barra\n"},
        {"dirección (0,0)", true, 0, 0, direccionNula},
        {"dirección infinita", true, inf, 0, direccionNula},
        {"dirección NaN", true, nan, 1, direccionNula},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        objBarra2d b = c.conNudos ? barraEntre(0, 0, 4, 0) : objBarra2d();
        b.setNumeroBarraUsuario(7);
        EXPECT_EQ(salidaDe([&] { b.setCargaGlobal("W", 10, 10, c.dX, c.dY); }), c.salida);
        if (!c.conNudos) {
            b.setNudoInicio(0, 0, 0);
            b.setNudoFinal(1, 4, 0);
        }
        // Nothing was stored: the case adds nothing, and a valid entry becomes the first and only one.
        b.setCargaGlobal("W", 1, 1, 0, 1);
        EXPECT_EQ(filaDeUnaCarga(b, "W"), Eigen::RowVector4d(0, 0, 1, 1));
    }
}

TEST_F(BarraCombos, AcumulaPorNombre)
{
    struct Par {
        const char* combo;
        double factor;
        const char* caso;
    };
    const struct {
        const char* nombre;
        std::vector<Par> pares;
        std::vector<std::string> combos;
        std::vector<Eigen::RowVector4d> filas;
    } casos[] = {
        {"local y global del mismo caso", {{"C1", 1.0, "D"}}, {"C1"}, {{1, 2, 1, 4}}},
        {"dos casos factorizados", {{"C1", 1.2, "D"}, {"C1", 1.6, "L"}}, {"C1"}, {{1.2, 2.4, 17.2, 20.8}}},
        {"caso sin entradas crea fila nula", {{"C1", 1.0, "X"}}, {"C1"}, {{0, 0, 0, 0}}},
        {"caso sin entradas no cambia la fila", {{"C1", 1.0, "L"}, {"C1", 3.0, "X"}}, {"C1"}, {{0, 0, 10, 10}}},
        {"mayúsculas distinguen casos", {{"C1", 1.0, "d"}}, {"C1"}, {{0, 0, 0, 0}}},
        {"combos en orden de aparición",
         {{"S", 1.0, "L"}, {"U", 2.0, "D"}, {"S", -1.0, "D"}},
         {"S", "U"},
         {{-1, -2, 9, 6}, {2, 4, 2, 8}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        objBarra2d b = barraEntre(0, 0, 4, 0);
        b.setCargaLocal("D", 1, 2, 3, 4);
        b.setCargaGlobal("D", 2, 0, 0, -1);  // local (0, 0, -2, 0)
        b.setCargaLocal("L", 0, 0, 10, 10);
        for (const Par& p : c.pares) b.setCombo(p.combo, p.factor, p.caso);
        const Eigen::MatrixXd m = b.getMatrizCargasCombo();
        ASSERT_EQ(m.rows(), static_cast<int>(c.combos.size()));
        ASSERT_EQ(m.cols(), 4);
        for (std::size_t k = 0; k < c.filas.size(); ++k) {
            const int i = static_cast<int>(k);
            EXPECT_TRUE(m.row(i).isApprox(c.filas[k], 1e-14) || (c.filas[k].isZero() && m.row(i).isZero()))
                << m.row(i);
            EXPECT_EQ(b.getFInicioCombo(i), m(i, 0));
            EXPECT_EQ(b.getFFinCombo(i), m(i, 1));
            EXPECT_EQ(b.getQInicioCombo(i), m(i, 2));
            EXPECT_EQ(b.getQFinCombo(i), m(i, 3));
        }
    }
}

TEST_F(BarraCombos, IndiceFueraDeLaTablaDaCero)
{
    objBarra2d b = barraEntre(0, 0, 4, 0);
    for (int c : {0, -1}) EXPECT_EQ(b.getFInicioCombo(c) + b.getQFinCombo(c), 0.0) << c;
    b.setCargaLocal("D", 1, 2, 3, 4);
    b.setCombo("C1", 1.0, "D");
    for (int c : {-1, 1, 99}) {
        EXPECT_EQ(b.getFInicioCombo(c), 0.0) << c;
        EXPECT_EQ(b.getFFinCombo(c), 0.0) << c;
        EXPECT_EQ(b.getQInicioCombo(c), 0.0) << c;
        EXPECT_EQ(b.getQFinCombo(c), 0.0) << c;
    }
}

// Consistent nodal loads of a linear load, the check on every branch.
Eigen::VectorXd columnaCerrada(double L, double fI, double fF, double qI, double qF)
{
    Eigen::VectorXd v(6);
    v << L * (2 * fI + fF) / 6, L * (7 * qI + 3 * qF) / 20, L * L * (3 * qI + 2 * qF) / 60,
        L * (fI + 2 * fF) / 6, L * (3 * qI + 7 * qF) / 20, -L * L * (2 * qI + 3 * qF) / 60;
    return v;
}

TEST_F(BarraCargasEquivalentes, LocalesPorRamas)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double L, fI, fF, qI, qF;
        std::vector<double> columna;  // empty: the closed formulas alone
    } casos[] = {
        {4, 0, 0, 3, 3, {0, 6, 4, 0, 6, -4}},
        {6, 0, 0, 0, 10, {0, 9, 12, 0, 21, -18}},
        {4, 0, 0, 5, -5, {0, 4, 4.0 / 3, 0, -4, 4.0 / 3}},
        {3, 6, 0, 0, 0, {6, 0, 0, 3, 0, 0}},
        {3, 2, 2, 0, 0, {3, 0, 0, 3, 0, 0}},
        {5, -1, 4, 10, 0, {}},
        {5, 4, -1, -3, -8, {}},
        {2.5, -6, -2, -7, 2, {}},
        {1, 0, 0, 0, 0, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << "L=" << c.L << " f=" << c.fI << "," << c.fF << " q=" << c.qI << ","
                                          << c.qF);
        objBarra2d b = barraEntre(0, 0, c.L, 0);
        b.setCargaLocal("D", c.fI, c.fF, c.qI, c.qF);
        b.setCargaLocal("X", nan, nan, nan, nan);  // in no combination
        b.setCombo("C1", 1.0, "D");
        const Eigen::MatrixXd eq = b.getCargasEquivalentesLocales();  // derives the length itself
        ASSERT_EQ(eq.rows(), 6);
        ASSERT_EQ(eq.cols(), 1);
        const Eigen::VectorXd cerrada = columnaCerrada(c.L, c.fI, c.fF, c.qI, c.qF);
        for (int k = 0; k < 6; ++k) {
            EXPECT_NEAR(eq(k, 0), cerrada(k), 1e-12 * (1 + std::abs(cerrada(k)))) << "fila " << k;
            if (!c.columna.empty()) {
                EXPECT_NEAR(eq(k, 0), c.columna[k], 1e-12) << "fila " << k;
            }
        }
    }
}

TEST_F(BarraCargasEquivalentes, UnaColumnaPorCombo)
{
    objBarra2d b = barraEntre(0, 0, 4, 0);
    EXPECT_EQ(b.getCargasEquivalentesLocales().rows(), 6);
    EXPECT_EQ(b.getCargasEquivalentesLocales().cols(), 0);
    EXPECT_EQ(b.getCargasEquivalentesGlobales().cols(), 0);

    objBarra2d d = barraEntre(0, 0, 4, 0);
    d.setCargaLocal("D", 0, 0, 3, 3);
    d.setCargaLocal("L", 0, 0, 0, 10);
    d.setCombo("C1", 1.0, "D");
    d.setCombo("C2", 0.6, "L");
    d.setCombo("C2", 1.0, "D");
    const Eigen::MatrixXd eq = d.getCargasEquivalentesLocales();
    ASSERT_EQ(eq.cols(), 2);
    EXPECT_TRUE(eq.col(0).isApprox(columnaCerrada(4, 0, 0, 3, 3), 1e-14));
    EXPECT_TRUE(eq.col(1).isApprox(columnaCerrada(4, 0, 0, 3, 9), 1e-14));
}

// The inclined bar (0,0)-(3,4) with a uniform local transverse load of 2 in combination C1.
class BarraInclinadaCargada : public EstadoLimpio {
protected:
    void SetUp() override
    {
        EstadoLimpio::SetUp();
        b = barraConSeccion();
        b.setCargaLocal("D", 0, 0, 2, 2);
        b.setCombo("C1", 1.0, "D");
        esperada.resize(6, 1);
        // R = qL/2 = 5 along local y = (-0.8, 0.6); M = qL²/12.
        esperada << -4, 3, 25.0 / 6, -4, 3, -25.0 / 6;
    }
    objBarra2d b;
    Eigen::MatrixXd esperada;
};

TEST_F(BarraInclinadaCargada, GlobalesEnElOrdenDelSolver)
{
    b.getGdl();
    b.getKGlobal();
    EXPECT_TRUE(b.getCargasEquivalentesGlobales().isApprox(esperada, 1e-14)) << b.getCargasEquivalentesGlobales();
}

TEST_F(BarraInclinadaCargada, GlobalesSinTransformacionPreviaLaDerivan)
{
    Eigen::MatrixXd g;
    EXPECT_EQ(salidaDe([&] { g = b.getCargasEquivalentesGlobales(); }), "");
    EXPECT_TRUE(g.isApprox(esperada, 1e-14)) << g;
    // The derived transformation is held for the solve that follows.
    EXPECT_TRUE(b.getKGlobal().isApprox(barraConSeccion().getKGlobal(), 1e-14));
}

TEST_F(BarraInclinadaCargada, GlobalesQuedanGuardadosMientrasNoCambieLaCantidadDeCombos)
{
    b.getKGlobal();
    const Eigen::MatrixXd primera = b.getCargasEquivalentesGlobales();
    b.setCombo("C1", 1.0, "D");  // doubles C1's load
    EXPECT_EQ(b.getCargasEquivalentesGlobales(), primera);

    // A new combination changes the table's shape: it is formed again from the current rows.
    b.setCombo("C2", 0.5, "D");
    const Eigen::MatrixXd g = b.getCargasEquivalentesGlobales();
    ASSERT_EQ(g.rows(), 6);
    ASSERT_EQ(g.cols(), 2);
    EXPECT_TRUE(g.col(0).isApprox(2 * esperada.col(0), 1e-14)) << g;
    EXPECT_TRUE(g.col(1).isApprox(0.5 * esperada.col(0), 1e-14)) << g;
}

TEST_F(BarraCargasEquivalentesSinNudos, DanCeroYAvisan)
{
    objBarra2d b;
    b.setCargaLocal("D", 1, 2, 3, 4);
    b.setCombo("C1", 1.0, "D");
    b.setCombo("C2", 1.0, "D");
    Eigen::MatrixXd g;
    EXPECT_EQ(salidaDe([&] { g = b.getCargasEquivalentesGlobales(); }),
              "Definir nudos del elemento\nDefinir nudos del elemento\n"
              "no se puede calcular el angulo. Faltan datos\nCalcular primero el ángulo de la barra\n");
    ASSERT_EQ(g.rows(), 6);
    ASSERT_EQ(g.cols(), 2);
    EXPECT_TRUE(g.isZero()) << g;
}

}  // namespace
