#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

#include "mdi_fixture.h"
#include "platform/base/colors.h"
#include "platform/process.h"
#include "shell/frm_menu.h"
#include "shell/menu_commands.h"

namespace vesdra {
namespace {

class FrmMenuTest : public test::MdiTest
{
protected:
    void TearDown() override
    {
        menu_.reset();
        MdiTest::TearDown();
    }
    FrmMenu& Cargar()
    {
        menu_ = std::make_unique<FrmMenu>();
        menu_->Form_Load();
        return *menu_;
    }
    std::unique_ptr<FrmMenu> menu_;
};

TEST_F(FrmMenuTest, ToolEntriesFollowToolsIniAndTheAnalysisMenuShowsOnlyWithTools)
{
    struct Caso {
        QStringList tools;
        int entradas;
        bool visible;
    };
    const Caso casos[] = {
        {{}, 1, false},
        {{"Calc=/bin/calc"}, 1, true},
        {{"Calc=/bin/calc", "Plot=/opt/plot", "Map=/opt/map"}, 3, true},
    };
    for (const Caso& c : casos) {
        EscribirTools(1, c.tools);
        FrmMenu& m = Cargar();
        EXPECT_EQ(m.NumEntradasTools(), c.entradas) << c.tools.size();
        EXPECT_EQ(m.mnuanalisis->menuAction()->isVisible(), c.visible) << c.tools.size();
        for (int i = 1; i <= c.entradas; ++i)
            EXPECT_TRUE(m.EntradaTool(i)->isEnabled());
    }
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(FrmMenuTest, LoadSetsCaptionsFromTheLanguageOfFicherIni)
{
    FrmMenu& m = Cargar();
    EXPECT_EQ(Shell().Idioma, 1);
    EXPECT_EQ(m.mnuFicheros->title(), "&Ficheros");
    EXPECT_EQ(m.mnuCerrarComtrade->text(), TextosIdioma(282));
    EXPECT_EQ(m.mnutraducirCOMTRADE->text(), TextosIdioma(255));
    EXPECT_EQ(m.mnuDigGrupos->text(), TextosIdioma(16));
    EXPECT_FALSE(m.mnuFasores->isEnabled());
    EXPECT_FALSE(m.mnuInform->isEnabled());
    EXPECT_EQ(m.Lblversion->text(), "   VESDRA DEMO 2.1.7   ");

    // ficher.ini's language wins over tools.ini's at start.
    EscribirTools(1, {});
    EscribirFicherIni(0);
    FrmMenu& e = Cargar();
    EXPECT_EQ(Shell().Idioma, 0);
    EXPECT_EQ(e.mnuFicheros->title(), "&File");
    EXPECT_EQ(Boxes().Count(), 0);
}

// A missing tools.ini is said and leaves no tools; the rest of the load
// goes on: every caption and box speaks the language of ficher.ini, none
// shows a placeholder.
TEST_F(FrmMenuTest, MendedMissingToolsIniIsSaidAndTheLanguageIsStillLoaded)
{
    for (const int idioma : {0, 1}) {
        SCOPED_TRACE(idioma);
        Boxes().Clear();
        QFile::remove(Ini("tools.ini"));
        EscribirFicherIni(idioma);
        Shell().TextosIdioma = {}; // no table before the menu form loads one
        FrmMenu& m = Cargar();
        ASSERT_EQ(Boxes().Count(), 1);
        // Before any language is read the runtime's texts are English.
        EXPECT_EQ(Boxes().Last().Prompt, "Error 53: File not found\n" + Ini("tools.ini"));
        EXPECT_EQ(Shell().Idioma, idioma);
        EXPECT_EQ(m.mnuFicheros->title(), idioma == 1 ? "&Ficheros" : "&File");
        EXPECT_EQ(m.mnuSalir->text(), TextosIdioma(11));
        EXPECT_FALSE(m.mnuanalisis->menuAction()->isVisible());
        EXPECT_EQ(m.Lblversion->text(), "   VESDRA DEMO 2.1.7   ");
        for (const int n : {11, 63, 284})
            EXPECT_FALSE(TextosIdioma(n).startsWith(idioma == 1 ? "Texto " : "Text ")) << n;
        Boxes().QueueAnswer(vbCancel);
        EXPECT_FALSE(ConfirmarSalida());
        EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(284));
    }
    // The program started so: the status bar's close button has its text.
    menu_.reset();
    EscribirFicherIni(1);
    Shell().TextosIdioma = {};
    Boxes().Clear();
    MDIForm1& p = Arrancar();
    EXPECT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(p.cmdSalir->text(), "&Salir");
}

// A tools.ini line 5 that is no number is said (error 13), and the
// language of ficher.ini survives it: its table is loaded, and the next
// ficher.ini written keeps it.
TEST_F(FrmMenuTest, DamagedToolCountKeepsFicherIniLanguage)
{
    EscribirFicherIni(0);
    QByteArray tools = test::ReadBytes(Ini("tools.ini"));
    tools.replace("\r\n0\r\n", "\r\nxx\r\n");
    ASSERT_TRUE(test::WriteBytes(Ini("tools.ini"), tools));
    Shell().TextosIdioma = {};
    (void)Cargar();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, ErrorBoxText(FileError(vberr::TypeMismatch, Ini("tools.ini"))));
    EXPECT_EQ(Shell().Idioma, 0);
    ASSERT_TRUE(EscribirFicher());
    EXPECT_EQ(LineasFicher().value(0), " 0 ");
    EXPECT_EQ(TextosIdioma(284), "Do you want to exit the program?");
}

// A tool line without "=" cannot be cut into a name and a path: the tools
// menu fails into the error box and offers nothing that does nothing.
TEST_F(FrmMenuTest, ToolLineWithoutEqualsSignShowsTheErrorBox)
{
    EscribirTools(1, {"Calc=/bin/calc"});
    FrmMenu& m = Cargar();
    Registro().RegistroAbierto = true;
    Plantillas().PlantillaAplicada = true;
    m.mnuanalisis_Click();
    ASSERT_TRUE(m.EntradaTool(1)->isEnabled());
    EscribirTools(1, {"Calc=/bin/calc", "Roto"});
    m.mnuanalisis_Click();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, ErrorBoxText(FileError(vberr::InvalidCall, Ini("tools.ini"))));
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    for (int i = 1; i <= m.NumEntradasTools(); ++i)
        EXPECT_FALSE(m.EntradaTool(i)->isEnabled()) << i;
}

TEST_F(FrmMenuTest, AnalysisMenuNamesItsToolsAndEnablesThemWithRecordAndTemplate)
{
    const QString plot = Ruta("plot");
    ASSERT_TRUE(test::WriteBytes(plot, "#!/bin/sh\n"));
    EscribirTools(1, {"Calc=/bin/calc"});
    FrmMenu& m = Cargar();
    EscribirTools(1, {"Calc=/bin/calc", "Plot=" + plot});
    m.mnuanalisis_Click();
    ASSERT_EQ(m.NumEntradasTools(), 2);
    EXPECT_EQ(m.EntradaTool(2)->text(), "Plot");
    EXPECT_FALSE(m.EntradaTool(1)->isEnabled() || m.EntradaTool(2)->isEnabled());
    EXPECT_EQ(m.RutasTools, (std::vector<QString>{"/bin/calc", plot}));

    Registro().RegistroAbierto = true;
    Plantillas().PlantillaAplicada = true;
    Plantillas().NumGruposDigitales = 1;
    Plantillas().RutaPlantilla = Plantilla("p.cnf", "ver 1.1\n");
    m.mnuanalisis_Click();
    EXPECT_TRUE(m.EntradaTool(1)->isEnabled() && m.EntradaTool(2)->isEnabled());
    std::vector<QString> arrancados;
    SetProgramStarterForTests([&](const QString& p) {
        arrancados.push_back(p);
        return 1;
    });
    m.EntradaTool(2)->trigger();
    SetProgramStarterForTests({});
    EXPECT_EQ(arrancados, std::vector<QString>{plot});
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(FrmMenuTest, CloseCommandDisablesThePhasorAndReportItemsWithTheTemplate)
{
    FrmMenu& m = Cargar();
    HabilitarFasoresInforme();
    Registro().RegistroAbierto = true;
    m.mnuOndas_Click();
    EXPECT_TRUE(m.mnuCanalog->isEnabled());
    m.mnuCerrarComtrade->trigger();
    // No template is applied any more: never enabled without one.
    EXPECT_FALSE(m.mnuFasores->isEnabled());
    EXPECT_FALSE(m.mnuInform->isEnabled());
    // The waveform items stay enabled until their menu opens again.
    EXPECT_TRUE(m.mnuCanalog->isEnabled());
    m.mnuOndas_Click();
    EXPECT_FALSE(m.mnuCanalog->isEnabled() || m.mnuCompanalog->isEnabled());
    m.mnuDigital_Click();
    EXPECT_FALSE(m.mnuDigGrupos->isEnabled() || m.mnuCompdig->isEnabled());
}

TEST_F(FrmMenuTest, DisabledMenuTitlesReadClearlyOnTheGreyBar)
{
    FrmMenu& m = Cargar();
    m.resize(800, 600);
    ASSERT_FALSE(m.mnuFasores->isEnabled());
    const QImage barra = m.BarraMenu->grab().toImage();
    // The darkest pixel of each title against the bar's background.
    const auto contraste = [&](QAction* a) {
        const QRect r = m.BarraMenu->actionGeometry(a);
        const QRgb fondo = barra.pixel(r.right() - 1, r.top() + 1);
        QRgb tinta = fondo;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (qGray(barra.pixel(x, y)) < qGray(tinta))
                    tinta = barra.pixel(x, y);
            }
        }
        return ContrastRatio(tinta & 0xFFFFFFu, fondo & 0xFFFFFFu);
    };
    EXPECT_GE(contraste(m.mnuFasores), 4.0) << "Fasores disabled";
    EXPECT_GE(contraste(m.mnuInform), 4.0) << "Info disabled";
    EXPECT_GT(contraste(m.mnuFicheros->menuAction()), contraste(m.mnuFasores))
        << "an enabled title still reads darker than a disabled one";
}

} // namespace
} // namespace vesdra
