#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/vb_error.h"
#include "views/composition/composition_layout.h"
#include "views/composition/composition_state.h"
#include "views/composition/composition_tiling.h"

using namespace vesdra;
using namespace vesdra::composicion;

TEST(CompositionTiling, RowsByCompositionsInUse)
{
    struct Fila {
        int n;
        double top, height;
        int titulo;
    };
    struct Caso {
        std::array<bool, 4> enUso;
        std::vector<Fila> filas;
    };
    const double H = 9000, W = 15000;
    const Caso casos[] = {
        {{false, false, false, true}, {{3, 0, 9000, 65}}},
        {{false, true, false, true}, {{1, 0, 4500, 65}, {3, 4500, 4500, 66}}},
        {{false, true, true, true}, {{1, 0, 3000, 65}, {2, 3000, 3000, 66}, {3, 6000, 3000, 67}}},
        {{false, false, false, false}, {}},
    };
    for (const Caso& c : casos) {
        const auto t = Teselar(c.enUso, H, W);
        ASSERT_EQ(t.size(), c.filas.size());
        for (std::size_t i = 0; i < t.size(); ++i) {
            EXPECT_EQ(t[i].Composicion, c.filas[i].n);
            EXPECT_DOUBLE_EQ(t[i].Top, c.filas[i].top);
            EXPECT_DOUBLE_EQ(t[i].Height, c.filas[i].height);
            EXPECT_EQ(t[i].TextoTitulo, c.filas[i].titulo);
            EXPECT_DOUBLE_EQ(t[i].Left, 0);
            EXPECT_DOUBLE_EQ(t[i].Width, W);
        }
    }
}

TEST(CompositionTiling, ButtonColumn)
{
    EXPECT_EQ(MargenSuperior(1), 295);
    EXPECT_EQ(MargenSuperior(2), 50);
    EXPECT_EQ(MargenSuperior(3), 10);
    EXPECT_EQ(Separacion(1), 100);
    EXPECT_EQ(Separacion(2), 100);
    EXPECT_EQ(Separacion(3), 10);
    EXPECT_EQ(AltoBotonZoom(500, 800, 3), 250);
    EXPECT_EQ(AltoBotonZoom(500, 801, 3), 500);
    EXPECT_EQ(AltoBotonZoom(500, 800, 2), 500);
}

TEST(CompositionLayout, WorkedExample6495x4350)
{
    const auto v = CalcularDisposicion(6495, 4350, 295, 100, 495);
    EXPECT_EQ(v.Picture1, (Rect{0, 0, 5160, 3000}));
    EXPECT_DOUBLE_EQ(v.HScroll1.Width, 2400);
    EXPECT_DOUBLE_EQ(v.HScroll1.Left, 200);
    EXPECT_DOUBLE_EQ(v.HScroll1.Top, 3050);
    EXPECT_DOUBLE_EQ(v.marcaci.Left, 2870);
    EXPECT_DOUBLE_EQ(v.HScroll2.Left, 3070);
    EXPECT_DOUBLE_EQ(v.HScroll2.Width, 2400);
    EXPECT_DOUBLE_EQ(v.Label1.Top, 3355);
    EXPECT_DOUBLE_EQ(v.Label2.Top, 3670);
    for (std::size_t k = 1; k <= 6; ++k) {
        EXPECT_NEAR(v.lblam[k].Left, 590 + 890.0 * (k - 1), 1e-9) << k;
        EXPECT_NEAR(v.lblci[k].Left, v.lblam[k].Left, 1e-9) << k;
        EXPECT_NEAR(v.lblam[k].Width, 700, 1e-9) << k;
        EXPECT_DOUBLE_EQ(v.lblam[k].Height, 250);
        EXPECT_DOUBLE_EQ(v.lblam[k].Top, 3355);
        EXPECT_DOUBLE_EQ(v.lblci[k].Top, 3670);
    }
    EXPECT_DOUBLE_EQ(v.HScroll_Amar.Left, 5180);
    EXPECT_DOUBLE_EQ(v.HScroll_Amar.Top, 3385);
    EXPECT_DOUBLE_EQ(v.HScroll_Cian.Top, 3690);
    // The button column: zoom, ">>" left-aligned and "<<" right-aligned under
    // it, the three read-outs and the print button, separated by the gap.
    EXPECT_DOUBLE_EQ(v.cmdzoom.Left, 5210);
    EXPECT_DOUBLE_EQ(v.cmdzoom.Width, 1135);
    EXPECT_DOUBLE_EQ(v.cmdzoom.Top, 295);
    EXPECT_DOUBLE_EQ(v.cmdadel.Top, 295 + 495 + 100);
    EXPECT_NEAR(v.cmdadel.Width, 1135 / 2.1, 1e-9);
    EXPECT_NEAR(v.cmdatras.Left + v.cmdatras.Width, 5210 + 1135, 1e-9);
    EXPECT_DOUBLE_EQ(v.lblamar.Top, v.cmdadel.Top + 495 + 100);
    EXPECT_DOUBLE_EQ(v.lblcian.Top, v.lblamar.Top + 285 + 100);
    EXPECT_DOUBLE_EQ(v.lblms.Top, v.lblcian.Top + 285 + 100);
    EXPECT_DOUBLE_EQ(v.pctimpresora.Top, v.lblms.Top + 285 + 100);
    EXPECT_DOUBLE_EQ(v.lblms.Width, 1135);
}

TEST(CompositionLayout, WindowSmallerThanItsControlsClampsSizesAtZero)
{
    const auto v = CalcularDisposicion(600, 700, 10, 10, 250);
    EXPECT_EQ(v.Picture1, (Rect{0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(v.cmdzoom.Width, 400);
    const auto w = CalcularDisposicion(100, 100, 10, 10, 250);
    for (const Rect& r : {w.Picture1, w.HScroll1, w.cmdzoom, w.cmdadel, w.lblam[1], w.lblci[6], w.lblamar}) {
        EXPECT_GE(r.Width, 0);
        EXPECT_GE(r.Height, 0);
    }
}

TEST(CompositionSelection, SlotsToFlagsWithInUseColumn)
{
    std::array<QString, 19> numeros{};
    numeros[1] = "2";
    numeros[2] = "4";
    numeros[3] = "2"; // twice in one composition: one flag
    numeros[14] = "1";
    const auto s = SeleccionDesdeCasillas(numeros, 4);
    ASSERT_EQ(s.Rows(), 3);
    ASSERT_EQ(s.Cols(), 5);
    EXPECT_EQ(FilasElegidas(s, 1), (std::vector<std::int32_t>{2, 4}));
    EXPECT_EQ(FilasElegidas(s, 2), std::vector<std::int32_t>{});
    EXPECT_EQ(FilasElegidas(s, 3), std::vector<std::int32_t>{1});
    EXPECT_TRUE(EnUso(s, 1));
    EXPECT_FALSE(EnUso(s, 2));
    EXPECT_TRUE(EnUso(s, 3));
    EXPECT_EQ(ComposicionesEnUso(s), 2);
}

TEST(CompositionSelection, BadSlotNumbersAreErrors)
{
    const struct {
        const char* texto;
        int numero;
    } casos[] = {
        {"x", vberr::TypeMismatch}, {"0", vberr::SubscriptOutOfRange}, {"5", vberr::SubscriptOutOfRange}};
    for (const auto& c : casos) {
        std::array<QString, 19> numeros{};
        numeros[7] = c.texto;
        try {
            (void)SeleccionDesdeCasillas(numeros, 4);
            ADD_FAILURE() << c.texto;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, c.numero) << c.texto;
        }
    }
}
