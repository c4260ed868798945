#include <QImage>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/colors.h"
#include "platform/base/formats.h"
#include "platform/base/screen.h"
#include "platform/base/vb_error.h"
#include "platform/picture_box.h"
#include "views/digital/digital_geometry.h"
#include "views/digital/digital_readouts.h"
#include "views/digital/digital_traces.h"

using namespace vesdra;
using namespace vesdra::digital;

namespace {

std::vector<std::uint8_t> Estados(const char* patron)
{
    std::vector<std::uint8_t> e;
    for (const char* p = patron; *p; ++p)
        e.push_back(*p == '1' ? 1 : 0);
    return e;
}

Tramo TramoDe(std::int32_t origen, std::int32_t ultima, double escala)
{
    return {
        .Origen = origen, .Ultima = ultima, .EscalaX = escala, .TwipsPorPixelX = 15, .TwipsPorPixelY = 15};
}

} // namespace

TEST(CajasDigitales, StateOneAtSampleSCoversTheSpanFromTheSampleBefore)
{
    // Samples 1..8 at 150 twips (10 pixels) apart; sample 1 is on the axis.
    const std::vector<std::uint8_t> e = Estados("10110001");
    const CajasFila f = CajasEstados(e, TramoDe(1, 8, 150));
    EXPECT_FALSE(f.Rellenas);
    // Sample 1's own state has no span; 3, 4 and 8 each make one box.
    EXPECT_EQ(f.Cajas, (std::vector<CajaEstado>{{1350, 1500}, {1500, 1650}, {2100, 2250}}));

    // From a zoom origin at sample 3: its state is not drawn.
    EXPECT_EQ(CajasEstados(e, TramoDe(3, 5, 150)).Cajas, (std::vector<CajaEstado>{{1200, 1350}}));
    // A state 1 only at the origin draws nothing; only at origin + 1 one box
    // from the axis one step wide.
    EXPECT_TRUE(CajasEstados(Estados("1000"), TramoDe(1, 4, 150)).Cajas.empty());
    EXPECT_EQ(CajasEstados(Estados("0100"), TramoDe(1, 4, 150)).Cajas,
              (std::vector<CajaEstado>{{1200, 1350}}));
    // All ones: a chain from the axis to the last sample.
    const CajasFila todo = CajasEstados(Estados("11111"), TramoDe(1, 5, 150));
    EXPECT_EQ(todo.Cajas.front().X1, 1200);
    EXPECT_EQ(todo.Cajas.back().X2, 1800);
    EXPECT_EQ(todo.Cajas.size(), 4u);
}

TEST(CajasDigitales, DenseRowsMergeIntoAtMostOneBoxPerPixelColumn)
{
    // 100000 samples over 1000 pixels, alternating runs: boxes are bounded
    // by the columns, not the samples.
    std::vector<std::uint8_t> e(100000);
    for (std::size_t i = 0; i < e.size(); ++i)
        e[i] = (i / 3) % 2;
    const CajasFila f = CajasEstados(e, TramoDe(1, 100000, 15000.0 / 100000));
    EXPECT_TRUE(f.Rellenas);
    EXPECT_LE(f.Cajas.size(), 1000u);
    EXPECT_EQ(f.Cajas.front().X1, 1200);
}

// The merged boxes must light exactly the pixels of one outlined box per
// state-1 sample.
TEST(CajasDigitales, DenseDrawingMatchesOneOutlinedBoxPerSample)
{
    ScreenInfo guardada = Screen();
    Screen().TwipsPerPixelX = Screen().TwipsPerPixelY = 15;
    std::vector<std::uint8_t> e(3000);
    for (std::size_t i = 0; i < e.size(); ++i)
        e[i] = ((i * 7919) % 13) < 4 || (i > 1000 && i < 1400) ? 1 : 0;
    // Runs of 1 and 2 samples, isolated samples and one long band.
    for (const double escala : {3.0, 7.5, 15.0}) {
        const Tramo t = TramoDe(1, 3000, escala);
        const std::uint32_t azul = QBColor(9);
        PictureBox agrupada, porMuestra;
        for (PictureBox* p : {&agrupada, &porMuestra}) {
            p->resize(3200 * static_cast<int>(escala) / 15 + 120, 40);
            p->SetBackColor(0);
        }
        const CajasFila f = CajasEstados(e, t);
        ASSERT_TRUE(f.Rellenas);
        DibujarCajas(agrupada, f, 300, t, azul);
        CajasFila referencia;
        for (std::int32_t s = 2; s <= 3000; ++s) {
            if (e[static_cast<size_t>(s - 1)] == 1) {
                const auto x = [&](std::int32_t m) {
                    return std::floor(XMuestra(m, 1, escala) / 15 + 0.5) * 15;
                };
                referencia.Cajas.push_back({x(s - 1), x(s)});
            }
        }
        DibujarCajas(porMuestra, referencia, 300, t, azul);
        EXPECT_LT(f.Cajas.size(), referencia.Cajas.size());
        const QImage imagen = agrupada.RenderImage();
        EXPECT_EQ(imagen.pixelColor(1200 / 15, 300 / 15), QColor(0, 0, 255)); // the band starts on the axis
        EXPECT_TRUE(imagen == porMuestra.RenderImage()) << "scale " << escala;
    }
    Screen() = guardada;
}

// Through the row's block tables the boxes are those of the walk over its
// runs, box for box, over zoom ranges that start and end inside a block,
// at scales from many samples per pixel to one; and they light the pixels
// of one outlined box per state-1 sample.
TEST(CajasDigitales, BoxesThroughTheTablesAreTheWalksAndDrawOneBoxPerSample)
{
    ScreenInfo guardada = Screen();
    Screen().TwipsPerPixelX = Screen().TwipsPerPixelY = 15;
    std::vector<std::uint8_t> e(20000);
    std::uint32_t x = 7;
    for (std::size_t i = 0; i < e.size(); ++i) {
        x = x * 1103515245u + 12345u;
        const std::uint32_t r = (x >> 16) % 100;
        e[i] = i > 6000 && i < 9000 ? 1 : r < 6 ? 1 : r < 8 ? 2 : 0; // a 2 is no state 1
    }
    for (std::size_t i = 12000; i < 16200; ++i)
        e[i] = 0; // whole blocks without a 1
    const StatePyramid tablas(e);
    struct Rango {
        std::int32_t origen, ultima;
    };
    for (const Rango r :
         {Rango{1, 20000}, Rango{777, 19001}, Rango{5990, 9011}, Rango{64, 129}, Rango{11999, 16300}}) {
        for (const double pixeles : {0.01, 0.03, 0.2, 1.0}) {
            SCOPED_TRACE(::testing::Message() << r.origen << ".." << r.ultima << " at " << pixeles);
            const double escala = pixeles * 15;
            const Tramo t = TramoDe(r.origen, r.ultima, escala);
            const CajasFila porTablas = CajasEstados(e, t, &tablas);
            const CajasFila recorrido = CajasEstados(e, t);
            ASSERT_TRUE(porTablas.Rellenas);
            EXPECT_EQ(porTablas.Cajas, recorrido.Cajas);

            const int ancho = static_cast<int>((r.ultima - r.origen) * pixeles) + 100;
            PictureBox agrupada, porMuestra;
            for (PictureBox* p : {&agrupada, &porMuestra}) {
                p->resize(ancho, 20);
                p->SetBackColor(0);
            }
            DibujarCajas(agrupada, porTablas, 200, t, QBColor(9));
            CajasFila referencia;
            const auto xm = [&](std::int32_t m) {
                return std::floor(XMuestra(m, r.origen, escala) / 15 + 0.5) * 15;
            };
            for (std::int32_t s = r.origen + 1; s <= r.ultima; ++s)
                if (e[static_cast<size_t>(s - 1)] == 1)
                    referencia.Cajas.push_back({xm(s - 1), xm(s)});
            DibujarCajas(porMuestra, referencia, 200, t, QBColor(9));
            EXPECT_TRUE(agrupada.RenderImage() == porMuestra.RenderImage());
        }
    }
    Screen() = guardada;
}

// The scale and the trace through the channel's tables are those of the
// walk, NaN samples and all.
TEST(TrazoAnalogicoDigital, ScaleAndTraceThroughTheTablesAreTheWalks)
{
    std::vector<float> v(9000);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = i % 53 == 0 ? std::nanf("") : static_cast<float>(std::sin(i * 0.01) * (i < 4000 ? 30 : 300));
    for (std::size_t i = 6400; i < 6600; ++i)
        v[i] = std::nanf("");
    const TracePyramid tablas(v);
    for (const Tramo t :
         {TramoDe(1, 9000, 0.3), TramoDe(3999, 4001, 20), TramoDe(6401, 6599, 5), TramoDe(100, 8000, 1.5)}) {
        SCOPED_TRACE(t.Origen);
        const double escala = EscalaVertical(v, t);
        EXPECT_EQ(EscalaVertical(v, t, &tablas), escala);
        EXPECT_EQ(TrazoAnalogico(v, t, escala, &tablas), TrazoAnalogico(v, t, escala));
    }
    EXPECT_EQ(EscalaVertical(v, TramoDe(6401, 6599, 5), &tablas), 0.0); // nothing but NaN
}

TEST(TrazoAnalogicoDigital, VerticalScaleIsRealForHugeAndTinyValues)
{
    const std::vector<float> grande{0, 40000, -70000, 1};
    const std::vector<float> pequeno{0.0f, 0.2f, -0.4f, 0.1f};
    const std::vector<float> cero{0, 0, 0};
    EXPECT_DOUBLE_EQ(EscalaVertical(grande, TramoDe(1, 4, 100)), 600.0 / 70000);
    EXPECT_NEAR(EscalaVertical(pequeno, TramoDe(1, 4, 100)), 600.0 / 0.4, 1e-3);
    EXPECT_DOUBLE_EQ(EscalaVertical(cero, TramoDe(1, 3, 100)), 0.0);
    // Only the stretch counts.
    EXPECT_NEAR(EscalaVertical(pequeno, TramoDe(1, 2, 100)), 600.0 / 0.2, 1e-3);

    // The tiny trace reaches the band's edge instead of lying flat.
    const std::vector<QLineF> l =
        TrazoAnalogico(pequeno, TramoDe(1, 4, 150), EscalaVertical(pequeno, TramoDe(1, 4, 150)));
    double maxY = 0;
    for (const QLineF& s : l)
        maxY = std::max({maxY, s.y1(), s.y2()});
    EXPECT_NEAR(maxY, 1200, 15);
}

TEST(LecturasDigitales, ValueTimeAndSidewaysTexts)
{
    SetDecimalSeparatorForTests(QLatin1Char(','));
    EXPECT_EQ(TextoValorCursor(12.3456f, "kV"), "12,346 kV");
    EXPECT_EQ(TextoValorCursor(-0.5f, ""), "-0,500 ");
    EXPECT_EQ(TextoTiempoCursores(7, 7, 1000), "0,000 ms");
    EXPECT_EQ(TextoTiempoCursores(30, 10, 1200), TextoTiempoCursores(10, 30, 1200));
    EXPECT_EQ(TextoTiempoCursores(10, 30, 1200), "16,667 ms");
    // Sample numbers beyond 16 bits.
    EXPECT_EQ(TextoTiempoCursores(1, 100001, 1000), "100000,000 ms");
    SetDecimalSeparatorForTests(QChar());
    try {
        (void)TextoTiempoCursores(1, 2, 0);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vberr::DivisionByZero);
    }

    EXPECT_EQ(TextoDesplazado("IA linea 1", 0, 10), "IA linea 1");
    EXPECT_EQ(TextoDesplazado("IA linea 1", 3, 10), "linea 1");
    EXPECT_EQ(TextoDesplazado("IA", 3, 10), "");
    EXPECT_EQ(TextoDesplazado("abcdef", 2, 4), "cd");
}
