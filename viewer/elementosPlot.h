#pragma once

// Drawing primitives: stroke text and numbers of a height in model units,
// arrows and arcs. None changes the colour, the line width or the matrix.
void drawTextoEscalado(double x, double y, const char* texto, double h);
void drawNumFloat(double x, double y, double valor, int d, double h);
void drawNumFloatRight(double x, double y, double valor, int d, double h);
void drawNumFloatCenter(double x, double y, double valor, int d, double h);
void drawNumSci(double x, double y, double valor, int d, double h);
void drawFlecha(double x1, double y1, double x2, double y2, double s);
void plotArco(double cx, double cy, double r, double a0, double a1);

// Model layers.
void plotBarras();
void plotNudos();
void plotTagNudos(double h);
void plotTagBarras(double h);
void plotSecciones(double h);
void plotApoyos(double s);
void plotResortes(double s);
// The file was read again: the layers' console lines, said once per reading,
// may be said again.
void olvidarAvisosDeCapas();

// Console overlay.
void plotDialogo();

// Result layers of one combination.
void plotDeformada(int c, double s);
void plotAxial(int c, double s);
void plotCortante(int c, double s);
void plotMomento(int c, double s);
void plotCarga(int c, double escala);
void plotReacciones(int c);
