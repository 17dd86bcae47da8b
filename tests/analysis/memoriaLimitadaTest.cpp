#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <string>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "funcionLeerArchivo.h"
#include "funcionSolucionU.h"
#include "modeloDePrueba.h"
#include "sanitizador.h"
#include "variablesGlobales.h"

// A failed allocation, made real: the step runs in a child process whose address space is
// limited (as by ulimit -v) to what it holds already plus a margin, so the large
// allocation of the step throws std::bad_alloc. The step must say so in one line and
// leave no model (reading) or an unsolved one (solving), and the process must go on.

namespace {

constexpr rlim_t kMargen = 256u << 20;   // bytes the child may still take

// The address space the process holds now, in bytes (VmSize of /proc/self/status).
rlim_t espacioActual()
{
    std::ifstream estado("/proc/self/status");
    std::string clave;
    rlim_t kB = 0;
    while (estado >> clave)
        if (clave == "VmSize:" && estado >> kB)
            return kB * 1024;
    return 0;
}

// Runs the check in a child process under the limit; answers its exit code, 101 when the
// check let an exception out (the child must not go on into the other tests), -1 when it
// did not exit normally.
template <class Comprobacion>
int enEspacioLimitado(Comprobacion comprobacion)
{
    std::cout.flush();
    const pid_t hijo = fork();
    if (hijo == 0) {
        const rlim_t limite = espacioActual() + kMargen;
        const rlimit nuevo{limite, limite};
        if (setrlimit(RLIMIT_AS, &nuevo) != 0)
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

// 4000 nodes (all held but one bar's end) give kEstructura of 12000^2 reals, 1.15 GB: the
// memory estimate passes on the machine, the allocation fails under the limit.
TEST_F(MemoriaLimitada, EstructuraMayorQueLaMemoria)
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
        if (texto != "No hay memoria para resolver la estructura: falló una reserva de memoria\n") {
            std::cerr << texto;
            return 1;
        }
        const bool sinResolver = kEstructura.size() == 0 && u.size() == 0 && !nudo[1].tieneResultados(0)
                              && !barra[0].tieneResultados(0);
        return sinResolver ? 0 : 2;
    });
    EXPECT_EQ(codigo, 0);
}

}  // namespace
