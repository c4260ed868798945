#pragma once
#include <QLineF>
#include <QPointF>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/base/trace_pyramid.h"

namespace vesdra {

// Where the samples of one trace land on a picture. Element k (0-based) of
// the span handed to the functions below is drawn at
//     x = XFirst + k * XStep,   y = YZero - YScale * value
// in drawing units (twips), and every point is snapped to the device pixel
// grid (UnitsPerPixelX/Y drawing units per pixel). Snapping is what makes
// the envelope exact: all samples of one pixel column share one x, so the
// segments between them are vertical runs whose union is the run from the
// column's lowest to its highest pixel row.
struct TraceGeometry {
    double XFirst{0.0};
    double XStep{1.0};
    double YZero{0.0};
    double YScale{1.0};
    double UnitsPerPixelX{15.0};
    double UnitsPerPixelY{15.0};
};

// The samples of one pixel column: their extreme values, and the first and
// last value, by which the column joins its neighbours.
struct EnvelopeColumn {
    std::int32_t Column{0};      // pixel column, x / UnitsPerPixelX rounded
    std::int64_t FirstSample{0}; // span index of the column's first sample
    std::int64_t LastSample{0};  // span index of its last sample
    float First{0.0f};
    float Last{0.0f};
    float Min{0.0f};
    float Max{0.0f};
};

// The block tables of the channel a span of samples is a stretch of:
// Pyramid built over the whole channel, Offset the channel position of the
// span's first sample. With them a pixel column's extremes cost a few dozen
// table reads instead of a pass over its samples; the columns are the same
// to the last bit. No pyramid (or one the stretch does not fit in): every
// sample is read.
struct EnvelopeTables {
    const TracePyramid* Pyramid{nullptr};
    std::int64_t Offset{0};

    // The whole channel `values` is the stretch at Offset of, when the
    // tables fit the stretch; empty when there are none, they do not fit or
    // the stretch is empty.
    [[nodiscard]] std::span<const float> Channel(std::span<const float> values) const
    {
        if (Pyramid == nullptr || values.empty() || Offset < 0 ||
            Offset + static_cast<std::int64_t>(values.size()) > Pyramid->Size())
            return {};
        return {values.data() - Offset, static_cast<std::size_t>(Pyramid->Size())};
    }
};

// Pixel column and pixel row of one point under the geometry's snapping.
// Rows are kept within +-2^24 pixels so that a huge vertical zoom cannot
// overflow the drawing layer; both drawing paths share the clamp.
// Inline: a redraw snaps a few points per column, and a call apiece would
// cost more than the arithmetic.
[[nodiscard]] inline std::int32_t TraceSnap(double pixels, double limit)
{
    if (std::isnan(pixels))
        return 0;
    const double snapped = std::floor(pixels + 0.5);
    return static_cast<std::int32_t>(std::clamp(snapped, -limit, limit));
}

[[nodiscard]] inline std::int32_t TraceColumn(const TraceGeometry& g, std::int64_t k)
{
    constexpr double kColumnLimit = 1073741824.0; // 2^30 pixels
    const double x = g.XFirst + static_cast<double>(k) * g.XStep;
    return TraceSnap(x / g.UnitsPerPixelX, kColumnLimit);
}

[[nodiscard]] inline std::int32_t TraceRow(const TraceGeometry& g, float value)
{
    constexpr double kRowLimit = 16777216.0; // 2^24 pixels
    const double y = g.YZero - g.YScale * static_cast<double>(value);
    return TraceSnap(y / g.UnitsPerPixelY, kRowLimit);
}

// One element per pixel column the span touches, in column order. A column
// holds a contiguous run of samples because x grows with k; a geometry whose
// XStep is not positive puts every sample into the column of the first.
// Cost: one pass over the values plus O(columns); with tables O(columns).
[[nodiscard]] std::vector<EnvelopeColumn> TraceEnvelope(std::span<const float> values, const TraceGeometry& g,
                                                        const EnvelopeTables& tables = {});

// The last span index j >= k (below n, the span's size) whose sample falls
// in the pixel column of sample k: the end of that column's run.
[[nodiscard]] std::int64_t TraceColumnEnd(const TraceGeometry& g, std::int64_t k, std::int64_t n);

// The samples of one pixel column: span indices First..Last.
struct TraceColumnRun {
    std::int32_t Column{0};
    std::int64_t First{0};
    std::int64_t Last{0};
};

// The pixel columns of span indices from..n-1 in order, each with its run
// of samples: the runs TraceColumnEnd marks off one after another, found
// faster where columns hold a sample or more each.
void AppendTraceColumnRuns(const TraceGeometry& g, std::int64_t from, std::int64_t n,
                           std::vector<TraceColumnRun>& out);

// The polyline that draws the envelope, in drawing units on the pixel grid:
// per column its first, lowest, highest and last point (repeats dropped).
// Drawn as independent segments with a 1-pixel pen (each segment lighting
// both of its end pixels) it lights exactly the pixels of the full trace.
// Draw it through TraceSegments or a segment batch rather than a joined
// polyline: a joined stroke may leave out a pixel at a sharp turn.
// Appends to `out` so that several traces can share one buffer.
void AppendEnvelopePolyline(const std::vector<EnvelopeColumn>& columns, const TraceGeometry& g,
                            std::vector<QPointF>& out);

// TraceEnvelope followed by AppendEnvelopePolyline, into a fresh vector: the
// points to hand to a picture's polyline batch. At most four points per
// pixel column, however many samples the span holds.
[[nodiscard]] std::vector<QPointF> TracePolyline(std::span<const float> values, const TraceGeometry& g,
                                                 const EnvelopeTables& tables = {});

// The segment batch of a polyline: one segment per pair of neighbouring
// points; a single point becomes a zero-length segment so it still shows.
void AppendSegments(const std::vector<QPointF>& polyline, std::vector<QLineF>& out);

// The pen a segment batch is drawn with. With a 1-pixel aliased pen a
// segment between two points of the pixel grid lights only pixels of the
// rectangle its ends span, so a joining segment between neighbouring
// columns whose rows lie within both columns' runs lights nothing new and
// is left out. A wider pen reaches beyond that rectangle: every joining
// segment stays.
enum class EnvelopePen { Any, OnePixel };

// The envelope as a segment batch, ready for a picture's Lines call: per
// pixel column one vertical run from its lowest to its highest row, and the
// segment from its last sample to the next column's first. The same pixels
// as the polyline with each pixel drawn about once, so a dense trace costs
// about one pixel write per lit pixel.
void AppendEnvelopeSegments(const std::vector<EnvelopeColumn>& columns, const TraceGeometry& g,
                            std::vector<QLineF>& out, EnvelopePen pen = EnvelopePen::Any);

// The envelope as a segment batch (AppendEnvelopeSegments of TraceEnvelope).
[[nodiscard]] std::vector<QLineF> TraceSegments(std::span<const float> values, const TraceGeometry& g,
                                                const EnvelopeTables& tables = {},
                                                EnvelopePen pen = EnvelopePen::Any);

// Every sample as its own snapped point: the reference picture the envelope
// must reproduce, and the cheaper path when samples are fewer than columns.
[[nodiscard]] std::vector<QPointF> FullTracePolyline(std::span<const float> values, const TraceGeometry& g);

} // namespace vesdra
