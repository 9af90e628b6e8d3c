// Monotonic time in nanoseconds: everything the simulator schedules (line
// pacing, the Controller's clock, sequence time-outs) counts on one clock
// that the host's wall-clock changes cannot move.
#pragma once

#include <cstdint>

namespace sim {

using Nanos = std::int64_t;

constexpr Nanos kNanosPerMicro = 1000;
constexpr Nanos kNanosPerMilli = 1000 * 1000;
constexpr Nanos kNanosPerSecond = 1000 * 1000 * 1000;

Nanos MonoNow();

// Sleeps until the absolute CLOCK_MONOTONIC time (returns at once when it is
// already past); restarts after signals so a deadline is never cut short.
void SleepUntil(Nanos deadline);

// Floor division that rounds toward −∞, for times before an origin.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

}  // namespace sim
