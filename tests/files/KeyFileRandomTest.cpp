// The key file on files nobody would write by hand: random bytes, lines of
// hundreds of kilobytes, every kind of line end, no final line end, values
// in the parameter file's forms and near misses of them.  Each run reads a
// set of keys, writes one, and checks that the value reads back, that no
// other key changed, and that every line but the written one is still
// there, byte for byte.  The parameter file on the same files reads every
// form without failing and takes back a section of every form.  A fixed
// seed keeps a failure repeatable.
#include "files/KeyFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <random>
#include <variant>
#include <vector>

#include "controller/Win1250.h"
#include "files/ParameterFile.h"

namespace {

const char* const Sections[] = {"VESK", "vesk", "Ports", "A", "Ekvith"};
const char* const Keys[] = {"WallTemp", "walltemp", "COM1", "COM 1", "k", "Data"};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    template <typename T, std::size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Below(int(N))];
    }

    QByteArray Bytes(int count)
    {
        QByteArray bytes(count, '\0');
        for (char& c : bytes)
            c = char(Below(256));
        return bytes;
    }

    std::vector<std::uint8_t> Data(int count)
    {
        std::vector<std::uint8_t> bytes(std::size_t(count), 0);
        for (auto& b : bytes)
            b = std::uint8_t(Below(256));
        return bytes;
    }

    int Integer() { return int(std::uint32_t(random_())); }

    QByteArray Blanks()
    {
        static const char* const blanks[] = {"", "", "", " ", "\t", "  ", " \t "};
        return Pick(blanks);
    }

    // A value that any of the formats can hold.
    QString Value()
    {
        static const char16_t chars[] = u" ;#=\"[]abcXYZ0123456789,.-čřžýáíé";
        QString value;
        for (int n = Below(12); n > 0; --n)
            value += QChar(chars[Below(int(std::size(chars)) - 1)]);
        return value;
    }

    // Integers, booleans and bytes as a parameter file holds them, and texts
    // that come close: signs, "$", "x" and "0x", overflow, odd digits, junk.
    QString FormText()
    {
        static const char* const signs[] = {"", "", "-", "+", " ", "--"};
        static const char* const bases[] = {"", "", "$", "x", "0x", "0X", "0"};
        static const char digits[] = "0123456789abcdefABCDEF";
        static const char* const oddities[] = {"1.5", "yes", "1", "0", "2147483648", "-2147483648", "$FFFFFFFF",
                                               "$100000000", "0x", "$", "1 2", "12abc", ""};
        switch (Below(4)) {
        case 0: {
            QString text = QString::fromLatin1(Pick(signs)) + QString::fromLatin1(Pick(bases));
            for (int n = 1 + Below(10); n > 0; --n)
                text += QLatin1Char(digits[Below(Below(2) ? 10 : 22)]);
            return text;
        }
        case 1: return QString::fromLatin1(Pick(oddities));
        default: {
            const std::vector<std::uint8_t> data = Data(Below(700));
            QString hex = BytesValueText(data);
            if (Below(3) == 0)
                hex = hex.toLower();
            if (Below(3) == 0)
                hex.chop(1);
            if (Below(4) == 0 && !hex.isEmpty())
                hex[Below(int(hex.size()))] = QChar(u"G ;-x"[Below(5)]);
            return hex;
        }
        }
    }

    QByteArray File()
    {
        static const char* const lineEnds[] = {"\n", "\n", "\r\n", "\r\n", "\r", ""};
        QByteArray file;
        if (Below(8) == 0)
            file += "\xEF\xBB\xBF";
        for (int lines = Below(30); lines > 0; --lines) {
            switch (Below(10)) {
            case 0: case 1:
                file += Blanks() + '[' + Blanks() + Pick(Sections) + Blanks() + ']' + Blanks();
                break;
            case 2: case 3: case 4:
                file += Blanks() + Pick(Keys) + Blanks() + '=' + Blanks() +
                        (Below(2) ? Value() : FormText()).toUtf8() + Blanks();
                break;
            case 5:
                file += QByteArray(Below(2) ? ";" : "#") + Pick(Keys) + "=1";
                break;
            case 6: case 7:
                file += Bytes(Below(40));
                break;
            case 8:
                file += Below(2) ? QByteArray("[") + Pick(Sections) : QByteArray(Pick(Keys));
                break;
            default:
                // Now and then a line of hundreds of kilobytes, with or
                // without an "=" somewhere in it.
                if (Below(6) == 0) {
                    file += Bytes(Below(200'000)).replace('\n', 'x');
                    if (Below(2))
                        file += QByteArray("=") + Bytes(Below(100'000)).replace('\n', 'x');
                }
                break;
            }
            file += Pick(lineEnds);
        }
        return file;
    }

private:
    std::mt19937 random_;
};

QString WithoutBlanks(QString text)
{
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (!text.isEmpty() && blank(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && blank(text.back()))
        text.chop(1);
    return text;
}

// Each line with its line end: LF, CR LF or a CR alone.
std::vector<QByteArray> SplitLines(const QByteArray& bytes)
{
    std::vector<QByteArray> lines;
    qsizetype from = 0;
    while (from < bytes.size()) {
        qsizetype end = from;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        if (end < bytes.size() && bytes[end] == '\r')
            ++end;
        if (end < bytes.size() && bytes[end] == '\n')
            ++end;
        lines.push_back(bytes.mid(from, end - from));
        from = end;
    }
    return lines;
}

// At most one old line is gone, and it is either the written entry (its
// text up to the "=" kept) or a last line that got its line end.
::testing::AssertionResult OnlyTheWrittenLineDiffers(const QByteArray& before, const QByteArray& after)
{
    if (before == after)
        return ::testing::AssertionSuccess();
    const auto old = SplitLines(before), now = SplitLines(after);
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    const std::size_t gone = old.size() - prefix - suffix, added = now.size() - prefix - suffix;
    if (gone > 1 || added > 4 || added == 0)
        return ::testing::AssertionFailure() << gone << " lines replaced by " << added;
    if (gone == 1) {
        const QByteArray& line = old[prefix];
        const QByteArray& first = now[prefix];
        const bool endAdded = !line.endsWith('\n') && !line.endsWith('\r') && first.startsWith(line) &&
                              prefix + 1 == old.size();
        const qsizetype equals = line.indexOf('=');
        const bool valueReplaced = added == 1 && equals >= 0 && first.left(equals + 1) == line.left(equals + 1);
        if (!endAdded && !valueReplaced)
            return ::testing::AssertionFailure() << "line changed beyond its value";
    }
    return ::testing::AssertionSuccess();
}

void Exercise(const KeyFileFormat& format, std::uint32_t seed, int runs)
{
    Generator g(seed);
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE(::testing::Message() << "run " << run);
        const QByteArray before = g.File();
        KeyFile file(format, before);

        std::vector<std::optional<QString>> read;
        for (const char* section : Sections) {
            for (const char* key : Keys) {
                read.push_back(file.Value(QString::fromUtf8(section), QString::fromUtf8(key)));
                if (read.back() && format.maxValueLength >= 0) {
                    EXPECT_LE(read.back()->size(), format.maxValueLength);
                }
            }
        }

        const KeyEntry entry{QString::fromUtf8(g.Pick(Sections)), QString::fromUtf8(g.Pick(Keys)), g.Value()};
        ASSERT_EQ(file.Set(entry), std::nullopt);
        EXPECT_EQ(file.Value(entry.section, entry.key), WithoutBlanks(entry.value));
        EXPECT_TRUE(OnlyTheWrittenLineDiffers(before, file.Bytes()));

        std::size_t i = 0;
        for (const char* section : Sections) {
            for (const char* key : Keys) {
                const bool written = entry.section.compare(QString::fromUtf8(section), Qt::CaseInsensitive) == 0 &&
                                     entry.key.compare(QString::fromUtf8(key), Qt::CaseInsensitive) == 0;
                if (!written) {
                    EXPECT_EQ(file.Value(QString::fromUtf8(section), QString::fromUtf8(key)), read[i])
                        << section << '/' << key;
                }
                ++i;
            }
        }

        const QByteArray once = file.Bytes();
        ASSERT_EQ(file.Set(entry), std::nullopt);
        EXPECT_EQ(file.Bytes(), once) << "the same value written twice";
    }
}

TEST(KeyFileRandom, Utf8WithoutLimit)
{
    Exercise(Utf8KeyFormat(), 20261208, 300);
}

TEST(KeyFileRandom, Windows1250WithTheValueLimit)
{
    const KeyFileFormat format{
        [](QByteArrayView bytes) { return Win1250::Decode(bytes.toByteArray()); },
        [](QStringView text) { return Win1250::Encode(text.toString()); },
        "\r\n",
        2047,
    };
    Exercise(format, 4711, 300);
}

bool SameName(const char* a, const char* b)
{
    return QString::fromLatin1(a).compare(QString::fromLatin1(b), Qt::CaseInsensitive) == 0;
}

// What one run writes into a section, and reads back, in each form.
struct Written {
    const char* key;
    std::variant<int, bool, std::vector<std::uint8_t>, QString> value;
};

TEST(KeyFileRandom, ParameterFormsReadAndWriteOnAnyFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("random.vsk"));
    Generator g(1250);
    for (int run = 0; run < 150; ++run) {
        SCOPED_TRACE(::testing::Message() << "run " << run);
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(g.File());
        }
        const ParameterFile before(path);
        KeyFile raw(ParameterFileFormat());
        ASSERT_EQ(raw.Load(path), std::nullopt);
        for (const char* section : Sections) {
            for (const char* key : Keys) {
                const QString s = QString::fromLatin1(section), k = QString::fromLatin1(key);
                // A boolean is an integer, not 0 meaning true; a value that is no
                // integer gives each default.
                const int integer = before.ReadInteger(s, k, 7);
                EXPECT_EQ(before.ReadBool(s, k, false), before.ReadInteger(s, k, 0) != 0);
                EXPECT_EQ(before.ReadBool(s, k, true), before.ReadInteger(s, k, 1) != 0);
                if (integer != before.ReadInteger(s, k, 8)) {
                    EXPECT_EQ(integer, 7);
                }
                // Bytes are all of the value's digit pairs, or nothing.
                const auto bytes = before.ReadBytes(s, k);
                if (!bytes.empty()) {
                    const QString value = raw.Value(s, k).value_or(QString());
                    EXPECT_EQ(BytesValueText(bytes), value.left(value.size() / 2 * 2).toUpper()) << section << '/' << key;
                }
            }
        }

        // One section of every form, each key at most once.
        const char* section = g.Pick(Sections);
        SectionBatch batch(QString::fromLatin1(section));
        std::vector<Written> written;
        for (const char* key : Keys) {
            bool taken = false;
            for (const Written& w : written)
                taken |= SameName(w.key, key);
            if (taken || g.Below(3) == 0)
                continue;
            const QString k = QString::fromLatin1(key);
            switch (g.Below(4)) {
            case 0: written.push_back({key, g.Integer()}); batch.WriteInteger(k, std::get<int>(written.back().value)); break;
            case 1: written.push_back({key, g.Below(2) == 0}); batch.WriteBool(k, std::get<bool>(written.back().value)); break;
            case 2:
                written.push_back({key, g.Data(g.Below(1024))});
                batch.WriteBytes(k, std::get<std::vector<std::uint8_t>>(written.back().value));
                break;
            default: written.push_back({key, g.Value()}); batch.WriteString(k, std::get<QString>(written.back().value)); break;
            }
        }
        ASSERT_EQ(batch.Save(path), std::nullopt);

        const ParameterFile after(path);
        const QString s = QString::fromLatin1(section);
        for (const Written& w : written) {
            const QString k = QString::fromLatin1(w.key);
            if (const auto* i = std::get_if<int>(&w.value))
                EXPECT_EQ(after.ReadInteger(s, k, ~*i), *i) << w.key;
            else if (const auto* b = std::get_if<bool>(&w.value))
                EXPECT_EQ(after.ReadBool(s, k, !*b), *b) << w.key;
            else if (const auto* d = std::get_if<std::vector<std::uint8_t>>(&w.value))
                EXPECT_EQ(after.ReadBytes(s, k), *d) << w.key;
            else
                EXPECT_EQ(after.ReadString(s, k, QStringLiteral("<none>")), WithoutBlanks(std::get<QString>(w.value)))
                    << w.key;
        }
        for (const char* other : Sections) {
            for (const char* key : Keys) {
                bool writtenHere = false;
                for (const Written& w : written)
                    writtenHere |= SameName(other, section) && SameName(w.key, key);
                if (writtenHere)
                    continue;
                const QString os = QString::fromLatin1(other), k = QString::fromLatin1(key);
                EXPECT_EQ(after.ReadString(os, k, QStringLiteral("<none>")), before.ReadString(os, k, QStringLiteral("<none>")))
                    << other << '/' << key;
            }
        }
    }
}

}  // namespace
