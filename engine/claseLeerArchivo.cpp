#include "claseLeerArchivo.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include <sys/stat.h>

namespace {

// Longest quote, in bytes, before a word is cut; far above any real name or number.
const std::size_t largoDeCita = 60;

// The longest numeric prefix of a word, as strtod reads it, and how the word
// departs from a plain number.
struct LecturaReal {
    double valor = 0;
    // The word holds more than the prefix, or has none (then valor is 0).
    bool resto = false;
    // Beyond the range of a double strtod gives ±infinity, which no result
    // survives; below it 0, which reads like a value the user wrote.
    bool desborda = false;
    bool diminuta = false;
};

LecturaReal leerReal(const std::string& palabra)
{
    const char* inicio = palabra.c_str();
    char* fin = nullptr;
    errno = 0;
    LecturaReal lectura;
    lectura.valor = std::strtod(inicio, &fin);
    // A NUL inside the word ends the C string early; the bytes after it count.
    lectura.resto = static_cast<std::size_t>(fin - inicio) != palabra.size();
    lectura.desborda = errno == ERANGE && std::isinf(lectura.valor);
    lectura.diminuta = errno == ERANGE && lectura.valor == 0;
    return lectura;
}

// What the warning line says of the word, before the value; empty for a plain
// number. One word gets one line, naming all that is wrong with it.
std::string faltaDe(const LecturaReal& l)
{
    if (l.resto && l.desborda) return "no es un número y su comienzo excede el rango de los reales";
    if (l.resto && l.diminuta) return "no es un número y su comienzo es demasiado pequeño para los reales";
    if (l.resto) return "no es un número";
    if (l.desborda) return "excede el rango de los reales";
    if (l.diminuta) return "es demasiado pequeña para los reales";
    if (!std::isfinite(l.valor)) return "no es un número finito";
    return "";
}

struct LecturaEntero {
    int valor = 0;
    std::string falta;
};

LecturaEntero leerEntero(const std::string& palabra)
{
    const char* inicio = palabra.c_str();
    char* fin = nullptr;
    errno = 0;
    const long largo = std::strtol(inicio, &fin, 10);
    const bool fueraDeRango = errno == ERANGE || largo > INT_MAX || largo < INT_MIN;
    // strtol clamps to the range of long; narrow the same way to int.
    const int valor = largo > INT_MAX ? INT_MAX : largo < INT_MIN ? INT_MIN : static_cast<int>(largo);
    if (fin != inicio && static_cast<std::size_t>(fin - inicio) == palabra.size()) {
        return {valor, fueraDeRango ? "excede el rango de los enteros" : ""};
    }
    // A real, such as 2.5, 2.0 or 1e1, is a number, only not one written as an
    // integer: its integer prefix is what is read.
    const LecturaReal real = leerReal(palabra);
    if (real.resto) return {valor, "no es un número"};
    if (real.desborda || real.diminuta) return {valor, "no es un número entero"};
    if (!std::isfinite(real.valor)) return {valor, "no es un número finito"};
    return {valor,
            real.valor == std::trunc(real.valor) ? "no está escrita como número entero" : "no es un número entero"};
}

std::string textoDe(double valor) { return textoDeReal(valor); }
std::string textoDe(int valor) { return std::to_string(valor); }

// The line of a word that is not plainly a number, when falta says so, ends
// with the value read.
template <class Numero>
Numero avisarLectura(const std::string& palabra, const std::string& falta, Numero valor)
{
    if (!falta.empty()) avisarPalabra(palabra, falta, "; se lee como ", textoDe(valor));
    return valor;
}

// A setting's word that is not plainly a number: the line ends with the value
// the setting takes, the one read or the default.
template <class Numero>
Numero tomarAjuste(const std::string& palabra, const std::string& falta, const std::string& etiqueta, Numero leido,
                   Numero porDefecto, bool (*tomar)(Numero))
{
    if (tomar(leido)) return avisarLectura(palabra, falta, leido);
    if (!falta.empty()) {
        avisarPalabra(palabra, falta, "; ", etiqueta, " conserva su valor por defecto, ", textoDe(porDefecto));
    }
    return porDefecto;
}

// The escape of the control character at i and its length in bytes, or
// nothing: C0 controls and DEL as \xHH, C1 controls (UTF-8 C2 80 to C2 9F) as \u00HH.
std::size_t escapeDeControl(const std::string& texto, std::size_t i, std::string& escape)
{
    const unsigned char c = static_cast<unsigned char>(texto[i]);
    char hex[8];
    if (c < 0x20 || c == 0x7F) {
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        escape = hex;
        return 1;
    }
    const unsigned char siguiente = i + 1 < texto.size() ? static_cast<unsigned char>(texto[i + 1]) : 0;
    if (c == 0xC2 && siguiente >= 0x80 && siguiente <= 0x9F) {
        std::snprintf(hex, sizeof hex, "\\u00%02x", siguiente);
        escape = hex;
        return 2;
    }
    return 0;
}

// The quote of the character at i, which ends before the next byte that does
// not continue a UTF-8 sequence; advances i past it.
std::string caracterCitado(const std::string& texto, std::size_t& i)
{
    std::string escape;
    if (const std::size_t largo = escapeDeControl(texto, i, escape)) {
        i += largo;
        return escape;
    }
    const std::size_t inicio = i++;
    while (i < texto.size() && (static_cast<unsigned char>(texto[i]) & 0xC0) == 0x80) ++i;
    return texto.substr(inicio, i - inicio);
}

}  // namespace

void avisarMatrizIncompleta(const std::string& etiqueta)
{
    std::cout << "Faltan datos para completar la matriz " << etiqueta << std::endl;
}

// Whole characters only, so no character or escape is split by the cut.
std::string citar(const std::string& palabra)
{
    std::string cita;
    std::size_t i = 0;
    while (i < palabra.size()) {
        const std::string caracter = caracterCitado(palabra, i);
        if (cita.size() + caracter.size() > largoDeCita) return cita + "…";
        cita += caracter;
    }
    return cita;
}

std::string enumerar(const std::vector<std::string>& nombres, const std::string& otras)
{
    const std::size_t nombrados = std::min<std::size_t>(nombres.size(), 10);
    std::string texto;
    for (std::size_t k = 0; k < nombrados; ++k) {
        if (k > 0) texto += k + 1 == nombres.size() ? " y " : ", ";
        texto += nombres[k];
    }
    if (nombrados < nombres.size()) texto += " y " + otras + " " + std::to_string(nombres.size() - nombrados);
    return texto;
}

std::string textoDeReal(double valor)
{
    char texto[32];
    const std::to_chars_result escrito = std::to_chars(texto, texto + sizeof texto, valor);
    return std::string(texto, escrito.ptr);
}

double convertirReal(const std::string& palabra)
{
    const LecturaReal lectura = leerReal(palabra);
    return avisarLectura(palabra, faltaDe(lectura), lectura.valor);
}

int convertirEntero(const std::string& palabra)
{
    const LecturaEntero lectura = leerEntero(palabra);
    return avisarLectura(palabra, lectura.falta, lectura.valor);
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

const char marcaDeOrden[] = "\xEF\xBB\xBF";
const std::size_t largoDeMarca = 3;

// Past the UTF-8 byte-order mark that editors put before text with accents.
std::size_t inicioDelTexto(const std::string& texto)
{
    return texto.compare(0, largoDeMarca, marcaDeOrden) == 0 ? largoDeMarca : 0;
}

// Marks after the first are text: they stay glued to the first word, which
// then matches no tag. Said when more than marks is glued, so the block that
// word opens is not lost without a line.
void avisarMarcasSobrantes(const std::vector<std::string>& palabras)
{
    if (palabras.empty()) return;
    const std::string& primera = palabras.front();
    std::size_t fin = 0;
    while (primera.compare(fin, largoDeMarca, marcaDeOrden) == 0) fin += largoDeMarca;
    const std::size_t pegadas = fin / largoDeMarca;
    if (pegadas == 0 || fin == primera.size()) return;
    const std::string palabra = citar(primera.substr(fin));
    std::cout << "Advertencia: el archivo de entrada empieza con " << pegadas + 1
              << " marcas de orden de bytes (BOM); solo la primera se pasa por alto, así que la palabra \"" << palabra
              << "\" empieza con " << (pegadas == 1 ? "una marca" : std::to_string(pegadas) + " marcas")
              << " y no se lee como \"" << palabra << "\"" << std::endl;
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
    if (!utf16) {
        partirEnPalabras(texto, inicioDelTexto(texto), palabrasLeidas);
        avisarMarcasSobrantes(palabrasLeidas);
    }
    leido = true;
    archivoLeido = nombreArchivo;
    regularLeido = regular;
    tamanoLeido = tamano;
    segundosLeidos = segundos;
    nanosegundosLeidos = nanosegundos;
    ++recorridos;
    return palabrasLeidas;
}

const std::vector<std::size_t>& claseLeerArchivo::ocurrencias(const std::string& etiqueta)
{
    const std::vector<std::string>& todas = palabras();
    auto hallada = posiciones.find(etiqueta);
    if (hallada != posiciones.end()) return hallada->second;
    ++recorridos;
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

// A lookup of the value alone takes every value the word gives.
int claseLeerArchivo::getEntero(std::string etiqueta)
{
    return getEntero(etiqueta, -1, [](int) { return true; });
}

double claseLeerArchivo::getReal(std::string etiqueta)
{
    return getReal(etiqueta, -1.0, [](double) { return true; });
}

double claseLeerArchivo::getReal(const std::string& etiqueta, double porDefecto, bool (*tomar)(double))
{
    std::string palabra;
    if (!palabraTrasLaUltima(etiqueta, "real", palabra)) return porDefecto;
    const LecturaReal lectura = leerReal(palabra);
    return tomarAjuste(palabra, faltaDe(lectura), etiqueta, lectura.valor, porDefecto, tomar);
}

int claseLeerArchivo::getEntero(const std::string& etiqueta, int porDefecto, bool (*tomar)(int))
{
    std::string palabra;
    if (!palabraTrasLaUltima(etiqueta, "entero", palabra)) return porDefecto;
    const LecturaEntero lectura = leerEntero(palabra);
    return tomarAjuste(palabra, lectura.falta, etiqueta, lectura.valor, porDefecto, tomar);
}

bool claseLeerArchivo::palabraTrasLaUltima(const std::string& etiqueta, const char* tipo, std::string& palabra)
{
    Palabras p(palabras());
    if (ultimoValor(p, etiqueta, palabra)) return true;
    std::cout << "Advertencia: no se encontró ningún " << tipo << " con etiqueta " << etiqueta << std::endl;
    return false;
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
