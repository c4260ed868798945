#include "views/waves/frm_ver_ondas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/colors.h"
#include "platform/line_control.h"
#include "platform/messages.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "views/waves/waves_draw.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

class WaveWindow : public test::WavesFixture
{
protected:
    frmVerOndas* Open(std::int32_t row, std::int32_t windows = 1, std::int32_t h = 4700,
                      std::int32_t w = 6000)
    {
        OndasState& st = Ondas();
        st.NumVentanasOndas = windows;
        st.CanalesVisibles.Resize(Registro().NumAnalogicos);
        st.CanalesVisibles(row) = 1;
        st.IndiceVentana = row;
        auto* f = new frmVerOndas();
        f->Form_activo(h, w, 0, 0);
        return f;
    }
    static QRgb Rgb(std::uint32_t bgr) { return 0xFF000000u | BgrToRgb(bgr); }
    static int Col(double twips) { return static_cast<int>(std::floor(twips / 15.0 + 0.5)); }
};

TEST_F(WaveWindow, ActivationDrawsAxesAndTraceInTheChannelColour)
{
    frmVerOndas* f = Open(2); // VA: 50 kV throughout, colour 10 (light green)
    ASSERT_FALSE(f->Descargada());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("VA"));
    EXPECT_EQ(f->property("Tag").toString(), QStringLiteral("5"));
    const VistaOnda& v = f->Vista;
    EXPECT_EQ(v.PrimeraMuestra, 1);
    EXPECT_EQ(v.UltimaMuestra, 2000);
    EXPECT_EQ(f->Historial.Count(), 1);

    const QImage img = f->picbox->RenderImage();
    const int mid = Col(v.Ancho / 2);
    // Time axis at half height, white; the constant channel at its peak,
    // 1/50 of the height from the top, in light green.
    EXPECT_EQ(img.pixel(mid, Col(v.Alto / 2)), Rgb(0xFFFFFF));
    EXPECT_EQ(img.pixel(mid, Col(v.Alto / 50)), Rgb(QBColor(10)));
    // Vertical axis at 1/50 of the width (in the kept picture: both cursor
    // lines stand on it, at sample 1); background grey elsewhere.
    EXPECT_EQ(f->picbox->Image().pixel(Col(v.Ancho / 50), Col(v.Alto / 4)), Rgb(0xFFFFFF));
    EXPECT_EQ(img.pixel(Col(v.Ancho / 50), Col(v.Alto / 4)), Rgb(0xFFFF00)); // cyan, drawn last
    EXPECT_EQ(img.pixel(mid, Col(v.Alto / 4)), Rgb(kFondoOndas));
    // The trace ends at the last sample, 49/50 of the width.
    EXPECT_EQ(img.pixel(Col(v.Ancho * 49 / 50), Col(v.Alto / 50)), Rgb(QBColor(10)));
    EXPECT_EQ(img.pixel(Col(v.Ancho * 49 / 50) + 3, Col(v.Alto / 50)), Rgb(kFondoOndas));

    // Initial read-outs.
    EXPECT_EQ(f->lblizq->text(), QStringLiteral("No.= 1"));
    EXPECT_EQ(f->lblder->text(), QStringLiteral("No.= 1"));
    EXPECT_EQ(f->lblamar->text(), QStringLiteral("50.000 kV"));
    EXPECT_EQ(f->lblDif->text(), QStringLiteral("0.000 kV"));
    EXPECT_EQ(f->lblms->text(), QStringLiteral("0.000 ms"));
    // Scroll bars: the whole record, one cycle per page (1000 / 50).
    EXPECT_EQ(f->HScroll1->Min(), 1);
    EXPECT_EQ(f->HScroll1->Max(), 2000);
    EXPECT_EQ(f->HScroll2->LargeChange(), 20);
}

TEST_F(WaveWindow, CursorMovesOnlyMoveTheirLinesAndRewriteReadouts)
{
    frmVerOndas* f = Open(1);
    const QImage kept = f->picbox->Image().copy();
    f->HScroll1->SetValue(120);
    f->HScroll2->SetValue(100);
    EXPECT_EQ(f->picbox->Image(), kept) << "a cursor move redrew the picture";

    EXPECT_EQ(f->lblizq->text(), QStringLiteral("No.= 120"));
    EXPECT_EQ(f->lblder->text(), QStringLiteral("No.= 100"));
    EXPECT_EQ(f->lblms->text(), QStringLiteral("20.000 ms"));
    EXPECT_EQ(f->TextoTiempo, f->lblms->text());
    const float a = Registro().Valores(120, 1), b = Registro().Valores(100, 1);
    EXPECT_EQ(f->lblamar->text(), Format(a, "0.000") + QStringLiteral(" A"));
    EXPECT_EQ(f->TextoDiferencia, Format(std::fabs(a - b), "0.000") + QStringLiteral(" A"));

    // The lines stand in the pixel columns of their samples, in their colours.
    const VistaOnda& v = f->Vista;
    const QImage img = f->picbox->RenderImage();
    const int row = Col(v.Alto / 10);
    EXPECT_EQ(img.pixel(Col(v.XDeMuestra(120)), row), Rgb(0x00FFFF));
    EXPECT_EQ(img.pixel(Col(v.XDeMuestra(100)), row), Rgb(0xFFFF00));
    EXPECT_DOUBLE_EQ(f->Lineizq->X1(), AjustarAPixelX(v.XDeMuestra(120)));
}

TEST_F(WaveWindow, CursorBarsTakeTheFocusAndMoveByKeyboard)
{
    frmVerOndas* f = Open(1);
    EXPECT_TRUE(f->HScroll1->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(f->HScroll2->focusPolicy() & Qt::TabFocus);
    const auto pulsar = [](QWidget* w, int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    };
    pulsar(f->HScroll1, Qt::Key_Right);
    EXPECT_EQ(f->lblizq->text(), QStringLiteral("No.= 2"));
    pulsar(f->HScroll1, Qt::Key_PageDown); // one cycle: 20 samples
    EXPECT_EQ(f->lblizq->text(), QStringLiteral("No.= 22"));
    pulsar(f->HScroll2, Qt::Key_End);
    EXPECT_EQ(f->lblder->text(), QStringLiteral("No.= 2000"));
    EXPECT_DOUBLE_EQ(f->Lineder->X1(), AjustarAPixelX(f->Vista.XDeMuestra(2000)));
    pulsar(f->HScroll2, Qt::Key_Home);
    EXPECT_EQ(f->lblder->text(), QStringLiteral("No.= 1"));
    EXPECT_EQ(f->lblms->text(), QStringLiteral("21.000 ms"));
}

TEST_F(WaveWindow, ReadoutsAreWholeInTheEightWindowTileAtEveryScreenSize)
{
    // 100000 samples at 1000 per second, values of four and five digits and
    // the secondary side: the longest texts the boxes meet.
    MakeRecord(100000, 1000, "1997");
    RecordModel& r = Registro();
    ASSERT_TRUE(ElegirLado(r, Lado::Secundario));
    for (std::int32_t s = 1; s <= r.NumMuestras(); ++s) {
        r.Valores(s, 1) = s == 777 ? -2070.5f : 1.0f;
        r.Valores(s, 3) = -static_cast<float>(s) / 10.0f;
    }
    struct Tile {
        const char* que;
        std::int32_t alto, ancho; // twips of one window of the 4 x 2 tile
    };
    for (const Tile t :
         {Tile{"1280 x 1024", 3490, 9550}, Tile{"800 x 600", 1975, 5970}, Tile{"1920 x 1080", 3680, 14330}}) {
        for (std::int32_t row = 1; row <= 3; ++row) {
            SCOPED_TRACE(std::string(t.que) + ", channel " + std::to_string(row));
            frmVerOndas* f = Open(row, 8, t.alto, t.ancho);
            ASSERT_FALSE(f->Descargada());
            f->HScroll1->SetValue(row == 1 ? 777 : r.NumMuestras());
            f->HScroll2->SetValue(row == 1 ? r.NumMuestras() : 1);
            EXPECT_EQ(f->lbl_PS->text(), TextosIdioma(280));
            if (row != 1) {
                EXPECT_EQ(f->lblms->text(), QStringLiteral("99999.000 ms"));
            }
            for (QLineEdit* caja :
                 {f->lblizq, f->lblamar, f->lblder, f->lblcian, f->lblms, f->lblDif, f->lbl_PS})
                EXPECT_TRUE(test::TextoEnteroEnCaja(*caja)) << caja->text().toStdString();
            EXPECT_LE(f->lbl_PS->geometry().right(), f->width() - 1) << "inside the window";
            for (QWidget* b : {static_cast<QWidget*>(f->cmdzoom), static_cast<QWidget*>(f->cmdadel),
                               static_cast<QWidget*>(f->cmdatras), static_cast<QWidget*>(f->pctimpresora)}) {
                EXPECT_FALSE(b->geometry().intersects(f->lbl_PS->geometry()))
                    << "indicator clear of the buttons";
                EXPECT_LE(b->geometry().right(), f->width() - 1);
            }
            f->close();
        }
    }
}

TEST_F(WaveWindow, RubberBandZoomBackAndForward)
{
    frmVerOndas* f = Open(3);
    ScopedMsgBoxRecorder boxes(vbOK);
    f->cmdzoom_Click();
    const VistaOnda full = f->Vista;
    f->picbox_MouseDown(full.XDeMuestra(401), 0);
    f->picbox_MouseMove(full.XDeMuestra(601), full.Alto / 2);
    EXPECT_TRUE(f->Line4->Visible());
    f->picbox_MouseUp(full.XDeMuestra(601), full.Alto / 2);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().Prompt, TextosIdioma(85));
    EXPECT_EQ(boxes.Last().Style, vbOKCancel);
    EXPECT_FALSE(f->Line2->Visible());

    EXPECT_EQ(f->Vista.PrimeraMuestra, 401);
    EXPECT_EQ(f->Vista.UltimaMuestra, 601);
    EXPECT_DOUBLE_EQ(f->Vista.FactorZoom, 2.0);
    EXPECT_EQ(f->HScroll1->Min(), 401);
    EXPECT_EQ(f->HScroll1->Max(), 601);
    EXPECT_EQ(f->HScroll2->Value(), 401);
    EXPECT_EQ(f->lblizq->text(), QStringLiteral("No.= 401"));
    // Cursor 1 on the first zoomed sample sits on the vertical axis.
    EXPECT_DOUBLE_EQ(f->Lineizq->X1(), AjustarAPixelX(f->Vista.OrigenX));

    f->cmdatras_Click();
    EXPECT_EQ(f->Vista.PrimeraMuestra, 1);
    EXPECT_EQ(f->Vista.UltimaMuestra, 2000);
    EXPECT_EQ(f->HScroll1->Max(), 2000);
    f->cmdatras_Click();
    EXPECT_EQ(boxes.Last().Prompt, TextosIdioma(84));
    f->cmdadel_Click();
    EXPECT_EQ(f->Vista.PrimeraMuestra, 401);
    f->cmdadel_Click();
    EXPECT_EQ(boxes.Last().Prompt, TextosIdioma(79));
}

TEST_F(WaveWindow, AFullHistoryIsSaidBeforeTheRectangle)
{
    frmVerOndas* f = Open(3);
    ScopedMsgBoxRecorder boxes(vbOK);
    for (int i = 1; i <= 30; ++i) {
        const VistaOnda v = f->Vista;
        const std::int32_t a = v.PrimeraMuestra, b = v.UltimaMuestra;
        f->cmdzoom_Click();
        f->picbox_MouseDown(v.XDeMuestra(a + (b - a) / 4), 0);
        f->picbox_MouseUp(v.XDeMuestra(b - (b - a) / 4), v.Alto);
        ASSERT_EQ(f->Historial.Count(), i + 1) << i;
    }
    const int before = boxes.Count();
    f->cmdzoom_Click();
    ASSERT_EQ(boxes.Count(), before + 1) << "said at the zoom button, before any rectangle";
    EXPECT_EQ(boxes.Last().Prompt, TextosIdioma(105));
    EXPECT_EQ(boxes.Last().Style, vbInformation);
    f->picbox_MouseDown(100, 100);
    EXPECT_FALSE(f->Line2->Visible()) << "no rectangle is drawn";
    f->picbox_MouseUp(3000, 900);
    EXPECT_EQ(boxes.Count(), before + 1) << "no confirmation and no late refusal";
    EXPECT_EQ(f->Historial.Count(), 31);
}

TEST_F(WaveWindow, CancelledOrEmptyRectanglesChangeNothing)
{
    frmVerOndas* f = Open(1);
    ScopedMsgBoxRecorder boxes(vbCancel);
    const VistaOnda full = f->Vista;
    f->cmdzoom_Click();
    f->picbox_MouseDown(full.XDeMuestra(100), 10);
    f->picbox_MouseUp(full.XDeMuestra(900), 900);
    EXPECT_EQ(f->Vista.UltimaMuestra, 2000);
    EXPECT_EQ(f->Historial.Count(), 1);

    boxes.SetAnswer(vbOK);
    f->cmdzoom_Click();
    f->picbox_MouseDown(full.XDeMuestra(100), 300); // no height
    f->picbox_MouseUp(full.XDeMuestra(900), 300);
    EXPECT_EQ(boxes.Last().Prompt, TextosIdioma(219)); // the rectangle, not the range, is at fault
    EXPECT_EQ(boxes.Last().Style, vbCritical);
    EXPECT_EQ(f->Vista.UltimaMuestra, 2000);
    EXPECT_EQ(f->Historial.Count(), 1);
    EXPECT_FALSE(f->Descargada()) << "no view closes on a zoom";
}

TEST_F(WaveWindow, ZoomFactorBelongsToOneWindow)
{
    frmVerOndas* a = Open(1, 2);
    frmVerOndas* b = Open(2, 2);
    const QImage before = b->picbox->Image().copy();
    ScopedMsgBoxRecorder boxes(vbOK);
    a->cmdzoom_Click();
    a->picbox_MouseDown(a->Vista.XDeMuestra(10), 0);
    a->picbox_MouseUp(a->Vista.XDeMuestra(500), a->Vista.Alto / 4);
    EXPECT_DOUBLE_EQ(a->Vista.FactorZoom, 4.0);
    EXPECT_DOUBLE_EQ(b->Vista.FactorZoom, 1.0);
    EXPECT_EQ(b->picbox->Image(), before);
    // Each level keeps the factor it was drawn with.
    EXPECT_DOUBLE_EQ(a->Historial.Current().FactorZoom, 4.0);
    EXPECT_DOUBLE_EQ(a->Historial.At(0).FactorZoom, 1.0);
}

TEST_F(WaveWindow, ResizeShowsTheWholeRecordWithOneLevel)
{
    frmVerOndas* f = Open(1);
    ScopedMsgBoxRecorder boxes(vbOK);
    f->cmdzoom_Click();
    f->picbox_MouseDown(f->Vista.XDeMuestra(10), 0);
    f->picbox_MouseUp(f->Vista.XDeMuestra(500), 500);
    ASSERT_EQ(f->Historial.Count(), 2);
    f->resize(500, 300);
    f->Form_Resize();
    EXPECT_EQ(f->Historial.Count(), 1);
    EXPECT_EQ(f->Vista.UltimaMuestra, 2000);
    EXPECT_EQ(f->HScroll1->Min(), 1);
    // A window too small for its controls lays out with sizes at zero.
    f->resize(20, 10);
    f->Form_Resize();
    EXPECT_FALSE(f->Descargada());
    EXPECT_EQ(f->picbox->Height(), 0);
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(WaveWindow, LongRecordsShowScrollAndZoom)
{
    MakeRecord(100000, 1000);
    frmVerOndas* f = Open(1);
    EXPECT_EQ(f->HScroll1->Max(), 100000);
    f->HScroll1->SetValue(70000);
    EXPECT_EQ(f->lblizq->text(), QStringLiteral("No.= 70000"));
    ScopedMsgBoxRecorder boxes(vbOK);
    f->cmdzoom_Click();
    f->picbox_MouseDown(f->Vista.XDeMuestra(60001), 0);
    f->picbox_MouseUp(f->Vista.XDeMuestra(90001), f->Vista.Alto);
    EXPECT_NEAR(f->Vista.PrimeraMuestra, 60001, 30); // within one pixel column
    EXPECT_NEAR(f->Vista.UltimaMuestra, 90001, 30);
    EXPECT_EQ(f->HScroll2->Max(), f->Vista.UltimaMuestra);
}

TEST_F(WaveWindow, PrimarySecondaryIndicator)
{
    frmVerOndas* f91 = Open(1);
    EXPECT_FALSE(f91->lbl_PS->isVisibleTo(f91));

    MakeRecord(500, 1000, "1997");
    ASSERT_TRUE(ElegirLado(Registro(), Lado::Secundario));
    frmVerOndas* f = Open(2, 3);
    EXPECT_TRUE(f->lbl_PS->isVisibleTo(f));
    EXPECT_EQ(f->lbl_PS->text(), TextosIdioma(280));
    // With three windows its bottom is level with the print button's.
    EXPECT_EQ(f->lbl_PS->geometry().bottom(), f->pctimpresora->geometry().bottom());
}

TEST_F(WaveWindow, ClosingCountsDownAndTheLastBringsTheMenuBack)
{
    frmVerOndas* a = Open(1, 2);
    frmVerOndas* b = Open(3, 2);
    Ondas().CanalesVisibles(1) = 1;
    a->close();
    EXPECT_EQ(Ondas().NumVentanasOndas, 1);
    EXPECT_EQ(Ondas().CanalesVisibles(1), 0);
    EXPECT_EQ(Count("MostrarMenu"), 0);
    b->close();
    EXPECT_EQ(Ondas().NumVentanasOndas, 0);
    EXPECT_EQ(Count("MostrarMenu"), 1);
}

TEST_F(WaveWindow, ErrorBoxAndUnloadWhenTheLineFrequencyIsZero)
{
    Registro().FrecuenciaLinea = 0;
    ScopedMsgBoxRecorder boxes(vbOK);
    frmVerOndas* f = Open(1);
    EXPECT_TRUE(f->Descargada());
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().Style, vbCritical);
    EXPECT_TRUE(boxes.Last().Prompt.startsWith(QStringLiteral("Error 11: ")));
    EXPECT_EQ(Count("MostrarMenu"), 1);
}

} // namespace
} // namespace vesdra
