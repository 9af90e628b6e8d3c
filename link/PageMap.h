// The Controller's EEPROM: 16 pages of 256 bytes, and which area of the
// program owns which page.  The firmware reads its settings from these
// pages as they are, so the numbers never move.
#pragma once

#include <array>
#include <cstdint>

using PageBuffer = std::array<std::uint8_t, 256>;

namespace Page {

constexpr int Size = 256;
constexpr int Count = 16;

constexpr int Constants = 0;     // regulation constants, sensor names, counters, log index
constexpr int Ekvith = 1;        // equithermal curve
constexpr int Wall = 2;          // wall correction table
constexpr int ModeA = 3;         // time program A: pages 3, 4, 5
constexpr int ModeB = 6;         // time program B: pages 6, 7, 8
constexpr int ModeC = 9;         // time program C: pages 9, 10, 11
constexpr int ModePages = 3;     // pages per time program
constexpr int FirstLog = 12;     // log rings: pages 12 … 15
constexpr int LogCount = 4;

}  // namespace Page
