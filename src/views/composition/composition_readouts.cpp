#include "views/composition/composition_readouts.h"

#include <algorithm>
#include <cmath>

#include "platform/base/formats.h"

namespace vesdra::composicion {

double EscalaComun(std::span<const Extremos> extremos, double alto)
{
    double m = 0;
    for (const Extremos& e : extremos)
        m = std::max({m, std::fabs(static_cast<double>(e.Maximo)), std::fabs(static_cast<double>(e.Minimo))});
    if (m == 0)
        m = alto / 2;
    if (m == 0)
        return 0; // a picture of no height has no scale
    return ((alto - 2 * alto / 50) / 2) / m;
}

QString TextoMuestra(std::int32_t muestra)
{
    return QStringLiteral(" No.: ") + QString::number(muestra);
}

std::optional<QString> TextoTiempo(std::int32_t cursor1, std::int32_t cursor2, std::int32_t frecuenciaMuestreo)
{
    if (frecuenciaMuestreo == 0)
        return std::nullopt;
    const float factor = 1000.0f / static_cast<float>(frecuenciaMuestreo);
    const auto distancia = static_cast<float>(std::abs(static_cast<std::int64_t>(cursor1) - cursor2));
    return Format(distancia * factor, "0.000") + QStringLiteral(" ms");
}

QString TextoValor(const QString& nombre, float valor, const QString& unidad)
{
    return nombre + QStringLiteral(": ") + Format(valor, "0.000") + QLatin1Char(' ') + unidad;
}

QString TextoDesplazado(const QString& completo, std::int32_t v, std::int32_t longitud)
{
    if (v < 0)
        v = 0;
    if (v >= completo.size())
        return {};
    return completo.mid(v, std::max(0, longitud - v));
}

} // namespace vesdra::composicion
