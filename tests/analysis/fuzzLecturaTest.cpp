#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "claseLeerArchivo.h"
#include "funcionLeerArchivo.h"
#include "invariantesModelo.h"

// Random and mutated input files through model building: it must never crash, hang or
// trip the sanitizers, and must always leave a model the solver and viewer can trust. The
// generator is seeded, so a failure names a case that can be run again.

namespace {

const char* const kEtiquetas[] = {
    "nudos:", "barras:", "apoyo:", "resorte:", "puntual:", "seccionRectangular:", "seccionGenerica:",
    "articulacion:", "distribuidaLocal:", "distribuidaGlobal:", "pesoPropio:", "combo:",
    "escalaDeflexion:", "escalaM:", "escalaV:", "escalaN:", "escalaTexto:", "escalaApoyo:",
    "escalaCarga:", "precision:"};

const char* const kRarezas[] = {
    "-", "+", ".", "e", "-e", "1e999", "-1e999", "1e-400", "1e308", "-1e308", "2147483648", "-2147483649",
    "99999999999999999999", "nan", "inf", "-inf", "NaN", "1E5", "1.2.3", "5e-", "0", "-0", "-0.5", "1e7",
    "3e6", "\xff\xfe", "\xc3\xb1", "PP", "V", "U1", "", "nudos", ":"};

const char* const kEjemploFuzz =
    "nudos: 1 0 0 2 0 3 3 5 3 4 5 0\nbarras: 1 1 2 2 2 3 3 4 3\napoyo: 1 1 1 1\napoyo: 1 1 0 4\n"
    "resorte: 0 0 900 4\npuntual: V 12 0 0 2\ndistribuidaGlobal: V 2 2 1 0 1\n"
    "seccionRectangular: C30 0.3 0.3 2e7 24 1 3\nseccionGenerica: V1 0.05 3e-3 2e7 24 2\n"
    "articulacion: 1 0 2\ndistribuidaLocal: CV 0 0 -8 -8 2\npesoPropio: PP\ncombo: U1 1.4 PP\n"
    "combo: U2 1.2 PP 1.6 CV 0.8 V\nescalaM: 0.05\nprecision: 2\n";

class Generador {
public:
    explicit Generador(unsigned semilla) : azar(semilla) {}

    int entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); }

    std::string palabra()
    {
        switch (entre(0, 5)) {
        case 0: return kEtiquetas[entre(0, 19)];
        case 1: return kRarezas[entre(0, static_cast<int>(std::size(kRarezas)) - 1)];
        case 2: return std::to_string(entre(-3, 12));
        case 3: return std::to_string(entre(0, 9)) + "." + std::to_string(entre(0, 99));
        case 4: {
            std::string bytes(static_cast<std::size_t>(entre(1, 6)), ' ');
            for (char& c : bytes)
                c = static_cast<char>(entre(1, 255));
            return bytes;
        }
        default: return std::to_string(entre(1, 4));
        }
    }

    std::string blanco()
    {
        static const char* const blancos[] = {" ", "\n", "\t", "\r\n", "  ", "\v", "\f"};
        return blancos[entre(0, 6)];
    }

    // Words from the vocabulary, tags in odd places and odd counts.
    std::string sopa()
    {
        std::string texto;
        const int n = entre(0, 80);
        for (int i = 0; i < n; ++i)
            texto += palabra() + blanco();
        return texto;
    }

    // The example with words replaced, inserted, dropped, and maybe cut short anywhere.
    std::string mutado()
    {
        std::vector<std::string> palabras;
        std::string texto = kEjemploFuzz;
        for (std::size_t i = 0, j; i < texto.size(); i = j + 1) {
            j = texto.find_first_of(" \n", i);
            if (j == std::string::npos)
                j = texto.size();
            if (j > i)
                palabras.push_back(texto.substr(i, j - i));
        }
        const int cambios = entre(1, 6);
        for (int k = 0; k < cambios; ++k) {
            const std::size_t en = static_cast<std::size_t>(entre(0, static_cast<int>(palabras.size()) - 1));
            switch (entre(0, 2)) {
            case 0: palabras[en] = palabra(); break;
            case 1: palabras.insert(palabras.begin() + static_cast<long>(en), palabra()); break;
            default: palabras.erase(palabras.begin() + static_cast<long>(en)); break;
            }
        }
        std::string resultado;
        for (const std::string& p : palabras)
            resultado += p + blanco();
        if (entre(0, 3) == 0)
            resultado.resize(static_cast<std::size_t>(entre(0, static_cast<int>(resultado.size()))));
        return resultado;
    }

private:
    std::mt19937 azar;
};

class FuzzDeLectura : public ::testing::Test {
protected:
    void SetUp() override { reiniciarEstadoGlobal(); }

    // Reads the text as a fresh start would (or a re-read with F5) and checks the model;
    // a small model is then solved, every result asked for and the report written.
    void leerYRevisar(const std::string& texto, const std::string& caso)
    {
        nombreArchivo = directorio.escribir("entrada.txt", texto);
        nudo.clear();
        barra.clear();
        CapturaConsola consola;
        funcionLeerArchivo();
        const std::string roto = invarianteRoto();
        ASSERT_EQ(roto, "") << caso;
        ASSERT_EQ(resolverYRevisar(directorio.camino()), "") << caso;
        ASSERT_FALSE(std::filesystem::exists(directorio.camino() / "resultados.txt")) << caso;
    }

    DirectorioTemporal directorio;
};

}  // namespace

TEST_F(FuzzDeLectura, SopasDePalabras)
{
    Generador generador(20261210);
    for (int i = 0; i < 400; ++i) {
        leerYRevisar(generador.sopa(), "sopa " + std::to_string(i));
        if (HasFatalFailure())
            return;
    }
}

TEST_F(FuzzDeLectura, EjemploMutado)
{
    Generador generador(7);
    for (int i = 0; i < 400; ++i) {
        leerYRevisar(generador.mutado(), "mutación " + std::to_string(i));
        if (HasFatalFailure())
            return;
    }
}

TEST_F(FuzzDeLectura, LasFilasDeUnaPasadaSonLasDeCadaAparicion)
{
    // Model building reads every row of a tag in one pass; that must answer what the
    // per-occurrence queries answer, row by row, on any file.
    Generador generador(99);
    claseLeerArchivo lector;
    for (int i = 0; i < 80; ++i) {
        lector.setNombreArchivo(directorio.escribir("entrada.txt", i % 2 ? generador.sopa() : generador.mutado()));
        CapturaConsola consola;
        for (const char* etiqueta : kEtiquetas) {
            for (int salto = 0; salto <= 1; ++salto) {
                const std::vector<claseLeerArchivo::Fila> filas = lector.getFilasEtiqueta(etiqueta, salto);
                const std::vector<claseLeerArchivo::Fila> pares = lector.getParesEtiqueta(etiqueta, salto);
                ASSERT_EQ(static_cast<int>(filas.size()), lector.getNoEtiquetas(etiqueta));
                ASSERT_EQ(pares.size(), filas.size());
                for (int k = 1; k <= static_cast<int>(filas.size()); ++k) {
                    const std::size_t f = static_cast<std::size_t>(k - 1);
                    ASSERT_EQ(filas[f].nombre, lector.getString(etiqueta, k)) << "caso " << i << ' ' << etiqueta;
                    ASSERT_EQ(filas[f].valores, lector.getMatrizEtiquetaRepetida(etiqueta, k, salto))
                        << "caso " << i << ' ' << etiqueta << ' ' << k;
                    ASSERT_EQ(pares[f].valores, lector.getFactoresEtiqueta(etiqueta, k, salto)) << "caso " << i;
                    ASSERT_EQ(pares[f].nombres, lector.getNombresDeFactores(etiqueta, k, salto)) << "caso " << i;
                }
            }
        }
    }
}

TEST_F(FuzzDeLectura, ArchivosExtremos)
{
    leerYRevisar("", "vacío");
    leerYRevisar(" \n\t ", "solo blancos");
    leerYRevisar("nudos:", "solo una etiqueta");
    leerYRevisar(std::string(1000, '\0'), "bytes nulos");
    leerYRevisar("nudos: 1 0 0 2 1e308 -1e308\nbarras: 1 1 2\ndistribuidaLocal: C 1e308 1e308 1e308 1e308 1\n"
                 "puntual: C 1e308 1e308 1e308 1 2\ncombo: U 1e308 C 1e308 C\n",
                 "números enormes");
    leerYRevisar("nudos: 1000000 0 0 0 1 0\nbarras: 1000000 0 1000000\n", "números en el límite");
    leerYRevisar("nudos: 1 0 0 2 1 0 barras: 1 1 2 combo: combo: combo: U 1", "combos sin nombre");
}

TEST_F(FuzzDeLectura, ArchivoDeVariosMegabytes)
{
    // About 3 MB of free words around the example: every pass of the reader crosses them.
    Generador generador(11);
    std::string relleno;
    while (relleno.size() < 3'000'000)
        relleno += "texto" + std::to_string(generador.entre(0, 999999)) + (generador.entre(0, 9) ? " " : "\n");
    leerYRevisar(relleno + kEjemploFuzz + relleno, "varios megabytes");
    EXPECT_EQ(noNudos, 4);
    EXPECT_EQ(noBarras, 3);
    EXPECT_EQ(noCombos, 2);
}

TEST_F(FuzzDeLectura, ArchivoDeVariosMegabytesDeFilas)
{
    // About 1.5 MB of rows on the example's elements, many of them naming no element: one
    // pass per tag keeps this a matter of a second, where a pass per row would take hours.
    Generador generador(5);
    std::string filas = kEjemploFuzz;
    while (filas.size() < 1'500'000) {
        const std::string n = std::to_string(generador.entre(-1, 6));
        switch (generador.entre(0, 3)) {
        case 0: filas += "apoyo: 1 1 0 " + n + "\n"; break;
        case 1: filas += "puntual: V 1 0 0 " + n + "\n"; break;
        case 2: filas += "distribuidaLocal: CV 0 0 -1 -1 " + n + "\n"; break;
        default: filas += "articulacion: 1 0.5 " + n + "\n"; break;
        }
    }
    leerYRevisar(filas, "varios megabytes de filas");
    EXPECT_EQ(noNudos, 4);
    EXPECT_EQ(noCombos, 2);
}

TEST_F(FuzzDeLectura, TablaGrandeConUnaPalabraNumericaCadaVez)
{
    // A long node table, numbers that are not numbers sprinkled through it.
    Generador generador(3);
    std::string texto = "nudos:";
    for (int i = 0; i < 20000; ++i)
        texto += " " + std::to_string(i) + " " + (generador.entre(0, 50) ? "1.5" : "-e") + " 2";
    leerYRevisar(texto, "tabla grande");
    EXPECT_EQ(noNudos, 20000);
}

TEST_F(FuzzDeLectura, ListasLargasDeReferenciasYCombos)
{
    // One "puntual:" row naming node 2 200,000 times and 3,000 "combo:" rows: each node gets
    // its loads in one call and the combination names are indexed once for the model, so
    // this reads in a moment where growing by one row and searching every name would take
    // hours.
    std::string texto = "nudos: 1 0 0 2 4 0\nbarras: 1 1 2\nseccionGenerica: S 1 2 1e4 0 1\npuntual: V 1.5 0 0";
    for (int i = 0; i < 200000; ++i)
        texto += " 2";
    for (int k = 1; k <= 3000; ++k)
        texto += "\ncombo: C" + std::to_string(k) + ' ' + std::to_string(k) + " V";
    leerYRevisar(texto + "\n", "listas largas");
    ASSERT_EQ(noCombos, 3000);
    // Combination k: k x 200,000 loads of 1.5 (every partial sum exact in a double).
    for (int k : {1, 2, 1500, 3000}) {
        const int c = nudo[1].getNumeroDeCombo("C" + std::to_string(k));
        ASSERT_EQ(c, k - 1);
        EXPECT_EQ(nudo[1].getPxCombo(c), k * 300000.0);
        EXPECT_EQ(nudo[0].getPxCombo(c), 0.0);
    }
}

TEST_F(FuzzDeLectura, UnComboLargoSobreTodoElModelo)
{
    // 2,000 nodes and 1,999 bars all carrying case P, and one "combo:" row of 20,000 pairs
    // "1 P": the pairs of one case are one term of the combination, so each element adds
    // it once instead of 20,000 times (that would be 8e7 additions). The factors add up to
    // 20,000 exactly, times the load.
    std::string texto = "nudos:";
    for (int i = 1; i <= 2000; ++i)
        texto += ' ' + std::to_string(i) + ' ' + std::to_string(i) + " 0";
    texto += "\nbarras:";
    for (int i = 1; i < 2000; ++i)
        texto += ' ' + std::to_string(i) + ' ' + std::to_string(i) + ' ' + std::to_string(i + 1);
    texto += "\npuntual: P 0 -1 0";
    for (int i = 1; i <= 2000; ++i)
        texto += ' ' + std::to_string(i);
    texto += "\ndistribuidaLocal: P 0 0 -2 -2";
    for (int i = 1; i < 2000; ++i)
        texto += ' ' + std::to_string(i);
    texto += "\ncombo: U";
    for (int k = 0; k < 20000; ++k)
        texto += " 1 P";
    leerYRevisar(texto + "\n", "un combo largo");
    ASSERT_EQ(noCombos, 1);
    for (const int i : {0, 999, 1999})
        EXPECT_EQ(nudo[static_cast<std::size_t>(i)].getPyCombo(0), -20000.0);
    for (const int i : {0, 1998})
        EXPECT_EQ(barra[static_cast<std::size_t>(i)].getQFinCombo(0), -40000.0);
}
