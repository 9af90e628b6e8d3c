// veskctl's "logs" beside the window's "Uložit..." on "Záznamy": for the same
// EEPROM the same CSV file, byte for byte.
#include <QDateTime>
#include <QProcess>
#include <QPushButton>

#include "FormFixture.h"
#include "controller/Logs.h"
#include "tests/support/FileBytes.h"

TEST_F(FormTest, VeskctlLogsWritesTheWindowsCsvByteForByte)
{
    StartSim();
    WriteSettings();
    const QString path = settingsDir.filePath(QStringLiteral("window.csv"));
    // The rows are labelled by the hour of the read: a new hour between the
    // two reads is waited out by a second try.
    for (int attempt = 1; attempt <= 2; ++attempt) {
        const qint64 hour = HourlyLogs::WallHour(QDateTime::currentDateTime());
        CreateForm();
        ShowTab("tsLogs");
        Find<QPushButton>("btRead")->click();
        dialogs.fileNames.push_back(path);
        Find<QPushButton>("btSave")->click();
        // The window lets go of the port, as it does when it closes.
        form->close();

        QProcess veskctl;
        veskctl.start(QStringLiteral(VESKCTL_PATH), {QStringLiteral("logs")});
        ASSERT_TRUE(veskctl.waitForFinished(30000));
        ASSERT_EQ(veskctl.exitCode(), 0) << veskctl.readAllStandardError().toStdString();
        const QByteArray csv = veskctl.readAllStandardOutput();
        if (HourlyLogs::WallHour(QDateTime::currentDateTime()) != hour && attempt == 1)
            continue;
        ASSERT_TRUE(dialogs.Texts(RecordingDialogs::Kind::Error).isEmpty());
        EXPECT_TRUE(csv.startsWith("Datum;"));
        EXPECT_EQ(csv, Contents(path));
        return;
    }
}
