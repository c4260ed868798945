#include "analysis/phasor_selection.h"

namespace vesdra {

DecisionSeleccion DecidirSeleccion(std::span<const bool> fases, std::span<const bool> secuencias,
                                   std::int32_t numTrifasicos)
{
    DecisionSeleccion d;
    const std::int32_t n = numTrifasicos < 0 ? 0 : numTrifasicos;
    d.SeleccionFases.assign(static_cast<size_t>(n) + 1, 0);
    d.SeleccionSecuencias.assign(static_cast<size_t>(n) + 1, 0);
    for (std::int32_t g = 1; g <= n; ++g) {
        const auto i = static_cast<size_t>(g - 1);
        if (i < fases.size() && fases[i]) {
            ++d.SeleccionFases[0];
            d.SeleccionFases[static_cast<size_t>(g)] = 1;
        }
        if (i < secuencias.size() && secuencias[i]) {
            ++d.SeleccionSecuencias[0];
            d.SeleccionSecuencias[static_cast<size_t>(g)] = 1;
        }
    }
    const std::int32_t nf = d.SeleccionFases[0];
    const std::int32_t ns = d.SeleccionSecuencias[0];
    if (nf > 2 || ns > 2) {
        d.Texto = 81;
    } else if (n == 0) {
        d.Texto = 247;
        d.Descargar = true;
    } else if (nf == 0 && ns == 0) {
        d.Texto = 82;
    } else {
        d.Descargar = true;
        d.AbrirFases = nf > 0;
        d.AbrirSecuencias = ns > 0;
        d.ModoVistas = d.AbrirFases && d.AbrirSecuencias ? 2 : 1;
    }
    return d;
}

} // namespace vesdra
