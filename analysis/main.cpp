#include "consola.h"
#include "funcionPlot.h"
#include "variablesGlobales.h"

int main(int argc, char** argv)
{
    nombreArchivo = (argc > 1) ? argv[1] : "ingresoDatos.txt";
    limpiarConsola();
    funcionPlot(argc, argv);
    return 0;
}
