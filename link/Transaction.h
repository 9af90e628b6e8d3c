// The one exchange of the program with the Controller and the page
// operations built on it.
//
// A failed operation is reported once, where it happens: to the observer,
// with its reason (link/LinkFailure.h), which the link also keeps for
// LastFailure().  Callers only look at the success flag and stop.
//
// Every exchange is logged in the category "vesk.link" at debug level
// (request, reply in hex, time, the reason of a failure); it is off unless
// turned on, e.g. QT_LOGGING_RULES="vesk.link.debug=true".
#pragma once

#include <cstdint>

#include "link/LinkFailure.h"
#include "link/LinkObserver.h"
#include "link/PageMap.h"

class ControllerLink {
public:
    // Without an observer nothing is told; failures are still kept.
    explicit ControllerLink(LinkObserver* observer = nullptr) : observer_(observer) {}

    void SetObserver(LinkObserver* observer) { observer_ = observer; }

    // Drains pending input, sends the request and reads exactly replyLength
    // bytes (none when 0).  The reply is complete only when the result is true.
    bool Transact(const std::uint8_t* request, std::uint16_t requestLength,
                  std::uint8_t* reply, std::uint16_t replyLength);
    bool Transact(std::uint8_t request, std::uint8_t* reply, std::uint16_t replyLength);

    // Page numbers are taken modulo 16.
    bool ReadPage(int page, PageBuffer& buffer);
    bool WritePage(int page, const PageBuffer& data);

    // One byte per exchange, each acknowledged by one byte except the last,
    // after which nothing is awaited.  Stops at the first failure.
    bool SendAcknowledged(const std::uint8_t* bytes, std::size_t count);

    // Why the last failed operation failed; meaningful after a false result.
    const LinkFailure& LastFailure() const { return last_; }

private:
    // One exchange; on failure fills last_ but tells nobody yet, so that a
    // page operation can add its page and step first.
    bool Exchange(const std::uint8_t* request, std::uint16_t requestLength, std::uint8_t* reply,
                  std::uint16_t replyLength);
    bool Sequence(const std::uint8_t* bytes, std::size_t count);
    void Report();

    LinkObserver* observer_;
    LinkFailure last_;
};
