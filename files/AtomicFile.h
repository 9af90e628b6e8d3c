// Replacing a file so that at every moment the file on disk is either the
// old version or the new one: the bytes go to a temporary file in the same
// folder, are flushed to the disk, and the temporary file is renamed over
// the old one.  A write that fails leaves the old file whole.
//
// Every file the program writes goes through here: the settings file, the
// parameter files, images, CSV and debug texts.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <sys/types.h>

// Writes bytes as the new contents of path.  A symlink is written through:
// its target is replaced.  A file that exists keeps its mode and, where the
// user may set it, its group; it must be writable (a read-only file is not
// replaced behind its owner's back).  A file that does not exist yet gets
// newFileMode where given (as it stands, not reduced by the umask), else
// 0666 less the umask.  Empty on success, else the system's description of
// what failed (the old file, if any, is untouched).
std::optional<QString> ReplaceFile(const QString& path, const QByteArray& bytes,
                                   std::optional<mode_t> newFileMode = std::nullopt);

// ---- Seam for tests: fail a replacement at one of its steps. ------------
// Open: creating the temporary file; Write: before the first byte; Midway:
// half of the bytes are in the temporary file; Commit: all bytes are in,
// before the flush and the rename.
enum class ReplaceStep { Open, Write, Midway, Commit };
// Called before each step; returning false makes that step fail.  An empty
// function (the default) lets every step run.
void SetReplaceFileHook(std::function<bool(ReplaceStep)> hook);
