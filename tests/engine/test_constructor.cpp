#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "etiquetas.h"
#include "traza.h"
#include "util.h"
#include "vardel2d.h"

namespace {

class Constructor : public EstadoLimpio {};

std::string leidaComoPrefijo(const std::string& palabra, const std::string& valor)
{
    return "Advertencia: la palabra \"" + palabra + "\" no es un número; se lee como " + valor;
}

std::string filasIncompletas(const std::string& etiqueta, int numeros)
{
    return "Advertencia: la tabla \"" + etiqueta + "\" tiene " + std::to_string(numeros) +
           " números, que no forman filas de tres; no se lee ninguna fila";
}

std::string sinCombinacion(const std::string& caso)
{
    return "Advertencia: el caso de carga " + caso + " no está en ninguna combinación; sus cargas no se usan";
}

std::string sinSeccion(int barra)
{
    return "Advertencia: la barra " + std::to_string(barra) +
           " no tiene sección (de seccionRectangular: o seccionGenerica:); no aporta rigidez";
}

void esperarFila(const Eigen::MatrixXd& m, int fila, const std::vector<double>& valores)
{
    ASSERT_LT(fila, m.rows());
    ASSERT_EQ(m.cols(), static_cast<Eigen::Index>(valores.size()));
    for (std::size_t c = 0; c < valores.size(); ++c) EXPECT_NEAR(m(fila, c), valores[c], 1e-12) << "columna " << c;
}

void esperarApoyo(const objNudo2d& n, int x, int y, int g)
{
    const Eigen::Vector3i a = n.getApoyo();
    EXPECT_EQ(a(0), x);
    EXPECT_EQ(a(1), y);
    EXPECT_EQ(a(2), g);
}

// Internal numbers of a bar's end nodes, from its degrees of freedom.
std::pair<int, int> nudosInternos(objBarra2d& b)
{
    const Eigen::VectorXi g = b.getGdl();
    return {g(0) / 3, g(3) / 3};
}

std::string rutaEjemplo(const std::string& nombre)
{
    return std::string(VARDEL2D_SOURCE_DIR) + "/examples/" + nombre;
}

TEST_F(Constructor, EjemploDelPorticoTrazaYModelo)
{
    const Lineas traza = construir(rutaEjemplo("ingresoDatos.txt"));
    esperarTraza(traza, {cuentaNudos(4), cuentaBarras(3), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales,
                         kCombosNudo, kCoordBarras, kRect, kGen, kGlobales, kCombosBarra,
                         avisoReal("escalaDeflexion:"), avisoReal("escalaV:"), avisoReal("escalaN:"),
                         avisoReal("escalaTexto:"), avisoReal("escalaApoyo:"), avisoReal("escalaCarga:")});

    ASSERT_EQ(noNudos, 4);
    ASSERT_EQ(nudo.size(), 4u);
    const double coord[4][2] = {{0, 0}, {0, 3}, {4, 3}, {4, 0}};
    for (int j = 0; j < 4; ++j) {
        SCOPED_TRACE("nudo " + std::to_string(j));
        EXPECT_EQ(nudo[j].getNoNudoUsuario(), j + 1);
        EXPECT_EQ(nudo[j].getNoNudo(), j);
        EXPECT_EQ(nudo[j].getX(), coord[j][0]);
        EXPECT_EQ(nudo[j].getY(), coord[j][1]);
        const int fijo = (j == 0 || j == 3) ? 1 : 0;
        esperarApoyo(nudo[j], fijo, fijo, fijo);
        EXPECT_EQ(nudo[j].getResorteX() + nudo[j].getResorteY() + nudo[j].getResorteGiro(), 0.0);
        ASSERT_EQ(nudo[j].getCantidadDeCombos(), 2);
        EXPECT_EQ(nudo[j].getNombreCombo(0), "U1");
        EXPECT_EQ(nudo[j].getNombreCombo(1), "S1");
        const Eigen::MatrixXd p = nudo[j].getCargasGlobales();
        esperarFila(p, 0, {j == 1 ? 16.0 : 0.0, 0, 0});
        esperarFila(p, 1, {j == 1 ? 10.0 : 0.0, 0, 0});
    }
    EXPECT_EQ(noCombos, 2);

    ASSERT_EQ(noBarras, 3);
    ASSERT_EQ(barra.size(), 3u);
    const std::pair<int, int> extremos[3] = {{0, 1}, {1, 2}, {2, 3}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("barra " + std::to_string(i));
        objBarra2d& b = barra[i];
        EXPECT_EQ(b.getNoBarraUsuario(), i + 1);
        EXPECT_EQ(nudosInternos(b), extremos[i]);
        EXPECT_EQ(b.getNudoInicioUsuario(), extremos[i].first + 1);
        EXPECT_EQ(b.getNudoFinalUsuario(), extremos[i].second + 1);
        EXPECT_EQ(b.getXi(), coord[extremos[i].first][0]);
        EXPECT_EQ(b.getYi(), coord[extremos[i].first][1]);
        EXPECT_EQ(b.getXf(), coord[extremos[i].second][0]);
        EXPECT_EQ(b.getYf(), coord[extremos[i].second][1]);
        const bool viga = i == 1;
        EXPECT_EQ(b.getNombreDeSeccion(), viga ? "V30x50" : "C30x30");
        EXPECT_NEAR(b.getArea(), viga ? 0.15 : 0.09, 1e-15);
        EXPECT_NEAR(b.getInercia(), viga ? 3.125e-3 : 6.75e-4, 1e-15);
        EXPECT_EQ(b.getModE(), 2.1e7);
        const Eigen::MatrixXd q = b.getMatrizCargasCombo();
        esperarFila(q, 0, {0, 0, viga ? -24.0 : 0.0, viga ? -24.0 : 0.0});
        esperarFila(q, 1, {0, 0, viga ? -20.0 : 0.0, viga ? -20.0 : 0.0});
    }

    EXPECT_EQ(escalaDef, 100);
    EXPECT_EQ(escalaM, 0.02);
    EXPECT_EQ(escalaV, 0.1);
    EXPECT_EQ(escalaN, 0.01);
    EXPECT_EQ(escalaTexto, 0.15);
    EXPECT_EQ(escalaApoyo, 0);
    EXPECT_EQ(precision, 2);
    EXPECT_EQ(escalaCarga, 0.1);
}

// The example's blocks in reverse order build the example's model, with the
// same trace: the builder applies the blocks in its own order. Only the
// combinations follow the file, so S1 comes first.
TEST_F(Constructor, BloquesEnOrdenInversoDanElMismoModelo)
{
    const Lineas trazaDelEjemplo = construir(rutaEjemplo("ingresoDatos.txt"));
    const std::vector<objNudo2d> nudosDelEjemplo = nudo;
    std::vector<objBarra2d> barrasDelEjemplo = barra;
    ASSERT_EQ(noCombos, 2);

    ArchivoTemporal invertido(
        "precision: 2 escalaM: 0.02 combo: S1 1 muerta 1 viento combo: U1 1.2 muerta 1.6 viento "
        "distribuidaGlobal: muerta 20 20 0 -1 2 puntual: viento 10 0 0 2 seccionRectangular: V30x50 0.3 0.5 2.1e7 2 "
        "seccionRectangular: C30x30 0.3 0.3 2.1e7 1 3 apoyo: 1 1 1 1 4 barras: 1 1 2 2 2 3 3 3 4 "
        "nudos: 1 0 0 2 0 3 3 4 3 4 4 0");
    esperarTraza(construir(invertido.ruta()), trazaDelEjemplo);
    ASSERT_EQ(noCombos, 2);
    ASSERT_EQ(nudo.size(), nudosDelEjemplo.size());
    ASSERT_EQ(barra.size(), barrasDelEjemplo.size());
    esperarCombosCoherentes();

    const int enElEjemplo[2] = {1, 0};  // S1, U1
    for (std::size_t j = 0; j < nudo.size(); ++j) {
        SCOPED_TRACE("nudo " + std::to_string(j));
        const objNudo2d& n = nudo[j];
        const objNudo2d& e = nudosDelEjemplo[j];
        EXPECT_EQ(n.getNoNudoUsuario(), e.getNoNudoUsuario());
        EXPECT_EQ(n.getNoNudo(), e.getNoNudo());
        EXPECT_EQ(n.getX(), e.getX());
        EXPECT_EQ(n.getY(), e.getY());
        EXPECT_EQ(n.getApoyo(), e.getApoyo());
        EXPECT_EQ(n.getResorteX(), e.getResorteX());
        EXPECT_EQ(n.getResorteY(), e.getResorteY());
        EXPECT_EQ(n.getResorteGiro(), e.getResorteGiro());
        EXPECT_EQ(n.getNombreCombo(0), "S1");
        EXPECT_EQ(n.getNombreCombo(1), "U1");
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(n.getCargasGlobales().row(c), e.getCargasGlobales().row(enElEjemplo[c])) << "combinación " << c;
        }
    }
    for (std::size_t i = 0; i < barra.size(); ++i) {
        SCOPED_TRACE("barra " + std::to_string(i));
        objBarra2d& b = barra[i];
        objBarra2d& e = barrasDelEjemplo[i];
        EXPECT_EQ(b.getNoBarraUsuario(), e.getNoBarraUsuario());
        EXPECT_EQ(nudosInternos(b), nudosInternos(e));
        EXPECT_EQ(b.getNudoInicioUsuario(), e.getNudoInicioUsuario());
        EXPECT_EQ(b.getNudoFinalUsuario(), e.getNudoFinalUsuario());
        EXPECT_EQ(b.getXi(), e.getXi());
        EXPECT_EQ(b.getYi(), e.getYi());
        EXPECT_EQ(b.getXf(), e.getXf());
        EXPECT_EQ(b.getYf(), e.getYf());
        EXPECT_EQ(b.getNombreDeSeccion(), e.getNombreDeSeccion());
        EXPECT_EQ(b.getArea(), e.getArea());
        EXPECT_EQ(b.getInercia(), e.getInercia());
        EXPECT_EQ(b.getModE(), e.getModE());
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(b.getMatrizCargasCombo().row(c), e.getMatrizCargasCombo().row(enElEjemplo[c]))
                << "combinación " << c;
        }
    }
    EXPECT_EQ(escalaM, 0.02);
    EXPECT_EQ(precision, 2);
}

TEST_F(Constructor, ElInicioLeeElArchivoDelPrimerArgumento)
{
    std::string ruta = rutaEjemplo("ingresoDatos.txt");
    char programa[] = "vardel2d";
    char* argv[] = {programa, ruta.data(), nullptr};
    vaciarModelo();
    const Lineas traza = lineas(salidaDe([&] { funcionInicio(2, argv); }));
    ASSERT_FALSE(traza.empty());
    EXPECT_EQ(traza[0], cuentaNudos(4));
    EXPECT_EQ(noNudos, 4);
    EXPECT_EQ(noBarras, 3);
}

TEST_F(Constructor, CasosDeArchivo)
{
    const Caso casos[] = {
        {"solo nudos", "nudos: 1 0 0 2 5 0",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos}),
         [] {
             EXPECT_EQ(noNudos, 2);
             EXPECT_TRUE(barra.empty());
             EXPECT_EQ(noCombos, 0);
             EXPECT_EQ(nudo[1].getX(), 5.0);
         }},
        {"nudos y barras sin nada más", "nudos: 1 0 0 2 5 0 barras: 1 1 2",
         conAvisosEscala(
             {cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kSinApoyos, kCoordBarras, kRect,
              kGen, sinSeccion(1)}),
         [] {
             ASSERT_EQ(barra.size(), 1u);
             EXPECT_EQ(nudosInternos(barra[0]), std::make_pair(0, 1));
             EXPECT_EQ(noCombos, 0);
         }},
        {"archivo vacío", "", conAvisosEscala({kSinTablaDeNudos, cuentaNudos(0), cuentaBarras(0), kCoordNudos}),
         [] {
             EXPECT_EQ(noNudos + noBarras + noCombos, 0);
             EXPECT_TRUE(nudo.empty());
             EXPECT_TRUE(barra.empty());
             EXPECT_EQ(escalaDef, 100);
             EXPECT_EQ(escalaM, 0.1);
             EXPECT_EQ(escalaV, 0.1);
             EXPECT_EQ(escalaN, 0.01);
             EXPECT_EQ(escalaTexto, 0.15);
             EXPECT_EQ(escalaApoyo, 0);
             EXPECT_EQ(precision, 3);
             EXPECT_EQ(escalaCarga, 0.1);
         }},
        {"números truncados", "nudos: 1 0 0 2.9 3 0 -0.5 6 0 barras: 7 1.5 2 apoyo: 1 1 0.9 0.7",
         conAvisosEscala({cuentaNudos(3), cuentaBarras(1), conDecimales("2.9", "nudos:", "el nudo 2"),
                          conDecimales("-0.5", "nudos:", "el nudo 0"), kNudosOK,
                          conDecimales("1.5", "barras:", "el nudo 1"), kBarrasOK, kCoordNudos,
                          conDecimales("0.7", "apoyo:", "el nudo 0"), kApoyos,
                          "Advertencia: apoyo: el nudo 0 tiene el código 0.9 en giro, que no es 0 ni 1: se lee como "
                          "0, libre en el cálculo y en la ventana",
                          kCoordBarras, kRect, kGen, sinSeccion(7)}),
         [] {
             EXPECT_EQ(nudo[1].getNoNudoUsuario(), 2);
             EXPECT_EQ(nudo[2].getNoNudoUsuario(), 0);
             esperarApoyo(nudo[2], 1, 1, 0);
             esperarApoyo(nudo[0], 0, 0, 0);
             EXPECT_EQ(barra[0].getNoBarraUsuario(), 7);
             EXPECT_EQ(barra[0].getNudoInicioUsuario(), 1);
             EXPECT_EQ(barra[0].getNudoFinalUsuario(), 2);
             EXPECT_EQ(nudosInternos(barra[0]), std::make_pair(0, 1));
             EXPECT_EQ(barra[0].getXf(), 3.0);
         }},
        {"número de nudo repetido", "nudos: 1 0 0 1 5 0 2 9 0 barras: 1 1 2",
         conAvisosEscala({cuentaNudos(3), cuentaBarras(1), "Advertencia: el número 1 se repite en nudos:; vale la última fila",
                          kNudosOK, kBarrasOK, kCoordNudos, kSinApoyos, kCoordBarras, kRect, kGen, sinSeccion(1)}),
         [] {
             ASSERT_EQ(noNudos, 2);
             EXPECT_EQ(nudo[0].getNoNudoUsuario(), 1);
             EXPECT_EQ(nudo[0].getNoNudo(), 0);
             EXPECT_EQ(nudo[0].getX(), 5.0);
             EXPECT_EQ(nudo[1].getNoNudo(), 1);
             EXPECT_EQ(nudosInternos(barra[0]), std::make_pair(0, 1));
             EXPECT_EQ(barra[0].getXi(), 5.0);
         }},
        {"apoyos repetidos y carga puntual dos veces",
         "nudos: 1 0 0 2 5 0 apoyo: 1 1 1 1 2 apoyo: 0 1 0 2 puntual: P 3 -4 1 1 1 combo: C 2 P",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos,
                          "Advertencia: apoyo: el nudo 2 está en un bloque con 1 1 1 y en otro posterior con 0 1 0, que lo reemplaza",
                          kApoyos,
                          "Advertencia: puntual: el bloque del caso P nombra 2 veces el nudo 1; la carga se le aplica "
                          "2 veces",
                          kPuntuales, kCombosNudo, kCombosBarra}),
         [] {
             esperarApoyo(nudo[0], 1, 1, 1);
             esperarApoyo(nudo[1], 0, 1, 0);
             EXPECT_EQ(noCombos, 1);
             esperarFila(nudo[0].getCargasGlobales(), 0, {12, -16, 4});
             esperarFila(nudo[1].getCargasGlobales(), 0, {0, 0, 0});
         }},
        {"la sección genérica gana, la última de un tipo gana",
         "nudos: 1 0 0 2 5 0 barras: 1 1 2 2 2 1 seccionGenerica: G 0.01 2e-4 2e8 1 "
         "seccionRectangular: R 0.3 0.5 3e7 1 2 seccionRectangular: R2 0.2 0.2 1e7 2",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(2), kNudosOK, kBarrasOK, kCoordNudos, kSinApoyos, kCoordBarras,
                          "Advertencia: seccionRectangular: la barra 2 está en las secciones R y R2; la posterior, R2, reemplaza a la anterior", kRect,
                          "Advertencia: seccionGenerica: la barra 1 está en las secciones R (seccionRectangular:) y G "
                          "(seccionGenerica:); la posterior, G, reemplaza a la anterior, pues seccionGenerica: se aplica después de seccionRectangular:",
                          kGen}),
         [] {
             EXPECT_EQ(barra[0].getNombreDeSeccion(), "G");
             EXPECT_EQ(barra[0].getArea(), 0.01);
             EXPECT_EQ(barra[0].getInercia(), 2e-4);
             EXPECT_EQ(barra[0].getModE(), 2e8);
             EXPECT_EQ(barra[1].getNombreDeSeccion(), "R2");
             EXPECT_NEAR(barra[1].getArea(), 0.04, 1e-15);
             EXPECT_EQ(barra[1].getModE(), 1e7);
         }},
        {"resortes como reales", "nudos: 1 0 0 resorte: 0.5 1e10 0 1",
         conAvisosEscala({cuentaNudos(1), cuentaBarras(0), kNudosOK, kCoordNudos, kResortes}),
         [] {
             EXPECT_EQ(nudo[0].getResorteX(), 0.5);
             EXPECT_EQ(nudo[0].getResorteY(), 1e10);
             EXPECT_EQ(nudo[0].getResorteGiro(), 0.0);
         }},
        {"bloques que no nombran nada", "nudos: 1 0 0 distribuidaLocal: q 1 2 3 4 apoyo: 1 1 1 puntual: P 1 2",
         conAvisosEscala({cuentaNudos(1), cuentaBarras(0), kNudosOK, kCoordNudos,
                          "Advertencia: apoyo: el apoyo 1 1 1 no nombra ningún nudo; no se aplica", kApoyos,
                          "Advertencia: puntual: la carga del caso P no nombra ningún nudo; no se aplica", kPuntuales,
                          "Advertencia: distribuidaLocal: la carga del caso q no nombra ninguna barra; no se aplica",
                          kLocales, sinCombinacion("P"), sinCombinacion("q")}),
         [] {
             EXPECT_TRUE(barra.empty());
             esperarApoyo(nudo[0], 0, 0, 0);
         }},
        // A number that no row defines names nothing: one line, that item skipped.
        {"números de nudo no definidos",
         "nudos: 1 0 0 5 4 0 apoyo: 1 1 1 -3 3 7 5 resorte: 0 100 0 1e999 1 puntual: P 0 -1 0 2000000000 5 "
         "combo: C 1 P",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos,
                          "Advertencia: apoyo: nombra el nudo -3, que no está definido; se omite",
                          "Advertencia: apoyo: nombra el nudo 3, que no está definido; se omite",
                          "Advertencia: apoyo: nombra el nudo 7, que no está definido; se omite", kApoyos,
                          "Advertencia: la palabra \"1e999\" excede el rango de los reales; se lee como inf",
                          "Advertencia: resorte: nombra el nudo inf, que no está definido; se omite", kResortes,
                          "Advertencia: puntual: nombra el nudo 2000000000, que no está definido; se omite",
                          kPuntuales, kCombosNudo, kCombosBarra}),
         [] {
             esperarApoyo(nudo[0], 0, 0, 0);
             esperarApoyo(nudo[1], 1, 1, 1);
             EXPECT_EQ(nudo[0].getResorteY(), 100.0);
             EXPECT_EQ(nudo[1].getResorteY(), 0.0);
             esperarFila(nudo[0].getCargasGlobales(), 0, {0, 0, 0});
             esperarFila(nudo[1].getCargasGlobales(), 0, {0, -1, 0});
         }},
        {"cargas distribuidas sin barras",
         "nudos: 1 0 0 distribuidaGlobal: g 1 1 0 -1 1 2 distribuidaLocal: l 0 0 1 1 4",
         conAvisosEscala({cuentaNudos(1), cuentaBarras(0), kNudosOK, kCoordNudos,
                          "Advertencia: distribuidaLocal: nombra la barra 4, que no está definida; se omite", kLocales,
                          "Advertencia: distribuidaGlobal: nombra la barra 1, que no está definida; se omite",
                          "Advertencia: distribuidaGlobal: nombra la barra 2, que no está definida; se omite",
                          kGlobales, sinCombinacion("l"), sinCombinacion("g")}),
         [] { EXPECT_TRUE(barra.empty()); }},
        // Lookups take memory in proportion to the rows, whatever the numbers.
        {"números enormes",
         "nudos: 2000000000 0 0 7 3 0 3e9 1 1 barras: 2147483647 2000000000 7 apoyo: 1 1 1 2000000000",
         conAvisosEscala({cuentaNudos(3), cuentaBarras(1),
                          "Advertencia: nudos: el número 3000000000 no es un número de nudo válido; se omite la fila",
                          kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kCoordBarras, kRect, kGen,
                          sinSeccion(2147483647)}),
         [] {
             EXPECT_EQ(noNudos, 2);
             EXPECT_EQ(nudo[0].getNoNudoUsuario(), 2000000000);
             esperarApoyo(nudo[0], 1, 1, 1);
             EXPECT_EQ(barra[0].getNoBarraUsuario(), 2147483647);
             EXPECT_EQ(nudosInternos(barra[0]), std::make_pair(0, 1));
         }},
        {"código de apoyo que no es entero", "nudos: 1 0 0 apoyo: 1 1 1 1 apoyo: 1 5e9 1 1",
         conAvisosEscala({cuentaNudos(1), cuentaBarras(0), kNudosOK, kCoordNudos,
                          "Advertencia: apoyo: el código de apoyo 5000000000 no es válido; se omite el bloque",
                          kApoyos}),
         [] { esperarApoyo(nudo[0], 1, 1, 1); }},
        // A bar row that names an undefined node is not built; the later bars
        // move up and the bar lookup follows them.
        {"barra con un nudo no definido",
         "nudos: 1 0 0 2 4 0 3 8 0 barras: 1 1 9 2 2 3 3 3 1 4 -1e999 2 seccionRectangular: R 1 2 3 1 3",
         conAvisosEscala({cuentaNudos(3),
                          "Advertencia: la palabra \"-1e999\" excede el rango de los reales; se lee como -inf",
                          cuentaBarras(4), kNudosOK,
                          "Advertencia: barras: nombra el nudo 9, que no está definido; se omite la barra 1",
                          "Advertencia: barras: nombra el nudo -inf, que no está definido; se omite la barra 4",
                          kBarrasOK, kCoordNudos, kSinApoyos, kCoordBarras,
                          "Advertencia: seccionRectangular: nombra la barra 1, que se omitió porque su nudo 9 no está definido; "
                          "se omite",
                          kRect,
                          kGen, sinSeccion(2)}),
         [] {
             ASSERT_EQ(noBarras, 2);
             EXPECT_EQ(barra[0].getNoBarraUsuario(), 2);
             EXPECT_EQ(nudosInternos(barra[0]), std::make_pair(1, 2));
             EXPECT_EQ(barra[1].getNoBarraUsuario(), 3);
             EXPECT_EQ(nudosInternos(barra[1]), std::make_pair(2, 0));
             EXPECT_EQ(barra[1].getNombreDeSeccion(), "R");
             EXPECT_EQ(barra[1].getArea(), 2.0);
         }},
        {"bloques que nombran barras omitidas",
         "nudos: 1 0 0 2 4 0 barras: 1 1 2 2 2 7 3 5 1 seccionRectangular: R 1 2 3 1 2 seccionGenerica: G 1 1 1 3 "
         "distribuidaLocal: l 0 0 1 1 2 1 distribuidaGlobal: g 1 1 0 -1 3 8",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(3), kNudosOK,
                          "Advertencia: barras: nombra el nudo 7, que no está definido; se omite la barra 2",
                          "Advertencia: barras: nombra el nudo 5, que no está definido; se omite la barra 3",
                          kBarrasOK, kCoordNudos, kSinApoyos, kCoordBarras,
                          "Advertencia: seccionRectangular: nombra la barra 2, que se omitió porque su nudo 7 no está "
                          "definido; se omite",
                          kRect,
                          "Advertencia: seccionGenerica: nombra la barra 3, que se omitió porque su nudo 5 no está "
                          "definido; se omite",
                          kGen,
                          "Advertencia: distribuidaLocal: nombra la barra 2, que se omitió porque su nudo 7 no está "
                          "definido; se omite",
                          kLocales,
                          "Advertencia: distribuidaGlobal: nombra la barra 3, que se omitió porque su nudo 5 no está "
                          "definido; se omite",
                          "Advertencia: distribuidaGlobal: nombra la barra 8, que no está definida; se omite",
                          kGlobales, sinCombinacion("l"), sinCombinacion("g")}),
         [] {
             ASSERT_EQ(noBarras, 1);
             EXPECT_EQ(barra[0].getNombreDeSeccion(), "R");
             EXPECT_EQ(barra[0].getArea(), 2.0);
         }},
        {"barras sin ningún nudo", "barras: 1 1 2 distribuidaLocal: q 0 0 1 1 1",
         conAvisosEscala({kSinTablaDeNudos, cuentaNudos(0), cuentaBarras(1),
                          "Advertencia: barras: nombra el nudo 1, que no está definido; se omite la barra 1", kBarrasOK,
                          kCoordNudos,
                          "Advertencia: distribuidaLocal: nombra la barra 1, que se omitió porque su nudo 1 no está "
                          "definido; se omite",
                          kLocales, sinCombinacion("q")}),
         [] { EXPECT_TRUE(barra.empty()); }},
        {"combinación repetida",
         "nudos: 1 0 0 2 4 0 barras: 1 1 2 puntual: D 0 -10 0 1 puntual: L 0 -5 0 1 "
         "distribuidaLocal: D 0 0 -1 -1 1 combo: A 1 D combo: B 1 L combo: A 2 L",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kSinApoyos, kPuntuales,
                          "Advertencia: la combinación A se repite; sus pares se suman a la misma combinación",
                          kCombosNudo, kCoordBarras, kRect, kGen, sinSeccion(1), kLocales, kCombosBarra}),
         [] {
             EXPECT_EQ(noCombos, 2);
             esperarCombosCoherentes();
             EXPECT_EQ(nudo[0].getNombreCombo(0), "A");
             EXPECT_EQ(nudo[0].getNombreCombo(1), "B");
             esperarFila(nudo[0].getCargasGlobales(), 0, {0, -20, 0});
             esperarFila(nudo[0].getCargasGlobales(), 1, {0, -5, 0});
             esperarFila(barra[0].getMatrizCargasCombo(), 0, {0, 0, -1, -1});
             esperarFila(barra[0].getMatrizCargasCombo(), 1, {0, 0, 0, 0});
         }},
        {"combinación sin pares",
         "nudos: 1 0 0 2 4 0 barras: 1 1 2 puntual: D 1 0 0 1 combo: V x combo: A 1 D",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kSinApoyos, kPuntuales,
                          "Advertencia: la combinación V no tiene pares de factor y caso: la palabra \"x\" está "
                          "donde va su primer factor; se omite",
                          kCombosNudo,
                          kCoordBarras, kRect, kGen, sinSeccion(1), kCombosBarra}),
         [] {
             EXPECT_EQ(noCombos, 1);
             esperarCombosCoherentes();
             EXPECT_EQ(nudo[0].getNombreCombo(0), "A");
             esperarFila(nudo[0].getCargasGlobales(), 0, {1, 0, 0});
         }},
        {"ninguna combinación con pares", "nudos: 1 0 0 2 4 0 barras: 1 1 2 combo: V",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kSinApoyos,
                          "Advertencia: la combinación V no tiene pares de factor y caso; se omite", kCoordBarras,
                          kRect, kGen, sinSeccion(1)}),
         [] {
             EXPECT_EQ(noCombos, 0);
             esperarCombosCoherentes();
         }},
        // A repeated table tag reads the rows of all its blocks in file order.
        {"etiqueta nudos: repetida", "nudos: 1 0 0 barras: 1 1 2 nudos: 2 4 0",
         conAvisosEscala({"Advertencia: la etiqueta nudos: aparece 2 veces; se leen las filas de todas en el orden "
                          "del archivo",
                          cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kSinApoyos, kCoordBarras,
                          kRect, kGen, sinSeccion(1)}),
         [] {
             EXPECT_EQ(nudo[1].getNoNudoUsuario(), 2);
             EXPECT_EQ(nudo[1].getX(), 4.0);
             EXPECT_EQ(barra[0].getXf(), 4.0);
         }},
        {"etiqueta barras: repetida", "nudos: 1 0 0 2 4 0 3 8 0 barras: 1 1 2 barras: 2 2 3",
         conAvisosEscala({cuentaNudos(3),
                          "Advertencia: la etiqueta barras: aparece 2 veces; se leen las filas de todas en el orden "
                          "del archivo",
                          cuentaBarras(2), kNudosOK, kBarrasOK, kCoordNudos, kSinApoyos, kCoordBarras, kRect, kGen,
                          "Advertencia: las barras 1 y 2 no tienen sección (de seccionRectangular: o "
                          "seccionGenerica:); no aportan rigidez"}),
         [] {
             ASSERT_EQ(barra.size(), 2u);
             EXPECT_EQ(barra[1].getNoBarraUsuario(), 2);
             EXPECT_EQ(nudosInternos(barra[1]), std::make_pair(1, 2));
         }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// One beam on a fixed node, loaded at its free end, as a user would type it.
const std::string kViga = "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 "
                          "seccionRectangular: V 0.3 0.5 2.1e7 1 puntual: P 0 -10 0 2 combo: U 1 P";

const Lineas kTrazaViga = conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos,
                                           kApoyos, kPuntuales, kCombosNudo, kCoordBarras, kRect, kGen,
                                           kCombosBarra});

std::string reemplazar(std::string texto, const std::string& de, const std::string& a)
{
    texto.replace(texto.find(de), de.size(), a);
    return texto;
}

std::string numeroMalEscrito(const std::string& palabra, const std::string& etiqueta)
{
    return "Advertencia: la palabra \"" + palabra + "\" después de \"" + etiqueta +
           "\" no es un número; escriba el punto decimal como \".\" y el exponente como \"e\"";
}

void esperarViga()
{
    ASSERT_EQ(noNudos, 2);
    ASSERT_EQ(noBarras, 1);
    EXPECT_EQ(nudo[1].getX(), 4.0);
    esperarApoyo(nudo[0], 1, 1, 1);
    EXPECT_EQ(nudo[0].getNombreCombo(0), "U");
    esperarFila(nudo[1].getCargasGlobales(), 0, {0, -10, 0});
    EXPECT_EQ(nudosInternos(barra[0]), std::make_pair(0, 1));
    EXPECT_EQ(barra[0].getNombreDeSeccion(), "V");
    EXPECT_NEAR(barra[0].getArea(), 0.15, 1e-15);
    EXPECT_EQ(barra[0].getModE(), 2.1e7);
}

void esperarVigaSinSeccion()
{
    ASSERT_EQ(noBarras, 1);
    EXPECT_EQ(barra[0].getArea(), 0.0);
    EXPECT_EQ(barra[0].getModE(), 0.0);
}

TEST_F(Constructor, ArchivosComoLosEscribenLosUsuarios)
{
    const std::string nbsp = "\xC2\xA0";
    const Caso casos[] = {
        {"marca de orden UTF-8", "\xEF\xBB\xBF" + kViga, kTrazaViga, esperarViga},
        {"espacios de no separación", reemplazar(reemplazar(kViga, "2 4 0", "2" + nbsp + "4" + nbsp + "0"),
                                                  "V 0.3", "V" + nbsp + nbsp + "0.3"),
         kTrazaViga, esperarViga},
        {"coma decimal en una sección", reemplazar(kViga, "2.1e7", "2,1e7"),
         conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales,
                          kCombosNudo, kCoordBarras,
                          numeroMalEscrito("2,1e7", "seccionRectangular:") + "; la sección V no se asigna", kRect, kGen,
                          sinSeccion(1), kCombosBarra}),
         esperarVigaSinSeccion},
        {"exponente en mayúscula en una sección", reemplazar(kViga, "2.1e7", "2.1E7"),
         conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales,
                          kCombosNudo, kCoordBarras,
                          numeroMalEscrito("2.1E7", "seccionRectangular:") + "; la sección V no se asigna", kRect, kGen,
                          sinSeccion(1), kCombosBarra}),
         esperarVigaSinSeccion},
        {"coma decimal en la tabla de nudos", "nudos: 1 0 0 2 4,5 0",
         conAvisosEscala({numeroMalEscrito("4,5", "nudos:"), "Faltan datos para completar la matriz nudos:",
                          filasIncompletas("nudos:", 4), cuentaNudos(0), cuentaBarras(0), kCoordNudos}),
         [] { EXPECT_TRUE(nudo.empty()); }},
        {"coma decimal en una tabla repetida", "nudos: 1 0 0 2,5 nudos: 3 8 0",
         conAvisosEscala({"Advertencia: la etiqueta nudos: aparece 2 veces; se leen las filas de todas en el orden "
                          "del archivo",
                          numeroMalEscrito("2,5", "nudos:"), cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos}),
         [] { EXPECT_EQ(nudo[1].getNoNudoUsuario(), 3); }},
        {"signo y punto al principio", "nudos: 1 0 0 apoyo: 1 1 1 -1E2 resorte: 0 5 0 .5,0 1",
         conAvisosEscala({cuentaNudos(1), cuentaBarras(0), kNudosOK, kCoordNudos,
                          numeroMalEscrito("-1E2", "apoyo:") + "; el apoyo no se aplica", kApoyos,
                          numeroMalEscrito(".5,0", "resorte:") + "; el resorte no se aplica", kResortes}),
         [] {
             esperarApoyo(nudo[0], 0, 0, 0);
             EXPECT_EQ(nudo[0].getResorteY(), 0.0);
         }},
        {"coma decimal en un factor", kViga + " combo: S 1 P 1,5 P",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales,
                          numeroMalEscrito("1,5", "combo:"), kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra}),
         [] {
             ASSERT_EQ(noCombos, 2);
             esperarFila(nudo[1].getCargasGlobales(), 1, {0, -10, 0});
         }},
        // A word that passes as a number but holds more than its numeric
        // prefix is read as the prefix, and said so once.
        {"coordenada con más que un número", reemplazar(kViga, "2 4 0", "2 4-3 0"),
         conAvisosEscala({leidaComoPrefijo("4-3", "4"), cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK,
                          kCoordNudos, kApoyos, kPuntuales, kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra}),
         [] { EXPECT_EQ(nudo[1].getX(), 4.0); }},
        {"factor con más que un número", reemplazar(kViga, "combo: U 1 P", "combo: U 1-2 P"),
         conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales,
                          leidaComoPrefijo("1-2", "1"), kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra}),
         [] {
             ASSERT_EQ(noCombos, 1);
             esperarFila(nudo[1].getCargasGlobales(), 0, {0, -10, 0});
             EXPECT_EQ(barra[0].getMatrizCargasCombo().rows(), 1);
         }},
        {"escala con coma decimal", kViga + " escalaM: 2,5",
         {cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales, kCombosNudo,
          kCoordBarras, kRect, kGen, kCombosBarra, avisoReal("escalaDeflexion:"), leidaComoPrefijo("2,5", "2"),
          avisoReal("escalaV:"), avisoReal("escalaN:"), avisoReal("escalaTexto:"), avisoReal("escalaApoyo:"),
          "Advertencia: no se encontró ningún entero con etiqueta precision:", avisoReal("escalaCarga:")},
         [] { EXPECT_EQ(escalaM, 2.0); }},
        {"decimales que no son un número entero", kViga + " precision: 2.5",
         {cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales, kCombosNudo,
          kCoordBarras, kRect, kGen, kCombosBarra, avisoReal("escalaDeflexion:"), avisoReal("escalaM:"),
          avisoReal("escalaV:"), avisoReal("escalaN:"), avisoReal("escalaTexto:"), avisoReal("escalaApoyo:"),
          "Advertencia: la palabra \"2.5\" no es un número entero; se lee como 2", avisoReal("escalaCarga:")},
         [] { EXPECT_EQ(precision, 2); }},
        // A name may begin with a digit, and a run may end at a plain word.
        {"nombres que empiezan por cifra",
         "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 fin seccionRectangular: 30x50 0.3 0.5 2.1e7 1 "
         "puntual: 1D 0 -10 0 2 combo: 2U 1 1D",
         kTrazaViga,
         [] {
             EXPECT_EQ(barra[0].getNombreDeSeccion(), "30x50");
             EXPECT_EQ(barra[0].getModE(), 2.1e7);
             EXPECT_EQ(nudo[1].getNombreCombo(0), "2U");
             esperarFila(nudo[1].getCargasGlobales(), 0, {0, -10, 0});
         }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// The text in UTF-16, code unit by code unit; the text holds ASCII only.
std::string enUtf16(const std::string& texto, bool bigEndian, bool conMarca)
{
    std::string r = conMarca ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (char c : texto) {
        r += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return r;
}

TEST_F(Constructor, ArchivoEnUtf16AvisaUnaVezYSeLeeVacio)
{
    const struct {
        const char* nombre;
        bool bigEndian, conMarca;
    } casos[] = {{"LE con marca", false, true},
                 {"BE con marca", true, true},
                 {"LE sin marca", false, false},
                 {"BE sin marca", true, false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        ArchivoTemporal archivo(enUtf16(kViga, c.bigEndian, c.conMarca));
        esperarTraza(construir(archivo.ruta()),
                     conAvisosEscala({"Advertencia: el archivo de entrada " + archivo.ruta() +
                                          " está guardado en UTF-16; guárdelo como texto plano (UTF-8)",
                                      cuentaNudos(0), cuentaBarras(0), kCoordNudos}));
        EXPECT_EQ(noNudos + noBarras + noCombos, 0);
        EXPECT_TRUE(nudo.empty());
        EXPECT_TRUE(barra.empty());
    }
}

TEST_F(Constructor, ArchivoQueNoSeAbre)
{
    const std::string faltante = "/tmp/vardel2d_no_existe_ningun_modelo.txt";
    const std::string directorio = std::filesystem::temp_directory_path().string();
    for (const std::string& ruta : {faltante, directorio}) {
        SCOPED_TRACE(ruta);
        esperarTraza(construir(ruta), conAvisosEscala({"Advertencia: no se pudo abrir el archivo de entrada: " + ruta,
                                                       cuentaNudos(0), cuentaBarras(0), kCoordNudos}));
        EXPECT_EQ(noNudos + noBarras + noCombos, 0);
        EXPECT_TRUE(nudo.empty());
        EXPECT_EQ(escalaM, 0.1);
    }
}

TEST_F(Constructor, AjustesDeVisualizacion)
{
    const struct {
        const char* contenido;
        double escalaM;
        int precision;
    } casos[] = {
        {"escalaM: 0 precision: 0", 0.1, 0},       {"escalaM: -1 precision: -1", 0.1, 3},
        {"escalaM: nan precision: -7", 0.1, -7},   {"escalaM: 0.5 escalaM: 2e-3 precision: 4", 2e-3, 4},
        {"escalaM: 1e999 precision: 2", 0.1, 2},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.contenido);
        ArchivoTemporal archivo(c.contenido);
        construir(archivo.ruta());
        EXPECT_EQ(escalaM, c.escalaM);
        EXPECT_EQ(precision, c.precision);
    }

    ArchivoTemporal todos("escalaDeflexion: 5 escalaM: 0.2 escalaV: 0.3 escalaN: 0.4 escalaTexto: 0.5 "
                          "escalaApoyo: 0.6 precision: 1 escalaCarga: 0.7");
    EXPECT_EQ(construir(todos.ruta()), Lineas({kSinTablaDeNudos, cuentaNudos(0), cuentaBarras(0), kCoordNudos}));
    EXPECT_EQ(escalaDef, 5);
    EXPECT_EQ(escalaM, 0.2);
    EXPECT_EQ(escalaV, 0.3);
    EXPECT_EQ(escalaN, 0.4);
    EXPECT_EQ(escalaTexto, 0.5);
    EXPECT_EQ(escalaApoyo, 0.6);
    EXPECT_EQ(precision, 1);
    EXPECT_EQ(escalaCarga, 0.7);
}

TEST_F(Constructor, ReinicioLeeElArchivoEditado)
{
    ArchivoTemporal archivo("nudos: 1 0 0 2 4 0 barras: 1 1 2 escalaM: 0.5");
    construir(archivo.ruta());
    escalaM = 9;  // changed with the keys
    escalaDef = 9;
    std::ofstream(archivo.ruta()) << "nudos: 1 0 0 2 4 0 3 8 0 barras: 1 1 2 2 2 3";
    construir(archivo.ruta());
    EXPECT_EQ(noNudos, 3);
    EXPECT_EQ(noBarras, 2);
    EXPECT_EQ(barra[1].getXf(), 8.0);
    EXPECT_EQ(escalaM, 0.1);
    EXPECT_EQ(escalaDef, 100);
}

// The builder keeps its guarantee whatever its caller left: a file without
// bars read over a model with bars leaves no bar behind.
TEST_F(Constructor, UnArchivoSinBarrasSobreUnModeloConBarras)
{
    ArchivoTemporal conBarras("nudos: 1 0 0 2 4 0 barras: 1 1 2");
    construir(conBarras.ruta());
    ArchivoTemporal sinBarras("nudos: 1 0 0");
    nudo.clear();
    nombreArchivo = sinBarras.ruta();
    salidaDe(funcionLeerArchivo);
    EXPECT_EQ(noBarras, 0);
    EXPECT_TRUE(barra.empty());
    EXPECT_TRUE(modeloComoLoDejaElConstructor());
}

// Every example reads with no line beyond the trace and the warnings of the
// display settings it leaves out, and is a complete model to solve.
TEST_F(Constructor, LosEjemplosSeLeenSinAvisos)
{
    const Lineas fijas = {kNudosOK,   kBarrasOK, kCoordNudos, kApoyos,   kResortes, kPuntuales,  kCombosNudo,
                          kCoordBarras, kRect,   kGen,        kLocales,  kGlobales, kCombosBarra};
    const Lineas permitidas = [&] {
        Lineas l = fijas;
        l.insert(l.end(), kAvisosEscala.begin(), kAvisosEscala.end());
        return l;
    }();
    int ejemplos = 0;
    for (const auto& entrada : std::filesystem::directory_iterator(rutaEjemplo(""))) {
        if (entrada.path().extension() != ".txt") continue;
        ++ejemplos;
        SCOPED_TRACE(entrada.path().filename().string());
        const Lineas traza = construir(entrada.path().string());
        ASSERT_GE(traza.size(), 2u);
        EXPECT_EQ(traza[0], cuentaNudos(noNudos));
        EXPECT_EQ(traza[1], cuentaBarras(noBarras));
        for (std::size_t i = 2; i < traza.size(); ++i) {
            EXPECT_NE(std::find(permitidas.begin(), permitidas.end(), traza[i]), permitidas.end()) << traza[i];
        }
        EXPECT_GT(noNudos, 0);
        EXPECT_GT(noBarras, 0);
        EXPECT_GT(noCombos, 0);
        esperarCombosCoherentes();
        for (objBarra2d& b : barra) {
            EXPECT_GT(b.getArea(), 0.0);
            EXPECT_GT(b.getInercia(), 0.0);
            EXPECT_GT(b.getModE(), 0.0);
            EXPECT_GT(b.getLongitud(), 0.0);
        }
    }
    EXPECT_GE(ejemplos, 1);
}

}  // namespace

namespace {

// Every example prints, line for line, the trace it printed before the
// builder learnt to name what the model leaves unused.
class TrazaDeLosEjemplos : public EstadoLimpio {};

TEST_F(TrazaDeLosEjemplos, IgualALaDeAntes)
{
    const std::string sinPrecision = "Advertencia: no se encontró ningún entero con etiqueta precision:";
    const struct {
        const char* archivo;
        Lineas traza;
    } casos[] = {
        {"cubiertaDosAguas.txt",
         {cuentaNudos(5), cuentaBarras(4), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kCombosNudo, kCoordBarras, kRect,
          kGen, kGlobales, kCombosBarra, avisoReal("escalaApoyo:"), sinPrecision}},
        {"ingresoDatos.txt",
         {cuentaNudos(4), cuentaBarras(3), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales, kCombosNudo,
          kCoordBarras, kRect, kGen, kGlobales, kCombosBarra, avisoReal("escalaDeflexion:"), avisoReal("escalaV:"),
          avisoReal("escalaN:"), avisoReal("escalaTexto:"), avisoReal("escalaApoyo:"), avisoReal("escalaCarga:")}},
        {"porticoDosPisos.txt",
         {cuentaNudos(9), cuentaBarras(10), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales, kCombosNudo,
          kCoordBarras, kRect, kGen, kGlobales, kCombosBarra, avisoReal("escalaApoyo:"), sinPrecision}},
        {"vigaContinua.txt",
         {cuentaNudos(3), cuentaBarras(2), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kCombosNudo, kCoordBarras, kRect,
          kGen, kLocales, kCombosBarra, avisoReal("escalaN:"), avisoReal("escalaTexto:"), avisoReal("escalaApoyo:"),
          sinPrecision, avisoReal("escalaCarga:")}},
        {"vigaSobreResortes.txt",
         {cuentaNudos(5), cuentaBarras(4), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kResortes, kPuntuales,
          kCombosNudo, kCoordBarras, kRect, kGen, kLocales, kCombosBarra, avisoReal("escalaN:"),
          avisoReal("escalaTexto:"), avisoReal("escalaApoyo:"), sinPrecision, avisoReal("escalaCarga:")}},
        {"voladizo.txt",
         {cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kCombosNudo, kCoordBarras, kRect,
          kGen, kLocales, kCombosBarra, avisoReal("escalaN:"), avisoReal("escalaApoyo:"), sinPrecision,
          avisoReal("escalaCarga:")}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.archivo);
        esperarTraza(construir(rutaEjemplo(c.archivo)), c.traza);
    }
    int ejemplos = 0;
    for (const auto& entrada : std::filesystem::directory_iterator(rutaEjemplo(""))) {
        ejemplos += entrada.path().extension() == ".txt";
    }
    EXPECT_EQ(ejemplos, static_cast<int>(sizeof casos / sizeof casos[0])) << "an example without its trace here";
}

// What the file holds but the model does not use is said in one line each;
// the model stays exactly as the file builds it.
class LoQueElModeloNoUsa : public EstadoLimpio {
protected:
    // A beam with a live point load and a dead distributed one.
    static std::string conCombos(const std::string& resto)
    {
        return "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 seccionRectangular: V 0.3 0.5 2.1e7 1 "
               "puntual: viva 0 -10 0 2 distribuidaLocal: muerta 0 0 -1 -1 1 " +
               resto;
    }
    static Lineas traza(const Lineas& avisos, const Lineas& avisosSecciones = {})
    {
        Lineas t = {cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales,
                    kCombosNudo, kCoordBarras, kRect};
        t.insert(t.end(), avisosSecciones.begin(), avisosSecciones.end());
        t.insert(t.end(), {kGen, kLocales, kCombosBarra});
        t.insert(t.end(), avisos.begin(), avisos.end());
        return conAvisosEscala(t);
    }
    static std::string ausente(const std::string& combo, const std::string& caso, const std::string& parecido = "")
    {
        std::string l = "Advertencia: la combinación " + combo + " nombra el caso " + caso +
                        ", que ninguna carga tiene; no suma nada";
        if (!parecido.empty()) {
            l += " (hay cargas del caso " + parecido + "; los nombres distinguen mayúsculas de minúsculas)";
        }
        return l;
    }
    static std::string pareceEtiqueta(const std::string& palabra, const std::string& etiqueta)
    {
        return "Advertencia: la palabra \"" + palabra + "\" se parece a la etiqueta \"" + etiqueta +
               "\"; los datos que la siguen no se leen";
    }
    // The combination's loads at the loaded node and on the bar.
    static void esperarU(double fyNudo, double qBarra)
    {
        ASSERT_EQ(noCombos, 1);
        esperarFila(nudo[1].getCargasGlobales(), 0, {0, fyNudo, 0});
        esperarFila(barra[0].getMatrizCargasCombo(), 0, {0, 0, qBarra, qBarra});
    }
};

TEST_F(LoQueElModeloNoUsa, CasosSeccionesYPalabrasComoEtiquetas)
{
    const Caso casos[] = {
        {"caso que solo difiere en mayúsculas", conCombos("combo: U 1.2 Muerta 1.6 viva"),
         traza({ausente("U", "Muerta", "muerta"), sinCombinacion("muerta")}), [] { esperarU(-16, 0); }},
        {"caso sin cargas en una lista genérica", conCombos("combo: U 1.2 muerta 1.6 viva 1.5 nieve"),
         traza({ausente("U", "nieve")}), [] { esperarU(-16, -1.2); }},
        {"un aviso por combinación y caso",
         conCombos("combo: U 1 viva 1 nieve 1 muerta 2 nieve combo: S 1 nieve"),
         [] {
             Lineas t = traza({ausente("U", "nieve"), ausente("S", "nieve")});
             t.insert(std::find(t.begin(), t.end(), kCombosNudo),
                      "Advertencia: la combinación U nombra el caso nieve 2 veces; sus factores se suman: 1 + 2 = 3");
             return t;
         }(),
         [] {
             ASSERT_EQ(noCombos, 2);
             esperarFila(nudo[1].getCargasGlobales(), 0, {0, -10, 0});
             esperarFila(nudo[1].getCargasGlobales(), 1, {0, 0, 0});
         }},
        {"caso que ninguna combinación nombra", conCombos("combo: U 1.6 viva"), traza({sinCombinacion("muerta")}),
         [] { esperarU(-16, 0); }},
        {"un aviso por caso aunque tenga dos bloques",
         conCombos("distribuidaLocal: muerta 0 0 -2 -2 1 combo: U 1.6 viva"), traza({sinCombinacion("muerta")}),
         [] { esperarU(-16, 0); }},
        {"sección que no nombra barras", conCombos("combo: U 1 viva 1 muerta seccionGenerica: G 0.01 1e-4 2e8"),
         traza({}, {"Advertencia: seccionGenerica: la sección G no nombra ninguna barra; no se asigna"}),
         [] { EXPECT_EQ(barra[0].getNombreDeSeccion(), "V"); }},
        {"palabras como etiquetas, seguidas de sus datos",
         conCombos("combo: U 1 viva 1 muerta nodos: 3 8 0 Apoyo: 1 1 1 2 puntual viva 0 -5 0 1 "
                   "distribuidaGlobla: muerta 1 1 0 -1 1 escalam: 0.5 precisión: 2 combo U 2 viva"),
         antesDe({pareceEtiqueta("nodos:", "nudos:"), pareceEtiqueta("Apoyo:", "apoyo:"),
                  pareceEtiqueta("puntual", "puntual:"), pareceEtiqueta("distribuidaGlobla:", "distribuidaGlobal:"),
                  pareceEtiqueta("escalam:", "escalaM:"), pareceEtiqueta("precisión:", "precision:"),
                  pareceEtiqueta("combo", "combo:")},
                 traza({})),
         [] {
             EXPECT_EQ(noNudos, 2);
             esperarApoyo(nudo[1], 0, 0, 0);
             esperarU(-10, -1);
             EXPECT_EQ(escalaM, 0.1);
             EXPECT_EQ(precision, 3);
         }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// Free text and names the file gives print nothing beyond the trace.
TEST_F(LoQueElModeloNoUsa, TextoLibreYNombresNoAvisan)
{
    const std::string textos[] = {
        "Unidades: kN y m",
        "Apoyos: articulado a la izquierda",
        "Nota: combinaciones según la norma; Cargas: permanente y uso",
        "Viga de dos barras 1 a 4 de acero, como 2 vigas; nudo 3 libre; escala 1:100",
    };
    for (const std::string& texto : textos) {
        construirCaso({texto.c_str(), texto + "\n" + conCombos("combo: U 1 viva 1 muerta"), traza({}),
                       [] { esperarU(-10, -1); }});
    }
    // Names that resemble a tag, followed by numbers where the file gives them.
    construirCaso({"nombres parecidos a etiquetas",
                   conCombos("puntual: escalaN 0 -5 0 2 combo: U 1 escalaN 1 viva 1 muerta "
                             "seccionGenerica: Barras 0.01 1e-4 2e8 1"),
                   traza({}, {"Advertencia: seccionGenerica: la barra 1 está en las secciones V "
                              "(seccionRectangular:) y Barras (seccionGenerica:); la posterior, Barras, reemplaza a la anterior, pues seccionGenerica: "
                              "se aplica después de seccionRectangular:"}),
                   [] {
                       esperarU(-15, -1);
                       EXPECT_EQ(barra[0].getNombreDeSeccion(), "Barras");
                   }});
}

// A word that is no finite number, or no number a double holds, is named once
// with advice that fits it.
class PalabrasQueNoSonNumeros : public EstadoLimpio {
protected:
    static std::string noFinito(const std::string& palabra, const std::string& etiqueta)
    {
        return "Advertencia: la palabra \"" + palabra + "\" después de \"" + etiqueta +
               "\" no es un número finito; escriba el valor con cifras";
    }
};

TEST_F(PalabrasQueNoSonNumeros, CadaUnaNombradaUnaVez)
{
    const Caso casos[] = {
        {"inf como coordenada", "nudos: 1 0 0 2 inf 0",
         conAvisosEscala({noFinito("inf", "nudos:"), "Faltan datos para completar la matriz nudos:",
                          filasIncompletas("nudos:", 4), cuentaNudos(0), cuentaBarras(0), kCoordNudos}),
         [] { EXPECT_TRUE(nudo.empty()); }},
        {"NaN corta la tabla de nudos", "nudos: 1 0 0 2 4 0 NaN 8 0",
         conAvisosEscala(
             {noFinito("NaN", "nudos:"), cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos}),
         [] { EXPECT_EQ(noNudos, 2); }},
        {"nan(1) corta la tabla de nudos", "nudos: 1 0 0 2 4 0 nan(1) 8 0",
         conAvisosEscala(
             {noFinito("nan(1)", "nudos:"), cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos}),
         [] { EXPECT_EQ(noNudos, 2); }},
        {"nan como valor de una carga", reemplazar(kViga, "P 0 -10 0 2", "P nan -10 0 2"),
         conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos,
                          noFinito("nan", "puntual:") + "; la carga del caso P no se aplica", kPuntuales, kCombosNudo, kCoordBarras, kRect, kGen,
                          kCombosBarra}),
         [] { esperarFila(nudo[1].getCargasGlobales(), 0, {0, 0, 0}); }},
        {"-inf en un apoyo", "nudos: 1 0 0 apoyo: 1 1 -inf 1",
         conAvisosEscala({cuentaNudos(1), cuentaBarras(0), kNudosOK, kCoordNudos,
                          noFinito("-inf", "apoyo:") + "; el apoyo no se aplica", kApoyos}),
         [] { esperarApoyo(nudo[0], 0, 0, 0); }},
        {"+Infinity como factor", kViga + " combo: S 1 P +Infinity P",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales,
                          noFinito("+Infinity", "combo:"), kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra}),
         [] { ASSERT_EQ(noCombos, 2); }},
        {"1e-400 bajo el rango de los reales", reemplazar(kViga, "2 4 0", "2 4 1e-400"),
         conAvisosEscala({"Advertencia: la palabra \"1e-400\" es demasiado pequeña para los reales; se lee como 0",
                          cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales,
                          kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra}),
         [] { EXPECT_EQ(nudo[1].getY(), 0.0); }},
        {"escala infinita", kViga + " escalaM: -INF",
         {cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales, kCombosNudo,
          kCoordBarras, kRect, kGen, kCombosBarra, avisoReal("escalaDeflexion:"),
          "Advertencia: la palabra \"-INF\" no es un número finito; escalaM: conserva su valor por defecto, 0.1",
          avisoReal("escalaV:"),
          avisoReal("escalaN:"), avisoReal("escalaTexto:"), avisoReal("escalaApoyo:"),
          "Advertencia: no se encontró ningún entero con etiqueta precision:", avisoReal("escalaCarga:")},
         [] { EXPECT_EQ(escalaM, 0.1); }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

}  // namespace

namespace {

// Every mistake is named where it is made, in one line that comes before the
// lines about what it breaks.
class CadaErrorDondeSeComete : public LoQueElModeloNoUsa {
protected:
    // A beam of two bars over nodes 1 to 3, loaded at node 3; `nudos` is what
    // follows its node tag.
    static std::string tresNudos(const std::string& nudos, const std::string& etiqueta = "nudos:")
    {
        return etiqueta + " " + nudos +
               " barras: 1 1 2 2 2 3 apoyo: 1 1 1 1 seccionRectangular: V 0.3 0.5 2.1e7 1 2 puntual: P 0 -10 0 3 "
               "combo: U 1.5 P";
    }
    static std::string textoEnTabla(const std::string& palabra, const std::string& etiqueta)
    {
        return "Advertencia: la palabra \"" + palabra + "\" termina la tabla \"" + etiqueta +
               "\"; los números que la siguen no se leen";
    }
    static std::string sinNombre(const std::string& etiqueta, const std::string& siguiente)
    {
        return "Advertencia: el bloque \"" + etiqueta + "\" no tiene nombre: lo sigue la etiqueta \"" + siguiente +
               "\"; se omite";
    }
    static std::string pegada(const std::string& palabra, const std::string& etiqueta,
                              const std::string& a = "su valor")
    {
        return "Advertencia: la palabra \"" + palabra + "\" lleva la etiqueta \"" + etiqueta + "\" pegada a " + a +
               "; sepárelos con un espacio";
    }
};

const Lineas kTrazaTresNudos = conAvisosEscala({cuentaNudos(3), cuentaBarras(2), kNudosOK, kBarrasOK, kCoordNudos,
                                                kApoyos, kPuntuales, kCombosNudo, kCoordBarras, kRect, kGen,
                                                kCombosBarra});

// What the beam of tresNudos prints when node 3 is lost.
const Lineas kSinNudo3 = conAvisosEscala(
    {cuentaNudos(2), cuentaBarras(2), kNudosOK,
     "Advertencia: barras: nombra el nudo 3, que no está definido; se omite la barra 2", kBarrasOK, kCoordNudos,
     kApoyos, "Advertencia: puntual: nombra el nudo 3, que no está definido; se omite", kPuntuales, kCombosNudo,
     kCoordBarras,
     "Advertencia: seccionRectangular: nombra la barra 2, que se omitió porque su nudo 3 no está definido; se omite",
     kRect, kGen, kCombosBarra});

// ... and when every node is lost.
const Lineas kSinNudos = conAvisosEscala(
    {cuentaNudos(0), cuentaBarras(2), "Advertencia: barras: nombra el nudo 1, que no está definido; se omite la barra 1",
     "Advertencia: barras: nombra el nudo 2, que no está definido; se omite la barra 2", kBarrasOK, kCoordNudos,
     "Advertencia: apoyo: nombra el nudo 1, que no está definido; se omite", kApoyos,
     "Advertencia: puntual: nombra el nudo 3, que no está definido; se omite", kPuntuales, kCombosNudo,
     kCombosBarra});

// A table's run ends at the first word that is no number. That word is named
// when a whole row of numbers follows it before the next tag or the end of
// the file.
TEST_F(CadaErrorDondeSeComete, TextoDentroDeUnaTabla)
{
    const Caso casos[] = {
        {"texto entre filas", tresNudos("1 0 0 2 5 0 (apoyo derecho) 3 10 0"),
         antesDe({textoEnTabla("(apoyo", "nudos:")}, kSinNudo3), [] { EXPECT_EQ(noNudos, 2); }},
        {"texto tras la tabla, antes de la etiqueta siguiente", tresNudos("1 0 0 2 5 0 3 10 0 (apoyo derecho)"),
         kTrazaTresNudos, [] { EXPECT_EQ(noNudos, 3); }},
        {"una fila antes del fin del archivo", "nudos: 1 0 0 2 5 0 fin 3 10 0",
         conAvisosEscala(
             {textoEnTabla("fin", "nudos:"), cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos}),
         [] { EXPECT_EQ(noNudos, 2); }},
        {"una nota con números sueltos tras la tabla", tresNudos("1 0 0 2 5 0 3 10 0 viga de 2 vanos, como 2 vigas"),
         kTrazaTresNudos, [] { EXPECT_EQ(noNudos, 3); }},
        {"dos números seguidos no son una fila", "nudos: 1 0 0 2 5 0 fin 3 10",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos}), [] {}},
        {"un número sin cifras no es un dato", "nudos: 1 0 0 2 5 0 fin - e",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos}), [] {}},
        {"etiqueta repetida", "nudos: 1 0 0 (x) 2 5 0 nudos: 3 10 0",
         conAvisosEscala({"Advertencia: la etiqueta nudos: aparece 2 veces; se leen las filas de todas en el orden "
                          "del archivo",
                          textoEnTabla("(x)", "nudos:"), cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos}),
         [] { EXPECT_EQ(nudo[1].getNoNudoUsuario(), 3); }},
        // A word named as standing for a tag is a tag's place: its line is enough.
        {"la tabla termina en una etiqueta mal escrita", "nudos: 1 0 0 2 5 0 Apoyo: 1 1 1 1",
         antesDe({pareceEtiqueta("Apoyo:", "apoyo:")},
                 conAvisosEscala({cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos})),
         [] { esperarApoyo(nudo[0], 0, 0, 0); }},
        {"texto antes de una etiqueta mal escrita", "nudos: 1 0 0 2 5 0 nota Apoyo: 1 1 1 1",
         antesDe({pareceEtiqueta("Apoyo:", "apoyo:")},
                 conAvisosEscala({cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos})),
         [] {}},
    };
    for (const Caso& c : casos) construirCaso(c);
}

TEST_F(CadaErrorDondeSeComete, FilaCortaDeUnaTabla)
{
    const Caso casos[] = {
        {"fila de nudo sin su y", tresNudos("1 0 0 2 5 3 10 0"),
         antesDe({"Faltan datos para completar la matriz nudos:", filasIncompletas("nudos:", 8)}, kSinNudos),
         [] { EXPECT_TRUE(nudo.empty()); }},
        {"etiqueta repetida", "nudos: 1 0 0 2 5 nudos: 3 10 0",
         conAvisosEscala({"Advertencia: la etiqueta nudos: aparece 2 veces; se leen las filas de todas en el orden "
                          "del archivo",
                          "Advertencia: el bloque 1 de los 2 \"nudos:\" tiene 5 números, que no forman filas de tres",
                          "Faltan datos para completar la matriz nudos:", filasIncompletas("nudos:", 8), cuentaNudos(0),
                          cuentaBarras(0), kCoordNudos}),
         [] { EXPECT_TRUE(nudo.empty()); }},
        {"un solo número de barra", "nudos: 1 0 0 2 5 0 barras: 7",
         conAvisosEscala({cuentaNudos(2), "Faltan datos para completar la matriz barras:",
                          "Advertencia: la tabla \"barras:\" tiene 1 número, que no forma una fila de tres; no se lee "
                          "ninguna fila",
                          cuentaBarras(0), kNudosOK, kCoordNudos}),
         [] { EXPECT_TRUE(barra.empty()); }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// A block's name, or the case after a factor, is never a tag: the tag opens
// its own block.
TEST_F(CadaErrorDondeSeComete, EtiquetaEnLugarDeUnNombre)
{
    const Caso casos[] = {
        {"combinación sin nombre antes de una escala", kViga + " combo: escalaM: 0.5 precision: 2",
         {sinNombre("combo:", "escalaM:"), cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos,
          kApoyos, kPuntuales, kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra, avisoReal("escalaDeflexion:"),
          avisoReal("escalaV:"), avisoReal("escalaN:"), avisoReal("escalaTexto:"), avisoReal("escalaApoyo:"),
          avisoReal("escalaCarga:")},
         [] {
             ASSERT_EQ(noCombos, 1);
             EXPECT_EQ(nudo[0].getNombreCombo(0), "U");
             EXPECT_EQ(escalaM, 0.5);
             EXPECT_EQ(precision, 2);
         }},
        {"carga puntual sin nombre", kViga + " puntual: apoyo: 1 1 1 2",
         antesDe({sinNombre("puntual:", "apoyo:")},
                 conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos,
                                  kPuntuales, kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra})),
         [] {
             esperarApoyo(nudo[1], 1, 1, 1);
             esperarFila(nudo[1].getCargasGlobales(), 0, {0, -10, 0});
         }},
        {"sección sin nombre", kViga + " seccionGenerica: apoyo: 1 1 1 1",
         antesDe({sinNombre("seccionGenerica:", "apoyo:")},
                 conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos,
                                  kPuntuales, kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra})),
         [] {
             EXPECT_EQ(barra[0].getNombreDeSeccion(), "V");
             EXPECT_NEAR(barra[0].getArea(), 0.15, 1e-15);
         }},
        {"carga distribuida sin nombre", kViga + " distribuidaLocal: apoyo: 1 1 1 1",
         antesDe({sinNombre("distribuidaLocal:", "apoyo:")},
                 conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos,
                                  kPuntuales, kCombosNudo, kCoordBarras, kRect, kGen, kLocales, kCombosBarra})),
         [] { esperarFila(barra[0].getMatrizCargasCombo(), 0, {0, 0, 0, 0}); }},
        // The tag is a table's second occurrence, which empties the table: the
        // cause comes before that.
        {"sección sin nombre antes de la tabla de nudos",
         "nudos: 1 0 0 2 5 0 barras: 1 1 2 seccionRectangular: nudos: 0.3 0.5 2.1e7 1",
         conAvisosEscala({sinNombre("seccionRectangular:", "nudos:"),
                          "Advertencia: la etiqueta nudos: aparece 2 veces; se leen las filas de todas en el orden "
                          "del archivo",
                          "Advertencia: el bloque 2 de los 2 \"nudos:\" tiene 4 números, que no forman filas de tres",
                          "Faltan datos para completar la matriz nudos:", filasIncompletas("nudos:", 10),
                          cuentaNudos(0), cuentaBarras(1), "Advertencia: barras: nombra el nudo 1, que no está "
                          "definido; se omite la barra 1",
                          kBarrasOK, kCoordNudos}),
         [] { EXPECT_TRUE(barra.empty()); }},
        {"factor sin caso antes de un apoyo", kViga + " combo: ELU 1.5 P 1.6 apoyo: 0 1 0 2",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales,
                          "Advertencia: la combinación ELU termina en el factor 1.6 sin caso: lo sigue la etiqueta "
                          "\"apoyo:\"; ese factor no se toma",
                          kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra}),
         [] {
             ASSERT_EQ(noCombos, 2);
             EXPECT_EQ(nudo[1].getNombreCombo(1), "ELU");
             esperarFila(nudo[1].getCargasGlobales(), 1, {0, -15, 0});
             esperarApoyo(nudo[1], 0, 1, 0);
         }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// The rule of a word that resembles a tag, each part pinned by a case, and
// its line before the trace.
TEST_F(CadaErrorDondeSeComete, PalabraParecidaAUnaEtiqueta)
{
    const Caso casos[] = {
        {"vecinas intercambiadas en una etiqueta corta", conCombos("combo: U 1 viva 1 muerta aopyo: 1 1 1 2"),
         antesDe({pareceEtiqueta("aopyo:", "apoyo:")}, traza({})), [] { esperarApoyo(nudo[1], 0, 0, 0); }},
        {"dos cambios en una etiqueta corta", conCombos("combo: U 1 viva 1 muerta opoyu: 1 1 1 2"), traza({}),
         [] { esperarApoyo(nudo[1], 0, 0, 0); }},
        {"etiqueta en mayúsculas", conCombos("combo: U 1 viva 1 muerta NUDOS: 3 8 0"),
         antesDe({pareceEtiqueta("NUDOS:", "nudos:")}, traza({})), [] { EXPECT_EQ(noNudos, 2); }},
        {"tres veces la misma palabra",
         conCombos("combo: U 1 viva 1 muerta Apoyo: 1 1 1 2 Apoyo: 0 1 0 2 Apoyo: 1 0 0 2"),
         antesDe({pareceEtiqueta("Apoyo:", "apoyo:")}, traza({})), [] {}},
        {"la tabla de nudos mal escrita", tresNudos("1 0 0 2 5 0 3 10 0", "Nudos:"),
         antesDe({pareceEtiqueta("Nudos:", "nudos:")}, kSinNudos), [] { EXPECT_TRUE(nudo.empty()); }},
        {"etiquetas pegadas a su valor", kViga + " escalaM:0.5 precision:2",
         antesDe({pegada("escalaM:0.5", "escalaM:"), pegada("precision:2", "precision:")}, kTrazaViga),
         [] {
             EXPECT_EQ(escalaM, 0.1);
             EXPECT_EQ(precision, 3);
         }},
        {"etiquetas pegadas a su nombre", kViga + " puntual:W 5 0 0 2 combo:S 1 P",
         antesDe({pegada("puntual:W", "puntual:", "su nombre"), pegada("combo:S", "combo:", "su nombre")},
                 kTrazaViga),
         [] { EXPECT_EQ(noCombos, 1); }},
        // Free text that starts like a tag and is followed by no block's data stays silent.
        {"texto que empieza como una etiqueta", kViga + " puntual:ver nota 2", kTrazaViga, [] {}},
    };
    for (const Caso& c : casos) construirCaso(c);
}

TEST_F(CadaErrorDondeSeComete, NombresLargosSeCitanCortos)
{
    const std::string largo(5000, 'L');
    const std::string cita = std::string(60, 'L') + "…";
    construirCaso({"combinación repetida y sin pares",
                   "nudos: 1 0 0 2 4 0 puntual: D 0 -10 0 1 combo: " + largo + " 1 D combo: " + largo +
                       " 2 D combo: " + largo + "X",
                   conAvisosEscala({cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos, kPuntuales,
                                    "Advertencia: la combinación " + cita +
                                        " se repite; sus pares se suman a la misma combinación",
                                    "Advertencia: la combinación " + cita +
                                        " no tiene pares de factor y caso; se omite",
                                    kCombosNudo, kCombosBarra}),
                   [] { EXPECT_EQ(noCombos, 1); }});
}

}  // namespace

namespace {

// The table of tags is the one list of the file's tags: the builder reads
// every row, the look-alike check knows every row, and the fuzzer's
// dictionary holds every row.
class TablaDeEtiquetas : public EstadoLimpio {};

// A two-bar portal that uses every block tag once; then every display
// setting of the table, each set to 2.
std::string modeloConTodasLasEtiquetas()
{
    std::string texto =
        "nudos: 1 0 0 2 0 3 3 4 3 barras: 1 1 2 2 2 3 apoyo: 1 1 1 1 resorte: 0 500 0 3 "
        "puntual: viento 10 0 0 2 combo: U 1 viento 1 muerta 1 nieve "
        "seccionRectangular: C 0.3 0.3 2.1e7 1 seccionGenerica: V 0.01 1e-4 2.1e8 2 "
        "distribuidaLocal: muerta 0 0 -5 -5 2 distribuidaGlobal: nieve 2 2 0 -1 2";
    for (int k = primerAjuste; k < noEtiquetas; ++k) texto += std::string(" ") + etiquetas[k].texto + " 2";
    return texto;
}

TEST_F(TablaDeEtiquetas, CadaEtiquetaSeLeeSinAviso)
{
    const std::string texto = modeloConTodasLasEtiquetas();
    for (const Etiqueta& e : etiquetas) EXPECT_NE(texto.find(e.texto), std::string::npos) << e.texto;
    ArchivoTemporal archivo(texto);
    for (const std::string& linea : construir(archivo.ruta())) {
        EXPECT_EQ(linea.find("Advertencia"), std::string::npos) << linea;
    }
    for (int k = primerAjuste; k < noEtiquetas; ++k) {
        const Etiqueta& ajuste = etiquetas[k];
        SCOPED_TRACE(ajuste.texto);
        EXPECT_EQ(ajuste.escala != nullptr ? *ajuste.escala : *ajuste.entero, 2);
    }
    EXPECT_EQ(noCombos, 1);
    EXPECT_EQ(nudo[2].getResorteY(), 500);
    EXPECT_EQ(barra[1].getNombreDeSeccion(), "V");
}

TEST_F(TablaDeEtiquetas, ElDiccionarioDelFuzzerTieneLasEtiquetasDeLaTabla)
{
    std::ifstream diccionario(std::string(VARDEL2D_SOURCE_DIR) + "/fuzz/etiquetas.dict");
    ASSERT_TRUE(diccionario.is_open());
    std::vector<std::string> enElDiccionario;
    std::string linea;
    while (std::getline(diccionario, linea)) {
        if (linea.size() > 3 && linea.front() == '"' && linea.compare(linea.size() - 2, 2, ":\"") == 0) {
            enElDiccionario.push_back(linea.substr(1, linea.size() - 2));
        }
    }
    std::vector<std::string> enLaTabla;
    for (const Etiqueta& e : etiquetas) enLaTabla.push_back(e.texto);
    std::sort(enElDiccionario.begin(), enElDiccionario.end());
    std::sort(enLaTabla.begin(), enLaTabla.end());
    EXPECT_EQ(enElDiccionario, enLaTabla);
}

}  // namespace
