#include "files/FileSystem.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

int FileSystem::Open(const char* path, int flags, mode_t mode)
{
    return ::open(path, flags, mode);
}

int FileSystem::Close(int fd)
{
    return ::close(fd);
}

ssize_t FileSystem::Read(int fd, void* buffer, size_t size)
{
    return ::read(fd, buffer, size);
}

ssize_t FileSystem::Write(int fd, const void* data, size_t size)
{
    return ::write(fd, data, size);
}

int FileSystem::Fsync(int fd)
{
    return ::fsync(fd);
}

int FileSystem::Fstat(int fd, struct stat* st)
{
    return ::fstat(fd, st);
}

int FileSystem::Stat(const char* path, struct stat* st)
{
    return ::stat(path, st);
}

int FileSystem::Lstat(const char* path, struct stat* st)
{
    return ::lstat(path, st);
}

int FileSystem::Access(const char* path, int mode)
{
    return ::access(path, mode);
}

int FileSystem::Fchmod(int fd, mode_t mode)
{
    return ::fchmod(fd, mode);
}

int FileSystem::Fchown(int fd, uid_t owner, gid_t group)
{
    return ::fchown(fd, owner, group);
}

int FileSystem::Flock(int fd, int operation)
{
    return ::flock(fd, operation);
}

int FileSystem::Rename(const char* from, const char* to)
{
    return ::rename(from, to);
}

int FileSystem::Unlink(const char* path)
{
    return ::unlink(path);
}

FileSystem& RealFileSystem()
{
    static FileSystem real;
    return real;
}
