// The complete command set of the Controller protocol.  Every request is one
// byte; the reply length is fixed by the command.  No other command byte is
// ever sent (the data bytes inside a page write or a clock setting may have
// any value).
#pragma once

#include <cstdint>

#include "link/PageMap.h"

namespace Command {

constexpr std::uint8_t ReadClock = 0x00;       // reply 4: s, min, h, weekday
constexpr std::uint8_t SetClock = 0x10;        // ack; then s, min, h (acked), weekday (none)
constexpr std::uint8_t ReadPageBase = 0x20;    // + page: reply 256
constexpr std::uint8_t WritePageBase = 0x30;   // + page: ack; then 256 data bytes
constexpr std::uint8_t SensorsAd = 0x40;       // reply 8, raw AD readings
constexpr std::uint8_t SensorsTemp = 0x41;     // reply 8, temperatures (normal view)
constexpr std::uint8_t SensorsCurrent = 0x42;  // reply 8, current temperatures (quick view)
constexpr std::uint8_t Status = 0x43;          // reply 10, outputs, mode, regulator values
constexpr std::uint8_t Info = 0x44;            // reply 16, information text
constexpr std::uint8_t DebugDump = 0x45;       // reply 259, memory then SP, IE, IP
constexpr std::uint8_t Reset = 0x50;           // nothing awaited

constexpr std::uint16_t ClockReplyLength = 4;
constexpr std::uint16_t AckLength = 1;
constexpr std::uint16_t PageSize = Page::Size;
constexpr std::uint16_t SensorBlockLength = 8;
constexpr std::uint16_t StatusReplyLength = 10;
constexpr std::uint16_t InfoReplyLength = 16;
constexpr std::uint16_t DebugDumpLength = 259;

constexpr std::uint8_t ReadPage(int page) { return static_cast<std::uint8_t>(ReadPageBase + (page & 0x0F)); }
constexpr std::uint8_t WritePage(int page) { return static_cast<std::uint8_t>(WritePageBase + (page & 0x0F)); }

}  // namespace Command
