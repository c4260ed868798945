#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

namespace vesdra::composicion {

// Extremes of one chosen channel (its column's minimum and maximum).
struct Extremos {
    float Minimo{0};
    float Maximo{0};
};

// The window's common vertical scale, twips per unit: the largest magnitude
// of the chosen channels spans 48/50 of half the picture height alto. When
// every chosen channel is 0 throughout, the magnitude is taken as alto / 2
// (0.96 twips per unit): the traces lie on the time axis.
[[nodiscard]] double EscalaComun(std::span<const Extremos> extremos, double alto);

// " No.: 250": the sample read-out of a cursor.
[[nodiscard]] QString TextoMuestra(std::int32_t muestra);

// Time between the cursors, "100.000 ms" (single precision, as the read-out
// has always been computed). A sampling rate of 0 has no time: the caller
// keeps the read-out it shows.
[[nodiscard]] std::optional<QString> TextoTiempo(std::int32_t cursor1, std::int32_t cursor2,
                                                 std::int32_t frecuenciaMuestreo);

// "IA: 12.346 A": caption, value with three decimals, unit.
[[nodiscard]] QString TextoValor(const QString& nombre, float valor, const QString& unidad);

// A value box scrolled sideways by v characters: the full text without its
// first v characters, within the longest length of its row.
[[nodiscard]] QString TextoDesplazado(const QString& completo, std::int32_t v, std::int32_t longitud);

} // namespace vesdra::composicion
