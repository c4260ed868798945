#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QMetaObject>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "common/printed_page.h"

#include "mdi_fixture.h"
#include "platform/key_hook.h"
#include "platform/printer_qt.h"
#include "platform/printer_recording.h"
#include "platform/twips.h"
#include "record/helpers.h"
#include "shell/cancelar.h"
#include "shell/frm_ajustes.h"
#include "shell/frm_menu.h"
#include "shell/menu_commands.h"
#include "shell/tecla_salir.h"
#include "shell/view_sizes.h"

namespace vesdra {
namespace {

using Kind = PrintCall::Kind;

// The frame started, the report behind the Info command, and the printer
// recorded.
class InformeTest : public test::MdiTest
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        Arrancar();
        Vistas().Informe = {AbrirInforme, CerrarInforme, CerrarInforme};
        SetPrinterForTests(&impresora_);
        Registro().RegistroAbierto = true;
    }

    void TearDown() override
    {
        CerrarInforme();
        DescargarCancelar();
        Procesar();
        SetPrinterForTests(nullptr);
        MdiTest::TearDown();
    }

    // A header file of the given bytes, made the record's.
    void Cabecera(const QByteArray& bytes)
    {
        Escribir(QStringLiteral("rec.hdr"), bytes);
        Registro().RutaHdr = Ruta(QStringLiteral("rec.hdr"));
    }

    frmAjustes* Abrir()
    {
        ComandoInforme(principal_->Menu());
        Procesar();
        return InformeCargado();
    }

    QStringList Entradas(const frmAjustes& f) const
    {
        QStringList e;
        for (int i = 0; i < f.Lista1->count(); ++i)
            e << f.Lista1->item(i)->text();
        return e;
    }

    bool MenuVisible() const { return principal_->Menu()->isVisibleTo(principal_.get()); }

    RecordingPrinter impresora_;
};

TEST(InformeLogic, HeaderLinesAreReadAsWindows1252WithEitherLineEndAndCutAt2500)
{
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("h.hdr"));

    ASSERT_TRUE(test::WriteBytes(ruta, "Subestaci\xF3n NORTE\r\nL\xEDnea 1\nDisparo\r\n"));
    ContenidoInforme c = LeerInforme(ruta);
    EXPECT_EQ(c.Lineas, (QStringList{QStringLiteral("VESDRA"), QString::fromUtf8("Subestación NORTE"),
                                     QString::fromUtf8("Línea 1"), QStringLiteral("Disparo")}));
    EXPECT_FALSE(c.Recortado);

    // A modern recorder's header in UTF-8 reads as written, not as mojibake.
    ASSERT_TRUE(
        test::WriteBytes(ruta, QString::fromUtf8("Subestación NORTE\r\nTemperatura 25 °C\r\n").toUtf8()));
    EXPECT_EQ(LeerInforme(ruta).Lineas,
              (QStringList{QStringLiteral("VESDRA"), QString::fromUtf8("Subestación NORTE"),
                           QString::fromUtf8("Temperatura 25 °C")}));

    ASSERT_TRUE(test::WriteBytes(ruta, ""));
    EXPECT_EQ(LeerInforme(ruta).Lineas, QStringList{QStringLiteral("VESDRA")});

    for (const int n : {2500, 3000}) {
        QByteArray b;
        for (int i = 1; i <= n; ++i)
            b += "linea " + QByteArray::number(i) + "\r\n";
        ASSERT_TRUE(test::WriteBytes(ruta, b));
        c = LeerInforme(ruta);
        ASSERT_EQ(c.Lineas.size(), 2501) << n;
        EXPECT_EQ(c.Lineas.back(), QStringLiteral("linea 2500"));
        EXPECT_EQ(c.Recortado, n > 2500);
    }

    EXPECT_THROW((void)LeerInforme(dir.filePath(QStringLiteral("no.hdr"))), VbError);
}

TEST_F(InformeTest, ReportListsTheHeaderUnderTheProductNameSizedFromTheViewRegion)
{
    Cabecera("REGISTRO\r\nSubestacion: NORTE\r\nPosicion: LINEA 1\r\n");
    frmAjustes* f = Abrir();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(TagDe(f), 7);
    EXPECT_EQ(Entradas(*f), (QStringList{"VESDRA", "REGISTRO", "Subestacion: NORTE", "Posicion: LINEA 1"}));
    EXPECT_TRUE(f->Lista1->font().fixedPitch());
    EXPECT_EQ(f->Lista1->font().pointSize(), 12);
    EXPECT_EQ(f->cmdImprimir->text(), TextosIdioma(236));
    // The view region's size; the list and the button placed from it.
    const double alto = std::lround(AltoVista()), ancho = std::lround(AnchoVista());
    EXPECT_NEAR(FormHeightTwips(*f), alto, 30);
    EXPECT_NEAR(FormWidthTwips(*f), ancho, 30);
    EXPECT_NEAR(HeightTwips(*f->Lista1), alto * 0.88, 30);
    EXPECT_NEAR(WidthTwips(*f->Lista1), ancho * 0.96, 30);
    EXPECT_NEAR(TopTwips(*f->cmdImprimir), HeightTwips(*f->Lista1) + 120, 30);
    EXPECT_NEAR(LeftTwips(*f->cmdImprimir), Screen().WidthTwips * 2.0 / 5 + 50, 30);
    // The menu form hides while the report is open and comes back after.
    EXPECT_FALSE(MenuVisible());
    principal_->cmdSalir_Click();
    Procesar();
    EXPECT_EQ(InformeCargado(), nullptr);
    EXPECT_TRUE(MenuVisible());
}

TEST_F(InformeTest, TheExitKeyClosesTheReportNotTheProgram)
{
    Cabecera("uno\r\n");
    frmAjustes* f = Abrir();
    ASSERT_NE(f, nullptr);
    f->Lista1->setFocus();
    EXPECT_TRUE(TeclaSalir(vbAltMask, vbKeyS)); // Spanish: Alt+S
    Procesar();
    EXPECT_EQ(InformeCargado(), nullptr);
    EXPECT_FALSE(principal_->Descargado());
    EXPECT_TRUE(MenuVisible());
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(InformeTest, ALongLineIsShownWholeWithASidewaysScroll)
{
    const QByteArray larga = "Canal " + QByteArray(600, 'x') + " fin";
    Cabecera(larga + "\r\n");
    frmAjustes* f = Abrir();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Lista1->item(1)->text(), QString::fromLatin1(larga));
    EXPECT_EQ(f->Lista1->textElideMode(), Qt::ElideNone);
    EXPECT_GT(f->Lista1->horizontalScrollBar()->maximum(), 0);
}

TEST_F(InformeTest, AHeaderOfMoreThan2500LinesShowsTheFirst2500AndSaysSo)
{
    QByteArray b;
    for (int i = 1; i <= 3000; ++i)
        b += "l" + QByteArray::number(i) + "\n";
    Cabecera(b);
    Boxes().Clear();
    frmAjustes* f = Abrir();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Lista1->count(), 2501);
    EXPECT_EQ(f->Lista1->item(2500)->text(), QStringLiteral("l2500"));
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(130));
}

TEST_F(InformeTest, WithoutAHeaderTheWindowClosesItselfAndTheMenuFormComesBack)
{
    Registro().RutaHdr.clear();
    // The command refuses on its own (161) ...
    EXPECT_EQ(Abrir(), nullptr);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(161));
    // ... and the window, reached another way, says so and closes at activation.
    Boxes().Clear();
    AbrirInforme();
    Procesar();
    EXPECT_EQ(InformeCargado(), nullptr);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(161));
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    EXPECT_TRUE(MenuVisible());
}

TEST_F(InformeTest, PrintSendsOneLinePerEntryAndACancelStopsBeforeTheNextLine)
{
    Cabecera("uno\r\ndos\r\ntres\r\n");
    frmAjustes* f = Abrir();
    ASSERT_NE(f, nullptr);

    f->cmdImprimir_Click();
    EXPECT_EQ(impresora_.Texts(), (std::vector<QString>{"VESDRA", "uno", "dos", "tres"}));
    EXPECT_EQ(impresora_.OfKind(Kind::EndDoc).size(), 1u);
    EXPECT_TRUE(impresora_.OfKind(Kind::KillDoc).empty());
    // Printed in the printer's own font and orientation, one line under the other.
    const std::vector<PrintCall> lineas = impresora_.OfKind(Kind::Print);
    EXPECT_EQ(lineas[0].FontName, QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(lineas[1].Y1 - lineas[0].Y1, 240);
    EXPECT_FALSE(CancelarCargado());
    EXPECT_TRUE(Shell().CancelarImpresion); // the cancel window's unload sets it
    EXPECT_TRUE(f->isEnabled());

    // A second copy cancelled once its first line is out: the cancel window's
    // button is pressed in the message-loop turn before the second line.
    impresora_.Calls.clear();
    bool sinPulsar = true;
    int vueltas = 0;
    std::function<void()> vigilar = [&] {
        if (impresora_.Texts().size() >= 1 && CancelarCargado()) {
            VentanaCancelar()->cdmCancelar->click();
            sinPulsar = false;
            return;
        }
        if (++vueltas < 1000)
            QMetaObject::invokeMethod(qApp, vigilar, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(qApp, vigilar, Qt::QueuedConnection);
    f->cmdImprimir_Click();
    EXPECT_FALSE(sinPulsar);
    EXPECT_EQ(impresora_.Texts(), std::vector<QString>{"VESDRA"});
    EXPECT_EQ(impresora_.OfKind(Kind::KillDoc).size(), 1u);
    EXPECT_TRUE(impresora_.OfKind(Kind::EndDoc).empty());
    EXPECT_TRUE(f->isEnabled());
    EXPECT_FALSE(CancelarCargado());
}

TEST_F(InformeTest, ALongHeaderBreaksIntoPagesAtTheFootOfEachPage)
{
    QByteArray b;
    for (int i = 1; i <= 150; ++i)
        b += "l" + QByteArray::number(i) + "\r\n";
    Cabecera(b);
    frmAjustes* f = Abrir();
    ASSERT_NE(f, nullptr);
    f->cmdImprimir_Click();
    // 240 twips a line on a page of 16838: 70 lines a page.
    EXPECT_EQ(impresora_.OfKind(Kind::NewPage).size(), 2u);
    EXPECT_EQ(impresora_.Texts().size(), 151u);
    for (const PrintCall& c : impresora_.OfKind(Kind::Print))
        EXPECT_LE(c.Y1 + 240, impresora_.Height());
}

// A line wider than the page goes on in the lines below it, cut where it
// would pass the page's right side: nothing of it is lost or off the sheet,
// and no two lines of a page overprint each other.
TEST_F(InformeTest, ALineWiderThanThePageGoesOnBelowAndEveryLineStaysOnItsPage)
{
    QStringList lineas{QStringLiteral("VESDRA")};
    const QString larga = QStringLiteral("0123456789").repeated(40); // 400 characters, 48000 twips
    for (int i = 1; i <= 100; ++i)
        lineas.append(i % 7 == 0 ? larga : QStringLiteral("linea %1").arg(i));
    RecordingPrinter impresora;
    ASSERT_EQ(ImprimirLineas(lineas, impresora), FinImpresion::Impresa);

    const QRectF hoja(0, 0, impresora.Width(), impresora.Height());
    RecordingPrinter pagina;
    QString todo;
    const auto revisar = [&] {
        for (const std::string& f : test::IllegibleTexts(pagina, hoja, std::nullopt))
            ADD_FAILURE() << f;
        pagina.Calls.clear();
    };
    for (const PrintCall& c : impresora.Calls) {
        if (c.What == Kind::NewPage || c.What == Kind::EndDoc)
            revisar();
        else if (c.What == Kind::Print) {
            pagina.Calls.push_back(c);
            todo += c.Text;
        }
    }
    EXPECT_EQ(todo, lineas.join(QString()));
    EXPECT_GE(impresora.OfKind(Kind::NewPage).size(), 2u);
}

TEST_F(InformeTest, WithNoPrinterNothingIsPrintedAndTheWindowStays)
{
    Cabecera("uno\r\n");
    frmAjustes* f = Abrir();
    ASSERT_NE(f, nullptr);
    impresora_.NoDevice = true;
    Boxes().Clear();
    f->cmdImprimir_Click();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(129));
    EXPECT_TRUE(impresora_.Calls.empty());
    EXPECT_FALSE(CancelarCargado());
    EXPECT_EQ(InformeCargado(), f);
    EXPECT_TRUE(f->isEnabled());

    // Printing to a file a view's print left, which exists: left as it was.
    impresora_.NoDevice = false;
    impresora_.FileName = Ruta(QStringLiteral("rec.hdr"));
    Boxes().Clear();
    f->cmdImprimir_Click();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_TRUE(Boxes().Last().Prompt.startsWith(TextosIdioma(223)));
    EXPECT_TRUE(impresora_.Calls.empty());
    EXPECT_EQ(test::ReadBytes(Ruta(QStringLiteral("rec.hdr"))), QByteArray("uno\r\n"));
    EXPECT_TRUE(f->isEnabled());
    impresora_.FileName.clear();

    // A device that fails half-way: the job is abandoned, the error box shown.
    impresora_.FailNextCall = true;
    Boxes().Clear();
    f->cmdImprimir_Click();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_TRUE(Boxes().Last().Prompt.startsWith(QStringLiteral("Error 482")));
    EXPECT_EQ(impresora_.OfKind(Kind::KillDoc).size(), 1u);
    EXPECT_FALSE(CancelarCargado());
    EXPECT_TRUE(f->isEnabled());
}

TEST_F(InformeTest, PrintedToPdfTheLinesShowOnThePage)
{
    Cabecera("REGISTRO DE PERTURBACION\r\nSubestacion: NORTE\r\n");
    frmAjustes* f = Abrir();
    ASSERT_NE(f, nullptr);
    const QString pdf = Ruta(QStringLiteral("informe.pdf"));
    auto pdfPrinter = QtPrinter::ForPdf(pdf);
    SetPrinterForTests(pdfPrinter.get());
    f->cmdImprimir_Click();
    SetPrinterForTests(&impresora_);
    ASSERT_TRUE(QFile::exists(pdf));

    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, Ruta(QStringLiteral("pagina"))});
    ASSERT_TRUE(p.waitForFinished(30000));
    QImage pagina(Ruta(QStringLiteral("pagina.png")));
    ASSERT_FALSE(pagina.isNull());
    // Ink in the top quarter of the page (the lines), none in its lower half.
    const auto tinta = [&pagina](int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < pagina.width(); ++x)
                n += qGray(pagina.pixel(x, y)) < 128 ? 1 : 0;
        return n;
    };
    EXPECT_GT(tinta(0, pagina.height() / 4), 20);
    EXPECT_EQ(tinta(pagina.height() / 2, pagina.height()), 0);
}

} // namespace
} // namespace vesdra
