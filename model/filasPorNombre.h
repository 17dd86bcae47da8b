#pragma once

#include <string>
#include <utility>
#include <vector>

#include <Eigen/Dense>

// Load tables of the model objects: a name list and a matrix with exactly one row per
// name, row i under name i. Names are compared byte for byte (case-sensitive).

// Appends rows under their names, the earlier rows kept, with one resize for them all; an
// empty table takes them over as they are.
inline void agregarFilas(std::vector<std::string>& nombres, Eigen::MatrixXd& filas,
                         std::vector<std::string> nuevos, Eigen::MatrixXd nuevas)
{
    if (nuevas.rows() == 0)
        return;
    if (nombres.empty()) {
        nombres = std::move(nuevos);
        filas = std::move(nuevas);
        return;
    }
    filas.conservativeResize(filas.rows() + nuevas.rows(), nuevas.cols());
    filas.bottomRows(nuevas.rows()) = nuevas;
    nombres.insert(nombres.end(), std::make_move_iterator(nuevos.begin()), std::make_move_iterator(nuevos.end()));
}

template <int Columnas>
void agregarFila(std::vector<std::string>& nombres, Eigen::MatrixXd& filas, std::string nombre,
                 const Eigen::Matrix<double, 1, Columnas>& fila)
{
    agregarFilas(nombres, filas, {std::move(nombre)}, fila);
}

// factor x (every row of the case), summed from zero in row order.
template <int Columnas>
void sumarCaso(const std::vector<std::string>& nombres, const Eigen::MatrixXd& filas, double factor,
               const std::string& caso, Eigen::Matrix<double, 1, Columnas>& suma)
{
    for (std::size_t i = 0; i < nombres.size(); ++i)
        if (nombres[i] == caso)
            suma += factor * filas.row(static_cast<Eigen::Index>(i));
}

// The position of the last entry equal to the name; -1 when none is.
inline int ultimaPosicion(const std::vector<std::string>& nombres, const std::string& nombre)
{
    int posicion = -1;
    for (std::size_t i = 0; i < nombres.size(); ++i)
        if (nombres[i] == nombre)
            posicion = static_cast<int>(i);
    return posicion;
}

// Adds a combination's sum into the row of every equal name, or appends the name with the
// sum as its row when no name is equal: a combination has its row from its first mention,
// even when the sum is zero.
template <int Columnas>
void sumarEnCombo(std::vector<std::string>& nombres, Eigen::MatrixXd& filas, std::string combo,
                  const Eigen::Matrix<double, 1, Columnas>& suma)
{
    bool encontrado = false;
    for (std::size_t c = 0; c < nombres.size(); ++c) {
        if (nombres[c] != combo)
            continue;
        filas.row(static_cast<Eigen::Index>(c)) += suma;
        encontrado = true;
    }
    if (!encontrado)
        agregarFila(nombres, filas, std::move(combo), suma);
}
