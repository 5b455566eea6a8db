#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "util.h"
#include "vardel2d.h"

namespace {

namespace fs = std::filesystem;

// Each test runs in a directory of its own, where the report lands.
class Reporte : public EstadoLimpio {
protected:
    void SetUp() override
    {
        EstadoLimpio::SetUp();
        char plantilla[] = "/tmp/vardel2d_reporte_XXXXXX";
        ASSERT_NE(mkdtemp(plantilla), nullptr);
        directorio_ = plantilla;
        anterior_ = fs::current_path();
        fs::current_path(directorio_);
    }

    void TearDown() override
    {
        fs::current_path(anterior_);
        fs::remove_all(directorio_);
        EstadoLimpio::TearDown();
    }

    // The model of the text, through the builder and, when asked, the solver.
    static void modelo(const std::string& texto, bool resolver = true)
    {
        vaciarModelo();
        ArchivoTemporal f(texto);
        nombreArchivo = f.ruta();
        salidaDe(funcionLeerArchivo);
        if (resolver) salidaDe(funcionSolucionU);
    }

    static std::string informe()
    {
        std::ifstream in("resultados.txt", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // Runs the report and returns its lines; it writes nothing to the console.
    static std::vector<std::string> lineasDelInforme()
    {
        EXPECT_EQ(salidaDe(funcionImprimirResultados), "");
        return lineas(informe());
    }

    fs::path directorio_;
    fs::path anterior_;
};

const char* const kEncabezados[] = {
    "#Nudo CoordX coordY",
    "Apoyado = 1; sin Apoyo = 0",
    "Matrices de Rigidez de Barras",
    "MATRIZ DE RIGIDEZ DE TODA LA ESTRUCTURA: ",
    "CARGAS DISTRIBUIDAS LOCALES PARA CADA BARRA:",
    "CARGAS EQUIVALENTES LOCALES Y GLOBALES PARA CADA BARRA:",
    "VECTOR DE CARGAS DE TODA LA ESTRUCTURA",
    "VECTOR DE DESPLAZAMIENTOS",
    "VECTOR DE DESPLAZAMIENTOS GLOBALES Y LOCALES PARA CADA BARRA",
    "CONSTANTES DE INTEGRACIÓN DE CADA BARRA:",
    "SOLICITACIONES DE CADA BARRA EN LOS EXTREMOS:",
};

// Line index of each heading, in order; -1 when one is missing.
std::vector<int> posicionesDeEncabezados(const std::vector<std::string>& l)
{
    std::vector<int> r;
    std::size_t desde = 0;
    for (const char* e : kEncabezados) {
        int encontrada = -1;
        for (std::size_t i = desde; i < l.size(); ++i) {
            if (l[i] == e) {
                encontrada = static_cast<int>(i);
                desde = i + 1;
                break;
            }
        }
        r.push_back(encontrada);
    }
    return r;
}

bool empiezaCon(const std::string& s, const std::string& prefijo)
{
    return s.compare(0, prefijo.size(), prefijo) == 0;
}

std::vector<double> valoresTras(const std::string& linea, const std::string& rotulo)
{
    std::istringstream in(linea.substr(rotulo.size()));
    std::vector<double> v;
    double x;
    while (in >> x) v.push_back(x);
    return v;
}

const std::string kEjemplo = std::string(VARDEL2D_SOURCE_DIR) + "/examples/ingresoDatos.txt";

std::string contenido(const std::string& ruta)
{
    std::ifstream in(ruta);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(Reporte, InformeCompletoDeUnVoladizo)
{
    modelo("nudos: 1 0 0 2 2 0 barras: 1 1 2 apoyo: 1 1 1 1 seccionGenerica: S 0.5 0.25 1000 1 "
           "puntual: P 2 3 4 2 distribuidaLocal: P 0 0 1.5 1.5 1 combo: C 1 P");
    EXPECT_EQ(salidaDe(funcionImprimirResultados), "");
    const std::string esperado = R"(#Nudo CoordX coordY
1 0 0
2 2 0


Apoyado = 1; sin Apoyo = 0
#Nudo | ApoyoX | ApoyoY | giro
0 1 1 1
1 0 0 0


Matrices de Rigidez de Barras
#_barra: 1
nudo_Inicio: 1
nudo_final: 2
longitud: 2
angulo: 0
Area: 0.5
Inercia: 0.25
modE: 1000
grados_de_libertad: 1 2 3 4 5 6
Matriz_de_Rigidez:
 250    0    0 -250    0    0
   0  375  375    0 -375  375
   0  375  500    0 -375  250
-250    0    0  250    0    0
   0 -375 -375    0  375 -375
   0  375  250    0 -375  500



)"
                                 "MATRIZ DE RIGIDEZ DE TODA LA ESTRUCTURA: \n"
                                 R"( 250    0    0 -250    0    0
   0  375  375    0 -375  375
   0  375  500    0 -375  250
-250    0    0  250    0    0
   0 -375 -375    0  375 -375
   0  375  250    0 -375  500


CARGAS DISTRIBUIDAS LOCALES PARA CADA BARRA:
#_barra: 1
f_paralela_inicio: 0
f_paralela_fin: 0
q_perpend_inicio: 1.5
q_perpend_fin: 1.5



CARGAS EQUIVALENTES LOCALES Y GLOBALES PARA CADA BARRA:
#_barra: 1
fuerzas Equivalentes LOCALES:
F1: 0
F2: 1.5
M3: 0.5
F4: 0
F5: 1.5
M6: -0.5
fuerzas Equivalentes GLOBALES:
Fx1: 0
Fy2: 1.5
Mz3: 0.5
Fx4: 0
Fy5: 1.5
Mz6: -0.5



VECTOR DE CARGAS DE TODA LA ESTRUCTURA
  0
1.5
0.5
  2
4.5
3.5


VECTOR DE DESPLAZAMIENTOS
    0
    0
    0
0.008
0.076
0.064


VECTOR DE DESPLAZAMIENTOS GLOBALES Y LOCALES PARA CADA BARRA
#_barra: 1
Desplazamientos Globales [uGlobal]:
ux: 0
uy: 0
Giro: 0
ux: 0.008
uy: 0.076
Giro: 0.064
Desplazamientos Locales [uLocal] = [T]*[uGlobal]:
u1: 0
u2: 0
u3: 0
u4: 0.008
u5: 0.076
u6: 0.064



CONSTANTES DE INTEGRACIÓN DE CADA BARRA:
#_barra: 1
Constantes:
A: -0
B: -1.5
C1: -6
C2: 13
C3: 0
C4: 0



SOLICITACIONES DE CADA BARRA EN LOS EXTREMOS:
#_barra: 1
combo: 1
N_inicio: 2
N_fin: 2
V_inicio: -6
V_fin: -3
M_inicio: 13
M_fin: 4



)";
    EXPECT_EQ(informe(), esperado);
}

TEST_F(Reporte, EjemploIncluido)
{
    modelo(contenido(kEjemplo));
    ASSERT_EQ(noCombos, 2);
    const std::vector<std::string> l = lineasDelInforme();

    const std::vector<int> p = posicionesDeEncabezados(l);
    for (std::size_t s = 0; s < p.size(); ++s) ASSERT_GE(p[s], 0) << kEncabezados[s];
    // Every section after the first opens with two empty lines; section 2 has its column line.
    for (std::size_t s = 1; s < p.size(); ++s) {
        EXPECT_EQ(l[p[s] - 1], "") << kEncabezados[s];
        EXPECT_EQ(l[p[s] - 2], "") << kEncabezados[s];
    }
    EXPECT_EQ(l[p[1] + 1], "#Nudo | ApoyoX | ApoyoY | giro");

    // Nodes by user number, supports by internal number.
    const std::vector<std::string> nudos(l.begin() + 1, l.begin() + 5);
    EXPECT_EQ(nudos, (std::vector<std::string>{"1 0 0", "2 0 3", "3 4 3", "4 4 0"}));
    const std::vector<std::string> apoyos(l.begin() + p[1] + 2, l.begin() + p[1] + 6);
    EXPECT_EQ(apoyos, (std::vector<std::string>{"0 1 1 1", "1 0 0 0", "2 0 0 0", "3 1 1 1"}));

    // 1-based degrees of freedom, padded to the widest number.
    std::vector<std::string> gdl;
    for (const auto& x : l) {
        if (empiezaCon(x, "grados_de_libertad: ")) gdl.push_back(x);
    }
    EXPECT_EQ(gdl, (std::vector<std::string>{"grados_de_libertad: 1 2 3 4 5 6", "grados_de_libertad: 4 5 6 7 8 9",
                                             "grados_de_libertad:  7  8  9 10 11 12"}));

    // One value per combination in every labelled row of sections 5, 6, 9 and 10.
    const char* const rotulos[] = {"f_paralela_inicio: ", "f_paralela_fin: ", "q_perpend_inicio: ", "q_perpend_fin: ",
                                   "F1: ", "M6: ", "Fx1: ", "Mz6: ", "ux: ", "Giro: ", "u1: ", "u6: ", "A: ", "C4: "};
    for (const char* r : rotulos) {
        int filas = 0;
        for (int i = p[4]; i < p[10]; ++i) {
            if (!empiezaCon(l[i], r)) continue;
            ++filas;
            EXPECT_EQ(valoresTras(l[i], r).size(), 2u) << l[i];
        }
        EXPECT_GE(filas, 3) << r;
    }
    // The combined load of the beam, U1 = 1.2 muerta and S1 = muerta, in both columns.
    const auto viga = std::find(l.begin() + p[4], l.end(), "#_barra: 2");
    ASSERT_NE(viga, l.end());
    EXPECT_EQ(valoresTras(viga[3], "q_perpend_inicio: "), (std::vector<double>{-24, -20}));

    // End forces equal the ends of the diagrams of the same combination.
    int i = p[10] + 1;
    for (int j = 0; j < noBarras; ++j) {
        for (int c = 0; c < noCombos; ++c) {
            SCOPED_TRACE("barra " + std::to_string(j) + ", combinación " + std::to_string(c));
            EXPECT_EQ(l[i++], "#_barra: " + std::to_string(j + 1));
            EXPECT_EQ(l[i++], "combo: " + std::to_string(c + 1));
            const Eigen::MatrixXd diagramas[] = {barra[j].getSolicitacionAxial(c, 21),
                                                 barra[j].getSolicitacionCortante(c, 21),
                                                 barra[j].getSolicitacionMomento(c, 21)};
            const char* const nombres[] = {"N", "V", "M"};
            for (int d = 0; d < 3; ++d) {
                for (int extremo : {0, 1}) {
                    const std::string rotulo = std::string(nombres[d]) + (extremo == 0 ? "_inicio: " : "_fin: ");
                    ASSERT_TRUE(empiezaCon(l[i], rotulo)) << l[i];
                    const std::vector<double> v = valoresTras(l[i++], rotulo);
                    ASSERT_EQ(v.size(), 1u);
                    const double esperado = diagramas[d](1, extremo == 0 ? 0 : 20);
                    EXPECT_NEAR(v[0], esperado, 1e-5 * std::abs(esperado) + 1e-9) << rotulo;
                }
            }
        }
        EXPECT_EQ(l[i++], "");
    }
    EXPECT_EQ(l[i++], "");
    EXPECT_EQ(l[i++], "");
    EXPECT_EQ(i, static_cast<int>(l.size()));
}

TEST_F(Reporte, TresCombinacionesYNumerosDeUsuario)
{
    modelo("nudos: 10 0 0 20 3 0 30 6 0 40 9 0 barras: 7 10 20 8 20 30 9 30 40 apoyo: 1 1 1 10 apoyo: 0 1 0 40 "
           "seccionGenerica: S 1e-2 1e-4 2e8 7 8 9 puntual: p 0 -5 0 20 distribuidaGlobal: q 2 4 0 -1 8 "
           "combo: A 1 p combo: B 1 q combo: C 1.2 p 1.6 q");
    ASSERT_EQ(noCombos, 3);
    const std::vector<std::string> l = lineasDelInforme();
    const std::vector<int> p = posicionesDeEncabezados(l);
    for (int s : p) ASSERT_GE(s, 0);

    EXPECT_EQ(l[1], "10 0 0");
    EXPECT_EQ(l[p[1] + 2], "0 1 1 1");
    EXPECT_EQ(l[p[1] + 5], "3 0 1 0");
    EXPECT_EQ(l[p[2] + 1], "#_barra: 7");
    EXPECT_EQ(l[p[2] + 2], "nudo_Inicio: 10");
    EXPECT_EQ(l[p[2] + 3], "nudo_final: 20");

    int filas = 0;
    for (int i = p[4]; i < p[10]; ++i) {
        for (const char* r : {"f_paralela_fin: ", "Fy5: ", "uy: ", "u5: ", "B: ", "C1: "}) {
            if (!empiezaCon(l[i], r)) continue;
            ++filas;
            EXPECT_EQ(valoresTras(l[i], r).size(), 3u) << l[i];
        }
    }
    EXPECT_EQ(filas, 3 * 6 + 3);  // "uy: " stands twice per bar

    std::vector<std::string> bloques;
    for (int i = p[10]; i < static_cast<int>(l.size()); ++i) {
        if (empiezaCon(l[i], "#_barra: ")) bloques.push_back(l[i] + " " + l[i + 1]);
    }
    EXPECT_EQ(bloques, (std::vector<std::string>{"#_barra: 7 combo: 1", "#_barra: 7 combo: 2", "#_barra: 7 combo: 3",
                                                 "#_barra: 8 combo: 1", "#_barra: 8 combo: 2", "#_barra: 8 combo: 3",
                                                 "#_barra: 9 combo: 1", "#_barra: 9 combo: 2",
                                                 "#_barra: 9 combo: 3"}));
}

// Reals, alone or inside a matrix, carry the stream's six significant digits.
TEST_F(Reporte, RealesConSeisCifras)
{
    modelo("nudos: 1 0 0 2 0 3 barras: 1 1 2 apoyo: 1 1 1 1 seccionGenerica: S 0.123456789 3.14159265e-4 2.1e7 1 "
           "puntual: P 1 0 0 2 combo: C 1 P");
    const std::vector<std::string> l = lineasDelInforme();
    const char* const esperadas[] = {
        "angulo: 1.5708",        // pi/2
        "Area: 0.123457",
        "Inercia: 0.000314159",
        "modE: 2.1e+07",
        "ux: 0.00136419",        // P·L³/(3·E·I) at the tip
        "Giro: -0.000682093",    // -P·L²/(2·E·I)
        "u5: -0.00136419",       // the tip deflection in the axes of the vertical bar
    };
    for (const char* e : esperadas) EXPECT_NE(std::find(l.begin(), l.end(), e), l.end()) << e;
}

TEST_F(Reporte, ModeloSinBarras)
{
    modelo("nudos: 1 0 0 2 1 0 resorte: 2 3 4 1 2 puntual: p 4 6 8 1 combo: c 1 p");
    ASSERT_EQ(noBarras, 0);
    EXPECT_EQ(salidaDe(funcionImprimirResultados), "");
    const std::string texto = informe();
    for (const char* vacia :
         {"Matrices de Rigidez de Barras\n\n\nMATRIZ DE RIGIDEZ DE TODA LA ESTRUCTURA: \n",
          "CARGAS DISTRIBUIDAS LOCALES PARA CADA BARRA:\n\n\nCARGAS EQUIVALENTES LOCALES Y GLOBALES PARA CADA BARRA:\n"
          "\n\nVECTOR DE CARGAS DE TODA LA ESTRUCTURA\n",
          "VECTOR DE DESPLAZAMIENTOS GLOBALES Y LOCALES PARA CADA BARRA\n\n\nCONSTANTES DE INTEGRACIÓN DE CADA BARRA:\n"
          "\n\nSOLICITACIONES DE CADA BARRA EN LOS EXTREMOS:\n\n\n"}) {
        EXPECT_NE(texto.find(vacia), std::string::npos) << vacia;
    }
    const std::string fin = "SOLICITACIONES DE CADA BARRA EN LOS EXTREMOS:\n\n\n";
    EXPECT_EQ(texto.substr(texto.size() - fin.size()), fin);
}

TEST_F(Reporte, DosCorridasDanElMismoArchivo)
{
    { std::ofstream("resultados.txt") << std::string(100000, 'x'); }
    modelo(contenido(kEjemplo));
    funcionImprimirResultados();
    const std::string primera = informe();
    EXPECT_EQ(primera.find('x' + std::string(10, 'x')), std::string::npos);
    funcionImprimirResultados();
    EXPECT_EQ(informe(), primera);
}

TEST_F(Reporte, ArchivoQueNoSePuedeEscribir)
{
    const std::string aviso = "Advertencia: no se pudo escribir el informe de resultados en \"resultados.txt\"\n";
    modelo(contenido(kEjemplo));

    fs::create_directory("resultados.txt");
    EXPECT_EQ(salidaDe(funcionImprimirResultados), aviso);
    EXPECT_FALSE(resultados.is_open());
    fs::remove("resultados.txt");

    // Opens, but every write is lost.
    if (fs::exists("/dev/full")) {
        fs::create_symlink("/dev/full", "resultados.txt");
        EXPECT_EQ(salidaDe(funcionImprimirResultados), aviso);
        EXPECT_FALSE(resultados.is_open());
        fs::remove("resultados.txt");
    }

    // The stream is usable again afterwards.
    EXPECT_EQ(salidaDe(funcionImprimirResultados), "");
    EXPECT_EQ(lineas(informe()).front(), "#Nudo CoordX coordY");
}

TEST_F(Reporte, ModeloSinResolverEscribeLoQueHay)
{
    modelo(contenido(kEjemplo), false);
    std::vector<std::string> l = lineasDelInforme();
    std::vector<int> p = posicionesDeEncabezados(l);
    for (int s : p) ASSERT_GE(s, 0);
    EXPECT_EQ(l[p[3] + 1], "");  // no structure stiffness yet
    EXPECT_EQ(l[p[8] + 2], "Desplazamientos Globales [uGlobal]:");
    EXPECT_EQ(l[p[8] + 3], "ux: ");
    EXPECT_EQ(l[p[9] + 3], "A: ");
    EXPECT_EQ(l[p[10] + 3], "N_inicio: ");

    // A third combination, read but not solved: its block follows the other
    // two and stays empty.
    modelo(contenido(kEjemplo) + "\ncombo: tercera 1 muerta\n", false);
    ASSERT_EQ(noCombos, 3);
    l = lineasDelInforme();
    p = posicionesDeEncabezados(l);
    ASSERT_GE(p[10], 0);
    EXPECT_EQ(l[p[10] + 1 + 16], "#_barra: 1");
    EXPECT_EQ(l[p[10] + 1 + 17], "combo: 3");
    EXPECT_EQ(l[p[10] + 1 + 18], "N_inicio: ");
    EXPECT_EQ(l[p[10] + 1 + 23], "M_fin: ");
}

}  // namespace
