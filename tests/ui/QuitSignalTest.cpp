// The program itself, ended from outside as a log-out, `kill` or Ctrl+C
// ends it: it closes its window as the close box does, so the settings are
// written and the port is released.  Runs the real binary offscreen with a
// private settings folder whose COM1 leads to a simulator of the test's
// own, so that start-up shows no box.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include "controller/DecimalText.h"
#include "link/PortAccess.h"
#include "tests/support/SimProcess.h"

namespace {

// Whether some process holds the port: it is open exclusively, so either
// the open is refused or the lock is taken.
bool PortHeld(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// The signal, and whether the adapter was pulled out before it came.
struct Ending {
    int signal;
    bool unplugged;
};
void PrintTo(const Ending& ending, std::ostream* out)
{
    *out << "signal " << ending.signal << (ending.unplugged ? " after an unplug" : "");
}

class QuitSignalTest : public ::testing::TestWithParam<Ending> {};

TEST_P(QuitSignalTest, ClosesTheWindowAsItsCloseBoxDoes)
{
    SimProcess sim(VESK_SIM_PATH, {"--clock", "10:20:00:2"});
    QTemporaryDir config;
    ASSERT_TRUE(QDir(config.path()).mkpath(QStringLiteral("VESK")));
    const QString file = config.filePath(QStringLiteral("VESK/VESK.ini"));
    const QByteArray link = QByteArray::fromStdString(sim.LinkPath());
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("; shared by the technicians\n[Ports]\nCOM1=" + link + "\n\n[VESK]\nWallTemp=19\nEkvithFillB=abc\n");
    }

    QProcess vesk;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_DIRS"), config.path());
    // The decimals are written as the window shows them.
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_NUMERIC"));
    vesk.setProcessEnvironment(env);
    vesk.setProcessChannelMode(QProcess::ForwardedChannels);
    vesk.start(QStringLiteral(VESK_PATH), {});
    ASSERT_TRUE(vesk.waitForStarted(5000));
    // The port is opened while the window is made: once it is held, the
    // signal is the program's to handle.
    ASSERT_TRUE(WaitFor([&] { return PortHeld(sim.SlavePath()); }, std::chrono::seconds(30)));
    // The program keeps its lock where terminal programs look for one (where
    // the test may write, so may the program).
    const std::string lockDir = Serial::SystemPaths{}.lockDir;
    const std::string lock = lockDir + "/" + Serial::LockFileName(sim.SlavePath());
    const bool locking = ::access(lockDir.c_str(), W_OK) == 0;
    if (locking) {
        EXPECT_TRUE(WaitFor([&] { return ::access(lock.c_str(), F_OK) == 0; }, std::chrono::seconds(5))) << lock;
    }
    if (GetParam().unplugged)
        sim.Stop();

    ASSERT_EQ(::kill(pid_t(vesk.processId()), GetParam().signal), 0);
    ASSERT_TRUE(vesk.waitForFinished(30000));
    EXPECT_EQ(vesk.exitStatus(), QProcess::NormalExit) << "ended by the signal instead of closing";
    EXPECT_EQ(vesk.exitCode(), 0);

    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), "; shared by the technicians\n[Ports]\nCOM1=" + link +
                                "\n\n[VESK]\nWallTemp=19\nEkvithFillB=" + FormatDecimal(-0.7, QLocale::c()).toUtf8() +
                                "\nEkvithFillA=0\nEkvithFillC=51\nWallDepth=45\nWallSensDepth=17\nComPort=0\n");
    if (!GetParam().unplugged) {
        EXPECT_FALSE(PortHeld(sim.SlavePath()));
    }
    if (locking) {
        EXPECT_NE(::access(lock.c_str(), F_OK), 0) << lock << " left behind";
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignalTest,
                         ::testing::Values(Ending{SIGTERM, false}, Ending{SIGINT, false}, Ending{SIGHUP, false},
                                           Ending{SIGTERM, true}),
                         [](const ::testing::TestParamInfo<Ending>& info) {
                             const std::string name = info.param.signal == SIGTERM  ? "SIGTERM"
                                                      : info.param.signal == SIGINT ? "SIGINT"
                                                                                    : "SIGHUP";
                             return info.param.unplugged ? name + "AfterAnUnplug" : name;
                         });

}  // namespace
