#pragma once

#include <algorithm>
#include <functional>
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

    // Slots held, for memory estimates.
    std::size_t tamano() const { return casillas.size(); }

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

// setCombo of a node or a bar: factor x (the element's loads of the case, summed as they
// were added) into the combination's row; a case the element lacks adds a zero row.
template <int Columnas>
void sumarCasoEnCombo(const std::unordered_map<std::string, Eigen::Matrix<double, 1, Columnas>>& sumaPorCaso,
                      std::vector<std::string>& nombres, Eigen::MatrixXd& filas, IndiceDeNombres& indice,
                      std::string combo, double factor, const std::string& caso)
{
    using Fila = Eigen::Matrix<double, 1, Columnas>;
    const auto cargas = sumaPorCaso.find(caso);
    const Fila suma = (cargas == sumaPorCaso.end()) ? Fila::Zero() : Fila(factor * cargas->second);
    sumarEnCombo(nombres, filas, indice, std::move(combo), suma);
}

// The combinations of a model, read once for all its nodes and bars: the distinct names in
// order of first appearance, every (factor, case) pair in file order, and for each case the
// pairs that name it, in file order. A row without pairs counts as the pair (0, "") that
// gives the elements the combination's zero row.
struct CombosDelModelo {
    struct Par {
        std::size_t combo;   // position in nombres
        double factor;
        std::string caso;
    };

    std::vector<std::string> nombres;
    IndiceDeNombres indice;                    // over nombres
    std::vector<Par> pares;
    std::vector<std::size_t> paresPorCombo;    // how many pairs each combination has
    std::unordered_map<std::string, std::vector<std::size_t>> paresPorCaso;

    void agregarPar(const std::string& nombre, double factor, const std::string& caso)
    {
        int encontrado = indice.buscar(nombres, nombre);
        if (encontrado < 0) {
            encontrado = static_cast<int>(nombres.size());
            nombres.push_back(nombre);
            indice.agregarUltimo(nombres);
            paresPorCombo.push_back(0);
        }
        const std::size_t combo = static_cast<std::size_t>(encontrado);
        paresPorCaso[caso].push_back(pares.size());
        pares.push_back({combo, factor, caso});
        ++paresPorCombo[combo];
    }
};

// Gives an element its rows of all the model's combinations at once, equal bit for bit to
// calling setCombo with every pair in file order, but visiting only the pairs of the cases
// the element carries: a pair of another case adds an exact zero, which changes nothing but
// the sign of a zero sum, so it is stood for by one + 0.0 at the end of its row.
template <int Columnas>
void asignarCombos(const CombosDelModelo& combos,
                   const std::unordered_map<std::string, Eigen::Matrix<double, 1, Columnas>>& sumaPorCaso,
                   std::vector<std::string>& nombres, Eigen::MatrixXd& filas, IndiceDeNombres& indice)
{
    using Fila = Eigen::Matrix<double, 1, Columnas>;
    struct Aporte {
        std::size_t combo;
        std::size_t par;
        const Fila* suma;   // the element's sum of the pair's case
    };
    std::vector<Aporte> aportes;
    for (const auto& [caso, suma] : sumaPorCaso) {
        const auto pares = combos.paresPorCaso.find(caso);
        if (pares == combos.paresPorCaso.end())
            continue;
        for (const std::size_t k : pares->second)
            aportes.push_back({combos.pares[k].combo, k, &suma});
    }
    // Rows are independent: within each row the additions keep the file's order.
    std::sort(aportes.begin(), aportes.end(), [](const Aporte& a, const Aporte& b) {
        return a.combo != b.combo ? a.combo < b.combo : a.par < b.par;
    });

    filas.setZero(static_cast<Eigen::Index>(combos.nombres.size()), Columnas);
    for (std::size_t i = 0; i < aportes.size();) {
        const std::size_t c = aportes[i].combo;
        Fila fila = Fila(combos.pares[aportes[i].par].factor * *aportes[i].suma);
        std::size_t j = i + 1;
        for (; j < aportes.size() && aportes[j].combo == c; ++j)
            fila += Fila(combos.pares[aportes[j].par].factor * *aportes[j].suma);
        if (j - i < combos.paresPorCombo[c])
            fila.array() += 0.0;
        filas.row(static_cast<Eigen::Index>(c)) = fila;
        i = j;
    }
    nombres = combos.nombres;
    indice = combos.indice;
}
