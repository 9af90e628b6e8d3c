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
#include <optional>
#include <span>

#include "controller/Colours.h"
#include "controller/FieldTable.h"
#include "controller/Sensors.h"
#include "link/Commands.h"
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

namespace StatusRows {

template <typename Model>
constexpr Field<Model> Make(const char* key, int offset, RowKind kind, FieldRef (*member)(Model&, int))
{
    Field<Model> row{};
    row.key = key;
    row.kind = kind;
    row.offset = offset;
    row.member = member;
    return row;
}

template <typename Model>
constexpr Field<Model> Bit(const char* key, int bit, FieldRef (*member)(Model&, int))
{
    Field<Model> row = Make(key, 0, RowKind::Bit, member);
    row.bit = bit;
    return row;
}

}  // namespace StatusRows

// Four unsigned bytes: seconds, minutes, hours, weekday, as the clock block
// brings them and the clock-set sequence sends them.  Encoding through the
// table refuses a value outside 0..255.
inline constexpr auto ClockTable = []() consteval {
    using StatusRows::Make;
    using T = ControllerTime;
    return MakeTable<Command::ClockReplyLength>(std::array{
        Make<T>("Sec", 0, RowKind::Byte, &Member<&T::Sec>),
        Make<T>("Min", 1, RowKind::Byte, &Member<&T::Min>),
        Make<T>("Hour", 2, RowKind::Byte, &Member<&T::Hour>),
        Make<T>("Day", 3, RowKind::Byte, &Member<&T::Day>),
    });
}();
using ClockBlock = std::span<const std::uint8_t, ClockTable.BlockSize>;
ControllerTime DecodeClockBlock(ClockBlock block);

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

// The ten bytes, one row per value, each shown on the label "lb" + key (the
// outputs on the panels "pa" + key).  The program only reads the block.
inline constexpr auto StatusTable = []() consteval {
    using StatusRows::Make, StatusRows::Bit;
    using S = StatusBlock;
    auto rows = std::array{
        Bit<S>("Blr", 0, [](S& m, int) -> FieldRef { return &m.outputs.Blr; }),
        Bit<S>("Pump", 1, [](S& m, int) -> FieldRef { return &m.outputs.Pump; }),
        Bit<S>("BlrPw", 3, [](S& m, int) -> FieldRef { return &m.outputs.BlrPw; }),
        Make<S>("Mode", 1, RowKind::Byte, &Member<&S::Mode>),
        Make<S>("Param", 2, RowKind::SignedByte, &Member<&S::Param>),
        Make<S>("Temp", 3, RowKind::SignedByte, &Member<&S::Temp>),
        Make<S>("Dev", 4, RowKind::SignedByte, &Member<&S::Dev>),
        Make<S>("Wall", 5, RowKind::SignedByte, &Member<&S::Wall>),
        Make<S>("Ekv", 6, RowKind::SignedByte, &Member<&S::Ekv>),
        Make<S>("Average", 7, RowKind::SignedByte, &Member<&S::Average>),
        Make<S>("BlRate", 8, RowKind::Byte, &Member<&S::BlRate>),
        Make<S>("NextStep", 9, RowKind::Byte, &Member<&S::NextStep>),
    };
    for (auto& row : rows)
        row.write = Write::Never;
    return MakeTable<Command::StatusReplyLength>(rows);
}();
StatusBlock DecodeStatusBlock(std::span<const std::uint8_t, StatusTable.BlockSize> block);

// Sensor i's value from an 8-byte sensor block: the Controller lists sensor
// 7 first, so sensor i is byte 7 − i.  Signed °C in the temperature blocks,
// unsigned in the converter readings.  Each value is shown on the label
// "lbSensor" + i.
static_assert(Command::SensorBlockLength == SensorCount, "one byte per sensor");
using SensorValues = std::array<int, SensorCount>;
struct SensorBlock {
    SensorValues values{};
};
template <RowKind Kind>
inline constexpr auto SensorTable = []() consteval {
    return MakeTable<SensorCount>(Repeat<SensorCount>([](int i) {
        Field<SensorBlock> row = StatusRows::Make<SensorBlock>("Sensor%1", SensorCount - 1 - i, Kind,
                                                               &Element<&SensorBlock::values>);
        row.index = row.number = i;
        row.write = Write::Never;
        return row;
    }));
}();
using SensorBytes = std::span<const std::uint8_t, SensorCount>;
SensorValues DecodeSensorTemperatures(SensorBytes block);
SensorValues DecodeSensorReadings(SensorBytes block);

// The names of sensors 0..7 from EEPROM page 0 (empty where none is set).
SensorTexts SensorNames(const PageBuffer& page0);

// "pondělí" … "neděle", then "(chyba)" for every weekday number above 6.
QStringList WeekdayNames();
QString WeekdayName(int day);
// The weekday a name gives, in any case, in the user's language or in
// Czech (so that a script written for one machine runs on another).
std::optional<int> WeekdayOfName(const QString& text);
// "vypnuto", "ekvitermní", "termostat", then "(chyba)" for modes above 2.
QStringList ModeNames();
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
constexpr Rgb OutputColour(bool on)
{
    return on ? Colour::LightGreen : Colour::LightRed;
}
// What screen readers say of an output panel, whose colour alone shows it:
// "zapnuto" or "vypnuto".
QString OutputStateText(bool on);
