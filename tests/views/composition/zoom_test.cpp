#include <gtest/gtest.h>

#include "common/test_support.h"
#include "views/composition/composition_zoom.h"

using namespace vesdra::composicion;

namespace {

constexpr double W = 5000, H = 3000;
constexpr std::int32_t nS = 1000;

// y of value v in a view drawn with the common scale ev.
double YDe(const VistaTrazos& v, double valor, double ev)
{
    return v.OrigenY - valor * v.ZoomVertical * ev;
}

// A rectangle over samples a..b of view v, spanning y1..y2.
RectanguloZoom Sobre(const VistaTrazos& v, double a, double b, double y1 = 500, double y2 = 2500)
{
    return {v.XDeMuestra(a), y1, v.XDeMuestra(b), y2};
}

} // namespace

TEST(CompositionZoom, FullViewPutsSampleOneOnTheAxisAndCursorsOnTheirSamples)
{
    const VistaTrazos v = VistaCompleta(W, H, nS);
    EXPECT_EQ(v.PrimeraMuestra, 1);
    EXPECT_EQ(v.UltimaMuestra, nS);
    EXPECT_DOUBLE_EQ(v.OrigenX, W / 50);
    EXPECT_DOUBLE_EQ(v.OrigenY, H / 2);
    EXPECT_DOUBLE_EQ(v.EscalaX, W * 48 / 50 / nS);
    // Trace point and cursor line of one sample share one x.
    EXPECT_DOUBLE_EQ(v.XDeMuestra(1), W / 50);
    EXPECT_DOUBLE_EQ(v.XDeMuestra(nS), 49 * W / 50 - v.EscalaX);
}

TEST(CompositionZoom, ZoomFromFullViewStartsAtTheSampleUnderTheRectangle)
{
    HistorialZoom h;
    h.Reiniciar(W, H, nS);
    const VistaTrazos completa = VistaCompleta(W, H, nS);
    const ResultadoZoom z = h.ZoomNuevo(completa, Sobre(completa, 40, 60), W, H, nS);
    ASSERT_FALSE(z.Rechazado());
    EXPECT_EQ(z.Vista->PrimeraMuestra, 40);
    EXPECT_EQ(z.Vista->UltimaMuestra, 60);
    EXPECT_DOUBLE_EQ(z.Vista->EscalaX, 48 * W / 50 / 20);
    EXPECT_DOUBLE_EQ(z.Vista->XDeMuestra(40), W / 50);
    EXPECT_DOUBLE_EQ(z.Vista->XDeMuestra(60), 49 * W / 50);

    // A zoom inside the zoom maps through the zoomed view the same way.
    const ResultadoZoom z2 = h.ZoomNuevo(*z.Vista, Sobre(*z.Vista, 45, 50), W, H, nS);
    ASSERT_FALSE(z2.Rechazado());
    EXPECT_EQ(z2.Vista->PrimeraMuestra, 45);
    EXPECT_EQ(z2.Vista->UltimaMuestra, 50);
}

TEST(CompositionZoom, RectangleStretchesVerticallyAndDragDirectionDoesNotMatter)
{
    const double ev = 2.0;
    const VistaTrazos completa = VistaCompleta(W, H, nS);
    HistorialZoom h1, h2;
    h1.Reiniciar(W, H, nS);
    h2.Reiniciar(W, H, nS);
    const RectanguloZoom r = Sobre(completa, 100, 200, 1000, 1600);
    const auto a = h1.ZoomNuevo(completa, r, W, H, nS);
    const auto b = h2.ZoomNuevo(completa, {r.X2, r.Y2, r.X1, r.Y1}, W, H, nS);
    ASSERT_FALSE(a.Rechazado());
    ASSERT_FALSE(b.Rechazado());
    EXPECT_EQ(a.Vista->PrimeraMuestra, b.Vista->PrimeraMuestra);
    EXPECT_EQ(a.Vista->UltimaMuestra, b.Vista->UltimaMuestra);
    EXPECT_DOUBLE_EQ(a.Vista->ZoomVertical, b.Vista->ZoomVertical);
    EXPECT_EQ(h1.Fila(1), h2.Fila(1));
    // The value under the top edge lands on y = 0, the one under the bottom edge on H.
    const double arriba = (completa.OrigenY - 1000) / ev;
    const double abajo = (completa.OrigenY - 1600) / ev;
    EXPECT_NEAR(YDe(*a.Vista, arriba, ev), 0, 1e-9);
    EXPECT_NEAR(YDe(*a.Vista, abajo, ev), H, 1e-9);
}

TEST(CompositionZoom, RangeIsClampedToTheRecord)
{
    const VistaTrazos completa = VistaCompleta(W, H, nS);
    HistorialZoom h;
    h.Reiniciar(W, H, nS);
    // Left of the axis: from the first sample; beyond the end: to the last.
    const auto z = h.ZoomNuevo(completa, {0, 100, W, 200}, W, H, nS);
    ASSERT_FALSE(z.Rechazado());
    EXPECT_EQ(z.Vista->PrimeraMuestra, 1);
    EXPECT_EQ(z.Vista->UltimaMuestra, nS);
}

TEST(CompositionZoom, RefusedRangesChangeNothing)
{
    const VistaTrazos completa = VistaCompleta(W, H, nS);
    struct Caso {
        const char* que;
        RectanguloZoom r;
        std::int32_t texto;
    };
    const double xFin = completa.XDeMuestra(nS);
    const Caso casos[] = {
        {"click without a drag", {1000, 500, 1000, 900}, TextoRangoVacio},
        {"zero-height rectangle over a range", {1000, 700, 2000, 700}, TextoSinAltura},
        {"zero-height rectangle over no range", {1000, 700, 1000, 700}, TextoRangoVacio},
        {"rectangle past the last sample", {xFin + 20, 500, W, 900}, TextoRangoVacio},
    };
    for (const Caso& c : casos) {
        HistorialZoom h;
        h.Reiniciar(W, H, nS);
        const auto z = h.ZoomNuevo(completa, c.r, W, H, nS);
        EXPECT_TRUE(z.Rechazado()) << c.que;
        EXPECT_EQ(z.Texto, c.texto) << c.que;
        EXPECT_EQ(z.Estilo, EstiloInformacion) << c.que;
        EXPECT_EQ(h.NumNiveles(), 1) << c.que;
        EXPECT_EQ(h.NivelActual(), 0) << c.que;
    }
}

TEST(CompositionZoom, WorkedHistorySequence)
{
    HistorialZoom h;
    h.Reiniciar(W, H, nS);
    const VistaTrazos completa = VistaCompleta(W, H, nS);
    EXPECT_EQ(h.NivelActual(), 0);
    EXPECT_EQ(h.NumNiveles(), 1);

    const auto z1 = h.ZoomNuevo(completa, Sobre(completa, 100, 300), W, H, nS);
    ASSERT_FALSE(z1.Rechazado());
    EXPECT_EQ(h.NivelActual(), 1);
    EXPECT_EQ(h.NumNiveles(), 2);

    auto r = h.Atras(nS);
    ASSERT_FALSE(r.Rechazado());
    EXPECT_EQ(h.NivelActual(), 0);
    EXPECT_TRUE(r.Vista->Completa);
    EXPECT_EQ(r.Vista->PrimeraMuestra, 1);
    EXPECT_EQ(r.Vista->UltimaMuestra, nS);

    r = h.Atras(nS);
    EXPECT_TRUE(r.Rechazado());
    EXPECT_EQ(r.Texto, TextoVistaCompleta);
    EXPECT_EQ(r.Estilo, EstiloInformacion);

    r = h.Adelante(nS);
    ASSERT_FALSE(r.Rechazado());
    EXPECT_EQ(h.NivelActual(), 1);
    EXPECT_EQ(r.Vista->PrimeraMuestra, 100);
    EXPECT_EQ(r.Vista->UltimaMuestra, 300);
    EXPECT_DOUBLE_EQ(r.Vista->ZoomVertical, z1.Vista->ZoomVertical);
    EXPECT_DOUBLE_EQ(r.Vista->OrigenY, z1.Vista->OrigenY);

    r = h.Adelante(nS);
    EXPECT_TRUE(r.Rechazado());
    EXPECT_EQ(r.Texto, TextoUltimoNivel);

    // Back at the full view, a new zoom is appended after the newest level.
    ASSERT_FALSE(h.Atras(nS).Rechazado());
    const auto z2 = h.ZoomNuevo(completa, Sobre(completa, 500, 600), W, H, nS);
    ASSERT_FALSE(z2.Rechazado());
    EXPECT_EQ(h.NivelActual(), 2);
    EXPECT_EQ(h.NumNiveles(), 3);
    r = h.Atras(nS);
    ASSERT_FALSE(r.Rechazado());
    EXPECT_EQ(h.NivelActual(), 1);
    EXPECT_EQ(r.Vista->PrimeraMuestra, 100);
    EXPECT_EQ(r.Vista->UltimaMuestra, 300);
}

TEST(CompositionZoom, ThirtyFirstLevelIsRefusedBeforeDrawing)
{
    HistorialZoom h;
    h.Reiniciar(W, H, nS);
    VistaTrazos v = VistaCompleta(W, H, nS);
    for (int i = 1; i <= 30; ++i) {
        // Each zoom takes a wide middle part, so the range never runs out.
        const auto z = h.ZoomNuevo(v, {v.OrigenX, 0, 49 * W / 50 - 100, H}, W, H, nS);
        ASSERT_FALSE(z.Rechazado()) << i;
        v = *z.Vista;
    }
    EXPECT_EQ(h.NumNiveles(), 31);
    EXPECT_TRUE(h.Lleno());
    const auto z = h.ZoomNuevo(v, {v.OrigenX, 0, 49 * W / 50 - 100, H}, W, H, nS);
    EXPECT_TRUE(z.Rechazado());
    EXPECT_EQ(z.Texto, vesdra::TextoHistorialLleno);
    EXPECT_EQ(z.Estilo, EstiloInformacion);
    EXPECT_EQ(h.NumNiveles(), 31);
    EXPECT_EQ(h.NivelActual(), 30);
}
