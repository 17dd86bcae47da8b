#include <gtest/gtest.h>

#include <pty.h>
#include <unistd.h>

#include <iostream>
#include <string>

#include "consola.h"

namespace {

// Runs limpiarConsola with standard output sent to the given descriptor.
void limpiarHacia(int destino)
{
    std::cout.flush();
    const int original = dup(STDOUT_FILENO);
    dup2(destino, STDOUT_FILENO);
    limpiarConsola();
    std::cout.flush();
    dup2(original, STDOUT_FILENO);
    close(original);
}

std::string leerDisponible(int descriptor)
{
    char bloque[64];
    const ssize_t n = read(descriptor, bloque, sizeof bloque);
    return std::string(bloque, n > 0 ? static_cast<std::size_t>(n) : 0);
}

}  // namespace

TEST(Consola, EnUnaTerminalBorraLaPantallaConLaSecuenciaAnsi)
{
    int maestro = -1;
    int esclavo = -1;
    ASSERT_EQ(openpty(&maestro, &esclavo, nullptr, nullptr, nullptr), 0);
    limpiarHacia(esclavo);
    EXPECT_EQ(leerDisponible(maestro), "\033[2J\033[H");
    close(esclavo);
    close(maestro);
}

TEST(Consola, RedirigidaNoEscribeNada)
{
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    limpiarHacia(tubo[1]);
    close(tubo[1]);
    EXPECT_EQ(leerDisponible(tubo[0]), "");
    close(tubo[0]);
}
