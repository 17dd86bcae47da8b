#include "analysis/archivosTemporales.h"
#include "capturaConsola.h"
#include "estadoVisor.h"

// F5: the same input file read again and solved anew while the window stays.

namespace {

const std::string kAviso = "\n\n\n------------------------Reinicio del programa------------------\n";

// Cantilever of length 4 fixed at node 1, tip load P = 10 down at node 2; EI = 2e8 * 1e-4.
const char* const kVoladizo =
    "nudos:\n1 0 0\n2 4 0\n"
    "barras:\n1 1 2\n"
    "apoyo: 1 1 1 1\n"
    "seccionGenerica: S 0.01 1e-4 2e8 0 1\n"
    "puntual: P 0 -10 0 2\n"
    "combo: C1 1 P\n"
    "combo: C2 2 P\n"
    "escalaM: 0.5\n";

// The same cantilever made 8 long by a second bar; the load stays at x = 4.
const char* const kVoladizoLargo =
    "nudos:\n1 0 0\n2 4 0\n3 8 0\n"
    "barras:\n1 1 2\n2 2 3\n"
    "apoyo: 1 1 1 1\n"
    "seccionGenerica: S 0.01 1e-4 2e8 0 1\n"
    "seccionGenerica: S 0.01 1e-4 2e8 0 2\n"
    "puntual: P 0 -10 0 2\n"
    "combo: C1 1 P\n"
    "combo: C2 2 P\n"
    "escalaM: 0.25\n";

// Bar 1 names node 5, which no row defines: no model can be built.
const char* const kDefectuoso = "nudos:\n1 0 0\n2 4 0\nbarras:\n1 1 5\ncombo: C1 1 P\n";

class Releer : public EstadoVisor {
protected:
    void SetUp() override
    {
        EstadoVisor::SetUp();
        nombreArchivo = dir.escribir("entrada.txt", kVoladizo);
        {
            CapturaConsola silencio;
            tecladoEspecial(5, 0, 0);  // the model as the program starts with it
        }
        ASSERT_EQ(noNudos, 2);
        abrirVisor();
    }

    std::string releer(const char* texto)
    {
        if (texto != nullptr)
            dir.escribir("entrada.txt", texto);
        CapturaConsola consola;
        tecladoEspecial(5, 0, 0);
        return consola.texto();
    }

    DirectorioTemporal dir;
};

TEST_F(Releer, LeeElArchivoCambiadoResuelveYConservaFlagsCamaraYComando)
{
    escribir("plotM");
    escribir("combo");
    escribir("C2");
    procesarTecla('+', 0);  // escalaM 0.5 -> 0.55, until the re-read
    escribir("aislar");
    escribir("1");
    for (char c : std::string("plo"))
        procesarTecla(static_cast<unsigned char>(c), 0);
    const std::vector<int> flagsAntes = flags;
    const double zAntes = zCam;
    const double xAntes = xCam;
    const std::string dialogoAntes = dialogo;

    const std::string salida = releer(kVoladizoLargo);

    EXPECT_EQ(salida.substr(0, kAviso.size()), kAviso);
    EXPECT_EQ(noNudos, 3);
    EXPECT_EQ(noBarras, 2);
    EXPECT_EQ(noCombos, 2);
    EXPECT_EQ(flags, flagsAntes);
    EXPECT_TRUE(encendido(6));
    EXPECT_TRUE(encendido(101));
    EXPECT_EQ(barrasAisladas, Eigen::VectorXi::Ones(2));
    EXPECT_EQ(nudosAislados, Eigen::VectorXi::Ones(3));
    EXPECT_EQ(escalaM, 0.25);  // the file's value again
    EXPECT_EQ(zCam, zAntes);   // no new framing
    EXPECT_EQ(xCam, xAntes);
    EXPECT_EQ(dialogo, dialogoAntes);
    EXPECT_EQ(comando, "plo");
    // Solved anew: the free end of the cantilever, load P at a = 4 of L = 8:
    // uy(L) = -(P a^3 / (3 EI) + P a^2 (L - a) / (2 EI)) = -(640 / 6e4 + 640 / 4e4).
    ASSERT_TRUE(nudo[2].tieneResultados(0));
    EXPECT_NEAR(nudo[2].getDesplazamientoY(0), -(640 / 6e4 + 640 / 4e4), 1e-12);
    EXPECT_NEAR(nudo[2].getDesplazamientoY(1), -2 * (640 / 6e4 + 640 / 4e4), 1e-12);
}

TEST_F(Releer, UnArchivoDefectuosoDejaElVisorSobreElModeloVacio)
{
    escribir("plotM");
    escribir("combo");
    escribir("C1");
    const std::string salida = releer(kDefectuoso);
    EXPECT_EQ(salida.substr(0, kAviso.size()), kAviso);
    EXPECT_GT(salida.size(), kAviso.size());  // model building says why
    EXPECT_EQ(noNudos, 0);
    EXPECT_EQ(noBarras, 0);
    EXPECT_TRUE(nudo.empty());
    EXPECT_EQ(barrasAisladas.size(), 0);
    EXPECT_EQ(nudosAislados.size(), 0);
    componerCuadro();  // the frame draws the empty model
    escribir("combo");
    escribir("C1");
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    escribir("aislar");
    escribir("1");
    EXPECT_EQ(dialogo, "Existen valores no válidos en la lista de barras.  Ingrese Comando:");
    // Mended, the file brings the model back with the flags kept.
    releer(kVoladizo);
    EXPECT_EQ(noNudos, 2);
    EXPECT_TRUE(encendido(6));
    EXPECT_TRUE(encendido(100));
    ASSERT_TRUE(nudo[1].tieneResultados(0));
    // Cantilever, tip load: uy = -P L^3 / (3 EI) = -640 / 6e4.
    EXPECT_NEAR(nudo[1].getDesplazamientoY(0), -640 / 6e4, 1e-12);
}

TEST_F(Releer, UnArchivoQueYaNoSePuedeAbrirLoDiceYElVisorSigue)
{
    std::filesystem::remove(nombreArchivo);
    const std::string salida = releer(nullptr);
    EXPECT_EQ(salida.substr(0, kAviso.size()), kAviso);
    EXPECT_NE(salida.find("No se puede abrir el archivo de entrada: " + nombreArchivo), std::string::npos);
    EXPECT_EQ(noNudos, 0);
    EXPECT_TRUE(nudo.empty());
    componerCuadro();
    EXPECT_EQ(flags.size(), 200u);
}

}  // namespace
