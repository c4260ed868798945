#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "digital_fixture.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "platform/twips.h"
#include "record/record_model.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"
#include "views/digital/digital_services.h"
#include "views/digital/frm19.h"
#include "views/digital/frm_elecdig.h"

using namespace vesdra;
using namespace vesdra::digital;
using vesdra::test::DigitalFixture;

namespace {

const QColor kAzul(0, 0, 255);
const QColor kBlancoQ(255, 255, 255);
const QColor kAmarilloQ(255, 255, 0);
const QColor kCianQ(0, 255, 255);

// x and y of the view's geometry in picture pixels.
int Px(double twips)
{
    return vesdra::test::ColumnaPixel(twips);
}

} // namespace

using VistaDigital = DigitalFixture;

TEST_F(VistaDigital, GroupChoiceOpensTheViewInPlaceOfTheMenu)
{
    frm19* v = AbrirVista(2);
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->VistaCargada());
    EXPECT_EQ(v->property("Tag").toString(), "6");
    EXPECT_EQ(v->windowTitle(), "T47");
    // 1024 x 768 at 15 twips per pixel: the form takes the screen over 1.104
    // and 1.005, the picture the screen's width less 100.
    EXPECT_NEAR(FormHeightTwips(*v), 11520 / 1.104, 15);
    EXPECT_NEAR(FormWidthTwips(*v), 15360 / 1.005, 15);
    EXPECT_NEAR(v->Picture1->Width(), 15260, 15);
    EXPECT_EQ(ElecdigCargado(), nullptr);
    EXPECT_EQ(menuOculto_, 1);
    EXPECT_EQ(menuMostrado_, 0);
    EXPECT_EQ(progresoAbierto_, 1);
    EXPECT_EQ(progresoCerrado_, 1);
    EXPECT_EQ(cajas_.Count(), 0);

    const DigitalState& d = Digitales();
    EXPECT_EQ(d.ModoDigital, 1);
    EXPECT_EQ(d.PrimerMiembro, 3);
    EXPECT_EQ(d.UltimoMiembro, 5);
    EXPECT_EQ(d.GrupoElegido, "G2");
    EXPECT_EQ(d.AnalogicoElegido, 1); // nothing picked: the entry the box shows
    EXPECT_EQ(v->label[1]->text(), "D2b");
    EXPECT_EQ(v->label[3]->text(), "D4");
    EXPECT_EQ(v->label[4]->text(), "");
    EXPECT_EQ(v->NombresCompletos()[2], "D3");
    // 1000 samples/s at 50 Hz: one cycle per page step.
    EXPECT_EQ(v->HScroll1->LargeChange(), 20);
    EXPECT_EQ(v->HScroll2->Max(), 200);
    EXPECT_EQ(v->lblizq->text(), "1");
    EXPECT_EQ(v->lbltiempo->text(), "0 ms");

    // Closing it brings the menu form back and clears the mode.
    DescargarFrm19();
    Procesar();
    EXPECT_EQ(Frm19(), nullptr);
    EXPECT_EQ(menuMostrado_, 1);
    EXPECT_EQ(Digitales().ModoDigital, 0);
    EXPECT_EQ(Digitales().PrimerMiembro, 3);
}

// Recorder names run longer than the name boxes: the box shows how the
// name begins, which is what tells the channels apart.
TEST_F(VistaDigital, NamesLongerThanTheirBoxesShowTheirBeginning)
{
    Plantillas().TablaMiembrosDigitales(4, 2) = "DISPARO 21 ZONA 1 FASE A";
    frm19* v = AbrirVista(2);
    ASSERT_NE(v, nullptr);
    QLineEdit* caja = v->label[2];
    ASSERT_EQ(caja->text(), "DISPARO 21 ZONA 1 FASE A");
    ASSERT_GT(caja->fontMetrics().horizontalAdvance(caja->text()), caja->width());
    EXPECT_EQ(caja->cursorPosition(), 0);
}

TEST_F(VistaDigital, EveryNameShowsWholeAsItsToolTipAndStillScrollsSideways)
{
    Plantillas().TablaMiembrosDigitales(3, 2) = "DISPARO MONOFASICO FASE A";
    Plantillas().TablaMiembrosDigitales(4, 2) = "DISPARO MONOFASICO FASE B";
    frm19* v = AbrirVista(2);
    ASSERT_NE(v, nullptr);
    // Group 2 lists members 3, 4 and 5 of the table.
    EXPECT_EQ(v->label[1]->toolTip(), "DISPARO MONOFASICO FASE A");
    EXPECT_EQ(v->label[2]->toolTip(), "DISPARO MONOFASICO FASE B");
    EXPECT_EQ(v->label[3]->toolTip(), "D4");
    EXPECT_TRUE(v->label[4]->toolTip().isEmpty()) << "an empty row has no tip";
    v->HScroll_Nombres->SetValue(8);
    EXPECT_EQ(v->label[1]->text(), "MONOFASICO FASE A");
    EXPECT_EQ(v->label[1]->toolTip(), "DISPARO MONOFASICO FASE A");
}

TEST_F(VistaDigital, IndicatorAndRowBoxesWholeAndInsideTheWindowAtBothScreenSizes)
{
    Shell().TextosIdioma[279] = QStringLiteral("PRIMARIO");
    Shell().TextosIdioma[280] = QStringLiteral("SECUNDARIO");
    for (const auto& [ancho, alto] : {std::pair{800, 600}, std::pair{1280, 1024}}) {
        SCOPED_TRACE(std::to_string(ancho) + " x " + std::to_string(alto));
        Screen() = ScreenInfo{ancho * 15, alto * 15, 15, 15};
        LlenarRegistro(100000, "1997");
        frm19* v = AbrirVista(1, 1, Referencia::Secundario);
        ASSERT_NE(v, nullptr);
        v->show();
        v->HScroll1->SetValue(1);
        v->HScroll2->SetValue(100000);
        EXPECT_EQ(v->lbl_PS->text(), "SECUNDARIO");
        for (QLineEdit* caja : {v->lbl_PS, v->lblizq, v->lblder, v->lbltiempo})
            EXPECT_TRUE(test::TextoEnteroEnCaja(*caja)) << caja->text().toStdString();
        EXPECT_LE(v->lbl_PS->geometry().right(), v->width() - 1) << "inside the window";
        for (QWidget* b : {static_cast<QWidget*>(v->cmdzoom), static_cast<QWidget*>(v->cmdadel),
                           static_cast<QWidget*>(v->cmdatras), static_cast<QWidget*>(v->pctimpresora)})
            EXPECT_FALSE(b->geometry().intersects(v->lbl_PS->geometry()));

        // The dialog's own option reads whole too.
        AbrirElecdig();
        frmElecdig* d = ElecdigCargado();
        ASSERT_NE(d, nullptr);
        for (QRadioButton* o : {d->CmdPrimario, d->CmdSecundario}) {
            EXPECT_LE(o->sizeHint().width(), o->width()) << o->text().toStdString();
            EXPECT_LE(o->geometry().right(), o->parentWidget()->contentsRect().right());
        }
        d->cmdcancel_Click();
        Procesar();
    }
}

TEST_F(VistaDigital, ValueBoxesHoldTheChannelsWidestValueWithItsUnit)
{
    // A long unit and five-digit values: the boxes' font makes them fit.
    for (std::int32_t c = 1; c <= 3; ++c)
        Registro().TablaCanales(c, 4) = QStringLiteral("Amp");
    Registro().Valores(30, 3) = -12345.679f;
    frm19* v = AbrirVista(1, 0);
    ASSERT_NE(v, nullptr);
    v->show();
    v->HScroll1->SetValue(30); // row 1 is column 3: its extreme
    EXPECT_EQ(v->lblamar->text(), "-12345.679 Amp");
    EXPECT_TRUE(test::TextoEnteroEnCaja(*v->lblamar)) << v->lblamar->text().toStdString();
    EXPECT_EQ(v->lblcian->font().pixelSize(), v->lblamar->font().pixelSize());
}

TEST_F(VistaDigital, DialogOffersOneOptionPerGroupAndTheReferenceOnlyFor1997)
{
    Grupos({"1", "1", "3"});
    AbrirElecdig();
    frmElecdig* d = ElecdigCargado();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "T71");
    EXPECT_TRUE(d->optdg[3]->isEnabled());
    EXPECT_EQ(d->optdg[3]->text(), "G3");
    EXPECT_FALSE(d->optdg[4]->isEnabled());
    EXPECT_EQ(d->optdg[4]->text(), "");
    EXPECT_TRUE(d->optdg[1]->isChecked());
    EXPECT_EQ(d->Combo1->count(), 3);
    EXPECT_EQ(d->Combo1->currentText(), "IC");
    EXPECT_EQ(d->IndiceAnalogico(), -1);
    EXPECT_TRUE(d->Frame3->isHidden());
    EXPECT_EQ(HeightTwips(*d->Frame1), 2520);

    LlenarRegistro(200, "1997");
    AbrirElecdig();
    d = ElecdigCargado();
    EXPECT_FALSE(d->Frame3->isHidden());
    EXPECT_TRUE(d->CmdPrimario->isChecked());
    EXPECT_EQ(d->CmdSecundario->text(), "T280");
    EXPECT_EQ(HeightTwips(*d->Frame1), 1680);

    // Cancel writes nothing.
    d->cmdcancel_Click();
    Procesar();
    EXPECT_EQ(ElecdigCargado(), nullptr);
    EXPECT_EQ(Digitales().ModoDigital, 0);
    EXPECT_EQ(menuMostrado_ + menuOculto_, 0);
}

TEST_F(VistaDigital, TemplateWithoutGroupsGivesText92AndNoView)
{
    Grupos({});
    EXPECT_EQ(AbrirVista(1), nullptr);
    ASSERT_EQ(cajas_.Count(), 1);
    EXPECT_EQ(cajas_.Last().Prompt, "T92");
    EXPECT_EQ(cajas_.Last().Style, vbOKOnly);
    EXPECT_EQ(ElecdigCargado(), nullptr);
    EXPECT_EQ(progresoAbierto_, 0);
    EXPECT_EQ(Digitales().ModoDigital, 0);
}

// A group of more than the view's 19 rows opens with its first 19 members,
// told with text 140 and the group's name; a group of exactly 19 is not told.
TEST_F(VistaDigital, AGroupLargerThanTheViewShowsItsFirst19MembersAndSaysSo)
{
    struct Caso {
        const char* cuenta;
        std::int32_t filas;
        bool avisado;
    };
    for (const Caso& c : {Caso{"25", 19, true}, Caso{"19", 19, false}, Caso{"20", 19, true}}) {
        Grupos({"2", QString::fromLatin1(c.cuenta)});
        TemplateState& p = Plantillas();
        p.TablaMiembrosDigitales.Resize(27, 2);
        for (std::int32_t m = 3; m <= 27; ++m) {
            p.TablaMiembrosDigitales(m, 1) = QString::number(1 + m % 4);
            p.TablaMiembrosDigitales(m, 2) = QStringLiteral("M%1").arg(m);
        }
        p.NumMiembrosDigitales = 27;
        cajas_.Clear();
        frm19* v = AbrirVista(2);
        ASSERT_NE(v, nullptr) << c.cuenta;
        if (c.avisado) {
            ASSERT_EQ(cajas_.Count(), 1) << c.cuenta;
            EXPECT_EQ(cajas_.Last().Prompt, "T140G2");
            EXPECT_EQ(cajas_.Last().Style, vbInformation);
        } else {
            EXPECT_EQ(cajas_.Count(), 0) << c.cuenta;
        }
        const DigitalState& d = Digitales();
        EXPECT_EQ(d.NumFilasDigitales, c.filas) << c.cuenta;
        EXPECT_EQ(d.PrimerMiembro, 3) << c.cuenta;
        EXPECT_EQ(d.UltimoMiembro, 21) << c.cuenta;
        EXPECT_EQ(d.GrupoElegido, "G2");
        EXPECT_EQ(FilasDigitalesElegidas().size(), 19u) << c.cuenta;
        EXPECT_EQ(v->label[1]->text(), "M3") << c.cuenta;
        EXPECT_EQ(v->label[19]->text(), "M21") << c.cuenta;
        DescargarFormasDigitales();
        Procesar();
    }
    EXPECT_EQ(NombreGrupoRecortado(1), std::nullopt);
    Plantillas().TablaGruposDigitales(2, 2) = QStringLiteral("muchos");
    EXPECT_EQ(NombreGrupoRecortado(2), std::nullopt);
    EXPECT_EQ(NombreGrupoRecortado(3), std::nullopt);
}

// The channel table lists its rows out of record order: the analog row
// chosen must show its own column's samples under its own name.
TEST_F(VistaDigital, AnalogTraceAndReadoutsUseTheColumnTheChannelRowNames)
{
    frm19* v = AbrirVista(1, 1); // row 2: "IA", column 1
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Analogico().Columna, 1);
    EXPECT_EQ(v->lblanalog->text(), "IA");
    EXPECT_EQ(v->lblamar->text(), "101.000 A");
    v->HScroll2->SetValue(7);
    EXPECT_EQ(v->lblcian->text(), "107.000 A");

    frm19* w = AbrirVista(1); // row 1: "IC", column 3
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->lblamar->text(), "301.000 A");
    EXPECT_EQ(w->TextoAnalogico(), "IC");
}

TEST_F(VistaDigital, RenderShowsStepBoxesZeroLineAndCursorsAtTheirPixels)
{
    frm19* v = AbrirVista(1, 1); // rows D1 (all 0) and D2 (1 at samples 50..60)
    ASSERT_NE(v, nullptr);
    const double escala = v->EscalaX();
    EXPECT_DOUBLE_EQ(escala, (v->Picture1->Width() - 1400.0) / 200);
    const double altoFila = AltoFila(v->Picture1->Height());
    const double base2 = BaseFila(2, altoFila);
    const QImage img = v->RenderImage();

    // The white zero line of the analog band and the base line of row 1.
    EXPECT_EQ(img.pixelColor(Px(XMuestra(150, 1, escala)), Px(YCeroAnalogico)), kBlancoQ);
    EXPECT_EQ(img.pixelColor(Px(XMuestra(150, 1, escala)), Px(BaseFila(1, altoFila))), kBlancoQ);
    // Row 2's box spans samples 49..60: its top edge is blue, and the row
    // is empty just outside it.
    EXPECT_EQ(img.pixelColor(Px(XMuestra(55, 1, escala)), Px(base2 - AltoEstado)), kAzul);
    EXPECT_EQ(img.pixelColor(Px(XMuestra(55, 1, escala)), Px(base2)), kAzul); // standing on the base line
    EXPECT_EQ(img.pixelColor(Px(XMuestra(70, 1, escala)), Px(base2)), kBlancoQ);
    EXPECT_EQ(img.pixelColor(Px(XMuestra(49, 1, escala)) + 1, Px(base2 - AltoEstado)), kAzul);
    EXPECT_NE(img.pixelColor(Px(XMuestra(48, 1, escala)), Px(base2 - AltoEstado)), kAzul);
    EXPECT_NE(img.pixelColor(Px(XMuestra(62, 1, escala)), Px(base2 - AltoEstado)), kAzul);
    // Row 1 (all 0) has no box.
    EXPECT_NE(img.pixelColor(Px(XMuestra(55, 1, escala)), Px(BaseFila(1, altoFila) - AltoEstado)), kAzul);
    // Both cursors stand on the axis, above it; cursor 2 is drawn last.
    EXPECT_EQ(img.pixelColor(Px(XEje), Px(5000)), kCianQ);

    // Moving the cursor moves its line and leaves the traces untouched.
    const QImage kept = v->Picture1->Image();
    v->HScroll1->SetValue(100);
    EXPECT_DOUBLE_EQ(v->lnizq->X1(), XMuestra(100, 1, escala));
    const QImage movida = v->RenderImage();
    EXPECT_EQ(movida.pixelColor(Px(XMuestra(100, 1, escala)), Px(5000)), kAmarilloQ);
    EXPECT_EQ(movida.pixelColor(Px(XEje), Px(5000)), kCianQ);
    EXPECT_TRUE(v->Picture1->Image() == kept);
}

TEST_F(VistaDigital, ReadoutsFollowTheCursorsAndScrollSideways)
{
    frm19* v = AbrirVista(2, 1);
    ASSERT_NE(v, nullptr);
    v->HScroll1->SetValue(30);
    v->HScroll2->SetValue(10);
    EXPECT_EQ(v->lblizq->text(), "30");
    EXPECT_EQ(v->lblder->text(), "10");
    EXPECT_EQ(v->lblamar->text(), "130.000 A");
    EXPECT_EQ(v->lbltiempo->text(), "20.000 ms");
    EXPECT_EQ(v->TextoTiempo(), "20.000 ms");
    EXPECT_DOUBLE_EQ(v->lnder->X1(), XMuestra(10, 1, v->EscalaX()));

    // A value text longer than any before widens the sideways range.
    const std::int32_t largo = v->LargoTextos();
    vesdra::Registro().Valores(40, 1) = 123456.0f;
    v->HScroll1->SetValue(40);
    EXPECT_EQ(v->LargoTextos(), 12); // "123456.000 A"
    EXPECT_GT(v->LargoTextos(), largo);
    EXPECT_EQ(v->HScroll_Analog->Max(), 12);

    v->HScroll_Analog->SetValue(3);
    EXPECT_EQ(v->lblamar->text(), "456.000 A");
    EXPECT_EQ(v->lblanalog->text(), ""); // "IA" is shorter than 3
    EXPECT_EQ(v->lblcian->text(), ".000 A");
    v->lblanalog_Click();
    EXPECT_EQ(v->lblanalog->text(), "IA");
    EXPECT_EQ(v->lblamar->text(), "456.000 A");

    v->HScroll_Nombres->SetValue(1);
    EXPECT_EQ(v->label[1]->text(), "2b");
    EXPECT_EQ(v->label[2]->text(), "3");
    v->label_Click(1);
    EXPECT_EQ(v->label[1]->text(), "D2b");
    EXPECT_EQ(v->label[2]->text(), "3");
}

TEST_F(VistaDigital, ZoomToTheCursorsStepsBackAndRefusesA31stZoomKeepingTheViewOpen)
{
    frm19* v = AbrirVista(1);
    ASSERT_NE(v, nullptr);
    v->HScroll1->SetValue(120);
    v->HScroll2->SetValue(20);
    v->cmdzoom_Click();
    EXPECT_EQ(v->Historial().NivelZoom(), 1);
    EXPECT_EQ(v->MuestraOrigen(), 20);
    for (HScrollBar* b : {v->HScroll1, v->HScroll2}) {
        EXPECT_EQ(b->Min(), 20);
        EXPECT_EQ(b->Max(), 120);
        EXPECT_EQ(b->Value(), 20);
    }
    EXPECT_DOUBLE_EQ(v->lnizq->X1(), XEje);
    EXPECT_DOUBLE_EQ(v->lnder->X1(), XEje);
    EXPECT_EQ(v->lblizq->text(), "20");
    // The stretch fills the width: the last sample lies at the axes' right end.
    EXPECT_DOUBLE_EQ(XMuestra(120, 20, v->EscalaX()), XDerecha(v->Picture1->Width()));

    // Both cursors now on one sample: refused, nothing changes.
    v->cmdzoom_Click();
    ASSERT_EQ(cajas_.Count(), 1);
    EXPECT_EQ(cajas_.Last().Prompt, "T76");
    EXPECT_EQ(cajas_.Last().Style, vbInformation);
    EXPECT_EQ(v->Historial().NivelesZoom(), 2);
    EXPECT_EQ(Frm19(), v);

    // Thirty zooms fill the history; the thirty-first is refused with an
    // information box before anything is drawn, and the view stays open.
    for (std::int32_t i = 2; i <= 30; ++i) {
        v->HScroll2->SetValue(v->HScroll2->Max() - 1);
        v->cmdzoom_Click();
    }
    EXPECT_EQ(v->Historial().NivelesZoom(), 31);
    const QImage antes = v->Picture1->Image();
    const std::int32_t origen = v->MuestraOrigen();
    v->HScroll2->SetValue(v->HScroll2->Max());
    cajas_.Clear();
    v->cmdzoom_Click();
    Procesar();
    ASSERT_EQ(Frm19(), v);
    ASSERT_EQ(cajas_.Count(), 1);
    EXPECT_EQ(cajas_.Last().Prompt, "T105");
    EXPECT_EQ(cajas_.Last().Style, vbInformation);
    EXPECT_EQ(v->Historial().NivelZoom(), 30);
    EXPECT_EQ(v->MuestraOrigen(), origen);
    EXPECT_TRUE(v->Picture1->Image() == antes);

    // Back to the whole record, then forward again.
    cajas_.Clear();
    for (std::int32_t i = 0; i < 30; ++i)
        v->cmdatras_Click();
    EXPECT_EQ(cajas_.Count(), 0);
    EXPECT_EQ(v->HScroll1->Min(), 1);
    EXPECT_EQ(v->HScroll1->Max(), 200);
    EXPECT_DOUBLE_EQ(v->EscalaX(), (v->Picture1->Width() - 1400.0) / 200);
    v->cmdatras_Click();
    EXPECT_EQ(cajas_.Last().Prompt, "T84");
    v->cmdadel_Click();
    EXPECT_EQ(v->MuestraOrigen(), 20);
    EXPECT_EQ(v->HScroll2->Max(), 120);
}

// The other side put in force under the open view (by another view's
// dialog): the view shows that side, and says so.
TEST_F(VistaDigital, ASideChangeUnderTheOpenViewShowsTheSideInForce)
{
    LlenarRegistro(200, "1997");
    frm19* v = AbrirVista(1, 1, Referencia::Primario);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->lblamar->text(), "1010.000 A");
    ASSERT_TRUE(ElegirLado(vesdra::Registro(), Lado::Secundario));
    LadoCambiadoDigital();
    EXPECT_EQ(Frm19(), v);
    EXPECT_EQ(v->lbl_PS->text(), "T280");
    EXPECT_EQ(v->lblamar->text(), "10.100 A");
    EXPECT_EQ(cajas_.Count(), 0);
}

TEST_F(VistaDigital, ReopeningWhileOpenKeepsTheNewChoicesModeAndSide)
{
    LlenarRegistro(200, "1997");
    frm19* v = AbrirVista(1, 1, Referencia::Secundario);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(vesdra::Registro().LadoEnVigor, Lado::Secundario);
    EXPECT_EQ(v->lbl_PS->text(), "T280");
    EXPECT_FALSE(v->lbl_PS->isHidden());

    frm19* w = AbrirVista(2, 1, Referencia::Primario);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Frm19(), w);
    EXPECT_EQ(Digitales().ModoDigital, 1);
    EXPECT_EQ(vesdra::Registro().LadoEnVigor, Lado::Primario);
    EXPECT_EQ(w->lbl_PS->text(), "T279");
    EXPECT_EQ(w->lblamar->text(), "1010.000 A"); // primary side: values times 10
    EXPECT_EQ(menuOculto_, 2);
}

TEST_F(VistaDigital, BuildErrorsLeaveNoViewNoProgressWindowAndTheMenuBack)
{
    struct Caso {
        const char* que;
        std::function<void()> romper;
        int error;
    };
    const std::vector<Caso> casos = {
        {"member channel beyond the record", [] { Plantillas().TablaMiembrosDigitales(1, 1) = "9"; }, 9},
        {"member channel no number", [] { Plantillas().TablaMiembrosDigitales(2, 1) = "dos"; }, 13},
        {"line frequency 0", [] { vesdra::Registro().FrecuenciaLinea = 0; }, 11},
        {"analog row naming no column", [] { vesdra::Registro().TablaCanales(1, 1) = "7"; }, 9},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        LlenarRegistro(200);
        Grupos({"2", "3"});
        c.romper();
        cajas_.Clear();
        menuMostrado_ = progresoAbierto_ = progresoCerrado_ = 0;
        EXPECT_EQ(AbrirVista(1), nullptr);
        EXPECT_EQ(ElecdigCargado(), nullptr);
        ASSERT_EQ(cajas_.Count(), 1);
        EXPECT_TRUE(cajas_.Last().Prompt.startsWith(QStringLiteral("Error %1: ").arg(c.error)))
            << cajas_.Last().Prompt.toStdString();
        EXPECT_EQ(cajas_.Last().Style, vbCritical);
        EXPECT_EQ(progresoAbierto_, progresoCerrado_);
        EXPECT_EQ(menuMostrado_, 1);
        EXPECT_TRUE(menuALaVista_) << "the menu form is stranded";
        EXPECT_EQ(Digitales().ModoDigital, 0);
    }
}

TEST_F(VistaDigital, ResizeResetsBothCursorBarsToTheWholeRecord)
{
    frm19* v = AbrirVista(1);
    ASSERT_NE(v, nullptr);
    v->HScroll1->SetValue(50);
    v->HScroll2->SetValue(90);
    v->cmdzoom_Click();
    v->HScroll2->SetValue(70);
    ASSERT_EQ(v->HScroll1->Min(), 50);

    SetFormSizeTwips(*v, FormWidthTwips(*v), FormHeightTwips(*v) - 1500);
    v->Form_Resize();
    EXPECT_EQ(v->Historial().NivelZoom(), 0);
    EXPECT_EQ(v->Historial().NivelesZoom(), 1);
    for (HScrollBar* b : {v->HScroll1, v->HScroll2}) {
        EXPECT_EQ(b->Min(), 1);
        EXPECT_EQ(b->Max(), 200);
        EXPECT_EQ(b->Value(), 1);
    }
    EXPECT_EQ(v->lblizq->text(), "1");
    EXPECT_EQ(v->lblder->text(), "1");
    EXPECT_EQ(v->lbltiempo->text(), "0.000 ms");
    EXPECT_DOUBLE_EQ(v->lnder->X1(), XEje);
    EXPECT_EQ(v->Picture1->Height(), FormHeightTwips(*v) - 900);
    EXPECT_DOUBLE_EQ(v->lnizq->Y2(), v->Picture1->Height());
}

TEST_F(VistaDigital, SampleNumbersAndPositionsBeyondSixteenBits)
{
    LlenarRegistro(70000);
    frm19* v = AbrirVista(2, 1);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->HScroll2->Max(), 70000);
    v->HScroll2->SetValue(70000);
    EXPECT_EQ(v->lblder->text(), "70000");
    EXPECT_EQ(v->lblcian->text(), "70100.000 A");
    EXPECT_DOUBLE_EQ(v->lnder->X1(), XMuestra(70000, 1, v->EscalaX()));
    EXPECT_EQ(v->lbltiempo->text(), "69999.000 ms");
    v->cmdzoom_Click();
    EXPECT_EQ(v->HScroll1->Max(), 70000);
    EXPECT_DOUBLE_EQ(v->EscalaX(), (v->Picture1->Width() - 1400.0) / 69999);
}

TEST_F(VistaDigital, ClosedRecordUnderAnOpenViewClosesTheViewOnTheNextCursorMove)
{
    frm19* v = AbrirVista(1);
    ASSERT_NE(v, nullptr);
    CerrarRegistroDigital();
    vesdra::Registro() = {};
    EXPECT_EQ(Digitales().AnalogicoElegido, 0);
    v->HScroll1->SetValue(5);
    Procesar();
    EXPECT_EQ(Frm19(), nullptr);
    ASSERT_EQ(cajas_.Count(), 1);
    EXPECT_TRUE(cajas_.Last().Prompt.startsWith("Error 9: "));
}
