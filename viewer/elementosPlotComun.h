#pragma once

// Helpers shared by the drawing units (model, results, loads); not part of the viewer's
// interface.

#include <cstddef>

#include "variablesGlobales.h"

namespace dibujo {

// Label buffer of every drawn number: at most 99 characters and the terminator.
constexpr std::size_t kLargoEtiqueta = 100;

// A prefixed label ("x0= ", "Rx: ", "Ry: ", "Mz: "): a prefix of at most kLargoPrefijo
// characters, then the number as a number label holds it.
constexpr std::size_t kLargoPrefijo = 4;
constexpr std::size_t kLargoEtiquetaConPrefijo = kLargoPrefijo + kLargoEtiqueta;

// prefijo followed by v in fixed-point notation with d decimals (a negative d counts as 0),
// formatted as drawNumFloat formats its numbers (up to 99 characters): the whole number
// follows the prefix.
void formatearEtiqueta(char (&etiqueta)[kLargoEtiquetaConPrefijo], const char* prefijo, double v, int d);

// Isolation: an entry of exactly 1 shows the bar or node; an entry the vector does not hold
// (it is sized when the window opens) hides it.
inline bool barraVisible(int i) { return i < barrasAisladas.size() && barrasAisladas(i) == 1; }
inline bool nudoVisible(int i) { return i < nudosAislados.size() && nudosAislados(i) == 1; }

// A display flag is on while its value is odd.
inline bool flagActivo(int k)
{
    return static_cast<std::size_t>(k) < flags.size() && flags[static_cast<std::size_t>(k)] % 2 != 0;
}

// Degrees for glRotatef from a bar angle in radians.
inline float grados(double radianes) { return static_cast<float>(radianes * 180 / PI); }

}  // namespace dibujo
