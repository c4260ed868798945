// The phasor setup dialog with a substation's set names, on the screens
// users have: each set's box shows the part of its name that tells it from
// the other sets, on the two lines its room holds, whole on hover, and its
// tick stays where it stands.
#include <QGroupBox>
#include <gtest/gtest.h>

#include "analysis/frm_fasecuencias.h"
#include "analysis_fixture.h"
#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "platform/twips.h"

namespace vesdra {
namespace {

using test::NombresSubestacion;

class SetupDialogNames : public test::EnPantalla<test::AnalysisFixture>
{
};

TEST_P(SetupDialogNames, SetBoxesReadApartOnTwoLinesWithinTheirFrame)
{
    const QStringList sets = NombresSubestacion::Trifasicos();
    for (std::int32_t g = 1; g <= 2; ++g)
        Plantillas().TablaTrifasicos(g, 4) = sets[g - 1];
    MostrarFasecuencias();
    frmFasecuencias* d = Fasecuencias();
    ASSERT_NE(d, nullptr);
    for (const auto* columna : {&d->fas, &d->sec}) {
        QStringList vistos;
        for (std::size_t g = 0; g < 2; ++g) {
            ElidedCheckBox& caja = *(*columna)[g];
            const QString visible = caja.VisibleText();
            EXPECT_EQ(visible.count(QLatin1Char('\n')), 1) << visible.toStdString();
            vistos.append(QString(visible).replace(QLatin1Char('\n'), QLatin1Char(' ')));
            if (caja.IsCut()) {
                EXPECT_EQ(test::AyudaAlPasar(caja), caja.text());
            }
        }
        EXPECT_TRUE(test::SeLeenAparte(vistos, sets)) << vistos.join(QStringLiteral(" | ")).toStdString();

        // Within the frame, clear of each other, the tick centred where the
        // box's design row puts it.
        const QWidget* marco = (*columna)[0]->parentWidget();
        for (std::size_t k = 0; k < 4; ++k) {
            const QRect r = (*columna)[k]->geometry();
            EXPECT_TRUE(marco->contentsRect().contains(r)) << k;
            if (k > 0) {
                EXPECT_FALSE(r.intersects((*columna)[k - 1]->geometry())) << k;
            }
            EXPECT_NEAR(r.center().y(), TwipsToPixelY(480.0 * static_cast<double>(k + 1) + 255 / 2.0), 1.0)
                << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, SetupDialogNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
} // namespace vesdra
