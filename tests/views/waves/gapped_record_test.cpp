// Records whose .cfg numbers its analog channels with a gap (1, 2, 4, 5, 6)
// or from 10: every window shows its own channel's samples, the channel past
// the gap opens, and the stacked view opens with every channel.
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "gen/comtrade_gen.h"
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

class GappedRecord : public test::WavesFixture,
                     public ::testing::WithParamInterface<std::vector<std::int32_t>>
{
protected:
    void Abrir()
    {
        spec_.revision = gen::Revision::R1991;
        spec_.format = gen::DataFormat::Ascii;
        spec_.samples = 200;
        for (int c = 1; c <= 5; ++c) {
            gen::AnalogSpec a;
            a.name = QStringLiteral("CH%1").arg(c);
            a.units = QStringLiteral("A");
            a.amplitude = 1000.0 * c; // each channel's own size
            a.a = 0.5;
            spec_.analog.push_back(a);
        }
        spec_.analogNumbers = GetParam();
        const QString base = dir_.filePath(QStringLiteral("rec"));
        ASSERT_TRUE(gen::WriteRecord(spec_, base));
        CerrarRegistro();
        RecordModel& r = Registro();
        r.RutaCfg = base + QStringLiteral(".cfg");
        r.RutaDat = base + QStringLiteral(".dat");
        ASSERT_TRUE(LeerCfg(Registro()).Ok());
        ASSERT_TRUE(LeerDatAscii(Registro()).Ok());
        IniciarValores();
    }

    gen::GenSpec spec_;
    QTemporaryDir dir_;
};

TEST_P(GappedRecord, EveryViewShowsEachChannelsOwnSamples)
{
    Abrir();
    AbrirDialogoOndas();
    frmNewOndas& d = NewOndas();
    ASSERT_EQ(d.List1->count(), 5);
    for (int k = 0; k < 5; ++k)
        d.List1_DblClick(k);
    d.cmdOK_Click();
    ASSERT_EQ(ondas::VentanasOndasAbiertas().size(), 5u);
    for (std::int32_t k = 1; k <= 5; ++k) {
        frmVerOndas* w = Ondas().VentanasOndas(k);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("CH%1").arg(k));
        w->HScroll1->SetValue(5);
        EXPECT_EQ(w->lblamar->text(),
                  Format(gen::ExpectedValue(spec_, k, 5), "0.000") + QStringLiteral(" A"));
    }
    CerrarVentanasOndas();

    AbrirDialogoOndas();
    for (int k = 0; k < 5; ++k)
        NewOndas().List1_DblClick(k);
    NewOndas().cmdtodo_Click();
    frmTodoanalog* t = TodoAnalog();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->NumBandas, 5);
}

INSTANTIATE_TEST_SUITE_P(Numbering, GappedRecord,
                         ::testing::Values(std::vector<std::int32_t>{1, 2, 4, 5, 6},
                                           std::vector<std::int32_t>{10, 11, 12, 13, 14}));

} // namespace
} // namespace vesdra
