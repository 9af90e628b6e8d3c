// The Controller model driven directly, with the time handed in: what takes
// an hour or a second of silence on the real line takes nothing here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "sim/Controller.h"
#include "sim/DefaultImage.h"
#include "sim/Eeprom.h"
#include "sim/Options.h"
#include "sim/Plant.h"

namespace {

using namespace sim;
using Bytes = std::vector<std::uint8_t>;

constexpr Nanos kT0 = 1000 * kNanosPerSecond;
constexpr Nanos kMs = kNanosPerMilli;

ClockTime At(int h, int m, int s, int weekday) { return ClockTime{s, m, h, weekday}; }

Controller Make(const Eeprom& image, ClockTime clock, ControllerConfig config = {})
{
    return Controller(config, image, clock, kT0);
}

std::uint32_t BlrCounter(const Eeprom& e)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | sim::At(e, kConstantsPage, constants::BlrCounter + i);
    return v;
}

Bytes Send(Controller& c, const Bytes& bytes, Nanos at)
{
    Bytes all;
    for (auto b : bytes) {
        const auto r = c.OnByte(b, at);
        all.insert(all.end(), r.reply.begin(), r.reply.end());
    }
    return all;
}

TEST(ControllerModel, LogsAdvanceOncePerHourOfTheClock)
{
    const Eeprom image = DefaultImage();
    Controller c = Make(image, At(10, 59, 58, 2));
    const int index = sim::At(image, kConstantsPage, constants::LogIndex);

    EXPECT_FALSE(c.Tick(kT0 + 1500 * kMs));
    EXPECT_EQ(sim::At(c.Image(), kConstantsPage, constants::LogIndex), index);
    EXPECT_EQ(c.NextWakeup(), kT0 + 2 * kNanosPerSecond);

    const Nanos after = kT0 + 2500 * kMs;
    EXPECT_TRUE(c.Tick(after));
    const int next = (index + 1) & 0xFF;
    EXPECT_EQ(sim::At(c.Image(), kConstantsPage, constants::LogIndex), next);
    // The three logged sensors as the Controller measured them at the hour.
    const PlantState atHour = c.Plant(kT0 + 2 * kNanosPerSecond);
    for (int log = 0; log < 3; ++log) {
        const int sensor = sim::At(image, kConstantsPage, constants::Log1 + log);
        EXPECT_EQ(static_cast<std::int8_t>(sim::At(c.Image(), kFirstLogPage + log, next)), atHour.temperature[sensor]);
    }
    // Two seconds of the hour were seen: at most that much boiler time.
    EXPECT_EQ(sim::At(c.Image(), kBoilerLogPage, next), 0);
    EXPECT_LE(BlrCounter(c.Image()) - BlrCounter(image), 2u);
    // Nothing else of the log pages moved.
    for (int page = kFirstLogPage; page < kPageCount; ++page) {
        for (int i = 0; i < kPageSize; ++i) {
            if (i != next) {
                ASSERT_EQ(sim::At(c.Image(), page, i), sim::At(image, page, i)) << page << ":" << i;
            }
        }
    }

    EXPECT_FALSE(c.Tick(after + kNanosPerSecond));
    // Three more hours pass unattended: three more entries, the boiler time
    // of a whole hour in units of 16 s.
    EXPECT_TRUE(c.Tick(kT0 + (2 + 3 * 3600) * kNanosPerSecond + kMs));
    EXPECT_EQ(sim::At(c.Image(), kConstantsPage, constants::LogIndex), (index + 4) & 0xFF);
    const int boiler = sim::At(c.Image(), kBoilerLogPage, (index + 4) & 0xFF);
    EXPECT_GT(boiler, 0);
    EXPECT_LE(boiler, 3600 / 16);
}

TEST(ControllerModel, SettingTheClockIsNoPassingHour)
{
    const Eeprom image = DefaultImage();
    Controller c = Make(image, At(8, 10, 0, 0));
    const Bytes acks = Send(c, {0x10, 59, 59, 14}, kT0 + kNanosPerSecond);
    EXPECT_EQ(acks.size(), 4u);
    EXPECT_TRUE(Send(c, {3}, kT0 + kNanosPerSecond).empty());
    EXPECT_FALSE(c.Tick(kT0 + kNanosPerSecond + 500 * kMs));
    EXPECT_EQ(sim::At(c.Image(), kConstantsPage, constants::LogIndex), sim::At(image, kConstantsPage, constants::LogIndex));
    // One second later the set clock reaches 15:00 on Thursday.
    EXPECT_TRUE(c.Tick(kT0 + 2 * kNanosPerSecond + kMs));
    const ClockTime t = c.Clock(kT0 + 2 * kNanosPerSecond + kMs);
    EXPECT_EQ(t.hours, 15);
    EXPECT_EQ(t.minutes, 0);
    EXPECT_EQ(t.weekday, 3);
}

TEST(ControllerModel, ClockNormalisesOutOfRangeValuesAndWrapsTheWeek)
{
    struct Case {
        ClockTime set;
        Nanos later;
        ClockTime expected;
    };
    const std::vector<Case> cases = {
        {At(23, 59, 59, 6), kNanosPerSecond, At(0, 0, 0, 0)},
        {ClockTime{75, 5, 23, 6}, 0, At(23, 6, 15, 6)},
        {ClockTime{0, 0, 30, 1}, 0, At(6, 0, 0, 2)},
        {At(12, 0, 0, 9), 0, At(12, 0, 0, 2)},
        {At(1, 2, 3, 4), 3600 * kNanosPerSecond + 999 * kMs, At(2, 2, 3, 4)},
        {At(1, 2, 3, 4), 3601 * kNanosPerSecond, At(2, 2, 4, 4)},
    };
    for (const auto& k : cases) {
        ControllerClock clock;
        clock.Set(k.set, kT0);
        const ClockTime t = clock.Read(kT0 + k.later);
        EXPECT_EQ(t.hours, k.expected.hours);
        EXPECT_EQ(t.minutes, k.expected.minutes);
        EXPECT_EQ(t.seconds, k.expected.seconds);
        EXPECT_EQ(t.weekday, k.expected.weekday);
    }
}

TEST(ControllerModel, SilentSequenceIsAbandonedAfterOneSecond)
{
    const Eeprom image = DefaultImage();
    Controller c = Make(image, At(9, 0, 0, 0));
    EXPECT_EQ(Send(c, {0x36}, kT0).size(), 1u);
    EXPECT_EQ(Send(c, {0xAA, 0xBB}, kT0 + 900 * kMs).size(), 2u);
    // 999 ms later the sequence still goes on: this byte is data.
    auto r = c.OnByte(0xCC, kT0 + 1899 * kMs);
    EXPECT_EQ(r.role, ByteRole::Data);
    // After more than a second of silence 0x26 is a command again.
    r = c.OnByte(0x26, kT0 + 2900 * kMs);
    EXPECT_EQ(r.role, ByteRole::Command);
    ASSERT_EQ(r.reply.size(), 256u);
    EXPECT_EQ(r.reply[0], 0xAA);
    EXPECT_EQ(r.reply[2], 0xCC);
    EXPECT_EQ(r.reply[3], sim::At(image, 6, 3));
    EXPECT_TRUE(r.saveEeprom) << "the bytes stored before the break reach the file";

    // A clock setting that stops part-way changes nothing.
    Send(c, {0x10, 1, 2}, kT0 + 3 * kNanosPerSecond);
    EXPECT_EQ(c.OnByte(0x00, kT0 + 5 * kNanosPerSecond).reply.size(), 4u);
    EXPECT_EQ(c.Clock(kT0 + 5 * kNanosPerSecond).hours, 9);
}

TEST(ControllerModel, ShortenedOpeningAckDoesNotEnterTheSequence)
{
    ControllerConfig config;
    config.shortReplies[0x35] = 0;
    Controller c = Make(DefaultImage(), At(9, 0, 0, 0), config);
    EXPECT_TRUE(c.OnByte(0x35, kT0).reply.empty());
    const auto r = c.OnByte(0x25, kT0 + kMs);
    EXPECT_EQ(r.role, ByteRole::Command);
    EXPECT_EQ(r.reply.size(), 256u);
}

// Status of the default plant with page 0 byte 1 (and maybe more) changed.
std::array<std::uint8_t, 10> StatusWith(int mode, ClockTime clock, void (*edit)(Eeprom&) = nullptr)
{
    Eeprom e = DefaultImage();
    sim::At(e, kConstantsPage, constants::Mode) = static_cast<std::uint8_t>(mode);
    if (edit) edit(e);
    Controller c = Make(e, clock);
    const auto r = c.OnByte(0x43, kT0 + kMs);
    std::array<std::uint8_t, 10> s{};
    std::copy(r.reply.begin(), r.reply.end(), s.begin());
    return s;
}

TEST(ControllerModel, StatusFollowsModeAndTimeProgramCell)
{
    // Off: no outputs, mode 0.
    auto s = StatusWith(0, At(10, 0, 0, 0));
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[1], 0);
    // Thermostat: the thermostat temperature of page 0 as the parameter.
    s = StatusWith(2, At(10, 0, 0, 0), [](Eeprom& e) { sim::At(e, kConstantsPage, constants::Thstat) = 23; });
    EXPECT_EQ(s[1], 2);
    EXPECT_EQ(s[2], 23);
    // Equithermal: the shift as the parameter.
    s = StatusWith(1, At(10, 0, 0, 0), [](Eeprom& e) { sim::At(e, kConstantsPage, constants::Shift) = 0xFB; });
    EXPECT_EQ(s[1], 1);
    EXPECT_EQ(s[2], 0xFB);

    // Program B, Wednesday 10:15 is cell 2 · 96 + 41 = 233 of pages 6–8.
    auto edit = [](Eeprom& e) {
        sim::At(e, 6, 233) = CellThermostat(33);
        sim::At(e, 6, 234) = CellOff();
        sim::At(e, 6, 232) = CellEquithermal(-3);
    };
    s = StatusWith(4, At(10, 15, 0, 2), edit);
    EXPECT_EQ(s[1], 2);
    EXPECT_EQ(s[2], 33);
    s = StatusWith(4, At(10, 29, 59, 2), edit);
    EXPECT_EQ(s[2], 33);
    s = StatusWith(4, At(10, 30, 0, 2), edit);
    EXPECT_EQ(s[1], 0);
    EXPECT_EQ(s[0], 0);
    s = StatusWith(4, At(10, 14, 0, 2), edit);
    EXPECT_EQ(s[1], 1);
    // A cell in the third page: Sunday 23:45 is cell 671 = page 11 byte 159 for C.
    s = StatusWith(5, At(23, 45, 0, 6), [](Eeprom& e) { sim::At(e, 11, 159) = CellThermostat(12); });
    EXPECT_EQ(s[1], 2);
    EXPECT_EQ(s[2], 12);
    // A mode the firmware does not know regulates nothing.
    s = StatusWith(9, At(10, 0, 0, 0));
    EXPECT_EQ(s[1], 0);
    EXPECT_EQ(s[0], 0);
}

TEST(ControllerModel, SensorBlocksListSensorSevenFirstWithCorrections)
{
    Eeprom plain = DefaultImage();
    for (int i = 0; i < 8; ++i) sim::At(plain, kConstantsPage, constants::SensCorr + i) = 0;
    Eeprom corrected = plain;
    sim::At(corrected, kConstantsPage, constants::SensCorr + Outdoor) = 5;  // outdoor, byte 3
    sim::At(corrected, kConstantsPage, constants::SensCorr + User3) = static_cast<std::uint8_t>(-2);  // byte 0
    Controller a = Make(plain, At(10, 0, 0, 0));
    Controller b = Make(corrected, At(10, 0, 0, 0));
    for (std::uint8_t command : {0x41, 0x42}) {
        const Bytes x = a.OnByte(command, kT0 + kMs).reply;
        const Bytes y = b.OnByte(command, kT0 + kMs).reply;
        ASSERT_EQ(x.size(), 8u);
        ASSERT_EQ(y.size(), 8u);
        EXPECT_EQ(static_cast<std::int8_t>(y[3]) - static_cast<std::int8_t>(x[3]), 5);
        EXPECT_EQ(static_cast<std::int8_t>(y[0]) - static_cast<std::int8_t>(x[0]), -2);
        EXPECT_EQ(y[1], x[1]);  // user 2 and indoor: neither corrected nor
        EXPECT_EQ(y[4], x[4]);  // depending on the outdoor temperature
    }
    // The raw converter sees the sensor, not the correction.
    EXPECT_EQ(a.OnByte(0x40, kT0 + kMs).reply[0], b.OnByte(0x40, kT0 + kMs).reply[0]);
    EXPECT_EQ(a.Plant(kT0).temperature[Outdoor], static_cast<std::int8_t>(a.OnByte(0x41, kT0).reply[3]));
}

TEST(ControllerModel, AdReadingIsMonotoneInTemperature)
{
    for (double t = -60.0; t < 140.0; t += 0.5) EXPECT_LE(AdReading(t + 0.5), AdReading(t)) << t;
    EXPECT_GT(AdReading(-20.0), AdReading(80.0));
}

TEST(ControllerModel, ReadingsStayPlausibleOverAnHour)
{
    Controller c = Make(DefaultImage(), At(6, 0, 0, 0));
    for (Nanos t = kT0; t < kT0 + 3600 * kNanosPerSecond; t += 37 * kNanosPerSecond) {
        const PlantState s = c.Plant(t);
        EXPECT_GT(s.temperature[OutletWater], s.temperature[ReturnWater]);
        EXPECT_GE(s.temperature[Outdoor], -10);
        EXPECT_LE(s.temperature[Outdoor], 15);
        EXPECT_GE(s.temperature[Indoor], 18);
        EXPECT_LE(s.temperature[Indoor], 24);
        EXPECT_LE(s.status[1], 2);
        EXPECT_LE(s.status[8], 100);
        EXPECT_EQ(s.status[0] & ~(kBoilerBit | kPumpBit | kModulatorBit), 0);
    }
}

TEST(ControllerModel, DefaultImageHoldsTheFilledTables)
{
    const Eeprom e = DefaultImage();
    // The curve as the service program's fill with its start values makes it.
    EXPECT_EQ(sim::At(e, kCurvePage, 0), 79);
    EXPECT_EQ(sim::At(e, kCurvePage, 88), 79);
    EXPECT_EQ(sim::At(e, kCurvePage, 128 - 35), 76);
    EXPECT_EQ(sim::At(e, kCurvePage, 128), 51);
    EXPECT_EQ(sim::At(e, kCurvePage, 153), 34);
    EXPECT_EQ(sim::At(e, kCurvePage, 255), 34);
    EXPECT_EQ(static_cast<std::int8_t>(sim::At(e, kWallPage, 88)), -2);
    EXPECT_EQ(sim::At(e, kWallPage, 128), 13);
    EXPECT_EQ(sim::At(e, kWallPage, 153), 23);
    for (int program = 0; program < 3; ++program) {
        const int last = kFirstProgramPage + 3 * program + 2;
        for (int i = 160; i < 256; ++i) EXPECT_EQ(sim::At(e, last, i), 0) << "page " << last;
    }
    // The three programs differ.
    EXPECT_FALSE(std::equal(&e[3 * 256], &e[6 * 256], &e[6 * 256]));
    EXPECT_FALSE(std::equal(&e[6 * 256], &e[9 * 256], &e[9 * 256]));
}

TEST(ControllerModel, Windows1250OfCzechNames)
{
    EXPECT_EQ(ToWindows1250("Zeď"), (Bytes{'Z', 'e', 0xEF}));
    EXPECT_EQ(ToWindows1250("Příliš žluťoučký kůň úpěl ďábelské ódy"),
              (Bytes{'P', 0xF8, 0xED, 'l', 'i', 0x9A, ' ', 0x9E, 'l', 'u', 0x9D, 'o', 'u', 0xE8, 'k', 0xFD, ' ', 'k',
                     0xF9, 0xF2, ' ', 0xFA, 'p', 0xEC, 'l', ' ', 0xEF, 0xE1, 'b', 'e', 'l', 's', 'k', 0xE9, ' ', 0xF3,
                     'd', 'y'}));
    EXPECT_THROW(ToWindows1250("€"), std::invalid_argument);
    EXPECT_THROW(ToWindows1250("ä"), std::invalid_argument);
}

TEST(ControllerModel, EepromFileRoundTripAndSizeCheck)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("vesk-sim-model-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    struct Cleanup {
        fs::path path;
        ~Cleanup() { std::error_code ignored; fs::remove_all(path, ignored); }
    } cleanup{dir};
    const std::string file = (dir / "e.bin").string();
    EXPECT_EQ(LoadEepromFile(file).result, EepromLoad::Result::Missing);

    Eeprom image = DefaultImage();
    image[4095] = 0x5C;
    std::string error;
    ASSERT_TRUE(SaveEepromFile(file, image, &error)) << error;
    const EepromLoad load = LoadEepromFile(file);
    ASSERT_EQ(load.result, EepromLoad::Result::Loaded);
    EXPECT_EQ(load.image, image);

    { std::ofstream(file, std::ios::binary | std::ios::app) << 'x'; }
    EXPECT_EQ(LoadEepromFile(file).result, EepromLoad::Result::Error);
    EXPECT_FALSE(SaveEepromFile((dir / "missing" / "e.bin").string(), image, &error));
}

TEST(ControllerModel, OptionsParse)
{
    const auto r = ParseOptions({"--link", "/tmp/t", "--short-reply", "0x44:5", "--short-reply=2F:0", "--clock",
                                 "23:05:07:6", "--info-hex", "4142", "--no-ack-after", "0", "--line-speed", "9600", "--no-ack-page", "15", "--stuck-byte", "3:255"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.link, "/tmp/t");
    EXPECT_EQ(r.options.shortReplies.at(0x44), 5u);
    EXPECT_EQ(r.options.shortReplies.at(0x2F), 0u);
    ASSERT_TRUE(r.options.clock.has_value());
    EXPECT_EQ(r.options.clock->hours, 23);
    EXPECT_EQ(r.options.clock->minutes, 5);
    EXPECT_EQ(r.options.clock->seconds, 7);
    EXPECT_EQ(r.options.clock->weekday, 6);
    EXPECT_EQ(r.options.info[1], 0x42);
    EXPECT_EQ(r.options.info[2], 0x00);
    EXPECT_EQ(r.options.noAckAfter, 0);
    EXPECT_EQ(r.options.noAckPage, 15);
    EXPECT_EQ(r.options.stuckByte, 3 * 256 + 255);
    EXPECT_EQ(r.options.lineSpeed, 9600);
    const auto d = ParseOptions({"--link", "x"});
    EXPECT_EQ(d.options.info, DefaultInfo());
    EXPECT_FALSE(d.options.clock.has_value());
    EXPECT_EQ(d.options.noAckAfter, -1);
    EXPECT_EQ(d.options.noAckPage, -1);
}

}  // namespace
