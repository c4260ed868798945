#include "views/waves/form_support.h"

#include <QLineEdit>
#include <QPalette>

#include "platform/base/colors.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "shell/shell_hooks.h"

namespace vesdra::ondas
{

void VolverAMostrar(QWidget* form)
{
    if (form && !MostrarEnSuMarco(form))
        Hooks().MostrarVentana(form);
}

void FijarFondo(QWidget* w, std::uint32_t fondo)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, OleColor(fondo));
    p.setColor(QPalette::Window, OleColor(fondo));
    p.setColor(QPalette::Text, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QLineEdit* CajaLectura(QWidget* parent, std::uint32_t fondo)
{
    auto* caja = new QLineEdit(parent);
    caja->setReadOnly(true);
    caja->setFrame(true);
    caja->setTextMargins(0, 0, 0, 0);
    FijarFondo(caja, fondo);
    // A read-out longer than its box shows its beginning, as a text box does.
    QObject::connect(caja, &QLineEdit::textChanged, caja, [caja] { caja->setCursorPosition(0); });
    return caja;
}

VbError ComoVbError(std::exception_ptr e)
{
    try {
        std::rethrow_exception(e);
    } catch (const VbError& v) {
        return v;
    } catch (const std::bad_alloc&) {
        return VbError(vberr::OutOfMemory);
    } catch (const std::exception& x) {
        return VbError(vberr::InvalidCall, QString::fromLocal8Bit(x.what()));
    } catch (...) {
        return VbError(vberr::InvalidCall);
    }
}

void TrasError(QWidget* form, const VbError& e)
{
    SetMousePointer(form, vbDefault);
    ShowErrorBox(e);
}

} // namespace vesdra::ondas
