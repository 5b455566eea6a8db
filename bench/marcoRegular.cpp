#include "marcoRegular.h"

#include <sstream>
#include <vector>

namespace {

const double vano = 5.0;
const double altura = 3.0;

const double muertaVigas = 25.0;
const double muertaColumnas = 4.0;
const double vivaVigas = 10.0;
const double vientoColumnas = 3.0;

struct Factores {
    double muerta, viva, viento;
};
const Factores combos[3] = {{1.2, 1.6, 0.0}, {1.2, 1.0, 1.6}, {0.9, 0.0, 1.6}};

void escribirLista(std::ostream& out, const std::vector<int>& numeros)
{
    for (std::size_t k = 0; k < numeros.size(); ++k) out << (k % 20 == 0 ? "\n  " : " ") << numeros[k];
    out << "\n";
}

}  // namespace

std::string MarcoRegular::texto() const
{
    // Node (i, j) stands on column line i at level j; its user number counts
    // from 1 along each level, bottom to top.
    auto numeroNudo = [this](int i, int j) { return 1 + j * (vanos + 1) + i; };

    std::ostringstream out;
    out << "nudos:\n";
    for (int j = 0; j <= pisos; ++j) {
        for (int i = 0; i <= vanos; ++i) out << "  " << numeroNudo(i, j) << " " << i * vano << " " << j * altura << "\n";
    }

    // Each storey: its columns, then its beams.
    std::vector<int> columnas, vigas;
    out << "barras:\n";
    int b = 1;
    for (int j = 1; j <= pisos; ++j) {
        for (int i = 0; i <= vanos; ++i, ++b) {
            out << "  " << b << " " << numeroNudo(i, j - 1) << " " << numeroNudo(i, j) << "\n";
            columnas.push_back(b);
        }
        for (int i = 0; i < vanos; ++i, ++b) {
            out << "  " << b << " " << numeroNudo(i, j) << " " << numeroNudo(i + 1, j) << "\n";
            vigas.push_back(b);
        }
    }

    std::vector<int> fijos;
    for (int j = 0; j <= (todoFijo ? pisos : 0); ++j) {
        for (int i = 0; i <= vanos; ++i) fijos.push_back(numeroNudo(i, j));
    }
    out << "apoyo: 1 1 1";
    escribirLista(out, fijos);

    out << "seccionRectangular: C40x40 0.4 0.4 2.5e7";
    escribirLista(out, columnas);
    out << "seccionRectangular: V30x60 0.3 0.6 2.5e7";
    escribirLista(out, vigas);

    out << "distribuidaGlobal: muerta " << muertaVigas << " " << muertaVigas << " 0 -1";
    escribirLista(out, vigas);
    out << "distribuidaGlobal: muerta " << muertaColumnas << " " << muertaColumnas << " 0 -1";
    escribirLista(out, columnas);
    out << "distribuidaGlobal: viva " << vivaVigas << " " << vivaVigas << " 0 -1";
    escribirLista(out, vigas);
    out << "distribuidaGlobal: viento " << vientoColumnas << " " << vientoColumnas << " 1 0";
    escribirLista(out, columnas);

    for (int c = 0; c < 3; ++c) {
        out << "combo: U" << c + 1;
        if (combos[c].muerta != 0) out << " " << combos[c].muerta << " muerta";
        if (combos[c].viva != 0) out << " " << combos[c].viva << " viva";
        if (combos[c].viento != 0) out << " " << combos[c].viento << " viento";
        out << "\n";
    }
    out << "escalaM: 0.01\n";
    return out.str();
}

double MarcoRegular::cargaVertical(int c) const
{
    const double largoVigas = pisos * vanos * vano;
    const double largoColumnas = pisos * (vanos + 1) * altura;
    const Factores& f = combos[c];
    return f.muerta * (muertaVigas * largoVigas + muertaColumnas * largoColumnas) + f.viva * vivaVigas * largoVigas;
}

double MarcoRegular::cargaHorizontal(int c) const
{
    const double largoColumnas = pisos * (vanos + 1) * altura;
    return combos[c].viento * vientoColumnas * largoColumnas;
}
