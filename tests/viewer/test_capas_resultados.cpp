#include <GL/freeglut.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <Eigen/Core>

#include "elementosPlot.h"
#include "funcionPlot.h"
#include "gl_captura.h"
#include "modelo_visor.h"
#include "util.h"
#include "vardel2d.h"

namespace {

const double k1 = 1.0 / 152.38;  // font scale of a text of height 1
const double avance = 104.76;            // advance of one character, font units

const Vista vista{-6, 6, -6, 6};

// Drawn after a width that no layer uses, so one that sets none shows it.
Captura capturarCapa(const std::function<void()>& capa)
{
    return capturar(
        [&] {
            glLineWidth(7);
            capa();
        },
        &vista);
}

enum Alineacion { Izquierda, Derecha, Centro };

// The strokes of `texto` as they must appear: a frame at the anchor (ax, ay)
// turned by `giro` degrees, the text starting at (dx, dy) of that frame.
Captura texto(const std::string& t, double ax, double ay, double giro, double dx = 0, double dy = 0,
              Alineacion al = Izquierda, double h = 0.15)
{
    return capturar(
        [&] {
            glTranslatef(ax, ay, 0);
            glRotatef(giro, 0, 0, 1);
            glTranslatef(dx, dy, 0);
            glScalef(k1 * h, k1 * h, k1 * h);
            const double ancho = avance * t.size();
            if (al == Derecha) glTranslatef(-ancho, 0, 0);
            if (al == Centro) glTranslatef(-ancho / 2, 0, 0);
            for (char ch : t) glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, ch);
        },
        &vista);
}

Captura unir(std::initializer_list<Captura> partes)
{
    Captura r;
    for (const Captura& p : partes) r.elementos.insert(r.elementos.end(), p.elementos.begin(), p.elementos.end());
    return r;
}

Captura desde(const Captura& c, size_t i)
{
    Captura r;
    if (i < c.elementos.size()) r.elementos.assign(c.elementos.begin() + i, c.elementos.end());
    return r;
}

bool deColor(const Elemento& e, double r, double g, double b)
{
    for (const Vertice& v : e.v) {
        if (std::fabs(v.r - r) > 1e-3 || std::fabs(v.g - g) > 1e-3 || std::fabs(v.b - b) > 1e-3) return false;
    }
    return !e.v.empty();
}

Captura deColor(const Captura& c, double r, double g, double b)
{
    Captura s;
    for (const Elemento& e : c.elementos) {
        if (deColor(e, r, g, b)) s.elementos.push_back(e);
    }
    return s;
}

void esperarAncho(const Captura& c, float ancho)
{
    for (const Elemento& e : c.elementos) ASSERT_EQ(e.ancho, ancho);
}

void esperarIgual(const Captura& a, const Captura& b)
{
    ASSERT_EQ(a.elementos.size(), b.elementos.size());
    for (size_t i = 0; i < a.elementos.size(); ++i) {
        ASSERT_EQ(a.elementos[i].v.size(), b.elementos[i].v.size()) << "element " << i;
        for (size_t j = 0; j < a.elementos[i].v.size(); ++j) {
            EXPECT_NEAR(a.elementos[i].v[j].x, b.elementos[i].v[j].x, 1e-4) << "element " << i;
            EXPECT_NEAR(a.elementos[i].v[j].y, b.elementos[i].v[j].y, 1e-4) << "element " << i;
        }
    }
}

// Model of hand-made nodes and bars, one combination "C1" of load case "D",
// given end displacements as the solver would hand them over.
class CapasResultados : public GlTest {
protected:
    // The window's state as it opens (default text height 0.15, 3 decimals),
    // on a model 4 wide.
    void SetUp() override
    {
        GlTest::SetUp();
        reiniciarVisor();
        xMax = 4;
    }
    void TearDown() override
    {
        reiniciarVisor();
        GlTest::TearDown();
    }

    static void vaciar() { fijarModelo({}); }

    static int agregarNudo(double x, double y, Eigen::Vector3i apoyo = Eigen::Vector3i::Zero(),
                           Eigen::Vector3d resorte = Eigen::Vector3d::Zero(), Eigen::Vector3d carga = Eigen::Vector3d::Zero())
    {
        objNudo2d n;
        const int i = static_cast<int>(nudo.size());
        n.setNumeroDeNudo(i);
        n.setNumeroNudoUsuario(i + 1);
        n.setCoordenadas(x, y);
        n.setApoyo(apoyo(0), apoyo(1), apoyo(2));
        n.setResorte(resorte(0), resorte(1), resorte(2));
        n.setCargaPuntual("D", carga(0), carga(1), carga(2));
        n.setCombo("C1", 1, "D");
        nudo.push_back(n);
        noNudos = static_cast<int>(nudo.size());
        noCombos = 1;
        return i;
    }

    // Distributed loads: axial fi, ff and transverse qi, qf in local axes.
    static objBarra2d& agregarBarra(int i, int f, double EA, double EI, double fi = 0, double ff = 0, double qi = 0,
                                    double qf = 0)
    {
        objBarra2d b;
        b.resetFlags();
        b.setNumeroDeBarra(static_cast<int>(barra.size()));
        b.setNumeroBarraUsuario(static_cast<int>(barra.size()) + 1);
        b.setNudoInicio(i, nudo[i].getX(), nudo[i].getY());
        b.setNudoFinal(f, nudo[f].getX(), nudo[f].getY());
        b.setSeccionGenerica(EA, EI);
        b.setModuloE(1);
        b.setCargaLocal("D", fi, ff, qi, qf);
        b.setCombo("C1", 1, "D");
        barra.push_back(b);
        noBarras = static_cast<int>(barra.size());
        return barra.back();
    }

    // Hands bar j its end displacements, given in its local axes.
    static void resolverBarra(int j, const Eigen::Matrix<double, 6, 1>& local)
    {
        objBarra2d& b = barra[j];
        b.getGdl();
        b.getKGlobal();
        b.getCargasEquivalentesGlobales();
        const double c = std::cos(b.getAngulo()), s = std::sin(b.getAngulo());
        Eigen::MatrixXd g(6, 1);
        for (int e = 0; e < 2; ++e) {
            const double u = local(3 * e), v = local(3 * e + 1);
            g(3 * e, 0) = c * u - s * v;
            g(3 * e + 1, 0) = s * u + c * v;
            g(3 * e + 2, 0) = local(3 * e + 2);
        }
        b.setDesplazamientos(g);
    }

    static void resolverNudo(int i, Eigen::Vector3d d, Eigen::Vector3d r = Eigen::Vector3d::Zero())
    {
        nudo[i].setDesplazamientos(Eigen::MatrixXd(d));
        nudo[i].setReacciones(Eigen::MatrixXd(r));
    }

    static Eigen::Matrix<double, 6, 1> sinDesplazamientos() { return Eigen::Matrix<double, 6, 1>::Zero(); }

    // A single bar from (x1, y1) to (x2, y2) whose nodes hold zero results.
    static objBarra2d& barraSola(double x1, double y1, double x2, double y2, double EA, double EI, double q = 0,
                                 const Eigen::Matrix<double, 6, 1>& local = sinDesplazamientos())
    {
        agregarNudo(x1, y1);
        agregarNudo(x2, y2);
        agregarBarra(0, 1, EA, EI, 0, 0, q, q);
        resolverBarra(0, local);
        resolverNudo(0, Eigen::Vector3d::Zero());
        resolverNudo(1, Eigen::Vector3d::Zero());
        return barra[0];
    }
};

// Point (x, y) of a bar's frame in model coordinates.
struct Marco {
    double xi, yi, ang;  // ang in degrees
    double X(double x, double y) const { return xi + x * std::cos(ang * PI / 180) - y * std::sin(ang * PI / 180); }
    double Y(double x, double y) const { return yi + x * std::sin(ang * PI / 180) + y * std::cos(ang * PI / 180); }
};

struct CasoBarra {
    const char* nombre;
    double x1, y1, x2, y2;
    double giroEtiqueta;  // degrees in model coordinates: the bar's angle, or plus 180 when turned
};

// Angle 0 and 180 read upright; 90 and -135 are not turned.
const CasoBarra barrasAxiales[] = {
    {"angulo 0", 0, 0, 4, 0, 0},
    {"angulo 180", 4, 0, 0, 0, 360},
    {"angulo 90", 0, 0, 0, 3, 90},
    {"angulo -135", 0, 0, -3, -3, -135},
};

TEST_F(CapasResultados, AxialConstanteConEtiquetasPorAngulo)
{
    for (const CasoBarra& caso : barrasAxiales) {
        SCOPED_TRACE(caso.nombre);
        vaciar();
        const double L = std::hypot(caso.x2 - caso.x1, caso.y2 - caso.y1);
        // EA = 100 L and a stretch of 0.1: N = 10 in tension along the whole bar.
        Eigen::Matrix<double, 6, 1> d = sinDesplazamientos();
        d(3) = 0.1;
        barraSola(caso.x1, caso.y1, caso.x2, caso.y2, 100 * L, 1, 0, d);
        const Marco m{caso.x1, caso.y1, std::atan2(caso.y2 - caso.y1, caso.x2 - caso.x1) * 180 / PI};

        Captura c = capturarCapa([] { plotAxial(0, 0.01); });
        Captura diagrama = deColor(c, 0, 0.2, 0.7);
        ASSERT_EQ(diagrama.elementos.size(), 41u);
        for (int k = 0; k < 20; ++k) {
            const double x0 = L * k / 20, x1 = L * (k + 1) / 20;
            EXPECT_TRUE(mismoSegmento(diagrama.elementos[k], m.X(x0, 0.1), m.Y(x0, 0.1), m.X(x1, 0.1), m.Y(x1, 0.1))) << k;
        }
        for (int k = 0; k <= 20; ++k) {
            const double x = L * k / 20;
            EXPECT_TRUE(mismoSegmento(diagrama.elementos[20 + k], m.X(x, 0), m.Y(x, 0), m.X(x, 0.1), m.Y(x, 0.1))) << k;
        }
        esperarIgual(deColor(c, 0.4, 0.4, 0.9),
                     unir({texto("10.000", m.X(0, 0.1), m.Y(0, 0.1), caso.giroEtiqueta),
                           texto("10.000", m.X(L, 0.1), m.Y(L, 0.1), caso.giroEtiqueta, 0, 0, Derecha)}));
        esperarAncho(c, 1);
    }
}

// Bar of length L with both ends held under a uniform load -1 and E I = 1:
// V = L/2 - x, M = -L²/12 at the ends and L²/24 at the zero of shear x = L/2.
struct CasoCortante {
    const char* nombre;
    double L, angulo;  // degrees
    bool girada;
    int decimales;
    const char* inicio;
    const char* fin;
    const char* x0;
};

TEST_F(CapasResultados, CortanteConEtiquetaDelCeroGiradaONo)
{
    const CasoCortante casos[] = {
        {"angulo 0", 3, 0, false, 3, "1.500", "-1.500", "x0= 1.500"},
        {"angulo 180", 3, 180, true, 3, "1.500", "-1.500", "x0= 1.500"},
        {"angulo 135", 3, 135, true, 3, "1.500", "-1.500", "x0= 1.500"},
        {"angulo 90 sin girar", 3, 90, false, 3, "1.500", "-1.500", "x0= 1.500"},
        {"precision negativa con 0 decimales", 4, 0, false, -2, "2", "-2", "x0= 2"},
    };
    const double s = 0.1;
    for (const CasoCortante& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        vaciar();
        precision = caso.decimales;
        const double a = caso.angulo * PI / 180;
        const double x2 = caso.angulo == 90 ? 0 : caso.L * std::cos(a), y2 = caso.angulo == 180 ? 0 : caso.L * std::sin(a);
        objBarra2d& b = barraSola(0, 0, x2, y2, 1, 1, -1);
        const double L = b.getLongitud();
        const Marco m{0, 0, b.getAngulo() * 180 / PI};
        const double giro = m.ang + (caso.girada ? 180 : 0);
        const double v0 = L / 2;

        Captura c = capturarCapa([] { plotCortante(0, 0.1); });
        Captura contorno = deColor(c, 0.5, 0.5, 0);
        Captura ordenadas = deColor(c, 0.4, 0.4, 0);
        ASSERT_EQ(ordenadas.elementos.size(), 21u);
        EXPECT_TRUE(mismoSegmento(contorno.elementos[0], m.X(0, v0 * s), m.Y(0, v0 * s), m.X(L / 20, 0.9 * v0 * s),
                                  m.Y(L / 20, 0.9 * v0 * s)));
        EXPECT_TRUE(mismoSegmento(ordenadas.elementos[20], m.X(L, 0), m.Y(L, 0), m.X(L, -v0 * s), m.Y(L, -v0 * s)));

        // The zero-shear label starts at the zero: above the axis, or below it in a turned frame.
        Captura x0 = caso.girada ? texto(caso.x0, m.X(L / 2, 0), m.Y(L / 2, 0), giro, 0, 0.03)
                                 : texto(caso.x0, m.X(L / 2, 0.03), m.Y(L / 2, 0.03), giro);
        esperarIgual(desde(c, 41), unir({texto(caso.inicio, m.X(0, v0 * s), m.Y(0, v0 * s), giro),
                                         texto(caso.fin, m.X(L, -v0 * s), m.Y(L, -v0 * s), giro, 0, 0, Derecha), x0}));
        esperarAncho(c, 1);
    }
}

TEST_F(CapasResultados, SinCeroDeCortanteNoHayEtiquetasDeTramo)
{
    // No span load, end rotation 0.01 at x = 4: V = 6 EI θ / L² constant, M linear.
    Eigen::Matrix<double, 6, 1> d = sinDesplazamientos();
    d(5) = 0.01;
    barraSola(0, 0, 4, 0, 1, 100, 0, d);
    const double V = 6 * 100 * 0.01 / 16, M0 = -2 * 100 * 0.01 / 4, M4 = 4 * 100 * 0.01 / 4;

    Captura cortante = capturarCapa([] { plotCortante(0, 0.1); });
    char t0[32], t1[32];
    std::snprintf(t0, sizeof t0, "%.3f", V);
    esperarIgual(desde(cortante, 41),
                 unir({texto(t0, 0, V * 0.1, 0), texto(t0, 4, V * 0.1, 0, 0, 0, Derecha)}));

    Captura momento = capturarCapa([] { plotMomento(0, 0.1); });
    std::snprintf(t0, sizeof t0, "%.3f", M0);
    std::snprintf(t1, sizeof t1, "%.3f", M4);
    esperarIgual(desde(momento, 41),
                 unir({texto(t0, 0, -M0 * 0.1, 0, 0.08), texto(t1, 4, -M4 * 0.1, 0, -0.08, 0, Derecha)}));
}

// Fixed-fixed bar of length 1 under a load from -1 to 1, E·I = 1: V = x² - x + 1/5,
// zero at (1 - 1/√5)/2, M = -1/60 and 1/60 at the ends, √5/300 there. The
// cantilever is examples/voladizo.txt, whose shear vanishes at the free end.
struct CasoCeroDeCortante {
    const char* nombre;
    const char* modelo;
    double L, V0, VL, M0, ML;
    const char *textoV0, *textoVL, *textoM0, *textoML;
    const char* x0;  // nullptr: no zero inside the bar
    double xv, Mmax;
    const char* textoMmax;
};

TEST_F(CapasResultados, EtiquetasDelCeroDeCortanteSoloDentroDeLaBarra)
{
    const double r5 = std::sqrt(5.0);
    const CasoCeroDeCortante casos[] = {
        {"cero dentro", "nudos: 1 0 0 2 1 0 barras: 1 1 2 apoyo: 1 1 1 1 2 seccionGenerica: S 1 1 1 1 "
                        "distribuidaLocal: D 0 0 -1 1 1 combo: C1 1 D",
         1, 0.2, 0.2, -1.0 / 60, 1.0 / 60, "0.200", "0.200", "-0.017", "0.017", "x0= 0.276", (1 - 1 / r5) / 2,
         r5 / 300, "0.007"},
        {"cero en el extremo libre", "nudos: 1 0 0 2 3 0 barras: 1 1 2 apoyo: 1 1 1 1 "
                                     "seccionGenerica: HEB200 7.81e-3 5.696e-5 2.1e8 1 "
                                     "distribuidaLocal: muerta 0 0 -10 -4 1 combo: C1 1 muerta",
         3, 21, 0, -27, 0, "21.000", "-0.000", "-27.000", "-0.000", nullptr, 0, 0, nullptr},
    };
    for (const CasoCeroDeCortante& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        vaciar();
        ArchivoTemporal archivo(caso.modelo);
        leerYResolver(archivo.ruta());
        const double s = 0.1, L = caso.L, t = escalaTexto;

        Captura etiquetasV = unir({texto(caso.textoV0, 0, caso.V0 * s, 0),
                                   texto(caso.textoVL, L, caso.VL * s, 0, 0, 0, Derecha)});
        if (caso.x0) etiquetasV = unir({etiquetasV, texto(caso.x0, caso.xv, 0.2 * t, 0)});
        esperarIgual(desde(capturarCapa([] { plotCortante(0, 0.1); }), 41), etiquetasV);

        Captura etiquetasM = unir({texto(caso.textoM0, 0, -caso.M0 * s, 0, L / 50),
                                   texto(caso.textoML, L, -caso.ML * s, 0, -L / 50, 0, Derecha)});
        if (caso.textoMmax)
            etiquetasM = unir({etiquetasM, texto(caso.textoMmax, caso.xv, -caso.Mmax * s, 0, 0, 0, Centro)});
        esperarIgual(desde(capturarCapa([] { plotMomento(0, 0.1); }), 41), etiquetasM);
    }
    nombreArchivo.clear();
}

struct CasoMomento {
    const char* nombre;
    double x1, x2;
    bool girada;
};

TEST_F(CapasResultados, MomentoPositivoDelLadoMenosYConEtiquetasAdentro)
{
    // L = 4: M = -4/3 at both ends, 2/3 at x = 2; scale 0.3.
    const CasoMomento casos[] = {
        {"hacia la derecha", 0, 4, false},
        {"hacia la izquierda, girada", 4, 0, true},
    };
    const double s = 0.3, Me = -4.0 / 3, Mc = 2.0 / 3;
    for (const CasoMomento& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        vaciar();
        barraSola(caso.x1, 0, caso.x2, 0, 1, 1, -1);
        const Marco m{caso.x1, 0, caso.girada ? 180.0 : 0.0};
        const double giro = caso.girada ? 360 : 0;

        Captura c = capturarCapa([] { plotMomento(0, 0.3); });
        Captura contorno = deColor(c, 0.7, 0.2, 0);
        Captura ordenadas = deColor(c, 0.5, 0.1, 0);
        ASSERT_EQ(ordenadas.elementos.size(), 21u);
        // The positive span moment below the axis of a bar pointing right.
        EXPECT_TRUE(mismoSegmento(ordenadas.elementos[10], m.X(2, 0), 0, m.X(2, 0), m.Y(2, -Mc * s)));
        EXPECT_TRUE(mismoSegmento(contorno.elementos[0], m.X(0, 0), m.Y(0, -Me * s), m.X(0.2, 0),
                                  m.Y(0.2, -(-0.2 * 0.2 / 2 + 2 * 0.2 - 4.0 / 3) * s)));

        // End labels L/50 = 0.08 inside the ends (outside, when turned); span label centred.
        esperarIgual(desde(c, 41), unir({texto("-1.333", m.X(0, -Me * s), m.Y(0, -Me * s), giro, 0.08),
                                         texto("-1.333", m.X(4, -Me * s), m.Y(4, -Me * s), giro, -0.08, 0, Derecha),
                                         texto("0.667", m.X(2, -Mc * s), m.Y(2, -Mc * s), giro, 0, 0, Centro)}));
        esperarAncho(c, 1);
    }
}

TEST_F(CapasResultados, DeformadaConEsferaDesplazadaYValoresSinAmplificar)
{
    // A vertical bar away from the origin: its deflected axis must be drawn in model coordinates.
    xMin = 0;
    xMax = 4;  // spheres of radius 0.02
    agregarNudo(1, 1);
    agregarNudo(1, 4);
    agregarBarra(0, 1, 1, 1);
    // Global (0.001, -0.002, 0.0005) at the start is local (-0.002, -0.001, 0.0005) on a bar at 90°.
    Eigen::Matrix<double, 6, 1> d;
    d << -0.002, -0.001, 0.0005, 0, 0, 0;
    resolverBarra(0, d);
    resolverNudo(0, Eigen::Vector3d(0.001, -0.002, 0.0005));
    resolverNudo(1, Eigen::Vector3d::Zero());

    Captura c = capturarCapa([] { plotDeformada(0, 100); });

    // Runs: sphere of node 0, its texts, sphere of node 1, its texts, the bar.
    size_t i = 0;
    Captura esfera;
    while (i < c.elementos.size() && c.elementos[i].tipo == Elemento::Poligono) esfera.elementos.push_back(c.elementos[i++]);
    ASSERT_FALSE(esfera.elementos.empty());
    double xMn = 1e9, xMx = -1e9, yMn = 1e9, yMx = -1e9;
    for (const Elemento& e : esfera.elementos)
        for (const Vertice& v : e.v) {
            xMn = std::fmin(xMn, v.x), xMx = std::fmax(xMx, v.x), yMn = std::fmin(yMn, v.y), yMx = std::fmax(yMx, v.y);
            EXPECT_NEAR(v.g, 0.7, 1e-3);
        }
    EXPECT_NEAR((xMn + xMx) / 2, 1.1, 1e-3);
    EXPECT_NEAR((yMn + yMx) / 2, 0.8, 1e-3);
    EXPECT_NEAR(xMx - xMn, 0.04, 2e-3);
    const Esfera bola = esferaDe(esfera);
    EXPECT_EQ(bola.cortes, 12);
    EXPECT_EQ(bola.pilas, 12);
    EXPECT_NEAR(bola.radioMin, 0.02, 1e-6);
    EXPECT_NEAR(bola.radioMax, 0.02, 1e-6);

    Captura textos;
    while (i < c.elementos.size() && c.elementos[i].tipo != Elemento::Poligono) textos.elementos.push_back(c.elementos[i++]);
    const double t = 0.15, x = 1.1 + 0.02, y = 0.8;
    esperarIgual(textos, unir({texto("Ux, Uy, Giro:", x, y + t, 0), texto("1.000e-03", x, y, 0),
                               texto("-2.000e-03", x, y - t, 0), texto("5.000e-04", x, y - 2 * t, 0)}));
    for (const Elemento& e : textos.elementos) ASSERT_TRUE(deColor(e, 0.7, 0.7, 0.7));
    // The node step sets no width: its texts keep the one in force.
    esperarAncho(textos, 7);

    Captura eje;
    for (const Elemento& e : c.elementos)
        if (e.tipo == Elemento::Segmento && deColor(e, 0, 0.7, 0.7)) eje.elementos.push_back(e);
    ASSERT_EQ(eje.elementos.size(), 20u);
    esperarAncho(eje, 1);
    const Eigen::MatrixXd P = barra[0].getBarraDeformada(0, 21, 100);
    EXPECT_NEAR(P(0, 0), 1.1, 1e-9);
    EXPECT_NEAR(P(1, 0), 0.8, 1e-9);
    for (int k = 0; k < 20; ++k) EXPECT_TRUE(mismoSegmento(eje.elementos[k], P(0, k), P(1, k), P(0, k + 1), P(1, k + 1))) << k;
}

struct CasoCargaNudo {
    const char* nombre;
    double px, py, mz;
    std::vector<std::vector<double>> trazos;  // segments that must be drawn
    size_t antesDeEtiqueta;                   // elements drawn before the label
    const char* etiqueta;
    double ex, ey;
};

TEST_F(CapasResultados, CargasEnNudosConFlechasArcosYMagnitudes)
{
    // Node at (1, 2); s = 7.5/75 = 0.1, arc radius 0.16, f = 0.01; scale 0.1.
    const double r = 0.16, c45 = std::cos(PI / 4) * r;
    const double nan = std::nan("");
    const CasoCargaNudo casos[] = {
        {"Px positiva", 10, 0, 0, {{0, 2, 1, 2}, {1, 2, 0.9, 2 + 0.1 / 3}, {1, 2, 0.9, 2 - 0.1 / 3}}, 3, "10.000", 0, 2},
        {"Px negativa", -10, 0, 0, {{2, 2, 1, 2}, {1, 2, 1.1, 2 + 0.1 / 3}, {1, 2, 1.1, 2 - 0.1 / 3}}, 3, "10.000", 2, 2},
        {"Py positiva", 0, 10, 0, {{1, 1, 1, 2}, {1, 2, 1 + 0.1 / 3, 1.9}, {1, 2, 1 - 0.1 / 3, 1.9}}, 3, "10.000", 1, 1},
        {"Mz antihorario",
         0,
         0,
         5,
         {{1 - c45, 2 + c45, 1 - c45 + 0.07, 2 + c45 + 0.1}, {1 - c45, 2 + c45, 1 - c45 + 0.09, 2 + c45 + 0.01}},
         12,
         "5.000",
         1.17,
         2.03},
        {"Mz horario", 0, 0, -5, {{1, 2 - r, 1.06, 2 - r + 0.06}, {1, 2 - r, 1.1, 2 - r - 0.01}}, 12, "5.000", 1.17, 2.03},
        {"Mz no numero: arco sin cabeza", 0, 0, nan, {}, 10, "nan", 1.17, 2.03},
    };
    for (const CasoCargaNudo& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        vaciar();
        xMin = 0;
        xMax = 7.5;
        agregarNudo(1, 2, Eigen::Vector3i::Zero(), Eigen::Vector3d::Zero(), Eigen::Vector3d(caso.px, caso.py, caso.mz));

        Captura c = capturarCapa([] { plotCarga(0, 0.1); });
        for (const std::vector<double>& t : caso.trazos) {
            EXPECT_TRUE(haySegmento(c, t[0], t[1], t[2], t[3])) << t[0] << " " << t[1] << " " << t[2] << " " << t[3];
        }
        if (caso.mz != 0) {
            // The arc runs from straight below the node to its upper left.
            EXPECT_NEAR(c.elementos[0].v[0].x, 1, 1e-4);
            EXPECT_NEAR(c.elementos[0].v[0].y, 2 - r, 1e-4);
            EXPECT_NEAR(c.elementos[9].v[1].x, 1 - c45, 1e-4);
            EXPECT_NEAR(c.elementos[9].v[1].y, 2 + c45, 1e-4);
        }
        esperarIgual(desde(c, caso.antesDeEtiqueta), texto(caso.etiqueta, caso.ex, caso.ey, 0));
        for (const Elemento& e : c.elementos) ASSERT_TRUE(deColor(e, 0.8, 0.2, 0.2));
        // Arrow, arc and head at width 2, the label at 1.
        for (size_t i = 0; i < caso.antesDeEtiqueta; ++i) ASSERT_EQ(c.elementos[i].ancho, 2) << i;
        esperarAncho(desde(c, caso.antesDeEtiqueta), 1);
    }
}

struct CasoCargaBarra {
    const char* nombre;
    double x2, y2;  // from (0, 0); length 4, labels never turned
    double fi, ff, qi, qf;
    int flechas;          // transverse arrows drawn
    int cabezasAxiales;   // +1 along +x, -1 along -x, 0 none
};

TEST_F(CapasResultados, CargasDistribuidasEnElMarcoDeLaBarra)
{
    const CasoCargaBarra casos[] = {
        {"uniforme -2", 4, 0, 0, 0, -2, -2, 11, 0},
        {"uniforme 1 en barra vertical", 0, 4, 0, 0, 1, 1, 11, 0},
        {"triangular hasta 0: sin flecha en la punta", 4, 0, 0, 0, 0.47, 0, 10, 0},
        {"cambio de signo en la estacion 5", 4, 0, 0, 0, 1, -1, 10, 0},
        {"axial de media positiva", 4, 0, 3, -1, 0, 0, 0, 1},
        {"axial de media negativa", 4, 0, -3, 1, 0, 0, 0, -1},
        {"axial de media nula: solo etiquetas", 4, 0, 2, -2, 0, 0, 0, 0},
        {"transversal en barra a 180 grados", -4, 0, 0, 0, 1, 3, 11, 0},
        {"axial en barra a 135 grados", -2 * std::sqrt(2.0), 2 * std::sqrt(2.0), 3, 1, 0, 0, 0, 1},
    };
    const double e = 0.1, s = 0.1;
    for (const CasoCargaBarra& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        vaciar();
        xMin = 0;
        xMax = 7.5;
        agregarNudo(0, 0);
        agregarNudo(caso.x2, caso.y2);
        agregarBarra(0, 1, 1, 1, caso.fi, caso.ff, caso.qi, caso.qf);
        const Marco m{0, 0, std::atan2(caso.y2, caso.x2) * 180 / PI};

        Captura c = capturarCapa([] { plotCarga(0, 0.1); });
        Captura transversal = deColor(c, 0, 0.3, 0);
        Captura axial = deColor(c, 0, 0.4, 0.5);
        const bool hayTransversal = caso.qi != 0 || caso.qf != 0;
        const bool hayAxial = caso.fi != 0 || caso.ff != 0;

        if (hayTransversal) {
            // Each arrow: shaft from the load line to the axis and two head strokes; then the envelope.
            ASSERT_EQ(transversal.elementos.size(), 3u * caso.flechas + 1);
            for (int k = 0; k <= 10; ++k) {
                const double x = 0.4 * k, q = caso.qi + k * (caso.qf - caso.qi) / 10;
                if (std::fabs(q) < 1e-9) continue;
                EXPECT_TRUE(haySegmento(transversal, m.X(x, -q * e), m.Y(x, -q * e), m.X(x, 0), m.Y(x, 0))) << k;
                // The head at the axis points onto it, along the load.
                const double lado = q > 0 ? -s : s;
                EXPECT_TRUE(haySegmento(transversal, m.X(x, 0), m.Y(x, 0), m.X(x + s / 3, lado), m.Y(x + s / 3, lado)))
                    << k;
            }
            EXPECT_TRUE(mismoSegmento(transversal.elementos.back(), m.X(0, -caso.qi * e), m.Y(0, -caso.qi * e),
                                      m.X(4, -caso.qf * e), m.Y(4, -caso.qf * e)));
            esperarAncho(transversal, 1);
            char ti[32], tf[32];
            std::snprintf(ti, sizeof ti, "%.3f", std::fabs(caso.qi));
            std::snprintf(tf, sizeof tf, "%.3f", std::fabs(caso.qf));
            esperarIgual(deColor(c, 0.3, 0.7, 0.3),
                         unir({texto(ti, m.X(0, -caso.qi * e), m.Y(0, -caso.qi * e), m.ang),
                               texto(tf, m.X(4, -caso.qf * e), m.Y(4, -caso.qf * e), m.ang, 0, 0, Derecha)}));
            esperarAncho(deColor(c, 0.3, 0.7, 0.3), 1);
        } else {
            EXPECT_TRUE(transversal.elementos.empty());
        }

        if (hayAxial) {
            ASSERT_EQ(axial.elementos.size(), caso.cabezasAxiales == 0 ? 0u : 33u);
            for (int k = 0; k <= 10 && caso.cabezasAxiales != 0; ++k) {
                const double punta = 0.4 * k + (caso.cabezasAxiales > 0 ? 0.00001 : -0.0001);
                const double atras = punta - caso.cabezasAxiales * s;
                EXPECT_TRUE(haySegmento(axial, m.X(punta, 0), m.Y(punta, 0), m.X(atras, s / 3), m.Y(atras, s / 3))) << k;
                EXPECT_TRUE(haySegmento(axial, m.X(punta, 0), m.Y(punta, 0), m.X(atras, -s / 3), m.Y(atras, -s / 3))) << k;
            }
            esperarAncho(axial, 2);
            char ti[32], tf[32];
            std::snprintf(ti, sizeof ti, "%.3f", std::fabs(caso.fi));
            std::snprintf(tf, sizeof tf, "%.3f", std::fabs(caso.ff));
            esperarIgual(deColor(c, 0.3, 0.7, 0.7),
                         unir({texto(ti, m.X(0.4, -0.165), m.Y(0.4, -0.165), m.ang),
                               texto(tf, m.X(3.6, -0.18), m.Y(3.6, -0.18), m.ang, 0, 0, Derecha)}));
            esperarAncho(deColor(c, 0.3, 0.7, 0.7), 1);
        } else {
            EXPECT_TRUE(axial.elementos.empty());
        }
    }
}

struct LineaReaccion {
    std::string texto;
    double y;
};

struct CasoReaccion {
    const char* nombre;
    Eigen::Vector3i apoyo;
    Eigen::Vector3d resorte;
    Eigen::Vector3d desplazamiento;
    Eigen::Vector3d reaccion;
    int decimales;
    std::vector<LineaReaccion> lineas;
};

TEST_F(CapasResultados, ReaccionesApiladasPorApoyoYResorte)
{
    using V3i = Eigen::Vector3i;
    using V3d = Eigen::Vector3d;
    const V3d cero = V3d::Zero();
    const CasoReaccion casos[] = {
        {"Rx con 0 decimales", V3i(1, 0, 0), cero, cero, V3d(-12.4, 0, 0), 0, {{"Rx: -12", 0}}},
        {"Rx con 3 decimales", V3i(1, 0, 0), cero, cero, V3d(-12.4, 0, 0), 3, {{"Rx: -12.400", 0}}},
        {"precision negativa con 0 decimales", V3i(1, 0, 0), cero, cero, V3d(-12.4, 0, 0), -2, {{"Rx: -12", 0}}},
        {"solo Y a la altura del nudo", V3i(0, 1, 0), cero, cero, V3d(0, 5, 0), 3, {{"Ry: 5.000", 0}}},
        {"empotramiento", V3i(1, 1, 1), cero, cero, V3d(1, 2, -3), 1, {{"Rx: 1.0", 0}, {"Ry: 2.0", -0.15}, {"Mz: -3.0", -0.3}}},
        {"resorte de giro en nudo libre", V3i(0, 0, 0), V3d(0, 0, 100), V3d(0, 0, 0.01), cero, 3, {{"Mz: -1.000", 0}}},
        {"apoyo en X y resorte en Y", V3i(1, 0, 0), V3d(0, 50, 0), V3d(0, 0.02, 0), V3d(7, 0, 0), 2, {{"Rx: 7.00", 0}, {"Ry: -1.00", -0.15}}},
        {"nudo libre sin resortes", V3i(0, 0, 0), cero, cero, cero, 3, {}},
        {"codigo distinto de 1 no restringe", V3i(2, 0, 0), cero, cero, V3d(4, 0, 0), 3, {}},
    };
    for (const CasoReaccion& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        vaciar();
        precision = caso.decimales;
        agregarNudo(1, 2, caso.apoyo, caso.resorte);
        agregarNudo(5, 2);
        agregarBarra(0, 1, 1, 1);
        resolverBarra(0, sinDesplazamientos());
        resolverNudo(0, caso.desplazamiento, caso.reaccion);
        resolverNudo(1, cero);

        Captura c = capturarCapa([] { plotReacciones(0); });
        Captura esperado;
        for (const LineaReaccion& l : caso.lineas) esperado = unir({esperado, texto(l.texto, 1.1, 2 + l.y, 0)});
        esperarIgual(c, esperado);
        for (const Elemento& e : c.elementos) ASSERT_TRUE(deColor(e, 1, 0, 0));
        esperarAncho(c, 1);
    }
}

// Every result layer of one combination, as the frame calls them.
const std::function<void(int)> capasDeResultados[] = {
    [](int c) { plotDeformada(c, 100); }, [](int c) { plotAxial(c, 0.01); }, [](int c) { plotCortante(c, 0.1); },
    [](int c) { plotMomento(c, 0.1); },   [](int c) { plotReacciones(c); },
};

TEST_F(CapasResultados, ModeloSinResolverNoDibujaResultados)
{
    agregarNudo(0, 0, Eigen::Vector3i(1, 1, 1));
    agregarNudo(4, 0);
    agregarBarra(0, 1, 1, 1, 1, 1, -1, -1);
    for (size_t i = 0; i < sizeof capasDeResultados / sizeof capasDeResultados[0]; ++i) {
        EXPECT_TRUE(capturarCapa([&] { capasDeResultados[i](0); }).elementos.empty()) << "layer " << i;
    }
    // Loads are input: they show before any solve.
    EXPECT_FALSE(capturarCapa([] { plotCarga(0, 0.1); }).elementos.empty());
}

TEST_F(CapasResultados, CombinacionSinResultadosNoDibujaNada)
{
    barraSola(0, 0, 4, 0, 1, 1, -1);
    nudo[0].setApoyo(1, 1, 1);
    for (size_t i = 0; i < sizeof capasDeResultados / sizeof capasDeResultados[0]; ++i) {
        EXPECT_FALSE(capturarCapa([&] { capasDeResultados[i](0); }).elementos.empty()) << "layer " << i;
        EXPECT_TRUE(capturarCapa([&] { capasDeResultados[i](1); }).elementos.empty()) << "layer " << i;
        EXPECT_TRUE(capturarCapa([&] { capasDeResultados[i](-1); }).elementos.empty()) << "layer " << i;
    }
    EXPECT_TRUE(capturarCapa([] { plotCarga(1, 0.1); }).elementos.empty());
    EXPECT_TRUE(capturarCapa([] { plotCarga(-1, 0.1); }).elementos.empty());
}

TEST_F(CapasResultados, CadaCapaDejaLaMatrizComoLaEncontro)
{
    // A turned bar, loads of every kind and a support, so that every frame is pushed.
    agregarNudo(4, 0, Eigen::Vector3i(1, 1, 1), Eigen::Vector3d::Zero(), Eigen::Vector3d(1, 2, 3));
    agregarNudo(0, 3, Eigen::Vector3i::Zero(), Eigen::Vector3d::Zero(), Eigen::Vector3d(1, 2, -3));
    agregarBarra(0, 1, 1, 1, 1, 2, -1, -1);
    resolverBarra(0, sinDesplazamientos());
    resolverNudo(0, Eigen::Vector3d::Zero(), Eigen::Vector3d(1, 2, 3));
    resolverNudo(1, Eigen::Vector3d::Zero());
    std::vector<std::function<void()>> capas;
    for (const auto& capa : capasDeResultados) capas.push_back([&capa] { capa(0); });
    capas.push_back([] { plotCarga(0, 0.1); });
    for (size_t i = 0; i < capas.size(); ++i) {
        capturarCapa([&] {
            glTranslatef(0.5f, 0.25f, 0);
            EstadoGl antes = leerEstado();
            capas[i]();
            EstadoGl despues = leerEstado();
            EXPECT_EQ(antes.profundidadPila, despues.profundidadPila) << "layer " << i;
            EXPECT_EQ(0, std::memcmp(antes.modelview, despues.modelview, sizeof antes.modelview)) << "layer " << i;
        });
    }
}

// The frame over a portal read and solved from a file, with three
// combinations of the wind load: 10, 20 and 30 at the left knee.
class CuadroConResultados : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        reiniciarVisor();
        leerYResolver(archivo.ruta());
        estadoDeApertura();
    }
    void TearDown() override
    {
        nombreArchivo.clear();
        reiniciarVisor();
        GlTest::TearDown();
    }

    // The layers as the frame must add them, after everything else it draws.
    static Captura esperado(const std::function<void()>& capas)
    {
        return capturar(
            [&] {
                glLoadIdentity();
                gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, 0, 0, 1, 0);
                capas();
            },
            nullptr);
    }

    const ArchivoTemporal archivo{"nudos: 1 0 0 2 0 3 3 4 3 4 4 0\n"
                                  "barras: 1 1 2 2 2 3 3 3 4\n"
                                  "apoyo: 1 1 1 1 4\n"
                                  "seccionRectangular: C 0.3 0.3 2.1e7 1 2 3\n"
                                  "puntual: viento 10 0 0 2\n"
                                  "distribuidaLocal: muerta 0 0 -5 -5 2\n"
                                  "combo: A 1 viento 1 muerta\n"
                                  "combo: B 2 viento\n"
                                  "combo: C 3 viento 1 muerta\n"};
};

TEST_F(CuadroConResultados, CadaCapaEncendidaParaCadaComboEncendidoEnOrden)
{
    struct Caso {
        const char* nombre;
        std::vector<int> capas, combos;
        std::function<void()> dibujo;
    };
    const Caso casos[] = {
        {"cargas de los combos 0 y 2", {flagCargas}, {0, 2}, [] { plotCarga(0, escalaCarga); plotCarga(2, escalaCarga); }},
        {"solo el combo 2", {flagCargas}, {2}, [] { plotCarga(2, escalaCarga); }},
        {"dos capas: todos los combos de una antes de la otra",
         {flagMomento, flagDeformada},
         {1, 0},
         [] {
             plotDeformada(0, escalaDef);
             plotDeformada(1, escalaDef);
             plotMomento(0, escalaM);
             plotMomento(1, escalaM);
         }},
        {"cada capa con su escala", {flagAxial, flagCortante, flagReacciones}, {1}, [] {
             plotAxial(1, escalaN);
             plotCortante(1, escalaV);
             plotReacciones(1);
         }},
    };
    const Captura base = capturar(draw, nullptr);
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        estadoDeApertura();
        for (int i : caso.capas) flags[i] = 1;
        for (int c : caso.combos) flags[flagPrimerCombo + c] = 3;
        const Captura cuadro = capturar(draw, nullptr);
        ASSERT_GT(cuadro.elementos.size(), base.elementos.size());
        esperarIgual(desde(cuadro, base.elementos.size()), esperado(caso.dibujo));
    }
}

TEST_F(CuadroConResultados, InterruptoresParesYCombosFueraDeLosCienNoDibujan)
{
    const Captura base = capturar(draw, nullptr);
    // An even switch is off: a layer with its combination on, a combination under a layer that is on.
    flags[flagMomento] = 2;
    flags[flagPrimerCombo] = 1;
    EXPECT_EQ(capturar(draw, nullptr).elementos.size(), base.elementos.size());
    flags[flagMomento] = 0;
    flags[flagPrimerCombo] = 0;
    flags[flagAxial] = 1;
    flags[flagPrimerCombo + 1] = 2;
    EXPECT_EQ(capturar(draw, nullptr).elementos.size(), base.elementos.size());

    // More combinations than switches: the frame with the last switch on adds
    // the layer of that combination only, and flags is never read past its end.
    std::stringstream portico;
    portico << std::ifstream(archivo.ruta()).rdbuf();
    for (int k = 4; k <= 150; ++k) portico << "combo: C" << k << " " << k << " viento\n";
    const ArchivoTemporal muchos(portico.str());
    leerYResolver(muchos.ruta());
    ASSERT_EQ(noCombos, 150);
    estadoDeApertura();
    const Captura sinCapas = capturar(draw, nullptr);
    flags[flagAxial] = 1;
    flags[flagPrimerCombo + 99] = 1;
    const Captura cuadro = capturar(draw, nullptr);
    ASSERT_GT(cuadro.elementos.size(), sinCapas.elementos.size());
    esperarIgual(desde(cuadro, sinCapas.elementos.size()), esperado([] { plotAxial(99, escalaN); }));
}

// Models whose shear rounding would place a zero: the column loaded only along
// its axis and the cantilever whose shear and its slope vanish at the tip draw
// neither label; the column under wind and its own weight draws both at 5L/8.
struct CasoCeroRedondeado {
    const char* nombre;
    const char* modelo;
    const char* x0;  // nullptr: no zero inside the bar
    double xv;
    const char* textoMmax;
    double Mmax;
};

TEST_F(CapasResultados, EtiquetasDelCeroDeCortanteSinCerosDelRedondeo)
{
    const CasoCeroRedondeado casos[] = {
        {"columna cargada a lo largo de su eje",
         "nudos: 1 0 0 2 0 4 barras: 1 1 2 apoyo: 1 1 0 1 apoyo: 1 0 0 2 seccionGenerica: S 1e-2 1e-4 2e8 1 "
         "distribuidaGlobal: G 5 20 0 -1 1 combo: C1 1 G",
         nullptr, 0, nullptr, 0},
        {"voladizo con carga triangular nula en la punta",
         "nudos: 1 0 0 2 3 0 barras: 1 1 2 apoyo: 1 1 1 1 seccionGenerica: S 7.81e-3 5.696e-5 2.1e8 1 "
         "distribuidaLocal: T 0 0 -6 0 1 combo: C1 0.7 T",
         nullptr, 0, nullptr, 0},
        {"columna bajo viento y peso propio",
         "nudos: 1 0 0 2 0 4 barras: 1 1 2 apoyo: 1 1 1 1 apoyo: 1 0 0 2 seccionGenerica: S 1e-2 1e-4 2e8 1 "
         "distribuidaGlobal: D 1 1 1 0 1 distribuidaGlobal: D 5 20 0 -1 1 combo: C1 1 D",
         "x0= 2.500", 2.5, "1.125", 1.125},
    };
    for (const CasoCeroRedondeado& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        vaciar();
        const ArchivoTemporal archivo(caso.modelo);
        leerYResolver(archivo.ruta());
        ASSERT_EQ(barra.size(), 1u);
        objBarra2d& b = barra[0];
        const double s = 0.1, L = b.getLongitud(), t = escalaTexto;
        const Marco m{0, 0, b.getAngulo() * 180 / PI};

        // End labels as the bar's own end values print.
        const Eigen::MatrixXd V = b.getSolicitacionCortante(0, 2), M = b.getSolicitacionMomento(0, 2);
        char V0[32], VL[32], M0[32], ML[32];
        std::snprintf(V0, sizeof V0, "%.3f", V(1, 0));
        std::snprintf(VL, sizeof VL, "%.3f", V(1, 1));
        std::snprintf(M0, sizeof M0, "%.3f", M(1, 0));
        std::snprintf(ML, sizeof ML, "%.3f", M(1, 1));

        Captura etiquetasV = unir({texto(V0, m.X(0, V(1, 0) * s), m.Y(0, V(1, 0) * s), m.ang),
                                   texto(VL, m.X(L, V(1, 1) * s), m.Y(L, V(1, 1) * s), m.ang, 0, 0, Derecha)});
        if (caso.x0) etiquetasV = unir({etiquetasV, texto(caso.x0, m.X(caso.xv, 0.2 * t), m.Y(caso.xv, 0.2 * t), m.ang)});
        esperarIgual(desde(capturarCapa([] { plotCortante(0, 0.1); }), 41), etiquetasV);

        Captura etiquetasM = unir({texto(M0, m.X(0, -M(1, 0) * s), m.Y(0, -M(1, 0) * s), m.ang, L / 50),
                                   texto(ML, m.X(L, -M(1, 1) * s), m.Y(L, -M(1, 1) * s), m.ang, -L / 50, 0, Derecha)});
        if (caso.textoMmax) {
            etiquetasM = unir({etiquetasM, texto(caso.textoMmax, m.X(caso.xv, -caso.Mmax * s),
                                                 m.Y(caso.xv, -caso.Mmax * s), m.ang, 0, 0, Centro)});
        }
        esperarIgual(desde(capturarCapa([] { plotMomento(0, 0.1); }), 41), etiquetasM);
    }
}

}  // namespace

namespace {

// A model of nodes only is solved on F5: its nodes hold displacements and
// reactions, and the layers draw them. One node on springs kx 100, ky 200,
// kg 300 under (10, -20, 30) moves (0.1, -0.1, 0.1); each spring holds -k·u.
TEST_F(CapasResultados, ModeloDeSoloNudosDibujaReaccionesYDeformada)
{
    const std::string ruta = ::testing::TempDir() + "solo_nudos_" + std::to_string(::getpid()) + ".txt";
    std::ofstream(ruta) << "nudos: 1 1 2 resorte: 100 200 300 1 puntual: P 10 -20 30 1 combo: C 1 P";
    leerYResolver(ruta);
    xMin = 0;
    xMax = 4;  // spheres of radius 0.02

    esperarIgual(capturarCapa([] { plotReacciones(0); }),
                 unir({texto("Rx: -10.000", 1.1, 2, 0), texto("Ry: 20.000", 1.1, 1.85, 0),
                       texto("Mz: -30.000", 1.1, 1.7, 0)}));

    const Captura deformada = capturarCapa([] { plotDeformada(0, 1); });
    Captura textos;
    for (const Elemento& e : deformada.elementos) {
        if (e.tipo != Elemento::Poligono) textos.elementos.push_back(e);
    }
    const double t = 0.15, x = 1.1 + 0.02, y = 1.9;
    esperarIgual(textos, unir({texto("Ux, Uy, Giro:", x, y + t, 0), texto("1.000e-01", x, y, 0),
                               texto("-1.000e-01", x, y - t, 0), texto("1.000e-01", x, y - 2 * t, 0)}));
    EXPECT_GT(deformada.elementos.size(), textos.elementos.size());  // the sphere
    EXPECT_TRUE(capturarCapa([] { plotReacciones(1); }).elementos.empty());  // one combination only

    // Read again with a second node but not solved: the displacements held
    // belong to another model and nothing is drawn.
    std::ofstream(ruta) << "nudos: 1 1 2 2 3 2 resorte: 100 200 300 1 puntual: P 10 -20 30 1 combo: C 1 P";
    nombreArchivo = ruta;
    std::ostringstream traza;
    std::streambuf* anterior = std::cout.rdbuf(traza.rdbuf());
    funcionLeerArchivo();
    std::cout.rdbuf(anterior);
    EXPECT_TRUE(capturarCapa([] { plotReacciones(0); }).elementos.empty());
    EXPECT_TRUE(capturarCapa([] { plotDeformada(0, 1); }).elementos.empty());
    std::remove(ruta.c_str());
}

}  // namespace
