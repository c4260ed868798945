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
#include <QTest>
#include <QToolTip>
#include <cmath>

#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "composition_fixture.h"
#include "platform/base/colors.h"
#include "platform/base/name_elide.h"
#include "platform/base/readout_fit.h"
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

// The pixel rows of a box's picture that hold its text's ink: from the
// first to the last.
int AltoDeTinta(QWidget& caja)
{
    const QImage img = caja.grab().toImage();
    const QColor fondo = caja.palette().color(QPalette::Base);
    int arriba = -1;
    int abajo = -1;
    for (int y = 2; y < img.height() - 2; ++y)
        for (int x = 3; x < img.width() - 3; ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - fondo.red()) + std::abs(p.green() - fondo.green()) +
                    std::abs(p.blue() - fondo.blue()) >
                200) {
                if (arriba < 0)
                    arriba = y;
                abajo = y;
                break;
            }
        }
    return arriba < 0 ? 0 : abajo - arriba + 1;
}

// A substation's names (57-64 characters, one long shared start), voltages
// in the first window and currents in the second: every value whole, every
// caption showing what tells it from the channels of both windows, its cut
// standing still as the cursors move, at a font as large for its box as the
// window's other read-outs where that still tells them apart; the slots
// without a channel show no box.
TEST_P(LongNames, SubstationCaptionsReadApartAcrossTheWindowsAtTheReadOutSize)
{
    Registrar(6, 400, [](int s, int c) {
        return static_cast<float>((c <= 3 ? 179.629 : 5656.857) * std::sin(0.3 * s + c));
    });
    const QStringList captions = test::NombresSubestacion::Circuitos();
    for (std::int32_t c = 1; c <= 6; ++c) {
        Registro().TablaCanales(c, 2) = test::NombresSubestacion::Analogicos()[c - 1];
        Registro().TablaCanales(c, 3) = captions[c - 1];
        Registro().TablaCanales(c, 4) = c <= 3 ? QStringLiteral("kV") : QStringLiteral("A");
    }
    Construir({{1, 1}, {2, 2}, {3, 3}, {7, 4}, {8, 5}, {9, 6}});
    QCoreApplication::processEvents();
    std::array<frmVerCmpang*, 2> ventanas{Ventana(1), Ventana(2)};
    for (frmVerCmpang* v : ventanas) {
        ASSERT_NE(v, nullptr);
        v->Form_Resize();
    }
    const RecordModel& r = Registro();
    QStringList primeros;
    for (const std::int32_t s : {17, 398, 200}) {
        QStringList vistos;
        for (std::size_t w = 0; w < 2; ++w) {
            frmVerCmpang& v = *ventanas[w];
            v.HScroll1->SetValue(s);
            v.HScroll2->SetValue(401 - s);
            for (std::size_t k = 1; k <= 3; ++k) {
                const auto c = static_cast<std::int32_t>(3 * w + k);
                for (ElidedLineEdit* caja : {v.lblam[k], v.lblci[k]}) {
                    const QString valor =
                        TextoValor(r.Valores(caja == v.lblam[k] ? s : 401 - s, c), r.TablaCanales(c, 4));
                    EXPECT_TRUE(test::LecturaConValorEntero(*caja, captions[c - 1], valor));
                    if (caja == v.lblam[k])
                        vistos << NameShown({caja->VisibleText()}, QStringLiteral(": "), valor);
                }
            }
            for (std::size_t k = 4; k <= 6; ++k) {
                EXPECT_FALSE(v.lblam[k]->isVisibleTo(&v)) << k;
                EXPECT_FALSE(v.lblci[k]->isVisibleTo(&v)) << k;
            }
        }
        // At 1280 x 1024 no caption reads as another channel's; at 800 x 600 a
        // box of 100 pixels beside a whole value of eleven characters holds
        // less than that takes even at the smallest size: the captions are
        // still faithful cuts, each drawn otherwise than the others.
        if (GetParam().Ancho >= 1280) {
            EXPECT_TRUE(test::SeLeenAparte(vistos, captions.mid(0, 6))) << vistos.join(" | ").toStdString();
        } else {
            EXPECT_TRUE(test::TodosDistintos(vistos)) << vistos.join(" | ").toStdString();
            for (qsizetype i = 0; i < vistos.size(); ++i)
                EXPECT_TRUE(ReadsAs(vistos[i], captions[i])) << vistos[i].toStdString();
        }
        if (primeros.isEmpty())
            primeros = vistos;
        EXPECT_EQ(vistos, primeros) << "the cuts stand still as the cursors move";
    }
    // A click restores a box's whole text, drawn by the rule again, not
    // turned into a field showing the caption's start.
    QApplication::setActiveWindow(ventanas[1]->window());
    QTest::mouseClick(ventanas[1]->lblam[2], Qt::LeftButton);
    EXPECT_EQ(NameShown({ventanas[1]->lblam[2]->VisibleText()}, QStringLiteral(": "),
                        TextoValor(r.Valores(200, 5), r.TablaCanales(5, 4))),
              primeros[4]);
    if (GetParam().Ancho >= 1280) {
        // The boxes' letters fill their height as the right column's fill theirs.
        frmVerCmpang& v = *ventanas[0];
        const double columna = static_cast<double>(AltoDeTinta(*v.lblamar)) / v.lblamar->height();
        const double caja = static_cast<double>(AltoDeTinta(*v.lblam[1])) / v.lblam[1]->height();
        EXPECT_GE(caja, columna - 0.05) << AltoDeTinta(*v.lblam[1]) << " of " << v.lblam[1]->height();
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, LongNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
