#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "analysis/frm_fasecuencias.h"
#include "app/registro_vistas.h"
#include "platform/file_lists.h"
#include "shell/frm_menu.h"
#include "shell/frm_nuevos_tools.h"
#include "shell/frm_plantilla.h"
#include "shell/ini_files.h"
#include "shell/mdi_fixture.h"
#include "templates/template_state.h"
#include "views/composition/frm_new_companalog.h"
#include "views/digital/frm_elecdig.h"
#include "views/digital/frm_grid.h"
#include "views/waves/frm_new_ondas.h"
#include "wizard/asistente.h"
#include "wizard/frm_analog.h"
#include "wizard/frm_digital.h"
#include "wizard/frm_salva_plan.h"
#include "wizard/frm_trifasic.h"

namespace vesdra {
namespace {

// The program started on the bundled sample record (BINARY, 1997), with or
// without its template, the views and the wizard real, its window the
// active one; keys go where the window system sends them.
class Teclado : public test::MdiTest
{
protected:
    void Empezar(bool conPlantilla)
    {
        RegistrarVistas();
        ConectarAsistente();
        const QString muestra = CopiarMuestraCnf();
        Arrancar(conPlantilla ? test::MuestraDat() + QLatin1Char(' ') + muestra : test::MuestraDat());
        ASSERT_TRUE(Registro().RegistroAbierto);
        ASSERT_EQ(Plantillas().PlantillaAplicada, conPlantilla);
        principal_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(principal_.get()));
        Boxes().Clear();
    }
    void TearDown() override
    {
        DescargarAsistente();
        SiguientesPasos() = {};
        Procesar();
        MdiTest::TearDown();
    }

    // A key as the window system hands it: to the window holding the
    // keyboard, which gives it to its focus widget.
    static void Pulsar(Qt::Key tecla, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWindow* ventana = QGuiApplication::focusWindow();
        ASSERT_NE(ventana, nullptr);
        QTest::keyClick(ventana, tecla, mods);
        Procesar();
    }
    static QWidget* Foco() { return QApplication::focusWidget(); }
    static std::string NombreFoco()
    {
        QWidget* f = Foco();
        return f ? (f->objectName().isEmpty() ? f->metaObject()->className() : f->objectName().toStdString())
                 : "nothing";
    }
};

class TecladoConPlantilla : public Teclado
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(Empezar(true));
    }
};

class TecladoSinPlantilla : public Teclado
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(Empezar(false));
    }
};

// The template dialog opens with the keyboard in its file list (the drive
// and the folder stay as they are whatever the arrows do), and the file
// the keys highlight is the one Enter applies and Alt+M modifies, after a
// click on another one too.
TEST_F(TecladoConPlantilla, TheTemplateTheKeysHighlightIsTheOneActedOn)
{
    QByteArray otra = test::ReadBytes(Carpeta("Plantillas/muestra.cnf"));
    otra.replace("PROTECCION LINEA 1 (66 kV)", "OTRA PLANTILLA");
    ASSERT_TRUE(test::WriteBytes(Carpeta("Plantillas/otra.cnf"), otra));
    const struct {
        const char* Caso;
        int Clic;  // row clicked first, -1 none
        int Abajo; // presses of Down then
        bool AltM; // Alt+M instead of Enter
        const char* Elegida;
    } casos[] = {
        {"arrows, Enter", -1, 2, false, "otra.cnf"},
        {"click, arrow, Enter", 0, 1, false, "otra.cnf"},
        {"one arrow, Enter", -1, 1, false, "muestra.cnf"},
        {"arrows, Alt+M", -1, 2, true, "otra.cnf"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.Caso);
        Plantillas().PlantillaAplicada = false;
        Plantillas().IdentificadorPlantilla.clear();
        MenuForm()->mnuPlantilla_Click();
        Procesar();
        const QPointer<frmPlantilla> d = FormPlantilla();
        ASSERT_FALSE(d.isNull());
        ASSERT_EQ(Foco(), d->File1) << NombreFoco();
        const QString unidad = d->Drive1->Drive();
        const QString carpeta = d->Dir1->Path();
        Pulsar(Qt::Key_Up); // the first arrow chooses the entry the list stands on
        Pulsar(Qt::Key_Up);
        ASSERT_EQ(d->File1->FileName(), "muestra.cnf");
        d->File1->SetListIndex(-1);
        if (c.Clic >= 0) {
            QListWidget* lista = d->File1;
            QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                              lista->visualItemRect(lista->item(c.Clic)).center());
            Procesar();
        }
        for (int i = 0; i < c.Abajo; ++i)
            Pulsar(Qt::Key_Down);
        ASSERT_EQ(d->File1->FileName(), c.Elegida);
        EXPECT_EQ(d->lbltext->text(), c.Elegida);
        EXPECT_EQ(d->Drive1->Drive(), unidad);
        EXPECT_EQ(d->Dir1->Path(), carpeta);
        if (c.AltM) {
            // A button's mnemonic presses it as a click does, shown down a
            // moment first.
            Pulsar(Qt::Key_M, Qt::AltModifier);
            EXPECT_TRUE(QTest::qWaitFor([] {
                Procesar();
                return FormPlantilla() == nullptr;
            }));
        } else {
            Pulsar(Qt::Key_Return);
        }
        EXPECT_EQ(Mensajes(), QStringList{});
        EXPECT_EQ(QFileInfo(Plantillas().RutaPlantilla).fileName(), c.Elegida);
        EXPECT_EQ(FormPlantilla(), nullptr);
        if (c.AltM) {
            ASSERT_NE(FormAnalog(), nullptr);
            EXPECT_TRUE(FormAnalog()->isVisible());
            EXPECT_EQ(FormAnalog()->txtIdentif->text(), "OTRA PLANTILLA");
            FormAnalog()->cmdcancel->click();
            Procesar();
        } else {
            EXPECT_TRUE(Plantillas().PlantillaAplicada);
            EXPECT_EQ(Plantillas().IdentificadorPlantilla, QString::fromLatin1(c.Elegida) == "otra.cnf"
                                                               ? "OTRA PLANTILLA"
                                                               : "PROTECCION LINEA 1 (66 kV)");
        }
        Boxes().Clear();
    }
}

// The add-tool dialog's program list and the wizard's save step: the file
// the arrows highlight is the one the dialog takes (the program's path, the
// template's name), and the save step opens in its name box.
TEST_F(TecladoConPlantilla, TheProgramTheArrowsHighlightIsTheToolAdded)
{
    for (const char* f : {"EXE/calculo", "EXE/informe"}) {
        ASSERT_TRUE(test::WriteBytes(Carpeta(f), "#!/bin/sh\n"));
        QFile(Carpeta(f)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    MenuForm()->mnuAnadirTool_Click();
    Procesar();
    frmNuevosTools* h = NuevosToolsCargado();
    ASSERT_NE(h, nullptr);
    h->txtNombre->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(h->txtNombre, "Calc");
    h->File1->setFocus(Qt::TabFocusReason);
    Pulsar(Qt::Key_Down);
    EXPECT_EQ(h->txtPath->text(), Carpeta("EXE/calculo"));
    Pulsar(Qt::Key_Down);
    EXPECT_EQ(h->txtPath->text(), Carpeta("EXE/informe"));
    Pulsar(Qt::Key_Return);
    EXPECT_EQ(Mensajes(), QStringList{});
    EXPECT_EQ(NuevosToolsCargado(), nullptr);
    const std::vector<Herramienta> herramientas = LeerFicheroTools().Herramientas;
    ASSERT_EQ(herramientas.size(), 1u);
    EXPECT_EQ(herramientas[0].Ruta, Carpeta("EXE/informe"));
}

TEST_F(TecladoConPlantilla, TheSaveStepOpensInItsNameBoxAndTakesTheNameTheArrowsHighlight)
{
    ASSERT_TRUE(test::WriteBytes(Carpeta("Plantillas/otra.cnf"), "ver 1.1\r\n"));
    MenuForm()->mnuPlantilla_Click();
    Procesar();
    FormPlantilla()->cmdNueva->click();
    Procesar();
    FormAnalog()->cmdOK->click();
    Procesar();
    FormTrifasic()->cmdOK->click();
    Procesar();
    FormDigital()->cmdOK->click();
    Procesar();
    frmSalvaPlan* s = FormSalvaPlan();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->isVisible());
    EXPECT_EQ(Foco(), s->Text2) << NombreFoco();
    Pulsar(Qt::Key_N);
    EXPECT_EQ(s->Text2->text(), "n");
    s->File1->setFocus(Qt::TabFocusReason);
    for (const char* nombre : {"muestra", "otra"}) {
        Pulsar(Qt::Key_Down);
        EXPECT_EQ(s->Text2->text(), nombre);
    }
}

// F6 with a record and no template warns as the digital menu does and
// opens no group dialog.
TEST_F(TecladoSinPlantilla, F6WithoutATemplateWarnsAsTheDigitalMenuDoes)
{
    Pulsar(Qt::Key_F6);
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(246)});
    EXPECT_TRUE(ElecdigCargado() == nullptr || !ElecdigCargado()->isVisible());
}

// The view-choice dialogs of a 1997 record: PRIMARIO and SECUNDARIO are one
// stop of Tab, on the side chosen, from either direction, and the arrows
// move the choice.
TEST_F(TecladoConPlantilla, TheSideOptionsAreOneStopMovedByTheArrows)
{
    struct Dialogo {
        const char* Nombre;
        std::function<void(FrmMenu&)> Abrir;
        std::function<QWidget*()> Cargado;
        std::function<QRadioButton*(QWidget&, bool)> Opcion; // primary or secondary
        std::function<QPushButton*(QWidget&)> Aceptar;
    };
    const auto lado = [](auto* f, bool primario) { return primario ? f->CmdPrimario : f->CmdSecundario; };
    const Dialogo dialogos[] = {
        {"frmNewOndas", [](FrmMenu& m) { m.mnuCanalog_Click(); },
         []() -> QWidget* { return NewOndasCargado() ? &NewOndas() : nullptr; },
         [&](QWidget& d, bool p) { return lado(static_cast<frmNewOndas*>(&d), p); },
         [](QWidget& d) { return static_cast<frmNewOndas&>(d).cmdOK; }},
        {"frmNewCompanalog", [](FrmMenu& m) { m.mnuCompanalog_Click(); },
         []() -> QWidget* { return NewCompanalogCargado(); },
         [&](QWidget& d, bool p) { return lado(static_cast<frmNewCompanalog*>(&d), p); },
         [](QWidget& d) { return static_cast<frmNewCompanalog&>(d).cmdOK; }},
        {"frmFasecuencias", [](FrmMenu& m) { m.mnuFasores_Click(); },
         []() -> QWidget* { return Fasecuencias(); },
         [&](QWidget& d, bool p) { return lado(static_cast<frmFasecuencias*>(&d), p); },
         [](QWidget& d) { return static_cast<frmFasecuencias&>(d).cmdOK; }},
        {"frmElecdig", [](FrmMenu& m) { m.mnuDigGrupos_Click(); },
         []() -> QWidget* { return ElecdigCargado(); },
         [&](QWidget& d, bool p) { return lado(static_cast<frmElecdig*>(&d), p); },
         [](QWidget& d) { return static_cast<frmElecdig&>(d).cmdOK; }},
        {"frmGrid", [](FrmMenu& m) { m.mnuCompdig_Click(); }, []() -> QWidget* { return GridCargado(); },
         [&](QWidget& d, bool p) { return lado(static_cast<frmGrid*>(&d), p); },
         [](QWidget& d) { return static_cast<frmGrid&>(d).cmdOK; }},
    };
    // Tab (or Shift+Tab) from the OK button until the keyboard is on a side.
    const auto hastaUnLado = [](QWidget& d, QRadioButton* p, QRadioButton* s, Qt::KeyboardModifiers mods) {
        for (int i = 0; i < 60 && Foco() != p && Foco() != s; ++i) {
            Pulsar(Qt::Key_Tab, mods);
            if (!d.isAncestorOf(Foco()))
                return;
        }
    };
    for (const Dialogo& dl : dialogos) {
        SCOPED_TRACE(dl.Nombre);
        dl.Abrir(*MenuForm());
        Procesar();
        QWidget* d = dl.Cargado();
        ASSERT_NE(d, nullptr);
        ASSERT_TRUE(d->isVisible());
        QRadioButton* primario = dl.Opcion(*d, true);
        QRadioButton* secundario = dl.Opcion(*d, false);
        ASSERT_TRUE(primario->isVisible());
        ASSERT_TRUE(primario->isChecked());
        for (const Qt::KeyboardModifiers mods : {Qt::ShiftModifier, Qt::NoModifier}) {
            dl.Aceptar(*d)->setFocus(Qt::TabFocusReason);
            hastaUnLado(*d, primario, secundario, mods);
            EXPECT_EQ(Foco(), primario) << NombreFoco() << (mods ? " after Shift+Tab" : " after Tab");
        }
        primario->setFocus(Qt::TabFocusReason);
        Pulsar(Qt::Key_Down);
        EXPECT_TRUE(secundario->isChecked());
        EXPECT_EQ(Foco(), secundario) << NombreFoco();
        dl.Aceptar(*d)->setFocus(Qt::TabFocusReason);
        hastaUnLado(*d, primario, secundario, Qt::ShiftModifier);
        EXPECT_EQ(Foco(), secundario) << NombreFoco();
        Pulsar(Qt::Key_Up);
        EXPECT_TRUE(primario->isChecked());
        Pulsar(Qt::Key_Up); // round to the last
        EXPECT_TRUE(secundario->isChecked());
        EXPECT_EQ(Foco(), secundario) << NombreFoco();
        Pulsar(Qt::Key_Escape);
        Procesar();
        EXPECT_EQ(Mensajes(), QStringList{});
        Boxes().Clear();
    }
}

} // namespace
} // namespace vesdra
