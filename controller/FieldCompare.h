// What changed between two copies of a block, named in the window's words:
// "Max. stř. teplota: 75 → 80", "Topná voda -10 °C: 62 → 64",
// "Středa 6:15 hod: T 21 °C → E +10%".  Derived from the block's field
// table: a field is named when what the window would show for it differs,
// so a byte the window shows the same either way (a spin value beyond its
// range, a carried end row) is left to the byte-by-byte view.
#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "controller/FieldTable.h"
#include "link/PageMap.h"

struct FieldChange {
    QString name;  // ends in ":"
    QString before, after;

    // "name before → after"
    QString Text() const;
    friend bool operator==(const FieldChange&, const FieldChange&) = default;
};

// The changes of one row, appended in the order of the row's places.
void AddChanges(const FieldSpec& row, std::span<const std::uint8_t> before, std::span<const std::uint8_t> after,
                std::vector<FieldChange>& changes);

// In the order of the table's rows.
template <typename Model, std::size_t N, std::size_t Size>
std::vector<FieldChange> ChangedFields(const BlockTable<Model, N, Size>& table,
                                       std::type_identity_t<std::span<const std::uint8_t, Size>> before,
                                       std::type_identity_t<std::span<const std::uint8_t, Size>> after)
{
    std::vector<FieldChange> changes;
    for (const FieldSpec& row : table)
        AddChanges(row, before, after, changes);
    return changes;
}

// The changes of one EEPROM page by the table of the block it belongs to:
// the constants, the curve, the wall table and the time programs.  The log
// pages have no fields: nothing.
std::vector<FieldChange> ChangedFieldsOfPage(int page, const PageBuffer& before, const PageBuffer& after);
