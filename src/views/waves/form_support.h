#pragma once
#include <QString>
#include <cstdint>
#include <exception>
#include <new>

#include "platform/base/vb_error.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace vesdra
{

// Small pieces the waveform forms share.
namespace ondas
{

// Shows a hidden form again where it was: its own sub-window when it has
// one, else through the shell's placement.
void VolverAMostrar(QWidget* form);

// A read-out text box: one line, read-only, with a background colour
// (&HBBGGRR, system colours allowed).
[[nodiscard]] QLineEdit* CajaLectura(QWidget* parent, std::uint32_t fondo);
void FijarFondo(QWidget* w, std::uint32_t fondo);

// Any failure inside a handler as the run-time error it stands for.
[[nodiscard]] VbError ComoVbError(std::exception_ptr e);

// Runs a handler body; a failure restores the form's pointer, shows the
// error box and returns false (the caller then unloads as its handler does).
template <typename F> bool Atrapar(QWidget* form, F&& cuerpo);

void TrasError(QWidget* form, const VbError& e);

template <typename F> bool Atrapar(QWidget* form, F&& cuerpo)
{
    try {
        cuerpo();
        return true;
    } catch (...) {
        TrasError(form, ComoVbError(std::current_exception()));
        return false;
    }
}

} // namespace ondas
} // namespace vesdra
