#include "elementosPlot.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <string>

#include "botonesPlot.h"
#include "fuentes.h"
#include "variablesGlobales.h"

// The panel: drawn first in every frame, in window pixels over the model view.

namespace {

// The help banner shown by F1: 33 lines, each ended by a newline.
const char* const kAyuda =
    "*******************************************\n"
    "*******     ORVELTA    **********\n"
    "*******autor: nemorin    **********\n"
    "*******************************************\n"
    "TECLAS DE NAVEGACION:\n"
    "Paneo: click izquierdo y mover mouse\n"
    "Zoom: scroll +/-\n"
    "Cambiar escala de diagramas: (tecla +) o (tecla -)\n"
    "Cambiar escala de texto: (shift +) o (shift -)\n"
    "Mostrar u ocultar lineas internas de diagramas: Alt-f\n"
    "Mostrar u ocultar texto de diagramas: Alt-t\n"
    "Mostrar u ocultar nudos: Alt-n\n"
    "\n"
    "Ayuda: F1\n"
    "refrescar Modelo: F5\n"
    "\n"
    "COMANDOS DE LINEA DE COMANDOS:\n"
    "combo  -->Activa la opcion para introducir un combo\n"
    "plotDef -->Plotea deformaciones\n"
    "plotN   -->Plotea Fuerzas Axiales\n"
    "plotM  -->Plotea Momentos flectores\n"
    "plotV  -->Plotea Cortantes\n"
    "plotR   -->Plotea Reacciones\n"
    "plotCarga -->Plotea las cargas de los combos encendidos\n"
    "tagNudos -->Muestra u oculta la numeracion de nudos\n"
    "tagBarras -->Muestra u oculta la numeracion de barras\n"
    "secciones -->Muestra u oculta las secciones transverlaes\n"
    "noTags  -->Oculta todos los Tags\n"
    "\n"
    "aislar -->Activa la opción de introducir la lista de barras a aislar\n"
    "noAislar -->Muestra nuevamente todas las barras ocultas\n"
    "\n"
    "Para mas ayuda: README.md de ORVELTA \n";

const char* const kCredito = "ORVELTA V5.1\nAnalisis de porticos planos";

struct BotonFlag {
    const char* label;
    double y;
    int slot;
};

// Display group (y 30 to 87), then result group (from y = 120).
const BotonFlag kBotonesFlag[] = {
    {"tag Nudos", 30, 0}, {"tag Barras", 45, 1}, {"secciones", 60, 2}, {"apoyos", 75, 9},
    {"carga", 120, 7},    {"reaccion", 135, 8},  {"deflexion", 150, 3}, {"N", 165, 4},
    {"V", 180, 5},        {"M", 195, 6},
};

constexpr int kAyudaVisible = 10;     // display slot of the help banner (F1)
constexpr int kCombosConBoton = 100;  // combinations from index 100 on have no display slot

void texto(double x, double y, const std::string& s)
{
    glRasterPos2f(static_cast<float>(x), static_cast<float>(y));
    fuentes::escribirBitmap(s);
}

// Under the projection of changeSize for the same window and zCam, one unit becomes one
// pixel with the origin at the top-left corner and y downwards.
void marcoDePixeles()
{
    const double a = wVentana / hVentana;
    if (wVentana <= hVentana)
        glScaled(zCam / wVentana, -zCam / a / hVentana, 1);
    else
        glScaled(zCam * a / wVentana, -zCam / hVentana, 1);
    glTranslated(-wVentana / 2, -hVentana / 2, 0);
}

}  // namespace

void plotDialogo()
{
    glPushMatrix();
    glLoadIdentity();
    marcoDePixeles();

    if (flags[kAyudaVisible] % 2 != 0) {
        glColor3f(0, 0.8f, 0);
        texto(20, 30, kAyuda);
    }
    glColor3f(0, 1, 0);
    texto(20, hVentana - 36, dialogo + "\n/>" + comando);
    texto(wVentana - 200, hVentana - 24, kCredito);
    texto(wVentana - 150, 30, "COMBOS ACTIVADOS:");

    // The combination list is the first node's; a model without nodes has none.
    const int combos = nudo.empty() ? 0 : std::min(nudo[0].getCantidadDeCombos(), kCombosConBoton);
    for (int i = 0; i < combos; ++i)
        botonCombo(wVentana - 130, 35 + 15 * i, 130, 12, nudo[0].getNombreCombo(i), i);
    for (const BotonFlag& b : kBotonesFlag)
        botonFlag(10, b.y, 70, 12, b.label, b.slot);
    // A click is meant for the buttons on screen when it was made: the ones of this frame.
    // One that no button took is dropped, so no button moved under it later (a resize, a
    // re-read that adds combinations) toggles without a click of its own.
    xClickIzq = yClickIzq = 0;

    glPopMatrix();
}
