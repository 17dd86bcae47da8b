#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bloquesDeMemoria.h"
#include "capturaConsola.h"
#include "lecturaDelModelo.h"
#include "memoriaDeLectura.h"
#include "variablesGlobales.h"

// Model building's reckoning of its memory: the ledger of what the steps took, the bytes of
// the combinations' rows, and whole files refused with one line when a step does not fit.

namespace {

// The memory available as a test sets it, and how often it was asked.
struct MemoriaDePrueba {
    double bytes;
    int preguntas = 0;
};

MemoriaDeLectura::MemoriaLibre preguntarA(MemoriaDePrueba& memoria)
{
    return [&memoria] {
        ++memoria.preguntas;
        return memoria.bytes;
    };
}

constexpr double kMiB = 1024.0 * 1024.0;

}  // namespace

// The ledger keeps a quarter of a MiB aside; a step that fits in what is left is taken
// without asking again; one that does not asks once more (the steps before may have given
// memory back), and is refused if it still does not fit, the line naming the step and what
// is owed.
TEST(MemoriaDeLectura, LlevaLaCuentaDeLoTomadoYLoDebido)
{
    MemoriaDePrueba libre{100 * kMiB};
    MemoriaDeLectura memoria(preguntarA(libre), 0.0);
    EXPECT_EQ(libre.preguntas, 1);
    EXPECT_TRUE(memoria.tomar(60 * kMiB));
    libre.bytes -= 60 * kMiB;                  // the step takes its memory
    memoria.reservar(30 * kMiB);
    EXPECT_TRUE(memoria.tomar(9.75 * kMiB));   // 100 - 60 - 0.25 - 30 = 9.75 MiB left
    libre.bytes -= 9.75 * kMiB;
    EXPECT_EQ(libre.preguntas, 1);

    EXPECT_FALSE(memoria.tomar(1 * kMiB));
    EXPECT_EQ(libre.preguntas, 2);
    CapturaConsola consola;
    memoria.avisar("entrada.txt");
    // The step of 1 MiB and the 30.25 MiB owed: 31.25 MiB = 0.032768 GB.
    EXPECT_EQ(consola.texto(), "No hay memoria para leer el archivo de entrada: entrada.txt (se necesitan 0.032768 GB)\n");

    // Memory given back by the steps before is seen when the ledger asks again.
    libre.bytes += 20 * kMiB;
    EXPECT_TRUE(memoria.tomar(1 * kMiB));
    libre.bytes -= 1 * kMiB;
    EXPECT_EQ(libre.preguntas, 3);
    memoria.pagar(30 * kMiB);                  // the owed step comes, and takes what was kept for it
    libre.bytes -= 30 * kMiB;
    // 100 - 60 - 9.75 + 20 - 1 - 30 = 19.25 MiB free, a quarter of them aside.
    EXPECT_FALSE(memoria.tomar(19.25 * kMiB));
    EXPECT_TRUE(memoria.tomar(19 * kMiB));
}

// Sizes the heap gives, worked out by hand from glibc's rules: 8 bytes of header in steps
// of 16, 32 at least; from 128 KiB up, pages of 4 KiB with 16 bytes of header.
TEST(MemoriaDeLectura, BloquesDelHeap)
{
    EXPECT_EQ(bloqueDelHeap(0), 0.0);
    EXPECT_EQ(bloqueDelHeap(1), 32.0);
    EXPECT_EQ(bloqueDelHeap(24), 32.0);
    EXPECT_EQ(bloqueDelHeap(25), 48.0);
    EXPECT_EQ(bloqueDelHeap(128 * 1024), 33.0 * 4096);
    EXPECT_EQ(heapDeTexto(15), 0.0);
    EXPECT_EQ(heapDeTexto(16), 32.0);
    // 1000 doubles pushed one by one end in 1024; the blocks before it add up to as much.
    EXPECT_EQ(bytesDeVectorCreciente(1000, 8), 2.0 * 8208);
}

// Two combinations "A" and "B" of one pair each, on 10 elements of 3 columns: per element
// the names (a block of 2 x 32 bytes: 80) and a 2 x 3 matrix (48 bytes: 64), 1440 in all;
// and, while one element's rows are made, its starts (3 x 8: 32), its free places (2 x 8:
// 32) and its terms (2 x 24: 64): 128.
TEST(MemoriaDeLectura, FilasDeCombos)
{
    EXPECT_EQ(bytesDeFilasDeCombos({"A", "B"}, 2, 10, 3), 1440.0 + 128.0);
}

// Files in which one step of model building takes much more than the file: the memory
// available is set just below what that step alone needs (worked out by hand), then well
// above it. Below, one line and no model; above, the model.
struct CasoDeLectura {
    const char* nombre;
    std::string (*texto)();
    double bytesDelPaso;   // what the step alone takes
    void (*comprobar)();
};

void PrintTo(const CasoDeLectura& caso, std::ostream* salida) { *salida << caso.nombre; }

// 100000 references to node 2 after one point load: as many loads on it, each gathered
// (its row and the load, 32 bytes) and then held (its case name, 32 bytes, and its row of 3
// reals): 100000 x (32 + 32 + 24) = 8.8 MB.
std::string referencias()
{
    std::string texto = "nudos: 1 0 0 2 1 0\nbarras: 1 1 2\npuntual: P 0 -1 0";
    for (int k = 0; k < 100000; ++k)
        texto += " 2";
    return texto + "\ncombo: C 1 P\n";
}

// 200000 nodes: after the table of 3 reals each, the nodes themselves and two lookups of
// 200001 ints (1.6 MB).
std::string nudos()
{
    std::string texto = "nudos:";
    for (int k = 1; k <= 200000; ++k)
        texto += " " + std::to_string(k) + " " + std::to_string(k) + " 0";
    return texto + "\n";
}

const CasoDeLectura kCasosDeLectura[] = {
    {"MuchasReferencias", referencias, 8.8e6,
     [] { EXPECT_EQ(nudo[1].getMatrizCargasPuntuales().rows(), 100000); }},
    {"MuchosNudos", nudos, 200000.0 * sizeof(objNudo2d) + 1.6e6, [] { EXPECT_EQ(noNudos, 200000); }},
};

class PasoGrande : public LecturaConMemoria, public ::testing::WithParamInterface<CasoDeLectura> {};

TEST_P(PasoGrande, UnaLineaSiNoCabeYElModeloSiCabe)
{
    const CasoDeLectura& caso = GetParam();
    nombreArchivo = directorio.escribir("entrada.txt", caso.texto());
    const std::string linea = "No hay memoria para leer el archivo de entrada: " + nombreArchivo;
    const std::string rechazo = leerCon(caso.bytesDelPaso - 1e6);
    // One line, the last, with what the step and what is owed need: more than the room.
    const std::size_t en = rechazo.rfind(linea + " (se necesitan ");
    ASSERT_NE(en, std::string::npos) << rechazo;
    EXPECT_EQ(rechazo.find("No hay memoria"), en) << rechazo;
    EXPECT_EQ(rechazo.find('\n', en), rechazo.size() - 1) << rechazo;
    EXPECT_GT(std::stod(rechazo.substr(en + linea.size() + 15)) * 1e9, caso.bytesDelPaso - 1e6) << rechazo;
    EXPECT_EQ(noNudos, 0);
    EXPECT_TRUE(nudo.empty());

    const std::string lectura = leerCon(4.0 * caso.bytesDelPaso + 64e6);
    EXPECT_EQ(lectura.find("No hay memoria"), std::string::npos) << lectura;
    caso.comprobar();
}

INSTANTIATE_TEST_SUITE_P(Lectura, PasoGrande, ::testing::ValuesIn(kCasosDeLectura),
                         [](const auto& info) { return std::string(info.param.nombre); });
