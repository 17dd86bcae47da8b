#include "claseLeerArchivo.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

namespace {

bool esBlanco(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool esPalabraNumerica(const std::string& palabra)
{
    return palabra.find_first_not_of("1234567890+-.e") == std::string::npos;
}

// One pass over the words of a file, read in large blocks into one reused word, so a pass
// allocates nothing beyond the word itself. Opened for reading only: a read-only file is
// read like any other, and a file that cannot be opened has no words.
class Palabras {
public:
    explicit Palabras(const std::string& ruta) : archivo(ruta, std::ios::in | std::ios::binary) {}

    // The next word into `palabra`; false at the end of the file.
    bool siguiente(std::string& palabra)
    {
        if (!saltarBlancos())
            return false;
        palabra.clear();
        for (;;) {
            const char* desde = bloque + inicio;
            const char* hasta = bloque + fin;
            const char* p = desde;
            while (p != hasta && !esBlanco(*p))
                ++p;
            palabra.append(desde, static_cast<std::size_t>(p - desde));
            inicio = static_cast<std::size_t>(p - bloque);
            if (p != hasta || !llenar())
                return true;
        }
    }

    // Passes over the next n words; false when the file ends first.
    bool saltar(int n, std::string& palabra)
    {
        for (int i = 0; i < n; ++i)
            if (!siguiente(palabra))
                return false;
        return true;
    }

private:
    bool saltarBlancos()
    {
        for (;;) {
            while (inicio != fin && esBlanco(bloque[inicio]))
                ++inicio;
            if (inicio != fin)
                return true;
            if (!llenar())
                return false;
        }
    }

    bool llenar()
    {
        if (!archivo)
            return false;
        archivo.read(bloque, sizeof bloque);
        inicio = 0;
        fin = static_cast<std::size_t>(archivo.gcount());
        return fin != 0;
    }

    std::ifstream archivo;
    char bloque[1 << 16];
    std::size_t inicio = 0;
    std::size_t fin = 0;
};

void avisarNoNumero(const std::string& palabra, const std::string& etiqueta, int aparicion)
{
    std::cout << "Advertencia: la palabra " << palabra << " de " << etiqueta << " (aparición "
              << aparicion << ") no es un número válido; se toma 0" << std::endl;
}

// The longest number at the start of the word, as the standard conversion reads it (1.2.3
// gives 1.2, 5e- gives 5). A word that starts with no number, or a number beyond the range
// of a double, reads as 0 with a console line; a number too small to hold reads as what
// the conversion gives (0 or a subnormal).
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
    return valor;
}

// Base-10 integer at the start of the word (3.7 gives 3); no number, or one beyond the
// range of an int, reads as 0 with a console line.
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
    return static_cast<int>(valor);
}

// Positions the pass right after the n-th occurrence of the tag and the `salto` words
// that follow it; false when the file ends first or n names no occurrence.
bool irA(Palabras& palabras, std::string& palabra, const std::string& etiqueta, int n, int salto)
{
    if (n < 1)
        return false;
    int aparicion = 0;
    while (palabras.siguiente(palabra))
        if (palabra == etiqueta && ++aparicion == n)
            return palabras.saltar(salto, palabra);
    return false;
}

}  // namespace

claseLeerArchivo::claseLeerArchivo() = default;
claseLeerArchivo::~claseLeerArchivo() = default;

void claseLeerArchivo::setNombreArchivo(std::string nombre) { nombreDelArchivo = std::move(nombre); }

bool claseLeerArchivo::esNumero(std::string palabra) const { return esPalabraNumerica(palabra); }

int claseLeerArchivo::getNoEtiquetas(std::string etiqueta) const
{
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    int cuenta = 0;
    while (palabras.siguiente(palabra))
        if (palabra == etiqueta)
            ++cuenta;
    return cuenta;
}

// A block is the run of numeric words after an occurrence of the tag. The word that ends a
// block is examined too, so a tag that follows a block straight away starts the next one:
// several blocks of one tag are read in file order as one table.
Eigen::MatrixXd claseLeerArchivo::getMatriz(std::string etiqueta, int columnas) const
{
    if (columnas < 1)
        return Eigen::MatrixXd();

    std::string palabra;
    long total = 0;
    {
        Palabras palabras(nombreDelArchivo);
        bool enBloque = false;
        while (palabras.siguiente(palabra)) {
            if (enBloque && esPalabraNumerica(palabra)) {
                ++total;
                continue;
            }
            enBloque = (palabra == etiqueta);
        }
    }
    if (total % columnas != 0) {
        std::cout << "Faltan datos para completar la matriz " << etiqueta << std::endl;
        return Eigen::MatrixXd();
    }

    const Eigen::Index filas = total / columnas;
    Eigen::MatrixXd tabla = Eigen::MatrixXd::Zero(filas, columnas);
    Palabras palabras(nombreDelArchivo);
    bool enBloque = false;
    int aparicion = 0;
    long k = 0;
    while (k < total && palabras.siguiente(palabra)) {
        if (enBloque && esPalabraNumerica(palabra)) {
            tabla(k / columnas, k % columnas) = aReal(palabra, etiqueta, aparicion);
            ++k;
            continue;
        }
        enBloque = (palabra == etiqueta);
        if (enBloque)
            ++aparicion;
    }
    return tabla;
}

std::vector<double> claseLeerArchivo::getMatrizEtiquetaRepetida(std::string etiqueta, int n, int salto) const
{
    std::vector<double> valores;
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    if (!irA(palabras, palabra, etiqueta, n, salto))
        return valores;
    while (palabras.siguiente(palabra) && esPalabraNumerica(palabra))
        valores.push_back(aReal(palabra, etiqueta, n));
    return valores;
}

// Pairs of a factor (a numeric word) and the name right after it, whatever the name looks
// like; the list ends at the first non-numeric word in a factor's place. A factor that the
// end of the file leaves without a name is no pair: both lists leave it out, and the
// factor query says so.
std::vector<double> claseLeerArchivo::getFactoresEtiqueta(std::string etiqueta, int n, int salto) const
{
    std::vector<double> factores;
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    std::string nombre;
    if (!irA(palabras, palabra, etiqueta, n, salto))
        return factores;
    while (palabras.siguiente(palabra) && esPalabraNumerica(palabra)) {
        if (!palabras.siguiente(nombre)) {
            std::cout << "Advertencia: falta el nombre del caso tras el factor " << palabra << " de "
                      << etiqueta << " (aparición " << n << "); se omite" << std::endl;
            break;
        }
        factores.push_back(aReal(palabra, etiqueta, n));
    }
    return factores;
}

std::vector<std::string> claseLeerArchivo::getNombresDeFactores(std::string etiqueta, int n, int salto) const
{
    std::vector<std::string> nombres;
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    std::string nombre;
    if (!irA(palabras, palabra, etiqueta, n, salto))
        return nombres;
    while (palabras.siguiente(palabra) && esPalabraNumerica(palabra) && palabras.siguiente(nombre))
        nombres.push_back(nombre);
    return nombres;
}

std::string claseLeerArchivo::getString(std::string etiqueta, int n) const
{
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    if (!irA(palabras, palabra, etiqueta, n, 0) || !palabras.siguiente(palabra))
        return std::string();
    return palabra;
}

// The word after every occurrence is read as the value, with no numeric test, and is not
// itself examined as an occurrence; the last one counts.
double claseLeerArchivo::getReal(std::string etiqueta) const
{
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    int aparicion = 0;
    bool hayValor = false;
    double valor = -1.0;
    while (palabras.siguiente(palabra)) {
        if (palabra != etiqueta)
            continue;
        ++aparicion;
        if (!palabras.siguiente(palabra))
            break;
        valor = aReal(palabra, etiqueta, aparicion);
        hayValor = true;
    }
    if (!hayValor) {
        std::cout << "Advertencia: no se encontró ningún real con etiqueta " << etiqueta << std::endl;
        return -1.0;
    }
    return valor;
}

int claseLeerArchivo::getEntero(std::string etiqueta) const
{
    Palabras palabras(nombreDelArchivo);
    std::string palabra;
    int aparicion = 0;
    bool hayValor = false;
    int valor = -1;
    while (palabras.siguiente(palabra)) {
        if (palabra != etiqueta)
            continue;
        ++aparicion;
        if (!palabras.siguiente(palabra))
            break;
        valor = aEntero(palabra, etiqueta, aparicion);
        hayValor = true;
    }
    if (!hayValor) {
        std::cout << "Advertencia: no se encontró ningún entero con etiqueta " << etiqueta << std::endl;
        return -1;
    }
    return valor;
}
