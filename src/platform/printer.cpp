#include "platform/printer.h"

#include <QCoreApplication>

#include "platform/base/vb_error.h"
#include "platform/common_dialog.h"
#include "platform/printer_qt.h"

namespace vesdra {

namespace {

// The toolkit's "Invalid property value".
constexpr int kInvalidPropertyValue = 380;

struct PrinterSlot {
    std::unique_ptr<Printer> owned;
    Printer* forTests{nullptr};
};

PrinterSlot& Slot()
{
    static PrinterSlot slot;
    return slot;
}

} // namespace

void Printer::SetOrientation(int orientation)
{
    if (orientation != 1 && orientation != 2)
        throw VbError(kInvalidPropertyValue);
    if (orientation != Orientation())
        ApplyOrientation(orientation);
}

void Printer::SetColorMode(int mode)
{
    if (mode != 1 && mode != 2)
        throw VbError(kInvalidPropertyValue);
    if (mode != ColorMode())
        ApplyColorMode(mode);
}

void Printer::Line(double x1, double y1, double x2, double y2, std::optional<std::uint32_t> color,
                   LineForm form)
{
    DoLine(x1, y1, x2, y2, color.value_or(ForeColor), form);
    CurrentX = x2;
    CurrentY = y2;
}

void Printer::LineTo(double x2, double y2, std::optional<std::uint32_t> color)
{
    Line(CurrentX, CurrentY, x2, y2, color);
}

void Printer::Polyline(const QPointF* points, std::size_t n, std::optional<std::uint32_t> color)
{
    if (n == 0)
        return;
    if (n >= 2)
        DoPolyline(points, n, color.value_or(ForeColor));
    CurrentX = points[n - 1].x();
    CurrentY = points[n - 1].y();
}

void Printer::Lines(const QLineF* lines, std::size_t n, std::optional<std::uint32_t> color)
{
    if (n == 0)
        return;
    DoLines(lines, n, color.value_or(ForeColor));
    CurrentX = lines[n - 1].x2();
    CurrentY = lines[n - 1].y2();
}

void Printer::Print(const QString& text)
{
    DoPrint(text);
    CurrentX = 0;
    CurrentY += TextHeight(text);
}

void Printer::NewPage()
{
    DoNewPage();
    ResetPosition();
}

void Printer::EndDoc()
{
    DoEndDoc();
    ResetPosition();
}

void Printer::KillDoc()
{
    DoKillDoc();
    ResetPosition();
}

void Printer::ResetDrawingState()
{
    DrawWidth = 1;
    DrawStyle = 0;
    ForeColor = 0;
    FontName = DefaultFontName();
    FontSize = kDefaultFontSize;
    FontBold = false;
    ResetPosition();
}

void Printer::ResetPosition()
{
    CurrentX = 0;
    CurrentY = 0;
}

Printer& CurrentPrinter()
{
    PrinterSlot& slot = Slot();
    if (slot.forTests)
        return *slot.forTests;
    if (!slot.owned) {
        slot.owned = std::make_unique<QtPrinter>(*DialogPrinter());
        // The dialog's device goes with the application; the printer object
        // on it must go first (post routines run last-added first).
        qAddPostRoutine([] { Slot().owned.reset(); });
    }
    return *slot.owned;
}

void SetCurrentPrinter(std::unique_ptr<Printer> printer)
{
    Slot().owned = std::move(printer);
}

void SetPrinterForTests(Printer* printer)
{
    Slot().forTests = printer;
}

} // namespace vesdra
