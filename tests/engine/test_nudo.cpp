#include <string>
#include <type_traits>

#include "objNudo2d.h"
#include "util.h"

namespace {

class Nudo : public EstadoLimpio {};
class NudoReacciones : public EstadoLimpio {};

const char* const kMensajeCombos =
    "La cantidad de combos de desplazamientos no es igual a la cantidad de combos en Ingreso de Datos\n";

void esperarFila(const objNudo2d& n, int c, double px, double py, double mz)
{
    EXPECT_DOUBLE_EQ(n.getPxCombo(c), px) << "combo " << c;
    EXPECT_DOUBLE_EQ(n.getPyCombo(c), py) << "combo " << c;
    EXPECT_DOUBLE_EQ(n.getMzCombo(c), mz) << "combo " << c;
}

static_assert(std::is_nothrow_move_constructible<objNudo2d>::value, "nudo relocates its nodes by moving");
static_assert(!std::is_polymorphic<objNudo2d>::value, "a node is a plain value class");

TEST_F(Nudo, ConstruidoSinApoyosNiResortesNiTablas)
{
    objNudo2d n;
    EXPECT_EQ(n.getApoyo(), Eigen::Vector3i(0, 0, 0));
    EXPECT_EQ(n.getResorteX() + n.getResorteY() + n.getResorteGiro(), 0.0);
    EXPECT_EQ(n.getCantidadDeCombos(), 0);
    EXPECT_EQ(n.getCargasGlobales().size(), 0);
}

TEST_F(Nudo, GuardaSusDatosSinAlterarlos)
{
    objNudo2d n;
    n.setNumeroDeNudo(4);
    n.setNumeroNudoUsuario(17);
    n.setCoordenadas(-2.5, 3.25);
    n.setApoyo(1, 0, 2);  // codes are stored as given, not limited to 0 and 1
    n.setResorte(0.0, 150.0, -3.0);
    EXPECT_EQ(n.getNoNudo(), 4);
    EXPECT_EQ(n.getNoNudoUsuario(), 17);
    EXPECT_EQ(n.getX(), -2.5);
    EXPECT_EQ(n.getY(), 3.25);
    EXPECT_EQ(n.getApoyo(), Eigen::Vector3i(1, 0, 2));
    EXPECT_EQ(n.getResorteX(), 0.0);
    EXPECT_EQ(n.getResorteY(), 150.0);
    EXPECT_EQ(n.getResorteGiro(), -3.0);
    EXPECT_EQ(n.getGdl(), Eigen::Vector3i(12, 13, 14));
}

// Point loads of cases D (two entries) and L on one node.
class NudoCargado : public EstadoLimpio {
protected:
    void SetUp() override
    {
        EstadoLimpio::SetUp();
        n.setCargaPuntual("D", 1.0, -2.0, 3.0);
        n.setCargaPuntual("L", 10.0, 20.0, -30.0);
        n.setCargaPuntual("D", 0.5, -4.0, 0.0);
    }
    objNudo2d n;
};

TEST_F(NudoCargado, ComboSumaLosCasosFactorizados)
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
        std::vector<Eigen::RowVector3d> filas;
    } casos[] = {
        {"dos casos en un combo", {{"C1", 1.2, "D"}, {"C1", 1.6, "L"}}, {"C1"}, {{17.8, 24.8, -44.4}}},
        {"caso repetido se suma dos veces", {{"C1", 1.0, "D"}, {"C1", 1.0, "D"}}, {"C1"}, {{3.0, -12.0, 6.0}}},
        {"caso sin entradas crea fila nula", {{"C1", 2.0, "W"}}, {"C1"}, {{0.0, 0.0, 0.0}}},
        {"caso sin entradas no cambia la fila", {{"C1", 1.0, "L"}, {"C1", 5.0, "W"}}, {"C1"}, {{10.0, 20.0, -30.0}}},
        {"mayúsculas distinguen casos", {{"C1", 1.0, "d"}}, {"C1"}, {{0.0, 0.0, 0.0}}},
        {"mayúsculas distinguen combos",
         {{"C1", 1.0, "L"}, {"c1", 1.0, "D"}, {"C1", 1.0, "D"}},
         {"C1", "c1"},
         {{11.5, 14.0, -27.0}, {1.5, -6.0, 3.0}}},
        {"combos en orden de aparición",
         {{"B", 1.0, "D"}, {"A", -1.0, "L"}, {"B", 2.0, "L"}},
         {"B", "A"},
         {{21.5, 34.0, -57.0}, {-10.0, -20.0, 30.0}}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        objNudo2d m = n;
        for (const Par& p : caso.pares) m.setCombo(p.combo, p.factor, p.caso);
        ASSERT_EQ(m.getCantidadDeCombos(), static_cast<int>(caso.combos.size()));
        ASSERT_EQ(m.getCargasGlobales().rows(), static_cast<int>(caso.combos.size()));
        ASSERT_EQ(m.getCargasGlobales().cols(), 3);
        for (std::size_t c = 0; c < caso.combos.size(); ++c) {
            EXPECT_EQ(m.getNombreCombo(static_cast<int>(c)), caso.combos[c]);
            esperarFila(m, static_cast<int>(c), caso.filas[c](0), caso.filas[c](1), caso.filas[c](2));
        }
    }
}

TEST_F(NudoCargado, CargaPosteriorNoEntraEnCombosYaFormados)
{
    n.setCombo("C1", 1.0, "L");
    n.setCargaPuntual("L", 100.0, 100.0, 100.0);
    esperarFila(n, 0, 10.0, 20.0, -30.0);
}

TEST_F(NudoCargado, NumeroDeComboPorNombreExacto)
{
    n.setCombo("U1", 1.0, "D");
    n.setCombo("U2", 1.0, "D");
    n.setCombo("S", 1.0, "L");
    EXPECT_EQ(n.getNumeroDeCombo("U2"), 1);
    EXPECT_EQ(n.getNumeroDeCombo("S"), 2);
    EXPECT_EQ(n.getNumeroDeCombo("u2"), -1);
    EXPECT_EQ(n.getNumeroDeCombo("X"), -1);
    EXPECT_EQ(n.getNumeroDeCombo(""), -1);
}

TEST_F(NudoCargado, IndicesFueraDeLaTablaDanCero)
{
    objNudo2d vacio;
    n.setCombo("C1", 1.0, "L");
    for (int c : {-1, 1, 1000}) {
        SCOPED_TRACE(c);
        EXPECT_EQ(n.getNombreCombo(c), "");
        esperarFila(n, c, 0.0, 0.0, 0.0);
        EXPECT_EQ(n.getDesplazamientoX(c) + n.getDesplazamientoY(c) + n.getGiroZ(c), 0.0);
        EXPECT_EQ(n.getReaccionX(c) + n.getReaccionY(c) + n.getReaccionM(c), 0.0);
    }
    // Before any solution the result tables are empty.
    EXPECT_EQ(vacio.getNombreCombo(0), "");
    EXPECT_EQ(vacio.getPxCombo(0), 0.0);
    EXPECT_EQ(vacio.getDesplazamientoX(0), 0.0);
    EXPECT_EQ(vacio.getGiroZ(0), 0.0);
    EXPECT_EQ(vacio.getReaccionM(0), 0.0);
}

TEST_F(NudoCargado, DesplazamientosConOtraCantidadDeCombosAvisanYSeGuardan)
{
    n.setCombo("C1", 1.0, "D");
    n.setCombo("C2", 1.0, "L");
    n.setCombo("C3", 1.0, "D");
    Eigen::MatrixXd d(3, 2);
    d << 1, 2, 3, 4, 5, 6;
    EXPECT_EQ(salidaDe([&] { n.setDesplazamientos(d); }), kMensajeCombos);
    EXPECT_EQ(n.getDesplazamientoX(1), 2.0);
    EXPECT_EQ(n.getDesplazamientoY(0), 3.0);
    EXPECT_EQ(n.getGiroZ(1), 6.0);
    EXPECT_EQ(n.getGiroZ(2), 0.0);

    Eigen::MatrixXd d3 = Eigen::MatrixXd::Ones(3, 3);
    EXPECT_EQ(salidaDe([&] { n.setDesplazamientos(d3); }), "");
    EXPECT_EQ(n.getDesplazamientoX(2), 1.0);
}

TEST_F(NudoReacciones, ResorteLibreDaMenosKPorDesplazamiento)
{
    Eigen::MatrixXd d(3, 2), r(3, 2);
    d << 0.1, 0.2, -0.01, 0.03, 0.5, 0.6;
    r << 7, 8, 9, 10, 11, 12;
    const struct {
        const char* nombre;
        Eigen::Vector3i apoyo;
        Eigen::Vector3d resorte;
        Eigen::MatrixXd esperado;
    } casos[] = {
        {"solo resorte en Y", {0, 0, 0}, {0, 500, 0}, (Eigen::MatrixXd(3, 2) << 7, 8, 5, -15, 11, 12).finished()},
        {"resortes en X y giro", {0, 0, 0}, {100, 0, 10}, (Eigen::MatrixXd(3, 2) << -10, -20, 9, 10, -5, -6).finished()},
        // A restrained direction keeps the support reaction even when it also has a spring.
        {"Y restringido y con resorte", {0, 1, 0}, {0, 500, 0}, r},
        {"código distinto de 1 también restringe", {2, 0, 0}, {100, 0, 0}, r},
        {"sin resortes", {1, 1, 1}, {0, 0, 0}, r},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        objNudo2d n;
        n.setApoyo(caso.apoyo(0), caso.apoyo(1), caso.apoyo(2));
        n.setResorte(caso.resorte(0), caso.resorte(1), caso.resorte(2));
        salidaDe([&] { n.setDesplazamientos(d); });
        n.setReacciones(r);
        for (int c = 0; c < 2; ++c) {
            EXPECT_DOUBLE_EQ(n.getReaccionX(c), caso.esperado(0, c));
            EXPECT_DOUBLE_EQ(n.getReaccionY(c), caso.esperado(1, c));
            EXPECT_DOUBLE_EQ(n.getReaccionM(c), caso.esperado(2, c));
        }
    }
}

TEST_F(NudoReacciones, TablasDeDistintoTamanoNoSeLeenFuera)
{
    objNudo2d n;
    n.setResorte(100, 100, 100);
    Eigen::MatrixXd r = Eigen::MatrixXd::Constant(3, 3, 7.0);

    // No displacements yet: nothing to derive, the reactions stay as given.
    n.setReacciones(r);
    EXPECT_EQ(n.getReaccionY(2), 7.0);

    // Fewer displacement columns: only the shared columns are derived.
    salidaDe([&] { n.setDesplazamientos(Eigen::MatrixXd::Constant(3, 1, 0.5)); });
    n.setReacciones(r);
    EXPECT_EQ(n.getReaccionX(0), -50.0);
    EXPECT_EQ(n.getReaccionX(1), 7.0);
    EXPECT_EQ(n.getReaccionM(2), 7.0);

    // Fewer reaction rows than directions.
    n.setReacciones(Eigen::MatrixXd::Constant(1, 1, 7.0));
    EXPECT_EQ(n.getReaccionX(0), -50.0);
    EXPECT_EQ(n.getReaccionY(0), 0.0);

    n.setReacciones(Eigen::MatrixXd());
    EXPECT_EQ(n.getReaccionX(0), 0.0);
}

}  // namespace
