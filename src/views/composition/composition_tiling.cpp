#include "views/composition/composition_tiling.h"

namespace vesdra::composicion {

std::vector<TeselaVentana> Teselar(const std::array<bool, 4>& enUso, double alto, double ancho)
{
    std::vector<TeselaVentana> filas;
    for (std::int32_t n = 1; n <= 3; ++n) {
        if (enUso[static_cast<std::size_t>(n)])
            filas.push_back(TeselaVentana{n, 0, 0, ancho, 0, 0});
    }
    const double alturaFila = filas.empty() ? 0 : alto / static_cast<double>(filas.size());
    double top = 0;
    std::int32_t texto = 65;
    for (TeselaVentana& f : filas) {
        f.Top = top;
        f.Height = alturaFila;
        f.TextoTitulo = texto++;
        top += alturaFila;
    }
    return filas;
}

} // namespace vesdra::composicion
