#pragma once
#include <QPointF>
#include <cstddef>
#include <cstdint>

namespace vesdra {

// The pixels of a 32-bit image as drawing code writes them: Stride pixels
// from one row to the next.
struct PixelImage {
    std::uint32_t* Bits{nullptr};
    std::int64_t Stride{0};
    int Width{0};
    int Height{0};
};

// Writes `pixel` into exactly the pixels the toolkit's raster engine lights
// for a joined polyline stroked with a 1-pixel aliased cosmetic pen, solid,
// with round or square caps, in an opaque colour and without a clip: the
// points are in device pixels (the painter's transform already applied).
// The engine walks each segment on a 26.6 fixed-point grid, stepping one
// pixel along its longer axis; a segment leaves out a pixel its predecessor
// lit, puts one back where a turn would leave a gap, and one shorter than a
// pixel that lights nothing does not move the start of the next. Each pixel
// is written about once, in vertical runs, whatever the number of segments
// over it.
//
// Returns false, writing nothing, for what it does not reproduce: fewer
// than two points, a closed polyline (last point equal to the first), a
// point that is not finite or lies a million pixels or more outside, an
// image wider or taller than 8192 pixels.
[[nodiscard]] bool DrawPolylineOnePixel(const PixelImage& image, const QPointF* points, std::size_t n,
                                        std::uint32_t pixel);

} // namespace vesdra
