#include "views/waves/waves_services.h"

#include <algorithm>

#include "platform/base/vb_error.h"
#include "platform/form_registry.h"
#include "platform/mdi_forms.h"
#include "shell/shell_state.h"
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
    std::vector<int> propios;
    for (const frmVerOndas* v : ventanas)
        propios.push_back(v->PixelesPropios());
    const int tesela = PixelesTesela(propios);
    for (frmVerOndas* v : ventanas) {
        if (v->PixelesPropios() <= 0 || v->PixelesLecturas() == tesela)
            continue;
        try {
            v->DisponerLecturas(tesela);
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

void ReiniciarOndas()
{
    Shell().UsaPrimario = false;
    Shell().UsaSecundario = false;
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
