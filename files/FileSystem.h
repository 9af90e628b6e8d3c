// The system calls through which the program reads, locks and replaces the
// files a user gives or keeps.  The program uses the real calls
// (RealFileSystem()); a test passes a file system of its own that fails one
// call the way a full disk, a bad sector or a vanished folder would, and
// sees what the caller does about it.
//
// Each call has the POSIX call's meaning and result: −1 with errno set on
// failure.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual int Open(const char* path, int flags, mode_t mode = 0);
    virtual int Close(int fd);
    virtual ssize_t Read(int fd, void* buffer, size_t size);
    virtual ssize_t Write(int fd, const void* data, size_t size);
    virtual int Fsync(int fd);
    virtual int Fstat(int fd, struct stat* st);
    virtual int Stat(const char* path, struct stat* st);
    virtual int Lstat(const char* path, struct stat* st);
    virtual int Access(const char* path, int mode);
    virtual int Fchmod(int fd, mode_t mode);
    virtual int Fchown(int fd, uid_t owner, gid_t group);
    virtual int Flock(int fd, int operation);
    virtual int Rename(const char* from, const char* to);
    virtual int Unlink(const char* path);
};

FileSystem& RealFileSystem();

// Closes the descriptor it holds when it goes: for descriptors whose close
// has nothing to report (read-only ones).
class FileDescriptor {
public:
    FileDescriptor(FileSystem& fs, int fd) : fs_(fs), fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            fs_.Close(fd_);
    }

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }

private:
    FileSystem& fs_;
    int fd_;
};
