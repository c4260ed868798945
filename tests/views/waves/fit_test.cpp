#include <gtest/gtest.h>

#include <vector>

#include "platform/base/box_font_size.h"
#include "views/waves/waves_fit.h"

namespace vesdra {
namespace {

// A font of DejaVu Sans proportions: a digit 0.64 of the size across; 6
// pixels of box margins; 15 twips per pixel.
double Ancho(double caracteres, int px)
{
    return (caracteres * 0.64 * px + 6.0) * 15.0;
}

// "No.= 2000", "-2070.500 A", "1999.000 ms" and "SECUNDARIO".
AnchosLecturasOndas Lecturas(int px, bool indicador = true)
{
    return {Ancho(8.5, px), Ancho(9.6, px), Ancho(10.8, px), indicador ? Ancho(10.5, px) : 0.0};
}

std::vector<const RectTwips*> Controles(const DisposicionOndas& r)
{
    return {&r.HScroll1, &r.HScroll2, &r.lblizq,  &r.lblamar,  &r.lblder,       &r.lblcian, &r.lblms,
            &r.lblDif,   &r.cmdzoom,  &r.cmdadel, &r.cmdatras, &r.pctimpresora, &r.lbl_PS};
}

// Every read-out as wide as its texts at the chosen size, nothing overlapping
// and everything inside the window.
void Comprobar(const DisposicionOndasEntera& e, double ancho, bool indicador, const char* que)
{
    SCOPED_TRACE(que);
    const DisposicionOndas& r = e.Controles;
    const AnchosLecturasOndas n = Lecturas(e.Pixeles, indicador);
    EXPECT_GE(e.Pixeles, kPixelesFuenteMinimos);
    for (const RectTwips* b : {&r.lblizq, &r.lblder})
        EXPECT_GE(b->Width + 0.1, n.Numero);
    for (const RectTwips* b : {&r.lblamar, &r.lblcian})
        EXPECT_GE(b->Width + 0.1, n.Valor);
    EXPECT_GE(r.lblms.Width + 0.1, n.Tiempo);
    EXPECT_GE(r.lblDif.Width + 0.1, n.Tiempo);
    if (indicador) {
        EXPECT_GE(r.lbl_PS.Width + 0.1, n.Indicador);
    }
    const std::vector<const RectTwips*> c = Controles(r);
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (c[i] == &r.lbl_PS && !indicador)
            continue;
        EXPECT_GE(c[i]->Left, -0.1) << i;
        EXPECT_LE(c[i]->Right(), ancho + 0.1) << i;
        for (std::size_t j = i + 1; j < c.size(); ++j) {
            if (c[j] == &r.lbl_PS && !indicador)
                continue;
            EXPECT_FALSE(SeSolapan(*c[i], *c[j])) << i << " and " << j;
        }
    }
}

TEST(WaveWindowFit, ReadoutsWholeAndClearOfTheButtonsFromOneToEightWindows)
{
    struct Caso {
        const char* que;
        double ancho;
        std::int32_t ventanas;
    };
    // Client widths of the tiles at 1920, 1280 and 800 pixels across, and of
    // windows narrowed by hand.
    const Caso casos[] = {
        {"1920, one window", 28500, 1},     {"1920, eight windows", 14250, 8},
        {"1280, three windows", 18900, 3},  {"1280, eight windows", 9450, 8},
        {"800, three windows", 11700, 3},   {"800, eight windows", 5850, 8},
        {"narrowed, two windows", 9000, 2}, {"narrowed, three windows", 7000, 3},
    };
    for (const Caso& c : casos) {
        for (const bool indicador : {true, false}) {
            const auto medir = [indicador](int px) { return Lecturas(px, indicador); };
            Comprobar(ColocarControlesOndasEnteras(c.ancho, 3000, c.ventanas, 12, medir), c.ancho, indicador,
                      c.que);
        }
    }
}

TEST(WaveWindowFit, TheStandardPlacesStandWhileTheyHoldTheTexts)
{
    const auto medir = [](int px) { return Lecturas(px); };
    const DisposicionOndasEntera e = ColocarControlesOndasEnteras(28500, 3000, 1, 12, medir);
    const DisposicionOndas estandar = ColocarControlesOndas(28500, 3000, 1);
    EXPECT_EQ(e.Pixeles, 12) << "the size the boxes' height holds";
    EXPECT_EQ(e.Controles.lblizq, estandar.lblizq);
    EXPECT_EQ(e.Controles.lblms, estandar.lblms);
    EXPECT_EQ(e.Controles.pctimpresora, estandar.pctimpresora);
    EXPECT_EQ(e.Controles.lbl_PS.Top, estandar.lbl_PS.Top);
    EXPECT_EQ(e.Controles.lbl_PS.Right(), estandar.lbl_PS.Right());
    EXPECT_GE(e.Controles.lbl_PS.Width, estandar.lbl_PS.Width)
        << "as wide as its words, at least the design's";
}

TEST(WaveWindowFit, TheTimeBoxesWidenBeforeTheFontShrinks)
{
    // 1280 across, eight windows: the standard time box (a third of a cursor
    // bar) cannot hold "1999.000 ms" at 12 px, the window has room for more.
    const auto medir = [](int px) { return Lecturas(px); };
    const DisposicionOndasEntera e = ColocarControlesOndasEnteras(9450, 3000, 8, 12, medir);
    const DisposicionOndas estandar = ColocarControlesOndas(9450, 3000, 8);
    EXPECT_EQ(e.Pixeles, 12);
    EXPECT_LT(estandar.lblms.Width, Lecturas(12).Tiempo);
    EXPECT_EQ(e.Controles.lblizq, estandar.lblizq) << "the pairs keep their places";
    EXPECT_EQ(e.Controles.lblms.Left, estandar.lblms.Left);
}

TEST(WaveWindowFit, ANarrowedWindowsIndicatorNoLongerSitsUnderThePrintButton)
{
    // Three windows, one narrowed to 10000 twips: the standard layout puts the
    // indicator flush right, level with the tall print button, over it.
    const DisposicionOndas estandar = ColocarControlesOndas(10000, 3000, 3);
    ASSERT_TRUE(SeSolapan(estandar.lbl_PS, estandar.pctimpresora));
    const auto medir = [](int px) { return Lecturas(px); };
    const DisposicionOndas r = ColocarControlesOndasEnteras(10000, 3000, 3, 12, medir).Controles;
    EXPECT_FALSE(SeSolapan(r.lbl_PS, r.pctimpresora));
    EXPECT_DOUBLE_EQ(r.lbl_PS.Right(), 10000);
    EXPECT_LE(r.pctimpresora.Right(), r.lbl_PS.Left);
}

// "No.= 2000", "1999.000 ms" and "SECUNDARIO".
AnchosLecturasTodo LecturasTodo(int px)
{
    return {Ancho(8.5, px), Ancho(10.8, px), Ancho(10.5, px)};
}

TEST(StackedFit, TheRowHoldsItsTextsAndEndsInsideTheWindow)
{
    for (const double ancho : {28500.0, 18900.0, 11800.0, 9000.0}) {
        SCOPED_TRACE(ancho);
        const DisposicionTodoEntera e =
            ColocarControlesTodoEnteras(ancho, 9000, 12, [](int px) { return LecturasTodo(px); });
        const DisposicionTodo& r = e.Controles;
        const AnchosLecturasTodo n = LecturasTodo(e.Pixeles);
        EXPECT_GE(r.lblam.Width + 0.1, n.Numero);
        EXPECT_GE(r.lblci.Width + 0.1, n.Numero);
        EXPECT_GE(r.lblms.Width + 0.1, n.Tiempo);
        EXPECT_GE(r.lbl_PS.Width + 0.1, n.Indicador);
        EXPECT_LE(r.lbl_PS.Right(), ancho + 0.1);
        EXPECT_GE(r.HScroll1.Width, kAnchoMinimoBarra);
        const RectTwips* fila[] = {&r.HScroll1, &r.lblam,   &r.HScroll2, &r.lblci,        &r.lblms,
                                   &r.cmdzoom,  &r.cmdadel, &r.cmdatras, &r.pctimpresora, &r.lbl_PS};
        for (std::size_t i = 0; i + 1 < std::size(fila); ++i)
            EXPECT_LE(fila[i]->Right(), fila[i + 1]->Left + 0.1) << i;
    }
    // A wide window keeps the standard row.
    const DisposicionTodoEntera ancha =
        ColocarControlesTodoEnteras(28500, 9000, 12, [](int px) { return LecturasTodo(px); });
    EXPECT_EQ(ancha.Controles.HScroll1, ColocarControlesTodo(28500, 9000).HScroll1);
    EXPECT_EQ(ancha.Pixeles, 12);
}

} // namespace
} // namespace vesdra
