#include "views/waves/waves_draw.h"

#include <algorithm>
#include <cmath>

#include "platform/base/screen.h"
#include "platform/picture_box.h"
#include "views/waves/onda_vista.h"

namespace vesdra {

TraceGeometry GeometriaTrazo(double x0, double escalaX, double ceroY, double escalaY)
{
    const ScreenInfo& s = Screen();
    return TraceGeometry{x0,
                         escalaX,
                         ceroY,
                         escalaY,
                         static_cast<double>(s.TwipsPerPixelX),
                         static_cast<double>(s.TwipsPerPixelY)};
}

double AjustarAPixelX(double x)
{
    const double t = Screen().TwipsPerPixelX;
    return std::floor(x / t + 0.5) * t;
}

double AjustarAPixelY(double y)
{
    const double t = Screen().TwipsPerPixelY;
    return std::floor(y / t + 0.5) * t;
}

std::vector<QLineF> SegmentosTrazo(std::span<const float> canal, std::int32_t primera, std::int32_t ultima,
                                   const TraceGeometry& g, const TracePyramid* tablas)
{
    const auto n = static_cast<std::int32_t>(canal.size());
    primera = std::max(primera, 1);
    ultima = std::min(ultima, n);
    if (primera > ultima)
        return {};
    return TraceSegments(
        canal.subspan(static_cast<size_t>(primera - 1), static_cast<size_t>(ultima - primera + 1)), g,
        EnvelopeTables{tablas, static_cast<std::int64_t>(primera) - 1}, EnvelopePen::OnePixel);
}

void DibujarVistaOnda(PictureBox& pic, const VistaOnda& v, std::span<const float> canal, std::uint32_t color,
                      const TracePyramid* tablas)
{
    pic.Cls();
    const double w = v.Ancho;
    const double h = v.Alto;
    // Axes on the pixel grid of the trace: the zero line on the row of the
    // value 0, the vertical axis on the column of the first sample.
    const double x0 = AjustarAPixelX(v.OrigenX);
    if (v.Completa) {
        const double y0 = AjustarAPixelY(h / 2.0);
        pic.Line(x0, y0, AjustarAPixelX(49.0 * w / 50.0), y0, kColorEjes);
        pic.Line(x0, AjustarAPixelY(h / 50.0), x0, AjustarAPixelY(49.0 * h / 50.0), kColorEjes);
    } else if (v.OrigenY < pic.Height()) {
        const double y0 = AjustarAPixelY(v.OrigenY);
        pic.Line(x0, y0, pic.Width(), y0, kColorEjes);
    }
    const TraceGeometry g = GeometriaTrazo(v.OrigenX, v.EscalaX, v.OrigenY, v.FactorZoom * v.EscalaY);
    const std::vector<QLineF> segs = SegmentosTrazo(canal, v.PrimeraMuestra, v.UltimaMuestra, g, tablas);
    pic.Lines(segs.data(), segs.size(), color);
}

} // namespace vesdra
