#include "files/AtomicFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::function<bool(ReplaceStep)>& Hook()
{
    static std::function<bool(ReplaceStep)> hook;
    return hook;
}

bool Allowed(ReplaceStep step)
{
    return !Hook() || Hook()(step);
}

QString InterruptedText()
{
    return QStringLiteral("Interrupted");
}

}  // namespace

void SetReplaceFileHook(std::function<bool(ReplaceStep)> hook)
{
    Hook() = std::move(hook);
}

std::optional<QString> ReplaceFile(const QString& path, const QByteArray& bytes, std::optional<mode_t> newFileMode)
{
    // QSaveFile writes a temporary file beside the target, follows a
    // symlink to its target and carries the old file's permissions over;
    // only the group is left to us.
    QSaveFile file(path);
    // Writing in place when the folder forbids a temporary file would give
    // up the promise of an old-or-new file.
    file.setDirectWriteFallback(false);
    if (!Allowed(ReplaceStep::Open))
        return InterruptedText();
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();

    struct stat old {};
    const QString target = QFileInfo(path).canonicalFilePath();
    if (!target.isEmpty() && ::stat(QFile::encodeName(target).constData(), &old) == 0) {
        // A shared file (the settings of every technician) must stay
        // writable for its group.  Where we may not set the group, the new
        // file has ours: no reason to give up the write.
        const bool groupKept = ::fchown(file.handle(), uid_t(-1), old.st_gid) == 0;
        Q_UNUSED(groupKept);
        ::fchmod(file.handle(), old.st_mode & 07777);
    } else if (newFileMode) {
        ::fchmod(file.handle(), *newFileMode & 07777);
    }

    if (!Allowed(ReplaceStep::Write)) {
        file.cancelWriting();
        return InterruptedText();
    }
    // Written in two halves, so that a test can stop the write with the
    // temporary file half full.
    const qsizetype half = bytes.size() / 2;
    if (file.write(bytes.constData(), half) != half) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!Allowed(ReplaceStep::Midway)) {
        file.cancelWriting();
        return InterruptedText();
    }
    if (file.write(bytes.constData() + half, bytes.size() - half) != bytes.size() - half) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!Allowed(ReplaceStep::Commit)) {
        file.cancelWriting();
        return InterruptedText();
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}
