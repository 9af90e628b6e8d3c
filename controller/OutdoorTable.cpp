#include "controller/OutdoorTable.h"

#include "controller/IntegerText.h"
#include "controller/Units.h"

QString OutdoorTable::Key(int row)
{
    return CelsiusText(Temperature(row));
}

int OutdoorTable::NumberOf(QStringView value)
{
    return ParseIntegerText(value).value_or(NotAnIntegerValue);
}

OutdoorTable DecodeOutdoorPage(const OutdoorPage& page, const PageBuffer& bytes)
{
    return DecodeFields(page.fields, bytes);
}

std::optional<PageBuffer> EncodeOutdoorPage(const OutdoorPage& page, const OutdoorTable& table)
{
    PageBuffer bytes{};
    if (!EncodeFields(page.fields, table, bytes))
        return std::nullopt;
    return bytes;
}

PageCodec<OutdoorTable, OutdoorPage::RowsAndEnds, Page::Size> OutdoorCodec(const OutdoorPage& page)
{
    return {page.page, false, page.fields};
}

Transfer ReadOutdoor(ControllerLink& link, const OutdoorPage& page, OutdoorTable& table)
{
    return ReadBlock(link, OutdoorCodec(page), table);
}

Transfer WriteOutdoor(ControllerLink& link, const OutdoorPage& page, const OutdoorTable& table)
{
    return WriteBlock(link, OutdoorCodec(page), table);
}
