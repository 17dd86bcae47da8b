#include <gtest/gtest.h>

#include <cstring>
#include <cmath>
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

struct Fila {
    const char* combo;
    double px, py, mz;
};

// Node loads, combination pairs in file order and the rows they make, worked out by hand:
// each row is 0 plus factor x load for every matching load, in order. The values are
// chosen so that every product and sum is exact, so the rows must match bit for bit
// whether setCombo adds pair by pair or setCombos adds each case's factors times its sum;
// where the order of the additions decides the rounding, the cases are named in one order.
struct CasoCombos {
    const char* nombre;
    std::vector<Carga> cargas;
    std::vector<Par> pares;
    std::vector<Fila> filas;
};

const CasoCombos kCasosCombos[] = {
    // U = 1.75 x D + 1.5 x L with D = (1.5, 2, 3); S = 0 x (no W here) + 2 x L.
    {"CasosIntercaladosYNombreRepetido",
     {{"D", 1, 2, 3}, {"L", 10, 20, 30}, {"D", 0.5, 0, 0}},
     {{"U", 1.25, "D"}, {"S", 1, "W"}, {"U", 1.5, "L"}, {"S", 2, "L"}, {"U", 0.5, "D"}},
     {{"U", 17.625, 33.5, 50.25}, {"S", 20, 40, 60}}},
    // (1e16 + 1) - 1e16 is 0 and (1e16 - 1e16) + 1 is 1: each combination adds in its order.
    {"OrdenDeLasSumasDelCombo",
     {{"A", 1e16, 0, 0}, {"B", 1, 0, 0}, {"C", -1e16, 0, 0}},
     {{"U", 1, "A"}, {"V", 1, "C"}, {"U", 1, "B"}, {"V", 1, "A"}, {"U", 1, "C"}, {"V", 1, "B"}},
     {{"U", 0, 0, 0}, {"V", 1, 0, 0}}},
    // 0 plus a product is never -0: 0 + (-1 x 0) and 0 + (0 x -1) are +0.
    {"FactorNegativoSobreCero",
     {{"Q", 0, 5, 0}},
     {{"V", -1, "Q"}, {"W", -1, "otro"}},
     {{"V", 0, -5, 0}, {"W", 0, 0, 0}}},
    {"FactoresCeroYMenosCero",
     {{"D", -1, 0, 1}},
     {{"Z", 0, "D"}, {"Y", 0, "D"}, {"Y", 1, "W"}, {"X", 1, "W"}, {"X", 0, "D"}, {"N", -0.0, "D"}},
     {{"Z", 0, 0, 0}, {"Y", 0, 0, 0}, {"X", 0, 0, 0}, {"N", 0, 0, 0}}},
    // One case named twice in a combination: 0.5 x 4 + 0.25 x 4 = 0.75 x 4; -1 and -1 on 0.
    {"CasoNombradoDosVeces",
     {{"D", 4, 0, -8}},
     {{"U", 0.5, "D"}, {"U", 0.25, "D"}, {"N", -1, "D"}, {"N", -1, "D"}},
     {{"U", 3, 0, -6}, {"N", -8, 0, 16}}},
    {"SinCargas", {}, {{"U", 1, "D"}, {"V", -2, "D"}}, {{"U", 0, 0, 0}, {"V", 0, 0, 0}}},
};

class CombosDelNudo : public ::testing::TestWithParam<CasoCombos> {};

bool mismosBits(double a, double b) { return std::memcmp(&a, &b, sizeof(double)) == 0; }

void esperarFilas(const objNudo2d& n, const std::vector<Fila>& filas, const char* camino)
{
    ASSERT_EQ(n.getCantidadDeCombos(), static_cast<int>(filas.size())) << camino;
    const Eigen::MatrixXd cargas = n.getCargasGlobales();
    ASSERT_EQ(cargas.rows(), static_cast<Eigen::Index>(filas.size())) << camino;
    for (int c = 0; c < static_cast<int>(filas.size()); ++c) {
        EXPECT_EQ(n.getNombreCombo(c), filas[c].combo) << camino;
        EXPECT_EQ(n.getNumeroDeCombo(filas[c].combo), c) << camino;
        const double esperadas[] = {filas[c].px, filas[c].py, filas[c].mz};
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(mismosBits(cargas(c, k), esperadas[k]))
                << camino << ": combo " << c << " columna " << k << ": " << cargas(c, k) << " en lugar de "
                << esperadas[k];
    }
}

TEST_P(CombosDelNudo, ParAParYDeUnaVezSonLasFilasEsperadas)
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
    esperarFilas(parAPar, GetParam().filas, "setCombo");
    esperarFilas(deUnaVez, GetParam().filas, "setCombos");
}

INSTANTIATE_TEST_SUITE_P(Nudo, CombosDelNudo, ::testing::ValuesIn(kCasosCombos),
                         [](const auto& i) { return std::string(i.param.nombre); });

}  // namespace

// A combination without pairs (a "combo:" row that names no case) is a row of +0; the rows
// given at once replace the earlier ones, and setCombo goes on from them.
TEST(Nudo, CombosDeUnaVezReemplazanYSetComboSigue)
{
    objNudo2d n;
    n.setCargaPuntual("B", 1, 0, 0);
    n.setCombo("viejo", 1, "B");
    CombosDelModelo combos;
    combos.agregarCombo("vacio");
    combos.agregarPar("U", 2, "B");
    n.setCombos(combos);

    ASSERT_EQ(n.getCantidadDeCombos(), 2);
    EXPECT_EQ(n.getNumeroDeCombo("viejo"), -1);
    EXPECT_EQ(n.getNombreCombo(0), "vacio");
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(std::signbit(n.getCargasGlobales()(0, k)));
    EXPECT_EQ(n.getCargasGlobales().row(0), Eigen::RowVector3d(0, 0, 0));

    n.setCombo("U", 3, "B");
    n.setCombo("W", 1, "B");
    EXPECT_EQ(n.getPxCombo(1), 2.0 + 3.0);
    EXPECT_EQ(n.getNumeroDeCombo("W"), 2);
    EXPECT_EQ(n.getCargasGlobales().rows(), 3);
}

// Point loads given at once are those given one by one: names and rows in order, one row
// per name, after the rows already there.
TEST(Nudo, CargasPuntualesDeUnaVezSonLasDeUnaEnUna)
{
    objNudo2d unaEnUna;
    objNudo2d deUnaVez;
    unaEnUna.setCargaPuntual("D", 1, 2, 3);
    deUnaVez.setCargaPuntual("D", 1, 2, 3);
    Eigen::MatrixXd filas(3, 3);
    filas << 4, 5, 6,
             -0.0, 8, 9,
             10, 11, 12;
    const std::vector<std::string> casos = {"L", "D", "W"};
    for (int i = 0; i < 3; ++i)
        unaEnUna.setCargaPuntual(casos[static_cast<std::size_t>(i)], filas(i, 0), filas(i, 1), filas(i, 2));
    deUnaVez.setCargasPuntuales(casos, filas);
    deUnaVez.setCargasPuntuales({}, Eigen::MatrixXd(0, 3));   // nothing to add

    for (const objNudo2d* n : {&unaEnUna, &deUnaVez}) {
        EXPECT_EQ(n->getNombresCargasPuntuales(), (std::vector<std::string>{"D", "L", "D", "W"}));
        const Eigen::MatrixXd m = n->getMatrizCargasPuntuales();
        ASSERT_EQ(m.rows(), 4);
        ASSERT_EQ(m.cols(), 3);
        EXPECT_EQ(m.row(0), Eigen::RowVector3d(1, 2, 3));
        EXPECT_EQ(m.bottomRows(3), filas);
        EXPECT_TRUE(std::signbit(m(2, 0)));   // a load is stored as given
    }
}

// Every load table holds one row per name, however it grew: no spare rows.
TEST(Nudo, CadaTablaTieneUnaFilaPorNombre)
{
    objNudo2d n;
    const auto mismasCuentas = [&n](const char* cuando) {
        EXPECT_EQ(n.getMatrizCargasPuntuales().rows(), static_cast<Eigen::Index>(n.getNombresCargasPuntuales().size()))
            << cuando;
        EXPECT_EQ(n.getCargasGlobales().rows(), n.getCantidadDeCombos()) << cuando;
    };
    mismasCuentas("nuevo");
    for (int i = 0; i < 37; ++i) {
        n.setCargaPuntual("D" + std::to_string(i % 5), i, 0, 0);
        n.setCombo("U" + std::to_string(i), 1, "D1");
        mismasCuentas("una en una");
    }
    n.setCargasPuntuales(std::vector<std::string>(29, "L"), Eigen::MatrixXd::Ones(29, 3));
    mismasCuentas("de una vez");
    EXPECT_EQ(n.getNombresCargasPuntuales().size(), 66u);
    CombosDelModelo combos;
    for (int k = 0; k < 45; ++k)
        combos.agregarPar("C" + std::to_string(k % 41), 1, "L");
    n.setCombos(combos);
    mismasCuentas("combos de una vez");
    EXPECT_EQ(n.getCantidadDeCombos(), 41);
}

// The lookup compares whole names exactly; names are unique, so the last equal entry is the
// only one: the first and the last name are found where they stand, any other text is not.
TEST(Nudo, NumeroDeComboEsLaPosicionDelNombreOMenosUno)
{
    objNudo2d n;
    for (const char* c : {"U1", "U10", "u1", "U1 ", "Ü1", "U2"})
        n.setCombo(c, 1, "x");
    EXPECT_EQ(n.getNumeroDeCombo("U1"), 0);
    EXPECT_EQ(n.getNumeroDeCombo("U10"), 1);
    EXPECT_EQ(n.getNumeroDeCombo("u1"), 2);
    EXPECT_EQ(n.getNumeroDeCombo("U1 "), 3);
    EXPECT_EQ(n.getNumeroDeCombo("Ü1"), 4);
    EXPECT_EQ(n.getNumeroDeCombo("U2"), 5);
    for (const char* ausente : {"", "U", "U3", "U100", " U1", "u10"})
        EXPECT_EQ(n.getNumeroDeCombo(ausente), -1) << '"' << ausente << '"';
    n.setCombo("U1", 1, "x");   // a known name adds into its row, it is not appended again
    EXPECT_EQ(n.getCantidadDeCombos(), 6);
    EXPECT_EQ(n.getNumeroDeCombo("U1"), 0);
}
