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

Transfer ReadOutdoor(ControllerLink& link, const OutdoorPage& page, OutdoorTable& table)
{
    return ReadBlock(link, PageCodec{page.page, false, page.fields}, table);
}

Transfer WriteOutdoor(ControllerLink& link, const OutdoorPage& page, const OutdoorTable& table)
{
    return WriteBlock(link, PageCodec{page.page, false, page.fields}, table);
}
