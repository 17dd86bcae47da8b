#include "botonesPlot.h"

#include <GL/freeglut.h>

#include "funcionPlot.h"
#include "fuentes.h"
#include "variablesGlobales.h"

namespace {

struct Color {
    float r, g, b;
};

// Fill when on / off.
constexpr Color kFondoEncendido{0.3f, 0.3f, 0.0f};
constexpr Color kFondoApagado{0.1f, 0.1f, 0.0f};

// The rectangle, then the label with its baseline one pixel above the bottom edge.
void dibujarBoton(double x, double y, double w, double h, const std::string& label, bool encendido,
                  const Color& colorTexto)
{
    const Color& fondo = encendido ? kFondoEncendido : kFondoApagado;
    glColor3f(fondo.r, fondo.g, fondo.b);
    glBegin(GL_QUADS);
    glVertex3f(static_cast<float>(x), static_cast<float>(y + h), -0.01f);
    glVertex3f(static_cast<float>(x), static_cast<float>(y), -0.01f);
    glVertex3f(static_cast<float>(x + w), static_cast<float>(y), -0.01f);
    glVertex3f(static_cast<float>(x + w), static_cast<float>(y + h), -0.01f);
    glEnd();

    glColor3f(colorTexto.r, colorTexto.g, colorTexto.b);
    glRasterPos2f(static_cast<float>(x + 5), static_cast<float>(y + h - 1));
    fuentes::escribirBitmap(label);
}

// Strictly inside: a click on the border misses. Consumes the click when it hits.
bool tomarClick(double x, double y, double w, double h)
{
    const bool dentro = x < xClickIzq && xClickIzq < x + w && y < yClickIzq && yClickIzq < y + h;
    if (dentro)
        xClickIzq = yClickIzq = 0;
    return dentro;
}

}  // namespace

void botonCombo(double x, double y, double w, double h, std::string label, int n)
{
    // Combinations from index 100 on have no display slot: no button.
    if (n < 0 || 100 + n >= static_cast<int>(flags.size()))
        return;
    int& slot = flags[100 + n];
    const bool encendido = slot % 2 != 0;
    dibujarBoton(x, y, w, h, label, encendido, encendido ? Color{0, 1, 0} : Color{0, 0.3f, 0});
    if (tomarClick(x, y, w, h))
        slot += 1;
}

void botonFlag(double x, double y, double w, double h, std::string label, int k)
{
    const bool encendido = flags[k] % 2 != 0;
    dibujarBoton(x, y, w, h, label, encendido, encendido ? Color{0.7f, 1, 0} : Color{0.2f, 0.3f, 0});
    if (tomarClick(x, y, w, h))
        modificadorFlagsGraf(k);
}
