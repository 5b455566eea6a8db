// Report phase: writes "resultados.txt" in the working directory, a section
// per table. Reads the model (nudo, barra and the counts) and the solver's
// kEstructura, pCombo and u; writes only the stream resultados.
#include "vardel2d.h"

#include <cassert>
#include <iostream>

namespace {

void avisarInformeNoEscrito()
{
    std::cout << "Advertencia: no se pudo escribir el informe de resultados en \"resultados.txt\"" << std::endl;
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

void escribirNudos()
{
    resultados << "#Nudo CoordX coordY\n";
    for (const objNudo2d& n : nudo) resultados << n.getNoNudoUsuario() << " " << n.getX() << " " << n.getY() << "\n";
}

void escribirApoyos()
{
    resultados << "\n\n" << "Apoyado = 1; sin Apoyo = 0\n" << "#Nudo | ApoyoX | ApoyoY | giro\n";
    for (const objNudo2d& n : nudo) {
        const Eigen::Vector3i apoyo = n.getApoyo();
        resultados << n.getNoNudo();
        for (int d = 0; d < 3; ++d) resultados << " " << apoyo(d);
        resultados << "\n";
    }
}

void escribirRigidecesDeBarras()
{
    resultados << "\n\n" << "Matrices de Rigidez de Barras\n";
    for (objBarra2d& b : barra) {
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
}

void escribirCargasDistribuidas()
{
    resultados << "\n\n" << "CARGAS DISTRIBUIDAS LOCALES PARA CADA BARRA:\n";
    static const char* const rotulosCargas[4] = {"f_paralela_inicio: ", "f_paralela_fin: ", "q_perpend_inicio: ",
                                                 "q_perpend_fin: "};
    for (const objBarra2d& b : barra) {
        const Eigen::MatrixXd C = b.getMatrizCargasCombo();
        resultados << "#_barra: " << b.getNoBarraUsuario() << "\n";
        for (int k = 0; k < 4; ++k) {
            resultados << rotulosCargas[k];
            columnaComoFila(C, k);
            resultados << "\n";
        }
        resultados << "\n";
    }
}

// One block per bar: its number, then two labelled tables under their titles.
void escribirParDeTablas(const objBarra2d& b, const char* titulo1, const Eigen::MatrixXd& m1,
                         const char* const (&rotulos1)[6], const char* titulo2, const Eigen::MatrixXd& m2,
                         const char* const (&rotulos2)[6])
{
    resultados << "#_barra: " << b.getNoBarraUsuario() << "\n";
    resultados << titulo1;
    filasRotuladas(m1, rotulos1);
    resultados << titulo2;
    filasRotuladas(m2, rotulos2);
    resultados << "\n";
}

void escribirCargasEquivalentes()
{
    resultados << "\n\n" << "CARGAS EQUIVALENTES LOCALES Y GLOBALES PARA CADA BARRA:\n";
    static const char* const rotulosLocales[6] = {"F1: ", "F2: ", "M3: ", "F4: ", "F5: ", "M6: "};
    static const char* const rotulosGlobales[6] = {"Fx1: ", "Fy2: ", "Mz3: ", "Fx4: ", "Fy5: ", "Mz6: "};
    for (objBarra2d& b : barra) {
        const Eigen::MatrixXd L = b.getCargasEquivalentesLocales();
        const Eigen::MatrixXd G = b.getCargasEquivalentesGlobales();
        escribirParDeTablas(b, "fuerzas Equivalentes LOCALES:\n", L, rotulosLocales, "fuerzas Equivalentes GLOBALES:\n",
                            G, rotulosGlobales);
    }
}

void escribirDesplazamientosDeBarras()
{
    resultados << "\n\n" << "VECTOR DE DESPLAZAMIENTOS GLOBALES Y LOCALES PARA CADA BARRA" << "\n";
    static const char* const rotulosGlobalesU[6] = {"ux: ", "uy: ", "Giro: ", "ux: ", "uy: ", "Giro: "};
    static const char* const rotulosLocalesU[6] = {"u1: ", "u2: ", "u3: ", "u4: ", "u5: ", "u6: "};
    for (const objBarra2d& b : barra) {
        escribirParDeTablas(b, "Desplazamientos Globales [uGlobal]:\n", b.getDesplazamientosGlobales(),
                            rotulosGlobalesU, "Desplazamientos Locales [uLocal] = [T]*[uGlobal]:\n",
                            b.getDesplazamientosLocales(), rotulosLocalesU);
    }
}

void escribirConstantes()
{
    resultados << "\n\n" << "CONSTANTES DE INTEGRACIÓN DE CADA BARRA:" << "\n";
    static const char* const rotulosConstantes[6] = {"A: ", "B: ", "C1: ", "C2: ", "C3: ", "C4: "};
    for (const objBarra2d& b : barra) {
        resultados << "#_barra: " << b.getNoBarraUsuario() << "\n";
        resultados << "Constantes:\n";
        filasRotuladas(b.getConstantesIntegracion(), rotulosConstantes);
        resultados << "\n";
    }
}

// Numbered from 1: the start and end values of the axial force, the shear and
// the moment.
void escribirSolicitaciones()
{
    resultados << "\n\n" << "SOLICITACIONES DE CADA BARRA EN LOS EXTREMOS:\n";
    static const char* const rotulosExtremos[6] = {"N_inicio: ", "N_fin: ",    "V_inicio: ",
                                                   "V_fin: ",    "M_inicio: ", "M_fin: "};
    for (const objBarra2d& b : barra) {
        for (int c = 0; c < noCombos; ++c) {
            const Eigen::MatrixXd distribuciones[3] = {b.getSolicitacionAxial(c, 2), b.getSolicitacionCortante(c, 2),
                                                       b.getSolicitacionMomento(c, 2)};
            resultados << "#_barra: " << b.getNoBarraUsuario() << "\n";
            resultados << "combo: " << c + 1 << "\n";
            for (int r = 0; r < 6; ++r) {
                resultados << rotulosExtremos[r];
                extremo(distribuciones[r / 2], r % 2);
                resultados << "\n";
            }
        }
        resultados << "\n";
    }
}

}  // namespace

void funcionImprimirResultados()
{
    assert(modeloComoLoDejaElConstructor());
    resultados.open("resultados.txt", std::ios::out | std::ios::trunc);
    if (!resultados.is_open()) {
        avisarInformeNoEscrito();
        return;
    }

    // 1. Nodes, by user number.
    escribirNudos();
    // 2. Supports, by internal number.
    escribirApoyos();
    // 3. Bar data and global stiffness; degrees of freedom 1-based.
    escribirRigidecesDeBarras();
    // 4. Structure stiffness.
    resultados << "\n\n" << "MATRIZ DE RIGIDEZ DE TODA LA ESTRUCTURA: \n" << kEstructura << "\n";
    // 5. Combined distributed loads, one value per combination.
    escribirCargasDistribuidas();
    // 6. Equivalent nodal loads, local and global.
    escribirCargasEquivalentes();
    // 7. Structure loads.
    resultados << "\n\n" << "VECTOR DE CARGAS DE TODA LA ESTRUCTURA" << "\n" << pCombo << "\n";
    // 8. Structure displacements.
    resultados << "\n\n" << "VECTOR DE DESPLAZAMIENTOS" << "\n" << u << "\n";
    // 9. Bar end displacements, global and local.
    escribirDesplazamientosDeBarras();
    // 10. Load terms and integration constants of the elastic curves.
    escribirConstantes();
    // 11. End forces of every combination.
    escribirSolicitaciones();
    resultados << "\n\n";

    // A write lost on the way (a full disk, a device) shows in the stream's state.
    resultados.close();
    if (resultados.fail()) {
        resultados.clear();
        avisarInformeNoEscrito();
    }
}
