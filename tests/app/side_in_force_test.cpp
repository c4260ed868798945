#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "analysis/frm_fasecuencias.h"
#include "app/registro_vistas.h"
#include "common/printed_page.h"
#include "platform/base/formats.h"
#include "platform/common_dialog.h"
#include "platform/printer.h"
#include "platform/printer_recording.h"
#include "record/canales.h"
#include "record/helpers.h"
#include "shell/frm_menu.h"
#include "shell/language.h"
#include "shell/mdi_fixture.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/waves_state.h"

namespace vesdra {
namespace {

// The program started on the bundled 1997 sample and its template, the
// views real; channel row 4 is IA, a current on its primary side (ratio 600
// to 5).
class SideInForce : public test::MdiTest
{
protected:
    static constexpr std::int32_t kFila = 4;

    void SetUp() override
    {
        MdiTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(CopiarIconos());
        RegistrarVistas();
        Arrancar(test::MuestraDat() + QLatin1Char(' ') + CopiarMuestraCnf());
        ASSERT_TRUE(Registro().RegistroAbierto);
        ASSERT_TRUE(Registro().Es1997());
        ASSERT_TRUE(Plantillas().PlantillaAplicada);
    }

    void TearDown() override
    {
        SetPrinterForTests(nullptr);
        MdiTest::TearDown();
    }

    // The extremes of the channel's column on one side, as texts of the page.
    static std::pair<QString, QString> Extremos(const Matrix<float>& valores)
    {
        const RecordModel& r = Registro();
        const std::int32_t c = ColumnaAnalogica(kFila);
        float lo = 0.0f, hi = 0.0f;
        ExtremosMuestras(valores.Column(c), nullptr, lo, hi);
        const QString u = QStringLiteral(" ") + r.TablaCanales(kFila, 4);
        return {Format(lo, "0.000") + u, Format(hi, "0.000") + u};
    }
};

// A waveform window and the stacked view stand on the primary side; the
// phasor setup dialog then puts the secondary side in force. Both views show
// it (their P/S indicators say so) and their pages mark the secondary's
// extremes, never the primary's.
TEST_F(SideInForce, ViewsAndTheirPagesFollowTheSideChosenInThePhasorDialog)
{
    FrmMenu* menu = MenuForm();
    ASSERT_NE(menu, nullptr);
    RecordModel& r = Registro();
    menu->mnuCanalog_Click();
    Procesar();
    frmNewOndas& d = NewOndas();
    d.CmdPrimario->setChecked(true);
    d.List1_DblClick(kFila - 1);
    d.cmdOK_Click();
    Procesar();
    const QPointer<frmVerOndas> ventana = Ondas().VentanasOndas(kFila);
    ASSERT_FALSE(ventana.isNull());
    // The stacked view of the same channel beside it.
    const QPointer<frmTodoanalog> todo = CargarTodoAnalog();
    ASSERT_FALSE(todo.isNull());
    todo->show();
    Procesar();
    ASSERT_EQ(r.LadoEnVigor, Lado::Primario);
    EXPECT_EQ(ventana->lbl_PS->text(), TextosIdioma(279));
    const auto [minimoPrimario, maximoPrimario] = Extremos(r.Valores);

    menu->mnuFasores_Click();
    Procesar();
    frmFasecuencias* f = Fasecuencias();
    ASSERT_NE(f, nullptr);
    f->fas[1]->setChecked(true); // the currents
    f->CmdSecundario->setChecked(true);
    f->cmdOK_Click();
    Procesar();
    ASSERT_EQ(r.LadoEnVigor, Lado::Secundario);
    const auto [minimo, maximo] = Extremos(r.Valores);
    ASSERT_NE(maximo, maximoPrimario);
    ASSERT_FALSE(ventana.isNull());
    ASSERT_FALSE(todo.isNull());
    EXPECT_EQ(ventana->lbl_PS->text(), TextosIdioma(280));
    EXPECT_EQ(todo->lbl_PS->text(), TextosIdioma(280));

    RecordingPrinter printer;
    SetPrinterForTests(&printer);
    ScopedDialogAnswers dialogo({false, {}, 1});
    const auto imprimir = [&](auto* vista) {
        printer.Calls.clear();
        vista->pctimpresora_Click();
        ASSERT_EQ(printer.OfKind(PrintCall::Kind::EndDoc).size(), 1u);
    };
    // An extreme's value as a page prints it: by the plot, or read in the
    // column or the legend ("max: value", "(1) max: value").
    const auto extremo = [&](const QString& v) {
        return std::count_if(printer.Calls.begin(), printer.Calls.end(), [&](const PrintCall& c) {
            return c.What == PrintCall::Kind::Print &&
                   (c.Text == v || c.Text.endsWith(QStringLiteral("max: ") + v) ||
                    c.Text.endsWith(QStringLiteral("min: ") + v));
        });
    };
    imprimir(ventana.data());
    EXPECT_EQ(extremo(maximo), 1) << maximo.toStdString();
    EXPECT_EQ(extremo(minimo), 1) << minimo.toStdString();
    EXPECT_EQ(test::CountText(printer, maximo, test::kBlue) + test::CountText(printer, minimo, test::kBlue) +
                  test::CountText(printer, QStringLiteral("max: ") + maximo) +
                  test::CountText(printer, QStringLiteral("min: ") + minimo),
              2)
        << "blue by the plot, or in the column";
    EXPECT_EQ(extremo(maximoPrimario), 0);
    EXPECT_EQ(extremo(minimoPrimario), 0);

    // The stacked page lists each band's extremes in its legend.
    imprimir(todo.data());
    EXPECT_EQ(extremo(maximo), 1) << maximo.toStdString();
    EXPECT_EQ(extremo(minimo), 1) << minimo.toStdString();
    EXPECT_EQ(extremo(maximoPrimario), 0);
    EXPECT_EQ(Boxes().Count(), 0);
}

// "conjuntamente" unloads its dialog before the stacked view is built
// behind the progress window, whose showing lets the unload finish: the
// view is built and shown all the same, the dialog gone, the pointers back.
TEST_F(SideInForce, TheStackedViewIsBuiltAfterItsDialogHasUnloadedItself)
{
    FrmMenu* menu = MenuForm();
    ASSERT_NE(menu, nullptr);
    menu->mnuCanalog_Click();
    Procesar();
    const QPointer<frmNewOndas> d = &NewOndas();
    d->List1_DblClick(kFila - 1);
    d->cmdtodo_Click();
    Procesar();
    EXPECT_TRUE(d.isNull());
    frmTodoanalog* todo = TodoAnalog();
    ASSERT_NE(todo, nullptr);
    EXPECT_TRUE(todo->isVisible());
    EXPECT_EQ(Boxes().Count(), 0);
}

} // namespace
} // namespace vesdra
