#include "tests/sim/RawPort.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

RawPort::RawPort(const std::string& path)
{
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return;
    termios tio{};
    if (::tcgetattr(fd_, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
}

RawPort::~RawPort()
{
    if (fd_ >= 0) ::close(fd_);
}

void RawPort::Write(const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else {
            pollfd p{fd_, POLLOUT, 0};
            if (::poll(&p, 1, 1000) <= 0) return;
        }
    }
}

std::vector<std::uint8_t> RawPort::Read(std::size_t count, int timeoutMs)
{
    std::vector<std::uint8_t> got;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < count) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, MsLeft(deadline)) <= 0) break;
        std::uint8_t buffer[512];
        const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
        if (n > 0) got.insert(got.end(), buffer, buffer + n);
        else if (n == 0 || MsLeft(deadline) == 0) break;
    }
    return got;
}

std::vector<std::uint8_t> RawPort::ReadFor(int ms) { return Read(static_cast<std::size_t>(-1) / 2, ms); }

void RawPort::Drain()
{
    ::tcflush(fd_, TCIFLUSH);
}

std::vector<std::uint8_t> RawPort::Exchange(std::uint8_t request, std::size_t replyLength)
{
    Drain();
    Write({request});
    return Read(replyLength, 1000 + static_cast<int>(replyLength) * 2);
}

int RawPort::WritePage(int page, const std::vector<std::uint8_t>& data)
{
    int acks = 0;
    if (Exchange(static_cast<std::uint8_t>(0x30 + page), 1).size() != 1) return acks;
    ++acks;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i + 1 == data.size()) {
            Drain();
            Write({data[i]});
            break;
        }
        if (Exchange(data[i], 1).size() != 1) return acks;
        ++acks;
    }
    return acks;
}

std::vector<std::uint8_t> RawPort::ReadPage(int page) { return Exchange(static_cast<std::uint8_t>(0x20 + page), 256); }
