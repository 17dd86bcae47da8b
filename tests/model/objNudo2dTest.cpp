#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "capturaConsola.h"
#include "objNudo2d.h"

TEST(Nudo, RecienCreadoNoTieneApoyosResortesNiCombos)
{
    const objNudo2d n;
    EXPECT_EQ(n.getApoyo(), Eigen::Vector3i(0, 0, 0));
    EXPECT_EQ(n.getResorteX(), 0.0);
    EXPECT_EQ(n.getResorteY(), 0.0);
    EXPECT_EQ(n.getResorteGiro(), 0.0);
    EXPECT_EQ(n.getCantidadDeCombos(), 0);
    EXPECT_EQ(n.getNumeroDeCombo("U1"), -1);
    EXPECT_FALSE(n.tieneResultados(0));
}

TEST(Nudo, GradosDeLibertadSalenDelNumeroInterno)
{
    objNudo2d n;
    n.setNumeroDeNudo(4);
    EXPECT_EQ(n.getGdl(), Eigen::Vector3i(12, 13, 14));
}

TEST(Nudo, ComboSumaLasCargasPuntualesDelCasoPorSuFactor)
{
    objNudo2d n;
    n.setCargaPuntual("D", 10, 0, 0);
    n.setCargaPuntual("D", 5, 0, 0);
    n.setCargaPuntual("d", 100, 100, 100);   // another case: names are case-sensitive
    n.setCombo("U", 1.5, "D");
    ASSERT_EQ(n.getCantidadDeCombos(), 1);
    EXPECT_DOUBLE_EQ(n.getPxCombo(0), 22.5);   // 1.5 x (10 + 5)
    EXPECT_EQ(n.getPyCombo(0), 0.0);
    EXPECT_EQ(n.getMzCombo(0), 0.0);
}

TEST(Nudo, UnMismoNombreDeComboAcumulaYUnoNuevoAgregaUnaFila)
{
    objNudo2d n;
    n.setCargaPuntual("D", 1, 2, 3);
    n.setCargaPuntual("L", 10, 20, 30);
    n.setCombo("U", 1.2, "D");
    n.setCombo("U", 1.6, "L");
    n.setCombo("S", 1.0, "viento");          // no load of that case here: a zero row
    ASSERT_EQ(n.getCantidadDeCombos(), 2);
    EXPECT_DOUBLE_EQ(n.getPxCombo(0), 1.2 * 1 + 1.6 * 10);
    EXPECT_DOUBLE_EQ(n.getPyCombo(0), 1.2 * 2 + 1.6 * 20);
    EXPECT_DOUBLE_EQ(n.getMzCombo(0), 1.2 * 3 + 1.6 * 30);
    EXPECT_EQ(n.getCargasGlobales().row(1), Eigen::RowVector3d(0, 0, 0));
    EXPECT_EQ(n.getNombreCombo(1), "S");
    EXPECT_EQ(n.getNumeroDeCombo("S"), 1);
    EXPECT_EQ(n.getNumeroDeCombo("s"), -1);
}

TEST(Nudo, ReaccionDeResorteEsMenosKPorElDesplazamiento)
{
    objNudo2d n;
    n.setCombo("A", 1, "x");
    n.setCombo("B", 1, "x");
    n.setResorte(0, 50, 0);
    Eigen::MatrixXd d(3, 2);
    d << 1, 2,
         3, 4,
         5, 6;
    n.setDesplazamientos(d);
    Eigen::MatrixXd r(3, 2);
    r << 7, 8,
         9, 10,
         11, 12;
    n.setReacciones(r);
    EXPECT_EQ(n.getReaccionX(0), 7);        // no spring in X: the solver's value stays
    EXPECT_EQ(n.getReaccionX(1), 8);
    EXPECT_EQ(n.getReaccionY(0), -50 * 3);
    EXPECT_EQ(n.getReaccionY(1), -50 * 4);
    EXPECT_EQ(n.getReaccionM(1), 12);
    EXPECT_TRUE(n.tieneResultados(1));
    EXPECT_FALSE(n.tieneResultados(2));
}

TEST(Nudo, DireccionApoyadaConResorteConservaLaReaccionDelApoyo)
{
    objNudo2d n;
    n.setCombo("A", 1, "x");
    n.setApoyo(1, 2, 0);
    n.setResorte(100, 100, 100);
    n.setDesplazamientos(Eigen::MatrixXd::Constant(3, 1, 0.5));
    Eigen::MatrixXd r(3, 1);
    r << 7, 9, 11;
    n.setReacciones(r);
    EXPECT_EQ(n.getReaccionX(0), 7);        // held (code 1)
    EXPECT_EQ(n.getReaccionY(0), 9);        // held (code 2)
    EXPECT_EQ(n.getReaccionM(0), -50);      // free: the spring's force
}

TEST(Nudo, DesplazamientosConOtraCantidadDeCombosAvisanYSeGuardan)
{
    objNudo2d n;
    for (const char* c : {"A", "B", "C"})
        n.setCombo(c, 1, "x");
    CapturaConsola consola;
    n.setDesplazamientos(Eigen::MatrixXd::Ones(3, 2));
    EXPECT_EQ(consola.texto(),
              "La cantidad de combos de desplazamientos no es igual a la cantidad de combos en Ingreso de Datos\n");
    EXPECT_EQ(n.getDesplazamientoY(1), 1.0);
}

// Many combinations, named in an order unlike their rows, and a case with many loads:
// each name keeps its own row through every growth of the tables, a repeated name adds
// into its row wherever it stands, and a name never given is not found.
TEST(Nudo, MuchosCombosConservanCadaUnoSuFila)
{
    objNudo2d n;
    for (int i = 0; i < 1000; ++i)
        n.setCargaPuntual("D", 1, 0, 0);
    n.setCargaPuntual("L", 0, 2, 0);
    const int total = 3000;
    for (int k = 0; k < total; ++k)
        n.setCombo("U" + std::to_string((k * 7) % total), k + 1.0, "D");
    for (int k = 0; k < total; ++k)
        n.setCombo("U" + std::to_string(k), 1.0, "L");

    ASSERT_EQ(n.getCantidadDeCombos(), total);
    ASSERT_EQ(n.getCargasGlobales().rows(), total);
    for (int k = 0; k < total; ++k) {
        // Name U((7 k) mod 3000) took row k with 1000 x (k + 1); every name then adds 2 in Y.
        const std::string nombre = "U" + std::to_string((k * 7) % total);
        ASSERT_EQ(n.getNumeroDeCombo(nombre), k) << nombre;
        EXPECT_EQ(n.getNombreCombo(k), nombre);
        EXPECT_EQ(n.getPxCombo(k), 1000.0 * (k + 1));
        EXPECT_EQ(n.getPyCombo(k), 2.0);
    }
    EXPECT_EQ(n.getNumeroDeCombo("U3000"), -1);
    EXPECT_EQ(n.getNumeroDeCombo("u1"), -1);
}

namespace {

struct Carga {
    const char* caso;
    double px, py, mz;
};

struct Par {
    const char* combo;
    double factor;
    const char* caso;
};

// Node loads and combination pairs in file order; setCombos must leave each row equal bit
// for bit to setCombo called pair by pair, signed zeros and NaN included.
struct CasoCombos {
    const char* nombre;
    std::vector<Carga> cargas;
    std::vector<Par> pares;
};

const double inf = std::numeric_limits<double>::infinity();

const CasoCombos kCasosCombos[] = {
    {"CasosIntercaladosYNombreRepetido",
     {{"D", 1, 2, 3}, {"L", 10, 20, 30}, {"D", 0.5, 0, 0}},
     {{"U", 1.2, "D"}, {"S", 1, "W"}, {"U", 1.6, "L"}, {"S", 2, "L"}, {"U", 0.5, "D"}}},
    // (1e16 + 1) - 1e16 is 0 and (1e16 - 1e16) + 1 is 1: the file's order must be kept.
    {"OrdenDeLasSumasDelArchivo",
     {{"A", 1e16, 0, 0}, {"B", 1, 0, 0}, {"C", -1e16, 0, 0}},
     {{"U", 1, "A"}, {"V", 1, "C"}, {"U", 1, "B"}, {"V", 1, "A"}, {"U", 1, "C"}, {"V", 1, "B"}}},
    // 0 x (-1) is -0.0; a pair of a case the node lacks adds +0.0 and so makes it +0.0.
    {"CerosConSigno",
     {{"D", -1, 0, 1}},
     {{"Z", 0, "D"}, {"Y", 0, "D"}, {"Y", 1, "W"}, {"X", 1, "W"}, {"X", 0, "D"}, {"N", -0.0, "D"}}},
    // A row without pairs stands as (0, ""): a node with loads of case "" gets 0 x them.
    {"FilaSinParesYCasoSinNombre",
     {{"", -2, inf, 0}},
     {{"U", 0, ""}, {"V", 1, ""}, {"V", 0, ""}}},
    {"SinCargas", {}, {{"U", 1, "D"}, {"V", 2, "D"}}},
};

class CombosDelNudo : public ::testing::TestWithParam<CasoCombos> {};

bool mismosBits(double a, double b) { return std::memcmp(&a, &b, sizeof(double)) == 0; }

TEST_P(CombosDelNudo, DeUnaVezSonLosDeSetComboParAPar)
{
    objNudo2d parAPar;
    objNudo2d deUnaVez;
    CombosDelModelo combos;
    for (const Carga& c : GetParam().cargas) {
        parAPar.setCargaPuntual(c.caso, c.px, c.py, c.mz);
        deUnaVez.setCargaPuntual(c.caso, c.px, c.py, c.mz);
    }
    for (const Par& p : GetParam().pares) {
        parAPar.setCombo(p.combo, p.factor, p.caso);
        combos.agregarPar(p.combo, p.factor, p.caso);
    }
    deUnaVez.setCombos(combos);

    ASSERT_EQ(deUnaVez.getCantidadDeCombos(), parAPar.getCantidadDeCombos());
    const Eigen::MatrixXd esperadas = parAPar.getCargasGlobales();
    const Eigen::MatrixXd filas = deUnaVez.getCargasGlobales();
    ASSERT_EQ(filas.rows(), esperadas.rows());
    for (int c = 0; c < parAPar.getCantidadDeCombos(); ++c) {
        EXPECT_EQ(deUnaVez.getNombreCombo(c), parAPar.getNombreCombo(c));
        EXPECT_EQ(deUnaVez.getNumeroDeCombo(parAPar.getNombreCombo(c)), c);
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(mismosBits(filas(c, k), esperadas(c, k)))
                << "combo " << c << " columna " << k << ": " << filas(c, k) << " en lugar de " << esperadas(c, k);
    }
}

INSTANTIATE_TEST_SUITE_P(Nudo, CombosDelNudo, ::testing::ValuesIn(kCasosCombos),
                         [](const auto& i) { return std::string(i.param.nombre); });

}  // namespace

// The same rows by hand: the order of the file decides the rounding, and signed zeros.
TEST(Nudo, CombosDeUnaVezSumanEnElOrdenDelArchivo)
{
    objNudo2d n;
    n.setCargaPuntual("A", 1e16, -1, 0);
    n.setCargaPuntual("B", 1, 0, 0);
    n.setCargaPuntual("C", -1e16, 0, 0);
    CombosDelModelo combos;
    combos.agregarPar("U", 1, "A");
    combos.agregarPar("V", 1, "C");
    combos.agregarPar("U", 1, "B");
    combos.agregarPar("V", 1, "A");
    combos.agregarPar("U", 1, "C");
    combos.agregarPar("V", 1, "B");
    combos.agregarPar("Z", 0, "A");
    combos.agregarPar("P", 0, "A");
    combos.agregarPar("P", 1, "W");
    n.setCombos(combos);

    ASSERT_EQ(n.getCantidadDeCombos(), 4);
    EXPECT_EQ(n.getPxCombo(0), 0.0);   // (1e16 + 1) - 1e16: the 1 is lost in rounding
    EXPECT_EQ(n.getPxCombo(1), 1.0);   // (-1e16 + 1e16) + 1
    EXPECT_TRUE(std::signbit(n.getPyCombo(2)));    // 0 x (-1) alone stays -0.0
    EXPECT_FALSE(std::signbit(n.getPyCombo(3)));   // -0.0 + 0.0 of a case the node lacks
    EXPECT_EQ(n.getPyCombo(3), 0.0);

    n.setCombo("U", 2, "B");           // the rows and their index go on as setCombo's
    n.setCombo("W", 1, "B");
    EXPECT_EQ(n.getPxCombo(0), 2.0);
    EXPECT_EQ(n.getNumeroDeCombo("W"), 4);
    EXPECT_EQ(n.getPxCombo(4), 1.0);
}
