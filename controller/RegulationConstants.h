// Regulation constants: the model behind the tab "Kalorest" and its codec to
// and from EEPROM page 0.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "controller/FieldTable.h"
#include "controller/PageTransfer.h"
#include "link/PageMap.h"

struct RegulationConstants {
    // Spin fields, each within the range of its widget.
    int Shift = 0, Thstat = 0, SwDays = 0, SwHours = 0, PumpMinTemp = 0;
    int ThstatLoTemp = 0, ThstatHiTemp = 0, WallMul = 0, WallMax = 0;
    int EkvMaxTemp = 0, EkvRange = 0, BlrLoRate = 0, BlrHiRate = 0;
    int EkvLoShift = 0, EkvHiShift = 0, ThstatDelay = 0;
    std::array<int, 8> SensCorr{};
    // List fields: position in RegulationMode / SensorId, −1 for no selection.
    int Mode = 0, SwMode = 0, ThstatSens = 0, Log1 = 0, Log2 = 0, Log3 = 0, SensorFirst = 0;
    std::array<bool, 8> SensUsed{};
    std::array<QString, 8> SensName;
    // The counters: shown only, never in a parameter file.
    int RunCount = 0;
    std::uint32_t BlrCounter = 0;

    friend bool operator==(const RegulationConstants&, const RegulationConstants&) = default;
};

// Page 0, one row per field, in the order the parameter file keeps its
// keys: the 47 keys of section "Const", then the two counters.  Bytes no
// row owns (6, 12..15, 22, 30, 31, 45..127 and the tails of the name slots)
// are kept as the Controller holds them.
const FieldTable<RegulationConstants>& ConstantsFields();

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

// "%u hod %u min %u sec" of the seconds, hours not folded into days.
QString FormatRunTime(std::uint32_t seconds);

void ClearRunCount(RegulationConstants& model);
void ClearBlrCounter(RegulationConstants& model);

// Name slot of sensor i: 16 bytes at 128 + 16·i, ending at the first 0x00 or
// 0xFF, or after 16 characters.  Also read by the status and log tabs.
QString DecodeSensorName(const PageBuffer& page, int sensor);
