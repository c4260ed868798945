#include "views/waves/frm_todo_analog.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/colors.h"
#include "platform/base/readout_fit.h"
#include "platform/line_control.h"
#include "platform/messages.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "views/waves/waves_draw.h"
#include "views/waves/waves_layout.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

class StackedView : public test::WavesFixture
{
protected:
    frmTodoanalog* Open(std::initializer_list<std::int32_t> rows)
    {
        Ondas().CanalesVisibles.Resize(Registro().NumAnalogicos);
        for (std::int32_t k : rows)
            Ondas().CanalesVisibles(k) = 1;
        frmTodoanalog* t = CargarTodoAnalog();
        if (t)
            t->show();
        return t;
    }
    static QRgb Rgb(std::uint32_t bgr) { return 0xFF000000u | BgrToRgb(bgr); }
    static int Px(double twips) { return static_cast<int>(std::floor(twips / 15.0 + 0.5)); }
    // Topmost pixel row of a colour within a pixel column range.
    static int TopRow(const QImage& img, QRgb colour, int x0, int x1)
    {
        for (int y = 0; y < img.height(); ++y)
            for (int x = x0; x < x1; ++x)
                if (img.pixel(x, y) == colour)
                    return y;
        return -1;
    }
};

TEST_F(StackedView, BandsReadoutsAndBoxes)
{
    frmTodoanalog* t = Open({2, 1});
    ASSERT_TRUE(t);
    EXPECT_EQ(t->windowTitle(), TextosIdioma(31));
    EXPECT_EQ(t->NumBandas, 2);
    for (int k = 1; k <= 16; ++k)
        EXPECT_EQ(t->lblet[static_cast<size_t>(k)]->isVisibleTo(t), k <= 4) << k;
    // Bands in row order, both boxes at sample 1.
    EXPECT_EQ(t->lblet[1]->text(), QStringLiteral("IA: 0.000 A"));
    EXPECT_EQ(t->lblet[4]->text(), QStringLiteral("VA: 50.000 kV"));
    EXPECT_EQ(t->lblam->text(), QStringLiteral("No.= 1"));
    EXPECT_EQ(t->lblms->text(), QStringLiteral("0.000 ms"));
    // The boxes of band 2 sit on its zero line.
    const Banda b2 = GeometriaBanda(t->Picture1->Height(), 2, 2);
    EXPECT_NEAR(t->lblet[3]->geometry().bottom() + 1, Px(b2.CeroY), 1);
    EXPECT_NEAR(t->lblet[4]->geometry().top(), Px(b2.CeroY), 1);
    EXPECT_EQ(t->HScroll_Nombres->Max(), QStringLiteral("VA: 50.000 kV").size());
}

// Both cursors' boxes are rewritten on every cursor move, mostly with the
// text they already hold: each must still show the beginning of a long name.
TEST_F(StackedView, ReadoutsLongerThanTheirBoxesShowTheirBeginningAfterEveryRewrite)
{
    Registro().TablaCanales(2, 2) = QStringLiteral("VA LINEA NORTE 66 kV BARRA 2");
    frmTodoanalog* t = Open({2});
    ASSERT_TRUE(t);
    t->HScroll2->SetValue(100);
    t->HScroll1->SetValue(100);
    for (int k = 1; k <= 2; ++k) {
        QLineEdit* caja = t->lblet[static_cast<size_t>(k)];
        ASSERT_GT(caja->fontMetrics().horizontalAdvance(caja->text()), caja->width()) << k;
        EXPECT_EQ(caja->cursorPosition(), 0)
            << "box " << k << " shows the end of " << caja->text().toStdString();
    }
}

TEST_F(StackedView, CurrentAndVoltageBandsShareOneScale)
{
    // IA peaks at 100 A, DC reaches 200 V: after the build both are drawn
    // against 200, so IA's peak stands at a quarter of its band, not half.
    frmTodoanalog* t = Open({1, 3});
    ASSERT_TRUE(t);
    const QImage img = t->Picture1->Image();
    const double h = t->Picture1->Height();
    const Banda b1 = GeometriaBanda(h, 2, 1);
    const double ky = EscalaYBanda(b1.Alto, 200);
    const int expected = Px(b1.CeroY - ky * 100);
    const int top = TopRow(img, Rgb(QBColor(NumeroColorCanal(1))), 10, img.width() - 10);
    EXPECT_NEAR(top, expected, 1);
}

TEST_F(StackedView, CursorsReadEveryBand)
{
    frmTodoanalog* t = Open({1, 2});
    ASSERT_TRUE(t);
    const QImage kept = t->Picture1->Image().copy();
    t->HScroll1->SetValue(120);
    t->HScroll2->SetValue(100);
    EXPECT_EQ(t->Picture1->Image(), kept) << "a cursor move redrew the bands";
    EXPECT_EQ(t->lblms->text(), QStringLiteral("20.000 ms"));
    EXPECT_EQ(t->TextoTiempo, t->lblms->text());
    EXPECT_EQ(t->lblam->text(), QStringLiteral("No.= 120"));
    EXPECT_EQ(t->lblci->text(), QStringLiteral("No.= 100"));
    EXPECT_EQ(t->lblet[1]->text(),
              QStringLiteral("IA: ") + Format(Registro().Valores(120, 1), "0.000") + " A");
    EXPECT_EQ(t->lblet[2]->text(),
              QStringLiteral("IA: ") + Format(Registro().Valores(100, 1), "0.000") + " A");
    EXPECT_DOUBLE_EQ(t->lnam->X1(), AjustarAPixelX(t->Vista.XDeMuestra(120)));
}

TEST_F(StackedView, SpanZoomHistoryAndRefusals)
{
    frmTodoanalog* t = Open({1});
    ASSERT_TRUE(t);
    ScopedMsgBoxRecorder boxes;
    t->cmdzoom_Click(); // both cursors on sample 1
    EXPECT_EQ(boxes.Last().Prompt, TextosIdioma(76));
    EXPECT_EQ(t->Historial.Count(), 1);

    t->HScroll1->SetValue(300);
    t->HScroll2->SetValue(100);
    t->cmdzoom_Click();
    EXPECT_EQ(t->Vista.Primera, 100);
    EXPECT_EQ(t->Vista.Ultima, 300);
    EXPECT_EQ(t->HScroll1->Min(), 100);
    EXPECT_EQ(t->HScroll1->Max(), 300);
    EXPECT_EQ(t->HScroll1->Value(), 100);
    EXPECT_EQ(t->HScroll2->Value(), 100);
    EXPECT_EQ(t->lblms->text(), QStringLiteral("0.000 ms"));
    EXPECT_EQ(t->Historial.Position(), 1);

    // The trace reaches the cursor line of the span's last sample.
    t->HScroll1->SetValue(300);
    const int col = Px(t->lnam->X1());
    const QImage img = t->Picture1->Image();
    EXPECT_EQ(col, Px(t->Picture1->Width() - 100));
    EXPECT_GE(TopRow(img, Rgb(QBColor(NumeroColorCanal(1))), col, col + 1), 0);

    t->cmdadel_Click();
    EXPECT_EQ(boxes.Last().Prompt, TextosIdioma(79));
    EXPECT_EQ(boxes.Last().Style, vbCritical);
    t->cmdatras_Click();
    EXPECT_EQ(t->Vista.Ultima, 2000);
    EXPECT_EQ(t->HScroll2->Max(), 2000);
    t->cmdatras_Click();
    EXPECT_EQ(boxes.Last().Prompt, TextosIdioma(84));
    EXPECT_EQ(boxes.Last().Style, vbInformation);
    t->cmdadel_Click();
    EXPECT_EQ(t->Vista.Primera, 100);
    EXPECT_FALSE(t->isHidden());
}

TEST_F(StackedView, ResizeAfterAZoomDrawsTheWholeRecordAndKeepsTheHistory)
{
    frmTodoanalog* t = Open({1});
    ASSERT_TRUE(t);
    t->HScroll1->SetValue(500);
    t->HScroll2->SetValue(900);
    t->cmdzoom_Click();
    t->HScroll2->SetValue(700);
    t->resize(t->width() - 80, t->height() - 40);
    t->Form_Resize();
    EXPECT_EQ(t->Vista.Primera, 1);
    EXPECT_EQ(t->Vista.Ultima, 2000);
    EXPECT_DOUBLE_EQ(t->Vista.EscalaX, (t->Picture1->Width() - 150.0) / 2000);
    EXPECT_EQ(t->Historial.Count(), 2);
    EXPECT_EQ(t->Historial.Position(), 1);
    EXPECT_EQ(t->HScroll2->Min(), 500);
    EXPECT_EQ(t->HScroll2->Value(), 700);
    // The cursor lines stand on the samples they read in the whole record.
    EXPECT_DOUBLE_EQ(t->lnci->X1(), AjustarAPixelX(t->Vista.XDeMuestra(700)));
    // A stored level is replayed over the picture as it is now.
    t->cmdatras_Click();
    t->cmdadel_Click();
    EXPECT_EQ(t->Vista.Primera, 500);
    EXPECT_DOUBLE_EQ(t->Vista.XDeMuestra(900), t->Picture1->Width() - 100.0);
}

TEST_F(StackedView, NamesScrollSidewaysAndAClickRestoresABox)
{
    frmTodoanalog* t = Open({1, 2});
    ASSERT_TRUE(t);
    t->HScroll_Nombres->SetValue(3);
    EXPECT_EQ(t->lblet[4]->text(), QStringLiteral(" 50.000 kV"));
    t->lblet_Click(4);
    EXPECT_EQ(t->lblet[4]->text(), QStringLiteral("VA: 50.000 kV"));
    EXPECT_EQ(t->HScroll_Nombres->Value(), 3);
}

TEST_F(StackedView, IndicatorOf1997AndClosing)
{
    MakeRecord(300, 1000, "1997");
    frmTodoanalog* t = Open({1});
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->lbl_PS->isVisibleTo(t));
    // No side chosen yet: the side the record holds in force, never a blank.
    EXPECT_EQ(t->lbl_PS->text(), TextosIdioma(279));
    t->close();
    EXPECT_EQ(Count("MostrarMenu"), 1);
    EXPECT_EQ(TodoAnalog(), nullptr);
}

TEST_F(StackedView, AFailedBuildLeavesNoView)
{
    Registro().FrecuenciaLinea = 0;
    Ondas().CanalesVisibles.Resize(3);
    Ondas().CanalesVisibles(1) = 1;
    ScopedMsgBoxRecorder boxes;
    EXPECT_EQ(CargarTodoAnalog(), nullptr);
    EXPECT_TRUE(boxes.Last().Prompt.startsWith(QStringLiteral("Error 11: ")));
    EXPECT_EQ(TodoAnalog(), nullptr);
    EXPECT_GE(Count("MostrarMenu"), 1);
}

TEST_F(StackedView, ReadoutsAreWholeAtEveryScreenSize)
{
    MakeRecord(100000, 1000, "1997");
    RecordModel& r = Registro();
    ASSERT_TRUE(ElegirLado(r, Lado::Secundario));
    for (std::int32_t s = 1; s <= r.NumMuestras(); ++s)
        r.Valores(s, 2) = s == 777 ? -46.678f : 1.0f;
    for (const auto& [ancho, alto] : {std::pair{800, 600}, std::pair{1280, 1024}, std::pair{1920, 1080}}) {
        SCOPED_TRACE(std::to_string(ancho) + " x " + std::to_string(alto));
        Screen() = ScreenInfo{ancho * 15, alto * 15, 15, 15};
        frmTodoanalog* t = Open({1, 2, 3});
        ASSERT_TRUE(t);
        t->HScroll1->SetValue(777);
        t->HScroll2->SetValue(r.NumMuestras());
        EXPECT_EQ(t->lblet[3]->text(), QStringLiteral("VA: -46.678 kV"));
        EXPECT_EQ(t->lblms->text(), QStringLiteral("99223.000 ms"));
        for (QLineEdit* caja : {t->lblam, t->lblci, t->lblms, t->lbl_PS})
            EXPECT_TRUE(test::TextoEnteroEnCaja(*caja)) << caja->text().toStdString();
        // A band's box shows its name and its value whole, on one line or,
        // at the waveform windows' size, over two.
        for (std::int32_t k = 1; k <= 6; ++k) {
            ElidedLineEdit& caja = *t->lblet[static_cast<size_t>(k)];
            const QString texto = caja.text();
            const qsizetype dos = texto.lastIndexOf(QStringLiteral(": "));
            const QString nombre = texto.left(dos);
            const QString valor = texto.mid(dos + 2);
            EXPECT_TRUE(test::LecturaConValorEntero(caja, nombre, valor));
            EXPECT_EQ(NameShown(caja.VisibleText().split(QLatin1Char('\n')), QStringLiteral(": "), valor),
                      nombre)
                << caja.VisibleText().toStdString();
        }
        EXPECT_EQ(t->lbl_PS->text(), TextosIdioma(280));
        EXPECT_LE(t->lbl_PS->geometry().right(), t->width() - 1) << "inside the window";
        EXPECT_FALSE(t->lbl_PS->geometry().intersects(t->pctimpresora->geometry()));
        t->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
} // namespace vesdra
