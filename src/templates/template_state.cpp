#include "templates/template_state.h"

#include <optional>
#include <utility>

#include "record/record_model.h"

namespace vesdra {

TemplateState& Plantillas()
{
    static TemplateState plantillas;
    return plantillas;
}

namespace {

struct InicioEdicion {
    TemplateState Plantillas;
    std::int32_t AnalogicosOfrecidos{0};
    std::int32_t DigitalesOfrecidos{0};
};

std::optional<InicioEdicion>& Inicio()
{
    static std::optional<InicioEdicion> inicio;
    return inicio;
}

} // namespace

void OlvidarIndiceModelos()
{
    TemplateState& p = Plantillas();
    p.IndiceModelos.reset();
    p.RutaIndiceLeido.clear();
}

void EmpezarEdicionPlantilla()
{
    RecordModel& r = Registro();
    std::optional<InicioEdicion>& inicio = Inicio();
    if (inicio) {
        // The pass goes on: step 3 offers the record's signals again, and
        // step 1 its rows unless a model's are still loaded.
        r.NumDigitalesOfrecidos = inicio->DigitalesOfrecidos;
        if (!Plantillas().ModeloCargado)
            r.NumAnalogicosOfrecidos = inicio->AnalogicosOfrecidos;
        inicio->Plantillas = Plantillas();
        return;
    }
    // A new pass reads the model index anew.
    OlvidarIndiceModelos();
    inicio = InicioEdicion{Plantillas(), r.NumAnalogicosOfrecidos, r.NumDigitalesOfrecidos};
}

bool EdicionEnCurso()
{
    return Inicio().has_value();
}

void TerminarEdicionPlantilla()
{
    std::optional<InicioEdicion>& inicio = Inicio();
    if (!inicio)
        return;
    RecordModel& r = Registro();
    r.NumAnalogicosOfrecidos = inicio->AnalogicosOfrecidos;
    r.NumDigitalesOfrecidos = inicio->DigitalesOfrecidos;
    inicio.reset();
    OlvidarIndiceModelos();
}

void DescartarEdicionPlantilla()
{
    std::optional<InicioEdicion>& inicio = Inicio();
    if (!inicio)
        return;
    TemplateState& p = Plantillas();
    TemplateState vuelta = std::move(inicio->Plantillas);
    // What the wizard never touches stays as it is now: the chosen path, the
    // applied template and its flags.
    const auto conservar = [&p, &vuelta](auto... campo) { ((vuelta.*campo = std::move(p.*campo)), ...); };
    conservar(&TemplateState::RutaPlantilla, &TemplateState::RutaPlantillaAplicada,
              &TemplateState::VersionPlantillaActiva, &TemplateState::NumCanalesTabla,
              &TemplateState::NumTrifasicos, &TemplateState::TablaTrifasicos,
              &TemplateState::NumMiembrosDigitales, &TemplateState::NumGruposDigitales,
              &TemplateState::TablaGruposDigitales, &TemplateState::TablaMiembrosDigitales,
              &TemplateState::PlantillaAplicada, &TemplateState::PlantillaNoEncaja);
    p = std::move(vuelta);
    RecordModel& r = Registro();
    r.NumAnalogicosOfrecidos = inicio->AnalogicosOfrecidos;
    r.NumDigitalesOfrecidos = inicio->DigitalesOfrecidos;
    inicio.reset();
    OlvidarIndiceModelos();
}

void OfrecerCanalesPlantilla()
{
    const RecordModel& r = Registro();
    TemplateState& p = Plantillas();
    // Another record: a wizard started before has nothing to go back to.
    Inicio().reset();
    OlvidarIndiceModelos();
    p.IdentificadorPlantilla = r.NombreEstacion;
    const std::int32_t n = r.NumAnalogicosOfrecidos;
    p.AnalogicosPlantilla.Resize(n, 4);
    for (std::int32_t i = 1; i <= n && i <= r.TablaCanales.Rows(); ++i)
        for (std::int32_t k = 1; k <= 4 && k <= r.TablaCanales.Cols(); ++k)
            p.AnalogicosPlantilla(i, k) = r.TablaCanales(i, k);
}

void CerrarPlantillas()
{
    Inicio().reset();
    TemplateState& p = Plantillas();
    // Everything starts afresh, so that no field is left out of the reset;
    // only the chosen template's path survives the record.
    TemplateState vacio;
    vacio.RutaPlantilla = std::move(p.RutaPlantilla);
    vacio.VersionPlantilla = QStringLiteral("0");
    vacio.IdentificadorPlantilla = QStringLiteral("0");
    p = std::move(vacio);
}

} // namespace vesdra
