#pragma once
#include <functional>

class QWidget;

namespace vesdra {

// What the shell offers the view subsystems. The views call these; the shell
// (main window, menu form, progress windows) fills them in when it is built.
// Every hook has a harmless default, so a view works in a test without a
// main window.
struct ShellHooks {
    // Makes the menu form visible and maximised (after the last view of a
    // kind closes) or hides it (before a dialog that takes its place).
    std::function<void()> MostrarMenu;
    std::function<void()> OcultarMenu;

    // Places a form (view or dialog) inside the main window's MDI area and
    // shows it; the default shows it as a top-level window.
    std::function<void(QWidget*)> MostrarVentana;

    // The progress window shown while views build: loaded and shown, its
    // bar set to 0..100 at stages, unloaded when the views stand (a missing
    // animation leaves only the animation out). Mostrar throws the VbError
    // of a window that could not be loaded, or returns false: the caller
    // treats either as an error of its build.
    std::function<bool()> MostrarProgresoOndas;
    std::function<void(float)> ValorProgresoOndas;
    std::function<void()> CerrarProgresoOndas;
};

// The one process-wide instance.
ShellHooks& Hooks();

} // namespace vesdra
