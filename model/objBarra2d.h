#pragma once

#include <array>
#include <string>
#include <vector>

#include <Eigen/Dense>

#include "combosDelModelo.h"

// The straight two-node bar element of the plane frame.
//
// Local axes: x runs from the start node to the end node, y is x turned by +90 degrees.
// Local DOF order: axial, transverse, rotation at the start, then the same at the end.
// Distributed load rows are [Fi, Ff, Qi, Qf]: intensities per unit bar length along local
// x (axial) and local y (transverse) at the start and at the end, linear in between.
// Axial force is positive in tension; a positive bending moment stretches the local -y
// side; shear is dM/dx. No unit system is built in.
//
// Quantities are computed on demand and recorded in flagsBarra (see objBarra2d.cpp):
// no setter invalidates a stored result; only resetFlags starts a bar over.
class objBarra2d {
public:
    objBarra2d();

    void resetFlags();

    // Data and section (objBarra2d.cpp).
    void setNumeroDeBarra(int n);
    void setNumeroBarraUsuario(int n);
    void setNudoInicio(int n, double x, double y);
    void setNudoFinal(int n, double x, double y);
    void setNudoInicioUsuario(int n);
    void setNudoFinalUsuario(int n);
    void setSeccionRectangular(double b, double h);
    void setSeccionGenerica(double a, double i);
    void setModuloE(double e);
    void setPesoEspecifico(double peso);
    void setNombreDeSeccion(std::string nombre);
    void setArticulacion(double inicio, double fin);

    int getNoBarraUsuario() const;
    int getNudoInicio() const;
    int getNudoFinal() const;
    int getNudoInicioUsuario() const;
    int getNudoFinalUsuario() const;
    double getXi() const;
    double getYi() const;
    double getXf() const;
    double getYf() const;
    double getArea() const;
    double getInercia() const;
    double getModE() const;
    int getArticulacionInicio() const;
    int getArticulacionFin() const;
    std::string getNombreDeSeccion() const;

    // Geometry and stiffness (objBarra2d.cpp).
    double getLongitud();
    double getAngulo();
    Eigen::VectorXi getGdl();
    Eigen::MatrixXd getT();
    Eigen::MatrixXd getKLocal();
    Eigen::MatrixXd getKGlobal();

    // Loads, combinations and equivalent nodal loads (objBarra2dCargas.cpp).
    void setCargaLocal(std::string caso, double fi, double ff, double qi, double qf);
    void setCargaGlobal(std::string caso, double qi, double qf, double dx, double dy);
    // The load of setCargaGlobal in local components, [Fi, Ff, Qi, Qf], with its console
    // lines, but not stored; false when the angle is unknown and there is nothing to store.
    bool cargaGlobalEnEjesLocales(double qi, double qf, double dx, double dy, Eigen::RowVector4d& fila);
    // Model building: many loads at once, as setCargaLocal and setCargaGlobal called load
    // by load in that order would leave them. The global-direction rows come already in
    // local components from cargaGlobalEnEjesLocales, so that its lines keep file order.
    void setCargasLocales(std::vector<std::string> casos, Eigen::MatrixXd filas);
    void setCargasGlobales(std::vector<std::string> casos, Eigen::MatrixXd filasLocales);
    void setPesoPropio(std::string caso);
    void setCombo(std::string combo, double factor, std::string caso);
    // Model building: the rows of every combination of the model at once, in place of any
    // earlier ones (CombosDelModelo::filasDe). Every load comes first.
    void setCombos(const CombosDelModelo& combos);
    double getFInicioCombo(int c) const;
    double getFFinCombo(int c) const;
    double getQInicioCombo(int c) const;
    double getQFinCombo(int c) const;
    Eigen::MatrixXd getMatrizCargasCombo() const;
    // The loads as stored: case names and their rows [Fi, Ff, Qi, Qf], one row per name.
    std::vector<std::string> getNombresCargasLocales() const;
    Eigen::MatrixXd getMatrizCargasLocales() const;
    std::vector<std::string> getNombresCargasGlobales() const;
    Eigen::MatrixXd getMatrizCargasGlobales() const;
    int getCantidadDeCombos() const;
    int getCantidadDeCargasGlobales() const;
    Eigen::MatrixXd getCargasEquivalentesLocales();
    Eigen::MatrixXd getCargasEquivalentesGlobales();

    // Results along the bar (objBarra2dResultados.cpp).
    void setDesplazamientos(Eigen::MatrixXd d);
    Eigen::MatrixXd getSolicitacionAxial(int c, int n) const;
    Eigen::MatrixXd getSolicitacionCortante(int c, int n) const;
    Eigen::MatrixXd getSolicitacionMomento(int c, int n) const;
    double getXvcero(int c);
    double getMmax(int c) const;
    Eigen::MatrixXd getBarraDeformada(int c, int n, double escala) const;
    Eigen::MatrixXd getConstantesIntegracion() const;
    Eigen::MatrixXd getDesplazamientosLocales() const;
    Eigen::MatrixXd getDesplazamientosGlobales() const;
    // True once the solver has stored end displacements for combination c.
    bool tieneResultados(int c) const;

private:
    bool flag(int i) const { return flagsBarra[static_cast<std::size_t>(i)] != 0; }
    Eigen::Index combos() const { return static_cast<Eigen::Index>(nombresCombos.size()); }
    void marcar(int i) { flagsBarra[static_cast<std::size_t>(i)] = 1; }

    std::array<int, 20> flagsBarra;
    int numeroDeBarra;
    int numeroBarraUsuario;
    int nudoInicio;
    int nudoFinal;
    double articulacionInicio;   // end fixity factor a: 1 rigid, 0 hinge
    double articulacionFin;      // end fixity factor b
    int nudoInicioUsuario;
    int nudoFinalUsuario;
    double xi;
    double yi;
    double xf;
    double yf;
    std::string nombreDeSeccion;
    double area;
    double inercia;
    double moduloE;
    double pesoEspecifico;       // weight per unit volume
    double xVcero;               // zero-shear abscissa of the last getXvcero, -1 if none
    // Each name list runs parallel to the rows of its matrix (filasPorNombre.h).
    std::vector<std::string> nombresCargasLocales;
    Eigen::MatrixXd cargasLocales;                // n x 4 [Fi, Ff, Qi, Qf]
    std::vector<std::string> nombresCargasGlobales;
    Eigen::MatrixXd cargasGlobales;               // n x 4, already in local components
    std::vector<std::string> nombresCombos;
    Eigen::MatrixXd cargasCombo;                  // NC x 4, row c = combination c
    Eigen::MatrixXd cargasEquivalentesLocales;    // 6 x NC [N_i, V_i, M_i, N_j, V_j, M_j]
    Eigen::MatrixXd cargasEquivalentesGlobales;   // 6 x NC [Fx_i, Fy_i, Mz_i, Fx_j, Fy_j, Mz_j]
    Eigen::MatrixXd desplazamientosGlobales;      // 6 x NC, order of getGdl
    Eigen::MatrixXd desplazamientosLocales;       // 6 x NC, matrizT * desplazamientosGlobales
    Eigen::MatrixXd constantesIntegracion;        // 6 x NC [A, B, C1, C2, C3, C4]
    double longitud;
    double angulo;                                // radians, from global X to local x, CCW
    Eigen::VectorXi gdl;
    Eigen::MatrixXd matrizT;                      // local = matrizT * global
    Eigen::MatrixXd kLocal;
    Eigen::MatrixXd kGlobal;
};
