#include "controller/RegulationConstants.h"

#include <algorithm>

#include "controller/Lists.h"
#include "controller/Win1250.h"

namespace {

using Accessor = int& (*)(RegulationConstants&);

template <int Sensor>
int& SensCorrOf(RegulationConstants& m)
{
    return m.SensCorr[Sensor];
}

// A field that lives in one byte of the page.  Offsets are the Controller's
// page layout; the firmware reads them as they are, so they never move.
struct ByteField {
    int offset;
    Accessor field;
};

// Every field stored as an unsigned byte, in page order.  Validation walks
// this list and stops at the first field outside 0..255.
const std::array<ByteField, 23>& UnsignedByteFields()
{
    static const std::array<ByteField, 23> fields{{
        {1, [](RegulationConstants& m) -> int& { return m.Mode; }},
        {2, [](RegulationConstants& m) -> int& { return m.Thstat; }},
        {3, [](RegulationConstants& m) -> int& { return m.SwMode; }},
        {4, [](RegulationConstants& m) -> int& { return m.SwDays; }},
        {5, [](RegulationConstants& m) -> int& { return m.SwHours; }},
        {7, [](RegulationConstants& m) -> int& { return m.RunCount; }},
        {16, [](RegulationConstants& m) -> int& { return m.PumpMinTemp; }},
        {17, [](RegulationConstants& m) -> int& { return m.ThstatLoTemp; }},
        {18, [](RegulationConstants& m) -> int& { return m.ThstatHiTemp; }},
        {19, [](RegulationConstants& m) -> int& { return m.ThstatSens; }},
        {20, [](RegulationConstants& m) -> int& { return m.WallMul; }},
        {21, [](RegulationConstants& m) -> int& { return m.WallMax; }},
        {23, [](RegulationConstants& m) -> int& { return m.EkvMaxTemp; }},
        {24, [](RegulationConstants& m) -> int& { return m.EkvRange; }},
        {25, [](RegulationConstants& m) -> int& { return m.BlrLoRate; }},
        {26, [](RegulationConstants& m) -> int& { return m.BlrHiRate; }},
        {27, [](RegulationConstants& m) -> int& { return m.EkvLoShift; }},
        {28, [](RegulationConstants& m) -> int& { return m.EkvHiShift; }},
        {29, [](RegulationConstants& m) -> int& { return m.ThstatDelay; }},
        {41, [](RegulationConstants& m) -> int& { return m.Log1; }},
        {42, [](RegulationConstants& m) -> int& { return m.Log2; }},
        {43, [](RegulationConstants& m) -> int& { return m.Log3; }},
        {44, [](RegulationConstants& m) -> int& { return m.SensorFirst; }},
    }};
    return fields;
}

// Two's complement bytes: only the low 8 bits are stored, nothing is checked.
const std::array<ByteField, 9>& SignedByteFields()
{
    static const std::array<ByteField, 9> fields{{
        {0, [](RegulationConstants& m) -> int& { return m.Shift; }},
        {32, &SensCorrOf<0>},
        {33, &SensCorrOf<1>},
        {34, &SensCorrOf<2>},
        {35, &SensCorrOf<3>},
        {36, &SensCorrOf<4>},
        {37, &SensCorrOf<5>},
        {38, &SensCorrOf<6>},
        {39, &SensCorrOf<7>},
    }};
    return fields;
}

constexpr int RunTimeOffset = 8;  // 4 bytes, most significant first
constexpr int SensUsedOffset = 40;
constexpr int NameOffset = 128;
constexpr int NameSlotSize = 16;
constexpr int SensorCount = 8;

}  // namespace

const std::array<SpinField, 24>& SpinFields()
{
    // The order is the one the parameter file writes its keys in.
    static const std::array<SpinField, 24> fields{{
        {"EkvMaxTemp", 0, 127, [](RegulationConstants& m) -> int& { return m.EkvMaxTemp; }},
        {"EkvRange", 0, 127, [](RegulationConstants& m) -> int& { return m.EkvRange; }},
        {"Shift", -128, 127, [](RegulationConstants& m) -> int& { return m.Shift; }},
        {"WallMul", 0, 255, [](RegulationConstants& m) -> int& { return m.WallMul; }},
        {"WallMax", 0, 255, [](RegulationConstants& m) -> int& { return m.WallMax; }},
        {"BlrLoRate", 0, 100, [](RegulationConstants& m) -> int& { return m.BlrLoRate; }},
        {"BlrHiRate", 0, 100, [](RegulationConstants& m) -> int& { return m.BlrHiRate; }},
        {"EkvLoShift", 0, 127, [](RegulationConstants& m) -> int& { return m.EkvLoShift; }},
        {"EkvHiShift", 0, 127, [](RegulationConstants& m) -> int& { return m.EkvHiShift; }},
        {"ThstatLoTemp", 0, 255, [](RegulationConstants& m) -> int& { return m.ThstatLoTemp; }},
        {"ThstatHiTemp", 0, 255, [](RegulationConstants& m) -> int& { return m.ThstatHiTemp; }},
        {"Thstat", 0, 255, [](RegulationConstants& m) -> int& { return m.Thstat; }},
        {"ThstatDelay", 0, 255, [](RegulationConstants& m) -> int& { return m.ThstatDelay; }},
        {"PumpMinTemp", 0, 255, [](RegulationConstants& m) -> int& { return m.PumpMinTemp; }},
        {"SwDays", 0, 255, [](RegulationConstants& m) -> int& { return m.SwDays; }},
        {"SwHours", 0, 255, [](RegulationConstants& m) -> int& { return m.SwHours; }},
        {"Sens0Corr", -128, 127, &SensCorrOf<0>},
        {"Sens1Corr", -128, 127, &SensCorrOf<1>},
        {"Sens2Corr", -128, 127, &SensCorrOf<2>},
        {"Sens3Corr", -128, 127, &SensCorrOf<3>},
        {"Sens4Corr", -128, 127, &SensCorrOf<4>},
        {"Sens5Corr", -128, 127, &SensCorrOf<5>},
        {"Sens6Corr", -128, 127, &SensCorrOf<6>},
        {"Sens7Corr", -128, 127, &SensCorrOf<7>},
    }};
    return fields;
}

const std::array<ListField, 7>& ListFields()
{
    static const std::array<ListField, 7> fields{{
        {"Mode", RegulationMode::Count, [](RegulationConstants& m) -> int& { return m.Mode; }},
        {"SwMode", RegulationMode::Count, [](RegulationConstants& m) -> int& { return m.SwMode; }},
        {"ThstatSens", SensorId::Count, [](RegulationConstants& m) -> int& { return m.ThstatSens; }},
        {"Log1", SensorId::Count, [](RegulationConstants& m) -> int& { return m.Log1; }},
        {"Log2", SensorId::Count, [](RegulationConstants& m) -> int& { return m.Log2; }},
        {"Log3", SensorId::Count, [](RegulationConstants& m) -> int& { return m.Log3; }},
        {"SensorFirst", SensorId::Count, [](RegulationConstants& m) -> int& { return m.SensorFirst; }},
    }};
    return fields;
}

int LimitToRange(int value, int minimum, int maximum)
{
    return std::max(minimum, std::min(value, maximum));
}

int ListPosition(int value, int count)
{
    return value >= 0 && value < count ? value : -1;
}

QString DecodeSensorName(const PageBuffer& page, int sensor)
{
    if (sensor < 0 || sensor >= SensorCount)
        return {};
    const std::uint8_t* slot = page.data() + NameOffset + NameSlotSize * sensor;
    // 0xFF ends a name too: that is what a never-written EEPROM slot holds.
    int length = 0;
    while (length < NameSlotSize && slot[length] != 0x00 && slot[length] != 0xFF)
        ++length;
    return Win1250::Decode(slot, length);
}

RegulationConstants DecodeConstantsPage(const PageBuffer& page)
{
    RegulationConstants model;
    for (const ByteField& f : UnsignedByteFields())
        f.field(model) = page[f.offset];
    for (const ByteField& f : SignedByteFields())
        f.field(model) = static_cast<std::int8_t>(page[f.offset]);

    // The widgets cannot show what lies outside their range, and the next
    // write stores what they show, so the model is limited right here.
    for (const SpinField& f : SpinFields())
        f.field(model) = LimitToRange(f.field(model), f.minimum, f.maximum);
    for (const ListField& f : ListFields())
        f.field(model) = ListPosition(f.field(model), f.count);

    model.BlrCounter = std::uint32_t(page[RunTimeOffset]) << 24 |
                       std::uint32_t(page[RunTimeOffset + 1]) << 16 |
                       std::uint32_t(page[RunTimeOffset + 2]) << 8 |
                       std::uint32_t(page[RunTimeOffset + 3]);
    for (int i = 0; i < SensorCount; ++i) {
        model.SensUsed[i] = (page[SensUsedOffset] >> i) & 1;
        model.SensName[i] = DecodeSensorName(page, i);
    }
    return model;
}

std::optional<PageBuffer> EncodeConstantsPage(const RegulationConstants& model, const PageBuffer& page)
{
    // The descriptors hand out mutable references; work on a copy so the
    // caller's model stays const.
    RegulationConstants values = model;
    for (const ByteField& f : UnsignedByteFields()) {
        const int value = f.field(values);
        if (value < 0 || value > 255)
            return std::nullopt;
    }

    // Everything not assigned below (bytes 6, 12..15, 22, 30, 31, 45..127
    // and the tails of the name slots) stays as the Controller holds it.
    PageBuffer out = page;
    for (const ByteField& f : UnsignedByteFields())
        out[f.offset] = std::uint8_t(f.field(values));
    for (const ByteField& f : SignedByteFields())
        out[f.offset] = std::uint8_t(f.field(values) & 0xFF);

    // The run time cannot be edited, only cleared: a non-zero value keeps
    // the Controller's own count, including time run since the tab was read.
    if (values.BlrCounter == 0)
        std::fill_n(out.begin() + RunTimeOffset, 4, std::uint8_t{0});

    std::uint8_t used = 0;
    for (int i = 0; i < SensorCount; ++i)
        if (values.SensUsed[i])
            used |= std::uint8_t(1u << i);
    out[SensUsedOffset] = used;

    // Names and their slot (16 bytes at 128 + 16·i), one byte per character:
    //  * up to 15 characters: the bytes, one 0x00, the rest of the slot kept;
    //  * exactly 16 characters: the whole slot, no 0x00 (the Controller reads
    //    a full slot as a 16-character name, and so does DecodeSensorName);
    //  * longer (only a parameter file can bring one): cut to the first 16.
    // Nothing is ever written past the slot, since the next slot and the end
    // of the page follow immediately.
    for (int i = 0; i < SensorCount; ++i) {
        const QByteArray bytes = Win1250::Encode(values.SensName[i]);
        const int length = int(std::min<qsizetype>(bytes.size(), NameSlotSize));
        std::uint8_t* slot = out.data() + NameOffset + NameSlotSize * i;
        std::copy_n(reinterpret_cast<const std::uint8_t*>(bytes.constData()), length, slot);
        if (length < NameSlotSize)
            slot[length] = 0x00;
    }
    return out;
}

QString FormatRunTime(std::uint32_t seconds)
{
    return QString::asprintf("%u hod %u min %u sec", unsigned(seconds / 3600),
                             unsigned(seconds % 3600 / 60), unsigned(seconds % 60));
}

void ClearRunCount(RegulationConstants& model)
{
    model.RunCount = 0;
}

void ClearBlrCounter(RegulationConstants& model)
{
    model.BlrCounter = 0;
}
