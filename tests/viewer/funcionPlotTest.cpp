#include <GL/freeglut.h>

#include <cmath>

#include "entornoGL.h"
#include "estadoVisor.h"

// Window, camera, mouse and display flags.

namespace {

constexpr double kTol = 1e-12;

class Camara : public EstadoVisor {};

TEST_F(Camara, ElCuadroIncluyeElOrigenYLaDiagonalEsElTamanoDeVista)
{
    // Nodes at (10, 10) and (20, 10): box 0..20 x 0..10, centre (10, 5), diagonal sqrt(500).
    construirModelo({{1, 10, 10}, {2, 20, 10}}, {}, {});
    EXPECT_EQ(xMin, 0);
    EXPECT_EQ(xMax, 20);
    EXPECT_EQ(yMin, 0);
    EXPECT_EQ(yMax, 10);
    EXPECT_EQ(xCam, 10);
    EXPECT_EQ(xCentroObj, 10);
    EXPECT_EQ(yCam, 5);
    EXPECT_EQ(yCentroObj, 5);
    EXPECT_NEAR(diagonalObj, std::sqrt(500.0), kTol);
    EXPECT_NEAR(zCam, std::sqrt(500.0), kTol);
}

TEST_F(Camara, UnCuadroSinExtensionMuestraUnaUnidad)
{
    // No node at all, then a single node at the origin: a view of 1 model unit, not 0.
    construirModelo({}, {}, {});
    EXPECT_EQ(zCam, 1);
    construirModelo({{1, 0, 0}}, {}, {});
    EXPECT_EQ(zCam, 1);
    EXPECT_EQ(diagonalObj, 1);
}

TEST_F(Camara, AlAbrirSoloApoyosEtiquetasOrdenadasYEsferasEncendidosYTodoVisible)
{
    construirModelo({{1, 0, 0}, {2, 4, 0}, {3, 4, 3}}, {{1, 1, 2}, {2, 2, 3}}, {"U1"});
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16}));
    EXPECT_EQ(flags.size(), 200u);
    EXPECT_EQ(barrasAisladas, Eigen::VectorXi::Ones(2));
    EXPECT_EQ(nudosAislados, Eigen::VectorXi::Ones(3));
}

// The projection matrix as changeSize left it.
Eigen::Matrix4d proyeccion()
{
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    return Eigen::Map<Eigen::Matrix<double, 4, 4>>(m);  // GL stores column-major, as Eigen
}

TEST_F(Camara, ZCamUnidadesCubrenElLadoMenorDeLaVentana)
{
    zCam = 8;
    // 1000 x 800: zCam spans the height, 1.25 zCam the width.
    changeSize(1000, 800);
    EXPECT_NEAR(proyeccion()(0, 0), 2 / (1.25 * 8), 1e-6 * proyeccion()(0, 0));
    EXPECT_NEAR(proyeccion()(1, 1), 2 / 8.0, 1e-6 * proyeccion()(1, 1));
    EXPECT_EQ(wVentana, 1000);
    EXPECT_EQ(hVentana, 800);
    // 800 x 1000: zCam spans the width.
    changeSize(800, 1000);
    EXPECT_NEAR(proyeccion()(0, 0), 2 / 8.0, 1e-6 * proyeccion()(0, 0));
    EXPECT_NEAR(proyeccion()(1, 1), 2 / (1.25 * 8), 1e-6 * proyeccion()(1, 1));
    // Height 0 is taken as 1: r = w.
    changeSize(300, 0);
    EXPECT_EQ(hVentana, 1);
    EXPECT_NEAR(proyeccion()(0, 0), 2 / (300 * 8.0), 1e-6 * proyeccion()(0, 0));
    EXPECT_NEAR(proyeccion()(1, 1), 2 / 8.0, 1e-6 * proyeccion()(1, 1));
    changeSize(1000, 800);
}

TEST_F(Camara, ElPlanoDelModeloQuedaDentroDeLaProfundidadConVistasGrandes)
{
    // A model 3000 units across puts the eye 3000 units above the plane z = 0, beyond a
    // fixed far plane at 1000: a square drawn in the plane must still be seen.
    construirModelo({{1, 0, 0}, {2, 3000, 0}}, {}, {});
    ASSERT_GT(zCam, 1000);
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(xCam, yCam, zCam, xCentroObj, yCentroObj, 0, 0, 1, 0);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glVertex3d(xCam - 50, yCam - 50, 0);
    glVertex3d(xCam + 50, yCam - 50, 0);
    glVertex3d(xCam + 50, yCam + 50, 0);
    glVertex3d(xCam - 50, yCam + 50, 0);
    glEnd();
    EXPECT_EQ(ImagenGL::leer().en(500, 400), (Pixel{255, 255, 255}));
}

class Raton : public EstadoVisor {};

TEST_F(Raton, LaRuedaAcercaYAlejaEnPasosDe107AlSoltar)
{
    zCam = 10;
    mouseButton(3, GLUT_DOWN, 500, 400);  // presses are ignored
    EXPECT_EQ(zCam, 10);
    mouseButton(3, GLUT_UP, 500, 400);
    EXPECT_NEAR(zCam, 10 / 1.07, kTol);
    mouseButton(4, GLUT_DOWN, 500, 400);
    mouseButton(4, GLUT_UP, 500, 400);
    EXPECT_NEAR(zCam, 10, kTol);
    for (int i = 0; i < 10; ++i)
        zoomIn();
    EXPECT_NEAR(zCam, 10 / std::pow(1.07, 10), kTol);
    // The zoom is about the window centre and resets the projection for the new size.
    EXPECT_EQ(xCentroObj, xCam);
    EXPECT_NEAR(proyeccion()(1, 1), 2 / zCam, 1e-6 * 2 / zCam);  // GL holds floats
    EXPECT_EQ(wVentana, kAnchoVentana);
    EXPECT_EQ(hVentana, kAltoVentana);
}

TEST_F(Raton, ArrastrarMueveElModeloConElCursor)
{
    zCam = 10;
    xCam = xCentroObj = 3;
    yCam = yCentroObj = 4;
    const double k = std::tan(PI / 8) * 2 * zCam / 1000;  // model units per pixel
    mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
    EXPECT_EQ(clickIzq, 1);
    mouseMove(150, 120);
    mouseMove(200, 150);  // 100 pixels right, 50 down in all
    // The eye moves against the cursor, so the model follows it (window y is downwards).
    EXPECT_NEAR(xCam, 3 - 100 * k, kTol);
    EXPECT_NEAR(xCentroObj, 3 - 100 * k, kTol);
    EXPECT_NEAR(yCam, 4 + 50 * k, kTol);
    EXPECT_NEAR(yCentroObj, 4 + 50 * k, kTol);
    mouseButton(GLUT_LEFT_BUTTON, GLUT_UP, 200, 150);
    EXPECT_EQ(clickIzq, -1);
    EXPECT_EQ(xClickIzq, 200);  // the release leaves the pending click
    EXPECT_EQ(yClickIzq, 150);
    // After the release, motion changes nothing, not even the last position.
    mouseMove(400, 400);
    EXPECT_NEAR(xCam, 3 - 100 * k, kTol);
    EXPECT_EQ(xLast, 200);
    // A new press clears the pending click.
    mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
    EXPECT_EQ(xClickIzq, 0);
    EXPECT_EQ(yClickIzq, 0);
}

TEST_F(Raton, LosBotonesDerechoYCentralNoPanean)
{
    xCam = xCentroObj = 0;
    mouseButton(GLUT_RIGHT_BUTTON, GLUT_DOWN, 100, 100);
    mouseMove(300, 300);
    mouseButton(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 100, 100);
    mouseMove(300, 300);
    EXPECT_EQ(xCam, 0);
    EXPECT_EQ(clickIzq, 0);
    EXPECT_EQ(xClickIzq, 0);
}

// A sequence of toggles and the slots that are on after it (other slots stay off).
struct CasoFlags {
    const char* nombre;
    std::vector<int> toggles;
    std::vector<int> encendidos;
};

const CasoFlags kCasosFlags[] = {
    {"MomentoYLuegoAxial", {6, 4}, {4, 9, 14, 15, 16}},
    {"AxialDosVecesApagaTodo", {6, 4, 4}, {9, 14, 15, 16}},
    {"BarrasYLuegoSecciones", {0, 1, 2}, {0, 2, 9, 14, 15, 16}},
    {"SeccionesYLuegoBarras", {2, 1}, {1, 9, 14, 15, 16}},
    {"TresVecesQuedaEncendido", {3, 3, 3}, {3, 9, 14, 15, 16}},
    {"ApoyosAyudaEtiquetasOrdenadasEsferas", {9, 10, 14, 15, 16}, {10}},
    {"ReaccionesExcluyeCargas", {7, 8}, {8, 9, 14, 15, 16}},
    {"FueraDeLaTablaNoHaceNada", {-1, 11, 12, 13, 17, 99, 100, 199, 200}, {9, 14, 15, 16}},
};

class Flags : public EstadoVisor, public ::testing::WithParamInterface<CasoFlags> {};

TEST_P(Flags, ExclusionesDeLaReglaDeAlternar)
{
    for (int k : GetParam().toggles)
        modificadorFlagsGraf(k);
    EXPECT_EQ(slotsEncendidos(), GetParam().encendidos);
    EXPECT_EQ(flags.size(), 200u);
}

INSTANTIATE_TEST_SUITE_P(Visor, Flags, ::testing::ValuesIn(kCasosFlags),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(Camara, ApagarUnResultadoEscribeCeroEnLosOtrosYTresVecesDaTres)
{
    modificadorFlagsGraf(6);
    modificadorFlagsGraf(4);
    EXPECT_EQ(flags[6], 0);
    EXPECT_EQ(flags[4], 1);
    modificadorFlagsGraf(4);
    EXPECT_EQ(flags[4], 2);
    modificadorFlagsGraf(5);
    modificadorFlagsGraf(5);
    modificadorFlagsGraf(5);
    EXPECT_EQ(flags[5], 3);
}

}  // namespace
