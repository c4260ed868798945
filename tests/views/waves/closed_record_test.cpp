// The close command empties the record model under open waveform views:
// whatever the user does next with a view left open (cursors, resize,
// zoom, history steps, closing it) must read nothing of the released
// record. A view may show nothing or close with a message box.
#include <QCoreApplication>
#include <QPointer>
#include <functional>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/messages.h"
#include "platform/scroll_bar.h"
#include "shell/menu_commands.h"
#include "shell/view_services.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

template <typename Vista> struct Accion {
    const char* que;
    std::function<void(Vista&)> hacer;
};

class ClosedRecord : public test::WavesFixture
{
protected:
    void SetUp() override
    {
        WavesFixture::SetUp();
        // The close command reaches the waveform views as the program wires it.
        Vistas().Ondas.Reiniciar = ReiniciarOndas;
        Vistas().Ondas.CerrarVentanas = CerrarVentanasOndas;
        Vistas().Ondas.CerrarTodo = CerrarVistaTodo;
    }
    void TearDown() override
    {
        RestablecerVistas();
        WavesFixture::TearDown();
    }

    static void Elegir(std::initializer_list<int> entradas)
    {
        AbrirDialogoOndas();
        for (int e : entradas)
            NewOndas().List1_DblClick(e);
    }

    // Pending resizes and the deletion of what closed.
    static void Procesar()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Runs each action on a fresh view, opened on the record, zoomed once and
    // left open over the closed record; then closes whatever is still open.
    template <typename Vista>
    void Recorrer(const std::vector<Accion<Vista>>& acciones, const std::function<Vista*()>& abrir,
                  const std::function<void()>& cerrarConBoton)
    {
        for (const Accion<Vista>& a : acciones) {
            SCOPED_TRACE(a.que);
            MakeRecord(2000, 1000);
            ScopedMsgBoxRecorder cajas(vbOK);
            QPointer<Vista> v = abrir();
            ASSERT_TRUE(v);
            cajas.Clear();

            CerrarComtrade();
            EXPECT_EQ(Registro().NumMuestras(), 0);
            a.hacer(*v);
            Procesar();
            // An error box means the view gave up: it must then be gone. Other
            // boxes are the view's own questions and refusals.
            for (const MsgBoxCall& c : cajas.Calls()) {
                if (c.Prompt.startsWith(QStringLiteral("Error "))) {
                    EXPECT_TRUE(v.isNull())
                        << "a view that reported " << c.Prompt.toStdString() << " stayed open";
                }
            }
            cerrarConBoton();
            if (v)
                v->close();
            Procesar();
            EXPECT_TRUE(v.isNull()) << "the view would not close";
        }
    }
};

TEST_F(ClosedRecord, WaveformWindowsSurviveEveryActionAfterTheCloseCommand)
{
    const auto zoom = [](frmVerOndas& w) {
        w.cmdzoom_Click();
        w.picbox_MouseDown(w.Vista.Ancho / 4, w.Vista.Alto / 4);
        w.picbox_MouseMove(w.Vista.Ancho / 2, 3 * w.Vista.Alto / 4);
        w.picbox_MouseUp(w.Vista.Ancho / 2, 3 * w.Vista.Alto / 4);
    };
    const std::vector<Accion<frmVerOndas>> acciones = {
        {"cursor 1 moved", [](frmVerOndas& w) { w.HScroll1->SetValue(w.HScroll1->Max()); }},
        {"cursor 2 moved", [](frmVerOndas& w) { w.HScroll2->SetValue(w.HScroll2->Min() + 1); }},
        {"resized",
         [](frmVerOndas& w) {
             w.resize(w.width() - 40, w.height() - 30);
             w.Form_Resize();
         }},
        {"zoomed", zoom},
        {"zoom armed, then a cursor moved",
         [](frmVerOndas& w) {
             w.cmdzoom_Click();
             w.HScroll1->SetValue(w.HScroll1->Max());
         }},
        {"stepped back", [](frmVerOndas& w) { w.cmdatras_Click(); }},
        {"stepped back and forward",
         [](frmVerOndas& w) {
             w.cmdatras_Click();
             if (!w.Descargada())
                 w.cmdadel_Click();
         }},
        {"closed", [](frmVerOndas& w) { w.close(); }},
        {"closed with the close button", [](frmVerOndas&) { CerrarVentanasOndas(); }},
    };
    Recorrer<frmVerOndas>(
        acciones,
        [&zoom]() -> frmVerOndas* {
            Elegir({0, 1, 2});
            NewOndas().cmdOK_Click();
            const auto ventanas = ondas::VentanasOndasAbiertas();
            if (ventanas.size() != 3)
                return nullptr;
            zoom(*ventanas[1]);
            return ventanas[1];
        },
        [] {
            CerrarVentanasOndas();
            for (frmVerOndas* w : ondas::VentanasOndasAbiertas())
                w->close();
        });
    EXPECT_TRUE(ondas::VentanasOndasAbiertas().empty());
}

TEST_F(ClosedRecord, StackedViewSurvivesEveryActionAfterTheCloseCommand)
{
    const std::vector<Accion<frmTodoanalog>> acciones = {
        {"cursor 1 moved", [](frmTodoanalog& t) { t.HScroll1->SetValue(t.HScroll1->Max()); }},
        {"cursor 2 moved", [](frmTodoanalog& t) { t.HScroll2->SetValue(t.HScroll2->Min() + 1); }},
        {"names scrolled and a box clicked",
         [](frmTodoanalog& t) {
             t.HScroll_Nombres->SetValue(t.HScroll_Nombres->Max());
             t.lblet_Click(1);
         }},
        {"resized",
         [](frmTodoanalog& t) {
             t.resize(t.width() - 40, t.height() - 30);
             t.Form_Resize();
         }},
        {"zoomed",
         [](frmTodoanalog& t) {
             t.HScroll2->SetValue(t.HScroll2->Max());
             if (TodoAnalog())
                 t.cmdzoom_Click();
         }},
        {"stepped back", [](frmTodoanalog& t) { t.cmdatras_Click(); }},
        {"stepped back and forward",
         [](frmTodoanalog& t) {
             t.cmdatras_Click();
             if (TodoAnalog())
                 t.cmdadel_Click();
         }},
        {"closed", [](frmTodoanalog& t) { t.close(); }},
    };
    Recorrer<frmTodoanalog>(
        acciones,
        []() -> frmTodoanalog* {
            Elegir({0, 1, 2});
            NewOndas().cmdtodo_Click();
            frmTodoanalog* t = TodoAnalog();
            if (!t)
                return nullptr;
            t->HScroll1->SetValue(100);
            t->HScroll2->SetValue(900);
            t->cmdzoom_Click();
            return t;
        },
        [] { CerrarVistaTodo(); });
    EXPECT_EQ(TodoAnalog(), nullptr);
}

} // namespace
} // namespace vesdra
