#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "shell/impresion.h"
#include "views/waves/onda_vista.h"
#include "views/waves/todo_vista.h"

namespace vesdra {

class Printer;

// The printed pages of the waveform window and of the stacked view: plain
// code over the record model and what the window hands over, drawn on any
// printer object. Positions are fractions of the page width W and height H
// in twips; text offsets use the window's own font (MedidaTexto).

// What the waveform page reads of its window.
struct DatosPaginaOnda {
    std::int32_t CanalVentana{0}; // row of TablaCanales
    double AltoPicture{0.0};      // the picture's height now, twips
    std::int32_t Cursor1{1};      // the cursors' samples
    std::int32_t Cursor2{1};
    QString TextoTiempo; // the read-outs as the window shows them
    QString TextoDiferencia;
    NivelOnda Nivel{};   // the zoom level shown, with its own factor
    double EscalaY{0.0}; // twips per unit at zoom 1
};

// One waveform page: the left column of read-outs, frame, plot box, title,
// the zero line, both cursors, the channel's extremes (each marked once;
// the extremes of Valores as it is now, the side in force), the trace of the
// level's samples clipped to the box, and on the whole record the value grid
// and the 50 ms time scale; "  ms" and the date. No label of the axis stands
// among the read-outs: a grid value there is left out, an extreme's value
// is read in the column under them, the zero stands right of the plot. An
// empty sample range refuses the page (text 80, OK only).
[[nodiscard]] std::optional<RechazoPagina> PaginaOnda(Printer& p, const DatosPaginaOnda& d,
                                                      const MedidaTexto& medida);

// What the stacked page reads of its view.
struct DatosPaginaTodo {
    NivelTodo Nivel{};               // the zoom level shown
    std::vector<std::int32_t> Filas; // channel rows of the bands, in order
    std::int32_t Cursor1{1};
    std::int32_t Cursor2{1};
    QString TextoTiempo;
};

// One stacked page: header, frames, a zero line per band, both cursors,
// each band's label right of the plot on its zero line in its colour (the
// name where every band's fits there whole, else the band's key "(b)"), the
// read-outs column (the channel list as the bands' legend, each name after
// its key with its band's extremes under it, then every band's values at
// both cursors; its spacing and then its font narrowed to the frame's
// height), each band's trace with its extremes (of Valores as it is now)
// marked once by a dotted line, the time grid on the whole record, "  ms",
// the time between the cursors and the date. A value line reads as its
// channel only among the record's channels, or carries its band's key;
// texts whose places meet give way as TextosPagina lets them.
void PaginaTodo(Printer& p, const DatosPaginaTodo& d, const MedidaTexto& medida);

} // namespace vesdra
