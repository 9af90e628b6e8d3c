#include "files/KeyFile.h"

#include <QCoreApplication>
#include <cstring>

#include "files/AtomicFile.h"
#include "files/BoundedRead.h"

namespace {

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool IsBlank(QChar c)
{
    return c.unicode() < 0x80 && IsBlank(char(c.unicode()));
}

// The same blanks as the lines' own, so that what is written reads back.
QStringView TrimBlanks(QStringView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

bool HasLineBreak(QStringView text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

}  // namespace

struct KeyFile::Line {
    enum Kind { Other, Blank, Comment, Section, Entry };
    qsizetype begin = 0;    // first byte, a byte-order mark included
    qsizetype textEnd = 0;  // before its line end
    qsizetype end = 0;      // after its line end
    Kind kind = Other;
    // The section's name or the entry's key, blanks removed.
    qsizetype nameBegin = 0, nameEnd = 0;
    // The entry's value, blanks removed; an empty value sits right after "=".
    qsizetype valueBegin = 0, valueEnd = 0;

    bool HasLineEnd() const { return end > textEnd; }
};

KeyFileFormat Utf8KeyFormat()
{
    return {
        [](QByteArrayView bytes) { return QString::fromUtf8(bytes); },
        [](QStringView text) { return text.toUtf8(); },
        "\n",
        -1,
    };
}

KeyFile::KeyFile(KeyFileFormat format, QByteArray bytes)
    : format_(std::move(format)), bytes_(std::move(bytes)), loaded_(bytes_)
{
}

std::optional<QString> KeyFile::Load(const QString& path, FileSystem& fs)
{
    BoundedRead read = ReadBounded(path, KeyFileBound, BeyondBound::Refuse, fs);
    bytes_ = std::move(read.bytes);
    loaded_ = bytes_;
    if (read.Ok() || read.outcome == BoundedRead::Outcome::Missing)
        return std::nullopt;
    return read.reason;
}

KeyFile::Line KeyFile::LineAt(qsizetype begin) const
{
    const char* data = bytes_.constData();
    const qsizetype size = bytes_.size();
    Line line;
    line.begin = begin;
    line.textEnd = begin;
    while (line.textEnd < size && data[line.textEnd] != '\n' && data[line.textEnd] != '\r')
        ++line.textEnd;
    line.end = line.textEnd;
    if (line.end < size && data[line.end] == '\r')
        ++line.end;
    if (line.end < size && data[line.end] == '\n')
        ++line.end;

    qsizetype p = begin;
    if (begin == 0 && QByteArrayView(bytes_).startsWith(Utf8Bom))
        p = Utf8Bom.size();
    const qsizetype e = line.textEnd;
    while (p < e && IsBlank(data[p]))
        ++p;
    const auto trimmedEnd = [data](qsizetype from, qsizetype to) {
        while (to > from && IsBlank(data[to - 1]))
            --to;
        return to;
    };
    const auto find = [data](char c, qsizetype from, qsizetype to) -> qsizetype {
        const void* hit = from < to ? std::memchr(data + from, c, std::size_t(to - from)) : nullptr;
        return hit ? static_cast<const char*>(hit) - data : -1;
    };

    if (p == e) {
        line.kind = Line::Blank;
    } else if (data[p] == '[') {
        const qsizetype close = find(']', p + 1, e);
        if (close >= 0) {
            line.kind = Line::Section;
            line.nameBegin = p + 1;
            while (line.nameBegin < close && IsBlank(data[line.nameBegin]))
                ++line.nameBegin;
            line.nameEnd = trimmedEnd(line.nameBegin, close);
        }
    } else if (data[p] == ';' || data[p] == '#') {
        line.kind = Line::Comment;
    } else if (const qsizetype equals = find('=', p, e); equals >= 0) {
        line.kind = Line::Entry;
        line.nameBegin = p;
        line.nameEnd = trimmedEnd(p, equals);
        line.valueBegin = equals + 1;
        while (line.valueBegin < e && IsBlank(data[line.valueBegin]))
            ++line.valueBegin;
        line.valueEnd = trimmedEnd(line.valueBegin, e);
        if (line.valueBegin == line.valueEnd)
            line.valueBegin = line.valueEnd = equals + 1;
    }
    return line;
}

bool KeyFile::NameIs(qsizetype begin, qsizetype end, QStringView name) const
{
    // A character takes one to four bytes: a megabyte of junk before an
    // "=" is not decoded for every key looked up.
    if (end - begin < name.size() || end - begin > 4 * name.size())
        return false;
    const QString decoded = format_.decode(QByteArrayView(bytes_.constData() + begin, end - begin));
    return QStringView(decoded).compare(name, Qt::CaseInsensitive) == 0;
}

std::optional<QString> KeyFile::Value(QStringView section, QStringView key) const
{
    bool inSection = false;
    for (qsizetype pos = 0; pos < bytes_.size();) {
        const Line line = LineAt(pos);
        pos = line.end;
        if (line.kind == Line::Section) {
            if (inSection)
                return std::nullopt;
            inSection = NameIs(line.nameBegin, line.nameEnd, section);
        } else if (inSection && line.kind == Line::Entry && NameIs(line.nameBegin, line.nameEnd, key)) {
            QString value = format_.decode(
                QByteArrayView(bytes_.constData() + line.valueBegin, line.valueEnd - line.valueBegin));
            if (format_.maxValueLength >= 0 && value.size() > format_.maxValueLength) {
                qsizetype cut = format_.maxValueLength;
                // Never half a character.
                if (cut > 0 && value.at(cut - 1).isHighSurrogate())
                    --cut;
                value.truncate(cut);
            }
            return value;
        }
    }
    return std::nullopt;
}

std::vector<KeyEntry> KeyFile::Entries() const
{
    std::vector<KeyEntry> entries;
    QString section;
    const auto text = [this](qsizetype begin, qsizetype end) {
        return format_.decode(QByteArrayView(bytes_.constData() + begin, end - begin));
    };
    for (qsizetype pos = 0; pos < bytes_.size();) {
        const Line line = LineAt(pos);
        pos = line.end;
        if (line.kind == Line::Section)
            section = text(line.nameBegin, line.nameEnd);
        else if (line.kind == Line::Entry)
            entries.push_back({section, text(line.nameBegin, line.nameEnd), text(line.valueBegin, line.valueEnd)});
    }
    return entries;
}

QByteArray KeyFile::LineEndOf(const Line& line) const
{
    return bytes_.sliced(line.textEnd, line.end - line.textEnd);
}

QByteArray KeyFile::NewLineEnd(const Line& after) const
{
    // The line before the new one knows the file's line end best, and a new
    // line that ends as it does can never join it (a LF after a lone CR
    // would).
    if (after.HasLineEnd())
        return LineEndOf(after);
    if (const Line first = LineAt(0); first.HasLineEnd())
        return LineEndOf(first);
    return format_.lineEnd;
}

std::optional<QString> KeyFile::Set(const KeyEntry& entry)
{
    const QStringView section = entry.section, key = entry.key, value = entry.value;
    if (section.isEmpty() || key.isEmpty())
        return QCoreApplication::translate("Files", "A section or key without a name cannot be written");
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return QCoreApplication::translate("Files", "A line break cannot be written into [%1] %2").arg(section, key);
    if (section.contains(u']') || TrimBlanks(section) != section)
        return QCoreApplication::translate("Files", "The section name '%1' would not read back").arg(section);
    if (key.contains(u'=') || key.front() == u'[' || key.front() == u';' || key.front() == u'#' ||
        TrimBlanks(key) != key)
        return QCoreApplication::translate("Files", "The key '%1' would not read back").arg(key);

    const QByteArray encodedValue = format_.encode(value);
    const QByteArray newEntry = format_.encode(key) + '=' + encodedValue;

    bool inSection = false;
    Line last;      // the section's header or its last entry so far
    Line lastLine;  // of the file, while no section is found
    for (qsizetype pos = 0; pos < bytes_.size();) {
        const Line line = LineAt(pos);
        pos = line.end;
        lastLine = line;
        if (line.kind == Line::Section) {
            if (inSection)
                break;
            inSection = NameIs(line.nameBegin, line.nameEnd, section);
            last = line;
        } else if (inSection && line.kind == Line::Entry) {
            if (NameIs(line.nameBegin, line.nameEnd, key)) {
                const QString current = format_.decode(
                    QByteArrayView(bytes_.constData() + line.valueBegin, line.valueEnd - line.valueBegin));
                if (current != TrimBlanks(value))
                    bytes_.replace(line.valueBegin, line.valueEnd - line.valueBegin, encodedValue);
                return std::nullopt;
            }
            last = line;
        }
    }

    if (inSection) {
        const QByteArray lineEnd = NewLineEnd(last);
        bytes_.insert(last.end, last.HasLineEnd() ? newEntry + lineEnd : lineEnd + newEntry + lineEnd);
        return std::nullopt;
    }

    const QByteArray lineEnd = NewLineEnd(lastLine);
    QByteArray added;
    if (!bytes_.isEmpty()) {
        if (!lastLine.HasLineEnd())
            added += lineEnd;
        // A blank line sets the new section apart, unless the file ends in one.
        if (lastLine.kind != Line::Blank)
            added += lineEnd;
    }
    added += '[' + format_.encode(section) + ']' + lineEnd + newEntry + lineEnd;
    bytes_ += added;
    return std::nullopt;
}

std::optional<QString> WriteKeys(const QString& path, const KeyFileFormat& format, std::span<const KeyEntry> entries,
                                 FileSystem& fs)
{
    KeyFile file(format);
    if (const auto unreadable = file.Load(path, fs))
        return unreadable;
    for (const KeyEntry& entry : entries) {
        if (const auto refused = file.Set(entry))
            return refused;
    }
    if (!file.Changed())
        return std::nullopt;
    return ReplaceFile(fs, path, file.Bytes());
}
