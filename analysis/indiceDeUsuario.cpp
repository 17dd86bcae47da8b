#include "indiceDeUsuario.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>
#include <string>

#include "bloquesDeMemoria.h"

const Clase claseNudo{"nudos:", "el", "nudo", "definido"};
const Clase claseBarra{"barras:", "la", "barra", "definida"};

namespace {

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

// The largest number of the table's first column that is not refused (truncated), -1 for none.
double mayorNumero(const Eigen::MatrixXd& tabla)
{
    double mayor = -1.0;
    for (Eigen::Index r = 0; r < tabla.rows(); ++r) {
        const double numero = std::trunc(tabla(r, 0));
        if (numero >= 0.0 && numero <= numeroMaximo)
            mayor = std::max(mayor, numero);
    }
    return mayor;
}

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


}  // namespace

int Indice::fila(double numero) const
{
    if (!(numero > -1.0) || std::trunc(numero) >= static_cast<double>(filas.size()))
        return -1;
    return filas[static_cast<std::size_t>(numero)];
}

int Indice::referido(double numero, const char* etiqueta, int aparicion) const
{
    const int f = fila(numero);
    if (f < 0)
        std::cout << "Advertencia: " << clase.articulo << ' ' << clase.nombre << ' ' << comoEntero(numero) << " de "
                  << etiqueta << " (aparición " << aparicion << ") no está " << clase.definido << " en "
                  << clase.etiqueta << "; se omite" << std::endl;
    return f;
}

int Indice::indexar(const Eigen::MatrixXd& tabla)
{
    int errores = 0;
    for (Eigen::Index r = 0; r < tabla.rows(); ++r) {
        const double numero = std::trunc(tabla(r, 0));
        if (numero < 0.0) {
            error(r) << "el número de " << clase.nombre << ' ' << comoEntero(numero) << " es negativo" << std::endl;
            ++errores;
        } else if (numero > numeroMaximo) {
            error(r) << "el número de " << clase.nombre << ' ' << comoEntero(numero) << " pasa de "
                     << static_cast<long>(numeroMaximo) << std::endl;
            ++errores;
        }
    }
    filas.assign(static_cast<std::size_t>(mayorNumero(tabla) + 1.0), -1);
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

double Indice::bytesDelIndice(const Eigen::MatrixXd& tabla)
{
    return 2.0 * bloqueDelHeap((mayorNumero(tabla) + 1.0) * sizeof(int));
}

Eigen::VectorXi Indice::puntero() const
{
    Eigen::VectorXi p(static_cast<Eigen::Index>(filas.size()));
    for (std::size_t n = 0; n < filas.size(); ++n)
        p(static_cast<Eigen::Index>(n)) = std::max(filas[n], 0);
    return p;
}

std::ostream& Indice::error(Eigen::Index r) const
{
    return std::cout << "Error en " << clase.etiqueta << " fila " << r + 1 << ": ";
}

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

