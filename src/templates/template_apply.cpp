#include "templates/template_apply.h"

#include <algorithm>
#include <cmath>

#include "record/record_model.h"
#include "templates/template_file.h"
#include "templates/template_state.h"

namespace vesdra {

std::int32_t CanalTrifasico(std::int32_t set, std::int32_t phase)
{
    const Matrix<QString>& t = Plantillas().TablaTrifasicos;
    if (set < 1 || set > t.Rows() || phase < 1 || phase > 3 || phase > t.Cols())
        return 0;
    return EnteroCelda(t(set, phase)).value_or(0);
}

bool ComprobarEncajeActivo()
{
    const TemplateState& p = Plantillas();
    return !p.ModificandoPlantilla && Registro().RegistroAbierto && p.PlantillaAplicada;
}

bool CanalEnRango(QStringView cell, std::int32_t count)
{
    return ColumnaDeCanal(cell, count).has_value();
}

bool PlantillaEncaja()
{
    const TemplateState& p = Plantillas();
    const RecordModel& r = Registro();
    if (p.NumAnalogicosPlantilla > r.NumAnalogicos || p.NumAnalogicosPlantilla > p.AnalogicosPlantilla.Rows())
        return false;
    for (std::int32_t i = 1; i <= p.NumAnalogicosPlantilla; ++i)
        if (!CanalEnRango(p.AnalogicosPlantilla(i, 1), r.NumAnalogicos))
            return false;
    if (p.NumTrifasicosPlantilla > p.TrifasicosPlantilla.Rows() ||
        (p.NumTrifasicosPlantilla > 0 && p.TrifasicosPlantilla.Cols() < 3))
        return false;
    for (std::int32_t s = 1; s <= p.NumTrifasicosPlantilla; ++s)
        for (std::int32_t k = 1; k <= 3; ++k)
            if (!CanalEnRango(p.TrifasicosPlantilla(s, k), r.NumAnalogicos))
                return false;
    if (p.NumGruposPlantilla > p.GruposPlantilla.Rows())
        return false;
    std::int64_t members = 0;
    for (std::int32_t g = 1; g <= p.NumGruposPlantilla; ++g) {
        const auto k = EnteroCelda(p.GruposPlantilla(g, 2));
        if (!k || *k < 0)
            return false;
        members += *k;
    }
    if (members > p.MiembrosPlantilla.Rows())
        return false;
    for (std::int32_t j = 1; j <= members; ++j)
        if (!CanalEnRango(p.MiembrosPlantilla(j, 1), r.NumDigitales))
            return false;
    return true;
}

namespace {

// The applied count: the loaded one, never more than the rows copied.
std::int32_t Cuenta(std::int32_t count, const Matrix<QString>& table)
{
    return std::clamp(count, 0, table.Rows());
}

} // namespace

void AplicarPlantilla()
{
    TemplateState& p = Plantillas();
    RecordModel& r = Registro();
    p.VersionPlantillaActiva = p.VersionPlantilla;
    p.RutaPlantillaAplicada = p.RutaPlantilla;
    r.NombreEstacion = p.IdentificadorPlantilla;
    r.TablaCanales = p.AnalogicosPlantilla;
    p.NumCanalesTabla = Cuenta(p.NumAnalogicosPlantilla, r.TablaCanales);
    p.TablaTrifasicos = p.TrifasicosPlantilla;
    p.NumTrifasicos = Cuenta(p.NumTrifasicosPlantilla, p.TablaTrifasicos);
    p.TablaGruposDigitales = p.GruposPlantilla;
    p.TablaMiembrosDigitales = p.MiembrosPlantilla;
    p.NumGruposDigitales = Cuenta(p.NumGruposPlantilla, p.TablaGruposDigitales);
    p.NumMiembrosDigitales = Cuenta(p.NumMiembrosPlantilla, p.TablaMiembrosDigitales);
}

ResultadoPlantilla AplicarFicheroPlantilla()
{
    TemplateState& p = Plantillas();
    const TemplateState antes = p;
    // The fit is checked against the open record while a template is being
    // applied; sections absent from the file leave no rows of an earlier one.
    p.PlantillaAplicada = true;
    p.AnalogicosPlantilla.Clear();
    p.NumAnalogicosPlantilla = 0;
    p.MiembrosPlantilla.Clear();
    p.NumMiembrosPlantilla = 0;
    p.TrifasicosPlantilla.Clear();
    p.NumTrifasicosPlantilla = 0;
    const ResultadoPlantilla leida = LeerPlantilla();
    if (leida.Estado != LecturaPlantilla::Leida) {
        p = antes;
        return leida;
    }
    AplicarPlantilla();
    return leida;
}

} // namespace vesdra
