#pragma once

#include <string>

// Panel buttons, in window pixels (origin top left, y downwards): (x, y) is the top-left
// corner, w x h the size. A button has no state of its own: each frame it draws itself from
// its display flag, then tests the pending click (xClickIzq, yClickIzq); a click strictly
// inside toggles the flag and is consumed, so no other button takes it.

// Button of load combination n (display slot 100 + n).
void botonCombo(double x, double y, double w, double h, std::string label, int n);

// Button of display slot k, toggled with the exclusions of modificadorFlagsGraf.
void botonFlag(double x, double y, double w, double h, std::string label, int k);
