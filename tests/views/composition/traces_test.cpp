#include "views/composition/composition_traces.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vesdra::composicion {
namespace {

// A composition trace through its column's block tables is the walk's
// point for point: the full view, zoomed stretches that start and end
// inside a block, and a vertical zoom deep enough for every value to be
// clamped to the drawing limit.
TEST(TrazosComposicion, PointsThroughTheTablesAreTheWalks)
{
    std::vector<float> v(50000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = i % 1009 == 0 ? std::nanf("") : static_cast<float>(300 * std::sin(i * 0.003) + (i % 7) * 3.0);
    const TracePyramid tablas(v);
    Extremos extremos;
    for (const float x : v) {
        extremos.Minimo = std::min(extremos.Minimo, x);
        extremos.Maximo = std::max(extremos.Maximo, x);
    }
    const double alto = 6000;
    const double escala = alto / 2 / 300;
    VistaTrazos completa = VistaCompleta(15000, alto, 50000);
    VistaTrazos stretch = completa;
    stretch.PrimeraMuestra = 1037;
    stretch.UltimaMuestra = 20001;
    stretch.EscalaX = 13000.0 / (20001 - 1037);
    stretch.Completa = false;
    VistaTrazos cerca = stretch;
    cerca.PrimeraMuestra = 30010;
    cerca.UltimaMuestra = 30100;
    cerca.EscalaX = 13000.0 / 90;
    VistaTrazos recortada = stretch;
    recortada.ZoomVertical = 5000; // most points past the limit
    for (const VistaTrazos& vista : {completa, stretch, cerca, recortada}) {
        SCOPED_TRACE(vista.PrimeraMuestra);
        EXPECT_EQ(PuntosTrazo(v, vista, escala, 15, 15, extremos, &tablas),
                  PuntosTrazo(v, vista, escala, 15, 15, extremos));
    }
}

} // namespace
} // namespace vesdra::composicion
