#pragma once
#include <QDateTime>
#include <functional>

namespace vesdra {

// The wall-clock time the program shows and prints (the status bar's clock,
// the date of a printed page): every read of it goes through here, so that
// the tests can fix it.
[[nodiscard]] QDateTime WallClockNow();

// A clock that answers WallClockNow() in place of the system's; an empty one goes
// back to the system's. Tests only.
using ClockSource = std::function<QDateTime()>;
void SetClockForTests(ClockSource clock);
// The clock set, empty while the system's answers.
[[nodiscard]] const ClockSource& ClockForTests();

} // namespace vesdra
