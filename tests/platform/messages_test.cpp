#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

#include "common/test_support.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/translations.h"

namespace vesdra {
namespace {

TEST(MsgBox, RecorderRecordsEveryBoxAndAnswers)
{
    ScopedMsgBoxRecorder boxes(vbCancel);
    boxes.QueueAnswer(vbOK);
    EXPECT_EQ(MsgBox(QStringLiteral("Sure?"), vbOKCancel), vbOK); // the queued answer first
    EXPECT_EQ(MsgBox(QStringLiteral("Again?"), vbOKCancel + vbExclamation, QStringLiteral("T")), vbCancel);
    ShowErrorBox(VbError(53));
    ASSERT_EQ(boxes.Count(), 3);
    EXPECT_EQ(boxes.Calls()[0].Prompt, QStringLiteral("Sure?"));
    EXPECT_EQ(boxes.Calls()[1].Style, 49);
    EXPECT_EQ(boxes.Calls()[1].Title, QStringLiteral("T"));
    EXPECT_EQ(boxes.Last().Prompt, QStringLiteral("Error 53: File not found"));
    EXPECT_EQ(boxes.Last().Style, vbCritical);
    EXPECT_TRUE(boxes.Last().Title.isEmpty());
}

TEST(MsgBox, NestedRecordersRestoreTheOuterOne)
{
    ScopedMsgBoxRecorder outer;
    {
        ScopedMsgBoxRecorder inner(vbCancel);
        EXPECT_EQ(MsgBox(QStringLiteral("inner")), vbCancel);
        EXPECT_EQ(inner.Count(), 1);
    }
    EXPECT_EQ(MsgBox(QStringLiteral("outer")), vbOK);
    ASSERT_EQ(outer.Count(), 1);
    EXPECT_EQ(outer.Last().Prompt, QStringLiteral("outer"));
}

TEST(MousePointer, WidgetPointerAndGuardRestoreOnEveryExit)
{
    QWidget form;
    EXPECT_EQ(MousePointer(&form), vbDefault);
    SetMousePointer(&form, vbHourglass);
    EXPECT_EQ(MousePointer(&form), vbHourglass);
    EXPECT_EQ(form.cursor().shape(), Qt::WaitCursor);
    {
        MousePointerGuard busy(&form, vbCustom);
        EXPECT_EQ(MousePointer(&form), vbCustom);
        EXPECT_EQ(form.cursor().shape(), Qt::CrossCursor);
    }
    EXPECT_EQ(MousePointer(&form), vbHourglass);

    try {
        MousePointerGuard busy(&form, vbCustom);
        throw std::runtime_error("handler failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(MousePointer(&form), vbHourglass);
    SetMousePointer(&form, vbDefault);
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);

    // A form unloaded while the guard lives is left alone.
    auto* view = new QWidget;
    {
        MousePointerGuard busy(view, vbHourglass);
        delete view;
    }
    EXPECT_EQ(MousePointer(nullptr), vbDefault);
}

TEST(MousePointer, ScreenPointerOverridesTheApplication)
{
    {
        MousePointerGuard busy(vbHourglass);
        EXPECT_EQ(MousePointer(), vbHourglass);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        SetMousePointer(vbCustom);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    }
    EXPECT_EQ(MousePointer(), vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A box shown for real: without a title of its own it carries the
// program's; it has no minimise or maximise button and keeps its size; a
// short message still makes it wide enough for a window manager's title bar
// to show the title whole, drawn in bold beside the window's icon and
// buttons.
TEST(MsgBox, ARealBoxCarriesTheProgramsTitleWholeAndNothingToMaximise)
{
    SetTituloPrograma(QStringLiteral("VESDRA DEMO 2.1.7"));
    QString titulo;
    Qt::WindowFlags marco;
    bool tamanoFijo = false;
    int ancho = 0;
    int necesita = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        titulo = box->windowTitle();
        marco = box->windowFlags();
        tamanoFijo = box->minimumSize() == box->maximumSize();
        ancho = box->width();
        QFont negrita = box->font();
        negrita.setBold(true);
        const QFontMetrics fm(negrita);
        necesita = fm.horizontalAdvance(titulo) + 4 * fm.height() + 20;
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(MsgBox(QStringLiteral("Hola")), vbOK);
    EXPECT_EQ(titulo, QStringLiteral("VESDRA DEMO 2.1.7"));
    EXPECT_FALSE(marco & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(tamanoFijo);
    EXPECT_GE(ancho, necesita);
    SetTituloPrograma({});
}

TEST(ToolkitLanguage, MessageBoxButtonsReadInTheInterfacesLanguage)
{
    const auto textos = [] {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
        QStringList t;
        for (auto b : {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No})
            t << box.button(b)->text().remove(QLatin1Char('&'));
        return t;
    };
    ASSERT_TRUE(SetToolkitLanguage(QStringLiteral("es")));
    EXPECT_EQ(textos(), (QStringList{"Aceptar", "Cancelar", QString::fromUtf8("Sí"), "No"}));
    ASSERT_TRUE(SetToolkitLanguage(QStringLiteral("en")));
    EXPECT_EQ(textos(), (QStringList{"OK", "Cancel", "Yes", "No"}));
}

} // namespace
} // namespace vesdra
