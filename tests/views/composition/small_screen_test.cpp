// Three composition windows on the screens users have: every control of
// each window whole inside its client area and uncovered, the history
// buttons' captions whole or, where they cannot be, a symbol with the
// caption on hover.
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "composition_fixture.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "views/composition/composition_layout.h"

using namespace vesdra;

namespace {

using ThreeWindows = test::EnPantalla<test::CompositionFixture>;

TEST_P(ThreeWindows, EveryControlIsWholeInsideTheClientAreaAndUncovered)
{
    Registrar(3, 400, [](int s, int c) { return static_cast<float>(c * (s % 20)); });
    Construir({{1, 1}, {2, 2}, {3, 3}, {7, 1}, {13, 2}});
    QCoreApplication::processEvents();
    for (int n : {1, 2, 3}) {
        frmVerCmpang* v = Ventana(n);
        ASSERT_NE(v, nullptr);
        v->Form_Resize(); // the layout its real frame brings, as the resize timer runs it
        SCOPED_TRACE("window " + std::to_string(n));
        std::vector<std::pair<const QWidget*, const char*>> controles{{v->Picture1, "picture"},
                                                                      {v->HScroll1, "cursor 1 bar"},
                                                                      {v->HScroll2, "cursor 2 bar"},
                                                                      {v->cmdzoom, "zoom"},
                                                                      {v->cmdadel, ">>"},
                                                                      {v->cmdatras, "<<"},
                                                                      {v->pctimpresora, "print"},
                                                                      {v->lblamar, "cursor 1 sample"},
                                                                      {v->lblcian, "cursor 2 sample"},
                                                                      {v->lblms, "time"},
                                                                      {v->HScroll_Amar, "HScroll_Amar"},
                                                                      {v->HScroll_Cian, "HScroll_Cian"}};
        // The slots of the composition's channels; a slot without one shows
        // no box.
        const std::size_t canales = v->FilasElegidas().size();
        for (std::size_t k = 1; k <= 6; ++k) {
            if (k <= canales) {
                controles.emplace_back(v->lblam[k], "cursor 1 value");
                controles.emplace_back(v->lblci[k], "cursor 2 value");
            } else {
                EXPECT_FALSE(v->lblam[k]->isVisibleTo(v)) << k;
                EXPECT_FALSE(v->lblci[k]->isVisibleTo(v)) << k;
            }
        }
        for (const auto& c : controles)
            EXPECT_EQ(test::ControlTapado(*v, *c.first).toStdString(), "") << c.second;

        // A caption shown is whole; one that cannot be is a symbol whose
        // caption shows on hover.
        for (QPushButton* b : {v->cmdzoom, v->cmdadel, v->cmdatras}) {
            if (b->text().isEmpty()) {
                EXPECT_FALSE(b->icon().isNull());
                EXPECT_FALSE(b->toolTip().isEmpty());
            } else {
                const int necesario = b->fontMetrics().horizontalAdvance(b->text()) +
                                      (b->icon().isNull() ? 0 : b->iconSize().width() + 4);
                EXPECT_LE(necesario + 8, b->width()) << b->text().toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ThreeWindows,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

TEST(CompositionLayout, TheColumnClearsTheSideBarOnALowWindow)
{
    using namespace composicion;
    // Three windows at 800 × 600: the standard print button runs into the
    // side bar of cursor 1's values.
    const DisposicionVentana estandar = CalcularDisposicion(11880, 2640, 10, 10, 247.5);
    ASSERT_GT(estandar.pctimpresora.Bottom(), estandar.HScroll_Amar.Top);
    const DisposicionVentana v =
        CalcularDisposicion(11880, 2640, 10, 10, 247.5, {}, AreaCliente{11760, 2640 - 390});
    EXPECT_LE(v.lblms.Bottom(), v.HScroll_Amar.Top - 10);
    // The print button beside the zoom button, as "<<" beside ">>".
    EXPECT_EQ(v.pctimpresora.Top, v.cmdzoom.Top);
    EXPECT_EQ(v.pctimpresora.Right(), estandar.cmdzoom.Right());
    EXPECT_LE(v.cmdzoom.Right(), v.pctimpresora.Left);
    EXPECT_LE(v.lblci[6].Bottom(), 2640 - 390);

    // Where the standard layout fits the client area, it stands.
    const DisposicionVentana alto = CalcularDisposicion(19000, 4600, 10, 10, 495);
    const DisposicionVentana dentro =
        CalcularDisposicion(19000, 4600, 10, 10, 495, {}, AreaCliente{18880, 4210});
    EXPECT_EQ(dentro.pctimpresora, alto.pctimpresora);
    EXPECT_EQ(dentro.Picture1, alto.Picture1);
    EXPECT_EQ(dentro.HScroll_Amar, alto.HScroll_Amar);
}

TEST(CompositionLayout, ButtonContentByWidth)
{
    using composicion::ContenidoBoton;
    struct Caso {
        double boton, texto, imagen;
        ContenidoBoton contenido;
    };
    const Caso casos[] = {
        {76, 40, 16, ContenidoBoton::ImagenYTexto}, // picture, gap and caption fit
        {36, 16, 16, ContenidoBoton::Texto},        // "<<" beside the picture does not
        {36, 16, 0, ContenidoBoton::Texto},         // no picture at all
        {36, 45, 16, ContenidoBoton::Simbolo},      // not even the caption fits
    };
    for (const Caso& c : casos)
        EXPECT_EQ(composicion::ElegirContenidoBoton(c.boton, c.texto, c.imagen), c.contenido)
            << c.boton << " " << c.texto << " " << c.imagen;
}

} // namespace
