#include "views/waves/lecturas.h"

#include <algorithm>
#include <cmath>

#include "platform/base/formats.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"

namespace vesdra {

QString TextoNumeroMuestra(double muestra)
{
    return QStringLiteral("No.= ") + QString::number(CInt(muestra));
}

QString TextoValor(float valor, const QString& unidad)
{
    return Format(valor, "0.000") + QLatin1Char(' ') + unidad;
}

QString TextoDiferenciaValores(float a, float b, const QString& unidad)
{
    return TextoValor(std::fabs(a - b), unidad);
}

QString TextoTiempoEntre(double muestra1, double muestra2, std::int32_t frecuenciaMuestreo)
{
    if (frecuenciaMuestreo == 0)
        throw VbError(vberr::DivisionByZero);
    const float f = 1000.0f / static_cast<float>(frecuenciaMuestreo);
    const float d = static_cast<float>(std::fabs(muestra1 - muestra2));
    return Format(d * f, "0.000") + QStringLiteral(" ms");
}

TextosMaximosOnda TextosMaximos(std::int32_t n, float minimo, float maximo, const QString& unidad,
                                std::int32_t frecuenciaMuestreo)
{
    TextosMaximosOnda t;
    t.Numero = {TextoNumeroMuestra(std::max(n, 1))};
    t.Valor = {TextoValor(minimo, unidad), TextoValor(maximo, unidad)};
    // A rate of 0 gives no time at all (the cursor moves then report it).
    t.Tiempo = {frecuenciaMuestreo != 0 ? TextoTiempoEntre(1, std::max(n, 1), frecuenciaMuestreo)
                                        : QStringLiteral("0.000 ms"),
                TextoDiferenciaValores(minimo, maximo, unidad)};
    return t;
}

QString TextoLecturaBanda(const QString& nombre, float valor, const QString& unidad)
{
    return nombre + QStringLiteral(": ") + TextoValor(valor, unidad);
}

QString TextoDesplazado(const QString& completo, std::int32_t desde, std::int32_t longitudMaxima)
{
    desde = std::max(desde, 0);
    if (desde >= completo.size())
        return {};
    const std::int32_t cuantos = longitudMaxima - desde;
    if (cuantos <= 0)
        return {};
    return completo.mid(desde, cuantos);
}

} // namespace vesdra
