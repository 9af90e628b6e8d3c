// The POSIX termios side of the serial port.
#include "link/Serial.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <sys/stat.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace Serial {
namespace {

speed_t SpeedFor(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return 0;
    }
}

bool Harmless(int err)
{
    // ptys and some adapters refuse ioctls that only tune a real UART.
    return err == ENOTTY || err == EINVAL || err == ENOSYS || err == EOPNOTSUPP;
}

class PosixDevice final : public PortDevice {
public:
    explicit PosixDevice(int fd) : fd_(fd) {}

    ~PosixDevice() override
    {
        // Only an exclusive mode of our own is lifted: an open refused
        // because another program holds the device must leave its mode be.
        if (exclusive_)
            ioctl(fd_, TIOCNXCL);
        flock(fd_, LOCK_UN);
        ::close(fd_);
        ReleaseLock(lockPath_);
    }

    // The lock file taken for the device, by the path it was taken under:
    // once the device is unplugged, the link that named it may lead nowhere.
    void SetLockPath(std::string lockPath) { lockPath_ = std::move(lockPath); }
    void SetExclusive() { exclusive_ = true; }
    bool Gone() const override { return gone_; }

    bool Write(const std::uint8_t* buffer, std::size_t count) override
    {
        // Writes have no time-out: wait for the driver to take every byte,
        // but give up when the device is gone rather than wait forever.
        std::size_t done = 0;
        while (done < count) {
            ssize_t n = ::write(fd_, buffer + done, count - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno == EAGAIN) {
                pollfd p{fd_, POLLOUT, 0};
                int r = ::poll(&p, 1, -1);
                if (r < 0 && errno != EINTR)
                    return false;
                if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)))
                    return Hangup();
                continue;
            }
            return n < 0 && errno == EIO ? Hangup() : false;
        }
        return true;
    }

    std::size_t Read(std::uint8_t* buffer, std::size_t count, int timeoutMs) override
    {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        std::size_t got = 0;
        bool pollSaidReadable = false;
        while (got < count) {
            // Take what is already there before asking poll: the common case
            // of a reply already queued then costs one system call.
            ssize_t n = ::read(fd_, buffer + got, count - got);
            if (n > 0) {
                got += static_cast<std::size_t>(n);
                pollSaidReadable = false;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno != EAGAIN) {
                Hangup();  // EIO and the like: the device is gone
                return got;
            }
            // With VMIN = VTIME = 0 an empty queue reads as 0, not EAGAIN.
            // Only when poll has just said "readable" does 0 mean hang-up;
            // give up then instead of spinning until the deadline.
            if (n == 0 && pollSaidReadable) {
                Hangup();
                return got;
            }
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return got;
            pollfd p{fd_, POLLIN, 0};
            int r = ::poll(&p, 1, static_cast<int>(left) + 1);
            if (r < 0 && errno != EINTR)
                return got;
            if (r > 0 && !(p.revents & POLLIN) && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
                Hangup();
                return got;
            }
            pollSaidReadable = r > 0;
            if (r == 0 && Clock::now() >= deadline)
                return got;
        }
        return got;
    }

    int Waiting() override
    {
        int n = 0;
        if (ioctl(fd_, FIONREAD, &n) < 0)
            return -1;
        return n;
    }

private:
    bool Hangup()
    {
        gone_ = true;
        return false;
    }

    int fd_;
    std::string lockPath_;
    bool exclusive_ = false;
    bool gone_ = false;
};

// USB adapters hold short replies for their latency timer (often 16 ms);
// a page write is 257 one-byte exchanges, so ask for low latency where the
// driver allows it.  A driver that refuses is no error.
void RequestLowLatency(int fd)
{
    serial_struct ss{};
    if (ioctl(fd, TIOCGSERIAL, &ss) == 0) {
        ss.flags |= ASYNC_LOW_LATENCY;
        ioctl(fd, TIOCSSERIAL, &ss);
    }
}

bool ApplyLineSettings(int fd, int baud)
{
    speed_t speed = SpeedFor(baud);
    if (speed == 0)
        return false;
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;  // not a terminal device at all
    // 8 data bits, no parity, 1 stop bit.
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    // The bytes are binary: no canonical mode, echo, signals or translation
    // of CR/LF.  Software flow control would swallow the bytes 0x11 and
    // 0x13, which occur in pages and blocks like any other value, so it is
    // switched off; hardware flow control (CRTSCTS) stays as the port had it.
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ECHOE | ICANON | ISIG | IEXTEN);
    // Time-outs are done with poll against one deadline, not by the driver.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0)
        return false;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

std::unique_ptr<PortDevice> PosixOpener::Open(const std::string& path, int baud, OpenKind kind, OpenFailure& failure)
{
    using Reason = OpenFailure::Reason;
    failure.path = path;
    auto fail = [&failure](Reason reason, int err = 0) -> std::unique_ptr<PortDevice> {
        failure.reason = reason;
        if (err)
            failure.detail = std::strerror(err);
        return nullptr;
    };
    // Another program holds the device: name it where we can.  A refused
    // open is the one case where the slow look through /proc is always due.
    auto busy = [&](int err) {
        if (!LockedByOther(path, failure, paths_) && !HeldByProcess(path, failure, paths_))
            fail(Reason::InUse, err);
        return nullptr;
    };
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? fail(Reason::Missing) : fail(Reason::Other, errno);
    // A file, a FIFO or a folder is no port; opening a FIFO would even wait
    // for a writer.
    if (!S_ISCHR(st.st_mode))
        return fail(Reason::NotSerial);

    // No O_CREAT: only an existing device opens.  No controlling terminal.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == EACCES || err == EPERM) {
            failure.group = JoinableGroup(path);
            return fail(Reason::AccessDenied, err);
        }
        if (err == EBUSY)
            return busy(err);  // another program's exclusive mode
        return fail(err == ENOENT || err == ENXIO || err == ENODEV ? Reason::Missing : Reason::Other, err);
    }
    // From here on the device's destructor closes and unlocks.
    auto device = std::make_unique<PosixDevice>(fd);
    // A character device without a serial line behind it (/dev/null, a
    // sound card) is told apart before anyone is blamed for holding it.
    termios probe{};
    if (!isatty(fd) || tcgetattr(fd, &probe) != 0)
        return fail(Reason::NotSerial);
    // A program that opened the device before us would go on reading our
    // replies: refuse rather than share.  The kernel's exclusive mode and
    // flock keep out only those that come after us.
    if (LockedByOther(path, failure, paths_))
        return nullptr;
    if (kind == OpenKind::Chosen && HeldByProcess(path, failure, paths_))
        return nullptr;
    // TIOCEXCL does not stop root; the advisory lock does, across processes.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        return err == EWOULDBLOCK ? busy(err) : fail(Reason::Other, err);
    }
    if (ioctl(fd, TIOCEXCL) == 0)
        device->SetExclusive();
    else if (!Harmless(errno))
        return fail(Reason::Other, errno);
    if (!ApplyLineSettings(fd, baud))
        return fail(Reason::Other, EINVAL);
    std::string lockPath;
    if (!TakeLock(path, failure, lockPath, paths_))
        return nullptr;
    device->SetLockPath(std::move(lockPath));
    RequestLowLatency(fd);
    // Linux sizes the driver's queues itself (4 KiB and more); nothing in the
    // protocol ever has more than 259 bytes in flight, so there is nothing to
    // request.
    return device;
}

}  // namespace Serial
