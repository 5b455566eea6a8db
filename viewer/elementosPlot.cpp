#include "elementosPlot.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "funcionPlot.h"
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

namespace {

int nudosDibujables() { return std::min(noNudos, static_cast<int>(nudo.size())); }
int barrasDibujables() { return std::min(noBarras, static_cast<int>(barra.size())); }

// Sizes not given by a scale are fractions of the model width.
double anchoModelo() { return xMax - xMin; }

double unidadSimbolo(double s) { return s == 0 ? anchoModelo() / 50 : s; }

void segmento(double x1, double y1, double x2, double y2)
{
    glBegin(GL_LINES);
    glVertex2f(x1, y1);
    glVertex2f(x2, y2);
    glEnd();
}

// Symbols are drawn in units of s around their node.
void entrarMarcoSimbolo(const objNudo2d& n, double s)
{
    glPushMatrix();
    glTranslatef(n.getX(), n.getY(), 0);
    glScalef(s, s, 0);
}

void apoyoEmpotrado()
{
    glLineWidth(3);
    segmento(-1, 0, 1, 0);
    glLineWidth(1);
    segmento(-1, -0.6, -0.67, 0);
    segmento(-0.67, -0.6, -0.33, 0);
    segmento(-0.33, -0.6, 0, 0);
    segmento(0, -0.6, 0.33, 0);
    segmento(0.33, -0.6, 0.67, 0);
}

void apoyoArticulado()
{
    glLineWidth(3);
    segmento(-1, -1.3, 1, -1.3);
    glLineWidth(1);
    segmento(-0.75, -1.3, 0, 0);
    segmento(0.75, -1.3, 0, 0);
}

// Roller restraining local y: wheel touching the node and the ground line.
void apoyoRodillo()
{
    glLineWidth(3);
    segmento(-1, -1.3, 1, -1.3);
    glLineWidth(1);
    plotArco(0, -0.65, 0.65, 0, 360);
}

// Spring along local x, from a wall on its left to the node.
void resorteLineal()
{
    glLineWidth(3);
    segmento(-1.7, 0.8, -1.7, -0.8);
    glLineWidth(1);
    const double zigzag[6][2] = {{-1.7, 0}, {-1.3, 0}, {-1.05, 0.6}, {-0.65, -0.6}, {-0.4, 0}, {0, 0}};
    for (int i = 0; i < 5; ++i) segmento(zigzag[i][0], zigzag[i][1], zigzag[i + 1][0], zigzag[i + 1][1]);
}

// Spiral from the node out to the anchor stroke.
void resorteGiro()
{
    glLineWidth(3);
    segmento(0.6, 1.8, 0.6, 1);
    glLineWidth(1);
    plotArco(0.4, 0, 0.4, 0, 180);
    plotArco(0, 0, 0.8, 180, 360);
    plotArco(0.6, 0, 1.4, 90, 180);
}

}  // namespace

void plotBarras()
{
    for (int j = 0; j < barrasDibujables(); ++j) {
        glLineWidth(3);
        glColor3f(0.5, 0.5, 0.5);
        segmento(barra[j].getXi(), barra[j].getYi(), barra[j].getXf(), barra[j].getYf());
    }
}

void plotNudos()
{
    for (int i = 0; i < nudosDibujables(); ++i) {
        glPushMatrix();
        glTranslatef(nudo[i].getX(), nudo[i].getY(), 0);
        glColor3f(0.7, 0, 0);
        glutSolidSphere(anchoModelo() / 400, 12, 12);
        glPopMatrix();
    }
}

void plotTagNudos(double h)
{
    for (int i = 0; i < nudosDibujables(); ++i) {
        const double d = anchoModelo() / 200;
        glColor3f(0.9, 0.2, 0.2);
        glLineWidth(1);
        drawNumFloat(nudo[i].getX() + d, nudo[i].getY() + d, nudo[i].getNoNudoUsuario(), 0, h);
    }
}

namespace {

// Bar labels start d right of and above the bar's midpoint.
double etiquetaBarraX(const objBarra2d& b) { return (b.getXi() + b.getXf()) / 2 + anchoModelo() / 200; }
double etiquetaBarraY(const objBarra2d& b) { return (b.getYi() + b.getYf()) / 2 + anchoModelo() / 200; }

}  // namespace

void plotTagBarras(double h)
{
    for (int j = 0; j < barrasDibujables(); ++j) {
        glLineWidth(1);
        glColor3f(0.8, 0.8, 0.8);
        drawNumFloat(etiquetaBarraX(barra[j]), etiquetaBarraY(barra[j]), barra[j].getNoBarraUsuario(), 0, h);
    }
}

void plotSecciones(double h)
{
    for (int j = 0; j < barrasDibujables(); ++j) {
        const std::string nombre = barra[j].getNombreDeSeccion();
        glLineWidth(1);
        glColor3f(0.8, 0.8, 0.8);
        drawTextoEscalado(etiquetaBarraX(barra[j]), etiquetaBarraY(barra[j]), nombre.c_str(), h);
    }
}

// Only the four patterns of codes 0 and 1 below have a symbol.
void plotApoyos(double s)
{
    s = unidadSimbolo(s);
    for (int i = 0; i < nudosDibujables(); ++i) {
        const Eigen::Vector3i a = nudo[i].getApoyo();
        glColor3f(0.8, 0.8, 0.3);
        if (a(0) == 1 && a(1) == 1 && a(2) == 1) {
            entrarMarcoSimbolo(nudo[i], s);
            apoyoEmpotrado();
            glPopMatrix();
        } else if (a(0) == 1 && a(1) == 1 && a(2) == 0) {
            entrarMarcoSimbolo(nudo[i], s);
            apoyoArticulado();
            glPopMatrix();
        } else if (a(0) == 0 && a(1) == 1 && a(2) == 0) {
            entrarMarcoSimbolo(nudo[i], s);
            apoyoRodillo();
            glPopMatrix();
        } else if (a(0) == 1 && a(1) == 0 && a(2) == 0) {
            entrarMarcoSimbolo(nudo[i], s);
            glRotatef(90, 0, 0, 1);
            apoyoRodillo();
            glPopMatrix();
        }
    }
}

void plotResortes(double s)
{
    s = unidadSimbolo(s);
    for (int i = 0; i < nudosDibujables(); ++i) {
        if (nudo[i].getResorteX() != 0) {
            glColor3f(0.8, 0.8, 0.3);
            entrarMarcoSimbolo(nudo[i], s);
            resorteLineal();
            glPopMatrix();
        }
        if (nudo[i].getResorteY() != 0) {
            glColor3f(0.8, 0.8, 0.3);
            entrarMarcoSimbolo(nudo[i], s);
            glRotatef(90, 0, 0, 1);
            resorteLineal();
            glPopMatrix();
        }
        if (nudo[i].getResorteGiro() != 0) {
            glColor3f(0.8, 0.2, 0.2);
            entrarMarcoSimbolo(nudo[i], s);
            resorteGiro();
            glPopMatrix();
        }
    }
}

namespace {

void textoBitmap(const std::string& texto)
{
    glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(texto.c_str()));
}

// Fits the 220 pixels right of its position in the 1000-pixel window.
const char* const ayudaConsola =
    "combo plotDef plotN plotV plotM plotR\n"
    "plotCarga  +/- escala  F5 reinicio";

}  // namespace

// Drawn in the eye's frame at depth 2.41, where the view spans about +-1
// vertically, so it neither pans nor zooms.
void plotDialogo()
{
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0, 0, -2.41);

    glColor3f(0, 1, 0);
    glRasterPos3f(-0.98, -0.92, 0);
    textoBitmap(dialogo + "\n/>" + comando);

    glColor3f(0, 1, 0);
    glRasterPos3f(0.7, -0.92, 0);
    textoBitmap(ayudaConsola);

    const int n = nudo.empty() ? 0 : nudo[0].getCantidadDeCombos();
    glColor3f(0, 1, 0);
    glRasterPos3f(0.8, 0.95, 0);
    textoBitmap("COMBOS ACTIVADOS:");
    for (int i = 0; i < n; ++i) {
        const std::string nombre = nudo[0].getNombreCombo(i);
        if (comboActivo(i)) {
            glColor3f(0, 1, 0.2);
        } else {
            glColor3f(0, 0.3, 0.05);
        }
        glRasterPos3f(0.85, static_cast<float>(0.95 - (i + 1) * 0.04), 0);
        textoBitmap(nombre);
    }

    glPopMatrix();
}
