// The composition dialog with a substation's names, on the screens users
// have: the slots of its three windows and its channel list show the part of
// each name that tells it from the others beside it, whole on hover.
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "composition_fixture.h"
#include "platform/text_box.h"
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
    QStringList vistos, suyos;
    for (const auto& [k, fila] : casillas) {
        ElidedLineEdit& g = *d.grp[k];
        ASSERT_EQ(g.text(), nombres[fila - 1]) << k;
        vistos << g.VisibleText();
        suyos << g.text();
        EXPECT_TRUE(g.IsCut());
        EXPECT_EQ(test::AyudaAlPasar(g), g.text());
    }
    EXPECT_TRUE(test::SeLeenAparte(vistos, suyos)) << vistos.join(QStringLiteral(" | ")).toStdString();
    // A click makes a slot current and leaves the focus on it; it stays cut.
    QApplication::setActiveWindow(d.window());
    QTest::mouseClick(d.grp[4], Qt::LeftButton);
    ASSERT_TRUE(d.grp[4]->hasFocus());
    EXPECT_EQ(d.grp[4]->VisibleText(), vistos[3]);

    // Every entry as the list draws it in its row (those in sight drawn so).
    const auto dibujados = test::TextosDibujados(*d.List1);
    ASSERT_GE(dibujados.size(), 5U);
    QStringList lista;
    for (int fila = 0; fila < d.List1->count(); ++fila) {
        lista << TextoVisibleEnLista(*d.List1, fila);
        if (const auto dibujado = dibujados.find({fila, 0}); dibujado != dibujados.end()) {
            EXPECT_EQ(dibujado->second, lista.back());
            EXPECT_EQ(test::AyudaAlPasarEntrada(*d.List1, fila), nombres[fila]);
        }
    }
    EXPECT_TRUE(test::SeLeenAparte(lista, nombres)) << lista.join(QStringLiteral(" | ")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Screens, DialogNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
