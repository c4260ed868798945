#include "analysis/view_layout.h"

#include <algorithm>
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

namespace {

// The standard rows from a picture height p and a row height fila.
DisposicionVista Colocar(float ancho, float p, float fila, EstiloDisposicion estilo)
{
    using namespace disenio;
    const float tercio = ancho / 3.0f;
    const float separacion = estilo == EstiloDisposicion::Secuencias ? 45.0f : 35.0f;
    const float segundaFila = estilo == EstiloDisposicion::Secuencias ? 100.0f : 90.0f;
    const float izquierdaMuestra = estilo == EstiloDisposicion::AperturaSecuencias ? tercio : tercio + 100.0f;
    const float izquierdaValor = AnchoMuestra + tercio + 200.0f;
    const float anchoValor = 2.0f * tercio - 600.0f;

    DisposicionVista d;
    d.Picture1 = Rect(0, 0, ancho, p);
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

float Fondo(const RectTwipsSingle& r)
{
    return r.Top + r.Height;
}

// Lowest edge of the legend (six rows) and of the left column (one row, the
// scroll bar's, and the fixed controls under it).
float FondoLeyenda(const DisposicionVista& d)
{
    float f = 0;
    for (std::size_t i = 0; i < 6; ++i)
        f = std::max({f, Fondo(d.Muestras[i]), Fondo(d.Valores[i])});
    return f;
}

} // namespace

DisposicionVista CalcularDisposicion(float ancho, float alto, EstiloDisposicion estilo,
                                     std::optional<AreaCliente> cliente)
{
    float p = alto * 6.4f / 10.0f;
    float fila = alto / 21.0f;
    DisposicionVista d = Colocar(ancho, p, fila, estilo);
    if (!cliente)
        return d;

    const float altoCliente = cliente->Alto;
    if (std::max(FondoLeyenda(d), Fondo(d.pctimpresora)) > altoCliente) {
        // Both lowest edges grow with the row height, the legend's six times
        // as fast: what lies below the picture apart from the rows is fixed.
        const DisposicionVista sinFilas = Colocar(ancho, p, 0.0f, estilo);
        const float fijoLeyenda = FondoLeyenda(sinFilas) - p;
        const float fijoColumna = Fondo(sinFilas.pctimpresora) - p;
        const float libre = altoCliente - p;
        fila = std::min({fila, (libre - fijoLeyenda) / 6.0f, libre - fijoColumna});
        if (fila < kAltoFilaMinimo) {
            fila = std::min(kAltoFilaMinimo, alto / 21.0f);
            p = std::min(p,
                         std::min(altoCliente - fijoLeyenda - 6.0f * fila, altoCliente - fijoColumna - fila));
            p = NoNegativo(p);
        }
        d = Colocar(ancho, p, fila, estilo);
    }

    const float anchoCliente = cliente->Ancho;
    d.Picture1.Width = NoNegativo(std::min(d.Picture1.Width, anchoCliente));
    for (RectTwipsSingle& v : d.Valores)
        v.Width = NoNegativo(std::min(v.Width, anchoCliente - v.Left));
    return d;
}

} // namespace vesdra
