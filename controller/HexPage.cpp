#include "controller/HexPage.h"

#include "controller/IntegerText.h"

namespace HexGrid {

QString RowLabel(int row)
{
    return ByteAddress(row * BytesPerRow) + QLatin1Char(':');
}

QString ByteAddress(int index)
{
    return QLatin1Char('$') + ByteText(std::uint8_t(index));
}

QString ByteText(std::uint8_t byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

std::optional<int> ByteIndex(int column, int row)
{
    if (row < 0 || row >= Rows || column < LabelColumns || column >= Columns)
        return std::nullopt;
    return row * BytesPerRow + column - LabelColumns;
}

QString CellText(const PageBuffer& buffer, int column, int row)
{
    if (const auto index = ByteIndex(column, row))
        return ByteText(buffer[std::size_t(*index)]);
    if (column == 0 && row >= 0 && row < Rows)
        return RowLabel(row);
    return {};
}

int TextIndent(int column)
{
    return column < LabelColumns ? LabelIndent : ByteIndent;
}

std::optional<std::uint8_t> ParseCellEdit(QStringView text)
{
    // QString's own number parsing would take "+7", " 7" or "0x"; only the
    // two digits themselves make a byte.
    if (text.size() != 2)
        return std::nullopt;
    const int high = HexDigitValue(text[0]);
    const int low = HexDigitValue(text[1]);
    if (high < 0 || low < 0)
        return std::nullopt;
    return std::uint8_t(high * 16 + low);
}

bool ApplyCellEdit(PageBuffer& buffer, int column, int row, QStringView text)
{
    const auto index = ByteIndex(column, row);
    const auto byte = ParseCellEdit(text);
    if (!index || !byte)
        return false;
    buffer[std::size_t(*index)] = *byte;
    return true;
}

}  // namespace HexGrid
