#pragma once
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/base/rect_twips.h"

namespace vesdra {

// ---- Tiling of the "individually" build ----

struct PosicionVentana {
    std::int32_t Top{0};
    std::int32_t Left{0};
    bool operator==(const PosicionVentana&) const = default;
};

// The grid of n waveform windows (1..8) over the usable view area: R rows by
// C columns (1x1, 2x1, 3x1, 3x2 for 4 to 6, 4x2 for 7 and 8), every window
// H = altoTotal / R by W = anchoTotal / C (rounded, halves to even), filled
// column by column, top to bottom: position p at ((p mod R) H, (p div R) W).
struct Mosaico {
    std::int32_t Filas{0};
    std::int32_t Columnas{0};
    std::int32_t Alto{0};
    std::int32_t Ancho{0};
    std::vector<PosicionVentana> Posiciones;
};
[[nodiscard]] Mosaico MosaicoVentanas(std::int32_t n, std::int32_t altoTotal, std::int32_t anchoTotal);

// ---- Waveform window ----

// The button sizes follow the number of open waveform windows (its absolute
// value): at most three windows get larger, spaced buttons.
[[nodiscard]] double MargenSegunVentanas(std::int32_t numVentanas);
[[nodiscard]] double TamanoSegunVentanas(std::int32_t numVentanas, double x);
[[nodiscard]] double PosicionSegunVentanas(std::int32_t numVentanas, double x, double y);
[[nodiscard]] double FactorSegunVentanas(std::int32_t numVentanas, double x);

// Design sizes the layout keeps.
struct DisenoOndas {
    double AltoScroll{255.0};
    double AltoLectura{285.0}; // every read-out box
    double AnchoZoom{855.0};   // cmdzoom; the other buttons follow from it
    double AnchoPS{1200.0};
    double AltoPS{285.0};
};

// Where every control of a waveform window goes for a client area of
// ancho x alto twips. The picture takes the full width and all the height
// but the 700 twips of the two rows below it (the original subtracted 1100
// from the outer height, of which about 400 were the window frame). Sizes
// never go below 0, however small the window.
struct DisposicionOndas {
    RectTwips picbox, HScroll1, HScroll2;
    RectTwips lblizq, lblamar, lblder, lblcian, lblms, lblDif;
    RectTwips cmdzoom, cmdadel, cmdatras, pctimpresora;
    RectTwips lbl_PS;
};
inline constexpr double kAltoFilasOndas = 700.0;
[[nodiscard]] DisposicionOndas ColocarControlesOndas(double ancho, double alto, std::int32_t numVentanas,
                                                     const DisenoOndas& diseno = {});

// ---- Stacked view ----

// The form's outer size from the screen (pixels across compared exactly with
// 640 and 800; 12 twips per pixel is the large-font setting).
struct TamanoForm {
    double Alto{0.0};
    double Ancho{0.0};
};
[[nodiscard]] TamanoForm AjustarAPantalla(std::int32_t anchoPantallaTwips, std::int32_t altoPantallaTwips,
                                          std::int32_t twipsPorPixel);

struct DisenoTodo {
    double AltoScroll{255.0};
    double AltoLectura{285.0};
    double AltoBoton{315.0};
    double AnchoNombres{1300.0}; // HScroll_Nombres keeps its design width
    double AltoNombres{255.0};
    double AnchoPS{1200.0};
};

// Controls of the stacked view for a client area of ancho x alto twips: the
// picture from x = 1400 to the right edge, 500 twips left below it for the
// row of scroll bars, boxes and buttons.
struct DisposicionTodo {
    RectTwips Picture1, HScroll1, lblam, HScroll2, lblci, lblms;
    RectTwips cmdzoom, cmdadel, cmdatras, pctimpresora, HScroll_Nombres, lbl_PS;
};
inline constexpr double kMargenIzquierdoTodo = 1400.0;
inline constexpr double kAltoFilaTodo = 500.0;
[[nodiscard]] DisposicionTodo ColocarControlesTodo(double ancho, double alto, const DisenoTodo& diseno = {});

// Band b (1-based) of n bands over a picture alto twips high.
struct Banda {
    double Alto{0.0};     // AltoBanda = alto / n + 1
    double CeroY{0.0};    // y of the zero line: (b - 1) AltoBanda + AltoBanda / 2
    RectTwips Lectura1{}; // cursor 1 box: bottom on the zero line
    RectTwips Lectura2{}; // cursor 2 box: top on the zero line
};
// A band's boxes whose lower box would reach below `limite` (the top of the
// sideways name scroll bar under them) stand higher by as much, so that the
// bar covers neither box.
[[nodiscard]] Banda GeometriaBanda(double altoPicture, std::int32_t numBandas, std::int32_t b,
                                   double altoLectura = 285.0,
                                   double limite = std::numeric_limits<double>::infinity());

// The read-out boxes of all bands, top to bottom (band 1's cursor 1 and
// cursor 2 boxes, then band 2's ...), each where GeometriaBanda puts it as
// far as that leaves it clear of the others and of the top of the name bar
// under them (`limite`): a box that would cover its neighbour moves up or
// down just as far as it must, and when 2 numBandas boxes altoLectura high
// do not fit above the bar they all become lower alike. No box covers
// another, nor reaches above the picture's top or below `limite`.
[[nodiscard]] std::vector<RectTwips> CajasLecturaBandas(double altoPicture, std::int32_t numBandas,
                                                        double altoLectura, double limite);

} // namespace vesdra
