#include "claseLeerArchivo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>

double convertirReal(const std::string& palabra)
{
    const char* inicio = palabra.c_str();
    char* fin = nullptr;
    double valor = std::strtod(inicio, &fin);
    if (fin == inicio) {
        std::cout << "Advertencia: la palabra \"" << palabra << "\" no es un número; se lee como 0" << std::endl;
        return 0.0;
    }
    return valor;  // out of range: strtod's own ±HUGE_VAL or denormal/zero
}

int convertirEntero(const std::string& palabra)
{
    const char* inicio = palabra.c_str();
    char* fin = nullptr;
    errno = 0;
    long valor = std::strtol(inicio, &fin, 10);
    if (fin == inicio) {
        std::cout << "Advertencia: la palabra \"" << palabra << "\" no es un número; se lee como 0" << std::endl;
        return 0;
    }
    // strtol already clamps to the range of long; narrow the same way to int.
    if (valor > INT_MAX) return INT_MAX;
    if (valor < INT_MIN) return INT_MIN;
    return static_cast<int>(valor);
}

namespace {

// The input file is only ever read: a read-only file reads like any other,
// a missing one like an empty one.
class Palabras {
public:
    explicit Palabras(const std::string& nombre) : archivo(nombre) {}
    bool siguiente(std::string& palabra) { return static_cast<bool>(archivo >> palabra); }

private:
    std::ifstream archivo;
};

// Skips `salto` words; false when the file ends first.
bool saltar(Palabras& p, int salto)
{
    std::string palabra;
    for (int i = 0; i < salto; ++i) {
        if (!p.siguiente(palabra)) return false;
    }
    return true;
}

// Advances to the n-th occurrence of the tag; false when there is none.
bool buscarOcurrencia(Palabras& p, const std::string& etiqueta, int n)
{
    if (n < 1) return false;
    std::string palabra;
    int vistas = 0;
    while (p.siguiente(palabra)) {
        if (palabra == etiqueta && ++vistas == n) return true;
    }
    return false;
}

struct ListaDeFactores {
    std::vector<std::string> factores;
    std::vector<std::string> nombres;
};

}  // namespace

claseLeerArchivo::claseLeerArchivo() = default;

void claseLeerArchivo::setNombreArchivo(std::string nombre)
{
    nombreArchivo = nombre;
}

bool claseLeerArchivo::esNumero(std::string palabra)
{
    return palabra.find_first_not_of("1234567890+-.e") == std::string::npos;
}

int claseLeerArchivo::getNoEtiquetas(std::string etiqueta)
{
    Palabras p(nombreArchivo);
    std::string palabra;
    int cuenta = 0;
    while (p.siguiente(palabra)) {
        if (palabra == etiqueta) ++cuenta;
    }
    return cuenta;
}

int claseLeerArchivo::getEntero(std::string etiqueta)
{
    Palabras p(nombreArchivo);
    std::string palabra;
    std::string valor;
    bool hallado = false;
    while (p.siguiente(palabra)) {
        if (palabra == etiqueta && p.siguiente(valor)) hallado = true;
    }
    if (!hallado) {
        std::cout << "Advertencia: no se encontró ningún entero con etiqueta " << etiqueta << std::endl;
        return -1;
    }
    return convertirEntero(valor);
}

double claseLeerArchivo::getReal(std::string etiqueta)
{
    Palabras p(nombreArchivo);
    std::string palabra;
    std::string valor;
    bool hallado = false;
    while (p.siguiente(palabra)) {
        if (palabra == etiqueta && p.siguiente(valor)) hallado = true;
    }
    if (!hallado) {
        std::cout << "Advertencia: no se encontró ningún real con etiqueta " << etiqueta << std::endl;
        return -1.0;
    }
    return convertirReal(valor);
}

std::string claseLeerArchivo::getString(std::string etiqueta, int n)
{
    Palabras p(nombreArchivo);
    std::string palabra;
    if (buscarOcurrencia(p, etiqueta, n) && p.siguiente(palabra)) return palabra;
    return "";
}

// Repeated tag: the runs of all occurrences are joined in file order, exactly
// the number words that the count saw, so the table never takes a word that is
// no number nor reads past the file. A tag given once reads as the plain run.
Eigen::MatrixXd claseLeerArchivo::getMatriz(std::string etiqueta, int columnas)
{
    Palabras p(nombreArchivo);
    std::string palabra;
    std::vector<std::string> numeros;
    while (p.siguiente(palabra)) {
        if (palabra != etiqueta) continue;
        while (p.siguiente(palabra) && esNumero(palabra)) numeros.push_back(palabra);
    }

    const int cuenta = static_cast<int>(numeros.size());
    if (columnas < 1 || cuenta % columnas != 0) {
        std::cout << "Faltan datos para completar la matriz " << etiqueta << std::endl;
        return Eigen::MatrixXd(0, 0);
    }
    const int filas = cuenta / columnas;
    Eigen::MatrixXd matriz(filas, columnas);
    for (int k = 0; k < cuenta; ++k) {
        matriz(k / columnas, k % columnas) = convertirReal(numeros[k]);
    }
    return matriz;
}

std::vector<double> claseLeerArchivo::getMatrizEtiquetaRepetida(std::string etiqueta, int n, int salto)
{
    std::vector<double> corrida;
    Palabras p(nombreArchivo);
    if (!buscarOcurrencia(p, etiqueta, n) || !saltar(p, salto)) return corrida;
    std::string palabra;
    while (p.siguiente(palabra) && esNumero(palabra)) corrida.push_back(convertirReal(palabra));
    return corrida;
}

namespace {

ListaDeFactores leerFactores(claseLeerArchivo& lector, const std::string& archivo,
                             const std::string& etiqueta, int n, int salto)
{
    ListaDeFactores lista;
    Palabras p(archivo);
    if (!buscarOcurrencia(p, etiqueta, n) || !saltar(p, salto)) return lista;
    std::string factor;
    std::string nombre;
    while (p.siguiente(factor) && lector.esNumero(factor) && p.siguiente(nombre)) {
        lista.factores.push_back(factor);
        lista.nombres.push_back(nombre);
    }
    return lista;
}

}  // namespace

std::vector<double> claseLeerArchivo::getFactoresEtiqueta(std::string etiqueta, int n, int salto)
{
    std::vector<double> factores;
    for (const std::string& f : leerFactores(*this, nombreArchivo, etiqueta, n, salto).factores) {
        factores.push_back(convertirReal(f));
    }
    return factores;
}

std::vector<std::string> claseLeerArchivo::getNombresDeFactores(std::string etiqueta, int n, int salto)
{
    return leerFactores(*this, nombreArchivo, etiqueta, n, salto).nombres;
}
