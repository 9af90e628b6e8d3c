// The logged hours as points over the heating curve: which logs are paired,
// when there are none and why, and where the points lie on the graph.
#include "controller/MeasuredHours.h"

#include <gtest/gtest.h>

#include "LogReads.h"
#include "controller/EkvithGraph.h"
#include "controller/Lists.h"

namespace {

using namespace logs_test;
using State = MeasuredHours::State;

const QDateTime Now(QDate(2024, 1, 1), QTime(7, 42));
constexpr std::uint8_t Outdoor = SensorId::Outdoor, Water = SensorId::OutletWater, Indoor = 3;

// Log 1 holds e − 20, log 2 holds 30 + e mod 60, log 3 holds 100 + e: the
// log a point came from shows in its numbers.
const std::array<PageBuffer, 4> Rings{Ring([](int e) { return e - 20; }), Ring([](int e) { return 30 + e % 60; }),
                                      Ring([](int e) { return 100 + e; }), {}};

ReadLogs Logs(std::uint8_t log1, std::uint8_t log2, std::uint8_t log3, std::uint8_t index = 0)
{
    return ReadLogs(Now, {{Now, Page0(index, log1, log2, log3), Rings}});
}

TEST(MeasuredHours, EachHourPairsItsOutdoorAndWaterTemperature)
{
    const MeasuredHours m = PairMeasuredHours(Logs(Water, Indoor, Outdoor, 0x10).Logs());
    ASSERT_EQ(m.state, State::Ready);
    EXPECT_EQ(m.outdoorColumn, 3);
    EXPECT_EQ(m.waterColumn, 1);
    ASSERT_EQ(m.hours.size(), 256u);
    // Row r holds entry (0x10 + r) mod 256; row 256 the newest, entry 0x10.
    EXPECT_EQ(m.hours[255], (MeasuredHour{std::int8_t(100 + 0x10), 0x10 - 20}));
    EXPECT_EQ(m.hours[0], (MeasuredHour{std::int8_t(100 + 0x11), 0x11 - 20}));
    EXPECT_EQ(MeasuredHoursTip(m, 17),
              QStringLiteral("Každá hodina záznamů jako bod: „Venkovní“ vodorovně, „Výst. voda“ svisle. V rozsahu "
                             "grafu je 17 z 256 hodin."));
}

TEST(MeasuredHours, NoneWithoutBothRolesAndTheTipSaysWhy)
{
    const ReadLogs never(Now);
    const MeasuredHours notRead = PairMeasuredHours(never.Logs());
    EXPECT_EQ(notRead.state, State::NotRead);
    EXPECT_TRUE(notRead.hours.empty());
    EXPECT_TRUE(MeasuredHoursTip(notRead, 0).contains(QStringLiteral("Načtěte nejprve záznamy")));

    struct Case {
        std::uint8_t log1, log2, log3;
        const char* missing;
    };
    for (const Case& c : {Case{Indoor, Water, 9, "„Venkovní“."}, Case{Outdoor, Indoor, 0xFF, "„Výst. voda“."},
                          Case{Indoor, 5, 6, "„Venkovní“ ani „Výst. voda“."}}) {
        const MeasuredHours m = PairMeasuredHours(Logs(c.log1, c.log2, c.log3).Logs());
        EXPECT_EQ(m.state, State::MissingRoles) << c.missing;
        EXPECT_TRUE(m.hours.empty()) << c.missing;
        const QString tip = MeasuredHoursTip(m, 0);
        EXPECT_TRUE(tip.contains(QStringLiteral("roli ") + QString::fromUtf8(c.missing))) << tip.toStdString();
    }
}

TEST(MeasuredHours, ARoleLoggedTwiceTakesTheFirstLog)
{
    const MeasuredHours m = PairMeasuredHours(Logs(Water, Outdoor, Outdoor).Logs());
    ASSERT_EQ(m.state, State::Ready);
    EXPECT_EQ(m.outdoorColumn, 2);
    EXPECT_EQ(m.hours[255], (MeasuredHour{30, -20}));
}

TEST(MeasuredHours, LogsOfDifferentReadsAreNeverPaired)
{
    // The second read fails after log 1: log 1 holds its hours, logs 2 and
    // 3 the first read's.
    ReadLogs logs = Logs(Outdoor, Water, Indoor);
    logs.Add({Now.addSecs(3600), Page0(0x01, Outdoor, Water, Indoor), Rings, 1});
    const MeasuredHours apart = PairMeasuredHours(logs.Logs());
    EXPECT_EQ(apart.state, State::DifferentReads);
    EXPECT_TRUE(apart.hours.empty());
    EXPECT_TRUE(MeasuredHoursTip(apart, 0).contains(QStringLiteral("z různých načtení")));

    // With the outdoor sensor in log 3 as well, that log and the water's
    // come from one read: they are paired.
    ReadLogs twice = Logs(Outdoor, Water, Outdoor);
    twice.Add({Now.addSecs(3600), Page0(0x01, Outdoor, Water, Outdoor), Rings, 1});
    const MeasuredHours paired = PairMeasuredHours(twice.Logs());
    ASSERT_EQ(paired.state, State::Ready);
    EXPECT_EQ(paired.outdoorColumn, 3);
    EXPECT_EQ(paired.waterColumn, 2);
}

TEST(MeasuredHours, PointsOnTheCurvesScalesOnlyInsideTheGraph)
{
    const int h = 321;
    const std::vector<MeasuredHour> hours{{-40, 20}, {25, 100}, {0, 50}, {-41, 50}, {26, 50},
                                          {0, 19},   {0, 101},  {-5, 60}};
    EXPECT_EQ(EkvithMeasuredPoints(hours, h),
              (std::vector<GraphPoint>{{30, h - 40}, {420, h - 280}, {270, h - 130}, {240, h - 160}}));
    // On the curve's own scale: a point measured where the curve runs lies on it.
    OutdoorTable table;
    table.SetValue(35, QStringLiteral("60"));  // −5 °C
    EXPECT_EQ(EkvithGraphPoints(table, h)[35], EkvithMeasuredPoints({{-5, 60}}, h).front());
}

}  // namespace
