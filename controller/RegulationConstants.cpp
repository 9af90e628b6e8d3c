#include "controller/RegulationConstants.h"

#include <QCoreApplication>

namespace {

using RC = RegulationConstants;

const FieldSpec* NameSlotOf(int sensor)
{
    for (const FieldSpec& row : ConstantsTable)
        if (row.kind == RowKind::NameSlot && row.number == sensor)
            return &row;
    return nullptr;
}

}  // namespace

const decltype(ConstantsTable)& ConstantsFields()
{
    return ConstantsTable;
}

RC DecodeConstantsPage(const PageBuffer& page)
{
    return DecodeFields(ConstantsTable, page);
}

std::optional<PageBuffer> EncodeConstantsPage(const RC& model, const PageBuffer& page)
{
    PageBuffer out = page;
    if (!EncodeFields(ConstantsTable, model, out))
        return std::nullopt;
    return out;
}

Transfer ReadConstants(ControllerLink& link, RC& model)
{
    return ReadBlock(link, ConstantsCodec, model);
}

Transfer WriteConstants(ControllerLink& link, const RC& model)
{
    return WriteBlock(link, ConstantsCodec, model);
}

QString DecodeSensorName(const PageBuffer& page, int sensor)
{
    const FieldSpec* slot = NameSlotOf(sensor);
    return slot ? std::get<QString>(DecodeRow(*slot, page)) : QString();
}

std::uint8_t DecodeLogIndex(const PageBuffer& page)
{
    static const FieldSpec& row = *FindField(ConstantsTable, u"LogIndex");
    return std::uint8_t(std::get<long long>(DecodeRow(row, page)));
}

QString FormatRunTime(std::uint32_t seconds)
{
    return QCoreApplication::translate("Field", "%1 hod %2 min %3 sec")
        .arg(seconds / 3600)
        .arg(seconds % 3600 / 60)
        .arg(seconds % 60);
}

void ClearRunCount(RC& model)
{
    model.RunCount = 0;
}

void ClearBlrCounter(RC& model)
{
    model.BlrCounter = 0;
}
