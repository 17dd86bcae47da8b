#include <GL/freeglut.h>

#include "botonesPlot.h"
#include "elementosPlot.h"
#include "entornoGL.h"
#include "estadoVisor.h"

// The panel, read back from the frame: buttons, their colours and their clicks.

namespace {

// Colours as the 8-bit buffer holds the single-precision components, rounded:
// 0.3f -> 76 (0.3f is just below 0.3), 0.1f -> 26, 0.7f -> 178, 0.2f -> 51, 0.8f -> 204.
const Pixel kFondoEncendido{76, 76, 0};
const Pixel kFondoApagado{26, 26, 0};
const Pixel kFlagEncendido{178, 255, 0};
const Pixel kComboEncendido{0, 255, 0};
const Pixel kComboApagado{0, 76, 0};
const Pixel kVerde{0, 255, 0};
const Pixel kVerdeAyuda{0, 204, 0};

struct BotonFlag {
    const char* label;
    int y;
    int slot;
};
const BotonFlag kBotones[] = {
    {"tag Nudos", 30, 0}, {"tag Barras", 45, 1}, {"secciones", 60, 2}, {"apoyos", 75, 9},
    {"carga", 120, 7},    {"reaccion", 135, 8},  {"deflexion", 150, 3}, {"N", 165, 4},
    {"V", 180, 5},        {"M", 195, 6},
};

class Panel : public EstadoVisor {
protected:
    // The model drawings stay away from the panel: nodes only, at the centre of the view.
    void SetUp() override
    {
        EstadoVisor::SetUp();
        construirModelo({{1, 40, 40}, {2, 60, 60}}, {}, {"U1", "U2", "U3"});
    }

    static ImagenGL cuadro()
    {
        componerCuadro();
        return ImagenGL::leer();
    }

    // A flag button's inside, 10..80 x y..y+12, holds only on or only off fill (besides
    // its label).
    static bool brillante(const ImagenGL& img, int y)
    {
        const int on = img.contar(kFondoEncendido, 11, y + 1, 79, y + 11);
        const int off = img.contar(kFondoApagado, 11, y + 1, 79, y + 11);
        EXPECT_TRUE((on > 0) != (off > 0)) << "y = " << y;
        return on > 0;
    }

    static void clic(int x, int y)
    {
        mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        mouseButton(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
    }
};

TEST_F(Panel, AlAbrirSoloApoyosEstaBrillante)
{
    const ImagenGL img = cuadro();
    for (const BotonFlag& b : kBotones)
        EXPECT_EQ(brillante(img, b.y), b.slot == 9) << b.label;
    // Its label is drawn in the bright label colour, the others are not.
    EXPECT_GT(img.contar(kFlagEncendido, 10, 75, 80, 87), 0);
    EXPECT_EQ(img.contar(kFlagEncendido, 10, 30, 80, 72), 0);
    // Three dark combination buttons at the right edge: 870..1000 x 35 + 15 i.
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(img.contar(kFondoApagado, 871, 36 + 15 * i, 999, 46 + 15 * i), 500) << i;
        EXPECT_GT(img.contar(kComboApagado, 871, 36 + 15 * i, 999, 46 + 15 * i), 0) << i;
    }
    EXPECT_EQ(img.contar(kFondoApagado, 860, 35 + 45, 1000, 35 + 60), 0);  // no fourth
    EXPECT_EQ(img.contar(kFondoApagado, 860, 36, 869, 80), 0);              // left edge at 870
    // Heading, prompt and credit text in green.
    EXPECT_GT(img.contar(kVerde, 850, 18, 1000, 32), 0);
    EXPECT_GT(img.contar(kVerde, 20, 752, 300, 782), 0);
    EXPECT_GT(img.contar(kVerde, 800, 764, 1000, 800), 0);
    // No help banner.
    EXPECT_EQ(img.contar(kVerdeAyuda, 0, 0, 1000, 800), 0);
}

TEST_F(Panel, TrasPlotMSoloMEstaBrillanteEnElGrupoDeResultados)
{
    escribir("plotN");
    escribir("plotM");
    const ImagenGL img = cuadro();
    for (const BotonFlag& b : kBotones)
        EXPECT_EQ(brillante(img, b.y), b.slot == 9 || b.slot == 6) << b.label;
}

TEST_F(Panel, UnClicDentroDeMLoEnciendeUnaSolaVezYElSiguienteLoApaga)
{
    escribir("plotV");
    clic(40, 200);
    cuadro();
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{6, 9, 14, 15, 16}));
    EXPECT_EQ(xClickIzq, 0);  // consumed
    EXPECT_EQ(yClickIzq, 0);
    // Further frames find no click: the state stays and is drawn.
    const ImagenGL img = cuadro();
    EXPECT_EQ(flags[6], 1);
    EXPECT_TRUE(brillante(img, 195));
    EXPECT_FALSE(brillante(img, 180));
    clic(40, 200);
    cuadro();
    EXPECT_EQ(flags[6], 2);
}

TEST_F(Panel, UnClicEnTagBarrasConSeccionesEncendidasApagaSecciones)
{
    escribir("secciones");
    clic(45, 51);
    cuadro();
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{1, 9, 14, 15, 16}));
}

// Clicks on a border or between the groups toggle nothing, and the frame that tested them
// drops them.
struct CasoBorde {
    const char* nombre;
    int x;
    int y;
};
void PrintTo(const CasoBorde& c, std::ostream* os) { *os << c.nombre; }
const CasoBorde kCasosBorde[] = {
    {"IzquierdaDeTagNudos", 10, 36}, {"DerechaDeTagNudos", 80, 36}, {"ArribaDeTagNudos", 45, 30},
    {"AbajoDeTagNudos", 45, 42},     {"EntreGrupos", 45, 100},     {"ArribaDelCombo0", 900, 35},
    {"IzquierdaDelCombo0", 870, 40}, {"FueraDeTodo", 500, 400},
};

class PanelBorde : public Panel, public ::testing::WithParamInterface<CasoBorde> {};

TEST_P(PanelBorde, NoAlternaNadaYElClicSeDescarta)
{
    clic(GetParam().x, GetParam().y);
    cuadro();
    EXPECT_EQ(xClickIzq, 0);
    EXPECT_EQ(yClickIzq, 0);
    cuadro();
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16}));
}

INSTANTIATE_TEST_SUITE_P(Visor, PanelBorde, ::testing::ValuesIn(kCasosBorde),
                         [](const auto& i) { return std::string(i.param.nombre); });

// A click that no button took acts on nothing later: not after a resize moves a button
// under it, nor after a re-read adds the combination whose button lands there.
TEST_F(Panel, UnClicSinBotonNoActuaDespuesDeRedimensionar)
{
    // At 1000 pixels wide combination button 0 spans x 870..1000, y 35..47; at 800 wide
    // it spans 670..800, under (700, 41).
    clic(700, 41);
    cuadro();
    changeSize(800, 600);
    cuadro();
    changeSize(kAnchoVentana, kAltoVentana);
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16}));
}

TEST_F(Panel, UnClicSinBotonNoActuaDespuesDeAgregarCombos)
{
    // Button 3 would span y 80..92; the model holds three combinations (0 to 2).
    clic(935, 86);
    cuadro();
    construirModelo({{1, 40, 40}, {2, 60, 60}}, {}, {"U1", "U2", "U3", "U4"});
    cuadro();
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16}));
}

TEST_F(Panel, UnArrastreQueTerminaSobreUnBotonLoAlterna)
{
    mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 500, 400);
    mouseMove(300, 300);
    mouseMove(40, 36);
    mouseButton(GLUT_LEFT_BUTTON, GLUT_UP, 40, 36);
    cuadro();
    EXPECT_TRUE(encendido(0));
}

TEST_F(Panel, ElBotonDeComboAlternaSuCasillaYSeDibujaBrillante)
{
    clic(935, 56);  // combination 1: y from 50 to 62
    cuadro();
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16, 101}));
    const ImagenGL img = cuadro();
    EXPECT_GT(img.contar(kFondoEncendido, 871, 51, 999, 61), 500);
    EXPECT_GT(img.contar(kComboEncendido, 871, 51, 999, 61), 0);
    EXPECT_EQ(img.contar(kFondoEncendido, 871, 36, 999, 46), 0);
}

TEST_F(Panel, LosBotonesDeComboSiguenElBordeDerecho)
{
    glutReshapeWindow(800, 600);
    for (int i = 0; i < 20 && glutGet(GLUT_WINDOW_WIDTH) != 800; ++i)
        glutMainLoopEvent();
    changeSize(800, 600);
    const ImagenGL img = cuadro();
    EXPECT_GT(img.contar(kFondoApagado, 671, 36, 799, 46), 500);
    EXPECT_EQ(img.contar(kFondoApagado, 660, 36, 669, 46), 0);
    glutReshapeWindow(kAnchoVentana, kAltoVentana);
    for (int i = 0; i < 20 && glutGet(GLUT_WINDOW_WIDTH) != kAnchoVentana; ++i)
        glutMainLoopEvent();
    changeSize(kAnchoVentana, kAltoVentana);
}

TEST_F(Panel, SinNudosSoloElTituloDeCombos)
{
    construirModelo({}, {}, {});
    const ImagenGL img = cuadro();
    EXPECT_GT(img.contar(kVerde, 850, 18, 1000, 32), 0);
    EXPECT_EQ(img.contar(kFondoApagado, 860, 33, 1000, 800), 0);
    EXPECT_EQ(img.contar(kComboApagado, 860, 33, 1000, 800), 0);
}

TEST_F(Panel, UnComboSinCasillaNoTieneBoton)
{
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix();
    glLoadIdentity();
    // The panel's pixel frame for this window (zCam units across its 800-pixel height).
    glScaled(zCam / 800, -zCam / 800, 1);
    glTranslated(-500, -400, 0);
    botonCombo(400, 300, 130, 12, "C100", 100);
    botonCombo(400, 330, 130, 12, "C-1", -1);
    botonCombo(400, 360, 130, 12, "C99", 99);
    glPopMatrix();
    const ImagenGL img = ImagenGL::leer();
    EXPECT_EQ(img.contar(kFondoApagado, 400, 290, 540, 350), 0);
    EXPECT_GT(img.contar(kFondoApagado, 401, 361, 529, 371), 500);
    EXPECT_EQ(flags.size(), 200u);
}

TEST_F(Panel, ConMasDeCienCombosSoloLosCienPrimerosTienenBoton)
{
    std::vector<std::string> combos;
    for (int i = 0; i < 130; ++i)
        combos.push_back("C" + std::to_string(i));
    construirModelo({{1, 40, 40}}, {}, combos);
    // A click where button 100 would be, had the window room for it, changes nothing.
    xClickIzq = 935;
    yClickIzq = 35 + 15 * 100 + 6;
    cuadro();
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16}));
    EXPECT_EQ(flags.size(), 200u);
    xClickIzq = 935;
    yClickIzq = 35 + 15 * 99 + 6;
    cuadro();
    EXPECT_TRUE(encendido(199));
}

TEST_F(Panel, F1MuestraLaAyudaEnVerdeOscuroDesde20x30)
{
    tecladoEspecial(1, 0, 0);
    const ImagenGL img = cuadro();
    // 33 lines of 12-point Helvetica from the baseline at y = 30 downwards.
    EXPECT_GT(img.contar(kVerdeAyuda, 20, 18, 400, 32), 0);
    EXPECT_GT(img.contar(kVerdeAyuda, 80, 30, 600, 560), 1000);
    EXPECT_EQ(img.contar(kVerdeAyuda, 0, 0, 19, 800), 0);
    // The flag buttons are drawn over its first lines.
    EXPECT_TRUE(brillante(img, 75));
}

TEST_F(Panel, ElPanelSeVeConVistasMayoresQueMil)
{
    construirModelo({{1, 0, 0}, {2, 5000, 0}}, {}, {"U1"});
    const ImagenGL img = cuadro();
    EXPECT_TRUE(brillante(img, 75));
    EXPECT_GT(img.contar(kVerde, 20, 752, 300, 782), 0);
}

}  // namespace
