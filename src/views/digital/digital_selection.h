#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "record/matrix.h"

namespace vesdra {

// Rows of the composition list: row 1 is its header, rows 2..98 channels.
inline constexpr std::int32_t FilasListaDigitales = 98;
// Digital rows the view has room for (one name box each).
inline constexpr std::int32_t MaxFilasDigitales = 19;

// One listed digital channel: its number (the column of EstadosDigitales)
// and the name shown in its row.
struct FilaListaDigital {
    std::int32_t Canal{0};
    QString Nombre{};
};

// The composition list the composition dialog hands to the view. UltimaFila
// is cell (1, 1): the last row in use (channels + 1), 0 when the last
// handover was a group. Rows past UltimaFila keep what an earlier
// composition left; nothing ever clears them.
struct ListaDigitalesTabla {
    std::int32_t UltimaFila{0};
    // Row r (2..98) at [r]; [0] and [1] are never used.
    std::array<FilaListaDigital, FilasListaDigitales + 1> Filas{};

    // Row r, 2..98; any other row throws the subscript error (9).
    [[nodiscard]] FilaListaDigital& Fila(std::int32_t r);
    [[nodiscard]] const FilaListaDigital& Fila(std::int32_t r) const;
};

// What a digital choice dialog hands to the digital view, process-wide.
// The view tells the modes apart by PrimerMiembro + UltimoMiembro (non-zero:
// a group, rows PrimerMiembro..UltimoMiembro of TablaMiembrosDigitales) and
// then by ListaDigitales.UltimaFila (non-zero: a composition); ModoDigital
// only titles the printout. The side of a 1997 record shown is the record's
// LadoEnVigor.
struct DigitalState {
    ListaDigitalesTabla ListaDigitales{};
    std::int32_t ModoDigital{0}; // 1 group, 2 composition, 0 no view
    std::int32_t PrimerMiembro{0};
    std::int32_t UltimoMiembro{0}; // inclusive; PrimerMiembro - 1 for an empty group
    std::int32_t NumFilasDigitales{0};
    std::int32_t AnalogicoElegido{0}; // row of TablaCanales
    QString GrupoElegido{};
    // The composition dialog's marks, column K (1..16) at [K]: element 0 the
    // group's member count n, element m (1..min(n, 19)) 1 while member m is
    // marked, one spare element after them. Made afresh by every opening of
    // the dialog, read by its OK, erased when the record closes.
    std::array<std::vector<std::int32_t>, 17> MarcasGrupo{};
};

DigitalState& Digitales();

// A cell of a template table: the subscript error (9) outside the table.
[[nodiscard]] const QString& CeldaTabla(const Matrix<QString>& tabla, std::int32_t fila,
                                        std::int32_t columna);
// The same cell read as a whole number: the type mismatch (13) when it is
// none.
[[nodiscard]] std::int32_t EnteroTabla(const Matrix<QString>& tabla, std::int32_t fila, std::int32_t columna);

// Member rows of group g of a group table (column 2: member count as text):
// the group starts after the members of groups 1..g-1.
struct RangoGrupo {
    std::int32_t PrimerMiembro{0};
    std::int32_t UltimoMiembro{0};
    std::int32_t NumFilas{0};
    bool operator==(const RangoGrupo&) const = default;
};

// Throws the subscript error (9) for a group outside the table and the type
// mismatch (13) for a count of groups 1..g that is no whole number.
[[nodiscard]] RangoGrupo CalcularRangoGrupo(const Matrix<QString>& tablaGrupos, std::int32_t g);

// The group-mode handover of group g of the applied template with analog
// row `analogico`: the member range, the group's name, ListaDigitales'
// header 0 and ModoDigital 1. The view has MaxFilasDigitales rows: of a
// larger group the first MaxFilasDigitales members are handed over, as the
// composition dialog shows them. On an error nothing is written.
void EscribirSeleccionGrupo(std::int32_t g, std::int32_t analogico);
// The name of group g of the applied template when its members are more
// than the view's rows (the handover keeps the first of them); nothing for
// any other group, or a group whose count is no number.
[[nodiscard]] std::optional<QString> NombreGrupoRecortado(std::int32_t g);

// The composition of the marked channels: every marked member of the
// marks' columns, column by column and in member order within a column
// (member j of column K is row (members of columns 1..K-1) + j of the
// member table), whatever order they were marked in. Throws 9 for a member
// row outside the table, 13 for a channel number that is no whole number.
struct Composicion {
    std::int32_t Total{0};
    std::vector<FilaListaDigital> Filas{};
};
// How many members the marks hold (elements 1..n of each column at 1).
[[nodiscard]] std::int32_t TotalMarcados(const std::array<std::vector<std::int32_t>, 17>& marcas);
[[nodiscard]] Composicion ComponerMarcados(const std::array<std::vector<std::int32_t>, 17>& marcas,
                                           const Matrix<QString>& tablaMiembros);

// The composition-mode handover: analog row `analogico`, the channels as
// rows 2.. of ListaDigitales (later rows keep what they held), no member
// range, ModoDigital 2. Throws 9, writing nothing, when the channels do not
// fit the list.
void EscribirSeleccionComposicion(const Composicion& c, std::int32_t analogico);

// One row of the view: a digital channel and the name in its box.
struct FilaDigitalVista {
    std::int32_t Canal{0};
    QString Nombre{};
    bool operator==(const FilaDigitalVista&) const = default;
};

// The digital rows of the present handover, top to bottom: the group's
// members, then the composition's channels (a handover leaves only one of
// the two with rows). Throws 9 for a member row outside the member table or
// a list row outside 2..98, 13 for a channel number that is no whole number.
[[nodiscard]] std::vector<FilaDigitalVista> FilasDigitalesElegidas();

// What the digital view's unload clears: both side flags and ModoDigital.
void LimpiarSeleccionAlDescargar();

// What closing the record resets: every variable but ListaDigitales, and
// both side flags; the composition marks are erased.
void CerrarSeleccionDigital();

// Which side of a 1997 record the dialog's reference buttons chose.
enum class Referencia { Ninguna, Primario, Secundario };

// The reference switch the choice dialogs run before they hand over: for a
// record of revision "1997" Valores becomes a copy of the chosen side and
// the flags say which side it holds; any other revision, or no side chosen,
// changes nothing.
void ElegirReferencia(Referencia lado);

} // namespace vesdra
