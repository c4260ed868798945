#include "platform/modal_loops.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QWidget>

namespace vesdra {

namespace {
int& Depth()
{
    static int depth = 0;
    return depth;
}
bool& Ending()
{
    static bool ending = false;
    return ending;
}
} // namespace

NestedLoopGuard::NestedLoopGuard()
{
    ++Depth();
}

NestedLoopGuard::~NestedLoopGuard()
{
    --Depth();
}

void ProcessEventsInHandler(QEventLoop::ProcessEventsFlags flags)
{
    const NestedLoopGuard bucle;
    QCoreApplication::processEvents(flags);
}

int NestedLoopDepth()
{
    return Depth();
}

void SetProgramEnding(bool ending)
{
    Ending() = ending;
}

bool ProgramEnding()
{
    return Ending();
}

void CloseModalDialogs()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QList<QPointer<QDialog>> abiertos;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && d->isModal())
            abiertos.append(d);
    for (const QPointer<QDialog>& d : abiertos)
        if (d)
            d->reject();
}

} // namespace vesdra
