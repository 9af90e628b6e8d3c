// The EEPROM image of a Controller that has been in service for a while:
// sensible regulation constants, named sensors, a heating curve, a wall
// table, three weekly programs and 256 hours of logs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/Eeprom.h"

namespace sim {

Eeprom DefaultImage();

// Windows-1250 bytes of a UTF-8 text made of ASCII and Czech letters, as the
// Controller stores its sensor names.  Throws std::invalid_argument on any
// other character, so a typo in a built-in name cannot pass unnoticed.
std::vector<std::uint8_t> ToWindows1250(const std::string& utf8);

// Time-program cells: state in bits 7–6, value in bits 5–0.
constexpr std::uint8_t CellOff() { return 0x00; }
constexpr std::uint8_t CellEquithermal(int k) { return static_cast<std::uint8_t>(0x40 | (k & 0x3F)); }
constexpr std::uint8_t CellThermostat(int celsius) { return static_cast<std::uint8_t>(0x80 | (celsius & 0x3F)); }

}  // namespace sim
