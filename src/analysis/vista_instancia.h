#pragma once
#include <QPointer>
#include <functional>

#include "platform/base/vb_error.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"

namespace vesdra {

// Loads a phasor or sequence view afresh into its one instance and shows it.
// A failure while loading shows the error box and leaves no view (the
// instance is null again, the half-built view goes once the caller's handler
// returns). `impresion` is the view kind's installed printout, kept for the
// whole run: the print button calls whichever is installed when pressed.
template <typename Vista>
bool CargarVista(QPointer<Vista>& instancia, const std::function<void(Vista&)>& impresion)
{
    auto* v = new Vista();
    instancia = v;
    try {
        v->Form_Load();
    } catch (const VbError& e) {
        instancia = nullptr;
        v->deleteLater();
        SetMousePointer(vbDefault);
        ShowErrorBox(e);
        return false;
    }
    if (impresion)
        v->SetImpresion([v, &impresion] { impresion(*v); });
    v->Mostrar();
    return true;
}

} // namespace vesdra
