// Time and memory of the solver on generated frames of N storeys by M bays, two load
// combinations (gravity on the beams, wind on the columns' nodes). Besides the whole
// funcionSolucionU, the benchmark times its parts on the same model: the assembly of the
// structure matrices, the full-pivoting LU factorisation with its solve, and the scatter
// of the displacements with the derivation of bar results and reactions. The parts call
// the solver's own steps (pasosSolucion), in the order funcionSolucionU runs them.

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "funcionSolucionU.h"
#include "variablesGlobales.h"

namespace {

// Column of storey height 3 and bay width 5, concrete-like section; fixed bases.
void generarPortico(int pisos, int vanos)
{
    nudo.clear();
    barra.clear();
    const int porFila = vanos + 1;
    for (int p = 0; p <= pisos; ++p) {
        for (int v = 0; v <= vanos; ++v) {
            objNudo2d n;
            const int i = static_cast<int>(nudo.size());
            n.setNumeroNudoUsuario(i + 1);
            n.setNumeroDeNudo(i);
            n.setCoordenadas(5.0 * v, 3.0 * p);
            const int codigo = (p == 0) ? 1 : 0;
            n.setApoyo(codigo, codigo, codigo);
            if (p > 0 && v == 0)
                n.setCargaPuntual("W", 10.0, 0.0, 0.0);
            nudo.push_back(n);
        }
    }
    auto agregarBarra = [&](int a, int b, bool viga) {
        objBarra2d barraNueva;
        barraNueva.resetFlags();
        const int m = static_cast<int>(barra.size());
        barraNueva.setNumeroBarraUsuario(m + 1);
        barraNueva.setNumeroDeBarra(m);
        barraNueva.setNudoInicio(a, nudo[a].getX(), nudo[a].getY());
        barraNueva.setNudoFinal(b, nudo[b].getX(), nudo[b].getY());
        barraNueva.setNudoInicioUsuario(a + 1);
        barraNueva.setNudoFinalUsuario(b + 1);
        barraNueva.setSeccionRectangular(0.3, viga ? 0.5 : 0.4);
        barraNueva.setModuloE(2e7);
        barraNueva.setPesoEspecifico(24);
        barraNueva.setNombreDeSeccion(viga ? "V" : "C");
        if (viga)
            barraNueva.setCargaLocal("D", 0, 0, -20, -20);
        barra.push_back(barraNueva);
    };
    for (int p = 1; p <= pisos; ++p) {
        for (int v = 0; v <= vanos; ++v)
            agregarBarra((p - 1) * porFila + v, p * porFila + v, false);
        for (int v = 0; v < vanos; ++v)
            agregarBarra(p * porFila + v, p * porFila + v + 1, true);
    }
    for (objNudo2d& n : nudo) {
        n.setCombo("U1", 1.4, "D");
        n.setCombo("U2", 1.2, "D");
        n.setCombo("U2", 1.6, "W");
    }
    for (objBarra2d& b : barra) {
        b.setCombo("U1", 1.4, "D");
        b.setCombo("U2", 1.2, "D");
        b.setCombo("U2", 1.6, "W");
    }
    noNudos = static_cast<int>(nudo.size());
    noBarras = static_cast<int>(barra.size());
    noCombos = 2;
}

// Peak resident memory of the process so far, in bytes.
double memoriaPico()
{
    std::ifstream estado("/proc/self/status");
    std::string clave;
    while (estado >> clave) {
        double kB = 0.0;
        if (clave == "VmHWM:" && estado >> kB)
            return kB * 1024.0;
    }
    return 0.0;
}

void BM_SolucionCompleta(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        generarPortico(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
        state.ResumeTiming();
        funcionSolucionU();
        benchmark::DoNotOptimize(u.data());
    }
    state.counters["gdl"] = 3.0 * noNudos;
    state.counters["libres"] = noLibres;
    state.counters["pico_MB"] = memoriaPico() / 1e6;
}

// Assembly of stiffness, loads and springs, then the partition into free directions.
// Expects the analysis variables emptied by pasosSolucion::vaciarResultados.
void ensamblar()
{
    pasosSolucion::ensamblarRigidez();
    pasosSolucion::ensamblarCargas();
    pasosSolucion::sumarResortes();
    pasosSolucion::particionar();
}

void BM_Ensamblaje(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        generarPortico(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
        pasosSolucion::vaciarResultados();
        state.ResumeTiming();
        ensamblar();
        benchmark::DoNotOptimize(kLL.data());
    }
}

void BM_Factorizacion(benchmark::State& state)
{
    generarPortico(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    pasosSolucion::vaciarResultados();
    ensamblar();
    for (auto _ : state) {
        pasosSolucion::resolverLibres();
        benchmark::DoNotOptimize(uLibres.data());
    }
}

// Displacements back to nodes and bars (with the bars' integration constants) and the
// reactions.
void BM_RepartoYResultados(benchmark::State& state)
{
    generarPortico(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    funcionSolucionU();
    for (auto _ : state) {
        pasosSolucion::repartirDesplazamientos();
        pasosSolucion::calcularReacciones();
        benchmark::DoNotOptimize(reacciones.data());
    }
}

void tamanos(benchmark::internal::Benchmark* b)
{
    b->Args({10, 5})->Args({20, 10})->Args({40, 10})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_SolucionCompleta)->Apply(tamanos);
BENCHMARK(BM_Ensamblaje)->Apply(tamanos);
BENCHMARK(BM_Factorizacion)->Apply(tamanos);
BENCHMARK(BM_RepartoYResultados)->Apply(tamanos);

BENCHMARK_MAIN();
