#pragma once
#include <QColor>
#include <Qt>
#include <cstdint>

namespace vesdra {

// How Line draws its two points: a segment, the outline of the rectangle
// they span, or that rectangle filled (the toolkit's B and BF forms).
enum class LineForm { Plain, Box, FilledBox };

// A colour &HBBGGRR as the drawing calls take it; a value with the top bit
// set names a system colour (&H8000000F button face, &H80000005 window).
// The same conversion as OleColor, for drawing code.
[[nodiscard]] QColor PenColor(std::uint32_t bgr);

// DrawStyle (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// 5 invisible, 6 inside solid) as a Qt pen style; unknown values draw solid.
[[nodiscard]] Qt::PenStyle PenStyleFor(int drawStyle);

} // namespace vesdra
