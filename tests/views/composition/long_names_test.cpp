// Channels with long names that share their start, on the screens users
// have: every value of the composition windows shows whole on a box whose
// text reads on its trace colour, a name gives way in the middle and shows
// whole on hover, and names that differ only at their end read apart in the
// windows and in the composition dialog.
#include <QApplication>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QToolTip>
#include <cmath>

#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "composition_fixture.h"
#include "platform/base/colors.h"
#include "platform/scroll_bar.h"
#include "platform/text_box.h"
#include "views/composition/frm_new_companalog.h"
#include "views/waves/lecturas.h"

using namespace vesdra;

namespace {

class LongNames : public test::EnPantalla<test::CompositionFixture>
{
protected:
    // Three voltages and three currents of one substation's position.
    void RegistroLargo()
    {
        Registrar(6, 400, [](int s, int c) {
            return static_cast<float>((c <= 3 ? -123456.789 : 5656.857) * std::sin(0.3 * s + c));
        });
        const char* fines[] = {"TENSIÓN FASE A",    "TENSIÓN FASE B",    "TENSIÓN FASE C",
                               "INTENSIDAD FASE A", "INTENSIDAD FASE B", "INTENSIDAD FASE C"};
        for (std::int32_t c = 1; c <= 6; ++c) {
            Registro().TablaCanales(c, 2) = test::NombreLargo(QString::fromUtf8(fines[c - 1]));
            Registro().TablaCanales(c, 4) = c <= 3 ? QStringLiteral("kV") : QStringLiteral("A");
        }
    }
};

// The largest contrast of any pixel of the box's picture with its background:
// the core of its text's letters.
double ContrasteTinta(QWidget& caja)
{
    const QImage img = caja.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const std::uint32_t fondo = caja.palette().color(QPalette::Base).rgb() & 0xFFFFFFu;
    double mayor = 1.0;
    for (int y = 3; y < img.height() - 3; ++y)
        for (int x = 3; x < img.width() - 3; ++x)
            mayor = std::max(mayor, ContrastRatio(img.pixel(x, y) & 0xFFFFFFu, fondo));
    return mayor;
}

TEST_P(LongNames, EveryValueWholeOnABoxThatReadsAndTheNamesApart)
{
    RegistroLargo();
    Construir({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 2}});
    QCoreApplication::processEvents();
    frmVerCmpang* v = Ventana(1);
    ASSERT_NE(v, nullptr);
    v->Form_Resize();
    v->HScroll1->SetValue(17);
    v->HScroll2->SetValue(398);
    const RecordModel& r = Registro();
    for (int cursor = 0; cursor < 2; ++cursor) {
        const std::int32_t s = cursor == 0 ? 17 : 398;
        QStringList nombres;
        for (std::size_t k = 1; k <= 6; ++k) {
            ElidedLineEdit& caja = *(cursor == 0 ? v->lblam : v->lblci)[k];
            const auto c = static_cast<std::int32_t>(k);
            SCOPED_TRACE(caja.text().toStdString());
            EXPECT_TRUE(test::LecturaConValorEntero(caja, r.TablaCanales(c, 2),
                                                    TextoValor(r.Valores(s, c), r.TablaCanales(c, 4))));
            const QString visible = caja.VisibleText();
            nombres << visible.left(visible.lastIndexOf(QStringLiteral(": ")));

            // Black or white text on the trace colour, whichever contrasts more.
            const std::uint32_t fondo = caja.palette().color(QPalette::Base).rgb() & 0xFFFFFFu;
            const std::uint32_t texto = caja.palette().color(QPalette::Text).rgb() & 0xFFFFFFu;
            EXPECT_EQ(texto, ReadableTextOn(fondo));
            EXPECT_GE(ContrastRatio(texto, fondo), 4.5);
            EXPECT_GE(ContrasteTinta(caja), 4.5) << "the letters as drawn";
        }
        EXPECT_TRUE(test::PorGruposDistintos(nombres));
    }
}

TEST_P(LongNames, TheDialogsSlotsAndListTellTheNamesApartAndNoMarkerCoversABox)
{
    RegistroLargo();
    frmNewCompanalog& d = Dialogo({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}});
    d.show();
    QStringList casillas;
    QStringList lista;
    for (std::size_t k = 1; k <= 6; ++k) {
        ElidedLineEdit& g = *d.grp[k];
        EXPECT_EQ(g.text(), Registro().TablaCanales(static_cast<std::int32_t>(k), 2));
        EXPECT_TRUE(g.IsCut());
        EXPECT_EQ(test::AyudaAlPasar(g), g.text());
        casillas << g.VisibleText();
        lista << TextoVisibleEnLista(*d.List1, static_cast<int>(k) - 1);
    }
    EXPECT_TRUE(test::PorGruposDistintos(casillas)) << "slots";
    EXPECT_TRUE(test::PorGruposDistintos(lista)) << "channel list";
    const QPoint centro = d.List1->visualRect(d.List1->model()->index(4, 0)).center();
    QHelpEvent e(QEvent::ToolTip, centro, d.List1->viewport()->mapToGlobal(centro));
    QApplication::sendEvent(d.List1->viewport(), &e);
    EXPECT_EQ(QToolTip::text(), Registro().TablaCanales(5, 2));
    QToolTip::hideText();

    for (std::size_t k = 1; k <= 18; ++k) {
        EXPECT_FALSE(d.grp[k]->geometry().intersects(d.lblpunt[k]->geometry())) << k;
        EXPECT_FALSE(d.lblpunt[k]->geometry().intersects(d.lbl[k]->geometry())) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, LongNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
