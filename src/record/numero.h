#pragma once
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

namespace vesdra {

// Number primitives shared by the record readers. None depends on the locale:
// the same file gives the same values on every machine.

// Blanks around a field (space, tab, CR, LF) cut off.
[[nodiscard]] std::string_view RecortarCampo(std::string_view field);

// A whole field as a number, as the ordinary text-to-number conversion takes
// an ASCII sample field: blanks round it allowed, "." decimal point, optional
// sign and exponent; anything else (an empty field, "12A") is no number.
[[nodiscard]] bool NumeroCampo(std::string_view field, double& out);

// To the nearest integer, halves to even; false when v lies outside the
// 32-bit range (or is not a number).
[[nodiscard]] bool RedondearEntero(double v, std::int32_t& out);

// A count or integer field: NumeroCampo, then RedondearEntero.
[[nodiscard]] bool EnteroCampo(std::string_view field, std::int32_t& out);

// Whether v can be held in single precision, the precision the sample
// matrices keep: finite and no larger than the largest float. A factor of
// the .cfg and every value scaled by it must be.
[[nodiscard]] inline bool EnSimple(double v)
{
    return std::fabs(v) <= static_cast<double>(std::numeric_limits<float>::max()); // false for NaN
}

// The largest magnitude a * x + b takes for a BINARY file's 16-bit value x
// (-32768 .. 32767): what a channel's factors, and a ratio after them, must
// keep within single precision. An ASCII file's factors are held to it too:
// its values are of that range (its copy from a BINARY file is), and one
// beyond it that the factors take out of single precision is a damaged
// field.
[[nodiscard]] inline double MayorBinario(double a, double b)
{
    return 32768.0 * std::fabs(a) + std::fabs(b);
}

} // namespace vesdra
