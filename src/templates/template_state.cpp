#include "templates/template_state.h"

#include "record/progress_hook.h"
#include "record/record_model.h"

namespace vesdra
{

TemplateState& Plantillas()
{
    static TemplateState plantillas;
    return plantillas;
}

void OfrecerCanalesPlantilla()
{
    const RecordModel& r = Registro();
    TemplateState& p = Plantillas();
    p.IdentificadorPlantilla = r.NombreEstacion;
    const std::int32_t n = r.NumAnalogicosOfrecidos;
    p.AnalogicosPlantilla.Resize(n, 4);
    for (std::int32_t i = 1; i <= n && i <= r.TablaCanales.Rows(); ++i)
        for (std::int32_t k = 1; k <= 4 && k <= r.TablaCanales.Cols(); ++k)
            p.AnalogicosPlantilla(i, k) = r.TablaCanales(i, k);
}

void ConectarPlantillasConRegistro()
{
    ProgresoRegistro().CfgLeido = [] { OfrecerCanalesPlantilla(); };
}

void CerrarPlantillas()
{
    TemplateState& p = Plantillas();
    p.AnalogicosPlantilla.Clear();
    p.TrifasicosPlantilla.Clear();
    p.GruposPlantilla.Clear();
    p.MiembrosPlantilla.Clear();
    p.NumAnalogicosPlantilla = 0;
    p.NumTrifasicosPlantilla = 0;
    p.NumGruposPlantilla = 0;
    p.NumMiembrosPlantilla = 0;
    p.VersionPlantilla = QStringLiteral("0");
    p.IdentificadorPlantilla = QStringLiteral("0");

    p.TablaTrifasicos.Clear();
    p.TablaGruposDigitales.Clear();
    p.TablaMiembrosDigitales.Clear();
    p.NumCanalesTabla = 0;
    p.NumTrifasicos = 0;
    p.NumGruposDigitales = 0;
    p.NumMiembrosDigitales = 0;
    p.VersionPlantillaActiva.clear();
    p.RutaPlantillaAplicada.clear();
    p.PlantillaAplicada = false;
    p.PlantillaNoEncaja = false;
    p.ModificandoPlantilla = false;
    p.ModeloCargado = false;

    p.GruposEdicion.Clear();
    p.CanalesEdicion.Clear();
    p.EstadosModelo.Clear();
    p.PlantillaNueva = false;
    p.AsistenteAbortado = false;
    p.VueltaAtras = false;
    p.GruposEditados = false;
    p.NombreRegistroGuardado.clear();
}

} // namespace vesdra
