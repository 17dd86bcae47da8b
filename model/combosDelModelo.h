#pragma once

#include <algorithm>
#include <initializer_list>
#include <map>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include <Eigen/Dense>

// A load table of an element as the combinations read it: row i under case name i.
struct TablaDeCargas {
    const std::vector<std::string>& casos;
    const Eigen::MatrixXd& filas;
};

// The load combinations of a model, read once in model building for all its nodes and
// bars. The distinct combination names keep their order of first appearance (combination c
// is the c-th name); each combination holds its distinct load cases in order of first
// appearance, with the factors of a case named more than once added up. Both directions
// are indexed: from a combination to its cases, and from a case to the combinations that
// name it, so that an element only visits the combinations of the cases it carries. The
// names are indexed by ordered maps, whose cost no choice of names can make worse.
class CombosDelModelo {
public:
    // Room for this many combinations made at once, so that adding them grows nothing.
    void reservar(std::size_t combos);
    // The combination's position; a new name is appended, with no case yet.
    std::size_t agregarCombo(const std::string& combo);
    // factor x (the loads of the case) into the combination, which is created if new.
    void agregarPar(const std::string& combo, double factor, const std::string& caso);

    bool contiene(const std::string& combo) const { return posicionDeCombo.count(combo) != 0; }
    std::size_t cantidad() const { return nombres.size(); }
    const std::vector<std::string>& getNombres() const { return nombres; }

    // The rows of every combination for an element whose loads are these tables, NC x
    // Columnas. Each case's rows are summed from zero, table by table and row by row in the
    // order given; row c then starts from +0 and adds (factor of the case) x (its sum) for
    // each case of combination c that the element carries, in the combination's order. A
    // combination none of whose cases the element carries is a row of +0.
    template <int Columnas>
    Eigen::MatrixXd filasDe(std::initializer_list<TablaDeCargas> tablas) const;

private:
    struct Mencion {     // a combination that names a case
        std::size_t combo;
        std::size_t orden;   // the case's position among the combination's cases
    };

    // The position of a case in menciones, -1 when no combination names it.
    long posicionDelCaso(const std::string& caso) const;
    // case -> the element's sum of its rows, for the cases some combination names.
    template <int Columnas>
    std::map<std::size_t, Eigen::Matrix<double, 1, Columnas>>
    sumasDe(std::initializer_list<TablaDeCargas> tablas) const;

    std::vector<std::string> nombres;                      // combination names
    std::map<std::string, std::size_t> posicionDeCombo;    // name -> position in nombres
    std::map<std::string, std::size_t> posicionDeCaso;     // case name -> position in menciones
    std::vector<std::vector<double>> factores;             // per combination, the summed factor of each case
    std::vector<std::vector<Mencion>> menciones;           // per case, the combinations naming it
    std::map<std::pair<std::size_t, std::size_t>, std::size_t> terminoDe;   // (combination, case) -> orden
};

template <int Columnas>
std::map<std::size_t, Eigen::Matrix<double, 1, Columnas>>
CombosDelModelo::sumasDe(std::initializer_list<TablaDeCargas> tablas) const
{
    using Fila = Eigen::Matrix<double, 1, Columnas>;
    std::map<std::size_t, Fila> sumas;
    for (const TablaDeCargas& tabla : tablas) {
        // Rows of one case usually come together (one file row gives many): a row of the
        // case of the row before is not looked up again. No sum: no combination names it.
        Fila* suma = nullptr;
        for (std::size_t i = 0; i < tabla.casos.size(); ++i) {
            if (i == 0 || tabla.casos[i] != tabla.casos[i - 1]) {
                const long caso = posicionDelCaso(tabla.casos[i]);
                suma = (caso < 0) ? nullptr
                                  : &sumas.try_emplace(static_cast<std::size_t>(caso), Fila::Zero()).first->second;
            }
            if (suma != nullptr)
                *suma += tabla.filas.row(static_cast<Eigen::Index>(i));
        }
    }
    return sumas;
}

template <int Columnas>
Eigen::MatrixXd CombosDelModelo::filasDe(std::initializer_list<TablaDeCargas> tablas) const
{
    using Fila = Eigen::Matrix<double, 1, Columnas>;
    const std::map<std::size_t, Fila> sumas = sumasDe<Columnas>(tablas);

    // The terms of the element's cases, ordered by combination with a counting sort (the
    // element holds one row per combination anyway) and within a combination by the
    // case's place in it: only within a row does the order of the additions matter.
    struct Aporte {
        Mencion donde;
        const Fila* suma;
    };
    std::vector<std::size_t> inicio(nombres.size() + 1, 0);
    for (const auto& [caso, suma] : sumas)
        for (const Mencion& m : menciones[caso])
            ++inicio[m.combo + 1];
    std::partial_sum(inicio.begin(), inicio.end(), inicio.begin());
    std::vector<std::size_t> siguiente(inicio.begin(), inicio.end() - 1);
    std::vector<Aporte> aportes(inicio.back());
    for (const auto& [caso, suma] : sumas)
        for (const Mencion& m : menciones[caso])
            aportes[siguiente[m.combo]++] = {m, &suma};

    Eigen::MatrixXd filas = Eigen::MatrixXd::Zero(static_cast<Eigen::Index>(nombres.size()), Columnas);
    for (std::size_t c = 0; c < nombres.size(); ++c) {
        const auto desde = aportes.begin() + static_cast<std::ptrdiff_t>(inicio[c]);
        const auto hasta = aportes.begin() + static_cast<std::ptrdiff_t>(inicio[c + 1]);
        std::sort(desde, hasta, [](const Aporte& a, const Aporte& b) { return a.donde.orden < b.donde.orden; });
        for (auto a = desde; a != hasta; ++a)
            filas.row(static_cast<Eigen::Index>(c)) += factores[c][a->donde.orden] * *a->suma;
    }
    return filas;
}
