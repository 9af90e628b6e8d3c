#include "controller/FieldTable.h"

#include <algorithm>

#include "controller/OutdoorTable.h"
#include "controller/Units.h"
#include "controller/Win1250.h"

namespace {

// What the compare shows for a flag.
constexpr const char* Yes = QT_TRANSLATE_NOOP("Field", "ano");
constexpr const char* No = QT_TRANSLATE_NOOP("Field", "ne");

QString WithNumber(const QString& text, int number)
{
    return text.contains(QLatin1StringView("%1")) ? text.arg(number) : text;
}

long long NumberOf(const FieldValue& value)
{
    if (const auto* n = std::get_if<long long>(&value))
        return *n;
    if (const auto* b = std::get_if<bool>(&value))
        return *b ? 1 : 0;
    return 0;
}

QString TextOf(const FieldValue& value)
{
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    return {};
}

// An outdoor value as the byte it is stored in; the byte is what the page
// holds, whatever the row's element.
int OutdoorNumber(const FieldValue& value)
{
    return OutdoorTable::NumberOf(TextOf(value));
}

bool FitsElement(RowKind element, long long value)
{
    return element != RowKind::Byte || (value >= 0 && value <= 255);
}

}  // namespace

QString FieldWord(const char* text)
{
    return QCoreApplication::translate("Field", text);
}

QString FieldSpec::Key() const
{
    return WithNumber(QString::fromLatin1(key), number);
}

QString FieldSpec::Label() const
{
    return label ? WithNumber(FieldWord(label), number) : QString();
}

QString FieldSpec::Name() const
{
    QString text;
    if (kind == RowKind::OutdoorRow)
        text = FieldWord(name) + u' ' + CelsiusText(number);
    else if (name || label)
        text = WithNumber(FieldWord(name ? name : label), number);
    else
        text = Key();
    text.replace(u'\n', u' ');
    return text.endsWith(u':') ? text : text + u':';
}

QString FieldSpec::AccessibleName() const
{
    return Name().chopped(1);
}

QString FieldSpec::WidgetName() const
{
    switch (kind) {
    case RowKind::Byte:
    case RowKind::SignedByte: return QStringLiteral("se") + Key();
    case RowKind::ListIndex:
    case RowKind::Bit: return QStringLiteral("cb") + Key();
    case RowKind::NameSlot:
    case RowKind::Counter: return QStringLiteral("ed") + Key();
    case RowKind::OutdoorRow:
    case RowKind::Carried:
    case RowKind::CellRun:
    case RowKind::Zeros: break;
    }
    return {};
}

FieldValue DecodeRow(const FieldSpec& row, std::span<const std::uint8_t> block)
{
    const std::uint8_t* at = block.data() + row.offset;
    switch (row.kind) {
    case RowKind::Byte:
    case RowKind::ListIndex: return (long long)at[0];
    case RowKind::SignedByte: return (long long)std::int8_t(at[0]);
    case RowKind::Bit: return bool((at[0] >> row.bit) & 1);
    case RowKind::NameSlot: {
        // 0xFF ends a name too: that is what a never-written EEPROM slot holds.
        int length = 0;
        while (length < NameSlotSize && at[length] != 0x00 && at[length] != 0xFF)
            ++length;
        return Win1250::Decode(at, length);
    }
    case RowKind::Counter: {
        long long count = 0;
        for (int i = 0; i < row.width; ++i)
            count = count << 8 | at[i];
        return count;
    }
    case RowKind::OutdoorRow:
        return QString::number(row.element == RowKind::SignedByte ? int(std::int8_t(at[0])) : int(at[0]));
    case RowKind::CellRun: return QByteArray(reinterpret_cast<const char*>(at), row.width);
    case RowKind::Carried:
    case RowKind::Zeros: break;
    }
    return {};
}

FieldValue LimitRow(const FieldSpec& row, FieldValue value)
{
    if (row.kind == RowKind::Byte || row.kind == RowKind::SignedByte) {
        return std::clamp<long long>(NumberOf(value), row.Minimum(), row.Maximum());
    } else if (row.kind == RowKind::ListIndex) {
        const long long v = NumberOf(value);
        return v < 0 || v >= (long long)row.items.size() ? -1LL : v;
    }
    return value;
}

bool RowFits(const FieldSpec& row, const FieldValue& value)
{
    switch (row.kind) {
    case RowKind::Byte:
    case RowKind::ListIndex: return FitsElement(RowKind::Byte, NumberOf(value));
    case RowKind::Counter:
        return row.write != Write::Value ||
               (NumberOf(value) >= 0 && NumberOf(value) < (1LL << (8 * row.width)));
    case RowKind::OutdoorRow:
    case RowKind::Carried: return FitsElement(row.element, OutdoorNumber(value));
    case RowKind::SignedByte:
    case RowKind::Bit:
    case RowKind::NameSlot:
    case RowKind::CellRun:
    case RowKind::Zeros: break;
    }
    return true;
}

void EncodeRow(const FieldSpec& row, const FieldValue& value, std::span<std::uint8_t> block)
{
    std::uint8_t* at = block.data() + row.offset;
    switch (row.kind) {
    case RowKind::Byte:
    case RowKind::SignedByte:
    case RowKind::ListIndex: at[0] = std::uint8_t(NumberOf(value) & 0xFF); break;
    case RowKind::Bit: {
        const std::uint8_t mask = std::uint8_t(1u << row.bit);
        at[0] = NumberOf(value) ? std::uint8_t(at[0] | mask) : std::uint8_t(at[0] & ~mask);
        break;
    }
    case RowKind::NameSlot: {
        // One byte per character:
        //  * up to 15 characters: the bytes, one 0x00, the rest of the slot kept;
        //  * exactly 16: the whole slot, no 0x00 (decoding reads a full slot
        //    as a 16-character name, and so does the Controller);
        //  * longer (only a parameter file can bring one): the first 16.
        // Nothing is ever written past the slot: the next slot, or the end
        // of the page, follows immediately.
        const QByteArray bytes = Win1250::Encode(TextOf(value));
        const int length = int(std::min<qsizetype>(bytes.size(), NameSlotSize));
        for (int j = 0; j < length; ++j)
            at[j] = std::uint8_t(bytes[j]);
        if (length < NameSlotSize)
            at[length] = 0x00;
        break;
    }
    case RowKind::Counter: {
        const long long count = NumberOf(value);
        if (row.write == Write::WhenCleared && count != 0)
            break;
        for (int i = row.width - 1, rest = 0; i >= 0; --i, rest += 8)
            at[i] = std::uint8_t((count >> rest) & 0xFF);
        break;
    }
    case RowKind::OutdoorRow:
    case RowKind::Carried: std::fill_n(at, row.width, std::uint8_t(OutdoorNumber(value) & 0xFF)); break;
    case RowKind::CellRun: {
        const auto* bytes = std::get_if<QByteArray>(&value);
        if (bytes)
            std::copy_n(bytes->constData(), std::min<qsizetype>(bytes->size(), row.width), at);
        break;
    }
    case RowKind::Zeros: std::fill_n(at, row.width, std::uint8_t{0}); break;
    }
}

QString RowText(const FieldSpec& row, const FieldValue& value)
{
    switch (row.kind) {
    case RowKind::Bit: return FieldWord(NumberOf(value) ? Yes : No);
    case RowKind::ListIndex: {
        const long long v = NumberOf(value);
        return FieldWord(v >= 0 && v < (long long)row.items.size() ? row.items[std::size_t(v)] : NothingShown);
    }
    case RowKind::NameSlot: {
        const QString text = TextOf(value);
        return text.isEmpty() ? FieldWord(NothingShown) : text;
    }
    case RowKind::Counter:
        return row.text ? row.text(std::uint32_t(NumberOf(value))) : QString::number(NumberOf(value));
    case RowKind::OutdoorRow: return TextOf(value);
    case RowKind::Byte:
    case RowKind::SignedByte: return QString::number(NumberOf(value));
    case RowKind::Carried:
    case RowKind::CellRun:
    case RowKind::Zeros: break;
    }
    return {};
}

FieldValue ValueOf(const FieldRef& member)
{
    return std::visit(
        [](const auto& m) -> FieldValue {
            using M = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<M, std::monostate>)
                return {};
            else if constexpr (std::is_same_v<M, std::span<std::uint8_t>>)
                return QByteArray(reinterpret_cast<const char*>(m.data()), qsizetype(m.size()));
            else if constexpr (std::is_same_v<M, int*> || std::is_same_v<M, std::uint32_t*>)
                return (long long)*m;
            else
                return *m;
        },
        member);
}

void Assign(const FieldRef& member, const FieldValue& value)
{
    std::visit(
        [&value](const auto& m) {
            using M = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<M, int*>)
                *m = int(NumberOf(value));
            else if constexpr (std::is_same_v<M, std::uint32_t*>)
                *m = std::uint32_t(NumberOf(value));
            else if constexpr (std::is_same_v<M, bool*>)
                *m = NumberOf(value) != 0;
            else if constexpr (std::is_same_v<M, QString*>)
                *m = TextOf(value);
            else if constexpr (std::is_same_v<M, std::span<std::uint8_t>>) {
                if (const auto* bytes = std::get_if<QByteArray>(&value))
                    std::copy_n(bytes->constData(), std::min<qsizetype>(bytes->size(), qsizetype(m.size())), m.data());
            }
        },
        member);
}
