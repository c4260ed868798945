#include "views/waves/waves_services.h"

#include <algorithm>

#include "platform/base/vb_error.h"
#include "platform/form_registry.h"
#include "platform/mdi_forms.h"
#include "views/waves/form_support.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/waves_fit.h"
#include "views/waves/waves_state.h"

namespace vesdra {

namespace {

RegistroVentanas<frmVerOndas>& Registradas()
{
    static RegistroVentanas<frmVerOndas> ventanas;
    return ventanas;
}

} // namespace

namespace ondas {

std::vector<frmVerOndas*> VentanasOndasAbiertas()
{
    std::vector<frmVerOndas*> vivas = Registradas().Vivas();
    std::erase_if(vivas, [](const frmVerOndas* v) { return v->Descargada(); });
    return vivas;
}

void RegistrarVentanaOndas(frmVerOndas* ventana)
{
    Registradas().Registrar(ventana);
}

void QuitarVentanaOndas(frmVerOndas* ventana)
{
    Registradas().Quitar(ventana);
}

void IgualarLecturasTesela()
{
    const std::vector<frmVerOndas*> ventanas = VentanasOndasAbiertas();
    // A window maximised out of the tile is a tile of its own: it reads at
    // its own size, and the others keep theirs without it.
    const auto enTesela = [](const frmVerOndas* v) { return !MarcoFormulario(*v)->isMaximized(); };
    std::vector<int> propios;
    for (const frmVerOndas* v : ventanas)
        if (enTesela(v))
            propios.push_back(v->PixelesPropios());
    const int tesela = PixelesTesela(propios);
    for (frmVerOndas* v : ventanas) {
        const int objetivo = enTesela(v) ? tesela : v->PixelesPropios();
        if (v->PixelesPropios() <= 0 || v->PixelesLecturas() == objetivo)
            continue;
        try {
            v->DisponerLecturas(objetivo);
        } catch (const VbError&) {
            // A window that cannot measure its channel now (its record gone)
            // keeps the boxes it has; its own handlers report the fault.
        }
    }
}

} // namespace ondas

void AbrirDialogoOndas()
{
    DescargarNewOndas();
    frmNewOndas& dialogo = NewOndas();
    ondas::VolverAMostrar(&dialogo);
}

void CerrarVentanasOndas()
{
    // Each window's own unload counts the windows down and, at the last one,
    // brings the menu form back.
    for (frmVerOndas* v : ondas::VentanasOndasAbiertas())
        CerrarFormulario(v);
}

void CerrarVistaTodo()
{
    DescargarTodoAnalog();
}

void LadoCambiadoOndas()
{
    for (frmVerOndas* v : ondas::VentanasOndasAbiertas())
        v->LadoCambiado();
    if (frmTodoanalog* vista = TodoAnalog())
        vista->LadoCambiado();
}

void ReiniciarOndas()
{
    OndasState& st = Ondas();
    st.CanalesVisibles.Clear();
    st.VentanasOndas.Clear();
    st.NumVentanasOndas = 0;
    st.ContadorCanal = 0;
    st.EscalaXImpresion = 0.0f;
}

void DescargarOndas()
{
    DescargarNewOndas();
    CerrarVentanasOndas();
    DescargarTodoAnalog();
}

} // namespace vesdra
