#include <gtest/gtest.h>

#include "platform/base/screen.h"
#include "shell/view_sizes.h"

using namespace vesdra;

TEST(ViewSizes, FollowScreenWidthAndFontSize)
{
    const ScreenInfo antes = Screen();
    struct Caso {
        int anchoPx, altoPx, tpp;
        double dAncho, dAlto;
    };
    const Caso casos[] = {
        {1024, 768, 15, 1.005, 1.104}, {640, 480, 15, 1.0077, 1.177},
        {800, 600, 12, 1.0077, 1.15},  {1024, 768, 12, 1.005, 1.115},
        {800, 600, 15, 1.005, 1.1364}, {3840, 2160, 15, 1.005, 1.104}, // wider than 16-bit twips
    };
    for (const Caso& c : casos) {
        Screen() = ScreenInfo{c.anchoPx * c.tpp, c.altoPx * c.tpp, c.tpp, c.tpp};
        EXPECT_FLOAT_EQ(AnchoVista(), static_cast<float>(c.anchoPx * c.tpp / c.dAncho)) << c.anchoPx;
        EXPECT_FLOAT_EQ(AltoVista(), static_cast<float>(c.altoPx * c.tpp / c.dAlto)) << c.anchoPx;
        EXPECT_EQ(AnchoPantalla(), c.anchoPx);
    }
    Screen() = antes;
}
