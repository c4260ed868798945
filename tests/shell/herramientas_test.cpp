#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "mdi_fixture.h"
#include "platform/common_dialog.h"
#include "platform/file_lists.h"
#include "platform/process.h"
#include "shell/frm_abrir_comtrade.h"
#include "shell/frm_direct.h"
#include "shell/frm_menu.h"
#include "shell/frm_nuevos_tools.h"

namespace vesdra {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// Program files of a scratch folder: `a`, `b` and `c` may be run, `texto`
// may not.
class Programas
{
public:
    Programas()
    {
        for (const char* n : {"a", "b", "c", "script.sh"})
            Hacer(QLatin1String(n), true);
        Hacer(QStringLiteral("texto"), false);
        QDir().mkpath(Ruta(QStringLiteral("carpeta")));
        QFile::link(QCoreApplication::applicationFilePath(), Ruta(QStringLiteral("enlace")));
    }
    QString Ruta(const QString& n) const { return dir_.filePath(n); }

private:
    void Hacer(const QString& n, bool ejecutable)
    {
        ASSERT_TRUE(WriteBytes(Ruta(n), "#!/bin/sh\nexit 0\n"));
        if (ejecutable)
            QFile(Ruta(n)).setPermissions(QFile::permissions(Ruta(n)) | QFileDevice::ExeOwner |
                                          QFileDevice::ExeUser);
    }
    QTemporaryDir dir_;
};

TEST(HerramientasLogic, AddChecksRunInOrderAndTheLastMatchingEntryDecides)
{
    const Programas p;
    const QString a = p.Ruta("a"), b = p.Ruta("b"), c = p.Ruta("c");
    const std::vector<Herramienta> lista{{"Calc", a}, {"Plot", b}};
    const QString propio = QCoreApplication::applicationFilePath();
    const QString nombrePropio = QFileInfo(propio).fileName();
    using R = RechazoHerramienta;
    const struct {
        QString nombre, ruta;
        R esperado;
    } casos[] = {
        {"", c, R::SinNombre},
        {"   ", c, R::SinNombre},
        {"", "/no/existe", R::SinNombre},                                    // the name is checked first
        {"X", propio, R::PropioPrograma},                                    // this program
        {"X", "/otra/carpeta/" + nombrePropio.toUpper(), R::PropioPrograma}, // its name, any case
        {"X", p.Ruta("enlace"), R::PropioPrograma},                          // a link to it
        {"X", p.Ruta("texto"), R::NoEjecutable},
        {"X", p.Ruta("carpeta"), R::NoEjecutable},
        {"X", p.Ruta("falta"), R::NoEjecutable},
        {"Plot", a, R::NombreRepetido}, // Calc's path, Plot's name: Plot is the last match
        {"Calc", a, R::RutaRepetida},   // both in one entry: the path wins
        {"Calc", c, R::NombreRepetido},
        {"Nuevo", b, R::RutaRepetida},
        {"calc", c, R::Ninguno},            // names compare with case
        {" Calc", c, R::Ninguno},           // a leading blank makes another name
        {"Nuevo", p.Ruta("A"), R::Ninguno}, // the same program typed in other case is another path
        {"Guion", p.Ruta("script.sh"), R::Ninguno},
    };
    for (const auto& k : casos)
        EXPECT_EQ(ComprobarHerramienta(k.nombre, k.ruta, lista), k.esperado)
            << k.nombre.toStdString() << " " << k.ruta.toStdString();
    EXPECT_EQ(TextoRechazo(R::SinNombre), 232);
    EXPECT_EQ(TextoRechazo(R::PropioPrograma), 261);
    EXPECT_EQ(TextoRechazo(R::NoEjecutable), 233);
    EXPECT_EQ(TextoRechazo(R::NombreRepetido), 234);
    EXPECT_EQ(TextoRechazo(R::RutaRepetida), 235);
}

class HerramientasTest : public test::MdiTest
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        Vistas().Herramientas = {AbrirAnadirTool, AbrirBorrarTool, AbrirDirect, [] {
                                     DescargarNuevosTools();
                                     DescargarDirect();
                                 }};
    }
    void TearDown() override
    {
        DescargarNuevosTools();
        DescargarDirect();
        Procesar();
        SetProgramStarterForTests({});
        MdiTest::TearDown();
    }

    QByteArray Tools() const { return ReadBytes(Ini(QStringLiteral("tools.ini"))); }
    // tools.ini as the program writes it: the folders of the scratch tree.
    QByteArray ToolsEsperado(const QStringList& entradas) const
    {
        QByteArray b = "1\r\n";
        for (const char* sub : {"Oscilos", "Plantillas", "EXE"})
            b += Carpeta(QLatin1String(sub)).toUtf8() + "\r\n";
        b += QByteArray::number(entradas.size()) + "\r\n";
        for (const QString& e : entradas)
            b += "\"" + e.toUtf8() + "\"\r\n";
        return b;
    }

    // Adds through the dialog as a user does; the dialog when it stays open.
    frmNuevosTools* Anadir(const QString& nombre, const QString& ruta)
    {
        principal_->Menu()->mnuAnadirTool_Click();
        frmNuevosTools* f = NuevosToolsCargado();
        EXPECT_NE(f, nullptr);
        f->txtNombre->setText(nombre);
        f->txtPath->setText(ruta);
        f->cmdOK_Click();
        Procesar();
        return NuevosToolsCargado();
    }
    void Borrar(const QString& entrada)
    {
        principal_->Menu()->mnuBorrartool_Click();
        frmNuevosTools* f = NuevosToolsCargado();
        ASSERT_NE(f, nullptr);
        const QList<QListWidgetItem*> items = f->List1->findItems(entrada, Qt::MatchExactly);
        if (!items.isEmpty())
            f->List1->setCurrentItem(items.front());
        f->cmdOK_Click();
        Procesar();
    }

    FrmMenu& Menu() const { return *principal_->Menu(); }
    bool AnalisisVisible() const { return Menu().mnuanalisis->menuAction()->isVisible(); }

    Programas programas_;
};

TEST_F(HerramientasTest, ToolsIniKeepsItsLayoutThroughAddsAndDeletes)
{
    EscribirTools(1, {"Plo=/opt/plo"});
    const QString a = programas_.Ruta("a");
    Shell().Idioma = 0;
    EXPECT_EQ(AnadirHerramienta("Plot", a), RechazoHerramienta::Ninguno);
    EXPECT_EQ(Tools(), ToolsEsperado({"Plo=/opt/plo", "Plot=" + a}));
    EXPECT_EQ(Shell().Idioma, 1); // read again from line 1
    EXPECT_EQ(Shell().DirAplicaciones, Carpeta("EXE"));

    // A refusal writes nothing.
    EXPECT_EQ(AnadirHerramienta("Plot", programas_.Ruta("b")), RechazoHerramienta::NombreRepetido);
    EXPECT_EQ(Tools(), ToolsEsperado({"Plo=/opt/plo", "Plot=" + a}));

    // Deleting names the entry exactly: Plot goes, Plo stays.
    EXPECT_EQ(BorrarHerramienta(QStringLiteral("Plot")), 1);
    EXPECT_EQ(Tools(), ToolsEsperado({"Plo=/opt/plo"}));
    // No entry chosen, or no such name: written back as it was.
    EXPECT_EQ(BorrarHerramienta(std::nullopt), 1);
    EXPECT_EQ(BorrarHerramienta(QStringLiteral("plo")), 1);
    EXPECT_EQ(Tools(), ToolsEsperado({"Plo=/opt/plo"}));
    EXPECT_EQ(BorrarHerramienta(QStringLiteral("Plo")), 0);
    EXPECT_EQ(Tools(), ToolsEsperado({}));

    EXPECT_EQ(NombreDeEntrada("Calc=/a=b"), QStringLiteral("Calc"));
}

TEST_F(HerramientasTest, AddedToolsShowInTheAnalysisMenuStartMaximisedAndGoWhenDeleted)
{
    Arrancar();
    EXPECT_FALSE(AnalisisVisible());
    const QString guion = programas_.Ruta("script.sh");
    const QString b = programas_.Ruta("b");

    // The first tool: no new entry (entry 1 always exists), the menu shows.
    EXPECT_EQ(Anadir("Guion", guion), nullptr);
    EXPECT_EQ(Menu().NumEntradasTools(), 1);
    EXPECT_TRUE(Menu().EntradaTool(1)->isEnabled());
    EXPECT_TRUE(AnalisisVisible());
    EXPECT_EQ(Anadir("Otro", b), nullptr);
    EXPECT_EQ(Menu().NumEntradasTools(), 2);
    EXPECT_EQ(Boxes().Count(), 0);

    // Opened with no record: named, disabled.
    Menu().mnuanalisis_Click();
    EXPECT_EQ(Menu().EntradaTool(1)->text(), QStringLiteral("Guion"));
    EXPECT_EQ(Menu().EntradaTool(2)->text(), QStringLiteral("Otro"));
    EXPECT_FALSE(Menu().EntradaTool(1)->isEnabled());

    // With a record and a template: started maximised, not waited for.
    Registro().RegistroAbierto = true;
    TemplateState& t = Plantillas();
    t.PlantillaAplicada = true;
    t.NumGruposDigitales = 1;
    t.RutaPlantilla = CopiarMuestraCnf();
    std::vector<QString> arrancados;
    SetProgramStarterForTests([&](const QString& prog) {
        arrancados.push_back(prog);
        return 42;
    });
    Menu().mnuanalisis_Click();
    ASSERT_TRUE(Menu().EntradaTool(1)->isEnabled());
    Menu().EntradaTool(1)->trigger();
    EXPECT_EQ(arrancados, std::vector<QString>{guion});
    EXPECT_EQ(LastLaunch().WindowStyle, vbMaximizedFocus);
    EXPECT_EQ(LastLaunch().ProcessId, 42);

    // Deleting the other one; then the last: the menu hides.
    Borrar("Otro=" + b);
    EXPECT_EQ(NuevosToolsCargado(), nullptr);
    EXPECT_EQ(Menu().NumEntradasTools(), 1);
    EXPECT_TRUE(AnalisisVisible());
    EXPECT_EQ(Tools(), ToolsEsperado({"Guion=" + guion}));
    Borrar("Guion=" + guion);
    EXPECT_FALSE(AnalisisVisible());
    EXPECT_EQ(Tools(), ToolsEsperado({}));
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(HerramientasTest, DialogModesAndRefusalsKeepTheDialogOpen)
{
    EscribirTools(1, {"Calc=" + programas_.Ruta("a")});
    Arrancar();
    principal_->Menu()->mnuAnadirTool_Click();
    frmNuevosTools* f = NuevosToolsCargado();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), TextosIdioma(53));
    EXPECT_EQ(f->Label1->text(), TextosIdioma(55));
    EXPECT_EQ(f->Label2->text(), TextosIdioma(57));
    EXPECT_FALSE(f->List1->isVisibleTo(f));
    EXPECT_TRUE(f->File1->isVisibleTo(f));
    EXPECT_EQ(f->Dir1->Path(), Carpeta("EXE"));

    // The browser fills the path.
    f->Dir1->SetPath(QFileInfo(programas_.Ruta("a")).path());
    EXPECT_EQ(f->txtPath->text(), f->Dir1->Path());
    f->File1->SetFileName(QStringLiteral("b"));
    f->File1_Click();
    EXPECT_EQ(f->txtPath->text(), programas_.Ruta("b"));

    const QByteArray antes = Tools();
    for (const auto& [nombre, ruta, texto] : {std::tuple{QString(" "), programas_.Ruta("b"), 232},
                                              std::tuple{QString("A=B"), programas_.Ruta("b"), 52},
                                              std::tuple{QString("X"), programas_.Ruta("texto"), 233},
                                              std::tuple{QString("Calc"), programas_.Ruta("b"), 234}}) {
        f->txtNombre->setText(nombre);
        f->txtPath->setText(ruta);
        Boxes().Clear();
        f->cmdOK_Click();
        ASSERT_EQ(Boxes().Count(), 1) << texto;
        EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(texto));
        EXPECT_EQ(Boxes().Last().Style, vbExclamation);
        EXPECT_EQ(NuevosToolsCargado(), f);
    }
    EXPECT_EQ(Tools(), antes);

    // Delete mode lists the entries as name=path.
    principal_->Menu()->mnuBorrartool_Click();
    Procesar();
    f = NuevosToolsCargado();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), TextosIdioma(54));
    EXPECT_EQ(f->Label1->text(), TextosIdioma(56));
    EXPECT_TRUE(f->List1->isVisibleTo(f));
    EXPECT_FALSE(f->txtPath->isVisibleTo(f));
    ASSERT_EQ(f->List1->count(), 1);
    EXPECT_EQ(f->List1->item(0)->text(), "Calc=" + programas_.Ruta("a"));
    f->cmdcancel_Click();
    Procesar();
    EXPECT_EQ(NuevosToolsCargado(), nullptr);
    EXPECT_EQ(Tools(), antes);
}

// Enter in the dialog's boxes presses its OK, Escape its Cancel.
TEST_F(HerramientasTest, EnterAddsTheToolAndEscapeCancels)
{
    Arrancar();
    principal_->Menu()->mnuAnadirTool_Click();
    frmNuevosTools* f = NuevosToolsCargado();
    ASSERT_NE(f, nullptr);
    f->txtPath->setText(programas_.Ruta("b"));
    QTest::keyClicks(f->txtNombre, QStringLiteral("Plot"));
    QTest::keyClick(f->txtNombre, Qt::Key_Return);
    Procesar();
    EXPECT_EQ(NuevosToolsCargado(), nullptr);
    EXPECT_EQ(Tools(), ToolsEsperado({"Plot=" + programas_.Ruta("b")}));

    principal_->Menu()->mnuBorrartool_Click();
    f = NuevosToolsCargado();
    ASSERT_NE(f, nullptr);
    QTest::keyClick(f->List1, Qt::Key_Escape);
    Procesar();
    EXPECT_EQ(NuevosToolsCargado(), nullptr);
    EXPECT_EQ(Tools(), ToolsEsperado({"Plot=" + programas_.Ruta("b")}));
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(HerramientasTest, AToolsIniThatCannotBeRewrittenIsReportedAndChangesNothing)
{
    EscribirTools(1, {"Calc=/opt/calc"});
    Arrancar();
    const QByteArray antes = Tools();
    // A file-size limit makes every write of the new file fail.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit viejo{};
    getrlimit(RLIMIT_FSIZE, &viejo);
    rlimit limite = viejo;
    limite.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    frmNuevosTools* f = Anadir("Nuevo", programas_.Ruta("c"));
    setrlimit(RLIMIT_FSIZE, &viejo);

    EXPECT_EQ(f, nullptr); // the error closes the dialog
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_TRUE(Boxes().Last().Prompt.startsWith(QStringLiteral("Error ")));
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    EXPECT_EQ(Tools(), antes);
    EXPECT_EQ(QDir(Carpeta("ini")).entryList(QDir::Files).size(), 4); // no temporary left
    EXPECT_EQ(Menu().NumEntradasTools(), 1);
    EXPECT_TRUE(AnalisisVisible());
}

TEST_F(HerramientasTest, AToolWhoseProgramWasDeletedReportsError53AndTheProgramGoesOn)
{
    const QString prog = programas_.Ruta("c");
    Arrancar();
    ASSERT_EQ(Anadir("Borrado", prog), nullptr);
    ASSERT_TRUE(QFile::remove(prog));
    Registro().RegistroAbierto = true;
    Plantillas().PlantillaAplicada = true;
    Plantillas().NumGruposDigitales = 1;
    Plantillas().RutaPlantilla = CopiarMuestraCnf();
    Menu().mnuanalisis_Click();
    Menu().EntradaTool(1)->trigger();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, ErrorBoxText(FileError(vberr::FileNotFound, prog))); // names the program
    EXPECT_FALSE(LastLaunch().Started);
    EXPECT_FALSE(principal_->Descargado());
}

TEST_F(HerramientasTest, DirectoriesAreCheckedInOrderTakenOverOneByOneAndWrittenWithTheRestKept)
{
    EscribirTools(0, {"Calc=/opt/calc", "Plot=/opt/plot"});
    const QString nuevos = Carpeta("nuevos"), plantillas = Carpeta("plant2"), aplic = Carpeta("aplic2");
    for (const QString& c : {nuevos, plantillas, aplic})
        ASSERT_TRUE(QDir().mkpath(c));
    const QString fichero = Carpeta("nuevos/no_carpeta.txt");
    ASSERT_TRUE(WriteBytes(fichero, "x"));
    ASSERT_TRUE(LeerTools() == 2);
    const QByteArray antes = Tools();
    const QString oscilosAntes = Shell().DirOscilos;

    using R = RechazoDirectorio;
    // Missing, or a file: the records folder is refused and nothing changes.
    EXPECT_EQ(GuardarDirectorios(Carpeta("falta"), plantillas, aplic), R::Oscilos);
    EXPECT_EQ(GuardarDirectorios(fichero, plantillas, aplic), R::Oscilos);
    EXPECT_EQ(GuardarDirectorios(QString(), plantillas, aplic), R::Oscilos);
    EXPECT_EQ(Shell().DirOscilos, oscilosAntes);
    // A later refusal: the records folder is already taken over, the file not written.
    EXPECT_EQ(GuardarDirectorios(nuevos, Carpeta("falta"), aplic), R::Plantillas);
    EXPECT_EQ(Shell().DirOscilos, nuevos);
    EXPECT_EQ(GuardarDirectorios(nuevos, plantillas, fichero), R::Aplicaciones);
    EXPECT_EQ(Shell().DirPlantillas, plantillas);
    EXPECT_EQ(Tools(), antes);
    EXPECT_EQ(TextoRechazo(R::Oscilos), 169);
    EXPECT_EQ(TextoRechazo(R::Plantillas), 170);
    EXPECT_EQ(TextoRechazo(R::Aplicaciones), 171);

    // All three: lines 2 to 4 replaced, the rest byte for byte.
    EXPECT_EQ(GuardarDirectorios(nuevos, plantillas, aplic), R::Ninguno);
    EXPECT_EQ(Shell().DirAplicaciones, aplic);
    EXPECT_EQ(Tools(), "0\r\n" + nuevos.toUtf8() + "\r\n" + plantillas.toUtf8() + "\r\n" + aplic.toUtf8() +
                           "\r\n2\r\n\"Calc=/opt/calc\"\r\n\"Plot=/opt/plot\"\r\n");
}

TEST_F(HerramientasTest, DirectoriesDialogWritesOnOkAndTheOpenDialogStartsInTheNewRecordsFolder)
{
    Arrancar();
    const QString nuevos = Carpeta("registros");
    ASSERT_TRUE(QDir().mkpath(nuevos));
    principal_->Menu()->mnuDir_defecto_Click();
    frmDirect* f = DirectCargado();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), TextosIdioma(192));
    EXPECT_EQ(f->Label1->text(), TextosIdioma(188));
    EXPECT_EQ(f->txtoscilos->text(), Carpeta("Oscilos"));
    EXPECT_EQ(f->diraplic->Path(), Carpeta("EXE"));
    // A folder picked in a list shows in its box.
    f->diraplic->SetPath(raiz_);
    EXPECT_EQ(f->txtaplic->text(), QDir::cleanPath(raiz_));

    // A refusal keeps the dialog; Cancel writes nothing.
    const QByteArray antes = Tools();
    f->txtoscilos->setText(Carpeta("falta"));
    f->cmdOK_Click();
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(169));
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    EXPECT_EQ(DirectCargado(), f);
    f->cmdcancel_Click();
    Procesar();
    EXPECT_EQ(DirectCargado(), nullptr);
    EXPECT_EQ(Tools(), antes);

    principal_->Menu()->mnuDir_defecto_Click();
    f = DirectCargado();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->txtoscilos->text(), Carpeta("Oscilos")); // read again from tools.ini
    f->txtoscilos->setText(nuevos);
    f->cmdOK_Click();
    Procesar();
    EXPECT_EQ(DirectCargado(), nullptr);
    EXPECT_EQ(Shell().DirOscilos, nuevos);
    EXPECT_TRUE(Tools().contains("\r\n" + nuevos.toUtf8() + "\r\n"));

    ScopedDialogAnswers respuestas({true, {}, 1});
    (void)CargarAbrirComtrade();
    ASSERT_EQ(respuestas.Calls().size(), 1u);
    EXPECT_EQ(respuestas.Calls()[0].Dialog.FileName, nuevos + QStringLiteral("/*.dat"));
}

} // namespace
} // namespace vesdra
