#pragma once
#include <QPrinter>
#include <memory>

#include "platform/printer.h"

class QPainter;

namespace vesdra {

// The printer object on a QPrinter: a system printer, or a PDF file when the
// device's output format is PdfFormat (ForPdf). Each document is one print
// job; KillDoc aborts the job, and for a PDF removes the partial file.
class QtPrinter final : public Printer {
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
    // A PDF file always; a system printer only when the device names one.
    [[nodiscard]] bool HasDevice() const override;
    [[nodiscard]] double TextWidth(const QString& text) const override;
    [[nodiscard]] double TextHeight(const QString& text) const override;

private:
    void DoLine(double x1, double y1, double x2, double y2, std::uint32_t color, LineForm form) override;
    void DoPolyline(const QPointF* points, std::size_t n, std::uint32_t color) override;
    void DoPrint(const QString& text) override;
    void DoNewPage() override;
    void DoEndDoc() override;
    void DoKillDoc() override;
    void ApplyOrientation(int orientation) override;
    void ApplyColorMode(int mode) override;

    QPainter& Begin();
    void PreparePen(std::uint32_t color);
    [[nodiscard]] QFont CurrentFont() const;
    [[nodiscard]] QString TemporaryPdfPath() const;

    [[nodiscard]] double DeviceScale() const;

    QtPrinter(std::unique_ptr<QPrinter> owned);

    std::unique_ptr<QPrinter> owned_;
    QPrinter* device_;
    std::unique_ptr<QPainter> painter_;
    // A PDF is written to a temporary name and renamed when its document ends.
    QString pdfPath_;
};

} // namespace vesdra
