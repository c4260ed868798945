#include <QApplication>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include "platform/common_dialog.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"

namespace vesdra {
namespace {

// A form that counts how often its closing rule ran.
class Formulario : public QWidget
{
public:
    int Cierres{0};

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++Cierres;
        QWidget::closeEvent(event);
    }
};

void VaciarBorrados()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class MdiFormsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        area.resize(800, 600);
        area.show();
        form = new Formulario;
        sub = area.addSubWindow(form);
        sub->show();
    }

    QMdiArea area;
    QPointer<Formulario> form;
    QPointer<QMdiSubWindow> sub;
};

TEST_F(MdiFormsTest, FrameHiddenShownAndMinimisedWithItsForm)
{
    EXPECT_EQ(MarcoFormulario(*form), sub.data());
    EXPECT_EQ(MarcoFormulario(static_cast<const QWidget&>(*form)), sub.data());

    OcultarFormulario(form);
    EXPECT_FALSE(sub->isVisible());
    EXPECT_TRUE(form->isHidden());
    EXPECT_TRUE(MostrarEnSuMarco(form));
    EXPECT_TRUE(sub->isVisible());
    EXPECT_TRUE(form->isVisible());

    EXPECT_FALSE(FormularioMinimizado(*form));
    sub->showMinimized();
    EXPECT_TRUE(FormularioMinimizado(*form)); // the form itself is not minimised
    MostrarNormal(form);
    EXPECT_FALSE(FormularioMinimizado(*form));
}

TEST_F(MdiFormsTest, ClosingRunsTheFormsRuleAndTakesTheFrameAlong)
{
    CerrarFormulario(form);
    EXPECT_EQ(form->Cierres, 1);
    VaciarBorrados();
    EXPECT_TRUE(sub.isNull());
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(MdiFormsTest, RetiredFormGoesOutOfSightNowAndIsDeletedLater)
{
    RetirarFormulario(form);
    EXPECT_FALSE(sub->isVisible());
    ASSERT_FALSE(form.isNull()); // still safe for the handler that retired it
    VaciarBorrados();
    EXPECT_TRUE(sub.isNull());
    EXPECT_TRUE(form.isNull());
}

TEST(MdiForms, AFormOfItsOwnIsItsFrameAndNullDoesNothing)
{
    QPointer<Formulario> form = new Formulario;
    EXPECT_EQ(MarcoFormulario(*form), form.data());
    EXPECT_FALSE(MostrarEnSuMarco(form)); // no frame to show it in: left hidden
    EXPECT_TRUE(form->isHidden());
    form->show();
    CerrarFormulario(form);
    EXPECT_EQ(form->Cierres, 1);
    EXPECT_TRUE(form->isHidden());
    RetirarFormulario(form);
    VaciarBorrados();
    EXPECT_TRUE(form.isNull());

    CerrarFormulario(nullptr);
    OcultarFormulario(nullptr);
    MostrarNormal(nullptr);
    RetirarFormulario(nullptr);
    EXPECT_FALSE(MostrarEnSuMarco(nullptr));
}

// A dialog form belongs to the main window as a modal window of its own,
// where it was placed; message boxes and common dialogs hang on the modal
// window in front, else on the main window (never on a progress window).
TEST(MdiForms, ADialogFormIsShownModalInFrontOfItsOwnerWhereItWasPlaced)
{
    QMainWindow principal;
    principal.resize(800, 600);
    principal.show();
    auto* progreso = new QWidget(nullptr, Qt::Tool);
    progreso->show();
    progreso->activateWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(VentanaDuena(), &principal);

    QPointer<Formulario> vista = new Formulario;
    EXPECT_FALSE(EsDialogo(*vista));
    QPointer<QWidget> dialogo = new QWidget(nullptr, Qt::Dialog);
    ASSERT_TRUE(EsDialogo(*dialogo));
    dialogo->resize(200, 100);
    dialogo->move(123, 45);
    MostrarDialogo(*dialogo, &principal);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogo->parentWidget(), &principal);
    EXPECT_TRUE(dialogo->isWindow());
    EXPECT_TRUE(dialogo->isVisible());
    EXPECT_EQ(dialogo->pos(), QPoint(123, 45));
    EXPECT_EQ(dialogo->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(dialogo->windowHandle()->transientParent(), principal.windowHandle());
    EXPECT_EQ(QApplication::activeModalWidget(), dialogo.data());
    EXPECT_EQ(QApplication::activeWindow(), dialogo.data());
    EXPECT_EQ(VentanaDuena(), dialogo.data());

    // Shown again while up: only brought to the front, the same window.
    const QWindow* ventana = dialogo->windowHandle();
    MostrarDialogo(*dialogo, &principal);
    EXPECT_EQ(dialogo->windowHandle(), ventana);
    EXPECT_TRUE(dialogo->isVisible());

    // Minimised on its own it comes back at once.
    dialogo->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(dialogo->isMinimized());
    EXPECT_TRUE(dialogo->isVisible());

    // A box and the printer dialog asked for while it is up hang on it, so
    // they stand in front of it.
    QWidget* duenoCaja = nullptr;
    QWidget* duenoImpresora = nullptr;
    const auto cerrarConDueno = [](QWidget** dueno) {
        QTimer::singleShot(0, [dueno] {
            if (QWidget* m = QApplication::activeModalWidget()) {
                *dueno = m->parentWidget();
                m->close();
            }
        });
    };
    cerrarConDueno(&duenoCaja);
    (void)MsgBox(QStringLiteral("?"), vbOKOnly);
    EXPECT_EQ(duenoCaja, dialogo.data());
    cerrarConDueno(&duenoImpresora);
    CommonDialog impresora;
    impresora.ShowPrinter();
    EXPECT_EQ(duenoImpresora, dialogo.data());

    // Shown again (a wizard step coming back): in front once more, still one.
    dialogo->hide();
    MostrarDialogo(*dialogo, &principal);
    EXPECT_EQ(QApplication::activeModalWidget(), dialogo.data());
    EXPECT_EQ(dialogo->pos(), QPoint(123, 45));

    dialogo->close();
    delete dialogo.data();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(VentanaDuena(), &principal);
    delete progreso;
    delete vista.data();
}

} // namespace
} // namespace vesdra
