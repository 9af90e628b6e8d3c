// The simulated Controller: the protocol state machine on received bytes,
// the EEPROM, the clock, the hourly logs and the debug snapshot.  It knows
// nothing of ptys or pacing: it is given each byte with the time it arrived
// and returns the reply, so it can be driven directly by unit tests.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "sim/ControllerClock.h"
#include "sim/Eeprom.h"
#include "sim/MonoTime.h"
#include "sim/Plant.h"

namespace sim {

constexpr std::uint8_t kAck = 0x06;
constexpr Nanos kSequenceTimeout = 1000 * kNanosPerMilli;
constexpr std::size_t kDebugDumpSize = 259;
constexpr std::uint8_t kDebugStackPointer = 0x93;

struct ControllerConfig {
    // Data byte of a page write that gets no acknowledgement (the write is
    // then abandoned); −1 for none.
    int noAckAfter = -1;
    // The page whose writes get that fault; −1 for every page.
    int noAckPage = -1;
    // A worn EEPROM cell (page × 256 + offset) that keeps its value; −1: none.
    int stuckByte = -1;
    // Command byte → number of reply bytes actually sent.
    std::map<std::uint8_t, std::size_t> shortReplies;
    std::array<std::uint8_t, 16> info{};
};

enum class ByteRole { Command, Data };

struct Response {
    ByteRole role = ByteRole::Command;
    std::vector<std::uint8_t> reply;
    // The EEPROM changed in a way that should reach the image file now (a
    // page write ended, or the logs advanced).
    bool saveEeprom = false;
};

class Controller {
public:
    Controller(ControllerConfig config, const Eeprom& image, const ClockTime& clock, Nanos now);

    // One received byte, at the time it arrived on the line.
    Response OnByte(std::uint8_t byte, Nanos now);

    // Lets time pass without traffic: abandons a silent sequence and writes
    // the logs of every hour that has ended.  True when the image file
    // should be saved.
    bool Tick(Nanos now);
    // When Tick next has something to do.
    Nanos NextWakeup() const;

    const Eeprom& Image() const { return eeprom_; }
    ClockTime Clock(Nanos now) const { return clock_.Read(now); }
    bool InSequence() const { return state_ != State::Command; }
    PlantState Plant(Nanos now) const;
    std::array<std::uint8_t, kDebugDumpSize> DebugDump(Nanos now) const;

private:
    enum class State { Command, PageData, ClockData };

    std::vector<std::uint8_t> OnCommand(std::uint8_t command, Nanos now);
    std::vector<std::uint8_t> OnPageData(std::uint8_t byte, bool* ended);
    std::vector<std::uint8_t> OnClockData(std::uint8_t byte, Nanos now);
    bool AbandonSilentSequence(Nanos now);
    bool AdvanceLogs(Nanos now);
    void WriteLogEntry(std::int64_t hour);
    double PlantSeconds(Nanos t) const { return static_cast<double>(t - start_) / kNanosPerSecond; }

    ControllerConfig config_;
    Eeprom eeprom_;
    ControllerClock clock_;
    Nanos start_;
    Nanos regulatorStart_;

    State state_ = State::Command;
    Nanos lastByteAt_ = 0;
    int page_ = 0;
    int index_ = 0;
    std::array<int, 3> clockBytes_{};

    std::int64_t loggedHour_ = 0;  // the clock hour now being accumulated
    Nanos hourCountedFrom_ = 0;    // boiler time counts from here (clock set)
};

}  // namespace sim
