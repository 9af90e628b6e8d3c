#include "controller/RegulationConstants.h"

#include <algorithm>

#include "controller/Lists.h"

namespace {

using RC = RegulationConstants;
using Row = Field<RC>;

constexpr int SensorCount = 8;
constexpr int SensUsedOffset = 40;
constexpr int SensCorrOffset = 32;
constexpr int NameOffset = 128;
constexpr int NameSlotSize = 16;

Row Spin(const char* key, int offset, Encoding encoding, int minimum, int maximum, FieldRef (*member)(RC&, int))
{
    return {{QString::fromLatin1(key), FieldKind::Spin, offset, encoding, minimum, maximum}, member};
}

Row List(const char* key, int offset, const QStringList& items, FieldRef (*member)(RC&, int))
{
    return {{QString::fromLatin1(key), FieldKind::List, offset, Encoding::Unsigned8, 0, 0, &items}, member};
}

// "Sens" + the sensor's digit + what: "Sens3Corr".
QString SensorKey(int sensor, const char* what)
{
    return QStringLiteral("Sens%1%2").arg(sensor).arg(QLatin1StringView(what));
}

FieldTable<RC> BuildTable()
{
    const QStringList& modes = RegulationMode::Items();
    const QStringList& sensors = SensorId::Items();
    FieldTable<RC> t{
        Spin("EkvMaxTemp", 23, Encoding::Unsigned8, 0, 127, [](RC& m, int) -> FieldRef { return &m.EkvMaxTemp; }),
        Spin("EkvRange", 24, Encoding::Unsigned8, 0, 127, [](RC& m, int) -> FieldRef { return &m.EkvRange; }),
        Spin("Shift", 0, Encoding::Signed8, -128, 127, [](RC& m, int) -> FieldRef { return &m.Shift; }),
        Spin("WallMul", 20, Encoding::Unsigned8, 0, 255, [](RC& m, int) -> FieldRef { return &m.WallMul; }),
        Spin("WallMax", 21, Encoding::Unsigned8, 0, 255, [](RC& m, int) -> FieldRef { return &m.WallMax; }),
        Spin("BlrLoRate", 25, Encoding::Unsigned8, 0, 100, [](RC& m, int) -> FieldRef { return &m.BlrLoRate; }),
        Spin("BlrHiRate", 26, Encoding::Unsigned8, 0, 100, [](RC& m, int) -> FieldRef { return &m.BlrHiRate; }),
        Spin("EkvLoShift", 27, Encoding::Unsigned8, 0, 127, [](RC& m, int) -> FieldRef { return &m.EkvLoShift; }),
        Spin("EkvHiShift", 28, Encoding::Unsigned8, 0, 127, [](RC& m, int) -> FieldRef { return &m.EkvHiShift; }),
        Spin("ThstatLoTemp", 17, Encoding::Unsigned8, 0, 255, [](RC& m, int) -> FieldRef { return &m.ThstatLoTemp; }),
        Spin("ThstatHiTemp", 18, Encoding::Unsigned8, 0, 255, [](RC& m, int) -> FieldRef { return &m.ThstatHiTemp; }),
        Spin("Thstat", 2, Encoding::Unsigned8, 0, 255, [](RC& m, int) -> FieldRef { return &m.Thstat; }),
        List("ThstatSens", 19, sensors, [](RC& m, int) -> FieldRef { return &m.ThstatSens; }),
        Spin("ThstatDelay", 29, Encoding::Unsigned8, 0, 255, [](RC& m, int) -> FieldRef { return &m.ThstatDelay; }),
        List("Mode", 1, modes, [](RC& m, int) -> FieldRef { return &m.Mode; }),
        Spin("PumpMinTemp", 16, Encoding::Unsigned8, 0, 255, [](RC& m, int) -> FieldRef { return &m.PumpMinTemp; }),
        List("SwMode", 3, modes, [](RC& m, int) -> FieldRef { return &m.SwMode; }),
        Spin("SwDays", 4, Encoding::Unsigned8, 0, 255, [](RC& m, int) -> FieldRef { return &m.SwDays; }),
        Spin("SwHours", 5, Encoding::Unsigned8, 0, 255, [](RC& m, int) -> FieldRef { return &m.SwHours; }),
        List("Log1", 41, sensors, [](RC& m, int) -> FieldRef { return &m.Log1; }),
        List("Log2", 42, sensors, [](RC& m, int) -> FieldRef { return &m.Log2; }),
        List("Log3", 43, sensors, [](RC& m, int) -> FieldRef { return &m.Log3; }),
        List("SensorFirst", 44, sensors, [](RC& m, int) -> FieldRef { return &m.SensorFirst; }),
    };
    // Byte 40 holds one bit per sensor; all eight rows together own it.
    for (int i = 0; i < SensorCount; ++i)
        t.push_back({{SensorKey(i, "Used"), FieldKind::Check, SensUsedOffset, Encoding::Bit, i},
                     [](RC& m, int s) -> FieldRef { return &m.SensUsed[s]; }, i});
    for (int i = 0; i < SensorCount; ++i)
        t.push_back({{SensorKey(i, "Name"), FieldKind::Text, NameOffset + NameSlotSize * i, Encoding::NameSlot},
                     [](RC& m, int s) -> FieldRef { return &m.SensName[s]; }, i});
    for (int i = 0; i < SensorCount; ++i)
        t.push_back({{SensorKey(i, "Corr"), FieldKind::Spin, SensCorrOffset + i, Encoding::Signed8, -128, 127},
                     [](RC& m, int s) -> FieldRef { return &m.SensCorr[s]; }, i});
    t.push_back({{QStringLiteral("RunCount"), FieldKind::Counter, 7, Encoding::Unsigned8},
                 [](RC& m, int) -> FieldRef { return &m.RunCount; }});
    t.push_back({{QStringLiteral("BlrCounter"), FieldKind::Counter, 8, Encoding::RunTime32},
                 [](RC& m, int) -> FieldRef { return &m.BlrCounter; }});
    return t;
}

RC DecodePages(std::span<const std::uint8_t> pages)
{
    return DecodeFields(ConstantsFields(), pages);
}

bool EncodePages(const RC& model, std::span<std::uint8_t> pages)
{
    return EncodeFields(ConstantsFields(), model, pages);
}

}  // namespace

const FieldTable<RC>& ConstantsFields()
{
    static const FieldTable<RC> table = BuildTable();
    return table;
}

RC DecodeConstantsPage(const PageBuffer& page)
{
    return DecodePages(page);
}

std::optional<PageBuffer> EncodeConstantsPage(const RC& model, const PageBuffer& page)
{
    PageBuffer out = page;
    if (!EncodePages(model, out))
        return std::nullopt;
    return out;
}

namespace {
const PageCodec<RC> ConstantsCodec{Page::Constants, 1, true, &DecodePages, &EncodePages};
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
    if (sensor < 0 || sensor >= SensorCount)
        return {};
    QString name;
    const FieldSpec slot{{}, FieldKind::Text, NameOffset + NameSlotSize * sensor, Encoding::NameSlot};
    DecodeField(slot, &name, page);
    return name;
}

QString FormatRunTime(std::uint32_t seconds)
{
    return QString::asprintf("%u hod %u min %u sec", unsigned(seconds / 3600),
                             unsigned(seconds % 3600 / 60), unsigned(seconds % 60));
}

void ClearRunCount(RC& model)
{
    model.RunCount = 0;
}

void ClearBlrCounter(RC& model)
{
    model.BlrCounter = 0;
}
