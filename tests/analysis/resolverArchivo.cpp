// Reads the input file named on the command line and solves it, as the program does before
// its window opens, in a process of its own (a test runs it inside a memory control group,
// where a forked test runner would bring its own heap along). Exit code: 0 when every node
// has results and nothing was said of memory, 1 when one line said there was no memory and
// no node has results, 2 otherwise.

#include <iostream>
#include <sstream>
#include <string>

#include "funcionLeerArchivo.h"
#include "funcionSolucionU.h"
#include "variablesGlobales.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    nombreArchivo = argv[1];
    std::ostringstream consola;
    std::streambuf* anterior = std::cout.rdbuf(consola.rdbuf());
    funcionLeerArchivo();
    if (noNudos != 0 && noBarras != 0 && noCombos != 0)
        funcionSolucionU();
    std::cout.rdbuf(anterior);

    const std::string texto = consola.str();
    int lineas = 0;
    for (std::size_t en = texto.find("No hay memoria"); en != std::string::npos; en = texto.find("No hay memoria", en + 1))
        ++lineas;
    bool resultados = !nudo.empty();
    for (const objNudo2d& n : nudo)
        resultados = resultados && n.tieneResultados(0);
    if (lineas == 0 && resultados)
        return 0;
    const bool ningunResultado = nudo.empty() || !nudo.front().tieneResultados(0);
    if (lineas == 1 && ningunResultado)
        return 1;
    std::cerr << texto;
    return 2;
}
