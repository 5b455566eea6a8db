#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "etiquetas.h"
#include "traza.h"
#include "util.h"
#include "vardel2d.h"

namespace {

const std::string kSinPrecision = "Advertencia: no se encontró ningún entero con etiqueta precision:";

// A beam of two nodes and one bar, loaded and combined.
const std::string kViga =
    "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 "
    "seccionRectangular: V 0.3 0.5 2.1e7 1 puntual: P 0 -10 0 2 combo: U 1 P";
const Lineas kTrazaViga = conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos,
                                           kPuntuales, kCombosNudo, kCoordBarras, kRect, kGen, kCombosBarra});

// Everything the builder put in the model, as text: two files that build the
// same model give the same text.
std::string huella()
{
    std::ostringstream t;
    t.precision(17);
    t << noNudos << ' ' << noBarras << ' ' << noCombos << '\n';
    for (const objNudo2d& n : nudo) {
        const Eigen::Vector3i a = n.getApoyo();
        t << "N " << n.getNoNudoUsuario() << ' ' << n.getX() << ' ' << n.getY() << ' ' << a.transpose() << ' '
          << n.getResorteX() << ' ' << n.getResorteY() << ' ' << n.getResorteGiro() << " | " << n.getCargasGlobales()
          << '\n';
        for (int c = 0; c < n.getCantidadDeCombos(); ++c) t << ' ' << n.getNombreCombo(c);
        t << '\n';
    }
    for (const objBarra2d& b : barra) {
        t << "B " << b.getNoBarraUsuario() << ' ' << b.getNudoInicioUsuario() << ' ' << b.getNudoFinalUsuario() << ' '
          << b.getXi() << ' ' << b.getYi() << ' ' << b.getXf() << ' ' << b.getYf() << ' ' << b.getArea() << ' '
          << b.getInercia() << ' ' << b.getModE() << ' ' << b.getNombreDeSeccion() << " | " << b.getMatrizCargasCombo()
          << '\n';
    }
    t << escalaDef << ' ' << escalaM << ' ' << escalaV << ' ' << escalaN << ' ' << escalaTexto << ' ' << escalaApoyo
      << ' ' << precision << ' ' << escalaCarga;
    return t.str();
}

std::string huellaDe(const std::string& contenido)
{
    construirTexto(contenido);
    return huella();
}

// The place of the first line that starts with `inicio`, or the count of lines.
std::size_t lugarDe(const Lineas& salida, const std::string& inicio)
{
    return static_cast<std::size_t>(
        std::find_if(salida.begin(), salida.end(), [&](const std::string& l) { return l.rfind(inicio, 0) == 0; }) -
        salida.begin());
}

class AvisosDeTablas : public EstadoLimpio {};

// A repeated table tag joins the numbers of its blocks before cutting rows, so
// a block that leaves a row unfinished shifts every row after it: that block
// is named, before the repeated numbers and missing nodes it causes.
std::string repetida(const std::string& etiqueta, int veces)
{
    return "Advertencia: la etiqueta " + etiqueta + " aparece " + std::to_string(veces) +
           " veces; se leen las filas de todas en el orden del archivo";
}

std::string bloqueSinFilas(int k, int de, const std::string& numeros, bool seCompleta)
{
    return "Advertencia: el bloque " + std::to_string(k) + " de los " + std::to_string(de) + " \"nudos:\" tiene " +
           numeros + (seCompleta ? "; su última fila se completa con los números siguientes de la tabla" : "");
}

const std::string kFaltan = "Faltan datos para completar la matriz nudos:";

std::string tablaSinFilas(const std::string& numeros)
{
    return "Advertencia: la tabla \"nudos:\" tiene " + numeros + "; no se lee ninguna fila";
}

TEST_F(AvisosDeTablas, BloqueDeUnaTablaQueNoFormaFilasEnteras)
{
    const Caso casos[] = {
        {"dos bloques de 5 y 7 números, con barras y una carga",
         "nudos: 1 0 0  2 4\nbarras: 1 1 2  2 2 3 apoyo: 1 1 1 1 seccionGenerica: G 1 1 1 1 2 puntual: g 1 0 0 3 "
         "combo: U 1 g\nnudos: 3 8 0  4 8 3 5",
         conAvisosEscala(
             {repetida("nudos:", 2), bloqueSinFilas(1, 2, "5 números, que no forman filas de tres", true),
              cuentaNudos(4), cuentaBarras(2), "Advertencia: el número 8 se repite en nudos:; vale la última fila",
              kNudosOK, "Advertencia: barras: nombra el nudo 3, que no está definido; se omite la barra 2", kBarrasOK,
              kCoordNudos, kApoyos, "Advertencia: puntual: nombra el nudo 3, que no está definido; se omite",
              kPuntuales, kCombosNudo, kCoordBarras, kRect,
              "Advertencia: seccionGenerica: nombra la barra 2, que se omitió porque su nudo 3 no está definido; "
              "se omite",
              kGen, kCombosBarra}),
         [] {
             // The rows as the joined numbers make them: 1 0 0, 2 4 3, 8 0 4, 8 3 5.
             ASSERT_EQ(noNudos, 3);
             EXPECT_EQ(nudo[1].getNoNudoUsuario(), 2);
             EXPECT_EQ(nudo[1].getX(), 4);
             EXPECT_EQ(nudo[1].getY(), 3);
             EXPECT_EQ(nudo[2].getNoNudoUsuario(), 8);
             EXPECT_EQ(nudo[2].getX(), 3);
             EXPECT_EQ(nudo[2].getY(), 5);
             EXPECT_EQ(noBarras, 1);
         }},
        {"el segundo bloque deja la tabla sin filas", "nudos: 1 0 0 nudos: 2 4 0 3 8",
         conAvisosEscala({repetida("nudos:", 2), bloqueSinFilas(2, 2, "5 números, que no forman filas de tres", false),
                          kFaltan, tablaSinFilas("8 números, que no forman filas de tres"), cuentaNudos(0),
                          cuentaBarras(0), kCoordNudos}),
         [] { EXPECT_TRUE(nudo.empty()); }},
        {"cada bloque que deja una fila a medias", "nudos: 1 0 0 2 nudos: 4 0 nudos: 3 8 0 4 nudos: 8 3",
         conAvisosEscala({repetida("nudos:", 4), bloqueSinFilas(1, 4, "4 números, que no forman filas de tres", true),
                          bloqueSinFilas(3, 4, "4 números, que no forman filas de tres", true), cuentaNudos(4),
                          cuentaBarras(0), kNudosOK, kCoordNudos}),
         [] {
             ASSERT_EQ(noNudos, 4);
             EXPECT_EQ(nudo[3].getNoNudoUsuario(), 4);
             EXPECT_EQ(nudo[3].getY(), 3);
         }},
        {"los bloques corridos por el primero no se nombran", "nudos: 1 0 0 2 nudos: 4 0 3 8 nudos: 0 4 8 3",
         conAvisosEscala({repetida("nudos:", 3), bloqueSinFilas(1, 3, "4 números, que no forman filas de tres", true),
                          cuentaNudos(4), cuentaBarras(0), kNudosOK, kCoordNudos})},
        {"un bloque de un solo número", "nudos: 1 nudos: 0 0 2 4 0",
         conAvisosEscala({repetida("nudos:", 2), bloqueSinFilas(1, 2, "1 número, que no forma una fila de tres", true),
                          cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos}),
         [] { EXPECT_EQ(nudo[0].getNoNudoUsuario(), 1); }},
        // Blocks of whole rows read as one table and say nothing more.
        {"bloques de filas enteras", "nudos: 1 0 0 2 4 0 nudos: 3 8 0",
         conAvisosEscala({repetida("nudos:", 2), cuentaNudos(3), cuentaBarras(0), kNudosOK, kCoordNudos})},
        {"bloque vacío entre filas enteras", "nudos: 1 0 0 nudos: nudos: 3 8 0",
         conAvisosEscala({repetida("nudos:", 3), cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos})},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// The line of a table without whole rows agrees with its count.
TEST_F(AvisosDeTablas, TablaSinFilasEnterasConcuerdaConSuCuenta)
{
    const struct {
        std::string numeros;
        std::string dichos;
    } casos[] = {
        {"7", "1 número, que no forma una fila de tres"},
        {"7 8", "2 números, que no forman filas de tres"},
        {"7 8 9 1", "4 números, que no forman filas de tres"},
    };
    for (const auto& c : casos) {
        construirCaso(
            {c.numeros.c_str(), "nudos: 1 0 0 barras: " + c.numeros,
             conAvisosEscala({cuentaNudos(1), "Faltan datos para completar la matriz barras:",
                              "Advertencia: la tabla \"barras:\" tiene " + c.dichos + "; no se lee ninguna fila",
                              cuentaBarras(0), kNudosOK, kCoordNudos}),
             [] { EXPECT_TRUE(barra.empty()); }});
    }
}

// A tag whose colon stands apart is no tag: its data are lost, and the word
// is named as the tag it stands for, not as text that ends a table.
std::string separada(const std::string& palabra, const std::string& siguiente, const std::string& etiqueta)
{
    return "Advertencia: la palabra \"" + palabra + "\" va seguida de \"" + siguiente + "\" aparte; la etiqueta es \"" +
           etiqueta + "\", sin espacio antes de los dos puntos; los datos que la siguen no se leen";
}

// What follows a tag's colon in a block that opens as the tag's blocks do.
std::string datosDe(const Etiqueta& e)
{
    std::string datos = e.conNombre ? "X" : "";
    for (int k = 0; k < e.numeros; ++k) datos += (datos.empty() ? "" : " ") + std::string("2");
    return datos;
}

TEST_F(AvisosDeTablas, EtiquetaSeparadaDeSusDosPuntos)
{
    const std::string base = huellaDe(kViga);
    for (const Etiqueta& e : etiquetas) {
        std::string nombre = e.texto;
        nombre.pop_back();
        const std::string datos = datosDe(e);
        const struct {
            std::string texto;
            std::string siguiente;
        } formas[] = {{nombre + " : " + datos, ":"}, {nombre + " :" + datos, ":" + datos.substr(0, datos.find(' '))}};
        for (const auto& f : formas) {
            SCOPED_TRACE(f.texto);
            // At the end of the file, so that the lost block changes nothing else.
            esperarTraza(construirTexto(kViga + " " + f.texto),
                         antesDe({separada(nombre, f.siguiente, e.texto)}, kTrazaViga));
            EXPECT_EQ(huella(), base);
        }
    }
}

TEST_F(AvisosDeTablas, EtiquetaSeparadaDentroDelArchivo)
{
    const Caso casos[] = {
        // Not named as text that ends the complete node table before it.
        {"la tabla de barras tras la de nudos", "nudos: 1 0 0 2 4 0 3 8 0 barras : 1 1 2 2 2 3 apoyo: 1 1 1 1",
         antesDe({separada("barras", ":", "barras:")},
                 conAvisosEscala({cuentaNudos(3), cuentaBarras(0), kNudosOK, kCoordNudos, kApoyos})),
         [] {
             EXPECT_EQ(noNudos, 3);
             EXPECT_TRUE(barra.empty());
         }},
        {"una escala, una combinación y una carga", kViga + " escalaM : 0.5 combo : S 2 P puntual : W 5 0 0 2",
         antesDe({separada("escalaM", ":", "escalaM:"), separada("combo", ":", "combo:"),
                  separada("puntual", ":", "puntual:")},
                 kTrazaViga),
         [] {
             EXPECT_EQ(escalaM, 0.1);
             EXPECT_EQ(noCombos, 1);
         }},
        {"la misma palabra dos veces, una línea", kViga + " apoyo : 0 1 0 2 apoyo : 1 0 0 2",
         antesDe({separada("apoyo", ":", "apoyo:")}, kTrazaViga)},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// A tag glued after a number ends the run before it at that word: it is named
// as the tag it holds, with the number, and not as a number written wrong.
std::string trasNumero(const std::string& palabra, const std::string& etiqueta, const std::string& numero)
{
    return "Advertencia: la palabra \"" + palabra + "\" lleva la etiqueta \"" + etiqueta + "\" pegada tras el número " +
           numero + "; sepárelos con un espacio";
}

TEST_F(AvisosDeTablas, EtiquetaPegadaTrasUnNumero)
{
    const Caso casos[] = {
        {"la tabla de barras tras la última coordenada", "nudos: 1 0 0 2 4 0barras: 1 1 2",
         conAvisosEscala({trasNumero("0barras:", "barras:", "0"), kFaltan,
                          tablaSinFilas("5 números, que no forman filas de tres"), cuentaNudos(0), cuentaBarras(0),
                          kCoordNudos})},
        {"tras una tabla de filas enteras", "nudos: 1 0 0 2 4 0 3 8 1.5barras: 1 1 2 2 2 3",
         conAvisosEscala({trasNumero("1.5barras:", "barras:", "1.5"), kFaltan,
                          tablaSinFilas("8 números, que no forman filas de tres"), cuentaNudos(0), cuentaBarras(0),
                          kCoordNudos})},
        {"un apoyo tras el último nudo de otro", "nudos: 1 0 0 2 4 0 apoyo: 1 1 1 1 2apoyo: 0 1 0 2",
         conAvisosEscala(
             {trasNumero("2apoyo:", "apoyo:", "2"), cuentaNudos(2), cuentaBarras(0), kNudosOK, kCoordNudos, kApoyos}),
         [] {
             EXPECT_EQ(nudo[0].getApoyo()(2), 1);
             EXPECT_EQ(nudo[1].getApoyo()(1), 0);
         }},
        {"una combinación tras un factor", kViga + " combo: S 2 P 1.5combo: T 1 P",
         antesDe({trasNumero("1.5combo:", "combo:", "1.5")}, kTrazaViga), [] { EXPECT_EQ(noCombos, 2); }},
        // One edit from "nudos": not taken for a misspelt tag.
        {"a una letra de la etiqueta", "nudos: 1 0 0 2 4 0 3 8 0nudos: 1 1 2",
         conAvisosEscala({trasNumero("0nudos:", "nudos:", "0"), kFaltan,
                          tablaSinFilas("8 números, que no forman filas de tres"), cuentaNudos(0), cuentaBarras(0),
                          kCoordNudos})},
    };
    for (const Caso& c : casos) construirCaso(c);
}

// The reader reads a setting from the word after its tag, whatever follows the
// number in it; those lines are the reader's. The cause comes before them, and
// before the fixed line about the tag that seems to be missing.
TEST_F(AvisosDeTablas, EtiquetaPegadaTrasElValorDeUnAjuste)
{
    const struct {
        std::string texto;
        std::string causa;
    } casos[] = {
        {"escalaM: 0.5precision: 2", trasNumero("0.5precision:", "precision:", "0.5")},
        {"escalaM: 0.5precision:2",
         "Advertencia: la palabra \"0.5precision:2\" lleva la etiqueta \"precision:\" "
         "pegada tras el número 0.5 y antes de su valor 2; sepárelos con espacios"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const Lineas salida = construirTexto(kViga + " " + c.texto);
        ASSERT_FALSE(salida.empty());
        EXPECT_EQ(salida[0], c.causa);
        EXPECT_EQ(std::count(salida.begin(), salida.end(), c.causa), 1);
        EXPECT_LT(lugarDe(salida, kSinPrecision), salida.size());
        for (const std::string& linea : salida) {
            EXPECT_EQ(linea.find("punto decimal"), std::string::npos) << linea;
            EXPECT_EQ(linea.find("se parece a"), std::string::npos) << linea;
        }
        EXPECT_EQ(escalaM, 0.5);
        EXPECT_EQ(precision, 3);
    }
}

// The glued word reads as any other word that ends a run: the model is the
// one that a plain word in its place gives.
TEST_F(AvisosDeTablas, EtiquetaPegadaNoCambiaElModelo)
{
    const struct {
        std::string texto;
        std::string pegada;
    } casos[] = {
        {"nudos: 1 0 0 2 4 0 3 8 0 barras: 1 1 2 2 2 3 apoyo: 1 1 1 1 @ P 0 -10 0 3 combo: U 1 P", "2puntual:"},
        {"nudos: 1 0 0 2 4 0 3 8 0 barras: 1 1 2 2 2 @ 1 1 1 1 puntual: P 0 -10 0 3 combo: U 1 P", "3apoyo:"},
        {kViga + " seccionGenerica: G 0.01 1e-4 2.1e8 @ 1", "1barras:"},
        {kViga + " escalaN: 0.5 @ 0.2", "2escalaV:"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pegada);
        const std::size_t marca = c.texto.find('@');
        const std::string conPalabra = std::string(c.texto).replace(marca, 1, "x");
        const std::string conPegada = std::string(c.texto).replace(marca, 1, c.pegada);
        EXPECT_EQ(huellaDe(conPegada), huellaDe(conPalabra));
    }
}

// Notes and descriptions with colons, numbers and tags' names print nothing.
TEST_F(AvisosDeTablas, TextoLibreParecidoNoAvisa)
{
    const std::string textos[] = {
        "Pórtico de 3 vanos: ver nota",
        "unidades: kN y m",
        "nota : ver plano",
        "barras : de acero",
        "nudos : 1 2 son los de abajo",
        "apoyo : 1 empotrado",
        "escala 1:100, h=0.5m: 2 pisos",
        "puntual : según la norma",
        "combo : ver tabla 2",
        "planta 2ª: 3 vanos de 4m",
    };
    for (const std::string& texto : textos) {
        SCOPED_TRACE(texto);
        esperarTraza(construirTexto(texto + "\n" + kViga), kTrazaViga);
        esperarTraza(construirTexto(kViga + "\n" + texto), kTrazaViga);
    }
    // A name the file gives, as a combination's case or a block's name.
    for (const std::string texto : {" combo: S 1 P 2 barras : 1 1 1", " puntual: barras : 1 1 1 2"}) {
        SCOPED_TRACE(texto);
        for (const std::string& linea : construirTexto(kViga + texto)) {
            EXPECT_EQ(linea.find(" aparte;"), std::string::npos) << linea;
        }
    }
}

// A tag misspelt by a letter or two past its end is still named; the longest
// tag takes two.
TEST_F(AvisosDeTablas, EtiquetaLargaConLetrasDeMas)
{
    const std::string sinSeccion = "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 ";
    const Lineas traza = conAvisosEscala({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos,
                                          kCoordBarras, kRect, kGen,
                                          "Advertencia: la barra 1 no tiene sección (de seccionRectangular: o "
                                          "seccionGenerica:); no aporta rigidez"});
    const struct {
        std::string palabra;
        bool nombrada;
    } casos[] = {
        {"seccionRectangularr:", true},
        {"seccionRectangularrr:", true},
        {"seccionRectangulares:", true},
        {"seccionRectangularrrr:", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.palabra);
        const Lineas causa = {"Advertencia: la palabra \"" + c.palabra +
                              "\" se parece a la etiqueta \"seccionRectangular:\"; los datos que la siguen no se leen"};
        esperarTraza(construirTexto(sinSeccion + c.palabra + " V 0.3 0.5 2.1e7 1"),
                     c.nombrada ? antesDe(causa, traza) : traza);
        EXPECT_EQ(barra[0].getModE(), 0);
    }
}

// One cause that gives a line per node, bar or number gives the first few
// lines and one line counting the rest, in each step; the lines it keeps are
// the ones it gives today, and the model is the same.
class AvisosEnSerie : public EstadoLimpio {
protected:
    // The words 1 2 ... n, each after `desde`.
    static std::string numeros(int n, int desde = 0, const std::string& luego = "")
    {
        std::string texto;
        for (int k = 1; k <= n; ++k) texto += " " + std::to_string(desde + k) + luego;
        return texto;
    }
    // The first lines of `n`, given by `linea`, then the count of the rest.
    static Lineas serie(int n, const std::function<std::string(int)>& linea, const std::string& cuenta)
    {
        Lineas salida;
        const int mostradas = n <= 6 ? n : 5;
        for (int k = 1; k <= mostradas; ++k) salida.push_back(linea(k));
        if (mostradas < n)
            salida.push_back(cuenta.substr(0, cuenta.find('#')) + std::to_string(n - 5) +
                             cuenta.substr(cuenta.find('#') + 1));
        return salida;
    }
};

TEST_F(AvisosEnSerie, LasPrimerasLineasYUnaCuenta)
{
    for (int n : {1, 5, 6, 7, 300}) {
        SCOPED_TRACE(n);
        // n bars between n + 1 nodes, every one listed in each block; the
        // node table's tag mistyped, so every bar, support and load is lost.
        std::string nudos;
        for (int k = 1; k <= n + 1; ++k) nudos += " " + std::to_string(k) + " " + std::to_string(k) + " 0";
        std::string barras;
        for (int k = 1; k <= n; ++k) {
            barras += " " + std::to_string(k) + " " + std::to_string(k) + " " + std::to_string(k + 1);
        }
        const Lineas salida = construirTexto("Nudos:" + nudos + " barras:" + barras + " apoyo: 1 1 1" + numeros(n) +
                                        " seccionRectangular: V 0.3 0.5 2e7" + numeros(n) +
                                        " distribuidaLocal: D 0 0 -1 -1" + numeros(n) + " combo: U 1 D");
        const Lineas deBarras = serie(
            n,
            [](int k) {
                return "Advertencia: barras: nombra el nudo " + std::to_string(k) +
                       ", que no está definido; se omite la barra " + std::to_string(k);
            },
            "Advertencia: barras: y otras # filas nombran nudos que no están definidos; se omiten");
        const Lineas deApoyos = serie(
            n,
            [](int k) {
                return "Advertencia: apoyo: nombra el nudo " + std::to_string(k) + ", que no está definido; se omite";
            },
            "Advertencia: apoyo: y otros # nudos que nombra no están definidos; se omiten");
        const Lineas deCargas = serie(
            n,
            [](int k) {
                return "Advertencia: distribuidaLocal: nombra la barra " + std::to_string(k) +
                       ", que se omitió porque su nudo " + std::to_string(k) + " no está definido; se omite";
            },
            "Advertencia: distribuidaLocal: y otras # barras que nombra no están definidas o se omitieron; se omiten");
        Lineas esperadas = {
            "Advertencia: la palabra \"Nudos:\" se parece a la etiqueta \"nudos:\"; los datos que la "
            "siguen no se leen",
            cuentaNudos(0), cuentaBarras(n)};
        esperadas = antesDe(antesDe(esperadas, deBarras), {kBarrasOK, kCoordNudos});
        esperadas = antesDe(antesDe(esperadas, deApoyos), {kApoyos, kCombosNudo});
        esperadas = conAvisosEscala(antesDe(antesDe(esperadas, deCargas), {kLocales, kCombosBarra}));
        esperarTraza(salida, esperadas);
        EXPECT_TRUE(nudo.empty());
        EXPECT_TRUE(barra.empty());
        EXPECT_EQ(noCombos, 1);
    }
}

// Bars that a section lists and the file does not define: the section still
// goes to the bar it can, and to no other.
TEST_F(AvisosEnSerie, BarrasNoDefinidasDeUnaSeccion)
{
    for (int n : {2, 6, 7, 40}) {
        SCOPED_TRACE(n);
        const std::string viga = "nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 seccionGenerica: G 0.01 1e-4 2.1e8 1";
        const Lineas salida = construirTexto(viga + numeros(n, 100));
        const Lineas esperadas = conAvisosEscala(antesDe(
            antesDe({cuentaNudos(2), cuentaBarras(1), kNudosOK, kBarrasOK, kCoordNudos, kApoyos, kCoordBarras, kRect},
                    serie(
                        n,
                        [](int k) {
                            return "Advertencia: seccionGenerica: nombra la barra " + std::to_string(100 + k) +
                                   ", que no está definida; se omite";
                        },
                        "Advertencia: seccionGenerica: y otras # barras que nombra no están definidas o "
                        "se omitieron; se omiten")),
            {kGen}));
        esperarTraza(salida, esperadas);
        const std::string conNoDefinidas = huella();
        EXPECT_EQ(conNoDefinidas, huellaDe(viga));
    }
}

TEST_F(AvisosEnSerie, CadaPasoCuentaLosSuyos)
{
    const Caso casos[] = {
        // Two support blocks are one step: their lines are one series.
        {"dos bloques de apoyos", "nudos: 1 0 0 apoyo: 1 1 1 101 102 103 apoyo: 0 1 0 104 105 106 107 1",
         conAvisosEscala({cuentaNudos(1), cuentaBarras(0), kNudosOK, kCoordNudos,
                          "Advertencia: apoyo: nombra el nudo 101, que no está definido; se omite",
                          "Advertencia: apoyo: nombra el nudo 102, que no está definido; se omite",
                          "Advertencia: apoyo: nombra el nudo 103, que no está definido; se omite",
                          "Advertencia: apoyo: nombra el nudo 104, que no está definido; se omite",
                          "Advertencia: apoyo: nombra el nudo 105, que no está definido; se omite",
                          "Advertencia: apoyo: y otros 2 nudos que nombra no están definidos; se omiten", kApoyos}),
         [] { EXPECT_EQ(nudo[0].getApoyo()(0), 0); }},
        // The table pasted twice: every number repeats.
        {"tabla pegada dos veces",
         "nudos: 1 0 0 2 1 0 3 2 0 4 3 0 5 4 0 6 5 0 7 6 0 nudos: 1 0 0 2 1 0 3 2 0 4 3 0 5 4 0 6 5 0 7 6 9",
         conAvisosEscala({repetida("nudos:", 2), cuentaNudos(14), cuentaBarras(0),
                          "Advertencia: el número 1 se repite en nudos:; vale la última fila",
                          "Advertencia: el número 2 se repite en nudos:; vale la última fila",
                          "Advertencia: el número 3 se repite en nudos:; vale la última fila",
                          "Advertencia: el número 4 se repite en nudos:; vale la última fila",
                          "Advertencia: el número 5 se repite en nudos:; vale la última fila",
                          "Advertencia: y otros 2 números se repiten en nudos:; vale la última fila de cada uno",
                          kNudosOK, kCoordNudos}),
         [] {
             ASSERT_EQ(noNudos, 7);
             EXPECT_EQ(nudo[6].getY(), 9);
         }},
        // Rows whose own number no int holds.
        {"números de nudo no válidos", "nudos: 1e10 0 0 2e10 0 0 3e10 0 0 4e10 0 0 5e10 0 0 6e10 0 0 7e10 0 0 1 0 0",
         conAvisosEscala({cuentaNudos(8), cuentaBarras(0),
                          "Advertencia: nudos: el número 10000000000 no es un número de nudo válido; se omite la fila",
                          "Advertencia: nudos: el número 20000000000 no es un número de nudo válido; se omite la fila",
                          "Advertencia: nudos: el número 30000000000 no es un número de nudo válido; se omite la fila",
                          "Advertencia: nudos: el número 40000000000 no es un número de nudo válido; se omite la fila",
                          "Advertencia: nudos: el número 50000000000 no es un número de nudo válido; se omite la fila",
                          "Advertencia: nudos: y otros 2 números no son números de nudo válidos; se omiten sus filas",
                          kNudosOK, kCoordNudos}),
         [] { ASSERT_EQ(noNudos, 1); }},
        // Separate steps each print their own first lines.
        {"apoyos y cargas puntuales, cada uno los suyos",
         "nudos: 1 0 0 apoyo: 1 1 1 11 12 13 14 15 16 17 puntual: P 0 -1 0 21 22 23 24 25 26 27 28",
         conAvisosEscala({cuentaNudos(1), cuentaBarras(0), kNudosOK, kCoordNudos,
                          "Advertencia: apoyo: nombra el nudo 11, que no está definido; se omite",
                          "Advertencia: apoyo: nombra el nudo 12, que no está definido; se omite",
                          "Advertencia: apoyo: nombra el nudo 13, que no está definido; se omite",
                          "Advertencia: apoyo: nombra el nudo 14, que no está definido; se omite",
                          "Advertencia: apoyo: nombra el nudo 15, que no está definido; se omite",
                          "Advertencia: apoyo: y otros 2 nudos que nombra no están definidos; se omiten", kApoyos,
                          "Advertencia: puntual: nombra el nudo 21, que no está definido; se omite",
                          "Advertencia: puntual: nombra el nudo 22, que no está definido; se omite",
                          "Advertencia: puntual: nombra el nudo 23, que no está definido; se omite",
                          "Advertencia: puntual: nombra el nudo 24, que no está definido; se omite",
                          "Advertencia: puntual: nombra el nudo 25, que no está definido; se omite",
                          "Advertencia: puntual: y otros 3 nudos que nombra no están definidos; se omiten", kPuntuales,
                          "Advertencia: el caso de carga P no está en ninguna combinación; sus cargas no se usan"})},
    };
    for (const Caso& c : casos) construirCaso(c);
}

}  // namespace
