#pragma once
#include <QString>
#include <cstdint>

namespace vesdra::digital {

// The analog channel a row of TablaCanales names: the column of the value
// matrices its samples are in (column 1 of the row, which a template may
// list in any order), its caption and its unit text.
struct CanalAnalogico {
    std::int32_t Columna{0};
    QString Nombre{};
    QString Unidad{};
};
// Throws the subscript error (9) for a row outside the table or a column
// outside Valores, the type mismatch (13) for a column cell that is no
// whole number.
[[nodiscard]] CanalAnalogico LeerCanalAnalogico(std::int32_t fila);

// A cursor's value box: the value with three decimals, one blank, the unit
// as stored (an empty unit leaves the blank).
[[nodiscard]] QString TextoValorCursor(float valor, const QString& unidad);

// The time between two cursors, "<ms> ms" with three decimals, whichever
// cursor is on the left. A sampling rate of 0 throws the division-by-zero
// error (11).
[[nodiscard]] QString TextoTiempoCursores(std::int32_t cursor1, std::int32_t cursor2,
                                          std::int32_t frecuenciaMuestreo);

// A box's text scrolled sideways by p characters: from character p + 1 on,
// at most largo - p of them; empty once p reaches the text's end.
[[nodiscard]] QString TextoDesplazado(const QString& texto, std::int32_t p, std::int32_t largo);

} // namespace vesdra::digital
