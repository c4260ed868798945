#include "analysis_fixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "analysis/dft.h"
#include "analysis/frm_fasecuencias.h"
#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "common/test_support.h"
#include "platform/line_control.h"
#include "platform/scroll_bar.h"
#include "platform/twips.h"
#include "shell/menu_commands.h"
#include "shell/shell_state.h"
#include "shell/view_services.h"

namespace vesdra {
namespace {

// The fixture's record with samples: channels 1..3 a balanced set of peak
// 100·√2 (RMS 100), 4..6 currents of peak 10·√2, 20 samples per cycle,
// and a template file of version "ver 1.1". The shell's Fasores command
// reaches the analysis through the registry, wired as the program wires it.
class CommandTest : public test::AnalysisFixture
{
public:
    void SetUp() override
    {
        AnalysisFixture::SetUp();
        Vistas().Fasores.Calcular = CalcularFasores;
        Vistas().Fasores.AbrirDialogo = MostrarFasecuencias;
        Preparar();
    }

    void TearDown() override
    {
        AnalysisFixture::TearDown();
        RestablecerVistas();
    }

    void Preparar()
    {
        PrepararEstado();
        Muestras(400);
        ASSERT_TRUE(dir_.isValid());
        Plantillas().RutaPlantilla = dir_.filePath("p.cnf");
        Version("ver 1.1");
    }

    static void Muestras(std::int32_t n)
    {
        RecordModel& r = Registro();
        r.Valores.Resize(n, 6);
        r.Desfase.Resize(6, 0.0f);
        for (std::int32_t c = 1; c <= 6; ++c) {
            const double pico = (c <= 3 ? 100.0 : 10.0) * std::sqrt(2.0);
            const double fase = -2.0 * std::numbers::pi / 3.0 * ((c - 1) % 3);
            for (std::int32_t s = 1; s <= n; ++s)
                r.Valores(s, c) = static_cast<float>(pico * std::cos(2.0 * std::numbers::pi * s / kN + fase));
        }
    }

    void Version(const char* linea)
    {
        ASSERT_TRUE(test::WriteBytes(Plantillas().RutaPlantilla, QByteArray(linea) + "\r\nrest\r\n"));
    }

private:
    QTemporaryDir dir_;
};

TEST_F(CommandTest, RefusalsInOrderComputeNothing)
{
    struct Caso {
        const char* que;
        std::function<void(CommandTest&)> preparar;
        QString texto;
        int estilo;
    };
    const Caso casos[] = {
        {"no record", [](CommandTest&) { Registro().RegistroAbierto = false; }, "T91", vbCritical},
        {"under one sample per cycle", [](CommandTest&) { Registro().TasasMuestreo(1) = 20; }, "T283",
         vbInformation},
        {"template misfit", [](CommandTest&) { Plantillas().PlantillaNoEncaja = true; }, "T246", vbCritical},
        {"version 1.0", [](CommandTest& t) { t.Version("ver 1.0"); }, "T172", vbCritical},
    };
    for (const Caso& c : casos) {
        Preparar();
        c.preparar(*this);
        ScopedMsgBoxRecorder cajas;
        ComandoFasores();
        ASSERT_EQ(cajas.Count(), 1) << c.que;
        EXPECT_EQ(cajas.Last().Prompt, c.texto) << c.que;
        EXPECT_EQ(cajas.Last().Style, c.estilo) << c.que;
        EXPECT_FALSE(Registro().FasoresCalculados) << c.que;
        EXPECT_EQ(Analisis().Fasores, nullptr) << c.que;
        EXPECT_EQ(Fasecuencias(), nullptr) << c.que;
    }
}

TEST_F(CommandTest, ComputesOncePerRecordAndOpensTheDialogAfresh)
{
    ScopedMsgBoxRecorder cajas;
    ComandoFasores();
    EXPECT_EQ(cajas.Count(), 0);
    EXPECT_TRUE(Registro().FasoresCalculados);
    const auto tabla = Analisis().Fasores;
    ASSERT_NE(tabla, nullptr);
    EXPECT_EQ(tabla->Rows(), 5 * kN + 400);
    EXPECT_EQ(tabla->Cols(), 12);
    EXPECT_NEAR((*tabla)(5 * kN + 400, 2), 100.0, 0.01);
    frmFasecuencias* primero = Fasecuencias();
    ASSERT_NE(primero, nullptr);
    primero->fas[0]->setChecked(true);

    ComandoFasores();
    EXPECT_EQ(Analisis().Fasores, tabla);
    ASSERT_NE(Fasecuencias(), nullptr);
    EXPECT_NE(Fasecuencias(), primero);
    EXPECT_FALSE(Fasecuencias()->fas[0]->isChecked());
}

// Fault 1: a computation that fails shows its box, leaves the record not
// computed and opens no dialog.
TEST_F(CommandTest, RecordShorterThanOneCycleIsRefusedWithAMessageAndOpensNothing)
{
    Muestras(kN - 1);
    ScopedMsgBoxRecorder cajas;
    ComandoFasores();
    ASSERT_EQ(cajas.Count(), 1);
    EXPECT_EQ(cajas.Last().Prompt, "T103"); // not error 9 from inside the transform
    EXPECT_EQ(cajas.Last().Style, vbInformation);
    EXPECT_FALSE(Registro().FasoresCalculados);
    EXPECT_EQ(Analisis().Fasores, nullptr);
    EXPECT_EQ(Fasecuencias(), nullptr);

    Muestras(100);
    ComandoFasores();
    EXPECT_TRUE(Registro().FasoresCalculados);
    EXPECT_NE(Fasecuencias(), nullptr);
}

TEST_F(CommandTest, DialogOfA1991RecordHasNoReferenceFrame)
{
    MostrarFasecuencias();
    frmFasecuencias* d = Fasecuencias();
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->Frame3->isVisibleTo(d));
    EXPECT_EQ(ScaleWidthTwips(*d), 9375 - 2175);
    EXPECT_EQ(d->cmdOK->x(), 720 / 15);
    EXPECT_EQ(d->cmdSalir->x(), 4080 / 15);
    EXPECT_EQ(d->cmdOK->y(), d->cmdSalir->y());
    EXPECT_NEAR(d->cmdOK->y(), 3382.5 / 15, 1);
    EXPECT_EQ(d->windowTitle(), "T68");
    EXPECT_EQ(d->Frame1->title(), "T69");
    EXPECT_EQ(d->Frame2->title(), "T70");
    EXPECT_EQ(d->cmdOK->text(), "T24");
    EXPECT_EQ(d->cmdSalir->text(), "T25");
    EXPECT_EQ(d->fas[0]->text(), "TENSION");
    EXPECT_EQ(d->sec[1]->text(), "CORRIENTE");
    EXPECT_TRUE(d->fas[1]->isEnabled());
    EXPECT_FALSE(d->fas[2]->isEnabled());
    EXPECT_FALSE(d->sec[3]->isEnabled());
}

TEST_F(CommandTest, DialogOfA1997RecordShowsThePrimarySideChosen)
{
    Registro().AnioRevision = QStringLiteral("1997");
    MostrarFasecuencias();
    frmFasecuencias* d = Fasecuencias();
    EXPECT_TRUE(d->Frame3->isVisibleTo(d));
    EXPECT_TRUE(d->CmdPrimario->isChecked());
    EXPECT_FALSE(d->CmdSecundario->isChecked());
    EXPECT_EQ(d->Frame3->title(), "T278");
    EXPECT_EQ(d->CmdPrimario->text(), "T279");
    EXPECT_EQ(d->CmdSecundario->text(), "T280");
    EXPECT_EQ(ScaleWidthTwips(*d), 9375);
}

TEST_F(CommandTest, TheReferenceChoiceSelectsTheSideShownAndComputesThePhasorsAgain)
{
    // A 1997 record whose primary side is ten times its secondary side; the
    // views show the secondary side at first.
    RecordModel& r = Registro();
    r.AnioRevision = QStringLiteral("1997");
    Matrix<float> primario = r.Valores;
    for (std::int32_t c = 1; c <= 6; ++c)
        for (float& v : primario.Column(c))
            v *= 10.0f;
    PonerLados(r, std::move(primario), r.Valores, Lado::Secundario);
    ScopedMsgBoxRecorder cajas;
    const auto abrir = [](bool primario) {
        ComandoFasores();
        frmFasecuencias* d = Fasecuencias();
        d->fas[0]->setChecked(true);
        (primario ? d->CmdPrimario : d->CmdSecundario)->setChecked(true);
        d->cmdOK_Click();
        EXPECT_NE(Fases(), nullptr);
        return Fases() ? Fases()->Valores[3]->text() : QString();
    };

    ComandoFasores();
    EXPECT_TRUE(Fasecuencias()->CmdSecundario->isChecked()) << "opens on the side shown";
    DescargarFasecuencias();
    EXPECT_TRUE(abrir(true).startsWith("VA: 1000. @ "));
    EXPECT_EQ(r.LadoEnVigor, Lado::Primario);
    EXPECT_EQ(r.Valores(1, 4), r.ValoresSecundario()(1, 4) * 10.0f);
    EXPECT_TRUE(r.FasoresCalculados);

    ComandoFasores();
    EXPECT_TRUE(Fasecuencias()->CmdPrimario->isChecked());
    DescargarFasecuencias();
    EXPECT_TRUE(abrir(false).startsWith("VA: 100. @ "));
    EXPECT_EQ(r.LadoEnVigor, Lado::Secundario);
    EXPECT_EQ(cajas.Count(), 0);
}

TEST_F(CommandTest, DialogRefusalsKeepOrCloseTheDialog)
{
    ScopedMsgBoxRecorder cajas;
    MostrarFasecuencias();
    Fasecuencias()->cmdOK_Click();
    EXPECT_EQ(cajas.Last().Prompt, "T82");
    EXPECT_EQ(cajas.Last().Style, vbCritical);
    ASSERT_NE(Fasecuencias(), nullptr);
    EXPECT_TRUE(Fasecuencias()->isVisible());

    Plantillas().NumTrifasicos = 0;
    MostrarFasecuencias();
    Fasecuencias()->cmdOK_Click();
    EXPECT_EQ(cajas.Last().Prompt, "T247");
    EXPECT_EQ(Fasecuencias(), nullptr);
    EXPECT_EQ(menuOculto, 0);
    EXPECT_EQ(Fases(), nullptr);
}

TEST_F(CommandTest, OnlySequenceSetsOpenTheSequenceViewAlone)
{
    ComandoFasores();
    Fasecuencias()->sec[1]->setChecked(true);
    Fasecuencias()->cmdOK_Click();
    EXPECT_EQ(Analisis().ModoVistas, 1);
    EXPECT_EQ(Fases(), nullptr);
    ASSERT_NE(Secuencias(), nullptr);
    EXPECT_EQ(Fasecuencias(), nullptr);
    EXPECT_EQ(menuOculto, 1);
    EXPECT_EQ(Analisis().SeleccionSecuencias, (std::vector<std::int32_t>{1, 0, 1}));
}

TEST_F(CommandTest, ViewsThatAllFailLeaveTheMenuFormInSight)
{
    ScopedMsgBoxRecorder cajas;
    ComandoFasores();
    frmFasecuencias* d = Fasecuencias();
    ASSERT_NE(d, nullptr);
    d->fas[0]->setChecked(true);
    d->sec[0]->setChecked(true);
    // Set 1 names a channel the phasor table does not hold: both views fail.
    Plantillas().TablaTrifasicos(1, 1) = QStringLiteral("99");
    d->cmdOK_Click();
    EXPECT_EQ(Fases(), nullptr);
    EXPECT_EQ(Secuencias(), nullptr);
    EXPECT_EQ(Fasecuencias(), nullptr);
    EXPECT_GE(cajas.Count(), 1);
    EXPECT_TRUE(menuALaVista) << "the menu form is stranded";
}

// From the Fasores command to closing: both views side by side, scrolled
// together, zoomed, closed with the status-bar button.
TEST_F(CommandTest, FromTheCommandToBothViewsAndBack)
{
    ScopedMsgBoxRecorder cajas;
    ComandoFasores();
    frmFasecuencias* d = Fasecuencias();
    d->fas[0]->setChecked(true);
    d->fas[1]->setChecked(true);
    d->sec[0]->setChecked(true);
    d->cmdOK_Click();
    EXPECT_EQ(cajas.Count(), 0);
    EXPECT_EQ(Analisis().ModoVistas, 2);
    frmFases* f = Fases();
    frmSecuencias* s = Secuencias();
    ASSERT_NE(f, nullptr);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(menuOculto, 1);

    // A balanced 100 V RMS set: the phasor view reads 100 on every phase,
    // the sequence view 99.999 positive sequence.
    EXPECT_TRUE(f->Valores[3]->text().startsWith("VA: 100. @ "));
    EXPECT_TRUE(s->Valores[3]->text().startsWith("VA1: 99.999 @ "));

    s->HScroll1->SetValue(5 * kN + 250);
    EXPECT_EQ(f->HScroll1->Value(), 5 * kN + 250);
    EXPECT_EQ(f->lblNumero->text(), "Ventana 251");
    f->cmdmas_Click();
    EXPECT_EQ(f->PasoZoom(), 1);
    EXPECT_EQ(s->PasoZoom(), 0);
    (void)f->RenderImage();
    (void)s->RenderImage();

    menuMostrado = 0;
    CerrarVistaFasesBoton();
    EXPECT_EQ(Fases(), nullptr);
    EXPECT_EQ(Secuencias(), nullptr);
    EXPECT_GE(menuMostrado, 1);
    EXPECT_EQ(cajas.Count(), 0);
}

} // namespace
} // namespace vesdra
