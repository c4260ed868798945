#include "platform/base/trace_pyramid.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace vesdra {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Three levels and a part block at the end; NaN here and there, and one
// block holding nothing else.
std::vector<float> Samples(std::int64_t n)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> d(-500.0f, 500.0f);
    std::vector<float> v(static_cast<size_t>(n));
    for (float& x : v)
        x = d(rng);
    for (std::int64_t k = 5; k < n; k += 97)
        v[static_cast<size_t>(k)] = kNaN;
    for (std::int64_t k = 128; k < 192; ++k)
        v[static_cast<size_t>(k)] = kNaN;
    v[0] = kNaN;
    return v;
}

SampleExtremes Walk(const std::vector<float>& v, std::int64_t from, std::int64_t to)
{
    SampleExtremes e{kInf, -kInf};
    for (std::int64_t k = from; k <= to; ++k) {
        const float x = v[static_cast<size_t>(k)];
        if (!std::isnan(x)) {
            e.Min = std::min(e.Min, x);
            e.Max = std::max(e.Max, x);
        }
    }
    return e;
}

TEST(TracePyramid, RangesMatchTheWalkAtEveryBlockBoundary)
{
    const std::int64_t n = 64 * 8 * 8 * 3 + 37;
    const std::vector<float> v = Samples(n);
    const TracePyramid p(v);
    ASSERT_EQ(p.Size(), n);
    struct Caso {
        std::int64_t from, to;
    };
    std::vector<Caso> casos{{0, 0},         {0, 63},         {0, 64},    {63, 64},    {64, 127},
                            {1, 126},       {63, 4096},      {511, 512}, {100, 5000}, {0, n - 1},
                            {n - 1, n - 1}, {n - 70, n - 1}, {128, 191}, {130, 150},  {4095, 8193}};
    std::mt19937 rng(3);
    std::uniform_int_distribution<std::int64_t> pos(0, n - 1);
    for (int i = 0; i < 300; ++i) {
        std::int64_t a = pos(rng), b = pos(rng);
        casos.push_back({std::min(a, b), std::max(a, b)});
    }
    for (const Caso& c : casos) {
        const SampleExtremes e = p.Range(v, c.from, c.to);
        EXPECT_EQ(e, Walk(v, c.from, c.to)) << c.from << ".." << c.to;
    }
    // A run of NaN alone is empty; an empty range too.
    EXPECT_TRUE(p.Range(v, 130, 150).Empty());
    EXPECT_TRUE(p.Range(v, 10, 9).Empty());
    EXPECT_LE(p.Bytes(), v.size() * sizeof(float) / 8);
}

TEST(TracePyramid, ScaledTablesAreTheTablesOfTheScaledSamples)
{
    const std::vector<float> v = Samples(5000);
    const TracePyramid p(v);
    for (const double f : {1.0, 2.5, -0.3, 1e36, -1e-42, 5.0 / 1200.0, 132000.0 / 110.0}) {
        ASSERT_TRUE(TracePyramid::ScalesExactly(f));
        std::vector<float> w(v);
        for (float& x : w) // overflows to inf, underflows to 0 for the extreme factors
            x = static_cast<float>(static_cast<double>(x) * f);
        EXPECT_TRUE(p.Scaled(f) == TracePyramid(w)) << f;
    }
    for (const double f : {0.0, double{kInf}, double{kNaN}})
        EXPECT_FALSE(TracePyramid::ScalesExactly(f)) << f;
}

// The last sample equal to a value, as a walk from the end finds it: values
// met often, once, never, a NaN (never equal) and 0 against -0.
TEST(TracePyramid, LastEqualFindsWhatTheWalkFinds)
{
    const std::int64_t n = 64 * 8 * 8 * 2 + 51;
    std::vector<float> v(static_cast<size_t>(n));
    std::mt19937 rng(9);
    std::uniform_int_distribution<int> d(-40, 40);
    for (float& x : v)
        x = static_cast<float>(d(rng));
    for (std::int64_t k = 3; k < n; k += 101)
        v[static_cast<size_t>(k)] = kNaN;
    v[4000] = 1000.0f;
    v[4001] = -0.0f;
    const TracePyramid p(v);
    const auto walk = [&](std::int64_t a, std::int64_t b, float x) {
        for (std::int64_t k = b; k >= a; --k)
            if (v[static_cast<size_t>(k)] == x)
                return k;
        return std::int64_t{-1};
    };
    std::uniform_int_distribution<std::int64_t> pos(0, n - 1);
    for (int i = 0; i < 300; ++i) {
        std::int64_t a = pos(rng), b = pos(rng);
        if (a > b)
            std::swap(a, b);
        for (const float x : {40.0f, -40.0f, 7.0f, 1000.0f, 999.0f, 0.0f, kNaN}) {
            ASSERT_EQ(p.LastEqual(v, a, b, x), walk(a, b, x)) << a << ".." << b << " " << x;
        }
    }
    EXPECT_EQ(p.LastEqual(v, 0, n - 1, 1000.0f), 4000);
    EXPECT_EQ(p.LastEqual(v, 0, 4001, 0.0f), 4001);
    EXPECT_EQ(p.LastEqual(v, 5, 4, 1.0f), -1);
}

TEST(StatePyramid, AnyOneMatchesTheWalkAtEveryBlockBoundary)
{
    // Sparse ones, states other than 0 and 1 (which are not 1), and long
    // stretches without a 1 across whole upper-level blocks.
    const std::int64_t n = 64 * 64 * 3 + 29;
    std::vector<std::uint8_t> e(static_cast<size_t>(n), 0);
    for (std::int64_t k = 0; k < n; k += 211)
        e[static_cast<size_t>(k)] = k % 3 == 0 ? 2 : 1;
    for (std::int64_t k = 4096; k < 8192 + 70; ++k)
        e[static_cast<size_t>(k)] = k % 5 == 0 ? 255 : 0;
    e[static_cast<size_t>(n - 1)] = 1;
    const StatePyramid p(e);
    const auto walk = [&](std::int64_t a, std::int64_t b) {
        for (std::int64_t k = a; k <= b; ++k)
            if (e[static_cast<size_t>(k)] == 1)
                return true;
        return false;
    };
    std::vector<std::pair<std::int64_t, std::int64_t>> casos{{0, 0},       {0, 63},        {63, 64},
                                                             {211, 211},   {212, 421},     {4096, 8191},
                                                             {4000, 8300}, {n - 1, n - 1}, {0, n - 1}};
    std::mt19937 rng(5);
    std::uniform_int_distribution<std::int64_t> pos(0, n - 1);
    for (int i = 0; i < 400; ++i) {
        std::int64_t a = pos(rng), b = pos(rng);
        casos.emplace_back(std::min(a, b), std::min(std::max(a, b), std::min(a, b) + (i % 2 ? 300 : n)));
    }
    for (const auto& [a, b] : casos)
        EXPECT_EQ(p.AnyOne(e, a, b), walk(a, b)) << a << ".." << b;
    EXPECT_FALSE(p.AnyOne(e, 9, 8));
}

} // namespace
} // namespace vesdra
