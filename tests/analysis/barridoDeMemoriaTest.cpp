#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "funcionLeerArchivo.h"
#include "funcionSolucionU.h"
#include "grupoDeMemoria.h"
#include "sanitizador.h"
#include "variablesGlobales.h"

// Inside a memory control group an allocation beyond the limit ends the process: there the
// estimates of model building and of the solver are the only guard. Over a full-rank
// frame, a mechanism and a model of many combinations, the group's limit is swept from
// little above what the process holds before it reads to beyond the model's own peak: at
// every limit the model is either solved or refused with one line, never killed, and with
// 15 per cent above its peak it is solved.

namespace {

// A frame of `pisos` storeys by `vanos` bays (6 wide, 3 high), fixed bases, every tag of
// loads, `combos` combinations. Hinged columns (released at both ends) make it sway.
std::string portico(int pisos, int vanos, int combos, bool columnasArticuladas)
{
    const auto n = [&](int i, int j) { return std::to_string(1 + j * (vanos + 1) + i); };
    std::string columnas;
    std::string vigas;
    std::string texto = "nudos:";
    for (int j = 0; j <= pisos; ++j)
        for (int i = 0; i <= vanos; ++i)
            texto += " " + n(i, j) + " " + std::to_string(6 * i) + " " + std::to_string(3 * j);
    texto += "\nbarras:";
    int b = 0;
    for (int j = 0; j < pisos; ++j)
        for (int i = 0; i <= vanos; ++i) {
            texto += " " + std::to_string(++b) + " " + n(i, j) + " " + n(i, j + 1);
            columnas += " " + std::to_string(b);
        }
    for (int j = 1; j <= pisos; ++j)
        for (int i = 0; i < vanos; ++i) {
            texto += " " + std::to_string(++b) + " " + n(i, j) + " " + n(i + 1, j);
            vigas += " " + std::to_string(b);
        }
    texto += "\napoyo: 1 1 1";
    for (int i = 0; i <= vanos; ++i)
        texto += " " + n(i, 0);
    texto += "\nseccionRectangular: C 0.4 0.4 2.5e7 24" + columnas;
    if (vanos > 0)
        texto += "\nseccionRectangular: V 0.3 0.5 2.5e7 24" + vigas + "\ndistribuidaLocal: D 0 0 -20 -20" + vigas;
    if (columnasArticuladas)
        texto += "\narticulacion: 0 0" + columnas;
    texto += "\npuntual: W 10 0 0";
    for (int j = 1; j <= pisos; ++j)
        texto += " " + n(0, j);
    texto += "\npesoPropio: PP\n";
    for (int c = 0; c < combos; ++c)
        texto += "combo: C" + std::to_string(c) + " 1.2 PP " + std::to_string(1.0 + c) + " W\n";
    return texto;
}

struct CasoDeBarrido {
    const char* nombre;
    int pisos;
    int vanos;
    int combos;
    bool articulado;
};

void PrintTo(const CasoDeBarrido& caso, std::ostream* salida) { *salida << caso.nombre; }

const CasoDeBarrido kCasosDeBarrido[] = {
    {"PorticoDeRangoCompleto", 20, 10, 2, false},   // 693 DOF, some 12 MB
    {"Mecanismo", 20, 10, 2, true},                 // the same frame swaying
    {"MuchasCombinaciones", 4, 3, 6000, false},     // the rows and results of 6000 combinations
    {"CombinacionesDeUnaBarra", 1, 0, 30000, false},   // reading them takes the most
};

// Exit codes of the child.
constexpr int kResuelto = 0;
constexpr int kRehusado = 1;
constexpr int kOtro = 2;

// Reads and solves the file; answers kResuelto when every node has results and nothing was
// said of memory, kRehusado when one line said there was no memory and no node has results.
int leerYResolver()
{
    std::string texto;
    {
        CapturaConsola consola;
        funcionLeerArchivo();
        if (noNudos != 0 && noBarras != 0 && noCombos != 0)
            funcionSolucionU();
        texto = consola.texto();
    }
    int lineas = 0;
    for (std::size_t en = texto.find("No hay memoria"); en != std::string::npos; en = texto.find("No hay memoria", en + 1))
        ++lineas;
    bool resultados = !nudo.empty();
    for (const objNudo2d& n : nudo)
        resultados = resultados && n.tieneResultados(0);
    if (lineas == 0 && resultados)
        return kResuelto;
    const bool ningunResultado = nudo.empty() || !nudo.front().tieneResultados(0);
    return (lineas == 1 && ningunResultado) ? kRehusado : kOtro;
}

// What the child does before it reads: what the process holds then is its floor.
int nada() { return kResuelto; }

class BarridoDeMemoria : public ::testing::TestWithParam<CasoDeBarrido> {
protected:
    void SetUp() override
    {
#ifdef ORVELTA_CON_ASAN
        GTEST_SKIP() << "AddressSanitizer's shadow memory and quarantine are not the program's memory";
#endif
        reiniciarEstadoGlobal();
    }
    void TearDown() override { reiniciarEstadoGlobal(); }

    DirectorioTemporal directorio;
};

TEST_P(BarridoDeMemoria, ResueltoORehusadoNuncaTerminadoPorElNucleo)
{
    GrupoDeMemoria grupo;
    if (!grupo.valido())
        GTEST_SKIP() << grupo.motivo();
    const CasoDeBarrido& caso = GetParam();
    nombreArchivo = directorio.escribir("entrada.txt", portico(caso.pisos, caso.vanos, caso.combos, caso.articulado));

    ASSERT_TRUE(grupo.limitar(0));
    const GrupoDeMemoria::Fin suelo = grupo.enElGrupo(nada);
    ASSERT_TRUE(suelo.terminado);
    const double minimo = grupo.pico();
    // The model's peak, the larger of two runs: one may find pages that another charges.
    double pico = 0.0;
    for (int vez = 0; vez < 2; ++vez) {
        ASSERT_TRUE(grupo.limitar(0));
        const GrupoDeMemoria::Fin sinLimite = grupo.enElGrupo(leerYResolver);
        ASSERT_TRUE(sinLimite.terminado);
        ASSERT_EQ(sinLimite.codigo, kResuelto);
        pico = std::max(pico, grupo.pico());
    }
    ASSERT_GT(pico, minimo);

    for (int paso = 0; paso <= 20; ++paso) {
        const double limite = minimo + (1 << 20) + paso / 20.0 * (pico - minimo);
        ASSERT_TRUE(grupo.limitar(limite));
        const GrupoDeMemoria::Fin fin = grupo.enElGrupo(leerYResolver);
        EXPECT_TRUE(fin.terminado) << "límite de " << limite / 1e6 << " MB: terminado por la señal " << fin.codigo;
        EXPECT_TRUE(fin.codigo == kResuelto || fin.codigo == kRehusado) << "límite de " << limite / 1e6 << " MB";
    }
    ASSERT_TRUE(grupo.limitar(1.15 * pico));
    const GrupoDeMemoria::Fin holgado = grupo.enElGrupo(leerYResolver);
    EXPECT_TRUE(holgado.terminado);
    EXPECT_EQ(holgado.codigo, kResuelto) << "con 1.15 veces su pico, " << pico / 1e6 << " MB";
}

// A group that holds page cache: a file of 300 MB written and synced there fills its limit
// of 200 MB with clean pages, which the kernel takes back when a process asks. The 20 x 10
// frame, some 13 MB at its peak, still fits: its reading and its solve count the group's
// working set, not its cache.
TEST_F(BarridoDeMemoria, UnGrupoLlenoDeCacheResuelveLoQueCabe)
{
    GrupoDeMemoria grupo;
    if (!grupo.valido())
        GTEST_SKIP() << grupo.motivo();
    struct statfs sistema {};
    if (statfs(directorio.camino().c_str(), &sistema) != 0 || sistema.f_type == TMPFS_MAGIC)
        GTEST_SKIP() << "la carpeta temporal no está en un disco: sus páginas no son caché";
    nombreArchivo = directorio.escribir("entrada.txt", portico(20, 10, 2, false));
    const std::string relleno = (directorio.camino() / "relleno").string();

    constexpr double kLimite = 200e6;
    constexpr std::size_t kCache = 300u << 20;
    ASSERT_TRUE(grupo.limitar(kLimite));
    const GrupoDeMemoria::Fin fin = grupo.enElGrupo([&] {
        const int archivo = ::open(relleno.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const std::string bloque(1u << 20, 'x');
        for (std::size_t escrito = 0; archivo >= 0 && escrito < kCache; escrito += bloque.size())
            if (::write(archivo, bloque.data(), bloque.size()) != static_cast<ssize_t>(bloque.size()))
                return kOtro;
        if (archivo < 0 || ::fsync(archivo) != 0 || ::close(archivo) != 0)
            return kOtro;
        return leerYResolver();
    });
    EXPECT_GE(grupo.pico(), 0.9 * kLimite);
    EXPECT_TRUE(fin.terminado);
    EXPECT_EQ(fin.codigo, kResuelto);
}

INSTANTIATE_TEST_SUITE_P(Modelos, BarridoDeMemoria, ::testing::ValuesIn(kCasosDeBarrido),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
