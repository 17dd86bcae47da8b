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

// The Shift keys held, as the key events told them: freeglut reports Shift_L and Shift_R
// as special keys on press and on release. Events are handled in the order they came, so
// the record is the state at the event being handled even when the window lags behind.
// Any other special key leaves it as it is.
void registrarTeclaEspecial(int key, bool pulsada);

// Forgets the Shift keys recorded. Called where a release can go to another window: the
// pointer crossing the window's border (with focus following the pointer, a Shift let go
// outside is told to the window under the pointer) and a change of the window's
// visibility. With Caps Lock on every key arrives with Shift, so no key event would clear
// the record. A Shift still held is seen by the pointer query.
void olvidarShiftRegistrado();

// modificadoresDeTecla once it has freeglut's modifiers of the event and the pointer
// query's Shift and lock, both read now: Shift counts as held when the record or the query
// says so (the query covers a Shift pressed before the window had the focus). A key event
// without Shift had no Shift key held, which mends a record whose release went elsewhere.
int modificadoresReales(int deGlut, bool shiftConsultado, bool bloqueoActivo);
