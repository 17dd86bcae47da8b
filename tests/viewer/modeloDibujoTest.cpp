// Model drawing read back from the window: bars, end releases, supports, springs, numbers
// and section names on small models built through the setters. View: 1 model unit per
// pixel, origin at the window centre, so zCam = 800.

#include <ostream>
#include <string>
#include <vector>

#include "elementosPlot.h"
#include "lienzo.h"
#include "registroFuentes.h"

namespace {

const Tono kGris{0.5f, 0.5f, 0.5f};
const Tono kVerde{0.1f, 0.7f, 0.1f};
const Tono kAmarillo{0.8f, 0.8f, 0.3f};
const Tono kRojoResorte{0.8f, 0.2f, 0.2f};

void agregarNudo(int usuario, double x, double y, int cx = 0, int cy = 0, int cr = 0)
{
    objNudo2d n;
    n.setNumeroDeNudo(static_cast<int>(nudo.size()));
    n.setNumeroNudoUsuario(usuario);
    n.setCoordenadas(x, y);
    n.setApoyo(cx, cy, cr);
    nudo.push_back(n);
}

void agregarBarra(int usuario, int inicio, int fin)
{
    objBarra2d b;
    b.setNumeroDeBarra(static_cast<int>(barra.size()));
    b.setNumeroBarraUsuario(usuario);
    const objNudo2d& i = nudo[static_cast<std::size_t>(inicio)];
    const objNudo2d& f = nudo[static_cast<std::size_t>(fin)];
    b.setNudoInicio(inicio, i.getX(), i.getY());
    b.setNudoFinal(fin, f.getX(), f.getY());
    b.setNudoInicioUsuario(i.getNoNudoUsuario());
    b.setNudoFinalUsuario(f.getNoNudoUsuario());
    barra.push_back(b);
}

class DibujoModelo : public Lienzo {};

// ---------------------------------------------------------------------------------------

TEST_F(DibujoModelo, BarraGrisDeTresPixeles)
{
    agregarNudo(1, -300, 0);
    agregarNudo(2, 300, 0);
    agregarBarra(1, 0, 1);
    mostrarTodo();
    plotBarras();
    const ImagenGL img = ImagenGL::leer();
    for (int dy : {-1, 0, 1})
        EXPECT_TRUE(mismoTono(img.en(columna(0), fila(0) + dy), kGris)) << dy;
    EXPECT_FALSE(mismoTono(img.en(columna(0), fila(0) + 2), kGris));
    EXPECT_FALSE(mismoTono(img.en(columna(0), fila(0) - 2), kGris));
    EXPECT_TRUE(mismoTono(img.en(columna(-290), fila(0)), kGris));
    EXPECT_FALSE(mismoTono(img.en(columna(-310), fila(0)), kGris));
}

TEST_F(DibujoModelo, BarraOcultaNoSeDibuja)
{
    agregarNudo(1, -300, 0);
    agregarNudo(2, 300, 0);
    agregarBarra(1, 0, 1);
    mostrarTodo();
    barrasAisladas(0) = 0;
    plotBarras();
    plotArticulaciones();
    plotTagBarras(20);
    EXPECT_TRUE(ImagenGL::leer().esNegro());
}

// ---------------------------------------------------------------------------------------
// End releases: a circle of radius zCam/150 at 3% of the bar for a start factor below 1,
// at 97% for an end factor below 1.

struct CasoArticulacion {
    const char* nombre;
    double inicio, fin;
    bool circuloInicio, circuloFin;
};

void PrintTo(const CasoArticulacion& c, std::ostream* os) { *os << c.nombre; }

const CasoArticulacion kArticulaciones[] = {
    {"Rigida", 1, 1, false, false},
    {"MediaAlInicio", 0.5, 1, true, false},
    {"RotulaAlFinal", 1, 0, false, true},
    {"RotulasEnAmbos", 0, 0, true, true},
};

class Articulacion : public DibujoModelo, public ::testing::WithParamInterface<CasoArticulacion> {};

TEST_P(Articulacion, CirculoAl3PorCiento)
{
    const CasoArticulacion& caso = GetParam();
    agregarNudo(1, -450, -100);
    agregarNudo(2, 450, -100);
    agregarBarra(1, 0, 1);
    barra[0].setArticulacion(caso.inicio, caso.fin);
    mostrarTodo();
    plotArticulaciones();
    const ImagenGL img = ImagenGL::leer();

    const double r = zCam / 150;  // 5.33 pixels
    const double x3 = -450 + 0.03 * 900, x97 = -450 + 0.97 * 900;
    auto circulo = [&](double cx) {
        Caja c;
        for (int y = fila(-100) - 10; y <= fila(-100) + 10; ++y)
            for (int x = columna(cx) - 10; x <= columna(cx) + 10; ++x)
                if (mismoTono(img.en(x, y), kVerde)) {
                    c.x0 = std::min(c.x0, x);
                    c.x1 = std::max(c.x1, x);
                    c.y0 = std::min(c.y0, y);
                    c.y1 = std::max(c.y1, y);
                    ++c.n;
                }
        return c;
    };
    const Caja inicio = circulo(x3), fin = circulo(x97);
    EXPECT_EQ(!inicio.vacia(), caso.circuloInicio);
    EXPECT_EQ(!fin.vacia(), caso.circuloFin);
    for (const auto& [c, centro, esperado] : {std::tuple{inicio, x3, caso.circuloInicio}, std::tuple{fin, x97, caso.circuloFin}}) {
        if (!esperado)
            continue;
        EXPECT_NEAR((c.x0 + c.x1) / 2.0, columna(centro), 1);
        EXPECT_NEAR((c.y0 + c.y1) / 2.0, fila(-100), 1);
        EXPECT_NEAR(c.x1 - c.x0, 2 * r, 2);
    }
    // Nothing green anywhere else.
    EXPECT_EQ(caja(img, kVerde).n, inicio.n + fin.n);
}

INSTANTIATE_TEST_SUITE_P(Factores, Articulacion, ::testing::ValuesIn(kArticulaciones),
                         [](const auto& i) { return std::string(i.param.nombre); });

// ---------------------------------------------------------------------------------------
// Supports: a symbol for (1,1,1), (1,1,0), (0,1,0) and (1,0,0) only. Points in symbol
// units (node at the origin), unit s = 40 pixels.

struct Punto {
    double x, y;
};

struct CasoApoyo {
    const char* nombre;
    int cx, cy, cr;
    std::vector<Punto> trazados;
    std::vector<Punto> vacios;
};

void PrintTo(const CasoApoyo& c, std::ostream* os) { *os << c.nombre; }

const std::vector<CasoApoyo> kApoyos = {
    // Thick line through the node, hatching below it.
    {"Empotrado", 1, 1, 1, {{-0.9, 0}, {0.9, 0}, {-0.835, -0.3}, {0.5, -0.3}}, {{0, -1.3}, {0, 0.5}, {0.85, -0.3}}},
    // Base 1.3 below the node, two legs up to it.
    {"Articulado", 1, 1, 0, {{-0.9, -1.3}, {0.9, -1.3}, {-0.375, -0.65}, {0.375, -0.65}}, {{0.9, 0}, {0, -0.65}}},
    // Base and a circle touching the node and the base.
    {"Rodillo", 0, 1, 0, {{0.9, -1.3}, {-0.65, -0.65}, {0.65, -0.65}}, {{0.9, 0}, {-0.375, -0.65}, {0, -0.65}}},
    // The roller turned by 90 degrees: base upright at x = 1.3, circle centred at (0.65, 0).
    {"RodilloGirado", 1, 0, 0, {{1.3, 0.9}, {1.3, -0.9}, {0.65, 0.65}, {0.65, -0.65}},
     {{0.9, -1.3}, {0, -1.3}, {0.65, 0}}},
    {"SoloGiro", 0, 0, 1, {}, {}},
    {"Libre", 0, 0, 0, {}, {}},
    {"CodigoDos", 2, 1, 1, {}, {}},
    {"GiroCodigoDos", 1, 1, 2, {}, {}},
    {"VerticalYGiro", 0, 1, 1, {}, {}},
    {"CodigoNegativo", 1, -1, 0, {}, {}},
};

class Apoyo : public DibujoModelo, public ::testing::WithParamInterface<CasoApoyo> {};

TEST_P(Apoyo, SimboloSegunCodigos)
{
    const CasoApoyo& caso = GetParam();
    const double s = 40;
    agregarNudo(1, 30, 20, caso.cx, caso.cy, caso.cr);
    mostrarTodo();
    plotApoyos(s);
    const ImagenGL img = ImagenGL::leer();
    if (caso.trazados.empty()) {
        EXPECT_TRUE(img.esNegro());
        return;
    }
    for (const Punto& p : caso.trazados)
        EXPECT_TRUE(hayTonoCerca(img, 30 + p.x * s, 20 + p.y * s, kAmarillo)) << p.x << ", " << p.y;
    for (const Punto& p : caso.vacios)
        EXPECT_FALSE(hayTintaCerca(img, 30 + p.x * s, 20 + p.y * s, 2)) << p.x << ", " << p.y;
}

INSTANTIATE_TEST_SUITE_P(Codigos, Apoyo, ::testing::ValuesIn(kApoyos),
                         [](const auto& i) { return std::string(i.param.nombre); });

// A unit of 0 takes zCam/50 (16 pixels here): the fixed support's base spans ±16.
TEST_F(DibujoModelo, UnidadCeroTomaZCam)
{
    agregarNudo(1, 0, 0, 1, 1, 1);
    mostrarTodo();
    plotApoyos(0);
    const ImagenGL img = ImagenGL::leer();
    EXPECT_TRUE(hayTonoCerca(img, 15, 0, kAmarillo, 0));
    EXPECT_TRUE(hayTonoCerca(img, -15, 0, kAmarillo, 0));
    EXPECT_FALSE(hayTintaCerca(img, 19, 0, 1));
    EXPECT_FALSE(hayTintaCerca(img, -19, 0, 1));
}

TEST_F(DibujoModelo, NudoOcultoSinApoyoNiResorte)
{
    agregarNudo(1, 0, 0, 1, 1, 1);
    nudo[0].setResorte(1, 1, 1);
    mostrarTodo();
    nudosAislados(0) = 0;
    plotApoyos(40);
    plotResortes(40);
    plotNudos();
    plotTagNudos(20);
    EXPECT_TRUE(ImagenGL::leer().esNegro());
}

// A pin with an X spring shows both: the spring's plate 1.7 units left of the node.
TEST_F(DibujoModelo, ResortesJuntoAlApoyo)
{
    const double s = 40;
    agregarNudo(1, 0, 0, 1, 1, 0);
    nudo[0].setResorte(100, 0, 0);
    mostrarTodo();
    plotApoyos(s);
    plotResortes(s);
    const ImagenGL img = ImagenGL::leer();
    EXPECT_TRUE(hayTonoCerca(img, 0.9 * s, -1.3 * s, kAmarillo));    // pin base
    EXPECT_TRUE(hayTonoCerca(img, -1.7 * s, 0.6 * s, kAmarillo));    // spring plate
    EXPECT_TRUE(hayTonoCerca(img, -0.2 * s, 0, kAmarillo));          // last zigzag segment
    EXPECT_FALSE(hayTintaCerca(img, 0.6 * s, 1.4 * s, 2));           // no rotational spring
}

TEST_F(DibujoModelo, ResorteVerticalYDeGiro)
{
    const double s = 40;
    agregarNudo(1, 0, 0);
    nudo[0].setResorte(0, 100, 50);
    mostrarTodo();
    plotResortes(s);
    const ImagenGL img = ImagenGL::leer();
    // Y: the X symbol turned by +90 degrees, plate horizontal 1.7 units below the node.
    EXPECT_TRUE(hayTonoCerca(img, 0.6 * s, -1.7 * s, kAmarillo));
    EXPECT_TRUE(hayTonoCerca(img, 0, -0.2 * s, kAmarillo));
    EXPECT_FALSE(hayTintaCerca(img, -1.7 * s, 0.6 * s, 2));  // no X spring
    // Rotation: red stem from (0.6, 1) to (0.6, 1.8).
    EXPECT_TRUE(hayTonoCerca(img, 0.6 * s, 1.4 * s, kRojoResorte));
}

// ---------------------------------------------------------------------------------------
// Numbers and section names.

TEST_F(DibujoModelo, NumerosDeNudoYBarra)
{
    agregarNudo(-7, -200, 0);
    agregarNudo(12, 200, 0);
    agregarBarra(305, 0, 1);
    mostrarTodo();
    const double h = 30;
    const double d = zCam / 200;  // 4 pixels up and right of the anchor

    plotTagNudos(h);
    const ImagenGL nudos = ImagenGL::leer();
    limpiar();
    glColor3f(0.9f, 0.2f, 0.2f);
    drawTextoEscalado(-200 + d, d, "-7", h);
    drawTextoEscalado(200 + d, d, "12", h);
    EXPECT_TRUE(igualesImagenes(nudos, ImagenGL::leer()));

    limpiar();
    plotTagBarras(h);
    const ImagenGL barras = ImagenGL::leer();
    limpiar();
    glColor3f(0.8f, 0.8f, 0.8f);
    drawTextoEscalado(0 + d, 0 + d, "305", h);
    EXPECT_TRUE(igualesImagenes(barras, ImagenGL::leer()));
}

// The section name runs along the bar, centred on its midpoint on the local +y side: above
// a bar drawn rightwards, upside down below a bar drawn leftwards.
TEST_F(DibujoModelo, NombreDeSeccionSobreLaBarra)
{
    agregarNudo(1, -200, 100);
    agregarNudo(2, 200, 100);
    agregarNudo(3, 200, -100);
    agregarNudo(4, -200, -100);
    agregarBarra(1, 0, 1);  // rightwards, at y = 100
    agregarBarra(2, 2, 3);  // leftwards, at y = -100
    barra[0].setNombreDeSeccion("IPE");
    barra[1].setNombreDeSeccion("IPE");
    mostrarTodo();
    const double h = 30;
    plotSecciones(h);
    const ImagenGL img = ImagenGL::leer();
    const Tono claro{0.8f, 0.8f, 0.8f};

    Caja arriba, abajo;
    for (int y = 0; y < img.alto; ++y)
        for (int x = 0; x < img.ancho; ++x)
            if (mismoTono(img.en(x, y), claro)) {
                Caja& c = y < fila(0) ? arriba : abajo;
                c.x0 = std::min(c.x0, x);
                c.x1 = std::max(c.x1, x);
                c.y0 = std::min(c.y0, y);
                c.y1 = std::max(c.y1, y);
                ++c.n;
            }
    ASSERT_FALSE(arriba.vacia());
    ASSERT_FALSE(abajo.vacia());
    // Above the upper bar: baseline 0.2 h over it, centred on x = 0.
    EXPECT_NEAR(arriba.y1, fila(100 + 0.2 * h), 1);
    EXPECT_NEAR((arriba.x0 + arriba.x1) / 2.0, columna(0), 3);
    // Below the lower bar, mirrored through the midpoint.
    EXPECT_NEAR(abajo.y0, fila(-100 - 0.2 * h), 1);
    EXPECT_NEAR(abajo.y1 - abajo.y0, arriba.y1 - arriba.y0, 1);
    EXPECT_NEAR((abajo.x0 + abajo.x1) / 2.0, columna(0), 3);
}

// A section name with an accent (UTF-8 from the input file): the stroke font receives one
// '?' for the accented letter, and the 7 characters, not the 8 bytes, are centred on the
// bar's midpoint: the text starts 3.5 advances to its left, 0.2 h above it.
TEST_F(DibujoModelo, NombreDeSeccionConAcento)
{
    agregarNudo(1, -200, 0);
    agregarNudo(2, 200, 0);
    agregarBarra(1, 0, 1);
    barra[0].setNombreDeSeccion("Secci\xc3\xb3n");
    mostrarTodo();
    const double h = 30;
    const double avance = 104.76 * h / 152.38;
    registro::vaciar();
    plotSecciones(h);
    EXPECT_EQ(registro::textoTrazado(), "Secci?n");
    const std::vector<registro::Rotulo> texto = registro::buscar("Secci?n");
    ASSERT_EQ(texto.size(), 1u);
    EXPECT_NEAR(texto[0].primero.x, -3.5 * avance, 1e-3);
    EXPECT_NEAR(texto[0].primero.y, 0.2 * h, 1e-3);
    EXPECT_NEAR(texto[0].ultimo.x, 2.5 * avance, 0.01 * avance);

    const ImagenGL img = ImagenGL::leer();
    limpiar();
    glColor3f(0.8f, 0.8f, 0.8f);
    drawTextoEscalado(-3.5 * avance, 0.2 * h, "Secci?n", h);
    EXPECT_TRUE(igualesImagenes(img, ImagenGL::leer()));
}

TEST_F(DibujoModelo, EsferasDeNudoSegunFlag16)
{
    agregarNudo(1, 0, 0);
    mostrarTodo();
    diagonalObj = 2000;  // radius 10 pixels
    plotNudos();
    const ImagenGL con = ImagenGL::leer();
    const Caja disco = caja(con, {0.7f, 0.0f, 0.0f});
    ASSERT_FALSE(disco.vacia());
    EXPECT_NEAR(disco.x1 - disco.x0, 20, 2);
    EXPECT_NEAR((disco.x0 + disco.x1) / 2.0, columna(0), 1);

    limpiar();
    flags[16] = 2;
    plotNudos();
    EXPECT_TRUE(ImagenGL::leer().esNegro());
}

}  // namespace
