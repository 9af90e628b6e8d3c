// Regulation constants: the model behind the tab "Kalorest" and its codec to
// and from EEPROM page 0.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "controller/FieldTable.h"
#include "controller/Lists.h"
#include "controller/PageTransfer.h"
#include "controller/Sensors.h"
#include "link/PageMap.h"

struct RegulationConstants {
    // Spin fields, each within the range of its widget.
    int Shift = 0, Thstat = 0, SwDays = 0, SwHours = 0, PumpMinTemp = 0;
    int ThstatLoTemp = 0, ThstatHiTemp = 0, WallMul = 0, WallMax = 0;
    int EkvMaxTemp = 0, EkvRange = 0, BlrLoRate = 0, BlrHiRate = 0;
    int EkvLoShift = 0, EkvHiShift = 0, ThstatDelay = 0;
    std::array<int, SensorCount> SensCorr{};
    // List fields: position in RegulationMode / SensorId, −1 for no selection.
    int Mode = 0, SwMode = 0, ThstatSens = 0, Log1 = 0, Log2 = 0, Log3 = 0, SensorFirst = 0;
    std::array<bool, SensorCount> SensUsed{};
    std::array<QString, SensorCount> SensName;
    // The counters: shown only, never in a parameter file.
    int RunCount = 0;
    std::uint32_t BlrCounter = 0;

    friend bool operator==(const RegulationConstants&, const RegulationConstants&) = default;
};

// "12 hod 5 min 9 sec" of the seconds, hours not folded into days.
QString FormatRunTime(std::uint32_t seconds);

namespace ConstantsRows {

using RC = RegulationConstants;
using Row = Field<RC>;

constexpr Row Make(const char* key, RowKind kind, int offset, const char* label, FieldRef (*member)(RC&, int))
{
    Row row{};
    row.key = key;
    row.kind = kind;
    row.offset = offset;
    row.label = label;
    row.member = member;
    return row;
}

// A spin edit; a range reaching below 0 makes the byte signed.
constexpr Row Spin(const char* key, int offset, int minimum, int maximum, const char* label,
                   FieldRef (*member)(RC&, int))
{
    Row row = Make(key, minimum < 0 ? RowKind::SignedByte : RowKind::Byte, offset, label, member);
    row.minimum = minimum;
    row.maximum = maximum;
    return row;
}

constexpr Row List(const char* key, int offset, ItemTexts items, const char* label, FieldRef (*member)(RC&, int))
{
    Row row = Make(key, RowKind::ListIndex, offset, label, member);
    row.items = items;
    return row;
}

constexpr Row Named(Row row, const char* name)
{
    row.name = name;
    return row;
}

// Byte 40 holds one bit per sensor; the eight rows share it, each its own bit.
constexpr int SensUsedOffset = 40;
constexpr int SensCorrOffset = 32;
constexpr int NameOffset = 128;
constexpr int LogOffset = 41;  // Log1 … Log3
constexpr int LogCount = 3;

constexpr Row SensUsed(int i)
{
    // The check box of a sensor shows its number only: no word to translate.
    Row row = Named(Make("Sens%1Used", RowKind::Bit, SensUsedOffset, "%1", &Element<&RC::SensUsed>),
                    QT_TRANSLATE_NOOP("Field", "Čidlo %1 v provozu:"));
    row.bit = row.index = row.number = i;
    return row;
}

constexpr Row SensName(int i)
{
    Row row = Named(Make("Sens%1Name", RowKind::NameSlot, NameOffset + NameSlotSize * i, nullptr,
                         &Element<&RC::SensName>),
                    QT_TRANSLATE_NOOP("Field", "Název čidla %1:"));
    row.width = NameSlotSize;
    row.index = row.number = i;
    return row;
}

constexpr Row SensCorr(int i)
{
    Row row = Named(Spin("Sens%1Corr", SensCorrOffset + i, -128, 127, nullptr, &Element<&RC::SensCorr>),
                    QT_TRANSLATE_NOOP("Field", "Korekce čidla %1:"));
    row.index = row.number = i;
    return row;
}

constexpr Row Log(int i)
{
    constexpr FieldRef (*members[LogCount])(RC&, int) = {&Member<&RC::Log1>, &Member<&RC::Log2>,
                                                          &Member<&RC::Log3>};
    Row row = Named(List("Log%1", LogOffset + i, SensorId::Texts, "%1)", members[i]),
                    QT_TRANSLATE_NOOP("Field", "Zapisované čidlo %1:"));
    row.number = i + 1;
    return row;
}

constexpr Row Counter(const char* key, int offset, int width, Write write, const char* label,
                      FieldRef (*member)(RC&, int))
{
    Row row = Make(key, RowKind::Counter, offset, label, member);
    row.width = width;
    row.write = write;
    return row;
}

constexpr Row RunTime()
{
    // The Controller counts on after a read; only a cleared count is written.
    Row row = Counter("BlrCounter", 8, 4, Write::WhenCleared, QT_TRANSLATE_NOOP("Field", "Celk. doba běhu kotle:"),
                      &Member<&RC::BlrCounter>);
    row.text = &FormatRunTime;
    return row;
}

// The position of the newest entry in the four log rings: the Controller
// moves it, the program only reads it (for the logs) and never writes it.
constexpr Row LogIndex()
{
    Row row = Named(Make("LogIndex", RowKind::Byte, 6, nullptr, nullptr),
                    QT_TRANSLATE_NOOP("Field", "Index záznamů:"));
    row.write = Write::Never;
    return row;
}

}  // namespace ConstantsRows

// Page 0, one row per field, in the order the parameter file keeps its
// keys: the 47 keys of section "Const", then the two counters and the log
// index, none of which a file keeps.  Bytes no row writes (6, 12..15, 22,
// 30, 31, 45..127 and the tails of the name slots) are kept as the
// Controller holds them.
inline constexpr auto ConstantsTable = []() consteval {
    using namespace ConstantsRows;
    const ItemTexts modes = RegulationMode::Texts, sensors = SensorId::Texts;
    return MakeTable<Page::Size>(
        Concat(
            std::array{
                Spin("EkvMaxTemp", 23, 0, 127, QT_TRANSLATE_NOOP("Field", "Max. stř. teplota:"),
                     &Member<&RC::EkvMaxTemp>),
                Spin("EkvRange", 24, 0, 127, QT_TRANSLATE_NOOP("Field", "Rozsah od stř. teploty:"),
                     &Member<&RC::EkvRange>),
                Spin("Shift", 0, -128, 127, QT_TRANSLATE_NOOP("Field", "Posun regulační křivky:"),
                     &Member<&RC::Shift>),
                Spin("WallMul", 20, 0, 255, QT_TRANSLATE_NOOP("Field", "Násobitel kompenz. zdi:"),
                     &Member<&RC::WallMul>),
                Spin("WallMax", 21, 0, 255, QT_TRANSLATE_NOOP("Field", "Max. kompenzace zdi:"), &Member<&RC::WallMax>),
                Spin("BlrLoRate", 25, 0, 100, QT_TRANSLATE_NOOP("Field", "Dolní poměr výkonu:"),
                     &Member<&RC::BlrLoRate>),
                Spin("BlrHiRate", 26, 0, 100, QT_TRANSLATE_NOOP("Field", "Horní poměr výkonu:"),
                     &Member<&RC::BlrHiRate>),
                Spin("EkvLoShift", 27, 0, 127, QT_TRANSLATE_NOOP("Field", "Dolní konst. posunu:"),
                     &Member<&RC::EkvLoShift>),
                Spin("EkvHiShift", 28, 0, 127, QT_TRANSLATE_NOOP("Field", "Horní konst. posunu"),
                     &Member<&RC::EkvHiShift>),
                Spin("ThstatLoTemp", 17, 0, 255, QT_TRANSLATE_NOOP("Field", "Dolní teplota kotle:"),
                     &Member<&RC::ThstatLoTemp>),
                Spin("ThstatHiTemp", 18, 0, 255, QT_TRANSLATE_NOOP("Field", "Horní teplota kotle:"),
                     &Member<&RC::ThstatHiTemp>),
                Spin("Thstat", 2, 0, 255, QT_TRANSLATE_NOOP("Field", "Teplota termostatu:"), &Member<&RC::Thstat>),
                List("ThstatSens", 19, sensors, QT_TRANSLATE_NOOP("Field", "Čidlo termostatu:"),
                     &Member<&RC::ThstatSens>),
                Spin("ThstatDelay", 29, 0, 255, QT_TRANSLATE_NOOP("Field", "Prodleva termostatu:"),
                     &Member<&RC::ThstatDelay>),
                List("Mode", 1, modes, QT_TRANSLATE_NOOP("Field", "Režim kalorest:"), &Member<&RC::Mode>),
                Spin("PumpMinTemp", 16, 0, 255,
                     QT_TRANSLATE_NOOP("Field", "Min. teplota výst. vody\npro běh čerpadla:"),
                     &Member<&RC::PumpMinTemp>),
                Named(List("SwMode", 3, modes, QT_TRANSLATE_NOOP("Field", "Režim kalorest:"), &Member<&RC::SwMode>),
                      QT_TRANSLATE_NOOP("Field", "Režim kalorest po přepnutí:")),
                Named(Spin("SwDays", 4, 0, 255, QT_TRANSLATE_NOOP("Field", "Přepnout za:"), &Member<&RC::SwDays>),
                      QT_TRANSLATE_NOOP("Field", "Přepnout za (dnů):")),
                Named(Spin("SwHours", 5, 0, 255, nullptr, &Member<&RC::SwHours>),
                      QT_TRANSLATE_NOOP("Field", "Přepnout za (hodin):")),
            },
            Repeat<LogCount>(Log),
            std::array{Named(List("SensorFirst", 44, sensors, QT_TRANSLATE_NOOP("Field", "Výchozí:"),
                                  &Member<&RC::SensorFirst>),
                             QT_TRANSLATE_NOOP("Field", "Výchozí čidlo:"))},
            Repeat<SensorCount>(SensUsed), Repeat<SensorCount>(SensName), Repeat<SensorCount>(SensCorr),
            std::array{
                Counter("RunCount", 7, 1, Write::Value, QT_TRANSLATE_NOOP("Field", "Počet spuštění:"),
                        &Member<&RC::RunCount>),
                RunTime(),
                LogIndex(),
            }),
        "Const");
}();

const decltype(ConstantsTable)& ConstantsFields();

// Page 0 and the model: a write reads the page afresh, so that the bytes no
// row writes go back as the Controller holds them.
inline const PageCodec ConstantsCodec{Page::Constants, true, ConstantsTable};

// Every field limited as its widget shows it (a spin value into its range,
// a list value outside its list to −1).
RegulationConstants DecodeConstantsPage(const PageBuffer& page);

// Stores the model into the Controller's current page.  Empty when a field
// stored as an unsigned byte lies outside 0..255 (a list without selection):
// "Range check error", nothing is written.
std::optional<PageBuffer> EncodeConstantsPage(const RegulationConstants& model, const PageBuffer& page);

// "Načíst" reads page 0 into the model; on failure the model stays as it
// was.  "Zapsat" reads the page afresh (so the bytes no field owns go back as
// the Controller holds them now), stores the model into it and writes it;
// nothing is sent when a list has no selection (RangeCheckError).
Transfer ReadConstants(ControllerLink& link, RegulationConstants& model);
Transfer WriteConstants(ControllerLink& link, const RegulationConstants& model);

void ClearRunCount(RegulationConstants& model);
void ClearBlrCounter(RegulationConstants& model);

// Name slot of sensor i: 16 bytes at 128 + 16·i, ending at the first 0x00 or
// 0xFF, or after 16 characters.  Also read by the status and log tabs.
QString DecodeSensorName(const PageBuffer& page, int sensor);
// The ring position of the newest log entry, the same in all four rings.
std::uint8_t DecodeLogIndex(const PageBuffer& page);
