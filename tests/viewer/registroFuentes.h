#pragma once

// What the viewer hands to freeglut's fonts, recorded on its way. The test executables are
// linked with --wrap=glutBitmapString and --wrap=glutStrokeCharacter: the wrappers record
// each call and then pass it on to the font, so the drawing itself is unchanged.

#include <string>
#include <vector>

namespace registro {

// One glyph of the stroke font: its code, where it starts (its origin on the baseline) and
// the direction of one font unit along the text, mapped by the model-view matrix in force
// when it was drawn: model coordinates when the drawer was called with that matrix at the
// identity, as the drawing tests call them.
struct Trazo {
    int codigo;
    double x, y;
    double dx, dy;
};

// Each bitmap string as the font received it, in call order.
extern std::vector<std::string> bitmap;
// Each stroke glyph, in call order.
extern std::vector<Trazo> trazos;

void vaciar();

// The codes of the stroke glyphs received, in order, as one text.
std::string textoTrazado();

// One text drawn with the stroke font: its glyphs' codes, its first and its last glyph.
struct Rotulo {
    std::string texto;
    Trazo primero;
    Trazo ultimo;
};

// The stroke glyphs grouped into texts: a glyph that does not stand one advance (104.76
// font units along the text) after the glyph before it starts a new text.
std::vector<Rotulo> rotulos();

// The texts that read exactly texto, in drawing order.
std::vector<Rotulo> buscar(const std::string& texto);

}  // namespace registro
