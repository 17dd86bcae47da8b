#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "capturaConsola.h"
#include "claseLeerArchivo.h"
#include "funcionLeerArchivo.h"
#include "lecturaDelModelo.h"
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

// Only a regular file is an input file. A pipe (as /dev/fd/N from a process substitution)
// would be drained by the first of the reader's passes, a FIFO without a writer blocks
// whoever opens it, a device never ends: each gets the line of a file that cannot be
// opened, at once. The alarm turns a hang into a failure.
TEST_F(LecturaDelModelo, LoQueNoEsUnArchivoRegularNoSeLee)
{
    const std::string ejemplo = "nudos: 1 0 0 2 5 0\nbarras: 1 1 2\n";
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    ASSERT_EQ(write(tubo[1], ejemplo.data(), ejemplo.size()), static_cast<ssize_t>(ejemplo.size()));
    close(tubo[1]);
    const std::string fifo = (directorio.camino() / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    const std::string rutas[] = {"/dev/fd/" + std::to_string(tubo[0]), fifo, "/dev/null", "/dev/zero"};
    alarm(20);
    for (const std::string& ruta : rutas) {
        nombreArchivo = ruta;
        CapturaConsola consola;
        funcionLeerArchivo();
        EXPECT_EQ(consola.texto(), "No se puede abrir el archivo de entrada: " + ruta + "\n");
        esperarModeloVacio();
        // The reader by itself finds no word in them either.
        claseLeerArchivo lector;
        lector.setNombreArchivo(ruta);
        EXPECT_EQ(lector.getNoEtiquetas("nudos:"), 0) << ruta;
    }
    alarm(0);
    close(tubo[0]);
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

TEST_F(LecturaDelModelo, UnArchivoSinBarrasVaciaElPunteroDeBarrasAnterior)
{
    leer(kEjemplo);
    nudo.clear();
    barra.clear();
    leer("nudos: 1 0 0");
    EXPECT_EQ(punteroBarras.size(), 0);
    EXPECT_TRUE(barra.empty());
}

namespace {

// 100 nodes, 10 bars and 100 combinations. Every node and bar holds, per combination, its
// name (a 32-byte string, plus a 64-byte heap block for 40 characters: 41 + 8 bytes rounded
// up to 16) and a row of doubles (3 for a node, 4 for a bar). Short names: 100 x (3200 +
// 2400) + 10 x (3200 + 3200) = 624000 bytes; 40-character names: 100 x (9600 + 2400) + 10
// x (9600 + 3200) = 1328000 bytes. Model building reckons these rows and more (the index
// of the combinations, the text of the file) before it makes them, and keeps 256 KiB aside
// for pages that no step counts.
struct CasoMemoria {
    const char* nombre;
    const char* prefijo;   // names are the prefix and 100..199
    double bytesDeLasFilas;
};

const CasoMemoria kCasosMemoria[] = {
    {"NombresCortos", "C", 624000},
    {"NombresLargos", "Combinacion_de_cargas_de_servicio_num", 1328000},
};

std::string modeloConCombos(const std::string& prefijo)
{
    std::string texto = "nudos:\n";
    for (int i = 1; i <= 100; ++i)
        texto += std::to_string(i) + ' ' + std::to_string(i) + " 0\n";
    texto += "barras:\n";
    for (int i = 1; i <= 10; ++i)
        texto += std::to_string(i) + ' ' + std::to_string(i) + ' ' + std::to_string(i + 1) + '\n';
    for (int c = 100; c < 200; ++c)
        texto += "combo: " + prefijo + std::to_string(c) + " 1 D\n";
    return texto;
}

class MemoriaDeCombos : public LecturaConMemoria, public ::testing::WithParamInterface<CasoMemoria> {
protected:
    std::string leerModeloCon(double memoriaLibre)
    {
        nombreArchivo = directorio.escribir("entrada.txt", modeloConCombos(GetParam().prefijo));
        return leerCon(memoriaLibre);
    }

    // The bytes the refusal line says are needed; -1 without such a line at the end.
    double bytesNecesarios(const std::string& salida) const
    {
        const std::string inicio = "No hay memoria para leer el archivo de entrada: " + nombreArchivo + " (se necesitan ";
        const std::size_t en = salida.rfind(inicio);
        const bool ultima = en != std::string::npos && salida.compare(salida.size() - 5, 5, " GB)\n") == 0;
        return ultima ? std::stod(salida.substr(en + inicio.size())) * 1e9 : -1.0;
    }
};

constexpr double kAparte = 256.0 * 1024.0;

// With room for the rows alone the model is refused before any row is made, and the line
// names more than that room; with room to spare it is read whole.
TEST_P(MemoriaDeCombos, SeRehusaSiLasFilasNoCabenYSeLeeSiCaben)
{
    const CasoMemoria& caso = GetParam();
    const std::string salida = leerModeloCon(caso.bytesDeLasFilas + kAparte);
    EXPECT_GT(bytesNecesarios(salida), caso.bytesDeLasFilas + kAparte) << salida;
    EXPECT_EQ(salida.find("transferencia de combos"), std::string::npos);
    esperarModeloVacio();
    esperarEscalasPorDefecto();

    const std::string leida = leerModeloCon(1e9);
    EXPECT_EQ(leida.find("No hay memoria"), std::string::npos);
    EXPECT_EQ(noNudos, 100);
    EXPECT_EQ(noBarras, 10);
    EXPECT_EQ(noCombos, 100);
    ASSERT_EQ(barra.size(), 10u);
    EXPECT_EQ(barra[9].getCantidadDeCombos(), 100);
    EXPECT_EQ(nudo[99].getNombreCombo(99), caso.prefijo + std::string("199"));
}

// The long names cost the rows 1328000 - 624000 bytes more, and the index of the
// combinations more still: the reckoning follows the names.
TEST_F(LecturaConMemoria, LaMemoriaDeLasFilasSigueALosNombres)
{
    double necesarios[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
        nombreArchivo = directorio.escribir("entrada.txt", modeloConCombos(kCasosMemoria[k].prefijo));
        const std::string texto = leerCon(kCasosMemoria[0].bytesDeLasFilas + kAparte);
        const std::string inicio = "(se necesitan ";
        const std::size_t en = texto.rfind(inicio);
        ASSERT_NE(en, std::string::npos) << texto;
        necesarios[k] = std::stod(texto.substr(en + inicio.size())) * 1e9;
    }
    EXPECT_GE(necesarios[1] - necesarios[0], 1328000.0 - 624000.0);
}

INSTANTIATE_TEST_SUITE_P(Lectura, MemoriaDeCombos, ::testing::ValuesIn(kCasosMemoria),
                         [](const auto& i) { return std::string(i.param.nombre); });

}  // namespace
