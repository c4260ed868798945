#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "common/test_support.h"
#include "platform/base/vb_error.h"
#include "platform/common_dialog.h"
#include "platform/modal_loops.h"

namespace vesdra {
namespace {

CommonDialog OpenRecordDialog()
{
    CommonDialog d;
    d.CancelError = true;
    d.Flags = 2104325;
    d.Filter = QStringLiteral("Data Files (*.dat)|*.dat");
    d.FilterIndex = 1;
    d.DefaultExt = QStringLiteral(".dat");
    d.DialogTitle = QStringLiteral("Abrir");
    d.FileName = QStringLiteral("/records/*.dat");
    return d;
}

TEST(CommonDialog, OpenAnswersTheFileAndItsTitle)
{
    ScopedDialogAnswers answers({false, QStringLiteral("/records/rec.1.dat"), 1});
    CommonDialog d = OpenRecordDialog();
    d.ShowOpen();
    EXPECT_EQ(d.FileName, QStringLiteral("/records/rec.1.dat"));
    EXPECT_EQ(d.FileTitle, QStringLiteral("rec.1.dat"));
    ASSERT_EQ(answers.Calls().size(), 1u);
    EXPECT_EQ(answers.Calls()[0].Kind, DialogKind::Open);
    EXPECT_EQ(answers.Calls()[0].Dialog.FileName, QStringLiteral("/records/*.dat")); // as set up
    EXPECT_EQ(answers.Calls()[0].Dialog.Flags & cdlOFNFileMustExist, cdlOFNFileMustExist);

    // A typed name without extension takes the default one.
    answers.Queue({false, QStringLiteral("/records/rec"), 1});
    d.ShowOpen();
    EXPECT_EQ(d.FileName, QStringLiteral("/records/rec.dat"));
}

TEST(CommonDialog, CancelIsError32755OnlyWithCancelErrorAndKeepsProperties)
{
    ScopedDialogAnswers answers({true, {}, 1});
    CommonDialog d = OpenRecordDialog();
    try {
        d.ShowOpen();
        ADD_FAILURE() << "no cancel error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vberr::DialogCancel);
    }
    EXPECT_EQ(d.FileName, QStringLiteral("/records/*.dat"));
    d.CancelError = false;
    EXPECT_NO_THROW(d.ShowOpen());
    EXPECT_EQ(d.FileName, QStringLiteral("/records/*.dat"));
    EXPECT_TRUE(d.FileTitle.isEmpty());
}

TEST(CommonDialog, PrinterDialogGivesCopiesAndSetsTheDeviceBackToOne)
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setCopyCount(5);
    SetDialogPrinter(&printer);
    ScopedDialogAnswers answers({false, {}, 3});
    FrmCentrar& f = frm_centrar();
    f.Move(3000, 1500, 1, 1);
    f.CommonDialog1.CancelError = true;
    f.CommonDialog1.ShowPrinter();
    EXPECT_EQ(f.CommonDialog1.Copies, 3);
    EXPECT_EQ(printer.copyCount(), 1);
    ASSERT_EQ(answers.Calls().size(), 1u);
    EXPECT_EQ(answers.Calls()[0].Kind, DialogKind::Printer);
    EXPECT_EQ(answers.Calls()[0].Dialog.Left, 3000);
    EXPECT_EQ(answers.Calls()[0].Dialog.Top, 1500);

    answers.Queue({true, {}, 1});
    EXPECT_THROW(f.CommonDialog1.ShowPrinter(), VbError);
    EXPECT_EQ(f.CommonDialog1.Copies, 3);
    SetDialogPrinter(nullptr);
}

TEST(CommonDialog, FilterTextBecomesQtFilters)
{
    EXPECT_EQ(QtFilters(QStringLiteral("Data Files (*.dat)|*.dat")), QStringList{"Data Files (*.dat)"});
    EXPECT_EQ(QtFilters(QStringLiteral("Plantillas|*.cnf;*.CNF|Todos|*.*")),
              (QStringList{"Plantillas (*.cnf *.CNF)", "Todos (*.*)"}));
    EXPECT_TRUE(QtFilters(QString()).isEmpty());
}

} // namespace
} // namespace vesdra

namespace vesdra {
namespace {

// The real dialog, answered by a timer as a user would.
TEST(CommonDialog, RealOpenDialogStartsInTheFolderAndReturnsThePick)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::WriteBytes(dir.filePath("rec.dat"), "1,0\r\n"));
    CommonDialog d = OpenRecordDialog();
    d.FileName = dir.path() + QStringLiteral("\\*.dat");
    QString shownFolder;
    QStringList shownFilters;
    QTimer::singleShot(0, [&] {
        auto* fd = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(fd, nullptr);
        shownFolder = fd->directory().absolutePath();
        shownFilters = fd->nameFilters();
        fd->selectFile(dir.filePath("rec.dat"));
        static_cast<QDialog*>(fd)->accept();
    });
    d.ShowOpen();
    EXPECT_EQ(QDir(shownFolder), QDir(dir.path()));
    EXPECT_EQ(shownFilters, QStringList{"Data Files (*.dat)"});
    EXPECT_EQ(QFileInfo(d.FileName), QFileInfo(dir.filePath("rec.dat")));
    EXPECT_EQ(d.FileTitle, QStringLiteral("rec.dat"));

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_THROW(d.ShowOpen(), VbError);
}

TEST(CommonDialog, TheExitClosesAnOpenDialogAndNoneOpensAfterIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CommonDialog d = OpenRecordDialog();
    d.FileName = dir.filePath(QStringLiteral("*.dat"));
    int profundidad = -1;
    // Confirmed while the dialog waits for the user (its own loop runs).
    QTimer::singleShot(0, [&] {
        profundidad = NestedLoopDepth();
        SetProgramEnding(true);
        CloseModalDialogs();
    });
    EXPECT_THROW(d.ShowOpen(), VbError); // a Cancel
    EXPECT_EQ(profundidad, 1);
    EXPECT_EQ(NestedLoopDepth(), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // Nothing more is shown: the next one answers Cancel at once.
    EXPECT_THROW(d.ShowOpen(), VbError);
    SetProgramEnding(false);
}

} // namespace
} // namespace vesdra
