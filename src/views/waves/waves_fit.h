#pragma once
#include <cstdint>
#include <functional>
#include <span>

#include "platform/base/box_font_size.h"
#include "views/waves/waves_layout.h"

namespace vesdra {

// Read-outs that fit: the layouts of the waveform window and the stacked view
// with every read-out box wide enough for the longest text it can show, at
// the largest font size that allows it. The standard placement stands whenever
// it holds the texts; otherwise the boxes grow, the buttons and the cursor
// bars give way, and the primary/secondary indicator moves clear of the
// buttons, all inside the window. Widths in twips; font sizes in pixels.

// Widths below which the buttons and the cursor bars do not shrink.
inline constexpr double kAnchoMinimoBoton = 240.0;
inline constexpr double kAnchoMinimoBarra = 600.0;

// What the waveform window's boxes need across at one font size.
struct AnchosLecturasOndas {
    double Numero{0.0};    // lblizq, lblder: "No.= " and the last sample
    double Valor{0.0};     // lblamar, lblcian: the channel's extremes with the unit
    double Tiempo{0.0};    // lblms and lblDif (one width): the whole record's time, the largest difference
    double Indicador{0.0}; // lbl_PS, both sides' words; 0 when hidden
};
using MedidaLecturasOndas = std::function<AnchosLecturasOndas(int px)>;

struct DisposicionOndasEntera {
    DisposicionOndas Controles;
    int Pixeles{0}; // the font size of every read-out box
};

// From pxMaximo (the size the boxes' height holds) down to the smallest read-out
// size: the standard layout at the first size where it holds the texts (the
// time boxes may widen and the buttons shrink to make room; the indicator
// takes the place the standard layout gives it, or the other row's, clear of the
// buttons); failing that, the compact layout (each box as wide as its texts,
// the cursor bars over their pairs) at the first size where it fits; at the
// smallest size, the compact layout whatever it holds.
[[nodiscard]] DisposicionOndasEntera ColocarControlesOndasEnteras(double ancho, double alto,
                                                                  std::int32_t numVentanas, int pxMaximo,
                                                                  const MedidaLecturasOndas& medir,
                                                                  const DisenoOndas& diseno = {});

// What the stacked view's boxes of the row under the picture need.
struct AnchosLecturasTodo {
    double Numero{0.0};    // lblam, lblci
    double Tiempo{0.0};    // lblms
    double Indicador{0.0}; // lbl_PS; 0 when hidden
};
using MedidaLecturasTodo = std::function<AnchosLecturasTodo(int px)>;

struct DisposicionTodoEntera {
    DisposicionTodo Controles;
    int Pixeles{0};
};

// The stacked view's row: the standard places when they hold the texts and
// the row ends inside the window; else the boxes take their texts' width
// and the two cursor bars share what is left (not below kAnchoMinimoBarra),
// at the largest size where that fits.
[[nodiscard]] DisposicionTodoEntera ColocarControlesTodoEnteras(double ancho, double alto, int pxMaximo,
                                                                const MedidaLecturasTodo& medir,
                                                                const DisenoTodo& diseno = {});

// The font size of a tile of windows that each hold their read-outs up to
// their own size (0: not laid out yet, left out): the smallest of them, the
// largest that every window's widest read-outs fit. kPixelesFuenteMaximos
// when no window counts.
[[nodiscard]] int PixelesTesela(std::span<const int> propios);

// True when two places overlap (sharing an edge is not overlapping).
[[nodiscard]] bool SeSolapan(const RectTwips& a, const RectTwips& b);

} // namespace vesdra
