// The one serial port through which the program talks to the Controller.
//
// The port is module-level state: at most one is open in the whole program
// and every operation acts on it.  Nothing here is shown to the user; every
// operation reports failure only through its result.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/PortAccess.h"
#include "link/PortNames.h"

namespace Serial {

// Opens the named port ("COM1" … "COM8", resolved through the installed port
// map, or a device path) exclusively at the given baud rate, 8 data bits,
// no parity, 1 stop bit.  On failure LastOpenFailure() says why.
bool OpenPort(const std::string& name, int baud);
const OpenFailure& LastOpenFailure();
// Closes the port for good: no later exchange reopens it.
void ClosePort();
bool WriteBytes(const std::uint8_t* buffer, std::uint16_t count);
// Gives up after 500 ms + 1 ms per requested byte; bytes that did arrive stay
// in the buffer, but the result is false.
bool ReadBytes(std::uint8_t* buffer, std::uint16_t count);
int InputWaiting();
// Discards what is waiting: the stale bytes of an earlier exchange.  When
// the device hung up (an adapter pulled out), the failing operation closes
// the port; the next drain, that is the next exchange, opens the same path
// again if the device is back.
void FlushInput();

// Bounds of one drain.  Stale bytes of an earlier exchange are at most a
// reply or two (the longest is 259 bytes) and lie in the driver's queue
// already, so they are read at once; a device that keeps sending (a wrong
// ttyACM, a modem chattering) would keep an unbounded drain going for ever.
// A queue's worth of bytes or a few tens of milliseconds, whichever comes
// first: more is no leftover but a stream, and the exchange that follows
// fails on it as it would on any wrong reply.
constexpr int DrainByteBudget = 8192;  // the input queue the port asks for
constexpr int DrainTimeMs = 50;
bool IsOpen();

// Mapping of port names to device paths, read from the settings file.
void SetPortMap(PortMap map);

// Read time-out of ReadBytes for a count, in milliseconds.
constexpr int ReadTimeoutMs(std::uint16_t count) { return 500 + count; }

// ---- Seam for tests: the platform side of one open port. ----------------
class PortDevice {
public:
    virtual ~PortDevice() = default;
    // Hands all bytes to the driver; blocks without a time-out.
    virtual bool Write(const std::uint8_t* buffer, std::size_t count) = 0;
    // Reads until count bytes arrived or timeoutMs passed; returns how many
    // arrived.  Stops early when the device is gone.
    virtual std::size_t Read(std::uint8_t* buffer, std::size_t count, int timeoutMs) = 0;
    // Bytes in the driver's input queue, −1 if the query fails.
    virtual int Waiting() = 0;
    // The device hung up: nothing more will come through this handle.
    virtual bool Gone() const { return false; }
};

// Whether the user asked for the open (start-up, a port picked from the
// list) or the link opens the chosen device again after a hang-up, inside
// an exchange.  Only the first looks through every process for one that
// opened the device before us without a lock: that look is slow on a busy
// machine, and the answer is wanted where the user picks a port.
enum class OpenKind { Chosen, Reopen };

// Opens a device for a resolved path (not a port name) with the line
// settings applied; nullptr on failure, with the reason in `failure`.
class DeviceOpener {
public:
    virtual ~DeviceOpener() = default;
    virtual std::unique_ptr<PortDevice> Open(const std::string& path, int baud, OpenKind kind,
                                             OpenFailure& failure) = 0;
};

// The POSIX termios opener.  It looks for other holders of the device and
// keeps its lock file in the folders `paths` names: the system's, or a
// test's own.
class PosixOpener final : public DeviceOpener {
public:
    explicit PosixOpener(SystemPaths paths = {}) : paths_(std::move(paths)) {}
    std::unique_ptr<PortDevice> Open(const std::string& path, int baud, OpenKind kind,
                                     OpenFailure& failure) override;

private:
    SystemPaths paths_;
};

// The opener the port uses.  The port is module-level state (one line to
// one Controller for the whole program, opened by the window and used by
// every exchange), so what opens its device is too: the one seam through
// which a test puts a fake device or folders of its own under the port,
// since no caller of OpenPort holds anything it could hand the opener to.
// nullptr restores the system's PosixOpener.  Closes any open port first;
// the opener must stay alive until it is replaced.
void SetDeviceOpener(DeviceOpener* opener);

}  // namespace Serial
