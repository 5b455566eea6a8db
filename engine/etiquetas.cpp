#include "etiquetas.h"

#include <vector>


const std::string& etiqueta(NombreDeEtiqueta nombre)
{
    static const std::vector<std::string> textos = [] {
        std::vector<std::string> deLosBloques;
        for (int k = 0; k < primerAjuste; ++k) deLosBloques.push_back(etiquetas[k].texto);
        return deLosBloques;
    }();
    return textos[nombre];
}

const Etiqueta* etiquetaDe(const std::string& palabra)
{
    for (const Etiqueta& e : etiquetas) {
        if (palabra == e.texto) return &e;
    }
    return nullptr;
}

bool esEtiqueta(const std::string& palabra) { return etiquetaDe(palabra) != nullptr; }
