// The channel-choice dialog with a substation's names, on the screens users
// have: the chosen channels' slots and the channel list show the part of
// each name that tells it from the others beside it, whole on hover.
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "platform/text_box.h"
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
    QStringList casillas;
    for (std::size_t i = 1; i <= 8; ++i) {
        ElidedLineEdit& g = *d.grp[i];
        ASSERT_EQ(g.text(), nombres[static_cast<qsizetype>(i - 1)]);
        casillas << g.VisibleText();
        EXPECT_TRUE(g.IsCut());
        EXPECT_EQ(test::AyudaAlPasar(g), g.text());
    }
    EXPECT_TRUE(test::SeLeenAparte(casillas, nombres)) << casillas.join(QStringLiteral(" | ")).toStdString();
    // A click makes slot 4 current and leaves the focus on it; it stays cut.
    QApplication::setActiveWindow(d.window());
    QTest::mouseClick(d.grp[4], Qt::LeftButton);
    ASSERT_TRUE(d.grp[4]->hasFocus());
    EXPECT_EQ(d.SlotSeleccionado(), 4);
    EXPECT_EQ(d.grp[4]->VisibleText(), casillas[3]);

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

INSTANTIATE_TEST_SUITE_P(Screens, ChoiceDialogNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
} // namespace vesdra
