#include "analysis/analysis_services.h"

#include "analysis/analysis_state.h"
#include "analysis/dft.h"
#include "analysis/frm_fasecuencias.h"
#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "platform/base/vb_error.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/shell_hooks.h"
#include "templates/template_file.h"
#include "templates/template_state.h"

namespace vesdra {

void AbrirFasores()
{
    try {
        RecordModel& reg = Registro();
        if (!reg.RegistroAbierto) {
            MsgBox(TextosIdioma(91), vbCritical);
            return;
        }
        if (MuestrasPorCicloDft(FrecuenciaMuestreo(), reg.FrecuenciaLinea) == 0) {
            MsgBox(TextosIdioma(283), vbInformation);
            return;
        }
        const TemplateState& t = Plantillas();
        if (t.PlantillaAplicada && t.PlantillaNoEncaja) {
            MsgBox(TextosIdioma(246), vbCritical);
            return;
        }
        if (LeerVersionPlantilla() == QLatin1String("ver 1.0")) {
            MsgBox(TextosIdioma(172), vbCritical);
            return;
        }
        if (!reg.FasoresCalculados) {
            MousePointerGuard puntero(vbHourglass);
            CalcularFasores();
            // Only a complete table marks the record: the views never read
            // a table that is not this record's.
            reg.FasoresCalculados = true;
        }
        MostrarFasecuencias();
    } catch (const VbError& e) {
        SetMousePointer(vbDefault);
        ShowErrorBox(e);
    }
}

void CerrarRegistroFasores()
{
    ReiniciarSeleccionesFasores();
}

namespace {

// Tag "1" unloads the phasor view first, Tag "2" the sequence view; the
// other one goes too when both were opened together.
void CerrarPar(bool fasesPrimero)
{
    // The pair as it was opened: the close command may have reset ModoVistas
    // while the views stayed open.
    const VistaFasorial* vista = fasesPrimero ? static_cast<VistaFasorial*>(Fases()) : Secuencias();
    const bool ambas = vista ? vista->ModoVistas() == 2 : Analisis().ModoVistas == 2;
    if (fasesPrimero) {
        DescargarFases();
        if (ambas)
            DescargarSecuencias();
    } else {
        DescargarSecuencias();
        if (ambas)
            DescargarFases();
    }
    Hooks().MostrarMenu();
}

} // namespace

void CerrarVistaFasesBoton()
{
    CerrarPar(true);
}

void CerrarVistaSecuenciasBoton()
{
    CerrarPar(false);
}

void DescargarFormulariosFasores()
{
    DescargarFases();
    DescargarFasecuencias();
    DescargarSecuencias();
}

} // namespace vesdra
