#include "views/waves/waves_layout.h"

#include <gtest/gtest.h>

#include "views/waves/waves_fit.h"

namespace vesdra {
namespace {

struct TilingCase {
    std::int32_t n;
    std::int32_t rows, cols;
    std::vector<PosicionVentana> cells; // in units of (H, W)
};

TEST(Tiling, GridAndPositionsForOneToEightWindows)
{
    // Usable area 9000 x 15000 twips; H and W are the area over rows and columns.
    const std::vector<TilingCase> cases{
        {1, 1, 1, {{0, 0}}},
        {2, 2, 1, {{0, 0}, {1, 0}}},
        {3, 3, 1, {{0, 0}, {1, 0}, {2, 0}}},
        {4, 3, 2, {{0, 0}, {1, 0}, {2, 0}, {0, 1}}},
        {5, 3, 2, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}}},
        {6, 3, 2, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}},
        {7, 4, 2, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}}},
        {8, 4, 2, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}}},
    };
    for (const TilingCase& c : cases) {
        SCOPED_TRACE(c.n);
        const Mosaico m = MosaicoVentanas(c.n, 9000, 15000);
        EXPECT_EQ(m.Filas, c.rows);
        EXPECT_EQ(m.Columnas, c.cols);
        EXPECT_EQ(m.Alto, 9000 / c.rows);
        EXPECT_EQ(m.Ancho, 15000 / c.cols);
        ASSERT_EQ(m.Posiciones.size(), c.cells.size());
        for (size_t p = 0; p < c.cells.size(); ++p)
            EXPECT_EQ(m.Posiciones[p], (PosicionVentana{c.cells[p].Top * m.Alto, c.cells[p].Left * m.Ancho}));
    }
    EXPECT_TRUE(MosaicoVentanas(0, 9000, 15000).Posiciones.empty());
}

TEST(Tiling, SizesRoundHalvesToEven)
{
    // 9001 / 2 = 4500.5 -> 4500; 9003 / 2 = 4501.5 -> 4502; 10001 / 4 = 2500.25 -> 2500.
    EXPECT_EQ(MosaicoVentanas(2, 9001, 100).Alto, 4500);
    EXPECT_EQ(MosaicoVentanas(2, 9003, 100).Alto, 4502);
    EXPECT_EQ(MosaicoVentanas(8, 10001, 7).Ancho, 4); // 3.5 -> 4
    EXPECT_EQ(MosaicoVentanas(8, 10001, 5).Ancho, 2); // 2.5 -> 2
}

TEST(WaveWindowLayout, ButtonsFollowTheNumberOfOpenWindowsOnly)
{
    const DisenoOndas d;
    const DisposicionOndas few = ColocarControlesOndas(7200, 4000, 3, d);
    const DisposicionOndas many = ColocarControlesOndas(7200, 4000, 5, d);
    // Picture, scroll bars and boxes depend on the size alone.
    EXPECT_EQ(few.picbox, (RectTwips{0, 0, 7200, 3300}));
    EXPECT_EQ(few.picbox, many.picbox);
    EXPECT_EQ(few.HScroll1, (RectTwips{0, 3350, 2000, 255}));
    EXPECT_EQ(few.HScroll2, (RectTwips{2050, 3350, 2000, 255}));
    EXPECT_EQ(few.lblizq, many.lblizq);
    EXPECT_EQ(few.lblcian, many.lblcian);
    EXPECT_EQ(few.lblms, (RectTwips{4100, 3350, 2000.0 / 3.0, 285}));
    EXPECT_DOUBLE_EQ(few.lblizq.Top, 3350 + 255 + 50);
    EXPECT_DOUBLE_EQ(few.lblizq.Width, 2000 / 2.1);
    // The cyan value box loses 50 twips more free width than the yellow one.
    const double free = 2000 - 2 * (2000 / 2.1);
    EXPECT_DOUBLE_EQ(few.lblamar.Left - few.lblizq.Right(), free / 4);
    EXPECT_DOUBLE_EQ(few.lblcian.Left - few.lblder.Right(), (free - 50) / 4);

    // At most three windows: 50-twip gaps, tall buttons, wide history buttons.
    EXPECT_DOUBLE_EQ(few.cmdzoom.Left, few.lblms.Right() + 50);
    EXPECT_DOUBLE_EQ(few.cmdzoom.Height, 2 * 285 + 50);
    EXPECT_DOUBLE_EQ(few.cmdadel.Width, 0.8 * d.AnchoZoom);
    EXPECT_DOUBLE_EQ(few.pctimpresora.Left, few.cmdatras.Right() + 50);
    EXPECT_DOUBLE_EQ(few.pctimpresora.Width, 0.8 * d.AnchoZoom);
    // More: no gaps, short buttons, narrow history buttons.
    EXPECT_DOUBLE_EQ(many.cmdzoom.Left, many.lblms.Right());
    EXPECT_DOUBLE_EQ(many.cmdzoom.Height, 285 + 50);
    EXPECT_DOUBLE_EQ(many.cmdadel.Width, 0.6 * d.AnchoZoom);
    EXPECT_DOUBLE_EQ(many.cmdatras.Left, many.cmdadel.Right());
}

TEST(WaveWindowLayout, PrimarySecondaryIndicatorPlacement)
{
    const DisenoOndas d;
    const DisposicionOndas three = ColocarControlesOndas(7200, 4000, 3, d);
    const DisposicionOndas four = ColocarControlesOndas(7200, 4000, 4, d);
    EXPECT_DOUBLE_EQ(three.lbl_PS.Right(), 7200);
    EXPECT_DOUBLE_EQ(three.lbl_PS.Bottom(), three.pctimpresora.Bottom()); // level with the print button
    EXPECT_DOUBLE_EQ(four.lbl_PS.Top, four.lblizq.Top + 50);
    // The absolute value of the count decides.
    EXPECT_DOUBLE_EQ(ColocarControlesOndas(7200, 4000, -4, d).lbl_PS.Top, four.lbl_PS.Top);
}

TEST(WaveWindowLayout, TinyWindowClampsSizesAtZeroInsteadOfFailing)
{
    for (const auto& [w, h] : std::vector<std::pair<double, double>>{{0, 0}, {300, 200}, {-50, 699}}) {
        const DisposicionOndas r = ColocarControlesOndas(w, h, 2);
        for (const RectTwips* rc :
             {&r.picbox, &r.HScroll1, &r.HScroll2, &r.lblizq, &r.lblamar, &r.lblder, &r.lblcian, &r.lblms,
              &r.lblDif, &r.cmdzoom, &r.cmdadel, &r.cmdatras, &r.pctimpresora}) {
            EXPECT_GE(rc->Width, 0);
            EXPECT_GE(rc->Height, 0);
        }
        EXPECT_EQ(r.picbox.Height, 0);
    }
}

TEST(StackedLayout, FormSizeFromTheScreen)
{
    struct Case {
        std::int32_t px, tpp;
        double hd, wd;
    };
    for (const Case& c :
         {Case{640, 15, 1.177, 1.0077}, Case{640, 12, 1.177, 1.0077}, Case{800, 12, 1.15, 1.0077},
          Case{1024, 12, 1.115, 1.005}, Case{800, 15, 1.1364, 1.005}, Case{1280, 15, 1.104, 1.005}}) {
        SCOPED_TRACE(c.px);
        const std::int32_t w = c.px * c.tpp;
        const std::int32_t h = 600 * c.tpp;
        const TamanoForm f = AjustarAPantalla(w, h, c.tpp);
        EXPECT_DOUBLE_EQ(f.Alto, h / c.hd);
        EXPECT_DOUBLE_EQ(f.Ancho, w / c.wd);
    }
}

TEST(StackedLayout, RowUnderThePictureAndBands)
{
    const DisposicionTodo r = ColocarControlesTodo(10550, 6500);
    EXPECT_EQ(r.Picture1, (RectTwips{1400, 0, 9150, 6000}));
    EXPECT_EQ(r.HScroll1, (RectTwips{0, 6050, 9150 / 4.0, 255}));
    EXPECT_DOUBLE_EQ(r.lblam.Left, r.HScroll1.Right() + 100);
    EXPECT_DOUBLE_EQ(r.lblam.Width, r.HScroll1.Width / 3);
    EXPECT_DOUBLE_EQ(r.HScroll2.Width, r.HScroll1.Width);
    EXPECT_DOUBLE_EQ(r.cmdzoom.Width, 0.8 * r.lblci.Width);
    EXPECT_DOUBLE_EQ(r.cmdatras.Width, 0.7 * r.cmdzoom.Width);
    EXPECT_DOUBLE_EQ(r.pctimpresora.Left, r.cmdatras.Right() + 100);
    EXPECT_DOUBLE_EQ(r.lbl_PS.Left, r.pctimpresora.Right() + 50);
    EXPECT_DOUBLE_EQ(r.HScroll_Nombres.Top, 6000 - 255 + 40);

    // One band takes the whole picture (plus one twip); eight share it.
    const Banda una = GeometriaBanda(6000, 1, 1);
    EXPECT_DOUBLE_EQ(una.Alto, 6001);
    EXPECT_DOUBLE_EQ(una.CeroY, 3000.5);
    const Banda ultima = GeometriaBanda(6000, 8, 8);
    EXPECT_DOUBLE_EQ(ultima.Alto, 751);
    EXPECT_DOUBLE_EQ(ultima.CeroY, 7 * 751 + 375.5);
    EXPECT_DOUBLE_EQ(ultima.Lectura1.Bottom(), ultima.CeroY); // cursor 1 box above the zero line
    EXPECT_DOUBLE_EQ(ultima.Lectura2.Top, ultima.CeroY);      // cursor 2 box below it
    EXPECT_EQ(ultima.Lectura1.Left, 5);
    EXPECT_EQ(ultima.Lectura1.Width, 1300);

    // Above the name scroll bar: the last band's boxes stand higher, clear of
    // it, one on top of the other; a band well above it keeps its place.
    const double barra = r.HScroll_Nombres.Top;
    const Banda libre = GeometriaBanda(6000, 8, 8, 285, barra);
    EXPECT_DOUBLE_EQ(libre.Lectura2.Bottom(), barra);
    EXPECT_DOUBLE_EQ(libre.Lectura1.Bottom(), libre.Lectura2.Top);
    EXPECT_EQ(GeometriaBanda(6000, 8, 7, 285, barra).Lectura2, GeometriaBanda(6000, 8, 7).Lectura2);
}

// The bands' read-out boxes: each on its band's zero line where that leaves
// it clear; else moved just as far as its neighbours make it, or all lower
// alike where the boxes do not fit above the name bar. Never one over
// another, over the bar or above the picture.
TEST(CajasLecturaBandas, NoBoxCoversAnotherNorTheNameBar)
{
    struct Caso {
        const char* que;
        double alto;
        std::int32_t bandas;
        double altoCaja;
        double barra;
    } casos[] = {
        {"room to spare", 6000, 3, 285, 5785},
        {"eight bands, the last one's boxes above the bar", 6000, 8, 285, 5785},
        {"eight bands that hold two boxes of 285 barely", 4400, 8, 285, 4185},
        {"boxes taller than half a band", 6000, 8, 480, 5785},
        {"more boxes than fit above the bar", 3000, 8, 285, 2785},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        const std::vector<RectTwips> cajas = CajasLecturaBandas(c.alto, c.bandas, c.altoCaja, c.barra);
        ASSERT_EQ(cajas.size(), static_cast<std::size_t>(2 * c.bandas));
        for (std::size_t i = 0; i < cajas.size(); ++i) {
            EXPECT_EQ(cajas[i].Left, 5);
            EXPECT_EQ(cajas[i].Width, 1300);
            EXPECT_GE(cajas[i].Top, 0) << i;
            EXPECT_LE(cajas[i].Bottom(), c.barra + 1e-9) << i;
            EXPECT_DOUBLE_EQ(cajas[i].Height, std::min(c.altoCaja, c.barra / (2.0 * c.bandas))) << i;
            if (i > 0) {
                EXPECT_FALSE(SeSolapan(cajas[i - 1], cajas[i])) << i;
                EXPECT_GE(cajas[i].Top, cajas[i - 1].Top) << "in band order";
            }
        }
    }
    // Boxes with room keep their places on the zero lines; above the bar
    // only the last band's stand higher.
    const auto lugar = [](double alto, std::int32_t n, std::size_t i) {
        const Banda b = GeometriaBanda(alto, n, static_cast<std::int32_t>(i / 2 + 1));
        return i % 2 == 0 ? b.Lectura1 : b.Lectura2;
    };
    const std::vector<RectTwips> tres = CajasLecturaBandas(6000, 3, 285, 5785);
    for (std::size_t i = 0; i < tres.size(); ++i)
        EXPECT_EQ(tres[i], lugar(6000, 3, i)) << i;
    const std::vector<RectTwips> ocho = CajasLecturaBandas(6000, 8, 285, 5785);
    for (std::size_t i = 0; i < 14; ++i)
        EXPECT_EQ(ocho[i], lugar(6000, 8, i)) << i;
    EXPECT_DOUBLE_EQ(ocho[15].Bottom(), 5785);
    EXPECT_DOUBLE_EQ(ocho[14].Bottom(), ocho[15].Top);
    EXPECT_TRUE(CajasLecturaBandas(6000, 0, 285, 5785).empty());
}

} // namespace
} // namespace vesdra
