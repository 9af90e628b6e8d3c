// Setting the Controller's clock: from the PC's clock or from the
// hand-entry fields.  The sequence is 0x10 and then seconds, minutes, hours
// and the weekday number, one acknowledged byte each (the weekday awaits
// nothing).
#pragma once

#include <QDateTime>
#include <QString>
#include <variant>

#include "controller/PageTransfer.h"
#include "controller/StatusBlocks.h"

// The PC's local time as the Controller counts it: weekday 0 = Monday.
ControllerTime PcControllerTime(const QDateTime& now);

// Runs the clock-set sequence, stopping at the first failed exchange.
// RangeCheckError, with nothing sent, when a value lies outside 0..255.
Transfer SetControllerClock(ControllerLink& link, const ControllerTime& time);

// The hand-entry fields as the user left them.
struct HandClockTexts {
    QString hour, min, sec;
    int day = 0;  // the list's item index
};

struct HandClockError {
    enum class Kind { NotAnInteger, RangeCheck } kind;
    QString text;  // the field's text, for the "not an integer" message
};

// Every field is checked before a byte goes out: once the Controller has
// taken 0x10 it reads the next four bytes as the clock, so a sequence
// abandoned half-way would have it take the next poll's requests for clock
// values.  Fields are checked in the order they are sent (seconds, minutes,
// hours), each first for being an integer, then for 0..255; values such as
// 75 seconds or 30 hours are the user's to send.
std::variant<ControllerTime, HandClockError> ParseHandClock(const HandClockTexts& texts);
