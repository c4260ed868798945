#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>

namespace vesdra {

class Printer;
struct MedidaTexto;
class frmFases;
class frmSecuencias;

// ---- Printer pens of the phasor pages ----
//
// On a colour printer (ColorMode 2) each phasor has its own colour: the
// first set cyan, yellow, magenta, the second blue, green, red (the screen
// has them the other way round). On any other printer all are black and
// each line is 3 pixels wider than the one before (EngrosarPluma), the
// second set going on from the first (FijarGrosor). The mode is read on
// every call.

// The pen colour of phasor i (0..2 the first set, 3..5 the second).
[[nodiscard]] std::uint32_t ColorFasor(const Printer& p, std::size_t i);

// ---- The page of the phasor view and of the sequence view ----

// One phasor of the page and its legend block: the name line (the name and
// the sequence digit) and the value line (name, digit, ": " and the value).
struct FasorImpreso {
    float X{0.0f}; // the view's drawing offsets (screen twips, zoom included)
    float Y{0.0f};
    float Factor{1.0f}; // the set's drawing factor as the view draws it
    bool Leyenda{true}; // false: the block is left out (no name, stroke, value or pen change)
    QString Nombre;     // the channel's (or the set's) name
    QString Digito;     // the sequence digit ("1", "2", "0"); none on the phasor page
    QString Medida;     // the text whose width places the stroke
    QString Valor;      // what the value line holds after ": " ("mag@angleunit")
};

enum class TipoPaginaFasorial {
    Fases,      // title 69; stroke from 6 name widths
    Secuencias, // title 70; stroke from 6.2 name widths
};

struct DatosPaginaFasorial {
    TipoPaginaFasorial Tipo{TipoPaginaFasorial::Fases};
    double AltoPicture{0.0};  // the view's picture height, twips: 72 % of the page height
    std::int32_t NumSets{0};  // 1 or 2; any other count prints no phasor
    std::int64_t Posicion{0}; // the window number the view shows
    // 0..2 the first (or only) set, 3..5 the second.
    std::array<FasorImpreso, 6> Fasores{};
    // The names the legend's names are told from besides each other: the
    // record's channels (a page of one set still tells its channels from
    // the record's others).
    QStringList Junto;
};

// One landscape page: frame, diagram box with its axes, the phasors drawn
// from the box's centre at the view's proportions (the picture's height
// becomes 72 % of the page's) and cut at the box, a legend block per phasor
// (name, a stroke in the phasor's colour after it, value line; all ending
// left of the box, in one size in which every value fits whole; a name
// too long gives way by the name rule against the legend's other names,
// on two lines where the column has room for every block so, never its
// digit or value; a value line whose name has no room for a cut that reads
// as its channel only among d.Junto takes the name as a caption on up to
// two lines and the value under it), title, record path, window number and
// date. Leaves the
// pen 1 wide, also when it
// fails. Throws VbError (division by zero for a picture of no height,
// overflow for a phasor without a finite end).
void PaginaFasorial(Printer& p, const DatosPaginaFasorial& d, const MedidaTexto& m);

// What the pages read of the views at their position now. A view whose
// picture has no room left (dragged that small) prints its diagram as a
// picture as high as it is wide would show it.
[[nodiscard]] DatosPaginaFasorial DatosFases(const frmFases& v);
[[nodiscard]] DatosPaginaFasorial DatosSecuencias(const frmSecuencias& v);

// The print buttons: the page in the print frame without the cancel window.
// An error shows its box, discards the job and leaves the view as it was.
void ImprimirFases(frmFases& v);
void ImprimirSecuencias(frmSecuencias& v);

} // namespace vesdra
