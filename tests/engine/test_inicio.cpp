#include <string>

#include "util.h"
#include "vardel2d.h"

namespace {

class Inicio : public EstadoLimpio {};

TEST_F(Inicio, VariablesConSuValorDeArranque)
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
