#include "platform/mouse_pointer.h"

#include <QGuiApplication>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <optional>

namespace vesdra {

namespace {

const char* const kProperty = "vesdraMousePointer";

struct ScreenPointer {
    int pointer{vbDefault};
    bool overridden{false}; // an override cursor of ours is on the stack
};

ScreenPointer& Screen()
{
    static ScreenPointer s;
    return s;
}

std::optional<QCursor>& Custom()
{
    static std::optional<QCursor> cursor;
    return cursor;
}

bool HaveGui()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

QCursor CursorFor(int pointer)
{
    switch (pointer) {
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case vbHourglass:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    case vbCustom:
        return Custom() ? *Custom() : QCursor(Qt::CrossCursor);
    default:
        return Qt::ArrowCursor;
    }
}

void SetCustomPointer(const QCursor& cursor)
{
    Custom() = cursor;
}

void SetMousePointer(int pointer)
{
    ScreenPointer& s = Screen();
    s.pointer = pointer;
    if (!HaveGui())
        return;
    if (pointer == vbDefault) {
        if (s.overridden)
            QGuiApplication::restoreOverrideCursor();
        s.overridden = false;
    } else if (s.overridden) {
        QGuiApplication::changeOverrideCursor(CursorFor(pointer));
    } else {
        QGuiApplication::setOverrideCursor(CursorFor(pointer));
        s.overridden = true;
    }
}

int MousePointer()
{
    return Screen().pointer;
}

void SetMousePointer(QWidget* widget, int pointer)
{
    if (!widget)
        return;
    widget->setProperty(kProperty, pointer);
    if (pointer == vbDefault)
        widget->unsetCursor();
    else
        widget->setCursor(CursorFor(pointer));
}

int MousePointer(const QWidget* widget)
{
    if (!widget)
        return vbDefault;
    return widget->property(kProperty).toInt();
}

struct MousePointerGuard::Impl {
    QPointer<QWidget> widget;
    bool screen{false};
    int previous{vbDefault};
};

MousePointerGuard::MousePointerGuard(int pointer) : impl_{new Impl}
{
    impl_->screen = true;
    impl_->previous = MousePointer();
    SetMousePointer(pointer);
}

MousePointerGuard::MousePointerGuard(QWidget* widget, int pointer) : impl_{new Impl}
{
    impl_->widget = widget;
    impl_->previous = MousePointer(widget);
    SetMousePointer(widget, pointer);
}

MousePointerGuard::~MousePointerGuard()
{
    if (impl_->screen)
        SetMousePointer(impl_->previous);
    else if (impl_->widget)
        SetMousePointer(impl_->widget.data(), impl_->previous);
    delete impl_;
}

} // namespace vesdra
