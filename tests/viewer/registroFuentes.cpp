#include "registroFuentes.h"

#include <GL/freeglut.h>

#include <cmath>

std::vector<std::string> registro::bitmap;
std::vector<registro::Trazo> registro::trazos;

void registro::vaciar()
{
    bitmap.clear();
    trazos.clear();
}

std::string registro::textoTrazado()
{
    std::string texto;
    for (const Trazo& t : trazos)
        texto += static_cast<char>(t.codigo);
    return texto;
}

namespace {

// Whether glyph b stands one advance of the mono-spaced font after glyph a, in a's direction.
bool siguiente(const registro::Trazo& a, const registro::Trazo& b)
{
    constexpr double kAvance = 104.76;
    const double ex = a.x + kAvance * a.dx, ey = a.y + kAvance * a.dy;
    const double tolerancia = 0.05 * kAvance * std::hypot(a.dx, a.dy);
    return std::hypot(b.x - ex, b.y - ey) < tolerancia;
}

}  // namespace

std::vector<registro::Rotulo> registro::rotulos()
{
    std::vector<Rotulo> textos;
    for (std::size_t i = 0; i < trazos.size(); ++i) {
        if (textos.empty() || !siguiente(trazos[i - 1], trazos[i]))
            textos.push_back({"", trazos[i], trazos[i]});
        textos.back().texto += static_cast<char>(trazos[i].codigo);
        textos.back().ultimo = trazos[i];
    }
    return textos;
}

std::vector<registro::Rotulo> registro::buscar(const std::string& texto)
{
    std::vector<Rotulo> encontrados;
    for (const Rotulo& r : rotulos())
        if (r.texto == texto)
            encontrados.push_back(r);
    return encontrados;
}

extern "C" {

void __real_glutBitmapString(void* fuente, const unsigned char* texto);
void __real_glutStrokeCharacter(void* fuente, int codigo);

void __wrap_glutBitmapString(void* fuente, const unsigned char* texto)
{
    registro::bitmap.emplace_back(reinterpret_cast<const char*>(texto));
    __real_glutBitmapString(fuente, texto);
}

void __wrap_glutStrokeCharacter(void* fuente, int codigo)
{
    // Column-major: the first column is the glyph's x axis, the fourth its origin.
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    registro::trazos.push_back({codigo, m[12], m[13], m[0], m[1]});
    __real_glutStrokeCharacter(fuente, codigo);
}

}  // extern "C"
