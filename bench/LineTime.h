// What every benchmark against the simulator measures itself by: the time
// the bytes take on a 9600-baud line (10 bits per byte, start and stop bit
// included), and how late the simulator itself was with its replies.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <vector>

#include "link/Serial.h"
#include "link/Transaction.h"
#include "tests/support/FailureCallback.h"
#include "tests/support/SimProcess.h"

namespace bench {

constexpr int Baud = 9600;
constexpr double ByteSeconds = 10.0 / Baud;

inline double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// The simulator notes, per reply, how late its last byte went out against
// its own schedule: that part of the time is the simulator's, not ours.
inline double SimulatorLateness(const SimProcess& sim, std::size_t fromLine)
{
    double late = 0;
    auto lines = sim.TxLines();
    for (std::size_t i = fromLine; i < lines.size(); ++i) {
        auto pos = lines[i].find("late_us=");
        if (pos != std::string::npos)
            late += std::atof(lines[i].c_str() + pos + 8) / 1e6;
    }
    return late;
}

// Opens the simulator's line as "COM1" at the line's speed; says so when it
// cannot.
inline bool OpenSimulatorLine(const SimProcess& sim)
{
    Serial::SetPortMap({{"COM1", sim.LinkPath()}});
    if (Serial::OpenPort("COM1", Baud))
        return true;
    std::fprintf(stderr, "cannot open the simulator's link\n");
    return false;
}

// A simulator at the line's speed (and the further options given), its line
// open as "COM1", and a link to it that counts its failed exchanges.
struct SimLine {
    explicit SimLine(std::vector<std::string> options = {})
        : sim(VESK_SIM_PATH, WithLineSpeed(std::move(options))), open(OpenSimulatorLine(sim))
    {
    }
    SimProcess sim;
    bool open;
    int failures = 0;
    FailureCallback counter{[this](const LinkFailure&) { ++failures; }};
    ControllerLink link{&counter};

private:
    static std::vector<std::string> WithLineSpeed(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"--line-speed", std::to_string(Baud)});
        return options;
    }
};

}  // namespace bench
