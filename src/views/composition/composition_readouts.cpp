#include "views/composition/composition_readouts.h"

#include <algorithm>
#include <cmath>

#include "views/waves/lecturas.h"

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

std::optional<QString> TextoTiempo(std::int32_t cursor1, std::int32_t cursor2,
                                   std::int32_t frecuenciaMuestreo)
{
    if (frecuenciaMuestreo == 0)
        return std::nullopt;
    return TextoTiempoEntre(cursor1, cursor2, frecuenciaMuestreo);
}

QString TextoValor(const QString& nombre, float valor, const QString& unidad)
{
    return TextoLecturaBanda(nombre, valor, unidad);
}

QString TextoDesplazado(const QString& completo, std::int32_t v, std::int32_t longitud)
{
    return vesdra::TextoDesplazado(completo, v, longitud);
}

} // namespace vesdra::composicion
