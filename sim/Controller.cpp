#include "sim/Controller.h"

#include <algorithm>
#include <utility>

namespace sim {
namespace {

constexpr std::uint8_t kReadClock = 0x00;
constexpr std::uint8_t kSetClock = 0x10;
constexpr std::uint8_t kReadPage = 0x20;
constexpr std::uint8_t kWritePage = 0x30;
constexpr std::uint8_t kSensorsAd = 0x40;
constexpr std::uint8_t kSensorsTemp = 0x41;
constexpr std::uint8_t kSensorsCurrent = 0x42;
constexpr std::uint8_t kStatus = 0x43;
constexpr std::uint8_t kInfo = 0x44;
constexpr std::uint8_t kDebugDump = 0x45;
constexpr std::uint8_t kReset = 0x50;

// Boiler time of an hour is summed over samples this far apart.
constexpr Nanos kBoilerSample = 2 * kNanosPerSecond;

}  // namespace

Controller::Controller(ControllerConfig config, const Eeprom& image, const ClockTime& clock, Nanos now)
    : config_(std::move(config)), eeprom_(image), start_(now), regulatorStart_(now)
{
    clock_.Set(clock, now);
    loggedHour_ = clock_.HourNumber(now);
    hourCountedFrom_ = now;
}

Response Controller::OnByte(std::uint8_t byte, Nanos now)
{
    Response r;
    r.saveEeprom = Tick(now);
    r.role = state_ == State::Command ? ByteRole::Command : ByteRole::Data;
    lastByteAt_ = now;
    switch (state_) {
    case State::Command:
        r.reply = OnCommand(byte, now);
        break;
    case State::PageData: {
        bool ended = false;
        r.reply = OnPageData(byte, &ended);
        r.saveEeprom = r.saveEeprom || ended;
        break;
    }
    case State::ClockData:
        r.reply = OnClockData(byte, now);
        break;
    }
    return r;
}

std::vector<std::uint8_t> Controller::OnCommand(std::uint8_t command, Nanos now)
{
    std::vector<std::uint8_t> reply;
    State next = State::Command;
    if (command == kReadClock) {
        const ClockTime t = clock_.Read(now);
        reply = {static_cast<std::uint8_t>(t.seconds), static_cast<std::uint8_t>(t.minutes),
                 static_cast<std::uint8_t>(t.hours), static_cast<std::uint8_t>(t.weekday)};
    } else if (command == kSetClock) {
        reply = {kAck};
        next = State::ClockData;
        index_ = 0;
    } else if ((command & 0xF0) == kReadPage) {
        const auto* page = &eeprom_[(command & 0x0F) * kPageSize];
        reply.assign(page, page + kPageSize);
    } else if ((command & 0xF0) == kWritePage) {
        reply = {kAck};
        next = State::PageData;
        page_ = command & 0x0F;
        index_ = 0;
    } else if (command >= kSensorsAd && command <= kStatus) {
        const PlantState s = Plant(now);
        if (command == kSensorsAd) {
            const auto block = SensorBlock(s.ad);
            reply.assign(block.begin(), block.end());
        } else if (command == kSensorsTemp) {
            const auto block = SensorBlock(s.temperature);
            reply.assign(block.begin(), block.end());
        } else if (command == kSensorsCurrent) {
            const auto block = SensorBlock(s.current);
            reply.assign(block.begin(), block.end());
        } else {
            reply.assign(s.status.begin(), s.status.end());
        }
    } else if (command == kInfo) {
        reply.assign(config_.info.begin(), config_.info.end());
    } else if (command == kDebugDump) {
        const auto dump = DebugDump(now);
        reply.assign(dump.begin(), dump.end());
    } else if (command == kReset) {
        // The firmware restarts: the regulator forgets its averages; the
        // EEPROM and the clock (battery-backed) carry on.
        regulatorStart_ = now;
    }

    const auto shortened = config_.shortReplies.find(command);
    if (shortened != config_.shortReplies.end() && shortened->second < reply.size()) {
        reply.resize(shortened->second);
        // A sequence whose opening acknowledgement was withheld is not
        // entered: the client gives up on it, and its next command must not
        // be swallowed as data.
        if (reply.empty()) next = State::Command;
    }
    state_ = next;
    return reply;
}

std::vector<std::uint8_t> Controller::OnPageData(std::uint8_t byte, bool* ended)
{
    const int index = index_++;
    if (index == config_.noAckAfter && (config_.noAckPage < 0 || config_.noAckPage == page_)) {
        // The injected fault: this byte is not taken and the write is given
        // up; what came before it stays.
        state_ = State::Command;
        *ended = true;
        return {};
    }
    // Stored as it arrives: a broken sequence leaves what came before it.
    if (page_ * kPageSize + index != config_.stuckByte)
        At(eeprom_, page_, index) = byte;
    if (index == kPageSize - 1) {
        state_ = State::Command;
        *ended = true;
        return {};
    }
    return {kAck};
}

std::vector<std::uint8_t> Controller::OnClockData(std::uint8_t byte, Nanos now)
{
    if (index_ < 3) {
        clockBytes_[index_++] = byte;
        return {kAck};
    }
    ClockTime t;
    t.seconds = clockBytes_[0];
    t.minutes = clockBytes_[1];
    t.hours = clockBytes_[2];
    t.weekday = byte;
    // Log the time run so far under the old clock, then start counting anew:
    // setting the clock is not a passing hour.
    AdvanceLogs(now);
    clock_.Set(t, now);
    loggedHour_ = clock_.HourNumber(now);
    hourCountedFrom_ = now;
    state_ = State::Command;
    return {};
}

bool Controller::AbandonSilentSequence(Nanos now)
{
    if (state_ == State::Command || now - lastByteAt_ <= kSequenceTimeout) return false;
    const bool pageTouched = state_ == State::PageData && index_ > 0;
    state_ = State::Command;
    return pageTouched;
}

bool Controller::Tick(Nanos now)
{
    const bool abandoned = AbandonSilentSequence(now);
    const bool logged = AdvanceLogs(now);
    return abandoned || logged;
}

Nanos Controller::NextWakeup() const
{
    Nanos next = clock_.HourStart(loggedHour_ + 1);
    if (state_ != State::Command) next = std::min(next, lastByteAt_ + kSequenceTimeout + 1);
    return next;
}

bool Controller::AdvanceLogs(Nanos now)
{
    const std::int64_t hour = clock_.HourNumber(now);
    if (hour <= loggedHour_) return false;
    // After a long stop only the last 256 hours can show in the rings.
    if (hour - loggedHour_ > kPageSize) loggedHour_ = hour - kPageSize;
    while (loggedHour_ < hour) WriteLogEntry(loggedHour_++);
    return true;
}

void Controller::WriteLogEntry(std::int64_t hour)
{
    const Nanos end = clock_.HourStart(hour + 1);
    const Nanos begin = std::max(clock_.HourStart(hour), hourCountedFrom_);
    hourCountedFrom_ = end;

    std::int64_t boilerSeconds = 0;
    for (Nanos t = begin; t < end; t += kBoilerSample) {
        if (Plant(t).boilerOn) boilerSeconds += kBoilerSample / kNanosPerSecond;
    }
    boilerSeconds = std::min<std::int64_t>(boilerSeconds, (end - begin) / kNanosPerSecond);

    std::uint8_t& logIndex = At(eeprom_, kConstantsPage, constants::LogIndex);
    logIndex = static_cast<std::uint8_t>(logIndex + 1);
    const PlantState atEnd = Plant(end);
    for (int log = 0; log < 3; ++log) {
        const int sensor = At(eeprom_, kConstantsPage, constants::Log1 + log) & 7;
        At(eeprom_, kFirstLogPage + log, logIndex) = static_cast<std::uint8_t>(atEnd.temperature[sensor] & 0xFF);
    }
    At(eeprom_, kBoilerLogPage, logIndex) = static_cast<std::uint8_t>(std::min<std::int64_t>(boilerSeconds / 16, 255));

    std::uint32_t counter = 0;
    for (int i = 0; i < 4; ++i) counter = (counter << 8) | At(eeprom_, kConstantsPage, constants::BlrCounter + i);
    counter += static_cast<std::uint32_t>(boilerSeconds);
    for (int i = 0; i < 4; ++i)
        At(eeprom_, kConstantsPage, constants::BlrCounter + i) = static_cast<std::uint8_t>(counter >> (24 - 8 * i));
}

PlantState Controller::Plant(Nanos now) const
{
    return EvaluatePlant(eeprom_, clock_.Read(now), PlantSeconds(now), static_cast<double>(now - regulatorStart_) / kNanosPerSecond);
}

// The snapshot an 8051 debug routine takes: it was called from an
// interrupt-driven command handler, pushed PC, PSW, ACC, DPTR, B, R0 and R1,
// then called the dump subroutine (whose return address is the top two
// bytes).  The stack starts at 0x80 and grows upward.
std::array<std::uint8_t, kDebugDumpSize> Controller::DebugDump(Nanos now) const
{
    std::array<std::uint8_t, kDebugDumpSize> d{};
    const ClockTime clock = clock_.Read(now);
    const PlantState plant = Plant(now);

    // Register bank 0.  R0 is the dump's own pointer, so it reads as the
    // address it points at (0); R1 holds the command being served.
    const std::uint8_t bank0[8] = {0x00, kDebugDump, 0x1C, 0x03, static_cast<std::uint8_t>(clock.seconds),
                                   static_cast<std::uint8_t>(clock.minutes), static_cast<std::uint8_t>(clock.hours),
                                   static_cast<std::uint8_t>(clock.weekday)};
    std::copy(std::begin(bank0), std::end(bank0), d.begin());
    for (int a = 0x08; a < 0x20; ++a) d[a] = static_cast<std::uint8_t>((a * 0x35 + 0x0B) & 0xFF);  // unused banks

    // Bit-addressable flags and the firmware's variables.
    d[0x20] = plant.status[0];
    d[0x21] = static_cast<std::uint8_t>(0x80 | plant.status[1]);
    d[0x22] = eeprom_[constants::Mode];
    for (int a = 0x23; a < 0x30; ++a) d[a] = static_cast<std::uint8_t>((a * 0x11) & 0xFF);
    const auto temps = SensorBlock(plant.temperature);
    std::copy(temps.begin(), temps.end(), d.begin() + 0x30);
    std::copy(plant.ad.begin(), plant.ad.end(), d.begin() + 0x38);
    std::copy(plant.status.begin(), plant.status.end(), d.begin() + 0x40);
    d[0x4A] = static_cast<std::uint8_t>(clock.seconds);
    d[0x4B] = static_cast<std::uint8_t>(clock.minutes);
    d[0x4C] = static_cast<std::uint8_t>(clock.hours);
    d[0x4D] = static_cast<std::uint8_t>(clock.weekday);
    d[0x4E] = eeprom_[constants::LogIndex];
    d[0x4F] = 0xA5;  // firmware's stack guard
    for (int a = 0x50; a < 0x80; ++a) d[a] = static_cast<std::uint8_t>((a * 0x4D + 0x29) & 0xFF);

    // The stack: older frames from 0x80, then the ten saved bytes and the
    // dump subroutine's return address at S − 1, S.
    const std::uint8_t older[] = {0x12, 0x00, 0x5B, 0x03, 0x07, 0x81, 0x04, 0x21, 0x00};
    std::copy(std::begin(older), std::end(older), d.begin() + 0x80);
    const int s = kDebugStackPointer;
    d[s - 10] = 0x3C;  // PC low
    d[s - 9] = 0x0A;   // PC high: 0x0A3C
    d[s - 8] = 0x40;   // PSW: register bank 0
    d[s - 7] = kDebugDump;
    d[s - 6] = 0x01;   // DPH
    d[s - 5] = 0x80;   // DPL
    d[s - 4] = 0x0A;   // B
    d[s - 3] = 0x31;   // R0 of the interrupted code
    d[s - 2] = 0x38;   // R1
    d[s - 1] = 0x6E;
    d[s] = 0x0B;
    // Above the stack pointer: what deeper calls left behind.
    for (int a = s + 1; a < 0x100; ++a) d[a] = static_cast<std::uint8_t>((a * 0x3B + 0x17) & 0xFF);

    d[256] = kDebugStackPointer;
    d[257] = 0x92;  // IE: EA, ES, ET0
    d[258] = 0x10;  // IP: serial port high priority
    return d;
}

}  // namespace sim
