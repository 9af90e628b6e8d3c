#include "controller/StatusBlocks.h"

#include <QCoreApplication>

#include "controller/RegulationConstants.h"
#include "controller/Units.h"

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(Status)
};

// Weekdays 0 … 6, then what stands for any other number.
constexpr const char* Weekdays[] = {
    QT_TRANSLATE_NOOP("Status", "pondělí"), QT_TRANSLATE_NOOP("Status", "úterý"),
    QT_TRANSLATE_NOOP("Status", "středa"),  QT_TRANSLATE_NOOP("Status", "čtvrtek"),
    QT_TRANSLATE_NOOP("Status", "pátek"),   QT_TRANSLATE_NOOP("Status", "sobota"),
    QT_TRANSLATE_NOOP("Status", "neděle"),  QT_TRANSLATE_NOOP("Status", "(chyba)"),
};
// The modes the status block reports, then what stands for any other.
constexpr const char* Modes[] = {
    QT_TRANSLATE_NOOP("Status", "vypnuto"),
    QT_TRANSLATE_NOOP("Status", "ekvitermní"),
    QT_TRANSLATE_NOOP("Status", "termostat"),
    QT_TRANSLATE_NOOP("Status", "(chyba)"),
};

template <std::size_t N>
QStringList Translated(const char* const (&texts)[N])
{
    QStringList list;
    for (const char* text : texts)
        list << Tr::tr(text);
    return list;
}

}  // namespace

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

QStringList WeekdayNames()
{
    return Translated(Weekdays);
}

QString WeekdayName(int day)
{
    constexpr int invalid = int(std::size(Weekdays)) - 1;
    return Tr::tr(Weekdays[day >= 0 && day < invalid ? day : invalid]);
}

std::optional<int> WeekdayOfName(const QString& text)
{
    for (int day = 0; day < int(std::size(Weekdays)) - 1; ++day)
        if (text.compare(Tr::tr(Weekdays[day]), Qt::CaseInsensitive) == 0 ||
            text.compare(QString::fromUtf8(Weekdays[day]), Qt::CaseInsensitive) == 0)
            return day;
    return std::nullopt;
}

QString OutputStateText(bool on)
{
    return on ? Tr::tr("zapnuto") : Tr::tr("vypnuto");
}

QStringList ModeNames()
{
    return Translated(Modes);
}

int ModeNameIndex(int mode)
{
    constexpr int invalid = int(std::size(Modes)) - 1;
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
    return Tr::tr("akt. %1, AD %2").arg(CelsiusText(currentCelsius)).arg(adReading);
}
