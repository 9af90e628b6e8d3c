// One tick of the once-a-second status poll, free of widgets: it asks the
// Controller and says what the tab is to show.  The clocks and the output
// panels change every tick; in the normal view the regulator values and the
// sensor temperatures are read only once per Controller minute, so a tick
// costs two short exchanges (4 and 10 reply bytes) and the line stays free.
#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "controller/StatusBlocks.h"
#include "link/Transaction.h"

// lastStatusMinute when the next chance must refresh the regulator view and
// the normal sensor view.  No real minute has this value.
inline constexpr std::uint8_t NoStatusMinute = 0xFF;

// One of the seven pairs of caption and value under the mode row: the
// value's label is "lb" + key, a key of the status block's table (the
// thermostat's minutes to the next step show in the line "Temp").
struct RegulatorLine {
    QString key;
    std::optional<QString> caption;  // empty: the caption keeps its text
    std::optional<QString> value;    // empty: the value keeps its text
    bool visible = false;            // caption and value alike
};

struct RegulatorView {
    QString mode;  // always shown
    // Top to bottom as the tab shows them.
    std::vector<RegulatorLine> lines;

    // The line of a key; every view has all seven.
    RegulatorLine& Line(QStringView key);
    const RegulatorLine& Line(QStringView key) const { return const_cast<RegulatorView*>(this)->Line(key); }
};

// Which pairs the mode shows and with which captions: equithermal shows all
// seven, the thermostat three, off and an invalid mode none.
RegulatorView MakeRegulatorView(const StatusBlock& status);

// What one tick has to show.  A part the tick did not refresh (it was not
// due, or an exchange failed before it) is empty and keeps its old text.
struct StatusShow {
    std::optional<QString> controllerClock;
    std::optional<QString> pcClock;
    std::optional<Outputs> outputs;
    std::optional<RegulatorView> regulator;
    std::optional<SensorTexts> sensors;
    std::uint8_t lastStatusMinute = NoStatusMinute;

    // The same as numbers, for whoever writes them rather than shows them
    // (the command line's JSON): the clock with the clocks' texts, the
    // status block with the outputs (its regulator values count as
    // refreshed only where `regulator` is), the sensors' temperatures in
    // the normal view with their texts.
    std::optional<ControllerTime> clock;
    std::optional<StatusBlock> status;
    std::optional<SensorValues> temperatures;
};

// The PC's local time; tests hand in a fixed one.
using PcClock = std::function<QDateTime()>;

// One tick: clock, status, then the sensor blocks the view asks for.  Stops
// at the first failed exchange (the link has reported it and stopped the
// timer); what came before it is still shown.
StatusShow RunStatusTick(ControllerLink& link, bool quickView, std::uint8_t lastStatusMinute,
                         const PcClock& pcClock, const QLocale& locale = QLocale());
