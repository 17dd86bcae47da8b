#pragma once

// A drawing fixture for the model drawers: an orthographic view of known pixel size over the
// test window, the program-wide state reset to an empty model, and pixel queries in model
// coordinates. The model point (0, 0) sits on the centre of pixel (cx, cy) (cy from the
// top) and every multiple of the pixel size p lands on a pixel centre, so lines drawn there
// light exactly the pixels expected.

#include <gtest/gtest.h>
#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>

#include "entornoGL.h"
#include "variablesGlobales.h"

// Colour as the drawers give it to glColor3f; matched with a tolerance of one level.
struct Tono {
    float r, g, b;
};

inline bool mismoTono(const Pixel& p, const Tono& t)
{
    auto cerca = [](int v, float f) { return std::abs(v - static_cast<int>(std::lround(f * 255))) <= 1; };
    return cerca(p.r, t.r) && cerca(p.g, t.g) && cerca(p.b, t.b);
}

// Bounding box of the pixels of one colour, in window pixels (y from the top).
struct Caja {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    int n = 0;
    bool vacia() const { return n == 0; }
};

class Lienzo : public ::testing::Test {
protected:
    void SetUp() override
    {
        reiniciarModelo();
        vista(1.0, kAnchoVentana / 2, kAltoVentana / 2);
    }

    // Empty model, the display flags as the window opens them, plain scales.
    static void reiniciarModelo()
    {
        nudo.clear();
        barra.clear();
        noNudos = noBarras = noCombos = noLibres = 0;
        flags.assign(200, 0);
        flags[9] = flags[14] = flags[15] = flags[16] = 1;
        barrasAisladas.resize(0);
        nudosAislados.resize(0);
        escalaDef = escalaM = escalaV = escalaN = escalaCarga = 1;
        escalaTexto = 1;
        escalaApoyo = 0;
        precision = 2;
    }

    // p model units per pixel; the model origin on the centre of pixel (cx, cy).
    void vista(double p, int cx, int cy)
    {
        tamPixel = p;
        origenX = cx;
        origenY = cy;
        const int filaAbajo = kAltoVentana - 1 - cy;  // the origin's row counted from the bottom
        glViewport(0, 0, kAnchoVentana, kAltoVentana);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho((-cx - 0.5) * p, (kAnchoVentana - cx - 0.5) * p, (-filaAbajo - 0.5) * p,
                (kAltoVentana - filaAbajo - 0.5) * p, -1000, 1000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glLineWidth(1);
        glColor3f(1, 1, 1);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // The drawers size screen-constant marks from zCam, the model length across the
        // window's smaller side; keep it true to this view.
        zCam = kAltoVentana * p;
        diagonalObj = zCam;
    }

    void limpiar() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

    int columna(double x) const { return origenX + static_cast<int>(std::lround(x / tamPixel)); }
    int fila(double y) const { return origenY - static_cast<int>(std::lround(y / tamPixel)); }

    // Shows every node and bar of the model built so far.
    static void mostrarTodo()
    {
        noNudos = static_cast<int>(nudo.size());
        noBarras = static_cast<int>(barra.size());
        nudosAislados = Eigen::VectorXi::Ones(noNudos);
        barrasAisladas = Eigen::VectorXi::Ones(noBarras);
    }

    // Bounding box and count of the pixels that satisfy the test.
    template <class Prueba>
    static Caja cajaDonde(const ImagenGL& img, Prueba cumple)
    {
        Caja c;
        for (int y = 0; y < img.alto; ++y)
            for (int x = 0; x < img.ancho; ++x)
                if (cumple(img.en(x, y))) {
                    c.x0 = std::min(c.x0, x);
                    c.y0 = std::min(c.y0, y);
                    c.x1 = std::max(c.x1, x);
                    c.y1 = std::max(c.y1, y);
                    ++c.n;
                }
        return c;
    }

    static Caja caja(const ImagenGL& img, const Tono& t)
    {
        return cajaDonde(img, [&](const Pixel& p) { return mismoTono(p, t); });
    }

    // Pixels of any colour but black.
    static Caja tinta(const ImagenGL& img)
    {
        return cajaDonde(img, [](const Pixel& p) { return p.r || p.g || p.b; });
    }

    // Whether a pixel of colour t lies within one pixel of the model point (x, y).
    bool hayTonoCerca(const ImagenGL& img, double x, double y, const Tono& t, int radio = 1) const
    {
        for (int dy = -radio; dy <= radio; ++dy)
            for (int dx = -radio; dx <= radio; ++dx) {
                const int px = columna(x) + dx, py = fila(y) + dy;
                if (px >= 0 && py >= 0 && px < img.ancho && py < img.alto && mismoTono(img.en(px, py), t))
                    return true;
            }
        return false;
    }

    bool hayTintaCerca(const ImagenGL& img, double x, double y, int radio = 1) const
    {
        for (int dy = -radio; dy <= radio; ++dy)
            for (int dx = -radio; dx <= radio; ++dx) {
                const int px = columna(x) + dx, py = fila(y) + dy;
                if (px < 0 || py < 0 || px >= img.ancho || py >= img.alto)
                    continue;
                const Pixel p = img.en(px, py);
                if (p.r || p.g || p.b)
                    return true;
            }
        return false;
    }

    static bool igualesImagenes(const ImagenGL& a, const ImagenGL& b)
    {
        for (int y = 0; y < a.alto; ++y)
            for (int x = 0; x < a.ancho; ++x)
                if (!(a.en(x, y) == b.en(x, y)))
                    return false;
        return true;
    }

    double tamPixel = 1;
    int origenX = 0;
    int origenY = 0;
};
