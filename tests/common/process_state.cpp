#include "common/process_state.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <unistd.h>

#include "platform/base/app_paths.h"
#include "platform/base/formats.h"
#include "platform/base/vb_error.h"
#include "platform/modal_loops.h"

extern char** environ;

namespace vesdra::test {

namespace {

std::vector<std::string> Environment()
{
    std::vector<std::string> vars;
    for (char** e = environ; e && *e; ++e)
        vars.emplace_back(*e);
    std::sort(vars.begin(), vars.end());
    return vars;
}

std::string CLocale()
{
    const char* l = std::setlocale(LC_ALL, nullptr);
    return l ? l : "";
}

std::string NameOf(const std::string& var)
{
    return var.substr(0, var.find('='));
}

} // namespace

ProcessState CaptureProcessState()
{
    ProcessState s;
    s.ExeFolderOverride = ExeFolderOverride();
    s.Locale = QLocale();
    s.CLocale = CLocale();
    s.RuntimeSpanish = RuntimeSpanish();
    s.ProgramEnding = ProgramEnding();
    s.DecimalSeparator = DecimalSeparator();
    s.Font = QApplication::font();
    s.Environment = Environment();
    s.CurrentFolder = QDir::currentPath();
    return s;
}

QStringList ChangesBetween(const ProcessState& before, const ProcessState& now)
{
    QStringList c;
    if (now.ExeFolderOverride != before.ExeFolderOverride)
        c << QStringLiteral("the program-folder override \"%1\", was \"%2\"")
                 .arg(now.ExeFolderOverride, before.ExeFolderOverride);
    if (now.Locale != before.Locale)
        c << QStringLiteral("QLocale's default %1, was %2").arg(now.Locale.name(), before.Locale.name());
    if (now.CLocale != before.CLocale)
        c << QStringLiteral("the C library's locale %1, was %2")
                 .arg(QString::fromStdString(now.CLocale), QString::fromStdString(before.CLocale));
    if (now.RuntimeSpanish != before.RuntimeSpanish)
        c << QStringLiteral("the runtime's texts in %1").arg(now.RuntimeSpanish ? "Spanish" : "English");
    if (now.ProgramEnding != before.ProgramEnding)
        c << QStringLiteral("the program's end %1")
                 .arg(now.ProgramEnding ? "confirmed" : "no longer confirmed");
    if (now.DecimalSeparator != before.DecimalSeparator)
        c << QStringLiteral("the decimal separator \"%1\"").arg(now.DecimalSeparator);
    if (now.Font != before.Font)
        c << QStringLiteral("the application font %1").arg(now.Font.toString());
    if (now.Environment != before.Environment) {
        std::vector<std::string> changed;
        std::set_symmetric_difference(before.Environment.begin(), before.Environment.end(),
                                      now.Environment.begin(), now.Environment.end(),
                                      std::back_inserter(changed));
        QStringList names;
        for (const std::string& v : changed)
            if (!names.contains(QString::fromStdString(NameOf(v))))
                names << QString::fromStdString(NameOf(v));
        c << QStringLiteral("the environment variables %1").arg(names.join(QStringLiteral(", ")));
    }
    if (now.CurrentFolder != before.CurrentFolder)
        c << QStringLiteral("the working folder %1").arg(now.CurrentFolder);
    return c;
}

void RestoreProcessState(const ProcessState& state)
{
    SetExeFolderOverride(state.ExeFolderOverride);
    QLocale::setDefault(state.Locale);
    std::setlocale(LC_ALL, state.CLocale.c_str());
    SetRuntimeSpanish(state.RuntimeSpanish);
    SetProgramEnding(state.ProgramEnding);
    if (DecimalSeparator() != state.DecimalSeparator)
        SetDecimalSeparatorForTests({});
    if (QApplication::font() != state.Font)
        QApplication::setFont(state.Font);
    const std::vector<std::string> now = Environment();
    for (const std::string& v : now)
        ::unsetenv(NameOf(v).c_str());
    for (const std::string& v : state.Environment)
        ::setenv(NameOf(v).c_str(), v.substr(v.find('=') + 1).c_str(), 1);
    QDir::setCurrent(state.CurrentFolder);
}

ScopedLocale::ScopedLocale(const char* name) : qt_(QLocale()), c_(CLocale())
{
    available_ = std::setlocale(LC_ALL, name) != nullptr;
    if (!available_)
        ADD_FAILURE() << "the locale " << name
                      << " is not installed here (scripts/setup.sh generates it, as root)";
    QLocale::setDefault(QLocale(QString::fromLatin1(name)));
}

ScopedLocale::~ScopedLocale()
{
    std::setlocale(LC_ALL, c_.c_str());
    QLocale::setDefault(qt_);
}

ScopedExeFolder::ScopedExeFolder() : before_(ExeFolderOverride()) {}

ScopedExeFolder::ScopedExeFolder(const QString& folder) : ScopedExeFolder()
{
    Set(folder);
}

ScopedExeFolder::~ScopedExeFolder()
{
    SetExeFolderOverride(before_);
}

void ScopedExeFolder::Set(const QString& folder)
{
    SetExeFolderOverride(folder);
}

ScopedClock::ScopedClock(const QDateTime& fixed) : ScopedClock(ClockSource([fixed] { return fixed; })) {}

ScopedClock::ScopedClock(ClockSource clock) : before_(ClockForTests())
{
    SetClockForTests(std::move(clock));
}

ScopedClock::~ScopedClock()
{
    SetClockForTests(before_);
}

ClockSource TickingClock(const QDateTime& start)
{
    auto reads = std::make_shared<qint64>(0);
    return [start, reads] { return start.addSecs((*reads)++); };
}

bool WaitFor(const std::function<bool()>& done, int deadlineMs)
{
    return QTest::qWaitFor(done, deadlineMs);
}

namespace {

// Fails a test that left the process-wide state changed, naming what, and
// puts it back, so that the next test finds it as the main set it whatever
// ran before (a whole program, shuffled, repeated).
class ProcessStateGuard final : public ::testing::EmptyTestEventListener
{
public:
    explicit ProcessStateGuard(ClockSource clock) : clock_(std::move(clock)) {}

    void OnTestStart(const ::testing::TestInfo&) override { before_ = CaptureProcessState(); }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        const QStringList changes = ChangesBetween(before_, CaptureProcessState());
        if (!changes.isEmpty()) {
            ADD_FAILURE() << "the test left the process changed: "
                          << changes.join(QStringLiteral("; ")).toStdString();
            RestoreProcessState(before_);
        }
        SetClockForTests(clock_);
    }

private:
    ClockSource clock_;
    ProcessState before_;
};

// VESDRA_TEST_CLOCK=tick (scripts/test-clock.sh): the time the program shows
// and prints moves one second at every read, from a moment where the next
// reads change the minute, the hour, the day and the year. A test that
// compares two reads, or a printed time with a later read, fails under it.
ClockSource ClockOfTheRun()
{
    const char* clock = std::getenv("VESDRA_TEST_CLOCK");
    if (!clock || !*clock)
        return {};
    if (std::string(clock) != "tick") {
        std::cerr << "VESDRA_TEST_CLOCK=" << clock << ": only \"tick\" is known\n";
        std::exit(2);
    }
    std::cout << "The time the program shows moves one second at every read." << std::endl;
    return TickingClock(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)));
}

} // namespace

void PrepareTestProgram()
{
    SetExeFolderOverride(QString::fromUtf8(VESDRA_RUNTIME_ROOT "/EXE"));
    // The program's own conversions and formats follow QLocale's default:
    // C, unless a test sets the locale it means (test::ScopedLocale). The C
    // library keeps the locale of the environment, as in the program, so
    // that a routine reading or writing numbers through it shows in a run
    // under another locale (scripts/test.sh runs one in Spanish).
    QLocale::setDefault(QLocale::c());
    const ClockSource clock = ClockOfTheRun();
    SetClockForTests(clock);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProcessStateGuard(clock));
}

} // namespace vesdra::test
