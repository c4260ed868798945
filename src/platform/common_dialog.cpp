#include "platform/common_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <optional>

#include "platform/base/screen.h"
#include "platform/base/vb_error.h"
#include "platform/mdi_forms.h"
#include "platform/modal_loops.h"

namespace vesdra {

namespace {

// A dialog's own loop, counted as a loop the handler waits in.
int Ejecutar(QDialog& dialog)
{
    const NestedLoopGuard bucle;
    PrepararCajaModal(dialog);
    return dialog.exec();
}

CommonDialogHandler& Handler()
{
    static CommonDialogHandler handler;
    return handler;
}

QPrinter*& RegisteredPrinter()
{
    static QPrinter* printer = nullptr;
    return printer;
}

bool HasWildcard(const QString& name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

QPoint ScreenPosition(const CommonDialog& d)
{
    const ScreenInfo& s = Screen();
    return {d.Left / (s.TwipsPerPixelX > 0 ? s.TwipsPerPixelX : 15),
            d.Top / (s.TwipsPerPixelY > 0 ? s.TwipsPerPixelY : 15)};
}

DialogAnswer RunOpenDialog(const CommonDialog& d)
{
    QFileDialog dialog(VentanaDuena(), d.DialogTitle);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode((d.Flags & cdlOFNFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = QtFilters(d.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = d.FilterIndex >= 1 && d.FilterIndex <= filters.size() ? d.FilterIndex - 1 : 0;
        dialog.selectNameFilter(filters[index]);
    }
    QString ext = d.DefaultExt;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    if (!ext.isEmpty())
        dialog.setDefaultSuffix(ext);
    // A starting name built with the old separator still names its folder.
    QString startName = d.FileName;
    startName.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo start(startName);
    if (!d.FileName.isEmpty()) {
        if (HasWildcard(start.fileName()) || start.isDir()) {
            dialog.setDirectory(start.isDir() ? start.filePath() : start.path());
        } else {
            dialog.setDirectory(start.path());
            dialog.selectFile(start.fileName());
        }
    }
    dialog.move(ScreenPosition(d));
    DialogAnswer answer;
    if (Ejecutar(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        answer.Cancelled = true;
        return answer;
    }
    answer.FileName = dialog.selectedFiles().front();
    return answer;
}

DialogAnswer RunPrinterDialog(const CommonDialog& d)
{
    QPrinter* printer = DialogPrinter();
    printer->setCopyCount(d.Copies > 0 ? d.Copies : 1);
    QPrintDialog dialog(printer, VentanaDuena());
    dialog.move(ScreenPosition(d));
    DialogAnswer answer;
    if (Ejecutar(dialog) != QDialog::Accepted) {
        answer.Cancelled = true;
        return answer;
    }
    answer.Copies = printer->copyCount();
    if (printer->outputFormat() == QPrinter::PdfFormat)
        PrintToPdf(*printer, printer->outputFileName());
    return answer;
}

} // namespace

QStringList QtFilters(const QString& filter)
{
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString bracket = QLatin1Char('(') + patterns + QLatin1Char(')');
        out.append(description.endsWith(bracket) ? description : description + QLatin1Char(' ') + bracket);
    }
    return out;
}

namespace {

// The answer of the test handler or of the real dialog; nothing on a Cancel
// (VbError 32755 with CancelError). Once the program is ending nothing more
// is asked: a Cancel.
std::optional<DialogAnswer> Ask(DialogKind kind, const CommonDialog& d,
                                DialogAnswer (*run)(const CommonDialog&))
{
    const DialogAnswer answer = ProgramEnding() ? DialogAnswer{.Cancelled = true, .FileName = {}, .Copies = 1}
                                : Handler()     ? Handler()(kind, d)
                                                : run(d);
    if (!answer.Cancelled)
        return answer;
    if (d.CancelError)
        throw VbError(vberr::DialogCancel);
    return std::nullopt;
}

} // namespace

void CommonDialog::ShowOpen()
{
    const std::optional<DialogAnswer> answer = Ask(DialogKind::Open, *this, RunOpenDialog);
    if (!answer)
        return;
    QString chosen = answer->FileName;
    QString ext = DefaultExt;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    if (!ext.isEmpty() && QFileInfo(chosen).suffix().isEmpty() && !chosen.endsWith(QLatin1Char('.')))
        chosen += QLatin1Char('.') + ext;
    FileName = chosen;
    FileTitle = QFileInfo(chosen).fileName();
}

void CommonDialog::ShowPrinter()
{
    const std::optional<DialogAnswer> answer = Ask(DialogKind::Printer, *this, RunPrinterDialog);
    if (!answer)
        return;
    Copies = answer->Copies > 0 ? answer->Copies : 1;
    if (!answer->OutputFile.isEmpty())
        PrintToPdf(*DialogPrinter(), answer->OutputFile);
    // One job per copy: the print routines loop, so the device prints one.
    if (RegisteredPrinter() || !Handler())
        DialogPrinter()->setCopyCount(1);
}

void PrintToPdf(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    // Fine enough for any trace, and a tenth of the PDF engine's own 1200.
    printer.setResolution(600);
}

void SetDialogPrinter(QPrinter* printer)
{
    RegisteredPrinter() = printer;
}

QPrinter* DialogPrinter()
{
    if (RegisteredPrinter())
        return RegisteredPrinter();
    // Freed with the application, before the print system goes.
    static QPrinter* own = nullptr;
    if (!own) {
        own = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine([] {
            delete own;
            own = nullptr;
        });
    }
    return own;
}

void FrmCentrar::Move(std::int32_t left, std::int32_t top, std::int32_t, std::int32_t)
{
    CommonDialog1.Left = left;
    CommonDialog1.Top = top;
}

FrmCentrar& frm_centrar()
{
    static FrmCentrar form;
    return form;
}

void SetCommonDialogHandler(CommonDialogHandler handler)
{
    Handler() = std::move(handler);
}

ScopedDialogAnswers::ScopedDialogAnswers(DialogAnswer answer) : last_{std::move(answer)}, previous_{Handler()}
{
    Handler() = [this](DialogKind kind, const CommonDialog& dialog) {
        calls_.push_back({kind, dialog});
        if (!queued_.empty()) {
            last_ = queued_.front();
            queued_.erase(queued_.begin());
        }
        return last_;
    };
}

ScopedDialogAnswers::~ScopedDialogAnswers()
{
    Handler() = std::move(previous_);
}

} // namespace vesdra
