#pragma once

// The checks that name the input file's mistakes. Each prints one line, or
// one per place it names, starting "Advertencia:", and changes nothing: the
// builder reads the file as it would without them. The builder's steps call
// them where the mistake first shows, so that a cause is said before the
// lines about its consequences.

#include <cstddef>
#include <ostream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "claseLeerArchivo.h"

// A combination as the file writes it: its name and its pairs.
struct Combo {
    std::string nombre;
    std::vector<double> factores;
    std::vector<std::string> casos;
    // A tag stands where its name should, or the file ends there: no
    // combination is formed.
    bool sinNombre = false;
    // The word where the first factor belongs, when the list ends there
    // without a pair; empty when the file ends first or the list has pairs.
    std::string palabraDelPrimerFactor;
};

// Lines of one kind that one cause can give for every node, bar or number
// within one step of the builder, such as a bar table whose nodes are all
// lost. The first `avisosEnSerie` lines are printed as they come; the rest
// are counted, and cerrar() prints one line for them,
//   Advertencia: <antes> <how many> <despues>
// so that the cause's line stays on the screen. A single line past the first
// few is printed itself, at cerrar(), so the count is always of two or more
// and `despues` is always plural.
// To put a per-item line in a series: make one series for the step (or take
// one of the serie... functions below), write each line to serie.linea()
// where it went to std::cout, ending it with std::endl as before, and call
// serie.cerrar() where the step ends, before its trace line.
class SerieDeAvisos {
public:
    SerieDeAvisos(std::string antes, std::string despues);
    // Where the next line of the series goes: the console, or a buffer.
    std::ostream& linea();
    // The count of the lines not printed, or the one line held back; then
    // the series starts afresh.
    void cerrar();

private:
    std::string antes;
    std::string despues;
    int lineas = 0;
    std::ostringstream retenida;
};

// Lines of one series printed before the rest are counted.
const int avisosEnSerie = 5;

// The series of the builder's lines that name one item each, by what they
// name: bar rows whose nodes are not defined (barras:), nodes a block lists
// that are not defined, bars a block lists that are not in the model, a
// user number given to two rows of a table, and a row whose own number is
// no valid user number (`deQue`: "nudo" or "barra").
SerieDeAvisos serieDeFilasSinNudos(const std::string& etiqueta);
SerieDeAvisos serieDeNudosNoDefinidos(const std::string& etiqueta);
SerieDeAvisos serieDeBarrasNoDefinidas(const std::string& etiqueta);
SerieDeAvisos serieDeNumerosRepetidos(const std::string& etiqueta);
SerieDeAvisos serieDeNumerosNoValidos(const std::string& etiqueta, const std::string& deQue);

// A number word with at least one digit: what a table's row or a block's
// values are made of ("-" and "e" alone pass the reader's number test).
bool esCifra(const std::string& palabra);

// The text in lower case, for comparisons that ignore letter case.
std::string enMinusculas(std::string texto);

// Looks at the file as the reader found it: a path that could not be opened,
// or UTF-16 text, reads as empty, so the empty tables are explained first.
void avisarArchivoIlegible(claseLeerArchivo& lector);

// Looks at every word of the file: a word that resembles a tag (letter case,
// a missing colon, a letter or two off) and is followed by that tag's data,
// a tag glued to its value or name, a tag's name followed by its colon apart
// ("barras :" or "barras :1") and then by the tag's data, and a tag glued
// after a number ("0barras:", "0.5precision:"). Names the file gives (a
// block's name, the cases of the combinations in `casos`) are never taken
// for a tag.
// Returns the words it named, which the table checks take as tags.
std::unordered_set<std::string> avisarPalabrasComoEtiquetas(claseLeerArchivo& lector,
                                                            const std::unordered_set<std::string>& casos);

// Looks at every tag that takes a name: a tag right after it stands where the
// name belongs, or the file ends with it, so the block is left out.
void avisarBloquesSinNombre(claseLeerArchivo& lector);

// Looks at the word that ended a block's run: a number written with a comma or
// a capital E, a unit glued to it, an infinity or a NaN. True when it named it.
// `consecuencia`, when given, ends the line: what the cut leaves of the block.
bool avisarNumeroMalEscrito(const FinDeCorrida& fin, const std::string& etiqueta,
                            const std::string& consecuencia = "");

// Looks at a block's name: a number there is most likely the block's first
// value, written without the name before it.
void avisarNombreNumerico(const std::string& etiqueta, const std::string& nombre);

// Looks at the run of a block that lists nodes or bars after its values: a
// misspelt number that cut it, named with what the block then gives and to
// which, or a run that ends with its values, so that the block gives nothing.
void avisarBloqueIncompleto(claseLeerArchivo& lector, const std::string& etiqueta, const std::string& nombre,
                            const Corrida& corrida);

// Looks at the word that ended a table's run: a misspelt number, or text
// inside the table followed by more rows that are lost with it.
void avisarFinDeTabla(claseLeerArchivo& lector, const FinDeCorrida& fin, const std::string& etiqueta,
                      const std::unordered_set<std::string>& comoEtiquetas);

// A table tag given `veces` times; its blocks' rows are read in file order.
void avisarTablaRepetida(const std::string& etiqueta, int veces);

// Looks at the blocks of a repeated table tag, given how many numbers each
// holds in file order: their numbers are joined before they are cut into
// rows, so a block that leaves a row unfinished shifts the rows after it.
void avisarBloquesSinFilasEnteras(const std::string& etiqueta, const std::vector<std::size_t>& numerosPorBloque);

// A table whose `numeros` numbers form no whole rows: the reader's fixed line,
// then how many there are, since every row of the table is dropped for them.
void avisarFilasIncompletas(const std::string& etiqueta, std::size_t numeros);

// A user number given to two rows of a table; the later row is kept.
void avisarNumeroRepetido(SerieDeAvisos& serie, const std::string& etiqueta, int numero);

// A combination whose list stops at a factor that a tag follows.
void avisarFactorSinCaso(const std::string& combo, const std::string& factor, const std::string& etiqueta);

// A combination block that lists no pair of factor and case, with the word
// that stands where its first factor belongs. `otroBloqueConPares`: a block of
// the same name has pairs, so the combination is formed all the same.
void avisarCombinacionSinPares(const Combo& combo, bool otroBloqueConPares);

// A combination name given to a second block; their pairs add up.
void avisarCombinacionRepetida(const std::string& combo);

// Looks at a combination block's pairs: a case named twice, whose factors add up.
void avisarCasoRepetido(const Combo& combo);

// Looks at a combination's name: one that holds a key which scales the
// diagrams in the window cannot be typed there, so it is never shown.
void avisarNombreSinTeclas(const std::string& combo);

// Looks at every bar: one that no section block lists has no stiffness.
// `conSeccion` marks, by internal number, the bars given a section.
void avisarBarrasSinSeccion(const std::vector<bool>& conSeccion);

// Looks at every bar with a section: one name given to sections of different
// A, I or E labels them alike in the window, though the bars differ.
void avisarSeccionesHomonimas(const std::vector<bool>& conSeccion);

// Looks at the combinations' cases against the cases that have loads
// (`casos`, in file order): a case that no load has, with a case of the same
// letters in another case, or else one a letter off, if there is one, and a
// case that no combination names.
void avisarCasosAusentes(const std::vector<Combo>& combos, const std::vector<std::string>& casos);
void avisarCasosSinCombinacion(const std::vector<std::string>& casos, const std::vector<Combo>& combos);

// Looks at the file when it holds no node table tag: says so, unless a line
// has already explained the empty model (a file that could not be opened,
// UTF-16 text, a word named in `comoEtiquetas` that stands for that tag).
void avisarSinTablaDeNudos(claseLeerArchivo& lector, const std::unordered_set<std::string>& comoEtiquetas);

// Looks at a user number as written: with a fraction, such as 3.6, it is
// truncated, so the word names `objeto` ("el nudo ", "la barra ") of another
// number.
void avisarNumeroConDecimales(const std::string& palabra, const std::string& etiqueta, double valor,
                              const char* objeto);

// Looks at every node's coordinates: nodes of different numbers at one point
// are not joined, nor are the bars that meet there.
void avisarNudosCoincidentes();

// What one block of supports, springs or sections gave: its tag, its name
// (sections only), its three values as written and as read, and the internal
// numbers of the nodes or bars that took them, in the order listed.
struct Asignado {
    std::string etiqueta;
    std::string nombre;
    std::vector<std::string> palabras;
    std::vector<double> valores;
    std::vector<int> internos;
};

// The blocks of one kind in the order the builder applied them, and, by
// internal number, the block whose values each node or bar holds.
struct Asignaciones {
    std::vector<Asignado> bloques;
    std::unordered_map<int, std::size_t> vigente;
};

// Looks at a block as it is applied, then keeps it in `asignaciones`: a node
// or bar that an earlier block gave other values now holds this block's.
void avisarAsignadoDeNuevo(Asignaciones& asignaciones, const Asignado& bloque);

// Looks at the spring blocks whose values nodes hold: a negative stiffness.
void avisarResortesNegativos(const Asignaciones& resortes);

// Look at the supports once the springs are set: a code other than 0 and 1
// in the support blocks (`apoyos`) whose codes nodes hold, nodes held by codes
// the window draws no symbol for, and a model that no support or spring holds.
void avisarCodigosDeApoyo(const Asignaciones& apoyos);
void avisarApoyosSinSimbolo();
void avisarSinApoyos();

// Looks at the internal numbers of the nodes (puntual:) or bars a load block
// applied its load to: one listed twice takes the load twice.
void avisarNombradoDosVeces(const std::string& etiqueta, const std::string& caso, const std::vector<int>& numeros);

// Looks at the section blocks whose values bars hold: b, h, A or E not above
// 0, or I below 0 (0 is a bar that carries axial force only).
void avisarSeccionesImposibles(const Asignaciones& secciones);
