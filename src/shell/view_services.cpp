#include "shell/view_services.h"

#include <functional>
#include <initializer_list>

namespace vesdra {

namespace {

ServiciosVistas Stubs()
{
    const Servicio nada = [] {};
    ServiciosVistas v;
    v.Ondas = {nada, nada, nada, nada, nada, nada, nada};
    v.Fasores = {nada, nada, nada, nada, nada, nada, nada};
    v.Composicion = {nada, nada, nada, nada, nada, nada};
    v.Digital = {nada, nada, nada, nada, nada, nada, nada, nada};
    v.Informe = {nada, nada, nada};
    v.Herramientas = {nada, nada, nada, nada};
    v.Conversion = {nada, nada};
    return v;
}

// The entries, in the order given.
void LlamarEnOrden(std::initializer_list<std::reference_wrapper<const Servicio>> servicios)
{
    for (const Servicio& s : servicios)
        Llamar(s);
}

} // namespace

void Llamar(const Servicio& s)
{
    if (s)
        s();
}

ServiciosVistas& Vistas()
{
    static ServiciosVistas vistas = Stubs();
    return vistas;
}

void RestablecerVistas()
{
    Vistas() = Stubs();
}

void ReiniciarSeleccionesVistas()
{
    const ServiciosVistas& v = Vistas();
    LlamarEnOrden({v.Ondas.Reiniciar, v.Fasores.Reiniciar, v.Composicion.Reiniciar, v.Digital.Reiniciar});
}

void LadoCambiadoVistas()
{
    const ServiciosVistas& v = Vistas();
    LlamarEnOrden({v.Ondas.LadoCambiado, v.Composicion.LadoCambiado, v.Digital.LadoCambiado});
}

void DescargarDialogosVistas()
{
    Llamar(Vistas().Conversion.Descargar);
    DescargarDialogosEleccion();
}

void DescargarDialogosEleccion()
{
    const ServiciosVistas& v = Vistas();
    LlamarEnOrden({v.Ondas.DescargarDialogo, v.Composicion.DescargarDialogo, v.Fasores.DescargarDialogo,
                   v.Digital.DescargarDialogos});
}

void DescargarVistas()
{
    const ServiciosVistas& v = Vistas();
    LlamarEnOrden({v.Conversion.Descargar, v.Digital.Descargar, v.Informe.Descargar, v.Composicion.Descargar,
                   v.Herramientas.Descargar, v.Fasores.Descargar, v.Ondas.Descargar});
}

} // namespace vesdra
