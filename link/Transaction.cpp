#include "link/Transaction.h"

#include "link/Commands.h"
#include "link/Serial.h"

ControllerLink::ControllerLink(WindowServices services) : services_(std::move(services)) {}

void ControllerLink::Enter(bool hourglass) const
{
    if (services_.busy)
        services_.busy->Enter(hourglass);
}

void ControllerLink::Leave() const
{
    if (services_.busy)
        services_.busy->Leave();
}

void ControllerLink::ShowNormal() const
{
    if (services_.busy)
        services_.busy->ShowNormal();
}

void ControllerLink::Fail() const
{
    // The timer first: no status poll may start while the box is up.
    if (services_.stopStatusTimer)
        services_.stopStatusTimer();
    if (services_.reportFailure)
        services_.reportFailure();
}

bool ControllerLink::Transact(const std::uint8_t* request, std::uint16_t requestLength,
                              std::uint8_t* reply, std::uint16_t replyLength)
{
    // The short status and clock replies of the once-a-second poll would
    // make the cursor flicker; only the long ones show the hourglass.
    Enter(replyLength > 10);
    // Stale bytes of an earlier, timed-out exchange must not be taken for
    // this reply.
    Serial::FlushInput();
    bool ok = Serial::WriteBytes(request, requestLength) && Serial::ReadBytes(reply, replyLength);
    Leave();
    if (!ok)
        Fail();
    return ok;
}

bool ControllerLink::Transact(std::uint8_t request, std::uint8_t* reply, std::uint16_t replyLength)
{
    return Transact(&request, 1, reply, replyLength);
}

bool ControllerLink::ReadPage(int page, PageBuffer& buffer)
{
    return Transact(Command::ReadPage(page), buffer.data(), Command::PageSize);
}

bool ControllerLink::SendAcknowledged(const std::uint8_t* bytes, std::size_t count)
{
    std::uint8_t ack = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t awaited = i + 1 < count ? Command::AckLength : 0;
        if (!Transact(bytes[i], &ack, awaited))
            return false;
    }
    return true;
}

bool ControllerLink::WritePage(int page, const PageBuffer& data)
{
    std::uint8_t ack = 0;
    if (!Transact(Command::WritePage(page), &ack, Command::AckLength))
        return false;
    // Each data byte is a transaction of its own; the one-byte ones leave
    // the cursor alone, so the hourglass stays up for the whole write.
    Enter(true);
    bool ok = SendAcknowledged(data.data(), data.size());
    // A write ends with the normal cursor whatever was shown before it.
    ShowNormal();
    return ok;
}
