#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "util.h"
#include "vardel2d.h"

namespace {

class ModeloAvisos : public EstadoLimpio {};

using Lineas = std::vector<std::string>;

// Everything that reading and solving the text print, as the program runs them.
Lineas leerYResolverTodo(const std::string& texto)
{
    ArchivoTemporal archivo(texto);
    nombreArchivo = archivo.ruta();
    return lineas(salidaDe([] {
        funcionLeerArchivo();
        funcionSolucionU();
    }));
}

std::size_t posicion(const Lineas& salida, const std::string& linea)
{
    return static_cast<std::size_t>(std::find(salida.begin(), salida.end(), linea) - salida.begin());
}

bool esAvisoDeSeccion(const std::string& linea)
{
    return linea.find(" sección (de seccionRectangular: o seccionGenerica:)") != std::string::npos ||
           linea.rfind("Advertencia: hay secciones distintas", 0) == 0;
}

// Four nodes on a line, bars 10, 20 and 30 between them, fixed at node 1.
const std::string kTresBarras = "nudos: 1 0 0 2 5 0 3 10 0 4 15 0 barras: 10 1 2 20 2 3 30 3 4 apoyo: 1 1 1 1 "
                                "puntual: P 0 -10 0 4 combo: U 1 P ";

std::string sinSeccion(const std::string& barras, bool una)
{
    return "Advertencia: " + barras + (una ? " no tiene" : " no tienen") +
           " sección (de seccionRectangular: o seccionGenerica:); " + (una ? "no aporta" : "no aportan") + " rigidez";
}

TEST_F(ModeloAvisos, SeccionesQueFaltanOSeConfunden)
{
    std::string doce = "nudos:";
    for (int n = 1; n <= 13; ++n) doce += " " + std::to_string(n) + " " + std::to_string(n) + " 0";
    doce += " barras:";
    for (int b = 1; b <= 12; ++b) {
        doce += " " + std::to_string(b) + " " + std::to_string(b) + " " + std::to_string(b + 1);
    }

    struct Caso {
        const char* nombre;
        std::string texto;
        Lineas avisos;             // this model's lines about sections, in order
        std::string consecuencia;  // a later line that the first of them explains
    };
    const Caso casos[] = {
        {"una barra sin sección, nombrada por su número",
         kTresBarras + "seccionRectangular: V 0.3 0.5 2.1e7 10 20",
         {sinSeccion("la barra 30", true)},
         "No están definidas E, I o L de Elemento: 2"},
        {"ninguna sección", kTresBarras,
         {sinSeccion("las barras 10, 20 y 30", false)},
         "No están definidas E, I o L de Elemento: 0"},
        {"una sección cortada por un número mal escrito",
         kTresBarras + "seccionRectangular: V 0.3 0.5 2,1e7 10 20 30",
         {sinSeccion("las barras 10, 20 y 30", false)},
         "No están definidas E, I o L de Elemento: 0"},
        {"doce barras sin sección: se nombran diez", doce,
         {sinSeccion("las barras 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 y otras 2", false)},
         "No están definidas E, I o L de Elemento: 11"},
        {"un nombre para dos secciones distintas",
         kTresBarras + "seccionRectangular: V 0.3 0.5 2.1e7 10 seccionRectangular: V 0.3 0.6 2.1e7 20 30",
         {"Advertencia: hay secciones distintas con el nombre V: una en la barra 10, otra en las barras 20 y 30"},
         ""},
        {"solo cambia el módulo",
         kTresBarras + "seccionRectangular: V 0.3 0.5 2.1e7 10 20 seccionRectangular: V 0.3 0.5 3e7 30",
         {"Advertencia: hay secciones distintas con el nombre V: una en las barras 10 y 20, otra en la barra 30"},
         ""},
        {"tres secciones de un nombre",
         kTresBarras + "seccionGenerica: G 1 1 1 10 seccionGenerica: G 1 2 1 20 seccionGenerica: G 2 1 1 30",
         {"Advertencia: hay secciones distintas con el nombre G: una en la barra 10, otra en la barra 20, otra en la "
          "barra 30"},
         ""},
        {"una barra sin sección no tiene nombre que comparar", kTresBarras + "seccionRectangular: V 1 1 1 10 20",
         {sinSeccion("la barra 30", true)}, ""},
        {"un nombre con los mismos valores en dos bloques",
         kTresBarras + "seccionRectangular: V 0.3 0.5 2.1e7 10 seccionRectangular: V 0.3 0.5 2.1e7 20 30", {}, ""},
        {"rectangular y genérica del mismo A, I y E",
         kTresBarras + "seccionRectangular: V 0.3 0.5 2.1e7 10 20 seccionGenerica: V 0.15 0.003125 2.1e7 30", {}, ""},
        {"una sección que otra del mismo nombre reemplaza en todas sus barras",
         kTresBarras + "seccionRectangular: V 0.3 0.5 2.1e7 10 20 30 seccionRectangular: V 0.3 0.6 2.1e7 10 20 30",
         {}, ""},
        {"un valor infinito en un solo bloque es una sola sección",
         kTresBarras + "seccionRectangular: V 1e999 0.5 2.1e7 10 20 30", {}, ""},
        {"nombres distintos con los mismos valores",
         kTresBarras + "seccionRectangular: V1 0.3 0.5 2.1e7 10 seccionRectangular: V2 0.3 0.5 2.1e7 20 30", {},
         ""},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        vaciarModelo();
        const Lineas salida = leerYResolverTodo(caso.texto);
        Lineas avisos;
        std::copy_if(salida.begin(), salida.end(), std::back_inserter(avisos), esAvisoDeSeccion);
        EXPECT_EQ(avisos, caso.avisos);
        EXPECT_EQ(posicion(salida, "Definir el nombre de sección"), salida.size());
        if (caso.avisos.empty()) continue;
        // After the section steps, before anything about their consequences.
        const std::size_t aviso = posicion(salida, caso.avisos.front());
        EXPECT_TRUE(aviso > 0 && aviso < salida.size() &&
                    salida[aviso - 1] == "transferencia de secciones gen a barra[i] OK");
        if (caso.consecuencia.empty()) continue;
        const std::size_t consecuencia = posicion(salida, caso.consecuencia);
        EXPECT_LT(consecuencia, salida.size()) << "falta " << caso.consecuencia;
        EXPECT_LT(aviso, consecuencia);
    }
}

// A beam 10 long of E = 2.1e7 and a 0.3 x 0.5 section, loaded by 15 downwards.
constexpr double P = 15;
constexpr double L = 10;
const double EI = 2.1e7 * 0.3 * std::pow(0.5, 3) / 12;

struct Valor {
    int nudo;  // user number
    const char* que;
    double (objNudo2d::*leer)(int) const;
    double esperado;
};

const objNudo2d* nudoDeUsuario(int numero)
{
    for (const objNudo2d& n : nudo) {
        if (n.getNoNudoUsuario() == numero) return &n;
    }
    return nullptr;
}

bool sinApoyo(const objNudo2d& n)
{
    return n.getApoyo().isZero() && n.getResorteX() == 0 && n.getResorteY() == 0 && n.getResorteGiro() == 0;
}

struct CasoRepetido {
    const char* nombre;
    std::string texto;
    std::string aviso;
    std::vector<int> nudos;  // user numbers, in internal order
    std::vector<int> barras;
    std::vector<Valor> valores;
};

void esperarModeloRepetido(const CasoRepetido& caso)
{
    const Lineas salida = leerYResolverTodo(caso.texto);
    EXPECT_EQ(std::count(salida.begin(), salida.end(), caso.aviso), 1);
    for (const std::string& linea : salida) {
        EXPECT_EQ(linea.find("No están definidas"), std::string::npos) << linea;
        EXPECT_EQ(linea.find("inestable"), std::string::npos) << linea;
    }

    ASSERT_EQ(noNudos, static_cast<int>(caso.nudos.size()));
    ASSERT_EQ(nudo.size(), caso.nudos.size());
    for (std::size_t i = 0; i < nudo.size(); ++i) {
        EXPECT_EQ(nudo[i].getNoNudoUsuario(), caso.nudos[i]);
        EXPECT_EQ(nudo[i].getNoNudo(), static_cast<int>(i));
    }
    ASSERT_EQ(noBarras, static_cast<int>(caso.barras.size()));
    ASSERT_EQ(barra.size(), caso.barras.size());
    for (std::size_t j = 0; j < barra.size(); ++j) EXPECT_EQ(barra[j].getNoBarraUsuario(), caso.barras[j]);

    for (const Valor& v : caso.valores) {
        SCOPED_TRACE(v.que);
        const objNudo2d* n = nudoDeUsuario(v.nudo);
        ASSERT_NE(n, nullptr);
        const double escala = v.esperado != 0 ? std::fabs(v.esperado) : P * L;
        EXPECT_NEAR((n->*v.leer)(0), v.esperado, 1e-9 * escala);
    }
    for (const objNudo2d& n : nudo) {
        if (!sinApoyo(n)) continue;
        SCOPED_TRACE("nudo libre " + std::to_string(n.getNoNudoUsuario()));
        EXPECT_NEAR(n.getReaccionX(0), 0, 1e-9 * P);
        EXPECT_NEAR(n.getReaccionY(0), 0, 1e-9 * P);
        EXPECT_NEAR(n.getReaccionM(0), 0, 1e-9 * P * L);
    }
}

// A repeated number makes the one node or bar the warning describes: the
// later row's values, in the earlier row's place.
TEST_F(ModeloAvisos, NumeroRepetidoEsUnSoloNudoOBarra)
{
    const std::string apuntalada = "barras: 1 1 2 2 2 3 apoyo: 1 1 1 1 apoyo: 0 1 0 3 "
                                   "seccionRectangular: V 0.3 0.5 2.1e7 1 2 puntual: P 0 -15 0 2 combo: U 1 P";
    // Propped cantilever, fixed at node 1 and on a roller at node 3, loaded at midspan.
    const std::vector<Valor> deApuntalada = {
        {1, "reacción Y del empotramiento", &objNudo2d::getReaccionY, 11 * P / 16},
        {1, "momento del empotramiento", &objNudo2d::getReaccionM, 3 * P * L / 16},
        {1, "reacción X del empotramiento", &objNudo2d::getReaccionX, 0},
        {3, "reacción del rodillo", &objNudo2d::getReaccionY, 5 * P / 16},
        {2, "flecha en el centro", &objNudo2d::getDesplazamientoY, -7 * P * std::pow(L, 3) / (768 * EI)},
        {3, "giro sobre el rodillo", &objNudo2d::getGiroZ, P * L * L / (32 * EI)},
        {1, "el empotramiento no se mueve", &objNudo2d::getDesplazamientoY, 0},
    };
    const CasoRepetido casos[] = {
        {"nudo apoyado repetido al final con otras coordenadas",
         "nudos: 1 -3 7 2 5 0 3 10 0 1 0 0 " + apuntalada,
         "Advertencia: el número 1 se repite en nudos:; vale la última fila", {1, 2, 3}, {1, 2}, deApuntalada},
        {"nudo cargado repetido", "nudos: 1 0 0 2 99 99 3 10 0 2 5 0 " + apuntalada,
         "Advertencia: el número 2 se repite en nudos:; vale la última fila", {1, 2, 3}, {1, 2}, deApuntalada},
        // Cantilever fixed at node 1; the first row of bar 2 would leave node 3 loose.
        {"barra repetida",
         "nudos: 1 0 0 2 5 0 3 10 0 barras: 1 1 2 2 1 2 2 2 3 apoyo: 1 1 1 1 "
         "seccionRectangular: V 0.3 0.5 2.1e7 1 2 puntual: P 0 -15 0 3 combo: U 1 P",
         "Advertencia: el número 2 se repite en barras:; vale la última fila", {1, 2, 3}, {1, 2},
         {{3, "flecha del extremo", &objNudo2d::getDesplazamientoY, -P * std::pow(L, 3) / (3 * EI)},
          {3, "giro del extremo", &objNudo2d::getGiroZ, -P * L * L / (2 * EI)},
          {1, "reacción Y", &objNudo2d::getReaccionY, P},
          {1, "momento del empotramiento", &objNudo2d::getReaccionM, P * L}}},
    };
    for (const CasoRepetido& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        vaciarModelo();
        esperarModeloRepetido(caso);
    }
}

// A later row of a bar already built that names an undefined node is dropped
// by itself: the bar keeps its earlier row, and the line says so.
TEST_F(ModeloAvisos, FilaRepetidaQueNoSePuedeFormarDejaLaAnterior)
{
    const Lineas salida = leerYResolverTodo("nudos: 1 0 0 2 1 0 barras: 1 1 2 1 1 9 seccionRectangular: S 1 1 1 1");
    EXPECT_LT(posicion(salida, "Advertencia: barras: nombra el nudo 9, que no está definido; se omite esa fila; la "
                               "barra 1 queda con su fila anterior"),
              salida.size());
    ASSERT_EQ(barra.size(), 1u);
    EXPECT_EQ(barra[0].getNudoFinalUsuario(), 2);
    EXPECT_EQ(barra[0].getNombreDeSeccion(), "S");
}

}  // namespace
