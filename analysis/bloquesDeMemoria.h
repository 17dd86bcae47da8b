#pragma once

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>

// The C heap (glibc) maps a block of 128 KiB or more as pages of its own, which go back to
// the system when it is freed; but after such a block is freed it raises that threshold by
// itself (up to 32 MiB), and blocks below the new threshold then stay in the heap once
// freed, where the process still holds them though nothing uses them. The memory
// estimates count the blocks in use; fixing the threshold keeps what the process holds
// (what a memory control group counts) equal to them. Model building and the solver set it
// before they start.
inline void fijarUmbralDeBloquesAparte()
{
    static const bool fijado = mallopt(M_MMAP_THRESHOLD, 128 * 1024) != 0;
    static_cast<void>(fijado);
}

// What the C heap (glibc on a 64-bit system) takes for a request of `pedidos` bytes: an
// 8-byte header in steps of 16, 32 bytes at least; from 128 KiB up the block may be mapped
// pages of its own, with a 16-byte header, rounded up to 4 KiB. Reckoned in double, so
// that a count from a huge file cannot overflow.
inline double bloqueDelHeap(double pedidos)
{
    if (pedidos <= 0.0)
        return 0.0;
    if (pedidos >= 128.0 * 1024.0)
        return std::ceil((pedidos + 16.0) / 4096.0) * 4096.0;
    return std::max(32.0, std::ceil((pedidos + 8.0) / 16.0) * 16.0);
}

// A std::string holds up to 15 characters inside its own object; a longer one takes a
// block for its characters and the terminator.
inline double heapDeTexto(double capacidad)
{
    return capacidad > 15.0 ? bloqueDelHeap(capacidad + 1.0) : 0.0;
}

// The block of a vector's elements.
template <class T>
double bloqueDeVector(double elementos)
{
    return bloqueDelHeap(elementos * sizeof(T));
}

// The process's resident memory in bytes, from /proc/self/statm; 0 where it cannot be read.
inline double memoriaResidente()
{
    std::ifstream statm("/proc/self/statm");
    double paginas = 0.0;
    double residentes = 0.0;
    if (!(statm >> paginas >> residentes))
        return 0.0;
    return residentes * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// `bytes` available now, and later that less what the process has taken since (memory it
// gives back, an earlier model's say, adds nothing): how a caller that names the memory
// available (a test, a benchmark) has the checks see it.
inline auto memoriaDesdeAhora(double bytes)
{
    return [bytes, inicial = memoriaResidente()] { return bytes - std::max(0.0, memoriaResidente() - inicial); };
}
