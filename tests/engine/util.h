#pragma once

// Small fixtures of the engine tests: an input file written for one test, and
// the standard output of a call.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class ArchivoTemporal {
public:
    explicit ArchivoTemporal(const std::string& contenido);
    ~ArchivoTemporal();
    ArchivoTemporal(const ArchivoTemporal&) = delete;
    ArchivoTemporal& operator=(const ArchivoTemporal&) = delete;
    const std::string& ruta() const { return ruta_; }

private:
    std::string ruta_;
};

// Everything the call writes to standard output.
std::string salidaDe(const std::function<void()>& llamada);

// The output split into lines (without the line ends).
std::vector<std::string> lineas(const std::string& texto);

// Empties the model and the solver's tables, as before a fresh run.
void vaciarModelo();
