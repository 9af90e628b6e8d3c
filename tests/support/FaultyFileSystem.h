// The real file system, except that one step of writing a file fails the
// way a full disk, a bad sector or a vanished folder makes it fail, and
// that a test may act on a file while it is being read.  The failed call
// has the effect the system call would have had up to its failure (a
// short write writes what it says, a failed close still closes).
#pragma once

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <set>
#include <unistd.h>

#include "files/FileSystem.h"

enum class FailingStep {
    None,
    CreateTemporary,  // the temporary file cannot be created: EACCES
    Write,            // the first write finds the disk full: ENOSPC
    ShortWrite,       // half of the bytes go in, then the disk is full
    Fsync,            // the flush of the file: EIO
    Close,            // the close reports a late write error: EIO
    Fchmod,           // the mode cannot be set: EPERM
    Rename,           // the rename: EXDEV
    FolderFsync,      // the flush of the folder after the rename: EIO
};

inline const char* StepName(FailingStep step)
{
    static const char* const names[] = {"None",  "CreateTemporary", "Write",  "ShortWrite", "Fsync",
                                        "Close", "Fchmod",          "Rename", "FolderFsync"};
    return names[int(step)];
}

// Every step that can fail, for the tests that try each one.
inline constexpr FailingStep EveryFailingStep[] = {
    FailingStep::CreateTemporary, FailingStep::Write,  FailingStep::ShortWrite,
    FailingStep::Fsync,           FailingStep::Close,  FailingStep::Fchmod,
    FailingStep::Rename,          FailingStep::FolderFsync,
};

class FaultyFileSystem : public FileSystem {
public:
    FailingStep failing = FailingStep::None;
    // Temporary files created so far: one per replace that got that far.
    int temporaryFiles = 0;
    // Called before each read of a file, with its descriptor.
    std::function<void(int fd)> beforeRead;
    // Bytes that one write takes at most, as a signal or a pipe can make
    // write() stop short without an error; 0: no limit.
    size_t writeLimit = 0;

    int Open(const char* path, int flags, mode_t mode) override
    {
        const bool temporary = (flags & O_CREAT) && (flags & O_EXCL) && (flags & O_ACCMODE) == O_WRONLY;
        if (temporary && failing == FailingStep::CreateTemporary)
            return Fail(EACCES);
        const int fd = FileSystem::Open(path, flags, mode);
        if (fd >= 0 && temporary) {
            ++temporaryFiles;
            wroteHalf_ = false;
        }
        if (fd >= 0 && (flags & O_DIRECTORY))
            folders_.insert(fd);
        return fd;
    }
    int Close(int fd) override
    {
        const bool folder = folders_.erase(fd) > 0;
        const int result = FileSystem::Close(fd);
        if (!folder && failing == FailingStep::Close)
            return Fail(EIO);
        return result;
    }
    ssize_t Read(int fd, void* buffer, size_t size) override
    {
        if (beforeRead)
            beforeRead(fd);
        return FileSystem::Read(fd, buffer, size);
    }
    ssize_t Write(int fd, const void* data, size_t size) override
    {
        if (failing == FailingStep::Write || (failing == FailingStep::ShortWrite && wroteHalf_))
            return Fail(ENOSPC);
        if (failing == FailingStep::ShortWrite && size > 1) {
            wroteHalf_ = true;
            return FileSystem::Write(fd, data, size / 2);
        }
        return FileSystem::Write(fd, data, writeLimit ? std::min(size, writeLimit) : size);
    }
    int Fsync(int fd) override
    {
        const bool folder = folders_.count(fd) > 0;
        if ((folder && failing == FailingStep::FolderFsync) || (!folder && failing == FailingStep::Fsync))
            return Fail(EIO);
        return FileSystem::Fsync(fd);
    }
    int Fchmod(int fd, mode_t mode) override
    {
        return failing == FailingStep::Fchmod ? Fail(EPERM) : FileSystem::Fchmod(fd, mode);
    }
    int Rename(const char* from, const char* to) override
    {
        return failing == FailingStep::Rename ? Fail(EXDEV) : FileSystem::Rename(from, to);
    }

private:
    static int Fail(int error)
    {
        errno = error;
        return -1;
    }

    std::set<int> folders_;
    bool wroteHalf_ = false;
};
