// veskctl, the built program, against a simulator of the test's own: a
// private settings folder whose [Ports] maps COM1 to the simulator's link,
// a private data folder for the automatic backups, and a probe on the same
// port for looking at the Controller's pages while veskctl is not running.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/Transaction.h"
#include "tests/support/SimProcess.h"

struct Ran {
    int exit = -1;
    QByteArray out;
    QString err;
};

class VeskctlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A Controller holding `image` (the simulator's own realistic one when
    // empty), its clock far from a minute's and an hour's end, with
    // [Ports] COM1 leading to it.
    void StartSim(std::vector<std::string> args = {}, const std::vector<std::uint8_t>& image = {});
    // The settings file: these [VESK] lines and [Ports] COM1 = the
    // simulator's link (a path that does not exist while none runs), then
    // further [Ports] lines.
    void WriteSettings(const QByteArray& veskLines = {}, const QByteArray& portLines = {});

    // Runs veskctl to its end, standard input from /dev/null (no terminal)
    // unless a file is given for it and standard error.
    Ran Run(const QStringList& arguments, const QString& terminal = {}) const;
    // Started, not waited for.
    std::unique_ptr<QProcess> Start(const QStringList& arguments, const QString& terminal = {}) const;

    // The Controller's pages, read through the test's own link.
    std::vector<std::uint8_t> Eeprom();
    void PutPage(int page, const PageBuffer& bytes);
    // What reached the simulator, after a moment for bytes still on their
    // way.
    std::vector<std::uint8_t> Received() const;
    std::vector<int> Commands() const;

    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // A backup file of the image, as an earlier visit left it; its path.
    QString BackupOf(const std::vector<std::uint8_t>& image, const char* name) const;
    QString DataFolder() const { return dir.filePath(QStringLiteral("data")); }

    // The locale variables veskctl runs with, none other: Czech, whatever
    // the machine's language, unless a test sets others.
    std::vector<std::pair<QString, QString>> localeVariables{{QStringLiteral("LANGUAGE"), QStringLiteral("cs")}};

    QTemporaryDir dir;
    std::unique_ptr<SimProcess> sim;
    ControllerLink probe;
};

// The process's exit, or -1 when it did not end within the time.
int Finished(QProcess& process, int timeoutMs = 5000);
