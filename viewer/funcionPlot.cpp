// The window: set-up, frame, camera, mouse, keyboard console and restart (F5
// runs builder and solver again). Reads the model, its results and the display
// settings; writes the viewer's state, and the scales on '+' and '-'.
#include "funcionPlot.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>

#include "elementosPlot.h"
#include "vardel2d.h"

namespace {

void salirDelPrograma(int estado) { std::exit(estado); }

bool impar(int v) { return (v & 1) != 0; }

// freeglut reports the wheel as two more buttons, one press per notch.
const int ruedaHaciaAdelante = 3;
const int ruedaHaciaAtras = 4;

// The window's size in pixels when it opens.
const int anchoInicial = 1000;
const int altoInicial = 800;

// Camera distance factor of one wheel notch.
const double pasoZoom = 1.07;

// A fixed far plane at 1000 would hide any model farther than that from the
// eye; twice the camera distance keeps the model plane inside the volume.
double planoLejano() { return std::max(1000.0, 2 * zCam); }

void aplicarPerspectiva()
{
    gluPerspective(45, aspectoVentana, 0.01f, planoLejano());
}

void actualizarProyeccion()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    aplicarPerspectiva();
    glMatrixMode(GL_MODELVIEW);
}

// A result layer: its switch, its drawing for one combination, and the scale
// that '+' and '-' change and the drawing takes (none for the reactions). The
// console switches the others off when one is switched, and the frame draws
// them in this order.
struct CapaDeResultados {
    IndiceFlag indice;
    void (*dibujar)(int c, double escala);
    double* escala;
};

const CapaDeResultados capasDeResultados[] = {
    {flagDeformada, plotDeformada, &escalaDef},
    {flagAxial, plotAxial, &escalaN},
    {flagCortante, plotCortante, &escalaV},
    {flagMomento, plotMomento, &escalaM},
    {flagCargas, plotCarga, &escalaCarga},
    {flagReacciones, [](int c, double) { plotReacciones(c); }, nullptr},
};

}  // namespace

// The projection is rebuilt whenever the camera distance changes, so the
// window's aspect ratio is kept from the last reshape.
double aspectoVentana = 0;
int (*leerModificadores)() = glutGetModifiers;
void (*terminarPrograma)(int estado) = salirDelPrograma;

void estadoDeApertura()
{
    std::fill(flags.begin(), flags.end(), 0);
    flags[flagApoyos] = 1;
    olvidarAvisosDeCapas();
    funcionFronteraGraf();
    changeSize(anchoInicial, altoInicial);
}

void funcionPlot(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(anchoInicial, altoInicial);
    glutCreateWindow("Programa de Vardel 2D");

    estadoDeApertura();

    glutDisplayFunc(draw);
    glutReshapeFunc(changeSize);
    glutIdleFunc(draw);
    glutMouseFunc(mouseButton);
    glutMotionFunc(mouseMove);
    glutKeyboardFunc(teclado);
    glutSpecialFunc(tecladoEspecial);
    glutMainLoop();
}

void funcionFronteraGraf()
{
    xMin = xMax = yMin = yMax = 0;
    assert(modeloComoLoDejaElConstructor());
    for (const objNudo2d& n : nudo) {
        if (n.getX() < xMin) xMin = n.getX();
        if (n.getX() > xMax) xMax = n.getX();
        if (n.getY() < yMin) yMin = n.getY();
        if (n.getY() > yMax) yMax = n.getY();
    }
    // Every node at the origin (or none) leaves no extent and a camera on
    // the model plane: a unit square around the origin gives it one.
    if (xMax - xMin == 0 && yMax - yMin == 0) {
        xMin = yMin = -0.5;
        xMax = yMax = 0.5;
    }

    xCam = (xMin + xMax) / 2;
    yCam = (yMin + yMax) / 2;
    // The larger extent spans 1/1.1 of the visible height 2 zCam tan(22.5°).
    const double t = 2 * std::tan(PI / 8);
    zCam = 1.1 * std::max((xMax - xMin) / t, (yMax - yMin) / t);
    xCentroObj = xCam;
    yCentroObj = yCam;
}

void changeSize(int w, int h)
{
    if (h == 0) h = 1;
    aspectoVentana = static_cast<double>(w) / h;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, w, h);
    aplicarPerspectiva();
    glMatrixMode(GL_MODELVIEW);
}

void draw()
{
    assert(modeloComoLoDejaElConstructor());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, 0, 0, 1, 0);

    // Overlay first: the model covers it where they overlap.
    plotDialogo();

    if (noBarras != 0) plotBarras();
    if (noNudos != 0) plotNudos();

    if (impar(flags[flagTagNudos])) plotTagNudos(escalaTexto);
    if (impar(flags[flagTagBarras])) plotTagBarras(escalaTexto);
    if (impar(flags[flagSecciones])) plotSecciones(escalaTexto);
    if (impar(flags[flagApoyos])) {
        plotApoyos(escalaApoyo);
        plotResortes(escalaApoyo);
    }

    // Result layers, each for every selected combination in index order;
    // only the combinations that have a switch can be selected.
    const int combosVisibles = std::min(noCombos, combosConInterruptor);
    for (const CapaDeResultados& capa : capasDeResultados) {
        if (!impar(flags[capa.indice])) continue;
        const double escala = capa.escala ? *capa.escala : 0;
        for (int c = 0; c < combosVisibles; ++c) {
            if (comboActivo(c)) capa.dibujar(c, escala);
        }
    }

    glFlush();
    glutSwapBuffers();
}

void mouseButton(int button, int state, int x, int y)
{
    if (button == GLUT_LEFT_BUTTON) {
        if (state == GLUT_UP) {
            clickIzq = -1;
        } else {
            clickIzq = 1;
            xLast = x;
            yLast = y;
        }
    } else if (button == ruedaHaciaAdelante && state == GLUT_UP) {
        zoomIn();
    } else if (button == ruedaHaciaAtras && state == GLUT_UP) {
        zoomOut();
    }
}

void mouseMove(int x, int y)
{
    if (clickIzq != 1) return;
    const int dx = xLast - x;
    const int dy = yLast - y;
    // Visible height at the model plane over 1000, whatever the window size.
    const double k = std::tan(PI / 8) * (2 * zCam) / 1000;
    xCam += dx * k;
    xCentroObj += dx * k;
    yCam -= dy * k;
    yCentroObj -= dy * k;
    xLast = x;
    yLast = y;
}

void zoomIn()
{
    zCam = zCam / pasoZoom;
    actualizarProyeccion();
}

void zoomOut()
{
    zCam = pasoZoom * zCam;
    actualizarProyeccion();
}

void tecladoEspecial(int key, int, int)
{
    if (key != GLUT_KEY_F5) return;
    std::cout << "\n\n\n------------------------Reinicio del programa------------------" << std::endl;
    releerModelo();
    olvidarAvisosDeCapas();
    funcionSolucionU();
}

namespace {

const char* const pedirNombreCombo = "Escriba el nombre del Combo y presione ENTER:";

// Keys of the console, as freeglut reports them.
const unsigned char teclaEscape = 27;
const unsigned char teclaEnter = 13;
const unsigned char teclaRetroceso = 8;

// Factor of one '+' or '-' on a scale.
const double pasoEscala = 1.1;

// Every message but the prompt for a name closes the name dialogue.
void responder(const char* mensaje)
{
    dialogo = mensaje;
    modoConsola = ModoConsola::esperaComando;
}

// A command that toggles one layer switch; the result layers switch the
// other five off, so at most one of them is on.
struct ComandoCapa {
    const char* palabra;
    IndiceFlag indice;
    const char* activado;
    const char* desactivado;
};

const ComandoCapa comandosCapa[] = {
    {"tagNudos", flagTagNudos, "Ingrese Comando:", "Ingrese Comando:"},
    {"tagBarras", flagTagBarras, "Ingrese Comando:", "Ingrese Comando:"},
    {"secciones", flagSecciones, "Ingrese Comando:", "Ingrese Comando:"},
    {"plotDef", flagDeformada, "Deformaciones Activadas. Ingrese Comando:", "Deformaciones Desactivadas. Ingrese Comando:"},
    {"plotN", flagAxial, "Fuerzas Axiales Activadas. Ingrese Comando:", "Fuerzas Axiales Desactivadas. Ingrese Comando:"},
    {"plotV", flagCortante, "Fuerzas Cortantes Activadas. Ingrese Comando:", "Fuerzas Cortantes Desactivadas. Ingrese Comando:"},
    {"plotM", flagMomento, "Momentos Flectores Activados. Ingrese Comando:", "Momentos Flectores Desactivados. Ingrese Comando:"},
    {"plotCarga", flagCargas, "Graficacion de Cargas Activada. Ingrese Comando:",
     "Graficacion de Cargas Desactivada. Ingrese Comando:"},
    {"plotR", flagReacciones, "Graficacion de Reacciones Activada. Ingrese Comando:",
     "Graficacion de Reacciones Desactivada. Ingrese Comando:"},
    {"plotApoyos", flagApoyos, "Graficacion de Apoyos Activada. Ingrese Comando:",
     "Graficacion de Apoyos Desactivada. Ingrese Comando:"},
};

bool esCapaDeResultados(int i)
{
    return std::any_of(std::begin(capasDeResultados), std::end(capasDeResultados),
                       [i](const CapaDeResultados& capa) { return capa.indice == i; });
}

void conmutarCapa(const ComandoCapa& c)
{
    flags[c.indice] += 1;
    if (esCapaDeResultados(c.indice)) {
        for (const CapaDeResultados& capa : capasDeResultados) {
            if (capa.indice != c.indice) flags[capa.indice] = 0;
        }
    }
    responder(impar(flags[c.indice]) ? c.activado : c.desactivado);
}

// The list of combinations lives on the first node; a model without nodes
// has none to find.
void buscarCombo()
{
    numeroComboCoincidente = nudo.empty() ? -1 : nudo[0].getNumeroDeCombo(comando);
    if (numeroComboCoincidente == -1) {
        responder("el combo no existe. Ingrese Comando:");
    } else if (numeroComboCoincidente >= combosConInterruptor) {
        responder("Solo se pueden mostrar los primeros 100 combos. Ingrese Comando:");
    } else {
        flags[flagPrimerCombo + numeroComboCoincidente] += 1;
        responder("Combo Activado/Desactivado, OK. Ingrese Comando:");
    }
}

void ejecutarComando()
{
    if (comando == "exit" || comando == "salir") {
        terminarPrograma(0);
        return;
    }
    for (const ComandoCapa& c : comandosCapa) {
        if (comando == c.palabra) conmutarCapa(c);
    }
    if (comando == "noTags") {
        flags[flagTagNudos] = flags[flagTagBarras] = flags[flagSecciones] = 0;
        responder("Ingrese Comando:");
    }
    // A command above has already closed the dialogue.
    if (modoConsola == ModoConsola::esperaNombreDeCombo) buscarCombo();
    if (comando == "combo") {
        dialogo = pedirNombreCombo;
        modoConsola = ModoConsola::esperaNombreDeCombo;
    }
}

// '+' and '-' scale the result layer that is on, or the text with Shift alone.
void escalar(bool aumentar)
{
    auto aplicar = [aumentar](double& escala) { escala = aumentar ? escala * pasoEscala : escala / pasoEscala; };
    if (leerModificadores() == GLUT_ACTIVE_SHIFT) {
        aplicar(escalaTexto);
        return;
    }
    for (const CapaDeResultados& capa : capasDeResultados) {
        if (capa.escala && impar(flags[capa.indice])) aplicar(*capa.escala);
    }
}

}  // namespace

void teclado(unsigned char key, int, int)
{
    switch (key) {
    case teclaEscape:
        terminarPrograma(0);
        return;
    case teclaEnter:
        ejecutarComando();
        comando.clear();
        break;
    case teclaRetroceso:
        if (!comando.empty()) comando.pop_back();
        break;
    case teclaAumentar:
        escalar(true);
        break;
    case teclaReducir:
        escalar(false);
        break;
    default:
        comando += static_cast<char>(key);
        break;
    }
    glutPostRedisplay();
}
