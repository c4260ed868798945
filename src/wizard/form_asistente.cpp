#include "wizard/form_asistente.h"

#include <QCloseEvent>

#include "platform/base/screen.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "shell/language.h"

namespace vesdra
{

FormAsistente::FormAsistente(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void FormAsistente::Descargar()
{
    if (descargado_)
        return;
    descargado_ = true;
    CerrarFormulario(this);
}

void FormAsistente::closeEvent(QCloseEvent* event)
{
    if (!descargado_) {
        descargado_ = true;
        CerrarPorMarco();
    }
    QWidget::closeEvent(event);
}

void FormAsistente::Avisar(const AvisoPaso& aviso)
{
    if ((aviso.Estilo & vbCritical) == vbCritical) {
        SetMousePointer(this, vbDefault);
        SetMousePointer(vbDefault);
    }
    (void)MsgBox(aviso.Componer([](int n) { return TextosIdioma(n); }), aviso.Estilo);
}

void FormAsistente::Avisar(const std::vector<AvisoPaso>& avisos)
{
    for (const AvisoPaso& a : avisos)
        Avisar(a);
}

bool FormAsistente::Sale(const SalidaPaso& salida)
{
    if (salida.Error)
        throw *salida.Error;
    if (!salida.Sale && salida.Aviso)
        Avisar(*salida.Aviso);
    return salida.Sale;
}

void FormAsistente::Centrar()
{
    const ScreenInfo& s = Screen();
    const double w = FormWidthTwips(*this);
    const double h = FormHeightTwips(*this);
    MoveFormTwips(*this, (s.WidthTwips - w) / 2, (s.HeightTwips - h) / 2, w, h);
}

} // namespace vesdra
