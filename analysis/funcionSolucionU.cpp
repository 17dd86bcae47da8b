#include "funcionSolucionU.h"

#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>

#include <unistd.h>

#include "variablesGlobales.h"

// Degrees of freedom (DOF) come from the objects' getGdl: node n owns 3n (X), 3n+1 (Y) and
// 3n+2 (rotation). Load and result matrices have one row per DOF and one column per load
// combination. Directions with support code 0 are free; every other code holds its
// direction, whose displacement stays 0 and whose reaction row is computed all the same.
// Reactions are the forces the supports exert on the structure, in global axes.

namespace {

// Every model object must hold one load row per combination: the solver reads NC of them.
bool combosCompletos()
{
    for (const objNudo2d& n : nudo) {
        if (n.getCantidadDeCombos() < noCombos) {
            std::cout << "El nudo " << n.getNoNudoUsuario() << " tiene " << n.getCantidadDeCombos()
                      << " de " << noCombos << " combos: no se resuelve la estructura" << std::endl;
            return false;
        }
    }
    for (const objBarra2d& b : barra) {
        if (b.getCantidadDeCombos() < noCombos) {
            std::cout << "La barra " << b.getNoBarraUsuario() << " tiene " << b.getCantidadDeCombos()
                      << " de " << noCombos << " combos: no se resuelve la estructura" << std::endl;
            return false;
        }
    }
    return true;
}

// Memory the process may still take, in bytes: the kernel's estimate of available memory,
// else the physical memory.
double memoriaDisponible()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string linea;
    while (std::getline(meminfo, linea)) {
        std::istringstream campos(linea);
        std::string clave;
        double kB = 0.0;
        if (campos >> clave >> kB && clave == "MemAvailable:")
            return kB * 1024.0;
    }
    const double paginas = static_cast<double>(sysconf(_SC_PHYS_PAGES));
    const double tamano = static_cast<double>(sysconf(_SC_PAGESIZE));
    return (paginas > 0 && tamano > 0) ? paginas * tamano : std::numeric_limits<double>::max();
}

// Bytes the dense solve holds at its peak: kEstructura (3N)^2, kLL and the factorisation's
// own copy NL^2 each, and the load, displacement and reaction tables. Reckoned in double,
// so a huge model cannot overflow the count. Checked before anything is allocated, since a
// failed allocation would end the process.
bool cabeEnMemoria(double libres)
{
    const double gdl = 3.0 * noNudos;
    const double nc = noCombos;
    const double reales = gdl * gdl + 2.0 * libres * libres + 4.0 * gdl * nc + 2.0 * libres * nc;
    const double bytes = reales * sizeof(double);
    if (bytes <= memoriaDisponible())
        return true;
    std::cout << "No hay memoria para resolver la estructura: se necesitan " << bytes / 1e9
              << " GB" << std::endl;
    return false;
}

double contarLibres()
{
    double libres = 0.0;
    for (const objNudo2d& n : nudo) {
        const Eigen::Vector3i apoyo = n.getApoyo();
        for (int k = 0; k < 3; ++k)
            libres += (apoyo(k) == 0) ? 1.0 : 0.0;
    }
    return libres;
}

// Names the free direction that moves most in the first rigid-body or mechanism mode.
void avisarMecanismo(const Eigen::FullPivLU<Eigen::MatrixXd>& lu)
{
    const Eigen::MatrixXd modos = lu.kernel();
    Eigen::Index libre = 0;
    modos.col(0).cwiseAbs().maxCoeff(&libre);
    const int g = gdlLibres[static_cast<std::size_t>(libre)];
    static const char* const direccion[] = {"X", "Y", "giro"};
    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i propios = n.getGdl();
        for (int k = 0; k < 3; ++k) {
            if (propios(k) != g)
                continue;
            std::cout << "Estructura inestable (mecanismo): nudo " << n.getNoNudoUsuario()
                      << ", dirección " << direccion[k] << std::endl;
            return;
        }
    }
}

}  // namespace

namespace pasosSolucion {

void vaciarResultados()
{
    gdlLibres.clear();
    noLibres = 0;
    kEstructura.resize(0, 0);
    kLL.resize(0, 0);
    pL.resize(0, 0);
    pCombo.resize(0, 0);
    uLibres.resize(0, 0);
    u.resize(0, 0);
    reacciones.resize(0, 0);
}

void ensamblarRigidez()
{
    const Eigen::Index n = 3 * static_cast<Eigen::Index>(noNudos);
    kEstructura.setZero(n, n);
    for (objBarra2d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd K = b.getKGlobal();
        for (int a = 0; a < 6; ++a)
            for (int e = 0; e < 6; ++e)
                kEstructura(g[a], g[e]) += K(a, e);
    }
}

// Equivalent nodal loads of the bars (acting on the nodes, with their own sign) plus the
// node loads, whose matrix has one row per combination and is read transposed.
void ensamblarCargas()
{
    pCombo.setZero(3 * static_cast<Eigen::Index>(noNudos), noCombos);
    for (objBarra2d& b : barra) {
        const Eigen::MatrixXd Q = b.getCargasEquivalentesGlobales();
        const Eigen::VectorXi g = b.getGdl();
        for (int a = 0; a < 6; ++a)
            for (int c = 0; c < noCombos; ++c)
                pCombo(g[a], c) += Q(a, c);
    }
    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        const Eigen::MatrixXd P = n.getCargasGlobales();
        for (int a = 0; a < 3; ++a)
            for (int c = 0; c < noCombos; ++c)
                pCombo(g[a], c) += P(c, a);
    }
}

// A spring stiffens its own direction only.
void sumarResortes()
{
    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        kEstructura(g[0], g[0]) += n.getResorteX();
        kEstructura(g[1], g[1]) += n.getResorteY();
        kEstructura(g[2], g[2]) += n.getResorteGiro();
    }
}

void particionar()
{
    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        const Eigen::Vector3i apoyo = n.getApoyo();
        for (int k = 0; k < 3; ++k)
            if (apoyo(k) == 0)
                gdlLibres.push_back(g[k]);
    }
    noLibres = static_cast<int>(gdlLibres.size());

    kLL.resize(noLibres, noLibres);
    pL.resize(noLibres, noCombos);
    for (int j = 0; j < noLibres; ++j)
        for (int i = 0; i < noLibres; ++i)
            kLL(i, j) = kEstructura(gdlLibres[i], gdlLibres[j]);
    for (int c = 0; c < noCombos; ++c)
        for (int i = 0; i < noLibres; ++i)
            pL(i, c) = pCombo(gdlLibres[i], c);
}

// One factorisation for all combinations; a structure without free directions has
// nothing to solve and stays where it is.
void resolverLibres()
{
    if (noLibres == 0) {
        uLibres.resize(0, noCombos);
        return;
    }
    const Eigen::FullPivLU<Eigen::MatrixXd> lu(kLL);
    uLibres = lu.solve(pL);
    if (lu.rank() < noLibres)
        avisarMecanismo(lu);
}

void repartirDesplazamientos()
{
    u.setZero(3 * static_cast<Eigen::Index>(noNudos), noCombos);
    for (int c = 0; c < noCombos; ++c)
        for (int i = 0; i < noLibres; ++i)
            u(gdlLibres[i], c) = uLibres(i, c);

    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        Eigen::MatrixXd D(3, noCombos);
        for (int a = 0; a < 3; ++a)
            D.row(a) = u.row(g[a]);
        n.setDesplazamientos(D);
    }
    for (objBarra2d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        Eigen::MatrixXd D(6, noCombos);
        for (int a = 0; a < 6; ++a)
            D.row(a) = u.row(g[a]);
        b.setDesplazamientos(D);
    }
}

// In a held row the force the support exerts; in a free row the residual, 0 to rounding.
void calcularReacciones()
{
    reacciones = kEstructura * u - pCombo;
    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        Eigen::MatrixXd R(3, noCombos);
        for (int a = 0; a < 3; ++a)
            R.row(a) = reacciones.row(g[a]);
        n.setReacciones(R);
    }
}

}  // namespace pasosSolucion

void funcionSolucionU()
{
    using namespace pasosSolucion;
    vaciarResultados();
    if (noNudos == 0 || noCombos == 0)
        return;   // no node or no load combination: nothing to solve for
    if (!combosCompletos() || !cabeEnMemoria(contarLibres()))
        return;

    ensamblarRigidez();
    ensamblarCargas();
    sumarResortes();
    particionar();
    resolverLibres();
    repartirDesplazamientos();
    calcularReacciones();
}
