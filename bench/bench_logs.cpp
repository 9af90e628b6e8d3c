// "Načíst" on the tab "Záznamy" against the simulator at 9600 baud: five
// page reads, measured against the line time of the 5 × 257 bytes that
// cross the line, with the grid and the chart shown as the pages arrive.
// Showing the pages must vanish beside the line, so the fill of the whole
// table (256 time labels, four columns of 256 texts) with the grid's
// repaint, and the chart of a full ring laid out and painted, are measured
// on their own as well.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/LineTime.h"
#include "shell/RecordingDialogs.h"
#include "ui/LogChartImage.h"
#include "ui/LogsTab.h"
#include "ui/MainUnit.h"

namespace {

using namespace bench;
using Clock = std::chrono::steady_clock;

constexpr int ReadRounds = 3;
constexpr int FillRounds = 50;
constexpr int ChartRounds = 100;
constexpr double ReadTarget = 1.05;
constexpr double FillTargetMs = 20.0;
constexpr double ChartTargetMs = 16.0;  // one frame at 60 Hz

// The window finds its port through the settings file, as it does at a
// technician's desk.
bool PointComPortAt(const QTemporaryDir& dir, const std::string& link)
{
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir.path()));
    if (!QDir(dir.path()).mkpath(QStringLiteral("VESK")))
        return false;
    QFile file(dir.filePath(QStringLiteral("VESK/VESK.ini")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("[Ports]\nCOM1=" + QByteArray::fromStdString(link) + "\n");
    return true;
}

PageBuffer Pattern(int seed)
{
    PageBuffer page;
    for (int i = 0; i < 256; ++i)
        page[std::size_t(i)] = std::uint8_t(i * 7 + seed);
    return page;
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    SimProcess sim(VESK_SIM_PATH, {"--line-speed", std::to_string(Baud)});
    QTemporaryDir settings;
    if (!settings.isValid() || !PointComPortAt(settings, sim.LinkPath())) {
        std::fprintf(stderr, "cannot write the settings file\n");
        return 2;
    }
    RecordingDialogs dialogs;
    TMainForm form(&dialogs);
    form.show();
    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl"));
    auto* read = form.findChild<QPushButton*>(QStringLiteral("btRead"));
    // The tab's widgets are there once it is shown.
    pages->setCurrentWidget(form.findChild<QWidget*>(QStringLiteral("tsLogs")));
    QApplication::processEvents();
    auto* tab = form.findChild<LogsTab*>(QStringLiteral("tsLogs"));
    auto* grid = form.findChild<QTableView*>(QStringLiteral("sgLogs"));
    auto* chart = form.findChild<LogChartImage*>(QStringLiteral("imLogsChart"));

    std::size_t txBefore = sim.TxLines().size();
    auto start = Clock::now();
    for (int i = 0; i < ReadRounds; ++i) {
        read->click();
        QApplication::processEvents();  // the repaint the read caused
    }
    const double readTime = Seconds(Clock::now() - start) / ReadRounds;
    const double readLate = SimulatorLateness(sim, txBefore) / ReadRounds;
    if (!dialogs.entries.empty()) {
        std::fprintf(stderr, "the read failed: %s\n", qPrintable(dialogs.entries.front().text));
        return 2;
    }

    // The fill as a read does it, page by page, then one synchronous paint
    // of the grid; a different pattern each round so every cell changes.
    // The median is the fill's own cost; the worst also holds whatever else
    // the machine did meanwhile.
    HourlyLogs& logs = tab->WindowLogs();
    auto fill = [&logs](int round) {
        logs.StartRead(QDateTime::currentDateTime());
        const LogLayout layout = DecodeLogLayout(Pattern(round));
        for (int column = Logs::FirstValueColumn; column <= Logs::BoilerColumn; ++column)
            logs.SetColumn(column, Pattern(round + column), layout);
    };
    std::vector<double> fills, paints;
    for (int round = 0; round < FillRounds; ++round) {
        start = Clock::now();
        fill(round);
        const auto filled = Clock::now();
        grid->repaint();
        fills.push_back(Seconds(Clock::now() - start));
        paints.push_back(Seconds(Clock::now() - filled));
    }
    std::sort(fills.begin(), fills.end());
    std::sort(paints.begin(), paints.end());
    const double medianFill = fills[fills.size() / 2], worstFill = fills.back();

    // The chart of a full ring, new values each round: laid out afresh and
    // painted, as after every page of a read.
    std::vector<double> charts;
    for (int round = 0; round < ChartRounds; ++round) {
        fill(FillRounds + round);
        start = Clock::now();
        chart->repaint();
        charts.push_back(Seconds(Clock::now() - start));
    }
    std::sort(charts.begin(), charts.end());
    const double medianChart = charts[charts.size() / 2], worstChart = charts.back();
    form.close();

    const double readLine = 5 * 257 * ByteSeconds;
    const double readRatio = readTime / readLine;
    std::printf("logs read : %7.1f ms, line time %6.1f ms, ratio %.3f (target <= %.2f); "
                "simulator late %.2f ms (%.3f of line time), rest %.3f\n",
                readTime * 1e3, readLine * 1e3, readRatio, ReadTarget, readLate * 1e3, readLate / readLine,
                (readTime - readLine - readLate) / readLine);
    std::printf("logs fill : %7.2f ms median of %d fills of 256 x 5 cells with a repaint (target < %.0f ms); "
                "of it the repaint %.2f ms; worst fill %.2f ms\n",
                medianFill * 1e3, FillRounds, FillTargetMs, paints[paints.size() / 2] * 1e3, worstFill * 1e3);
    std::printf("logs chart: %7.2f ms median, %.2f ms worst of %d layouts and paints of a full ring, %d x %d "
                "pixels (target < %.0f ms); median %.4f of the read's line time\n",
                medianChart * 1e3, worstChart * 1e3, ChartRounds, chart->width(), chart->height(), ChartTargetMs,
                medianChart / readLine);
    const bool ok = readRatio <= ReadTarget && medianFill * 1e3 < FillTargetMs && medianChart * 1e3 < ChartTargetMs &&
                    worstChart * 1e3 < ChartTargetMs;
    std::printf("%s\n", ok ? "targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
