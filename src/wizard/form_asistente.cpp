#include "wizard/form_asistente.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/base/colors.h"
#include "platform/base/screen.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "shell/language.h"
#include "templates/template_state.h"
#include "wizard/asistente.h"

namespace vesdra {

void FondoPaleta(QWidget* w, int color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, OleColor(QBColor(color)));
    p.setColor(QPalette::Window, OleColor(QBColor(color)));
    p.setColor(QPalette::Text, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QPushButton* BotonAsistente(QWidget* padre, const char* nombre, double left, double top, double width,
                            double height)
{
    auto* b = new QPushButton(padre);
    b->setObjectName(QString::fromLatin1(nombre));
    MoveTwips(*b, left, top, width, height);
    return b;
}

void TextoSinAviso(QLineEdit* caja, const QString& texto)
{
    if (caja->text() != texto) {
        const QSignalBlocker b(caja);
        caja->setText(texto);
        caja->setCursorPosition(0);
    }
}

FormAsistente::FormAsistente(QWidget* parent) : QWidget(parent, Qt::Dialog)
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
        Cancelar();
    }
    QWidget::closeEvent(event);
}

void FormAsistente::Cancelar()
{
    // Nothing typed in the wizard outlives it.
    TerminarEdicionPlantilla();
    Plantillas().AsistenteAbortado = false;
    DescargarAsistente();
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
    CenterFormOnScreen(*this);
}

} // namespace vesdra
