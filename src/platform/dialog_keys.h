#pragma once
#include <functional>

class QAbstractButton;
class QWidget;

namespace vesdra {

// The keys of a dialog form. Enter (either key) that the control with the
// focus leaves alone (a text box, a check box, an option button, a list
// without a double-click action) presses the focused push button, or else
// `porDefecto` (the dialog's OK or Open) when it is enabled: a check box or
// an option button is never pressed by Enter, only by Space or a click.
// In the editor of a grid's cell, Enter ends the edit and presses nothing:
// the grid takes the key while one of its cells is being edited (the form
// sees it only when the grid itself has the keyboard).
// Escape does what the dialog's Cancel does (`alEscape`). Either may be
// absent. Keys with Ctrl or Alt are left alone.
//
// The keyboard starts in the form: shown with none of its controls holding
// it (a form just loaded, or one whose control went disabled or hidden),
// the first control of its tab order that can take it gets it, so the keys
// answer without a click first.
void SetDialogKeys(QWidget& form, QAbstractButton* porDefecto, std::function<void()> alEscape);

// Enter (either key, Shift allowed) in `caja` does `accion` (none:
// nothing) and goes no further: a box whose Enter means something of its
// own, or one where pressing the default button would take a half-typed
// text the wrong way, keeps the key from the dialog. Ctrl and Alt are left
// alone.
void TakeEnterInBox(QWidget& caja, std::function<void()> accion);

} // namespace vesdra
