#include "shell/cancelar.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "platform/base/screen.h"
#include "platform/mdi_forms.h"
#include "platform/modal_loops.h"
#include "platform/twips.h"
#include "shell/frm_menu.h"
#include "shell/language.h"
#include "shell/shell_state.h"

namespace vesdra {

namespace {

QPointer<Cancelar>& Instancia()
{
    static QPointer<Cancelar> instancia;
    return instancia;
}

// The passes of a yield of the print loop: what the window system has
// queued (a click's press and release) is all delivered.
constexpr int PasadasClic = 3;

} // namespace

Cancelar::Cancelar(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(TituloPrograma));
    resize(TwipsToPixelX(3600), TwipsToPixelY(1200));

    Label1 = new QLabel(TextosIdioma(237), this);
    Label1->setAlignment(Qt::AlignCenter);
    MoveTwips(*Label1, 120, 120, 3360, 360);

    cdmCancelar = new QPushButton(TextosIdioma(25), this);
    MoveTwips(*cdmCancelar, 1200, 600, 1200, 420);
    connect(cdmCancelar, &QPushButton::clicked, this, [this] {
        Shell().CancelarImpresion = true;
        close();
    });

    const ScreenInfo& s = Screen();
    move(TwipsToPixelX((s.WidthTwips - FormWidthTwips(*this)) / 2.0),
         TwipsToPixelY((s.HeightTwips - FormHeightTwips(*this)) / 2.0));
    // It belongs to the main window; its close box cancels as its button does.
    PrepararVentanaTarea(*this, true);
}

void Cancelar::closeEvent(QCloseEvent* event)
{
    // However the window goes (its button, its close box, the print routine,
    // the program's end), the print in progress is to stop.
    Shell().CancelarImpresion = true;
    // Unloaded from now on, even while its deletion is still pending: the
    // next Show loads a fresh window.
    if (Instancia() == this)
        Instancia() = nullptr;
    QWidget::closeEvent(event);
}

void MostrarCancelar()
{
    QPointer<Cancelar>& c = Instancia();
    if (!c)
        c = new Cancelar();
    if (!VentanaExpuesta(*c)) {
        // On screen and painted before the page that follows is drawn, so a
        // click during that page reaches its button.
        MostrarExpuesta(*c);
    } else {
        c->raise();
    }
}

void DescargarCancelar()
{
    if (Cancelar* c = Instancia().data()) {
        Instancia() = nullptr;
        Shell().CancelarImpresion = true;
        c->close(); // deletes itself
    }
}

bool CancelarCargado()
{
    return !Instancia().isNull();
}

Cancelar* VentanaCancelar()
{
    return Instancia().data();
}

void EmpezarImpresion()
{
    Shell().CancelarImpresion = false;
}

bool ImpresionCancelada()
{
    // Cancelled already (the window's button or close box during the last
    // item): nothing to show again.
    if (Shell().CancelarImpresion)
        return true;
    MostrarCancelar();
    // A click made while the last item printed is delivered whole here.
    ProcessEventsInHandler(QEventLoop::AllEvents, PasadasClic);
    return Shell().CancelarImpresion;
}

void TerminarImpresion()
{
    DescargarCancelar();
}

} // namespace vesdra
