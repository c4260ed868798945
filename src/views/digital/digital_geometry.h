#pragma once
#include <array>
#include <cstdint>

#include "platform/base/rect_twips.h"

namespace vesdra::digital {

// Geometry of the digital view's picture, in twips from its top-left corner
// (y grows downwards). The analog band is y 0..1200 with its zero line at
// 600; digital row k (1..19) has its base line at 1200 + (k + 1) * h, h the
// row height, and a state 1 is a box 75 twips tall above it. Every trace
// starts on the vertical axis at x = 1200 and the axis lines end 200 twips
// short of the picture's right edge.
inline constexpr double XEje = 1200;
inline constexpr double MargenDerecho = 200;
inline constexpr double AltoBandaAnalogica = 1200;
inline constexpr double YCeroAnalogico = 600;
inline constexpr double AltoEstado = 75;
inline constexpr double MargenSuperiorEje = 100; // the vertical axis keeps 100 from either end

// Row height of a picture `altoPicture` tall: 24 rows share its height less
// 200, rounded to a whole twip.
[[nodiscard]] std::int32_t AltoFila(double altoPicture);
// Base line of digital row k.
[[nodiscard]] constexpr double BaseFila(std::int32_t k, double altoFila)
{
    return XEje + (k + 1) * altoFila;
}
// Top of name box i (1..19): just above row i's base line.
[[nodiscard]] constexpr double TopNombre(std::int32_t i, double altoFila)
{
    return altoFila * i + 1560 - 255;
}
// Right end of the axis lines.
[[nodiscard]] constexpr double XDerecha(double anchoPicture)
{
    return anchoPicture - MargenDerecho;
}
// Twips per sample of the whole record: nS samples over the width between
// the axis and the right margin (the last sample falls one step short).
[[nodiscard]] double EscalaCompleta(double anchoPicture, std::int32_t nS);
// x of sample s when `origen` is drawn on the axis.
[[nodiscard]] constexpr double XMuestra(std::int64_t s, std::int32_t origen, double escalaX)
{
    return XEje + static_cast<double>(s - origen) * escalaX;
}

// The form's size from the screen: Height = screen height / Alto, Width =
// screen width / Ancho, by the screen's width in pixels and twips per pixel.
struct FactoresPantalla {
    double Alto{1};
    double Ancho{1};
    bool operator==(const FactoresPantalla&) const = default;
};
[[nodiscard]] FactoresPantalla AjustarAPantalla(std::int32_t anchoPixeles, std::int32_t twipsPorPixel);
// The five screen cases behind those factors, tested in this order: 1 a
// screen 640 pixels wide (any font size); at 12 twips per pixel (large
// fonts) 2 a screen 800 pixels wide, 3 any other; at any other twips per
// pixel 4 a screen 800 pixels wide, 5 any other.
[[nodiscard]] std::int32_t CasoPantalla(std::int32_t anchoPixeles, std::int32_t twipsPorPixel);
[[nodiscard]] FactoresPantalla FactoresCaso(std::int32_t caso);

// A control's place inside its container, twips.
using Caja = RectTwips;

// Widths of the boxes and buttons of the row under the picture. They are
// narrowed from their design widths once, when the view is built; a resize
// lays the row out again with the same widths.
struct AnchosFila {
    double lblizq{0};
    double lblder{0};
    double lbltiempo{0};
    double cmdzoom{0};
    double cmdadel{0};
    double cmdatras{0};
    double pctimpresora{0};
    double lbl_PS{0};
};
// estrecharTiempo: a 1997 record on a screen at most 800 pixels wide, where
// the P/S indicator needs room: the time box loses a quarter.
[[nodiscard]] AnchosFila AnchosIniciales(bool estrecharTiempo);
// The row's boxes at least as wide as their longest texts need: the sample
// boxes, the time box and the P/S indicator (twips). The buttons keep theirs.
[[nodiscard]] AnchosFila AnchosParaTextos(AnchosFila a, double muestra, double tiempo, double indicador);

// Narrower than this a cursor bar does not become to make room in the row.
inline constexpr double AnchoMinimoBarraCursor = 600;

// Heights of the controls (design values).
inline constexpr double AltoBarra = 255;
inline constexpr double AltoTexto = 285;
inline constexpr double AltoBoton = 315;
inline constexpr double AnchoTextoAnalogico = 1100; // lblanalog, lblamar, lblcian, HScroll_Analog
inline constexpr double AnchoNombre = 1140;         // label(1..19), left of the axis
inline constexpr double AltoNombre = 255;

// Height of the name boxes for rows altoFila high: `alto` (what two lines of
// a name want) where the row holds it, the box growing down from its top
// towards its row's base line and clear of the next row's box; else the
// design height.
[[nodiscard]] double AltoCajaNombre(double altoFila, double alto);

// The picture and the row of controls under it. The picture takes the
// form's height less 900 and the screen's width (not the form's) less 100;
// the row runs left to right, each control 50 twips after the previous one
// (70 before the zoom button), the cursor bars a quarter of that width each.
// When the row would run past anchoCliente (the form's own width, when given)
// both cursor bars give up the excess alike, down to AnchoMinimoBarraCursor,
// so that the indicator at its end stays inside the window.
struct DisposicionVista {
    Caja Picture1{};
    Caja HScroll1{};
    Caja lblizq{};
    Caja HScroll2{};
    Caja lblder{};
    Caja lbltiempo{};
    Caja cmdzoom{};
    Caja cmdadel{};
    Caja cmdatras{};
    Caja pctimpresora{};
    Caja lbl_PS{}; // beside the print button (shown for a 1997 record)
};
[[nodiscard]] DisposicionVista DisponerVista(double altoFormulario, double pantallaAncho,
                                             const AnchosFila& anchos, double anchoCliente = 0);

// The analog texts in the band's left margin and their sideways bar.
struct DisposicionAnalogica {
    Caja lblanalog{};
    Caja lblamar{};
    Caja lblcian{};
    Caja HScroll_Analog{};
};
[[nodiscard]] DisposicionAnalogica DisponerTextosAnalogicos();

// The names' sideways bar: on a screen wider than 800 pixels at the foot of
// the picture under the name boxes, else under the analog texts' bar. The
// build puts it under the analog texts' bar in either case (alCargar); a
// resize leaves it where the screen width says.
[[nodiscard]] Caja DisponerBarraNombres(bool pantallaAncha, double altoPicture, const Caja& hscrollAnalog,
                                        bool alCargar);

} // namespace vesdra::digital
