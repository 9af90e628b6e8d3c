// Preloaded into a program (LD_PRELOAD), writes one line per call of the
// replace's system calls on files under $VESK_SYSCALL_DIR into the file
// $VESK_SYSCALL_LOG, in the order they happen:
//     open <fd> <path>    fsync <fd>    close <fd>
//     write <fd>          rename <from> <to>
// Only a program's own calls through the C library are seen, and only the
// calls the replace makes; that is all the order test needs.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <set>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

template <typename F>
F Next(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// The descriptors opened on traced paths.
std::set<int>& Traced()
{
    static std::set<int> fds;
    return fds;
}

bool Under(const char* path)
{
    const char* dir = std::getenv("VESK_SYSCALL_DIR");
    return dir && path && std::strncmp(path, dir, std::strlen(dir)) == 0;
}

void Log(const std::string& line)
{
    const char* log = std::getenv("VESK_SYSCALL_LOG");
    if (!log)
        return;
    // Straight to the kernel: the wrappers below must not see the log.
    const int fd = int(::syscall(SYS_openat, AT_FDCWD, log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (fd < 0)
        return;
    const std::string text = line + '\n';
    ::syscall(SYS_write, fd, text.data(), text.size());
    ::syscall(SYS_close, fd);
}

int Opened(const char* path, int fd)
{
    if (fd >= 0 && Under(path)) {
        Traced().insert(fd);
        Log("open " + std::to_string(fd) + ' ' + path);
    }
    return fd;
}

bool IsTraced(int fd)
{
    return Traced().count(fd) > 0;
}

mode_t ModeArgument(int flags, va_list args)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? mode_t(va_arg(args, int)) : 0;
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeArgument(flags, args);
    va_end(args);
    return Opened(path, Next<int (*)(const char*, int, ...)>("open")(path, flags, mode));
}

ssize_t write(int fd, const void* data, size_t size)
{
    if (IsTraced(fd))
        Log("write " + std::to_string(fd));
    return Next<ssize_t (*)(int, const void*, size_t)>("write")(fd, data, size);
}

int fsync(int fd)
{
    if (IsTraced(fd))
        Log("fsync " + std::to_string(fd));
    return Next<int (*)(int)>("fsync")(fd);
}

int close(int fd)
{
    if (IsTraced(fd)) {
        Traced().erase(fd);
        Log("close " + std::to_string(fd));
    }
    return Next<int (*)(int)>("close")(fd);
}

int rename(const char* from, const char* to)
{
    if (Under(from) || Under(to))
        Log(std::string("rename ") + from + ' ' + to);
    return Next<int (*)(const char*, const char*)>("rename")(from, to);
}

}  // extern "C"
