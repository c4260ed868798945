// A tile of waveform windows on the screens users have: one read-out font
// for every window, the largest at which each holds its widest texts, and
// every box, bar and button whole inside its window and uncovered.
#include <QCoreApplication>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <set>

#include "common/test_support.h"
#include "platform/mdi_forms.h"
#include "platform/scroll_bar.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/waves_fit.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

struct Pantalla {
    int Ancho;
    int Alto;
    bool Difieren; // the windows alone would take different sizes
};

class TileFont : public test::WavesFixture, public ::testing::WithParamInterface<Pantalla>
{
protected:
    // Three small currents and two large voltages: the voltages' read-outs
    // are the widest of the tile.
    // The five channels chosen together: a tile of five windows.
    std::vector<frmVerOndas*> CincoVentanas()
    {
        Registro5();
        AbrirDialogoOndas();
        frmNewOndas& d = NewOndas();
        for (int fila = 0; fila < 5; ++fila)
            d.List1_DblClick(fila);
        d.cmdOK_Click();
        return ondas::VentanasOndasAbiertas();
    }
    void Registro5()
    {
        RecordModel& r = Registro();
        CerrarRegistro();
        const std::int32_t n = 20000;
        r.AnioRevision = QStringLiteral("1991");
        r.NumAnalogicos = 5;
        r.FrecuenciaLinea = 50;
        r.NumTasas = 1;
        r.TasasMuestreo.Resize(1, 1000);
        r.TablaCanales = Matrix<QString>(5, 4);
        const char* nombres[] = {"I1", "I2", "I3", "U21", "U32"};
        for (int c = 1; c <= 5; ++c) {
            r.TablaCanales(c, 1) = QString::number(c);
            r.TablaCanales(c, 2) = QString::fromLatin1(nombres[c - 1]);
            r.TablaCanales(c, 4) = c <= 3 ? QStringLiteral("A") : QStringLiteral("kV");
        }
        r.Valores = Matrix<float>(n, 5);
        for (std::int32_t s = 1; s <= n; ++s) {
            const auto onda = static_cast<float>(std::sin(2 * M_PI * 50.0 * (s - 1) / 1000.0));
            for (int c = 1; c <= 5; ++c)
                r.Valores(s, c) = (c <= 3 ? 28.4f : -123456.789f) * onda;
        }
        IniciarValores();
    }
};

TEST_P(TileFont, OneReadoutFontPerTileAndEveryControlWhole)
{
    const Pantalla p = GetParam();
    Screen() = ScreenInfo{p.Ancho * 15, p.Alto * 15, 15, 15};
    const std::vector<frmVerOndas*> ventanas = CincoVentanas();
    ASSERT_EQ(ventanas.size(), 5u);

    std::vector<int> propios;
    for (const frmVerOndas* v : ventanas)
        propios.push_back(v->PixelesPropios());
    const int tesela = PixelesTesela(propios);
    // The voltages alone would take a smaller size than the currents
    // (where the boxes' height does not hold both to one size anyway).
    if (p.Difieren) {
        EXPECT_LT(*std::min_element(propios.begin(), propios.end()),
                  *std::max_element(propios.begin(), propios.end()));
    }

    std::set<int> tamanos;
    for (frmVerOndas* v : ventanas) {
        SCOPED_TRACE(v->windowTitle().toStdString());
        for (const QLineEdit* caja : {v->lblizq, v->lblamar, v->lblder, v->lblcian, v->lblms, v->lblDif})
            tamanos.insert(caja->font().pixelSize());
        EXPECT_EQ(v->PixelesLecturas(), tesela);

        // The widest read-outs: a peak at cursor 1, the last sample at cursor 2.
        v->HScroll1->SetValue(6);
        v->HScroll2->SetValue(20000);
        for (const QLineEdit* caja : {v->lblizq, v->lblamar, v->lblder, v->lblcian, v->lblms, v->lblDif})
            EXPECT_TRUE(test::TextoEnteroEnCaja(*caja)) << caja->text().toStdString();
        for (const QWidget* w : std::initializer_list<const QWidget*>{
                 v->HScroll1, v->HScroll2, v->lblizq, v->lblamar, v->lblder, v->lblcian, v->lblms, v->lblDif,
                 v->cmdzoom, v->cmdadel, v->cmdatras, v->pctimpresora})
            EXPECT_EQ(test::ControlTapado(*v, *w).toStdString(), "") << w->metaObject()->className();
    }
    EXPECT_EQ(tamanos, std::set<int>{tesela});
}

INSTANTIATE_TEST_SUITE_P(Screens, TileFont,
                         ::testing::Values(Pantalla{800, 600, false}, Pantalla{1024, 768, true},
                                           Pantalla{1280, 1024, true}),
                         [](const auto& i) {
                             return test::NombrePantalla({i.param.Ancho, i.param.Alto});
                         });

TEST_F(TileFont, AWindowMaximisedOutOfTheTileReadsAtItsOwnSizeAndRejoinsItRestored)
{
    const test::PantallaPrueba p{1024, 768};
    test::AreaPantalla area(p);
    Hooks().MostrarVentana = [&area](QWidget* w) { area.Mostrar(w); };
    const std::vector<frmVerOndas*> ventanas = CincoVentanas();
    ASSERT_EQ(ventanas.size(), 5u);
    const int tesela = ventanas[0]->PixelesLecturas();

    frmVerOndas* grande = ventanas[0];
    MarcoFormulario(*grande)->showMaximized();
    QCoreApplication::processEvents();
    grande->Form_Resize();
    EXPECT_EQ(grande->PixelesLecturas(), grande->PixelesPropios());
    EXPECT_GT(grande->PixelesLecturas(), tesela) << "not the tile's small font";
    for (const frmVerOndas* v : ventanas)
        if (v != grande) {
            EXPECT_EQ(v->PixelesLecturas(), tesela);
        }

    MarcoFormulario(*grande)->showNormal();
    QCoreApplication::processEvents();
    grande->Form_Resize();
    EXPECT_EQ(grande->PixelesLecturas(), tesela);
}

TEST(PixelesTesela, TheSmallestOfTheLaidOutWindows)
{
    EXPECT_EQ(PixelesTesela(std::vector<int>{13, 11, 12}), 11);
    EXPECT_EQ(PixelesTesela(std::vector<int>{0, 12, 0}), 12); // windows not laid out yet
    EXPECT_EQ(PixelesTesela(std::vector<int>{}), kPixelesFuenteMaximos);
}

} // namespace
} // namespace vesdra
