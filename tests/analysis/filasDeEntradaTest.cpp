#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "invariantesModelo.h"
#include "lecturaDelModelo.h"
#include "variablesGlobales.h"

// Rows of the input format applied to a model that is built: faulty references skipped
// one by one, combinations, rows that set a property twice, numbers, tables in blocks,
// scales and decimals.

// --- Rows of a model that is built -----------------------------------------------------

namespace {

// Three nodes in a row and two bars: the base of the small files below.
const char* const kBase =
    "nudos: 1 0 0 2 4 0 3 8 0\n"
    "barras: 1 1 2 2 2 3\n"
    "seccionGenerica: S 0.2 0.01 1000 25 1 2\n";

struct CasoFila {
    const char* nombre;
    const char* entrada;                  // after kBase when conBase
    bool conBase;
    std::vector<std::string> lineas;      // console lines that must appear, in this order
    void (*comprobar)();
};

bool esAvisoNuevo(const std::string& linea)
{
    return linea.rfind("Advertencia: ", 0) == 0 && linea.find("no se encontró ningún") == std::string::npos;
}

bool contieneEnOrden(const std::string& consola, const std::vector<std::string>& lineas)
{
    std::size_t desde = 0;
    for (const std::string& linea : lineas) {
        const std::size_t en = consola.find(linea + "\n", desde);
        if (en == std::string::npos || (en != 0 && consola[en - 1] != '\n'))
            return false;
        desde = en + linea.size() + 1;
    }
    return true;
}

// Warning lines other than those of an absent scale tag.
int lineasDeAviso(const std::string& consola)
{
    int n = 0;
    std::istringstream lineas(consola);
    for (std::string linea; std::getline(lineas, linea);)
        if (esAvisoNuevo(linea))
            ++n;
    return n;
}

const CasoFila kCasosFila[] = {
    // References that no row of the tables defines: only that reference is skipped.
    {"ApoyoEnNudosIndefinidos", "apoyo: 1 1 0 7 -1 3 99 1", true,
     {"Advertencia: el nudo 7 de apoyo: (aparición 1) no está definido en nudos:; se omite",
      "Advertencia: el nudo -1 de apoyo: (aparición 1) no está definido en nudos:; se omite",
      "Advertencia: el nudo 99 de apoyo: (aparición 1) no está definido en nudos:; se omite",
      "transferencia de apoyos a nudo[i] OK"},
     [] {
         EXPECT_EQ(nudo[0].getApoyo(), Eigen::Vector3i(1, 1, 0));
         EXPECT_EQ(nudo[1].getApoyo(), Eigen::Vector3i(0, 0, 0));
         EXPECT_EQ(nudo[2].getApoyo(), Eigen::Vector3i(1, 1, 0));
     }},
    // A gap in the numbers names no node (the lookup would send it to the first row's).
    {"NudoEnUnHueco", "nudos: 10 0 0 20 4 0\napoyo: 1 1 1 15\npuntual: P 0 -1 0 15 20", false,
     {"Advertencia: el nudo 15 de apoyo: (aparición 1) no está definido en nudos:; se omite",
      "Advertencia: el nudo 15 de puntual: (aparición 1) no está definido en nudos:; se omite"},
     [] {
         EXPECT_EQ(nudo[0].getApoyo(), Eigen::Vector3i(0, 0, 0));
         EXPECT_EQ(punteroNudos.size(), 21);
         EXPECT_EQ(punteroNudos(10), 0);
         EXPECT_EQ(punteroNudos(20), 1);
         EXPECT_EQ(punteroNudos(15), 0);
     }},
    {"ResorteYPuntualEnNudoIndefinido",
     "resorte: 0 5 0 4 2\npuntual: V 1 2 3 2 5\npuntual: W 1 1 1\ncombo: U 1 V", true,
     {"Advertencia: el nudo 4 de resorte: (aparición 1) no está definido en nudos:; se omite",
      "Advertencia: el nudo 5 de puntual: (aparición 1) no está definido en nudos:; se omite"},
     [] {
         EXPECT_EQ(nudo[1].getResorteY(), 5.0);
         EXPECT_EQ(nudo[1].getPxCombo(0), 1.0);
         EXPECT_EQ(nudo[1].getMzCombo(0), 3.0);
     }},
    {"SeccionEnBarraIndefinida", "seccionRectangular: R 0.1 0.2 50 1 2 8", true,
     {"Advertencia: la barra 8 de seccionRectangular: (aparición 1) no está definida en barras:; se omite",
      "transferencia de secciones rect a barra[i] OK"},
     [] {
         EXPECT_EQ(barra[1].getNombreDeSeccion(), "S");   // the generic row comes after
         EXPECT_EQ(barra[1].getModE(), 1000.0);
     }},
    {"CargasYArticulacionEnBarraIndefinida",
     "articulacion: 0 1 3 1\ndistribuidaLocal: D 0 0 -1 -1 0 2\ndistribuidaGlobal: D 1 1 0 -1 -4\n"
     "combo: U 1 D", true,
     {"Advertencia: la barra 3 de articulacion: (aparición 1) no está definida en barras:; se omite",
      "Advertencia: la barra 0 de distribuidaLocal: (aparición 1) no está definida en barras:; se omite",
      "Advertencia: la barra -4 de distribuidaGlobal: (aparición 1) no está definida en barras:; se omite"},
     [] {
         EXPECT_EQ(barra[0].getArticulacionInicio(), 0);
         EXPECT_EQ(barra[1].getQInicioCombo(0), -1.0);
         EXPECT_EQ(barra[0].getQInicioCombo(0), 0.0);
     }},
    // A model without bars: every bar number names nothing, and the lines still come.
    {"ReferenciasABarrasSinBarras",
     "nudos: 1 0 0 2 4 0\narticulacion: 1 0 1\ndistribuidaLocal: D 0 0 1 1 1\n"
     "distribuidaGlobal: D 1 1 0 -1 1\npesoPropio: PP\ncombo: U 1 D", false,
     {"lectura de barras OK Num Barras = 0", "punteros de nudos internos OK",
      "transferencia de coord a nudos[i] OK", "transferencia de combos a nudo[i] OK",
      "Advertencia: la barra 1 de articulacion: (aparición 1) no está definida en barras:; se omite",
      "transferencia de articulaciones a barra[i] OK",
      "Advertencia: la barra 1 de distribuidaLocal: (aparición 1) no está definida en barras:; se omite",
      "transferencia de cargas Locales a barra[i] OK",
      "Advertencia: la barra 1 de distribuidaGlobal: (aparición 1) no está definida en barras:; se omite",
      "transferencia de cargas globales a barra[i] OK", "Lectura de pesoPropio ---> OK",
      "transferencia de combos a barra[i] OK"},
     [] {
         EXPECT_EQ(noNudos, 2);
         EXPECT_EQ(noBarras, 0);
         EXPECT_EQ(noCombos, 1);
         EXPECT_TRUE(barra.empty());
         EXPECT_EQ(punteroBarras.size(), 0);
     }},

    // Combinations: one per "combo:" row, whatever the row holds.
    {"ComboSinParesEsUnaFilaCero", "puntual: D 0 -1 0 2\ncombo: U1\ncombo: U2 1 D", true,
     {"transferencia de combos a nudo[i] OK", "transferencia de combos a barra[i] OK"},
     [] {
         EXPECT_EQ(noCombos, 2);
         for (const objNudo2d& n : nudo) {
             ASSERT_EQ(n.getCantidadDeCombos(), 2);
             EXPECT_EQ(n.getNombreCombo(0), "U1");
             EXPECT_EQ(n.getPyCombo(0), 0.0);
         }
         for (const objBarra2d& b : barra)
             EXPECT_EQ(b.getCantidadDeCombos(), 2);
         EXPECT_EQ(nudo[1].getPyCombo(1), -1.0);
     }},
    {"ComboRepetidoSumaEnElPrimero",
     "puntual: D 0 -1 0 2\npuntual: L 0 -2 0 2\ndistribuidaLocal: L 0 0 -3 -3 1\n"
     "combo: U1 1 D\ncombo: U2 1 L\ncombo: U1 2 L", true,
     {"Advertencia: el combo U1 de combo: (aparición 3) repite un nombre anterior; sus pares se suman a ese combo"},
     [] {
         EXPECT_EQ(noCombos, 2);
         ASSERT_EQ(nudo[1].getCantidadDeCombos(), 2);
         EXPECT_EQ(nudo[1].getNombreCombo(0), "U1");
         EXPECT_EQ(nudo[1].getNombreCombo(1), "U2");
         EXPECT_EQ(nudo[1].getPyCombo(0), -1.0 + 2 * -2.0);   // D + 2 L
         EXPECT_EQ(nudo[1].getPyCombo(1), -2.0);
         ASSERT_EQ(barra[0].getCantidadDeCombos(), 2);
         EXPECT_EQ(barra[0].getQInicioCombo(0), 2 * -3.0);
         EXPECT_EQ(barra[1].getQInicioCombo(0), 0.0);
     }},
    {"ComboConFactorSinNombreAlFinal", "puntual: D 0 -1 0 2\ncombo: U 2 D 3", true,
     {"Advertencia: falta el nombre del caso tras el factor 3 de combo: (aparición 1); se omite"},
     [] {
         EXPECT_EQ(noCombos, 1);
         EXPECT_EQ(nudo[1].getPyCombo(0), -2.0);
     }},
    // 0 plus factor x load is never -0: combo: V -1 Q on loads whose other components are 0.
    {"FactorNegativoSobreCeroDaMasCero",
     "puntual: Q 0 5 0 2\ndistribuidaLocal: Q 0 0 -3 -3 1\ncombo: V -1 Q\ncombo: W -2 nada", true, {},
     [] {
         EXPECT_EQ(nudo[1].getPyCombo(0), -5.0);
         EXPECT_EQ(barra[0].getQInicioCombo(0), 3.0);
         for (int c = 0; c < 2; ++c) {
             for (const objNudo2d& n : nudo) {
                 EXPECT_FALSE(std::signbit(n.getPxCombo(c))) << c;
                 EXPECT_FALSE(std::signbit(n.getMzCombo(c))) << c;
             }
             for (const objBarra2d& b : barra) {
                 EXPECT_FALSE(std::signbit(b.getFInicioCombo(c))) << c;
                 EXPECT_FALSE(std::signbit(b.getFFinCombo(c))) << c;
             }
             EXPECT_FALSE(std::signbit(barra[1].getQInicioCombo(c))) << c;
             EXPECT_FALSE(std::signbit(nudo[0].getPyCombo(c))) << c;
         }
     }},
    // A case named twice in one combination, or in two rows of one name, adds its factors:
    // 0.5 x -4 + 0.25 x -4 = -3; W = (1 + 2) x -4.
    {"CasoNombradoVariasVecesEnUnCombo",
     "puntual: D 0 -4 0 2\ncombo: U 0.5 D 0.25 D\ncombo: W 1 D\ncombo: W 2 D", true,
     {"Advertencia: el combo W de combo: (aparición 3) repite un nombre anterior; sus pares se suman a ese combo"},
     [] {
         ASSERT_EQ(noCombos, 2);
         EXPECT_EQ(nudo[1].getPyCombo(0), -3.0);
         EXPECT_EQ(nudo[1].getPyCombo(1), -12.0);
         EXPECT_EQ(nudo[0].getPyCombo(1), 0.0);
     }},
    // Each element keeps its loads in file order, one row per name.
    {"CargasDeVariasFilasEnElOrdenDelArchivo",
     "puntual: A 1 0 0 2\npuntual: B 2 0 0 3 2\npuntual: C 3 0 0 2\n"
     "distribuidaLocal: A 1 0 0 0 2 1\ndistribuidaLocal: B 2 0 0 0 1\n"
     "distribuidaGlobal: A 1 1 1 0 2\ndistribuidaGlobal: B 2 2 -1 0 2 1", true, {},
     [] {
         EXPECT_EQ(nudo[1].getNombresCargasPuntuales(), (std::vector<std::string>{"A", "B", "C"}));
         EXPECT_EQ(nudo[1].getMatrizCargasPuntuales().col(0), Eigen::Vector3d(1, 2, 3));
         EXPECT_EQ(nudo[2].getNombresCargasPuntuales(), (std::vector<std::string>{"B"}));
         EXPECT_TRUE(nudo[0].getNombresCargasPuntuales().empty());
         EXPECT_EQ(nudo[0].getMatrizCargasPuntuales().rows(), 0);
         EXPECT_EQ(barra[0].getNombresCargasLocales(), (std::vector<std::string>{"A", "B"}));
         EXPECT_EQ(barra[0].getMatrizCargasLocales().col(0), Eigen::Vector2d(1, 2));
         EXPECT_EQ(barra[1].getNombresCargasLocales(), (std::vector<std::string>{"A"}));
         // Horizontal bars: along +X is axial +q, along -X axial -q.
         EXPECT_EQ(barra[1].getNombresCargasGlobales(), (std::vector<std::string>{"A", "B"}));
         EXPECT_EQ(barra[1].getMatrizCargasGlobales().col(0), Eigen::Vector2d(1, -2));
         EXPECT_EQ(barra[0].getNombresCargasGlobales(), (std::vector<std::string>{"B"}));
     }},
    // The bars' own lines on global-direction loads come in file order among the warnings.
    {"LineasDeCargasGlobalesEnElOrdenDelArchivo",
     "distribuidaGlobal: V 1 1 0 0 2 9 1\ndistribuidaGlobal: W 1 1 0 -1 1\ncombo: U 1 W", true,
     {"Carga global sin dirección en la barra: 2",
      "Advertencia: la barra 9 de distribuidaGlobal: (aparición 1) no está definida en barras:; se omite",
      "Carga global sin dirección en la barra: 1", "transferencia de cargas globales a barra[i] OK"},
     [] {
         EXPECT_EQ(barra[0].getNombresCargasGlobales(), (std::vector<std::string>{"V", "W"}));
         EXPECT_EQ(barra[0].getMatrizCargasGlobales().row(0), Eigen::RowVector4d(0, 0, 0, 0));
         EXPECT_EQ(barra[0].getQInicioCombo(0), -1.0);
         EXPECT_EQ(barra[1].getMatrizCargasGlobales().rows(), 1);
     }},
    {"CombosSinCargasPuntuales", "combo: U1 1 D\ncombo: U2 1 L", true, {},
     [] {
         for (const objNudo2d& n : nudo) {
             ASSERT_EQ(n.getCantidadDeCombos(), 2);
             EXPECT_EQ(n.getCargasGlobales(), Eigen::MatrixXd::Zero(2, 3));
         }
     }},
    {"CombinacionDelPesoPropio", "pesoPropio: PP\ncombo: U 1.5 PP", true, {"Lectura de pesoPropio ---> OK"},
     [] {
         // A = 0.2, unit weight 25: w = 5, horizontal bars: transverse -1.5 x 5.
         EXPECT_DOUBLE_EQ(barra[0].getQInicioCombo(0), -7.5);
         EXPECT_DOUBLE_EQ(barra[1].getQFinCombo(0), -7.5);
     }},
    {"PesoPropioDosVeces", "pesoPropio: PP\npesoPropio: PP\ncombo: U 1 PP", true,
     {"No usar la etiqueta *pesoPropio:* más de una vez"},
     [] { EXPECT_EQ(barra[0].getQInicioCombo(0), 0.0); }},
    {"SinPesoPropio", "combo: U 1 PP", true, {"No se calculará el peso propio de la estructura"}, [] {}},

    // Rows that set one property twice: the later row stands; loads add up.
    {"DosApoyosEnUnNudo", "apoyo: 1 1 1 3\napoyo: 0 1 0 3", true, {},
     [] { EXPECT_EQ(nudo[2].getApoyo(), Eigen::Vector3i(0, 1, 0)); }},
    {"DosCargasEnUnNudo", "puntual: D 1 0 0 3\npuntual: D 2 0 0 3 3\ncombo: U 1 D", true, {},
     [] { EXPECT_EQ(nudo[2].getPxCombo(0), 1.0 + 2.0 + 2.0); }},
    {"GenericaSobreRectangular", "seccionRectangular: R 0.1 0.2 50 7 1", true, {},
     [] {
         EXPECT_EQ(barra[0].getNombreDeSeccion(), "S");
         EXPECT_EQ(barra[0].getArea(), 0.2);
         EXPECT_EQ(barra[0].getInercia(), 0.01);
         EXPECT_EQ(barra[0].getModE(), 1000.0);
     }},
    {"ResorteDeGiroSolo", "resorte: 0 0 0.5 3", true, {"transferencia de resortes a nudo[i] OK"},
     [] {
         EXPECT_EQ(nudo[2].getResorteX(), 0.0);
         EXPECT_EQ(nudo[2].getResorteY(), 0.0);
         EXPECT_EQ(nudo[2].getResorteGiro(), 0.5);
     }},
    {"CodigosConDecimales", "apoyo: 1.0 1.0 0.0 2", true, {},
     [] { EXPECT_EQ(nudo[1].getApoyo(), Eigen::Vector3i(1, 1, 0)); }},
    {"CodigoEnormeSigueSujetando", "apoyo: 1e300 -1e300 0 2", true, {},
     [] { EXPECT_EQ(nudo[1].getApoyo(), Eigen::Vector3i(INT_MAX, INT_MIN, 0)); }},
    {"ApoyoSinNudos", "apoyo: 1 1 0", true, {"transferencia de apoyos a nudo[i] OK"},
     [] {
         for (const objNudo2d& n : nudo)
             EXPECT_EQ(n.getApoyo(), Eigen::Vector3i(0, 0, 0));
     }},
    {"NumerosConDecimalesOExponente", "nudos: 10 0 0 20 4 0\napoyo: 1 1 1 20.7\nresorte: 1 0 0 2e1", false, {},
     [] {
         EXPECT_EQ(nudo[1].getApoyo(), Eigen::Vector3i(1, 1, 1));
         EXPECT_EQ(nudo[1].getResorteX(), 1.0);
         EXPECT_EQ(nudo[1].getNoNudoUsuario(), 20);
     }},
    {"PalabraNumericaSinNumeroEnLosNudos", "nudos: 1 0 0 2 - 3", false,
     {"Advertencia: la palabra - de nudos: (aparición 1) no es un número válido; se toma 0"},
     [] {
         EXPECT_EQ(noNudos, 2);
         EXPECT_EQ(nudo[1].getX(), 0.0);
         EXPECT_EQ(nudo[1].getY(), 3.0);
     }},

    // Tables in more than one block are one table, in file order.
    {"DosBloquesDeNudosYDeBarras", "nudos: 1 0 0 2 4 0\nbarras: 1 1 2\nnudos: 3 8 0\nbarras: 2 2 3", false,
     {"lectura de nudos OK Num Nudos = 3", "lectura de barras OK Num Barras = 2"},
     [] {
         EXPECT_EQ(nudo[2].getNoNudoUsuario(), 3);
         EXPECT_EQ(nudo[2].getX(), 8.0);
         EXPECT_EQ(barra[1].getNudoInicio(), 1);
         EXPECT_EQ(barra[1].getNudoFinal(), 2);
     }},
    {"BarrasSinSeccion", "nudos: 1 0 0 2 4 0\nbarras: 1 1 2", false,
     {"transferencia de coord a barra[i] OK", "transferencia de secciones rect a barra[i] OK",
      "transferencia de secciones gen a barra[i] OK"},
     [] { EXPECT_EQ(noBarras, 1); }},
    {"BarraEntreNudosEnUnPunto", "nudos: 1 2 2 2 2 2\nbarras: 1 1 2", false, {},
     [] {
         EXPECT_EQ(noBarras, 1);
         EXPECT_EQ(barra[0].getLongitud(), 0.0);
     }},

    // Scales and decimals.
    {"EscalaCeroONegativa", "escalaM: 0\nescalaV: -2\nescalaN: 0.5\nescalaN: 0.25", true, {},
     [] {
         EXPECT_EQ(escalaM, 0.1);
         EXPECT_EQ(escalaV, 0.1);
         EXPECT_EQ(escalaN, 0.25);
     }},
    {"PrecisionCero", "precision: 0", true, {}, [] { EXPECT_EQ(precision, 0); }},
    {"PrecisionMenosUno", "precision: -1", true, {}, [] { EXPECT_EQ(precision, 3); }},
    {"PrecisionNegativaEsCero", "precision: -4", true, {}, [] { EXPECT_EQ(precision, 0); }},
    {"TodasLasEscalas",
     "escalaDeflexion: 5 escalaM: 6 escalaV: 7 escalaN: 8 escalaTexto: 9 escalaApoyo: 10 escalaCarga: 11", true,
     {"Advertencia: no se encontró ningún entero con etiqueta precision:"},
     [] {
         EXPECT_EQ(escalaDef, 5);
         EXPECT_EQ(escalaM, 6);
         EXPECT_EQ(escalaV, 7);
         EXPECT_EQ(escalaN, 8);
         EXPECT_EQ(escalaTexto, 9);
         EXPECT_EQ(escalaApoyo, 10);
         EXPECT_EQ(escalaCarga, 11);
     }},
};

// How many lines a case adds beyond the progress lines and the scale warnings.
int avisosEsperados(const CasoFila& caso)
{
    return static_cast<int>(std::count_if(caso.lineas.begin(), caso.lineas.end(), esAvisoNuevo));
}

class FilaDelArchivo : public LecturaDelModelo, public ::testing::WithParamInterface<CasoFila> {};

TEST_P(FilaDelArchivo, SeAplicaComoDice)
{
    const CasoFila& caso = GetParam();
    const std::string consola = leer(caso.conBase ? std::string(kBase) + caso.entrada : std::string(caso.entrada));
    EXPECT_TRUE(contieneEnOrden(consola, caso.lineas)) << consola;
    EXPECT_EQ(lineasDeAviso(consola), avisosEsperados(caso)) << consola;
    EXPECT_EQ(nudo.size(), static_cast<std::size_t>(noNudos));
    EXPECT_EQ(barra.size(), static_cast<std::size_t>(noBarras));
    EXPECT_EQ(invarianteRoto(), "");
    caso.comprobar();
}

INSTANTIATE_TEST_SUITE_P(Lectura, FilaDelArchivo, ::testing::ValuesIn(kCasosFila),
                         [](const auto& i) { return std::string(i.param.nombre); });

}  // namespace

TEST_F(LecturaDelModelo, ArchivoSinBarrasNoImprimeLasLineasDeBarras)
{
    EXPECT_EQ(leer("nudos: 1 0 0\ncombo: U 1 D\npesoPropio: PP\nescalaDeflexion: 1 escalaM: 1 escalaV: 1 "
                   "escalaN: 1 escalaTexto: 1 escalaApoyo: 1 precision: 1 escalaCarga: 1"),
              "lectura de nudos OK Num Nudos = 1\n"
              "lectura de barras OK Num Barras = 0\n"
              "punteros de nudos internos OK\n"
              "transferencia de coord a nudos[i] OK\n"
              "transferencia de combos a nudo[i] OK\n"
              "Lectura de pesoPropio ---> OK\n"
              "transferencia de combos a barra[i] OK\n");
    EXPECT_EQ(noNudos, 1);
    EXPECT_EQ(noCombos, 1);
}
