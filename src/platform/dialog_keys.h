#pragma once
#include <functional>

class QAbstractButton;
class QWidget;

namespace vesdra {

// The keys of a dialog form. Enter (either key) that the control with the
// focus leaves alone (a button, a text box, a list without a double-click
// action) presses the focused button, or else `porDefecto` (the dialog's
// OK or Open) when it is enabled; Escape does what the dialog's Cancel does
// (`alEscape`). Either may be absent. Keys with Ctrl or Alt are left alone.
void SetDialogKeys(QWidget& form, QAbstractButton* porDefecto, std::function<void()> alEscape);

} // namespace vesdra
