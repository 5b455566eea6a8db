#include "erroresDelArchivo.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>
#include <map>
#include <sstream>
#include <unordered_map>
#include <utility>

#include "etiquetas.h"
#include "vardel2d.h"

namespace {

bool esNumero(const std::string& palabra) { return claseLeerArchivo::esNumero(palabra); }

}  // namespace

SerieDeAvisos::SerieDeAvisos(std::string antesDeLaCuenta, std::string despuesDeLaCuenta)
    : antes(std::move(antesDeLaCuenta)), despues(std::move(despuesDeLaCuenta))
{
}

std::ostream& SerieDeAvisos::linea()
{
    if (++lineas <= avisosEnSerie) return std::cout;
    retenida.str("");
    retenida.clear();
    return retenida;
}

void SerieDeAvisos::cerrar()
{
    if (lineas == avisosEnSerie + 1) std::cout << retenida.str() << std::flush;
    if (lineas > avisosEnSerie + 1) {
        std::cout << "Advertencia: " << antes << " " << lineas - avisosEnSerie << " " << despues << std::endl;
    }
    lineas = 0;
}

SerieDeAvisos serieDeFilasSinNudos(const std::string& etiqueta)
{
    return {etiqueta + " y otras", "filas nombran nudos que no están definidos; se omiten"};
}

SerieDeAvisos serieDeNudosNoDefinidos(const std::string& etiqueta)
{
    return {etiqueta + " y otros", "nudos que nombra no están definidos; se omiten"};
}

SerieDeAvisos serieDeBarrasNoDefinidas(const std::string& etiqueta)
{
    return {etiqueta + " y otras", "barras que nombra no están definidas o se omitieron; se omiten"};
}

SerieDeAvisos serieDeNumerosRepetidos(const std::string& etiqueta)
{
    return {"y otros", "números se repiten en " + etiqueta + "; vale la última fila de cada uno"};
}

SerieDeAvisos serieDeNumerosNoValidos(const std::string& etiqueta, const std::string& deQue)
{
    return {etiqueta + " y otros", "números no son números de " + deQue + " válidos; se omiten sus filas"};
}

bool esCifra(const std::string& palabra)
{
    return esNumero(palabra) && palabra.find_first_of("0123456789") != std::string::npos;
}

std::string enMinusculas(std::string texto)
{
    for (char& c : texto) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return texto;
}

void avisarArchivoIlegible(claseLeerArchivo& lector)
{
    if (!lector.sePudoAbrir()) {
        std::cout << "Advertencia: no se pudo abrir el archivo de entrada: " << nombreArchivo << std::endl;
    } else if (lector.esUtf16()) {
        std::cout << "Advertencia: el archivo de entrada " << nombreArchivo
                  << " está guardado en UTF-16; guárdelo como texto plano (UTF-8)" << std::endl;
    }
}

namespace {

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

// Each tag in lower case without its colon, in the table's order.
const std::vector<std::string>& basesDeEtiquetas()
{
    static const std::vector<std::string> bases = [] {
        std::vector<std::string> sinDosPuntos;
        for (const Etiqueta& e : etiquetas) {
            sinDosPuntos.push_back(enMinusculas(e.texto));
            sinDosPuntos.back().pop_back();
        }
        return sinDosPuntos;
    }();
    return bases;
}

// No word longer than this resembles a tag: the longest tag, colon included,
// plus the edits its letters allow.
std::size_t largoParecido()
{
    static const std::size_t largo = [] {
        std::size_t mayor = 0;
        for (const std::string& base : basesDeEtiquetas()) {
            mayor = std::max(mayor, base.size() + 1 + edicionesPermitidas(base));
        }
        return mayor;
    }();
    return largo;
}

// The tag a word resembles, or null. A word resembles a tag when, ignoring
// letter case and one colon at its end, it equals the tag or differs from it
// by one letter added, removed, changed or two neighbours swapped, by up to
// two for tags of more than six letters.
const Etiqueta* etiquetaParecida(const std::string& palabra)
{
    std::string base = enMinusculas(palabra);
    if (!base.empty() && base.back() == ':') base.pop_back();
    const std::vector<std::string>& bases = basesDeEtiquetas();
    const Etiqueta* mejor = nullptr;
    std::size_t menor = 3;
    for (std::size_t k = 0; k < bases.size(); ++k) {
        const std::size_t tope = edicionesPermitidas(bases[k]);
        const std::size_t d = distanciaDeEdicion(base, bases[k], tope);
        if (d <= tope && d < menor) {
            menor = d;
            mejor = &etiquetas[k];
        }
    }
    return mejor;
}

// The words from i on could open a block: a name, if it takes one, then
// `numeros` numbers.
bool siguenDatos(const std::vector<std::string>& palabras, std::size_t i, bool conNombre, int numeros)
{
    if (conNombre) {
        if (i >= palabras.size() || esNumero(palabras[i])) return false;
        ++i;
    }
    for (int k = 0; k < numeros; ++k, ++i) {
        if (i >= palabras.size() || !esCifra(palabras[i])) return false;
    }
    return true;
}

bool siguenDatos(const std::vector<std::string>& palabras, std::size_t i, const Etiqueta& e)
{
    return siguenDatos(palabras, i, e.conNombre, e.numeros);
}

// The tag the word at i begins with when the rest of it is the tag's data:
// a number, as in escalaM:0.5, or, for a tag that takes a name, the name,
// as in puntual:viento, when the numbers of the block's first row follow.
// Null otherwise.
const Etiqueta* etiquetaPegada(const std::vector<std::string>& palabras, std::size_t i)
{
    const std::string& palabra = palabras[i];
    for (const Etiqueta& e : etiquetas) {
        const std::size_t largo = std::char_traits<char>::length(e.texto);
        if (palabra.size() <= largo || palabra.compare(0, largo, e.texto) != 0) continue;
        const std::string resto = palabra.substr(largo);
        if (esCifra(resto)) return &e;
        if (e.conNombre && !esNumero(resto) && siguenDatos(palabras, i + 1, false, e.numeros)) return &e;
    }
    return nullptr;
}

bool esTagConNombre(const std::string& palabra)
{
    const Etiqueta* e = etiquetaDe(palabra);
    return e != nullptr && e->conNombre;
}

// The word at i can stand for no tag: it is a number, a tag, or a name the
// file gives (one of the combinations' `casos`, or a block's name).
bool noEsUnaEtiquetaMalEscrita(const std::vector<std::string>& palabras, std::size_t i,
                                const std::unordered_set<std::string>& casos)
{
    const std::string& palabra = palabras[i];
    return esNumero(palabra) || esEtiqueta(palabra) || (i > 0 && esTagConNombre(palabras[i - 1])) ||
           casos.count(palabra) != 0;
}

// A word made of a number, a tag and maybe the tag's value, as in
// "0barras:" or "0.5precision:2": the space before the tag is missing.
struct EtiquetaTrasNumero {
    const Etiqueta* etiqueta = nullptr;
    std::string numero;
    std::string valor;
};

EtiquetaTrasNumero etiquetaTrasNumero(const std::string& palabra)
{
    for (const Etiqueta& e : etiquetas) {
        const std::size_t donde = palabra.find(e.texto, 1);
        if (donde == std::string::npos) continue;
        const std::string numero = palabra.substr(0, donde);
        const std::string valor = palabra.substr(donde + std::char_traits<char>::length(e.texto));
        if (esCifra(numero) && (valor.empty() || esCifra(valor))) return {&e, numero, valor};
    }
    return {};
}

// The words after a colon written apart from its tag's name, as they would
// stand with the colon in place: what ":1" holds after its colon, then the
// words that follow, as many as a block's opening needs.
std::vector<std::string> datosTrasDosPuntos(const std::vector<std::string>& palabras, std::size_t dosPuntos,
                                            const Etiqueta& e)
{
    std::vector<std::string> datos;
    if (palabras[dosPuntos].size() > 1) datos.push_back(palabras[dosPuntos].substr(1));
    const std::size_t necesarias = static_cast<std::size_t>(e.numeros) + (e.conNombre ? 1 : 0);
    for (std::size_t i = dosPuntos + 1; i < palabras.size() && datos.size() < necesarias; ++i) {
        datos.push_back(palabras[i]);
    }
    return datos;
}

// The tag that the word and the colon after it make, when the tag's data
// follow: "barras" then ":" or ":1". Null otherwise, so that free text
// ("nota : ver plano", "barras : de acero") stays silent.
const Etiqueta* etiquetaSeparada(const std::vector<std::string>& palabras, std::size_t i)
{
    if (i + 1 >= palabras.size() || palabras[i + 1].empty() || palabras[i + 1][0] != ':') return nullptr;
    const Etiqueta* e = etiquetaDe(palabras[i] + ":");
    if (e == nullptr || !siguenDatos(datosTrasDosPuntos(palabras, i + 1, *e), 0, *e)) return nullptr;
    return e;
}

// A tag that is not one word is no tag: its block is lost, and the word that
// stands for it ends the run before it, as if text were written inside a
// table. True when the word at i is such a tag, and then it is named.
bool avisarEtiquetaMalSeparada(const std::vector<std::string>& palabras, std::size_t i)
{
    const std::string& palabra = palabras[i];
    if (const Etiqueta* e = etiquetaSeparada(palabras, i)) {
        avisarPalabra(palabra, "va seguida de \"", citar(palabras[i + 1]), "\" aparte; la etiqueta es \"", e->texto,
                      "\", sin espacio antes de los dos puntos; los datos que la siguen no se leen");
        return true;
    }
    const EtiquetaTrasNumero pegada = etiquetaTrasNumero(palabra);
    if (pegada.etiqueta == nullptr) return false;
    if (pegada.valor.empty()) {
        avisarPalabra(palabra, "lleva la etiqueta \"", pegada.etiqueta->texto, "\" pegada tras el número ",
                      citar(pegada.numero), "; sepárelos con un espacio");
    } else {
        avisarPalabra(palabra, "lleva la etiqueta \"", pegada.etiqueta->texto, "\" pegada tras el número ",
                      citar(pegada.numero), " y antes de su valor ", citar(pegada.valor), "; sepárelos con espacios");
    }
    return true;
}

}  // namespace

// A mistyped tag loses its whole block without a word, so a word that
// resembles a tag and is followed by that tag's data gets one line. Free text
// stays silent: its words rarely resemble a tag and are followed by more words,
// not by a block's data. A tag written together with its value is no tag
// either, and gets a line of its own. Runs before every other lookup, so these
// lines come before the lines about what the lost blocks break.
std::unordered_set<std::string> avisarPalabrasComoEtiquetas(claseLeerArchivo& lector,
                                                            const std::unordered_set<std::string>& casos)
{
    const std::vector<std::string>& palabras = lector.getPalabras();
    std::unordered_set<std::string> avisadas;
    for (std::size_t i = 0; i < palabras.size(); ++i) {
        const std::string& palabra = palabras[i];
        if (noEsUnaEtiquetaMalEscrita(palabras, i, casos) || avisadas.count(palabra)) continue;
        if (avisarEtiquetaMalSeparada(palabras, i)) {
            avisadas.insert(palabra);
            continue;
        }
        if (const Etiqueta* pegada = etiquetaPegada(palabras, i)) {
            avisadas.insert(palabra);
            avisarPalabra(palabra, "lleva la etiqueta \"", pegada->texto,
                          esCifra(palabra.substr(std::char_traits<char>::length(pegada->texto)))
                              ? "\" pegada a su valor"
                              : "\" pegada a su nombre",
                          "; sepárelos con un espacio");
            continue;
        }
        if (palabra.size() > largoParecido()) continue;
        // Every tag's data open with a number, or with a name and then a number.
        const bool numeroDespues = i + 1 < palabras.size() && esCifra(palabras[i + 1]);
        const bool nombreYNumero =
            i + 2 < palabras.size() && !esNumero(palabras[i + 1]) && esCifra(palabras[i + 2]);
        if (!numeroDespues && !nombreYNumero) continue;
        const Etiqueta* e = etiquetaParecida(palabra);
        if (e == nullptr || !siguenDatos(palabras, i + 1, *e)) continue;
        avisadas.insert(palabra);
        avisarPalabra(palabra, "se parece a la etiqueta \"", e->texto, "\"; los datos que la siguen no se leen");
    }
    return avisadas;
}

// Said before any lookup, since the tag in the name's place may be a table's,
// whose rows it changes.
void avisarBloquesSinNombre(claseLeerArchivo& lector)
{
    const std::vector<std::string>& palabras = lector.getPalabras();
    for (std::size_t i = 0; i + 1 < palabras.size(); ++i) {
        if (!esTagConNombre(palabras[i]) || !esEtiqueta(palabras[i + 1])) continue;
        std::cout << "Advertencia: el bloque \"" << palabras[i] << "\" no tiene nombre: lo sigue la etiqueta \""
                  << palabras[i + 1] << "\"; se omite" << std::endl;
    }
    if (!palabras.empty() && esTagConNombre(palabras.back())) {
        std::cout << "Advertencia: el bloque \"" << palabras.back()
                  << "\" no tiene nombre: el archivo termina con él; se omite" << std::endl;
    }
}

// A run cut short by such a word loses the values after it; said once for
// each run read.
bool avisarNumeroMalEscrito(const FinDeCorrida& fin, const std::string& etiqueta, const std::string& consecuencia)
{
    const std::string& palabra = fin.palabra;
    // A tag glued after the run's last number was named as the file was
    // first read (avisarPalabrasComoEtiquetas); no advice on numbers fits it.
    if (etiquetaTrasNumero(palabra).etiqueta != nullptr) return true;
    if (!claseLeerArchivo::esNumeroMalEscrito(palabra)) return false;
    if (claseLeerArchivo::noEsFinito(palabra)) {
        avisarPalabra(palabra, "después de \"", etiqueta, "\" no es un número finito; escriba el valor con cifras",
                      consecuencia);
        return true;
    }
    avisarPalabra(palabra, "después de \"", etiqueta,
                  "\" no es un número; escriba el punto decimal como \".\" y el exponente como \"e\"", consecuencia);
    return true;
}

void avisarNombreNumerico(const std::string& etiqueta, const std::string& nombre)
{
    if (!esCifra(nombre)) return;
    std::cout << "Advertencia: el bloque \"" << etiqueta << "\" toma el número \"" << citar(nombre)
              << "\" como su nombre; si es un valor, falta el nombre y los valores se leen un lugar más adelante"
              << std::endl;
}

namespace {

// What a block of each tag that lists nodes or bars gives them, as the lines
// about a block that gives it to none, or to fewer than it meant, say it.
struct LoQueDaUnBloque {
    NombreDeEtiqueta tag;
    const char* que;
    bool aBarras;
    bool seAsigna;  // a section is assigned, the rest applied
};

const LoQueDaUnBloque loQueDanLosBloques[] = {
    {tagApoyo, "el apoyo", false, false},
    {tagResorte, "el resorte", false, false},
    {tagPuntual, "la carga del caso", false, false},
    {tagSeccionRectangular, "la sección", true, true},
    {tagSeccionGenerica, "la sección", true, true},
    {tagDistribuidaLocal, "la carga del caso", true, false},
    {tagDistribuidaGlobal, "la carga del caso", true, false},
};

const LoQueDaUnBloque* loQueDa(const std::string& texto)
{
    for (const LoQueDaUnBloque& b : loQueDanLosBloques) {
        if (etiqueta(b.tag) == texto) return &b;
    }
    return nullptr;
}

// "la carga del caso viva", "la sección V30", "el apoyo".
std::string loQueDaElBloque(const LoQueDaUnBloque& b, const std::string& nombre)
{
    return etiquetas[b.tag].conNombre ? std::string(b.que) + " " + citar(nombre) : b.que;
}

std::string noSeDa(const LoQueDaUnBloque& b) { return b.seAsigna ? "no se asigna" : "no se aplica"; }

// The run's words as the file writes them, each after a space: the words
// right before the one that ended it.
std::string palabrasDeCorrida(claseLeerArchivo& lector, const Corrida& corrida)
{
    const std::vector<std::string>& palabras = lector.getPalabras();
    const std::size_t fin = corrida.fin.posicion == std::string::npos ? palabras.size() : corrida.fin.posicion;
    std::string texto;
    for (std::size_t i = fin - corrida.valores.size(); i < fin; ++i) texto += " " + citar(palabras[i]);
    return texto;
}

}  // namespace

// The block's values are the numbers of its first row but the last, its first
// node or bar. A cut among them, or right after them, leaves the block
// nothing to give; a cut in its list leaves the nodes or bars before the word.
void avisarBloqueIncompleto(claseLeerArchivo& lector, const std::string& etiqueta, const std::string& nombre,
                            const Corrida& corrida)
{
    const LoQueDaUnBloque* b = loQueDa(etiqueta);
    if (b == nullptr) {
        avisarNumeroMalEscrito(corrida.fin, etiqueta);
        return;
    }
    const std::size_t valores = static_cast<std::size_t>(etiquetas[b->tag].numeros - 1);
    const bool sinLista = corrida.valores.size() <= valores;
    const std::string que = loQueDaElBloque(*b, nombre);
    const std::string consecuencia = sinLista ? "; " + que + " " + noSeDa(*b)
                                              : std::string("; ") + (b->aBarras ? "las barras" : "los nudos") +
                                                    " que la siguen no reciben " + que;
    if (avisarNumeroMalEscrito(corrida.fin, etiqueta, consecuencia) || !sinLista) return;
    std::cout << "Advertencia: " << etiqueta << " " << que
              << (etiquetas[b->tag].conNombre ? "" : palabrasDeCorrida(lector, corrida)) << " no nombra "
              << (b->aBarras ? "ninguna barra" : "ningún nudo") << "; " << noSeDa(*b) << std::endl;
}

namespace {

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
        seguidos = esCifra(palabras[i]) ? seguidos + 1 : 0;
        if (seguidos < columnasDeTabla) continue;
        avisarPalabra(fin.palabra, "termina la tabla \"", etiqueta, "\"; los números que la siguen no se leen");
        return;
    }
}

}  // namespace

void avisarFinDeTabla(claseLeerArchivo& lector, const FinDeCorrida& fin, const std::string& etiqueta,
                      const std::unordered_set<std::string>& comoEtiquetas)
{
    if (!avisarNumeroMalEscrito(fin, etiqueta)) avisarTextoEnTabla(lector, fin, etiqueta, comoEtiquetas);
}

void avisarTablaRepetida(const std::string& etiqueta, int veces)
{
    std::cout << "Advertencia: la etiqueta " << etiqueta << " aparece " << veces
              << " veces; se leen las filas de todas en el orden del archivo" << std::endl;
}

namespace {

// "5 números, que no forman filas de tres", agreeing with the count.
std::string numerosSinFilas(std::size_t numeros)
{
    if (numeros == 1) return "1 número, que no forma una fila de tres";
    return std::to_string(numeros) + " números, que no forman filas de tres";
}

}  // namespace

// Only the block where a row is left unfinished is named: the blocks after
// it, until one finishes that row, are shifted by it and not by themselves.
void avisarBloquesSinFilasEnteras(const std::string& etiqueta, const std::vector<std::size_t>& numerosPorBloque)
{
    std::size_t total = 0;
    for (std::size_t numeros : numerosPorBloque) total += numeros;
    const bool completa = total % columnasDeTabla == 0;
    std::size_t antes = 0;
    for (std::size_t k = 0; k < numerosPorBloque.size(); ++k) {
        const std::size_t numeros = numerosPorBloque[k];
        const bool empiezaEnFila = antes % columnasDeTabla == 0;
        antes += numeros;
        if (!empiezaEnFila || antes % columnasDeTabla == 0) continue;
        std::cout << "Advertencia: el bloque " << k + 1 << " de los " << numerosPorBloque.size() << " \"" << etiqueta
                  << "\" tiene " << numerosSinFilas(numeros);
        if (completa) std::cout << "; su última fila se completa con los números siguientes de la tabla";
        std::cout << std::endl;
    }
}

void avisarFilasIncompletas(const std::string& etiqueta, std::size_t numeros)
{
    avisarMatrizIncompleta(etiqueta);
    std::cout << "Advertencia: la tabla \"" << etiqueta << "\" tiene " << numerosSinFilas(numeros)
              << "; no se lee ninguna fila" << std::endl;
}

void avisarNumeroRepetido(SerieDeAvisos& serie, const std::string& etiqueta, int numero)
{
    serie.linea() << "Advertencia: el número " << numero << " se repite en " << etiqueta << "; vale la última fila"
                  << std::endl;
}

void avisarFactorSinCaso(const std::string& combo, const std::string& factor, const std::string& etiqueta)
{
    std::cout << "Advertencia: la combinación " << citar(combo) << " termina en el factor " << citar(factor)
              << " sin caso: lo sigue la etiqueta \"" << etiqueta << "\"; ese factor no se toma" << std::endl;
}

// A tag in the first factor's place opens the next block, and a misspelt
// number there has a line of its own, so neither is named again.
void avisarCombinacionSinPares(const Combo& combo, bool otroBloqueConPares)
{
    const std::string& palabra = combo.palabraDelPrimerFactor;
    std::cout << "Advertencia: la combinación " << citar(combo.nombre)
              << (otroBloqueConPares ? " tiene un bloque sin pares" : " no tiene pares") << " de factor y caso";
    if (!palabra.empty() && !esEtiqueta(palabra) && !claseLeerArchivo::esNumeroMalEscrito(palabra)) {
        std::cout << ": la palabra \"" << citar(palabra) << "\" está donde va su primer factor";
    }
    if (otroBloqueConPares) {
        std::cout << "; ese bloque no suma nada a " << citar(combo.nombre) << std::endl;
    } else {
        std::cout << "; se omite" << std::endl;
    }
}

void avisarCombinacionRepetida(const std::string& combo)
{
    std::cout << "Advertencia: la combinación " << citar(combo)
              << " se repite; sus pares se suman a la misma combinación" << std::endl;
}

namespace {

// Above this many factors the sum is given without its terms.
const std::size_t sumandosNombrados = 10;

// "1.5 + 1.5 = 3", or only the total for a long list.
std::string sumaDeFactores(const std::vector<double>& factores)
{
    std::ostringstream suma;
    double total = 0;
    for (std::size_t k = 0; k < factores.size(); ++k) {
        total += factores[k];
        if (factores.size() > sumandosNombrados) continue;
        suma << (k > 0 ? " + " : "") << factores[k];
    }
    if (factores.size() <= sumandosNombrados) suma << " = ";
    suma << total;
    return suma.str();
}

}  // namespace

void avisarCasoRepetido(const Combo& combo)
{
    std::vector<std::string> enOrden;
    std::unordered_map<std::string, std::vector<double>> factoresDe;
    for (std::size_t p = 0; p < combo.casos.size(); ++p) {
        auto [lugar, nuevo] = factoresDe.try_emplace(combo.casos[p]);
        if (nuevo) enOrden.push_back(combo.casos[p]);
        lugar->second.push_back(combo.factores[p]);
    }
    for (const std::string& caso : enOrden) {
        const std::vector<double>& factores = factoresDe.at(caso);
        if (factores.size() < 2) continue;
        std::cout << "Advertencia: la combinación " << citar(combo.nombre) << " nombra el caso " << citar(caso) << " "
                  << factores.size() << " veces; sus factores se suman: " << sumaDeFactores(factores) << std::endl;
    }
}

void avisarNombreSinTeclas(const std::string& combo)
{
    std::string teclas;
    for (char tecla : {teclaAumentar, teclaReducir}) {
        if (combo.find(tecla) == std::string::npos) continue;
        teclas += std::string(teclas.empty() ? "\"" : " y \"") + tecla + "\"";
    }
    if (teclas.empty()) return;
    const bool una = teclas.size() == 3;
    std::cout << "Advertencia: la combinación " << citar(combo) << " no se puede mostrar en la ventana: "
              << (una ? "la tecla " : "las teclas ") << teclas << " de su nombre "
              << (una ? "cambia la escala y no se escribe" : "cambian la escala y no se escriben") << " en la consola"
              << std::endl;
}

namespace {

// "la barra 7" or "las barras 7, 8 y 9", from uno "la barra ", varios "las
// barras " and otros "otras"; a long list names its first ten.
std::string nombrarLista(const char* uno, const char* varios, const char* otros,
                         const std::vector<std::string>& elementos)
{
    if (elementos.size() == 1) return uno + elementos[0];
    return varios + enumerar(elementos, otros);
}

std::vector<std::string> comoTextos(const std::vector<int>& numeros)
{
    std::vector<std::string> textos;
    for (int n : numeros) textos.push_back(std::to_string(n));
    return textos;
}

std::string nombrarBarras(const std::vector<int>& numeros)
{
    return nombrarLista("la barra ", "las barras ", "otras", comoTextos(numeros));
}

}  // namespace

// The line the solver prints for such a bar counts bars from 0 in the order
// they were built, so the user number is said here first.
void avisarBarrasSinSeccion(const std::vector<bool>& conSeccion)
{
    std::vector<int> sinSeccion;
    for (std::size_t i = 0; i < barra.size(); ++i) {
        if (!conSeccion[i]) sinSeccion.push_back(barra[i].getNoBarraUsuario());
    }
    if (sinSeccion.empty()) return;
    const bool una = sinSeccion.size() == 1;
    std::cout << "Advertencia: " << nombrarBarras(sinSeccion) << (una ? " no tiene" : " no tienen")
              << " sección (de " << etiqueta(tagSeccionRectangular) << " o " << etiqueta(tagSeccionGenerica)
              << "); " << (una ? "no aporta" : "no aportan") << " rigidez" << std::endl;
}

namespace {

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

}  // namespace

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

namespace {

// Names shorter than this are one edit away from too many others, and names
// longer than the other bound are not compared.
const std::size_t largoMinimoDeCasoCercano = 3;
const std::size_t largoMaximoDeCasoCercano = 30;

// The first case with loads, in file order, a letter added, removed or
// changed, or two neighbours swapped, away from the case, letter case aside;
// null when there is none.
const std::string* casoCercano(const std::string& caso, const std::vector<std::string>& casos)
{
    auto comparable = [](const std::string& c) {
        return c.size() >= largoMinimoDeCasoCercano && c.size() <= largoMaximoDeCasoCercano;
    };
    if (!comparable(caso)) return nullptr;
    const std::string buscado = enMinusculas(caso);
    for (const std::string& c : casos) {
        if (comparable(c) && distanciaDeEdicion(buscado, enMinusculas(c), 1) <= 1) return &c;
    }
    return nullptr;
}

}  // namespace

// A pair whose case no load has adds nothing. Names are case-sensitive, so a
// case with loads that differs only in letter case is named as the likely one,
// or else one a letter off.
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
            } else if (const std::string* cercano = casoCercano(caso, casos)) {
                std::cout << " (hay cargas del caso " << citar(*cercano) << ", que se escribe casi igual)";
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

void avisarSinTablaDeNudos(claseLeerArchivo& lector, const std::unordered_set<std::string>& comoEtiquetas)
{
    const std::string& tag = etiqueta(tagNudos);
    if (!lector.sePudoAbrir() || lector.esUtf16() || lector.getNoEtiquetas(tag) > 0) return;
    for (const std::string& palabra : comoEtiquetas) {
        if (etiquetaParecida(palabra) == &etiquetas[tagNudos] || palabra.compare(0, tag.size(), tag) == 0) return;
    }
    std::cout << "Advertencia: el archivo no tiene la tabla \"" << tag << "\"; el modelo queda sin nudos" << std::endl;
}

// Only numbers an int holds are truncated; the rest name no node or bar and
// are said where they are looked up.
void avisarNumeroConDecimales(const std::string& palabra, const std::string& etiqueta, double valor,
                              const char* objeto)
{
    if (!(std::fabs(valor) < 2147483648.0) || valor == std::trunc(valor)) return;
    avisarPalabra(palabra, "de \"", etiqueta, "\" no es un número entero; se toma como ", objeto,
                  static_cast<int>(valor));
}

namespace {

std::string nombrarNudos(const std::vector<int>& numeros)
{
    return nombrarLista("el nudo ", "los nudos ", "otros", comoTextos(numeros));
}

// The numbers in the order of their first place, each once.
std::vector<int> sinRepetir(const std::vector<int>& numeros)
{
    std::vector<int> unicos;
    std::unordered_set<int> vistos;
    for (int n : numeros) {
        if (vistos.insert(n).second) unicos.push_back(n);
    }
    return unicos;
}

// The tags whose blocks list bars; the others list nodes.
bool listaBarras(const std::string& tag)
{
    return tag == etiqueta(tagSeccionRectangular) || tag == etiqueta(tagSeccionGenerica) ||
           tag == etiqueta(tagDistribuidaLocal) || tag == etiqueta(tagDistribuidaGlobal);
}

// The nodes of those internal numbers by their user numbers, as a list.
std::string nombrarNudosInternos(const std::vector<int>& internos)
{
    std::vector<int> numeros;
    for (int i : internos) numeros.push_back(nudo[i].getNoNudoUsuario());
    return nombrarNudos(numeros);
}

// The nodes or bars, by what the tag's blocks list, of those internal numbers.
std::string nombrarPorTag(const std::string& tag, const std::vector<int>& internos)
{
    if (!listaBarras(tag)) return nombrarNudosInternos(internos);
    std::vector<int> numeros;
    for (int i : internos) numeros.push_back(barra[i].getNoBarraUsuario());
    return nombrarBarras(numeros);
}

// The nodes or bars that hold the values of block k, each once, in the
// order the block lists them.
std::vector<int> conValoresDe(const Asignaciones& asignaciones, std::size_t k)
{
    std::vector<int> vigentes;
    for (int n : sinRepetir(asignaciones.bloques[k].internos)) {
        if (asignaciones.vigente.at(n) == k) vigentes.push_back(n);
    }
    return vigentes;
}

const char* verbo(const std::vector<int>& numeros, const char* uno, const char* varios)
{
    return numeros.size() == 1 ? uno : varios;
}

}  // namespace

// Exact equality: a coordinate is read from the same text the same way, so
// two rows that write one point hold equal numbers. Sorted, not compared in
// pairs, so that a large model costs n log n.
void avisarNudosCoincidentes()
{
    std::vector<int> orden;
    for (int i = 0; i < static_cast<int>(nudo.size()); ++i) {
        if (!std::isnan(nudo[i].getX()) && !std::isnan(nudo[i].getY())) orden.push_back(i);
    }
    auto punto = [](int i) { return std::make_pair(nudo[i].getX(), nudo[i].getY()); };
    std::sort(orden.begin(), orden.end(),
              [&](int a, int b) { return std::make_pair(punto(a), a) < std::make_pair(punto(b), b); });
    std::vector<std::vector<int>> grupos;
    for (std::size_t k = 0; k < orden.size();) {
        std::size_t fin = k + 1;
        while (fin < orden.size() && punto(orden[fin]) == punto(orden[k])) ++fin;
        if (fin - k > 1) grupos.emplace_back(orden.begin() + k, orden.begin() + fin);
        k = fin;
    }
    std::sort(grupos.begin(), grupos.end());
    for (const std::vector<int>& grupo : grupos) {
        std::cout << "Advertencia: " << nombrarNudosInternos(grupo)
                  << " tienen las mismas coordenadas; las barras de uno no se unen con las "
                  << (grupo.size() == 2 ? "del otro" : "de los otros") << std::endl;
    }
}

namespace {

// A block's values as its line names them: a section by its name, codes and
// stiffnesses as written.
std::string valoresDe(const Asignado& bloque)
{
    if (listaBarras(bloque.etiqueta)) return citar(bloque.nombre);
    std::string texto;
    for (const std::string& palabra : bloque.palabras) texto += (texto.empty() ? "" : " ") + citar(palabra);
    return texto;
}

bool mismosValores(const Asignado& a, const Asignado& b)
{
    return a.etiqueta == b.etiqueta && a.nombre == b.nombre && a.valores == b.valores;
}

}  // namespace

// A block that gives the same values again changes nothing and stays silent.
void avisarAsignadoDeNuevo(Asignaciones& asignaciones, const Asignado& bloque)
{
    const std::size_t k = asignaciones.bloques.size();
    asignaciones.bloques.push_back(bloque);
    // What this block takes over, by the earlier block that had it.
    std::map<std::size_t, std::vector<int>> tomados;
    for (int n : bloque.internos) {
        const auto [lugar, nuevo] = asignaciones.vigente.try_emplace(n, k);
        if (nuevo || lugar->second == k) continue;
        if (!mismosValores(asignaciones.bloques[lugar->second], bloque)) tomados[lugar->second].push_back(n);
        lugar->second = k;
    }
    const bool secciones = listaBarras(bloque.etiqueta);
    for (const auto& [j, numeros] : tomados) {
        const Asignado& anterior = asignaciones.bloques[j];
        const bool otraEtiqueta = anterior.etiqueta != bloque.etiqueta;
        auto conEtiqueta = [&](const Asignado& b) {
            return valoresDe(b) + (otraEtiqueta ? " (" + b.etiqueta + ")" : "");
        };
        std::cout << "Advertencia: " << bloque.etiqueta << " " << nombrarPorTag(bloque.etiqueta, numeros)
                  << verbo(numeros, " está", " están");
        // Said of these two blocks alone: a third block may replace this one in turn.
        if (secciones) {
            std::cout << " en las secciones " << conEtiqueta(anterior) << " y " << conEtiqueta(bloque)
                      << "; la posterior, " << valoresDe(bloque) << ", reemplaza a la anterior";
        } else {
            std::cout << " en un bloque con " << valoresDe(anterior) << " y en otro posterior con "
                      << valoresDe(bloque) << ", que lo reemplaza";
        }
        if (otraEtiqueta) std::cout << ", pues " << bloque.etiqueta << " se aplica después de " << anterior.etiqueta;
        std::cout << std::endl;
    }
}

namespace {

const char* const direcciones[] = {"X", "Y", "giro"};

}  // namespace

void avisarResortesNegativos(const Asignaciones& resortes)
{
    for (std::size_t k = 0; k < resortes.bloques.size(); ++k) {
        const Asignado& resorte = resortes.bloques[k];
        std::vector<std::string> negativas;
        for (std::size_t d = 0; d < resorte.valores.size(); ++d) {
            if (resorte.valores[d] < 0) negativas.push_back(citar(resorte.palabras[d]) + " en " + direcciones[d]);
        }
        const std::vector<int> nudos = conValoresDe(resortes, k);
        if (nudos.empty() || negativas.empty()) continue;
        std::cout << "Advertencia: " << resorte.etiqueta << " " << nombrarNudosInternos(nudos)
                  << verbo(nudos, " tiene", " tienen") << " rigidez " << nombrarLista("", "", "otras", negativas)
                  << ", pero la rigidez de un resorte no puede ser negativa; se usa tal como está" << std::endl;
    }
}

namespace {

double resorteEn(const objNudo2d& n, int d)
{
    return d == 0 ? n.getResorteX() : d == 1 ? n.getResorteY() : n.getResorteGiro();
}

// How the window and the solve take a code `valor` other than 0 and 1, which
// the nodes `nudos` hold in direction d.
std::string efectoDelCodigo(double valor, int d, const std::vector<int>& nudos)
{
    static const char* const reacciones[] = {"Rx", "Ry", "Mz"};
    const int codigo = static_cast<int>(valor);
    if (codigo == 0) return "se lee como 0, libre en el cálculo y en la ventana";
    if (codigo == 1) return "se lee como 1, fijo en el cálculo y en la ventana";
    static const char* const fijados[] = {"X", "Y", "el giro"};
    std::string texto = std::string("el cálculo fija ") + fijados[d];
    if (apoyoDibujado(nudo[nudos[0]].getApoyo()) != nullptr) return texto;
    texto += ", pero la ventana no dibuja el apoyo";
    const bool conResorte = std::any_of(nudos.begin(), nudos.end(), [&](int n) { return resorteEn(nudo[n], d) != 0; });
    if (!conResorte) texto += std::string(" ni escribe ") + reacciones[d];
    return texto;
}

}  // namespace

// A later block that replaced a code was said as it was applied.
void avisarCodigosDeApoyo(const Asignaciones& apoyos)
{
    for (std::size_t k = 0; k < apoyos.bloques.size(); ++k) {
        const Asignado& bloque = apoyos.bloques[k];
        const std::vector<int> nudos = conValoresDe(apoyos, k);
        if (nudos.empty()) continue;
        for (std::size_t d = 0; d < bloque.valores.size(); ++d) {
            const double valor = bloque.valores[d];
            if (valor == 0 || valor == 1) continue;
            std::cout << "Advertencia: " << bloque.etiqueta << " " << nombrarNudosInternos(nudos)
                      << verbo(nudos, " tiene", " tienen") << " el código " << citar(bloque.palabras[d]) << " en "
                      << direcciones[d] << ", que no es 0 ni 1: " << efectoDelCodigo(valor, static_cast<int>(d), nudos)
                      << std::endl;
        }
    }
}

namespace {

bool soloCerosYUnos(const Eigen::Vector3i& codigos)
{
    return ((codigos.array() == 0) || (codigos.array() == 1)).all();
}

std::string textoDeCodigos(int x, int y, int giro)
{
    return std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(giro);
}

}  // namespace

// Codes other than 0 and 1 are said with their block.
void avisarApoyosSinSimbolo()
{
    std::vector<std::string> sinSimbolo;
    for (const objNudo2d& n : nudo) {
        const Eigen::Vector3i a = n.getApoyo();
        if (a.isZero() || !soloCerosYUnos(a) || apoyoDibujado(a) != nullptr) continue;
        sinSimbolo.push_back(std::to_string(n.getNoNudoUsuario()) + " (" + textoDeCodigos(a(0), a(1), a(2)) + ")");
    }
    if (sinSimbolo.empty()) return;
    std::vector<std::string> dibujados;
    for (const ApoyoDibujado& a : apoyosDibujados) dibujados.push_back(textoDeCodigos(a.x, a.y, a.giro));
    std::cout << "Advertencia: la ventana no dibuja el apoyo "
              << nombrarLista("del nudo ", "de los nudos ", "otros", sinSimbolo)
              << ", aunque el cálculo lo tiene en cuenta: solo dibuja los apoyos "
              << nombrarLista("", "", "otros", dibujados) << std::endl;
}

// Nodes without bars are no structure to hold, and are not solved.
void avisarSinApoyos()
{
    if (nudo.empty() || noBarras == 0) return;
    for (const objNudo2d& n : nudo) {
        if (!n.getApoyo().isZero()) return;
        for (int d = 0; d < 3; ++d) {
            if (resorteEn(n, d) != 0) return;
        }
    }
    std::cout << "Advertencia: ningún nudo tiene apoyo ni resorte (" << etiqueta(tagApoyo) << " o "
              << etiqueta(tagResorte) << "); la estructura no está sujeta" << std::endl;
}

void avisarNombradoDosVeces(const std::string& etiqueta, const std::string& caso, const std::vector<int>& numeros)
{
    std::unordered_map<int, int> veces;
    for (int n : numeros) ++veces[n];
    for (int n : sinRepetir(numeros)) {
        if (veces[n] < 2) continue;
        std::cout << "Advertencia: " << etiqueta << " el bloque del caso " << citar(caso) << " nombra " << veces[n]
                  << " veces " << nombrarPorTag(etiqueta, {n}) << "; la carga se le aplica " << veces[n] << " veces"
                  << std::endl;
    }
}

namespace {

// The values of a section block that no section can have, each as "h = -0.5".
std::vector<std::string> valoresImposibles(const Asignado& seccion, bool rectangular)
{
    static const char* const rectangulares[] = {"b", "h", "E"};
    static const char* const genericos[] = {"A", "I", "E"};
    std::vector<std::string> imposibles;
    for (std::size_t d = 0; d < seccion.valores.size(); ++d) {
        const double valor = seccion.valores[d];
        const bool inercia = !rectangular && d == 1;
        if (inercia ? valor < 0 : !(valor > 0)) {
            imposibles.push_back(std::string(rectangular ? rectangulares[d] : genericos[d]) + " = " +
                                 citar(seccion.palabras[d]));
        }
    }
    return imposibles;
}

}  // namespace

void avisarSeccionesImposibles(const Asignaciones& secciones)
{
    for (std::size_t k = 0; k < secciones.bloques.size(); ++k) {
        const Asignado& seccion = secciones.bloques[k];
        const bool rectangular = seccion.etiqueta == etiqueta(tagSeccionRectangular);
        const std::vector<std::string> imposibles = valoresImposibles(seccion, rectangular);
        if (imposibles.empty() || conValoresDe(secciones, k).empty()) continue;
        std::cout << "Advertencia: " << seccion.etiqueta << " la sección " << citar(seccion.nombre) << " tiene "
                  << nombrarLista("", "", "otros", imposibles) << ", pero "
                  << (rectangular ? "b, h y E han de ser mayores que 0"
                                  : "A y E han de ser mayores que 0, e I no puede ser negativa")
                  << "; se usa tal como está" << std::endl;
    }
}
