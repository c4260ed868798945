#pragma once
#include <QString>
#include <array>
#include <cstdint>

#include "record/array.h"

namespace vesdra {

// The eight slots of the waveform choice dialog: per slot the channel's name
// and its row number as decimal text, and the selected slot (1..8).
struct CasillasOndas {
    static constexpr std::int32_t NumCasillas = 8;
    std::array<QString, NumCasillas + 1> Nombres{}; // 1-based: element 0 unused
    std::array<QString, NumCasillas + 1> Numeros{};
    std::int32_t Seleccionada{1};
};

// A double-click on the channel list: puts the entry's text and row into the
// selected slot, unless an earlier slot already holds that same text and row
// (then nothing changes), and moves the selection to the next slot; at slot 8
// the selection stays, so the next double-click replaces slot 8.
// Returns whether the slots changed.
bool ColocarCanal(CasillasOndas& casillas, const QString& texto, std::int32_t fila);

// Empties slot i (a double-click on its name) and selects it.
void VaciarCasilla(CasillasOndas& casillas, std::int32_t i);

// The chosen rows, 1..numAnalogicos: 1 for the row of every slot whose name,
// trimmed, is not empty (a row in two slots counts once). A number box that
// is not a whole number throws VbError 13; a row outside 1..numAnalogicos
// throws VbError 9.
[[nodiscard]] Array<std::int32_t> CanalesElegidos(const CasillasOndas& casillas, std::int32_t numAnalogicos);

// Rows marked 1.
[[nodiscard]] std::int32_t CuentaElegidos(const Array<std::int32_t>& visibles);

} // namespace vesdra
