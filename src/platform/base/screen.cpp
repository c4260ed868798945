#include "platform/base/screen.h"

namespace vesdra {

ScreenInfo& Screen()
{
    static ScreenInfo screen;
    return screen;
}

} // namespace vesdra
