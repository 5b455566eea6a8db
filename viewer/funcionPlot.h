#pragma once

// Window, camera, mouse, keyboard console and restart of the viewer.
void funcionPlot(int argc, char** argv);
void funcionFronteraGraf();
void changeSize(int w, int h);
void draw();
void mouseButton(int button, int state, int x, int y);
void mouseMove(int x, int y);
void zoomIn();
void zoomOut();
void tecladoEspecial(int key, int x, int y);
void teclado(unsigned char key, int x, int y);

// Whether the switch of combination c is on; combinations beyond the 100
// switches of `flags` are never on.
bool comboActivo(int c);

// Seams of the keyboard callback: the modifier query and the process exit.
// They default to glutGetModifiers and std::exit; tests replace them.
extern int (*leerModificadores)();
extern void (*terminarPrograma)(int estado);
