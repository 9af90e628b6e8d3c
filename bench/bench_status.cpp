// The status poll against the simulator at 9600 baud, driven once a second
// as the tab's timer drives it, through the same tick function.  Two
// targets: over 60 s of the normal view the poll costs this process less
// than 1 % of one CPU core (it sleeps between ticks and waits for replies
// in poll(), never spinning), and no tick blocks the window for longer than
// its line time plus 5 ms.  The line time of a tick is every byte that
// crosses the line during it, 10 bits per byte, both ways: 16 bytes for a
// normal tick (clock and status), 25 when the temperatures are due.  The
// simulator's own lateness against its pacing (it notes it per reply) is
// the stand-in Controller's, not the program's, and is taken off before the
// target is applied; the figure with it is printed too.
#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "bench/LineTime.h"
#include "tests/support/FailureCallback.h"
#include "controller/StatusPoll.h"
#include "link/Commands.h"
#include "link/Serial.h"
#include "link/Transaction.h"

namespace {

using bench::Baud;
using bench::ByteSeconds;
using bench::OpenSimulatorLine;

constexpr int NormalSeconds = 60;
constexpr int QuickSeconds = 5;
constexpr double CpuTarget = 0.01;
constexpr double SlackTarget = 0.005;

double Now(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void SleepUntil(double monotonic)
{
    timespec t{};
    t.tv_sec = time_t(monotonic);
    t.tv_nsec = long((monotonic - double(t.tv_sec)) * 1e9);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) != 0) {
    }
}

struct Tick {
    double seconds;   // how long the tick blocked
    double cpu;       // of which the program computed (the rest it waited)
    int lineBytes;    // bytes that crossed the line during it
    int replies;      // exchanges, so the simulator's notes can be matched
};

// The simulator notes how late each reply's last byte went out against its
// own schedule; that part of a tick is the simulator's, not the program's.
// Reply by reply here, to be matched with the ticks.
std::vector<double> LatenessPerReply(const SimProcess& sim)
{
    std::vector<double> late;
    for (const std::string& line : sim.TxLines()) {
        const auto pos = line.find("late_us=");
        late.push_back(pos == std::string::npos ? 0.0 : std::atof(line.c_str() + pos + 8) / 1e6);
    }
    return late;
}

std::vector<Tick> Poll(ControllerLink& link, bool quick, int seconds, std::uint8_t& lastStatusMinute)
{
    const PcClock pcClock = [] { return QDateTime::currentDateTime(); };
    std::vector<Tick> ticks;
    double next = Now(CLOCK_MONOTONIC);
    for (int i = 0; i < seconds; ++i) {
        SleepUntil(next);
        next += 1.0;
        const double start = Now(CLOCK_MONOTONIC);
        const double cpuStart = Now(CLOCK_THREAD_CPUTIME_ID);
        const StatusShow show = RunStatusTick(link, quick, lastStatusMinute, pcClock);
        const double cpu = Now(CLOCK_THREAD_CPUTIME_ID) - cpuStart;
        const double blocked = Now(CLOCK_MONOTONIC) - start;
        lastStatusMinute = show.lastStatusMinute;
        const int sensorBlocks = quick ? 2 : show.sensors ? 1 : 0;
        ticks.push_back({blocked, cpu, 16 + 9 * sensorBlocks, 2 + sensorBlocks});
    }
    SleepUntil(next);  // the last tick's second, so the run spans whole seconds
    return ticks;
}

// Worst slack of the ticks over their line time, raw and without the
// simulator's lateness; `lateAt` walks the simulator's notes in step.
struct Worst {
    double slack = -1, slackLessSim = -1, ratio = 0, medianSlack = 0, cpu = 0;
    int ticksWithSensors = 0;
};

Worst Measure(const std::vector<Tick>& ticks, const std::vector<double>& late, std::size_t& lateAt)
{
    Worst w;
    std::vector<double> slacks;
    for (const Tick& t : ticks) {
        double simLate = 0;
        for (int r = 0; r < t.replies && lateAt < late.size(); ++r)
            simLate += late[lateAt++];
        const double line = t.lineBytes * ByteSeconds;
        w.slack = std::max(w.slack, t.seconds - line);
        slacks.push_back(t.seconds - line);
        w.slackLessSim = std::max(w.slackLessSim, t.seconds - line - simLate);
        w.ratio = std::max(w.ratio, t.seconds / line);
        w.ticksWithSensors += t.lineBytes > 16;
        w.cpu = std::max(w.cpu, t.cpu);
    }
    std::sort(slacks.begin(), slacks.end());
    w.medianSlack = slacks.empty() ? 0 : slacks[slacks.size() / 2];
    return w;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Half a minute before the turn of a minute: the run sees a second 0
    // and one temperature read.
    bench::SimLine line({"--clock", "10:20:30:2"});
    if (!line.open)
        return 2;

    // A simulator with no client on its line looks for one every 10 ms: a
    // real device has no such wait, so it is spent before the first tick.
    std::uint8_t clock[Command::ClockReplyLength];
    line.link.Transact(Command::ReadClock, clock, Command::ClockReplyLength);

    std::uint8_t lastStatusMinute = NoStatusMinute;
    const double cpuStart = Now(CLOCK_PROCESS_CPUTIME_ID);
    const double wallStart = Now(CLOCK_MONOTONIC);
    const std::vector<Tick> normal = Poll(line.link, false, NormalSeconds, lastStatusMinute);
    const double cpu = Now(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    const double wall = Now(CLOCK_MONOTONIC) - wallStart;
    const std::vector<Tick> quick = Poll(line.link, true, QuickSeconds, lastStatusMinute);
    Serial::ClosePort();

    if (line.failures) {
        std::fprintf(stderr, "%d exchanges failed\n", line.failures);
        return 2;
    }
    const std::vector<double> late = LatenessPerReply(line.sim);
    std::size_t lateAt = 0;
    const Worst n = Measure(normal, late, lateAt);
    const Worst q = Measure(quick, late, lateAt);

    const double load = cpu / wall;
    std::printf("normal view: %d ticks in %.1f s (%d with temperatures), CPU %.1f ms = %.3f %% of one core "
                "(target < %.1f %%)\n",
                int(normal.size()), wall, n.ticksWithSensors, cpu * 1e3, load * 100, CpuTarget * 100);
    const auto report = [](const char* view, const Worst& w) {
        std::printf("%s: worst tick %.2f ms over its line time without the simulator's lateness (target <= "
                    "%.1f ms); with it %.2f ms (ratio %.3f); median %.2f ms; most CPU in one tick %.2f ms\n",
                    view, w.slackLessSim * 1e3, SlackTarget * 1e3, w.slack * 1e3, w.ratio, w.medianSlack * 1e3,
                    w.cpu * 1e3);
    };
    report("normal view", n);
    report("quick view ", q);
    const bool ok = load < CpuTarget && n.slackLessSim <= SlackTarget && q.slackLessSim <= SlackTarget;
    std::printf("%s\n", ok ? "targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
