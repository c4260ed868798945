#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "record/matrix.h"

namespace vesdra {

struct RecordModel;

namespace grid {

// The composition dialog's columns: one per digital group of the applied
// template (at most 16), each a title and 19 member slots.
inline constexpr std::int32_t NumColumnas = 16;
inline constexpr std::int32_t SlotsColumna = 19;
// Channels a composition may hold (one row of the digital view each).
inline constexpr std::int32_t MaxElegidos = 19;

// Slot colours, &HBBGGRR: a member whose channel changes state somewhere in
// the record is tinted light blue; a marked member is yellow (QBColor 14).
inline constexpr std::uint32_t ColorCambia = 0xFFC0C0;
inline constexpr std::uint32_t ColorMarcado = 0x00FFFF;

// The states of digital channel `canal` as a template member names it, the
// whole record; nothing when the record has no such channel (or no samples).
[[nodiscard]] std::optional<std::span<const std::uint8_t>> EstadosCanalDigital(const RecordModel& r,
                                                                               std::int32_t canal);

// 1 when some sample after the first holds the state opposite to the
// first's (0 where the first is 1, else 1), the last sample included; 0
// otherwise. Stops at the first such sample.
[[nodiscard]] std::int32_t CambiaEstado(std::span<const std::uint8_t> estados);

// What the fill of one column shows: the names of slots 1..min(n, 19) at
// [m - 1], which of them change state, and the colour each returns to when
// unmarked. A group of more than 19 members shows its first 19; its further
// members have no slot (but still follow one another in the member table).
struct RellenoColumna {
    std::int32_t Miembros{0};  // n, the group's member count
    std::int32_t Siguiente{0}; // member row after the group: start + n
    std::array<QString, SlotsColumna> Nombres{};
    std::array<bool, SlotsColumna> Cambia{};
    std::array<std::uint32_t, SlotsColumna> ColorNormal{}; // 0 on slots the group does not use
    bool FaltaCanal{false};                                // some member names a channel the record lacks
    [[nodiscard]] std::int32_t SlotsUsados() const
    {
        return Miembros < SlotsColumna ? Miembros : SlotsColumna;
    }
};

// The fill of the column of group K (1-based row of the group table) whose
// members begin at row `inicio` of the member table. Throws 9 for a group or
// member row outside its table, 13 for a count or channel number that is no
// whole number; a negative count is a subscript error (9). A member whose
// channel the record lacks shows its name untinted and sets FaltaCanal.
[[nodiscard]] RellenoColumna LlenarColumna(std::int32_t grupo, std::int32_t inicio,
                                           const Matrix<QString>& tablaGrupos,
                                           const Matrix<QString>& tablaMiembros, const RecordModel& r);

// The marks array of a column whose group has n members: elements
// 0..min(n, 19) + 1, element 0 = n, every mark 0 (a column without a group
// has just {0}); a count from the template never sizes more than the
// slots. A negative n is a subscript error (9).
[[nodiscard]] std::vector<std::int32_t> MarcasNuevas(std::int32_t miembros);

// What a click or double-click on a slot did.
enum class Gesto {
    Nada,       // the title, or a slot without a member: nothing changes
    Marcado,    // the slot is (still) marked: yellow
    Desmarcado, // the slot is unmarked: its normal colour back
    Rechazado,  // text 78: the 19-channel limit, or an unmark of an unmarked slot
};

// The marks of every column of the open dialog and the number marked.
// Click on slot i marks it (a marked slot is unmarked and marked again: the
// count passes through one less); double-click unmarks a marked slot. A
// double-click reaches a slot as a click followed by a double-click.
struct MarcasComposicion {
    std::array<std::vector<std::int32_t>, NumColumnas + 1>* Marcas{};
    std::int32_t NumElegidos{0};

    Gesto Click(std::int32_t columna, std::int32_t indice);
    Gesto DblClick(std::int32_t columna, std::int32_t indice);
    [[nodiscard]] bool Marcado(std::int32_t columna, std::int32_t indice) const;

private:
    [[nodiscard]] std::vector<std::int32_t>* Columna(std::int32_t columna, std::int32_t indice) const;
};

} // namespace grid
} // namespace vesdra
