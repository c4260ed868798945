#include "platform/mdi_forms.h"

#include <QMdiSubWindow>
#include <QWidget>

namespace vesdra {

namespace {

QMdiSubWindow* SubVentana(const QWidget& form)
{
    return qobject_cast<QMdiSubWindow*>(form.parentWidget());
}

} // namespace

QWidget* MarcoFormulario(QWidget& form)
{
    if (QMdiSubWindow* sub = SubVentana(form))
        return sub;
    return &form;
}

const QWidget* MarcoFormulario(const QWidget& form)
{
    if (const QMdiSubWindow* sub = SubVentana(form))
        return sub;
    return &form;
}

bool FormularioMinimizado(const QWidget& form)
{
    return MarcoFormulario(form)->isMinimized();
}

void CerrarFormulario(QWidget* form)
{
    if (form)
        MarcoFormulario(*form)->close();
}

void OcultarFormulario(QWidget* form)
{
    if (!form)
        return;
    if (QMdiSubWindow* sub = SubVentana(*form))
        sub->hide();
    form->hide();
}

bool MostrarEnSuMarco(QWidget* form)
{
    if (!form)
        return false;
    QMdiSubWindow* sub = SubVentana(*form);
    if (!sub)
        return false;
    form->show();
    sub->show();
    return true;
}

void MostrarNormal(QWidget* form)
{
    if (!form)
        return;
    if (QMdiSubWindow* sub = SubVentana(*form))
        sub->showNormal();
    else if (form->isWindow())
        form->showNormal();
}

void RetirarFormulario(QWidget* form)
{
    if (!form)
        return;
    QWidget* marco = MarcoFormulario(*form);
    marco->hide();
    marco->deleteLater();
}

} // namespace vesdra
