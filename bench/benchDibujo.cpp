// Frames per second of the viewer's frame (panel, model and the result kind shown, every
// combination superimposed) in a real 1000 x 800 window; it needs a display (Xvfb will
// do). Each iteration composes one frame into the back buffer and waits for the renderer
// (glFinish), so the figure includes the rasterisation, not only the calls.
//
//   Ejemplo:  the bundled example, every combination shown, "plotM", labels on.
//   Portico:  a generated frame of 40 storeys by 10 bays, three combinations, all shown,
//             "plotM" and labels on (arg 1) beside the same frame without result drawing
//             (arg 0) and with "plotM" but no labels (arg 2, to show what the labels cost).

#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include "funcionLeerArchivo.h"
#include "funcionPlot.h"
#include "funcionSolucionU.h"
#include "porticoGenerado.h"
#include "variablesGlobales.h"

namespace {

constexpr int kMomento = 6;      // display flag of the bending moment diagram
constexpr int kEtiquetas = 14;    // value labels of the result drawings
constexpr int kPrimerCombo = 100;

// Three combinations, all of them shown; moment scale and labels fit the frame.
void generarPorticoDeDibujo()
{
    generarPortico(40, 10, {
        {"U1", 1.4, "D"},
        {"U2", 1.2, "D"}, {"U2", 1.6, "L"},
        {"U3", 1.2, "D"}, {"U3", 1.0, "L"}, {"U3", 1.6, "W"},
    });
    escalaM = 0.01;
    escalaTexto = 0.3;
    precision = 2;
}

// The window's start state, every combination shown, and the moment diagram: 0 off, 1 on
// with its labels, 2 on without labels.
void prepararCuadro(int resultados)
{
    prepararVisor();
    changeSize(1000, 800);
    for (int c = 0; c < noCombos && c < 100; ++c)
        flags[static_cast<std::size_t>(kPrimerCombo + c)] = 1;
    if (resultados != 0)
        modificadorFlagsGraf(kMomento);
    if (resultados == 2)
        flags[kEtiquetas] = 0;
}

void medirCuadros(benchmark::State& state)
{
    for (auto _ : state) {
        componerCuadro();
        glFinish();
    }
    state.counters["cuadros_por_s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate);
    state.counters["barras"] = noBarras;
    state.counters["combos"] = noCombos;
}

void Ejemplo(benchmark::State& state)
{
    nudo.clear();
    barra.clear();
    noNudos = noBarras = noCombos = 0;
    nombreArchivo = ORVELTA_EJEMPLO;
    funcionLeerArchivo();
    if (noNudos != 0 && noBarras != 0 && noCombos != 0)
        funcionSolucionU();
    prepararCuadro(static_cast<int>(state.range(0)));
    medirCuadros(state);
}
BENCHMARK(Ejemplo)->Arg(0)->Arg(1)->ArgName("plotM")->UseRealTime()->Unit(benchmark::kMillisecond);

void Portico(benchmark::State& state)
{
    static bool resuelto = false;  // solve the 40 x 10 frame once for both arguments
    if (!resuelto) {
        generarPorticoDeDibujo();
        funcionSolucionU();
        resuelto = true;
    }
    prepararCuadro(static_cast<int>(state.range(0)));
    medirCuadros(state);
}
BENCHMARK(Portico)->Arg(0)->Arg(1)->Arg(2)->ArgName("plotM")->UseRealTime()->Unit(benchmark::kMillisecond);

void nada() {}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(1000, 800);
    glutCreateWindow("ORVELTA - medicion de dibujo");
    glutDisplayFunc(nada);
    for (int i = 0; i < 5; ++i)
        glutMainLoopEvent();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
