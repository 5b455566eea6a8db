#include "archivoTemporal.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

ArchivoTemporal::ArchivoTemporal(const std::string& contenido)
{
    char plantilla[] = "/tmp/vardel2d_prueba_XXXXXX";
    const int fd = mkstemp(plantilla);
    if (fd < 0) throw std::runtime_error("no temporary file");
    close(fd);
    ruta_ = plantilla;
    std::ofstream archivo(ruta_, std::ios::binary);
    archivo << contenido;
    if (!archivo) throw std::runtime_error("cannot write " + ruta_);
}

ArchivoTemporal::~ArchivoTemporal()
{
    std::remove(ruta_.c_str());
}
