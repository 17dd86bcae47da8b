#include "objNudo2d.h"

#include <iostream>

#include "filasPorNombre.h"

objNudo2d::objNudo2d()
    : numeroDeNudo(0),
      numeroNudoUsuario(0),
      x(0.0),
      y(0.0),
      apoyo(Eigen::Vector3i::Zero()),
      gdl(Eigen::Vector3i::Zero()),
      resorte(Eigen::Vector3d::Zero())
{
}

void objNudo2d::setNumeroDeNudo(int n) { numeroDeNudo = n; }
void objNudo2d::setNumeroNudoUsuario(int n) { numeroNudoUsuario = n; }

void objNudo2d::setCoordenadas(double xNudo, double yNudo)
{
    x = xNudo;
    y = yNudo;
}

void objNudo2d::setApoyo(int codigoX, int codigoY, int codigoGiro)
{
    apoyo << codigoX, codigoY, codigoGiro;
}

void objNudo2d::setResorte(double kx, double ky, double kGiro)
{
    resorte << kx, ky, kGiro;
}

void objNudo2d::setCargaPuntual(std::string caso, double px, double py, double mz)
{
    agregarFila(nombresCargasPuntuales, cargasPuntuales, std::move(caso), Eigen::RowVector3d(px, py, mz));
}

void objNudo2d::setCargasPuntuales(std::vector<std::string> casos, Eigen::MatrixXd filas)
{
    agregarFilas(nombresCargasPuntuales, cargasPuntuales, std::move(casos), std::move(filas));
}

// Adds factor x (the node's point loads of the case, summed from zero) into the
// combination's row; the row is created on first use, even when the case has no load
// here, so that every node holds one row per combination in the same order.
void objNudo2d::setCombo(std::string combo, double factor, std::string caso)
{
    Eigen::RowVector3d suma = Eigen::RowVector3d::Zero();
    sumarCaso(nombresCargasPuntuales, cargasPuntuales, factor, caso, suma);
    sumarEnCombo(nombresCombos, cargasCombo, std::move(combo), suma);
}

void objNudo2d::setCombos(const CombosDelModelo& combos)
{
    cargasCombo = combos.filasDe<3>({{nombresCargasPuntuales, cargasPuntuales}});
    nombresCombos = combos.getNombres();
}

void objNudo2d::setDesplazamientos(Eigen::MatrixXd d)
{
    if (d.cols() != static_cast<Eigen::Index>(nombresCombos.size()))
        std::cout << "La cantidad de combos de desplazamientos no es igual a la cantidad de combos en Ingreso de Datos"
                  << std::endl;
    desplazamientos = std::move(d);
}

// A spring's reaction is the spring force on the structure, -k u. Where the direction is
// also held by its support, the support's reaction (from the solver) is kept instead.
void objNudo2d::setReacciones(Eigen::MatrixXd r)
{
    reaccionesNudo = std::move(r);
    for (int k = 0; k < 3; ++k) {
        if (resorte(k) == 0.0 || apoyo(k) != 0)
            continue;
        for (Eigen::Index c = 0; c < reaccionesNudo.cols(); ++c)
            reaccionesNudo(k, c) = -resorte(k) * desplazamientos(k, c);
    }
}

void objNudo2d::borrarResultados()
{
    desplazamientos.resize(3, 0);
    reaccionesNudo.resize(3, 0);
}

int objNudo2d::getNoNudo() const { return numeroDeNudo; }
int objNudo2d::getNoNudoUsuario() const { return numeroNudoUsuario; }
double objNudo2d::getX() const { return x; }
double objNudo2d::getY() const { return y; }
Eigen::Vector3i objNudo2d::getApoyo() const { return apoyo; }

Eigen::Vector3i objNudo2d::getGdl()
{
    gdl << 3 * numeroDeNudo, 3 * numeroDeNudo + 1, 3 * numeroDeNudo + 2;
    return gdl;
}

double objNudo2d::getResorteX() const { return resorte(0); }
double objNudo2d::getResorteY() const { return resorte(1); }
double objNudo2d::getResorteGiro() const { return resorte(2); }
Eigen::MatrixXd objNudo2d::getCargasGlobales() const { return cargasCombo; }

double objNudo2d::getPxCombo(int c) const { return cargasCombo(c, 0); }
double objNudo2d::getPyCombo(int c) const { return cargasCombo(c, 1); }
double objNudo2d::getMzCombo(int c) const { return cargasCombo(c, 2); }
double objNudo2d::getDesplazamientoX(int c) const { return desplazamientos(0, c); }
double objNudo2d::getDesplazamientoY(int c) const { return desplazamientos(1, c); }
double objNudo2d::getGiroZ(int c) const { return desplazamientos(2, c); }
double objNudo2d::getReaccionX(int c) const { return reaccionesNudo(0, c); }
double objNudo2d::getReaccionY(int c) const { return reaccionesNudo(1, c); }
double objNudo2d::getReaccionM(int c) const { return reaccionesNudo(2, c); }
int objNudo2d::getCantidadDeCombos() const { return static_cast<int>(nombresCombos.size()); }
std::string objNudo2d::getNombreCombo(int i) const { return nombresCombos[static_cast<std::size_t>(i)]; }

int objNudo2d::getNumeroDeCombo(std::string nombre) const { return ultimaPosicion(nombresCombos, nombre); }
std::vector<std::string> objNudo2d::getNombresCargasPuntuales() const { return nombresCargasPuntuales; }
Eigen::MatrixXd objNudo2d::getMatrizCargasPuntuales() const { return cargasPuntuales; }

bool objNudo2d::tieneResultados(int c) const
{
    return c >= 0 && c < desplazamientos.cols() && c < reaccionesNudo.cols();
}
