#include <GL/freeglut.h>

#include <cmath>
#include <cstring>
#include <string>

#include "elementosPlot.h"
#include "gl_captura.h"
#include "vardel2d.h"

namespace {

const double k1 = 1.0 / 152.38;  // font scale of a text of height 1

struct Caja {
    double xMin = 1e300, xMax = -1e300, yMin = 1e300, yMax = -1e300;
};

Caja cajaDe(const Captura& c)
{
    Caja b;
    for (const Elemento& e : c.elementos) {
        for (const Vertice& v : e.v) {
            b.xMin = std::fmin(b.xMin, v.x);
            b.xMax = std::fmax(b.xMax, v.x);
            b.yMin = std::fmin(b.yMin, v.y);
            b.yMax = std::fmax(b.yMax, v.y);
        }
    }
    return b;
}

// The strokes of a text drawn directly with the font at the origin, scaled by k,
// moved by (dx, dy): what a primitive must reproduce.
Captura textoDeReferencia(const char* texto, double k, double dx, double dy)
{
    return capturar([&] {
        glTranslatef(dx, dy, 0);
        glScalef(k, k, k);
        for (size_t i = 0; i < std::strlen(texto); ++i) glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, texto[i]);
    });
}

void esperarIgual(const Captura& a, const Captura& b)
{
    ASSERT_EQ(a.elementos.size(), b.elementos.size());
    for (size_t i = 0; i < a.elementos.size(); ++i) {
        ASSERT_EQ(a.elementos[i].v.size(), b.elementos[i].v.size());
        for (size_t j = 0; j < a.elementos[i].v.size(); ++j) {
            EXPECT_NEAR(a.elementos[i].v[j].x, b.elementos[i].v[j].x, 1e-3);
            EXPECT_NEAR(a.elementos[i].v[j].y, b.elementos[i].v[j].y, 1e-3);
        }
    }
}

class Primitivas : public GlTest {};

struct CasoNumero {
    const char* nombre;
    void (*dibujar)(double, double, double, int, double);
    double valor;
    int decimales;
    const char* texto;
    double desplazamiento;  // in character advances, times the text's length
};

TEST_F(Primitivas, NumerosConFormatoYAlineacion)
{
    const CasoNumero casos[] = {
        {"entero sin decimales", drawNumFloat, 7, 0, "7", 0},
        {"redondeo", drawNumFloat, 2.718, 2, "2.72", 0},
        {"cero negativo conserva el signo", drawNumFloat, -0.0001, 3, "-0.000", 0},
        {"decimales negativos se dibujan con 0", drawNumFloat, 3.6, -2, "4", 0},
        {"a la derecha termina en x", drawNumFloatRight, 123.456, 2, "123.46", -1},
        {"centrado", drawNumFloatCenter, 123.456, 2, "123.46", -0.5},
        {"cientifica", drawNumSci, 0.00123, 3, "1.230e-03", 0},
    };
    const double h = 2.0;
    for (const CasoNumero& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const double k = k1 * h;
        const double n = static_cast<double>(std::strlen(caso.texto));
        Captura dibujado = capturar([&] { caso.dibujar(10, 20, caso.valor, caso.decimales, h); });
        Captura esperado = textoDeReferencia(caso.texto, k, 10 + caso.desplazamiento * n * 104.76 * k, 20);
        esperarIgual(dibujado, esperado);
    }
}

TEST_F(Primitivas, TextoEscaladoYVacio)
{
    esperarIgual(capturar([] { drawTextoEscalado(-5, 3, "Rx: 12", 1.0); }), textoDeReferencia("Rx: 12", k1, -5, 3));
    EXPECT_TRUE(capturar([] { drawTextoEscalado(0, 0, "", 1.0); }).elementos.empty());
    // A height of 152.38 font units per model unit of height.
    Caja b = cajaDe(capturar([] { drawTextoEscalado(0, 0, "H", 10.0); }));
    EXPECT_NEAR(b.yMax, 100 * k1 * 10, 0.5);
}

TEST_F(Primitivas, NumeroDemasiadoLargoSeCortaEn99Caracteres)
{
    Captura largo = capturar([] { drawNumFloat(0, 0, 1e120, 0, 1.0); });
    char completo[200];
    std::snprintf(completo, sizeof completo, "%.0f", 1e120);
    const std::string texto(completo, 99);
    esperarIgual(largo, textoDeReferencia(texto.c_str(), k1, 0, 0));
}

struct CasoFlecha {
    const char* nombre;
    double x1, y1, x2, y2, s;
    double c1x, c1y, c2x, c2y;  // ends of the two head strokes (from the tip)
};

TEST_F(Primitivas, FlechaConCabezaEnLaPunta)
{
    const CasoFlecha casos[] = {
        {"hacia abajo", 0, 1, 0, 0, 1, 1.0 / 3, 1, -1.0 / 3, 1},
        {"hacia -x gira 180", 1, 0, 0, 0, 1, 1, -1.0 / 3, 1, 1.0 / 3},
        {"hacia +x", 0, 0, 2, 0, 0.5, 1.5, 0.5 / 3, 1.5, -0.5 / 3},
        {"cabeza mayor que el fuste", 0, 0, 0.1, 0, 1, -0.9, 1.0 / 3, -0.9, -1.0 / 3},
    };
    for (const CasoFlecha& f : casos) {
        SCOPED_TRACE(f.nombre);
        Captura c = capturar([&] { drawFlecha(f.x1, f.y1, f.x2, f.y2, f.s); });
        ASSERT_EQ(c.segmentos().size(), 3u);
        EXPECT_TRUE(mismoSegmento(c.elementos[0], f.x1, f.y1, f.x2, f.y2));
        EXPECT_TRUE(haySegmento(c, f.x2, f.y2, f.c1x, f.c1y));
        EXPECT_TRUE(haySegmento(c, f.x2, f.y2, f.c2x, f.c2y));
    }
}

TEST_F(Primitivas, FlechaSinLongitudNoDibujaNada)
{
    EXPECT_TRUE(capturar([] { drawFlecha(3, 4, 3, 4, 1); }).elementos.empty());
    EXPECT_TRUE(capturar([] { drawFlecha(NAN, 0, 0, 0, 1); }).elementos.empty());
}

TEST_F(Primitivas, ArcoDeOnceVertices)
{
    Captura c = capturar([] { plotArco(0, 0, 10, 0, 90); });
    ASSERT_EQ(c.segmentos().size(), 10u);
    for (int i = 0; i < 10; ++i) {
        const double t0 = PI * 9 * i / 180, t1 = PI * 9 * (i + 1) / 180;
        EXPECT_TRUE(mismoSegmento(c.elementos[i], 10 * std::cos(t0), 10 * std::sin(t0), 10 * std::cos(t1),
                                  10 * std::sin(t1)))
            << i;
    }
    // Angles decreasing run clockwise; a full turn closes on its first vertex.
    Captura horario = capturar([] { plotArco(1, 1, 2, 90, 0); });
    EXPECT_NEAR(horario.elementos.front().v[0].y, 3, 1e-4);
    EXPECT_NEAR(horario.elementos.back().v[1].x, 3, 1e-4);
    Captura vuelta = capturar([] { plotArco(0, 0, 5, 0, 360); });
    EXPECT_NEAR(vuelta.elementos.back().v[1].x, 5, 1e-4);
    EXPECT_NEAR(vuelta.elementos.back().v[1].y, 0, 1e-4);
}

TEST_F(Primitivas, NingunaCambiaColorAnchoNiMatriz)
{
    const std::function<void()> llamadas[] = {
        [] { drawTextoEscalado(1, 2, "abc", 1); },   [] { drawNumFloat(1, 2, 3.5, 2, 1); },
        [] { drawNumFloatRight(1, 2, 3.5, 2, 1); }, [] { drawNumFloatCenter(1, 2, 3.5, 2, 1); },
        [] { drawNumSci(1, 2, 3.5, 2, 1); },         [] { drawFlecha(0, 0, 5, 5, 1); },
        [] { plotArco(0, 0, 1, 0, 180); },
    };
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(3, 4, 0);
    glColor3f(0.25f, 0.5f, 0.75f);
    glLineWidth(3);
    for (size_t i = 0; i < sizeof llamadas / sizeof llamadas[0]; ++i) {
        EstadoGl antes = leerEstado();
        llamadas[i]();
        EXPECT_TRUE(mismoEstado(antes, leerEstado())) << "primitive " << i;
    }
    glLineWidth(1);
}

}  // namespace
