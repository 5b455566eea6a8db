#include <GL/freeglut.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "elementosPlot.h"
#include "funcionPlot.h"
#include "gl_captura.h"
#include "modelo_visor.h"
#include "vardel2d.h"

namespace {

int modificadores = 0;
int leerModificadoresDePrueba() { return modificadores; }

std::vector<int> salidas;  // exit statuses asked for
void terminarDePrueba(int estado) { salidas.push_back(estado); }

// Keys are typed into the callback one by one: '\r' Enter, '\b' Backspace,
// '\x1b' Esc.
void teclear(const std::string& teclas)
{
    for (char c : teclas) teclado(static_cast<unsigned char>(c), 0, 0);
}

class Consola : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        reiniciarVisor();
        fijarModelo({{0, 0}, {4, 0}}, {{0, 1}}, {"U1", "S1", "combo"});
        estadoDeApertura();
        modificadores = 0;
        salidas.clear();
        leerModificadores = leerModificadoresDePrueba;
        terminarPrograma = terminarDePrueba;
    }
    void TearDown() override
    {
        leerModificadores = modificadoresDelPrograma;
        terminarPrograma = terminarDelPrograma;
        reiniciarVisor();
        GlTest::TearDown();
    }

    // The hooks as the program set them, taken before SetUp replaces them.
    int (*const modificadoresDelPrograma)() = leerModificadores;
    void (*const terminarDelPrograma)(int) = terminarPrograma;
};

// The switches as the window opens, with the given entries changed.
std::vector<int> flagsCon(const std::map<int, int>& cambios)
{
    std::vector<int> f(200, 0);
    f[flagApoyos] = 1;
    for (const auto& c : cambios) f[c.first] = c.second;
    return f;
}

struct CasoTeclas {
    const char* nombre;
    std::string teclas;
    std::map<int, int> flags;
    std::string dialogo;
    std::string comando;
    int comboCoincidente;
};

TEST_F(Consola, SecuenciasDeTeclas)
{
    const std::string pedir = "Escriba el nombre del Combo y presione ENTER:";
    const std::string noExiste = "el combo no existe. Ingrese Comando:";
    const std::string comboOk = "Combo Activado/Desactivado, OK. Ingrese Comando:";
    const CasoTeclas casos[] = {
        {"al abrir", "", {}, "Comando:", "", -1},
        {"texto a medio escribir", "plot M", {}, "Comando:", "plot M", -1},
        {"plotM enciende", "plotM\r", {{flagMomento, 1}}, "Momentos Flectores Activados. Ingrese Comando:", "", -1},
        {"plotM dos veces apaga", "plotM\rplotM\r", {{flagMomento, 2}}, "Momentos Flectores Desactivados. Ingrese Comando:", "",
         -1},
        {"plotN apaga los momentos", "plotM\rplotN\r", {{flagAxial, 1}}, "Fuerzas Axiales Activadas. Ingrese Comando:", "", -1},
        {"las etiquetas se combinan con un resultado", "tagNudos\rtagBarras\rsecciones\rplotV\r",
         {{flagTagNudos, 1}, {flagTagBarras, 1}, {flagSecciones, 1}, {flagCortante, 1}},
         "Fuerzas Cortantes Activadas. Ingrese Comando:", "", -1},
        {"tagNudos dos veces: mensaje sin estado", "tagNudos\rtagNudos\r", {{flagTagNudos, 2}}, "Ingrese Comando:", "", -1},
        {"noTags borra etiquetas y deja apoyos y resultados", "tagNudos\rsecciones\rplotR\rnoTags\r", {{flagReacciones, 1}},
         "Ingrese Comando:", "", -1},
        {"plotApoyos no toca los resultados", "plotCarga\rplotApoyos\r", {{flagCargas, 1}, {flagApoyos, 2}},
         "Graficacion de Apoyos Desactivada. Ingrese Comando:", "", -1},
        {"combo abre el dialogo sin buscar", "combo\r", {}, pedir, "", -1},
        {"combo y un nombre lo enciende", "combo\rS1\r", {{flagPrimerCombo + 1, 1}}, comboOk, "", 1},
        {"dos veces lo apaga", "combo\rS1\rcombo\rS1\r", {{flagPrimerCombo + 1, 2}}, comboOk, "", 1},
        {"un nombre que no existe", "combo\rs1\r", {}, noExiste, "", -1},
        {"linea vacia en el dialogo", "combo\r\r", {}, noExiste, "", -1},
        {"un comando dentro del dialogo lo cierra sin buscar", "combo\rplotV\r", {{flagCortante, 1}},
         "Fuerzas Cortantes Activadas. Ingrese Comando:", "", -1},
        {"combo dentro del dialogo: se busca y se vuelve a pedir", "combo\rcombo\r", {{flagPrimerCombo + 2, 1}}, pedir, "", 2},
        {"otra cosa fuera del dialogo solo se borra", "plotM\rhola\r", {{flagMomento, 1}},
         "Momentos Flectores Activados. Ingrese Comando:", "", -1},
        {"con espacio o en otra caja no es comando", "plotM \rPLOTM\rSalir\r", {}, "Comando:", "", -1},
        {"retroceso borra el ultimo caracter", "plotMx\b\r", {{flagMomento, 1}}, "Momentos Flectores Activados. Ingrese Comando:",
         "", -1},
        {"retroceso en linea vacia no hace nada", "\b\bab\b", {}, "Comando:", "a", -1},
        {"mas y menos nunca se escriben", "U+1-", {}, "Comando:", "U1", -1},
        {"controles y espacios se escriben", std::string("a \x01\t\x7f", 5), {}, "Comando:", std::string("a \x01\t\x7f", 5),
         -1},
    };
    for (const CasoTeclas& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        SetUp();
        teclear(caso.teclas);
        EXPECT_EQ(flags, flagsCon(caso.flags));
        EXPECT_EQ(dialogo, caso.dialogo);
        EXPECT_EQ(comando, caso.comando);
        EXPECT_EQ(numeroComboCoincidente, caso.comboCoincidente);
        EXPECT_TRUE(salidas.empty());
    }
}

TEST_F(Consola, CadaCapaDeResultadosConSusMensajesYExcluyeALasOtras)
{
    struct Caso {
        const char* palabra;
        IndiceFlag indice;
        const char* activado;
        const char* desactivado;
    };
    const Caso casos[] = {
        {"plotDef", flagDeformada, "Deformaciones Activadas. Ingrese Comando:", "Deformaciones Desactivadas. Ingrese Comando:"},
        {"plotN", flagAxial, "Fuerzas Axiales Activadas. Ingrese Comando:", "Fuerzas Axiales Desactivadas. Ingrese Comando:"},
        {"plotV", flagCortante, "Fuerzas Cortantes Activadas. Ingrese Comando:",
         "Fuerzas Cortantes Desactivadas. Ingrese Comando:"},
        {"plotM", flagMomento, "Momentos Flectores Activados. Ingrese Comando:",
         "Momentos Flectores Desactivados. Ingrese Comando:"},
        {"plotCarga", flagCargas, "Graficacion de Cargas Activada. Ingrese Comando:",
         "Graficacion de Cargas Desactivada. Ingrese Comando:"},
        {"plotR", flagReacciones, "Graficacion de Reacciones Activada. Ingrese Comando:",
         "Graficacion de Reacciones Desactivada. Ingrese Comando:"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.palabra);
        SetUp();
        for (int i = flagTagNudos; i <= flagApoyos; ++i) flags[i] = 1;
        teclear(std::string(caso.palabra) + "\r");
        EXPECT_EQ(dialogo, caso.desactivado);
        // Labels and supports stay; every other result layer is off.
        EXPECT_EQ(flags, flagsCon({{flagTagNudos, 1}, {flagTagBarras, 1}, {flagSecciones, 1}, {caso.indice, 2}}));
        teclear(std::string(caso.palabra) + "\r");
        EXPECT_EQ(dialogo, caso.activado);
        EXPECT_EQ(flags[caso.indice], 3);
    }
}

TEST_F(Consola, MasYMenosEscalanLaCapaEncendidaOElTextoConShift)
{
    struct Caso {
        const char* nombre;
        const char* capa;
        int modificadores;
        char tecla;
        double* escala;
        double factor;
    };
    const Caso casos[] = {
        {"deformada", "plotDef\r", 0, '+', &escalaDef, 1.1},
        {"axial", "plotN\r", 0, '-', &escalaN, 1 / 1.1},
        {"cortante", "plotV\r", 0, '+', &escalaV, 1.1},
        {"momento", "plotM\r", 0, '-', &escalaM, 1 / 1.1},
        {"cargas", "plotCarga\r", 0, '+', &escalaCarga, 1.1},
        {"Shift solo: el texto", "plotM\r", GLUT_ACTIVE_SHIFT, '+', &escalaTexto, 1.1},
        {"Shift solo con menos", "", GLUT_ACTIVE_SHIFT, '-', &escalaTexto, 1 / 1.1},
        {"Shift y Ctrl: la capa", "plotM\r", GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL, '+', &escalaM, 1.1},
        {"Shift y Alt: la capa", "plotV\r", GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT, '-', &escalaV, 1 / 1.1},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        SetUp();
        teclear(caso.capa);
        const double antes[] = {escalaDef, escalaN, escalaV, escalaM, escalaCarga, escalaTexto};
        const double esperada = *caso.escala * caso.factor;
        modificadores = caso.modificadores;
        teclear(std::string(1, caso.tecla));
        EXPECT_NEAR(*caso.escala, esperada, 1e-15);
        double* todas[] = {&escalaDef, &escalaN, &escalaV, &escalaM, &escalaCarga, &escalaTexto};
        for (int i = 0; i < 6; ++i) {
            if (todas[i] != caso.escala) {
                EXPECT_EQ(*todas[i], antes[i]) << "escala " << i;
            }
        }
        EXPECT_EQ(comando, "");
    }

    SetUp();
    teclear("plotR\r++");
    teclear("plotR\r+");
    EXPECT_EQ(escalaDef, 100);
    EXPECT_EQ(escalaN, 0.01);
    EXPECT_EQ(escalaV, 0.1);
    EXPECT_EQ(escalaM, 0.1);
    EXPECT_EQ(escalaCarga, 0.1);
    EXPECT_EQ(escalaTexto, 0.15);

    teclear("plotM\r+-");
    EXPECT_NEAR(escalaM, 0.1, 1e-16);
}

TEST_F(Consola, EscExitYSalirTerminanConEstadoCero)
{
    const std::pair<const char*, std::string> casos[] = {
        {"Esc con la linea a medio escribir", "plotM\x1b"},
        {"Esc dentro del dialogo", "combo\r\x1b"},
        {"exit", "exit\r"},
        {"salir", "salir\r"},
        {"salir dentro del dialogo", "combo\rsalir\r"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.first);
        SetUp();
        teclear(caso.second);
        EXPECT_EQ(salidas, std::vector<int>{0});
    }
    SetUp();
    teclear("plotM\x1b");
    EXPECT_EQ(comando, "plotM");
    EXPECT_EQ(flags, flagsCon({}));
}

TEST_F(Consola, BusquedaSinNudosNoIndicaNada)
{
    fijarModelo({});
    teclear("combo\rU1\r");
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    EXPECT_EQ(numeroComboCoincidente, -1);
    EXPECT_EQ(flags, flagsCon({}));
}

std::vector<std::string> nombresDeCombos(int n)
{
    std::vector<std::string> r;
    for (int i = 0; i < n; ++i) r.push_back("C" + std::to_string(i));
    return r;
}

TEST_F(Consola, SoloLosPrimerosCienCombosTienenInterruptor)
{
    fijarModelo({{0, 0}}, {}, nombresDeCombos(102));
    teclear("combo\rC99\r");
    EXPECT_EQ(flags, flagsCon({{flagPrimerCombo + 99, 1}}));
    EXPECT_EQ(dialogo, "Combo Activado/Desactivado, OK. Ingrese Comando:");

    teclear("combo\rC100\rcombo\rC101\r");
    EXPECT_EQ(flags.size(), 200u);
    EXPECT_EQ(flags, flagsCon({{flagPrimerCombo + 99, 1}}));
    EXPECT_EQ(numeroComboCoincidente, 101);
    EXPECT_EQ(dialogo, "Solo se pueden mostrar los primeros 100 combos. Ingrese Comando:");
    EXPECT_FALSE(comboActivo(100));
    EXPECT_FALSE(comboActivo(-1));
}

// The overlay is drawn through the window's perspective at depth 2.41.
class Superposicion : public Consola {
protected:
    void SetUp() override
    {
        Consola::SetUp();
    }

    // Window position of an overlay raster position.
    static void aVentana(double x, double y, double& wx, double& wy)
    {
        const double f = 1 / std::tan(3.141592653589793 / 8);
        wx = (x * f / 1.25 / 2.41 + 1) / 2 * 1000;
        wy = (y * f / 2.41 + 1) / 2 * 800;
    }
};

struct Linea {
    double x, y;
    size_t caracteres;
    float r, g, b;
};

// Bitmap characters grouped by the line they start on.
std::vector<Linea> lineasDe(const Captura& c)
{
    std::vector<Linea> r;
    for (const Elemento& e : c.deTipo(Elemento::Bitmap)) {
        const Vertice& v = e.v[0];
        if (r.empty() || std::fabs(r.back().y - v.y) > 0.5 || v.x < r.back().x - 0.5) {
            r.push_back({v.x, v.y, 0, static_cast<float>(v.r), static_cast<float>(v.g), static_cast<float>(v.b)});
        }
        ++r.back().caracteres;
    }
    return r;
}

void esperarLinea(const Linea& l, double wx, double wy, size_t caracteres, float r, float g, float b)
{
    EXPECT_NEAR(l.x, wx, 0.5);
    EXPECT_NEAR(l.y, wy, 0.5);
    EXPECT_EQ(l.caracteres, caracteres);
    EXPECT_NEAR(l.r, r, 0.003);
    EXPECT_NEAR(l.g, g, 0.003);
    EXPECT_NEAR(l.b, b, 0.003);
}

TEST_F(Superposicion, MensajeIndicadorAyudaYListaDeCombos)
{
    teclear("combo\rS1\rpl");
    glLoadIdentity();
    const EstadoGl antes = leerEstado();
    const Captura c = capturar(plotDialogo, nullptr);
    const EstadoGl despues = leerEstado();
    EXPECT_EQ(despues.profundidadPila, antes.profundidadPila);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(despues.modelview[i], antes.modelview[i]);

    const std::vector<Linea> l = lineasDe(c);
    ASSERT_EQ(l.size(), 8u);
    double wx, wy;
    aVentana(-0.98, -0.92, wx, wy);
    // The message and its line break, then "/>" and the typed text below it.
    esperarLinea(l[0], wx, wy, dialogo.size() + 1, 0, 1, 0);
    EXPECT_EQ(l[1].caracteres, 2u + 2u);
    EXPECT_NEAR(l[1].x, wx, 0.5);
    EXPECT_LT(l[1].y, wy - 10);
    aVentana(0.7, -0.92, wx, wy);
    EXPECT_NEAR(l[2].x, wx, 0.5);
    EXPECT_NEAR(l[2].y, wy, 0.5);
    EXPECT_LT(l[3].y, wy - 10);
    aVentana(0.8, 0.95, wx, wy);
    esperarLinea(l[4], wx, wy, 17, 0, 1, 0);
    const char* nombres[] = {"U1", "S1", "combo"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(nombres[i]);
        aVentana(0.85, 0.95 - (i + 1) * 0.04, wx, wy);
        const bool brillante = i == 1;
        esperarLinea(l[5 + i], wx, wy, std::string(nombres[i]).size(), 0, brillante ? 1 : 0.3f,
                     brillante ? 0.2f : 0.05f);
    }
}

// The overlay's words: the message with the prompt below it, the help on its
// two lines, the heading and the names. Each command the help names is one
// the console answers.
TEST_F(Superposicion, TextosDelMensajeLaAyudaYLaLista)
{
    teclear("combo\rS1\rpl");
    const Captura c = capturar(plotDialogo, nullptr);
    const std::string ayuda = "combo plotDef plotN plotV plotM plotR\nplotCarga  +/- escala  F5 reinicio";
    EXPECT_EQ(c.textos, (std::vector<std::string>{"Combo Activado/Desactivado, OK. Ingrese Comando:\n/>pl", ayuda,
                                                  "COMBOS ACTIVADOS:", "U1", "S1", "combo"}));
    const std::vector<Linea> l = lineasDe(c);
    ASSERT_EQ(l.size(), 8u);
    EXPECT_EQ(l[2].caracteres, ayuda.find('\n') + 1);
    EXPECT_EQ(l[3].caracteres, ayuda.size() - ayuda.find('\n') - 1);

    std::istringstream palabras(ayuda);
    for (std::string palabra; palabras >> palabra;) {
        if (palabra != "combo" && palabra.rfind("plot", 0) != 0) continue;
        SCOPED_TRACE(palabra);
        SetUp();
        teclear(palabra + "\r");
        EXPECT_NE(dialogo, "Comando:");
    }
}

TEST_F(Superposicion, ListaSinNudosYConMasDeCienCombos)
{
    fijarModelo({});
    std::vector<Linea> l = lineasDe(capturar(plotDialogo, nullptr));
    // Message, prompt, two help lines, the heading and no combination.
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[0].caracteres, std::string("Comando:").size() + 1);
    EXPECT_EQ(l[4].caracteres, 17u);

    // From index 48 on the lines fall below the window and are not drawn;
    // the names past the 100 switches are still listed, without reading them.
    fijarModelo({{0, 0}}, {}, nombresDeCombos(150));
    for (int i = flagPrimerCombo; i < 200; ++i) flags[i] = 1;
    l = lineasDe(capturar(plotDialogo, nullptr));
    ASSERT_EQ(l.size(), 5u + 48u);
    for (size_t i = 5; i < l.size(); ++i) EXPECT_NEAR(l[i].g, 1, 0.003);
}

}  // namespace
