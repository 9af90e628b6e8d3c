// Regulation constants: the model behind the tab "Kalorest" and its codec to
// and from EEPROM page 0.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "link/Transaction.h"  // PageBuffer

struct RegulationConstants {
    // Spin fields, each within the range of its widget (SpinFields below).
    int Shift = 0, Thstat = 0, SwDays = 0, SwHours = 0, PumpMinTemp = 0;
    int ThstatLoTemp = 0, ThstatHiTemp = 0, WallMul = 0, WallMax = 0;
    int EkvMaxTemp = 0, EkvRange = 0, BlrLoRate = 0, BlrHiRate = 0;
    int EkvLoShift = 0, EkvHiShift = 0, ThstatDelay = 0;
    std::array<int, 8> SensCorr{};
    // List fields: position in RegulationMode / SensorId, −1 for no selection.
    int Mode = 0, SwMode = 0, ThstatSens = 0, Log1 = 0, Log2 = 0, Log3 = 0, SensorFirst = 0;
    std::array<bool, 8> SensUsed{};
    std::array<QString, 8> SensName;
    int RunCount = 0;
    std::uint32_t BlrCounter = 0;

    friend bool operator==(const RegulationConstants&, const RegulationConstants&) = default;
};

// Descriptor of one spin field: its key (also the widget's subject name),
// its range and where it lives in the model.  Sensor corrections are listed
// as "Sens0Corr" … "Sens7Corr".
struct SpinField {
    const char* key;
    int minimum;
    int maximum;
    int& (*field)(RegulationConstants&);
};
// All 24 spin fields: the 16 regulation values, then Sens0Corr … Sens7Corr.
const std::array<SpinField, 24>& SpinFields();
int LimitToRange(int value, int minimum, int maximum);

// Descriptor of one list field (key, number of entries, member).
struct ListField {
    const char* key;
    int count;
    int& (*field)(RegulationConstants&);
};
// Mode, SwMode, ThstatSens, Log1, Log2, Log3, SensorFirst.
const std::array<ListField, 7>& ListFields();
// A stored position outside the list means no selection.
int ListPosition(int value, int count);

RegulationConstants DecodeConstantsPage(const PageBuffer& page);

// Validates the model and stores it into the Controller's current page P,
// keeping every byte this tab does not own.  Empty when a field that is
// stored as an unsigned byte lies outside 0..255 (a list without selection):
// the caller shows "Range check error" and writes nothing.
std::optional<PageBuffer> EncodeConstantsPage(const RegulationConstants& model, const PageBuffer& page);
constexpr const char* RangeCheckErrorText = "Range check error";

// "%u hod %u min %u sec" of the seconds, hours not folded into days.
QString FormatRunTime(std::uint32_t seconds);

void ClearRunCount(RegulationConstants& model);
void ClearBlrCounter(RegulationConstants& model);

// Name slot of sensor i: 16 bytes at 128 + 16·i, ending at the first 0x00 or
// 0xFF, or after 16 characters.
QString DecodeSensorName(const PageBuffer& page, int sensor);
