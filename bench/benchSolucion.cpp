// Time and memory of the solver on generated frames of N storeys by M bays, two load
// combinations (gravity on the beams, wind on the columns' nodes). Besides the whole
// funcionSolucionU, the benchmark times its parts on the same model: the assembly of the
// structure matrices, the full-pivoting LU factorisation with its solve, and the scatter
// of the displacements with the derivation of bar results and reactions. The parts call
// the solver's own steps (pasosSolucion), in the order funcionSolucionU runs them. The
// whole solve also reports its peak memory beside the solver's own estimate of it, on
// these frames, on the same frames with hinged columns (a mechanism) and on a column under
// many combinations.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "estadoDelProceso.h"
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

// Makes the model ready as the solver finds it when it makes its estimate: no earlier
// solution held (freed inside the solve, it would hide the peak). Freed heap pages are
// handed back and the process's peak is set back to its resident memory now (writing 5 to
// clear_refs), so that the peak read after the solve is the solve's own. Answers the
// resident memory now.
double prepararPico()
{
    pasosSolucion::vaciarResultados();
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    return campoDeEstado("VmRSS:");
}

// Time of the whole solve, and its peak memory beside the estimate the solver checks
// against the memory available (pasosSolucion::memoriaNecesaria).
void medirSolucion(benchmark::State& state, void (*generar)(const benchmark::State&))
{
    double pico = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        generar(state);
        const double antes = prepararPico();
        state.ResumeTiming();
        funcionSolucionU();
        benchmark::DoNotOptimize(u.data());
        state.PauseTiming();
        pico = std::max(pico, campoDeEstado("VmHWM:") - antes);
        state.ResumeTiming();
    }
    state.counters["gdl"] = 3.0 * noNudos;
    state.counters["libres"] = noLibres;
    state.counters["pico_MB"] = pico / 1e6;
    state.counters["estimado_MB"] = pasosSolucion::memoriaNecesaria() / 1e6;
}

void BM_SolucionCompleta(benchmark::State& state) { medirSolucion(state, generarPorticoDe); }

// The same frames with hinged columns: they sway, and the solver holds the mechanism and
// factorises the rest again.
void generarMecanismoDe(const benchmark::State& state)
{
    generarPortico(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), kCombos, true);
}

void BM_SolucionMecanismo(benchmark::State& state) { medirSolucion(state, generarMecanismoDe); }

// A column of 29 storeys under as many combinations as the argument, each a multiple of
// the wind case: the tables of loads and results, not the stiffness, fill the memory.
void generarColumnaConCombos(const benchmark::State& state)
{
    static std::vector<std::string> nombres;
    std::vector<ParDeCombo> combos;
    nombres.resize(static_cast<std::size_t>(state.range(0)));
    for (std::size_t c = 0; c < nombres.size(); ++c) {
        nombres[c] = "C" + std::to_string(c);
        combos.push_back({nombres[c].c_str(), 1.0 + static_cast<double>(c), "W"});
    }
    generarPortico(29, 0, combos);
}

void BM_SolucionMuchosCombos(benchmark::State& state) { medirSolucion(state, generarColumnaConCombos); }

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
BENCHMARK(BM_SolucionMecanismo)->Args({20, 10})->Args({40, 10})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolucionMuchosCombos)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ensamblaje)->Apply(tamanos);
BENCHMARK(BM_Factorizacion)->Apply(tamanos);
BENCHMARK(BM_RepartoYResultados)->Apply(tamanos);

BENCHMARK_MAIN();
