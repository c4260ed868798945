#include "views/composition/composition_traces.h"

#include <algorithm>

#include "platform/base/trace_envelope.h"

namespace vesdra::composicion {

std::vector<QPointF> PuntosTrazo(std::span<const float> columna, const VistaTrazos& v, double escalaVertical,
                                 double twipsPorPixelX, double twipsPorPixelY, Extremos extremos,
                                 const TracePyramid* tablas)
{
    const std::int64_t n = static_cast<std::int64_t>(columna.size());
    const std::int64_t primera = std::max<std::int64_t>(1, v.PrimeraMuestra);
    const std::int64_t ultima = std::min<std::int64_t>(n, v.UltimaMuestra);
    if (ultima < primera)
        return {};
    std::span<const float> tramo = columna.subspan(static_cast<std::size_t>(primera - 1),
                                                   static_cast<std::size_t>(ultima - primera + 1));
    TraceGeometry g;
    g.XFirst = v.XDeMuestra(static_cast<double>(primera));
    g.XStep = v.EscalaX;
    g.YZero = v.OrigenY;
    g.YScale = v.ZoomVertical * escalaVertical;
    g.UnitsPerPixelX = twipsPorPixelX;
    g.UnitsPerPixelY = twipsPorPixelY;

    const auto y = [&](double valor) { return g.YZero - g.YScale * valor; };
    const double y1 = y(extremos.Minimo);
    const double y2 = y(extremos.Maximo);
    std::vector<EnvelopeColumn> columnas = TraceEnvelope(tramo, g, EnvelopeTables{tablas, primera - 1});
    // When some point passes the limit every value is clamped to it.
    // Clamping keeps order (and leaves NaN), so the columns of the clamped
    // samples are the clamped columns.
    const bool dentro = std::min(y1, y2) >= -LimiteTrazo && std::max(y1, y2) <= LimiteTrazo;
    if (!dentro && g.YScale > 0) {
        const auto bajo = static_cast<float>((g.YZero - LimiteTrazo) / g.YScale);
        const auto alto = static_cast<float>((g.YZero + LimiteTrazo) / g.YScale);
        for (EnvelopeColumn& c : columnas) {
            for (float* s : {&c.First, &c.Last, &c.Min, &c.Max})
                *s = std::clamp(*s, bajo, alto);
        }
    }
    std::vector<QPointF> puntos;
    AppendEnvelopePolyline(columnas, g, puntos);
    return puntos;
}

} // namespace vesdra::composicion
