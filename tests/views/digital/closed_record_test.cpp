// The close command empties the record model, the template and the digital
// handover under an open digital view: cursors, sideways scrolling, resize,
// zoom, history steps and closing afterwards must read nothing of the
// released record. The view may show nothing or close with a message box.
#include <QCoreApplication>
#include <QPointer>
#include <functional>
#include <gtest/gtest.h>

#include "digital_fixture.h"
#include "platform/scroll_bar.h"
#include "record/record_model.h"
#include "shell/menu_commands.h"
#include "shell/view_services.h"
#include "templates/template_state.h"
#include "views/digital/digital_services.h"
#include "views/digital/frm19.h"

using namespace vesdra;

namespace {

class ClosedRecord : public test::DigitalFixture
{
protected:
    void SetUp() override
    {
        DigitalFixture::SetUp();
        Vistas().Digital.Reiniciar = CerrarRegistroDigital;
        Vistas().Digital.CerrarVista = CerrarVistaDigital;
    }
    void TearDown() override
    {
        RestablecerVistas();
        DigitalFixture::TearDown();
    }

    // Pending resizes first, then the deletion of what closed.
    static void Despues()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(ClosedRecord, DigitalViewSurvivesEveryActionAfterTheCloseCommand)
{
    struct Accion {
        const char* que;
        std::function<void(frm19&)> hacer;
    };
    const Accion acciones[] = {
        {"cursor 1 moved", [](frm19& v) { v.HScroll1->SetValue(v.HScroll1->Max()); }},
        {"cursor 2 moved", [](frm19& v) { v.HScroll2->SetValue(v.HScroll2->Min() + 1); }},
        {"names and values scrolled sideways, boxes clicked",
         [](frm19& v) {
             v.HScroll_Nombres->SetValue(v.HScroll_Nombres->Max());
             v.HScroll_Analog->SetValue(v.HScroll_Analog->Max());
             v.label_Click(1);
             v.lblanalog_Click();
             v.lblamar_Click();
             v.lblcian_Click();
         }},
        {"resized",
         [](frm19& v) {
             v.resize(v.width() - 40, v.height() - 30);
             v.Form_Resize();
         }},
        {"zoomed", [](frm19& v) { v.cmdzoom_Click(); }},
        {"stepped back", [](frm19& v) { v.cmdatras_Click(); }},
        {"stepped back and forward",
         [](frm19& v) {
             QPointer<frm19> p = &v;
             v.cmdatras_Click();
             if (p)
                 v.cmdadel_Click();
         }},
        {"closed", [](frm19& v) { v.close(); }},
        {"closed with the close button", [](frm19&) { CerrarVistaDigital(); }},
    };
    for (const Accion& a : acciones) {
        SCOPED_TRACE(a.que);
        LlenarRegistro(200);
        Grupos({"2", "3"});
        QPointer<frm19> v = AbrirVista(2, 0);
        ASSERT_TRUE(v);
        v->HScroll1->SetValue(20);
        v->HScroll2->SetValue(120);
        v->cmdzoom_Click();
        cajas_.Clear();
        const int menuAntes = menuMostrado_;

        CerrarComtrade();
        EXPECT_EQ(Registro().NumMuestras(), 0);
        a.hacer(*v);
        Despues();
        // An error box means the view gave up: it must then be gone. Other
        // boxes are the view's own refusals.
        for (const MsgBoxCall& c : cajas_.Calls()) {
            if (c.Prompt.startsWith(QStringLiteral("Error "))) {
                EXPECT_TRUE(v.isNull())
                    << "the view reported " << c.Prompt.toStdString() << " and stayed open";
            }
        }
        CerrarVistaDigital();
        Despues();
        EXPECT_TRUE(v.isNull());
        EXPECT_EQ(Frm19(), nullptr);
        EXPECT_GT(menuMostrado_, menuAntes) << "the menu form stays hidden with no view left";
    }
}

} // namespace
