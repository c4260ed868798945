#include "views/digital/digital_traces.h"

#include <algorithm>
#include <cmath>

#include "platform/base/trace_envelope.h"
#include "platform/picture_box.h"
#include "views/digital/digital_geometry.h"

namespace vesdra::digital {

namespace {

// Channel position of the first sample of the stretch.
std::int64_t Desplazamiento(const Tramo& t)
{
    return std::max<std::int64_t>(t.Origen, 1) - 1;
}

// Samples Origen..Ultima clamped to the channel; empty when none is left.
std::span<const float> Muestras(std::span<const float> columna, const Tramo& t)
{
    const auto n = static_cast<std::int64_t>(columna.size());
    const std::int64_t desde = Desplazamiento(t) + 1;
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

double EscalaVertical(std::span<const float> columna, const Tramo& t, const TracePyramid* tablas)
{
    float m = 0.0f;
    const std::span<const float> muestras = Muestras(columna, t);
    if (tablas != nullptr && tablas->Size() == static_cast<std::int64_t>(columna.size())) {
        // The largest magnitude is that of one of the extremes; the tables
        // leave NaN out as the walk does.
        const std::int64_t desde = Desplazamiento(t);
        const SampleExtremes e =
            tablas->Range(columna, desde, desde + static_cast<std::int64_t>(muestras.size()) - 1);
        if (!e.Empty())
            m = std::max(std::fabs(e.Min), std::fabs(e.Max));
    } else {
        for (const float v : muestras) {
            const float a = std::fabs(v);
            if (a > m) // a NaN never counts
                m = a;
        }
    }
    if (!(m > 0.0f) || !std::isfinite(m))
        return 0.0;
    return YCeroAnalogico / static_cast<double>(m);
}

std::vector<QLineF> TrazoAnalogico(std::span<const float> columna, const Tramo& t, double escalaVertical,
                                   const TracePyramid* tablas)
{
    return TraceSegments(Muestras(columna, t), Geometria(t, escalaVertical),
                         EnvelopeTables{tablas, Desplazamiento(t)}, EnvelopePen::OnePixel);
}

namespace {

// The boxes of a row from the pixel-column ranges its state-1 samples
// cover, taken in column order: ranges that touch or overlap are one box.
class CajasJuntas
{
public:
    CajasJuntas(CajasFila& fila, double upp) : fila_(fila), upp_(upp) {}

    void Cubrir(std::int32_t c1, std::int32_t c2)
    {
        if (abierta_ && c1 <= fin_ + 1) {
            fin_ = std::max(fin_, c2);
            return;
        }
        Cerrar();
        inicio_ = c1;
        fin_ = c2;
        abierta_ = true;
    }

    // Ends the box still open.
    void Cerrar()
    {
        if (abierta_)
            fila_.Cajas.push_back({inicio_ * upp_, fin_ * upp_});
        abierta_ = false;
    }

private:
    CajasFila& fila_;
    double upp_;
    std::int32_t inicio_{0};
    std::int32_t fin_{0};
    bool abierta_{false};
};

// The filled boxes through the tables. The boxes of the walk over the runs
// are the maximal runs of neighbouring pixel columns covered by some state-1
// sample s, which covers the columns from that of s - 1 to its own. Taken
// column by column: a column's first sample covers back to the column
// before; any later state 1 in the column covers the column alone, and
// whether there is one is a table look-up.
void CajasPorColumnas(std::span<const std::uint8_t> estados, const StatePyramid& tablas,
                      const TraceGeometry& g, std::int64_t base, std::int64_t desde, std::int64_t hasta,
                      CajasJuntas& cajas)
{
    std::int32_t anterior = TraceColumn(g, desde - 1 - base);
    std::vector<TraceColumnRun> columnas;
    AppendTraceColumnRuns(g, desde - base, hasta - base + 1, columnas);
    for (const TraceColumnRun& r : columnas) {
        const std::int64_t s = base + r.First;
        const std::int64_t u = base + r.Last;
        const std::int32_t c = r.Column;
        std::int64_t resto = s;
        if (anterior != c) {
            // Through the tables too: a state is read only in a block that holds a 1.
            if (tablas.AnyOne(estados, s - 1, s - 1))
                cajas.Cubrir(anterior, c);
            resto = s + 1;
        }
        if (resto <= u && tablas.AnyOne(estados, resto - 1, u - 1))
            cajas.Cubrir(c, c);
        anterior = c;
    }
}

} // namespace

CajasFila CajasEstados(std::span<const std::uint8_t> estados, const Tramo& t, const StatePyramid* tablas)
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
    // The tables pay once pixel columns hold a few dozen states each; fewer
    // are walked faster (the boxes are the same either way).
    CajasJuntas cajas(fila, upp);
    if (tablas != nullptr && tablas->Size() == n && t.EscalaX > 0.0 && 32.0 * t.EscalaX <= upp) {
        CajasPorColumnas(estados, *tablas, g, std::max(t.Origen, 1), desde, hasta, cajas);
    } else {
        for (std::int64_t s = desde; s <= hasta;) {
            if (e[s - 1] != 1) {
                ++s;
                continue;
            }
            std::int64_t u = s;
            while (u < hasta && e[u] == 1)
                ++u;
            cajas.Cubrir(columna(s - 1), columna(u));
            s = u + 1;
        }
    }
    cajas.Cerrar();
    return fila;
}

void DibujarCajas(PictureBox& picture, const CajasFila& cajas, double base, const Tramo& t,
                  std::uint32_t color)
{
    const double y1 = EnRejilla(base, t.TwipsPorPixelY);
    const double y2 = EnRejilla(base - AltoEstado, t.TwipsPorPixelY);
    const LineForm forma = cajas.Rellenas ? LineForm::FilledBox : LineForm::Box;
    for (const CajaEstado& c : cajas.Cajas)
        picture.Line(c.X1, y1, c.X2, y2, color, forma);
}

} // namespace vesdra::digital
