#pragma once
#include <QDateTime>
#include <QFont>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/clock.h"

// The process-wide state the test programs guard. A test changes it only
// through the scoped helpers below (or restores it itself); the test main
// checks after every test that it was left as found, fails a test that left
// it changed, naming what, and puts it back so that the next test starts
// alike whatever ran before.
namespace vesdra::test {

// What a test may change of the process: the program-folder override, the
// locale (QLocale's default and the C library's), the language of the
// runtime's texts, the program's end being confirmed, the decimal separator, the application font, the
// environment and the working folder.
struct ProcessState {
    QString ExeFolderOverride;
    QLocale Locale;
    std::string CLocale;
    bool RuntimeSpanish{false};
    bool ProgramEnding{false};
    QChar DecimalSeparator;
    QFont Font;
    std::vector<std::string> Environment;
    QString CurrentFolder;
};
[[nodiscard]] ProcessState CaptureProcessState();
// What `now` changed of `before`, one line per item; empty when nothing.
[[nodiscard]] QStringList ChangesBetween(const ProcessState& before, const ProcessState& now);
void RestoreProcessState(const ProcessState& state);

// The locale a test means, for Qt's conversions and formats (QLocale's
// default) and the C library's (LC_ALL) alike, e.g. "es_ES.UTF-8"; the one
// found comes back when it goes. A locale the machine lacks is a failure of
// the test that names it (scripts/setup.sh generates them).
class ScopedLocale
{
public:
    explicit ScopedLocale(const char* name);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    [[nodiscard]] bool Available() const { return available_; }

private:
    QLocale qt_;
    std::string c_;
    bool available_{false};
};

// The locales the program's users run it under, beside C: a table of cases
// runs over them.
inline constexpr const char* kUserLocales[] = {"C", "es_ES.UTF-8", "de_DE.UTF-8"};

// The program pointed at another executable folder (a runtime tree of the
// test's own) for as long as it lives; the override found comes back when
// it goes. Set() points it again.
class ScopedExeFolder
{
public:
    ScopedExeFolder();
    explicit ScopedExeFolder(const QString& folder);
    ~ScopedExeFolder();
    ScopedExeFolder(const ScopedExeFolder&) = delete;
    ScopedExeFolder& operator=(const ScopedExeFolder&) = delete;
    void Set(const QString& folder);

private:
    QString before_;
};

// A clock of the tests' own for the time the program shows and prints; the
// one found comes back when it goes.
class ScopedClock
{
public:
    explicit ScopedClock(const QDateTime& fixed);
    explicit ScopedClock(ClockSource clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    ClockSource before_;
};

// A clock that starts at `start` and moves one second at every read.
[[nodiscard]] ClockSource TickingClock(const QDateTime& start);

// How long a test waits for an event it is sure to get (a timer's firing, a
// child process's answer) before it fails: generous, for a loaded machine.
inline constexpr int kEventDeadlineMs = 30000;
// Runs the event loop until `done` holds (true) or the deadline passes
// (false, `done` still false).
[[nodiscard]] bool WaitFor(const std::function<bool()>& done, int deadlineMs = kEventDeadlineMs);

// What every test program sets once its application exists, whatever main
// it has: the runtime tree of the build folder, QLocale's default C, the
// clock of the run (VESDRA_TEST_CLOCK=tick: one that moves a second at every
// read), and the guard that fails a test leaving the process changed.
void PrepareTestProgram();

} // namespace vesdra::test
