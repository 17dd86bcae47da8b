// Result diagrams read back from the window, on small frames built through the setters and
// solved by funcionSolucionU. View: 0.01 model units per pixel (a 4-unit bar spans 400
// pixels), so an ordinate of 1 model unit is 100 pixels.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "elementosPlot.h"
#include "funcionPlot.h"
#include "funcionSolucionU.h"
#include "lienzo.h"
#include "modeloDePrueba.h"
#include "registroFuentes.h"

namespace {

const Tono kMomento{0.7f, 0.2f, 0.0f};
const Tono kCortante{0.5f, 0.5f, 0.0f};
const Tono kOrdenadaCortante{0.4f, 0.4f, 0.0f};
const Tono kAxial{0.0f, 0.2f, 0.7f};
const Tono kEtiquetaAxial{0.4f, 0.4f, 0.9f};
const Tono kDeformada{0.0f, 0.7f, 0.7f};
const Tono kEtiquetaDeformada{0.7f, 0.7f, 0.7f};

constexpr double kPixel = 0.01;

class DibujoResultados : public Lienzo {
protected:
    void SetUp() override
    {
        Lienzo::SetUp();
        prueba::reiniciarEstado();
        reiniciarModelo();
        vista(kPixel, 100, 300);
        escalaTexto = 0.3;
        xMin = 0;
        xMax = 4;
    }

    // Simply supported beam of span 8 along +x from the origin, uniform load q along -y:
    // R = q L / 2, V(x) = q (L/2 - x), M(x) = q x (L - x) / 2, Mmax = q L^2 / 8 at L/2.
    void vigaSimple(double q)
    {
        prueba::agregarNudo(0, 0, 1, 1, 0);
        prueba::agregarNudo(8, 0, 0, 1, 0);
        prueba::agregarBarra(0, 1, 2e8, 1, 1e-3);
        barra[0].setCargaLocal("q", 0, 0, -q, -q);
        prueba::agregarCombo("C", 1, "q");
        funcionSolucionU();
        mostrarTodo();
    }

    // A bar of span 8 along X from (xa, 0) to (xb, 0), its start fully held and its end
    // held by the codes (finX, finY, finGiro), under a local transverse load from qi to qf.
    void barraEmpotrada(double xa, double xb, int finX, int finY, int finGiro, double qi, double qf)
    {
        prueba::agregarNudo(xa, 0, 1, 1, 1);
        prueba::agregarNudo(xb, 0, finX, finY, finGiro);
        prueba::agregarBarra(0, 1, 2e8, 1, 1e-3);
        barra[0].setCargaLocal("q", 0, 0, qi, qf);
        prueba::agregarCombo("C", 1, "q");
        funcionSolucionU();
        mostrarTodo();
    }

    // Pixels of colour t inside the window's rows [fila0, fila1] only.
    static int contarFuera(const ImagenGL& img, const Tono& t, int fila0, int fila1)
    {
        int n = 0;
        for (int y = 0; y < img.alto; ++y)
            for (int x = 0; x < img.ancho; ++x)
                if ((y < fila0 || y > fila1) && mismoTono(img.en(x, y), t))
                    ++n;
        return n;
    }

    static bool igualesEnRegion(const ImagenGL& a, const ImagenGL& b, int x0, int y0, int x1, int y1)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (!(a.en(x, y) == b.en(x, y)))
                    return false;
        return true;
    }
};

// ---------------------------------------------------------------------------------------
// Bending moment: on the stretched side, largest at mid-span, Mmax x escalaM deep.

TEST_F(DibujoResultados, MomentoBajoLaVigaConSuMaximoAlCentro)
{
    const double q = 10;
    vigaSimple(q);
    flags[14] = 0;
    flags[15] = 0;
    const double mMax = q * 8 * 8 / 8;  // 80
    escalaM = 2.0 / mMax;                // Mmax drawn 2 model units = 200 pixels deep
    plotMomento(0, escalaM);
    const ImagenGL img = ImagenGL::leer();

    // A downward load stretches the bottom fibre: every moment pixel lies on or below the
    // beam's axis.
    const Caja c = caja(img, kMomento);
    ASSERT_FALSE(c.vacia());
    EXPECT_GE(c.y0, fila(0) - 1);
    EXPECT_NEAR(c.y1, fila(-mMax * escalaM), 1);
    EXPECT_NEAR(c.y1 - fila(0), mMax * escalaM / kPixel, 1);
    // The deepest point is at mid-span, and the diagram is symmetric about it.
    EXPECT_TRUE(hayTonoCerca(img, 4, -mMax * escalaM, kMomento));
    EXPECT_NEAR((c.x0 + c.x1) / 2.0, columna(4), 1);
    // Quarter span: M = q (L/4)(3L/4) / 2 = 60.
    EXPECT_TRUE(hayTonoCerca(img, 2, -60 * escalaM, kMomento));
    EXPECT_TRUE(hayTonoCerca(img, 6, -60 * escalaM, kMomento));
}

// Labels: the end values set in by L/50, the maximum centred at the zero-shear point, in the
// diagram's colour; the same picture as the diagram without labels plus those three texts.
TEST_F(DibujoResultados, EtiquetasDelMomento)
{
    vigaSimple(10);
    const double s = 2.0 / 80;
    const Eigen::MatrixXd m = barra[0].getSolicitacionMomento(0, 21);
    plotMomento(0, s);
    const ImagenGL conEtiquetas = ImagenGL::leer();

    limpiar();
    flags[14] = 0;
    plotMomento(0, s);
    glColor3f(0.7f, 0.2f, 0.0f);
    const double margen = 8.0 / 50;
    drawNumFloat(margen, -m(1, 0) * s, m(1, 0), precision, escalaTexto);
    drawNumFloatRight(8 - margen, -m(1, 20) * s, m(1, 20), precision, escalaTexto);
    drawNumFloatCenter(4, -80 * s, 80, precision, escalaTexto);
    EXPECT_TRUE(igualesImagenes(conEtiquetas, ImagenGL::leer()));
}

// ---------------------------------------------------------------------------------------
// Shear: positive on the local +y side, so above the beam near the left support and below
// it near the right one; "x0= " at the zero-shear point; no extreme label for a linear
// shear (its largest magnitude is at station 0).

TEST_F(DibujoResultados, SignoDelCortante)
{
    const double q = 10;
    vigaSimple(q);
    flags[14] = 0;
    flags[15] = 0;
    const double s = 0.05;  // V(0) = 40 drawn 2 units = 200 pixels
    plotCortante(0, s);
    const ImagenGL img = ImagenGL::leer();
    // V(0.4) = 36 above, V(7.6) = -36 below; the end ordinates are drawn too.
    EXPECT_TRUE(hayTonoCerca(img, 0.4, 36 * s, kCortante));
    EXPECT_TRUE(hayTonoCerca(img, 7.6, -36 * s, kCortante));
    EXPECT_TRUE(hayTonoCerca(img, 0, 20 * s, kOrdenadaCortante));
    EXPECT_TRUE(hayTonoCerca(img, 8, -20 * s, kOrdenadaCortante));
    EXPECT_FALSE(hayTintaCerca(img, 0.4, -36 * s, 2));
    EXPECT_FALSE(hayTintaCerca(img, 7.6, 36 * s, 2));
    EXPECT_TRUE(hayTonoCerca(img, 4, 0, kCortante));  // zero at mid-span
}

TEST_F(DibujoResultados, EtiquetasDelCortante)
{
    vigaSimple(10);
    const double s = 0.05;
    const Eigen::MatrixXd v = barra[0].getSolicitacionCortante(0, 21);
    plotCortante(0, s);
    const ImagenGL conEtiquetas = ImagenGL::leer();

    limpiar();
    flags[14] = 0;
    plotCortante(0, s);
    glColor3f(0.5f, 0.5f, 0.0f);
    drawNumFloat(0, v(1, 0) * s, v(1, 0), precision, escalaTexto);
    drawNumFloatRight(8, v(1, 20) * s, v(1, 20), precision, escalaTexto);
    drawTextoEscalado(4, 0.2 * escalaTexto, "x0= 4.00", escalaTexto);
    EXPECT_TRUE(igualesImagenes(conEtiquetas, ImagenGL::leer()));
}

// The "x0= " label is the prefix and the whole number label: with 97 decimals an abscissa
// near 4 takes 99 characters ("4." or "3." and 97 decimals), so the label holds 103.
TEST_F(DibujoResultados, EtiquetaX0EnteraConMuchosDecimales)
{
    vigaSimple(10);
    const double xv = barra[0].getXvcero(0);
    ASSERT_NEAR(xv, 4, 1e-9);  // mid-span
    precision = 97;
    registro::vaciar();
    plotCortante(0, 0.05);
    char numero[128];
    ASSERT_EQ(std::snprintf(numero, sizeof numero, "%.97f", xv), 99);
    EXPECT_EQ(registro::buscar(std::string("x0= ") + numero).size(), 1u);
}

// Cantilever of length 8 fixed at the origin under a transverse load falling linearly
// from +10 to -10: no net load, so V is 0 at both ends and largest at mid-span, where the
// load changes sign: |V(L/2)| = q0 L / 4 = 20. That value is labelled at station 10.
TEST_F(DibujoResultados, ExtremoInteriorDelCortante)
{
    barraEmpotrada(0, 8, 0, 0, 0, 10, -10);
    const double s = 0.05;  // 20 drawn 1 unit from the axis
    const double vMedio = barra[0].getSolicitacionCortante(0, 21)(1, 10);
    ASSERT_NEAR(std::abs(vMedio), 20, 1e-6);
    const double y = vMedio * s;

    // Label ink: the text starting at (4, V s), above that point whatever the sign.
    auto tintaEnEtiqueta = [&](const ImagenGL& img) {
        int n = 0;
        for (int py = fila(y + 0.8 * escalaTexto); py <= fila(y + 0.1 * escalaTexto); ++py)
            for (int px = columna(4.05); px < columna(4 + 5 * 0.206); ++px)
                n += mismoTono(img.en(px, py), kCortante);
        return n;
    };
    flags[15] = 0;
    plotCortante(0, s);
    const int con = tintaEnEtiqueta(ImagenGL::leer());
    limpiar();
    flags[14] = 0;
    plotCortante(0, s);
    const int sin = tintaEnEtiqueta(ImagenGL::leer());
    EXPECT_GT(con, sin + 50);
}

// Flag 15 off: only the two end ordinate lines of the 21.
TEST_F(DibujoResultados, LineasDeOrdenadaSegunFlag15)
{
    vigaSimple(10);
    flags[14] = 0;
    const Tono ordenada{0.5f, 0.1f, 0.0f};
    const double s = 2.0 / 80;
    plotMomento(0, s);
    const ImagenGL todas = ImagenGL::leer();
    // Halfway down each interior station's ordinate: M(0.4 k) / 2.
    for (int k = 1; k < 20; ++k) {
        const double x = 0.4 * k;
        EXPECT_TRUE(hayTonoCerca(todas, x, -10 * x * (8 - x) / 2 * s / 2, ordenada, 0)) << k;
    }
    limpiar();
    flags[15] = 0;
    plotMomento(0, s);
    EXPECT_EQ(caja(ImagenGL::leer(), ordenada).n, 0);  // the end ordinates have zero length
}

// ---------------------------------------------------------------------------------------
// Axial force: tension on the local +y side, and the 180-degree turn of the labels of bars
// beyond 90 degrees.

// A bar of length 4 from the origin towards (bx, by), held fully at the origin, pulled at
// its free end along its axis by P = 10: N = +10 everywhere.
struct CasoGiro {
    const char* nombre;
    double bx, by;
    bool girada;
};

void PrintTo(const CasoGiro& c, std::ostream* os) { *os << c.nombre; }

const double kDiag = 4 / std::sqrt(2.0);
const CasoGiro kGiros[] = {
    {"Grados0", 4, 0, false},      {"Grados90", 0, 4, false},          {"Grados135", -kDiag, kDiag, true},
    {"Grados180", -4, 0, true},    {"GradosMenos135", -kDiag, -kDiag, false},
    {"GradosMenos90", 0, -4, false}, {"Grados45", kDiag, kDiag, false},
};

class GiroDeEtiquetas : public DibujoResultados, public ::testing::WithParamInterface<CasoGiro> {};

TEST_P(GiroDeEtiquetas, AxialEnTraccion)
{
    const CasoGiro& caso = GetParam();
    vista(kPixel, kAnchoVentana / 2, kAltoVentana / 2);
    const double P = 10, s = 0.1;  // N s = 1 model unit
    prueba::agregarNudo(0, 0, 1, 1, 1);
    prueba::agregarNudo(caso.bx, caso.by, 0, 0, 0);
    prueba::agregarBarra(0, 1, 2e8, 1, 1e-3);
    nudo[1].setCargaPuntual("P", P * caso.bx / 4, P * caso.by / 4, 0);
    prueba::agregarCombo("C", 1, "P");
    funcionSolucionU();
    mostrarTodo();
    plotAxial(0, s);
    const ImagenGL img = ImagenGL::leer();

    // Bar frame: x along the bar, y its local y (the bar's direction turned by +90 degrees).
    const double cx = caso.bx / 4, cy = caso.by / 4;
    auto enMarco = [&](int px, int py, double& xb, double& yb) {
        const double X = (px - origenX) * kPixel, Y = (origenY - py) * kPixel;
        xb = cx * X + cy * Y;
        yb = -cy * X + cx * Y;
    };

    // The diagram runs parallel to the bar at +N s: tension on the local +y side.
    double xb, yb;
    int lineas = 0, sobre = 0;
    double yFuera = 0, xFuera = 0;
    double sumaY = 0;
    int etiquetas = 0;
    double xbMin = 1e9, xbMax = -1e9;
    for (int y = 0; y < img.alto; ++y)
        for (int x = 0; x < img.ancho; ++x) {
            const Pixel p = img.en(x, y);
            if (mismoTono(p, kAxial)) {
                enMarco(x, y, xb, yb);
                ++lineas;
                if (std::abs(yb - P * s) < 0.02 || std::abs(xb) < 0.02 || std::abs(xb - 4) < 0.02)
                    ++sobre;
                else {
                    yFuera = yb;
                    xFuera = xb;
                }
            } else if (mismoTono(p, kEtiquetaAxial)) {
                enMarco(x, y, xb, yb);
                ++etiquetas;
                sumaY += yb;
                xbMin = std::min(xbMin, xb);
                xbMax = std::max(xbMax, xb);
            }
        }
    ASSERT_GT(lineas, 200);
    EXPECT_EQ(sobre, lineas) << "fuera " << yFuera << ", " << xFuera;

    // Unturned labels stand on the ordinate line (baseline at N s, glyphs towards local +y);
    // turned ones hang from it. Either way both stay inset one station from the bar ends.
    ASSERT_GT(etiquetas, 0);
    const double yMedio = sumaY / etiquetas;
    if (caso.girada)
        EXPECT_LT(yMedio, P * s - 0.05);
    else
        EXPECT_GT(yMedio, P * s + 0.05);
    EXPECT_GT(xbMin, 0.2 - 0.02);
    EXPECT_LT(xbMax, 3.8 + 0.02);
}

INSTANTIATE_TEST_SUITE_P(Angulos, GiroDeEtiquetas, ::testing::ValuesIn(kGiros),
                         [](const auto& i) { return std::string(i.param.nombre); });

// ---------------------------------------------------------------------------------------
// Shear and moment labels of a bar drawn leftwards (180 degrees), turned so that they read
// left to right. Bar frame at the start node A = (8, 0): x along -X, y along -Y, so the
// bar-frame point (x, y) is (8 - x, -y); a label turned about its anchor runs along +X
// from there. Where each text starts, from the label table by hand.

struct LugarDeEtiqueta {
    std::string texto;
    double x, y;  // start of the text's baseline, model units
};

class EtiquetasGiradas : public DibujoResultados {
protected:
    void SetUp() override
    {
        DibujoResultados::SetUp();
        vista(kPixel, kAnchoVentana / 2, kAltoVentana / 2);
        avance = 104.76 * escalaTexto * 0.006562541015881349;
    }

    // Every expected text drawn once, starting where expected, reading along +X.
    void comprobar(const std::vector<LugarDeEtiqueta>& esperadas) const
    {
        std::vector<registro::Rotulo> dibujadas = registro::rotulos();
        EXPECT_EQ(dibujadas.size(), esperadas.size());
        for (const LugarDeEtiqueta& e : esperadas) {
            SCOPED_TRACE(e.texto);
            auto r = std::find_if(dibujadas.begin(), dibujadas.end(), [&](const registro::Rotulo& d) {
                return d.texto == e.texto && std::abs(d.primero.x - e.x) < 1e-3 && std::abs(d.primero.y - e.y) < 1e-3;
            });
            ASSERT_NE(r, dibujadas.end());
            EXPECT_GT(r->primero.dx, 0);
            EXPECT_NEAR(r->primero.dy, 0, 1e-6);
            dibujadas.erase(r);
        }
    }

    double avance = 0;
};

// Span 8 from A = (8, 0), fully held, to B = (0, 0), held but for X; uniform load 10
// downwards, that is along the leftward bar's local +y (q = +10). Clamped both ends, by
// hand in the bar frame: V(x) = q (x - L/2), so V(0) = -40 and V(L) = 40, zero at L/2;
// M(x) = q (x - L/2)^2 / 2 - q L^2 / 24: 53.33 at both ends, -26.67 at mid-span.
TEST_F(EtiquetasGiradas, CortanteYMomentoDeUnaBarraHaciaLaIzquierda)
{
    barraEmpotrada(8, 0, 0, 1, 1, 10, 10);
    ASSERT_NEAR(barra[0].getAngulo(), PI, 1e-12);
    const Eigen::MatrixXd v = barra[0].getSolicitacionCortante(0, 21);
    const Eigen::MatrixXd m = barra[0].getSolicitacionMomento(0, 21);
    ASSERT_NEAR(v(1, 0), -40, 1e-6);
    ASSERT_NEAR(v(1, 20), 40, 1e-6);
    ASSERT_NEAR(m(1, 0), 160.0 / 3, 1e-6);
    ASSERT_NEAR(m(1, 10), -80.0 / 3, 1e-6);
    const double t = escalaTexto;

    // Shear, s = 0.05. Start: anchor (0, -40 s), drawn from it: (8, 2). End: anchor
    // (8, 40 s) at (0, -2), the text ending there. "x0= ": anchor (4, 0) at (4, 0), the
    // text raised 0.2 t.
    registro::vaciar();
    plotCortante(0, 0.05);
    comprobar({{"-40.00", 8, 2}, {"40.00", -5 * avance, -2}, {"x0= 4.00", 4, 0.2 * t}});

    // Moment, s = 0.025, ordinate -M s. Start: anchor (0, -53.33 s) at (8, 1.333), the text
    // from L/50 beyond it. End: anchor (8, -53.33 s) at (0, 1.333), the text ending L/50
    // beyond it. Extreme: anchor (4, 26.67 s) at (4, -0.667), the text centred there.
    registro::vaciar();
    plotMomento(0, 0.025);
    const double yExtremo = 160.0 / 3 * 0.025;
    comprobar({{"53.33", 8 + 8.0 / 50, yExtremo},
               {"53.33", -8.0 / 50 - 5 * avance, yExtremo},
               {"-26.67", 4 - 3 * avance, -80.0 / 3 * 0.025}});
}

// Cantilever of span 8 held at A = (8, 0), drawn leftwards to B = (0, 0), under a local
// load falling from +10 to -10: V(x) = q0 x (L - x) / L by hand, zero at both ends and 20
// at mid-span, station 10. The extreme label: anchor (4, 20 s) at (4, -20 s), drawn from it.
TEST_F(EtiquetasGiradas, ExtremoDelCortanteDeUnaBarraHaciaLaIzquierda)
{
    barraEmpotrada(8, 0, 0, 0, 0, 10, -10);
    ASSERT_NEAR(barra[0].getSolicitacionCortante(0, 21)(1, 10), 20, 1e-6);
    registro::vaciar();
    plotCortante(0, 0.05);
    const std::vector<registro::Rotulo> extremo = registro::buscar("20.00");
    ASSERT_EQ(extremo.size(), 1u);
    EXPECT_NEAR(extremo[0].primero.x, 4, 1e-3);
    EXPECT_NEAR(extremo[0].primero.y, -20 * 0.05, 1e-3);
    EXPECT_GT(extremo[0].primero.dx, 0);
}

// ---------------------------------------------------------------------------------------
// Deformed shape: cantilever of length 4 along +x, tip load P down, EI = 64:
// v(x) = -P x^2 (3L - x) / (6 EI), tip v(L) = -P L^3 / (3 EI) = -1.

class Deformada : public DibujoResultados {
protected:
    void voladizo()
    {
        prueba::agregarNudo(0, 0, 1, 1, 1);
        prueba::agregarNudo(4, 0, 0, 0, 0);
        prueba::agregarBarra(0, 1, 1000, 1, 0.064);
        nudo[1].setCargaPuntual("P", 0, -3, 0);
        prueba::agregarCombo("C", 1, "P");
        funcionSolucionU();
        mostrarTodo();
    }
};

TEST_F(Deformada, PasaPorLosNudosDesplazados)
{
    voladizo();
    flags[14] = 0;
    flags[16] = 0;
    plotDeformada(0, 1);
    const ImagenGL img = ImagenGL::leer();
    EXPECT_TRUE(hayTonoCerca(img, 0, 0, kDeformada));
    EXPECT_TRUE(hayTonoCerca(img, 4, -1, kDeformada));
    EXPECT_TRUE(hayTonoCerca(img, 2, -3.0 * 4 * 10 / (6 * 64), kDeformada));  // v(2) = -0.3125
    EXPECT_FALSE(hayTintaCerca(img, 3.9, 0, 3));
    // Twice the scale, twice the tip deflection.
    limpiar();
    plotDeformada(0, 2);
    EXPECT_TRUE(hayTonoCerca(ImagenGL::leer(), 4, -2, kDeformada));
}

// Spheres of radius (xMax - xMin) / 200 sit on the displaced nodes; the labels show the
// displacements themselves (unscaled) in exponent notation beside each node.
TEST_F(Deformada, EsferasYEtiquetasEnLosNudosDesplazados)
{
    voladizo();
    xMin = 0;
    xMax = 40;  // radius 0.2 = 20 pixels
    flags[14] = 0;
    plotDeformada(0, 1);
    const ImagenGL img = ImagenGL::leer();
    for (double dx : {-0.1, 0.0, 0.1})
        for (double dy : {-0.1, 0.0, 0.1})
            EXPECT_TRUE(hayTonoCerca(img, 4 + dx, -1 + dy, kDeformada, 0)) << dx << ", " << dy;
    EXPECT_FALSE(hayTintaCerca(img, 4, 0, 3));  // nothing where the node was

    limpiar();
    flags[14] = 1;
    plotDeformada(0, 1);
    const ImagenGL conEtiquetas = ImagenGL::leer();
    limpiar();
    glColor3f(0.7f, 0.7f, 0.7f);
    const double r = 0.2, t = escalaTexto;
    const objNudo2d& n = nudo[1];
    drawTextoEscalado(4 + r, -1 + t, "Ux, Uy, Giro:", t);
    drawNumSci(4 + r, -1, n.getDesplazamientoX(0), precision, t);
    drawNumSci(4 + r, -1 - t, n.getDesplazamientoY(0), precision, t);
    drawNumSci(4 + r, -1 - 2 * t, n.getGiroZ(0), precision, t);
    const ImagenGL esperado = ImagenGL::leer();
    // Right of the displaced tip sphere nothing else is drawn.
    const int x0 = columna(4 + r + 0.01), y0 = fila(-1 + 2 * t), y1 = fila(-1 - 3 * t);
    EXPECT_TRUE(igualesEnRegion(conEtiquetas, esperado, x0, y0, kAnchoVentana, y1));
    EXPECT_GT(caja(conEtiquetas, kEtiquetaDeformada).n, 100);
    EXPECT_NEAR(n.getDesplazamientoY(0), -1.0, 1e-9);
}

// ---------------------------------------------------------------------------------------
// An unsolved model (nodes, bars and combinations, no solve), a combination that does not
// exist and a hidden bar draw nothing, and no result is read that is not held.

TEST_F(DibujoResultados, SinResultadosNoSeDibujaNada)
{
    prueba::agregarNudo(0, 0, 1, 1, 1);
    prueba::agregarNudo(4, 0, 0, 0, 0);
    prueba::agregarBarra(0, 1, 1000, 1, 0.064);
    nudo[1].setCargaPuntual("P", 0, -3, 0);
    prueba::agregarCombo("C", 1, "P");
    mostrarTodo();
    for (int c : {0, 3, -1}) {
        plotDeformada(c, 1);
        plotAxial(c, 1);
        plotCortante(c, 1);
        plotMomento(c, 1);
        plotReacciones(c);
        EXPECT_TRUE(ImagenGL::leer().esNegro()) << c;
    }
    funcionSolucionU();
    plotMomento(1, 1);  // solved, but there is no combination 1
    plotDeformada(1, 1);
    barrasAisladas(0) = 0;
    nudosAislados(0) = nudosAislados(1) = 0;
    plotMomento(0, 1);
    plotDeformada(0, 1);
    EXPECT_TRUE(ImagenGL::leer().esNegro());
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Through the frame routine: the moment diagram appears for each shown combination only,
// under its flag, over the model, and the hidden combinations add nothing.

namespace {

TEST_F(DibujoResultados, ElCuadroDibujaCadaComboMostrado)
{
    // The beam under two load cases, as two combinations of opposite sign.
    prueba::agregarNudo(0, 0, 1, 1, 0);
    prueba::agregarNudo(8, 0, 0, 1, 0);
    prueba::agregarBarra(0, 1, 2e8, 1, 1e-3);
    barra[0].setCargaLocal("q", 0, 0, -10, -10);
    prueba::agregarCombo("Abajo", 1, "q");
    prueba::agregarCombo("Arriba", -1, "q");
    funcionSolucionU();
    prepararVisor();
    changeSize(kAnchoVentana, kAltoVentana);
    escalaM = 0.01;
    flags[14] = 0;  // labels share the diagram's colour; keep to the diagram itself

    auto cuadro = [] {
        componerCuadro();
        return ImagenGL::leer();
    };
    // Model box 0..8 x 0..0, eye above (4, 0): the beam runs along the window's middle row.
    const int filaViga = kAltoVentana / 2;
    auto momentoArribaYAbajo = [&](const ImagenGL& img, int& arriba, int& abajo) {
        arriba = abajo = 0;
        for (int y = 0; y < img.alto; ++y)
            for (int x = 0; x < img.ancho; ++x)
                if (mismoTono(img.en(x, y), kMomento)) {
                    if (y < filaViga - 2)
                        ++arriba;
                    else if (y > filaViga + 2)
                        ++abajo;
                }
    };

    int arriba = 0, abajo = 0;
    modificadorFlagsGraf(6);
    momentoArribaYAbajo(cuadro(), arriba, abajo);
    EXPECT_EQ(arriba + abajo, 0);  // no combination shown yet

    flags[100] = 1;
    momentoArribaYAbajo(cuadro(), arriba, abajo);
    EXPECT_EQ(arriba, 0);
    EXPECT_GT(abajo, 100);

    flags[101] = 1;
    momentoArribaYAbajo(cuadro(), arriba, abajo);
    EXPECT_GT(arriba, 100);
    EXPECT_GT(abajo, 100);

    modificadorFlagsGraf(4);  // the axial diagram switches the moment off
    momentoArribaYAbajo(cuadro(), arriba, abajo);
    EXPECT_EQ(arriba + abajo, 0);
}

}  // namespace
