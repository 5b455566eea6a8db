// Report phase: writes "resultados.txt" in the working directory, a section
// per table. Reads the model (nudo, barra and the counts) and the solver's
// kEstructura, pCombo and u; writes only the stream resultados.
#include "vardel2d.h"

#include <algorithm>
#include <iostream>

namespace {

int existentes(int cuenta, std::size_t enVector)
{
    return static_cast<int>(std::min<long long>(std::max(cuenta, 0), static_cast<long long>(enVector)));
}

// Row r of a table as one line of coefficients; a table without that row, or
// without columns, writes nothing (a block of an empty table is not formed).
void fila(const Eigen::MatrixXd& m, int r)
{
    if (r < m.rows() && m.cols() > 0) resultados << m.row(r);
}

// Column k of a table written as one row.
void columnaComoFila(const Eigen::MatrixXd& m, int k)
{
    if (k < m.cols() && m.rows() > 0) resultados << m.col(k).transpose();
}

// Rows 0 to 5 of a per-combination table, each after its label.
void filasRotuladas(const Eigen::MatrixXd& m, const char* const (&rotulos)[6])
{
    for (int r = 0; r < 6; ++r) {
        resultados << rotulos[r];
        fila(m, r);
        resultados << "\n";
    }
}

// The value at one end of a two-station distribution (row 1: start, end).
void extremo(const Eigen::MatrixXd& m, int k)
{
    if (m.rows() >= 2 && k < m.cols()) resultados << m(1, k);
}

}  // namespace

void funcionImprimirResultados()
{
    const int nNudos = existentes(noNudos, nudo.size());
    const int nBarras = existentes(noBarras, barra.size());

    resultados.open("resultados.txt", std::ios::out | std::ios::trunc);
    if (!resultados.is_open()) {
        std::cout << "Advertencia: no se pudo escribir el informe de resultados en \"resultados.txt\"" << std::endl;
        return;
    }

    // 1. Nodes, by user number.
    resultados << "#Nudo CoordX coordY\n";
    for (int i = 0; i < nNudos; ++i) {
        resultados << nudo[i].getNoNudoUsuario() << " " << nudo[i].getX() << " " << nudo[i].getY() << "\n";
    }

    // 2. Supports, by internal number.
    resultados << "\n\n" << "Apoyado = 1; sin Apoyo = 0\n" << "#Nudo | ApoyoX | ApoyoY | giro\n";
    for (int i = 0; i < nNudos; ++i) {
        const Eigen::Vector3i apoyo = nudo[i].getApoyo();
        resultados << nudo[i].getNoNudo();
        for (int d = 0; d < 3; ++d) resultados << " " << apoyo(d);
        resultados << "\n";
    }

    // 3. Bar data and global stiffness; degrees of freedom 1-based.
    resultados << "\n\n" << "Matrices de Rigidez de Barras\n";
    for (int j = 0; j < nBarras; ++j) {
        objBarra2d& b = barra[j];
        resultados << "#_barra: " << b.getNoBarraUsuario() << "\n";
        resultados << "nudo_Inicio: " << b.getNudoInicioUsuario() << "\n";
        resultados << "nudo_final: " << b.getNudoFinalUsuario() << "\n";
        resultados << "longitud: " << b.getLongitud() << "\n";
        resultados << "angulo: " << b.getAngulo() << "\n";
        resultados << "Area: " << b.getArea() << "\n";
        resultados << "Inercia: " << b.getInercia() << "\n";
        resultados << "modE: " << b.getModE() << "\n";
        const Eigen::VectorXi gdl = b.getGdl();
        resultados << "grados_de_libertad: " << (gdl.array() + 1).matrix().transpose() << "\n";
        resultados << "Matriz_de_Rigidez:\n" << b.getKGlobal() << "\n\n";
    }

    // 4. Structure stiffness.
    resultados << "\n\n" << "MATRIZ DE RIGIDEZ DE TODA LA ESTRUCTURA: \n" << kEstructura << "\n";

    // 5. Combined distributed loads, one value per combination.
    resultados << "\n\n" << "CARGAS DISTRIBUIDAS LOCALES PARA CADA BARRA:\n";
    static const char* const rotulosCargas[4] = {"f_paralela_inicio: ", "f_paralela_fin: ", "q_perpend_inicio: ",
                                                 "q_perpend_fin: "};
    for (int j = 0; j < nBarras; ++j) {
        const Eigen::MatrixXd C = barra[j].getMatrizCargasCombo();
        resultados << "#_barra: " << barra[j].getNoBarraUsuario() << "\n";
        for (int k = 0; k < 4; ++k) {
            resultados << rotulosCargas[k];
            columnaComoFila(C, k);
            resultados << "\n";
        }
        resultados << "\n";
    }

    // 6. Equivalent nodal loads, local and global.
    resultados << "\n\n" << "CARGAS EQUIVALENTES LOCALES Y GLOBALES PARA CADA BARRA:\n";
    static const char* const rotulosLocales[6] = {"F1: ", "F2: ", "M3: ", "F4: ", "F5: ", "M6: "};
    static const char* const rotulosGlobales[6] = {"Fx1: ", "Fy2: ", "Mz3: ", "Fx4: ", "Fy5: ", "Mz6: "};
    for (int j = 0; j < nBarras; ++j) {
        const Eigen::MatrixXd L = barra[j].getCargasEquivalentesLocales();
        const Eigen::MatrixXd G = barra[j].getCargasEquivalentesGlobales();
        resultados << "#_barra: " << barra[j].getNoBarraUsuario() << "\n";
        resultados << "fuerzas Equivalentes LOCALES:\n";
        filasRotuladas(L, rotulosLocales);
        resultados << "fuerzas Equivalentes GLOBALES:\n";
        filasRotuladas(G, rotulosGlobales);
        resultados << "\n";
    }

    // 7-8. Structure loads and displacements.
    resultados << "\n\n" << "VECTOR DE CARGAS DE TODA LA ESTRUCTURA" << "\n" << pCombo << "\n";
    resultados << "\n\n" << "VECTOR DE DESPLAZAMIENTOS" << "\n" << u << "\n";

    // 9. Bar end displacements, global and local.
    resultados << "\n\n" << "VECTOR DE DESPLAZAMIENTOS GLOBALES Y LOCALES PARA CADA BARRA" << "\n";
    static const char* const rotulosGlobalesU[6] = {"ux: ", "uy: ", "Giro: ", "ux: ", "uy: ", "Giro: "};
    static const char* const rotulosLocalesU[6] = {"u1: ", "u2: ", "u3: ", "u4: ", "u5: ", "u6: "};
    for (int j = 0; j < nBarras; ++j) {
        const Eigen::MatrixXd G = barra[j].getDesplazamientosGlobales();
        const Eigen::MatrixXd L = barra[j].getDesplazamientosLocales();
        resultados << "#_barra: " << barra[j].getNoBarraUsuario() << "\n";
        resultados << "Desplazamientos Globales [uGlobal]:\n";
        filasRotuladas(G, rotulosGlobalesU);
        resultados << "Desplazamientos Locales [uLocal] = [T]*[uGlobal]:\n";
        filasRotuladas(L, rotulosLocalesU);
        resultados << "\n";
    }

    // 10. Load terms and integration constants of the elastic curves.
    resultados << "\n\n" << "CONSTANTES DE INTEGRACIÓN DE CADA BARRA:" << "\n";
    static const char* const rotulosConstantes[6] = {"A: ", "B: ", "C1: ", "C2: ", "C3: ", "C4: "};
    for (int j = 0; j < nBarras; ++j) {
        const Eigen::MatrixXd K = barra[j].getConstantesIntegracion();
        resultados << "#_barra: " << barra[j].getNoBarraUsuario() << "\n";
        resultados << "Constantes:\n";
        filasRotuladas(K, rotulosConstantes);
        resultados << "\n";
    }

    // 11. End forces of every combination, numbered from 1: the start and end
    // values of the axial force, the shear and the moment.
    resultados << "\n\n" << "SOLICITACIONES DE CADA BARRA EN LOS EXTREMOS:\n";
    static const char* const rotulosExtremos[6] = {"N_inicio: ", "N_fin: ",    "V_inicio: ",
                                                   "V_fin: ",    "M_inicio: ", "M_fin: "};
    for (int j = 0; j < nBarras; ++j) {
        for (int c = 0; c < noCombos; ++c) {
            const Eigen::MatrixXd distribuciones[3] = {barra[j].getSolicitacionAxial(c, 2),
                                                       barra[j].getSolicitacionCortante(c, 2),
                                                       barra[j].getSolicitacionMomento(c, 2)};
            resultados << "#_barra: " << barra[j].getNoBarraUsuario() << "\n";
            resultados << "combo: " << c + 1 << "\n";
            for (int r = 0; r < 6; ++r) {
                resultados << rotulosExtremos[r];
                extremo(distribuciones[r / 2], r % 2);
                resultados << "\n";
            }
        }
        resultados << "\n";
    }
    resultados << "\n\n";

    // A write lost on the way (a full disk, a device) shows in the stream's state.
    resultados.close();
    if (resultados.fail()) {
        resultados.clear();
        std::cout << "Advertencia: no se pudo escribir el informe de resultados en \"resultados.txt\"" << std::endl;
    }
}
