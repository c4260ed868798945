#pragma once
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

namespace vesdra {

// Closes a form the way its window's close box does: through the MDI
// sub-window that holds it when there is one, so the form's closing rule runs
// and the window goes with it.
inline void CerrarVentana(QWidget* form)
{
    if (!form)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        sub->close();
    else
        form->close();
}

// After a form's closing rule: out of sight now, destroyed once the handler
// that unloads it has returned.
inline void RetirarVentana(QWidget* form)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    QWidget* ventana = sub ? static_cast<QWidget*>(sub) : form;
    ventana->hide();
    ventana->deleteLater();
}

} // namespace vesdra
