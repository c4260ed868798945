#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "analysis/frm_fasecuencias.h"
#include "analysis/frm_fases.h"
#include "app/registro_vistas.h"
#include "platform/file_lists.h"
#include "platform/spread_grid.h"
#include "platform/text_box.h"
#include "record/record_model.h"
#include "shell/abrir_comtrade.h"
#include "shell/menu_commands.h"
#include "shell/view_services.h"
#include "templates/template_texts.h"
#include "views/digital/frm19.h"
#include "views/digital/frm_elecdig.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/waves_services.h"
#include "wizard/frm_base_modelo.h"
#include "wizard/frm_digital.h"
#include "wizard/frm_salva_plan.h"
#include "wizard_fixture.h"

namespace vesdra {
namespace {

class WizardSteps34Test : public WizardFormsTest
{
protected:
    void TearDown() override
    {
        DescargarVistas();
        Procesar();
        WizardFormsTest::TearDown();
    }

    static void Grupo(frmDigital& d, const QString& nombre, const std::vector<int>& senales)
    {
        d.txtnbgrp->setText(nombre);
        d.cmdAnadir_Click();
        for (int s : senales)
            d.List1_DblClick(s);
    }
    static QStringList Entradas(const QListWidget& l)
    {
        QStringList t;
        for (int i = 0; i < l.count(); ++i)
            t << l.item(i)->text();
        return t;
    }
    // The lines of a template file from its DIGITALES heading on.
    static QStringList Digitales(const QString& ruta)
    {
        const QStringList l = QString::fromLatin1(test::ReadBytes(ruta)).split("\r\n");
        return l.mid(l.indexOf("DIGITALES"));
    }
    bool Cargados() const { return FormAnalog() && FormTrifasic() && FormDigital(); }
};

// What a user does first: a template from nothing for a public 1991 record
// (analog names, two three-phase sets, three digital groups), saved, applied
// and shown in the views; then modified (a group renamed, one deleted) and
// saved over.
TEST_F(WizardSteps34Test, TemplateForThe1991RecordMadeAppliedViewedAndModified)
{
    const QString dat = QStringLiteral(VESDRA_SAMPLES_DIR "/sel311l_1991_ascii.dat");
    if (!QFile::exists(dat))
        GTEST_SKIP() << "public samples not found";
    ASSERT_NO_FATAL_FAILURE(CopiarIconos());
    Arrancar();
    RegistrarVistas();
    ASSERT_TRUE(AbrirRegistro(DerivarRutas(dat)).Abierto());
    DescargarFrmPlantilla();
    Procesar();
    Boxes().Clear();

    frmAnalog& a = Nueva();
    EXPECT_EQ(a.txtnumAnalog->text(), "24");
    a.txtIdentif->setText("SEL-311L LINEA 1");
    a.vaSpread1->Escribir(6, 1, "VA");
    a.vaSpread1->Escribir(7, 1, "VB");
    a.vaSpread1->Escribir(8, 1, "VC");
    a.cmdOK_Click();
    Procesar();
    frmTrifasic* t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    t->txtnumTrif->setText("2");
    for (std::int32_t k = 0; k < 3; ++k) {
        t->ListTrif_DblClick(1, k);
        t->ListTrif_DblClick(2, 5 + k);
    }
    t->nbTrif[1]->setText("INTENSIDADES");
    t->nbTrif[2]->setText("TENSIONES");
    t->txtFactor[1]->setText("1");
    t->txtFactor[2]->setText("1");
    t->cmdOK_Click();
    Procesar();

    // Step 3 offers the record's 592 digital channels.
    frmDigital* d = FormDigital();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(Visible(d));
    EXPECT_FALSE(Visible(t));
    EXPECT_EQ(d->windowTitle(), T(47));
    ASSERT_EQ(d->List1->count(), 592);
    EXPECT_EQ(d->List1->item(1)->text(), "TRP");
    EXPECT_EQ(d->txtGrupos->text(), "0");
    Grupo(*d, "DISPAROS", {1});
    Grupo(*d, "ELEMENTOS", {4, 5});
    Grupo(*d, "ESTADO", {0, 2, 3});
    EXPECT_EQ(Entradas(*d->List2), QStringList({"DISPAROS", "ELEMENTOS", "ESTADO"}));
    EXPECT_EQ(d->txtGrupos->text(), "3");
    EXPECT_EQ(d->grp[3]->text(), "COMM");
    EXPECT_EQ(d->lbl[3]->text(), "4");
    EXPECT_EQ(Marcador(d->lblpunt[4]), OleColor(QBColor(14)));
    d->List2->setCurrentRow(1);
    EXPECT_EQ(d->txtnbgrp->text(), "ELEMENTOS");
    EXPECT_EQ(d->grp[2]->text(), "50_51");
    d->cmdOK_Click();
    Procesar();

    // Step 4: the templates folder; the name typed; saved.
    frmSalvaPlan* s = FormSalvaPlan();
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(Visible(d));
    EXPECT_EQ(s->windowTitle(), T(93));
    EXPECT_EQ(s->Text1->text(), Carpeta("Plantillas"));
    EXPECT_EQ(s->Text2->text(), "");
    // A long folder keeps its start and its last folder in sight, whole on hover.
    const QString larga = Carpeta("Plantillas/una carpeta de nombre muy largo/y otra más/plantillas de 2024");
    ASSERT_TRUE(QDir().mkpath(larga));
    s->Dir1->SetPath(larga);
    EXPECT_TRUE(test::RutaCortadaEnMedio(*s->Text1, larga));
    s->Dir1->SetPath(Carpeta("Plantillas"));
    EXPECT_EQ(s->Text1->text(), Carpeta("Plantillas"));
    s->Text2->setText("sel311l");
    s->cmdOK_Click();
    Procesar();
    EXPECT_EQ(FormSalvaPlan(), nullptr);
    EXPECT_FALSE(Cargados());
    EXPECT_EQ(FormAnalog(), nullptr);
    ASSERT_NE(FormPlantilla(), nullptr);
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
    const QString ruta = Carpeta("Plantillas/sel311l.cnf");
    EXPECT_EQ(Digitales(ruta),
              QStringList({"DIGITALES", "6",         " 3 ",     "***",     "DISPAROS", " 1 ", "2%TRP$",
                           "***",       "ELEMENTOS", " 2 ",     "5%87$",   "6%50_51$", "***", "ESTADO",
                           " 3 ",       "1%EN$",     "3%TIME$", "4%COMM$", "-----",    ""}));

    // Applied through the dialog.
    frmPlantilla* dlg = FormPlantilla();
    dlg->File1->SetFileName("sel311l.cnf");
    dlg->File1_Click();
    dlg->cmdBuscar_Click();
    Procesar();
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
    const TemplateState& p = Plantillas();
    EXPECT_TRUE(p.PlantillaAplicada);
    EXPECT_EQ(Registro().NombreEstacion, "SEL-311L LINEA 1");
    EXPECT_EQ(p.NumTrifasicos, 2);
    EXPECT_EQ(p.NumGruposDigitales, 3);
    EXPECT_EQ(Registro().TablaCanales(6, 2), "VA");

    // The views open with it.
    ComandoCanalog();
    frmNewOndas& o = NewOndas();
    for (std::int32_t k = 0; k < 3; ++k) {
        o.lblpunt_Click(k + 1);
        o.List1_DblClick(5 + k);
    }
    o.cmdOK_Click();
    Procesar();
    EXPECT_FALSE(ondas::VentanasOndasAbiertas().empty()) << Mensajes().join("|").toStdString();

    ComandoFasores();
    frmFasecuencias* f = Fasecuencias();
    ASSERT_NE(f, nullptr);
    f->fas[0]->setChecked(true);
    f->fas[1]->setChecked(true);
    f->cmdOK_Click();
    Procesar();
    EXPECT_NE(Fases(), nullptr);

    ComandoDigGrupos();
    frmElecdig* e = ElecdigCargado();
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(e->optdg[2]->isEnabled());
    EXPECT_FALSE(e->optdg[4]->isEnabled());
    e->optdg[2]->setChecked(true);
    e->ElegirAnalogico(0);
    e->cmdOK_Click();
    Procesar();
    frm19* v = Frm19();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->FilasDigitales().size(), 2u);
    EXPECT_EQ(v->NombresCompletos()[2], "50_51");
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
    DescargarVistas();
    Procesar();

    // modificar: a group renamed and one deleted, saved over the same name.
    AbrirFrmPlantilla();
    dlg = FormPlantilla();
    dlg->File1->SetFileName("sel311l.cnf");
    dlg->File1_Click();
    dlg->cmdModif_Click();
    Procesar();
    ASSERT_NE(FormAnalog(), nullptr);
    EXPECT_EQ(FormAnalog()->txtIdentif->text(), "SEL-311L LINEA 1");
    FormAnalog()->cmdOK_Click();
    Procesar();
    ASSERT_NE(FormTrifasic(), nullptr);
    EXPECT_EQ(FormTrifasic()->nbTrif[2]->text(), "TENSIONES");
    FormTrifasic()->cmdOK_Click();
    Procesar();
    d = FormDigital();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->List1->count(), 592); // the record the template was made for
    EXPECT_EQ(Entradas(*d->List2), QStringList({"DISPAROS", "ELEMENTOS", "ESTADO"}));
    EXPECT_EQ(d->List2->currentRow(), 0);
    EXPECT_EQ(d->grp[1]->text(), "TRP");
    d->txtnbgrp->setText("DISPAROS LINEA 1");
    d->List2->setCurrentRow(2);
    // The rename is taken and the selection stays on it.
    EXPECT_EQ(Entradas(*d->List2), QStringList({"DISPAROS LINEA 1", "ELEMENTOS", "ESTADO"}));
    EXPECT_EQ(d->List2->currentRow(), 0);
    d->List2->setCurrentRow(1);
    Boxes().QueueAnswer(vbCancel);
    d->cmdEliminar_Click();
    EXPECT_EQ(d->List2->count(), 3);
    d->cmdEliminar_Click();
    EXPECT_EQ(Mensajes(), QStringList({T(252), T(252)}));
    EXPECT_EQ(Entradas(*d->List2), QStringList({"DISPAROS LINEA 1", "ESTADO"}));
    EXPECT_EQ(d->txtGrupos->text(), "2");
    EXPECT_EQ(d->txtnbgrp->text(), "DISPAROS LINEA 1");
    d->cmdOK_Click();
    Procesar();
    s = FormSalvaPlan();
    ASSERT_NE(s, nullptr);
    s->File1->SetFileName("sel311l.cnf");
    s->File1_Click();
    EXPECT_EQ(s->Text2->text(), "sel311l");
    Boxes().Clear();
    s->cmdOK_Click();
    Procesar();
    EXPECT_EQ(Mensajes(), QStringList({T(138)}));
    EXPECT_EQ(Boxes().Last().Style, vbOKCancel);
    EXPECT_NE(FormPlantilla(), nullptr);
    EXPECT_FALSE(Cargados());
    EXPECT_EQ(Digitales(ruta),
              QStringList({"DIGITALES", "4", " 2 ", "***", "DISPAROS LINEA 1", " 1 ", "2%TRP$", "***",
                           "ESTADO", " 3 ", "1%EN$", "3%TIME$", "4%COMM$", "-----", ""}));
}

TEST_F(WizardSteps34Test, StepThreeRefusesWhatTheTemplateCannotHoldAndStays)
{
    Arrancar();
    frmDigital& d = HastaPaso3();
    EXPECT_EQ(d.List1->count(), 0); // no record, no model
    // A signal picked before any group exists.
    d.List1_DblClick(0);
    Boxes().Clear();
    Grupo(d, "G1", {});
    d.grp[1]->setText("Disparo");
    // Anything but a channel number is refused as typed.
    d.lbl[1]->setText("1x");
    EXPECT_EQ(Mensajes(), QStringList({T(175)}));
    EXPECT_EQ(d.lbl[1]->text(), "");
    d.lbl[1]->setText("7");
    d.grp[2]->setText("Sin numero");
    Grupo(d, "G2", {});
    // The member without a number is left out, and said so.
    EXPECT_EQ(Mensajes().mid(1), QStringList({T(139) + "Sin numero"}));
    Boxes().Clear();
    d.cmdOK_Click();
    Procesar();
    EXPECT_EQ(Mensajes(), QStringList({T(179) + "2" + T(180)}));
    EXPECT_TRUE(Visible(&d));
    EXPECT_EQ(FormSalvaPlan(), nullptr);

    d.List2->setCurrentRow(1);
    d.cmdEliminar_Click();
    d.txtnbgrp->setText("G%1");
    Boxes().Clear();
    d.cmdOK_Click();
    EXPECT_EQ(Mensajes(), QStringList({T(176)}));
    EXPECT_TRUE(Visible(&d));
    d.txtnbgrp->setText("");
    EXPECT_EQ(Mensajes().mid(1), QStringList({T(182)}));
    d.txtnbgrp->setText("G1");

    // Back to step 2 and on again: step 3 comes back with its group.
    d.cmdvolver_Click();
    Procesar();
    ASSERT_NE(FormTrifasic(), nullptr);
    EXPECT_TRUE(Visible(FormTrifasic()));
    EXPECT_FALSE(Visible(&d));
    FormTrifasic()->cmdOK_Click();
    Procesar();
    frmDigital* otra = FormDigital();
    ASSERT_NE(otra, nullptr);
    EXPECT_EQ(Entradas(*otra->List2), QStringList({"G1"}));
    EXPECT_EQ(otra->grp[1]->text(), "Disparo");
    EXPECT_EQ(otra->lbl[1]->text(), "7");
    otra->cmdOK_Click();
    Procesar();
    ASSERT_NE(FormSalvaPlan(), nullptr);
    EXPECT_EQ(test::Row(Plantillas().GruposEdicion, 1).mid(0, 3), QStringList({"G1", "1", "Disparo"}));
    EXPECT_EQ(Plantillas().CanalesEdicion(1, 3), 7);

    // Back from step 4 shows step 3 as it was left; on again, step 4
    // afresh.
    FormSalvaPlan()->Text2->setText("x");
    FormSalvaPlan()->cmdvolver_Click();
    Procesar();
    EXPECT_EQ(FormSalvaPlan(), nullptr);
    EXPECT_TRUE(Visible(otra));
    EXPECT_EQ(otra->txtnbgrp->text(), "G1");
    otra->cmdOK_Click();
    Procesar();
    ASSERT_NE(FormSalvaPlan(), nullptr);
    EXPECT_EQ(FormSalvaPlan()->Text2->text(), "");

    // Cancel ends the wizard, with no dialog.
    FormSalvaPlan()->cmdcancel_Click();
    Procesar();
    EXPECT_EQ(FormSalvaPlan(), nullptr);
    EXPECT_FALSE(FormAnalog() || FormTrifasic() || FormDigital());
    EXPECT_EQ(FormPlantilla(), nullptr);
}

// A write that fails shows the error and leaves the wizard where it was; a
// replacement not confirmed writes nothing.
TEST_F(WizardSteps34Test, AMemberNameLongerThanItsBoxShowsItsStartAndEndAndWholeOnHover)
{
    Arrancar();
    frmDigital& d = HastaPaso3();
    const QString largo = QStringLiteral("DISPARO MONOFASICO INTERRUPTOR FASE A");
    Grupo(d, "G1", {});
    d.grp[1]->setText(largo);
    EXPECT_TRUE(TextoRecortado(*d.grp[1]));
    EXPECT_TRUE(d.grp[1]->VisibleText().endsWith(QStringLiteral("FASE A")));
    EXPECT_EQ(d.grp[1]->cursorPosition(), 0);
    EXPECT_EQ(test::AyudaAlPasar(*d.grp[1]), largo);
}

TEST_F(WizardSteps34Test, MendedAFailedSaveLeavesTheWizardWhereItWas)
{
    Arrancar();
    frmDigital& d = HastaPaso3();
    Grupo(d, "G1", {});
    d.grp[1]->setText("Disparo");
    d.lbl[1]->setText("3");
    d.cmdOK_Click();
    Procesar();
    frmSalvaPlan* s = FormSalvaPlan();
    ASSERT_NE(s, nullptr);
    Boxes().Clear();

    // No name.
    s->cmdOK_Click();
    EXPECT_EQ(Mensajes(), QStringList({T(243)}));
    EXPECT_EQ(Boxes().Last().Style, vbOKOnly);
    // A name that is a way elsewhere, a folder gone away.
    s->Text2->setText("../fuera");
    s->cmdOK_Click();
    const QString sub = Carpeta("Plantillas/sub");
    ASSERT_TRUE(QDir().mkpath(sub));
    s->Dir1->SetPath(sub);
    EXPECT_EQ(s->Text1->text(), sub);
    ASSERT_TRUE(QDir(sub).removeRecursively());
    s->Text2->setText("rele");
    s->cmdOK_Click();
    Procesar();
    ASSERT_EQ(Boxes().Count(), 3);
    EXPECT_EQ(Mensajes()[1], T(kTextoNombrePlantillaNoValido));
    // The error box in the interface's language.
    EXPECT_TRUE(Mensajes()[2].startsWith(QString::fromUtf8("Error 76: No se encuentra la ruta de acceso")));
    EXPECT_EQ(FormSalvaPlan(), s);
    EXPECT_TRUE(Visible(s));
    EXPECT_TRUE(Cargados());
    EXPECT_EQ(FormPlantilla(), nullptr);

    // An existing template: Cancel writes nothing, OK replaces it whole.
    s->Dir1->SetPath(Carpeta("Plantillas"));
    const QString ruta = Carpeta("Plantillas/rele.cnf");
    ASSERT_TRUE(test::WriteBytes(ruta, "antes"));
    s->File1->Refresh();
    s->File1->SetFileName("rele.cnf");
    s->File1_Click();
    EXPECT_EQ(s->Text2->text(), "rele");
    Boxes().Clear();
    Boxes().QueueAnswer(vbCancel);
    s->cmdOK_Click();
    Procesar();
    EXPECT_EQ(Mensajes(), QStringList({T(138)}));
    EXPECT_EQ(test::ReadBytes(ruta), "antes");
    EXPECT_EQ(FormSalvaPlan(), s);
    EXPECT_TRUE(Cargados());
    s->cmdOK_Click();
    Procesar();
    EXPECT_EQ(FormSalvaPlan(), nullptr);
    EXPECT_FALSE(Cargados());
    EXPECT_NE(FormPlantilla(), nullptr);
    EXPECT_TRUE(test::ReadBytes(ruta).startsWith("ver 1.1\r\nRELE\r\n"));
    EXPECT_EQ(QDir(Carpeta("Plantillas")).entryList(QDir::Files | QDir::Hidden), QStringList({"rele.cnf"}));
}

// The group list's highlight always marks the group the boxes show, through
// real clicks and typing, and Eliminar deletes that group.
TEST_F(WizardSteps34Test, MendedTheHighlightedGroupIsTheOneShownAndDeleted)
{
    Arrancar();
    Plantilla("dos.cnf", "ver 1.1\nDOS\nANALOGICOS\n 1 \n1%Va%VA%V$\nDIGITALES\n2\n 2 \n***\n"
                         "Disparos A\n 1 \n1%Trip$\n***\nAlarmas\n 1 \n2%Fallo$\n-----\n");
    AbrirFrmPlantilla();
    FormPlantilla()->File1->SetFileName("dos.cnf");
    FormPlantilla()->File1_Click();
    FormPlantilla()->cmdModif_Click();
    Procesar();
    ASSERT_NE(FormAnalog(), nullptr);
    FormAnalog()->cmdOK_Click();
    Procesar();
    ASSERT_NE(FormTrifasic(), nullptr);
    FormTrifasic()->cmdOK_Click();
    Procesar();
    frmDigital* d = FormDigital();
    ASSERT_NE(d, nullptr);
    d->show();
    QListWidget* lista = d->List2;
    const auto clic = [&](int fila) {
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                          lista->visualItemRect(lista->item(fila)).center());
        Procesar();
    };
    const auto renombrar = [&](const QString& nombre) {
        QTest::mouseClick(d->txtnbgrp, Qt::LeftButton);
        QTest::keyClick(d->txtnbgrp, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d->txtnbgrp, nombre);
        Procesar();
    };
    // The highlighted entry, and the one the boxes show.
    const auto marcado = [&] {
        const QList<QListWidgetItem*> s = lista->selectedItems();
        return s.size() == 1 ? s.front()->text() : QStringLiteral("%1 selected").arg(s.size());
    };
    const auto mostrado = [&] { return d->txtnbgrp->text(); };
    ASSERT_EQ(Entradas(*lista), QStringList({"Disparos A", "Alarmas"}));
    EXPECT_EQ(marcado(), "Disparos A");

    clic(1);
    EXPECT_EQ(mostrado(), "Alarmas");
    EXPECT_EQ(marcado(), "Alarmas");
    EXPECT_EQ(d->grp[1]->text(), "Fallo");
    clic(0);
    EXPECT_EQ(marcado(), "Disparos A");

    // A rename, then a click on the other group: the rename is taken and the
    // selection stays on the group renamed, highlight included.
    renombrar("Disparos B");
    clic(1);
    EXPECT_EQ(Entradas(*lista), QStringList({"Disparos B", "Alarmas"}));
    EXPECT_EQ(mostrado(), "Disparos B");
    EXPECT_EQ(marcado(), "Disparos B");
    EXPECT_EQ(lista->currentRow(), 0);
    renombrar("Disparos C");
    clic(1);
    EXPECT_EQ(mostrado(), "Disparos C");
    EXPECT_EQ(marcado(), "Disparos C");

    // Eliminar deletes the group shown and highlighted.
    Boxes().Clear();
    QTest::mouseClick(d->cmdEliminar, Qt::LeftButton);
    Procesar();
    EXPECT_EQ(Mensajes(), QStringList({T(252)}));
    EXPECT_EQ(Entradas(*lista), QStringList({"Alarmas"}));
    EXPECT_EQ(mostrado(), "Alarmas");
    EXPECT_EQ(marcado(), "Alarmas");
    EXPECT_EQ(d->grp[1]->text(), "Fallo");
}

// A damaged relay-model database, walked as a user would: Nueva, Modelos,
// RD-21, Aceptar, step 1 fills, Continuar, Continuar. Reading the status
// signals crashes libmdb (or finds them cut off): text 245 names the file,
// step 3 stands with nothing on offer and the program goes on; the wizard
// can still be finished.
TEST_F(WizardSteps34Test, MendedADamagedModelDatabaseNeverEndsTheProgram)
{
    Arrancar();
    for (const char* fixture : {"RD21-crash.mdb", "RD21-truncated.mdb"}) {
        SCOPED_TRACE(fixture);
        Boxes().Clear();
        QDir(dir_.filePath("Models")).removeRecursively();
        Modelos(QStringLiteral(VESDRA_RESOURCES_DIR "/Models"), {"Modelos.mdb"});
        const QString base = dir_.filePath("Models/RD21.mdb");
        ASSERT_TRUE(QFile::copy(test::DataPath(QStringLiteral("Models/damaged/") + fixture), base));
        frmDigital* d = FirstModelToStep3();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(Mensajes(), QStringList({T(245) + base}));
        EXPECT_EQ(Boxes().Last().Style, vbInformation);
        EXPECT_TRUE(Visible(d));
        EXPECT_EQ(d->List1->count(), 0);
        // The rest of the wizard works: a group by hand, saved.
        Grupo(*d, "G1", {});
        d->grp[1]->setText("Disparo");
        d->lbl[1]->setText("1");
        d->cmdOK_Click();
        Procesar();
        ASSERT_NE(FormSalvaPlan(), nullptr);
        FormSalvaPlan()->Text2->setText("rd21");
        FormSalvaPlan()->cmdOK_Click();
        Procesar();
        EXPECT_TRUE(test::ReadBytes(Carpeta("Plantillas/rd21.cnf")).startsWith("ver 1.1\r\nRD-21\r\n"));
        QFile::remove(Carpeta("Plantillas/rd21.cnf"));
        DescargarFrmPlantilla();
        Procesar();
    }
}

// A new template, typed as a user types: group "A", group "B", then "A"
// typed again and Añadir: refused with a message, the list and the boxes
// unchanged; a rename typed and a click on the other group: the list
// follows. The file written holds the groups the list shows.
TEST_F(WizardSteps34Test, MendedTheGroupListAndTheFileAlwaysAgree)
{
    Arrancar();
    frmDigital& d = HastaPaso3();
    d.show();
    const auto escribir = [&](QLineEdit* caja, const QString& texto) {
        QTest::mouseClick(caja, Qt::LeftButton);
        QTest::keyClick(caja, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(caja, texto);
        Procesar();
    };
    const auto anadir = [&](const QString& nombre, const char* miembro, const char* numero) {
        escribir(d.txtnbgrp, nombre);
        QTest::mouseClick(d.cmdAnadir, Qt::LeftButton);
        Procesar();
        escribir(d.grp[1], QString::fromLatin1(miembro));
        escribir(d.lbl[1], QString::fromLatin1(numero));
    };
    anadir("A", "Disparo", "1");
    anadir("B", "Alarma", "2");
    ASSERT_EQ(Entradas(*d.List2), QStringList({"A", "B"}));
    Boxes().Clear();

    escribir(d.txtnbgrp, "A");
    QTest::mouseClick(d.cmdAnadir, Qt::LeftButton);
    Procesar();
    EXPECT_EQ(Mensajes(), QStringList({T(kTextoGrupoRepetido)}));
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    EXPECT_EQ(Entradas(*d.List2), QStringList({"A", "B"}));
    EXPECT_EQ(d.txtnbgrp->text(), "B");
    EXPECT_EQ(d.grp[1]->text(), "Alarma");

    // A rename typed, then a click on group A: the list shows it.
    escribir(d.txtnbgrp, "Alarmas");
    QTest::mouseClick(d.List2->viewport(), Qt::LeftButton, {},
                      d.List2->visualItemRect(d.List2->item(0)).center());
    Procesar();
    EXPECT_EQ(Entradas(*d.List2), QStringList({"A", "Alarmas"}));

    // Saved: the file holds what the list shows.
    QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    Procesar();
    frmSalvaPlan* s = FormSalvaPlan();
    ASSERT_NE(s, nullptr);
    escribir(s->Text2, "grupos");
    QTest::mouseClick(s->cmdOK, Qt::LeftButton);
    Procesar();
    EXPECT_EQ(Digitales(Carpeta("Plantillas/grupos.cnf")),
              QStringList({"DIGITALES", "2", " 2 ", "***", "A", " 1 ", "1%Disparo$", "***", "Alarmas", " 1 ",
                           "2%Alarma$", "-----", ""}));
}

} // namespace
} // namespace vesdra
