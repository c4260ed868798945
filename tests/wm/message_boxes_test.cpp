#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "app/registro_vistas.h"
#include "platform/mdi_forms.h"
#include "shell/frm_menu.h"
#include "shell/frm_plantilla.h"
#include "shell/mdi_fixture.h"
#include "shell/menu_commands.h"
#include "views/waves/frm_new_ondas.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/waves_services.h"
#include "x11_iconify.h"

namespace vesdra {
namespace {

// Long enough for any window manager round trip on a loaded machine.
constexpr int kPlazo = 15000;

// The share of a window's pixels that the screen shows as the window itself
// draws them: 1 when it is whole in front, 0 when it is out of sight.
double PartVisible(QWidget& w)
{
    const QImage propia = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origen = w.mapToGlobal(QPoint(0, 0));
    const QImage pantalla = QGuiApplication::primaryScreen()
                                ->grabWindow(0, origen.x(), origen.y(), w.width(), w.height())
                                .toImage()
                                .convertToFormat(QImage::Format_RGB32);
    if (pantalla.size() != propia.size() || propia.isNull())
        return 0;
    qint64 iguales = 0;
    for (int y = 0; y < propia.height(); ++y)
        for (int x = 0; x < propia.width(); ++x)
            iguales += propia.pixel(x, y) == pantalla.pixel(x, y);
    return static_cast<double>(iguales) / (static_cast<double>(propia.width()) * propia.height());
}

bool EnPantallaConTeclado(QWidget& w)
{
    return w.isVisible() && !w.isMinimized() && QGuiApplication::focusWindow() == w.windowHandle() &&
           PartVisible(w) > 0.9;
}

// Minimises a window as its title bar's button or a task bar does: asking
// the window manager, which tells the program afterwards.
void MinimizarComoElGestor(QWidget& w)
{
    ASSERT_TRUE(test::IconifyWindow(static_cast<unsigned long>(w.winId())));
}

// A key as the window system hands it: to the window holding the keyboard.
void Pulsar(Qt::Key tecla, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWindow* ventana = QGuiApplication::focusWindow();
    ASSERT_NE(ventana, nullptr);
    QTest::keyClick(ventana, tecla, mods);
}

// Runs `mirar` inside the loop of the next modal dialog shown (a message box
// or a common dialog), once it is shown.
class AlAparecer : public QObject
{
public:
    explicit AlAparecer(std::function<void(QDialog&)> mirar) : mirar_(std::move(mirar))
    {
        qApp->installEventFilter(this);
    }
    ~AlAparecer() override { qApp->removeEventFilter(this); }
    bool Visto() const { return visto_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* d = qobject_cast<QDialog*>(watched);
        if (event->type() == QEvent::Show && d && d->isWindow() && !visto_) {
            visto_ = true;
            QPointer<QDialog> caja(d);
            QTimer::singleShot(0, this, [this, caja] {
                if (caja)
                    mirar_(*caja);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(QDialog&)> mirar_;
    bool visto_{false};
};

// The program on the bundled sample and its template, its window shown and
// active under openbox, the boxes real.
class BajoGestor : public test::MdiTest
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(CopiarIconos());
        RegistrarVistas();
        Arrancar(test::MuestraDat() + QLatin1Char(' ') + CopiarMuestraCnf());
        ASSERT_TRUE(Registro().RegistroAbierto);
        principal_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(principal_.get(), kPlazo));
        SetMsgBoxHandler({});
    }
    void TearDown() override
    {
        // The recorder of the fixture restores the handler it found.
        MdiTest::TearDown();
    }

    // The waveform dialog by its key, two channels chosen by keys, then
    // `boton` (Individualmente or Conjuntamente) clicked.
    void AbrirOndas(QPushButton* frmNewOndas::*boton)
    {
        Pulsar(Qt::Key_F4);
        ASSERT_TRUE(QTest::qWaitFor([] { return NewOndasCargado() && NewOndas().isActiveWindow(); }, kPlazo));
        frmNewOndas& d = NewOndas();
        d.List1->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 2; ++i) {
            Pulsar(Qt::Key_Down);
            Pulsar(Qt::Key_Return);
        }
        QTest::mouseClick(d.*boton, Qt::LeftButton);
        Procesar();
    }
};

// Where a box or dialog comes from, and the window it must stand in front of.
struct Origen {
    const char* Nombre;
    std::function<void(BajoGestor&)> Preparar;
    std::function<QWidget*()> Dueno;
    std::function<void()> Lanzar; // shows the box; returns when it is answered
};

class CajasBajoGestor : public BajoGestor, public ::testing::WithParamInterface<int>
{
};

QWidget* Principal()
{
    return VentanaAplicacion();
}

const Origen kOrigenes[] = {
    {"AViewsForwardButton", [](BajoGestor&) {}, Principal,
     [] {
         const auto ventanas = ondas::VentanasOndasAbiertas();
         ASSERT_FALSE(ventanas.empty());
         QTest::mouseClick(ventanas[0]->cmdadel, Qt::LeftButton);
     }},
    {"TheStackedViewsForwardButton", [](BajoGestor&) {}, Principal,
     [] {
         ASSERT_TRUE(QTest::qWaitFor([] { return TodoAnalog() && TodoAnalog()->isVisible(); }, kPlazo));
         QTest::mouseClick(TodoAnalog()->cmdadel, Qt::LeftButton);
     }},
    {"TheTemplateDialogWithNoTemplateChosen",
     [](BajoGestor&) {
         MenuForm()->mnuPlantilla_Click();
         ASSERT_TRUE(
             QTest::qWaitFor([] { return FormPlantilla() && FormPlantilla()->isActiveWindow(); }, kPlazo));
     },
     []() -> QWidget* { return FormPlantilla(); },
     [] { QTest::mouseClick(FormPlantilla()->cmdBuscar, Qt::LeftButton); }},
    {"TheOpenFileDialog", [](BajoGestor&) {}, Principal, [] { ComandoAbrirComtrade(); }},
};

// Every box and common dialog is a window of its own in front of the window
// it belongs to, with the keyboard; minimised from its title bar, it comes
// back at once (out of sight it would leave the program blocked, every click
// ignored); its keys answer it.
TEST_P(CajasBajoGestor, IsInFrontOfItsOwnerWithTheKeyboardAndNeverLost)
{
    const Origen& o = kOrigenes[GetParam()];
    if (GetParam() == 0) {
        ASSERT_NO_FATAL_FAILURE(AbrirOndas(&frmNewOndas::cmdOK));
    } else if (GetParam() == 1) {
        ASSERT_NO_FATAL_FAILURE(AbrirOndas(&frmNewOndas::cmdtodo));
    }
    ASSERT_NO_FATAL_FAILURE(o.Preparar(*this));
    QWidget* dueno = o.Dueno();
    ASSERT_NE(dueno, nullptr);

    bool enFrente = false, vuelve = false, cerrada = false;
    QPointer<QDialog> vista;
    AlAparecer mirar([&](QDialog& caja) {
        vista = &caja;
        enFrente = QTest::qWaitFor([&] { return EnPantallaConTeclado(caja); }, kPlazo);
        EXPECT_TRUE(caja.isWindow());
        EXPECT_EQ(caja.windowHandle()->transientParent(), dueno->windowHandle());
        MinimizarComoElGestor(caja);
        vuelve = QTest::qWaitFor([&] { return EnPantallaConTeclado(caja); }, kPlazo);
        Pulsar(Qt::Key_Escape);
        cerrada = QTest::qWaitFor([&] { return vista.isNull() || !vista->isVisible(); }, kPlazo);
        if (!cerrada && vista)
            vista->reject();
    });
    o.Lanzar();
    Procesar();
    ASSERT_TRUE(mirar.Visto()) << "no box or dialog was shown";
    EXPECT_TRUE(enFrente) << "not whole in front of its owner with the keyboard";
    EXPECT_TRUE(vuelve) << "lost once minimised";
    EXPECT_TRUE(cerrada) << "Escape did not answer it";
}

// The dialog forms, minimised by the window manager (which takes the main
// window with them), come back with the main window as it was.
TEST_F(BajoGestor, ADialogFormMinimisedComesBackWithTheMainWindow)
{
    const bool maximizada = principal_->isMaximized();
    MenuForm()->mnuPlantilla_Click();
    ASSERT_TRUE(QTest::qWaitFor([] { return FormPlantilla() && FormPlantilla()->isActiveWindow(); }, kPlazo));
    frmPlantilla& d = *FormPlantilla();
    ASSERT_TRUE(QTest::qWaitFor([&] { return EnPantallaConTeclado(d); }, kPlazo));
    MinimizarComoElGestor(d);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return EnPantallaConTeclado(d) && !principal_->isMinimized(); }, kPlazo))
        << "dialog minimised " << d.isMinimized() << ", main window minimised " << principal_->isMinimized();
    EXPECT_EQ(principal_->isMaximized(), maximizada);
    Pulsar(Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([] { return FormPlantilla() == nullptr; }, kPlazo));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, CajasBajoGestor,
                         ::testing::Range(0, static_cast<int>(std::size(kOrigenes))),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(kOrigenes[info.param].Nombre);
                         });

} // namespace
} // namespace vesdra
