#include "controller/Logs.h"

#include <QDate>
#include <algorithm>

#include "controller/Lists.h"
#include "controller/RegulationConstants.h"
#include "controller/Units.h"

namespace {

// Monday first, as QDate::dayOfWeek() counts from 1.
const std::array<QString, 7>& ShortWeekdays()
{
    static const std::array<QString, 7> names{
        QStringLiteral("Po"), QStringLiteral("Út"), QStringLiteral("St"), QStringLiteral("Čt"),
        QStringLiteral("Pá"), QStringLiteral("So"), QStringLiteral("Ne"),
    };
    return names;
}

// Every value text ends in its unit, which the clipboard leaves out.
constexpr int UnitLength = 3;

}  // namespace

std::array<QString, Logs::Hours> LogTimeLabels(const QDateTime& now)
{
    // Hours on the wall clock, counted as plain numbers: stepping back one
    // row is one less, whatever the clock did in that hour.
    const qint64 nowHour = now.date().toJulianDay() * 24 + now.time().hour();
    std::array<QString, Logs::Hours> labels;
    for (int row = 1; row <= Logs::Hours; ++row) {
        const qint64 hour = nowHour - (Logs::Hours - row);
        const QDate day = QDate::fromJulianDay(hour / 24);
        labels[std::size_t(row - 1)] =
            ShortWeekdays()[std::size_t(day.dayOfWeek() - 1)] + QLatin1Char(' ') + QString::number(hour % 24) +
            QLatin1StringView(":00");
    }
    return labels;
}

QString LogSensorRole(int position)
{
    const QStringList& roles = SensorId::Items();
    return position >= 0 && position < roles.size() ? roles[position] : QStringLiteral("(chyba)");
}

QString LogTemperatureText(std::uint8_t entry)
{
    return CelsiusText(std::int8_t(entry));
}

QString LogBoilerText(std::uint8_t entry)
{
    const unsigned seconds = 16u * entry;
    return QString::asprintf("%u min %u sec", seconds / 60, seconds % 60);
}

LogLayout DecodeLogLayout(const PageBuffer& page0)
{
    // Which sensor each log holds is the constants page's business: its
    // field table places and limits the three list fields (a byte outside
    // the list decodes as no selection, which names no sensor).
    const RegulationConstants constants = DecodeConstantsPage(page0);
    return {DecodeLogIndex(page0),
            {LogSensorRole(constants.Log1), LogSensorRole(constants.Log2), LogSensorRole(constants.Log3)}};
}

void LogTable::SetHeadings()
{
    cells_[0][0] = QStringLiteral("Datum");
    cells_[0][Logs::BoilerColumn] = QStringLiteral("Kotel");
}

void LogTable::SetTimeLabels(const QDateTime& now)
{
    const auto labels = LogTimeLabels(now);
    for (int row = 1; row <= Logs::Hours; ++row)
        cells_[std::size_t(row)][0] = labels[std::size_t(row - 1)];
}

void LogTable::SetColumn(int column, const PageBuffer& ring, const LogLayout& layout)
{
    if (column < Logs::FirstValueColumn || column > Logs::BoilerColumn)
        return;
    const bool boiler = column == Logs::BoilerColumn;
    if (!boiler)
        cells_[0][std::size_t(column)] = layout.roles[std::size_t(column - Logs::FirstValueColumn)];
    for (int row = 1; row <= Logs::Hours; ++row) {
        const std::uint8_t entry = ring[std::size_t((layout.index + row) % Page::Size)];
        cells_[std::size_t(row)][std::size_t(column)] = boiler ? LogBoilerText(entry) : LogTemperatureText(entry);
    }
}

QString LogTable::ClipboardText(int firstRow, int lastRow) const
{
    QString text;
    for (int row = std::max(firstRow, 1); row <= std::min(lastRow, Logs::Hours); ++row) {
        const auto& cells = cells_[std::size_t(row)];
        text += cells[0] + QLatin1Char('\t');
        for (int column = Logs::FirstValueColumn; column < Logs::ColumnCount; ++column) {
            const QString& value = cells[std::size_t(column)];
            text += value.left(std::max<qsizetype>(0, value.size() - UnitLength)) + QLatin1Char('\t');
        }
        text.back() = QLatin1Char('\r');
        text += QLatin1Char('\n');
    }
    return text;
}
