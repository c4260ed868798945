#include "views/digital/digital_traces.h"

#include <algorithm>
#include <cmath>

#include "platform/base/trace_envelope.h"
#include "platform/picture_box.h"
#include "views/digital/digital_geometry.h"

namespace vesdra::digital {

namespace {

// Samples Origen..Ultima clamped to the channel; empty when none is left.
std::span<const float> Muestras(std::span<const float> columna, const Tramo& t)
{
    const auto n = static_cast<std::int64_t>(columna.size());
    const std::int64_t desde = std::max<std::int64_t>(t.Origen, 1);
    const std::int64_t hasta = std::min<std::int64_t>(t.Ultima, n);
    if (hasta < desde)
        return {};
    return columna.subspan(static_cast<size_t>(desde - 1), static_cast<size_t>(hasta - desde + 1));
}

TraceGeometry Geometria(const Tramo& t, double escalaVertical)
{
    TraceGeometry g;
    // Index 0 of the span handed over is sample max(Origen, 1).
    g.XFirst = t.XOrigen + static_cast<double>(std::max(t.Origen, 1) - t.Origen) * t.EscalaX;
    g.XStep = t.EscalaX;
    g.YZero = YCeroAnalogico;
    g.YScale = escalaVertical;
    g.UnitsPerPixelX = t.TwipsPorPixelX;
    g.UnitsPerPixelY = t.TwipsPorPixelY;
    return g;
}

} // namespace

double EnRejilla(double twips, double twipsPorPixel)
{
    return std::floor(twips / twipsPorPixel + 0.5) * twipsPorPixel;
}

double EscalaVertical(std::span<const float> columna, const Tramo& t)
{
    float m = 0.0f;
    for (const float v : Muestras(columna, t)) {
        const float a = std::fabs(v);
        if (a > m) // a NaN never counts
            m = a;
    }
    if (!(m > 0.0f) || !std::isfinite(m))
        return 0.0;
    return YCeroAnalogico / static_cast<double>(m);
}

std::vector<QLineF> TrazoAnalogico(std::span<const float> columna, const Tramo& t, double escalaVertical)
{
    return TraceSegments(Muestras(columna, t), Geometria(t, escalaVertical));
}

CajasFila CajasEstados(std::span<const std::uint8_t> estados, const Tramo& t)
{
    CajasFila fila;
    const auto n = static_cast<std::int64_t>(estados.size());
    const std::int64_t desde = std::max<std::int64_t>(static_cast<std::int64_t>(t.Origen) + 1, 2);
    const std::int64_t hasta = std::min<std::int64_t>(t.Ultima, n);
    if (hasta < desde)
        return fila;
    const std::uint8_t* e = estados.data();
    const TraceGeometry g = Geometria(t, 0.0);
    // Pixel column of sample s (the analog trace's own snapping).
    auto columna = [&](std::int64_t s) { return TraceColumn(g, s - std::max(t.Origen, 1)); };
    const double upp = t.TwipsPorPixelX;

    fila.Rellenas = !(t.EscalaX > t.TwipsPorPixelX);
    if (!fila.Rellenas) {
        for (std::int64_t s = desde; s <= hasta; ++s) {
            if (e[s - 1] == 1)
                fila.Cajas.push_back({columna(s - 1) * upp, columna(s) * upp});
        }
        return fila;
    }
    std::int32_t inicio = 0;
    std::int32_t fin = 0;
    bool abierta = false;
    for (std::int64_t s = desde; s <= hasta;) {
        if (e[s - 1] != 1) {
            ++s;
            continue;
        }
        std::int64_t u = s;
        while (u < hasta && e[u] == 1)
            ++u;
        const std::int32_t c1 = columna(s - 1);
        const std::int32_t c2 = columna(u);
        if (abierta && c1 <= fin + 1) {
            fin = std::max(fin, c2);
        } else {
            if (abierta)
                fila.Cajas.push_back({inicio * upp, fin * upp});
            inicio = c1;
            fin = c2;
            abierta = true;
        }
        s = u + 1;
    }
    if (abierta)
        fila.Cajas.push_back({inicio * upp, fin * upp});
    return fila;
}

void DibujarCajas(PictureBox& picture, const CajasFila& cajas, double base, const Tramo& t, std::uint32_t color)
{
    const double y1 = EnRejilla(base, t.TwipsPorPixelY);
    const double y2 = EnRejilla(base - AltoEstado, t.TwipsPorPixelY);
    const LineForm forma = cajas.Rellenas ? LineForm::FilledBox : LineForm::Box;
    for (const CajaEstado& c : cajas.Cajas)
        picture.Line(c.X1, y1, c.X2, y2, color, forma);
}

} // namespace vesdra::digital
