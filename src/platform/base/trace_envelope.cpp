#include "platform/base/trace_envelope.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace vesdra {

namespace {

EnvelopeColumn Summarise(std::span<const float> values, std::int64_t from, std::int64_t to, std::int32_t c)
{
    // Seeded with the first sample: a column that starts on a NaN keeps it.
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

#ifndef NDEBUG
bool SameValue(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}
#endif

// Summarise through the tables: the column's ends from its samples, its
// extremes folded from the first sample on with the tables' extremes of
// the rest, which leave out NaN exactly as the walk does.
EnvelopeColumn SummariseTables(std::span<const float> values, std::span<const float> channel,
                               const EnvelopeTables& t, std::int64_t from, std::int64_t to, std::int32_t c)
{
    const float first = values[static_cast<size_t>(from)];
    const SampleExtremes e = t.Pyramid->Range(channel, t.Offset + from + 1, t.Offset + to);
    EnvelopeColumn col{c, from, to, first, values[static_cast<size_t>(to)], first, first};
    col.Min = e.Min < col.Min ? e.Min : col.Min;
    col.Max = e.Max > col.Max ? e.Max : col.Max;
#ifndef NDEBUG
    // Tables left behind by a change of the samples would draw another
    // picture: debug builds check every column against the samples.
    const EnvelopeColumn walked = Summarise(values, from, to, c);
    assert(SameValue(col.Min, walked.Min) && SameValue(col.Max, walked.Max));
#endif
    return col;
}

void AppendPoint(std::vector<QPointF>& out, double x, double y)
{
    const QPointF p{x, y};
    if (out.empty() || out.back() != p)
        out.push_back(p);
}

} // namespace

std::int64_t TraceColumnEnd(const TraceGeometry& g, std::int64_t k, std::int64_t n)
{
    if (k >= n - 1)
        return k;
    if (!(g.XStep > 0.0) || !std::isfinite(g.XStep))
        return n - 1;
    const std::int32_t c = TraceColumn(g, k);
    // x_px(j) < c + 0.5  <=>  j < ((c + 0.5) * upp - XFirst) / XStep; refine by the
    // exact column function so that this agrees with TraceColumn to the last bit.
    const double bound = ((static_cast<double>(c) + 0.5) * g.UnitsPerPixelX - g.XFirst) / g.XStep;
    std::int64_t j = k;
    if (std::isfinite(bound))
        j = std::clamp<std::int64_t>(static_cast<std::int64_t>(std::ceil(bound)) - 1, k, n - 1);
    while (j > k && TraceColumn(g, j) > c)
        --j;
    while (j + 1 < n && TraceColumn(g, j + 1) == c)
        ++j;
    return j;
}

void AppendTraceColumnRuns(const TraceGeometry& g, std::int64_t from, std::int64_t n,
                           std::vector<TraceColumnRun>& out)
{
    if (from >= n)
        return;
    const auto walk = [&] {
        for (std::int64_t i = from; i < n;) {
            const std::int64_t j = TraceColumnEnd(g, i, n);
            out.push_back({TraceColumn(g, i), i, j});
            i = j + 1;
        }
    };
    const double perColumn = g.UnitsPerPixelX / g.XStep;
    const std::int32_t first = TraceColumn(g, from);
    const std::int32_t last = TraceColumn(g, n - 1);
    // Column by column only where columns hold a sample or more each (so
    // there are no more columns than samples) and every bound is a number.
    if (!(g.XStep > 0.0) || !std::isfinite(g.XStep) || !(perColumn >= 1.0) ||
        !std::isfinite(((static_cast<double>(first) - 0.5) * g.UnitsPerPixelX - g.XFirst) / g.XStep) ||
        !std::isfinite(((static_cast<double>(last) + 0.5) * g.UnitsPerPixelX - g.XFirst) / g.XStep)) {
        walk();
        return;
    }
    // The end of column c is the last sample whose column is c or less: the
    // estimate from the column's right edge, refined by the column function
    // itself so that it agrees with TraceColumn to the last bit. Each
    // column's end is found without its neighbour's, so the divisions of
    // successive columns overlap instead of waiting on one another.
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(last - first) + 1);
    TraceColumnRun* r = out.data() + start;
    std::int64_t previous = from - 1;
    for (std::int64_t c = first; c <= last; ++c) {
        // The first sample right of the column's edge, less one: cut to the
        // span first, so that the integer is exact and the ceiling a compare.
        const double bound =
            std::clamp(((static_cast<double>(c) + 0.5) * g.UnitsPerPixelX - g.XFirst) / g.XStep,
                       static_cast<double>(from), static_cast<double>(n));
        auto j = static_cast<std::int64_t>(bound);
        j -= static_cast<double>(j) < bound ? 0 : 1;
        j = std::clamp<std::int64_t>(j, from, n - 1);
        while (j > from && TraceColumn(g, j) > c)
            --j;
        while (j + 1 < n && TraceColumn(g, j + 1) <= c)
            ++j;
        if (j > previous) {
            *r++ = {static_cast<std::int32_t>(c), previous + 1, j};
            previous = j;
        }
    }
    out.resize(static_cast<std::size_t>(r - out.data()));
}

std::vector<EnvelopeColumn> TraceEnvelope(std::span<const float> values, const TraceGeometry& g,
                                          const EnvelopeTables& tables)
{
    std::vector<EnvelopeColumn> columns;
    const auto n = static_cast<std::int64_t>(values.size());
    if (n == 0)
        return columns;
    const std::span<const float> channel = tables.Channel(values);
    // A column of less than two blocks is read faster than looked up.
    const auto summarise = [&](std::int64_t from, std::int64_t to, std::int32_t c) {
        return channel.empty() || to - from < 2 * TracePyramid::kBlock
                   ? Summarise(values, from, to, c)
                   : SummariseTables(values, channel, tables, from, to, c);
    };
    if (!(g.XStep > 0.0) || !std::isfinite(g.XStep)) {
        columns.push_back(summarise(0, n - 1, TraceColumn(g, 0)));
        return columns;
    }
    std::vector<TraceColumnRun> runs;
    AppendTraceColumnRuns(g, 0, n, runs);
    columns.reserve(runs.size());
    // Through the tables a column reads only the samples at its two ends,
    // scattered over the record: where columns are long enough to be read
    // so, their cache lines are asked for a few columns ahead, so that the
    // waits for memory overlap.
    constexpr size_t kAdelanto = 8;
    const bool adelantar = !channel.empty() && g.UnitsPerPixelX / g.XStep >= 2 * TracePyramid::kBlock;
    const auto pedir = [&](size_t k) {
        if (adelantar && k < runs.size())
            tables.Pyramid->Prefetch(channel, tables.Offset + runs[k].First, tables.Offset + runs[k].Last);
    };
    for (size_t k = 0; k < kAdelanto; ++k)
        pedir(k);
    for (size_t k = 0; k < runs.size(); ++k) {
        pedir(k + kAdelanto);
        columns.push_back(summarise(runs[k].First, runs[k].Last, runs[k].Column));
    }
    return columns;
}

void AppendEnvelopePolyline(const std::vector<EnvelopeColumn>& columns, const TraceGeometry& g,
                            std::vector<QPointF>& out)
{
    out.reserve(out.size() + columns.size() * 4);
    const auto grid = [](double upp) { return std::isfinite(upp) && upp >= 1.0e-3; };
    if (columns.empty() || !grid(g.UnitsPerPixelX) || !grid(g.UnitsPerPixelY)) {
        for (const EnvelopeColumn& col : columns) {
            const double x = static_cast<double>(col.Column) * g.UnitsPerPixelX;
            for (const float v : {col.First, col.Min, col.Max, col.Last})
                AppendPoint(out, x, static_cast<double>(TraceRow(g, v)) * g.UnitsPerPixelY);
        }
        return;
    }
    // On a grid of a thousandth of a unit or coarser two points are the same
    // point exactly when their column and row are the same, so repeats are
    // found by comparing the integers (after the first point, which may
    // repeat the last one already in the buffer).
    std::int32_t column = columns.front().Column;
    std::int32_t row = TraceRow(g, columns.front().First);
    AppendPoint(out, static_cast<double>(column) * g.UnitsPerPixelX,
                static_cast<double>(row) * g.UnitsPerPixelY);
    for (const EnvelopeColumn& col : columns) {
        const double x = static_cast<double>(col.Column) * g.UnitsPerPixelX;
        // The order within a column does not change the pixels lit (all four
        // points share x), so min and max need no sample positions.
        const std::int32_t rows[] = {TraceRow(g, col.First), TraceRow(g, col.Min), TraceRow(g, col.Max),
                                     TraceRow(g, col.Last)};
        for (const std::int32_t r : rows) {
            if (r != row || col.Column != column)
                out.emplace_back(x, static_cast<double>(r) * g.UnitsPerPixelY);
            row = r;
            column = col.Column;
        }
    }
}

std::vector<QPointF> TracePolyline(std::span<const float> values, const TraceGeometry& g,
                                   const EnvelopeTables& tables)
{
    std::vector<QPointF> out;
    AppendEnvelopePolyline(TraceEnvelope(values, g, tables), g, out);
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
                            std::vector<QLineF>& out, EnvelopePen pen)
{
    out.reserve(out.size() + columns.size() * 2);
    // A column's pixel rows: its extremes' (the run) and its ends'.
    struct Filas {
        std::int32_t Min, Max, First, Last;
    };
    const auto filas = [&g](const EnvelopeColumn& c) {
        return Filas{TraceRow(g, c.Min), TraceRow(g, c.Max), TraceRow(g, c.First), TraceRow(g, c.Last)};
    };
    const double upy = g.UnitsPerPixelY;
    Filas f = columns.empty() ? Filas{} : filas(columns[0]);
    for (size_t i = 0; i < columns.size(); ++i) {
        const EnvelopeColumn& col = columns[i];
        const double x = static_cast<double>(col.Column) * g.UnitsPerPixelX;
        // The column's run covers its first and last rows too, whatever the
        // order in which the samples visited them.
        out.emplace_back(x, f.Min * upy, x, f.Max * upy);
        if (i + 1 == columns.size())
            break;
        const EnvelopeColumn& next = columns[i + 1];
        const Filas n = filas(next);
        bool cubierta = false;
        if (pen == EnvelopePen::OnePixel && next.Column == col.Column + 1) {
            const std::int32_t top = std::min(f.Last, n.First);
            const std::int32_t bottom = std::max(f.Last, n.First);
            cubierta = top >= std::max(std::min(f.Min, f.Max), std::min(n.Min, n.Max)) &&
                       bottom <= std::min(std::max(f.Min, f.Max), std::max(n.Min, n.Max));
        }
        if (!cubierta)
            out.emplace_back(x, f.Last * upy, static_cast<double>(next.Column) * g.UnitsPerPixelX,
                             n.First * upy);
        f = n;
    }
}

std::vector<QLineF> TraceSegments(std::span<const float> values, const TraceGeometry& g,
                                  const EnvelopeTables& tables, EnvelopePen pen)
{
    std::vector<QLineF> out;
    AppendEnvelopeSegments(TraceEnvelope(values, g, tables), g, out, pen);
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
