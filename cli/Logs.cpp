// logs: the hourly logs as the window's CSV file, or as JSON.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Console.h"
#include "cli/Verbs.h"
#include "controller/LogTable.h"
#include "files/LogCsv.h"

namespace {

// The logs' pages: page 0 says where the rings stand and what they hold.
PageSet LogsPages()
{
    PageSet pages = LogPages();
    pages.set(Page::Constants);
    return pages;
}

QDateTime HourStart(qint64 wallHour)
{
    return QDateTime(QDate::fromJulianDay(wallHour / 24), QTime(int(wallHour % 24), 0));
}

QJsonValue Sensor(int sensor)
{
    return sensor >= 0 ? QJsonValue(sensor) : QJsonValue();
}

// An array of hours, oldest first: each hour's start, the three logged
// sensors' temperatures and the boiler's running time in seconds.
QByteArray JsonLogs(const HourlyLogs& logs)
{
    QJsonArray hours;
    for (int row = 1; row <= Logs::Hours; ++row) {
        QJsonArray sensors;
        for (int column = Logs::FirstValueColumn; column < Logs::BoilerColumn; ++column) {
            const LogColumn& values = *logs.Column(column);
            sensors.append(QJsonObject{{QStringLiteral("sensor"), Sensor(values.sensor)},
                                       {QStringLiteral("celsius"), values.values[std::size_t(row - 1)]}});
        }
        hours.append(QJsonObject{
            {QStringLiteral("time"), IsoTime(HourStart(*logs.HourOfRow(row)))},
            {QStringLiteral("sensors"), sensors},
            {QStringLiteral("boiler_seconds"), logs.Column(Logs::BoilerColumn)->values[std::size_t(row - 1)]},
        });
    }
    return QJsonDocument(hours).toJson(QJsonDocument::Compact) + '\n';
}

}  // namespace

int RunLogs(Invocation& invocation)
{
    if (!invocation.OpenPort())
        return ExitPort;
    // As "Načíst" on "Záznamy": the hours are those up to the read's start.
    HourlyLogs logs;
    logs.StartRead(QDateTime::currentDateTime());
    int exit = ExitDone;
    const auto read = invocation.ReadPages(LogsPages(), exit);
    if (!read)
        return exit;
    const LogLayout layout = DecodeLogLayout(read->pages[Page::Constants]);
    for (int column = Logs::FirstValueColumn; column <= Logs::BoilerColumn; ++column)
        logs.SetColumn(column, read->pages[std::size_t(Logs::RingPage(column))], layout);
    return invocation.WriteResult(invocation.console.json ? JsonLogs(logs) : LogCsvBytes(LogTable(logs)));
}
