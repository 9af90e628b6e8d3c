// Replacing a file so that at every moment the file on disk is either the
// old version or the new one: the bytes go to a temporary file in the same
// folder, are flushed to the disk, and the temporary file is renamed over
// the old one; then the folder is flushed, so that the rename survives a
// power loss as well.  Every step is checked: a short write, a full disk, a
// failed flush, close, change of mode or rename leaves the old file whole,
// removes the temporary file and reports.
//
// Every file the program writes goes through here: the settings file, the
// parameter files, images, CSV and debug texts.
//
// The temporary file is named "<name>.<pid>.<six letters>.tmp" beside the
// file it replaces, and its writer holds a flock on it.  A save killed
// before its rename leaves it behind; the next save of the same file
// removes such leftovers whose writer is gone (its process no longer
// exists and nobody holds their lock), and nothing else.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/types.h>

#include "files/FileSystem.h"

// Writes bytes, in one go, as the new contents of path.  A symlink is
// written through: its target is replaced.  A file that exists keeps its
// mode and, where the user may set it, its group; it must be a regular
// file and writable (a read-only file is not replaced behind its owner's
// back).  A file that does not exist yet gets newFileMode where given (as
// it stands, not reduced by the umask), else 0666 less the umask.  There is
// no fallback to writing in place.  Empty on success, else the system's
// description of what failed; the old file, if any, is untouched, except
// when only the final flush of the folder failed: the new version is then
// in place but may not survive a power loss, and that is reported too.
std::optional<QString> ReplaceFile(const QString& path, const QByteArray& bytes,
                                   std::optional<mode_t> newFileMode = std::nullopt);
std::optional<QString> ReplaceFile(FileSystem& fs, const QString& path, const QByteArray& bytes,
                                   std::optional<mode_t> newFileMode = std::nullopt);
