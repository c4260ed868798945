#pragma once
#include <QString>
#include <functional>
#include <vector>

#include "platform/base/vb_error.h"

class QFont;

namespace vesdra {

// Styles add a button set and an icon.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;

// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// A modal message box; returns the button pressed (vbOK, vbCancel, ...).
// Once the program is ending (modal_loops.h) no box is shown: the answer is
// Cancel where the box has it, else OK.
// Closing the box with Escape or its close box answers Cancel where there is
// one, else the only button. An empty title shows the program's title
// (SetTituloPrograma; the application's name until one is set).
// The arrow pointer is shown over the box whatever pointer is set.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {});

// How wide a window with `titulo` must be for a window manager's title bar
// to show the title whole beside the window's icon and buttons, pixels, the
// dialogs' text in `fuente`. A message box is never narrower.
[[nodiscard]] int AnchoParaTitulo(const QString& titulo, const QFont& fuente);

// The title of boxes shown without one of their own.
void SetTituloPrograma(const QString& titulo);
[[nodiscard]] QString TituloProgramaCajas();

// The handlers' critical box: "Error " & number & ": " & description, style 16.
void ShowErrorBox(const VbError& error);

// Replaces the modal box (tests, and running without a desktop): the handler
// gets each call and returns the answer. An empty function restores the box.
using MsgBoxHandler = std::function<int(const QString& prompt, int style, const QString& title)>;
void SetMsgBoxHandler(MsgBoxHandler handler);

struct MsgBoxCall {
    QString Prompt;
    int Style{0};
    QString Title;
};

// Records every box shown while it lives and answers each with `answer`
// (or with the queued answers first, in order). Restores the handler that
// was set before it.
class ScopedMsgBoxRecorder
{
public:
    explicit ScopedMsgBoxRecorder(int answer = vbOK);
    ~ScopedMsgBoxRecorder();
    ScopedMsgBoxRecorder(const ScopedMsgBoxRecorder&) = delete;
    ScopedMsgBoxRecorder& operator=(const ScopedMsgBoxRecorder&) = delete;

    // Answers for the next boxes, first in first out.
    void QueueAnswer(int answer) { queued_.push_back(answer); }
    // Runs while each box "is shown", as inside a real box's own loop (what
    // the user does meanwhile: an exit key, say), before it is answered.
    void OnBox(std::function<void(const MsgBoxCall&)> action) { onBox_ = std::move(action); }
    void SetAnswer(int answer) { answer_ = answer; }

    [[nodiscard]] const std::vector<MsgBoxCall>& Calls() const { return calls_; }
    [[nodiscard]] int Count() const { return static_cast<int>(calls_.size()); }
    [[nodiscard]] const MsgBoxCall& Last() const { return calls_.back(); }
    void Clear() { calls_.clear(); }

private:
    std::vector<MsgBoxCall> calls_;
    std::vector<int> queued_;
    std::function<void(const MsgBoxCall&)> onBox_;
    int answer_{vbOK};
    MsgBoxHandler previous_;
};

} // namespace vesdra
