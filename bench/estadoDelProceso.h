#pragma once

// The benchmarks' reading of the process's own memory.

#include <fstream>
#include <string>

// A field of /proc/self/status in bytes (VmRSS, the resident memory now; VmHWM, its peak).
inline double campoDeEstado(const char* campo)
{
    std::ifstream estado("/proc/self/status");
    std::string clave;
    while (estado >> clave) {
        double kB = 0.0;
        if (clave == campo && estado >> kB)
            return kB * 1024.0;
    }
    return 0.0;
}
