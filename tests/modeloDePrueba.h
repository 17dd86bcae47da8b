#pragma once

// Small frames built straight through the node and bar setters, for the solver and drawing
// tests. Every helper works on the program-wide model (nudo, barra and the counts).

#include <string>

#include "funcionSolucionU.h"
#include "variablesGlobales.h"

namespace prueba {

// Empties the model and every analysis variable, as a fresh start of the program.
inline void reiniciarEstado()
{
    nudo.clear();
    barra.clear();
    noNudos = noBarras = noCombos = noLibres = 0;
    punteroNudos.resize(0);
    punteroBarras.resize(0);
    kEstructura.resize(0, 0);
    kLL.resize(0, 0);
    pL.resize(0, 0);
    pCombo.resize(0, 0);
    gdlLibres.clear();
    uLibres.resize(0, 0);
    u.resize(0, 0);
    reacciones.resize(0, 0);
}

// Appends a node; its internal number is its position, its user number 1 higher.
inline void agregarNudo(double x, double y, int apoyoX, int apoyoY, int apoyoGiro)
{
    objNudo2d n;
    n.setNumeroDeNudo(noNudos);
    n.setNumeroNudoUsuario(noNudos + 1);
    n.setCoordenadas(x, y);
    n.setApoyo(apoyoX, apoyoY, apoyoGiro);
    nudo.push_back(n);
    noNudos = static_cast<int>(nudo.size());
}

// Appends a bar between two internal node numbers with E, A and I, rigid ends.
inline objBarra2d& agregarBarra(int inicio, int fin, double E, double A, double I)
{
    objBarra2d b;
    b.resetFlags();
    b.setNumeroDeBarra(noBarras);
    b.setNumeroBarraUsuario(noBarras + 1);
    const objNudo2d& ni = nudo[static_cast<std::size_t>(inicio)];
    const objNudo2d& nf = nudo[static_cast<std::size_t>(fin)];
    b.setNudoInicio(inicio, ni.getX(), ni.getY());
    b.setNudoFinal(fin, nf.getX(), nf.getY());
    b.setNudoInicioUsuario(ni.getNoNudoUsuario());
    b.setNudoFinalUsuario(nf.getNoNudoUsuario());
    b.setNombreDeSeccion("S");
    b.setSeccionGenerica(A, I);
    b.setModuloE(E);
    barra.push_back(b);
    noBarras = static_cast<int>(barra.size());
    return barra.back();
}

// Adds factor x case to the combination in every node and every bar, as a "combo:" row.
inline void agregarCombo(const std::string& combo, double factor, const std::string& caso)
{
    for (objNudo2d& n : nudo)
        n.setCombo(combo, factor, caso);
    for (objBarra2d& b : barra)
        b.setCombo(combo, factor, caso);
    noCombos = nudo.empty() ? 0 : nudo.front().getCantidadDeCombos();
}

// The combinations of a whole model given to every node and bar at once, as model
// building gives them: fast also for tens of thousands of combinations.
inline void asignarCombos(const CombosDelModelo& combos)
{
    for (objNudo2d& n : nudo)
        n.setCombos(combos);
    for (objBarra2d& b : barra)
        b.setCombos(combos);
    noCombos = static_cast<int>(combos.cantidad());
}

// A 4-long cantilever fixed at node 1 (E = 1e4, A = 1, I = 2) under a uniform transverse
// load of -1 in case "W", solved for the combination "C1" = 1.0 W.
inline void voladizoResuelto()
{
    agregarNudo(0, 0, 1, 1, 1);
    agregarNudo(4, 0, 0, 0, 0);
    agregarBarra(0, 1, 1e4, 1.0, 2.0).setCargaLocal("W", 0, 0, -1, -1);
    agregarCombo("C1", 1.0, "W");
    funcionSolucionU();
}

}  // namespace prueba
