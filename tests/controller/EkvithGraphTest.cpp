#include "controller/EkvithGraph.h"

#include <gtest/gtest.h>

namespace {

TEST(EkvithGraph, PointsHoldTheRowsToTwentyToAHundredDegrees)
{
    for (int h : {321, 400}) {
        const auto empty = EkvithGraphPoints(OutdoorTable{}, h);
        for (int k = 0; k < 66; ++k)
            ASSERT_EQ(empty[std::size_t(k)], (GraphPoint{30 + 6 * k, h - 40})) << k;

        OutdoorTable table;
        const struct {
            int row;
            const char* value;
            int y;
        } cases[] = {
            {0, "100", h - 280}, {1, "300", h - 280}, {2, "101", h - 280}, {3, "20", h - 40},
            {4, "19", h - 40},   {5, "-5", h - 40},   {6, "60", h - 160},  {7, "abc", h - 40},
            {8, "$15", h - 43},  {9, "99", h - 277},  {65, "55", h - 145},
        };
        for (const auto& c : cases)
            table.SetValue(c.row, QString::fromUtf8(c.value));
        const auto points = EkvithGraphPoints(table, h);
        for (const auto& c : cases)
            EXPECT_EQ(points[std::size_t(c.row)], (GraphPoint{30 + 6 * c.row, c.y})) << c.value << " at " << h;
        EXPECT_EQ(points[65].x, 420);
    }
}

TEST(EkvithGraph, GridScalesAxesAndTitles)
{
    const int h = 321;
    const EkvithGraphFrame f = EkvithGraphLayout(h);
    ASSERT_EQ(f.outdoorLabels.size(), 14u);
    ASSERT_EQ(f.outdoorLines.size(), 14u);
    ASSERT_EQ(f.waterLabels.size(), 9u);
    ASSERT_EQ(f.waterLines.size(), 9u);

    EXPECT_EQ(f.outdoorLabels[0], (GraphText{{22, h - 35}, QStringLiteral("-40")}));
    EXPECT_EQ(f.outdoorLabels[8], (GraphText{{262, h - 35}, QStringLiteral("  0")}));
    EXPECT_EQ(f.outdoorLabels[13], (GraphText{{412, h - 35}, QStringLiteral(" 25")}));
    EXPECT_EQ(f.outdoorLines[0], (GraphLine{{30, h - 40}, {30, h - 290}}));
    EXPECT_EQ(f.outdoorLines[13], (GraphLine{{420, h - 40}, {420, h - 290}}));

    EXPECT_EQ(f.waterLabels[0], (GraphText{{6, h - 46}, QStringLiteral(" 20")}));
    EXPECT_EQ(f.waterLabels[8], (GraphText{{6, h - 286}, QStringLiteral("100")}));
    EXPECT_EQ(f.waterLines[0], (GraphLine{{30, h - 40}, {430, h - 40}}));
    EXPECT_EQ(f.waterLines[8], (GraphLine{{30, h - 280}, {430, h - 280}}));

    EXPECT_EQ(f.outdoorAxis, (GraphLine{{30, h - 39}, {440, h - 39}}));
    EXPECT_EQ(f.waterAxis, (GraphLine{{29, h - 40}, {29, h - 300}}));
    EXPECT_EQ(f.outdoorTitle, (GraphText{{350, h - 20}, QStringLiteral("Venkovní teplota [°C]")}));
    EXPECT_EQ(f.waterTitle, (GraphText{{5, h - 315}, QStringLiteral("Topná voda [°C]")}));

    // The curve's points lie on the grid's scales: 0 °C outdoors on the
    // 0 °C line, 60 °C of water on the 60 °C line.
    OutdoorTable table;
    table.SetValue(40, QStringLiteral("60"));
    const GraphPoint p = EkvithGraphPoints(table, h)[40];
    EXPECT_EQ(p.x, f.outdoorLines[8].from.x);
    EXPECT_EQ(p.y, f.waterLines[4].from.y);
}

}  // namespace
