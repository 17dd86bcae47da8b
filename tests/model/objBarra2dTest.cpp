#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "capturaConsola.h"
#include "objBarra2d.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTol = 1e-12;   // relative, for values computed in a few operations

objBarra2d barraEntre(double xi, double yi, double xf, double yf)
{
    objBarra2d b;
    b.resetFlags();
    b.setNumeroDeBarra(0);
    b.setNumeroBarraUsuario(1);
    b.setNudoInicio(0, xi, yi);
    b.setNudoFinal(1, xf, yf);
    return b;
}

// E = 200, A = 3, I = 4 on a horizontal bar of length 5.
objBarra2d barraDePrueba(double a, double b)
{
    objBarra2d barra = barraEntre(0, 0, 5, 0);
    barra.setSeccionGenerica(3, 4);
    barra.setModuloE(200);
    barra.setArticulacion(a, b);
    return barra;
}

void esperarMatriz(const Eigen::MatrixXd& obtenida, const Eigen::MatrixXd& esperada)
{
    ASSERT_EQ(obtenida.rows(), esperada.rows());
    ASSERT_EQ(obtenida.cols(), esperada.cols());
    for (Eigen::Index i = 0; i < esperada.rows(); ++i)
        for (Eigen::Index j = 0; j < esperada.cols(); ++j)
            EXPECT_NEAR(obtenida(i, j), esperada(i, j), kTol * (1 + std::abs(esperada(i, j))))
                << "entrada (" << i << ", " << j << ")";
}

struct CasoRigidez {
    const char* nombre;
    double a;
    double b;
    double k[36];   // row by row, worked out by hand from E = 200, A = 3, I = 4, L = 5
};

// EA/L = 120 in every case. Rigid: 12EI/L^3 = 76.8, 6EI/L^2 = 192, 4EI/L = 640, 2EI/L = 320.
// Start hinged: D = 4, c = 1.6: 12c = 19.2, 6cL(2) = 96, 4cL^2(3) = 480.
// a = b = 0.5: D = 5.25, s = 0.75, c = 128/105: 384/35, 192/7, 2560/21, 320/21.
// End hinged: the mirror of the start hinged, row and column 5 zero, start rotation 480.
// a = 0.3, b = 0.8, from the beam with a rotational spring k = a / (1 - a) E I / L at each
// end, in series: end flexibility L / EI [[1/3 + 7/3, -1/6], [-1/6, 1/3 + 1/4]], whose
// inverse times EI / L = 160 gives the rotation terms 672/11, 192/11, 3072/11; the chord
// rotation (v2 - v1) / L carries them to the transverse terms: (672 + 192) / 11 / L =
// 864/55, (192 + 3072) / 11 / L = 3264/55 and (672 + 2 x 192 + 3072) / 11 / L^2 = 4128/275.
const CasoRigidez kCasosRigidez[] = {
    {"Rigida", 1, 1,
     {120, 0, 0, -120, 0, 0,
      0, 76.8, 192, 0, -76.8, 192,
      0, 192, 640, 0, -192, 320,
      -120, 0, 0, 120, 0, 0,
      0, -76.8, -192, 0, 76.8, -192,
      0, 192, 320, 0, -192, 640}},
    {"ArticuladaAlInicio", 0, 1,
     {120, 0, 0, -120, 0, 0,
      0, 19.2, 0, 0, -19.2, 96,
      0, 0, 0, 0, 0, 0,
      -120, 0, 0, 120, 0, 0,
      0, -19.2, 0, 0, 19.2, -96,
      0, 96, 0, 0, -96, 480}},
    {"SemirrigidaEnAmbosExtremos", 0.5, 0.5,
     {120, 0, 0, -120, 0, 0,
      0, 384.0 / 35, 192.0 / 7, 0, -384.0 / 35, 192.0 / 7,
      0, 192.0 / 7, 2560.0 / 21, 0, -192.0 / 7, 320.0 / 21,
      -120, 0, 0, 120, 0, 0,
      0, -384.0 / 35, -192.0 / 7, 0, 384.0 / 35, -192.0 / 7,
      0, 192.0 / 7, 320.0 / 21, 0, -192.0 / 7, 2560.0 / 21}},
    {"ArticuladaAlFinal", 1, 0,
     {120, 0, 0, -120, 0, 0,
      0, 19.2, 96, 0, -19.2, 0,
      0, 96, 480, 0, -96, 0,
      -120, 0, 0, 120, 0, 0,
      0, -19.2, -96, 0, 19.2, 0,
      0, 0, 0, 0, 0, 0}},
    {"SemirrigidaAsimetrica", 0.3, 0.8,
     {120, 0, 0, -120, 0, 0,
      0, 4128.0 / 275, 864.0 / 55, 0, -4128.0 / 275, 3264.0 / 55,
      0, 864.0 / 55, 672.0 / 11, 0, -864.0 / 55, 192.0 / 11,
      -120, 0, 0, 120, 0, 0,
      0, -4128.0 / 275, -864.0 / 55, 0, 4128.0 / 275, -3264.0 / 55,
      0, 3264.0 / 55, 192.0 / 11, 0, -3264.0 / 55, 3072.0 / 11}},
    {"ArticuladaEnAmbosExtremos", 0, 0,
     {120, 0, 0, -120, 0, 0,
      0, 0, 0, 0, 0, 0,
      0, 0, 0, 0, 0, 0,
      -120, 0, 0, 120, 0, 0,
      0, 0, 0, 0, 0, 0,
      0, 0, 0, 0, 0, 0}},
    // Factors outside [0, 1] are clamped: the same as a hinge at the start.
    {"FactoresFueraDeRangoSeRecortan", -0.5, 2.0,
     {120, 0, 0, -120, 0, 0,
      0, 19.2, 0, 0, -19.2, 96,
      0, 0, 0, 0, 0, 0,
      -120, 0, 0, 120, 0, 0,
      0, -19.2, 0, 0, 19.2, -96,
      0, 96, 0, 0, -96, 480}},
};

class RigidezLocal : public ::testing::TestWithParam<CasoRigidez> {};

TEST_P(RigidezLocal, CoincideConElCalculoAMano)
{
    const CasoRigidez& caso = GetParam();
    objBarra2d barra = barraDePrueba(caso.a, caso.b);
    const Eigen::MatrixXd esperada = Eigen::Map<const Eigen::Matrix<double, 6, 6, Eigen::RowMajor>>(caso.k);
    esperarMatriz(barra.getKLocal(), esperada);
    // A horizontal bar: global and local stiffness coincide.
    esperarMatriz(barra.getKGlobal(), esperada);
}

INSTANTIATE_TEST_SUITE_P(Barra, RigidezLocal, ::testing::ValuesIn(kCasosRigidez),
                         [](const auto& info) { return std::string(info.param.nombre); });

struct CasoAngulo {
    const char* nombre;
    double xf;
    double yf;
    double angulo;
};

const CasoAngulo kCasosAngulo[] = {
    {"EjeXPositivo", 2, 0, 0},
    {"EjeYPositivo", 0, 1, kPi / 2},
    {"EjeXNegativo", -2, 0, kPi},
    {"EjeYNegativo", 0, -2, -kPi / 2},
    {"PrimerCuadrante", 3, 4, std::acos(0.6)},
    {"SegundoCuadrante", -1, 1, 3 * kPi / 4},
    {"TercerCuadrante", -1, -1, -3 * kPi / 4},
    {"CuartoCuadrante", 1, -1, -kPi / 4},
};

class Angulo : public ::testing::TestWithParam<CasoAngulo> {};

TEST_P(Angulo, SeMideDesdeXGlobalEnSentidoAntihorario)
{
    const CasoAngulo& caso = GetParam();
    objBarra2d barra = barraEntre(0, 0, caso.xf, caso.yf);
    EXPECT_NEAR(barra.getAngulo(), caso.angulo, 1e-15);
    EXPECT_NEAR(barra.getLongitud(), std::hypot(caso.xf, caso.yf), 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Barra, Angulo, ::testing::ValuesIn(kCasosAngulo),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace

TEST(Barra, RecienCreadaEsRigidaYSinSeccion)
{
    const objBarra2d b;
    EXPECT_EQ(b.getArticulacionInicio(), 1);
    EXPECT_EQ(b.getArticulacionFin(), 1);
    CapturaConsola consola;
    EXPECT_EQ(b.getNombreDeSeccion(), "");
    EXPECT_EQ(consola.texto(), "Definir el nombre de sección\n");
}

TEST(Barra, ArticulacionParcialSeLeeComoLiberada)
{
    objBarra2d b;
    b.setArticulacion(0.99, 1.0);
    EXPECT_EQ(b.getArticulacionInicio(), 0);
    EXPECT_EQ(b.getArticulacionFin(), 1);
}

TEST(Barra, SeccionRectangular)
{
    objBarra2d b;
    b.setSeccionRectangular(0.3, 0.5);
    EXPECT_DOUBLE_EQ(b.getArea(), 0.15);
    EXPECT_DOUBLE_EQ(b.getInercia(), 1.0 / 320);   // b h^3 / 12
}

TEST(Barra, LongitudYAnguloDelTriangulo345)
{
    objBarra2d b = barraEntre(0, 0, 3, 4);
    EXPECT_DOUBLE_EQ(b.getLongitud(), 5.0);
    EXPECT_NEAR(b.getAngulo(), 0.9272952180016122, 1e-15);   // acos 0.6
}

TEST(Barra, HorizontalTieneTIdentidad)
{
    objBarra2d b = barraEntre(0, 0, 2, 0);
    b.getAngulo();
    esperarMatriz(b.getT(), Eigen::MatrixXd::Identity(6, 6));
}

TEST(Barra, GradosDeLibertadDeSusNudos)
{
    objBarra2d b;
    b.setNudoInicio(2, 0, 0);
    b.setNudoFinal(5, 1, 0);
    Eigen::VectorXi esperado(6);
    esperado << 6, 7, 8, 15, 16, 17;
    EXPECT_EQ(b.getGdl(), esperado);
}

TEST(Barra, VerticalLlevaLaRigidezAxialALasFilasY)
{
    objBarra2d b = barraEntre(0, 0, 0, 5);
    b.setSeccionGenerica(3, 4);
    b.setModuloE(200);
    const Eigen::MatrixXd k = b.getKGlobal();
    EXPECT_NEAR(k(1, 1), 120, 1e-12);      // EA/L along global Y
    EXPECT_NEAR(k(1, 4), -120, 1e-12);
    EXPECT_NEAR(k(0, 0), 76.8, 1e-12);     // 12EI/L^3 along global X
    EXPECT_NEAR(k(0, 2), -192, 1e-12);     // local +y is global -X
    EXPECT_NEAR(k(2, 2), 640, 1e-12);
}

TEST(Barra, RigidezGlobalSimetricaYNulaAnteMovimientoDeCuerpoRigido)
{
    objBarra2d b = barraEntre(1, 2, 4, 6);   // length 5, inclined
    b.setSeccionGenerica(3, 4);
    b.setModuloE(200);
    const Eigen::MatrixXd k = b.getKGlobal();
    EXPECT_LT((k - k.transpose()).norm(), 1e-12 * k.norm());

    Eigen::VectorXd traslacion(6);
    traslacion << 0.3, -0.7, 0, 0.3, -0.7, 0;
    // Rotation theta about the start node: the end moves by theta x (dx, dy) = (-4, 3) theta.
    const double theta = 0.01;
    Eigen::VectorXd giro(6);
    giro << 0, 0, theta, -4 * theta, 3 * theta, theta;
    EXPECT_LT((k * traslacion).norm(), 1e-12 * k.norm());
    EXPECT_LT((k * giro).norm(), 1e-12 * k.norm());
}

TEST(Barra, RigidezGlobalGuardadaNoSigueALosSetters)
{
    objBarra2d b = barraDePrueba(1, 1);
    const Eigen::MatrixXd primera = b.getKGlobal();
    b.setModuloE(400);
    b.setArticulacion(0, 0);
    esperarMatriz(b.getKGlobal(), primera);
    // A direct request rebuilds kLocal from the current fields; kGlobal then uses it.
    b.getKLocal();
    const Eigen::MatrixXd nueva = b.getKGlobal();
    EXPECT_NEAR(nueva(0, 0), 240, 1e-12);
    EXPECT_EQ(nueva(1, 1), 0.0);
}

TEST(Barra, LongitudAntesDeLosNudosAvisaYNoSeGuarda)
{
    objBarra2d b;
    {
        CapturaConsola consola;
        EXPECT_EQ(b.getLongitud(), 0.0);
        EXPECT_EQ(consola.texto(), "Definir nudos del elemento\n");
    }
    b.setNudoInicio(0, 0, 0);
    b.setNudoFinal(1, 6, 8);
    EXPECT_DOUBLE_EQ(b.getLongitud(), 10.0);
}

TEST(Barra, RigidezSinNudosAvisaEnOrdenYDaCeros)
{
    objBarra2d b;
    b.setNumeroDeBarra(3);
    CapturaConsola consola;
    EXPECT_EQ(b.getKGlobal(), Eigen::MatrixXd::Zero(6, 6));
    EXPECT_EQ(consola.texto(),
              "Definir nudos del elemento\n"
              "no se puede calcular el angulo. Faltan datos\n"
              "Calcular primero el ángulo de la barra\n"
              "Definir nudos del elemento\n"
              "No están definidas E, I o L de Elemento: 3\n");
}

TEST(Barra, SinSeccionAvisaEnCadaPedidoConElNumeroInterno)
{
    objBarra2d b = barraEntre(0, 0, 1, 0);
    b.setNumeroDeBarra(7);
    CapturaConsola consola;
    EXPECT_EQ(b.getKGlobal(), Eigen::MatrixXd::Zero(6, 6));
    EXPECT_EQ(b.getKGlobal(), Eigen::MatrixXd::Zero(6, 6));
    EXPECT_EQ(consola.texto(),
              "No están definidas E, I o L de Elemento: 7\n"
              "No están definidas E, I o L de Elemento: 7\n");
}

TEST(Barra, DeLongitudCeroNoDaNaNYAvisaConSuNumeroDeUsuario)
{
    objBarra2d b = barraEntre(2, 3, 2, 3);
    b.setNumeroBarraUsuario(9);
    b.setSeccionGenerica(3, 4);
    b.setModuloE(200);
    CapturaConsola consola;
    EXPECT_EQ(b.getAngulo(), 0.0);
    EXPECT_EQ(b.getKGlobal(), Eigen::MatrixXd::Zero(6, 6));
    EXPECT_EQ(b.getKGlobal(), Eigen::MatrixXd::Zero(6, 6));
    EXPECT_EQ(consola.texto(), "Barra de longitud cero: 9\nBarra de longitud cero: 9\n");
}
