// The whole-memory commands against the simulator at 9600 baud, run as the
// window runs them (shell/WholeMemory.h, with a dialog service that answers
// at once), each measured against the line time of every byte it puts on
// the line, 10 bits per byte, both ways:
//   backup: the information text (1 + 16) and 16 page reads (1 + 256 each),
//           target <= 1.05;
//   restore of 12 changed pages: the information text, the 12 reads of the
//           plan, page 0 read afresh for its counters, 12 writes (257 out,
//           256 acknowledgements) and 12 reads back, target <= 1.10;
//   compare with an unchanged Controller: its 16 page reads and nothing
//           more, target <= 1.05.
// The simulator's own lateness against its pacing is printed beside.
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/LineTime.h"
#include "controller/Snapshot.h"
#include "files/BackupFile.h"
#include "link/Transaction.h"
#include "shell/RecordingDialogs.h"
#include "shell/WholeMemory.h"
#include "tests/support/Eeproms.h"
#include "tests/support/FailureCallback.h"

namespace {

using namespace bench;
using Clock = std::chrono::steady_clock;

constexpr int InfoBytes = 1 + 16;
constexpr int ReadBytes = 1 + Page::Size;
constexpr int WriteBytes = 2 * Page::Size + 1;

struct Result {
    const char* name;
    double seconds;
    int lineBytes;
    double late;
    double target;

    double Line() const { return lineBytes * ByteSeconds; }
    double Ratio() const { return seconds / Line(); }
    bool Met() const { return Ratio() <= target; }
};

template <typename Command>
Result Measure(const char* name, SimProcess& sim, int lineBytes, double target, Command command)
{
    const std::size_t before = sim.TxLines().size();
    const auto start = Clock::now();
    command();
    return {name, Seconds(Clock::now() - start), lineBytes, SimulatorLateness(sim, before), target};
}

}  // namespace

int main()
{
    QTemporaryDir dir;
    const std::vector<std::uint8_t> image = EepromImage(1);
    const std::string eeprom = QDir(dir.path()).filePath(QStringLiteral("eeprom.bin")).toStdString();
    std::ofstream(eeprom, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    bench::SimLine line({"--eeprom", eeprom, "--clock", "10:20:00:2"});
    if (!line.open)
        return 2;
    RecordingDialogs dialogs;
    dialogs.defaultAnswer = true;
    WholeMemoryContext context{line.link, dialogs, RealFileSystem(), QStringLiteral("COM1"), [] { return false; },
                               dir.filePath(QStringLiteral("backups"))};

    const QString backupFile = dir.filePath(QStringLiteral("now.vskb"));
    dialogs.fileNames.push_back(backupFile);
    const Result backup = Measure("backup of 16 pages", line.sim, InfoBytes + Page::Count * ReadBytes, 1.05,
                                  [&] { BackupWholeMemory(context); });

    // A backup whose every settings page differs from the Controller's.
    std::vector<std::uint8_t> other = EepromImage(2);
    Backup older;
    older.time = QDateTime::currentDateTimeUtc();
    older.pages = SnapshotOf(other);
    const QString olderFile = dir.filePath(QStringLiteral("older.vskb"));
    if (SaveBackupFile(olderFile, older))
        return 2;
    dialogs.fileNames.push_back(olderFile);
    constexpr int Changed = Page::FirstLog;
    const Result restore =
        Measure("restore of 12 changed pages", line.sim,
                InfoBytes + Changed * ReadBytes + ReadBytes + Changed * (WriteBytes + ReadBytes), 1.10,
                [&] { RestoreWholeMemory(context); });

    // The Controller as it is now, against a backup of itself.
    dialogs.Clear();
    dialogs.fileLists.push_back({dir.filePath(QStringLiteral("same.vskb"))});
    {
        Backup same = *ReadBackupFile(backupFile).backup;
        SnapshotRead now = ReadSnapshot(line.link, AllPages(), {});
        same.pages = now.snapshot;
        if (SaveBackupFile(dialogs.fileLists.front().front(), same))
            return 2;
    }
    const Result compare = Measure("compare, nothing changed", line.sim, Page::Count * ReadBytes, 1.05,
                                   [&] { CompareWholeMemory(context); });
    Serial::ClosePort();

    const auto compared = dialogs.Texts(RecordingDialogs::Kind::Text);
    if (line.failures || compared.size() != 1 || !compared[0].contains(QStringLiteral("Žádné rozdíly"))) {
        std::fprintf(stderr, "%d exchanges failed, or the compare found differences\n", line.failures);
        return 2;
    }
    bool ok = true;
    for (const Result& r : {backup, restore, compare}) {
        std::printf("%-28s: %8.1f ms, line time %8.1f ms, ratio %.3f (target <= %.2f); simulator late %.1f ms "
                    "(%.3f of line time)\n",
                    r.name, r.seconds * 1e3, r.Line() * 1e3, r.Ratio(), r.target, r.late * 1e3, r.late / r.Line());
        ok = ok && r.Met();
    }
    std::printf("%s\n", ok ? "targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
