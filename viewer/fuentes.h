#pragma once

// Texts are UTF-8 byte strings throughout the program (the built-in messages and the help,
// and the names read from the input file as bytes), while freeglut's fonts take one code
// per glyph: its bitmap fonts hold the Latin-1 characters (codes 0 to 255), its stroke
// fonts ASCII only (0 to 127). Every character goes to the font as one glyph: its own
// when the font holds it, else the replacement glyph '?', so no character is ever drawn
// as its bytes. An ill-formed byte sequence counts as one character the fonts lack.

#include <cstddef>
#include <string>

namespace fuentes {

constexpr char kReemplazo = '?';
constexpr char32_t kFinLatin1 = 256;  // bitmap fonts: code points below this
constexpr char32_t kFinAscii = 128;   // stroke fonts

// One character read from a zero-terminated UTF-8 text: its code point and its length in
// bytes. An ill-formed sequence (a stray continuation byte, a lead byte cut short, an
// overlong form, a surrogate, a code point beyond U+10FFFF) is one character of the length
// of its longest well-formed start (at least one byte), with a code point no font holds.
struct Caracter {
    char32_t codigo;
    int largo;
};
Caracter leerCaracter(const char* p);

// The control characters, C0 (0 to 31), Delete and C1 (127 to 159): the fonts hold only
// empty glyphs for them, which would show as a gap, or as nothing at all.
constexpr bool esControl(char32_t codigo) { return codigo < 32 || (codigo >= 127 && codigo < 160); }

// Calls glifo(code) once per character of the text: the code point when it is below fin
// and no control character, else kReemplazo. With saltos, a newline goes through as it
// is (the panel's bitmap texts of several lines: glutBitmapString starts a line on it).
// Nothing is allocated (labels are drawn in every frame).
template <class Glifo>
void paraCadaGlifo(const char* utf8, char32_t fin, Glifo glifo, bool saltos = false)
{
    while (*utf8 != '\0') {
        const Caracter c = leerCaracter(utf8);
        const bool propio = c.codigo < fin && (!esControl(c.codigo) || (saltos && c.codigo == '\n'));
        glifo(propio ? static_cast<unsigned char>(c.codigo) : static_cast<unsigned char>(kReemplazo));
        utf8 += c.largo;
    }
}

// The text as the bitmap fonts take it: one Latin-1 byte per character, newlines kept.
std::string aLatin1(const std::string& utf8);

// Characters of the text, that is glyphs drawn.
std::size_t contarCaracteres(const char* utf8);

// The Latin-1 character with this code (a key as freeglut delivers it under X11) in UTF-8.
std::string utf8DeLatin1(unsigned char codigo);

// Length of the text once its last character is removed (0 for an empty text).
std::size_t sinUltimoCaracter(const std::string& utf8);

// Drawing with the viewer's two fonts.

// In the 12-point Helvetica bitmap font from the current raster position; a newline starts
// the next line one font height lower, at the same x (the panel's texts).
void escribirBitmap(const std::string& utf8);

// In the mono-spaced Roman stroke font from the current origin, each glyph moving the
// origin on by its advance (the texts inside the model).
void trazarTexto(const char* utf8);

}  // namespace fuentes
