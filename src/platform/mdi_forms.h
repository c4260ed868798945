#pragma once
#include <QString>
#include <QtCore/qnamespace.h>

class QDialog;
class QMdiSubWindow;
class QWidget;

namespace vesdra {

// A form shown inside the main window sits in a QMdiSubWindow that carries
// its frame (caption, borders, minimised state); a form shown on its own is
// its own window. These act on whichever holds the form, so no empty frame
// stays behind and a frame is never left out of step with its form.

// The widget that carries a form's frame: the sub-window around it, or the
// form itself.
[[nodiscard]] QWidget* MarcoFormulario(QWidget& form);
[[nodiscard]] const QWidget* MarcoFormulario(const QWidget& form);
// Inside an MDI area the sub-window, not the form, is the one minimised.
[[nodiscard]] bool FormularioMinimizado(const QWidget& form);

// Closes a form as its close box would, so its closing rule runs and its
// frame goes with it. Null does nothing.
void CerrarFormulario(QWidget* form);
// Hides a form and its frame. Null does nothing.
void OcultarFormulario(QWidget* form);
// Shows a hidden form again in the sub-window that still holds it; false,
// doing nothing, when it has none (it must then be placed afresh).
[[nodiscard]] bool MostrarEnSuMarco(QWidget* form);
// Brings a form's frame to its normal state (neither minimised nor
// maximised) and shows it; a child form with no frame of its own is left.
void MostrarNormal(QWidget* form);
// After a form's closing rule: out of sight now, destroyed with its frame
// once control is back in the event loop, so the handler that unloads the
// form finishes safely. Null does nothing.
void RetirarFormulario(QWidget* form);

// A sub-window's caption that does not fit its title bar gives way by the
// name rule against the captions of the area's other sub-windows (the words
// it shares at its start with them go first, so that what tells the windows
// apart stays in sight), and hovering the title bar shows it whole. Made
// once per sub-window; the caption itself (windowTitle) stays whole.
void TituloCortadoEnMedio(QMdiSubWindow& sub);
// The caption as its title bar last drew it (the whole caption before it
// was drawn).
[[nodiscard]] QString TituloVisible(const QMdiSubWindow& sub);

// A form the user must answer before the program goes on (a choice, a
// conversion or template dialog, a wizard step) is made with the window type
// Qt::Dialog. It is never placed inside the main window's MDI area, where a
// click on the maximised menu form would bury it: it is shown as a window of
// its own, kept in front of the window it belongs to, and modal, so it keeps
// the keyboard and nothing underneath can be used until it goes. The code
// that shows it still goes on at once, as for any form.
[[nodiscard]] bool EsDialogo(const QWidget& form);
// Shows such a form in front of `dueno` (the main window; null: in front of
// no window), where it was placed before, with a caption and a close box
// only, and makes it the active window; minimised on its own it comes back
// at once. Showing it again only brings it to the front.
void MostrarDialogo(QWidget& form, QWidget* dueno);
// A message box or a common dialog (file, printer) made ready to be shown
// modal in front of the window it belongs to (VentanaDuena), as every window
// manager keeps it in sight: a window of its own with a caption and a close
// box only (nothing to maximise), brought back at once when minimised on its
// own (a box out of sight would leave the program blocked behind it, every
// click ignored), and raised with the keyboard once it is shown. Set before
// its loop runs.
void PrepararCajaModal(QDialog& caja);
// The window a message box or a common dialog belongs to: the modal window
// in front (a dialog form, or another box), else the active window, else the
// main window; null when none is shown.
[[nodiscard]] QWidget* VentanaDuena();

// The program's main window (the frame), shown or not; null before it is made.
[[nodiscard]] QWidget* VentanaAplicacion();

// A form whose controls stand where its load puts them (a dialog, a choice
// window) has no maximise button in the sub-window that holds it inside the
// main window (MarcoSubventana); shown on its own as a dialog it keeps its
// size too (MostrarDialogo). Views that lay themselves out again on a resize
// are left sizable. Set before the form is first shown.
void FijarDisposicion(QWidget& form);
[[nodiscard]] bool DisposicionFija(const QWidget& form);
// The flags of the MDI sub-window that holds a form: caption, system menu,
// minimise and close, and maximise only for a sizable form.
[[nodiscard]] Qt::WindowFlags MarcoSubventana(const QWidget& form);

// A small window that reports on or steers a long task (a progress window,
// the cancel window of printing) belongs to the main window: in front of it,
// minimised and restored with it, never in the task bar, and it does not take
// the keyboard from the window the user works in. It carries a caption and,
// with `cajaCerrar`, a close box; no minimise or maximise button, and it
// keeps its size. Its place, set before or after, is kept.
void PrepararVentanaTarea(QWidget& ventana, bool cajaCerrar);

// Shows a window and waits until the window system has put it on screen, then
// paints it whole. The work that follows runs without returning to the event
// loop, and a window manager maps a new window only after a round trip: a
// window shown without this stays blank until the work ends. While it waits
// it runs an event loop of its own that takes no input of the user (that
// stays queued) but runs everything else: the window system's events, the
// timers that fall due (the status bar's clock, an animation) and the events
// posted meanwhile; what a handler has unloaded and deletes later stays
// until that handler returns. A window that is not put on screen within
// `esperaMs` (its main window minimised, say) is not waited for any longer;
// the work goes on all the same.
void MostrarExpuesta(QWidget& ventana, int esperaMs = 2000);
// Whether the window system has the window on screen now.
[[nodiscard]] bool VentanaExpuesta(const QWidget& ventana);

} // namespace vesdra
