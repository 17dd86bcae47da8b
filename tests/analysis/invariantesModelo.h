#pragma once

#include <cmath>
#include <string>

#include "variablesGlobales.h"

// What the solver and the viewer rely on after any read, whatever the file held. Answers
// the first broken promise, or an empty string.
inline std::string invarianteRoto()
{
    if (noNudos < 0 || nudo.size() != static_cast<std::size_t>(noNudos))
        return "nudo no tiene noNudos elementos";
    if (noBarras < 0 || barra.size() != static_cast<std::size_t>(noBarras))
        return "barra no tiene noBarras elementos";
    if (noNudos == 0 && (noBarras != 0 || noCombos != 0))
        return "cuentas sin nudos";
    for (const objNudo2d& n : nudo)
        if (n.getCantidadDeCombos() != noCombos || n.getCargasGlobales().rows() != noCombos)
            return "un nudo no tiene noCombos combinaciones";
    for (objBarra2d& b : barra) {
        if (b.getCantidadDeCombos() != noCombos || b.getMatrizCargasCombo().rows() != noCombos)
            return "una barra no tiene noCombos combinaciones";
        if (b.getNudoInicio() < 0 || b.getNudoInicio() >= noNudos || b.getNudoFinal() < 0
            || b.getNudoFinal() >= noNudos || b.getNudoInicio() == b.getNudoFinal())
            return "una barra con extremos fuera del modelo";
    }
    for (Eigen::Index k = 0; k < punteroNudos.size(); ++k)
        if (punteroNudos(k) < 0 || punteroNudos(k) >= noNudos)
            return "punteroNudos fuera de nudo";
    for (Eigen::Index k = 0; k < punteroBarras.size(); ++k)
        if (punteroBarras(k) < 0 || punteroBarras(k) >= noBarras)
            return "punteroBarras fuera de barra";
    for (int c = 0; c < noCombos; ++c)
        for (const objNudo2d& n : nudo)
            if (n.getNombreCombo(c) != nudo[0].getNombreCombo(c))
                return "los nudos no tienen las mismas combinaciones en el mismo orden";
    const double escalas[] = {escalaDef, escalaM, escalaV, escalaN, escalaTexto, escalaCarga};
    for (double e : escalas)
        if (!(e > 0) || !std::isfinite(e))
            return "una escala no es positiva y finita";
    if (!(escalaApoyo >= 0) || !std::isfinite(escalaApoyo) || precision < 0)
        return "escalaApoyo o precision fuera de rango";
    return std::string();
}
