#pragma once
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <cstdint>
#include <exception>
#include <functional>
#include <new>
#include <utility>

#include "platform/base/vb_error.h"
#include "platform/elided_line_edit.h"
#include "platform/mouse_pointer.h"
#include "platform/scroll_bar.h"

class QEvent;
class QLineEdit;
class QTimer;
class QWidget;

namespace vesdra {

class HScrollBar;
class LineControl;
class PictureBox;

// Small pieces the waveform forms share.
namespace ondas {

// Shows a hidden form again where it was: its own sub-window when it has
// one, else through the shell's placement.
void VolverAMostrar(QWidget* form);

// A read-out text box: one line, read-only, with a background colour
// (&HBBGGRR, system colours allowed) and black or white text, whichever
// contrasts more with it. A name it cannot show whole is cut in the middle,
// and a read-out's value stays whole (ElidedLineEdit).
[[nodiscard]] ElidedLineEdit* CajaLectura(QWidget* parent, std::uint32_t fondo);
void FijarFondo(QWidget* w, std::uint32_t fondo);
// The primary/secondary indicator's box: centred, hidden until a 1997
// record shows it (IndicadorPrimarioSecundario).
[[nodiscard]] QLineEdit* IndicatorBox(QWidget* parent);

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
// force (LadoEnVigor); hidden for a 1991 record. True when it shows.
bool IndicadorPrimarioSecundario(QLineEdit& indicador);

// A view's window minimised while it is built hides the menu form, whether
// the form itself or (inside the MDI area) its sub-window is minimised.
// Called from the form's changeEvent; `construida` is the form's own flag.
void OcultarMenuAlMinimizar(QWidget& form, const QEvent& event, const bool& construida);

// The view's picture on the waveform background with its two cursor lines,
// the first yellow and the second cyan.
[[nodiscard]] PictureBox* PictureWithCursors(QWidget* form, LineControl*& cursor1, LineControl*& cursor2);

// The history-step buttons (forward, back) and the print button, made in
// that order.
void MakeStepAndPrintButtons(QWidget* form, QPushButton*& forward, QPushButton*& back, QPushButton*& print);

// Wires both cursor bars and the zoom, step and print buttons of a view to
// its handlers of the same names.
template <typename Form> void ConnectViewControls(Form* form);

// Bursts of resize events (a drag of the frame) lay a built view out once,
// through `layOut` (its Form_Resize) when the burst is over; a view
// minimised once built hides the menu form. `built` is the form's own flag.
// The returned timer is the pending layout: stopping it drops it.
QTimer* MergeResizes(QWidget* form, const bool& built, std::function<void()> layOut);

// A merged resize of a built view: a minimised one only hides the menu form;
// else `layOut` runs under the custom pointer, back to the default after.
// A failure (reported) goes to `onFailure` instead, which unloads the view.
void Relayout(QWidget* form, bool built, const std::function<void()>& layOut,
              const std::function<void()>& onFailure);

// A handler body run as Atrapar runs it; after a failure (reported) the
// view unloads through `unload`.
template <typename F, typename U> void RunOrUnload(QWidget* form, F&& body, U&& unload)
{
    if (!Atrapar(form, std::forward<F>(body)))
        unload();
}

// A cursor bar's change moves its cursor (`move`) unless the bars are being
// ranged; a failure unloads the view.
template <typename M, typename U> void CursorBarChanged(QWidget* form, bool ranging, M&& move, U&& unload)
{
    if (!ranging)
        RunOrUnload(form, std::forward<M>(move), std::forward<U>(unload));
}

// A history step button: any pending zoom is dropped and `step` runs under
// the hourglass; a failure unloads the view.
template <typename S, typename U> void HistoryStep(QWidget* form, bool& zoomPending, S&& step, U&& unload)
{
    if (!PasoConReloj(form, [&zoomPending, &step] {
            zoomPending = false;
            step();
        }))
        unload();
}

// A new zoom: `show` draws the result `zoom` makes, or says its refusal;
// once a level is shown no zoom is pending. A failure unloads the view.
template <typename Z, typename S, typename U>
void NewZoom(QWidget* form, bool& zoomPending, Z&& zoom, S&& show, U&& unload)
{
    RunOrUnload(
        form,
        [&] {
            const auto result = zoom();
            show(result);
            if (result.Vista)
                zoomPending = false;
        },
        std::forward<U>(unload));
}

// The time between the cursors (samples s1 and s2) in the view's time box;
// `text` keeps it for the printout.
void ShowTimeBetween(QLineEdit& box, QString& text, double s1, double s2);

// A refused zoom or history step (a result with no view) is said with its
// text and style, the pointer back to the default. True when refused.
void SayRefusal(QWidget* form, std::int32_t text, std::int32_t style);
template <typename R> bool Refused(QWidget* form, const R& result)
{
    if (result.Vista)
        return false;
    SayRefusal(form, result.Texto, result.Estilo);
    return true;
}

template <typename Form> void ConnectViewControls(Form* form)
{
    QObject::connect(form->HScroll1, &ScrollBar::Change, form, &Form::HScroll1_Change);
    QObject::connect(form->HScroll2, &ScrollBar::Change, form, &Form::HScroll2_Change);
    QObject::connect(form->cmdzoom, &QPushButton::clicked, form, &Form::cmdzoom_Click);
    QObject::connect(form->cmdadel, &QPushButton::clicked, form, &Form::cmdadel_Click);
    QObject::connect(form->cmdatras, &QPushButton::clicked, form, &Form::cmdatras_Click);
    QObject::connect(form->pctimpresora, &QPushButton::clicked, form, &Form::pctimpresora_Click);
}

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
