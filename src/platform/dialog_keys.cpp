#include "platform/dialog_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace vesdra {

namespace {

class TeclasDialogo : public QObject
{
public:
    TeclasDialogo(QWidget& form, QAbstractButton* porDefecto, std::function<void()> alEscape)
        : QObject(&form), form_(form), porDefecto_(porDefecto), alEscape_(std::move(alEscape))
    {
        form.installEventFilter(this);
    }

protected:
    // Sees the keys the form receives: its own and those its controls did
    // not take (an ignored key goes on to the control's parents).
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &form_ || event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* k = static_cast<const QKeyEvent*>(event);
        if ((k->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier)
            return QObject::eventFilter(watched, event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            QAbstractButton* boton = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
            if (!boton || !form_.isAncestorOf(boton))
                boton = porDefecto_;
            if (boton && boton->isEnabled() && boton->isVisible())
                boton->click();
            return true;
        }
        if (k->key() == Qt::Key_Escape && alEscape_) {
            const auto accion = alEscape_; // the form may go with it
            accion();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& form_;
    QPointer<QAbstractButton> porDefecto_;
    std::function<void()> alEscape_;
};

} // namespace

void SetDialogKeys(QWidget& form, QAbstractButton* porDefecto, std::function<void()> alEscape)
{
    new TeclasDialogo(form, porDefecto, std::move(alEscape));
}

} // namespace vesdra
