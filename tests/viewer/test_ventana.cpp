#include <GL/freeglut.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "elementosPlot.h"
#include "funcionPlot.h"
#include "gl_captura.h"
#include "modelo_visor.h"
#include "util.h"
#include "vardel2d.h"

namespace {

class Frontera : public EstadoLimpio {};
class Raton : public EstadoLimpio {};

const double t = 2 * std::tan(3.141592653589793 / 8);  // visible height per unit of distance

struct CasoFrontera {
    const char* nombre;
    std::vector<NudoPrueba> nudos;
    double xMin, xMax, yMin, yMax;
};

TEST_F(Frontera, LimitesDesdeElOrigenYCamaraInicial)
{
    const CasoFrontera casos[] = {
        {"lejos del origen: el origen queda dentro", {{1000, 5}, {1010, -3}}, 0, 1010, -3, 5},
        {"mas alto que ancho", {{-4, 2}, {6, 12}}, -4, 6, 0, 12},
        {"una viga horizontal", {{0, 0}, {8, 0}}, 0, 8, 0, 0},
        {"todo en el origen recibe un cuadrado unidad", {{0, 0}, {0, 0}}, -0.5, 0.5, -0.5, 0.5},
        {"un solo nudo en el origen", {{0, 0}}, -0.5, 0.5, -0.5, 0.5},
        {"sin nudos", {}, -0.5, 0.5, -0.5, 0.5},
    };
    for (const CasoFrontera& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        reiniciarVisor();
        fijarModelo(caso.nudos);
        funcionFronteraGraf();
        EXPECT_EQ(xMin, caso.xMin);
        EXPECT_EQ(xMax, caso.xMax);
        EXPECT_EQ(yMin, caso.yMin);
        EXPECT_EQ(yMax, caso.yMax);
        EXPECT_DOUBLE_EQ(xCam, (caso.xMin + caso.xMax) / 2);
        EXPECT_DOUBLE_EQ(yCam, (caso.yMin + caso.yMax) / 2);
        EXPECT_EQ(xCentroObj, xCam);
        EXPECT_EQ(yCentroObj, yCam);
        EXPECT_DOUBLE_EQ(zCam, 1.1 * std::fmax(caso.xMax - caso.xMin, caso.yMax - caso.yMin) / t);
        EXPECT_GT(zCam, 0);
    }
}

struct Evento {
    enum Tipo { Boton, Mover } tipo;
    int boton, estado, x, y;
};

struct CasoRaton {
    const char* nombre;
    std::vector<Evento> eventos;
    double dxCam, dyCam;  // in pan steps k = t zCam / 1000
    int notasRueda;       // zoom steps: + in, - out
};

TEST_F(Raton, ArrastreConBotonIzquierdoYRueda)
{
    const Evento izqAbajo{Evento::Boton, GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100};
    const Evento izqArriba{Evento::Boton, GLUT_LEFT_BUTTON, GLUT_UP, 100, 100};
    const CasoRaton casos[] = {
        {"el modelo sigue al puntero", {izqAbajo, {Evento::Mover, 0, 0, 110, 90}}, -10, -10, 0},
        {"dos pasos se suman", {izqAbajo, {Evento::Mover, 0, 0, 95, 100}, {Evento::Mover, 0, 0, 90, 104}}, 10, 4, 0},
        {"tras soltar no se mueve", {izqAbajo, izqArriba, {Evento::Mover, 0, 0, 150, 150}}, 0, 0, 0},
        {"sin pulsar no se mueve", {{Evento::Mover, 0, 0, 150, 150}}, 0, 0, 0},
        {"boton derecho no arrastra", {{Evento::Boton, GLUT_RIGHT_BUTTON, GLUT_DOWN, 100, 100}, {Evento::Mover, 0, 0, 150, 150}}, 0, 0, 0},
        {"boton central no arrastra", {{Evento::Boton, GLUT_MIDDLE_BUTTON, GLUT_DOWN, 100, 100}, {Evento::Mover, 0, 0, 150, 150}}, 0, 0, 0},
        {"rueda: solo al soltar", {{Evento::Boton, 3, GLUT_DOWN, 0, 0}, {Evento::Boton, 3, GLUT_UP, 0, 0}}, 0, 0, 1},
        {"rueda atras aleja", {{Evento::Boton, 4, GLUT_DOWN, 0, 0}, {Evento::Boton, 4, GLUT_UP, 0, 0}}, 0, 0, -1},
    };
    for (const CasoRaton& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        reiniciarVisor();
        fijarModelo({{0, 0}, {10, 6}});
        funcionFronteraGraf();
        const double z0 = zCam, x0 = xCam, y0 = yCam;
        const double k = t * z0 / 1000;
        for (const Evento& e : caso.eventos) {
            if (e.tipo == Evento::Boton) {
                mouseButton(e.boton, e.estado, e.x, e.y);
            } else {
                mouseMove(e.x, e.y);
            }
        }
        EXPECT_NEAR(xCam - x0, caso.dxCam * k, 1e-12);
        EXPECT_NEAR(yCam - y0, caso.dyCam * k, 1e-12);
        // Eye and target move together: the view stays along -Z.
        EXPECT_NEAR(xCentroObj, xCam, 1e-12);
        EXPECT_NEAR(yCentroObj, yCam, 1e-12);
        EXPECT_DOUBLE_EQ(zCam, z0 / std::pow(1.07, caso.notasRueda));
    }
}

TEST_F(Raton, DiezNotasAtrasYDiezAdelanteVuelven)
{
    reiniciarVisor();
    fijarModelo({{0, 0}, {10, 6}});
    funcionFronteraGraf();
    const double z0 = zCam;
    for (int i = 0; i < 10; ++i) mouseButton(4, GLUT_UP, 0, 0);
    EXPECT_NEAR(zCam, z0 * std::pow(1.07, 10), 1e-9);
    for (int i = 0; i < 10; ++i) mouseButton(3, GLUT_UP, 0, 0);
    EXPECT_NEAR(zCam, z0, 1e-12);
}

class Ventana : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        reiniciarVisor();
    }
    void TearDown() override
    {
        reiniciarVisor();
        GlTest::TearDown();
    }
};

std::vector<double> matriz(GLenum cual)
{
    std::vector<double> m(16);
    glGetDoublev(cual, m.data());
    return m;
}

std::vector<double> perspectivaDeReferencia(double aspecto, double lejos)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45, aspecto, 0.01f, lejos);
    std::vector<double> m = matriz(GL_PROJECTION_MATRIX);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return m;
}

void esperarMatriz(const std::vector<double>& a, const std::vector<double>& b)
{
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(a[i], b[i], 1e-12 * (1 + std::fabs(b[i]))) << "elemento " << i;
}

TEST_F(Ventana, RedimensionarFijaVistaYPerspectiva)
{
    struct Caso {
        int w, h;
        int altoVista;
        double aspecto;
    };
    const Caso casos[] = {{1000, 800, 800, 1.25}, {640, 0, 1, 640}, {300, 900, 900, 1.0 / 3}};
    reiniciarVisor();
    fijarModelo({{0, 0}, {10, 6}});
    funcionFronteraGraf();
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        glMatrixMode(GL_PROJECTION);
        changeSize(c.w, c.h);
        GLint vista[4];
        glGetIntegerv(GL_VIEWPORT, vista);
        EXPECT_EQ(vista[0], 0);
        EXPECT_EQ(vista[1], 0);
        EXPECT_EQ(vista[2], c.w);
        EXPECT_EQ(vista[3], c.altoVista);
        GLint modo;
        glGetIntegerv(GL_MATRIX_MODE, &modo);
        EXPECT_EQ(modo, GL_MODELVIEW);
        // A small model keeps the far plane at 1000.
        esperarMatriz(matriz(GL_PROJECTION_MATRIX), perspectivaDeReferencia(c.aspecto, 1000));
    }
}

// Height in pixels of the diagonal of a square model of side `lado`, drawn
// through the real projection and camera; 0 when clipped away.
double altoDiagonalEnPixeles(double lado, int notasAtras)
{
    reiniciarVisor();
    fijarModelo({{0, 0}, {lado, lado}});
    estadoDeApertura();
    for (int i = 0; i < notasAtras; ++i) mouseButton(4, 1, 0, 0);
    const Captura c = capturar(
        [&] {
            glLoadIdentity();
            gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, 0, 0, 1, 0);
            glBegin(GL_LINES);
            glVertex2d(0, 0);
            glVertex2d(lado, lado);
            glEnd();
        },
        nullptr);
    const std::vector<Elemento> s = c.segmentos();
    if (s.size() != 1) return 0;
    return std::fabs(s[0].v[1].y - s[0].v[0].y);
}

TEST_F(Ventana, ElPlanoDelModeloQuedaEnElVolumenATodaEscalaYZoom)
{
    const double lados[] = {1, 10, 753, 754, 2000, 5e5};
    const int notas[] = {0, 40};
    for (double lado : lados) {
        for (int n : notas) {
            SCOPED_TRACE("lado " + std::to_string(lado) + ", notas atras " + std::to_string(n));
            // The larger extent spans 1/1.1 of the 800-pixel height, less each notch.
            EXPECT_NEAR(altoDiagonalEnPixeles(lado, n), 800 / 1.1 / std::pow(1.07, n), 0.05);
        }
    }
}

TEST_F(Ventana, AcercarConLaRuedaNoCambiaMasQueElPlanoLejano)
{
    reiniciarVisor();
    fijarModelo({{0, 0}, {3000, 0}});
    estadoDeApertura();
    mouseButton(3, 1, 0, 0);
    esperarMatriz(matriz(GL_PROJECTION_MATRIX), perspectivaDeReferencia(1.25, 2 * zCam));
    for (int i = 0; i < 60; ++i) mouseButton(3, 1, 0, 0);
    esperarMatriz(matriz(GL_PROJECTION_MATRIX), perspectivaDeReferencia(1.25, 1000));
}

// What a frame draws, told apart by each layer's colour.
enum Capa { Consola, Barras, Nudos, NumNudos, Etiquetas, Apoyos, Otra };

Capa capaDe(const Elemento& e)
{
    const Vertice& v = e.v[0];
    auto es = [&](double r, double g, double b) {
        return std::fabs(v.r - r) < 0.01 && std::fabs(v.g - g) < 0.01 && std::fabs(v.b - b) < 0.01;
    };
    if (e.tipo == Elemento::Bitmap) return Consola;
    if (es(0.5, 0.5, 0.5)) return Barras;
    if (es(0.7, 0, 0)) return Nudos;
    if (es(0.9, 0.2, 0.2)) return NumNudos;
    if (es(0.8, 0.8, 0.8)) return Etiquetas;
    if (es(0.8, 0.8, 0.3)) return Apoyos;
    return Otra;
}

// The layers in the order in which they first appear, each appearing once.
std::vector<Capa> capasDelCuadro(const Captura& c)
{
    std::vector<Capa> r;
    for (const Elemento& e : c.elementos) {
        if (e.v.empty()) continue;
        const Capa capa = capaDe(e);
        if (r.empty() || r.back() != capa) r.push_back(capa);
    }
    return r;
}

TEST_F(Ventana, ElCuadroDibujaConsolaModeloYCapasEnOrden)
{
    struct Caso {
        const char* nombre;
        std::vector<int> encendidos;
        bool conBarras;
        std::vector<Capa> capas;
    };
    const Caso casos[] = {
        {"al abrir: apoyos encendidos", {flagApoyos}, true, {Consola, Barras, Nudos, Apoyos}},
        {"numeros, barras y secciones",
         {flagTagNudos, flagTagBarras, flagSecciones, flagApoyos},
         true,
         {Consola, Barras, Nudos, NumNudos, Etiquetas, Apoyos}},
        {"apoyos apagados (contador par)", {}, true, {Consola, Barras, Nudos}},
        {"sin barras", {flagApoyos}, false, {Consola, Nudos, Apoyos}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        reiniciarVisor();
        std::vector<BarraPrueba> barras;
        if (caso.conBarras) barras = {{0, 1, 1, "IPE"}};
        fijarModelo({{0, 0, 1, 1, 1, 1}, {4, 3, 2}}, barras);
        estadoDeApertura();
        flags[flagApoyos] = 2;
        for (int i : caso.encendidos) flags[i] = 1;
        const Captura c = capturar(draw, nullptr);
        EXPECT_EQ(capasDelCuadro(c), caso.capas);
    }
}

// The restart re-reads the file named by nombreArchivo; each test writes its own.
class Reinicio : public Ventana {
protected:
    void SetUp() override
    {
        Ventana::SetUp();
        nombreArchivo = archivo.ruta();
    }
    void TearDown() override
    {
        nombreArchivo.clear();
        Ventana::TearDown();
    }
    void escribirArchivo(const std::string& contenido) { std::ofstream(archivo.ruta()) << contenido; }

    static std::string pulsar(int tecla)
    {
        return salidaDe([tecla] { tecladoEspecial(tecla, 0, 0); });
    }

    const ArchivoTemporal archivo{""};
};

const char* const portico =
    "nudos: 1 0 0 2 0 3 3 4 3 4 4 0\n"
    "barras: 1 1 2 2 2 3 3 3 4\n"
    "apoyo: 1 1 1 1 4\n"
    "seccionRectangular: C 0.3 0.3 2.1e7 1 2 3\n"
    "puntual: viento 10 0 0 2\n"
    "combo: U1 1 viento\n"
    "combo: S1 2 viento\n"
    "escalaM: 0.02\n";

TEST_F(Reinicio, F5ReconstruyeElModeloYConservaCamaraInterruptoresYConsola)
{
    escribirArchivo("nudos: 1 0 0 2 2 0\n");
    salidaDe(funcionLeerArchivo);
    funcionFronteraGraf();
    escribirArchivo(portico);
    mouseButton(4, GLUT_UP, 0, 0);
    const double camara[] = {xMin, xMax, yMin, yMax, xCam, yCam, zCam, xCentroObj, yCentroObj};
    flags[flagMomento] = 1;
    flags[flagPrimerCombo + 1] = 1;
    flags[flagTagNudos] = 3;
    dialogo = "Momentos Flectores Activados. Ingrese Comando:";
    comando = "plo";
    numeroComboCoincidente = 1;
    escalaM = 7;

    const std::string salida = pulsar(GLUT_KEY_F5);
    EXPECT_EQ(salida.rfind("\n\n\n------------------------Reinicio del programa------------------\n", 0), 0u) << salida;
    EXPECT_NE(salida.find("lectura de nudos OK Num Nudos = 4\n"), std::string::npos);
    ASSERT_EQ(noNudos, 4);
    ASSERT_EQ(noBarras, 3);
    EXPECT_EQ(nudo.size(), 4u);
    EXPECT_EQ(barra.size(), 3u);
    EXPECT_EQ(noCombos, 2);
    // Solved: the loaded node moved with the wind.
    EXPECT_GT(nudo[1].getDesplazamientoX(1), 0);
    EXPECT_DOUBLE_EQ(nudo[1].getDesplazamientoX(1), 2 * nudo[1].getDesplazamientoX(0));
    EXPECT_EQ(escalaM, 0.02);

    const double despues[] = {xMin, xMax, yMin, yMax, xCam, yCam, zCam, xCentroObj, yCentroObj};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(despues[i], camara[i]) << i;
    EXPECT_EQ(flags[flagMomento], 1);
    EXPECT_EQ(flags[flagPrimerCombo + 1], 1);
    EXPECT_EQ(flags[flagTagNudos], 3);
    EXPECT_EQ(flags[flagApoyos], 1);
    EXPECT_EQ(dialogo, "Momentos Flectores Activados. Ingrese Comando:");
    EXPECT_EQ(comando, "plo");
    EXPECT_EQ(numeroComboCoincidente, 1);
}

std::size_t veces(const std::string& texto, const std::string& linea)
{
    std::size_t n = 0;
    for (std::size_t p = texto.find(linea); p != std::string::npos; p = texto.find(linea, p + linea.size())) ++n;
    return n;
}

void esperarMismoCuadro(const Captura& a, const Captura& b)
{
    ASSERT_EQ(a.elementos.size(), b.elementos.size());
    for (std::size_t i = 0; i < a.elementos.size(); ++i) {
        ASSERT_EQ(a.elementos[i].v.size(), b.elementos[i].v.size());
        for (std::size_t j = 0; j < a.elementos[i].v.size(); ++j) {
            EXPECT_EQ(a.elementos[i].v[j].x, b.elementos[i].v[j].x);
            EXPECT_EQ(a.elementos[i].v[j].y, b.elementos[i].v[j].y);
        }
    }
}

// Every frame draws the section names; a bar without one has its accessor's
// line printed once per reading of the file, not once per frame.
TEST_F(Reinicio, UnaBarraSinNombreDeSeccionSeDiceUnaVezPorLectura)
{
    const std::string aviso = "Definir el nombre de sección\n";
    const std::string nudos = "nudos: 1 0 0 2 4 0 3 8 0 barras: 1 1 2 2 2 3 apoyo: 1 1 1 1 ";
    const struct {
        const char* nombre;
        std::string texto;
        std::size_t lineas;
    } casos[] = {
        {"una barra sin sección", nudos + "seccionRectangular: V 0.3 0.5 2.1e7 1", 1},
        {"ninguna con sección", nudos, 1},
        {"todas con sección", nudos + "seccionRectangular: V 0.3 0.5 2.1e7 1 2", 0},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        reiniciarVisor();
        escribirArchivo(caso.texto);
        leerYResolver(archivo.ruta());
        estadoDeApertura();
        flags[flagSecciones] = 1;

        std::vector<Captura> cuadros;
        const auto tresCuadros = [&] {
            return salidaDe([&] {
                for (int k = 0; k < 3; ++k) cuadros.push_back(capturar(draw, nullptr));
            });
        };
        EXPECT_EQ(veces(tresCuadros(), aviso), caso.lineas);
        EXPECT_EQ(veces(pulsar(GLUT_KEY_F5), aviso), 0u);
        EXPECT_EQ(veces(tresCuadros(), aviso), caso.lineas) << "después de F5";
        for (const Captura& cuadro : cuadros) esperarMismoCuadro(cuadro, cuadros.front());
    }
}

TEST_F(Reinicio, OtrasTeclasEspecialesNoHacenNada)
{
    escribirArchivo(portico);
    salidaDe(funcionLeerArchivo);
    escribirArchivo("");
    for (int tecla : {GLUT_KEY_F1, GLUT_KEY_F4, GLUT_KEY_F6, GLUT_KEY_LEFT, GLUT_KEY_HOME}) {
        EXPECT_EQ(pulsar(tecla), "") << tecla;
        EXPECT_EQ(noNudos, 4);
        EXPECT_EQ(nudo.size(), 4u);
    }
}

TEST_F(Reinicio, F5SobreUnModeloQueNoSePuedeResolverSigueDibujando)
{
    const std::pair<const char*, const char*> casos[] = {
        {"archivo vacio", ""},
        {"nudos sin barras ni combos", "nudos: 1 0 0 2 4 0\n"},
        {"ningun grado de libertad libre",
         "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 2 seccionGenerica: S 1 1 1 1 "
         "puntual: D 0 -1 0 2 combo: C 1 D\n"},
        {"un combo sin pares y uno repetido",
         "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 seccionGenerica: S 1 1 1 1 "
         "puntual: D 0 -1 0 2 combo: A combo: B 1 D combo: B 1 D\n"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.first);
        escribirArchivo(portico);
        leerYResolver(archivo.ruta());
        estadoDeApertura();
        for (int i = flagTagNudos; i <= flagApoyos; ++i) flags[i] = 1;
        flags[flagPrimerCombo] = flags[flagPrimerCombo + 1] = 1;

        escribirArchivo(caso.second);
        EXPECT_NE(pulsar(GLUT_KEY_F5).find("Reinicio del programa"), std::string::npos);
        EXPECT_EQ(nudo.size(), static_cast<size_t>(noNudos));
        EXPECT_EQ(barra.size(), static_cast<size_t>(noBarras));
        const Captura c = capturar(draw, nullptr);
        EXPECT_FALSE(c.deTipo(Elemento::Bitmap).empty());
        teclado(13, 0, 0);
    }
}

}  // namespace
