#pragma once

// The builder's trace, as the tests of the builder expect it: its fixed lines,
// the reader's lines for display settings that the file lacks, and the check
// of a whole trace line by line. Inline, so that a test file's own constants
// built from these are initialised after them.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

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

inline std::string cuentaNudos(int n)
{
    return "lectura de nudos OK Num Nudos = " + std::to_string(n);
}
inline std::string cuentaBarras(int n)
{
    return "lectura de barras OK Num Barras = " + std::to_string(n);
}

inline std::string avisoReal(const std::string& etiqueta)
{
    return "Advertencia: no se encontró ningún real con etiqueta " + etiqueta;
}

inline const Lineas kAvisosEscala = {avisoReal("escalaDeflexion:"),
                                     avisoReal("escalaM:"),
                                     avisoReal("escalaV:"),
                                     avisoReal("escalaN:"),
                                     avisoReal("escalaTexto:"),
                                     avisoReal("escalaApoyo:"),
                                     "Advertencia: no se encontró ningún entero con etiqueta precision:",
                                     avisoReal("escalaCarga:")};

// The lines of a cause, then the trace they come before.
inline Lineas antesDe(Lineas causas, const Lineas& traza)
{
    causas.insert(causas.end(), traza.begin(), traza.end());
    return causas;
}

inline Lineas conAvisosEscala(Lineas traza)
{
    return antesDe(std::move(traza), kAvisosEscala);
}

inline void esperarTraza(const Lineas& obtenida, const Lineas& esperada)
{
    EXPECT_EQ(obtenida.size(), esperada.size());
    for (std::size_t i = 0; i < std::max(obtenida.size(), esperada.size()); ++i) {
        EXPECT_EQ(i < obtenida.size() ? obtenida[i] : "<falta>", i < esperada.size() ? esperada[i] : "<sobra>")
            << "línea " << i;
    }
}
