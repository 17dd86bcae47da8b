#include "funcionPlot.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "elementosPlot.h"
#include "fuentes.h"
#include "funcionLeerArchivo.h"
#include "funcionSolucionU.h"
#include "modificadores.h"
#include "variablesGlobales.h"

namespace {

// Display flag slots.
constexpr int kTagNudos = 0;
constexpr int kTagBarras = 1;
constexpr int kSecciones = 2;
constexpr int kDeformada = 3;
constexpr int kAxial = 4;
constexpr int kCortante = 5;
constexpr int kMomento = 6;
constexpr int kCarga = 7;
constexpr int kReacciones = 8;
constexpr int kApoyos = 9;
constexpr int kAyuda = 10;
constexpr int kEtiquetas = 14;
constexpr int kOrdenadas = 15;
constexpr int kEsferas = 16;
constexpr int kPrimerCombo = 100;  // slot 100 + n shows combination n
constexpr int kCombosConCasilla = 100;

constexpr double kPasoZoom = 1.07;
constexpr double kPasoEscala = 1.1;

bool encendido(int slot) { return flags[slot] % 2 != 0; }

void alternar(int slot) { flags[slot] += 1; }

// Every node and bar shown again (window opening, F5).
void mostrarTodo()
{
    nudosAislados.setOnes(noNudos);
    barrasAisladas.setOnes(noBarras);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Window, camera and frame
// ---------------------------------------------------------------------------------------

void funcionPlot(int argc, char** argv)
{
    glutInit(&argc, argv);
    // Closing the window ends the process through exit(), so the program-wide state is
    // destroyed as at any other end.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_EXIT);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(1000, 800);
    glutCreateWindow("ORVELTA V5.1 - autor: NEMORIN");

    prepararVisor();

    glutDisplayFunc(draw);
    glutReshapeFunc(changeSize);
    glutIdleFunc(draw);
    // No wheel callback: with none registered freeglut reports the wheel as buttons 3 and 4.
    glutMouseFunc(mouseButton);
    glutMotionFunc(mouseMove);
    glutKeyboardFunc(teclado);
    glutSpecialFunc(tecladoEspecial);
    glutSpecialUpFunc(tecladoEspecialSoltado);
    glutEntryFunc(mouseEntry);
    glutWindowStatusFunc(windowStatus);
    glutMainLoop();
}

void prepararVisor()
{
    flags.assign(200, 0);
    for (int slot : {kApoyos, kEtiquetas, kOrdenadas, kEsferas})
        flags[slot] = 1;
    mostrarTodo();
    funcionFronteraGraf();
}

void funcionFronteraGraf()
{
    // The box starts at the origin, so it always holds it.
    xMin = xMax = yMin = yMax = 0;
    for (int i = 0; i < noNudos; ++i) {
        const double x = nudo[i].getX();
        const double y = nudo[i].getY();
        if (x < xMin) xMin = x;
        if (x > xMax) xMax = x;
        if (y < yMin) yMin = y;
        if (y > yMax) yMax = y;
    }
    xCam = xCentroObj = (xMin + xMax) / 2;
    yCam = yCentroObj = (yMin + yMax) / 2;
    diagonalObj = std::sqrt((xMax - xMin) * (xMax - xMin) + (yMax - yMin) * (yMax - yMin));
    // A box without extent (no node, or all at the origin) would give a view of size 0,
    // which no zoom can leave: show one model unit across instead.
    if (diagonalObj == 0)
        diagonalObj = 1;
    zCam = diagonalObj;
}

void changeSize(int w, int h)
{
    if (h == 0)
        h = 1;
    const double r = static_cast<double>(w) / h;
    wVentana = w;
    hVentana = h;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, w, h);
    // zCam model units across the smaller side. The eye stands zCam above the model plane
    // and the panel is drawn at the eye: the far plane follows zCam so that both stay
    // inside the depth range at any zoom.
    const double cerca = -1000;
    const double lejos = zCam + 1000;
    if (w <= h)
        glOrtho(-zCam / 2, zCam / 2, -zCam / (2 * r), zCam / (2 * r), cerca, lejos);
    else
        glOrtho(-zCam * r / 2, zCam * r / 2, -zCam / 2, zCam / 2, cerca, lejos);
    glMatrixMode(GL_MODELVIEW);
}

void componerCuadro()
{
    // No clear colour is set: the background is black. Depth testing stays off, so what is
    // drawn later covers what was drawn earlier.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, 0, 0, 1, 0);

    plotDialogo();
    if (noBarras != 0) {
        plotBarras();
        plotArticulaciones();
    }
    if (noNudos != 0)
        plotNudos();
    if (encendido(kTagNudos)) plotTagNudos(escalaTexto);
    if (encendido(kTagBarras)) plotTagBarras(escalaTexto);
    if (encendido(kSecciones)) plotSecciones(escalaTexto);
    if (encendido(kApoyos)) {
        plotApoyos(escalaApoyo);
        plotResortes(escalaApoyo);
    }

    // At most one result kind is on; it is drawn for every shown combination, superimposed.
    // Combinations from index 100 on have no flag slot and are never shown.
    const int combosVisibles = std::min(noCombos, kCombosConCasilla);
    for (int kind = kDeformada; kind <= kReacciones; ++kind) {
        if (!encendido(kind))
            continue;
        for (int c = 0; c < combosVisibles; ++c) {
            if (!encendido(kPrimerCombo + c))
                continue;
            switch (kind) {
            case kDeformada: plotDeformada(c, escalaDef); break;
            case kAxial: plotAxial(c, escalaN); break;
            case kCortante: plotCortante(c, escalaV); break;
            case kMomento: plotMomento(c, escalaM); break;
            case kCarga: plotCarga(c, escalaCarga); break;
            case kReacciones: plotReacciones(c); break;
            }
        }
    }
}

void draw()
{
    componerCuadro();
    glFlush();
    glutSwapBuffers();
}

// ---------------------------------------------------------------------------------------
// Mouse: pan and zoom
// ---------------------------------------------------------------------------------------

void mouseButton(int button, int state, int x, int y)
{
    const bool suelta = (state == GLUT_UP);
    if (button == GLUT_LEFT_BUTTON) {
        if (!suelta) {
            clickIzq = 1;
            xClickIzq = yClickIzq = 0;  // a press clears the pending click
            xLast = x;
            yLast = y;
        } else {
            clickIzq = -1;
            xClickIzq = x;  // wherever it is released, also at the end of a drag
            yClickIzq = y;
        }
        return;
    }
    if (button == 3 && suelta)
        zoomIn();
    else if (button == 4 && suelta)
        zoomOut();
}

void mouseMove(int x, int y)
{
    if (clickIzq != 1)
        return;
    // Model units per pixel of drag, independent of the window size. Window y grows
    // downwards and model Y upwards, so the model follows the cursor.
    const double k = std::tan(PI / 8) * 2 * zCam / 1000;
    const double dx = xLast - x;
    const double dy = yLast - y;
    xCam += dx * k;
    xCentroObj += dx * k;
    yCam -= dy * k;
    yCentroObj -= dy * k;
    xLast = x;
    yLast = y;
}

// The zoom is about the window centre: the look-at point stays where it is.
static void aplicarZoom(double factor)
{
    zCam *= factor;
    wVentana = glutGet(GLUT_WINDOW_WIDTH);
    hVentana = glutGet(GLUT_WINDOW_HEIGHT);
    changeSize(static_cast<int>(wVentana), static_cast<int>(hVentana));
    glutPostRedisplay();
}

void zoomIn() { aplicarZoom(1 / kPasoZoom); }

void zoomOut() { aplicarZoom(kPasoZoom); }

// ---------------------------------------------------------------------------------------
// Display flags
// ---------------------------------------------------------------------------------------

void modificadorFlagsGraf(int k)
{
    switch (k) {
    case kTagNudos:
    case kApoyos:
    case kAyuda:
    case kEtiquetas:
    case kOrdenadas:
    case kEsferas:
        alternar(k);
        return;
    case kTagBarras:
    case kSecciones:
        alternar(k);
        flags[k == kTagBarras ? kSecciones : kTagBarras] = 0;
        return;
    default:
        break;
    }
    if (k < kDeformada || k > kReacciones)
        return;
    alternar(k);
    for (int otro = kDeformada; otro <= kReacciones; ++otro)
        if (otro != k)
            flags[otro] = 0;
}

// ---------------------------------------------------------------------------------------
// Keyboard and command line
// ---------------------------------------------------------------------------------------

namespace {

constexpr unsigned char kEsc = 27;
constexpr unsigned char kEnter = 13;
constexpr unsigned char kRetroceso = 8;
constexpr int kF1 = 1;
constexpr int kF5 = 5;

const std::string kListo = "Ingrese Comando:";
const std::string kPreguntaCombo = "Escriba el nombre del Combo y presione ENTER:";
const std::string kPreguntaLista = "Escriba lista de barras a aislar separadas por espacios:";
const std::string kComboCambiado = "Combo Activado/Desactivado, OK. Ingrese Comando:";
const std::string kComboNoExiste = "el combo no existe. Ingrese Comando:";
const std::string kListaInvalida = "Existen valores no válidos en la lista de barras.  Ingrese Comando:";

// A result or support command: its flag slot and the messages for its new state.
struct ComandoFlag {
    const char* comando;
    int slot;
    const char* activado;
    const char* desactivado;
};

const ComandoFlag kComandosFlag[] = {
    {"plotDef", kDeformada, "Deformaciones Activadas. Ingrese Comando:",
     "Deformaciones Desactivadas. Ingrese Comando:"},
    {"plotN", kAxial, "Fuerzas Axiales Activadas. Ingrese Comando:",
     "Fuerzas Axiales Desactivadas. Ingrese Comando:"},
    {"plotV", kCortante, "Fuerzas Cortantes Activadas. Ingrese Comando:",
     "Fuerzas Cortantes Desactivadas. Ingrese Comando:"},
    {"plotM", kMomento, "Momentos Flectores Activados. Ingrese Comando:",
     "Momentos Flectores Desactivados. Ingrese Comando:"},
    {"plotCarga", kCarga, "Graficacion de Cargas Activada. Ingrese Comando:",
     "Graficacion de Cargas Desactivada. Ingrese Comando:"},
    {"plotR", kReacciones, "Graficacion de Reacciones Activada. Ingrese Comando:",
     "Graficacion de Reacciones Desactivada. Ingrese Comando:"},
    {"plotApoyos", kApoyos, "Graficacion de Apoyos Activada. Ingrese Comando:",
     "Graficacion de Apoyos Desactivada. Ingrese Comando:"},
};

// One step of "+" (grow) or "-" (shrink): the scale times or divided by 1.1, so that "+"
// then "-" gives the scale back. A step that would overflow to infinity is not taken: no
// "-" could bring the scale back, and the drawing would be gone for good. "-" never gives
// zero: the smallest positive double divided by 1.1 rounds back to itself.
void pasoDeEscala(double& escala, bool agrandar)
{
    const double nueva = agrandar ? escala * kPasoEscala : escala / kPasoEscala;
    if (std::isfinite(nueva))
        escala = nueva;
}

// "+" and "-" with exactly Shift rescale the text; otherwise the result kind shown
// (reactions have no scale).
void teclaEscala(bool agrandar, int modificadores)
{
    if (modificadores == GLUT_ACTIVE_SHIFT) {
        pasoDeEscala(escalaTexto, agrandar);
        return;
    }
    if (encendido(kDeformada)) pasoDeEscala(escalaDef, agrandar);
    if (encendido(kAxial)) pasoDeEscala(escalaN, agrandar);
    if (encendido(kCortante)) pasoDeEscala(escalaV, agrandar);
    if (encendido(kMomento)) pasoDeEscala(escalaM, agrandar);
    if (encendido(kCarga)) pasoDeEscala(escalaCarga, agrandar);
}

// Alt with t, f or n switches value labels, diagram ordinates and node spheres.
void teclaAlt(unsigned char key)
{
    switch (key) {
    case 't': case 'T': alternar(kEtiquetas); break;
    case 'f': case 'F': alternar(kOrdenadas); break;
    case 'n': case 'N': alternar(kEsferas); break;
    default: break;
    }
}

// A character key into the command line. Control keys without a row of their own (below
// 32, Delete 127, and the Latin-1 controls 128 to 159) would type invisible characters
// that spoil the command: ignored. freeglut delivers the keys of accented letters as their
// Latin-1 codes; the command line holds UTF-8 like every other text, so that it shows them
// and matches names of the input file.
void escribirTecla(unsigned char key)
{
    if (fuentes::esControl(key))
        return;
    comando += fuentes::utf8DeLatin1(key);
}

// The answer to the combination question: the name is looked up in the first node, which
// holds the combination names of the whole model.
void responderCombo()
{
    numeroComboCoincidente = nudo.empty() ? -1 : nudo[0].getNumeroDeCombo(comando);
    if (numeroComboCoincidente == -1) {
        dialogo = kComboNoExiste;
        return;
    }
    if (numeroComboCoincidente >= kCombosConCasilla) {
        dialogo = "El combo " + comando +
                  " no se puede mostrar: solo los 100 primeros combos tienen casilla. Ingrese Comando:";
        return;
    }
    alternar(kPrimerCombo + numeroComboCoincidente);
    dialogo = kComboCambiado;
}

// Words of the list, split at every blank; empty words (a leading blank, two blanks in a
// row) are passed over.
std::vector<std::string> palabrasDeLista(const std::string& linea)
{
    std::vector<std::string> palabras;
    std::string palabra;
    for (char c : linea) {
        if (c != ' ') {
            palabra += c;
            continue;
        }
        if (!palabra.empty())
            palabras.push_back(palabra);
        palabra.clear();
    }
    if (!palabra.empty())
        palabras.push_back(palabra);
    return palabras;
}

// Internal number of the bar whose user number the word names, -1 when the word is not a
// decimal number or names no bar of the model (no lookup entry, a gap, beyond int).
int barraDePalabra(const std::string& palabra)
{
    long long n = 0;
    for (char c : palabra) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
        if (n > std::numeric_limits<int>::max())
            return -1;
    }
    if (noBarras == 0 || n >= punteroBarras.size())
        return -1;
    const int b = punteroBarras(static_cast<Eigen::Index>(n));
    if (b < 0 || b >= static_cast<int>(barra.size()) || b >= barrasAisladas.size())
        return -1;
    // A gap in the user numbers maps to some bar; only the bar that carries the number counts.
    if (barra[b].getNoBarraUsuario() != n)
        return -1;
    const int inicio = barra[b].getNudoInicio();
    const int fin = barra[b].getNudoFinal();
    if (inicio < 0 || inicio >= nudosAislados.size() || fin < 0 || fin >= nudosAislados.size())
        return -1;
    return b;
}

// Shows only the listed bars and their end nodes. A list with any word that names no bar
// is invalid as a whole and leaves everything hidden.
void aislarLista()
{
    barrasAisladas.setZero();
    nudosAislados.setZero();
    std::vector<int> elegidas;
    for (const std::string& palabra : palabrasDeLista(comando)) {
        const int b = barraDePalabra(palabra);
        if (b == -1) {
            dialogo = kListaInvalida;
            return;
        }
        elegidas.push_back(b);
    }
    for (int b : elegidas) {
        barrasAisladas(b) = 1;
        nudosAislados(barra[b].getNudoInicio()) = 1;
        nudosAislados(barra[b].getNudoFinal()) = 1;
    }
    dialogo = kListo;
}

// Enter: the rows are tested in order, each against the state the rows before it left,
// and every row whose test holds acts. dialogo records the pending question.
void ejecutarComando()
{
    if (comando == "exit" || comando == "salir")
        std::exit(0);
    if (comando == "tagNudos") {
        dialogo = kListo;
        modificadorFlagsGraf(kTagNudos);
    }
    if (comando == "tagBarras") {
        dialogo = kListo;
        modificadorFlagsGraf(kTagBarras);
    }
    if (comando == "secciones") {
        dialogo = kListo;
        modificadorFlagsGraf(kSecciones);
    }
    if (comando == "noTags") {
        flags[kTagNudos] = flags[kTagBarras] = flags[kSecciones] = 0;
        dialogo = kListo;
    }
    for (const ComandoFlag& c : kComandosFlag) {
        if (comando != c.comando)
            continue;
        modificadorFlagsGraf(c.slot);
        dialogo = encendido(c.slot) ? c.activado : c.desactivado;
    }
    if (dialogo == kPreguntaCombo)
        responderCombo();
    if (comando == "combo")
        dialogo = kPreguntaCombo;
    if (comando == "noAislar") {
        mostrarTodo();
        dialogo = kListo;
    }
    if (dialogo == kPreguntaLista)
        aislarLista();
    if (comando == "aislar")
        dialogo = kPreguntaLista;
    comando.clear();
}

// F5: the same file read again and solved anew; camera, flags and command line stay.
void releerModelo()
{
    std::cout << "\n\n\n" << std::string(24, '-') << "Reinicio del programa" << std::string(18, '-') << "\n";
    nudo.clear();
    barra.clear();
    noNudos = noBarras = noCombos = 0;
    funcionLeerArchivo();
    mostrarTodo();
    if (noNudos != 0 && noBarras != 0 && noCombos != 0)
        funcionSolucionU();
}

}  // namespace

void teclado(unsigned char key, int, int)
{
    procesarTecla(key, modificadoresDeTecla());
}

void procesarTecla(unsigned char key, int modificadores)
{
    switch (key) {
    case kEsc:
        std::exit(0);
    case kEnter:
        ejecutarComando();
        break;
    case kRetroceso:
        comando.resize(fuentes::sinUltimoCaracter(comando));
        break;
    case '+':
        teclaEscala(true, modificadores);
        break;
    case '-':
        teclaEscala(false, modificadores);
        break;
    default:
        if (modificadores == GLUT_ACTIVE_ALT)
            teclaAlt(key);
        else
            escribirTecla(key);
        break;
    }
    glutPostRedisplay();
}

void tecladoEspecial(int key, int, int)
{
    // Keys not listed (freeglut also reports Shift, Ctrl and Alt themselves) do nothing,
    // beyond the record of the Shift keys held.
    registrarTeclaEspecial(key, true);
    if (key == kF5)
        releerModelo();
    else if (key == kF1)
        alternar(kAyuda);
}

void tecladoEspecialSoltado(int key, int, int)
{
    registrarTeclaEspecial(key, false);
}

// Where the focus follows the pointer (no window manager), a Shift let go outside the window
// is told to the window under the pointer, never to this one. A window manager can give the
// focus to a window raised over this one without the pointer crossing the border; this
// window's visibility changes then. Events queued while F5 reads and solves are handled
// afterwards in order, so no release is lost there.
void mouseEntry(int) { olvidarShiftRegistrado(); }

void windowStatus(int) { olvidarShiftRegistrado(); }
