#include <gtest/gtest.h>

#include <signal.h>

#include <cstdint>
#include <vector>

#include "archivosTemporales.h"
#include "grupoDeMemoria.h"
#include "modeloDePrueba.h"

// Real memory control groups: a child over its group's limit is killed.

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

}  // namespace
