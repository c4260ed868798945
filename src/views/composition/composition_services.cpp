#include "views/composition/composition_services.h"

#include <QPointer>
#include <algorithm>

#include "platform/mdi_forms.h"
#include "views/composition/composition_state.h"
#include "views/composition/frm_new_companalog.h"
#include "views/composition/frm_ver_cmpang.h"

namespace vesdra {

namespace {
std::vector<QPointer<frmVerCmpang>>& VentanasRegistradas()
{
    static std::vector<QPointer<frmVerCmpang>> ventanas;
    return ventanas;
}
} // namespace

namespace composicion {

std::vector<frmVerCmpang*> VentanasAbiertas()
{
    std::vector<frmVerCmpang*> vivas;
    for (const QPointer<frmVerCmpang>& v : VentanasRegistradas()) {
        if (v)
            vivas.push_back(v.data());
    }
    return vivas;
}

void RegistrarVentana(frmVerCmpang* ventana)
{
    auto& r = VentanasRegistradas();
    std::erase_if(r, [](const QPointer<frmVerCmpang>& v) { return v.isNull(); });
    r.emplace_back(ventana);
}

void QuitarVentana(frmVerCmpang* ventana)
{
    std::erase_if(VentanasRegistradas(), [ventana](const QPointer<frmVerCmpang>& v) { return v.isNull() || v == ventana; });
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

void DescargarComposiciones()
{
    DescargarNewCompanalog();
    CerrarVentanasComposicion();
}

} // namespace vesdra
