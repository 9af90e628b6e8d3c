// The blocks of the once-a-second poll and the texts the tab "Hodiny +
// čidla" shows them with: the Controller's clock (4 bytes), the status
// block (10 bytes: outputs, mode in force, regulator values) and the sensor
// blocks (8 bytes, one per sensor, sensor 7 first).
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <span>

#include "controller/FieldTable.h"
#include "link/PageMap.h"

// The Controller's clock, in the order of the clock block and of the
// clock-set sequence.  Plain binary bytes, not BCD; nothing is range
// checked on the way in, so 75 seconds or weekday 9 show as they come.
struct ControllerTime {
    int Sec = 0;
    int Min = 0;
    int Hour = 0;
    int Day = 0;  // weekday number: 0 = Monday … 6 = Sunday; 7..255 are invalid

    friend bool operator==(const ControllerTime&, const ControllerTime&) = default;
};

// Four unsigned bytes: seconds, minutes, hours, weekday.  Encoding through
// the table refuses a value outside 0..255.
const FieldTable<ControllerTime>& ClockFields();
ControllerTime DecodeClockBlock(std::span<const std::uint8_t> block);

// Byte 0 of the status block.  Bit 2 and bits 4..7 are not shown.
struct Outputs {
    bool Blr = false;    // bit 0: boiler
    bool Pump = false;   // bit 1: pump
    bool BlrPw = false;  // bit 3: modulator for higher power

    friend bool operator==(const Outputs&, const Outputs&) = default;
};

struct StatusBlock {
    Outputs outputs;
    int Mode = 0;      // mode in force: 0 off, 1 equithermal, 2 thermostat; 3..255 invalid
    int Param = 0;     // °C: shift (equithermal) or thermostat temperature
    int Temp = 0;      // °C: current mean temperature (equithermal)
    int Dev = 0;       // °C: deviation
    int Wall = 0;      // °C: wall correction
    int Ekv = 0;       // °C: equithermal temperature
    int Average = 0;   // °C: previous mean temperature
    int BlRate = 0;    // percent of boiler run, unsigned
    int NextStep = 0;  // minutes to the next thermostat step, unsigned

    friend bool operator==(const StatusBlock&, const StatusBlock&) = default;
};

// The ten bytes, one row per value; every row is shown only, never kept in
// a parameter file.
const FieldTable<StatusBlock>& StatusFields();
StatusBlock DecodeStatusBlock(std::span<const std::uint8_t> block);

// Sensor i's value from an 8-byte sensor block (byte 7 − i): signed °C for
// the temperature blocks, unsigned for the converter readings.
using SensorValues = std::array<int, 8>;
SensorValues DecodeSensorTemperatures(std::span<const std::uint8_t> block);
SensorValues DecodeSensorReadings(std::span<const std::uint8_t> block);

// The names of sensors 0..7 from EEPROM page 0 (empty where none is set).
std::array<QString, 8> SensorNames(const PageBuffer& page0);

// "pondělí" … "neděle", then "(chyba)" for every weekday number above 6.
const QStringList& WeekdayNames();
QString WeekdayName(int day);
// "vypnuto", "ekvitermní", "termostat", then "(chyba)" for modes above 2.
const QStringList& ModeNames();
int ModeNameIndex(int mode);

// Decimal, with one "0" in front of a single digit; three digits stay three.
QString TwoDigitText(int value);
// "14:05:09, středa".
QString ControllerClockText(const ControllerTime& time);
// "hh:nn:ss, " and the weekday's full name as the locale spells it.
QString PcClockText(const QDateTime& now, const QLocale& locale = QLocale());

// "+5 °C", "+0 °C", "-5 °C".
QString SignedText(int celsius);
// "5 °C", "-5 °C".
QString TemperatureText(int celsius);
// Normal view: "%d °C"; quick view: "akt. %d °C, AD %d".
QString SensorText(int celsius);
QString QuickSensorText(int currentCelsius, int adReading);

// The colours of an output panel: light green when the output is on, light
// red when it is off.
struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb OutputOnColour{127, 255, 127};
inline constexpr Rgb OutputOffColour{255, 127, 127};
constexpr Rgb OutputColour(bool on) { return on ? OutputOnColour : OutputOffColour; }
