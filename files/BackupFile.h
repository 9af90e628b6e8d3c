// The backup file (*.vskb): the whole Controller, or the pages of it that a
// backup took, in one file that can never be taken for a parameter file or
// a page image.
//
// A key file (files/KeyFile.h) in UTF-8 with LF line ends, one section:
//
//     [VESK backup]
//     Version=1
//     TimeUtc=2025-03-01T09:15:30Z            when the pages were read
//     TimeLocal=2025-03-01T10:15:30+01:00     the same moment on the PC's clock
//     Port=COM1                               the port, as the window names it
//     Info=VESK 2.14 09/19                    the Controller's information text
//     Pages=0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15
//     Page0=<512 hexadecimal digits, the page's 256 bytes in order>
//     …                                       one line per listed page
//     SHA256=<64 lowercase hexadecimal digits>
//
// The SHA256 line is the file's last line and ends with LF.  Its digits are
// the SHA-256 of every byte of the file before that line: from the file's
// first byte up to and including the LF that ends the line before it.
// So `head -n -1 FILE | sha256sum` prints them.
//
// Reading refuses, without touching the Controller: anything that does not
// begin with the section header (a parameter file, a page image, any other
// file), a file cut short (no complete SHA256 line at its end), another
// version, a changed byte (the digest differs), and within a file whose
// digest holds, a header value missing or unreadable, a page list that is
// not one, a page line of the wrong length or not hexadecimal, a listed
// page without its line, a page line not listed, and any key twice.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <optional>

#include "controller/Snapshot.h"
#include "files/FileSystem.h"

struct Backup {
    QDateTime time;     // when the pages were read, in UTC
    QString localTime;  // that moment on the PC's clock, as written (ISO 8601 with its offset)
    QString port;
    QString info;
    Snapshot pages;
};

// Extension and section, which tell a backup from every other file.
inline constexpr const char* BackupExtension = "vskb";
inline constexpr const char* BackupSection = "VESK backup";
inline constexpr int BackupVersion = 1;
// A whole backup is under 9 KiB; anything much larger is none.
inline constexpr qint64 BackupFileBound = qint64(64) << 10;

// The file's bytes.  Control characters in the port's name or the
// information text become "?": a key file's value holds one line.
QByteArray BackupFileBytes(const Backup& backup);

struct BackupRefusal {
    enum class Kind {
        Unreadable,     // the path holds no readable regular file: detail is why
        NotABackup,     // some other file
        ParameterFile,  // a key file of other sections: a parameter or settings file
        PageImage,      // 256 bytes: an EEPROM image
        Truncated,      // cut short
        OtherVersion,   // detail: the version the file names
        Damaged,        // the digest differs: a changed byte
        BadValue,       // detail: the header key missing or unreadable ("Pages" for the list)
        BadPageLine,    // page: its line is not 512 hexadecimal digits
        MissingPage,    // page: listed, but no line
        UnlistedPage,   // page: a line, but not listed
        Duplicate,      // detail: the key given twice; page where it is a page line
    };
    Kind kind = Kind::NotABackup;
    QString detail;
    int page = -1;
};

struct BackupRead {
    std::optional<Backup> backup;
    BackupRefusal refusal;  // when there is no backup
};

BackupRead ParseBackup(QByteArrayView bytes);
// Opened without blocking, a regular file only, at most BackupFileBound bytes.
BackupRead ReadBackupFile(const QString& path, FileSystem& fs = RealFileSystem());
// Through the one atomic replace; empty on success, else why nothing was written.
std::optional<QString> SaveBackupFile(const QString& path, const Backup& backup, FileSystem& fs = RealFileSystem());

// ---- automatic backups, kept before every restore -----------------------

// $XDG_DATA_HOME/VESK/backups, by default ~/.local/share/VESK/backups.
QString AutoBackupFolder();
// "<information text>_<local date and time>.vskb", the text reduced to
// letters, digits, ".", "-" and "_": "VESK_2.14_09_19_2025-03-01_10-15-30.vskb".
QString AutoBackupFileName(const QString& info, const QDateTime& time);

struct AutoBackupSave {
    QString path;                 // where it went, or would have gone
    std::optional<QString> error;  // empty when saved
};
// Saves the backup in the folder (made when missing) under its automatic
// name; a name that is taken gets "-2", "-3", …: no automatic backup is
// ever replaced.
AutoBackupSave SaveAutoBackup(const QString& folder, const Backup& backup, FileSystem& fs = RealFileSystem());
