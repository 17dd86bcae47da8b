// The undeformed model: bars, end-release circles, node spheres, node and bar numbers,
// section names, support and spring symbols. Model coordinates, plane z = 0.
//
// Sizes: fractions of zCam (the model length across the window's smaller side) keep their
// size on screen under zoom; fractions of diagonalObj and the scale arguments are model
// lengths and zoom with the model.

#include "elementosPlot.h"

#include <string>

#include <GL/freeglut.h>

#include "elementosPlotComun.h"
#include "variablesGlobales.h"

using dibujo::barraVisible;
using dibujo::flagActivo;
using dibujo::nudoVisible;

namespace {

void linea(double x1, double y1, double x2, double y2)
{
    glBegin(GL_LINES);
    glVertex2f(static_cast<float>(x1), static_cast<float>(y1));
    glVertex2f(static_cast<float>(x2), static_cast<float>(y2));
    glEnd();
}

void circuloDeArticulacion(double x, double y, double r)
{
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
    plotArco(0, 0, r, 0, 360);
    glPopMatrix();
}

// Support symbols in unit coordinates: node at the origin, x right, y up.
void simboloEmpotramiento()
{
    glLineWidth(3);
    linea(-1, 0, 1, 0);
    glLineWidth(1);
    linea(-1, -0.6, -0.67, 0);
    linea(-0.67, -0.6, -0.33, 0);
    linea(-0.33, -0.6, 0, 0);
    linea(0, -0.6, 0.33, 0);
    linea(0.33, -0.6, 0.67, 0);
}

void simboloArticulado()
{
    glLineWidth(3);
    linea(-1, -1.3, 1, -1.3);
    glLineWidth(1);
    linea(-0.75, -1.3, 0, 0);
    linea(0.75, -1.3, 0, 0);
}

// The circle touches the node above and the base below.
void simboloRodillo()
{
    glLineWidth(3);
    linea(-1, -1.3, 1, -1.3);
    glLineWidth(1);
    plotArco(0, -0.65, 0.65, 0, 360);
}

enum class Apoyo { ninguno, empotrado, articulado, rodillo, rodilloGirado };

// Only these four code patterns have a symbol; any other code (2, -1, ...) has none.
Apoyo tipoDeApoyo(const Eigen::Vector3i& codigo)
{
    const int cx = codigo(0), cy = codigo(1), cr = codigo(2);
    if (cx == 1 && cy == 1 && cr == 1)
        return Apoyo::empotrado;
    if (cx == 1 && cy == 1 && cr == 0)
        return Apoyo::articulado;
    if (cx == 0 && cy == 1 && cr == 0)
        return Apoyo::rodillo;
    if (cx == 1 && cy == 0 && cr == 0)
        return Apoyo::rodilloGirado;
    return Apoyo::ninguno;
}

// Symbol unit: s itself, or a 50th of zCam when s is 0.
double unidadDeSimbolo(double s)
{
    return (s == 0) ? zCam / 50 : s;
}

// Symbol colours, RGB in [0, 1].
struct Color {
    float r, g, b;
};
constexpr Color kColorApoyo{0.8f, 0.8f, 0.3f};         // supports and linear springs
constexpr Color kColorResorteGiro{0.8f, 0.2f, 0.2f};

// One symbol in a frame at the node scaled to the symbol unit s and turned by giro
// degrees (counter-clockwise), in the given colour.
void simboloEnNudo(const objNudo2d& n, double s, float giro, Color color, void (*simbolo)())
{
    glPushMatrix();
    glTranslatef(static_cast<float>(n.getX()), static_cast<float>(n.getY()), 0.0f);
    glScalef(static_cast<float>(s), static_cast<float>(s), 0.0f);
    if (giro != 0.0f)
        glRotatef(giro, 0.0f, 0.0f, 1.0f);
    glColor3f(color.r, color.g, color.b);
    simbolo();
    glPopMatrix();
}

// Axial spring left of the node: ground plate and a zigzag of five segments.
void simboloResorteLineal()
{
    glLineWidth(3);
    linea(-1.7, 0.8, -1.7, -0.8);
    glLineWidth(1);
    glBegin(GL_LINE_STRIP);
    glVertex2f(-1.7f, 0.0f);
    glVertex2f(-1.3f, 0.0f);
    glVertex2f(-1.05f, 0.6f);
    glVertex2f(-0.65f, -0.6f);
    glVertex2f(-0.4f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glEnd();
}

// Rotational spring: a spiral from the node outwards ending at its stem.
void simboloResorteGiro()
{
    glLineWidth(3);
    linea(0.6, 1.8, 0.6, 1);
    glLineWidth(1);
    plotArco(0.4, 0, 0.4, 0, 180);
    plotArco(0, 0, 0.8, 180, 360);
    plotArco(0.6, 0, 1.4, 90, 180);
}

}  // namespace

void plotBarras()
{
    for (int i = 0; i < noBarras; ++i) {
        if (!barraVisible(i))
            continue;
        const objBarra2d& b = barra[static_cast<std::size_t>(i)];
        glLineWidth(3);
        glColor3f(0.5f, 0.5f, 0.5f);
        linea(b.getXi(), b.getYi(), b.getXf(), b.getYf());
    }
}

// A circle at 3% (start) or 97% (end) of a bar for every end whose fixity factor is below
// 1: the getters truncate it, so a hinge and a partial connection look the same.
void plotArticulaciones()
{
    for (int i = 0; i < noBarras; ++i) {
        if (!barraVisible(i))
            continue;
        const objBarra2d& b = barra[static_cast<std::size_t>(i)];
        glLineWidth(1);
        glColor3f(0.1f, 0.7f, 0.1f);
        const double r = zCam / 150;
        const double dx = b.getXf() - b.getXi();
        const double dy = b.getYf() - b.getYi();
        if (b.getArticulacionInicio() != 1)
            circuloDeArticulacion(b.getXi() + 0.03 * dx, b.getYi() + 0.03 * dy, r);
        if (b.getArticulacionFin() != 1)
            circuloDeArticulacion(b.getXi() + 0.97 * dx, b.getYi() + 0.97 * dy, r);
    }
}

// Unlit solid spheres: flat dark-red discs of a fixed model size.
void plotNudos()
{
    if (!flagActivo(16))
        return;
    for (int i = 0; i < noNudos; ++i) {
        if (!nudoVisible(i))
            continue;
        const objNudo2d& n = nudo[static_cast<std::size_t>(i)];
        glColor3f(0.7f, 0.0f, 0.0f);
        glPushMatrix();
        glTranslatef(static_cast<float>(n.getX()), static_cast<float>(n.getY()), 0.0f);
        glutSolidSphere(diagonalObj / 200, 12, 12);
        glPopMatrix();
    }
}

void plotTagNudos(double h)
{
    for (int i = 0; i < noNudos; ++i) {
        if (!nudoVisible(i))
            continue;
        const objNudo2d& n = nudo[static_cast<std::size_t>(i)];
        glColor3f(0.9f, 0.2f, 0.2f);
        glLineWidth(1);
        drawNumFloat(n.getX() + zCam / 200, n.getY() + zCam / 200, n.getNoNudoUsuario(), 0, h);
    }
}

void plotTagBarras(double h)
{
    for (int i = 0; i < noBarras; ++i) {
        if (!barraVisible(i))
            continue;
        const objBarra2d& b = barra[static_cast<std::size_t>(i)];
        glLineWidth(1);
        glColor3f(0.8f, 0.8f, 0.8f);
        drawNumFloat((b.getXi() + b.getXf()) / 2 + zCam / 200, (b.getYi() + b.getYf()) / 2 + zCam / 200,
                     b.getNoBarraUsuario(), 0, h);
    }
}

// The name runs along the bar, centred on its midpoint, just above the local x axis; a bar
// pointing leftwards shows it upside down.
void plotSecciones(double h)
{
    for (int i = 0; i < noBarras; ++i) {
        if (!barraVisible(i))
            continue;
        objBarra2d& b = barra[static_cast<std::size_t>(i)];
        const std::string nombre = b.getNombreDeSeccion();
        glLineWidth(1);
        glColor3f(0.8f, 0.8f, 0.8f);
        glPushMatrix();
        glTranslatef(static_cast<float>((b.getXi() + b.getXf()) / 2), static_cast<float>((b.getYi() + b.getYf()) / 2),
                     0.0f);
        glRotatef(dibujo::grados(b.getAngulo()), 0.0f, 0.0f, 1.0f);
        drawTextoEscaladoNew(nombre.c_str(), h, 2);
        glPopMatrix();
    }
}

void plotApoyos(double s)
{
    s = unidadDeSimbolo(s);
    for (int i = 0; i < noNudos; ++i) {
        if (!nudoVisible(i))
            continue;
        const objNudo2d& n = nudo[static_cast<std::size_t>(i)];
        switch (tipoDeApoyo(n.getApoyo())) {
        case Apoyo::ninguno: break;
        case Apoyo::empotrado: simboloEnNudo(n, s, 0.0f, kColorApoyo, simboloEmpotramiento); break;
        case Apoyo::articulado: simboloEnNudo(n, s, 0.0f, kColorApoyo, simboloArticulado); break;
        case Apoyo::rodillo: simboloEnNudo(n, s, 0.0f, kColorApoyo, simboloRodillo); break;
        case Apoyo::rodilloGirado: simboloEnNudo(n, s, 90.0f, kColorApoyo, simboloRodillo); break;
        }
    }
}

// Each spring with a non-zero constant, independent of the others and of the support.
void plotResortes(double s)
{
    s = unidadDeSimbolo(s);
    for (int i = 0; i < noNudos; ++i) {
        if (!nudoVisible(i))
            continue;
        const objNudo2d& n = nudo[static_cast<std::size_t>(i)];
        if (n.getResorteX() != 0)
            simboloEnNudo(n, s, 0.0f, kColorApoyo, simboloResorteLineal);
        // The Y spring is the X spring turned by +90 degrees: plate below the node, zigzag
        // rising to it.
        if (n.getResorteY() != 0)
            simboloEnNudo(n, s, 90.0f, kColorApoyo, simboloResorteLineal);
        if (n.getResorteGiro() != 0)
            simboloEnNudo(n, s, 0.0f, kColorResorteGiro, simboloResorteGiro);
    }
}
