#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "funcionImprimirResultados.h"
#include "funcionLeerArchivo.h"
#include "funcionSolucionU.h"
#include "variablesGlobales.h"

// The report of a solved model, checked against its format: reals in the stream's default
// notation (six significant digits), matrices as right-aligned blocks, DOF and combination
// numbers counted from 1, the closing blank lines. The expected text is composed here by an
// independent formatter from the model's values; values that matter are also stated by hand.

namespace {

std::string real(double v)
{
    std::ostringstream texto;
    texto << v;
    return texto.str();
}

// Every entry right-aligned to the widest entry of the block, one blank between entries of
// a row, rows separated by one line break and nothing after the last.
template <typename Matriz>
std::string bloque(const Matriz& m)
{
    std::size_t ancho = 0;
    for (Eigen::Index i = 0; i < m.rows(); ++i)
        for (Eigen::Index j = 0; j < m.cols(); ++j)
            ancho = std::max(ancho, real(m(i, j)).size());
    std::string texto;
    for (Eigen::Index i = 0; i < m.rows(); ++i) {
        if (i > 0)
            texto += "\n";
        for (Eigen::Index j = 0; j < m.cols(); ++j) {
            if (j > 0)
                texto += " ";
            const std::string entrada = real(m(i, j));
            texto += std::string(ancho - entrada.size(), ' ') + entrada;
        }
    }
    return texto;
}

std::string filas(const char* const (&etiquetas)[6], const Eigen::MatrixXd& tabla)
{
    std::string texto;
    for (Eigen::Index k = 0; k < 6; ++k)
        texto += std::string(etiquetas[k]) + bloque(tabla.row(k)) + "\n";
    return texto;
}

// The whole report composed from the model's getters, section by section.
std::vector<std::string> reporteEsperado()
{
    std::vector<std::string> s;
    std::string t = "#Nudo CoordX coordY\n";
    for (const objNudo2d& n : nudo)
        t += std::to_string(n.getNoNudoUsuario()) + " " + real(n.getX()) + " " + real(n.getY()) + "\n";
    s.push_back(t);

    t = "\n\nApoyado = 1; sin Apoyo = 0\n#Nudo | ApoyoX | ApoyoY | giro\n";
    for (const objNudo2d& n : nudo) {
        const Eigen::Vector3i a = n.getApoyo();
        t += std::to_string(n.getNoNudo()) + " " + std::to_string(a(0)) + " " + std::to_string(a(1)) + " "
           + std::to_string(a(2)) + "\n";
    }
    s.push_back(t);

    t = "\n\nMatrices de Rigidez de Barras\n";
    for (objBarra2d& b : barra) {
        const Eigen::RowVectorXi gdl = (b.getGdl().array() + 1).transpose();
        t += "#_barra: " + std::to_string(b.getNoBarraUsuario()) + "\nnudo_Inicio: "
           + std::to_string(b.getNudoInicioUsuario()) + "\nnudo_final: " + std::to_string(b.getNudoFinalUsuario())
           + "\nlongitud: " + real(b.getLongitud()) + "\nangulo: " + real(b.getAngulo()) + "\nArea: "
           + real(b.getArea()) + "\nInercia: " + real(b.getInercia()) + "\nmodE: " + real(b.getModE())
           + "\ngrados_de_libertad: " + bloque(gdl) + "\nMatriz_de_Rigidez:\n" + bloque(b.getKGlobal()) + "\n\n";
    }
    s.push_back(t);

    s.push_back("\n\nMATRIZ DE RIGIDEZ DE TODA LA ESTRUCTURA: \n" + bloque(kEstructura) + "\n");

    t = "\n\nCARGAS DISTRIBUIDAS LOCALES PARA CADA BARRA:\n";
    const char* const cargas[4] = {"f_paralela_inicio: ", "f_paralela_fin: ", "q_perpend_inicio: ", "q_perpend_fin: "};
    for (const objBarra2d& b : barra) {
        t += "#_barra: " + std::to_string(b.getNoBarraUsuario()) + "\n";
        const Eigen::MatrixXd q = b.getMatrizCargasCombo();
        for (int k = 0; k < 4; ++k)
            t += std::string(cargas[k]) + bloque(q.col(k).transpose()) + "\n";
        t += "\n";
    }
    s.push_back(t);

    const char* const locales[6] = {"F1: ", "F2: ", "M3: ", "F4: ", "F5: ", "M6: "};
    const char* const globales[6] = {"Fx1: ", "Fy2: ", "Mz3: ", "Fx4: ", "Fy5: ", "Mz6: "};
    t = "\n\nCARGAS EQUIVALENTES LOCALES Y GLOBALES PARA CADA BARRA:\n";
    for (objBarra2d& b : barra) {
        t += "#_barra: " + std::to_string(b.getNoBarraUsuario()) + "\nfuerzas Equivalentes LOCALES:\n"
           + filas(locales, b.getCargasEquivalentesLocales()) + "fuerzas Equivalentes GLOBALES:\n"
           + filas(globales, b.getCargasEquivalentesGlobales()) + "\n";
    }
    s.push_back(t);

    s.push_back("\n\nVECTOR DE CARGAS DE TODA LA ESTRUCTURA\n" + bloque(pCombo) + "\n");
    s.push_back("\n\nVECTOR DE DESPLAZAMIENTOS\n" + bloque(u) + "\n");

    const char* const uGlobal[6] = {"ux: ", "uy: ", "Giro: ", "ux: ", "uy: ", "Giro: "};
    const char* const uLocal[6] = {"u1: ", "u2: ", "u3: ", "u4: ", "u5: ", "u6: "};
    t = "\n\nVECTOR DE DESPLAZAMIENTOS GLOBALES Y LOCALES PARA CADA BARRA\n";
    for (const objBarra2d& b : barra) {
        t += "#_barra: " + std::to_string(b.getNoBarraUsuario()) + "\nDesplazamientos Globales [uGlobal]:\n"
           + filas(uGlobal, b.getDesplazamientosGlobales())
           + "Desplazamientos Locales [uLocal] = [T]*[uGlobal]:\n" + filas(uLocal, b.getDesplazamientosLocales()) + "\n";
    }
    s.push_back(t);

    const char* const constantes[6] = {"A: ", "B: ", "C1: ", "C2: ", "C3: ", "C4: "};
    t = "\n\nCONSTANTES DE INTEGRACIÓN DE CADA BARRA:\n";
    for (const objBarra2d& b : barra)
        t += "#_barra: " + std::to_string(b.getNoBarraUsuario()) + "\nConstantes:\n"
           + filas(constantes, b.getConstantesIntegracion()) + "\n";
    s.push_back(t);

    t = "\n\nSOLICITACIONES DE CADA BARRA EN LOS EXTREMOS:\n";
    for (const objBarra2d& b : barra) {
        for (int c = 0; c < noCombos; ++c) {
            const Eigen::MatrixXd N = b.getSolicitacionAxial(c, 2);
            const Eigen::MatrixXd V = b.getSolicitacionCortante(c, 2);
            const Eigen::MatrixXd M = b.getSolicitacionMomento(c, 2);
            t += "#_barra: " + std::to_string(b.getNoBarraUsuario()) + "\ncombo: " + std::to_string(c + 1)
               + "\nN_inicio: " + real(N(1, 0)) + "\nN_fin: " + real(N(1, 1)) + "\nV_inicio: " + real(V(1, 0))
               + "\nV_fin: " + real(V(1, 1)) + "\nM_inicio: " + real(M(1, 0)) + "\nM_fin: " + real(M(1, 1)) + "\n";
        }
        t += "\n";
    }
    s.push_back(t + "\n\n");
    return s;
}

std::string leerTodo(const std::filesystem::path& archivo)
{
    std::ifstream entrada(archivo, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>());
}

class ImprimirResultados : public ::testing::Test {
protected:
    void SetUp() override
    {
        reiniciarEstadoGlobal();
        kEstructura.resize(0, 0);
        pCombo.resize(0, 0);
        u.resize(0, 0);
        reacciones.resize(0, 0);
        anterior = std::filesystem::current_path();
        std::filesystem::current_path(directorio.camino());
    }
    void TearDown() override
    {
        std::filesystem::current_path(anterior);
        reiniciarEstadoGlobal();
    }

    // Reads and solves an input text, or the bundled example when none is given.
    void leerYResolver(const std::string& texto = "")
    {
        nombreArchivo = texto.empty() ? std::string(ORVELTA_RAIZ "/ingresoDatos.txt")
                                      : directorio.escribir("entrada.txt", texto);
        CapturaConsola consola;
        funcionLeerArchivo();
        funcionSolucionU();
    }

    std::string reporte() const { return leerTodo(directorio.camino() / "resultados.txt"); }

    DirectorioTemporal directorio;
    std::filesystem::path anterior;
};

TEST_F(ImprimirResultados, EjemploSeccionPorSeccion)
{
    leerYResolver();
    ASSERT_EQ(noCombos, 2);
    const Eigen::MatrixXd kAntes = kEstructura;
    CapturaConsola consola;
    funcionImprimirResultados();
    EXPECT_EQ(consola.texto(), "");
    EXPECT_TRUE(kEstructura == kAntes);   // the writer leaves the analysis state alone

    const std::string texto = reporte();
    const std::vector<std::string> secciones = reporteEsperado();
    ASSERT_EQ(secciones.size(), 11u);
    std::size_t desde = 0;
    for (std::size_t i = 0; i < secciones.size(); ++i) {
        EXPECT_EQ(texto.substr(desde, secciones[i].size()), secciones[i]) << "sección " << i + 1;
        desde += secciones[i].size();
    }
    EXPECT_EQ(desde, texto.size());
}

// What the format means, stated by hand for the bundled example.
TEST_F(ImprimirResultados, EjemploValoresEscritosAMano)
{
    leerYResolver();
    funcionImprimirResultados();
    const std::string texto = reporte();

    // User numbers in the coordinate table, internal numbers in the support table.
    EXPECT_EQ(texto.rfind("#Nudo CoordX coordY\n1 0 0\n2 0 3\n3 5 3\n4 5 0\n\n\n", 0), 0u);
    EXPECT_NE(texto.find("#Nudo | ApoyoX | ApoyoY | giro\n0 1 1 1\n1 0 0 0\n2 0 0 0\n3 1 1 0\n"), std::string::npos);
    // Column 1: 0.3 x 0.3, I = 0.3^4 / 12 = 0.000675, length 3 at 90 degrees (1.5708 rad).
    EXPECT_NE(texto.find("#_barra: 1\nnudo_Inicio: 1\nnudo_final: 2\nlongitud: 3\nangulo: 1.5708\n"
                         "Area: 0.09\nInercia: 0.000675\nmodE: 2e+07\ngrados_de_libertad: 1 2 3 4 5 6\n"),
              std::string::npos);
    // Beam 2 from internal node 1 to 2; column 3 from internal node 3 up to node 2: DOF
    // numbers plus 1, padded to the widest.
    EXPECT_NE(texto.find("#_barra: 2\nnudo_Inicio: 2\nnudo_final: 3\nlongitud: 5\nangulo: 0\nArea: 0.05\n"
                         "Inercia: 0.003\nmodE: 2e+07\ngrados_de_libertad: 4 5 6 7 8 9\n"),
              std::string::npos);
    EXPECT_NE(texto.find("grados_de_libertad: 10 11 12  7  8  9\n"), std::string::npos);
    // Beam loads per combination: self weight 0.05 x 24 = 1.2 down; U1 = 1.4 x -1.2 = -1.68,
    // U2 = 1.2 x -1.2 + 1.6 x -8 = -14.24; no axial load.
    EXPECT_NE(texto.find("#_barra: 2\nf_paralela_inicio: 0 0\nf_paralela_fin: 0 0\n"
                         "q_perpend_inicio:  -1.68 -14.24\nq_perpend_fin:  -1.68 -14.24\n\n"),
              std::string::npos);
    // The hinged end of the beam carries no moment in either combination.
    for (const char* combo : {"combo: 1\n", "combo: 2\n"}) {
        const std::size_t bloqueViga = texto.find(std::string("#_barra: 2\n") + combo,
                                                  texto.find("SOLICITACIONES DE CADA BARRA EN LOS EXTREMOS:\n"));
        ASSERT_NE(bloqueViga, std::string::npos) << combo;
        const std::size_t mFin = texto.find("M_fin: ", bloqueViga);
        const double momento = std::stod(texto.substr(mFin + 7));
        EXPECT_NEAR(momento, 0.0, 1e-6) << combo;
    }
    // Closing: the last bar's blank line, then the two line breaks.
    ASSERT_GE(texto.size(), 5u);
    EXPECT_EQ(texto.substr(texto.size() - 4), "\n\n\n\n");
    EXPECT_NE(texto[texto.size() - 5], '\n');
}

// One combination: rows over the combinations hold a single entry without padding; nodes
// named 10 and 20 keep their names in the coordinate table and their positions in the
// support table. Cantilever L = 2, E I = 2e4, tip load 10 down: uy = -P L^3 / (3 E I)
// = -1/750 = -0.00133333.
TEST_F(ImprimirResultados, UnaCombinacionYNumerosDeUsuario)
{
    leerYResolver("nudos: 10 0 0 20 2 0 barras: 5 10 20 apoyo: 1 1 1 10 "
                  "seccionGenerica: S 1 2 1e4 0 5 puntual: P 0 -10 0 20 combo: C 1 P");
    funcionImprimirResultados();
    const std::string texto = reporte();
    EXPECT_EQ(texto.rfind("#Nudo CoordX coordY\n10 0 0\n20 2 0\n\n\nApoyado = 1; sin Apoyo = 0\n"
                          "#Nudo | ApoyoX | ApoyoY | giro\n0 1 1 1\n1 0 0 0\n", 0), 0u);
    EXPECT_NE(texto.find("#_barra: 5\nDesplazamientos Globales [uGlobal]:\nux: 0\nuy: 0\nGiro: 0\nux: 0\n"
                         "uy: -0.00133333\n"),
              std::string::npos);
    EXPECT_NE(texto.find("#_barra: 5\ncombo: 1\nN_inicio: 0\nN_fin: 0\nV_inicio: 10\nV_fin: 10\nM_inicio: -20\n"),
              std::string::npos);
    EXPECT_EQ(texto.find("combo: 2"), std::string::npos);
}

// A trapezoidal load: each of the four intensities in its own row, start and end apart.
TEST_F(ImprimirResultados, CargaTrapecialCadaIntensidadEnSuFila)
{
    leerYResolver("nudos: 10 0 0 20 2 0 barras: 5 10 20 apoyo: 1 1 1 10 seccionGenerica: S 1 2 1e4 0 5 "
                  "distribuidaLocal: T 1 2 -3 -5 5 combo: C 1 T");
    funcionImprimirResultados();
    EXPECT_NE(reporte().find("#_barra: 5\nf_paralela_inicio: 1\nf_paralela_fin: 2\nq_perpend_inicio: -3\n"
                             "q_perpend_fin: -5\n\n"),
              std::string::npos);
}

// combo: V -1 Q on loads whose axial parts (and the node's Px and Mz) are 0: every row is
// 0 plus -1 x the load, and 0 + (-0) is +0, so the report writes 0, never -0, in the load
// rows, in the equivalent loads (F1 = L (2 Fi + Ff) / 6) and in all that follows from them.
TEST_F(ImprimirResultados, FactorNegativoSobreCeroNoEscribeMenosCero)
{
    leerYResolver("nudos: 10 0 0 20 2 0 barras: 5 10 20 apoyo: 1 1 1 10 seccionGenerica: S 1 2 1e4 0 5 "
                  "distribuidaLocal: Q 0 0 -3 -5 5 puntual: Q 0 4 0 20 combo: V -1 Q");
    funcionImprimirResultados();
    const std::string texto = reporte();
    EXPECT_NE(texto.find("#_barra: 5\nf_paralela_inicio: 0\nf_paralela_fin: 0\nq_perpend_inicio: 3\n"
                         "q_perpend_fin: 5\n\n"),
              std::string::npos);
    EXPECT_NE(texto.find("fuerzas Equivalentes LOCALES:\nF1: 0\n"), std::string::npos);
    std::istringstream palabras(texto);
    int menosCeros = 0;
    for (std::string palabra; palabras >> palabra;)
        menosCeros += (palabra == "-0");
    EXPECT_EQ(menosCeros, 0) << texto;
}

// A report written over an older, longer file leaves only the new report.
TEST_F(ImprimirResultados, ReescribeElArchivo)
{
    leerYResolver();
    directorio.escribir("resultados.txt", std::string(200000, 'x'));
    funcionImprimirResultados();
    const std::string primero = reporte();
    EXPECT_EQ(primero.find('x' + std::string(10, 'x')), std::string::npos);
    funcionImprimirResultados();
    EXPECT_EQ(reporte(), primero);
}

// A model without combinations is not solved: nothing is written, one line says so, and an
// earlier report stays as it was.
TEST_F(ImprimirResultados, ModeloSinResolverNoEscribe)
{
    leerYResolver("nudos: 1 0 0 2 4 0 barras: 1 1 2 apoyo: 1 1 1 1 seccionGenerica: S 1 2 1e4 0 1");
    ASSERT_EQ(noCombos, 0);
    directorio.escribir("resultados.txt", "anterior");
    CapturaConsola consola;
    funcionImprimirResultados();
    EXPECT_EQ(consola.texto(), "La estructura no está resuelta: no se escribe resultados.txt\n");
    EXPECT_EQ(reporte(), "anterior");
}

// A solved model whose nodes were rebuilt afterwards (as after a re-read) is not solved.
TEST_F(ImprimirResultados, ModeloReconstruidoNoEscribe)
{
    leerYResolver();
    nudo.clear();
    barra.clear();
    noNudos = noBarras = noCombos = 0;
    CapturaConsola lectura;
    funcionLeerArchivo();
    CapturaConsola consola;
    funcionImprimirResultados();
    EXPECT_EQ(consola.texto(), "La estructura no está resuelta: no se escribe resultados.txt\n");
    EXPECT_FALSE(std::filesystem::exists(directorio.camino() / "resultados.txt"));
}

// Where the file cannot be created (a directory holds its name) one line says so.
TEST_F(ImprimirResultados, ArchivoQueNoSePuedeCrear)
{
    leerYResolver();
    std::filesystem::create_directory(directorio.camino() / "resultados.txt");
    CapturaConsola consola;
    funcionImprimirResultados();
    EXPECT_EQ(consola.texto(), "No se puede crear el archivo de resultados: resultados.txt\n");
    EXPECT_FALSE(resultados.is_open());
    EXPECT_TRUE(resultados.good());
}

}  // namespace
