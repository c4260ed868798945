#include "shell/shell_hooks.h"

#include <QWidget>

namespace vesdra {

ShellHooks& Hooks()
{
    static ShellHooks hooks{
        .MostrarMenu = [] {},
        .OcultarMenu = [] {},
        .MostrarVentana =
            [](QWidget* w) {
                if (w)
                    w->show();
            },
        .MostrarProgresoOndas = [] { return true; },
        .ValorProgresoOndas = [](float) {},
        .CerrarProgresoOndas = [] {},
    };
    return hooks;
}

} // namespace vesdra
