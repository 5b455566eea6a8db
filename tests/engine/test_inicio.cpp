#include <cstdlib>
#include <string>

#include "util.h"
#include "vardel2d.h"

namespace {

class Inicio : public EstadoLimpio {};

// The values the program itself starts with, not those the fixtures put back:
// the check runs in a child that executes this binary afresh, which no other
// test has touched, so this suite has no fixture.
void comprobarValoresDeArranque()
{
    EXPECT_EQ(PI, 3.141592653589793);
    EXPECT_EQ(flags.size(), 200u);
    for (int f : flags) EXPECT_EQ(f, 0);
    EXPECT_EQ(dialogo, "Comando:");
    EXPECT_EQ(comando, "");
    EXPECT_EQ(numeroComboCoincidente, -1);
    EXPECT_EQ(noNudos + noBarras + noCombos + noLibres, 0);
    EXPECT_EQ(kEstructura.size() + u.size() + reacciones.size(), 0);
    EXPECT_FALSE(resultados.is_open());
    std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
}

TEST(InicioDelProceso, VariablesConSuValorDeArranque)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(comprobarValoresDeArranque(), ::testing::ExitedWithCode(0), "");
}

TEST_F(Inicio, RutaDelPrimerArgumentoOPorDefecto)
{
    char programa[] = "vardel2d";
    char primero[] = "/tmp/no_existe_modelo.txt";
    char segundo[] = "otro.txt";
    char* sinArgumentos[] = {programa, nullptr};
    char* variosArgumentos[] = {programa, primero, segundo, nullptr};

    salidaDe([&] { funcionInicio(1, sinArgumentos); });
    EXPECT_EQ(nombreArchivo, "ingresoDatos.txt");
    vaciarModelo();
    salidaDe([&] { funcionInicio(3, variosArgumentos); });
    EXPECT_EQ(nombreArchivo, "/tmp/no_existe_modelo.txt");
    vaciarModelo();
}

TEST_F(Inicio, LimpiarConsolaNoEscribeEnUnaSalidaRedirigida)
{
    EXPECT_EQ(salidaDe(limpiarConsola), "");
}

}  // namespace
