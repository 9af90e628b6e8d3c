// Reading a file that a user gives or keeps, as if it were hostile.  The
// settings folder is writable by a whole group and a user may pick any path
// in a dialog: the "file" may be a FIFO that nobody ever writes (an open or
// a read would wait forever), a link to /dev/zero (a read never ends), a
// folder, a device, or a file that another program rewrites while we read
// it.  So a path is opened without blocking, only a regular file is read,
// and never more than a bound.
//
// Every file the program reads goes through ReadBounded: the settings file
// and the parameter files (key files, KeyFileBound), EEPROM images (their
// first 257 bytes), and any file a later feature reads (backups).
#pragma once

#include <QByteArray>
#include <QString>

#include "files/FileSystem.h"

// Larger than any key file people write or the program makes; a settings
// file or a parameter file beyond it is not one.
inline constexpr qint64 KeyFileBound = qint64(1) << 20;

struct BoundedRead {
    enum class Outcome {
        Read,        // bytes holds the file (or its head)
        Missing,     // no file at the path
        Unreadable,  // a file that may not be opened or fails to read
        NotAFile,    // a folder, FIFO, device or socket: never opened or read
        TooLarge,    // more bytes than the bound
        Changed,     // changed in size or time while it was read, each time tried
    };
    Outcome outcome = Outcome::Read;
    QByteArray bytes;
    qint64 size = 0;  // the whole file's size, when read
    QString reason;   // unless read: why, in the system's words where it has them

    bool Ok() const { return outcome == Outcome::Read; }
    // The path holds nothing the program could take for a user's file.
    bool Refused() const
    {
        return outcome == Outcome::NotAFile || outcome == Outcome::TooLarge || outcome == Outcome::Changed;
    }
};

// What a file longer than the bound gives: a refusal, or its first bytes.
enum class BeyondBound { Refuse, Head };

// Reads the regular file at path (a symlink is followed): all of it, or
// with BeyondBound::Head its first `bound` bytes.  The bytes are one
// version of the file: a file whose size or modification time changes
// while it is read, or that ends before or after its size, is read again a
// few times and then refused.
BoundedRead ReadBounded(const QString& path, qint64 bound, BeyondBound beyond, FileSystem& fs = RealFileSystem());

// The system's description of an errno value, as the user reads it.
QString SystemErrorText(int error);
// Why a FIFO, a device or a socket is refused (the system has no words).
QString NotARegularFileText();
