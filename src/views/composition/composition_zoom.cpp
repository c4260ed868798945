#include "views/composition/composition_zoom.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace vesdra::composicion {

namespace {

// Nearest integer, halves to even, held within 32 bits.
std::int32_t Redondear(double v)
{
    if (!std::isfinite(v))
        return 0;
    const double r = std::nearbyint(v);
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(r, lo, hi));
}

ResultadoZoom Rechazo(std::int32_t texto, std::int32_t estilo)
{
    return ResultadoZoom{std::nullopt, texto, estilo};
}

// The samples under the horizontal span x1..x2 of a view whose first sample
// is primera: offsets left of the first sample start at it, and the range
// ends at the record's last sample. Empty (nullopt) when fewer than two
// samples remain.
std::optional<std::pair<std::int32_t, std::int32_t>>
Rango(std::int32_t primera, double origenX, double escalaX, double x1, double x2, std::int32_t nS)
{
    if (!(escalaX > 0))
        return std::nullopt;
    const std::int32_t a = std::max(0, Redondear((x1 - origenX) / escalaX));
    const std::int32_t b = std::max(0, Redondear((x2 - origenX) / escalaX));
    const std::int64_t first = std::max<std::int64_t>(1, static_cast<std::int64_t>(primera) + a);
    const std::int64_t last = std::min<std::int64_t>(nS, static_cast<std::int64_t>(primera) + b);
    if (last <= first)
        return std::nullopt;
    return std::pair{static_cast<std::int32_t>(first), static_cast<std::int32_t>(last)};
}

} // namespace

VistaTrazos VistaCompleta(double ancho, double alto, std::int32_t nS)
{
    VistaTrazos v;
    v.PrimeraMuestra = 1;
    v.UltimaMuestra = nS;
    v.EscalaX = nS > 0 ? (ancho * 48 / 50) / nS : 0;
    v.OrigenX = ancho / 50;
    v.OrigenY = alto / 2;
    v.ZoomVertical = 1;
    v.Completa = true;
    return v;
}

void HistorialZoom::Reiniciar(double ancho, double alto, std::int32_t nS)
{
    const VistaTrazos completa = VistaCompleta(ancho, alto, nS);
    niveles_.Reset(
        NivelZoom{0, alto, ancho / 50, 49 * ancho / 50, 1, 1, alto, ancho, completa.EscalaX, alto / 2});
}

ResultadoZoom HistorialZoom::ZoomNuevo(const VistaTrazos& actual, RectanguloZoom r, double ancho, double alto,
                                       std::int32_t nS)
{
    if (Lleno())
        return Rechazo(TextoHistorialLleno, EstiloInformacion);
    if (r.X1 > r.X2)
        std::swap(r.X1, r.X2);
    if (r.Y1 > r.Y2)
        std::swap(r.Y1, r.Y2);
    const auto rango = Rango(actual.PrimeraMuestra, actual.OrigenX, actual.EscalaX, r.X1, r.X2, nS);
    if (!rango)
        return Rechazo(TextoRangoVacio, EstiloInformacion);
    if (r.Y2 == r.Y1)
        return Rechazo(TextoSinAltura, EstiloInformacion);

    VistaTrazos v = actual;
    v.Completa = false;
    v.PrimeraMuestra = rango->first;
    v.UltimaMuestra = rango->second;
    v.EscalaX = std::fabs((48 * ancho / 50) / (v.UltimaMuestra - v.PrimeraMuestra));
    // The rectangle's top edge goes to y = 0 and its bottom edge to y = alto.
    v.ZoomVertical = actual.ZoomVertical * alto / (r.Y2 - r.Y1);
    v.OrigenY = (actual.OrigenY - r.Y1) * v.ZoomVertical / actual.ZoomVertical;

    niveles_.Append(NivelZoom{r.Y1, r.Y2, r.X1, r.X2, v.ZoomVertical, actual.PrimeraMuestra, alto, ancho,
                              actual.EscalaX, v.OrigenY});
    return ResultadoZoom{v, 0, 0};
}

ResultadoZoom HistorialZoom::Adelante(std::int32_t nS)
{
    if (!niveles_.Forward())
        return Rechazo(TextoUltimoNivel, EstiloInformacion);
    return VistaDeNivel(niveles_.Position(), nS);
}

ResultadoZoom HistorialZoom::Atras(std::int32_t nS)
{
    if (!niveles_.Back())
        return Rechazo(TextoVistaCompleta, EstiloInformacion);
    return VistaDeNivel(niveles_.Position(), nS);
}

ResultadoZoom HistorialZoom::VistaDeNivel(std::int32_t r, std::int32_t nS) const
{
    const NivelZoom& f = niveles_.At(r);
    if (r == 0)
        return ResultadoZoom{VistaCompleta(f.Ancho, f.Alto, nS), 0, 0};
    const double origenX = f.Ancho / 50;
    const auto rango = Rango(f.PrimeraMuestraAnterior, origenX, f.EscalaXAnterior, f.ZoomX1, f.ZoomX2, nS);
    if (!rango)
        return Rechazo(TextoRangoVacio, 0);
    VistaTrazos v;
    v.Completa = false;
    v.PrimeraMuestra = rango->first;
    v.UltimaMuestra = rango->second;
    v.EscalaX = std::fabs((48 * f.Ancho / 50) / (v.UltimaMuestra - v.PrimeraMuestra));
    v.OrigenX = origenX;
    v.OrigenY = f.OrigenY;
    v.ZoomVertical = f.ZoomVertical;
    return ResultadoZoom{v, 0, 0};
}

} // namespace vesdra::composicion
