// A table over outdoor temperatures −40..25 °C, one row per degree: the
// heating curve ("Ekviterma", page 1) and the wall table ("Zeď", page 2).
// Keys are fixed; values are free texts as typed or filled in, read as
// integers only when the table is written, saved or drawn.
//
// The Controller keeps such a table over −128..127 °C, the entry for t at
// byte t + 128; the program edits the middle 66 entries and carries its two
// end rows over the rest of the page when writing.
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

#include "controller/FieldTable.h"
#include "controller/PageTransfer.h"
#include "link/PageMap.h"

class OutdoorTable {
public:
    static constexpr int FirstTemperature = -40;
    static constexpr int LastTemperature = 25;
    static constexpr int RowCount = LastTemperature - FirstTemperature + 1;
    // What a value that is not an integer counts as, when written and drawn.
    static constexpr int NotAnIntegerValue = 20;

    static constexpr int Temperature(int row) { return FirstTemperature + row; }
    // "-40 °C", "0 °C", "25 °C".
    static QString Key(int row);

    const QString& Value(int row) const { return values_[std::size_t(row)]; }
    void SetValue(int row, QString value) { values_[std::size_t(row)] = std::move(value); }
    // The value read by the integer rule, NotAnIntegerValue when it is not one.
    int Number(int row) const { return NumberOf(Value(row)); }
    static int NumberOf(QStringView value);

    // The value of a row, as a field table hands it out.
    static FieldRef RowValue(OutdoorTable& table, int row) { return &table.values_[std::size_t(row)]; }

    friend bool operator==(const OutdoorTable&, const OutdoorTable&) = default;

private:
    std::array<QString, RowCount> values_;
};

// One page of an outdoor table: 66 rows at byte t + 128, the −40 °C row
// carried over bytes 0..87 and the 25 °C row over bytes 154..255 when the
// page is written.  The curve keeps unsigned bytes and refuses a value
// outside 0..255; the wall keeps signed bytes, the low eight bits of any
// value.  Neither reads the page before writing: the program owns it whole.
struct OutdoorPage {
    static constexpr int RowsAndEnds = OutdoorTable::RowCount + 2;

    int page;
    BlockTable<OutdoorTable, RowsAndEnds, Page::Size> fields;
    // The titles of the list's columns, words of the tables (FieldWord).
    const char* keyTitle;
    const char* valueTitle;
};

namespace OutdoorRows {

constexpr int ZeroByte = 128;  // 0 °C

constexpr Field<OutdoorTable> Row(int row, const char* key, RowKind element, const char* valueTitle)
{
    Field<OutdoorTable> f{};
    f.key = key;
    f.kind = RowKind::OutdoorRow;
    f.offset = ZeroByte + OutdoorTable::Temperature(row);
    f.index = row;
    f.number = OutdoorTable::Temperature(row);
    f.element = element;
    f.name = valueTitle;
    f.member = &OutdoorTable::RowValue;
    return f;
}

// The bytes from `from` to `to` repeat the value of `row`.
constexpr Field<OutdoorTable> Carried(int from, int to, int row, RowKind element)
{
    Field<OutdoorTable> f{};
    f.kind = RowKind::Carried;
    f.offset = from;
    f.width = to - from + 1;
    f.index = row;
    f.element = element;
    f.member = &OutdoorTable::RowValue;
    return f;
}

consteval OutdoorPage Make(int page, const char* section, const char* key, RowKind element, const char* valueTitle)
{
    constexpr int last = OutdoorTable::RowCount - 1;
    const auto rows = Concat(std::array{Carried(0, ZeroByte + OutdoorTable::FirstTemperature - 1, 0, element)},
                             Repeat<OutdoorTable::RowCount>([&](int row) { return Row(row, key, element, valueTitle); }),
                             std::array{Carried(ZeroByte + OutdoorTable::LastTemperature + 1, Page::Size - 1, last,
                                                element)});
    return {page, MakeTable<Page::Size>(rows, section), QT_TRANSLATE_NOOP("Field", "Teplota"), valueTitle};
}

}  // namespace OutdoorRows

// Keys "Ekvith-40" … "Ekvith25" in the section "Ekvith", "Wall-40" …
// "Wall25" in "Wall".
inline constexpr OutdoorPage EkvithPage =
    OutdoorRows::Make(Page::Ekvith, "Ekvith", "Ekvith%1", RowKind::Byte, QT_TRANSLATE_NOOP("Field", "Topná voda"));
inline constexpr OutdoorPage WallPage =
    OutdoorRows::Make(Page::Wall, "Wall", "Wall%1", RowKind::SignedByte,
                      QT_TRANSLATE_NOOP("Field", "Teplota zdi"));

// The page and its table; nothing is merged from the Controller.
PageCodec<OutdoorTable, OutdoorPage::RowsAndEnds, Page::Size> OutdoorCodec(const OutdoorPage& page);

// The rows from a page, each value the decimal of its byte.
OutdoorTable DecodeOutdoorPage(const OutdoorPage& page, const PageBuffer& bytes);

// The whole page.  Empty when the curve holds a value outside 0..255
// ("Range check error", nothing is sent).
std::optional<PageBuffer> EncodeOutdoorPage(const OutdoorPage& page, const OutdoorTable& table);

// "Načíst" and "Zapsat" of a table.
Transfer ReadOutdoor(ControllerLink& link, const OutdoorPage& page, OutdoorTable& table);
Transfer WriteOutdoor(ControllerLink& link, const OutdoorPage& page, const OutdoorTable& table);
