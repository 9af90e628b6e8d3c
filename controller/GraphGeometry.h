// What the program's graphs are made of, as plain pixel numbers: the layout
// functions return these, the widgets only draw them.  Texts are placed by
// their top-left corners; lines are 1 pixel wide.
#pragma once

#include <QString>

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

// The pixels x .. x + width − 1 and y .. y + height − 1.
struct GraphRect {
    int x = 0, y = 0, width = 0, height = 0;
    int Right() const { return x + width; }    // first pixel past it
    int Bottom() const { return y + height; }  // first pixel past it
    bool Contains(GraphPoint p) const { return p.x >= x && p.x < Right() && p.y >= y && p.y < Bottom(); }
    friend bool operator==(const GraphRect&, const GraphRect&) = default;
};
