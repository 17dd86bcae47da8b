#include "consola.h"
#include "variablesGlobales.h"

int main(int argc, char** argv)
{
    nombreArchivo = (argc > 1) ? argv[1] : "ingresoDatos.txt";
    limpiarConsola();
    return 0;
}
