// Drawing primitives, read back from the window: arrows, number and text labels, arcs.
// View: 1 model unit per pixel, origin at the window centre.

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "elementosPlot.h"
#include "lienzo.h"
#include "registroFuentes.h"

namespace {

// Text height giving a character advance of exactly 22 pixels: 104.76 * (h / 152.38) = 22.
const double kAltura = 22 * 152.38 / 104.76;
const double kAvance = 104.76 * kAltura * 0.006562541015881349;  // 22 model units

using Numero = void (*)(double, double, double, int, double);

class Primitivas : public Lienzo {
protected:
    // Draws `dibujar` into a cleared buffer and reads it back.
    template <class F>
    ImagenGL dibujo(F dibujar)
    {
        limpiar();
        glColor3f(1, 1, 1);
        dibujar();
        return ImagenGL::leer();
    }
};

// ---------------------------------------------------------------------------------------
// Number labels draw exactly the text their format gives.

struct CasoNumero {
    const char* nombre;
    Numero dibujar;
    double valor;
    int decimales;
    const char* texto;
};

void PrintTo(const CasoNumero& c, std::ostream* os) { *os << c.nombre; }

const CasoNumero kNumeros[] = {
    {"DosDecimales", drawNumFloat, 3.14159, 2, "3.14"},
    {"SinDecimales", drawNumFloat, 7.0, 0, "7"},
    {"NegativoSinDecimales", drawNumFloat, -12.0, 0, "-12"},
    {"ExponenteDosCifras", drawNumSci, 250, 1, "2.5e+02"},
    {"ExponenteNegativo", drawNumSci, -0.000125, 2, "-1.25e-04"},
    // A negative number of decimals counts as none.
    {"DecimalesNegativos", drawNumFloat, 7.25, -3, "7"},
    {"DecimalesNegativosExponente", drawNumSci, 250, -1, "2e+02"},
};

class NumeroComoTexto : public Primitivas, public ::testing::WithParamInterface<CasoNumero> {};

TEST_P(NumeroComoTexto, DibujaElTextoFormateado)
{
    const CasoNumero& caso = GetParam();
    const ImagenGL numero = dibujo([&] { caso.dibujar(-200, 10, caso.valor, caso.decimales, kAltura); });
    const ImagenGL texto = dibujo([&] { drawTextoEscalado(-200, 10, caso.texto, kAltura); });
    EXPECT_FALSE(numero.esNegro());
    EXPECT_TRUE(igualesImagenes(numero, texto));
}

INSTANTIATE_TEST_SUITE_P(Formatos, NumeroComoTexto, ::testing::ValuesIn(kNumeros),
                         [](const auto& i) { return std::string(i.param.nombre); });

// ---------------------------------------------------------------------------------------
// Alignment: a label of len characters is 104.76 k len wide; the right-aligned one ends at
// its point, the centred one is centred on it.

TEST_F(Primitivas, AnchoDeUnNumeroAlineado)
{
    const double ancho = 5 * kAvance;  // "12.34"
    const double x0 = -100, y0 = 0;
    const Caja izquierda = tinta(dibujo([&] { drawNumFloat(x0, y0, 12.34, 2, kAltura); }));
    const Caja derecha = tinta(dibujo([&] { drawNumFloatRight(x0 + ancho, y0, 12.34, 2, kAltura); }));
    const Caja centro = tinta(dibujo([&] { drawNumFloatCenter(x0 + ancho / 2, y0, 12.34, 2, kAltura); }));

    // The left-aligned ink lies in [x0, x0 + width]: its first glyph starts in the first
    // cell and its last ends in the last cell.
    ASSERT_FALSE(izquierda.vacia());
    EXPECT_GE(izquierda.x0, columna(x0) - 1);
    EXPECT_LT(izquierda.x0, columna(x0 + kAvance));
    EXPECT_LE(izquierda.x1, columna(x0 + ancho) + 1);
    EXPECT_GT(izquierda.x1, columna(x0 + ancho - kAvance));

    // The same ink, to the pixel, from the right-aligned and the centred label.
    for (const Caja& otra : {derecha, centro}) {
        EXPECT_NEAR(otra.x0, izquierda.x0, 1);
        EXPECT_NEAR(otra.x1, izquierda.x1, 1);
        EXPECT_EQ(otra.y0, izquierda.y0);
        EXPECT_EQ(otra.y1, izquierda.y1);
    }
}

// The baseline passes through the label's point: the glyphs stand above it (a digit has no
// descender), and the text is h high.
TEST_F(Primitivas, LineaDeBaseEnElPunto)
{
    const Caja c = tinta(dibujo([&] { drawNumFloat(0, 0, 8, 0, 2 * kAltura); }));
    ASSERT_FALSE(c.vacia());
    EXPECT_NEAR(c.y1, fila(0), 1);
    EXPECT_LT(c.y0, fila(0.6 * kAltura * 2));
    EXPECT_GT(c.y0, fila(kAltura * 2));
}

// A formatted text beyond 99 characters is cut after its 99th: 1 with 300 decimals draws
// the same as 1 with 97 ("1." and 97 zeros, 99 characters).
TEST_F(Primitivas, EtiquetaCortadaEn99Caracteres)
{
    const double altura = 9 * 152.38 / 104.76;  // 9 pixels per character
    const double x0 = -490;
    const ImagenGL larga = dibujo([&] { drawNumFloat(x0, 0, 1.0, 300, altura); });
    const ImagenGL justa = dibujo([&] { drawNumFloat(x0, 0, 1.0, 97, altura); });
    EXPECT_TRUE(igualesImagenes(larga, justa));
    // Any number of decimals from the input file ("precision:") draws the same 99.
    const ImagenGL enorme = dibujo([&] { drawNumFloat(x0, 0, 1.0, 1000000000, altura); });
    EXPECT_TRUE(igualesImagenes(enorme, justa));
    const Caja c = tinta(larga);
    EXPECT_LE(c.x1, columna(x0 + 99 * 9) + 1);
    EXPECT_GT(c.x1, columna(x0 + 98 * 9));
}

// ---------------------------------------------------------------------------------------
// Texts.

TEST_F(Primitivas, TextoVacioNoDibujaNada)
{
    EXPECT_TRUE(dibujo([&] { drawTextoEscalado(0, 0, "", kAltura); }).esNegro());
    EXPECT_TRUE(dibujo([&] { drawTextoEscaladoNew("", kAltura, 2); }).esNegro());
}

// The stroke font holds ASCII only: a character beyond it (an accented letter, whatever
// its number of bytes) is drawn as one '?', one advance wide, never as its bytes; the
// aligned texts count characters.
TEST_F(Primitivas, CaracterFueraDeLaFuenteComoSignoDeInterrogacion)
{
    registro::vaciar();
    drawTextoEscalado(0, 0, "\xc3\xa1\xe2\x82\xac\xf0\x9f\x98\x80\x80", kAltura);
    EXPECT_EQ(registro::textoTrazado(), "????");

    const ImagenGL conTilde = dibujo([&] { drawTextoEscalado(-50, 0, "\xc3\xa1" "b", kAltura); });
    const ImagenGL esperada = dibujo([&] { drawTextoEscalado(-50, 0, "?b", kAltura); });
    EXPECT_FALSE(esperada.esNegro());
    EXPECT_TRUE(igualesImagenes(conTilde, esperada));

    // "ab" and an accented letter, ending at the origin: three characters wide, so "ab?"
    // starts 3 advances to the left.
    const Caja alFinal = tinta(dibujo([&] { drawTextoEscaladoNew("ab\xc3\xa1", kAltura, 3); }));
    const Caja esperado = tinta(dibujo([&] { drawTextoEscalado(-3 * kAvance, 0.2 * kAltura, "ab?", kAltura); }));
    ASSERT_FALSE(esperado.vacia());
    EXPECT_NEAR(alFinal.x0, esperado.x0, 1);
    EXPECT_NEAR(alFinal.x1, esperado.x1, 1);
    EXPECT_NEAR(alFinal.y1, esperado.y1, 1);
}

// Mode 2 centres the text on the origin with its baseline 0.2 h above it; modes 1 and 3
// start or end it there.
TEST_F(Primitivas, TextoNuevoSegunModo)
{
    const char* texto = "IPE300";  // 6 characters
    struct {
        int modo;
        double inicio;
    } modos[] = {{1, 0}, {2, -3 * kAvance}, {3, -6 * kAvance}};
    for (const auto& m : modos) {
        const Caja nuevo = tinta(dibujo([&] { drawTextoEscaladoNew(texto, kAltura, m.modo); }));
        const Caja esperado = tinta(dibujo([&] { drawTextoEscalado(m.inicio, 0.2 * kAltura, texto, kAltura); }));
        ASSERT_FALSE(esperado.vacia());
        EXPECT_NEAR(nuevo.x0, esperado.x0, 1) << "modo " << m.modo;
        EXPECT_NEAR(nuevo.x1, esperado.x1, 1) << "modo " << m.modo;
        EXPECT_NEAR(nuevo.y0, esperado.y0, 1) << "modo " << m.modo;
        EXPECT_NEAR(nuevo.y1, esperado.y1, 1) << "modo " << m.modo;
    }
}

TEST_F(Primitivas, TextoNuevoConModoDesconocido)
{
    GLfloat antes[16], despues[16];
    GLint pilaAntes = 0, pilaDespues = 0;
    for (int modo : {0, 4, -1}) {
        glGetFloatv(GL_MODELVIEW_MATRIX, antes);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &pilaAntes);
        EXPECT_TRUE(dibujo([&] { drawTextoEscaladoNew("IPE300", kAltura, modo); }).esNegro()) << "modo " << modo;
        glGetFloatv(GL_MODELVIEW_MATRIX, despues);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &pilaDespues);
        EXPECT_EQ(pilaAntes, pilaDespues);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(antes[i], despues[i]);
    }
}

// Every primitive leaves the model-view matrix as it found it.
TEST_F(Primitivas, MatrizIntacta)
{
    glTranslatef(3, 4, 0);
    GLfloat antes[16], despues[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, antes);
    drawFlecha(0, 0, 10, 5, 3);
    drawNumFloat(0, 0, 1.5, 1, 10);
    drawNumFloatRight(0, 0, 1.5, 1, 10);
    drawNumFloatCenter(0, 0, 1.5, 1, 10);
    drawNumSci(0, 0, 1.5, 1, 10);
    drawTextoEscalado(0, 0, "abc", 10);
    drawTextoEscaladoNew("abc", 10, 2);
    plotArco(0, 0, 10, 0, 360);
    glGetFloatv(GL_MODELVIEW_MATRIX, despues);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(antes[i], despues[i]);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// ---------------------------------------------------------------------------------------
// Arrows: shaft from the first point, head at the second, head strokes of length h and
// half-width h / 3 back from the tip.

struct CasoFlecha {
    const char* nombre;
    double x1, y1, x2, y2;
    double punta1x, punta1y, punta2x, punta2y;  // far ends of the head strokes
};

void PrintTo(const CasoFlecha& c, std::ostream* os) { *os << c.nombre; }

const double kCabeza = 60;
const CasoFlecha kFlechas[] = {
    {"HaciaMasX", 0, 0, 200, 0, 140, 20, 140, -20},
    {"HaciaMenosX", 200, 0, 0, 0, 60, 20, 60, -20},
    {"HaciaAbajo", 0, 0, 0, -200, 20, -140, -20, -140},
    {"HaciaArriba", 0, -100, 0, 100, 20, 40, -20, 40},
    {"Diagonal", 0, 0, 150, 150, 150 - 60 / std::sqrt(2.0) - 20 / std::sqrt(2.0),
     150 - 60 / std::sqrt(2.0) + 20 / std::sqrt(2.0), 150 - 60 / std::sqrt(2.0) + 20 / std::sqrt(2.0),
     150 - 60 / std::sqrt(2.0) - 20 / std::sqrt(2.0)},
    // A shaft far shorter than the head: practically only the head, pointing along +x.
    {"SoloCabeza", 0, 0, 1e-5, 0, -60, 20, -60, -20},
};

class Flecha : public Primitivas, public ::testing::WithParamInterface<CasoFlecha> {};

TEST_P(Flecha, CabezaEnElSegundoPunto)
{
    const CasoFlecha& f = GetParam();
    const ImagenGL img = dibujo([&] { drawFlecha(f.x1, f.y1, f.x2, f.y2, kCabeza); });
    // Along each head stroke, up to 90% of the way from the tip.
    for (double t : {0.3, 0.6, 0.9}) {
        EXPECT_TRUE(hayTintaCerca(img, f.x2 + t * (f.punta1x - f.x2), f.y2 + t * (f.punta1y - f.y2))) << t;
        EXPECT_TRUE(hayTintaCerca(img, f.x2 + t * (f.punta2x - f.x2), f.y2 + t * (f.punta2y - f.y2))) << t;
    }
    // The shaft's middle, and nothing on the far side of the head's strokes (the mirror of
    // a stroke end through the tip).
    EXPECT_TRUE(hayTintaCerca(img, (f.x1 + f.x2) / 2, (f.y1 + f.y2) / 2));
    EXPECT_FALSE(hayTintaCerca(img, 2 * f.x2 - f.punta1x, 2 * f.y2 - f.punta1y, 3));
}

INSTANTIATE_TEST_SUITE_P(Direcciones, Flecha, ::testing::ValuesIn(kFlechas),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(Primitivas, FlechaDePuntosCoincidentesNoDibujaNada)
{
    EXPECT_TRUE(dibujo([&] { drawFlecha(50, 50, 50, 50, kCabeza); }).esNegro());
    EXPECT_TRUE(dibujo([&] { drawFlecha(0, 0, 0, 0, kCabeza); }).esNegro());
}

// ---------------------------------------------------------------------------------------
// Arcs: ten equal steps, eleven vertices.

TEST_F(Primitivas, CirculoCompletoEsUnDecagono)
{
    const double r = 200;
    const ImagenGL img = dibujo([&] { plotArco(0, 0, r, 0, 360); });
    for (int i = 0; i < 10; ++i) {
        const double a = i * 36 * PI / 180;
        EXPECT_TRUE(hayTintaCerca(img, r * std::cos(a), r * std::sin(a))) << "vértice " << i;
        // Midway between two vertices the polygon runs inside the circle, at r cos 18°.
        const double m = (i * 36 + 18) * PI / 180;
        EXPECT_TRUE(hayTintaCerca(img, r * std::cos(18 * PI / 180) * std::cos(m),
                                  r * std::cos(18 * PI / 180) * std::sin(m)))
            << "lado " << i;
        EXPECT_FALSE(hayTintaCerca(img, r * std::cos(m), r * std::sin(m), 2)) << "lado " << i;
    }
}

TEST_F(Primitivas, CuartoDeCirculoConCentroDesplazado)
{
    const double cx = 50, cy = -30, r = 200;
    const ImagenGL img = dibujo([&] { plotArco(cx, cy, r, 90, 180); });
    for (int i = 0; i <= 10; ++i) {
        const double a = (90 + 9 * i) * PI / 180;
        EXPECT_TRUE(hayTintaCerca(img, cx + r * std::cos(a), cy + r * std::sin(a))) << "vértice " << i;
    }
    // Nothing in the other three quarters.
    for (double grados : {0.0, 45.0, 200.0, 270.0, 315.0}) {
        const double a = grados * PI / 180;
        EXPECT_FALSE(hayTintaCerca(img, cx + r * std::cos(a), cy + r * std::sin(a), 2)) << grados;
    }
}

}  // namespace
