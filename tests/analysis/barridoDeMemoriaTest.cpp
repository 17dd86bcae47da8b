#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "archivosTemporales.h"
#include "grupoDeMemoria.h"
#include "variablesGlobales.h"

// Inside a memory control group an allocation beyond the limit ends the process: there the
// estimates of model building and of the solver are the only guard. Over a full-rank
// frame, a mechanism and a model of many combinations, the group's limit is swept from
// little above what the process holds before it reads to beyond the model's own peak: at
// every limit the model is either solved or refused with one line, never killed, and with
// 15 per cent above its peak it is solved.

namespace {

// A frame of `pisos` storeys by `vanos` bays (6 wide, 3 high), fixed bases, every tag of
// loads, `combos` combinations. Hinged columns (released at both ends) make it sway; a load
// row that names bar 1 `referencias` times gives it as many loads.
std::string portico(int pisos, int vanos, int combos, bool columnasArticuladas, int referencias)
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
    if (referencias > 0) {
        texto += "\ndistribuidaLocal: R 0 0 -1 -1";
        for (int k = 0; k < referencias; ++k)
            texto += " 1";
    }
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
    int referencias;
};

void PrintTo(const CasoDeBarrido& caso, std::ostream* salida) { *salida << caso.nombre; }

const CasoDeBarrido kCasosDeBarrido[] = {
    {"PorticoDeRangoCompleto", 20, 10, 2, false, 0},      // 693 DOF, some 12 MB
    {"Mecanismo", 20, 10, 2, true, 0},                    // the same frame swaying
    {"MuchasCombinaciones", 4, 3, 6000, false, 0},        // the rows and results of 6000 combinations
    {"CombinacionesDeUnaBarra", 1, 0, 30000, false, 0},   // reading them takes the most
    // The bars' loads, read before the bars' rows are made: their step must leave the
    // memory those rows will take.
    {"CargasAntesDeLasFilasDeLasBarras", 10, 10, 2000, false, 200000},
};

// Exit codes of resolverArchivo, which reads and solves the file in a process of its own.
constexpr int kResuelto = 0;
constexpr int kRehusado = 1;

int leerYResolver()
{
    execl(ORVELTA_RESOLVER_ARCHIVO, ORVELTA_RESOLVER_ARCHIVO, nombreArchivo.c_str(), static_cast<char*>(nullptr));
    return 3;
}

// A process that only starts: what it holds is the floor of the sweep.
int nada()
{
    execl(ORVELTA_RESOLVER_ARCHIVO, ORVELTA_RESOLVER_ARCHIVO, static_cast<char*>(nullptr));
    return 3;
}

// How a check ended in a group of its own, limited to `limite` bytes (none for 0), and the
// most the group held: a fresh group each time, whose peak counts from its making.
struct Corrida {
    GrupoDeMemoria::Desenlace desenlace;
    double pico;
};

template <class Comprobacion>
Corrida enUnGrupo(double limite, Comprobacion comprobacion)
{
    GrupoDeMemoria grupo;
    if (limite > 0 && !grupo.limitar(static_cast<std::uint64_t>(limite)))
        return {{-1, 0}, -1.0};
    const GrupoDeMemoria::Desenlace desenlace = grupo.ejecutar(comprobacion);
    return {desenlace, grupo.pico()};
}

class BarridoDeMemoria : public ::testing::TestWithParam<CasoDeBarrido> {
protected:
    void SetUp() override
    {
        const GrupoDeMemoria prueba;
        if (!prueba.existe())
            GTEST_SKIP() << prueba.motivo();
        reiniciarEstadoGlobal();
    }
    void TearDown() override { reiniciarEstadoGlobal(); }

    DirectorioTemporal directorio;
};

TEST_P(BarridoDeMemoria, ResueltoORehusadoNuncaTerminadoPorElNucleo)
{
    const CasoDeBarrido& caso = GetParam();
    nombreArchivo = directorio.escribir("entrada.txt", portico(caso.pisos, caso.vanos, caso.combos, caso.articulado, caso.referencias));

    const Corrida suelo = enUnGrupo(0, nada);
    ASSERT_EQ(suelo.desenlace.codigo, 2);   // no file named
    // The model's peak, the larger of two runs: one may find pages that another charges.
    double pico = 0.0;
    for (int vez = 0; vez < 2; ++vez) {
        const Corrida libre = enUnGrupo(0, leerYResolver);
        ASSERT_EQ(libre.desenlace.codigo, kResuelto) << "señal " << libre.desenlace.senal;
        pico = std::max(pico, libre.pico);
    }
    ASSERT_GT(pico, suelo.pico);

    for (int paso = 0; paso <= 20; ++paso) {
        const double limite = suelo.pico + (1 << 20) + paso / 20.0 * (pico - suelo.pico);
        const Corrida corrida = enUnGrupo(limite, leerYResolver);
        EXPECT_EQ(corrida.desenlace.senal, 0) << "límite de " << limite / 1e6 << " MB: terminado por una señal";
        EXPECT_TRUE(corrida.desenlace.codigo == kResuelto || corrida.desenlace.codigo == kRehusado)
            << "límite de " << limite / 1e6 << " MB: " << corrida.desenlace.codigo;
    }
    const Corrida holgada = enUnGrupo(1.15 * pico, leerYResolver);
    EXPECT_EQ(holgada.desenlace.codigo, kResuelto) << "con 1.15 veces su pico, " << 1.15 * pico / 1e6 << " MB";
}

INSTANTIATE_TEST_SUITE_P(Modelos, BarridoDeMemoria, ::testing::ValuesIn(kCasosDeBarrido),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
