#include "views/composition/composition_services.h"

#include "platform/form_registry.h"
#include "platform/mdi_forms.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "views/composition/composition_state.h"
#include "views/composition/frm_new_companalog.h"
#include "views/composition/frm_ver_cmpang.h"

namespace vesdra {

namespace {
RegistroVentanas<frmVerCmpang>& VentanasRegistradas()
{
    static RegistroVentanas<frmVerCmpang> ventanas;
    return ventanas;
}
} // namespace

namespace composicion {

std::vector<frmVerCmpang*> VentanasAbiertas()
{
    return VentanasRegistradas().Vivas();
}

void RegistrarVentana(frmVerCmpang* ventana)
{
    VentanasRegistradas().Registrar(ventana);
}

void QuitarVentana(frmVerCmpang* ventana)
{
    VentanasRegistradas().Quitar(ventana);
}

} // namespace composicion

void AbrirComposicion()
{
    DescargarNewCompanalog();
    NewCompanalog().Mostrar();
}

void CerrarVentanasComposicion()
{
    for (frmVerCmpang* v : composicion::VentanasAbiertas())
        CerrarFormulario(v);
}

void ReiniciarComposiciones()
{
    ComposicionState& st = Composiciones();
    st.SeleccionComposicion.Clear();
    st.VentanasComposicion = {};
    st.NumVentanasComposicion = 0;
    st.ComposicionesListas = false;
    st.MinimosValores.Clear();
    st.MaximosValores.Clear();
}

void LadoCambiadoComposicion()
{
    ComposicionState& st = Composiciones();
    if (!st.ComposicionesListas)
        return;
    const RecordModel& r = Registro();
    MaxMinCanales(r.Valores);
    st.MinimosValores = r.MinimosCanal;
    st.MaximosValores = r.MaximosCanal;
    for (frmVerCmpang* v : composicion::VentanasAbiertas())
        v->LadoCambiado();
}

void DescargarComposiciones()
{
    DescargarNewCompanalog();
    CerrarVentanasComposicion();
}

} // namespace vesdra
