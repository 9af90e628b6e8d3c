// Reading what a user gives as a file: anything but a regular file is
// refused without being opened or read, a file larger than its bound is
// refused or read only as far as needed, and a file that changes while it
// is read gives one whole version of itself or nothing.
#include "files/BoundedRead.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

#include "files/ImageFile.h"
#include "files/KeyFile.h"
#include "files/ParameterFile.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/FileBytes.h"

namespace {

class BoundedReadTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
};

// A FIFO nobody writes would hang an open or a read for ever, /dev/zero
// would fill the memory, a folder has nothing to read: each is refused at
// once, by each reader the program has, and never read from.
TEST_F(BoundedReadTest, AnythingButARegularFileIsRefusedUnreadAndAtOnce)
{
    const QString fifo = Path("fifo.vsk"), zero = Path("zero.vsk"), folder = Path("folder.vsk");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.vsk")));
    const std::pair<QString, QString> kinds[] = {
        {fifo, QStringLiteral("Not a regular file")},
        {zero, QStringLiteral("Not a regular file")},
        {folder, QString::fromLocal8Bit(std::strerror(EISDIR))},
    };
    QElapsedTimer clock;
    clock.start();
    for (const auto& [path, reason] : kinds) {
        SCOPED_TRACE(path.toStdString());
        FaultyFileSystem fs;
        int reads = 0;
        fs.beforeRead = [&reads](int) { ++reads; };
        const BoundedRead read = ReadBounded(path, KeyFileBound, BeyondBound::Refuse, fs);
        EXPECT_EQ(read.outcome, BoundedRead::Outcome::NotAFile);
        EXPECT_TRUE(read.Refused());
        EXPECT_EQ(read.reason, reason);
        EXPECT_EQ(reads, 0);

        KeyFile settings(Utf8KeyFormat());
        EXPECT_EQ(settings.Load(path), reason);
        EXPECT_TRUE(settings.Bytes().isEmpty());
        EXPECT_EQ(ParameterFile(path).Refusal(), reason);
        const ImageRead image = ReadImageFile(path);
        EXPECT_FALSE(image.image.has_value());
        EXPECT_EQ(image.error, reason);
    }
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST_F(BoundedReadTest, AKeyFileIsReadUpToItsBoundAndNoFurther)
{
    const QString path = Path("big.vsk");
    const QByteArray most = "[Const]\r\nShift=3\r\n" + QByteArray(KeyFileBound - 18, ';');
    ASSERT_EQ(most.size(), KeyFileBound);
    Put(path, most);
    const BoundedRead read = ReadBounded(path, KeyFileBound, BeyondBound::Refuse);
    EXPECT_TRUE(read.Ok());
    EXPECT_EQ(read.bytes, most);
    EXPECT_EQ(ParameterFile(path).ReadInteger(u"Const", u"Shift", 0), 3);

    Put(path, most + ';');
    EXPECT_EQ(ReadBounded(path, KeyFileBound, BeyondBound::Refuse).outcome, BoundedRead::Outcome::TooLarge);
    const ParameterFile tooLarge(path);
    EXPECT_EQ(tooLarge.Refusal(), QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_EQ(tooLarge.ReadInteger(u"Const", u"Shift", 0), 0);

    // The head of a file is all a reader of heads gets.
    const BoundedRead head = ReadBounded(path, 257, BeyondBound::Head);
    EXPECT_TRUE(head.Ok());
    EXPECT_EQ(head.bytes, most.left(257));
    EXPECT_EQ(head.size, KeyFileBound + 1);
}

// Another program rewrites the file in place while it is read: the read
// starts again and gives the file as it now is, whole; a file that never
// holds still is refused.  Never bytes beyond the file, never a mix.
TEST_F(BoundedReadTest, AFileThatChangesWhileReadGivesOneWholeVersionOrNone)
{
    const QString path = Path("VESK.ini");
    const QByteArray old = "[VESK]\nWallTemp=19\nWallDepth=45\n";
    const QByteArray name = QFile::encodeName(path);

    Put(path, old);
    FaultyFileSystem shrinks;
    bool once = false;
    shrinks.beforeRead = [&](int) {
        if (!std::exchange(once, true)) {
            ASSERT_EQ(::truncate(name.constData(), 7), 0);
        }
    };
    BoundedRead read = ReadBounded(path, KeyFileBound, BeyondBound::Refuse, shrinks);
    EXPECT_TRUE(read.Ok());
    EXPECT_EQ(read.bytes, old.left(7));

    Put(path, old);
    FaultyFileSystem grows;
    once = false;
    grows.beforeRead = [&](int) {
        if (!std::exchange(once, true)) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::Append));
            file.write("ComPort=2\n");
        }
    };
    read = ReadBounded(path, KeyFileBound, BeyondBound::Refuse, grows);
    EXPECT_TRUE(read.Ok());
    EXPECT_EQ(read.bytes, old + "ComPort=2\n");

    Put(path, old);
    FaultyFileSystem restless;
    int reads = 0;
    restless.beforeRead = [&](int) { ASSERT_EQ(::truncate(name.constData(), ++reads % 2 ? 5 : 50), 0); };
    read = ReadBounded(path, KeyFileBound, BeyondBound::Refuse, restless);
    EXPECT_EQ(read.outcome, BoundedRead::Outcome::Changed);
    EXPECT_TRUE(read.bytes.isEmpty());
    KeyFile file(Utf8KeyFormat());
    EXPECT_EQ(file.Load(path, restless), QStringLiteral("The file changed while it was read"));
}

}  // namespace
