#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "platform/file_lists.h"
#include "platform/spread_grid.h"
#include "record/record_model.h"
#include "shell/abrir_comtrade.h"
#include "templates/model_db.h"
#include "wizard/frm_base_modelo.h"
#include "wizard/frm_digital.h"
#include "wizard/frm_salva_plan.h"
#include "wizard_fixture.h"

namespace vesdra {
namespace {

// The wizard over the bundled sample record (8 analog, 24 digital
// channels), driven by the mouse and the keyboard as a user drives it.
class WizardTypedWorkTest : public WizardFormsTest
{
protected:
    static QString Canal(std::int32_t i) { return Registro().TablaCanales(i, 2); }
};

// Names typed into rows of step 1, then the count retyped digit by digit
// (24 to 30 passes through 3; cleared, then 25 passes through 2): every
// typed row keeps its name, rows never typed take the record's.
TEST_F(WizardTypedWorkTest, MendedRetypingTheCountKeepsTheNamesTypedInTheGrid)
{
    AbrirMuestra();
    AbrirFrmPlantilla();
    ASSERT_NE(FormPlantilla(), nullptr);
    Clic(FormPlantilla()->cmdNueva);
    frmAnalog* a = FormAnalog();
    ASSERT_NE(a, nullptr);
    a->show();
    ASSERT_EQ(a->txtnumAnalog->text(), "8");
    Teclear(a->txtnumAnalog, "24");
    ASSERT_EQ(a->vaSpread1->MaxRows(), 24);
    TeclearCelda(a->vaSpread1, 1, 1, "VA BARRA 1");
    TeclearCelda(a->vaSpread1, 3, 2, "FASE C");
    TeclearCelda(a->vaSpread1, 5, 1, "IB LINEA 2");
    TeclearCelda(a->vaSpread1, 20, 3, "mA");
    ASSERT_EQ(a->vaSpread1->Text(5, 1), "IB LINEA 2");
    const auto tecleadas = [&] {
        EXPECT_EQ(a->vaSpread1->Text(1, 1), "VA BARRA 1");
        EXPECT_EQ(a->vaSpread1->Text(3, 1), Canal(3));
        EXPECT_EQ(a->vaSpread1->Text(3, 2), "FASE C");
        EXPECT_EQ(a->vaSpread1->Text(5, 1), "IB LINEA 2");
        EXPECT_EQ(a->vaSpread1->Text(20, 3), "mA");
        // Rows never typed: the record's, or blank beyond its channels.
        EXPECT_EQ(a->vaSpread1->Text(2, 1), Canal(2));
        EXPECT_EQ(a->vaSpread1->Text(4, 1), Canal(4));
        EXPECT_EQ(a->vaSpread1->Text(8, 1), Canal(8));
        EXPECT_EQ(a->vaSpread1->Text(9, 1), "");
        // Each row still stands for its own channel.
        EXPECT_EQ(a->vaSpread1->Text(5, 0), "5");
        EXPECT_EQ(a->vaSpread1->Text(20, 0), "20");
    };

    Teclear(a->txtnumAnalog, "30");
    EXPECT_EQ(a->vaSpread1->MaxRows(), 30);
    tecleadas();
    EXPECT_EQ(a->vaSpread1->Text(30, 1), "");

    // Cleared with Backspace, then 25.
    QTest::mouseClick(a->txtnumAnalog, Qt::LeftButton);
    QTest::keyClick(a->txtnumAnalog, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(a->txtnumAnalog, Qt::Key_Backspace);
    Procesar();
    EXPECT_EQ(a->vaSpread1->MaxRows(), 0);
    QTest::keyClicks(a->txtnumAnalog, "25");
    Procesar();
    EXPECT_EQ(a->vaSpread1->MaxRows(), 25);
    tecleadas();
    EXPECT_TRUE(Boxes().Calls().empty());

    // Back to the record's 8, and continue stores what the grid shows.
    Teclear(a->txtnumAnalog, "8");
    Clic(a->cmdOK);
    ASSERT_NE(FormTrifasic(), nullptr);
    const TemplateState& p = Plantillas();
    EXPECT_EQ(p.NumAnalogicosPlantilla, 8);
    EXPECT_EQ(test::Row(p.AnalogicosPlantilla, 1),
              QStringList({"1", "VA BARRA 1", Registro().TablaCanales(1, 3), Registro().TablaCanales(1, 4)}));
    EXPECT_EQ(test::Row(p.AnalogicosPlantilla, 3),
              QStringList({"3", Canal(3), "FASE C", Registro().TablaCanales(3, 4)}));
    EXPECT_EQ(test::Row(p.AnalogicosPlantilla, 5),
              QStringList({"5", "IB LINEA 2", Registro().TablaCanales(5, 3), Registro().TablaCanales(5, 4)}));
    EXPECT_TRUE(Boxes().Calls().empty());
}

// A template made from a relay model and saved: later passes of the same
// session offer step 3 the open record's 24 digital channels, not the
// model's status signals; so does a model pass left back to the template
// dialog and started again.
TEST_F(WizardTypedWorkTest, MendedStepThreeOffersTheRecordsSignalsAfterATemplateFromAModel)
{
    ModelosMuestra();
    AbrirMuestra();
    const std::int32_t digitales = Registro().NumDigitales;
    ASSERT_EQ(digitales, 24);

    // Steps 1 and 2 gone through with their continue buttons.
    const auto hastaPaso3 = [&]() -> frmDigital* {
        if (frmAnalog* a = FormAnalog())
            Clic(a->cmdOK);
        if (frmTrifasic* t = FormTrifasic())
            Clic(t->cmdOK);
        frmDigital* d = FormDigital();
        if (d)
            d->show();
        return d;
    };
    // The model chooser from step 1, the first model double-clicked and
    // taken.
    const auto delPrimerModelo = [&] {
        ASSERT_NE(FormAnalog(), nullptr);
        Clic(FormAnalog()->cmdmodelos);
        frmBaseModelo* b = FormBaseModelo();
        ASSERT_NE(b, nullptr);
        DobleClic(b->List1, 0);
        ASSERT_EQ(b->lblNomModelo->text(), "RD-21");
        Clic(b->cmdOK);
        ASSERT_NE(FormAnalog(), nullptr);
    };
    // One group of the first signal offered, and the template saved under
    // `nombre` with Enter.
    const auto guardar = [&](frmDigital* d, const QString& nombre) {
        Teclear(d->txtnbgrp, "G");
        Clic(d->cmdAnadir);
        DobleClic(d->List1, 0);
        Clic(d->cmdOK);
        frmSalvaPlan* s = FormSalvaPlan();
        ASSERT_NE(s, nullptr);
        Teclear(s->Text2, nombre);
        QTest::keyClick(s->Text2, Qt::Key_Return);
        Procesar();
        ASSERT_EQ(FormSalvaPlan(), nullptr);
        ASSERT_TRUE(QFile::exists(Carpeta("Plantillas/") + nombre + ".cnf"));
    };
    const auto nueva = [&] {
        AbrirFrmPlantilla();
        ASSERT_NE(FormPlantilla(), nullptr);
        Clic(FormPlantilla()->cmdNueva);
    };

    nueva();
    delPrimerModelo();
    frmDigital* d = hastaPaso3();
    ASSERT_NE(d, nullptr);
    // The model's status signals.
    const int delModelo = d->List1->count();
    ASSERT_GT(delModelo, 0);
    ASSERT_NE(delModelo, digitales);
    guardar(d, "modelo");
    DescargarFrmPlantilla();
    Procesar();

    enum class Pase { Nueva, Modificar, ModeloDeVuelta };
    const struct {
        const char* que;
        Pase pase;
    } casos[] = {
        {"nueva, then saved as a template for the record", Pase::Nueva},
        {"modificar of the template made for the record", Pase::Modificar},
        {"a model pass gone back from step 3 to the dialog, then nueva", Pase::ModeloDeVuelta},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        if (c.pase == Pase::Modificar) {
            AbrirFrmPlantilla();
            frmPlantilla* dlg = FormPlantilla();
            ASSERT_NE(dlg, nullptr);
            const QList<QListWidgetItem*> registro =
                dlg->File1->findItems("registro.cnf", Qt::MatchFixedString);
            ASSERT_EQ(registro.size(), 1);
            QTest::mouseClick(dlg->File1->viewport(), Qt::LeftButton, {},
                              dlg->File1->visualItemRect(registro.front()).center());
            Procesar();
            Clic(dlg->cmdModif);
        } else if (c.pase == Pase::ModeloDeVuelta) {
            nueva();
            delPrimerModelo();
            frmDigital* m = hastaPaso3();
            ASSERT_NE(m, nullptr);
            ASSERT_EQ(m->List1->count(), delModelo);
            Clic(m->cmdvolver);
            Clic(FormTrifasic()->cmdvolver);
            Clic(FormAnalog()->cmdvolver);
            ASSERT_NE(FormPlantilla(), nullptr);
            Clic(FormPlantilla()->cmdNueva);
        } else {
            nueva();
            // Named for the record: modificar then offers its signals.
            ASSERT_NE(FormAnalog(), nullptr);
            Teclear(FormAnalog()->txtIdentif, Registro().NombreEstacion);
        }
        frmDigital* r = hastaPaso3();
        ASSERT_NE(r, nullptr);
        ASSERT_EQ(r->List1->count(), digitales);
        EXPECT_EQ(r->List1->item(0)->text(), Registro().NombresDigitales(1));
        EXPECT_EQ(r->List1->item(23)->text(), Registro().NombresDigitales(24));
        if (c.pase == Pase::Nueva) {
            guardar(r, "registro");
        } else {
            Clic(r->cmdcancel);
        }
        DescargarFrmPlantilla();
        Procesar();
    }
}

// The relay-model index is read once in a wizard pass (the chooser's list,
// the model's measurements, its status signals), and again in the next.
TEST_F(WizardTypedWorkTest, MendedTheModelIndexIsReadOncePerPass)
{
    const Contador* contador = ContarLecturasIndice();
    ModelosMuestra();
    Arrancar();
    for (int pase = 1; pase <= 2; ++pase) {
        SCOPED_TRACE(pase);
        ASSERT_NE(FirstModelToStep3(), nullptr);
        EXPECT_GT(FormDigital()->List1->count(), 0);
        EXPECT_EQ(contador->Indice, pase);
        FormDigital()->cmdcancel_Click();
        Procesar();
        DescargarFrmPlantilla();
        Procesar();
    }
    EXPECT_TRUE(Boxes().Calls().empty());
}

} // namespace
} // namespace vesdra
