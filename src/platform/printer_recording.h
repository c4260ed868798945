#pragma once
#include <QPointF>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/printer.h"

namespace vesdra {

// One call made on a RecordingPrinter, with the printer's state at the time
// of the call.
struct PrintCall {
    enum class Kind { Line, Polyline, Lines, Print, NewPage, EndDoc, KillDoc };
    Kind What{Kind::Line};
    // Line: the two points; Print: X1, Y1 is where the text starts.
    double X1{0};
    double Y1{0};
    double X2{0};
    double Y2{0};
    LineForm Form{LineForm::Plain};
    std::vector<QPointF> Points{};  // Polyline
    std::vector<QLineF> Segments{}; // Lines
    QString Text{};                 // Print
    std::uint32_t Color{0};         // pen colour (Line, Polyline) or ForeColor (Print)
    int DrawWidth{1};
    int DrawStyle{0};
    std::uint32_t ForeColor{0};
    QString FontName{};
    double FontSize{0};
    bool FontBold{false};
    int Orientation{1};
    int ColorMode{2};
    std::int32_t PageWidth{0};
    std::int32_t PageHeight{0};
};

// A printer that draws nothing and records every call, for tests of print
// routines. The page is A4 (11906 x 16838 twips in portrait, swapped in
// landscape). Text metrics are fixed so results do not depend on fonts:
// a character is 12 x FontSize twips wide, a line 24 x FontSize twips high
// (120 and 240 at the default size 10). Its device pixels are those of a
// 600 DPI printer unless a test sets Resolution.
class RecordingPrinter final : public Printer
{
public:
    RecordingPrinter() = default;

    std::vector<PrintCall> Calls;
    // Makes the next drawing call throw VbError 482, as a failing device
    // does; once only.
    bool FailNextCall{false};
    // Makes the drawing call that would be recorded as Calls[FailAtCall - 1]
    // throw VbError 482, as a device failing half-way through a page does;
    // once only, 0 never.
    std::size_t FailAtCall{0};
    // Dots per inch of the pretended device.
    double Resolution{600.0};
    // Stands for a machine without any printer (HasDevice false).
    bool NoDevice{false};
    // Stands for "print to file" to this file (OutputFile).
    QString FileName{};

    [[nodiscard]] int Orientation() const override { return orientation_; }
    [[nodiscard]] int ColorMode() const override { return colorMode_; }
    [[nodiscard]] std::int32_t Width() const override;
    [[nodiscard]] std::int32_t Height() const override;
    [[nodiscard]] bool HasDevice() const override { return !NoDevice; }
    [[nodiscard]] QString OutputFile() const override { return FileName; }
    [[nodiscard]] double TextWidth(const QString& text) const override;
    [[nodiscard]] double TextHeight(const QString& text) const override;
    [[nodiscard]] double TwipsPerPixelX() const override { return 1440.0 / Resolution; }
    [[nodiscard]] double TwipsPerPixelY() const override { return 1440.0 / Resolution; }

    // Calls of one kind, in order.
    [[nodiscard]] std::vector<PrintCall> OfKind(PrintCall::Kind kind) const;
    // The texts printed, in order.
    [[nodiscard]] std::vector<QString> Texts() const;

private:
    void DoLine(double x1, double y1, double x2, double y2, std::uint32_t color, LineForm form) override;
    void DoPolyline(const QPointF* points, std::size_t n, std::uint32_t color) override;
    void DoLines(const QLineF* lines, std::size_t n, std::uint32_t color) override;
    void DoPrint(const QString& text) override;
    void DoNewPage() override;
    void DoEndDoc() override;
    void DoKillDoc() override;
    void ApplyOrientation(int orientation) override { orientation_ = orientation; }
    void ApplyColorMode(int mode) override { colorMode_ = mode; }

    int orientation_{1};
    int colorMode_{2};

    PrintCall Snapshot(PrintCall::Kind kind, std::uint32_t color);
    void MaybeFail();
};

} // namespace vesdra
