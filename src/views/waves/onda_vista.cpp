#include "views/waves/onda_vista.h"

#include <algorithm>
#include <cmath>

#include "platform/base/numeric.h"
#include "platform/messages.h"

namespace vesdra {

namespace {

// Offset of an x position from the axis, in whole samples, not below 0.
std::int64_t Desplazamiento(double x, double origenX, double escalaX)
{
    const double a = std::nearbyint((x - origenX) / escalaX); // halves to even
    if (!(a > 0.0))
        return 0;
    return a > 2147483647.0 ? 2147483647 : static_cast<std::int64_t>(a);
}

ResultadoZoomOnda Rechazo(std::int32_t texto, int estilo)
{
    return {std::nullopt, texto, estilo};
}

} // namespace

std::optional<RangoMuestras> RangoEntre(double x1, double x2, double ancho, std::int32_t primeraMuestra,
                                        double escalaX, std::int32_t n)
{
    if (!(escalaX > 0.0) || !std::isfinite(escalaX))
        return std::nullopt;
    const double origenX = ancho / 50.0;
    std::int64_t inicio = primeraMuestra + Desplazamiento(x1, origenX, escalaX);
    std::int64_t fin = primeraMuestra + Desplazamiento(x2, origenX, escalaX);
    if (fin > n)
        fin = static_cast<std::int64_t>(n) - 1;
    inicio = std::max<std::int64_t>(inicio, 1);
    fin = std::max<std::int64_t>(fin, 1);
    // Past the last sample the start can exceed the capped end: as empty as
    // a range of one sample.
    if (inicio >= fin)
        return std::nullopt;
    return RangoMuestras{static_cast<std::int32_t>(inicio), static_cast<std::int32_t>(fin)};
}

std::optional<RangoMuestras> RangoDeNivel(const NivelOnda& nivel, std::int32_t n)
{
    return RangoEntre(nivel.RectX1, nivel.RectX2, nivel.Ancho, nivel.PrimeraMuestraAnterior,
                      nivel.EscalaXAnterior, n);
}

double EscalaYCanal(double alto, float minimo, float maximo)
{
    double fondo = std::max(std::fabs(static_cast<double>(minimo)), std::fabs(static_cast<double>(maximo)));
    if (fondo == 0.0)
        fondo = alto / 2.0;
    if (fondo == 0.0) // a picture of no height: any scale draws nothing
        return 0.0;
    return ((alto - 2.0 * alto / 50.0) / 2.0) / fondo;
}

VistaOnda VistaCompleta(double ancho, double alto, std::int32_t n, double escalaY)
{
    VistaOnda v;
    v.Ancho = ancho;
    v.Alto = alto;
    v.PrimeraMuestra = 1;
    v.UltimaMuestra = std::max(n, 1);
    // The whole record spans 48/50 of the width, from the axis at 1/50.
    v.EscalaX = (48.0 * ancho / 50.0) / std::max(n - 1, 1);
    v.EscalaY = escalaY;
    v.OrigenX = ancho / 50.0;
    v.OrigenY = alto / 2.0;
    v.FactorZoom = 1.0;
    v.Completa = true;
    return v;
}

NivelOnda NivelCompleto(const VistaOnda& completa)
{
    NivelOnda l;
    l.RectY1 = 0.0;
    l.RectY2 = completa.Alto;
    l.RectX1 = completa.Ancho / 50.0;
    l.RectX2 = completa.Ancho * 49.0 / 50.0;
    l.FactorZoom = 1.0;
    l.PrimeraMuestraAnterior = 1;
    l.Alto = completa.Alto;
    l.Ancho = completa.Ancho;
    l.EscalaXAnterior = completa.EscalaX;
    l.OrigenY = completa.Alto / 2.0;
    return l;
}

ResultadoZoomOnda ZoomRectangulo(const VistaOnda& actual, HistorialOnda& historial, double x1, double y1,
                                 double x2, double y2, std::int32_t n)
{
    if (historial.Full())
        return Rechazo(TextoHistorialLleno, vbInformation);
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    const auto rango = RangoEntre(x1, x2, actual.Ancho, actual.PrimeraMuestra, actual.EscalaX, n);
    if (!rango)
        return Rechazo(TextoRangoVacio, vbCritical);
    // A rectangle of no height over a real range gives no vertical zoom
    // factor at all: a refusal of its own, since the range is not at fault.
    if (!(y2 - y1 > 0.0))
        return Rechazo(TextoRectanguloSinAltura, vbCritical);

    VistaOnda v = actual;
    v.PrimeraMuestra = rango->Inicio;
    v.UltimaMuestra = rango->Fin;
    v.EscalaX = (48.0 * v.Ancho / 50.0) / (rango->Fin - rango->Inicio);
    v.FactorZoom = actual.FactorZoom * v.Alto / (y2 - y1);
    // The rectangle's upper edge goes to the top of the picture.
    v.OrigenY = (actual.OrigenY - y1) * v.FactorZoom / actual.FactorZoom;
    v.Completa = false;

    historial.Append(NivelOnda{y1, y2, x1, x2, v.FactorZoom, actual.PrimeraMuestra, v.Alto, v.Ancho,
                               actual.EscalaX, v.OrigenY});
    return {v, 0, 0};
}

ResultadoZoomOnda VistaDeNivel(const NivelOnda& nivel, double escalaY, std::int32_t n)
{
    const auto rango = RangoDeNivel(nivel, n);
    if (!rango)
        return Rechazo(TextoRangoVacio, vbOKOnly);
    VistaOnda v;
    v.Ancho = nivel.Ancho;
    v.Alto = nivel.Alto;
    v.PrimeraMuestra = rango->Inicio;
    v.UltimaMuestra = rango->Fin;
    v.EscalaX = (48.0 * v.Ancho / 50.0) / (rango->Fin - rango->Inicio);
    v.EscalaY = escalaY;
    v.OrigenX = v.Ancho / 50.0;
    v.OrigenY = nivel.OrigenY;
    v.FactorZoom = nivel.FactorZoom;
    v.Completa = false;
    return {v, 0, 0};
}

ResultadoZoomOnda NivelSiguiente(HistorialOnda& historial, double escalaY, std::int32_t n)
{
    if (!historial.Forward())
        return Rechazo(TextoSinNivelPosterior, vbInformation);
    return VistaDeNivel(historial.Current(), escalaY, n);
}

ResultadoZoomOnda NivelAnterior(HistorialOnda& historial, double escalaY, std::int32_t n)
{
    if (!historial.Back())
        return Rechazo(TextoSinNivelAnterior, vbInformation);
    return VistaDeNivel(historial.Current(), escalaY, n);
}

} // namespace vesdra
