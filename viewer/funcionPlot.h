#pragma once

// The viewer's window: camera, frame loop, mouse, display flags, keyboard and command line.
//
// The camera looks straight down on the plane z = 0 (X right, Y up) through an orthographic
// projection; zCam is both the eye height and the number of model length units shown
// across the window's smaller side. Mouse positions are window pixels, origin at the
// top-left corner, y downwards.

// Opens the window on the model read (and solved, when it could be) and runs the event
// loop; never returns. The process ends through exit().
void funcionPlot(int argc, char** argv);

// Display flags at their start values, every node and bar shown, the model framed: what
// funcionPlot does between creating the window and entering the event loop.
void prepararVisor();

// Frames the model: the box of every node and the origin, the eye above its centre and
// zCam = its diagonal.
void funcionFronteraGraf();

// Reshape callback: viewport and orthographic projection for a window of w x h pixels.
void changeSize(int w, int h);

// Display and idle callback: composes the frame and presents it.
void draw();
// The frame in the back buffer, without flushing or swapping (tests read it back).
void componerCuadro();

// Mouse: button 0 pans (and its release leaves the pending click for the panel buttons),
// the releases of buttons 3 and 4 (wheel forward and back) zoom in and out.
void mouseButton(int button, int state, int x, int y);
void mouseMove(int x, int y);
void zoomIn();
void zoomOut();

// Toggles display flag k, switching off the flags it excludes: 1 and 2 exclude each other,
// the result kinds 3 to 8 exclude one another. Any k outside the table does nothing.
void modificadorFlagsGraf(int k);

// Keyboard callbacks. teclado reads the modifier state of the event, Caps Lock told apart
// from Shift (modificadores.h), and hands the key to procesarTecla; modificadores is a
// combination of GLUT_ACTIVE_SHIFT, _CTRL and _ALT.
void teclado(unsigned char key, int x, int y);
void procesarTecla(unsigned char key, int modificadores);
// Special keys: F1 and F5 act on their press; the presses and releases of the Shift keys
// are recorded for modificadoresDeTecla.
void tecladoEspecial(int key, int x, int y);
void tecladoEspecialSoltado(int key, int x, int y);
// The pointer leaving or entering the window (state GLUT_LEFT, GLUT_ENTERED) and the
// window being hidden, covered or shown again (GLUT_HIDDEN to GLUT_FULLY_COVERED): from
// then on key releases may go to another window, so the Shift keys recorded are forgotten.
void mouseEntry(int state);
void windowStatus(int state);
