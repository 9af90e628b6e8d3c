#include "controller/MeasuredHours.h"

#include "controller/Lists.h"
#include "controller/LogTable.h"
#include "controller/LogTexts.h"

namespace {

// The temperature columns read that log the sensor, in column order.
std::vector<int> ColumnsOf(const HourlyLogs& logs, int sensor)
{
    std::vector<int> columns;
    for (int column = Logs::FirstValueColumn; column < Logs::BoilerColumn; ++column)
        if (const auto& values = logs.Column(column); values && values->sensor == sensor)
            columns.push_back(column);
    return columns;
}

}  // namespace

MeasuredHours PairMeasuredHours(const HourlyLogs& logs)
{
    MeasuredHours measured;
    bool anyRead = false;
    for (int column = Logs::FirstValueColumn; column < Logs::BoilerColumn; ++column)
        anyRead = anyRead || logs.Column(column).has_value();
    if (!anyRead)
        return measured;

    const std::vector<int> outdoor = ColumnsOf(logs, SensorId::Outdoor);
    const std::vector<int> water = ColumnsOf(logs, SensorId::OutletWater);
    if (outdoor.empty() || water.empty()) {
        measured.state = MeasuredHours::State::MissingRoles;
        measured.outdoorColumn = outdoor.empty() ? 0 : outdoor.front();
        measured.waterColumn = water.empty() ? 0 : water.front();
        return measured;
    }
    measured.state = MeasuredHours::State::DifferentReads;
    measured.outdoorColumn = outdoor.front();
    measured.waterColumn = water.front();
    for (int o : outdoor) {
        for (int w : water) {
            const LogColumn &x = *logs.Column(o), &y = *logs.Column(w);
            if (x.read != y.read)
                continue;
            measured.state = MeasuredHours::State::Ready;
            measured.outdoorColumn = o;
            measured.waterColumn = w;
            for (int row = 0; row < Logs::Hours; ++row)
                measured.hours.push_back({x.values[std::size_t(row)], y.values[std::size_t(row)]});
            return measured;
        }
    }
    return measured;
}

QString MeasuredHoursTip(const MeasuredHours& measured, int inRange)
{
    const QString outdoor = LogSensorRole(SensorId::Outdoor), water = LogSensorRole(SensorId::OutletWater);
    switch (measured.state) {
    case MeasuredHours::State::NotRead:
        return LogText::MeasuredNotRead();
    case MeasuredHours::State::MissingRoles: {
        QStringList missing;
        if (!measured.outdoorColumn)
            missing << outdoor;
        if (!measured.waterColumn)
            missing << water;
        return LogText::MeasuredMissingRoles(missing);
    }
    case MeasuredHours::State::DifferentReads:
        return LogText::MeasuredFromDifferentReads(outdoor, water);
    case MeasuredHours::State::Ready:
        break;
    }
    return LogText::MeasuredShown(outdoor, water, inRange, int(measured.hours.size()));
}
