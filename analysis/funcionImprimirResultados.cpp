#include "funcionImprimirResultados.h"

#include <iostream>
#include <string>

#include "variablesGlobales.h"

// Reals use the stream's default format (six significant digits); matrices Eigen's default
// block format, right-aligned to the widest entry of each block. DOF numbers and
// combination numbers are written counting from 1.

namespace {

const char* const kArchivo = "resultados.txt";

// The model now in nudo and barra has been through funcionSolucionU.
bool estaResuelta()
{
    const Eigen::Index gdl = 3 * static_cast<Eigen::Index>(noNudos);
    if (noNudos == 0 || noBarras == 0 || noCombos == 0)
        return false;
    if (nudo.size() != static_cast<std::size_t>(noNudos) || barra.size() != static_cast<std::size_t>(noBarras))
        return false;
    if (kEstructura.rows() != gdl || pCombo.rows() != gdl || u.rows() != gdl || u.cols() != noCombos)
        return false;
    for (const objNudo2d& n : nudo)
        if (!n.tieneResultados(noCombos - 1))
            return false;
    for (const objBarra2d& b : barra)
        if (!b.tieneResultados(noCombos - 1) || b.getConstantesIntegracion().cols() != noCombos)
            return false;
    return true;
}

// One labelled row over the combinations: row k of a table with one column per combination.
void filaPorCombo(const char* etiqueta, const Eigen::MatrixXd& tabla, Eigen::Index k)
{
    resultados << etiqueta << tabla.row(k) << "\n";
}

void filasPorCombo(const char* const (&etiquetas)[6], const Eigen::MatrixXd& tabla)
{
    for (Eigen::Index k = 0; k < 6; ++k)
        filaPorCombo(etiquetas[k], tabla, k);
}

void escribirNudos()
{
    resultados << "#Nudo CoordX coordY\n";
    for (const objNudo2d& n : nudo)
        resultados << n.getNoNudoUsuario() << " " << n.getX() << " " << n.getY() << "\n";

    resultados << "\n\n" << "Apoyado = 1; sin Apoyo = 0\n" << "#Nudo | ApoyoX | ApoyoY | giro\n";
    for (const objNudo2d& n : nudo) {
        const Eigen::Vector3i apoyo = n.getApoyo();
        resultados << n.getNoNudo() << " " << apoyo(0) << " " << apoyo(1) << " " << apoyo(2) << "\n";
    }
}

void escribirRigideces()
{
    resultados << "\n\n" << "Matrices de Rigidez de Barras\n";
    for (objBarra2d& b : barra) {
        const Eigen::VectorXi gdlDesdeUno = b.getGdl().array() + 1;
        resultados << "#_barra: " << b.getNoBarraUsuario() << "\n"
                   << "nudo_Inicio: " << b.getNudoInicioUsuario() << "\n"
                   << "nudo_final: " << b.getNudoFinalUsuario() << "\n"
                   << "longitud: " << b.getLongitud() << "\n"
                   << "angulo: " << b.getAngulo() << "\n"
                   << "Area: " << b.getArea() << "\n"
                   << "Inercia: " << b.getInercia() << "\n"
                   << "modE: " << b.getModE() << "\n"
                   << "grados_de_libertad: " << gdlDesdeUno.transpose() << "\n"
                   << "Matriz_de_Rigidez:\n" << b.getKGlobal() << "\n\n";
    }
    resultados << "\n\n" << "MATRIZ DE RIGIDEZ DE TODA LA ESTRUCTURA: \n" << kEstructura << "\n";
}

void escribirCargas()
{
    resultados << "\n\n" << "CARGAS DISTRIBUIDAS LOCALES PARA CADA BARRA:\n";
    for (const objBarra2d& b : barra) {
        // One row per combination [Fi, Ff, Qi, Qf]; each column becomes a row over them.
        const Eigen::MatrixXd porCarga = b.getMatrizCargasCombo().transpose();
        resultados << "#_barra: " << b.getNoBarraUsuario() << "\n";
        filaPorCombo("f_paralela_inicio: ", porCarga, 0);
        filaPorCombo("f_paralela_fin: ", porCarga, 1);
        filaPorCombo("q_perpend_inicio: ", porCarga, 2);
        filaPorCombo("q_perpend_fin: ", porCarga, 3);
        resultados << "\n";
    }

    static const char* const kLocales[6] = {"F1: ", "F2: ", "M3: ", "F4: ", "F5: ", "M6: "};
    static const char* const kGlobales[6] = {"Fx1: ", "Fy2: ", "Mz3: ", "Fx4: ", "Fy5: ", "Mz6: "};
    resultados << "\n\n" << "CARGAS EQUIVALENTES LOCALES Y GLOBALES PARA CADA BARRA:\n";
    for (objBarra2d& b : barra) {
        resultados << "#_barra: " << b.getNoBarraUsuario() << "\n" << "fuerzas Equivalentes LOCALES:\n";
        filasPorCombo(kLocales, b.getCargasEquivalentesLocales());
        resultados << "fuerzas Equivalentes GLOBALES:\n";
        filasPorCombo(kGlobales, b.getCargasEquivalentesGlobales());
        resultados << "\n";
    }

    resultados << "\n\n" << "VECTOR DE CARGAS DE TODA LA ESTRUCTURA" << "\n" << pCombo << "\n";
}

void escribirDesplazamientos()
{
    resultados << "\n\n" << "VECTOR DE DESPLAZAMIENTOS" << "\n" << u << "\n";

    static const char* const kGlobales[6] = {"ux: ", "uy: ", "Giro: ", "ux: ", "uy: ", "Giro: "};
    static const char* const kLocales[6] = {"u1: ", "u2: ", "u3: ", "u4: ", "u5: ", "u6: "};
    resultados << "\n\n" << "VECTOR DE DESPLAZAMIENTOS GLOBALES Y LOCALES PARA CADA BARRA" << "\n";
    for (const objBarra2d& b : barra) {
        resultados << "#_barra: " << b.getNoBarraUsuario() << "\n" << "Desplazamientos Globales [uGlobal]:\n";
        filasPorCombo(kGlobales, b.getDesplazamientosGlobales());
        resultados << "Desplazamientos Locales [uLocal] = [T]*[uGlobal]:\n";
        filasPorCombo(kLocales, b.getDesplazamientosLocales());
        resultados << "\n";
    }

    static const char* const kConstantes[6] = {"A: ", "B: ", "C1: ", "C2: ", "C3: ", "C4: "};
    resultados << "\n\n" << "CONSTANTES DE INTEGRACIÓN DE CADA BARRA:" << "\n";
    for (const objBarra2d& b : barra) {
        resultados << "#_barra: " << b.getNoBarraUsuario() << "\n" << "Constantes:\n";
        filasPorCombo(kConstantes, b.getConstantesIntegracion());
        resultados << "\n";
    }
}

// Values at the two ends: entry (1, 0) of a two-station table is the start, (1, 1) the end.
void escribirSolicitaciones()
{
    resultados << "\n\n" << "SOLICITACIONES DE CADA BARRA EN LOS EXTREMOS:\n";
    for (const objBarra2d& b : barra) {
        for (int c = 0; c < noCombos; ++c) {
            const Eigen::MatrixXd N = b.getSolicitacionAxial(c, 2);
            const Eigen::MatrixXd V = b.getSolicitacionCortante(c, 2);
            const Eigen::MatrixXd M = b.getSolicitacionMomento(c, 2);
            resultados << "#_barra: " << b.getNoBarraUsuario() << "\n"
                       << "combo: " << c + 1 << "\n"
                       << "N_inicio: " << N(1, 0) << "\n" << "N_fin: " << N(1, 1) << "\n"
                       << "V_inicio: " << V(1, 0) << "\n" << "V_fin: " << V(1, 1) << "\n"
                       << "M_inicio: " << M(1, 0) << "\n" << "M_fin: " << M(1, 1) << "\n";
        }
        resultados << "\n";
    }
}

}  // namespace

void funcionImprimirResultados()
{
    if (!estaResuelta()) {
        std::cout << "La estructura no está resuelta: no se escribe " << kArchivo << std::endl;
        return;
    }
    resultados.open(kArchivo, std::ios::out | std::ios::trunc);
    if (!resultados.is_open()) {
        resultados.clear();
        std::cout << "No se puede crear el archivo de resultados: " << kArchivo << std::endl;
        return;
    }
    escribirNudos();
    escribirRigideces();
    escribirCargas();
    escribirDesplazamientos();
    escribirSolicitaciones();
    resultados << "\n\n";
    resultados.close();
}
