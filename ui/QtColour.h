// The program's colours (controller/Colours.h) as Qt paints them.
#pragma once

#include <QColor>

#include "controller/Colours.h"

inline QColor ToQColor(Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}
