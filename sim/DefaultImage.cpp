#include "sim/DefaultImage.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace sim {
namespace {

// Small deterministic noise in −1..1, so the built-in logs look measured but
// every start gives the same image.
double Noise(unsigned n)
{
    n = (n ^ 61u) ^ (n >> 16);
    n *= 9u;
    n ^= n >> 4;
    n *= 0x27d4eb2du;
    n ^= n >> 15;
    return static_cast<double>(n % 2001u) / 1000.0 - 1.0;
}

std::uint8_t Clamp8(long v, long lo, long hi) { return static_cast<std::uint8_t>(std::clamp(v, lo, hi) & 0xFF); }

void PutName(Eeprom& e, int sensor, const std::string& name, const std::string& leftover)
{
    std::vector<std::uint8_t> slot = ToWindows1250(name);
    if (slot.size() < 16) {
        // What a shorter name leaves behind of a longer one written earlier.
        slot.push_back(0x00);
        for (std::uint8_t b : ToWindows1250(leftover)) slot.push_back(b);
    }
    slot.resize(16, 0x00);
    std::copy(slot.begin(), slot.end(), &At(e, kConstantsPage, constants::NameSlots + 16 * sensor));
}

void FillConstants(Eeprom& e)
{
    using namespace constants;
    auto set = [&e](int offset, int value) { At(e, kConstantsPage, offset) = static_cast<std::uint8_t>(value & 0xFF); };
    set(Shift, 0);
    set(Mode, 1);  // equithermal
    set(Thstat, 21);
    set(3, 3);     // switch over to program A ...
    set(4, 2);     // ... in 2 days
    set(5, 12);    // and 12 hours
    set(LogIndex, 0x9C);
    set(RunCount, 17);
    const std::uint32_t runSeconds = 3456789;  // 960 h 13 min 9 s of boiler time
    for (int i = 0; i < 4; ++i) set(BlrCounter + i, static_cast<int>(runSeconds >> (24 - 8 * i)));
    // Firmware bytes the service program must leave untouched.
    set(12, 0x5A);
    set(13, 0x01);
    set(14, 0x3C);
    set(15, 0xA7);
    set(PumpMinTemp, 35);
    set(ThstatLoTemp, 60);
    set(ThstatHiTemp, 80);
    set(ThstatSens, 3);
    set(WallMul, 8);
    set(WallMax, 5);
    set(22, 0x2E);
    set(EkvMaxTemp, 75);
    set(EkvRange, 10);
    set(BlrLoRate, 30);
    set(BlrHiRate, 100);
    set(EkvLoShift, 3);
    set(EkvHiShift, 6);
    set(ThstatDelay, 10);
    set(30, 0xC3);
    set(31, 0x07);
    const int corrections[8] = {0, 0, 1, -1, 0, 0, 2, 0};
    for (int i = 0; i < 8; ++i) set(SensCorr + i, corrections[i]);
    set(SensUsed, 0x7F);  // sensor 7 is not wired
    set(Log1, 4);         // outdoor
    set(Log1 + 1, 0);     // outlet water
    set(Log1 + 2, 3);     // indoor
    set(SensorFirst, 0);
    for (int i = 45; i < 128; ++i) set(i, 0x11 + (i * 29) % 0xEE);  // never 0

    PutName(e, 0, "Výstup kotle", "ra");
    PutName(e, 1, "Zpátečka", "kotle");
    PutName(e, 2, "Zásobník TUV", "1");
    PutName(e, 3, "Obývák", " pokoj");
    PutName(e, 4, "Venku", "-sever");
    PutName(e, 5, "Zeď sever", "ní");
    PutName(e, 6, "Kuchyň a jídelna", "");  // exactly 16: no terminator
    std::fill_n(&At(e, kConstantsPage, NameSlots + 16 * 7), 16, 0xFF);  // never written
}

// Heating curve and wall table as the service program's fill writes them:
// the rows −40..25 °C, with the end rows carried over the rest of the page.
void FillCurves(Eeprom& e)
{
    for (int i = 0; i < kPageSize; ++i) {
        const long double t = std::clamp(i - 128, -40, 25);
        const long double water = 51.0L + (-0.7L * t);
        At(e, kCurvePage, i) = Clamp8(std::lrint(std::nearbyint(water)), 0, 255);
        const long double wall = 21.0L - (17.0L / 45.0L) * (21.0L - t);
        At(e, kWallPage, i) = static_cast<std::uint8_t>(std::lrint(std::nearbyint(wall)) & 0xFF);
    }
}

// A: strong (equithermal, raised mornings and evenings, lowered at night);
// B: weak (thermostat setback at night, lowered during working hours);
// C: constant thermostat 20 °C.
std::uint8_t ProgramCell(int program, int day, int slot)
{
    const bool weekend = day >= 5;
    switch (program) {
    case 0:
        if (!weekend) {
            if (slot < 22) return CellEquithermal(-5);
            if (slot < 34) return CellEquithermal(5);
            if (slot < 64) return CellEquithermal(0);
            if (slot < 88) return CellEquithermal(4);
            return CellEquithermal(-5);
        }
        if (slot < 28 || slot >= 92) return CellEquithermal(-5);
        return CellEquithermal(3);
    case 1:
        if (slot < 24 || slot >= 88) return CellThermostat(16);
        if (!weekend && slot >= 32 && slot < 64) return CellEquithermal(-10);
        if (!weekend && slot < 32) return CellEquithermal(0);
        return CellEquithermal(-2);
    default:
        return CellThermostat(20);
    }
}

void FillPrograms(Eeprom& e)
{
    for (int program = 0; program < 3; ++program) {
        const int base = (kFirstProgramPage + 3 * program) * kPageSize;
        for (int index = 0; index < 3 * kPageSize; ++index) {
            const int day = index / 96;
            e[base + index] = day < 7 ? ProgramCell(program, day, index % 96) : 0;
        }
    }
}

// 256 hours ending at the log index; the newest entry was logged at 9:00.
void FillLogs(Eeprom& e)
{
    const int newest = At(e, kConstantsPage, constants::LogIndex);
    for (int entry = 0; entry < 256; ++entry) {
        const int age = (newest - entry) & 0xFF;
        const int hour = ((9 - age) % 24 + 24) % 24;
        const double pi = 3.14159265358979323846;
        const double outdoor = 1.0 + 5.0 * std::sin(2.0 * pi * (hour - 9) / 24.0) -
                               2.0 * std::sin(2.0 * pi * age / 200.0) + Noise(entry);
        const bool night = hour < 6 || hour >= 22;
        const double water = 51.0 - 0.7 * outdoor + (night ? -5.0 : 0.0) + 2.0 * Noise(entry + 1000);
        const double indoor = (night ? 19.5 : 21.0) + 0.6 * Noise(entry + 2000);
        const double duty = std::clamp(0.45 - 0.04 * outdoor + 0.1 * Noise(entry + 3000) - (night ? 0.15 : 0.0), 0.05, 1.0);
        At(e, kFirstLogPage + 0, entry) = static_cast<std::uint8_t>(std::lrint(outdoor) & 0xFF);
        At(e, kFirstLogPage + 1, entry) = static_cast<std::uint8_t>(std::lrint(water) & 0xFF);
        At(e, kFirstLogPage + 2, entry) = static_cast<std::uint8_t>(std::lrint(indoor) & 0xFF);
        At(e, kBoilerLogPage, entry) = Clamp8(std::lrint(duty * 3600.0 / 16.0), 0, 255);
    }
}

}  // namespace

std::vector<std::uint8_t> ToWindows1250(const std::string& utf8)
{
    static const std::pair<char32_t, std::uint8_t> kCzech[] = {
        {U'á', 0xE1}, {U'č', 0xE8}, {U'ď', 0xEF}, {U'é', 0xE9}, {U'ě', 0xEC}, {U'í', 0xED},
        {U'ň', 0xF2}, {U'ó', 0xF3}, {U'ř', 0xF8}, {U'š', 0x9A}, {U'ť', 0x9D}, {U'ú', 0xFA},
        {U'ů', 0xF9}, {U'ý', 0xFD}, {U'ž', 0x9E}, {U'Á', 0xC1}, {U'Č', 0xC8}, {U'Ď', 0xCF},
        {U'É', 0xC9}, {U'Ě', 0xCC}, {U'Í', 0xCD}, {U'Ň', 0xD2}, {U'Ó', 0xD3}, {U'Ř', 0xD8},
        {U'Š', 0x8A}, {U'Ť', 0x8D}, {U'Ú', 0xDA}, {U'Ů', 0xD9}, {U'Ý', 0xDD}, {U'Ž', 0x8E},
        {U'°', 0xB0},
    };
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        if ((lead & 0xE0) != 0xC0 || i + 1 >= utf8.size()) throw std::invalid_argument("unsupported character in " + utf8);
        const char32_t code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
        const auto* hit = std::find_if(std::begin(kCzech), std::end(kCzech), [code](const auto& p) { return p.first == code; });
        if (hit == std::end(kCzech)) throw std::invalid_argument("unsupported character in " + utf8);
        out.push_back(hit->second);
        i += 2;
    }
    return out;
}

Eeprom DefaultImage()
{
    Eeprom e{};
    FillConstants(e);
    FillCurves(e);
    FillPrograms(e);
    FillLogs(e);
    return e;
}

}  // namespace sim
