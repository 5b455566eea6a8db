#pragma once

#include <string>

// A regular plane frame of `pisos` storeys by `vanos` bays: bays of 5 m,
// storeys of 3 m, every base node fixed, concrete columns C40x40 and beams
// V30x60 (E = 2.5e7 kN/m2). Load cases, all as global distributed loads:
//   muerta  25 kN/m down on every beam, 4 kN/m down on every column (self weight)
//   viva    10 kN/m down on every beam
//   viento   3 kN/m along +X on every column
// and three combinations U1 = 1.2 muerta + 1.6 viva,
// U2 = 1.2 muerta + 1 viva + 1.6 viento, U3 = 0.9 muerta + 1.6 viento.
// Each kind of item is one block that lists all its bars or nodes, as a user
// would write the file. With `todoFijo` every node is fixed, not only the
// bases: the same tables to assemble and hand over, and no free block.
struct MarcoRegular {
    int pisos;
    int vanos;
    bool todoFijo = false;

    int nudos() const { return (pisos + 1) * (vanos + 1); }
    int barras() const { return pisos * (vanos + 1) + pisos * vanos; }
    int gdlLibres() const { return todoFijo ? 0 : 3 * pisos * (vanos + 1); }

    // The input file in the program's tagged format.
    std::string texto() const;

    // Totals of combination c (0..2) over the whole frame, for a check of
    // equilibrium: the downward and the +X resultant of the applied loads.
    double cargaVertical(int c) const;
    double cargaHorizontal(int c) const;
};
