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
#include <QStringList>
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

    static int Temperature(int row) { return FirstTemperature + row; }
    // "-40 °C", "0 °C", "25 °C".
    static QString Key(int row);

    const QString& Value(int row) const { return values_[std::size_t(row)]; }
    void SetValue(int row, QString value) { values_[std::size_t(row)] = std::move(value); }
    // The value read by the integer rule, NotAnIntegerValue when it is not one.
    int Number(int row) const;

    // "key=value", as the table's rows have always been kept.
    QString Line(int row) const;
    QStringList Lines() const;
    // A table from 66 lines, each value the text after the line's first "="
    // (empty when there is none); the lines' keys are not looked at.  Empty
    // when the count is not 66.
    static std::optional<OutdoorTable> FromLines(const QStringList& lines);

    friend bool operator==(const OutdoorTable&, const OutdoorTable&) = default;

private:
    std::array<QString, RowCount> values_;
};

// The rows from a page, each value the decimal of its byte read by the byte
// rule: Encoding::Unsigned8 (curve) or Encoding::Signed8 (wall).
OutdoorTable DecodeOutdoorPage(const PageBuffer& page, Encoding byteRule);

// The whole page: bytes 0..87 take the −40 °C row, 88..153 their own rows,
// 154..255 the 25 °C row.  Unsigned8 refuses a value outside 0..255 (empty:
// "Range check error", nothing is sent); Signed8 stores the low eight bits of
// any value.
std::optional<PageBuffer> EncodeOutdoorPage(const OutdoorTable& table, Encoding byteRule);

// "Načíst" and "Zapsat" of the two tables: page 1, unsigned (a value outside
// 0..255 sends nothing: RangeCheckError); page 2, signed.  Neither reads
// the page before writing: the program owns the whole page.
Transfer ReadEkvith(ControllerLink& link, OutdoorTable& table);
Transfer WriteEkvith(ControllerLink& link, const OutdoorTable& table);
Transfer ReadWall(ControllerLink& link, OutdoorTable& table);
Transfer WriteWall(ControllerLink& link, const OutdoorTable& table);

// The transfers of one table, for the tab that shows it.
struct OutdoorTransfers {
    Transfer (*read)(ControllerLink& link, OutdoorTable& table);
    Transfer (*write)(ControllerLink& link, const OutdoorTable& table);
};
