#include "entornoGL.h"

#include <gtest/gtest.h>
#include <GL/freeglut.h>

#include <cstdio>
#include <string>

ImagenGL ImagenGL::leer()
{
    ImagenGL imagen;
    imagen.ancho = glutGet(GLUT_WINDOW_WIDTH);
    imagen.alto = glutGet(GLUT_WINDOW_HEIGHT);
    imagen.datos.resize(static_cast<std::size_t>(imagen.ancho * imagen.alto * 3));
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, imagen.ancho, imagen.alto, GL_RGB, GL_UNSIGNED_BYTE, imagen.datos.data());
    return imagen;
}

Pixel ImagenGL::en(int x, int y) const
{
    // GL rows come bottom-up.
    const std::size_t i = static_cast<std::size_t>(((alto - 1 - y) * ancho + x) * 3);
    return {datos[i], datos[i + 1], datos[i + 2]};
}

int ImagenGL::contar(const Pixel& color, int x0, int y0, int x1, int y1) const
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (en(x, y) == color)
                ++n;
    return n;
}

bool ImagenGL::esNegro() const
{
    for (unsigned char v : datos)
        if (v != 0)
            return false;
    return true;
}

// Binary PPM turned into PNG by ImageMagick when it is there; the PPM stays otherwise.
void guardarPNG(const char* ruta)
{
    const ImagenGL imagen = ImagenGL::leer();
    const std::string ppm = std::string(ruta) + ".ppm";
    std::FILE* f = std::fopen(ppm.c_str(), "wb");
    if (!f)
        return;
    std::fprintf(f, "P6\n%d %d\n255\n", imagen.ancho, imagen.alto);
    for (int y = 0; y < imagen.alto; ++y)
        for (int x = 0; x < imagen.ancho; ++x) {
            const Pixel p = imagen.en(x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>(p.r), static_cast<unsigned char>(p.g),
                                          static_cast<unsigned char>(p.b)};
            std::fwrite(rgb, 1, 3, f);
        }
    std::fclose(f);
    const std::string orden = "/usr/bin/convert '" + ppm + "' '" + ruta + "' 2>/dev/null && rm -f '" + ppm + "'";
    if (std::system(orden.c_str()) != 0)
        std::fprintf(stderr, "imagen guardada como %s\n", ppm.c_str());
}

namespace {
void nada() {}
}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(kAnchoVentana, kAltoVentana);
    glutCreateWindow("pruebas del visor");
    glutDisplayFunc(nada);
    // Let the window appear and take its first reshape before the tests draw.
    for (int i = 0; i < 5; ++i)
        glutMainLoopEvent();
    return RUN_ALL_TESTS();
}
