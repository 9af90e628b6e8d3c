#include "controller/StatusBlocks.h"

#include "controller/RegulationConstants.h"

namespace {

constexpr int SensorCount = 8;

template <typename Model>
Field<Model> Shown(const char* key, int offset, Encoding encoding, FieldRef (*member)(Model&, int), int bit = 0)
{
    return {{QString::fromLatin1(key), FieldKind::Counter, offset, encoding, bit}, member};
}

FieldTable<ControllerTime> BuildClockTable()
{
    using T = ControllerTime;
    return {
        Shown<T>("Sec", 0, Encoding::Unsigned8, [](T& m, int) -> FieldRef { return &m.Sec; }),
        Shown<T>("Min", 1, Encoding::Unsigned8, [](T& m, int) -> FieldRef { return &m.Min; }),
        Shown<T>("Hour", 2, Encoding::Unsigned8, [](T& m, int) -> FieldRef { return &m.Hour; }),
        Shown<T>("Day", 3, Encoding::Unsigned8, [](T& m, int) -> FieldRef { return &m.Day; }),
    };
}

FieldTable<StatusBlock> BuildStatusTable()
{
    using S = StatusBlock;
    return {
        Shown<S>("Blr", 0, Encoding::Bit, [](S& m, int) -> FieldRef { return &m.outputs.Blr; }, 0),
        Shown<S>("Pump", 0, Encoding::Bit, [](S& m, int) -> FieldRef { return &m.outputs.Pump; }, 1),
        Shown<S>("BlrPw", 0, Encoding::Bit, [](S& m, int) -> FieldRef { return &m.outputs.BlrPw; }, 3),
        Shown<S>("Mode", 1, Encoding::Unsigned8, [](S& m, int) -> FieldRef { return &m.Mode; }),
        Shown<S>("Param", 2, Encoding::Signed8, [](S& m, int) -> FieldRef { return &m.Param; }),
        Shown<S>("Temp", 3, Encoding::Signed8, [](S& m, int) -> FieldRef { return &m.Temp; }),
        Shown<S>("Dev", 4, Encoding::Signed8, [](S& m, int) -> FieldRef { return &m.Dev; }),
        Shown<S>("Wall", 5, Encoding::Signed8, [](S& m, int) -> FieldRef { return &m.Wall; }),
        Shown<S>("Ekv", 6, Encoding::Signed8, [](S& m, int) -> FieldRef { return &m.Ekv; }),
        Shown<S>("Average", 7, Encoding::Signed8, [](S& m, int) -> FieldRef { return &m.Average; }),
        Shown<S>("BlRate", 8, Encoding::Unsigned8, [](S& m, int) -> FieldRef { return &m.BlRate; }),
        Shown<S>("NextStep", 9, Encoding::Unsigned8, [](S& m, int) -> FieldRef { return &m.NextStep; }),
    };
}

SensorValues DecodeSensorBlock(std::span<const std::uint8_t> block, bool isSigned)
{
    // The Controller lists sensor 7 first.
    SensorValues values{};
    for (int i = 0; i < SensorCount; ++i) {
        const std::uint8_t byte = block[std::size_t(SensorCount - 1 - i)];
        values[std::size_t(i)] = isSigned ? int(static_cast<std::int8_t>(byte)) : int(byte);
    }
    return values;
}

}  // namespace

const FieldTable<ControllerTime>& ClockFields()
{
    static const FieldTable<ControllerTime> table = BuildClockTable();
    return table;
}

ControllerTime DecodeClockBlock(std::span<const std::uint8_t> block)
{
    return DecodeFields(ClockFields(), block);
}

const FieldTable<StatusBlock>& StatusFields()
{
    static const FieldTable<StatusBlock> table = BuildStatusTable();
    return table;
}

StatusBlock DecodeStatusBlock(std::span<const std::uint8_t> block)
{
    return DecodeFields(StatusFields(), block);
}

SensorValues DecodeSensorTemperatures(std::span<const std::uint8_t> block)
{
    return DecodeSensorBlock(block, true);
}

SensorValues DecodeSensorReadings(std::span<const std::uint8_t> block)
{
    return DecodeSensorBlock(block, false);
}

std::array<QString, 8> SensorNames(const PageBuffer& page0)
{
    std::array<QString, 8> names;
    for (int i = 0; i < SensorCount; ++i)
        names[std::size_t(i)] = DecodeSensorName(page0, i);
    return names;
}

const QStringList& WeekdayNames()
{
    static const QStringList names{
        QStringLiteral("pondělí"), QStringLiteral("úterý"),  QStringLiteral("středa"),  QStringLiteral("čtvrtek"),
        QStringLiteral("pátek"),   QStringLiteral("sobota"), QStringLiteral("neděle"), QStringLiteral("(chyba)"),
    };
    return names;
}

QString WeekdayName(int day)
{
    const int invalid = int(WeekdayNames().size()) - 1;
    return WeekdayNames()[day >= 0 && day < invalid ? day : invalid];
}

const QStringList& ModeNames()
{
    static const QStringList names{
        QStringLiteral("vypnuto"),
        QStringLiteral("ekvitermní"),
        QStringLiteral("termostat"),
        QStringLiteral("(chyba)"),
    };
    return names;
}

int ModeNameIndex(int mode)
{
    const int invalid = int(ModeNames().size()) - 1;
    return mode >= 0 && mode < invalid ? mode : invalid;
}

QString TwoDigitText(int value)
{
    const QString digits = QString::number(value);
    return value >= 0 && value < 10 ? QLatin1Char('0') + digits : digits;
}

QString ControllerClockText(const ControllerTime& time)
{
    return QStringLiteral("%1:%2:%3, %4")
        .arg(TwoDigitText(time.Hour), TwoDigitText(time.Min), TwoDigitText(time.Sec), WeekdayName(time.Day));
}

QString PcClockText(const QDateTime& now, const QLocale& locale)
{
    return now.time().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(", ") +
           locale.dayName(now.date().dayOfWeek(), QLocale::LongFormat);
}

QString SignedText(int celsius)
{
    const QString text = TemperatureText(celsius);
    return text.startsWith(QLatin1Char('-')) ? text : QLatin1Char('+') + text;
}

QString TemperatureText(int celsius)
{
    return QString::number(celsius) + QStringLiteral(" °C");
}

QString SensorText(int celsius)
{
    return TemperatureText(celsius);
}

QString QuickSensorText(int currentCelsius, int adReading)
{
    return QStringLiteral("akt. %1 °C, AD %2").arg(currentCelsius).arg(adReading);
}
