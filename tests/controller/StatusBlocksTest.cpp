// The blocks of the status poll and the texts they are shown with.
#include "controller/StatusBlocks.h"

#include <gtest/gtest.h>

#include <vector>

#include "controller/StatusPoll.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A block of the length its decoder takes.
template <std::size_t N>
std::span<const std::uint8_t, N> Block(const Bytes& bytes)
{
    EXPECT_EQ(bytes.size(), N);
    return std::span<const std::uint8_t, N>(bytes.data(), N);
}

TEST(ClockBlock, DecodesToTheControllersClockText)
{
    const struct {
        Bytes block;
        const char* text;
    } cases[] = {
        {{0x09, 0x05, 0x0E, 0x02}, "14:05:09, středa"},
        {{0x00, 0x00, 0x00, 0x00}, "00:00:00, pondělí"},
        {{0x3B, 0x3B, 0x17, 0x06}, "23:59:59, neděle"},
        {{0x09, 0x05, 0x0E, 0x09}, "14:05:09, (chyba)"},
        {{0x09, 0x05, 0x0E, 0x07}, "14:05:09, (chyba)"},
        {{0x09, 0x05, 0x0E, 0xFF}, "14:05:09, (chyba)"},
        // Nothing is range checked; three digits stay three.
        {{0xFF, 0x64, 0x18, 0x01}, "24:100:255, úterý"},
        {{0x4B, 0x3C, 0x0A, 0x04}, "10:60:75, pátek"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ControllerClockText(DecodeClockBlock(Block<4>(c.block))), QString::fromUtf8(c.text)) << c.text;
}

TEST(ClockBlock, EveryByteValueRoundTripsThroughItsPlace)
{
    for (std::size_t place = 0; place < 4; ++place) {
        for (int v = 0; v < 256; ++v) {
            Bytes block{0x11, 0x22, 0x33, 0x44};
            block[place] = std::uint8_t(v);
            const ControllerTime time = DecodeClockBlock(Block<4>(block));
            const int fields[] = {time.Sec, time.Min, time.Hour, time.Day};
            ASSERT_EQ(fields[place], v) << "byte " << place;
            Bytes back(4);
            ASSERT_TRUE(EncodeFields(ClockTable, time, std::span<std::uint8_t, 4>(back.data(), 4)));
            ASSERT_EQ(back, block);
        }
    }
    ControllerTime tooLarge{256, 0, 0, 0};
    Bytes untouched{1, 2, 3, 4};
    EXPECT_FALSE(EncodeFields(ClockTable, tooLarge, std::span<std::uint8_t, 4>(untouched.data(), 4)));
    EXPECT_EQ(untouched, (Bytes{1, 2, 3, 4}));
}

// The whole status block as the tab shows it: every byte at its place with
// its sign, extreme values included.  The captions and rows of the other
// modes are checked on the tab's widgets.
TEST(StatusBlock, RegulatorViewOfEveryMode)
{
    using Rows = std::vector<std::pair<const char*, const char*>>;  // caption (null: kept), value (null: kept)
    const struct {
        Bytes block;
        const char* mode;
        Rows rows;  // ParamRow … BlRateRow
        std::vector<bool> visible;
    } cases[] = {
        {{0x0B, 1, 0xFB, 0x2D, 0x04, 0xFE, 0x30, 0x2B, 0xC8, 0x0C},
         "ekvitermní",
         {{"Posun:", "-5 °C"}, {nullptr, "+4 °C"}, {"Stř. tepl. aktuální:", "45 °C"}, {nullptr, "-2 °C"},
          {nullptr, "48 °C"}, {nullptr, "43 °C"}, {nullptr, "200 %"}},
         {true, true, true, true, true, true, true}},
        {{0x00, 2, 0x15, 0x80, 0x00, 0x7F, 0xD8, 0x80, 0x00, 0x0C},
         "termostat",
         {{"Termostat:", "+21 °C"}, {nullptr, "+0 °C"}, {"Do dalšího kroku:", "12 minut"}, {nullptr, "+127 °C"},
          {nullptr, "-40 °C"}, {nullptr, "-128 °C"}, {nullptr, "0 %"}},
         {true, true, true, false, false, false, false}},
        {{0x00, 2, 0x7F, 0x00, 0x80, 0x00, 0x00, 0x00, 0xFF, 0xFF},
         "termostat",
         {{"Termostat:", "+127 °C"}, {nullptr, "-128 °C"}, {"Do dalšího kroku:", "255 minut"}, {nullptr, "+0 °C"},
          {nullptr, "0 °C"}, {nullptr, "0 °C"}, {nullptr, "255 %"}},
         {true, true, true, false, false, false, false}},
    };
    auto text = [](const std::optional<QString>& t) { return t ? t->toStdString() : std::string("(kept)"); };
    for (const auto& c : cases) {
        const RegulatorView view = MakeRegulatorView(DecodeStatusBlock(Block<10>(c.block)));
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(view.mode, QString::fromUtf8(c.mode));
        const char16_t* const keys[] = {u"Param", u"Dev", u"Temp", u"Wall", u"Ekv", u"Average", u"BlRate"};
        for (int r = 0; r < 7; ++r) {
            const auto& [caption, value] = c.rows[std::size_t(r)];
            const RegulatorLine& line = view.Line(keys[r]);
            EXPECT_EQ(text(line.caption), caption ? caption : "(kept)") << "row " << r;
            EXPECT_EQ(text(line.value), value ? value : "(kept)") << "row " << r;
            EXPECT_EQ(line.visible, c.visible[std::size_t(r)]) << "row " << r;
        }
    }
}

TEST(StatusBlock, OutputsAreBitsZeroOneAndThree)
{
    const struct {
        std::uint8_t byte;
        Outputs outputs;
    } cases[] = {
        {0x0B, {true, true, true}},   {0x04, {false, false, false}}, {0xF4, {false, false, false}},
        {0x01, {true, false, false}}, {0x02, {false, true, false}},  {0x08, {false, false, true}},
        {0xFF, {true, true, true}},
    };
    for (const auto& c : cases) {
        Bytes block(10, 0);
        block[0] = c.byte;
        EXPECT_EQ(DecodeStatusBlock(Block<10>(block)).outputs, c.outputs) << int(c.byte);
    }
    EXPECT_EQ(OutputColour(true), (Rgb{127, 255, 127}));
    EXPECT_EQ(OutputColour(false), (Rgb{255, 127, 127}));
}

TEST(SensorBlock, ByteKBelongsToSensorSevenMinusK)
{
    const Bytes block{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    EXPECT_EQ(DecodeSensorTemperatures(Block<8>(block)), (SensorValues{8, 7, 6, 5, 4, 3, 2, 1}));
    const Bytes signs{0xFF, 0x80, 0x7F, 0x00, 0xEC, 0x15, 0x81, 0xC8};
    EXPECT_EQ(DecodeSensorTemperatures(Block<8>(signs)), (SensorValues{-56, -127, 21, -20, 0, 127, -128, -1}));
    EXPECT_EQ(DecodeSensorReadings(Block<8>(signs)), (SensorValues{200, 129, 21, 236, 0, 127, 128, 255}));
}

TEST(Texts, NumbersAndTemperatures)
{
    const struct {
        int value;
        const char *twoDigit, *withSign, *plain;
    } cases[] = {
        {0, "00", "+0 °C", "0 °C"},       {5, "05", "+5 °C", "5 °C"},         {9, "09", "+9 °C", "9 °C"},
        {10, "10", "+10 °C", "10 °C"},    {59, "59", "+59 °C", "59 °C"},      {100, "100", "+100 °C", "100 °C"},
        {127, "127", "+127 °C", "127 °C"}, {255, "255", "+255 °C", "255 °C"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TwoDigitText(c.value), QString::fromUtf8(c.twoDigit));
        EXPECT_EQ(SignedText(c.value), QString::fromUtf8(c.withSign));
        EXPECT_EQ(TemperatureText(c.value), QString::fromUtf8(c.plain));
    }
    EXPECT_EQ(SignedText(-5), QStringLiteral("-5 °C"));
    EXPECT_EQ(SignedText(-128), QStringLiteral("-128 °C"));
    EXPECT_EQ(SensorText(-12), QStringLiteral("-12 °C"));
    EXPECT_EQ(QuickSensorText(-3, 200), QStringLiteral("akt. -3 °C, AD 200"));
    EXPECT_EQ(QuickSensorText(21, 0), QStringLiteral("akt. 21 °C, AD 0"));
}

TEST(Texts, PcClockUsesTheLocalesFullDayName)
{
    // 2024-06-05 is a Wednesday, 2024-06-09 a Sunday.
    const QDateTime wednesday(QDate(2024, 6, 5), QTime(8, 4, 9));
    const QDateTime sunday(QDate(2024, 6, 9), QTime(23, 59, 59));
    EXPECT_EQ(PcClockText(wednesday, QLocale(QLocale::Czech)), QStringLiteral("08:04:09, středa"));
    EXPECT_EQ(PcClockText(wednesday, QLocale(QLocale::English)), QStringLiteral("08:04:09, Wednesday"));
    EXPECT_EQ(PcClockText(sunday, QLocale(QLocale::German)), QStringLiteral("23:59:59, Sonntag"));
    EXPECT_EQ(PcClockText(QDateTime(QDate(2024, 6, 10), QTime(0, 0, 0)), QLocale(QLocale::Czech)),
              QStringLiteral("00:00:00, pondělí"));
}

}  // namespace
