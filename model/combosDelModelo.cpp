#include "combosDelModelo.h"

void CombosDelModelo::reservar(std::size_t combos)
{
    nombres.reserve(combos);
    factores.reserve(combos);
}

std::size_t CombosDelModelo::agregarCombo(const std::string& combo)
{
    const auto [entrada, nuevo] = posicionDeCombo.try_emplace(combo, nombres.size());
    if (nuevo) {
        nombres.push_back(combo);
        factores.emplace_back();
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

    const auto [entrada, nuevo] = terminoDe.try_emplace({c, k}, factores[c].size());
    if (!nuevo) {
        factores[c][entrada->second] += factor;
        return;
    }
    factores[c].push_back(factor);
    menciones[k].push_back({c, entrada->second});
}

long CombosDelModelo::posicionDelCaso(const std::string& caso) const
{
    const auto encontrado = posicionDeCaso.find(caso);
    return encontrado == posicionDeCaso.end() ? -1 : static_cast<long>(encontrado->second);
}
