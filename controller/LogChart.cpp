#include "controller/LogChart.h"

#include <algorithm>
#include <cmath>

#include "controller/LogTable.h"

namespace {

constexpr int Pad = 4;          // around the chart and between its parts
constexpr int SwatchWidth = 16;
// The legend is a grid of two columns and two rows, a place for each value
// column whether it was read or not: nothing moves when a read brings it.
constexpr int LegendColumns = 2, LegendRows = 2;
constexpr int LabelGap = 4;     // between a tick label and the axis
constexpr int MinutesPerHour = 60;
// Before the first read, and the least the boiler's scale shows.
constexpr int EmptyLow = 0, EmptyHigh = 60;

// How far a tick label reaches past the end of its plot: half a line, as
// it is centred on its tick.
int Overhang(const TextMetrics& metrics)
{
    return metrics.height / 2 + 1;
}

int FloorTo(int value, int step)
{
    return int(std::floor(double(value) / step)) * step;
}

int CeilTo(int value, int step)
{
    return int(std::ceil(double(value) / step)) * step;
}

// The lowest and highest value of the columns given, if any was read.
std::optional<std::pair<int, int>> Range(const HourlyLogs& logs, int firstColumn, int lastColumn)
{
    std::optional<std::pair<int, int>> range;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const auto& values = logs.Column(column);
        if (!values)
            continue;
        const auto [low, high] = std::minmax_element(values->values.begin(), values->values.end());
        range = range ? std::pair{std::min(range->first, *low), std::max(range->second, *high)}
                      : std::pair{*low, *high};
    }
    return range;
}

// The labels and grid lines of a panel whose plot and scale are set.
void PlaceTicks(ChartPanel& panel, const TextMetrics& metrics)
{
    const ChartScale& s = panel.scale;
    for (int value = s.low; value <= s.high; value += s.step) {
        const int y = panel.ValueY(value);
        const QString text = QString::number(value);
        panel.labels.push_back(
            {{panel.plot.x - 1 - LabelGap - metrics.width(text), y - metrics.height / 2}, text});
        panel.grid.push_back({{panel.plot.x, y}, {panel.plot.Right() - 1, y}});
    }
    panel.axis = {{panel.plot.x - 1, panel.plot.y}, {panel.plot.x - 1, panel.plot.Bottom() - 1}};
    panel.base = {{panel.plot.x - 1, panel.plot.Bottom()}, {panel.plot.Right() - 1, panel.plot.Bottom()}};
    panel.title.at = {Pad, panel.plot.y - Overhang(metrics) - metrics.height};
}

int WidestLabel(const ChartScale& s, const TextMetrics& metrics)
{
    int widest = 0;
    for (int value = s.low; value <= s.high; value += s.step)
        widest = std::max(widest, metrics.width(QString::number(value)));
    return widest;
}

void PlaceLegend(LogChartLayout& chart, const HourlyLogs& logs, int width, const TextMetrics& metrics)
{
    const LogTable table(logs);
    const int cell = (width - 2 * Pad) / LegendColumns;
    for (int column = Logs::FirstValueColumn; column <= Logs::BoilerColumn; ++column) {
        if (!logs.Column(column))
            continue;
        const int place = column - Logs::FirstValueColumn;
        const int x = Pad + place % LegendColumns * cell, y = Pad + place / LegendColumns * metrics.height;
        chart.legend.push_back({column,
                                {x, y + metrics.height / 2 - 3, SwatchWidth, 6},
                                {{x + SwatchWidth + LabelGap, y}, table.Cell(column, 0)}});
    }
}

// Midnight lines, and each day's weekday centred in its part of the plots
// where it fits.
void PlaceDays(LogChartLayout& chart, const HourlyLogs& logs, const TextMetrics& metrics)
{
    if (!logs.NewestHour())
        return;
    const int top = chart.temperature.plot.y, bottom = chart.boiler.plot.Bottom() - 1;
    auto dayOf = [&](int row) { return *logs.HourOfRow(row) / 24; };
    int first = 1;
    for (int row = 1; row <= Logs::Hours; ++row) {
        if (row > 1 && dayOf(row) != dayOf(row - 1)) {
            const int x = chart.HourLeft(row);
            chart.midnights.push_back({{x, top}, {x, bottom}});
        }
        if (row == Logs::Hours || dayOf(row + 1) != dayOf(row)) {
            const QString name = LogWeekday(*logs.HourOfRow(row));
            const int left = chart.HourLeft(first), right = chart.HourLeft(row + 1), w = metrics.width(name);
            if (w + 2 <= right - left)
                chart.days.push_back({{(left + right - w) / 2, chart.boiler.plot.Bottom() + 3}, name});
            first = row + 1;
        }
    }
}

}  // namespace

ChartScale NiceScale(int min, int max, int pixels, int minSpacing)
{
    ChartScale scale;
    for (int step : {1, 2, 5, 10, 20, 25, 50, 100}) {
        scale = {FloorTo(min, step), CeilTo(max, step), step};
        if (scale.low == scale.high)
            scale.low -= step, scale.high += step;
        if ((scale.high - scale.low) / step * minSpacing <= pixels)
            break;
    }
    return scale;
}

int ChartPanel::ValueY(double value) const
{
    const double share = (value - scale.low) / double(scale.high - scale.low);
    return plot.Bottom() - 1 - int(std::lround(share * (plot.height - 1)));
}

int LogChartLayout::HourLeft(int row) const
{
    const GraphRect& plot = temperature.plot;
    return plot.x + (row - 1) * plot.width / Logs::Hours;
}

GraphRect LogChartLayout::Span(int firstRow, int lastRow) const
{
    const int left = HourLeft(firstRow), top = temperature.plot.y;
    return {left, top, HourLeft(lastRow + 1) - left, boiler.plot.Bottom() - top};
}

std::optional<int> LogChartLayout::RowAt(GraphPoint point) const
{
    if (!Span(1, Logs::Hours).Contains(point))
        return std::nullopt;
    // The last hour whose first column is at or left of the point: the
    // inverse of HourLeft's rounding down.
    const int offset = point.x - temperature.plot.x;
    return (Logs::Hours * (offset + 1) - 1) / temperature.plot.width + 1;
}

LogChartLayout LayOutLogChart(const HourlyLogs& logs, int width, int height, const TextMetrics& metrics)
{
    LogChartLayout chart;
    const int line = metrics.height;
    PlaceLegend(chart, logs, width, metrics);

    // Top to bottom: the legend, a title, the temperature plot, a title, the
    // boiler plot, the weekdays.  A title stays clear of the tick label
    // reaching up from the plot below it and of the one reaching down from
    // the plot above.  The temperatures get two thirds.
    const int overhang = Overhang(metrics);
    const int top = Pad + LegendRows * line + Pad + line + overhang;
    const int between = 1 + overhang + Pad + line + overhang;
    const int plots = height - top - between - (3 + line + Pad);
    const int temperatureHeight = std::max(plots * 2 / 3, 1), boilerHeight = std::max(plots - temperatureHeight, 1);
    const int minSpacing = line + 6;

    const auto temperatures = Range(logs, Logs::FirstValueColumn, Logs::BoilerColumn - 1)
                                  .value_or(std::pair{EmptyLow, EmptyHigh});
    chart.temperature.scale = NiceScale(temperatures.first, temperatures.second, temperatureHeight, minSpacing);
    const auto seconds = Range(logs, Logs::BoilerColumn, Logs::BoilerColumn).value_or(std::pair{0, 0});
    const int minutes = (seconds.second + MinutesPerHour - 1) / MinutesPerHour;
    chart.boiler.scale = NiceScale(0, std::max(minutes, EmptyHigh), boilerHeight, minSpacing);

    // The scales' labels decide where the plots begin.
    const int left = Pad + std::max(WidestLabel(chart.temperature.scale, metrics),
                                    WidestLabel(chart.boiler.scale, metrics)) +
                     LabelGap + 1;
    const int plotWidth = std::max(width - left - Pad, 1);
    chart.temperature.plot = {left, top, plotWidth, temperatureHeight};
    chart.boiler.plot = {left, chart.temperature.plot.Bottom() + between, plotWidth, boilerHeight};
    chart.temperature.title.text = LogText::TemperatureAxisTitle();
    chart.boiler.title.text = LogText::BoilerAxisTitle();
    PlaceTicks(chart.temperature, metrics);
    PlaceTicks(chart.boiler, metrics);
    PlaceDays(chart, logs, metrics);

    for (int column = Logs::FirstValueColumn; column < Logs::BoilerColumn; ++column) {
        const auto& values = logs.Column(column);
        if (!values)
            continue;
        auto& points = chart.lines[std::size_t(column - Logs::FirstValueColumn)];
        for (int row = 1; row <= Logs::Hours; ++row)
            points.push_back({(chart.HourLeft(row) + chart.HourLeft(row + 1) - 1) / 2,
                              chart.temperature.ValueY(values->values[std::size_t(row - 1)])});
    }
    if (const auto& boiler = logs.Column(Logs::BoilerColumn)) {
        const ChartPanel& panel = chart.boiler;
        for (int row = 1; row <= Logs::Hours; ++row) {
            const double share = boiler->values[std::size_t(row - 1)] / double(MinutesPerHour * panel.scale.high);
            const int h = int(std::lround(share * panel.plot.height));
            const int x = chart.HourLeft(row);
            chart.bars.push_back({x, panel.plot.Bottom() - h, chart.HourLeft(row + 1) - x, h});
        }
    }
    return chart;
}
