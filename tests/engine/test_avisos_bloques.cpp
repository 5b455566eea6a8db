// The lines that name a block's or a combination's mistake: one true line,
// before the lines about what the mistake breaks, and the model exactly as
// the file builds it without them.

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "traza.h"
#include "util.h"
#include "vardel2d.h"

namespace {

const std::string kCuentaNudos = "lectura de nudos OK Num Nudos = 3";
// The first line after the builder's steps: the lines about the whole file
// (its load cases) come right before it.
const std::string kAjustes = "Advertencia: no se encontró ningún real con etiqueta escalaDeflexion:";

// A beam of two bars over nodes 1, 2 and 3, with one block of every kind
// that lists nodes or bars and one combination, all correct: it prints the
// trace and the display settings' lines alone.
const std::string kViga = "nudos: 1 0 0 2 4 0 3 8 0 barras: 1 1 2 2 2 3 apoyo: 1 1 1 1 apoyo: 0 1 0 3 "
                          "resorte: 0 500 0 2 seccionRectangular: V 0.3 0.5 2.1e7 1 2 puntual: g 0 -10 0 2 "
                          "distribuidaLocal: q 0 0 -2 -2 1 distribuidaGlobal: w 1 1 1 0 2 combo: U 1.2 g 1.6 q 1 w";

const Lineas kTrazaViga = {kCuentaNudos,
                           "lectura de barras OK Num Barras = 2",
                           kNudosOK,
                           kBarrasOK,
                           kCoordNudos,
                           kApoyos,
                           kResortes,
                           kPuntuales,
                           kCombosNudo,
                           kCoordBarras,
                           kRect,
                           kGen,
                           kLocales,
                           kGlobales,
                           kCombosBarra,
                           kAjustes,
                           "Advertencia: no se encontró ningún real con etiqueta escalaM:",
                           "Advertencia: no se encontró ningún real con etiqueta escalaV:",
                           "Advertencia: no se encontró ningún real con etiqueta escalaN:",
                           "Advertencia: no se encontró ningún real con etiqueta escalaTexto:",
                           "Advertencia: no se encontró ningún real con etiqueta escalaApoyo:",
                           "Advertencia: no se encontró ningún entero con etiqueta precision:",
                           "Advertencia: no se encontró ningún real con etiqueta escalaCarga:"};

// Lines expected beyond the beam's trace, each group right before the trace
// line it is paired with: the first line about the group's consequence.
using Avisos = std::vector<std::pair<std::string, Lineas>>;

struct Caso {
    const char* nombre;
    std::string bloques;  // written after the beam's blocks
    Avisos avisos;
    std::function<void()> comprobar;
};

Lineas trazaCon(const Avisos& avisos)
{
    Lineas traza = kTrazaViga;
    for (const auto& [antesDe, grupo] : avisos) {
        const auto lugar = std::find(traza.begin(), traza.end(), antesDe);
        if (lugar == traza.end()) ADD_FAILURE() << "no trace line: " << antesDe;
        traza.insert(lugar, grupo.begin(), grupo.end());
    }
    return traza;
}

void construirCaso(const Caso& c)
{
    SCOPED_TRACE(c.nombre);
    esperarTraza(construirTexto(kViga + " " + c.bloques), trazaCon(c.avisos));
    c.comprobar();
}

void esperarFila(const Eigen::MatrixXd& m, int fila, const std::vector<double>& valores)
{
    ASSERT_LT(fila, m.rows());
    ASSERT_EQ(m.cols(), static_cast<Eigen::Index>(valores.size()));
    for (std::size_t c = 0; c < valores.size(); ++c) EXPECT_NEAR(m(fila, c), valores[c], 1e-12) << "columna " << c;
}

// Combination c, by name, at the three nodes and on the two bars.
void esperarCombinacion(int c, const std::string& nombre, const std::vector<std::vector<double>>& nudos,
                        const std::vector<std::vector<double>>& barras)
{
    ASSERT_LT(c, noCombos);
    ASSERT_EQ(nudo.size(), 3u);
    ASSERT_EQ(barra.size(), 2u);
    EXPECT_EQ(nudo[0].getNombreCombo(c), nombre);
    for (int j = 0; j < 3; ++j) esperarFila(nudo[j].getCargasGlobales(), c, nudos[j]);
    for (int i = 0; i < 2; ++i) esperarFila(barra[i].getMatrizCargasCombo(), c, barras[i]);
}

// U = 1.2 g + 1.6 q + 1 w, with g at node 2 and perhaps more at node 3.
void esperarU(const std::vector<double>& nudo3 = {0, 0, 0}, const std::vector<double>& barra1 = {0, 0, -3.2, -3.2},
              const std::vector<double>& barra2 = {1, 1, 0, 0})
{
    esperarCombinacion(0, "U", {{0, 0, 0}, {0, -12, 0}, nudo3}, {barra1, barra2});
}

void esperarSeccion(int i, const std::string& nombre, double area, double inercia, double moduloE)
{
    ASSERT_LT(static_cast<std::size_t>(i), barra.size());
    SCOPED_TRACE("barra " + std::to_string(i));
    EXPECT_EQ(barra[i].getNombreDeSeccion(), nombre);
    EXPECT_NEAR(barra[i].getArea(), area, 1e-15);
    EXPECT_NEAR(barra[i].getInercia(), inercia, 1e-15);
    EXPECT_EQ(barra[i].getModE(), moduloE);
}

void esperarV(int i) { esperarSeccion(i, "V", 0.15, 0.003125, 2.1e7); }

void esperarApoyo(int j, int x, int y, int g)
{
    ASSERT_LT(static_cast<std::size_t>(j), nudo.size());
    EXPECT_EQ(nudo[j].getApoyo(), Eigen::Vector3i(x, y, g)) << "nudo " << j;
}

// The supports and the spring as the beam's blocks give them.
void esperarApoyosDeLaViga()
{
    esperarApoyo(0, 1, 1, 1);
    esperarApoyo(1, 0, 0, 0);
    esperarApoyo(2, 0, 1, 0);
    ASSERT_EQ(nudo.size(), 3u);
    EXPECT_EQ(nudo[1].getResorteX(), 0.0);
    EXPECT_EQ(nudo[1].getResorteY(), 500.0);
    EXPECT_EQ(nudo[1].getResorteGiro(), 0.0);
    EXPECT_EQ(nudo[2].getResorteY(), 0.0);
}

std::string sinCombinacion(const std::string& caso)
{
    return "Advertencia: el caso de carga " + caso + " no está en ninguna combinación; sus cargas no se usan";
}

class AvisosDeBloques : public EstadoLimpio {};

TEST_F(AvisosDeBloques, LaVigaNoAvisa)
{
    construirCaso({"la viga sola", "", {}, [] {
                       esperarU();
                       EXPECT_EQ(noCombos, 1);
                       esperarV(0);
                       esperarV(1);
                       esperarApoyosDeLaViga();
                   }});
}

std::string nombreNumerico(const std::string& etiqueta, const std::string& numero)
{
    return "Advertencia: el bloque \"" + etiqueta + "\" toma el número \"" + numero +
           "\" como su nombre; si es un valor, falta el nombre y los valores se leen un lugar más adelante";
}

// A block whose name is left out takes its first value as the name: the
// model keeps every value one place off, as read, and the line says so
// before the lines about what the block then fails to give.
TEST_F(AvisosDeBloques, NumeroEnElLugarDelNombre)
{
    const Caso casos[] = {
        {"sección genérica", "seccionGenerica: 2.85e-3 1.94e-5 2.1e8 1 2",
         {{kGen,
           {nombreNumerico("seccionGenerica:", "2.85e-3"),
            "Advertencia: seccionGenerica: la barra 2 está en las secciones V (seccionRectangular:) y 2.85e-3 "
            "(seccionGenerica:); la posterior, 2.85e-3, reemplaza a la anterior, pues "
            "seccionGenerica: se aplica después de seccionRectangular:"}}},
         [] {
             esperarV(0);
             esperarSeccion(1, "2.85e-3", 1.94e-5, 2.1e8, 1);
         }},
        {"sección rectangular que así no nombra barras", "seccionRectangular: 0.3 0.5 2.1e7 1",
         {{kRect,
           {nombreNumerico("seccionRectangular:", "0.3"),
            "Advertencia: seccionRectangular: la sección 0.3 no nombra ninguna barra; no se asigna"}}},
         [] {
             esperarV(0);
             esperarV(1);
         }},
        {"carga puntual", "puntual: 25 0 0 3",
         {{kPuntuales,
           {nombreNumerico("puntual:", "25"),
            "Advertencia: puntual: la carga del caso 25 no nombra ningún nudo; no se aplica"}},
          {kAjustes, {sinCombinacion("25")}}},
         [] { esperarU(); }},
        {"carga local", "distribuidaLocal: 0 0 -2 -2 1",
         {{kLocales,
           {nombreNumerico("distribuidaLocal:", "0"),
            "Advertencia: distribuidaLocal: la carga del caso 0 no nombra ninguna barra; no se aplica"}},
          {kAjustes, {sinCombinacion("0")}}},
         [] { esperarU(); }},
        {"carga global", "distribuidaGlobal: 5 5 0 -1 2",
         {{kGlobales,
           {nombreNumerico("distribuidaGlobal:", "5"),
            "Advertencia: distribuidaGlobal: la carga del caso 5 no nombra ninguna barra; no se aplica"}},
          {kAjustes, {sinCombinacion("5")}}},
         [] { esperarU(); }},
        // The cut line says what the block loses; no line of a block without nodes follows.
        {"y cortada por un infinito", "puntual: 25 0 inf 3",
         {{kPuntuales,
           {nombreNumerico("puntual:", "25"),
            "Advertencia: la palabra \"inf\" después de \"puntual:\" no es un número finito; escriba el valor "
            "con cifras; la carga del caso 25 no se aplica"}},
          {kAjustes, {sinCombinacion("25")}}},
         [] { esperarU(); }},
        {"combinación sin pares", "combo: 1.2 g 1.5 q",
         {{kCombosNudo,
           {nombreNumerico("combo:", "1.2"),
            "Advertencia: la combinación 1.2 no tiene pares de factor y caso: la palabra \"g\" está donde va su "
            "primer factor; se omite"}}},
         [] {
             EXPECT_EQ(noCombos, 1);
             esperarU();
         }},
        {"combinación con pares", "combo: 1 1 g",
         {{kCombosNudo, {nombreNumerico("combo:", "1")}}},
         [] {
             ASSERT_EQ(noCombos, 2);
             esperarCombinacion(1, "1", {{0, 0, 0}, {0, -10, 0}, {0, 0, 0}}, {{0, 0, 0, 0}, {0, 0, 0, 0}});
         }},
        {"nombres con cifras y letras", "puntual: A1 0 -5 0 3 seccionRectangular: IPE200 0.1 0.2 2e8 2 "
                                        "combo: 2U 1 A1 combo: ELU 1 g 1 q",
         {{kRect,
           {"Advertencia: seccionRectangular: la barra 2 está en las secciones V y IPE200; la posterior, IPE200, "
            "reemplaza a la anterior"}}},
         [] {
             ASSERT_EQ(noCombos, 3);
             esperarSeccion(1, "IPE200", 0.02, 0.1 * 0.008 / 12, 2e8);
             esperarCombinacion(1, "2U", {{0, 0, 0}, {0, 0, 0}, {0, -5, 0}}, {{0, 0, 0, 0}, {0, 0, 0, 0}});
         }},
        {"un nombre de signos sin cifras", "puntual: - 0 -5 0 3 combo: S 1 -",
         {},
         [] {
             ASSERT_EQ(noCombos, 2);
             esperarFila(nudo[2].getCargasGlobales(), 1, {0, -5, 0});
         }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// A block whose run ends with its values lists nothing to give them to.
TEST_F(AvisosDeBloques, BloqueQueNoNombraNudosNiBarras)
{
    const Caso casos[] = {
        {"carga puntual sin uno de sus valores", "puntual: g 0 -20 3",
         {{kPuntuales, {"Advertencia: puntual: la carga del caso g no nombra ningún nudo; no se aplica"}}},
         [] { esperarU(); }},
        {"carga puntual sin valores", "puntual: g ver nota",
         {{kPuntuales, {"Advertencia: puntual: la carga del caso g no nombra ningún nudo; no se aplica"}}},
         [] { esperarU(); }},
        {"carga local sin uno de sus valores", "distribuidaLocal: q 0 0 -3 2",
         {{kLocales, {"Advertencia: distribuidaLocal: la carga del caso q no nombra ninguna barra; no se aplica"}}},
         [] { esperarU(); }},
        {"carga global sin barras", "distribuidaGlobal: w 2 2 0 -1",
         {{kGlobales, {"Advertencia: distribuidaGlobal: la carga del caso w no nombra ninguna barra; no se aplica"}}},
         [] { esperarU(); }},
        {"apoyo sin nudos", "apoyo: 1 1 0",
         {{kApoyos, {"Advertencia: apoyo: el apoyo 1 1 0 no nombra ningún nudo; no se aplica"}}},
         esperarApoyosDeLaViga},
        {"apoyo de dos códigos", "apoyo: 1 1",
         {{kApoyos, {"Advertencia: apoyo: el apoyo 1 1 no nombra ningún nudo; no se aplica"}}},
         esperarApoyosDeLaViga},
        {"resorte escrito como en el archivo", "resorte: 1e4 0 0",
         {{kResortes, {"Advertencia: resorte: el resorte 1e4 0 0 no nombra ningún nudo; no se aplica"}}},
         esperarApoyosDeLaViga},
        {"bloques completos", "puntual: g 0 -20 0 3 apoyo: 1 1 0 3",
         {{kApoyos,
           {"Advertencia: apoyo: el nudo 3 está en un bloque con 0 1 0 y en otro posterior con 1 1 0, que lo "
            "reemplaza"}}},
         [] {
             esperarU({0, -24, 0});
             esperarApoyo(2, 1, 1, 0);
         }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

std::string noFinito(const std::string& palabra, const std::string& etiqueta)
{
    return "Advertencia: la palabra \"" + palabra + "\" después de \"" + etiqueta +
           "\" no es un número finito; escriba el valor con cifras";
}

std::string malEscrito(const std::string& palabra, const std::string& etiqueta)
{
    return "Advertencia: la palabra \"" + palabra + "\" después de \"" + etiqueta +
           "\" no es un número; escriba el punto decimal como \".\" y el exponente como \"e\"";
}

// A word that is no finite number ends a block's run: among the values the
// block gives nothing, among its nodes or bars those before the word keep
// what it gives.
TEST_F(AvisosDeBloques, PalabraQueCortaUnBloque)
{
    const Caso casos[] = {
        {"infinito entre los valores de una carga", "puntual: g 0 inf 0 3",
         {{kPuntuales, {noFinito("inf", "puntual:") + "; la carga del caso g no se aplica"}}},
         [] { esperarU(); }},
        {"infinito tras los valores de una carga", "puntual: g 0 -5 0 inf 3",
         {{kPuntuales, {noFinito("inf", "puntual:") + "; la carga del caso g no se aplica"}}},
         [] { esperarU(); }},
        {"NaN entre los nudos de una carga", "puntual: g 0 -5 0 3 nan 2",
         {{kPuntuales, {noFinito("nan", "puntual:") + "; los nudos que la siguen no reciben la carga del caso g"}}},
         [] { esperarU({0, -6, 0}); }},
        {"unidad pegada a una carga local", "distribuidaLocal: q 0 0 -1 -1kN 2",
         {{kLocales, {malEscrito("-1kN", "distribuidaLocal:") + "; la carga del caso q no se aplica"}}},
         [] { esperarU(); }},
        {"exponente en mayúscula entre las barras de una carga global", "distribuidaGlobal: w 1 1 0 -1 1 2.0E0 2",
         {{kGlobales, {malEscrito("2.0E0", "distribuidaGlobal:") +
                       "; las barras que la siguen no reciben la carga del caso w"}}},
         [] { esperarU({0, 0, 0}, {0, 0, -4.2, -4.2}); }},
        {"coma decimal en una sección", "seccionGenerica: G 0.01 1,5e-4 2e8 2",
         {{kGen, {malEscrito("1,5e-4", "seccionGenerica:") + "; la sección G no se asigna"}}},
         [] {
             esperarV(0);
             esperarV(1);
         }},
        {"coma decimal entre las barras de una sección", "seccionGenerica: G 0.01 1e-4 2e8 1 2,0 2",
         {{kGen,
           {malEscrito("2,0", "seccionGenerica:") + "; las barras que la siguen no reciben la sección G",
            "Advertencia: seccionGenerica: la barra 1 está en las secciones V (seccionRectangular:) y G "
            "(seccionGenerica:); la posterior, G, reemplaza a la anterior, pues "
            "seccionGenerica: se aplica después de seccionRectangular:"}}},
         [] {
             esperarSeccion(0, "G", 0.01, 1e-4, 2e8);
             esperarV(1);
         }},
        {"exponente en mayúscula en un apoyo", "apoyo: 1 1E0 1 3",
         {{kApoyos, {malEscrito("1E0", "apoyo:") + "; el apoyo no se aplica"}}},
         esperarApoyosDeLaViga},
        {"texto con signo entre los nudos de un apoyo", "apoyo: 1 1 1 3 -x 2",
         {{kApoyos,
           {malEscrito("-x", "apoyo:") + "; los nudos que la siguen no reciben el apoyo",
            "Advertencia: apoyo: el nudo 3 está en un bloque con 0 1 0 y en otro posterior con 1 1 1, que lo "
            "reemplaza"}}},
         [] {
             esperarApoyo(1, 0, 0, 0);
             esperarApoyo(2, 1, 1, 1);
         }},
        {"unidad pegada a un resorte", "resorte: 0 10kN 0 3",
         {{kResortes, {malEscrito("10kN", "resorte:") + "; el resorte no se aplica"}}},
         esperarApoyosDeLaViga},
        {"una palabra sin cifras tras los nudos", "puntual: g 0 -5 0 3 fin",
         {},
         [] { esperarU({0, -6, 0}); }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

std::string sinPares(const std::string& combo, const std::string& palabra = "")
{
    return "Advertencia: la combinación " + combo + " no tiene pares de factor y caso" +
           (palabra.empty() ? "" : ": la palabra \"" + palabra + "\" está donde va su primer factor") + "; se omite";
}

// The word in the first factor's place is named, unless a line of its own
// already names it or a tag stands there; the combination is left out.
TEST_F(AvisosDeBloques, CombinacionSinSuPrimerFactor)
{
    auto soloU = [] {
        EXPECT_EQ(noCombos, 1);
        esperarU();
    };
    const Caso casos[] = {
        {"un caso donde va el factor", "combo: ELU g 1.5 q", {{kCombosNudo, {sinPares("ELU", "g")}}}, soloU},
        {"un factor con coma", "combo: ELU 1,35 g 1.5 q",
         {{kCombosNudo, {malEscrito("1,35", "combo:"), sinPares("ELU")}}}, soloU},
        {"la etiqueta siguiente", "combo: ELU puntual: g 0 0 0 1", {{kCombosNudo, {sinPares("ELU")}}}, soloU},
        {"el fin del archivo", "combo: ELU", {{kCombosNudo, {sinPares("ELU")}}}, soloU},
        {"combinación completa", "combo: ELU 1.35 g 1.5 q",
         {},
         [] {
             ASSERT_EQ(noCombos, 2);
             esperarCombinacion(1, "ELU", {{0, 0, 0}, {0, -13.5, 0}, {0, 0, 0}}, {{0, 0, -3, -3}, {0, 0, 0, 0}});
         }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

std::string ausente(const std::string& combo, const std::string& caso, const std::string& pista = "")
{
    return "Advertencia: la combinación " + combo + " nombra el caso " + caso +
           ", que ninguna carga tiene; no suma nada" + pista;
}

std::string cercano(const std::string& caso) { return " (hay cargas del caso " + caso + ", que se escribe casi igual)"; }

// A case no load has is told apart from a case with loads a letter off.
TEST_F(AvisosDeBloques, CasoCasiIgualAUnoConCargas)
{
    struct Par {
        const char* nombre;
        std::string deLaCarga;
        std::string deLaCombinacion;
        std::string pista;
    };
    const std::string largo(5000, 'x');
    const Par pares[] = {
        {"dos letras vecinas cambiadas de lugar", "vvia", "viva", cercano("vvia")},
        {"una letra de más", "nieeve", "nieve", cercano("nieeve")},
        {"una letra de menos", "vieto", "viento", cercano("vieto")},
        {"una letra distinta", "muerto", "muerta", cercano("muerto")},
        {"y además una mayúscula", "Vvia", "viva", cercano("Vvia")},
        {"solo mayúsculas", "VIVA", "viva",
         " (hay cargas del caso VIVA; los nombres distinguen mayúsculas de minúsculas)"},
        {"nombres lejanos", "aviv", "viva", ""},
        {"nombres de una letra", "p", "s", ""},
        {"nombres largos", largo + "a", largo + "b", ""},
    };
    for (const Par& p : pares) {
        const std::string cita = p.deLaCombinacion.size() > 60 ? std::string(60, 'x') + "…" : p.deLaCombinacion;
        const std::string citaCarga = p.deLaCarga.size() > 60 ? std::string(60, 'x') + "…" : p.deLaCarga;
        construirCaso({p.nombre, "puntual: " + p.deLaCarga + " 0 -1 0 3 combo: S 1 " + p.deLaCombinacion,
                       {{kAjustes, {ausente("S", cita, p.pista), sinCombinacion(citaCarga)}}}, [] {
                           ASSERT_EQ(noCombos, 2);
                           esperarU();
                           esperarFila(nudo[2].getCargasGlobales(), 1, {0, 0, 0});
                       }});
    }
}

std::string bloqueSinPares(const std::string& combo, const std::string& palabra = "")
{
    return "Advertencia: la combinación " + combo + " tiene un bloque sin pares de factor y caso" +
           (palabra.empty() ? "" : ": la palabra \"" + palabra + "\" está donde va su primer factor") +
           "; ese bloque no suma nada a " + combo;
}

std::string sinNombreAlFinal(const std::string& etiqueta)
{
    return "Advertencia: el bloque \"" + etiqueta + "\" no tiene nombre: el archivo termina con él; se omite";
}

// A block without pairs of a combination that another block forms adds
// nothing to it; a tag that takes a name as the file's last word is a block
// without a name.
TEST_F(AvisosDeBloques, BloqueDeCombinacionSinPares)
{
    auto soloU = [] {
        EXPECT_EQ(noCombos, 1);
        esperarU();
    };
    const Caso casos[] = {
        {"tras el bloque completo", "combo: U ver nota", {{kCombosNudo, {bloqueSinPares("U", "ver")}}}, soloU},
        {"antes del bloque completo", "combo: S ver nota combo: S 1 g",
         {{kCombosNudo, {bloqueSinPares("S", "ver")}}},
         [] {
             ASSERT_EQ(noCombos, 2);
             esperarU();
             esperarCombinacion(1, "S", {{0, 0, 0}, {0, -10, 0}, {0, 0, 0}}, {{0, 0, 0, 0}, {0, 0, 0, 0}});
         }},
        {"ante otra etiqueta", "combo: U puntual: g 0 0 0 1", {{kCombosNudo, {bloqueSinPares("U")}}}, soloU},
        {"al fin del archivo", "combo: U", {{kCombosNudo, {bloqueSinPares("U")}}}, soloU},
        {"combo: como última palabra", "combo:", {{kCuentaNudos, {sinNombreAlFinal("combo:")}}}, soloU},
        {"puntual: como última palabra", "puntual:", {{kCuentaNudos, {sinNombreAlFinal("puntual:")}}},
         [] { esperarU(); }},
        {"seccionGenerica: como última palabra", "seccionGenerica:",
         {{kCuentaNudos, {sinNombreAlFinal("seccionGenerica:")}}}, [] { esperarV(1); }},
        {"apoyo: como última palabra", "apoyo:",
         {{kApoyos, {"Advertencia: apoyo: el apoyo no nombra ningún nudo; no se aplica"}}}, esperarApoyosDeLaViga},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// A case listed twice in one combination enters it with its factors added up.
TEST_F(AvisosDeBloques, CasoRepetidoEnUnaCombinacion)
{
    std::string once;
    for (int k = 0; k < 11; ++k) once += " 1 g";
    const Caso casos[] = {
        {"dos veces", "combo: ELU 1.35 g 1.5 q 1.5 q",
         {{kCombosNudo,
           {"Advertencia: la combinación ELU nombra el caso q 2 veces; sus factores se suman: 1.5 + 1.5 = 3"}}},
         [] {
             ASSERT_EQ(noCombos, 2);
             esperarCombinacion(1, "ELU", {{0, 0, 0}, {0, -13.5, 0}, {0, 0, 0}}, {{0, 0, -6, -6}, {0, 0, 0, 0}});
         }},
        {"tres veces, un factor negativo", "combo: E 1 g 0.5 g -0.25 g",
         {{kCombosNudo,
           {"Advertencia: la combinación E nombra el caso g 3 veces; sus factores se suman: 1 + 0.5 + -0.25 = "
            "1.25"}}},
         [] {
             ASSERT_EQ(noCombos, 2);
             esperarFila(nudo[1].getCargasGlobales(), 1, {0, -12.5, 0});
         }},
        {"dos casos repetidos, en el orden de la lista", "combo: E 1 q 1 g 2 q 3 g",
         {{kCombosNudo,
           {"Advertencia: la combinación E nombra el caso q 2 veces; sus factores se suman: 1 + 2 = 3",
            "Advertencia: la combinación E nombra el caso g 2 veces; sus factores se suman: 1 + 3 = 4"}}},
         [] {
             ASSERT_EQ(noCombos, 2);
             esperarCombinacion(1, "E", {{0, 0, 0}, {0, -40, 0}, {0, 0, 0}}, {{0, 0, -6, -6}, {0, 0, 0, 0}});
         }},
        {"muchas veces: solo la suma", "combo: E" + once,
         {{kCombosNudo, {"Advertencia: la combinación E nombra el caso g 11 veces; sus factores se suman: 11"}}},
         [] {
             ASSERT_EQ(noCombos, 2);
             esperarFila(nudo[1].getCargasGlobales(), 1, {0, -110, 0});
         }},
        {"un caso en dos combinaciones", "combo: E 1 g combo: F 2 g",
         {},
         [] {
             ASSERT_EQ(noCombos, 3);
             esperarFila(nudo[1].getCargasGlobales(), 2, {0, -20, 0});
         }},
    };
    for (const Caso& c : casos) construirCaso(c);
}

std::string sinTeclas(const std::string& combo, const std::string& teclas)
{
    const bool una = teclas.size() == 3;
    return "Advertencia: la combinación " + combo + " no se puede mostrar en la ventana: " +
           (una ? "la tecla " : "las teclas ") + teclas + " de su nombre " +
           (una ? "cambia la escala y no se escribe" : "cambian la escala y no se escriben") + " en la consola";
}

// The window's keys that scale the diagrams never reach its console, so a
// combination whose name holds one is read and solved but cannot be shown.
TEST_F(AvisosDeBloques, NombreQueLaVentanaNoPuedeEscribir)
{
    auto conSegunda = [](const std::string& nombre) {
        return [nombre] {
            ASSERT_EQ(noCombos, 2);
            esperarU();
            EXPECT_EQ(nudo[0].getNombreCombo(1), nombre);
            EXPECT_EQ(barra[1].getMatrizCargasCombo().rows(), 2);
        };
    };
    const Caso casos[] = {
        {"un más", "combo: 1.2D+1.6W 1.2 g 1.6 q", {{kCombosNudo, {sinTeclas("1.2D+1.6W", "\"+\"")}}},
         conSegunda("1.2D+1.6W")},
        {"un menos", "combo: U-1 1 g", {{kCombosNudo, {sinTeclas("U-1", "\"-\"")}}}, conSegunda("U-1")},
        {"las dos teclas", "combo: A+B-C 1 g", {{kCombosNudo, {sinTeclas("A+B-C", "\"+\" y \"-\"")}}},
         conSegunda("A+B-C")},
        {"una vez por combinación", "combo: U-1 1 g combo: U-1 1 q",
         {{kCombosNudo,
           {sinTeclas("U-1", "\"-\""),
            "Advertencia: la combinación U-1 se repite; sus pares se suman a la misma combinación"}}},
         conSegunda("U-1")},
        {"una combinación que no se forma", "combo: U-1 x", {{kCombosNudo, {sinPares("U-1", "x")}}}, [] {
             EXPECT_EQ(noCombos, 1);
         }},
        {"otros signos", "combo: U_1/2 1 g", {}, conSegunda("U_1/2")},
    };
    for (const Caso& c : casos) construirCaso(c);
}

}  // namespace
