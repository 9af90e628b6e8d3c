// The hex grid's texts and its edit rule.
#include <gtest/gtest.h>

#include "controller/HexPage.h"

namespace {

using namespace HexGrid;

TEST(HexPage, AnEditIsExactlyTwoHexDigitsOfEitherCase)
{
    const std::pair<const char16_t*, std::optional<std::uint8_t>> cases[] = {
        {u"7f", 0x7F}, {u"7F", 0x7F}, {u"Aa", 0xAA}, {u"09", 0x09}, {u"7", {}},   {u"7G", {}},  {u"7FF", {}},
        {u"", {}},     {u" 7", {}},    {u"+7", {}},   {u"0x", {}},   {u"@0", {}}, {u"/0", {}},  {u"7:", {}},
        {u"`0", {}},   {u"g0", {}},    {u"７F", {}},  {u"٧F", {}},
    };
    for (const auto& [text, byte] : cases)
        EXPECT_EQ(ParseCellEdit(text), byte) << QString::fromUtf16(text).toStdString();
    for (int value = 0; value < 256; ++value) {
        const QString text = ByteText(std::uint8_t(value));
        ASSERT_EQ(text, text.toUpper());
        ASSERT_EQ(ParseCellEdit(text), value);
        ASSERT_EQ(ParseCellEdit(text.toLower()), value);
    }
}

TEST(HexPage, RowLabelsAndCellAddresses)
{
    const char* labels[] = {"$00:", "$10:", "$20:", "$30:", "$40:", "$50:", "$60:", "$70:",
                            "$80:", "$90:", "$A0:", "$B0:", "$C0:", "$D0:", "$E0:", "$F0:"};
    PageBuffer page;
    for (int i = 0; i < 256; ++i)
        page[std::size_t(i)] = std::uint8_t(i);
    for (int row = 0; row < Rows; ++row) {
        EXPECT_EQ(CellText(page, 0, row), QString::fromLatin1(labels[row]));
        for (int column = 1; column < Columns; ++column)
            EXPECT_EQ(CellText(page, column, row), ByteText(std::uint8_t(row * 16 + column - 1)));
    }
    EXPECT_EQ(ByteIndex(1, 2), 0x20);
    EXPECT_EQ(ByteIndex(16, 15), 0xFF);
    for (auto [column, row] : {std::pair{0, 0}, {17, 0}, {1, 16}, {1, -1}})
        EXPECT_FALSE(ByteIndex(column, row)) << column << "," << row;
    EXPECT_FALSE(ApplyCellEdit(page, 0, 2, u"55"));  // a label holds no byte
}

}  // namespace
