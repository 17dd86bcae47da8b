#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "claseLeerArchivo.h"

// Model building's memory. Inside a memory control group an allocation beyond the limit
// ends the process instead of failing, so every step of model building that can take much
// memory (the file's text and what a query answers, the lookups, the elements, their
// loads, the combinations and their rows) is reckoned before it is taken, against the
// memory available. That is asked once and then kept up to date with what the steps took;
// it is asked again when what is left comes near what a step may take (by then the memory
// that steps held for a while has been given back). Bytes owed to a later step (the bars'
// combination rows, which come last) are kept aside from every step before it.
class MemoriaDeLectura {
public:
    using MemoriaLibre = std::function<double()>;

    MemoriaDeLectura(MemoriaLibre memoriaLibre, double bytesDelArchivo);

    // True when the step's bytes fit beside what is owed: they are then counted as taken.
    bool tomar(double bytes);
    // Bytes kept aside for a later step; pagar hands them to it when it comes.
    void reservar(double bytes);
    void pagar(double bytes);

    // Runs a query of the reader bounded by what is left; false when it ran out.
    template <class Consulta>
    bool consultar(claseLeerArchivo& lector, Consulta consulta);

    // The console line of a step that did not fit.
    void avisar(const std::string& archivo) const;

private:
    void acotar(claseLeerArchivo& lector);

    MemoriaLibre memoriaLibre;
    double margenDeConsulta;   // below this much left, the memory is asked again before a query
    double libre;
    double reservado = 0.0;
    double faltan = 0.0;       // bytes of the step that did not fit; 0 after a query
};

template <class Consulta>
bool MemoriaDeLectura::consultar(claseLeerArchivo& lector, Consulta consulta)
{
    acotar(lector);
    consulta();
    libre -= lector.getPicoDeMemoria();
    faltan = 0.0;
    return !lector.faltoMemoria();
}

// A vector of n elements of `tamano` bytes grown by push_back: every block it had.
double bytesDeVectorCreciente(double elementos, double tamano);

// From the "combo:" rows as the reader answers them (a name given twice counted twice):
// the bytes of the index of the combinations built from them (`casos`: the case name of
// every pair, sorted).
double bytesDeCombosDelModelo(const std::vector<claseLeerArchivo::Fila>& filas,
                              const std::vector<std::string_view>& casos);

// The bytes of the combination rows of `elementos` elements with `columnas` load columns
// each, for these combination names and `pares` pairs in all: each name and its row of the
// load matrix, and what making one element's rows holds for a while.
double bytesDeFilasDeCombos(const std::vector<std::string>& nombres, double pares, double elementos, int columnas);
