// The builder: reads the input file and fills the model, the phase that runs
// first at start-up and on F5. Reads nombreArchivo; writes noNudos, noBarras,
// noCombos, nudo, barra and the display settings (escala*, precision).
#include "vardel2d.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "claseLeerArchivo.h"

namespace {

// User number (as written in the file) to internal number (position in nudo or
// barra). A map, so its size follows the rows and not the largest number.
using Puntero = std::unordered_map<int, int>;

// User number of a bar row that was not built, to the undefined node it names.
using BarrasOmitidas = std::unordered_map<int, double>;

// Numbers in a row of the node and bar tables: user number and two more.
const int columnasDeTabla = 3;

struct FilaNudo {
    int numero;
    double x;
    double y;
};

// A bar row whose three numbers all resolve.
struct FilaBarra {
    int numero;
    int nudoInicioUsuario;
    int nudoFinalUsuario;
    int inicio;
    int fin;
};

// Truncation toward zero, only for values that an int holds: NaN, the
// infinities and values beyond int's range are no user number.
bool aEntero(double valor, int& entero)
{
    if (!(valor > -2147483649.0 && valor < 2147483648.0)) return false;
    entero = static_cast<int>(valor);
    return true;
}

// The number as the builder uses it: truncated when it can be, else as read.
std::string textoNumero(double valor)
{
    int entero;
    if (aEntero(valor, entero)) return std::to_string(entero);
    std::ostringstream texto;
    texto.precision(17);
    texto << valor;
    return texto.str();
}

bool buscar(const Puntero& puntero, double valor, int& interno)
{
    int numero;
    if (!aEntero(valor, numero)) return false;
    auto it = puntero.find(numero);
    if (it == puntero.end()) return false;
    interno = it->second;
    return true;
}

// Lookups of the numbers that a row or a block lists. A number that no row
// defines names nothing: one line, and the caller skips that item.
bool buscarNudo(const Puntero& punteroNudos, const std::string& etiqueta, double valor, int& interno,
                const std::string& omitido = "")
{
    if (buscar(punteroNudos, valor, interno)) return true;
    std::cout << "Advertencia: " << etiqueta << " nombra el nudo " << textoNumero(valor)
              << ", que no está definido; se omite" << omitido << std::endl;
    return false;
}

// A bar whose row was dropped is in the file: the line says why it is missing.
bool buscarBarra(const Puntero& punteroBarras, const BarrasOmitidas& barrasOmitidas, const std::string& etiqueta,
                 double valor, int& interno)
{
    if (buscar(punteroBarras, valor, interno)) return true;
    int numero;
    const auto omitida = aEntero(valor, numero) ? barrasOmitidas.find(numero) : barrasOmitidas.end();
    std::cout << "Advertencia: " << etiqueta << " nombra la barra " << textoNumero(valor);
    if (omitida != barrasOmitidas.end()) {
        std::cout << ", que se omitió porque su nudo " << textoNumero(omitida->second) << " no está definido";
    } else {
        std::cout << ", que no está definida";
    }
    std::cout << "; se omite" << std::endl;
    return false;
}

std::string enMinusculas(std::string texto)
{
    for (char& c : texto) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return texto;
}

// The tags, each with the data that open its block: a name first or not,
// then the numbers of its first row (for combo:, its first factor).
struct FormaDeEtiqueta {
    const char* etiqueta;
    bool conNombre;
    int numeros;
};

const FormaDeEtiqueta formasDeEtiqueta[] = {
    {"nudos:", false, 3},
    {"barras:", false, 3},
    {"apoyo:", false, 4},
    {"resorte:", false, 4},
    {"puntual:", true, 4},
    {"combo:", true, 1},
    {"seccionRectangular:", true, 4},
    {"seccionGenerica:", true, 4},
    {"distribuidaLocal:", true, 5},
    {"distribuidaGlobal:", true, 5},
    {"escalaDeflexion:", false, 1},
    {"escalaM:", false, 1},
    {"escalaV:", false, 1},
    {"escalaN:", false, 1},
    {"escalaTexto:", false, 1},
    {"escalaApoyo:", false, 1},
    {"precision:", false, 1},
    {"escalaCarga:", false, 1},
};

// Letters added, removed or changed, and neighbours swapped, to turn a into
// b; any count above `tope` is returned as tope + 1. Both are short: longer
// words are passed over before they come here.
std::size_t distanciaDeEdicion(const std::string& a, const std::string& b, std::size_t tope)
{
    const std::size_t n = a.size();
    const std::size_t m = b.size();
    if ((n > m ? n - m : m - n) > tope) return tope + 1;
    // Every letter of a that b lacks takes an edit of its own: a cheap bound
    // that spares the table for almost every word.
    std::size_t ajenas = 0;
    for (char c : a) ajenas += b.find(c) == std::string::npos;
    if (ajenas > tope) return tope + 1;
    std::vector<std::size_t> d((n + 1) * (m + 1));
    auto en = [&](std::size_t i, std::size_t j) -> std::size_t& { return d[i * (m + 1) + j]; };
    for (std::size_t i = 0; i <= n; ++i) en(i, 0) = i;
    for (std::size_t j = 0; j <= m; ++j) en(0, j) = j;
    for (std::size_t i = 1; i <= n; ++i) {
        for (std::size_t j = 1; j <= m; ++j) {
            const std::size_t cambio = a[i - 1] == b[j - 1] ? 0 : 1;
            en(i, j) = std::min({en(i - 1, j) + 1, en(i, j - 1) + 1, en(i - 1, j - 1) + cambio});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                en(i, j) = std::min(en(i, j), en(i - 2, j - 2) + 1);
            }
        }
    }
    return std::min(en(n, m), tope + 1);
}

// Edits a word may be away from a tag (without its colon) and still resemble
// it. Short tags allow one: "como" or "nodo" sit within two of "combo" and
// "nudos" in plain Spanish.
std::size_t edicionesPermitidas(const std::string& etiqueta)
{
    return etiqueta.size() > 6 ? 2 : 1;
}

// No word longer than this resembles a tag: the longest tag, colon included,
// plus the edits its letters allow.
const std::size_t largoParecido = [] {
    std::size_t largo = 0;
    for (const FormaDeEtiqueta& forma : formasDeEtiqueta) {
        const std::string etiqueta = forma.etiqueta;
        largo = std::max(largo, etiqueta.size() + edicionesPermitidas(etiqueta.substr(0, etiqueta.size() - 1)));
    }
    return largo;
}();

// The tag a word resembles, or null. A word resembles a tag when, ignoring
// letter case and one colon at its end, it equals the tag or differs from it
// by one letter added, removed, changed or two neighbours swapped, by up to
// two for tags of more than six letters.
const FormaDeEtiqueta* etiquetaParecida(const std::string& palabra)
{
    std::string base = enMinusculas(palabra);
    if (!base.empty() && base.back() == ':') base.pop_back();
    static const std::vector<std::string> etiquetas = [] {
        std::vector<std::string> sinDosPuntos;
        for (const FormaDeEtiqueta& forma : formasDeEtiqueta) {
            sinDosPuntos.push_back(enMinusculas(forma.etiqueta));
            sinDosPuntos.back().pop_back();
        }
        return sinDosPuntos;
    }();
    const FormaDeEtiqueta* mejor = nullptr;
    std::size_t menor = 3;
    for (std::size_t k = 0; k < etiquetas.size(); ++k) {
        const std::size_t tope = edicionesPermitidas(etiquetas[k]);
        const std::size_t d = distanciaDeEdicion(base, etiquetas[k], tope);
        if (d <= tope && d < menor) {
            menor = d;
            mejor = &formasDeEtiqueta[k];
        }
    }
    return mejor;
}

bool esCifra(claseLeerArchivo& lector, const std::string& palabra)
{
    return lector.esNumero(palabra) && palabra.find_first_of("0123456789") != std::string::npos;
}

// The words from i on could open a block of the tag: its name, if it takes
// one, then the numbers of its first row.
bool siguenDatos(claseLeerArchivo& lector, const std::vector<std::string>& palabras, std::size_t i,
                 const FormaDeEtiqueta& forma)
{
    if (forma.conNombre) {
        if (i >= palabras.size() || lector.esNumero(palabras[i])) return false;
        ++i;
    }
    for (int k = 0; k < forma.numeros; ++k, ++i) {
        if (i >= palabras.size() || !esCifra(lector, palabras[i])) return false;
    }
    return true;
}

// The tag the word is, or null.
const FormaDeEtiqueta* formaDe(const std::string& palabra)
{
    for (const FormaDeEtiqueta& forma : formasDeEtiqueta) {
        if (palabra == forma.etiqueta) return &forma;
    }
    return nullptr;
}

bool esEtiqueta(const std::string& palabra) { return formaDe(palabra) != nullptr; }

// Of a combination's pairs, those before the first whose case is a tag: that
// tag opens a block of its own, and the words after it are its data.
std::size_t paresConCaso(const std::vector<std::string>& casos)
{
    return static_cast<std::size_t>(std::find_if(casos.begin(), casos.end(), esEtiqueta) - casos.begin());
}

// The cases the combinations name, read without a line printed (no factor is
// converted), so the check below can run before any other lookup.
std::unordered_set<std::string> casosDeLasCombinaciones(claseLeerArchivo& lector)
{
    std::unordered_set<std::string> casos;
    const int bloques = lector.getNoEtiquetas("combo:");
    for (int k = 1; k <= bloques; ++k) {
        if (esEtiqueta(lector.getString("combo:", k))) continue;
        const std::vector<std::string> nombres = lector.getNombresDeFactores("combo:", k, 1);
        casos.insert(nombres.begin(), nombres.begin() + paresConCaso(nombres));
    }
    return casos;
}

// The tag the word at i begins with when the rest of it is the tag's data:
// a number, as in escalaM:0.5, or, for a tag that takes a name, the name,
// as in puntual:viento, when the numbers of the block's first row follow.
// Null otherwise.
const FormaDeEtiqueta* etiquetaPegada(claseLeerArchivo& lector, const std::vector<std::string>& palabras,
                                      std::size_t i)
{
    const std::string& palabra = palabras[i];
    for (const FormaDeEtiqueta& forma : formasDeEtiqueta) {
        const std::size_t largo = std::char_traits<char>::length(forma.etiqueta);
        if (palabra.size() <= largo || palabra.compare(0, largo, forma.etiqueta) != 0) continue;
        const std::string resto = palabra.substr(largo);
        if (esCifra(lector, resto)) return &forma;
        const FormaDeEtiqueta trasElNombre{forma.etiqueta, false, forma.numeros};
        if (forma.conNombre && !lector.esNumero(resto) && siguenDatos(lector, palabras, i + 1, trasElNombre)) {
            return &forma;
        }
    }
    return nullptr;
}

// A mistyped tag loses its whole block without a word, so a word that
// resembles a tag and is followed by that tag's data gets one line. Free text
// stays silent: its words rarely resemble a tag and are followed by more words,
// not by a block's data. A tag written together with its value is no tag
// either, and gets a line of its own. Names the file gives (a block's name, a
// combination's cases) are never taken for a tag. Runs before every other
// lookup, so these lines come before the lines about what the lost blocks
// break; returns the words it named.
std::unordered_set<std::string> avisarPalabrasComoEtiquetas(claseLeerArchivo& lector,
                                                            const std::unordered_set<std::string>& casos)
{
    std::unordered_set<std::string> conNombre;
    for (const FormaDeEtiqueta& forma : formasDeEtiqueta) {
        if (forma.conNombre) conNombre.insert(forma.etiqueta);
    }

    const std::vector<std::string>& palabras = lector.getPalabras();
    std::unordered_set<std::string> avisadas;
    for (std::size_t i = 0; i < palabras.size(); ++i) {
        const std::string& palabra = palabras[i];
        if (lector.esNumero(palabra) || esEtiqueta(palabra)) continue;
        if (i > 0 && conNombre.count(palabras[i - 1])) continue;
        if (casos.count(palabra) || avisadas.count(palabra)) continue;
        if (const FormaDeEtiqueta* pegada = etiquetaPegada(lector, palabras, i)) {
            avisadas.insert(palabra);
            avisarPalabra(palabra, "lleva la etiqueta \"", pegada->etiqueta,
                          esCifra(lector, palabra.substr(std::char_traits<char>::length(pegada->etiqueta)))
                              ? "\" pegada a su valor"
                              : "\" pegada a su nombre",
                          "; sepárelos con un espacio");
            continue;
        }
        if (palabra.size() > largoParecido) continue;
        // Every tag's data open with a number, or with a name and then a number.
        const bool numeroDespues = i + 1 < palabras.size() && esCifra(lector, palabras[i + 1]);
        const bool nombreYNumero = i + 2 < palabras.size() && !lector.esNumero(palabras[i + 1]) &&
                                   esCifra(lector, palabras[i + 2]);
        if (!numeroDespues && !nombreYNumero) continue;
        const FormaDeEtiqueta* forma = etiquetaParecida(palabra);
        if (forma == nullptr || !siguenDatos(lector, palabras, i + 1, *forma)) continue;
        avisadas.insert(palabra);
        avisarPalabra(palabra, "se parece a la etiqueta \"", forma->etiqueta, "\"; los datos que la siguen no se leen");
    }
    return avisadas;
}

// A name is never a tag: a tag in a block's name place means the name is
// missing, the block is left out, and that tag opens a block of its own. Said
// before any lookup, since that tag may be a table's, whose rows it changes.
void avisarBloquesSinNombre(claseLeerArchivo& lector)
{
    const std::vector<std::string>& palabras = lector.getPalabras();
    for (std::size_t i = 0; i + 1 < palabras.size(); ++i) {
        const FormaDeEtiqueta* forma = formaDe(palabras[i]);
        if (forma == nullptr || !forma->conNombre || !esEtiqueta(palabras[i + 1])) continue;
        std::cout << "Advertencia: el bloque \"" << palabras[i] << "\" no tiene nombre: lo sigue la etiqueta \""
                  << palabras[i + 1] << "\"; se omite" << std::endl;
    }
}

// A run cut short by a word that begins as a number does but is none (2,5,
// 2.1E7, 10kN) or by an infinity or NaN loses the values after it; say so,
// once for each run read. True when it said so.
bool avisarNumeroMalEscrito(claseLeerArchivo& lector, const FinDeCorrida& fin, const std::string& etiqueta)
{
    const std::string& palabra = fin.palabra;
    if (!lector.esNumeroMalEscrito(palabra)) return false;
    if (lector.noEsFinito(palabra)) {
        avisarPalabra(palabra, "después de \"", etiqueta, "\" no es un número finito; escriba el valor con cifras");
        return true;
    }
    avisarPalabra(palabra, "después de \"", etiqueta,
                  "\" no es un número; escriba el punto decimal como \".\" y el exponente como \"e\"");
    return true;
}

// A table's run ends at its first word that is no number, so free text
// written inside a table loses the rows after it. Rule: the word that ended
// the run gets one line when a whole row, three number words with a digit in
// a row, follows it before the next tag (one of the 18, or a word already
// named as standing for one) or the end of the file. A note after a table
// ("viga de 2 vanos") holds no such row and stays silent. A tag, or a word
// already named (a misspelt number, a word standing for a tag), gets no line
// of its own here.
void avisarTextoEnTabla(claseLeerArchivo& lector, const FinDeCorrida& fin, const std::string& etiqueta,
                        const std::unordered_set<std::string>& comoEtiquetas)
{
    auto esFrontera = [&](const std::string& palabra) { return esEtiqueta(palabra) || comoEtiquetas.count(palabra); };
    if (fin.posicion == std::string::npos || esFrontera(fin.palabra)) return;
    const std::vector<std::string>& palabras = lector.getPalabras();
    int seguidos = 0;
    for (std::size_t i = fin.posicion + 1; i < palabras.size() && !esFrontera(palabras[i]); ++i) {
        seguidos = esCifra(lector, palabras[i]) ? seguidos + 1 : 0;
        if (seguidos < columnasDeTabla) continue;
        avisarPalabra(fin.palabra, "termina la tabla \"", etiqueta, "\"; los números que la siguen no se leen");
        return;
    }
}

// The word that ended a table's run, when it is a fault: a misspelt number or text inside the table.
void avisarFinDeTabla(claseLeerArchivo& lector, const FinDeCorrida& fin, const std::string& etiqueta,
                      const std::unordered_set<std::string>& comoEtiquetas)
{
    if (!avisarNumeroMalEscrito(lector, fin, etiqueta)) avisarTextoEnTabla(lector, fin, etiqueta, comoEtiquetas);
}

// The reader's line for numbers that form no whole rows, then how many there
// are, since every row of the table is dropped for them.
void avisarFilasIncompletas(const std::string& etiqueta, std::size_t numeros)
{
    avisarMatrizIncompleta(etiqueta);
    std::cout << "Advertencia: la tabla \"" << etiqueta << "\" tiene " << numeros
              << (numeros == 1 ? " número" : " números") << ", que no forman filas de tres; no se lee ninguna fila"
              << std::endl;
}

// Reads a table tag. A repeated tag reads the rows of all its blocks in file
// order, block by block, so that a block standing right after another one's
// run is not taken for the end of that run and lost.
Eigen::MatrixXd leerTabla(claseLeerArchivo& lector, const std::string& etiqueta,
                          const std::unordered_set<std::string>& comoEtiquetas)
{
    const int veces = lector.getNoEtiquetas(etiqueta);
    if (veces <= 1) {
        const Tabla tabla = lector.leerMatriz(etiqueta, columnasDeTabla);
        for (const FinDeCorrida& fin : tabla.fines) avisarFinDeTabla(lector, fin, etiqueta, comoEtiquetas);
        if (!tabla.completa) avisarFilasIncompletas(etiqueta, tabla.numeros);
        return tabla.matriz;
    }
    std::cout << "Advertencia: la etiqueta " << etiqueta << " aparece " << veces
              << " veces; se leen las filas de todas en el orden del archivo" << std::endl;
    std::vector<double> numeros;
    for (int k = 1; k <= veces; ++k) {
        const Corrida corrida = lector.leerCorrida(etiqueta, k, 0);
        avisarFinDeTabla(lector, corrida.fin, etiqueta, comoEtiquetas);
        numeros.insert(numeros.end(), corrida.valores.begin(), corrida.valores.end());
    }
    if (numeros.size() % columnasDeTabla != 0) {
        avisarFilasIncompletas(etiqueta, numeros.size());
        return Eigen::MatrixXd(0, 0);
    }
    Eigen::MatrixXd tabla(numeros.size() / columnasDeTabla, columnasDeTabla);
    for (std::size_t k = 0; k < numeros.size(); ++k) tabla(k / columnasDeTabla, k % columnasDeTabla) = numeros[k];
    return tabla;
}

void avisarNumeroRepetido(const std::string& etiqueta, int numero)
{
    std::cout << "Advertencia: el número " << numero << " se repite en " << etiqueta
              << "; vale la última fila" << std::endl;
}

// Keeps a table row under its user number. A repeated number is one node or
// bar: the later row's values take the place of the first row, so that every
// kept row has a number of its own and its position is its internal number.
template <class Fila>
void guardarFila(std::vector<Fila>& filas, Puntero& puntero, const Fila& fila, const std::string& etiqueta)
{
    const auto [lugar, nuevo] = puntero.try_emplace(fila.numero, static_cast<int>(filas.size()));
    if (nuevo) {
        filas.push_back(fila);
        return;
    }
    avisarNumeroRepetido(etiqueta, fila.numero);
    filas[lugar->second] = fila;
}

// Rows whose own number is no int are skipped. Returns the kept rows, in the
// order in which their numbers first appear.
std::vector<FilaNudo> punteroDeNudos(const Eigen::MatrixXd& nudos, Puntero& punteroNudos)
{
    std::vector<FilaNudo> filas;
    for (int j = 0; j < nudos.rows(); ++j) {
        FilaNudo fila{0, nudos(j, 1), nudos(j, 2)};
        if (!aEntero(nudos(j, 0), fila.numero)) {
            std::cout << "Advertencia: nudos: el número " << textoNumero(nudos(j, 0))
                      << " no es un número de nudo válido; se omite la fila" << std::endl;
            continue;
        }
        guardarFila(filas, punteroNudos, fila, "nudos:");
    }
    return filas;
}

// A bar row is built only when its own number is an int and both of its nodes
// are defined, so that no bar is attached to a wrong node. Skipped rows take no
// place in barra: the kept rows are numbered 0, 1, ... and punteroBarras maps
// to those positions, so noBarras == barra.size() and every lookup is in range.
std::vector<FilaBarra> punteroDeBarras(const Eigen::MatrixXd& barras, const Puntero& punteroNudos,
                                       Puntero& punteroBarras, BarrasOmitidas& barrasOmitidas)
{
    std::vector<FilaBarra> filas;
    for (int i = 0; i < barras.rows(); ++i) {
        FilaBarra fila;
        if (!aEntero(barras(i, 0), fila.numero)) {
            std::cout << "Advertencia: barras: el número " << textoNumero(barras(i, 0))
                      << " no es un número de barra válido; se omite la fila" << std::endl;
            continue;
        }
        // A later row of a bar already built that cannot be built leaves the
        // bar as its earlier row made it.
        const bool yaDefinida = punteroBarras.count(fila.numero) != 0;
        const std::string numero = std::to_string(fila.numero);
        const std::string omitido =
            yaDefinida ? " esa fila; la barra " + numero + " queda con su fila anterior" : " la barra " + numero;
        const bool conInicio = buscarNudo(punteroNudos, "barras:", barras(i, 1), fila.inicio, omitido);
        if (!conInicio || !buscarNudo(punteroNudos, "barras:", barras(i, 2), fila.fin, omitido)) {
            if (!yaDefinida) barrasOmitidas[fila.numero] = barras(i, conInicio ? 2 : 1);
            continue;
        }
        aEntero(barras(i, 1), fila.nudoInicioUsuario);
        aEntero(barras(i, 2), fila.nudoFinalUsuario);
        guardarFila(filas, punteroBarras, fila, "barras:");
    }
    return filas;
}

// A block's run: its leading values, then the user numbers it applies to.
struct Bloque {
    std::string nombre;
    std::vector<double> corrida;
    // A fault of the block was named as it was read.
    bool avisado = false;
    // A tag stands where its name should: the block is left out.
    bool sinNombre = false;
};

Bloque leerBloque(claseLeerArchivo& lector, const std::string& etiqueta, int k, bool conNombre)
{
    Bloque bloque;
    if (conNombre) bloque.nombre = lector.getString(etiqueta, k);
    // Named as the file was first read (avisarBloquesSinNombre).
    if (conNombre && esEtiqueta(bloque.nombre)) {
        bloque.avisado = true;
        bloque.sinNombre = true;
        return bloque;
    }
    const Corrida corrida = lector.leerCorrida(etiqueta, k, conNombre ? 1 : 0);
    bloque.corrida = corrida.valores;
    bloque.avisado = avisarNumeroMalEscrito(lector, corrida.fin, etiqueta);
    return bloque;
}

// Calls aplicar(internal node number) for every node the block lists after its
// leading values.
template <class Aplicar>
void porCadaNudo(const Bloque& bloque, std::size_t valores, const Puntero& punteroNudos,
                 const std::string& etiqueta, Aplicar aplicar)
{
    for (std::size_t i = valores; i < bloque.corrida.size(); ++i) {
        int interno;
        if (buscarNudo(punteroNudos, etiqueta, bloque.corrida[i], interno)) aplicar(interno);
    }
}

template <class Aplicar>
void porCadaBarra(const Bloque& bloque, std::size_t valores, const Puntero& punteroBarras,
                  const BarrasOmitidas& barrasOmitidas, const std::string& etiqueta, Aplicar aplicar)
{
    for (std::size_t i = valores; i < bloque.corrida.size(); ++i) {
        int interno;
        if (buscarBarra(punteroBarras, barrasOmitidas, etiqueta, bloque.corrida[i], interno)) aplicar(interno);
    }
}

struct Combo {
    std::string nombre;
    std::vector<double> factores;
    std::vector<std::string> casos;
    // A tag stands where its name should: no combination is formed.
    bool sinNombre = false;
};

// A case is never a tag either: the list ends before a factor that a tag
// follows, and the tag opens its own block.
Combo leerCombo(claseLeerArchivo& lector, int k)
{
    Combo combo;
    combo.nombre = lector.getString("combo:", k);
    combo.sinNombre = esEtiqueta(combo.nombre);
    if (combo.sinNombre) return combo;
    const ListaDeFactores lista = lector.leerFactores("combo:", k, 1);
    const std::size_t pares = paresConCaso(lista.nombres);
    combo.factores.assign(lista.factores.begin(), lista.factores.begin() + pares);
    combo.casos.assign(lista.nombres.begin(), lista.nombres.begin() + pares);
    if (pares < lista.nombres.size()) {
        std::cout << "Advertencia: la combinación " << citar(combo.nombre) << " termina en el factor "
                  << citar(lista.palabrasDeFactores[pares]) << " sin caso: lo sigue la etiqueta \""
                  << lista.nombres[pares] << "\"; ese factor no se toma" << std::endl;
    } else {
        avisarNumeroMalEscrito(lector, lista.fin, "combo:");
    }
    return combo;
}

// Section blocks of one tag: name; two values of the section and E, then
// bars. fijar gives a bar the two values; conSeccion marks the bars given one.
template <class Fijar>
void leerSecciones(claseLeerArchivo& lector, const std::string& etiqueta, const Puntero& punteroBarras,
                   const BarrasOmitidas& barrasOmitidas, std::vector<bool>& conSeccion, Fijar fijar)
{
    const int bloques = lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= bloques; ++k) {
        const Bloque bloque = leerBloque(lector, etiqueta, k, true);
        const std::vector<double>& v = bloque.corrida;
        // A block whose fault was named as it was read gets no second line.
        if (v.size() <= 3 && !bloque.avisado) {
            std::cout << "Advertencia: " << etiqueta << " la sección " << citar(bloque.nombre)
                      << " no nombra ninguna barra; no se asigna" << std::endl;
        }
        porCadaBarra(bloque, 3, punteroBarras, barrasOmitidas, etiqueta, [&](int i) {
            fijar(barra[i], v[0], v[1]);
            barra[i].setModuloE(v[2]);
            barra[i].setNombreDeSeccion(bloque.nombre);
            conSeccion[i] = true;
        });
    }
}

// "la barra 7" or "las barras 7, 8 y 9"; a long list names its first ten.
std::string nombrarBarras(const std::vector<int>& numeros)
{
    if (numeros.size() == 1) return "la barra " + std::to_string(numeros[0]);
    const std::size_t nombradas = std::min<std::size_t>(numeros.size(), 10);
    std::string texto = "las barras ";
    for (std::size_t k = 0; k < nombradas; ++k) {
        if (k > 0) texto += k + 1 == numeros.size() ? " y " : ", ";
        texto += std::to_string(numeros[k]);
    }
    if (nombradas < numeros.size()) texto += " y otras " + std::to_string(numeros.size() - nombradas);
    return texto;
}

// A bar that no section block lists has no stiffness. The line the solver
// prints for it counts bars from 0 in file order, so the user number is said
// here first.
void avisarBarrasSinSeccion(const std::vector<bool>& conSeccion)
{
    std::vector<int> sinSeccion;
    for (std::size_t i = 0; i < barra.size(); ++i) {
        if (!conSeccion[i]) sinSeccion.push_back(barra[i].getNoBarraUsuario());
    }
    if (sinSeccion.empty()) return;
    const bool una = sinSeccion.size() == 1;
    std::cout << "Advertencia: " << nombrarBarras(sinSeccion) << (una ? " no tiene" : " no tienen")
              << " sección (de seccionRectangular: o seccionGenerica:); " << (una ? "no aporta" : "no aportan")
              << " rigidez" << std::endl;
}

// Equal within rounding, so that a rectangle and a generic section of the
// same A and I are one section; an infinity equals only itself.
bool mismoValor(double a, double b)
{
    return a == b || std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

// The bars of one name that share the same A, I and E.
struct SeccionDeBarras {
    double area;
    double inercia;
    double moduloE;
    std::vector<int> barras;
};

// One name given to sections of different values labels them alike in the
// window, though the bars differ in stiffness.
void avisarSeccionesHomonimas(const std::vector<bool>& conSeccion)
{
    std::vector<std::string> nombres;
    std::unordered_map<std::string, std::vector<SeccionDeBarras>> porNombre;
    for (std::size_t i = 0; i < barra.size(); ++i) {
        if (!conSeccion[i]) continue;
        const objBarra2d& b = barra[i];
        const std::string nombre = b.getNombreDeSeccion();
        auto [lugar, nuevo] = porNombre.try_emplace(nombre);
        if (nuevo) nombres.push_back(nombre);
        std::vector<SeccionDeBarras>& secciones = lugar->second;
        auto igual = std::find_if(secciones.begin(), secciones.end(), [&](const SeccionDeBarras& s) {
            return mismoValor(s.area, b.getArea()) && mismoValor(s.inercia, b.getInercia()) &&
                   mismoValor(s.moduloE, b.getModE());
        });
        if (igual == secciones.end()) {
            secciones.push_back({b.getArea(), b.getInercia(), b.getModE(), {}});
            igual = secciones.end() - 1;
        }
        igual->barras.push_back(b.getNoBarraUsuario());
    }
    for (const std::string& nombre : nombres) {
        const std::vector<SeccionDeBarras>& secciones = porNombre.at(nombre);
        if (secciones.size() < 2) continue;
        std::cout << "Advertencia: hay secciones distintas con el nombre " << citar(nombre) << ":";
        for (std::size_t k = 0; k < secciones.size(); ++k) {
            std::cout << (k == 0 ? " una en " : ", otra en ") << nombrarBarras(secciones[k].barras);
        }
        std::cout << std::endl;
    }
}

// Distributed-load blocks of one tag: case name; four values, then bars. The
// case names join casos; the trace line follows when there is a block.
template <class Fijar>
void leerCargasDeBarras(claseLeerArchivo& lector, const std::string& etiqueta, const char* traza,
                        const Puntero& punteroBarras, const BarrasOmitidas& barrasOmitidas,
                        std::vector<std::string>& casos, Fijar fijar)
{
    const int bloques = lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= bloques; ++k) {
        const Bloque bloque = leerBloque(lector, etiqueta, k, true);
        if (bloque.sinNombre) continue;
        casos.push_back(bloque.nombre);
        porCadaBarra(bloque, 4, punteroBarras, barrasOmitidas, etiqueta,
                     [&](int i) { fijar(barra[i], bloque.nombre, bloque.corrida); });
    }
    if (bloques > 0) std::cout << traza << std::endl;
}

// A pair whose case no load has adds nothing. Names are case-sensitive, so a
// case with loads that differs only in letter case is named as the likely one.
void avisarCasosAusentes(const std::vector<Combo>& combos, const std::vector<std::string>& casos)
{
    const std::unordered_set<std::string> conCargas(casos.begin(), casos.end());
    std::unordered_set<std::string> avisados;
    for (const Combo& combo : combos) {
        for (const std::string& caso : combo.casos) {
            if (conCargas.count(caso) || !avisados.insert(combo.nombre + '\n' + caso).second) continue;
            std::cout << "Advertencia: la combinación " << citar(combo.nombre) << " nombra el caso " << citar(caso)
                      << ", que ninguna carga tiene; no suma nada";
            const auto parecido = std::find_if(casos.begin(), casos.end(), [&](const std::string& c) {
                return enMinusculas(c) == enMinusculas(caso);
            });
            if (parecido != casos.end()) {
                std::cout << " (hay cargas del caso " << citar(*parecido)
                          << "; los nombres distinguen mayúsculas de minúsculas)";
            }
            std::cout << std::endl;
        }
    }
}

void avisarCasosSinCombinacion(const std::vector<std::string>& casos, const std::vector<Combo>& combos)
{
    std::unordered_set<std::string> nombrados;
    for (const Combo& combo : combos) nombrados.insert(combo.casos.begin(), combo.casos.end());
    std::unordered_set<std::string> avisados;
    for (const std::string& caso : casos) {
        if (nombrados.count(caso) || !avisados.insert(caso).second) continue;
        std::cout << "Advertencia: el caso de carga " << citar(caso)
                  << " no está en ninguna combinación; sus cargas no se usan" << std::endl;
    }
}

// Only a regular file is opened: a FIFO without a writer would block the open,
// and a pipe would be consumed by it.
bool abrible(const std::string& ruta)
{
    std::error_code error;
    return std::filesystem::is_regular_file(ruta, error) && std::ifstream(ruta).is_open();
}

// The steps of funcionLeerArchivo, in the order it runs them. Each ends with
// its line of the trace, when it prints one.

// A file that reads as empty says why before its empty tables do.
void avisarArchivoIlegible(claseLeerArchivo& lector)
{
    if (!abrible(nombreArchivo)) {
        std::cout << "Advertencia: no se pudo abrir el archivo de entrada: " << nombreArchivo << std::endl;
    } else if (lector.esUtf16()) {
        std::cout << "Advertencia: el archivo de entrada " << nombreArchivo
                  << " está guardado en UTF-16; guárdelo como texto plano (UTF-8)" << std::endl;
    }
}

Eigen::MatrixXd leerTablaDeNudos(claseLeerArchivo& lector, const std::unordered_set<std::string>& comoEtiquetas)
{
    const Eigen::MatrixXd nudos = leerTabla(lector, "nudos:", comoEtiquetas);
    noNudos = static_cast<int>(nudos.rows());
    std::cout << "lectura de nudos OK " << "Num Nudos = " << noNudos << std::endl;
    return nudos;
}

Eigen::MatrixXd leerTablaDeBarras(claseLeerArchivo& lector, const std::unordered_set<std::string>& comoEtiquetas)
{
    const Eigen::MatrixXd barras = leerTabla(lector, "barras:", comoEtiquetas);
    noBarras = static_cast<int>(barras.rows());
    std::cout << "lectura de barras OK " << "Num Barras = " << noBarras << std::endl;
    return barras;
}

// The counts become those of the rows that are built.
std::vector<FilaNudo> numerarNudos(const Eigen::MatrixXd& nudos, Puntero& punteroNudos)
{
    if (noNudos == 0) return {};
    std::vector<FilaNudo> filas = punteroDeNudos(nudos, punteroNudos);
    noNudos = static_cast<int>(filas.size());
    std::cout << "punteros de nudos internos OK" << std::endl;
    return filas;
}

std::vector<FilaBarra> numerarBarras(const Eigen::MatrixXd& barras, const Puntero& punteroNudos,
                                     Puntero& punteroBarras, BarrasOmitidas& barrasOmitidas)
{
    if (noBarras == 0) return {};
    std::vector<FilaBarra> filas = punteroDeBarras(barras, punteroNudos, punteroBarras, barrasOmitidas);
    noBarras = static_cast<int>(filas.size());
    std::cout << "puntero de barras internas OK" << std::endl;
    return filas;
}

// Each node at the position that is its internal number.
void crearNudos(const std::vector<FilaNudo>& filas, const Puntero& punteroNudos)
{
    nudo.assign(noNudos, objNudo2d());
    for (int j = 0; j < noNudos; ++j) {
        const FilaNudo& f = filas[j];
        nudo[j].setNumeroNudoUsuario(f.numero);
        nudo[j].setNumeroDeNudo(punteroNudos.at(f.numero));
        nudo[j].setCoordenadas(f.x, f.y);
    }
    std::cout << "transferencia de coord a nudos[i] OK" << std::endl;
}

// The codes truncated to int; false, with one line, when one is no int.
bool codigosDeApoyo(const Bloque& bloque, int (&codigo)[3])
{
    for (int d = 0; d < 3; ++d) {
        if (aEntero(bloque.corrida[d], codigo[d])) continue;
        std::cout << "Advertencia: apoyo: el código de apoyo " << textoNumero(bloque.corrida[d])
                  << " no es válido; se omite el bloque" << std::endl;
        return false;
    }
    return true;
}

// Codes X, Y, rotation, then nodes; a later block overrides.
void leerApoyos(claseLeerArchivo& lector, const Puntero& punteroNudos)
{
    const int bloques = lector.getNoEtiquetas("apoyo:");
    for (int k = 1; k <= bloques; ++k) {
        const Bloque bloque = leerBloque(lector, "apoyo:", k, false);
        int codigo[3];
        if (bloque.corrida.size() <= 3 || !codigosDeApoyo(bloque, codigo)) continue;
        porCadaNudo(bloque, 3, punteroNudos, "apoyo:",
                    [&](int n) { nudo[n].setApoyo(codigo[0], codigo[1], codigo[2]); });
    }
    if (bloques > 0) std::cout << "transferencia de apoyos a nudo[i] OK" << std::endl;
}

// Stiffness X, Y, rotation, then nodes.
void leerResortes(claseLeerArchivo& lector, const Puntero& punteroNudos)
{
    const int bloques = lector.getNoEtiquetas("resorte:");
    for (int k = 1; k <= bloques; ++k) {
        const Bloque bloque = leerBloque(lector, "resorte:", k, false);
        const std::vector<double>& v = bloque.corrida;
        porCadaNudo(bloque, 3, punteroNudos, "resorte:", [&](int n) { nudo[n].setResorte(v[0], v[1], v[2]); });
    }
    if (bloques > 0) std::cout << "transferencia de resortes a nudo[i] OK" << std::endl;
}

// Case name; Fx, Fy, Mz, then nodes. The case names join casos.
void leerCargasPuntuales(claseLeerArchivo& lector, const Puntero& punteroNudos, std::vector<std::string>& casos)
{
    const int bloques = lector.getNoEtiquetas("puntual:");
    for (int k = 1; k <= bloques; ++k) {
        const Bloque bloque = leerBloque(lector, "puntual:", k, true);
        if (bloque.sinNombre) continue;
        casos.push_back(bloque.nombre);
        const std::vector<double>& v = bloque.corrida;
        porCadaNudo(bloque, 3, punteroNudos, "puntual:",
                    [&](int n) { nudo[n].setCargaPuntual(bloque.nombre, v[0], v[1], v[2]); });
    }
    if (bloques > 0) std::cout << "transferencia de cargas puntuales a nudo[i] OK" << std::endl;
}

// Every pair of the combination, in order, on the object (a node or a bar).
template <class Objeto>
void combinar(Objeto& objeto, const Combo& combo)
{
    for (std::size_t p = 0; p < combo.factores.size(); ++p) {
        objeto.setCombo(combo.nombre, combo.factores[p], combo.casos[p]);
    }
}

// A repeated name sums its blocks' pairs into one combination and a block
// without pairs makes none, so noCombos counts the distinct names that have
// pairs: exactly what every node and bar holds. The blocks are read once and
// kept for the bars, so a word that warns as it is read warns once.
std::vector<Combo> leerCombosDeNudos(claseLeerArchivo& lector)
{
    const int bloques = lector.getNoEtiquetas("combo:");
    std::vector<Combo> combos;
    std::unordered_set<std::string> formados;
    for (int k = 1; k <= bloques; ++k) {
        Combo combo = leerCombo(lector, k);
        if (combo.sinNombre) continue;
        combos.push_back(combo);
        if (combo.factores.empty()) {
            std::cout << "Advertencia: la combinación " << citar(combo.nombre)
                      << " no tiene pares de factor y caso; se omite" << std::endl;
            continue;
        }
        if (!formados.insert(combo.nombre).second) {
            std::cout << "Advertencia: la combinación " << citar(combo.nombre)
                      << " se repite; sus pares se suman a la misma combinación" << std::endl;
        }
        for (objNudo2d& n : nudo) combinar(n, combo);
    }
    noCombos = static_cast<int>(formados.size());
    if (noCombos != 0) std::cout << "transferencia de combos a nudo[i] OK" << std::endl;
    return combos;
}

// Each bar with a copy of its end nodes' coordinates.
void crearBarras(const std::vector<FilaBarra>& filas, const Puntero& punteroBarras)
{
    barra.assign(noBarras, objBarra2d());
    if (noBarras == 0) return;
    for (int i = 0; i < noBarras; ++i) {
        const FilaBarra& f = filas[i];
        objBarra2d& b = barra[i];
        b.resetFlags();
        b.setNumeroBarraUsuario(f.numero);
        b.setNumeroDeBarra(punteroBarras.at(f.numero));
        b.setNudoInicio(f.inicio, nudo[f.inicio].getX(), nudo[f.inicio].getY());
        b.setNudoFinal(f.fin, nudo[f.fin].getX(), nudo[f.fin].getY());
        b.setNudoInicioUsuario(f.nudoInicioUsuario);
        b.setNudoFinalUsuario(f.nudoFinalUsuario);
    }
    std::cout << "transferencia de coord a barra[i] OK" << std::endl;
}

// Name; b, h, E (rectangular) or A, I, E (generic), then bars. Generic blocks
// come second, so they win over rectangular ones; then the bars that no block
// gave a section, and one name given to different sections, are said.
void leerSeccionesDeBarras(claseLeerArchivo& lector, const Puntero& punteroBarras,
                           const BarrasOmitidas& barrasOmitidas)
{
    if (noBarras == 0) return;
    std::vector<bool> conSeccion(barra.size(), false);
    leerSecciones(lector, "seccionRectangular:", punteroBarras, barrasOmitidas, conSeccion,
                  [](objBarra2d& b, double x, double y) { b.setSeccionRectangular(x, y); });
    std::cout << "transferencia de secciones rect a barra[i] OK" << std::endl;
    leerSecciones(lector, "seccionGenerica:", punteroBarras, barrasOmitidas, conSeccion,
                  [](objBarra2d& b, double x, double y) { b.setSeccionGenerica(x, y); });
    std::cout << "transferencia de secciones gen a barra[i] OK" << std::endl;
    avisarBarrasSinSeccion(conSeccion);
    avisarSeccionesHomonimas(conSeccion);
}

// Case name; axial start, end, transverse start, end, then bars.
void leerCargasLocales(claseLeerArchivo& lector, const Puntero& punteroBarras, const BarrasOmitidas& barrasOmitidas,
                       std::vector<std::string>& casos)
{
    leerCargasDeBarras(lector, "distribuidaLocal:", "transferencia de cargas Locales a barra[i] OK", punteroBarras, barrasOmitidas, casos,
                       [](objBarra2d& b, const std::string& caso, const std::vector<double>& v) {
                           b.setCargaLocal(caso, v[0], v[1], v[2], v[3]);
                       });
}

// Case name; start, end intensity, direction X, Y, then bars. The bar projects
// them with its angle, so they come after the bars are made.
void leerCargasGlobales(claseLeerArchivo& lector, const Puntero& punteroBarras,
                        const BarrasOmitidas& barrasOmitidas, std::vector<std::string>& casos)
{
    leerCargasDeBarras(lector, "distribuidaGlobal:", "transferencia de cargas globales a barra[i] OK", punteroBarras, barrasOmitidas, casos,
                       [](objBarra2d& b, const std::string& caso, const std::vector<double>& v) {
                           b.setCargaGlobal(caso, v[0], v[1], v[2], v[3]);
                       });
}

// After all the bars' loads, in the nodes' order.
void combinarBarras(const std::vector<Combo>& combos)
{
    if (noCombos == 0) return;
    for (const Combo& combo : combos) {
        for (objBarra2d& b : barra) combinar(b, combo);
    }
    std::cout << "transferencia de combos a barra[i] OK" << std::endl;
}

// What the file holds but the model does not use: said, never changed.
void avisarCasosSinUso(const std::vector<Combo>& combos, const std::vector<std::string>& casos)
{
    avisarCasosAusentes(combos, casos);
    avisarCasosSinCombinacion(casos, combos);
}

// A scale is taken when it is a finite number above 0: 0, negatives, NaN and
// an overflowing 1e999 keep the default.
bool esEscala(double valor)
{
    return valor > 0 && std::isfinite(valor);
}

// The number of decimals: -1 keeps the default, as a missing tag does.
bool esPrecision(int valor)
{
    return valor != -1;
}

void tomarEscala(claseLeerArchivo& lector, const char* etiqueta, double& escala)
{
    escala = lector.getReal(etiqueta, escala, esEscala);
}

// The defaults, then the file's values where usable.
void leerAjustes(claseLeerArchivo& lector)
{
    ajustesPorDefecto();
    tomarEscala(lector, "escalaDeflexion:", escalaDef);
    tomarEscala(lector, "escalaM:", escalaM);
    tomarEscala(lector, "escalaV:", escalaV);
    tomarEscala(lector, "escalaN:", escalaN);
    tomarEscala(lector, "escalaTexto:", escalaTexto);
    tomarEscala(lector, "escalaApoyo:", escalaApoyo);
    precision = lector.getEntero("precision:", precision, esPrecision);
    tomarEscala(lector, "escalaCarga:", escalaCarga);
}

}  // namespace

void ajustesPorDefecto()
{
    escalaDef = 100;
    escalaM = 0.1;
    escalaV = 0.1;
    escalaN = 0.01;
    escalaTexto = 0.15;
    escalaApoyo = 0;
    precision = 3;
    escalaCarga = 0.1;
}

void funcionLeerArchivo()
{
    claseLeerArchivo lector;
    lector.setNombreArchivo(nombreArchivo);

    // 1. The file: one that cannot be opened, or UTF-16 text, reads as empty.
    avisarArchivoIlegible(lector);

    // 2. Words that stand for a tag but are none, and tags that stand for a
    // block's name, named before what they break.
    const std::unordered_set<std::string> comoEtiquetas =
        avisarPalabrasComoEtiquetas(lector, casosDeLasCombinaciones(lector));
    avisarBloquesSinNombre(lector);

    // 3. Node table: user number, X, Y.
    const Eigen::MatrixXd nudos = leerTablaDeNudos(lector, comoEtiquetas);

    // 4. Bar table: user number, start node, end node.
    const Eigen::MatrixXd barras = leerTablaDeBarras(lector, comoEtiquetas);

    // 5. Node lookup table.
    Puntero punteroNudos;
    const std::vector<FilaNudo> filasNudo = numerarNudos(nudos, punteroNudos);

    // 6. Bar lookup table; a bar row whose node is undefined is not built.
    Puntero punteroBarras;
    BarrasOmitidas barrasOmitidas;
    const std::vector<FilaBarra> filasBarra = numerarBarras(barras, punteroNudos, punteroBarras, barrasOmitidas);

    // 7. Nodes.
    crearNudos(filasNudo, punteroNudos);

    // 8. Supports.
    leerApoyos(lector, punteroNudos);

    // 9. Springs.
    leerResortes(lector, punteroNudos);

    // 10. Point loads.
    std::vector<std::string> casosConCargas;
    leerCargasPuntuales(lector, punteroNudos, casosConCargas);

    // 11. Combinations on the nodes, after their loads.
    const std::vector<Combo> combos = leerCombosDeNudos(lector);

    // 12. Bars.
    crearBarras(filasBarra, punteroBarras);

    // 13. Sections.
    leerSeccionesDeBarras(lector, punteroBarras, barrasOmitidas);

    // 14. Local distributed loads.
    leerCargasLocales(lector, punteroBarras, barrasOmitidas, casosConCargas);

    // 15. Global distributed loads.
    leerCargasGlobales(lector, punteroBarras, barrasOmitidas, casosConCargas);

    // 16. Combinations on the bars.
    combinarBarras(combos);

    // 17. Load cases that no combination uses, or that no load has.
    avisarCasosSinUso(combos, casosConCargas);

    // 18. Display settings.
    leerAjustes(lector);
}
