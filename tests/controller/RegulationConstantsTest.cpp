#include "controller/RegulationConstants.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "controller/Win1250.h"

// The rows of spin edits and of lists.
static bool IsSpin(const Field<RegulationConstants>& f)
{
    return f.member && (f.kind == RowKind::Byte || f.kind == RowKind::SignedByte);
}

static bool IsList(const Field<RegulationConstants>& f)
{
    return f.kind == RowKind::ListIndex;
}

// Readable failure output; global so the test framework finds it beside the type.
static void PrintTo(const RegulationConstants& model, std::ostream* os)
{
    RegulationConstants m = model;
    for (const auto& f : ConstantsFields())
        if (IsSpin(f) || IsList(f))
            *os << f.Key().toStdString() << "=" << *std::get<int*>(f.Of(m)) << " ";
    for (int i = 0; i < 8; ++i)
        *os << "Sens" << i << "=" << (m.SensUsed[i] ? "used '" : "'") << m.SensName[i].toStdString() << "' ";
    *os << "RunCount=" << m.RunCount << " BlrCounter=" << m.BlrCounter;
}

namespace {

// Every byte different from every other, so a byte copied from the wrong
// place or left behind shows.  7 is odd, so i -> 7i + 3 is a permutation.
PageBuffer DistinctPage(int multiplier = 7, int offset = 3)
{
    PageBuffer page{};
    for (int i = 0; i < 256; ++i)
        page[i] = std::uint8_t((i * multiplier + offset) & 0xFF);
    return page;
}

void PutRunTime(PageBuffer& page, std::uint32_t seconds)
{
    page[8] = std::uint8_t(seconds >> 24);
    page[9] = std::uint8_t(seconds >> 16);
    page[10] = std::uint8_t(seconds >> 8);
    page[11] = std::uint8_t(seconds);
}

RegulationConstants TypicalModel()
{
    return RegulationConstants{
        .Shift = -10, .Thstat = 21, .SwDays = 2, .SwHours = 12, .PumpMinTemp = 35,
        .ThstatLoTemp = 55, .ThstatHiTemp = 75, .WallMul = 6, .WallMax = 8, .EkvMaxTemp = 80,
        .EkvRange = 20, .BlrLoRate = 30, .BlrHiRate = 90, .EkvLoShift = 4, .EkvHiShift = 9,
        .ThstatDelay = 15, .SensCorr = {0, -1, 2, -3, 4, -5, 6, -7},
        .Mode = 1, .SwMode = 3, .ThstatSens = 3, .Log1 = 0, .Log2 = 4, .Log3 = 3, .SensorFirst = 4,
        .SensUsed = {true, true, false, true, true, false, false, false},
        .SensName = {QStringLiteral("Kotel"), QStringLiteral("Zpátečka"), QString(),
                     QStringLiteral("Obývák"), QStringLiteral("Venku"), QStringLiteral("Zeď"),
                     QStringLiteral("Čidlo řádek"), QStringLiteral("x")},
        .RunCount = 42, .BlrCounter = 0};
}

RegulationConstants ExtremeModel()
{
    RegulationConstants m;
    for (const auto& f : ConstantsFields()) {
        if (IsSpin(f))
            *std::get<int*>(f.Of(m)) = f.maximum;
        if (IsList(f))
            *std::get<int*>(f.Of(m)) = int(f.items.size()) - 1;
    }
    m.Shift = -128;
    m.SensCorr = {-128, 127, -128, 127, -1, 1, -128, 127};
    m.SensUsed.fill(true);
    m.RunCount = 255;
    m.BlrCounter = 0xFFFFFFFFu;
    m.SensName = {QStringLiteral("ABCDEFGHIJKLMNOP"), QStringLiteral("čřžýáíéůúěšďťňóĚ"),
                  QStringLiteral("123456789012345"), QStringLiteral("a"),
                  QStringLiteral("Ř"),                 QStringLiteral("€ \u00A0‰"),
                  QStringLiteral("PQRSTUVWXYZabcde"), QStringLiteral("slot at the end.")};
    return m;
}

RegulationConstants MinimumModel()
{
    RegulationConstants m;
    for (const auto& f : ConstantsFields())
        if (IsSpin(f))
            *std::get<int*>(f.Of(m)) = f.minimum;
    m.SensUsed = {false, false, false, false, false, false, false, true};
    m.BlrCounter = 1;
    return m;
}

// ---------------------------------------------------------------------------
// Codec round trip

TEST(ConstantsCodec, DecodeOfEncodeGivesTheModelBack)
{
    struct Case {
        const char* name;
        RegulationConstants model;
    };
    const Case cases[] = {
        {"initial", RegulationConstants{}},
        {"typical, negative shift and corrections", TypicalModel()},
        {"every maximum, full names", ExtremeModel()},
        {"every minimum", MinimumModel()},
    };
    for (const Case& c : cases) {
        for (const PageBuffer& start : {DistinctPage(), DistinctPage(13, 200), PageBuffer{}}) {
            PageBuffer current = start;
            // A non-zero run time is never written; it comes from the Controller.
            PutRunTime(current, c.model.BlrCounter);
            const auto encoded = EncodeConstantsPage(c.model, current);
            ASSERT_TRUE(encoded.has_value()) << c.name;
            EXPECT_EQ(DecodeConstantsPage(*encoded), c.model) << c.name;
        }
    }
}

TEST(ConstantsCodec, DecodeReadsEachFieldFromItsOwnByte)
{
    PageBuffer page = DistinctPage();
    const std::pair<int, int> bytes[] = {
        {0, 0xF6}, {1, 2},  {2, 50},  {3, 4},  {4, 9},  {5, 13}, {7, 77},  {16, 30},
        {17, 40},  {18, 60}, {19, 5},  {20, 8}, {21, 12}, {23, 90}, {24, 20}, {25, 33},
        {26, 66},  {27, 7}, {28, 11}, {29, 14}, {32, 1},  {33, 0xFF}, {34, 0x80}, {35, 0x7F},
        {36, 5},   {37, 0xFB}, {38, 0}, {39, 0x90}, {40, 0x81}, {41, 1}, {42, 6}, {43, 3},
        {44, 7},   {8, 0x12}, {9, 0x34}, {10, 0x56}, {11, 0x78},
    };
    for (auto [offset, value] : bytes)
        page[offset] = std::uint8_t(value);

    const RegulationConstants m = DecodeConstantsPage(page);
    EXPECT_EQ(m.Shift, -10);
    EXPECT_EQ(m.Mode, 2);
    EXPECT_EQ(m.Thstat, 50);
    EXPECT_EQ(m.SwMode, 4);
    EXPECT_EQ(m.SwDays, 9);
    EXPECT_EQ(m.SwHours, 13);
    EXPECT_EQ(m.RunCount, 77);
    EXPECT_EQ(m.BlrCounter, 0x12345678u);
    EXPECT_EQ(m.PumpMinTemp, 30);
    EXPECT_EQ(m.ThstatLoTemp, 40);
    EXPECT_EQ(m.ThstatHiTemp, 60);
    EXPECT_EQ(m.ThstatSens, 5);
    EXPECT_EQ(m.WallMul, 8);
    EXPECT_EQ(m.WallMax, 12);
    EXPECT_EQ(m.EkvMaxTemp, 90);
    EXPECT_EQ(m.EkvRange, 20);
    EXPECT_EQ(m.BlrLoRate, 33);
    EXPECT_EQ(m.BlrHiRate, 66);
    EXPECT_EQ(m.EkvLoShift, 7);
    EXPECT_EQ(m.EkvHiShift, 11);
    EXPECT_EQ(m.ThstatDelay, 14);
    EXPECT_EQ(m.SensCorr, (std::array<int, 8>{1, -1, -128, 127, 5, -5, 0, -112}));
    EXPECT_EQ(m.Log1, 1);
    EXPECT_EQ(m.Log2, 6);
    EXPECT_EQ(m.Log3, 3);
    EXPECT_EQ(m.SensorFirst, 7);
}

// ---------------------------------------------------------------------------
// Limiting and list positions on decode

// One page byte and the model field it decodes to.
struct ByteCase {
    int offset;
    std::uint8_t byte;
    int RegulationConstants::*field;
    int expected;
};

TEST(ConstantsCodec, SpinFieldsAreLimitedToTheirWidgetRange)
{
    const ByteCase cases[] = {
        {23, 200, &RegulationConstants::EkvMaxTemp, 127},
        {23, 127, &RegulationConstants::EkvMaxTemp, 127},
        {24, 128, &RegulationConstants::EkvRange, 127},
        {25, 150, &RegulationConstants::BlrLoRate, 100},
        {25, 100, &RegulationConstants::BlrLoRate, 100},
        {26, 255, &RegulationConstants::BlrHiRate, 100},
        {27, 201, &RegulationConstants::EkvLoShift, 127},
        {28, 255, &RegulationConstants::EkvHiShift, 127},
        {20, 255, &RegulationConstants::WallMul, 255},
        {29, 255, &RegulationConstants::ThstatDelay, 255},
    };
    for (const ByteCase& c : cases) {
        PageBuffer page{};
        page[c.offset] = c.byte;
        const RegulationConstants m = DecodeConstantsPage(page);
        EXPECT_EQ(m.*c.field, c.expected) << "byte " << c.offset << " = " << int(c.byte);

        // What the tab shows is what the next write stores.
        const auto written = EncodeConstantsPage(m, page);
        ASSERT_TRUE(written);
        EXPECT_EQ((*written)[c.offset], c.expected) << "byte " << c.offset;
    }
}

TEST(ConstantsCodec, ListValueOutsideItsListMeansNoSelectionAndBlocksTheWrite)
{
    const ByteCase cases[] = {
        {1, 6, &RegulationConstants::Mode, -1},
        {1, 5, &RegulationConstants::Mode, 5},
        {3, 255, &RegulationConstants::SwMode, -1},
        {19, 8, &RegulationConstants::ThstatSens, -1},
        {19, 7, &RegulationConstants::ThstatSens, 7},
        {41, 8, &RegulationConstants::Log1, -1},
        {42, 200, &RegulationConstants::Log2, -1},
        {43, 8, &RegulationConstants::Log3, -1},
        {44, 9, &RegulationConstants::SensorFirst, -1},
    };
    for (const ByteCase& c : cases) {
        PageBuffer page{};
        page[c.offset] = c.byte;
        const RegulationConstants m = DecodeConstantsPage(page);
        EXPECT_EQ(m.*c.field, c.expected) << "byte " << c.offset << " = " << int(c.byte);
        EXPECT_EQ(EncodeConstantsPage(m, page).has_value(), c.expected >= 0) << "byte " << c.offset;
    }
}

TEST(ConstantsCodec, UnsignedByteOutsideRangeFailsValidation)
{
    // Every unsigned-byte field is a list, a spin field that cannot go below
    // 0, or the run count.
    int unsignedFields = 0;
    for (const auto& f : ConstantsFields()) {
        if (!f.UnsignedByte())
            continue;
        ++unsignedFields;
        for (int bad : {-1, 256, -1000}) {
            RegulationConstants m = TypicalModel();
            *std::get<int*>(f.Of(m)) = bad;
            EXPECT_FALSE(EncodeConstantsPage(m, DistinctPage()).has_value()) << f.Key().toStdString() << " = " << bad;
        }
    }
    EXPECT_EQ(unsignedFields, 23);

    // Shift and the corrections are stored as their low 8 bits, unchecked.
    RegulationConstants m = TypicalModel();
    m.Shift = 300;         // 0x12C
    m.SensCorr[0] = -200;  // ...0x38
    const auto page = EncodeConstantsPage(m, DistinctPage());
    ASSERT_TRUE(page);
    EXPECT_EQ((*page)[0], 0x2C);
    EXPECT_EQ((*page)[32], 0x38);
}

// ---------------------------------------------------------------------------
// Sensors in use (byte 40)

TEST(ConstantsCodec, SensorsInUseAreTheBitsOfByte40)
{
    PageBuffer page{};
    page[40] = 0x81;
    EXPECT_EQ(DecodeConstantsPage(page).SensUsed,
              (std::array<bool, 8>{true, false, false, false, false, false, false, true}));

    RegulationConstants m;
    m.SensUsed[2] = true;
    PageBuffer current = DistinctPage();
    current[40] = 0xFF;  // the bits of the sensors not in use must be cleared
    const auto written = EncodeConstantsPage(m, current);
    ASSERT_TRUE(written);
    EXPECT_EQ((*written)[40], 0x04);
}

// ---------------------------------------------------------------------------
// Sensor names

PageBuffer PageWithSlot(int sensor, const QByteArray& bytes)
{
    PageBuffer page = DistinctPage();
    for (int j = 0; j < bytes.size(); ++j)
        page[128 + 16 * sensor + j] = std::uint8_t(bytes[j]);
    return page;
}

TEST(SensorNames, Decoding)
{
    struct Case {
        int sensor;
        QByteArray slot;
        QString expected;
    };
    const Case cases[] = {
        {0, QByteArray("Kotel\0junkjunkju", 16), QStringLiteral("Kotel")},
        {3, QByteArray("Kotel\0\xFF\x41", 8), QStringLiteral("Kotel")},
        {2, QByteArray("ABCDEFGHIJKLMNOP"), QStringLiteral("ABCDEFGHIJKLMNOP")},
        {7, QByteArray("ABCDEFGHIJKLMNOP"), QStringLiteral("ABCDEFGHIJKLMNOP")},  // last slot, page end
        {4, QByteArray("\xFF" "ABC"), QString()},
        {5, QByteArray("\0ABC", 4), QString()},
        {1, QByteArray("Ab\xFF" "cd\0", 6), QStringLiteral("Ab")},
        {6, QByteArray("\xE8\xF8\x9E\xFD\0", 5), QStringLiteral("čřžý")},
    };
    for (const Case& c : cases) {
        PageBuffer page = PageWithSlot(c.sensor, c.slot);
        if (c.sensor < 7)  // the next slot begins with a letter: it must not run on
            page[128 + 16 * (c.sensor + 1)] = 'Z';
        EXPECT_EQ(DecodeSensorName(page, c.sensor), c.expected) << c.slot.toHex().toStdString();
        EXPECT_EQ(DecodeConstantsPage(page).SensName[c.sensor], c.expected);
    }
}

TEST(SensorNames, EncodingStaysInsideTheSlot)
{
    struct Case {
        int sensor;
        QString name;
        QByteArray written;  // bytes stored from the start of the slot
    };
    const Case cases[] = {
        {3, QStringLiteral("Kotel"), QByteArray("Kotel\0", 6)},
        {0, QStringLiteral("čřžý"), QByteArray("\xE8\xF8\x9E\xFD\0", 5)},
        {2, QStringLiteral("123456789012345"), QByteArray("123456789012345\0", 16)},
        {2, QStringLiteral("ABCDEFGHIJKLMNOP"), QByteArray("ABCDEFGHIJKLMNOP")},
        {5, QStringLiteral("ABCDEFGHIJKLMNOPQRST"), QByteArray("ABCDEFGHIJKLMNOP")},
        {7, QStringLiteral("ABCDEFGHIJKLMNOPQRST"), QByteArray("ABCDEFGHIJKLMNOP")},
        {1, QString(), QByteArray("\0", 1)},
    };
    const PageBuffer current = DistinctPage();
    for (const Case& c : cases) {
        RegulationConstants m;
        m.SensName[c.sensor] = c.name;
        const auto written = EncodeConstantsPage(m, current);
        ASSERT_TRUE(written);

        // Expected name area: every other (empty) name is one 0x00 and the
        // rest of its slot as it was; the tested slot holds its bytes.
        PageBuffer expected = current;
        for (int i = 0; i < 8; ++i)
            expected[128 + 16 * i] = 0x00;
        for (int j = 0; j < c.written.size(); ++j)
            expected[128 + 16 * c.sensor + j] = std::uint8_t(c.written[j]);
        for (int k = 128; k < 256; ++k)
            EXPECT_EQ(int((*written)[k]), int(expected[k])) << c.name.toStdString() << " byte " << k;
    }
}

// ---------------------------------------------------------------------------
// Counters

TEST(ConstantsCodec, CountersKeptOrCleared)
{
    struct Case {
        const char* name;
        std::uint32_t shownRunTime;
        int shownRunCount;
        bool cleared;  // both "×" buttons pressed after the read
        std::uint32_t controllerRunTime;
        std::uint8_t controllerRunCount;
        std::uint32_t storedRunTime;
        std::uint8_t storedRunCount;
    };
    const Case cases[] = {
        // The Controller has run on since the read: its run time survives,
        // but byte 7 receives the count that was shown.
        {"shown values", 3600, 5, false, 7300, 9, 7300, 5},
        {"run time differs completely", 1, 200, false, 0xFFFFFFFFu, 0, 0xFFFFFFFFu, 200},
        {"cleared", 3600, 12, true, 0x01020304u, 77, 0, 0},
        {"fresh window", 0, 0, false, 0xDEADBEEFu, 255, 0, 0},
    };
    for (const Case& c : cases) {
        RegulationConstants m;
        m.BlrCounter = c.shownRunTime;
        m.RunCount = c.shownRunCount;
        if (c.cleared) {
            ClearBlrCounter(m);
            ClearRunCount(m);
        }
        PageBuffer current = DistinctPage();
        PutRunTime(current, c.controllerRunTime);
        current[7] = c.controllerRunCount;
        const auto written = EncodeConstantsPage(m, current);
        ASSERT_TRUE(written) << c.name;
        EXPECT_EQ(DecodeConstantsPage(*written).BlrCounter, c.storedRunTime) << c.name;
        EXPECT_EQ((*written)[7], c.storedRunCount) << c.name;
    }
}

TEST(ConstantsCodec, RunTimeText)
{
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "0 hod 0 min 0 sec"},
        {59, "0 hod 0 min 59 sec"},
        {60, "0 hod 1 min 0 sec"},
        {3600, "1 hod 0 min 0 sec"},
        {3661, "1 hod 1 min 1 sec"},
        {100000, "27 hod 46 min 40 sec"},
        {4294967295u, "1193046 hod 28 min 15 sec"},
    };
    for (auto [seconds, text] : cases)
        EXPECT_EQ(FormatRunTime(seconds), QString::fromUtf8(text)) << seconds;
}

// ---------------------------------------------------------------------------
// Preserved bytes

// Encoding the same model into two pages that differ in every byte shows
// which bytes come from the page: exactly the ones this tab does not own.
TEST(ConstantsCodec, EveryPreservedByteIsKeptExactly)
{
    for (std::uint32_t runTime : {0u, 1234u}) {
        RegulationConstants m = TypicalModel();
        m.BlrCounter = runTime;

        std::set<int> preserved{6, 22, 30, 31};
        for (int k = 12; k <= 15; ++k)
            preserved.insert(k);
        for (int k = 45; k <= 127; ++k)
            preserved.insert(k);
        if (runTime != 0)
            for (int k = 8; k <= 11; ++k)
                preserved.insert(k);
        for (int i = 0; i < 8; ++i) {
            const int used = int(std::min<qsizetype>(Win1250::Encode(m.SensName[i]).size(), 16));
            for (int j = used + 1; j < 16; ++j)
                preserved.insert(128 + 16 * i + j);
        }

        const PageBuffer a = DistinctPage(7, 3);
        PageBuffer b = a;
        for (auto& byte : b)
            byte = std::uint8_t(~byte);
        const auto fromA = EncodeConstantsPage(m, a);
        const auto fromB = EncodeConstantsPage(m, b);
        ASSERT_TRUE(fromA && fromB);
        for (int k = 0; k < 256; ++k) {
            if (preserved.count(k)) {
                EXPECT_EQ((*fromA)[k], a[k]) << "preserved byte " << k;
                EXPECT_EQ((*fromB)[k], b[k]) << "preserved byte " << k;
            } else {
                EXPECT_EQ((*fromA)[k], (*fromB)[k]) << "byte " << k << " must come from the model";
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Descriptors

// A copy-pasted member would make two rows share one value, and a key
// written twice would make the parameter file keep one of them.
TEST(ConstantsFieldTable, EachRowReachesItsOwnMemberUnderItsOwnKey)
{
    RegulationConstants m;
    std::set<void*> members;
    std::set<QString> keys;
    for (const auto& f : ConstantsFields()) {
        if (!f.member)
            continue;  // the log index: the model holds no copy of it
        const void* member = std::visit(
            [](auto p) -> const void* {
                if constexpr (std::is_pointer_v<decltype(p)>)
                    return p;
                else
                    return nullptr;
            },
            f.Of(m));
        EXPECT_TRUE(members.insert(const_cast<void*>(member)).second) << f.Key().toStdString();
        EXPECT_TRUE(keys.insert(f.Key()).second) << "duplicate key " << f.Key().toStdString();
    }
    EXPECT_EQ(keys.size(), 49u);  // the 47 keys of a parameter file and the two counters
    const FieldSpec* corr3 = FindField(ConstantsFields(), u"Sens3Corr");
    ASSERT_NE(corr3, nullptr);
    EXPECT_EQ(corr3->offset, 35);
    EXPECT_EQ(std::get<int*>(static_cast<const Field<RegulationConstants>*>(corr3)->Of(m)), &m.SensCorr[3]);
}

}  // namespace
