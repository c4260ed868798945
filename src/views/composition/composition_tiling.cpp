#include "views/composition/composition_tiling.h"

#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"

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

std::int32_t MuestrasPorCiclo(std::int32_t frecuenciaMuestreo, std::int32_t frecuenciaLinea)
{
    if (frecuenciaLinea == 0)
        throw VbError(vberr::DivisionByZero);
    const std::int32_t p = CInt(static_cast<double>(frecuenciaMuestreo) / frecuenciaLinea);
    return p == 0 ? 1 : p;
}

} // namespace vesdra::composicion
