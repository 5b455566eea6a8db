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

namespace {

// What the builder guarantees and every step relies on: the counts are the
// vectors' sizes, every node's number names its own degrees of freedom, and
// every node and bar holds exactly noCombos combinations (a repeated name is
// summed into one, a combination without pairs is left out).
[[maybe_unused]] bool modeloComoLoDejaElConstructor()
{
    if (noNudos < 0 || noBarras < 0 || noCombos < 0) return false;
    if (nudo.size() != static_cast<std::size_t>(noNudos) || barra.size() != static_cast<std::size_t>(noBarras))
        return false;
    for (const objNudo2d& n : nudo) {
        if (n.getNoNudo() < 0 || n.getNoNudo() >= noNudos) return false;
        if (n.getCantidadDeCombos() != noCombos || n.getCargasGlobales().rows() != noCombos) return false;
    }
    for (const objBarra2d& b : barra) {
        if (b.getMatrizCargasCombo().rows() != noCombos) return false;
    }
    return true;
}

void vaciarTablas()
{
    gdlLibres.clear();
    noLibres = 0;
    kEstructura.resize(0, 0);
    pCombo.resize(0, 0);
    kLL.resize(0, 0);
    pL.resize(0, 0);
    uLibres.resize(0, 0);
    u.resize(0, 0);
    reacciones.resize(0, 0);
}

// A model whose tables do not fit: no tables, no results, one line.
void renunciarPorTamano()
{
    vaciarTablas();
    std::cout << "Advertencia: el modelo es demasiado grande para resolverlo en memoria" << std::endl;
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

// "la combinación A" or "las combinaciones A, B".
std::string nombrarCombinaciones(const std::vector<int>& combos)
{
    std::string texto = combos.size() == 1 ? "la combinación " : "las combinaciones ";
    for (std::size_t k = 0; k < combos.size(); ++k) texto += (k == 0 ? "" : ", ") + nudo[0].getNombreCombo(combos[k]);
    return texto;
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
    // Degree-of-freedom numbers are ints: 3·noNudos has to be one as well.
    if (noNudos > INT_MAX / 3) {
        renunciarPorTamano();
        return;
    }
    const int n = 3 * noNudos;

    // Every table is released first: Eigen frees a matrix's storage before it
    // allocates the new one, so a resize that throws would leave a held table
    // pointing at freed memory. From empty tables a failed allocation leaves them empty.
    vaciarTablas();

    try {
        // 1-2. Empty free list, zero structure stiffness.
        kEstructura.setZero(n, n);
        // After the first allocation, so that a count too large for memory still
        // ends in the size message.
        assert(modeloComoLoDejaElConstructor());

        // 3. Bar stiffness, before any bar is asked for its loads (the loads use the
        // transformation the bar forms with its stiffness).
        for (objBarra2d& b : barra) {
            const Eigen::VectorXi g = b.getGdl();
            kEstructura(g, g) += b.getKGlobal();
        }

        // 4-5. Zero load matrix, one column per combination; bar equivalent nodal loads, global axes.
        pCombo.setZero(n, noCombos);
        for (objBarra2d& b : barra) {
            const Eigen::MatrixXd P = b.getCargasEquivalentesGlobales();
            pCombo(b.getGdl(), Eigen::all) += P;
        }

        // 6. Node loads; the node's table has one row per combination, so it enters
        // transposed. Without combinations it has no columns either, and nothing to add.
        if (noCombos > 0) {
            for (objNudo2d& nd : nudo) pCombo(nd.getGdl(), Eigen::all) += nd.getCargasGlobales().transpose();
        }

        // 7. Springs on the diagonal, after all bars.
        for (objNudo2d& nd : nudo) {
            const Eigen::Vector3i g = nd.getGdl();
            kEstructura(g(0), g(0)) += nd.getResorteX();
            kEstructura(g(1), g(1)) += nd.getResorteY();
            kEstructura(g(2), g(2)) += nd.getResorteGiro();
        }

        // 8-9. Free degrees of freedom: support code 0 only; any other code holds.
        for (objNudo2d& nd : nudo) {
            const Eigen::Vector3i g = nd.getGdl();
            const Eigen::Vector3i apoyo = nd.getApoyo();
            for (int d = 0; d < 3; ++d) {
                if (apoyo(d) == 0) gdlLibres.push_back(g(d));
            }
        }
        noLibres = static_cast<int>(gdlLibres.size());

        // 10. Free block of stiffness and loads.
        kLL = kEstructura(gdlLibres, gdlLibres);
        pL = pCombo(gdlLibres, Eigen::all);

        // 11. kLL·uLibres = pL, one decomposition for every combination. Without a free
        // degree of freedom there is nothing to decompose.
        int rango = noLibres;
        if (noLibres == 0) {
            uLibres.resize(0, noCombos);
        } else {
            const Eigen::FullPivLU<Eigen::MatrixXd> lu = kLL.fullPivLu();
            // Eigen's triangular solve must not be handed a right-hand side without columns.
            if (noCombos > 0) {
                uLibres = lu.solve(pL);
            } else {
                uLibres.resize(noLibres, 0);
            }
            rango = static_cast<int>(lu.rank());
        }

        // 12. Every displacement; exactly 0 where held.
        u.setZero(n, noCombos);
        u(gdlLibres, Eigen::all) = uLibres;

        // 13. Node displacements, before the reactions (springs derive theirs from them).
        for (objNudo2d& nd : nudo) nd.setDesplazamientos(u(nd.getGdl(), Eigen::all));

        // 14. Bar end displacements; the bar derives its elastic curves from them.
        for (objBarra2d& b : barra) b.setDesplazamientos(u(b.getGdl(), Eigen::all));

        // 15. Reactions R = K·u − P: the supports' forces at held degrees of freedom,
        // residuals near 0 at free ones.
        reacciones = kEstructura * u - pCombo;

        // 16. Node reactions; a sprung direction replaces its row by −k·u.
        for (objNudo2d& nd : nudo) nd.setReacciones(reacciones(nd.getGdl(), Eigen::all));

        const std::vector<int> noFinitas = combinacionesNoFinitas();
        if (rango < noLibres) avisarSingular(rango, noFinitas);
        avisarNoFinitas(noFinitas);
    } catch (const std::bad_alloc&) {
        renunciarPorTamano();
    }
}
