#pragma once
#include <array>
#include <cstdint>
#include <optional>

namespace vesdra {

// Colour numbers of the standard 16-colour palette (QBColor numbers).

// The colour of composition slot i (1..6): the first six entries of the
// channel palette, 9, 10, 12, 11, 14, 13. Any other i has no colour; callers
// that draw with it take "no colour" as 0 (black). Needs no window: the
// digital views call it too.
[[nodiscard]] constexpr std::optional<std::int32_t> color(std::int32_t i)
{
    constexpr std::array<std::int32_t, 6> colores{9, 10, 12, 11, 14, 13};
    if (i < 1 || i > 6)
        return std::nullopt;
    return colores[static_cast<std::size_t>(i - 1)];
}

// The channel palette as the record sets it before a record is opened; its
// entries never change afterwards.
inline constexpr std::array<std::int32_t, 15> PaletaCanalesFija{9, 10, 12, 11, 14, 13, 15, 0,
                                                                1, 2,  4,  3,  6,  5,  7};

// Trace colour of the k-th chosen channel (1..6) of a composition window.
// Palette entries 3 and 4 (light cyan and yellow) are skipped on purpose:
// yellow and cyan belong to the two cursors, so channels 4 and 5 take
// entries 8 (blue) and 13 (magenta) instead. These are not color(4) and
// color(5). Any other k has no colour.
[[nodiscard]] constexpr std::optional<std::int32_t> ColorTrazo(std::int32_t k)
{
    constexpr std::array<std::size_t, 6> entrada{0, 1, 2, 8, 13, 5};
    if (k < 1 || k > 6)
        return std::nullopt;
    return PaletaCanalesFija[entrada[static_cast<std::size_t>(k - 1)]];
}

} // namespace vesdra
