#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "claseLeerArchivo.h"
#include "util.h"

namespace {

class Lector : public EstadoLimpio {};

claseLeerArchivo lectorDe(const ArchivoTemporal& archivo)
{
    claseLeerArchivo l;
    l.setNombreArchivo(archivo.ruta());
    return l;
}

TEST_F(Lector, EsNumeroMiraSoloLosCaracteres)
{
    claseLeerArchivo l;
    const struct {
        const char* palabra;
        bool numero;
    } casos[] = {{"2.1e7", true}, {"-3", true}, {"e", true}, {"-", true}, {".", true}, {"", true},
                 {"2.1E7", false}, {"1,5", false}, {"10kN", false}, {"nudos:", false}, {"nan", false}};
    for (const auto& c : casos) EXPECT_EQ(l.esNumero(c.palabra), c.numero) << c.palabra;
}

TEST_F(Lector, CuentaEtiquetasExactas)
{
    ArchivoTemporal f("apoyo: 1 1 1 2 Apoyo: apoyo:x apoyo:\n\tapoyo:");
    claseLeerArchivo l = lectorDe(f);
    EXPECT_EQ(l.getNoEtiquetas("apoyo:"), 3);
    EXPECT_EQ(l.getNoEtiquetas("combo:"), 0);
}

TEST_F(Lector, EscalaresTomanLaUltimaOcurrencia)
{
    ArchivoTemporal f("escalaM: 0.5 precision: 3.9 escalaM: 1e3 precision: -1 escalaV: -1");
    claseLeerArchivo l = lectorDe(f);
    std::string salida = salidaDe([&] {
        EXPECT_DOUBLE_EQ(l.getReal("escalaM:"), 1000.0);
        EXPECT_EQ(l.getEntero("precision:"), -1);
        EXPECT_DOUBLE_EQ(l.getReal("escalaV:"), -1.0);
    });
    EXPECT_EQ(salida, "");
}

TEST_F(Lector, EscalarAusenteAvisaYDevuelveMenosUno)
{
    ArchivoTemporal f("escalaN: 2 escalaTexto:");
    claseLeerArchivo l = lectorDe(f);
    std::string salida = salidaDe([&] {
        EXPECT_DOUBLE_EQ(l.getReal("escalaM:"), -1.0);
        EXPECT_EQ(l.getEntero("precision:"), -1);
        EXPECT_DOUBLE_EQ(l.getReal("escalaTexto:"), -1.0);  // the tag is the file's last word
    });
    EXPECT_EQ(salida,
              "Advertencia: no se encontró ningún real con etiqueta escalaM:\n"
              "Advertencia: no se encontró ningún entero con etiqueta precision:\n"
              "Advertencia: no se encontró ningún real con etiqueta escalaTexto:\n");
}

TEST_F(Lector, ConversionSinValorNumericoDaCeroConAviso)
{
    ArchivoTemporal f("escalaM: e precision: abc escalaV: 1e999 escalaN: nan escalaDeflexion: 99999999999 "
                      "escalaTexto: 1-2");
    claseLeerArchivo l = lectorDe(f);
    std::string salida = salidaDe([&] {
        EXPECT_EQ(l.getReal("escalaM:"), 0.0);
        EXPECT_EQ(l.getEntero("precision:"), 0);
        EXPECT_TRUE(std::isinf(l.getReal("escalaV:")));
        EXPECT_TRUE(std::isnan(l.getReal("escalaN:")));
        EXPECT_EQ(l.getEntero("escalaDeflexion:"), 2147483647);
        EXPECT_EQ(l.getReal("escalaTexto:"), 1.0);
    });
    EXPECT_EQ(salida,
              "Advertencia: la palabra \"e\" no es un número; se lee como 0\n"
              "Advertencia: la palabra \"abc\" no es un número; se lee como 0\n"
              "Advertencia: la palabra \"1e999\" excede el rango de los reales; se lee como inf\n"
              "Advertencia: la palabra \"nan\" no es un número finito; se lee como nan\n"
              "Advertencia: la palabra \"99999999999\" excede el rango de los enteros; se lee como 2147483647\n"
              "Advertencia: la palabra \"1-2\" no es un número; se lee como 1\n");
}

// A real with a fraction is a number, only not a whole one; any other word
// that holds more than its integer prefix is no number.
TEST_F(Lector, EnteroQueNoEsEntero)
{
    const struct {
        const char* palabra;
        int valor;
        const char* salida;
    } casos[] = {
        {"2.5", 2, "Advertencia: la palabra \"2.5\" no es un número entero; se lee como 2\n"},
        {"-0.5", 0, "Advertencia: la palabra \"-0.5\" no es un número entero; se lee como 0\n"},
        // Whole values not written as integers are read by their integer prefix, as the line says.
        {"2e3", 2, "Advertencia: la palabra \"2e3\" no está escrita como número entero; se lee como 2\n"},
        {"2.0", 2, "Advertencia: la palabra \"2.0\" no está escrita como número entero; se lee como 2\n"},
        {".5", 0, "Advertencia: la palabra \".5\" no es un número entero; se lee como 0\n"},
        {"-99999999999", INT_MIN,
         "Advertencia: la palabra \"-99999999999\" excede el rango de los enteros; se lee como -2147483648\n"},
        {"3x", 3, "Advertencia: la palabra \"3x\" no es un número; se lee como 3\n"},
        {"4", 4, ""},
        // A real outside the range, or written as infinity or NaN, is no integer either.
        {"1e999", 1, "Advertencia: la palabra \"1e999\" no es un número entero; se lee como 1\n"},
        {"1e-400", 1, "Advertencia: la palabra \"1e-400\" no es un número entero; se lee como 1\n"},
        {"inf", 0, "Advertencia: la palabra \"inf\" no es un número finito; se lee como 0\n"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.palabra);
        int valor = -1;
        EXPECT_EQ(salidaDe([&] { valor = convertirEntero(c.palabra); }), c.salida);
        EXPECT_EQ(valor, c.valor);
    }
}

TEST_F(Lector, GetStringDevuelveLaPalabraTrasLaEnesimaOcurrencia)
{
    ArchivoTemporal f("puntual: viento 1 0 0 2 puntual: puntual: 5 puntual:");
    claseLeerArchivo l = lectorDe(f);
    EXPECT_EQ(l.getString("puntual:", 1), "viento");
    EXPECT_EQ(l.getString("puntual:", 2), "puntual:");
    EXPECT_EQ(l.getString("puntual:", 3), "5");
    EXPECT_EQ(l.getString("puntual:", 4), "");  // the tag is the file's last word
    EXPECT_EQ(l.getString("puntual:", 0), "");
    EXPECT_EQ(l.getString("puntual:", 9), "");
}

struct CasoMatriz {
    const char* contenido;
    int filas, columnas;
    std::vector<double> valores;
    const char* salida;
};

TEST_F(Lector, GetMatrizLlenaPorFilas)
{
    const CasoMatriz casos[] = {
        {"nudos: 1 0 0 2 0 3 fin", 2, 3, {1, 0, 0, 2, 0, 3}, ""},
        {"nudos: 1 0 0 2 0 3 4", 0, 0, {}, "Faltan datos para completar la matriz nudos:\n"},
        {"nudos: x 1 2 3", 0, 3, {}, ""},
        {"sin tabla", 0, 3, {}, ""},
        {"nudos: 1 2 3E4 5 6 7", 0, 0, {}, "Faltan datos para completar la matriz nudos:\n"},
        {"nudos: 1 2 3e4", 1, 3, {1, 2, 3e4}, ""},
        // Repeated tag: the runs are joined, and a word that is no number never enters.
        {"nudos: 1 0 0 fin nudos: 2 5 5 barras: 1 1 2", 2, 3, {1, 0, 0, 2, 5, 5}, ""},
        {"nudos: 1 0 nudos: 2 5 5", 0, 0, {}, "Faltan datos para completar la matriz nudos:\n"},
        {"nudos: 1 0 0 x nudos: 2 5", 0, 0, {}, "Faltan datos para completar la matriz nudos:\n"},
    };
    for (const CasoMatriz& c : casos) {
        SCOPED_TRACE(c.contenido);
        ArchivoTemporal f(c.contenido);
        claseLeerArchivo l = lectorDe(f);
        Eigen::MatrixXd m;
        EXPECT_EQ(salidaDe([&] { m = l.getMatriz("nudos:", 3); }), c.salida);
        ASSERT_EQ(m.rows(), c.filas);
        ASSERT_EQ(m.cols(), c.columnas);
        for (int k = 0; k < c.filas * c.columnas; ++k) EXPECT_EQ(m(k / 3, k % 3), c.valores[k]);
    }
}

TEST_F(Lector, CorridaDeLaEnesimaOcurrenciaTrasLosSaltos)
{
    ArchivoTemporal f("apoyo: 1 1 1 1 4 fin apoyo: 0 1 0 7 puntual: viento 10 0 0 2 3 puntual: x y 2 "
                      "apoyo: 1 2 3E4 5 apoyo: 4 5");
    claseLeerArchivo l = lectorDe(f);
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 1, 0), (std::vector<double>{1, 1, 1, 1, 4}));
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 2, 0), (std::vector<double>{0, 1, 0, 7}));
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 2, -3), (std::vector<double>{0, 1, 0, 7}));
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("puntual:", 1, 1), (std::vector<double>{10, 0, 0, 2, 3}));
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("puntual:", 2, 1), (std::vector<double>{}));
    // 3E4 ends the run and is consumed.
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 3, 0), (std::vector<double>{1, 2}));
    // The last block's run ends with the file.
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 4, 0), (std::vector<double>{4, 5}));
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 5, 0), (std::vector<double>{}));
}

TEST_F(Lector, ListaDeFactoresYNombresPorPares)
{
    ArchivoTemporal f("combo: U1 1.2 muerta 1.6 viento fin combo: S1 1 muerta viento 2 combo: V 1 a 2");
    claseLeerArchivo l = lectorDe(f);
    EXPECT_EQ(l.getFactoresEtiqueta("combo:", 1, 1), (std::vector<double>{1.2, 1.6}));
    EXPECT_EQ(l.getNombresDeFactores("combo:", 1, 1), (std::vector<std::string>{"muerta", "viento"}));
    // A missing name pairs the next word as a name: the names are not checked.
    EXPECT_EQ(l.getFactoresEtiqueta("combo:", 2, 1), (std::vector<double>{1}));
    EXPECT_EQ(l.getNombresDeFactores("combo:", 2, 1), (std::vector<std::string>{"muerta"}));
    // A factor that is the file's last word, without its name, is not taken.
    EXPECT_EQ(l.getFactoresEtiqueta("combo:", 3, 1), (std::vector<double>{1}));
    EXPECT_EQ(l.getNombresDeFactores("combo:", 3, 1), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(l.getFactoresEtiqueta("combo:", 4, 1).empty());
}

TEST_F(Lector, NumeroEnLugarDeNombreEsElNombre)
{
    // The name place takes any word; the list then ends at L in a factor place.
    ArchivoTemporal f("combo: C 1.2 1.6 L 2 D");
    claseLeerArchivo l = lectorDe(f);
    EXPECT_EQ(l.getFactoresEtiqueta("combo:", 1, 1), (std::vector<double>{1.2}));
    EXPECT_EQ(l.getNombresDeFactores("combo:", 1, 1), (std::vector<std::string>{"1.6"}));
}

TEST_F(Lector, FactorQueNoEsNumeroAvisaUnaSolaVez)
{
    ArchivoTemporal f("combo: U1 - muerta");
    claseLeerArchivo l = lectorDe(f);
    std::string salida = salidaDe([&] {
        EXPECT_EQ(l.getFactoresEtiqueta("combo:", 1, 1), (std::vector<double>{0}));
        EXPECT_EQ(l.getNombresDeFactores("combo:", 1, 1), (std::vector<std::string>{"muerta"}));
    });
    EXPECT_EQ(salida, "Advertencia: la palabra \"-\" no es un número; se lee como 0\n");
}

// Root may open a mode-0444 file for writing, so a root child first gives up
// root for nobody, and the check counts only once writing is really denied.
// Exit status 0: read as expected; 1: read wrong; 2: the check would prove nothing.
[[noreturn]] void leerSinPermisoDeEscritura(const std::string& ruta)
{
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
        std::fprintf(stderr, "no se pudo dejar de ser root\n");
        std::_Exit(2);
    }
    if (std::ofstream(ruta, std::ios::app).is_open()) {
        std::fprintf(stderr, "el archivo se puede escribir\n");
        std::_Exit(2);
    }
    claseLeerArchivo l;
    l.setNombreArchivo(ruta);
    const double escala = l.getReal("escalaM:");
    const Eigen::Index filas = l.getMatriz("nudos:", 3).rows();
    if (escala == 0.25 && filas == 1) std::_Exit(0);
    std::fprintf(stderr, "escalaM: %g, filas de nudos: %ld\n", escala, static_cast<long>(filas));
    std::_Exit(1);
}

TEST_F(Lector, ArchivoDeSoloLecturaSeLeeComoCualquierOtro)
{
    ArchivoTemporal f("escalaM: 0.25 nudos: 1 0 0");
    chmod(f.ruta().c_str(), 0444);
    EXPECT_EXIT(leerSinPermisoDeEscritura(f.ruta()), ::testing::ExitedWithCode(0), "");
}

TEST_F(Lector, ArchivoInexistenteSeLeeVacio)
{
    claseLeerArchivo l;
    l.setNombreArchivo("/tmp/no/existe/ingresoDatos.txt");
    EXPECT_EQ(l.getNoEtiquetas("nudos:"), 0);
    EXPECT_EQ(l.getMatriz("nudos:", 3).rows(), 0);
    EXPECT_EQ(salidaDe([&] { l.getReal("escalaM:"); }),
              "Advertencia: no se encontró ningún real con etiqueta escalaM:\n");
}

}  // namespace

namespace {

TEST_F(Lector, CadaConsultaVeElContenidoActualDelArchivo)
{
    ArchivoTemporal f("escalaM: 0.5 apoyo: 1 1 1 3");
    claseLeerArchivo l = lectorDe(f);
    EXPECT_DOUBLE_EQ(l.getReal("escalaM:"), 0.5);
    EXPECT_EQ(l.getNoEtiquetas("apoyo:"), 1);
    std::ofstream(f.ruta(), std::ios::trunc) << "escalaM: 0.25 apoyo: 1 1 1 3 apoyo: 0 1 0 4";
    EXPECT_DOUBLE_EQ(l.getReal("escalaM:"), 0.25);
    EXPECT_EQ(l.getNoEtiquetas("apoyo:"), 2);
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 2, 0), (std::vector<double>{0, 1, 0, 4}));
}

TEST_F(Lector, MuchosBloquesNoCuestanBloquesPorLongitud)
{
    std::string contenido;
    for (int i = 0; i < 200000; ++i) contenido += "apoyo: 1 1 1 7 ";
    ArchivoTemporal f(contenido);
    claseLeerArchivo l = lectorDe(f);
    const int bloques = l.getNoEtiquetas("apoyo:");
    ASSERT_EQ(bloques, 200000);
    // One read and one indexing of the tag serve every block; the loop stops
    // at the first lookup that passes over the file again.
    const int recorridos = l.getRecorridos();
    EXPECT_EQ(recorridos, 2);
    double suma = 0;
    for (int k = 1; k <= bloques && l.getRecorridos() == recorridos; ++k) {
        suma += l.getMatrizEtiquetaRepetida("apoyo:", k, 0).back();
    }
    EXPECT_EQ(l.getRecorridos(), recorridos);
    EXPECT_EQ(suma, 7.0 * bloques);
}

}  // namespace

namespace {

TEST_F(Lector, MarcaDeOrdenYEspacioDeNoSeparacion)
{
    ArchivoTemporal f("\xEF\xBB\xBFnudos: 1\xC2\xA0" "0 0\xC2\xA0\xC2\xA0" "2 4 0 puntual: V\xC2\xA9 1 "
                      "x\xEF\xBB\xBFnudos:");
    claseLeerArchivo l = lectorDe(f);
    EXPECT_EQ(l.getNoEtiquetas("nudos:"), 1);
    const Eigen::MatrixXd m = l.getMatriz("nudos:", 3);
    ASSERT_EQ(m.rows(), 2);
    EXPECT_EQ(m(1, 1), 4.0);
    // Only C2 A0 is a blank: another character that starts with C2 stays in its word.
    EXPECT_EQ(l.getString("puntual:", 1), "V\xC2\xA9");
}

TEST_F(Lector, TextoUtf16SeLeeVacio)
{
    using namespace std::string_literals;
    const struct {
        const char* nombre;
        std::string contenido;
        bool utf16;
        int etiquetas;
    } casos[] = {
        {"LE con marca", "\xFF\xFEn\0u\0d\0o\0s\0:\0 \0001\0 \0000\0 \0000\0"s, true, 0},
        {"BE con marca", "\xFE\xFF\0n\0u\0d\0o\0s\0:\0 \0001\0 \0000\0 \0000"s, true, 0},
        {"LE sin marca", "n\0u\0d\0o\0s\0:\0 \0001\0 \0000\0 \0000\0"s, true, 0},
        {"BE sin marca, con una é", "\0n\0u\0d\0o\0s\0:\0 \0001\0 \0000\0 \0000\0 \0\xE9"s, true, 0},
        {"documento vacío LE", "\xFF\xFE"s, true, 0},
        {"documento vacío BE", "\xFE\xFF"s, true, 0},
        {"ASCII", "nudos: 1 0 0 "s, false, 1},
        {"vacío", ""s, false, 0},
        {"un NUL suelto", "nudos: 1 0 0\0 "s, false, 1},
        {"longitud impar", "n\0u\0d\0o\0s\0:\0 \0001\0 \0000\0 \0000\0x"s, false, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        ArchivoTemporal f(c.contenido);
        claseLeerArchivo l = lectorDe(f);
        EXPECT_EQ(l.esUtf16(), c.utf16);
        EXPECT_EQ(l.getNoEtiquetas("nudos:"), c.etiquetas);
    }
}

// The word that ends a run or list is named only where a number was expected
// and the word begins like one.
TEST_F(Lector, NumeroMalEscritoDondeTerminaUnaCorrida)
{
    using Fines = std::vector<FinDeCorrida>;
    using Consulta = std::function<Fines(claseLeerArchivo&)>;
    const Consulta tabla = [](claseLeerArchivo& l) { return l.leerMatriz("nudos:", 3).fines; };
    const Consulta corrida = [](claseLeerArchivo& l) { return Fines{l.leerCorrida("puntual:", 1, 1).fin}; };
    const Consulta factores = [](claseLeerArchivo& l) { return Fines{l.leerFactores("combo:", 1, 1).fin}; };
    const struct {
        const char* contenido;
        Consulta consulta;
        const char* palabra;
    } casos[] = {
        {"nudos: 1 0 0 2,5 4 0", tabla, "2,5"},
        {"nudos: 1 0 0 fin nudos: 2 0 0 3.1E2", tabla, "3.1E2"},
        {"nudos: 1 0 0 barras: 1 1 2", tabla, ""},
        {"nudos: 1 0 0", tabla, ""},
        {"puntual: 1D 0 -10 0 2 -x", corrida, "-x"},
        {"puntual: P 0 -10 0 .5,1", corrida, ".5,1"},
        {"puntual: P 0 -10 0 2 x3", corrida, ""},
        {"combo: U 1 P 1,5 Q", factores, "1,5"},
        {"combo: U 1 P +2E0 Q", factores, "+2E0"},
        {"combo: U 1 2P 1 3Q", factores, ""},
        {"combo: 1,5U 1 P", factores, ""},
        {"nudos: 1 0 0 inf 4 0", tabla, "inf"},
        {"puntual: P NaN -10 0 2", corrida, "NaN"},
        {"combo: U 1 P -Infinity Q", factores, "-Infinity"},
        {"puntual: P 0 -10 0 2 info", corrida, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.contenido);
        ArchivoTemporal f(c.contenido);
        claseLeerArchivo l = lectorDe(f);
        std::string malEscrito;
        for (const FinDeCorrida& fin : c.consulta(l)) {
            if (malEscrito.empty() && l.esNumeroMalEscrito(fin.palabra)) malEscrito = fin.palabra;
        }
        EXPECT_EQ(malEscrito, c.palabra);
    }
}

// Each lookup hands back the word that ended its own run, and where it stands
// among the file's words, whatever lookup ran before.
TEST_F(Lector, CadaConsultaDevuelveDondeTerminoSuCorrida)
{
    ArchivoTemporal f("apoyo: 1 1 1 1E3 apoyo: 0 0 0 1 combo: U 1 P fin nudos: 1 0 0 (nota) 2 5 0 nudos: 3 0 0");
    claseLeerArchivo l = lectorDe(f);
    const Corrida primera = l.leerCorrida("apoyo:", 1, 0);
    const Corrida segunda = l.leerCorrida("apoyo:", 2, 0);
    EXPECT_EQ(primera.valores, (std::vector<double>{1, 1, 1}));
    EXPECT_EQ(primera.fin.palabra, "1E3");
    EXPECT_EQ(primera.fin.posicion, 4u);
    EXPECT_EQ(segunda.fin.palabra, "combo:");
    EXPECT_EQ(segunda.fin.posicion, 10u);

    const ListaDeFactores lista = l.leerFactores("combo:", 1, 1);
    EXPECT_EQ(lista.factores, (std::vector<double>{1}));
    EXPECT_EQ(lista.palabrasDeFactores, (std::vector<std::string>{"1"}));
    EXPECT_EQ(lista.nombres, (std::vector<std::string>{"P"}));
    EXPECT_EQ(lista.fin.palabra, "fin");
    EXPECT_EQ(lista.fin.posicion, 14u);

    const Tabla tabla = l.leerMatriz("nudos:", 3);
    EXPECT_EQ(tabla.numeros, 6);
    ASSERT_EQ(tabla.fines.size(), 2u);
    EXPECT_EQ(tabla.fines[0].palabra, "(nota)");
    EXPECT_EQ(l.getPalabras()[tabla.fines[0].posicion], "(nota)");
    EXPECT_EQ(tabla.fines[1].palabra, "");
    EXPECT_EQ(tabla.fines[1].posicion, std::string::npos);

    // A count that forms no whole rows is still handed back.
    ArchivoTemporal corta("nudos: 1 0 0 2 5 3 10 0");
    claseLeerArchivo lc = lectorDe(corta);
    Tabla t;
    // leerMatriz leaves the line to its caller, so the word that cut the table can be named first.
    EXPECT_EQ(salidaDe([&] { t = lc.leerMatriz("nudos:", 3); }), "");
    EXPECT_EQ(t.numeros, 8);
    EXPECT_FALSE(t.completa);
    EXPECT_EQ(t.matriz.size(), 0);
    EXPECT_EQ(salidaDe([&] { EXPECT_EQ(lc.getMatriz("nudos:", 3).size(), 0); }),
              "Faltan datos para completar la matriz nudos:\n");
}

}  // namespace

namespace {

TEST_F(Lector, NoEsFinitoSoloParaInfinitoYNaN)
{
    claseLeerArchivo l;
    for (const char* p : {"inf", "-inf", "+INF", "Infinity", "-infinity", "nan", "NaN", "-nan", "nan(1)", "-NaN(a_2)"}) {
        EXPECT_TRUE(l.noEsFinito(p)) << p;
        EXPECT_FALSE(std::isfinite(std::strtod(p, nullptr))) << p;
    }
    for (const char* p : {"", "in", "info", "nano", "1e999", "infinite", "--inf", "nan(", "nan()x", "nan(a-b)"}) {
        EXPECT_FALSE(l.noEsFinito(p)) << p;
    }
}

TEST_F(Lector, CitaCortaUnaPalabraLargaSinPartirUnCaracter)
{
    using namespace std::string_literals;
    const std::string a59(59, 'a');
    const struct {
        std::string palabra;
        std::string cita;
    } casos[] = {
        {"2,5", "2,5"},
        {std::string(60, 'a'), std::string(60, 'a')},
        {std::string(61, 'a'), std::string(60, 'a') + "…"},
        {a59 + "ñb", a59 + "…"},
        {std::string(20u << 20, '7'), std::string(60, '7') + "…"},
        // Control characters, which a terminal acts on or hides, as escapes.
        {"1\0" "2"s, "1\\x002"},
        {"\x1b[2J\x1b[31mV"s, "\\x1b[2J\\x1b[31mV"},
        {"a\x7f\x01"s, "a\\x7f\\x01"},
        {"\xC2\x9B" "31m"s, "\\u009b31m"},
        // Printable UTF-8 stays as written: ©, ñ, a no-break space's lead byte alone.
        {"V\xC2\xA9ñ\xC2"s, "V\xC2\xA9ñ\xC2"},
        // The cut falls before an escape that would pass the limit, never inside it.
        {std::string(58, 'a') + "\x01" + "b", std::string(58, 'a') + "…"},
        {std::string(61, '\0'), [] {
             std::string cita;
             for (int i = 0; i < 15; ++i) cita += "\\x00";
             return cita + "…";
         }()},
    };
    for (const auto& c : casos) EXPECT_EQ(citar(c.palabra), c.cita) << c.palabra.substr(0, 70);
}

// One line for one word, naming all that is wrong with it and the value read
// with every digit it has.
TEST_F(Lector, ConversionDeUnaPalabraEnUnaLineaConTodasSusCifras)
{
    using namespace std::string_literals;
    const struct {
        std::string palabra;
        double valor;
        std::string salida;
    } casos[] = {
        {"0.0123456789k", 0.0123456789,
         "Advertencia: la palabra \"0.0123456789k\" no es un número; se lee como 0.0123456789\n"},
        {"3.14159265358979-1", 3.14159265358979,
         "Advertencia: la palabra \"3.14159265358979-1\" no es un número; se lee como 3.14159265358979\n"},
        {"0.1-2", 0.1, "Advertencia: la palabra \"0.1-2\" no es un número; se lee como 0.1\n"},
        {"1e20-", 1e20, "Advertencia: la palabra \"1e20-\" no es un número; se lee como 1e+20\n"},
        {"1e999x", INFINITY,
         "Advertencia: la palabra \"1e999x\" no es un número y su comienzo excede el rango de los reales; "
         "se lee como inf\n"},
        {"-1e999-", -INFINITY,
         "Advertencia: la palabra \"-1e999-\" no es un número y su comienzo excede el rango de los reales; "
         "se lee como -inf\n"},
        {"1e-400e", 0,
         "Advertencia: la palabra \"1e-400e\" no es un número y su comienzo es demasiado pequeño para los reales; "
         "se lee como 0\n"},
        {"1e999", INFINITY, "Advertencia: la palabra \"1e999\" excede el rango de los reales; se lee como inf\n"},
        // A NUL ends the C string, not the word: the bytes after it are more than the number.
        {"1\0" "2"s, 1, "Advertencia: la palabra \"1\\x002\" no es un número; se lee como 1\n"},
        {"2.5e-3", 2.5e-3, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.palabra);
        double valor = 0;
        EXPECT_EQ(salidaDe([&] { valor = convertirReal(c.palabra); }), c.salida);
        EXPECT_EQ(valor, c.valor);
    }
    int entero = 0;
    EXPECT_EQ(salidaDe([&] { entero = convertirEntero("3\0" "4"s); }),
              "Advertencia: la palabra \"3\\x004\" no es un número; se lee como 3\n");
    EXPECT_EQ(entero, 3);
}

// A display setting whose word is not plainly a number: the line ends with the
// value the setting takes, the one read when it is usable, else the default.
TEST_F(Lector, AjusteQueNoEsUnNumeroDiceElValorQueSeUsa)
{
    using namespace std::string_literals;
    const std::string ajustes = "escalaDeflexion: 50 escalaM: 0.5 escalaV: 0.5 escalaN: 0.05 escalaTexto: 0.2 "
                                "escalaApoyo: 0.3 precision: 2 escalaCarga: 0.4 ";
    const auto conDefecto = [](const std::string& palabra, const std::string& falta, const std::string& ajuste) {
        return "Advertencia: la palabra \"" + palabra + "\" " + falta + "; " + ajuste +
               " conserva su valor por defecto, ";
    };
    const struct {
        std::string ajuste;
        std::function<double()> valor;
        double esperado;
        std::string linea;
    } casos[] = {
        {"escalaV: x", [] { return escalaV; }, 0.1, conDefecto("x", "no es un número", "escalaV:") + "0.1"},
        {"escalaN: inf", [] { return escalaN; }, 0.01,
         conDefecto("inf", "no es un número finito", "escalaN:") + "0.01"},
        {"escalaN: nan", [] { return escalaN; }, 0.01,
         conDefecto("nan", "no es un número finito", "escalaN:") + "0.01"},
        {"escalaN: -Infinity", [] { return escalaN; }, 0.01,
         conDefecto("-Infinity", "no es un número finito", "escalaN:") + "0.01"},
        {"escalaM: 1e999", [] { return escalaM; }, 0.1,
         conDefecto("1e999", "excede el rango de los reales", "escalaM:") + "0.1"},
        {"escalaM: 1e999x", [] { return escalaM; }, 0.1,
         conDefecto("1e999x", "no es un número y su comienzo excede el rango de los reales", "escalaM:") + "0.1"},
        {"escalaM: 1e-400", [] { return escalaM; }, 0.1,
         conDefecto("1e-400", "es demasiado pequeña para los reales", "escalaM:") + "0.1"},
        {"escalaDeflexion: -2k", [] { return escalaDef; }, 100,
         conDefecto("-2k", "no es un número", "escalaDeflexion:") + "100"},
        {"escalaTexto: e", [] { return escalaTexto; }, 0.15,
         conDefecto("e", "no es un número", "escalaTexto:") + "0.15"},
        {"escalaApoyo: x", [] { return escalaApoyo; }, 0, conDefecto("x", "no es un número", "escalaApoyo:") + "0"},
        {"escalaCarga: 0k", [] { return escalaCarga; }, 0.1,
         conDefecto("0k", "no es un número", "escalaCarga:") + "0.1"},
        {"precision: -1.5", [] { return precision; }, 3,
         conDefecto("-1.5", "no es un número entero", "precision:") + "3"},
        {"precision: -1x", [] { return precision; }, 3, conDefecto("-1x", "no es un número", "precision:") + "3"},
        // A value the setting takes is the one the line names.
        {"escalaM: 0.0123456789k", [] { return escalaM; }, 0.0123456789,
         "Advertencia: la palabra \"0.0123456789k\" no es un número; se lee como 0.0123456789"},
        {"escalaM: 0.5\0x"s, [] { return escalaM; }, 0.5,
         "Advertencia: la palabra \"0.5\\x00x\" no es un número; se lee como 0.5"},
        {"precision: 2.5", [] { return precision; }, 2,
         "Advertencia: la palabra \"2.5\" no es un número entero; se lee como 2"},
        {"precision: x", [] { return precision; }, 0, "Advertencia: la palabra \"x\" no es un número; se lee como 0"},
        // Plain numbers that keep the default do so silently.
        {"escalaM: -2", [] { return escalaM; }, 0.1, ""},
        {"escalaM: 0", [] { return escalaM; }, 0.1, ""},
        {"precision: -1", [] { return precision; }, 3, ""},
        {"escalaCarga: 0.25", [] { return escalaCarga; }, 0.25, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ajuste);
        vaciarModelo();
        // Every setting given, so that the one of the case is the only line of the step.
        ArchivoTemporal f("nudos: 1 0 0 apoyo: 1 1 1 1 " + ajustes + c.ajuste);
        nombreArchivo = f.ruta();
        std::vector<std::string> avisos;
        for (const std::string& l : lineas(salidaDe(funcionLeerArchivo))) {
            if (l.rfind("Advertencia:", 0) == 0) avisos.push_back(l);
        }
        EXPECT_EQ(avisos, c.linea.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.linea});
        EXPECT_EQ(c.valor(), c.esperado);
    }
}

// Marks after the first stay glued to the first word: the line names the word
// they keep from being read, and it comes before the builder's first line.
TEST_F(Lector, MarcasDeOrdenRepetidasSeNombran)
{
    const std::string marca = "\xEF\xBB\xBF";
    const auto linea = [](int marcas, const std::string& pegadas, const std::string& palabra) {
        return "Advertencia: el archivo de entrada empieza con " + std::to_string(marcas) +
               " marcas de orden de bytes (BOM); solo la primera se pasa por alto, así que la palabra \"" + palabra +
               "\" empieza con " + pegadas + " y no se lee como \"" + palabra + "\"\n";
    };
    const struct {
        const char* nombre;
        std::string contenido;
        std::string salida;
        int nudos;
    } casos[] = {
        {"dos marcas", marca + marca + "nudos: 1 0 0", linea(2, "una marca", "nudos:"), 0},
        {"tres marcas", marca + marca + marca + "nudos: 1 0 0", linea(3, "2 marcas", "nudos:"), 0},
        {"palabra larga", marca + marca + std::string(70, 'n'), linea(2, "una marca", std::string(60, 'n') + "…"), 0},
        {"una marca", marca + "nudos: 1 0 0", "", 1},
        {"marcas solas en su palabra", marca + marca + "\nnudos: 1 0 0", "", 1},
        {"marcas dentro del texto", "nudos: 1 0 0 " + marca + marca + "x", "", 1},
        {"sin marca", "nudos: 1 0 0", "", 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        ArchivoTemporal f(c.contenido);
        claseLeerArchivo l = lectorDe(f);
        // Said once, when the file is read, whatever lookups follow.
        EXPECT_EQ(salidaDe([&] {
                      EXPECT_EQ(l.getNoEtiquetas("nudos:"), c.nudos);
                      l.getMatriz("nudos:", 3);
                  }),
                  c.salida);
    }

    vaciarModelo();
    ArchivoTemporal f(marca + marca + "nudos: 1 0 0 2 4 0");
    nombreArchivo = f.ruta();
    const std::vector<std::string> salida = lineas(salidaDe(funcionLeerArchivo));
    ASSERT_GE(salida.size(), 2u);
    EXPECT_EQ(salida[0] + "\n", linea(2, "una marca", "nudos:"));
    EXPECT_EQ(noNudos, 0);
}

// Lists name their first ten and count the rest.
TEST_F(Lector, EnumerarCortaLasListasLargas)
{
    std::vector<std::string> doce;
    for (int i = 1; i <= 12; ++i) doce.push_back("C" + std::to_string(i));
    const struct {
        std::vector<std::string> nombres;
        std::string otras;
        std::string texto;
    } casos[] = {
        {{"A"}, "otras", "A"},
        {{"A", "B"}, "otras", "A y B"},
        {{"A", "B", "C"}, "otras", "A, B y C"},
        {{doce.begin(), doce.begin() + 10}, "otras", "C1, C2, C3, C4, C5, C6, C7, C8, C9 y C10"},
        {{doce.begin(), doce.begin() + 11}, "otras", "C1, C2, C3, C4, C5, C6, C7, C8, C9, C10 y otras 1"},
        {doce, "otros", "C1, C2, C3, C4, C5, C6, C7, C8, C9, C10 y otros 2"},
    };
    for (const auto& c : casos) EXPECT_EQ(enumerar(c.nombres, c.otras), c.texto);
}

}  // namespace
