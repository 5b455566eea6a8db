// Hostile input files: each must build, solve, report and answer every query
// without a crash, an abort or a read outside a table (the sanitizer build
// checks the last two), and say what is wrong where the program defines it.

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util.h"
#include "vardel2d.h"

namespace {

class EntradasHostiles : public EstadoLimpio {};

// Runs the whole engine on the file as the program would, then every query of
// every node and bar for every combination and one index on either side.
// nanEnNudos tells whether a node answered a result query with NaN.
std::string recorrerTodo(const std::string& contenido, bool* nanEnNudos = nullptr)
{
    bool hayNan = false;
    ArchivoTemporal archivo(contenido);
    vaciarModelo();
    nombreArchivo = archivo.ruta();
    const std::filesystem::path antes = std::filesystem::current_path();
    const std::filesystem::path temporal = std::filesystem::temp_directory_path() / ("vardel2d_hostil_" + std::to_string(getpid()));
    std::filesystem::create_directories(temporal);
    std::filesystem::current_path(temporal);

    std::string salida = salidaDe([&] {
        funcionLeerArchivo();
        if (noNudos != 0 && noBarras != 0 && noCombos != 0) funcionSolucionU();
        funcionImprimirResultados();
        for (int c = -1; c <= noCombos; ++c) {
            for (const objNudo2d& n : nudo) {
                hayNan = hayNan || std::isnan(n.getDesplazamientoX(c) + n.getDesplazamientoY(c) + n.getGiroZ(c) +
                                              n.getReaccionX(c) + n.getReaccionY(c) + n.getReaccionM(c));
                (void)n.getNombreCombo(c);
            }
            for (objBarra2d& b : barra) {
                (void)b.getSolicitacionAxial(c, 21);
                (void)b.getSolicitacionCortante(c, 21);
                (void)b.getSolicitacionMomento(c, 2);
                (void)b.getBarraDeformada(c, 21, 100);
                (void)b.getXvcero(c);
                (void)b.getMmax(c);
            }
        }
    });
    std::filesystem::current_path(antes);
    std::filesystem::remove_all(temporal);
    if (nanEnNudos) *nanEnNudos = hayNan;
    return salida;
}

bool contieneLinea(const std::string& salida, const std::string& linea)
{
    for (const std::string& l : lineas(salida)) {
        if (l == linea) return true;
    }
    return false;
}

const std::string portal = "nudos: 1 0 0 2 0 3 3 4 3 4 4 0 barras: 1 1 2 2 2 3 3 3 4 apoyo: 1 1 1 1 4 "
                           "seccionGenerica: S 0.01 1e-4 2e8 1 2 3 puntual: P 10 0 0 2 ";

std::string binario()
{
    std::mt19937 azar(12345);
    std::string s(4096, '\0');
    for (char& c : s) c = static_cast<char>(azar() & 0xff);
    return s;
}

std::string muchasCombinaciones(int n)
{
    std::string s = portal;
    for (int c = 0; c < n; ++c) s += "combo: C" + std::to_string(c) + " " + std::to_string(c + 1) + " P ";
    return s;
}

struct CasoHostil {
    const char* nombre;
    std::string contenido;
    std::vector<std::string> lineasEsperadas;
    bool nanAdmitido = false;  // only where the file itself asks for an infinite load
};

TEST_F(EntradasHostiles, CadaArchivoCorreSinFallarYDiceQueEstaMal)
{
    const CasoHostil casos[] = {
        {"vacío", "", {"lectura de nudos OK Num Nudos = 0"}},
        {"bytes binarios", binario(), {}},
        {"nudo 2147483647", "nudos: 2147483647 0 0 1 4 0 barras: 1 2147483647 1 apoyo: 1 1 1 2147483647 "
                            "seccionGenerica: S 1 1 1 1 puntual: P 0 -1 0 1 combo: C 1 P",
         {"lectura de nudos OK Num Nudos = 2"}},
        {"números negativos y fraccionarios",
         "nudos: -1 0 0 2.9 -4.5 0.5 barras: -7 -1 2 apoyo: -1 1.5 0.2 -1 seccionRectangular: R -0.3 0.5 -2e8 -7 "
         "puntual: P 1.5 -2.5 0.25 2 combo: C -1.5 P",
         {}},
        {"nan e inf como palabras", "nudos: 1 nan 0 2 inf 0 escalaM: nan barras: 1 1 2", {}},
        {"1e999", portal + "puntual: Q 1e999 0 0 3 combo: C 1 Q",
         {"Advertencia: la palabra \"1e999\" excede el rango de los reales; se lee como inf"}, true},
        {"- y e como números", "nudos: 1 - e 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 combo: C e P",
         {"Advertencia: la palabra \"-\" no es un número; se lee como 0",
          "Advertencia: la palabra \"e\" no es un número; se lee como 0"}},
        {"tabla cortada a mitad de fila", "nudos: 1 0 0 2 4 barras: 1 1 2",
         {"Faltan datos para completar la matriz nudos:"}},
        {"etiquetas sin valores al final", portal + "combo: C 1 P apoyo: puntual: combo: escalaM: nudos:", {}},
        {"barra de un nudo a sí mismo", portal + "barras: 4 2 2 combo: C 1 P",
         {"Advertencia: la barra 4 tiene longitud cero: sus nudos coinciden"}},
        {"combinación repetida", portal + "combo: C 1 P combo: C 2 P",
         {"Advertencia: la combinación C se repite; sus pares se suman a la misma combinación"}},
        {"combinación sin pares", portal + "combo: C 1 P combo: D",
         {"Advertencia: la combinación D no tiene pares de factor y caso; se omite"}},
        {"carga global sin dirección", portal + "distribuidaGlobal: P 5 5 0 0 2 combo: C 1 P",
         {"Advertencia: la dirección de la carga distribuida global de la barra 2 es nula o no finita; la carga no se considera"}},
        {"150 combinaciones", muchasCombinaciones(150), {}},
        // Found by the fuzzer: the report of bars without any combination.
        {"barras sin combinaciones", portal, {"lectura de barras OK Num Barras = 3"}},
        {"mecanismo", "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 0 1 0 1 seccionGenerica: S 1 1 1 1 "
                      "puntual: P 1 1 0 2 combo: C 1 P",
         {"Advertencia: la estructura es inestable: la matriz de rigidez de los grados de libertad libres es "
          "singular (rango 3 de 5); los resultados de la combinación C no equilibran sus cargas"}},
        {"todo sujeto", "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 2 seccionGenerica: S 1 1 1 1 "
                        "puntual: P 1 1 0 2 combo: C 1 P",
         {}},
    };
    for (const CasoHostil& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        bool hayNan = false;
        const std::string salida = recorrerTodo(caso.contenido, &hayNan);
        if (!caso.nanAdmitido) {
            EXPECT_FALSE(hayNan);
        }
        for (const std::string& linea : caso.lineasEsperadas) {
            EXPECT_TRUE(contieneLinea(salida, linea)) << "missing: " << linea << "\n" << salida;
        }
    }
}

TEST_F(EntradasHostiles, CientoCincuentaCombinacionesSeResuelvenTodas)
{
    recorrerTodo(muchasCombinaciones(150));
    ASSERT_EQ(noCombos, 150);
    // Combination c is (c + 1) times the load P = 10 at node 2, so the base
    // reactions grow in proportion.
    const double rx0 = nudo[0].getReaccionX(0) + nudo[3].getReaccionX(0);
    EXPECT_NEAR(rx0, -10, 1e-9);
    EXPECT_NEAR(nudo[0].getReaccionX(149) + nudo[3].getReaccionX(149), -1500, 1e-9);
}

TEST_F(EntradasHostiles, TodoSujetoDevuelveLasCargasComoReacciones)
{
    recorrerTodo("nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 2 seccionGenerica: S 1 1 1 1 "
                 "puntual: P 3 -2 5 2 combo: C 1 P");
    EXPECT_EQ(nudo[1].getDesplazamientoX(0), 0.0);
    EXPECT_EQ(nudo[1].getReaccionX(0), -3.0);
    EXPECT_EQ(nudo[1].getReaccionY(0), 2.0);
    EXPECT_EQ(nudo[1].getReaccionM(0), -5.0);
}

TEST_F(EntradasHostiles, DiezMegasDeUnaEtiqueta)
{
    std::string repetida;
    repetida.reserve(10u << 20);
    while (repetida.size() < (10u << 20)) repetida += "apoyo: ";
    const std::string salida = recorrerTodo(repetida);
    EXPECT_TRUE(contieneLinea(salida, "lectura de nudos OK Num Nudos = 0"));

    // No combination, so no solve: this table's stiffness matrix would take
    // terabytes, and whether asking for them fails depends on the kernel's
    // overcommit policy. Solucion.ModeloDemasiadoGrandeParaLaMemoria asks for
    // sizes that no machine can give.
    std::string tabla = "nudos:";
    int filas = 0;
    while (tabla.size() < (10u << 20)) {
        ++filas;
        tabla += " " + std::to_string(filas) + " " + std::to_string(filas) + " 0";
    }
    tabla += " barras: 1 1 2 apoyo: 1 1 1 1 puntual: P 0 1 0 2 seccionGenerica: S 1 1 1 1";
    EXPECT_TRUE(contieneLinea(recorrerTodo(tabla), "lectura de nudos OK Num Nudos = " + std::to_string(filas)));
    ASSERT_EQ(nudo.size(), static_cast<std::size_t>(filas));
    EXPECT_EQ(nudo.back().getNoNudoUsuario(), filas);
    EXPECT_EQ(nudo.back().getX(), filas);
}

}  // namespace

namespace {

class EntradasQueNoSonUnArchivoComun : public EstadoLimpio {};

// A word of 20 MB is quoted by its beginning, once, wherever it stands.
TEST_F(EntradasQueNoSonUnArchivoComun, PalabraDeVeinteMegasSeCitaCorta)
{
    const std::string numero = "2" + std::string(20u << 20, '5') + ",5";
    const std::string texto = "x" + std::string(20u << 20, 'y');
    const std::string salida = recorrerTodo(portal + "combo: C 1 P nudos: 1 0 0 " + numero + " escalaM: " + texto);
    EXPECT_TRUE(contieneLinea(salida, "Advertencia: la palabra \"2" + std::string(59, '5') +
                                          "…\" después de \"nudos:\" no es un número; escriba el punto decimal "
                                          "como \".\" y el exponente como \"e\""));
    EXPECT_TRUE(contieneLinea(salida, "Advertencia: la palabra \"x" + std::string(59, 'y') +
                                          "…\" no es un número; escalaM: conserva su valor por defecto, 0.1"));
    EXPECT_LT(salida.size(), 4096u);
}

// A FIFO without a writer would block an open for ever, and a pipe would be
// consumed by the check: neither is opened, each gets the line of a file that
// cannot be opened, and the model reads as empty. The child ends by an alarm
// if the builder blocks.
TEST_F(EntradasQueNoSonUnArchivoComun, FifoYTuberiaNiBloqueanNiSeConsumen)
{
    const std::string fifo =
        (std::filesystem::temp_directory_path() / ("vardel2d_fifo_" + std::to_string(getpid()))).string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    int extremos[2];
    ASSERT_EQ(pipe(extremos), 0);
    const std::string modelo = "nudos: 1 0 0 2 4 0";
    ASSERT_EQ(write(extremos[1], modelo.data(), modelo.size()), static_cast<ssize_t>(modelo.size()));
    const std::string tuberia = "/dev/fd/" + std::to_string(extremos[0]);

    for (const std::string& ruta : {fifo, tuberia}) {
        SCOPED_TRACE(ruta);
        EXPECT_EXIT(
            {
                alarm(10);
                nombreArchivo = ruta;
                const std::vector<std::string> l = lineas(salidaDe(funcionLeerArchivo));
                const bool bien = l.size() > 1 && l[0] == "Advertencia: no se pudo abrir el archivo de entrada: " + ruta &&
                                  l[1] == "lectura de nudos OK Num Nudos = 0" && noNudos == 0;
                std::_Exit(bien ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
    }
    nombreArchivo = tuberia;
    salidaDe(funcionLeerArchivo);
    std::string resto(modelo.size() + 1, '\0');
    fcntl(extremos[0], F_SETFL, O_NONBLOCK);
    const ssize_t leidos = read(extremos[0], &resto[0], resto.size());
    EXPECT_EQ(resto.substr(0, leidos > 0 ? leidos : 0), modelo);
    close(extremos[0]);
    close(extremos[1]);
    std::remove(fifo.c_str());
}

}  // namespace
