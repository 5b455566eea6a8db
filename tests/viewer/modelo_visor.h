#pragma once

// Small models for the viewer tests, built through the node and bar setters
// as the builder leaves a model (every node and bar holds every combination,
// without loads), and the program's state put back as the window finds it
// when it opens on an empty model with the builder's display settings.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "elementosPlot.h"
#include "funcionPlot.h"
#include "vardel2d.h"

struct NudoPrueba {
    double x, y;
    int numero = 0;
    int ax = 0, ay = 0, ag = 0;
    double kx = 0, ky = 0, kg = 0;
};

struct BarraPrueba {
    int inicio, fin;  // internal node numbers
    int numero = 0;
    std::string seccion{};
};

inline void fijarModelo(const std::vector<NudoPrueba>& nudos, const std::vector<BarraPrueba>& barras = {},
                        const std::vector<std::string>& combos = {})
{
    nudo.assign(nudos.size(), objNudo2d());
    for (size_t i = 0; i < nudos.size(); ++i) {
        const NudoPrueba& n = nudos[i];
        nudo[i].setNumeroNudoUsuario(n.numero);
        nudo[i].setNumeroDeNudo(static_cast<int>(i));
        nudo[i].setCoordenadas(n.x, n.y);
        nudo[i].setApoyo(n.ax, n.ay, n.ag);
        nudo[i].setResorte(n.kx, n.ky, n.kg);
        for (const std::string& c : combos) nudo[i].setCombo(c, 1.0, "sin cargas");
    }
    barra.assign(barras.size(), objBarra2d());
    for (size_t j = 0; j < barras.size(); ++j) {
        const BarraPrueba& b = barras[j];
        barra[j].resetFlags();
        barra[j].setNumeroBarraUsuario(b.numero);
        barra[j].setNudoInicio(b.inicio, nudo[b.inicio].getX(), nudo[b.inicio].getY());
        barra[j].setNudoFinal(b.fin, nudo[b.fin].getX(), nudo[b.fin].getY());
        if (!b.seccion.empty()) barra[j].setNombreDeSeccion(b.seccion);
        for (const std::string& c : combos) barra[j].setCombo(c, 1.0, "sin cargas");
    }
    noNudos = static_cast<int>(nudo.size());
    noBarras = static_cast<int>(barra.size());
    noCombos = static_cast<int>(combos.size());
    EXPECT_TRUE(modeloComoLoDejaElConstructor());
}

inline void reiniciarVisor()
{
    estadoDeArranque();
    ajustesPorDefecto();
    estadoDeApertura();
}
