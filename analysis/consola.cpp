#include "consola.h"

#include <cstdio>
#include <iostream>

#include <unistd.h>

void limpiarConsola()
{
    if (!isatty(STDOUT_FILENO))
        return;
    std::cout << "\033[2J\033[H" << std::flush;
}
