// Free drawing functions: text and number primitives, the model layers, the
// console overlay and the result layers of one combination. They read the
// model, its results, the bounds, the console texts and the display settings,
// and write no program-wide variable (bars only derive and hold their values).
#include "elementosPlot.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "vardel2d.h"

namespace {

// GLUT_STROKE_MONO_ROMAN: 152.38 font units are one text height, every
// character advances 104.76 units.
const double escalaFuente = 1.0 / 152.38;
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

// Sizes not given by a scale are fractions of the model width. A model with
// no width (every node on x = 0: a column) takes its height instead, or its
// nodes, symbols and arrow heads would be drawn at size zero.
double anchoModelo()
{
    const double ancho = xMax - xMin;
    return ancho != 0 ? ancho : yMax - yMin;
}

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
    for (int j = 0; j < noBarras; ++j) {
        glLineWidth(3);
        glColor3f(0.5, 0.5, 0.5);
        segmento(barra[j].getXi(), barra[j].getYi(), barra[j].getXf(), barra[j].getYf());
    }
}

void plotNudos()
{
    for (int i = 0; i < noNudos; ++i) {
        glPushMatrix();
        glTranslatef(nudo[i].getX(), nudo[i].getY(), 0);
        glColor3f(0.7, 0, 0);
        glutSolidSphere(anchoModelo() / 400, 12, 12);
        glPopMatrix();
    }
}

void plotTagNudos(double h)
{
    for (int i = 0; i < noNudos; ++i) {
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

// The accessor prints its line for a bar without a section name on every
// call; drawn every frame, that would flood the console and push every
// earlier warning out of sight. Its line is let through once per reading.
bool seccionSinNombreAvisada = false;

std::string nombreDeSeccion(const objBarra2d& b)
{
    if (!b.tieneNombreDeSeccion()) {
        if (seccionSinNombreAvisada) return "";
        seccionSinNombreAvisada = true;
    }
    return b.getNombreDeSeccion();
}

}  // namespace

void olvidarAvisosDeCapas() { seccionSinNombreAvisada = false; }

void plotTagBarras(double h)
{
    for (int j = 0; j < noBarras; ++j) {
        glLineWidth(1);
        glColor3f(0.8, 0.8, 0.8);
        drawNumFloat(etiquetaBarraX(barra[j]), etiquetaBarraY(barra[j]), barra[j].getNoBarraUsuario(), 0, h);
    }
}

void plotSecciones(double h)
{
    for (int j = 0; j < noBarras; ++j) {
        const std::string nombre = nombreDeSeccion(barra[j]);
        glLineWidth(1);
        glColor3f(0.8, 0.8, 0.8);
        drawTextoEscalado(etiquetaBarraX(barra[j]), etiquetaBarraY(barra[j]), nombre.c_str(), h);
    }
}

// Only the four patterns of codes 0 and 1 below have a symbol.
void plotApoyos(double s)
{
    s = unidadSimbolo(s);
    for (int i = 0; i < noNudos; ++i) {
        const ApoyoDibujado* apoyo = apoyoDibujado(nudo[i].getApoyo());
        glColor3f(0.8, 0.8, 0.3);
        if (apoyo == nullptr) continue;
        entrarMarcoSimbolo(nudo[i], s);
        switch (apoyo->simbolo) {
        case SimboloDeApoyo::empotrado:
            apoyoEmpotrado();
            break;
        case SimboloDeApoyo::articulado:
            apoyoArticulado();
            break;
        case SimboloDeApoyo::rodilloEnY:
            apoyoRodillo();
            break;
        case SimboloDeApoyo::rodilloEnX:
            glRotatef(90, 0, 0, 1);
            apoyoRodillo();
            break;
        }
        glPopMatrix();
    }
}

void plotResortes(double s)
{
    s = unidadSimbolo(s);
    for (int i = 0; i < noNudos; ++i) {
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

namespace {

// Samples of a diagram or deflected axis along each bar: 20 segments.
const int estacionesDiagrama = 21;

// The solver hands every node and bar its results in one pass, so the model
// holds results for combination c when every bar has a column c of them; a
// model of nodes only, when every node has. Before any solve there are none.
bool hayResultados(int c)
{
    if (c < 0) return false;
    if (noBarras == 0) {
        return !nudo.empty() &&
               std::all_of(nudo.begin(), nudo.end(), [c](const objNudo2d& n) { return n.tieneResultados(c); });
    }
    return std::all_of(barra.begin(), barra.end(), [c](const objBarra2d& b) { return b.tieneResultados(c); });
}

void entrarMarcoBarra(objBarra2d& b)
{
    glPushMatrix();
    glTranslatef(b.getXi(), b.getYi(), 0);
    glRotatef(b.getAngulo() * 180 / PI, 0, 0, 1);
}

// Bars pointing left and up (or straight left) get their labels turned by
// 180° about the anchor so they read upright; angle exactly 90° is not turned.
bool etiquetasGiradas(objBarra2d& b) { return b.getAngulo() > PI / 2; }

using DibujoNumero = void (*)(double, double, double, int, double);

void etiquetaNumero(bool girada, double ax, double ay, double dx, double dy, DibujoNumero dibujar, double valor)
{
    if (!girada) {
        dibujar(ax + dx, ay + dy, valor, precision, escalaTexto);
        return;
    }
    glPushMatrix();
    glTranslatef(ax, ay, 0);
    glRotatef(180, 0, 0, 1);
    dibujar(dx, dy, valor, precision, escalaTexto);
    glPopMatrix();
}

// "%.<precision>f" of the value, a negative precision taken as 0.
void textoFijo(char* texto, size_t tamano, const char* prefijo, double valor)
{
    char formato[20];
    std::snprintf(formato, sizeof formato, "%%.%df", decimalesValidos(precision));
    char numero[100];
    std::snprintf(numero, sizeof numero, formato, valor);
    std::snprintf(texto, tamano, "%s%s", prefijo, numero);
}

// Outline through (x_k, factor·v_k) and ordinates from the axis to each point,
// in the bar frame; d holds the abscissae in row 0 and the values in row 1.
void trazarDiagrama(const Eigen::MatrixXd& d, double factor, const float contorno[3], const float ordenadas[3])
{
    const int n = static_cast<int>(d.cols());
    glColor3f(contorno[0], contorno[1], contorno[2]);
    glBegin(GL_LINES);
    for (int k = 0; k + 1 < n; ++k) {
        glVertex3f(d(0, k), d(1, k) * factor, 0);
        glVertex3f(d(0, k + 1), d(1, k + 1) * factor, 0);
    }
    glEnd();
    glColor3f(ordenadas[0], ordenadas[1], ordenadas[2]);
    glBegin(GL_LINES);
    for (int k = 0; k < n; ++k) {
        glVertex3f(d(0, k), 0, 0);
        glVertex3f(d(0, k), d(1, k) * factor, 0);
    }
    glEnd();
}

// Axial and shear diagrams, drawn in the bar frame: values on the local +y
// side, end labels at the outline's ends. Leaves the label colour set.
void diagramaConEtiquetas(objBarra2d& b, const Eigen::MatrixXd& d, double s, const float contorno[3],
                          const float ordenadas[3], const float etiquetas[3])
{
    if (d.cols() < 2) return;
    const int ultima = static_cast<int>(d.cols()) - 1;
    trazarDiagrama(d, s, contorno, ordenadas);
    glColor3f(etiquetas[0], etiquetas[1], etiquetas[2]);
    const bool girada = etiquetasGiradas(b);
    etiquetaNumero(girada, d(0, 0), d(1, 0) * s, 0, 0, drawNumFloat, d(1, 0));
    etiquetaNumero(girada, d(0, ultima), d(1, ultima) * s, 0, 0, drawNumFloatRight, d(1, ultima));
}

// A station of a distributed load counts as unloaded when its interpolated
// value is zero up to the rounding of the interpolation itself.
bool estacionDescargada(double q, double qi, double qf)
{
    return std::fabs(q) <= 1e-12 * std::fmax(std::fabs(qi), std::fabs(qf));
}

void cargasEnNudo(objNudo2d& nd, int c, double escala, double s)
{
    const double X = nd.getX();
    const double Y = nd.getY();
    const double px = nd.getPxCombo(c);
    const double py = nd.getPyCombo(c);
    const double mz = nd.getMzCombo(c);

    // Non-zero includes NaN: v != 0 holds for it.
    if (px != 0) {
        glLineWidth(2);
        drawFlecha(X - px * escala, Y, X, Y, s);
        glLineWidth(1);
        drawNumFloat(X - px * escala, Y, std::fabs(px), precision, escalaTexto);
    }
    if (py != 0) {
        glLineWidth(2);
        drawFlecha(X, Y - py * escala, X, Y, s);
        glLineWidth(1);
        drawNumFloat(X, Y - py * escala, std::fabs(py), precision, escalaTexto);
    }
    if (mz != 0) {
        const double r = 1.6 * s;
        const double f = 0.1 * s;
        glLineWidth(2);
        plotArco(X, Y, r, -90, 135);
        // The head sits at the arc's end the moment turns towards; a NaN
        // moment has no sense and gets none.
        if (mz > 0) {
            const double a = 45 * PI / 180;
            const double px0 = X - std::cos(a) * r;
            const double py0 = Y + std::sin(a) * r;
            glBegin(GL_LINES);
            glVertex3f(px0, py0, 0);
            glVertex3f(px0 + 0.7 * s, py0 + s, 0);
            glVertex3f(px0, py0, 0);
            glVertex3f(px0 + 0.9 * s, py0 + f, 0);
            glEnd();
        } else if (mz < 0) {
            const double px0 = X;
            const double py0 = Y - r;
            glBegin(GL_LINES);
            glVertex3f(px0, py0, 0);
            glVertex3f(px0 + 0.6 * s, py0 + 0.6 * s, 0);
            glVertex3f(px0, py0, 0);
            glVertex3f(px0 + s, py0 - f, 0);
            glEnd();
        }
        glLineWidth(1);
        drawNumFloat(X + 1.7 * s, Y + 0.3 * s, std::fabs(mz), precision, escalaTexto);
    }
}

void cargaTransversal(double L, double qi, double qf, double escala, double s)
{
    glColor3f(0, 0.3f, 0);
    glLineWidth(1);
    for (int k = 0; k <= 10; ++k) {
        const double x = k * L / 10;
        const double q = qi + k * (qf - qi) / 10;
        // Tail on tip: no arrow, and no head without a direction.
        if (estacionDescargada(q, qi, qf)) continue;
        drawFlecha(x, -q * escala, x, 0, s);
    }
    glBegin(GL_LINES);
    glVertex3f(0, -qi * escala, 0);
    glVertex3f(L, -qf * escala, 0);
    glEnd();
    glColor3f(0.3f, 0.7f, 0.3f);
    drawNumFloat(0, -qi * escala, std::fabs(qi), precision, escalaTexto);
    drawNumFloatRight(L, -qf * escala, std::fabs(qf), precision, escalaTexto);
}

void cargaAxial(double L, double fi, double ff, double escala, double s)
{
    glColor3f(0, 0.4f, 0.5f);
    glLineWidth(2);
    // The heads show only the sign of the mean axial load.
    const double m = (fi + ff) / 2 * escala;
    for (int k = 0; k <= 10; ++k) {
        const double x = k * L / 10;
        if (m > 0) drawFlecha(x, 0, x + 0.00001, 0, s);
        if (m < 0) drawFlecha(x, 0, x - 0.0001, 0, s);
    }
    glColor3f(0.3f, 0.7f, 0.7f);
    glLineWidth(1);
    drawNumFloat(0.1 * L, -1.1 * escalaTexto, std::fabs(fi), precision, escalaTexto);
    drawNumFloatRight(0.9 * L, -1.2 * escalaTexto, std::fabs(ff), precision, escalaTexto);
}

void lineaReaccion(double& y0, const char* prefijo, double valor)
{
    char texto[110];
    textoFijo(texto, sizeof texto, prefijo, valor);
    drawTextoEscalado(0.1, y0, texto, escalaTexto);
    y0 -= escalaTexto;
}

}  // namespace

void plotDeformada(int c, double s)
{
    if (!hayResultados(c)) return;
    const double r = anchoModelo() / 200;
    const double t = escalaTexto;

    // Displaced nodes with their computed (not magnified) displacements. No
    // line width is set here: the text strokes keep the one in force.
    for (int i = 0; i < noNudos; ++i) {
        objNudo2d& nd = nudo[i];
        const double ux = nd.getDesplazamientoX(c);
        const double uy = nd.getDesplazamientoY(c);
        const double rz = nd.getGiroZ(c);
        glPushMatrix();
        glTranslatef(nd.getX() + ux * s, nd.getY() + uy * s, 0);
        glColor3f(0, 0.7f, 0.7f);
        glutSolidSphere(r, 12, 12);
        glColor3f(0.7f, 0.7f, 0.7f);
        drawTextoEscalado(r, t, "Ux, Uy, Giro:", t);
        drawNumSci(r, 0, ux, precision, t);
        drawNumSci(r, -t, uy, precision, t);
        drawNumSci(r, -2 * t, rz, precision, t);
        glPopMatrix();
    }

    // Deflected axes, already in model coordinates.
    for (int j = 0; j < noBarras; ++j) {
        const Eigen::MatrixXd P = barra[j].getBarraDeformada(c, estacionesDiagrama, s);
        glLineWidth(1);
        glColor3f(0, 0.7f, 0.7f);
        glBegin(GL_LINES);
        for (int k = 0; k + 1 < P.cols(); ++k) {
            glVertex3f(P(0, k), P(1, k), 0);
            glVertex3f(P(0, k + 1), P(1, k + 1), 0);
        }
        glEnd();
    }
}

void plotAxial(int c, double s)
{
    if (!hayResultados(c)) return;
    static const float contorno[3] = {0, 0.2f, 0.7f};
    static const float etiquetas[3] = {0.4f, 0.4f, 0.9f};
    glLineWidth(1);
    for (int j = 0; j < noBarras; ++j) {
        objBarra2d& b = barra[j];
        const Eigen::MatrixXd A = b.getSolicitacionAxial(c, estacionesDiagrama);
        entrarMarcoBarra(b);
        diagramaConEtiquetas(b, A, s, contorno, contorno, etiquetas);
        glPopMatrix();
    }
}

namespace {

using Solicitacion = Eigen::MatrixXd (objBarra2d::*)(int c, int n) const;
using DibujoDeBarra = void (*)(objBarra2d& b, const Eigen::MatrixXd& d, double L, int c, double s);

// Draws, in each bar's frame, what `dibujar` makes of the bar's diagram of
// combination c sampled at the diagram stations, and of its length.
void diagramaPorBarra(int c, double s, Solicitacion solicitacion, DibujoDeBarra dibujar)
{
    if (!hayResultados(c)) return;
    glLineWidth(1);
    for (int j = 0; j < noBarras; ++j) {
        objBarra2d& b = barra[j];
        const Eigen::MatrixXd d = (b.*solicitacion)(c, estacionesDiagrama);
        const double L = b.getLongitud();
        entrarMarcoBarra(b);
        dibujar(b, d, L, c, s);
        glPopMatrix();
    }
}

void cortanteDeBarra(objBarra2d& b, const Eigen::MatrixXd& V, double L, int c, double s)
{
    static const float contorno[3] = {0.5f, 0.5f, 0};
    static const float ordenadas[3] = {0.4f, 0.4f, 0};
    diagramaConEtiquetas(b, V, s, contorno, ordenadas, contorno);

    // The zero-shear label starts at the zero in either case: a turned one
    // stands below the axis in the bar frame and reads upright.
    const double xv = b.getXvcero(c);
    if (xv > 0 && xv < L) {
        char texto[110];
        textoFijo(texto, sizeof texto, "x0= ", xv);
        if (etiquetasGiradas(b)) {
            glPushMatrix();
            glTranslatef(xv, 0, 0);
            glRotatef(180, 0, 0, 1);
            drawTextoEscalado(0, 0.2 * escalaTexto, texto, escalaTexto);
            glPopMatrix();
        } else {
            drawTextoEscalado(xv, 0.2 * escalaTexto, texto, escalaTexto);
        }
    }
}

void momentoDeBarra(objBarra2d& b, const Eigen::MatrixXd& M, double L, int c, double s)
{
    static const float contorno[3] = {0.7f, 0.2f, 0};
    static const float ordenadas[3] = {0.5f, 0.1f, 0};
    if (M.cols() < 2) return;
    const int ultima = static_cast<int>(M.cols()) - 1;
    // Positive moments on the local -y side: ordinate -M·s.
    trazarDiagrama(M, -s, contorno, ordenadas);
    glColor3f(contorno[0], contorno[1], contorno[2]);
    const bool girada = etiquetasGiradas(b);
    etiquetaNumero(girada, M(0, 0), -M(1, 0) * s, L / 50, 0, drawNumFloat, M(1, 0));
    etiquetaNumero(girada, M(0, ultima), -M(1, ultima) * s, -L / 50, 0, drawNumFloatRight, M(1, ultima));

    // getMmax answers for the abscissa the zero-shear query just stored.
    const double xv = b.getXvcero(c);
    const double mMax = b.getMmax(c);
    if (xv > 0 && xv < L) etiquetaNumero(girada, xv, -mMax * s, 0, 0, drawNumFloatCenter, mMax);
}

}  // namespace

void plotCortante(int c, double s) { diagramaPorBarra(c, s, &objBarra2d::getSolicitacionCortante, cortanteDeBarra); }

void plotMomento(int c, double s) { diagramaPorBarra(c, s, &objBarra2d::getSolicitacionMomento, momentoDeBarra); }

// Loads are input, drawn solved or not; every node and bar holds a row of them
// for each of the noCombos combinations.
void plotCarga(int c, double escala)
{
    if (c < 0 || c >= noCombos) return;
    const double s = anchoModelo() / 75;

    glColor3f(0.8f, 0.2f, 0.2f);
    for (int i = 0; i < noNudos; ++i) cargasEnNudo(nudo[i], c, escala, s);

    for (int j = 0; j < noBarras; ++j) {
        objBarra2d& b = barra[j];
        const double L = b.getLongitud();

        const double qi = b.getQInicioCombo(c);
        const double qf = b.getQFinCombo(c);
        if (qi != 0 || qf != 0) {
            entrarMarcoBarra(b);
            cargaTransversal(L, qi, qf, escala, s);
            glPopMatrix();
        }
        const double fi = b.getFInicioCombo(c);
        const double ff = b.getFFinCombo(c);
        if (fi != 0 || ff != 0) {
            entrarMarcoBarra(b);
            cargaAxial(L, fi, ff, escala, s);
            glPopMatrix();
        }
    }
}

void plotReacciones(int c)
{
    if (!hayResultados(c)) return;
    for (int i = 0; i < noNudos; ++i) {
        objNudo2d& nd = nudo[i];
        const Eigen::Vector3i apoyo = nd.getApoyo();
        const double kx = nd.getResorteX();
        const double ky = nd.getResorteY();
        const double kg = nd.getResorteGiro();
        glPushMatrix();
        glTranslatef(nd.getX(), nd.getY(), 0);

        // One line per restrained (code 1) or sprung direction, stacked down
        // from the node's height without gaps.
        glColor3f(1, 0, 0);
        glLineWidth(1);
        double y0 = 0;
        if (apoyo(0) == 1 || kx != 0) lineaReaccion(y0, "Rx: ", nd.getReaccionX(c));
        if (apoyo(1) == 1 || ky != 0) lineaReaccion(y0, "Ry: ", nd.getReaccionY(c));
        if (apoyo(2) == 1 || kg != 0) lineaReaccion(y0, "Mz: ", nd.getReaccionM(c));
        glPopMatrix();
    }
}
