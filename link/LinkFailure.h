// Why an exchange with the Controller failed, as data: for the trace, the
// command line and the reports of whole-memory transfers.  The window shows
// none of it; its one message stays "Chyba komunikace".
#pragma once

#include <cstdint>
#include <string>

struct LinkFailure {
    enum class Reason {
        NoPort,      // no port was open when the exchange began
        WriteError,  // the request did not go out, the port still open
        HungUp,      // the device went away during the exchange
        TimeOut,     // fewer reply bytes than awaited within the read time-out
    };
    // Where in a longer operation the failed exchange lay.
    enum class Step {
        Exchange,     // a request of its own
        PageRead,     // the page read's request
        PageCommand,  // the page write's opening command byte
        PageData,     // data byte `index` of a page write
        Sequence,     // byte `index` of an acknowledged sequence (the clock setting)
    };

    Reason reason = Reason::NoPort;
    std::uint8_t request = 0;    // the byte whose exchange failed
    std::uint16_t expected = 0;  // reply bytes awaited
    std::uint16_t arrived = 0;   // of them, before the time-out or the hang-up
    Step step = Step::Exchange;
    int page = -1;   // PageRead, PageCommand, PageData: the page, 0..15
    int index = -1;  // PageData, Sequence: the byte's place, from 0

    bool operator==(const LinkFailure&) const = default;
};

// One line for the trace, in English like the rest of it, e.g.
// "page 5, data byte 100 (request 0x3a): time-out, 0 of 1 reply bytes".
std::string Describe(const LinkFailure& failure);
