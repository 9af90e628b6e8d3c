// The parameter file: its value forms as the tabs read and write them, and
// that a file nobody would write by hand reads as defaults, never as
// something else.  Written files are checked by their bytes.
#include "files/ParameterFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include <sys/stat.h>

#include "tests/support/Unprivileged.h"
#include "tests/support/FileBytes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class ParameterFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Reachable for the unprivileged child of the permission test.
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    }
    QString Path() const { return dir.filePath(QStringLiteral("sada.vsk")); }
    ParameterFile With(const QByteArray& bytes)
    {
        Put(Path(), bytes);
        return ParameterFile(Path());
    }
    QTemporaryDir dir;
};

TEST_F(ParameterFileTest, IntegersAndBooleansReadByTheIntegerRule)
{
    const struct {
        const char* value;
        int integer;  // with the default 7
        bool boolean;  // with the default false
    } cases[] = {
        {"16", 16, true},         {"0x10", 16, true},       {"0X10", 16, true},
        {"$10", 16, true},        {"x10", 16, true},        {"-12", -12, true},
        {"  42  ", 42, true},     {"0", 0, false},          {"2", 2, true},
        {"1.5", 7, false},        {"abc", 7, false},        {"yes", 7, false},
        {"", 7, false},           {"12abc", 7, false},      {"2147483648", 7, false},
        {"-2147483648", INT_MIN, true}, {"$FFFFFFFF", -1, true}, {"1 2", 7, false},
    };
    for (const auto& c : cases) {
        const ParameterFile file = With(QByteArray("[Const]\r\nShift=") + c.value + "\r\n");
        EXPECT_EQ(file.ReadInteger(u"Const", u"Shift", 7), c.integer) << c.value;
        EXPECT_EQ(file.ReadBool(u"Const", u"Shift", false), c.boolean) << c.value;
    }
    const ParameterFile empty = With("");
    EXPECT_EQ(empty.ReadInteger(u"Const", u"Shift", -3), -3);
    EXPECT_TRUE(empty.ReadBool(u"Const", u"Shift", true));
    EXPECT_EQ(empty.ReadString(u"Const", u"Sens0Name", QStringLiteral("x")), QStringLiteral("x"));
}

TEST_F(ParameterFileTest, BytesAreHexadecimalPairsOrNothing)
{
    const struct {
        QByteArray value;
        Bytes bytes;
    } cases[] = {
        {"00FF1A80", {0x00, 0xFF, 0x1A, 0x80}},
        {"00ff1a", {0x00, 0xFF, 0x1A}},
        {"0F1", {0x0F}},  // an odd last digit is ignored
        {"", {}},
        // Anything but hexadecimal digits makes the value unreadable.
        {"0G", {}},
        {"00 FF", {}},
        {"00FF;", {}},
        {"+0FF", {}},
        {"\xB9\xB9", {}},
    };
    for (const auto& c : cases) {
        const ParameterFile file = With("[ModeA]\r\nData=" + c.value + "\r\n");
        EXPECT_EQ(file.ReadBytes(u"ModeA", u"Data"), c.bytes) << c.value.toStdString();
    }
    EXPECT_EQ(With("[ModeA]\r\n").ReadBytes(u"ModeA", u"Data"), Bytes{});
}

// Lines ending in LF only, a byte-order mark, comments, blank lines, junk,
// duplicates and lines of hundreds of kilobytes (the file as a whole within
// the bound of a key file): each key reads as it stands, or as its default,
// and nothing around it leaks in.
TEST_F(ParameterFileTest, FilesNobodyWouldWriteReadKeyByKey)
{
    QByteArray file = "\xEF\xBB\xBF; saved by hand\n[const]\n\n# Mode=3\nmode = 2\nMODE=4\n";
    file += QByteArray(300'000, '\x07') + "=" + QByteArray(100'000, 'z') + "\n";
    file += QByteArray("\x00\xFF\x80\x81 binary\n", 12);
    file += "Sens0Name=\xC8" "erpadlo \x9A\xE8\r\n[Const]\nShift=9\n[ModeB]\nData=";
    file += QByteArray(5000, 'A') + "\n[Ekvith]\nEkvith-40=" + QByteArray(200'000, '5') + "\n";
    const ParameterFile read = With(file);
    EXPECT_EQ(read.ReadInteger(u"Const", u"Mode", -1), 2);
    EXPECT_EQ(read.ReadInteger(u"Const", u"Shift", -1), -1);  // only in the second [Const]
    EXPECT_EQ(read.ReadString(u"Const", u"Sens0Name", {}), QStringLiteral("Čerpadlo šč"));
    // Values are cut to 2047 characters: 1023 bytes, 2047 digits no integer.
    EXPECT_EQ(read.ReadBytes(u"ModeB", u"Data"), Bytes(1023, 0xAA));
    EXPECT_EQ(read.ReadInteger(u"Ekvith", u"Ekvith-40", 0), 0);
}

TEST_F(ParameterFileTest, AFileThatCannotBeReadGivesTheDefaults)
{
    const QString path = Path();
    Put(path, "[Const]\r\nShift=9\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_EQ(RunUnprivileged([&] { return ParameterFile(path).ReadInteger(u"Const", u"Shift", 3) == 3 ? 0 : 1; }),
              0);
    // A folder, and nothing at all.
    EXPECT_EQ(ParameterFile(dir.path()).ReadInteger(u"Const", u"Shift", 3), 3);
    EXPECT_EQ(ParameterFile(dir.filePath(QStringLiteral("none.vsk"))).ReadInteger(u"Const", u"Shift", 3), 3);
}

TEST_F(ParameterFileTest, ASectionIsWrittenInItsFormsAndInPlace)
{
    Put(Path(), "; our boiler room\r\n[Const]\r\nShift=1\r\n\r\n[Wall]\r\nWall-40=3\r\n");
    SectionBatch batch(QStringLiteral("Const"));
    batch.WriteInteger(QStringLiteral("Shift"), -12);
    batch.WriteBool(QStringLiteral("Sens0Used"), true);
    batch.WriteBool(QStringLiteral("Sens1Used"), false);
    batch.WriteString(QStringLiteral("Sens0Name"), QStringLiteral("Čerpadlo"));
    const Bytes data{0x00, 0xAB, 0x5F, 0xFF};
    batch.WriteBytes(QStringLiteral("Data"), data);
    EXPECT_EQ(batch.Save(Path()), std::nullopt);
    EXPECT_EQ(Contents(Path()),
              "; our boiler room\r\n[Const]\r\nShift=-12\r\nSens0Used=1\r\nSens1Used=0\r\n"
              "Sens0Name=\xC8" "erpadlo\r\nData=00AB5FFF\r\n\r\n[Wall]\r\nWall-40=3\r\n");
}

}  // namespace
