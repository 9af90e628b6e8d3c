// The Controller's hourly logs: three temperature rings and the boiler's
// running time, 256 one-byte entries each (EEPROM pages 12 to 15), shown as
// one table of texts, one row per hour, oldest first.  The clipboard copy
// and the CSV file are made from these texts, as the user sees them.
#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>

#include "link/PageMap.h"

namespace Logs {

constexpr int Hours = 256;          // rows 1..256; row 256 is the current hour
constexpr int RowCount = Hours + 1; // with the heading row 0
constexpr int ColumnCount = 5;      // time label, logs 1..3, boiler
constexpr int FirstValueColumn = 1;
constexpr int BoilerColumn = 4;

// The ring of a value column: 1..3 the logged sensors, 4 the boiler time.
constexpr int RingPage(int column) { return Page::FirstLog + column - FirstValueColumn; }

}  // namespace Logs

// Row r (1..256) stands for the hour now − (256 − r) hours, counted on the
// local wall clock: a daylight-saving change neither repeats nor skips a
// label.  "Po 7:00", "Čt 23:00".
std::array<QString, Logs::Hours> LogTimeLabels(const QDateTime& now);

// A position in the SensorId list, "(chyba)" outside it.
QString LogSensorRole(int position);
// "-10 °C": the entry is signed.
QString LogTemperatureText(std::uint8_t entry);
// The entry counts 16 s: "12 min 0 sec".
QString LogBoilerText(std::uint8_t entry);

// What page 0 says about the rings: where the newest entry lies and which
// sensor each temperature log holds.
struct LogLayout {
    std::uint8_t index = 0;
    std::array<QString, 3> roles;  // headings of columns 1..3
};
LogLayout DecodeLogLayout(const PageBuffer& page0);

// The texts of the grid: a cell is named (column, row), row 0 the headings.
class LogTable {
public:
    const QString& Cell(int column, int row) const { return cells_[std::size_t(row)][std::size_t(column)]; }

    // "Datum" over the time labels and "Kotel" over the boiler column; the
    // sensors' headings come with their values.
    void SetHeadings();
    void SetTimeLabels(const QDateTime& now);
    // Column 1..4 from its ring: row r shows entry (index + r) mod 256, so
    // row 256 holds the newest entry.  A temperature column takes its
    // heading along, so a heading always names the sensor of the values
    // below it, even when a later page of the same read failed.
    void SetColumn(int column, const PageBuffer& ring, const LogLayout& layout);

    // Rows first..last (clamped to 1..256), one line each: the time label and
    // a tab, then every value without its last three characters (the unit)
    // and a tab, the last tab turned into CR, then LF.  Empty when no row is
    // in the range.
    QString ClipboardText(int firstRow, int lastRow) const;

private:
    std::array<std::array<QString, Logs::ColumnCount>, Logs::RowCount> cells_;
};
