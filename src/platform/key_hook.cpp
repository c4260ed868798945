#include "platform/key_hook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace vesdra {

namespace {

// Sees every key event before its receiver. A key press reaches the
// application twice when it has a menu mnemonic or shortcut to compete with:
// first as ShortcutOverride, then (unless a shortcut took it) as KeyPress;
// and an ignored event is offered again to each parent widget. The handler is
// asked once: at the first widget that gets the override, or the press when
// no override came before it.
class KeyHook final : public QObject
{
public:
    KeyHandler handler;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !handler || !(key->modifiers() & Qt::AltModifier))
            return false;
        if (IsPropagation(event, widget))
            return consumed_;
        lastEvent_ = event;
        lastWidget_ = widget;

        const bool sameKey =
            pendingValid_ && pendingKey_ == key->key() && pendingModifiers_ == key->modifiers();
        if (type == QEvent::KeyPress && sameKey) {
            // Its override has already been answered.
            pendingValid_ = false;
            consumed_ = pendingConsumed_;
            return consumed_;
        }
        const int shift = VbShiftMask(key->modifiers());
        const int code = VbKeyCode(key->key());
        KeyHandler call = handler; // the handler may replace itself
        consumed_ = call(shift, code);
        if (type == QEvent::ShortcutOverride) {
            pendingValid_ = true;
            pendingKey_ = key->key();
            pendingModifiers_ = key->modifiers();
            pendingConsumed_ = consumed_;
            if (consumed_)
                event->accept(); // no mnemonic or shortcut takes the key
        } else {
            pendingValid_ = false;
        }
        return consumed_;
    }

private:
    // The same event offered again to a parent of the widget that had it.
    bool IsPropagation(QEvent* event, QWidget* widget) const
    {
        if (event != lastEvent_ || !lastWidget_ || widget == lastWidget_)
            return false;
        return widget->isAncestorOf(lastWidget_);
    }

    QEvent* lastEvent_{nullptr};
    QPointer<QWidget> lastWidget_;
    bool consumed_{false};
    bool pendingValid_{false};
    int pendingKey_{0};
    Qt::KeyboardModifiers pendingModifiers_;
    bool pendingConsumed_{false};
};

KeyHook* Hook()
{
    static QPointer<KeyHook> hook;
    if (!hook && QCoreApplication::instance()) {
        hook = new KeyHook;
        hook->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(hook);
    }
    return hook;
}

} // namespace

void SetKeyHandler(KeyHandler handler)
{
    if (KeyHook* hook = Hook())
        hook->handler = std::move(handler);
}

int VbShiftMask(Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= vbShiftMask;
    if (modifiers & Qt::ControlModifier)
        mask |= vbCtrlMask;
    if (modifiers & Qt::AltModifier)
        mask |= vbAltMask;
    return mask;
}

int VbKeyCode(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // Qt's letter keys are the upper-case codes
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

} // namespace vesdra
