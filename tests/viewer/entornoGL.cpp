#include "entornoGL.h"

#include <gtest/gtest.h>
#include <GL/freeglut.h>


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
