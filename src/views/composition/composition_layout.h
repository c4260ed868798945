#pragma once
#include <array>
#include <optional>

#include "platform/base/rect_twips.h"

namespace vesdra::composicion {

// A control's place inside the window, in twips.
using Rect = RectTwips;

// Design sizes of the window's controls that the layout keeps.
struct DisenoVentana {
    double AltoScroll{255}; // HScroll1, HScroll2
    double AnchoMarca{150}; // marcamar, marcaci
    double AltoMarca{195};
    double AltoCabecera{285};        // Label1, Label2
    double AltoLectura{285};         // lblamar, lblcian, lblms
    double AltoBoton{495};           // cmdzoom at design, pctimpresora
    double AnchoScrollLateral{1155}; // HScroll_Amar, HScroll_Cian
    double AltoScrollLateral{255};
};

// Every control of a composition window for an outer window size (ancho x
// alto). The picture keeps a band of 1335 twips at the right for the button
// column and 1350 at the bottom for the cursor bars and the two rows of six
// value boxes. A window too small for its controls gets sizes of zero, never
// negative ones.
struct DisposicionVentana {
    Rect Picture1;
    Rect HScroll1, HScroll2;
    Rect marcamar, marcaci;
    Rect cmdzoom, cmdadel, cmdatras, pctimpresora;
    Rect Label1, Label2;
    std::array<Rect, 7> lblam{}; // 1..6
    std::array<Rect, 7> lblci{}; // 1..6
    Rect lblamar, lblcian, lblms;
    Rect HScroll_Amar, HScroll_Cian;
};

// The window's client area (ScaleWidth, ScaleHeight) in twips.
struct AreaCliente {
    double Ancho{0};
    double Alto{0};
};

// Lowest height the buttons of the column are squeezed to.
inline constexpr double kAltoBotonMinimo = 255;

// margen and separacion are the button column's top margin and gap (by the
// number of windows); altoZoom the zoom button's height as the build set it.
//
// Given the client area, every control stays whole inside it and uncovered:
// the picture gets lower where the value rows would pass the client area's
// lower edge, and where the button column would run into the side-scroll bar
// of the value rows (three windows on a low screen), the print button moves
// up beside the zoom button (as "<<" stands beside ">>"), then the column's
// buttons get lower (not below kAltoBotonMinimo). Where the standard layout
// fits, it stands.
[[nodiscard]] DisposicionVentana CalcularDisposicion(double ancho, double alto, double margen,
                                                     double separacion, double altoZoom,
                                                     const DisenoVentana& diseno = {},
                                                     std::optional<AreaCliente> cliente = std::nullopt);

// What a button of the column shows: its picture and caption when both fit
// across, the caption alone when it fits, else the drawn symbol alone (the
// caption then goes to its tool tip). Widths in pixels; the picture is
// anchoImagen wide, 0 when there is none.
enum class ContenidoBoton { ImagenYTexto, Texto, Simbolo };
[[nodiscard]] ContenidoBoton ElegirContenidoBoton(double anchoBoton, double anchoTexto, double anchoImagen);

} // namespace vesdra::composicion
