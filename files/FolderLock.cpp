#include "files/FolderLock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>

#include "files/BoundedRead.h"

namespace {

constexpr std::chrono::milliseconds Retry(10);

}  // namespace

FolderLock::FolderLock(const QString& folder, std::chrono::milliseconds wait, FileSystem& fs) : fs_(fs)
{
    fd_ = fs_.Open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        failure_ = SystemErrorText(errno);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (fs_.Flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            failure_ = SystemErrorText(errno);
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            failure_ = SystemErrorText(EWOULDBLOCK);
            return;
        }
        std::this_thread::sleep_for(Retry);
    }
}

FolderLock::~FolderLock()
{
    // Closing the last descriptor releases the lock.
    if (fd_ >= 0)
        fs_.Close(fd_);
}
