#include "sim/ControllerClock.h"

namespace sim {

void ControllerClock::Set(const ClockTime& time, Nanos now)
{
    const std::int64_t count = static_cast<std::int64_t>(((time.weekday % 7) + 7) % 7) * 86400 +
                               static_cast<std::int64_t>(time.hours) * 3600 +
                               static_cast<std::int64_t>(time.minutes) * 60 + time.seconds;
    base_ = ((count % kSecondsPerWeek) + kSecondsPerWeek) % kSecondsPerWeek;
    setAt_ = now;
}

std::int64_t ControllerClock::SecondsCount(Nanos now) const
{
    return base_ + FloorDiv(now - setAt_, kNanosPerSecond);
}

ClockTime ControllerClock::Read(Nanos now) const
{
    const std::int64_t count = SecondsCount(now);
    const std::int64_t inWeek = ((count % kSecondsPerWeek) + kSecondsPerWeek) % kSecondsPerWeek;
    ClockTime t;
    t.seconds = static_cast<int>(inWeek % 60);
    t.minutes = static_cast<int>(inWeek / 60 % 60);
    t.hours = static_cast<int>(inWeek / 3600 % 24);
    t.weekday = static_cast<int>(inWeek / 86400);
    return t;
}

std::int64_t ControllerClock::HourNumber(Nanos now) const { return FloorDiv(SecondsCount(now), 3600); }

Nanos ControllerClock::HourStart(std::int64_t hour) const
{
    return setAt_ + (hour * 3600 - base_) * kNanosPerSecond;
}

}  // namespace sim
