#pragma once
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "platform/base/name_elide.h"
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
// blanks at either end left out, one printer line high), and each line drawn
// through it the band its pen covers, so that a later text can be kept off
// every earlier text and line, inside the page frame and out of the plot
// box: where a text's own place is taken, the page moves it or leaves out
// the text of less weight. Texts on one row stand at least a blank apart.
// A text is never shrunk on its own: a kind of text takes one size on a
// page, and a name gives way (cut in the middle) before a value does.
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
    // One blank in the printer's font now: the least room between two texts
    // on one row.
    [[nodiscard]] double Blanco() const;
    // What t covers printed at (x, y) in the printer's font now.
    [[nodiscard]] QRectF Rectangulo(const QString& t, double x, double y) const;
    // The x at which t, meant to start at x left of the box, ends half a
    // blank short of it where the printer's font would carry it in; x
    // where it does not.
    [[nodiscard]] double FueraDeCaja(const QString& t, double x, double y) const;
    // Inside the frame, off the box, crossed by no line drawn through the
    // page, and a blank (or `holgura`, the larger) off every text taken on
    // its rows.
    [[nodiscard]] bool Libre(const QRectF& r, double holgura = 0.0) const;
    // Keeps a place for a text printed later.
    void Tomar(const QRectF& r);
    // Whether the row from y holds no text that starts left of x: a value
    // printed at x there would read as part of it.
    [[nodiscard]] bool NadaAntes(double x, double y) const;
    // Whether a caption that ends in ":" (a name whose value follows on the
    // next line) stands left of x on the row from y: a value printed at x
    // there would be read as its value.
    [[nodiscard]] bool RotuloAntes(double x, double y) const;
    // A stretch of the page that a column of read-outs (or a caption with
    // its name) takes: a label of the plot's axis (a zero, a grid step, an
    // extreme) keeps out of it, where it would be read as one of them.
    // Each call adds one.
    void ReservarColumna(const QRectF& r);
    // Whether r stands clear of every stretch reserved so.
    [[nodiscard]] bool FueraDeColumna(const QRectF& r) const;

    // A line in the current pen (black unless a colour is given), kept clear
    // of every text printed after it.
    void Linea(double x1, double y1, double x2, double y2, std::optional<std::uint32_t> color = std::nullopt);
    // Keeps clear of later texts a line drawn otherwise, its pen `grosor`
    // twips wide.
    void TomarLinea(const QLineF& l, double grosor);

    // Where a text starting at x on the row y should end at the latest: at
    // `derecha`, or a blank short of the first text (or line) taken right of
    // x on that row.
    [[nodiscard]] double FinLibre(double x, double y, double derecha) const;
    // Where a text ending at `derecha` on the row y may start at the
    // earliest: a blank right of what stands left of it on that row, and no
    // further left than `izquierda`; none when `derecha` itself is taken.
    [[nodiscard]] std::optional<double> InicioLibre(double izquierda, double derecha, double y) const;

    // Prints t at (x, y) in `color` (the fore colour black again after it)
    // and takes its place, whatever it covers: the texts of most weight.
    void Imprimir(const QString& t, double x, double y, std::uint32_t color = 0);
    // The same only where t is free at (x, y), with `holgura` more at
    // either side; false: nothing printed.
    bool ImprimirSiLibre(const QString& t, double x, double y, std::uint32_t color = 0, double holgura = 0.0);
    // Lines printed as Imprimir prints, one under the other from (x, y)
    // down, a printer line apart.
    void ImprimirLineas(const QStringList& lineas, double x, double y, std::uint32_t color = 0);
    // A name from (x, y), ending by `derecha`: whole when it fits, else
    // giving way by the name rule (ElideName) against the names `junto`
    // shown beside it on the page (none: cut in the middle); `antes` and
    // `despues` go whole at either side of it. Returns the text printed.
    QString ImprimirNombre(const QString& nombre, double x, double y, double derecha, std::uint32_t color = 0,
                           const QString& antes = {}, const QString& despues = {},
                           const QStringList& junto = {});
    // The text ImprimirNombre prints in the font now.
    [[nodiscard]] QString NombreQueCabe(const QString& nombre, double ancho, const QString& antes = {},
                                        const QString& despues = {}, const QStringList& junto = {}) const;
    // The same over up to `lineas` printer lines from (x, y) down, the name
    // broken between words (ElideNameInLines), `despues` whole at the end of
    // its last line: one line where it fits on one. The lines printed.
    QStringList ImprimirNombreEnLineas(const QString& nombre, double x, double y, double derecha, int lineas,
                                       std::uint32_t color = 0, const QString& despues = {},
                                       const QStringList& junto = {});
    // The lines ImprimirNombreEnLineas prints in the font now.
    [[nodiscard]] QStringList NombreEnLineas(const QString& nombre, double ancho, int lineas,
                                             const QString& despues = {},
                                             const QStringList& junto = {}) const;
    // A plain text from (x, y) ending by `derecha`: whole when it fits, else
    // cut in the middle.
    void ImprimirHasta(const QString& t, double x, double y, double derecha, std::uint32_t color = 0);
    // The first height from y down (by small steps) at which a text from x,
    // `ancho` wide, is free; y when none is before the frame's foot.
    [[nodiscard]] double FilaDesde(double x, double y, double ancho) const;
    // The first row from y down, by printer lines, at which t at x is free
    // (with `holgura` more at either side) and ends inside the frame; none
    // before the frame's foot.
    [[nodiscard]] std::optional<double> FilaLibre(const QString& t, double x, double y,
                                                  double holgura = 0.0) const;

private:
    struct LineaTomada {
        QLineF Linea;
        double Grosor;
    };
    // What stands on the row from y, one printer line high: the texts taken
    // and the stretches of the lines that run through it.
    [[nodiscard]] std::vector<QRectF> EnFila(double y) const;

    Printer& p_;
    MarcoPagina marco_;
    std::optional<QRectF> caja_;
    std::vector<QRectF> tomados_;
    std::vector<QRectF> rotulos_;  // the texts taken that end in ":"
    std::vector<QRectF> columnas_; // what the read-outs' columns take
    std::vector<LineaTomada> lineas_;
};

// The fewest characters a name cut in the middle keeps to tell its channel
// by, its ellipsis counted: a few, or all of a shorter name.
[[nodiscard]] qsizetype MenorNombre(const QString& nombre);

// A column of lines down the page's left margin, laid out from the row Y
// down: each line on the first row from there at which its least text is
// free, ending by `limite` or a blank short of what its row holds, and the
// next row a printer line below it. It prints its lines, or only finds
// where they would go (to find the size in which the column fits the frame).
class ColumnaPagina
{
public:
    ColumnaPagina(TextosPagina& textos, double y, double limite, bool imprimir);

    double Y; // the row of the next line
    // The names shown beside the column's names on the page: each name of
    // it gives way against them (the name rule).
    QStringList Junto;

    // Y moved to the first row from it down at which nothing stands from x
    // up to the column's limit: what stood right of a line of the column
    // (an extreme's value, a band's label) would read as part of it.
    void Fila(double x);
    // A name at x on the row Y ending by `derecha` (or a blank short of what
    // the row holds), cut in the middle where need be, and `despues` whole
    // after it; Y a line lower. The text printed (none when only finding).
    QString Escribir(const QString& nombre, double x, double derecha, const QString& despues = {});
    // A caption and what follows it, on the first free row; a caption alone
    // too long for a line on two, broken between words.
    void Entrada(const QString& t, double x, const QString& despues = {});
    // A name and what follows it whole, on the first free row, the name
    // giving way to the room.
    void Nombre(const QString& nombre, double x, const QString& despues = {});
    // A value line tied to one channel, on the first free row: the least
    // of the name that reads as none of the names Junto holds (the name
    // rule, to the room the row leaves), `despues` whole after it. Where no
    // such cut has room, `clave` (the channel's key in the page's legend;
    // none where the page has none) stands before it, with such a cut where
    // one still has room, else before `despues` alone; without a key the
    // name is a caption on up to two lines (ending in what precedes the
    // value in `despues`) and the value stands alone under it. Never a cut
    // that reads as another channel's. Returns whether the name needed the key
    // or a second line.
    bool Lectura(const QString& nombre, double x, const QString& despues, const QString& clave = {});
    // A name on up to `lineas` lines (one where it fits on one), each on
    // the first row from Y with room for it, ending by `derecha` (or a blank
    // short of what its row holds), in `color`; Y a line below the last.
    // The lines printed (none when only finding).
    QStringList NombreEnLineas(const QString& nombre, double x, double derecha, int lineas,
                               std::uint32_t color = 0);

private:
    TextosPagina& textos_;
    double limite_;
    double linea_;
    bool imprimir_;
};

// The captions (NombreCanal) of every row of TablaCanales: what a page or
// a view that captions one or a few of the record's channels must tell each
// from. A caption is told from the others' captions, not from its own
// channel's name, which it need not be told from.
[[nodiscard]] QStringList RotulosAnalogicos();
// The same with the channels' names (NombreCanalId).
[[nodiscard]] QStringList NombresAnalogicos();

// Whether `visto`, a name as shown, could be read as one of `junto` other
// than `nombre` (ReadsAs).
[[nodiscard]] bool LeeComoOtro(const QString& visto, const QString& nombre, const QStringList& junto);

// The key by which a page's legend ties band or channel `n` (1-based) to
// the lines that stand apart from its name: "(n)".
[[nodiscard]] QString ClaveLeyenda(std::int32_t n);

// The shortest text the name rule shows of `nombre` beside `junto` that
// still reads as none of those names (ReadsAs); the name itself where no
// shorter one does. What a line must have room for, besides its value, to
// tell its channel by: the size of a column of names is chosen for it.
[[nodiscard]] QString NombreQueSeDistingue(const QString& nombre, const QStringList& junto,
                                           const TextAdvance& medida);

// The largest scale, 1 at most, at which each text fits its width in the
// printer's font (each pair: a text and the width it has): the size a kind
// of text takes on a page so that none of its texts needs cutting.
[[nodiscard]] double EscalaQueCabe(Printer& p, const std::vector<std::pair<QString, double>>& textos);

// Nearest whole number, halves to even; 32-bit as every rounded page value.
[[nodiscard]] double Cerca(double x);

// A channel row's column of Valores (ColumnaAnalogica), checked against the
// record as it is now (the close command may have emptied it under the open
// view): the subscript error also when the table has no unit column.
[[nodiscard]] std::int32_t ColumnaConUnidad(std::int32_t fila);
// The same, with the column there in Valores.
[[nodiscard]] std::int32_t ColumnaFila(std::int32_t fila);
// One sample of a column; the subscript error outside the record.
[[nodiscard]] float ValorMuestra(const RecordModel& r, std::int32_t muestra, std::int32_t c);
// Samples primera..ultima (1-based) of a column; empty when ultima is
// before primera, the subscript error when the range leaves the record.
[[nodiscard]] std::span<const float> TramoColumna(const RecordModel& r, std::int32_t c, std::int32_t primera,
                                                  std::int32_t ultima);

// Which extremes of a channel the samples reach, and the last sample that
// reaches each (0: none). A marker is drawn once per extreme reached, not
// once per sample that reaches it. A channel whose extremes are one value
// (a constant) has that one extreme, a maximum when it is 0 or above, a
// minimum below 0. With the column's block tables (TablasTramo of the same
// stretch) only blocks that hold an extreme are read.
struct ExtremosAlcanzados {
    std::int64_t UltimoMaximo{0};
    std::int64_t UltimoMinimo{0};
};
[[nodiscard]] ExtremosAlcanzados BuscarExtremos(std::span<const float> tramo, std::int32_t primera,
                                                float maximo, float minimo,
                                                const EnvelopeTables& tablas = {});

// A cursor of a trace page: its x, its colour, the length of its tick
// below the plot (measured as the window's width of that text), the gap
// between the tick and its label, and the label.
struct CursorPagina {
    double X{0.0};
    std::uint32_t Color{0};
    QString LargoTick;
    double Hueco{0.0};
    QString Etiqueta;
};

// The two cursors: each a dashed line across the plot and a solid tick below
// it in its colour; then each one's label under its tick (no higher than
// `filaMinima`), kept off both ticks. A label that would leave the frame is
// drawn back inside it; one that would cover an earlier text or line goes
// down a line at a time. Returns the lower end of cursor 2's tick.
double CursoresImpresos(TextosPagina& textos, const MedidaTexto& m, const CursorPagina& c1,
                        const CursorPagina& c2, double arriba, double abajo, double filaMinima = 0.0);

// A label whose top stands on a line at height y (an extreme's value, a
// zero), left of the plot box, in the page's font: at (x, y) where that is
// free, else ending half a blank short of the box (or of `finMaximo`), on
// the line, resting on it, or a line or two lower or higher; a row with no
// text left of it (whose value it would be taken for) before one that has,
// and never right of a caption ending in ":". False: left out, no place
// near its line being free.
bool EtiquetaDeLinea(TextosPagina& textos, const QString& etiqueta, double x, double y,
                     std::uint32_t color = 0, std::optional<double> finMaximo = std::nullopt);

// A label "name + separator + value" ending at `derecha` on the line at
// height y or the nearest rows about it (as EtiquetaDeLinea): the value
// whole, the name cut in the middle to the room the row leaves, and never
// cut to fewer than a few of its characters; a separator of blanks closes
// up to one where no row has room for it all. False: left out.
bool EtiquetaConNombre(TextosPagina& textos, const QString& nombre, const QString& separador,
                       const QString& valor, double derecha, double y, std::uint32_t color = 0,
                       const QStringList& junto = {});

// A legend's stroke from `desde` to `hasta` (in the entry's colour, after
// its name, which ends at `finNombre`). It starts no nearer than `hueco` to
// the name's end; one that would pass `limite` ends there instead, as long
// as it was, as far as the name leaves room.
struct TrazoLeyenda {
    double Desde;
    double Hasta;
};
[[nodiscard]] TrazoLeyenda TrazoAntesDe(double desde, double hasta, double limite, double finNombre,
                                        double hueco);

// An extreme's marker: a dotted line from just left of the plot to its
// right side at height Y, and the value with its unit left of the plot.
struct MarcadorPagina {
    double Y{0.0};
    QString Etiqueta;
    std::uint32_t Color{0};
};
// Draws the markers whose height lies inside the plot (strictly): first all
// their lines, then each one's value (EtiquetaDeLinea, kept off the other
// markers' lines) in the order given; without `conValores` the lines alone
// (the values printed elsewhere). Leaves the pen at width 1, solid. Returns
// the markers (by index) drawn whose value found no place by the plot.
std::vector<std::size_t> MarcadoresExtremos(TextosPagina& textos, const MedidaTexto& m,
                                            const std::vector<MarcadorPagina>& marcadores, double izquierda,
                                            double derecha, double arriba, double abajo,
                                            bool conValores = true);
// The markers' values alone, as MarcadoresExtremos prints them after their
// lines (drawn before: a text printed between keeps off them).
std::vector<std::size_t> ValoresDeMarcadores(TextosPagina& textos, const MedidaTexto& m,
                                             const std::vector<MarcadorPagina>& marcadores, double izquierda,
                                             double arriba, double abajo);
// Whether a marker at height y is drawn: strictly inside the plot.
[[nodiscard]] inline bool MarcadorDentro(double y, double arriba, double abajo)
{
    return y > arriba && y < abajo;
}

// The page's title (language text `titulo`, upper case) at x one text
// height below `arriba`, and the record's data-file path (text 265) on the
// line below, cut in the middle where it would pass the frame's right side.
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
