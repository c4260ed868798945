#pragma once
#include <QPointF>
#include <span>
#include <vector>

#include "platform/base/trace_pyramid.h"
#include "views/composition/composition_readouts.h"
#include "views/composition/composition_zoom.h"

namespace vesdra::composicion {

// Traces never reach further than this from the picture, in twips: a huge
// vertical zoom keeps its segments' directions without overflowing the
// drawing layer.
inline constexpr double LimiteTrazo = 250000;

// The polyline of one channel in view v: samples v.PrimeraMuestra ..
// v.UltimaMuestra of `columna` (element [s - 1] is sample s), with the
// common scale escalaVertical, on a picture of the given twips per pixel.
// Once samples outnumber pixel columns it holds the min/max envelope of each
// column, so its cost follows the picture width, not the record. Points
// whose y would pass LimiteTrazo are drawn at the limit; `extremos` (the
// column's extremes) tells cheaply when no point can. With the column's
// block tables (nullptr: none) the cost follows the pixel columns alone.
[[nodiscard]] std::vector<QPointF> PuntosTrazo(std::span<const float> columna, const VistaTrazos& v,
                                               double escalaVertical, double twipsPorPixelX,
                                               double twipsPorPixelY, Extremos extremos,
                                               const TracePyramid* tablas = nullptr);

} // namespace vesdra::composicion
