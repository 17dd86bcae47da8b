#pragma once

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <Eigen/Dense>

// Load tables of the model objects: a name list and a matrix with one row per name. The
// matrix may hold spare rows past the last name, so that a table grows by doubling and n
// rows cost O(n) copies in all, not O(n^2): the row count is the length of the name list.

// Appends a row to a table whose first `usadas` rows are in use.
template <int Columnas>
void agregarFila(Eigen::MatrixXd& filas, std::size_t usadas, const Eigen::Matrix<double, 1, Columnas>& fila)
{
    const Eigen::Index n = static_cast<Eigen::Index>(usadas);
    if (n == filas.rows())
        filas.conservativeResize(std::max<Eigen::Index>(4, 2 * n), Columnas);
    filas.row(n) = fila;
}

// Adds a combination's sum into its row, or appends a new row when the name is new. The
// index maps each name to its row, so neither is a search over every earlier name.
template <int Columnas>
void sumarEnCombo(std::vector<std::string>& nombres, Eigen::MatrixXd& filas,
                  std::unordered_map<std::string, int>& indice, std::string combo,
                  const Eigen::Matrix<double, 1, Columnas>& suma)
{
    const auto existente = indice.find(combo);
    if (existente != indice.end()) {
        filas.row(existente->second) += suma;
        return;
    }
    agregarFila(filas, nombres.size(), suma);
    indice.emplace(combo, static_cast<int>(nombres.size()));
    nombres.push_back(std::move(combo));
}
