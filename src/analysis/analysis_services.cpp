#include "analysis/analysis_services.h"

#include "analysis/analysis_state.h"
#include "analysis/frm_fasecuencias.h"
#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "shell/shell_hooks.h"

namespace vesdra {

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
