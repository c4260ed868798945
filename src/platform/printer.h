#pragma once
#include <QLineF>
#include <QPointF>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/pens.h"

namespace vesdra {

// The application's printer object. Pages are laid out in twips from the
// top-left corner of the printable area; Width and Height are the size of
// that area in twips for the current orientation.
//
// The drawing state (CurrentX/Y, pens, colour, font) is plain data: a call
// uses the values in force when it is made, as the page routines
// expect. A document starts with the first drawing call after construction,
// EndDoc or KillDoc; EndDoc sends it, KillDoc abandons it.
//
// Failures of the device (no printer, an output file that cannot be opened)
// throw VbError 482 ("Printer error") from the call that meets them; a
// document whose file could not be written whole fails with the error of the
// write (61 "Disk full", 57 "Device I/O error"): at the NewPage after the
// page that could not be written, else at its EndDoc.
class Printer
{
public:
    virtual ~Printer() = default;

    [[nodiscard]] virtual std::int32_t Width() const = 0;
    [[nodiscard]] virtual std::int32_t Height() const = 0;
    // Whether there is a device to print on at all (a machine without any
    // printer, and no file chosen to print to, has none); a routine that
    // prints without a dialog asks first.
    [[nodiscard]] virtual bool HasDevice() const { return true; }
    // The file the next document is written to ("print to file"); empty when
    // it goes to a printer.
    [[nodiscard]] virtual QString OutputFile() const { return {}; }
    // 1 portrait, 2 landscape. Takes effect for the next document (or the
    // next page when no drawing has happened yet on this one). Other values
    // raise VbError 380 ("Invalid property value").
    [[nodiscard]] virtual int Orientation() const = 0;
    void SetOrientation(int orientation);
    // 1 monochrome, 2 colour; read afresh from the device, so a choice made
    // in the printer dialog shows at once.
    [[nodiscard]] virtual int ColorMode() const = 0;
    void SetColorMode(int mode);
    // Size of one device pixel in twips (1440 / the device's dots per inch):
    // the grid a trace envelope is worked out on.
    [[nodiscard]] virtual double TwipsPerPixelX() const = 0;
    [[nodiscard]] virtual double TwipsPerPixelY() const = 0;

    double CurrentX{0};
    double CurrentY{0};
    int DrawWidth{1};           // device pixels
    int DrawStyle{0};           // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible
    std::uint32_t ForeColor{0}; // &HBBGGRR
    QString FontName{DefaultFontName()};
    double FontSize{kDefaultFontSize};
    bool FontBold{false};

    static constexpr double kDefaultFontSize = 10;
    [[nodiscard]] static QString DefaultFontName() { return QStringLiteral("Arial"); }

    // A segment (or box) in the colour given, ForeColor when none; leaves
    // CurrentX, CurrentY at the second point.
    void Line(double x1, double y1, double x2, double y2, std::optional<std::uint32_t> color = std::nullopt,
              LineForm form = LineForm::Plain);
    // From CurrentX, CurrentY to the point.
    void LineTo(double x2, double y2, std::optional<std::uint32_t> color = std::nullopt);
    // Joined segments through n points in one colour; the current point ends
    // at the last one.
    void Polyline(const QPointF* points, std::size_t n, std::optional<std::uint32_t> color = std::nullopt);
    // Independent segments in one colour and the current pen (a trace
    // envelope); the current point ends at the last segment's end.
    void Lines(const QLineF* lines, std::size_t n, std::optional<std::uint32_t> color = std::nullopt);
    // One item at CurrentX, CurrentY (top of its line) in ForeColor and the
    // printer's font, then a new line: CurrentX = 0, CurrentY one text height
    // lower.
    void Print(const QString& text);
    // Extent of a text in the printer's font, in twips.
    [[nodiscard]] virtual double TextWidth(const QString& text) const = 0;
    [[nodiscard]] virtual double TextHeight(const QString& text) const = 0;

    void NewPage();
    void EndDoc();
    void KillDoc();

    // The drawing state every page starts from, whatever an earlier page or
    // print left behind: solid black pen 1 pixel wide, black text in the
    // default font, the current point at the top left.
    void ResetDrawingState();

protected:
    // What a backend draws; the state is read from the public members.
    virtual void DoLine(double x1, double y1, double x2, double y2, std::uint32_t color, LineForm form) = 0;
    virtual void DoPolyline(const QPointF* points, std::size_t n, std::uint32_t color) = 0;
    virtual void DoLines(const QLineF* lines, std::size_t n, std::uint32_t color) = 0;
    virtual void DoPrint(const QString& text) = 0;
    virtual void DoNewPage() = 0;
    virtual void DoEndDoc() = 0;
    virtual void DoKillDoc() = 0;
    virtual void ApplyOrientation(int orientation) = 0;
    virtual void ApplyColorMode(int mode) = 0;
    // Resets the state a new document starts with (CurrentX/Y to 0).
    void ResetPosition();
};

// The process-wide printer object. By default a QtPrinter on the printer
// that the printer dialog configures (DialogPrinter of common_dialog.h),
// created on first use, so a choice made in the dialog applies to it
// whichever of the two is used first.
Printer& CurrentPrinter();
// Makes another printer current (the printer dialog may install a new one).
void SetCurrentPrinter(std::unique_ptr<Printer> printer);
// Tests point the program at a printer they own (e.g. a RecordingPrinter);
// nullptr goes back to the owned one.
void SetPrinterForTests(Printer* printer);

} // namespace vesdra
