#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/animation.h"
#include "platform/base/vb_error.h"
#include "platform/mdi_forms.h"
#include "platform/twips.h"
#include "shell/frm_menu.h"
#include "shell/progress_windows.h"
#include "shell_fixture.h"

namespace vesdra {
namespace {

class ProgressTest : public test::ShellTest
{
};

// ---- the gauge rule ----

TEST(LlenarGasolinoRule, StepsFromAGivenStart)
{
    struct Caso {
        std::int32_t antes; // remembered percentage drawn before (0: cleared)
        bool add;
        std::int32_t pct;
        std::int32_t total; // value handed back
        std::int32_t recordado;
        const char* texto; // Label2 after ("" when nothing was drawn)
        double ancho;      // Label2 width after, for a 1000-twip track
    };
    const Caso casos[] = {
        {0, true, 5, 5, 5, "5 %", 50},
        {35, true, 1, 36, 36, "36 %", 360},
        {60, false, 40, 40, 40, "40 %", 400},    // the bar can go back
        {98, true, 5, 103, 98, "98 %", 980},     // over 100: nothing drawn, nothing remembered
        {50, false, 120, 120, 120, "50 %", 500}, // replace above 100: remembered, not drawn
        {0, true, 100, 100, 100, "100 %", 1000},
        {50, true, -10, 40, 40, "50 %", 500}, // below the remembered value: not drawn
    };
    for (const Caso& c : casos) {
        EstadoGasolino e;
        if (c.antes != 0)
            (void)LlenarGasolino(e, 1000, false, c.antes);
        EXPECT_EQ(LlenarGasolino(e, 1000, c.add, c.pct), c.total) << c.antes << "+" << c.pct;
        EXPECT_EQ(e.Recordado, c.recordado) << c.antes << "+" << c.pct;
        EXPECT_EQ(e.TextoRelleno, c.texto) << c.antes << "+" << c.pct;
        EXPECT_DOUBLE_EQ(e.AnchoRelleno, c.ancho) << c.antes << "+" << c.pct;
        EXPECT_TRUE(e.RellenoVisible);
    }
}

TEST(LlenarGasolinoRule, ZeroAlwaysClearsWhateverTheAddFlag)
{
    for (bool add : {true, false}) {
        EstadoGasolino e;
        (void)LlenarGasolino(e, 1000, true, 70);
        e.TextoPista = "x";
        EXPECT_EQ(LlenarGasolino(e, 1000, add, 0), 0);
        EXPECT_FALSE(e.RellenoVisible);
        EXPECT_EQ(e.AnchoRelleno, 0.0);
        EXPECT_EQ(e.TextoPista, "");
        EXPECT_EQ(e.Recordado, 0);
        (void)LlenarGasolino(e, 1000, true, 5);
        EXPECT_EQ(e.TextoRelleno, "5 %"); // counts from 0 again
    }
}

TEST(LlenarGasolinoRule, ReadersRunItFromFiveTowardsNinetyFive)
{
    EstadoGasolino e;
    (void)LlenarGasolino(e, AnchoPistaGasolino, true, 0);
    (void)LlenarGasolino(e, AnchoPistaGasolino, true, 5);
    for (int i = 0; i < 90; ++i)
        (void)LlenarGasolino(e, AnchoPistaGasolino, true, 1);
    EXPECT_EQ(e.TextoRelleno, "95 %");
    EXPECT_NEAR(e.AnchoRelleno, AnchoPistaGasolino * 0.95, 0.01);
}

// ---- the windows ----

TEST_F(ProgressTest, GaugeSitsAtTheBottomLeftOfTheMainWindowAndDrawsItsLabels)
{
    AperturaHooks().GeometriaPrincipal = [] { return QRect(1500, 3000, 12000, 9000); };
    Gasolino& g = gasolino();
    EXPECT_TRUE(GasolinoCargado());
    EXPECT_NEAR(FormLeftTwips(g), 1600, 15);
    EXPECT_NEAR(FormTopTwips(g) + FormHeightTwips(g), 3000 + 9000 - 96, 15);

    g.show();
    (void)g.LlenarGasolino(true, 0);
    EXPECT_FALSE(g.Label2->isVisible());
    EXPECT_EQ(g.LlenarGasolino(true, 40), 40);
    EXPECT_TRUE(g.Label2->isVisible());
    EXPECT_EQ(g.Label2->text(), "40 %");
    EXPECT_NEAR(WidthTwips(*g.Label2), WidthTwips(*g.Label1) * 0.4, 15);

    // PintaGasolino draws the width only.
    EXPECT_EQ(g.PintaGasolino("Leyendo", 80), 0.0);
    EXPECT_EQ(g.windowTitle(), "Leyendo");
    EXPECT_NEAR(WidthTwips(*g.Label2), WidthTwips(*g.Label1) * 0.8, 15);
    EXPECT_EQ(g.Label2->text(), "40 %");
    EXPECT_EQ(g.Estado().Recordado, 40);

    DescargarGasolino();
    EXPECT_FALSE(GasolinoCargado());
    EXPECT_EQ(gasolino().Estado().Recordado, 0); // a fresh load starts from 0
}

TEST_F(ProgressTest, RecordReadersReachTheGaugeAndTheCopyBarThroughTheirHooks)
{
    ConectarVentanasProgreso();
    RecordProgress& p = ProgresoRegistro();
    p.LlenarGasolino(true, 5);
    p.LlenarGasolino(true, 1);
    EXPECT_EQ(gasolino().Label2->text(), "6 %");

    p.BarraInicio(200);
    ASSERT_TRUE(Gasolino2Cargado());
    EXPECT_TRUE(gasolino2().isVisible());
    EXPECT_EQ(gasolino2().lbltexto->text(), TextosIdioma(268));
    p.BarraValor(150);
    EXPECT_EQ(gasolino2().ProgressBar1->value(), 150);
    p.BarraValor(900); // kept in range
    EXPECT_EQ(gasolino2().ProgressBar1->value(), 200);
    p.BarraFin();
    EXPECT_FALSE(Gasolino2Cargado());

    p.Mensaje(151, vbExclamation, 152);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(151));
    EXPECT_EQ(Boxes().Last().Style, vbExclamation);
    EXPECT_EQ(Boxes().Last().Title, TextosIdioma(152));
}

// The view progress window as its load leaves it, animation aside: shown,
// its bar at 10, its caption text 285.
void EsperarRecienCargada(const GasolinoOndas& g)
{
    EXPECT_TRUE(g.isVisible());
    EXPECT_EQ(g.ProgressBar1->value(), 10);
    EXPECT_EQ(g.windowTitle(), TextosIdioma(285));
}

TEST_F(ProgressTest, ViewProgressWindowPlaysTheAnimationBesideTheProgram)
{
    SetExeFolderOverride(QStringLiteral(VESDRA_RUNTIME_ROOT "/EXE"));
    AperturaHooks().GeometriaMenu = [] { return QRect(0, 0, 12000, 6000); };
    ConectarVentanasProgreso();
    ShellHooks& h = Hooks();
    ASSERT_TRUE(h.MostrarProgresoOndas());
    GasolinoOndas& g = gasolino_ondas();
    EsperarRecienCargada(g);
    EXPECT_TRUE(g.Animation1->IsOpen());
    EXPECT_TRUE(g.Animation1->IsPlaying());
    EXPECT_NEAR(FormLeftTwips(g), 6000, 15);
    EXPECT_NEAR(FormTopTwips(g), 5000, 15);
    EXPECT_EQ(g.Label2->text(), "0 %");
    EXPECT_EQ(g.Label4->text(), "100 %");

    h.ValorProgresoOndas(42.7f);
    EXPECT_EQ(g.ProgressBar1->value(), 42);
    h.CerrarProgresoOndas();
    EXPECT_FALSE(GasolinoOndasCargado());
}

// The animation only adorns the window: without Iconos/onda.avi, or with a
// file there that is no movie, the window shows its bar without it, the
// views go on, and standard error says what was left out.
TEST_F(ProgressTest, MendedAMissingAnimationIsLeftOutAndTheWindowShows)
{
    SetExeFolderOverride(Ruta("vesdra/EXE"));
    AperturaHooks().GeometriaMenu = [] { return QRect(0, 0, 12000, 6000); };
    ConectarVentanasProgreso();
    ASSERT_TRUE(QDir().mkpath(Ruta("vesdra/Iconos")));
    const struct {
        const char* que;
        QByteArray contenido; // empty: no file
        const char* error;
    } casos[] = {
        {"missing", {}, "error 53, File not found"},
        {"not a movie", "RIFF....nothing", "error 35752, Unable to open AVI file"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        QFile::remove(Ruta("vesdra/Iconos/onda.avi"));
        if (!c.contenido.isEmpty()) {
            ASSERT_TRUE(test::WriteBytes(Ruta("vesdra/Iconos/onda.avi"), c.contenido));
        }
        testing::internal::CaptureStderr();
        bool mostrada = false;
        try {
            mostrada = Hooks().MostrarProgresoOndas();
        } catch (const VbError& e) {
            ADD_FAILURE() << ErrorBoxText(e).toStdString();
        }
        const std::string err = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(mostrada);
        ASSERT_TRUE(GasolinoOndasCargado());
        GasolinoOndas& g = gasolino_ondas();
        EsperarRecienCargada(g);
        EXPECT_FALSE(g.Animation1->IsOpen());
        EXPECT_FALSE(g.Animation1->isVisible());
        EXPECT_NE(err.find(c.error), std::string::npos) << err;
        EXPECT_NE(err.find(Ruta("vesdra/Iconos/onda.avi").toStdString()), std::string::npos) << err;
        // One line.
        EXPECT_EQ(QString::fromStdString(err).count(QStringLiteral("vesdra: ")), 1) << err;
        Hooks().ValorProgresoOndas(60.0f);
        EXPECT_EQ(g.ProgressBar1->value(), 60);
        Hooks().CerrarProgresoOndas();
        EXPECT_FALSE(GasolinoOndasCargado());
    }
}

// Whether a picture holds anything drawn: more than a couple of colours.
bool Pintada(const QImage& imagen)
{
    QSet<QRgb> colores;
    for (int y = 0; y < imagen.height() && colores.size() < 3; ++y)
        for (int x = 0; x < imagen.width() && colores.size() < 3; ++x)
            colores.insert(imagen.pixel(x, y));
    return colores.size() >= 3;
}

TEST_F(ProgressTest, TaskWindowsBelongToTheMainWindowAndAreOnScreenAndPaintedOnceShown)
{
    SetExeFolderOverride(QStringLiteral(VESDRA_RUNTIME_ROOT "/EXE"));
    QMainWindow principal;
    principal.resize(900, 700);
    principal.show();
    ConectarVentanasProgreso();
    ProgresoRegistro().BarraInicio(100);
    ASSERT_TRUE(Hooks().MostrarProgresoOndas());
    MostrarCancelar();
    struct Caso {
        QWidget* ventana;
        QString titulo;
        bool cajaCerrar;
    };
    const QString programa = QString::fromLatin1(TituloPrograma);
    const Caso casos[] = {{&gasolino2(), programa, false},
                          {&gasolino_ondas(), TextosIdioma(285), false},
                          {VentanaCancelar(), programa, true}};
    for (const Caso& c : casos) {
        ASSERT_NE(c.ventana, nullptr);
        const QWidget& w = *c.ventana;
        const char* nombre = w.metaObject()->className();
        EXPECT_EQ(w.parentWidget(), &principal) << nombre;
        EXPECT_TRUE(w.isWindow()) << nombre;
        EXPECT_FALSE(w.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint))
            << nombre;
        EXPECT_EQ(static_cast<bool>(w.windowFlags() & Qt::WindowCloseButtonHint), c.cajaCerrar) << nombre;
        EXPECT_EQ(w.minimumSize(), w.maximumSize()) << nombre << ": a fixed size, nothing to maximise";
        EXPECT_EQ(w.windowTitle(), c.titulo) << nombre;
        // On screen and painted by the time the call that shows it returns:
        // the work that follows does not yield.
        EXPECT_TRUE(VentanaExpuesta(w)) << nombre;
        EXPECT_TRUE(Pintada(test::ImagenEnPantalla(w))) << nombre;
    }
}

// ---- the cancel window and the print loop ----

// A print loop as every print routine runs it; `durante` acts between the
// cancel window's show and the yield (what the user does meanwhile).
int Imprimir(int items, const std::function<void(int)>& durante)
{
    int impresos = 0;
    EmpezarImpresion();
    for (int i = 1; i <= items; ++i) {
        MostrarCancelar();
        durante(i);
        if (ImpresionCancelada())
            return impresos;
        ++impresos;
    }
    TerminarImpresion();
    return impresos;
}

TEST_F(ProgressTest, UncancelledPrintRunsToTheEndAndLeavesTheFlagSet)
{
    EXPECT_EQ(Imprimir(3, [](int) {}), 3);
    EXPECT_FALSE(CancelarCargado());
    EXPECT_TRUE(Shell().CancelarImpresion);
    // The next print clears it before its first check.
    EXPECT_EQ(Imprimir(2, [](int) {}), 2);
}

TEST_F(ProgressTest, TheButtonOrTheCloseBoxStopsThePrintAtTheNextItem)
{
    for (bool boton : {true, false}) {
        const int impresos = Imprimir(5, [boton](int i) {
            if (i != 3)
                return;
            Cancelar* c = VentanaCancelar();
            ASSERT_NE(c, nullptr);
            // The click arrives while the loop yields.
            if (boton)
                QTimer::singleShot(0, c->cdmCancelar, &QPushButton::click);
            else
                QTimer::singleShot(0, c, &QWidget::close);
        });
        EXPECT_EQ(impresos, 2) << boton;
        EXPECT_TRUE(Shell().CancelarImpresion);
        EXPECT_FALSE(CancelarCargado());
    }
}

TEST_F(ProgressTest, CancelWindowTakesItsTextsAndUnloadsOnlyWhenLoaded)
{
    Shell().CancelarImpresion = false;
    DescargarCancelar(); // not loaded: nothing
    EXPECT_FALSE(Shell().CancelarImpresion);
    MostrarCancelar();
    Cancelar* c = VentanaCancelar();
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(c->Label1->text(), TextosIdioma(237));
    EXPECT_EQ(c->cdmCancelar->text(), TextosIdioma(25));
    DescargarVentanasProgreso();
    EXPECT_TRUE(Shell().CancelarImpresion);
    EXPECT_FALSE(CancelarCargado());
}

} // namespace
} // namespace vesdra
