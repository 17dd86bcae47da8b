#pragma once

#include <algorithm>
#include <functional>
#include <string>
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

// The row of each name of a name list, by open addressing over the names' hashes: one int
// per slot and at most half the slots taken, so finding or adding a name costs O(1) on
// average for 8 to 32 bytes of index per name.
class IndiceDeNombres {
public:
    // The position of the name in `nombres`, -1 when it is not there.
    int buscar(const std::vector<std::string>& nombres, const std::string& nombre) const
    {
        if (casillas.empty())
            return -1;
        for (std::size_t i = casilla(nombre);; i = (i + 1) & (casillas.size() - 1)) {
            const int fila = casillas[i];
            if (fila < 0 || nombres[static_cast<std::size_t>(fila)] == nombre)
                return fila;
        }
    }

    // Indexes the last name of the list, just appended.
    void agregarUltimo(const std::vector<std::string>& nombres)
    {
        if (2 * nombres.size() > casillas.size()) {
            std::size_t tamano = 16;
            while (tamano < 4 * nombres.size())
                tamano *= 2;
            casillas.assign(tamano, -1);
            for (std::size_t fila = 0; fila < nombres.size(); ++fila)
                ocupar(nombres[fila], fila);
            return;
        }
        ocupar(nombres.back(), nombres.size() - 1);
    }

private:
    std::size_t casilla(const std::string& nombre) const
    {
        return std::hash<std::string>{}(nombre) & (casillas.size() - 1);
    }

    void ocupar(const std::string& nombre, std::size_t fila)
    {
        std::size_t i = casilla(nombre);
        while (casillas[i] >= 0)
            i = (i + 1) & (casillas.size() - 1);
        casillas[i] = static_cast<int>(fila);
    }

    std::vector<int> casillas;   // row of a name, -1 for an empty slot; the size a power of two
};

// Adds a combination's sum into its row, or appends a new row when the name is new. The
// index finds the name's row, so neither is a search over every earlier name.
template <int Columnas>
void sumarEnCombo(std::vector<std::string>& nombres, Eigen::MatrixXd& filas, IndiceDeNombres& indice,
                  std::string combo, const Eigen::Matrix<double, 1, Columnas>& suma)
{
    const int existente = indice.buscar(nombres, combo);
    if (existente >= 0) {
        filas.row(existente) += suma;
        return;
    }
    agregarFila(filas, nombres.size(), suma);
    nombres.push_back(std::move(combo));
    indice.agregarUltimo(nombres);
}
