#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "funcionLeerArchivo.h"
#include "funcionSolucionU.h"
#include "invariantesModelo.h"
#include "modeloDePrueba.h"
#include "variablesGlobales.h"

// The solver off the happy path: numbers at the ends of the double range, directions that
// nothing stiffens, mechanisms, and a model changed after its solve. Whatever the input,
// no NaN or infinity may reach a result: the solve either gives finite results or says
// in one line why it gives none.

namespace {

class SolucionExtrema : public ::testing::Test {
protected:
    void SetUp() override { prueba::reiniciarEstado(); }
    void TearDown() override { prueba::reiniciarEstado(); }

    // Reads the text and solves it; answers the solver's console lines only.
    std::string leerYResolver(const std::string& texto)
    {
        nombreArchivo = directorio.escribir("entrada.txt", texto);
        {
            CapturaConsola lectura;
            funcionLeerArchivo();
        }
        CapturaConsola consola;
        funcionSolucionU();
        return consola.texto();
    }

    const objNudo2d& nudoUsuario(int n) const { return nudo[static_cast<std::size_t>(punteroNudos[n])]; }

    DirectorioTemporal directorio;
};

struct CasoExtremo {
    const char* nombre;
    const char* entrada;
    const char* linea;   // what the solver says; empty when it solves
};

void PrintTo(const CasoExtremo& caso, std::ostream* salida) { *salida << caso.nombre; }

// A bar from node 1 at the origin to node 2, section S (A, I, E, unit weight) on bar 1;
// node 1 fixed, node 2 free only along X unless the case says otherwise.
const CasoExtremo kCasosExtremos[] = {
    // hypot: L = 1e200 where the sum of squares overflows. The bar is horizontal (angle 0,
    // not pi/2), and its axial stiffness E A / L = 1e-200 is tiny but finite.
    {"Longitud1e200",
     "nudos: 1 0 0 2 1e200 0\nbarras: 1 1 2\napoyo: 1 1 1 1\napoyo: 0 1 1 2\n"
     "seccionGenerica: S 1 1 1 0 1\npuntual: P 1 0 0 2\ncombo: C 1 P\n",
     ""},
    // 1e-170 apart: no false zero length; then E I / L^3 overflows.
    {"SeparadosEnUnoEMenos170",
     "nudos: 1 0 0 2 1e-170 0\nbarras: 1 1 2\napoyo: 1 1 1 1\n"
     "seccionGenerica: S 1 1 1 0 1\npuntual: P 1 0 0 2\ncombo: C 1 P\n",
     "La barra 1 tiene rigideces no finitas: no se resuelve la estructura\n"},
    // L^3 = 1e-330 underflows to 0: an infinite bending stiffness.
    {"LongitudUnoEMenos110",
     "nudos: 1 0 0 2 0 1e-110\nbarras: 1 1 2\napoyo: 1 1 1 1\n"
     "seccionGenerica: S 1 1 1 0 1\npuntual: P 1 0 0 2\ncombo: C 1 P\n",
     "La barra 1 tiene rigideces no finitas: no se resuelve la estructura\n"},
    // 1e308 x 10 is beyond the range of a double.
    {"Factor1e308",
     "nudos: 1 0 0 2 3 0\nbarras: 1 1 2\napoyo: 1 1 1 1\n"
     "seccionGenerica: S 1 1 1 0 1\npuntual: V 10 0 0 2\ncombo: C 1e308 V\n",
     "El nudo 2 tiene cargas no finitas: no se resuelve la estructura\n"},
    // A x unit weight = 1e400: the self weight's global components are inf x 0 = NaN.
    {"PesoPropioDesbordado",
     "nudos: 1 0 0 2 3 0\nbarras: 1 1 2\napoyo: 1 1 1 1\n"
     "seccionGenerica: S 1e200 1 1 1e200 1\npesoPropio: PP\ncombo: C 1 PP\n",
     "La barra 1 tiene cargas no finitas: no se resuelve la estructura\n"},
    // Finite data, infinite answer: u = P L / (E A) = 1e300 x 1 / 1e-300.
    {"DesplazamientoDesbordado",
     "nudos: 1 0 0 2 1 0\nbarras: 1 1 2\napoyo: 1 1 1 1\napoyo: 0 1 1 2\n"
     "seccionGenerica: S 1 1 1e-300 0 1\npuntual: P 1e300 0 0 2\ncombo: C 1 P\n",
     "El nudo 2 tiene desplazamientos no finitos: no se resuelve la estructura\n"},
};

class Extremos : public SolucionExtrema, public ::testing::WithParamInterface<CasoExtremo> {};

TEST_P(Extremos, NingunResultadoNoFinito)
{
    const std::string texto = leerYResolver(GetParam().entrada);
    ASSERT_EQ(noNudos, 2);
    EXPECT_EQ(texto, GetParam().linea);
    EXPECT_EQ(resultadoNoFinito(), "");
    // A refused solve leaves no result anywhere; an accepted one leaves them everywhere.
    const bool resuelto = std::string(GetParam().linea).empty();
    EXPECT_EQ(nudo[1].tieneResultados(0), resuelto);
    EXPECT_EQ(barra[0].tieneResultados(0), resuelto);
    EXPECT_EQ(u.size() > 0, resuelto);
}

INSTANTIATE_TEST_SUITE_P(Casos, Extremos, ::testing::ValuesIn(kCasosExtremos),
                         [](const auto& info) { return std::string(info.param.nombre); });

// Axial bar 1e200 long, E A = 1, P = 1 along X: u = P L / (E A) = 1e200 and Rx = -1.
TEST_F(SolucionExtrema, BarraDe1e200EsHorizontal)
{
    EXPECT_EQ(leerYResolver(kCasosExtremos[0].entrada), "");
    EXPECT_EQ(barra[0].getAngulo(), 0.0);
    EXPECT_DOUBLE_EQ(barra[0].getLongitud(), 1e200);
    EXPECT_DOUBLE_EQ(nudoUsuario(2).getDesplazamientoX(0), 1e200);
    EXPECT_DOUBLE_EQ(nudoUsuario(1).getReaccionX(0), -1.0);
}

// Stiffnesses far apart in size: a spring beside a bar, a bar of extreme length or
// section. None is a mechanism, and each solves to its closed form with no line.
struct CasoResorte {
    const char* nombre;
    double k;
};

void PrintTo(const CasoResorte& caso, std::ostream* salida) { *salida << caso.nombre; }

const CasoResorte kCasosResorte[] = {{"Resorte1e12", 1e12}, {"Resorte1e20", 1e20}, {"Resorte1e22", 1e22}};

class ResorteRigido : public SolucionExtrema, public ::testing::WithParamInterface<CasoResorte> {};

// A spring stiff enough is a support: the simply supported beam. End rotations
// -/+ q L^3 / (24 E I) = 1250 / 1.44e6, end moments 0, midspan q L^2 / 8 = 31.25 (sagging,
// positive). A spring of 1e12 lets node 2 sink 25 / 1e12, which turns the beam by 5e-12.
TEST_P(ResorteRigido, ApoyoSimple)
{
    // Beam 5 long, E I = 2e7 x 3e-3 = 6e4, under q = 10 down; pinned at node 1 (rotation
    // free) and on a spring k in Y at node 2, X free there.
    char entrada[512];
    std::snprintf(entrada, sizeof entrada,
                  "nudos: 1 0 0 2 5 0\nbarras: 1 1 2\napoyo: 1 1 0 1\nresorte: 0 %.17g 0 2\n"
                  "seccionGenerica: S 0.05 3e-3 2e7 0 1\ndistribuidaLocal: Q 0 0 -10 -10 1\ncombo: C 1 Q\n",
                  GetParam().k);
    EXPECT_EQ(leerYResolver(entrada), "");
    const double giro = 10.0 * 125.0 / (24.0 * 2e7 * 3e-3);
    EXPECT_NEAR(nudoUsuario(1).getGiroZ(0), -giro, 1e-8 * giro);
    EXPECT_NEAR(nudoUsuario(2).getGiroZ(0), giro, 1e-8 * giro);
    const Eigen::MatrixXd M = barra[0].getSolicitacionMomento(0, 3);
    EXPECT_NEAR(M(1, 0), 0.0, 1e-9 * 31.25);
    EXPECT_NEAR(M(1, 1), 31.25, 1e-9 * 31.25);
    EXPECT_NEAR(M(1, 2), 0.0, 1e-9 * 31.25);
    // Equilibrium: each end carries half of q L = 50.
    EXPECT_NEAR(nudoUsuario(1).getReaccionY(0), 25.0, 1e-9 * 25.0);
    EXPECT_NEAR(nudoUsuario(2).getReaccionY(0), 25.0, 1e-9 * 25.0);
    EXPECT_EQ(resultadoNoFinito(), "");
}

INSTANTIATE_TEST_SUITE_P(Casos, ResorteRigido, ::testing::ValuesIn(kCasosResorte),
                         [](const auto& info) { return std::string(info.param.nombre); });

struct CasoVoladizo {
    const char* nombre;
    double L;
    double A;
};

void PrintTo(const CasoVoladizo& caso, std::ostream* salida) { *salida << caso.nombre; }

// Cantilever along X, fixed at node 1, E = I = 1, tip load P = 1 down at node 2.
const CasoVoladizo kCasosVoladizo[] = {
    {"Longitud1e100", 1e100, 1.0},          // E A / L = 1e-100 beside 12 E I / L^3 = 1.2e-299
    {"LongitudUnoEMenos100", 1e-100, 1.0},   // 12 E I / L^3 = 1.2e301 beside 4 E I / L = 4e100
    {"Area1e200", 2.0, 1e200},              // E A / L = 5e199 beside 12 E I / L^3 = 1.5
};

class VoladizoExtremo : public SolucionExtrema, public ::testing::WithParamInterface<CasoVoladizo> {};

// uy = -P L^3 / (3 E I), tip rotation -P L^2 / (2 E I); the fixed end reacts with
// Ry = P and M = P L.
TEST_P(VoladizoExtremo, FlechaEnElExtremo)
{
    const double L = GetParam().L;
    char entrada[512];
    std::snprintf(entrada, sizeof entrada,
                  "nudos: 1 0 0 2 %.17g 0\nbarras: 1 1 2\napoyo: 1 1 1 1\n"
                  "seccionGenerica: S %.17g 1 1 0 1\npuntual: P 0 -1 0 2\ncombo: C 1 P\n",
                  L, GetParam().A);
    EXPECT_EQ(leerYResolver(entrada), "");
    const double flecha = L * L * L / 3.0;
    const double giro = L * L / 2.0;
    EXPECT_NEAR(nudoUsuario(2).getDesplazamientoY(0), -flecha, 1e-9 * flecha);
    EXPECT_NEAR(nudoUsuario(2).getGiroZ(0), -giro, 1e-9 * giro);
    EXPECT_NEAR(nudoUsuario(1).getReaccionY(0), 1.0, 1e-9);
    EXPECT_NEAR(nudoUsuario(1).getReaccionM(0), L, 1e-9 * L);
    EXPECT_EQ(resultadoNoFinito(), "");
}

INSTANTIATE_TEST_SUITE_P(Casos, VoladizoExtremo, ::testing::ValuesIn(kCasosVoladizo),
                         [](const auto& info) { return std::string(info.param.nombre); });

// Real mechanisms whose stiffnesses differ widely: still found, and named in the mode as
// the structure moves, not as the scaled factorisation holds it.
const CasoExtremo kCasosMecanismo[] = {
    // Beam pinned at node 1 (rotation free), held at node 2 only along X by a spring of
    // 1e20: it turns about node 1, node 2 moving in Y; its X, the stiffest, does not move.
    {"JuntoAUnResorteRigido",
     "nudos: 1 0 0 2 5 0\nbarras: 1 1 2\napoyo: 1 1 0 1\nresorte: 1e20 0 0 2\n"
     "seccionGenerica: S 0.05 3e-3 2e7 0 1\npuntual: P 0 -1 0 2\ncombo: C 1 P\n",
     "Estructura inestable (mecanismo): nudo 2, dirección Y\n"},
    // Nodes at x = 0, 1, 11, continuous, pinned at node 1 only, E I = 1: the whole beam
    // turns about node 1 and node 3 moves 11 times as far as node 2. Scaled by the roots of
    // their stiffnesses (12 + 12 / 1000 against 12 / 1000) node 2 would seem to move most.
    {"NombraElNudoQueMasSeMueve",
     "nudos: 1 0 0 2 1 0 3 11 0\nbarras: 1 1 2 2 2 3\napoyo: 1 1 0 1\n"
     "seccionGenerica: S 1 1 1 0 1 2\npuntual: P 0 -1 0 3\ncombo: C 1 P\n",
     "Estructura inestable (mecanismo): nudo 3, dirección Y\n"},
};

class Mecanismos : public SolucionExtrema, public ::testing::WithParamInterface<CasoExtremo> {};

TEST_P(Mecanismos, LineaDeInestabilidad)
{
    EXPECT_EQ(leerYResolver(GetParam().entrada), GetParam().linea);
}

INSTANTIATE_TEST_SUITE_P(Casos, Mecanismos, ::testing::ValuesIn(kCasosMecanismo),
                         [](const auto& info) { return std::string(info.param.nombre); });

// Mechanisms whose loose direction is unloaded: every other direction moves as in the same
// model with the loose direction held, and the line names the loose direction. A pin-ended
// bar that is vertical or drawn leftwards stiffens the direction across it by rounding
// noise only (k cos^2(pi/2), about 4e-33 k), which is what the loose direction gets here.
// Beside them a roller made of a spring of 1e20, which is no mechanism, against the roller
// held. Section S: E A = 1e4, E I = 2e4; P = 10.
struct CasoSujeto {
    const char* nombre;
    const char* entrada;
    const char* sujeta;   // the same model with the loose direction held
    const char* lineas;   // what the solver says about the first
    int barra;            // a bar whose axial force has a closed form
    double axial;
};

void PrintTo(const CasoSujeto& caso, std::ostream* salida) { *salida << caso.nombre; }

#define GIROS_1_2 "Direcciones sin rigidez: 2 (nudo 1, dirección giro; nudo 2, dirección giro); sus desplazamientos se toman 0\n"

// Mechanisms beside a stiff spring, used twice below.
#define VOLADIZO_GUIADO_CON_ESLABON(RESORTE) \
    "nudos: 1 0 0 2 3 0 3 3 -2\nbarras: 1 1 2 2 2 3\napoyo: 1 1 1 1\nresorte: 0 0 " RESORTE " 2\n" \
    "articulacion: 0 0 2\nseccionGenerica: S 1 0.2 1e4 0 1 2\npuntual: P 0 -10 0 2\ncombo: C 1 P\n"
#define PORTICO_QUE_SE_DESPLAZA_Y_VOLADIZO(RESORTE) \
    "nudos: 1 0 0 2 0 4 3 6 4 4 6 0 5 10 0 6 15 0\nbarras: 1 1 2 2 2 3 3 4 3 4 5 6\n" \
    "apoyo: 1 1 0 1 4\napoyo: 1 1 1 5\narticulacion: 0 0 2\nresorte: " RESORTE " 0 0 6\n" \
    "seccionGenerica: S 1 2 1e4 0 1 2 3 4\npuntual: H 10 0 0 2\npuntual: P 0 -10 0 6\ncombo: C 1 H 1 P\n"
const char* const kVoladizoGuiadoConEslabon = VOLADIZO_GUIADO_CON_ESLABON("1e20");
const char* const kPorticoQueSeDesplazaYVoladizo = PORTICO_QUE_SE_DESPLAZA_Y_VOLADIZO("1e20");

const CasoSujeto kCasosSujetos[] = {
    // A hanger 3 long from a pin, P down at its free end: N = P (tension).
    {"Colgante",
     "nudos: 1 0 0 2 0 -3\nbarras: 1 1 2\napoyo: 1 1 0 1\narticulacion: 0 0 1\n"
     "seccionGenerica: S 1 2 1e4 0 1\npuntual: P 0 -10 0 2\ncombo: C 1 P\n",
     "nudos: 1 0 0 2 0 -3\nbarras: 1 1 2\napoyo: 1 1 0 1\napoyo: 1 0 0 2\narticulacion: 0 0 1\n"
     "seccionGenerica: S 1 2 1e4 0 1\npuntual: P 0 -10 0 2\ncombo: C 1 P\n",
     GIROS_1_2 "Estructura inestable (mecanismo): nudo 2, dirección X\n", 1, 10.0},
    // A post 3 high on a pin, P down at its top: N = -P.
    {"Poste",
     "nudos: 1 0 0 2 0 3\nbarras: 1 1 2\napoyo: 1 1 0 1\narticulacion: 0 0 1\n"
     "seccionGenerica: S 1 2 1e4 0 1\npuntual: P 0 -10 0 2\ncombo: C 1 P\n",
     "nudos: 1 0 0 2 0 3\nbarras: 1 1 2\napoyo: 1 1 0 1\napoyo: 1 0 0 2\narticulacion: 0 0 1\n"
     "seccionGenerica: S 1 2 1e4 0 1\npuntual: P 0 -10 0 2\ncombo: C 1 P\n",
     GIROS_1_2 "Estructura inestable (mecanismo): nudo 2, dirección X\n", 1, -10.0},
    // A tie 2 long drawn leftwards from a pin, pulled leftwards by P: N = P.
    {"TiranteHaciaLaIzquierda",
     "nudos: 1 0 0 2 -2 0\nbarras: 1 1 2\napoyo: 1 1 0 1\narticulacion: 0 0 1\n"
     "seccionGenerica: S 1 2 1e4 0 1\npuntual: P -10 0 0 2\ncombo: C 1 P\n",
     "nudos: 1 0 0 2 -2 0\nbarras: 1 1 2\napoyo: 1 1 0 1\napoyo: 0 1 0 2\narticulacion: 0 0 1\n"
     "seccionGenerica: S 1 2 1e4 0 1\npuntual: P -10 0 0 2\ncombo: C 1 P\n",
     GIROS_1_2 "Estructura inestable (mecanismo): nudo 2, dirección Y\n", 1, 10.0},
    // A fixed portal 6 wide and 4 high whose beam, at node 5 (mid-span), carries a
    // pin-ended hanger 3 long with P down at its end, node 6: the hanger's N = P.
    {"PorticoConColgante",
     "nudos: 1 0 0 2 0 4 3 6 4 4 6 0 5 3 4 6 3 1\nbarras: 1 1 2 2 2 5 3 5 3 4 4 3 5 5 6\n"
     "apoyo: 1 1 1 1 4\narticulacion: 0 0 5\nseccionGenerica: S 1 2 1e4 0 1 2 3 4 5\n"
     "puntual: P 0 -10 0 6\ncombo: C 1 P\n",
     "nudos: 1 0 0 2 0 4 3 6 4 4 6 0 5 3 4 6 3 1\nbarras: 1 1 2 2 2 5 3 5 3 4 4 3 5 5 6\n"
     "apoyo: 1 1 1 1 4\napoyo: 1 0 0 6\narticulacion: 0 0 5\nseccionGenerica: S 1 2 1e4 0 1 2 3 4 5\n"
     "puntual: P 0 -10 0 6\ncombo: C 1 P\n",
     "Dirección sin rigidez: nudo 6, dirección giro; su desplazamiento se toma 0\n"
     "Estructura inestable (mecanismo): nudo 6, dirección X\n",
     5, 10.0},
    // The beam of ResorteRigido on a spring of 1e20 in Y at node 2, against a roller there:
    // no axial force.
    {"RodilloDeResorte1e20",
     "nudos: 1 0 0 2 5 0\nbarras: 1 1 2\napoyo: 1 1 0 1\nresorte: 0 1e20 0 2\n"
     "seccionGenerica: S 0.05 3e-3 2e7 0 1\ndistribuidaLocal: Q 0 0 -10 -10 1\ncombo: C 1 Q\n",
     "nudos: 1 0 0 2 5 0\nbarras: 1 1 2\napoyo: 1 1 0 1\napoyo: 0 1 0 2\n"
     "seccionGenerica: S 0.05 3e-3 2e7 0 1\ndistribuidaLocal: Q 0 0 -10 -10 1\ncombo: C 1 Q\n",
     "", 1, 0.0},
    // A cantilever 3 long (E I = 2000) whose tip rotation a spring of 1e20 holds, with a
    // pin-ended link 2 long hanging free from its tip, P down at the tip: the link swings
    // (its end along X) and carries nothing.
    {"VoladizoGuiadoConEslabon", kVoladizoGuiadoConEslabon,
     "nudos: 1 0 0 2 3 0 3 3 -2\nbarras: 1 1 2 2 2 3\napoyo: 1 1 1 1\napoyo: 1 0 0 3\nresorte: 0 0 1e20 2\n"
     "articulacion: 0 0 2\nseccionGenerica: S 1 0.2 1e4 0 1 2\npuntual: P 0 -10 0 2\ncombo: C 1 P\n",
     "Dirección sin rigidez: nudo 3, dirección giro; su desplazamiento se toma 0\n"
     "Estructura inestable (mecanismo): nudo 3, dirección X\n",
     2, 0.0},
    // A portal whose bases are pinned and whose beam is hinged at both ends, loaded across
    // at node 2, sways; beside it, a cantilever 5 long (E I = 2e4) with a spring of 1e20
    // along its axis at its tip, P down there. The sway's load is lost at node 2, held
    // along X, so the beam carries nothing.
    {"PorticoQueSeDesplazaYVoladizo", kPorticoQueSeDesplazaYVoladizo,
     "nudos: 1 0 0 2 0 4 3 6 4 4 6 0 5 10 0 6 15 0\nbarras: 1 1 2 2 2 3 3 4 3 4 5 6\n"
     "apoyo: 1 1 0 1 4\napoyo: 1 1 1 5\napoyo: 1 0 0 2\narticulacion: 0 0 2\nresorte: 1e20 0 0 6\n"
     "seccionGenerica: S 1 2 1e4 0 1 2 3 4\npuntual: H 10 0 0 2\npuntual: P 0 -10 0 6\ncombo: C 1 H 1 P\n",
     "Estructura inestable (mecanismo): nudo 2, dirección X\n", 2, 0.0},
};

class MecanismoSujeto : public SolucionExtrema, public ::testing::WithParamInterface<CasoSujeto> {
protected:
    // Every node's displacements, X, Y and rotation in node order.
    static std::vector<double> desplazamientos()
    {
        std::vector<double> todos;
        for (const objNudo2d& n : nudo)
            todos.insert(todos.end(), {n.getDesplazamientoX(0), n.getDesplazamientoY(0), n.getGiroZ(0)});
        return todos;
    }
};

TEST_P(MecanismoSujeto, ComoConLaDireccionSujeta)
{
    leerYResolver(GetParam().sujeta);
    ASSERT_TRUE(nudo[1].tieneResultados(0));
    const std::vector<double> sujetos = desplazamientos();
    double escala = 0.0;
    for (double d : sujetos)
        escala = std::max(escala, std::abs(d));
    ASSERT_GT(escala, 0.0);

    prueba::reiniciarEstado();
    EXPECT_EQ(leerYResolver(GetParam().entrada), GetParam().lineas);
    ASSERT_TRUE(nudo[1].tieneResultados(0));
    const std::vector<double> libres = desplazamientos();
    ASSERT_EQ(libres.size(), sujetos.size());
    for (std::size_t i = 0; i < libres.size(); ++i)
        EXPECT_NEAR(libres[i], sujetos[i], 1e-12 * escala) << "nudo " << i / 3 + 1 << ", dirección " << i % 3;

    const objBarra2d& b = barra[static_cast<std::size_t>(punteroBarras[GetParam().barra])];
    const Eigen::MatrixXd N = b.getSolicitacionAxial(0, 2);
    EXPECT_NEAR(N(1, 0), GetParam().axial, 1e-9 * 10);
    EXPECT_NEAR(N(1, 1), GetParam().axial, 1e-9 * 10);
    EXPECT_EQ(resultadoNoFinito(), "");
}

INSTANTIATE_TEST_SUITE_P(Casos, MecanismoSujeto, ::testing::ValuesIn(kCasosSujetos),
                         [](const auto& info) { return std::string(info.param.nombre); });

// The same two models against their closed forms, for springs from 1e18 up (P = 10). The
// guided cantilever (tip rotation held): uy = -P L^3 / (12 E I) = -270 / 24000, end moments
// -P L / 2 and +P L / 2 = -/+15. The plain cantilever: uy = -P L^3 / (3 E I) = -1250 / 6e4,
// rotation -P L^2 / (2 E I) = -250 / 4e4, moments -P L = -50 at the fixed end and 0 at the tip.
struct CasoFormaCerrada {
    const char* nombre;
    const char* entrada;
    int nudo;            // the loaded tip
    double flecha;
    double giro;
    int barra;           // the cantilever
    double momentoInicio;
    double momentoFin;
};

void PrintTo(const CasoFormaCerrada& caso, std::ostream* salida) { *salida << caso.nombre; }

const CasoFormaCerrada kCasosFormaCerrada[] = {
    {"VoladizoGuiado1e18", VOLADIZO_GUIADO_CON_ESLABON("1e18"), 2, -270.0 / 24000, 0.0, 1, -15, 15},
    {"VoladizoGuiado1e20", VOLADIZO_GUIADO_CON_ESLABON("1e20"), 2, -270.0 / 24000, 0.0, 1, -15, 15},
    {"VoladizoJuntoAlPortico1e18", PORTICO_QUE_SE_DESPLAZA_Y_VOLADIZO("1e18"), 6, -1250.0 / 6e4, -250.0 / 4e4, 4, -50, 0},
    {"VoladizoJuntoAlPortico1e20", PORTICO_QUE_SE_DESPLAZA_Y_VOLADIZO("1e20"), 6, -1250.0 / 6e4, -250.0 / 4e4, 4, -50, 0},
};

class MecanismoJuntoAResorteRigido : public SolucionExtrema, public ::testing::WithParamInterface<CasoFormaCerrada> {};

TEST_P(MecanismoJuntoAResorteRigido, FormaCerradaFueraDelMecanismo)
{
    const CasoFormaCerrada& caso = GetParam();
    const std::string texto = leerYResolver(caso.entrada);
    EXPECT_NE(texto.find("Estructura inestable (mecanismo): "), std::string::npos) << texto;
    const objNudo2d& punta = nudoUsuario(caso.nudo);
    ASSERT_TRUE(punta.tieneResultados(0));
    EXPECT_NEAR(punta.getDesplazamientoY(0), caso.flecha, 1e-9 * std::abs(caso.flecha));
    EXPECT_NEAR(punta.getGiroZ(0), caso.giro, 1e-9 * std::abs(caso.flecha));
    const Eigen::MatrixXd M = barra[static_cast<std::size_t>(punteroBarras[caso.barra])].getSolicitacionMomento(0, 2);
    EXPECT_NEAR(M(1, 0), caso.momentoInicio, 1e-9 * 50);
    EXPECT_NEAR(M(1, 1), caso.momentoFin, 1e-9 * 50);
    EXPECT_EQ(resultadoNoFinito(), "");
}

INSTANTIATE_TEST_SUITE_P(Casos, MecanismoJuntoAResorteRigido, ::testing::ValuesIn(kCasosFormaCerrada),
                         [](const auto& info) { return std::string(info.param.nombre); });

// A pendulum 3 long on a pin loaded across at its end: the load lies on the loose direction
// and is lost, but the bar along the pendulum's length carries nothing of it (N = 0, not
// the 1e17 of a stiff direction dropped in its place).
TEST_F(SolucionExtrema, PenduloCargadoDeTravesNoTieneAxial)
{
    EXPECT_EQ(leerYResolver("nudos: 1 0 0 2 0 -3\nbarras: 1 1 2\napoyo: 1 1 0 1\narticulacion: 0 0 1\n"
                            "seccionGenerica: S 1 2 1e4 0 1\npuntual: P 5 0 0 2\ncombo: C 1 P\n"),
              GIROS_1_2 "Estructura inestable (mecanismo): nudo 2, dirección X\n");
    EXPECT_NEAR(barra[0].getSolicitacionAxial(0, 2)(1, 0), 0.0, 1e-9);
    EXPECT_EQ(nudoUsuario(2).getDesplazamientoY(0), 0.0);
    EXPECT_EQ(resultadoNoFinito(), "");
}

// Simply supported beams of extreme length under a uniform load q = -Q: the solve gives
// finite results and says nothing, and the deflected shape is finite too, its mid-span
// point at 5 Q L^4 / (384 E I) times the scale (E = 1, I as given; every step of that
// product representable as written).
TEST_F(SolucionExtrema, VigaDeLongitudExtremaTieneDeformadaFinita)
{
    struct Caso { const char* L; double longitud; double Q; };
    const Caso casos[] = {{"1e77", 1e77, -1e4}, {"1e100", 1e100, -1.0}};
    for (const Caso& k : casos) {
        prueba::reiniciarEstado();
        const std::string texto = leerYResolver(std::string("nudos: 1 0 0 2 ") + k.L + " 0\nbarras: 1 1 2\n"
                                                "apoyo: 1 1 0 1\napoyo: 0 1 0 2\nseccionGenerica: S 1 1e100 1 0 1\n"
                                                "distribuidaLocal: Q 0 0 " + std::to_string(k.Q) + " "
                                                + std::to_string(k.Q) + " 1\ncombo: C 1 Q\n");
        EXPECT_EQ(texto, "") << k.L;
        EXPECT_EQ(resultadoNoFinito(), "") << k.L;
        const double L = k.longitud;
        for (double escala : {1.0, escalaDef}) {
            const Eigen::MatrixXd forma = barra[0].getBarraDeformada(0, 21, escala);
            const double flecha = 5 * k.Q / 384 * (L / 1e100) * L * L * L * escala;
            EXPECT_NEAR(forma(1, 10), flecha, 1e-9 * std::abs(flecha)) << k.L << ", escala " << escala;
        }
    }
}

// Portal 5 wide and 3 high whose columns are hinged at their pinned bases: a stable frame.
// The base rotations are free, but no bar stiffens them and nothing loads them: one line
// counts and names them, and they stay 0; nothing is called unstable.
TEST_F(SolucionExtrema, PorticoArticuladoEnLaBaseEsEstable)
{
    const std::string texto = leerYResolver(
        "nudos: 1 0 0 2 0 3 3 5 3 4 5 0\nbarras: 1 1 2 2 2 3 3 4 3\napoyo: 1 1 0 1 4\n"
        "articulacion: 0 1 1 3\nseccionGenerica: S 1 2 1e4 0 1 2 3\npuntual: H 10 0 0 2\ncombo: C 1 H\n");
    EXPECT_EQ(texto, "Direcciones sin rigidez: 2 (nudo 1, dirección giro; nudo 4, dirección giro); "
                     "sus desplazamientos se toman 0\n");
    EXPECT_EQ(nudoUsuario(1).getGiroZ(0), 0.0);
    EXPECT_EQ(nudoUsuario(4).getGiroZ(0), 0.0);
    // The bases take the whole horizontal load, and the frame sways.
    EXPECT_NEAR(nudoUsuario(1).getReaccionX(0) + nudoUsuario(4).getReaccionX(0), -10.0, 1e-9);
    EXPECT_GT(nudoUsuario(2).getDesplazamientoX(0), 0.0);
    EXPECT_EQ(resultadoNoFinito(), "");
}

// Collinear chain x = 0, 3, 6, pinned at both ends, both bars hinged at both ends: only
// axial stiffness. Node 2 cannot carry its load in Y, which is lost; the three rotations
// are merely idle, and said so in one line before it. Node 2 along X is stiff and solved.
TEST_F(SolucionExtrema, CadenaColinealPierdeLaCargaDelNudoCentral)
{
    const std::string texto = leerYResolver(
        "nudos: 1 0 0 2 3 0 3 6 0\nbarras: 1 1 2 2 2 3\napoyo: 1 1 0 1 3\narticulacion: 0 0 1 2\n"
        "seccionGenerica: S 1 2 1e4 0 1 2\npuntual: P 0 -10 0 2\ncombo: C 1 P\n");
    EXPECT_EQ(texto, "Direcciones sin rigidez: 3 (nudo 1, dirección giro; nudo 2, dirección giro; "
                     "nudo 3, dirección giro); sus desplazamientos se toman 0\n"
                     "Estructura inestable (mecanismo): nudo 2, dirección Y; su carga se pierde\n");
    EXPECT_EQ(nudoUsuario(2).getDesplazamientoY(0), 0.0);
    EXPECT_EQ(nudoUsuario(2).getDesplazamientoX(0), 0.0);
    EXPECT_EQ(resultadoNoFinito(), "");
}

// Warren truss of 16 bottom nodes (x = 0 .. 15) and 15 top ones (x = 0.5 .. 14.5, y = 1),
// every bar hinged at both ends, pinned at node 1 and on a roller at node 16: 59 bars and 3
// reactions for 62 translations, a stable frame. None of its 31 rotations is stiffened:
// one line counts them and names the first three, and no other line is printed. Under
// P = 10 down at every top node the supports each take 15 P / 2.
TEST_F(SolucionExtrema, CerchaArticuladaDaUnaLineaDeGirosInactivos)
{
    std::string nudos = "nudos:";
    for (int i = 0; i < 16; ++i)
        nudos += " " + std::to_string(i + 1) + " " + std::to_string(i) + " 0";
    for (int i = 0; i < 15; ++i)
        nudos += " " + std::to_string(17 + i) + " " + std::to_string(i) + ".5 1";
    std::string barras = "barras:";
    int m = 0;
    auto agregar = [&](int a, int b) {
        barras += " " + std::to_string(++m) + " " + std::to_string(a) + " " + std::to_string(b);
    };
    for (int i = 1; i < 16; ++i)
        agregar(i, i + 1);            // bottom chord
    for (int i = 17; i < 31; ++i)
        agregar(i, i + 1);            // top chord
    for (int i = 0; i < 15; ++i) {
        agregar(1 + i, 17 + i);       // diagonals up
        agregar(17 + i, 2 + i);       // and down
    }
    std::string todas;
    for (int b = 1; b <= m; ++b)
        todas += " " + std::to_string(b);
    std::string arriba;
    for (int i = 17; i <= 31; ++i)
        arriba += " " + std::to_string(i);
    const std::string texto = leerYResolver(nudos + "\n" + barras + "\napoyo: 1 1 0 1\napoyo: 0 1 0 16\n"
                                            "articulacion: 0 0" + todas + "\nseccionGenerica: S 1 2 1e4 0" + todas
                                            + "\npuntual: P 0 -10 0" + arriba + "\ncombo: C 1 P\n");
    ASSERT_EQ(m, 59);
    EXPECT_EQ(texto, "Direcciones sin rigidez: 31 (nudo 1, dirección giro; nudo 2, dirección giro; "
                     "nudo 3, dirección giro; ...); sus desplazamientos se toman 0\n");
    EXPECT_NEAR(nudoUsuario(1).getReaccionY(0), 75.0, 1e-9 * 75);
    EXPECT_NEAR(nudoUsuario(16).getReaccionY(0), 75.0, 1e-9 * 75);
    EXPECT_EQ(resultadoNoFinito(), "");
}

// A rigid bar 0.5 long on one pin turns about it: in that mode the rotations (1 rad) move
// more than the free end's Y (0.5), yet the line names the translation.
TEST_F(SolucionExtrema, MecanismoNombraLaTraslacion)
{
    prueba::agregarNudo(0, 0, 1, 1, 0);
    prueba::agregarNudo(0.5, 0, 0, 0, 0);
    prueba::agregarBarra(0, 1, 1e4, 1.0, 2.0);
    prueba::agregarCombo("C1", 1.0, "P");

    CapturaConsola consola;
    funcionSolucionU();
    EXPECT_EQ(consola.texto(), "Estructura inestable (mecanismo): nudo 2, dirección Y\n");
}

// A combination added to every node and bar of a solved model: the bars keep the
// equivalent loads of their first solve, one column, and a second solve must not read two.
TEST_F(SolucionExtrema, ComboAgregadoTrasResolverNoSeLee)
{
    prueba::voladizoResuelto();
    ASSERT_TRUE(barra[0].tieneResultados(0));

    prueba::agregarCombo("C2", 2.0, "W");
    ASSERT_EQ(noCombos, 2);
    CapturaConsola consola;
    funcionSolucionU();
    EXPECT_EQ(consola.texto(), "La barra 1 tiene 1 de 2 combos: no se resuelve la estructura\n");
    EXPECT_EQ(u.size(), 0);
    // Nor does any result of the first solve stay behind.
    for (int c = 0; c < 2; ++c) {
        EXPECT_FALSE(nudo[1].tieneResultados(c));
        EXPECT_FALSE(barra[0].tieneResultados(c));
    }
}

}  // namespace
