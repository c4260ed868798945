#pragma once
#include <cstdint>
#include <span>

#include "analysis/float_table.h"

namespace vesdra {

// The analog channels of the three phases of one three-phase set.
struct TrioCanales {
    std::int32_t A{0};
    std::int32_t B{0};
    std::int32_t C{0};
};

// Positive (X1), negative (X2) and zero (X0) sequence of one row, as real
// and imaginary parts: the six columns a set takes in ComponentesSecuencia.
struct Componentes {
    float X1r{0}, X1i{0};
    float X2r{0}, X2i{0};
    float X0r{0}, X0i{0};
};

// X1 = (VA + a·VB + a²·VC) / 3, X2 = (VA + a²·VB + a·VC) / 3,
// X0 = (VA + VB + VC) / 3 with a = −0.5 + j·0.866. The constants are 0.5 and
// 0.866 exactly (not √3/2): a balanced set of 100 shows 99.9985 and 0.0015,
// as the program always has. Sums in double, results stored in single.
[[nodiscard]] Componentes ComponentesSimetricas(float xA, float yA, float xB, float yB, float xC, float yC);

// ComponentesSecuencia for the given sets (one or two, in the order they
// take their six columns), one row per row of `fasores`, whose column 2c − 1
// is the real and 2c the imaginary part of channel c. Throws VbError 9 when
// a set names a channel that has no columns in `fasores`.
[[nodiscard]] TablaReal CalcularComponentesSecuencia(const TablaReal& fasores,
                                                     std::span<const TrioCanales> sets);

} // namespace vesdra
