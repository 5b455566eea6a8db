#include "claseLeerArchivo.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include <sys/stat.h>

namespace {

// A word that is not wholly a number: nothing of it is numeric (read as 0), or
// only a prefix is, as in 2,5 or 1-2, which is read but is not what was written.
template <class Numero>
void avisarNoEsNumero(const std::string& palabra, Numero valor)
{
    avisarPalabra(palabra, "no es un número; se lee como ", valor);
}

// Longest quote, in bytes, before a word is cut; far above any real name or number.
const std::size_t largoDeCita = 60;

}  // namespace

void avisarMatrizIncompleta(const std::string& etiqueta)
{
    std::cout << "Faltan datos para completar la matriz " << etiqueta << std::endl;
}

std::string citar(const std::string& palabra)
{
    if (palabra.size() <= largoDeCita) return palabra;
    std::size_t corte = largoDeCita;
    // Back to the start of a UTF-8 character, so no character is split.
    while (corte > 0 && (static_cast<unsigned char>(palabra[corte]) & 0xC0) == 0x80) --corte;
    return palabra.substr(0, corte) + "…";
}

double convertirReal(const std::string& palabra)
{
    const char* inicio = palabra.c_str();
    char* fin = nullptr;
    errno = 0;
    const double valor = std::strtod(inicio, &fin);
    if (fin == inicio) {
        avisarNoEsNumero(palabra, 0);
        return 0.0;
    }
    if (*fin != '\0') avisarNoEsNumero(palabra, valor);
    // Beyond the range of a double strtod gives ±infinity, which no result survives.
    if (errno == ERANGE && std::isinf(valor)) {
        avisarPalabra(palabra, "excede el rango de los reales; se lee como ", valor);
    }
    // Below it strtod gives 0, which reads like a value the user wrote.
    if (errno == ERANGE && valor == 0) {
        avisarPalabra(palabra, "es demasiado pequeña para los reales; se lee como 0");
    }
    if (*fin == '\0' && errno != ERANGE && !std::isfinite(valor)) {
        avisarPalabra(palabra, "no es un número finito; se lee como ", valor);
    }
    return valor;
}

int convertirEntero(const std::string& palabra)
{
    const char* inicio = palabra.c_str();
    char* fin = nullptr;
    errno = 0;
    const long largo = std::strtol(inicio, &fin, 10);
    const bool fueraDeRango = errno == ERANGE || largo > INT_MAX || largo < INT_MIN;
    // strtol clamps to the range of long; narrow the same way to int.
    const int valor = largo > INT_MAX ? INT_MAX : largo < INT_MIN ? INT_MIN : static_cast<int>(largo);
    if (fin != inicio && *fin == '\0') {
        if (fueraDeRango) avisarPalabra(palabra, "excede el rango de los enteros; se lee como ", valor);
        return valor;
    }
    // A real, such as 2.5, 2.0 or 1e1, is a number, only not one written as an
    // integer: its integer prefix is what is read.
    char* finReal = nullptr;
    const double real = std::strtod(inicio, &finReal);
    if (finReal != inicio && *finReal == '\0' && std::isfinite(real)) {
        avisarPalabra(palabra, real == std::trunc(real) ? "no está escrita como número entero" : "no es un número entero",
                      "; se lee como ", valor);
    } else {
        avisarNoEsNumero(palabra, valor);
    }
    return valor;
}

namespace {

// The file's bytes; nothing for a file that cannot be read, such as a
// directory, or opened, such as one without read permission.
std::string contenidoDe(const std::string& ruta, bool& abierto)
{
    std::ifstream archivo(ruta, std::ios::binary);
    abierto = archivo.is_open();
    std::ostringstream contenido;
    contenido << archivo.rdbuf();  // a read error sets failbit here instead of throwing
    return contenido.str();
}

// UTF-16 text: its byte-order mark, or without one the NUL byte that every
// ASCII character carries in the same half of its two bytes. UTF-8 and ASCII
// text never hold a NUL.
bool esTextoUtf16(const std::string& texto)
{
    if (texto.compare(0, 2, "\xFF\xFE") == 0 || texto.compare(0, 2, "\xFE\xFF") == 0) return true;
    if (texto.empty() || texto.size() % 2 != 0) return false;
    std::size_t ceros[2] = {0, 0};
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '\0') ++ceros[i % 2];
    }
    const std::size_t unidades = texto.size() / 2;
    return (ceros[0] == 0 && 2 * ceros[1] >= unidades) || (ceros[1] == 0 && 2 * ceros[0] >= unidades);
}

// Past the UTF-8 byte-order mark that editors put before text with accents.
std::size_t inicioDelTexto(const std::string& texto)
{
    return texto.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
}

// Bytes of the blank at i: the blanks of stream extraction, and the UTF-8
// no-break space that text pasted from documents holds between numbers.
std::size_t anchoDeBlanco(const std::string& texto, std::size_t i)
{
    switch (texto[i]) {
    case ' ': case '\t': case '\n': case '\r': case '\v': case '\f':
        return 1;
    case '\xC2':
        return i + 1 < texto.size() && texto[i + 1] == '\xA0' ? 2 : 0;
    default:
        return 0;
    }
}

void partirEnPalabras(const std::string& texto, std::size_t inicio, std::vector<std::string>& palabras)
{
    std::size_t palabra = inicio;
    std::size_t i = inicio;
    while (i < texto.size()) {
        const std::size_t ancho = anchoDeBlanco(texto, i);
        if (ancho == 0) {
            ++i;
            continue;
        }
        if (i > palabra) palabras.push_back(texto.substr(palabra, i - palabra));
        i += ancho;
        palabra = i;
    }
    if (i > palabra) palabras.push_back(texto.substr(palabra, i - palabra));
}

// A cursor over the file's words, in file order.
class Palabras {
public:
    explicit Palabras(const std::vector<std::string>& palabras) : todas(palabras) {}
    bool siguiente(std::string& palabra)
    {
        if (pos >= todas.size()) return false;
        palabra = todas[pos++];
        return true;
    }
    void irA(std::size_t p) { pos = p; }
    // Position of the word the latest siguiente() returned.
    std::size_t ultima() const { return pos - 1; }

private:
    const std::vector<std::string>& todas;
    std::size_t pos = 0;
};

// Skips `salto` words; false when the file ends first.
bool saltar(Palabras& p, int salto)
{
    std::string palabra;
    for (int i = 0; i < salto; ++i) {
        if (!p.siguiente(palabra)) return false;
    }
    return true;
}

// Places the cursor right after the n-th occurrence; false when there is none.
bool irAOcurrencia(Palabras& p, const std::vector<std::size_t>& ocurrencias, int n)
{
    if (n < 1 || static_cast<std::size_t>(n) > ocurrencias.size()) return false;
    p.irA(ocurrencias[n - 1] + 1);
    return true;
}

// The word after the last occurrence of the tag; a word read as a value is not
// itself taken as an occurrence. False when no occurrence is followed by a word.
bool ultimoValor(Palabras& p, const std::string& etiqueta, std::string& valor)
{
    std::string palabra;
    bool hallado = false;
    while (p.siguiente(palabra)) {
        if (palabra == etiqueta && p.siguiente(valor)) hallado = true;
    }
    return hallado;
}

// Appends the run of number words after the cursor; returns where it ended.
FinDeCorrida corridaTrasElCursor(Palabras& p, std::vector<std::string>& numeros)
{
    std::string palabra;
    while (p.siguiente(palabra)) {
        if (!claseLeerArchivo::esNumero(palabra)) return {palabra, p.ultima()};
        numeros.push_back(palabra);
    }
    return {};
}

// The factor-and-name pairs after the cursor, until a factor place holds no
// number; the factors stay words.
ListaDeFactores factoresTrasElCursor(Palabras& p)
{
    ListaDeFactores lista;
    std::string factor;
    std::string nombre;
    while (p.siguiente(factor)) {
        if (!claseLeerArchivo::esNumero(factor)) {
            lista.fin = {factor, p.ultima()};
            break;
        }
        if (!p.siguiente(nombre)) break;
        lista.palabrasDeFactores.push_back(factor);
        lista.nombres.push_back(nombre);
    }
    return lista;
}

}  // namespace

claseLeerArchivo::claseLeerArchivo() = default;

void claseLeerArchivo::setNombreArchivo(std::string nombre)
{
    nombreArchivo = nombre;
}

// One stat call tells the kind, size and time of the file; a missing file is
// no regular one.
const std::vector<std::string>& claseLeerArchivo::palabras()
{
    struct stat datos {};
    const bool regular = stat(nombreArchivo.c_str(), &datos) == 0 && S_ISREG(datos.st_mode);
    const long long tamano = regular ? static_cast<long long>(datos.st_size) : 0;
    const long long segundos = regular ? static_cast<long long>(datos.st_mtim.tv_sec) : 0;
    const long nanosegundos = regular ? static_cast<long>(datos.st_mtim.tv_nsec) : 0;
    if (leido && archivoLeido == nombreArchivo && regularLeido == regular && tamanoLeido == tamano &&
        segundosLeidos == segundos && nanosegundosLeidos == nanosegundos) {
        return palabrasLeidas;
    }
    // The input file is only ever read: a read-only file reads like any other,
    // a missing one like an empty one.
    palabrasLeidas.clear();
    posiciones.clear();
    abierto = false;
    const std::string texto = regular ? contenidoDe(nombreArchivo, abierto) : std::string();
    utf16 = esTextoUtf16(texto);
    if (!utf16) partirEnPalabras(texto, inicioDelTexto(texto), palabrasLeidas);
    leido = true;
    archivoLeido = nombreArchivo;
    regularLeido = regular;
    tamanoLeido = tamano;
    segundosLeidos = segundos;
    nanosegundosLeidos = nanosegundos;
    return palabrasLeidas;
}

const std::vector<std::size_t>& claseLeerArchivo::ocurrencias(const std::string& etiqueta)
{
    const std::vector<std::string>& todas = palabras();
    auto hallada = posiciones.find(etiqueta);
    if (hallada != posiciones.end()) return hallada->second;
    std::vector<std::size_t>& lista = posiciones[etiqueta];
    for (std::size_t i = 0; i < todas.size(); ++i) {
        if (todas[i] == etiqueta) lista.push_back(i);
    }
    return lista;
}

bool claseLeerArchivo::esNumero(std::string palabra)
{
    return palabra.find_first_not_of("1234567890+-.e") == std::string::npos;
}

bool claseLeerArchivo::pareceNumero(std::string palabra)
{
    return !palabra.empty() && std::string("1234567890+-.").find(palabra[0]) != std::string::npos &&
           !esNumero(palabra);
}

bool claseLeerArchivo::noEsFinito(std::string palabra)
{
    std::string sinSigno = !palabra.empty() && (palabra[0] == '+' || palabra[0] == '-') ? palabra.substr(1) : palabra;
    for (char& c : sinSigno) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (sinSigno == "inf" || sinSigno == "infinity" || sinSigno == "nan") return true;
    // strtod also takes nan(chars), the chars letters, digits and underscores.
    if (sinSigno.size() < 5 || sinSigno.compare(0, 4, "nan(") != 0 || sinSigno.back() != ')') return false;
    return std::all_of(sinSigno.begin() + 4, sinSigno.end() - 1,
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

bool claseLeerArchivo::esNumeroMalEscrito(const std::string& palabra)
{
    return pareceNumero(palabra) || noEsFinito(palabra);
}

bool claseLeerArchivo::sePudoAbrir()
{
    palabras();
    return abierto;
}

bool claseLeerArchivo::esUtf16()
{
    palabras();
    return utf16;
}

const std::vector<std::string>& claseLeerArchivo::getPalabras()
{
    return palabras();
}

int claseLeerArchivo::getNoEtiquetas(std::string etiqueta)
{
    return static_cast<int>(ocurrencias(etiqueta).size());
}

int claseLeerArchivo::getEntero(std::string etiqueta)
{
    std::string valor;
    Palabras p(palabras());
    if (!ultimoValor(p, etiqueta, valor)) {
        std::cout << "Advertencia: no se encontró ningún entero con etiqueta " << etiqueta << std::endl;
        return -1;
    }
    return convertirEntero(valor);
}

double claseLeerArchivo::getReal(std::string etiqueta)
{
    std::string valor;
    Palabras p(palabras());
    if (!ultimoValor(p, etiqueta, valor)) {
        std::cout << "Advertencia: no se encontró ningún real con etiqueta " << etiqueta << std::endl;
        return -1.0;
    }
    return convertirReal(valor);
}

std::string claseLeerArchivo::getString(std::string etiqueta, int n)
{
    const std::vector<std::size_t>& donde = ocurrencias(etiqueta);
    Palabras p(palabrasLeidas);
    std::string palabra;
    if (irAOcurrencia(p, donde, n) && p.siguiente(palabra)) return palabra;
    return "";
}

Eigen::MatrixXd claseLeerArchivo::getMatriz(std::string etiqueta, int columnas)
{
    const Tabla tabla = leerMatriz(etiqueta, columnas);
    if (!tabla.completa) avisarMatrizIncompleta(etiqueta);
    return tabla.matriz;
}

std::vector<double> claseLeerArchivo::getMatrizEtiquetaRepetida(std::string etiqueta, int n, int salto)
{
    return leerCorrida(etiqueta, n, salto).valores;
}

std::vector<double> claseLeerArchivo::getFactoresEtiqueta(std::string etiqueta, int n, int salto)
{
    return leerFactores(etiqueta, n, salto).factores;
}

// Walks the same words as getFactoresEtiqueta without converting the factors,
// so it prints nothing.
std::vector<std::string> claseLeerArchivo::getNombresDeFactores(std::string etiqueta, int n, int salto)
{
    const std::vector<std::size_t>& donde = ocurrencias(etiqueta);
    Palabras p(palabrasLeidas);
    if (!irAOcurrencia(p, donde, n) || !saltar(p, salto)) return {};
    return factoresTrasElCursor(p).nombres;
}

// Repeated tag: the runs of all occurrences are joined in file order, exactly
// the number words that the count saw, so the table never takes a word that is
// no number nor reads past the file. A tag given once reads as the plain run.
Tabla claseLeerArchivo::leerMatriz(const std::string& etiqueta, int columnas)
{
    Tabla tabla;
    Palabras p(palabras());
    std::string palabra;
    std::vector<std::string> numeros;
    while (p.siguiente(palabra)) {
        if (palabra == etiqueta) tabla.fines.push_back(corridaTrasElCursor(p, numeros));
    }

    const int cuenta = static_cast<int>(numeros.size());
    tabla.numeros = cuenta;
    tabla.palabras = numeros;
    if (columnas < 1 || cuenta % columnas != 0) {
        tabla.completa = false;
        tabla.matriz = Eigen::MatrixXd(0, 0);
        return tabla;
    }
    const int filas = cuenta / columnas;
    tabla.matriz = Eigen::MatrixXd(filas, columnas);
    for (int k = 0; k < cuenta; ++k) {
        tabla.matriz(k / columnas, k % columnas) = convertirReal(numeros[k]);
    }
    return tabla;
}

Corrida claseLeerArchivo::leerCorrida(const std::string& etiqueta, int n, int salto)
{
    Corrida corrida;
    const std::vector<std::size_t>& donde = ocurrencias(etiqueta);
    Palabras p(palabrasLeidas);
    if (!irAOcurrencia(p, donde, n) || !saltar(p, salto)) return corrida;
    std::vector<std::string> numeros;
    corrida.fin = corridaTrasElCursor(p, numeros);
    for (const std::string& numero : numeros) corrida.valores.push_back(convertirReal(numero));
    corrida.palabras = numeros;
    return corrida;
}

ListaDeFactores claseLeerArchivo::leerFactores(const std::string& etiqueta, int n, int salto)
{
    const std::vector<std::size_t>& donde = ocurrencias(etiqueta);
    Palabras p(palabrasLeidas);
    if (!irAOcurrencia(p, donde, n) || !saltar(p, salto)) return {};
    ListaDeFactores lista = factoresTrasElCursor(p);
    for (const std::string& f : lista.palabrasDeFactores) lista.factores.push_back(convertirReal(f));
    return lista;
}
