#include "registroFuentes.h"

#include <GL/freeglut.h>

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

std::vector<registro::Rotulo> registro::buscar(const std::string& texto)
{
    std::vector<Rotulo> encontrados;
    if (texto.empty())
        return encontrados;
    const std::string todo = textoTrazado();
    for (std::size_t i = todo.find(texto); i != std::string::npos; i = todo.find(texto, i + 1))
        encontrados.push_back({trazos[i], trazos[i + texto.size() - 1]});
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
