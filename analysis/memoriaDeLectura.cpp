#include "memoriaDeLectura.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string_view>

#include "bloquesDeMemoria.h"

namespace {

// A query may take the file's text and what it answers; the answers of model building's
// queries stay within some tens of bytes for each byte of the file (a point load's node
// reference, two bytes in the file, is a number of eight in the answer).
constexpr double kConsultaPorByte = 64.0;
constexpr double kConsultaMinima = 64.0 * 1024.0 * 1024.0;

// Blocks of the standard containers (64-bit libstdc++): a map node holds its links (32
// bytes) and its key and value; a vector's elements lie in one block.
constexpr double kNodoDeMapa = 32.0;

double nodoDeMapa(double claveYValor) { return bloqueDelHeap(kNodoDeMapa + claveYValor); }

double capacidadTras(double elementos)
{
    return elementos < 1.0 ? 0.0 : std::exp2(std::ceil(std::log2(elementos)));
}

}  // namespace

MemoriaDeLectura::MemoriaDeLectura(MemoriaLibre memoriaLibre, double bytesDelArchivo)
    : memoriaLibre(std::move(memoriaLibre)),
      margenDeConsulta(std::max(kConsultaMinima, kConsultaPorByte * bytesDelArchivo)),
      libre(this->memoriaLibre())
{
    // Pages that small blocks and the stack only partly fill, and those a memory control
    // group charges each CPU ahead (64), which no step counts.
    constexpr double kHolguraFija = 256.0 * 1024.0;
    reservar(kHolguraFija);
}

bool MemoriaDeLectura::tomar(double bytes)
{
    if (bytes + reservado > libre)
        libre = memoriaLibre();
    if (bytes + reservado > libre) {
        faltan = bytes + reservado;
        return false;
    }
    libre -= bytes;
    return true;
}

void MemoriaDeLectura::reservar(double bytes) { reservado += bytes; }

void MemoriaDeLectura::pagar(double bytes)
{
    reservado -= bytes;
    libre -= bytes;
}

void MemoriaDeLectura::acotar(claseLeerArchivo& lector)
{
    if (libre - reservado < margenDeConsulta)
        libre = memoriaLibre();
    lector.setMemoriaMaxima(std::max(0.0, libre - reservado));
}

void MemoriaDeLectura::avisar(const std::string& archivo) const
{
    std::cout << "No hay memoria para leer el archivo de entrada: " << archivo;
    if (faltan > 0.0)
        std::cout << " (se necesitan " << faltan / 1e9 << " GB)";
    std::cout << std::endl;
}

double bytesDeVectorCreciente(double elementos, double tamano)
{
    // Every block it had, 1, 2, 4 ... up to its capacity: the earlier ones may stay behind
    // in the heap.
    return 2.0 * bloqueDelHeap(capacidadTras(elementos) * tamano);
}

// CombosDelModelo, made room for all the rows at once: the names in a vector and in a map to
// their positions; per combination its factors; per case its position in a map and the
// combinations that name it; per pair of a combination and a case a map node. `casos` holds
// the case name of every pair, sorted, so that equal names stand together.
double bytesDeCombosDelModelo(const std::vector<claseLeerArchivo::Fila>& filas,
                              const std::vector<std::string_view>& casos)
{
    constexpr double kSizeT = sizeof(std::size_t);
    constexpr double kMencion = 2.0 * kSizeT;
    const double combos = static_cast<double>(filas.size());
    double bytes = bloqueDelHeap(combos * sizeof(std::string)) + bloqueDelHeap(combos * sizeof(std::vector<double>));
    for (const claseLeerArchivo::Fila& fila : filas) {
        const double nombre = heapDeTexto(static_cast<double>(fila.nombre.size()));
        bytes += 2.0 * nombre + nodoDeMapa(sizeof(std::string) + kSizeT)
               + bytesDeVectorCreciente(static_cast<double>(fila.pares()), sizeof(double));
    }
    double distintos = 0.0;
    for (std::size_t i = 0; i < casos.size();) {
        std::size_t j = i;
        while (j < casos.size() && casos[j] == casos[i])
            ++j;
        const double menciones = static_cast<double>(j - i);
        bytes += nodoDeMapa(sizeof(std::string) + kSizeT) + heapDeTexto(static_cast<double>(casos[i].size()))
               + bytesDeVectorCreciente(menciones, kMencion) + menciones * nodoDeMapa(3.0 * kSizeT);
        distintos += 1.0;
        i = j;
    }
    return bytes + bytesDeVectorCreciente(distintos, sizeof(std::vector<double>));
}

double bytesDeFilasDeCombos(const std::vector<std::string>& nombres, double pares, double elementos, int columnas)
{
    const double combos = static_cast<double>(nombres.size());
    double bytesDeNombres = bloqueDelHeap(combos * sizeof(std::string));
    for (const std::string& nombre : nombres)
        bytesDeNombres += heapDeTexto(static_cast<double>(nombre.size()));
    const double porElemento = bytesDeNombres + bloqueDelHeap(combos * columnas * sizeof(double));
    // One element's rows are made from an index of where each combination starts, the
    // next free place of each, and every term of the element's cases.
    const double alHacerlas = bloqueDelHeap((combos + 1.0) * sizeof(std::size_t))
                            + bloqueDelHeap(combos * sizeof(std::size_t)) + bloqueDelHeap(pares * 3.0 * sizeof(std::size_t));
    return elementos * porElemento + alHacerlas;
}
