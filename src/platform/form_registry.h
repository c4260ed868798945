#pragma once
#include <QPointer>
#include <algorithm>
#include <vector>

#include "platform/mdi_forms.h"

namespace vesdra {

// The open windows of one kind, in the order they were made, whichever
// command made them. A window registers itself when it is made and leaves
// when it unloads or is deleted; one deleted without leaving drops out by
// itself, so the list never hands out a dangling window.
template <typename Form> class RegistroVentanas
{
public:
    void Registrar(Form* ventana)
    {
        std::erase_if(ventanas_, [](const QPointer<Form>& v) { return v.isNull(); });
        ventanas_.emplace_back(ventana);
    }

    void Quitar(const Form* ventana)
    {
        std::erase_if(ventanas_,
                      [ventana](const QPointer<Form>& v) { return v.isNull() || v.data() == ventana; });
    }

    // The windows still alive, oldest first.
    [[nodiscard]] std::vector<Form*> Vivas() const
    {
        std::vector<Form*> vivas;
        for (const QPointer<Form>& v : ventanas_) {
            if (v)
                vivas.push_back(v.data());
        }
        return vivas;
    }

private:
    std::vector<QPointer<Form>> ventanas_;
};

// The one loaded instance of a form that exists at most once (a dialog its
// command unloads and loads afresh): the form registers itself when it is
// made and is forgotten when it unloads or is deleted, so the instance asked
// for is never a window on its way out.
template <typename Form> class FormularioUnico
{
public:
    [[nodiscard]] static Form* Cargado() { return Instancia().data(); }
    static void Registrar(Form* form) { Instancia() = form; }
    static void Olvidar(const Form* form)
    {
        if (Instancia().data() == form)
            Instancia() = nullptr;
    }
    // Unload: forgotten at once, closed as its close box would close it.
    static void Descargar(Form* form)
    {
        Olvidar(form);
        CerrarFormulario(form);
    }
    // Unload the loaded instance, if any.
    static void DescargarCargado()
    {
        if (Form* form = Cargado())
            Descargar(form);
    }

private:
    static QPointer<Form>& Instancia()
    {
        static QPointer<Form> instancia;
        return instancia;
    }
};

} // namespace vesdra
