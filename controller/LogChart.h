// Where the chart of the logs on "Záznamy" puts everything, as plain pixel
// numbers: the widget only draws what these return, and tests check them
// without a window.
//
// Two panels over the same hours as the grid, row 1 at the left and row 256
// at the right, each hour a column of whole pixels: above, the three logged
// sensors as lines against a °C scale; below, the boiler's running time as
// bars in minutes per hour against its own scale.  Midnights are lines
// through both, with the weekday under each day; the legend on top names
// each column read by its heading, in a place of its own.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "controller/GraphGeometry.h"
#include "controller/Logs.h"

// How wide a text is and how high a line of it, in the chart's font.
struct TextMetrics {
    std::function<int(const QString&)> width;
    int height = 0;
};

// A value scale from low to high, a tick every step; low and high are ticks.
struct ChartScale {
    int low = 0, high = 0, step = 1;
    friend bool operator==(const ChartScale&, const ChartScale&) = default;
};
// The finest step of 1, 2, 5, 10, 20, 25, 50 and 100 whose ticks, min..max
// rounded out to it, lie at least minSpacing pixels apart over `pixels`
// (100 when none does).  A flat range gets a tick either side of its value.
ChartScale NiceScale(int min, int max, int pixels, int minSpacing);

struct ChartPanel {
    GraphRect plot;
    ChartScale scale;
    std::vector<GraphText> labels;  // one per tick, right-aligned left of the plot
    std::vector<GraphLine> grid;    // one per tick, across the plot
    GraphLine axis, base;           // left of and under the plot
    GraphText title;                // the unit, above the labels

    // The pixel row of a value on the scale: low on the plot's last row,
    // high on its first.
    int ValueY(double value) const;
};

struct ChartLegendItem {
    int column;        // 1..4, whose colour the swatch takes
    GraphRect swatch;  // a line's sample through its middle, or a bar's
    GraphText text;    // the column's heading
};

struct LogChartLayout {
    ChartPanel temperature, boiler;
    std::vector<GraphLine> midnights;  // through both plots
    std::vector<GraphText> days;       // weekday names under the boiler plot, each in its day
    std::vector<ChartLegendItem> legend;
    // One point per hour for each temperature column read (column 1 at 0),
    // empty for a column never read; one bar per hour of the boiler time.
    std::array<std::vector<GraphPoint>, Logs::SensorLogs> lines;
    std::vector<GraphRect> bars;

    // The first pixel column of hour row 1..256; 257 gives the plots' end.
    int HourLeft(int row) const;
    // Rows first..last over both plots, for marking a selection.
    GraphRect Span(int firstRow, int lastRow) const;
    // The hour row under a point of either plot or of the gap between them.
    std::optional<int> RowAt(GraphPoint point) const;
};

LogChartLayout LayOutLogChart(const HourlyLogs& logs, int width, int height, const TextMetrics& metrics);
