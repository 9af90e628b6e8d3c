// A text file of sections and keys that people edit by hand: the machine's
// settings file and the parameter files.  The program changes only the
// values it writes; every other byte of the file (comments, blank lines,
// order, unknown sections and keys, odd lines, even bytes that are no text)
// stays exactly as it was.
//
// Lines end in LF, CR LF or a CR alone (as old Mac editors write; the line
// end is not part of the line's text), in any mix.  Each line is one of:
//   - a section header: blanks, "[", the name, "]", anything after it; the
//     name is the text between "[" and the first "]", blanks removed;
//   - a comment: first non-blank character ";" or "#";
//   - an entry: a line with "=" that is neither of those; the key is the
//     text before the first "=", the value the text after it, both with
//     blanks (space, tab, CR, VT, FF) removed at both ends.  Quotes, ";"
//     and "#" inside a value are part of it;
//   - anything else (a "[" without "]", a line without "="): kept, not read.
// An entry belongs to the nearest section header above it; entries above
// the first header belong to no section.  Section and key names are
// compared without regard to letter case.  The first section of a name is
// the section: later sections of the same name, and later entries of a key
// within the section, are neither read nor written.  A UTF-8 byte-order
// mark at the start of the file is skipped when reading and kept.
//
// Writing a value replaces only the value's text in the line of its entry
// (the key's spelling, the blanks and the line end stay).  A new key goes
// right after the last entry of its section (or after the header, when the
// section has none), so blank lines and comments that end the section stay
// before the next header.  A missing section goes to the end of the file,
// after a blank line.  New lines take the line end of the line they follow
// (so a file keeps the one kind of line end it has), else that of the
// file's first line, or the format's in a file that has none yet.  A line
// that was the last one and had no line end gets one when a line is added
// after it.
//
// A file is read as the user's files are (files/BoundedRead.h): a regular
// file of at most KeyFileBound bytes, opened without blocking.
//
// Usage, for one read:
//     KeyFile file(Utf8KeyFormat());
//     file.Load(path);                        // a missing file reads empty
//     const auto port = file.Value(u"Ports", u"COM1");
// and for one batch of writes, committed in one atomic replace:
//     const KeyEntry batch[] = {{"Wall", "WallDepth", "45"}, {"Wall", "WallTemp", "21"}};
//     if (const auto failed = WriteKeys(path, format, batch))
//         report(*failed);
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "files/FileSystem.h"

// How the file's bytes become text, and the file's own limits.  The
// encoding must keep ASCII as it is, never use the bytes of "[", "]", "=",
// ";", "#", blanks, CR or LF inside another character, and take one to four
// bytes per character (UTF-16 unit): UTF-8 and every 8-bit code page
// (Windows-1250) do.
struct KeyFileFormat {
    std::function<QString(QByteArrayView)> decode;
    std::function<QByteArray(QStringView)> encode;
    // The line end of new lines in a file that has no line end yet.
    QByteArray lineEnd = "\n";
    // Values longer than this many characters are cut to it when read (the
    // parameter files read at most 2047); negative: no limit.
    qsizetype maxValueLength = -1;
};

// UTF-8, LF, no limit: the settings file.
KeyFileFormat Utf8KeyFormat();

// One value to write.
struct KeyEntry {
    QString section, key, value;
};

// The file's bytes in memory, read and changed by key.
class KeyFile {
public:
    explicit KeyFile(KeyFileFormat format, QByteArray bytes = {});

    // Replaces the contents with the file at path.  A file that does not
    // exist reads as empty.  Else empty on success, or the reason why the
    // file could not be read: the system's, or that the path holds no
    // regular file or one too large (the contents are then empty).
    std::optional<QString> Load(const QString& path, FileSystem& fs = RealFileSystem());

    // The value of the key in the section, if the file has that entry.
    std::optional<QString> Value(QStringView section, QStringView key) const;

    // Sets the value of the key in the section, adding the entry (and the
    // section) where missing.  A value that reads the same already (the
    // value with blanks at both ends removed) changes nothing.  Empty on
    // success, else why the entry cannot be held by the file: an empty
    // name, a line break in any part, "]" in the section name, a key with
    // "=" or starting with "[", ";" or "#", or blanks around a name (they
    // would not read back).  The contents are then unchanged.
    std::optional<QString> Set(const KeyEntry& entry);

    // Every entry of the file in order, each with the name of the section
    // it stands in (empty above the first header), later duplicates and
    // later sections of a name included: for readers that refuse them.
    std::vector<KeyEntry> Entries() const;

    const QByteArray& Bytes() const { return bytes_; }
    // Whether Set changed anything since the construction or the last Load.
    bool Changed() const { return bytes_ != loaded_; }

private:
    struct Line;
    Line LineAt(qsizetype begin) const;
    bool NameIs(qsizetype begin, qsizetype end, QStringView name) const;
    QByteArray LineEndOf(const Line& line) const;
    QByteArray NewLineEnd(const Line& after) const;

    KeyFileFormat format_;
    QByteArray bytes_;
    QByteArray loaded_;
};

// Sets every entry, in order, in the file at path and commits them all in
// one atomic replace (files/AtomicFile.h): on disk the file is at every
// moment the old version or the new one.  A file that does not exist is
// created (its folder must exist); a file where no value changes is not
// written at all.  Empty on success, else why nothing was written: the file
// exists but cannot be read (it would lose its other lines), an entry the
// file cannot hold (see KeyFile::Set), or the failed replace.
std::optional<QString> WriteKeys(const QString& path, const KeyFileFormat& format, std::span<const KeyEntry> entries,
                                 FileSystem& fs = RealFileSystem());
