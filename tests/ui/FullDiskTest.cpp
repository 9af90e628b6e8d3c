// Every file the window writes, over an old version of it, on a disk that
// takes no more bytes: through a file system that fails the write, and
// once for real on a small tmpfs filled to the last byte.  Each failed save
// says so once, in the words of its kind of file, and no old file loses a
// byte; no temporary file is left behind.
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstring>
#include <sstream>

#include "FormFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/SmallDisk.h"
#include "ui/SpinEdit.h"

namespace {

using Kind = RecordingDialogs::Kind;

class FullDiskTest : public FormTest {
protected:
    // Old versions of a parameter file, CSV, image and debug text beside the
    // settings, a window, then each save and the close on a full disk.
    // What went otherwise than it should, one line each; empty when all
    // went right.  Runs in a child too: no GoogleTest assertions.
    std::string SaveOverEveryFile(bool fillUp)
    {
        std::ostringstream wrong;
        WriteSettings("; kept\nWallTemp=19\n");
        const QByteArray oldSettings = SettingsBytes();
        const QString folder = settingsDir.path();
        const auto path = [&](const char* name) { return folder + u'/' + QString::fromLatin1(name); };
        const struct {
            const char* name;
            QByteArray bytes;
        } olds[] = {
            {"kotelna.vsk", "; the other tabs\r\n[Ekvith]\r\nEkvith-40=79\r\n"},
            {"logs.csv", "Datum;;;;Kotel\r\n"},
            {"page.bin", QByteArray(256, '\x5A')},
            {"debug.txt", "R0 = 00\r\n"},
        };
        for (const auto& old : olds) {
            QFile file(path(old.name));
            if (!file.open(QIODevice::WriteOnly) || file.write(old.bytes) != old.bytes.size())
                wrong << "cannot put " << old.name << '\n';
        }
        CreateForm();
        dialogs.Clear();
        if (fillUp && !FillUp(folder.toStdString()))
            wrong << "the disk did not fill up\n";

        const QString full = QString::fromLocal8Bit(std::strerror(ENOSPC));
        const auto save = [&](const char* tab, const char* name, const QString& message) {
            ShowTab(tab);
            dialogs.Clear();
            dialogs.fileNames.push_back(path(name));
            Find<QPushButton>("btSave")->click();
            if (dialogs.Texts(Kind::Error) != QStringList{message})
                wrong << name << ": " << dialogs.Texts(Kind::Error).join(u'|').toStdString() << '\n';
        };
        save("tsConst", "kotelna.vsk", QStringLiteral("Unable to write to ") + path("kotelna.vsk"));
        const auto cannotCreate = [&](const char* name) {
            return QStringLiteral("Cannot create file \"%1\". %2").arg(path(name), full);
        };
        save("tsLogs", "logs.csv", cannotCreate("logs.csv"));
        save("tsDirect", "page.bin", cannotCreate("page.bin"));
        Find<QRadioButton>("rbDirectDebug")->click();
        Find<QPlainTextEdit>("meDebugInfo")->setPlainText(QStringLiteral("R0 = 01\nR1 = 02"));
        save("tsDirect", "debug.txt", cannotCreate("debug.txt"));

        dialogs.Clear();
        Find<SpinEdit>("seWallTemp")->setValue(25);
        form->close();
        if (dialogs.Texts(Kind::Error) != QStringList{QStringLiteral("Failed to set data for 'EkvithFillA'")})
            wrong << "close: " << dialogs.Texts(Kind::Error).join(u'|').toStdString() << '\n';

        if (SettingsBytes() != oldSettings)
            wrong << "the settings changed\n";
        for (const auto& old : olds) {
            if (Contents(path(old.name)) != old.bytes)
                wrong << old.name << " changed\n";
        }
        QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        left += QDir(folder + QStringLiteral("/VESK")).entryList(QDir::Files | QDir::Hidden | QDir::System);
        left.removeOne(QStringLiteral("filler"));
        left.sort();
        const QStringList expected{QStringLiteral("VESK.ini"), QStringLiteral("debug.txt"),
                                   QStringLiteral("kotelna.vsk"), QStringLiteral("logs.csv"),
                                   QStringLiteral("page.bin")};
        if (left != expected)
            wrong << "left in the folder: " << left.join(u' ').toStdString() << '\n';
        return wrong.str();
    }
};

TEST_F(FullDiskTest, EverySaveOnAFullDiskSaysSoOnceAndKeepsTheOldFile)
{
    fileSystem.failing = FailingStep::Write;
    EXPECT_EQ(SaveOverEveryFile(false), "");
}

TEST_F(FullDiskTest, ARealFullDiskToo)
{
    const int result = RunOnSmallDisk(settingsDir.path().toStdString(), "256k", [&] {
        const std::string wrong = SaveOverEveryFile(true);
        std::fputs(wrong.c_str(), stderr);
        return wrong.empty() ? 0 : 1;
    });
    if (result == SmallDiskUnavailable)
        GTEST_SKIP() << "no mount namespace for a small tmpfs here (needs root or user namespaces)";
    EXPECT_EQ(result, 0) << "see the lines above";
}

}  // namespace
