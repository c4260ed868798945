#pragma once
#include <array>
#include <optional>

namespace vesdra {

// A control's place in twips, in single precision: the phasor views lay
// their controls out in float arithmetic (the other views' RectTwips is in
// double).
struct RectTwipsSingle {
    float Left{0};
    float Top{0};
    float Width{0};
    float Height{0};
    bool operator==(const RectTwipsSingle&) const = default;
};

// Design sizes of the phasor views' controls that no layout changes.
namespace disenio {
inline constexpr float AnchoBotonZoom = 735;
inline constexpr float AltoBotonZoom = 495;
inline constexpr float AltoNumero = 195;
inline constexpr float AltoZoom = 255;
inline constexpr float AnchoImprimir = 1575;
inline constexpr float AltoImprimir = 495;
inline constexpr float AnchoMuestra = 255;
} // namespace disenio

// Where the controls of a phasor or sequence view go. The diagram takes the
// top 64 % across the whole width; below it the left third holds the scroll
// bar, the window number, the zoom buttons, the zoom step and the print
// button; the right two thirds six colour swatches, each with its value box.
// Swatch and value rows 1..3 belong to the second chosen set, 4..6 to the
// first.
struct DisposicionVista {
    RectTwipsSingle Picture1;
    RectTwipsSingle HScroll1;
    RectTwipsSingle lblNumero;
    RectTwipsSingle cmdmas;
    RectTwipsSingle cmdmenos;
    RectTwipsSingle lblzoom;
    RectTwipsSingle pctimpresora;
    std::array<RectTwipsSingle, 6> Muestras; // Label1..Label6
    std::array<RectTwipsSingle, 6> Valores;  // value boxes, rows 1..6
};

// The three variants differ only in the legend's spacing: the phasor view
// (swatches at a third + 100, rows 35 apart), the sequence view while it
// opens (swatches at a third) and the sequence view's resize (swatches at a
// third + 100, rows 45 apart). In all of them a value box from row 2 on sits
// a little lower than its swatch.
enum class EstiloDisposicion { Fases, AperturaSecuencias, Secuencias };

// The form's client area (its ScaleWidth and ScaleHeight), which every
// control must stay inside.
struct AreaCliente {
    float Ancho{0};
    float Alto{0};
};

// Lowest row height the legend is squeezed to before the diagram gives way.
inline constexpr float kAltoFilaMinimo = 270;

// The layout of a form of outer size ancho × alto twips. Sizes that would
// come out negative on a very small form are 0.
//
// The rows are proportioned from the outer height, so on a low screen the
// frame's caption pushes the sixth row past the client area's lower edge.
// Given the client area, the layout keeps every control inside it: where the
// standard rows do not fit, the rows get lower (not below kAltoFilaMinimo),
// then the diagram gets lower; the picture and the value boxes end at the
// client area's right edge. Where the standard layout fits, it stands.
[[nodiscard]] DisposicionVista CalcularDisposicion(float ancho, float alto, EstiloDisposicion estilo,
                                                   std::optional<AreaCliente> cliente = std::nullopt);

} // namespace vesdra
