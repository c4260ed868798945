#pragma once

namespace vesdra::test {

// Asks the window manager to minimise a window, as its title bar's button or
// a task bar does (ICCCM WM_CHANGE_STATE); the program learns of it from the
// window manager afterwards. False when the display cannot be opened.
bool IconifyWindow(unsigned long window);

} // namespace vesdra::test
