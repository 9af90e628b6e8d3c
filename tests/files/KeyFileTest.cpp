// The key file: what it reads, and that a write changes the bytes of the
// values it writes and nothing else.  Every expectation is the file's bytes.
#include "files/KeyFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <sys/stat.h>
#include <vector>

#include "controller/Win1250.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/Unprivileged.h"
#include "tests/support/FileBytes.h"

namespace {

KeyFileFormat ParameterFormat()
{
    return {
        [](QByteArrayView bytes) { return Win1250::Decode(bytes.toByteArray()); },
        [](QStringView text) { return Win1250::Encode(text.toString()); },
        "\r\n",
        2047,
    };
}

TEST(KeyFileRead, FollowsTheLineRules)
{
    const struct {
        const char* bytes;
        const char* section;
        const char* key;
        std::optional<const char*> value;
    } cases[] = {
        // The value is everything after the first "=", blanks removed.
        {"[VESK]\nEkvithFillA = 1,5 ; x # y \n", "VESK", "EkvithFillA", "1,5 ; x # y"},
        {"[a]\nk=b=c\n", "a", "k", "b=c"},
        {"[a]\n\tk \t=\t v w \t\n", "a", "k", "v w"},
        {"[a]\nk=\n", "a", "k", ""},
        {"[a]\nk=\"1.5\nm=2\n", "a", "k", "\"1.5"},
        {"[a]\nk=\"1.5\nm=2\n", "a", "m", "2"},
        // Letter case of sections and keys does not matter.
        {"[vesk]\nEKVITHFILLA=2\n", "VESK", "EkvithFillA", "2"},
        // Line ends, a missing last one, a byte-order mark.
        {"[a]\r\nk=v\r\n", "a", "k", "v"},
        {"[a]\nk=v", "a", "k", "v"},
        {"\xEF\xBB\xBF[a]\nk=v\n", "a", "k", "v"},
        {"[a]\nk=v\r\r\n", "a", "k", "v"},
        // Keys with blanks are keys of their own.
        {"[Ports]\nCOM 1=/dev/x\n", "Ports", "COM 1", "/dev/x"},
        {"[Ports]\nCOM 1=/dev/x\n", "Ports", "COM1", std::nullopt},
        // Comments are no entries.
        {"[a]\n;k=1\n#k=2\n", "a", "k", std::nullopt},
        {"[a]\n  ; k=1\nk=3", "a", "k", "3"},
        // The first section of a name and the first entry of a key win.
        {"[a]\nk=1\nk=2\n", "a", "k", "1"},
        {"[a]\nj=1\n[A]\nk=2\n", "a", "k", std::nullopt},
        {"[a]\nk=1\n[A]\nk=2\n", "A", "k", "1"},
        // An entry belongs to the nearest header above it, if any.
        {"k=1\n[a]\n", "a", "k", std::nullopt},
        {"[a]\n[b]\nk=1\n", "a", "k", std::nullopt},
        {" [ a ] trailing\nk=1\n", "a", "k", "1"},
        {"[a]\n[b\nk=1\n", "a", "k", "1"},
        // Bytes that are no text hide nothing after them.
        {"[a]\n\xFF\xFE=junk\n\x01\x02\nk=v\n", "a", "k", "v"},
        {"", "a", "k", std::nullopt},
    };
    for (const auto& c : cases) {
        const KeyFile file(Utf8KeyFormat(), QByteArray(c.bytes));
        const auto value = file.Value(QString::fromUtf8(c.section), QString::fromUtf8(c.key));
        const std::optional<QString> expected =
            c.value ? std::optional<QString>(QString::fromUtf8(*c.value)) : std::nullopt;
        EXPECT_EQ(value, expected) << c.bytes << " [" << c.section << "] " << c.key;
    }
}

// Everything a reader that refuses duplicates needs: every entry in order,
// under the section it stands in, those Value() would not read included.
TEST(KeyFileRead, EntriesListsEveryEntryWithItsSection)
{
    const KeyFile file(Utf8KeyFormat(), QByteArray("k0=a\n[s]\n; c=1\n k = v \nk=w\n[T]\nx=\n[s]\nk=z\njunk\n"));
    std::vector<std::array<QString, 3>> entries;
    for (const KeyEntry& e : file.Entries())
        entries.push_back({e.section, e.key, e.value});
    const auto S = [](const char* text) { return QString::fromUtf8(text); };
    EXPECT_EQ(entries, (std::vector<std::array<QString, 3>>{{S(""), S("k0"), S("a")},
                                                            {S("s"), S("k"), S("v")},
                                                            {S("s"), S("k"), S("w")},
                                                            {S("T"), S("x"), S("")},
                                                            {S("s"), S("k"), S("z")}}));
}

TEST(KeyFileWrite, ChangesOnlyTheValuesItWrites)
{
    const struct {
        const char* name;
        const char* before;
        std::vector<KeyEntry> entries;
        const char* after;
    } cases[] = {
        {"the value in place; key, blanks, comments and other sections stay",
         "; hand-written\n[VESK]\n# the fill\nEkvithFillA = 1,5   \nWallTemp=19\n[Ports]\nCOM1=/dev/ttyUSB0 ; usb\n",
         {{"VESK", "EkvithFillA", "2,25"}},
         "; hand-written\n[VESK]\n# the fill\nEkvithFillA = 2,25   \nWallTemp=19\n[Ports]\nCOM1=/dev/ttyUSB0 ; usb\n"},
        {"letter case: the file's spelling stays", "[vesk]\nWALLTEMP=19\n", {{"VESK", "WallTemp", "20"}},
         "[vesk]\nWALLTEMP=20\n"},
        {"a value equal but for its blanks is left alone", "[VESK]\nWallTemp = 19  \n",
         {{"VESK", "WallTemp", "19"}, {"VESK", "WallTemp", " 19 "}}, "[VESK]\nWallTemp = 19  \n"},
        {"an empty value", "[VESK]\nWallTemp=\n", {{"VESK", "WallTemp", "20"}}, "[VESK]\nWallTemp=20\n"},
        {"a new key after the section's last entry, before its blank lines and the next one's comment",
         "[VESK]\nWallTemp=19\n\n; ports below\n[Ports]\nCOM1=x\n", {{"VESK", "ComPort", "2"}},
         "[VESK]\nWallTemp=19\nComPort=2\n\n; ports below\n[Ports]\nCOM1=x\n"},
        {"a new key in a section without entries", "[VESK]\n; nothing yet\n\n[Ports]\n", {{"VESK", "ComPort", "1"}},
         "[VESK]\nComPort=1\n; nothing yet\n\n[Ports]\n"},
        {"a new key after a last line without its line end", "[VESK]\nWallTemp=19", {{"VESK", "ComPort", "1"}},
         "[VESK]\nWallTemp=19\nComPort=1\n"},
        {"a commented-out key is no entry", "[VESK]\n;ComPort=3\n#ComPort=4\n", {{"VESK", "ComPort", "1"}},
         "[VESK]\nComPort=1\n;ComPort=3\n#ComPort=4\n"},
        {"a missing section at the end, after a blank line", "[Ports]\nCOM1=x\n", {{"VESK", "ComPort", "0"}},
         "[Ports]\nCOM1=x\n\n[VESK]\nComPort=0\n"},
        {"a missing section after a last line without its line end", "[Ports]\nCOM1=x", {{"VESK", "ComPort", "0"}},
         "[Ports]\nCOM1=x\n\n[VESK]\nComPort=0\n"},
        {"a missing section after a blank last line", "[Ports]\nCOM1=x\n\n", {{"VESK", "ComPort", "0"}},
         "[Ports]\nCOM1=x\n\n[VESK]\nComPort=0\n"},
        {"an empty file", "", {{"A", "x", "1"}, {"A", "y", "2"}, {"B", "z", "3"}}, "[A]\nx=1\ny=2\n\n[B]\nz=3\n"},
        {"CR LF lines: new lines take the file's line end", "[VESK]\r\nWallTemp=19\r\n",
         {{"VESK", "WallTemp", "20"}, {"VESK", "ComPort", "1"}, {"Ports", "COM1", "x"}},
         "[VESK]\r\nWallTemp=20\r\nComPort=1\r\n\r\n[Ports]\r\nCOM1=x\r\n"},
        {"CR lines, as old Mac editors write them: read as lines, and new lines end in CR too",
         "[Ports]\rCOM1=/dev/ttyUSB7\r[VESK]\rWallTemp=19\r; end\r",
         {{"VESK", "WallTemp", "20"}, {"VESK", "ComPort", "1"}, {"Wall", "WallDepth", "45"}},
         "[Ports]\rCOM1=/dev/ttyUSB7\r[VESK]\rWallTemp=20\rComPort=1\r; end\r\r[Wall]\rWallDepth=45\r"},
        {"mixed line ends: a new line ends as the one before it, so it never joins it",
         "[VESK]\nWallTemp=19\r[Ports]\r\nCOM1=x", {{"VESK", "ComPort", "1"}, {"Ports", "COM2", "y"}},
         "[VESK]\nWallTemp=19\rComPort=1\r[Ports]\r\nCOM1=x\nCOM2=y\n"},
        {"a byte-order mark stays, before an entry of no section or a header",
         "\xEF\xBB\xBFWallTemp=5\n[VESK]\nWallTemp=19\n", {{"VESK", "WallTemp", "20"}},
         "\xEF\xBB\xBFWallTemp=5\n[VESK]\nWallTemp=20\n"},
        {"a byte-order mark before the header", "\xEF\xBB\xBF[VESK]\r\nWallTemp=19\r\n",
         {{"VESK", "WallTemp", "20"}, {"VESK", "ComPort", "1"}},
         "\xEF\xBB\xBF[VESK]\r\nWallTemp=20\r\nComPort=1\r\n"},
        {"duplicates: the first section and the first entry are written",
         "[VESK]\nWallTemp=19\nWallTemp=18\n[vesk]\nWallTemp=17\nComPort=3\n",
         {{"VESK", "WallTemp", "20"}, {"VESK", "ComPort", "1"}},
         "[VESK]\nWallTemp=20\nWallTemp=18\nComPort=1\n[vesk]\nWallTemp=17\nComPort=3\n"},
        {"keys with blanks, \";\" and \"#\" in values", "[Ports]\nCOM 1=/a b;c#d\nCOM1=/x/port;1\n",
         {{"Ports", "COM 1", "/new path;2"}}, "[Ports]\nCOM 1=/new path;2\nCOM1=/x/port;1\n"},
        {"an unbalanced quote hides nothing", "[VESK]\nEkvithFillA=\"1.5\nWallTemp=19\n", {{"VESK", "WallTemp", "20"}},
         "[VESK]\nEkvithFillA=\"1.5\nWallTemp=20\n"},
        {"a header with a comment after it", "[VESK] ; main\nWallTemp=19\n", {{"VESK", "WallTemp", "20"}},
         "[VESK] ; main\nWallTemp=20\n"},
        {"junk lines stay", "[VESK]\n\xFF\xFE\x01\n=\nWallTemp=19\n\x80\n", {{"VESK", "WallTemp", "20"}},
         "[VESK]\n\xFF\xFE\x01\n=\nWallTemp=20\n\x80\n"},
    };
    for (const auto& c : cases) {
        KeyFile file(Utf8KeyFormat(), QByteArray(c.before));
        for (const KeyEntry& entry : c.entries)
            EXPECT_EQ(file.Set(entry), std::nullopt) << c.name;
        EXPECT_EQ(file.Bytes(), QByteArray(c.after)) << c.name;
        EXPECT_EQ(file.Changed(), QByteArray(c.before) != QByteArray(c.after)) << c.name;
    }
}

TEST(KeyFileWrite, RefusesWhatWouldNotReadBackAndChangesNothing)
{
    const QByteArray before = "[VESK]\nWallTemp=19\n";
    const KeyEntry refused[] = {
        {"VESK", "WallTemp", "20\n[Ports]"}, {"VESK", "WallTemp", "20\r"}, {"VESK", "Wall\nTemp", "1"},
        {"", "WallTemp", "1"},               {"VESK", "", "1"},            {"VE]SK", "WallTemp", "1"},
        {"VESK", "a=b", "1"},                {"VESK", ";k", "1"},          {"VESK", "#k", "1"},
        {"VESK", "[k", "1"},                 {"VESK", " k", "1"},          {" VESK", "k", "1"},
    };
    for (const KeyEntry& entry : refused) {
        KeyFile file(Utf8KeyFormat(), before);
        const auto why = file.Set(entry);
        EXPECT_TRUE(why.has_value() && !why->isEmpty()) << entry.section.toStdString() << '/' << entry.key.toStdString();
        EXPECT_EQ(file.Bytes(), before);
    }
}

// The parameter files' form: Windows-1250, CR LF, values cut at 2047.
TEST(KeyFileFormatTest, ParameterFilesInWindows1250)
{
    KeyFile file(ParameterFormat(), "[Const]\r\nSens0Name=\xC8\xED\x9E\xF8 1\r\nSens1Name=" + QByteArray(3000, 'x') + "\r\n");
    EXPECT_EQ(file.Value(u"const", u"sens0name"), QStringLiteral("Čížř 1"));
    EXPECT_EQ(file.Value(u"Const", u"Sens1Name"), QString(2047, u'x'));

    EXPECT_EQ(file.Set({"Const", "Sens0Name", QStringLiteral("Kotel č. 2")}), std::nullopt);
    EXPECT_EQ(file.Set({QStringLiteral("Ekvith"), QStringLiteral("Ekvith-40"), QStringLiteral("20")}), std::nullopt);
    EXPECT_EQ(file.Bytes(), "[Const]\r\nSens0Name=Kotel \xE8. 2\r\nSens1Name=" + QByteArray(3000, 'x') +
                                "\r\n\r\n[Ekvith]\r\nEkvith-40=20\r\n");

    // A new file takes the format's line end.
    KeyFile fresh(ParameterFormat());
    EXPECT_EQ(fresh.Set({"ModeB", "Data", "00FF"}), std::nullopt);
    EXPECT_EQ(fresh.Bytes(), "[ModeB]\r\nData=00FF\r\n");
}

class WriteKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Reachable for the unprivileged child of the permission tests.
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    }
    void TearDown() override
    {
        ::chmod(QFile::encodeName(dir.path()).constData(), 0777);
    }
    QString Path() const { return dir.filePath(QStringLiteral("VESK.ini")); }
    QStringList Names() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }

    QTemporaryDir dir;
    const QByteArray old = "; kept\n[VESK]\nWallTemp=19\n[Ports]\nCOM1=/dev/ttyUSB0\n";
    const std::vector<KeyEntry> batch = {{"VESK", "WallTemp", "20"}, {"VESK", "ComPort", "1"}};
};

TEST_F(WriteKeysTest, OneBatchInOneReplace)
{
    Put(Path(), old);
    FaultyFileSystem fs;
    const int& opened = fs.temporaryFiles;
    EXPECT_EQ(WriteKeys(Path(), Utf8KeyFormat(), batch, fs), std::nullopt);
    EXPECT_EQ(Contents(Path()), "; kept\n[VESK]\nWallTemp=20\nComPort=1\n[Ports]\nCOM1=/dev/ttyUSB0\n");
    EXPECT_EQ(opened, 1);

    // Nothing changed: the file is not written at all.
    EXPECT_EQ(WriteKeys(Path(), Utf8KeyFormat(), batch, fs), std::nullopt);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Names(), QStringList{QStringLiteral("VESK.ini")});
}

TEST_F(WriteKeysTest, AMissingFileIsCreatedOnlyWhenThereIsSomethingToWrite)
{
    EXPECT_EQ(WriteKeys(Path(), Utf8KeyFormat(), {}), std::nullopt);
    EXPECT_FALSE(QFile::exists(Path()));
    EXPECT_EQ(WriteKeys(Path(), Utf8KeyFormat(), batch), std::nullopt);
    EXPECT_EQ(Contents(Path()), "[VESK]\nWallTemp=20\nComPort=1\n");
}

TEST_F(WriteKeysTest, AFailureAtAnyStepLeavesTheOldFileWhole)
{
    Put(Path(), old);
    for (FailingStep failing : EveryFailingStep) {
        if (failing == FailingStep::FolderFsync)
            continue;  // the new version is in place by then
        FaultyFileSystem fs;
        fs.failing = failing;
        EXPECT_TRUE(WriteKeys(Path(), Utf8KeyFormat(), batch, fs).has_value()) << StepName(failing);
        EXPECT_EQ(Contents(Path()), old) << StepName(failing);
        EXPECT_EQ(Names(), QStringList{QStringLiteral("VESK.ini")}) << StepName(failing);
    }
}

TEST_F(WriteKeysTest, AnEntryTheFileCannotHoldWritesNothing)
{
    Put(Path(), old);
    const std::vector<KeyEntry> entries = {{"VESK", "WallTemp", "20"}, {"VESK", "ComPort", "1\n[x]"}};
    EXPECT_TRUE(WriteKeys(Path(), Utf8KeyFormat(), entries).has_value());
    EXPECT_EQ(Contents(Path()), old);
}

TEST_F(WriteKeysTest, AFileThatCannotBeReadIsNeitherReadNorReplaced)
{
    Put(Path(), old);
    ASSERT_EQ(::chmod(QFile::encodeName(Path()).constData(), 0600), 0);
    const QString path = Path();
    const auto b = batch;
    EXPECT_EQ(RunUnprivileged([&] {
                  KeyFile file(Utf8KeyFormat());
                  if (!file.Load(path) || !file.Bytes().isEmpty() || file.Value(u"VESK", u"WallTemp"))
                      return 1;
                  return WriteKeys(path, Utf8KeyFormat(), b).has_value() ? 0 : 2;
              }),
              0);
    EXPECT_EQ(Contents(Path()), old);

    // A folder where the file should be.
    const QString folder = dir.filePath(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir().mkdir(folder));
    KeyFile file(Utf8KeyFormat());
    EXPECT_TRUE(file.Load(folder).has_value());
    EXPECT_TRUE(WriteKeys(folder, Utf8KeyFormat(), batch).has_value());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(WriteKeysTest, AReadOnlyFolderKeepsTheOldFile)
{
    // The file itself may be written by everyone; the folder may not take
    // the temporary file.
    Put(Path(), old);
    ASSERT_EQ(::chmod(QFile::encodeName(Path()).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    const QString path = Path();
    const auto b = batch;
    EXPECT_EQ(RunUnprivileged([&] { return WriteKeys(path, Utf8KeyFormat(), b).has_value() ? 0 : 1; }), 0);
    EXPECT_EQ(Contents(Path()), old);
    EXPECT_EQ(Names(), QStringList{QStringLiteral("VESK.ini")});
}

}  // namespace
