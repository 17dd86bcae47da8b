#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

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

// Portal 5 wide and 3 high whose columns are hinged at their pinned bases: a stable frame.
// The base rotations are free, but no bar stiffens them and nothing loads them: each gets
// its own line and stays 0; nothing is called unstable.
TEST_F(SolucionExtrema, PorticoArticuladoEnLaBaseEsEstable)
{
    const std::string texto = leerYResolver(
        "nudos: 1 0 0 2 0 3 3 5 3 4 5 0\nbarras: 1 1 2 2 2 3 3 4 3\napoyo: 1 1 0 1 4\n"
        "articulacion: 0 1 1 3\nseccionGenerica: S 1 2 1e4 0 1 2 3\npuntual: H 10 0 0 2\ncombo: C 1 H\n");
    EXPECT_EQ(texto, "Dirección sin rigidez: nudo 1, dirección giro; su desplazamiento se toma 0\n"
                     "Dirección sin rigidez: nudo 4, dirección giro; su desplazamiento se toma 0\n");
    EXPECT_EQ(nudoUsuario(1).getGiroZ(0), 0.0);
    EXPECT_EQ(nudoUsuario(4).getGiroZ(0), 0.0);
    // The bases take the whole horizontal load, and the frame sways.
    EXPECT_NEAR(nudoUsuario(1).getReaccionX(0) + nudoUsuario(4).getReaccionX(0), -10.0, 1e-9);
    EXPECT_GT(nudoUsuario(2).getDesplazamientoX(0), 0.0);
    EXPECT_EQ(resultadoNoFinito(), "");
}

// Collinear chain x = 0, 3, 6, pinned at both ends, both bars hinged at both ends: only
// axial stiffness. Node 2 cannot carry its load in Y, which is lost; the three rotations
// are merely idle. Node 2 along X is stiff and solved.
TEST_F(SolucionExtrema, CadenaColinealPierdeLaCargaDelNudoCentral)
{
    const std::string texto = leerYResolver(
        "nudos: 1 0 0 2 3 0 3 6 0\nbarras: 1 1 2 2 2 3\napoyo: 1 1 0 1 3\narticulacion: 0 0 1 2\n"
        "seccionGenerica: S 1 2 1e4 0 1 2\npuntual: P 0 -10 0 2\ncombo: C 1 P\n");
    EXPECT_EQ(texto, "Dirección sin rigidez: nudo 1, dirección giro; su desplazamiento se toma 0\n"
                     "Estructura inestable (mecanismo): nudo 2, dirección Y; su carga se pierde\n"
                     "Dirección sin rigidez: nudo 2, dirección giro; su desplazamiento se toma 0\n"
                     "Dirección sin rigidez: nudo 3, dirección giro; su desplazamiento se toma 0\n");
    EXPECT_EQ(nudoUsuario(2).getDesplazamientoY(0), 0.0);
    EXPECT_EQ(nudoUsuario(2).getDesplazamientoX(0), 0.0);
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
