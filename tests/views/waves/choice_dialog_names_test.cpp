// The channel-choice dialog with a substation's names, on the screens users
// have: the chosen channels' slots and the channel list show the part of
// each name that tells it from the others beside it, whole on hover.
#include <QListWidget>
#include <gtest/gtest.h>
#include <vector>

#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "views/waves/frm_new_ondas.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

using test::NombresSubestacion;

class ChoiceDialogNames : public test::EnPantalla<test::WavesFixture>
{
};

TEST_P(ChoiceDialogNames, SlotsAndListReadApart)
{
    const QStringList nombres = NombresSubestacion::Analogicos();
    MakeRecord(200, 1000);
    RecordModel& r = Registro();
    r.NumAnalogicos = 8;
    r.TablaCanales = Matrix<QString>(8, 4);
    r.Valores = Matrix<float>(200, 8);
    for (std::int32_t c = 1; c <= 8; ++c) {
        r.TablaCanales(c, 1) = QString::number(c);
        r.TablaCanales(c, 2) = nombres[c - 1];
        r.TablaCanales(c, 4) = QStringLiteral("kV");
    }
    AbrirDialogoOndas();
    frmNewOndas& d = NewOndas();
    for (int fila = 0; fila < 8; ++fila)
        d.List1_DblClick(fila);
    const std::vector<ElidedLineEdit*> casillas(d.grp.begin() + 1, d.grp.end());
    // A click makes slot 4 current and leaves the focus on it; it stays cut.
    ASSERT_NO_FATAL_FAILURE(test::CheckSlotsReadApart(casillas, nombres, 3));
    EXPECT_EQ(d.SlotSeleccionado(), 4);

    // Every entry as the list draws it in its row (those in sight drawn so).
    test::CheckListReadsApart(*d.List1, nombres);
}

INSTANTIATE_TEST_SUITE_P(Screens, ChoiceDialogNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
} // namespace vesdra
