// Two programs that change one shared file (two technicians closing their
// windows at the same moment over one settings file) take turns: each
// holds an exclusive flock on the file's folder while it reads the file
// back, applies its changes and replaces it.  Without it both read the same
// old version, and the second replace drops the first one's values.
//
// The folder rather than the file, because the replace puts a new file
// under the name (a lock on the old one would hold nothing), and rather
// than a lock file beside it, because the folder needs no file that the
// first user must create with a mode the others can open, and that a
// member of the group could plant as a FIFO or a link.  Whoever may read
// the folder may lock it.
#pragma once

#include <QString>
#include <chrono>
#include <optional>

#include "files/FileSystem.h"

class FolderLock {
public:
    // Waits for the lock at most `wait`: a program that holds it for ever
    // (stopped in a debugger, hung on a network folder) must not hang this
    // one.
    FolderLock(const QString& folder, std::chrono::milliseconds wait, FileSystem& fs = RealFileSystem());
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Empty while the lock is held, else why it is not.
    const std::optional<QString>& Failure() const { return failure_; }

private:
    FileSystem& fs_;
    int fd_ = -1;
    std::optional<QString> failure_;
};
