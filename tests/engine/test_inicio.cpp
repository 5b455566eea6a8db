#include <cstdlib>
#include <functional>
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
}

// The model of a file as the builder leaves it, then broken one part at a
// time: the predicate refuses each and names the part on standard error.
TEST_F(Inicio, LaGarantiaDelConstructorNombraLaParteQueFalla)
{
    const struct {
        const char* parte;  // empty: the model as built
        std::function<void()> romper;
    } casos[] = {
        {"", [] {}},
        {"una cuenta es negativa", [] { noCombos = -1; }},
        {"nudo no tiene noNudos nudos", [] { nudo.pop_back(); }},
        {"barra no tiene noBarras barras", [] { ++noBarras; }},
        {"un nudo tiene un número interno fuera de 0..noNudos-1", [] { nudo[2].setNumeroDeNudo(3); }},
        {"un nudo no tiene noCombos combinaciones", [] { nudo[1].setCombo("otra", 1, "p"); }},
        {"una barra no tiene noCombos combinaciones", [] { barra[1].setCombo("otra", 1, "p"); }},
    };
    ArchivoTemporal archivo("nudos: 1 0 0 2 3 0 3 3 4 barras: 1 1 2 2 2 3 apoyo: 1 1 1 1 "
                            "seccionGenerica: S 1 1 1 1 2 puntual: p 0 -1 0 3 combo: c 1 p combo: d 2 p");
    for (const auto& k : casos) {
        SCOPED_TRACE(*k.parte ? k.parte : "modelo construido");
        estadoDeArranque();
        nombreArchivo = archivo.ruta();
        salidaDe(funcionLeerArchivo);
        ASSERT_EQ(noCombos, 2);
        k.romper();
        ::testing::internal::CaptureStderr();
        const bool cumple = modeloComoLoDejaElConstructor();
        const std::string error = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(cumple, !*k.parte);
        EXPECT_EQ(error, *k.parte ? "El modelo no es el que deja el constructor: " + std::string(k.parte) + "\n" : "");
    }
}

TEST_F(Inicio, LimpiarConsolaNoEscribeEnUnaSalidaRedirigida)
{
    EXPECT_EQ(salidaDe(limpiarConsola), "");
}

}  // namespace
