#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "capturaConsola.h"
#include "objBarra2d.h"

namespace {

constexpr double kTol = 1e-12;

// A bar between two points with a generic section, as model building leaves it.
objBarra2d barraEntre(double xi, double yi, double xf, double yf)
{
    objBarra2d b;
    b.setNumeroBarraUsuario(7);
    b.setNudoInicio(0, xi, yi);
    b.setNudoFinal(1, xf, yf);
    b.setSeccionGenerica(0.2, 0.01);
    b.setModuloE(1000);
    b.setNombreDeSeccion("S");
    return b;
}

void esperarFila(const objBarra2d& b, int c, const Eigen::RowVector4d& esperada)
{
    const Eigen::MatrixXd filas = b.getMatrizCargasCombo();
    ASSERT_GT(filas.rows(), c);
    for (int j = 0; j < 4; ++j)
        EXPECT_NEAR(filas(c, j), esperada(j), kTol) << "combo " << c << " columna " << j;
}

// The stored load rows of a case are only seen through a combination of factor 1.
Eigen::RowVector4d filaDelCaso(objBarra2d b, const std::string& caso)
{
    b.setCombo("ver", 1.0, caso);
    return b.getMatrizCargasCombo().row(b.getCantidadDeCombos() - 1);
}

void esperarCerca(const Eigen::MatrixXd& real, const Eigen::MatrixXd& esperada)
{
    ASSERT_EQ(real.rows(), esperada.rows());
    ASSERT_EQ(real.cols(), esperada.cols());
    for (Eigen::Index i = 0; i < real.rows(); ++i)
        for (Eigen::Index j = 0; j < real.cols(); ++j)
            EXPECT_NEAR(real(i, j), esperada(i, j), kTol * (1 + std::fabs(esperada(i, j))))
                << "fila " << i << " columna " << j;
}

}  // namespace

// --- Loads given with a global direction -------------------------------------------

struct CasoGlobal {
    const char* nombre;
    double xf, yf;                 // bar from the origin to (xf, yf)
    double qi, qf, dx, dy;
    Eigen::RowVector4d esperada;   // [Fi, Ff, Qi, Qf]
};

const double s45 = std::sqrt(0.5);

// Local x along the bar, local y turned +90 degrees from it; the intensities stay per unit
// bar length (no projection).
const CasoGlobal kCasosGlobales[] = {
    // Horizontal: a downward load is transverse -q; only the direction of (dx, dy) counts.
    {"HorizontalHaciaAbajo", 4, 0, 10, 10, 0, -1, {0, 0, -10, -10}},
    {"HorizontalDireccionLarga", 4, 0, 10, 10, 0, -5, {0, 0, -10, -10}},
    {"HorizontalTrapecio", 4, 0, 3, 5, 0, -1, {0, 0, -3, -5}},
    {"HorizontalAxial", 4, 0, 2, 2, 1, 0, {2, 2, 0, 0}},
    // A trapezoid with an axial part: each end's components from that end's intensity.
    {"HorizontalTrapecioAxial", 4, 0, 2, 5, 1, 0, {2, 5, 0, 0}},
    {"A45TrapecioEnX", 1, 1, 2, 6, 1, 0, {2 * s45, 6 * s45, -2 * s45, -6 * s45}},
    // Vertical upwards (+90 degrees): downward is axial towards the start node.
    {"VerticalHaciaAbajo", 0, 3, 10, 10, 0, -1, {-10, -10, 0, 0}},
    // Along +X on that column: local y points to -X, so the load is transverse -q.
    {"VerticalCargaEnX", 0, 3, 2, 2, 1, 0, {0, 0, -2, -2}},
    // 45 degrees, downward w: axial -w sin 45, transverse -w cos 45.
    {"A45HaciaAbajo", 1, 1, 6, 6, 0, -1, {-6 * s45, -6 * s45, -6 * s45, -6 * s45}},
    // Pointing down the slope of a bar at -45 degrees (x right, y down): along the bar.
    {"AMenos45AlongDeLaBarra", 1, -1, 4, 4, 1, -1, {4, 4, 0, 0}},
    // Huge and tiny components still give a direction.
    {"DireccionEnorme", 4, 0, 10, 10, 0, -1e300, {0, 0, -10, -10}},
    {"DireccionDiminuta", 4, 0, 10, 10, 1e-310, 0, {10, 10, 0, 0}},
    {"DiagonalEnorme", 4, 0, 10, 10, 1e300, 1e300, {10 * s45, 10 * s45, 10 * s45, 10 * s45}},
};

class CargaGlobal : public ::testing::TestWithParam<CasoGlobal> {};

TEST_P(CargaGlobal, QuedaEnComponentesLocales)
{
    const CasoGlobal& caso = GetParam();
    objBarra2d b = barraEntre(0, 0, caso.xf, caso.yf);
    CapturaConsola consola;
    b.setCargaGlobal("V", caso.qi, caso.qf, caso.dx, caso.dy);
    b.setCombo("U", 1.0, "V");
    esperarFila(b, 0, caso.esperada);
    EXPECT_EQ(consola.texto(), "");
}

INSTANTIATE_TEST_SUITE_P(Barra, CargaGlobal, ::testing::ValuesIn(kCasosGlobales),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST(CargaGlobalSinDireccion, DiceLaBarraYGuardaUnaFilaCero)
{
    objBarra2d b = barraEntre(0, 0, 4, 0);
    b.setCargaLocal("V", 1, 1, 1, 1);
    CapturaConsola consola;
    b.setCargaGlobal("V", 10, 10, 0, 0);
    EXPECT_EQ(consola.texto(), "Carga global sin dirección en la barra: 7\n");
    // The zero row stands under its case: the local row of V is all the combination sees.
    EXPECT_EQ(filaDelCaso(b, "V"), Eigen::RowVector4d(1, 1, 1, 1));
    b.setCombo("U", 2.0, "V");
    esperarFila(b, 0, {2, 2, 2, 2});
}

TEST(CargaGlobalSinNudos, DiceQueFaltaElAnguloYNoGuardaNada)
{
    objBarra2d b;
    CapturaConsola consola;
    b.setCargaGlobal("V", 10, 10, 0, -1);
    EXPECT_EQ(consola.texto(),
              "Definir nudos del elemento\n"
              "no se puede calcular el angulo. Faltan datos\n"
              "el ángulo no está definido para calcular cargas globales de barra\n");
    b.setCombo("U", 1.0, "V");
    esperarFila(b, 0, {0, 0, 0, 0});
}

TEST(CargaGlobalDeBarraSinLongitud, EsFinita)
{
    // Both ends at one point: angle 0, so the load lies along local -y like a horizontal bar.
    objBarra2d b = barraEntre(2, 2, 2, 2);
    b.setCargaGlobal("V", 3, 3, 0, -1);
    b.setCombo("U", 1.0, "V");
    esperarFila(b, 0, {0, 0, -3, -3});
    const Eigen::MatrixXd equivalentes = b.getCargasEquivalentesGlobales();
    EXPECT_TRUE(equivalentes.allFinite());
    EXPECT_EQ(equivalentes, Eigen::MatrixXd::Zero(6, 1));
}

// --- Self weight ------------------------------------------------------------------

TEST(PesoPropio, EsAreaPorPesoEspecificoHaciaMenosY)
{
    // A = 0.2, unit weight 25: w = 5 per unit length, transverse -5 on a horizontal bar.
    objBarra2d b = barraEntre(0, 0, 4, 0);
    b.setPesoEspecifico(25);
    b.setPesoPropio("PP");
    b.setCombo("U", 1.0, "PP");
    esperarFila(b, 0, {0, 0, -5, -5});
}

TEST(PesoPropio, EnBarraInclinadaEsPorLongitudDeBarra)
{
    // 45 degrees: w per unit bar length, not per unit horizontal length.
    objBarra2d b = barraEntre(0, 0, 3, 3);
    b.setPesoEspecifico(25);
    b.setPesoPropio("PP");
    b.setCombo("U", 1.0, "PP");
    esperarFila(b, 0, {-5 * s45, -5 * s45, -5 * s45, -5 * s45});
}

TEST(PesoPropio, SinPesoEspecificoEsUnaFilaCero)
{
    objBarra2d b = barraEntre(0, 0, 4, 0);
    b.setPesoPropio("PP");
    b.setCargaLocal("PP", 0, 0, -1, -1);
    EXPECT_EQ(filaDelCaso(b, "PP"), Eigen::RowVector4d(0, 0, -1, -1));
}

// --- Combinations ------------------------------------------------------------------

TEST(Combinacion, SumaCadaFilaDelCasoPorElFactor)
{
    objBarra2d b = barraEntre(0, 0, 4, 0);
    b.setCargaLocal("D", 1, 2, 3, 4);
    b.setCargaLocal("L", 100, 100, 100, 100);
    b.setCargaLocal("D", 0.5, 0.5, -1, -1);
    b.setCargaGlobal("D", 2, 2, 0, -1);   // [0, 0, -2, -2]
    b.setCombo("U", 1.5, "D");
    // 1.5 x ([1, 2, 3, 4] + [0.5, 0.5, -1, -1] + [0, 0, -2, -2])
    esperarFila(b, 0, {1.5 * 1.5, 1.5 * 2.5, 0, 1.5 * 1});
}

TEST(Combinacion, MismoNombreSumaEnUnaFilaYOtroNombreAgregaOtra)
{
    objBarra2d b = barraEntre(0, 0, 4, 0);
    b.setCargaLocal("D", 0, 0, -1, -1);
    b.setCargaLocal("L", 0, 0, -2, -2);
    b.setCombo("U1", 1.2, "D");
    b.setCombo("U1", 1.6, "L");
    ASSERT_EQ(b.getCantidadDeCombos(), 1);
    esperarFila(b, 0, {0, 0, -1.2 - 3.2, -1.2 - 3.2});

    b.setCombo("U2", 1.0, "nada");   // a case without loads still makes its row
    ASSERT_EQ(b.getCantidadDeCombos(), 2);
    esperarFila(b, 1, {0, 0, 0, 0});
    EXPECT_EQ(b.getQInicioCombo(0), b.getMatrizCargasCombo()(0, 2));
    EXPECT_EQ(b.getFFinCombo(1), 0.0);
}

namespace {

bool mismosBits(double a, double b) { return std::memcmp(&a, &b, sizeof(double)) == 0; }

// The bars of the tests below: the same loads on two bars, one combined pair by pair with
// setCombo, the other at once with setCombos. The loads are given global-direction first,
// but a case sums its local rows first: 0 + 1e16 - 1e16 + 1 is 1, where the order of the
// calls, 0 + 1 + 1e16 - 1e16, would lose the 1.
class CombosDeLaBarra : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (objBarra2d* b : {&parAPar, &deUnaVez}) {
            b->setCargaGlobal("X", 1, 1, 1, 0);        // [1, 1, 0, 0]
            b->setCargaLocal("X", 1e16, 0, 0, 0);
            b->setCargaLocal("X", -1e16, 0, 0, 0);
            b->setCargaLocal("Q", 0, 0, -3, -5);
            b->setCargaGlobal("Q", 2, 2, 0, -1);       // [0, 0, -2, -2]
            b->setPesoPropio("PP");                    // no unit weight: a zero row
        }
    }

    void combinar(std::initializer_list<std::tuple<const char*, double, const char*>> pares)
    {
        CombosDelModelo combos;
        for (const auto& [combo, factor, caso] : pares) {
            parAPar.setCombo(combo, factor, caso);
            combos.agregarPar(combo, factor, caso);
        }
        deUnaVez.setCombos(combos);
    }

    // Both bars hold exactly these rows, bit for bit.
    void esperarFilas(const std::vector<Eigen::RowVector4d>& filas)
    {
        for (const objBarra2d* b : {&parAPar, &deUnaVez}) {
            const char* camino = (b == &parAPar) ? "setCombo" : "setCombos";
            ASSERT_EQ(b->getCantidadDeCombos(), static_cast<int>(filas.size())) << camino;
            const Eigen::MatrixXd m = b->getMatrizCargasCombo();
            ASSERT_EQ(m.rows(), static_cast<Eigen::Index>(filas.size())) << camino;
            for (Eigen::Index c = 0; c < m.rows(); ++c)
                for (Eigen::Index k = 0; k < 4; ++k)
                    EXPECT_TRUE(mismosBits(m(c, k), filas[static_cast<std::size_t>(c)](k)))
                        << camino << ": combo " << c << " columna " << k << ": " << m(c, k) << " en lugar de "
                        << filas[static_cast<std::size_t>(c)](k);
        }
    }

    objBarra2d parAPar = barraEntre(0, 0, 4, 0);
    objBarra2d deUnaVez = barraEntre(0, 0, 4, 0);
};

}  // namespace

TEST_F(CombosDeLaBarra, LocalesAntesQueGlobalesYCadaComboEnSuOrden)
{
    combinar({{"U", 1, "X"}, {"V", 0.5, "Q"}, {"U", 2, "Q"}, {"Z", 1, "nada"}, {"P", 1, "PP"}});
    // U = X + 2 Q, V = 0.5 Q with Q = [0, 0, -5, -7]; Z and P find no load.
    esperarFilas({{1, 1, -10, -14}, {0, 0, -2.5, -3.5}, {0, 0, 0, 0}, {0, 0, 0, 0}});
}

// combo: V -1 Q on a load with Fi = Ff = 0: 0 + (-1 x 0) is +0, as are the rows of a
// case the bar lacks under a negative or a zero factor.
TEST_F(CombosDeLaBarra, FactorNegativoSobreCeroDaMasCero)
{
    combinar({{"V", -1, "Q"}, {"W", -1, "nada"}, {"Z", -0.0, "Q"}, {"N", 0, "Q"}});
    esperarFilas({{0, 0, 5, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    for (int c = 0; c < 4; ++c) {
        EXPECT_FALSE(std::signbit(deUnaVez.getFInicioCombo(c))) << c;
        EXPECT_FALSE(std::signbit(deUnaVez.getFFinCombo(c))) << c;
        EXPECT_FALSE(std::signbit(parAPar.getFInicioCombo(c))) << c;
        EXPECT_FALSE(std::signbit(parAPar.getFFinCombo(c))) << c;
    }
}

// A case named twice in one combination: 0.25 Q + 0.5 Q = 0.75 Q, exact for these loads.
TEST_F(CombosDeLaBarra, CasoNombradoDosVecesSumaSusFactores)
{
    combinar({{"U", 0.25, "Q"}, {"U", 1, "nada"}, {"U", 0.5, "Q"}});
    esperarFilas({{0, 0, -3.75, -5.25}});
}

// Loads given at once are those given one by one, in the same order, after the rows
// already there; a global-direction row comes resolved by cargaGlobalEnEjesLocales, which
// says what setCargaGlobal says, on the same line.
TEST(CargasDeUnaVez, SonLasDeUnaEnUna)
{
    objBarra2d unaEnUna = barraEntre(0, 0, 0, 3);   // +90 degrees
    objBarra2d deUnaVez = barraEntre(0, 0, 0, 3);
    unaEnUna.setCargaLocal("D", 1, 2, 3, 4);
    deUnaVez.setCargaLocal("D", 1, 2, 3, 4);
    Eigen::MatrixXd locales(2, 4);
    locales << 5, 6, 7, 8,
               -0.0, 0, 9, 10;
    unaEnUna.setCargaLocal("L", 5, 6, 7, 8);
    unaEnUna.setCargaLocal("D", -0.0, 0, 9, 10);
    deUnaVez.setCargasLocales({"L", "D"}, locales);

    // Intensity, direction: downward 10, a direction without length, then along +X.
    const double globales[3][4] = {{10, 10, 0, -1}, {3, 3, 0, 0}, {2, 4, 1, 0}};
    std::string lineasUnaEnUna;
    std::string lineasDeUnaVez;
    Eigen::MatrixXd resueltas(3, 4);
    for (int i = 0; i < 3; ++i) {
        const double* g = globales[i];
        CapturaConsola consola;
        unaEnUna.setCargaGlobal("W", g[0], g[1], g[2], g[3]);
        lineasUnaEnUna += consola.texto();
    }
    for (int i = 0; i < 3; ++i) {
        const double* g = globales[i];
        CapturaConsola consola;
        Eigen::RowVector4d fila;
        ASSERT_TRUE(deUnaVez.cargaGlobalEnEjesLocales(g[0], g[1], g[2], g[3], fila));
        resueltas.row(i) = fila;
        lineasDeUnaVez += consola.texto();
    }
    deUnaVez.setCargasGlobales({"W", "W", "W"}, resueltas);
    EXPECT_EQ(lineasUnaEnUna, "Carga global sin dirección en la barra: 7\n");
    EXPECT_EQ(lineasDeUnaVez, lineasUnaEnUna);

    for (const objBarra2d* b : {&unaEnUna, &deUnaVez}) {
        EXPECT_EQ(b->getNombresCargasLocales(), (std::vector<std::string>{"D", "L", "D"}));
        const Eigen::MatrixXd l = b->getMatrizCargasLocales();
        ASSERT_EQ(l.rows(), 3);
        EXPECT_EQ(l.row(0), Eigen::RowVector4d(1, 2, 3, 4));
        EXPECT_EQ(l.bottomRows(2), locales);
        EXPECT_TRUE(std::signbit(l(2, 0)));
        EXPECT_EQ(b->getNombresCargasGlobales(), (std::vector<std::string>{"W", "W", "W"}));
        const Eigen::MatrixXd g = b->getMatrizCargasGlobales();
        ASSERT_EQ(g.rows(), 3);
        // Column at +90 degrees: downward is axial -10; along +X is transverse -q.
        esperarCerca(g, (Eigen::MatrixXd(3, 4) << -10, -10, 0, 0,
                                                  0, 0, 0, 0,
                                                  0, 0, -2, -4).finished());
    }
    EXPECT_EQ(unaEnUna.getMatrizCargasGlobales(), deUnaVez.getMatrizCargasGlobales());
}

// Without end nodes there is no angle: nothing to resolve, and nothing is stored.
TEST(CargasDeUnaVez, SinAnguloNoHayFilaQueGuardar)
{
    objBarra2d b;
    CapturaConsola consola;
    Eigen::RowVector4d fila;
    EXPECT_FALSE(b.cargaGlobalEnEjesLocales(10, 10, 0, -1, fila));
    EXPECT_EQ(consola.texto(),
              "Definir nudos del elemento\n"
              "no se puede calcular el angulo. Faltan datos\n"
              "el ángulo no está definido para calcular cargas globales de barra\n");
    EXPECT_TRUE(b.getNombresCargasGlobales().empty());
    EXPECT_EQ(b.getMatrizCargasGlobales().rows(), 0);
}

// Every load table holds one row per name, however it grew: no spare rows.
TEST(CargasDeUnaVez, CadaTablaTieneUnaFilaPorNombre)
{
    objBarra2d b = barraEntre(0, 0, 4, 0);
    b.setPesoEspecifico(25);
    const auto mismasCuentas = [&b](const std::string& cuando) {
        EXPECT_EQ(b.getMatrizCargasLocales().rows(), static_cast<Eigen::Index>(b.getNombresCargasLocales().size()))
            << cuando;
        EXPECT_EQ(b.getMatrizCargasGlobales().rows(), static_cast<Eigen::Index>(b.getNombresCargasGlobales().size()))
            << cuando;
        EXPECT_EQ(b.getMatrizCargasCombo().rows(), b.getCantidadDeCombos()) << cuando;
    };
    mismasCuentas("nueva");
    CapturaConsola consola;   // the directions without length say so
    for (int i = 0; i < 23; ++i) {
        b.setCargaLocal("D", i, 0, 0, 0);
        b.setCargaGlobal("W", 1, 1, i % 3, 0);
        b.setPesoPropio("PP");
        b.setCombo("U" + std::to_string(i), 1, "D");
        mismasCuentas("una en una, " + std::to_string(i));
    }
    b.setCargasLocales(std::vector<std::string>(17, "L"), Eigen::MatrixXd::Ones(17, 4));
    b.setCargasGlobales(std::vector<std::string>(5, "L"), Eigen::MatrixXd::Ones(5, 4));
    mismasCuentas("de una vez");
    EXPECT_EQ(b.getNombresCargasLocales().size(), 40u);
    EXPECT_EQ(b.getNombresCargasGlobales().size(), 51u);
    CombosDelModelo combos;
    for (int k = 0; k < 41; ++k)
        combos.agregarCombo("C" + std::to_string(k));
    combos.agregarPar("C7", 1, "L");
    b.setCombos(combos);
    mismasCuentas("combos de una vez");
    ASSERT_EQ(b.getCantidadDeCombos(), 41);
    EXPECT_EQ(b.getQFinCombo(7), 17.0 + 5.0);   // every row of L holds ones
    EXPECT_EQ(b.getQFinCombo(40), 0.0);
}

TEST(Combinacion, LosNombresDistinguenMayusculas)
{
    objBarra2d b = barraEntre(0, 0, 4, 0);
    b.setCargaLocal("d", 0, 0, -1, -1);
    b.setCombo("U", 1.0, "D");
    b.setCombo("u", 1.0, "d");
    ASSERT_EQ(b.getCantidadDeCombos(), 2);
    esperarFila(b, 0, {0, 0, 0, 0});
    esperarFila(b, 1, {0, 0, -1, -1});
}

// --- Equivalent nodal loads --------------------------------------------------------

struct CasoEquivalente {
    const char* nombre;
    double a, b;                   // end fixity factors
    double fi, ff, qi, qf;         // combination row
    double esperada[6];            // [N_i, V_i, M_i, N_j, V_j, M_j] in units of the row below
};

// L = 4 and q = p = 3 throughout; qL = 12, qL^2 = 48. A partial factor a = 0.5 is the end
// of the beam behind a rotational spring of EI / L (what the stiffness condensation gives
// for that factor); the values with it come from slope deflection with that spring.
constexpr double L = 4;
constexpr double q = 3;
constexpr double qL = q * L;
constexpr double qL2 = q * L * L;

const CasoEquivalente kCasosEquivalentes[] = {
    // Fixed-fixed, uniform: qL/2 and qL^2/12.
    {"RigidoUniforme", 1, 1, 0, 0, q, q, {0, qL / 2, qL2 / 12, 0, qL / 2, -qL2 / 12}},
    // Hinged start, fixed end: 3qL/8, 5qL/8 and qL^2/8 at the fixed end.
    {"ArticuladoFijo", 0, 1, 0, 0, q, q, {0, 3 * qL / 8, 0, 0, 5 * qL / 8, -qL2 / 8}},
    {"FijoArticulado", 1, 0, 0, 0, q, q, {0, 5 * qL / 8, qL2 / 8, 0, 3 * qL / 8, 0}},
    // Simply supported: the load halves, no moments.
    {"Biarticulado", 0, 0, 0, 0, q, q, {0, qL / 2, 0, 0, qL / 2, 0}},
    // Triangular, peak at the start: 7qL/20, 3qL/20, qL^2/20, qL^2/30.
    {"RigidoTriangular", 1, 1, 0, 0, q, 0, {0, 7 * qL / 20, qL2 / 20, 0, 3 * qL / 20, -qL2 / 30}},
    {"BiarticuladoTriangular", 0, 0, 0, 0, q, 0, {0, qL / 3, 0, 0, qL / 6, 0}},
    // Triangular, peak at the end, is the mirror image.
    {"RigidoTriangularAlFinal", 1, 1, 0, 0, 0, q, {0, 3 * qL / 20, qL2 / 30, 0, 7 * qL / 20, -qL2 / 20}},
    // Axial: linear intensity, work-equivalent ends pL/3 + pL/6 for a triangle.
    {"AxialTriangularAlInicio", 1, 1, q, 0, 0, 0, {qL / 3, 0, 0, qL / 6, 0, 0}},
    {"AxialTriangularAlFinal", 1, 1, 0, q, 0, 0, {qL / 6, 0, 0, qL / 3, 0, 0}},
    {"AxialUniformeConArticulaciones", 0, 0, q, q, 0, 0, {qL / 2, 0, 0, qL / 2, 0, 0}},
    // Springs EI/L at both ends: end moments (qL^2/12) / (1 + 2EI/(kL)) = qL^2/36.
    {"SemirrigidoSimetrico", 0.5, 0.5, 0, 0, q, q, {0, qL / 2, qL2 / 36, 0, qL / 2, -qL2 / 36}},
    // Fixed start, spring EI/L at the end: theta_B = -qL^3 / (60 EI), so the end moments are
    // 7qL^2/60 and qL^2/60, and the shears follow from moments about the ends.
    {"FijoSemirrigido", 1, 0.5, 0, 0, q, q, {0, 0.6 * qL, 7 * qL2 / 60, 0, 0.4 * qL, -qL2 / 60}},
};

class CargasEquivalentes : public ::testing::TestWithParam<CasoEquivalente> {};

TEST_P(CargasEquivalentes, SonLasDeLaBarraConSusExtremos)
{
    const CasoEquivalente& caso = GetParam();
    objBarra2d b = barraEntre(0, 0, L, 0);
    b.setArticulacion(caso.a, caso.b);
    b.setCargaLocal("C", caso.fi, caso.ff, caso.qi, caso.qf);
    b.setCombo("U", 1.0, "C");
    b.setCombo("Vacio", 1.0, "otro");
    Eigen::MatrixXd esperada = Eigen::MatrixXd::Zero(6, 2);
    for (int i = 0; i < 6; ++i)
        esperada(i, 0) = caso.esperada[i];
    esperarCerca(b.getCargasEquivalentesLocales(), esperada);
    // Horizontal bar: global = local.
    esperarCerca(b.getCargasEquivalentesGlobales(), esperada);
}

INSTANTIATE_TEST_SUITE_P(Barra, CargasEquivalentes, ::testing::ValuesIn(kCasosEquivalentes),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST(CargasEquivalentes, EquilibranLaCargaEnCualquierFijacion)
{
    // Statics alone: the shears add up to the resultant, and the moments about the start
    // to its moment. Trapezoid 2 .. 5 on L = 4: resultant 14, moment about start
    // L^2 (Qi/6 + Qf/3) = 16 (2/6 + 5/3) = 32.
    for (double a : {0.0, 0.3, 0.5, 1.0}) {
        for (double bb : {0.0, 0.7, 1.0}) {
            objBarra2d b = barraEntre(0, 0, L, 0);
            b.setArticulacion(a, bb);
            b.setCargaLocal("C", 0, 0, 2, 5);
            b.setCombo("U", 1.0, "C");
            const Eigen::MatrixXd e = b.getCargasEquivalentesLocales();
            EXPECT_NEAR(e(1, 0) + e(4, 0), 14.0, kTol) << a << ' ' << bb;
            EXPECT_NEAR(e(2, 0) + e(5, 0) + e(4, 0) * L, 32.0, 1e-11) << a << ' ' << bb;
        }
    }
}

TEST(CargasEquivalentes, DeBarraVerticalGiranAEjesGlobales)
{
    // +90 degrees: global Fx = -local transverse, global Fy = local axial; moments stay.
    objBarra2d b = barraEntre(0, 0, 0, L);
    b.setCargaLocal("C", q, q, q, q);
    b.setCombo("U", 1.0, "C");
    b.getKGlobal();
    Eigen::MatrixXd esperada(6, 1);
    esperada << -qL / 2, qL / 2, qL2 / 12, -qL / 2, qL / 2, -qL2 / 12;
    esperarCerca(b.getCargasEquivalentesGlobales(), esperada);
}

TEST(CargasEquivalentes, LasGlobalesQuedanFijasYLasLocalesSeRecalculan)
{
    objBarra2d b = barraEntre(0, 0, L, 0);
    b.setCargaLocal("C", 0, 0, q, q);
    b.setCombo("U", 1.0, "C");
    b.getKGlobal();
    const Eigen::MatrixXd primera = b.getCargasEquivalentesGlobales();
    b.setCombo("U", 1.0, "C");   // doubles the row
    EXPECT_EQ(b.getCargasEquivalentesGlobales(), primera);
    EXPECT_NEAR(b.getCargasEquivalentesLocales()(1, 0), 2 * qL / 2, kTol);
}

TEST(CargasEquivalentes, SinCombinacionesSonDeSeisPorCero)
{
    objBarra2d b = barraEntre(0, 0, L, 0);
    EXPECT_EQ(b.getCargasEquivalentesLocales().rows(), 6);
    EXPECT_EQ(b.getCargasEquivalentesLocales().cols(), 0);
    b.getKGlobal();
    EXPECT_EQ(b.getCargasEquivalentesGlobales().cols(), 0);
}
