#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include "platform/base/colors.h"
#include "platform/base/name_elide.h"
#include "platform/file_lists.h"
#include "platform/mdi_forms.h"
#include "platform/spread_grid.h"
#include "platform/text_box.h"
#include "shell/abrir_comtrade.h"
#include "shell/frm_plantilla.h"
#include "shell/language.h"
#include "shell/mdi_fixture.h"
#include "templates/model_db.h"
#include "templates/template_fixture.h"
#include "wizard/asistente.h"
#include "wizard/frm_analog.h"
#include "wizard/frm_base_modelo.h"
#include "wizard/frm_digital.h"
#include "wizard/frm_salva_plan.h"
#include "wizard/frm_trifasic.h"
#include "wizard_fixture.h"

namespace vesdra {
namespace {

TEST_F(WizardFormsTest, NewTemplateFromAModelThroughStepsOneAndTwoAndBack)
{
    ModelosMuestra();
    Arrancar();
    frmAnalog& vacio = Nueva();
    EXPECT_EQ(vacio.txtIdentif->text(), "");
    EXPECT_EQ(vacio.txtnumAnalog->text(), "0");
    EXPECT_EQ(vacio.vaSpread1->MaxRows(), 0);
    EXPECT_EQ(vacio.vaSpread1->Text(0, 1), T(35));

    // The models button: step 1 waits hidden, the chooser lists the sample
    // models.
    vacio.cmdmodelos_Click();
    Procesar();
    EXPECT_EQ(FormAnalog(), &vacio);
    EXPECT_FALSE(Visible(&vacio));
    frmBaseModelo* b = FormBaseModelo();
    ASSERT_NE(b, nullptr);
    // Each form of the wizard stands modal in front of the main window.
    EXPECT_EQ(QApplication::activeModalWidget(), b);
    EXPECT_EQ(b->parentWidget(), principal_.get());
    ASSERT_EQ(b->List1->count(), 2);
    EXPECT_EQ(b->windowTitle(), T(257));
    b->List1_DblClick(0);
    EXPECT_EQ(b->lblNomModelo->text(), "RD-21");
    b->cmdOK_Click();
    Procesar();
    EXPECT_EQ(FormBaseModelo(), nullptr);
    EXPECT_TRUE(Boxes().Calls().empty());

    // Step 1 afresh with the model's rows.
    frmAnalog* a = FormAnalog();
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(Plantillas().ModeloCargado);
    EXPECT_EQ(a->txtIdentif->text(), "RD-21");
    EXPECT_EQ(a->txtnumAnalog->text(), "8");
    ASSERT_EQ(a->vaSpread1->MaxRows(), 8);
    EXPECT_EQ(a->vaSpread1->Text(1, 1), QString::fromUtf8("Tensión fase A"));
    EXPECT_EQ(a->vaSpread1->Text(8, 2), "Neutral current");
    EXPECT_EQ(a->vaSpread1->Text(3, 0), "3");
    a->vaSpread1->Escribir(2, 1, "Vb bus");
    const QString largo = QString::fromUtf8("Intensidad fase A de la línea principal 220 kV");
    a->vaSpread1->Escribir(5, 1, largo);
    a->cmdOK_Click();
    Procesar();
    EXPECT_FALSE(Visible(a));
    ASSERT_EQ(FormAnalog(), a); // hidden, still loaded

    // Step 2: two sets.
    frmTrifasic* t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(Visible(t));
    EXPECT_EQ(QApplication::activeModalWidget(), t);
    EXPECT_EQ(t->txtnumTrif->text(), "0");
    EXPECT_FALSE(t->fmetrif[1]->isEnabled());
    ASSERT_EQ(t->ListTrif[1]->count(), 8);
    EXPECT_EQ(t->ListTrif[1]->item(1)->text(), "Vb bus");
    t->txtnumTrif->setText("2");
    EXPECT_TRUE(t->fmetrif[2]->isEnabled());
    EXPECT_FALSE(t->fmetrif[3]->isEnabled());
    for (std::int32_t s : {1, 2})
        for (std::int32_t k = 0; k < 3; ++k)
            t->ListTrif_DblClick(s, 4 * (s - 1) + k);
    EXPECT_EQ(t->grp[2][1]->text(), largo);
    // A name longer than its box shows its end and the part that tells it
    // from the channels on offer (its phase, past the words it shares with
    // them), and whole on hover.
    EXPECT_TRUE(TextoRecortado(*t->grp[2][1]));
    const QString visto = t->grp[2][1]->VisibleText();
    EXPECT_TRUE(ReadsAs(visto, largo)) << visto.toStdString();
    for (int i = 0; i < t->ListTrif[2]->count(); ++i) {
        const QString otro = t->ListTrif[2]->item(i)->text();
        EXPECT_TRUE(otro == largo || !ReadsAs(visto, otro))
            << visto.toStdString() << " reads as " << otro.toStdString();
    }
    EXPECT_TRUE(t->grp[2][1]->VisibleText().endsWith(QStringLiteral("kV")));
    EXPECT_EQ(t->grp[2][1]->cursorPosition(), 0);
    EXPECT_EQ(test::AyudaAlPasar(*t->grp[2][1]), largo);
    EXPECT_EQ(t->lbl[2][3]->text(), "7");
    EXPECT_EQ(Marcador(*t, 1, 3), OleColor(QBColor(14)));
    EXPECT_EQ(Marcador(*t, 1, 1), OleColor(QBColor(15)));
    t->nbTrif[1]->setText("Tensiones");
    t->txtFactor[1]->setText("1.5");

    // Back to step 1 and on again: nothing typed is lost.
    t->cmdvolver_Click();
    Procesar();
    EXPECT_TRUE(Plantillas().VueltaAtras);
    EXPECT_FALSE(Visible(t));
    EXPECT_TRUE(Visible(a));
    EXPECT_EQ(a->vaSpread1->Text(2, 1), "Vb bus");
    a->cmdOK_Click();
    Procesar();
    t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->txtnumTrif->text(), "2");
    EXPECT_EQ(t->nbTrif[1]->text(), "Tensiones");
    EXPECT_EQ(t->txtFactor[1]->text(), "1.5");
    EXPECT_EQ(t->lbl[2][2]->text(), "6");

    // Continue stores the sets; with step 3 plugged in, it goes there.
    int paso3 = 0;
    SiguientesPasos().MostrarPaso3 = [&paso3] { ++paso3; };
    t->cmdOK_Click();
    Procesar();
    EXPECT_EQ(paso3, 1);
    EXPECT_FALSE(Visible(t));
    const TemplateState& p = Plantillas();
    EXPECT_EQ(p.IdentificadorPlantilla, "RD-21");
    EXPECT_EQ(p.NumAnalogicosPlantilla, 8);
    EXPECT_EQ(p.AnalogicosPlantilla(2, 2), "Vb bus");
    ASSERT_EQ(p.NumTrifasicosPlantilla, 2);
    EXPECT_EQ(test::Row(p.TrifasicosPlantilla, 1), QStringList({"1", "2", "3", "Tensiones", "1.5"}));
    EXPECT_EQ(test::Row(p.TrifasicosPlantilla, 2), QStringList({"5", "6", "7", "", ""}));
    EXPECT_TRUE(Boxes().Calls().empty());

    // Step 3's back shows step 2 as it was; cancel ends the wizard.
    VolverAPaso2();
    EXPECT_TRUE(Visible(t));
    t->cmdcancel_Click();
    Procesar();
    EXPECT_EQ(FormTrifasic(), nullptr);
    EXPECT_EQ(FormAnalog(), nullptr);
    EXPECT_FALSE(Plantillas().AsistenteAbortado);
}

TEST_F(WizardFormsTest, StepOneBackEndsThePassAndShowsTheDialog)
{
    Arrancar();
    frmAnalog& a = Nueva();
    a.txtIdentif->setText("  MI RELE");
    a.txtnumAnalog->setText("2");
    a.vaSpread1->Escribir(1, 1, "Va");
    a.cmdvolver_Click();
    Procesar();
    EXPECT_EQ(FormAnalog(), nullptr);
    ASSERT_NE(FormPlantilla(), nullptr);
    EXPECT_TRUE(Plantillas().AsistenteAbortado);
    // The pass is over: what it typed is not left for the next one.
    const TemplateState& p = Plantillas();
    EXPECT_FALSE(EdicionEnCurso());
    EXPECT_EQ(p.IdentificadorPlantilla, "");
    EXPECT_EQ(p.NumAnalogicosPlantilla, 0);
    EXPECT_EQ(p.AnalogicosPlantilla.Rows(), 0);

    // nueva starts again from nothing.
    FormPlantilla()->cmdNueva_Click();
    Procesar();
    frmAnalog* otra = FormAnalog();
    ASSERT_NE(otra, nullptr);
    EXPECT_FALSE(Plantillas().AsistenteAbortado);
    EXPECT_EQ(otra->txtIdentif->text(), "");
    EXPECT_EQ(otra->txtnumAnalog->text(), "0");

    // The frame's close box cancels the wizard.
    CerrarFormulario(otra);
    Procesar();
    EXPECT_EQ(FormAnalog(), nullptr);
    EXPECT_FALSE(Plantillas().AsistenteAbortado);

    // Back with a count that is no number: the error box, and the dialog.
    DescargarFrmPlantilla();
    Procesar();
    frmAnalog& mal = Nueva();
    mal.txtnumAnalog->setText("1 1");
    Boxes().Clear();
    mal.cmdvolver_Click();
    Procesar();
    // In the Spanish interface, in Spanish.
    EXPECT_EQ(Mensajes(), QStringList({"Error 13: No coinciden los tipos"}));
    EXPECT_EQ(FormAnalog(), nullptr);
    EXPECT_NE(FormPlantilla(), nullptr);
    EXPECT_TRUE(Plantillas().AsistenteAbortado);
}

TEST_F(WizardFormsTest, ModificarShowsTheTemplateAndNuevaTheOpenRecord)
{
    CopiarMuestraCnf();
    Arrancar();
    ASSERT_TRUE(AbrirRegistro(DerivarRutas(test::MuestraDat())).Abierto());
    ASSERT_TRUE(Registro().RegistroAbierto);
    Boxes().Clear();
    AbrirFrmPlantilla();
    frmPlantilla* d = FormPlantilla();
    ASSERT_NE(d, nullptr);
    d->File1->SetFileName("muestra.cnf");
    d->File1_Click();
    d->cmdModif_Click();
    Procesar();
    frmAnalog* a = FormAnalog();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->txtIdentif->text(), "PROTECCION LINEA 1 (66 kV)");
    EXPECT_EQ(a->txtnumAnalog->text(), "8");
    EXPECT_EQ(a->vaSpread1->Text(8, 1), "VBAT");
    a->cmdOK_Click();
    Procesar();
    frmTrifasic* t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->txtnumTrif->text(), "2");
    EXPECT_EQ(t->nbTrif[2]->text(), "INTENSIDADES LINEA 1");
    EXPECT_EQ(t->grp[2][1]->text(), "IA");
    EXPECT_EQ(t->lbl[2][3]->text(), "6");
    EXPECT_TRUE(Boxes().Calls().empty());
    t->cmdcancel_Click();
    Procesar();

    // A new template over the open record proposes its station and channels.
    CerrarPlantillas();
    OfrecerCanalesPlantilla();
    AbrirFrmPlantilla();
    FormPlantilla()->cmdNueva_Click();
    Procesar();
    a = FormAnalog();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->txtIdentif->text(), Registro().NombreEstacion);
    EXPECT_EQ(a->txtnumAnalog->text(), QString::number(Registro().NumAnalogicos));
    EXPECT_EQ(a->vaSpread1->Text(1, 1), Registro().TablaCanales(1, 2));
}

// A cancelled wizard leaves nothing behind: nueva then proposes the open
// record's station and channels, wherever the pass was cancelled.
TEST_F(WizardFormsTest, MendedNuevaAfterACancelledWizardProposesTheRecord)
{
    ModelosMuestra();
    CopiarMuestraCnf();
    Arrancar();
    ASSERT_TRUE(AbrirRegistro(DerivarRutas(test::MuestraDat())).Abierto());
    const QString estacion = Registro().NombreEstacion;
    const QString canal1 = Registro().TablaCanales(1, 2);
    ASSERT_NE(estacion, "PROTECCION LINEA 1 (66 kV)");

    // How each pass starts, what is typed in step 1, and the step cancelled.
    enum class Inicio { Modificar, Nueva, Modelo };
    const struct {
        const char* que;
        Inicio inicio;
        int paso; // 1..4, 0 for step 3's close box
    } casos[] = {
        {"modificar, cancelled in step 1", Inicio::Modificar, 1},
        {"modificar, cancelled in step 2", Inicio::Modificar, 2},
        {"modificar, cancelled in step 3", Inicio::Modificar, 3},
        {"modificar, step 3 closed by its frame", Inicio::Modificar, 0},
        {"modificar, cancelled in step 4", Inicio::Modificar, 4},
        {"nueva, rows typed, cancelled in step 1", Inicio::Nueva, 1},
        {"a relay model, cancelled in step 2", Inicio::Modelo, 2},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        AbrirFrmPlantilla();
        frmPlantilla* d = FormPlantilla();
        ASSERT_NE(d, nullptr);
        if (c.inicio == Inicio::Modificar) {
            d->File1->SetFileName("muestra.cnf");
            d->File1_Click();
            d->cmdModif_Click();
        } else {
            d->cmdNueva_Click();
        }
        Procesar();
        frmAnalog* a = FormAnalog();
        ASSERT_NE(a, nullptr);
        if (c.inicio == Inicio::Modelo) {
            a->cmdmodelos_Click();
            Procesar();
            ASSERT_NE(FormBaseModelo(), nullptr);
            FormBaseModelo()->List1_DblClick(0);
            FormBaseModelo()->cmdOK_Click();
            Procesar();
            a = FormAnalog();
            ASSERT_NE(a, nullptr);
            ASSERT_EQ(a->txtIdentif->text(), "RD-21");
        }
        a->txtIdentif->setText("CANCELADA");
        a->vaSpread1->Escribir(1, 1, "tecleado");
        if (c.paso != 1) {
            a->cmdOK_Click();
            Procesar();
            ASSERT_NE(FormTrifasic(), nullptr);
        }
        if (c.paso == 3 || c.paso == 0 || c.paso == 4) {
            FormTrifasic()->cmdOK_Click();
            Procesar();
            ASSERT_NE(FormDigital(), nullptr);
        }
        if (c.paso == 4) {
            FormDigital()->cmdOK_Click();
            Procesar();
            ASSERT_NE(FormSalvaPlan(), nullptr);
        }
        switch (c.paso) {
        case 1:
            a->cmdcancel_Click();
            break;
        case 2:
            FormTrifasic()->cmdcancel_Click();
            break;
        case 3:
            FormDigital()->cmdcancel_Click();
            break;
        case 0:
            FormDigital()->close();
            break;
        case 4:
            FormSalvaPlan()->cmdcancel_Click();
            break;
        }
        Procesar();
        ASSERT_FALSE(FormAnalog() || FormTrifasic() || FormDigital() || FormSalvaPlan());

        AbrirFrmPlantilla();
        FormPlantilla()->cmdNueva_Click();
        Procesar();
        a = FormAnalog();
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->txtIdentif->text(), estacion);
        EXPECT_EQ(a->txtnumAnalog->text(), QString::number(Registro().NumAnalogicos));
        EXPECT_EQ(a->vaSpread1->Text(1, 1), canal1);
        EXPECT_FALSE(Plantillas().ModeloCargado);
        a->cmdcancel_Click();
        Procesar();
    }
}

TEST_F(WizardFormsTest, RefusalsAreShownAndTheStepStays)
{
    Arrancar();
    frmAnalog& a = Nueva();
    a.txtnumAnalog->setText("2x");
    EXPECT_EQ(Mensajes(), QStringList({T(178)}));
    a.txtnumAnalog->setText("2");
    a.txtIdentif->setText("A%B");
    a.vaSpread1->Escribir(2, 2, "x$");
    Procesar();
    EXPECT_EQ(Mensajes().mid(1), QStringList({T(176), T(177)}));
    Boxes().Clear();
    a.cmdOK_Click();
    EXPECT_EQ(Mensajes(), QStringList({T(275) + "1"}));
    a.vaSpread1->Escribir(1, 1, "Va");
    a.vaSpread1->Escribir(2, 1, "Vb");
    Boxes().Clear();
    a.cmdOK_Click();
    EXPECT_EQ(Mensajes(), QStringList({T(176)}));
    EXPECT_EQ(FormTrifasic(), nullptr);
    a.txtIdentif->setText("AB");
    Boxes().Clear();
    a.cmdOK_Click();
    EXPECT_EQ(Mensajes(), QStringList({T(177)}));
    a.vaSpread1->Escribir(2, 2, "x");
    a.cmdOK_Click();
    Procesar();

    frmTrifasic* t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    Boxes().Clear();
    t->txtnumTrif->setText("5");
    t->txtnumTrif->setText("1");
    t->txtFactor[1]->setText("uno");
    t->cmdOK_Click();
    ASSERT_EQ(Boxes().Count(), 3);
    EXPECT_EQ(Boxes().Calls()[0].Prompt, T(87));
    EXPECT_EQ(Boxes().Calls()[1].Prompt, T(186));
    EXPECT_EQ(Boxes().Calls()[2].Prompt, T(43) + " : " + T(273));
    EXPECT_EQ(Boxes().Calls()[2].Style, vbInformation);
    EXPECT_TRUE(Visible(t));
}

TEST_F(WizardFormsTest, ChooserReportsDatabaseFaultsAndStaysOpen)
{
    Arrancar();
    // No models folder: nothing listed, nothing said.
    Nueva().cmdmodelos_Click();
    Procesar();
    ASSERT_NE(FormBaseModelo(), nullptr);
    EXPECT_EQ(FormBaseModelo()->List1->count(), 0);
    EXPECT_TRUE(Boxes().Calls().empty());
    FormBaseModelo()->cmdCancelar_Click();
    Procesar();
    ASSERT_NE(FormAnalog(), nullptr);

    Modelos(test::DataPath("Models"), {"Modelos.mdb", "Mal.mdb"});
    FormAnalog()->cmdmodelos_Click();
    Procesar();
    frmBaseModelo* b = FormBaseModelo();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->List1->count(), 5);
    b->lblNomModelo->setText("MAL");
    b->cmdOK_Click();
    Procesar();
    EXPECT_EQ(Mensajes(), QStringList({T(245) + dir_.filePath("Models/Mal.mdb")}));
    EXPECT_EQ(Boxes().Last().Style, vbInformation);
    EXPECT_EQ(FormBaseModelo(), b);
    EXPECT_FALSE(Visible(FormAnalog()));
    EXPECT_FALSE(Plantillas().ModeloCargado);
    b->cmdCancelar_Click();
    Procesar();
    ASSERT_NE(FormAnalog(), nullptr);
    EXPECT_EQ(FormAnalog()->txtnumAnalog->text(), "0");

    // Closed by its frame with step 2 hidden behind: step 1 comes back as it
    // was, step 2 still behind it.
    FormAnalog()->txtnumAnalog->setText("1");
    FormAnalog()->vaSpread1->Escribir(1, 1, "Va");
    FormAnalog()->cmdOK_Click();
    Procesar();
    frmTrifasic* t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    t->cmdvolver_Click();
    frmAnalog* a = FormAnalog();
    a->cmdmodelos_Click();
    Procesar();
    CerrarFormulario(FormBaseModelo());
    Procesar();
    EXPECT_EQ(FormBaseModelo(), nullptr);
    EXPECT_EQ(FormAnalog(), a);
    EXPECT_TRUE(Visible(a));
    EXPECT_EQ(a->vaSpread1->Text(1, 1), "Va");
    EXPECT_EQ(FormTrifasic(), t);
    EXPECT_FALSE(Visible(t));
}

// Steps 1 and 2 show which record channel a row stands for: the grid's
// row-number column and a slot's number box.
TEST_F(WizardFormsTest, MendedTheStepsShowTheRecordChannelOfEachRow)
{
    Plantilla("corr.cnf", "ver 1.1\nCORR\nANALOGICOS\n 3 \n4%IA%%A$\n5%IB%%A$\n6%IC%%A$\n"
                          "TRIFASICOS\n 1 \n4%5%6%CORR%1$\n-----\n");
    Arrancar();
    AbrirFrmPlantilla();
    FormPlantilla()->File1->SetFileName("corr.cnf");
    FormPlantilla()->File1_Click();
    FormPlantilla()->cmdModif_Click();
    Procesar();
    frmAnalog* a = FormAnalog();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->vaSpread1->Text(0, 0), T(34));
    EXPECT_EQ(a->vaSpread1->Text(1, 0), "4");
    EXPECT_EQ(a->vaSpread1->Text(3, 0), "6");
    a->txtnumAnalog->setText("4");
    EXPECT_EQ(a->vaSpread1->Text(4, 0), "1");
    a->txtnumAnalog->setText("3");
    a->cmdOK_Click();
    Procesar();
    frmTrifasic* t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->grp[1][1]->text(), "IA");
    EXPECT_EQ(t->lbl[1][1]->text(), "4");
    EXPECT_EQ(t->lbl[1][3]->text(), "6");
    t->grp_DblClick(1, 2);
    EXPECT_EQ(t->lbl[1][2]->text(), "");
    t->ListTrif_DblClick(1, 1);
    EXPECT_EQ(t->lbl[1][2]->text(), "5");
    t->cmdOK_Click();
    Procesar();
    EXPECT_EQ(test::Row(Plantillas().TrifasicosPlantilla, 1), QStringList({"4", "5", "6", "CORR", "1"}));
}

} // namespace
} // namespace vesdra
