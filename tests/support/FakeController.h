// A Controller behind the fake port for the status poll and the clock
// setting: it answers from blocks the test sets, follows the clock-set
// sequence, and can withhold one reply.  No waiting: what it answers is
// there as soon as the request is written.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/PageMap.h"

struct FakeController {
    std::array<std::uint8_t, 4> clock{0x1E, 0x14, 0x0A, 0x02};  // 10:20:30, Wednesday
    std::array<std::uint8_t, 10> status{};
    std::array<std::uint8_t, 8> ad{}, temperatures{}, current{};
    PageBuffer page0{};

    // This command gets no reply at all.
    std::optional<std::uint8_t> silentCommand;
    // This data byte of the clock setting (0 seconds, 1 minutes, 2 hours)
    // is not acknowledged; the Controller gives up the sequence.
    int silentClockByte = -1;

    // Answers every write of the fake port from now on.
    void Install();
    // The bytes the program has sent since the last call.
    std::vector<std::uint8_t> TakeSent();

private:
    void Receive(std::uint8_t byte);

    int clockBytes_ = -1;  // −1: the next byte is a command
    std::size_t taken_ = 0;
};
