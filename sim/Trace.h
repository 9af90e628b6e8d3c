// The trace file: one line per received byte and per reply written, each
// written with its own write() so a test can read the file while the
// simulator runs and never sees half a line.
#pragma once

#include <cstdint>
#include <string>

#include "sim/Controller.h"
#include "sim/MonoTime.h"

namespace sim {

class Trace {
public:
    explicit Trace(Nanos start) : start_(start) {}
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    bool Open(const std::string& path, std::string* error);
    bool IsOpen() const { return fd_ >= 0; }

    // "<us> rx cmd|data <HH>"
    void Received(Nanos at, ByteRole role, std::uint8_t byte);
    // "<us> tx <count> late_us=<L>": count includes injected junk bytes; L
    // is how late the last byte went out against its scheduled time.
    void Sent(Nanos at, std::size_t count, std::int64_t lateMicros);

private:
    void Line(const char* text, int length);

    Nanos start_;
    int fd_ = -1;
};

}  // namespace sim
