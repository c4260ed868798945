#pragma once
#include <QString>
#include <cstdint>
#include <functional>

namespace vesdra {

// Window styles of a started program.
inline constexpr int vbHide = 0;
inline constexpr int vbNormalFocus = 1;
inline constexpr int vbMinimizedFocus = 2;
inline constexpr int vbMaximizedFocus = 3;
inline constexpr int vbNormalNoFocus = 4;
inline constexpr int vbMinimizedNoFocus = 6;

struct LaunchRecord {
    QString Program;
    int WindowStyle{vbNormalFocus};
    std::int64_t ProcessId{0};
    bool Started{false};
};

// Starts a program with no arguments in its own folder and does not wait for
// it (Shell). Returns its process id. A path that names no file throws
// VbError 53; a file that cannot be run, VbError 5. The window style is
// recorded (LastLaunch) even where the desktop cannot honour it.
std::int64_t StartProgram(const QString& path, int windowStyle = vbNormalFocus);

// The last StartProgram call, successful or not (Started tells).
[[nodiscard]] const LaunchRecord& LastLaunch();

// Replaces the real start (tests): gets the program path, returns the process
// id or a negative number for "cannot be run". The file check stays. An
// empty function restores the real start.
using ProgramStarter = std::function<std::int64_t(const QString& program)>;
void SetProgramStarterForTests(ProgramStarter starter);

} // namespace vesdra
