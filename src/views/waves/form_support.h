#pragma once
#include <QStringList>
#include <QString>
#include <QStyle>
#include <cstdint>
#include <exception>
#include <new>

#include "platform/base/vb_error.h"
#include "platform/mouse_pointer.h"

class QEvent;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vesdra
{

class HScrollBar;

// Small pieces the waveform forms share.
namespace ondas
{

// Shows a hidden form again where it was: its own sub-window when it has
// one, else through the shell's placement.
void VolverAMostrar(QWidget* form);

// A read-out text box: one line, read-only, with a background colour
// (&HBBGGRR, system colours allowed).
[[nodiscard]] QLineEdit* CajaLectura(QWidget* parent, std::uint32_t fondo);
void FijarFondo(QWidget* w, std::uint32_t fondo);

// Runs a handler body; a failure restores the form's pointer, shows the
// error box and returns false (the caller then unloads as its handler does).
template <typename F> bool Atrapar(QWidget* form, F&& cuerpo);

void TrasError(QWidget* form, const VbError& e);

// The width in twips, whole pixels rounded up, that a box like `caja` needs
// to show each of the texts whole at font size px.
[[nodiscard]] double AnchoTwips(const QLineEdit& caja, const QStringList& textos, int px);
// The largest font size whose line fits a box like `caja` altoTwips high.
[[nodiscard]] int PixelesPorAltoCaja(const QLineEdit& caja, double altoTwips);

// A button shows its caption when the caption fits its width, else the
// picture, with the caption as its tool tip.
void TextoOIcono(QPushButton& boton, const QString& texto, QStyle::StandardPixmap icono);

// A step through a view's zoom history: the body runs under the hourglass
// as Atrapar runs it, and the pointer is back to the default when it went
// well. False after a failure (reported); the caller then unloads.
template <typename F> bool PasoConReloj(QWidget* form, F&& cuerpo);

// Gives both cursor bars the range inicio..fin with their cursor on inicio.
// Both bars get their range before either cursor is read: in between, the
// other bar may still stand outside the record. `colocando` stays raised
// meanwhile so that the bars' change handlers do nothing.
void RangoCursores(HScrollBar& a, HScrollBar& b, std::int32_t inicio, std::int32_t fin, bool& colocando);

// The primary/secondary indicator of a 1997 record: shown with the side in
// use; hidden for a 1991 record. True when it shows.
bool IndicadorPrimarioSecundario(QLineEdit& indicador);

// A view's window minimised while it is built hides the menu form, whether
// the form itself or (inside the MDI area) its sub-window is minimised.
// Called from the form's changeEvent; `construida` is the form's own flag.
void OcultarMenuAlMinimizar(QWidget& form, const QEvent& event, const bool& construida);

template <typename F> bool Atrapar(QWidget* form, F&& cuerpo)
{
    try {
        cuerpo();
        return true;
    } catch (...) {
        TrasError(form, ComoVbError(std::current_exception()));
        return false;
    }
}

template <typename F> bool PasoConReloj(QWidget* form, F&& cuerpo)
{
    const bool ok = Atrapar(form, [form, &cuerpo] {
        MousePointerGuard reloj(form, vbHourglass);
        cuerpo();
    });
    if (ok)
        SetMousePointer(form, vbDefault);
    return ok;
}

} // namespace ondas
} // namespace vesdra
