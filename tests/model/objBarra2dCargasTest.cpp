#include <gtest/gtest.h>

#include <cmath>
#include <string>
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

// Model building gives all rows at once; they are those of setCombo pair by pair, in
// particular the order of additions of the file and the sign of a zero row.
TEST(Combinacion, DeUnaVezSonLasDeSetComboParAPar)
{
    objBarra2d parAPar = barraEntre(0, 0, 4, 0);
    objBarra2d deUnaVez = barraEntre(0, 0, 4, 0);
    for (objBarra2d* b : {&parAPar, &deUnaVez}) {
        b->setCargaLocal("A", 1e16, 0, -1, 0);
        b->setCargaLocal("B", 1, 0, 0, 0);
        b->setCargaGlobal("C", 1e16, 1e16, -1, 0);   // [-1e16, -1e16, 0, 0]
        b->setPesoPropio("PP");                      // no unit weight: a zero row
    }
    const struct {
        const char* combo;
        double factor;
        const char* caso;
    } pares[] = {{"U", 1, "A"}, {"V", 1, "C"}, {"U", 1, "B"}, {"V", 1, "A"}, {"U", 1, "C"},
                 {"V", 1, "B"}, {"Z", 0, "A"}, {"P", 0, "A"}, {"P", 1, "W"}, {"Q", 1, "PP"}};
    CombosDelModelo combos;
    for (const auto& p : pares) {
        parAPar.setCombo(p.combo, p.factor, p.caso);
        combos.agregarPar(p.combo, p.factor, p.caso);
    }
    deUnaVez.setCombos(combos);

    ASSERT_EQ(deUnaVez.getCantidadDeCombos(), 5);
    const Eigen::MatrixXd esperadas = parAPar.getMatrizCargasCombo();
    const Eigen::MatrixXd filas = deUnaVez.getMatrizCargasCombo();
    for (int c = 0; c < 5; ++c)
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(filas(c, k) == esperadas(c, k) && std::signbit(filas(c, k)) == std::signbit(esperadas(c, k)))
                << "combo " << c << " columna " << k;
    EXPECT_EQ(filas(0, 0), 0.0);                 // (1e16 + 1) - 1e16
    EXPECT_EQ(filas(1, 0), 1.0);                 // (-1e16 + 1e16) + 1
    EXPECT_TRUE(std::signbit(filas(2, 2)));      // 0 x (-1) alone
    EXPECT_FALSE(std::signbit(filas(3, 2)));     // and then + 0.0 of a case the bar lacks
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
