#pragma once

#include <cmath>
#include <filesystem>
#include <string>

#include "funcionImprimirResultados.h"
#include "funcionSolucionU.h"
#include "variablesGlobales.h"

// A load table holds one row per name, and no combination row holds -0 (each is 0 plus
// factor x load, and 0 + (-0) is +0).
inline bool tablaSana(std::size_t nombres, const Eigen::MatrixXd& filas)
{
    return filas.rows() == static_cast<Eigen::Index>(nombres);
}

inline bool sinMenosCero(const Eigen::MatrixXd& filas)
{
    for (Eigen::Index i = 0; i < filas.rows(); ++i)
        for (Eigen::Index j = 0; j < filas.cols(); ++j)
            if (filas(i, j) == 0.0 && std::signbit(filas(i, j)))
                return false;
    return true;
}

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
    for (const objNudo2d& n : nudo) {
        if (n.getCantidadDeCombos() != noCombos || n.getCargasGlobales().rows() != noCombos)
            return "un nudo no tiene noCombos combinaciones";
        if (!tablaSana(n.getNombresCargasPuntuales().size(), n.getMatrizCargasPuntuales()))
            return "un nudo no tiene una carga puntual por nombre";
        if (!sinMenosCero(n.getCargasGlobales()))
            return "un nudo tiene -0 en una combinación";
    }
    for (objBarra2d& b : barra) {
        if (b.getCantidadDeCombos() != noCombos || b.getMatrizCargasCombo().rows() != noCombos)
            return "una barra no tiene noCombos combinaciones";
        if (!tablaSana(b.getNombresCargasLocales().size(), b.getMatrizCargasLocales())
            || !tablaSana(b.getNombresCargasGlobales().size(), b.getMatrizCargasGlobales()))
            return "una barra no tiene una carga distribuida por nombre";
        if (!sinMenosCero(b.getMatrizCargasCombo()))
            return "una barra tiene -0 en una combinación";
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

// Asks every result query of every node and bar, for every combination the object holds
// results of; answers the first one that gives a NaN or an infinity, or an empty string.
// An unsolved model (no results anywhere) passes.
inline std::string resultadoNoFinito()
{
    for (const objNudo2d& n : nudo) {
        for (int c = 0; c < noCombos; ++c) {
            if (!n.tieneResultados(c))
                continue;
            const double valores[] = {n.getDesplazamientoX(c), n.getDesplazamientoY(c), n.getGiroZ(c),
                                      n.getReaccionX(c), n.getReaccionY(c), n.getReaccionM(c)};
            for (double v : valores)
                if (!std::isfinite(v))
                    return "nudo " + std::to_string(n.getNoNudoUsuario()) + ": desplazamiento o reacción";
        }
    }
    for (objBarra2d& b : barra) {
        const std::string cual = "barra " + std::to_string(b.getNoBarraUsuario()) + ": ";
        for (int c = 0; c < noCombos; ++c) {
            if (!b.tieneResultados(c))
                continue;
            if (!b.getSolicitacionAxial(c, 21).allFinite() || !b.getSolicitacionCortante(c, 21).allFinite()
                || !b.getSolicitacionMomento(c, 21).allFinite())
                return cual + "solicitaciones";
            if (!std::isfinite(b.getXvcero(c)) || !std::isfinite(b.getMmax(c)))
                return cual + "cortante nulo o momento máximo";
            if (!b.getBarraDeformada(c, 21, escalaDef).allFinite())
                return cual + "deformada";
        }
        if (!b.getConstantesIntegracion().allFinite() || !b.getDesplazamientosLocales().allFinite()
            || !b.getDesplazamientosGlobales().allFinite())
            return cual + "constantes o desplazamientos";
    }
    return std::string();
}

// A model small enough to solve in a moment: the fuzzers solve what they build only then.
inline bool esPequeno() { return noNudos <= 60 && noCombos <= 8; }

// Solves a small model as the start-up would, asks every result query, and writes the
// report into the directory (as the working directory), removing it at once. Answers the
// first broken promise, or an empty string.
inline std::string resolverYRevisar(const std::filesystem::path& directorio)
{
    if (noNudos == 0 || noBarras == 0 || noCombos == 0 || !esPequeno())
        return std::string();
    funcionSolucionU();
    const std::string noFinito = resultadoNoFinito();
    if (!noFinito.empty())
        return "resultado no finito en " + noFinito;
    std::error_code error;
    const std::filesystem::path anterior = std::filesystem::current_path(error);
    std::filesystem::current_path(directorio, error);
    if (error)
        return "no se puede entrar en " + directorio.string();
    funcionImprimirResultados();
    std::filesystem::remove(directorio / "resultados.txt", error);
    std::filesystem::current_path(anterior, error);
    return std::string();
}
