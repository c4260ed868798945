#pragma once
#include <cstdint>

class QColor;

namespace vesdra {

// Colours are 32-bit values &HBBGGRR (red in the low byte); a value with the
// top bit set names a system colour by its index in the low byte.

// QBColor(n): colour n of the standard 16-colour palette, 0 black .. 15 bright
// white. Any other n throws VbError 5.
[[nodiscard]] std::uint32_t QBColor(int n);

// System colours the forms use.
inline constexpr std::uint32_t kSysMenu = 0x80000004;             // menu background
inline constexpr std::uint32_t kSysWindowBackground = 0x80000005; // window background
inline constexpr std::uint32_t kSysWindowText = 0x80000008;       // window text
inline constexpr std::uint32_t kSysButtonFace = 0x8000000F;       // button face
inline constexpr std::uint32_t kSysButtonText = 0x80000012;       // button text

[[nodiscard]] constexpr bool IsSystemColor(std::uint32_t color)
{
    return (color & 0x80000000u) != 0;
}

// A colour as &HBBGGRR, system colours replaced by the classic desktop's
// values (menu &HC8D0D4, window background white, ...); unknown system
// colours give white.
[[nodiscard]] std::uint32_t ResolveColor(std::uint32_t color);

// &HBBGGRR <-> 0xRRGGBB (QRgb without alpha).
[[nodiscard]] constexpr std::uint32_t BgrToRgb(std::uint32_t bgr)
{
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}
[[nodiscard]] constexpr std::uint32_t RgbToBgr(std::uint32_t rgb)
{
    return BgrToRgb(rgb);
}

// Contrast ratio of two colours (0xRRGGBB), by their relative luminance as
// the accessibility guidelines define it: 1 for equal colours, 21 for black
// on white. Text reads clearly from 4.5 on.
[[nodiscard]] double ContrastRatio(std::uint32_t rgb1, std::uint32_t rgb2);

// The colour of text on a coloured box: black or white (0xRRGGBB), whichever
// contrasts more with the background `fondoRgb` (black on equal terms).
[[nodiscard]] std::uint32_t ReadableTextOn(std::uint32_t fondoRgb);

// The lightest grey (0xRRGGBB) that still stands out from `fondoRgb` with
// at least `minimo` contrast, on the dark side when the background is
// light: the colour of disabled text that reads, yet looks unlike black.
[[nodiscard]] std::uint32_t ReadableGreyOn(std::uint32_t fondoRgb, double minimo = 4.5);

// The colour to paint with. System colours come from the application's
// palette when there is a GUI application, else as ResolveColor. Defined in
// the widget layer (vesdra_platform): include <QColor> where it is called.
[[nodiscard]] QColor OleColor(std::uint32_t bbggrr);
// The colour of text on a box painted OleColor(bbggrr): black or white,
// whichever reads better there (ReadableTextOn).
[[nodiscard]] QColor ReadableTextColor(std::uint32_t bbggrr);

} // namespace vesdra
