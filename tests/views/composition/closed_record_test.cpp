// The close command empties the record model and the composition selection
// under open composition windows: cursors, sideways scrolling, resize,
// zoom, history steps and closing afterwards must read nothing of the
// released record. A window may show nothing or close with a message box.
#include <QCoreApplication>
#include <QPointer>
#include <cmath>
#include <functional>

#include "composition_fixture.h"
#include "platform/messages.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "shell/menu_commands.h"
#include "shell/view_services.h"

using namespace vesdra;

namespace {

class ClosedRecord : public test::CompositionFixture
{
protected:
    void SetUp() override
    {
        CompositionFixture::SetUp();
        Vistas().Composicion.Reiniciar = ReiniciarComposiciones;
        Vistas().Composicion.CerrarVentanas = CerrarVentanasComposicion;
    }
    void TearDown() override
    {
        RestablecerVistas();
        CompositionFixture::TearDown();
    }

    // Pending resizes and the deletion of what closed.
    static void Procesar()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void Zoom(frmVerCmpang& v, double a, double b)
    {
        const double alto = v.Picture1->Height();
        v.cmdzoom_Click();
        v.Picture1_MouseDown(1, 0, v.Vista().XDeMuestra(a), alto / 4);
        v.Picture1_MouseMove(1, 0, v.Vista().XDeMuestra(b), 3 * alto / 4);
        v.Picture1_MouseUp(1, 0, v.Vista().XDeMuestra(b), 3 * alto / 4);
    }
};

TEST_F(ClosedRecord, CompositionWindowsSurviveEveryActionAfterTheCloseCommand)
{
    struct Accion {
        const char* que;
        std::function<void(frmVerCmpang&)> hacer;
    };
    const Accion acciones[] = {
        {"cursor 1 moved", [](frmVerCmpang& v) { v.HScroll1->SetValue(v.HScroll1->Max()); }},
        {"cursor 2 moved", [](frmVerCmpang& v) { v.HScroll2->SetValue(v.HScroll2->Min() + 1); }},
        {"values scrolled sideways and a box clicked",
         [](frmVerCmpang& v) {
             v.HScroll_Amar->SetValue(v.HScroll_Amar->Max());
             v.HScroll_Cian->SetValue(v.HScroll_Cian->Max());
             v.lblam_Click(1);
             v.lblci_Click(2);
         }},
        {"resized",
         [](frmVerCmpang& v) {
             v.resize(v.width() - 40, v.height() - 30);
             v.Form_Resize();
         }},
        {"zoomed", [](frmVerCmpang& v) { Zoom(v, 20, 60); }},
        {"stepped back", [](frmVerCmpang& v) { v.cmdatras_Click(); }},
        {"stepped back and forward",
         [](frmVerCmpang& v) {
             QPointer<frmVerCmpang> p = &v;
             v.cmdatras_Click();
             if (p)
                 v.cmdadel_Click();
         }},
        {"closed", [](frmVerCmpang& v) { v.close(); }},
        {"closed with the close button", [](frmVerCmpang&) { CerrarVentanasComposicion(); }},
    };
    for (const Accion& a : acciones) {
        SCOPED_TRACE(a.que);
        Registrar(4, 200, [](std::int32_t s, std::int32_t c) { return 10.0f * c * std::sin(s / 10.0f); });
        ScopedMsgBoxRecorder cajas(vbOK);
        Construir({{1, 1}, {2, 2}, {7, 3}, {8, 4}});
        QPointer<frmVerCmpang> v = Ventana(1);
        QPointer<frmVerCmpang> otra = Ventana(2);
        ASSERT_TRUE(v && otra);
        Zoom(*v, 50, 150);
        cajas.Clear();

        CerrarComtrade();
        EXPECT_EQ(Registro().NumAnalogicos, 0);
        a.hacer(*v);
        Procesar();
        // An error box means the window gave up: it must then be gone. Other
        // boxes are the window's own questions and refusals.
        for (const MsgBoxCall& c : cajas.Calls()) {
            if (c.Prompt.startsWith(QStringLiteral("Error "))) {
                EXPECT_TRUE(v.isNull())
                    << "a window that reported " << c.Prompt.toStdString() << " stayed open";
            }
        }
        // The close button, then each window's own close box.
        CerrarVentanasComposicion();
        Procesar();
        for (QPointer<frmVerCmpang>* w : {&v, &otra})
            if (*w)
                (*w)->close();
        Procesar();
        EXPECT_TRUE(v.isNull());
        EXPECT_TRUE(otra.isNull());
        EXPECT_TRUE(composicion::VentanasAbiertas().empty());
    }
}

} // namespace
