#include "combosDelModelo.h"

std::size_t CombosDelModelo::agregarCombo(const std::string& combo)
{
    const auto [entrada, nuevo] = posicionDeCombo.try_emplace(combo, nombres.size());
    if (nuevo) {
        nombres.push_back(combo);
        terminos.emplace_back();
    }
    return entrada->second;
}

void CombosDelModelo::agregarPar(const std::string& combo, double factor, const std::string& caso)
{
    const std::size_t c = agregarCombo(combo);
    const auto [entradaCaso, casoNuevo] = posicionDeCaso.try_emplace(caso, menciones.size());
    if (casoNuevo)
        menciones.emplace_back();
    const std::size_t k = entradaCaso->second;

    const auto [entrada, nuevo] = terminoDe.try_emplace({c, k}, terminos[c].size());
    if (!nuevo) {
        terminos[c][entrada->second].factor += factor;
        return;
    }
    terminos[c].push_back({k, factor});
    menciones[k].push_back({c, entrada->second});
}

// Rows of one case usually come together (one file row gives many): a row of the same
// case as the row before is not looked up again.
std::vector<long> CombosDelModelo::casosDeLasFilas(const std::vector<std::string>& casos) const
{
    std::vector<long> posiciones(casos.size(), -1);
    for (std::size_t i = 0; i < casos.size(); ++i) {
        if (i > 0 && casos[i] == casos[i - 1]) {
            posiciones[i] = posiciones[i - 1];
            continue;
        }
        const auto caso = posicionDeCaso.find(casos[i]);
        if (caso != posicionDeCaso.end())
            posiciones[i] = static_cast<long>(caso->second);
    }
    return posiciones;
}
