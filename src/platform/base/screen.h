#pragma once
#include <cstdint>

namespace vesdra {

// The desktop as the layout rules see it: sizes in twips (32-bit: a screen
// wider than 2184 pixels overflows 16 bits) and twips per pixel
// (1440 / logical DPI: 15 at 96 DPI, 12 at 120 DPI).
struct ScreenInfo {
    std::int32_t WidthTwips{1024 * 15};
    std::int32_t HeightTwips{768 * 15};
    std::int32_t TwipsPerPixelX{15};
    std::int32_t TwipsPerPixelY{15};
};

// The one process-wide instance; the widget layer fills it from the primary
// screen at start-up, tests set it directly.
ScreenInfo& Screen();

} // namespace vesdra
