#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "objBarra2d.h"

// Results along one bar, from end displacements handed over as the solver would.

namespace {

constexpr double kTol = 1e-10;   // relative to the scale of each quantity

// Bar from (xi, yi) to (xf, yf), E = 1000, A = 2, I = 3, end fixity (a, b).
objBarra2d barraEntre(double xi, double yi, double xf, double yf, double a = 1, double b = 1)
{
    objBarra2d barra;
    barra.resetFlags();
    barra.setNumeroBarraUsuario(7);
    barra.setNudoInicio(0, xi, yi);
    barra.setNudoFinal(1, xf, yf);
    barra.setSeccionGenerica(2, 3);
    barra.setModuloE(1000);
    barra.setArticulacion(a, b);
    return barra;
}

// The solver's order: stiffness, equivalent loads, then the end displacements.
void resolverCon(objBarra2d& barra, const Eigen::MatrixXd& d)
{
    barra.getKGlobal();
    barra.getCargasEquivalentesGlobales();
    barra.setDesplazamientos(d);
}

// Uniform transverse load Q on a bar of length L = 10 hinged at both ends, no end
// displacement: f2 = f5 = 0, so A = 0, B = -Q, C1 = -Q L / 2, C2 = 0, C3 = Q L^3 / 24, C4 = 0.
TEST(ResultadosBarra, CargaUniformeEntreArticulaciones)
{
    const double L = 10, Q = -6, EI = 3000;
    objBarra2d barra = barraEntre(0, 0, L, 0, 0, 0);
    barra.setCargaLocal("W", 0, 0, Q, Q);
    barra.setCombo("C", 1, "W");
    resolverCon(barra, Eigen::MatrixXd::Zero(6, 1));

    const Eigen::MatrixXd k = barra.getConstantesIntegracion();
    ASSERT_EQ(k.rows(), 6);
    ASSERT_EQ(k.cols(), 1);
    const double esperado[6] = {0, -Q, -Q * L / 2, 0, Q * L * L * L / 24, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(k(i, 0), esperado[i], kTol * 1000) << "constante " << i;

    // M(x) = -Q x (L - x) / 2: positive under a downward load; max -Q L^2 / 8 at L / 2.
    EXPECT_NEAR(barra.getXvcero(0), L / 2, kTol * L);
    EXPECT_NEAR(barra.getMmax(0), -Q * L * L / 8, kTol * 100);
    const Eigen::MatrixXd M = barra.getSolicitacionMomento(0, 5);
    ASSERT_EQ(M.cols(), 5);
    for (int j = 0; j < 5; ++j) {
        const double x = L / 4 * j;
        EXPECT_NEAR(M(0, j), x, kTol * L);
        EXPECT_NEAR(M(1, j), -Q * x * (L - x) / 2, kTol * 100);
    }
    // V(x) = dM/dx = -Q (L - 2x) / 2.
    const Eigen::MatrixXd V = barra.getSolicitacionCortante(0, 2);
    EXPECT_NEAR(V(1, 0), -Q * L / 2, kTol * 100);
    EXPECT_NEAR(V(1, 1), Q * L / 2, kTol * 100);

    // Mid-span deflection 5 Q L^4 / (384 E I) along local y (here global Y).
    const Eigen::MatrixXd forma = barra.getBarraDeformada(0, 3, 1.0);
    EXPECT_NEAR(forma(0, 1), L / 2, kTol * L);
    EXPECT_NEAR(forma(1, 1), 5 * Q * L * L * L * L / (384 * EI), kTol);
}

// V(x) = x^2 - 3 x + 1.5 on L = 3 (Qi = -3, Qf = 3, hinged ends: C1 = A L^2/6 + B L/2):
// both roots (3 -+ sqrt 3) / 2 lie inside and the one with the minus sign wins.
TEST(ResultadosBarra, DosRaicesDentroGanaLaMenor)
{
    objBarra2d barra = barraEntre(0, 0, 3, 0, 0, 0);
    barra.setCargaLocal("T", 0, 0, -3, 3);
    barra.setCombo("C", 1, "T");
    resolverCon(barra, Eigen::MatrixXd::Zero(6, 1));
    const Eigen::MatrixXd k = barra.getConstantesIntegracion();
    EXPECT_NEAR(k(0, 0), -2, kTol);
    EXPECT_NEAR(k(1, 0), 3, kTol);
    EXPECT_NEAR(k(2, 0), 1.5, kTol);
    const double x = (3 - std::sqrt(3.0)) / 2;
    EXPECT_NEAR(barra.getXvcero(0), x, kTol);
    // M(x) = x^3 / 3 - 3 x^2 / 2 + 1.5 x (C2 = 0).
    EXPECT_NEAR(barra.getMmax(0), x * x * x / 3 - 1.5 * x * x + 1.5 * x, kTol);
}

// Without transverse load the shear is constant: no zero-shear point, Mmax 0 even with
// large end moments. Cantilever-like bar: start rotated by 0.01, rigid ends.
TEST(ResultadosBarra, SinCargaTransversalNoHayCorteNulo)
{
    objBarra2d barra = barraEntre(0, 0, 4, 0);
    Eigen::MatrixXd d = Eigen::MatrixXd::Zero(6, 1);
    d(2, 0) = 0.01;
    barra.setCombo("C", 1, "nada");
    resolverCon(barra, d);
    EXPECT_EQ(barra.getXvcero(0), -1.0);
    EXPECT_EQ(barra.getMmax(0), 0.0);
    // End moments of a rotated rigid end: 4EI/L theta = 30 at the start, 2EI/L theta = 15
    // at the end (CCW on the bar): M(0) = -30, M(L) = 15, constant shear 45 / L.
    const Eigen::MatrixXd M = barra.getSolicitacionMomento(0, 2);
    EXPECT_NEAR(M(1, 0), -30, kTol * 30);
    EXPECT_NEAR(M(1, 1), 15, kTol * 30);
    const Eigen::MatrixXd V = barra.getSolicitacionCortante(0, 3);
    for (int j = 0; j < 3; ++j)
        EXPECT_NEAR(V(1, j), 45.0 / 4, kTol * 30);
}

// A uniform load written as two rows whose sums differ in the last bit (0.1 + 0.2 at the
// start, 0.3 + 0 at the end) is uniform: the zero shear stays at mid-span, Mmax = q L^2/8.
TEST(ResultadosBarra, UniformeEnDosFilasConservaElMaximo)
{
    const double L = 10;
    objBarra2d barra = barraEntre(0, 0, L, 0, 0, 0);
    barra.setCargaLocal("W", 0, 0, -0.1, -0.3);
    barra.setCargaLocal("W", 0, 0, -0.2, 0.0);
    barra.setCombo("C", 1, "W");
    ASSERT_NE(barra.getQInicioCombo(0), barra.getQFinCombo(0));   // the fixture's point
    resolverCon(barra, Eigen::MatrixXd::Zero(6, 1));
    EXPECT_NEAR(barra.getXvcero(0), L / 2, 1e-9);
    EXPECT_NEAR(barra.getMmax(0), 0.3 * L * L / 8, 1e-9);
}

// A vertical bar under a vertical load carries it axially; the transverse component is
// rounding noise (cos 90 degrees is 6e-17), so there is no zero-shear point.
TEST(ResultadosBarra, BarraVerticalConCargaVerticalSinCorteNulo)
{
    objBarra2d barra = barraEntre(0, 0, 0, 5, 0, 0);
    barra.setCargaGlobal("G", 4, 4, 0, -1);
    barra.setCombo("C", 1, "G");
    ASSERT_NE(barra.getQInicioCombo(0), 0.0);   // the noise the fixture is about
    resolverCon(barra, Eigen::MatrixXd::Zero(6, 1));
    EXPECT_EQ(barra.getXvcero(0), -1.0);
    EXPECT_EQ(barra.getMmax(0), 0.0);
}

// A root at an end is not inside: cantilever under uniform Q fixed at the end node and
// free at the start, V(0) = 0. End forces come from the fixed-end state plus the
// cantilever's free-end displacements v = Q L^4 / (8 E I), rotation -Q L^3 / (6 E I).
TEST(ResultadosBarra, RaizEnUnExtremoNoCuenta)
{
    const double L = 2, Q = -3, EI = 3000;
    objBarra2d barra = barraEntre(0, 0, L, 0);
    barra.setCargaLocal("W", 0, 0, Q, Q);
    barra.setCombo("C", 1, "W");
    Eigen::MatrixXd d = Eigen::MatrixXd::Zero(6, 1);
    d(1, 0) = Q * L * L * L * L / (8 * EI);
    d(2, 0) = -Q * L * L * L / (6 * EI);
    resolverCon(barra, d);
    const Eigen::MatrixXd V = barra.getSolicitacionCortante(0, 2);
    EXPECT_NEAR(V(1, 0), 0.0, kTol * 10);
    EXPECT_NEAR(V(1, 1), Q * L, kTol * 10);
    EXPECT_EQ(barra.getXvcero(0), -1.0);
    EXPECT_EQ(barra.getMmax(0), 0.0);
}

// The same cantilever either way round, with loads and lengths for which the computed
// root lands a rounding step inside the bar (x = 5e-16, or L (1 - 2e-16)): within rounding
// of an end is at the end, so there is no zero-shear point inside. The free end's
// displacement is v = Q L^4 / (8 E I) and its rotation -+Q L^3 / (6 E I).
TEST(ResultadosBarra, RaizARedondeoDeUnExtremoNoCuenta)
{
    const double EI = 3000;
    struct Caso { double L, Q; bool inicioLibre; };
    const Caso casos[] = {{5, -10, true}, {5, -10, false}, {4.5, 2.5, true}, {4.5, 2.5, false}, {1, -1, false}};
    for (const Caso& k : casos) {
        objBarra2d barra = barraEntre(0, 0, k.L, 0);
        barra.setCargaLocal("W", 0, 0, k.Q, k.Q);
        barra.setCombo("C", 1, "W");
        Eigen::MatrixXd d = Eigen::MatrixXd::Zero(6, 1);
        const double v = k.Q * k.L * k.L * k.L * k.L / (8 * EI);
        const double giro = k.Q * k.L * k.L * k.L / (6 * EI);
        d(k.inicioLibre ? 1 : 4, 0) = v;
        d(k.inicioLibre ? 2 : 5, 0) = k.inicioLibre ? -giro : giro;
        resolverCon(barra, d);
        EXPECT_EQ(barra.getXvcero(0), -1.0) << "L " << k.L << " Q " << k.Q << (k.inicioLibre ? " inicio" : " fin");
        EXPECT_EQ(barra.getMmax(0), 0.0);
    }
}

// Hinged start: M(0) = 0 although the node rotates; the deflection still passes through
// both transverse end displacements.
TEST(ResultadosBarra, ExtremoArticuladoSinMomento)
{
    objBarra2d barra = barraEntre(0, 0, 4, 0, 0, 1);
    barra.setCargaLocal("W", 0, 0, -2, -2);
    barra.setCombo("C", 1, "W");
    Eigen::MatrixXd d(6, 1);
    d << 0, 0.001, 0.02, 0, -0.003, 0.01;
    resolverCon(barra, d);
    EXPECT_NEAR(barra.getSolicitacionMomento(0, 2)(1, 0), 0.0, kTol * 100);
    const Eigen::MatrixXd forma = barra.getBarraDeformada(0, 5, 1.0);
    EXPECT_NEAR(forma(1, 0), 0.001, kTol);
    EXPECT_NEAR(forma(1, 4), -0.003, kTol);
}

// The axial force is a straight line between the end values even under a varying axial
// load: fixed-fixed bar L = 6, EA = 2000, Fi = 0, Ff = 3, no displacement. Equivalent
// axial loads L (2 Fi + Ff) / 6 = 3 and L (Fi + 2 Ff) / 6 = 6, so N(0) = 3, N(L) = -6.
TEST(ResultadosBarra, AxialEsUnaRectaEntreLosExtremos)
{
    objBarra2d barra = barraEntre(0, 0, 6, 0);
    barra.setCargaLocal("F", 0, 3, 0, 0);
    barra.setCombo("C", 1, "F");
    resolverCon(barra, Eigen::MatrixXd::Zero(6, 1));
    const Eigen::MatrixXd N = barra.getSolicitacionAxial(0, 4);
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(N(0, j), 2.0 * j, kTol);
        EXPECT_NEAR(N(1, j), 3 - 9.0 * j / 3, kTol * 10);
    }
    // A stretch of 0.003 adds EA / L * 0.003 = 1 of tension everywhere.
    Eigen::MatrixXd d = Eigen::MatrixXd::Zero(6, 1);
    d(3, 0) = 0.003;
    barra.setDesplazamientos(d);
    EXPECT_NEAR(barra.getSolicitacionAxial(0, 2)(1, 0), 4, kTol * 10);
    EXPECT_NEAR(barra.getSolicitacionAxial(0, 2)(1, 1), -5, kTol * 10);
}

// Inclined bar: local displacements are matrizT times global ones; the deflected shape
// at escala 0 is the straight bar, and at any escala its ends are the displaced nodes.
TEST(ResultadosBarra, DeformadaYDesplazamientosLocales)
{
    objBarra2d barra = barraEntre(1, 2, 4, 6);   // L = 5, cos 0.6, sin 0.8
    barra.setCargaLocal("W", 0, 0, -1, -1);
    barra.setCombo("C", 1, "W");
    Eigen::MatrixXd d(6, 1);
    d << 0.01, -0.02, 0.003, 0.04, 0.05, -0.001;
    resolverCon(barra, d);

    const Eigen::MatrixXd local = barra.getDesplazamientosLocales();
    EXPECT_NEAR(local(0, 0), 0.6 * 0.01 + 0.8 * -0.02, kTol);
    EXPECT_NEAR(local(1, 0), -0.8 * 0.01 + 0.6 * -0.02, kTol);
    EXPECT_NEAR(local(2, 0), 0.003, kTol);
    EXPECT_TRUE(barra.getDesplazamientosGlobales().isApprox(d));

    const Eigen::MatrixXd recta = barra.getBarraDeformada(0, 6, 0.0);
    for (int j = 0; j < 6; ++j) {
        EXPECT_NEAR(recta(0, j), 1 + 0.6 * j, kTol);
        EXPECT_NEAR(recta(1, j), 2 + 0.8 * j, kTol);
    }
    const double s = 50;
    const Eigen::MatrixXd forma = barra.getBarraDeformada(0, 21, s);
    EXPECT_NEAR(forma(0, 0), 1 + s * 0.01, kTol * s);
    EXPECT_NEAR(forma(1, 0), 2 + s * -0.02, kTol * s);
    EXPECT_NEAR(forma(0, 20), 4 + s * 0.04, kTol * s);
    EXPECT_NEAR(forma(1, 20), 6 + s * 0.05, kTol * s);
}

// A bar without bending stiffness (I = 0, a truss member) has no elastic curve: its
// deflected axis is the straight line between its two displaced ends, whatever the load.
TEST(ResultadosBarra, DeformadaSinRigidezAFlexionEsLaRectaEntreLosExtremos)
{
    objBarra2d barra = barraEntre(1, 2, 4, 6);
    barra.setSeccionGenerica(2, 0);
    barra.setCargaLocal("W", 0, 0, -1, -1);
    barra.setCombo("C", 1, "W");
    Eigen::MatrixXd d(6, 1);
    d << 0.01, -0.02, 0.003, 0.04, 0.05, -0.001;
    resolverCon(barra, d);

    const double s = 50;
    const Eigen::Vector2d inicio(1 + s * 0.01, 2 + s * -0.02);
    const Eigen::Vector2d fin(4 + s * 0.04, 6 + s * 0.05);
    const Eigen::MatrixXd forma = barra.getBarraDeformada(0, 11, s);
    ASSERT_EQ(forma.cols(), 11);
    for (int j = 0; j < 11; ++j) {
        const Eigen::Vector2d esperado = inicio + (fin - inicio) * (j / 10.0);
        EXPECT_NEAR(forma(0, j), esperado.x(), kTol * s) << "punto " << j;
        EXPECT_NEAR(forma(1, j), esperado.y(), kTol * s) << "punto " << j;
    }
}

// Cantilever L = 1, E I = 1 along X with a tip load P = 3e307 down: uy = -P L^3 / (3 E I)
// = -1e307 and the tip rotation -P L^2 / (2 E I) = -1.5e307, both finite. Drawn 100 times
// larger the tip lies beyond the double range, and its infinite y times the zero sine of
// the horizontal bar must not make the point NaN: it stays at the edge of the range,
// below the bar; at scale 1 the tip is where the solver put it.
TEST(ResultadosBarra, DeformadaDeUnDesplazamientoEnormeEsFinita)
{
    objBarra2d barra = barraEntre(0, 0, 1, 0);
    barra.setModuloE(1);
    barra.setSeccionGenerica(2, 1);
    Eigen::MatrixXd d(6, 1);
    d << 0, 0, 0, 0, -1e307, -1.5e307;
    resolverCon(barra, d);

    const Eigen::MatrixXd forma = barra.getBarraDeformada(0, 21, 100);
    ASSERT_EQ(forma.cols(), 21);
    EXPECT_TRUE(forma.allFinite());
    EXPECT_EQ(forma(0, 0), 0.0);
    EXPECT_EQ(forma(1, 0), 0.0);
    EXPECT_EQ(forma(0, 20), 1.0);
    EXPECT_EQ(forma(1, 20), -std::numeric_limits<double>::max());
    for (int j = 1; j < 21; ++j)
        EXPECT_LT(forma(1, j), 0.0) << "punto " << j;

    const Eigen::MatrixXd real = barra.getBarraDeformada(0, 21, 1);
    EXPECT_NEAR(real(1, 20), -1e307, 1e-9 * 1e307);
}

// Bars of extreme length under a uniform load Q, hinged at both ends and not displaced:
// the constants of the simply supported beam. Their deflection's terms x^4 and x^3 overflow
// a double even where the deflection does not, and inf - inf would make every point but
// the first NaN. The mid-span point lies at 5 Q L^4 / (384 E I) times the scale, written
// here in an order whose every step is representable.
struct CasoVigaLarga {
    const char* nombre;
    double L;
    double Q;
    double I;
    double escala;
};

void PrintTo(const CasoVigaLarga& caso, std::ostream* salida) { *salida << caso.nombre; }

class DeformadaDeVigaLarga : public ::testing::TestWithParam<CasoVigaLarga> {};

TEST_P(DeformadaDeVigaLarga, FinitaConLaFlechaDeCentroDeLuz)
{
    const CasoVigaLarga& caso = GetParam();
    objBarra2d barra = barraEntre(0, 0, caso.L, 0, 0, 0);
    barra.setSeccionGenerica(2, caso.I);
    barra.setCargaLocal("W", 0, 0, caso.Q, caso.Q);
    barra.setCombo("C", 1, "W");
    resolverCon(barra, Eigen::MatrixXd::Zero(6, 1));
    ASSERT_TRUE(barra.getConstantesIntegracion().allFinite());

    const Eigen::MatrixXd forma = barra.getBarraDeformada(0, 21, caso.escala);
    ASSERT_EQ(forma.cols(), 21);
    EXPECT_TRUE(forma.allFinite()) << forma;
    const double EI = 1000 * caso.I;
    const double flecha = 5 * caso.Q / 384 * (caso.L / EI) * caso.L * caso.L * caso.L * caso.escala;
    EXPECT_NEAR(forma(1, 10), flecha, 1e-12 * std::abs(flecha));
    EXPECT_NEAR(forma(0, 10), caso.L / 2, 1e-12 * caso.L);
    // The ends stay on their (undisplaced) nodes; the deflection is downwards in between.
    EXPECT_EQ(forma(1, 0), 0.0);
    EXPECT_NEAR(forma(1, 20), 0.0, 1e-12 * std::abs(flecha));
    for (int j = 1; j < 20; ++j)
        EXPECT_LT(forma(1, j), 0.0) << "punto " << j;
}

const CasoVigaLarga kCasosVigaLarga[] = {
    {"Longitud1e77", 1e77, -1e4, 1e97, 1.0},      // Q x^4 / 24 at L / 20 is 2.6e305 Q
    {"Longitud1e100", 1e100, -1.0, 1e97, 1.0},     // x^4 alone is 1e400 at the end
    {"Longitud1e100Escalada", 1e100, -1.0, 1e97, 1e-200},
};

INSTANTIATE_TEST_SUITE_P(Casos, DeformadaDeVigaLarga, ::testing::ValuesIn(kCasosVigaLarga),
                         [](const auto& info) { return std::string(info.param.nombre); });

// End displacements of opposite sign at the top of the double range: the elongation
// u3 - u0 of an axial bar, and the transverse u4 - u1 of a bar without bending stiffness,
// overflow a double. Drawn at half scale every point is finite and lies between the two
// displaced ends, at +-1e308 / 2.
TEST(ResultadosBarra, DeformadaDeExtremosOpuestosEsFinita)
{
    struct Caso { const char* nombre; int inicio; int fin; double inercia; int eje; };
    const Caso casos[] = {{"alargamiento", 0, 3, 3.0, 0}, {"sinRigidezAFlexion", 1, 4, 0.0, 1}};
    for (const Caso& k : casos) {
        objBarra2d barra = barraEntre(0, 0, 2, 0);
        barra.setSeccionGenerica(2, k.inercia);
        barra.setCombo("C", 1, "nada");
        Eigen::MatrixXd d = Eigen::MatrixXd::Zero(6, 1);
        d(k.inicio, 0) = -1e308;
        d(k.fin, 0) = 1e308;
        barra.getKGlobal();
        barra.getCargasEquivalentesGlobales();
        barra.setDesplazamientos(d);   // no end forces: the bar is drawn, not solved

        const Eigen::MatrixXd forma = barra.getBarraDeformada(0, 21, 0.5);
        ASSERT_TRUE(forma.allFinite()) << k.nombre << "\n" << forma;
        EXPECT_NEAR(forma(k.eje, 0), -5e307, 1e-12 * 5e307) << k.nombre;
        EXPECT_NEAR(forma(k.eje, 20), 5e307, 1e-12 * 5e307) << k.nombre;
        for (int j = 1; j < 21; ++j)
            EXPECT_GT(forma(k.eje, j), forma(k.eje, j - 1)) << k.nombre << ", punto " << j;
    }
}

// Column c depends on combination c only: three at once equal each alone.
TEST(ResultadosBarra, CombinacionesIndependientes)
{
    auto preparar = [](objBarra2d& b, int combos) {
        b.setCargaLocal("A", 0, 0, -1, -2);
        b.setCargaLocal("B", 1, 0, 0, 3);
        const char* nombres[3] = {"C1", "C2", "C3"};
        const double fa[3] = {1, 0, 2};
        const double fb[3] = {0, 1, -1};
        for (int c = 0; c < combos; ++c) {
            b.setCombo(nombres[c], fa[c], "A");
            b.setCombo(nombres[c], fb[c], "B");
        }
    };
    Eigen::MatrixXd d(6, 3);
    d << 0.01, 0.0, -0.01,
         0.02, -0.01, 0.0,
         0.001, 0.002, 0.003,
         0.0, 0.01, 0.02,
         -0.02, 0.0, 0.01,
         0.003, -0.001, 0.0;
    objBarra2d todas = barraEntre(0, 0, 3, 4);
    preparar(todas, 3);
    resolverCon(todas, d);

    for (int c = 0; c < 3; ++c) {
        objBarra2d sola = barraEntre(0, 0, 3, 4);
        sola.setCargaLocal("A", 0, 0, -1, -2);
        sola.setCargaLocal("B", 1, 0, 0, 3);
        const double fa[3] = {1, 0, 2};
        const double fb[3] = {0, 1, -1};
        sola.setCombo("C", fa[c], "A");
        sola.setCombo("C", fb[c], "B");
        resolverCon(sola, d.col(c));
        EXPECT_TRUE(sola.getConstantesIntegracion().col(0).isApprox(todas.getConstantesIntegracion().col(c), 1e-12))
            << "combinación " << c;
    }
}

// Two stations are the two ends; the queries before any result and outside the held
// combinations give zeros, never a read out of bounds.
TEST(ResultadosBarra, EstacionesYConsultasSinResultado)
{
    objBarra2d barra = barraEntre(0, 0, 8, 0);
    barra.setCombo("C", 1, "nada");
    EXPECT_FALSE(barra.tieneResultados(0));
    barra.getKGlobal();
    const Eigen::MatrixXd antes = barra.getSolicitacionMomento(0, 3);
    EXPECT_TRUE(antes.row(1).isZero(0.0));
    EXPECT_EQ(barra.getXvcero(0), -1.0);

    resolverCon(barra, Eigen::MatrixXd::Zero(6, 1));
    EXPECT_TRUE(barra.tieneResultados(0));
    EXPECT_FALSE(barra.tieneResultados(1));
    EXPECT_FALSE(barra.tieneResultados(-1));
    const Eigen::MatrixXd dos = barra.getSolicitacionCortante(0, 2);
    EXPECT_EQ(dos(0, 0), 0.0);
    EXPECT_EQ(dos(0, 1), 8.0);
    EXPECT_EQ(barra.getSolicitacionAxial(3, 2).cols(), 2);
    EXPECT_EQ(barra.getSolicitacionAxial(0, 0).cols(), 0);
    EXPECT_EQ(barra.getSolicitacionAxial(0, 1).cols(), 1);
    EXPECT_EQ(barra.getBarraDeformada(5, 3, 1.0).cols(), 3);
}

// A bar of zero length yields finite zeros: no NaN reaches a diagram.
TEST(ResultadosBarra, BarraDeLongitudCeroSinNaN)
{
    objBarra2d barra = barraEntre(2, 2, 2, 2);
    barra.setCargaLocal("W", 0, 0, -1, -3);
    barra.setCombo("C", 1, "W");
    Eigen::MatrixXd d = Eigen::MatrixXd::Constant(6, 1, 0.01);
    resolverCon(barra, d);
    EXPECT_TRUE(barra.getConstantesIntegracion().allFinite());
    EXPECT_TRUE(barra.getSolicitacionAxial(0, 3).allFinite());
    EXPECT_TRUE(barra.getSolicitacionMomento(0, 3).allFinite());
    EXPECT_TRUE(barra.getBarraDeformada(0, 3, 1.0).allFinite());
    EXPECT_EQ(barra.getXvcero(0), -1.0);
}

}  // namespace
