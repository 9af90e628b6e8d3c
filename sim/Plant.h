// The heating plant around the simulated Controller: eight sensors that
// drift slowly, and a regulator that follows the constants page, the curve,
// the wall table and the time programs.  Plausible, not a physics model:
// everything is a pure function of the EEPROM, the Controller's clock and
// the seconds since the simulator started, so replies are repeatable.
#pragma once

#include <array>
#include <cstdint>

#include "sim/ControllerClock.h"
#include "sim/Eeprom.h"

namespace sim {

enum Sensor { OutletWater = 0, ReturnWater, User1, Indoor, Outdoor, Wall, User2, User3, SensorCount };

// Regulation mode in force, as the status block reports it.
enum class Regime { Off = 0, Equithermal = 1, Thermostat = 2 };

struct RegimeInForce {
    Regime regime = Regime::Off;
    int correctionK = 0;    // equithermal correction of a program cell: 2k %
    int thermostatTemp = 0;
};

// Output bits of the status block.
constexpr std::uint8_t kBoilerBit = 0x01;
constexpr std::uint8_t kPumpBit = 0x02;
constexpr std::uint8_t kModulatorBit = 0x08;

struct PlantState {
    std::array<int, SensorCount> temperature{};  // normal view, correction applied
    std::array<int, SensorCount> current{};      // quick view, correction applied
    std::array<std::uint8_t, SensorCount> ad{};  // raw converter reading
    std::array<std::uint8_t, 10> status{};
    bool boilerOn = false;
};

// Page 0 byte 1 decides; under a time program the cell of the current
// quarter-hour does (cell index day · 96 + slot over the program's 3 pages).
RegimeInForce CurrentRegime(const Eeprom& eeprom, const ClockTime& clock);

// `regulatorAge` is how long the regulator has run since start or reset; it
// has no previous mean during its first averaging period.
PlantState EvaluatePlant(const Eeprom& eeprom, const ClockTime& clock, double plantSeconds, double regulatorAge);

// Converter reading of a temperature: falls as the temperature rises, like a
// thermistor divider.
std::uint8_t AdReading(double celsius);

// The 8-byte sensor block of the protocol: byte k belongs to sensor 7 − k.
std::array<std::uint8_t, 8> SensorBlock(const std::array<int, SensorCount>& bySensor);
std::array<std::uint8_t, 8> SensorBlock(const std::array<std::uint8_t, SensorCount>& bySensor);

}  // namespace sim
