#pragma once

// The builder's fixed trace lines, one per step, as the engine tests expect
// them in its output.

#include <string>
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
