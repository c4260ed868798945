#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "mdi_fixture.h"
#include "platform/common_dialog.h"
#include "platform/file_lists.h"
#include "platform/mdi_forms.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "shell/abrir_comtrade.h"
#include "shell/frm_abrir_comtrade.h"
#include "shell/frm_conversion.h"
#include "shell/frm_plantilla.h"
#include "shell/menu_commands.h"

namespace vesdra {
namespace {

TEST(ConversionLogic, KeysThatEmptyTheNameBox)
{
    for (const char c : {'.', ' ', '[', ']'})
        EXPECT_TRUE(TeclaBorraNombre(c)) << c;
    for (const char c : {'a', 'Z', '0', '-', '_', '(', '\b'})
        EXPECT_FALSE(TeclaBorraNombre(c)) << c;
}

TEST(ConversionLogic, FolderAndNameJoinWithOneSeparator)
{
    const struct {
        const char* carpeta;
        const char* esperado;
    } casos[] = {
        {"/", "/rec"},                 // a drive root already ends in its separator
        {"/media/usb/", "/media/usb/rec"},
        {"C:\\", "C:\\rec"},
        {"/home/u/registros", "/home/u/registros/rec"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(UnirCarpetaNombre(QString::fromLatin1(c.carpeta), QStringLiteral("rec")),
                  QString::fromLatin1(c.esperado))
            << c.carpeta;
}

// The bundled BINARY record opened from the scratch records folder, the
// shell's conversion windows behind the registry, the frame started.
class ConversionTest : public test::MdiTest
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        Arrancar();
        Vistas().Conversion = {MostrarPoscamb, DescargarConversion};
        for (const char* ext : {"dat", "cfg", "hdr"}) {
            const QString origen = QStringLiteral(VESDRA_RUNTIME_ROOT "/Oscilos/muestra.") + QLatin1String(ext);
            ASSERT_TRUE(QFile::copy(origen, Oscilos(QStringLiteral("muestra.") + QLatin1String(ext))));
        }
        destino_ = Carpeta(QStringLiteral("ascii"));
        ASSERT_TRUE(QDir().mkpath(destino_));
    }

    void TearDown() override
    {
        SetVolumeSourceForTests({});
        DescargarConversion();
        Procesar();
        MdiTest::TearDown();
    }

    QString Oscilos(const QString& nombre) const { return Carpeta(QStringLiteral("Oscilos/")) + nombre; }

    // File > Open on a data file, as the user picks it.
    void AbrirPorMenu(const QString& dat)
    {
        ScopedDialogAnswers respuestas({false, dat, 1});
        ComandoAbrirComtrade();
        Procesar();
    }

    // The choice, then the conversion dialog on folder `carpeta` with `nombre`.
    Conversion& Dialogo(bool salir, const QString& carpeta, const QString& nombre)
    {
        poscamb* p = PoscambCargado();
        EXPECT_NE(p, nullptr);
        if (salir)
            p->Convertir_salir_Click();
        else
            p->Convertir_continuar_Click();
        Procesar();
        Conversion* c = ConversionCargada();
        EXPECT_NE(c, nullptr);
        c->Dir1->SetPath(carpeta);
        c->Senda->setText(nombre);
        return *c;
    }

    QString destino_;
};

TEST_F(ConversionTest, ABinaryRecordOpenedFromTheFileMenuOffersTheChoiceCentred)
{
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    ASSERT_TRUE(Registro().RegistroAbierto);
    poscamb* p = PoscambCargado();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(p->windowTitle(), TextosIdioma(154));
    EXPECT_EQ(p->continuar->text(), TextosIdioma(151));
    EXPECT_EQ(p->Convertir_continuar->text(), TextosIdioma(152));
    EXPECT_EQ(p->Convertir_salir->text(), TextosIdioma(153));
    EXPECT_EQ(p->cmdcancel->text(), TextosIdioma(25));
    EXPECT_EQ(FormPlantilla(), nullptr);
    const QWidget* marco = MarcoFormulario(*p);
    EXPECT_NEAR(PixelsToTwipsX(marco->x()), (Screen().WidthTwips - FormWidthTwips(*p)) / 2.0, 30);
    EXPECT_NEAR(PixelsToTwipsY(marco->y()), (Screen().HeightTwips - FormHeightTwips(*p)) / 2.0, 30);

    // Cancel: the BINARY record stays open and nothing follows.
    p->cmdcancel_Click();
    Procesar();
    EXPECT_EQ(PoscambCargado(), nullptr);
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_TRUE(Registro().RegistroAbierto);

    // Going on with the BINARY record: the template dialog.
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    PoscambCargado()->continuar_Click();
    Procesar();
    EXPECT_EQ(PoscambCargado(), nullptr);
    EXPECT_NE(FormPlantilla(), nullptr);
}

TEST_F(ConversionTest, DialogStartsInTheRecordsFolderAndItsNameBoxRefusesDotsBlanksAndBrackets)
{
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    PoscambCargado()->Convertir_continuar_Click();
    Procesar();
    EXPECT_EQ(PoscambCargado(), nullptr);
    Conversion* c = ConversionCargada();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->windowTitle(), TextosIdioma(157));
    EXPECT_EQ(c->Label1->text(), TextosIdioma(155));
    EXPECT_EQ(c->Ayuda->text(), TextosIdioma(156));
    EXPECT_EQ(c->Dir1->Path(), QDir::cleanPath(Carpeta(QStringLiteral("Oscilos"))));
    EXPECT_EQ(c->camin->text(), c->Dir1->Path());

    // Typed keys, as the box receives them.
    const auto teclear = [c](int key, const QString& texto) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, texto);
        QCoreApplication::sendEvent(c->Senda, &e);
    };
    teclear(Qt::Key_R, QStringLiteral("r"));
    teclear(Qt::Key_E, QStringLiteral("e"));
    EXPECT_EQ(c->Senda->text(), QStringLiteral("re"));
    for (const auto& [key, texto] : {std::pair{Qt::Key_Period, "."}, std::pair{Qt::Key_Space, " "},
             std::pair{Qt::Key_BracketLeft, "["}, std::pair{Qt::Key_BracketRight, "]"}}) {
        teclear(Qt::Key_A, QStringLiteral("a"));
        teclear(key, QString::fromLatin1(texto));
        EXPECT_EQ(c->Senda->text(), QString()) << texto;
    }

    // A folder picked in the list shows in the label.
    c->Dir1->SetPath(destino_);
    EXPECT_EQ(c->camin->text(), QDir::cleanPath(destino_));
}

TEST_F(ConversionTest, ConvertAndGoOnWritesTheCopyAndLeadsToTheTemplateDialog)
{
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    Conversion& c = Dialogo(false, destino_, QStringLiteral("copia"));
    c.Aceptar_Click();
    Procesar();
    EXPECT_EQ(Registro().NombreConversion, QDir::cleanPath(destino_) + QStringLiteral("/copia"));
    for (const char* f : {"copia.DAT", "copia.cfg", "copia.hdr"})
        EXPECT_TRUE(QFile::exists(destino_ + QLatin1Char('/') + QLatin1String(f))) << f;
    EXPECT_EQ(ConversionCargada(), nullptr);
    EXPECT_EQ(PoscambCargado(), nullptr);
    EXPECT_NE(FormPlantilla(), nullptr);
    // The BINARY record goes on, its values whole.
    EXPECT_TRUE(Registro().RegistroAbierto);
    EXPECT_NE(Registro().Valores, Matrix<float>(Registro().Valores.Rows(), Registro().Valores.Cols()));
}

TEST_F(ConversionTest, ConvertAndStopClosesTheRecordInsteadOfLeavingZeroedValues)
{
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    Llamadas().clear();
    Conversion& c = Dialogo(true, destino_, QStringLiteral("solo"));
    c.Aceptar_Click();
    Procesar();
    EXPECT_TRUE(QFile::exists(destino_ + QStringLiteral("/solo.DAT")));
    EXPECT_TRUE(QFile::exists(destino_ + QStringLiteral("/solo.cfg")));
    EXPECT_EQ(ConversionCargada(), nullptr);
    EXPECT_EQ(PoscambCargado(), nullptr);
    EXPECT_EQ(FormPlantilla(), nullptr);
    const RecordModel& r = Registro();
    EXPECT_FALSE(r.RegistroAbierto);
    EXPECT_TRUE(r.Valores.Empty());
    EXPECT_EQ(r.NumAnalogicos, 0);
    EXPECT_FALSE(r.SalirTrasConversion);
    EXPECT_TRUE(principal_->Etiqueta->text().isEmpty());
    EXPECT_NE(std::find(Llamadas().begin(), Llamadas().end(), QStringLiteral("Ondas.Reiniciar")), Llamadas().end());
}

TEST_F(ConversionTest, OverwriteIsAskedAndARefusalLeavesTheDialogForThatFolderWithNoName)
{
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    const QString dat = destino_ + QStringLiteral("/previo.DAT");
    ASSERT_TRUE(test::WriteBytes(dat, "old"));

    Conversion& c = Dialogo(false, destino_, QStringLiteral("previo"));
    Boxes().Clear();
    Boxes().QueueAnswer(vbCancel);
    c.Aceptar_Click();
    Procesar();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(167));
    EXPECT_EQ(Boxes().Last().Style, vbOKCancel);
    EXPECT_EQ(ConversionCargada(), &c);
    EXPECT_TRUE(c.Senda->text().isEmpty());
    EXPECT_EQ(c.camin->text(), c.Dir1->Path());
    EXPECT_EQ(test::ReadBytes(dat), QByteArray("old"));
    EXPECT_EQ(FormPlantilla(), nullptr);

    // Accepted: the old record is replaced, also when only its letter case differs.
    ASSERT_TRUE(QFile::rename(dat, destino_ + QStringLiteral("/previo.dat")));
    c.Senda->setText(QStringLiteral("PREVIO"));
    Boxes().Clear();
    c.Aceptar_Click();
    Procesar();
    EXPECT_EQ(Boxes().Count(), 1);
    EXPECT_GT(test::ReadBytes(destino_ + QStringLiteral("/previo.dat")).size(), 100);
    EXPECT_FALSE(QFile::exists(destino_ + QStringLiteral("/PREVIO.DAT")));
    EXPECT_NE(FormPlantilla(), nullptr);
}

TEST_F(ConversionTest, AMissingFolderOrTheRecordsOwnFilesAreRefusedAndTheDialogStays)
{
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    const QByteArray datOriginal = test::ReadBytes(Oscilos(QStringLiteral("muestra.dat")));

    // The folder chosen was removed meanwhile: text 168, the name kept.
    const QString perdida = Carpeta(QStringLiteral("perdida"));
    ASSERT_TRUE(QDir().mkpath(perdida));
    Conversion& c = Dialogo(false, perdida, QStringLiteral("x"));
    ASSERT_TRUE(QDir(perdida).removeRecursively());
    Boxes().Clear();
    c.Aceptar_Click();
    Procesar();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(168));
    EXPECT_EQ(Boxes().Last().Style, vbOKCancel);
    EXPECT_EQ(ConversionCargada(), &c);
    EXPECT_EQ(c.Senda->text(), QStringLiteral("x"));
    EXPECT_EQ(c.camin->text(), c.Dir1->Path());

    // The record's own name in its own folder, in any letter case: text
    // 128 before any question, nothing written.
    for (const char* nombre : {"muestra", "MUESTRA"}) {
        c.Dir1->SetPath(Carpeta(QStringLiteral("Oscilos")));
        c.Senda->setText(QString::fromLatin1(nombre));
        Boxes().Clear();
        c.Aceptar_Click();
        Procesar();
        ASSERT_EQ(Boxes().Count(), 1) << nombre;
        EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(128)) << nombre;
        EXPECT_EQ(Boxes().Last().Style, vbCritical);
        EXPECT_EQ(ConversionCargada(), &c);
    }
    EXPECT_EQ(test::ReadBytes(Oscilos(QStringLiteral("muestra.dat"))), datOriginal);
    EXPECT_EQ(QDir(Carpeta(QStringLiteral("Oscilos"))).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(Registro().RegistroAbierto);
}

TEST_F(ConversionTest, ACopyFailingAfterItsDataFileTakesItBackAndLeavesNoWindowOrHourglass)
{
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    // The configuration's target is a folder: the data file and the header
    // are written, the configuration is not.
    ASSERT_TRUE(QDir().mkpath(destino_ + QStringLiteral("/roto.cfg")));
    Conversion& c = Dialogo(false, destino_, QStringLiteral("roto"));
    Boxes().Clear();
    c.Aceptar_Click();
    Procesar();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    // No data file is left without its configuration.
    EXPECT_EQ(QDir(destino_).entryList(QDir::Files), QStringList());
    EXPECT_EQ(ConversionCargada(), nullptr);
    EXPECT_EQ(PoscambCargado(), nullptr);
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_EQ(MousePointer(), vbDefault);
    EXPECT_TRUE(Registro().RegistroAbierto);

    // A header that was there before the copy stays.
    const QString hdr = destino_ + QStringLiteral("/roto.hdr");
    ASSERT_TRUE(test::WriteBytes(hdr, "old"));
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    Conversion& d = Dialogo(false, destino_, QStringLiteral("roto"));
    d.Aceptar_Click();
    Procesar();
    EXPECT_EQ(QDir(destino_).entryList(QDir::Files), QStringList{QStringLiteral("roto.hdr")});
}

TEST_F(ConversionTest, ADriveNotReadyIsToldAndTheDialogStaysAnyOtherDriveFailureUnloadsIt)
{
    const QString lector = Carpeta(QStringLiteral("lector"));
    const QString perdida = Carpeta(QStringLiteral("perdida"));
    SetVolumeSourceForTests([lector, perdida] {
        return std::vector<Volume>{{QStringLiteral("/"), {}, true}, {lector, {}, false}, {perdida, {}, true}};
    });
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    Conversion& c = Dialogo(false, destino_, QStringLiteral("x"));
    const auto elegir = [&c](const QString& raiz) {
        for (int i = 0; i < c.Drive1->ListCount(); ++i)
            if (c.Drive1->List(i) == raiz)
                emit c.Drive1->activated(i);
    };

    // No medium in the drive: text 149, the dialog on its folder.
    Boxes().Clear();
    elegir(lector);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(149));
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    EXPECT_EQ(ConversionCargada(), &c);
    EXPECT_EQ(c.Dir1->Path(), QDir::cleanPath(destino_));
    EXPECT_EQ(c.camin->text(), c.Dir1->Path());

    // A drive whose root is gone: the error box names it and the dialog goes.
    Boxes().Clear();
    elegir(perdida);
    Procesar();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, ErrorBoxText(FileError(vberr::PathNotFound, perdida)));
    EXPECT_EQ(ConversionCargada(), nullptr);
}

TEST_F(ConversionTest, CancelGoesBackToTheChoiceAndHelpComesBackToAFreshDialog)
{
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    Conversion& c = Dialogo(true, destino_, QStringLiteral("nombre"));
    c.Cancelar_Click();
    Procesar();
    EXPECT_EQ(ConversionCargada(), nullptr);
    ASSERT_NE(PoscambCargado(), nullptr);
    EXPECT_TRUE(Registro().RegistroAbierto);

    Conversion& d = Dialogo(false, destino_, QStringLiteral("nombre"));
    d.Ayuda_Click();
    Procesar();
    EXPECT_EQ(ConversionCargada(), nullptr);
    Mensaje* m = MensajeCargado();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->windowTitle(), TextosIdioma(158));
    EXPECT_EQ(m->Label1->text(), TextosIdioma(159));
    m->OK_Click();
    Procesar();
    EXPECT_EQ(MensajeCargado(), nullptr);
    Conversion* otra = ConversionCargada();
    ASSERT_NE(otra, nullptr);
    EXPECT_TRUE(otra->Senda->text().isEmpty());
    EXPECT_EQ(otra->Dir1->Path(), QDir::cleanPath(Carpeta(QStringLiteral("Oscilos"))));
}

TEST_F(ConversionTest, PublicSepamRecordConvertedThroughTheDialogReadsBackEqual)
{
    for (const char* f : {"SEPAM_1997_BIN.DAT", "SEPAM_1997_BIN.CFG"})
        ASSERT_TRUE(QFile::copy(test::SamplePath(QLatin1String(f)), Oscilos(QLatin1String(f))));
    AbrirPorMenu(Oscilos(QStringLiteral("SEPAM_1997_BIN.DAT")));
    ASSERT_TRUE(Registro().RegistroAbierto);
    const RecordModel binario = Registro();

    Conversion& c = Dialogo(false, destino_, QStringLiteral("sepam"));
    Boxes().Clear();
    c.Aceptar_Click();
    Procesar();
    // No header beside it: told under the choice's caption, the copy goes on.
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(151));
    EXPECT_EQ(Boxes().Last().Title, TextosIdioma(152));

    Registro() = RecordModel{};
    Registro().RutaCfg = destino_ + QStringLiteral("/sepam.cfg");
    Registro().RutaDat = destino_ + QStringLiteral("/sepam.DAT");
    ASSERT_TRUE(LeerCfg().Ok());
    EXPECT_EQ(Registro().TipoFichero.trimmed(), QStringLiteral("ASCII"));
    ASSERT_TRUE(LeerDatAscii().Ok());
    EXPECT_EQ(Registro().Tiempos, binario.Tiempos);
    EXPECT_EQ(Registro().Valores, binario.Valores);
    EXPECT_EQ(Registro().EstadosDigitales, binario.EstadosDigitales);

    // Later opened from the File menu: an ASCII record, on to the template dialog.
    DescargarFrmPlantilla();
    Procesar();
    AbrirPorMenu(destino_ + QStringLiteral("/sepam.DAT"));
    EXPECT_TRUE(Registro().RegistroAbierto);
    EXPECT_EQ(Registro().Valores, binario.Valores);
    EXPECT_EQ(PoscambCargado(), nullptr);
    EXPECT_NE(FormPlantilla(), nullptr);
}

} // namespace
} // namespace vesdra
