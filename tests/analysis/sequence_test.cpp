#include <gtest/gtest.h>

#include "analysis/polar.h"
#include "analysis/sequence.h"
#include "platform/base/formats.h"
#include "platform/base/vb_error.h"

namespace vesdra {
namespace {

// 100 at 0°, −120° and +120° as single-precision parts.
constexpr float kRe = -50.0f;
constexpr float kIm = 86.6025403784f;

QString Texto(float x, float y)
{
    return TextoValor(QStringLiteral("V"), QStringLiteral("1"), PolarGrados(x, y), QStringLiteral("kV"));
}

class SequenceTest : public ::testing::Test
{
protected:
    void SetUp() override { SetDecimalSeparatorForTests(QChar('.')); }
    void TearDown() override { SetDecimalSeparatorForTests(QChar()); }
};

// 0.866 stands for √3/2, so a balanced set does not quite cancel: the
// program has always shown 99.999 and .001 for a balanced 100.
TEST_F(SequenceTest, BalancedAbcSet)
{
    const Componentes k = ComponentesSimetricas(100.0f, 0.0f, kRe, -kIm, kRe, kIm);
    EXPECT_EQ(k.X1r, 99.9985352f);
    EXPECT_EQ(k.X1i, 0.0f);
    EXPECT_EQ(k.X2r, 0.00146744796f);
    EXPECT_EQ(k.X2i, 0.0f);
    EXPECT_EQ(k.X0r, 0.0f);
    EXPECT_EQ(k.X0i, 0.0f);
    EXPECT_EQ(Texto(k.X1r, k.X1i), "V1: 99.999 @ 0kV");
    EXPECT_EQ(Texto(k.X2r, k.X2i), "V1: .001 @ 0kV");
    EXPECT_EQ(Texto(k.X0r, k.X0i), "V1: 0kV");
}

TEST_F(SequenceTest, BalancedAcbSetIsAllNegativeSequence)
{
    const Componentes k = ComponentesSimetricas(100.0f, 0.0f, kRe, kIm, kRe, -kIm);
    EXPECT_EQ(k.X1r, 0.00146744796f);
    EXPECT_EQ(k.X2r, 99.9985352f);
    EXPECT_EQ(k.X1i, 0.0f);
    EXPECT_EQ(k.X2i, 0.0f);
}

TEST_F(SequenceTest, SinglePhaseSplitsIntoThreeEqualThirds)
{
    const Componentes k = ComponentesSimetricas(30.0f, 0.0f, 0, 0, 0, 0);
    EXPECT_EQ(k.X1r, 10.0f);
    EXPECT_EQ(k.X2r, 10.0f);
    EXPECT_EQ(k.X0r, 10.0f);
    EXPECT_EQ(k.X1i, 0.0f);
    EXPECT_EQ(k.X2i, 0.0f);
    EXPECT_EQ(k.X0i, 0.0f);
}

TEST_F(SequenceTest, ThreeEqualPhasorsAreAllZeroSequence)
{
    const Componentes k = ComponentesSimetricas(12.5f, -7.25f, 12.5f, -7.25f, 12.5f, -7.25f);
    EXPECT_EQ(k.X1r, 0.0f);
    EXPECT_EQ(k.X1i, 0.0f);
    EXPECT_EQ(k.X2r, 0.0f);
    EXPECT_EQ(k.X2i, 0.0f);
    EXPECT_EQ(k.X0r, 12.5f);
    EXPECT_EQ(k.X0i, -7.25f);
}

// Channels 1..3 balanced, 4..6 all on phase A; sets given in column order.
TEST_F(SequenceTest, TableHasSixColumnsPerSetInTheGivenOrder)
{
    TablaReal fasores(3, 12, 0.0f);
    const float parts[6][2] = {{100, 0}, {kRe, -kIm}, {kRe, kIm}, {30, 0}, {0, 0}, {0, 0}};
    for (std::int32_t r = 1; r <= 3; ++r)
        for (std::int32_t c = 1; c <= 6; ++c) {
            fasores(r, 2 * c - 1) = parts[c - 1][0];
            fasores(r, 2 * c) = parts[c - 1][1];
        }
    const TrioCanales sets[] = {{4, 5, 6}, {1, 2, 3}};
    const TablaReal t = CalcularComponentesSecuencia(fasores, sets);
    ASSERT_EQ(t.Rows(), 3);
    ASSERT_EQ(t.Cols(), 12);
    EXPECT_EQ(t(2, 1), 10.0f);
    EXPECT_EQ(t(2, 5), 10.0f);
    EXPECT_EQ(t(3, 7), 99.9985352f);
    EXPECT_EQ(t(3, 9), 0.00146744796f);

    const TrioCanales uno[] = {{1, 2, 3}};
    EXPECT_EQ(CalcularComponentesSecuencia(fasores, uno).Cols(), 6);
}

TEST_F(SequenceTest, ChannelWithoutPhasorColumnsIsRefused)
{
    const TablaReal fasores(4, 6, 0.0f);
    for (const TrioCanales s : {TrioCanales{1, 2, 4}, TrioCanales{0, 1, 2}}) {
        const TrioCanales sets[] = {s};
        try {
            (void)CalcularComponentesSecuencia(fasores, sets);
            FAIL() << "no error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, vberr::SubscriptOutOfRange);
        }
    }
}

} // namespace
} // namespace vesdra
