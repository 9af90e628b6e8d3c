// The grid's texts, the clipboard text and the CSV bytes of fixed page sets,
// compared byte for byte with files the program wrote before its logs had a
// numeric model behind them: however the numbers are kept, what the user
// sees, copies and saves stays as it was.
#include <gtest/gtest.h>

#include <QDir>

#include "LogReads.h"
#include "files/LogCsv.h"
#include "tests/support/FileBytes.h"

namespace {

using namespace logs_test;

const QDateTime MondayMorning(QDate(2024, 1, 1), QTime(7, 42, 13));

// Every entry value in every ring, negative temperatures among them: the
// first ring holds e, the second 255 − e, the others a permutation.
const std::array<PageBuffer, 4> RingsA{Ring([](int e) { return e; }), Ring([](int e) { return 255 - e; }),
                                       Ring([](int e) { return e * 37 + 11; }),
                                       Ring([](int e) { return e * 101 + 7; })};
const std::array<PageBuffer, 4> RingsB{Ring([](int e) { return e * 5 + 128; }), Ring([](int e) { return e ^ 0x5A; }),
                                       Ring([](int) { return 0xF6; }), Ring([](int e) { return 255 - e; })};

struct Set {
    const char* name;
    std::vector<Read> reads;  // none: the tab shown, never read
};

const std::vector<Set>& Sets()
{
    static const std::vector<Set> sets{
        {"never-read", {}},
        // Newest entry at ring position 0: outdoor, outlet water, indoor.
        {"newest-at-0", {{MondayMorning, Page0(0x00, 4, 0, 3), RingsA, 4}}},
        // Newest at 255; a sensor byte past the list and one far past it.
        {"newest-at-255", {{MondayMorning, Page0(0xFF, 9, 4, 0xFF), RingsB, 4}}},
        // A full read, then one five hours later whose third ring failed:
        // columns 1 and 2 new, 3 and 4 as the first read left them.
        {"second-read-failed",
         {{MondayMorning, Page0(0x10, 4, 0, 3), RingsA, 4},
          {MondayMorning.addSecs(5 * 3600), Page0(0xC3, 5, 6, 7), RingsB, 2}}},
    };
    return sets;
}

QByteArray TableText(const LogTable& table)
{
    QString text;
    for (int row = 0; row < Logs::RowCount; ++row) {
        for (int column = 0; column < Logs::ColumnCount; ++column)
            text += (column ? QStringLiteral("\t") : QString()) + table.Cell(column, row);
        text += QLatin1Char('\n');
    }
    return text.toUtf8();
}

QString Expected(const char* set, const char* kind)
{
    return QDir(QStringLiteral(VESK_TEST_DATA)).filePath(QStringLiteral("logs-%1.%2").arg(set, kind));
}

TEST(LogOutput, TableClipboardAndCsvAsBefore)
{
    for (const Set& set : Sets()) {
        const ReadLogs table(MondayMorning, set.reads);
        EXPECT_EQ(TableText(table), Contents(Expected(set.name, "table.txt"))) << set.name;
        EXPECT_EQ(table.ClipboardText(1, Logs::Hours).toUtf8(), Contents(Expected(set.name, "clipboard.txt")))
            << set.name;
        EXPECT_EQ(LogCsvBytes(table), Contents(Expected(set.name, "csv"))) << set.name;
    }
}

}  // namespace
