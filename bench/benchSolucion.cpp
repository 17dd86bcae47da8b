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
#include "porticoGenerado.h"
#include "variablesGlobales.h"

namespace {

// Gravity on the beams and wind at the left column: two combinations.
const std::vector<ParDeCombo> kCombos = {
    {"U1", 1.4, "D"},
    {"U2", 1.2, "D"},
    {"U2", 1.6, "W"},
};

// The frame of the benchmark's arguments: storeys, bays.
void generarPorticoDe(const benchmark::State& state)
{
    generarPortico(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), kCombos);
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
        generarPorticoDe(state);
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
        generarPorticoDe(state);
        pasosSolucion::vaciarResultados();
        state.ResumeTiming();
        ensamblar();
        benchmark::DoNotOptimize(kLL.data());
    }
}

void BM_Factorizacion(benchmark::State& state)
{
    generarPorticoDe(state);
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
    generarPorticoDe(state);
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
