#include "controller/StatusBlocks.h"

#include "controller/RegulationConstants.h"
#include "controller/Units.h"

ControllerTime DecodeClockBlock(ClockBlock block)
{
    return DecodeFields(ClockTable, block);
}

StatusBlock DecodeStatusBlock(std::span<const std::uint8_t, StatusTable.BlockSize> block)
{
    return DecodeFields(StatusTable, block);
}

SensorValues DecodeSensorTemperatures(SensorBytes block)
{
    return DecodeFields(SensorTable<RowKind::SignedByte>, block).values;
}

SensorValues DecodeSensorReadings(SensorBytes block)
{
    return DecodeFields(SensorTable<RowKind::Byte>, block).values;
}

SensorTexts SensorNames(const PageBuffer& page0)
{
    SensorTexts names;
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

QString OutputStateText(bool on)
{
    return on ? QStringLiteral("zapnuto") : QStringLiteral("vypnuto");
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
    return CelsiusText(celsius);
}

QString SensorText(int celsius)
{
    return TemperatureText(celsius);
}

QString QuickSensorText(int currentCelsius, int adReading)
{
    return QStringLiteral("akt. %1, AD %2").arg(CelsiusText(currentCelsius)).arg(adReading);
}
