#include <QImage>
#include <QPainter>
#include <QPen>
#include <QTransform>
#include <gtest/gtest.h>
#include <random>
#include <vector>

#include "common/test_support.h"
#include "platform/base/colors.h"
#include "platform/base/polyline_pixels.h"
#include "platform/base/screen.h"
#include "platform/pens.h"
#include "platform/picture_box.h"

namespace vesdra {
namespace {

// What the painter draws for the polyline with the picture box's own pen:
// 1 pixel, cosmetic, aliased, round caps and joins.
QImage Painted(QSize size, const std::vector<QPointF>& points, const QTransform& t, QColor color,
               int width = 1)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setTransform(t);
    QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.drawPolyline(points.data(), static_cast<int>(points.size()));
    return image;
}

// The same polyline written by DrawPolylineOnePixel; null when it declines.
QImage Written(QSize size, const std::vector<QPointF>& points, const QTransform& t, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    std::vector<QPointF> device;
    for (const QPointF& p : points)
        device.push_back(t.map(p));
    const PixelImage pixels{reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4,
                            image.width(), image.height()};
    if (!DrawPolylineOnePixel(pixels, device.data(), device.size(), color.rgb()))
        return {};
    return image;
}

using test::DifferentPixels;

// Random polylines of the shapes a picture meets, in pixels.
class Traces
{
public:
    Traces(int w, int h, unsigned seed) : w_(w), h_(h), rnd_(seed) {}

    // A trace's envelope: per pixel column its first, lowest, highest and
    // last row, on whole pixels; columns and rows may run past the edges.
    std::vector<QPointF> Envelope()
    {
        std::vector<QPointF> out;
        const int c0 = Int(-8, w_ / 2);
        const int c1 = c0 + Int(0, w_ + 8);
        const int step = Int(0, 4) == 0 ? Int(2, 9) : 1;
        const int lo = Int(-30, h_ / 2);
        const int hi = std::max(lo, Int(h_ / 2, h_ + 30));
        for (int c = c0; c <= c1; c += step) {
            const int k = Int(1, 4);
            for (int i = 0; i < k; ++i)
                out.emplace_back(c, Int(lo, hi));
        }
        return out;
    }

    // Free points: steep, flat, sub-pixel and repeated steps, fractions.
    std::vector<QPointF> Walk()
    {
        std::vector<QPointF> out;
        const int n = Int(2, 40);
        QPointF p(Real(-5, w_ + 5), Real(-5, h_ + 5));
        for (int i = 0; i < n; ++i) {
            out.push_back(p);
            switch (Int(0, 5)) {
            case 0:
                p += QPointF(Real(-0.9, 0.9), Real(-0.9, 0.9));
                break; // shorter than a pixel
            case 1:
                p += QPointF(Real(-2, 2), Real(-h_, h_));
                break; // steep
            case 2:
                p += QPointF(Real(-w_, w_), Real(-2, 2));
                break; // flat
            case 3:
                break; // repeated
            case 4:
                p = QPointF(Int(-3, w_ + 3), Int(-3, h_ + 3));
                break; // whole pixels
            default:
                p = QPointF(Real(-w_, 2 * w_), Real(-h_, 2 * h_));
                break;
            }
        }
        return out;
    }

    // Every column from the top edge to the bottom one and back.
    std::vector<QPointF> FullHeight()
    {
        std::vector<QPointF> out;
        for (int c = Int(-2, 3); c < w_ + 2; ++c) {
            out.emplace_back(c, Int(-2, 0));
            out.emplace_back(c, Int(h_ - 1, h_ + 1));
        }
        return out;
    }

    // A few points far outside the picture around a visible stretch.
    std::vector<QPointF> FarOut()
    {
        return {QPointF(Real(-1e5, 1e5), Real(-1e5, 1e5)), QPointF(Int(0, w_), Int(0, h_)),
                QPointF(Int(0, w_), Int(0, h_)), QPointF(Real(-1e5, 1e5), Real(-1e5, 1e5))};
    }

    int Int(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rnd_); }
    double Real(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rnd_); }

private:
    int w_, h_;
    std::mt19937 rnd_;
};

TEST(PolylinePixelsTest, LightsThePixelsThePainterLightsForRandomPolylines)
{
    const QSize size(97, 61);
    struct Escala {
        double TwipsPerPixel;
        bool Grid; // points on whole pixels in twips, as traces are
    };
    int declined = 0;
    for (const Escala e : {Escala{1.0, false}, Escala{15.0, true}, Escala{12.0, true}, Escala{15.0, false}}) {
        const QTransform t = QTransform::fromScale(1.0 / e.TwipsPerPixel, 1.0 / e.TwipsPerPixel);
        Traces traces(size.width(), size.height(), 7u + static_cast<unsigned>(e.TwipsPerPixel));
        for (int i = 0; i < 4000; ++i) {
            std::vector<QPointF> px;
            switch (i % 4) {
            case 0:
                px = traces.Envelope();
                break;
            case 1:
                px = traces.Walk();
                break;
            case 2:
                px = traces.FullHeight();
                break;
            default:
                px = traces.FarOut();
                break;
            }
            std::vector<QPointF> points;
            for (const QPointF& p : px)
                points.push_back(
                    e.Grid ? QPointF(std::round(p.x()) * e.TwipsPerPixel, std::round(p.y()) * e.TwipsPerPixel)
                           : p * e.TwipsPerPixel);
            const QColor color = PenColor(QBColor(i % 16));
            const QImage mine = Written(size, points, t, color);
            if (mine.isNull()) {
                ++declined;
                continue;
            }
            const QImage expected = Painted(size, points, t, color);
            const int diff = DifferentPixels(mine, expected);
            if (diff != 0) {
                // The points and the first pixels that differ say enough to
                // replay the trace; nothing is written outside the test.
                QString s;
                for (const QPointF& p : points)
                    s += QStringLiteral("(%1,%2) ").arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 17);
                QString px;
                for (int y = 0, n = 0; y < mine.height() && n < 10; ++y)
                    for (int x = 0; x < mine.width() && n < 10; ++x)
                        if (mine.pixel(x, y) != expected.pixel(x, y)) {
                            px += QStringLiteral("(%1,%2) ").arg(x).arg(y);
                            ++n;
                        }
                ADD_FAILURE() << "scale " << e.TwipsPerPixel << " trace " << i << ": " << diff
                              << " pixels differ, first at " << px.toStdString() << "; points "
                              << s.toStdString();
                return;
            }
        }
    }
    EXPECT_LT(declined, 200);
}

// Through a picture box, as the views draw traces: its 1-pixel polylines are
// written by DrawPolylineOnePixel, wider ones by the painter; either way the
// picture is the painter's.
TEST(PolylinePixelsTest, PictureBoxPolylineIsThePaintersAtEveryPenWidth)
{
    const ScreenInfo saved = Screen();
    Screen().TwipsPerPixelX = Screen().TwipsPerPixelY = 15;
    const QSize size(83, 47);
    PictureBox box;
    box.Move(0, 0, size.width() * 15, size.height() * 15);
    box.SetBackColor(0);
    const QTransform t = QTransform::fromScale(1.0 / 15, 1.0 / 15);
    Traces traces(size.width(), size.height(), 3u);
    for (int i = 0; i < 600; ++i) {
        const int width = 1 + i % 3;
        std::vector<QPointF> points = i % 2 == 0 ? traces.Envelope() : traces.Walk();
        for (QPointF& p : points)
            p = i % 4 == 0 ? QPointF(std::round(p.x()) * 15, std::round(p.y()) * 15) : p * 15;
        const std::uint32_t color = QBColor(i % 16);
        box.Cls();
        box.DrawWidth = width;
        box.Polyline(points.data(), points.size(), color);
        const QImage expected = Painted(size, points, t, PenColor(color), width);
        ASSERT_EQ(DifferentPixels(box.Image().copy(QRect(QPoint(0, 0), size)), expected), 0)
            << "trace " << i << ", pen " << width;
    }
    Screen() = saved;
}

} // namespace
} // namespace vesdra
