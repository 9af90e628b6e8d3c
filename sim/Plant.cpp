#include "sim/Plant.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMeanPeriod = 300.0;   // seconds between "previous" and "current" mean
constexpr double kBoilerCycle = 120.0;  // seconds of one power-ratio cycle

double Wave(double t, double period, double phase = 0.0) { return std::sin(2.0 * kPi * t / period + phase); }

int Signed(std::uint8_t b) { return static_cast<std::int8_t>(b); }
std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(std::clamp(v, -128, 255) & 0xFF); }
std::uint8_t SignedByte(int v) { return static_cast<std::uint8_t>(std::clamp(v, -128, 127) & 0xFF); }
std::uint8_t Page0(const Eeprom& e, int offset) { return At(e, kConstantsPage, offset); }

int TableIndex(int celsius) { return std::clamp(celsius, -128, 127) + 128; }

struct Regulation {
    std::array<double, SensorCount> physical{};
    std::array<int, SensorCount> temperature{};
    int ekv = 0;
    int wallCorrection = 0;
};

int Corrected(const Eeprom& e, int sensor, double celsius)
{
    return std::clamp(static_cast<int>(std::lround(celsius)) + Signed(Page0(e, constants::SensCorr + sensor)), -128, 127);
}

// The sensors at one moment; the water temperatures follow what the
// regulator aims at, the rest drift on their own.
Regulation Measure(const Eeprom& e, const RegimeInForce& regime, double t)
{
    Regulation r;
    auto& p = r.physical;
    p[Outdoor] = 3.0 + 6.0 * Wave(t, 1200.0);
    p[Indoor] = 21.0 + 1.2 * Wave(t, 900.0, 0.5);
    p[User1] = 48.0 + 4.0 * Wave(t, 1500.0);
    p[User2] = 19.0 + 1.5 * Wave(t, 800.0, 2.0);
    p[User3] = 23.0 + 1.0 * Wave(t, 1000.0, 3.0);
    const int outdoor = Corrected(e, Outdoor, p[Outdoor]);
    p[Wall] = Signed(At(e, kWallPage, TableIndex(outdoor))) + 0.8 * Wave(t, 700.0, 1.0);
    const int wall = Corrected(e, Wall, p[Wall]);

    switch (regime.regime) {
    case Regime::Equithermal: {
        int water = At(e, kCurvePage, TableIndex(outdoor)) + Signed(Page0(e, constants::Shift));
        water = water * (100 + 2 * regime.correctionK) / 100;
        const int expectedWall = Signed(At(e, kWallPage, TableIndex(outdoor)));
        const int wallMax = Page0(e, constants::WallMax);
        r.wallCorrection = std::clamp((expectedWall - wall) * Page0(e, constants::WallMul) / 4, -wallMax, wallMax);
        r.ekv = std::min(water + r.wallCorrection, static_cast<int>(Page0(e, constants::EkvMaxTemp)));
        p[OutletWater] = r.ekv + 3.0 * Wave(t, 300.0);
        p[ReturnWater] = p[OutletWater] - 7.0 - 1.5 * Wave(t, 300.0, 0.7);
        break;
    }
    case Regime::Thermostat: {
        const double lo = Page0(e, constants::ThstatLoTemp);
        const double hi = Page0(e, constants::ThstatHiTemp);
        p[OutletWater] = (lo + hi) / 2.0 + (hi - lo) / 2.0 * Wave(t, 600.0);
        p[ReturnWater] = p[OutletWater] - 6.0 - Wave(t, 300.0, 0.7);
        break;
    }
    case Regime::Off:
        p[OutletWater] = p[Indoor] + 3.0 + Wave(t, 400.0);
        p[ReturnWater] = p[OutletWater] - 1.0;
        break;
    }
    for (int i = 0; i < SensorCount; ++i) r.temperature[i] = Corrected(e, i, p[i]);
    return r;
}

int WaterMean(const Regulation& r) { return (r.temperature[OutletWater] + r.temperature[ReturnWater]) / 2; }

}  // namespace

RegimeInForce CurrentRegime(const Eeprom& e, const ClockTime& clock)
{
    RegimeInForce r;
    const int mode = Page0(e, constants::Mode);
    std::uint8_t cell = 0;
    if (mode == 1) {
        cell = 0x40;
    } else if (mode == 2) {
        cell = static_cast<std::uint8_t>(0x80);
        r.thermostatTemp = Page0(e, constants::Thstat);
    } else if (mode >= 3 && mode <= 5) {
        const int day = std::clamp(clock.weekday, 0, 6);
        const int slot = std::clamp(clock.hours, 0, 23) * 4 + std::clamp(clock.minutes, 0, 59) / 15;
        const int index = day * 96 + slot;
        const int page = kFirstProgramPage + 3 * (mode - 3) + index / kPageSize;
        cell = At(e, page, index % kPageSize);
        r.thermostatTemp = cell & 0x3F;
    } else {
        return r;  // off, or a mode the firmware does not know
    }
    switch (cell >> 6) {
    case 1:
        r.regime = Regime::Equithermal;
        r.correctionK = (cell & 0x20) ? (cell & 0x3F) - 64 : (cell & 0x3F);
        break;
    case 2:
        r.regime = Regime::Thermostat;
        break;
    default:
        r.regime = Regime::Off;
        break;
    }
    return r;
}

std::uint8_t AdReading(double celsius)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(200.0 - 1.5 * celsius), 0L, 255L));
}

PlantState EvaluatePlant(const Eeprom& e, const ClockTime& clock, double t, double regulatorAge)
{
    const RegimeInForce regime = CurrentRegime(e, clock);
    const Regulation now = Measure(e, regime, t);
    PlantState s;
    s.temperature = now.temperature;
    for (int i = 0; i < SensorCount; ++i) {
        const double jitter = 0.6 * Wave(t, 7.0, i);
        s.current[i] = Corrected(e, i, now.physical[i] + jitter);
        s.ad[i] = AdReading(now.physical[i] + jitter);
    }

    const int mean = WaterMean(now);
    const int previousMean = regulatorAge >= kMeanPeriod ? WaterMean(Measure(e, regime, t - kMeanPeriod)) : mean;
    const int lo = Page0(e, constants::BlrLoRate);
    const int hi = Page0(e, constants::BlrHiRate);
    std::uint8_t outputs = 0;
    auto& st = s.status;
    st[1] = static_cast<std::uint8_t>(regime.regime);

    switch (regime.regime) {
    case Regime::Equithermal: {
        const int deviation = now.ekv - mean;
        const int range = std::max<int>(Page0(e, constants::EkvRange), 1);
        int rate = 0;
        if (deviation >= -range) {
            const double share = std::clamp((deviation + range) / (2.0 * range), 0.0, 1.0);
            rate = static_cast<int>(std::lround(lo + (hi - lo) * share));
        }
        s.boilerOn = std::fmod(std::max(t, 0.0), kBoilerCycle) < kBoilerCycle * rate / 100.0;
        if (s.boilerOn) outputs |= kBoilerBit;
        if (s.boilerOn && deviation > Page0(e, constants::EkvLoShift)) outputs |= kModulatorBit;
        st[2] = SignedByte(Signed(Page0(e, constants::Shift)));
        st[3] = SignedByte(mean);
        st[4] = SignedByte(deviation);
        st[5] = SignedByte(now.wallCorrection);
        st[6] = SignedByte(now.ekv);
        st[7] = SignedByte(previousMean);
        st[8] = Byte(rate);
        break;
    }
    case Regime::Thermostat: {
        const int configured = Page0(e, constants::ThstatSens);
        const int sensor = configured < SensorCount ? configured : static_cast<int>(Indoor);
        const int deviation = regime.thermostatTemp - now.temperature[sensor];
        s.boilerOn = deviation > 0;
        if (s.boilerOn) outputs |= kBoilerBit;
        if (s.boilerOn && deviation >= 2) outputs |= kModulatorBit;
        const int delay = Page0(e, constants::ThstatDelay);
        const int minutesRun = static_cast<int>(std::max(regulatorAge, 0.0) / 60.0);
        st[2] = SignedByte(regime.thermostatTemp);
        st[3] = SignedByte(mean);
        st[4] = SignedByte(deviation);
        st[6] = SignedByte(s.boilerOn ? Page0(e, constants::ThstatHiTemp) : Page0(e, constants::ThstatLoTemp));
        st[7] = SignedByte(previousMean);
        st[8] = Byte(s.boilerOn ? hi : 0);
        st[9] = Byte(delay > 0 ? delay - minutesRun % delay : 0);
        break;
    }
    case Regime::Off:
        break;  // all outputs off, no regulator values
    }
    if (regime.regime != Regime::Off && (s.boilerOn || now.temperature[OutletWater] >= Page0(e, constants::PumpMinTemp)))
        outputs |= kPumpBit;
    st[0] = outputs;
    return s;
}

std::array<std::uint8_t, 8> SensorBlock(const std::array<int, SensorCount>& bySensor)
{
    std::array<std::uint8_t, 8> block{};
    for (int k = 0; k < 8; ++k) block[k] = static_cast<std::uint8_t>(bySensor[7 - k] & 0xFF);
    return block;
}

std::array<std::uint8_t, 8> SensorBlock(const std::array<std::uint8_t, SensorCount>& bySensor)
{
    std::array<std::uint8_t, 8> block{};
    for (int k = 0; k < 8; ++k) block[k] = bySensor[7 - k];
    return block;
}

}  // namespace sim
