#include "platform/printer_qt.h"

#include <QFile>
#include <QFileDevice>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QStringList>
#include <QTransform>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/base/vb_error.h"

namespace vesdra {

namespace {

[[noreturn]] void PrinterError()
{
    throw VbError(482);
}

// Dash patterns in twips, so that dashes look the same at any resolution and
// pen width (device-pixel patterns vanish on a 600 DPI page).
QList<qreal> DashTwips(int drawStyle)
{
    switch (drawStyle) {
    case 1:
        return {90, 30};
    case 2:
        return {15, 30};
    case 3:
        return {90, 30, 15, 30};
    case 4:
        return {90, 30, 15, 30, 15, 30};
    default:
        return {};
    }
}

QtPrinter::PdfOutputOpener& OutputOpener()
{
    static QtPrinter::PdfOutputOpener opener;
    return opener;
}

// The bytes of one PDF document on their way to its device, which keeps the
// first write that fails: the PDF writer goes on as if nothing happened,
// and what it wrote is known when the document ends. After a failure
// nothing more is written.
class CheckedOutput final : public QIODevice
{
public:
    explicit CheckedOutput(std::unique_ptr<QIODevice> device) : device_(std::move(device))
    {
        QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    ~CheckedOutput() override
    {
        if (device_->isOpen())
            device_->close();
    }
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    [[nodiscard]] bool isSequential() const override { return true; }

    // Sends what the device keeps back, so that a write that cannot be made
    // fails now; the error number of the first failure (0: none so far).
    int Flush()
    {
        if (error_ || !device_->isOpen())
            return error_;
        if (auto* file = qobject_cast<QFileDevice*>(device_.get())) {
            errno = 0;
            if (!file->flush())
                Fail();
        }
        return error_;
    }

    // Sends what the device keeps back and closes it; the error number of
    // the first failure (0 when every byte was written).
    int Close()
    {
        if (!device_->isOpen())
            return error_;
        Flush();
        auto* file = qobject_cast<QFileDevice*>(device_.get());
        errno = 0;
        device_->close();
        if (file && !error_ && file->error() != QFileDevice::NoError)
            Fail();
        QIODevice::close();
        return error_;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        if (error_)
            return -1;
        qint64 done = 0;
        while (done < len) {
            errno = 0;
            const qint64 n = device_->write(data + done, len - done);
            if (n <= 0) {
                Fail();
                return -1;
            }
            done += n;
        }
        return len;
    }

private:
    // No room left (the system's word for the write that failed) shows as
    // the disk full; any other failure as the device's.
    void Fail()
    {
        const int why = errno;
        error_ = why == ENOSPC || why == EDQUOT ? vberr::DiskFull : vberr::DeviceIoError;
    }

    std::unique_ptr<QIODevice> device_;
    int error_{0};
};

std::unique_ptr<QIODevice> OpenOutput(const QString& path)
{
    if (const QtPrinter::PdfOutputOpener& opener = OutputOpener())
        return opener(path);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate))
        return nullptr;
    return file;
}

} // namespace

void QtPrinter::SetPdfOutputOpenerForTests(PdfOutputOpener opener)
{
    OutputOpener() = std::move(opener);
}

QtPrinter::QtPrinter(QPrinter& device) : device_(&device) {}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> owned) : owned_(std::move(owned)), device_(owned_.get()) {}

std::unique_ptr<QtPrinter> QtPrinter::ForPdf(const QString& path)
{
    auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    device->setOutputFormat(QPrinter::PdfFormat);
    device->setResolution(600);
    device->setPageSize(QPageSize(QPageSize::A4));
    device->setColorMode(QPrinter::Color);
    std::unique_ptr<QtPrinter> printer(new QtPrinter(std::move(device)));
    printer->pdfPath_ = path;
    return printer;
}

QtPrinter::~QtPrinter()
{
    if (painter_) {
        // An unfinished document is abandoned, never half-sent.
        try {
            DoKillDoc();
        } catch (...) {
        }
    }
}

int QtPrinter::Orientation() const
{
    return device_->pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

int QtPrinter::ColorMode() const
{
    return device_->colorMode() == QPrinter::Color ? 2 : 1;
}

void QtPrinter::ApplyOrientation(int orientation)
{
    device_->setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void QtPrinter::ApplyColorMode(int mode)
{
    device_->setColorMode(mode == 2 ? QPrinter::Color : QPrinter::GrayScale);
}

// The printable area, where drawing starts: a page laid out in fractions of
// Width and Height stays on the paper whatever the device's margins.
std::int32_t QtPrinter::Width() const
{
    return static_cast<std::int32_t>(
        std::lround(device_->pageLayout().paintRect(QPageLayout::Point).width() * 20.0));
}

std::int32_t QtPrinter::Height() const
{
    return static_cast<std::int32_t>(
        std::lround(device_->pageLayout().paintRect(QPageLayout::Point).height() * 20.0));
}

bool QtPrinter::HasDevice() const
{
    if (device_->outputFormat() == QPrinter::PdfFormat || !pdfPath_.isEmpty())
        return !PdfTarget().isEmpty();
    return !device_->printerName().isEmpty();
}

double QtPrinter::DeviceScale() const
{
    return device_->resolution() / 1440.0;
}

QFont QtPrinter::CurrentFont() const
{
    QFont font(FontName);
    // No ligatures: a word printed is found as it stands by a search of the
    // PDF's text, whatever face the machine gives for the name.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSizeF(FontSize > 0 ? FontSize : 10.0);
    font.setBold(FontBold);
    return font;
}

double QtPrinter::TextWidth(const QString& text) const
{
    const QFontMetricsF fm(CurrentFont(), device_);
    double widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest / DeviceScale();
}

double QtPrinter::TextHeight(const QString& text) const
{
    const QFontMetricsF fm(CurrentFont(), device_);
    return fm.height() * static_cast<double>(text.count(QLatin1Char('\n')) + 1) / DeviceScale();
}

QString QtPrinter::TemporaryPdfPath(const QString& path)
{
    return path + QStringLiteral(".part");
}

QString QtPrinter::PdfTarget() const
{
    if (!pdfPath_.isEmpty())
        return pdfPath_;
    if (device_->outputFormat() == QPrinter::PdfFormat)
        return device_->outputFileName();
    return {};
}

// Ends the temporary file of a PDF document: renamed to its own name when
// kept, removed otherwise. The device keeps naming the file chosen, for the
// next document and for the printer dialog.
void QtPrinter::FinishPdf(bool keep)
{
    if (target_.isEmpty())
        return;
    const QString target = std::exchange(target_, QString());
    const QString part = TemporaryPdfPath(target);
    if (!keep) {
        QFile::remove(part);
        return;
    }
    // Put in the place of an earlier file at once: never a moment without
    // one of the two, and the earlier file stays when the move fails.
    std::error_code fallo;
    std::filesystem::rename(QFile::encodeName(part).toStdString(), QFile::encodeName(target).toStdString(),
                            fallo);
    if (fallo) {
        QFile::remove(part);
        PrinterError();
    }
}

int QtPrinter::CloseOutput()
{
    writer_.reset();
    if (!output_)
        return 0;
    const int error = static_cast<CheckedOutput&>(*output_).Close();
    output_.reset();
    return error;
}

bool QtPrinter::BeginPdf(QPainter& painter)
{
    std::unique_ptr<QIODevice> file = OpenOutput(TemporaryPdfPath(target_));
    if (!file || !file->isOpen())
        return false;
    output_ = std::make_unique<CheckedOutput>(std::move(file));
    writer_ = std::make_unique<QPdfWriter>(output_.get());
    writer_->setResolution(device_->resolution());
    writer_->setPageLayout(device_->pageLayout());
    writer_->setTitle(device_->docName());
    writer_->setCreator(device_->creator());
    if (painter.begin(writer_.get()))
        return true;
    (void)CloseOutput();
    return false;
}

QColor QtPrinter::Ink(std::uint32_t color) const
{
    const QColor c = PenColor(color);
    if (ColorMode() == 2)
        return c;
    const int g = qGray(c.rgb());
    return {g, g, g};
}

QPainter& QtPrinter::Begin()
{
    if (painter_)
        return *painter_;
    // A PDF device without a file name would take the job and fail it while
    // staying active, refusing every later job and every change of file: it
    // is not started at all.
    if (!HasDevice())
        PrinterError();
    target_ = PdfTarget();
    auto painter = std::make_unique<QPainter>();
    if (!target_.isEmpty() ? !BeginPdf(*painter) : !painter->begin(device_)) {
        FinishPdf(false);
        PrinterError();
    }
    // A printer's paint engine outlives the painter and keeps the pen of
    // the last document; a painter's pen equal to its default is never
    // passed on, so the first text would print in that old colour. Pen and
    // brush are each set to another value first, so that the engine takes
    // the defaults afresh.
    painter->setPen(Qt::NoPen);
    painter->setPen(QPen(Qt::black));
    painter->setBrush(Qt::SolidPattern);
    painter->setBrush(Qt::NoBrush);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setTransform(QTransform::fromScale(DeviceScale(), DeviceScale()));
    painter_ = std::move(painter);
    return *painter_;
}

// The pen is DrawWidth device pixels wide, expressed in twips so that the
// twips transform of the painter maps it back to device pixels.
void QtPrinter::PreparePen(std::uint32_t color)
{
    QPainter& p = Begin();
    const double widthTwips = std::max(1, DrawWidth) / DeviceScale();
    QPen pen(Ink(color), widthTwips, PenStyleFor(DrawStyle), Qt::RoundCap, Qt::RoundJoin);
    if (const QList<qreal> dashes = DashTwips(DrawStyle); !dashes.isEmpty()) {
        QList<qreal> pattern;
        for (qreal d : dashes)
            pattern.push_back(d / widthTwips);
        pen.setDashPattern(pattern);
        pen.setCapStyle(Qt::FlatCap);
    }
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

void QtPrinter::DoLine(double x1, double y1, double x2, double y2, std::uint32_t color, LineForm form)
{
    const QPointF a(x1, y1), b(x2, y2);
    if (form == LineForm::FilledBox) {
        Begin().fillRect(QRectF(a, b).normalized(), Ink(color));
        return;
    }
    PreparePen(color);
    if (form == LineForm::Box)
        painter_->drawRect(QRectF(a, b).normalized());
    else
        painter_->drawLine(a, b);
}

void QtPrinter::DoPolyline(const QPointF* points, std::size_t n, std::uint32_t color)
{
    PreparePen(color);
    painter_->drawPolyline(points, static_cast<int>(std::min<std::size_t>(n, INT32_MAX)));
}

void QtPrinter::DoLines(const QLineF* lines, std::size_t n, std::uint32_t color)
{
    PreparePen(color);
    painter_->drawLines(lines, static_cast<int>(std::min<std::size_t>(n, INT32_MAX)));
}

void QtPrinter::DoPrint(const QString& text)
{
    QPainter& p = Begin();
    const QFont font = CurrentFont();
    const QFontMetricsF fm(font, device_);
    p.save();
    p.resetTransform();
    p.setFont(font);
    p.setPen(Ink(ForeColor));
    p.drawText(QPointF(CurrentX * DeviceScale(), CurrentY * DeviceScale() + fm.ascent()), text);
    p.restore();
}

void QtPrinter::DoNewPage()
{
    Begin();
    if (!(writer_ ? writer_->newPage() : device_->newPage()))
        PrinterError();
    // The page ended is written out now: a file that cannot take it fails
    // here, before another page is drawn, not once the document ends.
    if (output_) {
        if (const int error = static_cast<CheckedOutput&>(*output_).Flush())
            throw VbError(error);
    }
}

// The document is sent whole or not at all: a PDF one of its writes failed
// for leaves no file, and EndDoc raises that write's error.
void QtPrinter::DoEndDoc()
{
    if (!painter_)
        return;
    const bool ok = painter_->end();
    painter_.reset();
    const int error = CloseOutput();
    FinishPdf(ok && error == 0);
    if (error != 0)
        throw VbError(error);
    if (!ok)
        PrinterError();
}

void QtPrinter::DoKillDoc()
{
    if (!painter_)
        return;
    if (!writer_)
        device_->abort();
    if (painter_->isActive())
        painter_->end();
    painter_.reset();
    (void)CloseOutput();
    FinishPdf(false);
}

} // namespace vesdra
