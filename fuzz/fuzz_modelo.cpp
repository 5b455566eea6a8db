// Fuzzes everything an input file reaches: the model builder, the solver under
// the start-up count test, the results report and every result query of every
// node and bar, for every combination and one index on each side of them.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "vardel2d.h"

namespace {

std::string rutaEntrada;

void consultarNudo(const objNudo2d& n, int c)
{
    volatile double suma = n.getPxCombo(c) + n.getPyCombo(c) + n.getMzCombo(c) + n.getDesplazamientoX(c) +
                           n.getDesplazamientoY(c) + n.getGiroZ(c) + n.getReaccionX(c) + n.getReaccionY(c) +
                           n.getReaccionM(c);
    (void)suma;
    (void)n.getNombreCombo(c);
}

void consultarBarra(objBarra2d& b, int c)
{
    (void)b.getSolicitacionAxial(c, 21);
    (void)b.getSolicitacionCortante(c, 21);
    (void)b.getSolicitacionMomento(c, 2);
    (void)b.getBarraDeformada(c, 21, 100.0);
    (void)b.getSolicitacionMomento(c, 1);
    volatile double x = b.getXvcero(c) + b.getMmax(c) + b.getFInicioCombo(c) + b.getFFinCombo(c) +
                        b.getQInicioCombo(c) + b.getQFinCombo(c);
    (void)x;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The trace of every input would drown the fuzzer's own output; the report
    // file goes to a scratch directory.
    if (!std::freopen("/dev/null", "w", stdout)) std::abort();
    char plantilla[] = "/tmp/vardel2d_fuzz_XXXXXX";
    if (!mkdtemp(plantilla) || chdir(plantilla) != 0) std::abort();
    rutaEntrada = std::string(plantilla) + "/entrada.txt";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano)
{
    std::ofstream(rutaEntrada, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(datos), static_cast<std::streamsize>(tamano));

    // Every input is a fresh start of the program on that file.
    estadoDeArranque();
    char programa[] = "fuzz_modelo";
    char* argv[] = {programa, rutaEntrada.data(), nullptr};
    funcionInicio(2, argv);
    funcionImprimirResultados();

    for (int c = -1; c <= noCombos; ++c) {
        for (const objNudo2d& n : nudo) consultarNudo(n, c);
        for (objBarra2d& b : barra) consultarBarra(b, c);
    }
    return 0;
}
