// The arrows of the clock buttons, drawn as paths so that they stay sharp
// at any size and scale: a red arrow, and a grey one on a disabled button.
#pragma once

#include <QIcon>
#include <QPainterPath>
#include <QRectF>

enum class ArrowDirection { Left, Down };

// The arrow's outline filling the box: a head of half the box's length at
// the tip, a shaft of a third of its breadth behind it.
QPainterPath ArrowPath(const QRectF& box, ArrowDirection direction);

QIcon ArrowIcon(ArrowDirection direction);
