#include <GL/freeglut.h>

#include <algorithm>
#include <string>
#include <vector>

#include "elementosPlot.h"
#include "estadoVisor.h"
#include "fuentes.h"
#include "registroFuentes.h"

// The text that reaches the fonts: UTF-8 in the program, one glyph per character at the
// font. The bitmap font of the panel takes Latin-1 codes; a character it lacks, and every
// ill-formed byte sequence, is one '?'.

namespace {

struct CasoLatin1 {
    const char* nombre;
    const char* utf8;
    const char* latin1;
    std::size_t caracteres;
};
void PrintTo(const CasoLatin1& c, std::ostream* os) { *os << c.nombre; }

// Latin-1 codes: á E1, é E9, í ED, ó F3, ú FA, ñ F1, Ñ D1, ü FC, ¿ BF, ° B0.
const CasoLatin1 kCasosLatin1[] = {
    {"Ascii", "plotM 3.5", "plotM 3.5", 9},
    {"Acentos", "opci\xc3\xb3n v\xc3\xa1lidos", "opci\xf3n v\xe1lidos", 14},
    {"TodasLasDeEspanol", "\xc3\xa1\xc3\xa9\xc3\xad\xc3\xb3\xc3\xba\xc3\xb1\xc3\x91\xc3\xbc\xc2\xbf",
     "\xe1\xe9\xed\xf3\xfa\xf1\xd1\xfc\xbf", 9},
    {"GradoYUltimoLatin1", "45\xc2\xb0 \xc3\xbf", "45\xb0 \xff", 5},
    // Beyond Latin-1: the euro sign (3 bytes), a CJK ideograph (3), an emoji (4 bytes).
    {"EuroFueraDeLatin1", "5 \xe2\x82\xac", "5 ?", 3},
    {"IdeogramaYEmoji", "a\xe4\xb8\xad" "b\xf0\x9f\x98\x80" "c", "a?b?c", 5},
    // Ill-formed: each stray byte, and each cut-short start, is one character.
    {"ContinuacionSuelta", "a\x80" "b", "a?b", 3},
    {"Latin1CrudoNoEsUtf8", "opci\xf3n", "opci?n", 6},
    {"InicioCortadoAlFinal", "ab\xc3", "ab?", 3},
    {"InicioDeTresCortado", "\xe2\x82" "x", "?x", 2},
    {"FormaLarga", "\xc0\xaf", "??", 2},
    {"FormaLargaDeTres", "\xe0\x80\x80", "???", 3},
    {"Sustituto", "\xed\xa0\x80", "???", 3},
    {"MasAllaDe10FFFF", "\xf4\x90\x80\x80", "????", 4},
    {"ByteF5", "\xf5" "a", "?a", 2},
    // Control characters, whose glyphs are empty: C0 (1, Tab, 31), Delete, C1 (U+0085,
    // U+009F); the space and U+00A0 around them are the first characters after each range.
    {"Controles", "a\x01" "b\tc\x1f \x7f" "d\xc2\x85" "e\xc2\x9f\xc2\xa0", "a?b?c? ?d?e?\xa0", 13},
};

class TextoLatin1 : public ::testing::TestWithParam<CasoLatin1> {};

TEST_P(TextoLatin1, UnGlifoPorCaracter)
{
    const CasoLatin1& c = GetParam();
    EXPECT_EQ(fuentes::aLatin1(c.utf8), c.latin1);
    EXPECT_EQ(fuentes::contarCaracteres(c.utf8), c.caracteres);
    // The stroke font holds ASCII only: the same characters, the non-ASCII ones as '?'.
    std::string ascii;
    fuentes::paraCadaGlifo(c.utf8, fuentes::kFinAscii, [&](unsigned char g) { ascii += static_cast<char>(g); });
    std::string esperado = c.latin1;
    for (char& g : esperado)
        if (static_cast<unsigned char>(g) >= 128)
            g = '?';
    EXPECT_EQ(ascii, esperado);
}

INSTANTIATE_TEST_SUITE_P(Fuentes, TextoLatin1, ::testing::ValuesIn(kCasosLatin1),
                         [](const auto& i) { return std::string(i.param.nombre); });

// A newline goes to the bitmap font as it is (glutBitmapString starts the next line on it:
// the help and the prompt); the stroke font, drawing glyph by glyph, shows it as '?'.
TEST(TextoLatin1SaltoDeLinea, LoGuardaSoloLaFuenteDelPanel)
{
    EXPECT_EQ(fuentes::aLatin1("uno\ndos\n"), "uno\ndos\n");
    std::string ascii;
    fuentes::paraCadaGlifo("uno\ndos", fuentes::kFinAscii, [&](unsigned char g) { ascii += static_cast<char>(g); });
    EXPECT_EQ(ascii, "uno?dos");
}

// ---------------------------------------------------------------------------------------
// The panel, drawn by the frame routine: what its bitmap font receives.

class TextoDelPanel : public EstadoVisor {
protected:
    void SetUp() override
    {
        EstadoVisor::SetUp();
        construirModelo({{1, 40, 40}, {2, 60, 60}}, {},
                        {"S\xc3\xadsmico", "Nieve \xe2\x82\xac", "Viento\xc2\x85" "X\x7f" "Y\x01"});
        registro::vaciar();
    }

    // The bitmap strings of one frame, in the order the panel draws them.
    static std::vector<std::string> textosDelCuadro()
    {
        registro::vaciar();
        componerCuadro();
        return registro::bitmap;
    }

    // Keys as freeglut delivers them: Latin-1 codes.
    static void teclear(const std::string& latin1)
    {
        for (char c : latin1)
            procesarTecla(static_cast<unsigned char>(c), 0);
    }

    // The prompt and the command line: the panel's text at (20, hVentana - 36).
    static std::string indicador()
    {
        for (const std::string& t : textosDelCuadro())
            if (t.find("\n/>") != std::string::npos)
                return t;
        return "";
    }
};

// The 33 lines of the help, as the Latin-1 font must receive them: the accented "opción" of
// line 30 as its one Latin-1 byte F3, everything else ASCII.
const char* const kLineasAyuda[33] = {
    "*******************************************",
    "*******     ORVELTA    **********",
    "*******autor: nemorin    **********",
    "*******************************************",
    "TECLAS DE NAVEGACION:",
    "Paneo: click izquierdo y mover mouse",
    "Zoom: scroll +/-",
    "Cambiar escala de diagramas: (tecla +) o (tecla -)",
    "Cambiar escala de texto: (shift +) o (shift -)",
    "Mostrar u ocultar lineas internas de diagramas: Alt-f",
    "Mostrar u ocultar texto de diagramas: Alt-t",
    "Mostrar u ocultar nudos: Alt-n",
    "",
    "Ayuda: F1",
    "refrescar Modelo: F5",
    "",
    "COMANDOS DE LINEA DE COMANDOS:",
    "combo  -->Activa la opcion para introducir un combo",
    "plotDef -->Plotea deformaciones",
    "plotN   -->Plotea Fuerzas Axiales",
    "plotM  -->Plotea Momentos flectores",
    "plotV  -->Plotea Cortantes",
    "plotR   -->Plotea Reacciones",
    "plotCarga -->Plotea las cargas de los combos encendidos",
    "tagNudos -->Muestra u oculta la numeracion de nudos",
    "tagBarras -->Muestra u oculta la numeracion de barras",
    "secciones -->Muestra u oculta las secciones transverlaes",
    "noTags  -->Oculta todos los Tags",
    "",
    "aislar -->Activa la opci\xf3n de introducir la lista de barras a aislar",
    "noAislar -->Muestra nuevamente todas las barras ocultas",
    "",
    "Para mas ayuda: README.md de ORVELTA ",
};

TEST_F(TextoDelPanel, LaAyudaLlegaALaFuenteEnLatin1)
{
    tecladoEspecial(1, 0, 0);
    const std::vector<std::string> textos = textosDelCuadro();
    ASSERT_FALSE(textos.empty());
    std::string esperada;
    for (const char* linea : kLineasAyuda)
        esperada += std::string(linea) + "\n";
    // The help is the panel's first text.
    EXPECT_EQ(textos[0], esperada);
    std::size_t lineas = 0;
    for (char c : textos[0])
        lineas += c == '\n';
    EXPECT_EQ(lineas, 33u);
}

TEST_F(TextoDelPanel, ElMensajeDeListaInvalidaConSuAcento)
{
    escribir("aislar");
    escribir("3 x");
    EXPECT_EQ(indicador(), "Existen valores no v\xe1lidos en la lista de barras.  Ingrese Comando:\n/>");
    // dialogo itself stays UTF-8.
    EXPECT_EQ(dialogo, "Existen valores no v\xc3\xa1lidos en la lista de barras.  Ingrese Comando:");
}

// Combination names come from the input file as bytes: UTF-8 shows its letters, a
// character beyond Latin-1 and an invisible control character (U+0085, Delete, 1) each
// show as one '?'.
TEST_F(TextoDelPanel, NombresDeComboEnLosBotones)
{
    const std::vector<std::string> textos = textosDelCuadro();
    EXPECT_NE(std::find(textos.begin(), textos.end(), "S\xedsmico"), textos.end());
    EXPECT_NE(std::find(textos.begin(), textos.end(), "Nieve ?"), textos.end());
    EXPECT_NE(std::find(textos.begin(), textos.end(), "Viento?X?Y?"), textos.end());
}

// freeglut delivers the key of an accented letter as its Latin-1 code (233 for é under
// X11): the command line holds it in UTF-8, shows it, matches a combination name of the
// file with it, and Backspace removes the whole letter.
TEST_F(TextoDelPanel, UnaLetraAcentuadaTecleada)
{
    teclear("S\xeds");
    EXPECT_EQ(comando, "S\xc3\xads");
    EXPECT_EQ(indicador(), "Comando:\n/>S\xeds");
    procesarTecla(8, 0);
    procesarTecla(8, 0);
    EXPECT_EQ(comando, "S");

    comando.clear();
    escribir("combo");
    teclear("S\xedsmico");
    procesarTecla(13, 0);
    EXPECT_EQ(numeroComboCoincidente, 0);
    EXPECT_TRUE(encendido(100));
}

}  // namespace
