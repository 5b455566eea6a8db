#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
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
    };
    for (const auto& c : casos) EXPECT_EQ(citar(c.palabra), c.cita) << c.palabra.substr(0, 70);
}

}  // namespace
