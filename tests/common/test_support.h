#pragma once
#include <QIODevice>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

class QAbstractItemView;
class QLineEdit;
class QListWidget;

namespace testing {
class AssertionResult;
}
namespace vesdra {
class ElidedLabel;
class ElidedLineEdit;
} // namespace vesdra

// Lets gtest print texts readably in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// Helpers shared by the test programs.
namespace vesdra::test {

// Folder of committed fixtures (tests/data) and of the public sample records.
QString DataPath(const QString& relative);
QString SamplePath(const QString& name);

// What the window system shows of a top-level window: the picture its
// native window holds on screen (its last painting), empty when it has none.
[[nodiscard]] QImage ImagenEnPantalla(const QWidget& ventana);
// How many pixels of that picture have the colour `rgb` (0xRRGGBB).
[[nodiscard]] int PixelesDeColor(const QImage& imagen, unsigned rgb);

// Writes bytes to a file, creating folders; returns false on failure.
bool WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

// Render check of a one-line box: its text, drawn in a copy of the box made
// much wider (same font, frame and margins, left-aligned), puts no ink at or
// beyond the box's own inner right edge, and one line of its font fits the
// box's inner height. So the box shows its text whole, not cut.
[[nodiscard]] bool TextoEnteroEnCaja(const QLineEdit& caja);

// Why a control of a form is not whole and usable on screen: hidden, not
// wholly inside the form's client area, overlapped by a visible sibling, or
// drawn otherwise in the form's picture than on its own (something covers
// it). Empty when it is whole.
[[nodiscard]] QString ControlTapado(const QWidget& form, const QWidget& control);

// A screen of Ancho x Alto pixels for the views' layouts.
struct PantallaPrueba {
    int Ancho;
    int Alto;
};
// "800x600": a test name for the screen.
[[nodiscard]] std::string NombrePantalla(const PantallaPrueba& p);

// The main window's area on that screen: Screen() set at 15 twips per
// pixel, and Mostrar puts a view into a sub-window of the area and shows it,
// as the main window shows its views.
class AreaPantalla
{
public:
    explicit AreaPantalla(const PantallaPrueba& p);
    ~AreaPantalla();
    void Mostrar(QWidget* vista);

private:
    std::unique_ptr<QWidget> area_;
};

// The tool tip hovering w shows.
QString AyudaAlPasar(QWidget& w);

// Whether a path label holds `ruta` whole, draws it cut in the middle (its
// start and its last folder in sight, within the label's width) and shows it
// whole as its tool tip.
::testing::AssertionResult RutaCortadaEnMedio(ElidedLabel& etiqueta, const QString& ruta);

// Names as a substation's recorder writes them: 64 characters whose first 45
// ("SUBESTACIÓN MONTAÑA ALTA – POSICIÓN 220 kV – ") are shared, then dashes
// and `fin` at the end (fin holds at most 19 characters).
[[nodiscard]] QString NombreLargo(const QString& fin);

// A read-only read-out box of `ventana` at `sitio` (its geometry) showing
// `nombre` + ": " + `valor`, as a view's value boxes do.
ElidedLineEdit* CajaLectura(QWidget& ventana, const QRect& sitio, const QString& nombre,
                            const QString& valor);

// Whether a read-out box holds `nombre` + ": " + `valor` whole, draws the
// value whole at its end inside its width (the name cut in the middle when
// the box is too narrow) and, when cut, shows the whole text on hover. A box
// of more lines draws the value alone on its last line, and every line
// inside the box.
::testing::AssertionResult LecturaConValorEntero(ElidedLineEdit& caja, const QString& nombre,
                                                 const QString& valor);

// Whether every text of the list differs from the others (texts as drawn of
// names that differ).
::testing::AssertionResult TodosDistintos(const QStringList& vistos);
// The long-name fixtures' names 1..3 (voltages) and 4..6 (currents) differ
// only at their end: within each group of three, no two may be seen alike.
::testing::AssertionResult PorGruposDistintos(const QStringList& vistos);

// Names as a substation writes them in a template: 57-64 characters, all
// starting "SUBESTACIÓN NORTE 220 kV POSICIÓN LÍNEA 2 – " and told apart only
// by what follows (the quantity and the phase of a channel, the kind of a
// set or group, the signal of a digital channel).
struct NombresSubestacion {
    // The eight analog channels: voltages of phases A, B, C, currents of
    // phases A, B, C, the neutral current and the busbar voltage.
    static QStringList Analogicos();
    // Their second names (the circuit column): "CIRCUITO LÍNEA 2 NORTE – ...",
    // one character shorter than each name, so that a channel's caption is
    // its second name.
    static QStringList Circuitos();
    // Two three-phase sets: voltages and currents.
    static QStringList Trifasicos();
    // Five digital groups.
    static QStringList Grupos();
    // Twenty digital channels.
    static QStringList Digitales();
    // The start they all share.
    static QString Comun();
};

// Whether each text shown (`vistos`, as drawn, "…" standing for what is left
// out) is a faithful cut of its own name in `nombres` and reads as none of
// the other names of the list: a protection engineer can tell every one
// from the others beside it without hovering.
::testing::AssertionResult SeLeenAparte(const QStringList& vistos, const QStringList& nombres);

// What an item view draws for its entries in sight, rendering it once: the
// text of each (row, column) as the view's style is asked to draw it, "…"
// standing for what is left out (a text too wide for its room that the style
// would clip reads as the part that shows followed by "…").
[[nodiscard]] std::map<std::pair<int, int>, QString> TextosDibujados(QAbstractItemView& vista);
// The tool tip hovering entry (row, column) of an item view shows.
QString AyudaAlPasarEntrada(QAbstractItemView& vista, int fila, int columna = 0);

// Checks a dialog's slots of channel names, `nombres` holding each slot's
// own name: every slot holds its name whole, shows it cut and whole on hover,
// and all read apart; a click on `casillas[pulsada]` makes it current with
// the focus on it, drawn as before (still cut). Run it in
// ASSERT_NO_FATAL_FAILURE.
void CheckSlotsReadApart(const std::vector<ElidedLineEdit*>& casillas, const QStringList& nombres,
                         std::size_t pulsada);
// Checks a list of names, `nombres` one per entry: every entry in sight (five
// at least) is drawn in its row as the list's text for it, whole on hover,
// and every entry reads apart from the others. Run it in
// ASSERT_NO_FATAL_FAILURE.
void CheckListReadsApart(QListWidget& lista, const QStringList& nombres);

// Counts the paint events of the widgets it is installed on.
class PaintCount : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The bands of pixel rows of a box's picture that hold its text's ink
// (pixels far from the box's base colour), as runs [from, to) of at least 5
// rows (an accent above a capital is no line of its own). The rows looked at
// stand `margen` pixels in from the top and the bottom, the columns one more
// from the sides, clear of the box's frame; a band still open at the last
// row looked at ends there.
[[nodiscard]] std::vector<std::pair<int, int>> InkRowBands(QWidget& caja, int margen);

// How many pixels two pictures of one size differ in.
[[nodiscard]] int DifferentPixels(const QImage& a, const QImage& b);

// Runs a command-line tool and returns what it wrote on its standard output
// (empty when it could not run within 30 s).
QString RunTool(const QString& tool, const QStringList& args);
// The first page of a PDF rendered by pdftoppm at `dpi`; null on failure.
QImage RenderPdfPage(const QString& pdf, int dpi);
// The text of a PDF as pdftotext reads it (with `options`), after Unicode
// compatibility normalisation (NFKC): a ligature glyph reads as its letters.
QString PdfText(const QString& pdf, const QStringList& options = {});

// A file at `path`, opened for writing, that takes its first `bytes` bytes
// and then fails every write, as a disk with no more room does.
std::unique_ptr<QIODevice> FileFailingAfter(const QString& path, qint64 bytes);

// A folder on a file system of its own `kilobytes` large (a tmpfs), where
// the tests may mount one (as root); unmounted and removed when it goes.
class SmallDisk
{
public:
    explicit SmallDisk(int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    [[nodiscard]] bool Mounted() const { return mounted_; }
    [[nodiscard]] QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    bool mounted_{false};
};

} // namespace vesdra::test
