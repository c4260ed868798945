#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace vesdra::composicion {

// The composition dialog's eighteen slots without the dialog: three
// compositions of six slots each, slot k of composition n being
// 6 * (n - 1) + 1 .. 6 * n. A filled slot holds the channel's name and its
// row of the channel table as plain decimal text ("7"); an empty slot holds
// "" in both.
inline constexpr std::int32_t NumCasillas = 18;
inline constexpr std::int32_t CasillasPorComposicion = 6;

struct Casilla {
    QString Nombre{}; // text of grp(k)
    QString Numero{}; // text of lbl(k)
};

// Marker colour of a slot: -1 while it keeps its design colour (never
// selected), else a QBColor number (14 selected, 15 once deselected).
inline constexpr std::int32_t MarcadorDiseno = -1;
inline constexpr std::int32_t MarcadorSeleccionado = 14;
inline constexpr std::int32_t MarcadorLibre = 15;

enum class ResultadoColocar {
    Colocado,  // the slot took the channel
    Duplicado, // an earlier slot of the same composition names it: nothing changed
    SinLinea,  // no list line is selected: nothing changed
};

struct CasillasComposicion {
    // 1-based: element 0 is never used.
    std::array<Casilla, NumCasillas + 1> Casillas{};
    std::array<std::int32_t, NumCasillas + 1> Marcadores{};
    std::int32_t CasillaActual{1};
    QString CanalElegido{};

    // The state after loading: all slots empty, slot 1 selected.
    CasillasComposicion();

    // Selects slot index; any index outside 1..18 changes nothing. Returns
    // whether the selection moved.
    bool Seleccionar(std::int32_t index);
    // Empties slot index and selects it (a double-click on its name box).
    void Vaciar(std::int32_t index);
    // Puts the list line listIndex (0-based; -1 when none is selected), whose
    // text is texto, into the selected slot. The name is refused when an
    // earlier slot of the same composition already holds it (exact,
    // case-sensitive); the selected slot and those after it are not
    // compared, nor other compositions. On success the selection moves to
    // the next slot, across a composition boundary too, and stays on 18.
    [[nodiscard]] ResultadoColocar Colocar(std::int32_t listIndex, const QString& texto);
};

// First slot of the composition that holds slot s (1, 7 or 13).
[[nodiscard]] constexpr std::int32_t PrimeraCasilla(std::int32_t s)
{
    return ((s - 1) / CasillasPorComposicion) * CasillasPorComposicion + 1;
}

// The language texts a slot name warns with, in order: 176 for "%", then
// 177 for "$" (the separators of the template file).
[[nodiscard]] std::vector<std::int32_t> AvisosNombre(const QString& nombre);

// Layout of the dialog, in twips. A record of revision 1997 shows the
// reference frame at the right; any other closes the dialog up around it and
// moves both buttons under the slot frames.
struct DisposicionDialogo {
    bool MuestraReferencia{false};
    double AnchoInterior{11880};
    double AltoInterior{3870};
    double OkLeft{10080}, OkTop{2040};
    double CancelLeft{10080}, CancelTop{2640};
};
[[nodiscard]] DisposicionDialogo CalcularDisposicionDialogo(bool es1997);

} // namespace vesdra::composicion
