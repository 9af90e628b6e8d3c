#include "sim/Trace.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace sim {

Trace::~Trace()
{
    if (fd_ >= 0) ::close(fd_);
}

bool Trace::Open(const std::string& path, std::string* error)
{
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        *error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void Trace::Received(Nanos at, ByteRole role, std::uint8_t byte)
{
    if (fd_ < 0) return;
    char line[64];
    const int n = std::snprintf(line, sizeof line, "%" PRId64 " rx %s %02X\n", (at - start_) / kNanosPerMicro,
                                role == ByteRole::Command ? "cmd" : "data", byte);
    Line(line, n);
}

void Trace::Sent(Nanos at, std::size_t count, std::int64_t lateMicros)
{
    if (fd_ < 0) return;
    char line[80];
    const int n = std::snprintf(line, sizeof line, "%" PRId64 " tx %zu late_us=%" PRId64 "\n",
                                (at - start_) / kNanosPerMicro, count, lateMicros);
    Line(line, n);
}

void Trace::Line(const char* text, int length)
{
    if (length <= 0) return;
    while (::write(fd_, text, static_cast<std::size_t>(length)) < 0 && errno == EINTR) {
    }
}

}  // namespace sim
