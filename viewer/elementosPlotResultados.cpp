// Result diagrams of one load combination: deformed shape, axial force, shear and bending
// moment, each with its value labels. Every frame asks the bars again for their 21
// stations (abscissa x[k] = L k / 20 from the start node); nothing is cached.
//
// Ordinates are drawn along the bar's local y: +N s and +V s (tension and positive shear on
// the local +y side), -M s for the moment (a positive moment stretches the local -y side,
// so the diagram lies on the stretched side). Only bars and nodes that hold results for
// the combination are drawn.

#include "elementosPlot.h"

#include <cmath>

#include <GL/freeglut.h>

#include "elementosPlotComun.h"
#include "variablesGlobales.h"

using dibujo::barraVisible;
using dibujo::flagActivo;
using dibujo::nudoVisible;

namespace {

constexpr int kEstaciones = 21;

using Numero = void (*)(double x, double y, double v, int d, double h);

struct Color {
    float r, g, b;
};

// Colours of one diagram: outline, ordinate lines, labels.
struct Estilo {
    Color linea;
    Color ordenadas;
    Color etiquetas;
};

void usar(const Color& c) { glColor3f(c.r, c.g, c.b); }

void segmento(double x1, double y1, double x2, double y2)
{
    glVertex2f(static_cast<float>(x1), static_cast<float>(y1));
    glVertex2f(static_cast<float>(x2), static_cast<float>(y2));
}

// Bars beyond 90 degrees (strictly) point leftwards on screen: their labels are turned by
// 180 degrees about their anchor so that they read left to right.
bool etiquetasGiradas(double gradosBarra) { return gradosBarra > 90; }

// One number label in the bar frame: drawn by `recta` at (x, y) when unturned, else by
// `girada` at (xg, yg) in a frame turned by 180 degrees about the anchor (xa, ya).
struct Etiqueta {
    Numero recta;
    double x, y;
    Numero girada;
    double xa, ya, xg, yg;
};

void numero(const Etiqueta& e, bool girar, double v)
{
    if (!girar) {
        e.recta(e.x, e.y, v, precision, escalaTexto);
        return;
    }
    glPushMatrix();
    glTranslatef(static_cast<float>(e.xa), static_cast<float>(e.ya), 0.0f);
    glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
    e.girada(e.xg, e.yg, v, precision, escalaTexto);
    glPopMatrix();
}

// Outline through the 21 ordinates and the ordinate lines (all 21 with flag 15, else the
// two end ones), in the bar frame; the ordinate of station k is escala x tabla(1, k).
void diagrama(const Eigen::MatrixXd& tabla, double escala, const Estilo& estilo)
{
    auto y = [&](int k) { return escala * tabla(1, k); };
    glLineWidth(1);
    usar(estilo.linea);
    glBegin(GL_LINES);
    for (int k = 0; k + 1 < kEstaciones; ++k)
        segmento(tabla(0, k), y(k), tabla(0, k + 1), y(k + 1));
    glEnd();

    usar(estilo.ordenadas);
    const bool todas = flagActivo(15);
    glBegin(GL_LINES);
    for (int k = 0; k < kEstaciones; ++k)
        if (todas || k == 0 || k == kEstaciones - 1)
            segmento(tabla(0, k), 0, tabla(0, k), y(k));
    glEnd();
}

// The bar frame: origin at the start node, x along the bar, y its local y axis.
void marcoDeBarra(objBarra2d& b)
{
    glPushMatrix();
    glTranslatef(static_cast<float>(b.getXi()), static_cast<float>(b.getYi()), 0.0f);
    glRotatef(dibujo::grados(b.getAngulo()), 0.0f, 0.0f, 1.0f);
}

bool conResultados(int i, int c)
{
    return barraVisible(i) && barra[static_cast<std::size_t>(i)].tieneResultados(c);
}

// Both end labels stay inset by one station from the bar ends, turned or not.
void etiquetasAxiales(const Eigen::MatrixXd& t, double s, bool girar)
{
    const double n0 = t(1, 0), n20 = t(1, 20);
    const double x1 = t(0, 1), x19 = t(0, 19);
    numero({drawNumFloat, x1, n0 * s, drawNumFloatRight, t(0, 0), n0 * s, -x1, 0}, girar, n0);
    numero({drawNumFloatRight, x19, n20 * s, drawNumFloat, t(0, 20), n20 * s, x1, 0}, girar, n20);
}

// The zero-shear abscissa, then the largest |V| among stations 0 to 19 (earliest of equal
// magnitudes), labelled only at an interior station 1 to 18.
void etiquetasInterioresCortante(objBarra2d& b, int c, const Eigen::MatrixXd& t, double s, bool girar)
{
    const double xv = b.getXvcero(c);
    if (xv != -1) {
        char texto[dibujo::kLargoEtiquetaConPrefijo];
        dibujo::formatearEtiqueta(texto, "x0= ", xv, precision);
        const double elevacion = 0.2 * escalaTexto;
        if (!girar) {
            drawTextoEscalado(xv, elevacion, texto, escalaTexto);
        } else {
            glPushMatrix();
            glTranslatef(static_cast<float>(xv), 0.0f, 0.0f);
            glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
            drawTextoEscalado(0, elevacion, texto, escalaTexto);
            glPopMatrix();
        }
    }

    double xe = 0, ve = 0;
    for (int k = 0; k < kEstaciones - 1; ++k)
        if (std::abs(t(1, k)) > std::abs(ve)) {
            xe = t(0, k);
            ve = t(1, k);
        }
    if (xe != 0 && xe != t(0, 19))
        numero({drawNumFloat, xe, ve * s, drawNumFloat, xe, ve * s, 0, 0}, girar, ve);
}

void etiquetasCortante(objBarra2d& b, int c, const Eigen::MatrixXd& t, double s, bool girada)
{
    const double v0 = t(1, 0), v20 = t(1, 20);
    numero({drawNumFloat, t(0, 0), v0 * s, drawNumFloat, t(0, 0), v0 * s, 0, 0}, girada, v0);
    numero({drawNumFloatRight, t(0, 20), v20 * s, drawNumFloatRight, t(0, 20), v20 * s, 0, 0}, girada, v20);
    etiquetasInterioresCortante(b, c, t, s, girada);
}

// End values set in by L/50 from the ends; the extreme moment centred at the zero-shear
// point when that lies strictly inside the bar.
void etiquetasMomento(objBarra2d& b, int c, const Eigen::MatrixXd& t, double s, bool girada)
{
    const double largo = b.getLongitud();
    const double margen = largo / 50;
    const double m0 = t(1, 0), m20 = t(1, 20);
    numero({drawNumFloat, t(0, 0) + margen, -m0 * s, drawNumFloat, t(0, 0), -m0 * s, margen, 0}, girada, m0);
    numero({drawNumFloatRight, t(0, 20) - margen, -m20 * s, drawNumFloatRight, t(0, 20), -m20 * s, -margen, 0}, girada,
           m20);

    const double xv = b.getXvcero(c);
    const double mMax = b.getMmax(c);
    if (xv > 0 && xv < largo)
        numero({drawNumFloatCenter, xv, -mMax * s, drawNumFloatCenter, xv, -mMax * s, 0, 0}, girada, mMax);
}

enum class Esfuerzo { axial, cortante, momento };

Eigen::MatrixXd estaciones(objBarra2d& b, Esfuerzo e, int c)
{
    switch (e) {
    case Esfuerzo::axial: return b.getSolicitacionAxial(c, kEstaciones);
    case Esfuerzo::cortante: return b.getSolicitacionCortante(c, kEstaciones);
    default: return b.getSolicitacionMomento(c, kEstaciones);
    }
}

void plotEsfuerzo(Esfuerzo e, int c, double s, const Estilo& estilo)
{
    for (int i = 0; i < noBarras; ++i) {
        if (!conResultados(i, c))
            continue;
        objBarra2d& b = barra[static_cast<std::size_t>(i)];
        const Eigen::MatrixXd t = estaciones(b, e, c);
        const double signo = e == Esfuerzo::momento ? -1 : 1;
        const bool girada = etiquetasGiradas(b.getAngulo() * 180 / PI);

        marcoDeBarra(b);
        diagrama(t, signo * s, estilo);
        if (flagActivo(14)) {
            usar(estilo.etiquetas);
            switch (e) {
            case Esfuerzo::axial: etiquetasAxiales(t, s, girada); break;
            case Esfuerzo::cortante: etiquetasCortante(b, c, t, s, girada); break;
            case Esfuerzo::momento: etiquetasMomento(b, c, t, s, girada); break;
            }
        }
        glPopMatrix();
    }
}

// Displaced node: a sphere and, with flag 14, the displacements themselves (not scaled).
void nudoDesplazado(const objNudo2d& n, int c, double s)
{
    const double ux = n.getDesplazamientoX(c);
    const double uy = n.getDesplazamientoY(c);
    const double rz = n.getGiroZ(c);
    const double r = (xMax - xMin) / 200;
    const double t = escalaTexto;
    glPushMatrix();
    glTranslatef(static_cast<float>(n.getX() + ux * s), static_cast<float>(n.getY() + uy * s), 0.0f);
    glColor3f(0.0f, 0.7f, 0.7f);
    if (flagActivo(16))
        glutSolidSphere(r, 12, 12);
    if (flagActivo(14)) {
        glColor3f(0.7f, 0.7f, 0.7f);
        drawTextoEscalado(r, t, "Ux, Uy, Giro:", t);
        drawNumSci(r, 0, ux, precision, t);
        drawNumSci(r, -t, uy, precision, t);
        drawNumSci(r, -2 * t, rz, precision, t);
    }
    glPopMatrix();
}

}  // namespace

void plotDeformada(int c, double s)
{
    glLineWidth(1);
    for (int i = 0; i < noNudos; ++i) {
        const objNudo2d& n = nudo[static_cast<std::size_t>(i)];
        if (nudoVisible(i) && n.tieneResultados(c))
            nudoDesplazado(n, c, s);
    }
    glColor3f(0.0f, 0.7f, 0.7f);
    for (int i = 0; i < noBarras; ++i) {
        if (!conResultados(i, c))
            continue;
        const Eigen::MatrixXd p = barra[static_cast<std::size_t>(i)].getBarraDeformada(c, kEstaciones, s);
        glBegin(GL_LINES);
        for (int k = 0; k + 1 < kEstaciones; ++k)
            segmento(p(0, k), p(1, k), p(0, k + 1), p(1, k + 1));
        glEnd();
    }
}

void plotAxial(int c, double s)
{
    plotEsfuerzo(Esfuerzo::axial, c, s, {{0.0f, 0.2f, 0.7f}, {0.0f, 0.1f, 0.4f}, {0.4f, 0.4f, 0.9f}});
}

void plotCortante(int c, double s)
{
    plotEsfuerzo(Esfuerzo::cortante, c, s, {{0.5f, 0.5f, 0.0f}, {0.4f, 0.4f, 0.0f}, {0.5f, 0.5f, 0.0f}});
}

void plotMomento(int c, double s)
{
    plotEsfuerzo(Esfuerzo::momento, c, s, {{0.7f, 0.2f, 0.0f}, {0.5f, 0.1f, 0.0f}, {0.7f, 0.2f, 0.0f}});
}
