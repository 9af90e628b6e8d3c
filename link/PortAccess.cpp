#include "link/PortAccess.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace Serial {
namespace {

std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string LockPath(const std::string& devicePath, const SystemPaths& paths)
{
    return paths.lockDir + "/" + LockFileName(devicePath);
}

bool Alive(pid_t pid)
{
    // EPERM: it exists, it just is not ours to signal.
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

std::string ProgramName(pid_t pid, const SystemPaths& paths)
{
    std::ifstream comm(paths.proc + "/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// The PID in a lock file: ten ASCII digits and a newline, as terminal
// programs write it, or the old binary form of four bytes.  0 if unreadable.
// The lock folder is writable by everyone: what lies there under the name
// may be a FIFO or a link to an endless device, so it is opened without
// blocking, must be a regular file, and only its first bytes are read.
pid_t LockOwner(const std::string& lockPath)
{
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char buffer[64] = {};
    struct stat st {};
    ssize_t n = -1;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        n = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    if (n == 4) {
        std::int32_t binary = 0;
        std::memcpy(&binary, buffer, 4);
        return binary;
    }
    if (n <= 0)
        return 0;
    char* end = nullptr;
    const long pid = std::strtol(buffer, &end, 10);
    return end != buffer && pid > 0 && pid <= INT_MAX ? pid_t(pid) : 0;
}

bool IsNumber(const char* name)
{
    if (!*name)
        return false;
    for (; *name; ++name)
        if (*name < '0' || *name > '9')
            return false;
    return true;
}

// Counts what the scan reads against its bounds.
class ScanBudget {
public:
    explicit ScanBudget(ScanBounds bounds)
        : left_(bounds.entries), deadline_(std::chrono::steady_clock::now() + bounds.time)
    {
    }
    // One more entry; false once a bound is reached.  The clock is asked
    // every 64 entries only: reading it costs more than a readdir.
    bool Take()
    {
        if (left_ <= 0)
            return false;
        --left_;
        ++used_;
        if (used_ % 64 == 0 && std::chrono::steady_clock::now() >= deadline_)
            left_ = 0;
        return true;
    }
    int Used() const { return used_; }

private:
    int left_;
    int used_ = 0;
    std::chrono::steady_clock::time_point deadline_;
};

// The first process of /proc other than us with an open file on realDevice.
pid_t ScanProcesses(const std::string& realDevice, const std::string& procDir, ScanBudget& budget, bool& cutShort)
{
    cutShort = false;
    DIR* proc = ::opendir(procDir.c_str());
    if (!proc)
        return 0;
    const pid_t self = ::getpid();
    pid_t found = 0;
    while (!found && !cutShort) {
        const dirent* entry = ::readdir(proc);
        if (!entry)
            break;
        if (!budget.Take()) {
            cutShort = true;
            break;
        }
        if (!IsNumber(entry->d_name))
            continue;
        const pid_t pid = std::atoi(entry->d_name);
        if (pid == self)
            continue;
        const std::string fdDir = procDir + "/" + entry->d_name + "/fd";
        DIR* fds = ::opendir(fdDir.c_str());
        if (!fds)
            continue;  // not ours to look into
        while (const dirent* fd = ::readdir(fds)) {
            if (!budget.Take()) {
                cutShort = true;
                break;
            }
            if (!IsNumber(fd->d_name))
                continue;
            char target[PATH_MAX];
            const ssize_t n = ::readlink((fdDir + "/" + fd->d_name).c_str(), target, sizeof target - 1);
            if (n > 0 && realDevice == std::string(target, std::size_t(n))) {
                found = pid;
                break;
            }
        }
        ::closedir(fds);
    }
    ::closedir(proc);
    return found;
}

void Held(OpenFailure& failure, pid_t pid, const SystemPaths& paths)
{
    failure.reason = OpenFailure::Reason::InUse;
    failure.holderPid = pid;
    failure.holder = ProgramName(pid, paths);
}

}  // namespace

std::string LockFileName(const std::string& devicePath)
{
    std::string name = RealPath(devicePath);
    if (name.rfind("/dev/", 0) == 0)
        name.erase(0, 5);
    else if (const auto slash = name.rfind('/'); slash != std::string::npos)
        name.erase(0, slash + 1);
    for (char& c : name)
        if (c == '/')
            c = '_';
    return "LCK.." + name;
}

bool LockedByOther(const std::string& devicePath, OpenFailure& failure, const SystemPaths& paths)
{
    const std::string lock = LockPath(devicePath, paths);
    const pid_t owner = LockOwner(lock);
    if (!owner || owner == ::getpid())
        return false;
    if (Alive(owner)) {
        Held(failure, owner, paths);
        return true;
    }
    // Left behind by a program that died (a crash of our own earlier run
    // included): taken over.
    ::unlink(lock.c_str());
    return false;
}

HolderScan ScanForHolder(const std::string& devicePath, const SystemPaths& paths, ScanBounds bounds)
{
    ScanBudget budget(bounds);
    HolderScan scan;
    scan.pid = ScanProcesses(RealPath(devicePath), paths.proc, budget, scan.cutShort);
    scan.entries = budget.Used();
    return scan;
}

bool HeldByProcess(const std::string& devicePath, OpenFailure& failure, const SystemPaths& paths)
{
    const HolderScan scan = ScanForHolder(devicePath, paths);
    if (!scan.pid)
        return false;
    Held(failure, scan.pid, paths);
    return true;
}

bool TakeLock(const std::string& devicePath, OpenFailure& failure, std::string& lockPath, const SystemPaths& paths)
{
    lockPath.clear();
    const std::string lock = LockPath(devicePath, paths);
    char content[16];
    std::snprintf(content, sizeof content, "%10d\n", int(::getpid()));
    // Written under a name of our own, then linked into place: link() fails
    // if the lock exists, so two programs never both believe they hold it.
    // The folder is everyone's: a file someone planted under our temporary
    // name is removed, never written through.
    const std::string temp = paths.lockDir + "/LTMP." + std::to_string(::getpid());
    ::unlink(temp.c_str());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return true;  // no lock folder we may write: go on without
    const bool written = ::write(fd, content, 11) == 11;
    const bool closed = ::close(fd) == 0;
    for (int attempt = 0; written && closed && attempt < 2; ++attempt) {
        if (::link(temp.c_str(), lock.c_str()) == 0) {
            lockPath = lock;
            break;
        }
        if (errno != EEXIST)
            break;
        const pid_t owner = LockOwner(lock);
        if (owner == ::getpid()) {
            lockPath = lock;
            break;
        }
        if (Alive(owner)) {
            ::unlink(temp.c_str());
            Held(failure, owner, paths);
            return false;
        }
        ::unlink(lock.c_str());  // stale: take it over
    }
    ::unlink(temp.c_str());
    return true;
}

void ReleaseLock(const std::string& lockPath)
{
    if (!lockPath.empty() && LockOwner(lockPath) == ::getpid())
        ::unlink(lockPath.c_str());
}

OpenFailure ProbePort(const std::string& devicePath, const SystemPaths& paths, const std::string& sysRoot)
{
    using Reason = OpenFailure::Reason;
    OpenFailure failure;
    failure.path = devicePath;
    struct stat st {};
    if (::stat(devicePath.c_str(), &st) != 0) {
        const int err = errno;
        failure.reason = err == ENOENT || err == ENOTDIR ? Reason::Missing : Reason::Other;
        if (failure.reason == Reason::Other)
            failure.detail = std::strerror(err);
        return failure;
    }
    if (!S_ISCHR(st.st_mode)) {
        failure.reason = Reason::NotSerial;
        return failure;
    }
    // The class a character device belongs to; ptys have no entry there.
    char subsystem[PATH_MAX];
    const std::string link = sysRoot + "/dev/char/" + std::to_string(major(st.st_rdev)) + ":" +
                             std::to_string(minor(st.st_rdev)) + "/subsystem";
    if (const ssize_t n = ::readlink(link.c_str(), subsystem, sizeof subsystem - 1); n > 0) {
        const std::string target(subsystem, std::size_t(n));
        if (target.substr(target.rfind('/') + 1) != "tty") {
            failure.reason = Reason::NotSerial;
            return failure;
        }
    }
    if (::access(devicePath.c_str(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM)) {
        failure.reason = Reason::AccessDenied;
        failure.group = JoinableGroup(devicePath);
        return failure;
    }
    if (!LockedByOther(devicePath, failure, paths))
        HeldByProcess(devicePath, failure, paths);
    return failure;
}

std::string JoinableGroup(const std::string& devicePath)
{
    struct stat st {};
    if (::stat(devicePath.c_str(), &st) != 0 || st.st_gid == 0)
        return {};
    if ((st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    const group* g = ::getgrgid(st.st_gid);
    if (!g || !g->gr_name || !*g->gr_name || std::strcmp(g->gr_name, "root") == 0)
        return {};
    return g->gr_name;
}

}  // namespace Serial
