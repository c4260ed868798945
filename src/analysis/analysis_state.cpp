#include "analysis/analysis_state.h"

namespace vesdra {

AnalysisState& Analisis()
{
    static AnalysisState state;
    return state;
}

std::int32_t Elegido(const std::vector<std::int32_t>& seleccion, std::int32_t g)
{
    if (g < 0 || static_cast<size_t>(g) >= seleccion.size())
        return 0;
    return seleccion[static_cast<size_t>(g)];
}

std::vector<std::int32_t> SetsElegidos(const std::vector<std::int32_t>& seleccion, std::int32_t numTrifasicos,
                                       std::size_t maximo)
{
    std::vector<std::int32_t> sets;
    for (std::int32_t g = 1; g <= numTrifasicos && sets.size() < maximo; ++g) {
        if (Elegido(seleccion, g) == 1)
            sets.push_back(g);
    }
    return sets;
}

void ReiniciarSeleccionesFasores()
{
    AnalysisState& a = Analisis();
    a.SeleccionFases.clear();
    a.SeleccionSecuencias.clear();
    a.ModoVistas = 0;
    a.FasesCerrada = false;
    a.SecuenciasCerrada = false;
}

} // namespace vesdra
