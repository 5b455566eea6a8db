#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "objNudo2d.h"
#include "traza.h"
#include "util.h"
#include "vardel2d.h"

// Values the file writes that no model can hold, the same thing written
// twice, nodes that share a point, support codes the window does not draw,
// numbers written with a fraction and models with nothing to stand on: each
// is said in one line before its consequences, and the model is the one the
// file builds without the line.

namespace {

// A beam of two bars over nodes 1, 2 and 3, fixed at node 1 and loaded at
// node 3; the cases replace or add blocks.
const std::string kViga = "nudos: 1 0 0 2 5 0 3 10 0 barras: 1 1 2 2 2 3 apoyo: 1 1 1 1 "
                          "seccionRectangular: V 0.3 0.5 2.1e7 1 2 puntual: P 0 -10 0 3 combo: U 1.5 P";

const Lineas kPasosViga = {cuentaNudos(3), cuentaBarras(2), kNudosOK,    kBarrasOK, kCoordNudos, kApoyos,
                           kPuntuales,     kCombosNudo,     kCoordBarras, kRect,     kGen,        kCombosBarra};

std::string reemplazar(std::string texto, const std::string& de, const std::string& a)
{
    const std::size_t donde = texto.find(de);
    EXPECT_NE(donde, std::string::npos) << de;
    if (donde != std::string::npos) texto.replace(donde, de.size(), a);
    return texto;
}

// Lines to insert right before a line of the trace ("" for its end).
using Antes = std::pair<std::string, Lineas>;

// The trace of `pasos` with each group of lines before its line, then the
// display settings' lines.
Lineas traza(const std::vector<Antes>& inserciones, Lineas pasos = kPasosViga)
{
    for (const auto& [antes, nuevas] : inserciones) {
        const auto donde = antes.empty() ? pasos.end() : std::find(pasos.begin(), pasos.end(), antes);
        EXPECT_NE(donde, pasos.end()) << antes;
        pasos.insert(donde, nuevas.begin(), nuevas.end());
    }
    return conAvisosEscala(pasos);
}

void esperarApoyo(int nudoInterno, int x, int y, int g)
{
    ASSERT_LT(nudoInterno, static_cast<int>(nudo.size()));
    const Eigen::Vector3i a = nudo[nudoInterno].getApoyo();
    EXPECT_EQ(a(0), x);
    EXPECT_EQ(a(1), y);
    EXPECT_EQ(a(2), g);
}

void esperarResorte(int nudoInterno, double kx, double ky, double kg)
{
    ASSERT_LT(nudoInterno, static_cast<int>(nudo.size()));
    EXPECT_EQ(nudo[nudoInterno].getResorteX(), kx);
    EXPECT_EQ(nudo[nudoInterno].getResorteY(), ky);
    EXPECT_EQ(nudo[nudoInterno].getResorteGiro(), kg);
}

void esperarSeccion(int barraInterna, const std::string& nombre, double area, double inercia, double e)
{
    ASSERT_LT(barraInterna, static_cast<int>(barra.size()));
    const objBarra2d& b = barra[barraInterna];
    EXPECT_EQ(b.getNombreDeSeccion(), nombre);
    EXPECT_DOUBLE_EQ(b.getArea(), area);
    EXPECT_DOUBLE_EQ(b.getInercia(), inercia);
    EXPECT_EQ(b.getModE(), e);
}

// The combined load of the first combination at a node.
void esperarCargaNudo(int nudoInterno, double px, double py, double mz)
{
    ASSERT_LT(nudoInterno, static_cast<int>(nudo.size()));
    ASSERT_GE(nudo[nudoInterno].getCantidadDeCombos(), 1);
    EXPECT_DOUBLE_EQ(nudo[nudoInterno].getPxCombo(0), px);
    EXPECT_DOUBLE_EQ(nudo[nudoInterno].getPyCombo(0), py);
    EXPECT_DOUBLE_EQ(nudo[nudoInterno].getMzCombo(0), mz);
}

// I of the beam's section V, 0.3 wide and 0.5 deep.
const double kInerciaV = 0.5 * 0.5 * 0.5 * 0.3 / 12;

// The beam as kViga builds it, section and load included.
void esperarViga()
{
    ASSERT_EQ(noNudos, 3);
    ASSERT_EQ(noBarras, 2);
    esperarApoyo(0, 1, 1, 1);
    esperarSeccion(0, "V", 0.15, kInerciaV, 2.1e7);
    esperarSeccion(1, "V", 0.15, kInerciaV, 2.1e7);
    esperarCargaNudo(2, 0, -15, 0);
}

class AvisosDeValores : public EstadoLimpio {};

// Impossible values are kept as read and named once per block, with the
// value as written; I = 0 and a spring of 0 are how a file writes a bar that
// carries axial force only and a direction without a spring.
TEST_F(AvisosDeValores, ValoresImposibles)
{
    const std::string rect = "seccionRectangular: V 0.3 0.5 2.1e7 1 2";
    const std::string soloBarra1 = "seccionRectangular: V 0.3 0.5 2.1e7 1 ";
    const Caso casos[] = {
        {"canto negativo", reemplazar(kViga, rect, "seccionRectangular: V25 0.25 -0.5 3e7 1 2"),
         traza({{kCombosBarra,
                 {"Advertencia: seccionRectangular: la sección V25 tiene h = -0.5, pero b, h y E han de ser mayores "
                  "que 0; se usa tal como está"}}}),
         [] {
             esperarSeccion(0, "V25", 0.25 * -0.5, -0.5 * -0.5 * -0.5 * 0.25 / 12, 3e7);
             esperarSeccion(1, "V25", 0.25 * -0.5, -0.5 * -0.5 * -0.5 * 0.25 / 12, 3e7);
         }},
        {"ancho nulo y módulo negativo", reemplazar(kViga, rect, "seccionRectangular: V 0 0.5 -2.1e7 1 2"),
         traza({{kCombosBarra,
                 {"Advertencia: seccionRectangular: la sección V tiene b = 0 y E = -2.1e7, pero b, h y E han de ser "
                  "mayores que 0; se usa tal como está"}}}),
         [] { esperarSeccion(1, "V", 0, 0, -2.1e7); }},
        {"área nula", reemplazar(kViga, rect, soloBarra1 + "seccionGenerica: G 0 1e-4 2e8 2"),
         traza({{kCombosBarra,
                 {"Advertencia: seccionGenerica: la sección G tiene A = 0, pero A y E han de ser mayores que 0, e I no "
                  "puede ser negativa; se usa tal como está"}}}),
         [] { esperarSeccion(1, "G", 0, 1e-4, 2e8); }},
        {"inercia negativa", reemplazar(kViga, rect, soloBarra1 + "seccionGenerica: G 0.01 -1e-4 2e8 2"),
         traza({{kCombosBarra,
                 {"Advertencia: seccionGenerica: la sección G tiene I = -1e-4, pero A y E han de ser mayores que 0, e "
                  "I no puede ser negativa; se usa tal como está"}}}),
         [] { esperarSeccion(1, "G", 0.01, -1e-4, 2e8); }},
        {"tres valores imposibles", reemplazar(kViga, rect, soloBarra1 + "seccionGenerica: G -1 -2 0 2"),
         traza({{kCombosBarra,
                 {"Advertencia: seccionGenerica: la sección G tiene A = -1, I = -2 y E = 0, pero A y E han de ser "
                  "mayores que 0, e I no puede ser negativa; se usa tal como está"}}}),
         [] { esperarSeccion(1, "G", -1, -2, 0); }},
        // No bar takes it, so nothing of the model holds the value.
        {"sección imposible que ninguna barra toma", kViga + " seccionGenerica: X 0 0 0 9",
         traza({{kGen, {"Advertencia: seccionGenerica: nombra la barra 9, que no está definida; se omite"}}}),
         esperarViga},
        {"rigidez negativa", kViga + " resorte: 0 -800 0 3",
         traza({{kPuntuales,
                 {"Advertencia: resorte: el nudo 3 tiene rigidez -800 en Y, pero la rigidez de un resorte no puede ser "
                  "negativa; se usa tal como está",
                  kResortes}}}),
         [] {
             esperarResorte(2, 0, -800, 0);
             esperarViga();
         }},
        {"dos rigideces negativas en dos nudos", kViga + " resorte: -5 0 -1e3 2 3 2",
         traza({{kPuntuales,
                 {"Advertencia: resorte: los nudos 2 y 3 tienen rigidez -5 en X y -1e3 en giro, pero la rigidez de un "
                  "resorte no puede ser negativa; se usa tal como está",
                  kResortes}}}),
         [] {
             esperarResorte(1, -5, 0, -1e3);
             esperarResorte(2, -5, 0, -1e3);
         }},
        // The model holds no impossible value, so only the replacement is said.
        {"sección imposible que un bloque posterior reemplaza",
         reemplazar(kViga, rect, "seccionRectangular: V25 0.25 -0.5 3e7 2 " + rect),
         traza({{kRect, {"Advertencia: seccionRectangular: la barra 2 está en las secciones V25 y V; la posterior, V, reemplaza a la anterior"}}}),
         esperarViga},
        {"rigidez negativa que un bloque posterior reemplaza", kViga + " resorte: 0 -800 0 3 resorte: 0 800 0 3",
         traza({{kPuntuales,
                 {"Advertencia: resorte: el nudo 3 está en un bloque con 0 -800 0 y en otro posterior con 0 800 0, que lo reemplaza",
                  kResortes}}}),
         [] { esperarResorte(2, 0, 800, 0); }},
        {"inercia nula: una barra que solo lleva axial",
         reemplazar(kViga, rect, soloBarra1 + "seccionGenerica: T 0.01 0 2e8 2"), traza({}),
         [] { esperarSeccion(1, "T", 0.01, 0, 2e8); }},
        {"resortes nulos y positivos", kViga + " resorte: 0 0 0 2 resorte: 1e-12 500 0 3",
         traza({{kPuntuales, {kResortes}}}),
         [] {
             esperarResorte(1, 0, 0, 0);
             esperarResorte(2, 1e-12, 500, 0);
         }},
        {"valores diminutos pero positivos", reemplazar(kViga, rect, "seccionRectangular: V 1e-9 1e-9 1e-9 1 2"),
         traza({}), [] { EXPECT_EQ(barra[0].getModE(), 1e-9); }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// What a later block overrides is named with both values; a load listed twice
// in one block is applied twice. Two load blocks on one node, or a block that
// writes a node's values again unchanged, are plain input.
TEST_F(AvisosDeValores, LoMismoEscritoDosVeces)
{
    const std::string rect = "seccionRectangular: V 0.3 0.5 2.1e7 1 2";
    const Caso casos[] = {
        {"un nudo en dos bloques de apoyo", kViga + " apoyo: 1 1 0 3 apoyo: 0 1 0 3",
         traza({{kApoyos,
                 {"Advertencia: apoyo: el nudo 3 está en un bloque con 1 1 0 y en otro posterior con 0 1 0, que lo reemplaza"}}}),
         [] {
             esperarApoyo(2, 0, 1, 0);
             esperarApoyo(0, 1, 1, 1);
         }},
        {"dos nudos en dos bloques de apoyo", kViga + " apoyo: 1 1 0 2 3 apoyo: 0 1 0 3 2",
         traza({{kApoyos,
                 {"Advertencia: apoyo: los nudos 3 y 2 están en un bloque con 1 1 0 y en otro posterior con 0 1 0, "
                  "que lo reemplaza"}}}),
         [] {
             esperarApoyo(1, 0, 1, 0);
             esperarApoyo(2, 0, 1, 0);
         }},
        {"tres bloques: una línea por cada cambio",
         kViga + " apoyo: 1 1 0 3 apoyo: 0 1 0 3 apoyo: 1 1 0 3",
         traza({{kApoyos,
                 {"Advertencia: apoyo: el nudo 3 está en un bloque con 1 1 0 y en otro posterior con 0 1 0, que lo reemplaza",
                  "Advertencia: apoyo: el nudo 3 está en un bloque con 0 1 0 y en otro posterior con 1 1 0, que lo reemplaza"}}}),
         [] { esperarApoyo(2, 1, 1, 0); }},
        {"un nudo en dos bloques de resorte", kViga + " resorte: 0 500 0 3 resorte: 1000 0 0 3",
         traza({{kPuntuales,
                 {"Advertencia: resorte: el nudo 3 está en un bloque con 0 500 0 y en otro posterior con 1000 0 0, que lo reemplaza",
                  kResortes}}}),
         [] { esperarResorte(2, 1000, 0, 0); }},
        {"una barra en dos secciones rectangulares",
         reemplazar(kViga, rect, rect + " seccionRectangular: W 0.3 0.6 2.1e7 2"),
         traza({{kRect, {"Advertencia: seccionRectangular: la barra 2 está en las secciones V y W; la posterior, W, reemplaza a la anterior"}}}),
         [] {
             esperarSeccion(0, "V", 0.15, kInerciaV, 2.1e7);
             esperarSeccion(1, "W", 0.3 * 0.6, 0.6 * 0.6 * 0.6 * 0.3 / 12, 2.1e7);
         }},
        // The generic step comes second, whatever the file's order.
        {"una barra en una genérica escrita antes que su rectangular",
         reemplazar(kViga, rect, "seccionGenerica: G 0.01 1e-4 2e8 1 " + rect),
         traza({{kGen,
                 {"Advertencia: seccionGenerica: la barra 1 está en las secciones V (seccionRectangular:) y G "
                  "(seccionGenerica:); la posterior, G, reemplaza a la anterior, pues seccionGenerica: se aplica después de seccionRectangular:"}}}),
         [] {
             esperarSeccion(0, "G", 0.01, 1e-4, 2e8);
             esperarSeccion(1, "V", 0.15, kInerciaV, 2.1e7);
         }},
        {"un nudo dos veces en una carga puntual", reemplazar(kViga, "P 0 -10 0 3", "P 0 -10 0 3 3"),
         traza({{kPuntuales,
                 {"Advertencia: puntual: el bloque del caso P nombra 2 veces el nudo 3; la carga se le aplica 2 "
                  "veces"}}}),
         [] { esperarCargaNudo(2, 0, -30, 0); }},
        {"un nudo tres veces entre otros", reemplazar(kViga, "P 0 -10 0 3", "P 0 -10 0 3 2 3 3"),
         traza({{kPuntuales,
                 {"Advertencia: puntual: el bloque del caso P nombra 3 veces el nudo 3; la carga se le aplica 3 "
                  "veces"}}}),
         [] {
             esperarCargaNudo(2, 0, -45, 0);
             esperarCargaNudo(1, 0, -15, 0);
         }},
        {"una barra dos veces en una carga distribuida", kViga + " distribuidaLocal: P 0 0 -2 -2 1 1",
         traza({{kCombosBarra,
                 {"Advertencia: distribuidaLocal: el bloque del caso P nombra 2 veces la barra 1; la carga se le "
                  "aplica 2 veces",
                  kLocales}}}),
         [] {
             ASSERT_EQ(barra[0].getMatrizCargasCombo().rows(), 1);
             EXPECT_DOUBLE_EQ(barra[0].getQInicioCombo(0), -6);
             EXPECT_DOUBLE_EQ(barra[1].getQInicioCombo(0), 0);
         }},
        {"dos bloques de carga en un nudo", kViga + " puntual: P 5 0 0 3", traza({}),
         [] { esperarCargaNudo(2, 7.5, -15, 0); }},
        {"un apoyo escrito dos veces igual", kViga + " apoyo: 1 1 1 1 3 apoyo: 0 1 0 2 2", traza({}),
         [] {
             esperarApoyo(2, 1, 1, 1);
             esperarApoyo(1, 0, 1, 0);
         }},
        {"una sección escrita dos veces igual", reemplazar(kViga, rect, rect + " " + rect), traza({}), esperarViga},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// Equal coordinates are equal numbers; a difference far below any drawn
// distance still keeps two nodes apart.
TEST_F(AvisosDeValores, NudosEnUnMismoPunto)
{
    const std::string barras = "barras: 1 1 2 2 2 3";
    const Caso casos[] = {
        {"dos nudos en un punto",
         reemplazar(reemplazar(kViga, "3 10 0", "3 10 0 4 5 0"), barras, "barras: 1 1 2 2 4 3"),
         traza({{kApoyos,
                 {"Advertencia: los nudos 2 y 4 tienen las mismas coordenadas; las barras de uno no se unen con las "
                  "del otro"}}},
               {cuentaNudos(4), cuentaBarras(2), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales, kCombosNudo,
                kCoordBarras, kRect, kGen, kCombosBarra}),
         [] {
             ASSERT_EQ(noNudos, 4);
             EXPECT_EQ(nudo[3].getX(), 5.0);
             EXPECT_EQ(barra[1].getXi(), 5.0);
         }},
        {"tres nudos escritos de tres maneras", reemplazar(kViga, "3 10 0", "3 10 0 4 5.0 0.0 5 5e0 -0"),
         traza({{kApoyos,
                 {"Advertencia: los nudos 2, 4 y 5 tienen las mismas coordenadas; las barras de uno no se unen con "
                  "las de los otros"}}},
               {cuentaNudos(5), cuentaBarras(2), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales, kCombosNudo,
                kCoordBarras, kRect, kGen, kCombosBarra}),
         [] { EXPECT_EQ(noNudos, 5); }},
        {"dos puntos, por orden de nudo", reemplazar(kViga, "3 10 0", "3 10 0 7 10 0 8 0 0"),
         traza({{kApoyos,
                 {"Advertencia: los nudos 1 y 8 tienen las mismas coordenadas; las barras de uno no se unen con las "
                  "del otro",
                  "Advertencia: los nudos 3 y 7 tienen las mismas coordenadas; las barras de uno no se unen con las "
                  "del otro"}}},
               {cuentaNudos(5), cuentaBarras(2), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales, kCombosNudo,
                kCoordBarras, kRect, kGen, kCombosBarra}),
         [] { EXPECT_EQ(noNudos, 5); }},
        {"cerca pero aparte", reemplazar(kViga, "3 10 0", "3 10 0 4 5.000000001 0 5 5 1e-9"),
         traza({}, {cuentaNudos(5), cuentaBarras(2), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kPuntuales,
                    kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra}),
         [] { EXPECT_EQ(noNudos, 5); }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// The bars that meet at the shared point are not joined, so the solve finds
// a mechanism: the line about the nodes comes before the solver's.
TEST_F(AvisosDeValores, NudosEnUnPuntoAntesDeLaInestabilidad)
{
    ArchivoTemporal archivo(
        reemplazar(reemplazar(kViga, "3 10 0", "3 10 0 4 5 0"), "barras: 1 1 2 2 2 3", "barras: 1 1 2 2 4 3"));
    vaciarModelo();
    nombreArchivo = archivo.ruta();
    const Lineas salida = lineas(salidaDe([] {
        funcionLeerArchivo();
        funcionSolucionU();
    }));
    const auto causa = std::find(salida.begin(), salida.end(),
                                 "Advertencia: los nudos 2 y 4 tienen las mismas coordenadas; las barras de uno no se "
                                 "unen con las del otro");
    const auto inestable = std::find_if(salida.begin(), salida.end(), [](const std::string& l) {
        return l.rfind("Advertencia: la estructura es inestable", 0) == 0;
    });
    ASSERT_NE(causa, salida.end());
    ASSERT_NE(inestable, salida.end());
    EXPECT_LT(causa, inestable);
}

// Two nodes among thousands are found, the rest stay silent.
TEST_F(AvisosDeValores, NudosEnUnPuntoEnUnModeloGrande)
{
    std::string texto = "nudos:";
    for (int i = 1; i <= 20000; ++i) {
        texto += " " + std::to_string(i) + " " + std::to_string(i % 200) + " " + std::to_string(i / 200);
    }
    texto += " 20001 7 3 apoyo: 1 1 1 1";
    ArchivoTemporal archivo(texto);
    const Lineas salida = construir(archivo.ruta());
    EXPECT_EQ(std::count_if(salida.begin(), salida.end(),
                            [](const std::string& l) { return l.find("mismas coordenadas") != std::string::npos; }),
              1);
    EXPECT_NE(std::find(salida.begin(), salida.end(),
                        "Advertencia: los nudos 607 y 20001 tienen las mismas coordenadas; las barras de uno no se "
                        "unen con las del otro"),
              salida.end());
}

// A code other than 0 and 1 is named with the node, the code as written, what
// the solve does with it and what the window shows; the solve holds every
// code other than 0, the window draws only the codes of its table and writes a
// reaction only for a code 1 or a spring.
TEST_F(AvisosDeValores, CodigosDeApoyoQueNoSonCeroNiUno)
{
    const std::string noDibujado =
        ", aunque el cálculo lo tiene en cuenta: solo dibuja los apoyos 1 1 1, 1 1 0, 0 1 0 y 1 0 0";
    const Caso casos[] = {
        {"código 2", kViga + " apoyo: 2 1 0 3",
         traza({{kPuntuales,
                 {"Advertencia: apoyo: el nudo 3 tiene el código 2 en X, que no es 0 ni 1: el cálculo fija X, pero la "
                  "ventana no dibuja el apoyo ni escribe Rx"}}}),
         [] { esperarApoyo(2, 2, 1, 0); }},
        {"código 0.5, libre", kViga + " apoyo: 0.5 1 1 3",
         traza({{kPuntuales,
                 {"Advertencia: apoyo: el nudo 3 tiene el código 0.5 en X, que no es 0 ni 1: se lee como 0, libre en "
                  "el cálculo y en la ventana",
                  "Advertencia: la ventana no dibuja el apoyo del nudo 3 (0 1 1)" + noDibujado}}}),
         [] { esperarApoyo(2, 0, 1, 1); }},
        {"código 1.5, fijo y dibujado", kViga + " apoyo: 1.5 1 0 3",
         traza({{kPuntuales,
                 {"Advertencia: apoyo: el nudo 3 tiene el código 1.5 en X, que no es 0 ni 1: se lee como 1, fijo en el "
                  "cálculo y en la ventana"}}}),
         [] { esperarApoyo(2, 1, 1, 0); }},
        {"código -1 en dos nudos", kViga + " apoyo: -1 1 0 2 3",
         traza({{kPuntuales,
                 {"Advertencia: apoyo: los nudos 2 y 3 tienen el código -1 en X, que no es 0 ni 1: el cálculo fija X, "
                  "pero la ventana no dibuja el apoyo ni escribe Rx"}}}),
         [] {
             esperarApoyo(1, -1, 1, 0);
             esperarApoyo(2, -1, 1, 0);
         }},
        {"dos códigos de un bloque", kViga + " apoyo: 1 2 -0.5 3",
         traza({{kPuntuales,
                 {"Advertencia: apoyo: el nudo 3 tiene el código 2 en Y, que no es 0 ni 1: el cálculo fija Y, pero la "
                  "ventana no dibuja el apoyo ni escribe Ry",
                  "Advertencia: apoyo: el nudo 3 tiene el código -0.5 en giro, que no es 0 ni 1: se lee como 0, libre "
                  "en el cálculo y en la ventana"}}}),
         [] { esperarApoyo(2, 1, 2, 0); }},
        // The reaction of a sprung direction is written by the window.
        {"código 2 con un resorte en esa dirección", kViga + " apoyo: 0 0 2 3 resorte: 0 0 50 3",
         traza({{kPuntuales,
                 {kResortes, "Advertencia: apoyo: el nudo 3 tiene el código 2 en giro, que no es 0 ni 1: el cálculo "
                             "fija el giro, pero la ventana no dibuja el apoyo"}}}),
         [] {
             esperarApoyo(2, 0, 0, 2);
             esperarResorte(2, 0, 0, 50);
         }},
        // A later block that replaced the code was said as it was applied.
        {"código 2 que un bloque posterior reemplaza", kViga + " apoyo: 2 1 0 3 apoyo: 1 1 0 3",
         traza({{kApoyos,
                 {"Advertencia: apoyo: el nudo 3 está en un bloque con 2 1 0 y en otro posterior con 1 1 0, que lo reemplaza"}}}),
         [] { esperarApoyo(2, 1, 1, 0); }},
        {"1.0, -0 y 0e5 son 1, 0 y 0", kViga + " apoyo: 1.0 -0 0e5 3", traza({}), [] { esperarApoyo(2, 1, 0, 0); }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// Every support code the window draws a symbol for is listed in the line
// about the others, in the table's order, and every other code of zeros and
// ones names its node.
TEST_F(AvisosDeValores, ApoyosQueLaVentanaNoDibuja)
{
    std::string dibujados;
    const std::size_t filas = std::size(apoyosDibujados);
    for (std::size_t k = 0; k < filas; ++k) {
        const ApoyoDibujado& a = apoyosDibujados[k];
        dibujados += (k == 0 ? "" : k + 1 == filas ? " y " : ", ") + std::to_string(a.x) + " " + std::to_string(a.y) +
                     " " + std::to_string(a.giro);
    }
    EXPECT_EQ(dibujados, "1 1 1, 1 1 0, 0 1 0 y 1 0 0");
    for (int x = 0; x <= 1; ++x) {
        for (int y = 0; y <= 1; ++y) {
            for (int g = 0; g <= 1; ++g) {
                const std::string codigos = std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(g);
                SCOPED_TRACE(codigos);
                const bool conSimbolo = apoyoDibujado(Eigen::Vector3i(x, y, g)) != nullptr;
                const bool libre = x + y + g == 0;
                ArchivoTemporal archivo(kViga + " apoyo: " + codigos + " 3");
                const Lineas salida = construir(archivo.ruta());
                const std::string linea = "Advertencia: la ventana no dibuja el apoyo del nudo 3 (" + codigos +
                                          "), aunque el cálculo lo tiene en cuenta: solo dibuja los apoyos " +
                                          dibujados;
                EXPECT_EQ(std::count(salida.begin(), salida.end(), linea), conSimbolo || libre ? 0 : 1);
                EXPECT_EQ(salida.size(), traza({}).size() + (conSimbolo || libre ? 0 : 1));
                esperarApoyo(2, x, y, g);
            }
        }
    }
    construirCaso({"varios nudos en una línea", kViga + " apoyo: 0 0 1 2 apoyo: 1 0 1 3",
                   traza({{kPuntuales,
                           {"Advertencia: la ventana no dibuja el apoyo de los nudos 2 (0 0 1) y 3 (1 0 1), aunque el "
                            "cálculo lo tiene en cuenta: solo dibuja los apoyos " +
                            dibujados}}}),
                   [] {
                       esperarApoyo(1, 0, 0, 1);
                       esperarApoyo(2, 1, 0, 1);
                   }});
}

// A user number written with a fraction is named as written with the number
// it becomes, before any line about that number; a whole number written with
// a point or an exponent is the number written.
TEST_F(AvisosDeValores, NumerosDeUsuarioConDecimales)
{
    const Caso casos[] = {
        {"nudo de una carga puntual", reemplazar(kViga, "P 0 -10 0 3", "P 0 -10 0 3.6"),
         traza({{kPuntuales, {conDecimales("3.6", "puntual:", "el nudo 3")}}}), esperarViga},
        {"nudo no definido de un apoyo", kViga + " apoyo: 1 1 1 8.2",
         traza({{kApoyos,
                 {conDecimales("8.2", "apoyo:", "el nudo 8"),
                  "Advertencia: apoyo: nombra el nudo 8, que no está definido; se omite"}}}),
         esperarViga},
        {"barra y nudo de la tabla de barras", reemplazar(kViga, "barras: 1 1 2 2 2 3", "barras: 1 1 2 2.5 2 3.9"),
         traza({{kBarrasOK,
                 {conDecimales("2.5", "barras:", "la barra 2"), conDecimales("3.9", "barras:", "el nudo 3")}}}),
         esperarViga},
        {"nudo de la tabla de nudos", reemplazar(kViga, "2 5 0", "2.5 5 0"),
         traza({{kNudosOK, {conDecimales("2.5", "nudos:", "el nudo 2")}}}), esperarViga},
        {"barra de una sección", reemplazar(kViga, "2.1e7 1 2", "2.1e7 1 2.7"),
         traza({{kRect, {conDecimales("2.7", "seccionRectangular:", "la barra 2")}}}), esperarViga},
        {"barra de una carga distribuida", kViga + " distribuidaLocal: P 0 0 -2 -2 -1.2",
         traza({{kCombosBarra,
                 {conDecimales("-1.2", "distribuidaLocal:", "la barra -1"),
                  "Advertencia: distribuidaLocal: nombra la barra -1, que no está definida; se omite", kLocales}}}),
         esperarViga},
        {"enteros escritos con punto o exponente",
         "nudos: 1 0 0 2.0 5 0 3 10 0 barras: 1e0 1 2 2 2.00 30e-1 apoyo: 1 1 1 1.0 "
         "seccionRectangular: V 0.3 0.5 2.1e7 1 2 puntual: P 0 -10 0 3.0 combo: U 1.5 P",
         traza({}), esperarViga},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// Two words that become one number: each is said with the number it became,
// so the line about the repeated number names a number the reader can see.
TEST_F(AvisosDeValores, DecimalesAntesDeUnNumeroRepetido)
{
    construirCaso({"nudos -0.7 y 0.7", "nudos: -0.7 0 0  0.7 4 0 apoyo: 1 1 1 0",
                   conAvisosEscala({cuentaNudos(2), cuentaBarras(0),
                                    "Advertencia: la palabra \"-0.7\" de \"nudos:\" no es un número entero; se toma "
                                    "como el nudo 0",
                                    "Advertencia: la palabra \"0.7\" de \"nudos:\" no es un número entero; se toma "
                                    "como el nudo 0",
                                    "Advertencia: el número 0 se repite en nudos:; vale la última fila", kNudosOK,
                                    kCoordNudos, kApoyos}),
                   [] {
                       ASSERT_EQ(noNudos, 1);
                       EXPECT_EQ(nudo[0].getX(), 4.0);
                       esperarApoyo(0, 1, 1, 1);
                   }});
}

// Said after the support and spring steps, before the solver's line about
// the instability it causes; a spring alone holds a model.
TEST_F(AvisosDeValores, ModeloSinApoyos)
{
    const std::string apoyo = "apoyo: 1 1 1 1 ";
    const Caso casos[] = {
        {"sin bloque de apoyo", reemplazar(kViga, apoyo, ""),
         conAvisosEscala({cuentaNudos(3), cuentaBarras(2), kNudosOK, kBarrasOK, kCoordNudos, kSinApoyos, kPuntuales,
                          kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra}),
         [] { esperarApoyo(0, 0, 0, 0); }},
        {"un apoyo que no fija nada", reemplazar(kViga, apoyo, "apoyo: 0 0 0 1 "), traza({{kPuntuales, {kSinApoyos}}}),
         [] { esperarApoyo(0, 0, 0, 0); }},
        {"un código que se lee como 0", reemplazar(kViga, apoyo, "apoyo: 0.5 0 0 1 "),
         traza({{kPuntuales,
                 {"Advertencia: apoyo: el nudo 1 tiene el código 0.5 en X, que no es 0 ni 1: se lee como 0, libre en "
                  "el cálculo y en la ventana",
                  kSinApoyos}}}),
         [] { esperarApoyo(0, 0, 0, 0); }},
        {"solo resortes", reemplazar(kViga, apoyo, "resorte: 1e6 1e6 1e6 1 "),
         conAvisosEscala({cuentaNudos(3), cuentaBarras(2), kNudosOK, kBarrasOK, kCoordNudos, kResortes, kPuntuales,
                          kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra}),
         [] { esperarResorte(0, 1e6, 1e6, 1e6); }},
        {"un código 2 fija", reemplazar(kViga, apoyo, "apoyo: 0 2 0 1 "),
         traza({{kPuntuales,
                 {"Advertencia: apoyo: el nudo 1 tiene el código 2 en Y, que no es 0 ni 1: el cálculo fija Y, pero la "
                  "ventana no dibuja el apoyo ni escribe Ry"}}}),
         [] { esperarApoyo(0, 0, 2, 0); }},
        // Nodes without bars are not solved: there is nothing to hold.
        {"nudos sin barras", "nudos: 1 0 0 2 4 0",
         conAvisosEscala({cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos}), [] {}},
    };
    for (const Caso& c : casos) construirCaso(c);

    ArchivoTemporal archivo(reemplazar(kViga, apoyo, ""));
    vaciarModelo();
    nombreArchivo = archivo.ruta();
    const Lineas salida = lineas(salidaDe([] {
        funcionLeerArchivo();
        funcionSolucionU();
    }));
    const auto causa = std::find(salida.begin(), salida.end(), kSinApoyos);
    const auto inestable = std::find_if(salida.begin(), salida.end(), [](const std::string& l) {
        return l.rfind("Advertencia: la estructura es inestable", 0) == 0;
    });
    ASSERT_NE(causa, salida.end());
    ASSERT_NE(inestable, salida.end());
    EXPECT_LT(causa, inestable);
}

std::string enUtf16(const std::string& texto)
{
    std::string bytes = "\xFF\xFE";
    for (char c : texto) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

// Said first, before the trace's count of 0 nodes, unless a line has already
// explained why the file has no node table.
TEST_F(AvisosDeValores, ArchivoSinTablaDeNudos)
{
    const Caso casos[] = {
        {"archivo vacío", "", conAvisosEscala({kSinTablaDeNudos, cuentaNudos(0), cuentaBarras(0), kCoordNudos}),
         [] { EXPECT_TRUE(nudo.empty()); }},
        {"solo blancos y un ajuste", " \n\t escalaM: 0.5\n",
         {kSinTablaDeNudos, cuentaNudos(0), cuentaBarras(0), kCoordNudos, avisoReal("escalaDeflexion:"),
          avisoReal("escalaV:"), avisoReal("escalaN:"), avisoReal("escalaTexto:"), avisoReal("escalaApoyo:"),
          "Advertencia: no se encontró ningún entero con etiqueta precision:", avisoReal("escalaCarga:")},
         [] { EXPECT_EQ(escalaM, 0.5); }},
        {"barras sin nudos", "barras: 1 1 2",
         conAvisosEscala({kSinTablaDeNudos, cuentaNudos(0), cuentaBarras(1),
                          "Advertencia: barras: nombra el nudo 1, que no está definido; se omite la barra 1", kBarrasOK,
                          kCoordNudos}),
         [] { EXPECT_TRUE(barra.empty()); }},
        {"tabla de nudos sin filas enteras", "nudos: 1 0 0 2 5",
         conAvisosEscala({"Faltan datos para completar la matriz nudos:",
                          "Advertencia: la tabla \"nudos:\" tiene 5 números, que no forman filas de tres; no se lee "
                          "ninguna fila",
                          cuentaNudos(0), cuentaBarras(0), kCoordNudos}),
         [] { EXPECT_TRUE(nudo.empty()); }},
        {"etiqueta en mayúscula", "Nudos: 1 0 0 2 5 0",
         conAvisosEscala({"Advertencia: la palabra \"Nudos:\" se parece a la etiqueta \"nudos:\"; los datos que la "
                          "siguen no se leen",
                          cuentaNudos(0), cuentaBarras(0), kCoordNudos}),
         [] { EXPECT_TRUE(nudo.empty()); }},
        {"etiqueta pegada a su valor", "nudos:1 0 0 2 5 0",
         conAvisosEscala({"Advertencia: la palabra \"nudos:1\" lleva la etiqueta \"nudos:\" pegada a su valor; "
                          "sepárelos con un espacio",
                          cuentaNudos(0), cuentaBarras(0), kCoordNudos}),
         [] { EXPECT_TRUE(nudo.empty()); }},
    };
    for (const Caso& c : casos) construirCaso(c);

    ArchivoTemporal utf16(enUtf16("nudos: 1 0 0 2 5 0"));
    const Lineas deUtf16 = construir(utf16.ruta());
    ASSERT_FALSE(deUtf16.empty());
    EXPECT_NE(deUtf16[0].find("UTF-16"), std::string::npos) << deUtf16[0];
    EXPECT_EQ(std::count(deUtf16.begin(), deUtf16.end(), kSinTablaDeNudos), 0);

    const Lineas sinArchivo = construir("/no/existe/modelo.txt");
    ASSERT_FALSE(sinArchivo.empty());
    EXPECT_EQ(sinArchivo[0], "Advertencia: no se pudo abrir el archivo de entrada: /no/existe/modelo.txt");
    EXPECT_EQ(std::count(sinArchivo.begin(), sinArchivo.end(), kSinTablaDeNudos), 0);
}

}  // namespace
