#include "analysis_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "analysis/phasor_sets.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "platform/twips.h"

namespace vesdra {
namespace {

using test::AnalysisFixture;

QColor Bgr(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

// The pixel at twips (x, y) of a view's picture.
QColor Pixel(const QImage& img, double x, double y)
{
    return img.pixelColor(static_cast<int>(std::lround(x / 15.0)), static_cast<int>(std::lround(y / 15.0)));
}

// Some pixel within one of twips (x, y) has the colour (lines snap to pixels).
bool ColorCerca(const QImage& img, double x, double y, const QColor& color)
{
    const auto px = static_cast<int>(std::lround(x / 15.0));
    const auto py = static_cast<int>(std::lround(y / 15.0));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.pixelColor(px + dx, py + dy) == color)
                return true;
    return false;
}

double Largo(const LineControl* l)
{
    return std::hypot(l->X2() - l->X1(), l->Y2() - l->Y1());
}

class ViewsTest : public AnalysisFixture
{
protected:
    // Both views of a balanced table side by side: set 1 in the phasor
    // view, sets 1 and 3 in the sequence view.
    std::pair<frmFases*, frmSecuencias*> AbrirPareja()
    {
        TablaEquilibrada();
        Elegir({1, 1, 0}, {1, 0, 1}, 2);
        EXPECT_TRUE(CargarFases());
        EXPECT_TRUE(CargarSecuencias());
        return {Fases(), Secuencias()};
    }
};

TEST_F(ViewsTest, PhasorViewOfOneSetDrawsItsThreePhasesFromTheCentre)
{
    TablaEquilibrada();
    Elegir({1, 1, 0}, {0, 0, 0}, 1);
    ScopedMsgBoxRecorder cajas;
    ASSERT_TRUE(CargarFases());
    frmFases* f = Fases();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->property("Tag").toString(), "1");
    EXPECT_EQ(f->windowTitle(), "T69");
    EXPECT_TRUE(f->Listo());
    EXPECT_EQ(cajas.Count(), 0);

    // The first position is the last lead-in row, read out as 1; one cycle
    // per large step; the bar stops one row before the last.
    EXPECT_EQ(f->HScroll1->Min(), 5 * kN);
    EXPECT_EQ(f->HScroll1->Value(), 5 * kN);
    EXPECT_EQ(f->HScroll1->Max(), 5 * kN + 200 - 1);
    EXPECT_EQ(f->HScroll1->LargeChange(), kN);
    EXPECT_EQ(f->lblNumero->text(), "Ventana 1");
    EXPECT_EQ(f->lblzoom->text(), "+/-: 0");

    // Value rows 4..6 hold the first set; rows 1..3 are empty with one set.
    EXPECT_EQ(f->Valores[3]->text(), "VA: 100. @ 0kV");
    EXPECT_EQ(f->Valores[4]->text(), "VB: 100. @ 240.kV");
    EXPECT_EQ(f->Valores[5]->text(), "VC: 100. @ 120.kV");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(f->Valores[static_cast<size_t>(i)]->text().isEmpty());
    for (int i = 3; i < 6; ++i)
        EXPECT_FALSE(f->Lineas[static_cast<size_t>(i)]->Visible());

    // The largest magnitude reaches the nearer edge: radius / 100 per unit.
    const double radio = std::min(f->Picture1->Width(), f->Picture1->Height()) / 2.0;
    EXPECT_FLOAT_EQ(f->EscalaBase(), static_cast<float>(radio / 100.0));
    const LineControl* va = f->Lineas[0];
    EXPECT_DOUBLE_EQ(va->X1(), f->CentroX());
    EXPECT_DOUBLE_EQ(va->Y1(), f->CentroY());
    EXPECT_NEAR(va->X2() - va->X1(), radio, 0.01);
    EXPECT_NEAR(va->Y2(), va->Y1(), 0.01);
    // VC at +120° points up and to the left.
    EXPECT_LT(f->Lineas[2]->X2(), f->CentroX());
    EXPECT_LT(f->Lineas[2]->Y2(), f->CentroY());

    const QImage img = f->RenderImage();
    EXPECT_TRUE(
        ColorCerca(img, f->CentroX() + radio / 2, f->CentroY(), Bgr(0xFF0000))); // blue VA over the axis
    EXPECT_FALSE(ColorCerca(img, f->CentroX() + radio * 1.5, f->CentroY(), Bgr(0xFF0000)));
    EXPECT_TRUE(ColorCerca(img, f->CentroX(), f->CentroY() / 2, Bgr(0xFFFFFF))); // vertical axis
    EXPECT_TRUE(
        ColorCerca(img, f->CentroX() - radio / 4, f->CentroY() - radio * 0.433, Bgr(0x0000FF))); // red VC
    EXPECT_EQ(Pixel(img, f->CentroX() / 4, f->CentroY() / 4), Bgr(0x808080)); // grey ground
}

TEST_F(ViewsTest, ASetWithoutChannel1FillsTheDiagram)
{
    // Channel 1 reads 100; the current set (channels 4..6) at most 30.
    TablaEquilibrada();
    Elegir({1, 0, 1}, {0, 0, 0}, 1);
    ASSERT_TRUE(CargarFases());
    const frmFases* f = Fases();
    const double radio = std::min(f->Picture1->Width(), f->Picture1->Height()) / 2.0;
    EXPECT_FLOAT_EQ(f->EscalaBase(), static_cast<float>(radio / 30.0));
    EXPECT_NEAR(Largo(f->Lineas[2]), radio, 0.01); // IC, 30 A, reaches the edge
}

TEST_F(ViewsTest, PhasorViewScalesEachSetByItsFactor)
{
    TablaConstante({{{10, 0}, {10, 0}, {10, 0}, {0, 10}, {0, 10}, {0, 10}}});
    // Fault 5: the factor is read as every number is ("2,5" is 2.5) and an
    // empty factor counts as 1.
    Plantillas().TablaTrifasicos(1, 5) = QString();
    Plantillas().TablaTrifasicos(2, 5) = QStringLiteral("2,5");
    Elegir({2, 1, 1}, {0, 0, 0}, 1);
    ASSERT_TRUE(CargarFases());
    const frmFases* f = Fases();
    EXPECT_NEAR(Largo(f->Lineas[3]), 2.5 * Largo(f->Lineas[0]), 0.01);
    EXPECT_TRUE(f->Lineas[3]->Visible());
    // The second set is drawn upwards; its value boxes show unscaled values.
    EXPECT_LT(f->Lineas[3]->Y2(), f->CentroY());
    EXPECT_EQ(f->Valores[0]->text(), "IA: 10. @ 90.A");
    EXPECT_EQ(f->Valores[3]->text(), "VA: 10. @ 0kV");
}

TEST_F(ViewsTest, AFactorThatIsNotANumberIsReportedAndDrawnAsOne)
{
    TablaConstante({{{10, 0}, {10, 0}, {10, 0}, {0, 10}, {0, 10}, {0, 10}}});
    Plantillas().TablaTrifasicos(1, 5) = QStringLiteral("1");
    Plantillas().TablaTrifasicos(2, 5) = QStringLiteral("dos");
    Elegir({2, 1, 1}, {0, 0, 0}, 1);
    ScopedMsgBoxRecorder cajas;
    ASSERT_TRUE(CargarFases());
    const frmFases* f = Fases();
    ASSERT_EQ(cajas.Count(), 1);
    EXPECT_EQ(cajas.Last().Prompt, "T110 CORRIENTE: \"dos\"");
    EXPECT_EQ(cajas.Last().Style, vbExclamation);
    // Drawn, not reduced to a point.
    EXPECT_NEAR(Largo(f->Lineas[3]), Largo(f->Lineas[0]), 0.01);
    EXPECT_GT(Largo(f->Lineas[3]), 0.0);

    // The sequence view with both sets reports it too.
    Elegir({0, 0, 0}, {2, 1, 1}, 1);
    cajas.Clear();
    ASSERT_TRUE(CargarSecuencias());
    EXPECT_EQ(cajas.Count(), 1);

    // Opened together, both drawing that set: said once, not once per view.
    DescargarSecuencias();
    Procesar();
    Elegir({2, 1, 1}, {2, 1, 1}, 2);
    cajas.Clear();
    ASSERT_TRUE(CargarFases());
    ASSERT_TRUE(CargarSecuencias());
    EXPECT_EQ(cajas.Count(), 1);
    EXPECT_EQ(Secuencias()->FactorLinea(3), 1.0f) << "drawn as 1 all the same";

    const struct {
        const char* texto;
        bool numero;
        float valor;
    } casos[] = {{"2,5", true, 2.5f}, {" 3 ", true, 3.0f}, {"1e1", true, 10.0f}, {"", true, 1.0f},
                 {"-", false, 1.0f},  {"2x", false, 1.0f}, {"x2", false, 1.0f}};
    for (const auto& c : casos) {
        Plantillas().TablaTrifasicos(1, 5) = QString::fromLatin1(c.texto);
        const FactorSetLeido f = LeerFactorSet(1);
        EXPECT_EQ(f.EsNumero, c.numero) << c.texto;
        EXPECT_FLOAT_EQ(f.Valor, c.valor) << c.texto;
    }
}

TEST_F(ViewsTest, PhaseWithoutChannelRowShowsItsSetNameNotAnotherSetsCaption)
{
    TablaEquilibrada();
    // Fault 3: channel 5 and channel 1 lose their rows; each phase still
    // finds its own, and the missing ones show their set's name.
    Registro().TablaCanales(5, 1) = QStringLiteral("9");
    Registro().TablaCanales(1, 1) = QStringLiteral("9");
    Elegir({2, 1, 1}, {0, 0, 0}, 1);
    ScopedMsgBoxRecorder cajas;
    ASSERT_TRUE(CargarFases());
    const frmFases* f = Fases();
    EXPECT_EQ(cajas.Count(), 0);
    EXPECT_EQ(f->Valores[3]->text(), "TENSION: 100. @ 0");
    EXPECT_EQ(f->Valores[4]->text(), "VB: 100. @ 240.kV");
    EXPECT_EQ(f->Valores[0]->text(), "IA: 10. @ 0A");
    EXPECT_EQ(f->Valores[1]->text(), "CORRIENTE: 20. @ 90.");
    EXPECT_EQ(f->Valores[2]->text(), "IC: 30. @ 180.A");
}

TEST_F(ViewsTest, SequenceViewShowsTheSymmetricalComponentsOfTheChosenSets)
{
    TablaEquilibrada();
    Elegir({0, 0, 0}, {2, 1, 1}, 1);
    ASSERT_TRUE(CargarSecuencias());
    const frmSecuencias* s = Secuencias();
    EXPECT_EQ(s->property("Tag").toString(), "2");
    EXPECT_EQ(s->windowTitle(), "T70");
    ASSERT_NE(Analisis().ComponentesSecuencia, nullptr);
    EXPECT_EQ(Analisis().ComponentesSecuencia->Cols(), 12);
    // First set (TENSION) in the lower three rows, captioned by its first
    // channel with the sequence digit.
    EXPECT_EQ(s->Valores[3]->text(), "VA1: 99.999 @ 0kV");
    EXPECT_EQ(s->Valores[4]->text(), "VA2: .001 @ 0kV");
    EXPECT_EQ(s->Valores[5]->text(), "VA0: 0kV");
    EXPECT_EQ(s->Valores[2]->text().left(5), "IA0: ");
    EXPECT_EQ(s->lblNumero->text(), "Ventana 1");
    // The largest sequence phasor of the record reaches the edge.
    const double radio = std::min(s->Picture1->Width(), s->Picture1->Height()) / 2.0;
    EXPECT_NEAR(Largo(s->Lineas[0]), radio, 0.05);
    const QImage img = s->RenderImage();
    EXPECT_TRUE(
        ColorCerca(img, s->CentroX() + radio / 2, s->CentroY(), Bgr(0xFF0000))); // X1 of the first set
    EXPECT_FALSE(ColorCerca(img, s->CentroX() - radio / 2, s->CentroY(), Bgr(0xFF0000)));
    EXPECT_TRUE(ColorCerca(img, s->CentroX(), s->CentroY() + radio / 2, Bgr(0xFFFFFF)));
}

TEST_F(ViewsTest, SequenceViewWithOneSetIgnoresItsFactor)
{
    TablaEquilibrada();
    Plantillas().TablaTrifasicos(2, 5) = QStringLiteral("3");
    Elegir({0, 0, 0}, {1, 0, 1}, 1);
    ASSERT_TRUE(CargarSecuencias());
    const frmSecuencias* s = Secuencias();
    EXPECT_EQ(Analisis().ComponentesSecuencia->Cols(), 6);
    const double radio = std::min(s->Picture1->Width(), s->Picture1->Height()) / 2.0;
    const double mayor = std::max({Largo(s->Lineas[0]), Largo(s->Lineas[1]), Largo(s->Lineas[2])});
    EXPECT_NEAR(mayor, radio, 0.05);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(s->Lineas[static_cast<size_t>(i + 3)]->Visible());
        EXPECT_TRUE(s->Valores[static_cast<size_t>(i)]->text().isEmpty());
    }
    EXPECT_EQ(s->Valores[3]->text().left(5), "IA1: ");
}

TEST_F(ViewsTest, BothViewsShareTheWidthAndScrollTogether)
{
    const auto [f, s] = AbrirPareja();
    ASSERT_TRUE(f && s);
    EXPECT_EQ(FormWidthTwips(*f), FormWidthTwips(*s));
    EXPECT_NEAR(FormLeftTwips(*s), FormWidthTwips(*f), 15);
    EXPECT_EQ(FormLeftTwips(*f), 0);

    f->HScroll1->SetValue(5 * kN + 37);
    EXPECT_EQ(s->HScroll1->Value(), 5 * kN + 37);
    EXPECT_EQ(s->lblNumero->text(), "Ventana 38");
    s->HScroll1->SetValue(5 * kN + 3);
    EXPECT_EQ(f->HScroll1->Value(), 5 * kN + 3);
    EXPECT_EQ(f->lblNumero->text(), "Ventana 4");
}

TEST_F(ViewsTest, ScrollBarsTakeTheFocusAndScrollBothViewsByKeyboard)
{
    const auto [f, s] = AbrirPareja();
    ASSERT_TRUE(f && s);
    EXPECT_TRUE(f->HScroll1->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(s->HScroll1->focusPolicy() & Qt::TabFocus);
    const auto pulsar = [](QWidget* w, int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    };
    const std::int32_t inicio = f->HScroll1->Value();
    pulsar(f->HScroll1, Qt::Key_Right);
    EXPECT_EQ(f->HScroll1->Value(), inicio + f->HScroll1->SmallChange());
    EXPECT_EQ(s->HScroll1->Value(), f->HScroll1->Value()) << "the pair scrolls together";
    pulsar(s->HScroll1, Qt::Key_End);
    EXPECT_EQ(f->HScroll1->Value(), f->HScroll1->Max());
    pulsar(s->HScroll1, Qt::Key_PageUp);
    EXPECT_EQ(f->HScroll1->Value(), f->HScroll1->Max() - f->HScroll1->LargeChange());
    pulsar(f->HScroll1, Qt::Key_Home);
    EXPECT_EQ(s->HScroll1->Value(), s->HScroll1->Min());
    EXPECT_EQ(f->lblNumero->text(), s->lblNumero->text());
}

// Fault 2: after the phasor view of a pair closed, the sequence view's
// scroll bar moves it alone.
TEST_F(ViewsTest, LinkedScrollStopsWhenThePartnerIsClosed)
{
    TablaEquilibrada();
    Elegir({1, 1, 0}, {1, 1, 0}, 2);
    ASSERT_TRUE(CargarFases());
    ASSERT_TRUE(CargarSecuencias());
    DescargarFases();
    Procesar();
    ASSERT_EQ(Fases(), nullptr);
    frmSecuencias* s = Secuencias();
    ScopedMsgBoxRecorder cajas;
    s->HScroll1->SetValue(5 * kN + 10);
    EXPECT_EQ(s->lblNumero->text(), "Ventana 11");
    EXPECT_EQ(Fases(), nullptr);
    EXPECT_EQ(cajas.Count(), 0);
}

TEST_F(ViewsTest, ZoomStepsOf125KeepTheValues)
{
    TablaEquilibrada();
    Elegir({1, 1, 0}, {0, 0, 0}, 1);
    ASSERT_TRUE(CargarFases());
    frmFases* f = Fases();
    const double base = Largo(f->Lineas[0]);
    const QString valor = f->Valores[3]->text();
    for (int i = 0; i < 3; ++i)
        f->cmdmas_Click();
    EXPECT_EQ(f->Zoom(), 1.953125f);
    EXPECT_EQ(f->lblzoom->text(), "+/-: 3");
    EXPECT_NEAR(Largo(f->Lineas[0]), base * 1.953125, 0.05);
    EXPECT_EQ(f->Valores[3]->text(), valor);
    for (int i = 0; i < 5; ++i)
        f->cmdmenos_Click();
    EXPECT_EQ(f->PasoZoom(), -2);
    EXPECT_EQ(f->Zoom(), 0.64f);
    EXPECT_EQ(f->lblzoom->text(), "+/-: -2");
}

// Fault 4: zooming in until the drawing overflows shows text 144, steps
// back to the last zoom that fitted, draws it, and the view keeps working.
TEST_F(ViewsTest, ZoomOverflowRestoresTheLastGoodZoomAndStaysUsable)
{
    TablaEquilibrada();
    Elegir({0, 0, 0}, {1, 1, 0}, 1);
    ASSERT_TRUE(CargarSecuencias());
    frmSecuencias* s = Secuencias();
    ScopedMsgBoxRecorder cajas;
    int pasos = 0;
    while (cajas.Count() == 0 && pasos < 200) {
        s->cmdmas_Click();
        ++pasos;
    }
    ASSERT_EQ(cajas.Count(), 1);
    EXPECT_EQ(cajas.Last().Prompt, "T144");
    EXPECT_EQ(cajas.Last().Style, vbOKOnly);
    EXPECT_EQ(s->PasoZoom(), pasos - 1);
    EXPECT_EQ(s->Zoom(), FactorZoomPaso(pasos - 1));
    EXPECT_EQ(s->lblzoom->text(), QStringLiteral("+/-: %1").arg(pasos - 1));
    EXPECT_TRUE(s->Listo());
    EXPECT_NEAR(Largo(s->Lineas[0]) / FactorZoomPaso(pasos - 1),
                std::min(s->Picture1->Width(), s->Picture1->Height()) / 2.0, 1.0);
    (void)s->RenderImage();

    s->HScroll1->SetValue(5 * kN + 5);
    EXPECT_EQ(s->lblNumero->text(), "Ventana 6");
    s->cmdmenos_Click();
    EXPECT_EQ(s->PasoZoom(), pasos - 2);
    EXPECT_EQ(cajas.Count(), 1);
}

// A row too long to draw at this zoom shows its values and its number
// without lines, and the view scrolls on; text 145 is said once, the first
// time, not at every row that cannot be drawn.
TEST_F(ViewsTest, AScrollIntoARowTooLongToDrawShowsItsValuesWithoutLines)
{
    TablaReal t(5 * kN + 100, 12, 1.0f);
    const std::int32_t pico = 5 * kN + 10;
    t(pico, 1) = 1.0e6f;
    Analisis().Fasores = std::make_shared<const TablaReal>(std::move(t));
    Analisis().MuestrasCicloDFT = kN;
    Elegir({1, 1, 0}, {0, 0, 0}, 1);
    ASSERT_TRUE(CargarFases());
    frmFases* f = Fases();
    ScopedMsgBoxRecorder cajas;
    for (int i = 0; i < 62; ++i) // far in, yet ordinary rows still fit
        f->cmdmas_Click();
    ASSERT_EQ(cajas.Count(), 0);
    f->HScroll1->SetValue(pico);
    ASSERT_EQ(cajas.Count(), 1);
    EXPECT_EQ(cajas.Last().Prompt, "T145");
    EXPECT_EQ(cajas.Last().Style, vbOKOnly);
    EXPECT_EQ(f->lblNumero->text(), "Ventana 11");
    EXPECT_TRUE(f->Valores[3]->text().startsWith("VA: 1000000.")) << f->Valores[3]->text().toStdString();
    EXPECT_FALSE(f->Lineas[0]->Visible());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(f->Lineas[static_cast<size_t>(i)]->Visible());
    f->HScroll1->SetValue(pico + 1);
    EXPECT_EQ(f->lblNumero->text(), "Ventana 12");
    EXPECT_TRUE(f->Lineas[0]->Visible());
    EXPECT_EQ(f->Valores[3]->text(), "VA: 1.414 @ 45.kV");
    f->HScroll1->SetValue(pico);
    EXPECT_EQ(f->lblNumero->text(), "Ventana 11");
    EXPECT_FALSE(f->Lineas[0]->Visible());
    EXPECT_EQ(cajas.Count(), 1) << "said once for the view's opening";
}

// The repeat state of a scroll bar held down by the mouse.
struct Deslizador : QAbstractSlider {
    static auto Repeticion() { return &Deslizador::repeatAction; }
};
bool Pulsada(const ScrollBar* bar)
{
    return (bar->*Deslizador::Repeticion())() != QAbstractSlider::SliderNoAction;
}

// A point of a bar's track beyond its thumb: a click there pages right and
// repeats while the button is held.
QPoint PistaDerecha(const ScrollBar* bar)
{
    return {bar->width() - bar->height() - 3, bar->height() / 2};
}

// Paging by mouse into rows too long to draw at this zoom: both views of the
// pair page on together, showing those rows without lines, whichever view's
// bar was clicked; text 145 is said at the first click only (its box lets
// go of the bar, which pages no further behind it), once for both views.
TEST_F(ViewsTest, PageClicksIntoRowsTooLongToDrawPageBothViewsAndSayItOnce)
{
    TablaReal t(5 * kN + 200, 12, 1.0f);
    for (std::int32_t r = 5 * kN + 1; r <= t.Rows(); ++r)
        t(r, 1) = 1.0e6f; // every row past the first is huge
    Analisis().Fasores = std::make_shared<const TablaReal>(std::move(t));
    Analisis().MuestrasCicloDFT = kN;
    Elegir({2, 1, 1}, {1, 1, 0}, 2);
    ASSERT_TRUE(CargarFases());
    ASSERT_TRUE(CargarSecuencias());
    frmFases* f = Fases();
    frmSecuencias* s = Secuencias();
    ScopedMsgBoxRecorder cajas;
    for (int i = 0; i < 62; ++i) // far in, yet the first row still fits
        f->cmdmas_Click();
    ASSERT_EQ(cajas.Count(), 0);
    std::int32_t fila = 5 * kN;
    const auto juntas = [&](const char* tras) {
        const QString numero = QStringLiteral("Ventana %1").arg(fila - 5 * kN + 1);
        for (const VistaFasorial* v :
             {static_cast<const VistaFasorial*>(f), static_cast<const VistaFasorial*>(s)}) {
            EXPECT_EQ(v->HScroll1->Value(), fila) << tras;
            EXPECT_EQ(v->FilaMostrada(), fila) << tras;
            EXPECT_EQ(v->lblNumero->text(), numero) << tras;
        }
        EXPECT_TRUE(f->Valores[3]->text().startsWith("VA: 1000000.")) << tras;
        EXPECT_FALSE(f->Lineas[0]->Visible()) << tras;
    };

    for (ScrollBar* bar : {static_cast<ScrollBar*>(f->HScroll1), static_cast<ScrollBar*>(s->HScroll1)}) {
        const bool primera = bar == f->HScroll1;
        QTest::mousePress(bar, Qt::LeftButton, {}, PistaDerecha(bar));
        fila += kN;
        if (primera) {
            // The box came up during the press and let go of the bar.
            EXPECT_EQ(cajas.Count(), 1);
            EXPECT_EQ(cajas.Last().Prompt, "T145");
            EXPECT_FALSE(Pulsada(bar));
        }
        juntas(primera ? " (phasor bar)" : " (sequence bar)");
        QTest::mouseRelease(bar, Qt::LeftButton, {}, PistaDerecha(bar));
        Procesar();
        juntas(" after the release");
    }
    EXPECT_EQ(cajas.Count(), 1);
    // Zoomed out step by step, the row stays without lines, silently, until
    // a step fits.
    for (int i = 0; i < 62; ++i)
        f->cmdmenos_Click();
    EXPECT_EQ(f->PasoZoom(), 0);
    EXPECT_TRUE(f->Lineas[0]->Visible());
    EXPECT_EQ(cajas.Count(), 1);
    QTest::mouseClick(f->HScroll1, Qt::LeftButton, {}, PistaDerecha(f->HScroll1));
    fila += kN;
    EXPECT_EQ(s->FilaMostrada(), fila);
    EXPECT_EQ(s->lblNumero->text(), "Ventana 61");
}

// A set whose drawing factor is absurd (1e30 in its template): the overflow
// is said once, at loading; the view scrolls through the record by mouse and
// keys, its values and number reading each row; a zoom step in is refused
// with its box, one out is taken.
TEST_F(ViewsTest, AnAbsurdSetFactorIsSaidOnceAndTheViewScrollsThroughTheRecord)
{
    TablaEquilibrada();
    Plantillas().TablaTrifasicos(1, 5) = QStringLiteral("1e30");
    Elegir({1, 1, 0}, {0, 0, 0}, 1);
    ScopedMsgBoxRecorder cajas;
    ASSERT_TRUE(CargarFases());
    frmFases* f = Fases();
    ASSERT_EQ(cajas.Count(), 1);
    EXPECT_EQ(cajas.Last().Prompt, "T144");
    EXPECT_EQ(f->lblNumero->text(), "Ventana 1");
    EXPECT_EQ(f->Valores[3]->text(), "VA: 100. @ 0kV");
    EXPECT_FALSE(f->Lineas[0]->Visible());
    QTest::mousePress(f->HScroll1, Qt::LeftButton, {}, PistaDerecha(f->HScroll1));
    QTest::mouseRelease(f->HScroll1, Qt::LeftButton, {}, PistaDerecha(f->HScroll1));
    Procesar();
    EXPECT_EQ(f->HScroll1->Value(), 5 * kN + kN);
    EXPECT_EQ(f->lblNumero->text(), "Ventana 21");
    QTest::keyClick(f->HScroll1, Qt::Key_Right);
    EXPECT_EQ(f->lblNumero->text(), "Ventana 22");
    QTest::keyClick(f->HScroll1, Qt::Key_End);
    EXPECT_EQ(f->HScroll1->Value(), f->HScroll1->Max());
    EXPECT_EQ(f->Valores[4]->text(), "VB: 100. @ 240.kV");
    EXPECT_FALSE(f->Lineas[0]->Visible());
    EXPECT_EQ(cajas.Count(), 1);
    f->cmdmas_Click();
    EXPECT_EQ(cajas.Count(), 2) << "one box for the step in, none for the step back";
    EXPECT_EQ(cajas.Last().Prompt, "T144");
    EXPECT_EQ(f->PasoZoom(), 0);
    f->cmdmenos_Click();
    EXPECT_EQ(cajas.Count(), 2);
    EXPECT_EQ(f->PasoZoom(), -1);
    EXPECT_EQ(f->lblzoom->text(), "+/-: -1");
}

// The two views opened together, both drawing a set of an absurd factor:
// the overflow is said once for both, and they scroll together by keys and
// mouse through rows shown without lines.
TEST_F(ViewsTest, APairWithAnAbsurdSetFactorSaysItOnceAndScrollsTogether)
{
    TablaEquilibrada();
    Plantillas().TablaTrifasicos(1, 5) = QStringLiteral("1e30");
    // The sequence view draws both sets, so the factor scales its lines too.
    Elegir({1, 1, 0}, {2, 1, 1}, 2);
    ScopedMsgBoxRecorder cajas;
    ASSERT_TRUE(CargarFases());
    ASSERT_TRUE(CargarSecuencias());
    frmFases* f = Fases();
    frmSecuencias* s = Secuencias();
    ASSERT_EQ(cajas.Count(), 1);
    EXPECT_EQ(cajas.Last().Prompt, "T144");
    EXPECT_FALSE(f->Lineas[0]->Visible());
    EXPECT_FALSE(s->Lineas[0]->Visible());
    QTest::keyClick(f->HScroll1, Qt::Key_Right);
    EXPECT_EQ(s->lblNumero->text(), "Ventana 2");
    QTest::mouseClick(s->HScroll1, Qt::LeftButton, {}, PistaDerecha(s->HScroll1));
    EXPECT_EQ(f->lblNumero->text(), "Ventana 22");
    EXPECT_EQ(s->lblNumero->text(), "Ventana 22");
    EXPECT_EQ(f->Valores[3]->text(), "VA: 100. @ 0kV");
    EXPECT_EQ(cajas.Count(), 1);
}

TEST_F(ViewsTest, ClosingThePairBringsTheMenuBackOnlyAfterTheSecond)
{
    for (const bool fasesPrimero : {true, false}) {
        TablaEquilibrada();
        Elegir({1, 1, 0}, {1, 1, 0}, 2);
        ASSERT_TRUE(CargarFases());
        ASSERT_TRUE(CargarSecuencias());
        menuMostrado = 0;
        if (fasesPrimero)
            DescargarFases();
        else
            DescargarSecuencias();
        EXPECT_EQ(menuMostrado, 0);
        EXPECT_TRUE(fasesPrimero ? Analisis().FasesCerrada : Analisis().SecuenciasCerrada);
        if (fasesPrimero)
            DescargarSecuencias();
        else
            DescargarFases();
        EXPECT_EQ(menuMostrado, 1);
        EXPECT_FALSE(Analisis().FasesCerrada);
        EXPECT_FALSE(Analisis().SecuenciasCerrada);
        Procesar();
    }

    Elegir({1, 1, 0}, {0, 0, 0}, 1);
    ASSERT_TRUE(CargarFases());
    menuMostrado = 0;
    DescargarFases();
    EXPECT_EQ(menuMostrado, 1);
}

TEST_F(ViewsTest, CloseButtonUnloadsBothViewsOfAPair)
{
    TablaEquilibrada();
    Elegir({1, 1, 0}, {1, 1, 0}, 2);
    ASSERT_TRUE(CargarFases());
    ASSERT_TRUE(CargarSecuencias());
    // The close command resets ModoVistas; the open pair still closes as one.
    CerrarRegistroFasores();
    CerrarVistaSecuenciasBoton();
    EXPECT_EQ(Fases(), nullptr);
    EXPECT_EQ(Secuencias(), nullptr);
    EXPECT_GE(menuMostrado, 1);
}

// Fault 6: a view made very small lays out with sizes clamped at zero.
TEST_F(ViewsTest, TinyViewLaysOutWithoutNegativeSizes)
{
    TablaEquilibrada();
    Elegir({1, 1, 0}, {0, 0, 0}, 1);
    ASSERT_TRUE(CargarFases());
    frmFases* f = Fases();
    ScopedMsgBoxRecorder cajas;
    SetFormSizeTwips(*f, 600, 900);
    f->Form_Resize();
    EXPECT_EQ(cajas.Count(), 0);
    EXPECT_EQ(f->Valores[0]->width(), 0);
    EXPECT_TRUE(f->Listo());
    (void)f->RenderImage();
}

// Fault 6: more than 32767 rows.
TEST_F(ViewsTest, LongRecordsScrollToTheirLastRow)
{
    TablaConstante({{{1, 0}, {0, 1}, {-1, 0}, {1, 1}, {1, -1}, {-1, -1}}}, 50000);
    Elegir({1, 1, 0}, {1, 0, 1}, 2);
    ASSERT_TRUE(CargarFases());
    ASSERT_TRUE(CargarSecuencias());
    frmFases* f = Fases();
    EXPECT_EQ(f->HScroll1->Max(), 5 * kN + 50000 - 1);
    f->HScroll1->SetValue(f->HScroll1->Max());
    EXPECT_EQ(f->lblNumero->text(), "Ventana 50000");
    EXPECT_EQ(Secuencias()->lblNumero->text(), "Ventana 50000");
}

// The print button calls the printout installed when it is pressed, with the
// view it belongs to; without one installed it stays hidden.
TEST_F(ViewsTest, PrintButtonCallsThePrintoutInstalledWhenPressed)
{
    TablaEquilibrada();
    Elegir({1, 1, 0}, {1, 1, 0}, 2);
    ASSERT_TRUE(CargarFases());
    EXPECT_TRUE(Fases()->pctimpresora->isHidden());

    std::vector<std::string> llamadas;
    InstalarImpresionFases([&](frmFases& v) { llamadas.push_back(&v == Fases() ? "fases" : "?"); });
    InstalarImpresionSecuencias(
        [&](frmSecuencias& v) { llamadas.push_back(&v == Secuencias() ? "secuencias" : "?"); });
    ASSERT_TRUE(CargarFases());
    ASSERT_TRUE(CargarSecuencias());
    EXPECT_FALSE(Fases()->pctimpresora->isHidden());
    Fases()->pctimpresora->click();
    Secuencias()->pctimpresora->click();
    InstalarImpresionFases([&](frmFases&) { llamadas.push_back("otra"); });
    Fases()->pctimpresora->click();
    InstalarImpresionFases({});
    InstalarImpresionSecuencias({});
    EXPECT_EQ(llamadas, (std::vector<std::string>{"fases", "secuencias", "otra"}));
}

TEST_F(ViewsTest, SetNamingAChannelOutsideTheTableOpensNoView)
{
    TablaEquilibrada();
    Plantillas().TablaTrifasicos(2, 3) = QStringLiteral("7");
    Elegir({1, 0, 1}, {1, 0, 1}, 2);
    ScopedMsgBoxRecorder cajas;
    EXPECT_FALSE(CargarFases());
    EXPECT_FALSE(CargarSecuencias());
    EXPECT_EQ(Fases(), nullptr);
    EXPECT_EQ(Secuencias(), nullptr);
    ASSERT_EQ(cajas.Count(), 2);
    EXPECT_EQ(cajas.Last().Style, vbCritical);
    EXPECT_TRUE(cajas.Last().Prompt.startsWith("Error 9: "));
}

} // namespace
} // namespace vesdra
