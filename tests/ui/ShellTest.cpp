// The window's decisions that need no widget: stored settings, the Info
// text and the text conversions behind them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <array>
#include <cstdint>

#include "shell/Dialogs.h"
#include "controller/IntegerText.h"
#include "shell/PortChoice.h"
#include "shell/ResetInfo.h"
#include "shell/StoredSettings.h"
#include "shell/Texts.h"

namespace {

const QString Config = QString::fromUtf8(Text::Filter::Configuration);

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
    EXPECT_EQ(ToQtNameFilters(QString::fromUtf8(Text::Filter::Text)),
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

// Each test gets its own machine-wide settings folder.
class StoredSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir.path()));
    }

    QString FilePath() const { return dir.filePath(QStringLiteral("VESK/VESK.ini")); }

    void WriteFile(const QByteArray& contents)
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("VESK")));
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QTemporaryDir dir;
    const QLocale czech{QLocale::Czech};
};

TEST_F(StoredSettingsTest, FirstStartTakesTheDefaults)
{
    const StoredSettings s = ReadStoredSettings(czech);
    EXPECT_EQ(s.EkvithFillA, QStringLiteral("0"));
    EXPECT_EQ(s.EkvithFillB, QStringLiteral("-0,7"));
    EXPECT_EQ(s.EkvithFillC, QStringLiteral("51"));
    EXPECT_EQ(s.WallDepth, QStringLiteral("45"));
    EXPECT_EQ(s.WallSensDepth, QStringLiteral("17"));
    EXPECT_EQ(s.WallTemp, QStringLiteral("21"));
    EXPECT_EQ(s.ComPort, 0);
    // Reading creates nothing.
    EXPECT_FALSE(QFile::exists(FilePath()));
    EXPECT_EQ(ReadStoredSettings(QLocale::c()).EkvithFillB, QStringLiteral("-0.7"));
}

TEST_F(StoredSettingsTest, StoredValuesAreReadAsTheirNumbers)
{
    WriteFile("[VESK]\nEkvithFillA=\"0,0125\"\nEkvithFillB=-1,5\nEkvithFillC= 60 \n"
              "WallDepth=$20\nWallSensDepth=-3\nWallTemp=19\nComPort=3\n");
    const StoredSettings s = ReadStoredSettings(czech);
    EXPECT_EQ(s.EkvithFillA, QStringLiteral("0,0125"));
    // Unquoted, the comma would split the value into two.
    EXPECT_EQ(s.EkvithFillB, QStringLiteral("-1,5"));
    EXPECT_EQ(s.EkvithFillC, QStringLiteral("60"));
    EXPECT_EQ(s.WallDepth, QStringLiteral("32"));
    EXPECT_EQ(s.WallSensDepth, QStringLiteral("-3"));
    EXPECT_EQ(s.WallTemp, QStringLiteral("19"));
    EXPECT_EQ(s.ComPort, 3);
}

TEST_F(StoredSettingsTest, TextsThatAreNotNumbersTakeTheDefault)
{
    WriteFile("[VESK]\nEkvithFillA=x\nEkvithFillB=abc\nEkvithFillC=1.5\n"
              "WallDepth=4.5\nWallSensDepth=\nWallTemp=zeď\nComPort=COM2\n");
    const StoredSettings s = ReadStoredSettings(czech);
    EXPECT_EQ(s.EkvithFillA, QStringLiteral("0"));
    EXPECT_EQ(s.EkvithFillB, QStringLiteral("-0,7"));
    EXPECT_EQ(s.EkvithFillC, QStringLiteral("51"));  // "." is no decimal point in Czech
    EXPECT_EQ(s.WallDepth, QStringLiteral("45"));
    EXPECT_EQ(s.WallSensDepth, QStringLiteral("17"));
    EXPECT_EQ(s.WallTemp, QStringLiteral("21"));
    EXPECT_EQ(s.ComPort, 0);
}

TEST_F(StoredSettingsTest, APortIndexOutsideTheListChoosesNoPort)
{
    for (const char* index : {"8", "9", "-1", "$FF"}) {
        WriteFile(QByteArray("[VESK]\nComPort=") + index + "\n");
        EXPECT_EQ(ReadStoredSettings(czech).ComPort, -1) << index;
    }
    WriteFile("[VESK]\nComPort=7\n");
    EXPECT_EQ(ReadStoredSettings(czech).ComPort, 7);
}

TEST_F(StoredSettingsTest, ValuesAreWrittenBackAsTheirTexts)
{
    WriteFile("[Ports]\nCOM1=/dev/ttyUSB0\n");
    StoredSettings s = ReadStoredSettings(czech);
    const StoredSettings read = s;
    s.EkvithFillA = QStringLiteral("nic");  // texts are stored as they stand
    s.ComPort = -1;
    EXPECT_EQ(WriteStoredSettings(s), std::nullopt);

    QSettings file(FilePath(), QSettings::IniFormat);
    file.beginGroup(QStringLiteral("VESK"));
    EXPECT_EQ(file.value("EkvithFillA").toString(), QStringLiteral("nic"));
    EXPECT_EQ(file.value("EkvithFillB").toString(), QStringLiteral("-0,7"));
    EXPECT_EQ(file.value("EkvithFillC").toString(), QStringLiteral("51"));
    EXPECT_EQ(file.value("WallDepth").toString(), QStringLiteral("45"));
    EXPECT_EQ(file.value("WallSensDepth").toString(), QStringLiteral("17"));
    EXPECT_EQ(file.value("WallTemp").toString(), QStringLiteral("21"));
    EXPECT_EQ(file.value("ComPort").toString(), QStringLiteral("-1"));
    file.endGroup();
    EXPECT_EQ(file.value("Ports/COM1").toString(), QStringLiteral("/dev/ttyUSB0"));

    // What was written reads back the same.
    const StoredSettings again = ReadStoredSettings(czech);
    EXPECT_EQ(again.EkvithFillB, read.EkvithFillB);
    EXPECT_EQ(again.ComPort, -1);
}

TEST_F(StoredSettingsTest, TheFirstWriteCreatesTheFileInTheFirstConfigDir)
{
    QTemporaryDir second;
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir.path() + u':' + second.path()));
    ASSERT_FALSE(QFile::exists(FilePath()));
    EXPECT_EQ(WriteStoredSettings(ReadStoredSettings(czech)), std::nullopt);
    EXPECT_TRUE(QFile::exists(FilePath()));
    EXPECT_FALSE(QFile::exists(second.filePath(QStringLiteral("VESK/VESK.ini"))));
}

TEST_F(StoredSettingsTest, AStoreThatCannotBeWrittenNamesTheFirstValue)
{
    // Root may write anywhere, but nobody creates a folder inside a file.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(blocker.fileName() + QStringLiteral("/etc")));

    const StoredSettings s = ReadStoredSettings(czech);
    EXPECT_EQ(s.WallTemp, QStringLiteral("21"));
    const auto failed = WriteStoredSettings(s);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(*failed, QStringLiteral("EkvithFillA"));
}

TEST_F(StoredSettingsTest, PortsSectionMapsPortNamesToDevices)
{
    WriteFile("[Ports]\nCOM1=/dev/ttyUSB0\nCOM3=/tmp/link\nCOM9=/dev/null\nLPT1=/dev/lp0\n[VESK]\nComPort=2\n");
    const Serial::PortMap expected{{"COM1", "/dev/ttyUSB0"}, {"COM3", "/tmp/link"}};
    EXPECT_EQ(ReadPortMap(), expected);
}

TEST_F(StoredSettingsTest, NoPortsSectionLeavesTheMapEmpty)
{
    WriteFile("[VESK]\nComPort=2\n");
    EXPECT_TRUE(ReadPortMap().empty());
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
