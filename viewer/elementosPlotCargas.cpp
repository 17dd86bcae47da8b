// Loads and reactions of one load combination. Load labels show magnitudes, reaction
// labels signed values; both read the model again in every frame.
//
// Node loads are global [Px, Py, Mz] (Mz counter-clockwise positive); bar loads are
// intensities per unit bar length, transverse q along local +y and axial F along local +x,
// linear from the start to the end node. s is model length per unit of force or intensity.

#include "elementosPlot.h"

#include <cmath>

#include <GL/freeglut.h>

#include "elementosPlotComun.h"
#include "variablesGlobales.h"

using dibujo::barraVisible;
using dibujo::flagActivo;
using dibujo::nudoVisible;

namespace {

// Intensities of this magnitude or less at both ends count as no load.
constexpr double kCargaMinima = 1e-5;

void linea(double x1, double y1, double x2, double y2)
{
    glBegin(GL_LINES);
    glVertex3f(static_cast<float>(x1), static_cast<float>(y1), 0.0f);
    glVertex3f(static_cast<float>(x2), static_cast<float>(y2), 0.0f);
    glEnd();
}

void numero(double x, double y, double v) { drawNumFloat(x, y, v, precision, escalaTexto); }

// The arc runs from -90 to 135 degrees around the node; the head marks the sense: at the
// 135-degree end for Mz > 0, at the -90-degree end for Mz < 0.
void momentoNodal(double x, double y, double mz, double h)
{
    const double r = 1.6 * h;
    glLineWidth(2);
    plotArco(x, y, r, -90, 135);
    if (mz > 0) {
        const double ax = x - r * std::cos(PI / 4), ay = y + r * std::sin(PI / 4);
        linea(ax, ay, ax + 0.7 * h, ay + h);
        linea(ax, ay, ax + 0.9 * h, ay + 0.1 * h);
    } else {
        const double bx = x, by = y - r;
        linea(bx, by, bx + 0.6 * h, by + 0.6 * h);
        linea(bx, by, bx + h, by - 0.1 * h);
    }
    glLineWidth(1);
    if (flagActivo(14))
        numero(x + 1.7 * h, y + 0.3 * h, std::abs(mz));
}

// Force arrows end on the node and point along the force; labelled at their tails whatever
// flag 14.
void cargasNodales(const objNudo2d& n, int c, double s, double h)
{
    const double x = n.getX(), y = n.getY();
    const double px = n.getPxCombo(c), py = n.getPyCombo(c), mz = n.getMzCombo(c);
    glColor3f(0.8f, 0.2f, 0.2f);
    if (px != 0) {
        glLineWidth(2);
        drawFlecha(x - px * s, y, x, y, h);
        glLineWidth(1);
        numero(x - px * s, y, std::abs(px));
    }
    if (py != 0) {
        glLineWidth(2);
        drawFlecha(x, y - py * s, x, y, h);
        glLineWidth(1);
        numero(x, y - py * s, std::abs(py));
    }
    if (mz != 0)
        momentoNodal(x, y, mz, h);
}

// In the bar frame: 11 arrows ending on the axis from the load side, and the line through
// their tails.
void cargaTransversal(double largo, double qi, double qf, double s, double h)
{
    glColor3f(0.0f, 0.3f, 0.0f);
    glLineWidth(1);
    for (int j = 0; j <= 10; ++j) {
        const double xj = j * largo / 10;
        const double qj = qi + j * (qf - qi) / 10;
        if (qj != 0)
            drawFlecha(xj, -qj * s, xj, 0, h);
    }
    linea(0, -qi * s, largo, -qf * s);
    glColor3f(0.3f, 0.7f, 0.3f);
    if (flagActivo(14)) {
        numero(0.1 * largo, -qi * s, std::abs(qi));
        drawNumFloatRight(0.9 * largo, -qf * s, std::abs(qf), precision, escalaTexto);
    }
}

// In the bar frame: 11 arrowheads on the axis (arrows of a tiny fixed length) pointing along
// the mean intensity; none when it is zero.
void cargaAxial(double largo, double fi, double ff, double s, double h)
{
    glColor3f(0.0f, 0.4f, 0.5f);
    glLineWidth(2);
    const double sentido = (fi + ff) / 2 * s;
    for (int j = 0; j <= 10; ++j) {
        const double xj = j * largo / 10;
        if (sentido > 0)
            drawFlecha(xj, 0, xj + 0.00001, 0, h);
        else if (sentido < 0)
            drawFlecha(xj, 0, xj - 0.0001, 0, h);
    }
    glColor3f(0.3f, 0.7f, 0.7f);
    glLineWidth(1);
    if (flagActivo(14)) {
        const double t = escalaTexto;
        numero(0.1 * largo, -1.1 * t, std::abs(fi));
        drawNumFloatRight(0.9 * largo, -1.2 * t, std::abs(ff), precision, escalaTexto);
    }
}

void cargasDeBarra(objBarra2d& b, int c, double s, double h)
{
    const double largo = b.getLongitud();
    const double qi = b.getQInicioCombo(c), qf = b.getQFinCombo(c);
    const double fi = b.getFInicioCombo(c), ff = b.getFFinCombo(c);
    const bool transversal = std::abs(qi) > kCargaMinima || std::abs(qf) > kCargaMinima;
    const bool axial = std::abs(fi) > kCargaMinima || std::abs(ff) > kCargaMinima;
    if (!transversal && !axial)
        return;
    glPushMatrix();
    glTranslatef(static_cast<float>(b.getXi()), static_cast<float>(b.getYi()), 0.0f);
    glRotatef(dibujo::grados(b.getAngulo()), 0.0f, 0.0f, 1.0f);
    if (transversal)
        cargaTransversal(largo, qi, qf, s, h);
    if (axial)
        cargaAxial(largo, fi, ff, s, h);
    glPopMatrix();
}

// One "Rx: ", "Ry: " or "Mz: " line at (0.1, y) in the node's frame; the next goes one text
// height lower.
void reaccion(const char* prefijo, double valor, double& y)
{
    char texto[dibujo::kLargoEtiquetaConPrefijo];
    dibujo::formatearEtiqueta(texto, prefijo, valor, precision);
    drawTextoEscalado(0.1, y, texto, escalaTexto);
    y -= escalaTexto;
}

}  // namespace

void plotCarga(int c, double s)
{
    const double h = zCam / 100;  // arrowhead length, moment arc radius 1.6 h
    for (int i = 0; i < noNudos; ++i) {
        const objNudo2d& n = nudo[static_cast<std::size_t>(i)];
        if (nudoVisible(i) && c >= 0 && c < n.getCantidadDeCombos())
            cargasNodales(n, c, s, h);
    }
    for (int i = 0; i < noBarras; ++i) {
        objBarra2d& b = barra[static_cast<std::size_t>(i)];
        if (barraVisible(i) && c >= 0 && c < b.getCantidadDeCombos())
            cargasDeBarra(b, c, s, h);
    }
}

// Labels where the direction is held (code 1) or has a spring; signed values, whatever
// flag 14. Nodes of an unsolved model hold no reactions and get none.
void plotReacciones(int c)
{
    for (int i = 0; i < noNudos; ++i) {
        const objNudo2d& n = nudo[static_cast<std::size_t>(i)];
        if (!nudoVisible(i) || !n.tieneResultados(c))
            continue;
        const Eigen::Vector3i codigo = n.getApoyo();
        glPushMatrix();
        glTranslatef(static_cast<float>(n.getX()), static_cast<float>(n.getY()), 0.0f);
        glColor3f(1.0f, 0.0f, 0.0f);
        glLineWidth(1);
        double y = 0;
        if (codigo(0) == 1 || n.getResorteX() != 0)
            reaccion("Rx: ", n.getReaccionX(c), y);
        if (codigo(1) == 1 || n.getResorteY() != 0)
            reaccion("Ry: ", n.getReaccionY(c), y);
        if (codigo(2) == 1 || n.getResorteGiro() != 0)
            reaccion("Mz: ", n.getReaccionM(c), y);
        glPopMatrix();
    }
}
