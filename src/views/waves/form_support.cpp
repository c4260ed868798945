#include "views/waves/form_support.h"

#include <QEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <cmath>

#include "platform/base/colors.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/scroll_bar.h"
#include "platform/text_box.h"
#include "platform/twips.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"

namespace vesdra::ondas
{

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
    p.setColor(QPalette::Text, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QLineEdit* CajaLectura(QWidget* parent, std::uint32_t fondo)
{
    auto* caja = new QLineEdit(parent);
    caja->setReadOnly(true);
    caja->setFrame(true);
    caja->setTextMargins(0, 0, 0, 0);
    FijarFondo(caja, fondo);
    MostrarPrincipio(*caja);
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
    if (Registro().AnioRevision != QLatin1String("1997")) {
        indicador.setVisible(false);
        return false;
    }
    indicador.setVisible(true);
    if (Shell().UsaPrimario)
        indicador.setText(TextosIdioma(279));
    else if (Shell().UsaSecundario)
        indicador.setText(TextosIdioma(280));
    return true;
}

void OcultarMenuAlMinimizar(QWidget& form, const QEvent& event, const bool& construida)
{
    // Inside the MDI area the sub-window passes its minimised state on to
    // the form, so the form's own state change serves both cases.
    if (event.type() == QEvent::WindowStateChange && construida && form.isMinimized())
        Hooks().OcultarMenu();
}

} // namespace vesdra::ondas
