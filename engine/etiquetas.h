#pragma once

#include <iterator>
#include <string>

#include "vardel2d.h"

// The input file's tags: each is written once, in the table `etiquetas`, and
// every lookup of the builder, every check of the file's mistakes and every
// message takes its text from there.

// How a tag's block opens, which the checks of mistyped and glued tags
// compare a word's neighbours with: a name first or not, then the numbers of
// its first row (for combo:, its first factor). A display setting also names
// the variable it sets and the default it keeps otherwise: a scale is taken
// when it is a finite number above 0, the number of decimals unless it is -1.
struct Etiqueta {
    const char* texto;
    bool conNombre;
    int numeros;
    double* escala = nullptr;
    int* entero = nullptr;
    double porDefecto = 0;
};

// The tags of the blocks, by their place in `etiquetas`; the display
// settings follow them there and are read by walking the table.
enum NombreDeEtiqueta : int {
    tagNudos,
    tagBarras,
    tagApoyo,
    tagResorte,
    tagPuntual,
    tagCombo,
    tagSeccionRectangular,
    tagSeccionGenerica,
    tagDistribuidaLocal,
    tagDistribuidaGlobal,
    primerAjuste,
};

// The 18 tags, the blocks' in the order above, then the display settings
// in the order in which the builder writes their defaults and reads them.
inline const Etiqueta etiquetas[] = {
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
    {"escalaDeflexion:", false, 1, &escalaDef, nullptr, 100},
    {"escalaM:", false, 1, &escalaM, nullptr, 0.1},
    {"escalaV:", false, 1, &escalaV, nullptr, 0.1},
    {"escalaN:", false, 1, &escalaN, nullptr, 0.01},
    {"escalaTexto:", false, 1, &escalaTexto, nullptr, 0.15},
    {"escalaApoyo:", false, 1, &escalaApoyo, nullptr, 0},
    {"precision:", false, 1, nullptr, &precision, 3},
    {"escalaCarga:", false, 1, &escalaCarga, nullptr, 0.1},
};
inline const int noEtiquetas = static_cast<int>(std::size(etiquetas));
static_assert(std::size(etiquetas) > primerAjuste, "every block tag has its row");

// Numbers in a row of the node and bar tables: user number and two more.
const int columnasDeTabla = 3;

// The text of a block's tag, such as "combo:".
const std::string& etiqueta(NombreDeEtiqueta nombre);

// The tag the word is, or null: exact, case-sensitive, colon included.
const Etiqueta* etiquetaDe(const std::string& palabra);
bool esEtiqueta(const std::string& palabra);
