#pragma once

#include <string>

// A file of the given contents under a fresh unique name in /tmp, removed
// when this goes. Shared by the tests and the benchmark, so it needs no GTest.
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
