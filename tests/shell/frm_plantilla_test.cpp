#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include "mdi_fixture.h"
#include "platform/file_lists.h"
#include "shell/abrir_comtrade.h"
#include "shell/ini_files.h"
#include "shell/menu_commands.h"
#include "templates/template_state.h"

namespace vesdra {
namespace {

using test::ReadBytes;

class FrmPlantillaTest : public test::MdiTest
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        muestra_ = CopiarMuestraCnf();
    }

    frmPlantilla& Abrir()
    {
        AbrirFrmPlantilla();
        frmPlantilla* d = FormPlantilla();
        EXPECT_NE(d, nullptr);
        return *d;
    }
    static void Elegir(frmPlantilla& d, const QString& nombre)
    {
        d.File1->SetFileName(nombre);
        ASSERT_EQ(d.File1->FileName(), nombre);
        d.File1_Click();
    }
    void AbrirMuestra()
    {
        ASSERT_TRUE(AbrirRegistro(DerivarRutas(test::MuestraDat())).Abierto());
        Boxes().Clear();
        Llamadas().clear();
    }
    // Nine analog rows: one more than the sample record has channels.
    QString Nueve()
    {
        QByteArray b = "ver 1.1\nNUEVE\nANALOGICOS\n 9 \n";
        for (int i = 1; i <= 9; ++i)
            b += QByteArray::number(i) + "%C" + QByteArray::number(i) + "%%V$\n";
        return Plantilla("nueve.cnf", b);
    }

    QString muestra_;
};

TEST_F(FrmPlantillaTest, LoadListsTheTemplatesFolderWithItsCaptions)
{
    Plantilla("otra.CNF", "ver 1.1\n");
    Plantilla("notas.txt", "x\n");
    frmPlantilla& d = Abrir();
    EXPECT_EQ(d.lblPath->text(), Carpeta("Plantillas"));
    EXPECT_EQ(d.Dir1->Path(), Carpeta("Plantillas"));
    EXPECT_EQ(d.Combo1->currentText(), "*.CNF");
    ASSERT_EQ(d.File1->ListCount(), 2);
    EXPECT_EQ(d.File1->List(0), "muestra.cnf");
    EXPECT_EQ(d.File1->List(1), "otra.CNF");
    EXPECT_EQ(d.windowTitle(), TextosIdioma(30));
    EXPECT_EQ(d.cmdBuscar->text(), TextosIdioma(27));
    EXPECT_EQ(d.cmdcancel->text(), TextosIdioma(25));
    EXPECT_FALSE(d.PlantillaElegida());

    // The pattern box filters the list.
    d.Combo1->setCurrentText("*.txt");
    ASSERT_EQ(d.File1->ListCount(), 1);
    EXPECT_EQ(d.File1->List(0), "notas.txt");
}

TEST_F(FrmPlantillaTest, ALongPathIsCutInTheMiddleAndShownWholeOnHover)
{
    const QString larga = Carpeta("Plantillas/una carpeta de nombre muy largo/y otra más/registros de 2024");
    ASSERT_TRUE(QDir().mkpath(larga));
    frmPlantilla& d = Abrir();
    d.Dir1->SetPath(larga);
    EXPECT_EQ(d.lblPath->text(), larga);
    ASSERT_TRUE(d.lblPath->IsCut());
    // The start and the last folder stay in sight, the ellipsis between.
    const QString visible = d.lblPath->VisibleText();
    EXPECT_TRUE(visible.startsWith(larga.left(3))) << visible.toStdString();
    EXPECT_TRUE(visible.endsWith(larga.right(4))) << visible.toStdString();
    EXPECT_TRUE(visible.contains(QChar(0x2026)));
    EXPECT_LE(d.lblPath->fontMetrics().horizontalAdvance(visible), d.lblPath->contentsRect().width());
    QHelpEvent ayuda(QEvent::ToolTip, QPoint(5, 5), d.lblPath->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(d.lblPath, &ayuda);
    EXPECT_EQ(QToolTip::text(), larga);
    QToolTip::hideText();

    // A short path shows whole.
    d.Dir1->SetPath(QStringLiteral("/"));
    EXPECT_FALSE(d.lblPath->IsCut());
}

TEST_F(FrmPlantillaTest, AMissingTemplatesFolderIsSaidAndTheRecordsFolderListed)
{
    ASSERT_TRUE(QDir(Carpeta("Plantillas")).removeRecursively());
    frmPlantilla& d = Abrir();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(111) + " " + Carpeta("Plantillas")});
    EXPECT_EQ(Boxes().Last().Style, vbExclamation);
    EXPECT_EQ(d.lblPath->text(), Carpeta("Oscilos"));
    // Set up whole: captions and the centre of the screen.
    EXPECT_EQ(d.windowTitle(), TextosIdioma(30));
    EXPECT_EQ(d.cmdBuscar->text(), TextosIdioma(27));
    EXPECT_GT(d.x(), 0);
    // Each activation lists it again, without a box each time.
    d.Form_Activate();
    EXPECT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(d.lblPath->text(), Carpeta("Oscilos"));
}

TEST_F(FrmPlantillaTest, ActivationListsTheTemplatesFolderAgainAndKeepsTheChoice)
{
    QDir().mkpath(Carpeta("Plantillas/viejas"));
    frmPlantilla& d = Abrir();
    Elegir(d, "muestra.cnf");
    d.Dir1->SetPath(Carpeta("Plantillas/viejas"));
    EXPECT_EQ(d.lblPath->text(), Carpeta("Plantillas/viejas"));
    d.Form_Activate();
    EXPECT_EQ(d.lblPath->text(), Carpeta("Plantillas"));
    EXPECT_TRUE(d.PlantillaElegida());
    EXPECT_EQ(Plantillas().RutaPlantilla, muestra_);
}

TEST_F(FrmPlantillaTest, AbrirWithoutAChosenFileIsRefused)
{
    frmPlantilla& d = Abrir();
    d.cmdBuscar_Click();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(242)});
    EXPECT_FALSE(Plantillas().PlantillaAplicada);
    EXPECT_EQ(FormPlantilla(), &d);
}

TEST_F(FrmPlantillaTest, AbrirOnANameEndingInCnfOfMixedCaseIsRefusedAndChangesNothing)
{
    Plantilla("rele.Cnf", "ver 1.1\n");
    TemplateState& p = Plantillas();
    p.NumAnalogicosPlantilla = 1;
    p.AnalogicosPlantilla.Resize(1, 5, "x");
    frmPlantilla& d = Abrir();
    Elegir(d, "rele.Cnf");
    d.cmdBuscar_Click();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(147)});
    EXPECT_FALSE(p.PlantillaAplicada);
    EXPECT_EQ(p.AnalogicosPlantilla.Rows(), 1);
    EXPECT_EQ(p.NumAnalogicosPlantilla, 1);
    EXPECT_EQ(FormPlantilla(), &d);
}

TEST_F(FrmPlantillaTest, AbrirAppliesAnyTemplateWhenNoRecordIsOpen)
{
    const QString nueve = Nueve();
    frmPlantilla& d = Abrir();
    Elegir(d, "nueve.cnf");
    d.cmdBuscar_Click();
    Procesar();
    EXPECT_EQ(Boxes().Count(), 0);
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_TRUE(Plantillas().PlantillaAplicada);
    EXPECT_EQ(Plantillas().NumCanalesTabla, 9);
    EXPECT_EQ(Registro().NombreEstacion, "NUEVE");
    EXPECT_EQ(LineasFicher().value(5), nueve);
}

TEST_F(FrmPlantillaTest, DoubleClickAppliesTheTemplateToTheOpenRecord)
{
    AbrirMuestra();
    frmPlantilla& d = Abrir();
    Elegir(d, "muestra.cnf");
    d.File1_DblClick();
    Procesar();
    EXPECT_EQ(Boxes().Count(), 0);
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_EQ(Plantillas().NumTrifasicos, 2);
    EXPECT_EQ(Registro().NombreEstacion, "PROTECCION LINEA 1 (66 kV)");
}

// Enter on a focused button presses it; otherwise it opens the chosen
// template, as Abrir does; Escape cancels.
TEST_F(FrmPlantillaTest, EnterOpensTheChosenTemplateOrPressesTheFocusedButtonAndEscapeCancels)
{
    AbrirMuestra();
    frmPlantilla& d = Abrir();
    Procesar();
    d.cmdBuscar->setFocus();
    QTest::keyClick(d.cmdBuscar, Qt::Key_Return); // nothing chosen yet
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(242)});
    EXPECT_EQ(FormPlantilla(), &d);
    Boxes().Clear();

    d.Dir1->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Procesar();
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_FALSE(Plantillas().PlantillaAplicada);

    frmPlantilla& otro = Abrir();
    Procesar();
    otro.cmdcancel->setFocus();
    QTest::keyClick(otro.cmdcancel, Qt::Key_Enter);
    Procesar();
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_FALSE(Plantillas().PlantillaAplicada);

    frmPlantilla& tercero = Abrir();
    Elegir(tercero, "muestra.cnf");
    Procesar();
    tercero.Dir1->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    Procesar();
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_TRUE(Plantillas().PlantillaAplicada);
    EXPECT_EQ(Plantillas().NumTrifasicos, 2);
}

TEST_F(FrmPlantillaTest, ARealDoubleClickOnATemplateAppliesIt)
{
    AbrirMuestra();
    frmPlantilla& d = Abrir();
    d.show();
    QListWidget* lista = d.File1;
    const QPoint punto = lista->visualItemRect(lista->item(0)).center();
    ASSERT_EQ(lista->item(0)->text(), "muestra.cnf");
    // Two real clicks; the list is read again between them, as it is after
    // every click.
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, punto);
    QCoreApplication::processEvents();
    EXPECT_TRUE(d.PlantillaElegida());
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, punto);
    Procesar();
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_TRUE(Plantillas().PlantillaAplicada);
    EXPECT_EQ(Plantillas().NumTrifasicos, 2);
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(FrmPlantillaTest, AClickOnOneOfTwoNamesDifferingInCaseChoosesThatOne)
{
    Plantilla("RELE.cnf", "ver 1.1\n");
    Plantilla("rele.cnf", "ver 1.1\n");
    frmPlantilla& d = Abrir();
    d.show();
    QListWidget* lista = d.File1;
    for (int i = 0; i < lista->count(); ++i) {
        const QString nombre = lista->item(i)->text();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                          lista->visualItemRect(lista->item(i)).center());
        QCoreApplication::processEvents();
        EXPECT_EQ(d.File1->FileName(), nombre);
        EXPECT_EQ(lista->currentItem()->text(), nombre);
        EXPECT_EQ(QFileInfo(Plantillas().RutaPlantilla).fileName(), nombre);
    }
}

TEST_F(FrmPlantillaTest, AMisfitIsRefusedAndTheRecordKeepsItsOwnChannels)
{
    AbrirMuestra();
    Nueve();
    frmPlantilla& d = Abrir();
    Elegir(d, "nueve.cnf");
    d.cmdBuscar_Click();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(253)});
    EXPECT_EQ(FormPlantilla(), &d);
    EXPECT_FALSE(Plantillas().PlantillaAplicada || Plantillas().PlantillaNoEncaja);
    EXPECT_EQ(Plantillas().NumCanalesTabla, 0);
    EXPECT_EQ(Registro().NombreEstacion, "SUBESTACION NORTE");
    EXPECT_EQ(Plantillas().IdentificadorPlantilla, "SUBESTACION NORTE");
    EXPECT_EQ(Registro().TablaCanales.Rows(), 8);
}

TEST_F(FrmPlantillaTest, FicherIniNamesOnlyTheAppliedTemplateAndAfterClosingNoRecord)
{
    AbrirMuestra();
    const QString nueve = Nueve();
    Elegir(Abrir(), "muestra.cnf");
    FormPlantilla()->cmdBuscar_Click();
    Procesar();
    EXPECT_EQ(LineasFicher().value(2), test::MuestraDat());
    EXPECT_EQ(LineasFicher().value(5), muestra_);

    // A misfit is refused: whatever writes the file next names the template
    // still applied.
    Elegir(Abrir(), "nueve.cnf");
    Boxes().Clear();
    FormPlantilla()->cmdBuscar_Click();
    ASSERT_EQ(Mensajes(), QStringList{TextosIdioma(253)});
    ASSERT_TRUE(EscribirFicher());
    EXPECT_EQ(LineasFicher().value(5), muestra_);
    FormPlantilla()->cmdcancel_Click();
    Procesar();

    // A template opened for modifying is not applied either.
    Elegir(Abrir(), "muestra.cnf");
    FormPlantilla()->cmdBuscar_Click();
    Procesar();
    Elegir(Abrir(), "nueve.cnf");
    FormPlantilla()->cmdModif_Click();
    Procesar();
    ASSERT_EQ(Plantillas().RutaPlantilla, nueve);
    ASSERT_TRUE(EscribirFicher());
    EXPECT_EQ(LineasFicher().value(5), muestra_);

    // Closing: the external tools read no record and no template.
    CerrarComtrade();
    const QStringList lineas = LineasFicher();
    EXPECT_EQ(lineas.mid(2, 4), (QStringList{"", "", "", ""}));
}

TEST_F(FrmPlantillaTest, OldDamagedAndUnreadableTemplatesApplyNothing)
{
    Plantilla("antigua.cnf", "ver 1.0\nID\n");
    const QString vacia = Plantilla("vacia.cnf", "");
    const QString borrada = Plantilla("borrada.cnf", "ver 1.1\nID\n-----\n");
    frmPlantilla& d = Abrir();
    Elegir(d, "antigua.cnf");
    d.cmdBuscar_Click();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(172)});
    EXPECT_EQ(FormPlantilla(), &d);
    EXPECT_EQ(Plantillas().NumCanalesTabla, 0);

    // An empty file is damaged at its line 1: said so, the dialog stays.
    Boxes().Clear();
    Elegir(d, "vacia.cnf");
    d.cmdBuscar_Click();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(201) + vacia + TextosIdioma(202) + "1"});
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    EXPECT_EQ(FormPlantilla(), &d);
    EXPECT_FALSE(Plantillas().PlantillaAplicada);

    // A file gone since it was chosen cannot be read: the error box, the
    // dialog unloaded and the template flag as it was before.
    Boxes().Clear();
    Elegir(d, "borrada.cnf");
    ASSERT_TRUE(QFile::remove(borrada));
    d.cmdBuscar_Click();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_TRUE(Boxes().Last().Prompt.startsWith("Error "));
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_FALSE(Plantillas().PlantillaAplicada);
}

// Over the sample record and its applied template, a copy of that template
// whose heading is misspelt, or random bytes, is damage: the message names
// the file and the line, and the applied template, its menus and ficher.ini
// stay as they were (they would otherwise be emptied unsaid).
TEST_F(FrmPlantillaTest, ATemplateWhoseSectionsCannotBeReadIsRefusedAndChangesNothing)
{
    AbrirMuestra();
    Elegir(Abrir(), "muestra.cnf");
    FormPlantilla()->cmdBuscar_Click();
    Procesar();
    ASSERT_TRUE(Plantillas().PlantillaAplicada);
    ASSERT_EQ(Plantillas().NumTrifasicos, 2);
    const QStringList ficher = LineasFicher();

    QByteArray mal = ReadBytes(muestra_);
    ASSERT_TRUE(mal.contains("\nANALOGICOS\r\n"));
    mal.replace("\nANALOGICOS\r\n", "\nAnalogicos\r\n");
    QByteArray azar(3000, '\0');
    std::uint32_t semilla = 12345;
    for (char& c : azar) {
        semilla = semilla * 1103515245u + 12345u;
        c = static_cast<char>(semilla >> 24);
    }
    const struct {
        const char* nombre;
        QByteArray bytes;
        const char* linea;
    } casos[] = {{"mal.cnf", mal, "3"}, {"azar.cnf", azar, "3"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        const QString ruta = Plantilla(c.nombre, c.bytes);
        Elegir(Abrir(), c.nombre);
        Boxes().Clear();
        FormPlantilla()->cmdBuscar_Click();
        Procesar();
        EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(201) + ruta + TextosIdioma(202) + c.linea});
        EXPECT_TRUE(Plantillas().PlantillaAplicada);
        EXPECT_EQ(Plantillas().NumCanalesTabla, 8);
        EXPECT_EQ(Plantillas().NumTrifasicos, 2);
        EXPECT_EQ(Plantillas().NumGruposDigitales, 5);
        EXPECT_EQ(LineasFicher(), ficher);
        FormPlantilla()->cmdcancel_Click();
        Procesar();
    }
}

TEST_F(FrmPlantillaTest, ModificarReadsTheTemplateAndHandsOverToTheWizard)
{
    AbrirMuestra();
    Plantilla("antigua.cnf", "ver 1.0\nID\n");
    frmPlantilla& d = Abrir();
    d.cmdModif_Click();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(242)});
    EXPECT_TRUE(Plantillas().ModificandoPlantilla);

    Elegir(d, "antigua.cnf");
    Boxes().Clear();
    d.cmdModif_Click();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(172)});
    EXPECT_TRUE(Plantillas().ModificandoPlantilla);
    EXPECT_EQ(FormPlantilla(), &d);
    EXPECT_TRUE(Llamadas().empty());

    // A damaged template is not opened either, and the record's offer stays.
    const QString rota = Plantilla("rota.cnf", "ver 1.1\nROTA\nTRIFASICOS\n 1 \nbasura\n-----\n");
    d.File1->Refresh();
    Elegir(d, "rota.cnf");
    Boxes().Clear();
    d.cmdModif_Click();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(201) + rota + TextosIdioma(202) + "5"});
    EXPECT_EQ(FormPlantilla(), &d);
    EXPECT_TRUE(Llamadas().empty());
    EXPECT_EQ(Plantillas().IdentificadorPlantilla, "SUBESTACION NORTE");
    EXPECT_EQ(Plantillas().NombreRegistroGuardado, "");

    Plantillas().PlantillaNueva = Plantillas().GruposEditados = true;
    Elegir(d, "muestra.cnf");
    d.cmdModif_Click();
    EXPECT_EQ(Llamadas(), std::vector<QString>{"Paso1"});
    EXPECT_EQ(FormPlantilla(), nullptr);
    const TemplateState& p = Plantillas();
    EXPECT_TRUE(p.ModificandoPlantilla);
    EXPECT_FALSE(p.PlantillaNueva || p.GruposEditados || p.PlantillaAplicada);
    EXPECT_EQ(p.NombreRegistroGuardado, "SUBESTACION NORTE");
    EXPECT_EQ(p.NumTrifasicosPlantilla, 2);
}

TEST_F(FrmPlantillaTest, NuevaNeedsNoFileAndCancelLeavesTheWizard)
{
    Plantillas().AsistenteAbortado = Plantillas().ModificandoPlantilla = true;
    Plantillas().VueltaAtras = true; // left by an earlier pass through the wizard
    frmPlantilla& d = Abrir();
    d.cmdNueva_Click();
    EXPECT_EQ(Llamadas(), std::vector<QString>{"Paso1"});
    EXPECT_EQ(FormPlantilla(), nullptr);
    const TemplateState& p = Plantillas();
    EXPECT_TRUE(p.PlantillaNueva);
    EXPECT_FALSE(p.ModificandoPlantilla || p.AsistenteAbortado || p.GruposEditados || p.VueltaAtras);
    Procesar();

    Plantillas().AsistenteAbortado = true;
    frmPlantilla& e = Abrir();
    e.cmdcancel_Click();
    EXPECT_FALSE(Plantillas().AsistenteAbortado);
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(FrmPlantillaTest, ShowingKeepsALoadedDialogAndOpeningLoadsItAfresh)
{
    frmPlantilla& d = Abrir();
    Elegir(d, "muestra.cnf");
    MostrarFrmPlantilla();
    EXPECT_EQ(FormPlantilla(), &d);
    EXPECT_TRUE(FormPlantilla()->PlantillaElegida());
    AbrirFrmPlantilla();
    ASSERT_NE(FormPlantilla(), nullptr);
    EXPECT_FALSE(FormPlantilla()->PlantillaElegida());
}

} // namespace
} // namespace vesdra
