#include "files/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cctype>
#include <cerrno>
#include <limits>
#include <utility>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include "files/BoundedRead.h"

namespace {

constexpr QByteArrayView TempSuffix(".tmp");
constexpr int RandomLetters = 6;
// ".<pid>.<letters>.tmp" with the longest pid the kernel hands out.
constexpr qsizetype TempTailMax = 1 + 10 + 1 + RandomLetters + 4;
constexpr qsizetype NameMax = 255;

QString Failed(int error)
{
    return SystemErrorText(error);
}

// The start of every temporary name of a file: its name, cut where a long
// name would not leave room for the rest.
QByteArray TempStem(const QByteArray& name)
{
    return name.left(NameMax - TempTailMax) + '.';
}

QByteArray RandomLettersText()
{
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray text;
    for (int i = 0; i < RandomLetters; ++i)
        text += letters[QRandomGenerator::system()->bounded(int(sizeof letters - 1))];
    return text;
}

// The writer's process id when name is one of stem's temporary names.
std::optional<pid_t> TempWriter(QByteArrayView name, const QByteArray& stem)
{
    if (!name.startsWith(stem) || !name.endsWith(TempSuffix))
        return std::nullopt;
    const QByteArrayView middle = name.sliced(stem.size(), name.size() - stem.size() - TempSuffix.size());
    const qsizetype dot = middle.indexOf('.');
    if (dot <= 0 || middle.size() - dot - 1 != RandomLetters)
        return std::nullopt;
    for (char c : middle.sliced(dot + 1))
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return std::nullopt;
    bool ok = false;
    const qlonglong pid = middle.first(dot).toLongLong(&ok);
    if (!ok || pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return std::nullopt;
    return pid_t(pid);
}

bool ProcessLives(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

// Removes what saves of this file that were killed before their rename
// left behind.  Two checks keep a live writer's file: its process exists
// (the name carries it), or it holds the file's lock (a writer in another
// PID namespace).  Whatever goes wrong here only leaves a leftover.
void RemoveLeftovers(FileSystem& fs, const QByteArray& folder, const QByteArray& stem)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        const auto writer = TempWriter(name, stem);
        if (!writer || ProcessLives(*writer))
            continue;
        const QByteArray path = folder + '/' + name.toByteArray();
        struct stat st {};
        if (fs.Lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        FileDescriptor fd(fs, fs.Open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (fd.IsOpen() && fs.Flock(fd.Get(), LOCK_EX | LOCK_NB) == 0)
            fs.Unlink(path.constData());
    }
    ::closedir(dir);
}

// The file a write to path replaces: a symlink's target, even one that
// does not exist yet.
QString TargetOf(FileSystem& fs, const QString& path)
{
    struct stat st {};
    if (fs.Lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return QFileInfo(path).absoluteFilePath();
    const QFileInfo link(path);
    const QString canonical = link.canonicalFilePath();
    return canonical.isEmpty() ? link.symLinkTarget() : canonical;
}

// The flush that makes the rename itself durable.  A folder that cannot be
// opened for it (no read permission) or a file system that cannot flush
// folders gives nothing to report.
std::optional<QString> FlushFolder(FileSystem& fs, const QByteArray& folder)
{
    FileDescriptor dir(fs, fs.Open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.IsOpen())
        return std::nullopt;
    if (fs.Fsync(dir.Get()) != 0 && errno != EINVAL && errno != EROFS)
        return Failed(errno);
    return std::nullopt;
}

// The temporary file from its creation to its rename: closed and removed
// unless it was renamed.
class TempFile {
public:
    explicit TempFile(FileSystem& fs) : fs_(fs) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile()
    {
        if (fd_ >= 0)
            fs_.Close(fd_);
        if (!path_.isEmpty())
            fs_.Unlink(path_.constData());
    }

    std::optional<QString> Create(const QByteArray& folder, const QByteArray& stem, mode_t mode)
    {
        const QByteArray pid = QByteArray::number(qlonglong(::getpid()));
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray path = folder + '/' + stem + pid + '.' + RandomLettersText() + TempSuffix.toByteArray();
            fd_ = fs_.Open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd_ < 0 && errno == EEXIST)
                continue;
            if (fd_ < 0)
                return Failed(errno);
            path_ = path;
            // Tells a cleaner in another PID namespace that the file is in
            // use; a file system without locks only loses that.
            fs_.Flock(fd_, LOCK_EX | LOCK_NB);
            return std::nullopt;
        }
        return Failed(EEXIST);
    }

    int Fd() const { return fd_; }

    std::optional<QString> WriteAll(const QByteArray& bytes)
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = fs_.Write(fd_, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return Failed(errno);
            // No progress and no error: the disk takes no more.
            if (n == 0)
                return Failed(ENOSPC);
            done += n;
        }
        return std::nullopt;
    }

    // The bytes on the disk before the name points at them; close() can
    // still report a write that failed late (on a network file system).
    std::optional<QString> Finish()
    {
        if (fs_.Fsync(fd_) != 0)
            return Failed(errno);
        const int fd = std::exchange(fd_, -1);
        if (fs_.Close(fd) != 0)
            return Failed(errno);
        return std::nullopt;
    }

    std::optional<QString> RenameTo(const QByteArray& target)
    {
        if (fs_.Rename(path_.constData(), target.constData()) != 0)
            return Failed(errno);
        path_.clear();
        return std::nullopt;
    }

private:
    FileSystem& fs_;
    int fd_ = -1;
    QByteArray path_;
};

}  // namespace

std::optional<QString> ReplaceFile(const QString& path, const QByteArray& bytes, std::optional<mode_t> newFileMode)
{
    return ReplaceFile(RealFileSystem(), path, bytes, newFileMode);
}

std::optional<QString> ReplaceFile(FileSystem& fs, const QString& path, const QByteArray& bytes,
                                   std::optional<mode_t> newFileMode)
{
    const QString target = TargetOf(fs, path);
    const QFileInfo info(target);
    const QByteArray targetName = QFile::encodeName(target);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    const QByteArray stem = TempStem(QFile::encodeName(info.fileName()));

    struct stat old {};
    const bool exists = fs.Stat(targetName.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return Failed(errno);
    if (exists) {
        if (S_ISDIR(old.st_mode))
            return Failed(EISDIR);
        // A FIFO or a device is no file to replace with a regular one.
        if (!S_ISREG(old.st_mode))
            return NotARegularFileText();
        if (fs.Access(targetName.constData(), W_OK) != 0)
            return Failed(errno);
    }

    RemoveLeftovers(fs, folder, stem);

    TempFile temp(fs);
    // Created unreadable for others until its mode is set, except a plain
    // new file, which gets the umask's mode the way any new file does.
    const bool plainNewFile = !exists && !newFileMode;
    if (const auto failed = temp.Create(folder, stem, plainNewFile ? 0666 : 0600))
        return failed;
    if (exists) {
        // A shared file (the settings of every technician) must stay
        // writable for its group.  Where we may not set the group, the new
        // file has ours: no reason to give up the write.  The mode must
        // hold, or the group could not replace the file later.
        if (fs.Fchown(temp.Fd(), uid_t(-1), old.st_gid) != 0 && errno != EPERM)
            return Failed(errno);
        if (fs.Fchmod(temp.Fd(), old.st_mode & 07777) != 0)
            return Failed(errno);
    } else if (newFileMode) {
        if (fs.Fchmod(temp.Fd(), *newFileMode & 07777) != 0)
            return Failed(errno);
    }

    if (auto failed = temp.WriteAll(bytes))
        return failed;
    if (auto failed = temp.Finish())
        return failed;
    if (auto failed = temp.RenameTo(targetName))
        return failed;
    return FlushFolder(fs, folder);
}
