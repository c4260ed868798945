// The whole road on real records: read a 1991 ASCII and a 1997 BINARY
// record, pick channels in the dialog, see them one per window and stacked,
// move the cursors, zoom and step back.
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/messages.h"
#include "platform/scroll_bar.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

class RealRecord : public test::WavesFixture, public ::testing::WithParamInterface<const char*>
{
protected:
    bool Read(const QString& base)
    {
        CerrarRegistro();
        RecordModel& r = Registro();
        r.RutaCfg = test::SamplePath(base + QStringLiteral(".cfg"));
        r.RutaDat = test::SamplePath(base + QStringLiteral(".dat"));
        if (!QFile::exists(r.RutaCfg)) { // case as the recorder wrote it
            r.RutaCfg = test::SamplePath(base + QStringLiteral(".CFG"));
            r.RutaDat = test::SamplePath(base + QStringLiteral(".DAT"));
        }
        if (!LeerCfg(Registro()).Ok())
            return false;
        if (!LeerDat(Registro()).Ok())
            return false;
        IniciarValores();
        return true;
    }
};

TEST_P(RealRecord, ChannelsOnePerWindowAndStacked)
{
    ASSERT_TRUE(Read(QString::fromLatin1(GetParam())));
    const RecordModel& r = Registro();
    ASSERT_GE(r.NumAnalogicos, 2);

    AbrirDialogoOndas();
    frmNewOndas& d = NewOndas();
    ASSERT_EQ(d.List1->count(), r.NumAnalogicos);
    if (r.AnioRevision == QLatin1String("1997"))
        d.CmdSecundario->setChecked(true);
    d.List1_DblClick(0);
    d.List1_DblClick(1);
    d.cmdOK_Click();
    ASSERT_EQ(ondas::VentanasOndasAbiertas().size(), 2u);

    ScopedMsgBoxRecorder boxes(vbOK);
    frmVerOndas* w = Ondas().VentanasOndas(2);
    const std::int32_t n = r.NumMuestras();
    w->HScroll2->SetValue(n / 2);
    EXPECT_EQ(w->lblder->text(), QStringLiteral("No.= %1").arg(n / 2));
    w->cmdzoom_Click();
    w->picbox_MouseDown(w->Vista.XDeMuestra(n / 4), 0);
    w->picbox_MouseUp(w->Vista.XDeMuestra(n / 2), w->Vista.Alto);
    EXPECT_NEAR(w->Vista.PrimeraMuestra, n / 4, 2);
    w->cmdatras_Click();
    EXPECT_EQ(w->Vista.UltimaMuestra, n);
    EXPECT_EQ(boxes.Count(), 1); // the confirmation only

    CerrarVentanasOndas();
    EXPECT_EQ(Ondas().NumVentanasOndas, 0);
    EXPECT_EQ(Count("MostrarMenu"), 1);

    AbrirDialogoOndas();
    NewOndas().List1_DblClick(0);
    NewOndas().List1_DblClick(1);
    NewOndas().cmdtodo_Click();
    frmTodoanalog* t = TodoAnalog();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->NumBandas, 2);
    t->HScroll1->SetValue(n / 3);
    t->HScroll2->SetValue(n / 5);
    t->cmdzoom_Click();
    EXPECT_EQ(t->Vista.Primera, n / 5);
    t->cmdatras_Click();
    EXPECT_EQ(t->Vista.Ultima, n);
    EXPECT_EQ(boxes.Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Samples, RealRecord, ::testing::Values("sel311l_1991_ascii", "SEPAM_1997_BIN"));

} // namespace
} // namespace vesdra
