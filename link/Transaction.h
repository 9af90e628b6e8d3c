// The one exchange of the program with the Controller and the page
// operations built on it.
//
// A failed exchange is reported once, where it happens: the status timer is
// stopped first (so no poll can start while the message is up), then the
// failure report is shown.  Callers only look at the success flag and stop.
#pragma once

#include <cstdint>
#include <functional>

#include "link/BusyIndicator.h"
#include "link/PageMap.h"

// What the transaction needs of the window.  A build without widgets hands
// in plain callbacks; anything missing is simply skipped.
struct WindowServices {
    BusyIndicator* busy = nullptr;
    std::function<void()> stopStatusTimer;
    // Shows the one message of a failed exchange; the window owns its text.
    std::function<void()> reportFailure;
};

class ControllerLink {
public:
    explicit ControllerLink(WindowServices services = {});

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

    WindowServices& Services() { return services_; }

private:
    void Enter(bool hourglass) const;
    void Leave() const;
    void ShowNormal() const;
    void Fail() const;

    WindowServices services_;
};
