#include "funcionLeerArchivo.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iostream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "claseLeerArchivo.h"
#include "memoriaDisponible.h"
#include "variablesGlobales.h"

namespace {

// The lookups grow with the largest user number, not with the number of rows; a larger
// number is refused so that a stray word cannot ask for gigabytes.
constexpr double numeroMaximo = 1000000.0;

// How the console lines name one kind of element.
struct Clase {
    const char* etiqueta;    // its table's tag
    const char* articulo;    // "el" / "la"
    const char* nombre;      // "nudo" / "barra"
    const char* definido;    // "definido" / "definida"
};

const Clase claseNudo{"nudos:", "el", "nudo", "definido"};
const Clase claseBarra{"barras:", "la", "barra", "definida"};

// Whole numbers are read as reals and truncated toward zero. The truncation saturates at
// the range of an int, so a huge support code stays a code that holds its direction.
int truncar(double valor)
{
    if (valor >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (valor <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(valor);
}

// A user number as the console shows it: truncated, without exponent while it fits.
std::string comoEntero(double valor)
{
    const double entero = std::trunc(valor);
    if (std::fabs(entero) < 1e15)
        return std::to_string(static_cast<long long>(entero));
    std::ostringstream texto;
    texto << entero;
    return texto.str();
}

// User number -> row of the table that defines it (-1 where no row does).
class Indice {
public:
    explicit Indice(const Clase& clase) : clase(clase) {}

    int fila(double numero) const
    {
        if (!(numero > -1.0) || std::trunc(numero) >= static_cast<double>(filas.size()))
            return -1;
        return filas[static_cast<std::size_t>(numero)];
    }

    // The row of an element that a row of another tag names; -1, with a console line, when
    // no row of the table defines it.
    int referido(double numero, const char* etiqueta, int aparicion) const
    {
        const int f = fila(numero);
        if (f < 0)
            std::cout << "Advertencia: " << clase.articulo << ' ' << clase.nombre << ' ' << comoEntero(numero)
                      << " de " << etiqueta << " (aparición " << aparicion << ") no está " << clase.definido
                      << " en " << clase.etiqueta << "; se omite" << std::endl;
        return f;
    }

    // Indexes the first column of the table; prints one line per negative, too large or
    // repeated number and answers how many there were.
    int indexar(const Eigen::MatrixXd& tabla)
    {
        int errores = 0;
        double mayor = -1.0;
        for (Eigen::Index r = 0; r < tabla.rows(); ++r) {
            const double numero = std::trunc(tabla(r, 0));
            if (numero < 0.0) {
                error(r) << "el número de " << clase.nombre << ' ' << comoEntero(numero) << " es negativo" << std::endl;
                ++errores;
            } else if (numero > numeroMaximo) {
                error(r) << "el número de " << clase.nombre << ' ' << comoEntero(numero) << " pasa de "
                         << static_cast<long>(numeroMaximo) << std::endl;
                ++errores;
            } else {
                mayor = std::max(mayor, numero);
            }
        }
        filas.assign(static_cast<std::size_t>(mayor + 1.0), -1);
        for (Eigen::Index r = 0; r < tabla.rows(); ++r) {
            const double numero = std::trunc(tabla(r, 0));
            if (numero < 0.0 || numero > numeroMaximo)
                continue;
            int& primera = filas[static_cast<std::size_t>(numero)];
            if (primera >= 0) {
                error(r) << clase.articulo << ' ' << clase.nombre << ' ' << comoEntero(numero) << " ya está " << clase.definido
                         << " en la fila " << primera + 1 << std::endl;
                ++errores;
                continue;
            }
            primera = static_cast<int>(r);
        }
        return errores;
    }

    // The program-wide lookup: every number that no row defines maps to 0.
    Eigen::VectorXi puntero() const
    {
        Eigen::VectorXi p(static_cast<Eigen::Index>(filas.size()));
        for (std::size_t n = 0; n < filas.size(); ++n)
            p(static_cast<Eigen::Index>(n)) = std::max(filas[n], 0);
        return p;
    }

    // Table rows are counted from 1 on the console.
    std::ostream& error(Eigen::Index r) const
    {
        return std::cout << "Error en " << clase.etiqueta << " fila " << r + 1 << ": ";
    }

private:
    const Clase& clase;
    std::vector<int> filas;
};

// A bar joins two different nodes that "nudos:" defines.
int revisarBarras(const Eigen::MatrixXd& tabla, const Indice& nudos, const Indice& barras)
{
    int errores = 0;
    for (Eigen::Index r = 0; r < tabla.rows(); ++r) {
        const double numero = std::trunc(tabla(r, 0));
        bool extremosDefinidos = true;
        for (int extremo = 1; extremo <= 2; ++extremo) {
            if (nudos.fila(tabla(r, extremo)) >= 0)
                continue;
            barras.error(r) << "el nudo " << comoEntero(tabla(r, extremo)) << " de la barra " << comoEntero(numero)
                            << " no está definido en nudos:" << std::endl;
            extremosDefinidos = false;
            ++errores;
        }
        if (extremosDefinidos && nudos.fila(tabla(r, 1)) == nudos.fila(tabla(r, 2))) {
            barras.error(r) << "la barra " << comoEntero(numero) << " empieza y termina en el nudo "
                            << comoEntero(tabla(r, 1)) << std::endl;
            ++errores;
        }
    }
    return errores;
}

// Swapped with empty ones, so that after a failed allocation the memory is given back.
void vaciarModelo()
{
    noNudos = 0;
    noBarras = 0;
    noCombos = 0;
    std::vector<objNudo2d>().swap(nudo);
    std::vector<objBarra2d>().swap(barra);
    punteroNudos.resize(0);
    punteroBarras.resize(0);
}

void escalasPorDefecto()
{
    escalaDef = 100;
    escalaM = 0.1;
    escalaV = 0.1;
    escalaN = 0.01;
    escalaTexto = 0.15;
    escalaApoyo = 0;
    precision = 3;
    escalaCarga = 0.1;
}

// A reading that builds no model: no node or bar, and the default scales.
void sinModelo()
{
    vaciarModelo();
    escalasPorDefecto();
}

// A scale of the file replaces the default only when above 0; an absent tag reads as -1.
void leerEscala(const claseLeerArchivo& lector, const char* etiqueta, double& escala)
{
    const double valor = lector.getReal(etiqueta);
    if (valor > 0)
        escala = valor;
}

void leerEscalas(const claseLeerArchivo& lector)
{
    escalasPorDefecto();
    leerEscala(lector, "escalaDeflexion:", escalaDef);
    leerEscala(lector, "escalaM:", escalaM);
    leerEscala(lector, "escalaV:", escalaV);
    leerEscala(lector, "escalaN:", escalaN);
    leerEscala(lector, "escalaTexto:", escalaTexto);
    leerEscala(lector, "escalaApoyo:", escalaApoyo);
    // -1 is "not given"; other negative numbers of decimals mean nothing and read as 0.
    const int decimales = lector.getEntero("precision:");
    if (decimales != -1)
        precision = std::max(decimales, 0);
    leerEscala(lector, "escalaCarga:", escalaCarga);
}

using Filas = std::vector<claseLeerArchivo::Fila>;
using Valores = std::vector<double>;

// For every row k of a tag, calls accion(k, internal number) for each element the row names
// after its `fijos` fixed values (a row without element numbers changes nothing), in file
// order; references that no table row defines are reported and skipped.
template <class Accion>
void paraCadaReferencia(const Filas& filas, std::size_t fijos, const Indice& indice, const char* etiqueta,
                        Accion accion)
{
    for (std::size_t k = 0; k < filas.size(); ++k) {
        const Valores& v = filas[k].valores;
        for (std::size_t j = fijos; j < v.size(); ++j) {
            const int i = indice.referido(v[j], etiqueta, static_cast<int>(k + 1));
            if (i >= 0)
                accion(k, static_cast<std::size_t>(i));
        }
    }
}

// The same with accion(values, name, internal number).
template <class Accion>
void paraCadaElemento(const Filas& filas, std::size_t fijos, const Indice& indice, const char* etiqueta,
                      Accion accion)
{
    paraCadaReferencia(filas, fijos, indice, etiqueta,
                       [&](std::size_t k, std::size_t i) { accion(filas[k].valores, filas[k].nombre, i); });
}

// Reads the rows of one tag, applies them and prints the tag's progress line when the
// file has any such row.
template <class Accion>
void leerFilas(const claseLeerArchivo& lector, const char* etiqueta, int salto, std::size_t fijos,
               const Indice& indice, const char* lineaDeProgreso, Accion accion)
{
    const Filas filas = lector.getFilasEtiqueta(etiqueta, salto);
    paraCadaElemento(filas, fijos, indice, etiqueta, accion);
    if (!filas.empty() && lineaDeProgreso != nullptr)
        std::cout << lineaDeProgreso << std::endl;
}

// The loads of one tag gathered per element, in file order: the file row of each and its
// values. Each element then gets all of its loads in one call, where appending them one at
// a time would copy its table once per load.
template <int Columnas>
class CargasPorElemento {
public:
    using Fila = Eigen::Matrix<double, 1, Columnas>;

    explicit CargasPorElemento(std::size_t elementos) : cargas(elementos) {}

    void agregar(std::size_t elemento, std::size_t fila, const Fila& carga)
    {
        cargas[elemento].push_back({fila, carga});
    }

    // entregarA(element, case names, rows) for every element with loads, element by element.
    template <class Entregar>
    void entregar(const Filas& filas, Entregar entregarA)
    {
        for (std::size_t i = 0; i < cargas.size(); ++i) {
            if (cargas[i].empty())
                continue;
            std::vector<std::string> casos;
            casos.reserve(cargas[i].size());
            Eigen::MatrixXd valores(static_cast<Eigen::Index>(cargas[i].size()), Columnas);
            for (std::size_t j = 0; j < cargas[i].size(); ++j) {
                casos.push_back(filas[cargas[i][j].first].nombre);
                valores.row(static_cast<Eigen::Index>(j)) = cargas[i][j].second;
            }
            std::vector<Carga>().swap(cargas[i]);
            entregarA(i, std::move(casos), std::move(valores));
        }
    }

private:
    using Carga = std::pair<std::size_t, Fila>;
    std::vector<std::vector<Carga>> cargas;
};

// Reads the load rows of one tag (case name, `Columnas` values, element numbers): the load
// that carga(values, element, row) makes (none when it answers false) goes to every element
// the row names, and each element then gets all of its loads through one call of entregar.
// Prints the tag's progress line when the file has any such row.
template <int Columnas, class Carga, class Entregar>
void leerCargas(const claseLeerArchivo& lector, const char* etiqueta, std::size_t elementos, const Indice& indice,
                const char* lineaDeProgreso, Carga carga, Entregar entregar)
{
    const Filas filas = lector.getFilasEtiqueta(etiqueta, 1);
    CargasPorElemento<Columnas> porElemento(elementos);
    paraCadaReferencia(filas, Columnas, indice, etiqueta, [&](std::size_t k, std::size_t i) {
        typename CargasPorElemento<Columnas>::Fila fila;
        if (carga(filas[k].valores, i, fila))
            porElemento.agregar(i, k, fila);
    });
    porElemento.entregar(filas, entregar);
    if (!filas.empty())
        std::cout << lineaDeProgreso << std::endl;
}

void leerNudos(const Eigen::MatrixXd& tabla)
{
    nudo.resize(static_cast<std::size_t>(noNudos));
    for (int i = 0; i < noNudos; ++i) {
        const int numero = truncar(tabla(i, 0));
        nudo[static_cast<std::size_t>(i)].setNumeroNudoUsuario(numero);
        nudo[static_cast<std::size_t>(i)].setNumeroDeNudo(punteroNudos(numero));
        nudo[static_cast<std::size_t>(i)].setCoordenadas(tabla(i, 1), tabla(i, 2));
    }
    std::cout << "transferencia de coord a nudos[i] OK" << std::endl;
}

// Support codes are whole numbers; spring stiffnesses and point loads reals.
void leerApoyosResortesYPuntuales(const claseLeerArchivo& lector, const Indice& nudos)
{
    leerFilas(lector, "apoyo:", 0, 3, nudos, "transferencia de apoyos a nudo[i] OK",
              [](const Valores& v, const std::string&, std::size_t i) {
                  nudo[i].setApoyo(truncar(v[0]), truncar(v[1]), truncar(v[2]));
              });
    leerFilas(lector, "resorte:", 0, 3, nudos, "transferencia de resortes a nudo[i] OK",
              [](const Valores& v, const std::string&, std::size_t i) { nudo[i].setResorte(v[0], v[1], v[2]); });
    leerCargas<3>(
        lector, "puntual:", nudo.size(), nudos, "transferencia de cargas puntuales a nudo[i] OK",
        [](const Valores& v, std::size_t, Eigen::RowVector3d& fila) {
            fila << v[0], v[1], v[2];
            return true;
        },
        [](std::size_t i, std::vector<std::string> casos, Eigen::MatrixXd filas) {
            nudo[i].setCargasPuntuales(std::move(casos), std::move(filas));
        });
}

// Every "combo:" row is one combination (name, factors, case names); a later row with a
// name already used adds its pairs into that combination. The rows are read once, for the
// nodes and the bars alike.
CombosDelModelo leerCombos(const claseLeerArchivo& lector)
{
    const Filas filas = lector.getParesEtiqueta("combo:", 1);
    CombosDelModelo combos;
    for (std::size_t k = 0; k < filas.size(); ++k) {
        const claseLeerArchivo::Fila& fila = filas[k];
        if (combos.contiene(fila.nombre))
            std::cout << "Advertencia: el combo " << fila.nombre << " de combo: (aparición " << k + 1
                      << ") repite un nombre anterior; sus pares se suman a ese combo" << std::endl;
        combos.agregarCombo(fila.nombre);
        const std::size_t pares = std::min(fila.valores.size(), fila.nombres.size());
        for (std::size_t j = 0; j < pares; ++j)
            combos.agregarPar(fila.nombre, fila.valores[j], fila.nombres[j]);
    }
    noCombos = static_cast<int>(combos.cantidad());
    return combos;
}

// Heap block glibc gives a request: 8 bytes of header, 16-byte steps, 32 bytes at least.
double bloqueDeMemoria(double pedidos)
{
    return std::max(32.0, std::ceil((pedidos + 8.0) / 16.0) * 16.0);
}

// A name held by an element: the string object, and past its 15-character inner buffer a
// heap block for the characters and the terminator.
double bytesDeNombre(const std::string& nombre)
{
    constexpr std::size_t enLinea = 15;
    const double heap = nombre.size() > enLinea ? bloqueDeMemoria(static_cast<double>(nombre.size()) + 1.0) : 0.0;
    return sizeof(std::string) + heap;
}

// Bytes of the combination rows every node and bar is about to hold: per element, each
// combination's name and its row of the load matrix (3 columns for a node, 4 for a bar).
// Reckoned in double, so a huge count cannot overflow.
double bytesDeCombos(const CombosDelModelo& combos)
{
    double nombres = 0.0;
    for (const std::string& nombre : combos.getNombres())
        nombres += bytesDeNombre(nombre);
    const double filas = static_cast<double>(combos.cantidad()) * sizeof(double);
    return noNudos * (nombres + 3.0 * filas) + noBarras * (nombres + 4.0 * filas);
}

// Under overcommit an allocation beyond the memory does not fail: the process is killed
// later. So the combination rows, which grow as elements x combinations, are reckoned first.
bool combosCabenEnMemoria(const CombosDelModelo& combos, double memoriaLibre)
{
    const double bytes = bytesDeCombos(combos);
    if (bytes <= memoriaLibre)
        return true;
    std::cout << "No hay memoria para leer el archivo de entrada: " << nombreArchivo << " (se necesitan "
              << bytes / 1e9 << " GB)" << std::endl;
    return false;
}

void leerBarras(const Eigen::MatrixXd& tabla, const Indice& nudos)
{
    barra.resize(static_cast<std::size_t>(noBarras));
    for (int i = 0; i < noBarras; ++i) {
        objBarra2d& b = barra[static_cast<std::size_t>(i)];
        const int numero = truncar(tabla(i, 0));
        const std::size_t inicio = static_cast<std::size_t>(nudos.fila(tabla(i, 1)));
        const std::size_t fin = static_cast<std::size_t>(nudos.fila(tabla(i, 2)));
        b.resetFlags();
        b.setNumeroBarraUsuario(numero);
        b.setNumeroDeBarra(punteroBarras(numero));
        b.setNudoInicio(static_cast<int>(inicio), nudo[inicio].getX(), nudo[inicio].getY());
        b.setNudoFinal(static_cast<int>(fin), nudo[fin].getX(), nudo[fin].getY());
        b.setNudoInicioUsuario(truncar(tabla(i, 1)));
        b.setNudoFinalUsuario(truncar(tabla(i, 2)));
    }
    std::cout << "transferencia de coord a barra[i] OK" << std::endl;
}

// Section rows: name, then b, h (or A, I), E and unit weight, then bar numbers. Their
// progress lines come also when the file has no such row.
void leerSecciones(const claseLeerArchivo& lector, const Indice& barras)
{
    const auto seccion = [](bool rectangular) {
        return [rectangular](const Valores& v, const std::string& nombre, std::size_t i) {
            if (rectangular)
                barra[i].setSeccionRectangular(v[0], v[1]);
            else
                barra[i].setSeccionGenerica(v[0], v[1]);
            barra[i].setModuloE(v[2]);
            barra[i].setPesoEspecifico(v[3]);
            barra[i].setNombreDeSeccion(nombre);
        };
    };
    leerFilas(lector, "seccionRectangular:", 1, 4, barras, nullptr, seccion(true));
    std::cout << "transferencia de secciones rect a barra[i] OK" << std::endl;
    leerFilas(lector, "seccionGenerica:", 1, 4, barras, nullptr, seccion(false));
    std::cout << "transferencia de secciones gen a barra[i] OK" << std::endl;
}

// End fixity and distributed loads, whether or not there are bars.
void leerArticulacionesYDistribuidas(const claseLeerArchivo& lector, const Indice& barras)
{
    leerFilas(lector, "articulacion:", 0, 2, barras, "transferencia de articulaciones a barra[i] OK",
              [](const Valores& v, const std::string&, std::size_t i) { barra[i].setArticulacion(v[0], v[1]); });
    leerCargas<4>(
        lector, "distribuidaLocal:", barra.size(), barras, "transferencia de cargas Locales a barra[i] OK",
        [](const Valores& v, std::size_t, Eigen::RowVector4d& fila) {
            fila << v[0], v[1], v[2], v[3];
            return true;
        },
        [](std::size_t i, std::vector<std::string> casos, Eigen::MatrixXd filas) {
            barra[i].setCargasLocales(std::move(casos), std::move(filas));
        });
    // Resolved into the bar's local axes as each row is read (the end nodes are set by
    // now), so that the bar's console lines come in file order.
    leerCargas<4>(
        lector, "distribuidaGlobal:", barra.size(), barras, "transferencia de cargas globales a barra[i] OK",
        [](const Valores& v, std::size_t i, Eigen::RowVector4d& fila) {
            return barra[i].cargaGlobalEnEjesLocales(v[0], v[1], v[2], v[3], fila);
        },
        [](std::size_t i, std::vector<std::string> casos, Eigen::MatrixXd filas) {
            barra[i].setCargasGlobales(std::move(casos), std::move(filas));
        });
}

void leerPesoPropio(const claseLeerArchivo& lector)
{
    const int filas = lector.getNoEtiquetas("pesoPropio:");
    if (filas == 0) {
        std::cout << "No se calculará el peso propio de la estructura" << std::endl;
        return;
    }
    if (filas > 1) {
        std::cout << "No usar la etiqueta *pesoPropio:* más de una vez" << std::endl;
        return;
    }
    const std::string caso = lector.getString("pesoPropio:", 1);
    for (objBarra2d& b : barra)
        b.setPesoPropio(caso);
    std::cout << "Lectura de pesoPropio ---> OK" << std::endl;
}

// Lists every fault of the two tables; true when a model can be built from them.
bool tablasSanas(const Eigen::MatrixXd& tablaNudos, const Eigen::MatrixXd& tablaBarras, Indice& nudos,
                 Indice& barras)
{
    if (tablaNudos.rows() == 0) {
        std::cout << "No se construye el modelo: no hay ninguna fila completa de nudos:" << std::endl;
        return false;
    }
    const int errores = nudos.indexar(tablaNudos) + barras.indexar(tablaBarras)
                      + revisarBarras(tablaBarras, nudos, barras);
    if (errores == 0)
        return true;
    std::cout << "No se construye el modelo: corregir los errores de nudos: y barras:" << std::endl;
    return false;
}

// Only a regular file is read: a pipe, a FIFO or a device can be read once at most (and a
// FIFO without a writer blocks the open), while the reader goes over the file once per tag.
// stat does not open the file, so nothing here can block.
bool esArchivoLegible(const std::string& ruta)
{
    struct stat datos {};
    return stat(ruta.c_str(), &datos) == 0 && S_ISREG(datos.st_mode) && access(ruta.c_str(), R_OK) == 0;
}

void construirModelo(double memoriaLibre)
{
    claseLeerArchivo lector;
    lector.setNombreArchivo(nombreArchivo);

    const Eigen::MatrixXd tablaNudos = lector.getMatriz("nudos:", 3);
    std::cout << "lectura de nudos OK " << "Num Nudos = " << tablaNudos.rows() << std::endl;
    const Eigen::MatrixXd tablaBarras = lector.getMatriz("barras:", 3);
    std::cout << "lectura de barras OK " << "Num Barras = " << tablaBarras.rows() << std::endl;

    Indice nudos(claseNudo);
    Indice barras(claseBarra);
    if (!tablasSanas(tablaNudos, tablaBarras, nudos, barras)) {
        leerEscalas(lector);
        return;
    }
    noNudos = static_cast<int>(tablaNudos.rows());
    noBarras = static_cast<int>(tablaBarras.rows());

    punteroNudos = nudos.puntero();
    std::cout << "punteros de nudos internos OK" << std::endl;
    if (noBarras != 0) {
        punteroBarras = barras.puntero();
        std::cout << "puntero de barras internas OK" << std::endl;
    }

    leerNudos(tablaNudos);
    leerApoyosResortesYPuntuales(lector, nudos);
    const CombosDelModelo combos = leerCombos(lector);
    if (!combosCabenEnMemoria(combos, memoriaLibre)) {
        sinModelo();
        return;
    }
    for (objNudo2d& n : nudo)
        n.setCombos(combos);
    if (noCombos != 0)
        std::cout << "transferencia de combos a nudo[i] OK" << std::endl;

    if (noBarras != 0) {
        leerBarras(tablaBarras, nudos);
        leerSecciones(lector, barras);
    }
    leerArticulacionesYDistribuidas(lector, barras);
    leerPesoPropio(lector);
    for (objBarra2d& b : barra)
        b.setCombos(combos);
    if (noCombos != 0)
        std::cout << "transferencia de combos a barra[i] OK" << std::endl;

    leerEscalas(lector);
}

}  // namespace

void funcionLeerArchivo() { funcionLeerArchivo(memoriaDisponible()); }

void funcionLeerArchivo(double memoriaLibre)
{
    vaciarModelo();
    if (!esArchivoLegible(nombreArchivo)) {
        std::cout << "No se puede abrir el archivo de entrada: " << nombreArchivo << std::endl;
        escalasPorDefecto();
        return;
    }
    // A file larger than the memory this process may take (or a model that does not fit)
    // ends the reading with one line and no model, as any other unreadable file.
    try {
        construirModelo(memoriaLibre);
    } catch (const std::bad_alloc&) {
        sinModelo();
        std::cout << "No hay memoria para leer el archivo de entrada: " << nombreArchivo << std::endl;
    }
}
