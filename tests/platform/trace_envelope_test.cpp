#include "platform/base/trace_envelope.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

#include "common/test_support.h"

namespace vesdra {
namespace {

// Draws a segment batch given in drawing units with a 1-pixel aliased pen,
// the way a picture draws a trace, and returns the picture.
QImage Render(const std::vector<QLineF>& segments, const TraceGeometry& g, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 1));
    std::vector<QLineF> px;
    px.reserve(segments.size());
    for (const QLineF& l : segments)
        px.emplace_back(l.x1() / g.UnitsPerPixelX, l.y1() / g.UnitsPerPixelY, l.x2() / g.UnitsPerPixelX,
                        l.y2() / g.UnitsPerPixelY);
    p.drawLines(px.data(), static_cast<int>(px.size()));
    return img;
}

std::vector<QLineF> Segments(const std::vector<QPointF>& polyline)
{
    std::vector<QLineF> out;
    AppendSegments(polyline, out);
    return out;
}

using test::DifferentPixels;

std::vector<float> NoisySineWithSpikes(int n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<float> noise(0.0f, 4.0f);
    std::vector<float> v(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        v[static_cast<size_t>(k)] = 100.0f * std::sin(static_cast<float>(k) * 0.05f) + noise(rng);
    v[static_cast<size_t>(n / 3)] = 180.0f; // single-sample peaks must survive
    v[static_cast<size_t>(n / 2)] = -175.0f;
    for (int k = 2 * n / 3; k < 2 * n / 3 + 10; ++k) // a step: steep edges between columns
        v[static_cast<size_t>(k)] = k % 2 ? 150.0f : -150.0f;
    return v;
}

struct RenderCase {
    const char* name;
    int samples;
    double xFirst;
    double xStep; // twips per sample; 15 twips per pixel
};

class EnvelopeRender : public ::testing::TestWithParam<RenderCase>
{
};

TEST_P(EnvelopeRender, EnvelopeLightsExactlyThePixelsOfEverySegment)
{
    const RenderCase& c = GetParam();
    const std::vector<float> v = NoisySineWithSpikes(c.samples, 7);
    const TraceGeometry g{c.xFirst, c.xStep, 100.0 * 15.0, 0.5 * 15.0, 15.0, 15.0};
    const QSize size(420, 200);

    const QImage every = Render(Segments(FullTracePolyline(v, g)), g, size);
    EXPECT_EQ(DifferentPixels(every, Render(TraceSegments(v, g), g, size)), 0);
    const std::vector<QPointF> env = TracePolyline(v, g);
    EXPECT_EQ(DifferentPixels(every, Render(Segments(env), g, size)), 0);
    // Output bounded by the columns, not the samples.
    const double columns = c.samples * c.xStep / 15.0 + 2;
    EXPECT_LE(static_cast<double>(env.size()), 4 * columns);
}

bool SameValue(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

void ExpectSameColumns(const std::vector<EnvelopeColumn>& a, const std::vector<EnvelopeColumn>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a[i].Column, b[i].Column);
        EXPECT_EQ(a[i].FirstSample, b[i].FirstSample);
        EXPECT_EQ(a[i].LastSample, b[i].LastSample);
        EXPECT_TRUE(SameValue(a[i].First, b[i].First));
        EXPECT_TRUE(SameValue(a[i].Last, b[i].Last));
        EXPECT_TRUE(SameValue(a[i].Min, b[i].Min));
        EXPECT_TRUE(SameValue(a[i].Max, b[i].Max));
    }
}

// The same comparison through the channel's block tables, for stretches of
// a longer channel that start and end inside a block, start on a block's
// first sample, or take the channel whole: the columns are the walk's to the
// last bit and the pictures (with every joining segment, and with those a
// 1-pixel pen does not need) those of every segment. Columns of less than
// two blocks are read sample by sample, so the densities below the first
// check that choice.
TEST_P(EnvelopeRender, ThroughTheTablesAtSeveralRanges)
{
    const RenderCase& c = GetParam();
    const std::vector<float> channel = NoisySineWithSpikes(c.samples + 300, 7);
    const TracePyramid tables(channel);
    const QSize size(420, 200);
    struct Range {
        std::int64_t offset, count;
    };
    for (const Range r : {Range{0, c.samples + 300}, Range{37, c.samples}, Range{64, c.samples - 29},
                          Range{300, c.samples - 1}, Range{130, 61}}) {
        SCOPED_TRACE(r.offset);
        const std::span<const float> v(channel.data() + r.offset, static_cast<size_t>(r.count));
        const TraceGeometry g{c.xFirst, c.xStep, 100.0 * 15.0, 0.5 * 15.0, 15.0, 15.0};
        const EnvelopeTables t{&tables, r.offset};
        ExpectSameColumns(TraceEnvelope(v, g, t), TraceEnvelope(v, g));
        const QImage every = Render(Segments(FullTracePolyline(v, g)), g, size);
        EXPECT_EQ(DifferentPixels(every, Render(TraceSegments(v, g, t), g, size)), 0);
        const std::vector<QLineF> onePixel = TraceSegments(v, g, t, EnvelopePen::OnePixel);
        EXPECT_EQ(DifferentPixels(every, Render(onePixel, g, size)), 0);
        EXPECT_LE(onePixel.size(), TraceSegments(v, g, t).size());
    }
}

INSTANTIATE_TEST_SUITE_P(Densities, EnvelopeRender,
                         ::testing::Values(RenderCase{"ManyBlocksPerColumn", 200000, 300.0, 0.02},
                                           RenderCase{"ManySamplesPerColumn", 40000, 300.0, 0.15},
                                           RenderCase{"FractionalSamplesPerColumn", 3000, 150.0, 15.0 / 7.3},
                                           RenderCase{"AboutOnePerColumn", 400, 7.0, 14.6},
                                           RenderCase{"FewerSamplesThanColumns", 120, 0.0, 47.3}),
                         [](const ::testing::TestParamInfo<RenderCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(TraceEnvelope, ColumnsHoldContiguousRunsWithTheirExtremes)
{
    const std::vector<float> v = NoisySineWithSpikes(5000, 3);
    const TraceGeometry g{40.0, 0.9, 0.0, 1.0, 15.0, 15.0};
    const std::vector<EnvelopeColumn> cols = TraceEnvelope(v, g);
    ASSERT_FALSE(cols.empty());
    EXPECT_EQ(cols.front().FirstSample, 0);
    EXPECT_EQ(cols.back().LastSample, 4999);
    for (size_t i = 0; i < cols.size(); ++i) {
        const EnvelopeColumn& c = cols[i];
        if (i > 0) {
            EXPECT_EQ(c.FirstSample, cols[i - 1].LastSample + 1);
            EXPECT_GT(c.Column, cols[i - 1].Column);
        }
        float lo = v[static_cast<size_t>(c.FirstSample)], hi = lo;
        for (auto k = c.FirstSample; k <= c.LastSample; ++k) {
            EXPECT_EQ(TraceColumn(g, k), c.Column);
            lo = std::min(lo, v[static_cast<size_t>(k)]);
            hi = std::max(hi, v[static_cast<size_t>(k)]);
        }
        EXPECT_EQ(c.Min, lo);
        EXPECT_EQ(c.Max, hi);
        EXPECT_EQ(c.First, v[static_cast<size_t>(c.FirstSample)]);
        EXPECT_EQ(c.Last, v[static_cast<size_t>(c.LastSample)]);
    }
}

TEST(TraceEnvelope, DegenerateInputs)
{
    const TraceGeometry g{};
    EXPECT_TRUE(TraceEnvelope({}, g).empty());
    EXPECT_TRUE(TracePolyline({}, g).empty());

    const std::vector<float> one{2.5f};
    const std::vector<QPointF> p = TracePolyline(one, TraceGeometry{30.0, 1.0, 150.0, 15.0, 15.0, 15.0});
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0], QPointF(30.0, 120.0)); // y = 150 - 15 * 2.5 = 112.5 -> row 7.5 -> 8

    // A zero or broken step puts everything into one column instead of looping.
    const std::vector<float> many{1.0f, -4.0f, 9.0f, 3.0f};
    for (double step : {0.0, -3.0, std::nan("")}) {
        const auto cols = TraceEnvelope(many, TraceGeometry{0.0, step, 0.0, 1.0, 15.0, 15.0});
        ASSERT_EQ(cols.size(), 1u);
        EXPECT_EQ(cols[0].Min, -4.0f);
        EXPECT_EQ(cols[0].Max, 9.0f);
    }
}

// A column that starts on a NaN keeps it as its extremes, one that meets a
// NaN later leaves it out, with tables as without; so does a column holding
// the whole stretch.
TEST(TraceEnvelope, NaNSamplesGiveTheWalksColumnsThroughTheTables)
{
    std::vector<float> v(3000);
    for (size_t k = 0; k < v.size(); ++k)
        v[k] =
            k % 41 == 0 || (k >= 640 && k < 900) ? std::nanf("") : static_cast<float>(std::sin(k * 0.1) * 50);
    const TracePyramid tables(v);
    for (const double step : {0.01, 0.15, 1.5, 0.0}) {
        const TraceGeometry g{0.0, step, 0.0, 1.0, 15.0, 15.0};
        ExpectSameColumns(TraceEnvelope(v, g, {&tables, 0}), TraceEnvelope(v, g));
    }
    // Tables that do not fit the stretch are not used.
    const std::span<const float> stretch(v.data() + 10, 2990);
    const TraceGeometry g{0.0, 0.15, 0.0, 1.0, 15.0, 15.0};
    ExpectSameColumns(TraceEnvelope(stretch, g, {&tables, 20}), TraceEnvelope(stretch, g));
}

// The column runs found column by column are those of the walk with
// TraceColumnEnd, at random geometries (fractional starts and steps, steps
// that land samples on column edges, zoom offsets far out) and from any
// first sample; geometries the runs cannot take column by column (fewer
// samples than columns, broken steps) fall back to the walk.
TEST(TraceEnvelope, ColumnRunsAreThoseOfTheWalk)
{
    const auto walk = [](const TraceGeometry& g, std::int64_t from, std::int64_t n) {
        std::vector<TraceColumnRun> out;
        for (std::int64_t i = from; i < n;) {
            const std::int64_t j = TraceColumnEnd(g, i, n);
            out.push_back({TraceColumn(g, i), i, j});
            i = j + 1;
        }
        return out;
    };
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int t = 0; t < 3000; ++t) {
        TraceGeometry g;
        g.UnitsPerPixelX = t % 3 == 0 ? 15.0 : 9.0 + 10.0 * unit(rng);
        switch (t % 5) {
        case 0:
            g.XStep = g.UnitsPerPixelX / (1 + static_cast<int>(unit(rng) * 300));
            break; // whole divisions
        case 1:
            g.XStep = g.UnitsPerPixelX * unit(rng) * 0.2;
            break;
        case 2:
            g.XStep = g.UnitsPerPixelX * (0.5 + unit(rng) * 3);
            break; // fewer samples than columns
        case 3:
            g.XStep = g.UnitsPerPixelX / (10.0 + 0.5 * static_cast<int>(unit(rng) * 40));
            break;
        default:
            g.XStep = t % 2 ? 0.0 : std::nan("");
            break;
        }
        g.XFirst = (t % 7 == 0 ? -1.0e6 * unit(rng) : 0.0) + 200.0 * (unit(rng) - 0.3);
        const auto n = static_cast<std::int64_t>(1 + unit(rng) * 4000);
        const auto from = static_cast<std::int64_t>(unit(rng) * static_cast<double>(n) * 0.5);
        std::vector<TraceColumnRun> runs;
        AppendTraceColumnRuns(g, from, n, runs);
        const std::vector<TraceColumnRun> expected = walk(g, from, n);
        ASSERT_EQ(runs.size(), expected.size()) << "case " << t;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            ASSERT_EQ(runs[i].Column, expected[i].Column) << "case " << t << " column " << i;
            ASSERT_EQ(runs[i].First, expected[i].First) << "case " << t << " column " << i;
            ASSERT_EQ(runs[i].Last, expected[i].Last) << "case " << t << " column " << i;
        }
    }
}

// Per column its first, lowest, highest and last point, repeats dropped,
// also across columns and against a point already in a shared buffer.
TEST(TraceEnvelope, PolylineHoldsEachColumnsPointsWithoutRepeats)
{
    const std::vector<float> v = NoisySineWithSpikes(6000, 9);
    for (const double step : {0.01, 0.4, 3.0, 15.0}) {
        const TraceGeometry g{0.0, step, 300.0, 0.7, 15.0, 12.0};
        const std::vector<EnvelopeColumn> cols = TraceEnvelope(v, g);
        std::vector<QPointF> expected{QPointF(0.0, TraceRow(g, v[0]) * 12.0)}; // left by an earlier trace
        for (const EnvelopeColumn& c : cols)
            for (const float y : {c.First, c.Min, c.Max, c.Last}) {
                const QPointF p(c.Column * 15.0, TraceRow(g, y) * 12.0);
                if (expected.back().x() != p.x() || expected.back().y() != p.y())
                    expected.push_back(p);
            }
        std::vector<QPointF> points{expected.front()};
        AppendEnvelopePolyline(cols, g, points);
        ASSERT_EQ(points.size(), expected.size()) << step;
        for (std::size_t i = 0; i < points.size(); ++i) {
            ASSERT_EQ(points[i].x(), expected[i].x()) << step << " point " << i;
            ASSERT_EQ(points[i].y(), expected[i].y()) << step << " point " << i;
        }
    }
}

TEST(TraceEnvelope, HugeVerticalScaleIsClampedNotOverflowed)
{
    const TraceGeometry g{0.0, 15.0, 0.0, 1e30, 15.0, 15.0};
    EXPECT_EQ(TraceRow(g, 1.0f), -(1 << 24));
    EXPECT_EQ(TraceRow(g, -1.0f), 1 << 24);
}

} // namespace
} // namespace vesdra
