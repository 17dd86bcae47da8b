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
#include "variablesGlobales.h"

namespace {

constexpr int kMomento = 6;      // display flag of the bending moment diagram
constexpr int kEtiquetas = 14;    // value labels of the result drawings
constexpr int kPrimerCombo = 100;

// Storey height 3, bay width 5, fixed bases; dead load on the beams, live load on the
// beams, wind at the left column's nodes.
void generarPortico(int pisos, int vanos)
{
    nudo.clear();
    barra.clear();
    const int porFila = vanos + 1;
    for (int p = 0; p <= pisos; ++p)
        for (int v = 0; v <= vanos; ++v) {
            objNudo2d n;
            const int i = static_cast<int>(nudo.size());
            n.setNumeroDeNudo(i);
            n.setNumeroNudoUsuario(i + 1);
            n.setCoordenadas(5.0 * v, 3.0 * p);
            const int codigo = (p == 0) ? 1 : 0;
            n.setApoyo(codigo, codigo, codigo);
            if (p > 0 && v == 0)
                n.setCargaPuntual("W", 10.0, 0.0, 0.0);
            nudo.push_back(n);
        }
    auto agregarBarra = [&](int a, int b, bool viga) {
        objBarra2d nueva;
        nueva.resetFlags();
        const int m = static_cast<int>(barra.size());
        nueva.setNumeroDeBarra(m);
        nueva.setNumeroBarraUsuario(m + 1);
        nueva.setNudoInicio(a, nudo[a].getX(), nudo[a].getY());
        nueva.setNudoFinal(b, nudo[b].getX(), nudo[b].getY());
        nueva.setNudoInicioUsuario(a + 1);
        nueva.setNudoFinalUsuario(b + 1);
        nueva.setSeccionRectangular(0.3, viga ? 0.5 : 0.4);
        nueva.setModuloE(2e7);
        nueva.setPesoEspecifico(24);
        nueva.setNombreDeSeccion(viga ? "V" : "C");
        if (viga) {
            nueva.setCargaLocal("D", 0, 0, -20, -20);
            nueva.setCargaLocal("L", 0, 0, -10, -10);
        }
        barra.push_back(nueva);
    };
    for (int p = 1; p <= pisos; ++p) {
        for (int v = 0; v <= vanos; ++v)
            agregarBarra((p - 1) * porFila + v, p * porFila + v, false);
        for (int v = 0; v < vanos; ++v)
            agregarBarra(p * porFila + v, p * porFila + v + 1, true);
    }
    auto combinar = [](auto& elemento) {
        elemento.setCombo("U1", 1.4, "D");
        elemento.setCombo("U2", 1.2, "D");
        elemento.setCombo("U2", 1.6, "L");
        elemento.setCombo("U3", 1.2, "D");
        elemento.setCombo("U3", 1.0, "L");
        elemento.setCombo("U3", 1.6, "W");
    };
    for (objNudo2d& n : nudo)
        combinar(n);
    for (objBarra2d& b : barra)
        combinar(b);
    noNudos = static_cast<int>(nudo.size());
    noBarras = static_cast<int>(barra.size());
    noCombos = 3;
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
        generarPortico(40, 10);
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
