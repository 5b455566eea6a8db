// The builder: reads the input file and fills the model, the phase that runs
// first at start-up and on F5. Reads nombreArchivo; writes noNudos, noBarras,
// noCombos, nudo, barra and the display settings (escala*, precision).
#include "vardel2d.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "claseLeerArchivo.h"
#include "erroresDelArchivo.h"
#include "etiquetas.h"

namespace {

// User number (as written in the file) to internal number (position in nudo or
// barra). A map, so its size follows the rows and not the largest number.
using Puntero = std::unordered_map<int, int>;

// User number of a bar row that was not built, to the undefined node it names.
using BarrasOmitidas = std::unordered_map<int, double>;

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
bool buscarNudo(const Puntero& punteroNudos, SerieDeAvisos& serie, const std::string& etiqueta, double valor,
                int& interno, const std::string& omitido = "")
{
    if (buscar(punteroNudos, valor, interno)) return true;
    serie.linea() << "Advertencia: " << etiqueta << " nombra el nudo " << textoNumero(valor)
                  << ", que no está definido; se omite" << omitido << std::endl;
    return false;
}

// A bar whose row was dropped is in the file: the line says why it is missing.
bool buscarBarra(const Puntero& punteroBarras, const BarrasOmitidas& barrasOmitidas, SerieDeAvisos& serie,
                 const std::string& etiqueta, double valor, int& interno)
{
    if (buscar(punteroBarras, valor, interno)) return true;
    int numero;
    const auto omitida = aEntero(valor, numero) ? barrasOmitidas.find(numero) : barrasOmitidas.end();
    std::ostream& linea = serie.linea();
    linea << "Advertencia: " << etiqueta << " nombra la barra " << textoNumero(valor);
    if (omitida != barrasOmitidas.end()) {
        linea << ", que se omitió porque su nudo " << textoNumero(omitida->second) << " no está definido";
    } else {
        linea << ", que no está definida";
    }
    linea << "; se omite" << std::endl;
    return false;
}

// Of a combination's pairs, those before the first whose case is a tag: that
// tag opens a block of its own, and the words after it are its data.
std::size_t paresConCaso(const std::vector<std::string>& casos)
{
    return static_cast<std::size_t>(std::find_if(casos.begin(), casos.end(), esEtiqueta) - casos.begin());
}

// A block's name is the word after its tag: a tag there, or the end of the
// file, leaves the block without one.
bool sinNombre(const std::string& nombre)
{
    return nombre.empty() || esEtiqueta(nombre);
}

// What the combination blocks name, read without a line printed (no factor
// is converted), so that the checks can use it before any other lookup: the
// cases of their pairs, and the combinations that some block gives a pair, so
// that a block without pairs can tell whether another forms its combination.
struct NombresDeCombos {
    std::unordered_set<std::string> casos;
    std::unordered_set<std::string> conPares;
};

NombresDeCombos nombresDeLasCombinaciones(claseLeerArchivo& lector)
{
    NombresDeCombos leidos;
    const std::string& combo = etiqueta(tagCombo);
    const int bloques = lector.getNoEtiquetas(combo);
    for (int k = 1; k <= bloques; ++k) {
        const std::string nombre = lector.getString(combo, k);
        if (sinNombre(nombre)) continue;
        const std::vector<std::string> casos = lector.getNombresDeFactores(combo, k, 1);
        const std::size_t pares = paresConCaso(casos);
        leidos.casos.insert(casos.begin(), casos.begin() + pares);
        if (pares > 0) leidos.conPares.insert(nombre);
    }
    return leidos;
}

// Reads a table tag, and its number words as written into `palabras`. A
// repeated tag reads the rows of all its blocks in file order, block by block,
// so that a block standing right after another one's run is not taken for the
// end of that run and lost.
Eigen::MatrixXd leerTabla(claseLeerArchivo& lector, const std::string& etiqueta,
                          const std::unordered_set<std::string>& comoEtiquetas, std::vector<std::string>& palabras)
{
    const int veces = lector.getNoEtiquetas(etiqueta);
    if (veces <= 1) {
        const Tabla tabla = lector.leerMatriz(etiqueta, columnasDeTabla);
        palabras = tabla.palabras;
        for (const FinDeCorrida& fin : tabla.fines) avisarFinDeTabla(lector, fin, etiqueta, comoEtiquetas);
        if (!tabla.completa) avisarFilasIncompletas(etiqueta, tabla.numeros);
        return tabla.matriz;
    }
    avisarTablaRepetida(etiqueta, veces);
    std::vector<double> numeros;
    std::vector<std::size_t> numerosPorBloque;
    for (int k = 1; k <= veces; ++k) {
        const Corrida corrida = lector.leerCorrida(etiqueta, k, 0);
        avisarFinDeTabla(lector, corrida.fin, etiqueta, comoEtiquetas);
        numeros.insert(numeros.end(), corrida.valores.begin(), corrida.valores.end());
        numerosPorBloque.push_back(corrida.valores.size());
        palabras.insert(palabras.end(), corrida.palabras.begin(), corrida.palabras.end());
    }
    avisarBloquesSinFilasEnteras(etiqueta, numerosPorBloque);
    if (numeros.size() % columnasDeTabla != 0) {
        avisarFilasIncompletas(etiqueta, numeros.size());
        return Eigen::MatrixXd(0, 0);
    }
    Eigen::MatrixXd tabla(numeros.size() / columnasDeTabla, columnasDeTabla);
    for (std::size_t k = 0; k < numeros.size(); ++k) tabla(k / columnasDeTabla, k % columnasDeTabla) = numeros[k];
    return tabla;
}

// Keeps a table row under its user number. A repeated number is one node or
// bar: the later row's values take the place of the first row, so that every
// kept row has a number of its own and its position is its internal number.
template <class Fila>
void guardarFila(std::vector<Fila>& filas, Puntero& puntero, const Fila& fila, SerieDeAvisos& repetidos,
                 const std::string& etiqueta)
{
    const auto [lugar, nuevo] = puntero.try_emplace(fila.numero, static_cast<int>(filas.size()));
    if (nuevo) {
        filas.push_back(fila);
        return;
    }
    avisarNumeroRepetido(repetidos, etiqueta, fila.numero);
    filas[lugar->second] = fila;
}

// Rows whose own number is no int are skipped. Returns the kept rows, in the
// order in which their numbers first appear.
std::vector<FilaNudo> punteroDeNudos(const Eigen::MatrixXd& nudos, const std::vector<std::string>& palabras,
                                     Puntero& punteroNudos)
{
    const std::string& tag = etiqueta(tagNudos);
    SerieDeAvisos noValidos = serieDeNumerosNoValidos(tag, "nudo");
    SerieDeAvisos repetidos = serieDeNumerosRepetidos(tag);
    std::vector<FilaNudo> filas;
    for (int j = 0; j < nudos.rows(); ++j) {
        FilaNudo fila{0, nudos(j, 1), nudos(j, 2)};
        if (!aEntero(nudos(j, 0), fila.numero)) {
            noValidos.linea() << "Advertencia: " << tag << " el número " << textoNumero(nudos(j, 0))
                              << " no es un número de nudo válido; se omite la fila" << std::endl;
            continue;
        }
        avisarNumeroConDecimales(palabras[columnasDeTabla * j], tag, nudos(j, 0), "el nudo ");
        guardarFila(filas, punteroNudos, fila, repetidos, tag);
    }
    noValidos.cerrar();
    repetidos.cerrar();
    return filas;
}

// A bar row is built only when its own number is an int and both of its nodes
// are defined, so that no bar is attached to a wrong node. Skipped rows take no
// place in barra: the kept rows are numbered 0, 1, ... and punteroBarras maps
// to those positions, so noBarras == barra.size() and every lookup is in range.
std::vector<FilaBarra> punteroDeBarras(const Eigen::MatrixXd& barras, const std::vector<std::string>& palabras,
                                       const Puntero& punteroNudos, Puntero& punteroBarras,
                                       BarrasOmitidas& barrasOmitidas)
{
    const std::string& tag = etiqueta(tagBarras);
    SerieDeAvisos noValidos = serieDeNumerosNoValidos(tag, "barra");
    SerieDeAvisos sinNudos = serieDeFilasSinNudos(tag);
    SerieDeAvisos repetidos = serieDeNumerosRepetidos(tag);
    std::vector<FilaBarra> filas;
    for (int i = 0; i < barras.rows(); ++i) {
        FilaBarra fila;
        if (!aEntero(barras(i, 0), fila.numero)) {
            noValidos.linea() << "Advertencia: " << tag << " el número " << textoNumero(barras(i, 0))
                              << " no es un número de barra válido; se omite la fila" << std::endl;
            continue;
        }
        for (int c = 0; c < columnasDeTabla; ++c) {
            avisarNumeroConDecimales(palabras[columnasDeTabla * i + c], tag, barras(i, c),
                                     c == 0 ? "la barra " : "el nudo ");
        }
        // A later row of a bar already built that cannot be built leaves the
        // bar as its earlier row made it.
        const bool yaDefinida = punteroBarras.count(fila.numero) != 0;
        const std::string numero = std::to_string(fila.numero);
        const std::string omitido =
            yaDefinida ? " esa fila; la barra " + numero + " queda con su fila anterior" : " la barra " + numero;
        const bool conInicio = buscarNudo(punteroNudos, sinNudos, tag, barras(i, 1), fila.inicio, omitido);
        if (!conInicio || !buscarNudo(punteroNudos, sinNudos, tag, barras(i, 2), fila.fin, omitido)) {
            if (!yaDefinida) barrasOmitidas[fila.numero] = barras(i, conInicio ? 2 : 1);
            continue;
        }
        aEntero(barras(i, 1), fila.nudoInicioUsuario);
        aEntero(barras(i, 2), fila.nudoFinalUsuario);
        guardarFila(filas, punteroBarras, fila, repetidos, tag);
    }
    noValidos.cerrar();
    sinNudos.cerrar();
    repetidos.cerrar();
    return filas;
}

// A block's run: its leading values, then the user numbers it applies to.
struct Bloque {
    std::string nombre;
    std::vector<double> corrida;
    std::vector<std::string> palabras;  // the run's words, as written
    // A tag stands where its name should, or the file ends there: the block
    // is left out.
    bool sinNombre = false;
};

Bloque leerBloque(claseLeerArchivo& lector, const std::string& etiqueta, int k, bool conNombre)
{
    Bloque bloque;
    if (conNombre) bloque.nombre = lector.getString(etiqueta, k);
    // Named as the file was first read (avisarBloquesSinNombre).
    if (conNombre && sinNombre(bloque.nombre)) {
        bloque.sinNombre = true;
        return bloque;
    }
    if (conNombre) avisarNombreNumerico(etiqueta, bloque.nombre);
    const Corrida corrida = lector.leerCorrida(etiqueta, k, conNombre ? 1 : 0);
    bloque.corrida = corrida.valores;
    bloque.palabras = corrida.palabras;
    avisarBloqueIncompleto(lector, etiqueta, bloque.nombre, corrida);
    return bloque;
}

// Calls aplicar(internal node number) for every node the block lists after its
// leading values; returns those internal numbers, in the order listed.
template <class Aplicar>
std::vector<int> porCadaNudo(const Bloque& bloque, std::size_t valores, const Puntero& punteroNudos,
                             SerieDeAvisos& serie, const std::string& etiqueta, Aplicar aplicar)
{
    std::vector<int> aplicados;
    for (std::size_t i = valores; i < bloque.corrida.size(); ++i) {
        int interno;
        avisarNumeroConDecimales(bloque.palabras[i], etiqueta, bloque.corrida[i], "el nudo ");
        if (!buscarNudo(punteroNudos, serie, etiqueta, bloque.corrida[i], interno)) continue;
        aplicar(interno);
        aplicados.push_back(interno);
    }
    return aplicados;
}

template <class Aplicar>
std::vector<int> porCadaBarra(const Bloque& bloque, std::size_t valores, const Puntero& punteroBarras,
                              const BarrasOmitidas& barrasOmitidas, SerieDeAvisos& serie,
                              const std::string& etiqueta, Aplicar aplicar)
{
    std::vector<int> aplicados;
    for (std::size_t i = valores; i < bloque.corrida.size(); ++i) {
        int interno;
        avisarNumeroConDecimales(bloque.palabras[i], etiqueta, bloque.corrida[i], "la barra ");
        if (!buscarBarra(punteroBarras, barrasOmitidas, serie, etiqueta, bloque.corrida[i], interno)) continue;
        aplicar(interno);
        aplicados.push_back(interno);
    }
    return aplicados;
}

// A support, spring or section block's first three values, as written and as
// read, and the nodes or bars `aplicados` that took them.
Asignado asignadoDe(const std::string& etiqueta, const Bloque& bloque, std::vector<int> aplicados)
{
    const std::size_t valores = std::min<std::size_t>(bloque.corrida.size(), 3);
    return {etiqueta, bloque.nombre, {bloque.palabras.begin(), bloque.palabras.begin() + valores},
            {bloque.corrida.begin(), bloque.corrida.begin() + valores}, std::move(aplicados)};
}

// A case is never a tag either: the list ends before a factor that a tag
// follows, and the tag opens its own block.
Combo leerCombo(claseLeerArchivo& lector, int k)
{
    const std::string& tag = etiqueta(tagCombo);
    Combo combo;
    combo.nombre = lector.getString(tag, k);
    combo.sinNombre = sinNombre(combo.nombre);
    if (combo.sinNombre) return combo;
    avisarNombreNumerico(tag, combo.nombre);
    const ListaDeFactores lista = lector.leerFactores(tag, k, 1);
    const std::size_t pares = paresConCaso(lista.nombres);
    combo.factores.assign(lista.factores.begin(), lista.factores.begin() + pares);
    combo.casos.assign(lista.nombres.begin(), lista.nombres.begin() + pares);
    if (lista.nombres.empty()) combo.palabraDelPrimerFactor = lista.fin.palabra;
    if (pares < lista.nombres.size()) {
        avisarFactorSinCaso(combo.nombre, lista.palabrasDeFactores[pares], lista.nombres[pares]);
    } else {
        avisarNumeroMalEscrito(lista.fin, tag);
    }
    return combo;
}

// Section blocks of one tag: name; two values of the section and E, then
// bars. fijar gives a bar the two values; conSeccion marks the bars given one.
template <class Fijar>
void leerSecciones(claseLeerArchivo& lector, const std::string& etiqueta, const Puntero& punteroBarras,
                   const BarrasOmitidas& barrasOmitidas, std::vector<bool>& conSeccion, Asignaciones& secciones,
                   Fijar fijar)
{
    const int bloques = lector.getNoEtiquetas(etiqueta);
    SerieDeAvisos noDefinidas = serieDeBarrasNoDefinidas(etiqueta);
    for (int k = 1; k <= bloques; ++k) {
        const Bloque bloque = leerBloque(lector, etiqueta, k, true);
        const std::vector<double>& v = bloque.corrida;
        std::vector<int> conEsta =
            porCadaBarra(bloque, 3, punteroBarras, barrasOmitidas, noDefinidas, etiqueta, [&](int i) {
            fijar(barra[i], v[0], v[1]);
            barra[i].setModuloE(v[2]);
            barra[i].setNombreDeSeccion(bloque.nombre);
            conSeccion[i] = true;
        });
        avisarAsignadoDeNuevo(secciones, asignadoDe(etiqueta, bloque, std::move(conEsta)));
    }
    noDefinidas.cerrar();
}

// Distributed-load blocks of one tag: case name; four values, then bars. The
// case names join casos; the trace line follows when there is a block.
template <class Fijar>
void leerCargasDeBarras(claseLeerArchivo& lector, const std::string& etiqueta, const char* traza,
                        const Puntero& punteroBarras, const BarrasOmitidas& barrasOmitidas,
                        std::vector<std::string>& casos, Fijar fijar)
{
    const int bloques = lector.getNoEtiquetas(etiqueta);
    SerieDeAvisos noDefinidas = serieDeBarrasNoDefinidas(etiqueta);
    for (int k = 1; k <= bloques; ++k) {
        const Bloque bloque = leerBloque(lector, etiqueta, k, true);
        if (bloque.sinNombre) continue;
        casos.push_back(bloque.nombre);
        const std::vector<int> cargadas =
            porCadaBarra(bloque, 4, punteroBarras, barrasOmitidas, noDefinidas, etiqueta,
                         [&](int i) { fijar(barra[i], bloque.nombre, bloque.corrida); });
        avisarNombradoDosVeces(etiqueta, bloque.nombre, cargadas);
    }
    noDefinidas.cerrar();
    if (bloques > 0) std::cout << traza << std::endl;
}

// The steps of funcionLeerArchivo, in the order it runs them. Each ends with
// its line of the trace, when it prints one.

Eigen::MatrixXd leerTablaDeNudos(claseLeerArchivo& lector, const std::unordered_set<std::string>& comoEtiquetas,
                                 std::vector<std::string>& palabras)
{
    avisarSinTablaDeNudos(lector, comoEtiquetas);
    const Eigen::MatrixXd nudos = leerTabla(lector, etiqueta(tagNudos), comoEtiquetas, palabras);
    noNudos = static_cast<int>(nudos.rows());
    std::cout << "lectura de nudos OK " << "Num Nudos = " << noNudos << std::endl;
    return nudos;
}

Eigen::MatrixXd leerTablaDeBarras(claseLeerArchivo& lector, const std::unordered_set<std::string>& comoEtiquetas,
                                  std::vector<std::string>& palabras)
{
    const Eigen::MatrixXd barras = leerTabla(lector, etiqueta(tagBarras), comoEtiquetas, palabras);
    noBarras = static_cast<int>(barras.rows());
    std::cout << "lectura de barras OK " << "Num Barras = " << noBarras << std::endl;
    return barras;
}

// The counts become those of the rows that are built.
std::vector<FilaNudo> numerarNudos(const Eigen::MatrixXd& nudos, const std::vector<std::string>& palabras,
                                   Puntero& punteroNudos)
{
    if (noNudos == 0) return {};
    std::vector<FilaNudo> filas = punteroDeNudos(nudos, palabras, punteroNudos);
    noNudos = static_cast<int>(filas.size());
    std::cout << "punteros de nudos internos OK" << std::endl;
    return filas;
}

std::vector<FilaBarra> numerarBarras(const Eigen::MatrixXd& barras, const std::vector<std::string>& palabras,
                                     const Puntero& punteroNudos, Puntero& punteroBarras,
                                     BarrasOmitidas& barrasOmitidas)
{
    if (noBarras == 0) return {};
    std::vector<FilaBarra> filas = punteroDeBarras(barras, palabras, punteroNudos, punteroBarras, barrasOmitidas);
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
    avisarNudosCoincidentes();
}

// The codes truncated to int; false, with one line, when one is no int.
bool codigosDeApoyo(const Bloque& bloque, int (&codigo)[3])
{
    for (int d = 0; d < 3; ++d) {
        if (aEntero(bloque.corrida[d], codigo[d])) continue;
        std::cout << "Advertencia: " << etiqueta(tagApoyo) << " el código de apoyo " << textoNumero(bloque.corrida[d])
                  << " no es válido; se omite el bloque" << std::endl;
        return false;
    }
    return true;
}

// Codes X, Y, rotation, then nodes; a later block overrides. Returns the
// blocks as applied, for the checks that need the springs as well.
Asignaciones leerApoyos(claseLeerArchivo& lector, const Puntero& punteroNudos)
{
    const std::string& tag = etiqueta(tagApoyo);
    const int bloques = lector.getNoEtiquetas(tag);
    SerieDeAvisos noDefinidos = serieDeNudosNoDefinidos(tag);
    Asignaciones apoyos;
    for (int k = 1; k <= bloques; ++k) {
        const Bloque bloque = leerBloque(lector, tag, k, false);
        int codigo[3];
        if (bloque.corrida.size() <= 3 || !codigosDeApoyo(bloque, codigo)) continue;
        std::vector<int> apoyados = porCadaNudo(bloque, 3, punteroNudos, noDefinidos, tag,
                                                [&](int n) { nudo[n].setApoyo(codigo[0], codigo[1], codigo[2]); });
        avisarAsignadoDeNuevo(apoyos, asignadoDe(tag, bloque, std::move(apoyados)));
    }
    noDefinidos.cerrar();
    if (bloques > 0) std::cout << "transferencia de apoyos a nudo[i] OK" << std::endl;
    return apoyos;
}

// Stiffness X, Y, rotation, then nodes.
void leerResortes(claseLeerArchivo& lector, const Puntero& punteroNudos)
{
    const std::string& tag = etiqueta(tagResorte);
    const int bloques = lector.getNoEtiquetas(tag);
    SerieDeAvisos noDefinidos = serieDeNudosNoDefinidos(tag);
    Asignaciones resortes;
    for (int k = 1; k <= bloques; ++k) {
        const Bloque bloque = leerBloque(lector, tag, k, false);
        const std::vector<double>& v = bloque.corrida;
        std::vector<int> conResorte = porCadaNudo(bloque, 3, punteroNudos, noDefinidos, tag,
                                                  [&](int n) { nudo[n].setResorte(v[0], v[1], v[2]); });
        avisarAsignadoDeNuevo(resortes, asignadoDe(tag, bloque, std::move(conResorte)));
    }
    noDefinidos.cerrar();
    avisarResortesNegativos(resortes);
    if (bloques > 0) std::cout << "transferencia de resortes a nudo[i] OK" << std::endl;
}

// What the solve and the window make of the supports, springs included.
void avisarApoyos(const Asignaciones& apoyos)
{
    avisarCodigosDeApoyo(apoyos);
    avisarApoyosSinSimbolo();
    avisarSinApoyos();
}

// Case name; Fx, Fy, Mz, then nodes. The case names join casos.
void leerCargasPuntuales(claseLeerArchivo& lector, const Puntero& punteroNudos, std::vector<std::string>& casos)
{
    const std::string& tag = etiqueta(tagPuntual);
    const int bloques = lector.getNoEtiquetas(tag);
    SerieDeAvisos noDefinidos = serieDeNudosNoDefinidos(tag);
    for (int k = 1; k <= bloques; ++k) {
        const Bloque bloque = leerBloque(lector, tag, k, true);
        if (bloque.sinNombre) continue;
        casos.push_back(bloque.nombre);
        const std::vector<double>& v = bloque.corrida;
        const std::vector<int> cargados =
            porCadaNudo(bloque, 3, punteroNudos, noDefinidos, tag,
                        [&](int n) { nudo[n].setCargaPuntual(bloque.nombre, v[0], v[1], v[2]); });
        avisarNombradoDosVeces(tag, bloque.nombre, cargados);
    }
    noDefinidos.cerrar();
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
std::vector<Combo> leerCombosDeNudos(claseLeerArchivo& lector, const std::unordered_set<std::string>& conPares)
{
    const int bloques = lector.getNoEtiquetas(etiqueta(tagCombo));
    std::vector<Combo> combos;
    std::unordered_set<std::string> formados;
    for (int k = 1; k <= bloques; ++k) {
        Combo combo = leerCombo(lector, k);
        if (combo.sinNombre) continue;
        combos.push_back(combo);
        if (combo.factores.empty()) {
            avisarCombinacionSinPares(combo, conPares.count(combo.nombre) != 0);
            continue;
        }
        avisarCasoRepetido(combo);
        if (formados.insert(combo.nombre).second) {
            avisarNombreSinTeclas(combo.nombre);
        } else {
            avisarCombinacionRepetida(combo.nombre);
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
// come second, so they win over rectangular ones; then the values that no
// section can have, the bars that no block gave a section, and one name given
// to different sections, are said.
void leerSeccionesDeBarras(claseLeerArchivo& lector, const Puntero& punteroBarras,
                           const BarrasOmitidas& barrasOmitidas)
{
    if (noBarras == 0) return;
    std::vector<bool> conSeccion(barra.size(), false);
    Asignaciones secciones;
    leerSecciones(lector, etiqueta(tagSeccionRectangular), punteroBarras, barrasOmitidas, conSeccion, secciones,
                  [](objBarra2d& b, double x, double y) { b.setSeccionRectangular(x, y); });
    std::cout << "transferencia de secciones rect a barra[i] OK" << std::endl;
    leerSecciones(lector, etiqueta(tagSeccionGenerica), punteroBarras, barrasOmitidas, conSeccion, secciones,
                  [](objBarra2d& b, double x, double y) { b.setSeccionGenerica(x, y); });
    std::cout << "transferencia de secciones gen a barra[i] OK" << std::endl;
    avisarSeccionesImposibles(secciones);
    avisarBarrasSinSeccion(conSeccion);
    avisarSeccionesHomonimas(conSeccion);
}

// Case name; axial start, end, transverse start, end, then bars.
void leerCargasLocales(claseLeerArchivo& lector, const Puntero& punteroBarras, const BarrasOmitidas& barrasOmitidas,
                       std::vector<std::string>& casos)
{
    leerCargasDeBarras(lector, etiqueta(tagDistribuidaLocal), "transferencia de cargas Locales a barra[i] OK",
                       punteroBarras, barrasOmitidas, casos,
                       [](objBarra2d& b, const std::string& caso, const std::vector<double>& v) {
                           b.setCargaLocal(caso, v[0], v[1], v[2], v[3]);
                       });
}

// Case name; start, end intensity, direction X, Y, then bars. The bar projects
// them with its angle, so they come after the bars are made.
void leerCargasGlobales(claseLeerArchivo& lector, const Puntero& punteroBarras,
                        const BarrasOmitidas& barrasOmitidas, std::vector<std::string>& casos)
{
    leerCargasDeBarras(lector, etiqueta(tagDistribuidaGlobal), "transferencia de cargas globales a barra[i] OK",
                       punteroBarras, barrasOmitidas, casos,
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

void tomarAjuste(claseLeerArchivo& lector, const Etiqueta& ajuste)
{
    if (ajuste.entero != nullptr) {
        *ajuste.entero = lector.getEntero(ajuste.texto, *ajuste.entero, esPrecision);
    } else {
        *ajuste.escala = lector.getReal(ajuste.texto, *ajuste.escala, esEscala);
    }
}

// The defaults, then the file's values where usable, in the table's order.
void leerAjustes(claseLeerArchivo& lector)
{
    ajustesPorDefecto();
    for (int k = primerAjuste; k < noEtiquetas; ++k) tomarAjuste(lector, etiquetas[k]);
}

}  // namespace

void ajustesPorDefecto()
{
    for (int k = primerAjuste; k < noEtiquetas; ++k) {
        const Etiqueta& ajuste = etiquetas[k];
        if (ajuste.escala != nullptr) *ajuste.escala = ajuste.porDefecto;
        if (ajuste.entero != nullptr) *ajuste.entero = static_cast<int>(ajuste.porDefecto);
    }
}

void funcionLeerArchivo()
{
    claseLeerArchivo lector;
    lector.setNombreArchivo(nombreArchivo);

    // 1. The file: one that cannot be opened, or UTF-16 text, reads as empty.
    avisarArchivoIlegible(lector);

    // 2. Words that stand for a tag but are none, and tags that stand for a
    // block's name, named before what they break.
    const NombresDeCombos nombresDeCombos = nombresDeLasCombinaciones(lector);
    const std::unordered_set<std::string> comoEtiquetas = avisarPalabrasComoEtiquetas(lector, nombresDeCombos.casos);
    avisarBloquesSinNombre(lector);

    // 3. Node table: user number, X, Y.
    std::vector<std::string> palabrasNudos;
    const Eigen::MatrixXd nudos = leerTablaDeNudos(lector, comoEtiquetas, palabrasNudos);

    // 4. Bar table: user number, start node, end node.
    std::vector<std::string> palabrasBarras;
    const Eigen::MatrixXd barras = leerTablaDeBarras(lector, comoEtiquetas, palabrasBarras);

    // 5. Node lookup table.
    Puntero punteroNudos;
    const std::vector<FilaNudo> filasNudo = numerarNudos(nudos, palabrasNudos, punteroNudos);

    // 6. Bar lookup table; a bar row whose node is undefined is not built.
    Puntero punteroBarras;
    BarrasOmitidas barrasOmitidas;
    const std::vector<FilaBarra> filasBarra =
        numerarBarras(barras, palabrasBarras, punteroNudos, punteroBarras, barrasOmitidas);

    // 7. Nodes.
    crearNudos(filasNudo, punteroNudos);

    // 8. Supports.
    const Asignaciones apoyos = leerApoyos(lector, punteroNudos);

    // 9. Springs; then the supports as the solve and the window take them.
    leerResortes(lector, punteroNudos);
    avisarApoyos(apoyos);

    // 10. Point loads.
    std::vector<std::string> casosConCargas;
    leerCargasPuntuales(lector, punteroNudos, casosConCargas);

    // 11. Combinations on the nodes, after their loads.
    const std::vector<Combo> combos = leerCombosDeNudos(lector, nombresDeCombos.conPares);

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
