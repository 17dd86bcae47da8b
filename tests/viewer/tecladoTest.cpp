#include <GL/freeglut.h>

#include <limits>

#include "estadoVisor.h"
#include "modificadores.h"

// Keys and the typed command line.

namespace {

const std::string kListo = "Ingrese Comando:";
const std::string kPreguntaCombo = "Escriba el nombre del Combo y presione ENTER:";
const std::string kPreguntaLista = "Escriba lista de barras a aislar separadas por espacios:";
const std::string kListaInvalida = "Existen valores no válidos en la lista de barras.  Ingrese Comando:";

class Teclado : public EstadoVisor {};

TEST_F(Teclado, LasTeclasComunesSeEscribenYRetrocesoBorra)
{
    for (char c : std::string("plo x"))
        procesarTecla(static_cast<unsigned char>(c), 0);
    EXPECT_EQ(comando, "plo x");
    procesarTecla(8, 0);
    procesarTecla(8, GLUT_ACTIVE_CTRL);  // acts whatever modifiers are held
    EXPECT_EQ(comando, "plo");
    comando.clear();
    procesarTecla(8, 0);  // on an empty line: nothing
    EXPECT_EQ(comando, "");
    // Alt and Shift together is not "exactly Alt": the letter is typed.
    procesarTecla('t', GLUT_ACTIVE_ALT | GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(comando, "t");
}

TEST_F(Teclado, AltConTFNAlternaEtiquetasOrdenadasYEsferas)
{
    procesarTecla('t', GLUT_ACTIVE_ALT);
    procesarTecla('F', GLUT_ACTIVE_ALT);
    procesarTecla('n', GLUT_ACTIVE_ALT);
    EXPECT_EQ(flags[14], 2);
    EXPECT_EQ(flags[15], 2);
    EXPECT_EQ(flags[16], 2);
    procesarTecla('x', GLUT_ACTIVE_ALT);  // Alt-x does nothing at all
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9}));
    EXPECT_EQ(comando, "");
}

TEST_F(Teclado, MasYMenosCambianLaEscalaDelResultadoMostradoOLaDelTexto)
{
    escalaM = 2;
    escalaTexto = 3;
    escalaN = 5;
    escribir("plotM");
    procesarTecla('+', 0);
    EXPECT_DOUBLE_EQ(escalaM, 2 * 1.1);
    procesarTecla('-', 0);
    procesarTecla('-', 0);
    EXPECT_DOUBLE_EQ(escalaM, 2 / 1.1);
    // Exactly Shift: only the text; Shift with Ctrl rescales the diagram.
    procesarTecla('+', GLUT_ACTIVE_SHIFT);
    EXPECT_DOUBLE_EQ(escalaTexto, 3 * 1.1);
    EXPECT_DOUBLE_EQ(escalaM, 2 / 1.1);
    procesarTecla('+', GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL);
    EXPECT_DOUBLE_EQ(escalaM, 2);
    EXPECT_DOUBLE_EQ(escalaTexto, 3 * 1.1);
    // Reactions have no scale: nothing changes.
    escribir("plotR");
    procesarTecla('+', 0);
    EXPECT_DOUBLE_EQ(escalaM, 2);
    EXPECT_DOUBLE_EQ(escalaN, 5);
    EXPECT_EQ(comando, "");
}

// "-" divides by 1.1: 0.7 / 1.1 is 0.63636363636363624 as a double (0.7 times 1/1.1 would
// round to 0.63636363636363635), and "+" then "-" gives the scale back exactly.
TEST_F(Teclado, MenosDivideYMasMenosDevuelveLaEscala)
{
    escribir("plotM");
    escalaM = 0.7;
    procesarTecla('-', 0);
    EXPECT_EQ(escalaM, 0.63636363636363624);
    escalaM = 100;
    procesarTecla('+', 0);
    procesarTecla('-', 0);
    EXPECT_EQ(escalaM, 100.0);
    escalaTexto = 100;
    procesarTecla('+', GLUT_ACTIVE_SHIFT);
    procesarTecla('-', GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(escalaTexto, 100.0);
    escalaTexto = 0.7;
    procesarTecla('-', GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(escalaTexto, 0.63636363636363624);
}

// Control keys without a row of their own type nothing: Delete and Tab after "plotM" leave
// a command that runs.
TEST_F(Teclado, SuprimirYTabuladorNoSeEscriben)
{
    for (char c : std::string("plotM"))
        procesarTecla(static_cast<unsigned char>(c), 0);
    procesarTecla(127, 0);  // Delete
    procesarTecla(9, 0);    // Tab
    EXPECT_EQ(comando, "plotM");
    procesarTecla(13, 0);
    EXPECT_TRUE(encendido(6));
    EXPECT_EQ(dialogo, "Momentos Flectores Activados. Ingrese Comando:");
}

TEST_F(Teclado, NingunaTeclaDeControlSinFilaSeEscribe)
{
    for (int tecla = 0; tecla < 32; ++tecla)
        if (tecla != 8 && tecla != 13 && tecla != 27)  // Backspace, Enter, Esc have rows
            for (int modificadores : {0, GLUT_ACTIVE_SHIFT, GLUT_ACTIVE_CTRL, GLUT_ACTIVE_ALT})
                procesarTecla(static_cast<unsigned char>(tecla), modificadores);
    // Delete and the Latin-1 control codes 128 to 159.
    for (int tecla = 127; tecla < 160; ++tecla)
        procesarTecla(static_cast<unsigned char>(tecla), 0);
    EXPECT_EQ(comando, "");
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16}));
    // The printable keys at the edges: blank, tilde, no-break space (160, two bytes in
    // UTF-8) and y with diaeresis (255).
    for (int tecla : {32, 126, 160, 255})
        procesarTecla(static_cast<unsigned char>(tecla), 0);
    EXPECT_EQ(comando, " ~\xc2\xa0\xc3\xbf");
}

// freeglut reports Caps Lock as Shift; the window system holds the Shift keys and the lock
// apart. Only Shift reported with the lock on and no Shift key held is dropped.
struct CasoBloqueo {
    const char* nombre;
    int deGlut;
    bool shiftSostenido;
    bool bloqueoActivo;
    int reales;
};
void PrintTo(const CasoBloqueo& c, std::ostream* os) { *os << c.nombre; }

const CasoBloqueo kCasosBloqueo[] = {
    {"SoloBloqueo", GLUT_ACTIVE_SHIFT, false, true, 0},
    {"BloqueoYAlt", GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT, false, true, GLUT_ACTIVE_ALT},
    {"BloqueoYCtrl", GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL, false, true, GLUT_ACTIVE_CTRL},
    {"BloqueoYShift", GLUT_ACTIVE_SHIFT, true, true, GLUT_ACTIVE_SHIFT},
    {"ShiftSinBloqueo", GLUT_ACTIVE_SHIFT, true, false, GLUT_ACTIVE_SHIFT},
    // The lock off: freeglut's Shift is the keys, even if they were let go since the event.
    {"ShiftYaSoltado", GLUT_ACTIVE_SHIFT, false, false, GLUT_ACTIVE_SHIFT},
    {"BloqueoSinShiftReportado", GLUT_ACTIVE_ALT, false, true, GLUT_ACTIVE_ALT},
    {"Nada", 0, false, false, 0},
};

class BloqueoMayusculas : public Teclado, public ::testing::WithParamInterface<CasoBloqueo> {};

TEST_P(BloqueoMayusculas, ShiftSoloSiSeSostiene)
{
    const CasoBloqueo& c = GetParam();
    EXPECT_EQ(sinBloqueoMayusculas(c.deGlut, c.shiftSostenido, c.bloqueoActivo), c.reales);
}

INSTANTIATE_TEST_SUITE_P(Visor, BloqueoMayusculas, ::testing::ValuesIn(kCasosBloqueo),
                         [](const auto& i) { return std::string(i.param.nombre); });

// With the lock alone on, keypad "+" rescales the diagram and Alt-N (the lock's capital)
// toggles the node spheres.
TEST_F(Teclado, ConBloqueoMayusculasLasTeclasActuanComoSinEl)
{
    escribir("plotM");
    escalaM = 2;
    escalaTexto = 3;
    procesarTecla('+', sinBloqueoMayusculas(GLUT_ACTIVE_SHIFT, false, true));
    EXPECT_EQ(escalaM, 2 * 1.1);
    EXPECT_EQ(escalaTexto, 3.0);
    procesarTecla('N', sinBloqueoMayusculas(GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT, false, true));
    EXPECT_FALSE(encendido(16));
    EXPECT_EQ(comando, "");
}

// The Shift keys held are recorded from their press and release, which freeglut reports
// as special keys 112 (left) and 113 (right). A window that lags handles a short Shift
// press after the key is up again, when the pointer query says no Shift: the record,
// taken in event order, still holds it at the key it came with.
TEST_F(Teclado, UnShiftRegistradoValeAunqueLaConsultaYaNoLoVea)
{
    constexpr int kShiftIzquierdo = 112, kShiftDerecho = 113;
    constexpr int kShiftAlt = GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT;
    tecladoEspecialSoltado(kShiftIzquierdo, 0, 0);  // the record as a new window finds it
    tecladoEspecialSoltado(kShiftDerecho, 0, 0);
    ASSERT_TRUE(encendido(16));

    // Caps Lock on, Alt-Shift-n: typed, not the spheres' row.
    tecladoEspecial(kShiftIzquierdo, 0, 0);
    procesarTecla('n', modificadoresReales(kShiftAlt, false, true));
    EXPECT_EQ(comando, "n");
    EXPECT_TRUE(encendido(16));
    // Other special keys, pressed or let go, leave the record as it is.
    for (int tecla : {2, 114, 116}) {  // F2, Ctrl, Alt
        tecladoEspecial(tecla, 0, 0);
        tecladoEspecialSoltado(tecla, 0, 0);
    }
    EXPECT_EQ(modificadoresReales(kShiftAlt, false, true), kShiftAlt);
    // Once let go, the lock alone: exactly Alt.
    tecladoEspecialSoltado(kShiftIzquierdo, 0, 0);
    procesarTecla('N', modificadoresReales(kShiftAlt, false, true));
    EXPECT_FALSE(encendido(16));
    EXPECT_EQ(comando, "n");

    // The right Shift and keypad "+": exactly Shift rescales the text, not the diagram.
    comando.clear();
    escribir("plotM");
    escalaM = 2;
    escalaTexto = 3;
    tecladoEspecial(kShiftDerecho, 0, 0);
    procesarTecla('+', modificadoresReales(GLUT_ACTIVE_SHIFT, false, true));
    EXPECT_EQ(escalaTexto, 3 * 1.1);
    EXPECT_EQ(escalaM, 2.0);
    tecladoEspecialSoltado(kShiftDerecho, 0, 0);
    procesarTecla('+', modificadoresReales(GLUT_ACTIVE_SHIFT, false, true));
    EXPECT_EQ(escalaM, 2 * 1.1);
    EXPECT_EQ(escalaTexto, 3 * 1.1);
}

// With no Shift recorded, the pointer query's Shift counts (a Shift pressed before the
// window had the focus); a key without Shift at all clears a record whose release went to
// another window.
TEST_F(Teclado, LaConsultaCubreUnShiftPrevioYUnaTeclaSinShiftLimpiaElRegistro)
{
    tecladoEspecialSoltado(112, 0, 0);
    tecladoEspecialSoltado(113, 0, 0);
    EXPECT_EQ(modificadoresReales(GLUT_ACTIVE_SHIFT, true, true), GLUT_ACTIVE_SHIFT);
    EXPECT_EQ(modificadoresReales(GLUT_ACTIVE_SHIFT, false, true), 0);

    tecladoEspecial(112, 0, 0);  // its release never comes
    EXPECT_EQ(modificadoresReales(GLUT_ACTIVE_ALT, false, false), GLUT_ACTIVE_ALT);
    EXPECT_EQ(modificadoresReales(GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT, false, true), GLUT_ACTIVE_ALT);
}

// Where a Shift release can go to another window: the pointer leaving or entering the
// window, its visibility changing. Each forgets the Shift keys recorded, so that with Caps
// Lock on and no Shift held keypad "+" rescales the diagram and Alt-t (the lock's "T")
// toggles the value labels, as without the lock.
struct CasoOlvido {
    const char* nombre;
    void (*callback)(int);
    int estado;
};
void PrintTo(const CasoOlvido& c, std::ostream* os) { *os << c.nombre; }

const CasoOlvido kCasosOlvido[] = {
    {"PunteroSale", mouseEntry, GLUT_LEFT},
    {"PunteroEntra", mouseEntry, GLUT_ENTERED},
    {"VentanaOculta", windowStatus, GLUT_HIDDEN},
    {"VentanaCubierta", windowStatus, GLUT_FULLY_COVERED},
    {"VentanaEnParteCubierta", windowStatus, GLUT_PARTIALLY_RETAINED},
    {"VentanaVisible", windowStatus, GLUT_FULLY_RETAINED},
};

class ShiftOlvidado : public Teclado, public ::testing::WithParamInterface<CasoOlvido> {};

TEST_P(ShiftOlvidado, UnaSueltaPerdidaNoDejaShiftSostenido)
{
    const CasoOlvido& c = GetParam();
    escribir("plotM");
    escalaM = 2;
    escalaTexto = 3;
    tecladoEspecial(112, 0, 0);  // both Shift keys down, their releases never come
    tecladoEspecial(113, 0, 0);
    ASSERT_EQ(modificadoresReales(GLUT_ACTIVE_SHIFT, false, true), GLUT_ACTIVE_SHIFT);

    c.callback(c.estado);
    procesarTecla('+', modificadoresReales(GLUT_ACTIVE_SHIFT, false, true));
    EXPECT_EQ(escalaM, 2 * 1.1);
    EXPECT_EQ(escalaTexto, 3.0);
    procesarTecla('T', modificadoresReales(GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT, false, true));
    EXPECT_FALSE(encendido(14));
    EXPECT_EQ(comando, "");
    // A Shift still held when the pointer comes back is the pointer query's.
    EXPECT_EQ(modificadoresReales(GLUT_ACTIVE_SHIFT, true, true), GLUT_ACTIVE_SHIFT);
}

INSTANTIATE_TEST_SUITE_P(Visor, ShiftOlvidado, ::testing::ValuesIn(kCasosOlvido),
                         [](const auto& i) { return std::string(i.param.nombre); });

// A scale step that would overflow is not taken, so "-" still works after it; "-" from the
// smallest positive double stays there, never zero (half of it and more rounds up).
TEST_F(Teclado, LaEscalaNuncaLlegaAInfinitoNiACero)
{
    escribir("plotM");
    for (int modificadores : {0, GLUT_ACTIVE_SHIFT}) {
        double& escala = modificadores == 0 ? escalaM : escalaTexto;
        // 1.7e308 * 1.1 = 1.87e308, beyond the largest double (1.797e308).
        for (double grande : {1.7e308, std::numeric_limits<double>::max()}) {
            escala = grande;
            procesarTecla('+', modificadores);
            EXPECT_EQ(escala, grande);
            procesarTecla('-', modificadores);
            EXPECT_EQ(escala, grande / 1.1);
        }

        escala = std::numeric_limits<double>::denorm_min();
        procesarTecla('-', modificadores);
        EXPECT_EQ(escala, std::numeric_limits<double>::denorm_min());
        escala = 1e-320;
        for (int i = 0; i < 100; ++i)
            procesarTecla('-', modificadores);
        EXPECT_GT(escala, 0.0);
    }
}

// Each result and support command: its slot and messages.
struct CasoComando {
    const char* comando;
    int slot;
    const char* activado;
    const char* desactivado;
};
void PrintTo(const CasoComando& c, std::ostream* os) { *os << c.comando; }

const CasoComando kCasosComando[] = {
    {"plotDef", 3, "Deformaciones Activadas. Ingrese Comando:", "Deformaciones Desactivadas. Ingrese Comando:"},
    {"plotN", 4, "Fuerzas Axiales Activadas. Ingrese Comando:", "Fuerzas Axiales Desactivadas. Ingrese Comando:"},
    {"plotV", 5, "Fuerzas Cortantes Activadas. Ingrese Comando:",
     "Fuerzas Cortantes Desactivadas. Ingrese Comando:"},
    {"plotM", 6, "Momentos Flectores Activados. Ingrese Comando:",
     "Momentos Flectores Desactivados. Ingrese Comando:"},
    {"plotCarga", 7, "Graficacion de Cargas Activada. Ingrese Comando:",
     "Graficacion de Cargas Desactivada. Ingrese Comando:"},
    {"plotR", 8, "Graficacion de Reacciones Activada. Ingrese Comando:",
     "Graficacion de Reacciones Desactivada. Ingrese Comando:"},
};

class ComandoResultado : public EstadoVisor, public ::testing::WithParamInterface<CasoComando> {};

TEST_P(ComandoResultado, EnciendeConSuMensajeYApagaConElOtro)
{
    const CasoComando& c = GetParam();
    escribir(c.comando);
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{c.slot, 9, 14, 15, 16}));
    EXPECT_EQ(dialogo, c.activado);
    EXPECT_EQ(comando, "");
    escribir(c.comando);
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16}));
    EXPECT_EQ(dialogo, c.desactivado);
}

INSTANTIATE_TEST_SUITE_P(Visor, ComandoResultado, ::testing::ValuesIn(kCasosComando),
                         [](const auto& i) { return std::string(i.param.comando); });

TEST_F(Teclado, PlotApoyosApagaYEnciendeLosApoyos)
{
    escribir("plotApoyos");
    EXPECT_FALSE(encendido(9));
    EXPECT_EQ(dialogo, "Graficacion de Apoyos Desactivada. Ingrese Comando:");
    escribir("plotApoyos");
    EXPECT_TRUE(encendido(9));
    EXPECT_EQ(dialogo, "Graficacion de Apoyos Activada. Ingrese Comando:");
}

TEST_F(Teclado, EtiquetasDeNudosBarrasYSecciones)
{
    escribir("tagNudos");
    escribir("tagBarras");
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{0, 1, 9, 14, 15, 16}));
    EXPECT_EQ(dialogo, kListo);
    escribir("secciones");
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{0, 2, 9, 14, 15, 16}));
    dialogo = "x";
    escribir("noTags");
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16}));
    EXPECT_EQ(dialogo, kListo);
}

TEST_F(Teclado, UnaLineaQueNoEsComandoSoloSeBorra)
{
    escribir("plotM");
    const std::string antes = dialogo;
    for (const char* linea : {"plotm", "plotM ", " plotM", "PLOTM", "", "hola"}) {
        escribir(linea);
        EXPECT_EQ(dialogo, antes) << '"' << linea << '"';
        EXPECT_EQ(comando, "");
    }
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{6, 9, 14, 15, 16}));
}

class PreguntaCombo : public EstadoVisor {
protected:
    void SetUp() override
    {
        EstadoVisor::SetUp();
        construirModelo({{1, 0, 0}, {2, 4, 0}}, {{1, 1, 2}}, {"U1", "U2", "sismo X"});
    }
};

TEST_F(PreguntaCombo, ElNombreExactoMuestraYOcultaElCombo)
{
    escribir("combo");
    EXPECT_EQ(dialogo, kPreguntaCombo);
    escribir("U2");
    EXPECT_TRUE(encendido(101));
    EXPECT_EQ(numeroComboCoincidente, 1);
    EXPECT_EQ(dialogo, "Combo Activado/Desactivado, OK. Ingrese Comando:");
    escribir("combo");
    escribir("U2");
    EXPECT_FALSE(encendido(101));
    EXPECT_EQ(flags[101], 2);
    // A name with a blank inside is one name.
    escribir("combo");
    escribir("sismo X");
    EXPECT_TRUE(encendido(102));
}

TEST_F(PreguntaCombo, UnNombreQueNoExisteNoCambiaNada)
{
    escribir("combo");
    escribir("u2");
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    EXPECT_EQ(numeroComboCoincidente, -1);
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16}));
}

TEST_F(PreguntaCombo, ComboEnLaPreguntaSeTomaComoNombreYPreguntaOtraVez)
{
    escribir("combo");
    escribir("combo");
    EXPECT_EQ(numeroComboCoincidente, -1);
    EXPECT_EQ(dialogo, kPreguntaCombo);
    // A result command at the question switches its flag and ends the question.
    escribir("plotM");
    EXPECT_EQ(dialogo, "Momentos Flectores Activados. Ingrese Comando:");
    escribir("U1");
    EXPECT_FALSE(encendido(100));
}

TEST_F(PreguntaCombo, SinNudosNingunNombreEsUnCombo)
{
    construirModelo({}, {}, {});
    escribir("combo");
    escribir("U1");
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    EXPECT_EQ(numeroComboCoincidente, -1);
}

TEST_F(PreguntaCombo, UnComboSinCasillaDaUnMensajeYNoTocaLaTabla)
{
    std::vector<std::string> combos;
    for (int i = 0; i < 120; ++i)
        combos.push_back("C" + std::to_string(i));
    construirModelo({{1, 0, 0}, {2, 4, 0}}, {{1, 1, 2}}, combos);
    escribir("combo");
    escribir("C99");
    EXPECT_TRUE(encendido(199));
    escribir("combo");
    escribir("C100");
    EXPECT_EQ(numeroComboCoincidente, 100);
    EXPECT_EQ(dialogo,
              "El combo C100 no se puede mostrar: solo los 100 primeros combos tienen casilla. Ingrese Comando:");
    EXPECT_EQ(flags.size(), 200u);
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16, 199}));
}

// Frame of bars 1, 3, 5, 9 (user numbers with gaps) over nodes 1 to 5:
// bar 1: 1-2, bar 3: 2-3, bar 5: 3-4, bar 9: 4-5.
class ListaAislar : public EstadoVisor {
protected:
    void SetUp() override
    {
        EstadoVisor::SetUp();
        construirModelo({{1, 0, 0}, {2, 1, 0}, {3, 2, 0}, {4, 3, 0}, {5, 4, 0}},
                        {{1, 1, 2}, {3, 2, 3}, {5, 3, 4}, {9, 4, 5}}, {"U1"});
    }
};

struct CasoLista {
    const char* nombre;
    const char* lista;
    const char* dialogo;
    std::vector<int> barras;  // expected barrasAisladas
    std::vector<int> nudos;   // expected nudosAislados
};
void PrintTo(const CasoLista& c, std::ostream* os) { *os << c.nombre; }

const char* const kOk = "Ingrese Comando:";
const char* const kMal = "Existen valores no válidos en la lista de barras.  Ingrese Comando:";

const CasoLista kCasosLista[] = {
    {"TresYCinco", "3 5", kOk, {0, 1, 1, 0}, {0, 1, 1, 1, 0}},
    {"BlancoAlFinal", "3 5 ", kOk, {0, 1, 1, 0}, {0, 1, 1, 1, 0}},
    {"BlancoAlPrincipioYDoble", " 3  5", kOk, {0, 1, 1, 0}, {0, 1, 1, 1, 0}},
    {"RepetidoYCerosALaIzquierda", "9 009", kOk, {0, 0, 0, 1}, {0, 0, 0, 1, 1}},
    {"Vacia", "", kOk, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
    {"SoloBlancos", "   ", kOk, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
    {"UnaLetra", "3 x", kMal, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
    {"ConPunto", "3.5", kMal, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
    {"Hueco", "3 4", kMal, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
    {"Cero", "0", kMal, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
    {"MayorQueElMayor", "10", kMal, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
    {"FueraDelRangoDeInt", "3 99999999999999999999", kMal, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
    {"JustoSobreInt", "2147483648", kMal, {0, 0, 0, 0}, {0, 0, 0, 0, 0}},
};

class ListaAislarCasos : public ListaAislar, public ::testing::WithParamInterface<CasoLista> {};

TEST_P(ListaAislarCasos, MuestraSoloLasBarrasListadasYSusNudos)
{
    const CasoLista& c = GetParam();
    escribir("aislar");
    EXPECT_EQ(dialogo, kPreguntaLista);
    escribir(c.lista);
    EXPECT_EQ(dialogo, c.dialogo);
    EXPECT_EQ(barrasAisladas, Eigen::Map<const Eigen::VectorXi>(c.barras.data(), 4));
    EXPECT_EQ(nudosAislados, Eigen::Map<const Eigen::VectorXi>(c.nudos.data(), 5));
    escribir("noAislar");
    EXPECT_EQ(barrasAisladas, Eigen::VectorXi::Ones(4));
    EXPECT_EQ(nudosAislados, Eigen::VectorXi::Ones(5));
    EXPECT_EQ(dialogo, kListo);
}

INSTANTIATE_TEST_SUITE_P(Visor, ListaAislarCasos, ::testing::ValuesIn(kCasosLista),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(ListaAislar, SinBarrasCualquierNumeroEsInvalido)
{
    // The bar lookup of an earlier model may still be there; without bars it serves nothing.
    construirModelo({{1, 0, 0}}, {}, {"U1"});
    punteroBarras.setZero(4);
    escribir("aislar");
    escribir("1");
    EXPECT_EQ(dialogo, kListaInvalida);
    EXPECT_EQ(nudosAislados, Eigen::VectorXi::Zero(1));
}

TEST_F(ListaAislar, UnHuecoQueElPunteroEnviaAOtraBarraEsInvalido)
{
    // A lookup that sends the unused number 4 to the first bar must not show bar 1.
    punteroBarras(4) = 0;
    escribir("aislar");
    escribir("4");
    EXPECT_EQ(dialogo, kListaInvalida);
    EXPECT_EQ(barrasAisladas, Eigen::VectorXi::Zero(4));
}

TEST_F(ListaAislar, AislarYNoAislarEnLaPregunta)
{
    escribir("aislar");
    escribir("aislar");  // taken as a list first (invalid), then the question again
    EXPECT_EQ(dialogo, kPreguntaLista);
    EXPECT_EQ(barrasAisladas, Eigen::VectorXi::Zero(4));
    escribir("noAislar");  // shows everything and ends the question
    EXPECT_EQ(dialogo, kListo);
    EXPECT_EQ(barrasAisladas, Eigen::VectorXi::Ones(4));
    escribir("aislar");
    escribir("combo");  // ends the list question and asks for a combination
    EXPECT_EQ(dialogo, kPreguntaCombo);
    EXPECT_EQ(barrasAisladas, Eigen::VectorXi::Ones(4));
}

TEST_F(Teclado, F1MuestraYOcultaLaAyudaYOtrasTeclasEspecialesNada)
{
    tecladoEspecial(1, 0, 0);
    EXPECT_TRUE(encendido(10));
    tecladoEspecial(1, 0, 0);
    EXPECT_FALSE(encendido(10));
    EXPECT_EQ(flags[10], 2);
    for (int tecla : {2, 3, 4, 6, 12, 100, 112, 114, 116})  // 112, 114, 116: Shift, Ctrl, Alt
        tecladoEspecial(tecla, 0, 0);
    EXPECT_EQ(slotsEncendidos(), (std::vector<int>{9, 14, 15, 16}));
    EXPECT_EQ(comando, "");
}

// Ending the process: a child process of the test binary runs the key and must exit 0.
class Salida : public EstadoVisor {};

TEST_F(Salida, EscExitYSalirTerminanConCodigoCero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(procesarTecla(27, 0), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(escribir("exit"), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            escribir("combo");
            escribir("salir");
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
