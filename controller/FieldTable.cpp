#include "controller/FieldTable.h"

#include <algorithm>

#include "controller/Win1250.h"

namespace {

constexpr int NameSlotSize = 16;

template <typename T>
T& As(FieldRef value)
{
    return *std::get<T*>(value);
}

}  // namespace

QString FieldSpec::WidgetName() const
{
    switch (kind) {
    case FieldKind::Spin: return QStringLiteral("se") + key;
    case FieldKind::List:
    case FieldKind::Check: return QStringLiteral("cb") + key;
    case FieldKind::Text:
    case FieldKind::Counter: return QStringLiteral("ed") + key;
    }
    return key;
}

void DecodeField(const FieldSpec& field, FieldRef value, std::span<const std::uint8_t> block)
{
    const std::uint8_t* at = block.data() + field.offset;
    switch (field.encoding) {
    case Encoding::Unsigned8: As<int>(value) = at[0]; break;
    case Encoding::Signed8: As<int>(value) = static_cast<std::int8_t>(at[0]); break;
    case Encoding::Bit: As<bool>(value) = (at[0] >> field.minimum) & 1; break;
    case Encoding::RunTime32:
        As<std::uint32_t>(value) = std::uint32_t(at[0]) << 24 | std::uint32_t(at[1]) << 16 |
                                   std::uint32_t(at[2]) << 8 | std::uint32_t(at[3]);
        break;
    case Encoding::NameSlot: {
        // 0xFF ends a name too: that is what a never-written EEPROM slot holds.
        int length = 0;
        while (length < NameSlotSize && at[length] != 0x00 && at[length] != 0xFF)
            ++length;
        As<QString>(value) = Win1250::Decode(at, length);
        break;
    }
    }
}

void LimitField(const FieldSpec& field, FieldRef value)
{
    if (field.kind == FieldKind::Spin) {
        int& v = As<int>(value);
        v = std::clamp(v, field.minimum, field.maximum);
    } else if (field.kind == FieldKind::List) {
        int& v = As<int>(value);
        if (v < 0 || !field.items || v >= field.items->size())
            v = -1;
    }
}

bool FieldFits(const FieldSpec& field, FieldRef value)
{
    if (field.encoding != Encoding::Unsigned8)
        return true;
    const int v = As<int>(value);
    return v >= 0 && v <= 255;
}

void EncodeField(const FieldSpec& field, FieldRef value, std::span<std::uint8_t> block)
{
    std::uint8_t* at = block.data() + field.offset;
    switch (field.encoding) {
    case Encoding::Unsigned8:
    case Encoding::Signed8: at[0] = std::uint8_t(As<int>(value) & 0xFF); break;
    case Encoding::Bit: {
        const std::uint8_t mask = std::uint8_t(1u << field.minimum);
        at[0] = As<bool>(value) ? std::uint8_t(at[0] | mask) : std::uint8_t(at[0] & ~mask);
        break;
    }
    case Encoding::RunTime32:
        // The count runs on in the Controller after a read; only a cleared
        // count is written, so time counted since the read survives.
        if (As<std::uint32_t>(value) == 0)
            std::fill_n(at, 4, std::uint8_t{0});
        break;
    case Encoding::NameSlot: {
        // One byte per character:
        //  * up to 15 characters: the bytes, one 0x00, the rest of the slot kept;
        //  * exactly 16: the whole slot, no 0x00 (decoding reads a full slot
        //    as a 16-character name, and so does the Controller);
        //  * longer (only a parameter file can bring one): the first 16.
        // Nothing is ever written past the slot: the next slot, or the end
        // of the page, follows immediately.
        const QByteArray bytes = Win1250::Encode(As<QString>(value));
        const int length = int(std::min<qsizetype>(bytes.size(), NameSlotSize));
        for (int j = 0; j < length; ++j)
            at[j] = std::uint8_t(bytes[j]);
        if (length < NameSlotSize)
            at[length] = 0x00;
        break;
    }
    }
}
