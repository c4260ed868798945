#pragma once
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "shell/impresion.h"

namespace vesdra {

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

// The printer's font size scaled for its span (of the size it found) and
// put back when the span ends, however it ends.
class TamanoFuente
{
public:
    explicit TamanoFuente(Printer& p);
    ~TamanoFuente();
    TamanoFuente(const TamanoFuente&) = delete;
    TamanoFuente& operator=(const TamanoFuente&) = delete;
    void Escala(double e);

private:
    Printer& p_;
    double tamano_;
};

// The texts of one page as the printer prints them. Each text printed
// through it keeps what it covers (in the printer's font at the time, its
// blanks at either end left out, one printer line high), so that a later
// text can be kept off every earlier one, inside the page frame and out of
// the plot box: where a text's own place is taken, the page moves,
// shrinks, shortens or leaves out the text of less weight.
class TextosPagina
{
public:
    // No plot box: only the frame and the other texts limit a text.
    TextosPagina(Printer& p, const MarcoPagina& marco, std::optional<QRectF> caja = std::nullopt);

    [[nodiscard]] Printer& Impresora() const { return p_; }
    [[nodiscard]] const MarcoPagina& Marco() const { return marco_; }
    [[nodiscard]] const std::optional<QRectF>& Caja() const { return caja_; }
    // One printer line in the font now.
    [[nodiscard]] double Linea() const;
    // What t covers printed at (x, y) in the printer's font now.
    [[nodiscard]] QRectF Rectangulo(const QString& t, double x, double y) const;
    // The x at which t, meant to start at x left of the box, ends half a
    // blank short of it where the printer's font would carry it in; x
    // where it does not.
    [[nodiscard]] double FueraDeCaja(const QString& t, double x, double y) const;
    // Inside the frame, off the box and off every text taken (by
    // `holgura` at either side).
    [[nodiscard]] bool Libre(const QRectF& r, double holgura = 0.0) const;
    // Keeps a place for a text printed later.
    void Tomar(const QRectF& r);

    // Prints t at (x, y) in `color` (the fore colour black again after it)
    // and takes its place, whatever it covers: the texts of most weight.
    void Imprimir(const QString& t, double x, double y, std::uint32_t color = 0);
    // The same only where t is free at (x, y), with `holgura` more at
    // either side; false: nothing printed.
    bool ImprimirSiLibre(const QString& t, double x, double y, std::uint32_t color = 0, double holgura = 0.0);
    // t from (x, y), ending by `derecha`: in the font now when it fits,
    // else in a font shrunk to fit (to 6/10 of it), else shortened with
    // "..." in that smallest font. The font is the page's again after it.
    void ImprimirHasta(const QString& t, double x, double y, double derecha, std::uint32_t color = 0);
    // t ending at `derecha` on the row y when it is free there, else in a
    // font shrunk as far as 6/10 (still ending there) where that is free;
    // false: left out.
    bool ImprimirAjustadoA(const QString& t, double derecha, double y, std::uint32_t color = 0);
    // The first row from y down, by printer lines, at which t at x is free
    // (with `holgura` more at either side) and ends inside the frame; none
    // before the frame's foot.
    [[nodiscard]] std::optional<double> FilaLibre(const QString& t, double x, double y,
                                                  double holgura = 0.0) const;

private:
    Printer& p_;
    MarcoPagina marco_;
    std::optional<QRectF> caja_;
    std::vector<QRectF> tomados_;
};

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
                                                float maximo, float minimo,
                                                const EnvelopeTables& tablas = {});

// A cursor: dashed line across the plot, a solid tick below it and its
// label under the tick (`hueco` lower, and no higher than `filaMinima`),
// all in its colour. A label that would leave the frame is drawn back
// inside it; one that would cover an earlier text goes down a line at a
// time. Returns the tick's lower end.
double CursorImpreso(TextosPagina& textos, const MedidaTexto& m, double x, double arriba, double abajo,
                     std::uint32_t color, const QString& largoTick, double hueco, const QString& etiqueta,
                     double filaMinima = 0.0);

// A label whose top stands on a line at height y (an extreme's value, a
// zero), left of the plot box: at (x, y) where that is free, else ending
// half a blank short of the box, else resting on the line, else a line
// lower, else in a font shrunk as far as 6/10 below or on the line; false:
// left out, its place being taken.
bool EtiquetaDeLinea(TextosPagina& textos, const QString& etiqueta, double x, double y,
                     std::uint32_t color = 0);

// A legend's stroke from `desde` to `hasta` (in the entry's colour, after
// its name). One that would pass `limite` ends there instead, as long as it
// was, though never nearer than 100 twips to the name's end `finNombre` and
// never shorter than 100 twips.
struct TrazoLeyenda {
    double Desde;
    double Hasta;
};
[[nodiscard]] TrazoLeyenda TrazoAntesDe(double desde, double hasta, double limite, double finNombre);

// An extreme's marker: a dotted line from just left of the plot to its
// right side and the value with its unit left of the plot (EtiquetaDeLinea),
// when the height lies inside the plot (strictly). Leaves the pen at width
// 1, solid.
void MarcadorExtremo(TextosPagina& textos, const MedidaTexto& m, double y, double izquierda, double derecha,
                     double arriba, double abajo, const QString& etiqueta, std::uint32_t color);

// The page's title (language text `titulo`, upper case) at x one text
// height below `arriba`, and the record's data-file path (text 265) on the
// line below; each cut short at the frame's right side.
void Encabezado(TextosPagina& textos, const MedidaTexto& m, double x, double arriba, std::int32_t titulo);

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

// Draws the time scale: per step a dotted line across the box, a tick
// below it and, when the ticks are far enough apart, its label ("100" on
// the second 50 ms tick always); finer dotted lines where 50 ms is wide.
// The step is 50 ms while no more than kLineasTiempo lines cross the box;
// on a longer record it is k x 50 ms with k the first of 1, 2, 5, 10, 20,
// 50, ... that keeps them so, and the lines are labelled with their time
// in ms. Labels stand on every j-th line, j of the same steps, so that the
// widest fits between two with a blank to spare. Each line stands where
// its time falls (no rounding carried from one line to the next), a line
// in the device column of the one before adds nothing and is left out,
// and nothing is drawn past the sheet. A label that would cover another
// text is left out. Returns the row of the labels, or nothing when there
// was no tick.
inline constexpr std::int32_t kLineasTiempo = 40;
std::optional<double> DibujarEscalaTiempo(TextosPagina& textos, const MedidaTexto& m, const EscalaTiempo& e);
// The next of 1, 2, 5, 10, 20, 50, ... after n (one of them).
[[nodiscard]] std::int64_t SiguienteEscalon(std::int64_t n);
// The step of the time scale in 50 ms ticks for a record of `marcas` of
// them: 1 up to kLineasTiempo ticks, else 2, 5, 10, 20, 50, ...
[[nodiscard]] std::int32_t PasoEscalaTiempo(std::int32_t marcas);
// The row of the time labels under a box whose foot is `abajo`.
[[nodiscard]] double FilaEtiquetasTiempo(const MedidaTexto& m, double abajo);

// The time axis' unit: "  ms" ending (with a blank) at `derecha` on the
// row `fila`, or lower where a time label or a cursor's takes it; leaves
// the pen solid.
void UnidadMs(TextosPagina& textos, const MedidaTexto& m, double derecha, double fila);

// The foot of the stacked and composition pages: "  ms" ending at the
// frame's right side on the row `filaMs` (the time labels', or the cursor-2
// label's), the time between the cursors (text 264) on the frame's foot
// and the date.
void PieConTiempo(TextosPagina& textos, const MedidaTexto& m, double filaMs, const QString& tiempo);

// Samples per 50 ms at the record's rate; 0 when there is no time scale to
// draw (a rate under 10 per second, or none).
[[nodiscard]] std::int32_t MuestrasPor50ms();

} // namespace vesdra
