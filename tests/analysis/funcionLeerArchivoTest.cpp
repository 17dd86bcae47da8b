#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "funcionLeerArchivo.h"
#include "variablesGlobales.h"

namespace {

// A one-bay portal frame whose beam is hinged at its end node: the bundled example.
const char* const kEjemplo =
    "Ejemplo de entrada\n"
    "nudos:\n"
    "1 0 0\n"
    "2 0 3\n"
    "3 5 3\n"
    "4 5 0\n"
    "barras:\n"
    "1 1 2\n"
    "2 2 3\n"
    "3 4 3\n"
    "apoyo: 1 1 1 1\n"
    "apoyo: 1 1 0 4\n"
    "resorte: 0 0 900 4\n"
    "puntual: V 12 0 0 2\n"
    "distribuidaGlobal: V 2 2 1 0 1\n"
    "seccionRectangular: C30 0.3 0.3 2e7 24 1 3\n"
    "seccionGenerica: V1 0.05 3e-3 2e7 24 2\n"
    "articulacion: 1 0 2\n"
    "distribuidaLocal: CV 0 0 -8 -8 2\n"
    "pesoPropio: PP\n"
    "combo: U1 1.4 PP\n"
    "combo: U2 1.2 PP 1.6 CV 0.8 V\n"
    "escalaM: 0.05\n"
    "precision: 2\n";

const char* const kConsolaEjemplo =
    "lectura de nudos OK Num Nudos = 4\n"
    "lectura de barras OK Num Barras = 3\n"
    "punteros de nudos internos OK\n"
    "puntero de barras internas OK\n"
    "transferencia de coord a nudos[i] OK\n"
    "transferencia de apoyos a nudo[i] OK\n"
    "transferencia de resortes a nudo[i] OK\n"
    "transferencia de cargas puntuales a nudo[i] OK\n"
    "transferencia de combos a nudo[i] OK\n"
    "transferencia de coord a barra[i] OK\n"
    "transferencia de secciones rect a barra[i] OK\n"
    "transferencia de secciones gen a barra[i] OK\n"
    "transferencia de articulaciones a barra[i] OK\n"
    "transferencia de cargas Locales a barra[i] OK\n"
    "transferencia de cargas globales a barra[i] OK\n"
    "Lectura de pesoPropio ---> OK\n"
    "transferencia de combos a barra[i] OK\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaDeflexion:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaV:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaN:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaTexto:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaApoyo:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaCarga:\n";

// Rounding of cos 90 degrees and sums of a few products: far below this.
constexpr double kTol = 1e-12;

class LecturaDelModelo : public ::testing::Test {
protected:
    void SetUp() override { reiniciarEstadoGlobal(); }

    // Reads the text as the input file; answers the console lines.
    std::string leer(const std::string& texto)
    {
        nombreArchivo = directorio.escribir("entrada.txt", texto);
        CapturaConsola consola;
        funcionLeerArchivo();
        return consola.texto();
    }

    DirectorioTemporal directorio;
};

void esperarFilaNudo(int i, double px, double py, double mz, int c)
{
    const objNudo2d& n = nudo[static_cast<std::size_t>(i)];
    EXPECT_NEAR(n.getPxCombo(c), px, kTol) << "nudo " << i << " combo " << c;
    EXPECT_NEAR(n.getPyCombo(c), py, kTol) << "nudo " << i << " combo " << c;
    EXPECT_NEAR(n.getMzCombo(c), mz, kTol) << "nudo " << i << " combo " << c;
}

void esperarFilaBarra(int i, int c, double fi, double ff, double qi, double qf)
{
    const objBarra2d& b = barra[static_cast<std::size_t>(i)];
    EXPECT_NEAR(b.getFInicioCombo(c), fi, kTol) << "barra " << i << " combo " << c;
    EXPECT_NEAR(b.getFFinCombo(c), ff, kTol) << "barra " << i << " combo " << c;
    EXPECT_NEAR(b.getQInicioCombo(c), qi, kTol) << "barra " << i << " combo " << c;
    EXPECT_NEAR(b.getQFinCombo(c), qf, kTol) << "barra " << i << " combo " << c;
}

}  // namespace

TEST(ArchivoDeEjemplo, ElIncluidoEsElEjemploDelFormato)
{
    std::ifstream archivo(ORVELTA_RAIZ "/ingresoDatos.txt", std::ios::binary);
    ASSERT_TRUE(archivo.is_open());
    const std::string contenido((std::istreambuf_iterator<char>(archivo)), std::istreambuf_iterator<char>());
    EXPECT_EQ(contenido, kEjemplo);
}

TEST_F(LecturaDelModelo, EjemploImprimeCadaLineaEnSuOrden)
{
    EXPECT_EQ(leer(kEjemplo), kConsolaEjemplo);
}

TEST_F(LecturaDelModelo, EjemploDejaCuentasPunterosYEscalas)
{
    leer(kEjemplo);
    EXPECT_EQ(noNudos, 4);
    EXPECT_EQ(noBarras, 3);
    EXPECT_EQ(noCombos, 2);
    ASSERT_EQ(nudo.size(), 4u);
    ASSERT_EQ(barra.size(), 3u);
    EXPECT_EQ(punteroNudos, (Eigen::VectorXi(5) << 0, 0, 1, 2, 3).finished());
    EXPECT_EQ(punteroBarras, (Eigen::VectorXi(4) << 0, 0, 1, 2).finished());

    EXPECT_EQ(escalaDef, 100);
    EXPECT_EQ(escalaM, 0.05);
    EXPECT_EQ(escalaV, 0.1);
    EXPECT_EQ(escalaN, 0.01);
    EXPECT_EQ(escalaTexto, 0.15);
    EXPECT_EQ(escalaApoyo, 0);
    EXPECT_EQ(escalaCarga, 0.1);
    EXPECT_EQ(precision, 2);
}

TEST_F(LecturaDelModelo, EjemploDejaLosNudos)
{
    leer(kEjemplo);
    ASSERT_EQ(nudo.size(), 4u);
    const double x[] = {0, 0, 5, 5};
    const double y[] = {0, 3, 3, 0};
    for (int i = 0; i < 4; ++i) {
        const objNudo2d& n = nudo[static_cast<std::size_t>(i)];
        EXPECT_EQ(n.getNoNudo(), i);
        EXPECT_EQ(n.getNoNudoUsuario(), i + 1);
        EXPECT_EQ(n.getX(), x[i]);
        EXPECT_EQ(n.getY(), y[i]);
        ASSERT_EQ(n.getCantidadDeCombos(), 2);
        EXPECT_EQ(n.getNombreCombo(0), "U1");
        EXPECT_EQ(n.getNombreCombo(1), "U2");
    }
    EXPECT_EQ(nudo[0].getApoyo(), Eigen::Vector3i(1, 1, 1));
    EXPECT_EQ(nudo[1].getApoyo(), Eigen::Vector3i(0, 0, 0));
    EXPECT_EQ(nudo[2].getApoyo(), Eigen::Vector3i(0, 0, 0));
    EXPECT_EQ(nudo[3].getApoyo(), Eigen::Vector3i(1, 1, 0));
    EXPECT_EQ(nudo[3].getResorteX(), 0.0);
    EXPECT_EQ(nudo[3].getResorteY(), 0.0);
    EXPECT_EQ(nudo[3].getResorteGiro(), 900.0);
    EXPECT_EQ(nudo[1].getResorteGiro(), 0.0);

    // Only node 2 (position 1) carries a load: 12 along X in case V; U2 takes 0.8 V.
    for (int i = 0; i < 4; ++i)
        esperarFilaNudo(i, 0, 0, 0, 0);
    esperarFilaNudo(0, 0, 0, 0, 1);
    esperarFilaNudo(1, 0.8 * 12, 0, 0, 1);
    esperarFilaNudo(2, 0, 0, 0, 1);
    esperarFilaNudo(3, 0, 0, 0, 1);
}

TEST_F(LecturaDelModelo, EjemploDejaLasBarras)
{
    leer(kEjemplo);
    ASSERT_EQ(barra.size(), 3u);
    const int inicioUsuario[] = {1, 2, 4};
    const int finUsuario[] = {2, 3, 3};
    for (int i = 0; i < 3; ++i) {
        objBarra2d& b = barra[static_cast<std::size_t>(i)];
        EXPECT_EQ(b.getNoBarraUsuario(), i + 1);
        EXPECT_EQ(b.getNudoInicioUsuario(), inicioUsuario[i]);
        EXPECT_EQ(b.getNudoFinalUsuario(), finUsuario[i]);
        EXPECT_EQ(b.getNudoInicio(), inicioUsuario[i] - 1);
        EXPECT_EQ(b.getNudoFinal(), finUsuario[i] - 1);
        EXPECT_EQ(b.getModE(), 2e7);
        ASSERT_EQ(b.getCantidadDeCombos(), 2);
    }
    EXPECT_EQ(barra[0].getXi(), 0.0);
    EXPECT_EQ(barra[0].getYi(), 0.0);
    EXPECT_EQ(barra[0].getXf(), 0.0);
    EXPECT_EQ(barra[0].getYf(), 3.0);
    EXPECT_EQ(barra[2].getXi(), 5.0);
    EXPECT_EQ(barra[2].getYf(), 3.0);

    // Columns: rectangle 0.3 x 0.3, A = 0.09, I = 0.3^4 / 12; the beam: the generic row.
    EXPECT_EQ(barra[0].getNombreDeSeccion(), "C30");
    EXPECT_EQ(barra[2].getNombreDeSeccion(), "C30");
    EXPECT_NEAR(barra[0].getArea(), 0.09, kTol);
    EXPECT_NEAR(barra[0].getInercia(), 0.000675, kTol);
    EXPECT_EQ(barra[1].getNombreDeSeccion(), "V1");
    EXPECT_EQ(barra[1].getArea(), 0.05);
    EXPECT_EQ(barra[1].getInercia(), 3e-3);
    EXPECT_EQ(barra[1].getArticulacionInicio(), 1);
    EXPECT_EQ(barra[1].getArticulacionFin(), 0);
    EXPECT_EQ(barra[0].getArticulacionFin(), 1);

    // Column 1 (angle +90 degrees): self weight w = 0.09 x 24 = 2.16 towards -Y is axial
    // -2.16; the wind V of 2 along +X is transverse -2 (local y points to -X).
    // U1 = 1.4 PP; U2 = 1.2 PP + 0.8 V.
    esperarFilaBarra(0, 0, -1.4 * 2.16, -1.4 * 2.16, 0, 0);
    esperarFilaBarra(0, 1, -1.2 * 2.16, -1.2 * 2.16, -0.8 * 2, -0.8 * 2);
    // Beam (angle 0): w = 0.05 x 24 = 1.2 transverse -1.2; CV transverse -8.
    esperarFilaBarra(1, 0, 0, 0, -1.4 * 1.2, -1.4 * 1.2);
    esperarFilaBarra(1, 1, 0, 0, -1.2 * 1.2 - 1.6 * 8, -1.2 * 1.2 - 1.6 * 8);
    // Column 3: self weight only.
    esperarFilaBarra(2, 0, -1.4 * 2.16, -1.4 * 2.16, 0, 0);
    esperarFilaBarra(2, 1, -1.2 * 2.16, -1.2 * 2.16, 0, 0);
}

TEST_F(LecturaDelModelo, ReleerDaLasMismasLineasYElMismoModelo)
{
    const std::string primera = leer(kEjemplo);
    escalaM = 7;   // as the viewer's "+" key would leave it
    nudo.clear();
    barra.clear();
    EXPECT_EQ(leer(kEjemplo), primera);
    EXPECT_EQ(escalaM, 0.05);
    EXPECT_EQ(noNudos, 4);
    EXPECT_EQ(nudo[1].getCantidadDeCombos(), 2);
    esperarFilaNudo(1, 0.8 * 12, 0, 0, 1);
}

// --- Files from which no model can be built ------------------------------------------

namespace {

const char* const kAvisosDeEscalas =
    "Advertencia: no se encontró ningún real con etiqueta escalaDeflexion:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaM:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaV:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaN:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaTexto:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaApoyo:\n"
    "Advertencia: no se encontró ningún entero con etiqueta precision:\n"
    "Advertencia: no se encontró ningún real con etiqueta escalaCarga:\n";

void esperarModeloVacio()
{
    EXPECT_EQ(noNudos, 0);
    EXPECT_EQ(noBarras, 0);
    EXPECT_EQ(noCombos, 0);
    EXPECT_TRUE(nudo.empty());
    EXPECT_TRUE(barra.empty());
    EXPECT_EQ(punteroNudos.size(), 0);
    EXPECT_EQ(punteroBarras.size(), 0);
}

void esperarEscalasPorDefecto()
{
    EXPECT_EQ(escalaDef, 100);
    EXPECT_EQ(escalaM, 0.1);
    EXPECT_EQ(escalaV, 0.1);
    EXPECT_EQ(escalaN, 0.01);
    EXPECT_EQ(escalaTexto, 0.15);
    EXPECT_EQ(escalaApoyo, 0);
    EXPECT_EQ(escalaCarga, 0.1);
    EXPECT_EQ(precision, 3);
}

struct CasoSinModelo {
    const char* nombre;
    const char* entrada;
    const char* consola;   // every line up to the scale warnings
};

const CasoSinModelo kCasosSinModelo[] = {
    {"ArchivoVacio", "",
     "lectura de nudos OK Num Nudos = 0\n"
     "lectura de barras OK Num Barras = 0\n"
     "No se construye el modelo: no hay ninguna fila completa de nudos:\n"},
    {"NudosIncompletos", "nudos: 1 0 0 2 5\nbarras: 1 1 2",
     "Faltan datos para completar la matriz nudos:\n"
     "lectura de nudos OK Num Nudos = 0\n"
     "lectura de barras OK Num Barras = 1\n"
     "No se construye el modelo: no hay ninguna fila completa de nudos:\n"},
    {"NudoRepetido", "nudos: 1 0 0 1 5 0 2 5 3\nbarras: 1 1 2",
     "lectura de nudos OK Num Nudos = 3\n"
     "lectura de barras OK Num Barras = 1\n"
     "Error en nudos: fila 2: el nudo 1 ya está definido en la fila 1\n"
     "No se construye el modelo: corregir los errores de nudos: y barras:\n"},
    {"NudoNegativo", "nudos: -1 0 0 2 5 0",
     "lectura de nudos OK Num Nudos = 2\n"
     "lectura de barras OK Num Barras = 0\n"
     "Error en nudos: fila 1: el número de nudo -1 es negativo\n"
     "No se construye el modelo: corregir los errores de nudos: y barras:\n"},
    {"NudoDemasiadoGrande", "nudos: 1 0 0 1000001 5 0",
     "lectura de nudos OK Num Nudos = 2\n"
     "lectura de barras OK Num Barras = 0\n"
     "Error en nudos: fila 2: el número de nudo 1000001 pasa de 1000000\n"
     "No se construye el modelo: corregir los errores de nudos: y barras:\n"},
    {"BarraConNudoIndefinido", "nudos: 1 0 0 3 5 0\nbarras: 1 1 2 2 1 3",
     "lectura de nudos OK Num Nudos = 2\n"
     "lectura de barras OK Num Barras = 2\n"
     "Error en barras: fila 1: el nudo 2 de la barra 1 no está definido en nudos:\n"
     "No se construye el modelo: corregir los errores de nudos: y barras:\n"},
    {"BarraDeUnSoloNudo", "nudos: 1 0 0 2 5 0\nbarras: 1 1 2 2 2 2.5",
     "lectura de nudos OK Num Nudos = 2\n"
     "lectura de barras OK Num Barras = 2\n"
     "Error en barras: fila 2: la barra 2 empieza y termina en el nudo 2\n"
     "No se construye el modelo: corregir los errores de nudos: y barras:\n"},
    {"BarraRepetidaYNegativa", "nudos: 1 0 0 2 5 0\nbarras: 4 1 2 4 2 1 -3 1 2",
     "lectura de nudos OK Num Nudos = 2\n"
     "lectura de barras OK Num Barras = 3\n"
     "Error en barras: fila 3: el número de barra -3 es negativo\n"
     "Error en barras: fila 2: la barra 4 ya está definida en la fila 1\n"
     "No se construye el modelo: corregir los errores de nudos: y barras:\n"},
    // Every fault is listed, not only the first.
    {"TodosLosErrores", "nudos: 1 0 0 1 5 0 -2 0 0\nbarras: 1 1 9 1 1 1",
     "lectura de nudos OK Num Nudos = 3\n"
     "lectura de barras OK Num Barras = 2\n"
     "Error en nudos: fila 3: el número de nudo -2 es negativo\n"
     "Error en nudos: fila 2: el nudo 1 ya está definido en la fila 1\n"
     "Error en barras: fila 2: la barra 1 ya está definida en la fila 1\n"
     "Error en barras: fila 1: el nudo 9 de la barra 1 no está definido en nudos:\n"
     "Error en barras: fila 2: la barra 1 empieza y termina en el nudo 1\n"
     "No se construye el modelo: corregir los errores de nudos: y barras:\n"},
};

class SinModelo : public LecturaDelModelo, public ::testing::WithParamInterface<CasoSinModelo> {};

TEST_P(SinModelo, ListaLosErroresYDejaElModeloVacio)
{
    const CasoSinModelo& caso = GetParam();
    EXPECT_EQ(leer(std::string(caso.entrada) + "\napoyo: 1 1 1 1\ncombo: U 1 D\n"),
              std::string(caso.consola) + kAvisosDeEscalas);
    esperarModeloVacio();
    esperarEscalasPorDefecto();
}

INSTANTIATE_TEST_SUITE_P(Lectura, SinModelo, ::testing::ValuesIn(kCasosSinModelo),
                         [](const auto& i) { return std::string(i.param.nombre); });

}  // namespace

TEST_F(LecturaDelModelo, ArchivoQueNoSePuedeAbrir)
{
    nombreArchivo = (directorio.camino() / "no-existe.txt").string();
    CapturaConsola consola;
    funcionLeerArchivo();
    EXPECT_EQ(consola.texto(), "No se puede abrir el archivo de entrada: " + nombreArchivo + "\n");
    esperarModeloVacio();
    esperarEscalasPorDefecto();
}

TEST_F(LecturaDelModelo, UnDirectorioNoEsUnArchivoDeEntrada)
{
    nombreArchivo = directorio.camino().string();
    CapturaConsola consola;
    funcionLeerArchivo();
    EXPECT_EQ(consola.texto(), "No se puede abrir el archivo de entrada: " + nombreArchivo + "\n");
    esperarModeloVacio();
}

TEST_F(LecturaDelModelo, TablaConErroresTomaIgualLasEscalasDelArchivo)
{
    leer("nudos: 1 0 0 1 5 0\nescalaM: 0.5\nprecision: 1");
    esperarModeloVacio();
    EXPECT_EQ(escalaM, 0.5);
    EXPECT_EQ(precision, 1);
}

TEST_F(LecturaDelModelo, ReleerUnArchivoEstropeadoVaciaElModeloAnterior)
{
    leer(kEjemplo);
    ASSERT_EQ(noNudos, 4);
    nudo.clear();
    barra.clear();
    leer("nudos: 1 0 0 1 5 0");
    esperarModeloVacio();
}

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

TEST_F(LecturaDelModelo, UnArchivoSinBarrasVaciaElPunteroDeBarrasAnterior)
{
    leer(kEjemplo);
    nudo.clear();
    barra.clear();
    leer("nudos: 1 0 0");
    EXPECT_EQ(punteroBarras.size(), 0);
    EXPECT_TRUE(barra.empty());
}
