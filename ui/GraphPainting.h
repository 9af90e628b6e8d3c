// Drawing the plain numbers of controller/GraphGeometry.h with a QPainter,
// the same way for every graph of the program.
#pragma once

#include <QPainter>

#include "controller/GraphGeometry.h"

inline QPoint At(GraphPoint p)
{
    return {p.x, p.y};
}

inline QRect At(const GraphRect& r)
{
    return {r.x, r.y, r.width, r.height};
}

inline void DrawLine(QPainter& painter, const GraphLine& line)
{
    painter.drawLine(At(line.from), At(line.to));
}

// Placed by the top-left corner of the text, not by its baseline.
inline void DrawText(QPainter& painter, const GraphText& text)
{
    painter.drawText(QRect(At(text.at), QSize(1000, 1000)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                     text.text);
}
