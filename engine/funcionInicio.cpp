// The phases that read the input file from the beginning: the start-up, which
// takes the path from the command line, and the model part of the restart.
#include "vardel2d.h"

#include <cstdlib>
#include <iostream>

#ifndef _WIN32
#include <unistd.h>
#endif

void limpiarConsola()
{
#ifdef _WIN32
    std::system("cls");
#else
    // Only a terminal is cleared, so a trace redirected to a file stays clean.
    if (isatty(STDOUT_FILENO)) {
        std::cout << "\033[H\033[2J" << std::flush;
    }
#endif
}

void funcionInicio(int argc, char** argv)
{
    nombreArchivo = argc > 1 ? argv[1] : "ingresoDatos.txt";
    limpiarConsola();
    funcionLeerArchivo();
    if (noNudos != 0 && noBarras != 0 && noCombos != 0) funcionSolucionU();
}

void releerModelo()
{
    nudo.clear();
    barra.clear();
    funcionLeerArchivo();
}
