#pragma once
#include <QIcon>
#include <QLineF>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "platform/base/trace_envelope.h"

class QWidget;

namespace vesdra {

class PictureBox;
class Printer;

// ---- The print frame of every view's print button ----
//
//   hourglass; printer dialog over the view (Cancel ends silently);
//   for each copy, one print job (printed to a file, one page of the one
//   document that the file holds, so that no copy writes over another):
//       landscape;
//       [cancel window] view disabled, Cancelar shown (on screen and
//           painted; the abort flag cleared at the first copy only), one
//           pass of event processing that delivers a click made during the
//           last page (ImpresionCancelada: a confirmed exit waits for it to
//           end); cancelled: job discarded, end; view enabled again;
//       the printer's drawing state reset (ResetDrawingState), so that no
//       pen, colour or font of an earlier page or print carries over;
//       the view's page, drawn without yielding;
//       [cancel window] Cancelar unloaded after the last copy; EndDoc (to
//           a file: after the last copy); default pointer.
//
// A page of a file that cannot be written (a full disk) fails the next
// copy's new page, before that copy is drawn: the print stops at the first
// copy whose output fails.
//
// Every other way out (a page that refuses its range, any run-time error,
// the view going away during the event pass) discards the job it began
// (KillDoc: nothing half-drawn is sent, a half-written PDF is removed),
// unloads Cancelar, enables the view and gives it the default pointer back;
// the view stays open as it was. The next print starts a fresh job.

// A page that cannot be drawn: the message (language text) and its style.
struct RechazoPagina {
    std::int32_t Texto{0};
    int Estilo{0};
};

// Draws one copy's page on the printer; a refusal instead ends the print.
using PaginaImpresion = std::function<std::optional<RechazoPagina>(Printer&)>;

struct MarcoImpresion {
    // The view printed: its pointer, and disabled while the cancel window's
    // events run. Watched: a view closed meanwhile ends the print.
    QWidget* Vista{nullptr};
    // Where the printer dialog opens, in screen twips: a quarter of the
    // width and of the height of the view's picture.
    double DialogoX{0.0};
    double DialogoY{0.0};
    // The cancel window with its abort flag, looked at once per copy before
    // the page is drawn. The phasor views print without it: no flag, no
    // window, no event processing, the view never disabled.
    bool ConCancelar{true};
};

// The frame of a view's print button: the printer dialog over a quarter of
// the width and of the height of the view's picture.
[[nodiscard]] MarcoImpresion MarcoDeVista(QWidget& vista, const PictureBox& picture, bool conCancelar = true);

// How a print ended, for callers and tests.
enum class FinImpresion {
    Impresa,          // every copy sent
    DialogoCancelado, // Cancel in the printer dialog: nothing printed
    Cancelada,        // the cancel window (or the view closed) stopped a copy
    Rechazada,        // the page refused (its message shown)
    Error,            // a run-time error (its box shown)
    EnCurso,          // another print was still running: nothing done
};

// Runs the frame with the view's page on the application's printer
// (CurrentPrinter()). Shows no message of its own but the page's refusal
// and the error box.
FinImpresion ImprimirVista(const MarcoImpresion& marco, const PaginaImpresion& pagina);

// True while a print runs (its dialog included).
[[nodiscard]] bool ImpresionEnCurso();

// Raised for the length of one print: the frame's and the header report's
// hold one each, and neither starts while ImpresionEnCurso (its event
// passes let a print button be pressed), so no page goes into another's job.
class BanderaEnCurso
{
public:
    BanderaEnCurso();
    ~BanderaEnCurso();
    BanderaEnCurso(const BanderaEnCurso&) = delete;
    BanderaEnCurso& operator=(const BanderaEnCurso&) = delete;
};

// Abandons the printer's job in progress (KillDoc): what is drawn of it is
// never sent. Never fails: it is the way out of a failure.
void DescartarTrabajo(Printer& p) noexcept;

// Whether a print without the printer dialog may go to the printer as it
// stands. Without any device, text 129; when the printer is set to print to
// a file (by a view's printer dialog) and that file exists, text 223 with
// the file's name: a print nobody chose a file for never writes over one.
// Shows the message (critical) and returns false; true when it may print.
inline constexpr std::int32_t TextoSinImpresora = 129;
inline constexpr std::int32_t TextoFicheroExistente = 223;
[[nodiscard]] bool DestinoSinDialogo(const Printer& p);

// ---- Printer pens: the colour and width rules of every printout ----

// A colour (&HBBGGRR) on a colour printer (ColorMode 2), black on any other;
// the mode is read on every call.
[[nodiscard]] std::uint32_t ColorImpresora(const Printer& p, std::uint32_t color);

// Trace colours by number on a colour printer: 1 blue, 2 green, 3 red,
// 4 cyan, 5 yellow, 6 magenta, 7 black, 8 blue again; any other n black.
[[nodiscard]] std::uint32_t ColorTrazaImpresora(const Printer& p, std::int32_t n);

// On a printer without colour, where width is what tells traces apart, the
// pen becomes ancho + 3 pixels wide, whatever it was; a colour printer's pen
// stays. The width is 16-bit: beyond 32767 it raises the overflow (6) and
// keeps the pen.
void FijarGrosor(Printer& p, std::int32_t ancho);
// Widens the pen by 3 pixels the same way: FijarGrosor(p, p.DrawWidth).
void EngrosarPluma(Printer& p);

inline constexpr std::uint32_t kAzulImpresora = 0xFF0000;
inline constexpr std::uint32_t kVerdeImpresora = 0x00FF00;
inline constexpr std::uint32_t kRojoImpresora = 0x0000FF;
inline constexpr std::uint32_t kCianImpresora = 0xFFFF00;
inline constexpr std::uint32_t kAmarilloImpresora = 0x00FFFF;
inline constexpr std::uint32_t kMagentaImpresora = 0xFF00FF;

// ---- Pieces of the printed pages ----

// The view window's TextWidth and TextHeight (its own font, in twips): the
// pages measure their text offsets with these. The window's font is also
// the one the page prints in, so that a text measured to end one blank left
// of a box does end there.
struct MedidaTexto {
    std::function<double(const QString&)> Ancho;
    std::function<double(const QString&)> Alto;
    // The font measured with; no size: the printer keeps its own font.
    QString Fuente{};
    double Puntos{0.0};
    bool Negrita{false};
};
[[nodiscard]] MedidaTexto MedidaDeVentana(const QWidget& ventana);
// Gives the printer the font the texts are measured with (when known).
void FuenteDeMedida(Printer& p, const MedidaTexto& medida);

// The page frame every printout draws around the sheet: 0.009 and 0.942 of
// the page width, 0.009 and 0.945 of its height.
struct MarcoPagina {
    double Izquierda{0.0};
    double Derecha{0.0};
    double Arriba{0.0};
    double Abajo{0.0};
};
[[nodiscard]] MarcoPagina MarcoDePagina(const Printer& p);

// Four lines in the current pen, black: top, right, bottom, left side.
void RectanguloImpresora(Printer& p, double izquierda, double arriba, double derecha, double abajo);

// The print date (HoraTexto) right- and bottom-aligned in the page frame's
// bottom right-hand corner (by the window's measure, or the printer's
// where its font is the larger), half a blank off the frame's lines.
void ImprimirFecha(Printer& p, const MarcoPagina& marco, const MedidaTexto& medida);

// A trace placed on the printer's own pixel grid: sample k of the span at
// x = x0 + k * escalaX, the value v at y = ceroY - escalaY * v.
[[nodiscard]] TraceGeometry GeometriaImpresora(const Printer& p, double x0, double escalaX, double ceroY,
                                               double escalaY);

// Keeps of each segment its part between the heights `arriba` and `abajo`
// (a segment inside stays whole, one crossing an edge is cut where it
// crosses, one beyond an edge at both ends goes).
void RecortarSegmentosY(std::vector<QLineF>& segmentos, double arriba, double abajo);

// Draws a trace as its per-device-pixel-column envelope in the current pen:
// the same picture as a segment between every two samples, at a cost that
// grows with the columns, not with the samples. With a band, only the
// trace's part between those heights. With the channel's block tables
// (`tablas`, see TablasTramo) the cost follows the columns alone.
struct BandaY {
    double Arriba{0.0};
    double Abajo{0.0};
};
void TrazarEnImpresora(Printer& p, std::span<const float> valores, const TraceGeometry& g,
                       std::uint32_t color, std::optional<BandaY> banda = std::nullopt,
                       const EnvelopeTables& tablas = {});

// The picture of the print buttons.
[[nodiscard]] QIcon IconoImpresora();

} // namespace vesdra
