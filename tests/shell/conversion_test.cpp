#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <functional>
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
#include "shell/frm_menu.h"
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
        {"/", "/rec"}, // a drive root already ends in its separator
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
            const QString origen =
                QStringLiteral(VESDRA_RUNTIME_ROOT "/Oscilos/muestra.") + QLatin1String(ext);
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
    // Centred on the screen as placed before it was shown, when its window's
    // frame is not known yet and the design frame stands for it.
    const QWidget* marco = MarcoFormulario(*p);
    const QMargins m = DefaultFormFrame();
    EXPECT_NEAR(PixelsToTwipsX(marco->x()),
                (Screen().WidthTwips - PixelsToTwipsX(p->width() + m.left() + m.right())) / 2.0, 30);
    EXPECT_NEAR(PixelsToTwipsY(marco->y()),
                (Screen().HeightTwips - PixelsToTwipsY(p->height() + m.top() + m.bottom())) / 2.0, 30);

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
    for (const auto& [key, texto] :
         {std::pair{Qt::Key_Period, "."}, std::pair{Qt::Key_Space, " "}, std::pair{Qt::Key_BracketLeft, "["},
          std::pair{Qt::Key_BracketRight, "]"}}) {
        teclear(Qt::Key_A, QStringLiteral("a"));
        teclear(key, QString::fromLatin1(texto));
        EXPECT_EQ(c->Senda->text(), QString()) << texto;
    }

    // A folder picked in the list shows in the label.
    c->Dir1->SetPath(destino_);
    EXPECT_EQ(c->camin->text(), QDir::cleanPath(destino_));
    // A long one keeps its start and its last folder in sight, whole on hover.
    const QString larga = QDir::cleanPath(destino_ + QStringLiteral("/una carpeta de nombre muy largo/y otra "
                                                                    "más/registros de 2024"));
    ASSERT_TRUE(QDir().mkpath(larga));
    c->Dir1->SetPath(larga);
    EXPECT_TRUE(test::RutaCortadaEnMedio(*c->camin, larga));
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
    EXPECT_NE(std::find(Llamadas().begin(), Llamadas().end(), QStringLiteral("Ondas.Reiniciar")),
              Llamadas().end());
}

// The record's data file cut short after the open (another program, a copy
// stopped half-way): no copy can hold its samples, so none is written; the
// user is told how many the file still holds, and the record goes on as it
// was read, to the template dialog, for convert and go on and for convert
// and stop alike.
TEST_F(ConversionTest, ADataFileCutShortSinceTheOpenRefusesTheCopyAndTheRecordGoesOn)
{
    const QString dat = Oscilos(QStringLiteral("muestra.dat"));
    const QByteArray original = test::ReadBytes(dat);
    for (const bool salir : {false, true}) {
        SCOPED_TRACE(salir ? "convert and stop" : "convert and go on");
        ASSERT_TRUE(test::WriteBytes(dat, original));
        AbrirPorMenu(dat);
        const RecordModel& r = Registro();
        const std::int32_t muestras = r.NumMuestras();
        const QString etiqueta = principal_->Etiqueta->text();
        ASSERT_FALSE(etiqueta.isEmpty());
        const qint64 tam = 8 + 2 * r.NumAnalogicos + 2 * ((r.NumDigitales + 15) / 16);
        const qint64 quedan = muestras / 3;
        ASSERT_TRUE(QFile::resize(dat, quedan * tam + 3));
        Conversion& c = Dialogo(salir, destino_, QStringLiteral("cambiado"));
        Boxes().Clear();
        c.Aceptar_Click();
        Procesar();
        ASSERT_EQ(Boxes().Count(), 1);
        EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(214).arg(quedan).arg(muestras) + ' ' + r.RutaDat);
        EXPECT_EQ(Boxes().Last().Style, vbCritical);
        EXPECT_EQ(QDir(destino_).entryList(QDir::Files), QStringList());
        EXPECT_EQ(ConversionCargada(), nullptr);
        EXPECT_EQ(PoscambCargado(), nullptr);
        EXPECT_NE(FormPlantilla(), nullptr);
        EXPECT_EQ(MousePointer(), vbDefault);
        EXPECT_TRUE(r.RegistroAbierto);
        EXPECT_FALSE(r.SalirTrasConversion);
        EXPECT_EQ(r.NumMuestras(), muestras);
        EXPECT_EQ(principal_->Etiqueta->text(), etiqueta);
        DescargarFrmPlantilla();
    }
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

TEST_F(ConversionTest, ACopyFailingAfterItsDataFileTakesItBackAndTheDialogStaysForAnotherFolder)
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
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(194));
    EXPECT_EQ(Boxes().Last().Style, vbOKCancel);
    // No data file is left without its configuration.
    EXPECT_EQ(QDir(destino_).entryList(QDir::Files), QStringList());
    EXPECT_EQ(ConversionCargada(), &c);
    EXPECT_EQ(c.camin->text(), c.Dir1->Path());
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_EQ(MousePointer(), vbDefault);
    EXPECT_TRUE(Registro().RegistroAbierto);
    DescargarConversion();

    // A header that was there before the copy stays.
    const QString hdr = destino_ + QStringLiteral("/roto.hdr");
    ASSERT_TRUE(test::WriteBytes(hdr, "old"));
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    Conversion& d = Dialogo(false, destino_, QStringLiteral("roto"));
    d.Aceptar_Click();
    Procesar();
    EXPECT_EQ(QDir(destino_).entryList(QDir::Files), QStringList{QStringLiteral("roto.hdr")});
}

// A folder the user may not write into (read-only), for convert and go on
// and for convert and stop: told, nothing written, the record open with its
// values, the dialog still there; another folder then converts.
TEST_F(ConversionTest, AFolderThatRefusesTheWritingKeepsTheDialogAndTheRecordForAnotherFolder)
{
    QString cerrada = Carpeta(QStringLiteral("solo_lectura"));
    ASSERT_TRUE(QDir().mkpath(cerrada));
    ASSERT_TRUE(QFile::setPermissions(cerrada,
                                      QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser));
    if (QFile probe(cerrada + QStringLiteral("/probe")); probe.open(QIODevice::WriteOnly)) {
        // Permissions do not hold for this user (root): a folder of the
        // kernel's, which nobody writes into, stands in.
        probe.close();
        probe.remove();
        QFile::setPermissions(cerrada, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!QFileInfo(QStringLiteral("/proc/self")).isDir())
            GTEST_SKIP() << "no read-only folder here";
        cerrada = QStringLiteral("/proc");
    }
    const auto escritos = [&cerrada] {
        return QDir(cerrada).entryList({QStringLiteral("x*")}, QDir::Files | QDir::Hidden);
    };
    for (const bool salir : {false, true}) {
        AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
        const Matrix<float> valores = Registro().Valores;
        Conversion& c = Dialogo(salir, cerrada, QStringLiteral("x"));
        Boxes().Clear();
        c.Aceptar_Click();
        Procesar();
        ASSERT_EQ(Boxes().Count(), 1) << salir;
        EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(194)) << salir;
        EXPECT_EQ(ConversionCargada(), &c) << salir;
        EXPECT_EQ(escritos(), QStringList()) << salir;
        EXPECT_TRUE(Registro().RegistroAbierto) << salir;
        EXPECT_EQ(Registro().Valores, valores) << salir;
        EXPECT_EQ(MousePointer(), vbDefault) << salir;

        c.Dir1->SetPath(destino_);
        c.Aceptar_Click();
        Procesar();
        EXPECT_TRUE(QFile::exists(destino_ + QStringLiteral("/x.DAT"))) << salir;
        EXPECT_EQ(ConversionCargada(), nullptr) << salir;
        EXPECT_EQ(Registro().RegistroAbierto, !salir);
        QFile::remove(destino_ + QStringLiteral("/x.DAT"));
        DescargarFrmPlantilla();
        Procesar();
    }
    QFile::setPermissions(Carpeta(QStringLiteral("solo_lectura")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A conversion dialog left over converts only the record it was opened
// for: with that record closed or another one open it refuses and writes
// nothing. Opening, refusing or closing a record unloads the windows.
TEST_F(ConversionTest, ALeftOverDialogConvertsOnlyTheBinaryRecordItWasOpenedFor)
{
    ASSERT_TRUE(test::WriteBytes(Oscilos(QStringLiteral("otro.cfg")),
                                 test::ReadBytes(Oscilos(QStringLiteral("muestra.cfg")))));
    ASSERT_TRUE(QFile::copy(Oscilos(QStringLiteral("muestra.dat")), Oscilos(QStringLiteral("otro.dat"))));
    struct Caso {
        const char* que;
        std::function<void()> entretanto; // what happens to the record meanwhile
        bool convierte;
    };
    const auto otro = [this] {
        ASSERT_TRUE(AbrirRegistro(DerivarRutas(Oscilos(QStringLiteral("otro.dat")))).Abierto());
    };
    const std::vector<Caso> casos{
        {"record closed", [] { CerrarComtrade(); }, false},
        {"another record open", otro, false},
        {"same record", [] {}, true},
    };
    for (const Caso& caso : casos) {
        AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
        const QString origen = Registro().RutaDat;
        (void)Dialogo(false, destino_, QStringLiteral("copia"));
        caso.entretanto();
        Procesar();
        if (!caso.convierte) {
            // Opening or closing a record took the windows away.
            EXPECT_EQ(ConversionCargada(), nullptr) << caso.que;
            EXPECT_EQ(PoscambCargado(), nullptr) << caso.que;
        }
        // The dialog brought back all the same (as if it had been lost
        // before the change): OK.
        MostrarConversion(origen);
        Conversion* d = ConversionCargada();
        ASSERT_NE(d, nullptr);
        d->Dir1->SetPath(destino_);
        d->Senda->setText(QStringLiteral("copia"));
        Boxes().Clear();
        d->Aceptar_Click();
        Procesar();
        EXPECT_EQ(QFile::exists(destino_ + QStringLiteral("/copia.DAT")), caso.convierte) << caso.que;
        EXPECT_EQ(QFile::exists(destino_ + QStringLiteral("/copia.cfg")), caso.convierte) << caso.que;
        EXPECT_EQ(ConversionCargada(), nullptr) << caso.que;
        if (caso.convierte) {
            EXPECT_EQ(Boxes().Count(), 0) << caso.que;
            EXPECT_NE(FormPlantilla(), nullptr) << caso.que;
        } else {
            ASSERT_EQ(Boxes().Count(), 1) << caso.que;
            EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(193)) << caso.que;
            EXPECT_EQ(FormPlantilla(), nullptr) << caso.que;
        }
        for (const char* f : {"copia.DAT", "copia.cfg", "copia.hdr"})
            QFile::remove(destino_ + QLatin1Char('/') + QLatin1String(f));
        DescargarFrmPlantilla();
        Procesar();
    }

    // A record refused by the open takes the windows too (the record open
    // before stays).
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    ASSERT_NE(PoscambCargado(), nullptr);
    Boxes().Clear();
    EXPECT_EQ(AbrirRegistro({Oscilos(QStringLiteral("nada.dat")), {}, {}}).Estado, Apertura::SinCfg);
    Procesar();
    EXPECT_EQ(PoscambCargado(), nullptr);
    EXPECT_TRUE(Registro().RegistroAbierto);
}

// The choice, the conversion dialog, its help and the template dialog each
// stand in front of the main window and keep the keyboard: a click on the
// menu form underneath and a menu of the menu form with Esc, as real input
// events, leave the dialog in front and active, and no menu opens.
TEST_F(ConversionTest, DialogsStayInFrontOfTheMainWindowThroughClicksAndMenuKeys)
{
    FrmMenu* menu = principal_->Menu();
    ASSERT_NE(menu, nullptr);
    QWindow* ventana = principal_->windowHandle();
    ASSERT_NE(ventana, nullptr);
    QMenuBar* barra = menu->BarraMenu;
    const QPoint titulo =
        barra->mapTo(principal_.get(), barra->actionGeometry(barra->actions().front()).center());
    // Escape to a menu that opened (Escape to the dialog is its Cancel).
    const auto esc = [] {
        QWindow* foco = QGuiApplication::focusWindow();
        if (foco && QApplication::activePopupWidget())
            QTest::keyClick(foco, Qt::Key_Escape);
        Procesar();
    };

    // With no dialog up the same click opens the File menu, and Esc closes it.
    QTest::mouseClick(ventana, Qt::LeftButton, {}, titulo);
    Procesar();
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    esc();
    esc();
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);

    struct Caso {
        const char* que;
        std::function<QWidget*()> abrir;
    };
    const std::vector<Caso> casos{
        {"choice",
         [this] {
             AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
             return static_cast<QWidget*>(PoscambCargado());
         }},
        {"conversion",
         [this] { return static_cast<QWidget*>(&Dialogo(false, destino_, QStringLiteral("x"))); }},
        {"help",
         [] {
             ConversionCargada()->Ayuda_Click();
             Procesar();
             return static_cast<QWidget*>(MensajeCargado());
         }},
        {"template dialog",
         [] {
             DescargarConversion();
             AbrirFrmPlantilla();
             return static_cast<QWidget*>(FormPlantilla());
         }},
    };
    for (const Caso& caso : casos) {
        QWidget* d = caso.abrir();
        Procesar();
        ASSERT_NE(d, nullptr) << caso.que;
        const auto delante = [&](const char* tras) {
            // Shown, holding the keyboard, no menu of the menu form open.
            EXPECT_TRUE(d->isVisible()) << caso.que << tras;
            const QWidget* foco = QApplication::focusWidget();
            EXPECT_TRUE(foco && (foco == d || d->isAncestorOf(foco))) << caso.que << tras;
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << caso.que << tras;
            EXPECT_EQ(principal_->FormularioActivo(), d) << caso.que << tras;
            // A modal window of its own in front of the main window, not a
            // child the menu form could cover.
            EXPECT_TRUE(d->isWindow()) << caso.que << tras;
            EXPECT_EQ(qobject_cast<QMdiSubWindow*>(d->parentWidget()), nullptr) << caso.que << tras;
            EXPECT_TRUE(d->windowHandle() && d->windowHandle()->transientParent() == ventana)
                << caso.que << tras;
            EXPECT_EQ(QApplication::activeModalWidget(), d) << caso.que << tras;
            EXPECT_EQ(QApplication::activeWindow(), d) << caso.que << tras;
        };
        delante(" as shown");
        // A click on the background: the maximised menu form.
        QTest::mouseClick(ventana, Qt::LeftButton, {}, menu->mapTo(principal_.get(), menu->rect().center()));
        Procesar();
        delante(" after a click on the menu form");
        // A menu of the menu form, by a click on its title and by its key,
        // then Esc.
        QTest::mouseClick(ventana, Qt::LeftButton, {}, titulo);
        Procesar();
        delante(" after a click on a menu title");
        QTest::keyClick(ventana, Qt::Key_F, Qt::AltModifier);
        Procesar();
        delante(" after the menu key");
        esc();
        delante(" after Esc");
    }
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

// Keys as the user presses them in each window: Enter presses the focused
// button or the window's OK, Escape does what its Cancel does.
TEST_F(ConversionTest, EnterAndEscapeInTheChoiceTheConversionDialogAndItsHelp)
{
    const auto tecla = [](int k) {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr);
        QTest::keyClick(foco, static_cast<Qt::Key>(k));
        Procesar();
    };
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    // The choice: Escape cancels it; Enter presses the choice with the focus.
    ASSERT_NE(PoscambCargado(), nullptr);
    tecla(Qt::Key_Escape);
    EXPECT_EQ(PoscambCargado(), nullptr);
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_TRUE(Registro().RegistroAbierto);
    VolverAPoscamb(Registro().RutaDat);
    Procesar();
    PoscambCargado()->Convertir_continuar->setFocus();
    tecla(Qt::Key_Return);
    EXPECT_EQ(PoscambCargado(), nullptr);
    ASSERT_NE(ConversionCargada(), nullptr);

    // The conversion dialog: Escape goes back to the choice.
    tecla(Qt::Key_Escape);
    EXPECT_EQ(ConversionCargada(), nullptr);
    ASSERT_NE(PoscambCargado(), nullptr);

    // Its help: Enter on its OK, and Escape, bring the dialog back.
    for (const int k : {Qt::Key_Return, Qt::Key_Escape}) {
        Conversion& c = Dialogo(false, destino_, QStringLiteral("x"));
        c.Ayuda->setFocus();
        tecla(Qt::Key_Enter);
        ASSERT_NE(MensajeCargado(), nullptr) << k;
        EXPECT_EQ(ConversionCargada(), nullptr) << k;
        tecla(k);
        EXPECT_EQ(MensajeCargado(), nullptr) << k;
        ASSERT_NE(ConversionCargada(), nullptr) << k;
        DescargarConversion();
        VolverAPoscamb(Registro().RutaDat);
        Procesar();
    }

    // Enter in the name box converts.
    Conversion& c = Dialogo(true, destino_, QStringLiteral("tecla"));
    c.Senda->setFocus();
    tecla(Qt::Key_Return);
    EXPECT_EQ(ConversionCargada(), nullptr);
    EXPECT_TRUE(QFileInfo::exists(destino_ + QStringLiteral("/tecla.DAT")));
}

// The title bar's close box (or Alt+F4) does what the window's own button
// does: the help goes back to the conversion dialog, the conversion dialog
// back to the choice; the conversion is never abandoned on the way.
TEST_F(ConversionTest, TheCloseBoxOfTheHelpAndOfTheDialogGoesBackAStep)
{
    AbrirPorMenu(Oscilos(QStringLiteral("muestra.dat")));
    Conversion& c = Dialogo(false, destino_, QStringLiteral("x"));
    c.Ayuda_Click();
    Procesar();
    Mensaje* m = MensajeCargado();
    ASSERT_NE(m, nullptr);
    ASSERT_NE(m->windowHandle(), nullptr);
    m->windowHandle()->close(); // as the window system asks
    Procesar();
    EXPECT_EQ(MensajeCargado(), nullptr);
    Conversion* otra = ConversionCargada();
    ASSERT_NE(otra, nullptr);
    EXPECT_TRUE(otra->isVisible());

    otra->windowHandle()->close();
    Procesar();
    EXPECT_EQ(ConversionCargada(), nullptr);
    ASSERT_NE(PoscambCargado(), nullptr);
    EXPECT_TRUE(PoscambCargado()->isVisible());
    EXPECT_TRUE(Registro().RegistroAbierto);
    // A window of a fixed layout: nothing to maximise.
    EXPECT_EQ(PoscambCargado()->minimumSize(), PoscambCargado()->maximumSize());
    EXPECT_FALSE(PoscambCargado()->windowFlags() & Qt::WindowMaximizeButtonHint);
    // An unloading by the program is no close box: nothing comes back.
    DescargarConversion();
    Procesar();
    EXPECT_EQ(PoscambCargado(), nullptr);
    EXPECT_EQ(ConversionCargada(), nullptr);
    EXPECT_EQ(MensajeCargado(), nullptr);
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
    // The record has no header: there is none to copy and nothing to say.
    EXPECT_EQ(Boxes().Count(), 0);

    Registro() = RecordModel{};
    Registro().RutaCfg = destino_ + QStringLiteral("/sepam.cfg");
    Registro().RutaDat = destino_ + QStringLiteral("/sepam.DAT");
    ASSERT_TRUE(LeerCfg(Registro()).Ok());
    EXPECT_EQ(Registro().TipoFichero.trimmed(), QStringLiteral("ASCII"));
    ASSERT_TRUE(LeerDatAscii(Registro()).Ok());
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
