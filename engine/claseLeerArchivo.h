#pragma once

#include <cstddef>
#include <iostream>
#include <string>
#include <unordered_map>
#include <vector>

#include <Eigen/Core>

// Where a run of numbers or a factor list ended: the word that ended it and
// its position in getPalabras(). An empty word at npos when the file ended
// first.
struct FinDeCorrida {
    std::string palabra;
    std::size_t posicion = std::string::npos;
};

// The run of numbers after one occurrence of a tag.
struct Corrida {
    std::vector<double> valores;
    std::vector<std::string> palabras;  // each value's word, as written
    FinDeCorrida fin;
};

// A factor-and-name list: the i-th factor, read from the i-th word of
// palabrasDeFactores, belongs to the i-th name.
struct ListaDeFactores {
    std::vector<double> factores;
    std::vector<std::string> palabrasDeFactores;
    std::vector<std::string> nombres;
    FinDeCorrida fin;
};

// A table: its rows, the number words counted for it (also when they form no
// whole rows and the table is empty), whether they formed whole rows, and
// where the run of each occurrence ended, in file order. getMatriz prints the
// line of a table without whole rows; leerMatriz leaves it to its caller, so
// that the word that cut the table can be named first.
struct Tabla {
    Eigen::MatrixXd matriz;
    std::vector<std::string> palabras;  // the number words counted, as written
    int numeros = 0;
    bool completa = true;
    std::vector<FinDeCorrida> fines;
};

// Reader of the tagged input file. The file is a flat sequence of
// whitespace-separated words, in UTF-8 or ASCII text: a leading byte-order mark
// is no part of the first word and a no-break space separates words. Further
// marks right after the first stay in the first word; the reader says so as
// it reads the file. The words are kept with an index of the positions of
// each tag asked for, so a file of many blocks does not cost blocks x length.
// Each lookup looks up the file's size and time on disk and reads the words
// again when they changed, so every lookup sees its current content. A path
// that is no regular file (a pipe, a FIFO, a directory) reads as empty without
// being opened: opening a FIFO with no writer would block, and reading a pipe
// would consume it.
class claseLeerArchivo {
public:
    claseLeerArchivo();

    void setNombreArchivo(std::string nombre);
    // Passes over the whole file made to find a lookup's place: a read from
    // disk, or the indexing of a tag. Many lookups of an unchanged file cost
    // one read and one indexing per tag.
    int getRecorridos() const { return recorridos; }

    int getNoEtiquetas(std::string etiqueta);
    int getEntero(std::string etiqueta);
    double getReal(std::string etiqueta);
    std::string getString(std::string etiqueta, int n);
    Eigen::MatrixXd getMatriz(std::string etiqueta, int columnas);
    std::vector<double> getMatrizEtiquetaRepetida(std::string etiqueta, int n, int salto);
    std::vector<double> getFactoresEtiqueta(std::string etiqueta, int n, int salto);
    std::vector<std::string> getNombresDeFactores(std::string etiqueta, int n, int salto);

    // A setting after the last occurrence of the tag: the value read when
    // tomar accepts it, else porDefecto. A missing tag gets getReal's or
    // getEntero's line; a word that is not plainly a number gets one line
    // that ends with the value the setting takes.
    double getReal(const std::string& etiqueta, double porDefecto, bool (*tomar)(double));
    int getEntero(const std::string& etiqueta, int porDefecto, bool (*tomar)(int));

    // The lookups above with what they found beside their values; the get*
    // ones return the values alone.
    Tabla leerMatriz(const std::string& etiqueta, int columnas);
    Corrida leerCorrida(const std::string& etiqueta, int n, int salto);
    ListaDeFactores leerFactores(const std::string& etiqueta, int n, int salto);

    // Tests of one word, which need no file.
    static bool esNumero(std::string palabra);
    // A word that begins as a number does (a digit, a sign or a point) but
    // fails esNumero, such as 2,1e7 or 2.1E7.
    static bool pareceNumero(std::string palabra);
    // A word the C library reads as an infinity or NaN: inf, infinity, nan or
    // nan(chars), in any letter case, with or without a sign.
    static bool noEsFinito(std::string palabra);
    // A word that ends a run where the user most likely meant a number: it
    // pareceNumero or noEsFinito.
    static bool esNumeroMalEscrito(const std::string& palabra);

    // Whether the path is a regular file that could be opened for reading,
    // as the latest look at it found.
    bool sePudoAbrir();
    // UTF-16 text holds no words this reader can match, so it reads as empty.
    bool esUtf16();
    // Every word of the file, in file order.
    const std::vector<std::string>& getPalabras();

private:
    // The file's words, read afresh when its path, size or time changed.
    const std::vector<std::string>& palabras();
    // Positions of the words equal to the tag in the file's current words,
    // which it reads first: a lookup that walks them after this call walks
    // palabrasLeidas with one look at the file.
    const std::vector<std::size_t>& ocurrencias(const std::string& etiqueta);
    // The word after the last occurrence of the tag; false, with the line of a
    // missing "real" or "entero" (tipo), when no occurrence is followed by one.
    bool palabraTrasLaUltima(const std::string& etiqueta, const char* tipo, std::string& palabra);

    std::string nombreArchivo;

    std::string archivoLeido;
    bool regularLeido = false;
    long long tamanoLeido = 0;
    long long segundosLeidos = 0;
    long nanosegundosLeidos = 0;
    bool leido = false;
    bool abierto = false;
    bool utf16 = false;
    std::vector<std::string> palabrasLeidas;
    std::unordered_map<std::string, std::vector<std::size_t>> posiciones;
    int recorridos = 0;
};

// Word-to-number conversions of the reader: the longest numeric prefix, as the
// C library reads it; a word without one gives 0, and one that holds more than
// its prefix gives the prefix. A word that is not plainly a number (no prefix,
// more than it, an infinity or NaN, a value beyond or below the range) gets
// one warning line naming the word and the value read.
double convertirReal(const std::string& palabra);
int convertirEntero(const std::string& palabra);

// The shortest text that reads back as the same double: 0.0123456789, 1e+20, inf.
std::string textoDeReal(double valor);

// The line of a table whose numbers form no whole rows of its columns.
void avisarMatrizIncompleta(const std::string& etiqueta);

// A word of the file as a warning quotes it: whole when short, else its
// beginning and an ellipsis, so a runaway word does not flood the console.
// Control characters, which a terminal would act on or not show, are written
// as escapes: a NUL as \x00, ESC as \x1b, U+009B as \u009b.
std::string citar(const std::string& palabra);

// "A", "A y B", "A, B y C"; a long list names its first ten, then
// "y otras N" (otras: the word for the rest).
std::string enumerar(const std::vector<std::string>& nombres, const std::string& otras = "otras");

// The warning line about one word of the file:
// Advertencia: la palabra "<word, quoted by citar>" <the parts, in order>
template <class... Partes>
void avisarPalabra(const std::string& palabra, const Partes&... partes)
{
    std::cout << "Advertencia: la palabra \"" << citar(palabra) << "\" ";
    (std::cout << ... << partes) << std::endl;
}
