#include "controller/EkvithGraph.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

constexpr int Left = 30;        // x of −40 °C
constexpr int Bottom = 40;      // height of 20 °C above the image's bottom
constexpr int OutdoorStep = 6;  // pixels per °C outdoors
constexpr int WaterStep = 3;    // pixels per °C of heating water
constexpr int WaterLow = 20, WaterHigh = 100;

// Where an outdoor and a water temperature meet, both on the graph's ranges.
GraphPoint At(int outdoor, int water, int h)
{
    return {OutdoorStep * (outdoor - OutdoorTable::FirstTemperature) + Left,
            h - (WaterStep * (water - WaterLow) + Bottom)};
}

QString ScaleLabel(int value)
{
    return QString::asprintf("%3d", value);
}

}  // namespace

EkvithGraphFrame EkvithGraphLayout(int h)
{
    EkvithGraphFrame frame;
    for (int i = 0; i <= 13; ++i) {
        const int x = Left + 5 * OutdoorStep * i;
        frame.outdoorLabels.push_back({{x - 8, h - 35}, ScaleLabel(5 * i - 40)});
        frame.outdoorLines.push_back({{x, h - Bottom}, {x, h - 290}});
    }
    for (int j = 0; j <= 8; ++j) {
        const int y = h - Bottom - 10 * WaterStep * j;
        frame.waterLabels.push_back({{6, y - 6}, ScaleLabel(10 * j + WaterLow)});
        frame.waterLines.push_back({{Left, y}, {430, y}});
    }
    frame.outdoorAxis = {{Left, h - 39}, {440, h - 39}};
    frame.waterAxis = {{Left - 1, h - Bottom}, {Left - 1, h - 300}};
    frame.outdoorTitle = {{350, h - 20}, QCoreApplication::translate("EkvithGraph", "Venkovní teplota [°C]")};
    frame.waterTitle = {{5, h - 315}, QCoreApplication::translate("EkvithGraph", "Topná voda [°C]")};
    return frame;
}

std::array<GraphPoint, OutdoorTable::RowCount> EkvithGraphPoints(const OutdoorTable& table, int h)
{
    std::array<GraphPoint, OutdoorTable::RowCount> points;
    for (int k = 0; k < OutdoorTable::RowCount; ++k)
        points[std::size_t(k)] = At(OutdoorTable::Temperature(k), std::clamp(table.Number(k), WaterLow, WaterHigh), h);
    return points;
}

std::vector<GraphPoint> EkvithMeasuredPoints(const std::vector<MeasuredHour>& hours, int h)
{
    std::vector<GraphPoint> points;
    for (const MeasuredHour& hour : hours)
        if (hour.outdoor >= OutdoorTable::FirstTemperature && hour.outdoor <= OutdoorTable::LastTemperature &&
            hour.water >= WaterLow && hour.water <= WaterHigh)
            points.push_back(At(hour.outdoor, hour.water, h));
    return points;
}
