// The fill inputs of the curve and of the wall, as the tabs and the
// parameter-file sections hand them over (controller/FillInputs.h).
#pragma once

#include "controller/FillInputs.h"

inline InputValues CurveInputs(const char* a, const char* b, const char* c)
{
    return {{"EkvithFillA", QString::fromUtf8(a)},
            {"EkvithFillB", QString::fromUtf8(b)},
            {"EkvithFillC", QString::fromUtf8(c)}};
}

inline InputValues WallInputs(long long depth, long long temp, long long sensDepth, const char* b)
{
    return {{"WallDepth", depth}, {"WallTemp", temp}, {"WallSensDepth", sensDepth}, {"EkvithFillB", QString::fromUtf8(b)}};
}
