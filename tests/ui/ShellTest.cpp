// The window's decisions that need no widget: stored settings, the Info
// text and the text conversions behind them.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "controller/DecimalText.h"
#include "controller/IntegerText.h"
#include "shell/PortChoice.h"
#include "shell/Dialogs.h"
#include "shell/ResetInfo.h"
#include "shell/StoredSettings.h"
#include "shell/Texts.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/Unprivileged.h"

namespace {

const QString Config = Text::Filter::Configuration();

TEST(IntegerTextTest, FollowsTheIntegerRule)
{
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"0", 0},           {"42", 42},          {"  42", 42},       {"-5", -5},
        {"+7", 7},          {"$1F", 31},         {"x1f", 31},        {"X10", 16},
        {"0x10", 16},       {"0X1a", 26},        {"-$10", -16},      {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},        {"$FFFFFFFF", -1},  {"$7fffffff", 2147483647},
        {"", std::nullopt}, {"   ", std::nullopt}, {"-", std::nullopt}, {"$", std::nullopt},
        {"0x", std::nullopt}, {"42 ", std::nullopt}, {"4 2", std::nullopt}, {"1.5", std::nullopt},
        {"abc", std::nullopt}, {"$G", std::nullopt}, {"12a", std::nullopt}, {"--1", std::nullopt},
        {"2147483648", std::nullopt}, {"-2147483649", std::nullopt}, {"$100000000", std::nullopt},
        {"99999999999999999999", std::nullopt}, {"\t1", std::nullopt}, {"٣", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseIntegerText(QString::fromUtf8(c.text)), c.value) << '"' << c.text << '"';
}

TEST(FileFilterTest, PairsBecomeQtNameFilters)
{
    EXPECT_EQ(ToQtNameFilters(Config),
              (QStringList{QString::fromUtf8("Soubory konfigurace (*.vsk)"), QStringLiteral("Všechny soubory (*)")}));
    EXPECT_EQ(ToQtNameFilters(Text::Filter::Text()),
              (QStringList{QString::fromUtf8("Textové soubory (*.txt)"), QStringLiteral("Všechny soubory (*)")}));
    // A description without its patterns gets them; several patterns are
    // separated by blanks for Qt.
    EXPECT_EQ(ToQtNameFilters(QStringLiteral("Záznamy|*.csv;*.txt")), QStringList{QStringLiteral("Záznamy (*.csv *.txt)")});
    EXPECT_TRUE(ToQtNameFilters(QString()).isEmpty());
}

TEST(InfoTextTest, EndsAtTheFirstZeroOrAfterSixteenBytes)
{
    const std::uint8_t early[16] = {'V', 'E', 'S', 'K', 0, 'x', 'y', 'z', 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(InfoText(early, 16), QStringLiteral("VESK"));

    std::uint8_t full[20];
    for (int i = 0; i < 20; ++i)
        full[i] = std::uint8_t('A' + i);
    EXPECT_EQ(InfoText(full, 20), QStringLiteral("ABCDEFGHIJKLMNOP"));

    const std::uint8_t czech[16] = {0xC8, 0xED, 0x9E, 0xF8, 0};  // Windows-1250
    EXPECT_EQ(InfoText(czech, 16), QStringLiteral("Čížř"));

    const std::uint8_t empty[16] = {};
    EXPECT_EQ(InfoText(empty, 16), QString());
}

// Each test gets its own machine-wide settings folder.  Every expectation
// about what was written is the file's bytes.
class StoredSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Reachable for the unprivileged child of the permission tests.
        ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir.path()));
    }
    void TearDown() override
    {
        ::chmod(QFile::encodeName(dir.filePath(QStringLiteral("VESK"))).constData(), 0777);
    }

    QString FilePath() const { return dir.filePath(QStringLiteral("VESK/VESK.ini")); }

    void WriteFile(const QByteArray& contents)
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("VESK")));
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QByteArray FileBytes() const
    {
        QFile file(FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }

    // The texts of the fill inputs the file keeps.
    static std::map<QString, QString> StoredInputs(const char* a, const char* b, const char* c, const char* depth,
                                                   const char* sensDepth, const char* temp)
    {
        return {{"EkvithFillA", QString::fromUtf8(a)}, {"EkvithFillB", QString::fromUtf8(b)},
                {"EkvithFillC", QString::fromUtf8(c)}, {"WallDepth", QString::fromUtf8(depth)},
                {"WallSensDepth", QString::fromUtf8(sensDepth)}, {"WallTemp", QString::fromUtf8(temp)}};
    }

    QTemporaryDir dir;
    const QLocale czech{QStringLiteral("cs_CZ")};
    const QLocale english{QStringLiteral("en_US")};
    const QLocale german{QStringLiteral("de_DE")};
};

TEST_F(StoredSettingsTest, FirstStartTakesTheDefaults)
{
    const StoredSettings s = ReadStoredSettings(czech);
    EXPECT_EQ(s.inputs, StoredInputs("0", "-0,7", "51", "45", "17", "21"));
    EXPECT_EQ(s.ComPort, 0);
    // Reading creates nothing; closing stores the seven values, the
    // decimals as shown.
    EXPECT_FALSE(QFile::exists(FilePath()));
    EXPECT_EQ(WriteStoredSettings(s, s), std::nullopt);
    EXPECT_EQ(FileBytes(), "[VESK]\nEkvithFillA=0\nEkvithFillB=-0,7\nEkvithFillC=51\nWallDepth=45\n"
                           "WallSensDepth=17\nWallTemp=21\nComPort=0\n");
    EXPECT_EQ(ReadStoredSettings(QLocale::c()).Input("EkvithFillB"), QStringLiteral("-0.7"));
}

TEST_F(StoredSettingsTest, StoredValuesAreReadAsTheirNumbers)
{
    // Quoted as earlier versions wrote a text with a comma.
    WriteFile("[VESK]\nEkvithFillA=\"0,0125\"\nEkvithFillB=-1,5\nEkvithFillC= 60 \n"
              "WallDepth=$20\nWallSensDepth=-3\nWallTemp=19\nComPort=3\n");
    const StoredSettings s = ReadStoredSettings(czech);
    EXPECT_EQ(s.inputs, StoredInputs("0,0125", "-1,5", "60", "32", "-3", "19"));
    EXPECT_EQ(s.ComPort, 3);
}

TEST_F(StoredSettingsTest, TextsThatAreNotNumbersTakeTheDefault)
{
    // An unbalanced quote hides neither the values after it nor [Ports].
    WriteFile("[VESK]\nEkvithFillA=\"1.5\nEkvithFillB=abc\nEkvithFillC=1 000\n"
              "WallDepth=4.5\nWallSensDepth=\nWallTemp=zeď\nComPort=COM2\n[Ports]\nCOM1=/dev/ttyUSB0\n");
    const StoredSettings s = ReadStoredSettings(czech);
    EXPECT_EQ(s.inputs, StoredInputs("0", "-0,7", "51", "45", "17", "21"));
    EXPECT_EQ(s.ComPort, 0);
    EXPECT_EQ(ReadPortMap(), (Serial::PortMap{{"COM1", "/dev/ttyUSB0"}}));
}

TEST_F(StoredSettingsTest, ADecimalTextReadsTheSameInEveryLocale)
{
    // Typed by one technician, read by another: the file keeps what was
    // typed, and each reader sees the same number with their own separator.
    const struct {
        const QLocale* writer;
        const char* typed;
        const char* czech;
        const char* english;
        const char* german;
    } cases[] = {
        {&czech, "12,345", "12,345", "12.345", "12,345"},
        {&english, "12.345", "12,345", "12.345", "12,345"},
        {&english, "1.000", "1", "1", "1"},
        {&german, "-0,5", "-0,5", "-0.5", "-0,5"},
        {&english, "1e3", "1000", "1000", "1000"},
        // Not numbers: the default.
        {&english, "nan", "0", "0", "0"},
        {&english, "inf", "0", "0", "0"},
        {&german, "-inf", "0", "0", "0"},
        {&english, "1,000.5", "0", "0", "0"},
        {&czech, "1 000", "0", "0", "0"},
    };
    for (const auto& c : cases) {
        QFile::remove(FilePath());
        StoredSettings s = ReadStoredSettings(*c.writer);
        const StoredSettings shown = s;
        s.inputs["EkvithFillA"] = QString::fromUtf8(c.typed);
        ASSERT_EQ(WriteStoredSettings(s, shown), std::nullopt) << c.typed;
        EXPECT_EQ(FileBytes(), QByteArray("[VESK]\nEkvithFillA=") + c.typed + "\nEkvithFillB=" +
                                   FormatDecimal(-0.7, *c.writer).toUtf8() +
                                   "\nEkvithFillC=51\nWallDepth=45\nWallSensDepth=17\nWallTemp=21\nComPort=0\n")
            << "written as typed";
        EXPECT_EQ(ReadStoredSettings(czech).Input("EkvithFillA"), QString::fromUtf8(c.czech)) << c.typed;
        EXPECT_EQ(ReadStoredSettings(english).Input("EkvithFillA"), QString::fromUtf8(c.english)) << c.typed;
        EXPECT_EQ(ReadStoredSettings(german).Input("EkvithFillA"), QString::fromUtf8(c.german)) << c.typed;
    }
}

// A file edited by hand goes through any number of runs, in any locale,
// byte for byte; a changed value changes its own bytes only.
TEST_F(StoredSettingsTest, AHandEditedFileKeepsEveryByteItDoesNotChange)
{
    const QByteArray lines[] = {
        "; VESK settings, edited by hand",
        "[Ports]",
        "# the USB adapter",
        "COM1=/x/port;1",
        "COM 2=/dev/ttyUSB1",
        "COM3=\"/dev/tty S2\"",
        "",
        "[VESK]",
        "EkvithFillA = 0.5   ",
        "EkvithFillB=\"-0,7\"",
        "ekvithfillc=51",
        "WallDepth=$2D",
        "WallSensDepth=17 ",
        "WallTemp=21",
        "ComPort=0",
        "WallTemp=99",
        "[Other]",
        "Unbalanced=\"quote",
        "[vesk]",
        "ComPort=5",
    };
    for (const QByteArray& start : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        for (const QByteArray& end : {QByteArray("\n"), QByteArray("\r\n")}) {
            QByteArray original = start, changed = start;
            for (const QByteArray& line : lines) {
                original += line + end;
                changed += (line == "WallTemp=21"           ? QByteArray("WallTemp=22")
                            : line == "EkvithFillB=\"-0,7\"" ? QByteArray("EkvithFillB=-0,75")
                                                              : line) +
                           end;
            }
            WriteFile(original);
            for (const QLocale* locale : {&czech, &english, &german, &czech}) {
                const StoredSettings s = ReadStoredSettings(*locale);
                EXPECT_EQ(s.Input("EkvithFillA"), FormatDecimal(0.5, *locale));
                EXPECT_EQ(s.Input("WallDepth"), QStringLiteral("45"));
                EXPECT_EQ(s.ComPort, 0);
                EXPECT_EQ(WriteStoredSettings(s, s), std::nullopt);
                EXPECT_EQ(WriteStoredSettings(s), std::nullopt);
                ASSERT_EQ(FileBytes(), original) << locale->name().toStdString();
            }
            EXPECT_EQ(ReadPortMap(), (Serial::PortMap{{"COM1", "/x/port;1"}, {"COM3", "/dev/tty S2"}}));

            StoredSettings s = ReadStoredSettings(czech);
            const StoredSettings shown = s;
            s.inputs["WallTemp"] = QStringLiteral("22");
            s.inputs["EkvithFillB"] = QStringLiteral("-0,75");
            EXPECT_EQ(WriteStoredSettings(s, shown), std::nullopt);
            EXPECT_EQ(FileBytes(), changed);
        }
    }
}

TEST_F(StoredSettingsTest, MissingValuesAndTextsThatAreNotNumbersAreWrittenAsTheyStand)
{
    WriteFile("[Ports]\nCOM1=/dev/ttyUSB0\n[VESK]\nEkvithFillB=abc\nWallTemp=19\n# end\n");
    StoredSettings s = ReadStoredSettings(czech);
    const StoredSettings shown = s;
    EXPECT_EQ(WriteStoredSettings(s, shown), std::nullopt);
    EXPECT_EQ(FileBytes(), "[Ports]\nCOM1=/dev/ttyUSB0\n[VESK]\nEkvithFillB=-0,7\nWallTemp=19\nEkvithFillA=0\n"
                           "EkvithFillC=51\nWallDepth=45\nWallSensDepth=17\nComPort=0\n# end\n");

    s.inputs["EkvithFillA"] = QStringLiteral("nic");  // texts are stored as they stand
    s.ComPort = -1;
    EXPECT_EQ(WriteStoredSettings(s, shown), std::nullopt);
    EXPECT_EQ(FileBytes(), "[Ports]\nCOM1=/dev/ttyUSB0\n[VESK]\nEkvithFillB=-0,7\nWallTemp=19\nEkvithFillA=nic\n"
                           "EkvithFillC=51\nWallDepth=45\nWallSensDepth=17\nComPort=-1\n# end\n");
    EXPECT_EQ(ReadStoredSettings(czech).ComPort, -1);
}

TEST_F(StoredSettingsTest, AValueLeftAsShownDoesNotOverwriteAnotherTechniciansChange)
{
    WriteFile("[VESK]\nWallTemp=19\nComPort=9\n");
    StoredSettings mine = ReadStoredSettings(czech);
    const StoredSettings shown = mine;
    EXPECT_EQ(mine.ComPort, -1);
    mine.inputs["WallDepth"] = QStringLiteral("50");
    // Meanwhile another technician stores their wall temperature.
    WriteFile("[VESK]\nWallTemp=25\nComPort=9\n");

    EXPECT_EQ(WriteStoredSettings(mine, shown), std::nullopt);
    EXPECT_EQ(FileBytes(), "[VESK]\nWallTemp=25\nComPort=9\nEkvithFillA=0\nEkvithFillB=-0,7\nEkvithFillC=51\n"
                           "WallDepth=50\nWallSensDepth=17\n");
    // Without the values as shown at start, the window's values stand.
    EXPECT_EQ(WriteStoredSettings(mine), std::nullopt);
    EXPECT_EQ(FileBytes(), "[VESK]\nWallTemp=19\nComPort=-1\nEkvithFillA=0\nEkvithFillB=-0,7\nEkvithFillC=51\n"
                           "WallDepth=50\nWallSensDepth=17\n");
}

TEST_F(StoredSettingsTest, TheFileIsInTheFirstAbsoluteConfigDir)
{
    const struct {
        const char* dirs;
        const char* path;
    } cases[] = {
        {nullptr, "/etc/xdg/VESK/VESK.ini"},   {"", "/etc/xdg/VESK/VESK.ini"},
        {"/a:/b", "/a/VESK/VESK.ini"},         {"/a/:/b", "/a/VESK/VESK.ini"},
        {":/a:/b", "/a/VESK/VESK.ini"},        {"relative:/b", "/b/VESK/VESK.ini"},
        {"relative", "/etc/xdg/VESK/VESK.ini"},
    };
    for (const auto& c : cases) {
        if (c.dirs)
            qputenv("XDG_CONFIG_DIRS", c.dirs);
        else
            qunsetenv("XDG_CONFIG_DIRS");
        EXPECT_EQ(StoredSettingsPath(), QString::fromUtf8(c.path)) << (c.dirs ? c.dirs : "(unset)");
    }

    QTemporaryDir second;
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(QStringLiteral("relative:") + dir.path() + u':' + second.path()));
    EXPECT_EQ(WriteStoredSettings(ReadStoredSettings(czech)), std::nullopt);
    EXPECT_EQ(FileBytes(), "[VESK]\nEkvithFillA=0\nEkvithFillB=-0,7\nEkvithFillC=51\nWallDepth=45\n"
                           "WallSensDepth=17\nWallTemp=21\nComPort=0\n");
    EXPECT_FALSE(QFile::exists(second.filePath(QStringLiteral("VESK/VESK.ini"))));
}

TEST_F(StoredSettingsTest, ANewFileCanBeWrittenByWhoeverMayWriteItsFolder)
{
    // The first technician's umask must not lock the others out.
    const mode_t umask = ::umask(022);
    const QString folder = dir.filePath(QStringLiteral("VESK"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const auto& [folderMode, fileMode] : {std::pair{02775, 0664}, {0755, 0644}, {0777, 0666}}) {
        QFile::remove(FilePath());
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), mode_t(folderMode)), 0);
        EXPECT_EQ(WriteStoredSettings(ReadStoredSettings(czech)), std::nullopt);
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(FilePath()).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode_t(fileMode)) << std::oct << folderMode;
    }
    ::umask(umask);
}

TEST_F(StoredSettingsTest, AStoreThatCannotBeWrittenNamesTheFirstValue)
{
    // Root may write anywhere, but nobody creates a folder inside a file.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(blocker.fileName() + QStringLiteral("/etc")));

    const StoredSettings s = ReadStoredSettings(czech);
    EXPECT_EQ(s.Input("WallTemp"), QStringLiteral("21"));
    EXPECT_EQ(WriteStoredSettings(s), QStringLiteral("EkvithFillA"));
}

TEST_F(StoredSettingsTest, AFailureInTheMiddleOfTheWriteKeepsTheOldFile)
{
    const QByteArray old = "[VESK]\nWallTemp=19\n; comment\n";
    WriteFile(old);
    StoredSettings s = ReadStoredSettings(czech);
    const StoredSettings shown = s;
    s.inputs["WallSensDepth"] = QStringLiteral("18");
    s.inputs["WallTemp"] = QStringLiteral("20");
    FaultyFileSystem fs;
    for (FailingStep failing : {FailingStep::CreateTemporary, FailingStep::ShortWrite, FailingStep::Fsync}) {
        fs.failing = failing;
        EXPECT_EQ(WriteStoredSettings(s, shown, fs), QStringLiteral("EkvithFillA")) << "missing values come first";
        EXPECT_EQ(FileBytes(), old);
    }
    WriteFile("[VESK]\nEkvithFillA=0\nEkvithFillB=-0,7\nEkvithFillC=51\nWallDepth=45\nWallSensDepth=17\n"
              "WallTemp=19\nComPort=0\n");
    fs.failing = FailingStep::ShortWrite;
    EXPECT_EQ(WriteStoredSettings(s, ReadStoredSettings(czech), fs), QStringLiteral("WallSensDepth"));
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("VESK"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("VESK.ini")});
}

TEST_F(StoredSettingsTest, AFileThatCannotBeReadGivesTheDefaultsAndIsNeverReplaced)
{
    const QByteArray old = "[VESK]\nWallTemp=19\n[Ports]\nCOM1=/dev/ttyUSB0\n";
    WriteFile(old);
    ASSERT_EQ(::chmod(QFile::encodeName(FilePath()).constData(), 0600), 0);
    const QLocale locale = czech;
    EXPECT_EQ(RunUnprivileged([&] {
                  StoredSettings s = ReadStoredSettings(locale);
                  if (s.Input("WallTemp") != QStringLiteral("21") || !ReadPortMap().empty())
                      return 1;
                  const StoredSettings shown = s;
                  s.inputs["WallTemp"] = QStringLiteral("22");
                  return WriteStoredSettings(s, shown) == QStringLiteral("EkvithFillA") ? 0 : 2;
              }),
              0);
    EXPECT_EQ(FileBytes(), old);
}

TEST_F(StoredSettingsTest, AReadOnlyFolderKeepsTheOldFileAndNamesTheFirstChangedValue)
{
    const QByteArray old = "[VESK]\nEkvithFillA=0\nEkvithFillB=-0,7\nEkvithFillC=51\nWallDepth=45\n"
                           "WallSensDepth=17\nWallTemp=19\nComPort=0\n";
    WriteFile(old);
    ASSERT_EQ(::chmod(QFile::encodeName(FilePath()).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath(QStringLiteral("VESK"))).constData(), 0555), 0);
    const QLocale locale = czech;
    EXPECT_EQ(RunUnprivileged([&] {
                  StoredSettings s = ReadStoredSettings(locale);
                  const StoredSettings shown = s;
                  if (s.Input("WallTemp") != QStringLiteral("19") || WriteStoredSettings(s, shown))
                      return 1;  // nothing changed: nothing to write, nothing to fail
                  s.inputs["WallTemp"] = QStringLiteral("22");
                  s.ComPort = 1;
                  return WriteStoredSettings(s, shown) == QStringLiteral("WallTemp") ? 0 : 2;
              }),
              0);
    EXPECT_EQ(FileBytes(), old);
}

TEST_F(StoredSettingsTest, PortsSectionMapsPortNamesToDevices)
{
    WriteFile("[Ports]\nCOM1=/dev/ttyUSB0\nCOM3=/tmp/link\nCOM9=/dev/null\nLPT1=/dev/lp0\ncom4=\n[VESK]\nComPort=2\n");
    const Serial::PortMap expected{{"COM1", "/dev/ttyUSB0"}, {"COM3", "/tmp/link"}};
    EXPECT_EQ(ReadPortMap(), expected);
}

TEST_F(StoredSettingsTest, NoPortsSectionLeavesTheMapEmpty)
{
    WriteFile("[VESK]\nComPort=2\n");
    EXPECT_TRUE(ReadPortMap().empty());
}

// Any member of the group may plant something else under the name: the
// start must not hang on it or read without end, and the close must not
// put a file in its place.
TEST_F(StoredSettingsTest, ASettingsPathThatIsNoFileGivesTheDefaultsAndIsNeverReplaced)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("VESK")));
    const QByteArray path = QFile::encodeName(FilePath());
    const std::function<void()> plant[] = {
        [&] { ASSERT_EQ(::mkfifo(path.constData(), 0664), 0); },
        [&] { ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), FilePath())); },
        [&] { ASSERT_TRUE(QDir().mkdir(FilePath())); },
    };
    for (const auto& planted : plant) {
        planted();
        struct stat before {};
        ASSERT_EQ(::lstat(path.constData(), &before), 0);
        StoredSettings s = ReadStoredSettings(czech);
        EXPECT_EQ(s, ReadStoredSettings(czech));
        EXPECT_EQ(s.Input("WallTemp"), QStringLiteral("21"));
        EXPECT_TRUE(ReadPortMap().empty());
        const StoredSettings shown = s;
        s.inputs["WallTemp"] = QStringLiteral("22");
        EXPECT_EQ(WriteStoredSettings(s, shown), QStringLiteral("EkvithFillA"));
        struct stat after {};
        ASSERT_EQ(::lstat(path.constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(QDir(dir.filePath(QStringLiteral("VESK")))
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("VESK.ini")});
        QFile::remove(FilePath());
        QDir().rmdir(FilePath());
    }
}

// Saved by an old Mac editor: the ports map works, and what the close adds
// ends in CR like the rest, in the one [VESK] section.
TEST_F(StoredSettingsTest, ACrOnlyFileIsReadAndWrittenInItsOwnLineEnds)
{
    WriteFile("; by hand\r[Ports]\rCOM1=/dev/ttyUSB7\r[VESK]\rWallTemp=19\rComPort=0\r");
    EXPECT_EQ(ReadPortMap(), (Serial::PortMap{{"COM1", "/dev/ttyUSB7"}}));
    StoredSettings s = ReadStoredSettings(czech);
    EXPECT_EQ(s.Input("WallTemp"), QStringLiteral("19"));
    const StoredSettings shown = s;
    s.inputs["WallTemp"] = QStringLiteral("20");
    EXPECT_EQ(WriteStoredSettings(s, shown), std::nullopt);
    EXPECT_EQ(FileBytes(), "; by hand\r[Ports]\rCOM1=/dev/ttyUSB7\r[VESK]\rWallTemp=20\rComPort=0\r"
                           "EkvithFillA=0\rEkvithFillB=-0,7\rEkvithFillC=51\rWallDepth=45\rWallSensDepth=17\r");
}

// Two technicians close their windows at the same moment, each having
// changed one value: both values are in the file afterwards.  The reads
// are slowed down, so that without the lock both would read the old file
// and the second replace would drop the first one's value.
TEST_F(StoredSettingsTest, TwoWindowsClosingAtOnceBothKeepTheirValues)
{
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        WriteFile("[VESK]\nEkvithFillA=0\nEkvithFillB=-0,7\nEkvithFillC=51\nWallDepth=45\nWallSensDepth=17\n"
                  "WallTemp=21\nComPort=0\n");
        int go[2];
        ASSERT_EQ(::pipe(go), 0);
        const auto close = [&](const char* key, const char* value) {
            const pid_t child = ::fork();
            if (child != 0)
                return child;
            StoredSettings s = ReadStoredSettings(czech);
            const StoredSettings shown = s;
            s.inputs[key] = QString::fromLatin1(value);
            FaultyFileSystem slow;
            slow.beforeRead = [](int) { std::this_thread::sleep_for(std::chrono::milliseconds(20)); };
            char byte = 0;
            ::close(go[1]);
            if (::read(go[0], &byte, 1) != 0)  // both start when the pipe closes
                ::_exit(3);
            ::_exit(WriteStoredSettings(s, shown, slow) ? 1 : 0);
        };
        const pid_t first = close("WallTemp", "25");
        const pid_t second = close("WallDepth", "50");
        ::close(go[0]);
        ::close(go[1]);
        for (pid_t child : {first, second}) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const StoredSettings both = ReadStoredSettings(czech);
        EXPECT_EQ(both.Input("WallTemp"), QStringLiteral("25"));
        EXPECT_EQ(both.Input("WallDepth"), QStringLiteral("50"));
    }
}

// A window that holds the lock for ever (stopped in a debugger) costs the
// other one a short wait and a message, not a hang.
TEST_F(StoredSettingsTest, ALockHeldElsewhereFailsTheStoreAfterAShortWait)
{
    const QByteArray old = "[VESK]\nWallTemp=19\n";
    WriteFile(old);
    const int folder = ::open(QFile::encodeName(dir.filePath(QStringLiteral("VESK"))).constData(), O_RDONLY);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    StoredSettings s = ReadStoredSettings(czech);
    const StoredSettings shown = s;
    s.inputs["WallTemp"] = QStringLiteral("20");
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(WriteStoredSettings(s, shown), QStringLiteral("EkvithFillA"));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(FileBytes(), old);
    ::close(folder);
    EXPECT_EQ(WriteStoredSettings(s, shown), std::nullopt);
}

}  // namespace

namespace {

TEST(PortChoiceTest, NamedPortsFirstThenTheDevicesPresent)
{
    const std::vector<Serial::PortEntry> present{
        {"ttyS0", "ttyS0", "/dev/ttyS0"},
        {"ttyUSB0", "ttyUSB0 – FT232R USB UART", "/dev/serial/by-id/usb-FTDI-if00-port0"},
    };
    const auto items = PortItems(present);
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[0], (PortItem{QStringLiteral("COM1"), QStringLiteral("COM1")}));
    EXPECT_EQ(items[7].name, QStringLiteral("COM8"));
    EXPECT_EQ(items[9], (PortItem{QStringLiteral("ttyUSB0 – FT232R USB UART"),
                                  QStringLiteral("/dev/serial/by-id/usb-FTDI-if00-port0")}));
    EXPECT_EQ(IndexOfPort(items, QStringLiteral("/dev/serial/by-id/usb-FTDI-if00-port0")), 9);
    EXPECT_EQ(IndexOfPort(items, QStringLiteral("COM3")), 2);

    // The chosen adapter is unplugged: it stays in the list, chosen.
    const auto kept = PortItems({}, QStringLiteral("/dev/serial/by-id/usb-FTDI-if00-port0"));
    ASSERT_EQ(kept.size(), 9u);
    EXPECT_EQ(kept[8].label, QStringLiteral("usb-FTDI-if00-port0"));
    EXPECT_EQ(PortItems(present, QStringLiteral("/dev/ttyS0")).size(), 10u) << "present already: not twice";
}

TEST(PortChoiceTest, EachFailureSaysWhatHappenedAndWhatToDo)
{
    using Reason = Serial::OpenFailure::Reason;
    Serial::OpenFailure f;
    f.path = "/dev/ttyUSB0";

    f.reason = Reason::NoSuchPort;
    EXPECT_TRUE(PortFailureReason(f, QStringLiteral("petr")).isEmpty());

    f.reason = Reason::Missing;
    EXPECT_TRUE(PortFailureReason(f, QStringLiteral("petr")).contains(u"/dev/ttyUSB0 neexistuje"));

    f.reason = Reason::AccessDenied;
    f.group = "dialout";
    const QString denied = PortFailureReason(f, QStringLiteral("petr"));
    EXPECT_TRUE(denied.contains(u"skupině dialout")) << denied.toStdString();
    EXPECT_TRUE(denied.contains(u"sudo usermod -aG dialout petr")) << denied.toStdString();
    EXPECT_TRUE(denied.contains(u"přihlaste se znovu")) << denied.toStdString();
    // No group that would help (root's, or none with read and write):
    // never a usermod, but who can grant access.
    f.group.clear();
    const QString administrator = PortFailureReason(f, QStringLiteral("petr"));
    EXPECT_TRUE(administrator.contains(u"/dev/ttyUSB0 byl odepřen")) << administrator.toStdString();
    EXPECT_TRUE(administrator.contains(u"správce")) << administrator.toStdString();
    EXPECT_FALSE(administrator.contains(u"usermod")) << administrator.toStdString();

    f.reason = Reason::NotSerial;
    f.path = "/dev/null";
    EXPECT_EQ(PortFailureReason(f, QStringLiteral("petr")), QStringLiteral("/dev/null není sériový port. Zvolte jiný port."));
    f.path = "/dev/ttyUSB0";

    f.reason = Reason::InUse;
    f.holder = "minicom";
    f.holderPid = 4242;
    const QString inUse = PortFailureReason(f, QStringLiteral("petr"));
    EXPECT_TRUE(inUse.contains(u"minicom (PID 4242)")) << inUse.toStdString();
    f.holderPid = 0;
    EXPECT_FALSE(PortFailureReason(f, QStringLiteral("petr")).contains(u"PID"));

    f.reason = Reason::Other;
    f.detail = "Input/output error";
    EXPECT_TRUE(PortFailureReason(f, QStringLiteral("petr")).endsWith(u"Input/output error"));
}

}  // namespace
