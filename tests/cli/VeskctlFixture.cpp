#include "tests/cli/VeskctlFixture.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <thread>

#include "files/BackupFile.h"
#include "link/Serial.h"
#include "tests/support/Eeproms.h"
#include "tests/support/FileBytes.h"

namespace {

const QString Com1 = QStringLiteral("COM1");

}  // namespace

void VeskctlTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("xdg/VESK")));
    WriteSettings();
}

void VeskctlTest::TearDown()
{
    Serial::ClosePort();
    Serial::SetPortMap({});
}

void VeskctlTest::StartSim(std::vector<std::string> args, const std::vector<std::uint8_t>& image)
{
    if (!image.empty()) {
        Put(File("eeprom.bin"), QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size())));
        args.insert(args.end(), {"--eeprom", File("eeprom.bin").toStdString()});
    }
    args.insert(args.end(), {"--clock", "10:20:05:2"});
    sim = std::make_unique<SimProcess>(VESK_SIM_PATH, std::move(args));
    WriteSettings();
}

void VeskctlTest::WriteSettings(const QByteArray& veskLines, const QByteArray& portLines)
{
    const QByteArray link = sim ? QByteArray::fromStdString(sim->LinkPath()) : File("no-such-port").toUtf8();
    Put(dir.filePath(QStringLiteral("xdg/VESK/VESK.ini")),
        "[VESK]\n" + veskLines + "[Ports]\nCOM1=" + link + '\n' + portLines);
}

std::unique_ptr<QProcess> VeskctlTest::Start(const QStringList& arguments, const QString& terminal) const
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), dir.filePath(QStringLiteral("xdg")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), DataFolder());
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QString::fromLatin1(name));
    for (const auto& [name, value] : localeVariables)
        environment.insert(name, value);
    process->setProcessEnvironment(environment);
    process->setStandardInputFile(terminal.isEmpty() ? QProcess::nullDevice() : terminal);
    if (!terminal.isEmpty())
        process->setStandardErrorFile(terminal);
    process->start(QStringLiteral(VESKCTL_PATH), arguments);
    return process;
}

Ran VeskctlTest::Run(const QStringList& arguments, const QString& terminal) const
{
    const auto process = Start(arguments, terminal);
    Ran ran;
    ran.exit = Finished(*process, 60000);
    ran.out = process->readAllStandardOutput();
    ran.err = QString::fromUtf8(process->readAllStandardError());
    return ran;
}

int Finished(QProcess& process, int timeoutMs)
{
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QString VeskctlTest::BackupOf(const std::vector<std::uint8_t>& image, const char* name) const
{
    Backup backup;
    backup.time = QDateTime::currentDateTimeUtc().addDays(-30);
    backup.port = QStringLiteral("COM1");
    backup.info = QStringLiteral("VESK 2.14 09/19");
    backup.pages = SnapshotOf(image);
    Put(File(name), BackupFileBytes(backup));
    return File(name);
}

std::vector<std::uint8_t> VeskctlTest::Eeprom()
{
    Serial::SetPortMap({{Com1.toStdString(), sim->LinkPath()}});
    EXPECT_TRUE(Serial::OpenPort(Com1.toStdString(), 9600));
    const auto image = ReadEeprom(probe);
    Serial::ClosePort();
    return image;
}

void VeskctlTest::PutPage(int page, const PageBuffer& bytes)
{
    Serial::SetPortMap({{Com1.toStdString(), sim->LinkPath()}});
    ASSERT_TRUE(Serial::OpenPort(Com1.toStdString(), 9600));
    ASSERT_TRUE(probe.WritePage(page, bytes));
    // The last data byte awaits no reply: a read behind it waits until the
    // simulator took it.
    PageBuffer again;
    ASSERT_TRUE(probe.ReadPage(page, again));
    Serial::ClosePort();
}

std::vector<std::uint8_t> VeskctlTest::Received() const
{
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return sim->Received();
}

std::vector<int> VeskctlTest::Commands() const
{
    std::vector<int> commands;
    for (const TraceEntry& entry : sim->Trace())
        if (entry.role == "cmd")
            commands.push_back(entry.byte);
    return commands;
}
