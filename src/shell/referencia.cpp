#include "shell/referencia.h"

#include "record/record_model.h"
#include "shell/shell_state.h"

namespace vesdra {

void ElegirReferencia(bool primario)
{
    RecordModel& r = Registro();
    if (r.AnioRevision != QLatin1String("1997"))
        return;
    const Matrix<float>& lado = primario ? r.ValoresPrimario : r.ValoresSecundario;
    if (!(r.Valores == lado)) {
        r.Valores = lado;
        r.Tablas.Valores = primario ? r.Tablas.Primario : r.Tablas.Secundario;
        r.FasoresCalculados = false;
    }
    Shell().UsaPrimario = primario;
    Shell().UsaSecundario = !primario;
}

bool SecundarioEnVigor()
{
    const RecordModel& r = Registro();
    // The flags are cleared when a window closes while Valores keeps its
    // side, so the values themselves tell.
    if (!r.Es1997() || r.ValoresSecundario.Rows() == 0)
        return false;
    return r.Valores == r.ValoresSecundario && !(r.Valores == r.ValoresPrimario);
}

} // namespace vesdra
