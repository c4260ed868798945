#include "shell/referencia.h"

#include "record/record_model.h"
#include "shell/view_services.h"

namespace vesdra {

void ElegirReferencia(bool primario)
{
    RecordModel& r = Registro();
    if (!r.Es1997())
        return;
    if (ElegirLado(r, primario ? Lado::Primario : Lado::Secundario))
        LadoCambiadoVistas();
}

bool SecundarioEnVigor()
{
    const RecordModel& r = Registro();
    return r.Es1997() && r.LadoEnVigor == Lado::Secundario;
}

} // namespace vesdra
