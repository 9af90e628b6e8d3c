// A main window against its own simulator: a private settings folder whose
// [Ports] maps COM1 to the simulator's link, a recording dialog service, and
// a probe on the same (module-level) port for looking at the Controller's
// pages behind the window's back.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/Serial.h"
#include "link/Transaction.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/SimProcess.h"
#include "ui/MainUnit.h"
#include "shell/RecordingDialogs.h"

class FormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The clock starts far from an hour boundary, so the simulated Controller
    // neither logs nor adds boiler time while a test runs.
    void StartSim(std::vector<std::string> extraArgs = {});
    // The settings file: [Ports] COM1 = the simulator's link (a path that
    // does not exist when none runs) and any further [Ports] lines, then
    // the given lines of [VESK].
    void WriteSettings(const QByteArray& veskLines = {}, const QByteArray& portLines = {});
    QString SettingsFile() const;
    QByteArray SettingsBytes() const;
    void CreateForm();
    // All three: a simulator, the settings file with COM1 on it (and the
    // given lines), and a window that started without a word.
    void StartWindow(std::vector<std::string> simArgs = {}, const QByteArray& veskLines = {},
                     const QByteArray& portLines = {});

    // A widget of a tab not shown yet is built for the look-up: the window
    // builds a tab's widgets when it is first shown, the tests look at them
    // whenever they like.
    template <typename W>
    W* Find(const char* name) const
    {
        W* widget = form->findChild<W*>(QString::fromLatin1(name));
        if (!widget) {
            BuildEveryTab();
            widget = form->findChild<W*>(QString::fromLatin1(name));
        }
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void BuildEveryTab() const;
    void ShowTab(const char* name);

    // The probe shares the window's open port and reports nothing.
    std::optional<PageBuffer> ReadPage(int page);
    bool WritePage(int page, const PageBuffer& data);

    // Waits until the trace holds at least n entries and then a little
    // longer, so that a byte sent too many would show up as well.  The last
    // byte of a page write is not answered, so nothing else tells when it
    // has arrived.
    std::vector<TraceEntry> SettledTrace(std::size_t n) const;
    // The same for the bytes received from position `from` of the trace on.
    std::vector<TraceEntry> SettledTraceFrom(std::size_t from, std::size_t n) const;

    // The lock files the window's port keeps, in a folder of the test's own.
    QStringList LockFiles() const;

    QTemporaryDir settingsDir;
    QTemporaryDir lockDir;
    // The window's port keeps its lock files in lockDir.
    std::unique_ptr<Serial::PosixOpener> opener;
    std::unique_ptr<SimProcess> sim;
    RecordingDialogs dialogs;
    // The window's files go through it; a test makes a step fail.
    FaultyFileSystem fileSystem;
    // Where the window's port list looks for devices.
    Serial::DeviceRoots deviceRoots;
    std::unique_ptr<TMainForm> form;
    ControllerLink probe;
};

// The same, with a folder of the test's own for the files it saves, where
// the automatic backups go too, never into the user's folder.
class FilesFormTest : public FormTest {
protected:
    void SetUp() override;
    void TearDown() override;

    QTemporaryDir files;
};

std::vector<std::string> Cmds(const std::vector<TraceEntry>& trace);
// A key pressed and let go on the target, as the keyboard sends it.
void Key(QWidget* target, int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// How a screen reader names a cell of a view.
QString AccessibleCellName(QWidget* view, int row, int column);
