#include "link/Transaction.h"

#include <chrono>
#include <cstdio>

#include "link/Commands.h"
#include "link/LinkLog.h"
#include "link/Serial.h"

// Debug messages are off unless a rule turns them on: the trace of every
// exchange is for the one who asks for it.
Q_LOGGING_CATEGORY(lcLink, "vesk.link", QtInfoMsg)

std::string TraceHex(const std::uint8_t* bytes, std::size_t count)
{
    std::string text;
    text.reserve(count * 3);
    char digits[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(digits, sizeof digits, i ? " %02x" : "%02x", bytes[i]);
        text += digits;
    }
    return text;
}

namespace {

using Clock = std::chrono::steady_clock;

const char* ReasonText(LinkFailure::Reason reason)
{
    switch (reason) {
    case LinkFailure::Reason::NoPort: return "no port open";
    case LinkFailure::Reason::WriteError: return "write error";
    case LinkFailure::Reason::HungUp: return "device hung up";
    case LinkFailure::Reason::TimeOut: return "time-out";
    }
    return "?";
}

}  // namespace

std::string Describe(const LinkFailure& f)
{
    char where[64] = "";
    switch (f.step) {
    case LinkFailure::Step::Exchange: break;
    case LinkFailure::Step::PageRead: std::snprintf(where, sizeof where, "page %d, read, ", f.page); break;
    case LinkFailure::Step::PageCommand: std::snprintf(where, sizeof where, "page %d, write command, ", f.page); break;
    case LinkFailure::Step::PageData:
        std::snprintf(where, sizeof where, "page %d, data byte %d, ", f.page, f.index);
        break;
    case LinkFailure::Step::Sequence: std::snprintf(where, sizeof where, "sequence byte %d, ", f.index); break;
    }
    char text[160];
    std::snprintf(text, sizeof text, "%srequest 0x%02x: %s", where, f.request, ReasonText(f.reason));
    std::string line = text;
    if (f.reason == LinkFailure::Reason::TimeOut || f.reason == LinkFailure::Reason::HungUp) {
        std::snprintf(text, sizeof text, ", %u of %u reply bytes", unsigned(f.arrived), unsigned(f.expected));
        line += text;
    }
    return line;
}

bool ControllerLink::Exchange(const std::uint8_t* request, std::uint16_t requestLength, std::uint8_t* reply,
                              std::uint16_t replyLength)
{
    // Measured only while someone reads the trace.
    const bool tracing = lcLink().isDebugEnabled();
    const Clock::time_point start = tracing ? Clock::now() : Clock::time_point{};
    if (observer_)
        observer_->ExchangeStarted(replyLength);
    // Stale bytes of an earlier, timed-out exchange must not be taken for
    // this reply.  The drain also opens a device again that hung up before.
    Serial::FlushInput();
    LinkFailure failure;
    failure.request = requestLength ? request[0] : 0;
    failure.expected = replyLength;
    bool ok = false;
    // The port's state after a failed call tells a hang-up (the device was
    // let go) from a failure of a port that is still there.
    if (!Serial::IsOpen())
        failure.reason = LinkFailure::Reason::NoPort;
    else if (!Serial::WriteBytes(request, requestLength))
        failure.reason = Serial::IsOpen() ? LinkFailure::Reason::WriteError : LinkFailure::Reason::HungUp;
    else if (!Serial::ReadBytes(reply, replyLength, &failure.arrived))
        failure.reason = Serial::IsOpen() ? LinkFailure::Reason::TimeOut : LinkFailure::Reason::HungUp;
    else
        ok = true;
    if (observer_)
        observer_->ExchangeEnded();
    if (tracing) {
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        const std::uint16_t got = ok ? replyLength : failure.arrived;
        qCDebug(lcLink, "%s -> %u of %u bytes in %.1f ms: %s", TraceHex(request, requestLength).c_str(), unsigned(got),
                unsigned(replyLength), ms, TraceHex(reply, got).c_str());
    }
    if (!ok)
        last_ = failure;
    return ok;
}

void ControllerLink::Report()
{
    qCDebug(lcLink, "failed: %s", Describe(last_).c_str());
    if (observer_)
        observer_->ExchangeFailed(last_);
}

bool ControllerLink::Transact(const std::uint8_t* request, std::uint16_t requestLength, std::uint8_t* reply,
                              std::uint16_t replyLength)
{
    if (Exchange(request, requestLength, reply, replyLength))
        return true;
    Report();
    return false;
}

bool ControllerLink::Transact(std::uint8_t request, std::uint8_t* reply, std::uint16_t replyLength)
{
    return Transact(&request, 1, reply, replyLength);
}

bool ControllerLink::ReadPage(int page, PageBuffer& buffer)
{
    const std::uint8_t request = Command::ReadPage(page);
    if (Exchange(&request, 1, buffer.data(), Command::PageSize))
        return true;
    last_.step = LinkFailure::Step::PageRead;
    last_.page = page & 0x0F;
    Report();
    return false;
}

bool ControllerLink::Sequence(const std::uint8_t* bytes, std::size_t count)
{
    std::uint8_t ack = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t awaited = i + 1 < count ? Command::AckLength : 0;
        if (!Exchange(&bytes[i], 1, &ack, awaited)) {
            last_.step = LinkFailure::Step::Sequence;
            last_.index = int(i);
            return false;
        }
    }
    return true;
}

bool ControllerLink::SendAcknowledged(const std::uint8_t* bytes, std::size_t count)
{
    if (Sequence(bytes, count))
        return true;
    Report();
    return false;
}

bool ControllerLink::WritePage(int page, const PageBuffer& data)
{
    const std::uint8_t command = Command::WritePage(page);
    std::uint8_t ack = 0;
    if (!Exchange(&command, 1, &ack, Command::AckLength)) {
        last_.step = LinkFailure::Step::PageCommand;
        last_.page = page & 0x0F;
        Report();
        return false;
    }
    // Each data byte is an exchange of its own; the observer hears that a
    // page write runs (the window keeps its hourglass up for all of it).
    if (observer_)
        observer_->PageWriteStarted();
    const bool ok = Sequence(data.data(), data.size());
    if (!ok) {
        last_.step = LinkFailure::Step::PageData;
        last_.page = page & 0x0F;
        Report();
    }
    if (observer_)
        observer_->PageWriteEnded();
    return ok;
}
