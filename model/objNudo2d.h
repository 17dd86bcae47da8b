#pragma once

#include <string>
#include <vector>

#include <Eigen/Dense>

#include "combosDelModelo.h"

// A joint of the plane frame: three degrees of freedom (X, Y, rotation), support codes,
// springs, named point loads, one load row per load combination and, after the solve,
// displacements and reactions per combination. Global axes throughout; rotations and
// moments counter-clockwise positive. No unit system: the input file's units are kept.
class objNudo2d {
public:
    objNudo2d();

    void setNumeroDeNudo(int n);
    void setNumeroNudoUsuario(int n);
    void setCoordenadas(double x, double y);
    void setApoyo(int codigoX, int codigoY, int codigoGiro);
    void setResorte(double kx, double ky, double kGiro);
    void setCargaPuntual(std::string caso, double px, double py, double mz);
    // Model building: many point loads at once, rows [Px, Py, Mz] under their cases, as
    // setCargaPuntual called row by row would leave them.
    void setCargasPuntuales(std::vector<std::string> casos, Eigen::MatrixXd filas);
    void setCombo(std::string combo, double factor, std::string caso);
    // Model building: the rows of every combination of the model at once, in place of any
    // earlier ones (CombosDelModelo::filasDe). Every point load comes first.
    void setCombos(const CombosDelModelo& combos);
    void setDesplazamientos(Eigen::MatrixXd d);
    void setReacciones(Eigen::MatrixXd r);
    // An unsolved node: no displacements and no reactions (a solve that was refused).
    void borrarResultados();

    int getNoNudo() const;
    int getNoNudoUsuario() const;
    double getX() const;
    double getY() const;
    Eigen::Vector3i getApoyo() const;
    Eigen::Vector3i getGdl();
    double getResorteX() const;
    double getResorteY() const;
    double getResorteGiro() const;
    Eigen::MatrixXd getCargasGlobales() const;
    double getPxCombo(int c) const;
    double getPyCombo(int c) const;
    double getMzCombo(int c) const;
    double getDesplazamientoX(int c) const;
    double getDesplazamientoY(int c) const;
    double getGiroZ(int c) const;
    double getReaccionX(int c) const;
    double getReaccionY(int c) const;
    double getReaccionM(int c) const;
    int getCantidadDeCombos() const;
    std::string getNombreCombo(int i) const;
    int getNumeroDeCombo(std::string nombre) const;
    // The point loads as stored: case names and their rows, one row per name.
    std::vector<std::string> getNombresCargasPuntuales() const;
    Eigen::MatrixXd getMatrizCargasPuntuales() const;
    // True once the solver has stored displacements and reactions for combination c.
    bool tieneResultados(int c) const;

private:
    int numeroDeNudo;
    int numeroNudoUsuario;
    double x;
    double y;
    // Each name list runs parallel to the rows of its matrix (filasPorNombre.h).
    std::vector<std::string> nombresCargasPuntuales;
    Eigen::MatrixXd cargasPuntuales;   // n x 3: [Px, Py, Mz] per point load
    Eigen::Vector3i apoyo;             // 0 free, 1 restrained; other codes hold the direction too
    Eigen::Vector3i gdl;
    Eigen::Vector3d resorte;           // 0 means no spring
    std::vector<std::string> nombresCombos;
    Eigen::MatrixXd cargasCombo;       // NC x 3: one ROW per combination
    Eigen::MatrixXd desplazamientos;   // 3 x NC: one COLUMN per combination
    Eigen::MatrixXd reaccionesNudo;    // 3 x NC: force of supports and springs on the structure
};
