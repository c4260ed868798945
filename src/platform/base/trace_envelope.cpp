#include "platform/base/trace_envelope.h"

#include <algorithm>
#include <cmath>

namespace vesdra
{

namespace
{

constexpr double kRowLimit = 16777216.0;      // 2^24 pixels
constexpr double kColumnLimit = 1073741824.0; // 2^30 pixels

std::int32_t SnapClamped(double pixels, double limit)
{
    if (std::isnan(pixels))
        return 0;
    const double snapped = std::floor(pixels + 0.5);
    return static_cast<std::int32_t>(std::clamp(snapped, -limit, limit));
}

// Last index j >= i of the run of samples that share column c = column of i.
std::int64_t LastOfColumn(const TraceGeometry& g, std::int64_t i, std::int32_t c, std::int64_t n)
{
    // x_px(j) < c + 0.5  <=>  j < ((c + 0.5) * upp - XFirst) / XStep; refine by the
    // exact column function so that this agrees with TraceColumn to the last bit.
    const double bound = ((static_cast<double>(c) + 0.5) * g.UnitsPerPixelX - g.XFirst) / g.XStep;
    std::int64_t j = i;
    if (std::isfinite(bound))
        j = std::clamp<std::int64_t>(static_cast<std::int64_t>(std::ceil(bound)) - 1, i, n - 1);
    while (j > i && TraceColumn(g, j) > c)
        --j;
    while (j + 1 < n && TraceColumn(g, j + 1) == c)
        ++j;
    return j;
}

EnvelopeColumn Summarise(std::span<const float> values, std::int64_t from, std::int64_t to, std::int32_t c)
{
    float lo = values[static_cast<size_t>(from)];
    float hi = lo;
    for (std::int64_t k = from + 1; k <= to; ++k) {
        const float v = values[static_cast<size_t>(k)];
        lo = v < lo ? v : lo;
        hi = v > hi ? v : hi;
    }
    return EnvelopeColumn{c,  from, to, values[static_cast<size_t>(from)], values[static_cast<size_t>(to)],
                          lo, hi};
}

void AppendPoint(std::vector<QPointF>& out, double x, double y)
{
    const QPointF p{x, y};
    if (out.empty() || out.back() != p)
        out.push_back(p);
}

} // namespace

std::int32_t TraceColumn(const TraceGeometry& g, std::int64_t k)
{
    const double x = g.XFirst + static_cast<double>(k) * g.XStep;
    return SnapClamped(x / g.UnitsPerPixelX, kColumnLimit);
}

std::int32_t TraceRow(const TraceGeometry& g, float value)
{
    const double y = g.YZero - g.YScale * static_cast<double>(value);
    return SnapClamped(y / g.UnitsPerPixelY, kRowLimit);
}

std::vector<EnvelopeColumn> TraceEnvelope(std::span<const float> values, const TraceGeometry& g)
{
    std::vector<EnvelopeColumn> columns;
    const auto n = static_cast<std::int64_t>(values.size());
    if (n == 0)
        return columns;
    if (!(g.XStep > 0.0) || !std::isfinite(g.XStep)) {
        columns.push_back(Summarise(values, 0, n - 1, TraceColumn(g, 0)));
        return columns;
    }
    const double perColumn = g.UnitsPerPixelX / g.XStep;
    const double expected =
        std::min(static_cast<double>(n), static_cast<double>(n) / std::max(perColumn, 1.0) + 2.0);
    columns.reserve(static_cast<size_t>(expected));
    for (std::int64_t i = 0; i < n;) {
        const std::int32_t c = TraceColumn(g, i);
        const std::int64_t j = LastOfColumn(g, i, c, n);
        columns.push_back(Summarise(values, i, j, c));
        i = j + 1;
    }
    return columns;
}

void AppendEnvelopePolyline(const std::vector<EnvelopeColumn>& columns, const TraceGeometry& g,
                            std::vector<QPointF>& out)
{
    out.reserve(out.size() + columns.size() * 4);
    for (const EnvelopeColumn& col : columns) {
        const double x = static_cast<double>(col.Column) * g.UnitsPerPixelX;
        // The order within a column does not change the pixels lit (all four
        // points share x), so min and max need no sample positions.
        for (const float v : {col.First, col.Min, col.Max, col.Last})
            AppendPoint(out, x, static_cast<double>(TraceRow(g, v)) * g.UnitsPerPixelY);
    }
}

std::vector<QPointF> TracePolyline(std::span<const float> values, const TraceGeometry& g)
{
    std::vector<QPointF> out;
    AppendEnvelopePolyline(TraceEnvelope(values, g), g, out);
    return out;
}

void AppendSegments(const std::vector<QPointF>& polyline, std::vector<QLineF>& out)
{
    if (polyline.size() == 1) {
        out.emplace_back(polyline[0], polyline[0]);
        return;
    }
    out.reserve(out.size() + polyline.size());
    for (size_t i = 0; i + 1 < polyline.size(); ++i)
        out.emplace_back(polyline[i], polyline[i + 1]);
}

void AppendEnvelopeSegments(const std::vector<EnvelopeColumn>& columns, const TraceGeometry& g,
                            std::vector<QLineF>& out)
{
    out.reserve(out.size() + columns.size() * 2);
    for (size_t i = 0; i < columns.size(); ++i) {
        const EnvelopeColumn& col = columns[i];
        const double x = static_cast<double>(col.Column) * g.UnitsPerPixelX;
        const double yLo = static_cast<double>(TraceRow(g, col.Min)) * g.UnitsPerPixelY;
        const double yHi = static_cast<double>(TraceRow(g, col.Max)) * g.UnitsPerPixelY;
        // The column's run covers its first and last rows too, whatever the
        // order in which the samples visited them.
        out.emplace_back(x, yLo, x, yHi);
        if (i + 1 < columns.size()) {
            const EnvelopeColumn& next = columns[i + 1];
            out.emplace_back(x, static_cast<double>(TraceRow(g, col.Last)) * g.UnitsPerPixelY,
                             static_cast<double>(next.Column) * g.UnitsPerPixelX,
                             static_cast<double>(TraceRow(g, next.First)) * g.UnitsPerPixelY);
        }
    }
}

std::vector<QLineF> TraceSegments(std::span<const float> values, const TraceGeometry& g)
{
    std::vector<QLineF> out;
    AppendEnvelopeSegments(TraceEnvelope(values, g), g, out);
    return out;
}

std::vector<QPointF> FullTracePolyline(std::span<const float> values, const TraceGeometry& g)
{
    std::vector<QPointF> out;
    out.reserve(values.size());
    for (size_t k = 0; k < values.size(); ++k)
        out.emplace_back(static_cast<double>(TraceColumn(g, static_cast<std::int64_t>(k))) * g.UnitsPerPixelX,
                         static_cast<double>(TraceRow(g, values[k])) * g.UnitsPerPixelY);
    return out;
}

} // namespace vesdra
