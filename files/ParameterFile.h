// The parameter file (*.vsk): the text file of sections and keys in which
// the four settings tabs keep their values, one section per tab, so that a
// technician gathers a whole installation in one file.
//
// The file is a key file (files/KeyFile.h) in Windows-1250 with CR LF line
// ends; values are read with blanks at both ends removed and cut to 2047
// characters.  A value takes one of four forms:
//   integer  written in decimal ("-12"); read by the integer rule
//            (controller/IntegerText.h), so "0x10", "$10" and "x10" are 16;
//   boolean  written "1" or "0"; read as an integer, anything but 0 is true;
//   text     as it is;
//   bytes    two uppercase hexadecimal digits per byte ("00FF1A"); read in
//            either case, an odd last digit ignored.
// A value that does not read as its form gives the caller's default, and so
// does a missing or unreadable file, section or key: reading never fails.
// A path that holds no parameter file at all (a folder, a FIFO, a device,
// a file larger than a key file can be, or one that keeps changing while
// it is read) is refused, so that the caller can say so rather than load
// defaults over the user's values.
//
// Writing goes by section: a save gathers all keys of its section and
// commits them in one atomic replace, so the file on disk always holds the
// whole old section or the whole new one, never a mix of two saves.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "files/KeyFile.h"

// Windows-1250, CR LF, values cut to 2047 characters.
KeyFileFormat ParameterFileFormat();

// The value forms as they are written.
QString IntegerValueText(int value);
QString BoolValueText(bool value);
QString BytesValueText(std::span<const std::uint8_t> bytes);

// The file as it was on disk when constructed, read by key.  The file is
// read once, so all keys of one load come from the same version of it.
class ParameterFile {
public:
    explicit ParameterFile(const QString& path, FileSystem& fs = RealFileSystem());

    // Empty unless the path was refused; then why, and every key reads as
    // missing.
    const std::optional<QString>& Refusal() const { return refusal_; }
    // Empty when the file was read; else why not: refused, missing or
    // unreadable.  The window loads defaults from a file it cannot read;
    // whoever must not (the command line, which would write them to the
    // Controller) says why instead.
    const std::optional<QString>& ReadFailure() const { return readFailure_; }
    // Whether the file holds an entry of the section.
    bool HasSection(QStringView section) const;

    QString ReadString(QStringView section, QStringView key, const QString& fallback) const;
    int ReadInteger(QStringView section, QStringView key, int fallback) const;
    bool ReadBool(QStringView section, QStringView key, bool fallback) const;
    // No bytes when the key is missing or its value holds anything but
    // hexadecimal digits.
    std::vector<std::uint8_t> ReadBytes(QStringView section, QStringView key) const;

private:
    KeyFile file_;
    std::optional<QString> refusal_;
    std::optional<QString> readFailure_;
};

// The keys of one section, gathered in the order they are written, and then
// saved together.
class SectionBatch {
public:
    explicit SectionBatch(QString section) : section_(std::move(section)) {}

    void WriteString(const QString& key, const QString& value);
    void WriteInteger(const QString& key, int value);
    void WriteBool(const QString& key, bool value);
    void WriteBytes(const QString& key, std::span<const std::uint8_t> bytes);

    // Every key into the file at path in one atomic replace, the file's other
    // lines kept byte for byte; the file is created when missing.  Empty on
    // success, else why nothing was written (the file stays as it was).
    std::optional<QString> Save(const QString& path, FileSystem& fs = RealFileSystem()) const;

private:
    QString section_;
    std::vector<KeyEntry> entries_;
};
