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
#include <unistd.h>

namespace Serial {
namespace {

SystemPaths paths;

std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string LockPath(const std::string& devicePath)
{
    return paths.lockDir + "/" + LockFileName(devicePath);
}

bool Alive(pid_t pid)
{
    // EPERM: it exists, it just is not ours to signal.
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

std::string ProgramName(pid_t pid)
{
    std::ifstream comm(paths.proc + "/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// The PID in a lock file: ten ASCII digits and a newline, as terminal
// programs write it, or the old binary form of four bytes.  0 if unreadable.
pid_t LockOwner(const std::string& lockPath)
{
    std::ifstream in(lockPath, std::ios::binary);
    if (!in)
        return 0;
    char buffer[64] = {};
    in.read(buffer, sizeof buffer - 1);
    const std::streamsize n = in.gcount();
    if (n == 4) {
        std::int32_t binary = 0;
        std::memcpy(&binary, buffer, 4);
        return binary;
    }
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

// A process of /proc with an open file on the device, other than us.
pid_t ProcessHolding(const std::string& realDevice)
{
    DIR* proc = ::opendir(paths.proc.c_str());
    if (!proc)
        return 0;
    const pid_t self = ::getpid();
    pid_t found = 0;
    while (const dirent* entry = ::readdir(proc)) {
        if (!IsNumber(entry->d_name))
            continue;
        const pid_t pid = std::atoi(entry->d_name);
        if (pid == self)
            continue;
        const std::string fdDir = paths.proc + "/" + entry->d_name + "/fd";
        DIR* fds = ::opendir(fdDir.c_str());
        if (!fds)
            continue;  // not ours to look into
        while (const dirent* fd = ::readdir(fds)) {
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
        if (found)
            break;
    }
    ::closedir(proc);
    return found;
}

void Held(OpenFailure& failure, pid_t pid)
{
    failure.reason = OpenFailure::Reason::InUse;
    failure.holderPid = pid;
    failure.holder = ProgramName(pid);
}

}  // namespace

void SetSystemPaths(SystemPaths newPaths)
{
    paths = std::move(newPaths);
}

const SystemPaths& CurrentSystemPaths()
{
    return paths;
}

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

bool FindOtherHolder(const std::string& devicePath, OpenFailure& failure)
{
    const std::string lock = LockPath(devicePath);
    if (const pid_t owner = LockOwner(lock); owner && owner != ::getpid()) {
        if (Alive(owner)) {
            Held(failure, owner);
            return true;
        }
        // Left behind by a program that died (a crash of our own earlier run
        // included): taken over.
        ::unlink(lock.c_str());
    }
    if (const pid_t pid = ProcessHolding(RealPath(devicePath))) {
        Held(failure, pid);
        return true;
    }
    return false;
}

bool TakeLock(const std::string& devicePath, OpenFailure& failure)
{
    const std::string lock = LockPath(devicePath);
    char content[16];
    std::snprintf(content, sizeof content, "%10d\n", int(::getpid()));
    // Written under a name of our own, then linked into place: link() fails
    // if the lock exists, so two programs never both believe they hold it.
    const std::string temp = paths.lockDir + "/LTMP." + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return true;  // no lock folder we may write: go on without
    const bool written = ::write(fd, content, 11) == 11;
    ::close(fd);
    for (int attempt = 0; written && attempt < 2; ++attempt) {
        if (::link(temp.c_str(), lock.c_str()) == 0)
            break;
        if (errno != EEXIST)
            break;
        const pid_t owner = LockOwner(lock);
        if (owner == ::getpid())
            break;
        if (Alive(owner)) {
            ::unlink(temp.c_str());
            Held(failure, owner);
            return false;
        }
        ::unlink(lock.c_str());  // stale: take it over
    }
    ::unlink(temp.c_str());
    return true;
}

void ReleaseLock(const std::string& devicePath)
{
    const std::string lock = LockPath(devicePath);
    if (LockOwner(lock) == ::getpid())
        ::unlink(lock.c_str());
}

std::string OwningGroup(const std::string& devicePath)
{
    struct stat st {};
    if (::stat(devicePath.c_str(), &st) != 0)
        return {};
    if (const group* g = ::getgrgid(st.st_gid))
        return g->gr_name;
    return std::to_string(st.st_gid);
}

}  // namespace Serial
