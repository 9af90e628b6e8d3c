// The simulator's command line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/ControllerClock.h"

namespace sim {

struct Options {
    std::string link;
    std::string eepromFile;               // empty: no file
    int lineSpeed = 0;                    // baud; 0: reply at once
    int noAckAfter = -1;
    int noAckPage = -1;                   // the fault only in writes of this page; −1: every page
    int stuckByte = -1;                   // EEPROM address (page × 256 + offset) that ignores writes; −1: none
    std::map<std::uint8_t, std::size_t> shortReplies;
    int stale = 0;
    int delayMs = 0;
    std::string traceFile;                // empty: no trace
    std::array<std::uint8_t, 16> info{};
    std::optional<ClockTime> clock;       // empty: the host's local time
    bool help = false;
};

struct ParseResult {
    Options options;
    std::string error;  // empty when the command line is valid
};

ParseResult ParseOptions(const std::vector<std::string>& args);
std::string Usage();

// The information text of a Controller nobody configured.
std::array<std::uint8_t, 16> DefaultInfo();

}  // namespace sim
