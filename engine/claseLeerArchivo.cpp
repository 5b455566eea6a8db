#include "claseLeerArchivo.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>

double convertirReal(const std::string& palabra)
{
    const char* inicio = palabra.c_str();
    char* fin = nullptr;
    errno = 0;
    const double valor = std::strtod(inicio, &fin);
    if (fin == inicio) {
        std::cout << "Advertencia: la palabra \"" << palabra << "\" no es un número; se lee como 0" << std::endl;
        return 0.0;
    }
    // Beyond the range of a double strtod gives ±infinity, which no result survives.
    if (errno == ERANGE && std::isinf(valor)) {
        std::cout << "Advertencia: la palabra \"" << palabra << "\" excede el rango de los reales; se lee como "
                  << valor << std::endl;
    }
    return valor;
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

// A cursor over the file's words, in file order.
class Palabras {
public:
    explicit Palabras(const std::vector<std::string>& palabras) : todas(palabras) {}
    bool siguiente(std::string& palabra)
    {
        if (pos >= todas.size()) return false;
        palabra = todas[pos++];
        return true;
    }
    void irA(std::size_t p) { pos = p; }

private:
    const std::vector<std::string>& todas;
    std::size_t pos = 0;
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

// Places the cursor right after the n-th occurrence; false when there is none.
bool irAOcurrencia(Palabras& p, const std::vector<std::size_t>& ocurrencias, int n)
{
    if (n < 1 || static_cast<std::size_t>(n) > ocurrencias.size()) return false;
    p.irA(ocurrencias[n - 1] + 1);
    return true;
}

// The word after the last occurrence of the tag; a word read as a value is not
// itself taken as an occurrence. False when no occurrence is followed by a word.
bool ultimoValor(Palabras& p, const std::string& etiqueta, std::string& valor)
{
    std::string palabra;
    bool hallado = false;
    while (p.siguiente(palabra)) {
        if (palabra == etiqueta && p.siguiente(valor)) hallado = true;
    }
    return hallado;
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

const std::vector<std::string>& claseLeerArchivo::palabras()
{
    std::error_code error;
    const std::uintmax_t tamano = std::filesystem::file_size(nombreArchivo, error);
    const std::filesystem::file_time_type fecha = std::filesystem::last_write_time(nombreArchivo, error);
    if (leido && archivoLeido == nombreArchivo && tamanoLeido == tamano && fechaLeida == fecha) {
        return palabrasLeidas;
    }
    // The input file is only ever read: a read-only file reads like any other,
    // a missing one like an empty one.
    palabrasLeidas.clear();
    posiciones.clear();
    std::ifstream archivo(nombreArchivo);
    std::string palabra;
    while (archivo >> palabra) palabrasLeidas.push_back(palabra);
    leido = true;
    archivoLeido = nombreArchivo;
    tamanoLeido = tamano;
    fechaLeida = fecha;
    return palabrasLeidas;
}

const std::vector<std::size_t>& claseLeerArchivo::ocurrencias(const std::string& etiqueta)
{
    const std::vector<std::string>& todas = palabras();
    auto hallada = posiciones.find(etiqueta);
    if (hallada != posiciones.end()) return hallada->second;
    std::vector<std::size_t>& lista = posiciones[etiqueta];
    for (std::size_t i = 0; i < todas.size(); ++i) {
        if (todas[i] == etiqueta) lista.push_back(i);
    }
    return lista;
}

bool claseLeerArchivo::esNumero(std::string palabra)
{
    return palabra.find_first_not_of("1234567890+-.e") == std::string::npos;
}

int claseLeerArchivo::getNoEtiquetas(std::string etiqueta)
{
    return static_cast<int>(ocurrencias(etiqueta).size());
}

int claseLeerArchivo::getEntero(std::string etiqueta)
{
    std::string valor;
    Palabras p(palabras());
    if (!ultimoValor(p, etiqueta, valor)) {
        std::cout << "Advertencia: no se encontró ningún entero con etiqueta " << etiqueta << std::endl;
        return -1;
    }
    return convertirEntero(valor);
}

double claseLeerArchivo::getReal(std::string etiqueta)
{
    std::string valor;
    Palabras p(palabras());
    if (!ultimoValor(p, etiqueta, valor)) {
        std::cout << "Advertencia: no se encontró ningún real con etiqueta " << etiqueta << std::endl;
        return -1.0;
    }
    return convertirReal(valor);
}

std::string claseLeerArchivo::getString(std::string etiqueta, int n)
{
    Palabras p(palabras());
    std::string palabra;
    if (irAOcurrencia(p, ocurrencias(etiqueta), n) && p.siguiente(palabra)) return palabra;
    return "";
}

// Repeated tag: the runs of all occurrences are joined in file order, exactly
// the number words that the count saw, so the table never takes a word that is
// no number nor reads past the file. A tag given once reads as the plain run.
Eigen::MatrixXd claseLeerArchivo::getMatriz(std::string etiqueta, int columnas)
{
    Palabras p(palabras());
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
    Palabras p(palabras());
    if (!irAOcurrencia(p, ocurrencias(etiqueta), n) || !saltar(p, salto)) return corrida;
    std::string palabra;
    while (p.siguiente(palabra) && esNumero(palabra)) corrida.push_back(convertirReal(palabra));
    return corrida;
}

namespace {

// The factor-and-name pairs after the cursor, until a factor place holds no number.
ListaDeFactores leerFactores(claseLeerArchivo& lector, Palabras& p)
{
    ListaDeFactores lista;
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
    Palabras p(palabras());
    if (!irAOcurrencia(p, ocurrencias(etiqueta), n) || !saltar(p, salto)) return factores;
    for (const std::string& f : leerFactores(*this, p).factores) factores.push_back(convertirReal(f));
    return factores;
}

std::vector<std::string> claseLeerArchivo::getNombresDeFactores(std::string etiqueta, int n, int salto)
{
    Palabras p(palabras());
    if (!irAOcurrencia(p, ocurrencias(etiqueta), n) || !saltar(p, salto)) return {};
    return leerFactores(*this, p).nombres;
}
