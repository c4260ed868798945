#include "platform/base/trace_pyramid.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vesdra {

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// `v < m ? v : m` leaves a NaN v out, as every trace's own walk over its
// samples does.
void Fold(SampleExtremes& e, float lo, float hi)
{
    e.Min = lo < e.Min ? lo : e.Min;
    e.Max = hi > e.Max ? hi : e.Max;
}

#if defined(__SSE2__)
// Folds the floats [0, n) of p (n a multiple of 4) into lo and hi lane by
// lane, and hands back the lanes.
void FoldLanes(const float* p, std::int64_t n, SampleExtremes e, float (&lo)[4], float (&hi)[4])
{
    __m128 l = _mm_set1_ps(e.Min);
    __m128 h = _mm_set1_ps(e.Max);
    for (std::int64_t i = 0; i < n; i += 4) {
        const __m128 a = _mm_loadu_ps(p + i);
        l = _mm_min_ps(a, l);
        h = _mm_max_ps(a, h);
    }
    _mm_storeu_ps(lo, l);
    _mm_storeu_ps(hi, h);
}
#endif

void FoldSamples(const float* p, std::int64_t count, SampleExtremes& e)
{
    std::int64_t i = 0;
#if defined(__SSE2__)
    if (count >= 8) {
        float lo[4];
        float hi[4];
        i = count & ~std::int64_t{3};
        FoldLanes(p, i, e, lo, hi);
        for (int k = 0; k < 4; ++k)
            Fold(e, lo[k], hi[k]);
    }
#endif
    for (; i < count; ++i)
        Fold(e, p[i], p[i]);
}

void FoldEntries(const SampleExtremes* p, std::int64_t count, SampleExtremes& e)
{
    std::int64_t i = 0;
#if defined(__SSE2__)
    static_assert(sizeof(SampleExtremes) == 2 * sizeof(float));
    if (count >= 4) {
        // Two entries per register: lanes 0 and 2 are minima, 1 and 3 maxima.
        float lo[4];
        float hi[4];
        i = count & ~std::int64_t{1};
        FoldLanes(reinterpret_cast<const float*>(p), 2 * i, e, lo, hi);
        Fold(e, lo[0], hi[1]);
        Fold(e, lo[2], hi[3]);
    }
#endif
    for (; i < count; ++i)
        Fold(e, p[i].Min, p[i].Max);
}

// Extremes of one block. In vector registers where there are any: the
// vector min(v, m) is exactly v < m ? v : m lane by lane, NaN v included.
SampleExtremes BlockExtremes(const float* p, std::int64_t count)
{
#if defined(__SSE2__)
    if (count == 64) {
        __m128 lo0 = _mm_set1_ps(kInf), lo1 = lo0;
        __m128 hi0 = _mm_set1_ps(-kInf), hi1 = hi0;
        for (int i = 0; i < 64; i += 8) {
            const __m128 a = _mm_loadu_ps(p + i);
            const __m128 b = _mm_loadu_ps(p + i + 4);
            lo0 = _mm_min_ps(a, lo0);
            lo1 = _mm_min_ps(b, lo1);
            hi0 = _mm_max_ps(a, hi0);
            hi1 = _mm_max_ps(b, hi1);
        }
        alignas(16) float lo[8];
        alignas(16) float hi[8];
        _mm_store_ps(lo, lo0);
        _mm_store_ps(lo + 4, lo1);
        _mm_store_ps(hi, hi0);
        _mm_store_ps(hi + 4, hi1);
        SampleExtremes e{kInf, -kInf};
        for (int l = 0; l < 8; ++l)
            Fold(e, lo[l], hi[l]);
        return e;
    }
#endif
    constexpr int kLanes = 8;
    float lo[kLanes];
    float hi[kLanes];
    for (int l = 0; l < kLanes; ++l) {
        lo[l] = kInf;
        hi[l] = -kInf;
    }
    std::int64_t i = 0;
    for (; i + kLanes <= count; i += kLanes) {
        for (int l = 0; l < kLanes; ++l) {
            const float v = p[i + l];
            lo[l] = v < lo[l] ? v : lo[l];
            hi[l] = v > hi[l] ? v : hi[l];
        }
    }
    SampleExtremes e{kInf, -kInf};
    for (int l = 0; l < kLanes; ++l)
        Fold(e, lo[l], hi[l]);
    FoldSamples(p + i, count - i, e);
    return e;
}

std::uint8_t BlockHasOne(const std::uint8_t* p, std::int64_t count)
{
#if defined(__SSE2__)
    if (count == 64) {
        const __m128i uno = _mm_set1_epi8(1);
        __m128i any = _mm_setzero_si128();
        for (int i = 0; i < 64; i += 16)
            any = _mm_or_si128(any,
                               _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), uno));
        return static_cast<std::uint8_t>(_mm_movemask_epi8(any) != 0);
    }
#endif
    std::uint8_t any = 0;
    for (std::int64_t i = 0; i < count; ++i)
        any |= static_cast<std::uint8_t>(p[i] == 1);
    return any;
}

} // namespace

TracePyramid::TracePyramid(std::span<const float> samples) : size_(static_cast<std::int64_t>(samples.size()))
{
    if (size_ == 0)
        return;
    std::vector<SampleExtremes> level((static_cast<std::size_t>(size_) + kBlock - 1) / kBlock);
    for (std::size_t b = 0; b < level.size(); ++b) {
        const std::int64_t first = static_cast<std::int64_t>(b) * kBlock;
        level[b] = BlockExtremes(samples.data() + first, std::min(kBlock, size_ - first));
    }
    levels_.push_back(std::move(level));
    while (static_cast<std::int64_t>(levels_.back().size()) > kFanout) {
        const std::vector<SampleExtremes>& below = levels_.back();
        std::vector<SampleExtremes> up((below.size() + kFanout - 1) / kFanout, SampleExtremes{kInf, -kInf});
        for (std::size_t j = 0; j < below.size(); ++j)
            Fold(up[j / kFanout], below[j].Min, below[j].Max);
        levels_.push_back(std::move(up));
    }
}

void TracePyramid::FoldLevel(std::size_t level, std::int64_t from, std::int64_t to, SampleExtremes& e) const
{
    // Entries [from, to) of `level`: the whole entries of the level above
    // from there, the ends at this one.
    const SampleExtremes* p = levels_[level].data();
    if (level + 1 < levels_.size()) {
        const std::int64_t up0 = (from + kFanout - 1) / kFanout;
        const std::int64_t up1 = to / kFanout;
        if (up1 > up0) {
            FoldEntries(p + from, up0 * kFanout - from, e);
            FoldEntries(p + up1 * kFanout, to - up1 * kFanout, e);
            FoldLevel(level + 1, up0, up1, e);
            return;
        }
    }
    FoldEntries(p + from, to - from, e);
}

SampleExtremes TracePyramid::Range(std::span<const float> samples, std::int64_t from, std::int64_t to) const
{
    assert(static_cast<std::int64_t>(samples.size()) == size_);
    SampleExtremes e{kInf, -kInf};
    from = std::max<std::int64_t>(from, 0);
    const std::int64_t end = std::min(to + 1, size_);
    if (from >= end)
        return e;
    const float* p = samples.data();
    const std::int64_t b0 = (from + kBlock - 1) / kBlock;
    const std::int64_t b1 = end / kBlock;
    if (b1 <= b0) {
        FoldSamples(p + from, end - from, e);
        return e;
    }
    FoldSamples(p + from, b0 * kBlock - from, e);
    FoldSamples(p + b1 * kBlock, end - b1 * kBlock, e);
    FoldLevel(0, b0, b1, e);
    return e;
}

namespace {

std::int64_t LastSample(const float* p, std::int64_t from, std::int64_t to, float x)
{
    for (std::int64_t i = to - 1; i >= from; --i) {
        if (p[i] == x)
            return i;
    }
    return -1;
}

} // namespace

std::int64_t TracePyramid::LastInEntries(const float* p, std::size_t level, std::int64_t from,
                                         std::int64_t to, float x) const
{
    // Entries [from, to) of `level`, last first, each opened down to its
    // samples only when its extremes hold x.
    const std::vector<SampleExtremes>& entries = levels_[level];
    for (std::int64_t i = to - 1; i >= from; --i) {
        const SampleExtremes& e = entries[static_cast<std::size_t>(i)];
        if (!(e.Min <= x && x <= e.Max))
            continue;
        const std::int64_t r =
            level == 0
                ? LastSample(p, i * kBlock, std::min((i + 1) * kBlock, size_), x)
                : LastInEntries(p, level - 1, i * kFanout,
                                std::min<std::int64_t>((i + 1) * kFanout,
                                                       static_cast<std::int64_t>(levels_[level - 1].size())),
                                x);
        if (r >= 0)
            return r;
    }
    return -1;
}

std::int64_t TracePyramid::LastInLevel(const float* p, std::size_t level, std::int64_t from, std::int64_t to,
                                       float x) const
{
    if (level + 1 < levels_.size()) {
        const std::int64_t up0 = (from + kFanout - 1) / kFanout;
        const std::int64_t up1 = to / kFanout;
        if (up1 > up0) {
            std::int64_t r = LastInEntries(p, level, up1 * kFanout, to, x);
            if (r < 0)
                r = LastInLevel(p, level + 1, up0, up1, x);
            if (r < 0)
                r = LastInEntries(p, level, from, up0 * kFanout, x);
            return r;
        }
    }
    return LastInEntries(p, level, from, to, x);
}

std::int64_t TracePyramid::LastEqual(std::span<const float> samples, std::int64_t from, std::int64_t to,
                                     float x) const
{
    assert(static_cast<std::int64_t>(samples.size()) == size_);
    from = std::max<std::int64_t>(from, 0);
    const std::int64_t end = std::min(to + 1, size_);
    if (from >= end)
        return -1;
    const float* p = samples.data();
    const std::int64_t b0 = (from + kBlock - 1) / kBlock;
    const std::int64_t b1 = end / kBlock;
    if (b1 <= b0)
        return LastSample(p, from, end, x);
    std::int64_t r = LastSample(p, b1 * kBlock, end, x);
    if (r < 0)
        r = LastInLevel(p, 0, b0, b1, x);
    if (r < 0)
        r = LastSample(p, from, b0 * kBlock, x);
    return r;
}

void TracePyramid::Prefetch(std::span<const float> samples, std::int64_t from, std::int64_t to) const
{
    if (from > to || to >= size_ || from < 0)
        return;
    const float* p = samples.data();
    constexpr std::int64_t kLinea = 16; // floats per cache line
    for (std::int64_t k = 0; k < kBlock + kLinea; k += kLinea) {
        __builtin_prefetch(p + std::min(from + k, to));
        __builtin_prefetch(p + std::max(to - k, from));
    }
    // The level-0 entries next to both ends.
    if (!levels_.empty()) {
        const SampleExtremes* e = levels_[0].data();
        const std::int64_t last = static_cast<std::int64_t>(levels_[0].size()) - 1;
        __builtin_prefetch(e + std::min(from / kBlock, last));
        __builtin_prefetch(e + std::min(from / kBlock + kFanout, last));
        __builtin_prefetch(e + std::min(to / kBlock, last));
        __builtin_prefetch(e + std::max<std::int64_t>(to / kBlock - kFanout, 0));
    }
}

bool TracePyramid::ScalesExactly(double factor)
{
    return std::isfinite(factor) && factor != 0.0;
}

TracePyramid TracePyramid::Scaled(double factor) const
{
    assert(ScalesExactly(factor));
    TracePyramid t = *this;
    for (std::vector<SampleExtremes>& level : t.levels_) {
        for (SampleExtremes& e : level) {
            const auto a = static_cast<float>(static_cast<double>(e.Min) * factor);
            const auto b = static_cast<float>(static_cast<double>(e.Max) * factor);
            e = factor > 0.0 ? SampleExtremes{a, b} : SampleExtremes{b, a};
        }
    }
    return t;
}

std::size_t TracePyramid::Bytes() const
{
    std::size_t n = 0;
    for (const auto& level : levels_)
        n += level.size() * sizeof(SampleExtremes);
    return n;
}

StatePyramid::StatePyramid(std::span<const std::uint8_t> states)
    : size_(static_cast<std::int64_t>(states.size()))
{
    if (size_ == 0)
        return;
    // Level 0 from the states; every level above from the one below, until
    // one word holds a level.
    std::int64_t bits = (size_ + kBlock - 1) / kBlock;
    std::vector<std::uint64_t> level(static_cast<std::size_t>((bits + 63) / 64), 0);
    for (std::int64_t b = 0; b < bits; ++b) {
        const std::int64_t first = b * kBlock;
        if (BlockHasOne(states.data() + first, std::min(kBlock, size_ - first)) != 0)
            level[static_cast<std::size_t>(b / 64)] |= std::uint64_t{1} << (b % 64);
    }
    levels_.push_back(std::move(level));
    while (levels_.back().size() > 1) {
        const std::vector<std::uint64_t>& below = levels_.back();
        std::vector<std::uint64_t> up((below.size() + 63) / 64, 0);
        for (std::size_t w = 0; w < below.size(); ++w) {
            if (below[w] != 0)
                up[w / 64] |= std::uint64_t{1} << (w % 64);
        }
        levels_.push_back(std::move(up));
    }
}

namespace {

// Whether bits [from, to) of a bit level hold a 1.
bool AnyBit(const std::vector<std::uint64_t>& bits, std::int64_t from, std::int64_t to)
{
    if (from >= to)
        return false;
    const std::int64_t w0 = from / 64;
    const std::int64_t w1 = (to - 1) / 64;
    const std::uint64_t head = ~std::uint64_t{0} << (from % 64);
    const std::uint64_t tail = ~std::uint64_t{0} >> (63 - (to - 1) % 64);
    if (w0 == w1)
        return (bits[static_cast<std::size_t>(w0)] & head & tail) != 0;
    if ((bits[static_cast<std::size_t>(w0)] & head) != 0 || (bits[static_cast<std::size_t>(w1)] & tail) != 0)
        return true;
    for (std::int64_t w = w0 + 1; w < w1; ++w) {
        if (bits[static_cast<std::size_t>(w)] != 0)
            return true;
    }
    return false;
}

// Whether states [from, to) hold a 1, eight at a time.
bool AnyOneState(const std::uint8_t* p, std::int64_t from, std::int64_t to)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    std::int64_t i = from;
    for (; i + 8 <= to; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        const std::uint64_t x = w ^ kOnes; // a byte 0 where the state is 1
        if (((x - kOnes) & ~x & kHigh) != 0)
            return true;
    }
    for (; i < to; ++i) {
        if (p[i] == 1)
            return true;
    }
    return false;
}

} // namespace

bool StatePyramid::AnyInLevel(std::size_t level, std::int64_t from, std::int64_t to) const
{
    // Bits [from, to) of `level`: the whole words above, the ends here.
    const std::vector<std::uint64_t>& bits = levels_[level];
    if (level + 1 < levels_.size()) {
        const std::int64_t up0 = (from + 63) / 64;
        const std::int64_t up1 = to / 64;
        if (up1 > up0)
            return AnyBit(bits, from, up0 * 64) || AnyBit(bits, up1 * 64, to) ||
                   AnyInLevel(level + 1, up0, up1);
    }
    return AnyBit(bits, from, to);
}

bool StatePyramid::AnyOne(std::span<const std::uint8_t> states, std::int64_t from, std::int64_t to) const
{
    assert(static_cast<std::int64_t>(states.size()) == size_);
    from = std::max<std::int64_t>(from, 0);
    const std::int64_t end = std::min(to + 1, size_);
    if (from >= end)
        return false;
    const std::uint8_t* p = states.data();
    // The states of a part block are read only when its bit says it holds a 1.
    const auto parte = [&](std::int64_t a, std::int64_t b) {
        return a < b && AnyBit(levels_[0], a / kBlock, a / kBlock + 1) && AnyOneState(p, a, b);
    };
    const std::int64_t b0 = (from + kBlock - 1) / kBlock;
    const std::int64_t b1 = end / kBlock;
    if (b1 <= b0)
        return parte(from, std::min(end, b0 * kBlock)) || parte(std::max(from, b0 * kBlock), end);
    return parte(from, b0 * kBlock) || parte(b1 * kBlock, end) || AnyInLevel(0, b0, b1);
}

} // namespace vesdra
