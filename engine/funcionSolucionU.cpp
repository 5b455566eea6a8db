#include "vardel2d.h"

#include <algorithm>
#include <climits>
#include <iostream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include <Eigen/LU>

namespace {

// A degree-of-freedom number that names a row of the structure's tables.
bool enTabla(int g, int n)
{
    return g >= 0 && g < n;
}

// Objects that take part: those the count names and the vector holds.
int existentes(int cuenta, std::size_t enVector)
{
    return static_cast<int>(std::min<long long>(std::max(cuenta, 0), static_cast<long long>(enVector)));
}

// Combinations an object can take part in: those it holds, never more than noCombos.
int combosDe(int combosDelObjeto)
{
    return std::max(0, std::min(noCombos, combosDelObjeto));
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
    std::cout << "El modelo es demasiado grande para resolverlo en memoria" << std::endl;
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
    const int nNudos = existentes(noNudos, nudo.size());
    const int nBarras = existentes(noBarras, barra.size());
    const int nc = std::max(noCombos, 0);

    // Degree-of-freedom numbers are ints: 3·noNudos has to be one as well.
    if (noNudos > INT_MAX / 3) {
        renunciarPorTamano();
        return;
    }
    const int n = 3 * std::max(noNudos, 0);

    // Every table is released first: Eigen frees a matrix's storage before it
    // allocates the new one, so a resize that throws would leave a held table
    // pointing at freed memory. From empty tables a failed allocation leaves them empty.
    vaciarTablas();

    try {
        // 1-2. Empty free list, zero structure stiffness.
        kEstructura.setZero(n, n);

        // 3. Bar stiffness, before any bar is asked for its loads (the loads use the
        // transformation the bar forms with its stiffness).
        for (int j = 0; j < nBarras; ++j) {
            const Eigen::VectorXi g = barra[j].getGdl();
            const Eigen::MatrixXd K = barra[j].getKGlobal();
            const int m = std::min<Eigen::Index>({g.size(), K.rows(), K.cols()});
            for (int a = 0; a < m; ++a) {
                if (!enTabla(g(a), n)) continue;
                for (int b = 0; b < m; ++b) {
                    if (enTabla(g(b), n)) kEstructura(g(a), g(b)) += K(a, b);
                }
            }
        }

        // 4. Zero load matrix, one column per combination.
        pCombo.setZero(n, nc);

        // 5. Bar equivalent nodal loads, global axes.
        for (int j = 0; j < nBarras; ++j) {
            const Eigen::MatrixXd P = barra[j].getCargasEquivalentesGlobales();
            const Eigen::VectorXi g = barra[j].getGdl();
            const int m = std::min<Eigen::Index>(g.size(), P.rows());
            const int cs = combosDe(P.cols());
            for (int a = 0; a < m; ++a) {
                if (!enTabla(g(a), n)) continue;
                for (int c = 0; c < cs; ++c) pCombo(g(a), c) += P(a, c);
            }
        }

        // 6. Node loads; the node's table has one row per combination, so it enters transposed.
        for (int i = 0; i < nNudos; ++i) {
            const Eigen::Vector3i g = nudo[i].getGdl();
            const Eigen::MatrixXd Q = nudo[i].getCargasGlobales();
            const int m = std::min<Eigen::Index>(3, Q.cols());
            const int cs = combosDe(Q.rows());
            for (int r = 0; r < m; ++r) {
                if (!enTabla(g(r), n)) continue;
                for (int c = 0; c < cs; ++c) pCombo(g(r), c) += Q(c, r);
            }
        }

        // 7. Springs on the diagonal, after all bars.
        for (int i = 0; i < nNudos; ++i) {
            const Eigen::Vector3i g = nudo[i].getGdl();
            const double k[3] = {nudo[i].getResorteX(), nudo[i].getResorteY(), nudo[i].getResorteGiro()};
            for (int d = 0; d < 3; ++d) {
                if (enTabla(g(d), n)) kEstructura(g(d), g(d)) += k[d];
            }
        }

        // 8-9. Free degrees of freedom: support code 0 only; any other code holds.
        for (int i = 0; i < nNudos; ++i) {
            const Eigen::Vector3i g = nudo[i].getGdl();
            const Eigen::Vector3i apoyo = nudo[i].getApoyo();
            for (int d = 0; d < 3; ++d) {
                if (apoyo(d) == 0 && enTabla(g(d), n)) gdlLibres.push_back(g(d));
            }
        }
        noLibres = static_cast<int>(gdlLibres.size());

        // 10. Free block of stiffness and loads.
        kLL.resize(noLibres, noLibres);
        for (int q = 0; q < noLibres; ++q) {
            for (int p = 0; p < noLibres; ++p) kLL(p, q) = kEstructura(gdlLibres[p], gdlLibres[q]);
        }
        pL.resize(noLibres, nc);
        for (int c = 0; c < nc; ++c) {
            for (int p = 0; p < noLibres; ++p) pL(p, c) = pCombo(gdlLibres[p], c);
        }

        // 11. kLL·uLibres = pL, one decomposition for every combination. Without a free
        // degree of freedom there is nothing to decompose.
        int rango = noLibres;
        if (noLibres == 0) {
            uLibres.resize(0, nc);
        } else {
            const Eigen::FullPivLU<Eigen::MatrixXd> lu = kLL.fullPivLu();
            // Eigen's triangular solve must not be handed a right-hand side without columns.
            if (nc > 0) {
                uLibres = lu.solve(pL);
            } else {
                uLibres.resize(noLibres, 0);
            }
            rango = static_cast<int>(lu.rank());
        }

        // 12. Every displacement; exactly 0 where held.
        u.setZero(n, nc);
        for (int c = 0; c < nc; ++c) {
            for (int p = 0; p < noLibres; ++p) u(gdlLibres[p], c) = uLibres(p, c);
        }

        // 13. Node displacements, before the reactions (springs derive theirs from them).
        for (int i = 0; i < nNudos; ++i) {
            const Eigen::Vector3i g = nudo[i].getGdl();
            const int cs = combosDe(nudo[i].getCantidadDeCombos());
            Eigen::MatrixXd D = Eigen::MatrixXd::Zero(3, cs);
            for (int c = 0; c < cs; ++c) {
                for (int r = 0; r < 3; ++r) {
                    if (enTabla(g(r), n)) D(r, c) = u(g(r), c);
                }
            }
            nudo[i].setDesplazamientos(D);
        }

        // 14. Bar end displacements; the bar derives its elastic curves from them.
        for (int j = 0; j < nBarras; ++j) {
            const Eigen::VectorXi g = barra[j].getGdl();
            const int m = std::min<Eigen::Index>(6, g.size());
            const int cs = combosDe(barra[j].getMatrizCargasCombo().rows());
            Eigen::MatrixXd D = Eigen::MatrixXd::Zero(6, cs);
            for (int c = 0; c < cs; ++c) {
                for (int a = 0; a < m; ++a) {
                    if (enTabla(g(a), n)) D(a, c) = u(g(a), c);
                }
            }
            barra[j].setDesplazamientos(D);
        }

        // 15. Reactions R = K·u − P: the supports' forces at held degrees of freedom,
        // residuals near 0 at free ones.
        reacciones = kEstructura * u - pCombo;

        // 16. Node reactions; a sprung direction replaces its row by −k·u.
        for (int i = 0; i < nNudos; ++i) {
            const Eigen::Vector3i g = nudo[i].getGdl();
            const int cs = combosDe(nudo[i].getCantidadDeCombos());
            Eigen::MatrixXd R = Eigen::MatrixXd::Zero(3, cs);
            for (int c = 0; c < cs; ++c) {
                for (int r = 0; r < 3; ++r) {
                    if (enTabla(g(r), n)) R(r, c) = reacciones(g(r), c);
                }
            }
            nudo[i].setReacciones(R);
        }

        const std::vector<int> noFinitas = combinacionesNoFinitas();
        if (rango < noLibres) avisarSingular(rango, noFinitas);
        avisarNoFinitas(noFinitas);
    } catch (const std::bad_alloc&) {
        renunciarPorTamano();
    }
}
