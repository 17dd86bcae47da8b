#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "claseLeerArchivo.h"

namespace {

class Lector : public ::testing::Test {
protected:
    // A reader of a file holding exactly the given bytes.
    claseLeerArchivo sobre(const std::string& texto)
    {
        claseLeerArchivo lector;
        lector.setNombreArchivo(directorio.escribir("entrada.txt", texto));
        return lector;
    }

    DirectorioTemporal directorio;
};

Eigen::MatrixXd filas(std::initializer_list<std::initializer_list<double>> valores)
{
    Eigen::MatrixXd m(static_cast<Eigen::Index>(valores.size()), static_cast<Eigen::Index>(valores.begin()->size()));
    Eigen::Index i = 0;
    for (const auto& fila : valores) {
        Eigen::Index j = 0;
        for (double v : fila)
            m(i, j++) = v;
        ++i;
    }
    return m;
}

}  // namespace

// --- Tables --------------------------------------------------------------------------

struct CasoMatriz {
    const char* nombre;
    const char* texto;
    Eigen::Index filas;
    Eigen::Index columnas;
    std::vector<double> valores;   // row by row
    const char* consola;
};

const CasoMatriz kCasosMatriz[] = {
    {"DosFilas", "T 1 2 3 4 5 6 fin", 2, 3, {1, 2, 3, 4, 5, 6}, ""},
    {"EnSeisLineas", "T\n1\n2\n3\n4\n5\n6\nfin\n", 2, 3, {1, 2, 3, 4, 5, 6}, ""},
    {"BlancosDeTodaClase", "T\t1\r\n2\v3\f4  5\t\t6\r\n", 2, 3, {1, 2, 3, 4, 5, 6}, ""},
    {"FilaIncompleta", "T 1 2 3 4 5 6 7 fin", 0, 0, {}, "Faltan datos para completar la matriz T\n"},
    {"EtiquetaAusente", "U 1 2 3", 0, 3, {}, ""},
    {"SeguidaDeUnaPalabra", "T x 1 2 3", 0, 3, {}, ""},
    {"HastaElFinSinSaltoDeLinea", "T 1 2 3", 1, 3, {1, 2, 3}, ""},
    {"HastaElFinConSaltoDeLinea", "T 1 2 3\n", 1, 3, {1, 2, 3}, ""},
    // Only a lower-case e makes an exponent; 1E5 ends the block.
    {"ExponenteMinuscula", "T 1e5 2 3", 1, 3, {100000, 2, 3}, ""},
    {"ExponenteMayusculaCortaElBloque", "T 1 2 3 1E5 4 5", 1, 3, {1, 2, 3},
     "Advertencia: la palabra 1E5 de T (aparición 1) no es un número (coma decimal o E mayúscula); "
     "la tabla termina antes de ella\n"},
    // The longest number at the start of the word.
    {"PrefijoNumerico", "T 1.2.3 5e- 2e3", 1, 3, {1.2, 5, 2000}, ""},
    {"OtraMayusculaNoEsLaEtiqueta", "t 1 2 3 T 4 5 6", 1, 3, {4, 5, 6}, ""},
    {"DentroDeOtraPalabraNoEsLaEtiqueta", "xT 1 2 3 Tx 4 5 6 TT 7 8 9 T 1 1 1", 1, 3, {1, 1, 1}, ""},
    {"PegadaAOtraPalabraNoEsLaEtiqueta", "T: 1 2 3 xT 7 8 9 T 4 5 6", 1, 3, {4, 5, 6}, ""},
    // Several blocks of one tag are one table, in file order; also a tag right after a block.
    {"DosBloques", "T 1 2 3 x T 4 5 6", 2, 3, {1, 2, 3, 4, 5, 6}, ""},
    {"BloquesSeguidos", "T 1 2 3 T 4 5 6", 2, 3, {1, 2, 3, 4, 5, 6}, ""},
    {"BloquesQueSoloJuntosLlenanFilas", "T 1 2 x T 3 4 5 6", 2, 3, {1, 2, 3, 4, 5, 6}, ""},
    // A numeric word that holds no number reads as 0 and says so.
    {"GuionSolo", "T 1 - 3", 1, 3, {1, 0, 3},
     "Advertencia: la palabra - de T (aparición 1) no es un número válido; se toma 0\n"},
    {"FueraDeRango", "T 1 2 0 x T 1e999 5 6", 2, 3, {1, 2, 0, 0, 5, 6},
     "Advertencia: la palabra 1e999 de T (aparición 2) no es un número válido; se toma 0\n"},
    // Too small to hold is not an error: it is as near 0 as a double gets.
    {"Subdesbordamiento", "T 1e-400 2 3", 1, 3, {0, 2, 3}, ""},
};

class MatrizDeEtiqueta : public Lector, public ::testing::WithParamInterface<CasoMatriz> {};

TEST_P(MatrizDeEtiqueta, LeeLaTabla)
{
    const CasoMatriz& caso = GetParam();
    const claseLeerArchivo lector = sobre(caso.texto);
    CapturaConsola consola;
    const Eigen::MatrixXd m = lector.getMatriz("T", 3);
    ASSERT_EQ(m.rows(), caso.filas);
    ASSERT_EQ(m.cols(), caso.columnas);
    for (Eigen::Index k = 0; k < m.size(); ++k)
        EXPECT_EQ(m(k / 3, k % 3), caso.valores[static_cast<std::size_t>(k)]) << "palabra " << k;
    EXPECT_EQ(consola.texto(), caso.consola);
}

INSTANTIATE_TEST_SUITE_P(Lector, MatrizDeEtiqueta, ::testing::ValuesIn(kCasosMatriz),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(Lector, CadaPalabraNumericaSinNumeroEsCeroConSuLinea)
{
    const claseLeerArchivo lector = sobre("nudos: - + . e -e");
    CapturaConsola consola;
    const std::vector<double> v = lector.getMatrizEtiquetaRepetida("nudos:", 1, 0);
    EXPECT_EQ(v, (std::vector<double>{0, 0, 0, 0, 0}));
    EXPECT_EQ(consola.texto(),
              "Advertencia: la palabra - de nudos: (aparición 1) no es un número válido; se toma 0\n"
              "Advertencia: la palabra + de nudos: (aparición 1) no es un número válido; se toma 0\n"
              "Advertencia: la palabra . de nudos: (aparición 1) no es un número válido; se toma 0\n"
              "Advertencia: la palabra e de nudos: (aparición 1) no es un número válido; se toma 0\n"
              "Advertencia: la palabra -e de nudos: (aparición 1) no es un número válido; se toma 0\n");
}

TEST_F(Lector, UnaPalabraQueCruzaElBloqueDeLecturaEstaEntera)
{
    // The file is taken in blocks of a few KiB: a tag across a block edge and a word longer
    // than a block are still whole words.
    const std::string largo(100000, 'a');
    const claseLeerArchivo lector = sobre(std::string(65530, ' ') + "nudos: 1 2 3 " + largo + " nudos: 4 5 6");
    EXPECT_EQ(lector.getMatriz("nudos:", 3), filas({{1, 2, 3}, {4, 5, 6}}));
    EXPECT_EQ(lector.getNoEtiquetas(largo), 1);
}

// --- Counting and the word after a tag -----------------------------------------------

TEST_F(Lector, CuentaLaEtiquetaDondeQuieraQueEste)
{
    // Also where it stands as the name of another row.
    const claseLeerArchivo lector = sobre("puntual: V 1 2 3 4\ncombo: puntual: 1 V\npuntual:x puntual :");
    EXPECT_EQ(lector.getNoEtiquetas("puntual:"), 2);
    EXPECT_EQ(lector.getNoEtiquetas("combo:"), 1);
    EXPECT_EQ(lector.getNoEtiquetas("ausente:"), 0);
}

TEST_F(Lector, CuentaSoloPalabrasEnteras)
{
    const claseLeerArchivo lector = sobre("T TT xT Tx\tT\nT");
    EXPECT_EQ(lector.getNoEtiquetas("T"), 3);
    EXPECT_EQ(lector.getNoEtiquetas("TT"), 1);
    EXPECT_EQ(lector.getNoEtiquetas("T TT"), 0);   // a tag holds no blank
    EXPECT_EQ(lector.getNoEtiquetas(""), 0);
}

TEST_F(Lector, EtiquetaAlFinalDelArchivo)
{
    const claseLeerArchivo lector = sobre("escalaM: 2 pesoPropio:");
    EXPECT_EQ(lector.getNoEtiquetas("pesoPropio:"), 1);
    EXPECT_EQ(lector.getString("pesoPropio:", 1), "");
    CapturaConsola consola;
    EXPECT_EQ(lector.getReal("pesoPropio:"), -1);
    EXPECT_EQ(consola.texto(), "Advertencia: no se encontró ningún real con etiqueta pesoPropio:\n");
}

TEST_F(Lector, LaPalabraTrasLaEnesimaAparicion)
{
    const claseLeerArchivo lector = sobre("combo: U1 1 D combo: 2 combo: U3");
    EXPECT_EQ(lector.getString("combo:", 1), "U1");
    EXPECT_EQ(lector.getString("combo:", 2), "2");   // whatever the word is
    EXPECT_EQ(lector.getString("combo:", 3), "U3");
    EXPECT_EQ(lector.getString("combo:", 4), "");
    EXPECT_EQ(lector.getString("combo:", 0), "");
    EXPECT_EQ(lector.getString("combo:", -1), "");
}

TEST_F(Lector, BytesMayoresQue127SeTomanComoEstan)
{
    const claseLeerArchivo lector = sobre("secci\xc3\xb3n: Viga\xc3\xb1 1 2 \xff 3");
    EXPECT_EQ(lector.getNoEtiquetas("secci\xc3\xb3n:"), 1);
    EXPECT_EQ(lector.getString("secci\xc3\xb3n:", 1), "Viga\xc3\xb1");
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("secci\xc3\xb3n:", 1, 1), (std::vector<double>{1, 2}));
}

TEST_F(Lector, MarcaDeOrdenDeBytesEsParteDeLaPrimeraPalabra)
{
    const claseLeerArchivo lector = sobre("\xef\xbb\xbfnudos: 1 2 3 barras: 4 5 6");
    EXPECT_EQ(lector.getMatriz("nudos:", 3).rows(), 0);
    EXPECT_EQ(lector.getMatriz("barras:", 3), filas({{4, 5, 6}}));
}

// --- Runs of a repeated tag ----------------------------------------------------------

TEST_F(Lector, LaCorridaDeLaEnesimaAparicion)
{
    const claseLeerArchivo lector = sobre("apoyo: 1 1 0 4 5 x apoyo: 0 1 0 2\nputual: 9 apoyo: 1 0 0");
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("apoyo:", 1, 0), (std::vector<double>{1, 1, 0, 4, 5}));
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("apoyo:", 2, 0), (std::vector<double>{0, 1, 0, 2}));
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("apoyo:", 3, 0), (std::vector<double>{1, 0, 0}));
    EXPECT_TRUE(lector.getMatrizEtiquetaRepetida("apoyo:", 4, 0).empty());
    EXPECT_TRUE(lector.getMatrizEtiquetaRepetida("apoyo:", 0, 0).empty());
    // A negative skip passes over nothing.
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("apoyo:", 3, -2), (std::vector<double>{1, 0, 0}));
}

TEST_F(Lector, LaCorridaPasaPorAltoLasPalabrasPedidas)
{
    // The skipped word is passed over whatever it is, a numeric word included.
    const claseLeerArchivo lector = sobre("puntual: V 12 0 0 2 fin puntual: 7 1 2 3 4");
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("puntual:", 1, 1), (std::vector<double>{12, 0, 0, 2}));
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("puntual:", 2, 1), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_TRUE(lector.getMatrizEtiquetaRepetida("puntual:", 2, 6).empty());
    EXPECT_TRUE(lector.getMatrizEtiquetaRepetida("puntual:", 2, 60).empty());
}

// --- Factor and name lists -----------------------------------------------------------

TEST_F(Lector, FactoresYNombresVanEnPares)
{
    const claseLeerArchivo lector = sobre("T C1 1.2 D 1.6 L barras: 1 2 3");
    EXPECT_EQ(lector.getFactoresEtiqueta("T", 1, 1), (std::vector<double>{1.2, 1.6}));
    EXPECT_EQ(lector.getNombresDeFactores("T", 1, 1), (std::vector<std::string>{"D", "L"}));
}

TEST_F(Lector, ElNombreDeUnFactorPuedeParecerUnNumero)
{
    const claseLeerArchivo lector = sobre("combo: U 1 2 3 4 x 5 E");
    EXPECT_EQ(lector.getFactoresEtiqueta("combo:", 1, 1), (std::vector<double>{1, 3}));
    EXPECT_EQ(lector.getNombresDeFactores("combo:", 1, 1), (std::vector<std::string>{"2", "4"}));
}

TEST_F(Lector, UnFactorSinNombreAlFinalNoFormaPar)
{
    const claseLeerArchivo lector = sobre("combo: U2 1.2 PP 1.6");
    CapturaConsola consola;
    EXPECT_EQ(lector.getFactoresEtiqueta("combo:", 1, 1), (std::vector<double>{1.2}));
    EXPECT_EQ(lector.getNombresDeFactores("combo:", 1, 1), (std::vector<std::string>{"PP"}));
    EXPECT_EQ(consola.texto(),
              "Advertencia: falta el nombre del caso tras el factor 1.6 de combo: (aparición 1); se omite\n");
}

TEST_F(Lector, ListasVaciasCuandoNoHayPares)
{
    const claseLeerArchivo lector = sobre("combo: U1 combo: U2 x 1 D");
    EXPECT_TRUE(lector.getFactoresEtiqueta("combo:", 1, 1).empty());
    EXPECT_TRUE(lector.getNombresDeFactores("combo:", 2, 1).empty());
    EXPECT_TRUE(lector.getFactoresEtiqueta("combo:", 3, 1).empty());
}

// --- Every row of a tag at once ------------------------------------------------------

TEST_F(Lector, TodasLasFilasComoCadaAparicion)
{
    // A row whose name is the tag itself: each row is read from right after its own tag.
    const claseLeerArchivo lector = sobre("puntual: V 12 0 0 2 x puntual: puntual: 1 2 3 4\npuntual:");
    const std::vector<claseLeerArchivo::Fila> filas = lector.getFilasEtiqueta("puntual:", 1);
    ASSERT_EQ(filas.size(), 4u);
    EXPECT_EQ(filas[0].nombre, "V");
    EXPECT_EQ(filas[0].valores, (std::vector<double>{12, 0, 0, 2}));
    EXPECT_EQ(filas[1].nombre, "puntual:");
    EXPECT_EQ(filas[1].valores, (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(filas[2].nombre, "1");
    EXPECT_EQ(filas[2].valores, (std::vector<double>{2, 3, 4}));
    EXPECT_EQ(filas[3].nombre, "");
    EXPECT_TRUE(filas[3].valores.empty());
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(filas[static_cast<std::size_t>(k - 1)].nombre, lector.getString("puntual:", k));
        EXPECT_EQ(filas[static_cast<std::size_t>(k - 1)].valores, lector.getMatrizEtiquetaRepetida("puntual:", k, 1));
    }
    EXPECT_EQ(lector.getFilasEtiqueta("puntual:", 0)[1].valores, (std::vector<double>{}));
    EXPECT_TRUE(lector.getFilasEtiqueta("apoyo:", 0).empty());
}

TEST_F(Lector, TodosLosParesComoCadaAparicion)
{
    const claseLeerArchivo lector = sobre("combo: U1 1.4 PP\ncombo: U2 1.2 PP 1.6 CV x\ncombo: U3\ncombo: U4 2");
    CapturaConsola consola;
    const std::vector<claseLeerArchivo::Fila> combos = lector.getParesEtiqueta("combo:", 1);
    ASSERT_EQ(combos.size(), 4u);
    EXPECT_EQ(combos[0].nombre, "U1");
    EXPECT_EQ(combos[0].valores, (std::vector<double>{1.4}));
    EXPECT_EQ(combos[0].nombres, (std::vector<std::string>{"PP"}));
    EXPECT_EQ(combos[1].valores, (std::vector<double>{1.2, 1.6}));
    EXPECT_EQ(combos[1].nombres, (std::vector<std::string>{"PP", "CV"}));
    EXPECT_EQ(combos[2].nombre, "U3");
    EXPECT_TRUE(combos[2].valores.empty());
    EXPECT_TRUE(combos[3].valores.empty());   // the factor 2 has no name
    EXPECT_TRUE(combos[3].nombres.empty());
    EXPECT_EQ(consola.texto(),
              "Advertencia: falta el nombre del caso tras el factor 2 de combo: (aparición 4); se omite\n");
}

// --- Single values -------------------------------------------------------------------

TEST_F(Lector, RealYEnteroTomanLaUltimaAparicion)
{
    const claseLeerArchivo lector = sobre("escalaM: 2 precision: 3.7 escalaM: 5 x");
    CapturaConsola consola;
    EXPECT_EQ(lector.getReal("escalaM:"), 5);
    EXPECT_EQ(lector.getEntero("precision:"), 3);
    EXPECT_EQ(consola.texto(), "");
}

TEST_F(Lector, RealYEnteroAusentesAvisanYDanMenosUno)
{
    const claseLeerArchivo lector = sobre("nudos: 1 0 0");
    CapturaConsola consola;
    EXPECT_EQ(lector.getReal("escalaV:"), -1);
    EXPECT_EQ(lector.getEntero("precision:"), -1);
    EXPECT_EQ(consola.texto(),
              "Advertencia: no se encontró ningún real con etiqueta escalaV:\n"
              "Advertencia: no se encontró ningún entero con etiqueta precision:\n");
}

struct CasoValor {
    const char* nombre;
    const char* palabra;
    double real;     // getReal of the word
    int entero;      // getEntero of the word
    bool avisaReal;
    bool avisaEntero;
};

// Any word follows the tag; what holds no number, or no number of the result's range,
// reads as 0 with a line.
const CasoValor kCasosValor[] = {
    {"Decimal", "0.25", 0.25, 0, false, false},
    {"Negativo", "-3", -3, -3, false, false},
    {"ExponenteDelEntero", "1e5", 100000, 1, false, false},
    {"Palabra", "abc", 0, 0, true, true},
    {"GuionSolo", "-", 0, 0, true, true},
    {"PuntoSolo", ".", 0, 0, true, true},
    {"FueraDeRangoDelReal", "1e400", 0, 1, true, false},
    {"FueraDeRangoDelEntero", "99999999999", 99999999999.0, 0, false, true},
    {"Infinito", "inf", 0, 0, true, true},
    {"NoEsNumero", "nan", 0, 0, true, true},
};

class ValorDeEtiqueta : public Lector, public ::testing::WithParamInterface<CasoValor> {};

TEST_P(ValorDeEtiqueta, SeLeeSinExcepcion)
{
    const CasoValor& caso = GetParam();
    const claseLeerArchivo lector = sobre(std::string("v: ") + caso.palabra);
    const std::string aviso = std::string("Advertencia: la palabra ") + caso.palabra
                            + " de v: (aparición 1) no es un número válido; se toma 0\n";
    {
        CapturaConsola consola;
        EXPECT_EQ(lector.getReal("v:"), caso.real);
        EXPECT_EQ(consola.texto(), caso.avisaReal ? aviso : "");
    }
    {
        CapturaConsola consola;
        EXPECT_EQ(lector.getEntero("v:"), caso.entero);
        EXPECT_EQ(consola.texto(), caso.avisaEntero ? aviso : "");
    }
}

INSTANTIATE_TEST_SUITE_P(Lector, ValorDeEtiqueta, ::testing::ValuesIn(kCasosValor),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST(EsNumero, MiraSoloLosCaracteres)
{
    const claseLeerArchivo lector;
    for (const char* si : {"1", "-2.5", "1e5", "1.2.3", "5e-", "-", "e", "+.e", "1234567890+-.e"})
        EXPECT_TRUE(lector.esNumero(si)) << si;
    for (const char* no : {"1E5", "x", "1,5", "nudos:", "0x1", "inf", "nan", "1 2", "\xc3\xa9"})
        EXPECT_FALSE(lector.esNumero(no)) << no;
}

// --- Mistyped numbers ----------------------------------------------------------------

namespace {

std::string avisoMalEscrito(const std::string& palabra, const std::string& etiqueta, int aparicion,
                            const std::string& queTermina)
{
    return "Advertencia: la palabra " + palabra + " de " + etiqueta + " (aparición " + std::to_string(aparicion)
         + ") no es un número (coma decimal o E mayúscula); " + queTermina + " termina antes de ella\n";
}

struct CasoMalEscrito {
    const char* nombre;
    const char* palabra;
    bool avisa;
};

// A word that would be numeric but for ',' or 'E': only numeric characters, ',' and 'E', a
// digit and a ',' or 'E' among them. Anything else (letters, no digit) ends the run silently.
const CasoMalEscrito kCasosMalEscrito[] = {
    {"ComaDecimal", "1,4", true},
    {"ComaDecimalNegativa", "-2,5", true},
    {"ExponenteMayuscula", "3E2", true},
    {"ExponenteMayusculaNegativo", "-3E-2", true},
    {"ComaYExponente", "1,5E3", true},
    {"VariasComas", "1,2,3", true},
    {"ComaAlFinal", "7,", true},
    {"ComaAlPrincipio", ",5", true},
    {"ExponenteSinMantisa", "E1", true},   // as e1 would be numeric, so is E1 told
    {"SoloComa", ",", false},
    {"SoloE", "E", false},
    {"ComaYESinCifra", ",E.", false},
    {"ConLetras", "P\xc3\xb3rtico2,3", false},
    {"TituloConCifras", "Tabla1,2x", false},
    {"PuntoYComa", "1;4", false},
    {"Palabra", "fin", false},
    {"OtraEtiqueta", "barras:", false},
};

class NumeroMalEscrito : public Lector, public ::testing::WithParamInterface<CasoMalEscrito> {};

// The run ends at the word whatever it is; only a mistyped number says so, once.
TEST_P(NumeroMalEscrito, TerminaLaCorridaYSoloElNumeroMalEscritoAvisa)
{
    const CasoMalEscrito& caso = GetParam();
    const claseLeerArchivo lector = sobre(std::string("x T 9 T 1 2 3 ") + caso.palabra + " 4 5 6");
    CapturaConsola consola;
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("T", 2, 0), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(consola.texto(), caso.avisa ? avisoMalEscrito(caso.palabra, "T", 2, "la fila") : "");
}

INSTANTIATE_TEST_SUITE_P(Lector, NumeroMalEscrito, ::testing::ValuesIn(kCasosMalEscrito),
                         [](const auto& i) { return std::string(i.param.nombre); });

}  // namespace

TEST_F(Lector, ExponenteMinusculaSigueLaCorridaSinAviso)
{
    const claseLeerArchivo lector = sobre("T 1e5 2 fin");
    CapturaConsola consola;
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("T", 1, 0), (std::vector<double>{100000, 2}));
    EXPECT_EQ(consola.texto(), "");
}

TEST_F(Lector, LaTablaAvisaUnaVezPorBloque)
{
    // Two passes over the file, one line per block that ends at a mistyped number, in the
    // block's occurrence.
    const claseLeerArchivo lector = sobre("T 1 2 3 4,5 6 T 7 8 9 3E2 x T 1 1 1");
    CapturaConsola consola;
    EXPECT_EQ(lector.getMatriz("T", 3), filas({{1, 2, 3}, {7, 8, 9}, {1, 1, 1}}));
    EXPECT_EQ(consola.texto(), avisoMalEscrito("4,5", "T", 1, "la tabla") + avisoMalEscrito("3E2", "T", 2, "la tabla"));
}

TEST_F(Lector, LaTablaAvisaAntesDeLaFilaIncompleta)
{
    // The words before 5,0 fill no whole row: the reason comes first, then the table's line.
    const claseLeerArchivo lector = sobre("nudos: 1 0 0 2 5,0 0");
    CapturaConsola consola;
    EXPECT_EQ(lector.getMatriz("nudos:", 3).size(), 0);
    EXPECT_EQ(consola.texto(),
              avisoMalEscrito("5,0", "nudos:", 1, "la tabla") + "Faltan datos para completar la matriz nudos:\n");
}

TEST_F(Lector, UnaPalabraIgualALaEtiquetaNoEsUnNumeroMalEscrito)
{
    const claseLeerArchivo lector = sobre("1E 1 2 3 1E 4 5 6");
    CapturaConsola consola;
    EXPECT_EQ(lector.getMatriz("1E", 3), filas({{1, 2, 3}, {4, 5, 6}}));
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("1E", 1, 0), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(consola.texto(), "");
}

TEST_F(Lector, TodasLasFilasAvisanConSuAparicion)
{
    // The word after the tag is a name, and a skipped word is not examined: 2,5 there is
    // taken as it stands.
    const claseLeerArchivo lector = sobre("puntual: 2,5 1 0 0 2 puntual: W 2,5 0 0 2 puntual: V 1 0 0 3 Tabla1,2x");
    CapturaConsola consola;
    const std::vector<claseLeerArchivo::Fila> filas = lector.getFilasEtiqueta("puntual:", 1);
    ASSERT_EQ(filas.size(), 3u);
    EXPECT_EQ(filas[0].nombre, "2,5");
    EXPECT_EQ(filas[0].valores, (std::vector<double>{1, 0, 0, 2}));
    EXPECT_EQ(filas[1].nombre, "W");
    EXPECT_TRUE(filas[1].valores.empty());
    EXPECT_EQ(filas[2].valores, (std::vector<double>{1, 0, 0, 3}));
    EXPECT_EQ(lector.getString("puntual:", 1), "2,5");
    EXPECT_EQ(consola.texto(), avisoMalEscrito("2,5", "puntual:", 2, "la fila"));
}

TEST_F(Lector, LosParesAvisanEnElLugarDeUnFactor)
{
    // 1,4 in a factor's place ends the list; as a combination's or a case's name it is a name.
    const claseLeerArchivo lector = sobre("combo: U 1,4 D combo: 1,4 1 E1 2 1,4 combo: V 1 D 1,4");
    CapturaConsola consola;
    const std::vector<claseLeerArchivo::Fila> combos = lector.getParesEtiqueta("combo:", 1);
    ASSERT_EQ(combos.size(), 3u);
    EXPECT_TRUE(combos[0].valores.empty());
    EXPECT_TRUE(combos[0].nombres.empty());
    EXPECT_EQ(combos[1].nombre, "1,4");
    EXPECT_EQ(combos[1].valores, (std::vector<double>{1, 2}));
    EXPECT_EQ(combos[1].nombres, (std::vector<std::string>{"E1", "1,4"}));
    EXPECT_EQ(combos[2].valores, (std::vector<double>{1}));
    EXPECT_EQ(combos[2].nombres, (std::vector<std::string>{"D"}));
    EXPECT_EQ(consola.texto(),
              avisoMalEscrito("1,4", "combo:", 1, "la fila") + avisoMalEscrito("1,4", "combo:", 3, "la fila"));
}

TEST_F(Lector, LasConsultasPorAparicionAvisanComoLasDeTodas)
{
    // Of the two list queries only the one that converts the factors prints, so a caller
    // that asks for both sees one line.
    const claseLeerArchivo lector = sobre("combo: U 1.2 PP 1,6 CV\ndistribuidaLocal: Q 0 0 -3E2 -5 1");
    CapturaConsola consola;
    EXPECT_EQ(lector.getFactoresEtiqueta("combo:", 1, 1), (std::vector<double>{1.2}));
    EXPECT_EQ(lector.getNombresDeFactores("combo:", 1, 1), (std::vector<std::string>{"PP"}));
    EXPECT_EQ(lector.getMatrizEtiquetaRepetida("distribuidaLocal:", 1, 1), (std::vector<double>{0, 0}));
    EXPECT_EQ(consola.texto(),
              avisoMalEscrito("1,6", "combo:", 1, "la fila")
                  + avisoMalEscrito("-3E2", "distribuidaLocal:", 1, "la fila"));
}

// The line a value's conversion adds when it stops at a mistyped number.
struct Parada {
    const char* causa;   // "coma decimal" or "E mayúscula"; nullptr for no line
    const char* leido;   // the part of the word read
};

struct CasoComa {
    const char* nombre;
    const char* palabra;
    double real;         // getReal of the word
    int entero;          // getEntero of the word
    Parada paradaReal;
    Parada paradaEntero;
};

constexpr Parada kSinLinea{nullptr, nullptr};

// The value after a tag is converted whatever it is; a number that stops at a comma is
// told. A capital E is an exponent to the real conversion, while the integer one stops at
// it and tells so; a decimal point stops the integer silently (3.7 gives 3 by design).
const CasoComa kCasosComa[] = {
    {"CeroComa", "0,05", 0, 0, {"coma decimal", "0"}, {"coma decimal", "0"}},
    {"DosComaCinco", "2,5", 2, 2, {"coma decimal", "2"}, {"coma decimal", "2"}},
    {"NegativoComa", "-1,5", -1, -1, {"coma decimal", "-1"}, {"coma decimal", "-1"}},
    {"PuntoYLuegoComa", "1.5,2", 1.5, 1, {"coma decimal", "1.5"}, kSinLinea},
    {"ExponenteMayuscula", "3E2", 300, 3, kSinLinea, {"E mayúscula", "3"}},
    {"NegativoConExponenteMayuscula", "-4E1", -40, -4, kSinLinea, {"E mayúscula", "-4"}},
    {"PuntoYLuegoExponenteMayuscula", "2.5E1", 25, 2, kSinLinea, kSinLinea},
    {"ComaTrasElExponente", "3E2,5", 300, 3, {"coma decimal", "3E2"}, {"E mayúscula", "3"}},
};

class ValorConComa : public Lector, public ::testing::WithParamInterface<CasoComa> {};

TEST_P(ValorConComa, AvisaLoQueSeLee)
{
    const CasoComa& caso = GetParam();
    const claseLeerArchivo lector = sobre(std::string("v: 1 x v: ") + caso.palabra);
    const auto aviso = [&](const Parada& parada) {
        return parada.causa == nullptr ? std::string()
                                       : std::string("Advertencia: la palabra ") + caso.palabra
                                             + " de v: (aparición 2) no es un número (" + parada.causa
                                             + "); se lee " + parada.leido + "\n";
    };
    {
        CapturaConsola consola;
        EXPECT_EQ(lector.getReal("v:"), caso.real);
        EXPECT_EQ(consola.texto(), aviso(caso.paradaReal));
    }
    {
        CapturaConsola consola;
        EXPECT_EQ(lector.getEntero("v:"), caso.entero);
        EXPECT_EQ(consola.texto(), aviso(caso.paradaEntero));
    }
}

INSTANTIATE_TEST_SUITE_P(Lector, ValorConComa, ::testing::ValuesIn(kCasosComa),
                         [](const auto& i) { return std::string(i.param.nombre); });

TEST_F(Lector, UnValorSinNumeroAntesDeLaComaAvisaComoCualquierPalabra)
{
    const claseLeerArchivo lector = sobre("v: ,5");
    CapturaConsola consola;
    EXPECT_EQ(lector.getReal("v:"), 0);
    EXPECT_EQ(consola.texto(), "Advertencia: la palabra ,5 de v: (aparición 1) no es un número válido; se toma 0\n");
}

// --- Files that cannot be read -------------------------------------------------------

void esperarArchivoVacio(const claseLeerArchivo& lector)
{
    CapturaConsola consola;
    EXPECT_EQ(lector.getNoEtiquetas("nudos:"), 0);
    const Eigen::MatrixXd m = lector.getMatriz("nudos:", 3);
    EXPECT_EQ(m.rows(), 0);
    EXPECT_EQ(m.cols(), 3);
    EXPECT_TRUE(lector.getMatrizEtiquetaRepetida("apoyo:", 1, 0).empty());
    EXPECT_TRUE(lector.getFactoresEtiqueta("combo:", 1, 1).empty());
    EXPECT_TRUE(lector.getNombresDeFactores("combo:", 1, 1).empty());
    EXPECT_EQ(lector.getString("combo:", 1), "");
    EXPECT_EQ(lector.getReal("escalaM:"), -1);
    EXPECT_EQ(lector.getEntero("precision:"), -1);
    EXPECT_EQ(consola.texto(),
              "Advertencia: no se encontró ningún real con etiqueta escalaM:\n"
              "Advertencia: no se encontró ningún entero con etiqueta precision:\n");
}

TEST_F(Lector, ArchivoInexistenteNoTienePalabras)
{
    claseLeerArchivo lector;
    lector.setNombreArchivo((directorio.camino() / "no-existe.txt").string());
    esperarArchivoVacio(lector);
}

TEST(LectorSinNombre, NoTienePalabras)
{
    esperarArchivoVacio(claseLeerArchivo());
}

TEST_F(Lector, ArchivoVacioNoTienePalabras)
{
    esperarArchivoVacio(sobre(""));
}

TEST_F(Lector, CambiarElNombreLeeElArchivoNuevo)
{
    claseLeerArchivo lector = sobre("nudos: 1 0 0");
    EXPECT_EQ(lector.getNoEtiquetas("nudos:"), 1);
    lector.setNombreArchivo(directorio.escribir("otro.txt", "nudos: nudos:"));
    EXPECT_EQ(lector.getNoEtiquetas("nudos:"), 2);
}

TEST_F(Lector, ArchivoDeSoloLecturaSeLeeComoCualquierOtro)
{
    // The superuser may write any file, so the read runs as an ordinary user in a child.
    const std::string ruta = directorio.escribir("entrada.txt", "nudos: 1 0 0 2 5 0");
    ASSERT_EQ(chmod(ruta.c_str(), 0444), 0);
    ASSERT_EQ(chmod(directorio.camino().c_str(), 0755), 0);
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(100);
        claseLeerArchivo lector;
        lector.setNombreArchivo(ruta);
        _exit(static_cast<int>(lector.getMatriz("nudos:", 3).rows()));
    }
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 2);
}

// --- Memory ----------------------------------------------------------------------------

// Under a bound below the file's own size no query can hold the file's text: each answers
// nothing, says nothing (not even that a value is missing) and reports it ran out.
TEST_F(Lector, BajoUnaCotaMenorQueElArchivoNingunaConsultaResponde)
{
    std::string texto = "T 1 2 3 4 5 6\nR 5\nC X 1 D\nS nombre\n";
    for (int i = 0; i < 200; ++i)
        texto += "relleno ";
    claseLeerArchivo lector = sobre(texto);
    lector.setMemoriaMaxima(static_cast<double>(texto.size()) / 2.0);
    CapturaConsola consola;
    EXPECT_EQ(lector.getNoEtiquetas("T"), 0);
    EXPECT_EQ(lector.getMatriz("T", 3).size(), 0);
    EXPECT_TRUE(lector.getMatrizEtiquetaRepetida("T", 1, 0).empty());
    EXPECT_TRUE(lector.getFactoresEtiqueta("C", 1, 1).empty());
    EXPECT_TRUE(lector.getNombresDeFactores("C", 1, 1).empty());
    EXPECT_TRUE(lector.getFilasEtiqueta("T", 0).empty());
    EXPECT_TRUE(lector.getParesEtiqueta("C", 1).empty());
    EXPECT_EQ(lector.getString("S", 1), "");
    EXPECT_EQ(lector.getReal("R"), -1.0);
    EXPECT_EQ(lector.getEntero("Ausente"), -1);
    EXPECT_EQ(consola.texto(), "");
    EXPECT_TRUE(lector.faltoMemoria());

    // With room to spare the same reader answers again, and its queries took the text.
    lector.setMemoriaMaxima(1e9);
    EXPECT_FALSE(lector.faltoMemoria());
    EXPECT_EQ(lector.getMatriz("T", 3), filas({{1, 2, 3}, {4, 5, 6}}));
    EXPECT_EQ(lector.getReal("R"), 5.0);
    EXPECT_FALSE(lector.faltoMemoria());
    EXPECT_GE(lector.getPicoDeMemoria(), static_cast<double>(texto.size()));
}

// A row of a million references, 2 MB of text, is a run of 8 MB of values: under a bound of
// 5 MB the query stops before it makes the run, and answers nothing.
TEST_F(Lector, UnaFilaMayorQueLaCotaNoSeHace)
{
    std::string texto = "P Q 1 0 0";
    for (int k = 0; k < 1000000; ++k)
        texto += " 2";
    claseLeerArchivo lector = sobre(texto);
    lector.setMemoriaMaxima(5e6);
    EXPECT_TRUE(lector.getFilasEtiqueta("P", 1).empty());
    EXPECT_TRUE(lector.faltoMemoria());
    EXPECT_LE(lector.getPicoDeMemoria(), 5e6);

    lector.setMemoriaMaxima(12e6);
    const std::vector<claseLeerArchivo::Fila> filas = lector.getFilasEtiqueta("P", 1);
    ASSERT_EQ(filas.size(), 1u);
    EXPECT_EQ(filas[0].valores.size(), 1000003u);
    EXPECT_FALSE(lector.faltoMemoria());
}
