#include "views/waves/lecturas.h"

#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/formats.h"
#include "platform/base/vb_error.h"

namespace vesdra {
namespace {

class Readouts : public ::testing::Test
{
protected:
    void SetUp() override { SetDecimalSeparatorForTests(QLatin1Char('.')); }
    void TearDown() override { SetDecimalSeparatorForTests(QChar()); }
};

TEST_F(Readouts, SampleNumbersValuesAndDifferences)
{
    EXPECT_EQ(TextoNumeroMuestra(125), QStringLiteral("No.= 125"));
    EXPECT_EQ(TextoNumeroMuestra(1), QStringLiteral("No.= 1"));
    EXPECT_EQ(TextoNumeroMuestra(1000000), QStringLiteral("No.= 1000000")); // beyond 16 bits
    EXPECT_EQ(TextoValor(-1.5f, QStringLiteral("kV")), QStringLiteral("-1.500 kV"));
    EXPECT_EQ(TextoDiferenciaValores(-1.5f, 2.25f, QStringLiteral("kV")), QStringLiteral("3.750 kV"));
    EXPECT_EQ(TextoDiferenciaValores(2.25f, -1.5f, QStringLiteral("kV")), QStringLiteral("3.750 kV"));
    EXPECT_EQ(TextoDiferenciaValores(7.0f, 7.0f, QStringLiteral("A")), QStringLiteral("0.000 A"));
    EXPECT_EQ(TextoLecturaBanda(QStringLiteral("IA"), -1.5f, QStringLiteral("A")),
              QStringLiteral("IA: -1.500 A"));

    SetDecimalSeparatorForTests(QLatin1Char(','));
    EXPECT_EQ(TextoValor(0.25f, QStringLiteral("A")), QStringLiteral("0,250 A"));
}

TEST_F(Readouts, TimeBetweenCursors)
{
    struct Case {
        double s1, s2;
        std::int32_t rate;
        const char* text;
    };
    for (const Case& c : {Case{120, 100, 1000, "20.000 ms"}, Case{100, 120, 1000, "20.000 ms"},
                          Case{101, 100, 1200, "0.833 ms"}, Case{7, 7, 1200, "0.000 ms"},
                          Case{1, 1000000, 1000, "999999.000 ms"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextoTiempoEntre(c.s1, c.s2, c.rate), QString::fromLatin1(c.text));
    }
    EXPECT_THROW((void)TextoTiempoEntre(1, 2, 0), VbError);
}

TEST_F(Readouts, SidewaysScrollOfBandTexts)
{
    const QString t = QStringLiteral("IA: -1.500 A");
    EXPECT_EQ(TextoDesplazado(t, 0, 20), t);
    EXPECT_EQ(TextoDesplazado(t, 3, 20), QStringLiteral(" -1.500 A"));
    EXPECT_EQ(TextoDesplazado(t, 3, 6), QStringLiteral(" -1"));
    EXPECT_EQ(TextoDesplazado(t, 12, 20), QString());
    EXPECT_EQ(TextoDesplazado(t, 40, 50), QString());
}

} // namespace
} // namespace vesdra
