#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QWidget>
#include <csignal>

#include "common/process_state.h"
#include "common/test_support.h"
#include "platform/base/vb_error.h"
#include "platform/key_hook.h"
#include "platform/process.h"

namespace vesdra {
namespace {

TEST(StartProgram, RecordsTheWindowStyleAndRefusesMissingPrograms)
{
    QTemporaryDir dir;
    const QString tool = dir.filePath("Tool.exe");
    ASSERT_TRUE(test::WriteBytes(tool, "#!/bin/sh\n"));
    QStringList started;
    SetProgramStarterForTests([&](const QString& p) -> std::int64_t {
        started << p;
        return 4242;
    });

    EXPECT_EQ(StartProgram(dir.filePath("tool.EXE"), vbMaximizedFocus), 4242);
    EXPECT_EQ(started, QStringList{tool}); // found whatever the case
    EXPECT_TRUE(LastLaunch().Started);
    EXPECT_EQ(LastLaunch().WindowStyle, vbMaximizedFocus);
    EXPECT_EQ(LastLaunch().ProcessId, 4242);

    for (const QString& missing : {dir.filePath("none.exe"), QString(), dir.path()}) {
        try {
            StartProgram(missing, vbNormalFocus);
            ADD_FAILURE() << missing.toStdString();
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, vberr::FileNotFound);
        }
        EXPECT_FALSE(LastLaunch().Started);
        EXPECT_EQ(LastLaunch().WindowStyle, vbNormalFocus);
    }
    EXPECT_EQ(started.size(), 1);

    SetProgramStarterForTests([](const QString&) -> std::int64_t { return -1; });
    EXPECT_THROW(StartProgram(tool, vbNormalFocus), VbError);
    SetProgramStarterForTests({});
}

// The program started is not waited for: it can end only once the test
// has gone on after the start (it waits for a file the test writes then),
// and its process is the one whose number came back.
TEST(StartProgram, RealStartDoesNotWait)
{
    QTemporaryDir dir;
    const QString script = dir.filePath("conv.sh");
    const QByteArray seguir = QFile::encodeName(dir.filePath("seguir"));
    const QByteArray hecho = QFile::encodeName(dir.filePath("hecho"));
    ASSERT_TRUE(test::WriteBytes(script, "#!/bin/sh\nn=0\nwhile [ ! -e '" + seguir +
                                             "' ]; do\n  n=$((n + 1)); [ $n -gt 6000 ] && exit 1\n"
                                             "  sleep 0.01\ndone\necho $$ > '" +
                                             hecho + "'\n"));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto pid = StartProgram(script, vbNormalFocus);
    ASSERT_GT(pid, 0);
    const auto fin = qScopeGuard([pid] { ::kill(static_cast<pid_t>(pid), SIGTERM); });
    EXPECT_EQ(::kill(static_cast<pid_t>(pid), 0), 0) << "still running";
    ASSERT_TRUE(test::WriteBytes(QFile::decodeName(seguir), "1"));
    ASSERT_TRUE(test::WaitFor([&] { return test::ReadBytes(QFile::decodeName(hecho)).endsWith('\n'); }))
        << "a start that waited for the program would have seen it give up";
    EXPECT_EQ(test::ReadBytes(QFile::decodeName(hecho)).trimmed().toLongLong(), pid);

    const QString notRunnable = dir.filePath("data.txt");
    ASSERT_TRUE(test::WriteBytes(notRunnable, "x"));
    try {
        StartProgram(notRunnable, vbNormalFocus);
        ADD_FAILURE();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vberr::InvalidCall);
    }
}

// A control that ignores keys, so they travel to its parent.
class Box : public QWidget
{
public:
    using QWidget::QWidget;
    int presses{0};

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        ++presses;
        e->ignore();
    }
};

struct KeyCall {
    int shift;
    int code;
};

// Sends a key press as the toolkit does with a recorded key: shortcuts
// (menu mnemonics) get their chance first, then the focus widget the press.
void Press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(w, &press);
}

TEST(KeyHook, AltKeysReachTheHandlerOnceBeforeMnemonics)
{
    Box form;
    auto* child = new Box(&form);
    child->setFocusPolicy(Qt::StrongFocus);
    int exitShortcut = 0;
    int otherShortcut = 0;
    auto* salir = new QAction(&form);
    salir->setShortcut(QKeySequence(Qt::ALT | Qt::Key_S));
    QObject::connect(salir, &QAction::triggered, [&] { ++exitShortcut; });
    auto* datos = new QAction(&form);
    datos->setShortcut(QKeySequence(Qt::ALT | Qt::Key_D));
    QObject::connect(datos, &QAction::triggered, [&] { ++otherShortcut; });
    form.addAction(salir);
    form.addAction(datos);
    form.show();
    QApplication::setActiveWindow(&form);
    child->setFocus();
    if (QApplication::focusWidget() != child)
        GTEST_SKIP() << "no keyboard focus on this platform";

    std::vector<KeyCall> calls;
    SetKeyHandler([&](int shift, int code) {
        calls.push_back({shift, code});
        return shift == vbAltMask && code == 'S';
    });

    // Alt+S is taken by the handler: neither the shortcut nor the control gets it.
    Press(child, Qt::Key_S, Qt::AltModifier);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].shift, 4);
    EXPECT_EQ(calls[0].code, 83);
    EXPECT_EQ(exitShortcut, 0);
    EXPECT_EQ(child->presses, 0);

    // Alt+D is not: asked once, then the shortcut has it.
    calls.clear();
    Press(child, Qt::Key_D, Qt::AltModifier);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].code, 68);
    EXPECT_EQ(otherShortcut, 1);

    // Alt+Shift+X: asked once, and the press travels on to the parent.
    calls.clear();
    Press(child, Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].shift, 5);
    EXPECT_EQ(calls[0].code, 88);
    EXPECT_EQ(child->presses, 1);
    EXPECT_EQ(form.presses, 1);

    // Keys without Alt never reach it; nor anything once it is removed.
    calls.clear();
    Press(child, Qt::Key_S, Qt::NoModifier);
    SetKeyHandler({});
    Press(child, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(exitShortcut, 1);
}

TEST(KeyHook, WithoutFocusThePressReachesTheHandlerOnce)
{
    Box form;
    auto* child = new Box(&form);
    int calls = 0;
    SetKeyHandler([&](int, int) {
        ++calls;
        return false;
    });
    Press(child, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(form.presses, 1); // travelled to the parent, not asked again there
    SetKeyHandler({});
}

TEST(KeyHook, KeyCodesAndShiftMasks)
{
    EXPECT_EQ(VbKeyCode(Qt::Key_S), 83);
    EXPECT_EQ(VbKeyCode(Qt::Key_X), 88);
    EXPECT_EQ(VbKeyCode(Qt::Key_5), 53);
    EXPECT_EQ(VbKeyCode(Qt::Key_F1), 112);
    EXPECT_EQ(VbKeyCode(Qt::Key_Escape), 27);
    EXPECT_EQ(VbKeyCode(Qt::Key_Return), 13);
    EXPECT_EQ(VbKeyCode(Qt::Key_Down), 40);
    EXPECT_EQ(VbKeyCode(Qt::Key_Eacute), 0);
    EXPECT_EQ(VbShiftMask(Qt::AltModifier), 4);
    EXPECT_EQ(VbShiftMask(Qt::ShiftModifier | Qt::ControlModifier), 3);
    EXPECT_EQ(VbShiftMask(Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier), 7);
}

} // namespace
} // namespace vesdra
