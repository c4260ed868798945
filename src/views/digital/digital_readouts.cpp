#include "views/digital/digital_readouts.h"

#include <cstdlib>

#include "platform/base/formats.h"
#include "platform/base/vb_error.h"
#include "record/canales.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "templates/template_apply.h"

namespace vesdra::digital {

CanalAnalogico LeerCanalAnalogico(std::int32_t fila)
{
    const std::int32_t columna = ColumnaAnalogica(fila);
    const Matrix<QString>& t = Registro().TablaCanales;
    return {columna, NombreCanal(fila), t.Cols() >= 4 ? t(fila, 4) : QString()};
}

QString TextoValorCursor(float valor, const QString& unidad)
{
    return Format(valor, "0.000") + QLatin1Char(' ') + unidad;
}

QString TextoTiempoCursores(std::int32_t cursor1, std::int32_t cursor2, std::int32_t frecuenciaMuestreo)
{
    if (frecuenciaMuestreo == 0)
        throw VbError(vberr::DivisionByZero);
    const auto msPorMuestra = static_cast<float>(1000.0 / frecuenciaMuestreo);
    const std::int64_t d = std::llabs(static_cast<std::int64_t>(cursor1) - cursor2);
    return Format(static_cast<float>(static_cast<float>(d) * msPorMuestra), "0.000") + QStringLiteral(" ms");
}

QString TextoDesplazado(const QString& texto, std::int32_t p, std::int32_t largo)
{
    if (p < 0)
        p = 0;
    if (p >= texto.size() || largo - p <= 0)
        return {};
    return texto.mid(p, largo - p);
}

} // namespace vesdra::digital
