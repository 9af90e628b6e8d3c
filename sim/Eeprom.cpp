#include "sim/Eeprom.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {
namespace {

std::string Describe(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

EepromLoad LoadEepromFile(const std::string& path)
{
    EepromLoad load;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return load;
        load.result = EepromLoad::Result::Error;
        load.error = Describe("cannot open", path);
        return load;
    }
    struct stat st{};
    if (::fstat(fd, &st) != 0 || st.st_size != kEepromSize) {
        load.result = EepromLoad::Result::Error;
        load.error = path + ": an EEPROM image must be exactly " + std::to_string(kEepromSize) +
                     " bytes, this one has " + std::to_string(static_cast<long long>(st.st_size));
        ::close(fd);
        return load;
    }
    std::size_t got = 0;
    while (got < load.image.size()) {
        const ssize_t n = ::read(fd, load.image.data() + got, load.image.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got != load.image.size()) {
        load.result = EepromLoad::Result::Error;
        load.error = Describe("cannot read", path);
        return load;
    }
    load.result = EepromLoad::Result::Loaded;
    return load;
}

bool SaveEepromFile(const std::string& path, const Eeprom& image, std::string* error)
{
    const std::string temp = path + ".tmp." + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error) *error = Describe("cannot create", temp);
        return false;
    }
    const bool written = WriteAll(fd, image.data(), image.size()) && ::fsync(fd) == 0;
    if (!written) {
        if (error) *error = Describe("cannot write", temp);
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
    ::close(fd);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        if (error) *error = Describe("cannot replace", path);
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself must survive a crash too.
    const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace sim
