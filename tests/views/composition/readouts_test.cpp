#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/formats.h"
#include "views/composition/colores.h"
#include "views/composition/composition_readouts.h"

using namespace vesdra;
using namespace vesdra::composicion;

namespace {
struct PuntoDecimal {
    PuntoDecimal() { SetDecimalSeparatorForTests(QLatin1Char('.')); }
    ~PuntoDecimal() { SetDecimalSeparatorForTests(QChar()); }
};
} // namespace

TEST(CompositionColours, SlotColoursAndTraceColoursDifferForFourAndFive)
{
    const std::int32_t slot[] = {9, 10, 12, 11, 14, 13};
    const std::int32_t trazo[] = {9, 10, 12, 1, 5, 13};
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(color(k), slot[k - 1]) << k;
        EXPECT_EQ(ColorTrazo(k), trazo[k - 1]) << k;
    }
    for (int k : {0, 7, -1, 255}) {
        EXPECT_FALSE(color(k).has_value()) << k;
        EXPECT_FALSE(ColorTrazo(k).has_value()) << k;
    }
}

TEST(CompositionScale, CommonScaleFromLargestMagnitude)
{
    struct Caso {
        const char* que;
        std::vector<Extremos> extremos;
        double alto;
        double escala;
    };
    const Caso casos[] = {
        {"all channels zero", {{0, 0}, {0, 0}}, 3000, 0.96},
        {"one channel -2..5", {{-2, 5}}, 5000, 480},
        {"magnitude from the minimum", {{-50, 20}}, 5000, 48},
        {"small channel shares the large one's scale", {{-2, 2}, {-400, 400}}, 5000, 6},
    };
    for (const Caso& c : casos)
        EXPECT_NEAR(EscalaComun(c.extremos, c.alto), c.escala, 1e-9) << c.que;
}

TEST(CompositionReadouts, SampleTimeAndValueTexts)
{
    PuntoDecimal punto;
    EXPECT_EQ(TextoMuestra(250), " No.: 250");
    EXPECT_EQ(TextoTiempo(1, 101, 1000), QString("100.000 ms"));
    EXPECT_EQ(TextoTiempo(101, 1, 1200), QString("83.333 ms"));
    EXPECT_EQ(TextoTiempo(7, 7, 1000), QString("0.000 ms"));
    EXPECT_EQ(TextoValor("IA", 12.3456f, "A"), "IA: 12.346 A");
    EXPECT_EQ(TextoValor("VB", -0.5f, "kV"), "VB: -0.500 kV");
}

TEST(CompositionReadouts, ZeroSamplingRateKeepsTheTimeReadout)
{
    EXPECT_FALSE(TextoTiempo(1, 101, 0).has_value());
}

TEST(CompositionReadouts, SideScrollCutsTheStartOfTheText)
{
    const QString t = "IA: 12.346 A";
    EXPECT_EQ(TextoDesplazado(t, 0, 12), t);
    EXPECT_EQ(TextoDesplazado(t, 4, 12), "12.346 A");
    EXPECT_EQ(TextoDesplazado("VB: 1.000 V", 4, 12), "1.000 V");
    EXPECT_EQ(TextoDesplazado(t, 12, 12), "");
    EXPECT_EQ(TextoDesplazado("", 3, 12), "");
}
