// Assembly and solution of the structure for every combination at once by the
// direct stiffness method. Reads the builder's model (noNudos, noBarras,
// noCombos, nudo, barra); writes the solver's tables (kEstructura, pCombo,
// gdlLibres, noLibres, kLL, pL, uLibres, u, reacciones) and every node's and
// bar's results.

#include "vardel2d.h"

#include <cassert>
#include <climits>
#include <iostream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include <Eigen/LU>

#include "claseLeerArchivo.h"

namespace {

// A model whose tables do not fit: no tables, no results, one line.
void renunciarPorTamano()
{
    vaciarTablasDelSolver();
    std::cout << "Advertencia: el modelo es demasiado grande para resolverlo en memoria" << std::endl;
}

// Each bar's global stiffness at its degrees of freedom, before any bar is
// asked for its loads: the loads use the transformation the bar forms with its
// stiffness.
void sumarRigidecesDeBarras()
{
    for (objBarra2d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        kEstructura(g, g) += b.getKGlobal();
    }
}

// Each bar's equivalent nodal loads, global axes, one column per combination.
void sumarCargasDeBarras()
{
    for (objBarra2d& b : barra) {
        const Eigen::MatrixXd P = b.getCargasEquivalentesGlobales();
        pCombo(b.getGdl(), Eigen::all) += P;
    }
}

// The node's table has one row per combination, so it enters transposed.
// Without combinations it has no columns either, and nothing to add.
void sumarCargasDeNudos()
{
    if (noCombos == 0) return;
    for (objNudo2d& nd : nudo) pCombo(nd.getGdl(), Eigen::all) += nd.getCargasGlobales().transpose();
}

// Springs on the diagonal, after all bars.
void sumarResortes()
{
    for (objNudo2d& nd : nudo) {
        const Eigen::Vector3i g = nd.getGdl();
        kEstructura(g(0), g(0)) += nd.getResorteX();
        kEstructura(g(1), g(1)) += nd.getResorteY();
        kEstructura(g(2), g(2)) += nd.getResorteGiro();
    }
}

// Support code 0 only is free; any other code holds.
void listarGradosLibres()
{
    for (objNudo2d& nd : nudo) {
        const Eigen::Vector3i g = nd.getGdl();
        const Eigen::Vector3i apoyo = nd.getApoyo();
        for (int d = 0; d < 3; ++d) {
            if (apoyo(d) == 0) gdlLibres.push_back(g(d));
        }
    }
    noLibres = static_cast<int>(gdlLibres.size());
}

// kLL·uLibres = pL, one decomposition for every combination; returns the rank
// of kLL. Without a free degree of freedom there is nothing to decompose.
int resolverGradosLibres()
{
    if (noLibres == 0) {
        uLibres.resize(0, noCombos);
        return noLibres;
    }
    const Eigen::FullPivLU<Eigen::MatrixXd> lu = kLL.fullPivLu();
    // Eigen's triangular solve must not be handed a right-hand side without columns.
    if (noCombos > 0) {
        uLibres = lu.solve(pL);
    } else {
        uLibres.resize(noLibres, 0);
    }
    return static_cast<int>(lu.rank());
}

// Combinations whose displacements or reactions are not all finite: finite
// input that overflows on the way (E·I, a length, a factored load).
std::vector<int> combinacionesNoFinitas()
{
    std::vector<int> noFinitas;
    for (int c = 0; c < u.cols(); ++c) {
        if (!u.col(c).allFinite() || !reacciones.col(c).allFinite()) noFinitas.push_back(c);
    }
    return noFinitas;
}

// "la combinación A" or "las combinaciones A, B y C": the names quoted short
// and a long list cut, so that one line stays one line.
std::string nombrarCombinaciones(const std::vector<int>& combos)
{
    std::vector<std::string> nombres;
    for (int c : combos) nombres.push_back(citar(nudo[0].getNombreCombo(c)));
    return (combos.size() == 1 ? "la combinación " : "las combinaciones ") + enumerar(nombres);
}

// Combinations whose solution leaves the free equations unbalanced. The
// measure is the normwise backward error of each column,
//   η_c = ‖kLL·u_c − p_c‖∞ / (‖kLL‖∞·‖u_c‖∞ + ‖p_c‖∞).
// Full-pivoting LU is backward stable: a combination it solves leaves η_c at
// rounding level, n·ε or below (2e-16 on a frame of 1 200 free degrees of
// freedom that drops 400 rotations of negligible stiffness), while loads on a
// part without stiffness stay unbalanced by their own size, η_c of order 1.
// 1e-8 lies far from both. A combination that is not finite fails the
// comparison: it is left to its own warning.
std::vector<int> combinacionesSinEquilibrio()
{
    const double umbral = 1e-8;
    const Eigen::MatrixXd r = kLL * uLibres - pL;
    const double normaK = kLL.cwiseAbs().rowwise().sum().maxCoeff();
    std::vector<int> sinEquilibrio;
    for (int c = 0; c < pL.cols(); ++c) {
        const double escala = normaK * uLibres.col(c).cwiseAbs().maxCoeff() + pL.col(c).cwiseAbs().maxCoeff();
        if (r.col(c).cwiseAbs().maxCoeff() > umbral * escala) sinEquilibrio.push_back(c);
    }
    return sinEquilibrio;
}

// The rank alone does not tell a mechanism that the loads move from one they
// leave at rest, a loose unloaded node or a rotation of negligible stiffness:
// only the residual does. Results that are not numbers are never called balanced.
void avisarSingular(int rango, const std::vector<int>& noFinitas)
{
    const std::vector<int> sinEquilibrio = combinacionesSinEquilibrio();
    std::ostringstream singular;
    singular << "la matriz de rigidez de los grados de libertad libres es singular (rango " << rango << " de "
             << noLibres << ")";
    if (sinEquilibrio.empty()) {
        if (!noFinitas.empty()) return;
        std::cout << "Nota: " << singular.str()
                  << "; las cargas no mueven los grados de libertad inestables o sin rigidez, que se tomaron como "
                     "cero, y los resultados equilibran las cargas"
                  << std::endl;
        return;
    }
    std::cout << "Advertencia: la estructura es inestable: " << singular.str() << "; los resultados de "
              << nombrarCombinaciones(sinEquilibrio) << " no equilibran sus cargas" << std::endl;
}

void avisarNoFinitas(const std::vector<int>& noFinitas)
{
    if (noFinitas.empty()) return;
    std::cout << "Advertencia: los resultados de " << nombrarCombinaciones(noFinitas)
              << " no son números: los datos desbordan el rango de los reales" << std::endl;
}

}  // namespace

void funcionSolucionU()
{
    // Degree-of-freedom numbers are ints: 3·noNudos has to be one as well. Only
    // the count is read so far; every step below relies on the builder's model.
    if (noNudos > INT_MAX / 3) {
        renunciarPorTamano();
        return;
    }
    assert(modeloComoLoDejaElConstructor());
    const int n = 3 * noNudos;

    // Every table is released first: Eigen frees a matrix's storage before it
    // allocates the new one, so a resize that throws would leave a held table
    // pointing at freed memory. From empty tables a failed allocation leaves them empty.
    vaciarTablasDelSolver();

    try {
        // 1. Zero stiffness of the structure.
        kEstructura.setZero(n, n);
        // 2. Bar stiffness.
        sumarRigidecesDeBarras();
        // 3. Zero load matrix, one column per combination, and the bars' loads.
        pCombo.setZero(n, noCombos);
        sumarCargasDeBarras();
        // 4. Node loads.
        sumarCargasDeNudos();
        // 5. Springs.
        sumarResortes();
        // 6. Free degrees of freedom and their count.
        listarGradosLibres();
        // 7. Free block of stiffness and loads.
        kLL = kEstructura(gdlLibres, gdlLibres);
        pL = pCombo(gdlLibres, Eigen::all);
        // 8. Displacements of the free degrees of freedom.
        const int rango = resolverGradosLibres();
        // 9. Every displacement; exactly 0 where held.
        u.setZero(n, noCombos);
        u(gdlLibres, Eigen::all) = uLibres;
        // 10. Node displacements, before the reactions (springs derive theirs from them).
        for (objNudo2d& nd : nudo) nd.setDesplazamientos(u(nd.getGdl(), Eigen::all));
        // 11. Bar end displacements; the bar derives its elastic curves from them.
        for (objBarra2d& b : barra) b.setDesplazamientos(u(b.getGdl(), Eigen::all));
        // 12. Reactions R = K·u − P: the supports' forces at held degrees of
        // freedom, residuals near 0 at free ones.
        reacciones = kEstructura * u - pCombo;
        // 13. Node reactions; a sprung direction replaces its row by −k·u.
        for (objNudo2d& nd : nudo) nd.setReacciones(reacciones(nd.getGdl(), Eigen::all));
        // 14. Warnings on results that are not numbers or do not balance their loads.
        const std::vector<int> noFinitas = combinacionesNoFinitas();
        if (rango < noLibres) avisarSingular(rango, noFinitas);
        avisarNoFinitas(noFinitas);
    } catch (const std::bad_alloc&) {
        renunciarPorTamano();
    }
}
