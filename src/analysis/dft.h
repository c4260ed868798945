#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/float_table.h"
#include "record/matrix.h"

namespace vesdra {

// Samples per cycle N: the sampling rate over the line frequency, divided in
// floating point and rounded to the nearest integer, halves to the even one
// (1000 Hz at 60 Hz gives 17, 125 Hz at 50 Hz gives 2). 0 when the line
// frequency is not positive or the quotient rounds to 0; a quotient beyond
// 32-bit range also gives 0, as no record can fill such a cycle.
[[nodiscard]] std::int32_t MuestrasPorCicloDft(std::int32_t frecuenciaMuestreo, std::int32_t frecuenciaLinea);

// Row of the weight tables for table row k (k >= 1, n >= 1): k modulo n, or n
// when the remainder is 0, so rows n, 2n, 3n... share weight row n.
[[nodiscard]] constexpr std::int32_t IndiceCiclo(std::int64_t k, std::int32_t n)
{
    const auto r = static_cast<std::int32_t>(k % n);
    return r == 0 ? n : r;
}

// Weight tables of one channel, weight row i at element [i - 1]: the weight
// angle 2·skew·lf·1e-6·180 + (360/n)·i degrees (held in single precision) and
// √2·sin, √2·cos of it over n, with π taken as 3.14159.
struct PesosDFT {
    std::vector<float> Senos;
    std::vector<float> Cosenos;
};
[[nodiscard]] PesosDFT CalcularPesosDFT(float desfase, std::int32_t frecuenciaLinea, std::int32_t n);

// The phasor table of every analog column of `valores` (sample, channel) by
// the sliding one-cycle DFT with n samples per cycle: rows 1..5·n + samples,
// columns 2c − 1 (sine-weighted) and 2c (cosine-weighted) per channel c.
// desfase(c) is channel c's skew in microseconds (missing entries count as 0).
//
// The recursion keeps the original's numbers: single-precision storage, each
// update evaluated in double from single-precision operands and rounded to
// single, row after row. Cost O(rows × channels), one pass; groups of
// channels run on a few worker threads, the caller waiting for them.
//
// Throws VbError: 9 when the record holds fewer than n samples (the lead-in
// repeats the first cycle, which must exist) or n < 1; 6 when the row count
// exceeds 32-bit range; 7 when memory runs out. Nothing is left half-built.
[[nodiscard]] TablaReal CalcularTablaFasores(const Matrix<float>& valores, std::span<const float> desfase,
                                             std::int32_t frecuenciaLinea, std::int32_t n);

// Builds Analisis().Fasores (and its counts) from the open record's Valores,
// Desfase, FrecuenciaLinea and FrecuenciaMuestreo(). On failure throws
// VbError and leaves the previous table in place.
void CalcularFasores();

} // namespace vesdra
