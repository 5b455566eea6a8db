#pragma once

#include <string>
#include <vector>

#include <Eigen/Core>

// Reader of the tagged input file. The file is a flat sequence of
// whitespace-separated words; every lookup opens the file, scans it from the
// beginning for its tag and closes it again, so nothing is cached.
class claseLeerArchivo {
public:
    claseLeerArchivo();

    void setNombreArchivo(std::string nombre);

    int getNoEtiquetas(std::string etiqueta);
    int getEntero(std::string etiqueta);
    double getReal(std::string etiqueta);
    std::string getString(std::string etiqueta, int n);
    Eigen::MatrixXd getMatriz(std::string etiqueta, int columnas);
    std::vector<double> getMatrizEtiquetaRepetida(std::string etiqueta, int n, int salto);
    std::vector<double> getFactoresEtiqueta(std::string etiqueta, int n, int salto);
    std::vector<std::string> getNombresDeFactores(std::string etiqueta, int n, int salto);

    bool esNumero(std::string palabra);

private:
    std::string nombreArchivo;
};

// Word-to-number conversions of the reader: the longest numeric prefix, as the
// C library reads it; a word without one gives 0 and a warning line naming it.
double convertirReal(const std::string& palabra);
int convertirEntero(const std::string& palabra);
