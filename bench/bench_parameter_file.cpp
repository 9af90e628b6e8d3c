// Parameter files: saving the four settings tabs' sections into one file and
// loading them back, as a technician does who keeps a whole installation in
// one file, timed per key (47 + 69 + 1 + 70).  Every save changes values,
// so each one really replaces the file, flushed to the disk; the file lies
// in the folder given as the first argument (by default a new folder in
// the current one, so on the disk, not in a memory file system).
// Target: under 1 ms per key, saves and loads together.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "files/ParameterFile.h"
#include "files/ParameterSections.h"
#include "tests/support/FillInputValues.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Rounds = 30;
constexpr double TargetSecondsPerKey = 0.001;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

struct Tabs {
    RegulationConstants constants;
    ModeProgram program;
    OutdoorSectionValues curve;
    OutdoorSectionValues wall;
};

// Values that differ from round to round, names with Czech letters.
Tabs Values(int round)
{
    Tabs tabs;
    tabs.constants.EkvMaxTemp = 60 + round % 40;
    tabs.constants.Shift = -round;
    for (int i = 0; i < 8; ++i) {
        tabs.constants.SensUsed[std::size_t(i)] = (round + i) % 2 == 0;
        tabs.constants.SensName[std::size_t(i)] = QStringLiteral("Čidlo %1 – %2").arg(i).arg(round);
        tabs.constants.SensCorr[std::size_t(i)] = i - round % 5;
    }
    std::vector<std::uint8_t> bytes(ModeProgram::Size);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 37 + std::size_t(round));
    tabs.program.ReplaceRaw(bytes);
    for (int row = 0; row < OutdoorTable::RowCount; ++row) {
        tabs.curve.table.SetValue(row, QString::number(80 - row + round));
        tabs.wall.table.SetValue(row, QString::number(row / 3 - round));
    }
    tabs.curve.inputs = CurveInputs("0", QStringLiteral("-0,%1").arg(round).toUtf8().constData(), "51");
    tabs.wall.inputs = WallInputs(45, 21, 17 + round, "-0,7");
    return tabs;
}

struct Round {
    double save, load;
    bool ok;
};

Round Measure(const QString& path, int round)
{
    const Tabs saved = Values(round);
    const auto start = Clock::now();
    bool ok = !SaveConstSection(path, saved.constants) && !SaveModeSection(path, ModeProgramId::B, saved.program) &&
              !SaveOutdoorSection(path, EkvithPage, saved.curve) && !SaveOutdoorSection(path, WallPage, saved.wall);
    const auto saveEnd = Clock::now();

    Tabs loaded;
    LoadConstSection(ParameterFile(path), loaded.constants);
    ok &= LoadModeSection(ParameterFile(path), ModeProgramId::B, loaded.program);
    loaded.curve = LoadOutdoorSection(ParameterFile(path), EkvithPage);
    loaded.wall = LoadOutdoorSection(ParameterFile(path), WallPage);
    const auto loadEnd = Clock::now();

    // A benchmark of a round trip that does not come back proves nothing.
    ok &= loaded.constants == saved.constants && loaded.program == saved.program &&
          loaded.curve.table == saved.curve.table && loaded.curve.inputs == saved.curve.inputs &&
          loaded.wall.table == saved.wall.table && loaded.wall.inputs == saved.wall.inputs;
    return {Seconds(saveEnd - start), Seconds(loadEnd - saveEnd), ok};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QTemporaryDir dir(QDir(folder).filePath(QStringLiteral("bench-vsk-XXXXXX")));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a folder in %s\n", qPrintable(folder));
        return 2;
    }
    const QString path = dir.filePath(QStringLiteral("kotelna.vsk"));

    std::vector<double> saves, loads, totals;
    for (int round = 0; round < Rounds; ++round) {
        const Round r = Measure(path, round);
        if (!r.ok) {
            std::fprintf(stderr, "round %d: the sections did not come back as saved\n", round);
            return 2;
        }
        saves.push_back(r.save);
        loads.push_back(r.load);
        totals.push_back(r.save + r.load);
    }
    // The keys as the file holds them: its entry lines.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 2;
    }
    int keys = 0;
    for (const QByteArray& line : file.readAll().split('\n'))
        keys += line.contains('=');
    const double perKey = Median(totals) / keys;
    std::printf("parameter file, %d keys in 4 sections, median of %d rounds in %s:\n", keys, Rounds,
                qPrintable(QDir::toNativeSeparators(folder)));
    std::printf("  save 4 sections: %7.2f ms (%.3f ms per key; slowest %.2f ms)\n", Median(saves) * 1e3,
                Median(saves) * 1e3 / keys, *std::max_element(saves.begin(), saves.end()) * 1e3);
    std::printf("  load 4 sections: %7.2f ms (%.3f ms per key; slowest %.2f ms)\n", Median(loads) * 1e3,
                Median(loads) * 1e3 / keys, *std::max_element(loads.begin(), loads.end()) * 1e3);
    std::printf("  together: %.3f ms per key (target under %.1f ms)\n", perKey * 1e3, TargetSecondsPerKey * 1e3);
    const bool ok = perKey < TargetSecondsPerKey;
    std::printf("%s\n", ok ? "target met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
