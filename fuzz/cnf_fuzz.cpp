// The .cnf reader on any file, with the fit check off and then on against
// an open record; a template read whole is then checked and applied.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "record/record_model.h"
#include "templates/template_apply.h"
#include "templates/template_file.h"
#include "templates/template_state.h"

using namespace vesdra;

namespace {

void Leer(const QString& ruta, bool comprobar)
{
    Plantillas() = TemplateState{};
    Registro() = RecordModel{};
    Registro().RegistroAbierto = comprobar;
    Registro().NumAnalogicos = 6;
    Registro().NumDigitales = 20;
    Plantillas().PlantillaAplicada = comprobar;
    Plantillas().RutaPlantilla = ruta;
    const ResultadoPlantilla res = LeerPlantilla();
    if (res.Estado != LecturaPlantilla::Leida)
        return;
    const TemplateState& p = Plantillas();
    fuzz::Exigir(p.NumAnalogicosPlantilla >= 0 && p.NumAnalogicosPlantilla <= p.AnalogicosPlantilla.Rows(),
                 "more analog rows counted than read");
    fuzz::Exigir(p.NumTrifasicosPlantilla >= 0 && p.NumTrifasicosPlantilla <= p.TrifasicosPlantilla.Rows(),
                 "more three-phase sets counted than read");
    fuzz::Exigir(p.NumGruposPlantilla >= 0 && p.NumGruposPlantilla <= p.GruposPlantilla.Rows(),
                 "more digital groups counted than read");
    (void)PlantillaEncaja();
    AplicarPlantilla();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const QString ruta =
        fuzz::Fichero(QStringLiteral("t.cnf"), std::string_view(reinterpret_cast<const char*>(data), size));
    Leer(ruta, false);
    Leer(ruta, true);
    return 0;
}
