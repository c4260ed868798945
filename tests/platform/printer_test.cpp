#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/vb_error.h"
#include "platform/common_dialog.h"
#include "platform/printer_qt.h"
#include "platform/printer_recording.h"

namespace vesdra {
namespace {

using Kind = PrintCall::Kind;

TEST(RecordingPrinter, RecordsASmallPageWithPositionsPensAndState)
{
    RecordingPrinter p;
    p.SetOrientation(2);
    EXPECT_EQ(p.Width(), 16838);
    EXPECT_EQ(p.Height(), 11906);
    const double w = p.Width(), h = p.Height();

    // A frame, a dashed cursor in yellow, a label in yellow, the ink back to black.
    p.Line(0.009 * w, 0.009 * h, 0.942 * w, 0.009 * h, 0);
    p.LineTo(0.942 * w, 0.945 * h);
    p.DrawWidth = 2;
    p.DrawStyle = 1;
    p.Line(5000, 600, 5000, 9000, 0x00FFFF);
    p.DrawStyle = 0;
    p.CurrentY = 9300; // CurrentX stays where the line ended
    p.ForeColor = 0x00FFFF;
    p.Print(QStringLiteral("Cursor 1"));
    p.ForeColor = 0;
    p.Print(QStringLiteral("next"));
    p.EndDoc();

    ASSERT_EQ(p.Calls.size(), 6u);
    const PrintCall& frame = p.Calls[0];
    EXPECT_EQ(frame.What, Kind::Line);
    EXPECT_DOUBLE_EQ(frame.X1, 0.009 * w);
    EXPECT_EQ(frame.Orientation, 2);
    const PrintCall& edge = p.Calls[1];
    EXPECT_DOUBLE_EQ(edge.X1, 0.942 * w) << "LineTo starts where the last line ended";
    EXPECT_DOUBLE_EQ(edge.Y2, 0.945 * h);
    EXPECT_EQ(edge.Color, 0u) << "no colour given: ForeColor";

    const PrintCall& cursor = p.Calls[2];
    EXPECT_EQ(cursor.Color, 0x00FFFFu);
    EXPECT_EQ(cursor.DrawWidth, 2);
    EXPECT_EQ(cursor.DrawStyle, 1);

    const PrintCall& label = p.Calls[3];
    EXPECT_EQ(label.What, Kind::Print);
    EXPECT_EQ(label.Text, QStringLiteral("Cursor 1"));
    EXPECT_EQ(label.X1, 5000);
    EXPECT_EQ(label.Y1, 9300);
    EXPECT_EQ(label.Color, 0x00FFFFu);
    const PrintCall& next = p.Calls[4];
    EXPECT_EQ(next.X1, 0) << "Print ends the line: back to the left edge";
    EXPECT_EQ(next.Y1, 9300 + 240) << "one text height lower";
    EXPECT_EQ(next.Color, 0u);
    EXPECT_EQ(p.Calls[5].What, Kind::EndDoc);
    EXPECT_EQ(p.CurrentX, 0);
    EXPECT_EQ(p.CurrentY, 0);
}

TEST(RecordingPrinter, CopiesAreDocumentsAndAnAbandonedOneIsKilled)
{
    RecordingPrinter p;
    for (int copy = 1; copy <= 2; ++copy) {
        p.Print(QStringLiteral("copy %1").arg(copy));
        p.EndDoc();
    }
    p.Line(0, 0, 10, 10, std::nullopt, LineForm::Box);
    p.KillDoc();
    std::vector<Kind> kinds;
    for (const PrintCall& c : p.Calls)
        kinds.push_back(c.What);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Print, Kind::EndDoc, Kind::Print, Kind::EndDoc, Kind::Line,
                                        Kind::KillDoc}));
    EXPECT_EQ(p.Calls[4].Form, LineForm::Box);
}

TEST(RecordingPrinter, TextMetricsAreFixedAndFollowFontSize)
{
    RecordingPrinter p;
    EXPECT_EQ(p.TextWidth(QStringLiteral("AAAA")), 480);
    EXPECT_EQ(p.TextHeight(QString()), 240);
    p.FontSize = 20;
    EXPECT_EQ(p.TextWidth(QStringLiteral("A")), 240);
    EXPECT_EQ(p.TextHeight(QStringLiteral("two\nlines")), 960);
}

TEST(RecordingPrinter, ErrorsAreRunTimeErrors)
{
    RecordingPrinter p;
    p.FailNextCall = true;
    try {
        p.Line(0, 0, 100, 100);
        FAIL() << "expected a printer error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 482);
    }
    EXPECT_NO_THROW(p.Line(0, 0, 100, 100)) << "only the next call fails";

    for (int bad : {0, 3, -1}) {
        EXPECT_THROW(p.SetOrientation(bad), VbError) << bad;
        EXPECT_THROW(p.SetColorMode(bad), VbError) << bad;
    }
    EXPECT_EQ(p.Orientation(), 1);
    EXPECT_EQ(p.ColorMode(), 2);
}

TEST(RecordingPrinter, TestsCanReplaceTheCurrentPrinter)
{
    RecordingPrinter rec;
    SetPrinterForTests(&rec);
    CurrentPrinter().Print(QStringLiteral("x"));
    SetPrinterForTests(nullptr);
    EXPECT_EQ(rec.Texts(), std::vector<QString>{QStringLiteral("x")});
    EXPECT_NE(&CurrentPrinter(), static_cast<Printer*>(&rec));
}

TEST(QtPrinter, TheCurrentPrinterIsTheOneThePrinterDialogConfigures)
{
    // The dialog may run before or after the printer object is first used;
    // either way they act on one device.
    QPrinter* dialogs = DialogPrinter();
    const QPrinter::ColorMode savedMode = dialogs->colorMode();
    const QPageLayout::Orientation savedOrientation = dialogs->pageLayout().orientation();
    dialogs->setColorMode(QPrinter::GrayScale); // as the user might in the dialog
    EXPECT_EQ(CurrentPrinter().ColorMode(), 1);
    dialogs->setColorMode(QPrinter::Color);
    EXPECT_EQ(CurrentPrinter().ColorMode(), 2);
    CurrentPrinter().SetOrientation(2);
    EXPECT_EQ(dialogs->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_GT(CurrentPrinter().Width(), CurrentPrinter().Height());
    dialogs->setColorMode(savedMode);
    dialogs->setPageOrientation(savedOrientation);
}

TEST(QtPrinter, PrintsALandscapePdfPageAndAbandonedDocumentsLeaveNoFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    auto printer = QtPrinter::ForPdf(pdf);
    printer->SetOrientation(2);
    EXPECT_GT(printer->Width(), printer->Height());
    printer->CurrentX = 1440;
    printer->CurrentY = 1440;
    printer->Print(QStringLiteral("Oscilograma VESDRA"));
    printer->DrawStyle = 2;
    printer->Line(1440, 3000, 10000, 3000, 0xFF0000);
    printer->DrawStyle = 0;
    printer->Line(1440, 3500, 10000, 5000, std::nullopt, LineForm::Box);
    printer->EndDoc();

    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(pdf + QStringLiteral(".part")));
    EXPECT_TRUE(test::PdfText(pdf).contains(QStringLiteral("Oscilograma VESDRA")));
    const QString info = test::RunTool(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)")).match(info);
    ASSERT_TRUE(m.hasMatch()) << info.toStdString();
    EXPECT_GT(m.captured(1).toDouble(), m.captured(2).toDouble()) << "landscape";

    // A second document abandoned half-way leaves the first one untouched.
    const QByteArray first = test::ReadBytes(pdf);
    printer->Print(QStringLiteral("abandoned"));
    printer->KillDoc();
    EXPECT_EQ(test::ReadBytes(pdf), first);
    EXPECT_FALSE(QFile::exists(pdf + QStringLiteral(".part")));
}

// "Print to file" chosen in the printer dialog: the PDF appears whole when
// its document ends, and an abandoned document leaves no file and no part
// of one, and the file printed before stays as it was.
TEST(QtPrinter, PrintToFileFromTheDialogIsWrittenWholeOrNotAtAll)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("dialog.pdf"));
    QPrinter device(QPrinter::HighResolution);
    SetDialogPrinter(&device);
    {
        ScopedDialogAnswers answers({false, {}, 2, pdf});
        FrmCentrar& f = frm_centrar();
        f.CommonDialog1.ShowPrinter();
        EXPECT_EQ(f.CommonDialog1.Copies, 2);
    }
    EXPECT_EQ(device.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(device.outputFileName(), pdf);
    QtPrinter printer(device);
    EXPECT_NEAR(printer.TwipsPerPixelX(), 1440.0 / 600.0, 1e-9);

    printer.Print(QStringLiteral("job one"));
    printer.EndDoc();
    ASSERT_TRUE(QFile::exists(pdf));
    const QByteArray first = test::ReadBytes(pdf);
    EXPECT_TRUE(test::PdfText(pdf).contains(QStringLiteral("job one")));

    printer.Print(QStringLiteral("job two"));
    EXPECT_EQ(test::ReadBytes(pdf), first)
        << "the file keeps its last whole document while the next is drawn";
    printer.KillDoc();
    EXPECT_EQ(test::ReadBytes(pdf), first);
    EXPECT_FALSE(QFile::exists(pdf + QStringLiteral(".part")));
    EXPECT_EQ(device.outputFileName(), pdf) << "the dialog shows the file chosen";

    // Without an earlier file nothing at all remains.
    QFile::remove(pdf);
    printer.Print(QStringLiteral("abandoned"));
    printer.KillDoc();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    SetDialogPrinter(nullptr);
}

// A document that fails to start (no file named at all, as on a machine
// without printers; a folder that does not exist) raises the printer error
// and leaves the device idle: the next file chosen is printed.
TEST(QtPrinter, ADocumentThatCannotStartLeavesTheDeviceReadyForTheNext)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* what;
        QString file;
        bool device;
    };
    const std::vector<Case> cases = {
        {"no file named", QString(), false},
        {"a folder that does not exist", dir.filePath(QStringLiteral("missing/page.pdf")), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QPrinter device(QPrinter::HighResolution);
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(c.file);
        QtPrinter printer(device);
        EXPECT_EQ(printer.HasDevice(), c.device);
        EXPECT_EQ(printer.OutputFile(), c.file);
        try {
            printer.Print(QStringLiteral("never"));
            FAIL() << "expected a printer error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, 482);
        }
        printer.KillDoc();
        EXPECT_NE(device.printerState(), QPrinter::Active);

        const QString good = dir.filePath(QStringLiteral("good.pdf"));
        PrintToPdf(device, good);
        EXPECT_EQ(device.outputFileName(), good) << "the dialog can name a file again";
        EXPECT_TRUE(printer.HasDevice());
        printer.Print(QStringLiteral("printed after the failure"));
        printer.EndDoc();
        EXPECT_TRUE(test::PdfText(good).contains(QStringLiteral("printed after the failure")));
        QFile::remove(good);
    }
}

// A PDF document whose file cannot be written whole (its device fails at
// once, part-way through, or near the end) fails EndDoc with the error of
// the write; neither the chosen name nor the temporary one holds anything of
// it (an earlier file of that name stays as it was), and the next document
// of the same printer is written whole.
TEST(QtPrinter, AFailedWriteLeavesNoFileAndTheNextDocumentIsWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    ASSERT_TRUE(test::WriteBytes(pdf, "earlier"));
    QPrinter device(QPrinter::HighResolution);
    PrintToPdf(device, pdf);
    QtPrinter printer(device);
    struct Opener {
        ~Opener() { QtPrinter::SetPdfOutputOpenerForTests({}); }
    } restore;
    for (const qint64 bytes : {0, 100, 3000}) {
        SCOPED_TRACE(bytes);
        QtPrinter::SetPdfOutputOpenerForTests(
            [bytes](const QString& path) { return test::FileFailingAfter(path, bytes); });
        printer.CurrentX = 1440;
        printer.CurrentY = 1440;
        printer.Print(QStringLiteral("never sent"));
        try {
            printer.EndDoc();
            FAIL() << "expected the write's error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, vberr::DeviceIoError);
        }
        EXPECT_EQ(test::ReadBytes(pdf), QByteArray("earlier"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("page.pdf")});
        EXPECT_NE(device.printerState(), QPrinter::Active);
    }
    QtPrinter::SetPdfOutputOpenerForTests({});
    printer.CurrentX = 1440;
    printer.CurrentY = 1440;
    printer.Print(QStringLiteral("printed after the failures"));
    printer.EndDoc();
    EXPECT_TRUE(test::PdfText(pdf).contains(QStringLiteral("printed after the failures")));
}

// The same on a real disk with no room left (a 16 KB file system, where the
// tests may mount one): the disk-full error, the earlier file kept, no part
// of the new one left, and the next print to a folder with room is whole.
TEST(QtPrinter, APrintToAFullDiskFailsAndTheNextPrintIsWhole)
{
    test::SmallDisk disk(16);
    if (!disk.Mounted())
        GTEST_SKIP() << "no file system of our own can be mounted here";
    const QString full = disk.Path() + QStringLiteral("/page.pdf");
    ASSERT_TRUE(test::WriteBytes(full, "earlier"));
    QPrinter device(QPrinter::HighResolution);
    PrintToPdf(device, full);
    QtPrinter printer(device);
    printer.SetOrientation(2);
    const auto page = [&printer](const QString& text) {
        printer.CurrentX = 1440;
        printer.CurrentY = 1440;
        printer.Print(text);
        for (int i = 0; i < 2000; ++i)
            printer.Line(1440 + i * 5, 3000, 1440 + i * 5 + 3, 3000 + (i * 37) % 5000, 0xFF0000);
    };
    page(QStringLiteral("never whole"));
    try {
        printer.EndDoc();
        FAIL() << "expected the disk-full error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vberr::DiskFull);
    }
    EXPECT_EQ(test::ReadBytes(full), QByteArray("earlier"));
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files), QStringList{QStringLiteral("page.pdf")});

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString roomy = dir.filePath(QStringLiteral("page.pdf"));
    PrintToPdf(device, roomy);
    page(QStringLiteral("printed after the full disk"));
    printer.EndDoc();
    EXPECT_TRUE(test::PdfText(roomy).contains(QStringLiteral("printed after the full disk")));
    EXPECT_GT(test::ReadBytes(roomy).size(), 16 * 1024);
}

// The device's paint engine outlives each document: the first text of a
// document prints in ForeColor, not in the pen the last document drew with.
TEST(QtPrinter, ADocumentsFirstTextIsNotInTheLastDocumentsColour)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("colour.pdf"));
    auto printer = QtPrinter::ForPdf(pdf);
    printer->DrawWidth = 4;
    printer->Line(1440, 1440, 8000, 1440, 0xFF0000); // blue, the last pen of the page
    printer->EndDoc();

    printer->ForeColor = 0;
    printer->FontSize = 40;
    printer->CurrentX = 1440;
    printer->CurrentY = 1440;
    printer->Print(QStringLiteral("BLACK"));
    printer->EndDoc();
    const QImage page = test::RenderPdfPage(pdf, 72);
    ASSERT_FALSE(page.isNull());
    int dark = 0;
    int blue = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb px = page.pixel(x, y);
            dark += qGray(px) < 100 ? 1 : 0;
            blue += qBlue(px) - std::max(qRed(px), qGreen(px)) > 60 ? 1 : 0;
        }
    EXPECT_GT(dark, 100) << "the text, in black";
    EXPECT_EQ(blue, 0);
}

TEST(QtPrinter, TextMetricsAreInTwipsOfThePrinterFont)
{
    QTemporaryDir dir;
    auto printer = QtPrinter::ForPdf(dir.filePath(QStringLiteral("m.pdf")));
    printer->FontSize = 10;
    const double line = printer->TextHeight(QString());
    // A 10-point font has a line of roughly 10 to 14 points (200 to 280 twips).
    EXPECT_GT(line, 180);
    EXPECT_LT(line, 300);
    printer->FontSize = 20;
    EXPECT_NEAR(printer->TextHeight(QString()), 2 * line, 0.25 * line);
    EXPECT_GT(printer->TextWidth(QStringLiteral("AAAA")), printer->TextWidth(QStringLiteral("A")) * 3);
}

// The printer font is the metric-compatible face of Arial, embedded in the page,
// and a word printed is found as it stands by a search of the PDF's text (no
// ligature glyph stands for "fi").
TEST(QtPrinter, PrintedWordsAreFoundInThePdfAndTheFaceIsArialsMetricTwin)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("w.pdf"));
    auto printer = QtPrinter::ForPdf(pdf);
    printer->CurrentX = 1440;
    printer->CurrentY = 1440;
    printer->Print(QStringLiteral("first view"));
    printer->Print(QStringLiteral("Fichero Definici\u00f3n"));
    printer->FontBold = true;
    printer->Print(QStringLiteral("official"));
    printer->EndDoc();
    const QString raw = test::RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const char* word : {"first view", "Fichero", "Definici\u00f3n", "official"})
        EXPECT_TRUE(raw.contains(QString::fromUtf8(word))) << word << " in " << raw.toStdString();
    const QString fonts = test::RunTool(QStringLiteral("pdffonts"), {pdf});
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans"))) << fonts.toStdString();
}

} // namespace
} // namespace vesdra
