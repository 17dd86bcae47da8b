// Arrows, number and text labels and arcs drawn inside the model: in the caller's current
// model-view frame, at z = 0, in model length units, with the caller's colour and line
// width. Texts use the mono-spaced Roman stroke font, scaled so that a text height h in
// model units spans the font's full height of 152.38 font units.

#include "elementosPlot.h"

#include <cmath>
#include <cstdio>

#include <GL/freeglut.h>

#include "elementosPlotComun.h"
#include "fuentes.h"
#include "variablesGlobales.h"

namespace {

// Font units to model units for a text of height h (h / 152.38).
constexpr double kFactorAltura = 0.006562541015881349;
// Advance of every character of the mono-spaced font, in font units.
constexpr double kAvance = 104.76;
// Decimals beyond this add only trailing zeros to a double's exact expansion (its binary
// fraction ends within 1074 decimal places), so capping there changes no drawn character
// and keeps the formatting bounded for any "precision:".
constexpr int kMaxDecimales = 1100;

constexpr std::size_t kFormato = 20;    // "%.<d>f" or "%.<d>e" and the terminator
constexpr std::size_t kEtiqueta = dibujo::kLargoEtiqueta;

enum class Alineacion { izquierda, derecha, centro };

// Writes v with d decimals ('f' fixed-point, 'e' exponent notation) into the label buffer;
// a longer text is cut after its 99th character. A negative d counts as 0.
void formatear(char (&etiqueta)[kEtiqueta], double v, int d, char notacion)
{
    char formato[kFormato];
    const int decimales = d < 0 ? 0 : (d > kMaxDecimales ? kMaxDecimales : d);
    std::snprintf(formato, sizeof formato, notacion == 'e' ? "%%.%de" : "%%.%df", decimales);
    if (std::snprintf(etiqueta, sizeof etiqueta, formato, v) < 0)
        etiqueta[0] = '\0';
}

// Width in font units: every character, accented or not, is one glyph of the mono-spaced
// font (its own or the replacement glyph), so the width follows the character count.
double anchoDeTexto(const char* texto) { return kAvance * static_cast<double>(fuentes::contarCaracteres(texto)); }

// The label's baseline starts, ends or is centred at (x, y).
void trazarEtiqueta(double x, double y, const char* texto, double h, Alineacion alineacion)
{
    const double k = h * kFactorAltura;
    const double ancho = anchoDeTexto(texto);  // font units
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
    glScalef(static_cast<float>(k), static_cast<float>(k), static_cast<float>(k));
    if (alineacion == Alineacion::derecha)
        glTranslatef(static_cast<float>(-ancho), 0.0f, 0.0f);
    else if (alineacion == Alineacion::centro)
        glTranslatef(static_cast<float>(-ancho / 2), 0.0f, 0.0f);
    fuentes::trazarTexto(texto);
    glPopMatrix();
}

void trazarNumero(double x, double y, double v, int d, double h, char notacion, Alineacion alineacion)
{
    char etiqueta[kEtiqueta];
    formatear(etiqueta, v, d, notacion);
    trazarEtiqueta(x, y, etiqueta, h, alineacion);
}

}  // namespace

void dibujo::formatearEtiqueta(char (&etiqueta)[kLargoEtiquetaConPrefijo], const char* prefijo, double v, int d)
{
    char numero[kEtiqueta];
    formatear(numero, v, d, 'f');
    std::snprintf(etiqueta, sizeof etiqueta, "%s%s", prefijo, numero);
}

void drawFlecha(double x1, double y1, double x2, double y2, double h)
{
    // Coincident points give no direction (0/0): nothing is drawn, not even a head.
    const double largo = std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
    if (!(largo > 0))
        return;
    double theta = std::acos((x2 - x1) / largo);  // 0 to PI
    if (y2 - y1 < 0)
        theta = -theta;

    glBegin(GL_LINES);
    glVertex3f(static_cast<float>(x1), static_cast<float>(y1), 0.0f);
    glVertex3f(static_cast<float>(x2), static_cast<float>(y2), 0.0f);
    glEnd();

    // Head: two strokes of length h back from the tip, half-width h / 3.
    glPushMatrix();
    glTranslatef(static_cast<float>(x2), static_cast<float>(y2), 0.0f);
    glRotatef(static_cast<float>(theta * 180 / PI), 0.0f, 0.0f, 1.0f);
    glBegin(GL_LINES);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(static_cast<float>(-h), static_cast<float>(h / 3), 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(static_cast<float>(-h), static_cast<float>(-h / 3), 0.0f);
    glEnd();
    glPopMatrix();
}

void drawNumFloat(double x, double y, double v, int d, double h)
{
    trazarNumero(x, y, v, d, h, 'f', Alineacion::izquierda);
}

void drawNumFloatRight(double x, double y, double v, int d, double h)
{
    trazarNumero(x, y, v, d, h, 'f', Alineacion::derecha);
}

void drawNumFloatCenter(double x, double y, double v, int d, double h)
{
    trazarNumero(x, y, v, d, h, 'f', Alineacion::centro);
}

void drawNumSci(double x, double y, double v, int d, double h)
{
    trazarNumero(x, y, v, d, h, 'e', Alineacion::izquierda);
}

void drawTextoEscalado(double x, double y, const char* texto, double h)
{
    trazarEtiqueta(x, y, texto, h, Alineacion::izquierda);
}

void drawTextoEscaladoNew(const char* texto, double h, int modo)
{
    const double k = h * kFactorAltura;
    const double ancho = anchoDeTexto(texto) * k;  // model units
    double desplazamiento = 0;
    switch (modo) {
    case 1: desplazamiento = 0; break;
    case 2: desplazamiento = -ancho / 2; break;
    case 3: desplazamiento = -ancho; break;
    default: return;
    }
    // The baseline is raised 0.2 h above the frame's origin.
    glPushMatrix();
    glTranslatef(static_cast<float>(desplazamiento), static_cast<float>(0.2 * h), 0.0f);
    glScalef(static_cast<float>(k), static_cast<float>(k), static_cast<float>(k));
    fuentes::trazarTexto(texto);
    glPopMatrix();
}

void plotArco(double cx, double cy, double r, double a0, double a1)
{
    // Ten equal steps, eleven vertices, whatever the radius and the span.
    const double alfa0 = PI * a0 / 180;
    const double alfa1 = PI * a1 / 180;
    const double paso = (alfa1 - alfa0) / 10;
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 10; ++i) {
        const double phi = i * paso + alfa0;
        glVertex3f(static_cast<float>(r * std::cos(phi) + cx), static_cast<float>(r * std::sin(phi) + cy), 0.0f);
    }
    glEnd();
}
