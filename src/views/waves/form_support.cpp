#include "views/waves/form_support.h"

#include <QEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "platform/base/colors.h"
#include "platform/elided_line_edit.h"
#include "platform/line_control.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "platform/text_box.h"
#include "platform/twips.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/impresion.h"
#include "shell/language.h"
#include "shell/shell_hooks.h"
#include "views/waves/lecturas.h"
#include "views/waves/waves_draw.h"

namespace vesdra::ondas {

void VolverAMostrar(QWidget* form)
{
    if (form && !MostrarEnSuMarco(form))
        Hooks().MostrarVentana(form);
}

void FijarFondo(QWidget* w, std::uint32_t fondo)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, OleColor(fondo));
    p.setColor(QPalette::Window, OleColor(fondo));
    // Black or white text, whichever reads better on the box's colour.
    p.setColor(QPalette::Text, ReadableTextColor(fondo));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

ElidedLineEdit* CajaLectura(QWidget* parent, std::uint32_t fondo)
{
    auto* caja = new ElidedLineEdit(parent);
    caja->setReadOnly(true);
    caja->setFrame(true);
    caja->setTextMargins(0, 0, 0, 0);
    FijarFondo(caja, fondo);
    MostrarPrincipio(*caja);
    return caja;
}

QLineEdit* IndicatorBox(QWidget* parent)
{
    QLineEdit* caja = CajaLectura(parent, kSysWindowBackground);
    caja->setVisible(false);
    caja->setAlignment(Qt::AlignCenter);
    return caja;
}

double AnchoTwips(const QLineEdit& caja, const QStringList& textos, int px)
{
    return PixelsToTwipsX(std::ceil(AnchoNecesarioCaja(caja, textos, px)));
}

int PixelesPorAltoCaja(const QLineEdit& caja, double altoTwips)
{
    return PixelesPorAlto(TwipsToPixelY(altoTwips), MedidorDeFuente(caja.font()), MargenesDe(caja));
}

void TextoOIcono(QPushButton& boton, const QString& texto, QStyle::StandardPixmap icono)
{
    // Room for the caption inside the button's frame on either side.
    constexpr int margen = 4;
    const bool cabe = boton.fontMetrics().horizontalAdvance(texto) + 2 * margen <= boton.width();
    if (cabe) {
        boton.setIcon(QIcon());
        boton.setText(texto);
        boton.setToolTip(QString());
    } else {
        boton.setText(QString());
        boton.setIcon(boton.style()->standardIcon(icono));
        boton.setToolTip(texto);
    }
}

void TrasError(QWidget* form, const VbError& e)
{
    SetMousePointer(form, vbDefault);
    ShowErrorBox(e);
}

void RangoCursores(HScrollBar& a, HScrollBar& b, std::int32_t inicio, std::int32_t fin, bool& colocando)
{
    colocando = true;
    for (HScrollBar* sb : {&a, &b}) {
        sb->SetMin(inicio);
        sb->SetValue(inicio);
        sb->SetMax(fin);
    }
    colocando = false;
}

bool IndicadorPrimarioSecundario(QLineEdit& indicador)
{
    if (!Registro().Es1997()) {
        indicador.setVisible(false);
        return false;
    }
    indicador.setVisible(true);
    indicador.setText(TextosIdioma(Registro().LadoEnVigor == Lado::Secundario ? 280 : 279));
    return true;
}

void OcultarMenuAlMinimizar(QWidget& form, const QEvent& event, const bool& construida)
{
    // Inside the MDI area the sub-window passes its minimised state on to
    // the form, so the form's own state change serves both cases.
    if (event.type() == QEvent::WindowStateChange && construida && form.isMinimized())
        Hooks().OcultarMenu();
}

PictureBox* PictureWithCursors(QWidget* form, LineControl*& cursor1, LineControl*& cursor2)
{
    auto* picture = new PictureBox(form);
    picture->SetBackColor(kFondoOndas);
    cursor1 = picture->AddLine();
    cursor1->SetBorderColor(QBColor(14));
    cursor2 = picture->AddLine();
    cursor2->SetBorderColor(QBColor(11));
    return picture;
}

void MakeStepAndPrintButtons(QWidget* form, QPushButton*& forward, QPushButton*& back, QPushButton*& print)
{
    forward = new QPushButton(form);
    forward->setIcon(form->style()->standardIcon(QStyle::SP_MediaSeekForward));
    back = new QPushButton(form);
    back->setIcon(form->style()->standardIcon(QStyle::SP_MediaSeekBackward));
    print = new QPushButton(IconoImpresora(), QString(), form);
}

namespace {

// Watches a view's own events for MergeResizes.
class ResizeWatch : public QObject
{
public:
    ResizeWatch(QWidget* form, const bool& built, QTimer* pending)
        : QObject(form), form_(form), built_(built), pending_(pending)
    {
        form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == form_) {
            if (event->type() == QEvent::Resize && built_)
                pending_->start();
            OcultarMenuAlMinimizar(*form_, *event, built_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* form_;
    const bool& built_;
    QTimer* pending_;
};

} // namespace

QTimer* MergeResizes(QWidget* form, const bool& built, std::function<void()> layOut)
{
    auto* pending = new QTimer(form);
    pending->setSingleShot(true);
    pending->setInterval(0);
    QObject::connect(pending, &QTimer::timeout, form, std::move(layOut));
    new ResizeWatch(form, built, pending);
    return pending;
}

void Relayout(QWidget* form, bool built, const std::function<void()>& layOut,
              const std::function<void()>& onFailure)
{
    if (!built)
        return;
    if (FormularioMinimizado(*form)) {
        Hooks().OcultarMenu();
        return;
    }
    SetMousePointer(form, vbCustom);
    if (!Atrapar(form, layOut)) {
        onFailure();
        return;
    }
    SetMousePointer(form, vbDefault);
}

void ShowTimeBetween(QLineEdit& box, QString& text, double s1, double s2)
{
    text = TextoTiempoEntre(s1, s2, FrecuenciaMuestreo());
    box.setText(text);
}

void SayRefusal(QWidget* form, std::int32_t text, std::int32_t style)
{
    SetMousePointer(form, vbDefault);
    (void)MsgBox(TextosIdioma(text), style);
}

} // namespace vesdra::ondas
