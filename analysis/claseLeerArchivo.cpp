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

#include "bloquesDeMemoria.h"

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

// The memory one query holds (the file's text and what it answers), against the most it
// may hold: a step that would pass it is not taken, and the query then answers nothing.
class Cuenta {
public:
    explicit Cuenta(double maxima) : maxima(maxima) {}

    bool tomar(double bytes)
    {
        if (usados + bytes > maxima) {
            excedida = true;
            return false;
        }
        usados += bytes;
        pico = std::max(pico, usados);
        return true;
    }
    void devolver(double bytes) { usados -= bytes; }

    // The block the heap gives a string made already.
    bool tomarTexto(const std::string& texto) { return tomar(heapDeTexto(static_cast<double>(texto.capacity()))); }
    // Room for n elements made at once (a vector grown one element at a time would leave
    // its earlier blocks behind in the heap, where the count could not follow them).
    template <class T>
    bool reservar(std::vector<T>& v, std::size_t n)
    {
        if (!tomar(bloqueDeVector<T>(static_cast<double>(n))))
            return false;
        v.reserve(n);
        return true;
    }

    bool excedida = false;
    double pico = 0.0;

private:
    double maxima;
    double usados = 0.0;
};

// One pass over the words of a file. The file is read whole into one buffer for the pass
// (opened for reading only: a read-only file is read like any other, and a file that
// cannot be opened has no words); a word is copied into one reused string, so a pass
// allocates nothing per word. The search for a tag runs over the bytes, not word by word.
// Only a regular file has words: a pipe or a device could be read once at most, and the
// open does not wait for a FIFO's writer. A text beyond the query's memory is not read,
// and the file then has no words; a file larger than the memory the allocator finds throws
// std::bad_alloc, which model building catches.
class Palabras {
public:
    Palabras(const std::string& ruta, Cuenta& cuenta) : cuenta(cuenta)
    {
        const Descriptor archivo(ruta);
        struct stat datos {};
        if (archivo.numero < 0 || fstat(archivo.numero, &datos) != 0 || !S_ISREG(datos.st_mode))
            return;
        const std::size_t tamano = static_cast<std::size_t>(std::max<off_t>(datos.st_size, 0));
        // The text of a file that grows while it is read takes more than this.
        const double bloque = bloqueDelHeap(static_cast<double>(tamano) + 1.0);
        if (!cuenta.tomar(bloque))
            return;
        tomado = bloque;
        leerTodo(archivo.numero, tamano);
    }
    ~Palabras() { cuenta.devolver(tomado); }
    Palabras(const Palabras&) = delete;
    Palabras& operator=(const Palabras&) = delete;

    Cuenta& memoria() { return cuenta; }

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
    // One read of the size the file has now, then blocks for whatever it has grown by. One
    // byte more than the size lets the read that finds the end of the file come without
    // growing the buffer, which would hold the text three times over for the copy.
    void leerTodo(int descriptor, std::size_t tamano)
    {
        constexpr std::size_t bloque = 1 << 16;
        texto.resize(tamano + 1);
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

    Cuenta& cuenta;
    double tomado = 0.0;
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

// How many numeric words follow, and how many factor and name pairs, from where the pass
// stands; the pass stays there.
std::size_t contarCorrida(Palabras& palabras)
{
    const std::size_t aqui = palabras.lugar();
    std::string palabra;
    std::size_t n = 0;
    while (palabras.siguiente(palabra) && esPalabraNumerica(palabra))
        ++n;
    palabras.volverA(aqui);
    return n;
}

std::size_t contarPares(Palabras& palabras)
{
    const std::size_t aqui = palabras.lugar();
    std::string palabra;
    std::size_t n = 0;
    while (palabras.siguiente(palabra) && esPalabraNumerica(palabra) && palabras.siguiente(palabra))
        ++n;
    palabras.volverA(aqui);
    return n;
}

// The numeric run from where the pass stands; nothing when the query's memory ends first.
std::vector<double> leerCorrida(Palabras& palabras, const std::string& etiqueta, int aparicion)
{
    std::vector<double> valores;
    if (!palabras.memoria().reservar(valores, contarCorrida(palabras)))
        return valores;
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
    Cuenta& memoria = palabras.memoria();
    const std::size_t n = contarPares(palabras);
    if ((factores != nullptr && !memoria.reservar(*factores, n)) || (nombres != nullptr && !memoria.reservar(*nombres, n)))
        return;
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
        if (nombres != nullptr) {
            nombres->push_back(nombre);
            if (!memoria.tomarTexto(nombres->back()))
                return;
        }
    }
}

// Every occurrence in one pass. Each row is read from right after its own tag, so a row
// whose name is the tag itself answers as the per-occurrence queries do.
template <class LeerResto>
std::vector<claseLeerArchivo::Fila> leerFilas(const std::string& ruta, const std::string& etiqueta, int salto,
                                              Cuenta& cuenta, LeerResto leerResto)
{
    std::vector<claseLeerArchivo::Fila> filas;
    Palabras palabras(ruta, cuenta);
    std::size_t apariciones = 0;
    while (palabras.pasarEtiqueta(etiqueta))
        ++apariciones;
    palabras.volverA(0);
    if (!cuenta.reservar(filas, apariciones))
        return filas;
    std::string palabra;
    for (int aparicion = 1; palabras.pasarEtiqueta(etiqueta); ++aparicion) {
        const std::size_t trasLaEtiqueta = palabras.lugar();
        claseLeerArchivo::Fila fila;
        palabras.siguiente(fila.nombre);
        if (!cuenta.tomarTexto(fila.nombre))
            break;
        palabras.volverA(trasLaEtiqueta);
        if (palabras.saltar(salto, palabra))
            leerResto(palabras, aparicion, fila);
        palabras.volverA(trasLaEtiqueta);
        filas.push_back(std::move(fila));
        if (cuenta.excedida)
            break;
    }
    return filas;
}

// Counts the numeric words of every block of the tag, or with a table converts them into
// it row by row. The word that ends a block is examined too, so a tag that follows a block
// straight away starts the next one. A block that ends at a mistyped number is told by the
// counting pass, which always runs (also when the words then fill no whole row).
long leerBloques(const std::string& ruta, const std::string& etiqueta, Cuenta& cuenta, Eigen::MatrixXd* tabla)
{
    Palabras palabras(ruta, cuenta);
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
bool buscarValorTrasLaUltima(const std::string& ruta, const std::string& etiqueta, Cuenta& cuenta, Valor& valor,
                             Convertir convertir)
{
    Palabras palabras(ruta, cuenta);
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

void claseLeerArchivo::setMemoriaMaxima(double bytes)
{
    memoriaMaxima = bytes;
    sinMemoria = false;
    picoDeMemoria = 0.0;
}

bool claseLeerArchivo::faltoMemoria() const { return sinMemoria; }
double claseLeerArchivo::getPicoDeMemoria() const { return picoDeMemoria; }

// Runs a query with its memory counted against memoriaMaxima: what it answers, or an empty
// answer when the memory ran out.
template <class Consulta>
auto claseLeerArchivo::contada(Consulta consulta) const
{
    Cuenta memoria(memoriaMaxima);
    auto respuesta = consulta(memoria);
    sinMemoria = sinMemoria || memoria.excedida;
    picoDeMemoria = std::max(picoDeMemoria, memoria.pico);
    if (memoria.excedida)
        return decltype(respuesta){};
    return respuesta;   // moved, not copied: a copy would leave the first in the heap
}

int claseLeerArchivo::getNoEtiquetas(std::string etiqueta) const
{
    return contada([&](Cuenta& memoria) {
        Palabras palabras(nombreDelArchivo, memoria);
        int cuenta = 0;
        while (palabras.pasarEtiqueta(etiqueta))
            ++cuenta;
        return cuenta;
    });
}

// Several blocks of one tag are read in file order as one table.
Eigen::MatrixXd claseLeerArchivo::getMatriz(std::string etiqueta, int columnas) const
{
    if (columnas < 1)
        return Eigen::MatrixXd();
    return contada([&](Cuenta& memoria) {
        const long total = leerBloques(nombreDelArchivo, etiqueta, memoria, nullptr);
        if (memoria.excedida)
            return Eigen::MatrixXd();
        if (total % columnas != 0) {
            std::cout << "Faltan datos para completar la matriz " << etiqueta << std::endl;
            return Eigen::MatrixXd();
        }
        if (!memoria.tomar(bloqueDelHeap(static_cast<double>(total) * sizeof(double))))
            return Eigen::MatrixXd();
        Eigen::MatrixXd tabla = Eigen::MatrixXd::Zero(total / columnas, columnas);
        leerBloques(nombreDelArchivo, etiqueta, memoria, &tabla);
        return tabla;
    });
}

std::vector<double> claseLeerArchivo::getMatrizEtiquetaRepetida(std::string etiqueta, int n, int salto) const
{
    return contada([&](Cuenta& memoria) {
        Palabras palabras(nombreDelArchivo, memoria);
        std::string palabra;
        return irA(palabras, palabra, etiqueta, n, salto) ? leerCorrida(palabras, etiqueta, n) : std::vector<double>();
    });
}

std::vector<double> claseLeerArchivo::getFactoresEtiqueta(std::string etiqueta, int n, int salto) const
{
    return contada([&](Cuenta& memoria) {
        std::vector<double> factores;
        Palabras palabras(nombreDelArchivo, memoria);
        std::string palabra;
        if (irA(palabras, palabra, etiqueta, n, salto))
            leerPares(palabras, etiqueta, n, &factores, nullptr);
        return factores;
    });
}

std::vector<std::string> claseLeerArchivo::getNombresDeFactores(std::string etiqueta, int n, int salto) const
{
    return contada([&](Cuenta& memoria) {
        std::vector<std::string> nombres;
        Palabras palabras(nombreDelArchivo, memoria);
        std::string palabra;
        if (irA(palabras, palabra, etiqueta, n, salto))
            leerPares(palabras, etiqueta, n, nullptr, &nombres);
        return nombres;
    });
}

std::vector<claseLeerArchivo::Fila> claseLeerArchivo::getFilasEtiqueta(std::string etiqueta, int salto) const
{
    return contada([&](Cuenta& memoria) {
        return leerFilas(nombreDelArchivo, etiqueta, salto, memoria, [&](Palabras& palabras, int aparicion, Fila& fila) {
            fila.valores = leerCorrida(palabras, etiqueta, aparicion);
        });
    });
}

std::vector<claseLeerArchivo::Fila> claseLeerArchivo::getParesEtiqueta(std::string etiqueta, int salto) const
{
    return contada([&](Cuenta& memoria) {
        return leerFilas(nombreDelArchivo, etiqueta, salto, memoria, [&](Palabras& palabras, int aparicion, Fila& fila) {
            leerPares(palabras, etiqueta, aparicion, &fila.valores, &fila.nombres);
        });
    });
}

std::string claseLeerArchivo::getString(std::string etiqueta, int n) const
{
    return contada([&](Cuenta& memoria) {
        Palabras palabras(nombreDelArchivo, memoria);
        std::string palabra;
        return (irA(palabras, palabra, etiqueta, n, 0) && palabras.siguiente(palabra)) ? palabra : std::string();
    });
}

// The value after the last occurrence, or none; a query that ran out of memory has found
// nothing, but it says nothing of the tag.
template <class Valor, class Convertir>
bool claseLeerArchivo::valorTrasLaUltima(const std::string& etiqueta, Valor& valor, Convertir convertir,
                                         const char* tipo) const
{
    bool excedida = false;
    const bool hay = contada([&](Cuenta& memoria) {
        const bool encontrado = buscarValorTrasLaUltima(nombreDelArchivo, etiqueta, memoria, valor, convertir);
        excedida = memoria.excedida;
        return encontrado;
    });
    if (!hay && !excedida)
        std::cout << "Advertencia: no se encontró ningún " << tipo << " con etiqueta " << etiqueta << std::endl;
    return hay;
}

double claseLeerArchivo::getReal(std::string etiqueta) const
{
    double valor = -1.0;
    return valorTrasLaUltima(etiqueta, valor, aReal, "real") ? valor : -1.0;
}

int claseLeerArchivo::getEntero(std::string etiqueta) const
{
    int valor = -1;
    return valorTrasLaUltima(etiqueta, valor, aEntero, "entero") ? valor : -1;
}
