// Replacing a file: old or new at every moment, nothing else of it changed.
#include "files/AtomicFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "files/KeyFile.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/FileBytes.h"

namespace {

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode;
}

class AtomicFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList Names() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }

    QTemporaryDir dir;
};

TEST_F(AtomicFileTest, CreatesAndReplacesLeavingNothingBehind)
{
    const QString path = Path("a.txt");
    EXPECT_EQ(ReplaceFile(path, "first\r\n"), std::nullopt);
    EXPECT_EQ(Contents(path), "first\r\n");
    EXPECT_EQ(ReplaceFile(path, QByteArray()), std::nullopt);
    EXPECT_EQ(Contents(path), QByteArray());
    EXPECT_EQ(Names(), QStringList{QStringLiteral("a.txt")});
}

TEST_F(AtomicFileTest, AFailureAtAnyStepLeavesTheOldFileWhole)
{
    const QString path = Path("settings.ini");
    Put(path, "old contents\n");
    for (FailingStep failing : EveryFailingStep) {
        // After the rename the new version is in place, only not flushed.
        if (failing == FailingStep::FolderFsync)
            continue;
        FaultyFileSystem fs;
        fs.failing = failing;
        EXPECT_TRUE(ReplaceFile(fs, path, "new contents that never land\n").has_value()) << StepName(failing);
        EXPECT_EQ(Contents(path), "old contents\n") << StepName(failing);
        EXPECT_EQ(Names(), QStringList{QStringLiteral("settings.ini")}) << "no temporary file left";
    }
    // A folder that cannot be flushed: the new version is in place, but
    // whether it survives a power loss is not known, and that is said.
    FaultyFileSystem fs;
    fs.failing = FailingStep::FolderFsync;
    EXPECT_TRUE(ReplaceFile(fs, path, "new\n").has_value());
    EXPECT_EQ(Contents(path), "new\n");
    EXPECT_EQ(Names(), QStringList{QStringLiteral("settings.ini")});
}

TEST_F(AtomicFileTest, AWriteThatStopsShortIsContinuedToTheLastByte)
{
    const QString path = Path("long.csv");
    Put(path, "old\n");
    QByteArray bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += char('0' + i % 10);
    FaultyFileSystem fs;
    fs.writeLimit = 7;
    EXPECT_EQ(ReplaceFile(fs, path, bytes), std::nullopt);
    EXPECT_EQ(Contents(path), bytes);
}

TEST_F(AtomicFileTest, AFifoOrADeviceIsNotReplacedByAFile)
{
    const QString fifo = Path("pipe.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString link = Path("null.csv");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), link));
    for (const QString& path : {fifo, link}) {
        EXPECT_EQ(ReplaceFile(path, "data\n"), QStringLiteral("Not a regular file"));
    }
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
    EXPECT_TRUE(S_ISCHR(ModeOf(QStringLiteral("/dev/null"))));
}

pid_t DeadProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// A save killed before its rename leaves its temporary file; the next save
// of that file removes it, and nothing that might still be written or
// belongs to something else.
TEST_F(AtomicFileTest, TheNextSaveRemovesLeftoversOfKilledSavesOnly)
{
    const QString dead = QString::number(DeadProcess());
    const QString live = QString::number(::getpid());
    const auto put = [&](const QString& name) { Put(dir.filePath(name), "half"); };
    put(QStringLiteral("a.txt.%1.Abc123.tmp").arg(dead));   // gone
    put(QStringLiteral("a.txt.%1.Abc123.tmp").arg(live));   // its writer lives
    put(QStringLiteral("a.txt.%1.Held12.tmp").arg(dead));   // its lock is held
    put(QStringLiteral("b.txt.%1.Abc123.tmp").arg(dead));   // another file's
    put(QStringLiteral("a.txt.%1.Abc1234.tmp").arg(dead));  // no name of ours
    put(QStringLiteral("a.txt.backup"));
    ASSERT_TRUE(QFile::link(Path("a.txt.backup"), dir.filePath(QStringLiteral("a.txt.%1.Link12.tmp").arg(dead))));
    QFile held(dir.filePath(QStringLiteral("a.txt.%1.Held12.tmp").arg(dead)));
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(held.handle(), LOCK_EX), 0);

    QStringList expected = Names();
    expected.removeOne(QStringLiteral("a.txt.%1.Abc123.tmp").arg(dead));
    expected.append(QStringLiteral("a.txt"));
    expected.sort();
    EXPECT_EQ(ReplaceFile(Path("a.txt"), "new\n"), std::nullopt);
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(Contents(Path("a.txt.backup")), "half");
}

// A process saving two files over and over, killed at random moments:
// each file is always one whole version, and the next save clears away
// what the killed one left.
TEST_F(AtomicFileTest, AKillAtAnyMomentLeavesTheOldVersionOrTheNew)
{
    const QString plain = Path("page.bin"), keys = Path("VESK.ini");
    const QByteArray versions[] = {QByteArray(300'000, 'a') + '\n', QByteArray(200'000, 'b') + '\n'};
    const QByteArray settings[] = {"; kept\n[VESK]\nWallTemp=19\n", "; kept\n[VESK]\nWallTemp=20\n"};
    Put(plain, versions[0]);
    Put(keys, settings[0]);
    std::mt19937 random(1947);
    int leftovers = 0;
    for (int round = 0; round < 30; ++round) {
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            for (int n = 0;; ++n) {
                ReplaceFile(plain, versions[n % 2]);
                const KeyEntry entry{"VESK", "WallTemp", n % 2 ? "19" : "20"};
                WriteKeys(keys, Utf8KeyFormat(), {&entry, 1});
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 30'000)(random)));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        const QByteArray now = Contents(plain), nowKeys = Contents(keys);
        EXPECT_TRUE(now == versions[0] || now == versions[1]) << "round " << round << ": " << now.size() << " bytes";
        EXPECT_TRUE(nowKeys == settings[0] || nowKeys == settings[1]) << "round " << round << ": " << nowKeys.data();
        leftovers += int(Names().size()) - 2;
    }
    RecordProperty("leftovers", leftovers);
    EXPECT_EQ(ReplaceFile(plain, versions[0]), std::nullopt);
    EXPECT_EQ(WriteKeys(keys, Utf8KeyFormat(), std::vector<KeyEntry>{{"VESK", "WallTemp", "21"}}), std::nullopt);
    EXPECT_EQ(Names(), (QStringList{QStringLiteral("page.bin"), QStringLiteral("VESK.ini")}));
}

TEST_F(AtomicFileTest, KeepsTheModeAndWritesThroughASymlink)
{
    const QString target = Path("shared.ini");
    Put(target, "old\n");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0664), 0);
    const QString link = Path("link.ini");
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_EQ(ReplaceFile(link, "new\n"), std::nullopt);
    EXPECT_TRUE(S_ISLNK(ModeOf(link))) << "the link stays a link";
    EXPECT_EQ(Contents(target), "new\n");
    EXPECT_EQ(ModeOf(target) & 07777, 0664u);
}

TEST_F(AtomicFileTest, ANewFileTakesTheModeGivenForItAndAnOldOneKeepsItsOwn)
{
    const mode_t umask = ::umask(022);
    const QString fresh = Path("fresh.ini");
    EXPECT_EQ(ReplaceFile(fresh, "new\n", 0664), std::nullopt);
    EXPECT_EQ(ModeOf(fresh) & 07777, 0664u) << "not reduced by the umask";
    EXPECT_EQ(ReplaceFile(Path("plain.ini"), "new\n"), std::nullopt);
    EXPECT_EQ(ModeOf(Path("plain.ini")) & 07777, 0644u);

    const QString old = Path("old.ini");
    Put(old, "old\n");
    ASSERT_EQ(::chmod(QFile::encodeName(old).constData(), 0600), 0);
    EXPECT_EQ(ReplaceFile(old, "new\n", 0664), std::nullopt);
    EXPECT_EQ(ModeOf(old) & 07777, 0600u);
    ::umask(umask);
}

TEST_F(AtomicFileTest, AFolderThatCannotTakeTheFileReportsWhy)
{
    // Root may write anywhere, but nobody creates a file inside a file.
    const QString blocker = Path("file");
    Put(blocker, "x");
    const auto failed = ReplaceFile(blocker + QStringLiteral("/inner.txt"), "data");
    ASSERT_TRUE(failed.has_value());
    EXPECT_FALSE(failed->isEmpty());
    EXPECT_EQ(Contents(blocker), "x");
}

// The order of one replace's system calls, as a preloaded library logs
// them: the new file's bytes reach the disk before its name replaces the
// old one (else a power loss can leave an empty file under the name), and
// the folder is flushed after the rename (else the rename itself can be
// lost).  No other test can see this order.
TEST_F(AtomicFileTest, TheNewFileIsFlushedBeforeTheRenameAndTheFolderAfter)
{
    const QString target = Path("VESK.ini");
    Put(target, "old\n");
    const QString log = QDir(dir.path()).filePath(QStringLiteral("calls/log"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("calls")));
    QProcess replace;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VESK_SYSCALL_LOG_PATH));
    env.insert(QStringLiteral("VESK_SYSCALL_DIR"), dir.path());
    env.insert(QStringLiteral("VESK_SYSCALL_LOG"), log);
    // A sanitized program wants its runtime first among the libraries.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
    replace.setProcessEnvironment(env);
    replace.start(QStringLiteral(VESK_REPLACE_ONCE_PATH), {target, QStringLiteral("new")});
    ASSERT_TRUE(replace.waitForFinished(10'000));
    ASSERT_EQ(replace.exitCode(), 0) << replace.readAllStandardError().toStdString();
    ASSERT_EQ(Contents(target), "new");
    // "open <fd> <path>", "write <fd>", "fsync <fd>", "close <fd>", "rename <from> <to>"
    std::vector<QStringList> calls;
    for (const QString& line : QString::fromLocal8Bit(Contents(log)).split(u'\n', Qt::SkipEmptyParts))
        calls.push_back(line.split(u' '));
    const QString all = QString::fromLocal8Bit(Contents(log));
    // The first call from `from` on that begins with these words.
    const auto find = [&](const QStringList& words, std::size_t from = 0) -> std::ptrdiff_t {
        for (std::size_t i = from; i < calls.size(); ++i)
            if (calls[i].mid(0, words.size()) == words)
                return std::ptrdiff_t(i);
        return -1;
    };
    std::ptrdiff_t rename = -1;
    for (std::size_t i = 0; i < calls.size(); ++i)
        if (calls[i].size() == 3 && calls[i][0] == u"rename" && calls[i][2] == target)
            rename = std::ptrdiff_t(i);
    ASSERT_GE(rename, 0) << all.toStdString();
    const QString temporary = calls[std::size_t(rename)][1];
    std::ptrdiff_t opened = -1;
    for (std::size_t i = 0; i < std::size_t(rename); ++i)
        if (calls[i].size() == 3 && calls[i][0] == u"open" && calls[i][2] == temporary)
            opened = std::ptrdiff_t(i);
    ASSERT_GE(opened, 0) << all.toStdString();
    const QString fd = calls[std::size_t(opened)][1];
    const auto flushed = find({QStringLiteral("fsync"), fd}, std::size_t(opened));
    const auto closed = find({QStringLiteral("close"), fd}, std::size_t(opened));
    EXPECT_LT(opened, find({QStringLiteral("write"), fd}, std::size_t(opened))) << all.toStdString();
    EXPECT_EQ(find({QStringLiteral("write"), fd}, std::size_t(flushed)), -1) << "a write after the flush";
    EXPECT_TRUE(opened < flushed && flushed < closed && closed < rename) << all.toStdString();

    const auto folderOpened = find({QStringLiteral("open")}, std::size_t(rename));
    ASSERT_GE(folderOpened, 0) << all.toStdString();
    EXPECT_EQ(calls[std::size_t(folderOpened)][2], dir.path());
    EXPECT_GT(find({QStringLiteral("fsync"), calls[std::size_t(folderOpened)][1]}, std::size_t(folderOpened)), rename)
        << all.toStdString();
}

}  // namespace
