#include <GL/freeglut.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "elementosPlot.h"
#include "funcionPlot.h"
#include "gl_captura.h"
#include "modelo_visor.h"
#include "vardel2d.h"

namespace {

// Model width W = 10: spheres W/400, label offset W/200, symbol unit W/50.
class CapasModelo : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        reiniciarVisor();
        xMin = 0;
        xMax = 10;
        yMin = 0;
        yMax = 4;
    }
    void TearDown() override
    {
        reiniciarVisor();
        GlTest::TearDown();
    }

    Vista vista{-5, 5, -5, 5};
};

// Drawn after a width that no layer uses, so one that sets none shows it.
Captura capturarCapa(const std::function<void()>& capa, const Vista& v)
{
    return capturar(
        [&] {
            glLineWidth(7);
            capa();
        },
        &v);
}

bool colorEs(const Elemento& e, double r, double g, double b)
{
    for (const Vertice& v : e.v) {
        if (std::fabs(v.r - r) > 0.005 || std::fabs(v.g - g) > 0.005 || std::fabs(v.b - b) > 0.005) return false;
    }
    return true;
}

void esperarColor(const Captura& c, double r, double g, double b)
{
    for (const Elemento& e : c.elementos) EXPECT_TRUE(colorEs(e, r, g, b));
}

TEST_F(CapasModelo, BarrasComoLineasYNudosComoEsferas)
{
    fijarModelo({{0, 0}, {3, 2}, {-1, 4}}, {{0, 1}, {1, 2}});
    const Captura barras = capturarCapa(plotBarras, vista);
    ASSERT_EQ(barras.elementos.size(), 2u);
    EXPECT_TRUE(mismoSegmento(barras.elementos[0], 0, 0, 3, 2));
    EXPECT_TRUE(mismoSegmento(barras.elementos[1], 3, 2, -1, 4));
    esperarColor(barras, 0.5, 0.5, 0.5);
    for (const Elemento& e : barras.elementos) EXPECT_EQ(e.ancho, 3);

    Vista cerca{2.9, 3.1, 1.9, 2.1};
    const Captura nudos = capturar(plotNudos, &cerca);
    double xa = 1e9, xb = -1e9, ya = 1e9, yb = -1e9;
    for (const Elemento& e : nudos.deTipo(Elemento::Poligono)) {
        EXPECT_TRUE(colorEs(e, 0.7, 0, 0));
        for (const Vertice& v : e.v) {
            xa = std::fmin(xa, v.x);
            xb = std::fmax(xb, v.x);
            ya = std::fmin(ya, v.y);
            yb = std::fmax(yb, v.y);
        }
    }
    // Only the node at (3, 2) lies in the view: radius W/400 = 0.025.
    EXPECT_NEAR(xa, 3 - 0.025, 1e-4);
    EXPECT_NEAR(xb, 3 + 0.025, 1e-4);
    EXPECT_NEAR(ya, 2 - 0.025, 1e-4);
    EXPECT_NEAR(yb, 2 + 0.025, 1e-4);
    const Esfera esfera = esferaDe(nudos);
    EXPECT_EQ(esfera.cortes, 12);
    EXPECT_EQ(esfera.pilas, 12);
    EXPECT_NEAR(esfera.radioMin, 0.025, 1e-6);
    EXPECT_NEAR(esfera.radioMax, 0.025, 1e-6);
}

void esperarMismosTrazos(const Captura& a, const Captura& b)
{
    ASSERT_EQ(a.elementos.size(), b.elementos.size());
    ASSERT_FALSE(a.elementos.empty());
    for (size_t i = 0; i < a.elementos.size(); ++i) {
        ASSERT_EQ(a.elementos[i].v.size(), b.elementos[i].v.size());
        for (size_t j = 0; j < a.elementos[i].v.size(); ++j) {
            EXPECT_NEAR(a.elementos[i].v[j].x, b.elementos[i].v[j].x, 1e-4);
            EXPECT_NEAR(a.elementos[i].v[j].y, b.elementos[i].v[j].y, 1e-4);
        }
    }
}

TEST_F(CapasModelo, NumerosYSeccionesJuntoANudosYBarras)
{
    const double h = 0.3;
    fijarModelo({{1, 1, 12}, {3, 2, 7}}, {{0, 1, 5, "V30x50"}});
    struct Caso {
        const char* nombre;
        std::function<void()> capa;
        std::function<void()> referencia;
        double r, g, b;
    };
    const Caso casos[] = {
        {"numeros de nudo sin decimales, d = W/200 arriba a la derecha", [&] { plotTagNudos(h); },
         [&] {
             drawNumFloat(1.05, 1.05, 12, 0, h);
             drawNumFloat(3.05, 2.05, 7, 0, h);
         },
         0.9, 0.2, 0.2},
        {"numero de barra junto a su punto medio", [&] { plotTagBarras(h); },
         [&] { drawNumFloat(2.05, 1.55, 5, 0, h); }, 0.8, 0.8, 0.8},
        {"nombre de seccion en el mismo lugar", [&] { plotSecciones(h); },
         [&] { drawTextoEscalado(2.05, 1.55, "V30x50", h); }, 0.8, 0.8, 0.8},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const Captura c = capturarCapa(caso.capa, vista);
        esperarMismosTrazos(c, capturar(caso.referencia, &vista));
        esperarColor(c, caso.r, caso.g, caso.b);
        for (const Elemento& e : c.elementos) EXPECT_EQ(e.ancho, 1);
    }
}

struct Trazo {
    double x1, y1, x2, y2;
    float ancho = 1;  // 3 for the ground, wall or anchor stroke
};

// Segments expected in symbol units around the node at (1, 2).
struct CasoSimbolo {
    const char* nombre;
    NudoPrueba nudo;
    double escala;  // escalaApoyo
    double unidad;  // resulting symbol unit
    std::vector<Trazo> trazos;
    size_t segmentos;
};

const Elemento* buscarSegmento(const Captura& c, double x1, double y1, double x2, double y2)
{
    for (const Elemento& e : c.elementos) {
        if (mismoSegmento(e, x1, y1, x2, y2)) return &e;
    }
    return nullptr;
}

size_t segmentosDeAncho(const Captura& c, float ancho)
{
    size_t n = 0;
    for (const Elemento& e : c.segmentos()) n += e.ancho == ancho;
    return n;
}

// Every width-3 stroke of the symbol is listed; all other strokes are width 1.
void esperarSimbolo(const CasoSimbolo& caso, const Captura& c)
{
    EXPECT_EQ(c.segmentos().size(), caso.segmentos);
    size_t gruesos = 0;
    for (const Trazo& t : caso.trazos) {
        const double s = caso.unidad;
        const Elemento* e = buscarSegmento(c, 1 + s * t.x1, 2 + s * t.y1, 1 + s * t.x2, 2 + s * t.y2);
        SCOPED_TRACE(::testing::Message() << "(" << t.x1 << ", " << t.y1 << ")-(" << t.x2 << ", " << t.y2 << ")");
        EXPECT_TRUE(e);
        if (e) {
            EXPECT_EQ(e->ancho, t.ancho);
        }
        gruesos += t.ancho == 3;
    }
    EXPECT_EQ(segmentosDeAncho(c, 3), gruesos);
    EXPECT_EQ(segmentosDeAncho(c, 1), caso.segmentos - gruesos);
}

TEST_F(CapasModelo, UnSimboloPorCadaPatronDeApoyo)
{
    const double c36 = 0.65 * std::cos(3.141592653589793 / 5), s36 = 0.65 * std::sin(3.141592653589793 / 5);
    const CasoSimbolo casos[] = {
        {"empotrado: suelo por el nudo y cinco rayas", {1, 2, 0, 1, 1, 1}, 0, 0.2,
         {{-1, 0, 1, 0, 3}, {-1, -0.6, -0.67, 0}, {-0.67, -0.6, -0.33, 0}, {-0.33, -0.6, 0, 0}, {0, -0.6, 0.33, 0},
          {0.33, -0.6, 0.67, 0}},
         6},
        {"articulado: triangulo sobre el suelo a -1.3", {1, 2, 0, 1, 1, 0}, 0, 0.2,
         {{-1, -1.3, 1, -1.3, 3}, {-0.75, -1.3, 0, 0}, {0.75, -1.3, 0, 0}}, 3},
        {"rodillo en y: rueda de radio 0.65 bajo el nudo", {1, 2, 0, 0, 1, 0}, 0, 0.2,
         {{-1, -1.3, 1, -1.3, 3}, {0.65, -0.65, c36, -0.65 + s36}}, 11},
        {"rodillo en x: el mismo girado 90 grados", {1, 2, 0, 1, 0, 0}, 0, 0.2,
         {{1.3, -1, 1.3, 1, 3}, {0.65, 0.65, 0.65 - s36, c36}}, 11},
        {"escalaApoyo positiva fija la unidad", {1, 2, 0, 1, 1, 1}, 0.5, 0.5, {{-1, 0, 1, 0, 3}}, 6},
        {"libre", {1, 2, 0, 0, 0, 0}, 0, 0.2, {}, 0},
        {"solo giro", {1, 2, 0, 0, 0, 1}, 0, 0.2, {}, 0},
        {"x y giro", {1, 2, 0, 1, 0, 1}, 0, 0.2, {}, 0},
        {"y y giro", {1, 2, 0, 0, 1, 1}, 0, 0.2, {}, 0},
        {"codigo 2 no es 1", {1, 2, 0, 2, 1, 1}, 0, 0.2, {}, 0},
    };
    for (const CasoSimbolo& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        fijarModelo({caso.nudo});
        const Captura c = capturarCapa([&] { plotApoyos(caso.escala); }, vista);
        esperarSimbolo(caso, c);
        esperarColor(c, 0.8, 0.8, 0.3);
    }
}

TEST_F(CapasModelo, UnResortePorCadaRigidezNoNula)
{
    const std::vector<Trazo> resorteX = {{-1.7, 0.8, -1.7, -0.8, 3}, {-1.7, 0, -1.3, 0},   {-1.3, 0, -1.05, 0.6},
                                         {-1.05, 0.6, -0.65, -0.6},  {-0.65, -0.6, -0.4, 0}, {-0.4, 0, 0, 0}};
    std::vector<Trazo> resorteY;
    for (const Trazo& t : resorteX) resorteY.push_back({-t.y1, t.x1, -t.y2, t.x2, t.ancho});
    const CasoSimbolo casos[] = {
        {"en x: muro a la izquierda y zigzag hasta el nudo", {1, 2, 0, 0, 0, 0, 5}, 0, 0.2, resorteX, 6},
        {"en y: muro debajo", {1, 2, 0, 0, 0, 0, 0, 5}, 0, 0.2, resorteY, 6},
        {"de giro: ancla y espiral de tres arcos", {1, 2, 0, 0, 0, 0, 0, 0, 5}, 0, 0.2,
         {{0.6, 1.8, 0.6, 1, 3}, {0.8, 0, 0.4 + 0.4 * std::cos(3.141592653589793 / 10), 0.4 * std::sin(3.141592653589793 / 10)}},
         31},
        {"los tres a la vez", {1, 2, 0, 0, 0, 0, 5, 5, 5}, 0, 0.2,
         {{-1.7, 0.8, -1.7, -0.8, 3}, {-0.8, -1.7, 0.8, -1.7, 3}, {0.6, 1.8, 0.6, 1, 3}}, 43},
    };
    for (const CasoSimbolo& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        fijarModelo({caso.nudo});
        const Captura c = capturarCapa([&] { plotResortes(caso.escala); }, vista);
        esperarSimbolo(caso, c);
    }

    fijarModelo({{1, 2, 0, 0, 0, 0, 0, 0, 5}});
    const Captura giro = capturar([] { plotResortes(0); }, &vista);
    esperarColor(giro, 0.8, 0.2, 0.2);
    // The three arcs end where the next begins: at (-0.8, 0) and at (0.6, 1.4).
    const std::vector<Elemento> s = giro.segmentos();
    ASSERT_EQ(s.size(), 31u);
    EXPECT_NEAR(s[20].v[1].x, 1 + 0.2 * 0.8, 1e-4);
    EXPECT_NEAR(s[21].v[0].x, 1 + 0.2 * 0.6, 1e-4);
    EXPECT_NEAR(s[21].v[0].y, 2 + 0.2 * 1.4, 1e-4);
    EXPECT_NEAR(s[30].v[1].x, 1 - 0.2 * 0.8, 1e-4);
    EXPECT_NEAR(s[30].v[1].y, 2, 1e-4);
}

TEST_F(CapasModelo, RodilloConResorteMuestraAmbos)
{
    fijarModelo({{1, 2, 0, 0, 1, 0, 5}});
    const Captura c = capturar(
        [] {
            plotApoyos(0);
            plotResortes(0);
        },
        &vista);
    EXPECT_EQ(c.segmentos().size(), 17u);
    EXPECT_TRUE(haySegmento(c, 0.8, 2 - 0.26, 1.2, 2 - 0.26));
    EXPECT_TRUE(haySegmento(c, 1 - 0.34, 2 + 0.16, 1 - 0.34, 2 - 0.16));
}

// A fixed cantilever 8 high, bounds as the window computes them from the
// origin: on x = 0 it has no width and its height sizes the drawing; on
// x = 5 its width of 5 does, though the height is larger.
TEST_F(CapasModelo, ColumnaSinAnchoSeDibujaConSuAltura)
{
    struct Caso {
        const char* nombre;
        double x;
        double medida;
    };
    const Caso casos[] = {
        {"sobre x = 0", 0, 8},
        {"sobre x = 5", 5, 5},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        fijarModelo({{caso.x, 0, 1, 1, 1, 1}, {caso.x, 8, 2}}, {{0, 1, 1}});
        funcionFronteraGraf();

        const double u = caso.medida / 50;
        const Captura apoyo = capturarCapa([] { plotApoyos(0); }, Vista{caso.x - 1, caso.x + 1, -1, 1});
        EXPECT_EQ(apoyo.segmentos().size(), 6u);
        EXPECT_TRUE(haySegmento(apoyo, caso.x - u, 0, caso.x + u, 0));
        EXPECT_TRUE(haySegmento(apoyo, caso.x + 0.33 * u, -0.6 * u, caso.x + 0.67 * u, 0));

        const Vista cerca{caso.x - 0.1, caso.x + 0.1, 7.9, 8.1};
        const Captura nudos = capturar(plotNudos, &cerca);
        const Esfera esfera = esferaDe(nudos);
        EXPECT_NEAR(esfera.x, caso.x, 1e-6);
        EXPECT_NEAR(esfera.y, 8, 1e-6);
        EXPECT_NEAR(esfera.radioMin, caso.medida / 400, 1e-6);
        EXPECT_NEAR(esfera.radioMax, caso.medida / 400, 1e-6);
    }
}

TEST_F(CapasModelo, CadaCapaDejaLaMatrizComoLaEncontro)
{
    fijarModelo({{1, 1, 3, 1, 1, 1, 5, 5, 5}, {3, 2, 4, 0, 1, 0}, {5, 2, 6, 1, 0, 0}}, {{0, 1, 1, "S"}, {1, 2, 2, "T"}});
    const std::pair<const char*, std::function<void()>> capas[] = {
        {"barras", plotBarras},
        {"nudos", plotNudos},
        {"numeros de nudo", [] { plotTagNudos(0.2); }},
        {"numeros de barra", [] { plotTagBarras(0.2); }},
        {"secciones", [] { plotSecciones(0.2); }},
        {"apoyos", [] { plotApoyos(0); }},
        {"resortes", [] { plotResortes(0.5); }},
    };
    for (const auto& capa : capas) {
        SCOPED_TRACE(capa.first);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(0.5, 0.25, 0);
        const EstadoGl antes = leerEstado();
        capa.second();
        const EstadoGl despues = leerEstado();
        EXPECT_EQ(despues.profundidadPila, antes.profundidadPila);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(despues.modelview[i], antes.modelview[i]);
    }
    glLoadIdentity();
}

}  // namespace
