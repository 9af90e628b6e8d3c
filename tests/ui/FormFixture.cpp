#include "FormFixture.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <chrono>
#include <thread>

#include "link/Serial.h"

void FormTest::SetUp()
{
    ASSERT_TRUE(settingsDir.isValid());
    ASSERT_TRUE(lockDir.isValid());
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(settingsDir.path()));
    opener = std::make_unique<Serial::PosixOpener>(Serial::SystemPaths{"/proc", lockDir.path().toStdString()});
    Serial::SetDeviceOpener(opener.get());
}

void FormTest::TearDown()
{
    form.reset();
    Serial::ClosePort();
    if (sim)
        sim->Stop();
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    Serial::SetDeviceOpener(nullptr);
}

void FilesFormTest::SetUp()
{
    FormTest::SetUp();
    ASSERT_TRUE(files.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(files.path()));
}

void FilesFormTest::TearDown()
{
    FormTest::TearDown();
    qunsetenv("XDG_DATA_HOME");
}

QStringList FormTest::LockFiles() const
{
    return QDir(lockDir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden);
}

void FormTest::StartSim(std::vector<std::string> extraArgs)
{
    extraArgs.insert(extraArgs.end(), {"--clock", "10:20:00:2"});
    sim = std::make_unique<SimProcess>(VESK_SIM_PATH, extraArgs);
}

QString FormTest::SettingsFile() const
{
    return settingsDir.filePath(QStringLiteral("VESK/VESK.ini"));
}

QByteArray FormTest::SettingsBytes() const
{
    QFile file(SettingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

void FormTest::WriteSettings(const QByteArray& veskLines, const QByteArray& portLines)
{
    ASSERT_TRUE(QDir(settingsDir.path()).mkpath(QStringLiteral("VESK")));
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Ports]\n");
    // Without a simulator COM1 leads nowhere, never to a real serial port.
    file.write("COM1=" + (sim ? QByteArray::fromStdString(sim->LinkPath()) : QByteArray("/nonexistent/ttyVESK")) + "\n");
    file.write(portLines);
    file.write("[VESK]\n");
    file.write(veskLines);
}

void FormTest::CreateForm()
{
    form = std::make_unique<TMainForm>(&dialogs, nullptr, &fileSystem, TabTable(), deviceRoots);
}

void FormTest::StartWindow(std::vector<std::string> simArgs, const QByteArray& veskLines, const QByteArray& portLines)
{
    StartSim(std::move(simArgs));
    WriteSettings(veskLines, portLines);
    CreateForm();
    ASSERT_TRUE(dialogs.entries.empty());
}

void FormTest::BuildEveryTab() const
{
    for (TabHost* tab : form->findChildren<TabHost*>())
        tab->Page();
}

void FormTest::ShowTab(const char* name)
{
    auto* pages = Find<QTabWidget>("PageControl");
    pages->setCurrentWidget(Find<QWidget>(name));
}

std::optional<PageBuffer> FormTest::ReadPage(int page)
{
    PageBuffer buffer{};
    if (!probe.ReadPage(page, buffer))
        return std::nullopt;
    return buffer;
}

bool FormTest::WritePage(int page, const PageBuffer& data)
{
    const std::size_t before = sim->Trace().size();
    if (!probe.WritePage(page, data))
        return false;
    // The last data byte is not answered: wait until it is in, so that it is
    // not counted as the window's.
    return sim->WaitForTraceCount(before + 1 + data.size(), 2000);
}

std::vector<TraceEntry> FormTest::SettledTrace(std::size_t n) const
{
    sim->WaitForTraceCount(n, 2000);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    return sim->Trace();
}

std::vector<TraceEntry> FormTest::SettledTraceFrom(std::size_t from, std::size_t n) const
{
    std::vector<TraceEntry> trace = SettledTrace(from + n);
    trace.erase(trace.begin(), trace.begin() + std::min(from, trace.size()));
    return trace;
}

std::vector<std::string> Cmds(const std::vector<TraceEntry>& trace)
{
    std::vector<std::string> cmds;
    for (const TraceEntry& e : trace)
        if (e.role == "cmd")
            cmds.push_back(QStringLiteral("%1").arg(e.byte, 2, 16, QLatin1Char('0')).toStdString());
    return cmds;
}

void Key(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}

QString AccessibleCellName(QWidget* view, int row, int column)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(view);
    QAccessibleTableInterface* cells = face ? face->tableInterface() : nullptr;
    QAccessibleInterface* cell = cells ? cells->cellAt(row, column) : nullptr;
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("<no cell>");
}
