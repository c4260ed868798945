#pragma once
#include <QPrinter>
#include <functional>
#include <memory>

#include "platform/printer.h"

class QIODevice;
class QPainter;
class QPdfWriter;

namespace vesdra {

// The printer object on a QPrinter: a system printer, or a PDF file when the
// device's output format is PdfFormat (ForPdf, or "print to file" chosen in
// the printer dialog). Each document is one print job; KillDoc aborts the
// job. A PDF is written under a temporary name and takes its own name only
// when EndDoc completes it: an abandoned or failed document leaves no file,
// and an earlier file of that name stays as it was.
//
// A PDF document is drawn on a writer of its own (the device's page layout,
// resolution and colour mode) whose every byte goes through a device that
// keeps the first failed write: a file that cannot be written whole (no
// room, its folder gone) fails with the error of the write (61 "Disk full"
// when there was no room, 57 "Device I/O error" otherwise) and leaves
// nothing under its name. Each page is written out when the next one
// starts, so the NewPage after a page that could not be written fails at
// once; a failure in the last page fails EndDoc. No failure of one document
// reaches the next.
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

    // Opens the device a PDF document's bytes are written to, at the
    // temporary path given (a file, by default). Tests put one of their own
    // in its place (a device that fails part-way, as a full disk does); an
    // empty function goes back to the file.
    using PdfOutputOpener = std::function<std::unique_ptr<QIODevice>(const QString& path)>;
    static void SetPdfOutputOpenerForTests(PdfOutputOpener opener);

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
    // Starts a PDF document on its own writer and output; false when its
    // file cannot be opened.
    bool BeginPdf(QPainter& painter);
    // The colour drawn: grey on a printer set to greyscale.
    [[nodiscard]] QColor Ink(std::uint32_t color) const;
    void PreparePen(std::uint32_t color);
    [[nodiscard]] QFont CurrentFont() const;
    [[nodiscard]] static QString TemporaryPdfPath(const QString& path);
    // The PDF file the document being drawn goes to; empty for a printer.
    [[nodiscard]] QString PdfTarget() const;
    // Ends the output of the PDF document; the error of its first failed
    // write, if any (0: none).
    int CloseOutput();
    void FinishPdf(bool keep);

    [[nodiscard]] double DeviceScale() const;

    QtPrinter(std::unique_ptr<QPrinter> owned);

    std::unique_ptr<QPrinter> owned_;
    QPrinter* device_;
    // A PDF document's output and writer; the painter, when it draws one,
    // draws on the writer.
    std::unique_ptr<QIODevice> output_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    // ForPdf's file; otherwise the device's own output file, if any.
    QString pdfPath_;
    // The file of the document in progress (written to its temporary name).
    QString target_;
};

} // namespace vesdra
