#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/magic.h>
#include <signal.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "funcionSolucionU.h"
#include "grupoDeMemoria.h"
#include "memoriaDisponible.h"
#include "modeloDePrueba.h"

// Real memory control groups: a child over its group's limit is killed, and a group whose
// usage is mostly page cache still solves a model that fits once the cache is reclaimed.

namespace {

constexpr std::uint64_t kMega = 1u << 20;

class GrupoReal : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!grupo.existe())
            GTEST_SKIP() << grupo.motivo();
        prueba::reiniciarEstado();
        reiniciarEstadoGlobal();
    }
    void TearDown() override { prueba::reiniciarEstado(); }

    GrupoDeMemoria grupo;
};

// A child that touches 128 MB in a group of 64 MB is ended by the OOM killer, SIGKILL, its
// usage at the limit by then; v1's peak starts again from what is left, the page cache of
// nothing: less than a few megabytes.
TEST_F(GrupoReal, QuienPasaElLimiteMuereYElPicoLoRecuerda)
{
    const std::uint64_t limite = 64 * kMega;
    ASSERT_TRUE(grupo.limitar(limite));
    const GrupoDeMemoria::Desenlace desenlace = grupo.ejecutar([] {
        std::vector<char> bloque(128 * kMega);
        for (std::size_t i = 0; i < bloque.size(); i += 4096)
            static_cast<volatile char&>(bloque[i]) = 1;
        return 0;
    });
    EXPECT_EQ(desenlace.senal, SIGKILL);
    EXPECT_EQ(desenlace.codigo, -1);
    EXPECT_GE(grupo.pico(), 0.9 * static_cast<double>(limite));
    if (grupo.esVersion2()) {
        EXPECT_FALSE(grupo.reiniciarPico());
        return;
    }
    ASSERT_TRUE(grupo.reiniciarPico());
    EXPECT_LT(grupo.pico(), 4.0 * kMega);
}

// Writes `bytes` to a new file and syncs it to the disk: clean page cache, charged to the
// writer's group.
bool escribirCache(const std::string& ruta, std::uint64_t bytes)
{
    const int descriptor = open(ruta.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return false;
    const std::vector<char> bloque(kMega, 'x');
    bool escrito = true;
    for (std::uint64_t hecho = 0; escrito && hecho < bytes; hecho += bloque.size())
        escrito = write(descriptor, bloque.data(), bloque.size()) == static_cast<ssize_t>(bloque.size());
    const bool sincronizado = escrito && fsync(descriptor) == 0;
    return close(descriptor) == 0 && sincronizado;
}

// A cantilever fixed at node 1, of bars 0.01 long (E = 1e4, A = 1, I = 2), as many as make
// the solve need at least `bytes`, under P = -1 across its free end in case "P",
// combination "C1". Answers its length.
double voladizoQueNecesita(double bytes)
{
    const double paso = 0.01;
    prueba::agregarNudo(0, 0, 1, 1, 1);
    while (pasosSolucion::memoriaNecesaria() < bytes) {
        prueba::agregarNudo(paso * noNudos, 0, 0, 0, 0);
        prueba::agregarBarra(noNudos - 2, noNudos - 1, 1e4, 1.0, 2.0);
    }
    nudo.back().setCargaPuntual("P", 0, -1, 0);
    prueba::agregarCombo("C1", 1.0, "P");
    return paso * (noNudos - 1);
}

// A group of 200 MB that holds 170 MB of page cache (a file written and synced in it) and a
// model whose solve needs 40 MB: the usage leaves less than that, the working set far more.
// The model solves, with no line, and its free end moves P L^3 / (3 E I) down.
TEST_F(GrupoReal, ConLaCacheLlenaResuelveUnModeloQueCabe)
{
    DirectorioTemporal directorio;
    struct statfs sistema {};
    ASSERT_EQ(statfs(directorio.camino().c_str(), &sistema), 0);
    if (sistema.f_type == TMPFS_MAGIC)
        GTEST_SKIP() << directorio.camino() << " is tmpfs: its files are not page cache that reclaim gives back";
    const std::uint64_t limite = 200 * kMega;
    const std::uint64_t cache = 170 * kMega;
    ASSERT_TRUE(grupo.limitar(limite));
    const double largo = voladizoQueNecesita(40.0 * kMega);
    const double necesaria = pasosSolucion::memoriaNecesaria();
    const double flecha = -largo * largo * largo / (3 * 1e4 * 2.0);
    const std::string archivo = (directorio.camino() / "cache").string();

    const GrupoDeMemoria::Desenlace desenlace = grupo.ejecutar([&] {
        if (!escribirCache(archivo, cache))
            return 1;
        const double uso = grupo.uso();
        std::string texto;
        double error = 0.0;   // of the free end's deflection, relative
        const auto falla = [&](int codigo) {
            std::cerr << texto << "uso " << uso << ", inactivas " << grupo.inactivas() << ", necesaria "
                      << necesaria << ", error de la flecha " << error << '\n';
            return codigo;
        };
        // Counted whole, the usage leaves less than the solve needs: the case at stake.
        if (static_cast<double>(limite) - uso >= necesaria)
            return falla(2);
        {
            CapturaConsola consola;
            funcionSolucionU();
            texto = consola.texto();
        }
        if (!texto.empty() || !nudo.back().tieneResultados(0))
            return falla(3);
        // 1e-4: a chain of 400 short bars has a stiffness of condition near 1e10.
        error = nudo.back().getDesplazamientoY(0) / flecha - 1.0;
        return std::abs(error) <= 1e-4 ? 0 : falla(4);
    });
    EXPECT_EQ(desenlace.senal, 0);
    EXPECT_EQ(desenlace.codigo, 0);
}

}  // namespace
