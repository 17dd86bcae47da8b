#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "funcionLeerArchivo.h"
#include "funcionSolucionU.h"
#include "memoriaDisponible.h"
#include "modeloDePrueba.h"
#include "sanitizador.h"
#include "variablesGlobales.h"

// A failed allocation, made real: the step runs in a child process whose address space is
// limited (as by ulimit -v) to what it holds already plus a margin, so the large
// allocation of the step throws std::bad_alloc. The step must say so in one line and
// leave no model (reading) or an unsolved one (solving), and the process must go on. The
// memory available, as the estimates see it, under such limits and under control groups.

namespace {

constexpr rlim_t kMargen = 256u << 20;   // bytes the child may still take

// A field of /proc/self/status in bytes: VmSize, the address space the process holds (what
// RLIMIT_AS counts), or VmData, its data (what RLIMIT_DATA counts).
rlim_t campoDeEstado(const char* campo)
{
    std::ifstream estado("/proc/self/status");
    std::string clave;
    rlim_t kB = 0;
    while (estado >> clave)
        if (clave == campo && estado >> kB)
            return kB * 1024;
    return 0;
}

struct Limite {
    int recurso;
    const char* campo;   // what the kernel counts against it
};

constexpr Limite kEspacio{RLIMIT_AS, "VmSize:"};

void PrintTo(const Limite& limite, std::ostream* salida) { *salida << limite.campo; }

// Runs the check in a child process under the limit (what it holds already plus the
// margin); answers its exit code, 101 when the check let an exception out (the child must
// not go on into the other tests), -1 when it did not exit normally.
template <class Comprobacion>
int enEspacioLimitado(Comprobacion comprobacion, rlim_t margen = kMargen, Limite limite = kEspacio)
{
    std::cout.flush();
    const pid_t hijo = fork();
    if (hijo == 0) {
        const rlim_t tope = campoDeEstado(limite.campo) + margen;
        const rlimit nuevo{tope, tope};
        if (setrlimit(limite.recurso, &nuevo) != 0)
            _exit(100);
        try {
            _exit(comprobacion());
        } catch (...) {
            _exit(101);
        }
    }
    int estado = 0;
    if (hijo < 0 || waitpid(hijo, &estado, 0) != hijo || !WIFEXITED(estado))
        return -1;
    return WEXITSTATUS(estado);
}

// 0 when the solver said exactly `linea` and left the model unsolved.
int resultadoSinSolucion(const std::string& texto, const std::string& linea)
{
    if (texto != linea) {
        std::cerr << texto;
        return 1;
    }
    bool sinResolver = kEstructura.size() == 0 && u.size() == 0;
    for (int c = 0; c < noCombos; ++c) {
        for (const objNudo2d& n : nudo)
            sinResolver = sinResolver && !n.tieneResultados(c);
        for (const objBarra2d& b : barra)
            sinResolver = sinResolver && !b.tieneResultados(c);
    }
    return sinResolver ? 0 : 2;
}

class MemoriaLimitada : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifdef ORVELTA_CON_ASAN
        GTEST_SKIP() << kAsanSinLimite;
#endif
        prueba::reiniciarEstado();
        reiniciarEstadoGlobal();
    }
    void TearDown() override { prueba::reiniciarEstado(); }

    DirectorioTemporal directorio;
};

// A file of 8 GB (sparse: it takes no disk) is larger than the memory the reader may take.
TEST_F(MemoriaLimitada, ArchivoMayorQueLaMemoria)
{
    const std::string ruta = directorio.escribir("enorme.txt", "nudos: 1 0 0\n");
    std::filesystem::resize_file(ruta, std::uintmax_t{8} << 30);
    nombreArchivo = ruta;
    const int codigo = enEspacioLimitado([&] {
        std::string texto;
        {
            CapturaConsola consola;
            funcionLeerArchivo();
            texto = consola.texto();
        }
        if (texto != "No hay memoria para leer el archivo de entrada: " + ruta + "\n") {
            std::cerr << texto;
            return 1;
        }
        return (noNudos == 0 && noBarras == 0 && noCombos == 0 && nudo.empty() && barra.empty()) ? 0 : 2;
    });
    EXPECT_EQ(codigo, 0);
}

// 4000 nodes (all held but one bar's end) give kEstructura of 12000^2 reals, 1.152 GB, and
// little else: the results' tables and the product's packed blocks hold fewer than 1000
// columns of 12000 reals (0.1 GB). The estimate sees that the limit leaves only 256 MB and
// refuses the model before it allocates anything.
TEST_F(MemoriaLimitada, EstructuraMayorQueElLimite)
{
    for (int i = 0; i < 4000; ++i)
        prueba::agregarNudo(i, 0, i == 1 ? 0 : 1, 1, 1);
    prueba::agregarBarra(0, 1, 1e4, 1.0, 2.0);
    nudo[1].setCargaPuntual("P", 10, 0, 0);
    prueba::agregarCombo("C1", 1.0, "P");
    const int codigo = enEspacioLimitado([] {
        std::string texto;
        {
            CapturaConsola consola;
            funcionSolucionU();
            texto = consola.texto();
        }
        const std::string inicio = "No hay memoria para resolver la estructura: se necesitan ";
        if (texto.rfind(inicio, 0) != 0 || texto.find(" GB\n") == std::string::npos) {
            std::cerr << texto;
            return 1;
        }
        const double gigas = std::stod(texto.substr(inicio.size()));
        if (!(gigas > 1.152 && gigas < 1.152 + 0.1)) {
            std::cerr << texto;
            return 3;
        }
        return (kEstructura.size() == 0 && !nudo[1].tieneResultados(0)) ? 0 : 2;
    });
    EXPECT_EQ(codigo, 0);
}

// 30 nodes, 29 bars and 20000 combinations: the bars' equivalent loads, 6 reals per
// combination in local and in global axes, take 29 x 12 x 20000 x 8 bytes = 56 MB, more
// than the 32 MB the limit below leaves. The combinations are given to every node and bar
// at once, as model building gives them.
void columnaConMuchosCombos()
{
    for (int i = 0; i < 30; ++i)
        prueba::agregarNudo(0, 3.0 * i, i == 0 ? 1 : 0, i == 0 ? 1 : 0, i == 0 ? 1 : 0);
    for (int i = 0; i < 29; ++i)
        prueba::agregarBarra(i, i + 1, 2e7, 0.09, 6.75e-4).setCargaLocal("W", 0, 0, -1, -1);
    CombosDelModelo combos;
    for (int c = 0; c < 20000; ++c)
        combos.agregarPar("C" + std::to_string(c), 1.0 + c, "W");
    prueba::asignarCombos(combos);
}

constexpr rlim_t kMargenDeLaColumna = 32u << 20;

// The estimate counts the equivalent loads before any of them is made: one line with what
// the solve needs, the loads' 56 MB and more.
TEST_F(MemoriaLimitada, LasCargasDeLasBarrasEntranEnLaEstimacion)
{
    columnaConMuchosCombos();
    ASSERT_EQ(noCombos, 20000);
    const int codigo = enEspacioLimitado(
        [] {
            std::string texto;
            {
                CapturaConsola consola;
                funcionSolucionU();
                texto = consola.texto();
            }
            const std::string inicio = "No hay memoria para resolver la estructura: se necesitan ";
            if (texto.rfind(inicio, 0) != 0 || !(std::stod(texto.substr(inicio.size())) > 0.056)) {
                std::cerr << texto;
                return 1;
            }
            return resultadoSinSolucion(texto, texto);
        },
        kMargenDeLaColumna);
    EXPECT_EQ(codigo, 0);
}

// Told that memory is plentiful, the solver's estimates pass and the allocation itself
// fails: it is caught, with one line, an unsolved model, and the process goes on.
TEST_F(MemoriaLimitada, ReservaFallidaAlPedirLasCargasDeLasBarras)
{
    columnaConMuchosCombos();
    const int codigo = enEspacioLimitado(
        [] {
            const double abundante = 1e15;
            std::string texto;
            {
                CapturaConsola consola;
                funcionSolucionU(abundante);
                texto = consola.texto();
            }
            return resultadoSinSolucion(texto,
                                        "No hay memoria para resolver la estructura: falló una reserva de memoria\n");
        },
        kMargenDeLaColumna);
    EXPECT_EQ(codigo, 0);
}

// The memory available sees each limit of the process: under a limit 256 MB above what the
// process counts against it, no more than those 256 MB (and not much less: the other
// bounds, the machine's memory and a container's, are far larger here). The process may give
// back a few pages between setting the limit and the query (a freed buffer trimmed from the
// heap), so a megabyte above the margin is allowed.
class LimiteDelProceso : public ::testing::TestWithParam<Limite> {
protected:
    void SetUp() override
    {
#ifdef ORVELTA_CON_ASAN
        GTEST_SKIP() << kAsanSinLimite;
#endif
    }
};

TEST_P(LimiteDelProceso, MemoriaDisponibleNoLoPasa)
{
    const int codigo = enEspacioLimitado(
        [] {
            const double disponible = memoriaDisponible();
            const double margen = static_cast<double>(kMargen);
            if (disponible > margen + (1u << 20) || disponible < margen - (16u << 20)) {
                std::cerr << "memoria disponible " << disponible << '\n';
                return 1;
            }
            return 0;
        },
        kMargen, GetParam());
    EXPECT_EQ(codigo, 0);
}

INSTANTIATE_TEST_SUITE_P(Limites, LimiteDelProceso, ::testing::Values(kEspacio, Limite{RLIMIT_DATA, "VmData:"}),
                         [](const auto& info) { return std::string(info.param.recurso == RLIMIT_AS ? "Espacio" : "Datos"); });

// Control groups laid out as files below a directory of the test's own: /proc/self/cgroup,
// /proc/self/mountinfo and the groups' memory files, and the room they leave. A group
// without memory.stat counts its whole usage.
struct CasoCgroup {
    const char* nombre;
    std::vector<std::pair<const char*, const char*>> archivos;   // path below the root, text
    double margen;                                               // expected bytes
};

void PrintTo(const CasoCgroup& caso, std::ostream* salida) { *salida << caso.nombre; }

constexpr double kSinLimite = std::numeric_limits<double>::max();
constexpr const char* kMontajeV2 = "30 23 0:26 / /sys/fs/cgroup rw,nosuid,nodev - cgroup2 cgroup2 rw\n";

const CasoCgroup kCasosCgroup[] = {
    // The process's group has no limit; the one above it leaves 1000000 - 400000.
    {"LimiteEnElGrupoDeArriba",
     {{"proc/self/cgroup", "0::/a/b\n"}, {"proc/self/mountinfo", kMontajeV2},
      {"sys/fs/cgroup/a/b/memory.max", "max\n"}, {"sys/fs/cgroup/a/b/memory.current", "100\n"},
      {"sys/fs/cgroup/a/memory.max", "1000000\n"}, {"sys/fs/cgroup/a/memory.current", "400000\n"}},
     600000},
    // Both limit: the least room, 500000 - 300000 below against 600000 above.
    {"ElMenorDeDosLimites",
     {{"proc/self/cgroup", "0::/a/b\n"}, {"proc/self/mountinfo", kMontajeV2},
      {"sys/fs/cgroup/a/b/memory.max", "500000\n"}, {"sys/fs/cgroup/a/b/memory.current", "300000\n"},
      {"sys/fs/cgroup/a/memory.max", "1000000\n"}, {"sys/fs/cgroup/a/memory.current", "400000\n"}},
     200000},
    // "max" all the way up, and the root group, which has no memory.max at all.
    {"SinLimite",
     {{"proc/self/cgroup", "0::/a\n"}, {"proc/self/mountinfo", kMontajeV2},
      {"sys/fs/cgroup/a/memory.max", "max\n"}, {"sys/fs/cgroup/a/memory.current", "5000\n"},
      {"sys/fs/cgroup/memory.current", "9000\n"}},
     kSinLimite},
    // Without /proc/self/cgroup nothing is known, and nothing bounds.
    {"SinArchivos", {}, kSinLimite},
    // A group that uses more than its limit leaves nothing.
    {"UsoMayorQueElLimite",
     {{"proc/self/cgroup", "0::/a\n"}, {"proc/self/mountinfo", kMontajeV2},
      {"sys/fs/cgroup/a/memory.max", "1000\n"}, {"sys/fs/cgroup/a/memory.current", "4000\n"}},
     0},
    // A v1 memory controller beside an unlimited unified hierarchy; v1's root says
    // "unlimited" with a huge number.
    {"Version1",
     {{"proc/self/cgroup", "4:memory:/lote/x\n1:cpu,cpuacct:/\n0::/\n"},
      {"proc/self/mountinfo",
       "31 22 0:28 / /sys/fs/cgroup rw - tmpfs tmpfs rw\n"
       "35 31 0:32 / /sys/fs/cgroup/memory rw,relatime - cgroup cgroup rw,memory\n"
       "41 31 0:38 / /sys/fs/cgroup/unified rw,relatime - cgroup2 cgroup2 rw\n"},
      {"sys/fs/cgroup/memory/lote/x/memory.limit_in_bytes", "2000000\n"},
      {"sys/fs/cgroup/memory/lote/x/memory.usage_in_bytes", "500000\n"},
      {"sys/fs/cgroup/memory/memory.limit_in_bytes", "9223372036854771712\n"},
      {"sys/fs/cgroup/memory/memory.usage_in_bytes", "625500160\n"}},
     1500000},
    // A mount that shows a group deep in the hierarchy at its mount point (its root field):
    // the process's group lies below the point by what follows that root.
    {"MontajeDeUnGrupoInterior",
     {{"proc/self/cgroup", "0::/docker/abc/sub\n"},
      {"proc/self/mountinfo", "30 23 0:26 /docker/abc /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"},
      {"sys/fs/cgroup/sub/memory.max", "800\n"}, {"sys/fs/cgroup/sub/memory.current", "300\n"},
      {"sys/fs/cgroup/memory.max", "10000\n"}, {"sys/fs/cgroup/memory.current", "0\n"}},
     500},
    // Inactive file pages are page cache that reclaim gives back: each group counts its
    // usage less them. Below, 500000 - (450000 - 300000) = 350000; above, where the cache
    // is smaller, 600000 - (580000 - 300000) = 320000, the lesser. active_file stays counted.
    {"CacheInactivaEnCadaGrupo",
     {{"proc/self/cgroup", "0::/a/b\n"}, {"proc/self/mountinfo", kMontajeV2},
      {"sys/fs/cgroup/a/b/memory.max", "500000\n"}, {"sys/fs/cgroup/a/b/memory.current", "450000\n"},
      {"sys/fs/cgroup/a/b/memory.stat",
       "anon 100000\nfile 350000\nactive_anon 100000\ninactive_anon 0\nactive_file 50000\ninactive_file 300000\n"},
      {"sys/fs/cgroup/a/memory.max", "600000\n"}, {"sys/fs/cgroup/a/memory.current", "580000\n"},
      {"sys/fs/cgroup/a/memory.stat",
       "anon 180000\nfile 400000\nactive_anon 180000\ninactive_anon 0\nactive_file 100000\ninactive_file 300000\n"}},
     320000},
    // v1's usage counts the groups below, and so does total_inactive_file; inactive_file is
    // the group's own pages alone: 2000000 - (1500000 - 900000) = 1400000, where the
    // group's own 200000 would give 700000.
    {"CacheInactivaVersion1",
     {{"proc/self/cgroup", "4:memory:/lote\n0::/\n"},
      {"proc/self/mountinfo", "35 31 0:32 / /sys/fs/cgroup/memory rw,relatime - cgroup cgroup rw,memory\n"},
      {"sys/fs/cgroup/memory/lote/memory.limit_in_bytes", "2000000\n"},
      {"sys/fs/cgroup/memory/lote/memory.usage_in_bytes", "1500000\n"},
      {"sys/fs/cgroup/memory/lote/memory.stat",
       "cache 300000\nrss 100000\ninactive_anon 100000\nactive_anon 0\ninactive_file 200000\n"
       "active_file 100000\nhierarchical_memory_limit 2000000\ntotal_cache 1100000\ntotal_rss 400000\n"
       "total_inactive_anon 400000\ntotal_active_anon 0\ntotal_inactive_file 900000\ntotal_active_file 200000\n"}},
     1400000},
    // A memory.stat without the key subtracts nothing: 1000 - 400.
    {"EstadisticaSinLaClave",
     {{"proc/self/cgroup", "0::/a\n"}, {"proc/self/mountinfo", kMontajeV2},
      {"sys/fs/cgroup/a/memory.max", "1000\n"}, {"sys/fs/cgroup/a/memory.current", "400\n"},
      {"sys/fs/cgroup/a/memory.stat", "anon 100\nfile 300\nactive_file 300\n"}},
     600},
    // More inactive pages than usage (the two are read at different moments) leave a
    // working set of 0, not a negative one: the whole limit, 1000.
    {"InactivasMayoresQueElUso",
     {{"proc/self/cgroup", "0::/a\n"}, {"proc/self/mountinfo", kMontajeV2},
      {"sys/fs/cgroup/a/memory.max", "1000\n"}, {"sys/fs/cgroup/a/memory.current", "300\n"},
      {"sys/fs/cgroup/a/memory.stat", "file 500\ninactive_file 500\n"}},
     1000},
};

class Cgroup : public ::testing::TestWithParam<CasoCgroup> {
protected:
    DirectorioTemporal directorio;
};

TEST_P(Cgroup, MargenDeLosGrupos)
{
    const std::filesystem::path raiz = directorio.camino();
    for (const auto& [ruta, texto] : GetParam().archivos) {
        const std::filesystem::path archivo = raiz / ruta;
        std::filesystem::create_directories(archivo.parent_path());
        std::ofstream(archivo, std::ios::binary) << texto;
    }
    EXPECT_EQ(memoriaDelCgroup(raiz.string()), GetParam().margen);
}

INSTANTIATE_TEST_SUITE_P(Casos, Cgroup, ::testing::ValuesIn(kCasosCgroup),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
