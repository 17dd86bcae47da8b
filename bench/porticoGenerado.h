#pragma once

// A generated plane frame for the benchmarks: N storeys of height 3 by M bays of width 5,
// fixed bases, rectangular concrete-like sections. Load cases: "D" (dead) and "L" (live)
// on every beam, "W" (wind) at the left column's nodes. The combinations are the caller's.
// With hinged columns (released at both ends) the frame sways: a mechanism. Fills the
// program-wide model and its counts, as model building would.

#include <vector>

#include "variablesGlobales.h"

struct ParDeCombo {
    const char* combo;
    double factor;
    const char* caso;
};

inline void generarPortico(int pisos, int vanos, const std::vector<ParDeCombo>& combos,
                           bool columnasArticuladas = false)
{
    nudo.clear();
    barra.clear();
    const int porFila = vanos + 1;
    for (int p = 0; p <= pisos; ++p) {
        for (int v = 0; v <= vanos; ++v) {
            objNudo2d n;
            const int i = static_cast<int>(nudo.size());
            n.setNumeroNudoUsuario(i + 1);
            n.setNumeroDeNudo(i);
            n.setCoordenadas(5.0 * v, 3.0 * p);
            const int codigo = (p == 0) ? 1 : 0;
            n.setApoyo(codigo, codigo, codigo);
            if (p > 0 && v == 0)
                n.setCargaPuntual("W", 10.0, 0.0, 0.0);
            nudo.push_back(n);
        }
    }
    auto agregarBarra = [&](int a, int b, bool viga) {
        objBarra2d nueva;
        nueva.resetFlags();
        const int m = static_cast<int>(barra.size());
        nueva.setNumeroBarraUsuario(m + 1);
        nueva.setNumeroDeBarra(m);
        nueva.setNudoInicio(a, nudo[a].getX(), nudo[a].getY());
        nueva.setNudoFinal(b, nudo[b].getX(), nudo[b].getY());
        nueva.setNudoInicioUsuario(a + 1);
        nueva.setNudoFinalUsuario(b + 1);
        nueva.setSeccionRectangular(0.3, viga ? 0.5 : 0.4);
        nueva.setModuloE(2e7);
        nueva.setPesoEspecifico(24);
        nueva.setNombreDeSeccion(viga ? "V" : "C");
        if (!viga && columnasArticuladas)
            nueva.setArticulacion(0, 0);
        if (viga) {
            nueva.setCargaLocal("D", 0, 0, -20, -20);
            nueva.setCargaLocal("L", 0, 0, -10, -10);
        }
        barra.push_back(nueva);
    };
    for (int p = 1; p <= pisos; ++p) {
        for (int v = 0; v <= vanos; ++v)
            agregarBarra((p - 1) * porFila + v, p * porFila + v, false);
        for (int v = 0; v < vanos; ++v)
            agregarBarra(p * porFila + v, p * porFila + v + 1, true);
    }
    for (const ParDeCombo& par : combos) {
        for (objNudo2d& n : nudo)
            n.setCombo(par.combo, par.factor, par.caso);
        for (objBarra2d& b : barra)
            b.setCombo(par.combo, par.factor, par.caso);
    }
    noNudos = static_cast<int>(nudo.size());
    noBarras = static_cast<int>(barra.size());
    noCombos = nudo.empty() ? 0 : nudo.front().getCantidadDeCombos();
}
