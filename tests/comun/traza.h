#pragma once

// The builder's trace as the engine tests expect it: its fixed lines, the
// lines that name a whole model's mistakes, and the helpers that build a
// model from a file and compare its trace line by line.

#include <functional>
#include <string>
#include <utility>
#include <vector>

using Lineas = std::vector<std::string>;

inline const std::string kNudosOK = "punteros de nudos internos OK";
inline const std::string kBarrasOK = "puntero de barras internas OK";
inline const std::string kCoordNudos = "transferencia de coord a nudos[i] OK";
inline const std::string kApoyos = "transferencia de apoyos a nudo[i] OK";
inline const std::string kResortes = "transferencia de resortes a nudo[i] OK";
inline const std::string kPuntuales = "transferencia de cargas puntuales a nudo[i] OK";
inline const std::string kCombosNudo = "transferencia de combos a nudo[i] OK";
inline const std::string kCoordBarras = "transferencia de coord a barra[i] OK";
inline const std::string kRect = "transferencia de secciones rect a barra[i] OK";
inline const std::string kGen = "transferencia de secciones gen a barra[i] OK";
inline const std::string kLocales = "transferencia de cargas Locales a barra[i] OK";
inline const std::string kGlobales = "transferencia de cargas globales a barra[i] OK";
inline const std::string kCombosBarra = "transferencia de combos a barra[i] OK";
inline const std::string kSinApoyos =
    "Advertencia: ningún nudo tiene apoyo ni resorte (apoyo: o resorte:); la estructura no está sujeta";
inline const std::string kSinTablaDeNudos =
    "Advertencia: el archivo no tiene la tabla \"nudos:\"; el modelo queda sin nudos";

inline std::string cuentaNudos(int n) { return "lectura de nudos OK Num Nudos = " + std::to_string(n); }
inline std::string cuentaBarras(int n) { return "lectura de barras OK Num Barras = " + std::to_string(n); }

inline std::string avisoReal(const std::string& etiqueta)
{
    return "Advertencia: no se encontró ningún real con etiqueta " + etiqueta;
}

// The reader's lines for the eight display settings, all missing, in order.
// Inline, as the tests' own tables are built from it as they start.
inline const Lineas kAvisosEscala = {
    avisoReal("escalaDeflexion:"), avisoReal("escalaM:"),     avisoReal("escalaV:"),
    avisoReal("escalaN:"),         avisoReal("escalaTexto:"), avisoReal("escalaApoyo:"),
    "Advertencia: no se encontró ningún entero con etiqueta precision:", avisoReal("escalaCarga:")};

// The lines of a cause, then the trace they come before.
inline Lineas antesDe(Lineas causas, const Lineas& traza)
{
    causas.insert(causas.end(), traza.begin(), traza.end());
    return causas;
}

// The trace, then kAvisosEscala.
inline Lineas conAvisosEscala(Lineas traza) { return antesDe(std::move(traza), kAvisosEscala); }

// The line of a user number written with a fraction.
std::string conDecimales(const std::string& palabra, const std::string& etiqueta, const std::string& tomado);

// Builds the model of the file at `ruta` from an empty model; returns the trace.
Lineas construir(const std::string& ruta);

// The same for a file holding `contenido`.
Lineas construirTexto(const std::string& contenido);

// One failure per line that differs, with its number.
void esperarTraza(const Lineas& obtenida, const Lineas& esperada);

// Every node and bar holds noCombos combinations, so nothing downstream reads past a table.
void esperarCombosCoherentes();

// A file's contents, the trace it gives and a check of the model it builds.
struct Caso {
    const char* nombre;
    std::string contenido;
    Lineas traza;
    std::function<void()> comprobar = [] {};
};

// Builds the case's file and checks its trace, the combinations' tables and
// the model.
void construirCaso(const Caso& c);
