#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

#include "common/process_state.h"
#include "common/test_support.h"
#include "composition_fixture.h"
#include "platform/base/app_paths.h"
#include "platform/base/colors.h"
#include "platform/line_control.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "platform/twips.h"
#include "views/composition/colores.h"
#include "views/composition/composition_readouts.h"

using namespace vesdra;
using vesdra::test::CompositionFixture;

namespace {

constexpr std::int32_t kMuestras = 200;

class CompositionWindow : public CompositionFixture
{
protected:
    frmVerCmpang& Uno(const std::function<float(int, int)>& valor, int canales = 1)
    {
        Registrar(canales, kMuestras, valor);
        std::vector<std::pair<int, int>> casillas;
        for (int c = 1; c <= canales; ++c)
            casillas.emplace_back(c, c);
        Construir(casillas);
        EXPECT_NE(Ventana(1), nullptr);
        return *Ventana(1);
    }

    // Drags a confirmed (or cancelled) rectangle over samples a..b.
    void Zoom(frmVerCmpang& v, double a, double b, double y1, double y2, int respuesta = vbOK)
    {
        ScopedMsgBoxRecorder cajas(respuesta);
        v.cmdzoom_Click();
        v.Picture1_MouseDown(1, 0, v.Vista().XDeMuestra(a), y1);
        v.Picture1_MouseMove(1, 0, v.Vista().XDeMuestra(b), y2);
        v.Picture1_MouseUp(1, 0, v.Vista().XDeMuestra(b), y2);
        cajas_ = cajas.Calls();
    }

    static int Px(double twips) { return static_cast<int>(std::floor(twips / 15 + 0.5)); }

    std::vector<MsgBoxCall> cajas_;
};

QColor Trazo(int k)
{
    return OleColor(QBColor(*ColorTrazo(k)));
}

} // namespace

TEST_F(CompositionWindow, SixChannelsOverlaidInTheirColoursOnOneScale)
{
    // Channel c is constant at 10 c: the largest, 60, sets the common scale.
    frmVerCmpang& v = Uno([](int, int c) { return 10.0f * c; }, 6);
    const double alto = v.Picture1->Height();
    EXPECT_NEAR(v.EscalaVertical(), (alto * 48 / 50 / 2) / 60, 1e-9);
    const QImage img = v.RenderImage();
    const int x = Px(v.Vista().XDeMuestra(kMuestras / 2));
    for (int k = 1; k <= 6; ++k) {
        const int y = Px(v.Vista().OrigenY - 10.0 * k * v.EscalaVertical());
        EXPECT_EQ(img.pixelColor(x, y), Trazo(k)) << "channel " << k;
    }
    // Channels four and five are blue and magenta, not the slot colours.
    EXPECT_EQ(Trazo(4), OleColor(QBColor(1)));
    EXPECT_EQ(Trazo(5), OleColor(QBColor(5)));
    // Axes in white: the time axis at mid-height.
    EXPECT_EQ(img.pixelColor(Px(v.Picture1->Width() / 50.0) + 3, Px(alto / 2)), QColor(Qt::white));
}

TEST_F(CompositionWindow, CursorLineStandsOnTheSampleItReads)
{
    // A single spike at sample 50 on a flat channel.
    frmVerCmpang& v = Uno([](int s, int) { return s == 50 ? 100.0f : 0.0f; });
    const QImage antes = v.Picture1->Image().copy();
    v.HScroll1->SetValue(50);
    EXPECT_EQ(v.Picture1->Image(), antes) << "a cursor move redrew the picture";
    EXPECT_EQ(v.lblamar->text(), " No.: 50");
    EXPECT_EQ(v.lblam[1]->text(), "C1: 100.000 U1");
    EXPECT_EQ(v.lblms->text(), "49.000 ms");
    EXPECT_EQ(v.lblcian->text(), " No.: 1");

    // The spike's column in the picture is the yellow line's column.
    const int yPico = Px(v.Vista().OrigenY - 100 * v.EscalaVertical()) + 1;
    int columnaPico = -1;
    for (int x = 0; x < antes.width(); ++x) {
        if (antes.pixelColor(x, yPico) == Trazo(1))
            columnaPico = x;
    }
    ASSERT_GE(columnaPico, 0);
    const QImage img = v.RenderImage();
    EXPECT_EQ(img.pixelColor(columnaPico, 2), OleColor(0x00FFFF));
    EXPECT_DOUBLE_EQ(v.Lineamar->X1(), v.Vista().XDeMuestra(50));
}

TEST_F(CompositionWindow, ZoomConfirmedShowsTheSamplesUnderTheRectangle)
{
    frmVerCmpang& v = Uno([](int s, int) { return std::sin(s / 10.0f); });
    const double alto = v.Picture1->Height();
    Zoom(v, 40, 60, alto / 4, 3 * alto / 4);
    ASSERT_EQ(cajas_.size(), 1u);
    EXPECT_EQ(cajas_[0].Prompt, "T85");
    EXPECT_EQ(cajas_[0].Style, vbOKCancel);
    EXPECT_EQ(v.Vista().PrimeraMuestra, 40);
    EXPECT_EQ(v.Vista().UltimaMuestra, 60);
    EXPECT_NEAR(v.Vista().ZoomVertical, 2, 1e-9);
    EXPECT_EQ(v.Historial().NumNiveles(), 2);
    EXPECT_EQ(v.HScroll1->Min(), 40);
    EXPECT_EQ(v.HScroll2->Max(), 60);
    EXPECT_EQ(v.HScroll1->Value(), 40);
    EXPECT_DOUBLE_EQ(v.Lineamar->X1(), v.Picture1->Width() / 50.0);
    EXPECT_EQ(v.lblamar->text(), " No.: 40");
    EXPECT_FALSE(v.ZoomPendiente());
    EXPECT_FALSE(v.LineasZoom[2]->Visible());
    EXPECT_EQ(MousePointer(v.Picture1), vbDefault);

    ScopedMsgBoxRecorder cajas;
    v.cmdatras_Click();
    EXPECT_TRUE(v.Vista().Completa);
    EXPECT_EQ(v.HScroll1->Max(), kMuestras);
    EXPECT_EQ(cajas.Count(), 0);
}

TEST_F(CompositionWindow, RefusedZoomLeavesTheViewAsItWas)
{
    frmVerCmpang& v = Uno([](int s, int) { return std::sin(s / 10.0f); });
    // A rectangle of no height over a real range: its own message.
    Zoom(v, 40, 60, 500, 500);
    ASSERT_EQ(cajas_.size(), 2u);
    EXPECT_EQ(cajas_[1].Prompt, "T219");
    EXPECT_EQ(cajas_[1].Style, vbInformation);
    EXPECT_TRUE(v.Vista().Completa);
    EXPECT_EQ(v.Vista().PrimeraMuestra, 1);
    EXPECT_EQ(v.Historial().NumNiveles(), 1);

    // Cancel keeps the zoom pending but needs the button again.
    Zoom(v, 40, 60, 100, 900, vbCancel);
    EXPECT_EQ(v.Vista().PrimeraMuestra, 1);
    EXPECT_TRUE(v.ZoomPendiente());
    EXPECT_EQ(MousePointer(v.Picture1), vbDefault);
}

TEST_F(CompositionWindow, HistoryButtonsDisarmAPendingZoom)
{
    frmVerCmpang& v = Uno([](int s, int) { return std::sin(s / 10.0f); });
    ScopedMsgBoxRecorder cajas;
    v.cmdzoom_Click();
    v.cmdatras_Click();
    ASSERT_EQ(cajas.Count(), 1);
    EXPECT_EQ(cajas.Last().Prompt, "T84");
    EXPECT_FALSE(v.ZoomPendiente());
    EXPECT_EQ(MousePointer(v.Picture1), vbDefault);
    v.Picture1_MouseDown(1, 0, 1000, 100);
    EXPECT_FALSE(v.LineasZoom[2]->Visible());
}

TEST_F(CompositionWindow, AFullHistoryIsSaidBeforeTheRectangle)
{
    frmVerCmpang& v = Uno([](int s, int) { return std::sin(s / 10.0f); });
    const double alto = v.Picture1->Height();
    for (int i = 1; i <= 30; ++i) {
        const double a = v.Vista().PrimeraMuestra, b = v.Vista().UltimaMuestra;
        Zoom(v, a + (b - a) / 4, b - (b - a) / 4, 0, alto);
        ASSERT_EQ(v.Historial().NumNiveles(), i + 1) << i;
    }
    ScopedMsgBoxRecorder cajas(vbOK);
    v.cmdzoom_Click();
    ASSERT_EQ(cajas.Count(), 1) << "said at the zoom button, before any rectangle";
    EXPECT_EQ(cajas.Last().Prompt, "T105");
    EXPECT_EQ(cajas.Last().Style, vbInformation);
    EXPECT_FALSE(v.ZoomPendiente());
    EXPECT_EQ(MousePointer(v.Picture1), vbDefault);
    v.Picture1_MouseDown(1, 0, 1000, 100);
    EXPECT_FALSE(v.LineasZoom[2]->Visible()) << "no rectangle is drawn";
    v.Picture1_MouseUp(1, 0, 3000, 900);
    EXPECT_EQ(cajas.Count(), 1) << "no confirmation and no late refusal";
    EXPECT_EQ(v.Historial().NumNiveles(), 31);
}

TEST_F(CompositionWindow, RightColumnAndValueBoxesShowWholeTextsAtBothScreenSizes)
{
    for (const auto& [ancho, alto] : {std::pair{1280, 1024}, std::pair{800, 600}}) {
        SCOPED_TRACE(std::to_string(ancho) + " x " + std::to_string(alto));
        Screen() = ScreenInfo{ancho * 15, alto * 15, 15, 15};
        // 100000 samples at 1000 per second: times up to 99999 ms; values
        // of five digits.
        Registrar(3, 100000, [](int s, int c) { return s == 513 ? -12345.678f * c : 1.0f; });
        Construir({{1, 1}, {2, 2}, {3, 3}, {7, 1}, {13, 2}});
        for (int n : {1, 2, 3}) {
            frmVerCmpang* v = Ventana(n);
            ASSERT_NE(v, nullptr);
            v->HScroll1->SetValue(513);
            v->HScroll2->SetValue(100000);
            EXPECT_EQ(v->lblms->text(), "99487.000 ms");
            std::vector<QLineEdit*> cajas{v->lblamar, v->lblcian, v->lblms};
            for (std::size_t k = 1; k <= v->FilasElegidas().size(); ++k) {
                cajas.push_back(v->lblam[k]);
                cajas.push_back(v->lblci[k]);
            }
            for (QLineEdit* caja : cajas)
                EXPECT_TRUE(test::TextoEnteroEnCaja(*caja)) << caja->text().toStdString();

            // The column at its limits: ten million samples, about 99999.99 ms.
            v->AjustarFuentesLecturas(10000000, 100000);
            v->lblamar->setText(composicion::TextoMuestra(10000000));
            v->lblms->setText(*composicion::TextoTiempo(1, 10000000, 100000));
            EXPECT_EQ(v->lblms->text().size(), 12) << "five digits, three decimals and the unit";
            for (QLineEdit* caja : {v->lblamar, v->lblms})
                EXPECT_TRUE(test::TextoEnteroEnCaja(*caja)) << caja->text().toStdString();
        }
        DescargarComposiciones();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(CompositionWindow, ResizeRedrawsTheFullViewAndRestartsTheHistory)
{
    frmVerCmpang& v = Uno([](int s, int) { return std::sin(s / 10.0f); });
    Zoom(v, 40, 60, 100, 900);
    ASSERT_EQ(v.Historial().NumNiveles(), 2);
    const std::int32_t anchoAntes = v.Picture1->Width();
    SetFormSizeTwips(v, 9000, 6000);
    v.Form_Resize();
    EXPECT_NE(v.Picture1->Width(), anchoAntes);
    EXPECT_NEAR(v.Picture1->Width(), 9000 - 1335, 15);
    EXPECT_TRUE(v.Vista().Completa);
    EXPECT_EQ(v.Historial().NumNiveles(), 1);
    EXPECT_EQ(v.Historial().NivelActual(), 0);
    EXPECT_DOUBLE_EQ(v.Historial().Fila(0).Ancho, v.Picture1->Width());
    EXPECT_EQ(v.HScroll1->Min(), 1);
    EXPECT_EQ(v.HScroll1->Max(), kMuestras);
    EXPECT_DOUBLE_EQ(v.Lineamar->X1(), v.Picture1->Width() / 50.0);
}

TEST_F(CompositionWindow, ResizeEventsOfADragAreLaidOutOnce)
{
    frmVerCmpang& v = Uno([](int s, int) { return std::sin(s / 10.0f); });
    const std::int32_t ancho = v.Picture1->Width();
    struct Resizes final : QObject {
        int Count{0};
        bool eventFilter(QObject*, QEvent* e) override
        {
            Count += e->type() == QEvent::Resize ? 1 : 0;
            return false;
        }
    } resizes;
    v.installEventFilter(&resizes);
    // The drag's steps come closer together than the merge delay however
    // slow the machine: between them only posted events are delivered, and
    // no timer can fire.
    for (int i = 0; i < 5; ++i) {
        SetFormSizeTwips(v, 9000 + 150 * i, 6000);
        QCoreApplication::sendPostedEvents();
    }
    v.removeEventFilter(&resizes);
    EXPECT_EQ(resizes.Count, 5) << "every step reached the form";
    EXPECT_EQ(v.Picture1->Width(), ancho) << "laid out before the drag settled";
    // The one layout pending is the drag's last size.
    ASSERT_TRUE(test::WaitFor([&] { return v.Picture1->Width() != ancho; }));
    EXPECT_NEAR(v.Picture1->Width(), 9600 - 1335, 15);
}

TEST_F(CompositionWindow, ResizeIsIgnoredUntilTheBuildEndsAndSmallWindowsRaiseNoError)
{
    frmVerCmpang& v = Uno([](int s, int) { return std::sin(s / 10.0f); });
    const std::int32_t ancho = v.Picture1->Width();
    Composiciones().ComposicionesListas = false;
    SetFormSizeTwips(v, 9000, 6000);
    v.Form_Resize();
    EXPECT_EQ(v.Picture1->Width(), ancho);

    Composiciones().ComposicionesListas = true;
    ScopedMsgBoxRecorder cajas;
    SetFormSizeTwips(v, 600, 700);
    v.Form_Resize();
    EXPECT_EQ(cajas.Count(), 0);
    EXPECT_EQ(v.Picture1->Width(), 0);
    EXPECT_EQ(v.Picture1->Height(), 0);
    EXPECT_TRUE(v.isVisible());
}

TEST_F(CompositionWindow, ZeroSamplingRateKeepsTheTimeReadoutAndTheWindow)
{
    frmVerCmpang& v = Uno([](int s, int) { return static_cast<float>(s); });
    Registro().TasasMuestreo(1) = 0;
    Registro().TasaCalculada = 0;
    ScopedMsgBoxRecorder cajas;
    v.HScroll2->SetValue(30);
    EXPECT_EQ(v.lblms->text(), "0.000 ms");
    EXPECT_EQ(v.lblcian->text(), " No.: 30");
    EXPECT_EQ(v.lblci[1]->text(), "C1: 30.000 U1");
    EXPECT_EQ(cajas.Count(), 0);
    EXPECT_TRUE(v.isVisible());
}

TEST_F(CompositionWindow, ValueBoxesScrollSidewaysAndClickRestores)
{
    frmVerCmpang& v = Uno([](int s, int c) { return static_cast<float>(s * c); }, 2);
    EXPECT_EQ(v.lblam[1]->text(), "C1: 1.000 U1");
    EXPECT_EQ(v.lblam[3]->text(), "");
    EXPECT_EQ(v.HScroll_Amar->Max(), 12);
    v.HScroll_Amar->SetValue(4);
    EXPECT_EQ(v.lblam[1]->text(), "1.000 U1");
    EXPECT_EQ(v.lblam[2]->text(), "2.000 U2");
    EXPECT_EQ(v.lblci[1]->text(), "C1: 1.000 U1");
    v.lblam_Click(1);
    EXPECT_EQ(v.lblam[1]->text(), "C1: 1.000 U1");
    EXPECT_EQ(v.lblam[2]->text(), "2.000 U2");
    // A cursor move writes its boxes in full again; the longest only grows.
    v.HScroll1->SetValue(150);
    EXPECT_EQ(v.lblam[2]->text(), "C2: 300.000 U2");
    EXPECT_EQ(v.HScroll_Amar->Max(), 14);
}

TEST_F(CompositionWindow, GreyButtonPictureFoundBesideTheProgramFolder)
{
    QTemporaryDir raiz;
    ASSERT_TRUE(QDir(raiz.path()).mkpath("prog/EXE"));
    ASSERT_TRUE(QDir(raiz.path()).mkpath("prog/Iconos"));
    QImage gris(16, 16, QImage::Format_RGB32);
    gris.fill(QColor(192, 192, 192));
    ASSERT_TRUE(gris.save(raiz.filePath("prog/Iconos/GRIS.BMP"), "BMP"));
    const test::ScopedExeFolder exe(raiz.filePath("prog/EXE"));
    // A screen with room for the picture beside the zoom button's caption.
    Screen() = ScreenInfo{1280 * 15, 1024 * 15, 15, 15};
    Registrar(3, kMuestras, [](int, int) { return 1.0f; });
    ScopedMsgBoxRecorder cajas;
    Construir({{1, 1}, {7, 2}, {13, 3}});
    ASSERT_NE(Ventana(2), nullptr);
    EXPECT_FALSE(Ventana(2)->cmdzoom->icon().isNull());
    // "<<" is too narrow for the picture beside its caption: the caption
    // alone, whole.
    EXPECT_TRUE(Ventana(2)->cmdatras->icon().isNull());
    EXPECT_EQ(Ventana(2)->cmdatras->text(), "<<");
    CerrarVentanasComposicion();

    // Without the picture the buttons stay plain, with their captions.
    QFile::remove(raiz.filePath("prog/Iconos/GRIS.BMP"));
    Construir({{1, 1}, {7, 2}, {13, 3}});
    ASSERT_NE(Ventana(2), nullptr);
    EXPECT_TRUE(Ventana(2)->cmdzoom->icon().isNull());
    EXPECT_EQ(Ventana(2)->cmdzoom->text(), "T61");
    EXPECT_EQ(cajas.Count(), 0);
}
