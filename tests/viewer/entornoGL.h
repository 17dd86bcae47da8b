#pragma once

#include <vector>

// One freeglut window per test process (1000 x 800 pixels, the viewer's size), opened by
// the test main before any test runs. Tests draw into its back buffer and read it back.

constexpr int kAnchoVentana = 1000;
constexpr int kAltoVentana = 800;

struct Pixel {
    int r;
    int g;
    int b;
    bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A copy of the back buffer, read after drawing and before any swap.
class ImagenGL {
public:
    static ImagenGL leer();
    // x to the right, y downwards from the window's top edge: the panel's pixel frame.
    Pixel en(int x, int y) const;
    // Number of pixels of exactly this colour inside the rectangle [x0, x1) x [y0, y1).
    int contar(const Pixel& color, int x0, int y0, int x1, int y1) const;
    bool esNegro() const;
    int ancho = 0;
    int alto = 0;

private:
    std::vector<unsigned char> datos;
};
