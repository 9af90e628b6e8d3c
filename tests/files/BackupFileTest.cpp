// The backup file: its bytes, its digest, every damaged or foreign file it
// refuses, and the automatic backups that are never replaced.
#include "files/BackupFile.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "tests/support/Eeproms.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/FileBytes.h"

namespace {

using Kind = BackupRefusal::Kind;

Backup Sample(const PageSet& pages = AllPages())
{
    Backup backup;
    backup.time = QDateTime(QDate(2025, 3, 1), QTime(9, 15, 30), Qt::UTC);
    backup.port = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
    backup.info = QStringLiteral("VESK 2.14 09/19");
    backup.pages = SnapshotOf(EepromImage(7), pages);
    return backup;
}

// Text edited by hand and given a digest that fits again: what only a
// deliberate edit or a fault of a writer could make.
QByteArray Resealed(QByteArray bytes)
{
    const qsizetype digestLine = bytes.lastIndexOf("SHA256=");
    bytes.truncate(digestLine);
    return bytes + "SHA256=" + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + "\n";
}

QByteArray Replaced(const QByteArray& bytes, const char* from, const char* to)
{
    QByteArray changed = bytes;
    changed.replace(from, to);
    EXPECT_NE(changed, bytes) << from;
    return changed;
}

// The page line's value as written.
QByteArray PageDigits(int page)
{
    const PageBuffer bytes = Sample().pages.pages[std::size_t(page)];
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), 256).toHex().toUpper();
}

TEST(BackupFile, TheBytesAreTheKeyFileWithItsDigestLast)
{
    const QByteArray bytes = BackupFileBytes(Sample(PageSet().set(0).set(15)));
    const QByteArray body = "[VESK backup]\n"
                            "Version=1\n"
                            "TimeUtc=2025-03-01T09:15:30Z\n"
                            "TimeLocal=" +
                            Sample().time.toLocalTime().toOffsetFromUtc(Sample().time.toLocalTime().offsetFromUtc())
                                .toString(Qt::ISODate)
                                .toLatin1() +
                            "\n"
                            "Port=/dev/serial/by-id/usb-FTDI_FT232R-if00-port0\n"
                            "Info=VESK 2.14 09/19\n"
                            "Pages=0,15\n"
                            "Page0=" + PageDigits(0) + "\n"
                            "Page15=" + PageDigits(15) + "\n";
    EXPECT_EQ(bytes, body + "SHA256=" + QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() + "\n");
}

TEST(BackupFile, ReadsBackWhatItWrote)
{
    for (const PageSet& pages : {AllPages(), SettingsPages(), PageSet().set(4)}) {
        Backup written = Sample(pages);
        written.info = QStringLiteral("a\nb\x01 č");  // a value is one line
        const BackupRead read = ParseBackup(BackupFileBytes(written));
        ASSERT_TRUE(read.backup) << int(read.refusal.kind);
        EXPECT_EQ(read.backup->pages, written.pages);
        EXPECT_EQ(read.backup->time, written.time);
        EXPECT_EQ(read.backup->port, written.port);
        EXPECT_EQ(read.backup->info, QStringLiteral("a?b? č"));
        EXPECT_EQ(QDateTime::fromString(read.backup->localTime, Qt::ISODate), written.time);
    }
}

// Each way a file can be damaged or be another file: refused, with what it is.
TEST(BackupFile, RefusesEveryDamagedOrForeignFile)
{
    const QByteArray good = BackupFileBytes(Sample());
    const QByteArray page3 = "Page3=" + PageDigits(3);
    QByteArray flipped = good;
    flipped[good.indexOf("Page9=") + 100] = flipped[good.indexOf("Page9=") + 100] == 'A' ? 'B' : 'A';
    const struct {
        const char* name;
        QByteArray bytes;
        Kind kind;
        int page = -1;
        const char* detail = "";
    } cases[] = {
        {"a changed byte", flipped, Kind::Damaged},
        {"a changed digest", Replaced(good, "SHA256=", "SHA256=0"), Kind::Damaged},
        {"another version", Replaced(good, "Version=1", "Version=2"), Kind::OtherVersion, -1, "2"},
        {"another version, resealed", Resealed(Replaced(good, "Version=1", "Version=2")), Kind::OtherVersion, -1, "2"},
        {"a parameter file", "[Const]\r\nEkvMaxTemp=75\r\n[Ekvith]\r\nEkvith-40=70\r\n", Kind::ParameterFile},
        {"a page image", QByteArray(256, '\x5A'), Kind::PageImage},
        {"a page image of text", QByteArray(256, '['), Kind::PageImage},
        {"some text", "hello\n", Kind::NotABackup},
        {"nothing", "", Kind::Truncated},
        {"with CR LF", Replaced(good, "\n", "\r\n"), Kind::Damaged},
        {"a page line too short", Resealed(Replaced(good, page3, page3.chopped(2))), Kind::BadPageLine, 3},
        {"a page line too long", Resealed(Replaced(good, page3, page3 + "00")), Kind::BadPageLine, 3},
        {"a page line not hex", Resealed(Replaced(good, page3, page3.chopped(1) + "G")), Kind::BadPageLine, 3},
        {"a listed page missing", Resealed(Replaced(good, page3 + "\n", "")), Kind::MissingPage, 3},
        {"a page twice", Resealed(Replaced(good, page3 + "\n", page3 + "\n" + page3 + "\n")), Kind::Duplicate, 3,
         "Page3"},
        {"a page not listed", Resealed(Replaced(good, ",3,", ",")), Kind::UnlistedPage, 3},
        {"a page listed twice", Resealed(Replaced(good, ",3,", ",3,3,")), Kind::BadValue, -1, "Pages"},
        {"a page beyond 15", Resealed(Replaced(good, ",15\n", ",16\n")), Kind::BadValue, -1, "Pages"},
        {"no time", Resealed(Replaced(good, "TimeUtc=", "Time=")), Kind::BadValue, -1, "TimeUtc"},
        {"a time that is none", Resealed(Replaced(good, "TimeUtc=2025", "TimeUtc=x")), Kind::BadValue, -1, "TimeUtc"},
        {"a key twice", Resealed(Replaced(good, "Version=1\n", "Version=1\nversion=1\n")), Kind::Duplicate, -1,
         "version"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BackupRead read = ParseBackup(c.bytes);
        ASSERT_FALSE(read.backup.has_value());
        EXPECT_EQ(read.refusal.kind, c.kind);
        EXPECT_EQ(read.refusal.page, c.page);
        EXPECT_EQ(read.refusal.detail, QString::fromUtf8(c.detail));
    }
}

// Wherever the file ends early, it is refused as cut short.
TEST(BackupFile, EveryCutIsTruncated)
{
    const QByteArray good = BackupFileBytes(Sample(SettingsPages()));
    for (qsizetype size = 0; size < good.size(); ++size) {
        const BackupRead read = ParseBackup(good.first(size));
        ASSERT_FALSE(read.backup.has_value()) << size;
        ASSERT_EQ(read.refusal.kind, Kind::Truncated) << size;
    }
}

TEST(BackupFile, APathThatHoldsNoFileIsRefusedUnread)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.vskb"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString large = dir.filePath(QStringLiteral("large.vskb"));
    Put(large, BackupFileBytes(Sample()) + QByteArray(BackupFileBound, '\n'));
    for (const QString& path : {fifo, dir.path(), dir.filePath(QStringLiteral("missing.vskb")), large,
                                QStringLiteral("/dev/zero")}) {
        const BackupRead read = ReadBackupFile(path);
        EXPECT_FALSE(read.backup.has_value()) << path.toStdString();
        EXPECT_EQ(read.refusal.kind, Kind::Unreadable) << path.toStdString();
        EXPECT_FALSE(read.refusal.detail.isEmpty());
    }
}

TEST(AutoBackup, NamedByTheInformationTextAndTheTime)
{
    const QDateTime time = QDateTime(QDate(2025, 3, 1), QTime(10, 15, 30));  // local
    const std::pair<const char*, const char*> cases[] = {
        {"VESK 2.14 09/19", "VESK_2.14_09_19"},
        {"../../etc/passwd", "etc_passwd"},
        {"  Kotelna Čejč  ", "Kotelna_Čejč"},
        {"", "VESK"},
        {"/////", "VESK"},
    };
    for (const auto& [info, stem] : cases)
        EXPECT_EQ(AutoBackupFileName(QString::fromUtf8(info), time),
                  QString::fromUtf8(stem) + QStringLiteral("_2025-03-01_10-15-30.vskb"));
}

TEST(AutoBackup, NoneIsEverReplacedAndAFailedOneLeavesNothing)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("VESK/backups"));
    Backup first = Sample(SettingsPages());
    Backup second = Sample(PageSet().set(0));
    const AutoBackupSave a = SaveAutoBackup(folder, first);
    const AutoBackupSave b = SaveAutoBackup(folder, second);
    ASSERT_FALSE(a.error) << a.error->toStdString();
    ASSERT_FALSE(b.error) << b.error->toStdString();
    EXPECT_EQ(QFileInfo(b.path).fileName(),
              AutoBackupFileName(first.info, first.time).replace(QStringLiteral(".vskb"), QStringLiteral("-2.vskb")));
    EXPECT_EQ(Contents(a.path), BackupFileBytes(first));
    EXPECT_EQ(Contents(b.path), BackupFileBytes(second));

    FaultyFileSystem full;
    full.failing = FailingStep::Write;
    const AutoBackupSave c = SaveAutoBackup(folder, first, full);
    EXPECT_TRUE(c.error.has_value());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

}  // namespace
