#pragma once
#include <QString>
#include <cstdint>

namespace vesdra {

// The applied template's three-phase sets as the phasor views read them.

// Drawing factor of set g (column 5, a number held as text), read as every
// number of the program is read (ValorNumero; "1,5" is 1.5); an empty cell
// counts as 1, and so does a text that is not a number ("x", "2 veces"),
// which is then reported (EsNumero false, Texto the text found).
struct FactorSetLeido {
    float Valor{1.0f};
    bool EsNumero{true};
    QString Texto;
};
[[nodiscard]] FactorSetLeido LeerFactorSet(std::int32_t g);
// The factor a view draws set g with: a factor that is not a number is
// reported in a box naming the set and the text found (text 110), and
// drawn as 1.
[[nodiscard]] float FactorSetAvisando(std::int32_t g);

// Name of set g (column 4); "" when the table lacks it.
[[nodiscard]] QString NombreSet(std::int32_t g);

// Row of TablaCanales (1..NumCanalesTabla) whose channel number is n: the
// last such row, or the first when `ultima` is false; 0 when none.
[[nodiscard]] std::int32_t FilaDeCanal(std::int32_t n, bool ultima);

// Caption and unit of the value box of channel n of set g: NombreCanal and
// column 4 of the channel's row, or, when the channel has no row, the set's
// name with no unit.
struct RotuloCanal {
    QString Nombre;
    QString Unidades;
};
[[nodiscard]] RotuloCanal RotuloDeCanal(std::int32_t n, std::int32_t g, bool ultima);

} // namespace vesdra
