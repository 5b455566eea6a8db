#pragma once

// Captures what OpenGL draws, in feedback mode, inside the one hidden GLUT
// window of the test process. Under scripts/test (VARDEL2D_REQUIRE_DISPLAY=1)
// a missing display fails the tests; elsewhere they are skipped.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "util.h"

struct Vertice {
    double x, y, z;
    double r, g, b, a;
};

struct Elemento {
    enum Tipo { Punto, Segmento, Poligono, Bitmap, Marca };
    Tipo tipo;
    std::vector<Vertice> v;  // window coordinates, or model ones with a Vista
    float marca = 0;         // value of a glPassThrough marker
    float ancho = 0;         // line width in force when it was drawn
};

// An orthographic view that maps the model rectangle onto a 1000 x 1000
// viewport; captures made with it are converted back to model coordinates.
struct Vista {
    double xMin = -100, xMax = 100, yMin = -100, yMax = 100;
};

struct Captura {
    std::vector<Elemento> elementos;
    std::vector<std::string> textos;  // the strings of the bitmap text, in the order drawn

    std::vector<Elemento> deTipo(Elemento::Tipo tipo) const;
    std::vector<Elemento> segmentos() const { return deTipo(Elemento::Segmento); }
    // Elements drawn after marker `desde` and before the next marker.
    Captura tramo(float desde) const;
};

// Draws `dibujo` in feedback mode (GL_3D_COLOR). With a Vista the projection
// and model-view are set to it first; without one the caller's matrices hold.
// Feedback records no line width and no character: the test build wraps
// glLineWidth and glutBitmapString (linker option --wrap) so that every change
// of width reaches the buffer too and every bitmap string is kept.
Captura capturar(const std::function<void()>& dibujo, const Vista* vista);
Captura capturar(const std::function<void()>& dibujo);  // default Vista

struct EstadoGl {
    float color[4];
    float anchoLinea;
    float modelview[16];
    int profundidadPila;
};
EstadoGl leerEstado();
bool mismoEstado(const EstadoGl& a, const EstadoGl& b);

bool hayVentanaGl();

// Fixture of every drawing test: starts from the program's start-up state,
// and skips or fails without a display.
class GlTest : public EstadoLimpio {
protected:
    void SetUp() override;
};

// A segment from (x1, y1) to (x2, y2) in either direction, within tol.
bool mismoSegmento(const Elemento& s, double x1, double y1, double x2, double y2, double tol = 1e-4);
bool haySegmento(const Captura& c, double x1, double y1, double x2, double y2, double tol = 1e-4);

// The solid sphere that the polygons of a capture made with a Vista form:
// its centre, the nearest and farthest vertex from it, and its tessellation.
struct Esfera {
    double x, y;
    double radioMin, radioMax;
    int cortes, pilas;  // slices and stacks
};
Esfera esferaDe(const Captura& c);
