#pragma once
#include <QEventLoop>

namespace vesdra {

// The event loops the program runs inside a handler: a message box, a common
// dialog, the yield of a print loop. While one runs, the handler that
// started it is still on the stack, so nothing may unload the form it
// belongs to; code that would (the exit) waits until every such loop is
// done.
class NestedLoopGuard
{
public:
    NestedLoopGuard();
    ~NestedLoopGuard();
    NestedLoopGuard(const NestedLoopGuard&) = delete;
    NestedLoopGuard& operator=(const NestedLoopGuard&) = delete;
};
// One pass over the pending events from inside a handler (a window painted
// before a long task, the yield of a print loop), counted as such a loop.
// With `pasadas` above 1, further passes follow while the last one found
// something to do: what one pass brings in from the window system (a click's
// press and release, read together) is delivered by the next.
void ProcessEventsInHandler(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents, int pasadas = 1);
// How many such loops run now (0 at the top of the event loop, and before it).
[[nodiscard]] int NestedLoopDepth();

// The program is ending (the exit was confirmed): from now on no message box
// and no common dialog is shown (MsgBox answers Cancel where the box has it,
// else OK; a dialog answers Cancel), so the handlers still on the stack run
// to their end at once.
void SetProgramEnding(bool ending);
[[nodiscard]] bool ProgramEnding();

// Closes every modal dialog open now as its Cancel would (the boxes and file
// dialogs whose loops are running); their callers go on as after a Cancel.
void CloseModalDialogs();

} // namespace vesdra
