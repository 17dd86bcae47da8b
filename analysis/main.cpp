#include "consola.h"
#include "funcionLeerArchivo.h"
#include "funcionPlot.h"
#include "funcionSolucionU.h"
#include "variablesGlobales.h"

int main(int argc, char** argv)
{
    nombreArchivo = (argc > 1) ? argv[1] : "ingresoDatos.txt";
    limpiarConsola();
    funcionLeerArchivo();
    if (noNudos == 0)
        return 1;   // no model could be built; the console lines above say why
    if (noNudos != 0 && noBarras != 0 && noCombos != 0)
        funcionSolucionU();
    funcionPlot(argc, argv);
    return 0;
}
