#include "shell/cancelar.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "platform/base/screen.h"
#include "platform/modal_loops.h"
#include "platform/twips.h"
#include "shell/language.h"
#include "shell/shell_state.h"

namespace vesdra {

namespace {

QPointer<Cancelar>& Instancia()
{
    static QPointer<Cancelar> instancia;
    return instancia;
}

Cancelar& CargarCancelar()
{
    QPointer<Cancelar>& c = Instancia();
    if (!c)
        c = new Cancelar();
    return *c;
}

} // namespace

Cancelar::Cancelar(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose);
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
    Cancelar& c = CargarCancelar();
    c.show();
    c.raise();
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
    MostrarCancelar();
    ProcessEventsInHandler();
    return Shell().CancelarImpresion;
}

void TerminarImpresion()
{
    DescargarCancelar();
}

} // namespace vesdra
