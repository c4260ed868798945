#include <gtest/gtest.h>

#include <vector>

#include "analysis/polar.h"
#include "platform/base/formats.h"

namespace vesdra {
namespace {

class PolarTest : public ::testing::Test
{
protected:
    void SetUp() override { SetDecimalSeparatorForTests(QChar('.')); }
    void TearDown() override { SetDecimalSeparatorForTests(QChar()); }
};

TEST_F(PolarTest, AnglesOnAxesAndInEveryQuadrant)
{
    struct Caso {
        float x, y, magnitud, angulo;
        const char* texto;
    };
    const Caso casos[] = {
        {0, 5, 5, 90, "90."},
        {0, -5, 5, -90, "-90."},
        {5, 0, 5, 0, "."},
        {-5, 0, 5, 180, "180."},
        {0, 0, 0, 90, "90."}, // the zero phasor reads 90
        {1, 1, 1.4142135f, 45.0000421f, "45."},
        {-1, 1, 1.4142135f, 134.999958f, "135."},
        {-1, -1, 1.4142135f, 225.000042f, "225."},
        {1, -1, 1.4142135f, -45.0000421f, "-45."},
        {3, 4, 5, 53.1301346f, "53.13"},
    };
    for (const Caso& c : casos) {
        const Polar p = PolarGrados(c.x, c.y);
        EXPECT_FLOAT_EQ(p.Magnitud, c.magnitud) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(p.Angulo, c.angulo) << c.x << "," << c.y;
        EXPECT_EQ(Format(p.Angulo, "#.##"), QString::fromLatin1(c.texto)) << c.x << "," << c.y;
    }
}

TEST_F(PolarTest, ValueLinePutsTheUnitStraightAfterTheAngle)
{
    EXPECT_EQ(TextoValor("IA", "1", {1.5f, 30.25f}, "A"), "IA1: 1.5 @ 30.25A");
    EXPECT_EQ(TextoValor("VB: x", "", PolarGrados(3, 4), "V"), "VB: x: 5. @ 53.13V");
    EXPECT_EQ(TextoValor("I", "0", {0.25f, -90}, ""), "I0: .25 @ -90.");
}

// The "#" patterns alone write a value that rounds to 0 as the separator
// (".@-14.51kV"): a magnitude that reads 0 is the number 0 without the angle
// it has no use for, and an angle of 0 is 0.
TEST_F(PolarTest, AValueThatRoundsToZeroReadsZero)
{
    struct Caso {
        Polar p;
        QChar separador;
        const char* texto;
    };
    const Caso casos[] = {
        {{0.0f, 90.0f}, QChar('.'), "0kV"},      // the zero phasor
        {{0.0004f, -14.51f}, QChar('.'), "0kV"}, // a balanced set's negative sequence
        {{0.0005f, -14.51f}, QChar('.'), ".001@-14.51kV"},
        {{5.0f, 0.0f}, QChar('.'), "5.@0kV"},
        {{5.0f, -0.004f}, QChar('.'), "5.@0kV"},
        {{0.0f, 0.0f}, QChar(','), "0kV"},
        {{2.5f, 0.0f}, QChar(','), "2,5@0kV"},
    };
    for (const Caso& c : casos) {
        SetDecimalSeparatorForTests(c.separador);
        EXPECT_EQ(TextoMagnitudAngulo(c.p, "kV", "@"), QString::fromUtf8(c.texto))
            << c.p.Magnitud << " " << c.p.Angulo;
    }
    SetDecimalSeparatorForTests(QChar('.'));
    EXPECT_EQ(TextoValor("VA", "0", {0.0f, 90.0f}, "kV"), "VA0: 0kV");
}

TEST_F(PolarTest, ScalesAndZoomSteps)
{
    EXPECT_EQ(RadioDiagrama(9000, 4032), 2016.0f);
    EXPECT_EQ(RadioDiagrama(3000, 4032), 1500.0f);
    EXPECT_EQ(EscalaBase(2016, 0), 0.0f);
    EXPECT_EQ(EscalaBase(2000, 100), 20.0f);
    EXPECT_EQ(FactorZoomPaso(0), 1.0f);
    EXPECT_EQ(FactorZoomPaso(3), 1.953125f);
    EXPECT_EQ(FactorZoomPaso(-1), 0.8f);
    EXPECT_EQ(FactorZoomPaso(-2), 0.64f);
    EXPECT_EQ(Coordenada(20.0f, 70.5f, 1.25f), 1762.5f);
}

TEST_F(PolarTest, LargestMagnitudes)
{
    TablaReal pares(3, 4, 0.0f);
    pares(1, 1) = 3;
    pares(1, 2) = 4; // pair 1: 5 at row 1
    pares(3, 1) = -6;
    pares(3, 2) = 8; // pair 1: 10 at row 3
    pares(2, 3) = 0;
    pares(2, 4) = -2; // pair 2: 2
    const std::vector<float> m = MaximosMagnitud(pares);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], 10.0f);
    EXPECT_EQ(m[1], 2.0f);

    const float maximos[] = {50, 7, 9, 120};
    EXPECT_EQ(MaximoSecuencias(maximos), 120.0f);
}

TEST(MaximoFases, LargestExtremeAmongTheChosenSetsChannels)
{
    // Channel 1 a large current, 2..4 voltages, 5..7 currents smaller than
    // channel 1, channel 8 a negative extreme.
    const float maximos[] = {8000, 38, 40, 39, 600, 650, 620, -900};
    struct Caso {
        const char* nombre;
        std::vector<std::int32_t> canales;
        float maximo;
    };
    const Caso casos[] = {
        {"channel 1 in the set and the largest", {1, 5, 6}, 8000},
        {"channel 1 in the second set", {2, 3, 4, 7, 1, 6}, 8000},
        {"channel 1 outside: the voltages fill the diagram", {2, 3, 4}, 40},
        {"channel 1 outside, two sets", {2, 3, 4, 5, 6, 7}, 650},
        {"a negative extreme counts by its size", {2, 8, 3}, 900},
        {"channels out of range are skipped", {0, 3, 99}, 40},
        {"no set chosen", {}, 0},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(MaximoFases(maximos, c.canales), c.maximo) << c.nombre;
}

TEST(CoordenadaValida, LimitsLineEndsTo32BitTwips)
{
    EXPECT_TRUE(CoordenadaValida(2.0e9));
    EXPECT_FALSE(CoordenadaValida(3.0e9));
    EXPECT_FALSE(CoordenadaValida(-3.0e9));
    EXPECT_FALSE(CoordenadaValida(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(CoordenadaValida(std::numeric_limits<double>::quiet_NaN()));
}

} // namespace
} // namespace vesdra
