#include "traza.h"

#include <algorithm>

#include "archivoTemporal.h"
#include "util.h"
#include "vardel2d.h"

std::string conDecimales(const std::string& palabra, const std::string& etiqueta, const std::string& tomado)
{
    return "Advertencia: la palabra \"" + palabra + "\" de \"" + etiqueta + "\" no es un número entero; se toma como " +
           tomado;
}

Lineas construir(const std::string& ruta)
{
    vaciarModelo();
    nombreArchivo = ruta;
    return lineas(salidaDe(funcionLeerArchivo));
}

Lineas construirTexto(const std::string& contenido)
{
    ArchivoTemporal archivo(contenido);
    return construir(archivo.ruta());
}

void esperarTraza(const Lineas& obtenida, const Lineas& esperada)
{
    EXPECT_EQ(obtenida.size(), esperada.size());
    for (std::size_t i = 0; i < std::max(obtenida.size(), esperada.size()); ++i) {
        EXPECT_EQ(i < obtenida.size() ? obtenida[i] : "<falta>", i < esperada.size() ? esperada[i] : "<sobra>")
            << "línea " << i;
    }
}

void esperarCombosCoherentes()
{
    for (const objNudo2d& n : nudo) EXPECT_EQ(n.getCantidadDeCombos(), noCombos);
    for (const objBarra2d& b : barra) EXPECT_EQ(b.getMatrizCargasCombo().rows(), noCombos);
    EXPECT_EQ(static_cast<int>(nudo.size()), noNudos);
    EXPECT_EQ(static_cast<int>(barra.size()), noBarras);
}

void construirCaso(const Caso& c)
{
    SCOPED_TRACE(c.nombre);
    esperarTraza(construirTexto(c.contenido), c.traza);
    esperarCombosCoherentes();
    c.comprobar();
}
