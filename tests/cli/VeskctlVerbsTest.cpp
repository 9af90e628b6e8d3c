// Each verb of veskctl against the simulated Controller: what crosses the
// line, what it prints, what files it leaves, and how it ends.
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <sys/stat.h>

#include "cli/Verbs.h"
#include "controller/StatusBlocks.h"
#include "files/BackupFile.h"
#include "tests/cli/VeskctlFixture.h"
#include "tests/support/Eeproms.h"
#include "tests/support/FileBytes.h"

namespace {

using Image = std::vector<std::uint8_t>;

PageBuffer PageOf(const Image& image, int page)
{
    PageBuffer bytes;
    std::copy_n(image.begin() + page * Page::Size, Page::Size, bytes.begin());
    return bytes;
}

QByteArray Bytes(const PageBuffer& page)
{
    return QByteArray(reinterpret_cast<const char*>(page.data()), Page::Size);
}

}  // namespace

TEST_F(VeskctlTest, InfoPrintsTheControllersTextInUtf8)
{
    // "Kotelna č.1" in Windows-1250, then zeros.
    StartSim({"--info-hex", "4b6f74656c6e6120e82e310000000000"});
    const Ran ran = Run({QStringLiteral("info")});
    EXPECT_EQ(ran.exit, ExitDone) << ran.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(ran.out), QStringLiteral("Kotelna č.1\n"));
}

TEST_F(VeskctlTest, StatusJsonHoldsTheBlocksAsNumbersAndTheSensorsByName)
{
    StartSim();
    const SensorTexts names = SensorNames(PageOf(Eeprom(), 0));
    const std::size_t probed = Commands().size();
    const Ran ran = Run({QStringLiteral("status"), QStringLiteral("--json")});
    ASSERT_EQ(ran.exit, ExitDone) << ran.err.toStdString();
    ASSERT_TRUE(ran.out.endsWith('\n') && ran.out.count('\n') == 1);
    const QJsonObject status = QJsonDocument::fromJson(ran.out).object();

    EXPECT_TRUE(QDateTime::fromString(status.value(QStringLiteral("time")).toString(), Qt::ISODate).isValid());
    const QJsonObject clock = status.value(QStringLiteral("clock")).toObject();
    EXPECT_EQ(clock.value(QStringLiteral("Hour")).toInt(-1), 10);
    EXPECT_EQ(clock.value(QStringLiteral("Min")).toInt(-1), 20);
    EXPECT_EQ(clock.value(QStringLiteral("Day")).toInt(-1), 2);
    EXPECT_GE(clock.value(QStringLiteral("Sec")).toInt(-1), 5);
    for (const auto& row : StatusTable) {
        const QJsonValue output = status.value(QStringLiteral("outputs")).toObject().value(row.Key());
        const QJsonValue value = status.value(QStringLiteral("regulator")).toObject().value(row.Key());
        const bool bit = row.kind == RowKind::Bit;
        EXPECT_TRUE(bit ? output.isBool() && value.isUndefined() : value.isDouble() && output.isUndefined())
            << row.key;
    }
    const QJsonArray sensors = status.value(QStringLiteral("sensors")).toArray();
    ASSERT_EQ(sensors.size(), SensorCount);
    for (int i = 0; i < SensorCount; ++i) {
        EXPECT_EQ(sensors[i].toObject().value(QStringLiteral("name")).toString(), names[std::size_t(i)]);
        EXPECT_TRUE(sensors[i].toObject().value(QStringLiteral("celsius")).isDouble());
    }
    // As the tab is entered: the names, then one tick of the normal view.
    const std::vector<int> commands = Commands();
    EXPECT_EQ(std::vector<int>(commands.begin() + std::ptrdiff_t(probed), commands.end()),
              (std::vector<int>{0x20, 0x00, 0x43, 0x41}));
}

TEST_F(VeskctlTest, ClockSetSendsTheWindowsSequence)
{
    StartSim();
    ASSERT_EQ(Run({QStringLiteral("clock"), QStringLiteral("set"), QStringLiteral("23:05:07"),
                   QStringLiteral("neděle")})
                  .exit,
              ExitDone);
    EXPECT_EQ(Received(), (std::vector<std::uint8_t>{0x10, 0x07, 0x05, 0x17, 0x06}));

    const int pcDay = QDate::currentDate().dayOfWeek() - 1;
    ASSERT_EQ(Run({QStringLiteral("clock"), QStringLiteral("set"), QStringLiteral("--pc")}).exit, ExitDone);
    const std::vector<std::uint8_t> sent = Received();
    ASSERT_EQ(sent.size(), 10u);
    EXPECT_EQ(sent[5], 0x10);
    EXPECT_EQ(sent[9], pcDay);
}

TEST_F(VeskctlTest, BackupTakesEveryPageAndAFaultAtPageKSaysWhichAndSavesNothing)
{
    const Image image = EepromImage(1);
    StartSim({}, image);
    ASSERT_EQ(Run({QStringLiteral("backup"), File("whole.vskb")}).exit, ExitDone);
    const BackupRead read = ReadBackupFile(File("whole.vskb"));
    ASSERT_TRUE(read.backup);
    EXPECT_EQ(read.backup->pages, SnapshotOf(image));
    EXPECT_EQ(read.backup->port, QStringLiteral("COM1"));

    sim.reset();
    StartSim({"--short-reply", "25:100"}, image);
    const Ran ran = Run({QStringLiteral("backup"), File("cut.vskb")});
    EXPECT_EQ(ran.exit, ExitLink);
    EXPECT_TRUE(ran.err.contains(QStringLiteral(
        "Chyba komunikace: stránka 5, čtení, požadavek 0x25: vypršel čas, přišlo 100 z 256 bajtů odpovědi")))
        << ran.err.toStdString();
    EXPECT_FALSE(QFile::exists(File("cut.vskb")));
}

TEST_F(VeskctlTest, RestoreWritesWhatDiffersKeepsTheCountersAndTellsAFaultsPage)
{
    const Image controller = EepromImage(1), backup = EepromImage(2);
    StartSim({}, controller);
    const Ran ran = Run({QStringLiteral("restore"), BackupOf(backup, "visit.vskb"), QStringLiteral("--yes")});
    ASSERT_EQ(ran.exit, ExitDone) << ran.err.toStdString();
    EXPECT_TRUE(ran.out.startsWith("Obnova je hotová.")) << ran.out.toStdString();
    const Image now = Eeprom();
    for (int page = 0; page < Page::Count; ++page)
        for (int offset = 0; offset < Page::Size; ++offset) {
            const bool kept = page >= Page::FirstLog || (page == 0 && offset >= 6 && offset <= 11);
            ASSERT_EQ(ImageByte(now, page, offset), ImageByte(kept ? controller : backup, page, offset))
                << "page " << page << " byte " << offset;
        }
    const QStringList automatic = QDir(DataFolder() + QStringLiteral("/VESK/backups")).entryList(QDir::Files);
    ASSERT_EQ(automatic.size(), 1);
    const BackupRead before = ReadBackupFile(DataFolder() + QStringLiteral("/VESK/backups/") + automatic[0]);
    ASSERT_TRUE(before.backup);
    EXPECT_EQ(before.backup->pages, SnapshotOf(controller, SettingsPages()));

    sim.reset();
    StartSim({"--no-ack-page", "4", "--no-ack-after", "100"}, controller);
    const Ran fault = Run({QStringLiteral("restore"), File("visit.vskb"), QStringLiteral("--yes")});
    EXPECT_EQ(fault.exit, ExitLink);
    EXPECT_TRUE(fault.err.contains(QStringLiteral("stránka 4, bajt dat 100, požadavek 0x"))) << fault.err.toStdString();
    // The report says what was written before the fault.
    EXPECT_TRUE(fault.out.contains("Zapsané stránky:\n  0 - konstanty\n  1 - ekviterma\n  2 - křivka zdi\n  3 - režim A (1)"))
        << fault.out.toStdString();
}

TEST_F(VeskctlTest, CompareExitsOneOnADifferenceAndTwoBackupsNeedNoController)
{
    StartSim();
    ASSERT_EQ(Run({QStringLiteral("backup"), File("a.vskb")}).exit, ExitDone);
    Ran ran = Run({QStringLiteral("compare"), File("a.vskb")});
    EXPECT_EQ(ran.exit, ExitDone);
    EXPECT_TRUE(ran.out.contains("Žádné rozdíly")) << ran.out.toStdString();

    PageBuffer page0 = PageOf(Eeprom(), 0);
    page0[23] = std::uint8_t(page0[23] == 80 ? 81 : 80);  // "Max. stř. teplota"
    PutPage(0, page0);
    ran = Run({QStringLiteral("compare"), File("a.vskb")});
    EXPECT_EQ(ran.exit, ExitDiffers);
    EXPECT_TRUE(QString::fromUtf8(ran.out).contains(QStringLiteral("Max. stř. teplota: "))) << ran.out.toStdString();
    ASSERT_EQ(Run({QStringLiteral("backup"), File("b.vskb")}).exit, ExitDone);

    sim.reset();
    WriteSettings();
    EXPECT_EQ(Run({QStringLiteral("compare"), File("a.vskb"), File("b.vskb")}).exit, ExitDiffers);
    EXPECT_EQ(Run({QStringLiteral("compare"), File("a.vskb"), File("a.vskb")}).exit, ExitDone);
    Put(File("not.vskb"), "[Const]\r\nMode=1\r\n");
    ran = Run({QStringLiteral("compare"), File("a.vskb"), File("not.vskb")});
    EXPECT_EQ(ran.exit, ExitFile);
    EXPECT_TRUE(ran.err.contains(QStringLiteral("je soubor parametrů"))) << ran.err.toStdString();
}

TEST_F(VeskctlTest, LogsJsonIsTheHoursOldestFirstAsNumbers)
{
    Image image = EepromImage(1);
    ImageByte(image, 0, 6) = 5;  // the newest entry
    ImageByte(image, 0, 41) = 4, ImageByte(image, 0, 42) = 0, ImageByte(image, 0, 43) = 9;
    StartSim({}, image);
    const Ran ran = Run({QStringLiteral("logs"), QStringLiteral("--json")});
    ASSERT_EQ(ran.exit, ExitDone) << ran.err.toStdString();
    const QJsonArray hours = QJsonDocument::fromJson(ran.out).array();
    ASSERT_EQ(hours.size(), 256);
    QDateTime previous;
    for (int row = 1; row <= 256; ++row) {
        const QJsonObject hour = hours[row - 1].toObject();
        const int entry = (5 + row) % 256;
        const QJsonArray sensors = hour.value(QStringLiteral("sensors")).toArray();
        ASSERT_EQ(sensors.size(), 3);
        for (int k = 0; k < 3; ++k) {
            const QJsonObject sensor = sensors[k].toObject();
            ASSERT_EQ(sensor.value(QStringLiteral("celsius")).toInt(-999), std::int8_t(ImageByte(image, 12 + k, entry)));
            EXPECT_EQ(sensor.value(QStringLiteral("sensor")), k == 0 ? QJsonValue(4) : k == 1 ? QJsonValue(0) : QJsonValue());
        }
        ASSERT_EQ(hour.value(QStringLiteral("boiler_seconds")).toInt(-1), 16 * ImageByte(image, 15, entry));
        const QDateTime time = QDateTime::fromString(hour.value(QStringLiteral("time")).toString(), Qt::ISODate);
        ASSERT_TRUE(time.isValid());
        ASSERT_TRUE(row == 1 || previous.secsTo(time) == 3600) << row;
        previous = time;
    }
    EXPECT_LE(std::abs(previous.secsTo(QDateTime::currentDateTime())), 3600);
}

TEST_F(VeskctlTest, ParamsLoadWritesTheTabsRulesOverAFreshRead)
{
    StartSim();
    const Image original = Eeprom();
    const QString file = File("visit.vsk");
    for (const char* section : {"const", "ekvith"})
        ASSERT_EQ(Run({QStringLiteral("params"), QStringLiteral("save"), file, QStringLiteral("--section"),
                       QString::fromLatin1(section)})
                      .exit,
                  ExitDone);
    const QByteArray saved = Contents(file);
    EXPECT_TRUE(saved.startsWith("[Const]\r\n") && saved.contains("\r\n[Ekvith]\r\n")) << saved.toStdString();

    // Since the save: a field and the curve changed, and the Controller counted.
    PageBuffer page0 = PageOf(original, 0), page1 = PageOf(original, 1);
    page0[23] ^= 0x01;                // Max. stř. teplota
    page0[7] ^= 0x01, page0[11] ^= 0x10;  // run count, boiler run time
    page0[100] ^= 0xFF;               // a byte no field owns
    page1[128] ^= 0x01;
    PutPage(0, page0);
    PutPage(1, page1);
    const std::size_t probed = Commands().size();
    for (const char* section : {"const", "ekvith"})
        ASSERT_EQ(Run({QStringLiteral("params"), QStringLiteral("load"), file, QStringLiteral("--section"),
                       QString::fromLatin1(section), QStringLiteral("--yes")})
                      .exit,
                  ExitDone);
    const Image now = Eeprom();
    EXPECT_EQ(ImageByte(now, 0, 23), ImageByte(original, 0, 23));
    for (int offset : {7, 11, 100})
        EXPECT_EQ(ImageByte(now, 0, offset), page0[std::size_t(offset)]) << offset;
    EXPECT_EQ(PageOf(now, 1), PageOf(original, 1));
    // One fresh read of page 0 before its write; the curve owns its page whole.
    const std::vector<int> commands = Commands();
    EXPECT_EQ(std::vector<int>(commands.begin() + std::ptrdiff_t(probed), commands.end() - Page::Count),
              (std::vector<int>{0x20, 0x30, 0x31}));
}

TEST_F(VeskctlTest, ParamsLoadRefusesAFileItCannotWriteBeforeAnyByte)
{
    StartSim();
    Put(File("curve.vsk"), "[Ekvith]\r\nEkvith0=40\r\n");
    Put(File("mode7.vsk"), "[Const]\r\nMode=7\r\n");
    Put(File("short.vsk"), "[ModeA]\r\nData=00FF\r\n");
    ::mkfifo(File("fifo.vsk").toLocal8Bit().constData(), 0600);
    const std::pair<const char*, const char*> refused[] = {
        {"absent.vsk", "const"}, {"fifo.vsk", "const"}, {"curve.vsk", "const"},
        {"mode7.vsk", "const"},  {"short.vsk", "mode-a"},
    };
    for (const auto& [name, section] : refused) {
        const Ran ran = Run({QStringLiteral("params"), QStringLiteral("load"), File(name), QStringLiteral("--section"),
                             QString::fromLatin1(section), QStringLiteral("--yes")});
        EXPECT_EQ(ran.exit, ExitFile) << name;
        EXPECT_TRUE(ran.err.contains(File(name))) << name << ": " << ran.err.toStdString();
    }
    EXPECT_TRUE(Received().empty());
}

TEST_F(VeskctlTest, PagesMoveAsImagesOfExactlyOnePage)
{
    const Image image = EepromImage(1);
    StartSim({}, image);
    ASSERT_EQ(Run({QStringLiteral("page"), QStringLiteral("read"), QStringLiteral("3"), QStringLiteral("-o"),
                   File("three.bin")})
                  .exit,
              ExitDone);
    EXPECT_EQ(Contents(File("three.bin")), Bytes(PageOf(image, 3)));
    EXPECT_EQ(Run({QStringLiteral("page"), QStringLiteral("read"), QStringLiteral("3")}).out, Bytes(PageOf(image, 3)));

    const std::size_t probed = sim->Received().size();
    Put(File("short.bin"), QByteArray(255, '\x11'));
    Put(File("long.bin"), QByteArray(257, '\x11'));
    for (const char* name : {"short.bin", "long.bin"}) {
        const Ran ran = Run({QStringLiteral("page"), QStringLiteral("write"), QStringLiteral("5"), File(name),
                             QStringLiteral("--yes")});
        EXPECT_EQ(ran.exit, ExitFile) << name;
        EXPECT_TRUE(ran.err.contains(QStringLiteral("Pozor! Vstup příliš"))) << ran.err.toStdString();
    }
    EXPECT_EQ(Received().size(), probed);
    ASSERT_EQ(Run({QStringLiteral("page"), QStringLiteral("write"), QStringLiteral("5"), File("three.bin"),
                   QStringLiteral("--yes")})
                  .exit,
              ExitDone);
    EXPECT_EQ(PageOf(Eeprom(), 5), PageOf(image, 3));
}

TEST_F(VeskctlTest, TraceShowsEveryExchangeWithItsTimeAndLeavesTheResultAlone)
{
    StartSim();
    const Ran ran = Run({QStringLiteral("--trace"), QStringLiteral("info")});
    ASSERT_EQ(ran.exit, ExitDone);
    EXPECT_EQ(ran.out, "VESK 2.14 09/19\n");
    EXPECT_TRUE(ran.err.contains(QRegularExpression(QStringLiteral(
        "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} vesk\\.link: 44 -> 16 of 16 bytes in [0-9.]+ ms: 56 45 53 4b"))))
        << ran.err.toStdString();
}
