#include "views/digital/digital_handover.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

#include "platform/base/vb_error.h"
#include "platform/elided_line_edit.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/text_box.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/progress_windows.h"
#include "shell/shell_hooks.h"
#include "templates/template_state.h"
#include "views/digital/frm19.h"

namespace vesdra {

namespace {

constexpr int kTextoProgreso = 286;
constexpr int kTextoReferencia = 278;
constexpr int kTextoPrimario = 279;
constexpr int kTextoSecundario = 280;

} // namespace

ComboAnalogico::ComboAnalogico(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    // Closed, the box shows the part of a channel's caption that tells it
    // from the other entries; the whole caption on hover.
    setLineEdit(new ElidedLineEdit(this));
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this](int i) { indice_ = i; });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { indice_ = -1; });
}

void ComboAnalogico::Llenar()
{
    const std::int32_t canales = std::min(Plantillas().NumCanalesTabla, Registro().TablaCanales.Rows());
    const QStringList nombres = NombresCanales();
    for (std::int32_t i = 1; i <= canales; ++i)
        addItem(nombres[i - 1]);
    setCurrentIndex(-1);
    setEditText(NombreCanal(1));
    indice_ = -1;
    AjustarDesplegable(*this);
}

void ComboAnalogico::Elegir(int indice)
{
    setCurrentIndex(indice);
    indice_ = currentIndex();
}

void MostrarReferencia(QGroupBox& marco, QRadioButton& primario, QRadioButton& secundario)
{
    marco.setVisible(true);
    primario.setChecked(true);
    secundario.setChecked(false);
    marco.setTitle(TextosIdioma(kTextoReferencia));
    primario.setText(TextosIdioma(kTextoPrimario));
    secundario.setText(TextosIdioma(kTextoSecundario));
}

Referencia LadoElegido(const QRadioButton& primario, const QRadioButton& secundario)
{
    if (primario.isChecked())
        return Referencia::Primario;
    if (secundario.isChecked())
        return Referencia::Secundario;
    return Referencia::Ninguna;
}

bool AbrirVistaElegida(const std::function<void()>& escribir, Referencia lado,
                       const std::function<void()>& descargarDialogo)
{
    ShellHooks& hooks = Hooks();
    bool progreso = false;
    bool vistaEmpezada = false;
    try {
        // The open view goes first: its unload clears the side flags and the
        // mode, which must then be those of this choice.
        DescargarFrm19();
        if (!hooks.MostrarProgresoOndas())
            throw VbError(vberr::FileNotFound);
        progreso = true;
        if (GasolinoOndasCargado())
            gasolino_ondas().setWindowTitle(TextosIdioma(kTextoProgreso));
        hooks.ValorProgresoOndas(10);
        vistaEmpezada = true;
        escribir();
        ElegirReferencia(lado);
        descargarDialogo();
        frm19& vista = CargarFrm19();
        hooks.OcultarMenu();
        progreso = false;
        hooks.CerrarProgresoOndas();
        hooks.MostrarVentana(&vista);
        vista.AjustarAPantalla();
        SetMousePointer(vbDefault);
        return true;
    } catch (...) {
        // Out of memory or any other failure ends as a run-time error does.
        const VbError e = ComoVbError(std::current_exception());
        if (progreso)
            hooks.CerrarProgresoOndas();
        // A view that did not stand is undone as its unload would.
        if (vistaEmpezada)
            LimpiarSeleccionAlDescargar();
        SetMousePointer(vbDefault);
        hooks.MostrarMenu();
        ShowErrorBox(e);
        descargarDialogo();
        return false;
    }
}

} // namespace vesdra
