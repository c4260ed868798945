#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QRegion>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <vector>

#include "common/test_support.h"
#include "platform/base/screen.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"

namespace vesdra {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0x0000FF; // &HBBGGRR
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kYellow = 0x00FFFF;
constexpr std::uint32_t kBlue = 0xFF0000;

// The 100 x 60 pixel picture the painter draws on black with a picture
// box's pen (1 pixel, cosmetic, aliased, round caps and joins) in `color`,
// `tpp` twips per pixel.
QImage PintadoConPluma(int tpp, QColor color, const std::function<void(QPainter&)>& dibujar)
{
    QImage expected(100, 60, QImage::Format_RGB32);
    expected.fill(Qt::black);
    QPainter p(&expected);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setTransform(QTransform::fromScale(1.0 / tpp, 1.0 / tpp));
    QPen pen(color, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    p.setPen(pen);
    dibujar(p);
    p.end();
    return expected;
}

// A 100 x 60 pixel picture on black at 15 twips per pixel: pixel p is at
// 15 * p twips.
class PictureBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved_ = Screen();
        Screen().TwipsPerPixelX = 15;
        Screen().TwipsPerPixelY = 15;
        box_.Move(0, 0, 1500, 900);
        box_.SetBackColor(kBlack);
    }
    void TearDown() override { Screen() = saved_; }

    static QRgb Rgb(std::uint32_t bgr) { return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
    QRgb Kept(int x, int y) const { return box_.Image().pixel(x, y) & 0xFFFFFF; }

    ScreenInfo saved_;
    PictureBox box_;
};

TEST_F(PictureBoxTest, GeometryIsInTwipsAndScaleEqualsOuterSize)
{
    EXPECT_EQ(box_.width(), 100);
    EXPECT_EQ(box_.height(), 60);
    EXPECT_EQ(box_.Width(), 1500);
    EXPECT_EQ(box_.ScaleHeight(), 900);
}

TEST_F(PictureBoxTest, LineColoursItsPixelsEndsIncludedAndLeavesCurrentPointAtItsEnd)
{
    box_.Line(150, 150, 1350, 150, kRed);
    for (int x : {10, 50, 90})
        EXPECT_EQ(Kept(x, 10), Rgb(kRed) & 0xFFFFFF) << x;
    EXPECT_EQ(Kept(9, 10), 0u);
    EXPECT_EQ(Kept(91, 10), 0u);
    EXPECT_EQ(Kept(50, 11), 0u);
    EXPECT_EQ(box_.CurrentX, 1350);
    EXPECT_EQ(box_.CurrentY, 150);

    // Without a colour the line takes ForeColor; LineTo starts at the current point.
    box_.ForeColor = kGreen;
    box_.LineTo(1350, 600);
    EXPECT_EQ(Kept(90, 25), Rgb(kGreen) & 0xFFFFFF);
}

TEST_F(PictureBoxTest, BoxFormsDrawOutlineOrFill)
{
    box_.Line(300, 300, 600, 600, kGreen, LineForm::Box);
    EXPECT_EQ(Kept(20, 20), Rgb(kGreen) & 0xFFFFFF);
    EXPECT_EQ(Kept(40, 30), Rgb(kGreen) & 0xFFFFFF);
    EXPECT_EQ(Kept(30, 40), Rgb(kGreen) & 0xFFFFFF);
    EXPECT_EQ(Kept(30, 30), 0u) << "an outline box is hollow";

    box_.Line(900, 600, 750, 300, kBlue, LineForm::FilledBox); // corners in any order
    for (auto [x, y] : {std::pair{50, 20}, {55, 30}, {60, 40}})
        EXPECT_EQ(Kept(x, y), Rgb(kBlue) & 0xFFFFFF) << x << "," << y;
    EXPECT_EQ(Kept(61, 30), 0u);
}

// Filled boxes are written straight into the picture: the pixels must be
// those the painter fills for the box's pixel rectangle, at fractional
// corners, corners in any order and boxes reaching past any edge.
TEST_F(PictureBoxTest, FilledBoxesAreThePaintersFill)
{
    std::mt19937 rnd(5);
    std::uniform_real_distribution<double> at(-600.0, 2100.0);
    for (int i = 0; i < 300; ++i) {
        const double x1 = at(rnd), y1 = at(rnd) * 0.6, x2 = at(rnd), y2 = at(rnd) * 0.6;
        const std::uint32_t color =
            i % 5 == 0 ? 0x8000000Fu : 0x3377BBu + 0x10203u * static_cast<std::uint32_t>(i);
        box_.Cls();
        box_.Line(x1, y1, x2, y2, color, LineForm::FilledBox);

        QImage expected(100, 60, QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter p(&expected);
        p.fillRect(QRectF(QPointF(x1 / 15, y1 / 15), QPointF(x2 / 15, y2 / 15))
                       .normalized()
                       .toRect()
                       .adjusted(0, 0, 1, 1),
                   PenColor(color));
        p.end();
        ASSERT_TRUE(box_.Image().copy(0, 0, 100, 60) == expected) << "box " << i;
    }
}

TEST_F(PictureBoxTest, PenWidthAndStyle)
{
    box_.DrawWidth = 3;
    box_.Line(150, 300, 1350, 300, kRed);
    EXPECT_EQ(Kept(50, 19), Rgb(kRed) & 0xFFFFFF);
    EXPECT_EQ(Kept(50, 21), Rgb(kRed) & 0xFFFFFF);
    EXPECT_EQ(Kept(50, 23), 0u);

    box_.DrawWidth = 1;
    box_.DrawStyle = 2; // dotted: some pixels of the row stay background
    box_.Line(150, 600, 1350, 600, kRed);
    int lit = 0;
    for (int x = 10; x <= 90; ++x)
        lit += Kept(x, 40) != 0u;
    EXPECT_GT(lit, 10);
    EXPECT_LT(lit, 70);
}

TEST_F(PictureBoxTest, ClsFillsWithBackColorAndResetsCurrentPoint)
{
    box_.Line(0, 0, 1500, 900, kRed);
    box_.SetBackColor(kBlue); // setting BackColor clears, as Cls does
    EXPECT_EQ(Kept(50, 30), Rgb(kBlue) & 0xFFFFFF);
    box_.Line(0, 0, 1500, 900, kRed);
    box_.Cls();
    EXPECT_EQ(Kept(50, 30), Rgb(kBlue) & 0xFFFFFF);
    EXPECT_EQ(box_.CurrentX, 0);
    EXPECT_EQ(box_.CurrentY, 0);
}

TEST_F(PictureBoxTest, PolylineAndLinesDrawAsBatches)
{
    const QPointF pts[] = {{150, 150}, {750, 150}, {750, 750}};
    box_.Polyline(pts, 3, kYellow);
    EXPECT_EQ(Kept(30, 10), Rgb(kYellow) & 0xFFFFFF);
    EXPECT_EQ(Kept(50, 30), Rgb(kYellow) & 0xFFFFFF);
    EXPECT_EQ(box_.CurrentX, 750);
    EXPECT_EQ(box_.CurrentY, 750);

    const QLineF columns[] = {QLineF(1200, 150, 1200, 450), QLineF(1215, 300, 1215, 750)};
    box_.Lines(columns, 2, kRed);
    EXPECT_EQ(Kept(80, 20), Rgb(kRed) & 0xFFFFFF);
    EXPECT_EQ(Kept(81, 45), Rgb(kRed) & 0xFFFFFF);
    EXPECT_EQ(Kept(80, 45), 0u);
}

// A batch's segments that stand on whole pixels of one column are written
// as pixel columns: the picture must be the one the painter draws for the
// same batch with the same pen, edges and all, at any twips per pixel.
TEST_F(PictureBoxTest, LinesWritesPixelColumnsExactlyAsThePainterDrawsThem)
{
    for (const int tpp : {15, 12, 9}) {
        SCOPED_TRACE(tpp);
        Screen().TwipsPerPixelX = Screen().TwipsPerPixelY = tpp;
        PictureBox box;
        box.Move(0, 0, 100 * tpp, 60 * tpp);
        box.SetBackColor(kBlack);
        const auto px = [tpp](double p) { return p * tpp; };
        const std::vector<QLineF> lines{
            {px(10), px(5), px(10), px(40)},  // down
            {px(12), px(40), px(12), px(5)},  // up
            {px(14), px(20), px(14), px(20)}, // one pixel
            {px(0), px(-30), px(0), px(80)},  // through both edges, first column
            {px(99), px(50), px(99), px(70)}, // last column, past the bottom
            {px(-1), px(5), px(-1), px(40)},  // beside the picture
            {px(100), px(5), px(100), px(40)},       {px(20), px(-9), px(20), px(-1)}, // above it
            {px(30) + 3, px(5), px(30) + 3, px(40)}, // between pixel columns: the painter's
            {px(32), px(5) + 4, px(32), px(41)},     {px(40), px(5), px(41), px(40)}, // joining segments
            {px(50), px(30), px(60), px(31)},
        };
        box.Lines(lines.data(), lines.size(), kGreen);

        const QImage expected = PintadoConPluma(tpp, QColor(0, 255, 0), [&](QPainter& p) {
            p.drawLines(lines.data(), static_cast<int>(lines.size()));
        });
        EXPECT_TRUE(box.Image().copy(0, 0, 100, 60) == expected);
    }
}

// A desktop colour the painter blends (a translucent palette entry) is
// drawn by the painter, for segment batches as for polylines: writing its
// pixels would show it at full strength.
TEST_F(PictureBoxTest, TranslucentDesktopColoursAreBlendedLikeThePainters)
{
    const QPalette saved = QGuiApplication::palette();
    QPalette translucent = saved;
    translucent.setColor(QPalette::Active, QPalette::ButtonText, QColor(0, 255, 0, 128));
    QGuiApplication::setPalette(translucent);
    constexpr std::uint32_t kButtonText = 0x80000012u;
    const std::vector<QLineF> lines{{150, 75, 150, 600}, {300, 75, 315, 600}};
    const QPointF points[] = {{450, 75}, {450, 600}, {900, 600}};
    box_.Lines(lines.data(), lines.size(), kButtonText);
    box_.Polyline(points, 3, kButtonText);

    const QImage expected = PintadoConPluma(15, QColor(0, 255, 0, 128), [&](QPainter& p) {
        p.drawLines(lines.data(), static_cast<int>(lines.size()));
        p.drawPolyline(points, 3);
    });
    const QImage drawn = box_.Image().copy(0, 0, 100, 60);
    QGuiApplication::setPalette(saved);
    EXPECT_EQ(test::DifferentPixels(drawn, expected), 0);
}

TEST_F(PictureBoxTest, SegmentsReachingFarOutsideAreClippedNotDropped)
{
    // A scale gone wild (a channel near zero, a deep zoom) puts points far
    // outside; the visible part must still be drawn, and nothing may crash.
    box_.Line(-1.0e12, 450, 1.0e12, 450, kRed);
    EXPECT_EQ(Kept(0, 30), Rgb(kRed) & 0xFFFFFF);
    EXPECT_EQ(Kept(99, 30), Rgb(kRed) & 0xFFFFFF);

    const QPointF pts[] = {{150, 750}, {1.0e15, 750}, {std::nan(""), 0}, {150, 150}};
    box_.Polyline(pts, 4, kGreen);
    EXPECT_EQ(Kept(60, 50), Rgb(kGreen) & 0xFFFFFF);
    EXPECT_EQ(box_.CurrentX, 150);
    EXPECT_EQ(box_.CurrentY, 150);
}

TEST_F(PictureBoxTest, PrintDrawsTextAndMovesToTheNextLine)
{
    box_.ForeColor = 0xFFFFFF;
    box_.CurrentX = 300;
    box_.CurrentY = 150;
    box_.Print(QStringLiteral("WWW"));
    EXPECT_EQ(box_.CurrentX, 0);
    EXPECT_DOUBLE_EQ(box_.CurrentY, 150 + box_.TextHeight(QString()));
    int lit = 0;
    const int right = 20 + static_cast<int>(box_.TextWidth(QStringLiteral("WWW")) / 15);
    for (int y = 10; y < 10 + static_cast<int>(box_.TextHeight(QString()) / 15); ++y)
        for (int x = 0; x < 100; ++x)
            if (Kept(x, y) != 0u) {
                ++lit;
                EXPECT_GE(x, 19);
                EXPECT_LE(x, right + 1);
            }
    EXPECT_GT(lit, 10);
}

TEST_F(PictureBoxTest, KeptImageGrowsWithTheWidgetAndKeepsTheDrawing)
{
    box_.Line(150, 150, 1350, 150, kRed);
    box_.Move(0, 0, 750, 450);   // shrink: the drawing beyond stays kept
    box_.Move(0, 0, 3000, 1800); // grow
    box_.Line(2250, 1350, 2700, 1350, kGreen);
    EXPECT_EQ(Kept(90, 10), Rgb(kRed) & 0xFFFFFF);
    EXPECT_EQ(Kept(150, 90), Rgb(kGreen) & 0xFFFFFF);
    EXPECT_EQ(Kept(150, 100), 0u) << "new area starts as BackColor";
    const QImage shown = box_.RenderImage();
    EXPECT_EQ(shown.size(), QSize(200, 120));
    EXPECT_EQ(shown.pixel(90, 10) & 0xFFFFFF, Rgb(kRed) & 0xFFFFFF);
}

TEST_F(PictureBoxTest, LineControlsShowAboveThePictureWithoutTouchingIt)
{
    box_.Line(0, 450, 1500, 450, kRed);
    LineControl* cursor = box_.AddLine();
    cursor->SetBorderColor(kYellow);
    cursor->SetPoints(750, 0, 750, 900);
    const QImage keptBefore = box_.Image().copy();

    QImage shown = box_.RenderImage();
    EXPECT_EQ(shown.pixel(50, 10) & 0xFFFFFF, Rgb(kYellow) & 0xFFFFFF);
    EXPECT_EQ(shown.pixel(50, 30) & 0xFFFFFF, Rgb(kYellow) & 0xFFFFFF) << "the line lies above the trace";
    EXPECT_EQ(shown.pixel(20, 30) & 0xFFFFFF, Rgb(kRed) & 0xFFFFFF);

    cursor->SetX1(1050);
    cursor->SetX2(1050);
    shown = box_.RenderImage();
    EXPECT_EQ(shown.pixel(70, 10) & 0xFFFFFF, Rgb(kYellow) & 0xFFFFFF);
    EXPECT_EQ(shown.pixel(50, 10) & 0xFFFFFF, 0u);
    EXPECT_EQ(shown.pixel(50, 30) & 0xFFFFFF, Rgb(kRed) & 0xFFFFFF) << "the trace below reappears";

    cursor->SetVisible(false);
    shown = box_.RenderImage();
    EXPECT_EQ(shown.pixel(70, 10) & 0xFFFFFF, 0u);
    EXPECT_TRUE(box_.Image() == keptBefore);
}

TEST_F(PictureBoxTest, ALineControlKeepsItsDirectionHoweverFarItsEndLies)
{
    // A phasor from the centre: 30 pixels long at zoom 1, zoom 1.25^k. The
    // old drawing clamped each coordinate at a million pixels (from step 47
    // here), which bent every line towards a diagonal.
    LineControl* linea = box_.AddLine();
    linea->SetBorderColor(kYellow);
    const double pi = std::acos(-1.0);
    const double cx = 750, cy = 450;
    for (int paso : {0, 30, 46, 47, 55, 68}) {
        for (double grados :
             {0.0, 10.0, 30.0, 45.0, 60.0, 89.0, 91.0, 135.0, 200.0, 250.0, 300.0, 330.0, 359.0}) {
            const double r = 450.0 * std::pow(1.25, paso);
            const double a = grados * pi / 180.0;
            linea->SetPoints(cx, cy, cx + r * std::cos(a), cy - r * std::sin(a));
            const std::optional<QLineF> trazo = linea->DrawnPixels();
            ASSERT_TRUE(trazo.has_value()) << paso << " " << grados;
            EXPECT_NEAR(trazo->x1(), 50, 1e-6);
            EXPECT_NEAR(trazo->y1(), 30, 1e-6);
            double leido = std::atan2(-(trazo->y2() - trazo->y1()), trazo->x2() - trazo->x1()) * 180.0 / pi;
            if (leido < 0)
                leido += 360;
            EXPECT_NEAR(leido, grados, 1e-6) << "step " << paso;
            // It reaches the picture's edge once it is longer than the picture.
            if (paso >= 30) {
                const bool enBorde = std::abs(trazo->x2() + 3) < 1e-6 || std::abs(trazo->x2() - 103) < 1e-6 ||
                                     std::abs(trazo->y2() + 3) < 1e-6 || std::abs(trazo->y2() - 63) < 1e-6;
                EXPECT_TRUE(enBorde) << paso << " " << grados;
            }
        }
    }
    // What the picture shows follows the angle: 30 degrees at step 55.
    const double a = 30.0 * pi / 180.0;
    const double r = 450.0 * std::pow(1.25, 55);
    linea->SetPoints(cx, cy, cx + r * std::cos(a), cy - r * std::sin(a));
    const QImage shown = box_.RenderImage();
    for (int d : {10, 20, 28}) {
        const int x = static_cast<int>(std::lround(50 + d * std::cos(a)));
        const int y = static_cast<int>(std::lround(30 - d * std::sin(a)));
        bool cerca = false;
        for (int i = -1; i <= 1; ++i)
            for (int j = -1; j <= 1; ++j)
                cerca = cerca || (shown.pixel(x + i, y + j) & 0xFFFFFF) == (Rgb(kYellow) & 0xFFFFFF);
        EXPECT_TRUE(cerca) << d;
    }
}

// Records the regions the box repaints.
class PaintSpy : public QObject
{
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

TEST_F(PictureBoxTest, MovingALineControlRepaintsOnlyItsOldAndNewExtent)
{
    box_.Line(0, 450, 1500, 450, kRed);
    LineControl* cursor = box_.AddLine();
    cursor->SetPoints(300, 0, 300, 900);
    box_.show();
    QApplication::processEvents();

    PaintSpy spy;
    box_.installEventFilter(&spy);
    const QRect before = cursor->PixelExtent();
    const qint64 keptKey = box_.Image().cacheKey();
    cursor->SetPoints(900, 0, 900, 900);
    const QRect after = cursor->PixelExtent();
    QApplication::processEvents();
    box_.removeEventFilter(&spy);

    EXPECT_FALSE(spy.painted.isEmpty());
    EXPECT_TRUE((spy.painted - (QRegion(before) + QRegion(after))).isEmpty());
    EXPECT_LT(before.width(), 20);
    EXPECT_EQ(box_.Image().cacheKey(), keptKey);
}

TEST_F(PictureBoxTest, MouseEventsCarryButtonShiftAndTwips)
{
    struct Seen {
        int kind, button, shift;
        double x, y;
    };
    std::vector<Seen> seen;
    QObject::connect(&box_, &PictureBox::MouseDown, [&](int b, int s, double x, double y) {
        seen.push_back({0, b, s, x, y});
    });
    QObject::connect(&box_, &PictureBox::MouseMove, [&](int b, int s, double x, double y) {
        seen.push_back({1, b, s, x, y});
    });
    QObject::connect(&box_, &PictureBox::MouseUp, [&](int b, int s, double x, double y) {
        seen.push_back({2, b, s, x, y});
    });

    const QPointF at(10, 20), to(30, 40);
    QMouseEvent down(QEvent::MouseButtonPress, at, box_.mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                     Qt::ShiftModifier | Qt::ControlModifier);
    QMouseEvent move(QEvent::MouseMove, to, box_.mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::AltModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, to, box_.mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(&box_, &down);
    QApplication::sendEvent(&box_, &move);
    QApplication::sendEvent(&box_, &up);

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].button, 2);
    EXPECT_EQ(seen[0].shift, 3);
    EXPECT_EQ(seen[0].x, 150);
    EXPECT_EQ(seen[0].y, 300);
    EXPECT_EQ(seen[1].button, 3) << "MouseMove reports the buttons held, summed";
    EXPECT_EQ(seen[1].shift, 4);
    EXPECT_EQ(seen[1].x, 450);
    EXPECT_EQ(seen[2].button, 1);
    EXPECT_EQ(seen[2].y, 600);
}

} // namespace
} // namespace vesdra
