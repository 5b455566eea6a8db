#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include <Eigen/Core>

// Reader of the tagged input file. The file is a flat sequence of
// whitespace-separated words, in UTF-8 or ASCII text: a leading byte-order mark
// is no part of the first word and a no-break space separates words. Every
// lookup scans it from the beginning for its tag. The words are read again
// whenever the file on disk changed, so every lookup sees its current content;
// keeping them, with the positions of each tag asked for, keeps a file of many
// blocks from costing blocks x length.
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
    // A word that begins as a number does (a digit, a sign or a point) but
    // fails esNumero, such as 2,1e7 or 2.1E7.
    bool pareceNumero(std::string palabra);
    // The word that cut short a run or list of the latest run, table or list
    // lookup, when it pareceNumero: the user most likely meant a number there.
    // Empty when every run ended otherwise.
    std::string getNumeroMalEscrito();
    // UTF-16 text holds no words this reader can match, so it reads as empty.
    bool esUtf16();

private:
    // The file's words, read afresh when its path, size or time changed.
    const std::vector<std::string>& palabras();
    // Positions in palabras() of the words equal to the tag.
    const std::vector<std::size_t>& ocurrencias(const std::string& etiqueta);
    // Keeps the first word that ends a run of the current lookup and pareceNumero.
    void anotarCorte(const std::string& palabra);

    std::string nombreArchivo;

    std::string archivoLeido;
    std::uintmax_t tamanoLeido = 0;
    std::filesystem::file_time_type fechaLeida;
    bool leido = false;
    bool utf16 = false;
    std::vector<std::string> palabrasLeidas;
    std::unordered_map<std::string, std::vector<std::size_t>> posiciones;
    std::string numeroMalEscrito;
};

// Word-to-number conversions of the reader: the longest numeric prefix, as the
// C library reads it; a word without one gives 0, and one that holds more than
// its prefix gives the prefix, each with a warning line naming the word.
double convertirReal(const std::string& palabra);
int convertirEntero(const std::string& palabra);
