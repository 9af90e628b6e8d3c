// The logs as the grid sgLogs shows them: 5 columns × 257 rows of texts, a
// cell named (column, row), row 0 the headings.  Every text is made from
// the numbers of HourlyLogs when asked for; the clipboard text and the CSV
// file (files/LogCsv.h) are made from these texts, as the user sees them.
#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>

#include "controller/LogTexts.h"
#include "controller/Logs.h"

// "Po 7:00" for a wall-clock hour as HourlyLogs counts it, and its "Po".
QString LogHourLabel(qint64 wallHour);
QString LogWeekday(qint64 wallHour);
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

class LogTable {
public:
    explicit LogTable(const HourlyLogs& logs) : logs_(logs) {}

    // Headings: "Datum", the sensor of each temperature column read (empty
    // before), "Kotel".  Hours: the time label and the values read, empty
    // where there is none.
    QString Cell(int column, int row) const;

    // Rows first..last (clamped to 1..256), one line each: the time label and
    // a tab, then every value without its unit and a tab, the last tab
    // turned into CR, then LF.  Empty when no row is in the range.
    QString ClipboardText(int firstRow, int lastRow) const;

    // What hovering over an hour of the chart shows: its time label, then a
    // line "heading: value" for each column read.
    QString HourTip(int row) const;

private:
    // The value of a column read; empty before.
    std::optional<LogText::Value> ValueText(int column, int row) const;

    const HourlyLogs& logs_;
};
