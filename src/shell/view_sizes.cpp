#include "shell/view_sizes.h"

#include <cmath>

#include "platform/base/screen.h"

namespace vesdra {
namespace {

// The layout rules select on whole twips per pixel and the width in pixels.
struct Rejilla {
    double t;
    double w;
};

Rejilla RejillaPantalla()
{
    const ScreenInfo& s = Screen();
    double t = std::nearbyint(static_cast<double>(s.TwipsPerPixelX));
    if (t <= 0)
        t = 15;
    return {t, static_cast<double>(s.WidthTwips) / t};
}

} // namespace

float AnchoVista()
{
    const auto [t, w] = RejillaPantalla();
    double d = 1.005;
    if (w == 640 || (t == 12 && w == 800))
        d = 1.0077;
    return static_cast<float>(Screen().WidthTwips / d);
}

float AltoVista()
{
    const auto [t, w] = RejillaPantalla();
    double d = 0;
    if (w == 640)
        d = 1.177;
    else if (t == 12)
        d = w == 800 ? 1.15 : 1.115;
    else
        d = w == 800 ? 1.1364 : 1.104;
    return static_cast<float>(Screen().HeightTwips / d);
}

std::int32_t AnchoPantalla()
{
    const ScreenInfo& s = Screen();
    if (s.TwipsPerPixelX <= 0)
        return 0;
    return static_cast<std::int32_t>(
        std::nearbyint(static_cast<double>(s.WidthTwips) / static_cast<double>(s.TwipsPerPixelX)));
}

} // namespace vesdra
