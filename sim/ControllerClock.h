// The Controller's real-time clock: a time of the week that runs on the
// monotonic clock from the moment it was set.
#pragma once

#include <cstdint>

#include "sim/MonoTime.h"

namespace sim {

// Weekday 0 = Monday … 6 = Sunday, as the Controller numbers the days.
struct ClockTime {
    int seconds = 0;
    int minutes = 0;
    int hours = 0;
    int weekday = 0;
};

constexpr std::int64_t kSecondsPerWeek = 7 * 24 * 3600;

class ControllerClock {
public:
    // Values out of their ranges (75 seconds, 30 hours, weekday 9) are
    // normalised, as if the clock had counted them: 75 s reads back as
    // 15 s of the next minute, weekday 9 as 2 (Wednesday).
    void Set(const ClockTime& time, Nanos now);
    ClockTime Read(Nanos now) const;

    // Whole hours counted since the week start before the last Set; grows by
    // one at every full hour of the clock, including past the week's end.
    std::int64_t HourNumber(Nanos now) const;
    // The monotonic instant at which HourNumber becomes `hour`.
    Nanos HourStart(std::int64_t hour) const;

private:
    std::int64_t SecondsCount(Nanos now) const;

    std::int64_t base_ = 0;  // seconds of the week at setAt_
    Nanos setAt_ = 0;
};

}  // namespace sim
