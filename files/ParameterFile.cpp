#include "files/ParameterFile.h"

#include <algorithm>

#include "controller/IntegerText.h"
#include "controller/Win1250.h"
#include "files/BoundedRead.h"

namespace {

constexpr qsizetype MaxValueLength = 2047;

}  // namespace

KeyFileFormat ParameterFileFormat()
{
    return {
        [](QByteArrayView bytes) { return Win1250::Decode(bytes.toByteArray()); },
        [](QStringView text) { return Win1250::Encode(text.toString()); },
        "\r\n",
        MaxValueLength,
    };
}

QString IntegerValueText(int value)
{
    return QString::number(value);
}

QString BoolValueText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString BytesValueText(std::span<const std::uint8_t> bytes)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    QString text;
    text.reserve(qsizetype(bytes.size()) * 2);
    for (std::uint8_t byte : bytes) {
        text += QLatin1Char(digits[byte >> 4]);
        text += QLatin1Char(digits[byte & 0x0F]);
    }
    return text;
}

ParameterFile::ParameterFile(const QString& path, FileSystem& fs) : file_(ParameterFileFormat())
{
    // A file that cannot be read reads as empty: every key takes its default.
    BoundedRead read = ReadBounded(path, KeyFileBound, BeyondBound::Refuse, fs);
    if (read.Refused())
        refusal_ = read.reason;
    if (!read.Ok())
        readFailure_ = read.reason;
    file_ = KeyFile(ParameterFileFormat(), std::move(read.bytes));
}

bool ParameterFile::HasSection(QStringView section) const
{
    const std::vector<KeyEntry> entries = file_.Entries();
    return std::any_of(entries.begin(), entries.end(), [section](const KeyEntry& entry) {
        return entry.section.compare(section, Qt::CaseInsensitive) == 0;
    });
}

QString ParameterFile::ReadString(QStringView section, QStringView key, const QString& fallback) const
{
    return file_.Value(section, key).value_or(fallback);
}

int ParameterFile::ReadInteger(QStringView section, QStringView key, int fallback) const
{
    const auto value = file_.Value(section, key);
    return value ? ParseIntegerText(*value).value_or(fallback) : fallback;
}

bool ParameterFile::ReadBool(QStringView section, QStringView key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::vector<std::uint8_t> ParameterFile::ReadBytes(QStringView section, QStringView key) const
{
    const auto value = file_.Value(section, key);
    if (!value)
        return {};
    // A stray character makes the whole value unreadable: reading around it
    // would shift every byte after it by half a byte, a program that no
    // one saved.
    for (QChar c : *value)
        if (HexDigitValue(c) < 0)
            return {};
    std::vector<std::uint8_t> bytes(std::size_t(value->size() / 2));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(HexDigitValue(value->at(qsizetype(2 * i))) << 4 | HexDigitValue(value->at(qsizetype(2 * i + 1))));
    return bytes;
}

void SectionBatch::WriteString(const QString& key, const QString& value)
{
    entries_.push_back({section_, key, value});
}

void SectionBatch::WriteInteger(const QString& key, int value)
{
    WriteString(key, IntegerValueText(value));
}

void SectionBatch::WriteBool(const QString& key, bool value)
{
    WriteString(key, BoolValueText(value));
}

void SectionBatch::WriteBytes(const QString& key, std::span<const std::uint8_t> bytes)
{
    WriteString(key, BytesValueText(bytes));
}

std::optional<QString> SectionBatch::Save(const QString& path, FileSystem& fs) const
{
    return WriteKeys(path, ParameterFileFormat(), entries_, fs);
}
