// libFuzzer target of model building: any bytes as the input file. Build with
//   CXX=clang++ cmake -S . -B build-fuzz -DORVELTA_FUZZ=ON -DORVELTA_SANITIZE=ON
// and run build-fuzz/fuzz/fuzzLectura [corpus directory].
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "analysis/invariantesModelo.h"
#include "funcionLeerArchivo.h"
#include "variablesGlobales.h"

namespace {

// One temporary file for the whole run, removed at exit.
const std::string& archivoDeEntrada()
{
    static const std::string ruta = [] {
        std::string plantilla = (std::filesystem::temp_directory_path() / "orvelta-fuzz-XXXXXX").string();
        const int descriptor = mkstemp(plantilla.data());
        if (descriptor >= 0)
            close(descriptor);
        std::atexit([] { std::remove(archivoDeEntrada().c_str()); });
        return plantilla;
    }();
    return ruta;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano)
{
    std::ofstream(archivoDeEntrada(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(datos), static_cast<std::streamsize>(tamano));
    nombreArchivo = archivoDeEntrada();
    nudo.clear();
    barra.clear();

    std::ostringstream sumidero;
    std::streambuf* consola = std::cout.rdbuf(sumidero.rdbuf());
    funcionLeerArchivo();
    std::cout.rdbuf(consola);

    const std::string roto = invarianteRoto();
    if (!roto.empty()) {
        std::cerr << "invariante roto: " << roto << '\n';
        std::abort();
    }
    return 0;
}
