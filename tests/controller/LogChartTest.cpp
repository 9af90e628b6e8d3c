// The chart of the logs as plain numbers: scales, the hours' pixel columns,
// points and bars, midnights, the legend and the hour under a point.
#include "controller/LogChart.h"

#include <gtest/gtest.h>

#include "LogReads.h"

namespace {

using namespace logs_test;

const QDateTime MondayMorning(QDate(2024, 1, 1), QTime(7, 42));  // row 1 is Thursday 16:00
// Every character 6 pixels wide, a line 12 high.
const TextMetrics Fixed{[](const QString& text) { return 6 * int(text.size()); }, 12};
constexpr int Width = 297, Height = 380;  // as on the tab

LogChartLayout Chart(const ReadLogs& logs)
{
    return LayOutLogChart(logs.Logs(), Width, Height, Fixed);
}

// All four rings read, under outdoor, outlet water and indoor.
ReadLogs Read(std::uint8_t index, const std::array<PageBuffer, 4>& rings)
{
    return ReadLogs(MondayMorning, {{MondayMorning, Page0(index, 4, 0, 3), rings}});
}

const GraphRect& Plot(const LogChartLayout& chart)
{
    return chart.temperature.plot;
}

TEST(LogChart, ScalesEndOnTicksAsFineAsTheirHeightAllows)
{
    struct Case {
        int min, max, pixels;
        ChartScale scale;
    };
    for (const Case& c : {Case{-20, -5, 200, {-20, -4, 2}}, Case{21, 21, 200, {20, 22, 1}},
                          Case{-128, 127, 200, {-150, 150, 50}}, Case{0, 60, 90, {0, 60, 20}},
                          Case{0, 68, 90, {0, 80, 20}}, Case{-3, 7, 400, {-3, 7, 1}}})
        EXPECT_EQ(NiceScale(c.min, c.max, c.pixels, 18), c.scale) << c.min << ".." << c.max << " over " << c.pixels;
}

TEST(LogChart, BeforeTheFirstReadOnlyTheAxes)
{
    const ReadLogs never(MondayMorning);
    const LogChartLayout chart = Chart(never);
    EXPECT_EQ(chart.temperature.scale, (ChartScale{0, 60, 10}));
    EXPECT_EQ(chart.boiler.scale, (ChartScale{0, 60, 20}));
    EXPECT_EQ(chart.temperature.labels.size(), 7u);
    EXPECT_TRUE(chart.bars.empty());
    for (const auto& line : chart.lines)
        EXPECT_TRUE(line.empty());
    EXPECT_TRUE(chart.legend.empty());
    // The hours are known from the tab's first showing on, their days too.
    EXPECT_FALSE(chart.midnights.empty());
    // The plots take the same room before and after a read.
    const LogChartLayout read = Chart(Read(0, {}));
    EXPECT_EQ(read.temperature.plot.y, chart.temperature.plot.y);
    EXPECT_EQ(read.boiler.plot.Bottom(), chart.boiler.plot.Bottom());
}

TEST(LogChart, AFullRingTilesThePlotsHourByHour)
{
    const ReadLogs logs = Read(0x9C, {Ring([](int e) { return e % 30 - 10; }), Ring([](int e) { return 40 + e % 20; }),
                                      Ring([](int) { return 21; }), Ring([](int e) { return e; })});
    const LogChartLayout chart = Chart(logs);
    const GraphRect& plot = Plot(chart);
    ASSERT_EQ(chart.bars.size(), 256u);
    EXPECT_EQ(chart.bars.front().x, plot.x);
    EXPECT_EQ(chart.bars.back().Right(), plot.Right());
    EXPECT_EQ(chart.boiler.plot.x, plot.x);
    EXPECT_EQ(chart.boiler.plot.width, plot.width);
    for (std::size_t k = 0; k < 3; ++k) {
        ASSERT_EQ(chart.lines[k].size(), 256u) << k;
        for (int row = 1; row <= 256; ++row) {
            const GraphPoint p = chart.lines[k][std::size_t(row - 1)];
            const GraphRect& bar = chart.bars[std::size_t(row - 1)];
            ASSERT_TRUE(p.x >= bar.x && p.x < bar.Right()) << "row " << row;
            ASSERT_TRUE(plot.Contains(p)) << "row " << row;
        }
    }
    for (std::size_t i = 0; i + 1 < chart.bars.size(); ++i) {
        ASSERT_EQ(chart.bars[i].Right(), chart.bars[i + 1].x) << i;
        ASSERT_GE(chart.bars[i].width, 1) << i;
        ASSERT_EQ(chart.bars[i].Bottom(), chart.boiler.plot.Bottom()) << i;
    }
    // 255 × 16 s is 68 minutes: the scale reaches past the hour.
    EXPECT_EQ(chart.boiler.scale.high, 80);
    const auto tallest = std::max_element(chart.bars.begin(), chart.bars.end(),
                                          [](const GraphRect& a, const GraphRect& b) { return a.height < b.height; });
    EXPECT_EQ(tallest->height, std::lround(68.0 / 80 * chart.boiler.plot.height));
}

TEST(LogChart, NegativeTemperaturesOnTheirTicks)
{
    const LogChartLayout chart =
        Chart(Read(0, {Ring([](int e) { return -20 + e % 16; }), Ring([](int) { return -8; }),
                       Ring([](int) { return -5; }), Ring([](int) { return 0; })}));
    const ChartPanel& t = chart.temperature;
    EXPECT_LE(t.scale.low, -20);
    EXPECT_GE(t.scale.high, -5);
    EXPECT_LT(t.scale.high, 0);
    EXPECT_EQ(t.labels.front().text, QString::number(t.scale.low));
    EXPECT_EQ(t.labels.back().text, QString::number(t.scale.high));
    // Colder is lower; the labels stand left of the axis, centred on their
    // grid lines.
    EXPECT_GT(t.ValueY(-20), t.ValueY(-5));
    for (std::size_t i = 0; i < t.labels.size(); ++i) {
        EXPECT_EQ(t.labels[i].at.x + Fixed.width(t.labels[i].text), t.plot.x - 1 - 4) << i;
        EXPECT_EQ(t.labels[i].at.y + 6, t.grid[i].from.y) << i;
    }
    for (const GraphPoint& p : chart.lines[1])
        ASSERT_EQ(p.y, t.ValueY(-8));
    // No boiler time at all: bars of no height.
    for (const GraphRect& bar : chart.bars)
        ASSERT_EQ(bar.height, 0);
}

TEST(LogChart, AllEntriesEqualLieInsideTheScale)
{
    const LogChartLayout chart = Chart(Read(0x40, {Ring([](int) { return 21; }), Ring([](int) { return 21; }),
                                                   Ring([](int) { return 21; }), Ring([](int) { return 0x2D; })}));
    const ChartPanel& t = chart.temperature;
    EXPECT_LT(t.scale.low, 21);
    EXPECT_GT(t.scale.high, 21);
    for (const auto& line : chart.lines)
        for (const GraphPoint& p : line)
            ASSERT_TRUE(p.y == t.ValueY(21) && p.y > t.plot.y && p.y < t.plot.Bottom() - 1);
    // 0x2D is 12 minutes of the scale's 60.
    for (const GraphRect& bar : chart.bars)
        ASSERT_EQ(bar.height, std::lround(12.0 / 60 * chart.boiler.plot.height));
}

TEST(LogChart, TheNewestEntryIsTheLastHourWhereverTheRingStands)
{
    for (int index : {0, 255}) {
        const PageBuffer ring = Ring([](int e) { return e; });
        const LogChartLayout chart = Chart(Read(std::uint8_t(index), {ring, {}, {}, ring}));
        const ChartPanel& t = chart.temperature;
        // Row 256 holds the entry at the log index, row 1 the one after it.
        EXPECT_EQ(chart.lines[0].back().y, t.ValueY(std::int8_t(index))) << index;
        EXPECT_EQ(chart.lines[0].front().y, t.ValueY(std::int8_t((index + 1) % 256))) << index;
        auto height = [&chart](int entry) {
            return std::lround(entry * 16 / 60.0 / chart.boiler.scale.high * chart.boiler.plot.height);
        };
        EXPECT_EQ(chart.bars.front().height, height((index + 1) % 256)) << index;
        EXPECT_EQ(chart.bars.back().height, height(index)) << index;
    }
}

TEST(LogChart, MidnightsAndWeekdays)
{
    const LogChartLayout chart = Chart(ReadLogs(MondayMorning));
    // Thursday 16:00 to Monday 7:00 a week and a half later: eleven
    // midnights, the first before row 9 (Friday 0:00), the last before
    // row 249 (Monday 0:00).
    ASSERT_EQ(chart.midnights.size(), 11u);
    EXPECT_EQ(chart.midnights.front().from, (GraphPoint{chart.HourLeft(9), Plot(chart).y}));
    EXPECT_EQ(chart.midnights.back().to, (GraphPoint{chart.HourLeft(249), chart.boiler.plot.Bottom() - 1}));
    // Only whole days have room for their names: the eight hours of
    // Thursday and of Monday have none.
    QStringList days;
    for (const GraphText& day : chart.days) {
        days << day.text;
        EXPECT_EQ(day.at.y, chart.boiler.plot.Bottom() + 3);
    }
    EXPECT_EQ(days, (QStringList{"Pá", "So", "Ne", "Po", "Út", "St", "Čt", "Pá", "So", "Ne"}));
    // Friday's name centred between its midnights.
    const int friday = chart.midnights[0].from.x, saturday = chart.midnights[1].from.x;
    EXPECT_EQ(chart.days[0].at.x, (friday + saturday - 12) / 2);
}

TEST(LogChart, TheHourUnderAPointAndTheSpanOfHours)
{
    const LogChartLayout chart = Chart(Read(0, {}));
    const GraphRect& plot = Plot(chart);
    const GraphRect& boiler = chart.boiler.plot;
    for (int x = plot.x; x < plot.Right(); ++x) {
        const auto row = chart.RowAt({x, plot.y});
        ASSERT_TRUE(row.has_value()) << x;
        ASSERT_TRUE(chart.Span(*row, *row).Contains({x, plot.y})) << x;
        ASSERT_EQ(chart.RowAt({x, boiler.Bottom() - 1}), row) << x;
        ASSERT_EQ(chart.RowAt({x, plot.Bottom() + 5}), row) << x;  // between the plots
    }
    EXPECT_EQ(chart.RowAt({plot.x, plot.y}), 1);
    EXPECT_EQ(chart.RowAt({plot.Right() - 1, plot.y}), 256);
    for (const GraphPoint off : {GraphPoint{plot.x - 1, plot.y}, GraphPoint{plot.Right(), plot.y},
                                 GraphPoint{plot.x, plot.y - 1}, GraphPoint{plot.x, boiler.Bottom()}})
        EXPECT_EQ(chart.RowAt(off), std::nullopt) << off.x << "," << off.y;
    const GraphRect span = chart.Span(10, 20);
    EXPECT_EQ(span.x, chart.HourLeft(10));
    EXPECT_EQ(span.Right(), chart.HourLeft(21));
    EXPECT_EQ(span.y, plot.y);
    EXPECT_EQ(span.Bottom(), boiler.Bottom());
}

TEST(LogChart, TheLegendNamesTheColumnsReadByTheirHeadings)
{
    const ReadLogs logs = Read(0, {});
    const LogChartLayout chart = Chart(logs);
    ASSERT_EQ(chart.legend.size(), 4u);
    // Two by two, in column order, each entry clear of the others and of
    // the chart's edge and above the plots.
    for (std::size_t i = 0; i < chart.legend.size(); ++i) {
        const ChartLegendItem& item = chart.legend[i];
        EXPECT_EQ(item.column, int(i) + 1);
        EXPECT_EQ(item.text.text, logs.Cell(item.column, 0));
        const int right = item.text.at.x + Fixed.width(item.text.text);
        EXPECT_LE(right, i % 2 ? Width : chart.legend[i + 1].swatch.x) << i;
        EXPECT_EQ(item.text.at.y, chart.legend[i % 2].text.at.y + int(i / 2) * Fixed.height) << i;
        EXPECT_LE(item.text.at.y + Fixed.height, chart.temperature.title.at.y) << i;
    }
    // A column not read leaves its place empty.
    const ReadLogs partly(MondayMorning, {{MondayMorning, Page0(0, 4, 0, 3), {}, 2}});
    const LogChartLayout two = Chart(partly);
    ASSERT_EQ(two.legend.size(), 2u);
    EXPECT_EQ(two.legend[1].text, chart.legend[1].text);
}

}  // namespace
