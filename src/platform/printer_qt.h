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
    // A printer on the system's default printer (as configured by the
    // printer dialog through Device()).
    QtPrinter();
    // A printer writing every document to one PDF file (the last document
    // ended with EndDoc stays there).
    [[nodiscard]] static std::unique_ptr<QtPrinter> ForPdf(const QString& path);
    ~QtPrinter() override;

    // The device, for the printer dialog; not to be changed while a
    // document is open. After the dialog, SyncFromDevice takes over the
    // orientation and colour mode chosen there.
    [[nodiscard]] QPrinter& Device() { return device_; }
    void SyncFromDevice();

    [[nodiscard]] std::int32_t Width() const override;
    [[nodiscard]] std::int32_t Height() const override;
    [[nodiscard]] double TextWidth(const QString& text) const override;
    [[nodiscard]] double TextHeight(const QString& text) const override;

private:
    void DoLine(double x1, double y1, double x2, double y2, std::uint32_t color, LineForm form) override;
    void DoPolyline(const QPointF* points, std::size_t n, std::uint32_t color) override;
    void DoPrint(const QString& text) override;
    void DoNewPage() override;
    void DoEndDoc() override;
    void DoKillDoc() override;
    void OrientationChanged() override;
    void ColorModeChanged() override;

    QPainter& Begin();
    void PreparePen(std::uint32_t color);
    [[nodiscard]] QFont CurrentFont() const;
    [[nodiscard]] QString TemporaryPdfPath() const;

    [[nodiscard]] double DeviceScale() const;

    QPrinter device_;
    std::unique_ptr<QPainter> painter_;
    // A PDF is written to a temporary name and renamed when its document ends.
    QString pdfPath_;
};

} // namespace vesdra
