// A Controller block described once: one row per field, giving what the
// field is (its kind), where it lies (offset, width, bit), what the window
// limits it to (range or item list), its key (parameter-file key and widget
// subject), its words in the window (label, name) and the model member it
// lives in.  Decoding, limiting, validating and encoding walk the rows; so
// do the tabs when they set up, show and collect their widgets (through
// ui/FieldBinder.h), the parameter file when it saves and loads a section,
// and the compare that names what changed between two blocks
// (controller/FieldCompare.h).
//
// Tables are constants built at compile time: a row that does not lie
// inside its block does not compile (BlockTable's constructor).
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringView>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <variant>

#include "controller/Sensors.h"

// What a row is.  The kind decides how its bytes are read and written, how
// a parameter file keeps it and which widget shows it.
enum class RowKind : std::uint8_t {
    Byte,        // one byte, 0..255; a value outside refuses the write
    SignedByte,  // one byte, two's complement; only the low eight bits are stored
    Bit,         // the bit `bit` of the byte at the offset
    ListIndex,   // one byte: the position in `items`; −1 (no selection) refuses the write
    NameSlot,    // NameSlotSize bytes of Windows-1250 text ending at 0x00 or 0xFF
    Counter,     // `width` bytes, unsigned, most significant first
    OutdoorRow,  // one row of an outdoor table: a value text read as an integer
                 // (OutdoorTable::NotAnIntegerValue when it is none), stored in
                 // one byte as the row's `element` says
    Carried,     // `width` bytes that repeat the value of outdoor row `index`
    CellRun,     // `width` bytes of time-program cells, one per quarter-hour
    Zeros,       // `width` bytes that belong to nothing: never read, written as 0
};

// How the row reaches the block when the model is written.
enum class Write : std::uint8_t {
    Value,        // the model's value
    WhenCleared,  // only a cleared (zero) count; any other value leaves the
                  // block's bytes as they are, so what the Controller counted
                  // since the read survives
    Never,        // the bytes stay as the Controller holds them
};

// The words of the tables (labels, names, list items, titles) stand where
// the tables are built, marked QT_TRANSLATE_NOOP("Field", …); this is what
// the window shows of one, in the user's language.
QString FieldWord(const char* text);

// What the window shows where there is nothing to show.
inline constexpr const char* NothingShown = QT_TRANSLATE_NOOP("Field", "(nic)");

// The texts of a list, in UTF-8, each a word of the tables.
using ItemTexts = std::span<const char* const>;

// A value as the bytes hold it and the window shows it: numbers of every
// width as long long, a used flag as bool, names and outdoor values as text,
// a run of cells as its bytes.  Rows that hold nothing (Zeros) give monostate.
using FieldValue = std::variant<std::monostate, long long, bool, QString, QByteArray>;

// A member of the model, as a pointer to where its value lives.
using FieldRef = std::variant<std::monostate, int*, bool*, QString*, std::uint32_t*, std::span<std::uint8_t>>;

// The part of a row that does not depend on the model type.
struct FieldSpec {
    // Parameter-file key and widget subject; "%1" stands for `number`.
    const char* key = "";
    RowKind kind = RowKind::Byte;
    int offset = 0;
    int width = 1;  // bytes the row owns
    int bit = 0;    // Bit: its number, 0 the least significant
    // Byte, SignedByte: the range the window limits a value to; none given
    // (both 0), the byte's own: 0..255, or −128..127 for a signed one.
    int minimum = 0, maximum = 0;
    ItemTexts items{};  // ListIndex
    int index = 0;      // handed to the member: the sensor, the outdoor row
    int number = 0;     // stands for "%1": the sensor, the outdoor temperature
    // OutdoorRow, Carried: how the value lies in its bytes (Byte or SignedByte).
    RowKind element = RowKind::Byte;
    Write write = Write::Value;
    // The words of the window, UTF-8, "%1" standing for `number`, each
    // marked as a word of the tables (FieldWord).  The label
    // is the text of the row's own label (or check box), which the binder
    // puts on it; the name says which field it is where the label alone does
    // not (a label two rows share, a field without a label of its own).  An
    // outdoor row's name is its table's value title, the temperature follows.
    const char* label = nullptr;
    const char* name = nullptr;
    // Counter: the text of a count, decimal when null.  CellRun: the text of
    // one cell, and the name of the cell at a place of the run.
    QString (*text)(std::uint32_t value) = nullptr;
    QString (*elementName)(int place) = nullptr;

    constexpr int End() const { return offset + width; }
    constexpr bool Ranged() const { return minimum != 0 || maximum != 0; }
    constexpr int Minimum() const { return Ranged() ? minimum : kind == RowKind::SignedByte ? -128 : 0; }
    constexpr int Maximum() const { return Ranged() ? maximum : kind == RowKind::SignedByte ? 127 : 255; }
    // Read from the block: all but the bytes that repeat a row or belong to nothing.
    constexpr bool Decoded() const { return kind != RowKind::Carried && kind != RowKind::Zeros; }
    constexpr bool Encoded() const { return write != Write::Never; }
    // Kept in a parameter file: what the user edits and the program writes.
    constexpr bool InFiles() const
    {
        return write == Write::Value && kind != RowKind::Counter && kind != RowKind::Carried &&
               kind != RowKind::Zeros;
    }
    // Stored as an unsigned byte that a value outside 0..255 cannot be.
    constexpr bool UnsignedByte() const
    {
        return write == Write::Value &&
               (kind == RowKind::Byte || kind == RowKind::ListIndex || (kind == RowKind::Counter && width == 1));
    }

    QString Key() const;
    QString Label() const;
    // The name the compare gives the field: its name, else its label; one
    // line, ending in ":".
    QString Name() const;
    // The name without the ":": what screen readers call the field's input.
    QString AccessibleName() const;
    // The input that shows the field: "se" (spin edit), "cb" (list or check
    // box) or "ed" (edit), then the key.  Empty for rows no input shows.
    QString WidgetName() const;
};

template <typename Model>
struct Field : FieldSpec {
    // Null: the row has no place in the model (the log index, the tail of a
    // time program).
    FieldRef (*member)(Model&, int index) = nullptr;

    FieldRef Of(Model& model) const { return member ? member(model, index) : FieldRef{}; }
};

// Members handed out by the rows: Member<&Model::X> for a value,
// Element<&Model::X> for the index-th element of an array.
template <typename T>
struct MemberOf;
template <typename C, typename V>
struct MemberOf<V C::*> {
    using Class = C;
};
template <auto M>
FieldRef Member(typename MemberOf<decltype(M)>::Class& model, int)
{
    return &(model.*M);
}
template <auto M>
FieldRef Element(typename MemberOf<decltype(M)>::Class& model, int index)
{
    return &(model.*M)[std::size_t(index)];
}

// A block of Size bytes and its rows.
template <typename Model, std::size_t N, std::size_t Size>
struct BlockTable {
    static constexpr std::size_t BlockSize = Size;
    using Bytes = std::span<const std::uint8_t, Size>;
    using MutableBytes = std::span<std::uint8_t, Size>;

    std::array<Field<Model>, N> rows;
    const char* section = nullptr;  // parameter-file section, null for none

    // Every row inside the block, checked when the table is compiled: a
    // table with a row outside does not build.
    consteval BlockTable(const std::array<Field<Model>, N>& fields, const char* fileSection = nullptr)
        : rows(fields), section(fileSection)
    {
        for (const FieldSpec& row : rows)
            if (row.offset < 0 || row.width < 1 || row.End() > int(Size) || row.bit < 0 || row.bit > 7)
                throw "a row lies outside its block";
    }

    auto begin() const { return rows.begin(); }
    auto end() const { return rows.end(); }
};

// Building a table: rows in the order given, parts joined, rows made per
// index (a row for each sensor), then the block around them.
template <typename Row, std::size_t... Ns>
consteval auto Concat(const std::array<Row, Ns>&... parts)
{
    std::array<Row, (Ns + ...)> all{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), all.begin() + std::ptrdiff_t(at)), at += Ns), ...);
    return all;
}

template <std::size_t Count, typename Make>
consteval auto Repeat(Make make)
{
    std::array<decltype(make(0)), Count> rows{};
    for (std::size_t i = 0; i < Count; ++i)
        rows[i] = make(int(i));
    return rows;
}

template <std::size_t Size, typename Model, std::size_t N>
consteval BlockTable<Model, N, Size> MakeTable(const std::array<Field<Model>, N>& rows, const char* section = nullptr)
{
    return BlockTable<Model, N, Size>(rows, section);
}

// Per row, on a value.
FieldValue DecodeRow(const FieldSpec& row, std::span<const std::uint8_t> block);
// Brings a value to what the row's widget can show: a number into the
// row's range, a list position outside its list to −1.
FieldValue LimitRow(const FieldSpec& row, FieldValue value);
// Whether the value can be stored.
bool RowFits(const FieldSpec& row, const FieldValue& value);
void EncodeRow(const FieldSpec& row, const FieldValue& value, std::span<std::uint8_t> block);
// The value as the window shows it, for the compare.
QString RowText(const FieldSpec& row, const FieldValue& value);

FieldValue ValueOf(const FieldRef& member);
void Assign(const FieldRef& member, const FieldValue& value);

template <typename Model>
FieldValue ValueIn(const Field<Model>& row, const Model& model)
{
    // The members hand out pointers; reading through one changes nothing.
    return ValueOf(row.Of(const_cast<Model&>(model)));
}

// The model of a block, every field limited as its widget would show it.
template <typename Model, std::size_t N, std::size_t Size>
Model DecodeFields(const BlockTable<Model, N, Size>& table,
                   std::type_identity_t<std::span<const std::uint8_t, Size>> block)
{
    Model model{};
    for (const Field<Model>& row : table)
        if (row.member && row.Decoded())
            Assign(row.Of(model), LimitRow(row, DecodeRow(row, block)));
    return model;
}

// Stores the model into the block as the Controller holds it now, keeping
// every byte no row writes.  Validates every row first: false, with the
// block untouched, when a value does not fit.
template <typename Model, std::size_t N, std::size_t Size>
bool EncodeFields(const BlockTable<Model, N, Size>& table, const Model& model,
                  std::type_identity_t<std::span<std::uint8_t, Size>> block)
{
    for (const Field<Model>& row : table)
        if (row.Encoded() && !RowFits(row, ValueIn(row, model)))
            return false;
    for (const Field<Model>& row : table)
        if (row.Encoded())
            EncodeRow(row, ValueIn(row, model), block);
    return true;
}

// The row of a key, or nullptr.
template <typename Model, std::size_t N, std::size_t Size>
const Field<Model>* FindField(const BlockTable<Model, N, Size>& table, QStringView key)
{
    for (const Field<Model>& row : table)
        if (row.Key() == key)
            return &row;
    return nullptr;
}
