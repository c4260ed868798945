#pragma once
#include <QLineF>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/base/trace_pyramid.h"
#include "views/digital/digital_geometry.h"

namespace vesdra {
class PictureBox;
}

namespace vesdra::digital {

// Where one stretch of samples is drawn: samples Origen..Ultima, sample s at
// x = XOrigen + (s - Origen) * EscalaX twips (XOrigen the picture's axis,
// 1200, or the printed plot's left side), points snapped to the pixel grid
// of TwipsPorPixelX / Y twips per pixel.
struct Tramo {
    std::int32_t Origen{1};
    std::int32_t Ultima{1};
    double EscalaX{0};
    double TwipsPorPixelX{15};
    double TwipsPorPixelY{15};
    double XOrigen{XEje};
};

// Vertical scale of the analog trace over the stretch: 600 / the largest
// magnitude of its samples, so the trace fills the band; 0 when every
// sample is 0 (the trace lies on the zero line). A real number: magnitudes
// beyond 32767 and below 0.5 are scaled like any other. `columna` is the
// whole channel, element [s - 1] sample s; `tablas` its block tables
// (nullptr: none), which make this cost no pass over the samples.
[[nodiscard]] double EscalaVertical(std::span<const float> columna, const Tramo& t,
                                    const TracePyramid* tablas = nullptr);

// The analog trace as a batch of segments: at most a few per pixel column,
// however many samples the stretch holds; with the channel's tables at a
// cost that follows the pixel columns alone.
[[nodiscard]] std::vector<QLineF> TrazoAnalogico(std::span<const float> columna, const Tramo& t,
                                                 double escalaVertical, const TracePyramid* tablas = nullptr);

// The boxes of one digital row, x in twips on the pixel grid. A state 1 at
// sample s covers the span from sample s - 1 to sample s; the state of
// Origen itself is not drawn (it has no span in the stretch).
// While samples are at least a pixel apart each state-1 sample is its own
// outlined box. Closer than that, every pixel column a run of state-1
// samples touches holds a box edge, so the run's boxes make one solid band:
// runs are then drawn as filled boxes, and runs whose bands meet or touch
// in neighbouring columns as one, so that the boxes number at most the
// pixel columns while the picture stays that of one box per sample.
struct CajaEstado {
    double X1{0};
    double X2{0};
    bool operator==(const CajaEstado&) const = default;
};
struct CajasFila {
    std::vector<CajaEstado> Cajas{};
    bool Rellenas{false};
};
// `estados` is the whole channel, element [s - 1] the state at sample s;
// with its block tables (`tablas`, nullptr: none) the filled boxes cost
// O(pixel columns) instead of a walk over every state.
[[nodiscard]] CajasFila CajasEstados(std::span<const std::uint8_t> estados, const Tramo& t,
                                     const StatePyramid* tablas = nullptr);

// A position in twips moved to the nearest pixel boundary, so that lines
// and boxes drawn at it meet on the same pixel row.
[[nodiscard]] double EnRejilla(double twips, double twipsPorPixel);

// Draws a row's boxes between its base line and 75 twips above it, the y
// values on the pixel grid too.
void DibujarCajas(PictureBox& picture, const CajasFila& cajas, double base, const Tramo& t,
                  std::uint32_t color);

} // namespace vesdra::digital
