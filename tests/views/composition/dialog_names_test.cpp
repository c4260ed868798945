// The composition dialog with a substation's names, on the screens users
// have: the slots of its three windows and its channel list show the part of
// each name that tells it from the others beside it, whole on hover.
#include <QListWidget>
#include <gtest/gtest.h>
#include <vector>

#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "composition_fixture.h"
#include "views/composition/frm_new_companalog.h"

using namespace vesdra;

namespace {

using test::NombresSubestacion;

using DialogNames = test::EnPantalla<test::CompositionFixture>;

TEST_P(DialogNames, SlotsOfEveryWindowAndTheListReadApart)
{
    const QStringList nombres = NombresSubestacion::Analogicos();
    Registrar(8, 200, [](int, int) { return 0.0f; });
    for (std::int32_t c = 1; c <= 8; ++c)
        Registro().TablaCanales(c, 2) = nombres[c - 1];
    // Channels 1..6 in the first window, 7 and 8 beside 1 and 4 in the second
    // and the third.
    frmNewCompanalog& d =
        Dialogo({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 1}, {13, 8}, {14, 4}});
    const std::vector<std::pair<std::size_t, int>> casillas{{1, 1}, {2, 2}, {3, 3}, {4, 4},  {5, 5},
                                                            {6, 6}, {7, 7}, {8, 1}, {13, 8}, {14, 4}};
    std::vector<ElidedLineEdit*> cajas;
    QStringList suyos;
    for (const auto& [k, fila] : casillas) {
        cajas.push_back(d.grp[k]);
        suyos << nombres[fila - 1];
    }
    // A click makes a slot current and leaves the focus on it; it stays cut.
    ASSERT_NO_FATAL_FAILURE(test::CheckSlotsReadApart(cajas, suyos, 3));

    // Every entry as the list draws it in its row (those in sight drawn so).
    test::CheckListReadsApart(*d.List1, nombres);
}

INSTANTIATE_TEST_SUITE_P(Screens, DialogNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
