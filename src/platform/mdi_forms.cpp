#include "platform/mdi_forms.h"

#include <QApplication>
#include <QMainWindow>
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

bool EsDialogo(const QWidget& form)
{
    return form.windowType() == Qt::Dialog;
}

void MostrarDialogo(QWidget& form, QWidget* dueno)
{
    if (dueno && form.parentWidget() != dueno) {
        // Its place was set before it belonged to the window (centred on the
        // screen, say): a new parent must not move it.
        const QPoint pos = form.pos();
        const bool movido = form.testAttribute(Qt::WA_Moved);
        form.setParent(dueno, form.windowFlags());
        if (movido)
            form.move(pos);
    }
    // Modality is taken when the window is shown, so it is set while hidden.
    if (!form.isVisible() && form.windowModality() != Qt::ApplicationModal)
        form.setWindowModality(Qt::ApplicationModal);
    form.show();
    form.raise();
    form.activateWindow();
}

QWidget* VentanaDuena()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    // A progress window comes and goes with its task: no box hangs on it.
    if (QWidget* activa = QApplication::activeWindow(); activa && activa->windowType() != Qt::Tool)
        return activa;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w) && w->isVisible())
            return w;
    return nullptr;
}

} // namespace vesdra
