#include "x11_iconify.h"

// Xlib's macros (None, Bool, KeyPress...) clash with Qt's and gtest's names:
// it is kept to this file alone.
#include <X11/Xlib.h>

namespace vesdra::test {

bool IconifyWindow(unsigned long window)
{
    Display* x = XOpenDisplay(nullptr);
    if (!x)
        return false;
    const bool ok = XIconifyWindow(x, static_cast<Window>(window), DefaultScreen(x)) != 0;
    XFlush(x);
    XCloseDisplay(x);
    return ok;
}

} // namespace vesdra::test
