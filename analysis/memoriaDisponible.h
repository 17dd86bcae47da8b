#pragma once

#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include <unistd.h>

// Bytes this process may still take: the kernel's MemAvailable (free memory plus what the
// page cache can give back), else the physical memory, else no bound. Under overcommit a
// request beyond it does not fail: the OOM killer ends the process later, so the steps that
// would hold gigabytes check their estimate against this first.
inline double memoriaDisponible()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string linea;
    while (std::getline(meminfo, linea)) {
        std::istringstream campos(linea);
        std::string clave;
        double kB = 0.0;
        if (campos >> clave >> kB && clave == "MemAvailable:")
            return kB * 1024.0;
    }
    const double paginas = static_cast<double>(sysconf(_SC_PHYS_PAGES));
    const double tamano = static_cast<double>(sysconf(_SC_PAGESIZE));
    return (paginas > 0 && tamano > 0) ? paginas * tamano : std::numeric_limits<double>::max();
}
