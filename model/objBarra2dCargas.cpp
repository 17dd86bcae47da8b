#include "objBarra2d.h"

#include <cmath>
#include <iostream>

#include "filasPorNombre.h"

void objBarra2d::setCargaLocal(std::string caso, double fi, double ff, double qi, double qf)
{
    agregarFila(nombresCargasLocales, cargasLocales, std::move(caso), Eigen::RowVector4d(fi, ff, qi, qf));
}

void objBarra2d::setCargasLocales(std::vector<std::string> casos, Eigen::MatrixXd filas)
{
    agregarFilas(nombresCargasLocales, cargasLocales, std::move(casos), std::move(filas));
}

void objBarra2d::setCargaGlobal(std::string caso, double qi, double qf, double dx, double dy)
{
    Eigen::RowVector4d fila;
    if (cargaGlobalEnEjesLocales(qi, qf, dx, dy, fila))
        agregarFila(nombresCargasGlobales, cargasGlobales, std::move(caso), fila);
}

void objBarra2d::setCargasGlobales(std::vector<std::string> casos, Eigen::MatrixXd filasLocales)
{
    agregarFilas(nombresCargasGlobales, cargasGlobales, std::move(casos), std::move(filasLocales));
}

// A load of intensity qi..qf per unit bar length along the global direction (dx, dy) is
// resolved into local components at once; only the direction of (dx, dy) counts.
bool objBarra2d::cargaGlobalEnEjesLocales(double qi, double qf, double dx, double dy, Eigen::RowVector4d& fila)
{
    if (!flag(7))
        angulo = getAngulo();
    if (!flag(7)) {
        std::cout << "el ángulo no está definido para calcular cargas globales de barra" << std::endl;
        return false;
    }

    // hypot neither overflows nor underflows, so a direction written with huge or tiny
    // components is still a direction.
    const Eigen::Vector3d direccion(dx, dy, 0.0);
    const double norma = std::hypot(dx, dy);
    if (norma == 0.0 || !std::isfinite(norma)) {
        std::cout << "Carga global sin dirección en la barra: " << numeroBarraUsuario << std::endl;
        fila.setZero();
        return true;
    }

    const Eigen::Vector3d unitario = direccion / norma;
    const Eigen::Vector3d eje(std::cos(angulo), std::sin(angulo), 0.0);   // local x in global axes
    const Eigen::Vector3d qInicio = qi * unitario;
    const Eigen::Vector3d qFin = qf * unitario;
    fila << eje.dot(qInicio), eje.dot(qFin), eje.cross(qInicio).z(), eje.cross(qFin).z();
    return true;
}

// Self weight: area x unit weight per unit bar length, towards global -Y.
void objBarra2d::setPesoPropio(std::string caso)
{
    const double w = area * pesoEspecifico;
    setCargaGlobal(std::move(caso), w, w, 0.0, -1.0);
}

// Adds factor x (the bar's local rows of the case, then its global-direction rows, summed
// from zero) into the combination's row; the row is created on first use, even when the
// case has no load here, so that every bar holds one row per combination in the same order.
void objBarra2d::setCombo(std::string combo, double factor, std::string caso)
{
    Eigen::RowVector4d suma = Eigen::RowVector4d::Zero();
    sumarCaso(nombresCargasLocales, cargasLocales, factor, caso, suma);
    sumarCaso(nombresCargasGlobales, cargasGlobales, factor, caso, suma);
    sumarEnCombo(nombresCombos, cargasCombo, std::move(combo), suma);
}

void objBarra2d::setCombos(const CombosDelModelo& combos)
{
    cargasCombo = combos.filasDe<4>({{nombresCargasLocales, cargasLocales}, {nombresCargasGlobales, cargasGlobales}});
    nombresCombos = combos.getNombres();
}

double objBarra2d::getFInicioCombo(int c) const { return cargasCombo(c, 0); }
double objBarra2d::getFFinCombo(int c) const { return cargasCombo(c, 1); }
double objBarra2d::getQInicioCombo(int c) const { return cargasCombo(c, 2); }
double objBarra2d::getQFinCombo(int c) const { return cargasCombo(c, 3); }
Eigen::MatrixXd objBarra2d::getMatrizCargasCombo() const { return cargasCombo; }
std::vector<std::string> objBarra2d::getNombresCargasLocales() const { return nombresCargasLocales; }
Eigen::MatrixXd objBarra2d::getMatrizCargasLocales() const { return cargasLocales; }
std::vector<std::string> objBarra2d::getNombresCargasGlobales() const { return nombresCargasGlobales; }
Eigen::MatrixXd objBarra2d::getMatrizCargasGlobales() const { return cargasGlobales; }
int objBarra2d::getCantidadDeCombos() const { return static_cast<int>(nombresCombos.size()); }
int objBarra2d::getCantidadDeCargasGlobales() const { return static_cast<int>(nombresCargasGlobales.size()); }

// Work-equivalent nodal loads (the negatives of the fixed-end forces) under the same end
// fixity model as the local stiffness: fully fixed end moments and shears of the linear
// transverse load, corrected for the fixity factors a and b. Column c belongs to
// combination c, rows [N_i, V_i, M_i, N_j, V_j, M_j], local axes, moments CCW positive.
Eigen::MatrixXd objBarra2d::getCargasEquivalentesLocales()
{
    if (!flag(6))
        longitud = getLongitud();

    const Eigen::Index nc = combos();
    cargasEquivalentesLocales.resize(6, nc);
    const double a = articulacionInicio;
    const double b = articulacionFin;
    const double L = longitud;
    const double D = 5 * a * b + (12 - 8 * a - 8 * b);

    for (Eigen::Index c = 0; c < nc; ++c) {
        const double Fi = cargasCombo(c, 0);
        const double Ff = cargasCombo(c, 1);
        const double Qi = cargasCombo(c, 2);
        const double Qf = cargasCombo(c, 3);

        // L x (L x q): a zero load stays zero on a bar so long that L^2 overflows.
        const double MA = L * (L * (Qi / 20 + Qf / 30));    // fixed-end moments, as loads
        const double MB = -L * (L * (Qi / 30 + Qf / 20));
        const double VA = L * (7 * Qi + 3 * Qf) / 20;       // fixed-end shears, as loads
        const double VB = L * (3 * Qi + 7 * Qf) / 20;

        // Shear carried over by the released part of the end moments. A bar of zero
        // length carries no load at all.
        const double t = (L == 0.0) ? 0.0
                       : 6 / (L * D) * ((2 - b) * (1 - a) * MA + (2 - a) * (1 - b) * MB);
        const double Mi = (a / D) * ((4 - 3 * b) * MA - 2 * (1 - b) * MB);
        const double Mj = (b / D) * ((4 - 3 * a) * MB - 2 * (1 - a) * MA);

        const double NA = L * (2 * Fi + Ff) / 6;            // axial, independent of fixity
        const double NB = L * (Fi + 2 * Ff) / 6;

        cargasEquivalentesLocales.col(c) << NA, VA - t, Mi, NB, VB + t, Mj;
    }
    marcar(11);
    return cargasEquivalentesLocales;
}

// Computed once and then frozen: the solver's loads are those the bar held when it asked.
Eigen::MatrixXd objBarra2d::getCargasEquivalentesGlobales()
{
    if (flag(12))
        return cargasEquivalentesGlobales;
    if (!flag(11))
        cargasEquivalentesLocales = getCargasEquivalentesLocales();
    if (!flag(9)) {
        if (!flag(7))
            angulo = getAngulo();
        matrizT = getT();
    }
    cargasEquivalentesGlobales = matrizT.transpose() * cargasEquivalentesLocales;
    marcar(12);
    return cargasEquivalentesGlobales;
}
