// The composition dialog as the user meets it: opened from the menu,
// columns filled from the template and the record, marks by mouse, and OK
// handing over to the digital view.
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <new>

#include "digital_fixture.h"
#include "platform/base/colors.h"
#include "platform/mouse_pointer.h"
#include "platform/scroll_bar.h"
#include "record/record_model.h"
#include "shell/menu_commands.h"
#include "shell/shell_state.h"
#include "shell/view_services.h"
#include "templates/template_state.h"
#include "views/digital/digital_services.h"
#include "views/digital/frm19.h"
#include "views/digital/frm_elecdig.h"
#include "views/digital/frm_grid.h"

using namespace vesdra;

namespace {

class DialogoGrid : public test::DigitalFixture
{
protected:
    void SetUp() override
    {
        DigitalFixture::SetUp();
        Vistas().Digital.AbrirGrid = AbrirComposicionDigital;
        Vistas().Digital.CerrarGrid = CerrarComposicionDigital;
    }
    void TearDown() override
    {
        RestablecerVistas();
        DigitalFixture::TearDown();
    }

    // The menu command, as the user gives it; the dialog it opened.
    frmGrid* Abrir()
    {
        ComandoCompdig();
        Procesar();
        return GridCargado();
    }

    static QColor Fondo(const QLabel* l) { return l->palette().color(QPalette::Window); }

    static void Raton(QWidget* w, QEvent::Type tipo)
    {
        QMouseEvent e(tipo, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    // A click, and a double-click as it reaches a label: press, release,
    // double-click, release.
    static void Click(QWidget* w)
    {
        Raton(w, QEvent::MouseButtonPress);
        Raton(w, QEvent::MouseButtonRelease);
    }
    static void DobleClick(QWidget* w)
    {
        Click(w);
        Raton(w, QEvent::MouseButtonDblClick);
        Raton(w, QEvent::MouseButtonRelease);
    }
};

} // namespace

TEST_F(DialogoGrid, SetUpFillsOneColumnPerGroupAndDisablesTheRest)
{
    // Groups of 2, 0 and 3 members: the third column starts at member row 3.
    Grupos({"2", "0", "3"});
    frmGrid* d = Abrir();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(menuOculto_, 1);
    EXPECT_EQ(menuMostrado_, 0);
    EXPECT_EQ(cajas_.Count(), 0);
    EXPECT_EQ(d->property("Tag").toString(), "9");
    EXPECT_EQ(d->windowTitle(), "T72");
    EXPECT_EQ(d->Frame1->title(), "T74");
    EXPECT_EQ(d->Label101->text(), "T73");
    EXPECT_EQ(d->Label99->text(), "T75");
    EXPECT_EQ(d->Label102->text(), "0");
    EXPECT_EQ(d->Combo1->currentText(), "IC");
    EXPECT_EQ(d->Combo1->count(), 3);
    EXPECT_TRUE(d->Frame3->isHidden());

    const auto& c = d->Columnas;
    EXPECT_EQ(c[1].lblgrp[0]->text(), "G1");
    EXPECT_EQ(c[1].lblgrp[2]->text(), "D2");
    EXPECT_FALSE(c[1].lblgrp[3]->isEnabled());
    EXPECT_EQ(c[2].lblgrp[0]->text(), "G2");
    EXPECT_TRUE(c[2].lblgrp[0]->isEnabled());
    EXPECT_FALSE(c[2].lblgrp[1]->isEnabled());
    EXPECT_EQ(c[3].lblgrp[1]->text(), "D2b");
    EXPECT_EQ(c[3].lblgrp[3]->text(), "D4");
    for (std::size_t k = 4; k <= 16; ++k) {
        for (const QLabel* l : c[k].lblgrp)
            ASSERT_FALSE(l->isEnabled()) << "column " << k;
    }
    // Channel 1 never changes, 2 and 3 do, 4 stays at 1.
    const QColor tinte = OleColor(grid::ColorCambia);
    EXPECT_NE(Fondo(c[1].lblgrp[1]), tinte);
    EXPECT_EQ(Fondo(c[1].lblgrp[2]), tinte);
    EXPECT_EQ(Fondo(c[3].lblgrp[2]), tinte);
    EXPECT_NE(Fondo(c[3].lblgrp[3]), tinte);
    EXPECT_EQ(c[1].ColoresGrupo[1], grid::ColorCambia);
    EXPECT_EQ(c[3].ColoresGrupo[2], kSysWindowBackground);

    const DigitalState& e = Digitales();
    EXPECT_EQ(e.MarcasGrupo[1], (std::vector<std::int32_t>{2, 0, 0, 0}));
    EXPECT_EQ(e.MarcasGrupo[2], (std::vector<std::int32_t>{0, 0}));
    EXPECT_EQ(e.MarcasGrupo[4], (std::vector<std::int32_t>{0}));

    // Every label inside the form's client area.
    for (std::size_t k = 1; k <= 16; ++k) {
        for (const QLabel* l : c[k].lblgrp)
            ASSERT_TRUE(d->rect().contains(l->geometry())) << "column " << k;
    }

    // A 1997 record offers the reference with PRIMARIO chosen; a second
    // opening starts with nothing marked.
    d->lblgrp_Click(1, 1);
    LlenarRegistro(200, "1997");
    d = Abrir();
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->Frame3->isHidden());
    EXPECT_TRUE(d->CmdPrimario->isChecked());
    EXPECT_EQ(d->CmdSecundario->text(), "T280");
    EXPECT_EQ(d->NumElegidos(), 0);
    EXPECT_EQ(Digitales().MarcasGrupo[1][1], 0);
}

TEST_F(DialogoGrid, MemberChannelsTheRecordLacksAreNamedOnceAndTheFitFlagStays)
{
    TemplateState& p = Plantillas();
    p.TablaMiembrosDigitales(1, 1) = "9";
    p.TablaMiembrosDigitales(4, 1) = "12";
    p.PlantillaNoEncaja = true;
    frmGrid* d = Abrir();
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(cajas_.Count(), 1);
    EXPECT_EQ(cajas_.Last().Prompt, "T246");
    EXPECT_EQ(cajas_.Last().Style, vbCritical);
    EXPECT_TRUE(p.PlantillaNoEncaja);
    EXPECT_EQ(d->Columnas[1].lblgrp[1]->text(), "D1");
    EXPECT_EQ(d->Columnas[1].ColoresGrupo[0], kSysWindowBackground);

    // No template marked as applied: no message at all.
    p.PlantillaAplicada = false;
    p.PlantillaNoEncaja = false;
    cajas_.Clear();
    ASSERT_NE(Abrir(), nullptr);
    EXPECT_EQ(cajas_.Count(), 0);
    EXPECT_FALSE(p.PlantillaNoEncaja);
}

TEST_F(DialogoGrid, FromTheMenuToTheDigitalViewInCompositionMode)
{
    LlenarRegistro(200, "1997");
    frmGrid* d = Abrir();
    ASSERT_NE(d, nullptr);
    const auto& c = d->Columnas;
    // Marked out of order; member 1 of column 1 marked, then double-clicked off.
    Click(c[2].lblgrp[2]);
    Click(c[1].lblgrp[2]);
    DobleClick(c[1].lblgrp[1]);
    Click(c[1].lblgrp[0]); // the group's name does nothing
    EXPECT_EQ(d->NumElegidos(), 2);
    EXPECT_EQ(d->Label102->text(), "2");
    EXPECT_EQ(Fondo(c[2].lblgrp[2]), OleColor(grid::ColorMarcado));
    EXPECT_EQ(Fondo(c[1].lblgrp[1]), OleColor(kSysWindowBackground));
    EXPECT_EQ(cajas_.Count(), 0);
    d->Combo1->Elegir(1);
    d->CmdSecundario->setChecked(true);

    d->cmdOK_Click();
    Procesar();
    EXPECT_EQ(GridCargado(), nullptr);
    frm19* v = Frm19();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->VistaCargada());
    EXPECT_EQ(cajas_.Count(), 0);
    EXPECT_EQ(progresoAbierto_, 1);
    EXPECT_EQ(progresoCerrado_, 1);
    EXPECT_EQ(menuOculto_, 2); // by the command, then in place of the view
    EXPECT_EQ(MousePointer(), vbDefault);

    const DigitalState& e = Digitales();
    EXPECT_EQ(e.ModoDigital, 2);
    EXPECT_EQ(e.PrimerMiembro + e.UltimoMiembro, 0);
    EXPECT_EQ(e.ListaDigitales.UltimaFila, 3);
    EXPECT_EQ(e.NumFilasDigitales, 2);
    EXPECT_EQ(e.AnalogicoElegido, 2);
    EXPECT_EQ(vesdra::Registro().LadoEnVigor, Lado::Secundario);
    // Column 1's member before column 2's, whatever the marking order.
    EXPECT_EQ(v->label[1]->text(), "D2");
    EXPECT_EQ(v->label[2]->text(), "D3");
    EXPECT_EQ(v->label[3]->text(), "");
    EXPECT_EQ(v->TextoAnalogico(), "IA");
    EXPECT_EQ(v->lbl_PS->text(), "T280");
    EXPECT_EQ(v->HScroll1->Max(), 200);
}

TEST_F(DialogoGrid, FailedHandoversLeaveNoHiddenDialogNoViewAndTheMenuBack)
{
    struct Caso {
        const char* que;
        std::function<void()> romper;
        QString caja;
        bool dialogoQueda;
    };
    const std::vector<Caso> casos = {
        {"the view cannot be built", [] { vesdra::Registro().FrecuenciaLinea = 0; }, "Error 11: ", false},
        {"a marked member's channel is no number", [] { Plantillas().TablaMiembrosDigitales(2, 1) = "dos"; },
         "Error 13: ", false},
        {"the progress window does not load", [] { Hooks().MostrarProgresoOndas = [] { return false; }; },
         "Error 53: ", false},
        {"memory runs out", [] { Hooks().ValorProgresoOndas = [](float) { throw std::bad_alloc(); }; },
         "Error 7: ", false},
        // Marks beyond the limit (never made by clicks): text 78 and the
        // dialog back as it was.
        {"more than 19 marked",
         [] {
             for (std::int32_t k = 3; k <= 16; ++k)
                 Digitales().MarcasGrupo[static_cast<std::size_t>(k)] = {2, 1, 1, 0};
         },
         "T78", true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        SetUp();
        frmGrid* d = Abrir();
        ASSERT_NE(d, nullptr);
        d->lblgrp_Click(1, 2);
        c.romper();
        menuMostrado_ = menuOculto_ = 0;
        cajas_.Clear();
        d->cmdOK_Click();
        Procesar();
        ASSERT_EQ(cajas_.Count(), 1);
        EXPECT_TRUE(cajas_.Last().Prompt.startsWith(c.caja)) << cajas_.Last().Prompt.toStdString();
        EXPECT_EQ(cajas_.Last().Style, vbCritical);
        EXPECT_EQ(Frm19(), nullptr);
        EXPECT_EQ(progresoAbierto_, progresoCerrado_);
        EXPECT_EQ(Digitales().ModoDigital, 0);
        EXPECT_EQ(MousePointer(), vbDefault);
        if (c.dialogoQueda) {
            ASSERT_EQ(GridCargado(), d);
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(menuOculto_, 1); // shown for the work, hidden again
            EXPECT_EQ(d->NumElegidos(), 1);
        } else {
            EXPECT_EQ(GridCargado(), nullptr);
            EXPECT_GE(menuMostrado_, 1);
            EXPECT_EQ(menuOculto_, 0);
        }
        TearDown();
    }
}

TEST_F(DialogoGrid, CancelCloseButtonAndFillErrorsBringTheMenuBack)
{
    frmGrid* d = Abrir();
    ASSERT_NE(d, nullptr);
    d->cmdcancel_Click();
    Procesar();
    EXPECT_EQ(GridCargado(), nullptr);
    EXPECT_EQ(menuMostrado_, 1);
    EXPECT_EQ(MousePointer(), vbDefault);
    EXPECT_EQ(Digitales().ModoDigital, 0);

    // The main window's close button on Tag 9.
    ASSERT_NE(Abrir(), nullptr);
    Vistas().Digital.CerrarGrid();
    Procesar();
    EXPECT_EQ(GridCargado(), nullptr);
    EXPECT_EQ(menuMostrado_, 2);

    // A channel number that is no number ends the fill: error box, no dialog.
    Plantillas().TablaMiembrosDigitales(4, 1) = "tres";
    cajas_.Clear();
    EXPECT_EQ(Abrir(), nullptr);
    ASSERT_EQ(cajas_.Count(), 1);
    EXPECT_TRUE(cajas_.Last().Prompt.startsWith("Error 13: "));
    EXPECT_EQ(menuMostrado_, 3);
}

// A template of more than 16 groups: both digital dialogs offer the first 16
// and say so (text 276), once per opening.
TEST_F(DialogoGrid, MendedATemplateOfMoreThan16GroupsOffersTheFirst16AndSaysSo)
{
    Grupos(std::vector<QString>(20, QStringLiteral("0")));
    frmGrid* d = Abrir();
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(cajas_.Count(), 1);
    EXPECT_EQ(cajas_.Last().Prompt, "T276");
    EXPECT_EQ(cajas_.Last().Style, vbInformation);
    EXPECT_EQ(d->Columnas[1].lblgrp[0]->text(), "G1");
    EXPECT_EQ(d->Columnas[16].lblgrp[0]->text(), "G16");
    EXPECT_TRUE(d->Columnas[16].lblgrp[0]->isEnabled());
    d->cmdcancel_Click();
    Procesar();

    cajas_.Clear();
    AbrirElecdig();
    frmElecdig* e = ElecdigCargado();
    ASSERT_NE(e, nullptr);
    ASSERT_EQ(cajas_.Count(), 1);
    EXPECT_EQ(cajas_.Last().Prompt, "T276");
    EXPECT_TRUE(e->optdg[16]->isEnabled());
    EXPECT_EQ(e->optdg[16]->text(), "G16");
    e->cmdcancel_Click();
    Procesar();

    // Sixteen groups: nothing to say.
    cajas_.Clear();
    Grupos(std::vector<QString>(16, QStringLiteral("0")));
    ASSERT_NE(Abrir(), nullptr);
    EXPECT_EQ(cajas_.Count(), 0);
}
