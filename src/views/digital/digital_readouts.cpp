#include "views/digital/digital_readouts.h"

#include "record/canales.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "templates/template_apply.h"
#include "views/waves/lecturas.h"

namespace vesdra::digital {

CanalAnalogico LeerCanalAnalogico(std::int32_t fila)
{
    const std::int32_t columna = ColumnaAnalogica(fila);
    return {columna, NombreCanal(fila), UnidadCanal(fila)};
}

QString TextoValorCursor(float valor, const QString& unidad)
{
    return TextoValor(valor, unidad);
}

QString TextoTiempoCursores(std::int32_t cursor1, std::int32_t cursor2, std::int32_t frecuenciaMuestreo)
{
    return TextoTiempoEntre(cursor1, cursor2, frecuenciaMuestreo);
}

QString TextoDesplazado(const QString& texto, std::int32_t p, std::int32_t largo)
{
    return vesdra::TextoDesplazado(texto, p, largo);
}

} // namespace vesdra::digital
