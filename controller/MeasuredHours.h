// The logged hours as points over the heating curve: each hour's outdoor
// temperature against its outlet water, from logs read in this window with
// one sensor in the role "Venkovní" and another in "Výst. voda".
#pragma once

#include <QString>
#include <vector>

#include "controller/Logs.h"

struct MeasuredHour {
    int outdoor, water;  // °C
    friend bool operator==(const MeasuredHour&, const MeasuredHour&) = default;
};

struct MeasuredHours {
    enum class State { NotRead, MissingRoles, DifferentReads, Ready };
    State state = State::NotRead;
    // The value columns (1..3) that hold the two roles, 0 where none does.
    int outdoorColumn = 0, waterColumn = 0;
    std::vector<MeasuredHour> hours;  // Ready: one per row, oldest first
};

// A role logged twice is the same sensor logged twice, so either log will
// do: the first pair of logs that one read brought wins.  Two logs from
// different reads (the later read failed part-way) belong to different
// hours and are never paired.
MeasuredHours PairMeasuredHours(const HourlyLogs& logs);

// The check box's tip: where the points come from and how many of them lie
// inside the graph, or why there are none.
QString MeasuredHoursTip(const MeasuredHours& measured, int inRange);
