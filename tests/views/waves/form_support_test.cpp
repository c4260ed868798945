#include "views/waves/form_support.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

#include "common/test_support.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/scroll_bar.h"
#include "waves_fixture.h"

namespace vesdra {
namespace {

using FormSupport = test::WavesFixture;

// A view as far as its minimised frame matters: its own "built" flag.
class Vista : public QWidget
{
public:
    bool Construida{false};

protected:
    void changeEvent(QEvent* event) override
    {
        QWidget::changeEvent(event);
        ondas::OcultarMenuAlMinimizar(*this, *event, Construida);
    }
};

// Qt warnings raised while a test runs.
std::vector<QString>* avisosQt = nullptr;

void GuardarAviso(QtMsgType tipo, const QMessageLogContext&, const QString& texto)
{
    if (tipo == QtWarningMsg && avisosQt)
        avisosQt->push_back(texto);
}

// Putting a view into a sub-window once printed a Qt warning (a unique
// connection made to a lambda, which Qt refuses).
TEST_F(FormSupport, MinimisedSubWindowHidesTheMenuOnlyOnceTheViewIsBuiltWithoutAQtWarning)
{
    std::vector<QString> avisos;
    avisosQt = &avisos;
    const QtMessageHandler anterior = qInstallMessageHandler(GuardarAviso);
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    auto* vista = new Vista;
    QMdiSubWindow* sub = area.addSubWindow(vista);
    sub->show();

    sub->showMinimized();
    EXPECT_EQ(Count("OcultarMenu"), 0) << "a view still being built leaves the menu";
    sub->showNormal();
    vista->Construida = true;
    sub->showMinimized();
    EXPECT_GE(Count("OcultarMenu"), 1);
    // Into a second area and minimised there.
    QMdiArea otra;
    otra.show();
    QMdiSubWindow* segunda = otra.addSubWindow(vista);
    segunda->show();
    const int antes = Count("OcultarMenu");
    segunda->showMinimized();
    EXPECT_GT(Count("OcultarMenu"), antes);

    qInstallMessageHandler(anterior);
    avisosQt = nullptr;
    for (const QString& a : avisos)
        ADD_FAILURE() << "Qt warning: " << a.toStdString();
}

TEST_F(FormSupport, MinimisedWindowOfItsOwnHidesTheMenu)
{
    Vista vista;
    vista.Construida = true;
    vista.show();
    vista.setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(Count("OcultarMenu"), 1);
}

TEST_F(FormSupport, MergedResizesLayABuiltViewOutOnceAfterTheBurstAndItsMinimisedFrameHidesTheMenu)
{
    QWidget vista;
    bool construida = false;
    int disposiciones = 0;
    QTimer* pendiente = ondas::MergeResizes(&vista, construida, [&] { ++disposiciones; });
    vista.show();
    const auto rafaga = [&] {
        for (int k = 1; k <= 3; ++k) {
            vista.resize(300 + 10 * k, 200 + 10 * k);
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
    };
    rafaga();
    vista.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_EQ(disposiciones, 0) << "a view still being built is laid out by its builder";
    EXPECT_EQ(Count("OcultarMenu"), 0);

    vista.setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    construida = true;
    disposiciones = 0;
    // The resize events of a burst all come before the layout runs.
    for (int k = 1; k <= 3; ++k)
        vista.resize(400 + 10 * k, 300 + 10 * k);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(disposiciones, 1);

    vista.resize(500, 400);
    pendiente->stop();
    QCoreApplication::processEvents();
    EXPECT_EQ(disposiciones, 1) << "a stopped layout is dropped";

    vista.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_EQ(Count("OcultarMenu"), 1);
}

TEST_F(FormSupport, PrimarySecondaryIndicatorShowsTheSideOfA1997RecordOnly)
{
    QWidget form;
    QLineEdit indicador(&form);
    form.show();
    EXPECT_FALSE(ondas::IndicadorPrimarioSecundario(indicador)); // 1991
    EXPECT_FALSE(indicador.isVisible());

    // The side the record holds in force, whatever a view closed since.
    MakeRecord(400, 1200, "1997");
    EXPECT_TRUE(ondas::IndicadorPrimarioSecundario(indicador));
    EXPECT_TRUE(indicador.isVisible());
    EXPECT_EQ(indicador.text(), TextosIdioma(279));
    ASSERT_TRUE(ElegirLado(Registro(), Lado::Secundario));
    EXPECT_TRUE(ondas::IndicadorPrimarioSecundario(indicador));
    EXPECT_EQ(indicador.text(), TextosIdioma(280));
}

TEST_F(FormSupport, CursorBarsTakeTheirRangeQuietlyWithTheCursorOnItsStart)
{
    HScrollBar a, b;
    a.SetMax(5000);
    b.SetMax(5000);
    a.SetValue(4000);
    b.SetValue(4500);
    bool colocando = false;
    std::vector<bool> alCambiar;
    QObject::connect(&a, &ScrollBar::Change, [&] { alCambiar.push_back(colocando); });
    QObject::connect(&b, &ScrollBar::Change, [&] { alCambiar.push_back(colocando); });

    ondas::RangoCursores(a, b, 100, 300, colocando);
    EXPECT_FALSE(colocando);
    for (HScrollBar* sb : {&a, &b}) {
        EXPECT_EQ(sb->Min(), 100);
        EXPECT_EQ(sb->Max(), 300);
        EXPECT_EQ(sb->Value(), 100);
    }
    ASSERT_FALSE(alCambiar.empty());
    for (const bool quieto : alCambiar)
        EXPECT_TRUE(quieto) << "a change handler would read a cursor meanwhile";
}

TEST_F(FormSupport, HistoryStepRunsUnderTheHourglassAndReportsAFailure)
{
    QWidget form;
    int durante = -1;
    EXPECT_TRUE(ondas::PasoConReloj(&form, [&] { durante = MousePointer(&form); }));
    EXPECT_EQ(durante, vbHourglass);
    EXPECT_EQ(MousePointer(&form), vbDefault);

    ScopedMsgBoxRecorder boxes;
    SetMousePointer(&form, vbCustom);
    EXPECT_FALSE(ondas::PasoConReloj(&form, [] { throw VbError(vberr::SubscriptOutOfRange); }));
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(MousePointer(&form), vbDefault);
}

} // namespace
} // namespace vesdra
