#pragma once

// Helpers of the engine and viewer tests: input files written for one test,
// the standard output of a call, and the program-wide state put back as the
// program starts, before and after every test.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "archivoTemporal.h"
#include "vardel2d.h"

// Everything the call writes to standard output.
std::string salidaDe(const std::function<void()>& llamada);

// The output split into lines (without the line ends).
std::vector<std::string> lineas(const std::string& texto);

// The state of a fresh process (estadoDeArranque), for a test that builds
// several models in turn.
void vaciarModelo();

// Reads and solves the file at `ruta` as the program does; returns what the
// solver printed, the builder's trace kept off the test's output.
std::string leerYResolver(const std::string& ruta);

// Fixture of every suite: each test starts from the state of a fresh process
// (estadoDeArranque) and leaves it so, whatever order the tests run in.
class EstadoLimpio : public ::testing::Test {
protected:
    void SetUp() override { estadoDeArranque(); }
    void TearDown() override { estadoDeArranque(); }
};
