#include "claseLeerArchivo.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool esBlanco(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool esPalabraNumerica(const std::string& palabra)
{
    return palabra.find_first_not_of("1234567890+-.e") == std::string::npos;
}

// A file descriptor closed when it goes out of scope, also when a read throws.
struct Descriptor {
    explicit Descriptor(const std::string& ruta) : numero(::open(ruta.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~Descriptor()
    {
        if (numero >= 0)
            ::close(numero);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int numero;
};

// One pass over the words of a file. The file is read whole into one buffer for the pass
// (opened for reading only: a read-only file is read like any other, and a file that
// cannot be opened has no words); a word is copied into one reused string, so a pass
// allocates nothing per word. The search for a tag runs over the bytes, not word by word.
// Only a regular file has words: a pipe or a device could be read once at most, and the
// open does not wait for a FIFO's writer. A file larger than the memory available throws
// std::bad_alloc, which model building catches.
class Palabras {
public:
    explicit Palabras(const std::string& ruta)
    {
        const Descriptor archivo(ruta);
        struct stat datos {};
        if (archivo.numero < 0 || fstat(archivo.numero, &datos) != 0 || !S_ISREG(datos.st_mode))
            return;
        leerTodo(archivo.numero, static_cast<std::size_t>(std::max<off_t>(datos.st_size, 0)));
    }

    // The next word into `palabra`; false at the end of the file.
    bool siguiente(std::string& palabra)
    {
        while (posicion < texto.size() && esBlanco(texto[posicion]))
            ++posicion;
        if (posicion == texto.size())
            return false;
        const std::size_t inicio = posicion;
        while (posicion < texto.size() && !esBlanco(texto[posicion]))
            ++posicion;
        palabra.assign(texto, inicio, posicion - inicio);
        return true;
    }

    // Passes over the next n words; false when the file ends first.
    bool saltar(int n, std::string& palabra)
    {
        for (int i = 0; i < n; ++i)
            if (!siguiente(palabra))
                return false;
        return true;
    }

    // Moves right past the next word equal to the tag; false when there is none. The tag's
    // bytes count only where white space or an end of the file stands on both sides.
    bool pasarEtiqueta(const std::string& etiqueta)
    {
        if (etiqueta.empty() || std::any_of(etiqueta.begin(), etiqueta.end(), esBlanco)) {
            posicion = texto.size();
            return false;
        }
        while (posicion < texto.size()) {
            const std::size_t en = texto.find(etiqueta, posicion);
            if (en == std::string::npos)
                break;
            const std::size_t despues = en + etiqueta.size();
            posicion = despues;
            if ((en == 0 || esBlanco(texto[en - 1])) && (despues == texto.size() || esBlanco(texto[despues])))
                return true;
            posicion = en + 1;
        }
        posicion = texto.size();
        return false;
    }

    // Where the pass stands, to come back to it.
    std::size_t lugar() const { return posicion; }
    void volverA(std::size_t lugarAnterior) { posicion = lugarAnterior; }

private:
    // One read of the size the file has now, then blocks for whatever it has grown by.
    void leerTodo(int descriptor, std::size_t tamano)
    {
        constexpr std::size_t bloque = 1 << 16;
        texto.resize(tamano);
        std::size_t leidos = 0;
        for (;;) {
            if (leidos == texto.size())
                texto.resize(leidos + bloque);
            const ssize_t n = ::read(descriptor, &texto[leidos], texto.size() - leidos);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            leidos += static_cast<std::size_t>(n);
        }
        texto.resize(leidos);
    }

    std::string texto;
    std::size_t posicion = 0;
};

void avisarNoNumero(const std::string& palabra, const std::string& etiqueta, int aparicion)
{
    std::cout << "Advertencia: la palabra " << palabra << " de " << etiqueta << " (aparición "
              << aparicion << ") no es un número válido; se toma 0" << std::endl;
}

// A word that would be numeric but for a decimal comma or a capital E (1,4 or 3E2): every
// character among the numeric ones, ',' and 'E', at least one digit and at least one ',' or
// 'E'. A title word such as Tabla1,2 holds letters besides and is not one.
bool esNumeroMalEscrito(const std::string& palabra)
{
    return palabra.find_first_not_of("1234567890+-.e,E") == std::string::npos
        && palabra.find_first_of("1234567890") != std::string::npos
        && palabra.find_first_of(",E") != std::string::npos;
}

// A run, a block or a pair list ends at the first non-numeric word, also at a mistyped
// number; that end is told, since a user who writes 1,4 means a number. A word equal to the
// tag is an occurrence of it, not a number.
void avisarSiTerminaEnNumeroMalEscrito(const std::string& palabra, const std::string& etiqueta, int aparicion,
                                       const char* queTermina)
{
    if (palabra == etiqueta || !esNumeroMalEscrito(palabra))
        return;
    std::cout << "Advertencia: la palabra " << palabra << " de " << etiqueta << " (aparición " << aparicion
              << ") no es un número (coma decimal o E mayúscula); " << queTermina << " termina antes de ella"
              << std::endl;
}

// A value whose number stops at one of the `paradas` characters: a decimal comma (0,05
// reads as 0) or, for an integer, a capital E (3E2 reads as 3). Told with the part that
// was read, which is not always what is used (a scale of 0 leaves the default). Numeric
// words hold neither, so only a value after a tag gets here.
void avisarSiParaEn(std::string_view paradas, const std::string& palabra, const char* resto,
                    const std::string& etiqueta, int aparicion)
{
    if (paradas.find(*resto) == std::string_view::npos)
        return;
    const char* causa = *resto == ',' ? "coma decimal" : "E mayúscula";
    const std::size_t leidos = static_cast<std::size_t>(resto - palabra.c_str());
    std::cout << "Advertencia: la palabra " << palabra << " de " << etiqueta << " (aparición " << aparicion
              << ") no es un número (" << causa << "); se lee " << palabra.substr(0, leidos) << std::endl;
}

// The longest number at the start of the word, as the standard conversion reads it (1.2.3
// gives 1.2, 5e- gives 5). A word that starts with no number, or a number beyond the range
// of a double, reads as 0 with a console line; a number too small to hold reads as what
// the conversion gives (0 or a subnormal). A capital E is an exponent here (3E2 gives 300).
double aReal(const std::string& palabra, const std::string& etiqueta, int aparicion)
{
    const char* texto = palabra.c_str();
    char* resto = nullptr;
    errno = 0;
    const double valor = std::strtod(texto, &resto);
    const bool desborda = (errno == ERANGE && std::fabs(valor) > 1.0) || !std::isfinite(valor);
    if (resto == texto || desborda) {
        avisarNoNumero(palabra, etiqueta, aparicion);
        return 0.0;
    }
    avisarSiParaEn(",", palabra, resto, etiqueta, aparicion);
    return valor;
}

// Base-10 integer at the start of the word (3.7 and 3e2 give 3, silently; 3E2 gives 3 with
// a console line, as a mistyped exponent); no number, or one beyond the range of an int,
// reads as 0 with a console line.
int aEntero(const std::string& palabra, const std::string& etiqueta, int aparicion)
{
    const char* texto = palabra.c_str();
    char* resto = nullptr;
    errno = 0;
    const long valor = std::strtol(texto, &resto, 10);
    if (resto == texto || errno == ERANGE || valor < INT_MIN || valor > INT_MAX) {
        avisarNoNumero(palabra, etiqueta, aparicion);
        return 0;
    }
    avisarSiParaEn(",E", palabra, resto, etiqueta, aparicion);
    return static_cast<int>(valor);
}

// Positions the pass right after the n-th occurrence of the tag and the `salto` words
// that follow it; false when the file ends first or n names no occurrence.
bool irA(Palabras& palabras, std::string& palabra, const std::string& etiqueta, int n, int salto)
{
    if (n < 1)
        return false;
    for (int aparicion = 1; aparicion <= n; ++aparicion)
        if (!palabras.pasarEtiqueta(etiqueta))
            return false;
    return palabras.saltar(salto, palabra);
}

// The numeric run from where the pass stands.
std::vector<double> leerCorrida(Palabras& palabras, const std::string& etiqueta, int aparicion)
{
    std::vector<double> valores;
    std::string palabra;
    while (palabras.siguiente(palabra)) {
        if (!esPalabraNumerica(palabra)) {
            avisarSiTerminaEnNumeroMalEscrito(palabra, etiqueta, aparicion, "la fila");
            break;
        }
        valores.push_back(aReal(palabra, etiqueta, aparicion));
    }
    return valores;
}

// Pairs of a factor (a numeric word) and the name right after it, whatever the name looks
// like, from where the pass stands; the list ends at the first non-numeric word in a
// factor's place. A factor that the end of the file leaves without a name is no pair: it
// is left out of both lists. Console lines come only when the factors are converted, so a
// caller that asks for both lists sees each line once.
void leerPares(Palabras& palabras, const std::string& etiqueta, int aparicion, std::vector<double>* factores,
               std::vector<std::string>* nombres)
{
    std::string palabra;
    std::string nombre;
    while (palabras.siguiente(palabra)) {
        if (!esPalabraNumerica(palabra)) {
            if (factores != nullptr)
                avisarSiTerminaEnNumeroMalEscrito(palabra, etiqueta, aparicion, "la fila");
            return;
        }
        if (!palabras.siguiente(nombre)) {
            if (factores != nullptr)
                std::cout << "Advertencia: falta el nombre del caso tras el factor " << palabra << " de "
                          << etiqueta << " (aparición " << aparicion << "); se omite" << std::endl;
            return;
        }
        if (factores != nullptr)
            factores->push_back(aReal(palabra, etiqueta, aparicion));
        if (nombres != nullptr)
            nombres->push_back(nombre);
    }
}

// Every occurrence in one pass. Each row is read from right after its own tag, so a row
// whose name is the tag itself answers as the per-occurrence queries do.
template <class LeerResto>
std::vector<claseLeerArchivo::Fila> leerFilas(const std::string& ruta, const std::string& etiqueta, int salto,
                                              LeerResto leerResto)
{
    std::vector<claseLeerArchivo::Fila> filas;
    Palabras palabras(ruta);
    std::string palabra;
    for (int aparicion = 1; palabras.pasarEtiqueta(etiqueta); ++aparicion) {
        const std::size_t trasLaEtiqueta = palabras.lugar();
        claseLeerArchivo::Fila fila;
        palabras.siguiente(fila.nombre);
        palabras.volverA(trasLaEtiqueta);
        if (palabras.saltar(salto, palabra))
            leerResto(palabras, aparicion, fila);
        palabras.volverA(trasLaEtiqueta);
        filas.push_back(std::move(fila));
    }
    return filas;
}

// Counts the numeric words of every block of the tag, or with a table converts them into
// it row by row. The word that ends a block is examined too, so a tag that follows a block
// straight away starts the next one. A block that ends at a mistyped number is told by the
// counting pass, which always runs (also when the words then fill no whole row).
long leerBloques(const std::string& ruta, const std::string& etiqueta, Eigen::MatrixXd* tabla)
{
    Palabras palabras(ruta);
    std::string palabra;
    long k = 0;
    int aparicion = 0;
    bool enEtiqueta = palabras.pasarEtiqueta(etiqueta);
    while (enEtiqueta) {
        ++aparicion;
        bool terminado = true;
        while (palabras.siguiente(palabra)) {
            if (!esPalabraNumerica(palabra)) {
                if (tabla == nullptr)
                    avisarSiTerminaEnNumeroMalEscrito(palabra, etiqueta, aparicion, "la tabla");
                terminado = false;
                break;
            }
            if (tabla != nullptr && k < tabla->size())
                (*tabla)(k / tabla->cols(), k % tabla->cols()) = aReal(palabra, etiqueta, aparicion);
            ++k;
        }
        if (terminado)
            break;
        enEtiqueta = (palabra == etiqueta) || palabras.pasarEtiqueta(etiqueta);
    }
    return k;
}

// The word after every occurrence is read as the value, with no numeric test, and is not
// itself examined as an occurrence; the last one counts. False when no occurrence is
// followed by a word.
template <class Valor, class Convertir>
bool valorTrasLaUltima(const std::string& ruta, const std::string& etiqueta, Valor& valor, Convertir convertir)
{
    Palabras palabras(ruta);
    std::string palabra;
    bool hayValor = false;
    for (int aparicion = 1; palabras.pasarEtiqueta(etiqueta) && palabras.siguiente(palabra); ++aparicion) {
        valor = convertir(palabra, etiqueta, aparicion);
        hayValor = true;
    }
    return hayValor;
}

}  // namespace

claseLeerArchivo::claseLeerArchivo() = default;
claseLeerArchivo::~claseLeerArchivo() = default;

void claseLeerArchivo::setNombreArchivo(std::string nombre) { nombreDelArchivo = std::move(nombre); }

bool claseLeerArchivo::esNumero(std::string palabra) const { return esPalabraNumerica(palabra); }

int claseLeerArchivo::getNoEtiquetas(std::string etiqueta) const
{
    Palabras palabras(nombreDelArchivo);
    int cuenta = 0;
    while (palabras.pasarEtiqueta(etiqueta))
        ++cuenta;
    return cuenta;
}

// Several blocks of one tag are read in file order as one table.
Eigen::MatrixXd claseLeerArchivo::getMatriz(std::string etiqueta, int columnas) const
{
    if (columnas < 1)
        return Eigen::MatrixXd();
    const long total = leerBloques(nombreDelArchivo, etiqueta, nullptr);
    if (total % columnas != 0) {
        std::cout << "Faltan datos para completar la matriz " << etiqueta << std::endl;
        return Eigen::MatrixXd();
    }
    Eigen::MatrixXd tabla = Eigen::MatrixXd::Zero(total / columnas, columnas);
    leerBloques(nombreDelArchivo, etiqueta, &tabla);
    return tabla;
}

std::vector<double> claseLeerArchivo::getMatrizEtiquetaRepetida(std::string etiqueta, int n, int salto) const
{
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    if (!irA(palabras, palabra, etiqueta, n, salto))
        return {};
    return leerCorrida(palabras, etiqueta, n);
}

std::vector<double> claseLeerArchivo::getFactoresEtiqueta(std::string etiqueta, int n, int salto) const
{
    std::vector<double> factores;
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    if (irA(palabras, palabra, etiqueta, n, salto))
        leerPares(palabras, etiqueta, n, &factores, nullptr);
    return factores;
}

std::vector<std::string> claseLeerArchivo::getNombresDeFactores(std::string etiqueta, int n, int salto) const
{
    std::vector<std::string> nombres;
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    if (irA(palabras, palabra, etiqueta, n, salto))
        leerPares(palabras, etiqueta, n, nullptr, &nombres);
    return nombres;
}

std::vector<claseLeerArchivo::Fila> claseLeerArchivo::getFilasEtiqueta(std::string etiqueta, int salto) const
{
    return leerFilas(nombreDelArchivo, etiqueta, salto, [&](Palabras& palabras, int aparicion, Fila& fila) {
        fila.valores = leerCorrida(palabras, etiqueta, aparicion);
    });
}

std::vector<claseLeerArchivo::Fila> claseLeerArchivo::getParesEtiqueta(std::string etiqueta, int salto) const
{
    return leerFilas(nombreDelArchivo, etiqueta, salto, [&](Palabras& palabras, int aparicion, Fila& fila) {
        leerPares(palabras, etiqueta, aparicion, &fila.valores, &fila.nombres);
    });
}

std::string claseLeerArchivo::getString(std::string etiqueta, int n) const
{
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    if (!irA(palabras, palabra, etiqueta, n, 0) || !palabras.siguiente(palabra))
        return std::string();
    return palabra;
}

double claseLeerArchivo::getReal(std::string etiqueta) const
{
    double valor = -1.0;
    if (!valorTrasLaUltima(nombreDelArchivo, etiqueta, valor, aReal)) {
        std::cout << "Advertencia: no se encontró ningún real con etiqueta " << etiqueta << std::endl;
        return -1.0;
    }
    return valor;
}

int claseLeerArchivo::getEntero(std::string etiqueta) const
{
    int valor = -1;
    if (!valorTrasLaUltima(nombreDelArchivo, etiqueta, valor, aEntero)) {
        std::cout << "Advertencia: no se encontró ningún entero con etiqueta " << etiqueta << std::endl;
        return -1;
    }
    return valor;
}
