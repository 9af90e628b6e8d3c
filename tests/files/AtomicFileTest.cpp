// Replacing a file: old or new at every moment, nothing else of it changed.
#include "files/AtomicFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>
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

}  // namespace
