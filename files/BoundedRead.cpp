#include "files/BoundedRead.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>

namespace {

// A file rewritten in place by an editor settles within a try or two.
constexpr int Attempts = 3;

BoundedRead Failure(BoundedRead::Outcome outcome, QString reason)
{
    BoundedRead read;
    read.outcome = outcome;
    read.reason = std::move(reason);
    return read;
}

BoundedRead NotFound(int error)
{
    const bool missing = error == ENOENT || error == ENOTDIR;
    return Failure(missing ? BoundedRead::Outcome::Missing : BoundedRead::Outcome::Unreadable, SystemErrorText(error));
}

BoundedRead NotARegularFile(const struct stat& st)
{
    // A folder has the system's own words; the other kinds have none.
    return Failure(BoundedRead::Outcome::NotAFile,
                   S_ISDIR(st.st_mode) ? SystemErrorText(EISDIR) : NotARegularFileText());
}

bool SameVersion(const struct stat& a, const struct stat& b)
{
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// One try: the read, or why not; nullopt when the file changed meanwhile.
std::optional<BoundedRead> ReadOnce(FileSystem& fs, const QByteArray& name, qint64 bound, BeyondBound beyond)
{
    // Looked at before it is opened: opening a device can act on it (a
    // serial line raises its modem lines), and a FIFO is not worth it.
    struct stat before {};
    if (fs.Stat(name.constData(), &before) != 0)
        return NotFound(errno);
    if (!S_ISREG(before.st_mode))
        return NotARegularFile(before);

    FileDescriptor fd(fs, fs.Open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.IsOpen())
        return NotFound(errno);
    struct stat opened {};
    if (fs.Fstat(fd.Get(), &opened) != 0)
        return Failure(BoundedRead::Outcome::Unreadable, SystemErrorText(errno));
    // Swapped for something else between the look and the open.
    if (!S_ISREG(opened.st_mode))
        return NotARegularFile(opened);
    if (opened.st_size > bound && beyond == BeyondBound::Refuse)
        return Failure(BoundedRead::Outcome::TooLarge, SystemErrorText(EFBIG));

    const qint64 expected = std::min<qint64>(opened.st_size, bound);
    // One byte more than expected, where the whole file is read, shows a
    // file that grew.
    const qint64 room = opened.st_size > bound ? expected : expected + 1;
    QByteArray bytes(room, Qt::Uninitialized);
    qint64 got = 0;
    while (got < room) {
        const ssize_t n = fs.Read(fd.Get(), bytes.data() + got, size_t(room - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Failure(BoundedRead::Outcome::Unreadable, SystemErrorText(errno));
        if (n == 0)
            break;
        got += n;
    }
    struct stat after {};
    if (fs.Fstat(fd.Get(), &after) != 0)
        return Failure(BoundedRead::Outcome::Unreadable, SystemErrorText(errno));
    if (got != expected || !SameVersion(opened, after))
        return std::nullopt;
    bytes.truncate(got);
    BoundedRead read;
    read.bytes = std::move(bytes);
    read.size = opened.st_size;
    return read;
}

}  // namespace

QString SystemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString NotARegularFileText()
{
    return QCoreApplication::translate("Files", "Not a regular file");
}

BoundedRead ReadBounded(const QString& path, qint64 bound, BeyondBound beyond, FileSystem& fs)
{
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        if (auto read = ReadOnce(fs, name, bound, beyond))
            return std::move(*read);
    }
    return Failure(BoundedRead::Outcome::Changed,
                   QCoreApplication::translate("Files", "The file changed while it was read"));
}
