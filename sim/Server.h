// The simulator's one loop: bytes from the pty go to the Controller model at
// the time they would have arrived on the line, and its replies go back,
// paced like the line when a speed is given.
#pragma once

#include <csignal>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "sim/Controller.h"
#include "sim/MonoTime.h"
#include "sim/Pty.h"
#include "sim/Trace.h"

namespace sim {

struct LineConfig {
    int lineSpeed = 0;  // baud, 0 for no pacing
    int stale = 0;
    int delayMs = 0;
    std::string eepromFile;
};

class Server {
public:
    Server(Pty& pty, Controller& controller, Trace& trace, LineConfig config);

    // Serves until `stop` becomes non-zero.  `waitMask` is the signal mask
    // to wait under: the stop signals are blocked everywhere else, so one
    // that arrives between checks is taken at the next wait, never lost.
    void Run(volatile std::sig_atomic_t& stop, const sigset_t& waitMask);

    void SaveEeprom();

private:
    struct Pending {
        std::uint8_t byte;
        Nanos arrival;
    };

    void ReadBurst();
    void Handle(const Pending& p);
    void Send(std::vector<std::uint8_t> reply, Nanos arrival);
    // Waits for an injected delay; unlike the pacing sleeps it gives way to
    // a stop signal, since a delay may be long.  False when stopping.
    bool WaitUntil(Nanos deadline);
    // Instant at which `bytes` bytes take on the line, counted from `from`;
    // computed from the start every time, so rounding never accumulates.
    Nanos After(Nanos from, std::int64_t bytes) const;

    Pty& pty_;
    Controller& controller_;
    Trace& trace_;
    LineConfig config_;
    std::deque<Pending> pending_;
    Nanos lineFreeAt_ = 0;  // when the last received byte has fully arrived
    Nanos sendFreeAt_ = 0;  // when the last reply byte has fully gone out
    std::uint8_t junk_ = 0;
    volatile std::sig_atomic_t* stop_ = nullptr;
    const sigset_t* waitMask_ = nullptr;
};

}  // namespace sim
