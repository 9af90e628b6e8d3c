#include "sim/Server.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <poll.h>

namespace sim {
namespace {

constexpr std::int64_t kBitsPerByte = 10;  // start, 8 data, stop

timespec ToTimespec(Nanos n)
{
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(n / kNanosPerSecond);
    ts.tv_nsec = static_cast<long>(n % kNanosPerSecond);
    return ts;
}

}  // namespace

Server::Server(Pty& pty, Controller& controller, Trace& trace, LineConfig config)
    : pty_(pty), controller_(controller), trace_(trace), config_(std::move(config))
{
}

Nanos Server::After(Nanos from, std::int64_t bytes) const
{
    if (config_.lineSpeed <= 0) return from;
    return from + bytes * kBitsPerByte * kNanosPerSecond / config_.lineSpeed;
}

void Server::Run(volatile std::sig_atomic_t& stop, const sigset_t& waitMask)
{
    stop_ = &stop;
    waitMask_ = &waitMask;
    while (!stop) {
        Nanos now = MonoNow();
        while (!pending_.empty() && pending_.front().arrival <= now && !stop) {
            const Pending p = pending_.front();
            pending_.pop_front();
            Handle(p);
            now = MonoNow();
        }
        if (stop) break;
        if (controller_.Tick(now)) SaveEeprom();

        Nanos deadline = controller_.NextWakeup();
        if (!pending_.empty()) deadline = std::min(deadline, pending_.front().arrival);
        const timespec timeout = ToTimespec(std::max<Nanos>(deadline - now, 0));
        pollfd p{pty_.MasterFd(), POLLIN, 0};
        const int rc = ::ppoll(&p, 1, &timeout, &waitMask);
        if (rc < 0) continue;  // EINTR: a stop signal, checked at the top
        if (rc > 0 && (p.revents & POLLIN)) {
            ReadBurst();
        } else if (rc > 0) {
            // POLLHUP without data: no client has the line open.  The master
            // reports it until one does; look again shortly rather than spin.
            // The wait must let signals in: ppoll returning at once with
            // POLLHUP would otherwise never deliver a pending SIGTERM.
            WaitUntil(MonoNow() + 10 * kNanosPerMilli);
        }
    }
}

void Server::ReadBurst()
{
    std::uint8_t buffer[4096];
    const std::size_t n = pty_.Read(buffer, sizeof buffer);
    const Nanos readAt = MonoNow();
    for (std::size_t i = 0; i < n; ++i) {
        // On the line, a byte has come in completely one byte time after it
        // started; bytes read together were sent back to back.
        const Nanos arrival = config_.lineSpeed > 0 ? After(std::max(readAt, lineFreeAt_), 1) : readAt;
        lineFreeAt_ = arrival;
        pending_.push_back({buffer[i], arrival});
    }
}

void Server::Handle(const Pending& p)
{
    const Response r = controller_.OnByte(p.byte, p.arrival);
    trace_.Received(MonoNow(), r.role, p.byte);
    Send(r.reply, p.arrival);
    // After the reply, so saving never delays an acknowledgement.
    if (r.saveEeprom) SaveEeprom();
}

void Server::Send(std::vector<std::uint8_t> reply, Nanos arrival)
{
    if (reply.empty()) return;
    const std::size_t replyLength = reply.size();
    // Leftovers of an exchange the client gave up on: they sit in its input
    // queue behind the reply until its next transaction drains them.
    for (int i = 0; i < config_.stale; ++i) reply.push_back(static_cast<std::uint8_t>(0xE0 | (junk_++ & 0x0F)));
    const Nanos delay = static_cast<Nanos>(config_.delayMs) * kNanosPerMilli;

    if (config_.lineSpeed <= 0) {
        if (delay > 0 && !WaitUntil(MonoNow() + delay)) return;
        pty_.Write(reply.data(), reply.size());
        trace_.Sent(MonoNow(), reply.size(), 0);
        return;
    }

    // Byte k is handed over once it would have been completely sent; the
    // junk goes with the last reply byte in one write, so the client cannot
    // read the reply without the junk being queued behind it.
    // The sending side is busy until the previous reply is out: a request
    // that came in meanwhile is answered after it, not on top of it.
    const Nanos start = std::max(arrival + delay, sendFreeAt_);
    if (delay > 0 && !WaitUntil(start)) return;
    Nanos due = start;
    for (std::size_t k = 0; k < replyLength; ++k) {
        due = After(start, static_cast<std::int64_t>(k) + 1);
        SleepUntil(due);
        const bool last = k + 1 == replyLength;
        pty_.Write(reply.data() + k, last ? reply.size() - k : 1);
    }
    sendFreeAt_ = due;
    const Nanos done = MonoNow();
    trace_.Sent(done, reply.size(), std::max<Nanos>(done - due, 0) / kNanosPerMicro);
}

bool Server::WaitUntil(Nanos deadline)
{
    for (;;) {
        if (stop_ && *stop_) return false;
        const Nanos now = MonoNow();
        if (now >= deadline) return true;
        const timespec timeout = ToTimespec(deadline - now);
        if (waitMask_) ::ppoll(nullptr, 0, &timeout, waitMask_);
        else SleepUntil(deadline);
    }
}

void Server::SaveEeprom()
{
    if (config_.eepromFile.empty()) return;
    std::string error;
    if (!SaveEepromFile(config_.eepromFile, controller_.Image(), &error)) std::fprintf(stderr, "vesk-sim: %s\n", error.c_str());
}

}  // namespace sim
