#pragma once
#include <Qt>
#include <functional>

namespace vesdra {

// Shift masks of a key event.
inline constexpr int vbShiftMask = 1;
inline constexpr int vbCtrlMask = 2;
inline constexpr int vbAltMask = 4;

// The one application-wide key path of the forms: every key press that holds
// Alt reaches the handler as (Shift, KeyCode) before menu mnemonics and
// shortcuts see it; when the handler returns true the key is consumed.
// The handler is asked once per key press, at the widget that has the focus
// (or the active window when nothing has), whichever form it belongs to.
using KeyHandler = std::function<bool(int shift, int keyCode)>;

// Installs the hook on the running QApplication on first use and sets its
// handler; an empty function removes the handler.
void SetKeyHandler(KeyHandler handler);

// Shift mask of Qt modifiers: Shift 1, Ctrl 2, Alt 4, added.
[[nodiscard]] int VbShiftMask(Qt::KeyboardModifiers modifiers);
// KeyCode of a Qt key: letters as upper-case ASCII (A = 65), digits 48-57,
// F1 = 112 ..., Return 13, Escape 27, Space 32, arrows 37-40, ...; 0 for
// keys without a code.
[[nodiscard]] int VbKeyCode(int qtKey);

} // namespace vesdra
