#include "controller/FieldCompare.h"

#include <algorithm>
#include <array>

#include "controller/ModeProgram.h"
#include "controller/OutdoorTable.h"
#include "controller/RegulationConstants.h"

namespace {

QString Shown(const FieldSpec& row, std::span<const std::uint8_t> block)
{
    return RowText(row, LimitRow(row, DecodeRow(row, block)));
}

}  // namespace

QString FieldChange::Text() const
{
    return name + u' ' + before + QStringLiteral(" → ") + after;
}

void AddChanges(const FieldSpec& row, std::span<const std::uint8_t> before, std::span<const std::uint8_t> after,
                std::vector<FieldChange>& changes)
{
    if (!row.Decoded())
        return;
    if (row.kind == RowKind::CellRun) {
        for (int place = 0; place < row.width; ++place) {
            const std::uint8_t a = before[std::size_t(row.offset + place)], b = after[std::size_t(row.offset + place)];
            if (a != b)
                changes.push_back({row.elementName(place) + u':', row.text(a), row.text(b)});
        }
        return;
    }
    QString was = Shown(row, before), is = Shown(row, after);
    if (was != is)
        changes.push_back({row.Name(), std::move(was), std::move(is)});
}

std::vector<FieldChange> ChangedFieldsOfPage(int page, const PageBuffer& before, const PageBuffer& after)
{
    if (page == Page::Constants)
        return ChangedFields(ConstantsTable, before, after);
    for (const OutdoorPage* outdoor : {&EkvithPage, &WallPage})
        if (page == outdoor->page)
            return ChangedFields(outdoor->fields, before, after);
    if (page >= Page::ModeA && page < Page::FirstLog) {
        // The page within its program's block; the rest of the block is
        // the same on both sides and names nothing.
        constexpr std::size_t BlockSize = ModeProgramTable.BlockSize;
        const auto at = std::ptrdiff_t((page - Page::ModeA) % Page::ModePages * Page::Size);
        std::array<std::uint8_t, BlockSize> was{}, is{};
        std::copy(before.begin(), before.end(), was.begin() + at);
        std::copy(after.begin(), after.end(), is.begin() + at);
        return ChangedFields(ModeProgramTable, was, is);
    }
    return {};
}
