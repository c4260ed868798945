#pragma once
#include <QStringView>
#include <cstdint>
#include <optional>

namespace vesdra {

// Channel numbers and the value columns they name: the one place that maps
// a channel to its samples.
//
// The rule. A channel number of this program -- column 1 of TablaCanales
// (the record's own rows or a template's), a template's analog rows and the
// phases of its three-phase sets, a template's digital members -- is the
// channel's position among the .cfg's analog (digital) lines, 1..NumAnalogicos
// (1..NumDigitales). That position is the channel's column in Valores,
// ValoresOtroLado (both sides of a 1997 record), MinimosCanal / MaximosCanal
// and the phasor table (EstadosDigitales for a digital channel).
//
// The number a recorder writes at the head of a channel's .cfg line is kept
// only as text (RecordModel::NumerosAnalogicos / NumerosDigitales): real
// recorders number with gaps (1, 2, 4, 5, 6) or from any start (10..14), so
// it never names a column. For a record numbered 1..n (or 0..n-1), the only
// kind templates were ever made for, the written number and the position
// are the same, so every .cnf file keeps its meaning. The template wizard
// numbers a new template's rows 1..n the same way and keeps the channel of
// every row of a template it modifies.

// The whole-number value of a channel-number cell or a count: blanks round it
// ignored, rounded to the nearest integer (halves to even); nothing for an
// empty or non-numeric text or one beyond 32 bits.
[[nodiscard]] std::optional<std::int32_t> EnteroCelda(QStringView text);

// The value column that channel number `numero` names among `columnas`
// channels; nothing when it is no whole number or outside 1..columnas.
[[nodiscard]] std::optional<std::int32_t> ColumnaDeCanal(QStringView numero, std::int32_t columnas);

// The same for a number already read (a three-phase set's phase).
[[nodiscard]] std::optional<std::int32_t> ColumnaDeCanal(std::int32_t numero, std::int32_t columnas);

// The text form, failing as the views do: VbError 13 (type mismatch) for a cell
// that is no whole number, 9 (subscript out of range) for a number outside
// 1..columnas.
[[nodiscard]] std::int32_t ColumnaDeCanalOError(QStringView numero, std::int32_t columnas);

// The column of Registro().Valores that row `fila` of Registro().TablaCanales
// names (the record's own row or the applied template's). VbError 9 for a
// row outside the table or a channel the record lacks, 13 for a number cell
// that is no whole number.
[[nodiscard]] std::int32_t ColumnaAnalogica(std::int32_t fila);
// The same, without failing: nothing when the row names no column.
[[nodiscard]] std::optional<std::int32_t> ColumnaAnalogicaSiHay(std::int32_t fila);

// The column of Registro().EstadosDigitales of digital channel number
// `numero` (a template member): VbError 9 when the record has no such
// channel.
[[nodiscard]] std::int32_t ColumnaDigital(std::int32_t numero);

} // namespace vesdra
