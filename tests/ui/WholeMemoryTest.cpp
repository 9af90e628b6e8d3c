// The whole-memory commands against the simulated Controller, through the
// recording dialog service: what each asks, what crosses the line, which
// files it leaves, and the exact reports of faults and cancels.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "files/BackupFile.h"
#include "link/Transaction.h"
#include "shell/BackupTexts.h"
#include "shell/RecordingDialogs.h"
#include "shell/Texts.h"
#include "shell/WholeMemory.h"
#include "shell/WindowLinkObserver.h"
#include "tests/support/Eeproms.h"
#include "tests/support/FileBytes.h"
#include "tests/support/SimLinkTest.h"

namespace {

using Kind = RecordingDialogs::Kind;
using Image = std::vector<std::uint8_t>;

class WholeMemoryTest : public SimLinkTest {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList AutoBackups() const
    {
        return QDir(context.autoBackupFolder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    bool AnyPageWritten() const
    {
        const auto sent = Commands();
        return std::any_of(sent.begin(), sent.end(), [](int c) { return (c & 0xF0) == 0x30; });
    }
    Image Controller() { return ReadEeprom(probe); }
    // A backup file of these bytes, as an earlier visit left it.
    QString BackupOf(const Image& image, const char* name = "visit.vskb", int daysAgo = 30)
    {
        Backup backup;
        backup.time = QDateTime(QDate(2025, 3, 1), QTime(9, 0), Qt::UTC).addDays(-daysAgo);
        backup.port = QStringLiteral("COM1");
        backup.info = QStringLiteral("VESK 2.14 09/19");
        backup.pages = SnapshotOf(image);
        Put(File(name), BackupFileBytes(backup));
        return File(name);
    }
    // The backup pages 1, 4 and 11 were changed since.
    static Image Changed(Image image)
    {
        for (int page : {1, 4, 11})
            ImageByte(image, page, 5) ^= 0x3C;
        return image;
    }
    QString Restore(const QString& path, bool answer = true)
    {
        dialogs.fileNames.push_back(path);
        dialogs.answers.push_back(answer);
        RestoreWholeMemory(context);
        return path;
    }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    WindowLinkObserver window{nullptr, {}, [this] { dialogs.Error(Text::CommunicationError()); }};
    ControllerLink link{&window};
    ControllerLink probe;
    WholeMemoryContext context{link, dialogs, RealFileSystem(), QStringLiteral("COM1"), [] { return false; },
                               dir.filePath(QStringLiteral("data/VESK/backups"))};
};

TEST_F(WholeMemoryTest, ABackupKeepsTheInformationTextAndEveryPage)
{
    const Image image = EepromImage(11);
    StartWithImage(image);
    dialogs.fileNames.push_back(File("now.vskb"));
    BackupWholeMemory(context);

    ASSERT_EQ(dialogs.entries.size(), 2u);
    EXPECT_EQ(dialogs.entries[0].kind, Kind::SaveFile);
    EXPECT_EQ(dialogs.entries[0].settings,
              (FileDialogSettings{Text::Filter::Backup(), QStringLiteral("vskb")}));
    EXPECT_EQ(dialogs.entries[1].text, Text::BackingUp());
    ASSERT_EQ(dialogs.steps.size(), 17u);
    EXPECT_EQ(dialogs.steps.back(), (RecordingDialogs::Step{Text::BackingUp(), 16, 16}));
    EXPECT_EQ(dialogs.openProgress, 0);

    const BackupRead read = ReadBackupFile(File("now.vskb"));
    ASSERT_TRUE(read.backup);
    EXPECT_EQ(read.backup->pages, SnapshotOf(image));
    EXPECT_EQ(read.backup->info, QStringLiteral("VESK 2.14 09/19"));
    EXPECT_EQ(read.backup->port, QStringLiteral("COM1"));
    std::vector<int> expected{0x44};
    for (int page = 0; page < 16; ++page)
        expected.push_back(0x20 + page);
    EXPECT_EQ(Commands(), expected);
}

TEST_F(WholeMemoryTest, ABackupThatFailsOrIsCancelledSavesNothing)
{
    StartWithImage(EepromImage(12), {"--short-reply", "0x27:0"});
    dialogs.fileNames.push_back(File("failed.vskb"));
    BackupWholeMemory(context);
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{Text::CommunicationError()});
    EXPECT_FALSE(QFile::exists(File("failed.vskb")));
    EXPECT_EQ(Commands().back(), 0x27);

    dialogs.Clear();
    dialogs.onProgress = [](const RecordingDialogs::Step& step) { return step.done == 5; };
    dialogs.fileNames.push_back(File("cancelled.vskb"));
    const std::size_t before = Commands().size();
    BackupWholeMemory(context);
    EXPECT_TRUE(dialogs.Texts(Kind::Error).isEmpty());
    EXPECT_FALSE(QFile::exists(File("cancelled.vskb")));
    EXPECT_EQ(Commands().size(), before + 6) << "Info and five pages";
}

// A file that is no backup, or a damaged one: said, and the Controller never
// hears of it.
TEST_F(WholeMemoryTest, ARefusedFileTouchesNoController)
{
    StartWithImage(EepromImage(13));
    QByteArray damaged = BackupFileBytes({QDateTime::currentDateTimeUtc(), {}, {}, {}, SnapshotOf(EepromImage(1))});
    damaged[200] = damaged[200] == '0' ? '1' : '0';
    Put(File("damaged.vskb"), damaged);
    Put(File("parameters.vsk"), "[Const]\r\nEkvMaxTemp=75\r\n");
    dialogs.fileNames = {File("damaged.vskb")};
    RestoreWholeMemory(context);
    dialogs.fileLists.push_back({File("parameters.vsk")});
    CompareWholeMemory(context);
    EXPECT_EQ(dialogs.Texts(Kind::Error),
              (QStringList{QStringLiteral("Záloha „%1“ je poškozená: kontrolní součet nesouhlasí, některý bajt se "
                                          "změnil.")
                               .arg(File("damaged.vskb")),
                           QStringLiteral("Soubor „%1“ je soubor parametrů nebo nastavení, ne záloha řídicí "
                                          "jednotky (*.vskb).")
                               .arg(File("parameters.vsk"))}));
    EXPECT_TRUE(dialogs.Texts(Kind::Choice).isEmpty());
    EXPECT_TRUE(sim->Trace().empty());
}

TEST_F(WholeMemoryTest, ARestoreAsksWritesTheChangedPagesAndReports)
{
    const Image backup = EepromImage(14);
    StartWithImage(Changed(backup));
    const QString path = Restore(BackupOf(backup));

    const QStringList questions = dialogs.Texts(Kind::Question);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], QStringLiteral("Opravdu obnovit?\n\nZmění se tyto stránky:\n  1 - ekviterma\n"
                                           "  4 - režim A (2)\n  11 - režim C (3)"));
    EXPECT_EQ(dialogs.Texts(Kind::Choice), QStringList{QStringLiteral(
                                               "Co obnovit ze zálohy?\nNastavení (stránky 0–11) se obnoví vždy.\n"
                                               "Také záznamy (stránky 12–15)\n"
                                               "Také počítadla a index záznamů (stránka 0, bajty 6–11)")});
    ASSERT_EQ(AutoBackups().size(), 1);
    const QString automatic = QDir(context.autoBackupFolder).filePath(AutoBackups()[0]);
    EXPECT_TRUE(AutoBackups()[0].startsWith(QStringLiteral("VESK_2.14_09_19_"))) << AutoBackups()[0].toStdString();
    EXPECT_EQ(dialogs.Texts(Kind::Information),
              QStringList{QStringLiteral("Obnova je hotová.\n\nZapsané stránky:\n  1 - ekviterma\n  4 - režim A (2)\n"
                                         "  11 - režim C (3)\n\nPředchozí stav je v automatické záloze:\n") +
                          automatic});
    EXPECT_EQ(Controller(), backup);
    // The automatic backup holds the settings pages as they were.
    const BackupRead saved = ReadBackupFile(automatic);
    ASSERT_TRUE(saved.backup);
    EXPECT_EQ(saved.backup->pages, SnapshotOf(Changed(backup), SettingsPages()));

    // The way back: restoring the automatic backup undoes the restore.
    dialogs.Clear();
    Restore(automatic);
    EXPECT_EQ(Controller(), Changed(backup));
}

TEST_F(WholeMemoryTest, TheAutomaticBackupIsOnTheDiskBeforeTheFirstPageIsWritten)
{
    const Image backup = EepromImage(15);
    StartWithImage(Changed(backup));
    int checked = 0;
    dialogs.onProgress = [&](const RecordingDialogs::Step& step) {
        // The writing of the three pages: its first step comes before the
        // first page.
        if (step.done == 0 && step.total == 3) {
            EXPECT_EQ(AutoBackups().size(), 1);
            EXPECT_FALSE(AnyPageWritten());
            ++checked;
        }
        return false;
    };
    Restore(BackupOf(backup));
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(Controller(), backup);
}

TEST_F(WholeMemoryTest, NoAutomaticBackupNoRestore)
{
    const Image backup = EepromImage(16);
    StartWithImage(Changed(backup));
    Put(File("data"), "a file where the folder would be");
    Restore(BackupOf(backup));
    const QStringList errors = dialogs.Texts(Kind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Automatickou zálohu nelze uložit, obnova se neprovede.\n")))
        << errors[0].toStdString();
    EXPECT_FALSE(AnyPageWritten());
    EXPECT_EQ(Controller(), Changed(backup));
}

TEST_F(WholeMemoryTest, AFaultAtPageKReportsWhatWasWritten)
{
    const Image backup = EepromImage(17);
    StartWithImage(Changed(backup), {"--no-ack-page", "4", "--no-ack-after", "100"});
    Restore(BackupOf(backup));
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{Text::CommunicationError()});
    ASSERT_EQ(AutoBackups().size(), 1);
    EXPECT_EQ(dialogs.Texts(Kind::Warning),
              QStringList{QStringLiteral("Obnova se nedokončila, komunikace selhala.\n\nZapsané stránky:\n"
                                         "  1 - ekviterma\n\nNezapsané nebo nedokončené stránky:\n"
                                         "  4 - režim A (2)\n  11 - režim C (3)\n\n"
                                         "Předchozí stav je v automatické záloze:\n") +
                          QDir(context.autoBackupFolder).filePath(AutoBackups()[0])});
    const Image now = Controller();
    EXPECT_EQ(ImageByte(now, 1, 5), ImageByte(backup, 1, 5));
    EXPECT_EQ(ImageByte(now, 4, 5), ImageByte(backup, 4, 5)) << "the bytes before the fault went out";
    EXPECT_EQ(ImageByte(now, 11, 5), ImageByte(Changed(backup), 11, 5)) << "nothing after the fault";
}

TEST_F(WholeMemoryTest, ACancelledRestoreSaysWhatWasWritten)
{
    const Image backup = EepromImage(18);
    StartWithImage(Changed(backup));
    dialogs.onProgress = [](const RecordingDialogs::Step& step) { return step.done == 2 && step.total == 3; };
    Restore(BackupOf(backup));
    EXPECT_EQ(dialogs.Texts(Kind::Warning),
              QStringList{QStringLiteral("Obnova byla zrušena.\n\nZapsané stránky:\n  1 - ekviterma\n  4 - režim A (2)\n\n"
                                         "Nezapsané nebo nedokončené stránky:\n  11 - režim C (3)\n\n"
                                         "Předchozí stav je v automatické záloze:\n") +
                          QDir(context.autoBackupFolder).filePath(AutoBackups()[0])});
    EXPECT_EQ(ImageByte(Controller(), 11, 5), ImageByte(Changed(backup), 11, 5));
}

TEST_F(WholeMemoryTest, NoOrNothingToDoWritesNothing)
{
    const Image image = EepromImage(19);
    StartWithImage(Changed(image));
    Restore(BackupOf(image), false);
    EXPECT_TRUE(AutoBackups().isEmpty());
    // Only the counters differ, and they stay the Controller's.
    Image counted = Changed(image);
    ImageByte(counted, 0, 8) ^= 0xFF;
    dialogs.Clear();
    Restore(BackupOf(counted));
    EXPECT_EQ(dialogs.Texts(Kind::Information), QStringList{Text::NothingToRestore()});
    EXPECT_TRUE(dialogs.Texts(Kind::Question).isEmpty());
    EXPECT_TRUE(AutoBackups().isEmpty());
    EXPECT_FALSE(AnyPageWritten());
}

TEST_F(WholeMemoryTest, CompareWithTheControllerReadsOnlyTheBackupsPages)
{
    const Image image = EepromImage(20);
    StartWithImage(Changed(image));
    Backup some;
    some.time = QDateTime(QDate(2025, 3, 1), QTime(9, 0), Qt::UTC);
    some.info = QStringLiteral("VESK");
    some.pages = SnapshotOf(image, PageSetOf({2, 4}));
    Put(File("some.vskb"), BackupFileBytes(some));
    dialogs.fileLists.push_back({File("some.vskb")});
    CompareWholeMemory(context);
    EXPECT_EQ(Commands(), (std::vector<int>{0x22, 0x24}));
    const QStringList texts = dialogs.Texts(Kind::Text);
    ASSERT_EQ(texts.size(), 1);
    const auto hex = [](int byte) { return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper(); };
    // The changed cell is named by its program first, then its byte.
    QStringList lines = texts[0].split(u'\n');
    ASSERT_EQ(lines.size(), 8);
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("  Režim A - silný, "))) << lines[4].toStdString();
    lines.removeAt(4);
    EXPECT_EQ(lines.join(u'\n'),
              QStringLiteral("Porovnání\nPorovnání: záloha some.vskb (%1, VESK) → řídicí jednotka na COM1\n\n"
                             "4 - režim A (2): liší se 1 bajt\n  $05: %2 → %3\n\nStejné stránky: 2")
                  .arg(ReadBackupFile(File("some.vskb")).backup->localTime, hex(ImageByte(image, 4, 5)),
                       hex(ImageByte(Changed(image), 4, 5))));
}

TEST_F(WholeMemoryTest, TwoBackupsCompareOlderToNewerWithoutTheController)
{
    StartWithImage(EepromImage(21));
    const QString older = BackupOf(EepromImage(21), "older.vskb", 60);
    const QString newer = BackupOf(Changed(EepromImage(21)), "newer.vskb", 1);
    dialogs.fileLists.push_back({newer, older});
    CompareWholeMemory(context);
    const QStringList texts = dialogs.Texts(Kind::Text);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].contains(QStringLiteral("záloha older.vskb")));
    EXPECT_LT(texts[0].indexOf(QStringLiteral("older.vskb")), texts[0].indexOf(QStringLiteral("newer.vskb")));
    EXPECT_TRUE(texts[0].contains(QStringLiteral("Stejné stránky: 0, 2, 3, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15")));
    EXPECT_TRUE(sim->Trace().empty());

    dialogs.Clear();
    dialogs.fileLists.push_back({older, newer, older});
    CompareWholeMemory(context);
    EXPECT_EQ(dialogs.Texts(Kind::Error), QStringList{Text::ChooseOneOrTwoBackups()});
}

}  // namespace
