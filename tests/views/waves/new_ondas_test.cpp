#include "views/waves/frm_new_ondas.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/numeric.h"
#include "platform/messages.h"
#include "platform/twips.h"
#include "record/helpers.h"
#include "shell/view_sizes.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/waves_layout.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

class ChoiceDialog : public test::WavesFixture
{
protected:
    frmNewOndas& Open()
    {
        AbrirDialogoOndas();
        return NewOndas();
    }
};

TEST_F(ChoiceDialog, LoadListsTheChannelsAndSpreadsTheButtonsOfA1991Record)
{
    frmNewOndas& d = Open();
    EXPECT_EQ(d.windowTitle(), TextosIdioma(60));
    EXPECT_EQ(d.cmdOK->text(), TextosIdioma(142));
    ASSERT_EQ(d.List1->count(), 3);
    EXPECT_EQ(d.List1->item(1)->text(), QStringLiteral("VA"));
    EXPECT_FALSE(d.Frame3->isVisibleTo(&d));
    EXPECT_EQ(d.SlotSeleccionado(), 1);
    // Three buttons spread evenly over the channel frame.
    const double h = HeightTwips(*d.cmdOK);
    const double gap = (HeightTwips(*d.Frame1) - 3 * h) / 4;
    EXPECT_NEAR(TopTwips(*d.cmdOK), TopTwips(*d.Frame1) + gap, 15);
    EXPECT_NEAR(TopTwips(*d.cmdSalir), TopTwips(*d.cmdtodo) + gap + h, 15);
}

TEST_F(ChoiceDialog, EnterOrSpaceOnTheListPlacesTheSelectedChannelLikeADoubleClick)
{
    frmNewOndas& d = Open();
    const auto pulsar = [&d](int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(d.List1, &press);
    };
    d.List1->setCurrentRow(2);
    pulsar(Qt::Key_Return);
    d.List1->setCurrentRow(0);
    pulsar(Qt::Key_Space);
    d.List1->setCurrentRow(1);
    pulsar(Qt::Key_Enter);
    EXPECT_EQ(d.grp[1]->text(), d.List1->item(2)->text());
    EXPECT_EQ(d.lbl[1]->text(), QStringLiteral("3"));
    EXPECT_EQ(d.grp[2]->text(), d.List1->item(0)->text());
    EXPECT_EQ(d.lbl[3]->text(), QStringLiteral("2"));
    EXPECT_EQ(d.SlotSeleccionado(), 4) << "the selection moves on as after a double-click";
    pulsar(Qt::Key_A);
    EXPECT_TRUE(d.grp[4]->text().isEmpty()) << "other keys place nothing";
}

TEST_F(ChoiceDialog, IndividuallyTilesOneWindowPerChannelInRowOrder)
{
    frmNewOndas& d = Open();
    // Slots 1..3 get rows 3, 1 and 3 again: two distinct channels.
    d.List1_DblClick(2);
    d.List1_DblClick(0);
    d.lblpunt_Click(8);
    d.List1_DblClick(2);
    d.cmdOK_Click();

    EXPECT_FALSE(NewOndasCargado());
    const OndasState& st = Ondas();
    EXPECT_EQ(st.NumVentanasOndas, 2);
    ASSERT_TRUE(st.VentanasOndas(1));
    ASSERT_TRUE(st.VentanasOndas(3));
    EXPECT_FALSE(st.VentanasOndas(2));
    EXPECT_EQ(st.CanalesVisibles(1), 1);
    EXPECT_EQ(st.CanalesVisibles(2), 0);
    // Rows 1 and 3 in ascending order at (0, 0) and (H, 0) of a 2 x 1 grid.
    const Mosaico m = MosaicoVentanas(2, CInt(AltoVista()), CInt(AnchoVista()));
    EXPECT_EQ(FormTopTwips(*st.VentanasOndas(1)), 0);
    EXPECT_NEAR(FormTopTwips(*st.VentanasOndas(3)), m.Alto, 15);
    EXPECT_NEAR(FormHeightTwips(*st.VentanasOndas(3)), m.Alto, 15);
    EXPECT_EQ(st.VentanasOndas(3)->CanalVentana, 3);

    // The progress window runs the build; windows appear together at the end.
    EXPECT_EQ(progress, (std::vector<float>{30, 60, 80, 100}));
    const std::vector<std::string> expected{"MostrarVentana" /* the dialog */,
                                            "MostrarProgreso",
                                            "OcultarMenu",
                                            "MostrarVentana",
                                            "MostrarVentana",
                                            "CerrarProgreso"};
    EXPECT_EQ(calls, expected);
}

TEST_F(ChoiceDialog, NothingChosenKeepsTheDialogOpen)
{
    frmNewOndas& d = Open();
    ScopedMsgBoxRecorder boxes;
    d.cmdOK_Click();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().Prompt, TextosIdioma(82));
    EXPECT_EQ(boxes.Last().Style, vbCritical);
    d.cmdtodo_Click();
    EXPECT_EQ(boxes.Last().Style, vbInformation);
    EXPECT_TRUE(NewOndasCargado());
    EXPECT_TRUE(ondas::VentanasOndasAbiertas().empty());
    EXPECT_EQ(Count("MostrarProgreso"), 0);
}

TEST_F(ChoiceDialog, ABadSlotEndsInTheErrorBoxWithNothingLeftBehind)
{
    frmNewOndas& d = Open();
    d.List1_DblClick(0);
    d.grp[2]->setText(QStringLiteral("IB")); // a name typed without its number
    ScopedMsgBoxRecorder boxes;
    d.cmdOK_Click();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().Prompt.startsWith(QStringLiteral("Error 13: ")));
    EXPECT_FALSE(NewOndasCargado());
    EXPECT_TRUE(ondas::VentanasOndasAbiertas().empty());
    EXPECT_EQ(Count("MostrarMenu"), 1);
}

TEST_F(ChoiceDialog, WindowsThatAllFailLeaveTheMenuFormInSight)
{
    struct Caso {
        const char* que;
        bool conjuntamente;
    };
    for (const Caso c : {Caso{"individually", false}, Caso{"together", true}}) {
        SCOPED_TRACE(c.que);
        frmNewOndas& d = Open();
        d.List1_DblClick(0);
        d.List1_DblClick(1);
        // Both rows name a column the record does not hold.
        Registro().TablaCanales(1, 1) = QStringLiteral("9");
        Registro().TablaCanales(2, 1) = QStringLiteral("9");
        calls.clear();
        ScopedMsgBoxRecorder boxes;
        if (c.conjuntamente)
            d.cmdtodo_Click();
        else
            d.cmdOK_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_GE(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().Prompt.startsWith(QStringLiteral("Error 9: ")));
        EXPECT_TRUE(ondas::VentanasOndasAbiertas().empty());
        EXPECT_EQ(TodoAnalog(), nullptr);
        EXPECT_EQ(Ondas().NumVentanasOndas, 0);
        EXPECT_EQ(Count("MostrarProgreso"), Count("CerrarProgreso"));
        EXPECT_TRUE(MenuALaVista()) << "the menu form is stranded";
        EXPECT_FALSE(NewOndasCargado());
        Registro().TablaCanales(1, 1) = QStringLiteral("1");
        Registro().TablaCanales(2, 1) = QStringLiteral("2");
    }
}

TEST_F(ChoiceDialog, AFailingBuildClosesItsProgressWindowAndItsWindows)
{
    frmNewOndas& d = Open();
    d.List1_DblClick(0);
    d.List1_DblClick(1);
    Hooks().OcultarMenu = [] { throw VbError(vberr::OutOfMemory); };
    ScopedMsgBoxRecorder boxes;
    d.cmdOK_Click();
    EXPECT_TRUE(boxes.Last().Prompt.startsWith(QStringLiteral("Error 7: ")));
    EXPECT_EQ(Count("CerrarProgreso"), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ondas::VentanasOndasAbiertas().empty());
    EXPECT_EQ(Ondas().NumVentanasOndas, 0);
    EXPECT_GE(Count("MostrarMenu"), 1);
}

TEST_F(ChoiceDialog, NameWithReservedCharactersWarns)
{
    frmNewOndas& d = Open();
    ScopedMsgBoxRecorder boxes;
    d.grp[1]->setText(QStringLiteral("I%A$"));
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Calls()[0].Prompt, TextosIdioma(176));
    EXPECT_EQ(boxes.Calls()[1].Prompt, TextosIdioma(177));
    EXPECT_EQ(d.grp[1]->text(), QStringLiteral("I%A$"));
}

TEST_F(ChoiceDialog, SecondarySideOfA1997Record)
{
    MakeRecord(400, 1200, "1997");
    frmNewOndas& d = Open();
    ASSERT_TRUE(d.Frame3->isVisibleTo(&d));
    EXPECT_TRUE(d.CmdPrimario->isChecked());
    // Both options read whole ("SECUNDARIO", not "SECUNDARIC"), inside their frame.
    for (QRadioButton* o : {d.CmdPrimario, d.CmdSecundario}) {
        EXPECT_LE(o->sizeHint().width(), o->width()) << o->text().toStdString();
        EXPECT_LE(o->geometry().right(), d.Frame3->contentsRect().right());
    }
    d.CmdSecundario->setChecked(true);
    d.List1_DblClick(1);
    d.cmdOK_Click();
    EXPECT_EQ(Registro().Valores(7, 2), 2.0f);
    EXPECT_EQ(Registro().LadoEnVigor, Lado::Secundario);
    frmVerOndas* w = Ondas().VentanasOndas(2);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->lbl_PS->text(), TextosIdioma(280));
    EXPECT_EQ(w->lblamar->text(), QStringLiteral("2.000 kV"));
}

TEST_F(ChoiceDialog, TogetherBuildsTheStackedView)
{
    frmNewOndas& d = Open();
    d.List1_DblClick(1);
    d.List1_DblClick(0);
    d.cmdtodo_Click();
    EXPECT_FALSE(NewOndasCargado());
    frmTodoanalog* t = TodoAnalog();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->NumBandas, 2);
    EXPECT_EQ(t->property("Tag").toString(), QStringLiteral("3"));
    EXPECT_EQ(Count("MostrarVentana"), 2); // the dialog, then the view
    EXPECT_EQ(Count("CerrarProgreso"), 1);
    EXPECT_EQ(progress.front(), 5);
}

} // namespace
} // namespace vesdra
