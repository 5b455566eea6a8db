#pragma once

// Window, camera, mouse, keyboard console and restart of the viewer.
void funcionPlot(int argc, char** argv);
// The window as it opens: the display switches (only the supports on), the
// layers' once-per-reading lines not yet said, the bounds and camera fitted
// to the model, and the first reshape at the opening size of 1000 x 800 pixels.
void estadoDeApertura();
void funcionFronteraGraf();
void changeSize(int w, int h);
void draw();
void mouseButton(int button, int state, int x, int y);
void mouseMove(int x, int y);
void zoomIn();
void zoomOut();
void tecladoEspecial(int key, int x, int y);
void teclado(unsigned char key, int x, int y);
