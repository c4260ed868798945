#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "composition_fixture.h"
#include "platform/base/vb_error.h"
#include "platform/messages.h"
#include "platform/scroll_bar.h"
#include "platform/twips.h"
#include "record/helpers.h"
#include "shell/view_sizes.h"

using namespace vesdra;
using vesdra::test::CompositionFixture;

namespace {
class CompositionBuild : public CompositionFixture
{
protected:
    void SetUp() override
    {
        CompositionFixture::SetUp();
        Registrar(4, 200, [](int s, int c) { return static_cast<float>(c * (s % 7)); });
    }
};
} // namespace

TEST_F(CompositionBuild, CompositionsOneAndThreeTileAsTwoRows)
{
    Construir({{1, 1}, {2, 2}, {13, 4}});
    ComposicionState& st = Composiciones();
    ASSERT_NE(Ventana(1), nullptr);
    EXPECT_EQ(Ventana(2), nullptr);
    ASSERT_NE(Ventana(3), nullptr);
    EXPECT_EQ(st.NumVentanasComposicion, 2);
    EXPECT_TRUE(st.ComposicionesListas);
    EXPECT_EQ(Ventana(1)->windowTitle(), "T65");
    EXPECT_EQ(Ventana(3)->windowTitle(), "T66");
    EXPECT_EQ(Ventana(1)->FilasElegidas(), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(Ventana(3)->FilasElegidas(), std::vector<std::int32_t>{4});
    const double alto = std::round(AltoVista());
    EXPECT_NEAR(FormTopTwips(*Ventana(1)), 0, 15);
    EXPECT_NEAR(FormTopTwips(*Ventana(3)), alto / 2, 15);
    EXPECT_NEAR(FormHeightTwips(*Ventana(3)), alto / 2, 15);
    EXPECT_TRUE(Ventana(1)->isVisible());
    EXPECT_EQ(progreso_, (std::vector<float>{20, 40, 50, 60, 70, 80, 100}));
    EXPECT_EQ(progresoCerrado_, 1);
    EXPECT_EQ(menuOculto_, 1);
    EXPECT_EQ(NewCompanalogCargado(), nullptr);
    // Both cursor bars span the record with a page of one cycle (1000 / 50).
    EXPECT_EQ(Ventana(1)->HScroll1->Min(), 1);
    EXPECT_EQ(Ventana(1)->HScroll2->Max(), 200);
    EXPECT_EQ(Ventana(1)->HScroll1->LargeChange(), 20);
    EXPECT_EQ(Ventana(1)->lblamar->text(), " No.: 1");
    EXPECT_EQ(Ventana(1)->lblms->text(), "0.000 ms");
}

TEST_F(CompositionBuild, ThreeCompositionsGetThirdsAndTextButtons)
{
    Construir({{1, 1}, {7, 2}, {13, 3}});
    const double alto = std::round(AltoVista());
    for (int n = 1; n <= 3; ++n) {
        ASSERT_NE(Ventana(n), nullptr) << n;
        EXPECT_EQ(Ventana(n)->windowTitle(), QStringLiteral("T%1").arg(64 + n));
        EXPECT_NEAR(FormTopTwips(*Ventana(n)), alto * (n - 1) / 3, 15) << n;
        EXPECT_EQ(Ventana(n)->cmdzoom->text(), "T61");
        EXPECT_EQ(Ventana(n)->cmdadel->text(), ">>");
        EXPECT_EQ(Ventana(n)->cmdatras->text(), "<<");
    }
    // A screen of 1024 pixels keeps the zoom button's full height.
    EXPECT_NEAR(HeightTwips(*Ventana(1)->cmdzoom), 495, 15);
    CerrarVentanasComposicion();

    // At most 800 pixels wide: half the height, top margin and gaps of 10.
    Screen().WidthTwips = 800 * 15;
    Construir({{1, 1}, {7, 2}, {13, 3}});
    ASSERT_NE(Ventana(2), nullptr);
    const QPushButton& zoom = *Ventana(2)->cmdzoom;
    EXPECT_NEAR(HeightTwips(zoom), 247.5, 15);
    EXPECT_NEAR(TopTwips(zoom), 10, 15);
    EXPECT_NEAR(TopTwips(*Ventana(2)->cmdadel), 10 + 247.5 + 10, 15);
}

TEST_F(CompositionBuild, OnlyCompositionThreeFillsTheScreen)
{
    Construir({{14, 2}});
    EXPECT_EQ(Ventana(1), nullptr);
    ASSERT_NE(Ventana(3), nullptr);
    EXPECT_EQ(Ventana(3)->windowTitle(), "T65");
    EXPECT_NEAR(FormHeightTwips(*Ventana(3)), std::round(AltoVista()), 15);
    EXPECT_EQ(progreso_.front(), 30);
    // One window: the pictures stay, no captions.
    EXPECT_EQ(Ventana(3)->cmdzoom->text(), "");
}

TEST_F(CompositionBuild, NothingChosenLeavesTheDialogOpen)
{
    ScopedMsgBoxRecorder cajas;
    Construir({});
    ASSERT_EQ(cajas.Count(), 1);
    EXPECT_EQ(cajas.Last().Prompt, "T82");
    EXPECT_EQ(cajas.Last().Style, vbCritical);
    EXPECT_NE(NewCompanalogCargado(), nullptr);
    EXPECT_TRUE(composicion::VentanasAbiertas().empty());
    EXPECT_TRUE(progreso_.empty());
}

TEST_F(CompositionBuild, ErrorMidBuildLeavesNothingBehind)
{
    alProgreso_ = [](float v) {
        if (v == 60)
            throw VbError(vberr::OutOfMemory);
    };
    ScopedMsgBoxRecorder cajas;
    Construir({{1, 1}, {7, 2}, {13, 3}});
    ComposicionState& st = Composiciones();
    EXPECT_TRUE(composicion::VentanasAbiertas().empty());
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(Ventana(n), nullptr);
    EXPECT_EQ(st.NumVentanasComposicion, 0);
    EXPECT_FALSE(st.ComposicionesListas);
    EXPECT_EQ(progresoCerrado_, 1);
    EXPECT_EQ(menuMostrado_, 1);
    ASSERT_EQ(cajas.Count(), 1);
    EXPECT_EQ(cajas.Last().Prompt, "Error 7: Out of memory");
    EXPECT_EQ(NewCompanalogCargado(), nullptr);
}

TEST_F(CompositionBuild, LineFrequencyZeroFailsBeforeAnyWindow)
{
    Registro().FrecuenciaLinea = 0;
    ScopedMsgBoxRecorder cajas;
    Construir({{1, 1}});
    ASSERT_EQ(cajas.Count(), 1);
    EXPECT_EQ(cajas.Last().Prompt, "Error 11: Division by zero");
    EXPECT_TRUE(composicion::VentanasAbiertas().empty());
    EXPECT_EQ(progresoCerrado_, 0);
    EXPECT_TRUE(menuALaVista_) << "the menu form is stranded";
}

TEST_F(CompositionBuild, ClosingTheLastWindowBringsTheMenuBack)
{
    Construir({{1, 1}, {7, 2}});
    ComposicionState& st = Composiciones();
    Ventana(1)->close();
    EXPECT_EQ(st.NumVentanasComposicion, 1);
    EXPECT_EQ(st.SeleccionComposicion(1, 5), 0);
    EXPECT_EQ(st.SeleccionComposicion(2, 5), 1);
    EXPECT_EQ(menuMostrado_, 0);
    CerrarVentanasComposicion();
    EXPECT_EQ(st.NumVentanasComposicion, 0);
    EXPECT_EQ(menuMostrado_, 1);
    EXPECT_TRUE(composicion::VentanasAbiertas().empty());
}

TEST_F(CompositionBuild, WindowsLeftAfterTheRecordClosesStillBringTheMenuBack)
{
    Construir({{1, 1}, {7, 2}});
    ReiniciarComposiciones();
    CerrarRegistro();
    ScopedMsgBoxRecorder cajas;
    CerrarVentanasComposicion();
    EXPECT_EQ(cajas.Count(), 0);
    EXPECT_EQ(Composiciones().NumVentanasComposicion, 0);
    EXPECT_EQ(menuMostrado_, 1);
}

TEST_F(CompositionBuild, WindowsTileInsideTheMainWindowAndCloseByTheirFrames)
{
    QMdiArea area;
    area.resize(1100, 800);
    area.show();
    Hooks().MostrarVentana = [&area](QWidget* w) { area.addSubWindow(w)->show(); };
    Construir({{1, 1}, {13, 2}});
    // The dialog's frame goes with the dialog.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(area.subWindowList().size(), 2);
    auto* arriba = qobject_cast<QMdiSubWindow*>(Ventana(1)->parentWidget());
    auto* abajo = qobject_cast<QMdiSubWindow*>(Ventana(3)->parentWidget());
    ASSERT_NE(arriba, nullptr);
    ASSERT_NE(abajo, nullptr);
    const double alto = std::round(AltoVista());
    EXPECT_EQ(arriba->y(), 0);
    EXPECT_NEAR(abajo->y() * 15, alto / 2, 15);
    EXPECT_NEAR(abajo->height() * 15, alto / 2, 15);
    EXPECT_NEAR(abajo->width() * 15, std::round(AnchoVista()), 15);
    EXPECT_FALSE(abajo->isMaximized());

    arriba->close();
    EXPECT_EQ(Composiciones().NumVentanasComposicion, 1);
    EXPECT_EQ(menuMostrado_, 0);
    CerrarVentanasComposicion();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(menuMostrado_, 1);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}
