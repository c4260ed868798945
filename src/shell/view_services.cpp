#include "shell/view_services.h"

namespace vesdra {

namespace {

ServiciosVistas Stubs()
{
    const Servicio nada = [] {};
    ServiciosVistas v;
    v.Ondas = {nada, nada, nada, nada, nada, nada};
    v.Fasores = {nada, nada, nada, nada, nada, nada, nada};
    v.Composicion = {nada, nada, nada, nada, nada};
    v.Digital = {nada, nada, nada, nada, nada, nada, nada};
    v.Informe = {nada, nada, nada};
    v.Herramientas = {nada, nada, nada, nada};
    v.Conversion = {nada, nada};
    return v;
}

// An entry a test or the start-up cleared by mistake stays callable.
void Llamar(const Servicio& s)
{
    if (s)
        s();
}

} // namespace

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
    ServiciosVistas& v = Vistas();
    Llamar(v.Ondas.Reiniciar);
    Llamar(v.Fasores.Reiniciar);
    Llamar(v.Composicion.Reiniciar);
    Llamar(v.Digital.Reiniciar);
}

void DescargarDialogosVistas()
{
    ServiciosVistas& v = Vistas();
    Llamar(v.Conversion.Descargar);
    Llamar(v.Ondas.DescargarDialogo);
    Llamar(v.Composicion.DescargarDialogo);
    Llamar(v.Fasores.DescargarDialogo);
    Llamar(v.Digital.DescargarDialogos);
}

void DescargarVistas()
{
    ServiciosVistas& v = Vistas();
    Llamar(v.Conversion.Descargar);
    Llamar(v.Digital.Descargar);
    Llamar(v.Informe.Descargar);
    Llamar(v.Composicion.Descargar);
    Llamar(v.Herramientas.Descargar);
    Llamar(v.Fasores.Descargar);
    Llamar(v.Ondas.Descargar);
}

} // namespace vesdra
