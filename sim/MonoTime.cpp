#include "sim/MonoTime.h"

#include <cerrno>
#include <ctime>

namespace sim {

Nanos MonoNow()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<Nanos>(ts.tv_sec) * kNanosPerSecond + ts.tv_nsec;
}

void SleepUntil(Nanos deadline)
{
    if (deadline <= 0) return;
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(deadline / kNanosPerSecond);
    ts.tv_nsec = static_cast<long>(deadline % kNanosPerSecond);
    // Absolute deadlines: an interrupted sleep resumes toward the same
    // instant, so repeated waits never accumulate drift.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

}  // namespace sim
