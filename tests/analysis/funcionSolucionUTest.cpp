#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "capturaConsola.h"
#include "funcionSolucionU.h"
#include "modeloDePrueba.h"
#include "variablesGlobales.h"

// Solver tests on frames built through the setters. Whole-pipeline checks from input texts
// live in solucionDesdeArchivoTest.cpp.

namespace {

constexpr double kTolRel = 1e-9;

void esperarCerca(double obtenido, double esperado, double escala)
{
    EXPECT_NEAR(obtenido, esperado, kTolRel * escala);
}

class SolucionU : public ::testing::Test {
protected:
    void SetUp() override { prueba::reiniciarEstado(); }
    void TearDown() override { prueba::reiniciarEstado(); }
};

// Cantilever of length L = 4, E I = 2e4, tip load P = 10 downwards at the free node.
void armarVoladizo()
{
    prueba::agregarNudo(0, 0, 1, 1, 1);
    prueba::agregarNudo(4, 0, 0, 0, 0);
    prueba::agregarBarra(0, 1, 1e4, 1.0, 2.0);
    nudo[1].setCargaPuntual("P", 0, -10, 0);
    prueba::agregarCombo("C1", 1.0, "P");
}

TEST_F(SolucionU, VoladizoConCargaEnElExtremo)
{
    armarVoladizo();
    CapturaConsola consola;
    funcionSolucionU();
    EXPECT_EQ(consola.texto(), "");

    // uy = -P L^3 / (3 E I) = -10 * 64 / 6e4; rotation = -P L^2 / (2 E I) = -160 / 4e4.
    const double P = 10, L = 4, EI = 2e4;
    esperarCerca(nudo[1].getDesplazamientoX(0), 0.0, 1.0);
    esperarCerca(nudo[1].getDesplazamientoY(0), -P * L * L * L / (3 * EI), 1.0);
    esperarCerca(nudo[1].getGiroZ(0), -P * L * L / (2 * EI), 1.0);
    // Held node: Rx = 0, Ry = P, Mz = P L; free node residuals 0.
    esperarCerca(nudo[0].getReaccionX(0), 0.0, P);
    esperarCerca(nudo[0].getReaccionY(0), P, P);
    esperarCerca(nudo[0].getReaccionM(0), P * L, P * L);
    for (int k = 3; k < 6; ++k)
        esperarCerca(reacciones(k, 0), 0.0, P * L);
    EXPECT_EQ(noLibres, 3);
    ASSERT_EQ(gdlLibres.size(), 3u);
    EXPECT_EQ(gdlLibres[0], 3);
    EXPECT_EQ(gdlLibres[2], 5);
    EXPECT_EQ(kLL.rows(), 3);
    EXPECT_EQ(u.rows(), 6);
    EXPECT_EQ(u.cols(), 1);
    EXPECT_TRUE(barra[0].tieneResultados(0));
}

TEST_F(SolucionU, CargaEnDireccionSujetaSoloEntraEnLaReaccion)
{
    armarVoladizo();
    nudo[0].setCargaPuntual("H", 10, 0, 0);
    prueba::agregarCombo("C2", 1.0, "H");
    funcionSolucionU();
    // Px = 10 at a held X: nothing moves, Rx = -10.
    esperarCerca(nudo[1].getDesplazamientoX(1), 0.0, 1.0);
    esperarCerca(nudo[1].getDesplazamientoY(1), 0.0, 1.0);
    esperarCerca(nudo[0].getReaccionX(1), -10.0, 10.0);
    esperarCerca(nudo[0].getReaccionY(1), 0.0, 10.0);
}

// Codes 2 and -1 hold their direction like 1: same displacements and reactions.
TEST_F(SolucionU, CodigosDistintosDeCeroYUnoSujetan)
{
    armarVoladizo();
    funcionSolucionU();
    const double uyReferencia = nudo[1].getDesplazamientoY(0);
    const double mReferencia = nudo[0].getReaccionM(0);

    prueba::reiniciarEstado();
    prueba::agregarNudo(0, 0, 2, -1, 2);
    prueba::agregarNudo(4, 0, 0, 0, 0);
    prueba::agregarBarra(0, 1, 1e4, 1.0, 2.0);
    nudo[1].setCargaPuntual("P", 0, -10, 0);
    prueba::agregarCombo("C1", 1.0, "P");
    funcionSolucionU();
    EXPECT_EQ(noLibres, 3);
    EXPECT_EQ(nudo[0].getDesplazamientoY(0), 0.0);
    esperarCerca(nudo[1].getDesplazamientoY(0), uyReferencia, std::abs(uyReferencia));
    esperarCerca(nudo[0].getReaccionM(0), mReferencia, std::abs(mReferencia));
}

// A mechanism: a beam on two rollers can slide along X. The solve keeps what the
// factorisation gives and one line names a node and the direction.
TEST_F(SolucionU, MecanismoAvisaNudoYDireccion)
{
    prueba::agregarNudo(0, 0, 0, 1, 0);
    prueba::agregarNudo(5, 0, 0, 1, 0);
    prueba::agregarBarra(0, 1, 1e4, 1.0, 2.0);
    nudo[1].setCargaPuntual("P", 0, 0, 3);
    prueba::agregarCombo("C1", 1.0, "P");

    CapturaConsola consola;
    funcionSolucionU();
    const std::string texto = consola.texto();
    const bool nudo1 = texto == "Estructura inestable (mecanismo): nudo 1, dirección X\n";
    const bool nudo2 = texto == "Estructura inestable (mecanismo): nudo 2, dirección X\n";
    EXPECT_TRUE(nudo1 || nudo2) << texto;
    for (Eigen::Index i = 0; i < u.rows(); ++i)
        EXPECT_TRUE(std::isfinite(u(i, 0)));
    EXPECT_TRUE(nudo[1].tieneResultados(0));
}

// A free rotation that no bar stiffens (both bar ends hinged) is named with its node.
TEST_F(SolucionU, GiroSinRigidezAvisaSuNudo)
{
    prueba::agregarNudo(0, 0, 1, 1, 1);
    prueba::agregarNudo(5, 0, 1, 1, 0);
    prueba::agregarBarra(0, 1, 1e4, 1.0, 2.0).setArticulacion(1, 0);
    prueba::agregarCombo("C1", 1.0, "P");

    CapturaConsola consola;
    funcionSolucionU();
    EXPECT_EQ(consola.texto(), "Estructura inestable (mecanismo): nudo 2, dirección giro\n");
}

// Every direction held: nothing to factorise, u is zero and the reactions are -pCombo.
// Fixed-fixed beam, uniform w = 6 downwards, L = 5: Ry = w L / 2 = 15 at each end,
// Mz = +w L^2 / 12 = 12.5 at the start and -12.5 at the end.
TEST_F(SolucionU, SinDireccionesLibres)
{
    prueba::agregarNudo(0, 0, 1, 1, 1);
    prueba::agregarNudo(5, 0, 1, 1, 1);
    prueba::agregarBarra(0, 1, 1e4, 1.0, 2.0).setCargaLocal("W", 0, 0, -6, -6);
    prueba::agregarCombo("C1", 1.0, "W");

    CapturaConsola consola;
    funcionSolucionU();
    EXPECT_EQ(consola.texto(), "");
    EXPECT_EQ(noLibres, 0);
    EXPECT_EQ(kLL.size(), 0);
    ASSERT_EQ(u.rows(), 6);
    ASSERT_EQ(u.cols(), 1);
    EXPECT_TRUE(u.isZero(0.0));
    EXPECT_TRUE(reacciones.isApprox(-pCombo));
    esperarCerca(nudo[0].getReaccionY(0), 15.0, 15.0);
    esperarCerca(nudo[1].getReaccionY(0), 15.0, 15.0);
    esperarCerca(nudo[0].getReaccionM(0), 12.5, 12.5);
    esperarCerca(nudo[1].getReaccionM(0), -12.5, 12.5);
    // Fixed-end moment -w L^2 / 12: M(0) = M(L) = -12.5 (hogging); mid-span +w L^2 / 24.
    const Eigen::MatrixXd M = barra[0].getSolicitacionMomento(0, 3);
    esperarCerca(M(1, 0), -12.5, 12.5);
    esperarCerca(M(1, 1), 6.25, 12.5);
    esperarCerca(M(1, 2), -12.5, 12.5);
}

TEST_F(SolucionU, NudoConMenosCombosNoSeResuelve)
{
    armarVoladizo();
    noCombos = 2;
    CapturaConsola consola;
    funcionSolucionU();
    EXPECT_EQ(consola.texto(), "El nudo 1 tiene 1 de 2 combos: no se resuelve la estructura\n");
    EXPECT_EQ(kEstructura.size(), 0);
    EXPECT_EQ(u.size(), 0);
    EXPECT_FALSE(nudo[1].tieneResultados(0));
    EXPECT_FALSE(barra[0].tieneResultados(0));
}

TEST_F(SolucionU, BarraConMenosCombosNoSeResuelve)
{
    armarVoladizo();
    for (objNudo2d& n : nudo)
        n.setCombo("C2", 1.0, "P");
    noCombos = 2;
    CapturaConsola consola;
    funcionSolucionU();
    EXPECT_EQ(consola.texto(), "La barra 1 tiene 1 de 2 combos: no se resuelve la estructura\n");
    EXPECT_EQ(kEstructura.size(), 0);
}

// 100000 nodes, all free: (3e5)^2 + 2 (3e5)^2 + 4 (3e5) + 2 (3e5) reals of 8 bytes
// = 2.1600144e12 bytes, written in GB with six digits. Nothing is allocated.
TEST_F(SolucionU, ModeloQueNoCabeEnMemoria)
{
    for (int i = 0; i < 100000; ++i)
        prueba::agregarNudo(i, 0, 0, 0, 0);
    prueba::agregarBarra(0, 1, 1e4, 1.0, 2.0);
    prueba::agregarCombo("C1", 1.0, "P");

    CapturaConsola consola;
    funcionSolucionU();
    EXPECT_EQ(consola.texto(), "No hay memoria para resolver la estructura: se necesitan 2160.01 GB\n");
    EXPECT_EQ(kEstructura.size(), 0);
    EXPECT_EQ(noLibres, 0);
    EXPECT_FALSE(nudo[0].tieneResultados(0));
}

// A second run on a smaller model leaves nothing of the first.
TEST_F(SolucionU, NuevaCorridaRedimensionaTodo)
{
    prueba::agregarNudo(0, 0, 1, 1, 1);
    prueba::agregarNudo(4, 0, 0, 0, 0);
    prueba::agregarNudo(8, 0, 0, 0, 0);
    prueba::agregarBarra(0, 1, 1e4, 1.0, 2.0);
    prueba::agregarBarra(1, 2, 1e4, 1.0, 2.0);
    prueba::agregarCombo("C1", 1.0, "P");
    prueba::agregarCombo("C2", 1.0, "P");
    funcionSolucionU();
    EXPECT_EQ(kEstructura.rows(), 9);

    prueba::reiniciarEstado();
    armarVoladizo();
    funcionSolucionU();
    EXPECT_EQ(kEstructura.rows(), 6);
    EXPECT_EQ(pCombo.cols(), 1);
    EXPECT_EQ(u.rows(), 6);
    EXPECT_EQ(reacciones.cols(), 1);
    EXPECT_EQ(gdlLibres.size(), 3u);
    EXPECT_EQ(kLL.rows(), 3);
    EXPECT_EQ(uLibres.rows(), 3);
}

}  // namespace
