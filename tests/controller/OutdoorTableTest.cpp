#include "controller/OutdoorTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Rule {
    const char* name;
    const OutdoorPage* page;
    int (*read)(std::uint8_t);  // what a byte means under the rule
};

const Rule Rules[] = {
    {"curve", &EkvithPage, [](std::uint8_t b) { return int(b); }},
    {"wall", &WallPage, [](std::uint8_t b) { return int(std::int8_t(b)); }},
};

OutdoorTable TableOf(const std::vector<QString>& values)
{
    OutdoorTable table;
    for (int row = 0; row < OutdoorTable::RowCount; ++row)
        table.SetValue(row, values[std::size_t(row) % values.size()]);
    return table;
}

TEST(OutdoorTable, KeysAndValues)
{
    EXPECT_EQ(OutdoorTable::RowCount, 66);
    EXPECT_EQ(OutdoorTable::Key(0), QStringLiteral("-40 °C"));
    EXPECT_EQ(OutdoorTable::Key(40), QStringLiteral("0 °C"));
    EXPECT_EQ(OutdoorTable::Key(65), QStringLiteral("25 °C"));

    OutdoorTable table;
    for (int row = 0; row < OutdoorTable::RowCount; ++row)
        EXPECT_EQ(table.Value(row), QString()) << row;  // a new table is empty
    table.SetValue(0, QStringLiteral("79"));
    table.SetValue(65, QStringLiteral("a=b"));
    table.SetValue(1, QStringLiteral("x=1"));
    // A value is kept as it stands, "=" and all, and belongs to its row only.
    EXPECT_EQ(table.Value(0), QStringLiteral("79"));
    EXPECT_EQ(table.Value(1), QStringLiteral("x=1"));
    EXPECT_EQ(table.Value(2), QString());
    EXPECT_EQ(table.Value(65), QStringLiteral("a=b"));
    OutdoorTable copy = table;
    EXPECT_EQ(copy, table);
    copy.SetValue(2, QStringLiteral("0"));
    EXPECT_NE(copy, table);
}

TEST(OutdoorTable, ValuesReadByTheIntegerRuleElseTwenty)
{
    const struct {
        const char* text;
        int number;
    } cases[] = {
        {"79", 79},  {" 7", 7},   {"+7", 7},   {"-2", -2}, {"$1F", 31},  {"0x1f", 31}, {"x10", 16},
        {"", 20},    {"abc", 20}, {"1.5", 20}, {"7 ", 20}, {"0x", 20},   {"--1", 20},
        {"2147483647", 2147483647}, {"2147483648", 20},
    };
    for (const auto& c : cases) {
        OutdoorTable table;
        table.SetValue(3, QString::fromUtf8(c.text));
        EXPECT_EQ(table.Number(3), c.number) << c.text;
    }
}

// Every byte value at every row position, under both rules: decoding shows
// the byte's number, encoding that number gives the byte back, and the end
// rows fill the rest of the page.
TEST(OutdoorPage, EveryByteRoundTripsUnderItsRule)
{
    for (const Rule& rule : Rules) {
        for (int start = 0; start < 256; ++start) {
            PageBuffer page{};
            for (int i = 0; i < 256; ++i)
                page[std::size_t(i)] = std::uint8_t((start + i * 7) & 0xFF);
            const OutdoorTable table = DecodeOutdoorPage(*rule.page, page);
            for (int row = 0; row < 66; ++row)
                ASSERT_EQ(table.Value(row), QString::number(rule.read(page[std::size_t(88 + row)])))
                    << rule.name << " row " << row;

            const auto encoded = EncodeOutdoorPage(*rule.page, table);
            ASSERT_TRUE(encoded) << rule.name;
            for (int i = 0; i < 256; ++i) {
                const int from = i < 88 ? 88 : i > 153 ? 153 : i;
                ASSERT_EQ((*encoded)[std::size_t(i)], page[std::size_t(from)]) << rule.name << " byte " << i;
            }
        }
    }
}

TEST(OutdoorPage, WriteCarriesTheEndRowsOverThePage)
{
    OutdoorTable table;
    for (int row = 0; row < 66; ++row)
        table.SetValue(row, QString::number(79 - row * 45 / 65));
    ASSERT_EQ(table.Value(0), QStringLiteral("79"));
    ASSERT_EQ(table.Value(65), QStringLiteral("34"));
    for (const Rule& rule : Rules) {
        const auto page = EncodeOutdoorPage(*rule.page, table);
        ASSERT_TRUE(page);
        std::vector<std::uint8_t> expected(88, 79);
        for (int row = 0; row < 66; ++row)
            expected.push_back(std::uint8_t(79 - row * 45 / 65));
        expected.insert(expected.end(), 102, 34);
        EXPECT_EQ(std::vector<std::uint8_t>(page->begin(), page->end()), expected) << rule.name;
    }
}

TEST(OutdoorPage, ValuesThatAreNotIntegersAreWrittenAsTwenty)
{
    const OutdoorTable table = TableOf({QString(), QStringLiteral("abc"), QStringLiteral("12.5"), QStringLiteral("99999999999")});
    for (const Rule& rule : Rules) {
        const auto page = EncodeOutdoorPage(*rule.page, table);
        ASSERT_TRUE(page);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ((*page)[std::size_t(i)], 20) << rule.name << " byte " << i;
    }
}

// The curve refuses a value outside 0..255 in any row, the end rows
// included; the wall keeps the low eight bits of anything.
TEST(OutdoorPage, CurveRefusesWhatTheWallWrapsAround)
{
    const struct {
        const char* value;
        std::optional<std::uint8_t> curve;
        std::uint8_t wall;
    } cases[] = {
        {"0", 0, 0x00},          {"255", 255, 0xFF},      {"-2", std::nullopt, 0xFE},
        {"-1", std::nullopt, 0xFF}, {"256", std::nullopt, 0x00}, {"300", std::nullopt, 0x2C},
        {"-129", std::nullopt, 0x7F}, {"$FFFFFFFF", std::nullopt, 0xFF},
    };
    for (const auto& c : cases) {
        for (int row : {0, 30, 65}) {
            OutdoorTable table = TableOf({QStringLiteral("50")});
            table.SetValue(row, QString::fromUtf8(c.value));
            const int byte = row == 0 ? 0 : row == 65 ? 255 : 88 + row;

            const auto curve = EncodeOutdoorPage(EkvithPage, table);
            EXPECT_EQ(curve.has_value(), c.curve.has_value()) << c.value << " row " << row;
            if (curve && c.curve) {
                EXPECT_EQ((*curve)[std::size_t(byte)], *c.curve) << c.value;
            }

            const auto wall = EncodeOutdoorPage(WallPage, table);
            ASSERT_TRUE(wall) << c.value;
            EXPECT_EQ((*wall)[std::size_t(byte)], c.wall) << c.value << " row " << row;
        }
    }
}

}  // namespace
