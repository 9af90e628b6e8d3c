// veskctl, the whole program, against the simulator at 9600 baud: each run
// measured from the start of the process to its exit, against the line time
// of every byte the run puts on the line, 10 bits per byte, both ways.
//   backup: the information text (1 + 16) and 16 page reads (1 + 256 each),
//           target <= 1.05 of its line time;
//   status --json, one shot: page 0 for the names (1 + 256), then one tick of
//           the normal view: clock (1 + 4), status (1 + 10) and temperatures
//           (1 + 8); target: under its line time + 100 ms.
// The median of several runs counts; the simulator's own lateness against
// its pacing is printed beside.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "bench/LineTime.h"

namespace {

using namespace bench;

constexpr int BackupRuns = 3;
constexpr int StatusRuns = 11;
constexpr int BackupLineBytes = (1 + 16) + 16 * (1 + 256);
constexpr int StatusLineBytes = (1 + 256) + (1 + 4) + (1 + 10) + (1 + 8);
constexpr double BackupRatioTarget = 1.05;
constexpr double StatusSlackTarget = 0.100;

struct Runs {
    std::vector<double> seconds;
    double late = 0;  // the simulator's, over all runs

    double Median()
    {
        std::sort(seconds.begin(), seconds.end());
        return seconds[seconds.size() / 2];
    }
};

// Runs veskctl `count` times with these arguments; empty when a run failed.
std::optional<Runs> Measure(const SimProcess& sim, const QTemporaryDir& dir, const QStringList& arguments, int count)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), dir.filePath(QStringLiteral("xdg")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    Runs runs;
    for (int run = 0; run < count; ++run) {
        const std::size_t before = sim.TxLines().size();
        QProcess veskctl;
        veskctl.setProcessEnvironment(environment);
        veskctl.setStandardInputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        veskctl.start(QStringLiteral(VESKCTL_PATH), arguments);
        if (!veskctl.waitForFinished(60000) || veskctl.exitCode() != 0) {
            std::fprintf(stderr, "veskctl %s failed: %s\n", qPrintable(arguments.join(u' ')),
                         veskctl.readAllStandardError().constData());
            return std::nullopt;
        }
        runs.seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
        runs.late += SimulatorLateness(sim, before);
    }
    return runs;
}

}  // namespace

int main()
{
    QTemporaryDir dir;
    SimProcess sim(VESK_SIM_PATH, {"--line-speed", std::to_string(Baud), "--clock", "10:20:05:2"});
    if (!QDir(dir.path()).mkpath(QStringLiteral("xdg/VESK")))
        return 2;
    QFile settings(dir.filePath(QStringLiteral("xdg/VESK/VESK.ini")));
    if (!settings.open(QIODevice::WriteOnly) ||
        settings.write("[Ports]\nCOM1=" + QByteArray::fromStdString(sim.LinkPath()) + '\n') < 0)
        return 2;
    settings.close();

    // The status first: the Controller's clock is then far from a minute's
    // end, when the regulator view would wait for the next second.
    auto status = Measure(sim, dir, {QStringLiteral("status"), QStringLiteral("--json")}, StatusRuns);
    auto backup = Measure(sim, dir, {QStringLiteral("backup"), dir.filePath(QStringLiteral("b.vskb"))}, BackupRuns);
    if (!status || !backup)
        return 2;

    const double backupLine = BackupLineBytes * ByteSeconds, statusLine = StatusLineBytes * ByteSeconds;
    const double backupRatio = backup->Median() / backupLine;
    const double statusSlack = status->Median() - statusLine;
    std::printf("veskctl backup       : median %8.1f ms of %d runs, line time %8.1f ms, ratio %.3f (target <= %.2f); "
                "simulator late %.1f ms a run\n",
                backup->Median() * 1e3, BackupRuns, backupLine * 1e3, backupRatio, BackupRatioTarget,
                backup->late / BackupRuns * 1e3);
    std::printf("veskctl status --json: median %8.1f ms of %d runs, line time %8.1f ms, beyond it %.1f ms "
                "(target < %.0f ms), ratio %.3f; simulator late %.1f ms a run\n",
                status->Median() * 1e3, StatusRuns, statusLine * 1e3, statusSlack * 1e3, StatusSlackTarget * 1e3,
                status->Median() / statusLine, status->late / StatusRuns * 1e3);
    const bool ok = backupRatio <= BackupRatioTarget && statusSlack < StatusSlackTarget;
    std::printf("%s\n", ok ? "targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
