#include "platform/base/clock.h"

#include <utility>

namespace vesdra {

namespace {
ClockSource& Source()
{
    static ClockSource clock;
    return clock;
}
} // namespace

QDateTime WallClockNow()
{
    return Source() ? Source()() : QDateTime::currentDateTime();
}

void SetClockForTests(ClockSource clock)
{
    Source() = std::move(clock);
}

const ClockSource& ClockForTests()
{
    return Source();
}

} // namespace vesdra
