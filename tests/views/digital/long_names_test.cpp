// Signals with long names that share their start, on the screens users
// have: the digital view's row names and its analog channel's name give way
// in the middle, so that names differing only at their end read apart, and
// show whole on hover; the analog values show whole.
#include <QLineEdit>
#include <gtest/gtest.h>

#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "digital_fixture.h"
#include "platform/scroll_bar.h"
#include "record/record_model.h"
#include "templates/template_state.h"
#include "views/digital/frm19.h"

using namespace vesdra;

namespace {

using LongNames = test::EnPantalla<test::DigitalFixture>;

TEST_P(LongNames, RowNamesReadApartAndShowWholeOnHover)
{
    const QStringList nombres{test::NombreLargo(QStringLiteral("DISPARO 21 ZONA 1")),
                              test::NombreLargo(QStringLiteral("DISPARO 21 ZONA 2")),
                              test::NombreLargo(QStringLiteral("DISPARO 21 ZONA 3"))};
    for (std::int32_t m = 3; m <= 5; ++m)
        Plantillas().TablaMiembrosDigitales(m, 2) = nombres[m - 3];
    Registro().TablaCanales(1, 2) = test::NombreLargo(QStringLiteral("INTENSIDAD FASE C"));
    frm19* v = AbrirVista(2, 0);
    ASSERT_NE(v, nullptr);
    v->HScroll1->SetValue(55);

    QStringList vistos;
    for (std::size_t i = 1; i <= 3; ++i) {
        ElidedLineEdit& caja = *v->label[i];
        EXPECT_EQ(caja.text(), nombres[static_cast<qsizetype>(i - 1)]);
        EXPECT_TRUE(caja.IsCut());
        EXPECT_EQ(test::AyudaAlPasar(caja), caja.text());
        vistos << caja.VisibleText();
    }
    EXPECT_TRUE(test::TodosDistintos(vistos));

    EXPECT_TRUE(v->lblanalog->VisibleText().endsWith(QStringLiteral(" C")))
        << v->lblanalog->VisibleText().toStdString() << " of " << v->lblanalog->text().toStdString();
    EXPECT_EQ(test::AyudaAlPasar(*v->lblanalog), v->lblanalog->text());
    for (const QLineEdit* valor : {static_cast<QLineEdit*>(v->lblamar), static_cast<QLineEdit*>(v->lblcian)})
        EXPECT_TRUE(test::TextoEnteroEnCaja(*valor)) << valor->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Screens, LongNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
