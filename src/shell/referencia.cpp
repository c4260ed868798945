#include "shell/referencia.h"

#include "record/record_model.h"
#include "shell/shell_state.h"

namespace vesdra {

void ElegirReferencia(bool primario)
{
    RecordModel& r = Registro();
    if (!r.Es1997())
        return;
    (void)ElegirLado(r, primario ? Lado::Primario : Lado::Secundario);
    Shell().UsaPrimario = primario;
    Shell().UsaSecundario = !primario;
}

bool SecundarioEnVigor()
{
    const RecordModel& r = Registro();
    return r.Es1997() && r.LadoEnVigor == Lado::Secundario;
}

} // namespace vesdra
