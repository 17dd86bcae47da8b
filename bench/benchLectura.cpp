// Model building from generated frames: N storeys by M bays, every tag of the input
// format, one row per element. Reported per size: time per read and time per row.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <unistd.h>

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

void BM_funcionLeerArchivo(benchmark::State& estado)
{
    const int pisos = static_cast<int>(estado.range(0));
    const int vanos = static_cast<int>(estado.range(1));
    const Portico portico = generar(pisos, vanos);
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

    if (noNudos != (pisos + 1) * (vanos + 1) || noCombos != 3)
        estado.SkipWithError("the generated frame was not read whole");
    estado.counters["filas"] = portico.filas;
    estado.counters["KiB"] = static_cast<double>(portico.texto.size()) / 1024.0;
    estado.counters["porFila"] = benchmark::Counter(portico.filas, benchmark::Counter::kIsIterationInvariantRate
                                                                       | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_funcionLeerArchivo)
    ->Args({10, 5})
    ->Args({40, 10})
    ->Args({100, 20})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

BENCHMARK_MAIN();
