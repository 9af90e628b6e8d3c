// The key file on files nobody would write by hand: random bytes, lines of
// hundreds of kilobytes, every kind of line end, no final line end.  Each
// run reads a set of keys, writes one, and checks that the value reads back,
// that no other key changed, and that every line but the written one is
// still there, byte for byte.  A fixed seed keeps a failure repeatable.
#include "files/KeyFile.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "controller/Win1250.h"

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
                file += Blanks() + Pick(Keys) + Blanks() + '=' + Blanks() + Value().toUtf8() + Blanks();
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

std::vector<QByteArray> SplitLines(const QByteArray& bytes)
{
    std::vector<QByteArray> lines;
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', from);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
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
        const bool endAdded = !line.endsWith('\n') && first.startsWith(line) && prefix + 1 == old.size();
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

}  // namespace
