#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "analysis/dft.h"
#include "platform/base/vb_error.h"

namespace vesdra {
namespace {

// A (samples × channels) matrix filled by f(sample, channel).
template <typename F> Matrix<float> Senales(std::int32_t muestras, std::int32_t canales, F f)
{
    Matrix<float> m(muestras, canales);
    for (std::int32_t c = 1; c <= canales; ++c)
        for (std::int32_t s = 1; s <= muestras; ++s)
            m(s, c) = static_cast<float>(f(s, c));
    return m;
}

TEST(MuestrasPorCiclo, RoundsTheQuotientHalvesToEven)
{
    struct Caso {
        std::int32_t tasa, linea, n;
    };
    const Caso casos[] = {
        {1000, 60, 17}, {1200, 60, 20}, {1000, 50, 20}, {1250, 60, 21},
        {125, 50, 2},   {75, 50, 2},    {25, 50, 0},    {1000, 0, 0},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(MuestrasPorCicloDft(c.tasa, c.linea), c.n) << c.tasa << " / " << c.linea;
}

TEST(IndiceCiclo, MapsMultiplesOfTheCycleToItsLastRow)
{
    EXPECT_EQ(IndiceCiclo(17, 17), 17);
    EXPECT_EQ(IndiceCiclo(18, 17), 1);
    EXPECT_EQ(IndiceCiclo(34, 17), 17);
    EXPECT_EQ(IndiceCiclo(40, 17), 6);
    EXPECT_EQ(IndiceCiclo(5, 1), 1);
}

TEST(CalcularTablaFasores, ShapeAndEmptyFirstCycle)
{
    const Matrix<float> v = Senales(100, 3, [](auto s, auto c) { return s * c; });
    const TablaReal f = CalcularTablaFasores(v, {}, 60, 17);
    ASSERT_EQ(f.Rows(), 5 * 17 + 100);
    ASSERT_EQ(f.Cols(), 6);
    for (std::int32_t j = 1; j <= 6; ++j)
        for (std::int32_t r = 1; r <= 17; ++r)
            EXPECT_EQ(f(r, j), 0.0f);
}

// Row values worked out independently, following the recursion row by row
// with single-precision storage and double-precision updates: N = 4, two
// channels, the second with a 1000 µs skew (18° at 50 Hz).
TEST(CalcularTablaFasores, GoldenRows)
{
    const float muestras[2][8] = {{1.5f, -2.25f, 3.0f, 0.5f, 4.0f, -1.0f, 2.5f, 0.75f},
                                  {10.0f, 0.0f, -10.0f, 0.0f, 12.0f, 1.0f, -9.0f, -0.5f}};
    const Matrix<float> v = Senales(8, 2, [&](auto s, auto c) { return muestras[c - 1][s - 1]; });
    const float desfase[] = {0.0f, 1000.0f};
    const TablaReal f = CalcularTablaFasores(v, desfase, 50, 4);
    ASSERT_EQ(f.Rows(), 28);
    struct Fila {
        std::int32_t r;
        float s1, c1, s2, c2;
    };
    const Fila golden[] = {
        {5, 0.530330062f, 7.03639273e-07f, 3.36249447f, -1.09253478f},
        {8, -0.530333161f, 0.972268283f, 6.7249918f, -2.1850605f},
        {27, 0.530328155f, 0.530328453f, 6.95198774f, -2.63056445f},
        {28, 0.530327678f, 0.618716776f, 6.89736176f, -2.79868937f},
    };
    for (const Fila& g : golden) {
        EXPECT_EQ(f(g.r, 1), g.s1) << "row " << g.r;
        EXPECT_EQ(f(g.r, 2), g.c1) << "row " << g.r;
        EXPECT_EQ(f(g.r, 3), g.s2) << "row " << g.r;
        EXPECT_EQ(f(g.r, 4), g.c2) << "row " << g.r;
    }
}

TEST(CalcularTablaFasores, FirstFilledRowIsTheFirstSampleTimesTheFirstWeights)
{
    const Matrix<float> v = Senales(40, 1, [](auto s, auto) { return 3.0 + s; });
    const TablaReal f = CalcularTablaFasores(v, {}, 60, 17);
    const PesosDFT p = CalcularPesosDFT(0.0f, 60, 17);
    EXPECT_EQ(f(18, 1), static_cast<float>(4.0 * p.Senos[0]));
    EXPECT_EQ(f(18, 2), static_cast<float>(4.0 * p.Cosenos[0]));
}

// A cosine of exactly N samples per cycle stands still: the same phasor at
// every row once the window is full, A/√2 at the skew's angle.
TEST(CalcularTablaFasores, SteadySineGivesRmsAtTheSkewAngleOnEveryFullRow)
{
    constexpr std::int32_t n = 20;
    constexpr double amplitud = 100.0;
    const Matrix<float> v =
        Senales(4000, 2, [](auto s, auto) { return amplitud * std::cos(2.0 * std::numbers::pi * s / n); });
    const float desfase[] = {0.0f, 2500.0f}; // 45° at 50 Hz
    const TablaReal f = CalcularTablaFasores(v, desfase, 50, n);
    const double rms = amplitud / std::sqrt(2.0);
    const double fi[] = {0.0, 45.0 * std::numbers::pi / 180.0};
    double peor = 0.0;
    for (std::int32_t c = 1; c <= 2; ++c) {
        for (std::int32_t r = 2 * n; r <= f.Rows(); ++r) {
            peor = std::max(peor, std::fabs(f(r, 2 * c) - rms * std::cos(fi[c - 1])));
            peor = std::max(peor, std::fabs(f(r, 2 * c - 1) - rms * std::sin(fi[c - 1])));
        }
    }
    // The weights' π of 3.14159 and the single-precision recursion.
    EXPECT_LT(peor, 2e-3);
}

TEST(CalcularTablaFasores, DirectCurrentSumsToAboutZero)
{
    const Matrix<float> v = Senales(2000, 1, [](auto, auto) { return 250.0; });
    const TablaReal f = CalcularTablaFasores(v, {}, 60, 17);
    for (std::int32_t r = 2 * 17; r <= f.Rows(); ++r) {
        ASSERT_NEAR(f(r, 1), 0.0, 1e-3) << r;
        ASSERT_NEAR(f(r, 2), 0.0, 1e-3) << r;
    }
}

// The recursion against an N-term sum in double with the same weights, over
// a long noisy record: the single-precision recursion drifts like a random
// walk, far below the signal.
TEST(CalcularTablaFasores, AgreesWithDirectSumOnLongRecord)
{
    constexpr std::int32_t n = 24;
    constexpr std::int32_t muestras = 200000;
    std::mt19937 gen(7);
    std::normal_distribution<double> ruido(0.0, 5.0);
    const Matrix<float> v = Senales(muestras, 2, [&](auto s, auto c) {
        return 100.0 * c * std::sin(2.0 * std::numbers::pi * s / n + c) + 20.0 + ruido(gen);
    });
    const float desfase[] = {0.0f, -120.0f};
    const TablaReal f = CalcularTablaFasores(v, desfase, 60, n);
    double peor = 0.0;
    for (std::int32_t c = 1; c <= 2; ++c) {
        const PesosDFT p = CalcularPesosDFT(desfase[c - 1], 60, n);
        for (std::int32_t s = 2 * n; s <= muestras; s += 997) {
            double sumS = 0.0;
            double sumC = 0.0;
            for (std::int32_t m = s - n + 1; m <= s; ++m) {
                const std::int32_t k = IndiceCiclo(m, n);
                sumS += static_cast<double>(v(m, c)) * p.Senos[static_cast<size_t>(k - 1)];
                sumC += static_cast<double>(v(m, c)) * p.Cosenos[static_cast<size_t>(k - 1)];
            }
            peor = std::max(peor, std::fabs(f(5 * n + s, 2 * c - 1) - sumS));
            peor = std::max(peor, std::fabs(f(5 * n + s, 2 * c) - sumC));
        }
    }
    EXPECT_LT(peor, 5e-3); // on phasors of up to about 141
}

TEST(CalcularTablaFasores, OneCycleRecordStillFillsTheTable)
{
    const Matrix<float> v =
        Senales(17, 1, [](auto s, auto) { return std::cos(2.0 * std::numbers::pi * s / 17); });
    const TablaReal f = CalcularTablaFasores(v, {}, 60, 17);
    EXPECT_EQ(f.Rows(), 102);
    EXPECT_NEAR(f(102, 2), 1.0 / std::sqrt(2.0), 1e-4);
}

TEST(CalcularTablaFasores, RecordShorterThanACycleIsRefused)
{
    const Matrix<float> v = Senales(16, 2, [](auto s, auto) { return s; });
    try {
        (void)CalcularTablaFasores(v, {}, 60, 17);
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vberr::SubscriptOutOfRange);
    }
    EXPECT_THROW((void)CalcularTablaFasores(Matrix<float>{}, {}, 60, 17), VbError);
}

// More than 32767 rows: counts are 32-bit.
TEST(CalcularTablaFasores, RecordsBeyond32767SamplesAreComputed)
{
    const Matrix<float> v =
        Senales(40000, 1, [](auto s, auto) { return std::cos(2.0 * std::numbers::pi * s / 20); });
    const TablaReal f = CalcularTablaFasores(v, {}, 50, 20);
    ASSERT_EQ(f.Rows(), 40100);
    EXPECT_NEAR(f(40100, 2), 1.0 / std::sqrt(2.0), 1e-3);
}

} // namespace
} // namespace vesdra
