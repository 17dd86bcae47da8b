#include "modificadores.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {

// freeglut's special-key codes of the two Shift keys.
constexpr int kShiftIzquierdo = 112;
constexpr int kShiftDerecho = 113;

bool shiftIzquierdo = false;
bool shiftDerecho = false;

}  // namespace

int sinBloqueoMayusculas(int modificadores, bool shiftSostenido, bool bloqueoActivo)
{
    if ((modificadores & GLUT_ACTIVE_SHIFT) != 0 && bloqueoActivo && !shiftSostenido)
        return modificadores & ~GLUT_ACTIVE_SHIFT;
    return modificadores;
}

void registrarTeclaEspecial(int key, bool pulsada)
{
    if (key == kShiftIzquierdo)
        shiftIzquierdo = pulsada;
    else if (key == kShiftDerecho)
        shiftDerecho = pulsada;
}

void olvidarShiftRegistrado() { shiftIzquierdo = shiftDerecho = false; }

int modificadoresReales(int deGlut, bool shiftConsultado, bool bloqueoActivo)
{
    if ((deGlut & GLUT_ACTIVE_SHIFT) == 0) {
        olvidarShiftRegistrado();
        return deGlut;
    }
    const bool registrado = shiftIzquierdo || shiftDerecho;
    return sinBloqueoMayusculas(deGlut, registrado || shiftConsultado, bloqueoActivo);
}

int modificadoresDeTecla()
{
    const int modificadores = glutGetModifiers();
    // The pointer query, on freeglut's own connection to the server, returns the modifier
    // mask with the Shift keys and the lock apart. It is the state now rather than at the
    // key event, so it is asked only when freeglut reports Shift and corrects only while
    // the lock is on: with the lock off, freeglut's Shift is the keys themselves.
    Display* pantalla = glXGetCurrentDisplay();
    if ((modificadores & GLUT_ACTIVE_SHIFT) == 0 || pantalla == nullptr)
        return modificadoresReales(modificadores, false, false);
    Window raiz, hijo;
    int xRaiz, yRaiz, xVentana, yVentana;
    unsigned int mascara = 0;
    XQueryPointer(pantalla, DefaultRootWindow(pantalla), &raiz, &hijo, &xRaiz, &yRaiz, &xVentana, &yVentana,
                  &mascara);
    return modificadoresReales(modificadores, (mascara & ShiftMask) != 0, (mascara & LockMask) != 0);
}
