#include <QApplication>
#include <QLocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include "common/process_state.h"
#include "platform/base/app_paths.h"
#include "platform/twips.h"

namespace {

// Fails a test that left the process-wide state changed, naming what, and
// puts it back, so that the next test finds it as the main set it whatever
// ran before (a whole program, shuffled, repeated).
class ProcessStateGuard final : public ::testing::EmptyTestEventListener
{
public:
    explicit ProcessStateGuard(vesdra::ClockSource clock) : clock_(std::move(clock)) {}

    void OnTestStart(const ::testing::TestInfo&) override { before_ = vesdra::test::CaptureProcessState(); }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        const QStringList changes =
            vesdra::test::ChangesBetween(before_, vesdra::test::CaptureProcessState());
        if (!changes.isEmpty()) {
            ADD_FAILURE() << "the test left the process changed: "
                          << changes.join(QStringLiteral("; ")).toStdString();
            vesdra::test::RestoreProcessState(before_);
        }
        vesdra::SetClockForTests(clock_);
    }

private:
    vesdra::ClockSource clock_;
    vesdra::test::ProcessState before_;
};

// VESDRA_TEST_CLOCK=tick (scripts/test-clock.sh): the time the program shows
// and prints moves one second at every read, from a moment where the next
// reads change the minute, the hour, the day and the year. A test that
// compares two reads, or a printed time with a later read, fails under it.
vesdra::ClockSource ClockOfTheRun()
{
    const char* clock = std::getenv("VESDRA_TEST_CLOCK");
    if (!clock || !*clock)
        return {};
    if (std::string(clock) != "tick") {
        std::cerr << "VESDRA_TEST_CLOCK=" << clock << ": only \"tick\" is known\n";
        std::exit(2);
    }
    std::cout << "The time the program shows moves one second at every read." << std::endl;
    return vesdra::test::TickingClock(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)));
}

} // namespace

// Every test program runs without a display and finds the runtime tree
// (ini/, Iconos/, Models/) of the build folder. They see only the declared
// fonts, whatever else the machine has, so text is measured alike everywhere.
int main(int argc, char** argv)
{
    // Run as root, a tmpfs a test mounts goes with the process, even one
    // that dies: the program has a mount namespace of its own, whose mounts
    // reach no other. Done while the process has one thread.
    if (::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0)
        (void)::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("FONTCONFIG_FILE", VESDRA_FONTCONFIG_FILE, 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    vesdra::UseInterfaceFont();
    vesdra::SetExeFolderOverride(QString::fromUtf8(VESDRA_RUNTIME_ROOT "/EXE"));
    // The program's own conversions and formats follow QLocale's default:
    // C, unless a test sets the locale it means (test::ScopedLocale). The C
    // library keeps the locale of the environment, as in the program, so
    // that a routine reading or writing numbers through it shows in a run
    // under another locale (scripts/test.sh runs one in Spanish).
    QLocale::setDefault(QLocale::c());
    const vesdra::ClockSource clock = ClockOfTheRun();
    vesdra::SetClockForTests(clock);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProcessStateGuard(clock));
    return RUN_ALL_TESTS();
}
