#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "digital_fixture.h"
#include "platform/scroll_bar.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/record_model.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"
#include "views/digital/frm19.h"

using namespace vesdra;

namespace {

// Opens a public sample record and applies a template of one group made of
// the digital channels that change state (at most 19), the record's own
// analog table standing as the template's.
void AbrirMuestra(const QString& cfg, const QString& dat)
{
    RecordModel& r = Registro();
    r = {};
    r.RutaCfg = test::SamplePath(cfg);
    r.RutaDat = test::SamplePath(dat);
    ASSERT_TRUE(LeerCfg(Registro()).Ok());
    ASSERT_TRUE(LeerDat(Registro()).Ok());
    r.RegistroAbierto = true;

    TemplateState& p = Plantillas();
    p.NumCanalesTabla = r.NumAnalogicos;
    std::vector<std::int32_t> activos;
    for (std::int32_t c = 1; c <= r.NumDigitales && activos.size() < 19; ++c) {
        const auto col = r.EstadosDigitales.Column(c);
        if (std::find(col.begin(), col.end(), 1) != col.end())
            activos.push_back(c);
    }
    ASSERT_FALSE(activos.empty());
    p.NumGruposDigitales = 1;
    p.TablaGruposDigitales.Resize(1, 2);
    p.TablaGruposDigitales(1, 1) = "Disparos";
    p.TablaGruposDigitales(1, 2) = QString::number(activos.size());
    p.TablaMiembrosDigitales.Resize(static_cast<std::int32_t>(activos.size()), 2);
    for (std::size_t m = 0; m < activos.size(); ++m) {
        const auto fila = static_cast<std::int32_t>(m + 1);
        p.TablaMiembrosDigitales(fila, 1) = QString::number(activos[m]);
        p.TablaMiembrosDigitales(fila, 2) = r.NombresDigitales(activos[m]);
    }
    p.PlantillaAplicada = true;
}

// Writes the whole view to <dir>/<name>.png when VESDRA_DIGITAL_SHOTS
// names a folder (to look at the view by eye).
void Captura(QWidget& vista, const char* nombre)
{
    const QByteArray dir = qgetenv("VESDRA_DIGITAL_SHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    vista.grab().save(QString::fromLocal8Bit(dir) + "/" + nombre + ".png");
}

using VistaDigitalMuestras = test::DigitalFixture;

} // namespace

TEST_F(VistaDigitalMuestras, Record1991WithManyDigitalChannelsZoomsAndStepsBack)
{
    AbrirMuestra("sel311l_1991_ascii.cfg", "sel311l_1991_ascii.dat");
    frm19* v = AbrirVista(1, 0);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(cajas_.Count(), 0);
    EXPECT_TRUE(v->lbl_PS->isHidden());
    EXPECT_EQ(v->HScroll1->Max(), Registro().NumMuestras());
    v->HScroll1->SetValue(Registro().NumMuestras() / 4);
    v->HScroll2->SetValue(Registro().NumMuestras() / 2);
    Captura(*v, "digital_1991");
    v->cmdzoom_Click();
    EXPECT_EQ(v->Historial().NivelZoom(), 1);
    v->HScroll2->SetValue(v->HScroll2->Max() - 10);
    Captura(*v, "digital_1991_zoom");
    v->cmdatras_Click();
    EXPECT_EQ(v->Historial().NivelZoom(), 0);
    EXPECT_EQ(cajas_.Count(), 0);
}

TEST_F(VistaDigitalMuestras, Record1997OnTheSecondarySide)
{
    AbrirMuestra("SEPAM_1997_BIN.CFG", "SEPAM_1997_BIN.DAT");
    frm19* v = AbrirVista(1, 0, Referencia::Secundario);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(cajas_.Count(), 0);
    EXPECT_EQ(Registro().LadoEnVigor, Lado::Secundario);
    EXPECT_EQ(v->lbl_PS->text(), "T280");
    EXPECT_FALSE(v->lbl_PS->isHidden());
    v->HScroll2->SetValue(600);
    Captura(*v, "digital_1997");
    v->cmdzoom_Click();
    Captura(*v, "digital_1997_zoom");
    EXPECT_EQ(v->HScroll1->Max(), 600);
}
