#include "fuentes.h"

#include <GL/freeglut.h>

namespace {

// Marks an ill-formed sequence: beyond every code point, so no font holds it.
constexpr char32_t kMalFormado = 0xFFFFFFFF;

bool continuacion(unsigned char b, unsigned char menor, unsigned char mayor) { return b >= menor && b <= mayor; }

}  // namespace

fuentes::Caracter fuentes::leerCaracter(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    if (b[0] < 0x80)
        return {b[0], 1};
    // Lead byte: the sequence length, its payload bits, and the range of the second byte
    // that keeps the form shortest and off the surrogates and beyond U+10FFFF.
    int largo = 0;
    char32_t codigo = 0;
    unsigned char menor = 0x80, mayor = 0xBF;
    if (b[0] >= 0xC2 && b[0] <= 0xDF) {
        largo = 2;
        codigo = b[0] & 0x1F;
    } else if (b[0] >= 0xE0 && b[0] <= 0xEF) {
        largo = 3;
        codigo = b[0] & 0x0F;
        if (b[0] == 0xE0) menor = 0xA0;  // overlong below U+0800
        if (b[0] == 0xED) mayor = 0x9F;  // surrogates U+D800 to U+DFFF
    } else if (b[0] >= 0xF0 && b[0] <= 0xF4) {
        largo = 4;
        codigo = b[0] & 0x07;
        if (b[0] == 0xF0) menor = 0x90;  // overlong below U+10000
        if (b[0] == 0xF4) mayor = 0x8F;  // beyond U+10FFFF
    } else {
        return {kMalFormado, 1};  // a continuation byte, C0, C1 or F5 to FF
    }
    // The terminator is no continuation byte, so a text cut short stops here.
    for (int i = 1; i < largo; ++i) {
        if (!continuacion(b[i], menor, mayor))
            return {kMalFormado, i};
        codigo = (codigo << 6) | (b[i] & 0x3F);
        menor = 0x80;
        mayor = 0xBF;
    }
    return {codigo, largo};
}

std::string fuentes::aLatin1(const std::string& utf8)
{
    std::string latin1;
    paraCadaGlifo(utf8.c_str(), kFinLatin1, [&](unsigned char c) { latin1 += static_cast<char>(c); }, true);
    return latin1;
}

std::size_t fuentes::contarCaracteres(const char* utf8)
{
    std::size_t n = 0;
    for (; *utf8 != '\0'; ++n)
        utf8 += leerCaracter(utf8).largo;
    return n;
}

std::string fuentes::utf8DeLatin1(unsigned char codigo)
{
    if (codigo < 0x80)
        return std::string(1, static_cast<char>(codigo));
    return {static_cast<char>(0xC0 | (codigo >> 6)), static_cast<char>(0x80 | (codigo & 0x3F))};
}

std::size_t fuentes::sinUltimoCaracter(const std::string& utf8)
{
    std::size_t inicio = 0;
    for (std::size_t i = 0; i < utf8.size(); i += static_cast<std::size_t>(leerCaracter(utf8.c_str() + i).largo))
        inicio = i;
    return inicio;
}

void fuentes::escribirBitmap(const std::string& utf8)
{
    const std::string latin1 = aLatin1(utf8);
    glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(latin1.c_str()));
}

void fuentes::trazarTexto(const char* utf8)
{
    paraCadaGlifo(utf8, kFinAscii, [](unsigned char c) { glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, c); });
}
