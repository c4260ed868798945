#include "templates/template_state.h"

#include <memory>
#include <utility>

#include "record/record_model.h"

namespace vesdra {

TemplateState& Plantillas()
{
    static TemplateState plantillas;
    return plantillas;
}

void OlvidarIndiceModelos()
{
    TemplateState& p = Plantillas();
    p.IndiceModelos.reset();
    p.RutaIndiceLeido.clear();
}

void EmpezarEdicionPlantilla()
{
    // A pass never goes on from another one.
    TerminarEdicionPlantilla();
    TemplateState& p = Plantillas();
    p.ModeloCargado = false;
    p.EstadosModelo.Clear();
    p.GruposEditados = false;
    p.VueltaAtras = false;
    p.ConjuntosEdicion.Clear();
    // A new pass reads the model index anew, and only if it needs it.
    OlvidarIndiceModelos();
    const RecordModel& r = Registro();
    p.Edicion = std::make_shared<const InicioEdicion>(
        InicioEdicion{p, r.NumAnalogicosOfrecidos, r.NumDigitalesOfrecidos});
}

bool EdicionEnCurso()
{
    return Plantillas().Edicion != nullptr;
}

void TerminarEdicionPlantilla()
{
    TemplateState& p = Plantillas();
    // The note outlives the state it is put back into.
    const std::shared_ptr<const InicioEdicion> inicio = p.Edicion;
    if (!inicio)
        return;
    TemplateState vuelta = inicio->Plantillas;
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
    OlvidarIndiceModelos();
}

void OfrecerCanalesPlantilla()
{
    const RecordModel& r = Registro();
    TemplateState& p = Plantillas();
    // Another record: a wizard started before has nothing to go back to.
    p.Edicion.reset();
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
