#include "record/canales.h"

#include <cmath>

#include "platform/base/vb_error.h"
#include "record/record_model.h"

namespace vesdra {

std::optional<std::int32_t> EnteroCelda(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    const double r = std::nearbyint(v); // the default rounding mode: halves to even
    if (r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

std::optional<std::int32_t> ColumnaDeCanal(QStringView numero, std::int32_t columnas)
{
    const std::optional<std::int32_t> n = EnteroCelda(numero);
    return n ? ColumnaDeCanal(*n, columnas) : std::nullopt;
}

std::optional<std::int32_t> ColumnaDeCanal(std::int32_t numero, std::int32_t columnas)
{
    if (numero < 1 || numero > columnas)
        return std::nullopt;
    return numero;
}

std::int32_t ColumnaDeCanalOError(QStringView numero, std::int32_t columnas)
{
    const std::optional<std::int32_t> n = EnteroCelda(numero);
    if (!n)
        throw VbError(vberr::TypeMismatch);
    const std::optional<std::int32_t> c = ColumnaDeCanal(*n, columnas);
    if (!c)
        throw VbError(vberr::SubscriptOutOfRange);
    return *c;
}

std::int32_t ColumnaAnalogica(std::int32_t fila)
{
    const RecordModel& r = Registro();
    const Matrix<QString>& t = r.TablaCanales;
    if (fila < 1 || fila > t.Rows() || t.Cols() < 1)
        throw VbError(vberr::SubscriptOutOfRange);
    return ColumnaDeCanalOError(t(fila, 1), r.Valores.Cols());
}

std::optional<std::int32_t> ColumnaAnalogicaSiHay(std::int32_t fila)
{
    const RecordModel& r = Registro();
    const Matrix<QString>& t = r.TablaCanales;
    if (fila < 1 || fila > t.Rows() || t.Cols() < 1)
        return std::nullopt;
    return ColumnaDeCanal(t(fila, 1), r.Valores.Cols());
}

std::int32_t ColumnaDigital(std::int32_t numero)
{
    const std::optional<std::int32_t> c = ColumnaDeCanal(numero, Registro().EstadosDigitales.Cols());
    if (!c)
        throw VbError(vberr::SubscriptOutOfRange);
    return *c;
}

} // namespace vesdra
