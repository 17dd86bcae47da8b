#include "funcionLeerArchivo.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "bloquesDeMemoria.h"
#include "claseLeerArchivo.h"
#include "indiceDeUsuario.h"
#include "memoriaDeLectura.h"
#include "memoriaDisponible.h"
#include "variablesGlobales.h"

namespace {

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
bool leerEscala(claseLeerArchivo& lector, MemoriaDeLectura& memoria, const char* etiqueta, double& escala)
{
    double valor = -1.0;
    if (!memoria.consultar(lector, [&] { valor = lector.getReal(etiqueta); }))
        return false;
    if (valor > 0)
        escala = valor;
    return true;
}

bool leerEscalas(claseLeerArchivo& lector, MemoriaDeLectura& memoria)
{
    escalasPorDefecto();
    int decimales = -1;
    const bool leidas = leerEscala(lector, memoria, "escalaDeflexion:", escalaDef)
                     && leerEscala(lector, memoria, "escalaM:", escalaM)
                     && leerEscala(lector, memoria, "escalaV:", escalaV)
                     && leerEscala(lector, memoria, "escalaN:", escalaN)
                     && leerEscala(lector, memoria, "escalaTexto:", escalaTexto)
                     && leerEscala(lector, memoria, "escalaApoyo:", escalaApoyo)
                     && memoria.consultar(lector, [&] { decimales = lector.getEntero("precision:"); })
                     && leerEscala(lector, memoria, "escalaCarga:", escalaCarga);
    // -1 is "not given"; other negative numbers of decimals mean nothing and read as 0.
    if (decimales != -1)
        precision = std::max(decimales, 0);
    return leidas;
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

// The rows of one tag, as the reader answers them within the memory left.
bool consultarFilas(claseLeerArchivo& lector, MemoriaDeLectura& memoria, const char* etiqueta, int salto,
                    Filas& filas)
{
    return memoria.consultar(lector, [&] { filas = lector.getFilasEtiqueta(etiqueta, salto); });
}

// How many references of the rows reach an element, element by element; no line.
std::vector<std::size_t> referenciasPorElemento(const Filas& filas, std::size_t fijos, const Indice& indice,
                                                std::size_t elementos)
{
    std::vector<std::size_t> cuenta(elementos, 0);
    for (const claseLeerArchivo::Fila& fila : filas)
        for (std::size_t j = fijos; j < fila.valores.size(); ++j) {
            const int i = indice.fila(fila.valores[j]);
            if (i >= 0)
                ++cuenta[static_cast<std::size_t>(i)];
        }
    return cuenta;
}

// Bytes that the names of the rows take in the elements they reach (a section's name in
// every bar of the row, say).
double bytesDeNombresEnElementos(const Filas& filas, std::size_t fijos)
{
    double bytes = 0.0;
    for (const claseLeerArchivo::Fila& fila : filas) {
        const double referencias = fila.valores.size() > fijos ? static_cast<double>(fila.valores.size() - fijos) : 0.0;
        bytes += referencias * heapDeTexto(static_cast<double>(fila.nombre.size()));
    }
    return bytes;
}

// Reads the rows of one tag, applies them and prints the tag's progress line when the
// file has any such row. `conNombre`: the elements keep the row's name.
template <class Accion>
bool leerFilas(claseLeerArchivo& lector, MemoriaDeLectura& memoria, const char* etiqueta, int salto,
               std::size_t fijos, const Indice& indice, const char* lineaDeProgreso, bool conNombre, Accion accion)
{
    Filas filas;
    if (!consultarFilas(lector, memoria, etiqueta, salto, filas))
        return false;
    if (conNombre && !memoria.tomar(bytesDeNombresEnElementos(filas, fijos)))
        return false;
    paraCadaElemento(filas, fijos, indice, etiqueta, accion);
    if (!filas.empty() && lineaDeProgreso != nullptr)
        std::cout << lineaDeProgreso << std::endl;
    return true;
}

// The loads of one tag gathered per element, in file order: the file row of each and its
// values. Each element then gets all of its loads in one call, where appending them one at
// a time would copy its table once per load.
template <int Columnas>
class CargasPorElemento {
public:
    using Fila = Eigen::Matrix<double, 1, Columnas>;

    // Room for the loads each element will get, so that gathering them grows nothing.
    explicit CargasPorElemento(const std::vector<std::size_t>& porElemento) : cargas(porElemento.size())
    {
        for (std::size_t i = 0; i < porElemento.size(); ++i)
            cargas[i].reserve(porElemento[i]);
    }

    // What gathering and handing over the loads takes at its most: the gathered loads
    // beside all the elements' tables made from them (each element's case names and rows).
    static double bytes(const Filas& filas, std::size_t fijos, const std::vector<std::size_t>& porElemento)
    {
        double bytes = bloqueDeVector<std::vector<Carga>>(static_cast<double>(porElemento.size()));
        for (std::size_t n : porElemento) {
            const double cargas = static_cast<double>(n);
            bytes += bloqueDeVector<Carga>(cargas) + bloqueDeVector<std::string>(cargas)
                   + bloqueDelHeap(cargas * Columnas * sizeof(double));
        }
        return bytes + bytesDeNombresEnElementos(filas, fijos);
    }

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
bool leerCargas(claseLeerArchivo& lector, MemoriaDeLectura& memoria, const char* etiqueta, std::size_t elementos,
                const Indice& indice, const char* lineaDeProgreso, Carga carga, Entregar entregar)
{
    Filas filas;
    if (!consultarFilas(lector, memoria, etiqueta, 1, filas)
        || !memoria.tomar(bloqueDeVector<std::size_t>(static_cast<double>(elementos))))
        return false;
    const std::vector<std::size_t> referencias = referenciasPorElemento(filas, Columnas, indice, elementos);
    if (!memoria.tomar(CargasPorElemento<Columnas>::bytes(filas, Columnas, referencias)))
        return false;
    CargasPorElemento<Columnas> porElemento(referencias);
    paraCadaReferencia(filas, Columnas, indice, etiqueta, [&](std::size_t k, std::size_t i) {
        typename CargasPorElemento<Columnas>::Fila fila;
        if (carga(filas[k].valores, i, fila))
            porElemento.agregar(i, k, fila);
    });
    porElemento.entregar(filas, entregar);
    if (!filas.empty())
        std::cout << lineaDeProgreso << std::endl;
    return true;
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
bool leerApoyosResortesYPuntuales(claseLeerArchivo& lector, MemoriaDeLectura& memoria, const Indice& nudos)
{
    return leerFilas(lector, memoria, "apoyo:", 0, 3, nudos, "transferencia de apoyos a nudo[i] OK", false,
                     [](const Valores& v, const std::string&, std::size_t i) {
                         nudo[i].setApoyo(truncar(v[0]), truncar(v[1]), truncar(v[2]));
                     })
        && leerFilas(lector, memoria, "resorte:", 0, 3, nudos, "transferencia de resortes a nudo[i] OK", false,
                     [](const Valores& v, const std::string&, std::size_t i) { nudo[i].setResorte(v[0], v[1], v[2]); })
        && leerCargas<3>(
               lector, memoria, "puntual:", nudo.size(), nudos, "transferencia de cargas puntuales a nudo[i] OK",
               [](const Valores& v, std::size_t, Eigen::RowVector3d& fila) {
                   fila << v[0], v[1], v[2];
                   return true;
               },
               [](std::size_t i, std::vector<std::string> casos, Eigen::MatrixXd filas) {
                   nudo[i].setCargasPuntuales(std::move(casos), std::move(filas));
               });
}

std::size_t paresDe(const Filas& filas)
{
    std::size_t pares = 0;
    for (const claseLeerArchivo::Fila& fila : filas)
        pares += fila.pares();
    return pares;
}

// Every "combo:" row is one combination (name, factors, case names); a later row with a
// name already used adds its pairs into that combination. The rows are read once, for the
// nodes and the bars alike.
CombosDelModelo combosDe(const Filas& filas)
{
    CombosDelModelo combos;
    combos.reservar(filas.size());
    for (std::size_t k = 0; k < filas.size(); ++k) {
        const claseLeerArchivo::Fila& fila = filas[k];
        if (combos.contiene(fila.nombre))
            std::cout << "Advertencia: el combo " << fila.nombre << " de combo: (aparición " << k + 1
                      << ") repite un nombre anterior; sus pares se suman a ese combo" << std::endl;
        combos.agregarCombo(fila.nombre);
        for (std::size_t j = 0; j < fila.pares(); ++j)
            combos.agregarPar(fila.nombre, fila.valores[j], fila.nombres[j]);
    }
    return combos;
}

// The combinations: their index is reckoned before it is made, beside the rows that the
// reader answered. Answers false when it does not fit; `pares` gets the pairs of the rows.
bool leerCombos(claseLeerArchivo& lector, MemoriaDeLectura& memoria, CombosDelModelo& combos, double& pares)
{
    Filas filas;
    if (!memoria.consultar(lector, [&] { filas = lector.getParesEtiqueta("combo:", 1); }))
        return false;
    pares = static_cast<double>(paresDe(filas));
    std::vector<std::string_view> casos;
    if (!memoria.tomar(bloqueDeVector<std::string_view>(pares)))
        return false;
    casos.reserve(paresDe(filas));
    for (const claseLeerArchivo::Fila& fila : filas)
        for (std::size_t j = 0; j < fila.pares(); ++j)
            casos.push_back(fila.nombres[j]);
    std::sort(casos.begin(), casos.end());
    if (!memoria.tomar(bytesDeCombosDelModelo(filas, casos)))
        return false;
    std::vector<std::string_view>().swap(casos);
    combos = combosDe(filas);
    noCombos = static_cast<int>(combos.cantidad());
    return true;
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
bool leerSecciones(claseLeerArchivo& lector, MemoriaDeLectura& memoria, const Indice& barras)
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
    if (!leerFilas(lector, memoria, "seccionRectangular:", 1, 4, barras, nullptr, true, seccion(true)))
        return false;
    std::cout << "transferencia de secciones rect a barra[i] OK" << std::endl;
    if (!leerFilas(lector, memoria, "seccionGenerica:", 1, 4, barras, nullptr, true, seccion(false)))
        return false;
    std::cout << "transferencia de secciones gen a barra[i] OK" << std::endl;
    return true;
}

// End fixity and distributed loads, whether or not there are bars.
bool leerArticulacionesYDistribuidas(claseLeerArchivo& lector, MemoriaDeLectura& memoria, const Indice& barras)
{
    return leerFilas(lector, memoria, "articulacion:", 0, 2, barras, "transferencia de articulaciones a barra[i] OK",
                     false,
                     [](const Valores& v, const std::string&, std::size_t i) { barra[i].setArticulacion(v[0], v[1]); })
        && leerCargas<4>(
               lector, memoria, "distribuidaLocal:", barra.size(), barras,
               "transferencia de cargas Locales a barra[i] OK",
               [](const Valores& v, std::size_t, Eigen::RowVector4d& fila) {
                   fila << v[0], v[1], v[2], v[3];
                   return true;
               },
               [](std::size_t i, std::vector<std::string> casos, Eigen::MatrixXd filas) {
                   barra[i].setCargasLocales(std::move(casos), std::move(filas));
               })
        // Resolved into the bar's local axes as each row is read (the end nodes are set by
        // now), so that the bar's console lines come in file order.
        && leerCargas<4>(
               lector, memoria, "distribuidaGlobal:", barra.size(), barras,
               "transferencia de cargas globales a barra[i] OK",
               [](const Valores& v, std::size_t i, Eigen::RowVector4d& fila) {
                   return barra[i].cargaGlobalEnEjesLocales(v[0], v[1], v[2], v[3], fila);
               },
               [](std::size_t i, std::vector<std::string> casos, Eigen::MatrixXd filas) {
                   barra[i].setCargasGlobales(std::move(casos), std::move(filas));
               });
}

// The self weight is one more global-direction load on every bar: its case name, and its
// table of global-direction loads made again one row longer beside the old one (the names
// of that table, too, grown to twice their number).
double bytesDelPesoPropio(const std::string& caso)
{
    double bytes = 0.0;
    for (const objBarra2d& b : barra) {
        const double cargas = static_cast<double>(b.getCantidadDeCargasGlobales());
        bytes += heapDeTexto(static_cast<double>(caso.size())) + bloqueDelHeap((cargas + 1.0) * 4.0 * sizeof(double))
               + bloqueDeVector<std::string>(std::max(1.0, 2.0 * cargas));
    }
    return bytes;
}

bool leerPesoPropio(claseLeerArchivo& lector, MemoriaDeLectura& memoria)
{
    int filas = 0;
    if (!memoria.consultar(lector, [&] { filas = lector.getNoEtiquetas("pesoPropio:"); }))
        return false;
    if (filas == 0) {
        std::cout << "No se calculará el peso propio de la estructura" << std::endl;
        return true;
    }
    if (filas > 1) {
        std::cout << "No usar la etiqueta *pesoPropio:* más de una vez" << std::endl;
        return true;
    }
    std::string caso;
    if (!memoria.consultar(lector, [&] { caso = lector.getString("pesoPropio:", 1); })
        || !memoria.tomar(bytesDelPesoPropio(caso)))
        return false;
    for (objBarra2d& b : barra)
        b.setPesoPropio(caso);
    std::cout << "Lectura de pesoPropio ---> OK" << std::endl;
    return true;
}

// Only a regular file is read: a pipe, a FIFO or a device can be read once at most (and a
// FIFO without a writer blocks the open), while the reader goes over the file once per tag.
// stat does not open the file, so nothing here can block. Answers its size, -1 when it is
// not read.
double tamanoSiEsLegible(const std::string& ruta)
{
    struct stat datos {};
    const bool legible = stat(ruta.c_str(), &datos) == 0 && S_ISREG(datos.st_mode) && access(ruta.c_str(), R_OK) == 0;
    return legible ? static_cast<double>(datos.st_size) : -1.0;
}

// The two tables and everything that follows from them; false when the memory ran out
// (the caller says so), true also when the tables are faulty (their lines say why).
bool construirModelo(MemoriaDeLectura& memoria)
{
    claseLeerArchivo lector;
    lector.setNombreArchivo(nombreArchivo);

    Eigen::MatrixXd tablaNudos;
    if (!memoria.consultar(lector, [&] { tablaNudos = lector.getMatriz("nudos:", 3); }))
        return false;
    std::cout << "lectura de nudos OK " << "Num Nudos = " << tablaNudos.rows() << std::endl;
    Eigen::MatrixXd tablaBarras;
    if (!memoria.consultar(lector, [&] { tablaBarras = lector.getMatriz("barras:", 3); }))
        return false;
    std::cout << "lectura de barras OK " << "Num Barras = " << tablaBarras.rows() << std::endl;

    Indice nudos(claseNudo);
    Indice barras(claseBarra);
    const double elementos = Indice::bytesDelIndice(tablaNudos) + Indice::bytesDelIndice(tablaBarras)
                           + bloqueDeVector<objNudo2d>(static_cast<double>(tablaNudos.rows()));
    if (!memoria.tomar(elementos))
        return false;
    if (!tablasSanas(tablaNudos, tablaBarras, nudos, barras))
        return leerEscalas(lector, memoria);
    noNudos = static_cast<int>(tablaNudos.rows());
    noBarras = static_cast<int>(tablaBarras.rows());

    punteroNudos = nudos.puntero();
    std::cout << "punteros de nudos internos OK" << std::endl;
    if (noBarras != 0) {
        punteroBarras = barras.puntero();
        std::cout << "puntero de barras internas OK" << std::endl;
    }

    leerNudos(tablaNudos);
    CombosDelModelo combos;
    double pares = 0.0;
    if (!leerApoyosResortesYPuntuales(lector, memoria, nudos) || !leerCombos(lector, memoria, combos, pares))
        return false;
    // Every node and bar holds a row of every combination: a model of many elements and many
    // combinations may not fit. Reckoned for the nodes' rows, which follow, and kept aside
    // for the bars and for their rows, which come later.
    const double bytesDeLasBarras = bloqueDeVector<objBarra2d>(noBarras);
    const double filasDeLasBarras = bytesDeFilasDeCombos(combos.getNombres(), pares, noBarras, 4);
    memoria.reservar(bytesDeLasBarras + filasDeLasBarras);
    if (!memoria.tomar(bytesDeFilasDeCombos(combos.getNombres(), pares, noNudos, 3)))
        return false;
    for (objNudo2d& n : nudo)
        n.setCombos(combos);
    if (noCombos != 0)
        std::cout << "transferencia de combos a nudo[i] OK" << std::endl;

    memoria.pagar(bytesDeLasBarras);
    if (noBarras != 0) {
        leerBarras(tablaBarras, nudos);
        if (!leerSecciones(lector, memoria, barras))
            return false;
    }
    if (!leerArticulacionesYDistribuidas(lector, memoria, barras) || !leerPesoPropio(lector, memoria))
        return false;
    memoria.pagar(filasDeLasBarras);
    for (objBarra2d& b : barra)
        b.setCombos(combos);
    if (noCombos != 0)
        std::cout << "transferencia de combos a barra[i] OK" << std::endl;

    return leerEscalas(lector, memoria);
}

// A file larger than the memory this process may take, or a model that does not fit, ends
// the reading with one line and no model, as any other unreadable file.
void leerCon(const MemoriaDeLectura::MemoriaLibre& memoriaLibre)
{
    fijarUmbralDeBloquesAparte();
    vaciarModelo();
    const double tamano = tamanoSiEsLegible(nombreArchivo);
    if (tamano < 0.0) {
        std::cout << "No se puede abrir el archivo de entrada: " << nombreArchivo << std::endl;
        escalasPorDefecto();
        return;
    }
    try {
        MemoriaDeLectura memoria(memoriaLibre, tamano);
        if (construirModelo(memoria))
            return;
        sinModelo();
        memoria.avisar(nombreArchivo);
    } catch (const std::bad_alloc&) {
        sinModelo();
        std::cout << "No hay memoria para leer el archivo de entrada: " << nombreArchivo << std::endl;
    }
}

}  // namespace

void funcionLeerArchivo() { leerCon(memoriaDisponible); }

void funcionLeerArchivo(double memoriaLibre)
{
    leerCon(memoriaDesdeAhora(memoriaLibre));
}
