#include "link/Serial.h"

#include <algorithm>
#include <chrono>

#include "link/LinkLog.h"

namespace Serial {
namespace {

std::unique_ptr<PortDevice> port;
DeviceOpener* opener = nullptr;
PortMap portMap;
OpenFailure lastFailure;

// The device of the port the user chose, kept after a hang-up so that the
// next exchange can open it again.  Empty once the port is closed for good.
std::string chosenPath;
int chosenBaud = 0;

// Drain scratch: fixed, so draining never allocates.
std::uint8_t drainBuffer[128];

std::unique_ptr<PortDevice> OpenDevice(const std::string& path, int baud, OpenKind kind)
{
    lastFailure = OpenFailure{};
    lastFailure.path = path;
    static PosixOpener system;
    return (opener ? *opener : system).Open(path, baud, kind, lastFailure);
}

// The device went away under a read or a write: let it go, but remember it.
void DropIfGone()
{
    if (port && port->Gone())
        port.reset();
}

}  // namespace

bool OpenPort(const std::string& name, int baud)
{
    // The window always closes first; closing here too keeps the rule that
    // at most one port is open even if a caller forgets.
    ClosePort();
    auto path = ResolvePortName(name, portMap);
    if (!path) {
        lastFailure = OpenFailure{};
        lastFailure.reason = OpenFailure::Reason::NoSuchPort;
        return false;
    }
    port = OpenDevice(*path, baud, OpenKind::Chosen);
    if (!port)
        return false;
    chosenPath = *path;
    chosenBaud = baud;
    return true;
}

const OpenFailure& LastOpenFailure()
{
    return lastFailure;
}

void ClosePort()
{
    port.reset();
    chosenPath.clear();
}

bool IsOpen()
{
    return port != nullptr;
}

bool WriteBytes(const std::uint8_t* buffer, std::uint16_t count)
{
    if (!port)
        return false;
    if (count == 0)
        return true;
    const bool ok = port->Write(buffer, count);
    DropIfGone();
    return ok;
}

bool ReadBytes(std::uint8_t* buffer, std::uint16_t count, std::uint16_t* arrived)
{
    std::size_t got = 0;
    if (port && count > 0) {
        got = port->Read(buffer, count, ReadTimeoutMs(count));
        DropIfGone();
    }
    if (arrived)
        *arrived = std::uint16_t(got);
    return count == 0 ? port != nullptr : got == count;
}

int InputWaiting()
{
    if (!port)
        return -1;
    return port->Waiting();
}

void FlushInput()
{
    // An adapter pulled out and plugged in again: the next exchange finds it
    // without the user choosing the port anew.  No polling, no retries: if
    // it is not back, this exchange fails like any other.
    if (!port && !chosenPath.empty())
        port = OpenDevice(chosenPath, chosenBaud, OpenKind::Reopen);
    // Ends when the driver reports an empty queue, so bytes that keep
    // arriving while we drain are drained too, but within its bounds.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(DrainTimeMs);
    int budget = DrainByteBudget;
    for (;;) {
        int n = InputWaiting();
        if (n < 0)
            return;
        n = std::min({n, static_cast<int>(sizeof drainBuffer), budget});
        if (n == 0)
            return;
        // The bytes are queued already; a device that reports more than it
        // delivers gets no more than the drain's own time.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const std::size_t got = port->Read(drainBuffer, std::size_t(n), int(std::max<long long>(left, 0)));
        // Bytes on the line like any reply: a trace of a muddled exchange
        // shows what came late.
        if (got > 0)
            qCDebug(lcLink, "drained %zu stale bytes: %s", got, TraceHex(drainBuffer, got).c_str());
        DropIfGone();
        if (!port || got < std::size_t(n))
            return;  // gone under us, or nothing more came within the time
        budget -= n;
        if (Clock::now() >= deadline)
            return;
    }
}

void SetPortMap(PortMap map)
{
    portMap = std::move(map);
}

void SetDeviceOpener(DeviceOpener* newOpener)
{
    ClosePort();
    opener = newOpener;
}

}  // namespace Serial
