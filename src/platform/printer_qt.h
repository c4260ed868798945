#pragma once
#include <QPrinter>
#include <memory>

#include "platform/printer.h"

class QPainter;

namespace vesdra {

// The printer object on a QPrinter: a system printer, or a PDF file when the
// device's output format is PdfFormat (ForPdf, or "print to file" chosen in
// the printer dialog). Each document is one print job; KillDoc aborts the
// job. A PDF is written under a temporary name and takes its own name only
// when EndDoc completes it: an abandoned or failed document leaves no file,
// and an earlier file of that name stays as it was.
//
// Whichever way a document ends (EndDoc, KillDoc, a failure of the device)
// the device is left out of its active state, so that the next document, or
// a printer dialog changing its settings, finds it usable; and every
// document starts from the pen of a fresh page, never from the last
// document's.
class QtPrinter final : public Printer
{
public:
    // A printer object on a device it does not own (the printer dialog's);
    // the device must outlive it.
    explicit QtPrinter(QPrinter& device);
    // A printer writing every document to one PDF file (the last document
    // ended with EndDoc stays there).
    [[nodiscard]] static std::unique_ptr<QtPrinter> ForPdf(const QString& path);
    ~QtPrinter() override;

    // The device; not to be changed while a document is open.
    [[nodiscard]] QPrinter& Device() { return *device_; }

    [[nodiscard]] int Orientation() const override;
    [[nodiscard]] int ColorMode() const override;
    [[nodiscard]] std::int32_t Width() const override;
    [[nodiscard]] std::int32_t Height() const override;
    // A PDF file when it has a name; a system printer when the device names
    // one.
    [[nodiscard]] bool HasDevice() const override;
    [[nodiscard]] QString OutputFile() const override { return painter_ ? target_ : PdfTarget(); }
    [[nodiscard]] double TextWidth(const QString& text) const override;
    [[nodiscard]] double TextHeight(const QString& text) const override;
    [[nodiscard]] double TwipsPerPixelX() const override { return 1.0 / DeviceScale(); }
    [[nodiscard]] double TwipsPerPixelY() const override { return 1.0 / DeviceScale(); }

private:
    void DoLine(double x1, double y1, double x2, double y2, std::uint32_t color, LineForm form) override;
    void DoPolyline(const QPointF* points, std::size_t n, std::uint32_t color) override;
    void DoLines(const QLineF* lines, std::size_t n, std::uint32_t color) override;
    void DoPrint(const QString& text) override;
    void DoNewPage() override;
    void DoEndDoc() override;
    void DoKillDoc() override;
    void ApplyOrientation(int orientation) override;
    void ApplyColorMode(int mode) override;

    QPainter& Begin();
    void PreparePen(std::uint32_t color);
    [[nodiscard]] QFont CurrentFont() const;
    [[nodiscard]] static QString TemporaryPdfPath(const QString& path);
    // The PDF file the document being drawn goes to; empty for a printer.
    [[nodiscard]] QString PdfTarget() const;
    void FinishPdf(bool keep);

    [[nodiscard]] double DeviceScale() const;

    QtPrinter(std::unique_ptr<QPrinter> owned);

    std::unique_ptr<QPrinter> owned_;
    QPrinter* device_;
    std::unique_ptr<QPainter> painter_;
    // ForPdf's file; otherwise the device's own output file, if any.
    QString pdfPath_;
    // The file of the document in progress (written to its temporary name).
    QString target_;
};

} // namespace vesdra
