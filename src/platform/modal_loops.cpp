#include "platform/modal_loops.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <algorithm>

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

void ProcessEventsInHandler(QEventLoop::ProcessEventsFlags flags, int pasadas)
{
    const NestedLoopGuard bucle;
    QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance();
    if (!d) {
        QCoreApplication::processEvents(flags);
        return;
    }
    for (int i = 0; i < std::max(1, pasadas); ++i) {
        if (!d->processEvents(flags & ~QEventLoop::WaitForMoreEvents))
            break;
    }
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
