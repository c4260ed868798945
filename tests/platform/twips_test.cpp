#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/base/screen.h"
#include "platform/twips.h"

namespace vesdra {
namespace {

class TwipsTest : public ::testing::Test
{
protected:
    void SetUp() override { saved_ = Screen(); }
    void TearDown() override { Screen() = saved_; }
    ScreenInfo saved_;
};

TEST_F(TwipsTest, TwipsPerPixelFollowsLogicalDpi)
{
    const std::pair<double, std::int32_t> cases[] = {{96, 15}, {120, 12}, {144, 10},
                                                     {72, 20}, {0, 15},   {-5, 15}};
    for (auto [dpi, tpp] : cases)
        EXPECT_EQ(TwipsPerPixelForDpi(dpi), tpp) << dpi;
}

TEST_F(TwipsTest, ScreenIsFilledFromThePrimaryScreenIn32Bits)
{
    Screen() = ScreenInfo{1, 1, 1, 1};
    InitScreenFromDesktop();
    const QScreen* s = QGuiApplication::primaryScreen();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Screen().TwipsPerPixelX, TwipsPerPixelForDpi(s->logicalDotsPerInchX()));
    EXPECT_EQ(Screen().WidthTwips, s->size().width() * Screen().TwipsPerPixelX);
    EXPECT_EQ(Screen().HeightTwips, s->size().height() * Screen().TwipsPerPixelY);
}

TEST_F(TwipsTest, ControlGeometryReadsBackWholePixels)
{
    Screen().TwipsPerPixelX = Screen().TwipsPerPixelY = 15;
    QWidget parent;
    QWidget child(&parent);
    MoveTwips(child, 1000, 50, 2500, 7);
    EXPECT_EQ(child.geometry(), QRect(67, 3, 167, 0));
    // A layout that reads a control just placed sees the rounded value.
    EXPECT_EQ(LeftTwips(child), 1005);
    EXPECT_EQ(WidthTwips(child), 2505);
    SetHeightTwips(child, 3000);
    EXPECT_EQ(HeightTwips(child), 3000);
    EXPECT_EQ(TopTwips(child), 45);

    // 120 DPI: 12 twips a pixel.
    Screen().TwipsPerPixelX = Screen().TwipsPerPixelY = 12;
    SetWidthTwips(child, 2400);
    EXPECT_EQ(child.width(), 200);
    EXPECT_EQ(WidthTwips(child), 2400);
}

TEST_F(TwipsTest, FormSizeIncludesTheFrameScaleSizeIsTheClientArea)
{
    Screen().TwipsPerPixelX = Screen().TwipsPerPixelY = 15;
    const QMargins frame = DefaultFormFrame();
    QWidget form; // never shown: the default frame applies
    SetFormSizeTwips(form, 9000, 6000);
    EXPECT_EQ(FormWidthTwips(form), 9000);
    EXPECT_EQ(FormHeightTwips(form), 6000);
    EXPECT_EQ(ScaleWidthTwips(form), 9000 - 15 * (frame.left() + frame.right()));
    EXPECT_EQ(ScaleHeightTwips(form), 6000 - 15 * (frame.top() + frame.bottom()));

    // Inside an MDI area the sub-window is the frame.
    QMdiArea area;
    area.resize(1200, 900);
    auto* view = new QWidget;
    QMdiSubWindow* sub = area.addSubWindow(view);
    area.show();
    sub->show();
    SetFormSizeTwips(*view, 9000, 6000);
    EXPECT_EQ(sub->size(), QSize(600, 400));
    EXPECT_EQ(FormWidthTwips(*view), 9000);
    EXPECT_LT(ScaleWidthTwips(*view), 9000);
    EXPECT_LT(ScaleHeightTwips(*view), 6000);
    EXPECT_EQ(FormWidthTwips(*view) - ScaleWidthTwips(*view),
              15 * (FormFrame(*view).left() + FormFrame(*view).right()));
}

} // namespace
} // namespace vesdra
