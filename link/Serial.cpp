#include "link/Serial.h"

namespace Serial {
namespace {

std::unique_ptr<PortDevice> port;
DeviceOpener opener = nullptr;
PortMap portMap;

// Drain scratch: fixed, so draining never allocates.
std::uint8_t drainBuffer[128];

}  // namespace

bool OpenPort(const std::string& name, int baud)
{
    // The window always closes first; closing here too keeps the rule that
    // at most one port is open even if a caller forgets.
    ClosePort();
    auto path = ResolvePortName(name, portMap);
    if (!path)
        return false;
    port = opener ? opener(*path, baud) : OpenPosixDevice(*path, baud);
    return port != nullptr;
}

void ClosePort()
{
    port.reset();
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
    return port->Write(buffer, count);
}

bool ReadBytes(std::uint8_t* buffer, std::uint16_t count)
{
    if (!port)
        return false;
    if (count == 0)
        return true;
    return port->Read(buffer, count, ReadTimeoutMs(count)) == count;
}

int InputWaiting()
{
    if (!port)
        return -1;
    return port->Waiting();
}

void FlushInput()
{
    // Ends only when the driver reports an empty queue, so bytes that keep
    // arriving while we drain are drained too.
    for (;;) {
        int n = InputWaiting();
        if (n < 0)
            return;
        if (n > static_cast<int>(sizeof drainBuffer))
            n = sizeof drainBuffer;
        if (!ReadBytes(drainBuffer, static_cast<std::uint16_t>(n)))
            return;  // the device went away under us: nothing more to drain
        if (n == 0)
            return;
    }
}

void SetPortMap(PortMap map)
{
    portMap = std::move(map);
}

const PortMap& CurrentPortMap()
{
    return portMap;
}

void SetDeviceOpener(DeviceOpener newOpener)
{
    ClosePort();
    opener = newOpener;
}

}  // namespace Serial
