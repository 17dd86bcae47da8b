#pragma once

// The modifier keys of a key event. freeglut folds Caps Lock into GLUT_ACTIVE_SHIFT, so
// with the lock on every key would arrive "with Shift"; the keyboard rows mean the Shift
// keys held, whatever the lock state.

// The modifiers (GLUT_ACTIVE_SHIFT, _CTRL, _ALT) of the key event being handled, Shift
// only when a Shift key is held. Call it inside a keyboard callback.
int modificadoresDeTecla();

// freeglut's modifiers corrected by the state of the keys as the window system tells it:
// Shift reported while Caps Lock is on and no Shift key is held is the lock alone.
int sinBloqueoMayusculas(int modificadores, bool shiftSostenido, bool bloqueoActivo);
