#pragma once

// The checks that name the input file's mistakes. Each prints one line, or
// one per place it names, starting "Advertencia:", and changes nothing: the
// builder reads the file as it would without them. The builder's steps call
// them where the mistake first shows, so that a cause is said before the
// lines about its consequences.

#include <cstddef>
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
    // A tag stands where its name should: no combination is formed.
    bool sinNombre = false;
};

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
// and a tag glued to its value or name. Names the file gives (a block's name,
// the cases of the combinations in `casos`) are never taken for a tag.
// Returns the words it named, which the table checks take as tags.
std::unordered_set<std::string> avisarPalabrasComoEtiquetas(claseLeerArchivo& lector,
                                                            const std::unordered_set<std::string>& casos);

// Looks at every tag that takes a name: a tag right after it stands where the
// name belongs, so the block is left out.
void avisarBloquesSinNombre(claseLeerArchivo& lector);

// Looks at the word that ended a block's run: a number written with a comma or
// a capital E, a unit glued to it, an infinity or a NaN. True when it named it.
bool avisarNumeroMalEscrito(const FinDeCorrida& fin, const std::string& etiqueta);

// Looks at the word that ended a table's run: a misspelt number, or text
// inside the table followed by more rows that are lost with it.
void avisarFinDeTabla(claseLeerArchivo& lector, const FinDeCorrida& fin, const std::string& etiqueta,
                      const std::unordered_set<std::string>& comoEtiquetas);

// A table tag given `veces` times; its blocks' rows are read in file order.
void avisarTablaRepetida(const std::string& etiqueta, int veces);

// A table whose `numeros` numbers form no whole rows: the reader's fixed line,
// then how many there are, since every row of the table is dropped for them.
void avisarFilasIncompletas(const std::string& etiqueta, std::size_t numeros);

// A user number given to two rows of a table; the later row is kept.
void avisarNumeroRepetido(const std::string& etiqueta, int numero);

// A combination whose list stops at a factor that a tag follows.
void avisarFactorSinCaso(const std::string& combo, const std::string& factor, const std::string& etiqueta);

// A combination block that lists no pair of factor and case.
void avisarCombinacionSinPares(const std::string& combo);

// A combination name given to a second block; their pairs add up.
void avisarCombinacionRepetida(const std::string& combo);

// A section block that lists no bar.
void avisarSeccionSinBarras(const std::string& etiqueta, const std::string& seccion);

// Looks at every bar: one that no section block lists has no stiffness.
// `conSeccion` marks, by internal number, the bars given a section.
void avisarBarrasSinSeccion(const std::vector<bool>& conSeccion);

// Looks at every bar with a section: one name given to sections of different
// A, I or E labels them alike in the window, though the bars differ.
void avisarSeccionesHomonimas(const std::vector<bool>& conSeccion);

// Looks at the combinations' cases against the cases that have loads
// (`casos`, in file order): a case that no load has, with a case of the same
// letters in another case if there is one, and a case that no combination
// names.
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
