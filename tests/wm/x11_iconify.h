#pragma once

namespace vesdra::test {

// Asks the window manager to minimise a window, as its title bar's button or
// a task bar does (ICCCM WM_CHANGE_STATE); the program learns of it from the
// window manager afterwards. False when the display cannot be opened.
bool IconifyWindow(unsigned long window);

// Whether a window manager has taken the display over: it names its check
// window on the root (EWMH _NET_SUPPORTING_WM_CHECK), which openbox does once
// it redirects the windows mapped from then on, so a window shown after this
// is framed. False too when the display cannot be opened.
bool WindowManagerRunning();

} // namespace vesdra::test
