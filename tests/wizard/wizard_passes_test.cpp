#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/file_lists.h"
#include "platform/spread_grid.h"
#include "record/record_model.h"
#include "shell/frm_plantilla.h"
#include "templates/template_state.h"
#include "templates/template_texts.h"
#include "wizard/frm_base_modelo.h"
#include "wizard_fixture.h"

namespace vesdra {
namespace {

// Passes through the wizard over the bundled sample record (8 analog, 24
// digital channels) with the sample relay models (TD-3: 9 measurements, 7
// status signals offered), driven by clicks and keys: what one pass leaves
// must not change what the next one offers.
class WizardPassesTest : public WizardFormsTest
{
protected:
    void SetUp() override
    {
        WizardFormsTest::SetUp();
        contador_ = ContarLecturasIndice();
        ModelosMuestra();
        AbrirMuestra();
    }

    static QStringList Entradas(const QListWidget* lista)
    {
        QStringList s;
        for (int i = 0; i < lista->count(); ++i)
            s << lista->item(i)->text();
        return s;
    }
    static QStringList SenalesRegistro()
    {
        QStringList s;
        for (std::int32_t d = 1; d <= Registro().NumDigitales; ++d)
            s << Registro().NombresDigitales(d);
        return s;
    }
    static QStringList Filas(SpreadGrid* grid, std::int32_t columna = 1)
    {
        QStringList s;
        for (std::int32_t f = 1; f <= grid->MaxRows(); ++f)
            s << grid->Text(f, columna);
        return s;
    }

    // The template dialog on screen, opened by the menu when none is.
    static frmPlantilla* Dialogo()
    {
        if (!FormPlantilla())
            AbrirFrmPlantilla();
        Procesar();
        return FormPlantilla();
    }
    // nueva clicked in the template dialog: step 1, shown.
    static frmAnalog* ClicNueva()
    {
        frmPlantilla* dlg = Dialogo();
        EXPECT_NE(dlg, nullptr);
        if (!dlg)
            return nullptr;
        Clic(dlg->cmdNueva);
        if (frmAnalog* a = FormAnalog()) {
            a->activateWindow();
            return a;
        }
        return nullptr;
    }
    // `nombre` clicked in the template dialog's list, then modificar.
    static frmAnalog* ClicModificar(const QString& nombre)
    {
        frmPlantilla* dlg = Dialogo();
        EXPECT_NE(dlg, nullptr);
        if (!dlg)
            return nullptr;
        const QList<QListWidgetItem*> f = dlg->File1->findItems(nombre, Qt::MatchFixedString);
        EXPECT_EQ(f.size(), 1) << nombre.toStdString();
        if (f.size() != 1)
            return nullptr;
        QTest::mouseClick(dlg->File1->viewport(), Qt::LeftButton, {},
                          dlg->File1->visualItemRect(f.front()).center());
        Procesar();
        Clic(dlg->cmdModif);
        return FormAnalog();
    }
    // From step 1, the model chooser, TD-3 double-clicked and taken: step 1
    // afresh with its rows.
    static frmAnalog* TomarTD3()
    {
        EXPECT_NE(FormAnalog(), nullptr);
        if (!FormAnalog())
            return nullptr;
        Clic(FormAnalog()->cmdmodelos);
        frmBaseModelo* b = FormBaseModelo();
        EXPECT_NE(b, nullptr);
        if (!b)
            return nullptr;
        const QList<QListWidgetItem*> td3 = b->List1->findItems("TD-3", Qt::MatchExactly);
        EXPECT_EQ(td3.size(), 1);
        if (td3.size() != 1)
            return nullptr;
        DobleClic(b->List1, b->List1->row(td3.front()));
        Clic(b->cmdOK);
        EXPECT_EQ(FormBaseModelo(), nullptr);
        frmAnalog* a = FormAnalog();
        if (a)
            a->activateWindow();
        return a;
    }
    // Steps 1 and 2 gone through with their continue buttons: step 3.
    static frmDigital* HastaPaso3()
    {
        if (frmAnalog* a = FormAnalog())
            Clic(a->cmdOK);
        if (frmTrifasic* t = FormTrifasic())
            Clic(t->cmdOK);
        return FormDigital();
    }

    Contador* contador_{};
};

// A relay-model pass left from step 1 in each of the four ways a user
// leaves it (Escape, back, cancel, the close box), then nueva or modificar
// of a template made for the record: step 1 proposes the record's station
// and channels (or the template's rows), step 3 offers the record's 24
// signals, and the model index is not read again.
TEST_F(WizardPassesTest, MendedAPassLeftFromStepOneLeavesNothingToTheNextPass)
{
    const QString estacion = Registro().NombreEstacion;
    ASSERT_FALSE(estacion.isEmpty());
    // A template for the open record: its station, one analog row, no sets
    // or groups.
    Plantilla("registro.cnf",
              "ver 1.1\n" + estacion.toLatin1() + "\nANALOGICOS\n 1 \n1%VA%Fase A%kV$\n-----\n");
    QStringList canales;
    for (std::int32_t i = 1; i <= Registro().NumAnalogicos; ++i)
        canales << Registro().TablaCanales(i, 2);

    enum class Salida { Escape, Volver, Cancelar, Cierre };
    const struct {
        const char* que;
        Salida salida;
    } salidas[] = {
        {"Escape", Salida::Escape},
        {"< Volver", Salida::Volver},
        {"Cancelar", Salida::Cancelar},
        {"the close box", Salida::Cierre},
    };
    for (const auto& s : salidas) {
        for (const bool modificar : {false, true}) {
            SCOPED_TRACE(std::string(s.que) + (modificar ? ", then modificar" : ", then nueva"));
            ASSERT_NE(ClicNueva(), nullptr);
            frmAnalog* a = TomarTD3();
            ASSERT_NE(a, nullptr);
            ASSERT_EQ(a->txtIdentif->text(), "TD-3");
            ASSERT_EQ(a->vaSpread1->MaxRows(), 9);
            switch (s.salida) {
            case Salida::Escape:
                a->txtnumAnalog->setFocus();
                Pulsar(Qt::Key_Escape);
                break;
            case Salida::Volver:
                Clic(a->cmdvolver);
                break;
            case Salida::Cancelar:
                Clic(a->cmdcancel);
                break;
            case Salida::Cierre:
                MarcoFormulario(*a)->close();
                Procesar();
                break;
            }
            ASSERT_EQ(FormAnalog(), nullptr);
            EXPECT_FALSE(EdicionEnCurso());
            const int lecturas = contador_->Indice;

            frmAnalog* otra = modificar ? ClicModificar("registro.cnf") : ClicNueva();
            ASSERT_NE(otra, nullptr);
            if (modificar) {
                EXPECT_EQ(otra->txtIdentif->text(), estacion);
                EXPECT_EQ(Filas(otra->vaSpread1), QStringList({"VA"}));
            } else {
                EXPECT_EQ(otra->txtIdentif->text(), estacion);
                EXPECT_EQ(Filas(otra->vaSpread1), canales);
            }
            frmDigital* d = HastaPaso3();
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(Entradas(d->List1), SenalesRegistro());
            EXPECT_EQ(contador_->Indice, lecturas) << "a pass without a model read the model index";
            Clic(d->cmdcancel);
            DescargarFrmPlantilla();
            Procesar();
        }
    }
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
}

// In a TD-3 pass, back from step 3 and continue again: step 3 offers the
// model's seven signals again, with the members placed and their numbers as
// they were.
TEST_F(WizardPassesTest, MendedBackAndOnInAModelPassKeepsTheModelsSignals)
{
    ASSERT_NE(ClicNueva(), nullptr);
    ASSERT_NE(TomarTD3(), nullptr);
    frmDigital* d = HastaPaso3();
    ASSERT_NE(d, nullptr);
    const QStringList delModelo = Entradas(d->List1);
    ASSERT_EQ(delModelo.size(), 7);
    ASSERT_EQ(delModelo.front(), "Disparo diferencial A");
    Teclear(d->txtnbgrp, "DISPAROS");
    Clic(d->cmdAnadir);
    DobleClic(d->List1, 0);
    DobleClic(d->List1, 5);
    ASSERT_EQ(d->grp[2]->text(), delModelo.at(5));

    for (int vuelta = 1; vuelta <= 2; ++vuelta) {
        SCOPED_TRACE(vuelta);
        Clic(FormDigital()->cmdvolver);
        ASSERT_NE(FormTrifasic(), nullptr);
        Clic(FormTrifasic()->cmdOK);
        frmDigital* otra = FormDigital();
        ASSERT_NE(otra, nullptr);
        EXPECT_EQ(Entradas(otra->List1), delModelo);
        EXPECT_EQ(Entradas(otra->List2), QStringList({"DISPAROS"}));
        EXPECT_EQ(otra->grp[1]->text(), delModelo.at(0));
        EXPECT_EQ(otra->lbl[1]->text(), "1");
        EXPECT_EQ(otra->grp[2]->text(), delModelo.at(5));
        EXPECT_EQ(otra->lbl[2]->text(), "6");
        EXPECT_EQ(otra->grp[3]->text(), "");
    }
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
}

// modificar of the sample template (8 rows, two sets over rows 1-3 and
// 4-6): step 1's count lowered to 3 and continue; step 2 lets the user go
// back although set 2's rows are gone, step 1 raised to 8 shows the
// template's rows again, and step 2 its second set. A set that step 2's own
// smaller count hides comes back too.
TEST_F(WizardPassesTest, MendedALoweredCountKeepsTheRowsAndSetsItHides)
{
    CopiarMuestraCnf();
    frmAnalog* a = ClicModificar("muestra.cnf");
    ASSERT_NE(a, nullptr);
    const QStringList filas = Filas(a->vaSpread1);
    ASSERT_EQ(filas.size(), 8);
    Teclear(a->txtnumAnalog, "3");
    Clic(a->cmdOK);
    frmTrifasic* t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->txtnumTrif->text(), "2");
    EXPECT_EQ(t->grp[2][1]->text(), "") << "set 2's row is not in the template now";

    Clic(t->cmdvolver);
    EXPECT_TRUE(Boxes().Calls().empty()) << "back was refused: " << Mensajes().join('|').toStdString();
    ASSERT_TRUE(Visible(FormAnalog()));
    Teclear(a->txtnumAnalog, "8");
    EXPECT_EQ(Filas(a->vaSpread1), filas);
    EXPECT_EQ(a->vaSpread1->Text(8, 0), "8");

    Clic(a->cmdOK);
    t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    const auto conjunto2 = [](frmTrifasic* paso) {
        return QStringList{paso->nbTrif[2]->text(), paso->grp[2][1]->text(), paso->grp[2][2]->text(),
                           paso->grp[2][3]->text(), paso->lbl[2][3]->text()};
    };
    const QStringList segundo{"INTENSIDADES LINEA 1", filas.at(3), filas.at(4), filas.at(5), "6"};
    EXPECT_EQ(conjunto2(t), segundo);

    // Step 2's count lowered: set 2 hidden, kept through step 3 and back to
    // step 1, and back with the count.
    Teclear(t->txtnumTrif, "1");
    Clic(t->cmdOK);
    ASSERT_NE(FormDigital(), nullptr);
    Clic(FormDigital()->cmdvolver);
    Clic(FormTrifasic()->cmdvolver);
    Clic(FormAnalog()->cmdOK);
    t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->txtnumTrif->text(), "1");
    EXPECT_FALSE(t->nbTrif[2]->isEnabled());
    Teclear(t->txtnumTrif, "2");
    EXPECT_EQ(conjunto2(t), segundo);
    Clic(t->cmdOK);
    EXPECT_NE(FormDigital(), nullptr);
    EXPECT_EQ(Plantillas().NumTrifasicosPlantilla, 2);
    EXPECT_EQ(test::Row(Plantillas().TrifasicosPlantilla, 2),
              QStringList({"4", "5", "6", "INTENSIDADES LINEA 1", "1"}));
    EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
}

// Group names are compared as written: a name holding the characters of a
// pattern is no pattern, and case counts; only the same name is refused.
TEST_F(WizardPassesTest, MendedAGroupNameIsRefusedOnlyWhenItIsThatName)
{
    ASSERT_NE(ClicNueva(), nullptr);
    frmDigital* d = HastaPaso3();
    ASSERT_NE(d, nullptr);
    const struct {
        const char* nombre;
        bool anadido;
    } casos[] = {
        {"DISPAROS #1", true}, {"DISPAROS 21", true}, {"ZONA*", true},        {"ZONA 3", true},
        {"[AB]", true},        {"A", true},           {"disparos 21", true},  {"DISPAROS 21", false},
        {"ZONA*", false},      {"DISPAROS ?1", true}, {"DISPAROS #1", false},
    };
    QStringList grupos;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Boxes().Clear();
        Teclear(d->txtnbgrp, c.nombre);
        Clic(d->cmdAnadir);
        if (c.anadido) {
            grupos << c.nombre;
            EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
        } else {
            EXPECT_EQ(Mensajes(), QStringList({T(kTextoGrupoRepetido)}));
        }
        EXPECT_EQ(Entradas(d->List2), grupos);
    }
}

// The model chooser: Enter with no model chosen asks for one; cancelar,
// Escape and the close box bring step 1 back as it was left, the rows typed
// in it kept; taking a model replaces them.
TEST_F(WizardPassesTest, MendedTheModelChooserAsksForAModelAndKeepsStepOnesRowsUntilOneIsTaken)
{
    frmAnalog* a = ClicNueva();
    ASSERT_NE(a, nullptr);
    TeclearCelda(a->vaSpread1, 2, 1, "VB TECLEADA");
    Teclear(a->txtIdentif, "RELE");

    enum class Cierre { Cancelar, Escape, CajaCierre };
    for (const Cierre c : {Cierre::Cancelar, Cierre::Escape, Cierre::CajaCierre}) {
        SCOPED_TRACE(static_cast<int>(c));
        Clic(a->cmdmodelos);
        frmBaseModelo* b = FormBaseModelo();
        ASSERT_NE(b, nullptr);
        b->activateWindow();
        b->lblNomModelo->setFocus();
        Boxes().Clear();
        Pulsar(Qt::Key_Return);
        ASSERT_EQ(FormBaseModelo(), b);
        EXPECT_EQ(Mensajes(), QStringList({T(kTextoSinModeloElegido)}));
        Boxes().Clear();
        switch (c) {
        case Cierre::Cancelar:
            Clic(b->cmdCancelar);
            break;
        case Cierre::Escape:
            Pulsar(Qt::Key_Escape);
            break;
        case Cierre::CajaCierre:
            MarcoFormulario(*b)->close();
            Procesar();
            break;
        }
        EXPECT_EQ(FormBaseModelo(), nullptr);
        ASSERT_EQ(FormAnalog(), a) << "step 1 was loaded again or the wizard ended";
        EXPECT_TRUE(Visible(a));
        EXPECT_EQ(a->txtIdentif->text(), "RELE");
        EXPECT_EQ(a->vaSpread1->Text(2, 1), "VB TECLEADA");
        EXPECT_TRUE(EdicionEnCurso());
        EXPECT_TRUE(Boxes().Calls().empty()) << Mensajes().join('|').toStdString();
    }

    a = TomarTD3();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->txtIdentif->text(), "TD-3");
    EXPECT_EQ(a->vaSpread1->Text(2, 1), "Intensidad B lado 1");
}

} // namespace
} // namespace vesdra
