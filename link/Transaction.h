// The one exchange of the program with the Controller and the page
// operations built on it.
//
// A failed exchange is reported once, where it happens: the status timer is
// stopped first (so no poll can start while the message is up), then the
// failure report is shown.  Callers only look at the success flag and stop.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace Cursor {
// Values of the screen cursor as the busy indicator knows them.  Any other
// value is a cursor the window had set and is only handed back.
constexpr int Default = 0;
constexpr int Hourglass = -11;
}  // namespace Cursor

// What the transaction needs of the window.  A build without widgets hands
// in plain callbacks; a missing callback is simply skipped.
struct WindowServices {
    std::function<int()> currentCursor;
    std::function<void(int)> setCursor;
    std::function<void()> stopStatusTimer;
    std::function<void(const std::string&)> reportFailure;  // UTF-8 text
};

using PageBuffer = std::array<std::uint8_t, 256>;

class ControllerLink {
public:
    static constexpr const char* FailureText = "Chyba komunikace";

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
    int CurrentCursor() const;
    void SetCursor(int cursor) const;
    void Fail() const;

    WindowServices services_;
};
