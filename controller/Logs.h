// The Controller's hourly logs as numbers: three temperature rings and the
// boiler's running time, 256 one-byte entries each (EEPROM pages 12 to 15),
// one row per hour, oldest first.  The grid's texts, the clipboard and the
// CSV file (controller/LogTable.h), the chart and the measured points on
// the heating curve all read these numbers; none of them parses a text.
#pragma once

#include <QDateTime>
#include <QObject>
#include <array>
#include <cstdint>
#include <optional>

#include "link/PageMap.h"

namespace Logs {

constexpr int Hours = 256;          // rows 1..256; row 256 is the current hour
constexpr int RowCount = Hours + 1; // with the heading row 0
constexpr int ColumnCount = 5;      // time label, logs 1..3, boiler
constexpr int FirstValueColumn = 1;
constexpr int BoilerColumn = 4;
constexpr int SensorLogs = BoilerColumn - FirstValueColumn;
// A boiler entry counts this many seconds.
constexpr int BoilerEntrySeconds = 16;

// The ring of a value column: 1..3 the logged sensors, 4 the boiler time.
constexpr int RingPage(int column) { return Page::FirstLog + column - FirstValueColumn; }
constexpr bool IsValueColumn(int column) { return column >= FirstValueColumn && column <= BoilerColumn; }

}  // namespace Logs

// What a value column counts.
enum class LogQuantity { Celsius, Seconds };
constexpr LogQuantity QuantityOf(int column)
{
    return column == Logs::BoilerColumn ? LogQuantity::Seconds : LogQuantity::Celsius;
}
// What an entry of a column's ring stands for: signed °C, or 16 s each.
int LogValue(int column, std::uint8_t entry);

// What page 0 says about the rings: where the newest entry lies and which
// sensor each temperature log holds.
struct LogLayout {
    std::uint8_t index = 0;
    // Positions in SensorId of logs 1..3; −1 where the byte names none.
    std::array<int, Logs::SensorLogs> sensors{};
};
LogLayout DecodeLogLayout(const PageBuffer& page0);

// A value column as a read brought it.
struct LogColumn {
    std::array<int, Logs::Hours> values{};  // row r at r − 1: °C, or seconds
    int sensor = -1;                         // temperature columns: as in LogLayout
    unsigned read = 0;                       // columns of one read hold the same hours
};

// The logs of this window: owned by it, filled by "Načíst" on "Záznamy",
// read by whoever shows them.  Changed() follows every change.
class HourlyLogs : public QObject {
    Q_OBJECT
public:
    // Hours on the local wall clock, counted as plain numbers (the Julian
    // day × 24 + the hour): stepping back one row is one less, whatever the
    // clock did in that hour.
    static qint64 WallHour(const QDateTime& time);

    // The hour of row 256, the newest; none until the time labels are first
    // set.  Row r stands for NewestHour − (256 − r).
    std::optional<qint64> NewestHour() const { return newestHour_; }
    std::optional<qint64> HourOfRow(int row) const;
    // Columns 1..4; empty until a read brought them.
    const std::optional<LogColumn>& Column(int column) const;

    // Showing the tab: the rows stand for the hours up to now; the values
    // stay in their rows.
    void SetNow(const QDateTime& now);
    // A read starts: the time labels afresh, and the columns it brings from
    // here on belong together.
    void StartRead(const QDateTime& now);
    // Column 1..4 from its ring: row r takes entry (index + r) mod 256, so
    // row 256 holds the newest entry.  A temperature column takes its sensor
    // along, so a heading always names the sensor of the values below it,
    // even when a later page of the same read failed.
    void SetColumn(int column, const PageBuffer& ring, const LogLayout& layout);

signals:
    void Changed();

private:
    std::optional<qint64> newestHour_;
    std::array<std::optional<LogColumn>, Logs::SensorLogs + 1> columns_;
    unsigned reads_ = 0;
};
