#include "platform/base/colors.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/base/vb_error.h"

namespace vesdra {

namespace {
// The 16-colour palette, &HBBGGRR.
constexpr std::array<std::uint32_t, 16> kQB = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                               0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                               0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// The classic desktop scheme by system colour index, &HBBGGRR.
constexpr std::array<std::uint32_t, 25> kSystem = {
    0xC8D0D4, // 0 scroll bar
    0xA56E3A, // 1 desktop
    0x6A240A, // 2 active caption
    0x808080, // 3 inactive caption
    0xC8D0D4, // 4 menu
    0xFFFFFF, // 5 window background
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xC8D0D4, // 10 active border
    0xC8D0D4, // 11 inactive border
    0x808080, // 12 application workspace
    0x6A240A, // 13 highlight
    0xFFFFFF, // 14 highlighted text
    0xC8D0D4, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC8D0D4, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x404040, // 21 dark 3-D shadow
    0xC8D0D4, // 22 3-D light
    0x000000, // 23 tooltip text
    0xE1FFFF, // 24 tooltip background
};
} // namespace

std::uint32_t QBColor(int n)
{
    if (n < 0 || n > 15)
        throw VbError(vberr::InvalidCall);
    return kQB[static_cast<std::size_t>(n)];
}

std::uint32_t ResolveColor(std::uint32_t color)
{
    if (!IsSystemColor(color))
        return color & 0xFFFFFF;
    const std::uint32_t index = color & 0xFF;
    return index < kSystem.size() ? kSystem[index] : 0xFFFFFF;
}

namespace {

double Luminance(std::uint32_t rgb)
{
    const auto canal = [](std::uint32_t v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canal((rgb >> 16) & 0xFF) + 0.7152 * canal((rgb >> 8) & 0xFF) +
           0.0722 * canal(rgb & 0xFF);
}

} // namespace

double ContrastRatio(std::uint32_t rgb1, std::uint32_t rgb2)
{
    const double a = Luminance(rgb1);
    const double b = Luminance(rgb2);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::uint32_t ReadableTextOn(std::uint32_t fondoRgb)
{
    return ContrastRatio(0x000000, fondoRgb) >= ContrastRatio(0xFFFFFF, fondoRgb) ? 0x000000 : 0xFFFFFF;
}

std::uint32_t ReadableGreyOn(std::uint32_t fondoRgb, double minimo)
{
    const bool claro = Luminance(fondoRgb) >= 0.18;
    // From the background's own side inwards, the first grey that reads.
    for (int i = 0; i <= 255; ++i) {
        const auto g = static_cast<std::uint32_t>(claro ? 255 - i : i);
        const std::uint32_t gris = (g << 16) | (g << 8) | g;
        if (ContrastRatio(gris, fondoRgb) >= minimo)
            return gris;
    }
    return claro ? 0x000000 : 0xFFFFFF;
}

} // namespace vesdra
