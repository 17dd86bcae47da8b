// Loads and reactions read back from the window. View: 0.01 model units per pixel, origin
// at the window centre; zCam is set to 40 so that the arrowhead length h = zCam / 100 is
// 0.4 units (40 pixels).

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "elementosPlot.h"
#include "funcionSolucionU.h"
#include "lienzo.h"
#include "modeloDePrueba.h"
#include "registroFuentes.h"

namespace {

const Tono kFuerza{0.8f, 0.2f, 0.2f};
const Tono kTransversal{0.0f, 0.3f, 0.0f};
const Tono kEtiquetaTransversal{0.3f, 0.7f, 0.3f};
const Tono kAxialCarga{0.0f, 0.4f, 0.5f};
const Tono kEtiquetaAxial{0.3f, 0.7f, 0.7f};
const Tono kReaccion{1.0f, 0.0f, 0.0f};

constexpr double kPixel = 0.01;
constexpr double kH = 0.4;

class DibujoCargas : public Lienzo {
protected:
    void SetUp() override
    {
        Lienzo::SetUp();
        prueba::reiniciarEstado();
        reiniciarModelo();
        vista(kPixel, kAnchoVentana / 2, kAltoVentana / 2);
        zCam = 100 * kH;
        escalaTexto = 0.3;
    }

    // One free node at the origin loaded by (px, py, mz) in combination 0.
    static void nudoCargado(double px, double py, double mz)
    {
        prueba::agregarNudo(0, 0, 0, 0, 0);
        nudo[0].setCargaPuntual("P", px, py, mz);
        prueba::agregarCombo("C", 1, "P");
        mostrarTodo();
    }

    // A bar of length 4 from (-2, 0) along +x with one local load row in combination 0.
    static void barraCargada(double fi, double ff, double qi, double qf)
    {
        prueba::agregarNudo(-2, 0, 0, 0, 0);
        prueba::agregarNudo(2, 0, 0, 0, 0);
        prueba::agregarBarra(0, 1, 1000, 1, 1);
        barra[0].setCargaLocal("q", fi, ff, qi, qf);
        prueba::agregarCombo("C", 1, "q");
        mostrarTodo();
    }
};

// ---------------------------------------------------------------------------------------
// Nodal forces end on the node and point along the force; the label is the magnitude at
// the arrow's tail.

TEST_F(DibujoCargas, FuerzaNegativaEnXVieneDeLaDerecha)
{
    nudoCargado(-10, 0, 0);
    const double s = 0.2;  // tail 2 units right of the node
    plotCarga(0, s);
    const ImagenGL img = ImagenGL::leer();
    EXPECT_TRUE(hayTonoCerca(img, 1, 0, kFuerza));
    EXPECT_FALSE(hayTintaCerca(img, -1, 0, 3));
    EXPECT_FALSE(hayTintaCerca(img, 0, 1, 3));  // no vertical arrow
    // Head at the node, strokes back towards the tail: (h, +-h/3).
    EXPECT_TRUE(hayTonoCerca(img, 0.8 * kH, 0.8 * kH / 3, kFuerza));
    EXPECT_TRUE(hayTonoCerca(img, 0.8 * kH, -0.8 * kH / 3, kFuerza));

    limpiar();
    glLineWidth(2);
    glColor3f(0.8f, 0.2f, 0.2f);
    drawFlecha(2, 0, 0, 0, kH);
    glLineWidth(1);
    drawNumFloat(2, 0, 10, precision, escalaTexto);
    EXPECT_TRUE(igualesImagenes(img, ImagenGL::leer()));
}

TEST_F(DibujoCargas, FuerzaVerticalSola)
{
    nudoCargado(0, -5, 0);
    plotCarga(0, 0.2);  // tail 1 unit above the node
    const ImagenGL img = ImagenGL::leer();
    EXPECT_TRUE(hayTonoCerca(img, 0, 0.5, kFuerza));
    EXPECT_FALSE(hayTintaCerca(img, 0, -0.5, 3));
    EXPECT_FALSE(hayTintaCerca(img, 0.5, 0, 3));
    EXPECT_FALSE(hayTintaCerca(img, -0.5, 0, 3));
}

// The arc from -90 to 135 degrees of radius 1.6 h; the head at the 135-degree end for a
// counter-clockwise moment, at the -90-degree end for a clockwise one.
TEST_F(DibujoCargas, CabezaDelMomentoSegunSuSigno)
{
    const double r = 1.6 * kH;
    const double ax = -r * std::cos(PI / 4), ay = r * std::sin(PI / 4);  // 135-degree end
    const double bx = 0, by = -r;                                        // -90-degree end
    flags[14] = 0;
    for (double mz : {5.0, -5.0}) {
        SCOPED_TRACE(mz);
        limpiar();
        prueba::reiniciarEstado();
        nudoCargado(0, 0, mz);
        plotCarga(0, 1);
        const ImagenGL img = ImagenGL::leer();
        EXPECT_TRUE(hayTonoCerca(img, r, 0, kFuerza));        // the arc at 0 degrees
        EXPECT_FALSE(hayTintaCerca(img, -r * std::cos(PI / 8), -r * std::sin(PI / 8), 3));  // the open gap
        const bool cabezaArriba = hayTonoCerca(img, ax + 0.6 * 0.7 * kH, ay + 0.6 * kH, kFuerza);
        const bool cabezaAbajo = hayTonoCerca(img, bx + 0.6 * kH, by - 0.6 * 0.1 * kH, kFuerza);
        EXPECT_EQ(cabezaArriba, mz > 0);
        EXPECT_EQ(cabezaAbajo, mz < 0);
    }
}

// Flag 14 off: the force labels stay, the moment label goes.
TEST_F(DibujoCargas, EtiquetasSegunFlag14)
{
    nudoCargado(0, 0, 5);
    plotCarga(0, 1);
    const ImagenGL con = ImagenGL::leer();
    limpiar();
    flags[14] = 0;
    plotCarga(0, 1);
    const ImagenGL sin = ImagenGL::leer();
    // The moment label at (1.7 h, 0.3 h): "5.00" right of the arc.
    auto tintaEtiqueta = [&](const ImagenGL& img) {
        int n = 0;
        for (int y = fila(0.3 * kH + escalaTexto); y <= fila(0.3 * kH); ++y)
            for (int x = columna(1.7 * kH); x < columna(1.7 * kH + 1.0); ++x)
                n += mismoTono(img.en(x, y), kFuerza);
        return n;
    };
    EXPECT_GT(tintaEtiqueta(con), 50);
    EXPECT_EQ(tintaEtiqueta(sin), 0);

    limpiar();
    prueba::reiniciarEstado();
    nudoCargado(10, 0, 0);
    plotCarga(0, 0.1);
    EXPECT_TRUE(hayTonoCerca(ImagenGL::leer(), -1 + 0.05, 0.1, kFuerza, 8));  // "10.00" at the tail
}

// ---------------------------------------------------------------------------------------
// Distributed loads in the bar frame.

// Rising from 0 at the start to 10 along -y: arrows from above ending on the axis at ten
// of the eleven stations, the line through their tails from the start of the axis.
TEST_F(DibujoCargas, CargaTransversalTriangular)
{
    barraCargada(0, 0, 0, -10);
    flags[14] = 0;
    const double s = 0.1;  // 10 per unit length drawn 1 unit high
    plotCarga(0, s);
    const ImagenGL img = ImagenGL::leer();
    for (int j = 1; j <= 10; ++j) {
        const double x = -2 + 0.4 * j, q = j;  // q_j = 10 j / 10
        EXPECT_TRUE(hayTonoCerca(img, x, 0.5 * q * s - 0.02, kTransversal, 0)) << j;  // shaft
        EXPECT_TRUE(hayTonoCerca(img, x + 0.6 * kH / 3, 0.6 * kH, kTransversal)) << j;  // head
    }
    EXPECT_TRUE(hayTonoCerca(img, 0, 0.5, kTransversal));   // tail line at mid-span
    EXPECT_FALSE(hayTintaCerca(img, 0, -0.5, 3));           // nothing below the axis
    EXPECT_FALSE(hayTintaCerca(img, -2 + kH / 3, kH, 2));  // no head at the start station
}

// Bars at any angle: the load is drawn in the bar frame, from the start node (x0, y0) with
// x along the bar (cos, sin) and y its local y (-sin, cos), so a bar-frame point (xl, yl)
// lies at (x0 + xl cos - yl sin, y0 + xl sin + yl cos). Labels follow the bar frame.
struct MarcoDeBarra {
    double x0, y0, c, s;
    double x(double xl, double yl) const { return x0 + xl * c - yl * s; }
    double y(double xl, double yl) const { return y0 + xl * s + yl * c; }
};

struct CasoInclinada {
    const char* nombre;
    double xi, yi, xf, yf;  // the bar, start to end
    double q;               // uniform local transverse intensity
};
void PrintTo(const CasoInclinada& c, std::ostream* os) { *os << c.nombre; }

const CasoInclinada kInclinadas[] = {
    // Length 5 at atan(4/3) = 53.13 degrees; q along local -y, the arrows from its +y side.
    {"Inclinada", -1.5, -2.5, 1.5, 1.5, -10},
    // Length 4 drawn leftwards: local y points down, so q = +10 loads it downwards and the
    // arrows come from above.
    {"HaciaLaIzquierda", 2, 0, -2, 0, 10},
};

class CargaEnBarraGirada : public DibujoCargas, public ::testing::WithParamInterface<CasoInclinada> {};

// Eleven arrows of length |q| s ending on the axis and pointing along the load, the line
// through their tails, and the two labels in the bar frame at (0.1 L, -q s) and, ending
// there, (0.9 L, -q s).
TEST_P(CargaEnBarraGirada, FlechasYEtiquetasEnElMarcoDeLaBarra)
{
    const CasoInclinada& caso = GetParam();
    prueba::agregarNudo(caso.xi, caso.yi, 0, 0, 0);
    prueba::agregarNudo(caso.xf, caso.yf, 0, 0, 0);
    prueba::agregarBarra(0, 1, 1000, 1, 1);
    barra[0].setCargaLocal("q", 0, 0, caso.q, caso.q);
    prueba::agregarCombo("C", 1, "q");
    mostrarTodo();
    const double L = std::hypot(caso.xf - caso.xi, caso.yf - caso.yi);
    const MarcoDeBarra m{caso.xi, caso.yi, (caso.xf - caso.xi) / L, (caso.yf - caso.yi) / L};
    const double s = 0.1;
    const double cola = -caso.q * s;  // bar-frame y of the tails: 1 unit off the axis
    const double lado = cola > 0 ? 1 : -1;

    registro::vaciar();
    plotCarga(0, s);
    const ImagenGL img = ImagenGL::leer();
    for (int j = 0; j <= 10; ++j) {
        SCOPED_TRACE(j);
        const double xl = j * L / 10;
        EXPECT_TRUE(hayTonoCerca(img, m.x(xl, cola / 2), m.y(xl, cola / 2), kTransversal));  // shaft
        // Head strokes back from the tip on the axis towards the tail, h / 3 to each side.
        for (double lateral : {-1.0, 1.0}) {
            const double xh = xl + lateral * 0.6 * kH / 3, yh = lado * 0.6 * kH;
            EXPECT_TRUE(hayTonoCerca(img, m.x(xh, yh), m.y(xh, yh), kTransversal));
        }
    }
    // The tail line between stations 4 and 5, and nothing on the other side of the axis.
    EXPECT_TRUE(hayTonoCerca(img, m.x(0.45 * L, cola), m.y(0.45 * L, cola), kTransversal));
    EXPECT_FALSE(hayTintaCerca(img, m.x(0.45 * L, -cola / 2), m.y(0.45 * L, -cola / 2), 3));

    const double avance = 104.76 * escalaTexto * 0.006562541015881349;
    const std::vector<registro::Rotulo> etiquetas = registro::rotulos();
    ASSERT_EQ(etiquetas.size(), 2u);
    const double inicio[2] = {0.1 * L, 0.9 * L - 5 * avance};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(etiquetas[i].texto, "10.00");
        EXPECT_NEAR(etiquetas[i].primero.x, m.x(inicio[i], cola), 1e-3);
        EXPECT_NEAR(etiquetas[i].primero.y, m.y(inicio[i], cola), 1e-3);
        // Along the bar, never turned.
        const double largo = std::hypot(etiquetas[i].primero.dx, etiquetas[i].primero.dy);
        EXPECT_NEAR(etiquetas[i].primero.dx / largo, m.c, 1e-6);
        EXPECT_NEAR(etiquetas[i].primero.dy / largo, m.s, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(Angulos, CargaEnBarraGirada, ::testing::ValuesIn(kInclinadas),
                         [](const auto& i) { return std::string(i.param.nombre); });

// An axial load along local +x on a bar drawn leftwards: the arrowheads point to -X on
// screen; the labels at (0.1 L, -1.1 t) and, ending there, (0.9 L, -1.2 t) in the bar
// frame, that is above the bar and running leftwards.
TEST_F(DibujoCargas, CargaAxialEnBarraHaciaLaIzquierda)
{
    prueba::agregarNudo(2, 0, 0, 0, 0);
    prueba::agregarNudo(-2, 0, 0, 0, 0);
    prueba::agregarBarra(0, 1, 1000, 1, 1);
    barra[0].setCargaLocal("q", 4, 4, 0, 0);
    prueba::agregarCombo("C", 1, "q");
    mostrarTodo();
    zCam = 20;  // heads of h = 0.2, half the station spacing
    const double h = 0.2, t = escalaTexto;
    registro::vaciar();
    plotCarga(0, 1);
    const ImagenGL img = ImagenGL::leer();
    // At mid-span (x = 0) a head pointing to -X: strokes back to (+h, +-h/3).
    EXPECT_TRUE(hayTonoCerca(img, 0.6 * h, 0.6 * h / 3, kAxialCarga));
    EXPECT_TRUE(hayTonoCerca(img, 0.6 * h, -0.6 * h / 3, kAxialCarga));
    EXPECT_FALSE(hayTintaCerca(img, -0.6 * h, 0.6 * h / 3, 2));

    const double avance = 104.76 * t * 0.006562541015881349;
    const std::vector<registro::Rotulo> etiquetas = registro::rotulos();
    ASSERT_EQ(etiquetas.size(), 2u);
    // Bar frame (xl, yl) at (2 - xl, -yl).
    EXPECT_EQ(etiquetas[0].texto, "4.00");
    EXPECT_NEAR(etiquetas[0].primero.x, 2 - 0.4, 1e-3);
    EXPECT_NEAR(etiquetas[0].primero.y, 1.1 * t, 1e-3);
    EXPECT_EQ(etiquetas[1].texto, "4.00");
    EXPECT_NEAR(etiquetas[1].primero.x, 2 - (3.6 - 4 * avance), 1e-3);
    EXPECT_NEAR(etiquetas[1].primero.y, 1.2 * t, 1e-3);
    for (const registro::Rotulo& e : etiquetas)
        EXPECT_LT(e.primero.dx, 0);
}

struct CasoUmbral {
    const char* nombre;
    double fi, ff, qi, qf;
    bool transversal, axial;
};

void PrintTo(const CasoUmbral& c, std::ostream* os) { *os << c.nombre; }

const CasoUmbral kUmbrales[] = {
    {"AmbasEnElUmbral", 1e-5, -1e-5, 1e-5, -1e-5, false, false},
    {"TransversalSobreElUmbral", 0, 0, 0, -1.1e-5, true, false},
    {"AxialSobreElUmbral", 1.1e-5, 0, 0, 0, false, true},
};

class Umbral : public DibujoCargas, public ::testing::WithParamInterface<CasoUmbral> {};

TEST_P(Umbral, CargaMinima)
{
    const CasoUmbral& caso = GetParam();
    barraCargada(caso.fi, caso.ff, caso.qi, caso.qf);
    plotCarga(0, 1);
    const ImagenGL img = ImagenGL::leer();
    EXPECT_EQ(caja(img, kEtiquetaTransversal).n > 0, caso.transversal);
    EXPECT_EQ(caja(img, kAxialCarga).n > 0, caso.axial);
    EXPECT_EQ(caja(img, kEtiquetaAxial).n > 0, caso.axial);
}

INSTANTIATE_TEST_SUITE_P(Intensidades, Umbral, ::testing::ValuesIn(kUmbrales),
                         [](const auto& i) { return std::string(i.param.nombre); });

// Axial arrowheads point along the mean intensity; Fi = -Ff draws none, only the labels.
TEST_F(DibujoCargas, CargaAxial)
{
    barraCargada(4, 2, 0, 0);
    zCam = 20;  // heads of h = 0.2, half the station spacing
    const double h = 0.2;
    plotCarga(0, 1);
    const ImagenGL img = ImagenGL::leer();
    // At mid-span a head pointing along +x: strokes back to (-h, +-h/3).
    EXPECT_TRUE(hayTonoCerca(img, -0.6 * h, 0.6 * h / 3, kAxialCarga));
    EXPECT_FALSE(hayTintaCerca(img, 0.6 * h, 0.6 * h / 3, 2));

    limpiar();
    prueba::reiniciarEstado();
    barraCargada(-4, -2, 0, 0);
    plotCarga(0, 1);
    const ImagenGL compresion = ImagenGL::leer();
    EXPECT_TRUE(hayTonoCerca(compresion, 0.6 * h, 0.6 * h / 3, kAxialCarga));
    EXPECT_FALSE(hayTintaCerca(compresion, -0.6 * h, 0.6 * h / 3, 2));

    limpiar();
    prueba::reiniciarEstado();
    barraCargada(3, -3, 0, 0);
    plotCarga(0, 1);
    const ImagenGL opuesta = ImagenGL::leer();
    EXPECT_EQ(caja(opuesta, kAxialCarga).n, 0);
    const Caja etiquetas = caja(opuesta, kEtiquetaAxial);
    EXPECT_GT(etiquetas.n, 0);
    EXPECT_GE(etiquetas.y0, fila(-1.1 * escalaTexto + escalaTexto) - 1);  // below the axis
    EXPECT_GE(etiquetas.x0, columna(-2 + 0.4) - 1);
    EXPECT_LE(etiquetas.x1, columna(-2 + 3.6) + 1);
}

// ---------------------------------------------------------------------------------------
// Reactions: one "Rx: ", "Ry: ", "Mz: " line per held or spring-supported direction, at
// (0.1, 0), (0.1, -t), ... from the node, signed.

TEST_F(DibujoCargas, EtiquetasDeReaccion)
{
    // Beam of span 4: node 0 at (-2, 0) held in X and rotation, node 1 at (2, 0) held in Y
    // (code 2 in X, no spring), uniform load 10 down.
    prueba::agregarNudo(-2, 0, 1, 0, 1);
    prueba::agregarNudo(2, 0, 2, 1, 0);
    prueba::agregarBarra(0, 1, 1000, 1, 1);
    barra[0].setCargaLocal("q", 0, 0, -10, -10);
    prueba::agregarCombo("C", 1, "q");
    funcionSolucionU();
    mostrarTodo();
    // Equilibrium: the roller carries the whole load, Ry = q L = 40 up; the clamp carries
    // M = -q L^2 / 2 = -80 (clockwise on the structure).
    EXPECT_NEAR(nudo[1].getReaccionY(0), 40, 1e-9);
    EXPECT_NEAR(nudo[0].getReaccionM(0), -80, 1e-9);

    plotReacciones(0);
    const ImagenGL img = ImagenGL::leer();
    limpiar();
    glColor3f(1, 0, 0);
    char texto[64];
    const double t = escalaTexto;
    std::snprintf(texto, sizeof texto, "Rx: %.2f", nudo[0].getReaccionX(0));
    drawTextoEscalado(-2 + 0.1, 0, texto, t);
    drawTextoEscalado(-2 + 0.1, -t, "Mz: -80.00", t);
    drawTextoEscalado(2 + 0.1, 0, "Ry: 40.00", t);
    EXPECT_TRUE(igualesImagenes(img, ImagenGL::leer()));
}

TEST_F(DibujoCargas, ReaccionDeResorteSinApoyo)
{
    // A vertical bar on a Y spring at its foot, held in X and rotation at its head.
    prueba::agregarNudo(0, -2, 0, 0, 0);
    prueba::agregarNudo(0, 2, 1, 0, 1);
    prueba::agregarBarra(0, 1, 1000, 1, 1);
    nudo[0].setResorte(0, 500, 0);
    nudo[0].setCargaPuntual("P", 0, -5, 0);
    prueba::agregarCombo("C", 1, "P");
    funcionSolucionU();
    mostrarTodo();
    nudosAislados(1) = 0;
    EXPECT_NEAR(nudo[0].getReaccionY(0), 5, 1e-9);  // the spring carries the load
    plotReacciones(0);
    const ImagenGL img = ImagenGL::leer();
    limpiar();
    glColor3f(1, 0, 0);
    drawTextoEscalado(0.1, -2, "Ry: 5.00", escalaTexto);
    EXPECT_TRUE(igualesImagenes(img, ImagenGL::leer()));
}

TEST_F(DibujoCargas, ReaccionConMuchosDecimales)
{
    prueba::agregarNudo(0, 0, 1, 1, 1);
    prueba::agregarNudo(2, 0, 0, 0, 0);
    prueba::agregarBarra(0, 1, 1000, 1, 1);
    nudo[1].setCargaPuntual("P", 0, -1, 0);
    prueba::agregarCombo("C", 1, "P");
    funcionSolucionU();
    mostrarTodo();
    nudosAislados(1) = 0;
    precision = 12;
    escalaTexto = 0.15;
    plotReacciones(0);
    // "Ry: 1.000000000000", 18 characters on the second line (baseline at -t), drawn whole.
    const ImagenGL img = ImagenGL::leer();
    const double t = escalaTexto;
    int derecha = -1;
    for (int y = fila(-0.3 * t); y <= fila(-t); ++y)
        for (int x = 0; x < img.ancho; ++x)
            if (mismoTono(img.en(x, y), kReaccion))
                derecha = std::max(derecha, x);
    const double avance = 104.76 * t * 0.006562541015881349;
    EXPECT_GT(derecha, columna(0.1 + 17 * avance));
    EXPECT_LE(derecha, columna(0.1 + 18 * avance) + 1);
    EXPECT_NEAR(nudo[0].getReaccionY(0), 1, 1e-9);

    // 97 decimals: the number takes 99 characters ("1." or "0." and 97 decimals) and
    // follows "Ry: " whole, its last glyph 102 advances from the label's start at (0.1, -t).
    precision = 97;
    registro::vaciar();
    plotReacciones(0);
    char numero[128];
    ASSERT_EQ(std::snprintf(numero, sizeof numero, "%.97f", nudo[0].getReaccionY(0)), 99);
    const std::string etiqueta = std::string("Ry: ") + numero;
    const std::vector<registro::Rotulo> ry = registro::buscar(etiqueta);
    ASSERT_EQ(ry.size(), 1u);
    EXPECT_NEAR(ry[0].primero.x, 0.1, 1e-5);
    EXPECT_NEAR(ry[0].primero.y, -t, 1e-5);
    EXPECT_NEAR(ry[0].ultimo.x, 0.1 + 102 * avance, 0.01 * avance);
    EXPECT_NEAR(ry[0].ultimo.y, -t, 1e-5);
}

}  // namespace
