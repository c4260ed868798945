#include "views/composition/composition_build.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <exception>
#include <new>

#include "platform/base/numeric.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/referencia.h"
#include "shell/shell_hooks.h"
#include "shell/view_sizes.h"
#include "views/composition/composition_services.h"
#include "views/composition/composition_state.h"
#include "views/composition/composition_tiling.h"
#include "views/composition/frm_new_companalog.h"
#include "views/composition/frm_ver_cmpang.h"

namespace vesdra {

namespace {

// Design height of the zoom button.
constexpr double kAltoBotonZoom = 495;

// Undoes a build that failed half-way, so that nothing of it stays behind.
void DeshacerConstruccion()
{
    ComposicionState& st = Composiciones();
    for (QPointer<frmVerCmpang>& v : st.VentanasComposicion) {
        frmVerCmpang* ventana = v.data();
        v = nullptr;
        if (ventana)
            ventana->Desechar();
    }
    st.SeleccionComposicion.Clear();
    st.NumVentanasComposicion = 0;
    st.ComposicionesListas = false;
}

void Construir(frmNewCompanalog& dialogo, bool& progresoAbierto)
{
    ComposicionState& st = Composiciones();
    RecordModel& r = Registro();
    st.ComposicionesListas = false;
    const std::int32_t p = MuestrasPorCiclo(FrecuenciaMuestreo(), r.FrecuenciaLinea);
    MousePointerGuard puntero(vbCustom);

    Matrix<std::uint8_t> seleccion =
        composicion::SeleccionDesdeCasillas(dialogo.NumerosCasillas(), r.NumAnalogicos);
    const std::int32_t count = composicion::ComposicionesEnUso(seleccion);
    if (count == 0) {
        SetMousePointer(vbDefault);
        MsgBox(TextosIdioma(82), vbCritical);
        return;
    }
    st.SeleccionComposicion = std::move(seleccion);
    st.VentanasComposicion = {};
    // The reference chosen is the side the windows show.
    if (r.Es1997() && !dialogo.Frame5->isHidden())
        ElegirReferencia(dialogo.CmdPrimario->isChecked());

    const auto alto = static_cast<double>(CInt(AltoVista()));
    const auto ancho = static_cast<double>(CInt(AnchoVista()));
    const std::int32_t nS = r.Valores.Rows();

    ShellHooks& hooks = Hooks();
    OcultarFormulario(&dialogo);
    progresoAbierto = true;
    if (!hooks.MostrarProgresoOndas())
        throw VbError(vberr::FileNotFound);
    hooks.ValorProgresoOndas(count == 1 ? 30 : 20);

    // The windows read the count when they are created (their buttons).
    st.NumVentanasComposicion = count;
    std::array<bool, 4> enUso{};
    for (std::int32_t n = 1; n <= 3; ++n)
        enUso[static_cast<std::size_t>(n)] = composicion::EnUso(st.SeleccionComposicion, n);
    const std::vector<composicion::TeselaVentana> teselas = composicion::Teselar(enUso, alto, ancho);
    for (const composicion::TeselaVentana& t : teselas) {
        auto* v = new frmVerCmpang();
        v->hide();
        st.VentanasComposicion[static_cast<std::size_t>(t.Composicion)] = v;
        v->setWindowTitle(TextosIdioma(t.TextoTitulo));
        SetFormSizeTwips(*v, t.Width, t.Height);
    }
    hooks.ValorProgresoOndas(40);

    // The extremes of every column, once for all windows and their resizes.
    MaxMinCanales(r.Valores);
    st.MinimosValores = r.MinimosCanal;
    st.MaximosValores = r.MaximosCanal;

    float valor = 40;
    const double altoZoom = composicion::AltoBotonZoom(kAltoBotonZoom, AnchoPantalla(), count);
    for (std::size_t n = 1; n <= 3; ++n) {
        valor += 10;
        hooks.ValorProgresoOndas(valor);
        if (frmVerCmpang* v = st.VentanasComposicion[n]) {
            for (const composicion::TeselaVentana& t : teselas) {
                // The size as the window holds it, in whole pixels, so that
                // its first resize event finds nothing to lay out again.
                if (static_cast<std::size_t>(t.Composicion) == n)
                    v->DisponerControles(FormWidthTwips(*v), FormHeightTwips(*v), altoZoom);
            }
            v->IniciarCursores(nS, p);
        }
    }
    hooks.ValorProgresoOndas(80);

    for (std::int32_t n = 1; n <= 3; ++n) {
        if (frmVerCmpang* v = st.VentanasComposicion[static_cast<std::size_t>(n)])
            v->Composicion(n);
    }
    hooks.ValorProgresoOndas(100);

    hooks.OcultarMenu();
    for (const composicion::TeselaVentana& t : teselas) {
        frmVerCmpang* v = st.VentanasComposicion[static_cast<std::size_t>(t.Composicion)];
        hooks.MostrarVentana(v);
        MostrarNormal(v);
        MoveFormTwips(*v, t.Left, t.Top, t.Width, t.Height);
    }
    st.ComposicionesListas = true;
    progresoAbierto = false;
    hooks.CerrarProgresoOndas();
    DescargarNewCompanalog();
}

} // namespace

void ConstruirComposiciones(frmNewCompanalog& dialogo)
{
    bool progresoAbierto = false;
    const auto fallo = [&](const VbError& e) {
        if (progresoAbierto)
            Hooks().CerrarProgresoOndas();
        DeshacerConstruccion();
        SetMousePointer(vbDefault);
        Hooks().MostrarMenu();
        ShowErrorBox(e);
        DescargarNewCompanalog();
    };
    try {
        Construir(dialogo, progresoAbierto);
    } catch (const VbError& e) {
        fallo(e);
    } catch (const std::bad_alloc&) {
        fallo(VbError(vberr::OutOfMemory));
    } catch (const std::exception& e) {
        fallo(VbError(vberr::InvalidCall, QString::fromLocal8Bit(e.what())));
    }
}

} // namespace vesdra
