#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lecturaDelModelo.h"
#include "variablesGlobales.h"

// Numbers written with a decimal comma or a capital E, through the whole model building:
// the row still ends at such a word, as at any other non-numeric word, a value after a tag
// is read only up to the comma (an integer also up to the E), and one console line tells
// where.

namespace {

// Three nodes in a row and two bars.
const char* const kBase =
    "nudos: 1 0 0 2 4 0 3 8 0\n"
    "barras: 1 1 2 2 2 3\n"
    "seccionGenerica: S 0.2 0.01 1000 25 1 2\n";

// What model building leaves, as far as the rows of the file can change it.
struct Modelo {
    int nudos = 0;
    int barras = 0;
    int combos = 0;
    std::vector<std::string> nombresDeCombos;
    std::vector<Eigen::MatrixXd> cargasDeNudos;   // per node: combinations x [Px, Py, Mz]
    std::vector<Eigen::MatrixXd> cargasDeBarras;  // per bar: combinations x [Fi, Ff, Qi, Qf]
    std::vector<double> escalas;
    int decimales = 0;
};

Modelo modeloLeido()
{
    Modelo m;
    m.nudos = noNudos;
    m.barras = noBarras;
    m.combos = noCombos;
    for (int c = 0; !nudo.empty() && c < noCombos; ++c)
        m.nombresDeCombos.push_back(nudo[0].getNombreCombo(c));
    for (const objNudo2d& n : nudo)
        m.cargasDeNudos.push_back(n.getCargasGlobales());
    for (const objBarra2d& b : barra)
        m.cargasDeBarras.push_back(b.getMatrizCargasCombo());
    m.escalas = {escalaDef, escalaM, escalaV, escalaN, escalaTexto, escalaApoyo, escalaCarga};
    m.decimales = precision;
    return m;
}

bool mismasMatrices(const std::vector<Eigen::MatrixXd>& a, const std::vector<Eigen::MatrixXd>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (a[k].rows() != b[k].rows() || a[k].cols() != b[k].cols() || a[k] != b[k])
            return false;
    return true;
}

void esperarMismoModelo(const Modelo& a, const Modelo& b)
{
    EXPECT_EQ(a.nudos, b.nudos);
    EXPECT_EQ(a.barras, b.barras);
    EXPECT_EQ(a.combos, b.combos);
    EXPECT_EQ(a.nombresDeCombos, b.nombresDeCombos);
    EXPECT_TRUE(mismasMatrices(a.cargasDeNudos, b.cargasDeNudos));
    EXPECT_TRUE(mismasMatrices(a.cargasDeBarras, b.cargasDeBarras));
    EXPECT_EQ(a.escalas, b.escalas);
    EXPECT_EQ(a.decimales, b.decimales);
}

// How many times the line stands whole in the console text.
int vecesQueAparece(const std::string& consola, const std::string& linea)
{
    int veces = 0;
    const std::string entera = linea + "\n";
    for (std::size_t en = consola.find(entera); en != std::string::npos; en = consola.find(entera, en + 1))
        if (en == 0 || consola[en - 1] == '\n')
            ++veces;
    return veces;
}

std::string sinLaLinea(std::string consola, const std::string& linea)
{
    const std::size_t en = consola.find(linea + "\n");
    if (en != std::string::npos)
        consola.erase(en, linea.size() + 1);
    return consola;
}

struct CasoMalEscrito {
    const char* nombre;
    bool conBase;
    const char* antes;         // the file up to the mistyped word (after kBase when conBase)
    const char* palabra;       // the mistyped word
    const char* equivalente;   // a word that the query reads the same way, without a line
    const char* despues;       // the rest of the file
    const char* linea;         // the one line the mistyped word adds
    void (*comprobar)();       // the model as the row that ends there leaves it
};

const CasoMalEscrito kCasos[] = {
    // U is a combination of no pair, so every node and bar holds a zero row for it (with
    // 1.4 read, node 2 would hold Py = 1.4 x -10 = -14).
    {"ComaEnUnFactor", true, "puntual: D 0 -10 0 2\ncombo: U ", "1,4", "x", " D\n",
     "Advertencia: la palabra 1,4 de combo: (aparición 1) no es un número (coma decimal o E mayúscula); "
     "la fila termina antes de ella",
     [] {
         ASSERT_EQ(noCombos, 1);
         EXPECT_EQ(nudo[1].getCargasGlobales(), Eigen::RowVector3d(0, 0, 0));
         EXPECT_EQ(barra[0].getMatrizCargasCombo(), Eigen::RowVector4d(0, 0, 0, 0));
     }},
    // The second row of W ends before its forces: it names no node, so node 2 gets nothing
    // while node 3 keeps the first row's Fx = 1.
    {"ComaEnUnaCargaPuntual", true, "puntual: W 1 0 0 3\npuntual: W ", "2,5", "x", " 0 0 2\ncombo: U 1 W\n",
     "Advertencia: la palabra 2,5 de puntual: (aparición 2) no es un número (coma decimal o E mayúscula); "
     "la fila termina antes de ella",
     [] {
         ASSERT_EQ(noCombos, 1);
         EXPECT_EQ(nudo[1].getCargasGlobales(), Eigen::RowVector3d(0, 0, 0));
         EXPECT_EQ(nudo[2].getCargasGlobales(), Eigen::RowVector3d(1, 0, 0));
     }},
    // The run holds 0 0 only, fewer than the four intensities: bar 1 carries no load.
    {"EMayusculaEnUnaCargaLocal", true, "distribuidaLocal: Q 0 0 ", "-3E2", "x", " -5 1\ncombo: U 1 Q\n",
     "Advertencia: la palabra -3E2 de distribuidaLocal: (aparición 1) no es un número (coma decimal o E "
     "mayúscula); la fila termina antes de ella",
     [] {
         ASSERT_EQ(noCombos, 1);
         EXPECT_EQ(barra[0].getMatrizCargasCombo(), Eigen::RowVector4d(0, 0, 0, 0));
     }},
    // The node table ends right before node 4's x: ten numbers fill no whole row, so no
    // model is built (the line tells why the table then has no rows).
    {"ComaEnLaTablaDeNudos", false, "nudos: 1 0 0 2 4 0 3 8 0 4 ", "12,5", "x", " 0\nbarras: 1 1 2\n",
     "Advertencia: la palabra 12,5 de nudos: (aparición 1) no es un número (coma decimal o E mayúscula); "
     "la tabla termina antes de ella",
     [] {
         EXPECT_EQ(noNudos, 0);
         EXPECT_TRUE(nudo.empty());
     }},
    // A whole row before it: the table holds the three nodes, and 0 0 are free words.
    {"EMayusculaEnLaTablaDeNudos", false, "nudos: 1 0 0 2 4 0 3 8 0 ", "4E0", "x", " 0 0\nbarras: 1 1 2\n",
     "Advertencia: la palabra 4E0 de nudos: (aparición 1) no es un número (coma decimal o E mayúscula); "
     "la tabla termina antes de ella",
     [] {
         EXPECT_EQ(noNudos, 3);
         EXPECT_EQ(noBarras, 1);
     }},
    // A scale whose number stops at the comma reads as 0, which is no scale: the default
    // stays, so the line tells what was read, not what is used.
    {"ComaEnUnaEscala", true, "escalaM: ", "0,05", "0", "\n",
     "Advertencia: la palabra 0,05 de escalaM: (aparición 1) no es un número (coma decimal); se lee 0",
     [] { EXPECT_EQ(escalaM, 0.1); }},
    {"ComaEnLaPrecision", true, "precision: ", "2,5", "2", "\n",
     "Advertencia: la palabra 2,5 de precision: (aparición 1) no es un número (coma decimal); se lee 2",
     [] { EXPECT_EQ(precision, 2); }},
    // The integer conversion stops at the E: 5 decimals, neither 500 nor the default 3.
    {"EMayusculaEnLaPrecision", true, "precision: ", "5E2", "5", "\n",
     "Advertencia: la palabra 5E2 de precision: (aparición 1) no es un número (E mayúscula); se lee 5",
     [] { EXPECT_EQ(precision, 5); }},
};

class NumerosMalEscritos : public LecturaDelModelo, public ::testing::WithParamInterface<CasoMalEscrito> {
protected:
    std::string archivo(const char* palabra) const
    {
        const CasoMalEscrito& caso = GetParam();
        return std::string(caso.conBase ? kBase : "") + caso.antes + palabra + caso.despues;
    }
};

// One model building prints the line once, and reads the file as if the word were any
// other word that the query reads the same way: only the line is added.
TEST_P(NumerosMalEscritos, UnaLineaYLaFilaTerminaAhi)
{
    const CasoMalEscrito& caso = GetParam();
    const std::string consola = leer(archivo(caso.palabra));
    EXPECT_EQ(vecesQueAparece(consola, caso.linea), 1) << consola;
    caso.comprobar();
    const Modelo conElNumero = modeloLeido();

    nudo.clear();
    barra.clear();
    const std::string consolaEquivalente = leer(archivo(caso.equivalente));
    EXPECT_EQ(sinLaLinea(consola, caso.linea), consolaEquivalente);
    esperarMismoModelo(conElNumero, modeloLeido());
}

INSTANTIATE_TEST_SUITE_P(Lectura, NumerosMalEscritos, ::testing::ValuesIn(kCasos),
                         [](const auto& i) { return std::string(i.param.nombre); });

}  // namespace

// Digits with a comma or a capital E where a name stands, in a title word with letters, a
// lower-case exponent and a tag right after a run: nothing to tell.
TEST_F(LecturaDelModelo, SinLineaFueraDelLugarDeUnNumero)
{
    const std::string consola = leer("Tabla1,2x P\xc3\xb3rtico2,3\n"
                                     "nudos: 1 0 0 2 4 0 3 8 0 Nudos1,2,3\n"
                                     "barras: 1 1 2 2 2 3\n"
                                     "seccionGenerica: S 0.2 0.01 1000 25 1 2 Nota1,5E2\n"
                                     "puntual: E1 1e1 0 0 2 combo: 1,4 1.5 E1 2 3E2\n"
                                     "seccionRectangular: 2,5 0.3 0.3 2e7 24\n"
                                     "pesoPropio: 3E2\n");
    EXPECT_EQ(consola.find("no es un número"), std::string::npos) << consola;
    ASSERT_EQ(noCombos, 1);
    EXPECT_EQ(nudo[0].getNombreCombo(0), "1,4");
    // 1.5 x Fx = 1.5 x 10 on node 2; the case 3E2 (the self weight) holds no bar load of
    // node 2, so that is all.
    EXPECT_EQ(nudo[1].getCargasGlobales(), Eigen::RowVector3d(15, 0, 0));
}
