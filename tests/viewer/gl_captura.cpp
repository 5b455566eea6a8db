#include "gl_captura.h"

#include <GL/freeglut.h>

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

double aModelo(double w, double min, double max) { return min + (max - min) * w / 1000.0; }

}  // namespace

bool hayVentanaGl() { return ventanaCreada; }

void GlTest::SetUp()
{
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
    glFeedbackBuffer(tamanoBuffer, GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    dibujo();
    const int n = glRenderMode(GL_RENDER);

    Captura c;
    EXPECT_GE(n, 0) << "feedback buffer overflow";
    int i = 0;
    auto leerVertice = [&]() {
        Vertice v{buffer[i], buffer[i + 1], buffer[i + 2], buffer[i + 3], buffer[i + 4], buffer[i + 5], buffer[i + 6]};
        i += 7;
        if (vista) {
            v.x = aModelo(v.x, vista->xMin, vista->xMax);
            v.y = aModelo(v.y, vista->yMin, vista->yMax);
        }
        return v;
    };
    while (i < n) {
        const int token = static_cast<int>(buffer[i++]);
        Elemento e{};
        switch (token) {
        case GL_PASS_THROUGH_TOKEN:
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
