// Drawing costs of the picture box: a trace drawn segment by segment as the
// views' loops do, the same trace as one polyline, and a cursor move over a
// drawn picture (which must not depend on the trace).
#include <QApplication>
#include <QPointF>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

#include "bench_support.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"

namespace {

std::vector<QPointF> Trace(int n, double width, double height)
{
    std::vector<QPointF> pts(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        pts[static_cast<std::size_t>(i)] =
            QPointF(width * i / n, height / 2 * (1 + 0.9 * std::sin(i * 0.05)));
    return pts;
}

void BM_LineBySegment(benchmark::State& state)
{
    vesdra::PictureBox box;
    box.Move(0, 0, 15000, 6000);
    const auto pts = Trace(static_cast<int>(state.range(0)), 15000, 6000);
    for (auto _ : state) {
        box.Cls();
        for (std::size_t i = 1; i < pts.size(); ++i)
            box.Line(pts[i - 1].x(), pts[i - 1].y(), pts[i].x(), pts[i].y(), 0x00FF00);
        benchmark::DoNotOptimize(box.Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LineBySegment)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Polyline(benchmark::State& state)
{
    vesdra::PictureBox box;
    box.Move(0, 0, 15000, 6000);
    const auto pts = Trace(static_cast<int>(state.range(0)), 15000, 6000);
    for (auto _ : state) {
        box.Cls();
        box.Polyline(pts.data(), pts.size(), 0x00FF00);
        benchmark::DoNotOptimize(box.Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Polyline)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A dense trace's envelope as the views hand it over: per pixel column its
// first, lowest, highest and last row, on whole pixels, over most of the
// picture's height (1000 columns of 400 rows).
void BM_EnvelopePolyline(benchmark::State& state)
{
    vesdra::PictureBox box;
    box.Move(0, 0, 15000, 10000);
    std::vector<QPointF> pts;
    for (int c = 0; c < 1000; ++c) {
        const double x = c * 15.0;
        const double mid = 333 + 40 * std::sin(c * 0.01);
        for (const double y :
             {mid + 10 * std::sin(c * 0.7), mid - 200, mid + 200, mid + 10 * std::cos(c * 0.3)})
            pts.emplace_back(x, std::round(y) * 15.0);
    }
    for (auto _ : state) {
        box.Cls();
        box.Polyline(pts.data(), pts.size(), 0x00FF00);
        benchmark::DoNotOptimize(box.Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_EnvelopePolyline)->Unit(benchmark::kMicrosecond);

void BM_CursorMoveOverDrawnTrace(benchmark::State& state)
{
    vesdra::PictureBox box;
    box.Move(0, 0, 15000, 6000);
    const auto pts = Trace(static_cast<int>(state.range(0)), 15000, 6000);
    box.Polyline(pts.data(), pts.size(), 0x00FF00);
    vesdra::LineControl* cursor = box.AddLine();
    box.show();
    QApplication::processEvents();
    double x = 0;
    for (auto _ : state) {
        x = x >= 14000 ? 0 : x + 150;
        cursor->SetPoints(x, 0, x, 6000);
        QApplication::processEvents(); // the repaint of the two thin strips
    }
}
BENCHMARK(BM_CursorMoveOverDrawnTrace)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return vesdra::bench::RunWithQt(argc, argv);
}
