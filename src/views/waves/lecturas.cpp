#include "views/waves/lecturas.h"

#include <cmath>

#include "platform/base/formats.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"

namespace vesdra
{

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

QString TextoLecturaBanda(const QString& nombre, float valor, const QString& unidad)
{
    return nombre + QStringLiteral(": ") + TextoValor(valor, unidad);
}

QString TextoDesplazado(const QString& completo, std::int32_t desde, std::int32_t longitudMaxima)
{
    if (desde < 0 || desde >= completo.size())
        return {};
    const std::int32_t cuantos = longitudMaxima - desde;
    if (cuantos <= 0)
        return {};
    return completo.mid(desde, cuantos);
}

} // namespace vesdra
