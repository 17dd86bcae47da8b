// libFuzzer target of model building: any bytes as the input file; a small model is then
// solved, every result query asked and the report written. Build with
//   CXX=clang++ cmake -S . -B build-fuzz -DORVELTA_FUZZ=ON -DORVELTA_SANITIZE=ON
// and run build-fuzz/fuzz/fuzzLectura [corpus directory].
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "analysis/invariantesModelo.h"
#include "funcionLeerArchivo.h"
#include "variablesGlobales.h"

namespace {

// A private directory for one input: its file and the report. libFuzzer runs no exit
// handlers, so the directory is removed within the call that made it.
std::filesystem::path directorioNuevo()
{
    std::string plantilla = (std::filesystem::temp_directory_path() / "orvelta-fuzz-XXXXXX").string();
    if (mkdtemp(plantilla.data()) == nullptr)
        std::abort();
    return plantilla;
}

[[noreturn]] void fallar(const std::string& que)
{
    std::cerr << que << '\n';
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano)
{
    const std::filesystem::path directorio = directorioNuevo();
    nombreArchivo = (directorio / "entrada.txt").string();
    std::ofstream(nombreArchivo, std::ios::binary).write(reinterpret_cast<const char*>(datos),
                                                         static_cast<std::streamsize>(tamano));
    nudo.clear();
    barra.clear();

    std::ostringstream sumidero;
    std::streambuf* consola = std::cout.rdbuf(sumidero.rdbuf());
    funcionLeerArchivo();
    const std::string roto = invarianteRoto();
    const std::string resultado = roto.empty() ? resolverYRevisar(directorio) : std::string();
    std::cout.rdbuf(consola);

    std::error_code ignorado;
    std::filesystem::remove_all(directorio, ignorado);
    if (!roto.empty())
        fallar("invariante roto: " + roto);
    if (!resultado.empty())
        fallar(resultado);
    return 0;
}
