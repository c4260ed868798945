#include "analysis/view_layout.h"

#include <cstddef>

namespace vesdra {

namespace {

float NoNegativo(float v)
{
    return v < 0.0f ? 0.0f : v;
}

RectTwipsSingle Rect(float left, float top, float width, float height)
{
    return {left, top, NoNegativo(width), NoNegativo(height)};
}

} // namespace

DisposicionVista CalcularDisposicion(float ancho, float alto, EstiloDisposicion estilo)
{
    using namespace disenio;
    const float fila = alto / 21.0f;
    const float tercio = ancho / 3.0f;
    const float separacion = estilo == EstiloDisposicion::Secuencias ? 45.0f : 35.0f;
    const float segundaFila = estilo == EstiloDisposicion::Secuencias ? 100.0f : 90.0f;
    const float izquierdaMuestra = estilo == EstiloDisposicion::AperturaSecuencias ? tercio : tercio + 100.0f;
    const float izquierdaValor = AnchoMuestra + tercio + 200.0f;
    const float anchoValor = 2.0f * tercio - 600.0f;

    DisposicionVista d;
    d.Picture1 = Rect(0, 0, ancho, alto * 6.4f / 10.0f);
    const float p = d.Picture1.Height;
    d.HScroll1 = Rect(0, p + 45.0f, tercio, fila);
    d.lblNumero = Rect(0, d.HScroll1.Top + d.HScroll1.Height + 100.0f, tercio, AltoNumero);
    d.cmdmas = Rect(0, d.lblNumero.Top + 2.0f * d.lblNumero.Height, AnchoBotonZoom, AltoBotonZoom);
    d.cmdmenos = Rect(d.cmdmas.Left + d.cmdmas.Width + 100.0f, d.cmdmas.Top, AnchoBotonZoom, AltoBotonZoom);
    d.lblzoom = Rect(d.cmdmas.Left, d.cmdmas.Top + d.cmdmas.Height + 100.0f, AnchoImprimir, AltoZoom);
    d.pctimpresora = Rect(0, d.lblzoom.Top + d.lblzoom.Height, AnchoImprimir, AltoImprimir);

    float top = p + separacion;
    for (int i = 0; i < 6; ++i) {
        d.Muestras[static_cast<std::size_t>(i)] = Rect(izquierdaMuestra, top, AnchoMuestra, fila);
        top += fila + separacion;
    }
    d.Valores[0] = Rect(izquierdaValor, p + separacion, anchoValor, fila);
    top = p + fila + segundaFila;
    for (int i = 1; i < 6; ++i) {
        d.Valores[static_cast<std::size_t>(i)] = Rect(izquierdaValor, top, anchoValor, fila);
        top += fila + separacion;
    }
    return d;
}

} // namespace vesdra
