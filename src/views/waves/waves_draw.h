#pragma once
#include <QLineF>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/base/trace_envelope.h"

namespace vesdra {

class PictureBox;
struct VistaOnda;

// Background of the waveform pictures: the grey of the other views, on
// which every channel colour (black and white included) shows.
inline constexpr std::uint32_t kFondoOndas = 0x808080;
inline constexpr std::uint32_t kColorEjes = 0xFFFFFF;    // colour 15, bright white
inline constexpr std::uint32_t kColorCursor1 = 0x00FFFF; // yellow
inline constexpr std::uint32_t kColorCursor2 = 0xFFFF00; // cyan

// The pixel grid of the screen (Screen() twips per pixel) for a trace whose
// sample `primera` is drawn at x = x0 with escalaX twips per sample and the
// value v at y = ceroY - escalaY * v.
[[nodiscard]] TraceGeometry GeometriaTrazo(double x0, double escalaX, double ceroY, double escalaY);

// x in twips snapped to the screen's pixel columns as the traces are drawn,
// so that a cursor line lands in the pixel column of its sample.
[[nodiscard]] double AjustarAPixelX(double x);
[[nodiscard]] double AjustarAPixelY(double y);

// Samples primera..ultima (1-based, clamped to the channel) as an envelope
// segment batch: at most four points per pixel column however many samples.
// With the channel's block tables (nullptr: none) the cost follows the
// pixel columns, not the samples. For the screen's 1-pixel pen.
[[nodiscard]] std::vector<QLineF> SegmentosTrazo(std::span<const float> canal, std::int32_t primera,
                                                 std::int32_t ultima, const TraceGeometry& g,
                                                 const TracePyramid* tablas = nullptr);

// The waveform window's picture for a view: cleared; at the full view the
// time axis (ancho/50 .. 49 ancho/50 at alto/2) and the vertical axis; after
// a zoom only the time axis from the vertical axis to the right edge, when
// the zero line is above the bottom of the picture; then the trace of the
// view's samples in its colour (&HBBGGRR), through the channel's tables
// when it has them.
void DibujarVistaOnda(PictureBox& pic, const VistaOnda& v, std::span<const float> canal, std::uint32_t color,
                      const TracePyramid* tablas = nullptr);

} // namespace vesdra
