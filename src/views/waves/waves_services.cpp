#include "views/waves/waves_services.h"

#include <QPointer>
#include <algorithm>

#include "platform/mdi_forms.h"
#include "shell/shell_state.h"
#include "views/waves/form_support.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/waves_state.h"

namespace vesdra
{

namespace
{

std::vector<QPointer<frmVerOndas>>& Registradas()
{
    static std::vector<QPointer<frmVerOndas>> ventanas;
    return ventanas;
}

} // namespace

namespace ondas
{

std::vector<frmVerOndas*> VentanasOndasAbiertas()
{
    std::vector<frmVerOndas*> vivas;
    for (const QPointer<frmVerOndas>& v : Registradas()) {
        if (v && !v->Descargada())
            vivas.push_back(v.data());
    }
    return vivas;
}

void RegistrarVentanaOndas(frmVerOndas* ventana)
{
    auto& r = Registradas();
    std::erase_if(r, [](const QPointer<frmVerOndas>& v) { return v.isNull(); });
    r.emplace_back(ventana);
}

void QuitarVentanaOndas(frmVerOndas* ventana)
{
    std::erase_if(Registradas(),
                  [ventana](const QPointer<frmVerOndas>& v) { return v.isNull() || v.data() == ventana; });
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
