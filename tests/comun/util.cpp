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

void estadoDeArranque()
{
    vaciarModelo();
    nombreArchivo.clear();
    escalaDef = escalaM = escalaV = escalaN = escalaTexto = escalaCarga = escalaApoyo = 0;
    precision = 0;
    xMin = xMax = yMin = yMax = 0;
    xCam = yCam = zCam = xCentroObj = yCentroObj = 0;
    clickIzq = xLast = yLast = 0;
    dialogo = "Comando:";
    comando.clear();
    flags.assign(200, 0);
    if (resultados.is_open()) resultados.close();
    resultados.clear();
    numeroComboCoincidente = -1;
}

std::string leerYResolver(const std::string& ruta)
{
    nombreArchivo = ruta;
    salidaDe(funcionLeerArchivo);
    return salidaDe(funcionSolucionU);
}
