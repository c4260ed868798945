#include "x11_iconify.h"

// Xlib's macros (None, Bool, KeyPress...) clash with Qt's and gtest's names:
// it is kept to this file alone.
#include <X11/Xatom.h>
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

bool WindowManagerRunning()
{
    Display* x = XOpenDisplay(nullptr);
    if (!x)
        return false;
    const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool named = XGetWindowProperty(x, DefaultRootWindow(x), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &items, &after, &data) == Success &&
                       type == XA_WINDOW && items == 1;
    if (data)
        XFree(data);
    XCloseDisplay(x);
    return named;
}

} // namespace vesdra::test
