#include "sim/Pty.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace sim {
namespace {

std::string Errno(const std::string& what) { return what + ": " + std::strerror(errno); }

constexpr int kFullQueueWaitMs = 200;

}  // namespace

Pty::~Pty()
{
    Unlink();
    if (master_ >= 0) ::close(master_);
}

bool Pty::Open(std::string* error)
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        *error = Errno("posix_openpt");
        return false;
    }
    char name[PATH_MAX] = {};
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 || ::ptsname_r(master_, name, sizeof name) != 0) {
        *error = Errno("cannot prepare the pty");
        return false;
    }
    slavePath_ = name;

    // Raw before any traffic: with the default line discipline the first
    // bytes would be echoed back and CR/LF translated.  The settings stay
    // with the pty while the master is open, so the slave is closed again
    // at once: like a real device, nobody but the client holds it, and a
    // client that refuses ports other programs hold must not find us.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        *error = Errno(std::string("cannot open ") + name);
        return false;
    }
    termios tio{};
    bool raw = ::tcgetattr(slave, &tio) == 0;
    if (raw) {
        ::cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        raw = ::tcsetattr(slave, TCSANOW, &tio) == 0;
    }
    ::close(slave);
    if (!raw) {
        *error = Errno("cannot make the pty raw");
        return false;
    }
    const int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
        *error = Errno("fcntl");
        return false;
    }
    return true;
}

bool Pty::Link(const std::string& path, std::string* error)
{
    struct stat st{};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        *error = path + " exists and is not a symlink; refusing to replace it";
        return false;
    }
    // Build the new link beside the old one and rename it over, so a client
    // never finds the path missing.
    const std::string temp = path + ".new." + std::to_string(::getpid());
    ::unlink(temp.c_str());
    if (::symlink(slavePath_.c_str(), temp.c_str()) != 0) {
        *error = Errno("cannot create a symlink at " + temp);
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        *error = Errno("cannot create the symlink " + path);
        ::unlink(temp.c_str());
        return false;
    }
    linkPath_ = path;
    return true;
}

void Pty::Unlink()
{
    if (linkPath_.empty()) return;
    char target[PATH_MAX] = {};
    const ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
    // Another simulator may have taken the path over meanwhile: leave its link.
    if (n > 0 && slavePath_ == std::string(target, static_cast<std::size_t>(n))) ::unlink(linkPath_.c_str());
    linkPath_.clear();
}

std::size_t Pty::Read(std::uint8_t* buffer, std::size_t capacity)
{
    for (;;) {
        const ssize_t n = ::read(master_, buffer, capacity);
        if (n > 0) return static_cast<std::size_t>(n);
        if (n < 0 && errno == EINTR) continue;
        return 0;  // EAGAIN, or EIO while no client has the line open
    }
}

bool Pty::Write(const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(master_, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return false;
        pollfd p{master_, POLLOUT, 0};
        if (::poll(&p, 1, kFullQueueWaitMs) <= 0) return false;
    }
    return true;
}

}  // namespace sim
