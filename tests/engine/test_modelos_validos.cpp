#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "util.h"
#include "vardel2d.h"

namespace {

// Random frames written as a careful user writes them: every line the
// builder and the solver print for such a file is the fixed trace or the
// harmless line of a display setting left out. A check of the file's
// mistakes that fires on correct input shows up here.
class ModelosValidos : public EstadoLimpio {};

// A multi-storey, multi-bay frame on a grid: user numbers shuffled and
// sparse, the first base node fixed and the others fixed or pinned, every bar
// given a section, every load case loaded and combined, free text before the
// blocks, blocks in any order.
std::string modeloAlAzar(std::mt19937& azar)
{
    auto entero = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    auto real = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(azar); };
    auto numero = [](double v) {
        std::ostringstream t;
        t.precision(6);
        t << v;
        return t.str();
    };

    const int vanos = entero(1, 4);
    const int pisos = entero(1, 4);
    std::vector<double> xs = {0};
    for (int i = 0; i < vanos; ++i) xs.push_back(xs.back() + real(2, 8));
    std::vector<double> ys = {0};
    for (int j = 0; j < pisos; ++j) ys.push_back(ys.back() + real(2.5, 4.5));

    std::vector<int> numeros(200);
    for (int k = 0; k < 200; ++k) numeros[k] = k + 1;
    std::shuffle(numeros.begin(), numeros.end(), azar);
    auto nudoEn = [&](int i, int j) { return numeros[j * (vanos + 1) + i]; };

    std::vector<std::string> bloques;
    std::string nudos = "nudos:";
    for (int j = 0; j <= pisos; ++j) {
        for (int i = 0; i <= vanos; ++i) {
            nudos += " " + std::to_string(nudoEn(i, j)) + " " + numero(xs[i]) + " " + numero(ys[j]);
        }
    }
    bloques.push_back(nudos);

    std::string barras = "barras:";
    std::vector<int> columnas;
    std::vector<int> vigas;
    int b = entero(1, 20);
    for (int j = 0; j < pisos; ++j) {
        for (int i = 0; i <= vanos; ++i) {
            barras += " " + std::to_string(b) + " " + std::to_string(nudoEn(i, j)) + " " +
                      std::to_string(nudoEn(i, j + 1));
            columnas.push_back(b);
            b += entero(1, 3);
        }
        for (int i = 0; i < vanos; ++i) {
            barras += " " + std::to_string(b) + " " + std::to_string(nudoEn(i, j + 1)) + " " +
                      std::to_string(nudoEn(i + 1, j + 1));
            vigas.push_back(b);
            b += entero(1, 3);
        }
    }
    bloques.push_back(barras);

    std::string empotrados = "apoyo: 1 1 1 " + std::to_string(nudoEn(0, 0));
    std::string articulados = "apoyo: 1 1 0";
    for (int i = 1; i <= vanos; ++i) {
        (entero(0, 1) ? empotrados : articulados) += " " + std::to_string(nudoEn(i, 0));
    }
    bloques.push_back(empotrados);
    if (articulados != "apoyo: 1 1 0") bloques.push_back(articulados);
    if (entero(0, 2) == 0) {
        bloques.push_back("resorte: " + numero(real(100, 1e5)) + " 0 0 " + std::to_string(nudoEn(vanos, pisos)));
    }

    auto lista = [](const std::vector<int>& v) {
        std::string t;
        for (int n : v) t += " " + std::to_string(n);
        return t;
    };
    if (entero(0, 1)) {
        bloques.push_back("seccionRectangular: C30x30 0.3 0.3 2.1e7" + lista(columnas));
        bloques.push_back("seccionRectangular: V30x" + std::to_string(entero(40, 70)) + " 0.3 0." +
                          std::to_string(entero(4, 7)) + " 2.1e7" + lista(vigas));
    } else {
        bloques.push_back("seccionGenerica: HEB200 7.81e-3 5.696e-5 2.1e8" + lista(columnas));
        bloques.push_back("seccionGenerica: IPE300 5.38e-3 8.356e-5 2.1e8" + lista(vigas));
    }

    const std::vector<std::string> todos = {"muerta", "viva", "viento", "nieve", "sismo"};
    const std::vector<std::string> casos(todos.begin(), todos.begin() + entero(1, 5));
    for (const std::string& caso : casos) {
        const int viga = vigas[entero(0, static_cast<int>(vigas.size()) - 1)];
        switch (entero(0, 2)) {
        case 0:
            bloques.push_back("puntual: " + caso + " " + std::to_string(entero(-20, 20)) + " " +
                              std::to_string(entero(-30, -1)) + " " + std::to_string(entero(-5, 5)) + " " +
                              std::to_string(nudoEn(entero(0, vanos), entero(1, pisos))));
            break;
        case 1:
            bloques.push_back("distribuidaLocal: " + caso + " 0 0 -" + numero(real(1, 20)) + " -" +
                              numero(real(1, 20)) + " " + std::to_string(viga));
            break;
        default:
            bloques.push_back("distribuidaGlobal: " + caso + " " + numero(real(1, 9)) + " " + numero(real(1, 9)) +
                              " 0 -1 " + std::to_string(viga));
        }
    }
    // Every case in some combination: the first takes them all.
    const int combinaciones = entero(1, 4);
    for (int c = 0; c < combinaciones; ++c) {
        std::string combo = "combo: " + std::string(c % 2 ? "ELS" : "ELU") + std::to_string(c + 1);
        for (const std::string& caso : casos) {
            if (c == 0 || entero(0, 1)) combo += " " + numero(std::vector<double>{1, 1.2, 1.35, 1.5, 0.9}[entero(0, 4)]) + " " + caso;
        }
        if (combo.find(' ', 7) == std::string::npos) combo += " 1 " + casos[0];
        bloques.push_back(combo);
    }
    if (entero(0, 1)) bloques.push_back("escalaM: 0.02 precision: 2");
    if (entero(0, 3) == 0) {
        bloques.push_back("escalaDeflexion: 50 escalaV: 0.05 escalaN: 0.02 escalaTexto: 0.2 escalaApoyo: 0.3 "
                          "escalaCarga: 0.05");
    }

    if (entero(0, 1)) std::shuffle(bloques.begin() + 2, bloques.end(), azar);
    std::string texto = entero(0, 1) ? "Pórtico de " + std::to_string(pisos) + " pisos y " +
                                           std::to_string(vanos) + " vanos, unidades kN y m\n"
                                     : "";
    for (const std::string& bloque : bloques) texto += bloque + "\n";
    return texto;
}

bool esLineaDeUnArchivoCorrecto(const std::string& linea)
{
    static const std::set<std::string> fijas = {
        "punteros de nudos internos OK",
        "puntero de barras internas OK",
        "transferencia de coord a nudos[i] OK",
        "transferencia de apoyos a nudo[i] OK",
        "transferencia de resortes a nudo[i] OK",
        "transferencia de cargas puntuales a nudo[i] OK",
        "transferencia de combos a nudo[i] OK",
        "transferencia de coord a barra[i] OK",
        "transferencia de secciones rect a barra[i] OK",
        "transferencia de secciones gen a barra[i] OK",
        "transferencia de cargas Locales a barra[i] OK",
        "transferencia de cargas globales a barra[i] OK",
        "transferencia de combos a barra[i] OK",
    };
    auto empieza = [&](const char* inicio) { return linea.rfind(inicio, 0) == 0; };
    return fijas.count(linea) || empieza("lectura de nudos OK Num Nudos = ") ||
           empieza("lectura de barras OK Num Barras = ") ||
           empieza("Advertencia: no se encontró ningún real con etiqueta escala") ||
           linea == "Advertencia: no se encontró ningún entero con etiqueta precision:";
}

TEST_F(ModelosValidos, NoDanMasLineasQueLaTraza)
{
    std::mt19937 azar(20261211);
    for (int k = 0; k < 300; ++k) {
        const std::string texto = modeloAlAzar(azar);
        SCOPED_TRACE(texto);
        estadoDeArranque();
        ArchivoTemporal archivo(texto);
        nombreArchivo = archivo.ruta();
        const std::vector<std::string> salida = lineas(salidaDe([] {
            funcionLeerArchivo();
            funcionSolucionU();
        }));
        for (const std::string& linea : salida) EXPECT_TRUE(esLineaDeUnArchivoCorrecto(linea)) << linea;
        ASSERT_GT(noCombos, 0);
        ASSERT_TRUE(modeloComoLoDejaElConstructor());
        EXPECT_TRUE(u.allFinite());
        if (HasFailure()) return;
    }
}

}  // namespace
