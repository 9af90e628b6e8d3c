// Page read and page write against the simulator at 9600 baud, measured
// against the line time of every byte that crosses the line (10 bits per
// byte, both ways): 257 bytes for a read, 513 for a write.  The program's
// own cost per exchange must vanish beside the line.  The port's open, with
// its look through every process's open files on this machine, is measured
// against the line time of one page read: the user waits for it as long.
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/LineTime.h"
#include "link/Serial.h"
#include "link/Transaction.h"
#include "tests/support/FailureCallback.h"

namespace {

using namespace bench;

constexpr int Rounds = 5;

}  // namespace

int main()
{
    SimProcess sim(VESK_SIM_PATH, {"--line-speed", std::to_string(Baud)});
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    if (!OpenSimulatorLine(sim))
        return 2;
    const double openTime = Seconds(Clock::now() - start);
    const Serial::HolderScan scan = Serial::ScanForHolder(sim.LinkPath());
    int failures = 0;
    FailureCallback counter([&](const LinkFailure&) { ++failures; });
    ControllerLink link(&counter);
    PageBuffer page{};

    std::size_t txBefore = sim.TxLines().size();
    start = Clock::now();
    for (int i = 0; i < Rounds; ++i)
        link.ReadPage(1, page);
    double readTime = Seconds(Clock::now() - start) / Rounds;
    double readLate = SimulatorLateness(sim, txBefore) / Rounds;

    txBefore = sim.TxLines().size();
    start = Clock::now();
    for (int i = 0; i < Rounds; ++i)
        link.WritePage(1, page);
    double writeTime = Seconds(Clock::now() - start) / Rounds;
    double writeLate = SimulatorLateness(sim, txBefore) / Rounds;
    Serial::ClosePort();

    if (failures) {
        std::fprintf(stderr, "%d exchanges failed\n", failures);
        return 2;
    }
    const double readLine = 257 * ByteSeconds;
    const double writeLine = 513 * ByteSeconds;
    const double readRatio = readTime / readLine;
    const double writeRatio = writeTime / writeLine;
    // What is left after the line and the simulator's own lateness is this
    // program's cost plus the pty's and the scheduler's wake-ups.
    std::printf("page read : %7.1f ms, line time %6.1f ms, ratio %.3f (target <= 1.05); "
                "simulator late %.2f ms (%.3f of line time), rest %.3f\n",
                readTime * 1e3, readLine * 1e3, readRatio, readLate * 1e3, readLate / readLine,
                (readTime - readLine - readLate) / readLine);
    std::printf("page write: %7.1f ms, line time %6.1f ms, ratio %.3f (target <= 1.10); "
                "simulator late %.2f ms (%.3f of line time), rest %.3f\n",
                writeTime * 1e3, writeLine * 1e3, writeRatio, writeLate * 1e3, writeLate / writeLine,
                (writeTime - writeLine - writeLate) / writeLine);
    const double openRatio = openTime / readLine;
    std::printf("port open : %7.1f ms, line time of a page read %6.1f ms, ratio %.3f (target <= 1.00); "
                "/proc: %d entries read, %s\n",
                openTime * 1e3, readLine * 1e3, openRatio, scan.entries, scan.cutShort ? "cut short" : "whole");
    bool ok = readRatio <= 1.05 && writeRatio <= 1.10 && openRatio <= 1.0;
    std::printf("%s\n", ok ? "targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
