#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/file_lists.h"
#include "platform/spread_grid.h"
#include "record/record_model.h"
#include "shell/abrir_comtrade.h"
#include "shell/frm_plantilla.h"
#include "templates/template_state.h"
#include "wizard/frm_base_modelo.h"
#include "wizard/frm_salva_plan.h"
#include "wizard_fixture.h"

namespace vesdra {
namespace {

// The wizard's keys over the bundled sample record (8 analog, 24 digital
// channels), each key sent to the control holding the keyboard, as the
// window system sends it. Escape goes back only while going back keeps
// everything the step shows.
class WizardKeysTest : public WizardFormsTest
{
protected:
    void SetUp() override
    {
        WizardFormsTest::SetUp();
        AbrirMuestra();
    }
    static void ClicEnEntrada(QListWidget* lista, int fila)
    {
        ASSERT_NE(lista, nullptr);
        ASSERT_LT(fila, lista->count());
        lista->scrollToItem(lista->item(fila));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                          lista->visualItemRect(lista->item(fila)).center());
        Procesar();
        ASSERT_EQ(QApplication::focusWidget(), lista);
    }
    // The editor of a grid cell opened by a click, its text selected; nullptr
    // unless it holds the keyboard.
    static QLineEdit* EditarCelda(SpreadGrid* grid, int fila, int columna)
    {
        QLineEdit* editor = OpenCellEditor(grid, fila, columna);
        return editor && QApplication::focusWidget() == editor ? editor : nullptr;
    }

    frmAnalog& Paso1()
    {
        frmAnalog& a = Nueva();
        Procesar();
        EXPECT_TRUE(Visible(&a));
        return a;
    }
    frmTrifasic* Paso2()
    {
        Clic(Paso1().cmdOK);
        return FormTrifasic();
    }
    frmDigital* Paso3()
    {
        frmTrifasic* t = Paso2();
        if (!t)
            return nullptr;
        Clic(t->cmdOK);
        return FormDigital();
    }
};

// Step 1: Enter in the identifier moves on to the count; Enter in a cell
// being edited ends the edit and stays, Escape there drops the edit and
// stays; Enter on the grid continues.
// Escape goes back to the template dialog only while nothing was typed and
// the later steps hold nothing: back leaves the wizard, and the wizard
// started again proposes afresh.
TEST_F(WizardKeysTest, StepOneKeepsTypedRowsFromEscapeAndEndsACellEditOnEnter)
{
    frmAnalog& a = Paso1();
    ASSERT_EQ(QApplication::focusWidget(), a.txtIdentif);
    Pulsar(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), a.txtnumAnalog);
    EXPECT_EQ(FormTrifasic(), nullptr);

    SpreadGrid* grid = a.vaSpread1;
    const QString antes = grid->Text(1, 2);
    // Escape in a cell being edited drops that edit only; the step stays.
    QLineEdit* editor = EditarCelda(grid, 1, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "VB");
    Pulsar(Qt::Key_Escape);
    EXPECT_EQ(grid->Text(1, 2), antes);
    EXPECT_TRUE(Visible(&a));
    EXPECT_EQ(FormPlantilla(), nullptr);

    editor = EditarCelda(grid, 1, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "VA BARRA");
    Pulsar(Qt::Key_Return);
    EXPECT_EQ(grid->Text(1, 1), "VA BARRA");
    EXPECT_EQ(FormTrifasic(), nullptr) << "Enter ended the edit and went no further";
    EXPECT_EQ(QApplication::focusWidget(), grid);

    // A row typed: Escape keeps it.
    Pulsar(Qt::Key_Escape);
    EXPECT_EQ(FormAnalog(), &a);
    EXPECT_TRUE(Visible(&a));
    EXPECT_EQ(FormPlantilla(), nullptr);

    Pulsar(Qt::Key_Return);
    frmTrifasic* t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(Visible(t));
    EXPECT_FALSE(Visible(&a));
    EXPECT_EQ(Plantillas().AnalogicosPlantilla(1, 2), "VA BARRA");

    // Step 2, nothing typed in it: Escape goes back to step 1 as it was.
    Pulsar(Qt::Key_Escape);
    EXPECT_TRUE(Visible(&a));
    EXPECT_FALSE(Visible(t));
    EXPECT_EQ(a.vaSpread1->Text(1, 1), "VA BARRA");
    // Back from here would drop step 2, loaded behind it.
    a.activateWindow();
    a.txtnumAnalog->setFocus();
    Pulsar(Qt::Key_Escape);
    EXPECT_TRUE(Visible(&a));
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_EQ(FormTrifasic(), t);
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
}

// Step 2: Enter on a chosen channel fills the set's current slot, as a
// double-click does. Escape goes back, keeping a set beyond the count that
// holds a name; continue then shows the stored sets again, the one beyond
// the count too.
TEST_F(WizardKeysTest, StepTwoFillsSlotsOnEnterAndEscapeKeepsASetBeyondTheCount)
{
    frmTrifasic* t = Paso2();
    ASSERT_NE(t, nullptr);
    Teclear(t->txtnumTrif, "2");
    Teclear(t->nbTrif[2], "LINEA 2");
    Teclear(t->txtnumTrif, "1");
    Teclear(t->nbTrif[1], "LINEA 1");
    for (int fila = 0; fila < 3; ++fila) {
        ClicEnEntrada(t->ListTrif[1], fila);
        Pulsar(Qt::Key_Return);
        EXPECT_EQ(t->lbl[1][fila + 1]->text(), QString::number(fila + 1)) << fila;
    }
    EXPECT_EQ(FormDigital(), nullptr) << "Enter on the list did not continue";

    Pulsar(Qt::Key_Escape);
    EXPECT_FALSE(Visible(t));
    ASSERT_NE(FormAnalog(), nullptr);
    EXPECT_TRUE(Visible(FormAnalog()));
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();

    Clic(FormAnalog()->cmdOK);
    frmTrifasic* otra = FormTrifasic();
    ASSERT_NE(otra, nullptr);
    EXPECT_EQ(otra->txtnumTrif->text(), "1");
    EXPECT_EQ(otra->nbTrif[1]->text(), "LINEA 1");
    EXPECT_EQ(otra->lbl[1][3]->text(), "3");
    EXPECT_EQ(otra->nbTrif[2]->text(), "LINEA 2");
    EXPECT_FALSE(otra->nbTrif[2]->isEnabled());
}

// Step 3: Enter in the name box does nothing (a name typed there is for
// Añadir or a rename). A group without members would be dropped by back:
// Escape keeps it. Enter on a chosen signal fills the current slot; with a
// member, Escape goes back, and continue shows the group again.
TEST_F(WizardKeysTest, StepThreeEnterLeavesATypedNameAndEscapeKeepsAGroupWithoutMembers)
{
    frmDigital* d = Paso3();
    ASSERT_NE(d, nullptr);
    Teclear(d->txtnbgrp, "DISPAROS");
    Clic(d->cmdAnadir);
    ASSERT_EQ(d->List2->count(), 1);

    // A name typed in the name box: Enter neither renames the group shown
    // nor continues.
    Teclear(d->txtnbgrp, "ALARMAS");
    Pulsar(Qt::Key_Return);
    EXPECT_EQ(FormSalvaPlan(), nullptr);
    EXPECT_TRUE(Visible(d));
    EXPECT_EQ(d->List2->item(0)->text(), "DISPAROS");
    EXPECT_EQ(d->txtnbgrp->text(), "ALARMAS");
    Teclear(d->txtnbgrp, "DISPAROS");
    Boxes().Clear();

    Pulsar(Qt::Key_Escape);
    EXPECT_TRUE(Visible(d));
    EXPECT_EQ(d->List2->count(), 1);

    ClicEnEntrada(d->List1, 2);
    Pulsar(Qt::Key_Return);
    EXPECT_EQ(d->grp[1]->text(), Registro().NombresDigitales(3));
    EXPECT_EQ(FormSalvaPlan(), nullptr) << "Enter on the list did not continue";

    Pulsar(Qt::Key_Escape);
    EXPECT_FALSE(Visible(d));
    ASSERT_NE(FormTrifasic(), nullptr);
    EXPECT_TRUE(Visible(FormTrifasic()));

    Clic(FormTrifasic()->cmdOK);
    frmDigital* otra = FormDigital();
    ASSERT_NE(otra, nullptr);
    ASSERT_EQ(otra->List2->count(), 1);
    EXPECT_EQ(otra->List2->item(0)->text(), "DISPAROS");
    EXPECT_EQ(otra->grp[1]->text(), Registro().NombresDigitales(3));
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
}

// Step 4: back drops the name and the folder chosen, so Escape goes back
// only while neither was touched. Enter on a folder opens it and saves
// nothing; Enter in the name box saves once.
TEST_F(WizardKeysTest, StepFourEscapeKeepsTheNameAndFolderAndEnterOpensAFolderWithoutSaving)
{
    ASSERT_TRUE(QDir().mkpath(Carpeta("Plantillas/sub")));
    frmDigital* d = Paso3();
    ASSERT_NE(d, nullptr);
    Clic(d->cmdOK);
    frmSalvaPlan* s = FormSalvaPlan();
    ASSERT_NE(s, nullptr);

    Teclear(s->Text2, "rele");
    Pulsar(Qt::Key_Escape);
    ASSERT_EQ(FormSalvaPlan(), s);
    EXPECT_EQ(s->Text2->text(), "rele");
    Teclear(s->Text2, "");
    Pulsar(Qt::Key_Escape);
    EXPECT_EQ(FormSalvaPlan(), nullptr);
    EXPECT_TRUE(Visible(FormDigital()));

    Clic(FormDigital()->cmdOK);
    s = FormSalvaPlan();
    ASSERT_NE(s, nullptr);
    const QList<QListWidgetItem*> sub = s->Dir1->findItems("sub", Qt::MatchExactly);
    ASSERT_EQ(sub.size(), 1);
    ClicEnEntrada(s->Dir1, s->Dir1->row(sub.front()));
    Pulsar(Qt::Key_Return);
    ASSERT_EQ(FormSalvaPlan(), s);
    EXPECT_EQ(QDir(s->Dir1->Path()), QDir(Carpeta("Plantillas/sub")));
    EXPECT_TRUE(Boxes().Calls().empty())
        << "Enter on the folder pressed save: " << Mensajes().join('|').toStdString();

    // Another folder chosen: Escape keeps it.
    Pulsar(Qt::Key_Escape);
    ASSERT_EQ(FormSalvaPlan(), s);

    Teclear(s->Text2, "rele");
    Pulsar(Qt::Key_Return);
    EXPECT_EQ(FormSalvaPlan(), nullptr);
    EXPECT_TRUE(QFile::exists(Carpeta("Plantillas/sub/rele.cnf")));
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
}

// The model chooser: Enter on a model chosen in the list takes it and
// accepts it. Escape in step 1 as the model left it goes back to the
// template dialog, which ends the pass: a new template proposes the
// record's station and rows, not the model's.
TEST_F(WizardKeysTest, EnterOnAModelChosenInTheChooserAcceptsThatModelAndEscapeEndsThePass)
{
    ModelosMuestra();
    Clic(Paso1().cmdmodelos);
    frmBaseModelo* b = FormBaseModelo();
    ASSERT_NE(b, nullptr);
    ASSERT_GE(b->List1->count(), 2);
    const QString modelo = b->List1->item(1)->text();
    ClicEnEntrada(b->List1, 1);
    EXPECT_EQ(b->lblNomModelo->text(), "") << "a click takes no model";
    Pulsar(Qt::Key_Return);
    EXPECT_EQ(FormBaseModelo(), nullptr);
    ASSERT_NE(FormAnalog(), nullptr);
    EXPECT_EQ(FormAnalog()->txtIdentif->text(), modelo);
    const QString fila1 = FormAnalog()->vaSpread1->Text(1, 1);
    const std::int32_t filas = FormAnalog()->vaSpread1->MaxRows();
    EXPECT_NE(fila1, Registro().TablaCanales(1, 2));

    Pulsar(Qt::Key_Escape);
    EXPECT_EQ(FormAnalog(), nullptr);
    ASSERT_NE(FormPlantilla(), nullptr);
    FormPlantilla()->cmdNueva->click();
    Procesar();
    ASSERT_NE(FormAnalog(), nullptr);
    EXPECT_EQ(FormAnalog()->txtIdentif->text(), Registro().NombreEstacion);
    EXPECT_NE(FormAnalog()->vaSpread1->MaxRows(), filas);
    EXPECT_EQ(FormAnalog()->vaSpread1->MaxRows(), Registro().NumAnalogicos);
    EXPECT_EQ(FormAnalog()->vaSpread1->Text(1, 1), Registro().TablaCanales(1, 2));
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
}

} // namespace
} // namespace vesdra
