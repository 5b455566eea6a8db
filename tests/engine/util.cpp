#include "util.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "vardel2d.h"

ArchivoTemporal::ArchivoTemporal(const std::string& contenido)
{
    char plantilla[] = "/tmp/vardel2d_prueba_XXXXXX";
    const int fd = mkstemp(plantilla);
    EXPECT_GE(fd, 0);
    close(fd);
    ruta_ = plantilla;
    std::ofstream(ruta_, std::ios::binary) << contenido;
}

ArchivoTemporal::~ArchivoTemporal()
{
    std::remove(ruta_.c_str());
}

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

void vaciarModelo()
{
    nudo.clear();
    barra.clear();
    noNudos = noBarras = noCombos = noLibres = 0;
    kEstructura.resize(0, 0);
    kLL.resize(0, 0);
    pL.resize(0, 0);
    pCombo.resize(0, 0);
    gdlLibres.clear();
    uLibres.resize(0, 0);
    u.resize(0, 0);
    reacciones.resize(0, 0);
}
