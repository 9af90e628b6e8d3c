// The grid's texts, the clipboard text and the CSV bytes of fixed page sets,
// compared byte for byte with files the program wrote before its logs had a
// numeric model behind them: however the numbers are kept, what the user
// sees, copies and saves stays as it was.
#include <gtest/gtest.h>

#include <QDir>

#include "controller/Logs.h"
#include "files/LogCsv.h"
#include "tests/support/FileBytes.h"

namespace {

const QDateTime MondayMorning(QDate(2024, 1, 1), QTime(7, 42, 13));

template <typename F>
PageBuffer Ring(F entry)
{
    PageBuffer page;
    for (int e = 0; e < 256; ++e)
        page[std::size_t(e)] = std::uint8_t(entry(e));
    return page;
}

PageBuffer Page0(std::uint8_t index, std::uint8_t log1, std::uint8_t log2, std::uint8_t log3)
{
    PageBuffer page{};
    page[6] = index, page[41] = log1, page[42] = log2, page[43] = log3;
    return page;
}

// One "Načíst": the labels at `now`, page 0, then the first `columns` of
// the four rings (fewer than 4 when a page read failed).
struct Read {
    QDateTime now;
    PageBuffer page0;
    std::array<PageBuffer, 4> rings;
    int columns;
};

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

// ---- The one place that knows how the logs are filled. -----------------
LogTable Fill(const Set& set)
{
    LogTable table;
    table.SetHeadings();
    table.SetTimeLabels(MondayMorning);
    for (const Read& read : set.reads) {
        table.SetTimeLabels(read.now);
        const LogLayout layout = DecodeLogLayout(read.page0);
        for (int column = 1; column <= read.columns; ++column)
            table.SetColumn(column, read.rings[std::size_t(column - 1)], layout);
    }
    return table;
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
        const LogTable table = Fill(set);
        EXPECT_EQ(TableText(table), Contents(Expected(set.name, "table.txt"))) << set.name;
        EXPECT_EQ(table.ClipboardText(1, Logs::Hours).toUtf8(), Contents(Expected(set.name, "clipboard.txt")))
            << set.name;
        EXPECT_EQ(LogCsvBytes(table), Contents(Expected(set.name, "csv"))) << set.name;
    }
}

}  // namespace
