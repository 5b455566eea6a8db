#include "util.h"

#include <sstream>

#include "vardel2d.h"

std::string salidaDe(const std::function<void()>& llamada)
{
    ::testing::internal::CaptureStdout();
    llamada();
    return ::testing::internal::GetCapturedStdout();
}

std::vector<std::string> lineas(const std::string& texto)
{
    std::vector<std::string> r;
    std::istringstream in(texto);
    std::string linea;
    while (std::getline(in, linea)) r.push_back(linea);
    return r;
}

void vaciarModelo() { estadoDeArranque(); }

std::string leerYResolver(const std::string& ruta)
{
    nombreArchivo = ruta;
    salidaDe(funcionLeerArchivo);
    return salidaDe(funcionSolucionU);
}
