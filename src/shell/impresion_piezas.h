#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

#include "shell/impresion.h"

namespace vesdra
{

class Printer;
struct RecordModel;

// Pieces the pages of the trace views (waveform, stacked, composition and
// digital) share: the plot box, the cursors, the extreme markers, the header
// and the 50 ms time scale. Positions are page twips; text offsets use the
// window's own font (MedidaTexto).

// The page frame and the plot box from 0.15 to 0.92 of the width and from
// 0.05 of the width (not the height) down to 0.82 of the height.
struct CajaPagina {
    double Ancho{0.0};
    double Alto{0.0};
    MarcoPagina Marco{};
    double Izquierda{0.0};
    double Derecha{0.0};
    double Arriba{0.0};
    double Abajo{0.0};
};
[[nodiscard]] CajaPagina CajaDePagina(const Printer& p);

// Nearest whole number, halves to even; 32-bit as every rounded page value.
[[nodiscard]] double Cerca(double x);

// A channel row's column of Valores (ColumnaAnalogica), checked against the
// record as it is now (the close command may have emptied it under the open
// view): the subscript error also when the table has no unit column.
[[nodiscard]] std::int32_t ColumnaConUnidad(std::int32_t fila);
// The same, with the column's extremes (MinimosCanal, MaximosCanal) there.
[[nodiscard]] std::int32_t ColumnaFila(std::int32_t fila);
// One sample of a column; the subscript error outside the record.
[[nodiscard]] float ValorMuestra(const RecordModel& r, std::int32_t muestra, std::int32_t c);
// Samples primera..ultima (1-based) of a column; empty when ultima is
// before primera, the subscript error when the range leaves the record.
[[nodiscard]] std::span<const float> TramoColumna(const RecordModel& r, std::int32_t c, std::int32_t primera,
                                                  std::int32_t ultima);

// Which extremes of a channel the samples reach, and the last sample that
// reaches each (0: none). A marker is drawn once per extreme reached, not
// once per sample that reaches it. With the column's block tables
// (TablasTramo of the same stretch) only blocks that hold an extreme are read.
struct ExtremosAlcanzados {
    std::int64_t UltimoMaximo{0};
    std::int64_t UltimoMinimo{0};
};
[[nodiscard]] ExtremosAlcanzados BuscarExtremos(std::span<const float> tramo, std::int32_t primera,
                                                float maximo, float minimo, const EnvelopeTables& tablas = {});

// A cursor: dashed line across the plot, a solid tick below it and its
// label under the tick (`hueco` lower), all in its colour. Returns the
// tick's lower end.
double CursorImpreso(Printer& p, const MedidaTexto& m, double x, double arriba, double abajo,
                     std::uint32_t color, const QString& largoTick, double hueco, const QString& etiqueta);

// An extreme's marker: a dotted line from just left of the plot to its
// right side and the value with its unit left of the plot, when the height
// lies inside the plot (strictly). Leaves the pen at width 1, solid.
void MarcadorExtremo(Printer& p, const MedidaTexto& m, double y, double izquierda, double derecha,
                     double arriba, double abajo, const QString& etiqueta, std::uint32_t color);

// The page's title (language text `titulo`, upper case) at x one text
// height below `arriba`, and the record's data-file path (text 265) on the
// line below.
void Encabezado(Printer& p, const MedidaTexto& m, double x, double arriba, std::int32_t titulo);

// The 50 ms time scale of a page showing the whole record.
struct EscalaTiempo {
    double Izquierda{0.0}; // box left: time 0
    double Arriba{0.0};
    double Abajo{0.0};
    double Paso{0.0};       // page distance of 50 ms
    double Columna{0.0};    // the density unit: a 23rd of the box width
    std::int32_t Marcas{0}; // 50 ms steps in the record
    // The stacked, composition and digital pages measure a label by its
    // digits and draw the half-step lines from 2 units apart and the
    // fifth-step lines from 5 (both when both hold); the waveform page
    // measures the printed number with its sign blank and draws either the
    // fifths or the halves.
    bool Apilada{false};
    // Lines, ticks and labels whose place lies right of this are left out
    // (the box's right side: a 50 ms step past the record's last sample);
    // none: only the sheet's edge limits them.
    std::optional<double> Derecha{};
};

// Draws the time scale: per 50 ms a dotted line across the box, a tick
// below it and, when the ticks are far enough apart, its label ("100" on
// the second tick always); finer dotted lines where 50 ms is wide. Each
// line stands where its time falls (no rounding carried from one line to
// the next), a line in the device column of the one before adds nothing
// and is left out, and nothing is drawn past the sheet. Returns the row of
// the labels, or nothing when there was no tick.
std::optional<double> DibujarEscalaTiempo(Printer& p, const MedidaTexto& m, const EscalaTiempo& e);

// The time axis' unit: "  ms" ending (with a blank) at `derecha` on the
// row `fila`; leaves the pen solid.
void UnidadMs(Printer& p, const MedidaTexto& m, double derecha, double fila);

// The foot of the stacked and composition pages: "  ms" ending at the
// frame's right side on the row `filaMs` (the time labels', or the cursor-2
// label's), the time between the cursors (text 264) on the frame's foot
// and the date.
void PieConTiempo(Printer& p, const MedidaTexto& m, const MarcoPagina& f, double filaMs,
                  const QString& tiempo);

// Samples per 50 ms at the record's rate; 0 when there is no time scale to
// draw (a rate under 10 per second, or none).
[[nodiscard]] std::int32_t MuestrasPor50ms();

} // namespace vesdra
