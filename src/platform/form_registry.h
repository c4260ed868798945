#pragma once
#include <QPointer>
#include <algorithm>
#include <vector>

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
        std::erase_if(ventanas_, [ventana](const QPointer<Form>& v) { return v.isNull() || v.data() == ventana; });
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

} // namespace vesdra
