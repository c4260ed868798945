#pragma once
#include <QString>
#include <cstdint>
#include <vector>

#include "shell/impresion.h"
#include "views/composition/composition_zoom.h"

namespace vesdra {

class Printer;

// The printed page of a composition window: plain code over the record
// model and what the window hands over, drawn on any printer object.

// What the page reads of its window.
struct DatosPaginaComposicion {
    // The chosen channel rows in legend order (at most six); their columns'
    // extremes are those the window scales by (ExtremosColumna).
    std::vector<std::int32_t> Filas;
    composicion::VistaTrazos Vista{}; // the view in force (full or a zoom level)
    double AltoPicture{0.0};          // the picture's height now, twips
    double EscalaVertical{0.0};       // the window's common scale, twips per unit
    std::int32_t Cursor1{1};          // the cursors' samples
    std::int32_t Cursor2{1};
    QString TextoTiempo; // the time read-out as the window shows it
};

// One composition page: header, frame and plot box, the zero line, both
// cursors, per channel its extremes (each marked once; a value by the plot
// only clear of the legend's column, where it would read as one of its
// lines) and its trace in its pen, clipped to the box; the legend with each
// channel's maximum and minimum, the values at both cursors (every line and
// stroke ending left of the box, each value line reading as its channel
// only among the record's), on the whole record the 50 ms grid, "  ms", the
// time between the cursors and the date.
//
// Pens: on a colour printer blue, green, red, cyan, yellow, magenta in
// legend order, all 1 pixel wide; on any other printer black, 1, 4, 7, ...
// pixels wide, the markers' own width never carrying into the traces.
// A view of a single sample, a picture of no height or a table emptied
// under the window throw the run-time error the frame reports.
void PaginaComposicion(Printer& p, const DatosPaginaComposicion& d, const MedidaTexto& medida);

// A Single as the plain conversion writes it: up to seven significant
// digits, no sign blank, the user's decimal separator (141.4214, -0.5, 0).
[[nodiscard]] QString TextoSingle(float v);

} // namespace vesdra
