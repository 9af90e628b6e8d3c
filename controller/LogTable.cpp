#include "controller/LogTable.h"

#include <QDate>
#include <QStringList>
#include <algorithm>

#include "controller/Lists.h"

namespace {

int IsoWeekday(qint64 wallHour)
{
    return QDate::fromJulianDay(wallHour / 24).dayOfWeek();
}

}  // namespace

QString LogHourLabel(qint64 wallHour)
{
    return LogText::HourLabel(IsoWeekday(wallHour), int(wallHour % 24));
}

QString LogWeekday(qint64 wallHour)
{
    return LogText::ShortWeekday(IsoWeekday(wallHour));
}

std::array<QString, Logs::Hours> LogTimeLabels(const QDateTime& now)
{
    const qint64 newest = HourlyLogs::WallHour(now);
    std::array<QString, Logs::Hours> labels;
    for (int row = 1; row <= Logs::Hours; ++row)
        labels[std::size_t(row - 1)] = LogHourLabel(newest - (Logs::Hours - row));
    return labels;
}

QString LogSensorRole(int position)
{
    const QStringList roles = SensorId::Items();
    return position >= 0 && position < roles.size() ? roles[position] : LogText::UnknownSensor();
}

QString LogTemperatureText(std::uint8_t entry)
{
    return LogText::Temperature(LogValue(Logs::FirstValueColumn, entry)).Shown();
}

QString LogBoilerText(std::uint8_t entry)
{
    return LogText::BoilerTime(LogValue(Logs::BoilerColumn, entry)).Shown();
}

std::optional<LogText::Value> LogTable::ValueText(int column, int row) const
{
    const auto& values = logs_.Column(column);
    if (!values)
        return std::nullopt;
    const int value = values->values[std::size_t(row - 1)];
    return QuantityOf(column) == LogQuantity::Seconds ? LogText::BoilerTime(value) : LogText::Temperature(value);
}

QString LogTable::Cell(int column, int row) const
{
    if (row == 0) {
        if (column == 0)
            return LogText::DateHeading();
        if (column == Logs::BoilerColumn)
            return LogText::BoilerHeading();
        const auto& values = logs_.Column(column);
        return values ? LogSensorRole(values->sensor) : QString();
    }
    if (column == 0) {
        const auto hour = logs_.HourOfRow(row);
        return hour ? LogHourLabel(*hour) : QString();
    }
    const auto text = ValueText(column, row);
    return text ? text->Shown() : QString();
}

QString LogTable::ClipboardText(int firstRow, int lastRow) const
{
    QString text;
    for (int row = std::max(firstRow, 1); row <= std::min(lastRow, Logs::Hours); ++row) {
        text += Cell(0, row);
        for (int column = Logs::FirstValueColumn; column <= Logs::BoilerColumn; ++column) {
            text += QLatin1Char('\t');
            if (const auto value = ValueText(column, row))
                text += value->number;
        }
        text += QLatin1StringView("\r\n");
    }
    return text;
}

QString LogTable::HourTip(int row) const
{
    QStringList lines{Cell(0, row)};
    for (int column = Logs::FirstValueColumn; column <= Logs::BoilerColumn; ++column)
        if (const auto value = ValueText(column, row))
            lines << LogText::TipLine(Cell(column, 0), value->Shown());
    return lines.join(QLatin1Char('\n'));
}
