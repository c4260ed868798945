// The close command empties the record model and the view selections under
// open phasor and sequence views: scrolling, zooming, resizing and closing
// them afterwards must read nothing of the released record. A view may
// show nothing or close with a message box.
#include "analysis_fixture.h"

#include <QPointer>
#include <functional>

#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "platform/scroll_bar.h"
#include "shell/menu_commands.h"
#include "shell/view_services.h"

namespace vesdra {
namespace {

class ClosedRecord : public test::AnalysisFixture
{
protected:
    void SetUp() override
    {
        AnalysisFixture::SetUp();
        Vistas().Fasores.Reiniciar = CerrarRegistroFasores;
    }
    void TearDown() override
    {
        AnalysisFixture::TearDown();
        RestablecerVistas();
    }
};

TEST_F(ClosedRecord, PhasorAndSequenceViewsSurviveEveryActionAfterTheCloseCommand)
{
    struct Accion {
        const char* que;
        std::function<void(frmFases&, frmSecuencias&)> hacer;
    };
    const auto medio = [](VistaFasorial& v) { return (v.HScroll1->Min() + v.HScroll1->Max()) / 2; };
    const Accion acciones[] = {
        {"phasor view scrolled", [&](frmFases& f, frmSecuencias&) { f.HScroll1->SetValue(medio(f)); }},
        {"sequence view scrolled to the end",
         [](frmFases&, frmSecuencias& s) { s.HScroll1->SetValue(s.HScroll1->Max()); }},
        {"zoomed in and out",
         [](frmFases& f, frmSecuencias& s) {
             f.cmdmas_Click();
             s.cmdmas_Click();
             f.cmdmenos_Click();
         }},
        {"resized",
         [](frmFases& f, frmSecuencias& s) {
             f.resize(f.width() - 40, f.height() - 30);
             f.Form_Resize();
             s.resize(s.width() + 20, s.height() - 60);
             s.Form_Resize();
         }},
        {"closed with the phasor view's close button",
         [](frmFases&, frmSecuencias&) { CerrarVistaFasesBoton(); }},
        {"closed with the sequence view's close button",
         [](frmFases&, frmSecuencias&) { CerrarVistaSecuenciasBoton(); }},
        {"closed one by one",
         [](frmFases& f, frmSecuencias& s) {
             s.close();
             f.close();
         }},
    };
    for (const Accion& a : acciones) {
        SCOPED_TRACE(a.que);
        PrepararEstado();
        TablaEquilibrada();
        Elegir({1, 1, 1}, {1, 0, 1}, 2);
        ASSERT_TRUE(CargarFases());
        ASSERT_TRUE(CargarSecuencias());
        QPointer<frmFases> f = Fases();
        QPointer<frmSecuencias> s = Secuencias();
        f->HScroll1->SetValue(5 * kN + 40);
        ScopedMsgBoxRecorder cajas;

        CerrarComtrade();
        EXPECT_EQ(Registro().NumAnalogicos, 0);
        EXPECT_EQ(Analisis().ModoVistas, 0);
        a.hacer(*f, *s);
        Procesar();
        // An error box means the view gave up: it must then be gone. Other
        // boxes are the view's own questions and refusals.
        for (const MsgBoxCall& c : cajas.Calls()) {
            if (c.Prompt.startsWith(QStringLiteral("Error "))) {
                EXPECT_TRUE(f.isNull() || s.isNull())
                    << "a view that reported " << c.Prompt.toStdString() << " stayed open";
            }
        }
        // What is left closes with the close buttons, one view at a time.
        if (f)
            CerrarVistaFasesBoton();
        Procesar();
        if (s)
            CerrarVistaSecuenciasBoton();
        Procesar();
        EXPECT_TRUE(f.isNull());
        EXPECT_TRUE(s.isNull());
        EXPECT_GE(menuMostrado, 1) << "the menu form stays hidden with no view left";
    }
}

} // namespace
} // namespace vesdra
