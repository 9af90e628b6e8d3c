// vesk-sim: takes the Controller's place on a pseudo-terminal.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>
#include <sys/prctl.h>
#include <vector>

#include "sim/Controller.h"
#include "sim/DefaultImage.h"
#include "sim/Eeprom.h"
#include "sim/Options.h"
#include "sim/Pty.h"
#include "sim/Server.h"
#include "sim/Trace.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void OnStopSignal(int) { gStop = 1; }

sim::ClockTime HostClock()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    sim::ClockTime t;
    t.seconds = std::min(local.tm_sec, 59);
    t.minutes = local.tm_min;
    t.hours = local.tm_hour;
    t.weekday = (local.tm_wday + 6) % 7;  // tm counts from Sunday
    return t;
}

int Fail(int code, const std::string& message)
{
    std::fprintf(stderr, "vesk-sim: %s\n", message.c_str());
    return code;
}

}  // namespace

int main(int argc, char** argv)
{
    // Block the stop signals from the first instant: they are taken only
    // inside the loop's wait, so a reply is never cut off half-way and a
    // signal between two checks is not lost.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGINT);
    struct sigaction sa{};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    const sim::Nanos start = sim::MonoNow();
    const sim::ParseResult parsed = sim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "vesk-sim: %s\n%s", parsed.error.c_str(), sim::Usage().c_str());
        return 2;
    }
    const sim::Options& options = parsed.options;
    if (options.help) {
        std::fputs(sim::Usage().c_str(), stdout);
        return 0;
    }

    sim::Eeprom image = sim::DefaultImage();
    if (!options.eepromFile.empty()) {
        sim::EepromLoad load = sim::LoadEepromFile(options.eepromFile);
        if (load.result == sim::EepromLoad::Result::Error) return Fail(2, load.error);
        if (load.result == sim::EepromLoad::Result::Loaded) image = load.image;
    }

    std::string error;
    sim::Trace trace(start);
    if (!options.traceFile.empty() && !trace.Open(options.traceFile, &error)) return Fail(2, error);

    sim::ControllerConfig config;
    config.noAckAfter = options.noAckAfter;
    config.noAckPage = options.noAckPage;
    config.stuckByte = options.stuckByte;
    config.shortReplies = options.shortReplies;
    config.info = options.info;
    sim::Controller controller(config, image, options.clock.value_or(HostClock()), start);

    sim::Pty pty;
    if (!pty.Open(&error) || !pty.Link(options.link, &error)) return Fail(1, error);

    // The default 50 µs timer slack would show up in every paced byte.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);

    std::printf("%s\n", pty.SlavePath().c_str());
    std::fflush(stdout);

    sim::LineConfig line;
    line.lineSpeed = options.lineSpeed;
    line.stale = options.stale;
    line.delayMs = options.delayMs;
    line.eepromFile = options.eepromFile;
    sim::Server server(pty, controller, trace, line);
    server.Run(gStop, waitMask);

    server.SaveEeprom();
    pty.Unlink();
    return 0;
}
