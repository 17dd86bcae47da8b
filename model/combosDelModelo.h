#pragma once

#include <algorithm>
#include <initializer_list>
#include <map>
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
    struct Termino {     // a case of a combination
        std::size_t caso;
        double factor;   // the sum of the factors the combination gives the case
    };
    struct Mencion {     // a combination that names a case
        std::size_t combo;
        std::size_t orden;   // the case's position among the combination's cases
    };

    // The case of each row of a table, -1 where no combination names the case.
    std::vector<long> casosDeLasFilas(const std::vector<std::string>& casos) const;

    std::vector<std::string> nombres;                      // combination names
    std::map<std::string, std::size_t> posicionDeCombo;    // name -> position in nombres
    std::map<std::string, std::size_t> posicionDeCaso;     // case name -> position in menciones
    std::vector<std::vector<Termino>> terminos;            // per combination, its cases
    std::vector<std::vector<Mencion>> menciones;           // per case, the combinations naming it
    std::map<std::pair<std::size_t, std::size_t>, std::size_t> terminoDe;   // (combination, case) -> orden
};

template <int Columnas>
Eigen::MatrixXd CombosDelModelo::filasDe(std::initializer_list<TablaDeCargas> tablas) const
{
    using Fila = Eigen::Matrix<double, 1, Columnas>;
    std::map<std::size_t, Fila> sumas;   // case -> the element's sum of its rows
    for (const TablaDeCargas& tabla : tablas) {
        const std::vector<long> casos = casosDeLasFilas(tabla.casos);
        for (std::size_t i = 0; i < casos.size(); ++i)
            if (casos[i] >= 0)
                sumas.try_emplace(static_cast<std::size_t>(casos[i]), Fila::Zero()).first->second
                    += tabla.filas.row(static_cast<Eigen::Index>(i));
    }

    struct Aporte {
        Mencion donde;
        const Fila* suma;
    };
    std::vector<Aporte> aportes;
    for (const auto& [caso, suma] : sumas)
        for (const Mencion& m : menciones[caso])
            aportes.push_back({m, &suma});
    // Rows are independent: only within a row does the order of the additions matter.
    std::sort(aportes.begin(), aportes.end(), [](const Aporte& a, const Aporte& b) {
        return std::make_pair(a.donde.combo, a.donde.orden) < std::make_pair(b.donde.combo, b.donde.orden);
    });

    Eigen::MatrixXd filas = Eigen::MatrixXd::Zero(static_cast<Eigen::Index>(nombres.size()), Columnas);
    for (const Aporte& a : aportes)
        filas.row(static_cast<Eigen::Index>(a.donde.combo)) += terminos[a.donde.combo][a.donde.orden].factor * *a.suma;
    return filas;
}
