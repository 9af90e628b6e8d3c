// Where the heating curve's graph puts its lines, texts and points, as plain
// numbers: the widget only draws what these return.  Outdoor temperature
// runs 6 pixels per °C from x = 30 (−40 °C) to x = 420 (25 °C); heating
// water 3 pixels per °C from 20 °C (40 pixels above the bottom) to 100 °C.
// Texts are placed by their top-left corners; lines are 1 pixel wide.
#pragma once

#include <QString>
#include <array>
#include <vector>

#include "controller/OutdoorTable.h"

struct GraphPoint {
    int x, y;
    friend bool operator==(const GraphPoint&, const GraphPoint&) = default;
};

struct GraphLine {
    GraphPoint from, to;
    friend bool operator==(const GraphLine&, const GraphLine&) = default;
};

struct GraphText {
    GraphPoint at;
    QString text;
    friend bool operator==(const GraphText&, const GraphText&) = default;
};

// Everything of the graph but the curve, for an image `height` pixels high.
struct EkvithGraphFrame {
    // Dotted grey: the outdoor scale's 14 labels and vertical lines
    // (−40..25 °C every 5), then the water scale's 9 labels and horizontal
    // lines (20..100 °C every 10).  Drawn in this order, label before line.
    std::vector<GraphText> outdoorLabels, waterLabels;
    std::vector<GraphLine> outdoorLines, waterLines;
    // Solid black, over the grid.
    GraphLine outdoorAxis, waterAxis;
    GraphText outdoorTitle, waterTitle;
};

EkvithGraphFrame EkvithGraphLayout(int height);

// One point per row, the value read as an integer (20 when it is not one)
// and held to 20..100 °C, the graph's edges.
std::array<GraphPoint, OutdoorTable::RowCount> EkvithGraphPoints(const OutdoorTable& table, int height);
