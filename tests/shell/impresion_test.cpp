#include "shell/impresion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

#include "platform/common_dialog.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/modal_loops.h"
#include "platform/mouse_pointer.h"
#include "platform/printer_qt.h"
#include "platform/printer_recording.h"
#include "shell/cancelar.h"
#include "shell/frm_ajustes.h"
#include "shell/impresion_piezas.h"
#include "shell_fixture.h"

namespace vesdra {
namespace {

using Kind = PrintCall::Kind;

// The frame around a page that draws one line per copy, on a recording
// printer, with the printer dialog answered by the test.
class PrintFrame : public test::ShellTest
{
protected:
    void SetUp() override
    {
        test::ShellTest::SetUp();
        SetPrinterForTests(&printer);
    }
    void TearDown() override
    {
        SetPrinterForTests(nullptr);
        DescargarCancelar();
        test::ShellTest::TearDown();
    }

    FinImpresion Print(std::int32_t copies, const PaginaImpresion& page = {}, bool withCancel = true)
    {
        dialog.Queue({false, {}, copies});
        return ImprimirVista(
            {&view, 4000, 2000, withCancel}, page ? page : [this](Printer& p) { return Page(p); });
    }

    // What the view and the cancel window look like while a page is drawn.
    std::optional<RechazoPagina> Page(Printer& p)
    {
        ++pages;
        enabledDuringPage = enabledDuringPage && view.isEnabled();
        cancelShownDuringPage = cancelShownDuringPage || CancelarCargado();
        p.Line(0, 0, 1000, 1000);
        return std::nullopt;
    }

    // A page after which the cancel window's button is pressed: the click
    // reaches the window in the next copy's event pass.
    PaginaImpresion CancellingPage()
    {
        return [this](Printer& p) {
            QTimer::singleShot(0, &view, [] {
                if (Cancelar* c = VentanaCancelar())
                    c->cdmCancelar->click();
            });
            return Page(p);
        };
    }

    [[nodiscard]] std::vector<Kind> Kinds() const
    {
        std::vector<Kind> k;
        for (const PrintCall& c : printer.Calls)
            k.push_back(c.What);
        return k;
    }

    void ExpectViewAsBefore()
    {
        EXPECT_TRUE(view.isEnabled());
        EXPECT_EQ(MousePointer(&view), vbDefault);
        EXPECT_FALSE(CancelarCargado());
        EXPECT_FALSE(ImpresionEnCurso());
    }

    RecordingPrinter printer;
    ScopedDialogAnswers dialog;
    QWidget view;
    int pages{0};
    bool enabledDuringPage{true};
    bool cancelShownDuringPage{false};
};

TEST_F(PrintFrame, EachCopyIsALandscapeJobOfItsOwnWithTheCancelWindowPolledBeforeItsPage)
{
    EXPECT_EQ(Print(3), FinImpresion::Impresa);
    EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Line, Kind::EndDoc, Kind::Line, Kind::EndDoc, Kind::Line,
                                          Kind::EndDoc}));
    for (const PrintCall& c : printer.Calls)
        EXPECT_EQ(c.Orientation, 2);
    EXPECT_EQ(pages, 3);
    EXPECT_TRUE(enabledDuringPage) << "the view is enabled again before its page is drawn";
    EXPECT_TRUE(cancelShownDuringPage);
    // One dialog, opened over the view's picture.
    ASSERT_EQ(dialog.Calls().size(), 1u);
    EXPECT_EQ(dialog.Calls()[0].Kind, DialogKind::Printer);
    EXPECT_EQ(dialog.Calls()[0].Dialog.Left, 4000);
    EXPECT_EQ(dialog.Calls()[0].Dialog.Top, 2000);
    EXPECT_TRUE(dialog.Calls()[0].Dialog.CancelError);
    ExpectViewAsBefore();
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(PrintFrame, CancelAfterTheFirstCopyDiscardsTheSecondAndPrintsNoThird)
{
    EXPECT_EQ(Print(3, CancellingPage()), FinImpresion::Cancelada);
    EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Line, Kind::EndDoc, Kind::KillDoc}));
    EXPECT_EQ(pages, 1);
    ExpectViewAsBefore();
    EXPECT_EQ(Boxes().Count(), 0);
}

// The cancel window's event pass is a loop the running print handler waits
// in: an exit confirmed meanwhile unloads the forms only once it is over
// (the print then ends as cancelled), never under the handler.
// On a desktop the user clicks the cancel window while a page is drawn: it
// stands painted from one copy to the next and the click stops the print
// before the next copy, whether on its button or on its close box.
TEST_F(PrintFrame, AClickOnTheCancelWindowWhileAPageIsDrawnStopsThePrintBeforeTheNextCopy)
{
    for (const bool boton : {true, false}) {
        printer.Calls.clear();
        pages = 0;
        bool pintada = false;
        const auto page = [&](Printer& p) {
            if (pages == 0) {
                Cancelar* c = VentanaCancelar();
                EXPECT_NE(c, nullptr);
                if (c) {
                    pintada =
                        VentanaExpuesta(*c) && test::PixelesDeColor(test::ImagenEnPantalla(*c), 0x000000) > 0;
                    if (boton)
                        QTest::mouseClick(c->cdmCancelar, Qt::LeftButton);
                    else
                        c->close();
                }
            }
            return Page(p);
        };
        EXPECT_EQ(Print(20, page), FinImpresion::Cancelada) << boton;
        EXPECT_EQ(pages, 1) << boton;
        EXPECT_TRUE(pintada) << "its text is on screen during the first page";
        EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Line, Kind::EndDoc, Kind::KillDoc}));
        ExpectViewAsBefore();
    }
}

TEST_F(PrintFrame, TheCancelWindowsEventPassHoldsOffTheUnloading)
{
    int depthInPass = 0;
    const auto page = [&](Printer& p) {
        QTimer::singleShot(0, &view, [&depthInPass] { depthInPass = NestedLoopDepth(); });
        return Page(p);
    };
    EXPECT_EQ(Print(2, page), FinImpresion::Impresa);
    EXPECT_GT(depthInPass, 0);
    EXPECT_EQ(NestedLoopDepth(), 0);
}

TEST_F(PrintFrame, ALeftOverCancelWindowAndFlagDoNotStopTheNextPrint)
{
    MostrarCancelar();
    Shell().CancelarImpresion = true;
    EXPECT_EQ(Print(2), FinImpresion::Impresa);
    EXPECT_EQ(pages, 2);
    ExpectViewAsBefore();
}

TEST_F(PrintFrame, CancelInThePrinterDialogPrintsNothingAndSaysNothing)
{
    dialog.Queue({true, {}, 1});
    EXPECT_EQ(ImprimirVista({&view, 0, 0, true}, [this](Printer& p) { return Page(p); }),
              FinImpresion::DialogoCancelado);
    EXPECT_TRUE(printer.Calls.empty());
    EXPECT_EQ(pages, 0);
    ExpectViewAsBefore();
    EXPECT_EQ(Boxes().Count(), 0);
}

// However a page fails, its job is discarded (never sent half-drawn), the
// cancel window goes, the view is as it was, and the next print is a
// fresh job.
TEST_F(PrintFrame, EveryFailureDiscardsItsJobAndLeavesTheViewUsable)
{
    struct Case {
        const char* what;
        PaginaImpresion page;
        FinImpresion end;
        QString box;
        int style;
    };
    const std::vector<Case> cases = {
        {"page refuses its range",
         [](Printer& p) -> std::optional<RechazoPagina> {
             p.Line(0, 0, 10, 10);
             return RechazoPagina{80, vbOKOnly};
         },
         FinImpresion::Rechazada, TextosIdioma(80), vbOKOnly},
        {"printer fails",
         [this](Printer& p) -> std::optional<RechazoPagina> {
             p.Line(0, 0, 10, 10);
             printer.FailNextCall = true;
             p.Line(10, 10, 20, 20);
             return std::nullopt;
         },
         FinImpresion::Error, QStringLiteral("Error 482: Printer error"), vbCritical},
        {"page throws",
         [](Printer& p) -> std::optional<RechazoPagina> {
             p.Line(0, 0, 10, 10);
             throw VbError(vberr::Overflow);
         },
         FinImpresion::Error, QStringLiteral("Error 6: Overflow"), vbCritical},
        {"a foreign exception",
         [](Printer& p) -> std::optional<RechazoPagina> {
             p.Line(0, 0, 10, 10);
             throw std::runtime_error("boom");
         },
         FinImpresion::Error, QString(), vbCritical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        printer.Calls.clear();
        Boxes().Clear();
        EXPECT_EQ(Print(2, c.page), c.end);
        EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Line, Kind::KillDoc})) << "no second copy, nothing sent";
        ASSERT_EQ(Boxes().Count(), 1);
        if (!c.box.isEmpty()) {
            EXPECT_EQ(Boxes().Last().Prompt, c.box);
        }
        EXPECT_EQ(Boxes().Last().Style, c.style);
        ExpectViewAsBefore();

        printer.Calls.clear();
        EXPECT_EQ(Print(1), FinImpresion::Impresa);
        EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Line, Kind::EndDoc}));
    }
}

TEST_F(PrintFrame, WithoutTheCancelWindowNothingIsShownPolledOrDisabled)
{
    Shell().CancelarImpresion = true; // left over from an earlier print
    bool disabled = false;
    const auto page = [&](Printer& p) {
        disabled = disabled || !view.isEnabled();
        return Page(p);
    };
    EXPECT_EQ(Print(2, page, false), FinImpresion::Impresa);
    EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Line, Kind::EndDoc, Kind::Line, Kind::EndDoc}));
    EXPECT_FALSE(cancelShownDuringPage);
    EXPECT_FALSE(disabled);
    EXPECT_TRUE(Shell().CancelarImpresion) << "the flag is neither cleared nor read";
    ExpectViewAsBefore();
}

TEST_F(PrintFrame, AViewClosedDuringTheCancelWindowsEventsEndsThePrint)
{
    auto* closing = new QWidget;
    QTimer::singleShot(0, [closing] { delete closing; });
    dialog.Queue({false, {}, 2});
    EXPECT_EQ(ImprimirVista({closing, 0, 0, true}, [this](Printer& p) { return Page(p); }),
              FinImpresion::Cancelada);
    EXPECT_EQ(pages, 0);
    EXPECT_FALSE(CancelarCargado());
}

TEST_F(PrintFrame, ASecondPrintDoesNotStartWhileOneRuns)
{
    FinImpresion inner = FinImpresion::Impresa;
    const auto page = [&](Printer& p) {
        inner = ImprimirVista({&view, 0, 0, true}, [this](Printer& q) { return Page(q); });
        p.Line(0, 0, 1, 1);
        return std::nullopt;
    };
    EXPECT_EQ(Print(1, page), FinImpresion::Impresa);
    EXPECT_EQ(inner, FinImpresion::EnCurso);
    EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Line, Kind::EndDoc}));
}

// The header report prints on the same printer without the frame: neither
// print starts while the other runs, so no page goes into the other's job.
TEST_F(PrintFrame, AViewAndTheHeaderReportNeverPrintIntoEachOthersJob)
{
    FinImpresion inner = FinImpresion::Impresa;
    QTimer::singleShot(0, &view, [&] {
        inner = ImprimirVista({&view, 0, 0, true}, [this](Printer& p) { return Page(p); });
    });
    EXPECT_EQ(ImprimirLineas({QStringLiteral("a"), QStringLiteral("b")}, printer), FinImpresion::Impresa);
    EXPECT_EQ(inner, FinImpresion::EnCurso) << "a view's print button pressed while the report prints";
    EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Print, Kind::Print, Kind::EndDoc}));
    EXPECT_FALSE(ImpresionEnCurso());

    printer.Calls.clear();
    const auto page = [&](Printer& p) {
        inner = ImprimirLineas({QStringLiteral("x")}, p);
        return Page(p);
    };
    EXPECT_EQ(Print(1, page), FinImpresion::Impresa);
    EXPECT_EQ(inner, FinImpresion::EnCurso);
    EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Line, Kind::EndDoc}));
    ExpectViewAsBefore();
}

// Whatever an earlier page, print or failure left in the printer's state,
// every copy's page starts with a black solid pen 1 pixel wide, black text
// in the printer's default font, at the top left.
TEST_F(PrintFrame, EveryPageStartsFromTheSamePrinterState)
{
    // Left by a page that failed half-way through a coloured label.
    printer.ForeColor = kMagentaImpresora;
    printer.DrawWidth = 5;
    printer.DrawStyle = 2;
    printer.FontName = QStringLiteral("Courier");
    printer.FontSize = 20;
    printer.FontBold = true;
    printer.CurrentX = 700;
    printer.CurrentY = 900;
    const auto page = [](Printer& p) -> std::optional<RechazoPagina> {
        p.Print(QStringLiteral("first"));
        p.Line(0, 0, 10, 10);
        // A page that forgets to put its colour, pen and font back.
        p.ForeColor = kAzulImpresora;
        p.DrawWidth = 3;
        p.DrawStyle = 1;
        p.FontSize = 8;
        return std::nullopt;
    };
    EXPECT_EQ(Print(2, page), FinImpresion::Impresa);
    const std::vector<PrintCall> texts = printer.OfKind(Kind::Print);
    const std::vector<PrintCall> lines = printer.OfKind(Kind::Line);
    ASSERT_EQ(texts.size(), 2u);
    ASSERT_EQ(lines.size(), 2u);
    for (const PrintCall& t : texts) {
        EXPECT_EQ(t.Color, 0u);
        EXPECT_EQ(t.FontName, QStringLiteral("Arial"));
        EXPECT_EQ(t.FontSize, 10);
        EXPECT_FALSE(t.FontBold);
        EXPECT_EQ(t.X1, 0);
        EXPECT_EQ(t.Y1, 0);
    }
    for (const PrintCall& l : lines) {
        EXPECT_EQ(l.Color, 0u) << "no colour given: the reset ForeColor";
        EXPECT_EQ(l.DrawWidth, 1);
        EXPECT_EQ(l.DrawStyle, 0);
    }
}

// Printed to a file, the copies are the pages of one document: one job per
// copy would write the file again for each and leave the last copy alone.
TEST_F(PrintFrame, CopiesToAFileArePagesOfOneDocument)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    printer.FileName = dir.filePath(QStringLiteral("copias.pdf"));
    EXPECT_EQ(Print(3), FinImpresion::Impresa);
    EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Line, Kind::NewPage, Kind::Line, Kind::NewPage, Kind::Line,
                                          Kind::EndDoc}));
    EXPECT_TRUE(cancelShownDuringPage) << "still polled before each copy's page";
    ExpectViewAsBefore();

    // A cancel before the second copy abandons the one document: the file is
    // not written with part of the copies.
    printer.Calls.clear();
    EXPECT_EQ(Print(3, CancellingPage()), FinImpresion::Cancelada);
    EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::Line, Kind::KillDoc}));
    ExpectViewAsBefore();
}

// A print without a dialog goes nowhere a user did not choose: with no
// device, text 129; to a file that exists, text 223 and its name; either way
// nothing reaches the printer.
TEST_F(PrintFrame, APrintWithoutADialogNeverWritesOverAFile)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("view.pdf"));
    ASSERT_TRUE(test::WriteBytes(existing, "%PDF-1.4 view"));
    struct Case {
        const char* what;
        bool noDevice;
        QString file;
        QString box;
    };
    const std::vector<Case> cases = {
        {"no printer, no file", true, {}, TextosIdioma(129)},
        {"an existing file", false, existing, TextosIdioma(223) + QDir::toNativeSeparators(existing)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        printer.NoDevice = c.noDevice;
        printer.FileName = c.file;
        Boxes().Clear();
        EXPECT_FALSE(DestinoSinDialogo(printer));
        EXPECT_EQ(ImprimirLineas({QStringLiteral("VESDRA")}, printer), FinImpresion::Rechazada);
        ASSERT_EQ(Boxes().Count(), 2);
        EXPECT_EQ(Boxes().Last().Prompt, c.box);
        EXPECT_EQ(Boxes().Last().Style, vbCritical);
        EXPECT_TRUE(printer.Calls.empty());
        EXPECT_FALSE(ImpresionEnCurso());
        EXPECT_FALSE(CancelarCargado());
    }
    EXPECT_EQ(test::ReadBytes(existing), QByteArray("%PDF-1.4 view"));

    // A file of that name not there (yet): the report goes into it.
    printer.NoDevice = false;
    printer.FileName = dir.filePath(QStringLiteral("report.pdf"));
    Boxes().Clear();
    EXPECT_TRUE(DestinoSinDialogo(printer));
    EXPECT_EQ(ImprimirLineas({QStringLiteral("VESDRA")}, printer), FinImpresion::Impresa);
    EXPECT_EQ(Boxes().Count(), 0);
}

// ---- the real printer, printing to PDF files ----

// The application's printer on a device as on a machine without any
// printer: PDF output, no file until a printer dialog chooses one.
class PrintFrameOnPdf : public test::ShellTest
{
protected:
    void SetUp() override
    {
        test::ShellTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(QString());
        SetDialogPrinter(&device);
        SetCurrentPrinter(std::make_unique<QtPrinter>(device));
    }
    void TearDown() override
    {
        QtPrinter::SetPdfOutputOpenerForTests({});
        SetCurrentPrinter(nullptr);
        SetDialogPrinter(nullptr);
        DescargarCancelar();
        test::ShellTest::TearDown();
    }

    // The view's print through the printer dialog, answered with "print to
    // file" to `pdf`; the page prints `text` at the top left.
    FinImpresion PrintView(const QString& pdf, const QString& text, std::int32_t copies = 1)
    {
        ScopedDialogAnswers answers({false, {}, copies, pdf});
        return ImprimirVista({&view, 0, 0, true}, [text](Printer& p) -> std::optional<RechazoPagina> {
            p.CurrentX = 1440;
            p.CurrentY = 1440;
            p.Print(text);
            return std::nullopt;
        });
    }

    [[nodiscard]] QString Path(const QString& name) const { return dir.filePath(name); }

    // A file named `name` whose writing fails part-way: through a device of
    // the tests' own that fails after 2000 bytes, and, where `disk` is
    // mounted, on a full disk; with the box each failure shows.
    struct FailedWrite {
        const char* what;
        QString pdf;
        bool failingDevice;
        QString box;
    };
    [[nodiscard]] std::vector<FailedWrite> FailedWrites(const test::SmallDisk& disk,
                                                        const QString& name) const
    {
        std::vector<FailedWrite> cases = {
            {"device failing", Path(name), true, QStringLiteral("Error 57: Device I/O error")}};
        if (disk.Mounted())
            cases.push_back({"full disk", disk.Path() + QLatin1Char('/') + name, false,
                             QStringLiteral("Error 61: Disk full")});
        return cases;
    }
    // The next PDF output goes through the failing device where `c` wants it.
    static void OpenOutputFor(const FailedWrite& c)
    {
        if (c.failingDevice)
            QtPrinter::SetPdfOutputOpenerForTests(
                [](const QString& path) { return test::FileFailingAfter(path, 2000); });
    }

    QTemporaryDir dir;
    QPrinter device{QPrinter::HighResolution};
    QWidget view;
};

TEST_F(PrintFrameOnPdf, AReportPrintNeitherBreaksTheNextViewPrintNorWritesOverItsFile)
{
    // No printer and no file: the report says so and leaves the device idle.
    EXPECT_EQ(ImprimirLineas({QStringLiteral("VESDRA"), QStringLiteral("uno")}, CurrentPrinter()),
              FinImpresion::Rechazada);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(129));
    EXPECT_NE(device.printerState(), QPrinter::Active);

    const QString view1 = Path(QStringLiteral("view.pdf"));
    EXPECT_EQ(PrintView(view1, QStringLiteral("first view")), FinImpresion::Impresa);
    ASSERT_TRUE(QFile::exists(view1));
    EXPECT_TRUE(test::PdfText(view1).contains(QStringLiteral("first view")));

    // The printer now prints to view.pdf: the report leaves it as it was.
    const QByteArray bytes = test::ReadBytes(view1);
    Boxes().Clear();
    EXPECT_EQ(ImprimirLineas({QStringLiteral("VESDRA")}, CurrentPrinter()), FinImpresion::Rechazada);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(223) + QDir::toNativeSeparators(view1));
    EXPECT_EQ(test::ReadBytes(view1), bytes);

    // A file that cannot be written fails its print alone.
    Boxes().Clear();
    EXPECT_EQ(PrintView(Path(QStringLiteral("missing/folder.pdf")), QStringLiteral("lost")),
              FinImpresion::Error);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, QStringLiteral("Error 482: Printer error"));

    const QString view2 = Path(QStringLiteral("view2.pdf"));
    Boxes().Clear();
    EXPECT_EQ(PrintView(view2, QStringLiteral("second view")), FinImpresion::Impresa);
    EXPECT_EQ(Boxes().Count(), 0);
    ASSERT_TRUE(QFile::exists(view2));
    EXPECT_TRUE(test::PdfText(view2).contains(QStringLiteral("second view")));
    EXPECT_EQ(test::ReadBytes(view1), bytes);
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty());
}

// A print whose file cannot be written whole (its device fails part-way
// through the document, or the disk fills up) shows the error box of the
// page's failure handling, leaves nothing under the chosen name but the
// earlier file of that name and no part of the new one, gives the view back
// as it was, and the next print is whole.
TEST_F(PrintFrameOnPdf, AFailedWriteShowsTheErrorBoxAndTheNextPrintIsWhole)
{
    test::SmallDisk disk(8); // room for the earlier file alone
    for (const FailedWrite& c : FailedWrites(disk, QStringLiteral("view.pdf"))) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(test::WriteBytes(c.pdf, "earlier"));
        Boxes().Clear();
        OpenOutputFor(c);
        EXPECT_EQ(PrintView(c.pdf, QStringLiteral("never whole"), 3), FinImpresion::Error);
        QtPrinter::SetPdfOutputOpenerForTests({});
        ASSERT_EQ(Boxes().Count(), 1);
        EXPECT_EQ(Boxes().Last().Prompt, c.box);
        EXPECT_EQ(Boxes().Last().Style, vbCritical);
        EXPECT_EQ(test::ReadBytes(c.pdf), QByteArray("earlier"));
        EXPECT_EQ(QDir(QFileInfo(c.pdf).path()).entryList(QDir::Files),
                  QStringList{QStringLiteral("view.pdf")});
        EXPECT_TRUE(view.isEnabled());
        EXPECT_EQ(MousePointer(&view), vbDefault);

        const QString next = Path(QStringLiteral("next.pdf"));
        Boxes().Clear();
        EXPECT_EQ(PrintView(next, QStringLiteral("printed after the failure")), FinImpresion::Impresa);
        EXPECT_EQ(Boxes().Count(), 0);
        EXPECT_TRUE(test::PdfText(next).contains(QStringLiteral("printed after the failure")));
        QFile::remove(next);
    }
}

// Many copies onto a file that cannot take the first page: the print stops
// at that copy, with the error box at once, and draws no further copy.
TEST_F(PrintFrameOnPdf, AFailedWriteStopsAtTheFirstCopyThatCannotBeWritten)
{
    test::SmallDisk disk(8);
    for (const FailedWrite& c : FailedWrites(disk, QStringLiteral("many.pdf"))) {
        SCOPED_TRACE(c.what);
        OpenOutputFor(c);
        Boxes().Clear();
        int drawn = 0;
        ScopedDialogAnswers answers({false, {}, 40, c.pdf});
        // Each page is far more than the room there is: a few thousand
        // scattered lines, which no compression makes small.
        const FinImpresion fin =
            ImprimirVista({&view, 0, 0, true}, [&](Printer& p) -> std::optional<RechazoPagina> {
                ++drawn;
                std::uint32_t seed = 12345;
                const auto next = [&seed] {
                    seed = seed * 1664525u + 1013904223u;
                    return static_cast<double>(seed >> 8) / (1u << 24) * 10000.0;
                };
                for (int i = 0; i < 3000; ++i)
                    p.Line(next(), next(), next(), next());
                return std::nullopt;
            });
        QtPrinter::SetPdfOutputOpenerForTests({});
        EXPECT_EQ(fin, FinImpresion::Error);
        EXPECT_EQ(drawn, 1) << "no copy is drawn after the one whose output failed";
        ASSERT_EQ(Boxes().Count(), 1);
        EXPECT_EQ(Boxes().Last().Prompt, c.box);
        EXPECT_FALSE(QFile::exists(c.pdf));
        EXPECT_TRUE(QDir(QFileInfo(c.pdf).path()).entryList(QDir::Files).isEmpty()) << "nothing left";
        EXPECT_FALSE(CancelarCargado());
        EXPECT_TRUE(view.isEnabled());
    }
}

TEST_F(PrintFrameOnPdf, ThreeCopiesToAFileAreThreePagesOfIt)
{
    const QString pdf = Path(QStringLiteral("copies.pdf"));
    EXPECT_EQ(PrintView(pdf, QStringLiteral("copy page"), 3), FinImpresion::Impresa);
    ASSERT_TRUE(QFile::exists(pdf));
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(test::RunTool(QStringLiteral("pdfinfo"), {pdf}));
    ASSERT_TRUE(pages.hasMatch());
    EXPECT_EQ(pages.captured(1).toInt(), 3);
    EXPECT_EQ(test::PdfText(pdf).count(QStringLiteral("copy page")), 3);
}

TEST(PrinterPens, ColourOnlyOnAColourPrinterAndWiderPensWithout)
{
    RecordingPrinter p;
    struct Case {
        std::int32_t n;
        std::uint32_t colour;
    };
    const Case traces[] = {{1, 0xFF0000}, {2, 0x00FF00}, {3, 0x0000FF}, {4, 0xFFFF00}, {5, 0x00FFFF},
                           {6, 0xFF00FF}, {7, 0},        {8, 0xFF0000}, {9, 0},        {0, 0}};
    for (const int mode : {2, 1}) {
        SCOPED_TRACE(mode);
        p.SetColorMode(mode);
        for (const Case& c : traces)
            EXPECT_EQ(ColorTrazaImpresora(p, c.n), mode == 2 ? c.colour : 0u) << c.n;
        EXPECT_EQ(ColorImpresora(p, kAmarilloImpresora), mode == 2 ? 0x00FFFFu : 0u);
        p.DrawWidth = 2;
        EngrosarPluma(p);
        EXPECT_EQ(p.DrawWidth, mode == 2 ? 2 : 5);
    }
}

TEST(PrinterTrace, SegmentsKeepTheirPartInsideTheBand)
{
    struct Case {
        QLineF in;
        std::optional<QLineF> out;
    };
    const Case cases[] = {
        {{0, 20, 10, 80}, QLineF(0, 20, 10, 80)},      // inside: whole
        {{0, 0, 10, 50}, QLineF(2, 10, 10, 50)},       // from above the top
        {{0, 50, 20, 150}, QLineF(0, 50, 10, 100)},    // out through the bottom
        {{0, -80, 180, 280}, QLineF(45, 10, 90, 100)}, // through the whole band
        {{0, 110, 10, 130}, std::nullopt},             // below
        {{0, 5, 10, 0}, std::nullopt},                 // above
        {{0, 10, 10, 10}, QLineF(0, 10, 10, 10)},      // along the edge
        {{0, 10, 10, 0}, std::nullopt},                // touches the edge only
    };
    for (const Case& c : cases) {
        std::vector<QLineF> s{c.in};
        RecortarSegmentosY(s, 10, 100);
        if (!c.out) {
            EXPECT_TRUE(s.empty()) << c.in.y1() << " " << c.in.y2();
            continue;
        }
        ASSERT_EQ(s.size(), 1u);
        EXPECT_NEAR(s[0].x1(), c.out->x1(), 1e-9);
        EXPECT_NEAR(s[0].y1(), c.out->y1(), 1e-9);
        EXPECT_NEAR(s[0].x2(), c.out->x2(), 1e-9);
        EXPECT_NEAR(s[0].y2(), c.out->y2(), 1e-9);
    }
}

// A trace of far more samples than device columns costs a few segments per
// column, all inside the band.
TEST(PrinterTrace, ADenseTraceIsDrawnAsItsColumnEnvelope)
{
    RecordingPrinter p; // 600 DPI: 2.4 twips a column
    std::vector<float> v(1000000);
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<float>((i % 7) * 30.0 - 90.0);
    const double width = 12000; // twips: 5000 columns
    TrazarEnImpresora(p, v,
                      GeometriaImpresora(p, 1000, width / static_cast<double>(v.size() - 1), 5000, 40.0),
                      0xFF0000, BandaY{2000, 7000});
    ASSERT_EQ(p.Calls.size(), 1u);
    const PrintCall& c = p.Calls[0];
    EXPECT_EQ(c.What, Kind::Lines);
    EXPECT_EQ(c.Color, 0xFF0000u);
    EXPECT_LE(c.Segments.size(), 2 * 5002u);
    EXPECT_GE(c.Segments.size(), 5000u);
    for (const QLineF& s : c.Segments) {
        ASSERT_GE(std::min(s.y1(), s.y2()), 2000);
        ASSERT_LE(std::max(s.y1(), s.y2()), 7000);
    }
}

// Through the channel's block tables a printed stretch draws the same
// segments, and finds the same last samples at the channel's extremes, as
// the walk over its samples.
TEST(PrinterTrace, AStretchThroughTheTablesIsPrintedAsByTheWalk)
{
    std::vector<float> v(300000);
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<float>(std::round(std::sin(i * 0.002) * 80.0) + (i % 5));
    v[123457] = 500.0f;
    const TracePyramid tablas(v);
    const std::int64_t desde = 1001; // sample 1002 on
    const std::span<const float> tramo(v.data() + desde, 250000);
    const EnvelopeTables t{&tablas, desde};
    RecordingPrinter con, sin;
    const TraceGeometry g = GeometriaImpresora(con, 1000, 12000.0 / 250000, 5000, 40.0);
    TrazarEnImpresora(con, tramo, g, 0xFF0000, BandaY{2000, 7000}, t);
    TrazarEnImpresora(sin, tramo, g, 0xFF0000, BandaY{2000, 7000});
    ASSERT_EQ(con.Calls.size(), 1u);
    ASSERT_EQ(sin.Calls.size(), 1u);
    EXPECT_EQ(con.Calls[0].Segments, sin.Calls[0].Segments);
    for (const auto& [maximo, minimo] :
         {std::pair{500.0f, -80.0f}, std::pair{84.0f, 0.0f}, std::pair{600.0f, -90.0f}}) {
        const ExtremosAlcanzados a = BuscarExtremos(tramo, 1002, maximo, minimo, t);
        const ExtremosAlcanzados b = BuscarExtremos(tramo, 1002, maximo, minimo);
        EXPECT_EQ(a.UltimoMaximo, b.UltimoMaximo) << maximo;
        EXPECT_EQ(a.UltimoMinimo, b.UltimoMinimo) << minimo;
    }
    EXPECT_EQ(BuscarExtremos(tramo, 1002, 500.0f, -80.0f, t).UltimoMaximo, 123458);
}

} // namespace
} // namespace vesdra
