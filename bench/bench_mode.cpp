// The tab "Režim": reading and writing the three pages of a time program
// against the simulator at 9600 baud, measured against the line time of
// every byte that crosses the line (3 × 257 bytes to read, 3 × 513 to
// write), and repainting the week grid offscreen, which must fit a frame
// of a 60 Hz display (16 ms) so rows follow the scroll bar's thumb.
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/LineTime.h"
#include "controller/Logs.h"
#include "tests/support/FailureCallback.h"
#include "controller/ModeProgram.h"
#include "link/Serial.h"
#include "shell/RecordingDialogs.h"
#include "ui/ModeGrid.h"
#include "ui/ModeTab.h"

using namespace bench;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int TransferRounds = 2;  // each of A, B and C per round
constexpr int PaintRounds = 60;
constexpr double FrameSeconds = 0.016;

struct LineResult {
    double seconds;  // per program
    double late;     // the simulator's share of it
    int failures;
};

template <typename Transfer>
LineResult MeasureTransfers(const SimProcess& sim, int& failures, Transfer transfer)
{
    const int failedBefore = failures;
    const std::size_t txBefore = sim.TxLines().size();
    const auto start = Clock::now();
    for (int round = 0; round < TransferRounds; ++round)
        for (ModeProgramId id : {ModeProgramId::A, ModeProgramId::B, ModeProgramId::C})
            transfer(id);
    const int count = 3 * TransferRounds;
    return {Seconds(Clock::now() - start) / count, SimulatorLateness(sim, txBefore) / count, failures - failedBefore};
}

bool ReportLine(const char* what, const LineResult& r, int bytesOnLine, double target)
{
    const double line = bytesOnLine * ByteSeconds;
    const double ratio = r.seconds / line;
    std::printf("program %-5s: %7.1f ms, line time %6.1f ms, ratio %.3f (target <= %.2f); "
                "simulator late %.2f ms (%.3f of line time), rest %.3f\n",
                what, r.seconds * 1e3, line * 1e3, ratio, target, r.late * 1e3, r.late / line,
                (r.seconds - line - r.late) / line);
    return ratio <= target;
}

// The median and the slowest of repeated full repaints of the widget.
std::pair<double, double> MeasurePaint(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&image);  // the first paint lays out and caches glyphs
    std::vector<double> times;
    for (int i = 0; i < PaintRounds; ++i) {
        const auto start = Clock::now();
        widget.render(&image);
        times.push_back(Seconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

bool ReportPaint(const char* what, std::pair<double, double> t, const char* target)
{
    std::printf("repaint %-22s: median %6.2f ms, slowest %6.2f ms (%s)\n", what, t.first * 1e3, t.second * 1e3,
                target);
    return t.first < FrameSeconds;
}

// Every state in every column, values changing from cell to cell: texts of
// all lengths, every fill and the unfilled cells.
ModeProgram MixedProgram()
{
    std::vector<std::uint8_t> bytes(ModeProgram::Size);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 37 + i / 96);
    ModeProgram program;
    program.ReplaceRaw(bytes);
    return program;
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    bool ok = true;
    {
        bench::SimLine line;
        if (!line.open)
            return 2;
        ModeProgram program;
        const LineResult read = MeasureTransfers(line.sim, line.failures, [&](ModeProgramId id) {
            ReadModeProgram(line.link, id, program);
        });
        const LineResult write = MeasureTransfers(line.sim, line.failures, [&](ModeProgramId id) {
            WriteModeProgram(line.link, id, program);
        });
        Serial::ClosePort();
        if (line.failures) {
            std::fprintf(stderr, "%d transfers failed\n", line.failures);
            return 2;
        }
        ok &= ReportLine("read", read, 3 * 257, 1.05);
        ok &= ReportLine("write", write, 3 * 513, 1.10);
    }

    ControllerLink idle;
    RecordingDialogs dialogs;
    HourlyLogs logs;
    ModeTab tab(TabContext{idle, dialogs, logs});
    tab.setFont(QFont(QStringLiteral("Liberation Sans"), 8));  // the window's font
    tab.ReplaceProgram(MixedProgram());
    tab.resize(689, 466);
    tab.show();
    QApplication::processEvents();
    auto* grid = tab.findChild<ModeGrid*>(QStringLiteral("dgMode"));
    ok &= ReportPaint("of the grid as shown", MeasurePaint(*grid), "target: median under 16 ms");

    // All 97 rows at once, for scale only: the grid never paints more than
    // the rows it shows.
    ModeProgram all = MixedProgram();
    ModeGrid tall;
    tall.setFont(tab.font());
    tall.SetProgram(all);
    tall.resize(grid->width(), grid->height() + grid->verticalHeader()->length() - grid->viewport()->height());
    tall.show();
    QApplication::processEvents();
    ReportPaint("of all 97 rows", MeasurePaint(tall), "no target");

    std::printf("%s\n", ok ? "targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
