#include "platform/dialog_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace vesdra {

namespace {

// Enter as the dialog keys take it: either key, with Shift or the keypad
// at most.
bool EsEnter(const QKeyEvent& k)
{
    return (k.key() == Qt::Key_Return || k.key() == Qt::Key_Enter) &&
           (k.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier;
}

bool TomaElTeclado(const QWidget& w)
{
    return w.isEnabled() && w.isVisible() && (w.focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The first control of the form's tab order that can take the keyboard.
QWidget* PrimerControl(const QWidget& form)
{
    for (QWidget* w = form.nextInFocusChain(); w && w != &form; w = w->nextInFocusChain()) {
        if (form.isAncestorOf(w) && TomaElTeclado(*w))
            return w;
    }
    return nullptr;
}

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
        if (watched != &form_)
            return QObject::eventFilter(watched, event);
        if (event->type() == QEvent::Show) {
            DarTeclado();
            return QObject::eventFilter(watched, event);
        }
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* k = static_cast<const QKeyEvent*>(event);
        if ((k->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier)
            return QObject::eventFilter(watched, event);
        if (EsEnter(*k)) {
            // A push button with the focus is the one pressed; a check box
            // or an option button with the focus is not a choice of action.
            QAbstractButton* boton = qobject_cast<QPushButton*>(QApplication::focusWidget());
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
    // The keyboard to the first control, unless one of the form's own
    // holds it already (shown again, the form keeps where the user was).
    void DarTeclado()
    {
        if (const QWidget* actual = form_.focusWidget();
            actual && actual != &form_ && form_.isAncestorOf(actual) && TomaElTeclado(*actual))
            return;
        if (QWidget* primero = PrimerControl(form_))
            primero->setFocus(Qt::TabFocusReason);
    }

    QWidget& form_;
    QPointer<QAbstractButton> porDefecto_;
    std::function<void()> alEscape_;
};

class EnterEnCaja : public QObject
{
public:
    EnterEnCaja(QWidget& caja, std::function<void()> accion)
        : QObject(&caja), caja_(caja), accion_(std::move(accion))
    {
        caja.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &caja_ || event->type() != QEvent::KeyPress ||
            !EsEnter(*static_cast<const QKeyEvent*>(event)))
            return QObject::eventFilter(watched, event);
        if (accion_) {
            const auto accion = accion_; // the form may go with it
            accion();
        }
        return true;
    }

private:
    QWidget& caja_;
    std::function<void()> accion_;
};

} // namespace

void TakeEnterInBox(QWidget& caja, std::function<void()> accion)
{
    new EnterEnCaja(caja, std::move(accion));
}

void SetDialogKeys(QWidget& form, QAbstractButton* porDefecto, std::function<void()> alEscape)
{
    new TeclasDialogo(form, porDefecto, std::move(alEscape));
}

} // namespace vesdra
