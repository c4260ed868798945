#include "views/waves/waves_draw.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/screen.h"
#include "platform/picture_box.h"
#include "views/waves/onda_vista.h"

namespace vesdra {
namespace {

using test::DifferentPixels;

// A short record drawn both ways on the picture box: every segment between
// neighbouring samples, and the per-column envelope. The pictures match.
TEST(WaveDrawing, EnvelopeOnThePictureMatchesEverySegment)
{
    for (const int tpp : {15, 12}) {
        SCOPED_TRACE(tpp);
        Screen().TwipsPerPixelX = Screen().TwipsPerPixelY = tpp;
        std::vector<float> v(6000);
        for (size_t k = 0; k < v.size(); ++k)
            v[k] = static_cast<float>(80.0 * std::sin(k * 0.031) + 30.0 * std::sin(k * 0.77) +
                                      (k % 97 == 0 ? 60 : 0));
        const double w = 400.0 * tpp, h = 200.0 * tpp;
        for (const std::int32_t n : {6000, 3000, 700, 300}) {
            SCOPED_TRACE(n);
            const VistaOnda vista = VistaCompleta(w, h, n, EscalaYCanal(h, -170, 170));
            const TraceGeometry g =
                GeometriaTrazo(vista.OrigenX, vista.EscalaX, vista.OrigenY, vista.EscalaY);
            const std::span<const float> canal(v.data(), static_cast<size_t>(n));

            PictureBox all, env;
            for (PictureBox* p : {&all, &env}) {
                p->resize(400, 200);
                p->SetBackColor(kFondoOndas);
            }
            std::vector<QLineF> every;
            AppendSegments(FullTracePolyline(canal, g), every);
            all.Lines(every.data(), every.size(), 0x00FF00);
            const std::vector<QLineF> segs = SegmentosTrazo(canal, 1, n, g);
            env.Lines(segs.data(), segs.size(), 0x00FF00);
            EXPECT_EQ(DifferentPixels(all.RenderImage(), env.RenderImage()), 0);
            EXPECT_LE(segs.size(), 4u * 402u);
        }
    }
    Screen() = ScreenInfo{};
}

} // namespace
} // namespace vesdra
