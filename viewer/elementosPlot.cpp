#include "elementosPlot.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "vardel2d.h"

namespace {

// GLUT_STROKE_MONO_ROMAN: 152.38 font units are one text height, every
// character advances 104.76 units.
const double escalaFuente = 0.006562541015881349;
const double avanceCaracter = 104.76;

void trazarCaracteres(const char* texto)
{
    const size_t n = std::strlen(texto);
    for (size_t i = 0; i < n; ++i) {
        glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, static_cast<signed char>(texto[i]));
    }
}

// A negative count of decimals has no C format; it is drawn with 0. Above 99
// the text is cut at 99 characters anyway, so the count is capped there.
int decimalesValidos(int d)
{
    if (d < 0) return 0;
    if (d > 99) return 99;
    return d;
}

// Formats the value into `texto` (100 bytes) with "%.<d>f" or "%.<d>e".
void formatearNumero(char* texto, double valor, int d, char notacion)
{
    char formato[20];
    std::snprintf(formato, sizeof formato, notacion == 'e' ? "%%.%de" : "%%.%df", decimalesValidos(d));
    std::snprintf(texto, 100, formato, valor);
}

enum class Alineacion { Izquierda, Derecha, Centro };

void dibujarNumero(double x, double y, double valor, int d, double h, char notacion, Alineacion alineacion)
{
    char texto[100];
    formatearNumero(texto, valor, d, notacion);
    const double k = escalaFuente * h;
    const double ancho = avanceCaracter * static_cast<double>(std::strlen(texto));

    glPushMatrix();
    glTranslatef(x, y, 0);
    glScalef(k, k, k);
    if (alineacion != Alineacion::Izquierda) {
        glPushMatrix();
        glTranslatef(alineacion == Alineacion::Derecha ? -ancho : -ancho / 2, 0, 0);
    }
    trazarCaracteres(texto);
    if (alineacion != Alineacion::Izquierda) glPopMatrix();
    glPopMatrix();
}

}  // namespace

void drawTextoEscalado(double x, double y, const char* texto, double h)
{
    const double k = escalaFuente * h;
    glPushMatrix();
    glTranslatef(x, y, 0);
    glScalef(k, k, k);
    trazarCaracteres(texto);
    glPopMatrix();
}

void drawNumFloat(double x, double y, double valor, int d, double h)
{
    dibujarNumero(x, y, valor, d, h, 'f', Alineacion::Izquierda);
}

void drawNumFloatRight(double x, double y, double valor, int d, double h)
{
    dibujarNumero(x, y, valor, d, h, 'f', Alineacion::Derecha);
}

void drawNumFloatCenter(double x, double y, double valor, int d, double h)
{
    dibujarNumero(x, y, valor, d, h, 'f', Alineacion::Centro);
}

void drawNumSci(double x, double y, double valor, int d, double h)
{
    dibujarNumero(x, y, valor, d, h, 'e', Alineacion::Izquierda);
}

void drawFlecha(double x1, double y1, double x2, double y2, double s)
{
    const double d = std::pow(std::pow(x1 - x2, 2) + std::pow(y1 - y2, 2), 0.5);
    // Tail on tip has no direction: nothing is drawn rather than a NaN turn.
    if (!(d > 0) || !std::isfinite(d)) return;
    double a = std::acos((x2 - x1) / d);
    if (y2 - y1 < 0) a = -a;

    glBegin(GL_LINES);
    glVertex3f(x1, y1, 0);
    glVertex3f(x2, y2, 0);
    glEnd();

    glPushMatrix();
    glTranslatef(x2, y2, 0);
    glRotatef(180 * a / PI, 0, 0, 1);
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3f(-s, s / 3, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(-s, -s / 3, 0);
    glEnd();
    glPopMatrix();
}

void plotArco(double cx, double cy, double r, double a0, double a1)
{
    const double a0r = PI * a0 / 180;
    const double a1r = PI * a1 / 180;
    const double paso = (a1r - a0r) / 10;
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 10; ++i) {
        const double t = i * paso + a0r;
        glVertex3f(cx + r * std::cos(t), cy + r * std::sin(t), 0);
    }
    glEnd();
}
