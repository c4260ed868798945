#include "wizard/asistente.h"

#include <QPointer>

#include "platform/mdi_forms.h"
#include "shell/frm_plantilla.h"
#include "shell/shell_hooks.h"
#include "templates/template_state.h"
#include "wizard/frm_analog.h"
#include "wizard/frm_base_modelo.h"
#include "wizard/frm_digital.h"
#include "wizard/frm_salva_plan.h"
#include "wizard/frm_trifasic.h"

namespace vesdra {

namespace {

template <typename Form> QPointer<Form>& Instancia()
{
    static QPointer<Form> form;
    return form;
}

// The loaded form: none once it is unloading.
template <typename Form> Form* Cargado()
{
    Form* f = Instancia<Form>().data();
    return f && !f->Descargado() ? f : nullptr;
}

template <typename Form> void Descargar()
{
    if (Form* f = Cargado<Form>())
        f->Descargar();
    Instancia<Form>() = nullptr;
}

template <typename Form> void MostrarDeNuevo()
{
    Descargar<Form>();
    auto* f = new Form;
    Instancia<Form>() = f;
    f->Form_Load();
    // A load that failed may have unloaded it already.
    if (Cargado<Form>() == f)
        MostrarFormAsistente(f);
}

template <typename Form> void Volver()
{
    if (Form* f = Cargado<Form>())
        MostrarFormAsistente(f);
}

} // namespace

frmAnalog* FormAnalog()
{
    return Cargado<frmAnalog>();
}

frmTrifasic* FormTrifasic()
{
    return Cargado<frmTrifasic>();
}

frmDigital* FormDigital()
{
    return Cargado<frmDigital>();
}

frmSalvaPlan* FormSalvaPlan()
{
    return Cargado<frmSalvaPlan>();
}

frmBaseModelo* FormBaseModelo()
{
    return Cargado<frmBaseModelo>();
}

void MostrarPaso1()
{
    MostrarDeNuevo<frmAnalog>();
}

void MostrarPaso2()
{
    MostrarDeNuevo<frmTrifasic>();
}

void MostrarPaso3()
{
    MostrarDeNuevo<frmDigital>();
}

void MostrarPaso4()
{
    MostrarDeNuevo<frmSalvaPlan>();
}

void MostrarBaseModelo()
{
    MostrarDeNuevo<frmBaseModelo>();
}

void VolverAPaso1()
{
    Volver<frmAnalog>();
}

void VolverAPaso2()
{
    Volver<frmTrifasic>();
}

void DescargarPaso1()
{
    Descargar<frmAnalog>();
}

void DescargarPaso2()
{
    Descargar<frmTrifasic>();
}

void VolverAPaso3()
{
    Volver<frmDigital>();
}

void DescargarPaso3()
{
    Descargar<frmDigital>();
}

void DescargarPaso4()
{
    Descargar<frmSalvaPlan>();
}

void DescargarBaseModelo()
{
    Descargar<frmBaseModelo>();
}

void DescargarPasos1a3()
{
    DescargarPaso1();
    DescargarPaso2();
    DescargarPaso3();
}

void DescargarAsistente()
{
    DescargarPasos1a3();
    DescargarPaso4();
    DescargarBaseModelo();
    // No step is left to go on with the pass.
    TerminarEdicionPlantilla();
}

PasosSiguientes& SiguientesPasos()
{
    static PasosSiguientes pasos;
    return pasos;
}

void MostrarFormAsistente(QWidget* form)
{
    if (!form)
        return;
    if (!MostrarEnSuMarco(form) && Hooks().MostrarVentana)
        Hooks().MostrarVentana(form);
}

void ConectarAsistente()
{
    AsistenteHooks& a = Asistente();
    a.MostrarPaso1 = [] { MostrarPaso1(); };
    a.Descargar = [] { DescargarAsistente(); };
    SiguientesPasos().MostrarPaso3 = [] { MostrarPaso3(); };
}

} // namespace vesdra
