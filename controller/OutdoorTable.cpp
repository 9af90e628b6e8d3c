#include "controller/OutdoorTable.h"

#include <algorithm>

#include "controller/IntegerText.h"

namespace {

// Byte 128 holds 0 °C.
constexpr int ZeroByte = 128;

// The row whose value byte i of the page takes.
int RowOfByte(int i)
{
    return std::clamp(i - ZeroByte, OutdoorTable::FirstTemperature, OutdoorTable::LastTemperature) -
           OutdoorTable::FirstTemperature;
}

// One byte of the page under the rule; the rules themselves are the field
// table's, so a byte means the same here as on every other page.
FieldSpec ByteAt(int offset, Encoding byteRule)
{
    return FieldSpec{{}, FieldKind::Spin, offset, byteRule};
}

template <Encoding ByteRule>
OutdoorTable DecodePages(std::span<const std::uint8_t> pages)
{
    PageBuffer page;
    std::copy_n(pages.begin(), page.size(), page.begin());
    return DecodeOutdoorPage(page, ByteRule);
}

template <Encoding ByteRule>
bool EncodePages(const OutdoorTable& table, std::span<std::uint8_t> pages)
{
    const auto page = EncodeOutdoorPage(table, ByteRule);
    if (!page)
        return false;
    std::copy(page->begin(), page->end(), pages.begin());
    return true;
}

}  // namespace

QString OutdoorTable::Key(int row)
{
    return QStringLiteral("%1 °C").arg(Temperature(row));
}

int OutdoorTable::Number(int row) const
{
    return ParseIntegerText(Value(row)).value_or(NotAnIntegerValue);
}

QString OutdoorTable::Line(int row) const
{
    return Key(row) + u'=' + Value(row);
}

QStringList OutdoorTable::Lines() const
{
    QStringList lines;
    lines.reserve(RowCount);
    for (int row = 0; row < RowCount; ++row)
        lines.push_back(Line(row));
    return lines;
}

std::optional<OutdoorTable> OutdoorTable::FromLines(const QStringList& lines)
{
    if (lines.size() != RowCount)
        return std::nullopt;
    OutdoorTable table;
    for (int row = 0; row < RowCount; ++row) {
        const QString& line = lines[row];
        const qsizetype equals = line.indexOf(u'=');
        table.SetValue(row, equals < 0 ? QString() : line.mid(equals + 1));
    }
    return table;
}

OutdoorTable DecodeOutdoorPage(const PageBuffer& page, Encoding byteRule)
{
    OutdoorTable table;
    for (int row = 0; row < OutdoorTable::RowCount; ++row) {
        int value = 0;
        DecodeField(ByteAt(ZeroByte + OutdoorTable::Temperature(row), byteRule), &value, page);
        table.SetValue(row, QString::number(value));
    }
    return table;
}

std::optional<PageBuffer> EncodeOutdoorPage(const OutdoorTable& table, Encoding byteRule)
{
    std::array<int, OutdoorTable::RowCount> numbers;
    for (int row = 0; row < OutdoorTable::RowCount; ++row) {
        numbers[std::size_t(row)] = table.Number(row);
        if (!FieldFits(ByteAt(0, byteRule), &numbers[std::size_t(row)]))
            return std::nullopt;
    }
    PageBuffer page{};
    for (int i = 0; i < Page::Size; ++i)
        EncodeField(ByteAt(i, byteRule), &numbers[std::size_t(RowOfByte(i))], page);
    return page;
}

namespace {
const PageCodec<OutdoorTable> EkvithCodec{Page::Ekvith, 1, false, &DecodePages<Encoding::Unsigned8>,
                                          &EncodePages<Encoding::Unsigned8>};
const PageCodec<OutdoorTable> WallCodec{Page::Wall, 1, false, &DecodePages<Encoding::Signed8>,
                                        &EncodePages<Encoding::Signed8>};
}  // namespace

Transfer ReadEkvith(ControllerLink& link, OutdoorTable& table)
{
    return ReadBlock(link, EkvithCodec, table);
}

Transfer WriteEkvith(ControllerLink& link, const OutdoorTable& table)
{
    return WriteBlock(link, EkvithCodec, table);
}

Transfer ReadWall(ControllerLink& link, OutdoorTable& table)
{
    return ReadBlock(link, WallCodec, table);
}

Transfer WriteWall(ControllerLink& link, const OutdoorTable& table)
{
    return WriteBlock(link, WallCodec, table);
}
