// The Controller's EEPROM: 16 pages of 256 bytes, and its image file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sim {

constexpr int kPageSize = 256;
constexpr int kPageCount = 16;
constexpr int kEepromSize = kPageSize * kPageCount;

using Eeprom = std::array<std::uint8_t, kEepromSize>;

// Pages with a fixed meaning.
constexpr int kConstantsPage = 0;
constexpr int kCurvePage = 1;
constexpr int kWallPage = 2;
constexpr int kFirstProgramPage = 3;  // A: 3–5, B: 6–8, C: 9–11
constexpr int kFirstLogPage = 12;     // 12–14 temperatures, 15 boiler time
constexpr int kBoilerLogPage = 15;

// Offsets inside the constants page that the simulated Controller itself uses.
namespace constants {
constexpr int Shift = 0;
constexpr int Mode = 1;
constexpr int Thstat = 2;
constexpr int LogIndex = 6;
constexpr int RunCount = 7;
constexpr int BlrCounter = 8;  // 4 bytes, most significant first
constexpr int PumpMinTemp = 16;
constexpr int ThstatLoTemp = 17;
constexpr int ThstatHiTemp = 18;
constexpr int ThstatSens = 19;
constexpr int WallMul = 20;
constexpr int WallMax = 21;
constexpr int EkvMaxTemp = 23;
constexpr int EkvRange = 24;
constexpr int BlrLoRate = 25;
constexpr int BlrHiRate = 26;
constexpr int EkvLoShift = 27;
constexpr int EkvHiShift = 28;
constexpr int ThstatDelay = 29;
constexpr int SensCorr = 32;  // + sensor
constexpr int SensUsed = 40;
constexpr int Log1 = 41;      // Log2, Log3 follow
constexpr int SensorFirst = 44;
constexpr int NameSlots = 128;  // + 16 · sensor
}  // namespace constants

inline std::uint8_t& At(Eeprom& e, int page, int offset) { return e[page * kPageSize + offset]; }
inline std::uint8_t At(const Eeprom& e, int page, int offset) { return e[page * kPageSize + offset]; }

struct EepromLoad {
    enum class Result { Loaded, Missing, Error } result = Result::Missing;
    Eeprom image{};
    std::string error;
};

// Reads an image file of exactly kEepromSize bytes; a missing file is not an
// error (the caller starts from the built-in image).
EepromLoad LoadEepromFile(const std::string& path);

// Writes through a temporary file in the same folder, fsync and rename, so
// the file is always either the old or the new image, never half of one.
bool SaveEepromFile(const std::string& path, const Eeprom& image, std::string* error);

}  // namespace sim
