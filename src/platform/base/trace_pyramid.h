#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vesdra {

// Least and greatest value of a run of samples, NaN left out. A run with no
// value but NaN holds +inf / -inf: the pair compares as empty (Min > Max)
// and neither end ever wins a comparison against a sample.
struct SampleExtremes {
    float Min;
    float Max;
    [[nodiscard]] bool Empty() const { return Min > Max; }
    bool operator==(const SampleExtremes&) const = default;
};

// Block extremes of one channel at several resolutions, built once from its
// samples so that the extremes of any run of them cost a few dozen block
// reads and at most two part blocks of samples at the run's ends, however
// long the run.
//
// Level 0 holds the extremes of each block of kBlock samples; every further
// level one entry per kFanout entries of the level below, up to a level of
// at most kFanout entries. A block's first and last values are its own
// samples and are not kept. The tables take about 1/28 of the samples'
// memory.
//
// The tables say nothing of the samples once those change: whoever owns the
// samples drops or rebuilds them with every change.
class TracePyramid
{
public:
    static constexpr std::int64_t kBlock = 64;
    static constexpr std::int64_t kFanout = 8;

    TracePyramid() = default;
    explicit TracePyramid(std::span<const float> samples);

    // Samples summarised.
    [[nodiscard]] std::int64_t Size() const { return size_; }

    // Extremes of samples [from, to] (0-based, inclusive) of `samples`, the
    // very samples the tables were built from. Empty for an empty range.
    [[nodiscard]] SampleExtremes Range(std::span<const float> samples, std::int64_t from,
                                       std::int64_t to) const;

    // Asks the memory for what Range(samples, from, to) will read at the
    // run's two ends, for a caller that knows its next runs ahead.
    void Prefetch(std::span<const float> samples, std::int64_t from, std::int64_t to) const;

    // The last position in [from, to] whose sample compares equal to x, or
    // -1: only blocks whose extremes hold x are read.
    [[nodiscard]] std::int64_t LastEqual(std::span<const float> samples, std::int64_t from, std::int64_t to,
                                         float x) const;

    // The tables of the samples each multiplied by `factor` in double and
    // rounded once to float: exact for a finite factor other than 0, since
    // rounding keeps order (a negative factor swaps the ends). Any other
    // factor must have the tables built from the scaled samples.
    [[nodiscard]] TracePyramid Scaled(double factor) const;
    [[nodiscard]] static bool ScalesExactly(double factor);

    // Bytes the tables take.
    [[nodiscard]] std::size_t Bytes() const;

    bool operator==(const TracePyramid&) const = default;

private:
    void FoldLevel(std::size_t level, std::int64_t from, std::int64_t to, SampleExtremes& e) const;
    [[nodiscard]] std::int64_t LastInLevel(const float* p, std::size_t level, std::int64_t from,
                                           std::int64_t to, float x) const;
    [[nodiscard]] std::int64_t LastInEntries(const float* p, std::size_t level, std::int64_t from,
                                             std::int64_t to, float x) const;

    std::int64_t size_{0};
    std::vector<std::vector<SampleExtremes>> levels_;
};

// Per block of kBlock digital states one bit: whether any of them is the
// state 1; above it one bit per kBlock bits, and so on. Whether a run of
// states holds a 1 costs a few word reads at each end. A state other than 0
// or 1 (an ASCII field kept as written) counts as not 1.
class StatePyramid
{
public:
    static constexpr std::int64_t kBlock = 64;

    StatePyramid() = default;
    explicit StatePyramid(std::span<const std::uint8_t> states);

    [[nodiscard]] std::int64_t Size() const { return size_; }

    // Whether states [from, to] (0-based, inclusive) of `states` hold a 1.
    [[nodiscard]] bool AnyOne(std::span<const std::uint8_t> states, std::int64_t from, std::int64_t to) const;

    bool operator==(const StatePyramid&) const = default;

private:
    [[nodiscard]] bool AnyInLevel(std::size_t level, std::int64_t from, std::int64_t to) const;

    std::int64_t size_{0};
    std::vector<std::vector<std::uint64_t>> levels_; // bit b of word w: block 64 w + b
};

} // namespace vesdra
