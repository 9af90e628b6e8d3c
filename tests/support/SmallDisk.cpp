#include "tests/support/SmallDisk.h"

#include <cerrno>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int NoDisk = 253;

bool WriteText(const char* path, const std::string& text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ::close(fd);
    return ok;
}

// A mount namespace of our own: directly as root, else inside a user
// namespace in which we are root.
bool OwnMountNamespace()
{
    if (::unshare(CLONE_NEWNS) == 0)
        return true;
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    return WriteText("/proc/self/setgroups", "deny") &&
           WriteText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
           WriteText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
}

}  // namespace

int RunOnSmallDisk(const std::string& mountPoint, const std::string& size, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        // Private first: a mount in a namespace copied from a shared one
        // would show up in the parent's as well.
        if (!OwnMountNamespace() || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            ::_exit(NoDisk);
        const std::string options = "size=" + size + ",mode=0777";
        if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0)
            ::_exit(NoDisk);
        // _exit: the child must not run the parent's exit handlers.
        const int result = body();
        ::_exit(result == NoDisk ? 252 : result & 0xFF);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (!WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status) == NoDisk ? SmallDiskUnavailable : WEXITSTATUS(status);
}

bool FillUp(const std::string& folder)
{
    const std::string path = folder + "/filler";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const std::vector<char> block(4096, 'f');
    bool full = false;
    for (;;) {
        const ssize_t n = ::write(fd, block.data(), block.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            full = errno == ENOSPC;
            break;
        }
    }
    // The last partial block, byte by byte.
    while (full && ::write(fd, "f", 1) == 1) {
    }
    ::close(fd);
    return full;
}
