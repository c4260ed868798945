#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/formats.h"

namespace vesdra
{
namespace
{

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

TEST_F(Formats, SingleValuesRoundOnTheirOwnDigits)
{
    // 0.1235f is 0.12349999... as a double; shown as a Single it is 0.1235.
    EXPECT_EQ(Format(0.1235f, "0.000"), QStringLiteral("0.124"));
    EXPECT_EQ(Format(static_cast<double>(0.1235f), "0.000"), QStringLiteral("0.123"));
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
