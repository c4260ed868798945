// The stacked view's band boxes on the screens users have, with a
// substation's names (57-64 characters sharing one long start): no box
// covers another or the name bar, however many bands share the picture;
// their font is the waveform windows' read-out size wherever the boxes'
// height holds it; every value shows whole and every name shows what tells
// it from the other channels, its cut standing still as the cursors move;
// scrolled sideways, every part of a name comes into view.
#include <QApplication>
#include <QCoreApplication>
#include <QFontInfo>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

#include "common/test_support.h"
#include "platform/base/readout_fit.h"
#include "platform/scroll_bar.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/lecturas.h"
#include "views/waves/waves_services.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

const QString kSep = QStringLiteral(": ");

class BandBoxes : public test::WavesFixture
{
protected:
    void TearDown() override
    {
        test::WavesFixture::TearDown();
        area_.reset();
    }

    void EnPantalla(const test::PantallaPrueba& p)
    {
        area_ = std::make_unique<test::AreaPantalla>(p);
        Hooks().MostrarVentana = [this](QWidget* w) { area_->Mostrar(w); };
    }

    // Eight channels of one position: three phase voltages, four currents,
    // the busbar voltage; captions are the second names.
    static void RegistroSubestacion()
    {
        SineRecord(test::NombresSubestacion::Analogicos(), test::NombresSubestacion::Circuitos(),
                   {"kV", "kV", "kV", "A", "A", "A", "A", "kV"},
                   {179.629, 179.629, 179.629, 5656.857, 5656.857, 5656.857, 12.5, 180.2});
    }

    static frmTodoanalog* AbrirTodo(int bandas)
    {
        AbrirDialogoOndas();
        frmNewOndas& d = NewOndas();
        for (int fila = 0; fila < bandas; ++fila)
            d.List1_DblClick(fila);
        d.cmdtodo_Click();
        frmTodoanalog* t = TodoAnalog();
        if (t) {
            QCoreApplication::processEvents();
            t->Form_Resize(); // the layout its real frame brings, as the resize timer runs it
        }
        return t;
    }

    std::unique_ptr<test::AreaPantalla> area_;
};

using Caso = std::tuple<test::PantallaPrueba, int>;
class NoBoxCovers : public BandBoxes, public ::testing::WithParamInterface<Caso>
{
};

TEST_P(NoBoxCovers, AnotherBoxOrTheNameBar)
{
    const auto& [pantalla, bandas] = GetParam();
    EnPantalla(pantalla);
    RegistroSubestacion();
    frmTodoanalog* t = AbrirTodo(bandas);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->NumBandas, bandas);
    for (int k = 1; k <= 2 * bandas; ++k) {
        const QWidget& caja = *t->lblet[static_cast<size_t>(k)];
        EXPECT_EQ(test::ControlTapado(*t, caja).toStdString(), "") << "box " << k;
        EXPECT_FALSE(caja.geometry().intersects(t->HScroll_Nombres->geometry())) << "box " << k;
        for (int j = k + 1; j <= 2 * bandas; ++j)
            EXPECT_FALSE(caja.geometry().intersects(t->lblet[static_cast<size_t>(j)]->geometry()))
                << "boxes " << k << " and " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, NoBoxCovers,
                         ::testing::Values(Caso{{800, 600}, 7}, Caso{{800, 600}, 8}, Caso{{640, 480}, 6},
                                           Caso{{640, 480}, 8}, Caso{{1280, 1024}, 8}),
                         [](const auto& i) {
                             return test::NombrePantalla(std::get<0>(i.param)) + "_" +
                                    std::to_string(std::get<1>(i.param)) + "bands";
                         });

class ReadOutSize : public BandBoxes, public ::testing::WithParamInterface<Caso>
{
};

// The value line of a band box and the waveform window's value box, both
// showing one value, drawn as large: the same font, the same ink.
TEST_P(ReadOutSize, TheBandBoxesReadAsLargeAsTheWaveformWindowsWhereTheirHeightHoldsIt)
{
    const auto& [pantalla, bandas] = GetParam();
    EnPantalla(pantalla);
    RegistroSubestacion();
    const std::int32_t muestra = 777;
    const QString valor = TextoValor(Registro().Valores(muestra, 1), Registro().TablaCanales(1, 4));

    AbrirDialogoOndas();
    NewOndas().List1_DblClick(0);
    NewOndas().cmdOK_Click();
    const std::vector<frmVerOndas*> ventanas = ondas::VentanasOndasAbiertas();
    ASSERT_EQ(ventanas.size(), 1u);
    frmVerOndas& onda = *ventanas.front();
    onda.HScroll1->SetValue(muestra);
    ASSERT_EQ(onda.lblamar->text(), valor);
    const int pxOnda = QFontInfo(onda.lblamar->font()).pixelSize();
    const auto tintaOnda = test::InkRowBands(*onda.lblamar, 2);
    ASSERT_EQ(tintaOnda.size(), 1u);
    DescargarOndas();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    frmTodoanalog* t = AbrirTodo(bandas);
    ASSERT_NE(t, nullptr);
    for (const bool maximizada : {false, true}) {
        SCOPED_TRACE(maximizada ? "maximised" : "as opened");
        if (maximizada) {
            auto* sub = qobject_cast<QMdiSubWindow*>(t->parentWidget());
            ASSERT_NE(sub, nullptr);
            sub->showMaximized();
            QCoreApplication::processEvents();
            t->Form_Resize();
        }
        t->HScroll1->SetValue(muestra);
        ElidedLineEdit& caja = *t->lblet[1];
        EXPECT_GE(QFontInfo(caja.font()).pixelSize(), pxOnda);
        const QStringList lineas = caja.VisibleText().split('\n');
        ASSERT_GE(lineas.size(), 2) << caja.VisibleText().toStdString();
        ASSERT_EQ(lineas.back(), valor);
        const auto tinta = test::InkRowBands(caja, 2);
        ASSERT_EQ(tinta.size(), static_cast<std::size_t>(lineas.size()));
        EXPECT_GE(tinta.back().second - tinta.back().first,
                  tintaOnda.front().second - tintaOnda.front().first)
            << "the value line's letters as tall as the waveform window's";
        EXPECT_EQ(test::ControlTapado(*t, caja).toStdString(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ReadOutSize,
                         ::testing::Values(Caso{{1280, 1024}, 8}, Caso{{1280, 1024}, 4}, Caso{{800, 600}, 3}),
                         [](const auto& i) {
                             return test::NombrePantalla(std::get<0>(i.param)) + "_" +
                                    std::to_string(std::get<1>(i.param)) + "bands";
                         });

class SubstationNames : public BandBoxes, public ::testing::WithParamInterface<test::PantallaPrueba>
{
};

TEST_P(SubstationNames, EveryValueWholeEveryNameApartAndEveryPartInViewWhenScrolled)
{
    EnPantalla(GetParam());
    RegistroSubestacion();
    frmTodoanalog* t = AbrirTodo(8);
    ASSERT_NE(t, nullptr);
    const RecordModel& r = Registro();
    const QStringList captions = test::NombresSubestacion::Circuitos();
    std::array<QStringList, 2> porCursor;
    for (const std::int32_t s : {6, 1995, 777}) {
        t->HScroll1->SetValue(s);
        t->HScroll2->SetValue(2001 - s);
        for (int cursor = 0; cursor < 2; ++cursor) {
            const std::int32_t muestra = cursor == 0 ? s : 2001 - s;
            QStringList vistos;
            for (std::int32_t b = 1; b <= 8; ++b) {
                ElidedLineEdit& caja = *t->lblet[static_cast<size_t>(2 * b - 1 + cursor)];
                const QString valor = TextoValor(r.Valores(muestra, b), r.TablaCanales(b, 4));
                EXPECT_TRUE(test::LecturaConValorEntero(caja, captions[b - 1], valor));
                vistos << NameShown(caja.VisibleText().split('\n'), kSep, valor);
            }
            EXPECT_TRUE(test::SeLeenAparte(vistos, captions)) << vistos.join(" | ").toStdString();
            // The same cuts at every cursor position.
            if (porCursor[static_cast<size_t>(cursor)].isEmpty())
                porCursor[static_cast<size_t>(cursor)] = vistos;
            EXPECT_EQ(vistos, porCursor[static_cast<size_t>(cursor)]);
        }
    }
    // Scrolled sideways, each box shows its text from where the bar stands,
    // its value whole after it.
    ElidedLineEdit& caja = *t->lblet[7];
    const QString completo = caja.text();
    for (std::int32_t p = 5; p < captions[3].size(); p += 9) {
        t->HScroll_Nombres->SetValue(p);
        const QString desplazado = completo.mid(p);
        EXPECT_EQ(caja.text(), desplazado);
        const QString visto = caja.VisibleText();
        const QString valor = completo.mid(completo.lastIndexOf(kSep) + 2);
        EXPECT_TRUE(visto.endsWith(valor)) << visto.toStdString();
        // What shows of the name, its lines joined (broken between words).
        QString ventana = visto.left(visto.size() - valor.size()).trimmed();
        for (const QString& quitar : {kSep.trimmed(), Ellipsis()})
            if (ventana.endsWith(quitar))
                ventana.chop(quitar.size());
        ventana.replace('\n', ' ');
        EXPECT_FALSE(ventana.isEmpty()) << p;
        EXPECT_TRUE(desplazado.trimmed().startsWith(ventana)) << p << ": " << visto.toStdString();
        EXPECT_EQ(test::AyudaAlPasar(caja), completo);
    }
    // A click restores the box's whole text, drawn by the rule again, not
    // turned into a field showing the name's start.
    QApplication::setActiveWindow(t->window());
    QTest::mouseClick(&caja, Qt::LeftButton);
    EXPECT_EQ(caja.text(), completo);
    EXPECT_EQ(NameShown(caja.VisibleText().split('\n'), kSep, completo.mid(completo.lastIndexOf(kSep) + 2)),
              porCursor[0][3]);
}

INSTANTIATE_TEST_SUITE_P(Screens, SubstationNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
} // namespace vesdra
