#include "shell/open_hooks.h"

#include "platform/base/screen.h"
#include "shell/ini_files.h"
#include "shell/progress_windows.h"
#include "shell/tecla_salir.h"

namespace vesdra {

namespace {
QRect PantallaEntera()
{
    return {0, 0, Screen().WidthTwips, Screen().HeightTwips};
}
} // namespace

OpenHooks& AperturaHooks()
{
    static OpenHooks hooks{
        .RegistroMostrado = [](const QString&) {},
        .RegistroQuitado = [] {},
        .ReiniciarVistas = [] {},
        .MostrarPlantilla = [] {},
        .MostrarPoscamb = [] {},
        .PulsarSalir = [] {},
        .GeometriaPrincipal = PantallaEntera,
        .GeometriaMenu = PantallaEntera,
    };
    return hooks;
}

void ConectarServiciosApertura()
{
    ConectarVentanasProgreso();
    InstalarGuardarIdioma();
    InstalarTeclaSalir();
}

} // namespace vesdra
