#include "views/waves/onda_vista.h"
#include "views/waves/todo_vista.h"

#include <gtest/gtest.h>

#include "platform/messages.h"

namespace vesdra {
namespace {

// A picture 5000 x 3000 twips over 1001 samples: the axis at x = 100, sample s
// at 100 + (s - 1) * 4.8.
constexpr double kW = 5000, kH = 3000;
constexpr std::int32_t kN = 1001;
double X(double s)
{
    return 100 + (s - 1) * 4.8;
}

class WaveZoom : public ::testing::Test
{
protected:
    void SetUp() override
    {
        full = VistaCompleta(kW, kH, kN, 2.0);
        hist.Reset(NivelCompleto(full));
    }
    VistaOnda full;
    HistorialOnda hist;
};

TEST_F(WaveZoom, FullViewPutsFirstSampleOnTheAxisAndCursorOnItsSample)
{
    EXPECT_EQ(full.PrimeraMuestra, 1);
    EXPECT_EQ(full.UltimaMuestra, kN);
    EXPECT_DOUBLE_EQ(full.XDeMuestra(1), full.OrigenX);
    EXPECT_DOUBLE_EQ(full.XDeMuestra(kN), kW * 49 / 50);
    EXPECT_DOUBLE_EQ(full.XDeMuestra(125), X(125)); // cursor line and trace point of sample 125 coincide
    EXPECT_DOUBLE_EQ(full.OrigenY, kH / 2);
}

TEST_F(WaveZoom, RectangleSelectsSamplesAndStretchesItsHeight)
{
    const auto r = ZoomRectangulo(full, hist, X(401), 0, X(601), kH / 2, kN);
    ASSERT_TRUE(r.Vista);
    EXPECT_EQ(r.Vista->PrimeraMuestra, 401);
    EXPECT_EQ(r.Vista->UltimaMuestra, 601);
    EXPECT_DOUBLE_EQ(r.Vista->EscalaX, 4800.0 / 200);
    EXPECT_DOUBLE_EQ(r.Vista->XDeMuestra(401), r.Vista->OrigenX); // first zoomed sample on the axis
    // The upper half over the whole height: zoom 2, the zero line to the bottom edge.
    EXPECT_DOUBLE_EQ(r.Vista->FactorZoom, 2.0);
    EXPECT_DOUBLE_EQ(r.Vista->OrigenY, kH);
    EXPECT_EQ(hist.Count(), 2);
    EXPECT_EQ(hist.Position(), 1);

    // Dragged from lower right to upper left: the same view.
    HistorialOnda other;
    other.Reset(NivelCompleto(full));
    const auto back = ZoomRectangulo(full, other, X(601), kH / 2, X(401), 0, kN);
    ASSERT_TRUE(back.Vista);
    EXPECT_EQ(back.Vista->PrimeraMuestra, 401);
    EXPECT_EQ(back.Vista->UltimaMuestra, 601);
    EXPECT_DOUBLE_EQ(back.Vista->OrigenY, kH);

    // A value drawn at the rectangle's top edge before is drawn at y = 0 after.
    const double v = (full.OrigenY - 600) / (full.FactorZoom * full.EscalaY);
    const auto z = ZoomRectangulo(full, other, X(401), 600, X(601), 2100, kN);
    ASSERT_TRUE(z.Vista);
    EXPECT_NEAR(z.Vista->YDeValor(v), 0.0, 1e-9);
}

TEST_F(WaveZoom, EndOfTheRecord)
{
    // Right edge exactly on sample N keeps N; beyond it the range ends at N - 1.
    auto r = ZoomRectangulo(full, hist, X(901), 10, X(kN), 20, kN);
    ASSERT_TRUE(r.Vista);
    EXPECT_EQ(r.Vista->UltimaMuestra, kN);
    r = ZoomRectangulo(full, hist, X(901), 10, kW, 20, kN);
    ASSERT_TRUE(r.Vista);
    EXPECT_EQ(r.Vista->UltimaMuestra, kN - 1);
}

TEST_F(WaveZoom, EmptyRangesAndFlatRectanglesAreRefusedAndChangeNothing)
{
    struct Case {
        const char* what;
        double x1, y1, x2, y2;
    };
    for (const Case& c : {Case{"click without dragging", X(300), 500, X(300), 500},
                          Case{"both edges on one sample", X(300) - 1, 100, X(300) + 2, 900},
                          Case{"wholly left of the first sample", 10, 100, 90, 900},
                          Case{"zero height over no range", X(300), 700, X(300), 700},
                          Case{"zero height", X(200), 700, X(400), 700},
                          Case{"wholly past the last sample", 4960, 100, 4990, 900}}) {
        SCOPED_TRACE(c.what);
        const auto r = ZoomRectangulo(full, hist, c.x1, c.y1, c.x2, c.y2, kN);
        EXPECT_FALSE(r.Vista);
        // A rectangle of no height over a real range has a message of its own.
        EXPECT_EQ(r.Texto, std::string(c.what) == "zero height" ? 219 : 80);
        EXPECT_EQ(r.Estilo, vbCritical);
        EXPECT_EQ(hist.Count(), 1);
        EXPECT_EQ(hist.Position(), 0);
    }
}

TEST_F(WaveZoom, HistoryBackForwardAndAppendAfterTheNewest)
{
    auto back = NivelAnterior(hist, 2.0, kN);
    EXPECT_EQ(back.Texto, 84);
    EXPECT_EQ(back.Estilo, vbInformation);
    auto fwd = NivelSiguiente(hist, 2.0, kN);
    EXPECT_EQ(fwd.Texto, 79);
    EXPECT_EQ(fwd.Estilo, vbInformation);

    const auto z1 = ZoomRectangulo(full, hist, X(101), 0, X(901), kH, kN); // level 2: 101..901
    const auto z2 =
        ZoomRectangulo(*z1.Vista, hist, z1.Vista->XDeMuestra(201), 0, z1.Vista->XDeMuestra(401), kH, kN);
    ASSERT_TRUE(z2.Vista);
    EXPECT_EQ(z2.Vista->PrimeraMuestra, 201); // level 3: 201..401
    EXPECT_EQ(z2.Vista->UltimaMuestra, 401);

    // Back twice: the whole record again, 48/50 of the width over N - 1 samples.
    ASSERT_TRUE(NivelAnterior(hist, 2.0, kN).Vista);
    const auto whole = NivelAnterior(hist, 2.0, kN);
    ASSERT_TRUE(whole.Vista);
    EXPECT_EQ(whole.Vista->PrimeraMuestra, 1);
    EXPECT_EQ(whole.Vista->UltimaMuestra, kN);
    EXPECT_DOUBLE_EQ(whole.Vista->EscalaX, 4800.0 / (kN - 1));
    EXPECT_DOUBLE_EQ(whole.Vista->FactorZoom, 1.0);

    // Forward twice: the second zoom again, with the same range and zoom.
    ASSERT_TRUE(NivelSiguiente(hist, 2.0, kN).Vista);
    const auto again = NivelSiguiente(hist, 2.0, kN);
    ASSERT_TRUE(again.Vista);
    EXPECT_EQ(again.Vista->PrimeraMuestra, 201);
    EXPECT_EQ(again.Vista->UltimaMuestra, 401);
    EXPECT_EQ(NivelSiguiente(hist, 2.0, kN).Texto, 79);

    // Zoom while level 2 of 3 is shown: stored as level 4 and shown; back shows level 3.
    const auto l2 = NivelAnterior(hist, 2.0, kN);
    ASSERT_EQ(hist.Position(), 1);
    const auto z3 =
        ZoomRectangulo(*l2.Vista, hist, l2.Vista->XDeMuestra(501), 0, l2.Vista->XDeMuestra(601), kH, kN);
    ASSERT_TRUE(z3.Vista);
    EXPECT_EQ(hist.Count(), 4);
    EXPECT_EQ(hist.Position(), 3);
    const auto l3 = NivelAnterior(hist, 2.0, kN);
    EXPECT_EQ(hist.Position(), 2);
    EXPECT_EQ(l3.Vista->PrimeraMuestra, 201);
}

TEST_F(WaveZoom, ThirtyFirstLevelIsRefusedBeforeAnythingChanges)
{
    VistaOnda v = full;
    for (int i = 0; i < 30; ++i) {
        const auto r = ZoomRectangulo(v, hist, v.XDeMuestra(1), 0, v.XDeMuestra(kN - 1), kH, kN);
        ASSERT_TRUE(r.Vista) << i;
        v = *r.Vista;
    }
    EXPECT_EQ(hist.Count(), 31);
    const auto refused = ZoomRectangulo(v, hist, v.XDeMuestra(1), 0, v.XDeMuestra(50), kH, kN);
    EXPECT_FALSE(refused.Vista);
    EXPECT_EQ(refused.Texto, TextoHistorialLleno);
    EXPECT_EQ(refused.Estilo, vbInformation);
    EXPECT_EQ(hist.Count(), 31);
    EXPECT_EQ(hist.Position(), 30);
}

TEST_F(WaveZoom, LongRecordsBeyondSixteenBits)
{
    const std::int32_t n = 1000000;
    const VistaOnda big = VistaCompleta(kW, kH, n, 1.0);
    HistorialOnda h;
    h.Reset(NivelCompleto(big));
    const auto r = ZoomRectangulo(big, h, big.XDeMuestra(500001), 0, big.XDeMuestra(900001), kH, n);
    ASSERT_TRUE(r.Vista);
    EXPECT_EQ(r.Vista->PrimeraMuestra, 500001);
    EXPECT_EQ(r.Vista->UltimaMuestra, 900001);
    const auto whole = NivelAnterior(h, 1.0, n);
    ASSERT_TRUE(whole.Vista);
    EXPECT_EQ(whole.Vista->UltimaMuestra, n);
}

TEST(WaveScale, LargerMagnitudeReachesTwentyFourFiftieths)
{
    EXPECT_DOUBLE_EQ(EscalaYCanal(5000, -40.0f, 100.0f), 2400.0 / 100);
    EXPECT_DOUBLE_EQ(EscalaYCanal(5000, -200.0f, 100.0f), 2400.0 / 200); // the negative peak scales
    EXPECT_DOUBLE_EQ(EscalaYCanal(5000, 0.0f, 0.0f), 0.96);              // zero throughout
}

// ---- Stacked view ----

class StackedZoom : public ::testing::Test
{
protected:
    void SetUp() override { hist.Reset(NivelDeVista(VistaTodoCompleta(9150, 2000))); }
    HistorialTodo hist;
};

TEST_F(StackedZoom, SpanBetweenTheCursors)
{
    const auto r = ZoomEntreCursores(hist, 300, 100, 9150);
    ASSERT_TRUE(r.Vista);
    EXPECT_EQ(r.Vista->Primera, 100);
    EXPECT_EQ(r.Vista->Ultima, 300);
    EXPECT_EQ(r.Vista->PrimeraMuestra, 100);
    EXPECT_DOUBLE_EQ(r.Vista->EscalaX, 45.0);
    EXPECT_DOUBLE_EQ(r.Vista->XDeMuestra(100), 50.0);
    EXPECT_DOUBLE_EQ(r.Vista->XDeMuestra(300),
                     9150 - 100); // the trace ends where the cursor's last sample is
    EXPECT_EQ(hist.Count(), 2);
    EXPECT_EQ(hist.Position(), 1);
}

TEST_F(StackedZoom, RefusalsAndHistory)
{
    auto r = ZoomEntreCursores(hist, 150, 150, 9150);
    EXPECT_FALSE(r.Vista);
    EXPECT_EQ(r.Texto, 76);
    EXPECT_EQ(r.Estilo, vbInformation);
    r = TodoAnterior(hist);
    EXPECT_EQ(r.Texto, 84);
    EXPECT_EQ(r.Estilo, vbInformation);
    r = TodoSiguiente(hist);
    EXPECT_EQ(r.Texto, 79);
    EXPECT_EQ(r.Estilo, vbCritical);

    // Three zooms, back twice (level 1 shown), zoom again: level 4; back shows level 3.
    ASSERT_TRUE(ZoomEntreCursores(hist, 100, 1900, 9150).Vista);
    ASSERT_TRUE(ZoomEntreCursores(hist, 200, 1800, 9150).Vista);
    ASSERT_TRUE(ZoomEntreCursores(hist, 300, 1700, 9150).Vista);
    ASSERT_TRUE(TodoAnterior(hist).Vista);
    const auto l1 = TodoAnterior(hist);
    EXPECT_EQ(l1.Vista->Primera, 100);
    ASSERT_TRUE(ZoomEntreCursores(hist, 500, 600, 9150).Vista);
    EXPECT_EQ(hist.Position(), 4);
    const auto l3 = TodoAnterior(hist);
    EXPECT_EQ(l3.Vista->Primera, 300);
    EXPECT_EQ(l3.Vista->Ultima, 1700);
    // Back to level 0: the whole record with its own scale.
    while (hist.CanGoBack())
        (void)TodoAnterior(hist);
    EXPECT_EQ(hist.Current().Ultima, 2000);
    EXPECT_DOUBLE_EQ(hist.Current().EscalaX, 9000.0 / 2000);
}

TEST_F(StackedZoom, ThirtyFirstLevelIsRefused)
{
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(ZoomEntreCursores(hist, 1, 1000 - i, 9150).Vista) << i;
    const auto r = ZoomEntreCursores(hist, 1, 10, 9150);
    EXPECT_FALSE(r.Vista);
    EXPECT_EQ(r.Texto, TextoHistorialLleno);
    EXPECT_EQ(ZoomEntreCursores(hist, 5, 5, 9150).Texto, TextoHistorialLleno)
        << "a full history is said before the cursors are looked at";
    EXPECT_EQ(r.Estilo, vbInformation);
    EXPECT_EQ(hist.Count(), 31);
}

TEST(StackedScales, SharedAfterBuildPerUnitAfterZoom)
{
    auto band = [](std::int32_t row, const char* unit, float extreme, bool visible) {
        return CanalBanda{row, row, QString::fromLatin1(unit), extreme, visible};
    };
    // A current channel of 100 and a voltage channel of 20 000 shown together.
    const std::vector<CanalBanda> iv{band(1, "A", 100, true), band(2, "V", 20000, true)};
    const EscalasAV shared = EscalasCompartidas(iv);
    EXPECT_EQ(FondoEscalaBanda(iv[0], shared, 750), 20000);
    EXPECT_EQ(FondoEscalaBanda(iv[1], shared, 750), 20000);

    // Two "A" channels of 50 and 400, only the first shown: 50 after the
    // build, 400 after any zoom or history step.
    const std::vector<CanalBanda> aa{band(1, "A", 50, true), band(2, "A", 400, false)};
    EXPECT_EQ(FondoEscalaBanda(aa[0], EscalasCompartidas(aa), 750), 50);
    EXPECT_EQ(FondoEscalaBanda(aa[0], EscalasPorUnidad(aa), 750), 400);

    // Other units keep their own extreme; a lower-case "a" is another unit;
    // a flat channel gets half the band height.
    const std::vector<CanalBanda> other{band(1, "a", 7, true), band(2, "Hz", 0, true),
                                        band(3, "A", 90, true)};
    const EscalasAV e = EscalasCompartidas(other);
    EXPECT_EQ(FondoEscalaBanda(other[0], e, 750), 7);
    EXPECT_EQ(FondoEscalaBanda(other[1], e, 750), 375);
    EXPECT_DOUBLE_EQ(EscalaYBanda(750, 375), (750 - 30) / 2.0 / 375);
}

TEST(StackedScales, TableRowsTrimUnitsAndFailOnABadColumn)
{
    Matrix<QString> tabla(2, 4);
    tabla(1, 1) = QStringLiteral("2");
    tabla(1, 4) = QStringLiteral(" A ");
    tabla(2, 1) = QStringLiteral("1");
    tabla(2, 4) = QStringLiteral("kV");
    Matrix<float> valores(3, 2);
    valores(2, 1) = -30.0f;
    valores(3, 2) = 12.0f;
    Array<std::int32_t> visibles(2);
    visibles(1) = 1;
    const auto filas = CanalesDeTabla(tabla, 2, visibles, valores);
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0].Unidad, QStringLiteral("A"));
    EXPECT_EQ(filas[0].Columna, 2);
    EXPECT_EQ(filas[0].Extremo, 12.0f);
    EXPECT_TRUE(filas[0].Visible);
    EXPECT_EQ(filas[1].Extremo, 30.0f);
    EXPECT_FALSE(filas[1].Visible);

    // The record's extremes, when given, give the same bands without a pass
    // over the samples.
    Array<float> minimos(2);
    Array<float> maximos(2);
    minimos(1) = -30.0f;
    maximos(2) = 12.0f;
    const auto deExtremos = CanalesDeTabla(tabla, 2, visibles, valores, &minimos, &maximos);
    ASSERT_EQ(deExtremos.size(), 2u);
    EXPECT_EQ(deExtremos[0].Extremo, 12.0f);
    EXPECT_EQ(deExtremos[1].Extremo, 30.0f);

    tabla(2, 1) = QStringLiteral("3"); // beyond the columns of Valores
    EXPECT_THROW((void)CanalesDeTabla(tabla, 2, visibles, valores), VbError);
}

} // namespace
} // namespace vesdra
