#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QPrinter;
class QWidget;

namespace vesdra {

// Flags of the open-file dialog.
inline constexpr int cdlOFNReadOnly = 0x1;
inline constexpr int cdlOFNHideReadOnly = 0x4;
inline constexpr int cdlOFNExtensionDifferent = 0x400;
inline constexpr int cdlOFNPathMustExist = 0x800;
inline constexpr int cdlOFNFileMustExist = 0x1000;
inline constexpr int cdlOFNLongNames = 0x200000;

// The common dialog control: its properties are set, a Show call runs the
// dialog modally and leaves the answer in the properties.
//
// Cancel: with CancelError set, Show throws VbError 32755; without it Show
// just returns. Either way the properties are left as they were.
class CommonDialog
{
public:
    bool CancelError{false};
    std::int32_t Flags{0};
    // "Description|pattern|Description|pattern..."; a pattern may hold
    // several globs separated by ";".
    QString Filter;
    std::int32_t FilterIndex{1}; // 1-based pair of Filter shown first
    QString DefaultExt;          // added to a typed name without an extension (".dat" or "dat")
    QString DialogTitle;
    // In: the starting folder and name or pattern ("/records/*.dat").
    // Out: the full path chosen.
    QString FileName;
    QString FileTitle; // out: the name alone, without folder
    std::int32_t Copies{1};

    // Open-file dialog.
    void ShowOpen();
    // Printer dialog on the application's printer (SetDialogPrinter): the
    // machine's printers and printing to a PDF file. The number of copies
    // chosen goes to Copies and the printer's own count is put back to 1:
    // the print routines make one job per copy.
    void ShowPrinter();

    // Where the dialog opens, in screen twips (frm_centrar's Move).
    std::int32_t Left{0};
    std::int32_t Top{0};
};

// The printer that ShowPrinter sets up: the printer object registers its
// QPrinter here. Until then the dialog works on a printer of its own, at
// the device's full resolution.
void SetDialogPrinter(QPrinter* printer);
[[nodiscard]] QPrinter* DialogPrinter();
// Points a printer at a PDF file ("print to file"), at 600 dots per inch.
void PrintToPdf(QPrinter& printer, const QString& path);

// The hidden form that carries the printer dialog of the print routines.
struct FrmCentrar {
    CommonDialog CommonDialog1;
    // Move(left, top, width, height): the dialog opens at (left, top) twips.
    void Move(std::int32_t left, std::int32_t top, std::int32_t width = 1, std::int32_t height = 1);
};
[[nodiscard]] FrmCentrar& frm_centrar();

// Tests drive the dialogs without a modal window: the handler receives each
// Show call with the dialog as set up and returns the answer the user gives.
enum class DialogKind { Open, Printer };
struct DialogAnswer {
    bool Cancelled{false};
    QString FileName;       // Open: the full path chosen
    std::int32_t Copies{1}; // Printer: copies chosen
    // Printer: "print to file", a PDF at this path (empty: the printer as
    // it is set up).
    QString OutputFile{};
};
using CommonDialogHandler = std::function<DialogAnswer(DialogKind kind, const CommonDialog& dialog)>;
// An empty function restores the real dialogs.
void SetCommonDialogHandler(CommonDialogHandler handler);

// Answers the next dialogs from a queue (the last answer repeats once the
// queue is empty) and records how each was set up; restores the previous
// handler when it goes.
class ScopedDialogAnswers
{
public:
    explicit ScopedDialogAnswers(DialogAnswer answer = {});
    ~ScopedDialogAnswers();
    ScopedDialogAnswers(const ScopedDialogAnswers&) = delete;
    ScopedDialogAnswers& operator=(const ScopedDialogAnswers&) = delete;

    void Queue(DialogAnswer answer) { queued_.push_back(std::move(answer)); }
    struct Shown {
        DialogKind Kind{DialogKind::Open};
        CommonDialog Dialog;
    };
    [[nodiscard]] const std::vector<Shown>& Calls() const { return calls_; }

private:
    std::vector<DialogAnswer> queued_;
    DialogAnswer last_;
    std::vector<Shown> calls_;
    CommonDialogHandler previous_;
};

// Converts "Desc|*.dat|All|*.*" into Qt's "Desc (*.dat);;All (*.*)" filters
// (a description that already ends in its pattern in brackets is kept).
[[nodiscard]] QStringList QtFilters(const QString& filter);

} // namespace vesdra
