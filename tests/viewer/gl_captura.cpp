#include "gl_captura.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool ventanaCreada = false;

bool requiereDisplay()
{
    const char* r = std::getenv("VARDEL2D_REQUIRE_DISPLAY");
    return r && std::string(r) == "1";
}

class EntornoGl : public ::testing::Environment {
public:
    void SetUp() override
    {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) return;
        static int argc = 1;
        static char nombre[] = "viewer_tests";
        static char* argv[] = {nombre, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowPosition(100, 100);
        glutInitWindowSize(1000, 800);
        ventana = glutCreateWindow("pruebas");
        glutDisplayFunc([] {});
        glutHideWindow();
        glutMainLoopEvent();
        ventanaCreada = true;
    }

    void TearDown() override
    {
        if (!ventanaCreada) return;
        glutDestroyWindow(ventana);
        glutExit();
        ventanaCreada = false;
    }

private:
    int ventana = 0;
};

const ::testing::Environment* const entorno = ::testing::AddGlobalTestEnvironment(new EntornoGl);

const int tamanoBuffer = 1 << 23;

// Announces a change of line width in the feedback buffer; the width follows
// in a second pass-through token. No marker of a test takes this value.
const GLfloat marcaAnchoLinea = -7.0e30f;

double aModelo(double w, double min, double max) { return min + (max - min) * w / 1000.0; }

}  // namespace

extern "C" void __real_glLineWidth(GLfloat ancho);

// The width is read back, so the one GL keeps is recorded even when it
// refused the value asked for.
extern "C" void __wrap_glLineWidth(GLfloat ancho)
{
    __real_glLineWidth(ancho);
    GLint modo = 0;
    glGetIntegerv(GL_RENDER_MODE, &modo);
    if (modo != GL_FEEDBACK) return;
    GLfloat enVigor = 0;
    glGetFloatv(GL_LINE_WIDTH, &enVigor);
    glPassThrough(marcaAnchoLinea);
    glPassThrough(enVigor);
}

namespace {

std::vector<std::string> textosDeLaCaptura;

}  // namespace

extern "C" void __real_glutBitmapString(void* fuente, const unsigned char* texto);

// Feedback records a bitmap character's place but not which one it is.
extern "C" void __wrap_glutBitmapString(void* fuente, const unsigned char* texto)
{
    __real_glutBitmapString(fuente, texto);
    GLint modo = 0;
    glGetIntegerv(GL_RENDER_MODE, &modo);
    if (modo == GL_FEEDBACK) textosDeLaCaptura.emplace_back(reinterpret_cast<const char*>(texto));
}

bool hayVentanaGl() { return ventanaCreada; }

void GlTest::SetUp()
{
    EstadoLimpio::SetUp();
    if (ventanaCreada) return;
    if (requiereDisplay()) {
        FAIL() << "no X display: drawing tests cannot run";
    }
    GTEST_SKIP() << "no X display";
}

std::vector<Elemento> Captura::deTipo(Elemento::Tipo tipo) const
{
    std::vector<Elemento> r;
    for (const Elemento& e : elementos) {
        if (e.tipo == tipo) r.push_back(e);
    }
    return r;
}

Captura Captura::tramo(float desde) const
{
    Captura r;
    bool dentro = false;
    for (const Elemento& e : elementos) {
        if (e.tipo == Elemento::Marca) {
            if (dentro) break;
            dentro = e.marca == desde;
            continue;
        }
        if (dentro) r.elementos.push_back(e);
    }
    return r;
}

Captura capturar(const std::function<void()>& dibujo)
{
    Vista v;
    return capturar(dibujo, &v);
}

Captura capturar(const std::function<void()>& dibujo, const Vista* vista)
{
    static std::vector<GLfloat> buffer(tamanoBuffer);
    if (vista) {
        glViewport(0, 0, 1000, 1000);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(vista->xMin, vista->xMax, vista->yMin, vista->yMax, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    GLfloat ancho = 0;
    glGetFloatv(GL_LINE_WIDTH, &ancho);
    glFeedbackBuffer(tamanoBuffer, GL_3D_COLOR, buffer.data());
    textosDeLaCaptura.clear();
    glRenderMode(GL_FEEDBACK);
    dibujo();
    const int n = glRenderMode(GL_RENDER);

    Captura c;
    c.textos.swap(textosDeLaCaptura);
    EXPECT_GE(n, 0) << "feedback buffer overflow";
    int i = 0;
    auto leerVertice = [&]() {
        Vertice v{buffer[i], buffer[i + 1], buffer[i + 2], buffer[i + 3], buffer[i + 4], buffer[i + 5], buffer[i + 6]};
        i += 7;
        if (vista) {
            v.x = aModelo(v.x, vista->xMin, vista->xMax);
            v.y = aModelo(v.y, vista->yMin, vista->yMax);
            // Depths 0 to 1 span the ortho volume from z = 1 down to z = -1.
            v.z = 1 - 2 * v.z;
        }
        return v;
    };
    while (i < n) {
        const int token = static_cast<int>(buffer[i++]);
        Elemento e{};
        e.ancho = ancho;
        switch (token) {
        case GL_PASS_THROUGH_TOKEN:
            if (buffer[i] == marcaAnchoLinea && i + 2 < n && buffer[i + 1] == GL_PASS_THROUGH_TOKEN) {
                ancho = buffer[i + 2];
                i += 3;
                continue;
            }
            e.tipo = Elemento::Marca;
            e.marca = buffer[i++];
            break;
        case GL_POINT_TOKEN:
            e.tipo = Elemento::Punto;
            e.v.push_back(leerVertice());
            break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            e.tipo = Elemento::Segmento;
            e.v.push_back(leerVertice());
            e.v.push_back(leerVertice());
            break;
        case GL_POLYGON_TOKEN: {
            e.tipo = Elemento::Poligono;
            const int k = static_cast<int>(buffer[i++]);
            for (int j = 0; j < k; ++j) e.v.push_back(leerVertice());
            break;
        }
        case GL_BITMAP_TOKEN:
        case GL_DRAW_PIXEL_TOKEN:
        case GL_COPY_PIXEL_TOKEN:
            e.tipo = Elemento::Bitmap;
            e.v.push_back(leerVertice());
            break;
        default:
            ADD_FAILURE() << "unknown feedback token " << token;
            return c;
        }
        c.elementos.push_back(e);
    }
    return c;
}

EstadoGl leerEstado()
{
    EstadoGl e{};
    glGetFloatv(GL_CURRENT_COLOR, e.color);
    glGetFloatv(GL_LINE_WIDTH, &e.anchoLinea);
    glGetFloatv(GL_MODELVIEW_MATRIX, e.modelview);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &e.profundidadPila);
    return e;
}

bool mismoEstado(const EstadoGl& a, const EstadoGl& b)
{
    return std::memcmp(a.color, b.color, sizeof a.color) == 0 && a.anchoLinea == b.anchoLinea &&
           std::memcmp(a.modelview, b.modelview, sizeof a.modelview) == 0 && a.profundidadPila == b.profundidadPila;
}

bool mismoSegmento(const Elemento& s, double x1, double y1, double x2, double y2, double tol)
{
    if (s.tipo != Elemento::Segmento) return false;
    auto cerca = [tol](const Vertice& v, double x, double y) {
        return std::fabs(v.x - x) <= tol && std::fabs(v.y - y) <= tol;
    };
    return (cerca(s.v[0], x1, y1) && cerca(s.v[1], x2, y2)) || (cerca(s.v[0], x2, y2) && cerca(s.v[1], x1, y1));
}

bool haySegmento(const Captura& c, double x1, double y1, double x2, double y2, double tol)
{
    for (const Elemento& e : c.elementos) {
        if (mismoSegmento(e, x1, y1, x2, y2, tol)) return true;
    }
    return false;
}

namespace {

// Count of values that differ from every smaller one by more than tol.
size_t distintos(std::vector<double> valores, double tol)
{
    std::sort(valores.begin(), valores.end());
    size_t n = 0;
    for (size_t i = 0; i < valores.size(); ++i) {
        if (i == 0 || valores[i] - valores[i - 1] > tol) ++n;
    }
    return n;
}

}  // namespace

Esfera esferaDe(const Captura& c)
{
    std::vector<Vertice> v;
    for (const Elemento& e : c.elementos) {
        if (e.tipo == Elemento::Poligono) v.insert(v.end(), e.v.begin(), e.v.end());
    }
    Esfera r{};
    if (v.empty()) return r;
    double x0 = v[0].x, x1 = x0, y0 = v[0].y, y1 = y0, z0 = v[0].z, z1 = z0;
    for (const Vertice& p : v) {
        x0 = std::fmin(x0, p.x), x1 = std::fmax(x1, p.x);
        y0 = std::fmin(y0, p.y), y1 = std::fmax(y1, p.y);
        z0 = std::fmin(z0, p.z), z1 = std::fmax(z1, p.z);
    }
    r.x = (x0 + x1) / 2;
    r.y = (y0 + y1) / 2;
    const double z = (z0 + z1) / 2;
    r.radioMin = 1e300;
    std::vector<double> alturas;
    for (const Vertice& p : v) {
        const double d = std::sqrt((p.x - r.x) * (p.x - r.x) + (p.y - r.y) * (p.y - r.y) + (p.z - z) * (p.z - z));
        r.radioMin = std::fmin(r.radioMin, d);
        r.radioMax = std::fmax(r.radioMax, d);
        alturas.push_back(p.z);
    }

    // A sphere of n slices and m stacks has m + 1 heights, poles included,
    // and n vertices on each of the m - 1 rings between them.
    const double tol = 1e-3 * r.radioMax;
    std::vector<Vertice> unicos;
    for (const Vertice& p : v) {
        bool visto = false;
        for (const Vertice& q : unicos) {
            visto = visto || (std::fabs(q.x - p.x) <= tol && std::fabs(q.y - p.y) <= tol && std::fabs(q.z - p.z) <= tol);
        }
        if (!visto) unicos.push_back(p);
    }
    r.pilas = static_cast<int>(distintos(alturas, tol)) - 1;
    if (r.pilas > 1) r.cortes = static_cast<int>(unicos.size() - 2) / (r.pilas - 1);
    return r;
}
