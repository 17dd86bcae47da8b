#pragma once

// The viewer's panel and drawing. Model drawings work in model length units in the plane
// z = 0 of the current model-view frame; the panel works in window pixels (origin at the
// top-left corner, y downwards). Every drawer skips the nodes and bars hidden by
// nudosAislados / barrasAisladas.

// Panel (elementosPlot.cpp): help banner, prompt and command line, credit text,
// combination buttons and flag buttons.
void plotDialogo();

// Model (elementosPlotModelo.cpp).
void plotBarras();
void plotArticulaciones();
void plotNudos();
void plotTagNudos(double h);
void plotTagBarras(double h);
void plotSecciones(double h);
void plotApoyos(double s);
void plotResortes(double s);

// Result diagrams of combination c (elementosPlotResultados.cpp).
void plotDeformada(int c, double s);
void plotAxial(int c, double s);
void plotCortante(int c, double s);
void plotMomento(int c, double s);

// Loads and reactions of combination c (elementosPlotCargas.cpp).
void plotCarga(int c, double s);
void plotReacciones(int c);

// Primitives (elementosPlotPrimitivas.cpp): caller's colour and line width, text height h
// in model units (mono-spaced Roman stroke font), d decimals, angles in degrees.
void drawFlecha(double x1, double y1, double x2, double y2, double h);
void drawNumFloat(double x, double y, double v, int d, double h);
void drawNumFloatRight(double x, double y, double v, int d, double h);
void drawNumFloatCenter(double x, double y, double v, int d, double h);
void drawNumSci(double x, double y, double v, int d, double h);
void drawTextoEscalado(double x, double y, const char* texto, double h);
void drawTextoEscaladoNew(const char* texto, double h, int modo);
void plotArco(double cx, double cy, double r, double a0, double a1);
