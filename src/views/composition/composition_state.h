#pragma once
#include <QPointer>
#include <array>
#include <cstdint>
#include <vector>

#include "record/array.h"
#include "record/matrix.h"
#include "views/composition/composition_readouts.h"

class QString;

namespace vesdra {

class frmVerCmpang;

// Process-wide state of the analog composition views: what the build writes
// for its windows and what the shell reads and resets.
struct ComposicionState {
    // (composition 1..3, channel row 1..NumAnalogicos + 1): 1 when the row is
    // in the composition; column NumAnalogicos + 1 is 1 while the
    // composition has a window. Re-created by every build.
    Matrix<std::uint8_t> SeleccionComposicion;
    // Element n (1..3) is the window of composition n of the last build.
    std::array<QPointer<frmVerCmpang>, 4> VentanasComposicion{};
    // Compositions in use at the last build, counted down as their windows
    // close (never below 0).
    std::int32_t NumVentanasComposicion{0};
    // False while a build runs: the windows ignore their resizes until then.
    bool ComposicionesListas{false};

    // Extremes per column of Valores, taken once per build, so that neither
    // a window nor a resize walks every sample again. The process-wide
    // extremes cannot serve: any other view may replace them meanwhile.
    Array<float> MinimosValores;
    Array<float> MaximosValores;
};

ComposicionState& Composiciones();

namespace composicion {

// Channel rows of composition n as the slots name them: rows whose flag in
// SeleccionComposicion(n, .) is 1, in increasing order. Rows beyond the
// matrix (e.g. after the record was closed) are simply absent.
[[nodiscard]] std::vector<std::int32_t> FilasElegidas(const Matrix<std::uint8_t>& seleccion, std::int32_t n);

// The build's step from slot number texts (1-based, 18 of them, "" for an
// empty slot) to the selection matrix (3, numAnalogicos + 1) with the in-use
// flags set. A text that is not an integer throws VbError 13; a row outside
// 1..numAnalogicos throws VbError 9.
[[nodiscard]] Matrix<std::uint8_t> SeleccionDesdeCasillas(const std::array<QString, 19>& numeros,
                                                          std::int32_t numAnalogicos);

// Compositions whose in-use flag is set.
[[nodiscard]] std::int32_t ComposicionesEnUso(const Matrix<std::uint8_t>& seleccion);
[[nodiscard]] bool EnUso(const Matrix<std::uint8_t>& seleccion, std::int32_t n);

// The extremes of column col of Valores as the last build took them (the
// smallest and largest sample); a column the build did not take (the record changed since)
// is read from its block tables, or walked once.
[[nodiscard]] Extremos ExtremosColumna(std::int32_t col);

} // namespace composicion
} // namespace vesdra
