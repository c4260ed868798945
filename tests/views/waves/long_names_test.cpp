// Channels with long names that share their start, on the screens users
// have: every value of the stacked view shows whole, a name gives way in the
// middle and shows whole on hover, and names that differ only at their end
// read apart in the read-outs, the window titles and the choice dialog.
#include <QApplication>
#include <QHelpEvent>
#include <QMdiSubWindow>
#include <QToolTip>
#include <gtest/gtest.h>

#include "common/one_circuit.h"
#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "platform/base/readout_fit.h"
#include "platform/mdi_forms.h"
#include "platform/scroll_bar.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/lecturas.h"
#include "views/waves/waves_services.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

class LongNames : public test::EnPantalla<test::WavesFixture>
{
protected:
    // Eight channels of one substation's position: three voltages, four
    // currents and the battery, named as its recorder names them.
    static void RegistroLargo()
    {
        const char* fines[] = {"TENSIÓN FASE A",    "TENSIÓN FASE B",    "TENSIÓN FASE C",
                               "INTENSIDAD FASE A", "INTENSIDAD FASE B", "INTENSIDAD FASE C",
                               "INTENSIDAD NEUTRO", "TENSIÓN BATERÍA"};
        QStringList nombres;
        for (const char* fin : fines)
            nombres << test::NombreLargo(QString::fromUtf8(fin));
        SineRecord(nombres, {}, {"kV", "kV", "kV", "A", "A", "A", "A", "V"},
                   {-123456.789, -123456.789, -123456.789, 5656.857, 5656.857, 5656.857, 5656.857, 5656.857});
    }

    // The stacked view of the record's first six channels, laid out; null
    // when it did not open.
    static frmTodoanalog* TodoDeSeis()
    {
        AbrirDialogoOndas();
        frmNewOndas& d = NewOndas();
        for (int fila = 0; fila < 6; ++fila)
            d.List1_DblClick(fila);
        d.cmdtodo_Click();
        frmTodoanalog* t = TodoAnalog();
        if (!t)
            return nullptr;
        QCoreApplication::processEvents();
        t->Form_Resize();
        return t;
    }
};

TEST_P(LongNames, StackedViewShowsEveryValueWholeAndTellsTheNamesApart)
{
    RegistroLargo();
    frmTodoanalog* t = TodoDeSeis();
    ASSERT_NE(t, nullptr);
    t->HScroll1->SetValue(6);
    t->HScroll2->SetValue(1995);
    const RecordModel& r = Registro();
    for (int cursor = 0; cursor < 2; ++cursor) {
        const std::int32_t s = cursor == 0 ? 6 : 1995;
        QStringList nombres;
        for (std::int32_t b = 1; b <= 6; ++b) {
            ElidedLineEdit& caja = *t->lblet[static_cast<size_t>(2 * b - 1 + cursor)];
            SCOPED_TRACE(caja.text().toStdString());
            const QString valor = TextoValor(r.Valores(s, b), r.TablaCanales(b, 4));
            EXPECT_TRUE(test::LecturaConValorEntero(caja, r.TablaCanales(b, 2), valor));
            nombres << NameShown(caja.VisibleText().split(QLatin1Char('\n')), QStringLiteral(": "), valor);
        }
        EXPECT_TRUE(test::PorGruposDistintos(nombres));
    }
    // The last band's boxes stand clear of the name scroll bar.
    for (std::size_t k : {11u, 12u})
        EXPECT_EQ(test::ControlTapado(*t, *t->lblet[k]).toStdString(), "") << k;
}

// Six channels that share one circuit text, their names and units padded
// with blanks, as a recorder writes them without a template: each band's
// boxes show a caption that reads as its own channel only (the circuit and
// the trimmed name), the whole of it on hover, and the value with the
// trimmed unit.
TEST_P(LongNames, StackedBandsOfOneCircuitReadAsTheirOwnChannels)
{
    QStringList nombres;
    QStringList circuitos;
    QStringList unidades;
    for (std::int32_t k = 0; k < 6; ++k) {
        nombres << test::FilasDeUnCircuito::Nombres()[k].leftJustified(32);
        circuitos << QString::fromUtf8("LÍNEA 1").leftJustified(16);
        unidades << test::FilasDeUnCircuito::Unidades()[k].leftJustified(8);
    }
    SineRecord(nombres, circuitos, unidades, {66000, 66000, 66000, 407.91, 407.91, 407.91});
    frmTodoanalog* t = TodoDeSeis();
    ASSERT_NE(t, nullptr);
    t->HScroll2->SetValue(1995);
    const RecordModel& r = Registro();
    QStringList rotulos;
    for (std::int32_t b = 1; b <= 6; ++b)
        rotulos << QString::fromUtf8("LÍNEA 1 \u2013 ") + test::FilasDeUnCircuito::Nombres()[b - 1];
    QStringList vistos;
    for (std::int32_t b = 1; b <= 6; ++b) {
        ElidedLineEdit& caja = *t->lblet[static_cast<size_t>(2 * b)];
        SCOPED_TRACE(caja.text().toStdString());
        const QString valor = TextoValor(r.Valores(1995, b), test::FilasDeUnCircuito::Unidades()[b - 1]);
        EXPECT_EQ(caja.text(), rotulos[b - 1] + QStringLiteral(": ") + valor);
        EXPECT_TRUE(test::LecturaConValorEntero(caja, rotulos[b - 1], valor));
        vistos << NameShown(caja.VisibleText().split(QLatin1Char('\n')), QStringLiteral(": "), valor);
    }
    EXPECT_TRUE(test::SeLeenAparte(vistos, rotulos)) << vistos.join(QStringLiteral(" | ")).toStdString();
}

TEST_P(LongNames, WindowTitlesAndChoiceSlotsCutInTheMiddle)
{
    RegistroLargo();
    AbrirDialogoOndas();
    frmNewOndas& d = NewOndas();
    for (int fila = 0; fila < 8; ++fila)
        d.List1_DblClick(fila);
    QStringList casillas;
    for (std::size_t i = 1; i <= 8; ++i) {
        EXPECT_EQ(d.grp[i]->text(), Registro().TablaCanales(static_cast<std::int32_t>(i), 2));
        if (d.grp[i]->IsCut()) {
            EXPECT_EQ(test::AyudaAlPasar(*d.grp[i]), d.grp[i]->text());
        }
        casillas << d.grp[i]->VisibleText();
    }
    EXPECT_TRUE(test::PorGruposDistintos(casillas)) << "choice slots";

    d.cmdOK_Click();
    const std::vector<frmVerOndas*> ventanas = ondas::VentanasOndasAbiertas();
    ASSERT_EQ(ventanas.size(), 8u);
    QStringList titulos;
    for (frmVerOndas* v : ventanas) {
        auto* sub = qobject_cast<QMdiSubWindow*>(MarcoFormulario(*v));
        ASSERT_NE(sub, nullptr);
        (void)sub->grab(); // its title bar drawn
        const QString visible = TituloVisible(*sub);
        EXPECT_EQ(v->windowTitle(), sub->windowTitle()) << "the caption stays whole";
        if (visible != sub->windowTitle()) {
            EXPECT_TRUE(visible.contains(QChar(0x2026))) << visible.toStdString();
            QHelpEvent barra(QEvent::ToolTip, QPoint(60, 8), sub->mapToGlobal(QPoint(60, 8)));
            QApplication::sendEvent(sub, &barra);
            EXPECT_EQ(QToolTip::text(), sub->windowTitle());
            QToolTip::hideText();
        }
        titulos << visible;
    }
    EXPECT_TRUE(test::PorGruposDistintos(titulos)) << "window titles";
}

// Two positions' channels whose names differ only in the middle ("… LÍNEA 1
// – INTENSIDAD FASE A", "… LÍNEA 2 – INTENSIDAD FASE A"), six or eight
// windows tiled: each title bar reads as its own window's channel and none
// of the others'.
TEST_P(LongNames, TiledTitlesThatDifferInTheMiddleReadApart)
{
    for (const std::vector<const char*>& fines :
         {std::vector<const char*>{"TENSIÓN FASE A", "INTENSIDAD FASE A", "INTENSIDAD FASE B"},
          std::vector<const char*>{"TENSIÓN FASE A", "INTENSIDAD FASE A", "TENSIÓN FASE B",
                                   "INTENSIDAD FASE B"}}) {
        QStringList nombres;
        for (const char* linea : {"1", "2"})
            for (const char* fin : fines)
                nombres << QString::fromUtf8("SUBESTACIÓN NORTE 220 kV POSICIÓN LÍNEA %1 – %2")
                               .arg(QLatin1String(linea), QString::fromUtf8(fin));
        SCOPED_TRACE(std::to_string(nombres.size()) + " windows");
        CerrarVentanasOndas();
        SineRecord(nombres, {}, QStringList(nombres.size(), QStringLiteral("A")),
                   std::vector<double>(static_cast<std::size_t>(nombres.size()), 100.0));
        AbrirDialogoOndas();
        frmNewOndas& d = NewOndas();
        for (int fila = 0; fila < nombres.size(); ++fila)
            d.List1_DblClick(fila);
        d.cmdOK_Click();
        const std::vector<frmVerOndas*> ventanas = ondas::VentanasOndasAbiertas();
        ASSERT_EQ(ventanas.size(), static_cast<std::size_t>(nombres.size()));
        QStringList titulos;
        QStringList enteros;
        for (frmVerOndas* v : ventanas) {
            auto* sub = qobject_cast<QMdiSubWindow*>(MarcoFormulario(*v));
            ASSERT_NE(sub, nullptr);
            (void)sub->grab(); // its title bar drawn
            titulos << TituloVisible(*sub);
            enteros << sub->windowTitle();
        }
        EXPECT_TRUE(test::SeLeenAparte(titulos, enteros))
            << titulos.join(QStringLiteral(" | ")).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, LongNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
} // namespace vesdra
