// The debug dump against the simulator at 9600 baud: one request byte and
// the 259-byte snapshot, measured against their line time, and the
// decoding into the processed view, which must vanish beside it.
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/LineTime.h"
#include "tests/support/FailureCallback.h"
#include "controller/DebugDump.h"
#include "link/Serial.h"
#include "link/Transaction.h"
#include "tests/support/SimProcess.h"

namespace {

using namespace bench;

constexpr int Rounds = 5;
constexpr int DecodeRounds = 2000;

}  // namespace

int main()
{
    bench::SimLine sim;
    if (!sim.open)
        return 2;
    DebugSnapshot snapshot{};

    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    for (int i = 0; i < Rounds; ++i)
        sim.link.Transact(Command::DebugDump, snapshot.data(), Command::DebugDumpLength);
    const double dumpTime = Seconds(Clock::now() - start) / Rounds;
    Serial::ClosePort();
    if (sim.failures) {
        std::fprintf(stderr, "%d exchanges failed\n", sim.failures);
        return 2;
    }

    // Every stack pointer in turn, so the longest stack part is decoded too.
    qsizetype lines = 0;
    start = Clock::now();
    for (int i = 0; i < DecodeRounds; ++i) {
        snapshot[DebugDump::StackPointer] = std::uint8_t(i);
        lines += DebugDump::ProcessedView(snapshot).size();
    }
    const double decodeTime = Seconds(Clock::now() - start) / DecodeRounds;

    const double line = (1 + Command::DebugDumpLength) * ByteSeconds;
    const double ratio = (dumpTime + decodeTime) / line;
    std::printf("debug dump: %7.1f ms, line time %6.1f ms; processed view %.1f us (%.4f of line time, %lld lines); "
                "ratio %.3f (target <= 1.05)\n",
                dumpTime * 1e3, line * 1e3, decodeTime * 1e6, decodeTime / line, static_cast<long long>(lines),
                ratio);
    const bool ok = ratio <= 1.05;
    std::printf("%s\n", ok ? "targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
