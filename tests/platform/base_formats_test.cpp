#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/formats.h"

namespace vesdra {
namespace {

class Formats : public ::testing::Test
{
protected:
    void SetUp() override { SetDecimalSeparatorForTests(QLatin1Char('.')); }
    void TearDown() override { SetDecimalSeparatorForTests({}); }
};

TEST_F(Formats, DigitPatternsAsTheViewsShowThem)
{
    const struct {
        double value;
        const char* pattern;
        const char* out;
    } cases[] = {
        // "0.000": three decimals always, at least one whole digit.
        {0, "0.000", "0.000"},
        {1.23456, "0.000", "1.235"},
        {-12.3, "0.000", "-12.300"},
        {0.0005, "0.000", "0.001"}, // halves away from zero
        {-0.0005, "0.000", "-0.001"},
        {1.0005, "0.000", "1.001"}, // on the decimal digits, not the binary value
        {2.675, "0.00", "2.68"},
        {0.96, "0.0", "1.0"},
        {999.9996, "0.000", "1000.000"},
        {2.5, "0", "3"},
        {-0.4, "0", "0"},
        {-0.0001, "0.000", "0.000"}, // no "-0.000"
        // "#.###" / "#.##": no leading zero, no trailing zeros, separator always.
        {0.5, "#.###", ".5"},
        {12, "#.###", "12."},
        {0, "#.###", "."},
        {-90, "#.##", "-90."},
        {53.130102354, "#.##", "53.13"},
        {5, "#.###", "5."},
        {-0.25, "#.##", "-.25"},
        {0.0004, "#.###", "."},
        {1234.5678, "#.###", "1234.568"},
        {0.9999, "#.###", "1."},
        {1e20, "#.##", "100000000000000000000."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), QString::fromLatin1(c.out)) << c.value << " " << c.pattern;
}

TEST_F(Formats, SinglesRoundOnceOnTheirExactBinaryValue)
{
    // Each Single's shortest text ends in 5 at the first digit dropped; the
    // value itself lies on one side of that half (or exactly on it, then away
    // from zero). Rounding the shortest text instead gave the upper column.
    const struct {
        float value;
        const char* pattern;
        const char* out;
    } cases[] = {
        {2566.43945f, "0.000", "2566.439"}, // 2566.439453125 (not 2566.440)
        {442.0005f, "0.000", "442.000"},    // 442.00048828125 (not 442.001)
        {0.1235f, "0.000", "0.123"},        // 0.12349999696...
        {3.0015f, "0.000", "3.001"},
        {1234.5675f, "0.000", "1234.568"}, // 1234.56750488...: above the half
        {8.0045f, "0.000", "8.005"},
        {0.0015f, "0.000", "0.002"},
        {0.0625f, "0.000", "0.063"}, // exactly half: away from zero
        {-2566.43945f, "0.000", "-2566.439"},
        {-442.0005f, "0.000", "-442.000"},
        {-7.2345f, "0.000", "-7.234"},
        {-0.0625f, "0.000", "-0.063"},
        {-0.0005f, "0.000", "-0.001"}, // -0.000500000023...
        {-0.0045f, "0.000", "-0.004"},
        {2566.43945f, "#.###", "2566.439"},
        {0.1235f, "#.###", ".123"},
        {-7.2345f, "#.###", "-7.234"},
        {0.0625f, "#.###", ".063"},
        {1.005f, "#.##", "1."}, // 1.00499999...
        {2.675f, "#.##", "2.67"},
        {16.125f, "#.##", "16.13"}, // exactly half
        {-1.015f, "#.##", "-1.01"},
        {-16.125f, "#.##", "-16.13"},
        {0.0045f, "#.##", "."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern), QString::fromLatin1(c.out)) << c.value << " " << c.pattern;
    // A Single and the Double holding the same binary value agree.
    EXPECT_EQ(Format(0.1235f, "0.000"), Format(static_cast<double>(0.1235f), "0.000"));
    EXPECT_EQ(Format(7, "0.000"), QStringLiteral("7.000"));
    EXPECT_EQ(Format(-3L, "#.##"), QStringLiteral("-3."));
}

TEST_F(Formats, SeparatorIsTheUsersOne)
{
    SetDecimalSeparatorForTests(QLatin1Char(','));
    EXPECT_EQ(Format(0.5, u"#.###"), QStringLiteral(",5"));
    EXPECT_EQ(Format(12.0, QStringLiteral("0.000")), QStringLiteral("12,000"));
    EXPECT_EQ(Format(3.0, "0"), QStringLiteral("3"));
}

TEST_F(Formats, UnknownPatternWritesThePlainNumber)
{
    EXPECT_EQ(Format(12.5, "General"), QStringLiteral("12.5"));
    EXPECT_EQ(Format(-2.0, ""), QStringLiteral("-2"));
}

TEST(HoraAmPm, TwelveHourClockWithTwoDigits)
{
    const struct {
        int h, m;
        const char* out;
    } cases[] = {{0, 0, "12:00 AM"},  {0, 5, "12:05 AM"},   {9, 7, "09:07 AM"},
                 {12, 0, "12:00 PM"}, {13, 30, "01:30 PM"}, {23, 59, "11:59 PM"}};
    for (const auto& c : cases)
        EXPECT_EQ(HoraAmPm(QTime(c.h, c.m)), QString::fromLatin1(c.out));
}

} // namespace
} // namespace vesdra
