// Model building from generated frames: N storeys by M bays, every tag of the input
// format, one row per element; and from long lists: many references after one "puntual:"
// row, many "combo:" rows, many combination names, many pairs in one "combo:" row on one
// loaded node or on a model loaded everywhere. Reported per size: time per read and time
// per row (or per reference, name or pair), file size in KiB. The memory of model building
// on three of them: its peak beside the least memory in which it reads the model.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "estadoDelProceso.h"
#include "funcionLeerArchivo.h"
#include "variablesGlobales.h"

namespace {

struct Portico {
    std::string texto;
    int filas = 0;   // rows of the format, table rows included
};

// Node (column i, level j) is numbered 1 + j (M + 1) + i; columns come first, then beams.
Portico generar(int pisos, int vanos)
{
    std::ostringstream s;
    int filas = 0;
    const auto numeroNudo = [&](int i, int j) { return 1 + j * (vanos + 1) + i; };

    s << "Portico generado\nnudos:\n";
    for (int j = 0; j <= pisos; ++j)
        for (int i = 0; i <= vanos; ++i, ++filas)
            s << numeroNudo(i, j) << ' ' << 6.0 * i << ' ' << 3.0 * j << '\n';

    s << "barras:\n";
    int numeroBarra = 0;
    for (int j = 0; j < pisos; ++j)
        for (int i = 0; i <= vanos; ++i, ++filas)
            s << ++numeroBarra << ' ' << numeroNudo(i, j) << ' ' << numeroNudo(i, j + 1) << '\n';
    const int columnas = numeroBarra;
    for (int j = 1; j <= pisos; ++j)
        for (int i = 0; i < vanos; ++i, ++filas)
            s << ++numeroBarra << ' ' << numeroNudo(i, j) << ' ' << numeroNudo(i + 1, j) << '\n';

    for (int i = 0; i <= vanos; ++i, filas += 2) {
        s << "apoyo: 1 1 0 " << numeroNudo(i, 0) << '\n';
        s << "resorte: 0 0 5e4 " << numeroNudo(i, 0) << '\n';
    }
    for (int j = 1; j <= pisos; ++j)
        for (int i = 0; i <= vanos; ++i, ++filas)
            s << "puntual: W " << (i == 0 ? 10 : 0) << " -5 0 " << numeroNudo(i, j) << '\n';
    for (int b = 1; b <= columnas; ++b, filas += 2) {
        s << "seccionRectangular: C40 0.4 0.4 2.5e7 24 " << b << '\n';
        s << "distribuidaGlobal: W 1.5 1.5 1 0 " << b << '\n';
    }
    for (int b = columnas + 1; b <= numeroBarra; ++b, filas += 3) {
        s << "seccionGenerica: V30 0.12 1.6e-3 2.5e7 24 " << b << '\n';
        s << "articulacion: 1 0.8 " << b << '\n';
        s << "distribuidaLocal: CV 0 0 -12 -12 " << b << '\n';
    }
    s << "pesoPropio: PP\n"
         "combo: U1 1.4 PP\n"
         "combo: U2 1.2 PP 1.6 CV\n"
         "combo: U3 1.2 PP 1.0 CV 1.0 W\n"
         "escalaDeflexion: 50\nescalaM: 0.05\nescalaV: 0.1\nescalaN: 0.01\nescalaTexto: 0.2\n"
         "escalaApoyo: 0.3\nprecision: 2\nescalaCarga: 0.05\n";
    filas += 4 + 8;
    return {s.str(), filas};
}

// Reads the text as the input file once per iteration; reports the file size and the time
// per row, counted as `filas`.
void medirLectura(benchmark::State& estado, const Portico& portico)
{
    std::string plantilla = (std::filesystem::temp_directory_path() / "orvelta-bench-XXXXXX").string();
    const int descriptor = mkstemp(plantilla.data());
    if (descriptor < 0) {
        estado.SkipWithError("no temporary file");
        return;
    }
    close(descriptor);
    std::ofstream(plantilla, std::ios::binary) << portico.texto;
    nombreArchivo = plantilla;

    std::ostringstream sumidero;   // the progress lines are not what is measured
    std::streambuf* consola = std::cout.rdbuf(sumidero.rdbuf());
    for (auto _ : estado) {
        nudo.clear();
        barra.clear();
        funcionLeerArchivo();
        sumidero.str(std::string());
        benchmark::DoNotOptimize(nudo.data());
    }
    std::cout.rdbuf(consola);
    std::remove(plantilla.c_str());

    estado.counters["filas"] = portico.filas;
    estado.counters["KiB"] = static_cast<double>(portico.texto.size()) / 1024.0;
    estado.counters["porFila"] = benchmark::Counter(portico.filas, benchmark::Counter::kIsIterationInvariantRate
                                                                       | benchmark::Counter::kInvert);
}

void BM_funcionLeerArchivo(benchmark::State& estado)
{
    const int pisos = static_cast<int>(estado.range(0));
    const int vanos = static_cast<int>(estado.range(1));
    medirLectura(estado, generar(pisos, vanos));
    if (noNudos != (pisos + 1) * (vanos + 1) || noCombos != 3)
        estado.SkipWithError("the generated frame was not read whole");
}

// A chain of 20 nodes and 19 bars, each node loaded in two cases.
std::string cadena()
{
    std::ostringstream s;
    s << "nudos:\n";
    for (int i = 1; i <= 20; ++i)
        s << i << ' ' << 3.0 * (i - 1) << " 0\n";
    s << "barras:\n";
    for (int i = 1; i < 20; ++i)
        s << i << ' ' << i << ' ' << i + 1 << '\n';
    s << "apoyo: 1 1 1 1\nseccionGenerica: S 0.12 1.6e-3 2.5e7 24";
    for (int i = 1; i < 20; ++i)
        s << ' ' << i;
    for (int i = 1; i <= 20; ++i)
        s << "\npuntual: D 0 -5 0 " << i << "\npuntual: L 0 -3 0 " << i;
    return s.str() + '\n';
}

// One "puntual:" row that names node 2 n times, then one combination of its case: the
// time per reference stays flat when each reference costs the same.
void BM_ReferenciasTrasUnPuntual(benchmark::State& estado)
{
    const int n = static_cast<int>(estado.range(0));
    std::string texto = cadena() + "puntual: R 1 0 0";
    for (int i = 0; i < n; ++i)
        texto += " 2";
    texto += "\ncombo: U 1.5 R\n";
    medirLectura(estado, {texto, n});
    if (noNudos != 20 || noCombos != 1)
        estado.SkipWithError("the generated file was not read whole");
}

// n "combo:" rows of two pairs each on the chain: the time per row stays flat when each
// row costs the same, however many names came before it.
void BM_FilasDeCombo(benchmark::State& estado)
{
    const int n = static_cast<int>(estado.range(0));
    std::string texto = cadena();
    for (int k = 1; k <= n; ++k)
        texto += "combo: U" + std::to_string(k) + " 1.2 D 1.6 L\n";
    medirLectura(estado, {texto, n});
    if (noNudos != 20 || noCombos != n)
        estado.SkipWithError("the generated file was not read whole");
}

// 1,000 nodes and one "combo:" row of n pairs "1 P", the case loading node 1 only: a pair
// costs only at the nodes that carry its case, so the time per pair stays flat.
void BM_ParesDeUnCombo(benchmark::State& estado)
{
    const int n = static_cast<int>(estado.range(0));
    std::ostringstream s;
    s << "nudos:\n";
    for (int i = 1; i <= 1000; ++i)
        s << i << ' ' << i << " 0\n";
    s << "puntual: P 0 -1 0 1\ncombo: C";
    for (int k = 0; k < n; ++k)
        s << " 1 P";
    s << '\n';
    medirLectura(estado, {s.str(), n});
    if (noNudos != 1000 || noCombos != 1)
        estado.SkipWithError("the generated file was not read whole");
}

// n "combo:" rows on one loaded node, each a new name of 30 characters that share their
// first 24: what shows is the cost of the model's index of names, which grows as n log n.
void BM_NombresDeCombo(benchmark::State& estado)
{
    const int n = static_cast<int>(estado.range(0));
    std::string texto = "nudos: 1 0 0\npuntual: D 0 -1 0 1\n";
    for (int k = 1; k <= n; ++k)
        texto += "combo: Combinacion_de_servicio_" + std::to_string(100000 + k) + " 1 D\n";
    medirLectura(estado, {texto, n});
    if (noNudos != 1 || noCombos != n)
        estado.SkipWithError("the generated file was not read whole");
}

// A chain of n nodes and n - 1 bars, every node and bar loaded in case P, and one "combo:"
// row of k pairs "1 P": the pairs of one case make one term of the combination, so each
// element adds it once and the time grows as n + k. n and k grow together: the time per
// pair stays flat.
void BM_UnComboLargo(benchmark::State& estado)
{
    const int n = static_cast<int>(estado.range(0));
    const int k = static_cast<int>(estado.range(1));
    std::ostringstream s;
    s << "nudos:\n";
    for (int i = 1; i <= n; ++i)
        s << i << ' ' << i << " 0\n";
    s << "barras:\n";
    for (int i = 1; i < n; ++i)
        s << i << ' ' << i << ' ' << i + 1 << '\n';
    s << "puntual: P 0 -1 0";
    for (int i = 1; i <= n; ++i)
        s << ' ' << i;
    s << "\ndistribuidaLocal: P 0 0 -1 -1";
    for (int i = 1; i < n; ++i)
        s << ' ' << i;
    s << "\ncombo: U";
    for (int j = 0; j < k; ++j)
        s << " 1 P";
    s << '\n';
    medirLectura(estado, {s.str(), k});
    if (noNudos != n || noBarras != n - 1 || noCombos != 1)
        estado.SkipWithError("the generated file was not read whole");
}

// Reads the file with `memoriaLibre` bytes taken as the memory available, and writes to
// the descriptor whether the model was built and the resident memory the reading added at
// its peak. What a process of its own does, run by leerEnOtroProceso.
void leerYContar(const char* archivo, double memoriaLibre, int descriptor)
{
    nombreArchivo = archivo;
    std::ostringstream sumidero;
    std::cout.rdbuf(sumidero.rdbuf());
    const double antes = campoDeEstado("VmRSS:");
    funcionLeerArchivo(memoriaLibre);
    const bool construido = noNudos > 0 && sumidero.str().find("No hay memoria") == std::string::npos;
    const double respuesta[2] = {construido ? 1.0 : 0.0, campoDeEstado("VmHWM:") - antes};
    if (write(descriptor, respuesta, sizeof respuesta) != static_cast<ssize_t>(sizeof respuesta))
        _exit(1);
}

constexpr const char* kLeer = "--leer";

// The reading in a process of its own, this program run again: a process that read before
// would hold freed blocks the next reading reuses, and a fork would charge the copies of
// the benchmark's own pages. Answers the memory added at the peak, -1 when the process
// failed, and in `leido` whether it built the model.
double leerEnOtroProceso(double memoriaLibre, bool& leido)
{
    leido = false;
    int tubo[2];
    if (pipe(tubo) != 0)
        return -1.0;
    const std::string bytes = std::to_string(memoriaLibre);
    const std::string descriptor = std::to_string(tubo[1]);
    std::cout.flush();
    const pid_t hijo = fork();
    if (hijo == 0) {
        close(tubo[0]);
        execl("/proc/self/exe", "benchLectura", kLeer, nombreArchivo.c_str(), bytes.c_str(), descriptor.c_str(),
              static_cast<char*>(nullptr));
        _exit(1);
    }
    close(tubo[1]);
    double respuesta[2] = {0.0, -1.0};
    const bool recibido = hijo > 0 && read(tubo[0], respuesta, sizeof respuesta) == static_cast<ssize_t>(sizeof respuesta);
    close(tubo[0]);
    int estado = 0;
    if (hijo > 0)
        waitpid(hijo, &estado, 0);
    leido = recibido && respuesta[0] > 0.0;
    return recibido ? respuesta[1] : -1.0;
}

// The resident memory one reading adds at its peak, and the least memory available in
// which model building reads the model, found by halving to within 0.5 per cent; each
// reading in a process of its own.
void medirMemoriaDeLectura(benchmark::State& estado, const std::string& texto)
{
    nombreArchivo = (std::filesystem::temp_directory_path() / ("orvelta-bench-memoria-" + std::to_string(getpid()))).string();
    std::ofstream(nombreArchivo, std::ios::binary) << texto;
    double pico = 0.0;
    double menor = 0.0;
    for (auto _ : estado) {
        bool leido = false;
        pico = leerEnOtroProceso(1e15, leido);
        if (!leido) {
            estado.SkipWithError("the generated file was not read whole");
            break;
        }
        double abajo = 0.0;
        double arriba = 4.0 * pico + (64u << 20);
        while (arriba - abajo > 0.005 * arriba) {
            const double medio = (abajo + arriba) / 2.0;
            leerEnOtroProceso(medio, leido);
            (leido ? arriba : abajo) = medio;
        }
        menor = arriba;
    }
    std::remove(nombreArchivo.c_str());
    estado.counters["KiB"] = static_cast<double>(texto.size()) / 1024.0;
    estado.counters["pico_MB"] = pico / 1e6;
    estado.counters["estimado_MB"] = menor / 1e6;
}

// A column of 29 storeys under 10^5 combinations, each of two cases: the combination rows
// of its 59 nodes and bars fill the memory.
std::string columnaConCombos()
{
    std::ostringstream s;
    s << "nudos:";
    for (int j = 0; j <= 29; ++j)
        s << ' ' << j + 1 << " 0 " << 3 * j;
    s << "\nbarras:";
    for (int j = 1; j <= 29; ++j)
        s << ' ' << j << ' ' << j << ' ' << j + 1;
    s << "\napoyo: 1 1 1 1\nseccionRectangular: C 0.4 0.4 2.5e7 24";
    for (int j = 1; j <= 29; ++j)
        s << ' ' << j;
    s << "\npuntual: W 10 0 0";
    for (int j = 2; j <= 30; ++j)
        s << ' ' << j;
    s << "\npesoPropio: D\n";
    for (int c = 0; c < 100000; ++c)
        s << "combo: C" << c << ' ' << 1 + c << " D " << 0.5 + c << " W\n";
    return s.str();
}

void BM_MemoriaDeLecturaPortico(benchmark::State& estado) { medirMemoriaDeLectura(estado, generar(40, 10).texto); }

void BM_MemoriaDeLecturaReferencias(benchmark::State& estado)
{
    std::string texto = cadena() + "puntual: R 1 0 0";
    for (int i = 0; i < 1000000; ++i)
        texto += " 2";
    medirMemoriaDeLectura(estado, texto + "\ncombo: U 1.5 R\n");
}

void BM_MemoriaDeLecturaCombos(benchmark::State& estado) { medirMemoriaDeLectura(estado, columnaConCombos()); }

}  // namespace

BENCHMARK(BM_funcionLeerArchivo)
    ->Args({10, 5})
    ->Args({40, 10})
    ->Args({100, 20})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_ReferenciasTrasUnPuntual)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FilasDeCombo)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NombresDeCombo)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParesDeUnCombo)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UnComboLargo)
    ->Args({1000, 10000})
    ->Args({3000, 30000})
    ->Args({10000, 100000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK(BM_MemoriaDeLecturaPortico)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoriaDeLecturaReferencias)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoriaDeLecturaCombos)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    if (argc == 5 && std::string(argv[1]) == kLeer) {
        leerYContar(argv[2], std::stod(argv[3]), std::stoi(argv[4]));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
