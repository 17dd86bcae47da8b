#include "memoriaDisponible.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <sstream>
#include <vector>

namespace {

constexpr double kSinLimite = std::numeric_limits<double>::max();

// The number after `clave` in a file of "clave número" lines, the key matched whole;
// a negative number when the file or the key is missing.
double numeroDeLaClave(const std::string& archivo, const std::string& clave)
{
    std::ifstream entrada(archivo);
    std::string linea;
    while (std::getline(entrada, linea)) {
        std::istringstream campos(linea);
        std::string nombre;
        double numero = 0.0;
        if (campos >> nombre >> numero && nombre == clave)
            return numero;
    }
    return -1.0;
}

// The number after `clave` in a "clave: número kB" file (/proc/meminfo, /proc/self/status),
// in bytes; a negative number when the file or the key is missing.
double campoEnKB(const std::string& archivo, const std::string& clave)
{
    const double kB = numeroDeLaClave(archivo, clave);
    return kB < 0.0 ? kB : kB * 1024.0;
}

double memoriaDelSistema()
{
    const double disponible = campoEnKB("/proc/meminfo", "MemAvailable:");
    if (disponible >= 0.0)
        return disponible;
    const double paginas = static_cast<double>(sysconf(_SC_PHYS_PAGES));
    const double tamano = static_cast<double>(sysconf(_SC_PAGESIZE));
    return (paginas > 0 && tamano > 0) ? paginas * tamano : kSinLimite;
}

// What a resource limit of the process leaves, given the field of /proc/self/status that
// the kernel counts against it: VmSize for the address space, VmData for the data size.
double margenDelLimite(int recurso, const char* campo)
{
    rlimit limite{};
    if (getrlimit(recurso, &limite) != 0 || limite.rlim_cur == RLIM_INFINITY)
        return kSinLimite;
    const double usado = std::max(0.0, campoEnKB("/proc/self/status", campo));
    return std::max(0.0, static_cast<double>(limite.rlim_cur) - usado);
}

// The first word of a file as a number of bytes; kSinLimite when the file is missing,
// holds no number, or says "max" (cgroup v2's word for no limit).
double bytesDelArchivo(const std::string& archivo)
{
    std::ifstream entrada(archivo);
    double bytes = 0.0;
    return (entrada >> bytes) ? bytes : kSinLimite;
}

struct Jerarquia {
    bool version2;
    std::string grupo;   // the process's group, as /proc/self/cgroup names it
};

// The hierarchies that may limit memory: the unified one (v2) and v1's memory controller.
// Lines of /proc/self/cgroup read "id:controllers:path", controllers empty for v2.
std::vector<Jerarquia> jerarquiasDeMemoria(const std::string& raiz)
{
    std::vector<Jerarquia> jerarquias;
    std::ifstream entrada(raiz + "/proc/self/cgroup");
    std::string linea;
    while (std::getline(entrada, linea)) {
        const std::size_t a = linea.find(':');
        const std::size_t b = (a == std::string::npos) ? a : linea.find(':', a + 1);
        if (b == std::string::npos)
            continue;
        const std::string controladores = "," + linea.substr(a + 1, b - a - 1) + ",";
        const bool version2 = controladores == ",,";
        if (version2 || controladores.find(",memory,") != std::string::npos)
            jerarquias.push_back({version2, linea.substr(b + 1)});
    }
    return jerarquias;
}

// Where the hierarchy's groups are, from /proc/self/mountinfo: the mount point of a
// "cgroup2" file system, or of a "cgroup" one with the memory controller, and the group
// that the mount shows at its point. Each line reads "id parent dev root point options
// [optional fields] - type source super-options".
bool montaje(const std::string& raiz, bool version2, std::string& punto, std::string& raizDelMontaje)
{
    std::ifstream entrada(raiz + "/proc/self/mountinfo");
    std::string linea;
    while (std::getline(entrada, linea)) {
        std::istringstream campos(linea);
        std::vector<std::string> palabras;
        for (std::string palabra; campos >> palabra;)
            palabras.push_back(palabra);
        const auto guion = std::find(palabras.begin(), palabras.end(), "-");
        if (palabras.size() < 5 || palabras.end() - guion < 4)
            continue;
        const std::string& tipo = *(guion + 1);
        const std::string opciones = "," + *(guion + 3) + ",";
        const bool es = version2 ? tipo == "cgroup2"
                                 : tipo == "cgroup" && opciones.find(",memory,") != std::string::npos;
        if (es) {
            raizDelMontaje = palabras[3];
            punto = palabras[4];
            return true;
        }
    }
    return false;
}

// The files of a group that hold its limit and its usage, and the key of its memory.stat
// for the clean page cache the kernel takes back first. v1's usage counts the groups below
// too, so its key is the one summed over them (total_); its plain inactive_file is the
// group's own pages alone.
struct ArchivosDelGrupo {
    const char* limite;
    const char* uso;
    const char* inactivas;
};

constexpr ArchivosDelGrupo kVersion2{"/memory.max", "/memory.current", "inactive_file"};
constexpr ArchivosDelGrupo kVersion1{"/memory.limit_in_bytes", "/memory.usage_in_bytes", "total_inactive_file"};

// The group's working set, as container runtimes count it: its usage less its inactive file
// pages, which reclaim gives back on demand rather than by killing a process; never below 0.
// Without memory.stat or the key, the whole usage; kSinLimite when the usage cannot be read.
double usoDeTrabajo(const std::string& carpeta, const ArchivosDelGrupo& archivos)
{
    const double usado = bytesDelArchivo(carpeta + archivos.uso);
    if (usado == kSinLimite)
        return kSinLimite;
    const double inactivas = numeroDeLaClave(carpeta + "/memory.stat", archivos.inactivas);
    return std::max(0.0, usado - std::max(0.0, inactivas));
}

// The least room in the folders of a group and of every group above it, up to the mount point.
double margenDeLaJerarquia(const std::string& raiz, const Jerarquia& j)
{
    std::string punto;
    std::string raizDelMontaje;
    if (!montaje(raiz, j.version2, punto, raizDelMontaje))
        return kSinLimite;
    // The group's folder below the mount point: its path past the mount's own root.
    std::string relativo = j.grupo;
    if (raizDelMontaje != "/") {
        if (relativo.compare(0, raizDelMontaje.size(), raizDelMontaje) != 0)
            return kSinLimite;
        relativo.erase(0, raizDelMontaje.size());
    }
    const ArchivosDelGrupo& archivos = j.version2 ? kVersion2 : kVersion1;
    double margen = kSinLimite;
    while (true) {
        const std::string carpeta = raiz + punto + relativo;
        const double tope = bytesDelArchivo(carpeta + archivos.limite);
        const double usado = usoDeTrabajo(carpeta, archivos);
        if (tope < kSinLimite && usado < kSinLimite)
            margen = std::min(margen, std::max(0.0, tope - usado));
        const std::size_t barra = relativo.find_last_of('/');
        if (relativo.empty() || barra == std::string::npos)
            return margen;
        relativo.erase(barra);
    }
}

}  // namespace

double memoriaDelCgroup(const std::string& raiz)
{
    const std::string base = (raiz == "/") ? std::string() : raiz;
    double margen = kSinLimite;
    for (const Jerarquia& j : jerarquiasDeMemoria(base))
        margen = std::min(margen, margenDeLaJerarquia(base, j));
    return margen;
}

double memoriaDisponible()
{
    return std::min({memoriaDelSistema(), margenDelLimite(RLIMIT_AS, "VmSize:"),
                     margenDelLimite(RLIMIT_DATA, "VmData:"), memoriaDelCgroup("/")});
}
