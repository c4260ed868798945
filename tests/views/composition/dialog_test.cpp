#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "composition_fixture.h"
#include "platform/base/colors.h"
#include "platform/messages.h"
#include "platform/picture_box.h"

using namespace vesdra;
using vesdra::test::CompositionFixture;

namespace {
class CompositionDialog : public CompositionFixture
{
};

QColor Marcador(const frmNewCompanalog& d, int k)
{
    return d.lblpunt[static_cast<std::size_t>(k)]->palette().color(QPalette::Window);
}
} // namespace

TEST_F(CompositionDialog, LoadsEmptyWithTheChannelListAndCaptions)
{
    Registrar(4, 10, [](int, int) { return 0.0f; });
    frmNewCompanalog& d = NewCompanalog();
    ASSERT_EQ(d.List1->count(), 4);
    EXPECT_EQ(d.List1->item(2)->text(), "C3");
    EXPECT_EQ(d.windowTitle(), "T64");
    EXPECT_EQ(d.Frame3->title(), "T67");
    EXPECT_EQ(d.Casillas().CasillaActual, 1);
    EXPECT_EQ(Marcador(d, 1), OleColor(QBColor(14)));
    // Revision 1991: no reference frame.
    EXPECT_TRUE(d.Frame5->isHidden());
}

TEST_F(CompositionDialog, Revision1997ShowsTheReferenceWithPrimarySelected)
{
    Registrar(2, 10, [](int, int) { return 0.0f; });
    Registro().AnioRevision = QStringLiteral("1997");
    frmNewCompanalog& d = NewCompanalog();
    EXPECT_FALSE(d.Frame5->isHidden());
    EXPECT_TRUE(d.CmdPrimario->isChecked());
    EXPECT_EQ(d.CmdSecundario->text(), "T280");
    DescargarNewCompanalog();

    // The options read whole in the language's own words.
    Shell().TextosIdioma[279] = QStringLiteral("PRIMARIO");
    Shell().TextosIdioma[280] = QStringLiteral("SECUNDARIO");
    frmNewCompanalog& e = NewCompanalog();
    for (QRadioButton* o : {e.CmdPrimario, e.CmdSecundario}) {
        EXPECT_LE(o->sizeHint().width(), o->width()) << o->text().toStdString();
        EXPECT_LE(o->geometry().right(), e.Frame5->contentsRect().right());
    }
}

TEST_F(CompositionDialog, TheReferenceChosenIsTheSideTheWindowsShowAndTheNextDialogOpensOnIt)
{
    Registrar(2, 100, [](int s, int c) { return static_cast<float>(s + c); });
    RecordModel& r = Registro();
    r.AnioRevision = QStringLiteral("1997");
    Matrix<float> secundario = r.Valores;
    for (float& v : secundario.Column(1))
        v /= 100.0f;
    PonerLados(r, r.Valores, std::move(secundario));
    r.FasoresCalculados = true;
    frmNewCompanalog& d = Dialogo({{1, 1}});
    d.CmdSecundario->setChecked(true);
    d.cmdOK_Click();
    EXPECT_EQ(r.LadoEnVigor, Lado::Secundario);
    EXPECT_EQ(r.Valores(1, 1), 2.0f / 100.0f);
    // The phasors of the other side no longer fit.
    EXPECT_FALSE(r.FasoresCalculados);
    ASSERT_NE(Ventana(1), nullptr);
    // The primary side put in force under the open window (by another
    // view's dialog): the window scales itself to that side's peak.
    ASSERT_TRUE(ElegirLado(r, Lado::Primario));
    LadoCambiadoComposicion();
    EXPECT_EQ(Composiciones().MaximosValores(1), 101.0f);
    const double alto = Ventana(1)->Picture1->Height();
    EXPECT_NEAR(Ventana(1)->EscalaVertical(), (alto * 48 / 50 / 2) / 101, 1e-9);
    ASSERT_TRUE(ElegirLado(r, Lado::Secundario));
    LadoCambiadoComposicion();
    Ventana(1)->close();
    EXPECT_TRUE(NewCompanalog().CmdSecundario->isChecked());
}

TEST_F(CompositionDialog, DoubleClicksFillTheSelectedSlotAndMoveOn)
{
    Registrar(4, 10, [](int, int) { return 0.0f; });
    frmNewCompanalog& d = Dialogo({{6, 3}});
    EXPECT_EQ(d.grp[6]->text(), "C3");
    EXPECT_EQ(d.lbl[6]->text(), "3");
    EXPECT_EQ(d.Casillas().CasillaActual, 7);
    EXPECT_EQ(Marcador(d, 6), OleColor(QBColor(15)));
    EXPECT_EQ(Marcador(d, 7), OleColor(QBColor(14)));
    d.grp_DblClick(6);
    EXPECT_EQ(d.grp[6]->text(), "");
    EXPECT_EQ(d.lbl[6]->text(), "");
    EXPECT_EQ(d.Casillas().CasillaActual, 6);
}

TEST_F(CompositionDialog, DoubleClickWithNoLineSelectedKeepsTheSlots)
{
    Registrar(4, 10, [](int, int) { return 0.0f; });
    frmNewCompanalog& d = Dialogo({{1, 2}});
    d.lblpunt_Click(1);
    d.List1->clearSelection();
    d.List1->setCurrentRow(-1);
    d.List1_DblClick();
    EXPECT_EQ(d.grp[1]->text(), "C2");
    EXPECT_EQ(d.lbl[1]->text(), "2");
    EXPECT_EQ(d.Casillas().CasillaActual, 1);
}

TEST_F(CompositionDialog, EnterOrSpaceOnTheListPlacesTheSelectedChannel)
{
    Registrar(4, 10, [](int, int) { return 0.0f; });
    frmNewCompanalog& d = NewCompanalog();
    for (const auto& [fila, tecla] : {std::pair{2, Qt::Key_Return}, std::pair{0, Qt::Key_Space}}) {
        d.List1->setCurrentRow(fila);
        QKeyEvent press(QEvent::KeyPress, tecla, Qt::NoModifier);
        QApplication::sendEvent(d.List1, &press);
    }
    EXPECT_EQ(d.grp[1]->text(), "C3");
    EXPECT_EQ(d.grp[2]->text(), "C1");
    EXPECT_EQ(d.Casillas().CasillaActual, 3);
}

TEST_F(CompositionDialog, ChannelNamesWithTemplateSeparatorsWarn)
{
    Registrar(2, 10, [](int, int) { return 0.0f; });
    Registro().TablaCanales(2, 2) = QStringLiteral("I$%N");
    ScopedMsgBoxRecorder cajas;
    frmNewCompanalog& d = Dialogo({{1, 2}});
    ASSERT_EQ(cajas.Count(), 2);
    EXPECT_EQ(cajas.Calls()[0].Prompt, "T176");
    EXPECT_EQ(cajas.Calls()[0].Style, vbCritical);
    EXPECT_EQ(cajas.Calls()[1].Prompt, "T177");
    // The name stays as the channel has it.
    EXPECT_EQ(d.grp[1]->text(), "I$%N");
}

TEST_F(CompositionDialog, CancelUnloadsAndReopeningStartsEmpty)
{
    Registrar(3, 10, [](int, int) { return 0.0f; });
    Dialogo({{1, 1}, {2, 2}}).cmdcancel_Click();
    EXPECT_EQ(NewCompanalogCargado(), nullptr);
    AbrirComposicion();
    ASSERT_NE(NewCompanalogCargado(), nullptr);
    EXPECT_EQ(NewCompanalog().grp[1]->text(), "");
    EXPECT_EQ(NewCompanalog().Casillas().CasillaActual, 1);
}
