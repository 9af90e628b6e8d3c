// Where the heating curve's graph puts its lines, texts and points, as plain
// numbers: the widget only draws what these return.  Outdoor temperature
// runs 6 pixels per °C from x = 30 (−40 °C) to x = 420 (25 °C); heating
// water 3 pixels per °C from 20 °C (40 pixels above the bottom) to 100 °C.
// Texts are placed by their top-left corners; lines are 1 pixel wide.
#pragma once

#include <array>
#include <vector>

#include "controller/GraphGeometry.h"
#include "controller/MeasuredHours.h"
#include "controller/OutdoorTable.h"

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

// The logged hours inside the graph's ranges (outdoor −40..25 °C, water
// 20..100 °C) on the curve's scales; an hour outside is left out rather
// than drawn on an edge, where it would look measured there.
std::vector<GraphPoint> EkvithMeasuredPoints(const std::vector<MeasuredHour>& hours, int height);
